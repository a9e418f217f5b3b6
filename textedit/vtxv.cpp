// vtxv.cpp: the view's drawing side: borrowing the drawing window's state and giving it back,
// the record's colours and font, and drawing lines with tabs and the highlighted selection.
// The window's state is saved once per exported operation and restored at its end, so callers
// never see the engine's tools, font or clip. Lines are drawn from their paragraph's text
// directly, never through the open paragraph of vkov_tx_get_line, which belongs to the caller.
#include "vtxv_internal.h"

#include <algorithm>

#include "vkobase/app.h"
#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/mem.h"
#include "vkobase/str.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace vkotx {
namespace {

constexpr char kModule[] = "vtxc";
constexpr std::int32_t kFontMetricParts = 31;
constexpr std::int32_t kAttrDefaultCtlColors = 715;
constexpr std::int32_t kCoordLimit = 9999; // baselines beyond this are not drawn
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The colour of the last pair of that type in a list ended by type 0, or false.
bool last_color_of(const s_color_pair *list, e_color_component type, COLOR &color) {
    bool found = false;
    for (const s_color_pair *pair = list; pair != nullptr && pair->component != 0; ++pair)
        if (pair->component == type) {
            color = pair->color;
            found = true;
        }
    return found;
}

// The window's own control colour of that type, when it has one.
bool window_color(WINDOW win, e_color_component type, COLOR &color) {
    if (win == nullptr || !vkov_vobj_is_valid(win))
        return false;
    s_color_pair *list = vkok_win_get_ctl_colors(win);
    const bool found = last_color_of(list, type, color);
    vkov_mem_free(list);
    return found;
}

// Sets the window's tools for normal or inverted text of the record.
void set_tools(const tx_record *rec, bool inverted) {
    s_drawct tools{};
    vkov_app_get_default_ctools(&tools);
    const COLOR fore = inverted ? rec->back_color : rec->text_color;
    const COLOR back = inverted ? rec->text_color : rec->back_color;
    tools.pen.color = fore;
    tools.pen.pat = PAT_HOLLOW; // bands and tab areas are painted without a frame line
    tools.brush.pat = PAT_SOLID;
    tools.brush.color = back;
    tools.fore_color = fore;
    tools.back_color = back;
    tools.opaque_text = TRUE;
    vkok_dwin_set_draw_ctools(rec->win, &tools);
}

void apply_record_state(tx_record *rec) {
    s_drawct tools{};
    vkov_app_get_default_ctools(&tools);
    tools.pen.color = rec->border_color;
    tools.brush.color = rec->back_color;
    tools.fore_color = rec->text_color;
    tools.back_color = rec->back_color;
    tools.opaque_text = TRUE;
    vkok_dwin_set_draw_ctools(rec->win, &tools);
    vkov_dwin_set_font(rec->win, rec->font);
    vkok_dwin_set_clip(rec->win, &rec->view);
    tx_state().applied_slot = rec->slot;
}

// The drawing code changed the window's tools or clip: the next prepare applies them again.
void forget_applied() {
    tx_state().applied_slot = 0;
}

void paint(WINDOW win, std::int32_t top, std::int32_t left, std::int32_t bottom,
           std::int32_t right) {
    if (left >= right || top >= bottom)
        return;
    const s_rct area{static_cast<std::int16_t>(top), static_cast<std::int16_t>(left),
                     static_cast<std::int16_t>(bottom), static_cast<std::int16_t>(right)};
    vkok_dwin_draw_rect(win, &area);
}

// Byte length of one multibyte character at text (at least 1, at most bytes_left).
std::uint32_t char_bytes(const char *text, std::uint32_t bytes_left) {
    const std::int32_t size = vkov_str_get_n_char_size(text, 1);
    return std::clamp<std::uint32_t>(size > 0 ? static_cast<std::uint32_t>(size) : 1, 1,
                                     bytes_left);
}

// Draws one line whose baseline is at y; x is the pixel of the line's offset 0.
void draw_line(tx_record *rec, std::uint16_t par, std::uint16_t line, std::int32_t x,
               std::int32_t baseline) {
    std::uint32_t len = 0;
    const char *text = tx_line_text(rec, par, line, &len);
    if (text == nullptr)
        return;
    const std::int32_t top = baseline + rec->descent - rec->line_height;
    const std::int32_t bottom = baseline + rec->descent;
    const std::int32_t leading = rec->line_height - rec->ascent - rec->descent;
    const std::int32_t right_edge = rec->view.right;
    const std::int32_t left_edge = rec->view.left;
    const std::uint16_t chars = tx_line_chars(rec, par, line);

    // Character indices where the highlight turns on and off within this line.
    std::int32_t on_at = -1;
    std::int32_t off_at = -1;
    if (tx_compare(rec->hl_start, rec->hl_end) != 0) {
        const tx_position line_start{par, line, 0, 0};
        const tx_position line_end{par, line, chars, 0};
        if (tx_compare(rec->hl_start, line_end) < 0 && tx_compare(rec->hl_end, line_start) > 0) {
            on_at = tx_compare(rec->hl_start, line_start) <= 0 ? 0 : rec->hl_start.chr;
            off_at = rec->hl_end.par == par && rec->hl_end.line == line ? rec->hl_end.chr : -1;
        }
    }
    bool inverted = on_at == 0;
    set_tools(rec, inverted);

    std::int32_t px = 0; // offset from the line's start
    std::uint32_t at = 0;
    std::int32_t chr = 0;
    while (at < len) {
        if (x + px >= right_edge)
            return; // nothing more is visible
        const bool tabs = text[at] == '\t';
        const std::uint32_t run_start = at;
        const std::int32_t run_chr = chr;
        while (at < len && (text[at] == '\t') == tabs) {
            if (chr != run_chr && (chr == on_at || chr == off_at))
                break;
            at += char_bytes(text + at, len - at);
            ++chr;
        }
        const std::int32_t width = tx_text_width(rec, text + run_start, chr - run_chr, px);
        const std::int32_t run_left = x + px;
        const std::int32_t run_right = run_left + width;
        if (run_right > left_edge) {
            if (leading != 0)
                paint(rec->win, top, run_left, top + leading, run_right);
            if (tabs)
                paint(rec->win, top, run_left, bottom, run_right);
            else
                vkok_dwin_draw_text(rec->win, run_left, baseline, text + run_start,
                                    static_cast<std::int32_t>(at - run_start));
        }
        px += width;
        if (chr == on_at && !inverted) {
            inverted = true;
            set_tools(rec, true);
        }
        if (chr == off_at && inverted) {
            inverted = false;
            set_tools(rec, false);
        }
    }
    if (x + px < right_edge)
        paint(rec->win, top, std::max(x + px, left_edge), bottom, right_edge);
}

} // namespace

