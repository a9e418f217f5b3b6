// tdwin.cpp: checks of the drawable-window family. Every member starts with the drawable-window
// check (null, live with its signature, a kind that can be drawn in, not a text edit). A
// rectangle is then checked for null, skipped when empty, and repaired into a copy when out of
// order; the caller's rectangle is never written.
#include "ruk/static/forward.h"

#include <initializer_list>

namespace {

using vkoruk::ApiFrame;

constexpr char kModule[] = "tdwin";
constexpr std::int32_t kFallbackStdPen = 1;
constexpr std::int32_t kFallbackStdBrush = 1;

bool type_in(std::int32_t type, std::initializer_list<std::int32_t> types) {
    for (std::int32_t t : types)
        if (t == type)
            return true;
    return false;
}

// Kinds of window that a picture can be recorded in.
bool picture_kind(WINDOW win) {
    return type_in(vkoruk::effective_type(win), {W_DOC, W_PLAIN, W_DBL, W_TASK, W_SCREEN,
                                                 W_NO_BORDER, W_MODAL, W_MODELESS, W_SUBWIN});
}

bool kind_in_set(const ApiFrame& frame, bool in_set, int line) {
    if (in_set)
        return true;
    frame.refuse(vkoruk::kErrWrongWindowKind, line);
    return false;
}

// A drawing rectangle: null is refused, empty draws nothing (no report), out of order is
// repaired into the frame's copy.
bool drawing_rect(ApiFrame& frame, const s_rct*& rct) {
    if (!frame.not_null(rct, __LINE__) || ApiFrame::rect_empty(rct))
        return false;
    rct = frame.repaired(rct, __LINE__);
    return true;
}

constexpr auto drawable = [](ApiFrame& frame, WINDOW win, auto&&...) {
    return frame.drawable_window(win, __LINE__);
};

constexpr auto drawable_then_given = [](ApiFrame& frame, WINDOW win, const void* arg,
                                        auto&&...) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    return frame.not_null(arg, __LINE__);
};

constexpr auto drawable_then_rect = [](ApiFrame& frame, WINDOW win, const s_rct*& rct,
                                       auto&&...) {
    return frame.drawable_window(win, __LINE__) && drawing_rect(frame, rct);
};

void font_metrics_of_window(WINDOW win, std::int32_t* leading, std::int32_t* ascent,
                            std::int32_t* descent) {
    // The window's font measured at the window's own resolution (a print window's is the
    // printer's), through a copy bound to the window.
    FONT_OBJ font = vkok_dwin_get_font(win, TRUE);
    if (font == nullptr)
        return;
    vkov_font_set_win(font, win);
    vkok_font_get_metrics(font, leading, ascent, descent);
    vkov_font_destroy(font);
}

using WindowFontText = char* (*)(WINDOW win, char* buf, std::int32_t buf_size);

// The font texts: the buffer is checked and emptied before the window, so a refused call
// leaves an empty string wherever the caller gave a buffer.
BOOLEAN copy_window_font_text(const char* api_name, WindowFontText get_text, WINDOW win,
                              char* buf, std::int32_t buf_size) {
    const ApiFrame frame{api_name, kModule};
    if (!frame.not_null(buf, __LINE__))
        return FALSE;
    buf[0] = '\0';
    if (!frame.drawable_window(win, __LINE__))
        return FALSE;
    if (buf_size < 1) {
        frame.refuse(vkoruk::kErrBufferTooSmall, __LINE__);
        return FALSE;
    }
    const char* text = get_text(win, nullptr, 0);
    return vkoruk::copy_text_out(frame, text, buf, buf_size, __LINE__) ? TRUE : FALSE;
}

// ---- Checks, in table order ------------------------------------------------------------------

constexpr auto check_vko_dwin_clear = drawable;
constexpr auto check_vko_dwin_draw_aline = drawable;
constexpr auto check_vko_dwin_draw_icon = drawable;
constexpr auto check_vko_dwin_draw_line = drawable;
constexpr auto check_vko_dwin_draw_set_pos = drawable;
constexpr auto check_vko_dwin_set_back_color = drawable;
constexpr auto check_vko_dwin_set_fore_color = drawable;
constexpr auto check_vko_dwin_set_draw_mode = drawable;
constexpr auto check_vko_dwin_get_font = drawable;
constexpr auto check_vko_dwin_update = drawable;
constexpr auto check_vko_dwin_draw_polygon = drawable_then_given;
constexpr auto check_vko_dwin_draw_polyline = drawable_then_given;
constexpr auto check_vko_dwin_get_clip = drawable_then_given;
constexpr auto check_vko_dwin_get_draw_ctools = drawable_then_given;
constexpr auto check_vko_dwin_set_cbrush = drawable_then_given;
constexpr auto check_vko_dwin_set_cpen = drawable_then_given;
constexpr auto check_vko_dwin_set_draw_ctools = drawable_then_given;

