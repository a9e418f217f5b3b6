// ctl_notebk.cpp: the notebook control as the user sees it: one row of tabs (titles and images)
// over a raised page frame that holds the front page's face. A click on a tab, or Left and
// Right on the focused notebook, brings that tab's first page to the front and sends the
// parent a control event with the tab and page. When the tabs do not fit, two arrow buttons at
// the end of the row scroll them.
#include <algorithm>
#include <string>

#include "ctl_internal.h"
#include "vkobase/dwin.h"
#include "vkobase/image.h"
#include "vkobase/notebk.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace vkobase::ctl {

namespace {

constexpr int kArrowWidth = 16;
constexpr int kTabPad = 6; // on each side of a tab's title

int strip_height(WINDOW nb) noexcept {
    return line_height(nb) + 8;
}

int tab_count(WINDOW nb) noexcept {
    const uint16_t n = vkov_notebk_get_num_tabs(nb);
    return n == 65535 ? 0 : n;
}

std::string tab_title(WINDOW nb, int tab) {
    char buf[256] = {};
    vkov_notebk_get_tab_title(nb, static_cast<int16_t>(tab), buf, sizeof buf);
    return buf;
}

int image_width(WINDOW nb, int tab) noexcept {
    IMAGE image = vkov_notebk_get_tab_image(nb, static_cast<int16_t>(tab));
    if (image == nullptr)
        return 0;
    int32_t w = 0, h = 0;
    vkov_image_get_dimensions(image, &w, &h);
    return w > 0 ? w + 4 : 0;
}

int tab_width(WINDOW nb, int tab) {
    const std::string title = tab_title(nb, tab);
    return measure(nb, title.c_str(), static_cast<int>(title.size())) + 2 * kTabPad +
           image_width(nb, tab);
}

bool needs_arrows(WINDOW nb) {
    int total = 4;
    for (int t = 0, n = tab_count(nb); t < n; ++t)
        total += tab_width(nb, t);
    return total > win_client_rect(nb).right;
}

// Right end of the room for tabs.
int tabs_end(WINDOW nb) {
    const int w = win_client_rect(nb).right;
    return needs_arrows(nb) ? w - 2 * kArrowWidth - 2 : w - 2;
}

int front_tab(WINDOW nb) noexcept {
    int16_t tab = -1, page = -1;
    vkov_notebk_get_front_page(nb, &tab, &page);
    return tab;
}

// The tab under a point, -1 for none; -2 and -3 for the left and right scroll arrows.
int tab_at(WINDOW nb, const Ui &st, s_pnt at) {
    const int sh = strip_height(nb);
    if (at.v < 0 || at.v >= sh)
        return -1;
    const int w = win_client_rect(nb).right;
    if (needs_arrows(nb) && at.h >= w - 2 * kArrowWidth)
        return at.h < w - kArrowWidth ? -2 : -3;
    int x = 2;
    const int end = tabs_end(nb);
    for (int t = st.top, n = tab_count(nb); t < n && x < end; ++t) {
        const int tw = tab_width(nb, t);
        if (at.h >= x && at.h < x + tw)
            return t;
        x += tw;
    }
    return -1;
}

// Brings a tab's first page to the front and tells the parent.
void pick(WINDOW nb, int tab) {
    if (tab < 0 || tab >= tab_count(nb) || tab == front_tab(nb))
        return;
    if (vkov_notebk_get_num_pages(nb, static_cast<int16_t>(tab)) == 0)
        return;
    vkov_notebk_set_front_page(nb, static_cast<int16_t>(tab), 0);
    s_ctlinfo info{};
    info.v.notebk.tab_no = static_cast<int16_t>(tab);
    info.v.notebk.page_no = 0;
    notify(nb, info.v.words.data1, info.v.words.data2);
}

void draw(WINDOW nb, Ui *st) {
    const int n = tab_count(nb);
    st->top = std::clamp(st->top, 0, std::max(0, n - 1));
    const int sh = strip_height(nb);
    const int front = front_tab(nb);
    const int end = tabs_end(nb);
    {
        Paint p(nb, "notebook");
        if (!p.ok())
            return;
        const int w = p.width(), h = p.height();
        const COLOR back = p.color(VKO_CC_BACK, kFace);
        p.fill(0, 0, w, sh, back);
        // The page frame; the front page's face fills its inside.
        p.fill(0, sh - 2, w, 2, kFace);
        p.bevel(0, sh - 2, w, h - sh + 2, true);
        cairo_t *cr = p.cr();
        cairo_save(cr);
        cairo_rectangle(cr, 0, 0, end + 2, sh + 1);
        cairo_clip(cr);
        int x = 2;
        for (int t = st->top; t < n && x < end; ++t) {
            const int tw = tab_width(nb, t);
            const bool is_front = t == front;
            // The front tab stands two pixels taller and wider, joined to the page below.
            const double left = is_front ? x - 2 : x, top = is_front ? 0 : 2;
            const double right = is_front ? x + tw + 2 : x + tw, bottom = sh - (is_front ? 1 : 2);
            p.fill(left, top, right - left, bottom - top, kFace);
            p.set_color(kLight);
            cairo_move_to(cr, left + 0.5, bottom);
            cairo_line_to(cr, left + 0.5, top + 2.5);
            cairo_line_to(cr, left + 2.5, top + 0.5);
            cairo_line_to(cr, right - 2.5, top + 0.5);
            cairo_stroke(cr);
            p.set_color(kDarkShadow);
            cairo_move_to(cr, right - 1.5, top + 1.5);
            cairo_line_to(cr, right - 0.5, top + 2.5);
            cairo_line_to(cr, right - 0.5, bottom);
            cairo_stroke(cr);
            p.set_color(kShadow);
            cairo_move_to(cr, right - 1.5, top + 2.5);
            cairo_line_to(cr, right - 1.5, bottom);
            cairo_stroke(cr);
            if (is_front)
                p.fill(left + 1, sh - 2, right - left - 2, 2, kFace); // no line under the front tab
            const std::string title = tab_title(nb, t);
            const int iw = image_width(nb, t);
            const double tx = x + kTabPad + iw;
            const double base = top + (sh - top - p.line_height()) / 2.0 + p.ascent();
            if (p.enabled())
                p.text(tx, base, title.c_str(), static_cast<int>(title.size()),
                       p.color(VKO_CC_FORE, VKO_COLOR_BLACK));
            else
                p.greyed_text(tx, base, title.c_str(), static_cast<int>(title.size()));
            if (is_front && has_focus(nb))
                p.focus_rect(tx - 2, base - p.ascent() - 1,
                             p.text_width(title.c_str(), static_cast<int>(title.size())) + 4,
                             p.line_height() + 2);
            x += tw;
        }
        cairo_restore(cr);
        if (needs_arrows(nb)) {
            for (int i = 0; i < 2; ++i) {
                const double ax = w - 2 * kArrowWidth + i * kArrowWidth;
                const double ay = sh - kArrowWidth - 2;
                p.fill(ax, ay, kArrowWidth, kArrowWidth, kFace);
                p.bevel(ax, ay, kArrowWidth, kArrowWidth, true);
                const bool live = i == 0 ? st->top > 0 : st->top < n - 1;
                p.arrow(ax, ay, kArrowWidth, kArrowWidth, 2 + i, live ? VKO_COLOR_BLACK : kShadow);
            }
        }
    }
    // Images draw through the window's own calls, after the pass above.
    int x = 2;
    for (int t = st->top; t < n && x < end; ++t) {
        const int tw = tab_width(nb, t);
        if (IMAGE image = vkov_notebk_get_tab_image(nb, static_cast<int16_t>(t))) {
            int32_t iw = 0, ih = 0;
            vkov_image_get_dimensions(image, &iw, &ih);
            const int top = t == front ? 0 : 2;
            const s_rct src{0, 0, static_cast<int16_t>(ih), static_cast<int16_t>(iw)};
            const int y = top + (sh - top - ih) / 2;
            const s_rct dst{static_cast<int16_t>(y), static_cast<int16_t>(x + kTabPad),
                            static_cast<int16_t>(y + ih), static_cast<int16_t>(x + kTabPad + iw)};
            vkok_dwin_draw_image(nb, image, &dst, &src);
        }
        x += tw;
    }
}

} // namespace

