// Tests of the preferences window: what each page shows of a record and copies back, the
// lists that follow the search mode and the dictionary, Restore Defaults, and Apply, OK,
// Cancel and the question asked when the window closes with unapplied changes.
#include "app/shell/pref_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/display/entry_painter.h"
#include "app/display/scroll_view_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/settings/settings_files.h"
#include "app/shell/kq_factory.h"
#include "app/display/kq_list_box.h"
#include "app/shell/main_ref_win.h"
#include "resources/menu_tags.h"
#include "app/shell/ref_doc.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nnotebk.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/nscrllbr.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cnav.h"
#include "frm/controls/cfacewin.h"
#include "vkobase/dm.h"
#include "vkobase/scr.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"

#include "../../support/keys.h"
#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

// A window that records the commands it gets (the one Apply notifies).
class Listener : public FRM_CWindow {
public:
    explicit Listener(FRM_CDocument* document)
        : FRM_CWindow(document, FRM_CRect(0, 0, 50, 50), FRM_CStringRW("listener"), 0, W_DOC, 0,
                      reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW)))
    {
    }
    void DoCommand(long command, void*) override { commands.push_back(command); }
    std::vector<long> commands;
};

class PrefWinTest : public TavlinFixture {
protected:
    void Open()
    {
        Start();
        itsDocument = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
        ASSERT_NE(itsDocument, nullptr);
        itsDocument->GetWorkingPrefs().reference = "Alpha";
        OpenWindow();
    }
    void OpenWindow()
    {
        itsWindow = dynamic_cast<PrefWin*>(
            KQedAppFactory::Instance().CreateWindow(itsDocument, KQedAppFactory::kPreferencesWindow));
        ASSERT_NE(itsWindow, nullptr);
    }
    Prefs& Working() const { return itsDocument->GetWorkingPrefs(); }
    // The preferences file cannot be replaced while a folder takes its name.
    void FailWrites(bool fail)
    {
        std::filesystem::remove_all(itsDir.path() + "/" + kPrefsFileName);
        if (fail)
            std::filesystem::create_directory(itsDir.path() + "/" + kPrefsFileName);
    }
    AppearancePage* Appearance() const
    {
        return static_cast<AppearancePage*>(itsWindow->GetPage(PrefWin::kAppearance));
    }
    ReferencePage* Reference() const
    {
        return static_cast<ReferencePage*>(itsWindow->GetPage(PrefWin::kReference));
    }
    BrowseSearchPage* Browse() const
    {
        return static_cast<BrowseSearchPage*>(itsWindow->GetPage(PrefWin::kBrowseSearch));
    }
    bool IsOpen() const { return itsDocument->GetNumWindows() == 1; }
    // A background colour chosen with the colour chooser.
    void ChooseBackColor(std::uint32_t color)
    {
        vkov_dm_test_push_answer(1, nullptr, color);
        Appearance()->DoCommand(AppearancePage::kCmdBackColor, nullptr);
    }
    static std::vector<std::string> Items(const FRM_NListButton* list)
    {
        std::vector<std::string> items;
        for (int i = 0; i < list->GetNumItems(); ++i)
            items.emplace_back(list->GetItem(i, 510).data());
        return items;
    }
    static std::string Selected(const FRM_NListButton* list)
    {
        const int at = list->GetSelectPosition();
        return at >= 0 ? std::string(list->GetItem(at, 510).data()) : std::string("(none)");
    }

    UserInfoDoc* itsDocument = nullptr;
    PrefWin* itsWindow = nullptr;
};

