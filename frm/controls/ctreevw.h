// ctreevw.h: FRM_CTreeView, the outline view: one indented row per visible item (the
// pre-order walk that enters expanded nodes only), with connecting lines, an image per item,
// text plain or in tab columns, an optional title row that never scrolls, a selection and a
// focus item, keyboard navigation and expansion. Rows are found arithmetically from the
// items' composite heights; drawing skips every subtree outside the clip. What happens is
// reported as tree events: DoCommand(kTreeEventCommand, &event) up the boss chain.
#pragma once

#include <memory>
#include <vector>

#include "frm/controls/ctreeevt.h"
#include "frm/controls/ctreeitm.h"
#include "frm/views/cscrollr.h"

class FRM_CDrawingContext;
class FRM_CTreeMouseHandler;

class FRM_CTreeView : public FRM_CScroller {
    FRM_TYPE_INFO(CTreeView)
public:
    enum TreeStyle { StyleOrthogonal = 0, StyleSlant, StyleNone };
    enum SelectionPolicy { SelectNone = 0, SelectOne, SelectMany };
    enum ExpansionPolicy { ExpandOne = 0, ExpandAll, ExpandRestore };

    static constexpr long kTreeEventCommand = 20008;
    static constexpr float kTopMargin = 2.0f;
    static constexpr float kLeftMargin = 2.0f;
    static constexpr float kTextMargin = 8.0f;

    FRM_CTreeView(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion);
    ~FRM_CTreeView() override;

    // Makes the root with the given look and the mouse handler, then the scroll bars.
    short ITreeView(const FRM_CTreeSource* theSource, unsigned long theColor,
                    const FRM_CFont& theFont, float theHeight, float theIndent,
                    const FRM_CImage* theImage, const FRM_CImage* theCollapsedImage,
                    const FRM_CImage* theExpandedImage, const CTabSet* theTabSet,
                    short hasHorizontalScrollBar, short hasVerticalScrollBar, short isThumbTracking,
                    float theLineIncrement, float thePageIncrement, short isVisible,
                    unsigned long theGlue);

    // Factory points for derived views.
    virtual FRM_CTreeItem* CreateTerminal(FRM_CTreeNodeItem* theParent,
                                          const FRM_CTreeAttributes* theAttributes);
    virtual FRM_CTreeNodeItem* CreateNode(FRM_CTreeNodeItem* theParent,
                                          const FRM_CTreeAttributes* theAttributes);
    virtual FRM_CTreeMouseHandler* CreateMouseHandler();
    // The view's one record for these values; kBestHeight and kBestIndent are worked out
    // from the font and images first.
    virtual const FRM_CTreeAttributes* GetAttributes(
        unsigned long theColor, const FRM_CFont& theFont, float theHeight, float theIndent,
        const FRM_CImage* theImage, const FRM_CImage* theCollapsedImage,
        const FRM_CImage* theExpandedImage, const CTabSet* theTabSet,
        const FRM_CTreeSource* theSource);

    FRM_CTreeNodeItem* GetRoot() { return itsRoot.get(); }
    const FRM_CTreeNodeItem* GetRoot() const { return itsRoot.get(); }
    void SetDeleteUserData(short isOn) { itsDeleteUserData = isOn; }
    short GetDeleteUserData() const { return itsDeleteUserData; }
    virtual void SetTreeStyle(TreeStyle theStyle) { itsStyle = theStyle; }
    virtual TreeStyle GetTreeStyle() const { return itsStyle; }
    virtual void SetDrawRoot(short isDrawn) { itsDrawRoot = isDrawn; }
    virtual short GetDrawRoot() const { return itsDrawRoot; }
    virtual void SetSelectionPolicy(SelectionPolicy thePolicy) { itsPolicy = thePolicy; }
    virtual SelectionPolicy GetSelectionPolicy() const { return itsPolicy; }
    virtual void SetExpansionPolicy(ExpansionPolicy thePolicy) { itsExpansionPolicy = thePolicy; }
    virtual ExpansionPolicy GetExpansionPolicy() const { return itsExpansionPolicy; }

    // Title row: none while the title is null. Nothing is redrawn.
    virtual void SetTitleString(const FRM_CStringRW& theTitle, unsigned long theTitleColor,
                                const FRM_CFont& theFont);
    virtual FRM_CStringRW GetTitleString() const { return itsTitle; }
    virtual const FRM_CFont& GetTitleFont() const { return itsTitleFont; }
    virtual FRM_CRect GetTitleRect() const;

