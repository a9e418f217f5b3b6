// cdrawctx.cpp: the drawing context's primitives, its lazy application of tools and units,
// and its invalidation queue.
#include "frm/drawing/cdrawctx.h"

#include <vector>

#include "frm/core/cobjrwc.h"
#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cview.h"
#include "frm/views/cwindow.h"

namespace {

constexpr char kModule[] = "cdrawctx";
constexpr long kErrCopied = 32000;
constexpr int kLineCopyConstructor = 79;
constexpr int kLineAssignment = 84;

struct DrawingContextState {
    short regionedQueue = 0;
};
DrawingContextState& State()
{
    static DrawingContextState state;
    return state;
}

// Device pixels: clamped to the 16-bit range, then truncated toward zero.
std::int16_t ToPixel(float value)
{
    if (!(value > -32768.0f)) // also catches NaN
        return -32768;
    if (value >= 32767.0f)
        return 32767;
    return static_cast<std::int16_t>(value);
}

s_pnt ToPoint(const FRM_CPoint& point)
{
    s_pnt p{};
    p.v = ToPixel(point.V());
    p.h = ToPixel(point.H());
    return p;
}

s_rct ToRect(const FRM_CRect& rect)
{
    s_rct r{};
    r.top = ToPixel(rect.Top());
    r.left = ToPixel(rect.Left());
    r.bottom = ToPixel(rect.Bottom());
    r.right = ToPixel(rect.Right());
    return r;
}

bool IsMaxRect(const FRM_CRect& rect)
{
    const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    return g != nullptr && rect == g->GetMAXRect();
}

s_pnt At(int v, int h)
{
    s_pnt p{};
    p.v = static_cast<std::int16_t>(v);
    p.h = static_cast<std::int16_t>(h);
    return p;
}

const FRM_CRect& QueuedRect(const RWOrdered& queue, std::size_t i)
{
    return *static_cast<const FRM_CRectRWC*>(queue[i]);
}

// The view's environment; a view that finds none up its tree (no window or document yet)
// draws with the default environment.
FRM_CEnvironment EnvironmentOf(const FRM_CView* view)
{
    const FRM_CEnvironment* environment = view->GetEnvironment();
    return environment != nullptr ? *environment : FRM_CEnvironment();
}

} // namespace

FRM_CDrawingContext::FRM_CDrawingContext(const FRM_CView* view)
    : itsView(view), itsEnvironment(EnvironmentOf(view))
{
    DoUpdate();
}

FRM_CDrawingContext::FRM_CDrawingContext(const FRM_CView* view,
                                         const FRM_CEnvironment& environment)
    : itsView(view), itsEnvironment(environment)
{
    DoUpdate();
}

FRM_CDrawingContext::FRM_CDrawingContext(const FRM_CDrawingContext& other)
    : FRM_CStackable(), itsView(other.itsView)
{
    FrmError(kErrCopied, kModule, kLineCopyConstructor);
}

// Hand-written: assigning a drawing context is an error; nothing is copied.
FRM_CDrawingContext& FRM_CDrawingContext::operator=(const FRM_CDrawingContext&)
{
    FrmError(kErrCopied, kModule, kLineAssignment);
    return *this;
}

FRM_CDrawingContext::~FRM_CDrawingContext() { ClearInvalidate(); }

FRM_CEnvironment& FRM_CDrawingContext::GetEnv()
{
    itIsEnvironmentChanged = 1;
    return itsEnvironment;
}

void FRM_CDrawingContext::SetEnv(const FRM_CEnvironment& environment)
{
    itIsEnvironmentChanged = 1;
    itsEnvironment = environment;
}

WINDOW FRM_CDrawingContext::Window() const
{
    const FRM_CWindow* window = itsView->GetCWindow();
    return window != nullptr ? window->GetVKOWindow() : nullptr;
}

void FRM_CDrawingContext::DoUpdate()
{
    FRM_CUnits::SetGlobalUnits(itsView->GetUnits());
    itsEnvironment.SetDrawingEnv(itsView->GetCWindow());
    itIsEnvironmentChanged = 0;
}

