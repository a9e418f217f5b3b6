// Tests of the menu tree: flags and the toolkit record reader, copy on write with sharing on
// and off, the pre-order searches and the entries a submenu refuses.
#include "frm/views/csubmenu.h"

#include "frm/views/cmenubar.h"
#include "tests/frm/views/menu_fixture.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/frm/support/frm_error_capture.h"

namespace {

using menutest::FileMenu;
using menutest::kEnabled;

std::vector<short> Tags(const FRM_CSubmenu& submenu)
{
    std::vector<short> tags;
    const RWOrdered& menus = *submenu.GetMenus();
    for (std::size_t i = 0; i < menus.entries(); ++i)
        tags.push_back(static_cast<const FRM_CMenu*>(menus[i])->GetTag());
    return tags;
}

class MenuTest : public testing::Test {
protected:
    void SetUp() override { FRM_CMenuBar::SetReferenceCounting(1); }
    void TearDown() override { FRM_CMenuBar::SetReferenceCounting(1); }
};

TEST_F(MenuTest, FlagBitsReadAndSetIndividually)
{
    FRM_CMenuItem item("Item", 1, 0, kEnabled);
    item.SetChecked(1);
    EXPECT_EQ(item.GetFlags(), 3);
    item.SetEnabled(0);
    EXPECT_EQ(item.GetFlags(), 2);
    EXPECT_EQ(FRM_CMenuItem("-", 2, 0, FRM_CMenu::SEPARATOR).IsSeparator(), 1);
    EXPECT_EQ(FRM_CMenuItem("x", 3, 0, 0x104).IsCheckable(), 1);   // other bits are kept, ignored

    s_mitem record{};
    char text[] = "Save";
    record.tag = 7;
    record.text = text;
    record.mkey = 'S';
    record.checked = 1;
    record.separator = 1;
    FRM_CMenuItem read;
    read.ReadRecord(record);
    EXPECT_EQ(read.GetTitle(), FRM_CStringRW("Save"));
    EXPECT_EQ(read.GetTag(), 7);
    EXPECT_EQ(read.GetMnemonic(), 'S');
    EXPECT_EQ(read.GetFlags(), FRM_CMenu::CHECKED | FRM_CMenu::SEPARATOR);
}

TEST_F(MenuTest, SharedCopyIsCopiedOnItsFirstChange)
{
    struct Case {
        const char* why;
        short sharing;
    };
    const Case cases[] = {{"sharing on: the copy shares until it changes", 1},
                          {"sharing off: the copy is deep from the start", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CMenuBar::SetReferenceCounting(c.sharing);
        FRM_CSubmenu original = FileMenu();
        FRM_CSubmenu copy(original);
        EXPECT_EQ(copy.GetRep() == original.GetRep(), c.sharing == 1);
        EXPECT_EQ(original.GetRep()->GetRefCount(), c.sharing);
        copy.Append(FRM_CMenuItem("Exit", 16, 0, kEnabled));
        EXPECT_NE(copy.GetRep(), original.GetRep());
        EXPECT_EQ(original.GetRep()->GetRefCount(), 0);
        EXPECT_EQ(Tags(original), (std::vector<short>{11, 12, 13, 15}));
        EXPECT_EQ(Tags(copy), (std::vector<short>{11, 12, 13, 15, 16}));
        // A change deep inside the copy stays out of the original's nested list.
        ASSERT_EQ(copy.Remove(14), 1);
        EXPECT_NE(original.Find(14), nullptr);
        EXPECT_EQ(copy.Find(14), nullptr);
    }
}

// An assigned submenu takes the other's title, tag, mnemonic, flags and entries, even when
// the other is one of its own entries.
TEST_F(MenuTest, AssignedSubmenuTakesTheEntryAndItsList)
{
    const short sharingModes[] = {1, 0};
    for (const short sharing : sharingModes) {
        SCOPED_TRACE(sharing == 1 ? "sharing on" : "sharing off");
        FRM_CMenuBar::SetReferenceCounting(sharing);
        const FRM_CSubmenu file = FileMenu();
        FRM_CSubmenu edit("Edit", 20, 'E', 0);
        edit.Append(FRM_CMenuItem("Undo", 21, 0, kEnabled));
        edit = file;
        EXPECT_EQ(edit.GetTitle(), FRM_CStringRW("File"));
        EXPECT_EQ(edit.GetTag(), 10);
        EXPECT_EQ(edit.GetMnemonic(), 'F');
        EXPECT_EQ(edit.GetFlags(), kEnabled);
        EXPECT_EQ(Tags(edit), (std::vector<short>{11, 12, 13, 15}));
        EXPECT_EQ(edit.GetRep() == file.GetRep(), sharing == 1);

        FRM_CSubmenu nested = FileMenu();
        nested = *static_cast<const FRM_CSubmenu*>(nested.Find(13));
        EXPECT_EQ(nested.GetTitle(), FRM_CStringRW("Recent"));
        EXPECT_EQ(nested.GetMnemonic(), 'R');
        EXPECT_EQ(Tags(nested), (std::vector<short>{14, 11}));
    }
}

TEST_F(MenuTest, SearchesVisitEntriesInPreOrder)
{
    FRM_CSubmenu file = FileMenu();
    FRM_CMenu* open = file.Find(11);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->GetTitle(), FRM_CStringRW("Open"));    // the top entry before the nested one
    ASSERT_EQ(file.Remove(11), 1);
    ASSERT_NE(file.Find(11), nullptr);
    EXPECT_EQ(file.Find(11)->GetTitle(), FRM_CStringRW("Open deep"));

    // Insert at a nested submenu's tag goes before the submenu in its parent, not into it.
    ASSERT_EQ(file.Insert(13, FRM_CMenuItem("Before", 20, 0, kEnabled)), 1);
    EXPECT_EQ(Tags(file), (std::vector<short>{12, 20, 13, 15}));
    ASSERT_EQ(file.Replace(14, FRM_CMenuItem("Newest", 21, 0, kEnabled)), 1);
    EXPECT_EQ(Tags(*static_cast<FRM_CSubmenu*>(file.Find(13))), (std::vector<short>{21, 11}));
    EXPECT_EQ(file.Remove(99), 0);
    EXPECT_EQ(file.Insert(99, FRM_CMenuItem("x", 1, 0, 0)), 0);
}

TEST_F(MenuTest, OnlyExactMenuItemsAndSubmenusAreAccepted)
{
    class DerivedItem : public FRM_CMenuItem {
    public:
        DerivedItem() : FRM_CMenuItem("Derived", 5, 0, kEnabled) {}
    };
    FrmErrorCapture capture;
    FRM_CSubmenu menu("M", 1, 0, kEnabled);
    EXPECT_EQ(menu.Append(FRM_CMenu("Plain", 4, 0, kEnabled)), 0);
    EXPECT_EQ(menu.Append(DerivedItem()), 1);    // same type record: taken as a plain item
    const std::vector<FrmReport> expected = {{3005, "csubmenu", 52}};
    EXPECT_EQ(capture.Take(), expected);
    EXPECT_EQ(Tags(menu), (std::vector<short>{5}));
}

} // namespace
