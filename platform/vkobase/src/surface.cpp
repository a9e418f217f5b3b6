// surface.cpp: the pixels behind drawable windows. Each surface owner keeps its cairo surface,
// and every window its drawing log and picture redirection, in the window's drawing extension
// slot, freed with the window. A child never has a surface of its own: it draws through a
// context clipped to its rectangle of its owner's surface.
#include "surface_internal.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <vector>

#include "core_internal.h"
#include "dwin_internal.h"
#include "font_internal.h"
#include "vkobase/font.h"
#include "vkobase/rect.h"
#include "vkobase/surface_debug.h"
#include "window_internal.h"

namespace {

constexpr std::size_t kLogLimit = 4096;
// Largest side of a surface: a window placed larger keeps no pixels beyond it, rather than
// asking for gigabytes.
constexpr int kMaxSidePx = 8192;

struct LogEntry {
    std::string op;
    std::string args;
    s_rct clip{};
    bool has_clip = false;
    e_mode mode = M_COPY;
    s_cpen pen{};
    s_cbrush brush{};
    std::string font;
};

// What the drawing part keeps in a window (vko_win_internal::kExtDraw).
struct DrawExt {
    cairo_surface_t *surface = nullptr; // owners only
    bool attached = false;              // surface came from surface_attach
    cairo_surface_t *redirect = nullptr;
    FONT_OBJ font = nullptr; // the window's current font (s_drawst::font), owned here
    std::deque<LogEntry> log;
    // The context kept for the window's next drawing calls (surface_kept_context), with what
    // it was made for: the layout generation and the window's own clip.
    cairo_t *kept = nullptr;
    std::uint64_t kept_generation = 0;
    bool kept_has_clip = false;
    s_rct kept_clip{};
};

// Changes whenever a kept context may no longer be right for its window: a window moved,
// showed or hid, or a surface was replaced, attached or redirected. Never reset, so a count
// from before a reset never matches one after.
std::uint64_t g_layout_generation = 1;

struct SurfaceState {
    vkobase::SurfaceDrawnHook drawn_hook = nullptr;
    bool log_off = false; // a test or benchmark switched the drawing log off
};

SurfaceState &state() noexcept {
    static SurfaceState s;
    return s;
}

void drop_kept(DrawExt *ext) noexcept {
    if (ext->kept != nullptr)
        cairo_destroy(ext->kept);
    ext->kept = nullptr;
}

void free_ext(void *data) noexcept {
    auto *ext = static_cast<DrawExt *>(data);
    drop_kept(ext); // before the surfaces it draws into
    if (ext->surface != nullptr)
        cairo_surface_destroy(ext->surface);
    if (ext->redirect != nullptr)
        cairo_surface_destroy(ext->redirect);
    if (ext->font != nullptr)
        vkov_font_destroy(ext->font);
    delete ext;
}

DrawExt *find_ext(WINDOW win) noexcept {
    return static_cast<DrawExt *>(vkobase::win_get_ext(win, vko_win_internal::kExtDraw));
}

DrawExt *ext_of(WINDOW win) noexcept {
    if (!vkobase::win_is_live(win))
        return nullptr;
    if (DrawExt *ext = find_ext(win))
        return ext;
    auto *ext = new (std::nothrow) DrawExt{};
    if (ext == nullptr)
        return nullptr;
    vkobase::win_set_ext(win, vko_win_internal::kExtDraw, ext, free_ext);
    win->draw.surface = ext;
    return ext;
}

bool is_owner(WINDOW win) noexcept {
    if (win->type == W_PIXMAP || win->type == W_PRINT || (win->flags & VKO_WF_PIXMAP) != 0)
        return true;
    WINDOW parent = win->parent;
    return parent == nullptr || !vkobase::win_is_live(parent) || parent == vkobase::win_screen() ||
           parent->type == W_TASK || win == vkobase::win_screen();
}

cairo_surface_t *make_image(int width, int height) noexcept {
    cairo_surface_t *s =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), std::max(height, 1));
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    cairo_t *cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    return s;
}

// Where the window's client origin lies on its owner's surface, unclamped: the sum of the
// placements from the window up to the owner.
void origin_on_owner(WINDOW win, WINDOW owner, std::int32_t *h, std::int32_t *v) noexcept {
    *h = 0;
    *v = 0;
    for (WINDOW w = win; w != owner && w != nullptr; w = w->parent) {
        *v += w->internal->placement.top;
        *h += w->internal->placement.left;
    }
}

