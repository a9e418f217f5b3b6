// Tests of the factory classes over the started application's stacks: a factory pushed on
// a kind that overrides one operation gets that operation, and every other request passes
// down to the default below it; the defaults build the framework's own classes.
#include "frm/runtime/cfactory.h"

#include <gtest/gtest.h>

#include "../support/frm_app_fixture.h"
#include "frm/core/ccntrllr.h"
#include "frm/runtime/cnav.h"
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
    EXPECT_EQ(CPlatformFactory::GetTop()->ConstructAttachmentWindow(nullptr, nullptr, 3), nullptr)
        << "attachment windows come with their classes";
}

} // namespace
