// Drawable-window state that needs no pixels: the drawing tools, pen, brush, colours and mode
// kept in the window record, the pen position, the clip rectangle, and the update-region
// bookkeeping behind invalidation, forced updates and the update test (kept with the windows).
// Drawing and scrolling live in dwin.cpp, dwin_text.cpp and dwin_blit.cpp.
#include "vkobase/dwin.h"

#include "vkobase/rect.h"
#include "window_internal.h"

extern "C" {

s_drawct* vkok_dwin_get_draw_ctools(WINDOW win, s_drawct* tools) noexcept {
    if (tools == nullptr || !vkobase::win_is_live(win)) {
        return nullptr;
    }
    *tools = win->draw.ctools;
    return tools;
}

void vkok_dwin_set_draw_ctools(WINDOW win, const s_drawct* tools) noexcept {
    if (tools != nullptr && vkobase::win_is_live(win)) {
        win->draw.ctools = *tools;
    }
}

void vkok_dwin_set_cpen(WINDOW win, const s_cpen* pen) noexcept {
    if (pen != nullptr && vkobase::win_is_live(win)) {
        win->draw.ctools.pen = *pen;
    }
}

void vkok_dwin_set_cbrush(WINDOW win, const s_cbrush* brush) noexcept {
    if (brush != nullptr && vkobase::win_is_live(win)) {
        win->draw.ctools.brush = *brush;
    }
}

void vkok_dwin_set_fore_color(WINDOW win, COLOR color) noexcept {
    if (vkobase::win_is_live(win)) {
        win->draw.ctools.fore_color = color;
    }
}

void vkok_dwin_set_back_color(WINDOW win, COLOR color) noexcept {
    if (vkobase::win_is_live(win)) {
        win->draw.ctools.back_color = color;
    }
}

void vkok_dwin_set_draw_mode(WINDOW win, int32_t mode) noexcept {
    if (vkobase::win_is_live(win)) {
        win->draw.ctools.mode = mode;
    }
}

void vkok_dwin_draw_set_pos(WINDOW win, s_pnt pos) noexcept {
    if (vkobase::win_is_live(win)) {
        win->draw.pen_pos = pos;
    }
}

s_rct* vkok_dwin_get_clip(WINDOW win, s_rct* rct) noexcept {
    if (rct == nullptr || !vkobase::win_is_live(win)) {
        return nullptr;
    }
    // Without a clip of its own a window draws anywhere in its client area.
    *rct = win->draw.has_clip ? win->draw.clip : vkobase::win_client_rect(win);
    return rct;
}

void vkok_dwin_set_clip(WINDOW win, const s_rct* rct) noexcept {
    if (!vkobase::win_is_live(win)) {
        return;
    }
    // Null switches clipping off; an empty rectangle is kept, so nothing is drawn.
    if (rct == nullptr) {
        win->draw.has_clip = FALSE;
        return;
    }
    win->draw.clip = *rct;
    vkov_rect_repair(&win->draw.clip);
    win->draw.has_clip = TRUE;
}

void vkok_dwin_invalidate_rect(WINDOW win, const s_rct* rct) noexcept {
    vkobase::win_invalidate(win, rct);
}

BOOLEAN vkok_dwin_is_update_needed(WINDOW win, const s_rct* rct) noexcept {
    if (!vkobase::win_is_live(win) || rct == nullptr) {
        return FALSE;
    }
    if (vkobase::win_effective_type(win) == W_PRINT) {
        return TRUE;  // a printed page is drawn whole
    }
    return vkobase::win_is_update_needed(win, rct) ? TRUE : FALSE;
}

void vkok_dwin_update(WINDOW win) noexcept {
    vkobase::win_update_now(win);
}

} // extern "C"
