// Tests of the chunk array: fixed cases from the array's contract, then random operation
// sequences checked cell by cell against a plain map of cells.
#include "frm/views/cchunkarray.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ValueOf(unsigned cellSize, unsigned seed)
{
    Bytes value(cellSize);
    for (unsigned i = 0; i < cellSize; ++i)
        value[i] = static_cast<unsigned char>((seed * 31 + i * 7) % 251 + 1);
    return value;
}

Bytes Read(FRM_CChunkArray& array, long h, long v)
{
    Bytes value(array.GetCellSize(), 0xEE);
    array.Get(FRM_CCell(h, v), value.data());
    return value;
}

TEST(ChunkArrayTest, FirstWriteBuildsOneAlignedChunk)
{
    FRM_CChunkArray array(4);
    EXPECT_EQ(Read(array, 40, 200), Bytes(4, 0));
    EXPECT_EQ(array.GetNumChunks(), 0u);

    const Bytes value = ValueOf(4, 1);
    ASSERT_EQ(array.Set(FRM_CCell(40, 200), value.data()), 1);
    EXPECT_EQ(array.GetNumChunks(), 1u);
    EXPECT_EQ(array.Bounds(), FRM_CBounds(128, 32, 256, 64));
    EXPECT_EQ(Read(array, 40, 200), value);
    EXPECT_EQ(Read(array, 41, 200), Bytes(4, 0));

    void* address = nullptr;
    ASSERT_EQ(array.GetAddress(FRM_CCell(40, 200), &address), 1);
    EXPECT_EQ(std::memcmp(address, value.data(), 4), 0);
    void* untouched = &address;
    EXPECT_EQ(array.GetAddress(FRM_CCell(0, 0), &untouched), 0);
    EXPECT_EQ(untouched, &address);
}

// A source that fills each chunk it is given with one byte value and notes its bounds.
class FillingSource : public FRM_CChunkArraySourceCallback {
public:
    void Populate(FRM_CChunk* theChunk) override
    {
        void* address = nullptr;
        const FRM_CBounds bounds = theChunk->Bounds();
        if (theChunk->GetAddress(&address) != 0)
            std::memset(address, 0x5A,
                        static_cast<std::size_t>(bounds.Width()) * bounds.Height() * theChunk->itsCellSize);
        itsChunks.push_back(bounds);
    }
    std::vector<FRM_CBounds> itsChunks;
};

TEST(ChunkArrayTest, ASourceFillsEachChunkOnceWhenItIsBuilt)
{
    FRM_CChunkArray array(4);
    FillingSource source;
    array.SetSourceCallback(&source);
    EXPECT_EQ(Read(array, 40, 200), Bytes(4, 0)) << "reading builds nothing";
    EXPECT_TRUE(source.itsChunks.empty());

    const Bytes value = ValueOf(4, 3);
    ASSERT_EQ(array.Set(FRM_CCell(40, 200), value.data()), 1);
    ASSERT_EQ(array.Set(FRM_CCell(41, 200), value.data()), 1);
    EXPECT_EQ(source.itsChunks, std::vector<FRM_CBounds>{FRM_CBounds(128, 32, 256, 64)})
        << "one chunk, filled once, before the writes";
    EXPECT_EQ(Read(array, 40, 200), value);
    EXPECT_EQ(Read(array, 42, 200), Bytes(4, 0x5A)) << "the rest of the chunk is the source's";
    EXPECT_EQ(Read(array, 40, 300), Bytes(4, 0)) << "a chunk never built reads zero";
}

TEST(ChunkArrayTest, NullValueZeroesWithoutMarkingTheChunkSet)
{
    FRM_CChunkArray array(2, 4, 4);
    ASSERT_EQ(array.Set(FRM_CCell(1, 1), nullptr), 1);
    FRM_CChunk* chunk = array.FindChunkWithCell(FRM_CCell(1, 1));
    ASSERT_NE(chunk, nullptr);
    EXPECT_EQ(chunk->itsHasBeenSet, 0);
    EXPECT_EQ(chunk->IsEmpty(), 1);

    const Bytes value = ValueOf(2, 3);
    array.Set(FRM_CCell(1, 1), value.data());
    EXPECT_EQ(chunk->itsHasBeenSet, 1);
    array.Set(FRM_CCell(1, 1), nullptr);
    EXPECT_EQ(Read(array, 1, 1), Bytes(2, 0));
    array.RemoveEmptyChunks();
    EXPECT_EQ(array.GetNumChunks(), 0u);
    EXPECT_TRUE(array.Bounds().IsEmpty());
}

