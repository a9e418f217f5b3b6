// scale_fixture.cpp: the scale fixture built from the system word list.
#include "tools/dictwriter/scale_fixture.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <set>
#include <unordered_set>

#include "tools/dictwriter/data_writer.h"

namespace dictwriter {
namespace {

constexpr std::size_t kSmokeWords = 5000;
constexpr std::uint8_t kMainEntryField = 0xD8;
constexpr std::uint8_t kDefinitionField = 0xB0;

// A uniform number in [0, 1) from the generator's raw output, the same on every
// standard library (the distributions are not).
double unit(std::mt19937& random)
{
    return static_cast<double>(random()) / 4294967296.0;
}

bool printable(const std::string& word)
{
    if (word.empty() || word.size() >= 80)
        return false;
    for (const char c : word) {
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

} // namespace

std::size_t scale_word_count()
{
    const char* smoke = std::getenv("VKO_BENCH_SMOKE");
    return smoke != nullptr && std::strcmp(smoke, "1") == 0 ? kSmokeWords : 0;
}

std::vector<std::string> scale_words(std::size_t count)
{
    std::ifstream in(kScaleWordList);
    std::vector<std::string> all;
    std::unordered_set<std::string> seen;
    std::string line;
    while (std::getline(in, line)) {
        if (printable(line) && seen.insert(line).second)
            all.push_back(line);
    }
    if (count == 0 || count >= all.size())
        return all;
    std::vector<std::string> thinned;
    thinned.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        thinned.push_back(all[i * all.size() / count]);
    return thinned;
}

DictionarySource make_scale_source(const std::vector<std::string>& words, std::uint32_t seed,
                                   ScaleFixture* fixture)
{
    std::mt19937 random(seed);
    DictionarySource source;
    source.header = "TavlinCD scale dictionary; shared phrases: a word of the language; "
                    "the act of; the state of being; relating to; one that ";
    source.level = 6;
    source.key_tables = {"tr", "is", "lb", "sc"};
    fixture->head_words = words;
    fixture->common_a_count = 0;
    fixture->common_b_count = 0;
    const double n = static_cast<double>(words.size());
    source.entries.reserve(words.size());
    for (const std::string& head : words) {
        SourceEntry entry;
        entry.head_word = head;
        entry.terms.push_back({"va", head});
        // A definition of 6 to 14 words, drawn log-uniformly over the list: the first
        // words of the list come up far more often, as common words do in a text.
        std::set<std::string> defining;
        std::string text;
        const int length = 6 + static_cast<int>(unit(random) * 9);
        for (int i = 0; i < length; ++i) {
            const auto index = static_cast<std::size_t>(std::pow(n, unit(random))) - 1;
            const std::string& word = words[std::min(index, words.size() - 1)];
            text += (i == 0 ? "" : " ") + word;
            defining.insert(word);
        }
        if (unit(random) < 0.5)
            defining.insert(fixture->common_a);
        if (unit(random) < 0.5)
            defining.insert(fixture->common_b);
        fixture->common_a_count += static_cast<std::uint32_t>(defining.count(fixture->common_a));
        fixture->common_b_count += static_cast<std::uint32_t>(defining.count(fixture->common_b));
        for (const std::string& word : defining)
            entry.terms.push_back({"df", word});
        entry.fields = encode_field_stream({{kMainEntryField, head}, {kDefinitionField, text}});
        source.entries.push_back(std::move(entry));
    }
    return source;
}

bool write_scale_fixture(const std::string& base_path, ScaleFixture* fixture, std::string* error)
{
    const std::vector<std::string> words = scale_words(scale_word_count());
    if (words.empty()) {
        *error = std::string("cannot read the word list ") + kScaleWordList;
        return false;
    }
    const DictionarySource source = make_scale_source(words, kScaleSeed, fixture);
    WrittenDictionary written;
    if (!write_dictionary(source, base_path, &written, error))
        return false;
    fixture->hw_offsets = std::move(written.hw_offsets);
    return true;
}

} // namespace dictwriter
