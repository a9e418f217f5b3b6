// Tests of the grid and the fixed grid: the fixed grid's cell arithmetic, the cell map
// against a reference model over random operations, placement corners, snapping, fitting the
// cells to the views, clearing, shrinking and growing the grid, suspension, the lines drawn,
// the hit search by cell with and without clipping, the grid's misuse reports, and an
// assigned grid taking the other's settings but keeping its own views.
#include "frm/views/cfxdgrid.h"

#include <map>
#include <random>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"

namespace {

class GridTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("grid", 400, 300);
    }
    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(GridTest, FixedGridArithmetic)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 101, 51), 5, 10);
    EXPECT_EQ(grid->GetWidth(3), 10);
    EXPECT_EQ(grid->GetHeight(0), 10);
    struct RowCase {
        const char* why;
        float v;
        int row;
    };
    const RowCase rows[] = {{"inside the first row", 0, 0},
                            {"one unit before the end", 49, 4},
                            {"exactly rows x height", 50, -1},
                            {"negative", -0.5F, -1},
                            {"far past any int", 1e30F, -1}};
    for (const RowCase& c : rows) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(grid->GetRow(c.v), c.row);
    }
    EXPECT_EQ(grid->GetCol(99.9F), 9);
    EXPECT_EQ(grid->GetCol(100), -1);
    EXPECT_EQ(grid->GetCellSize(1, 2), FRM_CRect(20, 10, 30, 20));
    EXPECT_EQ(grid->GetCellSize(5, 0), FRM_CRect(0, 50, 10, 60));    // just past the grid
    EXPECT_EQ(grid->GetCellSize(6, 0), FRM_CRect(0, 0, 0, 0));
    EXPECT_EQ(grid->GetCellSize(-1, 0), FRM_CRect(0, 0, 0, 0));

    auto* tiny = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 11, 11), 0, -3);
    EXPECT_EQ(tiny->GetNumRows(), 1);
    EXPECT_EQ(tiny->GetNumCols(), 1);
    auto* fromPoint = new FRM_CFixedGrid(itsWindow, FRM_CPoint(5, 5), 20, 30, -1, 4);
    EXPECT_EQ(fromPoint->GetFrame(), FRM_CRect(5, 5, 126, 26));
}

TEST_F(GridTest, SetNumCellsKeepsTheFrameOrTheCellSize)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 101, 51), 5, 10);
    grid->SetNumCells(5, 10, 0);    // columns first, then rows
    EXPECT_EQ(grid->GetFrame(), FRM_CRect(0, 0, 101, 51));
    EXPECT_EQ(grid->GetWidth(0), 20);
    EXPECT_EQ(grid->GetHeight(0), 5);
    grid->SetNumCells(2, 3, 1);
    EXPECT_EQ(grid->GetWidth(0), 20);
    EXPECT_EQ(grid->GetFrame(), FRM_CRect(0, 0, 41, 16));
    grid->SetNumCells(0, 0, 1);
    EXPECT_EQ(grid->GetNumRows(), 1);
    EXPECT_EQ(grid->GetNumCols(), 1);
}

TEST_F(GridTest, CellMapMatchesAReferenceModel)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 81, 81), 8, 8);
    std::map<std::pair<int, int>, FRM_CView*> model;
    std::mt19937 random(7);
    for (int step = 0; step < 300; ++step) {
        const int row = static_cast<int>(random() % 8);
        const int column = static_cast<int>(random() % 8);
        const auto key = std::make_pair(row, column);
        switch (random() % 3) {
        case 0: {
            auto* view = new FRM_CView(grid, FRM_CRect(0, 0, 4, 4), FRM_CStringRW("v"));
            FRM_CView* old = grid->Replace(view, row, column);
            EXPECT_EQ(old, model.count(key) ? model[key] : nullptr);
            delete old;
            model[key] = view;
            break;
        }
        case 1: {
            FRM_CView* removed = grid->Remove(row, column);
            EXPECT_EQ(removed, model.count(key) ? model[key] : nullptr);
            delete removed;
            model.erase(key);
            break;
        }
        default:
            if (model.count(key)) {
                delete model[key];    // leaving the grid takes it out of the map too
                model.erase(key);
            }
            break;
        }
    }
    EXPECT_EQ(grid->GetNumViews(), static_cast<long>(model.size()));
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column) {
            const auto key = std::make_pair(row, column);
            FRM_CView* expected = model.count(key) ? model[key] : nullptr;
            ASSERT_EQ(grid->GetContents(row, column), expected);
            if (expected == nullptr)
                continue;
            int r = -1;
            int c = -1;
            grid->GetPosition(expected, &r, &c);
            EXPECT_EQ(std::make_pair(r, c), key);
            // Placed against the top-left corner of its cell, and hit there by arithmetic.
            EXPECT_EQ(expected->GetFrame(), FRM_CRect(column * 10.0F, row * 10.0F,
                                                      column * 10.0F + 4, row * 10.0F + 4));
            EXPECT_EQ(itsWindow->FindDeepSubview(FRM_CPoint(column * 10.0F + 2, row * 10.0F + 2)),
                      expected);
        }
}

