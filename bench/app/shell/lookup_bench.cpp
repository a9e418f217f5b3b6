// lookup_bench.cpp: from a typed word to its entry drawn in the main window (the search run
// in its status window, the hit list filled, the first entry formatted, laid out and
// drawn), against the engine's lookup, hit collection and formatting of the same entry
// alone, in the same run. The program runs headless on a dictionary written at start with
// an entry shaped like the demo's typical one; the benchmark reports both times and their
// ratio (the goal: within 3).
#include <chrono>
#include <fstream>
#include <filesystem>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "bench_dictionary.h"
#include "app/pages/kq_basic_win.h"
#include "app/shell/kq_app.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/ref_doc.h"
#include "engine/engine.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cswtchbr.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

class NullTarget : public EntryDisplayTarget {
public:
    void SetDisplayOrder(const RWOrdered&, const RWOrdered&, const RWOrdered*) override {}
    void ShowEntry(WordItem* const* parts) override { benchmark::DoNotOptimize(parts); }
};

struct Program {
    std::string dir;
    std::filesystem::path oldDir;
    std::unique_ptr<KQedApp> application;
    WINDOW task = nullptr;
    SearchPageWin* page = nullptr;
    RefDoc* document = nullptr;

    Program()
    {
        char pattern[] = "/tmp/vko_lookup_bench_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr)
            return;
        dir = made;
        if (!benchdictionary::write(dir))
            return;
        vkov_test_reset_all();
        vkov_debug_draw_log_enable(FALSE); // a real run keeps no drawing log
        FRM_CSwitchBoard::ResetForTests();
        FRM_CFont::GetRegistry()->ResetForTests();
        oldDir = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        application = std::make_unique<KQedApp>();
        task = vkov_test_create_task_window(hookWinEventHandler);
        EVENT create{};
        create.type = E_CREATE;
        vkov_test_post_event(task, &create);
        vkok_app_process_pending_events();
        const RWOrdered* documents = application->GetDocuments();
        for (std::size_t i = 0; documents != nullptr && i < documents->entries(); ++i)
            if (auto* reference = dynamic_cast<RefDoc*>((*documents)[i]))
                document = reference;
        if (document != nullptr && document->GetMainWindow() != nullptr)
            page = document->GetMainWindow()->GetBasicPage();
    }
    ~Program()
    {
        if (application && FRM_CApplication::IsInstantiated() && vkov_vobj_is_valid(task))
            vkok_vobj_destroy(task);
        application.reset();
        if (!oldDir.empty())
            std::filesystem::current_path(oldDir);
        std::error_code code;
        std::filesystem::remove_all(dir, code);
    }
};

// Made on first use and ended by main, while the engine's own state still exists.
std::unique_ptr<Program> theProgram;
Program& program()
{
    if (!theProgram)
        theProgram = std::make_unique<Program>();
    return *theProgram;
}

void lookup(benchmark::State& state, const char* word)
{
    Program& p = program();
    if (p.page == nullptr) {
        state.SkipWithError("the program did not start on the fixture dictionary");
        return;
    }
    using Clock = std::chrono::steady_clock;
    double program_s = 0, engine_s = 0;
    NullTarget target;
    const std::string query = std::string("va=") + word;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        p.page->SearchFor(word);
        const auto t1 = Clock::now();
        ResultList* found = nullptr;
        RunQuery(&found, query.c_str());
        std::unique_ptr<ResultList> owned(found);
        RWOrdered* hits = owned ? CollectHits(nullptr, owned.get(), 0) : new RWOrdered;
        if (hits->entries() != 0)
            p.document->GetKeyTable().FormatEntryText(static_cast<WordItem*>((*hits)[0]), &target, nullptr);
        hits->clearAndDestroy();
        delete hits;
        const auto t2 = Clock::now();
        program_s += std::chrono::duration<double>(t1 - t0).count();
        engine_s += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["program_us"] = program_s / n * 1e6;
    state.counters["engine_us"] = engine_s / n * 1e6;
    state.counters["ratio"] = engine_s > 0 ? program_s / engine_s : 0;
}

void BM_TypedWordToEntryDrawn_Typical(benchmark::State& state) { lookup(state, "typical"); }
void BM_TypedWordToEntryDrawn_Longest(benchmark::State& state) { lookup(state, "longest"); }
BENCHMARK(BM_TypedWordToEntryDrawn_Typical);
BENCHMARK(BM_TypedWordToEntryDrawn_Longest);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theProgram.reset();
    return 0;
}
