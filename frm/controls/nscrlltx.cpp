// nscrlltx.cpp: the scrolling text and its bars.
#include "frm/controls/nscrlltx.h"

#include <algorithm>

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cresourc.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "nscrlltx";
constexpr long kErrNoWindowHBar = 3000;
constexpr long kErrNoWindowVBar = 3001;
constexpr long kErrNoView = 3002;
constexpr long kErrNoHBar = 3003;
constexpr long kErrNoVBar = 3004;
constexpr long kErrNoHBarLine = 3005;
constexpr long kErrNoHBarPage = 3006;
constexpr long kErrNoVBarLine = 3007;
constexpr long kErrNoVBarPage = 3008;
constexpr std::uint16_t kUnchanged = 0xFFFF;

} // namespace

// ---------------------------------------------------------------------------------------------
// The text's own bars

FRM_CTextScrollBar::FRM_CTextScrollBar(FRM_NScrollText* theOwner, const FRM_CRect& theFrame,
                                       DIRECTION theDirection, long isVisible)
    : FRM_NScrollBar(theOwner->GetEnclosure(), theFrame, theDirection, isVisible ? 0 : kInvisible),
      itsText(theOwner)
{
    RemoveOwner(theOwner->GetEnclosure());
    SetOwner(theOwner);
}

FRM_CTextScrollBar::~FRM_CTextScrollBar()
{
    if (itsText != nullptr)
        itsText->RemoveScrollBar(this);
}

// ---------------------------------------------------------------------------------------------
// Construction

FRM_NScrollText::FRM_NScrollText(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                 short hasVertical, short hasHorizontal,
                                 std::uint32_t theAttributes, float theMargin, int theLimit,
                                 short isVisible)
    : FRM_NTextEdit(theEnclosure, theFrame,
                    theAttributes | (hasVertical ? kWantsVertical : 0) |
                        (hasHorizontal ? kWantsHorizontal : 0),
                    theMargin, theLimit)
{
    if (!isVisible)
        Hide();
    CreateScrollBars(hasVertical, hasHorizontal);
    PositionTextEdit();
    MeasurePage();
    vko_tx_set_scroll_callback(itsTextEdit, hookTextEditCallback);
}

FRM_NScrollText::FRM_NScrollText(FRM_CWindow* theWindow, std::uint32_t theAttributes,
                                 float theMargin, int theLimit, short isVisible)
    : FRM_NTextEdit(theWindow, theWindow->GetFrame(),
                    theAttributes | kScrolled |
                        (theWindow->GetHScrollBar() != nullptr ? kWantsHorizontal : 0) |
                        (theWindow->GetVScrollBar() != nullptr ? kWantsVertical : 0),
                    theMargin, theLimit),
      itHasWindowBars(1)
{
    if (!isVisible)
        Hide();
    CreateScrollBars(theWindow->GetVScrollBar() != nullptr, theWindow->GetHScrollBar() != nullptr);
    MeasurePage();
    vko_tx_set_scroll_callback(itsTextEdit, hookTextEditCallback);
}

FRM_NScrollText::FRM_NScrollText(FRM_CSubview* theEnclosure, long theContainerId,
                                 long theResourceId)
    : FRM_NTextEdit(theEnclosure)
{
    FRM_CResourceItems items(static_cast<std::int32_t>(theContainerId));
    const bool found = items.IObject(theResourceId, this) != 0;
    SetResourceContainerId(static_cast<std::int32_t>(theContainerId));
    SetResourceId(static_cast<std::int32_t>(theResourceId));
    const bool vertical = (itsAttributes & kWantsVertical) != 0;
    const bool horizontal = (itsAttributes & kWantsHorizontal) != 0;
    CreateTextEdit();
    if (itsResourceFontId != 0)
        FRM_NTextEdit::SetFont(FRM_CFont(itsResourceFontId), 0);
    CreateScrollBars(vertical, horizontal);
    PositionTextEdit();
    MeasurePage();
    vko_tx_set_scroll_callback(itsTextEdit, hookTextEditCallback);
    if (found)
        SetText(itsTitle);
}

void FRM_NScrollText::TakeResourceEntry(const s_win_def& theEntry)
{
    FRM_CView::Size(FRM_CRect(theEntry.rct));
    itsTitle = FRM_CStringRW(theEntry.text != nullptr ? theEntry.text : "");
    itsAttributes = theEntry.tx_attrs & ~(kHasVertical | kHasHorizontal);
    if ((theEntry.tx_attrs & kHasHorizontal) != 0)
        itsAttributes |= kWantsHorizontal;
    if ((theEntry.tx_attrs & kHasVertical) != 0)
        itsAttributes |= kWantsVertical;
    itsMargin = theEntry.tx_margin;
    itsLimit = theEntry.tx_limit;
    itsResourceFontId = theEntry.font_id;
}

