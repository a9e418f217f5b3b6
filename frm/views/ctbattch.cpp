// ctbattch.cpp: the tool-bar attachment's candidate sizes, its best size and the room a
// docked bar asks of its frame.
#include "frm/views/ctbattch.h"

#include <algorithm>

#include "frm/core/ctypeinfo.h"
#include "frm/views/catchwin.h"
#include "frm/views/ctoolbar.h"
#include "frm/views/viewsvc.h"

namespace {

// Wide enough that nothing wraps.
constexpr float kNoLimit = 2147483648.0F;
constexpr float kMostElongated = 3.5F;
constexpr float kLeastRatio = 0.25F;
constexpr float kMostRatio = 4.0F;
constexpr int kMarginPixels = 4;

struct Measure {
    float width = 0;
    float height = 0;
    float rowWidth = 0;
};

Measure MeasureAt(FRM_CToolBar* bar, float limit)
{
    Measure m;
    m.width = limit;
    bar->InternalArrangeSubviews(m.width, m.height, 0, m.rowWidth);
    return m;
}

float Ratio(const FRM_CRect& r) { return r.Height() != 0 ? r.Width() / r.Height() : 0; }
float Area(const FRM_CRect& r) { return r.Width() * r.Height(); }

} // namespace

FRM_CToolBarAttachment::FRM_CToolBarAttachment(FRM_CToolBar* theToolBar)
    : FRM_CAttachment(theToolBar)
{
    BindBar();
}

FRM_CToolBarAttachment::FRM_CToolBarAttachment(FRM_CToolBar* theToolBar,
                                               const FRM_CRect& theBestSize)
    : FRM_CAttachment(theToolBar), itCalculatesBestSize(0), itHasBestSize(1),
      itsBestSize(theBestSize)
{
    BindBar();
}

FRM_CToolBarAttachment::FRM_CToolBarAttachment(const FRM_CToolBarAttachment& other)
    : FRM_CAttachment(new FRM_CToolBar(*other.GetToolBar()))
{
    BindBar();
    GetToolBar()->SetAutoSized(0, GetToolBar()->GetAutoSizeLocation());
}

// Hand-written: the bar and its sizes stay this attachment's own; only the base is assigned.
FRM_CToolBarAttachment& FRM_CToolBarAttachment::operator=(const FRM_CToolBarAttachment& other)
{
    FRM_CAttachment::operator=(other);
    return *this;
}

FRM_CToolBarAttachment::~FRM_CToolBarAttachment()
{
    // The bar outlives its attachment when the attachment never placed it: it must not
    // reach back to a dead one when its views or font change.
    if (FRM_CToolBar* bar = GetToolBar(); bar != nullptr && bar->itsAttachment == this)
        bar->itsAttachment = nullptr;
    itsFitSizes.clear();
}

const FRM_CTypeInfo* FRM_CToolBarAttachment::GetRunTimeTypeInfo() const
{
    return &frm_type::CToolBarAttachment;
}
const FRM_CTypeInfo* FRM_CToolBarAttachment::GetStaticTypeInfo()
{
    return &frm_type::CToolBarAttachment;
}

FRM_CToolBar* FRM_CToolBarAttachment::GetToolBar() const
{
    return static_cast<FRM_CToolBar*>(itsView);
}

void FRM_CToolBarAttachment::BindBar()
{
    FRM_CToolBar* bar = GetToolBar();
    if (bar == nullptr)
        return;
    bar->itsBorderWidth = 0;   // a docked bar draws no panel of its own
    bar->itsAttachment = this;
    bar->itIsAutoSized = bar->itsAutoSizeLocation == FRM_CToolBar::AL_NONE
                             ? 0
                             : static_cast<short>(IsDraggable() == 0 ? 1 : 0);
    if (bar->itIsAutoSized != 0)
        itIsDeletedUponClose = 1;
}

void FRM_CToolBarAttachment::FollowDraggability()
{
    FRM_CToolBar* bar = GetToolBar();
    if (bar != nullptr && bar->GetAutoSizeLocation() != FRM_CToolBar::AL_NONE)
        bar->SetAutoSized(IsDraggable() == 0 ? 1 : 0, bar->GetAutoSizeLocation());
}

void FRM_CToolBarAttachment::RegisterSink(FRM_CDragSink* sink, short atFront)
{
    FRM_CAttachment::RegisterSink(sink, atFront);
    FollowDraggability();
}

void FRM_CToolBarAttachment::UnregisterSink(FRM_CDragSink* sink)
{
    FRM_CAttachment::UnregisterSink(sink);
    FollowDraggability();
}

// ---------------------------------------------------------------------------------------------
// Sizes

void FRM_CToolBarAttachment::InvalidateSizes()
{
    if (itIsInSetEnclosure != 0)
        return;
    if (itCalculatesBestSize != 0)
        itHasBestSize = 0;
    itsFitSizes.clear();
}

