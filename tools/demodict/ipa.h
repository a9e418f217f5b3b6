// ipa.h: pronunciations for the demo dictionary. Entry texts are single-byte, so the IPA
// that espeak-ng writes (UTF-8) is stored in the phonetic font's own code page: ASCII
// stays, and bytes 0x80 and up stand for the IPA letters and marks of kIpaCodePage.
// The friends matrices take pronunciations in the dictionary's pronunciation alphabet
// instead (ASCII letters and digits, '!' before the stressed syllable).
#pragma once
#include <string>

namespace demodict {

// The characters of bytes 0x80, 0x81, ... of the phonetic font's code page.
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

// The character a byte of the phonetic code page stands for: itself below 0x80, the
// table's character above, U'?' for a byte past the table.
char32_t ipa_character(unsigned char byte);

// UTF-8 IPA to the phonetic code page; a character outside ASCII and the table becomes
// '?'. Malformed UTF-8 bytes become '?' too.
std::string encode_ipa(const std::string& utf8);

// UTF-8 IPA (as espeak-ng writes American English) to the pronunciation alphabet:
// "dˈɑːɡ" -> "d!Ag", "kˈætˈoʊnˈaɪntˈeɪlz" -> "k!at!on!Ynt!Elz". Secondary stress and
// length marks are dropped, blanks become '-', characters with no letter are dropped.
std::string ipa_to_alphabet(const std::string& utf8);

} // namespace demodict
