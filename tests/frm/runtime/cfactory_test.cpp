// Tests of the factory classes over the started application's stacks: a factory pushed on
// a kind that overrides one operation gets that operation, and every other request passes
// down to the default below it; the defaults build the framework's own classes.
#include "frm/runtime/cfactory.h"

#include <gtest/gtest.h>

#include "../support/frm_app_fixture.h"
#include "frm/views/cctldelg.h"
#include "frm/controls/cradiogr.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nscrlltx.h"
#include "frm/core/ccntrllr.h"
#include "frm/runtime/cnav.h"
#include "frm/views/catchwin.h"
#include "frm/views/cfxdgrid.h"
#include "frm/views/cglue.h"
#include "frm/views/cmenubar.h"
#include "frm/views/ctext.h"
#include "frm/views/cwinhelp.h"

namespace {

// Overrides the glue only.
class GlueFactory : public CViewFactory {
public:
    FRM_CGlue* ConstructGlue(FRM_CView* view) override
    {
        ++itsMade;
        return new FRM_CGlue(view);
    }
    int itsMade = 0;
};

// Overrides the push button only, and counts what it builds.
class ButtonFactory : public CResourceFactory {
public:
    FRM_NButton* ConstructNButton(FRM_CSubview* parent, long resourceId, long itemId) override
    {
        ++itsMade;
        return new FRM_NButton(parent, resourceId, itemId);
    }
    int itsMade = 0;
};

class FactoryTest : public frmtest::AppFixture {};

TEST_F(FactoryTest, Override_TakesItsOperationAndPassesTheOthersDown)
{
    FRM_CFactoryMgr* manager = FRM_CObjectRWC::GetG()->GetFactoryMgr();
    GlueFactory mine;
    manager->AddFactory(FRM_CFactoryMgr::kView, &mine);
    FRM_CWindow* window = NewWindow();
    CViewFactory* top = CViewFactory::GetTop();
    ASSERT_EQ(top, &mine);
    FRM_CText* text = top->ConstructCText(window, FRM_CPoint(5, 5), FRM_CStringRW("hello"));
    ASSERT_NE(text, nullptr) << "the default below builds what the override does not";
    EXPECT_EQ(text->GetEnclosure(), window);
    const int madeForTheText = mine.itsMade;
    EXPECT_GE(madeForTheText, 1) << "the new view's glue came from the override";
    delete top->ConstructGlue(text);
    EXPECT_EQ(mine.itsMade, madeForTheText + 1);
    manager->RemoveFactory(FRM_CFactoryMgr::kView, &mine);
    EXPECT_NE(CViewFactory::GetTop(), &mine);
}

TEST_F(FactoryTest, Defaults_BuildTheFrameworksClasses)
{
    FRM_CWindow* window = NewWindow();
    std::unique_ptr<FRM_CNavigator> navigator(CWindowFactory::GetTop()->ConstructNavigator(window));
    EXPECT_NE(dynamic_cast<FRM_CWindowNavigator*>(navigator.get()), nullptr);
    navigator.reset();
    ASSERT_TRUE(vkov_res_register_text("factory test", "menu 5 {\n popup 10 \"&File\" {\n  item 11 \"&New\"\n }\n}\n"));
    std::unique_ptr<FRM_CMenuBar> bar(CMenuFactory::GetTop()->ConstructCMenuBar(window, 5, 9));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetWindow(), window);
    EXPECT_NE(bar->FindSubmenu(10), nullptr) << "built from menu resource 5, not 9";
    EXPECT_NE(FRM_CObjectRWC::GetG()->GetControllerMgr(), nullptr);
    FRM_CFixedGrid* grid =
        CViewFactory::GetTop()->ConstructCFixedGrid(window, FRM_CPoint(0, 0), 10, 20, 3, 4);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetEnclosure(), window);
    FRM_CAttachmentWindow* floating =
        CPlatformFactory::GetTop()->ConstructAttachmentWindow(nullptr, nullptr, 1);
    EXPECT_NE(dynamic_cast<CWin95AttachmentWindow*>(floating), nullptr)
        << "the Win32 platform builds the Win95 look";
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(floating->GetCommandWindow(), nullptr);
    floating->Close();
}

TEST_F(FactoryTest, WindowResource_TakesEachControlFromTheTopResourceFactory)
{
    ASSERT_TRUE(vkov_res_register_text("factory controls", R"(
window 7400 {
  entry type=1 rect=(0,0,200,300) title="Controls"
  entry type=12 rect=(10,10,30,90) title="Go" id=101
  entry type=14 rect=(40,10,60,120) title="Exact" id=102
  entry type=13 rect=(70,10,90,120) title="One" id=103
  entry type=13 rect=(90,10,110,120) title="Two" id=104
  entry type=23 rect=(120,10,290,190) title="text" id=105
}
)"));
    FRM_CFactoryMgr* manager = FRM_CObjectRWC::GetG()->GetFactoryMgr();
    ButtonFactory mine;
    manager->AddFactory(FRM_CFactoryMgr::kResource, &mine);
    auto* window = new FRM_CWindow(itsDocument, 7400, 1, itsTaskWindow);
    vkok_app_process_pending_events();
    EXPECT_EQ(mine.itsMade, 1) << "the button came from the override";
    EXPECT_NE(FrmCast<FRM_NButton>(window->FindResourceView(7400, 101)), nullptr);
    EXPECT_NE(FrmCast<FRM_NCheckBox>(window->FindResourceView(7400, 102)), nullptr)
        << "the check box from the default below";
    auto* group = FrmCast<FRM_CRadioGroup>(window->FindResourceView(7400, 103));
    ASSERT_NE(group, nullptr) << "one group for the run of radio buttons";
    EXPECT_EQ(group->GetNumViews(), 2);
    EXPECT_NE(FrmCast<FRM_NScrollText>(window->FindResourceView(7400, 105)), nullptr);
    manager->RemoveFactory(FRM_CFactoryMgr::kResource, &mine);
    EXPECT_EQ(window->Close(), 1);
    vkok_app_process_pending_events();
}

TEST_F(FactoryTest, PlatformDefault_GivesEachNativeViewADelegateOfItsOwn)
{
    FRM_CWindow* window = NewWindow();
    auto* button = new FRM_NButton(window, FRM_CRect(10, 10, 90, 30), FRM_CStringRW("Go"), 0);
    std::unique_ptr<FRM_CControlDelegate> made(
        CPlatformFactory::GetTop()->ConstructNativeControlDelegate(button));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetView(), button);
    ASSERT_NE(button->GetDelegate(), nullptr);
    EXPECT_EQ(button->GetDelegate()->GetView(), button);
}

} // namespace
