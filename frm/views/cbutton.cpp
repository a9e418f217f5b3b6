// cbutton.cpp: the owner-drawn button: mouse and key tracking, toggling, and the face with
// its bevels drawn rectangle by rectangle in the button's colours.
#include "frm/core/ccmdnums.h"
#include "frm/views/cbutton.h"

#include <initializer_list>

#include "frm/core/cunits.h"
#include "frm/core/ctdivalue.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/core/cfactmgr.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cimage.h"
#include "frm/views/cpicture.h"
#include "frm/views/ctext.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::uint16_t kEnter = 13;
constexpr std::uint16_t kSpace = 32;
constexpr e_pat kHollow = 1;
constexpr e_pat kSolid = 2;

FRM_CText* MakeText(FRM_CSubview* theButton, const FRM_CStringRW& theTitle)
{
    if (CViewFactory* factory = CViewFactory::GetTop())
        if (FRM_CText* made = factory->ConstructCText(theButton, FRM_CPoint(0, 0), theTitle))
            return made;
    return new FRM_CText(theButton, FRM_CPoint(0, 0), theTitle);
}

FRM_CPicture* MakePicture(FRM_CSubview* theButton, const FRM_CImage& theImage)
{
    if (CViewFactory* factory = CViewFactory::GetTop())
        if (FRM_CPicture* made = factory->ConstructCPicture(theButton, FRM_CPoint(0, 0), theImage))
            return made;
    return new FRM_CPicture(theButton, FRM_CPoint(0, 0), theImage);
}

const FRM_CFont& StandardFont()
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    return library != nullptr ? library->GetSTDFont() : FRM_CEnvironment::DefaultFont();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CButton::FRM_CButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                         short isTogglable)
    : FRM_CSubview(theEnclosure, theFrame)
{
    InitDefaults(isTogglable);
}

FRM_CButton::FRM_CButton(FRM_CSubview* theEnclosure, const FRM_CPoint& theWhere,
                         const FRM_CStringRW& theTitle, short isTogglable)
    : FRM_CSubview(theEnclosure, FRM_CRect(theWhere.H(), theWhere.V(), theWhere.H() + 1,
                                           theWhere.V() + 1))
{
    InitDefaults(isTogglable);
    FRM_CView::SetTitle(theTitle);
    FRM_CText* text = MakeText(this, theTitle);
    text->SetOpaque(0);   // the title lies on the face
    FitAround(text, theWhere);
}

FRM_CButton::FRM_CButton(FRM_CSubview* theEnclosure, const FRM_CPoint& theWhere,
                         const FRM_CImage& theImage, short isTogglable)
    : FRM_CSubview(theEnclosure, FRM_CRect(theWhere.H(), theWhere.V(), theWhere.H() + 1,
                                           theWhere.V() + 1))
{
    InitDefaults(isTogglable);
    FitAround(MakePicture(this, theImage), theWhere);
    itIsFaceFirst = 0;
}

FRM_CButton::FRM_CButton(const FRM_CButton& other) : FRM_CSubview(other)
{
    CopyInternals(other);
}

// Hand-written: tracking, toggle state and content offset stay with this button's own contents.
FRM_CButton& FRM_CButton::operator=(const FRM_CButton& other)
{
    if (this == &other)
        return *this;
    FRM_CSubview::operator=(other);
    CopyInternals(other);
    return *this;
}

void FRM_CButton::InitDefaults(short isTogglable)
{
    itIsTogglable = isTogglable != 0 ? 1 : 0;
    itsContentOffset = FRM_CPoint(H(GetTopLeftBorderPixels()), V(GetTopLeftBorderPixels()));
}

void FRM_CButton::CopyInternals(const FRM_CButton& other)
{
    itIsTogglable = other.itIsTogglable;
    itsFrameColor = other.itsFrameColor;
    itsHighlightColor = other.itsHighlightColor;
    itsShadowColor = other.itsShadowColor;
    itsFaceColor = other.itsFaceColor;
    itsDownCommand = other.itsDownCommand;
    itsInCommand = other.itsInCommand;
    itsOutCommand = other.itsOutCommand;
}

