// clistbox.cpp: the list box's lines, selection, mouse and key handling, sizing and binding.
#include "frm/core/ccmdnums.h"
#include "frm/views/clistbox.h"

#include <algorithm>
#include <cmath>

#include "frm/core/ccntrllr.h"
#include "frm/core/ctdicntr.h"
#include "frm/core/cunits.h"
#include "frm/core/ctdivalue.h"
#include "frm/core/cvaluerwc.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cnav.h"
#include "frm/runtime/cfactory.h"
#include "frm/views/cfxdgrid.h"
#include "frm/views/ctext.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "clistbox";
constexpr long kErrMissingLine = 800;
constexpr unsigned long kAllSides = 0xFFFFFFFFUL;
constexpr int kStandardPen = 2;

// Data commands.
constexpr long kSelectedIndex = 20100;
constexpr long kSelectNext = 20104;
constexpr long kSelectPrevious = 20105;
constexpr long kSelectFirst = 20106;
constexpr long kSelectLast = 20107;

// The list box's grid. A line's origin is always the grid's global origin, so the lines need
// not all be moved when the grid moves (a scroll): each line takes the grid's origin when it
// is drawn or touched, and drawing visits only the rows the clip covers.
class LineGrid : public FRM_CFixedGrid {
public:
    using FRM_CFixedGrid::FRM_CFixedGrid;

    void DoSetOrigin(const FRM_CPoint& theDisplacement) override { SetOrigin(theDisplacement); }

    void Settle(FRM_CView* theLine) const
    {
        if (theLine != nullptr)
            theLine->SetOrigin(GetGlobalOrigin() - theLine->GetOrigin());
    }

    // The outline of a long list reaches far past the window, and stroking all of it costs
    // in proportion to its length: only its part near the clip is stroked. The piece is
    // widened past the clip, so that its cut ends fall outside and leave no edge.
    void Draw(const FRM_CRect& theClip) override
    {
        if (IsGridVisible() || !IsVisible()) {
            FRM_CFixedGrid::Draw(theClip);
            return;
        }
        FRM_CUnits::SetGlobalUnits(GetUnits());
        if (const FRM_CEnvironment* environment = GetEnvironment())
            environment->SetDrawingEnv(GetCWindow());
        WINDOW window = GetVKOWindow();
        const FRM_CRect nearClip = theClip.GetInflatedRect(frm_views::HPixelsToLogical(this, 4),
                                                           frm_views::VPixelsToLogical(this, 4));
        const FRM_CRect shown = GetGlobalFrame() & nearClip;
        if (shown.Width() <= 0 || shown.Height() <= 0)
            return;
        const s_rct outline = static_cast<s_rct>(shown);
        vko_dwin_set_std_cpen(window, kStandardPen);
        vko_dwin_draw_rect(window, &outline);
    }

    void DoDraw(const FRM_CRect& theClip) override
    {
        if (!IsVisible())
            return;
        const FRM_CRect clip = ResolveClip(theClip);
        if (clip.IsEmpty())
            return;
        if (Prepare(clip)) {
            Draw(clip);
            const FRM_CRect local = clip - GetGlobalOrigin();
            const int first = std::max(GetRow(std::max(local.Top(), 0.0F)), 0);
            int last = GetRow(local.Bottom() - frm_views::VPixelsToLogical(this, 1));
            if (last < 0)
                last = GetNumRows() - 1;
            for (int row = first; row <= last; ++row) {
                FRM_CView* line = GetContents(row, 0);
                if (line == nullptr)
                    continue;
                Settle(line);
                line->DoDraw((GetCellSize(row, 0) + GetGlobalOrigin()) - clip);
            }
        }
        vko_dwin_set_clip(GetVKOWindow(), nullptr);
    }
};

