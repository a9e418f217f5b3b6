// Tests of the variable grid: defaults from the region, sizing single columns under both
// policies, the row boundaries, inserting columns, column geometry against a plain list,
// fitting rows and cells to their views, forgetting sizes, new counts, raised minimums, stored
// sizes that never go below zero, and the misuse reports.
#include "frm/views/cvrblgrd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"

namespace {

class VariableGridTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("grid", 400, 300);
    }
    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(VariableGridTest, DefaultsComeFromTheRegion)
{
    auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    EXPECT_EQ(grid->GetDefaultWidth(), 25);
    EXPECT_EQ(grid->GetDefaultHeight(), 20);
    grid->SizeRow(1, 30);
    struct Case {
        const char* why;
        float v;
        int row;
    };
    const Case cases[] = {{"inside the first row", 19.9F, 0},
                          {"on the boundary of rows 1 and 2", 50, 2},
                          {"in the tall row", 49.9F, 1},
                          {"past the last row", 70, -1},
                          {"above the grid", -1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(grid->GetRow(c.v), c.row);
    }
    EXPECT_EQ(grid->GetCellSize(2, 1), FRM_CRect(25, 50, 50, 70));
    EXPECT_EQ(grid->GetCellSize(3, 0), FRM_CRect(0, 0, 0, 0));
}

TEST_F(VariableGridTest, SizingAColumnUnderEachPolicy)
{
    auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    grid->SizeCol(2, 1);    // below the minimum of 2 pixels
    EXPECT_EQ(grid->GetWidth(2), 2);

    auto* growing = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    auto* view = new FRM_CView(growing, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("v"));
    growing->Insert(view, 0, 3);
    growing->SizeCol(1, 45);
    EXPECT_EQ(growing->GetFrame().Width(), 121);    // the frame follows the cells
    EXPECT_EQ(view->GetFrame().Left(), 95);         // and the views are placed again

    auto* keeping = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    keeping->SetCellSizingPolicy(FRM_CVariableGrid::ADJUSTDefaultCellSize);
    keeping->SizeCol(1, 40);
    EXPECT_EQ(keeping->GetFrame().Width(), 101);
    EXPECT_EQ(keeping->GetDefaultWidth(), 20);      // (101 - 1 - 40) / 3
    keeping->SizeCol(0, 95);                        // leaves no room for the unsized columns
    EXPECT_EQ(keeping->GetDefaultWidth(), 2);
    // Overflow (2 * 2 + 40 + 95 + 1) - 101 = 39 is taken from the two sized columns alike.
    EXPECT_EQ(keeping->GetWidth(0), 75.5F);
    EXPECT_EQ(keeping->GetWidth(1), 20.5F);
}

TEST_F(VariableGridTest, StoredSizesNeverGoBelowZero)
{
    auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 1, 2);
    grid->SetCellSizingPolicy(FRM_CVariableGrid::ADJUSTDefaultCellSize);
    grid->SizeCol(0, 10);
    grid->SizeCol(1, 10);
    grid->FRM_CView::Size(FRM_CRect(0, 0, 0, 61));    // no room even for the closing line
    grid->ResetWidth();
    EXPECT_EQ(grid->GetWidth(0), 0);
    EXPECT_EQ(grid->GetWidth(1), 0);
}

TEST_F(VariableGridTest, ShiftingColumnsMovesSizesAndViews)
{
    auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    auto* view = new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("v"));
    grid->Insert(view, 0, 1);
    grid->SizeCol(1, 50);
    grid->ShiftColumns(1, 2);
    EXPECT_EQ(grid->GetNumCols(), 6);
    EXPECT_EQ(grid->GetWidth(3), 50);
    EXPECT_EQ(grid->GetWidth(1), 25);
    EXPECT_EQ(grid->GetWidth(2), 25);
    EXPECT_EQ(grid->GetContents(0, 3), view);
    EXPECT_EQ(grid->GetContents(0, 1), nullptr);
    EXPECT_EQ(view->GetFrame().Left(), 75);
}

