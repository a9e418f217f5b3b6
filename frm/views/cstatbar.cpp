// cstatbar.cpp: the status bar's fields, their arrangement and the bar's 3-D picture.
#include "frm/views/cstatbar.h"

#include <algorithm>

#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/ctext.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kAlongTheBottom = 0xFF00UL;
constexpr unsigned long kBlack = 0x07000000UL;
constexpr unsigned long kWhite = 0x0BFFFFFFUL;
constexpr int kMinimumHeight = 10;   // pixels

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CStatusBar::FRM_CStatusBar(FRM_CSubview* theEnclosure)
    : FRM_CSubview(theEnclosure, FRM_CRect(0, 0, 1, 1))
{
    itIsAutoSized = 1;
    const FRM_CRect around = theEnclosure != nullptr ? theEnclosure->GetFrame() : FRM_CRect();
    DoSize(FRM_CRect(0, around.Height() - VPx(kMinimumHeight), around.Width(), around.Height()));
    SetGlue(kAlongTheBottom);
}

FRM_CStatusBar::FRM_CStatusBar(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion)
    : FRM_CSubview(theEnclosure, theRegion)
{
}

FRM_CStatusBar::FRM_CStatusBar(const FRM_CStatusBar& other) : FRM_CSubview(other)
{
    Copy(other);
    ArrangeSubviews();
}

// Hand-written: the fields stay this bar's own; the looks are copied and the bar laid out.
FRM_CStatusBar& FRM_CStatusBar::operator=(const FRM_CStatusBar& other)
{
    if (this == &other)
        return *this;
    FRM_CSubview::operator=(other);
    Copy(other);
    ArrangeSubviews();
    return *this;
}

FRM_CStatusBar::~FRM_CStatusBar()
{
    // The views go with the subview part; the records must not name them meanwhile.
    itsFieldIndices.clear();
    itsFields.clear();
}

void FRM_CStatusBar::Copy(const FRM_CStatusBar& other)
{
    itsFlatColor = other.itsFlatColor;
    itsLightShadowColor = other.itsLightShadowColor;
    itsDarkShadowColor = other.itsDarkShadowColor;
    itsBorderWidth = other.itsBorderWidth;
    itsFieldBorderWidth = other.itsFieldBorderWidth;
    itsSeparatorWidth = other.itsSeparatorWidth;
    itsHPadding = other.itsHPadding;
    itsVPadding = other.itsVPadding;
}

void FRM_CStatusBar::IStatusBar(int theBorderWidth, int theFieldBorderWidth, int theSeparatorWidth,
                                int theHPadding, int theVPadding, unsigned long theFlatColor,
                                unsigned long theLightShadowColor, unsigned long theDarkShadowColor)
{
    itsBorderWidth = theBorderWidth;
    itsFieldBorderWidth = theFieldBorderWidth;
    itsSeparatorWidth = theSeparatorWidth;
    itsHPadding = theHPadding;
    itsVPadding = theVPadding;
    itsFlatColor = theFlatColor;
    itsLightShadowColor = theLightShadowColor;
    itsDarkShadowColor = theDarkShadowColor;
}

void FRM_CStatusBar::GetSpacingValues(int* theBorderWidth, int* theFieldBorderWidth,
                                      int* theSeparatorWidth, int* theHPadding,
                                      int* theVPadding) const
{
    if (theBorderWidth != nullptr)
        *theBorderWidth = itsBorderWidth;
    if (theFieldBorderWidth != nullptr)
        *theFieldBorderWidth = itsFieldBorderWidth;
    if (theSeparatorWidth != nullptr)
        *theSeparatorWidth = itsSeparatorWidth;
    if (theHPadding != nullptr)
        *theHPadding = itsHPadding;
    if (theVPadding != nullptr)
        *theVPadding = itsVPadding;
}

void FRM_CStatusBar::SetAutoSized(short isAutoSized)
{
    if (isAutoSized == itIsAutoSized)
        return;
    itIsAutoSized = isAutoSized;
    DoSize(GetFrame());
    SetSizing(IsSizable());
    SetDragging(IsDraggable());
    if (itIsAutoSized != 0 && GetGlue() == 0)
        SetGlue(kAlongTheBottom);
}