TEST_F(PrefWinTest, PagesShowTheRecordAndCopyTheirControlsBack)
{
    Open();
    EXPECT_EQ(Selected(Appearance()->GetSizeList()), "12");
    EXPECT_EQ(Appearance()->BackColor(), kDefaultBackColor);
    EXPECT_EQ(Appearance()->TextColor(), kDefaultTextColor);
    EXPECT_FALSE(Appearance()->GetInResults()->IsSelected());
    EXPECT_EQ(Items(Reference()->GetList()), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(Selected(Reference()->GetList()), "Alpha");
    EXPECT_EQ(Selected(Browse()->GetModeList()), "Basic");
    EXPECT_EQ(Items(Browse()->GetTypeList()),
              (std::vector<std::string>{"Entry word is...", "Defining text contains...", "Anagram of..."}));
    EXPECT_FALSE(itsWindow->GetOkButton()->IsEnabled()) << "nothing changed yet";
    EXPECT_FALSE(itsWindow->GetApplyButton()->IsEnabled());

    Prefs shown = DefaultPrefs();
    shown.font_size = 18;
    shown.use_in_results = 1;
    shown.text_color = 0x01123456;
    shown.reference = "Beta";
    shown.search_mode = 2;
    shown.search_type = 1;
    shown.highlight_color = 0x01ABCDEF;
    for (int page = 0; page < 3; ++page)
        itsWindow->GetPage(static_cast<PrefWin::Page>(page))->ShowPrefs(shown);
    Prefs copied;
    copied.highlight_color = 7;
    for (int page = 0; page < 3; ++page)
        itsWindow->GetPage(static_cast<PrefWin::Page>(page))->ApplyTo(copied);
    EXPECT_EQ(copied.font_size, 18);
    EXPECT_EQ(copied.use_in_results, 1);
    EXPECT_EQ(copied.back_color, kDefaultBackColor);
    EXPECT_EQ(copied.text_color, 0x01123456u);
    EXPECT_EQ(std::string(copied.reference.data()), "Beta");
    EXPECT_EQ(copied.search_mode, 2);
    EXPECT_EQ(copied.search_type, 1);
    EXPECT_EQ(copied.highlight_color, 7u) << "the highlight colour is not on any page";
}

// The type list follows the mode and the dictionary; a stored type beyond the list selects
// its last entry.
TEST_F(PrefWinTest, TypeListFollowsModeAndDictionary)
{
    Open();
    struct Case {
        const char* reference;
        int mode;
        int type;
        std::vector<std::string> items;
        const char* selected;
    };
    const std::vector<Case> cases = {
        {"Alpha", 0, 1, {"Entry word is...", "Defining text contains...", "Anagram of..."},
         "Defining text contains..."},
        {"Alpha", 1, 9, {"Entry word is...", "Defining text contains...", "Anagram of..."},
         "Anagram of..."},
        {"Beta", 0, 0, {"Entry word is..."}, "Entry word is..."},
        {"Alpha", 2, 0, {"Entry Word starts with...", "Entry Word ends with..."},
         "Entry Word starts with..."},
        {"Alpha", 2, 5, {"Entry Word starts with...", "Entry Word ends with..."},
         "Entry Word ends with..."},
        {"Gone", 0, 0, {}, "(none)"},
        {"Alpha", 7, 0, {}, "(none)"},
    };
    for (const Case& c : cases) {
        Prefs prefs = DefaultPrefs();
        prefs.reference = c.reference;
        prefs.search_mode = c.mode;
        prefs.search_type = c.type;
        Browse()->ShowPrefs(prefs);
        EXPECT_EQ(Items(Browse()->GetTypeList()), c.items) << c.reference << " mode " << c.mode;
        EXPECT_EQ(Selected(Browse()->GetTypeList()), c.selected) << c.reference << " mode " << c.mode;
    }

    // Choosing Browse in the mode list replaces the types and marks the document changed.
    Browse()->ShowPrefs(Working());
    Browse()->GetModeList()->SelectItem(2);
    Browse()->DoCommand(BrowseSearchPage::kCmdMode, nullptr);
    EXPECT_EQ(Items(Browse()->GetTypeList()),
              (std::vector<std::string>{"Entry Word starts with...", "Entry Word ends with..."}));
    EXPECT_TRUE(itsDocument->NeedsSaving());
    EXPECT_TRUE(itsWindow->GetApplyButton()->IsEnabled());
}

TEST_F(PrefWinTest, RestoreDefaultsPerPage)
{
    itsDir.write("c.dct", std::string("ref_name=") + kDefaultReference +
                              "\nbase_dir=data/\nbase_name=alpha\nsearch_text=Word is...,va\n");
    Open();
    Prefs odd = Working();
    odd.font_size = 24;
    odd.back_color = 0x01000080;
    odd.use_in_results = 1;
    odd.reference = "Beta";
    odd.search_mode = 2;
    odd.search_type = 1;
    for (int page = 0; page < 3; ++page)
        itsWindow->GetPage(static_cast<PrefWin::Page>(page))->ShowPrefs(odd);

    Appearance()->DoCommand(AppearancePage::kCmdRestore, nullptr);
    EXPECT_EQ(Selected(Appearance()->GetSizeList()), "12");
    EXPECT_EQ(Appearance()->BackColor(), kDefaultBackColor);
    EXPECT_FALSE(Appearance()->GetInResults()->IsSelected());

    Reference()->DoCommand(ReferencePage::kCmdRestore, nullptr);
    EXPECT_EQ(Selected(Reference()->GetList()), kDefaultReference);

    // The Browse Search page's defaults keep the document's dictionary ("Alpha").
    Browse()->DoCommand(BrowseSearchPage::kCmdRestore, nullptr);
    EXPECT_EQ(Selected(Browse()->GetModeList()), "Basic");
    EXPECT_EQ(Items(Browse()->GetTypeList()).size(), 3u);
    EXPECT_EQ(Selected(Browse()->GetTypeList()), "Entry word is...");
    EXPECT_TRUE(itsDocument->NeedsSaving());
}

TEST_F(PrefWinTest, ColorChooserConfirmedOrCancelled)
{
    Open();
    vkov_dm_test_push_answer(0, nullptr, 0x01FF00FF);  // cancelled
    Appearance()->DoCommand(AppearancePage::kCmdBackColor, nullptr);
    EXPECT_EQ(Appearance()->BackColor(), kDefaultBackColor);
    EXPECT_FALSE(itsDocument->NeedsSaving());
    EXPECT_FALSE(itsWindow->GetApplyButton()->IsEnabled());

    ChooseBackColor(0x01FF00FF);
    EXPECT_EQ(Appearance()->BackColor(), 0x01FF00FFu);
    EXPECT_TRUE(itsDocument->NeedsSaving());
    EXPECT_TRUE(itsWindow->GetOkButton()->IsEnabled());
    EXPECT_EQ(Working().back_color, kDefaultBackColor) << "not applied yet";
}

TEST_F(PrefWinTest, ApplyHandsTheRecordToTheDocumentAndNotifies)
{
    Open();
    auto* listener = new Listener(itsDocument);
    itsWindow->SetNotifyWindow(listener);
    ChooseBackColor(0x01FF00FF);
    itsWindow->DoCommand(PrefWin::kCmdApply, nullptr);
    EXPECT_EQ(Working().back_color, 0x01FF00FFu);
    EXPECT_FALSE(itsDocument->NeedsSaving());
    EXPECT_FALSE(itsWindow->GetApplyButton()->IsEnabled());
    EXPECT_EQ(listener->commands, (std::vector<long>{PrefWin::kCmdPrefsApplied}));
    Prefs read;
    ASSERT_EQ(SettingsFiles().ReadPrefs(&read), 1);
    EXPECT_EQ(read.back_color, 0x01FF00FFu);

    // A write that fails keeps the changes and OK and Apply enabled.
    FailWrites(true);
    ChooseBackColor(0x01000001);
    itsWindow->DoCommand(PrefWin::kCmdApply, nullptr);
    EXPECT_TRUE(itsDocument->NeedsSaving());
    EXPECT_TRUE(itsWindow->GetApplyButton()->IsEnabled());
}

TEST_F(PrefWinTest, OkAppliesAndClosesCancelDiscards)
{
    Open();
    ChooseBackColor(0x01FF00FF);
    itsWindow->DoCommand(PrefWin::kCmdCancel, nullptr);
    EXPECT_TRUE(IsOpen()) << "it goes on the next tick, not inside the button's click";
    vkov_test_advance_clock(1);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Working().back_color, kDefaultBackColor);
    EXPECT_FALSE(itsDocument->NeedsSaving());

    OpenWindow();
    ChooseBackColor(0x01FF00FF);
    const int asked = vkov_dm_test_count();
    itsWindow->DoCommand(PrefWin::kCmdOk, nullptr);
    vkov_test_advance_clock(1);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(vkov_dm_test_count(), asked) << "applied changes need no question";
    EXPECT_EQ(Working().back_color, 0x01FF00FFu);
}

