// cradiogr.cpp: radio groups and their buttons.
#include "frm/controls/cradiogr.h"

#include <vector>

#include "frm/core/ccmdnums.h"
#include "frm/core/ctdivalue.h"
#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cresourc.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kButtonModule[] = "nradbttn";
constexpr long kErrNotInGroup = 6550;
constexpr std::int32_t kAttrRadioSize = 205;
constexpr int kTitleBufferSize = 511;

} // namespace

// ---------------------------------------------------------------------------------------------
// Buttons

FRM_NRadioButton::FRM_NRadioButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                   FRM_CRadioGroup* theGroup, long theAttributes,
                                   const FRM_CStringRW& theTitle)
    : FRM_CNativeView(theEnclosure, theFrame, WC_RADIOBUTTON,
                      static_cast<std::int32_t>(theAttributes), theTitle),
      itsGroup(theGroup)
{
    if (theEnclosure == nullptr || static_cast<FRM_CSubview*>(theGroup) != theEnclosure)
        FrmError(kErrNotInGroup, kButtonModule, __LINE__);
}

FRM_NRadioButton::FRM_NRadioButton(FRM_CRadioGroup* theGroup, long theContainerId,
                                   long theResourceId)
    : FRM_CNativeView(theGroup), itsGroup(theGroup)
{
    SetType(WC_RADIOBUTTON);
    BuildFromResource(theContainerId, theResourceId);
}

// Hand-written: the button stays in its own group, which is its enclosure.
FRM_NRadioButton& FRM_NRadioButton::operator=(const FRM_NRadioButton& other)
{
    FRM_CNativeView::operator=(other);
    return *this;
}

void FRM_NRadioButton::DoHit(const s_ctlinfo&)
{
    Activate();
    if (itsGroup != nullptr)
        itsGroup->SetSelectedButton(GetId());
    DoCommand(GetCommand(), this);
}

// ---------------------------------------------------------------------------------------------
// The group

FRM_CRadioGroup::FRM_CRadioGroup(FRM_CSubview* theEnclosure, const FRM_CPoint& theOrigin,
                                 short hasBorder)
    : FRM_CSubview(theEnclosure,
                   FRM_CRect(theOrigin.H(), theOrigin.V(), theOrigin.H(), theOrigin.V())),
      itHasBorder(hasBorder)
{
}

FRM_CRadioGroup::FRM_CRadioGroup(FRM_CSubview* theEnclosure, long theContainerId,
                                 long theResourceId)
    : FRM_CSubview(theEnclosure, FRM_CRect(0, 0, 0, 0)), itsBorderSpace(0)
{
    SetResourceContainerId(static_cast<std::int32_t>(theContainerId));
    SetResourceId(static_cast<std::int32_t>(theResourceId));
    FRM_CResourceItems items(static_cast<std::int32_t>(theContainerId));
    items.IObject(theResourceId, this);
}

FRM_CRadioGroup::FRM_CRadioGroup(const FRM_CRadioGroup& other)
    : FRM_CSubview(other), itsBorderSpace(other.itsBorderSpace), itHasBorder(other.itHasBorder)
{
    CopyButtons(other);
}

// Hand-written: the own buttons are deleted and new ones made like the source's.
FRM_CRadioGroup& FRM_CRadioGroup::operator=(const FRM_CRadioGroup& other)
{
    if (this == &other)
        return *this;
    FRM_CSubview::operator=(other);
    // Each button's destructor takes it out of the list.
    while (itsSubviews->entries() > 0)
        delete ChildAt(0);
    itsSelectedId = -1;
    itsBorderSpace = other.itsBorderSpace;
    itHasBorder = other.itHasBorder;
    CopyButtons(other);
    return *this;
}

// The selection is not copied as an id: the other group's ids name its own buttons. The copy
// of the button the toolkit shows as on is selected instead.
void FRM_CRadioGroup::CopyButtons(const FRM_CRadioGroup& theGroup)
{
    long checked = -1;
    for (std::size_t i = 0; i < theGroup.itsSubviews->entries(); ++i) {
        const FRM_CView* source = theGroup.ChildAt(i);
        const FRM_CRect frame = source->GetFrame();
        const long id = LayOutButton(FRM_CPoint(frame.Left(), frame.Top()), source->GetTitle(),
                                     source->GetCommand(), 0, source->GetGlue());
        if (source->GetVKOWindow() != nullptr && vko_ctl_is_checked(source->GetVKOWindow()))
            checked = id;
    }
    if (checked != -1)
        SetSelectedButton(checked);
}

