// clistbox.h: FRM_CListBox, the list box the framework draws itself: a scroller whose content
// is a one-column fixed grid of text lines. One line at most is selected; a click and a
// double click send commands; a typed letter selects the first line starting with it; a drag
// past the edges scrolls line by line. Bound to a data controller, it reports its lines, the
// selected text and index, and takes commands that fill, clear and move the selection.
#pragma once

#include <vector>

#include "frm/views/cscrollr.h"

class FRM_CFixedGrid;
class FRM_CStringCollection;
class FRM_CText;

class FRM_CListBox : public FRM_CScroller {
    FRM_TYPE_INFO(CListBox)
public:
    FRM_CListBox(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion);
    // Fills theWindow and drives its scroll bars.
    FRM_CListBox(FRM_CWindow* theWindow, float theVirtualWidth, float theVirtualHeight);
    // Copies the commands and the height settings; no lines.
    FRM_CListBox(const FRM_CListBox& other);
    FRM_CListBox& operator=(const FRM_CListBox& other);
    ~FRM_CListBox() override;

    short IListBox(const FRM_CStringCollection* theItems, short hasHorizontalScrollBar,
                   short hasVerticalScrollBar, short isThumbTracking, long theSingleClickCommand,
                   long theDoubleClickCommand, short isVisible, unsigned long theGlue);

    // Inserts before thePosition, replaces the line there (replace non-zero) or appends when
    // thePosition is past the end; a negative position is ignored.
    virtual void InsertLine(const FRM_CStringRW& theString, int thePosition, short replace);
    // Nothing for a position without a line.
    virtual void RemoveLine(int thePosition);
    virtual int GetNumberOfLines() const { return static_cast<int>(itsItems.size()); }
    virtual int GetSelectedLine() const;
    virtual void SelectLine(int thePosition, short isSelected);
    virtual void DeselectLine();
    // The empty string for a position without a line.
    virtual FRM_CStringRW GetLine(int thePosition) const;
    // The first line with that text, or -1.
    virtual int GetLine(const FRM_CStringRW& theName) const;
    virtual void ScrollUntilVisible(int thePosition);
    virtual short IsHeightSelfAdjusted() const { return itClipsHalfLines; }
    // Trims the height so that no partial line shows.
    virtual void SelfAdjustHeight(short isHeightSelfAdjusted);

    // The line after (theIncrement >= 0) or before the selected one; null without.
    FRM_CText* GetSelectedItem(int theIncrement) const;
    FRM_CFixedGrid* GetGrid() const { return itsGrid; }
    void ResetDimensions();
    void SizeLines();
    // Scrolls one line toward a point past the inner frame (relative to its top-left).
    void ScrollLines(const FRM_CPoint& theLocation);

    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void DoCommand(long theCommand, void* theData) override;
    void MouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void Key(const FRM_CKey& theKey) override;
    void Size(const FRM_CRect& theFrame) override;
    void DoSize(const FRM_CRect& theFrame) override { Size(theFrame); }
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    void DoSetFont(const FRM_CFont& theFont, short isShared) override
    {
        SetFont(theFont, isShared);
    }
    void VScroll(e_scroll_ctl theAction, float thePosition) override;
    void SetGlue(unsigned long theGlue) override;
    void DoSetDragging(short isOn) override { SetDragging(isOn); }
    void DoSetSizing(short isOn) override { SetSizing(isOn); }
    // The lines never take events themselves.
    FRM_CView* FindEventTarget(const FRM_CPoint&) override { return this; }
    void SetSelectedView(FRM_CView* theView) override;

private:
    void CommonSetUp();
    FRM_CText* MakeLine(const FRM_CStringRW& theString);
    FRM_CText* LineAt(int thePosition) const;
    // theLine with its origin brought up to date with the grid (lines follow the grid lazily).
    FRM_CText* Settled(FRM_CView* theLine) const;
    FRM_CText* LineAtPoint(const FRM_CPoint& theGridPoint) const;
    // Makes theLine the selected line (the previous one deselected) and sends theCommand.
    void ClickLine(FRM_CText* theLine, long theCommand);
    // Deletes lines from the end until count remain.
    void TruncateTo(int theCount);
    void TdiNotifyItems(long theCommand);
    void InvalidateAll();
    float Pixel(bool horizontal) const;

    std::vector<FRM_CText*> itsItems;   // not owned: the grid's subviews
    FRM_CFixedGrid* itsGrid = nullptr;  // a subview of this list box
    short itIsDragging = 0;
    float itsSuggestedHeight = 0;
    short itClipsHalfLines = 0;
};