// Closing with unapplied changes asks "Save", "Discard" or "Cancel"; once a save failed,
// it says so and offers to try again or discard.
TEST_F(PrefWinTest, ClosingWithChangesAsks)
{
    Open();
    const char* const changed = "Document has changed, save before closing?|Save|Discard|Cancel";
    const char* const failed = "Can't save preferences file (Pref.kq).\nPref.kq: a folder, not a file.\nTry "
                               "again, or discard the changes?|Try Again|Discard|Cancel";
    struct Case {
        int answer;          // 0 Save (Try Again), 1 Discard, 2 Cancel
        bool failWrites;
        bool closes;
        std::uint32_t kept;  // the document's back colour after
        const char* asked;
    };
    const Case cases[] = {
        {2, false, false, kDefaultBackColor, changed},
        {1, false, true, kDefaultBackColor, changed},
        {0, true, false, 0x01FF00FF, changed},  // the write failed: nothing is lost, the window stays
        {1, true, true, kDefaultBackColor, failed},
        {0, true, false, 0x01FF00FF, changed},  // opened again: nothing has failed yet
        {0, true, false, 0x01FF00FF, failed},   // trying again while the folder is taken
        {0, false, true, 0x01FF00FF, failed},   // and once it is free
    };
    for (const Case& c : cases) {
        Working().back_color = kDefaultBackColor;
        FailWrites(c.failWrites);
        if (!IsOpen())
            OpenWindow();
        ChooseBackColor(0x01FF00FF);
        const int before = vkov_dm_test_count();
        vkov_dm_test_push_answer(c.answer, nullptr, 0);
        itsWindow->Close();
        ASSERT_GE(vkov_dm_test_count(), before + 1);
        EXPECT_STREQ(vkov_dm_test_kind(before), "ask");
        EXPECT_STREQ(vkov_dm_test_text(before), c.asked);
        EXPECT_EQ(IsOpen(), !c.closes) << "answer " << c.answer;
        EXPECT_EQ(Working().back_color, c.kept) << "answer " << c.answer;
    }
}

