// Tests of resources: holds and releases load and free a definition once, the item walk of a
// window names the window first twice (FirstItem, then the first NextItem) and then each
// control, menu resources fill submenus recursively, and the manager finds by id.
#include "frm/runtime/cresourc.h"

#include <gtest/gtest.h>

#include <vector>

#include "../support/frm_app_fixture.h"
#include "../support/frm_error_capture.h"
#include "frm/controls/cradiogr.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nscrlltx.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cwindow.h"

namespace {

constexpr char kResources[] = R"(
menu 700 {
  popup 100 "&File" {
    item 32001 "&New"
    popup 110 "&Recent" {
      item 801 "One"
    }
  }
}
window 600 {
  entry type=1 rect=(0,0,100,200) title="Form"
  entry type=12 rect=(10,10,30,90) title="OK" id=101
  entry type=23 rect=(40,10,90,190) id=205
}
window 610 {
  entry type=1 rect=(0,0,300,300) title="Choices"
  entry type=13 rect=(10,10,30,100) title="One" id=301
  entry type=13 rect=(30,10,50,120) title="Two" id=302
  entry type=13 rect=(50,10,70,110) title="Three" id=303
  entry type=14 rect=(70,10,90,100) title="Exact" id=304
  entry type=18 rect=(100,10,120,200) title="~Name" id=306 ctlflags=0x2
  entry type=23 rect=(130,10,290,290) title="first text" id=305 txattrs=0x20 txmargin=5 txlimit=300
}
)";

// A window object whose toolkit window is never created.
class UnshownWindow : public FRM_CWindow {
public:
    explicit UnshownWindow(FRM_CDocument* document) : FRM_CWindow(document, W_DOC, 0) {}
    ~UnshownWindow() override = default;
};

class ResourceTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(vkov_res_register_text("frm resource test", kResources));
    }
};

TEST_F(ResourceTest, HoldAndRelease_LoadOnceAndFreeWithTheLastRelease)
{
    FRM_CResourceWindow window(600);
    struct Step {
        const char* why;
        bool hold;
        std::int32_t count;
        long firstItem;
    };
    const Step steps[] = {
        {"first hold loads", true, 1, 600},   {"second hold counts", true, 2, 600},
        {"one release keeps it", false, 1, 600}, {"last release frees it", false, 0, 0},
        {"another release does nothing", false, 0, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        if (s.hold)
            EXPECT_EQ(window.Hold(), 1);
        else
            window.Release();
        EXPECT_EQ(window.GetHoldCount(), s.count);
        EXPECT_EQ(window.FirstItem(), s.firstItem);
    }
    FRM_CResourceWindow missing(4711);
    EXPECT_EQ(missing.Hold(), 0);
    EXPECT_EQ(missing.GetHoldCount(), 0);
}

TEST_F(ResourceTest, WindowWalk_NamesTheWindowTwiceThenEachControl)
{
    FRM_CResourceWindow window(600);
    ASSERT_EQ(window.Hold(), 1);
    std::vector<long> walk{window.FirstItem()};
    for (long id = window.NextItem(); id != 0; id = window.NextItem())
        walk.push_back(id);
    EXPECT_EQ(walk, (std::vector<long>{600, 600, 101, 205}));
    EXPECT_EQ(window.GetItemType(600), 1);
    EXPECT_EQ(window.GetItemType(101), 12);
    EXPECT_EQ(window.GetItemType(205), 23);
    EXPECT_EQ(window.GetItemType(999), 0);
    window.Release();
}

TEST_F(ResourceTest, MenuObject_FillsASubmenuWithItsNestedEntries)
{
    FRM_CResourceMenu menu(700);
    ASSERT_EQ(menu.Hold(), 1);
    const long tag = menu.FirstItem();
    EXPECT_EQ(menu.GetItemType(tag), 0) << "an entry with children";
    FRM_CSubmenu file;
    EXPECT_EQ(menu.IObject(tag, &file), 1);
    EXPECT_STREQ(file.GetTitle().data(), "&File");
    ASSERT_EQ(file.GetMenus()->entries(), 2u);
    EXPECT_NE(file.Find(32001), nullptr);
    EXPECT_NE(file.Find(801), nullptr) << "nested entries are built recursively";
    FRM_CMenuItem notASubmenu;
    EXPECT_EQ(menu.IObject(tag, &notASubmenu), 0);
    menu.Release();
}

TEST_F(ResourceTest, Manager_FindsTheEarlierOfTwoAndItemCursorsHold)
{
    FRM_CResourceMgr* manager = FRM_CObjectRWC::GetG()->GetResourceMgr();
    auto* first = new FRM_CResourceWindow(600);
    auto* second = new FRM_CResourceWindow(600);
    EXPECT_EQ(manager->Insert(first), 600);
    EXPECT_EQ(manager->Insert(second), 600);
    EXPECT_EQ(manager->Insert(nullptr), 0);
    EXPECT_EQ(manager->Find(600), first);
    EXPECT_EQ(manager->GetResources(), (std::vector<FRM_CResource*>{first, second}))
        << "both kept, in the order inserted, and nothing for the null one";
    {
        FRM_CResourceItems items(600);
        EXPECT_EQ(first->GetHoldCount(), 1);
        FRM_CResourceItems copy(items);
        EXPECT_EQ(first->GetHoldCount(), 2);
        EXPECT_EQ(items.GetType(101), 12);
    }
    EXPECT_EQ(first->GetHoldCount(), 0);
    EXPECT_EQ(manager->Remove(600, 1), 1);
    EXPECT_EQ(manager->Find(600), second);
    EXPECT_EQ(manager->GetResources(), (std::vector<FRM_CResource*>{second}));

    FrmErrorCapture errors;
    FRM_CResourceItems missing(4711);
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{2680, "crescitm", 33}}));
    EXPECT_EQ(missing.First(), 0);
}