FRM_NScrollText::FRM_NScrollText(const FRM_NScrollText& other)
    : FRM_NTextEdit(other), itTracksThumb(other.itTracksThumb),
      itHasWindowBars(other.itHasWindowBars)
{
    CopyScrollBars(other);
}

// Hand-written: the own bars are released and new ones made like the source's.
FRM_NScrollText& FRM_NScrollText::operator=(const FRM_NScrollText& other)
{
    if (this == &other)
        return *this;
    ReleaseScrollBars();
    FRM_NTextEdit::operator=(other);
    itTracksThumb = other.itTracksThumb;
    itHasWindowBars = other.itHasWindowBars;
    CopyScrollBars(other);
    return *this;
}

void FRM_NScrollText::CopyScrollBars(const FRM_NScrollText& theOriginal)
{
    // The copy's engine shows the original's font, which may be its resource entry's.
    if (itsTextEdit != 0 && theOriginal.itsTextEdit != 0) {
        if (FONT_OBJ font = vko_tx_get_font(theOriginal.itsTextEdit)) {
            vko_tx_set_font(itsTextEdit, font);
            vko_font_destroy(font);
        }
    }
    CreateScrollBars(theOriginal.itsVScrollBar != nullptr, theOriginal.itsHScrollBar != nullptr);
    PositionTextEdit();
    MeasurePage();
    vko_tx_set_scroll_callback(itsTextEdit, hookTextEditCallback);
}

FRM_NScrollText::~FRM_NScrollText()
{
    if (itsTextEdit != 0 && vko_vobj_is_valid(reinterpret_cast<WINDOW>(itsTextEdit)))
        vko_tx_set_scroll_callback(itsTextEdit, nullptr);
    ReleaseScrollBars();
}

void FRM_NScrollText::ReleaseScrollBars()
{
    if (itHasWindowBars) {
        if (itsVScrollBar != nullptr)
            itsVScrollBar->RemoveOwner(this);
        if (itsHScrollBar != nullptr)
            itsHScrollBar->RemoveOwner(this);
        itsVScrollBar = nullptr;
        itsHScrollBar = nullptr;
        return;
    }
    delete itsVScrollBar;   // each tells this view, which forgets it
    delete itsHScrollBar;
}

short FRM_NScrollText::IScrollText(short isTrackThumb, std::uint32_t theAttributes,
                                   float theMargin, int theLimit, const FRM_CStringRW& theText,
                                   short selectOnActivate, short isVisible, unsigned long theGlue)
{
    itTracksThumb = isTrackThumb;
    theAttributes |= kScrolled;
    if (itsVScrollBar != nullptr)
        theAttributes |= kWantsVertical | kHasVertical;
    if (itsHScrollBar != nullptr)
        theAttributes |= kWantsHorizontal | kHasHorizontal;
    ITextEdit(theAttributes, theMargin, theLimit, theText, selectOnActivate, isVisible, theGlue);
    vko_tx_set_scroll_callback(itsTextEdit, hookTextEditCallback);
    return 1;
}

void FRM_NScrollText::RemoveScrollBar(const FRM_NScrollBar* theBar)
{
    if (itsVScrollBar == theBar)
        itsVScrollBar = nullptr;
    if (itsHScrollBar == theBar)
        itsHScrollBar = nullptr;
}

FRM_CRect FRM_NScrollText::GetInnerFrame() const
{
    FRM_CRect inner = itsFrame;
    if (itHasWindowBars)
        return inner;
    const FRM_CUnits* units = GetUnits();
    if (itsVScrollBar != nullptr) {
        const int width = FRM_NScrollBar::NativeWidth();
        inner.Width(inner.Width() - (units != nullptr ? units->HPhysicalToLogical(width)
                                                      : static_cast<float>(width)));
    }
    if (itsHScrollBar != nullptr) {
        const int height = FRM_NScrollBar::NativeHeight();
        inner.Height(inner.Height() - (units != nullptr ? units->VPhysicalToLogical(height)
                                                        : static_cast<float>(height)));
    }
    return inner;
}

// The engine sits in the inner frame: the view's frame is lent for the placement.
s_rct FRM_NScrollText::TextEditRect() const
{
    auto* self = const_cast<FRM_NScrollText*>(this);
    const FRM_CRect whole = itsFrame;
    self->itsFrame = GetInnerFrame();
    const s_rct rect = FRM_NTextEdit::TextEditRect();
    self->itsFrame = whole;
    return rect;
}