// Column geometry against a plain list of widths over random sizing and column insertion, with
// the frame following the cells.
TEST_F(VariableGridTest, ColumnsAgreeWithAPlainListOfWidths)
{
    for (unsigned seed : {1u, 7u, 42u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
        std::vector<float> widths(4, 25);
        for (int step = 0; step < 60; ++step) {
            const int column = pick(static_cast<int>(widths.size()));
            if (pick(3) == 0) {
                const int count = pick(3);
                grid->ShiftColumns(column, count);
                widths.insert(widths.begin() + column, static_cast<std::size_t>(count), 25.0F);
            } else {
                const float width = static_cast<float>(pick(40));    // below 2 takes the minimum
                grid->SizeCol(column, width);
                widths[static_cast<std::size_t>(column)] = std::max(width, 2.0F);
            }
            ASSERT_EQ(grid->GetNumCols(), static_cast<int>(widths.size()));
            float left = 0;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const int index = static_cast<int>(c);
                ASSERT_EQ(grid->GetCellSize(0, index), FRM_CRect(left, 0, left + widths[c], 20));
                if (widths[c] > 0) {
                    ASSERT_EQ(grid->GetCol(left), index);
                    ASSERT_EQ(grid->GetCol(left + widths[c] - 0.5F), index);
                }
                left += widths[c];
            }
            ASSERT_EQ(grid->GetCol(left), -1);
            ASSERT_EQ(grid->GetFrame().Width(), left + 1);
        }
    }
}

TEST_F(VariableGridTest, RowsFitTheirViews)
{
    auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    auto* small = new FRM_CView(grid, FRM_CRect(0, 0, 5, 8), FRM_CStringRW("s"));
    auto* tall = new FRM_CView(grid, FRM_CRect(0, 0, 5, 14), FRM_CStringRW("t"));
    grid->Insert(small, 1, 0);
    grid->Insert(tall, 1, 2);
    grid->AdjustRow(1, FRM_CGrid::MAXIMIZE);
    EXPECT_EQ(grid->GetHeight(1), 14);
    grid->AdjustRow(1, FRM_CGrid::MINIMIZE);
    EXPECT_EQ(grid->GetHeight(1), 8);
    grid->AdjustRow(2, FRM_CGrid::MAXIMIZE);    // an empty row keeps its size
    EXPECT_EQ(grid->GetHeight(2), 20);
}

TEST_F(VariableGridTest, ForgettingSizesGivesTheRestBackToTheDefaults)
{
    auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    auto* view = new FRM_CView(grid, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("v"));
    grid->Insert(view, 2, 3);
    grid->SizeCol(1, 45);    // the frame grows to 121 wide
    grid->SizeRow(0, 30);    // and to 71 high
    ASSERT_EQ(grid->GetFrame(), FRM_CRect(0, 0, 121, 71));

    grid->ResetColumns();    // every column unsized: they share the frame's width
    EXPECT_EQ(grid->GetWidth(1), 30);
    EXPECT_EQ(grid->GetDefaultWidth(), 30);
    EXPECT_EQ(grid->GetHeight(0), 30);    // rows untouched
    EXPECT_EQ(view->GetFrame().Left(), 90);

    grid->ResetRows();
    EXPECT_FLOAT_EQ(grid->GetHeight(0), 70.0F / 3);
    EXPECT_EQ(grid->GetFrame(), FRM_CRect(0, 0, 121, 71));

    // Fitting the cells to the views forgets every size first.
    grid->SizeCol(0, 60);
    auto* tall = new FRM_CView(grid, FRM_CRect(0, 0, 8, 6), FRM_CStringRW("t"));
    grid->Insert(tall, 0, 0);
    grid->AdjustCells(FRM_CGrid::MAXIMIZE);
    EXPECT_EQ(grid->GetWidth(0), 8);
    EXPECT_EQ(grid->GetHeight(1), 6);
    EXPECT_EQ(grid->GetFrame(), FRM_CRect(0, 0, 33, 19));
}