void FRM_CDrawingContext::MakeCurrent()
{
    if (itIsEnvironmentChanged && IsTop())
        DoUpdate();
    else
        MakeTop(); // updates only when another context was on top
}

void FRM_CDrawingContext::DrawLine(const FRM_CPoint& to, short beginArrow, short endArrow)
{
    MakeCurrent();
    if (beginArrow == 0 && endArrow == 0)
        vko_dwin_draw_line(Window(), ToPoint(to));
    else
        vko_dwin_draw_aline(Window(), ToPoint(to), beginArrow, endArrow);
}

void FRM_CDrawingContext::DrawLine(const FRM_CPoint& from, const FRM_CPoint& to,
                                   short beginArrow, short endArrow)
{
    SetLinePos(from);
    DrawLine(to, beginArrow, endArrow);
}

void FRM_CDrawingContext::SetLinePos(const FRM_CPoint& point)
{
    MakeCurrent();
    vko_dwin_draw_set_pos(Window(), ToPoint(point));
}

void FRM_CDrawingContext::DrawIcon(int resourceId, const FRM_CPoint& point)
{
    MakeCurrent();
    const s_pnt p = ToPoint(point);
    vko_dwin_draw_icon(Window(), p.h, p.v, resourceId);
}

void FRM_CDrawingContext::DrawArc(const FRM_CRect& bounds, const FRM_CPoint& start,
                                  const FRM_CPoint& stop)
{
    MakeCurrent();
    const s_rct r = ToRect(bounds);
    const s_pnt a = ToPoint(start);
    const s_pnt b = ToPoint(stop);
    vko_dwin_draw_arc(Window(), &r, a.h, a.v, b.h, b.v);
}

void FRM_CDrawingContext::DrawPie(const FRM_CRect& bounds, const FRM_CPoint& start,
                                  const FRM_CPoint& stop)
{
    MakeCurrent();
    const s_rct r = ToRect(bounds);
    const s_pnt a = ToPoint(start);
    const s_pnt b = ToPoint(stop);
    vko_dwin_draw_pie(Window(), &r, a.h, a.v, b.h, b.v);
}

void FRM_CDrawingContext::DrawPolygon(const RWOrdered& points, short closed)
{
    MakeCurrent();
    std::vector<s_pnt> array;
    array.reserve(points.entries());
    for (std::size_t i = 0; i < points.entries(); ++i)
        array.push_back(
            static_cast<const FRM_CPoint&>(*static_cast<const FRM_CPointRWC*>(points[i])));
    const auto count = static_cast<std::int32_t>(array.size());
    if (closed)
        vko_dwin_draw_polygon(Window(), array.data(), count);
    else
        vko_dwin_draw_polyline(Window(), array.data(), count);
}

void FRM_CDrawingContext::DrawText(const FRM_CStringRW& text, const FRM_CPoint& point)
{
    MakeCurrent();
    const s_pnt p = ToPoint(point);
    vko_dwin_draw_text(Window(), p.h, p.v, text.data(), -1);
}

void FRM_CDrawingContext::DrawPicture(PICTURE picture, const FRM_CRect& rect)
{
    MakeCurrent();
    const s_rct r = ToRect(rect);
    vko_dwin_draw_pict(Window(), picture, &r);
}

void FRM_CDrawingContext::DrawRect(const FRM_CRect& rect, short ovalWidth, short ovalHeight)
{
    MakeCurrent();
    const s_rct r = ToRect(rect);
    if (ovalWidth == 0 && ovalHeight == 0)
        vko_dwin_draw_rect(Window(), &r);
    else
        vko_dwin_draw_roundrect(Window(), &r, ovalWidth, ovalHeight);
}

void FRM_CDrawingContext::DrawOval(const FRM_CRect& rect)
{
    MakeCurrent();
    const s_rct r = ToRect(rect);
    vko_dwin_draw_oval(Window(), &r);
}