TEST(ChunkArrayTest, RunsCrossChunksAlongEveryStep)
{
    struct Case {
        const char* why;
        FRM_CCell start;
        FRM_CCell step;
        long count;
    };
    const Case cases[] = {
        {"300 cells down one column cross three 128-row chunks", FRM_CCell(5, 10), FRM_CCell(0, 1), 300},
        {"a row run crosses 32-column chunks as blocks", FRM_CCell(20, 3), FRM_CCell(1, 0), 100},
        {"a diagonal run takes the nearer chunk edge", FRM_CCell(1, 1), FRM_CCell(2, 3), 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CChunkArray array(3);
        Bytes values;
        for (long i = 0; i < c.count; ++i) {
            const Bytes one = ValueOf(3, static_cast<unsigned>(i));
            values.insert(values.end(), one.begin(), one.end());
        }
        ASSERT_EQ(array.Set(c.start, c.step, values.data(), c.count), 1);
        Bytes back(values.size(), 0xEE);
        ASSERT_EQ(array.Get(c.start, c.step, back.data(), c.count), 1);
        EXPECT_EQ(back, values);
        for (long i = 0; i < c.count; i += 37) {
            const long h = c.start.H() + c.step.H() * i;
            const long v = c.start.V() + c.step.V() * i;
            EXPECT_EQ(Read(array, h, v), ValueOf(3, static_cast<unsigned>(i)));
        }
        // A run through missing chunks reads zeros.
        Bytes zeros(9, 0xEE);
        EXPECT_EQ(array.Get(FRM_CCell(5000, 5000), FRM_CCell(1, 0), zeros.data(), 3), 1);
        EXPECT_EQ(zeros, Bytes(9, 0));
    }
}

TEST(ChunkArrayTest, DeletingTheOnlyRowRemovesItsChunks)
{
    FRM_CChunkArray array(1, 4, 4);
    const Bytes value = ValueOf(1, 9);
    array.Set(FRM_CCell(2, 6), value.data());
    array.Set(FRM_CCell(9, 6), value.data());
    ASSERT_EQ(array.GetNumChunks(), 2u);
    for (std::int32_t limit : {0, 32767}) {    // the table passes its row count as the limit
        SCOPED_TRACE(limit);
        FRM_CChunkArray copy(array);
        ASSERT_EQ(copy.DeleteRows(6, 1, limit), 1);
        EXPECT_EQ(copy.GetNumChunks(), 0u);
        EXPECT_TRUE(copy.Bounds().IsEmpty());
        EXPECT_EQ(Read(copy, 2, 6), Bytes(1, 0));
    }
}

TEST(ChunkArrayTest, IteratorsSkipZerosAndMissingChunks)
{
    FRM_CChunkArray array(4, 4, 4);
    FRM_CChunkArrayIterator none(array);
    EXPECT_EQ(none.Next(nullptr), nullptr);

    array.Set(FRM_CCell(0, 0), nullptr);       // a chunk of zeros only
    array.Set(FRM_CCell(13, 2), ValueOf(4, 1).data());
    array.Set(FRM_CCell(2, 2), ValueOf(4, 2).data());
    array.Set(FRM_CCell(2, 9), ValueOf(4, 3).data());

    FRM_CChunkArrayRowIterator row(array, 2);
    FRM_CCell cell;
    std::vector<long> columns;
    while (void* value = row.Next(&cell)) {
        EXPECT_EQ(cell.V(), 2);
        EXPECT_EQ(std::memcmp(value, ValueOf(4, cell.H() == 2 ? 2 : 1).data(), 4), 0);
        columns.push_back(cell.H());
    }
    EXPECT_EQ(columns, (std::vector<long>{2, 13}));

    FRM_CChunkArrayColumnIterator column(array, 2);
    std::vector<long> rows;
    while (column.Next(&cell) != nullptr)
        rows.push_back(cell.V());
    EXPECT_EQ(rows, (std::vector<long>{2, 9}));
    column.Reset();
    ASSERT_NE(column.Next(&cell), nullptr);
    EXPECT_EQ(cell.V(), 2);

    FRM_CChunkArrayIterator all(array);
    int count = 0;
    while (all.Next(&cell) != nullptr)
        ++count;
    EXPECT_EQ(count, 3);
}

TEST(ChunkArrayTest, ChunkIsEmptyOnlyWhenItsTailBytesAreZeroToo)
{
    FRM_CChunk chunk(FRM_CBounds(0, 0, 1, 3), 3);   // 9 bytes: not a multiple of four
    const unsigned char tail[3] = {0, 0, 7};
    ASSERT_EQ(chunk.Set(FRM_CCell(2, 0), tail), 1);
    EXPECT_EQ(chunk.IsEmpty(), 0);
    chunk.Set(FRM_CCell(2, 0), nullptr);
    EXPECT_EQ(chunk.IsEmpty(), 1);
}

TEST(ChunkArrayTest, CopiesOwnTheirChunks)
{
    auto original = std::make_unique<FRM_CChunkArray>(4, 4, 4);
    original->Set(FRM_CCell(1, 1), ValueOf(4, 5).data());
    FRM_CChunkArray copy(*original);
    FRM_CChunkArray assigned(1);
    assigned = *original;
    original->Set(FRM_CCell(1, 1), ValueOf(4, 6).data());
    original.reset();    // the copies must not read the freed chunks
    EXPECT_EQ(Read(copy, 1, 1), ValueOf(4, 5));
    EXPECT_EQ(Read(assigned, 1, 1), ValueOf(4, 5));
    EXPECT_EQ(assigned.GetCellSize(), 4u);
}

// ---------------------------------------------------------------------------------------------
// Random sequences against a map of (row, column) → non-zero value.

class Model {
public:
    explicit Model(unsigned cellSize) : itsCellSize(cellSize) {}
    void Set(long h, long v, const Bytes& value)
    {
        if (value == Bytes(itsCellSize, 0))
            itsCells.erase({v, h});
        else
            itsCells[{v, h}] = value;
    }
    Bytes Get(long h, long v) const
    {
        const auto found = itsCells.find({v, h});
        return found == itsCells.end() ? Bytes(itsCellSize, 0) : found->second;
    }
    // Moves every cell at or after `at` on the axis by delta, dropping those in the deleted span.
    void Shift(bool byColumn, long at, long count, bool insert)
    {
        std::map<std::pair<long, long>, Bytes> moved;
        for (const auto& [key, value] : itsCells) {
            long v = key.first;
            long h = key.second;
            long& line = byColumn ? h : v;
            if (line >= at) {
                if (!insert && line < at + count)
                    continue;
                line += insert ? count : -count;
            }
            moved[{v, h}] = value;
        }
        itsCells = std::move(moved);
    }
    const std::map<std::pair<long, long>, Bytes>& Cells() const { return itsCells; }

private:
    unsigned itsCellSize;
    std::map<std::pair<long, long>, Bytes> itsCells;
};

void ExpectSame(FRM_CChunkArray& array, const Model& model, long extent)
{
    for (long v = 0; v < extent; ++v)
        for (long h = 0; h < extent; ++h)
            ASSERT_EQ(Read(array, h, v), model.Get(h, v)) << "cell h " << h << " v " << v;
    FRM_CChunkArrayIterator all(array);
    FRM_CCell cell;
    std::size_t seen = 0;
    while (void* value = all.Next(&cell)) {
        ++seen;
        ASSERT_EQ(std::memcmp(value, model.Get(cell.H(), cell.V()).data(), array.GetCellSize()), 0);
    }
    EXPECT_EQ(seen, model.Cells().size());
}

TEST(ChunkArrayTest, RandomOperationsMatchAPlainMap)
{
    struct Shape {
        unsigned cellSize;
        std::int32_t chunkRows;
        std::int32_t chunkColumns;
    };
    const Shape shapes[] = {{1, 4, 3}, {3, 4, 3}, {4, 5, 2}, {8, 3, 7}, {4, 128, 32}};
    constexpr long kExtent = 24;
    for (const Shape& shape : shapes) {
        for (unsigned seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(testing::Message() << "cell size " << shape.cellSize << " chunks "
                                            << shape.chunkRows << "x" << shape.chunkColumns
                                            << " seed " << seed);
            std::mt19937 random(seed);
            auto pick = [&random](long n) { return static_cast<long>(random() % n); };
            FRM_CChunkArray array(shape.cellSize, shape.chunkRows, shape.chunkColumns);
            Model model(shape.cellSize);
            for (int step = 0; step < 120; ++step) {
                const long h = pick(kExtent - 4);
                const long v = pick(kExtent - 4);
                switch (pick(7)) {
                case 0:
                case 1: {
                    const Bytes value = ValueOf(shape.cellSize, static_cast<unsigned>(random()));
                    array.Set(FRM_CCell(h, v), value.data());
                    model.Set(h, v, value);
                    break;
                }
                case 2: {
                    array.Set(FRM_CCell(h, v), nullptr);
                    model.Set(h, v, Bytes(shape.cellSize, 0));
                    break;
                }
                case 3: {
                    const FRM_CCell steps[] = {FRM_CCell(1, 0), FRM_CCell(0, 1), FRM_CCell(1, 1)};
                    const FRM_CCell s = steps[pick(3)];
                    const long count = 1 + pick(4);
                    Bytes run;
                    for (long i = 0; i < count; ++i) {
                        const Bytes one = ValueOf(shape.cellSize, static_cast<unsigned>(random()));
                        run.insert(run.end(), one.begin(), one.end());
                        model.Set(h + s.H() * i, v + s.V() * i,
                                  Bytes(one.begin(), one.end()));
                    }
                    array.Set(FRM_CCell(h, v), s, run.data(), count);
                    break;
                }
                case 4: {
                    const long count = 1 + pick(3);
                    const bool byColumn = pick(2) == 1;
                    ASSERT_EQ(byColumn ? array.InsertColumns(static_cast<std::int32_t>(h), count)
                                       : array.InsertRows(static_cast<std::int32_t>(v), count),
                              1);
                    model.Shift(byColumn, byColumn ? h : v, count, true);
                    break;
                }
                default: {
                    const long count = 1 + pick(3);
                    const bool byColumn = pick(2) == 1;
                    ASSERT_EQ(byColumn ? array.DeleteColumns(static_cast<std::int32_t>(h), count)
                                       : array.DeleteRows(static_cast<std::int32_t>(v), count, 0),
                              1);
                    model.Shift(byColumn, byColumn ? h : v, count, false);
                    break;
                }
                }
                if (step % 20 == 19)
                    ExpectSame(array, model, kExtent + 8);
            }
            ExpectSame(array, model, kExtent + 8);
        }
    }
}

} // namespace
