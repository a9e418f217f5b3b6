// Tests of wire frames driven by mouse events through a real window: selecting, moving and
// resizing views with exclusive-or outlines that leave the surface as a fresh repaint would
// draw it, axis-locked forms, group moves and deselection, the pointer trap, and the vertex
// wire frames of lines and polygons.
#include "frm/views/cwirefrm.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/views/cfxdgrid.h"
#include "frm/views/cline.h"
#include "frm/views/cpolygon.h"
#include "frm/views/crectshp.h"
#include "frm/views/cscrollr.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"
#include "vkobase/surface_debug.h"
#include "vkobase/win.h"

namespace {

// A rectangle that records the commands it is sent.
class Box : public FRM_CRectangle {
public:
    using FRM_CRectangle::FRM_CRectangle;
    void DoCommand(long command, void* data) override
    {
        if (command >= 20004 && command <= 20006)    // selection and size
            itsCommands.push_back(command);
        FRM_CRectangle::DoCommand(command, data);
    }
    std::vector<long> itsCommands;
};

class WireFrameTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        FRM_CWireFrame::ResetForTests();
        FRM_CView::ResetClickedView();
        itsWindow = NewWindow("wire", 300, 200);
        itsHandle = itsWindow->GetVKOWindow();
    }
    void TearDown() override
    {
        FRM_CWireFrame::ResetForTests();
        AppFixture::TearDown();
    }

    // One row of 40-pixel cells from (10, 10); a and b, movable, in the first two.
    FRM_CFixedGrid* NewGridOfTwo(int columns, Box** a, Box** b)
    {
        auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(10, 10, 11 + 40 * columns, 41), 1, columns);
        for (int column = 0; column < 2; ++column) {
            auto* box = new Box(grid, FRM_CRect(0, 0, 30, 20));
            grid->Insert(box, 0, column);
            box->SetDragging(1);
            box->SetSizing(1);
            *(column == 0 ? a : b) = box;
        }
        return grid;
    }
    Box* NewBox(const FRM_CRect& frame)
    {
        auto* box = new Box(itsWindow, frame);
        box->SetDragging(1);
        box->SetSizing(1);
        return box;
    }

    void Mouse(e_event type, int h, int v, short button = 1, bool shift = false)
    {
        EVENT event{};
        event.type = type;
        event.v.mouse.where = s_pnt{static_cast<std::int16_t>(v), static_cast<std::int16_t>(h)};
        event.v.mouse.button = button;
        event.v.mouse.shift = shift ? TRUE : FALSE;
        vkov_test_post_event(itsHandle, &event);
        vkok_app_process_pending_events();
    }
    // A press, moves in steps of at most 5 pixels, and a release.
    void Gesture(int fromH, int fromV, int toH, int toV, bool shift = false)
    {
        Mouse(E_MOUSE_DOWN, fromH, fromV, 1, shift);
        Steps(fromH, fromV, toH, toV);
        Mouse(E_MOUSE_UP, toH, toV, 1, shift);
    }
    void Steps(int fromH, int fromV, int toH, int toV)
    {
        const int count = std::max(std::abs(toH - fromH), std::abs(toV - fromV)) / 5 + 1;
        for (int i = 1; i <= count; ++i)
            Mouse(E_MOUSE_MOVE, fromH + (toH - fromH) * i / count, fromV + (toV - fromV) * i / count);
    }

    std::vector<unsigned> Pixels() const
    {
        std::vector<unsigned> pixels;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                pixels.push_back(vkov_debug_surface_pixel(itsHandle, x, y));
        return pixels;
    }
    // What the window shows when all of it is painted afresh.
    std::vector<unsigned> Repainted() const
    {
        vko_dwin_invalidate_rect(itsHandle, nullptr);
        vko_dwin_update(itsHandle);
        return Pixels();
    }
    std::vector<std::string> Outlines() const { return LogArgs(itsHandle, "draw_polyline"); }

    FRM_CWindow* itsWindow = nullptr;
    WINDOW itsHandle = nullptr;
};

