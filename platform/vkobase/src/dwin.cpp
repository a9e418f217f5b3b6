// dwin.cpp: lines and shapes of the drawable-window family, the standard pens and brushes,
// clearing and scrolling, and the drawing modes. Shapes are drawn without antialiasing, so an
// outline of a one-pixel pen covers whole pixels (a rectangle's outline lies inside it, on
// its edge pixels) and an exclusive-or outline drawn twice restores every pixel.
#include "vkobase/dwin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

#include "dwin_internal.h"
#include "vkobase/rect.h"
#include "window_internal.h"

namespace vkobase::dwin {

namespace {

constexpr int kHatchCell = 8;

bool hatch_at(e_pat pat, int x, int y) noexcept {
    const bool horz = y == 0;
    const bool vert = x == 0;
    const bool fdiag = x == y;                  // top-left to bottom-right
    const bool bdiag = x + y == kHatchCell - 1; // bottom-left to top-right
    switch (pat) {
    case PAT_HORZ:
        return horz;
    case PAT_VERT:
        return vert;
    case PAT_FDIAG:
        return fdiag;
    case PAT_BDIAG:
        return bdiag;
    case PAT_CROSS:
        return horz || vert;
    case PAT_DIAGCROSS:
        return fdiag || bdiag;
    default:
        return true;
    }
}

std::uint32_t rgb_of(COLOR color, COLOR fallback) noexcept {
    return (color == VKO_COLOR_UNSET ? fallback : color) & 0xFFFFFFu;
}

// Combines one pixel (0xAARRGGBB, opaque) with a colour in a raster mode.
std::uint32_t combine(std::uint32_t dst, e_mode mode, std::uint32_t rgb,
                      std::uint32_t back_rgb) noexcept {
    switch (mode) {
    case M_OR:
        return dst | rgb | 0xFF000000u;
    case M_XOR: {
        std::uint32_t flip = rgb ^ back_rgb;
        if (flip == 0)
            flip = 0xFFFFFFu; // same colour as the background: invert, so it shows
        return (dst ^ flip) | 0xFF000000u;
    }
    case M_CLEAR:
        return back_rgb | 0xFF000000u;
    case M_NOT_COPY:
        return (~rgb & 0xFFFFFFu) | 0xFF000000u;
    default:
        return rgb | 0xFF000000u;
    }
}

// Draws the step into an alpha mask with the context's clip and transform, then combines the
// covered pixels of the image surface behind cr.
void raster(WINDOW win, cairo_t *cr, e_mode mode, COLOR color, Step step, const void *data) {
    cairo_surface_t *target = cairo_get_target(cr);
    const int width = cairo_image_surface_get_width(target);
    const int height = cairo_image_surface_get_height(target);
    cairo_surface_t *mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t *mcr = cairo_create(mask);
    cairo_matrix_t matrix;
    cairo_get_matrix(cr, &matrix);
    cairo_set_matrix(mcr, &matrix);
    if (cairo_rectangle_list_t *clips = cairo_copy_clip_rectangle_list(cr)) {
        if (clips->status == CAIRO_STATUS_SUCCESS) {
            for (int i = 0; i < clips->num_rectangles; ++i) {
                const cairo_rectangle_t &r = clips->rectangles[i];
                cairo_rectangle(mcr, r.x, r.y, r.width, r.height);
            }
            cairo_clip(mcr);
        }
        cairo_rectangle_list_destroy(clips);
    }
    cairo_set_antialias(mcr, CAIRO_ANTIALIAS_NONE);
    step(mcr, data);
    cairo_destroy(mcr);
    cairo_surface_flush(mask);
    cairo_surface_flush(target);
    const std::uint32_t rgb = rgb_of(color, VKO_COLOR_BLACK);
    const std::uint32_t back = rgb_of(win->draw.ctools.back_color, VKO_COLOR_WHITE);
    const unsigned char *mdata = cairo_image_surface_get_data(mask);
    unsigned char *tdata = cairo_image_surface_get_data(target);
    const int mstride = cairo_image_surface_get_stride(mask);
    const int tstride = cairo_image_surface_get_stride(target);
    for (int y = 0; y < height; ++y) {
        const unsigned char *mrow = mdata + static_cast<std::ptrdiff_t>(y) * mstride;
        unsigned char *trow = tdata + static_cast<std::ptrdiff_t>(y) * tstride;
        for (int x = 0; x < width; ++x) {
            if (mrow[x] < 128)
                continue;
            std::uint32_t px = 0;
            std::memcpy(&px, trow + static_cast<std::ptrdiff_t>(x) * 4, sizeof px);
            px = combine(px, mode, rgb, back);
            std::memcpy(trow + static_cast<std::ptrdiff_t>(x) * 4, &px, sizeof px);
        }
    }
    cairo_surface_mark_dirty(target);
    cairo_surface_destroy(mask);
}

} // namespace

void run(WINDOW win, COLOR color, Step step, const void *data, bool keeps_state) noexcept {
    const e_mode mode = win->draw.ctools.mode;
    if (mode == M_COPY) {
        if (cairo_t *kept = surface_kept_context(win)) {
            if (!keeps_state)
                cairo_save(kept);
            cairo_set_antialias(kept, CAIRO_ANTIALIAS_NONE);
            step(kept, data);
            if (!keeps_state)
                cairo_restore(kept);
            cairo_new_path(kept); // the path is not part of the saved state
            surface_mark_drawn(win, nullptr);
            return;
        }
    }
    cairo_t *cr = surface_begin(win);
    if (cr == nullptr)
        return;
    cairo_surface_t *target = cairo_get_target(cr);
    const bool pixels = cairo_surface_get_type(target) == CAIRO_SURFACE_TYPE_IMAGE &&
                        cairo_image_surface_get_format(target) == CAIRO_FORMAT_ARGB32;
    if (mode == M_COPY || !pixels) {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        step(cr, data);
    } else {
        try {
            raster(win, cr, mode, color, step, data);
        } catch (...) {
        }
    }
    surface_end(win, cr);
}

void set_color(cairo_t *cr, COLOR color, COLOR fallback) noexcept {
    double r = 0, g = 0, b = 0;
    if (!surface_color_rgb(color, &r, &g, &b))
        surface_color_rgb(fallback, &r, &g, &b);
    cairo_set_source_rgb(cr, r, g, b);
}

bool set_pattern(cairo_t *cr, e_pat pat, COLOR color) noexcept {
    if (pat == PAT_NONE || pat == PAT_HOLLOW)
        return false;
    if (pat < PAT_HORZ || pat > PAT_DIAGCROSS) {
        set_color(cr, color, VKO_COLOR_BLACK);
        return true;
    }
    cairo_surface_t *cell = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kHatchCell, kHatchCell);
    cairo_surface_flush(cell);
    unsigned char *data = cairo_image_surface_get_data(cell);
    const int stride = cairo_image_surface_get_stride(cell);
    const std::uint32_t px = rgb_of(color, VKO_COLOR_BLACK) | 0xFF000000u;
    for (int y = 0; y < kHatchCell; ++y)
        for (int x = 0; x < kHatchCell; ++x) {
            const std::uint32_t v = hatch_at(pat, x, y) ? px : 0u;
            std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride + x * 4, &v, sizeof v);
        }
    cairo_surface_mark_dirty(cell);
    cairo_pattern_t *p = cairo_pattern_create_for_surface(cell);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_surface_destroy(cell);
    return true;
}