// A save that fails is told once, with its reason: on OK by the question the closing window
// asks (no warning before it), on Apply by a warning.
TEST_F(PrefWinTest, AFailedSaveIsToldOnceWithItsReason)
{
    Open();
    const std::string failed = "Can't save preferences file (Pref.kq).\nPref.kq: a folder, not a file.";
    struct Case {
        long command;
        bool answered;  // the question answered Discard
        std::vector<std::string> shown;
        bool open;
    };
    const Case cases[] = {
        {PrefWin::kCmdOk, true,
         {"ask: " + failed + "\nTry again, or discard the changes?|Try Again|Discard|Cancel"}, false},
        {PrefWin::kCmdApply, false, {"warning: " + failed}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        FailWrites(true);
        if (!IsOpen())
            OpenWindow();
        ChooseBackColor(0x01FF00FF);
        const int before = vkov_dm_test_count();
        if (c.answered)
            vkov_dm_test_push_answer(1, nullptr, 0);
        itsWindow->DoCommand(c.command, nullptr);
        vkov_test_advance_clock(1);
        std::vector<std::string> shown;
        for (int i = before; i < vkov_dm_test_count(); ++i)
            shown.push_back(std::string(vkov_dm_test_kind(i)) + ": " + vkov_dm_test_text(i));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(IsOpen(), c.open);
    }
}

// What the entry pane of a main window's front page drew since its log was cleared.
struct PaneDrawing {
    std::vector<std::string> clears;     // the colours the pane was cleared with
    std::vector<std::string> textFonts;  // the font of each text drawn
};

PaneDrawing DrawnIn(MainRefWin* window)
{
    PaneDrawing drawn;
    WINDOW pane = window->GetFrontPage()->GetEntryPane()->PaneWindow();
    vkov_draw_log_entry entry{};
    for (std::int32_t i = 0; vkov_debug_draw_log_get(pane, i, &entry); ++i) {
        if (std::string(entry.op) == "clear")
            drawn.clears.emplace_back(entry.args);
        else if (std::string(entry.op) == "draw_text")
            drawn.textFonts.emplace_back(entry.font);
    }
    return drawn;
}

// Apply redraws the entry of every open main window in the new colours and text size at
// once, and OK has them taken once the window is closed.
TEST_F(PrefWinTest, AppliedColoursAndSizeRedrawTheOpenMainWindows)
{
    Start();
    itsDocument = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    MainRefWin* first = MainWindow();
    ASSERT_NE(first, nullptr);
    first->GetFrontPage()->SearchFor("dog");
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    ASSERT_EQ(ReferenceDocuments().size(), 2u);
    MainRefWin* second = ReferenceDocuments()[1]->GetMainWindow();
    second->GetFrontPage()->SearchFor("cat");

    // Edit > Preferences from the first window; headless, its modal loop returns at once.
    first->DoMenuCommand(menutag::kPreferences, 0, 0);
    itsWindow = dynamic_cast<PrefWin*>(itsDocument->GetPreferencesWindow());
    ASSERT_NE(itsWindow, nullptr);
    ChooseBackColor(0x01FFFF00);
    FRM_NListButton* sizes = Appearance()->GetSizeList();
    for (int i = 0; i < sizes->GetNumItems(); ++i)
        if (std::string(sizes->GetItem(i, 510).data()) == "18")
            sizes->SelectItem(i);
    Appearance()->DoCommand(AppearancePage::kCmdSize, nullptr);
    for (MainRefWin* window : {first, second}) {
        vkov_debug_draw_log_clear(window->GetFrontPage()->GetEntryPane()->PaneWindow());
        EXPECT_TRUE(DrawnIn(window).textFonts.empty());
    }

    itsWindow->DoCommand(PrefWin::kCmdApply, nullptr);
    for (MainRefWin* window : {first, second}) {
        SCOPED_TRACE(window == first ? "first" : "second");
        const PaneDrawing drawn = DrawnIn(window);
        EXPECT_NE(std::find(drawn.clears.begin(), drawn.clears.end(), "0x01FFFF00"), drawn.clears.end());
        ASSERT_FALSE(drawn.textFonts.empty()) << "the entry is drawn again";
        for (const std::string& font : drawn.textFonts)
            EXPECT_EQ(font.substr(font.rfind(' ') + 1), "18") << font;
        EXPECT_EQ(window->GetPainter().settings().prefs.back_color, 0x01FFFF00u);
    }

    itsWindow->DoCommand(PrefWin::kCmdCancel, nullptr);
    vkov_test_advance_clock(1);
    ASSERT_EQ(itsDocument->GetPreferencesWindow(), nullptr);

    // What OK applied is taken when the menu command ends, after the modal window (which
    // headless returns at once).
    itsApplication->GetPrefs().text_color = 0x010000FF;
    first->DoMenuCommand(menutag::kPreferences, 0, 0);
    EXPECT_EQ(first->GetPainter().settings().prefs.text_color, 0x010000FFu);
    EXPECT_EQ(second->GetPainter().settings().prefs.text_color, 0x010000FFu);
}

// Preferences opened from one main window and cancelled leave the other window's entry where
// the reader scrolled it.
TEST_F(PrefWinTest, CancelledPreferencesKeepTheOtherWindowsPlaceInItsEntry)
{
    tavlintest::WriteLongCat(itsDir);
    Start();
    itsDocument = itsApplication->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    MainRefWin* first = MainWindow();
    first->GetFrontPage()->SearchFor("cat");
    ScrollViewWin* pane = first->GetFrontPage()->GetEntryPane();
    pane->pane()->DoVScroll(SC_LINE_DOWN, 0);
    vkok_app_process_pending_events();
    const float place = pane->ScrollOriginY();
    ASSERT_LT(place, 0) << "scrolled down a line";
    itsApplication->DoMenuCommand(menutag::kNewWindow, 0, 0);
    ASSERT_EQ(ReferenceDocuments().size(), 2u);
    MainRefWin* second = ReferenceDocuments()[1]->GetMainWindow();
    // Headless, the modal loop returns at once: the window is open as the user cancels it.
    second->DoMenuCommand(menutag::kPreferences, 0, 0);
    itsWindow = dynamic_cast<PrefWin*>(itsDocument->GetPreferencesWindow());
    ASSERT_NE(itsWindow, nullptr);
    itsWindow->DoKey(FRM_CKey(27, 0, 0, 0, 0));
    vkov_test_advance_clock(1);
    vkok_app_process_pending_events();
    EXPECT_EQ(pane->ScrollOriginY(), place);
    std::int32_t minimum = 0, maximum = 0;
    vko_sbar_get_range(pane->scrollBar()->GetVKOWindow(), 2, &minimum, &maximum);
    EXPECT_EQ(vko_sbar_get_pos(pane->scrollBar()->GetVKOWindow(), 2), minimum + 1) << "the thumb where it was";
}

// The hit lists take the colours only while "Also use in Search Results" is checked.
TEST_F(PrefWinTest, HitListsTakeTheColoursOnlyWhenUsedInResults)
{
    Start();
    MainRefWin* window = MainWindow();
    KQListBox* list = window->GetFrontPage()->GetHitList();
    const auto listBack = [list] {
        vkok_app_process_pending_events();
        const FRM_CRect frame = list->GetLocalFrame();
        return vkov_debug_surface_pixel(list->GetVKOWindow(), static_cast<std::int32_t>(frame.Width()) - 20,
                                        static_cast<std::int32_t>(frame.Height()) - 20) & 0xFFFFFFu;
    };
    EXPECT_EQ(listBack(), 0xFFFFFFu);
    struct Case {
        int inResults;
        std::uint32_t back;
    };
    for (const Case& c : {Case{1, 0xFFFF00u}, Case{0, 0xFFFFFFu}, Case{1, 0xFFFF00u}}) {
        Prefs& prefs = itsApplication->GetPrefs();
        prefs.back_color = 0x01FFFF00;
        prefs.use_in_results = c.inResults;
        window->DoCommand(MainRefWin::kCmdPrefsApplied, nullptr);
        EXPECT_EQ(listBack(), c.back) << "use in results " << c.inResults;
    }
}

// Tab runs through the window's buttons (disabled ones skipped), the tab strip and the front
// page's fields, and back to the buttons.
TEST_F(PrefWinTest, TabRunsThroughTheButtonsTheTabsAndTheFrontPage)
{
    Open();
    WINDOW cancel = itsWindow->GetCancelButton()->GetVKOWindow();
    WINDOW strip = itsWindow->GetNotebook()->GetVKOWindow();
    vkok_scr_set_focus_vobj(cancel);
    EXPECT_EQ(test_support::TabFrom(cancel), strip) << "OK and Apply are disabled";
    std::vector<WINDOW> visited;
    for (WINDOW at = test_support::TabFrom(strip); at != cancel && visited.size() < 10; at = test_support::TabFrom(at))
        visited.push_back(at);
    for (WINDOW field : {Appearance()->GetSizeList()->GetVKOWindow(), Appearance()->GetSample()->GetVKOWindow(),
                         Appearance()->GetInResults()->GetVKOWindow()})
        EXPECT_NE(std::find(visited.begin(), visited.end(), field), visited.end());
    EXPECT_EQ(visited.size(), 6u) << "two Change buttons, the size, the sample, the check box, Restore";
    // "Restore Defaults" comes last: made after the lists, it lies above the rectangles their
    // drop-downs reserve.
    EXPECT_EQ(visited.back(), Appearance()->GetRestoreButton()->GetVKOWindow());

    // The page brought to the front is the one Tab enters.
    itsWindow->ShowPage(PrefWin::kReference);
    vkok_scr_set_focus_vobj(strip);
    EXPECT_EQ(vko_vobj_get_parent(test_support::TabFrom(strip)), Reference()->GetCWindow()->GetVKOWindow())
        << "a field on the Reference page's face";
}

// Apply pressed from the keyboard becomes disabled under the focus: the focus goes on to
// Cancel beside it, as Tab would take it, Apply is drawn as a disabled button without the
// focus frame, and the next key acts there.
TEST_F(PrefWinTest, ApplyPressedByTheKeyboardHandsTheFocusOn)
{
    Open();
    FRM_NButton* apply = itsWindow->GetApplyButton();
    const auto drawn = [apply] {
        vkok_app_process_pending_events();
        const FRM_CRect frame = apply->GetLocalFrame();
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < static_cast<int>(frame.Height()); ++y)
            for (int x = 0; x < static_cast<int>(frame.Width()); ++x)
                pixels.push_back(vkov_debug_surface_pixel(apply->GetVKOWindow(), x, y) & 0xFFFFFFu);
        return pixels;
    };
    const auto key = [](WINDOW at, std::uint16_t ch) {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = ch;
        vkov_test_post_event(at, &event);
        vkok_app_process_pending_events();
    };
    const std::vector<std::uint32_t> disabled = drawn();
    ChooseBackColor(0x01FF00FF);
    ASSERT_TRUE(apply->IsEnabled());
    vkok_scr_set_focus_vobj(apply->GetVKOWindow());
    ASSERT_FALSE(drawn() == disabled) << "enabled and focused";
    key(apply->GetVKOWindow(), ' ');
    EXPECT_EQ(Working().back_color, 0x01FF00FFu) << "applied";
    EXPECT_FALSE(apply->IsEnabled());
    WINDOW cancel = itsWindow->GetCancelButton()->GetVKOWindow();
    WINDOW strip = itsWindow->GetNotebook()->GetVKOWindow();
    EXPECT_EQ(vkok_scr_get_focus_vobj(), cancel);
    EXPECT_TRUE(drawn() == disabled) << "Apply is drawn with a focus frame";
    key(cancel, 9);
    EXPECT_EQ(vkok_scr_get_focus_vobj(), strip);
    key(strip, 9);
    EXPECT_EQ(vko_vobj_get_parent(vkok_scr_get_focus_vobj()), Appearance()->GetCWindow()->GetVKOWindow())
        << "Tab from the tab strip enters the front page";
}

