// Table coordinates: random sizing, insertion and deletion against a plain list of row sizes
// (fixed seeds), then the hit tests at and around every border; lazy initialisation, hidden
// rows, defaults, tiny and zero defaults, and the column insertion trace.
#include "frm/tables/ctblcord.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <vector>

namespace {

// The reference: sizes of the rows sized or inserted so far; the others have the default.
class Reference {
public:
    explicit Reference(int theDefault) : itsDefault(theDefault) {}
    int Size(int i) const { return i < static_cast<int>(itsSizes.size()) ? itsSizes[i] : itsDefault; }
    int Start(int i) const
    {
        int start = 0;
        for (int r = 0; r < i; ++r)
            start += Size(r);
        return start;
    }
    // The last row whose start is at or before p.
    int RowAt(int p) const
    {
        if (p <= 0)
            return 0;
        int row = 0;
        while (Start(row + 1) <= p)
            ++row;
        return row;
    }
    void Set(int i, int size) { Grow(i + 1); itsSizes[i] = size; }
    void Insert(int at, int count) { Grow(at); itsSizes.insert(itsSizes.begin() + at, count, itsDefault); }
    void Delete(int at, int count)
    {
        Grow(at + count);
        itsSizes.erase(itsSizes.begin() + at, itsSizes.begin() + at + count);
    }

private:
    void Grow(int n)
    {
        while (static_cast<int>(itsSizes.size()) < n)
            itsSizes.push_back(itsDefault);
    }
    int itsDefault;
    std::vector<int> itsSizes;
};

// Both axes see the same operations; rows are checked through rows, columns through columns.
TEST(TableCoordinates, RandomOperationsMatchTheReference)
{
    for (unsigned seed : {1u, 7u, 42u, 2026u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const int rowDefault = 5 + static_cast<int>(seed % 7), columnDefault = 11;
        FRM_CTableCoordinates coordinates(nullptr, rowDefault, columnDefault, 3, 2);
        std::ostringstream trace;
        FRM_CTableCoordinates::SetTraceStream(&trace);
        Reference rows(rowDefault), columns(columnDefault);
        std::uniform_int_distribution<int> index(0, 40), count(1, 5), size(0, 30), op(0, 5);
        for (int step = 0; step < 300; ++step) {
            const int at = index(random), n = count(random), s = size(random);
            switch (op(random)) {
            case 0: coordinates.SetRowHeight(at, s); rows.Set(at, s); break;
            case 1: coordinates.SetColumnWidth(at, s); columns.Set(at, s); break;
            case 2: coordinates.InsertRows(at, n); rows.Insert(at, n); break;
            case 3: coordinates.InsertColumns(at, n); columns.Insert(at, n); break;
            case 4: coordinates.DeleteRows(at, n, 1000); rows.Delete(at, n); break;
            default: coordinates.DeleteColumns(at, n); columns.Delete(at, n); break;
            }
            const int probe = index(random);
            ASSERT_EQ(coordinates.RowStart(probe), rows.Start(probe)) << "step " << step;
            ASSERT_EQ(coordinates.ColumnStart(probe), columns.Start(probe)) << "step " << step;
        }
        for (int p = -3; p < rows.Start(45); ++p)
            ASSERT_EQ(coordinates.ToCell(FRM_CPoint(0, p)).V(), rows.RowAt(p)) << p;
        for (int p = -3; p < columns.Start(45); ++p)
            ASSERT_EQ(coordinates.ToCell(FRM_CPoint(p, 0)).H(), columns.RowAt(p)) << p;
        FRM_CTableCoordinates::SetTraceStream(nullptr);
    }
}

TEST(TableCoordinates, StartsAreComputedFourAtATimeAndOnlyAsFarAsNeeded)
{
    FRM_CTableCoordinates coordinates(nullptr, 10, 50);
    EXPECT_EQ(coordinates.GetLastInitializedRow(), 0);
    EXPECT_EQ(coordinates.ToScreen(FRM_CCell(0, 5)), FRM_CPoint(0, 50));
    EXPECT_EQ(coordinates.GetLastInitializedRow(), 8);
    EXPECT_EQ(coordinates.GetLastInitializedColumn(), 4);
    // A hit test far down knows only the rows up to the position, not the whole table.
    EXPECT_EQ(coordinates.ToCell(FRM_CPoint(0, 1'000'005)).V(), 100'000);
    EXPECT_LE(coordinates.GetLastInitializedRow(), 100'004);
}

TEST(TableCoordinates, BordersHiddenRowsAndRectangles)
{
    FRM_CTableCoordinates coordinates(nullptr, 10, 50);
    coordinates.SetOrigin(FRM_CPoint(0, 0));
    EXPECT_EQ(coordinates.ToCell(FRM_CPoint(-5, -5)), FRM_CCell(0, 0));
    EXPECT_EQ(coordinates.ToCell(FRM_CPoint(50, 30)), FRM_CCell(1, 3));   // on a border: the next
    coordinates.SetRowHeight(3, 0);
    coordinates.SetRowHeight(4, 0);
    EXPECT_EQ(coordinates.ToCell(FRM_CPoint(0, 30)).V(), 5);               // hidden rows skipped
    EXPECT_EQ(coordinates.RowStart(5), 30);
    // A bottom on a row start stays out of that row; right likewise.
    EXPECT_EQ(coordinates.ToCell(FRM_CRect(0, 0, 100, 50)), FRM_CBounds(0, 0, 7, 2));
    EXPECT_EQ(coordinates.ToCell(FRM_CRect(0, 0, 101, 51)), FRM_CBounds(0, 0, 8, 3));
    // With an origin, screen positions are relative to it.
    coordinates.SetOrigin(FRM_CPoint(50, 20));
    EXPECT_EQ(coordinates.ToCell(FRM_CPoint(0, 0)), FRM_CCell(1, 2));
    EXPECT_EQ(coordinates.ToScreen(FRM_CBounds(2, 1, 3, 3)), FRM_CRect(0, 0, 100, 10));
}

TEST(TableCoordinates, InsertDeleteAndResizeMoveOnlyLaterRows)
{
    FRM_CTableCoordinates coordinates(nullptr, 10, 50);
    coordinates.SetRowHeight(2, 25);
    EXPECT_EQ(coordinates.RowStart(2), 20);
    EXPECT_EQ(coordinates.RowStart(3), 45);
    EXPECT_EQ(coordinates.RowStart(9), 105);
    coordinates.InsertRows(1, 2);   // the 25-high row is now row 4
    EXPECT_EQ(coordinates.RowStart(4), 40);
    EXPECT_EQ(coordinates.RowStart(5), 65);
    coordinates.DeleteRows(1, 3, 100);   // and now row 1
    EXPECT_EQ(coordinates.RowStart(1), 10);
    EXPECT_EQ(coordinates.RowStart(2), 35);
}

TEST(TableCoordinates, ADefaultChangesOnlyRowsNotKnownYet)
{
    FRM_CTableCoordinates coordinates(nullptr, 10, 50);
    coordinates.RowStart(1);   // rows 0-3 known
    coordinates.SetDefaultRowHeight(20);
    EXPECT_EQ(coordinates.GetDefaultRowHeight(), 20);
    EXPECT_EQ(coordinates.RowStart(4), 40);
    EXPECT_EQ(coordinates.RowStart(5), 60);
}

// A default below one pixel would never reach a position, and rows all hidden would make the
// hit test's estimate divide by zero: neither may hang or misbehave.
TEST(TableCoordinates, TinyDefaultsAndAllHiddenRows)
{
    FRM_CTableCoordinates tiny(nullptr, 0.25f, 0);
    EXPECT_EQ(tiny.ToCell(FRM_CPoint(7, 9)), FRM_CCell(7, 9));
    FRM_CTableCoordinates hidden(nullptr, 10, 50);
    for (int row = 0; row < 8; ++row)
        hidden.SetRowHeight(row, 0);
    EXPECT_EQ(hidden.ToCell(FRM_CPoint(0, 0)).V(), 0);
    EXPECT_EQ(hidden.ToCell(FRM_CPoint(0, 1)).V(), 8);
    EXPECT_EQ(hidden.ToCell(FRM_CPoint(0, 15)).V(), 9);
}

TEST(TableCoordinates, ColumnInsertionWritesTwoTraceLines)
{
    std::ostringstream trace;
    FRM_CTableCoordinates::SetTraceStream(&trace);
    FRM_CTableCoordinates coordinates(nullptr, 10, 50);
    coordinates.InsertColumns(1, 1);
    FRM_CTableCoordinates::SetTraceStream(nullptr);
    EXPECT_EQ(trace.str(), "InsertColumns 0 50 100 150 200 250\n"
                           "              0 50 100 150 200 250\n");
    coordinates.SetColumnWidth(1, 10);
    EXPECT_EQ(coordinates.ColumnStart(2), 60);
}

}   // namespace
