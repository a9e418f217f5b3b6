// cstatatc.cpp: the status-bar attachment: bottom-only docking and the bar's one size.
#include "frm/views/cstatatc.h"

#include "frm/core/ctypeinfo.h"
#include "frm/core/frmerror.h"
#include "frm/views/cstatbar.h"
#include "frm/views/viewsvc.h"

namespace {

constexpr char kModule[] = "cstatatc";
constexpr long kErrNotAtTheBottom = 32300;
constexpr long kErrDetach = 32301;
constexpr long kErrPopup = 32302;
constexpr int kMarginPixels = 4;

} // namespace

FRM_CStatusBarAttachment::FRM_CStatusBarAttachment(FRM_CAttachmentFrame* theFrame,
                                                   FRM_CStatusBar* theStatusBar)
    : FRM_CAttachment(theStatusBar)
{
    TakeOverBar();
    itsAttachmentFrame = theFrame;
    Attach(theFrame, FRM_CAttachmentFrame::ATTACH_BOTTOM);
    itIsDeletedUponClose = 1;
}

FRM_CStatusBarAttachment::FRM_CStatusBarAttachment(const FRM_CStatusBarAttachment& other)
    : FRM_CAttachment(new FRM_CStatusBar(*other.GetStatusBar()))
{
    TakeOverBar();
}

void FRM_CStatusBarAttachment::TakeOverBar()
{
    FRM_CStatusBar* bar = GetStatusBar();
    if (bar == nullptr)
        return;
    bar->SetAutoSized(0);
    int fieldBorder = 0;
    int separator = 0;
    int hPadding = 0;
    int vPadding = 0;
    bar->GetSpacingValues(nullptr, &fieldBorder, &separator, &hPadding, &vPadding);
    bar->IStatusBar(0, fieldBorder, separator, hPadding, vPadding, 0x0AC0C0C0UL, 0x0BFFFFFFUL,
                    0x09808080UL);
}

const FRM_CTypeInfo* FRM_CStatusBarAttachment::GetRunTimeTypeInfo() const
{
    return &frm_type::CStatusBarAttachment;
}
const FRM_CTypeInfo* FRM_CStatusBarAttachment::GetStaticTypeInfo()
{
    return &frm_type::CStatusBarAttachment;
}

FRM_CStatusBar* FRM_CStatusBarAttachment::GetStatusBar() const
{
    return static_cast<FRM_CStatusBar*>(itsView);
}

void FRM_CStatusBarAttachment::CalculateSize(FRM_CRect& theRect) const
{
    const float width = itsAttachmentFrame != nullptr ? itsAttachmentFrame->GetFrame().Width() : 0;
    const float height = GetStatusBar() != nullptr ? GetStatusBar()->GetFrame().Height() : 0;
    const float margin = itsAttachmentFrame != nullptr
                             ? frm_views::HPixelsToLogical(itsAttachmentFrame, kMarginPixels)
                             : kMarginPixels;
    theRect = FRM_CRect(0, 0, width - 2 * margin, height);
}

const std::vector<FRM_CRect>& FRM_CStatusBarAttachment::GetAllFitSizes()
{
    if (itsFitSizes.empty())
        itsFitSizes.emplace_back();
    CalculateSize(itsFitSizes.front());
    return itsFitSizes;
}

FRM_CRect FRM_CStatusBarAttachment::GetBestSize()
{
    FRM_CRect size;
    CalculateSize(size);
    return size;
}

FRM_CRect FRM_CStatusBarAttachment::GetDesiredSize()
{
    if (itsAttachmentFrame == nullptr || GetStatusBar() == nullptr)
        return FRM_CRect();
    const float margin = frm_views::VPixelsToLogical(itsAttachmentFrame, kMarginPixels);
    FRM_CRect strip = itsAttachmentFrame->GetLocalFrame();
    strip.Top(strip.Bottom() - GetStatusBar()->GetFrame().Height() - 2 * margin);
    return strip;
}

void FRM_CStatusBarAttachment::Attach(FRM_CAttachmentFrame* theFrame, AttachmentPoint thePoint)
{
    if (thePoint != FRM_CAttachmentFrame::ATTACH_BOTTOM) {
        FrmError(kErrNotAtTheBottom, kModule, __LINE__);
        return;
    }
    InternalAttach(theFrame, thePoint);
    SetSize(GetSize());
    Show();
}

void FRM_CStatusBarAttachment::Detach(short) { FrmError(kErrDetach, kModule, __LINE__); }

void FRM_CStatusBarAttachment::Popup(FRM_CWindow*, short)
{
    FrmError(kErrPopup, kModule, __LINE__);
}
