// Regular-expression scans as the dictionary runs them: one pattern against every word of
// a word list, most words short.
#include "vkocoll/regexp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

std::vector<RWCString> makeWords()
{
    const std::size_t count = std::getenv("VKO_BENCH_SMOKE") != nullptr ? 1000 : 100000;
    std::mt19937 rng(20261209);
    std::uniform_int_distribution<int> len(2, 12);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::vector<RWCString> words;
    words.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        RWCString w;
        for (int n = len(rng); n > 0; --n)
            w += static_cast<char>(letter(rng));
        words.push_back(w);
    }
    return words;
}

const std::vector<RWCString>& words()
{
    static const std::vector<RWCString> list = makeWords();
    return list;
}

void scan(benchmark::State& state, const char* pattern)
{
    const RWCRegexp re(pattern);
    std::size_t bytes = 0;
    for (const RWCString& w : words())
        bytes += w.length();
    for (auto _ : state) {
        std::size_t hits = 0;
        for (const RWCString& w : words()) {
            std::size_t extent = 0;
            hits += re.index(w, &extent) != RW_NPOS ? 1 : 0;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * words().size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_Regexp_WildcardPrefix(benchmark::State& state) { scan(state, "^ab.*$"); }
void BM_Regexp_WildcardInfix(benchmark::State& state) { scan(state, "^.*ing$"); }
void BM_Regexp_ClassAnywhere(benchmark::State& state) { scan(state, "q[aeiou]+z?"); }

BENCHMARK(BM_Regexp_WildcardPrefix);
BENCHMARK(BM_Regexp_WildcardInfix);
BENCHMARK(BM_Regexp_ClassAnywhere);

} // namespace