TEST_F(GridTest, PlacementCornersTakeTheOffsetInwards)
{
    struct Case {
        const char* why;
        FRM_CGrid::PLACEMENT placement;
        FRM_CRect expected;
    };
    // Cell (1, 1) spans (20, 10)-(40, 20); the view is 6 x 4; the offset (3, 2).
    const Case cases[] = {
        {"top left", FRM_CGrid::TOPLEFT, {23, 12, 29, 16}},
        {"top right", FRM_CGrid::TOPRIGHT, {31, 12, 37, 16}},
        {"bottom left", FRM_CGrid::BOTTOMLEFT, {23, 14, 29, 18}},
        {"bottom right", FRM_CGrid::BOTTOMRIGHT, {31, 14, 37, 18}},
    };
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 61, 31), 3, 3);
    grid->SetPlacementOffset(FRM_CPoint(3, 2));
    auto* view = new FRM_CView(grid, FRM_CRect(0, 0, 6, 4), FRM_CStringRW("v"));
    grid->Insert(view, 1, 1);
    auto* glued = new FRM_CView(grid, FRM_CRect(1, 1, 3, 3), FRM_CStringRW("g"));
    glued->SetGlue(0x000000FF);
    grid->Insert(glued, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        grid->SetPlacement(c.placement);
        EXPECT_EQ(view->GetFrame(), c.expected);
        EXPECT_EQ(glued->GetFrame(), FRM_CRect(1, 1, 3, 3));    // glued views are never placed
    }
}

TEST_F(GridTest, ShrinkingHidesViewsAndGrowingPlacesThemAgain)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 41, 11), 1, 4);
    auto* inThird = new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("c"));
    grid->Insert(inThird, 0, 3);
    EXPECT_EQ(inThird->GetFrame(), FRM_CRect(30, 0, 35, 5));
    grid->SetNumCells(2, 1, 1);
    EXPECT_EQ(inThird->GetFrame(), FRM_CRect(-6, -6, -1, -1));
    grid->SetNumCells(4, 1, 1);
    EXPECT_EQ(inThird->GetFrame(), FRM_CRect(30, 0, 35, 5));

    grid->Suspend();
    auto* late = new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("l"));
    grid->Insert(late, 0, 1);
    EXPECT_EQ(late->GetFrame(), FRM_CRect(0, 0, 5, 5));
    grid->Resume();
    EXPECT_EQ(late->GetFrame(), FRM_CRect(10, 0, 15, 5));
}

// A view that counts the presses that reach it.
class PressCounter : public FRM_CView {
public:
    PressCounter(FRM_CSubview* enclosure) : FRM_CView(enclosure, FRM_CRect(0, 0, 8, 8), FRM_CStringRW("p")) {}
    void MouseDown(FRM_CPoint point, short, short, short) override
    {
        ++itsPresses;
        itsLastPoint = point;
    }
    int itsPresses = 0;
    FRM_CPoint itsLastPoint;
};

TEST_F(GridTest, PressesReachTheViewInTheCellUnderThePointer)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(20, 10, 121, 61), 5, 10);
    auto* counter = new PressCounter(grid);
    grid->Insert(counter, 1, 2);    // the cell (20, 10)-(30, 20) of the grid
    struct Case {
        const char* why;
        FRM_CPoint window;
        int presses;
    };
    const Case cases[] = {
        {"inside the view", {43, 23}, 1},
        {"anywhere in its cell", {49, 29}, 1},
        {"in another cell", {33, 23}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        counter->itsPresses = 0;
        itsWindow->DoMouseDown(c.window, 1, 0, 0);
        EXPECT_EQ(counter->itsPresses, c.presses);
    }
    itsWindow->DoMouseDown(FRM_CPoint(43, 23), 1, 0, 0);
    EXPECT_EQ(counter->itsLastPoint, FRM_CPoint(3, 3));    // local to the view
}