void FRM_NScrollText::CreateScrollBars(short hasVertical, short hasHorizontal)
{
    if (hasHorizontal)
        SetAttribute(kHasHorizontal, 1);
    if (hasVertical)
        SetAttribute(kHasVertical, 1);
    auto attach = [this](FRM_NScrollBar* bar) {
        bar->IScrollBar(0, 1, 0, 1, 1, IsEnabled(), IsVisible(), 0);
        bar->InsertOwner(this);
    };
    if (itHasWindowBars) {
        FRM_CWindow* window = GetCWindow();
        if (hasVertical) {
            itsVScrollBar = window->GetVScrollBar();
            if (itsVScrollBar == nullptr)
                FrmError(kErrNoWindowVBar, kModule, __LINE__);
            else
                attach(itsVScrollBar);
        }
        if (hasHorizontal) {
            itsHScrollBar = window->GetHScrollBar();
            if (itsHScrollBar == nullptr)
                FrmError(kErrNoWindowHBar, kModule, __LINE__);
            else
                attach(itsHScrollBar);
        }
        FRM_CView::SetGlue(0xFFFFFFFFUL);
        return;
    }
    const FRM_CUnits* units = GetUnits();
    const float barWidth = units != nullptr
                               ? units->HPhysicalToLogical(FRM_NScrollBar::NativeWidth())
                               : static_cast<float>(FRM_NScrollBar::NativeWidth());
    const float barHeight = units != nullptr
                                ? units->VPhysicalToLogical(FRM_NScrollBar::NativeHeight())
                                : static_cast<float>(FRM_NScrollBar::NativeHeight());
    const FRM_CRect frame = itsFrame;
    if (hasVertical) {
        delete itsVScrollBar;
        const float bottom = frame.Bottom() - (hasHorizontal ? barHeight : 0);
        itsVScrollBar = new FRM_CTextScrollBar(
            this, FRM_CRect(frame.Right() - barWidth, frame.Top(), frame.Right(), bottom),
            VERTICAL, IsVisible());
        attach(itsVScrollBar);
    }
    if (hasHorizontal) {
        delete itsHScrollBar;
        const float right = frame.Right() - (hasVertical ? barWidth : 0);
        itsHScrollBar = new FRM_CTextScrollBar(
            this, FRM_CRect(frame.Left(), frame.Bottom() - barHeight, right, frame.Bottom()),
            HORIZONTAL, IsVisible());
        attach(itsHScrollBar);
    }
}

// ---------------------------------------------------------------------------------------------
// Keeping bars and engine in step

void FRM_NScrollText::MeasurePage()
{
    if (itsTextEdit == 0)
        return;
    // Text edits take no drawing calls: the window measures the engine's font.
    const FRM_CWindow* window = GetCWindow();
    if (window == nullptr)
        return;
    if (FONT_OBJ font = vko_tx_get_font(itsTextEdit)) {
        vko_dwin_set_font(window->GetVKOWindow(), font);
        vko_font_destroy(font);
    }
    std::int32_t leading = 0, ascent = 0, descent = 0;
    vko_dwin_get_font_metrics(window->GetVKOWindow(), &leading, &ascent, &descent);
    const int linePixels = std::max(1, ascent + descent + leading);
    const FRM_CUnits* units = GetUnits();
    itsLineHeight = units != nullptr ? units->VPhysicalToLogical(linePixels)
                                     : static_cast<float>(linePixels);
    s_rct view{};
    vko_tx_get_view(itsTextEdit, &view);
    itsLinesPerPage = std::max(1, (view.bottom - view.top) / linePixels);
    if (itsVScrollBar != nullptr) {
        itsVScrollBar->SetIncrements(1, static_cast<float>(itsLinesPerPage));
        itsVScrollBar->SetThumbSize(static_cast<float>(itsLinesPerPage));
    }
}

void FRM_NScrollText::SetFont(const FRM_CFont& theFont, short isShared)
{
    FRM_NTextEdit::SetFont(theFont, isShared);
    MeasurePage();
}

short FRM_NScrollText::Clear()
{
    const short cleared = FRM_NTextEdit::Clear();
    UpdateVerticalBar(0, 0);
    if (itsHScrollBar != nullptr)
        itsHScrollBar->SetPosition(0);
    return cleared;
}

