// dwin_blit.cpp: what the drawable-window family copies rather than draws: icons, images,
// pixmaps and pictures onto a window (destination rectangle first, source second), the
// recording of a picture from a window's drawing, and scrolling, which moves the pixels of a
// rectangle and invalidates only the band it uncovers.
#include "vkobase/dwin.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "dwin_internal.h"
#include "vkobase/image.h"
#include "vkobase/rect.h"
#include "vkobase/res.h"
#include "window_internal.h"

namespace {

bool sound(const s_rct *r) noexcept {
    return r != nullptr && r->left < r->right && r->top < r->bottom;
}

// Paints src of the source surface into dst of the window, scaled to fit.
void blit(WINDOW win, cairo_surface_t *source, const s_rct &dst, const s_rct &src) noexcept {
    cairo_t *cr = vkobase::surface_begin(win);
    if (cr == nullptr)
        return;
    const double sx = static_cast<double>(dst.right - dst.left) / (src.right - src.left);
    const double sy = static_cast<double>(dst.bottom - dst.top) / (src.bottom - src.top);
    cairo_rectangle(cr, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top);
    cairo_clip(cr);
    cairo_translate(cr, dst.left, dst.top);
    cairo_scale(cr, sx, sy);
    cairo_set_source_surface(cr, source, -src.left, -src.top);
    // Enlarged pixels stay sharp squares; the edges repeat rather than fade into nothing.
    cairo_pattern_t *pattern = cairo_get_source(cr);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    if (sx >= 1.0 && sy >= 1.0)
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    vkobase::surface_end(win, cr);
}

struct PictFrames {
    std::vector<std::pair<WINDOW, s_rct>> open; // windows recording a picture, and its frame
};

PictFrames &frames() noexcept {
    static PictFrames f;
    return f;
}

} // namespace

void vkobase_reset_dwin() noexcept {
    frames() = PictFrames{};
}

extern "C" {

void vkok_dwin_draw_icon(WINDOW win, int32_t x, int32_t y, int32_t icon_res_id) noexcept {
    if (!vkobase::win_is_live(win))
        return;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d,%d,%d", x, y, icon_res_id);
    vkobase::surface_log(win, "draw_icon", buf);
    IMAGE image = vkov_res_get_image(icon_res_id);
    if (image == nullptr)
        return;
    if (cairo_surface_t *s = vkobase::image_to_surface(image)) {
        const int w = cairo_image_surface_get_width(s);
        const int h = cairo_image_surface_get_height(s);
        const s_rct src{0, 0, static_cast<int16_t>(h), static_cast<int16_t>(w)};
        const s_rct dst{static_cast<int16_t>(y), static_cast<int16_t>(x),
                        static_cast<int16_t>(y + h), static_cast<int16_t>(x + w)};
        blit(win, s, dst, src);
        cairo_surface_destroy(s);
    }
    vkov_image_destroy(image);
}

void vkok_dwin_draw_image(WINDOW win, IMAGE image, const s_rct *dst, const s_rct *src) noexcept {
    if (!vkobase::win_is_live(win) || !sound(dst) || !sound(src))
        return;
    vkobase::surface_log(win, "draw_image",
                         vkobase::dwin::fmt_rect(dst) + ";" + vkobase::dwin::fmt_rect(src));
    if (cairo_surface_t *s = vkobase::image_to_surface(image)) {
        blit(win, s, *dst, *src);
        cairo_surface_destroy(s);
    }
}

void vkok_dwin_draw_pmap(WINDOW win, WINDOW pmap, const s_rct *dst, const s_rct *src) noexcept {
    if (!vkobase::win_is_live(win) || !vkobase::win_is_live(pmap) || !sound(dst) || !sound(src) ||
        (pmap->flags & VKO_WF_PIXMAP) == 0)
        return;
    vkobase::surface_log(win, "draw_pmap",
                         vkobase::dwin::fmt_rect(dst) + ";" + vkobase::dwin::fmt_rect(src));
    cairo_surface_t *s = vkobase::surface_of(pmap);
    if (s == nullptr)
        return;
    if (vkobase::surface_owner(win) == pmap) {
        // Onto itself: copy first, or the source changes while it is read.
        cairo_surface_t *copy = cairo_surface_create_similar_image(
            s, CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s),
            cairo_image_surface_get_height(s));
        cairo_t *cr = cairo_create(copy);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        blit(win, copy, *dst, *src);
        cairo_surface_destroy(copy);
        return;
    }
    blit(win, s, *dst, *src);
}

void vkok_dwin_draw_pict(WINDOW win, PICTURE pict, const s_rct *rct) noexcept {
    if (!vkobase::win_is_live(win) || !sound(rct) || pict == nullptr)
        return;
    vkobase::surface_log(win, "draw_pict", vkobase::dwin::fmt_rect(rct));
    cairo_t *cr = vkobase::surface_begin(win);
    if (cr == nullptr)
        return;
    vkobase::pict_paint(cr, pict, *rct);
    vkobase::surface_end(win, cr);
}