TEST_F(GridTest, AnAssignedGridTakesTheSettingsAndKeepsItsOwnViews)
{
    // Everything a caller can read of a grid's settings.
    auto settings = [](FRM_CFixedGrid* g) {
        return std::make_tuple(g->GetFrame(), g->GetNumRows(), g->GetNumCols(), g->GetWidth(0),
                               g->GetHeight(0), g->GetSizingPolicy(), g->GetPlacement(),
                               g->GetPlacementOffset(), g->IsClipping(), g->IsGridVisible(),
                               g->DrawsVertical(), g->DrawsHorizontal(), g->IsSnapping());
    };
    // Every setting differs from the target's.
    auto* source = new FRM_CFixedGrid(itsWindow, FRM_CRect(100, 100, 161, 131), 3, 3);
    source->IFixedGrid(0, FRM_CGrid::BOTTOMRIGHT, 0, FRM_CGrid::ADJUSTCellNumber, 1, 0);
    source->SetPlacementOffset(FRM_CPoint(3, 2));
    source->SetVerticalDrawing(0);
    source->SetHorizontalDrawing(0);
    source->SetSnapping(0);
    auto* theirs = new FRM_CView(source, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("t"));
    source->Insert(theirs, 1, 1);
    const auto wanted = settings(source);

    auto* target = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 41, 41), 2, 2);
    auto* mine = new FRM_CView(target, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("m"));
    target->Insert(mine, 0, 0);
    *target = *source;
    EXPECT_EQ(settings(target), wanted);
    EXPECT_EQ(settings(source), wanted);
    EXPECT_EQ(target->GetContents(0, 0), mine);
    EXPECT_EQ(target->GetContents(1, 1), nullptr) << "the other's views stay the other's";
    EXPECT_EQ(source->GetContents(1, 1), theirs);

    *target = *target;
    EXPECT_EQ(settings(target), wanted);
    delete source;    // the assigned grid must not name the views that went with it
    target->SetSnapping(1);
    target->DoPlaceView();
    EXPECT_EQ(target->GetContents(0, 0), mine);
    EXPECT_EQ(mine->GetFrame(), FRM_CRect(12, 3, 17, 8)) << "bottom right of the 20 x 10 cell";
}

TEST_F(GridTest, SnappingOffLeavesViewsWhereTheyArePut)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 41, 21), 2, 4);
    grid->SetSnapping(0);
    auto* view = new FRM_CView(grid, FRM_CRect(3, 4, 8, 9), FRM_CStringRW("v"));
    grid->Insert(view, 1, 2);
    grid->SetPlacement(FRM_CGrid::BOTTOMRIGHT);
    EXPECT_EQ(view->GetFrame(), FRM_CRect(3, 4, 8, 9));
    EXPECT_EQ(grid->GetContents(1, 2), view);    // still filed under its cell

    // The window's selected view is the grid while snapping, the grid's own choice otherwise.
    grid->SetSelectedView(view);
    grid->SetSnapping(1);
    EXPECT_EQ(itsWindow->GetSelectedView(), grid);
    grid->SetSnapping(0);
    EXPECT_EQ(itsWindow->GetSelectedView(), view);

    grid->SetSnapping(1);
    grid->DoPlaceView();
    EXPECT_EQ(view->GetFrame(), FRM_CRect(25, 15, 30, 20));
}

TEST_F(GridTest, AdjustCellsFitsTheCellsToTheViews)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 41, 21), 2, 4);
    grid->AdjustCells(FRM_CGrid::MAXIMIZE);    // no views: nothing to fit
    EXPECT_EQ(grid->GetWidth(0), 10);
    auto* wide = new FRM_CView(grid, FRM_CRect(0, 0, 14, 4), FRM_CStringRW("w"));
    auto* tall = new FRM_CView(grid, FRM_CRect(0, 0, 8, 6), FRM_CStringRW("t"));
    grid->Insert(wide, 0, 0);
    grid->Insert(tall, 1, 3);
    struct Case {
        const char* why;
        FRM_CGrid::ADJUST mode;
        float width, height;
        FRM_CRect tallFrame;
    };
    const Case cases[] = {{"largest view", FRM_CGrid::MAXIMIZE, 14, 6, FRM_CRect(42, 6, 50, 12)},
                          {"smallest view", FRM_CGrid::MINIMIZE, 8, 4, FRM_CRect(24, 4, 32, 10)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        grid->AdjustCells(c.mode);
        EXPECT_EQ(grid->GetWidth(0), c.width);
        EXPECT_EQ(grid->GetHeight(0), c.height);
        EXPECT_EQ(grid->GetFrame().Width(), 4 * c.width + 1);
        EXPECT_EQ(tall->GetFrame(), c.tallFrame);    // placed again in its cell
    }
}

