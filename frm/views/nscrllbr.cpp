// nscrllbr.cpp: scroll bars: range and position kept in logical units and mirrored onto the
// toolkit bar; user actions turned into positions for the bound value and the owners.
#include "frm/core/ccmdnums.h"
#include "frm/views/nscrllbr.h"

#include <algorithm>

#include "frm/core/ctdivalue.h"
#include "frm/views/csubview.h"
#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "nscrllbr";
constexpr long kErrBadRange = 381;
constexpr long kErrBadInit = 2900;
constexpr long kErrNullOwner = 2901;
constexpr std::int32_t kAttrBarHeight = 203;
constexpr std::int32_t kAttrBarWidth = 204;

e_win_type TypeOf(DIRECTION theDirection)
{
    return theDirection == VERTICAL ? WC_VSCROLL : WC_HSCROLL;
}

} // namespace

FRM_NScrollBar::FRM_NScrollBar(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                               DIRECTION theDirection, long theAttributes)
    : FRM_CNativeView(theEnclosure, theFrame, TypeOf(theDirection),
                      static_cast<std::int32_t>(theAttributes), FRM_CStringRW())
{
    SetOwner(theEnclosure);
}

FRM_NScrollBar::FRM_NScrollBar(WINDOW theHandle, FRM_CSubview* theEnclosure,
                               const FRM_CRect& theFrame, DIRECTION theDirection)
    : FRM_CNativeView(theHandle, theEnclosure, theFrame, TypeOf(theDirection))
{
    SetOwner(theEnclosure);
}

FRM_NScrollBar::FRM_NScrollBar(FRM_CSubview* theEnclosure, long theContainerId,
                               long theResourceId)
    : FRM_CNativeView(theEnclosure)
{
    BuildFromResource(theContainerId, theResourceId);
    SetOwner(theEnclosure);
}

FRM_NScrollBar::FRM_NScrollBar(const FRM_NScrollBar& other) : FRM_CNativeView(other)
{
    CopyValues(other);
}

// Hand-written: the owners restart with the source's owner; the values go to the control.
FRM_NScrollBar& FRM_NScrollBar::operator=(const FRM_NScrollBar& other)
{
    if (this == &other)
        return *this;
    FRM_CNativeView::operator=(other);
    // The bar starts again with the source's owner, or with none.
    itsOwners.clear();
    itsOwner = nullptr;
    CopyValues(other);
    return *this;
}

void FRM_NScrollBar::CopyValues(const FRM_NScrollBar& other)
{
    itsPosition = other.itsPosition;
    itsMinPosition = other.itsMinPosition;
    itsMaxPosition = other.itsMaxPosition;
    itsLineIncrement = other.itsLineIncrement;
    itsPageIncrement = other.itsPageIncrement;
    if (other.itsOwner != nullptr)
        SetOwner(other.itsOwner);
    RefreshNative();
    SetThumbSize(other.itsThumbSize);
    TdiNotify(kTagValue, GetPosition());
}

FRM_NScrollBar::~FRM_NScrollBar()
{
    itsOwners.clear();
}

short FRM_NScrollBar::IScrollBar(float theMin, float theMax, float thePosition, float theLine,
                                 float thePage, short isEnabled, short isVisible,
                                 unsigned long theGlue)
{
    if (theMin > theMax) {
        FrmError(kErrBadInit, kModule, __LINE__);
        theMax = theMin;
    }
    itsMinPosition = theMin;
    itsMaxPosition = std::max(theMax, theMin + kMinSpan);
    itsPosition = Clamp(thePosition);
    RefreshNative();
    SetIncrements(theLine, thePage);
    return INativeView(FRM_CStringRW(), isEnabled, isVisible, theGlue);
}

// ---------------------------------------------------------------------------------------------
// Range, position and thumb

int FRM_NScrollBar::ToPhysical(float theValue) const
{
    const FRM_CUnits* units = GetUnits();
    if (units == nullptr)
        return static_cast<int>(theValue);
    return IsHorizontal() ? units->HLogicalToPhysical(theValue)
                          : units->VLogicalToPhysical(theValue);
}

float FRM_NScrollBar::ToLogical(int theValue) const
{
    const FRM_CUnits* units = GetUnits();
    if (units == nullptr)
        return static_cast<float>(theValue);
    return IsHorizontal() ? units->HPhysicalToLogical(theValue)
                          : units->VPhysicalToLogical(theValue);
}

float FRM_NScrollBar::Clamp(float thePosition) const
{
    return std::max(itsMinPosition, std::min(thePosition, itsMaxPosition));
}

void FRM_NScrollBar::RefreshNative()
{
    WINDOW handle = GetVKOWindow();
    if (handle == nullptr)
        return;
    vko_sbar_set_range(handle, GetSBType(), ToPhysical(itsMinPosition),
                       ToPhysical(itsMaxPosition));
    RefreshNativePosition();
    SetThumbSize(itsThumbSize);
}

void FRM_NScrollBar::RefreshNativePosition()
{
    WINDOW handle = GetVKOWindow();
    if (handle == nullptr)
        return;
    std::int32_t nativeMin = 0;
    std::int32_t nativeMax = 0;
    vko_sbar_get_range(handle, GetSBType(), &nativeMin, &nativeMax);
    const std::int32_t proportion = vko_sbar_get_proportion(handle, GetSBType());
    const std::int32_t position = std::min(ToPhysical(itsPosition), nativeMax - proportion);
    vko_sbar_set_pos(handle, GetSBType(), position);
}