TEST_F(VariableGridTest, NewCountsResizeTheFrameOrTheDefaults)
{
    struct Case {
        const char* why;
        short willResize;
        float frameWidth, defaultWidth;
    };
    const Case cases[] = {{"the frame grows to five default columns", 1, 126, 25},
                          {"the frame stays and five columns share it", 0, 101, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
        grid->SetNumCells(5, 3, c.willResize);
        EXPECT_EQ(grid->GetNumCols(), 5);
        EXPECT_EQ(grid->GetFrame().Width(), c.frameWidth);
        EXPECT_EQ(grid->GetDefaultWidth(), c.defaultWidth);
    }
}

TEST_F(VariableGridTest, ARaisedMinimumShrinksTheSizedColumns)
{
    auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    grid->SetCellSizingPolicy(FRM_CVariableGrid::ADJUSTDefaultCellSize);
    grid->SizeCol(0, 40);
    ASSERT_EQ(grid->GetDefaultWidth(), 20);    // (101 - 1 - 40) / 3
    grid->SetMinimumDefaultCellSize(22, 2);
    float width = 0;
    float height = 0;
    grid->GetMinimumDefaultCellSize(&width, &height);
    EXPECT_EQ(width, 22);
    EXPECT_EQ(height, 2);
    // The unsized columns take the minimum; the overflow (3 * 22 + 40 + 1) - 101 = 6 comes off
    // the sized column, and the frame keeps its width.
    EXPECT_EQ(grid->GetDefaultWidth(), 22);
    EXPECT_EQ(grid->GetWidth(0), 34);
    EXPECT_EQ(grid->GetFrame().Width(), 101);
    EXPECT_EQ(grid->GetDefaultHeight(), 20);    // above its new minimum: unchanged
}

// An assigned grid takes the other's cells, stored sizes, policy and minimum, forgets its own
// sizes, and changes apart from the other afterwards.
TEST_F(VariableGridTest, AnAssignedGridTakesTheSizesAndThePolicy)
{
    auto* source = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    source->SetCellSizingPolicy(FRM_CVariableGrid::ADJUSTDefaultCellSize);
    source->SizeCol(0, 40);
    source->SizeRow(2, 30);
    source->SetMinimumDefaultCellSize(4, 3);
    auto* target = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 200, 100), 2, 2);
    target->SizeRow(0, 50);

    *target = *source;
    EXPECT_EQ(target->GetFrame(), FRM_CRect(0, 0, 101, 61));
    EXPECT_EQ(target->GetNumCols(), 4);
    EXPECT_EQ(target->GetCellSizingPolicy(), FRM_CVariableGrid::ADJUSTDefaultCellSize);
    float width = 0;
    float height = 0;
    target->GetMinimumDefaultCellSize(&width, &height);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 3);
    struct Case {
        const char* why;
        float got, expected;
    };
    const Case cases[] = {{"the sized column", target->GetWidth(0), 40},
                          {"an unsized column", target->GetWidth(1), 20},
                          {"the sized row", target->GetHeight(2), 30},
                          {"its own sized row is forgotten", target->GetHeight(0), 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.got, c.expected);
    }

    // Under the copied policy a new column size keeps the frame and shrinks the defaults.
    target->SizeCol(1, 30);
    EXPECT_EQ(target->GetFrame().Width(), 101);
    EXPECT_EQ(target->GetDefaultWidth(), 15);
    EXPECT_EQ(source->GetWidth(1), 20) << "the source keeps its sizes";
}

TEST_F(VariableGridTest, NegativeShiftsAndMinimumsAreReported)
{
    FrmErrorCapture capture;
    auto* grid = new FRM_CVariableGrid(itsWindow, FRM_CRect(0, 0, 101, 61), 3, 4);
    grid->ShiftColumns(0, -1);
    grid->SetMinimumDefaultCellSize(-1, 2);
    const std::vector<FrmReport> reports = capture.Take();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].code, 725);
    EXPECT_EQ(reports[1].code, 726);
    EXPECT_EQ(reports[0].file, "cvrblgrd");
    EXPECT_EQ(grid->GetNumCols(), 4);
}

} // namespace
