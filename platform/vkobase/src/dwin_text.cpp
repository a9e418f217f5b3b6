// dwin_text.cpp: text of the drawable-window family and the window's font. A window owns its
// font: vkov_dwin_set_font takes a copy, so the caller keeps and frees its own; a window that
// never had one is given the default font the first time it is asked for it.
#include "vkobase/dwin.h"

#include <cstring>

#include "dwin_internal.h"
#include "font_internal.h"
#include "vkobase/font.h"
#include "window_internal.h"

namespace {

// The window's font, made (the default font) when it has none. Null when it cannot be made.
FONT_OBJ window_font(WINDOW win) noexcept {
    if (!vkobase::win_is_live(win))
        return nullptr;
    if (win->draw.font != nullptr)
        return win->draw.font;
    FONT_OBJ font = vkov_font_create();
    if (font == nullptr)
        return nullptr;
    vkobase::dwin::set_owned_font(win, font);
    return win->draw.font;
}

struct TextData {
    WINDOW win;
    FONT_OBJ font;
    std::int32_t dpi;
    std::int32_t x, y;
    const char *text;
    std::int32_t len;
};

void text_back_step(cairo_t *cr, const void *data) {
    const TextData &t = *static_cast<const TextData *>(data);
    const vkobase::font::Metrics m = vkobase::font::metrics(t.font, t.dpi);
    const std::int32_t width = vkobase::font::text_width(t.font, t.dpi, t.text, t.len);
    vkobase::dwin::set_color(cr, t.win->draw.ctools.back_color, VKO_COLOR_WHITE);
    cairo_rectangle(cr, t.x, t.y - m.ascent, width, m.ascent + m.descent);
    cairo_fill(cr);
}

void text_step(cairo_t *cr, const void *data) {
    const TextData &t = *static_cast<const TextData *>(data);
    vkobase::dwin::set_color(cr, t.win->draw.ctools.fore_color, VKO_COLOR_BLACK);
    vkobase::font::show_text(cr, t.font, t.dpi, t.x, t.y, t.text, t.len);
}

char *copy_out(const char *text, char *buf, int32_t buf_size) noexcept {
    if (text == nullptr || buf == nullptr || buf_size < 1)
        return nullptr;
    const std::size_t n = std::strlen(text);
    if (n >= static_cast<std::size_t>(buf_size))
        return nullptr;
    std::memcpy(buf, text, n + 1);
    return buf;
}

} // namespace

