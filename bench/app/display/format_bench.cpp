// format_bench.cpp: the entry-text formatter on entries shaped like the demo dictionary's:
// a typical one (a noun with four senses) and one as long as its longest (a verb with 60
// senses, about 7 KB of fields), written at start into a temporary dictionary. Only the
// formatting is timed; the engine the parts go to does nothing.
#include <benchmark/benchmark.h>

#include "bench_entries.h"

namespace {

using benchentries::Fixture;
using benchentries::fixture;

class NullTarget : public EntryDisplayTarget {
public:
    void SetDisplayOrder(const RWOrdered&, const RWOrdered&, const RWOrdered*) override {}
    void ShowEntry(WordItem* const* parts) override { benchmark::DoNotOptimize(parts); }
};

void format(benchmark::State& state, const char* head_word)
{
    Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("cannot write the fixture dictionary");
        return;
    }
    WordItem word(head_word);
    word.set_entry_offset(static_cast<std::int32_t>(LookUpWord(head_word, 512)));
    const std::uint32_t bytes = entry_length(static_cast<std::uint32_t>(word.entry_offset()), 512);
    NullTarget target;
    for (auto _ : state)
        f.table.FormatEntryText(&word, &target, nullptr);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_FormatEntry_Typical(benchmark::State& state) { format(state, "typical"); }
void BM_FormatEntry_Longest(benchmark::State& state) { format(state, "longest"); }
BENCHMARK(BM_FormatEntry_Typical);
BENCHMARK(BM_FormatEntry_Longest);

} // namespace
