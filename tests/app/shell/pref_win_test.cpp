// Tests of the preferences window: what each page shows of a record and copies back, the
// lists that follow the search mode and the dictionary, Restore Defaults, and Apply, OK,
// Cancel and the question asked when the window closes with unapplied changes.
#include "app/shell/pref_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings/settings_files.h"
#include "app/shell/kq_factory.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cdocumnt.h"
#include "vkobase/dm.h"

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

// Closing with unapplied changes asks "Save", "Discard" or "Cancel".
TEST_F(PrefWinTest, ClosingWithChangesAsks)
{
    Open();
    struct Case {
        int answer;          // 0 Save, 1 Discard, 2 Cancel
        bool failWrites;
        bool closes;
        std::uint32_t kept;  // the document's back colour after
    };
    const Case cases[] = {
        {2, false, false, kDefaultBackColor},
        {1, false, true, kDefaultBackColor},
        {0, true, false, 0x01FF00FF},  // the write failed: nothing is lost, the window stays
        {0, false, true, 0x01FF00FF},
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
        EXPECT_STREQ(vkov_dm_test_text(before),
                     "Document has changed, save before closing?|Save|Discard|Cancel");
        EXPECT_EQ(IsOpen(), !c.closes) << "answer " << c.answer;
        EXPECT_EQ(Working().back_color, c.kept) << "answer " << c.answer;
    }
}

TEST_F(PrefWinTest, TabsShowOnePageAtATime)
{
    Open();
    EXPECT_EQ(itsWindow->GetFrontPage(), PrefWin::kAppearance);
    itsWindow->ShowPage(PrefWin::kBrowseSearch);
    EXPECT_FALSE(Appearance()->IsVisible());
    EXPECT_FALSE(Reference()->IsVisible());
    EXPECT_TRUE(Browse()->IsVisible());
    EXPECT_TRUE(Browse()->GetModeList()->IsVisible());
    EXPECT_FALSE(Appearance()->GetSizeList()->IsVisible());
}

} // namespace
