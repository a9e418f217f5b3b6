// Tests of the sketch pad driven by mouse events through a real window: a rectangle dragged up
// and to the left comes back ordered, a line's ends, a polyline's vertices ended by a double
// click and not by a release, clicks that start nothing, and the getters outside a sketch.
#include "frm/views/csktchpd.h"

#include <vector>

#include <gtest/gtest.h>

#include "frm/views/cwindow.h"
#include "frm/views/cwirefrm.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"
#include "vkobase/win.h"

namespace {

constexpr long kSketched = 7001;

// A pad that reads its result while its command runs.
class ReadingPad : public FRM_CSketchPad {
public:
    using FRM_CSketchPad::FRM_CSketchPad;
    void DoCommand(long command, void* data) override
    {
        if (command != kSketched) {
            FRM_CSketchPad::DoCommand(command, data);
            return;
        }
        ++itsCommands;
        itsRegion = GetSketchedRegion();
        if (GetSketchType() == LINE) {
            itsStart = GetStartPoint();
            itsEnd = GetEndPoint();
        }
        if (GetSketchType() == POLYLINE) {
            FRM_CPoint* points = nullptr;
            int count = 0;
            GetPoints(points, count);
            itsPoints.assign(points, points + count);
            delete[] points;
        }
    }
    int itsCommands = 0;
    FRM_CRect itsRegion;
    FRM_CPoint itsStart;
    FRM_CPoint itsEnd;
    std::vector<FRM_CPoint> itsPoints;
};

class SketchPadTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        FRM_CWireFrame::ResetForTests();
        itsWindow = NewWindow("sketch", 300, 200);
        itsPad = new ReadingPad(itsWindow, FRM_CRect(20, 20, 280, 180));
        itsPad->SetCommand(kSketched);
    }
    void TearDown() override
    {
        FRM_CWireFrame::ResetForTests();
        AppFixture::TearDown();
    }
    void Mouse(e_event type, int h, int v, short button = 0, bool shift = false)
    {
        EVENT event{};
        event.type = type;
        event.v.mouse.where = s_pnt{static_cast<std::int16_t>(v), static_cast<std::int16_t>(h)};
        event.v.mouse.button = button;
        event.v.mouse.shift = shift ? TRUE : FALSE;
        vkov_test_post_event(itsWindow->GetVKOWindow(), &event);
        vkok_app_process_pending_events();
    }
    FRM_CWindow* itsWindow = nullptr;
    ReadingPad* itsPad = nullptr;
};

TEST_F(SketchPadTest, ARectangleDraggedUpAndLeftComesBackOrdered)
{
    Mouse(E_MOUSE_DOWN, 200, 150);
    for (int step = 1; step <= 10; ++step)
        Mouse(E_MOUSE_MOVE, 200 - 10 * step, 150 - 8 * step);
    Mouse(E_MOUSE_UP, 100, 70);
    ASSERT_EQ(itsPad->itsCommands, 1);
    const FRM_CRect& region = itsPad->itsRegion;
    EXPECT_LT(region.Left(), region.Right());
    EXPECT_LT(region.Top(), region.Bottom());
    EXPECT_EQ(region, FRM_CRect(80, 50, 180, 130)) << "from the press to the pointer, pad coordinates";
    EXPECT_EQ(itsPad->GetCarrier()->GetFrame(), FRM_CRect(-21, -21, -21, -21)) << "out of sight";
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);

    Mouse(E_MOUSE_DOWN, 100, 100, 0, true);
    Mouse(E_MOUSE_UP, 120, 120, 0, true);
    Mouse(E_MOUSE_DOWN, 100, 100, 1);
    Mouse(E_MOUSE_UP, 120, 120, 1);
    EXPECT_EQ(itsPad->itsCommands, 1) << "shift or another button starts nothing";
}

TEST_F(SketchPadTest, ALineReturnsItsEnds)
{
    itsPad->SetSketchType(FRM_CSketchPad::LINE);
    Mouse(E_MOUSE_DOWN, 50, 60);
    for (int step = 1; step <= 5; ++step)
        Mouse(E_MOUSE_MOVE, 50 + 20 * step, 60 + 10 * step);
    Mouse(E_MOUSE_UP, 150, 110);
    ASSERT_EQ(itsPad->itsCommands, 1);
    EXPECT_EQ(itsPad->itsStart, FRM_CPoint(31, 41)) << "the band starts a pixel in from the press";
    EXPECT_EQ(itsPad->itsEnd, FRM_CPoint(130, 90)) << "and ends at the pointer";
}

