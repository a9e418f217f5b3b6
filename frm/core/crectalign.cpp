// crectalign.cpp: rectangle alignment and packing. The even-spacing sort uses a strict
// order of the left (top) edges: a comparison of truncated differences is not one, and a
// sort given an inconsistent comparison may misbehave.
#include "frm/core/crectalign.h"

#include <algorithm>
#include <cmath>
#include <vector>
#include "frm/core/cvaluerwc.h"

namespace {
// Moves r to (x, y), keeping its width and height.
void MoveTo(FRM_CRect& r, float x, float y)
{
    const float w = r.Width();
    const float h = r.Height();
    r.SetRect(x, y, x + w, y + h);
}

// An edge as a sort key; NaN sorts first so that the order stays strict.
float SortKey(float edge) { return std::isnan(edge) ? -INFINITY : edge; }

// The view of a rectangle along one axis, so that rows and columns share one packing.
struct Axis {
    bool horizontal;
    float Start(const FRM_CRect& r) const { return horizontal ? r.Left() : r.Top(); }
    float End(const FRM_CRect& r) const { return horizontal ? r.Right() : r.Bottom(); }
    float Cross(const FRM_CRect& r) const { return horizontal ? r.Top() : r.Left(); }
    float CrossEnd(const FRM_CRect& r) const { return horizontal ? r.Bottom() : r.Right(); }
    float Size(const FRM_CRect& r) const { return horizontal ? r.Width() : r.Height(); }
    void Move(FRM_CRect& r, float along, float across) const
    {
        if (horizontal)
            MoveTo(r, along, across);
        else
            MoveTo(r, across, along);
    }
};
} // namespace

FRM_CRect& FRM_CRectAlignment::At(std::size_t i) const
{
    return *static_cast<FRM_CRectRWC*>((*this)[i]);
}

FRM_CRect FRM_CRectAlignment::Union() const
{
    if (entries() == 0)
        return FRM_CRect();
    FRM_CRect all = At(0);
    for (std::size_t i = 1; i < entries(); ++i)
        all += At(i);
    return all;
}

void FRM_CRectAlignment::ToLeft()
{
    const FRM_CRect all = Union();
    for (std::size_t i = 0; i < entries(); ++i)
        MoveTo(At(i), all.Left(), At(i).Top());
}

void FRM_CRectAlignment::ToRight()
{
    const FRM_CRect all = Union();
    for (std::size_t i = 0; i < entries(); ++i)
        MoveTo(At(i), all.Right() - At(i).Width(), At(i).Top());
}

void FRM_CRectAlignment::ToTop()
{
    const FRM_CRect all = Union();
    for (std::size_t i = 0; i < entries(); ++i)
        MoveTo(At(i), At(i).Left(), all.Top());
}

void FRM_CRectAlignment::ToBottom()
{
    const FRM_CRect all = Union();
    for (std::size_t i = 0; i < entries(); ++i)
        MoveTo(At(i), At(i).Left(), all.Bottom() - At(i).Height());
}

void FRM_CRectAlignment::ToCenter() { ToPageCenter(Union()); }
void FRM_CRectAlignment::ToMiddle() { ToPageMiddle(Union()); }

void FRM_CRectAlignment::ToPageCenter(const FRM_CRect& page)
{
    const float centre = page.Left() + page.Width() / 2;
    for (std::size_t i = 0; i < entries(); ++i)
        MoveTo(At(i), centre - At(i).Width() / 2, At(i).Top());
}

void FRM_CRectAlignment::ToPageMiddle(const FRM_CRect& page)
{
    const float middle = page.Top() + page.Height() / 2;
    for (std::size_t i = 0; i < entries(); ++i)
        MoveTo(At(i), At(i).Left(), middle - At(i).Height() / 2);
}

void FRM_CRectAlignment::ToEvenHorizontal() { Even(true); }
void FRM_CRectAlignment::ToEvenVertical() { Even(false); }

void FRM_CRectAlignment::Even(bool horizontal)
{
    const std::size_t n = entries();
    if (n < 2)
        return;
    const Axis axis{horizontal};
    std::vector<FRM_CRect*> sorted;
    float sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sorted.push_back(&At(i));
        sum += axis.Size(At(i));
    }
    std::stable_sort(sorted.begin(), sorted.end(), [&](const FRM_CRect* a, const FRM_CRect* b) {
        return SortKey(axis.Start(*a)) < SortKey(axis.Start(*b));
    });
    const FRM_CRect all = Union();
    const float gap = (axis.Size(all) - sum) / static_cast<float>(n - 1);
    float next = axis.End(*sorted.front()) + gap;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        axis.Move(*sorted[i], next, axis.Cross(*sorted[i]));
        next = axis.End(*sorted[i]) + gap;
    }
}

void FRM_CRectAlignment::ToSameWidth()
{
    for (std::size_t i = 1; i < entries(); ++i)
        At(i).Width(At(0).Width());
}

void FRM_CRectAlignment::ToSameHeight()
{
    for (std::size_t i = 1; i < entries(); ++i)
        At(i).Height(At(0).Height());
}

short FRM_CRectAlignment::RectIsLessThan(const FRM_CRect* a, const FRM_CRect* b,
                                         RectOrdering ordering)
{
    if (ordering == kVertical)
        return (a->Top() < b->Top() && a->Bottom() < b->Bottom()) ||
               (a->Top() == b->Top() && a->Left() < b->Left()) ||
               (b->Top() < a->Top() && a->Bottom() < b->Bottom() && a->Left() < b->Left());
    if (ordering == kHorizontal)
        return (a->Left() < b->Left() && a->Right() < b->Right()) ||
               (a->Left() == b->Left() && a->Top() < b->Top()) ||
               (b->Left() < a->Left() && a->Right() < b->Right() && a->Top() < b->Top());
    return 0;
}

float FRM_CRectAlignment::PackHeight(const FRM_CRect& page) { return Pack(page, true); }
float FRM_CRectAlignment::PackWidth(const FRM_CRect& page) { return Pack(page, false); }

// Rows (or columns): along is the axis the rectangles flow on, across the one rows stack on.
float FRM_CRectAlignment::Pack(const FRM_CRect& page, bool rows)
{
    const Axis along{rows};
    const RectOrdering ordering = rows ? kVertical : kHorizontal;
    std::vector<FRM_CRect*> sorted;
    for (std::size_t i = 0; i < entries(); ++i) {
        FRM_CRect* const r = &At(i);
        auto place = sorted.begin();
        while (place != sorted.end() && RectIsLessThan(*place, r, ordering) != 0)
            ++place;
        sorted.insert(place, r);
    }
    const float pageStart = along.Start(page);
    const float pageEnd = along.End(page);
    float rowStart = along.Cross(page);
    float farthest = rowStart;   // the far edge of everything placed so far
    float next = pageStart;      // where the row goes on
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        FRM_CRect& r = *sorted[i];
        const float size = along.Size(r);
        float at;
        if (i == 0) {
            at = std::max(next, along.Start(r));
            if (at + size > pageEnd)
                at = std::max(pageStart, pageEnd - size);
        } else {
            const float wanted = std::min(along.Start(r), pageEnd - size);
            if (pageEnd - next <= size) {
                at = std::max(pageStart, wanted);
                rowStart = farthest;
            } else {
                at = std::max(wanted, next);
            }
        }
        along.Move(r, at, rowStart);
        farthest = std::max(farthest, along.CrossEnd(r));
        next = along.End(r);
    }
    return farthest - along.Cross(page);
}
