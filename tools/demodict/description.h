// description.h: the description file (".dct") of the demo dictionary: its reference
// name (the one the program opens by default), where its four data sets lie (relative
// to the directory the program runs in, each directory with its trailing '/'), the
// search types it offers and its entry-part lines with their labels and layout tokens.
#pragma once
#include <string>

namespace demodict {

inline constexpr char kDemoReferenceName[] = "Dorvane-Kestle's Orlesse Dictionary";
inline constexpr char kDataDirectory[] = "data/";
inline constexpr char kMainName[] = "demo";
inline constexpr char kArtName[] = "art";
inline constexpr char kTableName[] = "tables";
inline constexpr char kSoundName[] = "sound";  // the one name the program looks for
inline constexpr char kDescriptionFile[] = "demo.dct";

std::string demo_description();

} // namespace demodict
