// crect.h: the framework's geometry values. FRM_CPoint and FRM_CRect are logical (float)
// coordinates that convert to the toolkit's 16-bit pixel records through the current units
// (FRM_CUnits::GetGlobalUnits); every such conversion clamps to the 16-bit range instead of
// wrapping. FRM_CCell and FRM_CBounds are integer row/column geometry for grids and tables;
// FRM_CCourse is a direction with a reach. All are plain values, copied freely.
#pragma once
#include <cstdint>
#include "vkobase/types.h"

class FRM_CView;

class FRM_CPoint {
public:
    FRM_CPoint() = default;
    FRM_CPoint(float h, float v) : itsH(h), itsV(v) {}
    // Through the current units, or the record's values as they stand without any.
    explicit FRM_CPoint(const s_pnt& point);

    float H() const { return itsH; }
    float V() const { return itsV; }
    void H(float h) { itsH = h; }
    void V(float v) { itsV = v; }
    FRM_CPoint& SetPoint(float h, float v);

    // Through the current units, or each coordinate truncated toward zero; clamped.
    operator s_pnt() const;

    bool operator==(const FRM_CPoint& other) const = default;
    FRM_CPoint& operator+=(const FRM_CPoint& other);
    FRM_CPoint& operator-=(const FRM_CPoint& other);

    // Between a view's local coordinates and its window's (both in the views' own units);
    // Translate goes from one view's coordinates to another's, across windows too. A null
    // view is reported (1500, 1501) and leaves the point alone. The Get forms change a copy.
    FRM_CPoint& Globalize(const FRM_CView* view);
    FRM_CPoint& Localize(const FRM_CView* view);
    FRM_CPoint& Translate(const FRM_CView* from, const FRM_CView* to);
    FRM_CPoint GetGlobal(const FRM_CView* view) const;
    FRM_CPoint GetLocal(const FRM_CView* view) const;
    FRM_CPoint GetTranslated(const FRM_CView* from, const FRM_CView* to) const;

private:
    float itsH = 0;
    float itsV = 0;
};
FRM_CPoint operator+(const FRM_CPoint& a, const FRM_CPoint& b);
FRM_CPoint operator-(const FRM_CPoint& a, const FRM_CPoint& b);

// left, top, right, bottom as given: a rectangle is never normalised.
class FRM_CRect {
public:
    FRM_CRect() = default;
    FRM_CRect(float left, float top, float right, float bottom)
        : itsLeft(left), itsTop(top), itsRight(right), itsBottom(bottom) {}
    FRM_CRect(const FRM_CPoint& topLeft, const FRM_CPoint& bottomRight);
    // Through the current units, or the record's values as they stand without any.
    explicit FRM_CRect(const s_rct& rect);

    FRM_CRect& SetRect(float left, float top, float right, float bottom);
    FRM_CRect& SetRect(const FRM_CPoint& topLeft, const FRM_CPoint& bottomRight);

    float Left() const { return itsLeft; }
    float Top() const { return itsTop; }
    float Right() const { return itsRight; }
    float Bottom() const { return itsBottom; }
    float Width() const { return itsRight - itsLeft; }
    float Height() const { return itsBottom - itsTop; }
    float Left(float left) { return itsLeft = left; }
    float Top(float top) { return itsTop = top; }
    float Right(float right) { return itsRight = right; }
    float Bottom(float bottom) { return itsBottom = bottom; }
    // Set right (bottom) from left (top); answer the new right (bottom).
    float Width(float width) { return itsRight = itsLeft + width; }
    float Height(float height) { return itsBottom = itsTop + height; }

    // All four edges inclusive.
    bool IsPointInRect(const FRM_CPoint& point) const;
    // Only a rectangle of zero width and zero height is empty.
    bool IsEmpty() const { return itsTop == itsBottom && itsLeft == itsRight; }

    // Through the current units (rounding), or each coordinate truncated; clamped.
    operator s_rct() const;

    FRM_CRect GetInflatedRect(float d) const { return GetInflatedRect(d, d); }
    FRM_CRect GetInflatedRect(float dh, float dv) const;
    FRM_CRect& Inflate(float d) { return Inflate(d, d); }
    FRM_CRect& Inflate(float dh, float dv);

    bool operator==(const FRM_CRect& other) const = default;
    // Union.
    FRM_CRect& operator+=(const FRM_CRect& other);
    // Intersection: (0, 0, 0, 0) when the two do not meet; a result of zero width or height
    // (touching edges) is kept.
    FRM_CRect& operator-=(const FRM_CRect& other);
    FRM_CRect& operator&=(const FRM_CRect& other) { return *this -= other; }
    // Offset by the point.
    FRM_CRect& operator+=(const FRM_CPoint& offset);
    FRM_CRect& operator-=(const FRM_CPoint& offset);

