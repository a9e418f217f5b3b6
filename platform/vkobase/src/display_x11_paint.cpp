// display_x11_paint.cpp: pixels to the server. What was drawn on a shown window's surface, or
// what the server lost, is kept as changed rectangles; at each flush they are copied to the X
// window, the menu bar strip is drawn when it changed, and the caret is drawn over the copy
// (it lives only on the X window, so the surfaces never hold it).
#include "display_x11_internal.h"

#include <algorithm>

#include "menu_internal.h"
#include "surface_internal.h"
#include "vkobase/probe.h"
#include "vkobase/rect.h"
#include "vkobase/scr.h"
#include "window_internal.h"

namespace vkobase::x11 {

namespace {

// A window keeps at most this many changed rectangles; beyond, a new one joins the kept one it
// grows least.
constexpr std::size_t kMaxDirtyRects = 32;

bool contains(const s_rct &outer, const s_rct &inner) noexcept {
    return outer.top <= inner.top && outer.left <= inner.left && outer.bottom >= inner.bottom &&
           outer.right >= inner.right;
}

s_rct bounds_of(const s_rct &a, const s_rct &b) noexcept {
    return s_rct{std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
                 std::max(a.right, b.right)};
}

long area_of(const s_rct &r) noexcept {
    return static_cast<long>(r.bottom - r.top) * (r.right - r.left);
}

} // namespace

// Only what changed is sent to the server: a rectangle inside one kept already adds nothing,
// and kept ones inside a new one go.
void add_dirty(Shown &s, const s_rct &area) noexcept {
    if (area.bottom <= area.top || area.right <= area.left)
        return;
    for (const s_rct &r : s.dirty)
        if (contains(r, area))
            return;
    s.dirty.erase(std::remove_if(s.dirty.begin(), s.dirty.end(),
                                 [&](const s_rct &r) { return contains(area, r); }),
                  s.dirty.end());
    if (s.dirty.size() < kMaxDirtyRects) {
        try {
            s.dirty.push_back(area);
            return;
        } catch (...) {
        }
    }
    if (s.dirty.empty())
        return;
    auto least = s.dirty.begin();
    long growth = -1;
    for (auto r = s.dirty.begin(); r != s.dirty.end(); ++r) {
        const long more = area_of(bounds_of(*r, area)) - area_of(*r);
        if (growth < 0 || more < growth) {
            growth = more;
            least = r;
        }
    }
    const s_rct joined = bounds_of(*least, area);
    s.dirty.erase(least);
    add_dirty(s, joined);
}

void on_surface_drawn(WINDOW owner, const s_rct &area) noexcept {
    if (Shown *s = shown_by_owner(owner))
        add_dirty(*s, area);
}

namespace {

// The caret of the owner's tree in the owner's client coordinates: the focus window's when it
// shows one there, else none. Empty when there is none.
s_rct caret_of(WINDOW owner) noexcept {
    WINDOW focus = vkok_scr_get_focus_vobj();
    const vko_win_internal *in = vkobase::win_internal(focus);
    if (in == nullptr || !in->caret_visible || in->caret_height <= 0)
        return s_rct{};
    bool inside = false;
    for (WINDOW w = focus; vkobase::win_is_live(w); w = w->parent) {
        if (!w->internal->visible)
            return s_rct{};
        if (w == owner) {
            inside = true;
            break;
        }
    }
    if (!inside)
        return s_rct{};
    const s_pnt a = vkobase::win_client_origin_on_screen(owner);
    const s_pnt b = vkobase::win_client_origin_on_screen(focus);
    const std::int16_t top = static_cast<std::int16_t>(b.v - a.v + in->caret_pos.v);
    const std::int16_t left = static_cast<std::int16_t>(b.h - a.h + in->caret_pos.h);
    const std::int16_t width = std::max<std::int16_t>(in->caret_width, 1);
    return s_rct{top, left, static_cast<std::int16_t>(top + in->caret_height),
                 static_cast<std::int16_t>(left + width)};
}

bool rect_empty(const s_rct &r) noexcept {
    return r.bottom <= r.top || r.right <= r.left;
}

bool rect_equal(const s_rct &a, const s_rct &b) noexcept {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

} // namespace

// Copies the changed parts of the owner's surface to its X window, then draws the caret over
// them; the caret lives only on the X window, so the surfaces never hold it.
void show_changes(Shown &s) noexcept {
    const s_rct caret = caret_of(s.owner);
    const bool caret_moved = !rect_equal(caret, s.caret);
    // A changed item deep in a menu changes the generation but not the bar's look.
    bool bar_stale = s.inset > 0 && s.bar_lost;
    if (s.inset > 0 && !bar_stale && s.bar_generation != vkobase::menu::bar_generation()) {
        if (vkobase::menu::bar_look(s.owner) == s.bar_look)
            s.bar_generation = vkobase::menu::bar_generation();
        else
            bar_stale = true;
    }
    if (!bar_stale && s.dirty.empty() && !caret_moved)
        return;
    const VkoProbeScope probe(VKO_PROBE_FLUSH);
    if (bar_stale && s.xsurface != nullptr) {
        // The bar is drawn in memory, then copied. Text drawn straight onto an X surface gives
        // its scaled font an X glyph cache that holds the connection's cairo device; cairo
        // keeps released scaled fonts for reuse and never drops that hold, so the device would
        // outlive the connection.
        const int width = s.placement.right - s.placement.left;
        cairo_surface_t *strip = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, s.inset);
        cairo_t *bar = cairo_create(strip);
        vkobase::menu::draw_bar(s.owner, bar, width);
        cairo_destroy(bar);
        cairo_t *copy = cairo_create(s.xsurface);
        cairo_set_source_surface(copy, strip, 0, 0);
        cairo_set_operator(copy, CAIRO_OPERATOR_SOURCE);
        cairo_rectangle(copy, 0, 0, width, s.inset);
        cairo_fill(copy);
        cairo_destroy(copy);
        cairo_surface_destroy(strip);
        cairo_surface_flush(s.xsurface);
        s.bar_lost = false;
        s.bar_generation = vkobase::menu::bar_generation();
        s.bar_look = vkobase::menu::bar_look(s.owner);
    }
    if (s.dirty.empty() && !caret_moved)
        return;
    if (caret_moved && !rect_empty(s.caret))
        add_dirty(s, s.caret);
    cairo_surface_t *pixels = vkobase::surface_of(s.owner);
    if (pixels == nullptr || s.xsurface == nullptr)
        return;
    cairo_t *cr = cairo_create(s.xsurface);
    cairo_translate(cr, 0, s.inset);
    if (!s.dirty.empty()) {
        cairo_save(cr);
        // Only the client area: outside the surface the copy would clear the bar strip. The
        // rectangles are made disjoint and each is copied on its own: one copy of them all
        // would send everything within their bounds.
        const s_rct client = vkobase::win_client_rect(s.owner);
        cairo_region_t *changed = cairo_region_create();
        for (const s_rct &r : s.dirty) {
            s_rct part{};
            if (vkov_rect_intersect(&part, &r, &client)) {
                const cairo_rectangle_int_t box{part.left, part.top, part.right - part.left,
                                                part.bottom - part.top};
                cairo_region_union_rectangle(changed, &box);
            }
        }
        cairo_set_source_surface(cr, pixels, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        const int boxes = cairo_region_num_rectangles(changed);
        for (int i = 0; i < boxes; ++i) {
            cairo_rectangle_int_t box{};
            cairo_region_get_rectangle(changed, i, &box);
            cairo_rectangle(cr, box.x, box.y, box.width, box.height);
            cairo_fill(cr);
        }
        cairo_region_destroy(changed);
        cairo_restore(cr);
    }
    if (!rect_empty(caret)) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_rectangle(cr, caret.left, caret.top, caret.right - caret.left,
                        caret.bottom - caret.top);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(s.xsurface);
    s.caret = caret;
    s.dirty.clear();
}

} // namespace vkobase::x11
