// frm_bench_support.h: a running framework for benchmarks, as the tests build it: a fresh
// base library in test mode, an application started over a task window, a document and one
// window of a given size. Shut-down runs when the object goes.
#pragma once

#include <cstdlib>
#include <memory>

#include "frm/drawing/cfont.h"
#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cwindow.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace frmbench {

inline bool smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

class BenchDocument : public FRM_CDocument {
public:
    using FRM_CDocument::FRM_CDocument;
    void BuildWindow() override {}
};

struct Running {
    explicit Running(float width = 800, float height = 600)
    {
        vkov_test_reset_all();
        FRM_CSwitchBoard::ResetForTests();
        FRM_CFont::GetRegistry()->ResetForTests();
        application = std::make_unique<FRM_CApplication>();
        task = vkov_test_create_task_window(hookWinEventHandler);
        EVENT create{};
        create.type = E_CREATE;
        vkov_test_post_event(task, &create);
        vkok_app_process_pending_events();
        document = new BenchDocument(application.get(), 5000); // the application's
        window = new FRM_CWindow(document, FRM_CRect(0, 0, width, height), FRM_CStringRW("bench"),
                                 0, W_DOC, 0, task);
        vkok_app_process_pending_events();
    }
    ~Running()
    {
        vkok_vobj_destroy(task); // the shut-down
        application.reset();
        FRM_CFont::GetRegistry()->ResetForTests();
        vkov_test_reset_all();
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    std::unique_ptr<FRM_CApplication> application;
    WINDOW task = nullptr;
    BenchDocument* document = nullptr;
    FRM_CWindow* window = nullptr; // deleted by the switchboard
};

} // namespace frmbench