void FRM_CButton::FitAround(const FRM_CView* theContent, const FRM_CPoint& theWhere)
{
    const FRM_CRect content = theContent->GetFrame();
    Size(FRM_CRect(theWhere.H(), theWhere.V(),
                   theWhere.H() + content.Width() + H(GetBorderPixels()),
                   theWhere.V() + content.Height() + V(GetBorderPixels())));
}

void FRM_CButton::IButton(unsigned long theFrame, unsigned long theHighlight,
                          unsigned long theShadow, unsigned long theFace)
{
    itsFrameColor = theFrame;
    itsHighlightColor = theHighlight;
    itsShadowColor = theShadow;
    itsFaceColor = theFace;
}

void FRM_CButton::SetCommands(long theUp, long theDown, long theIn, long theOut)
{
    SetUpCommand(theUp);
    SetDownCommand(theDown);
    SetInCommand(theIn);
    SetOutCommand(theOut);
}

float FRM_CButton::H(float thePixels) const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->HPhysicalToLogical(static_cast<int>(thePixels)) : thePixels;
}

float FRM_CButton::V(float thePixels) const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->VPhysicalToLogical(static_cast<int>(thePixels)) : thePixels;
}

// ---------------------------------------------------------------------------------------------
// Commands and state

void FRM_CButton::Send(long theCommand)
{
    if (theCommand != kNoCommand)
        DoCommand(theCommand, this);
}

void FRM_CButton::NotifyState()
{
    TdiNotify(kTagState, GetToggleState() == kDown);
}

void FRM_CButton::DoUpAction()
{
    if (itIsIn && itIsTogglable)
        SetToggleState(itsToggleState == kDown ? kUp : kDown);   // moves, redraws, reports
    else if (itIsTogglable)
        NotifyState();
    Send(GetCommand());
}

void FRM_CButton::SetTogglable(short isTogglable)
{
    const short wanted = isTogglable != 0 ? 1 : 0;
    if (wanted == itIsTogglable)
        return;
    itIsTogglable = wanted;
    NotifyState();
    DoDraw(frm_views::MaxRect());
}

void FRM_CButton::SetToggleState(ToggleState theState)
{
    if (!itIsTogglable || theState == itsToggleState)
        return;
    if (itsToggleState == kDown)
        SubviewsDoSetOrigin(-1, -1);
    else if (theState == kDown)
        SubviewsDoSetOrigin(1, 1);
    else
        InternalDoDraw(frm_views::MaxRect());
    itsToggleState = theState;
    InternalDoDraw(frm_views::MaxRect());
    NotifyState();
}

void FRM_CButton::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    const auto* value = FrmCast<const FRM_CTdiValue>(model);
    if (itIsTogglable && controllerId == 0 && command == kTagState && value != nullptr &&
        value->IsConvertible(FRM_CTdiValue::kBoolean)) {
        SetToggleState(value->ToBoolean() ? kDown : kUp);
        return;
    }
    FRM_CSubview::DoUpdateModel(controllerId, command, model);
}

void FRM_CButton::DoCommand(long theCommand, void* theData)
{
    if (theCommand == kEnterCommand || theCommand == kLeaveCommand) {
        const auto* event = static_cast<const EnterLeaveEvent*>(theData);
        if (event != nullptr && event->itsTarget == this) {
            if (theCommand == kEnterCommand)
                DoIn();
            else
                DoOut();
        }
        return;   // another view's crossing is not ours to pass on
    }
    if (theCommand == kCommandReportValue)
        NotifyState();
    FRM_CSubview::DoCommand(theCommand, theData);
}

void FRM_CButton::SetEnabled(short isEnabled, short isRedraw)
{
    if ((isEnabled != 0) != (IsEnabled() != 0)) {
        if (isEnabled)
            Enable();
        else
            Disable();
    }
    if (isRedraw) {
        FRM_CDrawingContext context(this);
        context.InvalidateRect(GetGlobalFrame());
    }
}

void FRM_CButton::SetTitle(const FRM_CStringRW& theTitle)
{
    FRM_CView::SetTitle(theTitle);
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
        if (auto* text = FrmCast<FRM_CText>(ChildAt(i))) {
            text->SetTitle(theTitle);
            return;
        }
}

