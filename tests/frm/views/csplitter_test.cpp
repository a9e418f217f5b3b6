// Tests of the fixed splitters in a real window: pane creation sizes, dragging a bar with an
// exclusive-or outline that leaves the surface as it was, panes following the bar, overtaken
// bars pushed on while others stay, the cursor put back after hovering, a resize, and the
// pointer trap released when a splitter goes in the middle of a drag.
#include "frm/views/csplitter.h"

#include <vector>

#include <gtest/gtest.h>

#include "frm/views/nscrllbr.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "vkobase/surface_debug.h"
#include "vkobase/win.h"

namespace {

class SplitterTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("split", 400, 300);
        itsHandle = itsWindow->GetVKOWindow();
    }

    // Fills every pane of theSplitter with a plain view, in order.
    static std::vector<FRM_CView*> Fill(FRM_CFixedSplitter* theSplitter)
    {
        std::vector<FRM_CView*> views;
        theSplitter->IFixedSplitter();
        for (int i = 0; i < theSplitter->GetPaneCount(); ++i) {
            views.push_back(new FRM_CView(theSplitter, theSplitter->GetPaneCreationSize(i),
                                          FRM_CStringRW("pane")));
            theSplitter->IFixedPane(i + 1, views.back(), FRM_CRect(), FRM_CRect());
        }
        return views;
    }

    std::vector<unsigned> Pixels(const FRM_CRect& area) const
    {
        std::vector<unsigned> pixels;
        for (int y = static_cast<int>(area.Top()); y < static_cast<int>(area.Bottom()); ++y)
            for (int x = static_cast<int>(area.Left()); x < static_cast<int>(area.Right()); ++x)
                pixels.push_back(vkov_debug_surface_pixel(itsHandle, x, y));
        return pixels;
    }

    FRM_CWindow* itsWindow = nullptr;
    WINDOW itsHandle = nullptr;
};

TEST_F(SplitterTest, PanesShareTheAreaLessTheBars)
{
    auto* row = new FRM_CHorizontalFixedSplitter(itsWindow, FRM_CRect(10, 10, 310, 160), 2, 0, 0);
    EXPECT_EQ(row->GetPaneCreationSize(0), FRM_CRect(0, 0, 146.5F, 150));
    EXPECT_EQ(row->GetPaneCreationSize(1), FRM_CRect(153.5F, 0, 300, 150));
    auto* column = new FRM_CVerticalFixedSplitter(itsWindow, FRM_CRect(0, 0, 100, 107), 2, 0, 0);
    EXPECT_EQ(column->GetPaneCreationSize(1), FRM_CRect(0, 57, 100, 107));
    auto* none = new FRM_CVerticalFixedSplitter(itsWindow, FRM_CRect(0, 0, 100, 100), 0, 0, 0);
    EXPECT_EQ(none->GetPaneCreationSize(0), FRM_CRect(0, 0, 100, 100)) << "no division by zero";
    Fill(row);
    EXPECT_EQ(row->GetNumberOfPanes(), 2);
    ASSERT_EQ(row->GetVerSplitBars().size(), 1U);
    EXPECT_FLOAT_EQ(row->GetVerSplitBars()[0]->GetAxis(), 156.5F);
    EXPECT_EQ(row->QueryPane(9), nullptr);
}

