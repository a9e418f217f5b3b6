// ctl_ui.cpp: what every native control does the same way: the dispatch of its events to its
// family, its interaction state, the control events to its parent, repainting after its parent,
// and the drawing helpers of the classic look.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "ctl_internal.h"
#include "dwin_internal.h"
#include "font_internal.h"
#include "surface_internal.h"
#include "vkobase/rect.h"
#include "vkobase/scr.h"
#include "vkobase/timer.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace vkobase::ctl {

namespace {

void free_ui(void *data) {
    auto *state = static_cast<Ui *>(data);
    if (state->timer >= 0)
        vkov_timer_destroy(state->timer);
    if (win_is_live(state->popup)) {
        // The control is going: its open list, a window of its own, must not read it.
        state->popup->app_data = 0;
        win_destroy_record(state->popup);
    }
    delete state;
}

bool is_mouse(e_event type) noexcept {
    return type >= E_MOUSE_DOWN && type <= E_MOUSE_DBL;
}

// The colour a window sets for a component, looking up through its ancestors; unset when none.
COLOR inherited_color(WINDOW win, e_color_component component) noexcept {
    int slot = 0;
    for (int bit = 1; bit < VKO_COLOR_SET_SLOTS; ++bit)
        if (component == (1 << bit))
            slot = bit;
    if (slot == 0)
        return VKO_COLOR_UNSET;
    for (WINDOW w = win; win_is_live(w); w = w->parent)
        if (w->color_set.colors[slot] != VKO_COLOR_UNSET)
            return w->color_set.colors[slot];
    return VKO_COLOR_UNSET;
}

// Keeps the pixels of windows lying in front of the control (a drop-down list, an overlapping
// control) out of its drawing: they are siblings later in z-order of the control or of one of
// its ancestors below the surface owner.
void clip_out_front(cairo_t *cr, WINDOW win) noexcept {
    const s_rct client = win_client_rect(win);
    const s_pnt origin = win_client_origin_on_screen(win);
    WINDOW owner = surface_owner(win);
    bool any = false;
    cairo_new_path(cr);
    cairo_rectangle(cr, client.left, client.top, client.right, client.bottom);
    for (WINDOW w = win; w != owner && win_is_live(w) && win_is_live(w->parent); w = w->parent) {
        const auto &kids = w->parent->internal->children;
        const s_pnt base = win_client_origin_on_screen(w->parent);
        for (auto it = std::find(kids.begin(), kids.end(), w); it != kids.end(); ++it) {
            if (*it == w || !(*it)->internal->visible)
                continue;
            s_rct r = win_outer_rect(*it);
            vkov_rect_offset(&r, static_cast<std::int16_t>(base.h - origin.h),
                             static_cast<std::int16_t>(base.v - origin.v));
            cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
            any = true;
        }
    }
    if (any) {
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_clip(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    }
    cairo_new_path(cr);
}

} // namespace

bool is_native(WINDOW win) noexcept {
    if (!win_is_live(win))
        return false;
    const e_win_type type = win_effective_type(win);
    return type >= WC_PUSHBUTTON && type <= WC_NOTEBK && type != WC_TEXTEDIT;
}

Ui *ui(WINDOW win) noexcept {
    if (!win_is_live(win))
        return nullptr;
    auto *state = static_cast<Ui *>(win_get_ext(win, vko_win_internal::kExtUi));
    if (state == nullptr) {
        state = new (std::nothrow) Ui{};
        if (state != nullptr)
            win_set_ext(win, vko_win_internal::kExtUi, state, free_ui);
    }
    return state;
}

void stop_repeat(Ui *st) noexcept {
    if (st->timer >= 0)
        vkov_timer_destroy(st->timer);
    st->timer = -1;
}

bool input_enabled(WINDOW win) noexcept {
    for (WINDOW w = win; win_is_live(w); w = w->parent)
        if (!w->internal->enabled)
            return false;
    return win_is_live(win);
}

bool has_focus(WINDOW win) noexcept {
    return win != nullptr && vkok_scr_get_focus_vobj() == win;
}

void focus_on_click(WINDOW win) noexcept {
    if (vkok_vobj_is_focusable(win) && !has_focus(win))
        vkok_scr_set_focus_vobj(win);
}

bool notify(WINDOW ctl, std::int32_t data1, std::int32_t data2) noexcept {
    if (!win_is_live(ctl))
        return false;
    const std::uint64_t order = ctl->internal->created_order;
    WINDOW parent = ctl->parent;
    if (win_is_live(parent)) {
        EVENT ev{};
        ev.type = E_CONTROL;
        ev.v.ctl.id = ctl->internal->ctl_id;
        ev.v.ctl.ci.type = win_effective_type(ctl);
        ev.v.ctl.ci.win = ctl;
        ev.v.ctl.ci.v.words.data1 = data1;
        ev.v.ctl.ci.v.words.data2 = data2;
        win_deliver_event(parent, &ev);
    }
    const vko_win_internal *still = win_internal(ctl);
    return still != nullptr && still->created_order == order;
}

std::int32_t handle_event(WINDOW win, EVENT *event) noexcept {
    if (!is_native(win) || event == nullptr)
        return 0;
    const e_event type = event->type;
    if ((is_mouse(type) || type == E_CHAR) && !input_enabled(win)) {
        // A disabled control ignores the user; a press must not leave it captured either.
        if (Ui *state = ui(win))
            state->pressed = false;
        return 0;
    }
    if (type == E_FOCUS)
        win_invalidate(win, nullptr); // the focus rectangle comes or goes
    if (type == E_DESTROY) {
        close_popup(win);
        return 0;
    }
    std::int32_t used = 0;
    switch (win_effective_type(win)) {
    case WC_HSCROLL:
    case WC_VSCROLL:
        used = sbar_event(win, event);
        break;
    case WC_EDIT:
        used = edit_event(win, event);
        break;
    case WC_LBOX:
    case WC_LISTBUTTON:
    case WC_LISTEDIT:
        used = list_event(win, event);
        break;
    case WC_NOTEBK:
        used = notebk_event(win, event);
        break;
    default:
        used = button_event(win, event);
        break;
    }
    if (type == E_CHAR && used == 0 && win_is_live(win))
        pass_key(win, event);
    return used;
}

void before_update(WINDOW win, const s_rct &area) noexcept {
    const vko_win_internal *in = win_internal(win);
    if (in == nullptr || !in->dialog_face)
        return;
    cairo_t *cr = surface_begin(win);
    if (cr == nullptr)
        return;
    const COLOR back = inherited_color(win, VKO_CC_BACK);
    dwin::set_color(cr, back != VKO_COLOR_UNSET ? back : kFace, kFace);
    cairo_rectangle(cr, area.left, area.top, area.right - area.left, area.bottom - area.top);
    cairo_fill(cr);
    surface_end(win, cr);
}

void after_update(WINDOW win, const s_rct &area) noexcept {
    const vko_win_internal *in = win_internal(win);
    if (in == nullptr)
        return;
    // The parent's drawing may have covered its child windows (controls, text edits, the
    // windows inside them): they draw again on top.
    for (WINDOW kid : in->children) {
        if (!kid->internal->visible)
            continue;
        const s_rct outer = win_outer_rect(kid);
        s_rct meet{};
        if (!vkov_rect_intersect(&meet, &outer, &area))
            continue;
        vkov_rect_offset(&meet, static_cast<std::int16_t>(-kid->internal->placement.left),
                         static_cast<std::int16_t>(-kid->internal->placement.top));
        win_invalidate(kid, &meet);
    }
}

// ---- drawing -----------------------------------------------------------------------------

FONT_OBJ control_font(WINDOW win) noexcept {
    for (WINDOW w = win; win_is_live(w); w = w->parent)
        if (w->ctl_font != nullptr)
            return w->ctl_font;
    return nullptr; // the default font
}

int measure(WINDOW win, const char *text, int len) noexcept {
    return font::text_width(control_font(win), font::kScreenDpi, text, len);
}

int line_height(WINDOW win) noexcept {
    const font::Metrics m = font::metrics(control_font(win), font::kScreenDpi);
    return m.ascent + m.descent;
}

Paint::Paint(WINDOW win, const char *what) noexcept : win_(win) {
    if (!win_is_live(win))
        return;
    try {
        surface_log(win, "ctl_draw", what);
    } catch (...) {
    }
    cr_ = surface_begin(win);
    const s_rct client = win_client_rect(win);
    width_ = client.right;
    height_ = client.bottom;
    enabled_ = input_enabled(win);
    font_ = control_font(win);
    if (cr_ != nullptr) {
        cairo_set_line_width(cr_, 1.0);
        clip_out_front(cr_, win);
    }
}

Paint::~Paint() {
    if (cr_ != nullptr)
        surface_end(win_, cr_);
}

COLOR Paint::color(e_color_component component, COLOR fallback) const noexcept {
    const COLOR c = inherited_color(win_, component);
    return c != VKO_COLOR_UNSET ? c : fallback;
}

void Paint::set_color(COLOR color) const noexcept {
    dwin::set_color(cr_, color, VKO_COLOR_BLACK);
}

void Paint::fill(double x, double y, double w, double h, COLOR color) const noexcept {
    if (w <= 0 || h <= 0)
        return;
    set_color(color);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
}

void Paint::frame(double x, double y, double w, double h, COLOR color) const noexcept {
    if (w <= 0 || h <= 0)
        return;
    set_color(color);
    cairo_rectangle(cr_, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr_);
}

void Paint::bevel(double x, double y, double w, double h, bool raised) const noexcept {
    if (w < 4 || h < 4)
        return;
    // Outer ring, then inner ring: light and shadow swap between raised and sunken.
    const COLOR outer_tl = raised ? kLight : kShadow;
    const COLOR outer_br = raised ? kDarkShadow : kLight;
    const COLOR inner_tl = raised ? kFace : kDarkShadow;
    const COLOR inner_br = raised ? kShadow : kFace;
    auto ring = [&](double inset, COLOR tl, COLOR br) {
        const double l = x + inset + 0.5, t = y + inset + 0.5;
        const double r = x + w - inset - 0.5, b = y + h - inset - 0.5;
        set_color(tl);
        cairo_move_to(cr_, l, b);
        cairo_line_to(cr_, l, t);
        cairo_line_to(cr_, r, t);
        cairo_stroke(cr_);
        set_color(br);
        cairo_move_to(cr_, r, t);
        cairo_line_to(cr_, r, b);
        cairo_line_to(cr_, l, b);
        cairo_stroke(cr_);
    };
    ring(0, outer_tl, outer_br);
    ring(1, inner_tl, inner_br);
}

void Paint::focus_rect(double x, double y, double w, double h) const noexcept {
    if (w < 2 || h < 2)
        return;
    const double dash[] = {1.0, 1.0};
    cairo_save(cr_);
    cairo_set_dash(cr_, dash, 2, 0);
    set_color(VKO_COLOR_BLACK);
    cairo_rectangle(cr_, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr_);
    cairo_restore(cr_);
}

void Paint::text(double x, double y, const char *text, int len, COLOR color) const noexcept {
    if (text == nullptr)
        return;
    set_color(color);
    font::show_text(cr_, font_, font::kScreenDpi, x, y, text, len);
}

void Paint::greyed_text(double x, double y, const char *text, int len) const noexcept {
    // The period's disabled look: the text engraved, a light copy one pixel down and right.
    this->text(x + 1, y + 1, text, len, kLight);
    this->text(x, y, text, len, color(VKO_CC_DISABLED, kShadow));
}

int Paint::text_width(const char *text, int len) const noexcept {
    return font::text_width(font_, font::kScreenDpi, text, len);
}

int Paint::ascent() const noexcept {
    return font::metrics(font_, font::kScreenDpi).ascent;
}

int Paint::line_height() const noexcept {
    const font::Metrics m = font::metrics(font_, font::kScreenDpi);
    return m.ascent + m.descent;
}

void Paint::arrow(double x, double y, double w, double h, int direction,
                  COLOR color) const noexcept {
    const double size = std::max(2.0, std::min(w, h) / 4.0);
    const double cx = x + w / 2.0, cy = y + h / 2.0;
    set_color(color);
    switch (direction) {
    case 0:
        cairo_move_to(cr_, cx - size, cy + size / 2);
        cairo_line_to(cr_, cx + size, cy + size / 2);
        cairo_line_to(cr_, cx, cy - size / 2);
        break;
    case 1:
        cairo_move_to(cr_, cx - size, cy - size / 2);
        cairo_line_to(cr_, cx + size, cy - size / 2);
        cairo_line_to(cr_, cx, cy + size / 2);
        break;
    case 2:
        cairo_move_to(cr_, cx + size / 2, cy - size);
        cairo_line_to(cr_, cx + size / 2, cy + size);
        cairo_line_to(cr_, cx - size / 2, cy);
        break;
    default:
        cairo_move_to(cr_, cx - size / 2, cy - size);
        cairo_line_to(cr_, cx - size / 2, cy + size);
        cairo_line_to(cr_, cx + size / 2, cy);
        break;
    }
    cairo_close_path(cr_);
    cairo_fill(cr_);
}

} // namespace vkobase::ctl
