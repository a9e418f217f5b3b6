// frm_app_fixture.h: a running framework for tests without an event loop: a fresh base
// library in test mode, an application object (with its global class library), its
// start-up over a task window, and a document whose windows tests create. Shut-down runs
// when the fixture ends, as the task window's destruction would run it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frm/drawing/cfont.h"
#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cwindow.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace frmtest {

// A document whose BuildWindow makes nothing; tests add windows themselves.
class TestDocument : public FRM_CDocument {
public:
    TestDocument(FRM_CApplication* application, std::int32_t id) : FRM_CDocument(application, id)
    {
    }
    void BuildWindow() override {}
};

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        vkov_test_reset_all();
        FRM_CSwitchBoard::ResetForTests();
        FRM_CFont::GetRegistry()->ResetForTests();
        itsApplication = std::make_unique<FRM_CApplication>();
        // The task window's creation event runs the application's start-up; the base library
        // delivers it once the window is known as the task window, as its system start does.
        itsTaskWindow = vkov_test_create_task_window(hookWinEventHandler);
        EVENT create{};
        create.type = E_CREATE;
        vkov_test_post_event(itsTaskWindow, &create);
        vkok_app_process_pending_events();
        itsDocument = new TestDocument(itsApplication.get(), 5000); // deleted by the application
    }

    void TearDown() override
    {
        if (FRM_CApplication::IsInstantiated())
            vkok_vobj_destroy(itsTaskWindow); // the shut-down
        itsApplication.reset();
        FRM_CFont::GetRegistry()->ResetForTests();
        vkov_test_reset_all();
    }

    // A framework window of the test document; the switchboard deletes it when closed.
    FRM_CWindow* NewWindow(const char* title = "w", float width = 200, float height = 100)
    {
        auto* window = new FRM_CWindow(itsDocument, FRM_CRect(0, 0, width, height),
                                       FRM_CStringRW(title), 0, W_DOC, 0, itsTaskWindow);
        vkok_app_process_pending_events();
        return window;
    }

    static std::vector<vkov_draw_log_entry> Log(WINDOW window)
    {
        std::vector<vkov_draw_log_entry> entries;
        for (int i = 0; i < vkov_debug_draw_log_size(window); ++i) {
            vkov_draw_log_entry entry{};
            vkov_debug_draw_log_get(window, i, &entry);
            entries.push_back(entry);
        }
        return entries;
    }

    // The arguments of each logged drawing call named op, in order.
    static std::vector<std::string> LogArgs(WINDOW window, const char* op)
    {
        std::vector<std::string> args;
        for (const vkov_draw_log_entry& entry : Log(window))
            if (std::string(entry.op) == op)
                args.push_back(entry.args);
        return args;
    }

    std::unique_ptr<FRM_CApplication> itsApplication;
    WINDOW itsTaskWindow = nullptr;
    TestDocument* itsDocument = nullptr;
};

} // namespace frmtest