void FRM_CRadioGroup::TakeRadioRun(long theContainerId, const s_win_def* theFirst)
{
    // The group covers the run's rectangles (window coordinates); the definition ends with
    // an entry of type 0, so the run always ends.
    FRM_CRect all(0, 0, 0, 0);
    for (const s_win_def* entry = theFirst; entry->type == WC_RADIOBUTTON; ++entry)
        all = entry == theFirst ? FRM_CRect(entry->rct) : all + FRM_CRect(entry->rct);
    FRM_CView::Size(all);
    CResourceFactory* factory = CResourceFactory::GetTop();
    if (factory == nullptr)
        return;
    const FRM_CPoint corner(itsFrame.Left(), itsFrame.Top());
    for (const s_win_def* entry = theFirst; entry->type == WC_RADIOBUTTON; ++entry) {
        FRM_NRadioButton* button = factory->ConstructNRadioButton(this, theContainerId, entry->id);
        if (button == nullptr)
            continue;
        button->SetCommand(entry->id);
        // The item's rectangle is in the window; the button's frame is in the group.
        button->Size(button->GetFrame() - corner);
        if (vko_ctl_is_checked(button->GetVKOWindow()))
            itsSelectedId = static_cast<std::int32_t>(button->GetId());
    }
}

int FRM_CRadioGroup::RBMinSize()
{
    return static_cast<int>(vko_vobj_get_attr(nullptr, kAttrRadioSize)) + 4;
}

float FRM_CRadioGroup::H(float thePixels) const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->HPhysicalToLogical(static_cast<int>(thePixels)) : thePixels;
}

float FRM_CRadioGroup::V(float thePixels) const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->VPhysicalToLogical(static_cast<int>(thePixels)) : thePixels;
}

FRM_CNativeView* FRM_CRadioGroup::ButtonWithId(long theId) const
{
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
        if (ChildAt(i)->GetId() == theId)
            return FrmCast<FRM_CNativeView>(ChildAt(i));
    return nullptr;
}

void FRM_CRadioGroup::SetSelectedButton(long theId)
{
    std::vector<WINDOW> windows;
    WINDOW chosen = nullptr;
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i) {
        FRM_CView* button = ChildAt(i);
        windows.push_back(button->GetVKOWindow());
        if (button->GetId() == theId) {
            chosen = button->GetVKOWindow();
            itsSelectedId = static_cast<std::int32_t>(theId);
            TdiNotify(kTagValue, button->GetTitle());
        }
    }
    if (chosen != nullptr)
        vko_ctl_check_radio_button(chosen, windows.data(),
                                   static_cast<std::int32_t>(windows.size()));
}

void FRM_CRadioGroup::SetSelectedButton(const FRM_CStringRW& theTitle)
{
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
        if (ChildAt(i)->GetTitle() == theTitle) {
            SetSelectedButton(ChildAt(i)->GetId());
            return;
        }
}

long FRM_CRadioGroup::LayOutButton(const FRM_CPoint& theTopLeft, const FRM_CStringRW& theTitle,
                                   long theCommand, unsigned long theAttributes,
                                   unsigned long theGlue)
{
    FRM_CFont font = GetEnvironment() != nullptr ? GetEnvironment()->GetFont()
                                                 : FRM_CEnvironment::DefaultFont();
    font.Map(GetCWindow());
    const float border = H(static_cast<float>(itsBorderSpace));
    const float left = std::max(theTopLeft.H(), border);
    const float top = std::max(theTopLeft.V(), V(static_cast<float>(itsBorderSpace)));
    const FRM_CRect rect(left, top,
                         left + H(static_cast<float>(RBMinSize())) +
                             H(static_cast<float>(font.GetTextWidth(theTitle))),
                         top + V(static_cast<float>(RBMinSize())));
    itsFrame += rect + FRM_CPoint(itsFrame.Left() + border, itsFrame.Top() + border);
    auto* button =
        new FRM_NRadioButton(this, rect, this, static_cast<long>(theAttributes), theTitle);
    button->SetGlue(theGlue);
    button->SetCommand(theCommand);
    return button->GetId();
}

long FRM_CRadioGroup::AddButton(const FRM_CPoint& theTopLeft, const FRM_CStringRW& theTitle,
                                long theCommand, unsigned long theAttributes,
                                unsigned long theGlue)
{
    return LayOutButton(theTopLeft, theTitle, theCommand, theAttributes, theGlue);
}