float FRM_CStatusBar::HPx(int thePixels) const
{
    return frm_views::HPixelsToLogical(this, static_cast<float>(thePixels));
}

float FRM_CStatusBar::VPx(int thePixels) const
{
    return frm_views::VPixelsToLogical(this, static_cast<float>(thePixels));
}

// ---------------------------------------------------------------------------------------------
// Fields

unsigned FRM_CStatusBar::GetFieldIndex(long theId) const
{
    const auto found = itsFieldIndices.find(static_cast<float>(theId));
    return found == itsFieldIndices.end() ? kNoIndex : found->second;
}

FRM_CStatusBar::StatusField* FRM_CStatusBar::GetStatusField(long theId) const
{
    const unsigned index = GetFieldIndex(theId);
    if (index == kNoIndex)
        return nullptr;
    return const_cast<StatusField*>(&itsFields[index]);
}

void FRM_CStatusBar::SetFieldIndices()
{
    itsFieldIndices.clear();
    for (unsigned i = 0; i < itsFields.size(); ++i)
        itsFieldIndices.emplace(static_cast<float>(itsFields[i].itsId), i);
}

short FRM_CStatusBar::InsertField(unsigned theIndex, long theId, FRM_CView* theFieldView,
                                  float theWidth, short isInset)
{
    if (GetFieldIndex(theId) != kNoIndex || theFieldView == nullptr)
        return 0;
    if (theFieldView->GetEnclosure() != this)
        theFieldView->SetEnclosure(this);
    StatusField field;
    field.itsId = static_cast<std::int32_t>(theId);
    field.itsRequestedWidth = theWidth == 0 ? theFieldView->GetFrame().Width() : theWidth;
    if (theWidth != kStretch)
        field.itsRequestedWidth += HPx(2 * (itsFieldBorderWidth + itsHPadding));
    field.itsView = theFieldView;
    field.itIsInset = isInset;
    // An index past the end appends, so that the list never has a gap.
    const unsigned index = std::min(theIndex, GetNumFields());
    itsFields.insert(itsFields.begin() + index, field);
    SetFieldIndices();
    ArrangeSubviews();
    return 1;
}

short FRM_CStatusBar::InsertField(unsigned theIndex, long theId,
                                  const FRM_CStringRW& theInitialStatus, float theWidth)
{
    FRM_CText* text = nullptr;
    if (CViewFactory* factory = CViewFactory::GetTop())
        text = factory->ConstructCText(this, FRM_CPoint(0, 0), theInitialStatus);
    if (text == nullptr)
        text = new FRM_CText(this, FRM_CPoint(0, 0), theInitialStatus);
    text->SetOpaque(0);
    if (InsertField(theIndex, theId, text, theWidth, 1) != 0)
        return 1;
    delete text;
    return 0;
}

short FRM_CStatusBar::AppendField(long theId, FRM_CView* theFieldView, float theWidth,
                                  short isInset)
{
    return InsertField(GetNumFields(), theId, theFieldView, theWidth, isInset);
}

short FRM_CStatusBar::AppendField(long theId, const FRM_CStringRW& theInitialStatus,
                                  float theWidth)
{
    return InsertField(GetNumFields(), theId, theInitialStatus, theWidth);
}

long FRM_CStatusBar::AddField(FRM_CView* theFieldView, float theWidth, short isInset)
{
    if (theFieldView == nullptr)
        return 0;
    long id = 0;
    for (const StatusField& field : itsFields)
        id = std::max(id, static_cast<long>(field.itsId));
    ++id;
    float x = GetGlobalFrame().Left() + HPx(itsBorderWidth + itsSeparatorWidth + itsHPadding);
    const float viewLeft = theFieldView->GetGlobalFrame().Left();
    unsigned index = 0;
    for (; index < GetNumFields() && x < viewLeft; ++index)
        if (itsFields[index].itIsVisible != 0)
            x += HPx(itsSeparatorWidth) + itsFields[index].itsActualWidth;
    return InsertField(index, id, theFieldView, theWidth, isInset) != 0 ? id : -1;
}

