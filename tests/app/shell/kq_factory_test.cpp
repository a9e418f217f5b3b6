// Tests of the program's window factory and ID-data records, headless against the real
// framework: the whole layout is registered, every window is built with its controls in the
// layout's order and properties, the owners' records bind what was made, the user's
// document makes its windows only on demand, and applying the preferences writes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/pages/browse_win.h"
#include "app/pages/kq_adv_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/pages/search_page_win.h"
#include "app/shell/factory_layout.h"
#include "app/shell/id_data.h"
#include "app/settings/settings_files.h"
#include "app/shell/kq_factory.h"
#include "app/shell/sp_help_win.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/nctrls.h"
#include "frm/views/csubview.h"
#include "vkobase/dm.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

// The ids of the views under view, depth first in creation order (views the layout does not
// name, such as a picture inside its button, carry no id of the layout and are left out).
void CollectIds(const FRM_CView* view, std::vector<std::int32_t>* ids)
{
    const RWOrdered* children = view->GetSubviews();
    for (std::size_t i = 0; children != nullptr && i < children->entries(); ++i) {
        const auto* child = static_cast<const FRM_CView*>((*children)[i]);
        if (child->GetId() > 1000 && child->GetId() < 2000)
            ids->push_back(child->GetId());
        CollectIds(child, ids);
    }
}

TEST(KQedAppFactoryLayout, HoldsEveryElementOnceUnderAParentOfTheLayout)
{
    const auto& elements = KQedAppFactory::Instance().GetElements();
    std::map<std::int32_t, int> kinds;
    std::map<std::int32_t, std::int32_t> kindOf;
    for (const auto& element : elements) {
        ++kinds[element.kind];
        EXPECT_TRUE(kindOf.emplace(element.id, element.kind).second) << element.id << " twice";
    }
    EXPECT_EQ(elements.size(), 57u);
    EXPECT_EQ(kinds[FRM_PAFactory::kApplication], 1);
    EXPECT_EQ(kinds[FRM_PAFactory::kDocument], 3);
    EXPECT_EQ(kinds[FRM_PAFactory::kWindow], 10);
    EXPECT_EQ(kinds[FRM_PAFactory::kView], 43);
    // Documents hang under the application, windows under documents, views under windows
    // or views.
    const std::map<std::int32_t, std::set<std::int32_t>> parentKinds = {
        {FRM_PAFactory::kDocument, {FRM_PAFactory::kApplication}},
        {FRM_PAFactory::kWindow, {FRM_PAFactory::kDocument}},
        {FRM_PAFactory::kView, {FRM_PAFactory::kWindow, FRM_PAFactory::kView}},
    };
    for (const auto& element : elements) {
        if (element.kind == FRM_PAFactory::kApplication)
            continue;
        SCOPED_TRACE(element.id);
        ASSERT_EQ(kindOf.count(element.parentId), 1u);
        EXPECT_EQ(parentKinds.at(element.kind).count(kindOf[element.parentId]), 1u);
    }
}

class FactoryTest : public TavlinFixture {
protected:
    RefDoc* Reference() { return ReferenceDocuments().front(); }
};

TEST_F(FactoryTest, EachWindowBuildsItsControlsInTheLayoutsOrder)
{
    Start();
    struct Case {
        std::int32_t window;
        std::vector<std::int32_t> views;   // depth first
    };
    const Case cases[] = {
        {1015, {1071}},
        {1016, {1081, 1083, 1085}},
        {1017, {1260, 1262, 1264, 1268, 1270, 1272, 1274, 1276, 1278}},
        {1018, {1054, 1374, 1376, 1056, 1057, 1059, 1060, 1356}},
        {1025, {1248, 1250, 1252, 1254, 1257}},
        {1026, {1235, 1243, 1362, 1364, 1366, 1368, 1370, 1372, 1484}},
        {1027, {1399, 1401}},
        {1028, {1405, 1406}},
        {1029, {1217, 1221, 1223, 1225}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        // The layout's own window, which every window element's controls are built in.
        FRM_CWindow* window = factory::MakeLaidOutWindow(Reference(), *factory::FindWindowElement(c.window));
        ASSERT_NE(window, nullptr);
        std::vector<std::int32_t> ids;
        CollectIds(window, &ids);
        EXPECT_EQ(ids, c.views);
        window->Close();
        vkok_app_process_pending_events();
    }
    // The task window element makes no object.
    EXPECT_EQ(KQedAppFactory::Instance().MakeWindow(Reference(), 20044), nullptr);
}

TEST_F(FactoryTest, TheProgramsWindowsAreItsClassesWithTheirRecordsBound)
{
    Start();
    KQedAppFactory& factory = KQedAppFactory::Instance();
    MainRefWin* main = MainWindow();
    ASSERT_NE(main, nullptr);
    const MainRefWinIDData& record = main->GetIDData();
    // The record's order is its own: the status texts come second and third.
    const std::vector<std::int32_t> members = {1054, 1374, 1376, 1056, 1057, 1059, 1060, 1356};
    ASSERT_EQ(record.Count(), members.size());
    for (std::size_t i = 0; i < record.Count(); ++i) {
        SCOPED_TRACE(members[i]);
        EXPECT_EQ(record.IdAt(i), members[i]);
        const auto* view = dynamic_cast<const FRM_CView*>(record.At(i));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->GetId(), members[i]);
    }
    EXPECT_EQ(record.GetRunTimeTypeInfo()->GetId(), 1018);
    EXPECT_TRUE(record.GetRunTimeTypeInfo()->CanCast(&frm_type::CDataMembers));
    EXPECT_EQ(factory.GetInstance(1054), nullptr) << "the cache ends with the creation";

    // A window made twice binds its new controls.
    for (const std::int32_t id : {1025, 1029}) {
        SCOPED_TRACE(id);
        FRM_CWindow* first = factory.CreateWindow(Reference(), id);
        FRM_CWindow* second = factory.CreateWindow(Reference(), id);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_NE(first->FindSubview(id == 1025 ? 1248 : 1217),
                  second->FindSubview(id == 1025 ? 1248 : 1217));
        first->Close();
        second->Close();
        vkok_app_process_pending_events();
    }
    EXPECT_NE(dynamic_cast<SpHelpWin*>(factory.CreateWindow(Reference(), 1025)), nullptr);
}

