// cmapsplt.h: FRM_CMappedSplitter, a splitter whose panes form rows and columns that the user
// makes and removes at run time through split boxes, as in a document window. Native scroll
// bars run along its bottom and right edges, one per column and one per row, each shared by
// the panes of its column or row. The splitter makes no pane views: it issues command 3500
// for every new pane (the owner answers with IMappedPane) and 3501 before one goes.
#pragma once

#include <vector>

#include "frm/views/csplitter.h"

class FRM_NScrollBar;

class FRM_CMappedSplitter : public FRM_CSplitter {
    FRM_TYPE_INFO(CMappedSplitter)
public:
    // When a split box shows: never, while there is no bar of its kind, or always.
    enum SplitBehavior : std::int32_t { kNoBox = 0, kOneSplit = 1, kAnySplits = 2 };
    enum SplitBoxTracking : std::int32_t { kNoBoxTracking = 0, kHorBox = 1, kVerBox = 2 };
    static constexpr long kPaneCreated = 3500;
    static constexpr long kPaneDestroying = 3501;

    class CMappedPane : public CPane {
    public:
        FRM_NScrollBar* GetHorScrollBar() const { return itsHorScrollBar; }
        FRM_NScrollBar* GetVerScrollBar() const { return itsVerScrollBar; }
        FRM_NScrollBar* itsHorScrollBar = nullptr;   // not owned
        FRM_NScrollBar* itsVerScrollBar = nullptr;   // not owned
    };

    FRM_CMappedSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                        SplitBehavior theHorBehavior, SplitBehavior theVerBehavior,
                        const std::int16_t (&theCursors)[6], short hasHorScrollBars,
                        short hasVerScrollBars, float theBoxSize,
                        const unsigned long (&theBoxColours)[4]);
    ~FRM_CMappedSplitter() override;

    // One pane, one row, one column; command 3500 for the pane.
    virtual void IMappedSplitter();
    // The owner's answer to 3500: the pane's id and view; the view becomes an owner of the
    // pane's scroll bars.
    virtual void IMappedPane(CMappedPane* thePane, long theId, FRM_CView* theView);
    // A split in the middle of the top row (the left column), as a double click on a box.
    virtual void SplitHorizontal();
    virtual void SplitVertical();
    virtual short IsBoxTracking() const { return itsTracker != nullptr ? 1 : 0; }
    // Points in window coordinates; each says whether it handled the point.
    virtual short TrackBoxBegin(const FRM_CPoint& thePoint);
    virtual short TrackBoxMove(const FRM_CPoint& thePoint);
    virtual short TrackBoxEnd(const FRM_CPoint& thePoint);
    virtual short TrackAutoSplit(const FRM_CPoint& thePoint);
    virtual short HorSplitBoxHitTest(const FRM_CPoint& thePoint) const;
    virtual short VerSplitBoxHitTest(const FRM_CPoint& thePoint) const;

    // The box strips come before the bars.
    void TrackSplitBegin(const FRM_CPoint& thePoint) override;
    void TrackSplitMove(const FRM_CPoint& thePoint) override;
    void TrackSplitEnd() override;
    void TrackSplitDouble(const FRM_CPoint& thePoint) override;
    void DoDraw(const FRM_CRect& theClip) override;

    unsigned long GetRows() const { return itsRows; }
    unsigned long GetColumns() const { return itsColumns; }
    const std::vector<FRM_NScrollBar*>& GetHorScrollBars() const { return itsHorScrollBars; }
    const std::vector<FRM_NScrollBar*>& GetVerScrollBars() const { return itsVerScrollBars; }
    const FRM_CRect& GetHorSplitBox() const { return itsHorBox; }
    const FRM_CRect& GetVerSplitBox() const { return itsVerBox; }
    short IsHorSplitBoxShown() const { return itIsHorBoxShown; }
    short IsVerSplitBoxShown() const { return itIsVerBoxShown; }
    CMappedPane* GetPane(std::size_t theIndex) const
    {
        return static_cast<CMappedPane*>(itsPanes[theIndex].get());
    }

protected:
    virtual void DrawHorSplitBox();
    virtual void DrawVerSplitBox();
    virtual void ISplitBoxes();
    virtual void DoSplitMappedPane(float theAxis, SplitBoxTracking theTracking);
    virtual short IsMinHorLocation(float theAxis) const;
    virtual short IsMaxHorLocation(float theAxis) const;
    virtual short IsMinVerLocation(float theAxis) const;
    virtual short IsMaxVerLocation(float theAxis) const;
    // theFrame less the scroll-bar strips asked for.
    virtual FRM_CRect AdjustClientFrame(const FRM_CRect& theFrame, short horizontal,
                                        short vertical) const;
    virtual CMappedPane* CreateMappedPane(const FRM_CRect& theFrame, FRM_NScrollBar* theHorBar,
                                          FRM_NScrollBar* theVerBar);
    // Command 3501, then the pane, its view and its ownership of the scroll bars go.
    virtual void DestroyMappedPane(CMappedPane* thePane);
    // theFrame local; the new bar comes first in its list.
    virtual FRM_NScrollBar* CreateHorScrollBar(const FRM_CRect& theFrame, short verticalToo);
    virtual FRM_NScrollBar* CreateVerScrollBar(const FRM_CRect& theFrame, short horizontalToo);
    virtual FRM_NScrollBar* ConstructScrollBar(const FRM_CRect& theFrame, bool horizontal);
    void OnAdjustPanes(FRM_CHorizontalSplitBar* theHBar, float theHAxis,
                       FRM_CVerticalSplitBar* theVBar, float theVAxis) override;

private:
    float ScrollBarHeight() const;
    float ScrollBarWidth() const;
    void DrawSplitBox(const FRM_CRect& theBox);
    void SplitIntoRow(float theAxis);
    void SplitIntoColumn(float theAxis);
    // Takes out the bars that lie on the splitter's edges, with the rows and columns they cut
    // off.
    void RemoveEdgeHorBars(FRM_CHorizontalSplitBar*& theMoved);
    void RemoveEdgeVerBars(FRM_CVerticalSplitBar*& theMoved);
    void FitScrollBars(CMappedPane& thePane);
    static void DropScrollBar(std::vector<FRM_NScrollBar*>& theList, FRM_NScrollBar* theBar);

    SplitBehavior itsHorBehavior;
    SplitBehavior itsVerBehavior;
    std::unique_ptr<FRM_CSplitBar> itsTracker;
    SplitBoxTracking itsBoxTracking = kNoBoxTracking;
    FRM_CRect itsHorBox;
    FRM_CRect itsVerBox;
    short itIsHorBoxShown = 0;
    short itIsVerBoxShown = 0;
    float itsBoxSize;
    unsigned long itsBoxColours[4];
    short itHasHorScrollBars;
    short itHasVerScrollBars;
    unsigned long itsColumns = 0;
    unsigned long itsRows = 0;
    std::vector<FRM_NScrollBar*> itsHorScrollBars;   // one per column, leftmost first
    std::vector<FRM_NScrollBar*> itsVerScrollBars;   // one per row, topmost first
};
