// Cell regions: the set operations against a plain set of cells over random operations with
// fixed seeds, the pieces of a removal, whole rows and columns, row and column insertion and
// deletion, and the four iterators.
#include "frm/core/crgn.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

using Cell = std::pair<std::int32_t, std::int32_t>;   // row, column
constexpr std::int32_t kEnd = FRM_CRegion::kEnd;
constexpr std::int32_t kGrid = 24;   // the random operations stay inside this square

std::vector<FRM_CBounds> Rects(const FRM_CRegion& region)
{
    std::vector<FRM_CBounds> rects;
    FRM_CRegionIterator it(region);
    FRM_CBounds b;
    while (it.Next(b))
        rects.push_back(b);
    return rects;
}

// The cells the cell iterator gives, each checked to come once.
std::set<Cell> Cells(const FRM_CRegion& region)
{
    std::set<Cell> cells;
    FRM_CRegionCellIterator it(region);
    FRM_CCell cell;
    while (it.Next(cell))
        EXPECT_TRUE(cells.insert({cell.V(), cell.H()}).second) << cell.V() << "," << cell.H();
    return cells;
}

void AddCells(std::set<Cell>& cells, const FRM_CBounds& b)
{
    for (std::int32_t row = b.Top(); row < b.Bottom(); ++row)
        for (std::int32_t column = b.Left(); column < b.Right(); ++column)
            cells.insert({row, column});
}

void RemoveCells(std::set<Cell>& cells, const FRM_CBounds& b)
{
    for (std::int32_t row = b.Top(); row < b.Bottom(); ++row)
        for (std::int32_t column = b.Left(); column < b.Right(); ++column)
            cells.erase({row, column});
}

FRM_CBounds RandomBounds(std::mt19937& random)
{
    std::uniform_int_distribution<std::int32_t> at(0, kGrid - 1);
    std::uniform_int_distribution<std::int32_t> size(1, 6);
    const std::int32_t top = at(random), left = at(random);
    return FRM_CBounds(top, left, std::min(top + size(random), kGrid),
                       std::min(left + size(random), kGrid));
}

// No two rectangles of the region share a cell, and none is empty.
void ExpectNoOverlap(const FRM_CRegion& region)
{
    const std::vector<FRM_CBounds> rects = Rects(region);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_FALSE(rects[i].IsEmpty());
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_TRUE(rects[i].Intersection(rects[j]).IsEmpty()) << i << " and " << j;
    }
}