TEST_F(SplitterTest, ADragLeavesTheSurfaceAsItWasAndMovesThePanes)
{
    auto* row = new FRM_CHorizontalFixedSplitter(itsWindow, FRM_CRect(10, 10, 310, 160), 2, 0, 0);
    const std::vector<FRM_CView*> views = Fill(row);
    vkok_app_process_pending_events();
    const FRM_CRect area(10, 10, 310, 160);
    const std::vector<unsigned> before = Pixels(area);

    row->TrackSplitBegin(FRM_CPoint(158, 50));
    EXPECT_EQ(row->IsSplitTracking(), 1);
    EXPECT_EQ(vkov_win_get_pointer_trap(), itsHandle);
    EXPECT_NE(Pixels(area), before) << "the outline shows";
    row->TrackSplitMove(FRM_CPoint(208, 60));
    row->TrackSplitMove(FRM_CPoint(208, 90));   // the same axis: nothing drawn
    row->TrackSplitMove(FRM_CPoint(900, 90));   // past the range: held at its edge
    row->TrackSplitMove(FRM_CPoint(208, 60));
    row->TrackSplitEnd();
    EXPECT_EQ(Pixels(area), before) << "every outline erased once";
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
    EXPECT_FLOAT_EQ(row->GetVerSplitBars()[0]->GetAxis(), 206.5F);
    EXPECT_EQ(views[0]->GetFrame(), FRM_CRect(0, 0, 196.5F, 150));
    EXPECT_EQ(views[1]->GetFrame(), FRM_CRect(203.5F, 0, 300, 150));

    row->TrackSplitBegin(FRM_CPoint(50, 50));
    EXPECT_EQ(row->IsSplitTracking(), 0) << "a press beside the bars tracks nothing";
    row->TrackSplitEnd();
}

TEST_F(SplitterTest, OvertakenBarsArePushedOnAndOthersStay)
{
    auto* column = new FRM_CVerticalFixedSplitter(itsWindow, FRM_CRect(0, 0, 200, 300), 3, 0, 0);
    Fill(column);
    const auto& bars = column->GetHorSplitBars();
    ASSERT_EQ(bars.size(), 2U);
    const float second = bars[1]->GetAxis();
    const float gap = static_cast<float>(FRM_NScrollBar::NativeHeight());

    column->TrackSplitBegin(FRM_CPoint(50, bars[0]->GetAxis() + 2));
    column->TrackSplitMove(FRM_CPoint(50, bars[0]->GetAxis() + 30));
    column->TrackSplitEnd();
    EXPECT_FLOAT_EQ(bars[1]->GetAxis(), second) << "not overtaken: stays";

    column->TrackSplitBegin(FRM_CPoint(50, bars[0]->GetAxis() + 2));
    column->TrackSplitMove(FRM_CPoint(50, second + 40));
    column->TrackSplitEnd();
    EXPECT_FLOAT_EQ(bars[1]->GetAxis(), bars[0]->GetAxis() + 7 + gap) << "pushed below";
}

TEST_F(SplitterTest, HoveringPutsTheWindowsCursorBack)
{
    auto* row = new FRM_CHorizontalFixedSplitter(itsWindow, FRM_CRect(0, 0, 300, 150), 2, 21, 22);
    Fill(row);
    vko_win_set_cursor(itsHandle, 5);
    const float axis = row->GetVerSplitBars()[0]->GetAxis();
    row->TrackSplitMove(FRM_CPoint(axis + 3, 20));
    EXPECT_EQ(vko_win_get_cursor(itsHandle), 21);
    EXPECT_EQ(row->GetCursorState(), FRM_CSplitter::kOverVertical);
    row->TrackSplitBegin(FRM_CPoint(axis + 3, 20));
    EXPECT_EQ(vko_win_get_cursor(itsHandle), 22);
    row->TrackSplitEnd();
    row->TrackSplitMove(FRM_CPoint(20, 20));
    EXPECT_EQ(vko_win_get_cursor(itsHandle), 5);
}

TEST_F(SplitterTest, ResizingGivesTheEdgePanesTheChange)
{
    auto* row = new FRM_CHorizontalFixedSplitter(itsWindow, FRM_CRect(0, 0, 300, 150), 2, 0, 0);
    const std::vector<FRM_CView*> views = Fill(row);
    row->DoSize(FRM_CRect(0, 0, 340, 170));
    EXPECT_EQ(views[0]->GetFrame(), FRM_CRect(0, 0, 146.5F, 170));
    EXPECT_EQ(views[1]->GetFrame(), FRM_CRect(153.5F, 0, 340, 170));

    auto* single = new FRM_CHorizontalFixedSplitter(itsWindow, FRM_CRect(0, 0, 100, 100), 1, 0, 0);
    const std::vector<FRM_CView*> only = Fill(single);
    single->DoSize(FRM_CRect(0, 0, 130, 90));
    EXPECT_EQ(only[0]->GetFrame(), FRM_CRect(0, 0, 130, 90));
}