std::string fmt_rect(const s_rct *rct) {
    if (rct == nullptr)
        return "null";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d,%d,%d,%d", rct->top, rct->left, rct->bottom, rct->right);
    return buf;
}

std::string fmt_pnt(s_pnt pnt) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d,%d", pnt.h, pnt.v);
    return buf;
}

} // namespace vkobase::dwin

namespace {

using vkobase::dwin::run;

// A shape as the steps see it: a path builder for the outline (closed or open) and for the
// interior, and the tools in force.
struct Shape {
    WINDOW win;
    s_drawct tools;
    // Builds the path; inset: half the pen width, by which a closed outline lies inside.
    void (*path)(cairo_t *cr, const Shape &shape, double inset);
    s_rct rct{};
    const s_pnt *points = nullptr;
    int count = 0;
    double a1 = 0, a2 = 0; // arcs: start and stop angles (radians, unit-circle space)
    bool pie = false;
};

bool pen_visible(const s_cpen &pen) noexcept {
    return pen.pat != PAT_NONE && pen.pat != PAT_HOLLOW && pen.width >= 0;
}

double pen_width(const s_cpen &pen) noexcept {
    return std::max<double>(pen.width, 1.0);
}

void stroke_step(cairo_t *cr, const void *data) {
    const Shape &s = *static_cast<const Shape *>(data);
    const s_cpen &pen = s.tools.pen;
    const double w = pen_width(pen);
    const e_pat pat = pen.pat == PAT_RUBBER ? PAT_SOLID : pen.pat;
    if (!vkobase::dwin::set_pattern(cr, pat, pen.color))
        return;
    cairo_set_line_width(cr, w);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    const bool dotted = pen.style == P_DOT || pen.pat == PAT_RUBBER;
    if (dotted || pen.style == P_DASH) {
        const double dashes[2] = {dotted ? w : 4 * w, dotted ? w : 2 * w};
        cairo_set_dash(cr, dashes, 2, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    } else {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    }
    s.path(cr, s, w / 2);
    cairo_stroke(cr);
}

void fill_step(cairo_t *cr, const void *data) {
    const Shape &s = *static_cast<const Shape *>(data);
    if (!vkobase::dwin::set_pattern(cr, s.tools.brush.pat, s.tools.brush.color))
        return;
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    s.path(cr, s, 0);
    cairo_fill(cr);
}

// Fills with the brush, then outlines with the pen.
void draw_shape(const Shape &shape, bool fill) noexcept {
    if (fill)
        run(shape.win, shape.tools.brush.color, fill_step, &shape);
    if (pen_visible(shape.tools.pen))
        run(shape.win, shape.tools.pen.color, stroke_step, &shape);
}

Shape make_shape(WINDOW win, void (*path)(cairo_t *, const Shape &, double)) noexcept {
    Shape s{};
    s.win = win;
    s.tools = win->draw.ctools;
    s.path = path;
    return s;
}

void rect_path(cairo_t *cr, const Shape &s, double inset) {
    const s_rct &r = s.rct;
    cairo_rectangle(cr, r.left + inset, r.top + inset, std::max(0.0, r.right - r.left - 2 * inset),
                    std::max(0.0, r.bottom - r.top - 2 * inset));
}

// An ellipse arc in the rectangle; angles in the unit circle's space, y downwards.
void ellipse_arc(cairo_t *cr, const s_rct &r, double inset, double a1, double a2, bool full) {
    const double cx = (r.left + r.right) / 2.0;
    const double cy = (r.top + r.bottom) / 2.0;
    const double rx = std::max(0.0, (r.right - r.left) / 2.0 - inset);
    const double ry = std::max(0.0, (r.bottom - r.top) / 2.0 - inset);
    if (rx <= 0 || ry <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    if (full)
        cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    else
        cairo_arc_negative(cr, 0, 0, 1, a1, a2); // counter-clockwise on the screen
    cairo_restore(cr);
}

void oval_path(cairo_t *cr, const Shape &s, double inset) {
    ellipse_arc(cr, s.rct, inset, 0, 0, true);
    cairo_close_path(cr);
}

void arc_path(cairo_t *cr, const Shape &s, double inset) {
    if (s.pie) {
        cairo_move_to(cr, (s.rct.left + s.rct.right) / 2.0, (s.rct.top + s.rct.bottom) / 2.0);
        ellipse_arc(cr, s.rct, inset, s.a1, s.a2, false);
        cairo_close_path(cr);
        return;
    }
    cairo_new_sub_path(cr);
    ellipse_arc(cr, s.rct, inset, s.a1, s.a2, false);
}

void roundrect_path(cairo_t *cr, const Shape &s, double inset) {
    const double x = s.rct.left + inset;
    const double y = s.rct.top + inset;
    const double w = std::max(0.0, s.rct.right - s.rct.left - 2 * inset);
    const double h = std::max(0.0, s.rct.bottom - s.rct.top - 2 * inset);
    // The corner numbers are the corner ellipse's width and height.
    const double rx = std::min(w / 2, std::max(0.0, s.a1 / 2));
    const double ry = std::min(h / 2, std::max(0.0, s.a2 / 2));
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, x, y, w, h);
        return;
    }
    const double pi = std::numbers::pi;
    auto corner = [&](double cx, double cy, double from) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, from, from + pi / 2);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(x + w - rx, y + ry, -pi / 2);
    corner(x + w - rx, y + h - ry, 0);
    corner(x + rx, y + h - ry, pi / 2);
    corner(x + rx, y + ry, pi);
    cairo_close_path(cr);
}