void FRM_NScrollBar::SetRange(float theMin, float theMax, float thePosition)
{
    if (theMin > theMax)
        FrmError(kErrBadRange, kModule, __LINE__);
    if (theMax - theMin < kMinSpan)
        theMax = theMin + kMinSpan;
    itsMinPosition = theMin;
    itsMaxPosition = theMax;
    itsPosition = Clamp(thePosition);
    RefreshNative();
}

void FRM_NScrollBar::SetPosition(float thePosition)
{
    itsPosition = Clamp(thePosition);
    RefreshNativePosition();
    TdiNotify(kTagValue, GetPosition());
}

void FRM_NScrollBar::SetThumbSize(float theSize)
{
    itsThumbSize = std::max(0.0F, std::min(theSize, itsMaxPosition - itsMinPosition));
    if (WINDOW handle = GetVKOWindow())
        vko_sbar_set_proportion(handle, GetSBType(), ToPhysical(itsThumbSize));
}

void FRM_NScrollBar::SetIncrements(float theLine, float thePage)
{
    itsLineIncrement = theLine;
    itsPageIncrement = thePage;
}

// ---------------------------------------------------------------------------------------------
// Owners

void FRM_NScrollBar::SetOwner(FRM_CView* theOwner)
{
    if (theOwner == nullptr) {
        FrmError(kErrNullOwner, kModule, __LINE__);
        return;
    }
    itsOwner = theOwner;
    InsertOwner(theOwner);
}

void FRM_NScrollBar::InsertOwner(FRM_CView* theOwner)
{
    if (theOwner != nullptr &&
        std::find(itsOwners.begin(), itsOwners.end(), theOwner) == itsOwners.end())
        itsOwners.push_back(theOwner);
}

void FRM_NScrollBar::RemoveOwner(FRM_CView* theOwner)
{
    itsOwners.erase(std::remove(itsOwners.begin(), itsOwners.end(), theOwner), itsOwners.end());
    if (itsOwner == theOwner)
        itsOwner = nullptr;
}

void FRM_NScrollBar::HScroll(e_scroll_ctl theAction, float thePosition)
{
    // An owner may remove itself or others while it scrolls: walk a copy.
    const std::vector<FRM_CView*> owners = itsOwners;
    for (FRM_CView* owner : owners)
        owner->HScroll(theAction, thePosition);
}

void FRM_NScrollBar::VScroll(e_scroll_ctl theAction, float thePosition)
{
    const std::vector<FRM_CView*> owners = itsOwners;
    for (FRM_CView* owner : owners)
        owner->VScroll(theAction, thePosition);
}

int FRM_NScrollBar::NativeWidth()
{
    return static_cast<int>(vko_vobj_get_attr(nullptr, kAttrBarWidth));
}

int FRM_NScrollBar::NativeHeight()
{
    return static_cast<int>(vko_vobj_get_attr(nullptr, kAttrBarHeight));
}

// ---------------------------------------------------------------------------------------------
// Events

void FRM_NScrollBar::DoHit(const s_ctlinfo& theInfo)
{
    const e_scroll_ctl action = theInfo.v.sbar.what;
    float position = itsPosition;
    switch (action) {
    case SC_LINE_UP:
        position -= itsLineIncrement;
        break;
    case SC_LINE_DOWN:
        position += itsLineIncrement;
        break;
    case SC_PAGE_UP:
        position -= itsPageIncrement;
        break;
    case SC_PAGE_DOWN:
        position += itsPageIncrement;
        break;
    case SC_THUMB:
    case SC_THUMBTRACK:
        position = ToLogical(theInfo.v.sbar.pos);
        break;
    default:
        break;
    }
    itsPosition = Clamp(position);
    RefreshNativePosition();
    TdiNotify(kTagValue, GetPosition());
    if (IsHorizontal())
        HScroll(action, itsPosition);
    else
        VScroll(action, itsPosition);
}

void FRM_NScrollBar::Show()
{
    FRM_CNativeView::Show();
    RefreshNative();
}

void FRM_NScrollBar::Size(const FRM_CRect& theFrame)
{
    FRM_CNativeView::Size(theFrame);
    RefreshNative();
}

void FRM_NScrollBar::DoCommand(long theCommand, void* theData)
{
    if (theCommand == kCommandReportValue)
        TdiNotify(kTagValue, GetPosition());
    FRM_CNativeView::DoCommand(theCommand, theData);
}

void FRM_NScrollBar::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    const auto* value = FrmCast<const FRM_CTdiValue>(model);
    if (controllerId == 0 && command == kTagValue && value != nullptr &&
        value->IsConvertible(FRM_CTdiValue::kFloat)) {
        SetPosition(value->ToFloat());
        return;
    }
    FRM_CNativeView::DoUpdateModel(controllerId, command, model);
}

// ---------------------------------------------------------------------------------------------
// A window's own bar

FRM_NWinScrollBar::FRM_NWinScrollBar(FRM_CSubview* theWindow, DIRECTION theDirection)
    : FRM_NScrollBar(theWindow != nullptr ? theWindow->GetVKOWindow() : nullptr, theWindow,
                     FRM_CRect(0, 0, 0, 0), theDirection)
{
}

FRM_NWinScrollBar::~FRM_NWinScrollBar()
{
    SetHandle(nullptr);   // the handle is the window's: never destroyed from here
}
