// Scans and merges of the engine against in-memory baselines, measured side by side:
// the wildcard scan "*tion" and the regular-expression scans "tion$", "^qu.*k" and
// "^[a-c].*[aeiou]ing$" over the "va" index against loops over a vector of the same
// words: a plain comparison where one is exact (ends_with; starts_with and find), and the
// container library's regular expressions; "^qu.*k" on both sides only over the words
// that sort between "qu" and "qv", the narrowing the engine makes; and the AND
// of two 50,000-entry posting lists (spanning continuation blocks) against
// std::set_intersection. VKO_BENCH_SMOKE=1 shrinks the dictionary.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/datafiles.h"
#include "engine/query.h"
#include "engine/resultlist.h"
#include "engine/scan.h"
#include "engine/wordindex.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"
#include "vkocoll/cstring.h"
#include "vkocoll/regexp.h"

namespace {

constexpr char kWordList[] = "/usr/share/dict/words";
constexpr char kLeftTerm[] = "zzandleft";
constexpr char kRightTerm[] = "zzandright";

bool smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

// The dictionary of the benchmarks, written once: every word of the word list (up to
// 100,000; 4,000 in a smoke run) is a head word and a "va" word. Two extra "va" words
// post every even entry and every entry whose number mod 4 is 0 or 3: 50,000 each, with
// 25,000 in common, in lists that run over many continuation blocks.
struct BenchDictionary {
    std::string base_path;
    std::vector<std::string> va_words;         // every "va" word
    std::vector<std::string> loose_sorted;     // the same in the index's loose order
    std::vector<std::uint32_t> left_postings;  // sorted
    std::vector<std::uint32_t> right_postings; // sorted