// Escape cancels the window, changes and all, from a control of a page (a check box, a closed
// drop-down list) as from the window's own; on an open list it only closes the list.
TEST_F(PrefWinTest, EscapeCancelsFromAnyControl)
{
    const auto press = [](WINDOW at, std::uint16_t ch, bool virt, std::uint32_t modifiers) {
        vkok_scr_set_focus_vobj(at);
        EVENT key{};
        key.type = E_CHAR;
        key.v.chr.ch = ch;
        key.v.chr.virt = virt ? 1 : 0;
        key.v.chr.modifiers = modifiers;
        vkov_test_post_event(at, &key);
        vkok_app_process_pending_events();
        vkov_test_advance_clock(1);
    };
    const auto escapeOn = [&](WINDOW at) { press(at, 27, false, 0); };
    Open();
    ChooseBackColor(0x01FF00FF);
    const int asked = vkov_dm_test_count();
    escapeOn(Appearance()->GetInResults()->GetVKOWindow());
    ASSERT_FALSE(IsOpen()) << "from the check box";
    EXPECT_EQ(vkov_dm_test_count(), asked) << "cancelled changes need no question";
    EXPECT_EQ(Working().back_color, kDefaultBackColor);

    OpenWindow();
    escapeOn(itsWindow->GetNotebook()->GetVKOWindow());
    ASSERT_FALSE(IsOpen()) << "from the tab strip";

    OpenWindow();
    WINDOW sizes = Appearance()->GetSizeList()->GetVKOWindow();
    press(sizes, VKO_KEY_DOWN, true, 8u);  // Alt+Down opens the list
    escapeOn(sizes);
    EXPECT_TRUE(IsOpen()) << "the first Escape closes the open list only";
    escapeOn(sizes);
    EXPECT_FALSE(IsOpen()) << "from the closed size list";
}

