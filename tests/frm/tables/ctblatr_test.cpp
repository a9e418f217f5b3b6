// Table attributes: sets and their merging, the palette (sharing, its limit), row, column and
// table levels with and without conform, block updates across chunks, the selection, row and
// column insertion and deletion (also against plain maps over random operations), the
// interpreters the array owns, and refused indexes.
#include "frm/tables/ctblatr.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "../support/frm_error_capture.h"
#include "frm/tables/ctblcord.h"
#include "frm/tables/ctblintp.h"

namespace {

using Attributes = FRM_CTableAttributes;

// Counts deletions and records the cells it was asked to let go of.
class CountingInterpreter : public FRM_CTableInterpreter {
public:
    CountingInterpreter(int* theDeletions, std::vector<FRM_CCell>* theHidden = nullptr)
        : FRM_CTableInterpreter(nullptr), itsDeletions(theDeletions), itsHidden(theHidden) {}
    ~CountingInterpreter() override { ++*itsDeletions; }
    short CanFocus(const CTableInterpreterParameters&) override { return 0; }
    void FocusIn(const CTableInterpreterParameters&) override {}
    void FocusOut(const CTableInterpreterParameters&) override {}
    void Hide(const CTableInterpreterParameters& theParameters) override
    {
        if (itsHidden != nullptr)
            itsHidden->push_back(*theParameters.itsCell);
    }

private:
    int* itsDeletions;
    std::vector<FRM_CCell>* itsHidden;
};

Attributes WithForeground(unsigned long theColor)
{
    Attributes attributes;
    attributes.Foreground(theColor);
    return attributes;
}

Attributes WithBackground(unsigned long theColor)
{
    Attributes attributes;
    attributes.Background(theColor);
    return attributes;
}

TEST(TableAttributes, CombineAddsAndOverridesButNeverRemoves)
{
    Attributes cell = WithForeground(0x00ff0000);
    Attributes change = WithBackground(0x0000ff00);
    change.Foreground(0x000000ff);
    change.UnForeground();   // an unset field does not reach the cell
    cell.Combine(change);
    EXPECT_EQ(cell.Mask(), Attributes::MaskForeground | Attributes::MaskBackground);
    EXPECT_EQ(cell.Foreground(), 0x00ff0000u);
    EXPECT_EQ(cell.Background(), 0x0000ff00u);

    Attributes borders;
    borders.SetBorderStyle(Attributes::BorderDouble, Attributes::BorderBottomRight);
    borders.SetBorderColor(0x123456, Attributes::BorderRight);
    EXPECT_EQ(borders.Mask(), Attributes::MaskBottomBorder | Attributes::MaskRightBorder);
    EXPECT_EQ(borders.RightBorder(), (Attributes::Border{Attributes::BorderDouble, 0x123456}));
    EXPECT_EQ(borders.BottomBorder().itsColor, Attributes::kNoColor);
    // Fields whose bit is clear do not count for equality.
    Attributes a = WithForeground(1), b = WithForeground(1);
    b.Background(7);
    b.UnBackground();
    EXPECT_TRUE(a == b);
    b.Foreground(2);
    EXPECT_FALSE(a == b);
}

TEST(TableAttributeArray, LevelsAreSeparateAndEqualSetsShareOneEntry)
{
    FRM_CTableAttributeArray array;
    EXPECT_EQ(array.GetTable(), nullptr);
    EXPECT_EQ(array.GetRow(5), nullptr);
    EXPECT_EQ(array.GetColumn(5), nullptr);
    EXPECT_EQ(array.GetCell(FRM_CCell(3, 4)), nullptr);

    array.SetCell(FRM_CCell(1, 1), WithForeground(9));
    array.SetCell(FRM_CCell(1, 1), WithBackground(8));
    const Attributes* cell = array.GetCell(FRM_CCell(1, 1));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->Mask(), Attributes::MaskForeground | Attributes::MaskBackground);

    array.SetCell(FRM_CCell(40, 70), WithForeground(9));
    array.SetRow(3, WithForeground(9), 0);
    EXPECT_EQ(array.GetCell(FRM_CCell(40, 70))->Index(), array.GetRow(3)->Index());
    EXPECT_EQ(array.GetCell(FRM_CCell(3, 40)), nullptr);
    EXPECT_EQ(array.GetColumn(3), nullptr);
}