void FRM_CDrawingContext::DrawPixmap(PIXMAP pixmap, const FRM_CRect& source,
                                     const FRM_CRect& destination)
{
    MakeCurrent();
    const s_rct src = ToRect(source);
    const s_rct dst = ToRect(destination);
    vko_dwin_draw_pmap(Window(), pixmap, &dst, &src); // the toolkit takes the destination first
}

void FRM_CDrawingContext::DrawImage(IMAGE image, const FRM_CRect& source,
                                    const FRM_CRect& destination)
{
    MakeCurrent();
    const s_rct src = ToRect(source);
    const s_rct dst = ToRect(destination);
    vko_dwin_draw_image(Window(), image, &dst, &src);
}

void FRM_CDrawingContext::SetClip(const FRM_CRect& rect)
{
    MakeCurrent();
    if (IsMaxRect(rect)) {
        vko_dwin_set_clip(Window(), nullptr);
        return;
    }
    const s_rct r = ToRect(rect);
    vko_dwin_set_clip(Window(), &r);
}

FRM_CRect FRM_CDrawingContext::GetClip()
{
    MakeCurrent();
    s_rct r{};
    vko_dwin_get_clip(Window(), &r);
    return FRM_CRect(r);
}

void FRM_CDrawingContext::SetCaretPos(const FRM_CPoint& point)
{
    MakeCurrent();
    vko_win_set_caret_pos(Window(), ToPoint(point));
}

void FRM_CDrawingContext::SetCaretVisible(short visible)
{
    MakeCurrent();
    vko_win_set_caret_visible(Window(), visible);
}

void FRM_CDrawingContext::SetCaretSize(int width, int height)
{
    MakeCurrent();
    vko_win_set_caret_size(Window(), ToPixel(static_cast<float>(width)),
                           ToPixel(static_cast<float>(height)));
}

void FRM_CDrawingContext::ScrollRect(const FRM_CRect& rect, int dh, int dv)
{
    MakeCurrent();
    const s_rct r = ToRect(rect);
    vko_dwin_scroll_rect(Window(), &r, dh, dv);
}

void FRM_CDrawingContext::InvalidateRect(const FRM_CRect& rect)
{
    MakeCurrent();
    if (IsMaxRect(rect)) {
        vko_dwin_invalidate_rect(Window(), nullptr);
        return;
    }
    const s_rct r = ToRect(rect);
    vko_dwin_invalidate_rect(Window(), &r);
}

short FRM_CDrawingContext::IsUpdateNeeded(const FRM_CRect& rect)
{
    MakeCurrent();
    const s_rct r = ToRect(rect);
    return vko_dwin_is_update_needed(Window(), &r) ? 1 : 0;
}

