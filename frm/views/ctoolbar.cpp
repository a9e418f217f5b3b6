// ctoolbar.cpp: the tool bar's rows and groups, edge sizing, panel and menu-button registry.
#include "frm/views/ctoolbar.h"

#include <algorithm>
#include <cfloat>

#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cmenubtn.h"
#include "frm/views/ctbattch.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kAlongItsEdge = 0xFF000000UL;

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CToolBar::FRM_CToolBar(FRM_CSubview* theEnclosure, AutosizeLocation theLocation)
    : FRM_CSubview(theEnclosure, FRM_CRect(0, 0, 1, 1)), itIsAutoSized(1),
      itsAutoSizeLocation(theLocation)
{
    Size(FRM_CRect(0, 0, H(itsSeparatorWidth + 20), V(itsSeparatorWidth + 20)));
    SetGlue(kAlongItsEdge);
}

FRM_CToolBar::FRM_CToolBar(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
    : FRM_CSubview(theEnclosure, theFrame)
{
}

FRM_CToolBar::FRM_CToolBar(const FRM_CToolBar& other)
    : FRM_CSubview(other), itsLightShadowColor(other.itsLightShadowColor),
      itsDarkShadowColor(other.itsDarkShadowColor), itsFlatColor(other.itsFlatColor),
      itsBorderWidth(other.itsBorderWidth), itsSeparatorWidth(other.itsSeparatorWidth)
{
    ArrangeSubviews();
}

// Hand-written: only the looks are copied; the buttons are laid out again.
FRM_CToolBar& FRM_CToolBar::operator=(const FRM_CToolBar& other)
{
    if (this == &other)
        return *this;
    FRM_CSubview::operator=(other);
    IToolBar(other.itsBorderWidth, other.itsSeparatorWidth, other.itsFlatColor,
             other.itsLightShadowColor, other.itsDarkShadowColor);
    ArrangeSubviews();
    return *this;
}

FRM_CToolBar::~FRM_CToolBar()
{
    if (itsAttachment != nullptr)
        itsAttachment->ForgetView(this);
    itsMenuButtons.clear();
}

void FRM_CToolBar::IToolBar(int theBorderWidth, int theSeparatorWidth, unsigned long theFlatColor,
                            unsigned long theLightShadowColor, unsigned long theDarkShadowColor)
{
    itsBorderWidth = theBorderWidth;
    itsSeparatorWidth = theSeparatorWidth;
    itsFlatColor = theFlatColor;
    itsLightShadowColor = theLightShadowColor;
    itsDarkShadowColor = theDarkShadowColor;
}

void FRM_CToolBar::GetSpacingValues(int* theBorderWidth, int* theSeparatorWidth) const
{
    if (theBorderWidth != nullptr)
        *theBorderWidth = itsBorderWidth;
    if (theSeparatorWidth != nullptr)
        *theSeparatorWidth = itsSeparatorWidth;
}

float FRM_CToolBar::H(int thePixels) const
{
    return frm_views::HPixelsToLogical(this, static_cast<float>(thePixels));
}

float FRM_CToolBar::V(int thePixels) const
{
    return frm_views::VPixelsToLogical(this, static_cast<float>(thePixels));
}

// ---------------------------------------------------------------------------------------------
// Separators

void FRM_CToolBar::InsertSeparator(unsigned theIndex)
{
    if (itsSeparators.size() <= theIndex)
        itsSeparators.resize(theIndex + 1, false);
    itsSeparators[theIndex] = true;
}

void FRM_CToolBar::RemoveSeparator(unsigned theIndex)
{
    if (theIndex < itsSeparators.size())
        itsSeparators[theIndex] = false;
}

void FRM_CToolBar::RemoveAllSeparators()
{
    std::fill(itsSeparators.begin(), itsSeparators.end(), false);
}

void FRM_CToolBar::MoveView(unsigned theFrom, unsigned theTo)
{
    const auto count = static_cast<unsigned>(GetNumViews());
    if (count == 0)
        return;
    theFrom = std::min(theFrom, count - 1);
    theTo = std::min(theTo, count - 1);
    RWCollectable* view = itsSubviews->removeAt(theFrom);
    itsSubviews->insertAt(theTo, view);
    if (std::find(itsSeparators.begin(), itsSeparators.end(), true) == itsSeparators.end())
        return;
    if (itsSeparators.size() < count)
        itsSeparators.resize(count, false);
    const unsigned lo = std::min(theFrom, theTo);
    const unsigned hi = std::max(theFrom, theTo);
    if (theTo < theFrom) {
        const bool kept = itsSeparators[hi];
        for (unsigned i = hi; i > lo; --i)
            itsSeparators[i] = itsSeparators[i - 1];
        itsSeparators[lo] = kept;
    } else {
        const bool kept = itsSeparators[lo];
        for (unsigned i = lo; i < hi; ++i)
            itsSeparators[i] = itsSeparators[i + 1];
        itsSeparators[hi] = kept;
    }
}

// ---------------------------------------------------------------------------------------------
// Layout

void FRM_CToolBar::InternalArrangeSubviews(float& theWidth, float& theHeight, short move,
                                           float& theRowWidth)
{
    if (move == 0)
        theRowWidth = 0;
    AppendSeparator();
    const float x0 = H(itsBorderWidth + 1);
    FRM_CPoint position(x0, V(itsBorderWidth + 1));
    float rowBottom = V(itsBorderWidth + 1);
    float rightMost = 0;
    std::size_t rowStart = 0;
    float limit = theWidth != 0 ? theWidth : GetFrame().Width() - H(itsBorderWidth);
    if (itIsAutoSized != 0 &&
        (itsAutoSizeLocation == AL_TOP || itsAutoSizeLocation == AL_BOTTOM))
        limit = FLT_MAX;
    const std::size_t count = static_cast<std::size_t>(GetNumViews());
    std::size_t first = 0;
    while (first < count) {
        std::size_t end = first + 1;
        while (end < count && !IsSeparator(end))
            ++end;
        const float groupTop = position.V();
        for (std::size_t i = first; i < end;) {
            FRM_CView* view = ChildAt(i);
            const FRM_CRect frame = view->GetFrame();
            if (position.H() + frame.Width() <= limit || rowStart == first) {
                if (position.H() + frame.Width() > limit)
                    position = FRM_CPoint(x0, rowBottom);   // a line of its own
                if (move == 0)
                    theRowWidth = std::max(theRowWidth, position.H());
                else
                    view->DoSize(FRM_CRect(position.H(), position.V(),
                                           position.H() + frame.Width(),
                                           position.V() + frame.Height()));
                const FRM_CRect visible = view->GetVisibleFrame();
                position.H(position.H() + visible.Width());
                rightMost = std::max(rightMost, position.H());
                rowBottom = std::max(rowBottom, position.V() + visible.Height());
                ++i;
            } else {
                // The whole group starts again on a new row.
                rowStart = first;
                position = FRM_CPoint(x0, rowBottom + V(itsSeparatorWidth));
                i = first;
            }
        }
        if (position.V() == groupTop || end >= count) {
            position.H(position.H() + H(itsSeparatorWidth));
        } else {
            rowBottom += V(itsSeparatorWidth);
            rowStart = end;
            position = FRM_CPoint(x0, rowBottom);
        }
        first = end;
    }
    theHeight = rowStart == 0 || move == 0 ? rowBottom + V(itsBorderWidth + 1) : 0;
    theWidth = rightMost > limit || move == 0 ? rightMost + H(itsBorderWidth) : 0;
}

void FRM_CToolBar::ArrangeSubviews()
{
    float width = 0;
    float height = 0;
    float rowWidth = 0;
    InternalArrangeSubviews(width, height, 1, rowWidth);
    if (itIsAutoSized == 0 || (width == 0 && height == 0))
        return;
    FRM_CRect frame = GetFrame();
    const FRM_CRect around = GetEnclosure() != nullptr ? GetEnclosure()->GetFrame() : FRM_CRect();
    const float minimum = 2 * V(itsBorderWidth + 1) + 10;
    switch (itsAutoSizeLocation) {
    case AL_TOP:
        if (height != 0)
            frame.Height(std::max(height, minimum));
        break;
    case AL_BOTTOM:
        if (height != 0) {
            const float thickness = std::max(height, minimum);
            frame.Top(around.Height() - thickness);
            frame.Height(thickness);
        }
        break;
    case AL_LEFT:
        if (width != 0)
            frame.Width(width);
        break;
    case AL_RIGHT:
        if (width != 0) {
            frame.Left(around.Width() - width);
            frame.Width(width);
        }
        break;
    default:
        break;
    }
    if (!(frame == GetFrame()))
        FRM_CSubview::DoSize(frame);
}

void FRM_CToolBar::AutoSize()
{
    float width = H(10);
    float height = V(10);
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
        const FRM_CRect visible = ChildAt(i)->GetVisibleFrame();
        width = std::max(width, visible.Width());
        height = std::max(height, visible.Height());
    }
    width += H(2 * itsBorderWidth + 2);
    height += V(2 * itsBorderWidth + 2);
    const FRM_CRect around = GetEnclosure() != nullptr ? GetEnclosure()->GetFrame() : FRM_CRect();
    switch (itsAutoSizeLocation) {
    case AL_TOP:
        FRM_CSubview::DoSize(FRM_CRect(0, 0, around.Width(), height));
        break;
    case AL_BOTTOM:
        FRM_CSubview::DoSize(
            FRM_CRect(0, around.Height() - height, around.Width(), around.Height()));
        break;
    case AL_LEFT:
        FRM_CSubview::DoSize(FRM_CRect(0, 0, width, around.Height()));
        break;
    case AL_RIGHT:
        FRM_CSubview::DoSize(FRM_CRect(around.Width() - width, 0, around.Width(), around.Height()));
        break;
    default:
        break;
    }
}

