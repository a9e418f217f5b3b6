// ctreevw.cpp: the tree view: attribute sharing, geometry from composite heights, drawing
// that skips subtrees outside the clip, selection and focus with their events, keys and
// vertical scrolling by rows. Also the mouse form of the tree event.
#include "frm/controls/ctreevw.h"

#include <algorithm>
#include <cmath>

#include "frm/controls/ctexttab.h"
#include "frm/controls/ctreemh.h"
#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/interaction/cmouse.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cimage.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kAllOnes = 0xFFFFFFFFul;
constexpr unsigned long kWhite = 0x0BFFFFFFul;
constexpr unsigned long kBlack = 0x07000000ul;
constexpr unsigned long kSelectBlue = 0x030000FFul;
constexpr std::uint16_t kEnter = 13;
constexpr e_pat kPatternNone = 0;
constexpr e_pen_style kPenDotted = 1;

const FRM_CImage* ImageOf(const FRM_CTreeItem& theItem)
{
    if (theItem.IsTerminal())
        return theItem.GetImage();
    const auto& node = static_cast<const FRM_CTreeNodeItem&>(theItem);
    return node.IsCollapsed() ? node.GetCollapsedImage() : node.GetExpandedImage();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Tree events from the mouse

FRM_CTreeEvent::FRM_CTreeEvent(EventType theType, FRM_CTreeView* theTree,
                               const FRM_CPoint& thePoint, short theButton, short isShift,
                               short isControl)
    : itsType(theType), itsTree(theTree), itsPoint(thePoint), itsButton(theButton),
      itsIsShift(isShift), itsIsControl(isControl)
{
    if (theTree == nullptr)
        return;
    itsTreeItem = theType == TitleMouseClick ? theTree->GetRoot() : theTree->PointToItem(thePoint);
    const CTabSet* tabs = itsTreeItem != nullptr ? itsTreeItem->GetTabSet() : nullptr;
    if (tabs == nullptr)
        return;
    FRM_CDrawingContext context(theTree);
    context.GetEnv().SetFont(itsTreeItem->GetFont());
    itsTabHit = tabs->PointToTab(thePoint, *theTree, context, theTree->GetGlobalOrigin(),
                                 itsTreeItem->GetString());
}

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CTreeView::FRM_CTreeView(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion)
    : FRM_CScroller(theEnclosure, theRegion, 0, 0)
{
}

FRM_CTreeView::~FRM_CTreeView()
{
    // The items' user data goes while the view can still say it owns it; then the items go
    // without telling a view that is going too.
    if (itsDeleteUserData && itsRoot != nullptr)
        DeleteUserData(itsRoot.get());
    for (const auto& attributes : itsAttributeList)
        attributes->SetView(nullptr);
    itsSelection.clear();
    itsFocusItem = nullptr;
    itsRoot.reset();
    // The handler leaves its managers by itself (the window may be going already).
    itsMouseHandler.reset();
}

void FRM_CTreeView::DeleteUserData(FRM_CTreeItem* theItem)
{
    for (unsigned i = 0; i < theItem->GetNChildren(); ++i)
        DeleteUserData(theItem->GetChild(i));
    theItem->SetUserData(nullptr);
}

short FRM_CTreeView::ITreeView(const FRM_CTreeSource* theSource, unsigned long theColor,
                               const FRM_CFont& theFont, float theHeight, float theIndent,
                               const FRM_CImage* theImage, const FRM_CImage* theCollapsedImage,
                               const FRM_CImage* theExpandedImage, const CTabSet* theTabSet,
                               short hasHorizontalScrollBar, short hasVerticalScrollBar,
                               short isThumbTracking, float theLineIncrement,
                               float thePageIncrement, short isVisible, unsigned long theGlue)
{
    FRM_CFont font(theFont);
    if (!font.IsMapped())
        font.Map(GetCWindow());
    const FRM_CTreeAttributes* attributes =
        GetAttributes(theColor, font, theHeight, theIndent, theImage, theCollapsedImage,
                      theExpandedImage, theTabSet, theSource);
    itsSelection.clear();
    itsFocusItem = nullptr;
    itsRoot.reset(CreateNode(nullptr, attributes));
    FRM_CMouseManager* manager =
        GetCWindow() != nullptr ? GetCWindow()->GetMouseManager() : nullptr;
    itsMouseHandler.reset(CreateMouseHandler());
    if (itsMouseHandler != nullptr && manager != nullptr)
        manager->RegisterMouseHandler(itsMouseHandler.get(), 1);
    return IScroller(hasHorizontalScrollBar, hasVerticalScrollBar, isThumbTracking,
                     theLineIncrement, thePageIncrement, isVisible, theGlue);
}

FRM_CTreeItem* FRM_CTreeView::CreateTerminal(FRM_CTreeNodeItem* theParent,
                                             const FRM_CTreeAttributes* theAttributes)
{
    return new FRM_CTreeItem(theParent, theAttributes);
}

FRM_CTreeNodeItem* FRM_CTreeView::CreateNode(FRM_CTreeNodeItem* theParent,
                                             const FRM_CTreeAttributes* theAttributes)
{
    return new FRM_CTreeNodeItem(theParent, theAttributes);
}

FRM_CTreeMouseHandler* FRM_CTreeView::CreateMouseHandler()
{
    return new FRM_CTreeMouseHandler(this);
}

float FRM_CTreeView::ToLogicalV(int thePixels) const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->VPhysicalToLogical(thePixels) : static_cast<float>(thePixels);
}