s_pnt clamped(std::int32_t h, std::int32_t v) noexcept {
    return s_pnt{static_cast<std::int16_t>(std::clamp(v, -32768, 32767)),
                 static_cast<std::int16_t>(std::clamp(h, -32768, 32767))};
}

// The visible windows that share the owner's surface and lie in front of w among its
// siblings, as owner rectangles (parent_h, parent_v: w's parent's client origin on the
// owner) that meet area.
void add_siblings_in_front(WINDOW w, std::int32_t parent_h, std::int32_t parent_v,
                           const s_rct &area, std::vector<s_rct> *out) {
    const std::vector<WINDOW> &kids = w->parent->internal->children;
    auto it = std::find(kids.begin(), kids.end(), w);
    if (it == kids.end())
        return;
    for (++it; it != kids.end(); ++it) {
        WINDOW kid = *it;
        if (!vkobase::win_is_live(kid) || !kid->internal->visible || is_owner(kid))
            continue;
        s_rct outer = vkobase::win_outer_rect(kid);
        const s_pnt at = clamped(parent_h, parent_v);
        vkov_rect_offset(&outer, at.h, at.v);
        s_rct part{};
        if (vkov_rect_intersect(&part, &outer, &area))
            out->push_back(part);
    }
}

// Clips cr (whose user space is the owner's client space) to the window's visible part and
// moves the origin to the window's client origin. False when a window on the way is hidden.
// One walk up to the owner: each ancestor's origin is the one below it less its placement.
// The visible part leaves out the windows in front of it that share the surface (a window
// laid over a status bar keeps its pixels when the bar's text changes).
bool clip_to_window(cairo_t *cr, WINDOW win, WINDOW owner) noexcept {
    std::int32_t h = 0, v = 0;
    origin_on_owner(win, owner, &h, &v);
    const s_pnt origin = clamped(h, v);
    s_rct area = vkobase::win_client_rect(win);
    vkov_rect_offset(&area, origin.h, origin.v);
    std::vector<s_rct> in_front;
    for (WINDOW w = win; w != owner; w = w->parent) {
        if (!w->internal->visible)
            return false;
        v -= w->internal->placement.top;
        h -= w->internal->placement.left;
        WINDOW up = w->parent;
        s_rct up_area = vkobase::win_client_rect(up);
        const s_pnt up_origin = clamped(h, v);
        vkov_rect_offset(&up_area, up_origin.h, up_origin.v);
        if (!vkov_rect_intersect(&area, &area, &up_area))
            area = s_rct{0, 0, 0, 0};
        try {
            add_siblings_in_front(w, h, v, area, &in_front);
        } catch (...) {
            in_front.clear();
        }
    }
    // The owner's own client area is the whole surface: a clip there would only slow glyphs.
    if (win != owner && in_front.empty()) {
        cairo_rectangle(cr, area.left, area.top, area.right - area.left, area.bottom - area.top);
        cairo_clip(cr);
    } else if (win != owner) {
        const cairo_rectangle_int_t whole{area.left, area.top, area.right - area.left,
                                          area.bottom - area.top};
        cairo_region_t *visible = cairo_region_create_rectangle(&whole);
        for (const s_rct &r : in_front) {
            const cairo_rectangle_int_t cut{r.left, r.top, r.right - r.left, r.bottom - r.top};
            cairo_region_subtract_rectangle(visible, &cut);
        }
        for (int i = 0; i < cairo_region_num_rectangles(visible); ++i) {
            cairo_rectangle_int_t r{};
            cairo_region_get_rectangle(visible, i, &r);
            cairo_rectangle(cr, r.x, r.y, r.width, r.height);
        }
        cairo_clip(cr);
        cairo_region_destroy(visible);
    }
    cairo_translate(cr, origin.h, origin.v);
    return true;
}

void clip_to_own_rect(cairo_t *cr, WINDOW win) noexcept {
    if (!win->draw.has_clip)
        return;
    const s_rct &c = win->draw.clip;
    cairo_rectangle(cr, c.left, c.top, std::max(0, c.right - c.left),
                    std::max(0, c.bottom - c.top));
    cairo_clip(cr);
}

} // namespace