void FRM_CToolBar::SetAutoSized(short isAutoSized, AutosizeLocation theLocation)
{
    if (isAutoSized != itIsAutoSized || theLocation != itsAutoSizeLocation) {
        itIsAutoSized = isAutoSized;
        itsAutoSizeLocation = theLocation;
        if (IsPinnedToAnEdge()) {
            AutoSize();
            if (GetGlue() == 0)
                SetGlue(kAlongItsEdge);
        }
    }
    SetSizing(IsSizable());
    SetDragging(IsDraggable());
}

void FRM_CToolBar::DoSize(const FRM_CRect& theFrame)
{
    const FRM_CRect before = GetFrame();
    // A docked bar is placed by its attachment's window.
    if (itIsAutoSized != 0 && itsAttachment == nullptr)
        AutoSize();
    else
        FRM_CSubview::DoSize(theFrame);
    const FRM_CRect after = GetFrame();
    if (after.Width() != before.Width() || after.Height() != before.Height())
        ArrangeSubviews();
}

namespace {

bool DiffersFromCurrentFont(const FRM_CView* theView, const FRM_CFont& theFont)
{
    const FRM_CEnvironment* current = theView->GetEnvironment();
    return current == nullptr || current->GetFont() != theFont;
}

} // namespace

void FRM_CToolBar::DoSetFont(const FRM_CFont& theFont, short isShared)
{
    const bool changed = DiffersFromCurrentFont(this, theFont);
    FRM_CSubview::DoSetFont(theFont, isShared);
    if (changed)
        InvalidateAttachmentSizes();
    ArrangeSubviews();
}

