// csktchpd.cpp: the sketch pad and its three rubber bands (rectangle, line, polyline).
#include "frm/views/csktchpd.h"

#include <algorithm>
#include <vector>

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cwindow.h"
#include "frm/views/cwirefrm.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "csktchpd";
constexpr long kErrRegion = 1900;
constexpr long kErrStart = 1901;
constexpr long kErrEnd = 1902;
constexpr long kErrPoints = 1903;

} // namespace

// The rectangle band: the wire frame's own outline, without grab handles, on the carrier.
class CSketchFrame : public FRM_CWireFrame {
public:
    CSketchFrame(FRM_CSketchPad* thePad, FRM_CView* theCarrier)
        : FRM_CWireFrame(theCarrier, nullptr), itsSketchPad(thePad)
    {
        itsSelectCommand = itsDeselectCommand = itsSizeCommand = kNoCommand;
    }
    ~CSketchFrame() override
    {
        if (itsSketchPad != nullptr && itsSketchPad->itsSketchFrame == this) {
            itsSketchPad->itsSketchFrame = nullptr;
            itsSketchPad->itsCarrier = nullptr;
        }
    }
    // The band finished: the wire frame's mouse-up, then the pad's.
    void MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override
    {
        FRM_CWireFrame::MouseUp(thePoint, theButton, isShift, isControl);
        itsSketchPad->MouseUp(thePoint, theButton, isShift, isControl);
    }

protected:
    void DrawFrameGrabbers(DRAWSTATE) override {}

    FRM_CSketchPad* itsSketchPad;
};

// The line band: one segment from where the press was to the pointer.
class CLineFrame : public CSketchFrame {
public:
    using CSketchFrame::CSketchFrame;
    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override
    {
        FRM_CWireFrame::MouseDown(thePoint, theButton, isShift, isControl);
        if (itsState != IDLE)
            itsStartingPoint = itsEndingPoint = thePoint.GetGlobal(this);
    }
    void Size(const FRM_CRect& theFrame) override
    {
        itsRetSPoint = itsStartingPoint;
        itsRetEPoint = itsEndingPoint;
        itsStartingPoint = itsEndingPoint = FRM_CPoint(HPixel(-1), VPixel(-1));
        FRM_CWireFrame::Size(theFrame);
    }
    FRM_CPoint GetStartPoint() const { return itsRetSPoint; }
    FRM_CPoint GetEndPoint() const { return itsRetEPoint; }

protected:
    void ReSize(FRM_CPoint thePoint) override
    {
        const FRM_CPoint motion = thePoint - itsGrabPoint;
        FRM_CWireFrame::ReSize(thePoint);
        itsEndingPoint += motion;
    }
    // The segment only; an update draws it again as shown.
    void DrawWireFrame(DRAWSTATE theState) override
    {
        if (!TakeDrawState(&itsDrawState, theState))
            return;
        WINDOW window = PrepareFigure();
        if (theState == WFUPDATE)
            vko_dwin_set_clip(window, nullptr);
        vko_dwin_draw_set_pos(window, static_cast<s_pnt>(itsStartingPoint));
        vko_dwin_draw_line(window, static_cast<s_pnt>(itsEndingPoint));
    }

    FRM_CPoint itsStartingPoint;
    FRM_CPoint itsEndingPoint;
    FRM_CPoint itsRetSPoint;
    FRM_CPoint itsRetEPoint;
};