TEST_F(WireFrameTest, ADragMovesTheOwnerAndLeavesTheSurfaceAsARepaintDrawsIt)
{
    Box* box = NewBox(FRM_CRect(50, 50, 150, 100));
    ASSERT_NE(box->GetWireFrame(), nullptr);
    EXPECT_EQ(box->FindHitView(FRM_CPoint(60, 60)), box->GetWireFrame());
    Repainted();

    Mouse(E_MOUSE_DOWN, 100, 75);
    FRM_CWireFrame* frame = box->GetWireFrame();
    EXPECT_EQ(frame->GetState(), FRM_CWireFrame::DRAGGING);
    EXPECT_EQ(box->itsCommands, std::vector<long>{20004});
    EXPECT_EQ(itsWindow->GetSelectedView(), box);
    EXPECT_EQ(vkov_win_get_pointer_trap(), itsHandle);
    const auto log = Log(itsHandle);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().mode, M_XOR) << "the figures are drawn in exclusive-or";

    vkov_debug_draw_log_clear(itsHandle);
    Steps(100, 75, 130, 95);
    ASSERT_FALSE(Outlines().empty());
    EXPECT_EQ(Outlines().back(), "5;79,69;180,69;180,120;79,120;79,69")
        << "the outline follows the mouse, one pixel outside the moved frame";
    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path =
        (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) + "frm_views_wire_drag.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(itsHandle, path.c_str()));
    EXPECT_EQ(box->GetFrame(), FRM_CRect(50, 50, 150, 100)) << "the owner waits for mouse-up";

    Mouse(E_MOUSE_UP, 130, 95);
    EXPECT_EQ(box->GetFrame(), FRM_CRect(80, 70, 180, 120));
    EXPECT_EQ(box->itsCommands, (std::vector<long>{20004, 20006}));
    EXPECT_EQ(frame->GetState(), FRM_CWireFrame::SELECTED);
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);

    frame->Deselect();
    EXPECT_EQ(box->itsCommands.back(), 20005);
    const std::vector<unsigned> after = Pixels();
    EXPECT_EQ(after, Repainted()) << "every outline and handle was erased once";
}

TEST_F(WireFrameTest, ADragPastAScrollersEdgeScrollsItOneLineEverySecondMove)
{
    auto* scroller = new FRM_CScroller(itsWindow, FRM_CRect(10, 10, 210, 110), 1000, 1000);
    scroller->IScroller(0, 1, 0, 5, 50, 1, 0);
    auto* box = new Box(scroller, FRM_CRect(20, 20, 80, 50));
    box->SetDragging(1);
    box->SetSizing(1);

    Mouse(E_MOUSE_DOWN, 60, 45);
    ASSERT_EQ(box->GetWireFrame()->GetState(), FRM_CWireFrame::DRAGGING);
    Mouse(E_MOUSE_MOVE, 60, 80);
    EXPECT_EQ(scroller->GetScrollingOrigin(), FRM_CPoint(0, 0)) << "inside the scroller nothing scrolls";
    for (int move = 0; move < 6; ++move)
        Mouse(E_MOUSE_MOVE, 60, 130);
    EXPECT_EQ(scroller->GetScrollingOrigin(), FRM_CPoint(0, -15)) << "three of six moves scroll a line";

    // The outline stopped where the pointer left the scroller (35 px down); the content
    // scrolled on under it, so the box lands 15 px further into the content.
    Mouse(E_MOUSE_UP, 60, 130);
    EXPECT_EQ(box->GetFrame(), FRM_CRect(20, 70, 80, 100));
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
}