TEST(TableAttributeArray, ConformCarriesARowIntoItsCells)
{
    for (short conform : {0, 1}) {
        SCOPED_TRACE(conform);
        FRM_CTableAttributeArray array(4, 4);
        array.SetCell(FRM_CCell(2, 6), WithForeground(0x11));
        array.SetCell(FRM_CCell(9, 6), WithBackground(0x22));
        array.SetRow(6, WithForeground(0x33), conform);
        EXPECT_EQ(array.GetCell(FRM_CCell(2, 6))->Foreground(), conform ? 0x33u : 0x11u);
        const Attributes* other = array.GetCell(FRM_CCell(9, 6));
        EXPECT_EQ(other->Background(), 0x22u);
        EXPECT_EQ((other->Mask() & Attributes::MaskForeground) != 0, conform != 0);
        EXPECT_EQ(array.GetRow(6)->Foreground(), 0x33u);
    }
    FRM_CTableAttributeArray table(4, 4);
    table.SetColumn(2, WithForeground(1), 0);
    table.SetCell(FRM_CCell(5, 5), WithForeground(2));
    table.SetTable(WithBackground(3), 1);
    EXPECT_EQ(table.GetTable()->Background(), 3u);
    EXPECT_EQ(table.GetColumn(2)->Background(), 3u);
    EXPECT_EQ(table.GetColumn(2)->Foreground(), 1u);
    EXPECT_EQ(table.GetCell(FRM_CCell(5, 5))->Background(), 3u);
}

// A block across several chunks merges into each cell's own set, and leaves the cells
// around it alone.
TEST(TableAttributeArray, BlocksMergeIntoEachCellAcrossChunks)
{
    FRM_CTableAttributeArray array(4, 3);
    array.SetCell(FRM_CCell(5, 5), WithForeground(1));
    array.SetCell(FRM_CCell(2, 9), WithForeground(2));
    const FRM_CBounds block(1, 2, 12, 9);   // rows 1-11, columns 2-8
    array.SetCells(block, WithBackground(7));
    std::set<unsigned> indexes;
    for (int row = 0; row < 14; ++row)
        for (int column = 0; column < 11; ++column) {
            const Attributes* cell = array.GetCell(FRM_CCell(column, row));
            if (!block.Contains(FRM_CCell(column, row))) {
                if (cell != nullptr) {
                    EXPECT_FALSE(cell->Mask() & Attributes::MaskBackground) << row << "," << column;
                }
                continue;
            }
            ASSERT_NE(cell, nullptr) << row << "," << column;
            EXPECT_EQ(cell->Background(), 7u);
            indexes.insert(cell->Index());
        }
    EXPECT_EQ(array.GetCell(FRM_CCell(5, 5))->Foreground(), 1u);
    EXPECT_EQ(array.GetCell(FRM_CCell(2, 9))->Foreground(), 2u);
    EXPECT_EQ(indexes.size(), 3u);   // plain, and one for each cell that had a foreground
}

TEST(TableAttributeArray, AFullPaletteLeavesANewSetOut)
{
    FRM_CTableAttributeArray array;
    for (int i = 1; i <= 255; ++i)
        array.SetCell(FRM_CCell(i % 20, i / 20), WithForeground(i));
    EXPECT_EQ(array.GetCell(FRM_CCell(255 % 20, 255 / 20))->Index(), 255);
    array.SetCell(FRM_CCell(0, 100), WithForeground(1000));
    EXPECT_EQ(array.GetCell(FRM_CCell(0, 100)), nullptr);
    array.SetCell(FRM_CCell(1, 100), WithForeground(17));   // an existing set still fits
    EXPECT_EQ(array.GetCell(FRM_CCell(1, 100))->Foreground(), 17u);
}

TEST(TableAttributeArray, SelectionQueries)
{
    FRM_CTableAttributeArray array;
    std::int32_t line = -1;
    FRM_CCell cell;
    array.SelectRow(3, 1);
    EXPECT_TRUE(array.IsOneRowSelected(&line));
    EXPECT_EQ(line, 3);
    EXPECT_TRUE(array.IsRowSelected(3));
    EXPECT_TRUE(array.IsCellSelected(FRM_CCell(500, 3)));
    array.SelectRow(4, 1);
    EXPECT_FALSE(array.IsOneRowSelected(&line));
    array.DeselectAll();
    array.SelectColumn(2, 1);
    EXPECT_TRUE(array.IsOneColumnSelected(&line));
    EXPECT_EQ(line, 2);
    array.SelectColumn(2, 0);
    array.SelectCell(FRM_CCell(4, 7), 1);
    EXPECT_TRUE(array.IsOneCellSelected(&cell));
    EXPECT_EQ(cell, FRM_CCell(4, 7));
    array.SelectCells(FRM_CBounds(7, 4, 9, 6), 1);
    EXPECT_FALSE(array.IsOneCellSelected(&cell));
    array.SelectCells(FRM_CBounds(7, 4, 9, 6), 0);
    EXPECT_TRUE(array.GetSelectedRegion().IsEmpty());
}

