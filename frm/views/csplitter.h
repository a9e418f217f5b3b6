// csplitter.h: FRM_CSplitter, a subview divided into panes by movable split bars, and the
// fixed splitters, whose panes sit in one row or one column. A split bar is no view: it is a
// raised strip the splitter draws, hit-tests and drags with an exclusive-or outline. Bars and
// their ranges are in window coordinates; pane frames are local to the splitter.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

#include "frm/interaction/cmouse.h"
#include "frm/views/csubview.h"

class FRM_CWindow;
class FRM_CEnvironment;

class FRM_CSplitBar {
public:
    FRM_CSplitBar(FRM_CWindow* theWindow, const FRM_CRect& theRange, float theAxis, float theSize,
                  unsigned long theHighlight, unsigned long theShadow, unsigned long theFace);
    FRM_CSplitBar(const FRM_CSplitBar&) = delete;
    FRM_CSplitBar& operator=(const FRM_CSplitBar&) = delete;
    virtual ~FRM_CSplitBar();

    float GetSplitBarSize() const { return itsSize; }
    // The bar's strip across the whole range at theAxis (-1 stands for the present axis).
    virtual FRM_CRect GetSplitBarFrame(float theAxis) const;
    short HitTest(const FRM_CPoint& thePoint) const;
    float GetAxis() const { return itsAxis; }
    // Repaints the old and the new place when isRedraw is non-zero.
    void SetAxis(float theAxis, short isRedraw);
    const FRM_CRect& GetRange() const { return itsRange; }
    void SetRange(const FRM_CRect& theRange) { itsRange = theRange; }
    virtual void Draw() = 0;
    void UpdateDraw();
    short ShouldDrawIntersection(const FRM_CSplitBar& theOther) const;
    short IsTracking() const { return itIsTracking; }
    void BeginTracking(const FRM_CPoint& thePoint);
    // (-1, -1) only erases the outline.
    void MoveTracking(const FRM_CPoint& thePoint);
    // The axis the outline ended at (the bar itself does not move).
    float EndTracking();
    virtual float GetAxisFromPoint(const FRM_CPoint& thePoint) const = 0;
    virtual FRM_CPoint GetAxisEdge(const FRM_CPoint& thePoint) const = 0;
    // The crossing with a bar of the other direction, when they overlap by a bar size.
    void DrawIntersection(const FRM_CSplitBar& theOther);

protected:
    // The window point at theAlong along the bar and theAcross across it. It keeps or swaps
    // the two coordinates, so it also reads a window point back as (along, across).
    virtual FRM_CPoint Place(float theAlong, float theAcross) const = 0;
    // One line of the strip, along the whole range at axis + offset, in one colour.
    void DrawLine(float theOffset, unsigned long theColour);
    // The rectangle along the whole range from theAcross to theAcross + theThickness: what
    // the frame and the lines of either direction are cut from.
    FRM_CRect Strip(float theAcross, float theThickness) const;
    void DrawStrip();
    FRM_CEnvironment BarEnvironment() const;

    FRM_CWindow* itsWindow;   // not owned
    float itsSize;
    FRM_CRect itsRange;
    FRM_CPoint itsLastPoint{-1, -1};
    FRM_CPoint itsGrabOffset;
    float itsAxis;
    short itIsTracking = 0;
    unsigned long itsHighlightColor;
    unsigned long itsShadowColor;
    unsigned long itsFaceColor;
};

// Splits the area top from bottom; its axis is its top.
class FRM_CHorizontalSplitBar : public FRM_CSplitBar {
public:
    using FRM_CSplitBar::FRM_CSplitBar;
    float GetAxisFromPoint(const FRM_CPoint& thePoint) const override { return thePoint.V(); }
    FRM_CPoint GetAxisEdge(const FRM_CPoint& thePoint) const override
    {
        return FRM_CPoint(thePoint.H(), itsAxis);
    }
    void Draw() override { DrawStrip(); }

protected:
    FRM_CPoint Place(float theAlong, float theAcross) const override
    {
        return FRM_CPoint(theAlong, theAcross);
    }
};

// Splits the area left from right; its axis is its left.
class FRM_CVerticalSplitBar : public FRM_CSplitBar {
public:
    using FRM_CSplitBar::FRM_CSplitBar;
    float GetAxisFromPoint(const FRM_CPoint& thePoint) const override { return thePoint.H(); }
    FRM_CPoint GetAxisEdge(const FRM_CPoint& thePoint) const override
    {
        return FRM_CPoint(itsAxis, thePoint.V());
    }
    void Draw() override { DrawStrip(); }

protected:
    FRM_CPoint Place(float theAlong, float theAcross) const override
    {
        return FRM_CPoint(theAcross, theAlong);
    }
};