TEST_F(SplitterTest, ASplitterDestroyedWhileDraggingReleasesThePointer)
{
    auto* row = new FRM_CHorizontalFixedSplitter(itsWindow, FRM_CRect(10, 10, 310, 160), 2, 0, 0);
    Fill(row);
    row->TrackSplitBegin(FRM_CPoint(158, 50));
    ASSERT_EQ(vkov_win_get_pointer_trap(), itsHandle);
    delete row;
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
}

} // namespace

namespace {

// Either bar is a raised strip across its whole range: face, highlight, three face lines,
// shadow and black, in rows for a horizontal bar and in columns for a vertical one.
TEST_F(SplitterTest, EachBarDrawsItsRaisedStripAcrossTheWholeRange)
{
    const std::vector<unsigned> strip = {0xC0C0C0, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0,
                                         0xC0C0C0, 0x808080, 0x000000};
    const FRM_CRect range(20, 30, 220, 180);
    FRM_CHorizontalSplitBar across(itsWindow, range, 100, 7, 0x0BFFFFFF, 0x09808080, 0x0AC0C0C0);
    FRM_CVerticalSplitBar down(itsWindow, range, 60, 7, 0x0BFFFFFF, 0x09808080, 0x0AC0C0C0);
    struct Case {
        const char* why;
        FRM_CSplitBar& bar;
        FRM_CRect frame;
        int alongFirst, alongLast; // where the strip starts and ends along the bar
    };
    const Case cases[] = {
        {"a horizontal bar: rows from the range's left to its right", across, {20, 100, 220, 107}, 20, 219},
        {"a vertical bar: columns from the range's top to its bottom", down, {60, 30, 67, 180}, 30, 179},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.bar.GetSplitBarFrame(-1), c.frame);
        c.bar.Draw();
        const bool rows = &c.bar == &across;
        const int axis = static_cast<int>(c.bar.GetAxis());
        for (const int along : {c.alongFirst, (c.alongFirst + c.alongLast) / 2, c.alongLast}) {
            std::vector<unsigned> seen;
            for (int i = 0; i < 7; ++i)
                seen.push_back(vkov_debug_surface_pixel(itsHandle, rows ? along : axis + i,
                                                        rows ? axis + i : along) & 0xFFFFFF);
            EXPECT_EQ(seen, strip) << "at " << along;
        }
        const int beyond = c.alongLast + 2;
        EXPECT_NE(vkov_debug_surface_pixel(itsHandle, rows ? beyond : axis, rows ? axis : beyond) & 0xFFFFFF,
                  strip[0]) << "nothing past the range";
    }
}

// Crossing bars get the crossing figure only when they overlap by a whole bar size.
TEST_F(SplitterTest, CrossingBarsAreJoinedOnlyWhereTheyOverlapByABar)
{
    struct Case {
        const char* why;
        float axis;                 // of the horizontal bar
        FRM_CRect verticalRange;
        bool joined;
    };
    const Case cases[] = {
        {"a full crossing", 100, {0, 0, 200, 200}, true},
        {"an overlap shorter than a bar", 150, {0, 0, 200, 154}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CHorizontalSplitBar across(itsWindow, FRM_CRect(0, 0, 200, 200), c.axis, 7,
                                       0x0BFFFFFF, 0x09808080, 0x0AC0C0C0);
        FRM_CVerticalSplitBar down(itsWindow, c.verticalRange, 50, 7, 0x0BFFFFFF, 0x09808080,
                                   0x0AC0C0C0);
        across.Draw();
        down.Draw();
        across.DrawIntersection(down);
        // The middle of the crossing: the face colour when joined, else the vertical bar's
        // highlight column crossing the horizontal bar's face.
        const int y = static_cast<int>(c.axis) + 3;
        const unsigned inside = vkov_debug_surface_pixel(itsHandle, 51, y) & 0xFFFFFF;
        EXPECT_EQ(inside == 0xC0C0C0U, c.joined) << std::hex << inside;
    }
}

} // namespace