TEST_F(GridTest, ClearDestroysEveryViewAndEmptiesTheCells)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 41, 21), 2, 4);
    grid->Insert(new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("a")), 0, 0);
    grid->Insert(new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("b")), 1, 3);
    new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("loose"));    // in no cell
    grid->DoClear();
    EXPECT_EQ(grid->GetNumViews(), 0);
    EXPECT_EQ(grid->GetContents(0, 0), nullptr);
    EXPECT_EQ(grid->GetContents(1, 3), nullptr);
    auto* again = new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("c"));
    grid->Insert(again, 0, 0);    // the cell takes a new view
    EXPECT_EQ(grid->GetContents(0, 0), again);
}

TEST_F(GridTest, LinesFollowTheGridsDrawingSettings)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 41, 21), 2, 4);
    WINDOW handle = itsWindow->GetVKOWindow();
    struct Case {
        const char* why;
        short visible, vertical, horizontal;
        std::size_t lines;
    };
    const Case cases[] = {{"frame and every line", 1, 1, 1, 3 + 1},
                          {"rows only", 1, 0, 1, 1},
                          {"columns only", 1, 1, 0, 3},
                          {"grid hidden: the frame alone", 0, 1, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        c.visible ? grid->ShowGrid() : grid->HideGrid();
        grid->SetVerticalDrawing(c.vertical);
        grid->SetHorizontalDrawing(c.horizontal);
        vkov_debug_draw_log_clear(handle);
        grid->Draw(grid->GetGlobalFrame());
        EXPECT_EQ(LogArgs(handle, "draw_line").size(), c.lines);
        EXPECT_EQ(LogArgs(handle, "draw_rect").size(), 1u);
    }
}

TEST_F(GridTest, WithoutClippingAViewIsHitBeyondItsCell)
{
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 41, 21), 2, 4);
    auto* counter = new PressCounter(grid);
    counter->DoSize(FRM_CRect(0, 0, 15, 5));    // overhangs into column 1
    grid->Insert(counter, 0, 0);
    struct Case {
        const char* why;
        short clipping;
        int presses;
    };
    const Case cases[] = {{"clipped to its cell", 1, 0}, {"not clipped", 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        grid->SetClipping(c.clipping);
        counter->itsPresses = 0;
        itsWindow->DoMouseDown(FRM_CPoint(12, 2), 1, 0, 0);
        EXPECT_EQ(counter->itsPresses, c.presses);
    }
}

TEST_F(GridTest, MisuseIsReportedByTheGrid)
{
    FrmErrorCapture capture;
    auto* grid = new FRM_CFixedGrid(itsWindow, FRM_CRect(0, 0, 21, 21), 2, 2);
    auto* outsider = new FRM_CView(itsWindow, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("o"));
    auto* member = new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("m"));
    int row = 0;
    grid->Insert(nullptr, 0, 0);
    grid->Insert(outsider, 0, 0);
    grid->Insert(nullptr);
    grid->PlaceView(nullptr, 0, 0);
    grid->GetPosition(member, &row, nullptr);
    grid->GetPosition(FRM_CRect(), nullptr, &row);
    grid->Insert(member, 2, 0);
    grid->Replace(member, 0, 2);
    grid->Remove(-1, 0);
    std::vector<long> codes;
    for (const FrmReport& report : capture.Take()) {
        EXPECT_EQ(report.file, "cgrid");
        codes.push_back(report.code);
    }
    EXPECT_EQ(codes, (std::vector<long>{700, 701, 702, 703, 705, 706, 707, 708, 709}));
    EXPECT_EQ(grid->GetContents(-1, 0), nullptr);
}

} // namespace