class FRM_CSplitter : public FRM_CSubview {
    FRM_TYPE_INFO(CSplitter)
public:
    enum CursorState : std::int32_t {
        kNoBar = 0, kOverHorizontal, kDraggingHorizontal, kOverVertical, kDraggingVertical,
        kOverCrossing, kDraggingCrossing
    };

    class CPane {
    public:
        virtual ~CPane() = default;
        long GetId() const { return itsId; }
        FRM_CRect GetFrame() const { return itsFrame; }
        FRM_CView* GetView() const { return itsView; }
        FRM_CRect GetAdjustedFrame() const { return itsAdjustedFrame; }
        short IsAdjusted() const { return itIsAdjusted; }
        void ResetAdjusted() { itIsAdjusted = 0; }
        void ApplyAdjustedFrame() { itsFrame = itsAdjustedFrame; }
        bool IsLeftBorder() const { return itsLeftBar == nullptr; }
        bool IsRightBorder() const { return itsRightBar == nullptr; }
        bool IsTopBorder() const { return itsTopBar == nullptr; }
        bool IsBottomBorder() const { return itsBottomBar == nullptr; }

        long itsId = 0;
        FRM_CRect itsFrame{0, 0, 0, 0};
        FRM_CRect itsAdjustedFrame;
        short itIsAdjusted = 0;
        FRM_CView* itsView = nullptr;   // not owned
        FRM_CVerticalSplitBar* itsLeftBar = nullptr;
        FRM_CVerticalSplitBar* itsRightBar = nullptr;
        FRM_CHorizontalSplitBar* itsTopBar = nullptr;
        FRM_CHorizontalSplitBar* itsBottomBar = nullptr;
    };

    // Cursor ids for states 1 to 6.
    FRM_CSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                  const std::int16_t (&theCursors)[6]);
    FRM_CSplitter(const FRM_CSplitter&) = delete;
    FRM_CSplitter& operator=(const FRM_CSplitter&) = delete;
    ~FRM_CSplitter() override;

    // Registers the mouse agent with the window's mouse manager.
    virtual void ISplitter();
    long GetNumberOfPanes() const { return static_cast<long>(itsPanes.size()); }
    CPane* QueryPane(long theId) const;
    const std::vector<std::unique_ptr<FRM_CHorizontalSplitBar>>& GetHorSplitBars() const
    {
        return itsHorBars;
    }
    const std::vector<std::unique_ptr<FRM_CVerticalSplitBar>>& GetVerSplitBars() const
    {
        return itsVerBars;
    }
    CursorState GetCursorState() const { return itsCursorState; }

    virtual short IsSplitTracking() const;
    // Points in window coordinates.
    virtual void TrackSplitBegin(const FRM_CPoint& thePoint);
    virtual void TrackSplitMove(const FRM_CPoint& thePoint);
    virtual void TrackSplitEnd();
    // A double click; nothing in a plain splitter.
    virtual void TrackSplitDouble(const FRM_CPoint&) {}
    virtual void SetSplitCursor(CursorState theState);
    virtual FRM_CHorizontalSplitBar* FindHorSplit(const FRM_CPoint& thePoint) const;
    virtual FRM_CVerticalSplitBar* FindVerSplit(const FRM_CPoint& thePoint) const;

    void DoSize(const FRM_CRect& theFrame) override;
    void DoDraw(const FRM_CRect& theClip) override;

protected:
    virtual void OnAdjustPanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                               FRM_CVerticalSplitBar* theVBar, float theVAxis) = 0;
    // Bars overtaken by the moved one are pushed past it; bars not overtaken stay.
    virtual void DoNormalizePanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                                  FRM_CVerticalSplitBar* theVBar, float theVAxis);
    void DoAdjustPanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                       FRM_CVerticalSplitBar* theVBar, float theVAxis);
    // The bars take their new axes (repainted) and push the bars they overtook.
    void MoveBars(FRM_CHorizontalSplitBar* theHBar, float theHAxis, FRM_CVerticalSplitBar* theVBar,
                  float theVAxis);
    // The pane's view takes the adjusted frame (old and new place repainted); so does the pane.
    void ApplyPaneFrame(CPane& thePane);
    void AdjustPane(CPane& thePane, FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                    FRM_CVerticalSplitBar* theVBar, float theVAxis) const;
    std::unique_ptr<FRM_CHorizontalSplitBar> ConstructHorSplitBar(const FRM_CRect& theRange,
                                                                  float theAxis) const;
    std::unique_ptr<FRM_CVerticalSplitBar> ConstructVerSplitBar(const FRM_CRect& theRange,
                                                                float theAxis) const;
    void SetCursorIds(const std::int16_t (&theCursors)[6])
    {
        std::copy(std::begin(theCursors), std::end(theCursors), std::begin(itsCursors));
    }

    std::vector<std::unique_ptr<CPane>> itsPanes;
    // In geometric order: topmost (leftmost) first.
    std::vector<std::unique_ptr<FRM_CHorizontalSplitBar>> itsHorBars;
    std::vector<std::unique_ptr<FRM_CVerticalSplitBar>> itsVerBars;

