// crgn.cpp: cell regions. The rectangle list keeps removed rectangles as dead slots until a
// compaction; a bucket index finds the rectangles that meet a given one without a walk over
// the whole list.
#include "frm/core/crgn.h"

#include <algorithm>

namespace {
constexpr std::int32_t kEnd = FRM_CRegion::kEnd;
constexpr std::int32_t kBucketCells = 32;      // cells per bucket side
constexpr std::int64_t kMaxBuckets = 64;       // a larger rectangle goes to the wide list
constexpr std::size_t kCompactAfter = 64;      // fewer dead slots are never compacted

bool Meets(const FRM_CBounds& a, const FRM_CBounds& b)
{
    return a.Top() < b.Bottom() && b.Top() < a.Bottom() && a.Left() < b.Right() &&
           b.Left() < a.Right();
}

bool IsWholeRow(const FRM_CBounds& b) { return b.Left() == 0 && b.Right() == kEnd; }
bool IsWholeColumn(const FRM_CBounds& b) { return b.Top() == 0 && b.Bottom() == kEnd; }

// The bucket range of a non-empty rectangle.
struct BucketRange {
    std::int32_t top, left, bottom, right;   // inclusive
    explicit BucketRange(const FRM_CBounds& b)
        : top(std::max(b.Top(), 0) / kBucketCells), left(std::max(b.Left(), 0) / kBucketCells),
          bottom(std::max(b.Bottom() - 1, 0) / kBucketCells),
          right(std::max(b.Right() - 1, 0) / kBucketCells)
    {
    }
    std::int64_t Count() const
    {
        return (static_cast<std::int64_t>(bottom) - top + 1) *
               (static_cast<std::int64_t>(right) - left + 1);
    }
    static std::uint64_t Key(std::int32_t row, std::int32_t column)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
               static_cast<std::uint32_t>(column);
    }
};

// An edge moved by delta; the end of the table stays where it is, and nothing passes it.
std::int32_t Moved(std::int32_t edge, std::int64_t delta)
{
    if (edge == kEnd)
        return kEnd;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(edge + delta, 0, kEnd));
}

// The part of the half-open range [lo, hi) left after deleting [at, at + count) and closing
// the gap; lo == hi when nothing is left.
void DeleteRange(std::int32_t& lo, std::int32_t& hi, std::int32_t at, std::int32_t count)
{
    const std::int64_t gapEnd = static_cast<std::int64_t>(at) + count;
    const auto shift = [&](std::int32_t edge) -> std::int32_t {
        if (edge == kEnd || edge <= at)
            return edge;
        if (edge <= gapEnd)
            return at;
        return static_cast<std::int32_t>(edge - count);
    };
    lo = shift(lo);
    hi = shift(hi);
}

// The part after inserting count places at at. The whole axis stays whole.
void InsertRange(std::int32_t& lo, std::int32_t& hi, std::int32_t at, std::int32_t count)
{
    if (lo == 0 && hi == kEnd)
        return;
    if (lo >= at) {
        lo = Moved(lo, count);
        hi = Moved(hi, count);
    } else if (hi > at) {
        hi = Moved(hi, count);
    }
}
} // namespace

FRM_CRegion::FRM_CRegion(const FRM_CBounds& bounds) { Add(bounds); }

FRM_CRegion::FRM_CRegion(const FRM_CRegion& other) { Rebuild(other.Snapshot()); }

// Hand-written: the region is rebuilt from a snapshot of the source's shape.
FRM_CRegion& FRM_CRegion::operator=(const FRM_CRegion& other)
{
    if (this != &other)
        Rebuild(other.Snapshot());
    return *this;
}

void FRM_CRegion::Clear() { Rebuild({}); }

void FRM_CRegion::Add(const FRM_CCell& cell)
{
    Add(FRM_CBounds().Union(cell));
}