    // As for points (errors 1700, 1701); a rectangle gets no correction between windows.
    FRM_CRect& Globalize(const FRM_CView* view);
    FRM_CRect& Localize(const FRM_CView* view);
    FRM_CRect& Translate(const FRM_CView* from, const FRM_CView* to);
    FRM_CRect GetGlobal(const FRM_CView* view) const;
    FRM_CRect GetLocal(const FRM_CView* view) const;
    FRM_CRect GetTranslated(const FRM_CView* from, const FRM_CView* to) const;

private:
    float itsLeft = 0;
    float itsTop = 0;
    float itsRight = 0;
    float itsBottom = 0;
};
FRM_CRect operator+(const FRM_CRect& a, const FRM_CRect& b);   // union
FRM_CRect operator-(const FRM_CRect& a, const FRM_CRect& b);   // intersection
FRM_CRect operator&(const FRM_CRect& a, const FRM_CRect& b);   // intersection
FRM_CRect operator+(const FRM_CRect& rect, const FRM_CPoint& offset);
FRM_CRect operator+(const FRM_CPoint& offset, const FRM_CRect& rect);
FRM_CRect operator-(const FRM_CRect& rect, const FRM_CPoint& offset);

// A table cell: column h, row v.
class FRM_CCell {
public:
    FRM_CCell() = default;
    FRM_CCell(std::int32_t h, std::int32_t v) : itsV(v), itsH(h) {}

    std::int32_t H() const { return itsH; }
    std::int32_t V() const { return itsV; }
    void H(std::int32_t h) { itsH = h; }
    void V(std::int32_t v) { itsV = v; }

    bool IsEqual(const FRM_CCell& other) const { return *this == other; }
    bool operator==(const FRM_CCell& other) const = default;
    FRM_CCell& operator+=(const FRM_CCell& other);
    FRM_CCell& operator-=(const FRM_CCell& other);

private:
    std::int32_t itsV = 0;
    std::int32_t itsH = 0;
};
FRM_CCell operator+(const FRM_CCell& a, const FRM_CCell& b);
FRM_CCell operator-(const FRM_CCell& a, const FRM_CCell& b);

// A half-open range of cells: rows top to bottom - 1, columns left to right - 1.
class FRM_CBounds {
public:
    FRM_CBounds() = default;
    FRM_CBounds(std::int32_t top, std::int32_t left, std::int32_t bottom, std::int32_t right)
        : itsTop(top), itsLeft(left), itsBottom(bottom), itsRight(right) {}

    std::int32_t Top() const { return itsTop; }
    std::int32_t Left() const { return itsLeft; }
    std::int32_t Bottom() const { return itsBottom; }
    std::int32_t Right() const { return itsRight; }
    void Top(std::int32_t top) { itsTop = top; }
    void Left(std::int32_t left) { itsLeft = left; }
    void Bottom(std::int32_t bottom) { itsBottom = bottom; }
    void Right(std::int32_t right) { itsRight = right; }
    // Widths of whole rows or columns (edges at 0x7FFFFFFF) fit: both edges are never negative.
    std::int32_t Width() const { return itsRight - itsLeft; }
    std::int32_t Height() const { return itsBottom - itsTop; }
    // Corners as cells, the exclusive edges as they stand.
    FRM_CCell TopLeft() const { return FRM_CCell(itsLeft, itsTop); }
    FRM_CCell TopRight() const { return FRM_CCell(itsRight, itsTop); }
    FRM_CCell BottomLeft() const { return FRM_CCell(itsLeft, itsBottom); }
    FRM_CCell BottomRight() const { return FRM_CCell(itsRight, itsBottom); }

    bool Contains(const FRM_CCell& cell) const;
    bool IsEqual(const FRM_CBounds& other) const { return *this == other; }
    bool operator==(const FRM_CBounds& other) const = default;
    bool IsEmpty() const { return itsBottom <= itsTop || itsRight <= itsLeft; }
    FRM_CBounds& operator+=(const FRM_CCell& offset);
    FRM_CBounds& operator-=(const FRM_CCell& offset);

    // An empty this answers itself; otherwise the overlap, which may be empty.
    FRM_CBounds Intersection(const FRM_CBounds& other) const;
    // An empty this answers other; otherwise the smallest bounds holding both.
    FRM_CBounds Union(const FRM_CBounds& other) const;
    FRM_CBounds Union(const FRM_CCell& cell) const;

private:
    std::int32_t itsTop = 0;
    std::int32_t itsLeft = 0;
    std::int32_t itsBottom = 0;
    std::int32_t itsRight = 0;
};

// A direction in degrees (kept within -359..359, with the sign given) and a reach.
class FRM_CCourse {
public:
    enum Reach : std::int32_t { kReach0 = 0, kReach1 = 1, kReach2 = 2 };

    FRM_CCourse(int direction, Reach reach) : itsReach(reach) { SetDirection(direction); }

    int GetDirection() const { return itsDirection; }
    void SetDirection(int direction) { itsDirection = direction % 360; }
    Reach GetReach() const { return itsReach; }
    void SetReach(Reach reach) { itsReach = reach; }
    bool operator==(const FRM_CCourse& other) const = default;

    // Reach 1: the opposite direction with reach 2; reach 2: this course; else (0, 0).
    FRM_CCourse BorderRollOver() const;

private:
    int itsDirection = 0;
    Reach itsReach = kReach0;
};
