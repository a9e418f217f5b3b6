// ipa.cpp: the phonetic code page and the mapping of IPA to the pronunciation alphabet.
#include "tools/demodict/ipa.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace demodict {
namespace {

// Decodes UTF-8 into code points; a malformed byte becomes U'?'.
std::vector<char32_t> decode_utf8(const std::string& text)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80           ? 0
                          : (lead >> 5) == 0x6  ? 1
                          : (lead >> 4) == 0xE  ? 2
                          : (lead >> 3) == 0x1E ? 3
                                                : -1;
        if (extra < 0 || static_cast<std::size_t>(extra) >= text.size() - i) {
            out.push_back(U'?');
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (!ok) {
            out.push_back(U'?');
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// One IPA sound (one or two characters) and its letter of the pronunciation alphabet.
struct SoundLetter {
    std::u32string ipa;
    char letter;
};
// Longest first where one sound begins with another ("aɪ" before "a").
const SoundLetter kSoundLetters[] = {
    {U"aɪ", 'Y'}, {U"aʊ", 'W'}, {U"eɪ", 'E'}, {U"oʊ", 'o'}, {U"əʊ", 'o'}, {U"ɔɪ", '3'},
    {U"tʃ", 'C'}, {U"dʒ", 'j'}, {U"ɑ", 'A'},  {U"ɒ", 'A'},  {U"æ", 'a'},  {U"a", 'a'},
    {U"ʌ", '1'},  {U"ə", '0'},  {U"ɐ", '0'},  {U"ᵊ", '0'},  {U"ɚ", '2'},  {U"ɜ", '2'},
    {U"ɝ", '2'},  {U"ɛ", 'e'},  {U"e", 'e'},  {U"ɪ", 'I'},  {U"ᵻ", 'I'},  {U"ɨ", 'I'},
    {U"i", 'i'},  {U"ɔ", 'O'},  {U"o", 'o'},  {U"ʊ", 'U'},  {U"u", 'u'},  {U"ʉ", 'u'},
    {U"b", 'b'},  {U"d", 'd'},  {U"ð", 'D'},  {U"f", 'f'},  {U"ɡ", 'g'},  {U"g", 'g'},
    {U"h", 'h'},  {U"j", 'y'},  {U"k", 'k'},  {U"x", 'K'},  {U"χ", 'K'},  {U"l", 'l'},
    {U"ɫ", 'l'},  {U"m", 'm'},  {U"n", 'n'},  {U"ŋ", 'N'},  {U"p", 'p'},  {U"ɹ", 'r'},
    {U"r", 'r'},  {U"ɾ", 't'},  {U"s", 's'},  {U"ʃ", 'S'},  {U"t", 't'},  {U"θ", 'T'},
    {U"v", 'v'},  {U"w", 'w'},  {U"ʍ", 'w'},  {U"z", 'z'},  {U"ʒ", 'Z'},  {U"ç", 'h'},
    {U"ˈ", '!'},  {U" ", '-'},
};

} // namespace

std::string encode_ipa(const std::string& utf8)
{
    std::string out;
    for (const char32_t c : decode_utf8(utf8)) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char byte = '?';
        for (std::size_t i = 0; i < std::size(kIpaCodePage); ++i) {
            if (kIpaCodePage[i] == c && c != 0) {
                byte = static_cast<char>(kIpaFirstByte + i);
                break;
            }
        }
        out.push_back(byte);
    }
    return out;
}

std::string ipa_to_alphabet(const std::string& utf8)
{
    const std::vector<char32_t> text = decode_utf8(utf8);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const SoundLetter* match = nullptr;
        for (const SoundLetter& sound : kSoundLetters) {
            if (sound.ipa.size() <= text.size() - i &&
                std::equal(sound.ipa.begin(), sound.ipa.end(),
                           text.begin() + static_cast<std::ptrdiff_t>(i))) {
                match = &sound;
                break;
            }
        }
        if (match == nullptr) {
            ++i;
            continue;
        }
        out.push_back(match->letter);
        i += match->ipa.size();
    }
    return out;
}

} // namespace demodict