void FRM_CToolBar::DoSetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    const bool changed = DiffersFromCurrentFont(this, theEnvironment.GetFont());
    FRM_CSubview::DoSetEnvironment(theEnvironment, isShared);
    if (changed)
        InvalidateAttachmentSizes();
    ArrangeSubviews();
}

void FRM_CToolBar::InvalidateAttachmentSizes()
{
    if (itsAttachment != nullptr)
        itsAttachment->InvalidateSizes();
}

void FRM_CToolBar::SetDragging(short isOn)
{
    FRM_CSubview::SetDragging(IsPinnedToAnEdge() ? 0 : isOn);
}

void FRM_CToolBar::SetSizing(short isOn)
{
    FRM_CSubview::SetSizing(IsPinnedToAnEdge() ? 0 : isOn);
}

// ---------------------------------------------------------------------------------------------
// Menu buttons

void FRM_CToolBar::AddSubview(FRM_CView* theView)
{
    FRM_CSubview::AddSubview(theView);
    InvalidateAttachmentSizes();
    if (auto* button = FrmCast<FRM_CMenuButton>(theView))
        InsertMenuButton(button->GetMenuTag(), button);
}

void FRM_CToolBar::RemoveSubview(FRM_CView* theView)
{
    FRM_CSubview::RemoveSubview(theView);
    InvalidateAttachmentSizes();
    if (const auto* button = FrmCast<FRM_CMenuButton>(theView))
        RemoveMenuButton(button);
}

