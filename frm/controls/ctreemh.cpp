// ctreemh.cpp: the tree view's mouse: clicks and double clicks on rows, and the dragging of
// the title's tab stops with an exclusive-or line.
#include "frm/controls/ctreemh.h"

#include <algorithm>

#include "frm/controls/ctexttab.h"
#include "frm/controls/ctreevw.h"
#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kBlack = 0x07000000ul;
constexpr float kNeighbourGap = 2.0f;
constexpr int kUndoMarginPixels = 30;

void Send(FRM_CTreeView* theTree, FRM_CTreeEvent& theEvent)
{
    theTree->DoCommand(FRM_CTreeView::kTreeEventCommand, &theEvent);
}

} // namespace

FRM_CTreeMouseHandler::FRM_CTreeMouseHandler(const FRM_CTreeMouseHandler& other)
    : FRM_CMouseHandler(other), itsTree(other.itsTree), itsCurrentCursor(other.itsCurrentCursor),
      itsIsDragging(other.itsIsDragging)
{
}

// Hand-written: a drag under way stays the target's; only tree and cursor are taken.
FRM_CTreeMouseHandler& FRM_CTreeMouseHandler::operator=(const FRM_CTreeMouseHandler& other)
{
    if (this != &other) {
        FRM_CMouseHandler::operator=(other);
        itsTree = other.itsTree;
        itsCurrentCursor = other.itsCurrentCursor;
    }
    return *this;
}

bool FRM_CTreeMouseHandler::IsApplicable(const FRM_CPoint& theLocation) const
{
    return itsTree->GetGlobalFrame().IsPointInRect(theLocation);
}

bool FRM_CTreeMouseHandler::InView(const FRM_CPoint& thePoint) const
{
    return itsTree != nullptr && itsTree->IsVisible() && IsApplicable(thePoint);
}

short FRM_CTreeMouseHandler::DoDown(FRM_CPoint& thePoint, short& theButton, short& isShift,
                                    short& isControl)
{
    if (!InView(thePoint))
        return 0;
    if (itsTree->GetTitleRect().IsPointInRect(thePoint))
        return DoDownInTitle(thePoint, theButton, isShift, isControl);
    if (itsTree->PointToItem(thePoint) != nullptr)
        return DoDownInItem(thePoint, theButton, isShift, isControl);
    return 0;
}

short FRM_CTreeMouseHandler::DoDownInItem(FRM_CPoint& thePoint, short& theButton, short& isShift,
                                          short& isControl)
{
    itsHitItem = itsTree->PointToItem(thePoint);
    if (itsHitItem == nullptr)
        return 0;
    FRM_CTreeItem* item = itsHitItem;
    const bool selected = itsTree->SelectionContains(item) != 0;
    switch (itsTree->GetSelectionPolicy()) {
    case FRM_CTreeView::SelectNone:
        itsTree->SetFocusItem(item, 1);
        break;
    case FRM_CTreeView::SelectOne:
        if (!selected) {
            itsTree->ClearSelection(1);
            itsTree->AddToSelection(item, 1);
        }
        itsTree->SetFocusItem(item, 1);
        break;
    case FRM_CTreeView::SelectMany:
        if (isControl) {
            if (selected) {
                itsTree->RemoveFromSelection(item, 1);
                itsTree->SetFocusItem(nullptr, 1);
            } else {
                itsTree->AddToSelection(item, 1);
                itsTree->SetFocusItem(item, 1);
            }
        } else if (!selected) {
            itsTree->ClearSelection(1);
            itsTree->AddToSelection(item, 1);
            itsTree->SetFocusItem(item, 1);
        }
        break;
    }
    if (FRM_CSubview* enclosure = itsTree->GetEnclosure())
        enclosure->SetKeyFocus(itsTree);
    FRM_CTreeEvent event(FRM_CTreeEvent::MouseClick, itsTree, thePoint, theButton, isShift,
                         isControl);
    Send(itsTree, event);
    return 0;
}

short FRM_CTreeMouseHandler::DoDownInTitle(FRM_CPoint& thePoint, short& theButton, short& isShift,
                                           short& isControl)
{
    if (itsTab == 0)
        return 0;
    FRM_CTreeEvent event(FRM_CTreeEvent::TitleMouseClick, itsTree, thePoint, theButton, isShift,
                         isControl);
    Send(itsTree, event);
    itsIsDragging = 1;
    itsOriginalPoint = thePoint;
    SetDragBounds(itsOriginalPoint);
    itsLastDragDraw = thePoint;
    DrawDragLine(itsLastDragDraw);
    return 0;
}

short FRM_CTreeMouseHandler::DoDouble(FRM_CPoint& thePoint, short&, short& isShift, short&)
{
    if (!InView(thePoint))
        return 0;
    FRM_CTreeItem* item = itsTree->PointToItem(thePoint);
    if (item == nullptr)
        return 0;
    if (item->IsTerminal()) {
        FRM_CTreeEvent event(FRM_CTreeEvent::MouseDoubleClick, itsTree, item);
        Send(itsTree, event);
        return 0;
    }
    auto* node = static_cast<FRM_CTreeNodeItem*>(item);
    const bool expand = node->IsCollapsed() != 0;
    const FRM_CTreeView::ExpansionPolicy policy = itsTree->GetExpansionPolicy();
    if (expand)
        node->Expand(policy == FRM_CTreeView::ExpandAll || isShift ? 1 : 0, 0);
    else
        node->Collapse(policy != FRM_CTreeView::ExpandRestore ? 1 : 0);
    FRM_CTreeEvent event(expand ? FRM_CTreeEvent::Expand : FRM_CTreeEvent::Collapse, itsTree, node);
    Send(itsTree, event);
    FRM_CRect area = itsTree->ItemToRect(node, 0);
    area.Height(itsTree->GetFrame().Height());
    const FRM_CPoint origin = itsTree->GetGlobalOrigin();
    itsTree->Invalidate(area + FRM_CPoint(-origin.H(), -origin.V()));
    return 0;
}