void FRM_CButton::AddSubview(FRM_CView* theView)
{
    FRM_CSubview::AddSubview(theView);
    if (theView != nullptr)
        theView->SetOrigin(itsContentOffset);
}

void FRM_CButton::SizeToFit()
{
    if (itsSubviews->entries() == 0)
        return;
    FRM_CRect all = ChildAt(0)->GetFrame();
    for (std::size_t i = 1; i < itsSubviews->entries(); ++i)
        all += ChildAt(i)->GetFrame();
    const FRM_CRect before = GetGlobalFrame();
    Size(FRM_CRect(itsFrame.Left(), itsFrame.Top(),
                   itsFrame.Left() + all.Width() + H(GetBorderPixels()),
                   itsFrame.Top() + all.Height() + V(GetBorderPixels())));
    if (all.Left() != 0 || all.Top() != 0) {
        const FRM_CPoint corner(all.Left(), all.Top());
        for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
            FRM_CView* child = ChildAt(i);
            child->DoSize(child->GetFrame() - corner);
        }
    }
    FRM_CDrawingContext context(this);
    context.InvalidateRect(before + GetGlobalFrame());
}

void FRM_CButton::Size(const FRM_CRect& theFrame)
{
    const bool resized =
        theFrame.Width() != itsFrame.Width() || theFrame.Height() != itsFrame.Height();
    if (!itIsFaceFirst && resized && itsSubviews->entries() > 0 &&
        ChildAt(0)->GetGlue() != static_cast<unsigned long>(-1))
        itIsFaceFirst = 1;
    FRM_CView::Size(theFrame);
}

// ---------------------------------------------------------------------------------------------
// Pointer and keys

short FRM_CButton::IsInButton(const FRM_CPoint& thePoint) const
{
    return IsEnabled() && GetLocalFrame().IsPointInRect(thePoint) ? 1 : 0;
}

void FRM_CButton::MouseDown(FRM_CPoint, short, short, short)
{
    Activate();
    itIsPressed = 1;
    if (FRM_CWindow* window = GetCWindow())
        window->TrapPointer(this);
    DoDown();
    DoDownAction();
}

void FRM_CButton::MouseDouble(FRM_CPoint thePoint, short theButton, short isShift,
                              short isControl)
{
    MouseDown(thePoint, theButton, isShift, isControl);
}

void FRM_CButton::MouseUp(FRM_CPoint, short, short, short)
{
    const bool releasedInside = itIsIn && itIsDown;
    if (FRM_CWindow* window = GetCWindow())
        window->ReleasePointer();
    DoUp();
    itIsDown = 0;
    itIsPressed = 0;
    if (releasedInside)
        DoUpAction();
}

void FRM_CButton::DoIn()
{
    if (itIsIn)
        return;
    itIsIn = 1;
    IndicateIn();
    if (itIsPressed)
        InternalDown();
    DoInAction();
}

void FRM_CButton::DoOut()
{
    if (!itIsIn)
        return;
    itIsIn = 0;
    IndicateIn();
    if (itIsPressed)
        InternalUp();
    DoOutAction();
}

void FRM_CButton::Key(const FRM_CKey& theKey)
{
    if (!theKey.IsVirtualKey() && (theKey.GetChar() == kEnter || theKey.GetChar() == kSpace)) {
        DoDown();
        DoDownAction();
        DoUp();
        DoUpAction();
        return;
    }
    if (itsEnclosure != nullptr)
        itsEnclosure->Key(theKey);
}

// A togglable button in state 1 already rests one pixel lower, so it goes down one more.
void FRM_CButton::InternalDown()
{
    if (itIsDown)
        return;
    itIsDown = 1;
    const float step = itIsTogglable && itsToggleState != kDown ? 2 : 1;
    SubviewsDoSetOrigin(step, step);
}

void FRM_CButton::InternalUp()
{
    if (!itIsDown)
        return;
    itIsDown = 0;
    const float step = itIsTogglable && itsToggleState != kDown ? 2 : 1;
    SubviewsDoSetOrigin(-step, -step);
}