void FRM_CRegion::Add(const FRM_CBounds& bounds)
{
    if (bounds.IsEmpty())
        return;
    Remove(bounds);
    Append(bounds);
    Compact();
}

void FRM_CRegion::AddRow(std::int32_t row) { Add(FRM_CBounds(row, 0, Moved(row, 1), kEnd)); }
void FRM_CRegion::AddColumn(std::int32_t column)
{
    Add(FRM_CBounds(0, column, kEnd, Moved(column, 1)));
}

void FRM_CRegion::Remove(const FRM_CCell& cell) { Remove(FRM_CBounds().Union(cell)); }
void FRM_CRegion::RemoveRow(std::int32_t row)
{
    Remove(FRM_CBounds(row, 0, Moved(row, 1), kEnd));
}
void FRM_CRegion::RemoveColumn(std::int32_t column)
{
    Remove(FRM_CBounds(0, column, kEnd, Moved(column, 1)));
}

void FRM_CRegion::Remove(const FRM_CBounds& b)
{
    if (b.IsEmpty())
        return;
    std::vector<std::uint32_t> meeting;
    Meeting(b, meeting);
    if (meeting.empty())
        return;
    std::vector<FRM_CBounds> pieces;
    for (const std::uint32_t slot : meeting) {
        const FRM_CBounds r = itsSlots[slot].bounds;
        if (b.Top() > r.Top())
            pieces.emplace_back(r.Top(), r.Left(), b.Top(), r.Right());
        if (b.Bottom() < r.Bottom())
            pieces.emplace_back(b.Bottom(), r.Left(), r.Bottom(), r.Right());
        const std::int32_t top = std::max(r.Top(), b.Top());
        const std::int32_t bottom = std::min(r.Bottom(), b.Bottom());
        if (b.Left() > r.Left())
            pieces.emplace_back(top, r.Left(), bottom, b.Left());
        if (b.Right() < r.Right())
            pieces.emplace_back(top, b.Right(), bottom, r.Right());
        Kill(slot);
    }
    for (const FRM_CBounds& piece : pieces)
        Append(piece);
    itsBoundsKnown = false;
    Compact();
}

void FRM_CRegion::Union(const FRM_CRegion& other)
{
    for (const FRM_CBounds& b : other.Snapshot())   // other may be this region
        Add(b);
}

void FRM_CRegion::Subtract(const FRM_CRegion& other)
{
    for (const FRM_CBounds& b : other.Snapshot())
        Remove(b);
}

void FRM_CRegion::Xor(const FRM_CRegion& other)
{
    FRM_CRegion otherOnly(other);
    otherOnly.Subtract(*this);
    Subtract(other);
    Union(otherOnly);
}

void FRM_CRegion::InsertColumns(std::int32_t at, std::int32_t count)
{
    if (count <= 0)
        return;
    std::vector<FRM_CBounds> rects = Snapshot();
    for (FRM_CBounds& b : rects) {
        std::int32_t left = b.Left(), right = b.Right();
        InsertRange(left, right, at, count);
        b = FRM_CBounds(b.Top(), left, b.Bottom(), right);
    }
    Rebuild(std::move(rects));
}

void FRM_CRegion::InsertRows(std::int32_t at, std::int32_t count)
{
    if (count <= 0)
        return;
    std::vector<FRM_CBounds> rects = Snapshot();
    for (FRM_CBounds& b : rects) {
        std::int32_t top = b.Top(), bottom = b.Bottom();
        InsertRange(top, bottom, at, count);
        b = FRM_CBounds(top, b.Left(), bottom, b.Right());
    }
    Rebuild(std::move(rects));
}

void FRM_CRegion::DeleteColumns(std::int32_t at, std::int32_t count)
{
    if (count <= 0)
        return;
    std::vector<FRM_CBounds> rects = Snapshot();
    for (FRM_CBounds& b : rects) {
        std::int32_t left = b.Left(), right = b.Right();
        DeleteRange(left, right, at, count);
        b = FRM_CBounds(b.Top(), left, b.Bottom(), right);
    }
    Rebuild(std::move(rects));
}

