// list_box_bench.cpp: filling the hit list as a page does after every search (drawing
// suspended, cleared, the lines added, drawing resumed, the first line selected), for a list
// of a few lines and for the longest a page fills (its text budget of 32000 characters in
// short words), and reading every line back as type-ahead does.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/display/kq_list_box.h"
#include "bench/frm/frm_bench_support.h"
#include "frm/views/csubview.h"
#include "vkobase/surface_debug.h"

namespace {

// The list where a search page has it, in a window as tall as the main window's.
struct Fixture {
    frmbench::Running running{320, 480};
    KQListBox* list = nullptr;

    Fixture()
    {
        vkov_debug_draw_log_enable(FALSE); // a real run keeps no drawing log
        auto* page = new FRM_CSubview(running.window, FRM_CRect(0, 0, 320, 480));
        list = new KQListBox(page, FRM_CRect(14, 178, 296, 465));
        vkok_app_process_pending_events();
    }
};

// Lines as a page cuts them: each counts its length and two against 32000 characters.
std::vector<std::string> Words(std::size_t count)
{
    std::vector<std::string> words;
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::string word(1, 'w');
        word += std::to_string(100000 + i);
        total += word.size() + 2;
        if (total >= 32000)
            break;
        words.push_back(std::move(word));
    }
    return words;
}

void Fill(benchmark::State& state)
{
    Fixture fixture;
    const std::vector<std::string> words = Words(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        fixture.list->Suspend();
        fixture.list->Clear();
        fixture.list->AddItems(words, 0);
        fixture.list->ResumeList();
        fixture.list->SelectItem(0);
        vkok_app_process_pending_events();
    }
    state.counters["lines"] = static_cast<double>(fixture.list->GetCount());
}
BENCHMARK(Fill)->Arg(3)->Arg(32000)->Unit(benchmark::kMicrosecond);

void ReadBack(benchmark::State& state)
{
    Fixture fixture;
    fixture.list->AddItems(Words(2000), 0);
    for (auto _ : state)
        for (int i = 0; i < fixture.list->GetCount(); ++i)
            benchmark::DoNotOptimize(fixture.list->GetItem(i));
}
BENCHMARK(ReadBack)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