void FRM_CDrawingContext::DrawOutsetFrame(const FRM_CRect& rect, int width,
                                          unsigned long lightColor, unsigned long darkColor)
{
    MakeCurrent();
    WINDOW window = Window();
    const s_rct r = rect; // through the current units
    const int top = r.top;
    const int left = r.left;
    const int bottom = r.bottom;
    const int right = r.right;
    vko_dwin_set_draw_mode(window, 0);
    // The mode, pen and brush set here are not the environment's: the next primitive
    // applies the environment again.
    itIsEnvironmentChanged = 1;
    s_cpen pen{};
    pen.width = 1;
    pen.pat = 2;
    pen.style = 0;
    auto penColor = [&](unsigned long color) {
        pen.color = static_cast<COLOR>(color);
        vko_dwin_set_cpen(window, &pen);
    };
    if (width <= 1) {
        for (int i = 0; i < width; ++i) {
            penColor(darkColor);
            vko_dwin_draw_set_pos(window, At(bottom - i - 1, right - i - 1));
            vko_dwin_draw_line(window, At(bottom - i - 1, left + i)); // bottom edge
            penColor(lightColor);
            vko_dwin_draw_line(window, At(bottom - i - 1, left + i));
            vko_dwin_draw_line(window, At(top + i, left + i));      // left edge
            vko_dwin_draw_line(window, At(top + i, right - i - 1)); // top edge
            penColor(darkColor);
            vko_dwin_draw_line(window, At(bottom - i - 1, right - i - 1)); // right edge
        }
        return;
    }
    const int w = width;
    auto fill = [&](unsigned long color, const s_pnt (&points)[7]) {
        penColor(color);
        s_cbrush brush{};
        brush.pat = 2;
        brush.color = static_cast<COLOR>(color);
        vko_dwin_set_cbrush(window, &brush);
        vko_dwin_draw_polygon(window, points, 7);
    };
    const s_pnt light[7] = {At(top, left),
                            At(top, right - 1),
                            At(top + w - 1, right - w),
                            At(top + w - 1, left + w - 1),
                            At(bottom - w, left + w - 1),
                            At(bottom - 1, left),
                            At(top, left)};
    const s_pnt dark[7] = {At(bottom - 1, right - 1), At(bottom - 1, left + 1),
                           At(bottom - w, left + w),  At(bottom - w, right - w),
                           At(top + w, right - w),    At(top + 1, right - 1),
                           At(bottom - 1, right - 1)};
    fill(lightColor, light);
    fill(darkColor, dark);
}

void FRM_CDrawingContext::DrawInsetFrame(const FRM_CRect& rect, int width,
                                         unsigned long lightColor, unsigned long darkColor)
{
    DrawOutsetFrame(rect, width, darkColor, lightColor);
}

void FRM_CDrawingContext::DrawOutsetText(const FRM_CStringRW& text, const FRM_CPoint& at,
                                         unsigned long lightColor, unsigned long darkColor)
{
    const unsigned long remembered = itsEnvironment.GetForegroundColor();
    GetEnv().SetForegroundColor(darkColor, FRM_CEnvironment::kUnsetColor);
    DrawText(text, FRM_CPoint(at.H() + 1, at.V() + 1));
    GetEnv().SetForegroundColor(lightColor, FRM_CEnvironment::kUnsetColor);
    DrawText(text, FRM_CPoint(at.H() - 1, at.V() - 1));
    GetEnv().SetForegroundColor(remembered, FRM_CEnvironment::kUnsetColor);
    DrawText(text, at);
}

void FRM_CDrawingContext::DrawInsetText(const FRM_CStringRW& text, const FRM_CPoint& at,
                                        unsigned long lightColor, unsigned long darkColor)
{
    DrawOutsetText(text, at, darkColor, lightColor);
}

void FRM_CDrawingContext::QueueInvalidate(const FRM_CRect& rect)
{
    itsQueue.insert(new FRM_CRectRWC(rect)); // owned by the queue until flushed or cleared
}

void FRM_CDrawingContext::FlushInvalidate()
{
    const short regioned = itIsLocalQueueModeSet ? itsLocalQueueMode : IsRegionedQueue();
    if (regioned) {
        for (std::size_t i = 0; i < itsQueue.entries(); ++i)
            InvalidateRect(QueuedRect(itsQueue, i));
    } else {
        FRM_CRect merged(0, 0, 0, 0);
        for (std::size_t i = 0; i < itsQueue.entries(); ++i) {
            const FRM_CRect& queued = QueuedRect(itsQueue, i);
            if (merged.IsEmpty())
                merged = queued;
            else
                merged += queued;
        }
        InvalidateRect(merged);
    }
    ClearInvalidate();
}

void FRM_CDrawingContext::ClearInvalidate() { itsQueue.clearAndDestroy(); }

void FRM_CDrawingContext::SetRegionedQueue(short regioned) { State().regionedQueue = regioned; }
short FRM_CDrawingContext::IsRegionedQueue() { return State().regionedQueue; }

void FRM_CDrawingContext::SetLocalRegionedQueue(short regioned)
{
    itIsLocalQueueModeSet = 1;
    itsLocalQueueMode = regioned;
}
