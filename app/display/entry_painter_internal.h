// entry_painter_internal.h: what the files of the entry painter share: the colours printing
// and selection use, the marker runs that stand for an illustration or a table, and small
// helpers over runs and sizes. Only the entry_painter*.cpp files include it.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>

#include "vkocoll/collstr.h"

namespace entry_paint {

inline constexpr std::uint32_t kWhite = 0x0BFFFFFF;
inline constexpr std::uint32_t kBlack = 0x07000000;
inline constexpr std::uint32_t kBlue = 0x030000FF;
inline constexpr char kArtRun[] = ";ART";
inline constexpr char kTableRun[] = ";TABLE";

// Bytes that begin a control run: style, font and colour bytes, escapes and the newline.
inline bool IsControl(unsigned char c) { return c >= 0x01 && c <= 0x1F; }
inline bool IsMarker(const std::string& text) { return text == kArtRun || text == kTableRun; }
inline std::string MarkerLabel(const std::string& marker)
{
    return marker == kArtRun ? "[Illustration]" : "[Table]";
}

inline std::string TextOf(const RWCString& s) { return std::string(s.data(), s.length()); }

inline std::int16_t Clamp16(float v)
{
    return static_cast<std::int16_t>(std::clamp(v, -32768.0f, 32767.0f));
}

} // namespace entry_paint
