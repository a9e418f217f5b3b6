// Tests of the status bar in a real window: the auto-sized bar along the bottom, field widths
// as requested, stretched and shrunk, hidden fields, ids and indices after removals, the text
// status, and the removal of all fields while their views go.
#include "frm/views/cstatbar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frm/runtime/cglblcls.h"
#include "frm/views/ctext.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "vkobase/surface_debug.h"

namespace {

class StatusBarTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("status", 400, 300);
    }

    // A bar 300 wide with default spacing (border 2, field border 2, separator 5, padding 3).
    FRM_CStatusBar* FixedBar() { return new FRM_CStatusBar(itsWindow, FRM_CRect(0, 0, 300, 24)); }

    FRM_CView* Box(FRM_CSubview* enclosure, float width, float height = 12)
    {
        return new FRM_CView(enclosure, FRM_CRect(0, 0, width, height), FRM_CStringRW("box"));
    }

    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(StatusBarTest, AnAutoSizedBarSitsOnTheBottomAndFollowsTheWindow)
{
    auto* bar = new FRM_CStatusBar(itsWindow);
    EXPECT_EQ(bar->IsAutoSized(), 1);
    EXPECT_EQ(bar->GetFrame(), FRM_CRect(0, 282, 400, 300)) << "10 + 2 x (2 + 2) high";
    bar->DoSize(FRM_CRect(5, 5, 50, 50));
    EXPECT_EQ(bar->GetFrame(), FRM_CRect(0, 282, 400, 300)) << "the rectangle is ignored";
    bar->AppendField(1, Box(bar, 30, 20), 0, 1);
    EXPECT_EQ(bar->GetFrame(), FRM_CRect(0, 272, 400, 300)) << "grows upward to the tallest";
    bar->SetDragging(1);
    EXPECT_EQ(bar->IsDraggable(), 0);
}

TEST_F(StatusBarTest, RequestedWidthsGetFramesAndPaddingsOnlyOnInsertion)
{
    FRM_CStatusBar* bar = FixedBar();
    struct Case {
        const char* why;
        float width, expected;
    };
    const Case cases[] = {
        {"0 takes the view's width", 0, 25 + 10},
        {"a view width", 40, 40 + 10},
        {"stretching stays -1", -1, -1},
    };
    long id = 1;
    for (const Case& c : cases) {
        EXPECT_EQ(bar->AppendField(id, Box(bar, 25), c.width, 1), 1) << c.why;
        EXPECT_FLOAT_EQ(bar->GetFieldWidth(id), c.expected) << c.why;
        ++id;
    }
    bar->SizeField(2, 40);
    EXPECT_FLOAT_EQ(bar->GetFieldWidth(2), 40) << "no padding added when sizing";
    bar->SizeField(2, 0);
    EXPECT_FLOAT_EQ(bar->GetFieldWidth(2), 35);

    FRM_CView* extra = Box(bar, 10);
    EXPECT_EQ(bar->AppendField(1, extra, 0, 1), 0) << "an id in use";
    EXPECT_EQ(bar->AppendField(9, nullptr, 0, 1), 0);
    EXPECT_EQ(bar->GetNumFields(), 3U);
    const long views = bar->GetNumViews();
    EXPECT_EQ(bar->AppendField(2, FRM_CStringRW("taken"), 0), 0);
    EXPECT_EQ(bar->GetNumViews(), views) << "the text view made is destroyed again";
}

