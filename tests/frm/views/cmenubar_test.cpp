// Tests of the menu tree and the menu bar's data: copy on write with sharing on and off, the
// pre-order searches, the toolkit records a bar builds, and the misuse reports.
#include "frm/views/cmenubar.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ruk/static/vkoruk.h"
#include "tests/frm/views/menu_fixture.h"
#include "tests/frm/support/frm_error_capture.h"

namespace {

using menutest::FileMenu;
using menutest::kEnabled;

// A bar whose protected parts a test may read.
class BarProbe : public FRM_CMenuBar {
public:
    BarProbe() : FRM_CMenuBar(static_cast<FRM_CWindow*>(nullptr)) {}
    using FRM_CMenuBar::FindMenu;
};

class MenuTest : public testing::Test {
protected:
    void SetUp() override { FRM_CMenuBar::SetReferenceCounting(1); }
    void TearDown() override { FRM_CMenuBar::SetReferenceCounting(1); }
};

TEST_F(MenuTest, BarFindsTopLevelSubmenusAndEntriesAtAnyDepth)
{
    BarProbe bar;
    bar.AppendSubmenu(FileMenu());
    bar.AppendSubmenu(FRM_CSubmenu("Edit", 30, 'E', kEnabled));
    EXPECT_NE(bar.FindSubmenu(10), nullptr);
    EXPECT_EQ(bar.FindSubmenu(13), nullptr);    // nested: not a top-level submenu
    EXPECT_EQ(bar.IsInMenu(13), 1);
    EXPECT_EQ(bar.IsChecked(15), 1);
    EXPECT_EQ(bar.IsCheckable(15), 1);
    EXPECT_EQ(bar.IsEnabled(99), 0);
    EXPECT_EQ(bar.GetTitle(14), FRM_CStringRW("Last"));
    EXPECT_EQ(bar.GetTitle(99), FRM_CStringRW());

    EXPECT_EQ(bar.InsertSubmenu(30, FRM_CSubmenu("View", 40, 0, kEnabled)), 1);
    EXPECT_EQ(bar.InsertSubmenu(13, FRM_CSubmenu("Nope", 41, 0, kEnabled)), 0);
    EXPECT_EQ(bar.ReplaceSubmenu(40, FRM_CSubmenu("Window", 42, 0, kEnabled)), 1);
    EXPECT_EQ(bar.RemoveSubmenu(30), 1);
    const RWOrdered& submenus = *bar.GetSubmenus();
    ASSERT_EQ(submenus.entries(), 2u);
    EXPECT_EQ(static_cast<FRM_CSubmenu*>(submenus[1])->GetTag(), 42);
}

TEST_F(MenuTest, ChangingAnEntryOfASharedBarLeavesTheOtherBarAlone)
{
    BarProbe first;
    first.AppendSubmenu(FileMenu());
    FRM_CMenuBar second(first);
    second.SetEnabled(14, 0);     // nested two levels down, in lists both bars share
    second.SetChecked(15, 0);
    second.SetTitle(11, "Open...");
    EXPECT_EQ(first.IsEnabled(14), 1);
    EXPECT_EQ(first.IsChecked(15), 1);
    EXPECT_EQ(first.GetTitle(11), FRM_CStringRW("Open"));
    EXPECT_EQ(second.IsEnabled(14), 0);
    EXPECT_EQ(second.IsChecked(15), 0);
    EXPECT_EQ(second.GetTitle(11), FRM_CStringRW("Open..."));

    second.AppendSubmenu(FRM_CSubmenu("Help", 50, 0, kEnabled));
    EXPECT_EQ(first.GetSubmenus()->entries(), 1u);
    EXPECT_EQ(second.GetSubmenus()->entries(), 2u);
}

struct RecordView {
    short tag;
    std::string text;
    short mkey;
    bool enabled, checked, checkable, separator, hasChild;
};

RecordView View(const s_mitem& r)
{
    return {r.tag, r.text != nullptr ? r.text : "", r.mkey, r.enabled != 0, r.checked != 0,
            r.checkable != 0, r.separator != 0, r.child != nullptr};
}

bool IsZeroRecord(const s_mitem& r)
{
    return r.tag == 0 && r.text == nullptr && r.mkey == 0 && !r.enabled && !r.checked &&
           !r.checkable && !r.separator && r.state == 0 && r.child == nullptr;
}

TEST_F(MenuTest, BarBuildsZeroEndedToolkitRecords)
{
    BarProbe empty;
    s_mitem* none = empty.BuildMenuDef();
    ASSERT_NE(none, nullptr);
    EXPECT_TRUE(IsZeroRecord(none[0]));
    vko_res_free_menu_tree(none);

    BarProbe bar;
    bar.AppendSubmenu(FileMenu());
    s_mitem* tree = bar.BuildMenuDef();
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(IsZeroRecord(tree[1]));
    const RecordView file = View(tree[0]);
    EXPECT_EQ(file.tag, 10);
    EXPECT_EQ(file.text, "File");
    EXPECT_EQ(file.mkey, 'F');
    EXPECT_TRUE(file.hasChild);
    const s_mitem* entries = tree[0].child;
    struct Expected {
        short tag;
        const char* text;
        bool enabled, checked, checkable, separator, hasChild;
    };
    const Expected expected[] = {
        {11, "Open", true, false, false, false, false},
        {-1, "-", false, false, false, true, false},     // separators go with tag -1
        {13, "Recent", true, false, false, false, true},
        {15, "Check", true, true, true, false, false},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].text);
        const RecordView got = View(entries[i]);
        EXPECT_EQ(got.tag, expected[i].tag);
        EXPECT_EQ(got.text, expected[i].text);
        EXPECT_EQ(got.enabled, expected[i].enabled);
        EXPECT_EQ(got.checked, expected[i].checked);
        EXPECT_EQ(got.checkable, expected[i].checkable);
        EXPECT_EQ(got.separator, expected[i].separator);
        EXPECT_EQ(got.hasChild, expected[i].hasChild);
        EXPECT_EQ(entries[i].state, 0);
    }
    EXPECT_TRUE(IsZeroRecord(entries[4]));
    EXPECT_EQ(View(entries[2].child[1]).text, "Open deep");
    EXPECT_TRUE(IsZeroRecord(entries[2].child[2]));
    vko_res_free_menu_tree(tree);
}