void poly_path(cairo_t *cr, const Shape &s, bool close) {
    for (int i = 0; i < s.count; ++i)
        cairo_line_to(cr, s.points[i].h + 0.5, s.points[i].v + 0.5);
    if (close)
        cairo_close_path(cr);
}

void polygon_path(cairo_t *cr, const Shape &s, double) {
    poly_path(cr, s, true);
}

void polyline_path(cairo_t *cr, const Shape &s, double) {
    poly_path(cr, s, false);
}

// Arrow heads: filled triangles in the pen's colour whose tip is the line's end.
struct Arrow {
    s_cpen pen;
    double tip_x, tip_y, back_x, back_y;
};

void arrow_step(cairo_t *cr, const void *data) {
    const Arrow &a = *static_cast<const Arrow *>(data);
    vkobase::dwin::set_color(cr, a.pen.color, VKO_COLOR_BLACK);
    const double dx = a.tip_x - a.back_x;
    const double dy = a.tip_y - a.back_y;
    const double len = std::hypot(dx, dy);
    if (len <= 0)
        return;
    const double w = pen_width(a.pen);
    const double head = 6 + 2 * w;
    const double half = 3 + w;
    const double ux = dx / len, uy = dy / len;
    const double bx = a.tip_x - ux * head, by = a.tip_y - uy * head;
    cairo_move_to(cr, a.tip_x, a.tip_y);
    cairo_line_to(cr, bx - uy * half, by + ux * half);
    cairo_line_to(cr, bx + uy * half, by - ux * half);
    cairo_close_path(cr);
    cairo_fill(cr);
}