void FRM_CToolBar::InsertMenuButton(short theTag, FRM_CMenuButton* theButton)
{
    itsMenuButtons.emplace(theTag, theButton);
}

void FRM_CToolBar::RemoveMenuButton(const FRM_CMenuButton* theButton)
{
    itsMenuButtons.erase(theButton->GetMenuTag());
}

FRM_CMenuButton* FRM_CToolBar::GetMenuButton(short theTag) const
{
    const auto found = itsMenuButtons.find(theTag);
    return found != itsMenuButtons.end() ? found->second : nullptr;
}

void FRM_CToolBar::UpdateMenuButtons()
{
    for (const auto& entry : itsMenuButtons)
        entry.second->SyncWithMenu();
}

void FRM_CToolBar::UpdateMenuButton(short theTag)
{
    if (FRM_CMenuButton* button = GetMenuButton(theTag))
        button->SyncWithMenu();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CToolBar::Draw(const FRM_CRect& theClip)
{
    if (itsBorderWidth == 0)
        return;
    FRM_CDrawingContext context(this);
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    FRM_CEnvironment& environment = context.GetEnv();
    environment.IEnvironment(itsFlatColor, FRM_CEnvironment::kBlack, itsFlatColor, PAT_SOLID,
                             itsFlatColor, PAT_SOLID, 1,
                             library != nullptr ? library->GetSTDFont()
                                                : FRM_CEnvironment::DefaultFont(),
                             M_COPY, P_SOLID, 0, FRM_CEnvironment::kWhite,
                             FRM_CEnvironment::kBlack, FRM_CEnvironment::kWhite,
                             FRM_CEnvironment::kBlack);
    context.SetEnv(environment);
    const FRM_CRect frame = GetGlobalFrame();
    context.DrawRect(frame);
    context.DrawOutsetFrame(frame, itsBorderWidth - 1, itsLightShadowColor, itsDarkShadowColor);
    context.SetClip(frm_views::MaxRect());
    FRM_CSubview::Draw(theClip);
}

void FRM_CToolBar::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    FRM_CRect area = theClip;
    if (frm_views::IsMaxRect(area))
        area = GetEnclosure() != nullptr ? GetEnclosure()->GetClippedFrame() : GetClippedFrame();
    if (Prepare(area)) {
        Draw(area);
        area -= GetGlobalFrame().GetInflatedRect(-H(itsBorderWidth + 1), -V(itsBorderWidth + 1));
        if (Prepare(area))
            for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
                FRM_CView* child = ChildAt(i);
                child->DoDraw(area - child->GetClippedFrame());
            }
    }
    vko_dwin_set_clip(GetVKOWindow(), nullptr);
}
