// scale_fixture.h: a dictionary at the scale of the real one, made from the system word
// list (/usr/share/dict/words): about 100,000 head words, each indexed in "va"; a
// defining-text index "df" whose word frequencies fall off like a natural text's, so
// that common words have posting lists spanning many continuation blocks; and the key
// tables. Deterministic: the same word list and seed give the same files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/dictwriter/dictwriter.h"

namespace dictwriter {

inline constexpr char kScaleWordList[] = "/usr/share/dict/words";
inline constexpr std::uint32_t kScaleSeed = 20261209;

struct ScaleFixture {
    std::vector<std::string> head_words;    // in the order of the entries
    std::vector<std::uint32_t> hw_offsets;  // "hw" offset of each entry
    std::string common_a = "the";           // "df" words found in about half of the
    std::string common_b = "of";            // entries each, independently
    std::uint32_t common_a_count = 0;
    std::uint32_t common_b_count = 0;
};

// The number of head words: every usable word of the list (about 104,000), or 5,000
// when the environment variable VKO_BENCH_SMOKE is 1.
std::size_t scale_word_count();

// The usable words of the list (printable ASCII, 1 to 79 bytes, each once), thinned
// evenly to at most count words. Empty when the list cannot be read.
std::vector<std::string> scale_words(std::size_t count);

// Builds the source (entries, terms, key tables) from words with the given seed.
DictionarySource make_scale_source(const std::vector<std::string>& words, std::uint32_t seed,
                                   ScaleFixture* fixture);

// Writes base_path + ".cmp"/".ndx" with scale_word_count() words and kScaleSeed.
bool write_scale_fixture(const std::string& base_path, ScaleFixture* fixture,
                         std::string* error);

} // namespace dictwriter