bool check_vko_dwin_draw_text(ApiFrame& frame, WINDOW win, std::int32_t, std::int32_t,
                              const char* text, std::int32_t) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    return frame.not_null(text, __LINE__);
}

constexpr auto check_vko_dwin_get_text_width = drawable_then_given;

bool check_vko_dwin_set_font(ApiFrame& frame, WINDOW win, FONT_OBJ font) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    return frame.font_given_and_valid(font, __LINE__);
}

constexpr auto check_vko_dwin_get_font_app_data = drawable;
constexpr auto check_vko_dwin_get_font_size = drawable;
constexpr auto check_vko_dwin_get_font_size_mapped = drawable;
constexpr auto check_vko_dwin_get_font_style = drawable;
constexpr auto check_vko_dwin_get_font_style_mapped = drawable;
constexpr auto check_vko_dwin_set_font_app_data = drawable;
constexpr auto check_vko_dwin_set_font_style = drawable;
constexpr auto check_vko_dwin_set_font_family = drawable_then_given;
constexpr auto check_vko_dwin_set_font_native_desc = drawable_then_given;

bool check_vko_dwin_set_font_size(ApiFrame& frame, WINDOW win, std::int32_t size_pt) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    return frame.positive(size_pt, __LINE__);
}

// A brush other than 0 and 1 becomes brush 1 (severity 1, reported on the window).
bool check_vko_dwin_set_std_cbrush(ApiFrame& frame, WINDOW win, std::int32_t& std_brush) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    if (std_brush != 0 && std_brush != 1) {
        frame.repair(vkoruk::kErrValueOutOfSet, __LINE__, win);
        std_brush = kFallbackStdBrush;
    }
    return true;
}

// A pen other than 1 to 4 becomes pen 1 (severity 1).
bool check_vko_dwin_set_std_cpen(ApiFrame& frame, WINDOW win, std::int32_t& std_pen) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    if (std_pen < 1 || std_pen > 4) {
        frame.repair(vkoruk::kErrValueOutOfSet, __LINE__);
        std_pen = kFallbackStdPen;
    }
    return true;
}

constexpr auto check_vko_dwin_draw_rect = drawable_then_rect;
constexpr auto check_vko_dwin_draw_oval = drawable_then_rect;
constexpr auto check_vko_dwin_draw_roundrect = drawable_then_rect;
constexpr auto check_vko_dwin_draw_pie = drawable_then_rect;

// The arc tests for a text edit only once its rectangle is known to be usable.
bool check_vko_dwin_draw_arc(ApiFrame& frame, WINDOW win, const s_rct*& rct, std::int32_t,
                             std::int32_t, std::int32_t, std::int32_t) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!kind_in_set(frame, (win->flags & vkoruk::kDrawableMask) != 0, __LINE__))
        return false;
    if (!frame.not_null(rct, __LINE__) || ApiFrame::rect_empty(rct))
        return false;
    if (!frame.not_text_edit(win, __LINE__))
        return false;
    rct = frame.repaired(rct, __LINE__);
    return true;
}

bool check_vko_dwin_draw_pict(ApiFrame& frame, WINDOW win, PICTURE, const s_rct*& rct) {
    return frame.drawable_window(win, __LINE__) && drawing_rect(frame, rct);
}

constexpr auto check_vko_dwin_scroll_rect = drawable_then_rect;

// Only windows with an update region of their own; a null rectangle (the whole window) is
// passed on.
bool check_vko_dwin_invalidate_rect(ApiFrame& frame, WINDOW win, const s_rct*& rct) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    const bool invalidatable = type_in(vkoruk::effective_type(win),
                                       {W_DOC, W_PLAIN, W_DBL, W_TASK, W_NO_BORDER, W_MODAL});
    if (!kind_in_set(frame, invalidatable, __LINE__))
        return false;
    if (rct == nullptr)
        return true;
    if (ApiFrame::rect_empty(rct))
        return false;
    rct = frame.repaired(rct, __LINE__);
    return true;
}