void FRM_CStatusBar::DropField(unsigned theIndex)
{
    itsFields.erase(itsFields.begin() + theIndex);
    SetFieldIndices();
}

void FRM_CStatusBar::RemoveField(long theId)
{
    const unsigned index = GetFieldIndex(theId);
    if (index == kNoIndex)
        return;
    FRM_CView* view = itsFields[index].itsView;
    DropField(index);
    delete view;
    ArrangeSubviews();
}

void FRM_CStatusBar::SetEnclosure(FRM_CSubview* theEnclosure)
{
    // Moving re-adds every child to the bar, which takes each out first: the fields stay.
    itIsMoving = 1;
    FRM_CSubview::SetEnclosure(theEnclosure);
    itIsMoving = 0;
}

void FRM_CStatusBar::RemoveSubview(FRM_CView* theView)
{
    FRM_CSubview::RemoveSubview(theView);
    if (itIsMoving != 0)
        return;
    for (unsigned i = 0; i < itsFields.size(); ++i)
        if (itsFields[i].itsView == theView) {
            DropField(i);
            ArrangeSubviews();
            return;
        }
}

void FRM_CStatusBar::RemoveAllFields(short itDeletesSubviews)
{
    // The records go first: a view's destruction must find none naming it.
    std::vector<StatusField> fields;
    fields.swap(itsFields);
    itsFieldIndices.clear();
    if (itDeletesSubviews != 0)
        for (const StatusField& field : fields)
            delete field.itsView;
    FRM_CDrawingContext context(this);
    context.InvalidateRect(GetGlobalFrame());
}

void FRM_CStatusBar::SetFieldShown(StatusField& theField, bool isShown)
{
    theField.itIsVisible = isShown ? 1 : 0;
    if (theField.itsView == nullptr)
        return;
    if (isShown)
        theField.itsView->DoShow();
    else
        theField.itsView->DoHide();
}

void FRM_CStatusBar::ShowField(long theId)
{
    if (StatusField* field = GetStatusField(theId)) {
        SetFieldShown(*field, true);
        ArrangeSubviews();
    }
}

void FRM_CStatusBar::HideField(long theId)
{
    if (StatusField* field = GetStatusField(theId)) {
        SetFieldShown(*field, false);
        ArrangeSubviews();
    }
}

void FRM_CStatusBar::ShowAllFields()
{
    for (StatusField& field : itsFields)
        SetFieldShown(field, true);
    ArrangeSubviews();
}

void FRM_CStatusBar::HideAllFields()
{
    for (StatusField& field : itsFields)
        SetFieldShown(field, false);
    ArrangeSubviews();
}

void FRM_CStatusBar::SizeField(long theId, float theSize)
{
    StatusField* field = GetStatusField(theId);
    if (field == nullptr)
        return;
    if (theSize == 0 && field->itsView != nullptr)
        field->itsRequestedWidth = field->itsView->GetFrame().Width() +
                                   HPx(2 * (itsFieldBorderWidth + itsHPadding));
    else
        field->itsRequestedWidth = theSize;
    ArrangeSubviews();
}

void FRM_CStatusBar::SetFieldStatus(long theId, const FRM_CStringRW& theStatus, short isShown)
{
    StatusField* field = GetStatusField(theId);
    if (field == nullptr || field->itsView == nullptr || field->itsView->GetTitle() == theStatus)
        return;
    field->itsView->SetTitle(theStatus);
    if (isShown != 0 && field->itIsVisible == 0)
        ShowField(theId);
    vko_dwin_update(GetVKOWindow());
}

FRM_CStringRW FRM_CStatusBar::GetFieldStatus(long theId) const
{
    const StatusField* field = GetStatusField(theId);
    return field != nullptr && field->itsView != nullptr ? field->itsView->GetTitle()
                                                         : FRM_CStringRW();
}

FRM_CView* FRM_CStatusBar::GetField(long theId) const
{
    const StatusField* field = GetStatusField(theId);
    return field != nullptr ? field->itsView : nullptr;
}

long FRM_CStatusBar::GetFieldId(unsigned theIndex) const
{
    return theIndex < GetNumFields() ? itsFields[theIndex].itsId : -1;
}

