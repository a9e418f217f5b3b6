// Tests of the scans' word matcher: on every pattern and word it must answer what the
// container library's regular expressions answer (a match anywhere in the word), whether
// it compares fixed pieces or runs its state machine, and also when it resumes after the
// bytes a word shares with the previous one.
#include "engine/word_matcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "vkocoll/regexp.h"

namespace {

bool reference(const std::string& pattern, const std::string& word)
{
    return RWCRegexp(pattern.c_str()).index(RWCString(word.c_str())) != RW_NPOS;
}

std::size_t common_prefix(const std::string& a, const std::string& b)
{
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    return n;
}

// Every word over "abc" of up to five letters, in order, so that neighbours share
// prefixes as the words of a block do.
std::vector<std::string> small_words()
{
    std::vector<std::string> words{""};
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].size() < 5) {
            for (char c : std::string("abc"))
                words.push_back(words[i] + c);
        }
    }
    std::sort(words.begin(), words.end());
    return words;
}

// Runs the matcher over words in order, passing the shared prefix, and compares each
// answer with the reference.
void expect_same_answers(const std::string& pattern, const std::vector<std::string>& words)
{
    SCOPED_TRACE("pattern " + pattern);
    WordMatcher matcher(pattern.c_str());
    ASSERT_EQ(matcher.ok(), RWCRegexp(pattern.c_str()).status() == RWCRegexp::OK);
    std::string previous;
    for (const std::string& word : words) {
        const bool got = matcher.matches(word.c_str(), word.size(), common_prefix(previous, word));
        ASSERT_EQ(got, reference(pattern, word)) << "word \"" << word << "\"";
        previous = word;
    }
}

TEST(WordMatcher, AnswersAsTheRegularExpressionsDo)
{
    const char* const patterns[] = {
        // Fixed pieces: prefixes, suffixes, substrings, fixed lengths, mixes.
        "^ab", "bc$", "ca", "^a.c$", "^...$", "^a.*c$", "^a.*b.*c$", "b.*a", "^.*$", "^$", "",
        "^", "$", "a.c", "^.*ab", "ab.*$", "^.b.*.a$", "^abc.*abc$", "^a.*a$", "^aa.*aa$",
        // Sets, repeats and optional atoms: the state machine.
        "^[ab]*c$", "^a+b", "b?c$", "[^a]b", "^a*$", "^(a)", "a|b", "^ab?c*$", "c+$",
        "^[a-b]+[^c]?$", "a.?c", "^*a", "^a**b", "a+?c", "\\.", "a$b", "^[]a]", "[a-",
        "[c-a]", "ab\\",
        // Long unanchored spans keep many runs alive at once.
        "a...b", "^.*a..b?c",
    };
    const std::vector<std::string> words = small_words();
    for (const char* pattern : patterns)
        expect_same_answers(pattern, words);
}

TEST(WordMatcher, ManyRandomPatternsAgree)
{
    // Patterns drawn from the dialect's parts over a small alphabet, so that most words
    // come close to matching.
    const char* const parts[] = {"a", "b", "c", ".", "[ab]", "[^b]", "*", "+", "?", ".*", "\\c"};
    std::uint32_t seed = 12345;
    const auto draw = [&seed](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    const std::vector<std::string> words = small_words();
    for (int i = 0; i < 300; ++i) {
        std::string pattern = draw(2) == 0 ? "^" : "";
        const std::uint32_t count = 1 + draw(5);
        for (std::uint32_t k = 0; k < count; ++k)
            pattern += parts[draw(sizeof parts / sizeof parts[0])];
        if (draw(2) == 0)
            pattern += "$";
        expect_same_answers(pattern, words);
    }
}

TEST(WordMatcher, MachineThatOutgrowsItsStatesStartsAfresh)
{
    // "a" followed by twenty any-bytes, unanchored: the runs alive after a word's bytes
    // are as many as the places of its a's, far more states than the machine keeps.
    const std::string pattern = "a" + std::string(20, '.') + "b";
    std::vector<std::string> words;
    std::uint32_t seed = 7;
    for (int i = 0; i < 3000; ++i) {
        std::string word;
        for (int k = 0; k < 40; ++k) {
            seed = seed * 1103515245u + 12345u;
            word += (seed >> 16) % 2 == 0 ? 'a' : 'b';
        }
        words.push_back(word);
    }
    std::sort(words.begin(), words.end());
    expect_same_answers(pattern, words);
}

TEST(WordMatcher, PatternsOfManyAtomsAgree)
{
    // More atoms than the state machine's sets hold: the regular expressions run as
    // they are.
    const std::string long_literal(70, 'a');
    const std::vector<std::string> words = {long_literal, long_literal + "b",
                                            std::string(69, 'a') + "b", "a"};
    expect_same_answers("^" + long_literal + "b*$", words);
    expect_same_answers(long_literal + "b?", words);
}

} // namespace
