// Tests of documents, the desktop and the application's close: the save prompts answered by
// scripted dialogs, windows closing with and without asking, refusals that keep the program
// running, and the desktop's window order.
#include "frm/runtime/cdocumnt.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/frm_app_fixture.h"
#include "../support/frm_error_capture.h"
#include "frm/runtime/cdesktop.h"
#include "frm/views/ctaskwin.h"

namespace {

// Dialog answers as the base library numbers them.
constexpr std::int32_t kSave = 0;
constexpr std::int32_t kDiscard = 1;
constexpr std::int32_t kCancel = 2;
constexpr std::int32_t kFileCancelled = 1;
constexpr std::int32_t kFileConfirmed = 2;

class DocumentTest : public frmtest::AppFixture {
protected:
    static std::string LastDialogKind()
    {
        const int count = vkov_dm_test_count();
        return count > 0 ? vkov_dm_test_kind(count - 1) : "";
    }
    static int Dialogs() { return vkov_dm_test_count(); }
};

TEST_F(DocumentTest, Save_WithoutANameAsksForOneAndCancelKeepsTheChange)
{
    struct Case {
        const char* why;
        std::int32_t answer;
        const char* path;
        short saved;
    };
    const Case cases[] = {
        {"cancelled save-as keeps the changed flag", kFileCancelled, nullptr, 0},
        {"a chosen name saves", kFileConfirmed, "/tmp/doc.kq", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        itsDocument->SetSave(1);
        vkov_dm_test_push_answer(c.answer, c.path, 0);
        EXPECT_EQ(itsDocument->DoSave(), c.saved);
        EXPECT_EQ(LastDialogKind(), "file_save");
        EXPECT_EQ(itsDocument->NeedsSaving(), c.saved ? 0 : 1);
    }
    itsDocument->SetSave(1);
    const int before = Dialogs();
    EXPECT_EQ(itsDocument->DoSave(), 1) << "a named document only clears its flag";
    EXPECT_EQ(Dialogs(), before);
    EXPECT_EQ(itsDocument->NeedsSaving(), 0);
}

TEST_F(DocumentTest, Close_AnswersOfTheSavePrompt)
{
    struct Case {
        const char* why;
        std::int32_t answer;
        short closed;
        int windowsLeft;
    };
    const Case cases[] = {
        {"cancel keeps the document and its windows", kCancel, 0, 1},
        {"discard closes without saving", kDiscard, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        NewWindow();
        itsDocument->SetSave(1);
        vkov_dm_test_push_answer(c.answer, nullptr, 0);
        EXPECT_EQ(itsDocument->DoClose(), c.closed);
        EXPECT_EQ(LastDialogKind(), "ask");
        EXPECT_EQ(itsDocument->GetNumWindows(), c.windowsLeft);
        itsDocument->SetSave(0);
        itsDocument->CloseAll();
    }
    NewWindow();
    itsDocument->SetSave(1);
    vkov_dm_test_push_answer(kSave, nullptr, 0);
    vkov_dm_test_push_answer(kFileCancelled, nullptr, 0);
    EXPECT_EQ(itsDocument->DoClose(), 0) << "a save that fails keeps the document open";
    EXPECT_EQ(itsDocument->GetNumWindows(), 1);
}

TEST_F(DocumentTest, CloseWindow_AsksOnlyForTheLastWindowOfAChangedDocument)
{
    FRM_CWindow* first = NewWindow("one");
    NewWindow("two");
    itsDocument->SetSave(1);
    const int before = Dialogs();
    EXPECT_EQ(itsDocument->CloseWindow(first), 1);
    EXPECT_EQ(Dialogs(), before) << "another window remains: no question";
    first->Close();
    FRM_CWindow* last = itsDocument->FindWindow(itsDocument->GetNumWindows() > 0
                                                    ? static_cast<FRM_CWindow*>(
                                                          itsDocument->GetWindows()[0])
                                                          ->GetId()
                                                    : 0);
    ASSERT_NE(last, nullptr);
    vkov_dm_test_push_answer(kSave, nullptr, 0);         // save ...
    vkov_dm_test_push_answer(kFileCancelled, nullptr, 0); // ... fails: asked again
    vkov_dm_test_push_answer(kCancel, nullptr, 0);
    EXPECT_EQ(itsDocument->CloseWindow(last), 0);
    EXPECT_EQ(Dialogs(), before + 3);
}

TEST_F(DocumentTest, ApplicationClose_DeletesTheDocumentsThatAgreedBeforeARefusal)
{
    auto* agreeing = new frmtest::TestDocument(itsApplication.get(), 6001);
    auto* refusing = new frmtest::TestDocument(itsApplication.get(), 6002);
    refusing->SetSave(1);
    itsDocument->SetSave(0);
    vkov_dm_test_push_answer(kCancel, nullptr, 0);
    EXPECT_EQ(itsApplication->DoClose(), 0);
    EXPECT_EQ(itsApplication->FindDocument(6001), nullptr) << "closed before the refusal";
    EXPECT_EQ(itsApplication->FindDocument(6002), refusing);
    EXPECT_EQ(itsApplication->FindDocument(FRM_CApplication::kTaskDocId) != nullptr, true);
    (void)agreeing;
}

// A window that refuses to close until it has been asked often enough; a loop that asked
// it again and again would end with it closed. The test keeps the count, as the window may
// be gone.
class RefusingWindow : public FRM_CWindow {
public:
    RefusingWindow(FRM_CDocument* document, WINDOW parent, int* requests)
        : FRM_CWindow(document, FRM_CRect(0, 0, 200, 100), FRM_CStringRW("refusing"), 0, W_DOC, 0,
                      parent),
          itsRequests(requests)
    {
    }
    short Close() override
    {
        if (++*itsRequests > 5)
            return FRM_CWindow::Close();
        return 0;
    }

private:
    int* itsRequests;
};

TEST_F(DocumentTest, CloseAll_StopsAtAWindowThatRefuses)
{
    int requests = 0;
    auto* refusing = new RefusingWindow(itsDocument, itsTaskWindow, &requests);
    vkok_app_process_pending_events();
    NewWindow("after");
    itsDocument->CloseAll();
    EXPECT_EQ(requests, 1) << "asked once, then left open";
    ASSERT_EQ(itsDocument->GetNumWindows(), 1) << "the window after it closed first";
    EXPECT_EQ(static_cast<FRM_CWindow*>(itsDocument->GetWindows()[0]), refusing);
}

TEST_F(DocumentTest, Documents_AddedTwiceAppearOnceAtTheEnd)
{
    auto* other = new frmtest::TestDocument(itsApplication.get(), 6003);
    const int count = itsApplication->GetNumDocuments();
    itsApplication->AddDocument(itsDocument);
    EXPECT_EQ(itsApplication->GetNumDocuments(), count);
    const RWOrdered* documents = itsApplication->GetDocuments();
    EXPECT_EQ((*documents)[documents->entries() - 1], itsDocument);
    (void)other;
}

TEST_F(DocumentTest, Desktop_ActivationOrderAndKeyFocus)
{
    FRM_CDesktop* desktop = FRM_CObjectRWC::GetG()->GetDesktop();
    FRM_CWindow* a = NewWindow("a");
    FRM_CWindow* b = NewWindow("b");
    desktop->SetActiveWindow(a);
    const std::unique_ptr<RWOrdered> windows(desktop->GetWindows());
    EXPECT_EQ((*windows)[windows->entries() - 1], a) << "activation moves a window to the end";
    EXPECT_EQ(desktop->GetFrontWindow(), a);
    auto* focus = new FRM_CView(a, FRM_CRect(0, 0, 10, 10), FRM_CStringRW("f"));
    a->SetKeyFocus(focus);
    EXPECT_EQ(desktop->GetKeyFocus(), focus);
    desktop->RemoveWindow(a);
    EXPECT_EQ(desktop->GetFrontWindow(), nullptr) << "removing the front window clears it";
    EXPECT_EQ(desktop->GetKeyFocus(), nullptr);
    desktop->AddWindow(a);
    (void)b;
}

TEST_F(DocumentTest, Desktop_FrontWindowComesForwardAlsoWhenItHoldsTheFocus)
{
    WINDOW screen = reinterpret_cast<WINDOW>(vko_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW));
    auto* held = new FRM_CWindow(itsDocument, FRM_CRect(0, 0, 200, 100), FRM_CStringRW("held"), 0,
                                 W_DOC, 0, screen);
    auto* over = new FRM_CWindow(itsDocument, FRM_CRect(0, 0, 200, 100), FRM_CStringRW("over"), 0,
                                 W_DOC, 0, screen);
    vkok_app_process_pending_events();
    // The window keeps the keys while another, which never took them, comes over it.
    vko_scr_set_focus_vobj(held->GetVKOWindow());
    vko_vobj_raise(over->GetVKOWindow());
    FRM_CObjectRWC::GetG()->GetDesktop()->SetFrontWindow(held);
    SLIST order = vko_scr_list_wins();
    ASSERT_GT(vko_slist_count(order), 0);
    EXPECT_STREQ(vko_slist_get_elt(order, vko_slist_count(order) - 1, nullptr), "held")
        << "the screen's windows back to front end with it";
    EXPECT_EQ(vko_scr_get_focus_vobj(), held->GetVKOWindow());
    vko_slist_destroy(order);
}

TEST_F(DocumentTest, NullArguments_AreFatal)
{
    FrmErrorCapture errors;
    FRM_CDesktop* desktop = FRM_CObjectRWC::GetG()->GetDesktop();
    desktop->SetFrontWindow(nullptr);
    desktop->SetActiveWindow(nullptr);
    desktop->FindWindow(nullptr);
    desktop->AddWindow(nullptr);
    itsDocument->AddWindow(nullptr);
    itsApplication->AddDocument(nullptr);
    itsApplication->SetEnvironment(nullptr);
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{202, "cdesktop", 72},
                                                     {203, "cdesktop", 90},
                                                     {204, "cdesktop", 108},
                                                     {205, "cdesktop", 127},
                                                     {300, "cdocumnt", 418},
                                                     {3, "capplctn", 485},
                                                     {4, "capplctn", 565}}));
}