    BenchDictionary()
    {
        const std::size_t wanted = smoke() ? 4000 : 100000;
        std::set<std::string> unique;
        std::ifstream in(kWordList);
        for (std::string line; std::getline(in, line) && unique.size() < wanted;) {
            if (!line.empty() && line.size() < kWordBufferSize &&
                dictwriter::loose_compare(line, kLeftTerm) < 0)
                unique.insert(line);
        }
        for (std::size_t i = 0; unique.size() < wanted; ++i)   // no word list: made-up words
            unique.insert("w" + std::to_string(i * 7919 % 1000003) + (i % 5 == 0 ? "tion" : ""));

        dictwriter::DictionarySource source;
        source.header = "benchmark dictionary";
        std::size_t number = 0;
        for (const std::string& word : unique) {
            dictwriter::SourceEntry entry;
            entry.head_word = word;
            entry.fields = dictwriter::encode_field_stream({{0x81, word}});
            entry.terms.push_back({"va", word});
            if (number % 2 == 0)
                entry.terms.push_back({"va", kLeftTerm});
            if (number % 4 == 0 || number % 4 == 3)
                entry.terms.push_back({"va", kRightTerm});
            source.entries.push_back(entry);
            va_words.push_back(word);
            ++number;
        }
        va_words.push_back(kLeftTerm);
        va_words.push_back(kRightTerm);
        loose_sorted = va_words;
        std::stable_sort(loose_sorted.begin(), loose_sorted.end(),
                         [](const std::string& a, const std::string& b) {
                             return dictwriter::loose_compare(a, b) < 0;
                         });

        char dir[] = "/tmp/scanbenchXXXXXX";
        if (mkdtemp(dir) == nullptr)
            std::abort();
        base_path = std::string(dir) + "/bench";
        dictwriter::WrittenDictionary written;
        std::string error;
        if (!dictwriter::write_dictionary(source, base_path, &written, &error)) {
            std::fprintf(stderr, "cannot write the benchmark dictionary: %s\n", error.c_str());
            std::abort();
        }
        for (std::size_t i = 0; i < written.hw_offsets.size(); ++i) {
            if (i % 2 == 0)
                left_postings.push_back(written.hw_offsets[i]);
            if (i % 4 == 0 || i % 4 == 3)
                right_postings.push_back(written.hw_offsets[i]);
        }
        std::sort(left_postings.begin(), left_postings.end());
        std::sort(right_postings.begin(), right_postings.end());
        if (DataFilesPresent("", base_path.c_str()) != 0)
            std::abort();
    }
};

const BenchDictionary& dictionary()
{
    static const BenchDictionary instance;
    return instance;
}

void engine_scan(benchmark::State& state, const char* pattern)
{
    const BenchDictionary& dict = dictionary();
    std::size_t found = 0;
    for (auto _ : state) {
        ResultList list;
        regex_scan(&list, pattern, "va", kBlockSize);
        found = list.values.count();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(dict.va_words.size()));
}

// The container library's regular expression for pattern run on words first..last.
void vector_scan(benchmark::State& state, const char* pattern,
                 const std::vector<std::string>& words, std::size_t first, std::size_t last)
{
    scratch_reset();
    const RWCRegexp regex(wildcard_to_regex(pattern));
    std::size_t found = 0;
    RWCString candidate;
    for (auto _ : state) {
        std::vector<std::uint32_t> matches;
        for (std::size_t i = first; i < last; ++i) {
            candidate = words[i].c_str();
            if (regex.index(candidate) != RW_NPOS)
                matches.push_back(static_cast<std::uint32_t>(i));
        }
        found = matches.size();
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["found"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(last - first));
}

void vector_scan(benchmark::State& state, const char* pattern)
{
    const std::vector<std::string>& words = dictionary().va_words;
    vector_scan(state, pattern, words, 0, words.size());
}

// The words of the loose-ordered list that begin with prefix (loose), as the engine's
// narrowing finds their blocks: first..last.
void loose_range(const std::vector<std::string>& words, const char* prefix, const char* next,
                 std::size_t* first, std::size_t* last)
{
    const auto before = [](const std::string& word, const char* bound) {
        return dictwriter::loose_compare(word, bound) < 0;
    };
    *first = static_cast<std::size_t>(
        std::lower_bound(words.begin(), words.end(), prefix, before) - words.begin());
    *last = static_cast<std::size_t>(
        std::lower_bound(words.begin(), words.end(), next, before) - words.begin());
}

// The plainest exact loop for a pattern: a predicate over the words of first..last.
template <typename Predicate>
void plain_scan(benchmark::State& state, const std::vector<std::string>& words,
                std::size_t first, std::size_t last, Predicate predicate)
{
    std::size_t found = 0;
    for (auto _ : state) {
        std::vector<std::uint32_t> matches;
        for (std::size_t i = first; i < last; ++i) {
            if (predicate(words[i]))
                matches.push_back(static_cast<std::uint32_t>(i));
        }
        found = matches.size();
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["found"] = static_cast<double>(found);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(last - first));
}

bool ends_with_tion(const std::string& word)
{
    return word.ends_with("tion");
}

void BM_Scan_WildcardTion_Engine(benchmark::State& state) { engine_scan(state, "*tion"); }
void BM_Scan_WildcardTion_EndsWithLoop(benchmark::State& state)
{
    const BenchDictionary& dict = dictionary();
    plain_scan(state, dict.va_words, 0, dict.va_words.size(), ends_with_tion);
}
void BM_Scan_WildcardTion_VectorLoop(benchmark::State& state) { vector_scan(state, "*tion"); }
void BM_Scan_RegexTionEnd_Engine(benchmark::State& state) { engine_scan(state, "tion$"); }
void BM_Scan_RegexTionEnd_VectorLoop(benchmark::State& state) { vector_scan(state, "tion$"); }
void BM_Scan_RegexQuK_Engine(benchmark::State& state) { engine_scan(state, "^qu.*k"); }

// "^qu.*k" over the words between "qu" and "qv" in the index's order only, as the
// engine narrows its walk: by the regular expression, and by plain comparison.
void BM_Scan_RegexQuK_NarrowedVectorLoop(benchmark::State& state)
{
    const std::vector<std::string>& words = dictionary().loose_sorted;
    std::size_t first = 0;
    std::size_t last = 0;
    loose_range(words, "qu", "qv", &first, &last);
    vector_scan(state, "^qu.*k", words, first, last);
}

void BM_Scan_RegexQuK_NarrowedPlainLoop(benchmark::State& state)
{
    const std::vector<std::string>& words = dictionary().loose_sorted;
    std::size_t first = 0;
    std::size_t last = 0;
    loose_range(words, "qu", "qv", &first, &last);
    plain_scan(state, words, first, last, [](const std::string& word) {
        return word.starts_with("qu") && word.find('k', 2) != std::string::npos;
    });
}

// A pattern that needs the general matcher: a class at the start, another before the end.
constexpr char kClassPattern[] = "^[a-c].*[aeiou]ing$";
void BM_Scan_RegexClasses_Engine(benchmark::State& state) { engine_scan(state, kClassPattern); }
void BM_Scan_RegexClasses_VectorLoop(benchmark::State& state)
{
    vector_scan(state, kClassPattern);
}

// The two long posting lists looked up and merged, continuation blocks read as the merge
// reaches them.
void BM_And_PostingLists_Engine(benchmark::State& state)
{
    const BenchDictionary& dict = dictionary();
    std::size_t kept = 0;
    for (auto _ : state) {
        ResultList left;
        ResultList right;
        find_word(&left, kLeftTerm, "va", kBlockSize);
        find_word(&right, kRightTerm, "va", kBlockSize);
        and_lists(&left, &right);
        kept = left.values.count();
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = static_cast<double>(kept);
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(dict.left_postings.size() +
                                                      dict.right_postings.size()));
}

void BM_And_PostingLists_SetIntersection(benchmark::State& state)
{
    const BenchDictionary& dict = dictionary();
    std::size_t kept = 0;
    for (auto _ : state) {
        std::vector<std::uint32_t> both;
        std::set_intersection(dict.left_postings.begin(), dict.left_postings.end(),
                              dict.right_postings.begin(), dict.right_postings.end(),
                              std::back_inserter(both));
        kept = both.size();
        benchmark::DoNotOptimize(both.data());
    }
    state.counters["kept"] = static_cast<double>(kept);
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(dict.left_postings.size() +
                                                      dict.right_postings.size()));
}

BENCHMARK(BM_Scan_WildcardTion_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_WildcardTion_EndsWithLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_WildcardTion_VectorLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_RegexTionEnd_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_RegexTionEnd_VectorLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_RegexQuK_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_RegexQuK_NarrowedVectorLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_RegexQuK_NarrowedPlainLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_RegexClasses_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_RegexClasses_VectorLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_And_PostingLists_Engine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_And_PostingLists_SetIntersection)->Unit(benchmark::kMicrosecond);

} // namespace