extern "C" {

void vkok_dwin_draw_text(WINDOW win, int32_t x, int32_t y, const char *text, int32_t len) noexcept {
    if (!vkobase::win_is_live(win) || text == nullptr)
        return;
    const std::int32_t n = len < 0 ? static_cast<std::int32_t>(std::strlen(text))
                                   : static_cast<std::int32_t>(strnlen(text, len));
    if (vkobase::surface_logging()) {
        try {
            vkobase::surface_log(win, "draw_text",
                                 std::to_string(x) + "," + std::to_string(y) + ",\"" +
                                     std::string(text, static_cast<std::size_t>(n)) + "\"");
        } catch (...) {
        }
    }
    const TextData t{win, win->draw.font, vkobase::font::window_dpi(win), x, y, text, n};
    if (win->draw.ctools.opaque_text != FALSE)
        vkobase::dwin::run(win, win->draw.ctools.back_color, text_back_step, &t);
    // The text step sets its colour and font and nothing else: texts drawn one after another
    // in one font keep cairo's font resolved between them.
    vkobase::dwin::run(win, win->draw.ctools.fore_color, text_step, &t, true);
}

int32_t vkok_dwin_get_text_width(WINDOW win, const char *text, int32_t len) noexcept {
    if (!vkobase::win_is_live(win) || text == nullptr)
        return -1;
    return vkobase::font::text_width(win->draw.font, vkobase::font::window_dpi(win), text, len);
}

FONT_OBJ vkok_dwin_get_font(WINDOW win, BOOLEAN want_copy) noexcept {
    FONT_OBJ font = window_font(win);
    if (font == nullptr || want_copy == FALSE)
        return font;
    return vkobase::font::duplicate(font); // the caller's to destroy
}

void vkov_dwin_set_font(WINDOW win, FONT_OBJ font) noexcept {
    if (!vkobase::win_is_live(win) || vkov_font_is_valid(font) == FALSE)
        return;
    if (font == win->draw.font)
        return;
    // The text-edit engine sets its font around every call it draws in: a window that has
    // that font already keeps its copy.
    FONT_OBJ current = win->draw.font;
    if (current == vkobase::dwin::owned_font(win) &&
        vkobase::font::is_mapped_copy(current, font, win))
        return;
    FONT_OBJ copy = vkobase::font::duplicate(font);
    if (copy == nullptr)
        return;
    vkov_font_map(copy, win);
    vkobase::dwin::set_owned_font(win, copy);
}

intptr_t vkov_dwin_get_font_app_data(WINDOW win) noexcept {
    FONT_OBJ font = window_font(win);
    return font != nullptr ? vkov_font_get_app_data(font) : 0;
}

void vkov_dwin_set_font_app_data(WINDOW win, intptr_t data) noexcept {
    if (FONT_OBJ font = window_font(win))
        vkov_font_set_app_data(font, data);
}

int32_t vkov_dwin_get_font_size(WINDOW win) noexcept {
    FONT_OBJ font = window_font(win);
    return font != nullptr ? vkov_font_get_size(font) : 0;
}

int32_t vkov_dwin_get_font_size_mapped(WINDOW win) noexcept {
    FONT_OBJ font = window_font(win);
    return font != nullptr ? vkok_font_get_size_mapped(font) : 0;
}

void vkov_dwin_set_font_size(WINDOW win, int32_t size_pt) noexcept {
    if (FONT_OBJ font = window_font(win))
        vkov_font_set_size(font, size_pt);
}

uint32_t vkov_dwin_get_font_style(WINDOW win) noexcept {
    FONT_OBJ font = window_font(win);
    return font != nullptr ? vkov_font_get_style(font) : 0;
}

uint32_t vkov_dwin_get_font_style_mapped(WINDOW win) noexcept {
    FONT_OBJ font = window_font(win);
    return font != nullptr ? vkok_font_get_style_mapped(font) : 0;
}

void vkov_dwin_set_font_style(WINDOW win, uint32_t style) noexcept {
    if (FONT_OBJ font = window_font(win))
        vkov_font_set_style(font, style);
}

char *vkov_dwin_get_font_family(WINDOW win, char *buf, int32_t buf_size) noexcept {
    FONT_OBJ font = window_font(win);
    if (font == nullptr || buf == nullptr || buf_size < 1)
        return nullptr;
    return vkov_font_get_family(font, buf, buf_size);
}

char *vkov_dwin_get_font_family_mapped(WINDOW win, char *buf, int32_t buf_size) noexcept {
    FONT_OBJ font = window_font(win);
    if (font == nullptr || buf == nullptr || buf_size < 1)
        return nullptr;
    return vkok_font_get_family_mapped(font, buf, buf_size);
}

void vkov_dwin_set_font_family(WINDOW win, const char *family) noexcept {
    if (family == nullptr)
        return;
    if (FONT_OBJ font = window_font(win))
        vkov_font_set_family(font, family);
}

char *vkov_dwin_get_font_native_desc(WINDOW win, char *buf, int32_t buf_size) noexcept {
    FONT_OBJ font = window_font(win);
    if (font == nullptr || buf == nullptr || buf_size < 1)
        return nullptr;
    char desc[256] = "";
    if (vkov_font_get_native_desc(font, desc, sizeof desc) == nullptr)
        return nullptr;
    return copy_out(desc, buf, buf_size);
}

void vkov_dwin_set_font_native_desc(WINDOW win, const char *desc) noexcept {
    if (desc == nullptr)
        return;
    if (FONT_OBJ font = window_font(win))
        vkov_font_set_native_desc(font, desc);
}

} // extern "C"