// ---- Drawing state ----------------------------------------------------------------------------

void tx_prepare_drawing(tx_record *rec) {
    tx_module_state &state = tx_state();
    if (state.prepared_win != nullptr && state.prepared_win != rec->win)
        tx_restore_drawing();
    if (!vkov_vobj_is_valid(rec->win))
        return;
    if (state.prepared_win == nullptr) {
        vkok_dwin_get_draw_ctools(rec->win, &state.saved_tools);
        state.saved_font = vkok_dwin_get_font(rec->win, TRUE);
        state.saved_clip = rec->win->draw.clip;
        state.saved_has_clip = rec->win->draw.has_clip;
        state.prepared_win = rec->win;
        state.applied_slot = 0;
    }
    // A record still being created has no slot yet: its state is always applied afresh.
    if (state.applied_slot != rec->slot || rec->slot == 0)
        apply_record_state(rec);
}

void tx_restore_drawing() {
    tx_module_state &state = tx_state();
    WINDOW win = state.prepared_win;
    if (win == nullptr)
        return;
    if (vkov_vobj_is_valid(win)) {
        vkok_dwin_set_draw_ctools(win, &state.saved_tools);
        if (state.saved_font != nullptr)
            vkov_dwin_set_font(win, state.saved_font);
        vkok_dwin_set_clip(win, state.saved_has_clip ? &state.saved_clip : nullptr);
    }
    if (state.saved_font != nullptr)
        vkov_font_destroy(state.saved_font);
    state.saved_font = nullptr;
    state.prepared_win = nullptr;
    state.applied_slot = 0;
}

void tx_flush_updates(tx_record *rec) {
    if ((rec->state & kStateSuspended) != 0)
        return;
    tx_restore_drawing();
    vkok_dwin_update(rec->win);
    tx_prepare_drawing(rec);
}

// ---- Colours and font -------------------------------------------------------------------------

void tx_set_default_colors(tx_record *rec) {
    rec->text_color = VKO_COLOR_BLACK;
    rec->back_color = VKO_COLOR_WHITE;
    rec->border_color = VKO_COLOR_BLACK;
}