TEST_F(FactoryTest, TheSearchPagesAreMadeFromTheirTypeRecordsOnTheNotebooksFaces)
{
    Start();
    MainRefWin* main = MainWindow();
    ASSERT_NE(main, nullptr);
    struct Case {
        std::int32_t typeId;
        const char* name;
        SearchPageWin::Kind kind;
        bool (*isItsClass)(SearchPageWin* page);
    };
    const Case cases[] = {
        {KQedAppFactory::kBasicPage, "KQBasicWin", SearchPageWin::kBasic,
         [](SearchPageWin* page) { return dynamic_cast<KQBasicWin*>(page) != nullptr; }},
        {KQedAppFactory::kAdvancedPage, "KQAdvWin", SearchPageWin::kAdvanced,
         [](SearchPageWin* page) { return dynamic_cast<KQAdvWin*>(page) != nullptr; }},
        {KQedAppFactory::kBrowsePage, "BrowseWin", SearchPageWin::kBrowse,
         [](SearchPageWin* page) { return dynamic_cast<BrowseWin*>(page) != nullptr; }},
    };
    for (int face = 0; face < 3; ++face) {
        const Case& c = cases[face];
        SCOPED_TRACE(c.name);
        SearchPageWin* page = main->GetPage(face);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetRunTimeTypeInfo()->GetId(), c.typeId);
        EXPECT_STREQ(page->GetRunTimeTypeInfo()->GetName(), c.name);
        EXPECT_TRUE(page->GetRunTimeTypeInfo()->CanCast(&frm_type::CFaceWindow));
        EXPECT_TRUE(c.isItsClass(page));
        EXPECT_EQ(page->GetKind(), c.kind);
        // The page is its notebook's face.
        EXPECT_EQ(main->GetNotebook()->GetFace(static_cast<short>(face), 0), page);
    }
    // A type record that is no page's makes nothing.
    for (const std::int32_t other : {1018, 1021, 1025, 10001})
        EXPECT_EQ(KQedAppFactory::MakePage(other, main->GetNotebook(), 0, Reference(), &main->GetPainter()),
                  nullptr) << other;
}

