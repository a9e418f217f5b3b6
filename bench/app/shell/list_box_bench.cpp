// list_box_bench.cpp: filling the hit list as a page does after every search (drawing
// suspended, cleared, the lines added, drawing resumed, the first line selected), for a list
// of a few lines and for the longest a page fills (its text budget of 32000 characters in
// short words), and reading every line back as type-ahead does.
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/shell/kq_list_box.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

class BenchDocument : public FRM_CDocument {
public:
    using FRM_CDocument::FRM_CDocument;
    void BuildWindow() override {}
};

struct Fixture {
    std::unique_ptr<FRM_CApplication> application;
    WINDOW task = nullptr;
    KQListBox* list = nullptr;

    Fixture()
    {
        vkov_test_reset_all();
        vkov_debug_draw_log_enable(FALSE); // a real run keeps no drawing log
        FRM_CSwitchBoard::ResetForTests();
        FRM_CFont::GetRegistry()->ResetForTests();
        application = std::make_unique<FRM_CApplication>();
        task = vkov_test_create_task_window(hookWinEventHandler);
        EVENT create{};
        create.type = E_CREATE;
        vkov_test_post_event(task, &create);
        vkok_app_process_pending_events();
        auto* document = new BenchDocument(application.get(), 5000);
        auto* window = new FRM_CWindow(document, FRM_CRect(0, 0, 320, 480), FRM_CStringRW("list"), 0,
                                       W_DOC, 0, task);
        auto* page = new FRM_CSubview(window, FRM_CRect(0, 0, 320, 480));
        list = new KQListBox(page, FRM_CRect(14, 178, 296, 465));
        vkok_app_process_pending_events();
    }
    ~Fixture()
    {
        if (FRM_CApplication::IsInstantiated())
            vkok_vobj_destroy(task);
        application.reset();
        FRM_CFont::GetRegistry()->ResetForTests();
        vkov_test_reset_all();
    }
};

// Lines as a page cuts them: each counts its length and two against 32000 characters.
std::vector<std::string> Words(std::size_t count)
{
    std::vector<std::string> words;
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::string word = "w" + std::to_string(100000 + i);
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