    // An item's row (or its whole band with theRecurse) in global coordinates.
    virtual FRM_CRect ItemToRect(const FRM_CTreeItem* theItem, short theRecurse) const;
    // The item whose row holds thePoint (global); null above the first and below the last.
    virtual const FRM_CTreeItem* PointToItem(const FRM_CPoint& thePoint) const;
    virtual FRM_CTreeItem* PointToItem(const FRM_CPoint& thePoint);
    virtual void InvalidateItem(const FRM_CTreeItem* theItem, short theRecurse);
    // The item at the top of the item area.
    virtual FRM_CTreeItem* TopItem();
    virtual const FRM_CTreeItem* TopItem() const;
    // Scrolls as little as needed to show the item's row.
    virtual void MakeItemVisible(const FRM_CTreeItem* theItem);

    // Selection, in the order items were added. theUpdate redraws the change at once.
    virtual const std::vector<FRM_CTreeItem*>& GetSelection() const { return itsSelection; }
    virtual void SetSelection(const std::vector<FRM_CTreeItem*>& theSelection, short theUpdate);
    virtual void AddToSelection(FRM_CTreeItem* theItem, short theUpdate);
    virtual void RemoveFromSelection(FRM_CTreeItem* theItem, short theUpdate);
    virtual void ClearSelection(short theUpdate);
    virtual short SelectionContains(const FRM_CTreeItem* theItem) const;
    virtual void InvalidateSelection();
    virtual void SetFocusItem(FRM_CTreeItem* theItem, short theUpdate);
    virtual FRM_CTreeItem* GetFocusItem() { return itsFocusItem; }
    virtual const FRM_CTreeItem* GetFocusItem() const { return itsFocusItem; }

    void Draw(const FRM_CRect& theClip) override;
    void Key(const FRM_CKey& theKey) override;
    void HScroll(e_scroll_ctl theAction, float thePosition) override;
    void VScroll(e_scroll_ctl theAction, float thePosition) override;
    FRM_CRect GetClippedFrame() const override;
    FRM_CRect GetInnerFrame() const override;

protected:
    // The title row's height; 0 without a title.
    float TitleHeight() const;
    // Draws the title; answers the clip left for the rows.
    virtual FRM_CRect DrawTitle(const FRM_CRect& theClip);
    virtual void DrawItem(FRM_CTreeItem* theItem, FRM_CDrawingContext& theContext,
                          const FRM_CRect& theClip);
    virtual void DrawSingleItem(FRM_CTreeItem* theItem, FRM_CDrawingContext& theContext,
                                const FRM_CRect& theClip);
    // Answers where the text starts.
    virtual FRM_CPoint DrawImagePart(const FRM_CPoint& theStart, FRM_CTreeItem* theItem,
                                     FRM_CDrawingContext& theContext, const FRM_CRect& theClip);
    virtual void DrawSelectionPart(const FRM_CPoint& theStart, float theTextLength,
                                   FRM_CTreeItem* theItem, const FRM_CRect& theClip);
    virtual void DrawTreePart(FRM_CTreeItem* theItem, const FRM_CRect& theClip);
    void ScrollViews(const FRM_CPoint& theNewOrigin) override;

private:
    void SendEvent(FRM_CTreeEvent::EventType theType, FRM_CTreeItem* theItem);
    // The lowest scrolling origin: the virtual frame's bottom meets the inner frame's.
    float LowestOrigin() const;
    // Global to local coordinates of this view.
    FRM_CRect ToLocal(const FRM_CRect& theGlobal) const;
    // The row holding theOffset, measured from the top of the first shown row.
    const FRM_CTreeItem* RowAt(float theOffset) const;
    // Where the first shown row starts, in global coordinates.
    float RowsTop() const;
    // The offset of the root's first shown row from the top of the root's row.
    float HiddenRootHeight() const;
    float ToLogicalV(int thePixels) const;
    float ToLogicalH(int thePixels) const;
    // Text width in the view's units.
    float TextWidth(const FRM_CFont& theFont, const FRM_CStringRW& theText) const;
    // Drops the user data of theItem's subtree (when the view owns user data).
    void DeleteUserData(FRM_CTreeItem* theItem);

    FRM_CStringRW itsTitle;
    unsigned long itsTitleColor = 0;
    FRM_CFont itsTitleFont;
    short itsDeleteUserData = 0;
    short itsDrawRoot = 1;
    TreeStyle itsStyle = StyleOrthogonal;
    SelectionPolicy itsPolicy = SelectMany;
    ExpansionPolicy itsExpansionPolicy = ExpandOne;
    std::unique_ptr<FRM_CTreeMouseHandler> itsMouseHandler;
    std::unique_ptr<FRM_CTreeNodeItem> itsRoot;
    std::vector<std::unique_ptr<FRM_CTreeAttributes>> itsAttributeList;
    std::vector<FRM_CTreeItem*> itsSelection;
    FRM_CTreeItem* itsFocusItem = nullptr;
    float itsLine = 0;
    float itsIndent = 0;
    float itsMaxItemLength = 0;
    short itIsScrolling = 0;
};