void vkobase_reset_surface() noexcept {
    state() = SurfaceState{};
}

namespace vkobase {

WINDOW surface_owner(WINDOW win) noexcept {
    for (WINDOW w = win; win_is_live(w); w = w->parent)
        if (is_owner(w))
            return w;
    return nullptr;
}

cairo_surface_t *surface_of(WINDOW owner) noexcept {
    if (surface_owner(owner) != owner)
        return nullptr;
    DrawExt *ext = ext_of(owner);
    if (ext == nullptr)
        return nullptr;
    if (ext->attached)
        return ext->surface;
    const s_rct client = win_client_rect(owner);
    const int width = std::clamp(client.right - client.left, 1, kMaxSidePx);
    const int height = std::clamp(client.bottom - client.top, 1, kMaxSidePx);
    if (ext->surface != nullptr && cairo_image_surface_get_width(ext->surface) == width &&
        cairo_image_surface_get_height(ext->surface) == height)
        return ext->surface;
    cairo_surface_t *fresh = make_image(width, height);
    if (fresh == nullptr)
        return ext->surface;
    surface_layout_changed();
    if (ext->surface != nullptr) {
        // Resized: what was drawn stays where it was; new area is white.
        cairo_t *cr = cairo_create(fresh);
        cairo_set_source_surface(cr, ext->surface, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(ext->surface);
    }
    ext->surface = fresh;
    return fresh;
}

void surface_attach(WINDOW owner, cairo_surface_t *surface) noexcept {
    if (surface_owner(owner) != owner)
        return;
    surface_layout_changed();
    DrawExt *ext = ext_of(owner);
    if (ext == nullptr)
        return;
    if (surface != nullptr)
        cairo_surface_reference(surface);
    if (ext->surface != nullptr)
        cairo_surface_destroy(ext->surface);
    ext->surface = surface;
    ext->attached = surface != nullptr;
}

s_pnt surface_origin(WINDOW win) noexcept {
    std::int32_t h = 0, v = 0;
    origin_on_owner(win, surface_owner(win), &h, &v);
    return clamped(h, v);
}

cairo_t *surface_begin(WINDOW win) noexcept {
    WINDOW owner = surface_owner(win);
    if (owner == nullptr)
        return nullptr;
    if (DrawExt *ext = find_ext(win); ext != nullptr && ext->redirect != nullptr) {
        cairo_t *cr = cairo_create(ext->redirect);
        clip_to_own_rect(cr, win);
        return cr;
    }
    cairo_surface_t *surface = surface_of(owner);
    if (surface == nullptr)
        return nullptr;
    cairo_t *cr = cairo_create(surface);
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS || !clip_to_window(cr, win, owner)) {
        cairo_destroy(cr);
        return nullptr;
    }
    clip_to_own_rect(cr, win);
    return cr;
}

void surface_layout_changed() noexcept {
    ++g_layout_generation;
}

cairo_t *surface_kept_context(WINDOW win) noexcept {
    DrawExt *ext = ext_of(win);
    if (ext == nullptr || ext->redirect != nullptr)
        return nullptr;
    const bool has_clip = win->draw.has_clip != FALSE;
    const s_rct &clip = win->draw.clip;
    if (ext->kept != nullptr && ext->kept_generation == g_layout_generation &&
        ext->kept_has_clip == has_clip &&
        (!has_clip || (ext->kept_clip.top == clip.top && ext->kept_clip.left == clip.left &&
                       ext->kept_clip.bottom == clip.bottom && ext->kept_clip.right == clip.right)))
        return ext->kept;
    drop_kept(ext);
    cairo_t *cr = surface_begin(win);
    if (cr == nullptr)
        return nullptr;
    // Only the screen's image surfaces: a print page's surface must be let go of when its
    // page ends.
    if (cairo_surface_get_type(cairo_get_target(cr)) != CAIRO_SURFACE_TYPE_IMAGE) {
        cairo_destroy(cr);
        return nullptr;
    }
    ext->kept = cr;
    ext->kept_generation = g_layout_generation;
    ext->kept_has_clip = has_clip;
    ext->kept_clip = clip;
    return cr;
}

void surface_end(WINDOW win, cairo_t *cr) noexcept {
    if (cr == nullptr)
        return;
    cairo_destroy(cr);
    DrawExt *ext = find_ext(win);
    if (ext == nullptr || ext->redirect == nullptr)
        surface_mark_drawn(win, nullptr);
}

void surface_mark_drawn(WINDOW win, const s_rct *rct) noexcept {
    SurfaceDrawnHook hook = state().drawn_hook;
    if (hook == nullptr)
        return;
    WINDOW owner = surface_owner(win);
    if (owner == nullptr)
        return;
    s_rct area;
    if (!win_client_part(win, rct, &area))
        return;
    // Drawing never reaches past the window's clip rectangle: a view that paints its whole
    // frame while an update covers a small part of it changed only that part.
    if (win->draw.has_clip) {
        const s_rct &clip = win->draw.clip;
        if (clip.right <= clip.left || clip.bottom <= clip.top ||
            !vkov_rect_intersect(&area, &area, &clip))
            return;
    }
    const s_pnt origin = surface_origin(win);
    vkov_rect_offset(&area, origin.h, origin.v);
    hook(owner, area);
}

void surface_set_drawn_hook(SurfaceDrawnHook hook) noexcept {
    state().drawn_hook = hook;
}

void surface_redirect(WINDOW win, cairo_surface_t *target) noexcept {
    DrawExt *ext = target != nullptr ? ext_of(win) : find_ext(win);
    if (ext == nullptr)
        return;
    surface_layout_changed();
    if (target != nullptr)
        cairo_surface_reference(target);
    if (ext->redirect != nullptr)
        cairo_surface_destroy(ext->redirect);
    ext->redirect = target;
}

cairo_surface_t *surface_redirect_target(WINDOW win) noexcept {
    const DrawExt *ext = find_ext(win);
    return ext != nullptr ? ext->redirect : nullptr;
}

bool surface_logging() noexcept {
    return app_test_mode() && !state().log_off;
}

void surface_log(WINDOW win, const char *op, const std::string &args) noexcept {
    if (!surface_logging())
        return;
    DrawExt *ext = ext_of(win);
    if (ext == nullptr)
        return;
    try {
        LogEntry e;
        e.op = op;
        e.args = args;
        e.clip = win->draw.clip;
        e.has_clip = win->draw.has_clip != FALSE;
        e.mode = win->draw.ctools.mode;
        e.pen = win->draw.ctools.pen;
        e.brush = win->draw.ctools.brush;
        if (win->draw.font != nullptr)
            e.font = font::describe(win->draw.font);
        if (ext->log.size() >= kLogLimit)
            ext->log.pop_front();
        ext->log.push_back(std::move(e));
    } catch (...) {
        // A log entry that cannot be kept is dropped; drawing goes on.
    }
}

bool surface_color_rgb(COLOR color, double *red, double *green, double *blue) noexcept {
    if (color == VKO_COLOR_UNSET)
        return false;
    *red = static_cast<double>((color >> 16) & 0xFFu) / 255.0;
    *green = static_cast<double>((color >> 8) & 0xFFu) / 255.0;
    *blue = static_cast<double>(color & 0xFFu) / 255.0;
    return true;
}

namespace dwin {

FONT_OBJ owned_font(WINDOW win) noexcept {
    const DrawExt *ext = win_is_live(win) ? find_ext(win) : nullptr;
    return ext != nullptr ? ext->font : nullptr;
}

void set_owned_font(WINDOW win, FONT_OBJ font) noexcept {
    DrawExt *ext = ext_of(win);
    if (ext == nullptr) {
        if (font != nullptr)
            vkov_font_destroy(font);
        return;
    }
    if (ext->font != nullptr && ext->font != font)
        vkov_font_destroy(ext->font);
    ext->font = font;
    win->draw.font = font;
}

} // namespace dwin

__attribute__((weak)) PICTURE pict_from_recording(cairo_surface_t *, const s_rct &) noexcept {
    return nullptr;
}

__attribute__((weak)) bool pict_paint(cairo_t *, PICTURE, const s_rct &) noexcept {
    return false;
}

__attribute__((weak)) cairo_surface_t *image_to_surface(IMAGE) noexcept {
    return nullptr;
}

} // namespace vkobase