TEST_F(WireFrameTest, TheRingResizesSidesAndAnUnchangedFrameSendsNothing)
{
    struct Case {
        const char* why;
        int fromH, fromV, toH, toV;
        FRM_CRect expected;
    };
    const Case cases[] = {
        {"right edge", 153, 75, 173, 80, FRM_CRect(50, 50, 170, 100)},
        {"bottom-left corner", 46, 104, 36, 114, FRM_CRect(40, 50, 150, 110)},
        // Past the opposite side the moving side turns over and follows the mouse itself.
        {"bottom edge dragged above the top", 100, 103, 100, 30, FRM_CRect(50, 30, 150, 50)},
        {"left edge dragged past the right", 46, 75, 176, 75, FRM_CRect(150, 50, 176, 100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Box* box = NewBox(FRM_CRect(50, 50, 150, 100));
        Repainted();
        Gesture(100, 75, 100, 75);    // selects; the ring works on a selected view
        Gesture(c.fromH, c.fromV, c.toH, c.toV);
        EXPECT_EQ(box->GetWireFrame()->GetState(), FRM_CWireFrame::SELECTED);
        EXPECT_EQ(box->GetFrame(), c.expected);
        EXPECT_EQ(box->itsCommands, (std::vector<long>{20004, 20006}));
        box->GetWireFrame()->Deselect();
        EXPECT_EQ(Pixels(), Repainted());
        delete box;
    }

    Box* still = NewBox(FRM_CRect(50, 50, 150, 100));
    Gesture(100, 75, 100, 75);
    EXPECT_EQ(still->itsCommands, std::vector<long>{20004}) << "no move, no size command";
}

TEST_F(WireFrameTest, AxisLockedFormsKeepTheOtherCoordinate)
{
    Box* vertical = NewBox(FRM_CRect(20, 20, 60, 60));
    vertical->SetWireFrame(new FRM_CVerticalWireFrame(vertical, nullptr));
    vertical->GetWireFrame()->IWireFrame(0, 1, 0, 0);
    Gesture(40, 40, 70, 65);
    EXPECT_EQ(vertical->GetFrame(), FRM_CRect(20, 45, 60, 85));
    vertical->GetWireFrame()->Deselect();

    Box* horizontal = NewBox(FRM_CRect(200, 20, 240, 60));
    horizontal->SetWireFrame(new FRM_CHorizontalWireFrame(horizontal, nullptr));
    horizontal->GetWireFrame()->IWireFrame(0, 1, 0, 0);
    Gesture(220, 40, 250, 65);
    EXPECT_EQ(horizontal->GetFrame(), FRM_CRect(230, 20, 270, 60));
}

TEST_F(WireFrameTest, AGroupMovesTogetherAndAPlainClickDeselectsEveryMember)
{
    Box* a = NewBox(FRM_CRect(10, 10, 50, 40));
    Box* b = NewBox(FRM_CRect(70, 10, 110, 40));
    Box* c = NewBox(FRM_CRect(130, 10, 170, 40));
    Repainted();
    Gesture(30, 25, 30, 25);
    Gesture(90, 25, 90, 25, true);
    Gesture(150, 25, 150, 25, true);
    for (Box* box : {a, b, c})
        EXPECT_TRUE(box->GetWireFrame()->IsSelected());
    EXPECT_EQ(itsWindow->GetSelectedViews()->entries(), 3U);

    for (Box* box : {a, b, c})
        box->itsCommands.clear();
    Gesture(30, 25, 40, 45);
    EXPECT_EQ(a->GetFrame(), FRM_CRect(20, 30, 60, 60));
    EXPECT_EQ(b->GetFrame(), FRM_CRect(80, 30, 120, 60));
    EXPECT_EQ(c->GetFrame(), FRM_CRect(140, 30, 180, 60));
    EXPECT_EQ(a->itsCommands, std::vector<long>{20006});
    EXPECT_TRUE(b->itsCommands.empty()) << "the others move through their own wire frames";
    EXPECT_TRUE(c->itsCommands.empty());

    Gesture(250, 150, 250, 150);
    for (Box* box : {a, b, c}) {
        EXPECT_FALSE(box->GetWireFrame()->IsSelected()) << "not every second one";
        EXPECT_EQ(box->itsCommands.back(), 20005);
    }
    EXPECT_EQ(itsWindow->GetSelectedViews()->entries(), 0U);
    EXPECT_EQ(itsWindow->GetSelectedView(), nullptr);
    EXPECT_EQ(Pixels(), Repainted());
}

TEST_F(WireFrameTest, ShiftOnASelectedViewDeselectsItAndAViewWithoutModesGoesQuietly)
{
    FrmErrorCapture errors;
    Box* a = NewBox(FRM_CRect(10, 10, 50, 40));
    Box* b = NewBox(FRM_CRect(70, 10, 110, 40));
    Gesture(30, 25, 30, 25);
    Gesture(90, 25, 90, 25, true);
    Gesture(90, 25, 90, 25, true);
    EXPECT_FALSE(b->GetWireFrame()->IsSelected());
    EXPECT_TRUE(a->GetWireFrame()->IsSelected());
    EXPECT_EQ(itsWindow->GetSelectedView(), a) << "the first remaining view";

    Gesture(90, 25, 90, 25, true);
    a->SetDragging(0);
    a->SetSizing(0);
    ASSERT_NE(a->GetWireFrame(), nullptr) << "switching the modes off keeps the wire frame";
    Gesture(250, 150, 250, 150);
    EXPECT_FALSE(a->GetWireFrame()->IsSelected());
    EXPECT_FALSE(b->GetWireFrame()->IsSelected());
    EXPECT_TRUE(errors.Reports().empty());
}

TEST_F(WireFrameTest, TheTrapGoesWithAnOwnerDestroyedMidDrag)
{
    Box* box = NewBox(FRM_CRect(50, 50, 150, 100));
    Mouse(E_MOUSE_DOWN, 100, 75);
    Mouse(E_MOUSE_MOVE, 110, 80);
    ASSERT_EQ(vkov_win_get_pointer_trap(), itsHandle);
    delete box;
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
    EXPECT_EQ(itsWindow->GetSelectedView(), nullptr);
    Mouse(E_MOUSE_MOVE, 120, 85);
    Mouse(E_MOUSE_UP, 120, 85);
}

TEST_F(WireFrameTest, AGroupDraggedInAGridMovesByWholeCellsWithoutReplacingItsMembers)
{
    Box* a = nullptr;
    Box* b = nullptr;
    FRM_CFixedGrid* grid = NewGridOfTwo(3, &a, &b);
    Mouse(E_MOUSE_DOWN, 25, 20);
    ASSERT_EQ(a->GetWireFrame()->GetState(), FRM_CWireFrame::DRAGGING);
    grid->AddSelectedView(b);
    Steps(25, 20, 65, 20);
    Mouse(E_MOUSE_UP, 65, 20);
    EXPECT_EQ(grid->GetContents(0, 1), a);
    EXPECT_EQ(grid->GetContents(0, 2), b) << "the member ahead moved on rather than being replaced";
    EXPECT_EQ(grid->GetContents(0, 0), nullptr);
    EXPECT_EQ(b->GetFrame().Left() - a->GetFrame().Left(), 40) << "both moved by the same amount";
}

// A view dragged in a grid moves by the cells crossed; dropped on a cell another view holds,
// it takes the cell and the other view is destroyed.
TEST_F(WireFrameTest, AViewDraggedInAGridMovesByCellsAndReplacesTheViewWhereItLands)
{
    Box* a = nullptr;
    Box* b = nullptr;
    FRM_CFixedGrid* grid = NewGridOfTwo(3, &a, &b);
    Gesture(25, 20, 105, 20);    // from cell 0 across two cells
    EXPECT_EQ(grid->GetContents(0, 2), a);
    EXPECT_EQ(grid->GetContents(0, 0), nullptr);
    EXPECT_EQ(a->GetFrame().Left(), 80);    // the left of cell 2, in the grid
    EXPECT_EQ(grid->GetContents(0, 1), b) << "the view passed over stays";

    Gesture(105, 20, 65, 20);    // back one cell, onto b
    EXPECT_EQ(grid->GetContents(0, 1), a);
    EXPECT_EQ(grid->GetContents(0, 2), nullptr);
    EXPECT_EQ(grid->GetNumViews(), 1);
    Gesture(65, 20, 65, 20);    // the grid still works on what is left
    EXPECT_EQ(grid->GetContents(0, 1), a);
}

// The grid's selected view takes every press; a shift-click on another cell's view must still
// reach that view, to add it to the selection or take it out again.
TEST_F(WireFrameTest, ShiftClicksInAGridAddAndRemoveViewsAndTheGroupMovesTogether)
{
    Box* a = nullptr;
    Box* b = nullptr;
    FRM_CFixedGrid* grid = NewGridOfTwo(4, &a, &b);
    Gesture(25, 20, 25, 20);
    Gesture(65, 20, 65, 20, true);
    EXPECT_TRUE(a->GetWireFrame()->IsSelected());
    EXPECT_TRUE(b->GetWireFrame()->IsSelected()) << "shift adds the second view";
    EXPECT_EQ(grid->GetSelectedViews()->entries(), 2U);

    Gesture(65, 20, 65, 20, true);
    EXPECT_FALSE(b->GetWireFrame()->IsSelected()) << "shift again takes it out";
    EXPECT_TRUE(a->GetWireFrame()->IsSelected());
    Gesture(65, 20, 65, 20, true);
    ASSERT_TRUE(b->GetWireFrame()->IsSelected());

    Mouse(E_MOUSE_DOWN, 25, 20);
    Steps(25, 20, 65, 20);
    Mouse(E_MOUSE_UP, 65, 20);
    EXPECT_EQ(grid->GetContents(0, 1), a);
    EXPECT_EQ(grid->GetContents(0, 2), b) << "the whole selection moved one cell";

    Gesture(25, 20, 25, 20);    // beside every view: the selection goes
    EXPECT_FALSE(a->GetWireFrame()->IsSelected());
    EXPECT_FALSE(b->GetWireFrame()->IsSelected());
}

TEST_F(WireFrameTest, ALineMovesOneVertexByItsHandleAndBothElsewhere)
{
    auto* line = new FRM_CLine(itsWindow, FRM_CPoint(10, 10), FRM_CPoint(50, 30));
    line->SetDragging(1);
    line->SetSizing(1);
    ASSERT_NE(FrmCast<CLineWF>(line->GetWireFrame()), nullptr);
    Repainted();

    Gesture(50, 30, 70, 40);
    EXPECT_EQ(line->GetStartPoint(), FRM_CPoint(10, 10));
    EXPECT_EQ(line->GetEndPoint(), FRM_CPoint(70, 40));
    Gesture(40, 25, 45, 35);
    EXPECT_EQ(line->GetStartPoint(), FRM_CPoint(15, 20));
    EXPECT_EQ(line->GetEndPoint(), FRM_CPoint(75, 50));
    line->GetWireFrame()->Deselect();
    EXPECT_EQ(Pixels(), Repainted());
}

TEST_F(WireFrameTest, APolygonVertexDragDrawsOnlyItsEdgesAndMovesThePointOnce)
{
    const FRM_CPoint points[] = {{20, 20}, {80, 20}, {50, 70}};
    auto* polygon = new FRM_CPolygon(itsWindow, points, 3);
    polygon->IPolygon(0, 1, 0);
    polygon->SetDragging(1);
    polygon->SetSizing(1);
    Repainted();

    Mouse(E_MOUSE_DOWN, 50, 70);
    auto* frame = FrmCast<CLineWF>(polygon->GetWireFrame());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetState(), FRM_CWireFrame::SIZING);
    vkov_debug_draw_log_clear(itsHandle);
    Mouse(E_MOUSE_MOVE, 60, 80);
    ASSERT_FALSE(Outlines().empty());
    EXPECT_EQ(Outlines().back(), "2;60,80;80,20") << "the open end: one edge to its neighbour";
    Mouse(E_MOUSE_UP, 60, 80);
    const std::vector<s_pnt>& moved = polygon->GetPixelPoints();
    EXPECT_EQ(moved[2].h, 60);
    EXPECT_EQ(moved[2].v, 80);

    Gesture(50, 20, 60, 20);    // on the first edge: every point moves, once
    EXPECT_EQ(polygon->GetPixelPoints()[0].h, 30);
    EXPECT_EQ(polygon->GetPixelPoints()[1].h, 90);
    EXPECT_EQ(polygon->GetPixelPoints()[2].h, 70);
    polygon->GetWireFrame()->Deselect();
    EXPECT_EQ(Pixels(), Repainted());
}

} // namespace