void FRM_NScrollText::UpdateVerticalBar(std::uint16_t theTopLine, std::uint16_t theLineCount)
{
    if (itsVScrollBar == nullptr)
        return;
    if (theLineCount != kUnchanged) {
        // A text that fits (an empty list too) has nothing to scroll: the bar shows no thumb.
        const float lines =
            theLineCount > itsLinesPerPage ? static_cast<float>(theLineCount) : 0.0F;
        itsVScrollBar->SetRange(0, lines, itsVScrollBar->GetPosition());
        itsVScrollBar->SetThumbSize(static_cast<float>(itsLinesPerPage));
    }
    if (theTopLine != kUnchanged)
        itsVScrollBar->SetPosition(theTopLine);
}

void FRM_NScrollText::ScrollTextCallback(TXEDIT theTextEdit, std::uint16_t theTopLine,
                                         std::uint16_t theLineCount, std::uint16_t theColumn)
{
    auto* object = reinterpret_cast<FRM_CObjectRWC*>(vko_tx_get_data(theTextEdit));
    auto* view = FrmCast<FRM_NScrollText>(object);
    if (view == nullptr || view->itsTextEdit != theTextEdit) {
        FrmError(kErrNoView, kModule, __LINE__);
        return;
    }
    view->itIsInCallback = 1;
    view->UpdateVerticalBar(theTopLine, theLineCount);
    if (view->itsHScrollBar != nullptr && theColumn != kUnchanged)
        view->itsHScrollBar->SetPosition(theColumn);
    view->itIsInCallback = 0;
}

// How far the engine scrolls for a bar action: positive towards the start. The thumb moves to
// thePosition from theCurrent; tracking counts only with the track flag. False: no scroll.
bool FRM_NScrollText::ScrollAmount(const FRM_NScrollBar& theBar, e_scroll_ctl theAction,
                                   float thePosition, int theCurrent, int* theAmount) const
{
    const int line = static_cast<int>(theBar.GetLineIncrement());
    const int page = static_cast<int>(theBar.GetPageIncrement());
    switch (theAction) {
    case SC_LINE_UP:
        *theAmount = line;
        return true;
    case SC_LINE_DOWN:
        *theAmount = -line;
        return true;
    case SC_PAGE_UP:
        *theAmount = page;
        return true;
    case SC_PAGE_DOWN:
        *theAmount = -page;
        return true;
    case SC_THUMBTRACK:
    case SC_THUMB:
        *theAmount = theCurrent - static_cast<int>(thePosition);
        return theAction == SC_THUMB || itTracksThumb;
    default:
        return false;
    }
}

void FRM_NScrollText::VScroll(e_scroll_ctl theAction, float thePosition)
{
    if (itsVScrollBar == nullptr || itsTextEdit == 0)
        return;
    std::uint16_t top = 0;
    vko_tx_get_origin(itsTextEdit, nullptr, nullptr, &top, nullptr);
    int lines = 0;
    if (ScrollAmount(*itsVScrollBar, theAction, thePosition, top, &lines))
        vko_tx_scroll_vert(itsTextEdit, static_cast<std::int16_t>(lines));
}

void FRM_NScrollText::HScroll(e_scroll_ctl theAction, float thePosition)
{
    if (itsHScrollBar == nullptr || itsTextEdit == 0)
        return;
    std::uint16_t column = 0;
    vko_tx_get_origin(itsTextEdit, nullptr, nullptr, nullptr, &column);
    int pixels = 0;
    if (ScrollAmount(*itsHScrollBar, theAction, thePosition, column, &pixels))
        vko_tx_scroll_hor(itsTextEdit, static_cast<std::int16_t>(pixels));
}

void FRM_NScrollText::SetMargin(float theMargin)
{
    if (itsHScrollBar != nullptr && itsTextEdit != 0) {
        s_rct view{};
        vko_tx_get_view(itsTextEdit, &view);
        const FRM_CUnits* units = GetUnits();
        const int width = view.right - view.left;
        itsHScrollBar->SetRange(0, theMargin, itsHScrollBar->GetPosition());
        itsHScrollBar->SetThumbSize(units != nullptr ? units->HPhysicalToLogical(width)
                                                     : static_cast<float>(width));
    }
    FRM_NTextEdit::SetMargin(theMargin);
}

void FRM_NScrollText::SetHIncrements(float theLine, float thePage)
{
    if (itsHScrollBar == nullptr) {
        FrmError(kErrNoHBar, kModule, __LINE__);
        return;
    }
    itsHScrollBar->SetIncrements(theLine, thePage);
}

void FRM_NScrollText::SetVIncrements(float theLine, float thePage)
{
    if (itsVScrollBar == nullptr) {
        FrmError(kErrNoVBar, kModule, __LINE__);
        return;
    }
    itsVScrollBar->SetIncrements(theLine, thePage);
}

