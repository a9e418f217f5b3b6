// prefs.h: Prefs, the value record of the user's preferences (text size, colours, the
// chosen reference, the search defaults), and DisplaySettings, the entry painter's copy
// of them with its running style state. Both copy member by member; nothing is shared.
#pragma once
#include <cstdint>

#include "vkocoll/cstring.h"

// Colours are the toolkit's 32-bit values: low 24 bits red, green, blue (red highest),
// the high byte as the toolkit gives it.
class Prefs {
public:
    // Numbers start at 0 and the reference empty: whoever makes a record fills it (the
    // application with its defaults, the preferences file reader, the entry painter).
    Prefs() = default;

    std::int32_t font_size = 0;        // points
    std::uint32_t back_color = 0;
    std::uint32_t text_color = 0;
    std::uint32_t highlight_color = 0;
    std::uint32_t audio_color = 0;
    std::int32_t use_in_results = 0;   // nonzero: the colours apply to result lists too
    RWCString reference;               // ref_name of the chosen dictionary description
    std::int32_t search_type = 0;      // position in the search-type list of the mode
    std::int32_t search_mode = 0;      // 0 basic, 1 advanced, 2 browse
};

// The application's defaults: 12 points, white, black, red, blue, not in results, the
// demo dictionary's reference, the first search type of the basic mode.
inline constexpr std::int32_t kDefaultFontSize = 12;
inline constexpr std::uint32_t kDefaultBackColor = 0x0BFFFFFF;
inline constexpr std::uint32_t kDefaultTextColor = 0x07000000;
inline constexpr std::uint32_t kDefaultHighlightColor = 0x01FF0000;
inline constexpr std::uint32_t kDefaultAudioColor = 0x030000FF;
inline constexpr char kDefaultReference[] = "Dorvane-Kestle's Orlesse Dictionary";

// The text sizes entries can be drawn in; a size outside them (a hand-edited or damaged
// preferences file) gives way to the default.
inline constexpr std::int32_t kMinFontSize = 6;
inline constexpr std::int32_t kMaxFontSize = 72;
inline bool IsUsableFontSize(std::int32_t size)
{
    return size >= kMinFontSize && size <= kMaxFontSize;
}

// A record holding the application's defaults.
inline Prefs DefaultPrefs()
{
    Prefs prefs;
    prefs.font_size = kDefaultFontSize;
    prefs.back_color = kDefaultBackColor;
    prefs.text_color = kDefaultTextColor;
    prefs.highlight_color = kDefaultHighlightColor;
    prefs.audio_color = kDefaultAudioColor;
    prefs.reference = kDefaultReference;
    return prefs;
}

// The entry painter's display settings: its copy of the preferences, then the running
// state that style bytes change while text is laid out and drawn.
struct DisplaySettings {
    Prefs prefs;
    std::int16_t color_lock = 0;       // 1 while a colour toggle is on
    std::uint8_t lock_byte = 0;        // the toggle that turned it on (0x0D, 0x0E, 0x0F)
    std::int16_t font_index = 1;       // index into the painter's fonts table
    std::int16_t size_reduction = 0;   // points taken off by the small style
    std::int32_t font_style = 0;       // the toolkit's bold 1 and italic 2
    std::int16_t style_code = 0;       // 0 until the first style byte
    std::int16_t baseline_shift = 0;   // pixels: negative raised, positive lowered
    std::int16_t current_size = 12;    // points
};