TEST(TableAttributeArray, InsertAndDeleteMoveEntriesCellsAndSelection)
{
    FRM_CTableAttributeArray array(4, 4);
    array.SetRow(2, WithForeground(5), 0);
    array.SetCell(FRM_CCell(6, 2), WithBackground(6));
    array.SetColumn(6, WithForeground(8), 0);
    array.SelectRow(2, 1);
    array.InsertRows(2, 1);
    EXPECT_EQ(array.GetRow(2), nullptr);
    EXPECT_EQ(array.GetCell(FRM_CCell(6, 2)), nullptr);
    EXPECT_EQ(array.GetRow(3)->Foreground(), 5u);
    EXPECT_EQ(array.GetCell(FRM_CCell(6, 3))->Background(), 6u);
    EXPECT_TRUE(array.IsRowSelected(3));
    EXPECT_EQ(array.GetColumn(6)->Foreground(), 8u);   // column entries do not move with rows

    array.InsertColumns(0, 2);
    EXPECT_EQ(array.GetColumn(8)->Foreground(), 8u);
    EXPECT_EQ(array.GetCell(FRM_CCell(8, 3))->Background(), 6u);
    array.DeleteColumns(1, 1);
    EXPECT_EQ(array.GetCell(FRM_CCell(7, 3))->Background(), 6u);
    array.DeleteRows(0, 3, 100);
    EXPECT_EQ(array.GetRow(0)->Foreground(), 5u);
    EXPECT_EQ(array.GetCell(FRM_CCell(7, 0))->Background(), 6u);
    EXPECT_TRUE(array.IsRowSelected(0));
    EXPECT_EQ(array.GetRow(3), nullptr);
}

// Where index k goes when count places are inserted at at (count < 0: deleted from at on);
// -1 when it is deleted.
int Moved(int k, int at, int count)
{
    if (k < at)
        return k;
    if (count < 0 && k < at - count)
        return -1;
    return k + count;
}