void FRM_CButton::SubviewsDoSetOrigin(float theDH, float theDV)
{
    const FRM_CPoint delta(H(theDH), V(theDV));
    itsContentOffset += delta;
    ForEachChildTopFirst([&delta](FRM_CView* child) { child->DoSetOrigin(delta); });
    InternalDoDraw(frm_views::MaxRect());
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CButton::InternalDoDraw(const FRM_CRect& theClip)
{
    itDrawsBorder = 0;
    DoDraw(theClip);
    itDrawsBorder = 1;
}

void FRM_CButton::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    const FRM_CRect global = GetGlobalFrame();
    const FRM_CRect content(global.Left() + itsContentOffset.H(),
                            global.Top() + itsContentOffset.V(),
                            global.Right() + itsContentOffset.H() - H(GetBorderPixels()),
                            global.Bottom() + itsContentOffset.V() - V(GetBorderPixels()));
    FRM_CRect clip = theClip;
    if (frm_views::IsMaxRect(theClip)) {
        clip = GetClippedFrame();
        if (itsEnclosure != nullptr)
            clip -= itsEnclosure->GetClippedFrame();
    }
    if (itIsFaceFirst && Prepare(clip))
        Draw(clip);
    const FRM_CRect inside = clip - content;
    if (Prepare(inside))
        for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
            FRM_CView* child = ChildAt(i);
            child->DoDraw(child->GetClippedFrame() - inside);
        }
    if (!itIsFaceFirst && Prepare(clip))
        Draw(clip);
    if (!IsEnabled() && Prepare(clip))
        DrawDisabled();
    vko_dwin_set_clip(GetVKOWindow(), nullptr);
}

void FRM_CButton::Draw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    {
        FRM_CDrawingContext context(this);
        context().IEnvironment(kBlack, itsFaceColor, itsFaceColor, kSolid, itsFaceColor, kSolid, 1,
                               StandardFont(), 0, 0, 0, kWhite, kBlack, kWhite, kBlack);
        context().SetDrawingMode(0);
        if (itIsFaceFirst) {
            context().SetPenWidth(1);
        } else {
            context().SetBrushPattern(kHollow);
            context().SetPenWidth(0);
        }
        const FRM_CRect global = GetGlobalFrame();
        const float width = itsFrame.Width();
        const float height = itsFrame.Height();
        context.DrawRect(FRM_CRect(global.Left() + itsContentOffset.H() - H(1),
                                   global.Top() + itsContentOffset.V() - V(1),
                                   global.Left() + itsContentOffset.H() + width - H(6),
                                   global.Top() + itsContentOffset.V() + height - V(6)));
    }
    if (itDrawsBorder)
        DrawBorder();
    if (!itIsTogglable)
        itIsDown ? DrawDown() : DrawUp();
    else if (itIsDown)
        DrawPressed();
    else if (itsToggleState == kUp)
        DrawUp();
    else if (itsToggleState == kDown)
        DrawDown();
    else
        DrawUnknown();
    IndicateIn();
    FRM_CDrawingContext context(this);
    context.SetClip(frm_views::MaxRect());
    FRM_CView::Draw(theClip);
}

void FRM_CButton::DrawRects(unsigned long thePen, unsigned long theMono, short theWidth,
                            short theBrush, std::initializer_list<FRM_CRect> theRects)
{
    FRM_CDrawingContext context(this);
    context().SetPenColor(thePen, theMono);
    context().SetPenWidth(theWidth);
    if (theBrush != 0)
        context().SetBrushPattern(static_cast<e_pat>(theBrush));
    for (const FRM_CRect& rect : theRects)
        context.DrawRect(rect);
}