TEST_F(ResourceTest, WindowObject_GivesEachKindOfControlWhatItsEntryHolds)
{
    FRM_CObjectRWC::GetG()->GetResourceMgr()->Insert(new FRM_CResourceWindow(610));
    FRM_CWindow* window = NewWindow("host", 300, 300);

    // A radio group is named by its first button and takes the run that follows, up to the
    // first entry of another type.
    auto* group = new FRM_CRadioGroup(window, 610, 301);
    EXPECT_EQ(group->GetNumViews(), 3);
    for (long id : {301L, 302L, 303L})
        EXPECT_NE(group->FindResourceView(610, id), nullptr) << id;
    EXPECT_EQ(group->FindResourceView(610, 304), nullptr) << "the check box ends the run";
    EXPECT_EQ(group->GetFrame(), FRM_CRect(10, 10, 120, 70)) << "the run's rectangles";

    auto* label = new FRM_NText(window, 610, 306);
    EXPECT_STREQ(label->GetTitle().data(), "~Name");
    EXPECT_EQ(label->GetFrame(), FRM_CRect(10, 100, 200, 120));
    EXPECT_EQ(label->GetAttributes(), 0x2);
    EXPECT_EQ(label->GetVKOType(), WC_TEXT);

    auto* text = new FRM_NScrollText(window, 610, 305);
    EXPECT_STREQ(text->GetText().data(), "first text");
    EXPECT_EQ(text->GetLimit(), 300);
    EXPECT_FLOAT_EQ(text->GetMargin(), 5);
    EXPECT_NE(text->GetVScrollBar(), nullptr) << "0x20 asks for a vertical bar";
    EXPECT_EQ(text->GetHScrollBar(), nullptr);

    // A window object not yet shown takes its fields; nothing is created or moved.
    FRM_CResourceItems items(610);
    auto* unshown = new UnshownWindow(itsDocument);
    EXPECT_EQ(items.IObject(610, unshown), 1);
    EXPECT_STREQ(unshown->GetTitle().data(), "Choices");
    EXPECT_EQ(unshown->GetFrame(), FRM_CRect(0, 0, 300, 300));
    EXPECT_EQ(unshown->GetVKOWindow(), nullptr);
    FRM_CSwitchBoard::SetCWindowDelete(1);   // windows are deleted by the switchboard
    delete unshown;
    FRM_CSwitchBoard::SetCWindowDelete(0);

    FRM_CSubview plain(window, FRM_CRect(0, 0, 10, 10));
    EXPECT_EQ(items.IObject(304, &plain), 1) << "a view of no control kind takes nothing";
    EXPECT_EQ(plain.GetFrame(), FRM_CRect(0, 0, 10, 10));
    EXPECT_EQ(items.IObject(999, label), 0) << "no entry";
    EXPECT_STREQ(label->GetTitle().data(), "~Name");
}

} // namespace