// The polyline band: every press adds a vertex; releasing the button does not end it, a double
// click does.
class CPolylineFrame : public CLineFrame {
public:
    using CLineFrame::CLineFrame;
    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override
    {
        if (!isStart) {
            FRM_CWireFrame::MouseDown(thePoint, theButton, isShift, isControl);
            if (itsState != IDLE) {
                itsPoints.clear();
                isStart = true;
            }
        }
        if (itsState == IDLE)
            return;
        itsStartingPoint = itsEndingPoint = thePoint.GetGlobal(this);
        itsPoints.push_back(itsStartingPoint);
    }
    void MouseUp(FRM_CPoint, short, short, short) override {}
    void MouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override
    {
        if (!isStart || itsPoints.empty())
            return;
        FRM_CRect box(itsPoints.front(), itsPoints.front());
        for (const FRM_CPoint& point : itsPoints)
            box += FRM_CRect(point, point);
        itsFrame = box;
        isStart = false;
        CSketchFrame::MouseUp(thePoint, theButton, isShift, isControl);
    }
    void Size(const FRM_CRect& theFrame) override
    {
        itsStartingPoint = itsEndingPoint = FRM_CPoint(-1, -1);
        FRM_CWireFrame::Size(theFrame);
    }
    const std::vector<FRM_CPoint>& GetVertices() const { return itsPoints; }

private:
    std::vector<FRM_CPoint> itsPoints;   // window coordinates
    bool isStart = false;
};

// ---------------------------------------------------------------------------------------------
// The pad

FRM_CSketchPad::FRM_CSketchPad(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion)
    : FRM_CSubview(theEnclosure, theRegion)
{
    MakeFrame();
}

// The band is made for the copied kind: a rectangle band would give a line or polyline pad
// no ends or vertices to answer with.
FRM_CSketchPad::FRM_CSketchPad(const FRM_CSketchPad& other)
    : FRM_CSubview(other), itsSketchType(other.itsSketchType),
      itIsSketchEverywhere(other.itIsSketchEverywhere)
{
    MakeFrame();
}

// Hand-written: the carrier follows the enabled state; a new kind gets a new band.
FRM_CSketchPad& FRM_CSketchPad::operator=(const FRM_CSketchPad& other)
{
    if (this == &other)
        return *this;
    const short wasEnabled = IsEnabled();
    FRM_CSubview::operator=(other);
    if (IsEnabled() != wasEnabled) {
        if (FRM_CWindow* window = GetCWindow()) {
            if (IsEnabled())
                window->AddSubview(itsCarrier);
            else
                window->RemoveSubview(itsCarrier);
        }
    }
    itIsSketchEverywhere = other.itIsSketchEverywhere;
    if (itsSketchType != other.itsSketchType)
        SetSketchType(other.itsSketchType);
    return *this;
}

FRM_CSketchPad::~FRM_CSketchPad()
{
    delete itsCarrier;    // its wire frame goes with it
}

short FRM_CSketchPad::ISketchPad(SKETCHTYPE theType, short isVisible, unsigned long theGlue)
{
    SetSketchType(theType);
    return ISubview(isVisible, theGlue) != 0 && itsSketchFrame != nullptr ? 1 : 0;
}

void FRM_CSketchPad::MakeFrame()
{
    FRM_CWindow* window = GetCWindow();
    itsCarrier = new FRM_CView(window, FRM_CRect(), FRM_CStringRW());
    switch (itsSketchType) {
    case LINE: itsSketchFrame = new CLineFrame(this, itsCarrier); break;
    case POLYLINE: itsSketchFrame = new CPolylineFrame(this, itsCarrier); break;
    default: itsSketchFrame = new CSketchFrame(this, itsCarrier); break;
    }
    itsCarrier->SetWireFrame(itsSketchFrame);
    itsSketchFrame->SetSizing(1);
    itsSketchFrame->SetDragging(1);
    if (!IsEnabled() && window != nullptr)
        window->RemoveSubview(itsCarrier);
}

void FRM_CSketchPad::SetSketchType(SKETCHTYPE theType)
{
    itsSketchType = theType;
    delete itsCarrier;
    MakeFrame();
}

void FRM_CSketchPad::Enable()
{
    if (IsEnabled())
        return;
    FRM_CSubview::Enable();
    if (FRM_CWindow* window = GetCWindow())
        window->AddSubview(itsCarrier);
}

void FRM_CSketchPad::Disable()
{
    if (!IsEnabled())
        return;
    FRM_CSubview::Disable();
    if (FRM_CWindow* window = GetCWindow())
        window->RemoveSubview(itsCarrier);
}

