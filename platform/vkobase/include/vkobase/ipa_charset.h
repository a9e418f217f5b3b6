// ipa_charset.h: the code page of the dictionary's phonetic font ("DorvaneIPA"). Entry
// texts are single-byte: in that font, bytes below 0x80 are ASCII and bytes from 0x80 up
// stand for the IPA letters and marks of the table below. The font layer draws and
// measures that family's text through this table; the dictionary writer encodes with it.
#pragma once

namespace vkobase::ipa {

// Bytes 0x96, 0x97 and 0xA3 mean en dash, em dash and syllable break in display text, so
// their slots stay unused (0).
inline constexpr char32_t kIpaCodePage[] = {
    U'ɑ', U'æ', U'ɐ', U'ʌ', U'ɔ', U'ə', U'ɚ', U'ɛ', U'ɜ', U'ɪ', U'ᵻ', U'ʊ', U'ɒ', U'ɝ', U'ɨ', U'ɯ',
    U'ø', U'œ', U'ɵ', U'ʏ', U'ɤ', U'ð', 0,    0,    U'θ', U'ʃ', U'ʒ', U'ŋ', U'ɹ', U'ɾ', U'ʔ', U'ɡ',
    U'ɬ', U'ɲ', U'ʎ', 0,    U'ç', U'ɣ', U'χ', U'ʁ', U'β', U'ɕ', U'ʑ', U'ɸ', U'ɫ', U'ʋ', U'ɭ', U'ɳ',
    U'ʂ', U'ʐ', U'ɖ', U'ʈ', U'ɻ', U'ɽ', U'ħ', U'ʕ', U'ɦ', U'ʝ', U'ɟ', U'ɢ', U'ʀ', U'ɴ', U'ʍ', U'ɰ',
    U'ˈ', U'ˌ', U'ː', U'ˑ', U'\u0329', U'\u0303', U'ʰ', U'ʲ', U'ʷ', U'‿', U'ᵊ', U'ɘ', U'ɞ', U'ʉ',
    U'ɶ', U'ɱ', U'ɧ', U'ʙ', U'ʜ', U'ʟ', U'ʡ', U'ʢ', U'ɓ', U'ɗ', U'ʄ', U'ɠ', U'ʛ', U'ʘ', U'ǀ', U'ǃ',
    U'ǂ', U'ǁ', U'ɺ', U'ɥ',
};
inline constexpr unsigned char kIpaFirstByte = 0x80;

// The character a byte stands for in the phonetic font: itself below 0x80, the table's
// character above, U'?' for an unused byte or one past the table.
constexpr char32_t ipa_character(unsigned char byte)
{
    if (byte < kIpaFirstByte)
        return byte;
    const unsigned index = byte - kIpaFirstByte;
    if (index >= sizeof kIpaCodePage / sizeof kIpaCodePage[0] || kIpaCodePage[index] == 0)
        return U'?';
    return kIpaCodePage[index];
}

} // namespace vkobase::ipa