void FRM_CToolBarAttachment::CalculateFitSizes()
{
    itsFitSizes.clear();
    FRM_CToolBar* bar = GetToolBar();
    if (bar == nullptr)
        return;
    int border = 0;
    bar->GetSpacingValues(&border, nullptr);
    const float edge = frm_views::HPixelsToLogical(bar, static_cast<float>(border + 1));

    Measure last = MeasureAt(bar, kNoLimit);
    float lastAdded = last.width + edge;
    FrmInsertFitSize(itsFitSizes, FRM_CRect(0, 0, lastAdded, last.height));

    float widest = 0;
    const RWOrdered& views = *bar->GetSubviews();
    for (std::size_t i = 0; i < views.entries(); ++i)
        widest = std::max(widest, static_cast<const FRM_CView*>(views[i])->GetFrame().Width());
    const float narrowest = widest + 2 * edge;

    // Each pass finds the narrowest bar with one more row. A pass that adds nothing new ends
    // the walk, and so does a bar that never gets narrower.
    std::size_t passes = views.entries() + 2;
    while (lastAdded > narrowest && passes-- > 0) {
        Measure row = MeasureAt(bar, std::max(last.rowWidth, narrowest - edge));
        const float rowHeight = row.height;
        Measure kept = row;
        for (std::size_t steps = views.entries() + 2; steps-- > 0;) {
            const Measure next = MeasureAt(bar, kept.rowWidth);
            if (next.height > rowHeight || next.width == kept.width)
                break;
            kept = next;
        }
        const float candidate = kept.width + edge;
        if (candidate == lastAdded)
            break;
        FrmInsertFitSize(itsFitSizes, FRM_CRect(0, 0, candidate, rowHeight));
        lastAdded = candidate;
        last = kept;
    }
}

void FRM_CToolBarAttachment::CalculateBestSize()
{
    const std::vector<FRM_CRect>& sizes = GetAllFitSizes();
    if (sizes.empty())
        return;
    const FRM_CRect* best = nullptr;
    for (const FRM_CRect& size : sizes) {
        const float ratio = Ratio(size);
        if (ratio >= 1 / kMostElongated && ratio <= kMostElongated) {
            best = &size;
            break;
        }
    }
    const bool bounded = best != nullptr;
    if (!bounded)
        best = &sizes.front();
    for (const FRM_CRect& size : sizes) {
        const float ratio = Ratio(size);
        if (bounded && (ratio < kLeastRatio || ratio > kMostRatio))
            continue;
        if (Area(size) <= Area(*best))
            best = &size;
    }
    itsBestSize = *best;
    itHasBestSize = 1;
}

const std::vector<FRM_CRect>& FRM_CToolBarAttachment::GetAllFitSizes()
{
    if (itsFitSizes.empty())
        CalculateFitSizes();
    return itsFitSizes;
}

FRM_CRect FRM_CToolBarAttachment::GetBestSize()
{
    if (itHasBestSize == 0 && itCalculatesBestSize != 0)
        CalculateBestSize();
    return itsBestSize;
}

FRM_CRect FRM_CToolBarAttachment::GetSize()
{
    if (itsFitSizes.empty()) {
        CalculateFitSizes();
        FRM_CRect size;
        switch (itsState) {
        case AS_ATTACHED:
            size = GetBorderSize(
                GetSizeToFitAttachmentPoint(itsAttachmentFrame, itsAttachmentPoint), 0);
            break;
        case AS_DETACHED:
            size = GetBorderSize(GetBestSize(), 1);
            break;
        case AS_POPUP:
            size = GetBorderSize(GetBestSize(), 0);
            break;
        default:
            break;
        }
        // The new size keeps the window where it is.
        if (FRM_CAttachmentWindow* window = CurrentWindow()) {
            const FRM_CRect place = window->GetPlacement();
            SetSize(size + FRM_CPoint(place.Left(), place.Top()));
        }
    }
    return FRM_CAttachment::GetSize();
}

FRM_CRect FRM_CToolBarAttachment::GetDesiredSize()
{
    FRM_CRect desired = FRM_CAttachment::GetDesiredSize();
    FRM_CToolBar* bar = GetToolBar();
    if (bar == nullptr)
        return desired;
    const FRM_CToolBar::AutosizeLocation location = bar->GetAutoSizeLocation();
    if (bar->IsAutoSized() == 0 || location == FRM_CToolBar::AL_NONE ||
        itsAttachmentFrame == nullptr)
        return desired;
    const bool across = location == FRM_CToolBar::AL_TOP || location == FRM_CToolBar::AL_BOTTOM;
    const float margin =
        itsAttachmentFrame->GetUnits() == nullptr
            ? 2.0F * kMarginPixels
            : 2 * (across ? frm_views::VPixelsToLogical(itsAttachmentFrame, kMarginPixels)
                          : frm_views::HPixelsToLogical(itsAttachmentFrame, kMarginPixels));
    const FRM_CRect barFrame = bar->GetFrame();
    desired = itsAttachmentFrame->GetLocalFrame();
    switch (location) {
    case FRM_CToolBar::AL_TOP:
        desired.Bottom(desired.Top() + barFrame.Height() + margin);
        break;
    case FRM_CToolBar::AL_BOTTOM:
        desired.Top(desired.Bottom() - (barFrame.Height() + margin));
        break;
    case FRM_CToolBar::AL_LEFT:
        desired.Right(desired.Left() + barFrame.Width() + margin);
        break;
    default:
        desired.Left(desired.Right() - (barFrame.Width() + margin));
        break;
    }
    return desired;
}

// ---------------------------------------------------------------------------------------------
// Moving between windows

template <class Operation>
void FRM_CToolBarAttachment::MovingBetweenWindows(Operation operation)
{
    if (itsState == AS_INITIAL) {
        operation();
        return;
    }
    itIsInSetEnclosure = 1;
    operation();
    itIsInSetEnclosure = 0;
}

void FRM_CToolBarAttachment::InternalAttach(FRM_CAttachmentFrame* theFrame,
                                            AttachmentPoint thePoint)
{
    MovingBetweenWindows([&] { FRM_CAttachment::InternalAttach(theFrame, thePoint); });
}

void FRM_CToolBarAttachment::Detach(short hasTitleBar)
{
    MovingBetweenWindows([&] { FRM_CAttachment::Detach(hasTitleBar); });
}

void FRM_CToolBarAttachment::Popup(FRM_CWindow* theWindow, short hasTitleBar)
{
    MovingBetweenWindows([&] { FRM_CAttachment::Popup(theWindow, hasTitleBar); });
}
