// Tests of the word key routines: each routine by a table of words and keys, the
// warnings of the pronunciation keys, and that no routine writes past its word.
#include "engine/wordkeys.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "search_fixture.h"

namespace {

struct KeyCase {
    const char* why;
    WordRoutine routine;
    const char* word;
    const char* key;
};

const KeyCase kKeyCases[] = {
    {"anagram: letters only, lower-cased, sorted", anagram_key, "Listen!", "eilnst"},
    {"anagram: digits and blanks are dropped", anagram_key, "a 2b C", "abc"},
    {"anagram: empty word stays empty", anagram_key, "", ""},
    {"pattern: distinct letters coded in order of appearance", pattern_key, "letter", "abccbd"},
    {"pattern: case is ignored, other characters dropped", pattern_key, "Ab-bA", "abba"},
    {"pattern: 26 distinct letters reach z", pattern_key, "abcdefghijklmnopqrstuvwxyz",
     "abcdefghijklmnopqrstuvwxyz"},
    {"letter bank: each distinct letter once, sorted", letter_bank_key, "letter", "elrt"},
    {"letter bank: case folded before the repeats are dropped", letter_bank_key, "AaBb", "ab"},
    {"sound: first letter as its class, vowels as e", sound_key, "robert", "reberd"},
    {"sound: t and g take their classes", sound_key, "tiger", "decer"},
    {"sound: leading h kept as a letter, double l once", sound_key, "hello", "hele"},
    {"sound: a vowel after h starts a new run", sound_key, "aha", "ee"},
    {"sound: upper case takes the lower-case class", sound_key, "Hello", "Hele"},
    {"sound: non-letters skipped without breaking a run", sound_key, "bb-b", "b"},
    {"sound: a class repeated across h is written again", sound_key, "ahe", "ee"},
    {"pronunciation: marks removed, letters and digits kept", pron_key, "!ri-d0", "rid0"},
    {"rhyme: from the first vowel after the stress mark", rhyme_key, "kan-!tin-y0", "iny0"},
    {"rhyme: without a stress mark from the first vowel", rhyme_key, "str0N", "0N"},
    {"rhyme: hyphens after the vowel are dropped", rhyme_key, "!ba-d0", "ad0"},
    {"pronunciation anagram: letters and digits sorted", pron_anagram_key, "!tab-0", "0abt"},
};

TEST(WordKeys, EachRoutineComputesItsKey)
{
    for (const KeyCase& c : kKeyCases) {
        SCOPED_TRACE(c.why);
        std::vector<char> buffer(c.word, c.word + std::strlen(c.word) + 1);
        c.routine(buffer.data(), buffer.size());
        EXPECT_STREQ(buffer.data(), c.key);
    }
}

struct WarningCase {
    const char* why;
    WordRoutine routine;
    const char* word;
    const char* warning;
};

const WarningCase kWarningCases[] = {
    {"pron_key refuses a character outside the alphabet", pron_key, "ax",
     "not a phonetic word: ax\n"},
    {"rhyme_key refuses a character outside the alphabet", rhyme_key, "q!a",
     "not a phonetic word: q!a\n"},
    {"rhyme_key needs a vowel after the stress mark", rhyme_key, "a!bcd",
     "cannot find vowel: a!bcd\n"},
    {"pron_anagram_key refuses upper-case letters the alphabet lacks", pron_anagram_key, "aB",
     "not a phonetic word: aB\n"},
};

TEST(WordKeys, PronunciationKeysWarnAndEmptyTheWord)
{
    for (const WarningCase& c : kWarningCases) {
        SCOPED_TRACE(c.why);
        std::string word = c.word;
        testing::internal::CaptureStderr();
        c.routine(word.data(), word.size() + 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.warning);
        EXPECT_STREQ(word.c_str(), "");
    }
}

TEST(WordKeys, CheckPhoneticAcceptsTheWholeAlphabet)
{
    std::string word = "!-aAeEiIoOuUWY0123456bcCdDfghHjkKlmnNprsStTvwyzZ";
    EXPECT_EQ(check_phonetic(word.data()), 1);
    EXPECT_EQ(word, "!-aAeEiIoOuUWY0123456bcCdDfghHjkKlmnNprsStTvwyzZ");
}

TEST(WordKeys, LowerWordAndStripWildcards)
{
    std::string lower = "MiXeD-Case 9";
    lower_word(lower.data());
    EXPECT_EQ(lower, "mixed-case 9");

    char stripped[] = "*co.mp*?";
    strip_wildcards(stripped);
    EXPECT_STREQ(stripped, "comp?");
}

// Bytes above 127 are not letters: the keys drop them and never read past the word.
TEST(WordKeys, HighBytesAreNotLetters)
{
    char word[] = "\xe9t\xe9";
    anagram_key(word, sizeof word);
    EXPECT_STREQ(word, "t");
    char sound[] = "\xe9t";
    sound_key(sound, sizeof sound);
    EXPECT_STREQ(sound, "d");
}

using HeadwordFormTest = search_fixture::SearchTest;

TEST_F(HeadwordFormTest, ReplacesAWordByTheHeadWordOfItsFirstHit)
{
    struct FormCase {
        const char* why;
        const char* word;
        std::size_t capacity;
        const char* form;
    };
    const FormCase cases[] = {
        {"an inflected form becomes its longer head word", "Mice", 80, "mouse"},
        {"the head word is cut at its first bracket", "BASSES", 80, "bass"},
        {"a word that is its own head word is lower-cased", "Listen", 80, "listen"},
        {"a word not in va stays lower-cased", "NoSuchWord", 80, "nosuchword"},
        {"a pattern is left as it is", "Mi*", 80, "Mi*"},
        {"a bracket marks a pattern too", "Mice[1]", 80, "Mice[1]"},
        {"a head word longer than the buffer is cut to fit", "mice", 4, "mou"},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<char> buffer(std::max(c.capacity, std::strlen(c.word) + 1), '\0');
        std::strcpy(buffer.data(), c.word);
        headword_form(buffer.data(), c.capacity);
        EXPECT_STREQ(buffer.data(), c.form);
    }
}

// The marker 127 heads the posting list of "letter": no head word is taken from it.
TEST_F(HeadwordFormTest, MarkerFirstValueKeepsTheLowerCasedWord)
{
    char word[kWordBufferSize] = "Letter";
    headword_form(word, sizeof word);
    EXPECT_STREQ(word, "letter");
}

} // namespace