TEST_F(StatusBarTest, SpareWidthGoesToStretchingFieldsElseEvenlyToFixedOnes)
{
    struct Case {
        const char* why;
        float barWidth;
        std::vector<float> requested;     // view widths; -1 stretches
        std::vector<float> expectedLefts; // of the views, in the bar
    };
    // Fixed pixels: separator 5 + 2 x border 2 = 9, plus per field its width + 5 (fixed) or
    // 5 + 4 (stretching). Views start at 5 + 2 + 2 + 3 = 12; boxes advance by 5 + width.
    const Case cases[] = {
        // 9 + 9 + 9 = 27 fixed, 200 - 27 = 173 spare: each stretching box 86.5 + 4.
        {"two stretching fields share", 200, {-1, -1}, {12, 12 + 5 + 90.5F}},
        // 9 + (30 + 5) + (30 + 5) = 79; spare 21: each fixed box 30 + 10.5.
        {"fixed fields share a surplus", 100, {20, 20}, {12, 12 + 5 + 40.5F}},
        // 79 in 60: spare -19: each fixed box 30 - 9.5.
        {"fixed fields shrink", 60, {20, 20}, {12, 12 + 5 + 20.5F}},
        // 9 + 105 + 9 + 25 = 148 in 100: the fixed boxes lose 24 each (the last keeps its
        // frames, 4) and the stretching field gets its frames only.
        {"too narrow: stretching gets its frames", 100, {90, -1, 10}, {12, 12 + 5 + 76, 93 + 5 + 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* bar = new FRM_CStatusBar(itsWindow, FRM_CRect(0, 0, c.barWidth, 24));
        std::vector<FRM_CView*> views;
        for (float width : c.requested) {
            views.push_back(Box(bar, width < 0 ? 10 : width));
            bar->AppendField(static_cast<long>(views.size()), views.back(), width, 1);
        }
        for (std::size_t i = 0; i < views.size(); ++i)
            EXPECT_FLOAT_EQ(views[i]->GetFrame().Left(), c.expectedLefts[i]) << i;
        delete bar;
    }
}

TEST_F(StatusBarTest, HiddenFieldsTakeNoRoomAndIdsFollowRemovals)
{
    FRM_CStatusBar* bar = FixedBar();
    FRM_CView* left = Box(bar, 20);
    FRM_CView* middle = Box(bar, 20);
    FRM_CView* right = Box(bar, 20);
    bar->AppendField(10, left, 0, 1);
    bar->AppendField(20, middle, 0, 1);
    bar->AppendField(30, right, 0, 1);
    const float rightLeft = right->GetFrame().Left();
    bar->HideField(20);
    EXPECT_EQ(bar->IsFieldVisible(20), 0);
    EXPECT_EQ(middle->IsVisible(), 0);
    EXPECT_LT(right->GetFrame().Left(), rightLeft);
    EXPECT_EQ(bar->IsFieldVisible(99), 1) << "unknown ids count as visible";

    bar->RemoveField(20);
    EXPECT_EQ(bar->GetFieldIndex(30), 1U);
    EXPECT_EQ(bar->GetFieldIndex(20), FRM_CStatusBar::kNoIndex);
    EXPECT_EQ(bar->GetFieldId(bar->GetNumFields()), -1);
    delete left;   // a view that leaves the bar takes its field along
    EXPECT_EQ(bar->GetNumFields(), 1U);
    EXPECT_EQ(bar->GetFieldIndex(30), 0U);
    EXPECT_EQ(bar->InsertField(7, 40, Box(bar, 5), 0, 1), 1) << "an index past the end appends";
    EXPECT_EQ(bar->GetFieldIndex(40), 1U);
    EXPECT_EQ(bar->AddField(Box(bar, 5), 0, 1), 41);
}

TEST_F(StatusBarTest, StatusTextsChangeOnlyWhenDifferent)
{
    FRM_CStatusBar* bar = FixedBar();
    ASSERT_EQ(bar->AppendField(1, FRM_CStringRW("Ready"), -1), 1);
    EXPECT_EQ(bar->GetFieldStatus(1), FRM_CStringRW("Ready"));
    bar->HideField(1);
    bar->SetFieldStatus(1, FRM_CStringRW("Ready"), 1);
    EXPECT_EQ(bar->IsFieldVisible(1), 0) << "the same text does not show the field";
    bar->SetFieldStatus(1, FRM_CStringRW("12 entries"), 1);
    EXPECT_EQ(bar->IsFieldVisible(1), 1);
    EXPECT_EQ(bar->GetFieldStatus(1), FRM_CStringRW("12 entries"));
    EXPECT_EQ(bar->GetFieldStatus(2), FRM_CStringRW());
}

TEST_F(StatusBarTest, RemovingAllFieldsWithTheirViewsFreesEachOnce)
{
    FRM_CStatusBar* bar = FixedBar();
    for (long id = 1; id <= 3; ++id)
        bar->AppendField(id, Box(bar, 10), 0, 1);
    bar->RemoveAllFields(1);
    EXPECT_EQ(bar->GetNumFields(), 0U);
    EXPECT_EQ(bar->GetNumViews(), 0);
    bar->AppendField(1, Box(bar, 10), 0, 1);
    bar->RemoveAllFields(0);
    EXPECT_EQ(bar->GetNumViews(), 1) << "the view stays";
}

} // namespace

namespace {

// The bar's picture: grey face, sunken field frames and the texts, as a PNG (to
// VKO_SCREENSHOT_DIR when set).
TEST_F(StatusBarTest, TheBarIsDrawnGreyWithSunkenFields)
{
    auto* bar = new FRM_CStatusBar(itsWindow);
    bar->AppendField(1, FRM_CStringRW("Ready"), -1);
    bar->AppendField(2, FRM_CStringRW("1234 words"), 0);
    bar->AppendField(3, FRM_CStringRW("NUM"), 0);
    vkok_app_process_pending_events();
    itsWindow->DoDraw(FRM_CObjectRWC::GetG()->GetMAXRect());
    WINDOW handle = itsWindow->GetVKOWindow();
    const FRM_CRect frame = bar->GetGlobalFrame();
    EXPECT_EQ(vkov_debug_surface_pixel(handle, 4, static_cast<int>(frame.Top()) + 4) & 0xFFFFFF,
              0xC0C0C0U) << "the face between the border and the first field";
    const FRM_CRect last = bar->GetField(3)->GetGlobalFrame();
    EXPECT_LT(last.Right(), 400);
    EXPECT_GT(last.Left(), bar->GetField(2)->GetGlobalFrame().Right());

    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_views_statusbar.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace
