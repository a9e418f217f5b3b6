// ctl_button.cpp: the button family of native controls: push buttons, radio buttons, check
// boxes, static texts, group boxes and icons. A click (press and release over the control) or
// Space on the focused button sends the parent one control event; the check mark is the
// parent's to change in answer (the toolkit's rule: the handler decides what a click means).
#include <algorithm>
#include <string>
#include <vector>

#include "ctl_internal.h"
#include "vkobase/ctl.h"
#include "vkobase/dwin.h"
#include "window_internal.h"

namespace vkobase::ctl {

namespace {

constexpr int kBoxSize = 13; // check box and radio button mark
constexpr int kBoxGap = 5;   // between the mark and its title

// The title as shown: the "~" that marks a hot key is not drawn.
std::string shown_title(WINDOW win) {
    std::string text;
    for (char c : win->internal->title)
        if (c != '~')
            text += c;
    return text;
}

bool inside_client(WINDOW win, s_pnt where) noexcept {
    const s_rct client = win_client_rect(win);
    return where.v >= 0 && where.h >= 0 && where.v < client.bottom && where.h < client.right;
}

// Press, drag and release of a button-like control: the button stays captured while held and
// shows pressed only while the pointer is over it. True when a release completed a click.
bool track(WINDOW win, const EVENT &ev) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return false;
    switch (ev.type) {
    case E_MOUSE_DOWN:
    case E_MOUSE_DBL:
        if (ev.v.mouse.button != 0)
            return false;
        focus_on_click(win);
        if (!win_is_live(win))
            return false;
        st->pressed = true;
        st->inside = true;
        win_invalidate(win, nullptr);
        return false;
    case E_MOUSE_MOVE:
        if (st->pressed && st->inside != inside_client(win, ev.v.mouse.where)) {
            st->inside = !st->inside;
            win_invalidate(win, nullptr);
        }
        return false;
    case E_MOUSE_UP:
        if (!st->pressed)
            return false;
        st->pressed = false;
        win_invalidate(win, nullptr);
        return inside_client(win, ev.v.mouse.where);
    default:
        return false;
    }
}

// The colour behind controls that do not fill a face of their own: their set background, the
// face of a dialog, else the parent's background.
COLOR back_of(const Paint &p, WINDOW win) noexcept {
    COLOR fallback = kFace;
    if (win_is_live(win->parent) && !win->parent->internal->dialog_face && !is_native(win->parent))
        fallback = win->parent->draw.ctools.back_color;
    return p.color(VKO_CC_BACK, fallback);
}

void draw_label(const Paint &p, double x, double baseline, const std::string &text) {
    if (p.enabled())
        p.text(x, baseline, text.c_str(), static_cast<int>(text.size()),
               p.color(VKO_CC_FORE, VKO_COLOR_BLACK));
    else
        p.greyed_text(x, baseline, text.c_str(), static_cast<int>(text.size()));
}

void draw_push(WINDOW win, const Ui &st) {
    Paint p(win, "push_button");
    if (!p.ok())
        return;
    const int w = p.width(), h = p.height();
    const bool down = st.pressed && st.inside;
    // The default button, and a focused push button, wear a black frame around the bevel.
    const bool framed = (win->flags & VKO_CTL_DEFAULT) != 0 || has_focus(win);
    p.fill(0, 0, w, h, p.color(VKO_CC_BACK, kFace));
    int inset = 0;
    if (framed) {
        p.frame(0, 0, w, h, VKO_COLOR_BLACK);
        inset = 1;
    }
    if (down)
        p.frame(inset, inset, w - 2 * inset, h - 2 * inset, kShadow);
    else
        p.bevel(inset, inset, w - 2 * inset, h - 2 * inset, true);
    const std::string text = shown_title(win);
    const int tw = p.text_width(text.c_str(), static_cast<int>(text.size()));
    const int lh = p.line_height();
    const int shift = down ? 1 : 0;
    const double x = (w - tw) / 2 + shift;
    const double top = (h - lh) / 2 + shift;
    draw_label(p, x, top + p.ascent(), text);
    if (has_focus(win))
        p.focus_rect(inset + 3, inset + 3, w - 2 * inset - 6, h - 2 * inset - 6);
}

void draw_mark(WINDOW win, const Ui &st, bool radio) {
    Paint p(win, radio ? "radio_button" : "check_box");
    if (!p.ok())
        return;
    const int w = p.width(), h = p.height();
    p.fill(0, 0, w, h, back_of(p, win));
    const int state = vkok_ctl_is_checked(win);
    const double bx = 0, by = std::max(0, (h - kBoxSize) / 2);
    const COLOR well = (st.pressed && st.inside) || !p.enabled() ? kFace : VKO_COLOR_WHITE;
    const COLOR ink = p.enabled() ? p.color(VKO_CC_FORE, VKO_COLOR_BLACK) : kShadow;
    cairo_t *cr = p.cr();
    if (radio) {
        const double cx = bx + kBoxSize / 2.0, cy = by + kBoxSize / 2.0, r = kBoxSize / 2.0;
        p.set_color(well);
        cairo_arc(cr, cx, cy, r - 1, 0, 2 * 3.14159265358979);
        cairo_fill(cr);
        // Upper left half in shadow, lower right in light: a sunken well.
        p.set_color(kShadow);
        cairo_arc(cr, cx, cy, r - 0.5, 0.75 * 3.14159265358979, 1.75 * 3.14159265358979);
        cairo_stroke(cr);
        p.set_color(kLight);
        cairo_arc(cr, cx, cy, r - 0.5, -0.25 * 3.14159265358979, 0.75 * 3.14159265358979);
        cairo_stroke(cr);
        p.set_color(kDarkShadow);
        cairo_arc(cr, cx, cy, r - 1.5, 0.75 * 3.14159265358979, 1.75 * 3.14159265358979);
        cairo_stroke(cr);
        if (state != 0) {
            p.set_color(ink);
            cairo_arc(cr, cx, cy, 2.5, 0, 2 * 3.14159265358979);
            cairo_fill(cr);
        }
    } else {
        p.fill(bx, by, kBoxSize, kBoxSize, well);
        p.bevel(bx, by, kBoxSize, kBoxSize, false);
        if (state != 0) {
            p.set_color(state == 2 ? kShadow : ink);
            cairo_set_line_width(cr, 2.0);
            cairo_move_to(cr, bx + 3, by + 6);
            cairo_line_to(cr, bx + 5.5, by + 9);
            cairo_line_to(cr, bx + 10, by + 3.5);
            cairo_stroke(cr);
            cairo_set_line_width(cr, 1.0);
        }
    }
    const std::string text = shown_title(win);
    const double x = kBoxSize + kBoxGap;
    const int lh = p.line_height();
    const double top = (h - lh) / 2;
    draw_label(p, x, top + p.ascent(), text);
    if (has_focus(win)) {
        const int tw = p.text_width(text.c_str(), static_cast<int>(text.size()));
        p.focus_rect(x - 2, top - 1, std::min<double>(tw + 4, w - x + 2), lh + 2);
    }
}

// Lines of a static text: its own line breaks, then words wrapped to the width.
std::vector<std::string> wrap(const Paint &p, const std::string &text, int width) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string rest = text.substr(start, end - start);
        while (!rest.empty() && !rest.empty() &&
               p.text_width(rest.c_str(), static_cast<int>(rest.size())) > width) {
            // The longest run of whole words that fits, or at least one word.
            size_t cut = rest.size();
            while (cut > 0) {
                const size_t space = rest.rfind(' ', cut - 1);
                if (space == std::string::npos || space == 0) {
                    cut = 0;
                    break;
                }
                cut = space;
                if (p.text_width(rest.c_str(), static_cast<int>(cut)) <= width)
                    break;
            }
            if (cut == 0) {
                const size_t space = rest.find(' ');
                cut = space == std::string::npos ? rest.size() : space;
            }
            lines.push_back(rest.substr(0, cut));
            rest = cut < rest.size() ? rest.substr(cut + 1) : std::string();
        }
        lines.push_back(rest);
        start = end + 1;
    }
    return lines;
}