float FRM_CTreeView::ToLogicalH(int thePixels) const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->HPhysicalToLogical(thePixels) : static_cast<float>(thePixels);
}

float FRM_CTreeView::TextWidth(const FRM_CFont& theFont, const FRM_CStringRW& theText) const
{
    if (theFont.IsMapped())
        return ToLogicalH(static_cast<int>(theFont.GetTextWidth(theText)));
    FRM_CFont mapped(theFont);
    mapped.Map(GetCWindow());
    return ToLogicalH(static_cast<int>(mapped.GetTextWidth(theText)));
}

const FRM_CTreeAttributes* FRM_CTreeView::GetAttributes(
    unsigned long theColor, const FRM_CFont& theFont, float theHeight, float theIndent,
    const FRM_CImage* theImage, const FRM_CImage* theCollapsedImage,
    const FRM_CImage* theExpandedImage, const CTabSet* theTabSet, const FRM_CTreeSource* theSource)
{
    if (theHeight == FRM_CTreeItem::kBestHeight || theIndent == FRM_CTreeItem::kBestIndent) {
        FRM_CFont font(theFont);
        if (!font.IsMapped())
            font.Map(GetCWindow());
        int leading = 0, ascent = 0, descent = 0;
        font.GetMetrics(&leading, &ascent, &descent);
        if (theHeight == FRM_CTreeItem::kBestHeight) {
            float height = ToLogicalV(ascent);
            for (const FRM_CImage* image : {theImage, theCollapsedImage, theExpandedImage})
                if (image != nullptr)
                    height = std::max(height, static_cast<float>(image->GetHeight()));
            theHeight = height + ToLogicalV(descent) + ToLogicalV(leading) + 2;
        }
        if (theIndent == FRM_CTreeItem::kBestIndent)
            theIndent = 4 * TextWidth(font, FRM_CStringRW(" "));
    }
    const FRM_CTreeAttributes wanted(theColor, theFont, theHeight, theIndent, theImage,
                                     theCollapsedImage, theExpandedImage, theTabSet, theSource);
    for (const auto& attributes : itsAttributeList)
        if (*attributes == wanted)
            return attributes.get();
    itsAttributeList.push_back(std::make_unique<FRM_CTreeAttributes>(wanted));
    itsAttributeList.back()->SetView(this);
    return itsAttributeList.back().get();
}