float FRM_NScrollText::GetHLineIncrement() const
{
    if (itsHScrollBar == nullptr) {
        FrmError(kErrNoHBarLine, kModule, __LINE__);
        return 0;
    }
    return itsHScrollBar->GetLineIncrement();
}

float FRM_NScrollText::GetHPageIncrement() const
{
    if (itsHScrollBar == nullptr) {
        FrmError(kErrNoHBarPage, kModule, __LINE__);
        return 0;
    }
    return itsHScrollBar->GetPageIncrement();
}

float FRM_NScrollText::GetVLineIncrement() const
{
    if (itsVScrollBar == nullptr) {
        FrmError(kErrNoVBarLine, kModule, __LINE__);
        return 0;
    }
    return itsVScrollBar->GetLineIncrement();
}

float FRM_NScrollText::GetVPageIncrement() const
{
    if (itsVScrollBar == nullptr) {
        FrmError(kErrNoVBarPage, kModule, __LINE__);
        return 0;
    }
    return itsVScrollBar->GetPageIncrement();
}

void FRM_NScrollText::GetScrollPosition(std::uint16_t* thePar, std::uint16_t* theLine,
                                        std::uint16_t* theTopLine, std::uint16_t* theColumn) const
{
    vko_tx_get_origin(itsTextEdit, thePar, theLine, theTopLine, theColumn);
}

void FRM_NScrollText::SetScrollPosition(std::uint16_t theTopLine, std::uint16_t theColumn)
{
    std::uint16_t top = 0, column = 0;
    vko_tx_get_origin(itsTextEdit, nullptr, nullptr, &top, &column);
    vko_tx_scroll_vert(itsTextEdit, static_cast<std::int16_t>(top - theTopLine));
    vko_tx_scroll_hor(itsTextEdit, static_cast<std::int16_t>(column - theColumn));
    vko_tx_get_origin(itsTextEdit, nullptr, nullptr, &top, &column);
    ScrollTextCallback(itsTextEdit, top, vko_tx_get_num_lines(itsTextEdit), column);
}

void FRM_NScrollText::SetScrollPosition(std::uint16_t theParagraph, std::uint16_t theLine,
                                        std::uint16_t theColumn)
{
    const std::uint16_t paragraphs = std::min(theParagraph, vko_tx_get_num_pars(itsTextEdit));
    long line = theLine;
    for (std::uint16_t p = 0; p < paragraphs; ++p)
        line += vko_tx_get_num_par_lines(itsTextEdit, p);
    SetScrollPosition(static_cast<std::uint16_t>(std::min(line, 0xFFFEL)), theColumn);
}

void FRM_NScrollText::Size(const FRM_CRect& theFrame)
{
    if (itIsInCallback)
        return;
    FRM_NTextEdit::Size(theFrame);
    if (!itHasWindowBars) {
        const FRM_CRect inner = GetInnerFrame();
        if (itsVScrollBar != nullptr)
            itsVScrollBar->Size(
                FRM_CRect(inner.Right(), itsFrame.Top(), itsFrame.Right(), inner.Bottom()));
        if (itsHScrollBar != nullptr)
            itsHScrollBar->Size(
                FRM_CRect(itsFrame.Left(), inner.Bottom(), inner.Right(), itsFrame.Bottom()));
    }
    MeasurePage();
    if (itsTextEdit == 0)
        return;
    // No empty page below the text: scroll back so that the last page is full.
    std::uint16_t top = 0;
    vko_tx_get_origin(itsTextEdit, nullptr, nullptr, &top, nullptr);
    const int total = vko_tx_get_num_lines(itsTextEdit);
    if (total - top < itsLinesPerPage) {
        const int wanted = std::max(0, total - itsLinesPerPage);
        if (wanted != top)
            vko_tx_scroll_vert(itsTextEdit, static_cast<std::int16_t>(top - wanted));
    }
    vko_tx_get_origin(itsTextEdit, nullptr, nullptr, &top, nullptr);
    UpdateVerticalBar(top, static_cast<std::uint16_t>(total));
}

void FRM_NScrollText::Show()
{
    FRM_NTextEdit::Show();
    if (!itHasWindowBars) {
        if (itsVScrollBar != nullptr)
            itsVScrollBar->Show();
        if (itsHScrollBar != nullptr)
            itsHScrollBar->Show();
    }
}

void FRM_NScrollText::Hide()
{
    FRM_NTextEdit::Hide();
    if (!itHasWindowBars) {
        if (itsVScrollBar != nullptr)
            itsVScrollBar->Hide();
        if (itsHScrollBar != nullptr)
            itsHScrollBar->Hide();
    }
}
