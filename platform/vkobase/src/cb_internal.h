// cb_internal.h: how clipboard text goes between the program (Windows-1252, lines ended by
// CR LF) and other programs (UTF-8, lines ended by LF). Internal to vkobase.
#pragma once

#include <string>

namespace vkobase::cb {

// The program's text for other programs: UTF-8, CR LF and lone CR become LF.
std::string text_to_system(const std::string &cp1252);
// Text of another program for this one: Windows-1252 (a character it lacks becomes '?', a
// malformed byte too), LF becomes CR LF.
std::string text_from_system(const std::string &utf8);

} // namespace vkobase::cb