float FRM_CStatusBar::GetFieldWidth(long theId) const
{
    const StatusField* field = GetStatusField(theId);
    return field != nullptr ? field->itsRequestedWidth : 0;
}

short FRM_CStatusBar::IsFieldInset(long theId) const
{
    const StatusField* field = GetStatusField(theId);
    return field != nullptr ? field->itIsInset : 0;
}

short FRM_CStatusBar::IsFieldVisible(long theId) const
{
    const StatusField* field = GetStatusField(theId);
    return field != nullptr ? field->itIsVisible : 1;
}

// ---------------------------------------------------------------------------------------------
// Layout

void FRM_CStatusBar::ArrangeSubviews()
{
    const FRM_CUnits* units = GetUnits();
    auto toPixels = [units](float logical) {
        return units != nullptr ? units->HLogicalToPhysical(logical) : static_cast<int>(logical);
    };
    int fixedPixels = itsSeparatorWidth + 2 * itsBorderWidth;
    float minimumHeight = VPx(kMinimumHeight);
    int stretching = 0;
    int fixed = 0;
    for (const StatusField& field : itsFields) {
        if (field.itIsVisible == 0)
            continue;
        if (field.itsRequestedWidth == kStretch) {
            fixedPixels += itsSeparatorWidth + 2 * itsFieldBorderWidth;
            ++stretching;
        } else {
            fixedPixels += toPixels(field.itsRequestedWidth) + itsSeparatorWidth;
            ++fixed;
        }
        const float height = field.itsView != nullptr ? field.itsView->GetFrame().Height() : 0;
        minimumHeight = std::max(minimumHeight, height + VPx(2 * itsVPadding));
    }
    const float spare = GetFrame().Width() - HPx(fixedPixels);
    float stretchShare = 0;
    float fixedShare = 0;
    if (spare > 0 && stretching > 0)
        stretchShare = spare / static_cast<float>(stretching);
    else if (fixed > 0)
        fixedShare = spare / static_cast<float>(fixed);

    const FRM_CRect before = GetGlobalFrame();
    if (itIsAutoSized != 0) {
        const FRM_CRect frame = GetFrame();
        const float height = minimumHeight + VPx(2 * (itsBorderWidth + itsFieldBorderWidth));
        FRM_CSubview::DoSize(
            FRM_CRect(frame.Left(), frame.Bottom() - height, frame.Right(), frame.Bottom()));
    }
    float x = HPx(itsSeparatorWidth + itsBorderWidth + itsFieldBorderWidth + itsHPadding);
    const float middle = GetFrame().Height() / 2;
    for (StatusField& field : itsFields) {
        if (field.itIsVisible == 0)
            continue;
        if (field.itsRequestedWidth == kStretch)
            field.itsActualWidth = stretchShare + HPx(2 * itsFieldBorderWidth);
        else
            field.itsActualWidth = std::max(field.itsRequestedWidth + fixedShare,
                                            HPx(2 * itsFieldBorderWidth));
        if (FRM_CView* view = field.itsView) {
            const FRM_CRect frame = view->GetFrame();
            const float top = middle - frame.Height() / 2;
            view->DoSize(FRM_CRect(x, top, x + frame.Width(), top + frame.Height()));
        }
        x += HPx(itsSeparatorWidth) + field.itsActualWidth;
    }
    FRM_CDrawingContext context(this);
    context.InvalidateRect(before + GetGlobalFrame());
}

void FRM_CStatusBar::DoSize(const FRM_CRect& theFrame)
{
    const FRM_CRect before = GetFrame();
    if (itIsAutoSized == 0) {
        FRM_CSubview::DoSize(theFrame);
    } else {
        const FRM_CRect around =
            GetEnclosure() != nullptr ? GetEnclosure()->GetFrame() : FRM_CRect();
        FRM_CSubview::DoSize(FRM_CRect(0, around.Height() - before.Height(), around.Width(),
                                       around.Height()));
    }
    const FRM_CRect after = GetFrame();
    if (after.Width() != before.Width() || after.Height() != before.Height())
        ArrangeSubviews();
}

