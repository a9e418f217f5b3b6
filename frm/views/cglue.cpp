// cglue.cpp: glue distances and the owner's frame they call for.
#include "frm/views/cglue.h"

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/views/csubview.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cglue";
constexpr long kErrNullOwner = 600;
constexpr int kLineNullOwner = 29;
constexpr long kErrCopied = 601;
constexpr int kLineCopied = 41;

bool SameRect(const s_rct& a, const s_rct& b)
{
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

} // namespace

FRM_CGlue::FRM_CGlue(FRM_CView* theOwner) : itsOwner(theOwner)
{
    if (theOwner == nullptr)
        FrmError(kErrNullOwner, kModule, kLineNullOwner);
}

FRM_CGlue::FRM_CGlue(const FRM_CGlue& other) : FRM_CNotifier(other), itsOwner(other.itsOwner)
{
    FrmError(kErrCopied, kModule, kLineCopied);
}

// Hand-written: only the glue value is taken; the distances are measured for this owner.
FRM_CGlue& FRM_CGlue::operator=(const FRM_CGlue& other)
{
    if (this != &other)
        SetGlue(other.itsGlue);
    return *this;
}

FRM_CGlue::~FRM_CGlue() = default;

void FRM_CGlue::SetGlue(unsigned long theGlue)
{
    if (itsOwner == nullptr || itsOwner->GetEnclosure() == nullptr)
        return;
    const FRM_CRect enclosure = itsOwner->GetEnclosure()->GetLocalFrame();
    const FRM_CRect frame = itsOwner->GetFrame();
    if (theGlue != kKeepGlue)
        itsGlue = static_cast<std::uint32_t>(theGlue);
    itsTopScaling = frame.Top() - enclosure.Top();
    itsLeftScaling = frame.Left() - enclosure.Left();
    itsRightScaling = enclosure.Right() - frame.Right();
    itsBottomScaling = enclosure.Bottom() - frame.Bottom();
}

void FRM_CGlue::SizeOwner()
{
    if (itsGlue == 0 || itsOwner == nullptr || itsOwner->GetEnclosure() == nullptr)
        return;
    FRM_CSubview* enclosure = itsOwner->GetEnclosure();
    const FRM_CRect outer = enclosure->GetLocalFrame();
    const FRM_CRect frame = itsOwner->GetFrame();
    const float width = frame.Width();
    const float height = frame.Height();
    FRM_CRect sized(outer.Left() + itsLeftScaling, outer.Top() + itsTopScaling,
                    outer.Right() - itsRightScaling, outer.Bottom() - itsBottomScaling);
    // The order settles the mixed cases: an edge left unglued keeps the size from the other.
    if ((itsGlue & kBottom) == 0)
        sized.Bottom(sized.Top() + height);
    if ((itsGlue & kRight) == 0)
        sized.Right(sized.Left() + width);
    if ((itsGlue & kTop) == 0)
        sized.Top(sized.Bottom() - height);
    if ((itsGlue & kLeft) == 0)
        sized.Left(sized.Right() - width);

    const FRM_CRect oldGlobal = itsOwner->GetGlobalFrame();
    itsOwner->DoSize(sized);
    const FRM_CRect newGlobal = itsOwner->GetGlobalFrame();

    // A view with a toolkit window of its own repaints itself.
    WINDOW window = enclosure->GetVKOWindow();
    if (window == nullptr || itsOwner->GetVKOWindow() != window)
        return;
    FRM_CUnits::SetGlobalUnits(itsOwner->GetUnits());
    const s_rct before = static_cast<s_rct>(oldGlobal);
    const s_rct after = static_cast<s_rct>(newGlobal);
    if (SameRect(before, after))
        return;
    frm_views::InvalidateWindow(window, oldGlobal + newGlobal);
}