LineGrid* AsLineGrid(FRM_CFixedGrid* theGrid)
{
    return static_cast<LineGrid*>(theGrid);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CListBox::FRM_CListBox(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion)
    : FRM_CScroller(theEnclosure, theRegion, 0, 0)
{
    CommonSetUp();
    itsSuggestedHeight = theRegion.Height();
    ResetDimensions();
}

FRM_CListBox::FRM_CListBox(FRM_CWindow* theWindow, float theVirtualWidth, float theVirtualHeight)
    : FRM_CScroller(theWindow, theVirtualWidth, theVirtualHeight)
{
    itsSuggestedHeight = GetFrame().Height();
    SetGlue(0);
    CommonSetUp();
    Size(theWindow->GetLocalFrame());
    ResetDimensions();
    SetGlue(kAllSides);
}

FRM_CListBox::FRM_CListBox(const FRM_CListBox& other) : FRM_CScroller(other)
{
    CommonSetUp();
    SetCommand(other.GetCommand());
    SetDoubleCommand(other.GetDoubleCommand());
    itClipsHalfLines = other.itClipsHalfLines;
    itsSuggestedHeight = other.itsSuggestedHeight;
}

// Hand-written: the lines and their grid are this list box's own subviews; they stay.
FRM_CListBox& FRM_CListBox::operator=(const FRM_CListBox& other)
{
    if (this == &other)
        return *this;
    FRM_CScroller::operator=(other);
    SetCommand(other.GetCommand());
    SetDoubleCommand(other.GetDoubleCommand());
    itClipsHalfLines = other.itClipsHalfLines;
    itsSuggestedHeight = other.itsSuggestedHeight;
    return *this;
}

FRM_CListBox::~FRM_CListBox()
{
    itsItems.clear();
    delete itsGrid;   // and with it the lines
    itsGrid = nullptr;
}

void FRM_CListBox::CommonSetUp()
{
    itsItems.clear();
    const FRM_CRect inner = GetInnerFrame();
    itsGrid = new LineGrid(this, FRM_CPoint(Pixel(true), Pixel(false)),
                           inner.Height() - Pixel(false), inner.Width() - Pixel(true), 1, 1);
    itsGrid->IFixedGrid(1, FRM_CGrid::TOPLEFT, 0, FRM_CGrid::ADJUSTCellSize, 1, 0);
    itIsDragging = 0;
    SetCommand(kNoCommand);
    SetDoubleCommand(kNoCommand);
    itClipsHalfLines = 0;
}

short FRM_CListBox::IListBox(const FRM_CStringCollection* theItems, short hasHorizontalScrollBar,
                             short hasVerticalScrollBar, short isThumbTracking,
                             long theSingleClickCommand, long theDoubleClickCommand,
                             short isVisible, unsigned long theGlue)
{
    if (theItems != nullptr) {
        const RWOrdered strings = theItems->asOrderedCollection();
        itsGrid->SetNumCells(1, static_cast<int>(strings.entries()), 1);
        for (std::size_t i = 0; i < strings.entries(); ++i) {
            const auto* text = static_cast<const FRM_CStringRWC*>(strings[i]);
            FRM_CText* line = MakeLine(*text);
            itsGrid->Replace(line, static_cast<int>(i), 0);
            itsItems.push_back(line);
        }
    }
    SetCommand(theSingleClickCommand);
    SetDoubleCommand(theDoubleClickCommand);
    const short result =
        IScroller(hasHorizontalScrollBar, hasVerticalScrollBar, isThumbTracking,
                  itsGrid->GetHeight(0), GetFrame().Height(), isVisible, theGlue);
    if (GetVScrollBar() != nullptr)
        SetVIncrements(itsGrid->GetHeight(0), GetInnerFrame().Height());
    itsSuggestedHeight = GetFrame().Height();
    ResetDimensions();
    TdiNotifyItems(kTagItemsReplaced);
    return result;
}

float FRM_CListBox::Pixel(bool horizontal) const
{
    return horizontal ? frm_views::HPixelsToLogical(this, 1) : frm_views::VPixelsToLogical(this, 1);
}

// ---------------------------------------------------------------------------------------------
// Lines

FRM_CText* FRM_CListBox::MakeLine(const FRM_CStringRW& theString)
{
    FRM_CText* line = nullptr;
    if (CViewFactory* factory = CViewFactory::GetTop())
        line = factory->ConstructCText(itsGrid, FRM_CPoint(0, 0), theString);
    if (line == nullptr)
        line = new FRM_CText(itsGrid, FRM_CPoint(0, 0), theString);
    const float textWidth = std::trunc(line->GetWidth());
    const float width = std::max(std::trunc(GetInnerFrame().Width()), textWidth);
    line->SetPlacement(FRM_CText::LEFT);
    line->Size(FRM_CRect(0, 0, width, line->GetHeight()));
    return line;
}

FRM_CText* FRM_CListBox::LineAt(int thePosition) const
{
    if (thePosition < 0 || thePosition >= GetNumberOfLines())
        return nullptr;
    return itsItems[static_cast<std::size_t>(thePosition)];
}

void FRM_CListBox::InsertLine(const FRM_CStringRW& theString, int thePosition, short replace)
{
    if (thePosition < 0)
        return;
    const int count = GetNumberOfLines();
    FRM_CText* line = MakeLine(theString);
    if (thePosition < count && replace == 0) {
        itsGrid->SetNumCells(1, count + 1, 1);
        for (int row = count - 1; row >= thePosition; --row)
            if (FRM_CView* moved = itsGrid->Remove(row, 0))
                itsGrid->Insert(moved, row + 1, 0);
        itsGrid->Insert(line, thePosition, 0);
        itsItems.insert(itsItems.begin() + thePosition, line);
    } else if (thePosition < count) {
        FRM_CText* old = itsItems[static_cast<std::size_t>(thePosition)];
        itsItems[static_cast<std::size_t>(thePosition)] = line;
        itsGrid->Replace(line, thePosition, 0);
        if (GetSelectedView() == old)
            SetSelectedView(nullptr);
        delete old;
    } else {
        // Past the end: appended as the next line, so that lines and rows stay aligned.
        itsItems.push_back(line);
        itsGrid->SetNumCells(1, count + 1, 1);
        itsGrid->Insert(line, count, 0);
    }
    ShrinkToFit();
    TdiNotifyItems(kTagItemsReplaced);
}

void FRM_CListBox::RemoveLine(int thePosition)
{
    FRM_CText* line = LineAt(thePosition);
    if (line == nullptr)
        return;
    itsItems.erase(itsItems.begin() + thePosition);
    if (GetSelectedView() == line)
        SetSelectedView(nullptr);
    itsGrid->Remove(thePosition, 0);
    delete line;
    const int count = GetNumberOfLines();
    for (int row = thePosition; row < count; ++row) {
        FRM_CView* moved = itsGrid->Remove(row + 1, 0);
        if (moved == nullptr) {
            FrmError(kErrMissingLine, kModule, __LINE__);
            continue;
        }
        itsGrid->Insert(moved, row, 0);
    }
    itsGrid->SetNumCells(1, count, 1);
    TdiNotifyItems(kTagItemsReplaced);
}

FRM_CStringRW FRM_CListBox::GetLine(int thePosition) const
{
    const FRM_CText* line = LineAt(thePosition);
    return line != nullptr ? line->GetTitle() : FRM_CStringRW();
}

int FRM_CListBox::GetLine(const FRM_CStringRW& theName) const
{
    for (std::size_t i = 0; i < itsItems.size(); ++i)
        if (itsItems[i]->GetTitle() == theName)
            return static_cast<int>(i);
    return -1;
}

void FRM_CListBox::TruncateTo(int theCount)
{
    while (GetNumberOfLines() > std::max(theCount, 0))
        RemoveLine(GetNumberOfLines() - 1);
}

// ---------------------------------------------------------------------------------------------
// Selection

int FRM_CListBox::GetSelectedLine() const
{
    const FRM_CView* selected = GetSelectedView();
    if (selected == nullptr)
        return -1;
    const auto found = std::find(itsItems.begin(), itsItems.end(), selected);
    return found == itsItems.end() ? -1 : static_cast<int>(found - itsItems.begin());
}

FRM_CText* FRM_CListBox::Settled(FRM_CView* theLine) const
{
    AsLineGrid(itsGrid)->Settle(theLine);
    return static_cast<FRM_CText*>(theLine);
}

void FRM_CListBox::DeselectLine()
{
    if (FRM_CText* selected = Settled(GetSelectedView())) {
        selected->Deselect();
        SetSelectedView(nullptr);
    }
}

void FRM_CListBox::SelectLine(int thePosition, short isSelected)
{
    DeselectLine();
    FRM_CText* line = Settled(LineAt(thePosition));
    if (line == nullptr)
        return;
    if (isSelected) {
        SetSelectedView(line);
        line->Select();
        ScrollUntilVisible(thePosition);
    } else {
        SetSelectedView(nullptr);
        line->Deselect();
    }
}

FRM_CText* FRM_CListBox::GetSelectedItem(int theIncrement) const
{
    const int selected = GetSelectedLine();
    if (selected < 0)
        return nullptr;
    return LineAt(theIncrement >= 0 ? selected + 1 : selected - 1);
}

void FRM_CListBox::SetSelectedView(FRM_CView* theView)
{
    FRM_CScroller::SetSelectedView(theView);
    if (GetPrimaryController() == nullptr)
        return;
    if (theView != nullptr) {
        TdiNotify(kTagValue, theView->GetTitle());
        TdiNotify(kSelectedIndex, static_cast<long>(GetSelectedLine()));
    } else {
        TdiNotify(kNoCommand, "");
    }
}

void FRM_CListBox::ClickLine(FRM_CText* theLine, long theCommand)
{
    if (FRM_CText* previous = Settled(GetSelectedView()))
        previous->Deselect();
    SetSelectedView(theLine);
    Settled(theLine)->Select();
    DoCommand(theCommand, this);
}

void FRM_CListBox::ScrollUntilVisible(int thePosition)
{
    FRM_CPoint origin = GetScrollingOrigin();
    if (thePosition == 0) {
        origin.V(0);
        SetScrollingOrigin(origin);
        return;
    }
    const float rowHeight = itsGrid->GetHeight(0);
    if (rowHeight <= 0)
        return;
    const int count = GetNumberOfLines();
    const int topLine = static_cast<int>(-origin.V() / rowHeight);
    float barHeight = 0;
    if (GetHScrollBar() != nullptr)
        barHeight = std::trunc(frm_views::VPixelsToLogical(this, FRM_NScrollBar::NativeHeight()));
    int bottomLine = static_cast<int>((GetFrame().Height() - barHeight) / rowHeight + topLine - 1);
    if (bottomLine >= count - 1)
        bottomLine = count - 1;
    if (thePosition > 0 && thePosition < topLine) {
        origin.V(origin.V() + static_cast<float>(topLine - thePosition) * rowHeight);
        SetScrollingOrigin(origin);
    } else if (thePosition > bottomLine && thePosition < count) {
        origin.V(origin.V() + static_cast<float>(bottomLine - thePosition) * rowHeight);
        SetScrollingOrigin(origin);
    }
}

// ---------------------------------------------------------------------------------------------
// Sizing

void FRM_CListBox::ResetDimensions()
{
    WINDOW window = GetVKOWindow();
    std::int32_t leading = 0;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    int widest = 0;
    if (window != nullptr) {
        if (const FRM_CEnvironment* environment = GetEnvironment())
            vko_dwin_set_font(window, environment->GetFont());
        vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
        for (const FRM_CText* line : itsItems)
            widest = std::max(widest, vko_dwin_get_text_width(window, line->GetTitle().data(), -1));
    }
    const int lineHeight = leading + ascent + descent + 2;
    const float rowHeight = frm_views::VPixelsToLogical(this, static_cast<float>(lineHeight));
    itsGrid->SizeCell(frm_views::HPixelsToLogical(this, static_cast<float>(widest + 5)), rowHeight);
    FRM_CRect frame = GetFrame();
    frame.Height(itsSuggestedHeight);
    DoSize(frame);
    if (GetVScrollBar() != nullptr)
        SetVIncrements(rowHeight, GetInnerFrame().Height());
    const FRM_CPoint origin = KeepContentInPlace();
    if (!(origin == GetScrollingOrigin()))
        ScrollViews(origin);
    AdjustScrollBars();
    ShrinkToFit();
}

void FRM_CListBox::Size(const FRM_CRect& theFrame)
{
    if (itsGrid == nullptr) {   // still being built
        FRM_CScroller::Size(theFrame);
        return;
    }
    itsGrid->DoSetOrigin(
        FRM_CPoint(theFrame.Left() - itsFrame.Left(), theFrame.Top() - itsFrame.Top()));
    itsSuggestedHeight = theFrame.Height();
    FRM_CRect frame = theFrame;
    if (itClipsHalfLines != 0 && frame.Height() != itsFrame.Height()) {
        const FRM_CUnits* units = GetUnits();
        const int rowPixels = units != nullptr ? units->VLogicalToPhysical(itsGrid->GetHeight(0))
                                               : static_cast<int>(itsGrid->GetHeight(0));
        const int heightPixels = units != nullptr ? units->VLogicalToPhysical(itsSuggestedHeight)
                                                  : static_cast<int>(itsSuggestedHeight);
        // Without a row height there is no partial line to trim.
        if (rowPixels > 0)
            frame.Bottom(frame.Bottom() -
                         frm_views::VPixelsToLogical(
                             this, static_cast<float>(heightPixels % rowPixels + 1)));
    }
    FRM_CScroller::Size(frame);
    const float width = std::max(itsGrid->GetWidth(0), GetInnerFrame().Width() - 2 * Pixel(true));
    itsGrid->SizeCell(width, itsGrid->GetHeight(0));
    SizeLines();
}

void FRM_CListBox::SizeLines()
{
    const float width = itsGrid->GetWidth(0);
    const float height = itsGrid->GetHeight(0);
    for (FRM_CText* line : itsItems) {
        const FRM_CRect frame = line->GetFrame();
        line->DoSize(
            FRM_CRect(frame.Left(), frame.Top(), frame.Left() + width, frame.Top() + height));
    }
}

void FRM_CListBox::SelfAdjustHeight(short isHeightSelfAdjusted)
{
    itClipsHalfLines = isHeightSelfAdjusted;
    Size(GetFrame());
}

void FRM_CListBox::SetGlue(unsigned long theGlue)
{
    const FRM_CRect frame = itsFrame;
    itsFrame.Height(itsSuggestedHeight);
    FRM_CScroller::SetGlue(theGlue);
    itsFrame = frame;
}

void FRM_CListBox::SetFont(const FRM_CFont& theFont, short isShared)
{
    FRM_CScroller::SetFont(theFont, isShared);
    ResetDimensions();
}

void FRM_CListBox::VScroll(e_scroll_ctl theAction, float thePosition)
{
    if (theAction == SC_THUMBTRACK && IsThumbtracking() == 0)
        return;
    if (theAction == SC_THUMB || theAction == SC_THUMBTRACK) {
        const FRM_CUnits* units = GetUnits();
        const float line = GetVScrollBar() != nullptr ? GetVScrollBar()->GetLineIncrement() : 0;
        const int positionPixels = units != nullptr ? units->VLogicalToPhysical(thePosition)
                                                    : static_cast<int>(thePosition);
        const int linePixels =
            units != nullptr ? units->VLogicalToPhysical(line) : static_cast<int>(line);
        // Without a line step there is nothing to snap to.
        if (linePixels > 0)
            thePosition -= frm_views::VPixelsToLogical(
                this, static_cast<float>(positionPixels % linePixels));
    }
    FRM_CScroller::VScroll(theAction, thePosition);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys

FRM_CText* FRM_CListBox::LineAtPoint(const FRM_CPoint& theGridPoint) const
{
    FRM_CView* view = itsGrid->GetContents(theGridPoint);
    const auto found = std::find(itsItems.begin(), itsItems.end(), view);
    return found == itsItems.end() ? nullptr : *found;
}

void FRM_CListBox::MouseDown(FRM_CPoint thePoint, short, short, short)
{
    FRM_CText* line = LineAtPoint(thePoint.GetTranslated(this, itsGrid));
    if (line == nullptr)
        return;
    itIsDragging = 1;
    if (FRM_CWindow* window = GetCWindow())
        window->TrapPointer(this);
    ClickLine(line, GetCommand());
}

void FRM_CListBox::MouseDouble(FRM_CPoint thePoint, short, short, short)
{
    if (FRM_CText* line = LineAtPoint(thePoint.GetTranslated(this, itsGrid)))
        ClickLine(line, GetDoubleCommand());
}

void FRM_CListBox::MouseMove(FRM_CPoint thePoint, short, short, short)
{
    if (itIsDragging == 0)
        return;
    const FRM_CPoint inGrid = thePoint.GetTranslated(this, itsGrid);
    FRM_CText* line = LineAtPoint(FRM_CPoint(Pixel(true), inGrid.V()));
    if (line == nullptr)
        line = GetSelectedItem(inGrid.V() > 0 ? 1 : -1);
    if (line != nullptr && line != GetSelectedView())
        ClickLine(line, GetCommand());
    ScrollLines(thePoint + GetScrollingOrigin());
}

void FRM_CListBox::MouseUp(FRM_CPoint, short, short, short)
{
    if (FRM_CWindow* window = GetCWindow())
        window->ReleasePointer();
    itIsDragging = 0;
}

void FRM_CListBox::ScrollLines(const FRM_CPoint& theLocation)
{
    const FRM_CRect inner = GetInnerFrame();
    auto past = [](float position, float size) {
        if (position - size > 0)
            return position - size;
        return position < 0 ? position : 0.0F;
    };
    const float dx = past(theLocation.H(), inner.Width());
    const float dy = past(theLocation.V(), inner.Height());
    if (dx != 0 || dy != 0)
        AutoScroll(dx, dy);
}

void FRM_CListBox::Key(const FRM_CKey& theKey)
{
    if (theKey.IsVirtualKey())
        return;
    char typed[16] = {};
    if (vko_str_convert_wc_to_mb(typed, theKey.GetChar()) <= 0)
        return;
    char other[16] = {};
    if (vko_str_is_lower(typed))
        vko_str_convert_to_upper(other, typed, sizeof other);
    else
        vko_str_convert_to_lower(other, typed, sizeof other);
    for (std::size_t i = 0; i < itsItems.size(); ++i) {
        const FRM_CStringRW title = itsItems[i]->GetTitle();
        if (vko_str_compare_n_char(title.data(), typed, 1) == 0 ||
            vko_str_compare_n_char(title.data(), other, 1) == 0) {
            SelectLine(static_cast<int>(i), 1);
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Commands and data binding

void FRM_CListBox::DoCommand(long theCommand, void* theData)
{
    if (theCommand == kCommandReportValue && GetPrimaryController() != nullptr) {
        TdiNotifyItems(kTagItemsReplaced);
        if (const FRM_CView* selected = GetSelectedView())
            TdiNotify(kTagValue, selected->GetTitle());
        TdiNotify(kSelectedIndex, static_cast<long>(GetSelectedLine()));
    }
    FRM_CScroller::DoCommand(theCommand, theData);
}

void FRM_CListBox::InvalidateAll()
{
    Invalidate(frm_views::MaxRect());
}

void FRM_CListBox::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    const auto* value = FrmCast<const FRM_CTdiValue>(model);
    if (controllerId != 0 || value == nullptr) {
        FRM_CScroller::DoUpdateModel(controllerId, command, model);
        return;
    }
    const int selected = GetSelectedLine();
    const int count = GetNumberOfLines();
    bool handled = true;
    switch (command) {
    case kTagValue:
        if (value->GetType() == FRM_CTdiValue::kInteger) {
            SelectLine(static_cast<int>(value->ToInteger()), 1);
            break;
        }
        handled = false;
        for (int i = 0; i < count && !handled; ++i)
            if (i != selected && GetLine(i) == value->ToString()) {
                SelectLine(i, 1);
                handled = true;
            }
        break;
    case kNoCommand:
        if (FRM_CView* view = Settled(GetSelectedView()))
            view->Invalidate(frm_views::MaxRect());
        DeselectLine();
        break;
    case kTagItemsCleared:
        TruncateTo(0);
        InvalidateAll();
        break;
    case kTagItemsReplaced: {
        auto* list = const_cast<FRM_CTdiListValue*>(FrmCast<const FRM_CTdiListValue>(value));
        if (list == nullptr)
            break;
        int i = 0;
        for (list->Reset(); list->Next(); ++i)
            InsertLine(list->ToString(), i, 1);
        TruncateTo(i);
        InvalidateAll();
        break;
    }
    case kTagItemsAppended: {
        auto* list = const_cast<FRM_CTdiListValue*>(FrmCast<const FRM_CTdiListValue>(value));
        if (list == nullptr)
            break;
        for (list->Reset(); list->Next();)
            InsertLine(list->ToString(), GetNumberOfLines(), 1);
        if (FRM_CText* last = Settled(LineAt(GetNumberOfLines() - 1)))
            last->Invalidate(frm_views::MaxRect());
        break;
    }
    case kSelectNext:
        handled = selected >= 0;
        if (handled && selected + 1 < count)
            SelectLine(selected + 1, 1);
        break;
    case kSelectPrevious:
        handled = selected >= 0;
        if (handled && selected > 0)
            SelectLine(selected - 1, 1);
        break;
    case kSelectFirst:
        if (count > 0)
            SelectLine(0, 1);
        break;
    case kSelectLast:
        if (count > 0)
            SelectLine(count - 1, 1);
        break;
    default:
        handled = false;
    }
    if (!handled)
        FRM_CScroller::DoUpdateModel(controllerId, command, model);
}

void FRM_CListBox::TdiNotifyItems(long theCommand)
{
    if (GetPrimaryController() == nullptr)
        return;
    FRM_CTdiListValue list(this, theCommand);
    for (const FRM_CText* line : itsItems)
        list.Append(new FRM_CTdiStringValue(line->GetTitle(), this, kNoCommand));
    GetPrimaryController()->DoChange(this, theCommand, &list);
}