// Where a notebook's faces lie: inside the page frame, below the tabs.
s_rct notebk_page_rect(WINDOW nb) noexcept {
    const s_rct c = win_client_rect(nb);
    const int sh = strip_height(nb);
    return s_rct{static_cast<std::int16_t>(std::min<int>(c.bottom, sh + 1)), 2,
                 static_cast<std::int16_t>(std::max<int>(0, c.bottom - 2)),
                 static_cast<std::int16_t>(std::max<int>(0, c.right - 2))};
}

std::int32_t notebk_event(WINDOW win, EVENT *event) noexcept {
    Ui *st = ui(win);
    if (st == nullptr)
        return 0;
    try {
        switch (event->type) {
        case E_UPDATE:
            draw(win, st);
            return 1;
        case E_MOUSE_DOWN:
        case E_MOUSE_DBL: {
            if (event->v.mouse.button != 0)
                return 0;
            focus_on_click(win);
            if (!win_is_live(win))
                return 1;
            const int hit = tab_at(win, *st, event->v.mouse.where);
            if (hit == -2 || hit == -3) {
                st->top =
                    std::clamp(st->top + (hit == -2 ? -1 : 1), 0, std::max(0, tab_count(win) - 1));
                win_invalidate(win, nullptr);
            } else {
                pick(win, hit);
            }
            return 1;
        }
        case E_SIZE: {
            // Faces fill the page frame, which follows the notebook's size.
            const s_rct page_rect = notebk_page_rect(win);
            for (int t = 0, n = tab_count(win); t < n; ++t) {
                const auto tab = static_cast<int16_t>(t);
                for (int p = 0, m = vkov_notebk_get_num_pages(win, tab); p < m; ++p) {
                    WINDOW face = vkov_notebk_get_face(win, tab, static_cast<int16_t>(p));
                    if (win_is_live(face))
                        vkok_vobj_move(face, &page_rect);
                }
            }
            return 0;
        }
        case E_CHAR: {
            const s_char &key = event->v.chr;
            if (key.virt == 0 || (key.ch != VKO_KEY_LEFT && key.ch != VKO_KEY_RIGHT))
                return 0;
            const int n = tab_count(win);
            const int step = key.ch == VKO_KEY_LEFT ? -1 : 1;
            // The next tab that has a page, in the key's direction.
            for (int t = front_tab(win) + step; t >= 0 && t < n; t += step) {
                if (vkov_notebk_get_num_pages(win, static_cast<int16_t>(t)) > 0) {
                    if (t < st->top)
                        st->top = t;
                    pick(win, t);
                    break;
                }
            }
            return 1;
        }
        default:
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

} // namespace vkobase::ctl