TEST_F(DocumentTest, PageSetUp_BeforeAnyPrintingMakesTheRecordAndShowsTheDialog)
{
    const int before = Dialogs();
    vkov_dm_test_push_answer(1, nullptr, 0);
    itsDocument->DoMenuCommand(32007, 0, 0); // File > Print Setup...
    EXPECT_EQ(Dialogs(), before + 1);
    EXPECT_EQ(LastDialogKind(), "page_setup") << "no warning: the record is made on first use";
    s_printrcd* record = itsApplication->GetPrintRecord();
    ASSERT_NE(record, nullptr);

    vkov_dm_test_push_answer(0, nullptr, 0);
    EXPECT_EQ(itsApplication->DoPageSetUp(), 0) << "a cancelled dialog";
    EXPECT_EQ(itsApplication->GetPrintRecord(), record) << "the same record is kept";
}

} // namespace

TEST_F(DocumentTest, TaskWindow_TakesTheMenuBarIdTheBaseLibraryKeeps)
{
    // The base library keeps the program's menu-bar id as the attribute's value.
    for (const long id : {0L, 1L, 124L}) {
        vkov_vobj_set_attr(nullptr, VKO_ATTR_TASKWIN_MENUBAR, id);
        auto* task = reinterpret_cast<FRM_CTaskWin*>(vko_vobj_get_data(itsTaskWindow));
        ASSERT_NE(task, nullptr);
        EXPECT_EQ(task->GetMenuBarId(), id);
    }
}