void draw_static(WINDOW win) {
    Paint p(win, "static_text");
    if (!p.ok())
        return;
    const int w = p.width(), h = p.height();
    p.fill(0, 0, w, h, back_of(p, win));
    const int lh = p.line_height();
    double y = 0;
    for (const std::string &line : wrap(p, shown_title(win), w)) {
        if (y >= h)
            break;
        const int tw = p.text_width(line.c_str(), static_cast<int>(line.size()));
        double x = 0;
        if ((win->flags & VKO_CTL_CENTER) != 0)
            x = (w - tw) / 2;
        else if ((win->flags & VKO_CTL_RIGHT) != 0)
            x = w - tw;
        draw_label(p, x, y + p.ascent(), line);
        y += lh;
    }
}

void draw_group(WINDOW win) {
    Paint p(win, "group_box");
    if (!p.ok())
        return;
    const int w = p.width(), h = p.height();
    const std::string text = shown_title(win);
    const int lh = p.line_height();
    const double line_y = lh / 2;
    // An etched frame: a shadow line with a light line inside it.
    p.frame(1, line_y + 1, w - 1, h - line_y - 1, kLight);
    p.frame(0, line_y, w - 1, h - line_y - 1, kShadow);
    if (!text.empty()) {
        const int tw = p.text_width(text.c_str(), static_cast<int>(text.size()));
        p.fill(6, 0, tw + 4, lh, back_of(p, win));
        draw_label(p, 8, p.ascent(), text);
    }
}

void draw_icon(WINDOW win) {
    {
        Paint p(win, "icon");
        if (!p.ok())
            return;
        p.fill(0, 0, p.width(), p.height(), back_of(p, win));
    }
    if (win->internal->ctl_value != 0)
        vkok_dwin_draw_icon(win, 0, 0, win->internal->ctl_value);
}

void draw(WINDOW win, const Ui &st) {
    switch (win_effective_type(win)) {
    case WC_PUSHBUTTON:
        draw_push(win, st);
        break;
    case WC_RADIOBUTTON:
        draw_mark(win, st, true);
        break;
    case WC_CHECKBOX:
        draw_mark(win, st, false);
        break;
    case WC_TEXT:
        draw_static(win);
        break;
    case WC_GROUPBOX:
        draw_group(win);
        break;
    case WC_ICON:
        draw_icon(win);
        break;
    default:
        break;
    }
}

} // namespace

std::int32_t button_event(WINDOW win, EVENT *event) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return 0;
    const e_win_type type = win_effective_type(win);
    try {
        switch (event->type) {
        case E_UPDATE:
            draw(win, *st);
            return 1;
        case E_MOUSE_DOWN:
        case E_MOUSE_DBL:
        case E_MOUSE_MOVE:
        case E_MOUSE_UP:
            // A group box only frames its neighbours; it takes no clicks.
            if (type == WC_GROUPBOX)
                return 0;
            if (track(win, *event))
                notify(win, 0, 0);
            return 1;
        case E_CHAR:
            // Space presses the focused button, as a click would.
            if (event->v.chr.ch == ' ' && event->v.chr.virt == 0 &&
                (type == WC_PUSHBUTTON || type == WC_CHECKBOX || type == WC_RADIOBUTTON)) {
                notify(win, 0, 0);
                return 1;
            }
            return 0;
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

} // namespace vkobase::ctl