// ---------------------------------------------------------------------------------------------
// Title and geometry

void FRM_CTreeView::SetTitleString(const FRM_CStringRW& theTitle, unsigned long theTitleColor,
                                   const FRM_CFont& theFont)
{
    itsTitle = theTitle;
    itsTitleColor = theTitleColor;
    itsTitleFont = theFont;
    if (!itsTitleFont.IsMapped())
        itsTitleFont.Map(GetCWindow());
}

float FRM_CTreeView::TitleHeight() const
{
    if (itsTitle.isNull())
        return 0;
    return ToLogicalV(itsTitleFont.GetHeight()) + kTopMargin + 2;
}

FRM_CRect FRM_CTreeView::GetTitleRect() const
{
    FRM_CRect rect = GetGlobalFrame();
    rect.Height(TitleHeight());
    return rect;
}

float FRM_CTreeView::HiddenRootHeight() const
{
    return itsDrawRoot || itsRoot == nullptr ? 0 : itsRoot->GetHeight();
}

FRM_CRect FRM_CTreeView::ItemToRect(const FRM_CTreeItem* theItem, short theRecurse) const
{
    if (theItem == nullptr)
        return FRM_CRect();
    const FRM_CPoint origin = GetGlobalOrigin();
    float top = origin.V() + kTopMargin + TitleHeight() - HiddenRootHeight();
    if (const FRM_CTreeNodeItem* parent = theItem->GetParent())
        top += parent->ChildToOffset(theItem);
    const float height = theRecurse ? theItem->GetCompositeHeight() : theItem->GetHeight();
    return FRM_CRect(origin.H(), top, GetGlobalFrame().Right(), top + height);
}

const FRM_CTreeItem* FRM_CTreeView::RowAt(float theOffset) const
{
    if (itsRoot == nullptr)
        return nullptr;
    const FRM_CTreeItem* item = itsRoot->OffsetToChild(theOffset + HiddenRootHeight());
    // The hidden root's row is not a row of the view.
    return item == itsRoot.get() && !itsDrawRoot ? nullptr : item;
}

float FRM_CTreeView::RowsTop() const
{
    return GetGlobalOrigin().V() + kTopMargin + TitleHeight();
}

const FRM_CTreeItem* FRM_CTreeView::PointToItem(const FRM_CPoint& thePoint) const
{
    return RowAt(thePoint.V() - RowsTop());
}

FRM_CTreeItem* FRM_CTreeView::PointToItem(const FRM_CPoint& thePoint)
{
    return const_cast<FRM_CTreeItem*>(
        static_cast<const FRM_CTreeView*>(this)->PointToItem(thePoint));
}

const FRM_CTreeItem* FRM_CTreeView::TopItem() const
{
    // The row 2 units below the top of the item area.
    return RowAt(-GetScrollingOrigin().V());
}

FRM_CTreeItem* FRM_CTreeView::TopItem()
{
    return const_cast<FRM_CTreeItem*>(static_cast<const FRM_CTreeView*>(this)->TopItem());
}

FRM_CRect FRM_CTreeView::ToLocal(const FRM_CRect& theGlobal) const
{
    const FRM_CPoint origin = GetGlobalOrigin();
    return theGlobal + FRM_CPoint(-origin.H(), -origin.V());
}

void FRM_CTreeView::InvalidateItem(const FRM_CTreeItem* theItem, short theRecurse)
{
    if (theItem != nullptr)
        Invalidate(ToLocal(ItemToRect(theItem, theRecurse)));
}

FRM_CRect FRM_CTreeView::GetInnerFrame() const
{
    FRM_CRect inner =
        UsesWindowScrollBars() == 0 ? FRM_CScroller::GetInnerFrame() : GetGlobalFrame();
    inner.Top(inner.Top() + TitleHeight());
    return inner;
}