void FRM_CRegion::DeleteRows(std::int32_t at, std::int32_t count)
{
    if (count <= 0)
        return;
    std::vector<FRM_CBounds> rects = Snapshot();
    for (FRM_CBounds& b : rects) {
        std::int32_t top = b.Top(), bottom = b.Bottom();
        DeleteRange(top, bottom, at, count);
        b = FRM_CBounds(top, b.Left(), bottom, b.Right());
    }
    Rebuild(std::move(rects));
}

short FRM_CRegion::Contains(const FRM_CCell& cell) const
{
    std::vector<std::uint32_t> meeting;
    Meeting(FRM_CBounds().Union(cell), meeting);
    return meeting.empty() ? 0 : 1;
}

short FRM_CRegion::ContainsRow(std::int32_t row) const
{
    std::vector<std::uint32_t> meeting;
    Meeting(FRM_CBounds(row, 0, Moved(row, 1), 1), meeting);
    for (const std::uint32_t slot : meeting) {
        if (IsWholeRow(itsSlots[slot].bounds))
            return 1;
    }
    return 0;
}

short FRM_CRegion::ContainsColumn(std::int32_t column) const
{
    std::vector<std::uint32_t> meeting;
    Meeting(FRM_CBounds(0, column, 1, Moved(column, 1)), meeting);
    for (const std::uint32_t slot : meeting) {
        if (IsWholeColumn(itsSlots[slot].bounds))
            return 1;
    }
    return 0;
}

short FRM_CRegion::IsEmpty() const { return itsSlots.size() == itsDead ? 1 : 0; }

FRM_CBounds FRM_CRegion::Bounds() const
{
    if (!itsBoundsKnown) {
        itsBounds = FRM_CBounds();
        for (const Slot& slot : itsSlots) {
            if (slot.live)
                itsBounds = itsBounds.Union(slot.bounds);
        }
        itsBoundsKnown = true;
    }
    return itsBounds;
}

// Both drop the dead slots first, so that a position is a position in the list.
std::size_t FRM_CRegion::RectCount() const
{
    if (itsDead != 0)
        const_cast<FRM_CRegion*>(this)->Rebuild(Snapshot());
    return itsSlots.size();
}

const FRM_CBounds& FRM_CRegion::Rect(std::size_t i) const
{
    if (itsDead != 0)
        const_cast<FRM_CRegion*>(this)->Rebuild(Snapshot());
    return itsSlots.at(i).bounds;
}

void FRM_CRegion::Append(const FRM_CBounds& bounds)
{
    const auto slot = static_cast<std::uint32_t>(itsSlots.size());
    itsSlots.push_back({bounds, true});
    IndexSlot(slot);
    if (itsBoundsKnown)
        itsBounds = itsBounds.Union(bounds);
}

void FRM_CRegion::Kill(std::uint32_t slot)
{
    itsSlots[slot].live = false;
    ++itsDead;
}

void FRM_CRegion::IndexSlot(std::uint32_t slot)
{
    const BucketRange range(itsSlots[slot].bounds);
    if (range.Count() > kMaxBuckets) {
        itsWide.push_back(slot);
        return;
    }
    for (std::int32_t row = range.top; row <= range.bottom; ++row) {
        for (std::int32_t column = range.left; column <= range.right; ++column)
            itsBuckets[BucketRange::Key(row, column)].push_back(slot);
    }
}