TEST_F(MenuTest, BarWithoutWindowChangesOnlyItsOwnEntries)
{
    FrmErrorCapture capture;
    BarProbe bar;
    bar.AppendSubmenu(FileMenu());
    bar.SetTitle(11, "Open again");
    bar.SetEnabled(11, 0);
    bar.DoUpdate();
    bar.DoPopup(FRM_CPoint(5, 5), 10, VKO_POPUP_LEFT_ALIGN);
    EXPECT_EQ(bar.GetTitle(11), FRM_CStringRW("Open again"));
    EXPECT_EQ(bar.IsEnabled(11), 0);
    EXPECT_TRUE(capture.Reports().empty());
}

TEST_F(MenuTest, PopupMisuseIsReported)
{
    struct Case {
        const char* why;
        short tag;
        bool overItemAlignment;
        FrmReport report;
    };
    const Case cases[] = {
        {"the item alignment belongs to the item form", 10, true, {3080, "cmenubar", 346}},
        {"a tag no top-level submenu has", 13, false, {3066, "cmenubar", 328}},
    };
    BarProbe bar;
    bar.AppendSubmenu(FileMenu());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FrmErrorCapture capture;
        bar.DoPopup(FRM_CPoint(1, 1), c.tag,
                    c.overItemAlignment ? static_cast<e_vko_alignment>(VKO_POPUP_OVER_ITEM)
                                        : VKO_POPUP_CENTER);
        EXPECT_EQ(capture.Take(), std::vector<FrmReport>{c.report});
    }
}

} // namespace
