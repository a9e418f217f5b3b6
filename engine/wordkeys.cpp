// wordkeys.cpp: key routines of the key tables and friends matrices, and the normalise
// routine of the defining-text indexes. Letters and digits follow the C library's
// classification in the "C" locale, so bytes above 127 are neither.
#include "engine/wordkeys.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "engine/datafiles.h"
#include "engine/report.h"
#include "engine/resultlist.h"
#include "engine/wordindex.h"

namespace {

// The dictionary's pronunciation alphabet, and its vowels for rhymes.
constexpr char kPhoneticAlphabet[] = "!-aAeEiIoOuUWY0123456bcCdDfghHjkKlmnNprsStTvwyzZ";
constexpr char kPhoneticVowels[] = "aAeEiIoOuUWY01234";

bool is_letter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool is_letter_or_digit(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }
char to_lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Keeps the characters for which keep() holds, in order, and ends the word after them.
template <typename Keep> void filter_in_place(char* word, Keep keep)
{
    char* out = word;
    for (const char* in = word; *in != '\0'; ++in) {
        if (keep(*in))
            *out++ = *in;
    }
    *out = '\0';
}

// Sorts the characters as signed bytes, as the key tables were sorted when written.
void sort_chars(char* word)
{
    std::sort(word, word + std::strlen(word), [](char a, char b) {
        return static_cast<signed char>(a) < static_cast<signed char>(b);
    });
}

// The sound class of a lower-case letter, or 0 for a letter without one (h).
char sound_class(char letter)
{
    switch (letter) {
    case 'a': case 'e': case 'i': case 'o': case 'u': case 'w': case 'y':
        return 'e';
    case 'b': case 'f': case 'p': case 'v':
        return 'b';
    case 'c': case 'g': case 'j': case 'k': case 'q': case 's': case 'x': case 'z':
        return 'c';
    case 'd': case 't':
        return 'd';
    case 'l':
        return 'l';
    case 'm': case 'n':
        return 'm';
    case 'r':
        return 'r';
    default:
        return 0;
    }
}

} // namespace

void headword_form(char* word, std::size_t capacity)
{
    if (capacity == 0 || std::strpbrk(word, kPatternChars) != nullptr)
        return;
    lower_word(word);
    ResultList hits;
    if (search_word(&hits, word, "va", kBlockSize) == 0 || hits.get_total() == 0 ||
        hits.first_value() == kMarkerValue)
        return;
    char head_word[kWordBufferSize];
    get_word(head_word, sizeof head_word, hits.first_value(), kBlockSize);
    head_word[std::strcspn(head_word, "[")] = '\0';
    const std::size_t length = std::min(std::strlen(head_word), capacity - 1);
    std::memcpy(word, head_word, length);
    word[length] = '\0';
}

void anagram_key(char* word, std::size_t /*capacity*/)
{
    filter_in_place(word, is_letter);
    lower_word(word);
    sort_chars(word);
}

void pattern_key(char* word, std::size_t /*capacity*/)
{
    char code_of[256] = {};   // lower-case letter -> its pattern letter, 0 while unseen
    char next_code = 'a';
    char* out = word;
    for (const char* in = word; *in != '\0'; ++in) {
        if (!is_letter(*in))
            continue;
        const unsigned char letter = static_cast<unsigned char>(to_lower(*in));
        if (code_of[letter] == 0)
            code_of[letter] = next_code++;
        *out++ = code_of[letter];
    }
    *out = '\0';
}

void letter_bank_key(char* word, std::size_t capacity)
{
    anagram_key(word, capacity);
    char* const end = std::unique(word, word + std::strlen(word));
    *end = '\0';
}

void sound_key(char* word, std::size_t /*capacity*/)
{
    // The key is never longer than the word: at most one character per letter read.
    char* out = word;
    char previous = 0;
    for (std::size_t i = 0; word[i] != '\0'; ++i) {
        const char c = word[i];
        if (!is_letter(c))
            continue;
        const char k = sound_class(to_lower(c));
        if (k != 0 && k != previous)
            *out++ = k;
        else if (i == 0)
            *out++ = c;
        previous = k;
    }
    *out = '\0';
}

void pron_key(char* word, std::size_t /*capacity*/)
{
    if (check_phonetic(word) == 0)
        return;
    filter_in_place(word, is_letter_or_digit);
}

void rhyme_key(char* word, std::size_t /*capacity*/)
{
    if (check_phonetic(word) == 0)
        return;
    const char* const stress = std::strchr(word, '!');
    const char* vowel = stress != nullptr ? stress + 1 : word;
    while (*vowel != '\0' && std::strchr(kPhoneticVowels, *vowel) == nullptr)
        ++vowel;
    if (*vowel == '\0') {
        engine_warning(std::string("cannot find vowel: ") + word);
        word[0] = '\0';
        return;
    }
    std::memmove(word, vowel, std::strlen(vowel) + 1);
    filter_in_place(word, is_letter_or_digit);
}

void pron_anagram_key(char* word, std::size_t /*capacity*/)
{
    if (check_phonetic(word) == 0)
        return;
    filter_in_place(word, is_letter_or_digit);
    sort_chars(word);
}

std::int16_t check_phonetic(char* word)
{
    for (const char* p = word; *p != '\0'; ++p) {
        if (std::strchr(kPhoneticAlphabet, *p) == nullptr) {
            engine_warning(std::string("not a phonetic word: ") + word);
            word[0] = '\0';
            return 0;
        }
    }
    return 1;
}

void lower_word(char* word)
{
    for (char* p = word; *p != '\0'; ++p)
        *p = to_lower(*p);
}

void strip_wildcards(char* word)
{
    filter_in_place(word, [](char c) { return c != '*' && c != '.'; });
}