TEST_F(SketchPadTest, APolylineTakesAVertexPerPressAndEndsOnADoubleClick)
{
    itsPad->SetSketchType(FRM_CSketchPad::POLYLINE);
    const int vertices[][2] = {{40, 40}, {120, 60}, {90, 150}};
    for (const auto& vertex : vertices) {
        Mouse(E_MOUSE_MOVE, vertex[0], vertex[1]);
        Mouse(E_MOUSE_DOWN, vertex[0], vertex[1]);
        Mouse(E_MOUSE_UP, vertex[0], vertex[1]);
        EXPECT_EQ(itsPad->itsCommands, 0) << "releasing the button does not end a polyline";
    }
    Mouse(E_MOUSE_DBL, 90, 150);
    ASSERT_EQ(itsPad->itsCommands, 1);
    ASSERT_EQ(itsPad->itsPoints.size(), 3U) << "the double click adds none";
    EXPECT_EQ(itsPad->itsPoints[0], FRM_CPoint(21, 21));
    EXPECT_EQ(itsPad->itsPoints[1], FRM_CPoint(100, 40));
    EXPECT_EQ(itsPad->itsPoints[2], FRM_CPoint(70, 130));
    EXPECT_EQ(itsPad->itsRegion, FRM_CRect(21, 21, 100, 130)) << "the vertices' box";
}

TEST_F(SketchPadTest, GettersOutsideASketchAreErrors)
{
    FrmErrorCapture errors;
    itsPad->GetSketchedRegion();
    itsPad->GetStartPoint();
    FRM_CPoint* points = nullptr;
    int count = 0;
    itsPad->GetPoints(points, count);
    EXPECT_EQ(points, nullptr);
    std::vector<long> codes;
    for (const FrmReport& report : errors.Reports())
        codes.push_back(report.code);
    EXPECT_EQ(codes, (std::vector<long>{1900, 1901, 1903}));
}

// The carrier (with the band pointing back at the pad) never outlives the pad: out of the
// window while the pad is disabled (the leak check sees it), in the window while enabled.
TEST_F(SketchPadTest, APadTakesItsCarrierWithItEnabledOrNot)
{
    const long enabled = itsWindow->GetNumViews();
    delete itsPad;
    EXPECT_EQ(itsWindow->GetNumViews(), enabled - 2);

    itsPad = new ReadingPad(itsWindow, FRM_CRect(20, 20, 280, 180));
    itsPad->Disable();
    const long disabled = itsWindow->GetNumViews();
    delete itsPad;
    EXPECT_EQ(itsWindow->GetNumViews(), disabled - 1);
    Mouse(E_MOUSE_DOWN, 100, 100);
    Mouse(E_MOUSE_UP, 100, 100);
}

// A copy answers for its own kind of sketch, with a carrier of its own that goes with it.
TEST_F(SketchPadTest, ACopySketchesTheSameKindOnItsOwn)
{
    itsPad->SetSketchType(FRM_CSketchPad::LINE);
    itsPad->SetSketchEverywhere(0);
    const long before = itsWindow->GetNumViews();
    auto* copy = new ReadingPad(*itsPad);
    EXPECT_EQ(itsWindow->GetNumViews(), before + 2) << "the copy and its carrier";
    EXPECT_NE(copy->GetCarrier(), itsPad->GetCarrier());
    EXPECT_EQ(copy->GetSketchType(), FRM_CSketchPad::LINE);
    EXPECT_EQ(copy->IsSketchEverywhere(), 0);
    delete itsPad;
    itsPad = copy;

    Mouse(E_MOUSE_DOWN, 50, 60);
    Mouse(E_MOUSE_MOVE, 150, 110);
    Mouse(E_MOUSE_UP, 150, 110);
    ASSERT_EQ(copy->itsCommands, 1);
    EXPECT_EQ(copy->itsStart, FRM_CPoint(31, 41));
    EXPECT_EQ(copy->itsEnd, FRM_CPoint(130, 90));

    copy->Disable();
    const long disabled = itsWindow->GetNumViews();
    auto* disabledCopy = new ReadingPad(*copy);
    EXPECT_EQ(itsWindow->GetNumViews(), disabled + 1) << "a disabled copy keeps its carrier out";
    delete disabledCopy;
}

TEST_F(SketchPadTest, AnAssignedPadTakesTheKindAndTheEnabledState)
{
    auto* source = new ReadingPad(itsWindow, FRM_CRect(0, 0, 10, 10));
    source->SetCommand(kSketched);
    source->SetSketchType(FRM_CSketchPad::POLYLINE);
    source->Disable();
    const long before = itsWindow->GetNumViews();
    *itsPad = *source;
    EXPECT_EQ(itsPad->GetSketchType(), FRM_CSketchPad::POLYLINE);
    EXPECT_EQ(itsWindow->GetNumViews(), before - 1) << "a disabled pad's carrier is out of the window";

    *source = *source;
    source->Enable();
    source->Size(FRM_CRect(20, 20, 280, 180));
    *itsPad = *source;
    EXPECT_EQ(itsWindow->GetNumViews(), before + 1) << "both pads enabled, with their carriers";
    delete source;

    const int vertices[][2] = {{40, 40}, {120, 60}};
    for (const auto& vertex : vertices) {
        Mouse(E_MOUSE_DOWN, vertex[0], vertex[1]);
        Mouse(E_MOUSE_UP, vertex[0], vertex[1]);
    }
    Mouse(E_MOUSE_DBL, 120, 60);
    ASSERT_EQ(itsPad->itsCommands, 1);
    EXPECT_EQ(itsPad->itsPoints.size(), 2U);
}

} // namespace