bool drawable(WINDOW win) noexcept {
    return vkobase::win_is_live(win);
}

void line_to(WINDOW win, s_pnt to, bool start_arrow, bool end_arrow) noexcept {
    const s_pnt from = win->draw.pen_pos;
    s_pnt pts[2] = {from, to};
    Shape s = make_shape(win, polyline_path);
    s.points = pts;
    s.count = 2;
    if (pen_visible(s.tools.pen)) {
        run(win, s.tools.pen.color, stroke_step, &s);
        const double fx = from.h + 0.5, fy = from.v + 0.5, tx = to.h + 0.5, ty = to.v + 0.5;
        if (start_arrow) {
            const Arrow a{s.tools.pen, fx, fy, tx, ty};
            run(win, s.tools.pen.color, arrow_step, &a);
        }
        if (end_arrow) {
            const Arrow a{s.tools.pen, tx, ty, fx, fy};
            run(win, s.tools.pen.color, arrow_step, &a);
        }
    }
    win->draw.pen_pos = to;
}

// Angle of a point seen from the rectangle's centre, in the unit circle's space.
double angle_of(const s_rct &r, std::int32_t h, std::int32_t v) noexcept {
    const double cx = (r.left + r.right) / 2.0;
    const double cy = (r.top + r.bottom) / 2.0;
    const double rx = std::max(0.5, (r.right - r.left) / 2.0);
    const double ry = std::max(0.5, (r.bottom - r.top) / 2.0);
    return std::atan2((v - cy) / ry, (h - cx) / rx);
}

