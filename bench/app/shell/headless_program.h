// headless_program.h: TavlinCD run in this process, headless, in a folder that holds its
// dictionary descriptions: the application with its task window, its first reference
// document and that document's main window. The working folder goes back when it ends.
#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/shell/kq_app.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/ref_doc.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cswtchbr.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace benchprogram {

struct HeadlessProgram {
    std::filesystem::path oldDir;
    std::unique_ptr<KQedApp> application;
    WINDOW task = nullptr;
    RefDoc* document = nullptr;
    MainRefWin* window = nullptr;  // null when the program did not start

    explicit HeadlessProgram(const std::string& folder)
    {
        vkov_test_reset_all();
        vkov_debug_draw_log_enable(FALSE); // a real run keeps no drawing log
        FRM_CSwitchBoard::ResetForTests();
        FRM_CFont::GetRegistry()->ResetForTests();
        std::error_code code;
        oldDir = std::filesystem::current_path(code);
        std::filesystem::current_path(folder, code);
        if (code)
            return;
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
        if (document != nullptr)
            window = document->GetMainWindow();
    }
    ~HeadlessProgram()
    {
        if (application && FRM_CApplication::IsInstantiated() && vkov_vobj_is_valid(task))
            vkok_vobj_destroy(task);
        application.reset();
        std::error_code code;
        if (!oldDir.empty())
            std::filesystem::current_path(oldDir, code);
    }
    HeadlessProgram(const HeadlessProgram&) = delete;
    HeadlessProgram& operator=(const HeadlessProgram&) = delete;
};

} // namespace benchprogram