// The pages lie on the faces of a notebook, one tab each; the tab strip's click and arrow
// keys bring them to the front, and the controls of a page behind are hidden with it.
TEST_F(PrefWinTest, NotebookTabsShowOnePageAtATime)
{
    Open();
    FRM_NNotebook* notebook = itsWindow->GetNotebook();
    ASSERT_NE(notebook, nullptr);
    ASSERT_EQ(notebook->GetNumTabs(), 3);
    const char* titles[] = {"Appearance", "Reference", "Browse Search"};
    for (short tab = 0; tab < 3; ++tab) {
        EXPECT_STREQ(notebook->GetTabTitle(tab).data(), titles[tab]);
        EXPECT_EQ(itsWindow->GetPage(static_cast<PrefWin::Page>(tab))->GetCWindow(),
                  static_cast<FRM_CWindow*>(notebook->GetFace(tab, 0)));
    }
    EXPECT_LE(notebook->GetFrame().Bottom(), 300 - 40) << "the buttons stay below the notebook";
    ASSERT_NE(itsWindow->GetEnvironment(), nullptr);
    EXPECT_TRUE(Appearance()->GetEnvironment()->GetFont() == itsWindow->GetEnvironment()->GetFont())
        << "the controls' rectangles are made for the window's font";
    EXPECT_EQ(itsWindow->GetFrontPage(), PrefWin::kAppearance);

    const auto shown = [this](PrefWin::Page page) {
        return (vkok_vobj_get_flags(itsWindow->GetPage(page)->GetCWindow()->GetVKOWindow()) &
                VKO_OF_HIDDEN) == 0;
    };
    itsWindow->ShowPage(PrefWin::kBrowseSearch);
    EXPECT_EQ(itsWindow->GetFrontPage(), PrefWin::kBrowseSearch);
    EXPECT_TRUE(shown(PrefWin::kBrowseSearch));
    EXPECT_FALSE(shown(PrefWin::kAppearance));
    EXPECT_FALSE(shown(PrefWin::kReference));

    // A click on the first tab, then Right on the tab strip.
    EVENT press{};
    press.type = E_MOUSE_DOWN;
    press.v.mouse.where = s_pnt{5, 5};
    vkov_test_post_event(notebook->GetVKOWindow(), &press);
    vkok_app_process_pending_events();
    EXPECT_EQ(itsWindow->GetFrontPage(), PrefWin::kAppearance);
    EXPECT_TRUE(shown(PrefWin::kAppearance));
    vkok_scr_set_focus_vobj(notebook->GetVKOWindow());
    EVENT right{};
    right.type = E_CHAR;
    right.v.chr.ch = VKO_KEY_RIGHT;
    right.v.chr.virt = 1;
    vkov_test_post_event(notebook->GetVKOWindow(), &right);
    vkok_app_process_pending_events();
    EXPECT_EQ(itsWindow->GetFrontPage(), PrefWin::kReference);
    EXPECT_FALSE(shown(PrefWin::kAppearance));

    // A page's controls still reach the page and the window.
    Reference()->GetList()->SelectItem(1);
    Reference()->GetList()->DoCommand(ReferencePage::kCmdChosen, nullptr);
    EXPECT_TRUE(itsWindow->GetApplyButton()->IsEnabled());
}

} // namespace