// A model update a program window does not handle is told in a note naming the update and
// the window (an error in the bookmark window); the null update 20003 is told only by the
// table window, which handles none.
TEST_F(FactoryTest, WindowsTellTheModelUpdatesTheyDoNotHandle)
{
    Start();
    auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    ASSERT_NE(user, nullptr);
    struct Case {
        FRM_CDocument* document;
        std::int32_t window;   // made by the factory; 0: the main window
        const char* kind;
        bool tellsNullUpdate;
    };
    const Case cases[] = {
        {Reference(), 0, "note", false},
        {Reference(), KQedAppFactory::kImageWindow, "note", false},
        {Reference(), KQedAppFactory::kTableWindow, "note", true},
        {user, KQedAppFactory::kBookmarkWindow, "error", false},
        {user, KQedAppFactory::kPreferencesWindow, "note", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        FRM_CWindow* window = c.window == 0 ? MainWindow()
                                            : KQedAppFactory::Instance().CreateWindow(c.document, c.window);
        ASSERT_NE(window, nullptr);
        const int before = vkov_dm_test_count();
        window->DoUpdateModel(0, 5, nullptr);
        ASSERT_EQ(vkov_dm_test_count(), before + 1);
        EXPECT_STREQ(vkov_dm_test_kind(before), c.kind);
        EXPECT_EQ(std::string(vkov_dm_test_text(before)),
                  std::string("Command (5) not handled in dependent window ") + window->GetTitle().data());
        window->DoUpdateModel(0, 20003, nullptr);
        EXPECT_EQ(vkov_dm_test_count(), before + (c.tellsNullUpdate ? 2 : 1));
        if (c.window != 0)
            window->Close();
        vkok_app_process_pending_events();
    }
}

TEST_F(FactoryTest, ControlsCarryTheirTitlesCommandsAndStates)
{
    Start();
    struct Case {
        std::int32_t window;
        std::int32_t view;
        const char* title;
        long command;
        long doubleCommand;
        bool enabled;
    };
    const Case cases[] = {
        {1026, 1235, "Stop", 8001, 20003, true},
        {1026, 1362, "Searching in:", 20003, 20003, true},
        {1025, 1248, "", 9001, 9002, true},
        {1029, 1221, "OK", 7005, 20003, true},
        {1018, 1056, "", 99, 20003, false},
        {1018, 1057, "", 98, 20003, false},
        {1018, 1060, "", 95, 20003, true},
        {1018, 1356, "Select a reference:", 20003, 20003, true},
        {1018, 1374, "0 Entries found.", 20003, 20003, true},
    };
    std::map<std::int32_t, FRM_CWindow*> windows;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.view);
        FRM_CWindow*& window = windows[c.window];
        if (window == nullptr)
            window = factory::MakeLaidOutWindow(Reference(), *factory::FindWindowElement(c.window));
        FRM_CView* view = window->FindSubview(c.view);
        ASSERT_NE(view, nullptr);
        EXPECT_STREQ(view->GetTitle().data(), c.title);
        EXPECT_EQ(view->GetCommand(), c.command);
        EXPECT_EQ(view->GetDoubleCommand(), c.doubleCommand);
        EXPECT_EQ(view->IsEnabled() != 0, c.enabled);
    }
    for (auto& [id, window] : windows)
        window->Close();
    vkok_app_process_pending_events();
}

TEST_F(FactoryTest, StartUpMakesTheApplicationsDocumentsAndTheUserDocumentNoWindow)
{
    Start();
    const KQedAppIDData& record = itsApplication->GetIDData();
    EXPECT_EQ(record.Member(1003), nullptr) << "the task document element makes no object";
    auto* user = record.Get<UserInfoDoc>(1009);
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(record.Get<RefDoc>(1010), Reference());
    EXPECT_EQ(user->GetPreferencesWindow(), nullptr);
    EXPECT_EQ(user->GetBookmarkWindow(), nullptr);
    EXPECT_EQ(user->FindWindow(1016), nullptr);
    EXPECT_EQ(user->FindWindow(1017), nullptr);
    EXPECT_EQ(TaskWinDocIDData().Member(1004), nullptr);
    CTaskWinIDData empty;
    empty.BindMembers(KQedAppFactory::Instance());
    EXPECT_EQ(empty.Count(), 0u);
}

TEST_F(FactoryTest, ApplyWritesThePreferencesOrWarnsAndKeepsThem)
{
    Start();
    auto* user = itsApplication->GetIDData().Get<UserInfoDoc>(1009);
    ASSERT_NE(user, nullptr);
    user->GetWorkingPrefs().font_size = 18;
    user->SetModified(1);
    user->DoCommand(UserInfoDoc::kCmdApply, nullptr);
    EXPECT_EQ(itsApplication->GetPrefs().font_size, 18);
    EXPECT_EQ(user->NeedsSaving(), 0);
    Prefs read;
    ASSERT_TRUE(SettingsFiles().ReadPrefs(&read));
    EXPECT_EQ(read.font_size, 18);

    // A preferences file that cannot be replaced: the application keeps its preferences.
    std::filesystem::remove(itsDir.path() + "/Pref.kq");
    std::filesystem::create_directories(itsDir.path() + "/Pref.kq/x");
    user->GetWorkingPrefs().font_size = 24;
    user->SetModified(1);
    const int before = vkov_dm_test_count();
    user->DoCommand(UserInfoDoc::kCmdApply, nullptr);
    ASSERT_EQ(vkov_dm_test_count(), before + 1);
    EXPECT_STREQ(vkov_dm_test_text(before), "Can't save preferences file (Pref.kq).\nPref.kq: a folder, not a file.");
    EXPECT_EQ(itsApplication->GetPrefs().font_size, 18);
    EXPECT_EQ(user->NeedsSaving(), 1);
}

} // namespace
