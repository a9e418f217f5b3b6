// display_text.cpp: the part-code table and the run wrappings.
#include "app/display/display_text.h"

namespace {

// Rows of a part number and its codes, 0-terminated; the text part matches any code and
// stands last, so a code is looked up in the rows above it first.
constexpr std::uint32_t kAnyCode = 0xFFFFFFFF;
struct PartRow {
    int part;
    std::uint32_t codes[11];
};
constexpr PartRow kPartCodes[] = {
    {kMainPart, {0xD8, 0xA3, 0xF0, 0}},
    {kPronPart, {0xAD, 0}},
    {kVariantPart, {0xD1, 0xD2, 0xD3, 0}},
    {kFunctionPart, {0x9F, 0}},
    {kInflectedPart, {0xA4, 0xA5, 0xA9, 0xA7, 0xA8, 0}},
    {kUsagePart, {0xAA, 0xB8, 0}},
    {kEtymologyPart, {0x9E, 0xD7, 0}},
    {kDatePart, {0x85, 0}},
    {kArtPart, {0xEE, 0x81, 0}},
    {kTextPart, {kAnyCode, 0}},
    {0, {0}},
};

} // namespace

int PartOfCode(std::uint8_t code)
{
    for (const PartRow& row : kPartCodes) {
        for (const std::uint32_t c : row.codes) {
            if (c == 0)
                break;
            if (c == code || c == kAnyCode)
                return row.part;
        }
    }
    return kTextPart;
}

std::string Wrap(int wrapping, const std::string& text)
{
    switch (wrapping) {
    case 1: return kStylePlain + text;
    case 2: return kStyleBold + text + kStylePlain;
    case 3: return kStyleItalic + text + kStylePlain;
    case 4: return kStyleSmall + text + kStylePlain;
    case 8: return std::string(" \x01\\") + text + "\x01\\ ";
    case 9: return std::string("\x01[") + text + "\x01]";
    case 10: return std::string("\x01\x19\xE1") + text + "\x01\x19\xF1";
    case 14: return std::string{kSoundToggle, kStyleBold} + text + kStylePlain + kSoundToggle;
    case 15: return kHighlightToggle + text + kHighlightToggle;
    default: return text;
    }
}