namespace {

// The window's client area on its owner's surface: an image surface and the rectangle; false
// when the window has no pixels to read.
bool readable_area(WINDOW win, cairo_surface_t **surface, s_rct *area) noexcept {
    WINDOW owner = vkobase::surface_owner(win);
    if (owner == nullptr)
        return false;
    cairo_surface_t *s = vkobase::surface_of(owner);
    if (s == nullptr || cairo_surface_get_type(s) != CAIRO_SURFACE_TYPE_IMAGE)
        return false;
    *area = vkobase::win_client_rect(win);
    const s_pnt origin = vkobase::surface_origin(win);
    vkov_rect_offset(area, origin.h, origin.v);
    *surface = s;
    return true;
}

template <std::size_t N> void copy_text(char (&dst)[N], const std::string &src) noexcept {
    const std::size_t n = std::min(src.size(), N - 1);
    std::memcpy(dst, src.data(), n);
    dst[n] = '\0';
}

} // namespace

extern "C" {

int32_t vkov_debug_draw_log_size(WINDOW win) noexcept {
    const DrawExt *ext = vkobase::win_is_live(win) ? find_ext(win) : nullptr;
    return ext != nullptr ? static_cast<int32_t>(ext->log.size()) : 0;
}

BOOLEAN vkov_debug_draw_log_get(WINDOW win, int32_t index, vkov_draw_log_entry *entry) noexcept {
    const DrawExt *ext = vkobase::win_is_live(win) ? find_ext(win) : nullptr;
    if (ext == nullptr || entry == nullptr || index < 0 ||
        static_cast<std::size_t>(index) >= ext->log.size())
        return FALSE;
    const LogEntry &e = ext->log[static_cast<std::size_t>(index)];
    *entry = vkov_draw_log_entry{};
    copy_text(entry->op, e.op);
    copy_text(entry->args, e.args);
    entry->clip = e.clip;
    entry->has_clip = e.has_clip ? TRUE : FALSE;
    entry->mode = e.mode;
    entry->pen = e.pen;
    entry->brush = e.brush;
    copy_text(entry->font, e.font);
    return TRUE;
}

void vkov_debug_draw_log_enable(BOOLEAN on) noexcept {
    state().log_off = on == FALSE;
}

void vkov_debug_draw_log_clear(WINDOW win) noexcept {
    if (DrawExt *ext = vkobase::win_is_live(win) ? find_ext(win) : nullptr)
        ext->log.clear();
}

BOOLEAN vkov_debug_surface_size(WINDOW win, int32_t *width, int32_t *height) noexcept {
    if (!vkobase::win_is_live(win) || width == nullptr || height == nullptr)
        return FALSE;
    const s_rct r = vkobase::win_client_rect(win);
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return TRUE;
}

uint32_t vkov_debug_surface_pixel(WINDOW win, int32_t x, int32_t y) noexcept {
    cairo_surface_t *s = nullptr;
    s_rct area{};
    if (!readable_area(win, &s, &area))
        return 0;
    const int32_t sx = area.left + x;
    const int32_t sy = area.top + y;
    if (x < 0 || y < 0 || sx >= area.right || sy >= area.bottom || sx < 0 || sy < 0 ||
        sx >= cairo_image_surface_get_width(s) || sy >= cairo_image_surface_get_height(s))
        return 0;
    cairo_surface_flush(s);
    const unsigned char *row = cairo_image_surface_get_data(s) +
                               static_cast<std::ptrdiff_t>(sy) * cairo_image_surface_get_stride(s);
    std::uint32_t px = 0;
    std::memcpy(&px, row + static_cast<std::ptrdiff_t>(sx) * 4, sizeof px);
    return px;
}

BOOLEAN vkov_debug_surface_write_png(WINDOW win, const char *path) noexcept {
    cairo_surface_t *s = nullptr;
    s_rct area{};
    if (path == nullptr || !readable_area(win, &s, &area))
        return FALSE;
    const int width = std::max(area.right - area.left, 1);
    const int height = std::max(area.bottom - area.top, 1);
    cairo_surface_t *out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t *cr = cairo_create(out);
    cairo_set_source_surface(cr, s, -area.left, -area.top);
    cairo_paint(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(out, path) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok ? TRUE : FALSE;
}

} // extern "C"