void FRM_CStatusBar::DoShow()
{
    Show();
    for (const StatusField& field : itsFields)
        if (field.itIsVisible != 0 && field.itsView != nullptr)
            field.itsView->DoShow();
    ArrangeSubviews();
}

void FRM_CStatusBar::DoSetFont(const FRM_CFont& theFont, short isShared)
{
    const FRM_CEnvironment* environment = GetEnvironment();
    const bool changed = environment == nullptr || environment->GetFont() != theFont;
    FRM_CSubview::DoSetFont(theFont, isShared);
    if (changed)
        ArrangeSubviews();
}

void FRM_CStatusBar::DoSetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    const FRM_CEnvironment* environment = GetEnvironment();
    const bool changed =
        environment == nullptr || environment->GetFont() != theEnvironment.GetFont();
    FRM_CSubview::DoSetEnvironment(theEnvironment, isShared);
    if (changed)
        ArrangeSubviews();
}

void FRM_CStatusBar::SetDragging(short isOn)
{
    FRM_CSubview::SetDragging(isOn != 0 && itIsAutoSized == 0 ? 1 : 0);
}

void FRM_CStatusBar::SetSizing(short isOn)
{
    FRM_CSubview::SetSizing(isOn != 0 && itIsAutoSized == 0 ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void FRM_CStatusBar::Draw(const FRM_CRect& theClip)
{
    FRM_CDrawingContext context(this);
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    const FRM_CFont& font =
        library != nullptr ? library->GetSTDFont() : FRM_CEnvironment::DefaultFont();
    context.GetEnv().IEnvironment(itsFlatColor, kBlack, itsFlatColor, PAT_SOLID, itsFlatColor,
                                  PAT_SOLID, 1, font, M_COPY, P_SOLID, 0, kWhite, kBlack, kWhite,
                                  kBlack);
    context.SetEnv(context.GetEnv());
    const FRM_CRect frame = GetGlobalFrame();
    context.DrawRect(frame);
    if (itsBorderWidth != 0)
        context.DrawOutsetFrame(frame, itsBorderWidth - 1, itsLightShadowColor,
                                itsDarkShadowColor);
    float x = frame.Left() + HPx(itsBorderWidth + itsSeparatorWidth);
    const float top = frame.Top() + VPx(itsBorderWidth);
    const float bottom = frame.Bottom() - VPx(itsBorderWidth);
    for (const StatusField& field : itsFields) {
        if (field.itIsVisible == 0)
            continue;
        if (field.itIsInset != 0)
            context.DrawInsetFrame(FRM_CRect(x, top, x + field.itsActualWidth, bottom),
                                   itsFieldBorderWidth - 1, itsLightShadowColor,
                                   itsDarkShadowColor);
        x += HPx(itsSeparatorWidth) + field.itsActualWidth;
    }
    context.SetClip(frm_views::MaxRect());
    FRM_CSubview::Draw(theClip);
}

void FRM_CStatusBar::DoDraw(const FRM_CRect& theClip)
{
    if (!IsVisible())
        return;
    FRM_CRect clip = theClip;
    if (frm_views::IsMaxRect(clip))
        clip = GetEnclosure() != nullptr ? GetEnclosure()->GetClippedFrame() : GetClippedFrame();
    if (Prepare(clip)) {
        Draw(clip);
        const FRM_CRect frame = GetGlobalFrame();
        float left = frame.Left() +
                     HPx(itsBorderWidth + itsSeparatorWidth + itsHPadding + itsFieldBorderWidth);
        const float top = frame.Top() + VPx(2 * itsBorderWidth);
        const float bottom = frame.Bottom() - VPx(2 * itsBorderWidth);
        for (const StatusField& field : itsFields) {
            if (field.itIsVisible == 0)
                continue;
            const float inner = field.itsActualWidth - HPx(2 * (itsFieldBorderWidth + itsHPadding));
            if (field.itsView != nullptr)
                field.itsView->DoDraw(clip & field.itsView->GetClippedFrame() &
                                      FRM_CRect(left, top, left + inner, bottom));
            left += HPx(itsSeparatorWidth) + field.itsActualWidth;
        }
    }
    vko_dwin_set_clip(GetVKOWindow(), nullptr);
}