short FRM_CTreeMouseHandler::DoMove(FRM_CPoint& thePoint, short&, short&, short&)
{
    if (itsTree == nullptr || !itsTree->IsVisible())
        return 0;
    if (itsIsDragging) {
        DrawDragLine(itsLastDragDraw);
        itsLastDragDraw = CoercedPoint(thePoint);
        DrawDragLine(itsLastDragDraw);
        return 0;
    }
    if (itsTree->GetTitleRect().IsPointInRect(thePoint)) {
        itsHitItem = itsTree->GetRoot();
        if (const CTabSet* tabs = itsHitItem != nullptr ? itsHitItem->GetTabSet() : nullptr) {
            FRM_CDrawingContext context(itsTree);
            context.GetEnv().SetFont(itsTree->GetTitleFont());
            itsTab = tabs->PointToTab(thePoint, *itsTree, context, itsTree->GetGlobalOrigin(),
                                      FRM_CStringRW());
        }
    } else {
        itsTab = 0;
    }
    FRM_CWindow* window = itsTree->GetCWindow();
    if (itsTab != 0 && itsCurrentCursor != kTabDragCursor) {
        if (window != nullptr)
            window->TrapPointer(itsTree);
        itsCurrentCursor = kTabDragCursor;
        vko_win_set_cursor(itsTree->GetVKOWindow(), kTabDragCursor);
    } else if (itsTab == 0 && itsCurrentCursor != kNormalCursor) {
        if (window != nullptr)
            window->ReleasePointer();
        itsCurrentCursor = kNormalCursor;
        vko_win_set_cursor(itsTree->GetVKOWindow(), kNormalCursor);
    }
    return 0;
}

short FRM_CTreeMouseHandler::DoUp(FRM_CPoint& thePoint, short&, short&, short&)
{
    if (itsTree == nullptr || !itsTree->IsVisible() || !itsIsDragging)
        return 0;
    itsLastDragDraw = CoercedPoint(thePoint);
    DrawDragLine(itsLastDragDraw);
    itsIsDragging = 0;
    FRM_CTreeNodeItem* root = itsTree->GetRoot();
    // The title's tab stops are the root's; the root holds them as a shared look, which
    // the view's owner lets the user rearrange.
    auto* tabs = const_cast<CTabSet*>(root != nullptr ? root->GetTabSet() : nullptr);
    if (tabs != nullptr && itsTab > 0 && itsTab - 1 < tabs->GetNTabs()) {
        FRM_CTextTab tab = tabs->GetTab(itsTab - 1);
        tab.SetPosition(itsLastDragDraw.H() + itsOffsetToTab.H() - itsTree->GetGlobalOrigin().H());
        tabs->ReplaceTab(itsTab - 1, tab);
        itsTree->Invalidate(frm_views::MaxRect());
    }
    return 0;
}

void FRM_CTreeMouseHandler::SetDragBounds(const FRM_CPoint& theLocation)
{
    itsDragBounds = itsTree->GetTitleRect() & itsTree->GetClippedFrame();
    itsOffsetToTab = FRM_CPoint(0, 0);
    const FRM_CTreeNodeItem* root = itsTree->GetRoot();
    const CTabSet* tabs = root != nullptr ? root->GetTabSet() : nullptr;
    const float originH = itsTree->GetGlobalOrigin().H();
    if (tabs != nullptr && itsTab > 0 && itsTab - 1 < tabs->GetNTabs()) {
        const float offset = originH + tabs->GetTab(itsTab - 1).GetPosition() - theLocation.H();
        itsOffsetToTab.H(offset);
        // The limits hold for the stop's line, wherever on it the pointer took hold.
        if (itsTab >= 2)
            itsDragBounds.Left(originH + tabs->GetTab(itsTab - 2).GetPosition() + kNeighbourGap -
                               offset);
        if (itsTab < tabs->GetNTabs())
            itsDragBounds.Right(originH + tabs->GetTab(itsTab).GetPosition() - kNeighbourGap -
                                offset);
    }
    const FRM_CUnits* units = itsTree->GetUnits();
    const float margin = units != nullptr ? units->VPhysicalToLogical(kUndoMarginPixels)
                                          : static_cast<float>(kUndoMarginPixels);
    itsUndoBounds = itsDragBounds.GetInflatedRect(margin);
}

FRM_CPoint FRM_CTreeMouseHandler::CoercedPoint(const FRM_CPoint& theLocation) const
{
    if (!itsUndoBounds.IsPointInRect(theLocation))
        return itsOriginalPoint;
    return FRM_CPoint(std::clamp(theLocation.H(), itsDragBounds.Left(),
                                 std::max(itsDragBounds.Left(), itsDragBounds.Right())),
                      std::clamp(theLocation.V(), itsDragBounds.Top(),
                                 std::max(itsDragBounds.Top(), itsDragBounds.Bottom())));
}

void FRM_CTreeMouseHandler::DrawDragLine(const FRM_CPoint& theLocation)
{
    FRM_CDrawingContext context(itsTree);
    FRM_CEnvironment& environment = context.GetEnv();
    environment.SetPen(kBlack, 2, 2, 0);
    environment.SetDrawingMode(2);
    const FRM_CRect clipped = itsTree->GetClippedFrame();
    const float h = theLocation.H() + itsOffsetToTab.H();
    context.DrawLine(FRM_CPoint(h, clipped.Top()), FRM_CPoint(h, clipped.Bottom()));
}