TEST(Region, AgreesWithASetOfCellsOverRandomOperations)
{
    for (const unsigned seed : {3u, 11u, 1999u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> operation(0, 5);
        FRM_CRegion region;
        std::set<Cell> model;
        for (int step = 0; step < 400; ++step) {
            const FRM_CBounds b = RandomBounds(random);
            FRM_CRegion other(b);
            other.Add(RandomBounds(random));
            std::set<Cell> otherCells = Cells(other);
            switch (operation(random)) {
            case 0:
            case 1:
                region.Add(b);
                AddCells(model, b);
                break;
            case 2:
                region.Remove(b);
                RemoveCells(model, b);
                break;
            case 3:
                region.Union(other);
                model.insert(otherCells.begin(), otherCells.end());
                break;
            case 4:
                region.Subtract(other);
                for (const Cell& cell : otherCells)
                    model.erase(cell);
                break;
            default: {
                region.Xor(other);
                std::set<Cell> both;
                for (const Cell& cell : otherCells) {
                    if (!model.erase(cell))
                        both.insert(cell);
                }
                model.insert(both.begin(), both.end());
            }
            }
            ASSERT_EQ(Cells(region), model) << "step " << step;
        }
        ExpectNoOverlap(region);
        for (std::int32_t row = 0; row < kGrid; ++row)
            for (std::int32_t column = 0; column < kGrid; ++column)
                EXPECT_EQ(region.Contains(FRM_CCell(column, row)),
                          model.count({row, column}) != 0 ? 1 : 0);
        FRM_CBounds expected;
        for (const auto& [row, column] : model)
            expected = expected.Union(FRM_CCell(column, row));
        EXPECT_EQ(region.Bounds(), expected);
        EXPECT_EQ(region.IsEmpty(), model.empty() ? 1 : 0);
    }
}

TEST(Region, RemovingTheMiddleCellLeavesFourPieces)
{
    FRM_CRegion region(FRM_CBounds(0, 0, 3, 3));
    region.Remove(FRM_CCell(1, 1));
    const std::vector<FRM_CBounds> expected = {
        {0, 0, 1, 3}, {2, 0, 3, 3}, {1, 0, 2, 1}, {1, 2, 2, 3}};
    EXPECT_EQ(Rects(region), expected);
    EXPECT_EQ(region.Bounds(), FRM_CBounds(0, 0, 3, 3));
    region.Xor(region);
    EXPECT_TRUE(region.IsEmpty());
    EXPECT_EQ(region.Bounds(), FRM_CBounds());
}

TEST(Region, WholeRowsAndColumns)
{
    FRM_CRegion region;
    region.Add(FRM_CBounds(4, 0, 5, 1000));   // spans every used column, but is not whole
    region.AddRow(7);
    region.AddRow(8);
    EXPECT_EQ(region.ContainsRow(4), 0);
    EXPECT_EQ(region.ContainsRow(7), 1);
    region.AddColumn(2);
    EXPECT_EQ(region.ContainsColumn(2), 1);
    EXPECT_EQ(region.ContainsColumn(3), 0);
    EXPECT_EQ(region.Contains(FRM_CCell(123456, 8)), 1);

    std::vector<std::int32_t> rows, columns;
    FRM_CRegionRowIterator rowWalk(region);
    std::int32_t index = 0;
    while (rowWalk.Next(index))
        rows.push_back(index);
    FRM_CRegionColumnIterator columnWalk(region);
    while (columnWalk.Next(index))
        columns.push_back(index);
    // The whole column was added last: it cut the rows into pieces that are no longer whole.
    EXPECT_EQ(columns, std::vector<std::int32_t>{2});
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(region.ContainsRow(7), 0);
    EXPECT_EQ(region.Contains(FRM_CCell(2, 7)), 1);

    region.RemoveColumn(2);
    region.AddRow(7);
    rowWalk.Reset();
    rows.clear();
    while (rowWalk.Next(index))
        rows.push_back(index);
    EXPECT_EQ(rows, std::vector<std::int32_t>{7});
}

TEST(Region, InsertingAndDeletingRowsAndColumnsKeepTheTableEnd)
{
    struct Case {
        const char* why;
        std::vector<FRM_CBounds> before;
        void (FRM_CRegion::*change)(std::int32_t, std::int32_t);
        std::int32_t at, count;
        std::vector<FRM_CBounds> after;
    };
    const Case cases[] = {
        {"deleting rows 2 and 3 moves row 5 to 3", {{5, 0, 6, 4}}, &FRM_CRegion::DeleteRows, 2, 2,
         {{3, 0, 4, 4}}},
        {"a deleted rectangle goes", {{2, 0, 4, 4}}, &FRM_CRegion::DeleteRows, 2, 2, {}},
        {"a rectangle across the gap shrinks", {{1, 0, 6, 4}}, &FRM_CRegion::DeleteRows, 2, 2,
         {{1, 0, 4, 4}}},
        {"a whole row stays whole", {{3, 0, 4, kEnd}}, &FRM_CRegion::DeleteColumns, 5, 2,
         {{3, 0, 4, kEnd}}},
        {"a whole row grows nowhere", {{3, 0, 4, kEnd}}, &FRM_CRegion::InsertColumns, 5, 2,
         {{3, 0, 4, kEnd}}},
        {"cells after the insertion move", {{0, 6, 1, 8}}, &FRM_CRegion::InsertColumns, 5, 2,
         {{0, 8, 1, 10}}},
        {"a rectangle across the insertion grows", {{0, 4, 1, 8}}, &FRM_CRegion::InsertColumns,
         5, 2, {{0, 4, 1, 10}}},
        {"a whole column stays whole", {{0, 3, kEnd, 4}}, &FRM_CRegion::InsertRows, 0, 9,
         {{0, 3, kEnd, 4}}},
        {"a whole row at column 0 stays whole", {{3, 0, 4, kEnd}}, &FRM_CRegion::InsertColumns,
         0, 9, {{3, 0, 4, kEnd}}},
        {"cells pushed past the table's end go", {{0, kEnd - 2, 1, kEnd - 1}},
         &FRM_CRegion::InsertColumns, 0, 5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CRegion region;
        for (const FRM_CBounds& b : c.before)
            region.Add(b);
        (region.*c.change)(c.at, c.count);
        EXPECT_EQ(Rects(region), c.after);
    }
}

TEST(Region, CellWalkSkipsRectanglesToTheTableEnd)
{
    FRM_CRegion region(FRM_CBounds(0, 0, 2, 2));
    region.AddRow(10);
    region.AddColumn(20);   // cuts row 10 into columns 0-19 and 21 to the end
    std::set<Cell> expected = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (std::int32_t column = 0; column < 20; ++column)
        expected.insert({10, column});
    EXPECT_EQ(Cells(region), expected);
    FRM_CRegion copy(region);
    copy.Clear();
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(Rects(region).size(), 4u);
    copy = region;
    EXPECT_EQ(Rects(copy), Rects(region));
    EXPECT_EQ(region.GetRunTimeTypeInfo()->GetId(), 20193);
}

} // namespace