// A null or empty clip (no clipping) is passed on as given.
bool check_vko_dwin_set_clip(ApiFrame& frame, WINDOW win, const s_rct*& rct) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    if (rct != nullptr && !ApiFrame::rect_empty(rct))
        rct = frame.repaired(rct, __LINE__);
    return true;
}

// Outside an update nothing needs updating, except in a print window; the rectangle is not
// looked at then.
bool check_vko_dwin_is_update_needed(ApiFrame& frame, WINDOW win, const s_rct*& rct) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    if (!vkov_app_is_update_in_progress() && win->type != W_PRINT)
        return false;
    return drawing_rect(frame, rct);
}

bool check_vko_dwin_open_pict(ApiFrame& frame, WINDOW win, const s_rct*& rct) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    if (!kind_in_set(frame, picture_kind(win), __LINE__))
        return false;
    if (!frame.not_null(rct, __LINE__))
        return false;
    rct = frame.repaired(rct, __LINE__);
    return true;
}

bool check_vko_dwin_close_pict(ApiFrame& frame, WINDOW win) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    return kind_in_set(frame, picture_kind(win), __LINE__);
}

// Source and destination of an image or pixmap copy: an empty destination draws nothing; an
// empty source cannot be drawn from and is refused; out-of-order ones are repaired, source
// first.
bool copy_rects(ApiFrame& frame, const s_rct*& dst, const s_rct*& src, WINDOW obj) {
    if (!frame.not_null(dst, __LINE__, obj) || ApiFrame::rect_empty(dst))
        return false;
    if (!frame.not_null(src, __LINE__, obj))
        return false;
    if (ApiFrame::rect_empty(src)) {
        frame.refuse(vkoruk::kErrRectRepaired, __LINE__);
        return false;
    }
    src = frame.repaired(src, __LINE__);
    dst = frame.repaired(dst, __LINE__);
    return true;
}

bool check_vko_dwin_draw_image(ApiFrame& frame, WINDOW win, IMAGE image, const s_rct*& dst,
                               const s_rct*& src) {
    if (!frame.drawable_window(win, __LINE__))
        return false;
    if (image == nullptr) {
        frame.refuse(vkoruk::kErrNullImage, __LINE__);
        return false;
    }
    if (!vkov_image_is_valid(image)) {
        frame.refuse(vkoruk::kErrBadImage, __LINE__);
        return false;
    }
    return copy_rects(frame, dst, src, nullptr);
}

// Reports about the window, the pixmap and null rectangles name the window as their object.
bool check_vko_dwin_draw_pmap(ApiFrame& frame, WINDOW win, WINDOW pmap, const s_rct*& dst,
                              const s_rct*& src) {
    if (!frame.drawable_window(win, __LINE__, win))
        return false;
    if (pmap == nullptr) {
        frame.refuse(vkoruk::kErrNullPixmap, __LINE__, win);
        return false;
    }
    if (!vkoruk::is_live_window(pmap) || (pmap->flags & vkoruk::kFlagPixmap) == 0) {
        frame.refuse(vkoruk::kErrBadPixmap, __LINE__, win);
        return false;
    }
    return copy_rects(frame, dst, src, win);
}

// The metrics need only a live window that is not a text edit.
bool check_vko_dwin_get_font_metrics(ApiFrame& frame, WINDOW win, std::int32_t*, std::int32_t*,
                                     std::int32_t*) {
    if (!frame.live_window(win, __LINE__))
        return false;
    return frame.not_text_edit(win, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tdwin.def"

extern "C" BOOLEAN vko_dwin_get_font_family(WINDOW win, char* buf, int32_t buf_size) noexcept {
    return copy_window_font_text("vko_dwin_get_font_family", vkov_dwin_get_font_family, win, buf,
                                 buf_size);
}

extern "C" BOOLEAN vko_dwin_get_font_family_mapped(WINDOW win, char* buf,
                                                   int32_t buf_size) noexcept {
    return copy_window_font_text("vko_dwin_get_font_family_mapped",
                                 vkov_dwin_get_font_family_mapped, win, buf, buf_size);
}

extern "C" BOOLEAN vko_dwin_get_font_native_desc(WINDOW win, char* buf,
                                                 int32_t buf_size) noexcept {
    return copy_window_font_text("vko_dwin_get_font_native_desc", vkov_dwin_get_font_native_desc,
                                 win, buf, buf_size);
}