long FRM_CRadioGroup::AddButtons(long theFirstId, int theNum, long theFirstCommand,
                                 unsigned long theAttributes, int theSelectedButton,
                                 float theSeparation, DIRECTION theDirection)
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    FRM_CFont standard =
        library != nullptr ? library->GetSTDFont() : FRM_CEnvironment::DefaultFont();
    standard.Map(GetCWindow());
    FRM_CPoint at = theDirection == VERTICAL ? FRM_CPoint(itsFrame.Width(), 0)
                                             : FRM_CPoint(0, itsFrame.Height());
    long first = -1;
    for (int i = 0; i < theNum; ++i) {
        char title[kTitleBufferSize] = {};
        vko_res_get_str(static_cast<std::int32_t>(theFirstId + i), title, kTitleBufferSize);
        const long id =
            LayOutButton(at, FRM_CStringRW(title), theFirstCommand + i, theAttributes, 0);
        if (i == 0)
            first = id;
        if (theDirection == VERTICAL)
            at +=
                FRM_CPoint(0, V(static_cast<float>(static_cast<int>(RBMinSize() + theSeparation))));
        else
            at += FRM_CPoint(
                H(static_cast<float>(RBMinSize() + standard.GetTextWidth(FRM_CStringRW(title)) +
                                     static_cast<long>(theSeparation))),
                0);
    }
    const float border = H(static_cast<float>(itsBorderSpace));
    const float borderV = V(static_cast<float>(itsBorderSpace));
    itsFrame.Inflate(border, borderV);
    itsFrame += FRM_CPoint(border, borderV);
    if (theSelectedButton != 0 && first != -1)
        SetSelectedButton(first + theSelectedButton - 1);
    return first;
}

void FRM_CRadioGroup::SetBorderSpace(int theBorderSpace)
{
    itsBorderSpace = theBorderSpace;
    FRM_CRect all(0, 0, 1, 1);
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
        all = i == 0 ? ChildAt(i)->GetFrame() : all + ChildAt(i)->GetFrame();
    const auto space = static_cast<float>(theBorderSpace);
    Size(FRM_CRect(itsFrame.Left(), itsFrame.Top(), itsFrame.Left() + all.Width() + 2 * space,
                   itsFrame.Top() + all.Height() + 2 * space));
    const FRM_CPoint offset(space - all.Left(), space - all.Top());
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
        ChildAt(i)->Size(ChildAt(i)->GetFrame() + offset);
}

void FRM_CRadioGroup::RemoveButton(long theId)
{
    if (theId == -1)
        return;
    for (std::size_t i = 0; i < itsSubviews->entries(); ++i)
        if (ChildAt(i)->GetId() == theId) {
            delete ChildAt(i);
            break;
        }
    if (itsSelectedId == theId)
        itsSelectedId = -1;
}

long FRM_CRadioGroup::FindResButtonId(long theContainerId, long theId)
{
    FRM_CView* view = FindResourceView(theContainerId, theId);
    return FrmCast<FRM_NRadioButton>(view) != nullptr ? view->GetId() : 0;
}

void FRM_CRadioGroup::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    const auto* value = FrmCast<const FRM_CTdiValue>(model);
    if (controllerId == 0 && value != nullptr && command == kTagValue) {
        SetSelectedButton(value->ToString());
        return;
    }
    FRM_CSubview::DoUpdateModel(controllerId, command, model);
}

void FRM_CRadioGroup::DoCommand(long theCommand, void* theData)
{
    if (theCommand == kCommandReportValue)
        if (const FRM_CView* selected = ButtonWithId(itsSelectedId))
            TdiNotify(kTagValue, selected->GetTitle());
    FRM_CSubview::DoCommand(theCommand, theData);
}

void FRM_CRadioGroup::Draw(const FRM_CRect& theClip)
{
    FRM_CSubview::Draw(theClip);
    const FRM_CWindow* window = GetCWindow();
    if (!IsVisible() || !itHasBorder || window == nullptr || GetEnvironment() == nullptr)
        return;
    FRM_CEnvironment outline(*GetEnvironment());
    FRM_CUnits::SetGlobalUnits(GetUnits());
    outline.SetBrushPattern(PAT_HOLLOW);
    outline.SetDrawingEnv(window);
    const s_rct frame = static_cast<s_rct>(GetGlobalFrame());
    vko_dwin_draw_rect(window->GetVKOWindow(), &frame);
}