bool tx_reset_colors(tx_record *rec) {
    if (rec->colors_fixed != 0)
        return false;
    const auto *app_list =
        reinterpret_cast<const s_color_pair *>(vkok_vobj_get_attr(nullptr, kAttrDefaultCtlColors));
    struct Target {
        e_color_component type;
        COLOR *color;
        COLOR fallback;
    };
    const Target targets[] = {{VKO_CC_FORE, &rec->text_color, VKO_COLOR_BLACK},
                              {VKO_CC_BACK, &rec->back_color, VKO_COLOR_WHITE},
                              {VKO_CC_BORDER, &rec->border_color, VKO_COLOR_BLACK}};
    for (const Target &t : targets) {
        COLOR color = t.fallback;
        if (!window_color(rec->win, t.type, color) && !window_color(rec->owner, t.type, color) &&
            !last_color_of(app_list, t.type, color))
            color = t.fallback;
        *t.color = color;
    }
    if (tx_state().applied_slot == rec->slot)
        forget_applied();
    return true;
}

bool tx_set_font(tx_record *rec, FONT_OBJ font) {
    if (font == nullptr)
        font = vkok_dwin_get_font(rec->win, FALSE);
    if (vkov_font_is_valid(font) == FALSE)
        tx_report(3, kErrInternal, kModule, __LINE__); // used all the same
    tx_set_highlight(rec, false);
    tx_restore_drawing();
    vkov_font_copy(rec->font, font, kFontMetricParts);
    vkov_font_set_win(rec->font, rec->win);
    tx_prepare_drawing(rec);
    std::int32_t leading = 0;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    vkok_font_get_metrics(rec->font, &leading, &ascent, &descent);
    rec->ascent = static_cast<std::uint16_t>(std::max(0, ascent));
    rec->descent = static_cast<std::uint16_t>(std::max(0, descent));
    rec->line_height = static_cast<std::uint16_t>(std::max(1, ascent + descent + leading));
    const std::int32_t width = vkok_dwin_get_text_width(
        rec->win, kAlphabet, static_cast<std::int32_t>(sizeof kAlphabet - 1));
    rec->avg_char_width = static_cast<std::uint16_t>(std::max(1, (width + 25) / 52));
    return true;
}

// ---- Lines ------------------------------------------------------------------------------------

std::uint16_t tx_visible_lines(const tx_record *rec) {
    if (rec->line_height == 0)
        return 1;
    const std::int32_t height = rec->view.bottom - rec->view.top;
    const std::int32_t lines =
        (height + rec->line_height - rec->ascent - rec->descent) / rec->line_height;
    return static_cast<std::uint16_t>(std::clamp(lines, 1, 65535));
}

// Draws lines first..last of a paragraph; true once a line below the view's bottom was drawn.
static bool draw_paragraph_lines(tx_record *rec, std::uint16_t par, std::uint16_t first,
                                 std::uint16_t last, bool only_update) {
    const std::int32_t x = rec->view.left - rec->hor_origin;
    std::int32_t y = tx_baseline(rec, par, first);
    if (y < -kCoordLimit || y > kCoordLimit)
        return false;
    for (std::int32_t line = first; line <= last; ++line, y += rec->line_height) {
        if (y < rec->view.top)
            continue;
        bool wanted = true;
        if (only_update) {
            const s_rct band{rec->view.top, rec->view.left,
                             static_cast<std::int16_t>(std::min(y + rec->descent, 32767)),
                             rec->view.right};
            wanted = vkok_dwin_is_update_needed(rec->win, &band) != FALSE;
        }
        if (wanted)
            draw_line(rec, par, static_cast<std::uint16_t>(line), x, y);
        if (y > rec->view.bottom)
            return true;
    }
    return false;
}

void tx_draw_range(tx_record *rec, std::uint16_t par1, std::uint16_t line1, std::uint16_t par2,
                   std::uint16_t line2, bool only_update) {
    if (rec->pars.empty() || (rec->state & kStateSuspended) != 0)
        return;
    if (tx_lines_between(rec, rec->origin_par, rec->origin_line, par1, line1) < 0) {
        par1 = rec->origin_par;
        line1 = rec->origin_line;
    }
    par2 = std::min<std::uint16_t>(par2, static_cast<std::uint16_t>(rec->par_count() - 1));
    tx_prepare_drawing(rec);
    for (std::uint32_t par = par1; par <= par2; ++par) {
        const std::uint16_t count = tx_paragraph_lines(rec, static_cast<std::uint16_t>(par));
        if (count == 0)
            continue;
        const std::uint16_t first = par == par1 ? line1 : 0;
        const std::uint16_t last =
            par == par2 ? std::min<std::uint16_t>(line2, count - 1) : count - 1;
        if (first > last)
            continue;
        if (draw_paragraph_lines(rec, static_cast<std::uint16_t>(par), first, last, only_update))
            break;
    }
    forget_applied();
}

