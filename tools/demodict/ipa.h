// ipa.h: pronunciations for the demo dictionary. Entry texts are single-byte, so the IPA
// that espeak-ng writes (UTF-8) is stored in the phonetic font's own code page: ASCII
// stays, and bytes 0x80 and up stand for the IPA letters and marks of kIpaCodePage.
// The friends matrices take pronunciations in the dictionary's pronunciation alphabet
// instead (ASCII letters and digits, '!' before the stressed syllable).
#pragma once
#include <string>

#include "vkobase/ipa_charset.h"

namespace demodict {

// The code page is the phonetic font's own (vkobase/ipa_charset.h): the writer encodes
// with the table the font layer decodes with.
using vkobase::ipa::ipa_character;
using vkobase::ipa::kIpaCodePage;
using vkobase::ipa::kIpaFirstByte;

// UTF-8 IPA to the phonetic code page; a character outside ASCII and the table becomes
// '?'. Malformed UTF-8 bytes become '?' too.
std::string encode_ipa(const std::string& utf8);

// UTF-8 IPA (as espeak-ng writes American English) to the pronunciation alphabet:
// "dˈɑːɡ" -> "d!Ag", "kˈætˈoʊnˈaɪntˈeɪlz" -> "k!at!on!Ynt!Elz". Secondary stress and
// length marks are dropped, blanks become '-', characters with no letter are dropped.
std::string ipa_to_alphabet(const std::string& utf8);

} // namespace demodict