// The array against plain maps over random settings, insertions and deletions of rows and
// columns, with chunks small enough that every operation crosses chunk boundaries.
TEST(TableAttributeArray, AgreesWithPlainMapsOverRandomInsertionsAndDeletions)
{
    constexpr int kSpan = 24;   // settings fall inside this square; checks look past it
    using Cell = std::pair<int, int>;   // row, column
    for (unsigned seed : {1u, 7u, 42u, 2026u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        FRM_CTableAttributeArray array(4, 3);
        std::map<Cell, unsigned long> cells;
        std::map<int, unsigned long> rows, columns;
        std::set<Cell> selected;
        // Moves the model's rows (or columns) as the array's InsertRows/DeleteRows do.
        auto move = [&](bool byRow, int at, int count) {
            std::map<Cell, unsigned long> movedCells;
            for (const auto& [cell, color] : cells) {
                Cell to = cell;
                int& k = byRow ? to.first : to.second;
                k = Moved(k, at, count);
                if (k >= 0)
                    movedCells[to] = color;
            }
            cells.swap(movedCells);
            std::set<Cell> movedSelection;
            for (Cell cell : selected) {
                int& k = byRow ? cell.first : cell.second;
                k = Moved(k, at, count);
                if (k >= 0)
                    movedSelection.insert(cell);
            }
            selected.swap(movedSelection);
            std::map<int, unsigned long>& lines = byRow ? rows : columns;
            std::map<int, unsigned long> movedLines;
            for (const auto& [k, color] : lines)
                if (Moved(k, at, count) >= 0)
                    movedLines[Moved(k, at, count)] = color;
            lines.swap(movedLines);
        };
        for (int step = 0; step < 300; ++step) {
            const int at = pick(kSpan);
            const int count = 1 + pick(4);
            const unsigned long color = 1 + pick(20);
            const Cell cell{pick(kSpan), at};
            switch (pick(8)) {
            case 0: case 1:
                array.SetCell(FRM_CCell(cell.second, cell.first), WithForeground(color));
                cells[cell] = color;
                break;
            case 2:
                array.SetRow(at, WithForeground(color), 0);
                rows[at] = color;
                break;
            case 3:
                array.SetColumn(at, WithForeground(color), 0);
                columns[at] = color;
                break;
            case 4:
                if (pick(2) == 0) {
                    array.SelectCell(FRM_CCell(cell.second, cell.first), 1);
                    selected.insert(cell);
                } else {
                    array.SelectCell(FRM_CCell(cell.second, cell.first), 0);
                    selected.erase(cell);
                }
                break;
            case 5: case 6: {
                const bool byRow = pick(2) == 0;
                const bool insert = pick(2) == 0;
                if (byRow)
                    insert ? array.InsertRows(at, count) : array.DeleteRows(at, count, 1000);
                else
                    insert ? array.InsertColumns(at, count) : array.DeleteColumns(at, count);
                move(byRow, at, insert ? count : -count);
                break;
            }
            default:
                break;
            }
        }
        auto colorOf = [](const Attributes* a) { return a == nullptr ? 0ul : a->Foreground(); };
        auto expected = [](const auto& keyed, const auto& k) {
            const auto it = keyed.find(k);
            return it == keyed.end() ? 0ul : it->second;
        };
        for (int row = 0; row < 2 * kSpan + 10; ++row) {
            ASSERT_EQ(colorOf(array.GetRow(row)), expected(rows, row)) << "row " << row;
            ASSERT_EQ(colorOf(array.GetColumn(row)), expected(columns, row)) << "column " << row;
            for (int column = 0; column < 2 * kSpan + 10; ++column) {
                const Cell cell{row, column};
                ASSERT_EQ(colorOf(array.GetCell(FRM_CCell(column, row))), expected(cells, cell))
                    << "cell row " << row << " column " << column;
                ASSERT_EQ(array.IsCellSelected(FRM_CCell(column, row)) != 0, selected.count(cell) == 1)
                    << "selection row " << row << " column " << column;
            }
        }
    }
}

TEST(TableAttributeArray, InterpretersAreOwnedAndDeletedOnce)
{
    int deletions = 0;
    {
        FRM_CTableAttributeArray array;
        auto* shared = new CountingInterpreter(&deletions);
        auto* single = new CountingInterpreter(&deletions);
        Attributes a;
        a.Interpreter(shared);
        array.SetTable(a, 0);
        array.SetRow(4, a, 0);
        Attributes b = a;
        b.Foreground(3);   // a second palette entry naming the same interpreter
        array.SetCell(FRM_CCell(1, 1), b);
        Attributes c;
        c.Interpreter(single);
        array.SetColumn(2, c, 0);
        EXPECT_EQ(array.GetInterpreters(), (std::vector<FRM_CTableInterpreter*>{shared, single}));
    }
    EXPECT_EQ(deletions, 2);
}

// Deleting rows takes the cells of every row leaving the end of the table off every
// interpreter, whatever palette slot names it.
TEST(TableAttributeArray, DeletingRowsHidesEveryLeavingRowOfEveryInterpreter)
{
    int deletions = 0;
    std::vector<FRM_CCell> hidden;
    FRM_CTableAttributeArray array;
    for (int i = 0; i < 20; ++i)
        array.SetCell(FRM_CCell(0, i), WithForeground(i + 1));   // fill slots 1-20
    Attributes late;
    late.Interpreter(new CountingInterpreter(&deletions, &hidden));
    array.SetColumn(1, late, 0);
    FRM_CTableCoordinates coordinates(nullptr, 10, 10);
    coordinates.ColumnStart(1);   // columns 0-3 known
    array.DeleteInterpreter(FRM_CBounds(0, 0, 50, 10), 2, coordinates);
    std::vector<FRM_CCell> expected;
    for (int column = 0; column < 4; ++column)
        for (int row : {48, 49})
            expected.emplace_back(column, row);
    EXPECT_EQ(hidden, expected);
}

TEST(TableAttributeArray, NegativeIndexesAreRefused)
{
    FrmErrorCapture capture;
    FRM_CTableAttributeArray array;
    const Attributes a = WithForeground(1);
    array.GetCell(FRM_CCell(-1, 0));
    array.SetCells(FRM_CBounds(-1, 0, 2, 2), a);
    array.SetCells(FRM_CBounds(0, -1, 2, 2), a);
    array.SetCell(FRM_CCell(0, -2), a);
    array.GetRow(-1);
    array.SetRow(-1, a, 0);
    array.GetColumn(-1);
    array.SetColumn(-1, a, 1);
    std::vector<int> lines;
    for (const FrmReport& report : capture.Take()) {
        EXPECT_EQ(report.code, 2031);
        EXPECT_EQ(report.file, "ctblatr");
        lines.push_back(report.line);
    }
    EXPECT_EQ(lines, (std::vector<int>{381, 387, 388, 401, 407, 413, 421, 427}));
    EXPECT_EQ(array.GetNumChunks(), 0u);
}

}   // namespace
