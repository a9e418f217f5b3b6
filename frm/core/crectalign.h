// crectalign.h: FRM_CRectAlignment lines up, centres, spaces evenly, equalises and packs a
// list of rectangle wrappers in place (the caller then moves its views). It holds the same
// FRM_CRectRWC objects as the list it was made from and owns none of them. Only positions
// change, except in ToSameWidth and ToSameHeight.
#pragma once
#include "frm/core/crect.h"
#include "vkocoll/ordered.h"

class FRM_CRectAlignment : public RWOrdered {
public:
    enum RectOrdering : std::int32_t { kHorizontal = 0, kVertical = 1 };

    FRM_CRectAlignment() = default;
    // Holds the same objects as rects (FRM_CRectRWC).
    explicit FRM_CRectAlignment(const RWOrdered& rects) : RWOrdered(rects) {}
    FRM_CRectAlignment(const FRM_CRectAlignment& other) = default;
    FRM_CRectAlignment& operator=(const FRM_CRectAlignment& other) = default;

    // Each edge to the same edge of the union of all rectangles.
    void ToLeft();
    void ToRight();
    void ToTop();
    void ToBottom();
    // Centred horizontally (vertically) on the union, or on a page.
    void ToCenter();
    void ToMiddle();
    void ToPageCenter(const FRM_CRect& page);
    void ToPageMiddle(const FRM_CRect& page);
    // Equal gaps between neighbours (in order of their left or top edges); the outermost
    // two stay where they are.
    void ToEvenHorizontal();
    void ToEvenVertical();
    // Every rectangle gets the first one's width (height).
    void ToSameWidth();
    void ToSameHeight();
    // Flows the rectangles into rows within the page's width; answers the height used. A
    // rectangle that does not fit strictly into what is left of a row starts a new one.
    float PackHeight(const FRM_CRect& page);
    // The same in columns within the page's height; answers the width used.
    float PackWidth(const FRM_CRect& page);

    static short RectIsLessThan(const FRM_CRect* a, const FRM_CRect* b, RectOrdering ordering);

private:
    FRM_CRect Union() const;
    FRM_CRect& At(std::size_t i) const;
    void Even(bool horizontal);
    float Pack(const FRM_CRect& page, bool rows);
};