private:
    class MouseAgent;

    std::unique_ptr<MouseAgent> itsMouseAgent;
    FRM_CHorizontalSplitBar* itsTrackedHorBar = nullptr;
    FRM_CVerticalSplitBar* itsTrackedVerBar = nullptr;
    CursorState itsCursorState = kNoBar;
    std::int16_t itsCursors[6] = {};
    std::uint16_t itsSavedCursor = 0;
};

class FRM_CFixedSplitter : public FRM_CSplitter {
    FRM_TYPE_INFO(CFixedSplitter)
public:
    class CFixedPane : public CPane {
    public:
        FRM_CRect& GetMinFrame() { return itsMinFrame; }
        FRM_CRect& GetMaxFrame() { return itsMaxFrame; }
        FRM_CRect itsMinFrame;
        FRM_CRect itsMaxFrame;
    };

    void IFixedSplitter() { ISplitter(); }
    // Hands over pane views in order, left to right (top to bottom).
    virtual void IFixedPane(long theId, FRM_CView* theView, const FRM_CRect& theMinimum,
                            const FRM_CRect& theMaximum) = 0;
    // The frame pane theIndex should be made with, local to the splitter.
    virtual FRM_CRect GetPaneCreationSize(int theIndex) const = 0;
    int GetPaneCount() const { return itsPaneCount; }

protected:
    // The two fixed splitters are mirrors of each other: they differ only in the direction
    // their panes run in, and the base does the work for both.
    enum class Direction { kSideBySide, kStacked };

    // A pane count below 1 counts as 1. The cursors are shown over the bars and while one is
    // dragged.
    FRM_CFixedSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion, int thePaneCount,
                       Direction theDirection, std::int16_t theOverCursor,
                       std::int16_t theDragCursor);
    CPane* AppendFixedPane(long theId, FRM_CView* theView, const FRM_CRect& theMinimum,
                           const FRM_CRect& theMaximum);
    // The pane with a bar between it and the one before (IFixedPane of either direction).
    void AppendPaneAfterBar(long theId, FRM_CView* theView, const FRM_CRect& theMinimum,
                            const FRM_CRect& theMaximum);
    // An even share of the splitter's length along its direction (GetPaneCreationSize).
    FRM_CRect EvenPaneFrame(int theIndex) const;
    void OnAdjustPanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                       FRM_CVerticalSplitBar* theVBar, float theVAxis) override;

    int itsPaneCount;
    Direction itsDirection;
    float itsBarSize = 0;
};

// Panes side by side, divided by vertical bars.
class FRM_CHorizontalFixedSplitter : public FRM_CFixedSplitter {
    FRM_TYPE_INFO(CHorizontalFixedSplitter)
public:
    FRM_CHorizontalFixedSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                                 int thePaneCount, std::int16_t theOverCursor,
                                 std::int16_t theDragCursor);
    void IFixedPane(long theId, FRM_CView* theView, const FRM_CRect& theMinimum,
                    const FRM_CRect& theMaximum) override;
    FRM_CRect GetPaneCreationSize(int theIndex) const override;
};

// Panes one above the other, divided by horizontal bars.
class FRM_CVerticalFixedSplitter : public FRM_CFixedSplitter {
    FRM_TYPE_INFO(CVerticalFixedSplitter)
public:
    FRM_CVerticalFixedSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                               int thePaneCount, std::int16_t theOverCursor,
                               std::int16_t theDragCursor);
    void IFixedPane(long theId, FRM_CView* theView, const FRM_CRect& theMinimum,
                    const FRM_CRect& theMaximum) override;
    FRM_CRect GetPaneCreationSize(int theIndex) const override;
};
