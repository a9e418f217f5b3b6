// nlistedt.cpp: the list edit: its commands, the edit field's selection and its hits.
#include "frm/controls/nlistedt.h"

#include "frm/core/ccmdnums.h"
#include "frm/core/cunits.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::int32_t kAttrEditLineHeight = 202;

} // namespace

FRM_NListEdit::FRM_NListEdit(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion,
                             const FRM_CStringCollection& theItems,
                             const FRM_CStringRW& theTitle)
    : FRM_CNativeList(theEnclosure, theRegion, WC_LISTEDIT, theItems, theTitle, 0)
{
}

FRM_NListEdit::FRM_NListEdit(FRM_CSubview* theEnclosure, long theContainerId, long theId)
    : FRM_CNativeList(theEnclosure)
{
    SetType(WC_LISTEDIT);
    BuildFromResource(theContainerId, theId);
}

FRM_NListEdit::FRM_NListEdit(const FRM_NListEdit& other)
    : FRM_CNativeList(other), itsKeyFocusCmd(other.itsKeyFocusCmd),
      itsKeyLostFocusCmd(other.itsKeyLostFocusCmd), itsTextCmd(other.itsTextCmd)
{
    SetTitle(other.GetTitle());
}

// Hand-written: the new control's edit field takes the text the source's field shows.
FRM_NListEdit& FRM_NListEdit::operator=(const FRM_NListEdit& other)
{
    if (this == &other)
        return *this;
    FRM_CNativeList::operator=(other);
    itsKeyFocusCmd = other.itsKeyFocusCmd;
    itsKeyLostFocusCmd = other.itsKeyLostFocusCmd;
    itsTextCmd = other.itsTextCmd;
    SetTitle(other.GetTitle());
    return *this;
}

short FRM_NListEdit::IListEdit(const FRM_CStringCollection& theItems,
                               const FRM_CStringRW& theTitle)
{
    SetTitle(theTitle);
    if (!Clear())
        return 0;
    return Insert(theItems, -1) ? 1 : 0;
}

void FRM_NListEdit::SetFocusCommands(long theGained, long theLost)
{
    itsKeyFocusCmd = theGained;
    itsKeyLostFocusCmd = theLost;
}

void FRM_NListEdit::GetTextSelection(int* theFirstIndex, int* theLastIndex) const
{
    std::int32_t first = 0, last = 0;
    if (GetVKOWindow() != nullptr)
        vko_ctl_get_text_sel(GetVKOWindow(), &first, &last);
    if (theFirstIndex != nullptr)
        *theFirstIndex = first;
    if (theLastIndex != nullptr)
        *theLastIndex = last;
}

void FRM_NListEdit::SetTextSelection(int theFirstIndex, int theLastIndex)
{
    if (GetVKOWindow() != nullptr)
        vko_ctl_set_text_sel(GetVKOWindow(), theFirstIndex, theLastIndex);
}

FRM_CRect FRM_NListEdit::GetVisibleFrame() const
{
    FRM_CRect visible = GetFrame();
    const int height = static_cast<int>(vko_vobj_get_attr(nullptr, kAttrEditLineHeight));
    const FRM_CUnits* units = GetUnits();
    visible.Height(units != nullptr ? units->VPhysicalToLogical(height)
                                    : static_cast<float>(height));
    return visible;
}

void FRM_NListEdit::DoHit(const s_ctlinfo& theControlInfo)
{
    if (theControlInfo.v.edit.focus_change != 0) {
        if (theControlInfo.v.edit.active != 0) {
            if (!IsActive()) {
                const short wasInHit = IsInDoHit();
                SetInDoHit(1);
                Activate();
                SetInDoHit(wasInHit);
            }
            DoCommand(itsKeyFocusCmd, this);
        } else {
            if (IsActive())
                Deactivate();
            DoCommand(itsKeyLostFocusCmd, this);
        }
        return;
    }
    if (GetPrimaryController() != nullptr)
        TdiNotify(kTagValue, GetTitle());
    DoCommand(itsTextCmd, this);
}