FRM_CRect FRM_CTreeView::GetClippedFrame() const
{
    // The scroller's clipped frame starts below the title (the inner frame does); the title
    // belongs to it except while the rows scroll under it.
    FRM_CRect clipped = FRM_CScroller::GetClippedFrame();
    if (!itIsScrolling && !clipped.IsEmpty()) {
        clipped.Top(clipped.Top() - TitleHeight());
        if (itsEnclosure != nullptr)
            clipped -= itsEnclosure->GetClippedFrame();
    }
    return clipped;
}

// ---------------------------------------------------------------------------------------------
// Selection and focus

void FRM_CTreeView::SendEvent(FRM_CTreeEvent::EventType theType, FRM_CTreeItem* theItem)
{
    FRM_CTreeEvent event(theType, this, theItem);
    DoCommand(kTreeEventCommand, &event);
}

short FRM_CTreeView::SelectionContains(const FRM_CTreeItem* theItem) const
{
    return std::find(itsSelection.begin(), itsSelection.end(), theItem) != itsSelection.end() ? 1
                                                                                              : 0;
}

void FRM_CTreeView::SetSelection(const std::vector<FRM_CTreeItem*>& theSelection, short theUpdate)
{
    ClearSelection(theUpdate);
    for (FRM_CTreeItem* item : theSelection)
        if (item != nullptr && !SelectionContains(item))
            itsSelection.push_back(item);
    InvalidateSelection();
    SendEvent(FRM_CTreeEvent::SelectionChanged, nullptr);
}

void FRM_CTreeView::AddToSelection(FRM_CTreeItem* theItem, short theUpdate)
{
    if (theItem == nullptr || SelectionContains(theItem))
        return;
    itsSelection.push_back(theItem);
    if (theUpdate)
        InvalidateItem(theItem, 0);
    SendEvent(FRM_CTreeEvent::SelectionChanged, theItem);
}

void FRM_CTreeView::RemoveFromSelection(FRM_CTreeItem* theItem, short theUpdate)
{
    itsSelection.erase(std::remove(itsSelection.begin(), itsSelection.end(), theItem),
                       itsSelection.end());
    if (theUpdate && theItem != nullptr)
        InvalidateItem(theItem, 0);
    SendEvent(FRM_CTreeEvent::SelectionChanged, theItem);
}

void FRM_CTreeView::InvalidateSelection()
{
    if (itsSelection.empty())
        return;
    FRM_CDrawingContext context(this);
    for (const FRM_CTreeItem* item : itsSelection)
        context.QueueInvalidate(ItemToRect(item, 0));
    context.FlushInvalidate();
}

void FRM_CTreeView::ClearSelection(short theUpdate)
{
    if (theUpdate)
        InvalidateSelection();
    itsSelection.clear();
    SendEvent(FRM_CTreeEvent::SelectionChanged, nullptr);
}