void draw_arc_or_pie(WINDOW win, const s_rct *rct, std::int32_t start_h, std::int32_t start_v,
                     std::int32_t stop_h, std::int32_t stop_v, bool pie) noexcept {
    Shape s = make_shape(win, arc_path);
    s.rct = *rct;
    vkov_rect_repair(&s.rct);
    s.a1 = angle_of(s.rct, start_h, start_v);
    s.a2 = angle_of(s.rct, stop_h, stop_v);
    if (s.a2 >= s.a1)
        s.a2 -= 2 * std::numbers::pi;
    s.pie = pie;
    draw_shape(s, pie);
}

struct ClearData {
    COLOR color;
};

void clear_step(cairo_t *cr, const void *data) {
    vkobase::dwin::set_color(cr, static_cast<const ClearData *>(data)->color, VKO_COLOR_WHITE);
    cairo_paint(cr);
}

} // namespace

extern "C" {

void vkov_dwin_set_std_cpen(WINDOW win, int32_t std_pen) noexcept {
    if (!drawable(win))
        return;
    // 1 black, 2 grey dotted (outlines of layout frames), 3 white, 4 none; others take 1.
    s_cpen pen{1, PAT_SOLID, P_SOLID, VKO_COLOR_BLACK};
    if (std_pen == 2)
        pen = s_cpen{1, PAT_SOLID, P_DOT, 0x09808080u};
    else if (std_pen == 3)
        pen.color = VKO_COLOR_WHITE;
    else if (std_pen == 4)
        pen.pat = PAT_HOLLOW;
    win->draw.ctools.pen = pen;
}

void vkov_dwin_set_std_cbrush(WINDOW win, int32_t std_brush) noexcept {
    if (!drawable(win))
        return;
    // 0 hollow (shapes are not filled); anything else white.
    win->draw.ctools.brush = std_brush == 0 ? s_cbrush{PAT_HOLLOW, VKO_COLOR_WHITE}
                                            : s_cbrush{PAT_SOLID, VKO_COLOR_WHITE};
}

void vkov_dwin_clear(WINDOW win, COLOR color) noexcept {
    if (!drawable(win))
        return;
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", color);
    vkobase::surface_log(win, "clear", buf);
    const ClearData d{color};
    // Clearing replaces the pixels whatever the mode.
    const e_mode mode = win->draw.ctools.mode;
    win->draw.ctools.mode = M_COPY;
    run(win, color, clear_step, &d);
    win->draw.ctools.mode = mode;
}

void vkok_dwin_draw_line(WINDOW win, s_pnt to) noexcept {
    if (!drawable(win))
        return;
    vkobase::surface_log(win, "draw_line",
                         vkobase::dwin::fmt_pnt(win->draw.pen_pos) + "," +
                             vkobase::dwin::fmt_pnt(to));
    line_to(win, to, false, false);
}

void vkok_dwin_draw_aline(WINDOW win, s_pnt to, BOOLEAN start_arrow, BOOLEAN end_arrow) noexcept {
    if (!drawable(win))
        return;
    vkobase::surface_log(win, "draw_aline",
                         vkobase::dwin::fmt_pnt(win->draw.pen_pos) + "," +
                             vkobase::dwin::fmt_pnt(to) + "," + (start_arrow ? "1" : "0") + "," +
                             (end_arrow ? "1" : "0"));
    line_to(win, to, start_arrow != FALSE, end_arrow != FALSE);
}

void vkok_dwin_draw_polyline(WINDOW win, const s_pnt *points, int32_t count) noexcept {
    if (!drawable(win) || points == nullptr || count < 1)
        return;
    std::string args = std::to_string(count);
    for (int32_t i = 0; i < count && i < 16; ++i)
        args += ';' + vkobase::dwin::fmt_pnt(points[i]);
    vkobase::surface_log(win, "draw_polyline", args);
    Shape s = make_shape(win, polyline_path);
    s.points = points;
    s.count = count;
    if (count >= 2 && pen_visible(s.tools.pen))
        run(win, s.tools.pen.color, stroke_step, &s);
    win->draw.pen_pos = points[count - 1];
}

void vkok_dwin_draw_polygon(WINDOW win, const s_pnt *points, int32_t count) noexcept {
    if (!drawable(win) || points == nullptr || count < 1)
        return;
    std::string args = std::to_string(count);
    for (int32_t i = 0; i < count && i < 16; ++i)
        args += ';' + vkobase::dwin::fmt_pnt(points[i]);
    vkobase::surface_log(win, "draw_polygon", args);
    if (count < 2)
        return;
    Shape s = make_shape(win, polygon_path);
    s.points = points;
    s.count = count;
    draw_shape(s, true);
}

void vkok_dwin_draw_rect(WINDOW win, const s_rct *rct) noexcept {
    if (!drawable(win) || rct == nullptr)
        return;
    vkobase::surface_log(win, "draw_rect", vkobase::dwin::fmt_rect(rct));
    Shape s = make_shape(win, rect_path);
    s.rct = *rct;
    vkov_rect_repair(&s.rct);
    draw_shape(s, true);
}

void vkok_dwin_draw_oval(WINDOW win, const s_rct *rct) noexcept {
    if (!drawable(win) || rct == nullptr)
        return;
    vkobase::surface_log(win, "draw_oval", vkobase::dwin::fmt_rect(rct));
    Shape s = make_shape(win, oval_path);
    s.rct = *rct;
    vkov_rect_repair(&s.rct);
    draw_shape(s, true);
}

void vkok_dwin_draw_roundrect(WINDOW win, const s_rct *rct, int32_t corner_w,
                              int32_t corner_h) noexcept {
    if (!drawable(win) || rct == nullptr)
        return;
    vkobase::surface_log(win, "draw_roundrect",
                         vkobase::dwin::fmt_rect(rct) + "," + std::to_string(corner_w) + "," +
                             std::to_string(corner_h));
    Shape s = make_shape(win, roundrect_path);
    s.rct = *rct;
    vkov_rect_repair(&s.rct);
    s.a1 = corner_w;
    s.a2 = corner_h;
    draw_shape(s, true);
}

void vkok_dwin_draw_arc(WINDOW win, const s_rct *rct, int32_t start_h, int32_t start_v,
                        int32_t stop_h, int32_t stop_v) noexcept {
    if (!drawable(win) || rct == nullptr)
        return;
    char buf[64];
    std::snprintf(buf, sizeof buf, ",%d,%d,%d,%d", start_h, start_v, stop_h, stop_v);
    vkobase::surface_log(win, "draw_arc", vkobase::dwin::fmt_rect(rct) + buf);
    draw_arc_or_pie(win, rct, start_h, start_v, stop_h, stop_v, false);
}

void vkok_dwin_draw_pie(WINDOW win, const s_rct *rct, int32_t start_h, int32_t start_v,
                        int32_t stop_h, int32_t stop_v) noexcept {
    if (!drawable(win) || rct == nullptr)
        return;
    char buf[64];
    std::snprintf(buf, sizeof buf, ",%d,%d,%d,%d", start_h, start_v, stop_h, stop_v);
    vkobase::surface_log(win, "draw_pie", vkobase::dwin::fmt_rect(rct) + buf);
    draw_arc_or_pie(win, rct, start_h, start_v, stop_h, stop_v, true);
}

} // extern "C"