void FRM_CButton::DrawBorder()
{
    const FRM_CRect g = GetGlobalFrame();
    const float l = g.Left(), t = g.Top(), r = g.Right(), b = g.Bottom();
    if (!IsEnabled()) {
        DrawRects(itsFaceColor, kBlack, 1, kHollow, {g});
        return;
    }
    DrawRects(itsFaceColor, kBlack, 1, 0,
              {FRM_CRect(l, t, l + H(1), t + V(1)), FRM_CRect(l, b - V(1), l + H(1), b),
               FRM_CRect(r - H(1), b - V(1), r, b), FRM_CRect(r - H(1), t, r, t + V(1))});
    const bool focused = itsEnclosure != nullptr && itsEnclosure->GetKeyFocus() == this;
    DrawRects(
        focused ? kWhite : itsFrameColor, kBlack, 1, 0,
        {FRM_CRect(l + H(1), t, r - H(1), t + V(1)), FRM_CRect(l + H(1), b - V(1), r - H(1), b),
         FRM_CRect(l, t + V(1), l + H(1), b - V(1)), FRM_CRect(r - H(1), t + V(1), r, b - V(1))});
}

void FRM_CButton::DrawUp()
{
    const FRM_CRect g = GetGlobalFrame();
    const float l = g.Left(), t = g.Top(), r = g.Right(), b = g.Bottom();
    DrawRects(itsShadowColor, kBlack, 1, 0,
              {FRM_CRect(r - H(3), t + V(1), r - H(1), b - V(1)),
               FRM_CRect(l + H(1), b - V(3), r - H(1), b - V(1))});
    DrawRects(itsHighlightColor, kWhite, 1, 0,
              {FRM_CRect(l + H(1), t + V(1), r - H(2), t + V(2)),
               FRM_CRect(l + H(1), t + V(1), l + H(2), b - V(2))});
}

void FRM_CButton::DrawDown()
{
    const FRM_CRect g = GetGlobalFrame();
    const float l = g.Left(), t = g.Top(), r = g.Right(), b = g.Bottom();
    DrawRects(itsShadowColor, kBlack, 1, kHollow,
              {FRM_CRect(l + H(2), t + V(2), r - H(1), b - V(1)),
               FRM_CRect(l + H(1), t + V(1), r - H(1), b - V(1))});
}

void FRM_CButton::DrawPressed()
{
    const FRM_CRect g = GetGlobalFrame();
    const float l = g.Left(), t = g.Top(), r = g.Right(), b = g.Bottom();
    FRM_CDrawingContext context(this);
    context().SetPenColor(itsShadowColor, kBlack);
    context().SetPenWidth(0);
    context().SetBrushColor(itsShadowColor, kWhite);
    context().SetBrushPattern(kSolid);
    context.DrawRect(FRM_CRect(l + H(1), t + V(1), r - H(1), t + V(4)));
    context.DrawRect(FRM_CRect(l + H(1), t + V(1), l + H(4), b - V(1)));
}

void FRM_CButton::DrawUnknown()
{
    const FRM_CRect g = GetGlobalFrame();
    const float l = g.Left(), t = g.Top(), r = g.Right(), b = g.Bottom();
    DrawRects(itsFaceColor, kBlack, 1, kHollow,
              {FRM_CRect(l + H(1), t + V(1), r - H(1), b - V(1)),
               FRM_CRect(l + H(1), t + V(1), r - H(2), b - V(2))});
}

// Rising diagonals two pixels apart, walked in whole pixels.
void FRM_CButton::DrawDisabled()
{
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const s_rct frame = static_cast<s_rct>(GetGlobalFrame());
    const int left = frame.left;
    const int top = frame.top;
    const int right = frame.right - 1;
    const int bottom = frame.bottom - 1;
    const FRM_CUnits* units = GetUnits();
    auto logical = [units](int h, int v) {
        return units != nullptr
                   ? FRM_CPoint(units->HPhysicalToLogical(h), units->VPhysicalToLogical(v))
                   : FRM_CPoint(static_cast<float>(h), static_cast<float>(v));
    };
    FRM_CDrawingContext context(this);
    context().SetPenColor(itsFaceColor, kBlack);
    int fromH = left, fromV = top;   // walks down the left edge, then along the bottom
    int toH = left, toV = top;       // walks along the top edge, then down the right
    while (fromH < right) {
        context.DrawLine(logical(fromH, fromV), logical(toH, toV));
        fromV += 2;
        if (fromV > bottom) {
            fromH += fromV - bottom;
            fromV = bottom;
        }
        toH += 2;
        if (toH > right) {
            toV += toH - right;
            toH = right;
        }
    }
}