BOOLEAN vkok_dwin_open_pict(WINDOW win, const s_rct *frame) noexcept {
    if (!vkobase::win_is_live(win) || frame == nullptr ||
        vkobase::surface_redirect_target(win) != nullptr)
        return FALSE;
    s_rct f = *frame;
    vkov_rect_repair(&f);
    auto &open = frames().open;
    open.erase(std::remove_if(open.begin(), open.end(),
                              [win](const auto &entry) { return entry.first == win; }),
               open.end());
    try {
        open.emplace_back(win, f);
    } catch (...) {
        return FALSE;
    }
    cairo_surface_t *rec = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    vkobase::surface_redirect(win, rec);
    cairo_surface_destroy(rec);
    vkobase::surface_log(win, "open_pict", vkobase::dwin::fmt_rect(&f));
    return TRUE;
}

PICTURE vkok_dwin_close_pict(WINDOW win) noexcept {
    cairo_surface_t *rec = vkobase::surface_redirect_target(win);
    if (!vkobase::win_is_live(win) || rec == nullptr)
        return nullptr;
    auto &open = frames().open;
    const auto it = std::find_if(open.begin(), open.end(),
                                 [win](const auto &entry) { return entry.first == win; });
    s_rct frame{};
    if (it != open.end()) {
        frame = it->second;
        open.erase(it);
    }
    cairo_surface_reference(rec);
    vkobase::surface_redirect(win, nullptr);
    vkobase::surface_log(win, "close_pict", vkobase::dwin::fmt_rect(&frame));
    PICTURE pict = vkobase::pict_from_recording(rec, frame);
    cairo_surface_destroy(rec);
    return pict;
}

void vkok_dwin_scroll_rect(WINDOW win, const s_rct *rct, int32_t dh, int32_t dv) noexcept {
    if (!vkobase::win_is_live(win) || rct == nullptr)
        return;
    s_rct area = *rct;
    vkov_rect_repair(&area);
    const s_rct client = vkobase::win_client_rect(win);
    if (!vkov_rect_intersect(&area, &area, &client))
        return;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s,%d,%d", vkobase::dwin::fmt_rect(&area).c_str(), dh, dv);
    vkobase::surface_log(win, "scroll_rect", buf);
    if (dh == 0 && dv == 0)
        return;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    // In 64 bits: the most negative 32-bit amount has no 32-bit magnitude.
    if (std::llabs(static_cast<long long>(dh)) >= width ||
        std::llabs(static_cast<long long>(dv)) >= height) {
        vkobase::win_invalidate(win, &area);
        return;
    }
    cairo_t *cr = vkobase::surface_begin(win);
    cairo_surface_t *target = cr != nullptr ? cairo_get_target(cr) : nullptr;
    if (target != nullptr && cairo_surface_get_type(target) == CAIRO_SURFACE_TYPE_IMAGE) {
        // Snapshot the rectangle, then paint it back shifted, clipped to the rectangle.
        cairo_surface_t *snap = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_t *scr = cairo_create(snap);
        cairo_matrix_t m;
        cairo_get_matrix(cr, &m);
        cairo_set_source_surface(scr, target, -(area.left + m.x0), -(area.top + m.y0));
        cairo_paint(scr);
        cairo_destroy(scr);
        cairo_rectangle(cr, area.left, area.top, width, height);
        cairo_clip(cr);
        cairo_set_source_surface(cr, snap, area.left + dh, area.top + dv);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_surface_destroy(snap);
    }
    vkobase::surface_end(win, cr);
    // Pending repaints inside the rectangle move with its pixels.
    if (vko_win_internal *in = vkobase::win_internal(win)) {
        const std::vector<s_rct> pending = in->update_region;
        for (s_rct r : pending) {
            if (!vkov_rect_intersect(&r, &r, &area))
                continue;
            vkov_rect_offset(&r, static_cast<int16_t>(dh), static_cast<int16_t>(dv));
            if (vkov_rect_intersect(&r, &r, &area))
                vkobase::win_invalidate(win, &r);
        }
    }
    // The band the move uncovered.
    if (dh != 0) {
        s_rct band = area;
        if (dh > 0)
            band.right = static_cast<int16_t>(area.left + dh);
        else
            band.left = static_cast<int16_t>(area.right + dh);
        vkobase::win_invalidate(win, &band);
    }
    if (dv != 0) {
        s_rct band = area;
        if (dv > 0)
            band.bottom = static_cast<int16_t>(area.top + dv);
        else
            band.top = static_cast<int16_t>(area.bottom + dv);
        vkobase::win_invalidate(win, &band);
    }
}

} // extern "C"