FRM_CView* FRM_CSketchPad::FindEventTarget(const FRM_CPoint& thePoint)
{
    if (IsEnabled() && itIsSketchEverywhere)
        return this;
    return FRM_CSubview::FindEventTarget(thePoint);
}

void FRM_CSketchPad::Draw(const FRM_CRect& theClip)
{
    FRM_CSubview::Draw(theClip);
    frm_views::DrawFrameRect(this);
}

void FRM_CSketchPad::MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl)
{
    if (theButton != 0 || isShift || itsSketchFrame == nullptr)
        return;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    itIsReady = 1;
    const FRM_CPoint global = thePoint.GetGlobal(this);
    itsCarrier->DoSize(FRM_CRect(global, global));
    // One pixel right of and below the start: the wire frame starts a resize from there.
    itsSketchFrame->MouseDown(FRM_CPoint(frm_views::HPixelsToLogical(this, 1),
                                         frm_views::VPixelsToLogical(this, 1)),
                              theButton, isShift, isControl);
}

void FRM_CSketchPad::MouseUp(FRM_CPoint, short theButton, short isShift, short isControl)
{
    if (!itIsReady || itsSketchFrame == nullptr)
        return;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    const float away = frm_views::HPixelsToLogical(this, -105);
    itsSketchFrame->DoMouseDown(FRM_CPoint(away, frm_views::VPixelsToLogical(this, -105)),
                                theButton, isShift, isControl);
    DoCommand(GetCommand(), this);
    vko_win_release_pointer();
    itIsReady = 0;
    if (itsCarrier != nullptr) {
        const FRM_CPoint out(frm_views::HPixelsToLogical(this, -21),
                             frm_views::VPixelsToLogical(this, -21));
        itsCarrier->DoSize(FRM_CRect(out, out));
    }
}

FRM_CRect FRM_CSketchPad::GetSketchedRegion() const
{
    if (!itIsReady || itsSketchFrame == nullptr) {
        FrmError(kErrRegion, kModule, __LINE__);
        return FRM_CRect();
    }
    const FRM_CRect frame = itsSketchFrame->GetFrame();
    const FRM_CRect ordered(
        std::min(frame.Left(), frame.Right()), std::min(frame.Top(), frame.Bottom()),
        std::max(frame.Left(), frame.Right()), std::max(frame.Top(), frame.Bottom()));
    return ordered.GetLocal(this);
}

FRM_CPoint FRM_CSketchPad::GetStartPoint() const
{
    if (!itIsReady || itsSketchType != LINE || itsSketchFrame == nullptr) {
        FrmError(kErrStart, kModule, __LINE__);
        return FRM_CPoint();
    }
    return static_cast<const CLineFrame*>(itsSketchFrame)->GetStartPoint().GetLocal(this);
}

FRM_CPoint FRM_CSketchPad::GetEndPoint() const
{
    if (!itIsReady || itsSketchType != LINE || itsSketchFrame == nullptr) {
        FrmError(kErrEnd, kModule, __LINE__);
        return FRM_CPoint();
    }
    return static_cast<const CLineFrame*>(itsSketchFrame)->GetEndPoint().GetLocal(this);
}

void FRM_CSketchPad::GetPoints(FRM_CPoint*& thePoints, int& theNumPoints) const
{
    thePoints = nullptr;
    theNumPoints = 0;
    if (!itIsReady || itsSketchType != POLYLINE || itsSketchFrame == nullptr) {
        FrmError(kErrPoints, kModule, __LINE__);
        return;
    }
    const auto& vertices = static_cast<const CPolylineFrame*>(itsSketchFrame)->GetVertices();
    theNumPoints = static_cast<int>(vertices.size());
    thePoints = new FRM_CPoint[vertices.size()];
    for (std::size_t i = 0; i < vertices.size(); ++i)
        thePoints[i] = vertices[i].GetLocal(this);
}
