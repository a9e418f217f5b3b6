// The sparse array: counts, positions, removals, column shifts and iterators, checked against
// a plain map over random operations with fixed seeds, and its refusals.
#include "frm/core/csprsarr.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <utility>
#include <vector>
#include "tests/frm/support/frm_error_capture.h"
#include "vkocoll/rwint.h"

namespace {

using Position = std::pair<std::int32_t, std::int32_t>;   // row, column

// Objects for the array to hold (it owns none).
class Objects {
public:
    RWCollectable* operator[](std::size_t i)
    {
        while (itsObjects.size() <= i)
            itsObjects.push_back(std::make_unique<RWCollectableInt>(static_cast<int>(i)));
        return itsObjects[i].get();
    }

private:
    std::vector<std::unique_ptr<RWCollectableInt>> itsObjects;
};

TEST(SparseArray, CountsFollowInsertAndBothRemovals)
{
    Objects objects;
    FRM_CSparseArray array;
    EXPECT_EQ(array.GetNumRows(), 0);
    EXPECT_EQ(array.GetNumCols(), 0);
    EXPECT_EQ(array.GetNumEntries(), 0);

    array.Insert(objects[0], 5, 3);
    EXPECT_EQ(array.GetNumRows(), 6);
    EXPECT_EQ(array.GetNumCols(), 4);
    array.Insert(objects[1], 5, 3);   // occupied: the first stays
    EXPECT_EQ(array.GetContents(5, 3), objects[0]);
    EXPECT_EQ(array.Remove(5, 3), objects[0]);
    EXPECT_EQ(array.Remove(5, 3), nullptr);
    EXPECT_EQ(array.GetNumRows(), 6);   // the emptied row still counts
    EXPECT_EQ(array.GetNumEntries(), 0);

    FRM_CSparseArray other;
    other.Insert(objects[0], 5, 3);
    EXPECT_EQ(other.Remove(objects[0]), 1);
    EXPECT_EQ(other.Remove(objects[0]), 0);
    EXPECT_EQ(other.GetNumRows(), 0);
}

TEST(SparseArray, UnknownHighestRowIsNotHiddenByALaterInsert)
{
    Objects objects;
    FRM_CSparseArray array;
    array.Insert(objects[0], 10, 10);
    array.Insert(objects[1], 1, 1);
    array.Remove(10, 10);               // highest row and column become unknown
    array.Insert(objects[2], 2, 2);     // must not claim to be the highest
    EXPECT_EQ(array.GetNumRows(), 11);  // row 10 is still there, empty
    EXPECT_EQ(array.GetNumCols(), 3);
}

TEST(SparseArray, ShiftColumnsMovesTheTail)
{
    Objects objects;
    FRM_CSparseArray array;
    for (std::int32_t column : {1, 2, 4})
        array.Insert(objects[static_cast<std::size_t>(column)], 0, column);
    array.Insert(objects[9], 3, 0);
    array.ShiftColumns(2, 3);
    std::vector<std::int32_t> columns;
    FRM_CSparseRowIterator row(&array, 0);
    std::int32_t column = -1;
    while (row.Next(&column) != nullptr)
        columns.push_back(column);
    EXPECT_EQ(columns, (std::vector<std::int32_t>{1, 5, 7}));
    EXPECT_EQ(array.GetContents(0, 7), objects[4]);
    EXPECT_EQ(array.GetContents(3, 0), objects[9]);
    EXPECT_EQ(array.GetNumCols(), 8);
    array.ShiftColumns(100, 5);   // nothing at or past column 100: the count stays
    EXPECT_EQ(array.GetNumCols(), 8);
}

TEST(SparseArray, RefusalsReportAndLeaveTheArrayAlone)
{
    FrmErrorCapture capture;
    Objects objects;
    FRM_CSparseArray array;
    array.Insert(nullptr, 0, 0);
    array.Insert(objects[0], -1, 0);
    EXPECT_EQ(array.Remove(0, -1), nullptr);
    EXPECT_EQ(array.GetContents(-3, 0), nullptr);
    array.ShiftColumns(0, -1);
    array.Insert(objects[0], 0, 0x7FFFFFF0);
    array.ShiftColumns(0, 100);   // would pass the largest column number
    EXPECT_EQ(array.GetContents(0, 0x7FFFFFF0), objects[0]);
    FRM_CSparseRowIterator noArray(nullptr, 0);
    FRM_CSparseColIterator badColumn(&array, -2);
    EXPECT_EQ(noArray.Next(), nullptr);
    EXPECT_EQ(badColumn.Next(), nullptr);
    std::vector<long> codes;
    for (const FrmReport& report : capture.Take()) {
        codes.push_back(report.code);
        EXPECT_EQ(report.file, "csprsarr.cpp");
    }
    EXPECT_EQ(codes, (std::vector<long>{2000, 2001, 2001, 2001, 2007, 2007, 2004, 2010}));
    EXPECT_EQ(array.GetNumEntries(), 1);
}

TEST(SparseArray, IteratorCopiesAreRefused)
{
    FrmErrorCapture capture;
    const FRM_CSparseArray array;
    FRM_CSparseArrayIterator all(array);
    FRM_CSparseArrayIterator allCopy(all);
    allCopy = all;
    FRM_CSparseRowIterator row(&array, 0);
    FRM_CSparseRowIterator rowCopy(row);
    rowCopy = row;
    FRM_CSparseColIterator column(&array, 0);
    FRM_CSparseColIterator columnCopy(column);
    columnCopy = column;
    std::vector<long> codes;
    for (const FrmReport& report : capture.Take())
        codes.push_back(report.code);
    EXPECT_EQ(codes, (std::vector<long>{2002, 2003, 2005, 2006, 2005, 2006}));
}

TEST(SparseArray, ArrayWalkEndsWhenTheArrayChanges)
{
    Objects objects;
    FRM_CSparseArray array;
    array.Insert(objects[0], 0, 0);
    array.Insert(objects[1], 0, 1);
    FRM_CSparseArrayIterator walk(array);
    ASSERT_NE(walk.Next(), nullptr);
    array.Insert(objects[2], 7, 7);
    EXPECT_EQ(walk.Next(), nullptr);
    walk.Reset();
    int seen = 0;
    while (walk.Next() != nullptr)
        ++seen;
    EXPECT_EQ(seen, 3);
}

// Runs random operations on the array and on a map, comparing after each.
TEST(SparseArray, AgreesWithAMapOverRandomOperations)
{
    for (const unsigned seed : {1u, 7u, 2024u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        std::uniform_int_distribution<std::int32_t> coordinate(0, 40);
        std::uniform_int_distribution<int> operation(0, 9);
        Objects objects;
        FRM_CSparseArray array;
        std::map<Position, RWCollectable*> model;
        std::set<std::int32_t> rowsHeld;   // rows that have held an entry and were not dropped
        for (int step = 0; step < 3000; ++step) {
            const std::int32_t row = coordinate(random);
            const std::int32_t column = coordinate(random);
            RWCollectable* const object = objects[static_cast<std::size_t>(step)];
            switch (operation(random)) {
            case 0:
            case 1:
            case 2:
            case 3:
                array.Insert(object, row, column);
                model.try_emplace({row, column}, object);
                rowsHeld.insert(row);
                break;
            case 4:
            case 5: {
                const auto at = model.find({row, column});
                EXPECT_EQ(array.Remove(row, column), at != model.end() ? at->second : nullptr);
                if (at != model.end())
                    model.erase(at);
                break;
            }
            case 6:
                if (!model.empty()) {
                    auto victim = model.begin();
                    std::advance(victim, random() % model.size());
                    const std::int32_t victimRow = victim->first.first;
                    EXPECT_EQ(array.Remove(victim->second), 1);
                    model.erase(victim);
                    const bool rowEmpty = std::none_of(model.begin(), model.end(), [&](const auto& e) {
                        return e.first.first == victimRow;
                    });
                    if (rowEmpty)
                        rowsHeld.erase(victimRow);
                }
                break;
            case 7: {
                const std::int32_t amount = coordinate(random) % 4;
                array.ShiftColumns(column, amount);
                std::map<Position, RWCollectable*> shifted;
                for (const auto& [at, held] : model)
                    shifted[{at.first, at.second >= column ? at.second + amount : at.second}] = held;
                model.swap(shifted);
                break;
            }
            default:
                EXPECT_EQ(array.GetContents(row, column),
                          model.count({row, column}) != 0 ? model.at({row, column}) : nullptr);
            }
        }
        EXPECT_EQ(array.GetNumEntries(), static_cast<std::int32_t>(model.size()));
        EXPECT_EQ(array.GetNumRows(), rowsHeld.empty() ? 0 : *rowsHeld.rbegin() + 1);
        std::int32_t highestColumn = -1;
        for (const auto& [at, held] : model)
            highestColumn = std::max(highestColumn, at.second);
        if (!model.empty()) {
            EXPECT_GE(array.GetNumCols(), highestColumn + 1);
        }
        // The whole walk, each row walk and each column walk give the model's entries.
        std::map<Position, RWCollectable*> walked;
        FRM_CSparseArrayIterator all(array);
        std::int32_t r = 0, c = 0;
        while (RWCollectable* held = all.Next(&r, &c))
            EXPECT_TRUE(walked.emplace(Position{r, c}, held).second);
        EXPECT_EQ(walked, model);
        for (std::int32_t i = 0; i <= 40; ++i) {
            std::vector<std::pair<std::int32_t, RWCollectable*>> byRow, byColumn, wantRow, wantColumn;
            FRM_CSparseRowIterator rowWalk(&array, i);
            while (RWCollectable* held = rowWalk.Next(&c))
                byRow.emplace_back(c, held);
            FRM_CSparseColIterator columnWalk(&array, i);
            while (RWCollectable* held = columnWalk.Next(&r))
                byColumn.emplace_back(r, held);
            for (const auto& [at, held] : model) {
                if (at.first == i)
                    wantRow.emplace_back(at.second, held);
                if (at.second == i)
                    wantColumn.emplace_back(at.first, held);
            }
            EXPECT_EQ(byRow, wantRow);
            EXPECT_EQ(byColumn, wantColumn);
        }
    }
}

TEST(SparseArray, CopiesAreDeepButShareTheObjects)
{
    Objects objects;
    FRM_CSparseArray array;
    array.Insert(objects[0], 1, 2);
    FRM_CSparseArray copy(array);
    copy.Insert(objects[1], 3, 4);
    EXPECT_EQ(array.GetNumEntries(), 1);
    EXPECT_EQ(copy.GetContents(1, 2), objects[0]);
    copy = copy;
    EXPECT_EQ(copy.GetNumEntries(), 2);
    array = copy;
    EXPECT_EQ(array.GetContents(3, 4), objects[1]);
    array.Clear();
    EXPECT_EQ(array.GetNumRows(), 0);
    EXPECT_EQ(copy.GetNumEntries(), 2);
}

} // namespace