void FRM_CTreeView::SetFocusItem(FRM_CTreeItem* theItem, short theUpdate)
{
    if (theItem == itsFocusItem)
        return;
    SendEvent(FRM_CTreeEvent::FocusOut, itsFocusItem);
    if (theUpdate) {
        FRM_CDrawingContext context(this);
        if (itsFocusItem != nullptr)
            context.QueueInvalidate(ItemToRect(itsFocusItem, 0));
        if (theItem != nullptr)
            context.QueueInvalidate(ItemToRect(theItem, 0));
        itsFocusItem = theItem;
        context.FlushInvalidate();
    }
    itsFocusItem = theItem;
    SendEvent(FRM_CTreeEvent::FocusIn, theItem);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CTreeView::Draw(const FRM_CRect& theClip)
{
    FRM_CScroller::Draw(theClip);
    if (itsRoot == nullptr)
        return;
    // The scroller leaves the clip at its inner frame, which is below the title.
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const s_rct whole = static_cast<s_rct>(theClip);
    vko_dwin_set_clip(GetVKOWindow(), &whole);
    const FRM_CRect clip = DrawTitle(theClip);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const s_rct pixels = static_cast<s_rct>(clip);
    vko_dwin_set_clip(GetVKOWindow(), &pixels);
    const FRM_CPoint origin = GetGlobalOrigin();
    itsLine = origin.V() + kTopMargin + TitleHeight();
    itsIndent = origin.H() + kLeftMargin;
    if (itsDrawRoot) {
        FRM_CDrawingContext context(this);
        DrawItem(itsRoot.get(), context, clip);
    } else {
        for (unsigned i = 0; i < itsRoot->GetNVisibleChildren(); ++i) {
            FRM_CDrawingContext context(this);
            DrawItem(itsRoot->GetChild(i), context, clip);
        }
    }
    const float width = itsMaxItemLength;
    const float height = TitleHeight() + itsRoot->GetCompositeHeight() + 2;
    const FRM_CRect virtualFrame = GetVirtualFrame();
    if (virtualFrame.Width() != width || virtualFrame.Height() != height) {
        SetVirtualFrame(width, height);
        AdjustScrollBars();
    }
}

void FRM_CTreeView::DrawItem(FRM_CTreeItem* theItem, FRM_CDrawingContext& theContext,
                             const FRM_CRect& theClip)
{
    const float composite = theItem->GetCompositeHeight();
    // Whole subtrees outside the clip are passed over by their height.
    if (itsLine + composite <= theClip.Top() || itsLine >= theClip.Bottom()) {
        itsLine += composite;
        return;
    }
    theContext.GetEnv().SetFont(theItem->GetFont());
    theContext.GetEnv().SetForegroundColor(theItem->GetColor(), kAllOnes);
    DrawSingleItem(theItem, theContext, theClip);
    itsIndent += theItem->GetIndent();
    for (unsigned i = 0; i < theItem->GetNVisibleChildren(); ++i)
        DrawItem(theItem->GetChild(i), theContext, theClip);
    itsIndent -= theItem->GetIndent();
}

void FRM_CTreeView::DrawSingleItem(FRM_CTreeItem* theItem, FRM_CDrawingContext& theContext,
                                   const FRM_CRect& theClip)
{
    const FRM_CFont& font = theItem->GetFont();
    int leading = 0, ascent = 0, descent = 0;
    font.GetMetrics(&leading, &ascent, &descent);
    const FRM_CPoint start(itsIndent,
                           itsLine + theItem->GetHeight() - ToLogicalV(descent + 1 + leading));
    const FRM_CPoint textStart = DrawImagePart(start, theItem, theContext, theClip);
    const float lengthSoFar = textStart.H();
    theContext.GetEnv().SetFont(font);
    const FRM_CStringRW text = theItem->GetString();
    const CTabSet* tabs = theItem->GetTabSet();
    const FRM_CPoint tabOrigin(GetGlobalOrigin().H() + 2, 0);
    const float textWidth =
        tabs == nullptr
            ? TextWidth(font, text)
            : tabs->StringExtent(textStart, *this, theContext, tabOrigin, text) - textStart.H();
    DrawSelectionPart(textStart, textWidth, theItem, theClip);
    if (SelectionContains(theItem))
        theContext.GetEnv().SetForegroundColor(kWhite, kAllOnes);
    if (tabs == nullptr)
        theContext.DrawText(text, textStart);
    else
        tabs->DrawString(textStart, *this, theContext, tabOrigin, text);
    if (SelectionContains(theItem))
        theContext.GetEnv().SetForegroundColor(theItem->GetColor(), kAllOnes);
    const float length = lengthSoFar + textWidth + 4 - GetGlobalOrigin().H();
    DrawTreePart(theItem, theClip);
    itsMaxItemLength = std::max(itsMaxItemLength, length);
    itsLine += theItem->GetHeight();
}

FRM_CPoint FRM_CTreeView::DrawImagePart(const FRM_CPoint& theStart, FRM_CTreeItem* theItem,
                                        FRM_CDrawingContext& theContext, const FRM_CRect&)
{
    const FRM_CImage* image = ImageOf(*theItem);
    if (image == nullptr)
        return theStart;
    const auto width = static_cast<float>(image->GetWidth());
    const auto height = static_cast<float>(image->GetHeight());
    theContext.DrawImage(
        *image, FRM_CRect(0, 0, width, height),
        FRM_CRect(theStart.H(), theStart.V() - height, theStart.H() + width, theStart.V()));
    return FRM_CPoint(theStart.H() + width + kTextMargin, theStart.V());
}

void FRM_CTreeView::DrawSelectionPart(const FRM_CPoint& theStart, float theTextLength,
                                      FRM_CTreeItem* theItem, const FRM_CRect&)
{
    FRM_CRect bounds(theStart.H() - 4, itsLine, theStart.H() + theTextLength + 4,
                     itsLine + theItem->GetHeight());
    FRM_CDrawingContext context(this);
    FRM_CEnvironment& environment = context.GetEnv();
    if (!SelectionContains(theItem)) {
        // The row the keys are on shows a dotted frame while the tree has the keys, selected
        // or not: reached by Tab, the tree shows where the arrows start.
        const FRM_CSubview* enclosure = GetEnclosure();
        if (theItem != itsFocusItem || enclosure == nullptr || enclosure->GetKeyFocus() != this)
            return;
        environment.SetBrushPattern(PAT_HOLLOW);
        environment.SetPenStyle(kPenDotted);
        environment.SetPenPattern(2);
        environment.SetPenColor(theItem->GetColor(), kBlack);
        context.DrawRect(bounds);
        return;
    }
    environment.SetSelectColor(kSelectBlue);
    environment.SetBrushColor(kSelectBlue, kWhite);
    environment.SetPenColor(kSelectBlue, kBlack);
    environment.SetPenPattern(kPatternNone);
    if (theItem == itsFocusItem) {
        context.DrawRect(bounds.GetInflatedRect(-1));
        environment.SetPenStyle(kPenDotted);
        environment.SetPenPattern(2);
        environment.SetPenColor(theItem->GetColor(), kBlack);
    }
    context.DrawRect(bounds);
}

void FRM_CTreeView::DrawTreePart(FRM_CTreeItem* theItem, const FRM_CRect&)
{
    if (itsStyle == StyleNone)
        return;
    FRM_CDrawingContext context(this);
    context.GetEnv().SetForegroundColor(theItem->GetColor(), kAllOnes);
    context.GetEnv().SetPenColor(theItem->GetColor(), kBlack);
    const float row = theItem->GetHeight();
    const FRM_CTreeNodeItem* parent = theItem->GetParent();
    if (parent != nullptr && (itsDrawRoot || parent != itsRoot.get())) {
        const float middle = itsLine + row / 2;
        const FRM_CPoint trunk(itsIndent - parent->GetIndent() / 2,
                               itsStyle == StyleSlant ? itsLine : middle);
        context.DrawLine(trunk, FRM_CPoint(itsIndent - 3, middle));
    }
    const unsigned visible = theItem->GetNVisibleChildren();
    if (visible > 0) {
        const FRM_CTreeItem* last = theItem->GetChild(visible - 1);
        float end = itsLine + theItem->GetCompositeHeight() - last->GetCompositeHeight();
        if (itsStyle != StyleSlant)
            end += last->GetHeight() / 2;
        const float h = itsIndent + theItem->GetIndent() / 2;
        context.DrawLine(FRM_CPoint(h, itsLine + row + 1), FRM_CPoint(h, end));
    }
}

FRM_CRect FRM_CTreeView::DrawTitle(const FRM_CRect& theClip)
{
    const FRM_CRect title = GetTitleRect();
    if (itsTitle.isNull())
        return theClip;
    if (!(title & theClip).IsEmpty()) {
        FRM_CDrawingContext context(this);
        context.GetEnv().SetFont(itsTitleFont);
        context.GetEnv().SetForegroundColor(itsTitleColor, kAllOnes);
        int leading = 0, ascent = 0, descent = 0;
        itsTitleFont.GetMetrics(&leading, &ascent, &descent);
        const FRM_CRect frame = GetGlobalFrame();
        const FRM_CPoint start(frame.Left() + 2, title.Bottom() - ToLogicalV(descent) - 2);
        const CTabSet* tabs = itsRoot != nullptr ? itsRoot->GetTabSet() : nullptr;
        const FRM_CPoint tabOrigin(GetGlobalOrigin().H() + 2, 0);
        float width = 0;
        if (tabs != nullptr) {
            width = tabs->StringExtent(start, *this, context, tabOrigin, itsTitle) - start.H();
            tabs->DrawString(start, *this, context, tabOrigin, itsTitle);
        } else {
            width = TextWidth(itsTitleFont, itsTitle);
            context.DrawText(itsTitle, start);
        }
        itsMaxItemLength = std::max(itsMaxItemLength, kLeftMargin + width + 4);
        context.DrawLine(FRM_CPoint(frame.Left(), title.Bottom() - 1),
                         FRM_CPoint(frame.Right(), title.Bottom() - 1));
    }
    FRM_CRect rows = theClip;
    rows.Top(std::min(std::max(theClip.Top(), title.Bottom()), theClip.Bottom()));
    return rows;
}

// ---------------------------------------------------------------------------------------------
// Keys

void FRM_CTreeView::Key(const FRM_CKey& theKey)
{
    FRM_CTreeItem* focus = itsFocusItem;
    const std::uint16_t code = theKey.GetChar();
    if (focus == nullptr) {
        FRM_CScroller::Key(theKey);
        return;
    }
    if (!theKey.IsVirtualKey() && code == kEnter) {
        if (focus->IsTerminal())
            return;
        const bool expand = focus->GetNVisibleChildren() == 0;
        if (expand)
            focus->Expand(itsExpansionPolicy == ExpandAll || theKey.IsShifted(), 0);
        else
            focus->Collapse(itsExpansionPolicy != ExpandRestore);
        SendEvent(expand ? FRM_CTreeEvent::Expand : FRM_CTreeEvent::Collapse, focus);
        FRM_CRect area = ItemToRect(focus, 0);
        area.Height(GetFrame().Height());
        Invalidate(ToLocal(area));
        return;
    }
    if (!theKey.IsVirtualKey() || code < VKO_KEY_UP || code > VKO_KEY_LEFT) {
        FRM_CScroller::Key(theKey);
        return;
    }
    const FRM_CRect row = ItemToRect(focus, 0);
    FRM_CTreeItem* candidate = focus;
    switch (code) {
    case VKO_KEY_UP:
        candidate = PointToItem(FRM_CPoint(row.Left(), row.Top() - 2));
        break;
    case VKO_KEY_DOWN:
        candidate = PointToItem(FRM_CPoint(row.Left(), row.Bottom() + 2));
        break;
    case VKO_KEY_RIGHT:
        candidate = focus->GetNVisibleChildren() > 0 ? focus->GetChild(0) : nullptr;
        break;
    default:
        // The hidden root is not a row to move to.
        candidate = focus->GetParent();
        if (candidate == itsRoot.get() && !itsDrawRoot)
            candidate = nullptr;
        break;
    }
    if (candidate == nullptr)
        candidate = focus;
    if (!SelectionContains(candidate)) {
        if (itsPolicy == SelectOne) {
            ClearSelection(1);
            AddToSelection(candidate, 1);
        } else if (itsPolicy == SelectMany) {
            if (!theKey.IsCtrl() && !theKey.IsShifted())
                ClearSelection(1);
            AddToSelection(candidate, 1);
        }
    }
    SetFocusItem(candidate, 1);
    MakeItemVisible(candidate);
}

// ---------------------------------------------------------------------------------------------
// Scrolling

float FRM_CTreeView::LowestOrigin() const
{
    return std::min(0.0f, GetInnerFrame().Height() - GetVirtualFrame().Height());
}

void FRM_CTreeView::HScroll(e_scroll_ctl theAction, float thePosition)
{
    FRM_CScroller::HScroll(theAction, thePosition);
}

void FRM_CTreeView::VScroll(e_scroll_ctl theAction, float thePosition)
{
    const FRM_NScrollBar* bar = GetVScrollBar();
    const float line = bar != nullptr ? bar->GetLineIncrement() : 0;
    const float page = bar != nullptr ? bar->GetPageIncrement() : 0;
    const FRM_CPoint current = GetScrollingOrigin();
    float origin = current.V();
    const FRM_CTreeItem* top = TopItem();
    switch (theAction) {
    case SC_LINE_UP:
        // Into the row above, to which the alignment below snaps.
        origin += top != nullptr ? 4 : line;
        break;
    case SC_LINE_DOWN:
        origin -= top != nullptr ? top->GetHeight() : line;
        break;
    case SC_PAGE_UP:
        origin += page;
        break;
    case SC_PAGE_DOWN:
        origin -= page;
        break;
    case SC_THUMBTRACK:
        if (!IsThumbtracking())
            return;
        origin = -thePosition;
        break;
    case SC_THUMB:
        origin = -thePosition;
        break;
    default:
        return;
    }
    const float lowest = LowestOrigin();
    origin = std::max(lowest, std::min(0.0f, origin));
    if (origin == current.V())
        return;
    // The row at the new top starts exactly at the top of the item area.
    if (const FRM_CTreeItem* newTop = RowAt(-origin); newTop != nullptr && origin != lowest) {
        const float rowTop = ItemToRect(newTop, 0).Top() - RowsTop();
        origin = rowTop > 0 ? std::max(lowest, -(rowTop + kTopMargin)) : 0.0f;
    }
    vko_dwin_update(GetVKOWindow());
    ScrollViews(FRM_CPoint(current.H(), origin));
    AdjustScrollBars();
    if (FRM_NScrollBar* vertical = GetVScrollBar())
        if (const FRM_CTreeItem* nowTop = TopItem())
            vertical->SetIncrements(nowTop->GetHeight(), vertical->GetPageIncrement());
}

void FRM_CTreeView::MakeItemVisible(const FRM_CTreeItem* theItem)
{
    if (theItem == nullptr)
        return;
    const FRM_CRect inner = GetInnerFrame().GetGlobal(GetEnclosure());
    const FRM_CRect row = ItemToRect(theItem, 0);
    float offset = 0;
    if (row.Top() < inner.Top())
        offset = inner.Top() - row.Top();
    else if (row.Bottom() > inner.Bottom())
        offset = inner.Bottom() - row.Bottom();
    if (offset == 0)
        return;
    const FRM_CPoint current = GetScrollingOrigin();
    const float origin = std::trunc(std::max(LowestOrigin(), std::min(0.0f, current.V() + offset)));
    if (origin == current.V())
        return;
    vko_dwin_update(GetVKOWindow());
    ScrollViews(FRM_CPoint(current.H(), origin));
    AdjustScrollBars();
}

void FRM_CTreeView::ScrollViews(const FRM_CPoint& theNewOrigin)
{
    const FRM_CPoint current = GetScrollingOrigin();
    if (theNewOrigin.V() != current.V()) {
        itIsScrolling = 1;
        FRM_CScroller::ScrollViews(FRM_CPoint(current.H(), theNewOrigin.V()));
        itIsScrolling = 0;
    }
    if (theNewOrigin.H() != current.H())
        FRM_CScroller::ScrollViews(theNewOrigin);
}