// The lines a label's text takes at a width: words wrapped as a static text wraps them.
int LinesAt(WINDOW window, const std::string& text, int width)
{
    int lines = 1;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = text.find(' ', at);
        const std::string word = text.substr(at, space == std::string::npos ? std::string::npos : space - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && vko_dwin_get_text_width(window, longer.c_str(), -1) > width) {
            ++lines;
            line = word;
        } else {
            line = longer;
        }
        at = space == std::string::npos ? text.size() : space + 1;
    }
    return lines;
}

// Every label of the three pages shows its whole text in its rectangle, wrapped at its width,
// and the check box's title fits beside its mark, in the font the controls draw with.
TEST_F(PrefWinTest, EveryLabelFitsItsRectangle)
{
    Open();
    for (const PrefWin::Page which : {PrefWin::kAppearance, PrefWin::kReference, PrefWin::kBrowseSearch}) {
        const RWOrdered* views = itsWindow->GetPage(which)->GetSubviews();
        ASSERT_NE(views, nullptr);
        for (std::size_t i = 0; i < views->entries(); ++i) {
            const auto* view = static_cast<const FRM_CView*>((*views)[i]);
            const bool isBox = dynamic_cast<const FRM_NCheckBox*>(view) != nullptr;
            if (dynamic_cast<const FRM_NText*>(view) == nullptr && !isBox)
                continue;
            const std::string title = view->GetTitle().data();
            SCOPED_TRACE(title);
            const WINDOW control = view->GetVKOWindow();
            // Measured on the page's face, in the font the face gives its controls.
            const WINDOW face = vko_vobj_get_parent(control);
            ASSERT_NE(face, nullptr);
            FONT_OBJ font = vko_win_get_ctl_font(face);
            FONT_OBJ system = nullptr; // the default font, made to measure with
            if (font == nullptr) {
                system = vko_font_create();
                vko_font_map(system, face);
                font = system;
            }
            vko_dwin_set_font(face, font);
            std::int32_t leading = 0;
            std::int32_t ascent = 0;
            std::int32_t descent = 0;
            vko_font_get_metrics(font, &leading, &ascent, &descent);
            const int lineHeight = ascent + descent;
            ASSERT_GT(lineHeight, 0);
            s_rct area{};
            vko_vobj_get_client_rect(control, &area);
            const int width = area.right - area.left;
            if (isBox)  // the title starts after the mark and the gap beside it
                EXPECT_LE(vko_dwin_get_text_width(face, title.c_str(), -1), width - 13 - 5);
            else
                EXPECT_LE(LinesAt(face, title, width) * lineHeight, area.bottom - area.top);
            if (system != nullptr)
                vko_font_destroy(system);
        }
    }
}