void tx_redraw_lines(tx_record *rec, std::uint16_t par, std::uint16_t first, std::uint16_t last) {
    tx_draw_range(rec, par, first, par, last, false);
}

void tx_draw(tx_record *rec, bool only_update) {
    if ((rec->state & kStateSuspended) != 0)
        return;
    s_rct clip = rec->outer;
    const bool border = (rec->attrs & kAttrBorder) != 0;
    if (border)
        clip = s_rct{
            static_cast<std::int16_t>(clip.top - 1), static_cast<std::int16_t>(clip.left - 1),
            static_cast<std::int16_t>(clip.bottom + 1), static_cast<std::int16_t>(clip.right + 1)};
    std::uint16_t par = rec->origin_par;
    std::uint16_t line = rec->origin_line;
    bool has_lines = !rec->pars.empty();
    if (only_update) {
        // The base library does not clip drawing to the pending update: painting the background
        // over lines that are not drawn again would blank them. The paint therefore starts at
        // the first line whose band, or anything above it, needs updating; every line from
        // there on is drawn.
        const std::int32_t lh = std::max<std::int32_t>(1, rec->line_height);
        const std::int32_t rows = tx_visible_lines(rec);
        std::int32_t row = 0;
        for (; row < rows; ++row) {
            const std::int32_t bottom =
                row + 1 == rows ? clip.bottom : rec->view.top + (row + 1) * lh;
            const s_rct above{clip.top, clip.left, static_cast<std::int16_t>(bottom), clip.right};
            if (vkok_dwin_is_update_needed(rec->win, &above) != FALSE)
                break;
        }
        if (row == rows)
            return;
        if (row > 0) {
            const std::int32_t leading = rec->line_height - rec->ascent - rec->descent;
            clip.top = static_cast<std::int16_t>(
                std::max<std::int32_t>(rec->view.top, rec->view.top + row * lh - leading));
            has_lines = has_lines && tx_line_step(rec, par, line, row);
        }
    }
    tx_prepare_drawing(rec);
    s_drawct tools{};
    vkok_dwin_get_draw_ctools(rec->win, &tools);
    tools.brush.pat = PAT_SOLID;
    tools.brush.color = rec->back_color;
    tools.pen.color = rec->border_color;
    if (!border)
        tools.pen.pat = PAT_HOLLOW; // no frame line without the border attribute
    vkok_dwin_set_draw_ctools(rec->win, &tools);
    vkok_dwin_set_clip(rec->win, &clip);
    vkok_dwin_draw_rect(rec->win, &rec->outer);
    vkok_dwin_set_clip(rec->win, &rec->view);
    forget_applied();
    if (has_lines)
        tx_draw_range(rec, par, line, kEnd, kEnd, false);
}

// ---- Highlight --------------------------------------------------------------------------------

void tx_set_highlight(tx_record *rec, bool on) {
    if (rec->pars.empty())
        return;
    const tx_position old_start = rec->hl_start;
    const tx_position old_end = rec->hl_end;
    tx_position new_start{};
    tx_position new_end{};
    if (on && !tx_sel_empty(rec)) {
        new_start = rec->anchor;
        new_end = rec->end;
        tx_order(new_start, new_end);
    }
    rec->hl_start = new_start;
    rec->hl_end = new_end;

    const bool old_empty = tx_compare(old_start, old_end) == 0;
    const bool new_empty = tx_compare(new_start, new_end) == 0;
    auto redraw = [rec](tx_position a, tx_position b) {
        tx_order(a, b);
        tx_draw_range(rec, a.par, a.line, b.par, b.line, false);
    };
    if (old_empty && new_empty) {
        // nothing was or is highlighted
    } else if (old_empty) {
        redraw(new_start, new_end);
    } else if (new_empty) {
        redraw(old_start, old_end);
    } else if (tx_compare(old_start, new_end) < 0 && tx_compare(new_start, old_end) < 0) {
        if (tx_compare(old_start, new_start) != 0)
            redraw(old_start, new_start);
        if (tx_compare(old_end, new_end) != 0)
            redraw(old_end, new_end);
    } else {
        redraw(old_start, old_end);
        redraw(new_start, new_end);
    }
    tx_update_edit_menu(rec->owner, rec, false);
}

} // namespace vkotx