void FRM_CRegion::Meeting(const FRM_CBounds& bounds, std::vector<std::uint32_t>& slots) const
{
    slots.clear();
    if (bounds.IsEmpty())
        return;
    const BucketRange range(bounds);
    const auto consider = [&](std::uint32_t slot) {
        if (itsSlots[slot].live && Meets(itsSlots[slot].bounds, bounds))
            slots.push_back(slot);
    };
    if (range.Count() > kMaxBuckets ||
        range.Count() > static_cast<std::int64_t>(itsBuckets.size())) {
        for (std::uint32_t slot = 0; slot < itsSlots.size(); ++slot)
            consider(slot);
        return;
    }
    for (std::int32_t row = range.top; row <= range.bottom; ++row) {
        for (std::int32_t column = range.left; column <= range.right; ++column) {
            const auto bucket = itsBuckets.find(BucketRange::Key(row, column));
            if (bucket == itsBuckets.end())
                continue;
            for (const std::uint32_t slot : bucket->second)
                consider(slot);
        }
    }
    for (const std::uint32_t slot : itsWide)
        consider(slot);
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
}

void FRM_CRegion::Compact() const
{
    // Only once the dead outnumber the live: the rebuild's cost is then paid by the removals.
    if (itsDead < kCompactAfter || itsDead * 2 < itsSlots.size())
        return;
    const_cast<FRM_CRegion*>(this)->Rebuild(Snapshot());
}

std::vector<FRM_CBounds> FRM_CRegion::Snapshot() const
{
    std::vector<FRM_CBounds> rects;
    rects.reserve(itsSlots.size() - itsDead);
    for (const Slot& slot : itsSlots) {
        if (slot.live)
            rects.push_back(slot.bounds);
    }
    return rects;
}

void FRM_CRegion::Rebuild(std::vector<FRM_CBounds> rects)
{
    itsSlots.clear();
    itsDead = 0;
    itsBuckets.clear();
    itsWide.clear();
    itsBounds = FRM_CBounds();
    itsBoundsKnown = true;
    itsSlots.reserve(std::max<std::size_t>(rects.size(), 64));
    for (const FRM_CBounds& b : rects) {
        if (!b.IsEmpty())
            Append(b);
    }
}

// ---- iterators -----------------------------------------------------------------------------

short FRM_CRegionIterator::Next(FRM_CBounds& bounds)
{
    if (itsIndex >= itsRegion->RectCount())
        return 0;
    bounds = itsRegion->Rect(itsIndex++);
    return 1;
}

void FRM_CRegionLineIterator::Reset()
{
    itsIndex = 0;
    itsStarted = false;
}

short FRM_CRegionLineIterator::NextLine(std::int32_t& line)
{
    for (; itsIndex < itsRegion->RectCount(); ++itsIndex, itsStarted = false) {
        const FRM_CBounds& b = itsRegion->Rect(itsIndex);
        if (itIsRows ? !IsWholeRow(b) : !IsWholeColumn(b))
            continue;
        if (!itsStarted) {
            itsLine = itIsRows ? b.Top() : b.Left();
            itsStarted = true;
        }
        if (itsLine < (itIsRows ? b.Bottom() : b.Right())) {
            line = itsLine++;
            return 1;
        }
    }
    return 0;
}

void FRM_CRegionCellIterator::Reset()
{
    itsIndex = 0;
    itsStarted = false;
}

short FRM_CRegionCellIterator::Next(FRM_CCell& cell)
{
    for (; itsIndex < itsRegion->RectCount(); ++itsIndex, itsStarted = false) {
        const FRM_CBounds& b = itsRegion->Rect(itsIndex);
        // A rectangle that runs to the table's end has no last cell to walk to.
        if (b.Right() == kEnd || b.Bottom() == kEnd)
            continue;
        if (!itsStarted) {
            itsCell = FRM_CCell(b.Left(), b.Top());
            itsStarted = true;
        } else if (itsCell.H() + 1 < b.Right()) {
            itsCell.H(itsCell.H() + 1);
        } else {
            itsCell = FRM_CCell(b.Left(), itsCell.V() + 1);
        }
        if (itsCell.V() < b.Bottom()) {
            cell = itsCell;
            return 1;
        }
    }
    return 0;
}
