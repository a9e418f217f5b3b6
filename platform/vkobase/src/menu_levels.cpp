// menu_levels.cpp: the levels of an open menu. An open pull-down menu, each cascading submenu
// and each pop-up menu is a level shown in a window record of its own (a borderless top-level
// window that the display shows as an override-redirect X window). Here a level is measured,
// drawn, opened where it fits on the screen, scrolled and closed. A level taller than the room
// on the screen shows part of its items between two arrows; the pointer resting on an arrow
// scrolls it. A pull-down never covers its bar.
#include <algorithm>

#include "display_internal.h"
#include "font_internal.h"
#include "menu_view_internal.h"
#include "surface_internal.h"
#include "vkobase/timer.h"
#include "window_internal.h"

namespace vkobase::menu_view {

namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kCheckArea = 22;
constexpr int kArrowArea = 20;
constexpr int kKeyGap = 24;
constexpr int kMinWidth = 80;
// A scrolling level's arrow bands, and how often an arrow under the pointer scrolls one item.
constexpr int kArrowBand = 16;
constexpr std::int32_t kScrollRepeatMs = 60;

} // namespace

int count_items(const s_mitem *items) noexcept {
    int n = 0;
    while (items != nullptr && !vkobase::menu_item_is_end(items[n]))
        ++n;
    return n;
}

int item_height(const s_mitem &item) noexcept {
    return item.separator != 0 ? kSeparatorHeight : kItemHeight;
}

namespace {

// Size of a level showing the items.
void level_size(const s_mitem *items, int *width, int *height) noexcept {
    int text_w = 0, key_w = 0, h = 2 * kBorder;
    for (int i = 0; i < count_items(items); ++i) {
        h += item_height(items[i]);
        if (items[i].separator != 0)
            continue;
        const Label label = vkobase::menu::parse_label(items[i].text);
        text_w = std::max(text_w, static_cast<int>(vkobase::font::text_width(
                                      nullptr, vkobase::font::kScreenDpi, label.text.c_str(), -1)));
        if (!label.keys.empty())
            key_w =
                std::max(key_w, static_cast<int>(vkobase::font::text_width(
                                    nullptr, vkobase::font::kScreenDpi, label.keys.c_str(), -1)));
    }
    *width = std::max(kMinWidth, 2 * kBorder + kCheckArea + text_w +
                                     (key_w > 0 ? kKeyGap + key_w : 0) + kArrowArea);
    *height = h;
}

} // namespace

// Top of item i within its level.
int item_top(const s_mitem *items, int i) noexcept {
    int top = kBorder;
    for (int k = 0; k < i; ++k)
        top += item_height(items[k]);
    return top;
}

namespace {

int level_height(const Level &level) noexcept {
    return level.rect.bottom - level.rect.top;
}

// The band of a level where its items show (level coordinates): between the arrows of a
// scrolling level.
int items_top(const Level &level) noexcept {
    return kBorder + (level.scrolls ? kArrowBand : 0);
}
int items_bottom(const Level &level) noexcept {
    return level_height(level) - kBorder - (level.scrolls ? kArrowBand : 0);
}

} // namespace

// Top of item i as the level shows it now (level coordinates); off the band when scrolled away.
int shown_top(const Level &level, int i) noexcept {
    return items_top(level) + item_top(level.items, i) - item_top(level.items, level.first);
}

bool item_in_view(const Level &level, int i) noexcept {
    const int top = shown_top(level, i);
    return top >= items_top(level) && top + item_height(level.items[i]) <= items_bottom(level);
}

// The item of a level under a point of the level (its own coordinates), -1 for none; over the
// arrows of a scrolling level, kArrowUp or kArrowDown.
int item_at(const Level &level, int v) noexcept {
    if (level.scrolls && v < items_top(level))
        return kArrowUp;
    if (level.scrolls && v >= items_bottom(level))
        return kArrowDown;
    for (int i = level.first; i < count_items(level.items); ++i) {
        const int top = shown_top(level, i);
        if (top >= items_bottom(level))
            break;
        if (v >= top && v < top + item_height(level.items[i]))
            return i;
    }
    return -1;
}

namespace {

// The largest first item that still fills the band.
int last_first(const Level &level) noexcept {
    const int n = count_items(level.items);
    const int room = items_bottom(level) - items_top(level);
    int used = 0;
    for (int i = n - 1; i >= 0; --i) {
        used += item_height(level.items[i]);
        if (used > room)
            return std::min(i + 1, n - 1);
    }
    return 0;
}

} // namespace

void set_color(cairo_t *cr, double r, double g, double b) noexcept {
    cairo_set_source_rgb(cr, r, g, b);
}

// Draws a label at x with its baseline at y, underlining the marked letter.
void draw_label(cairo_t *cr, const Label &label, double x, double y) noexcept {
    const std::int32_t dpi = vkobase::font::kScreenDpi;
    vkobase::font::show_text(cr, nullptr, dpi, x, y, label.text.c_str(), -1);
    if (label.mnemonic < 0 || label.mnemonic >= static_cast<int>(label.text.size()))
        return;
    const int before = vkobase::font::text_width(nullptr, dpi, label.text.c_str(), label.mnemonic);
    const int width =
        vkobase::font::text_width(nullptr, dpi, label.text.c_str() + label.mnemonic, 1);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x + before, y + 2.5);
    cairo_line_to(cr, x + before + width, y + 2.5);
    cairo_stroke(cr);
}

// Baseline of text centred in a band of the given height.
double baseline_in(int top, int height) noexcept {
    const vkobase::font::Metrics m = vkobase::font::metrics(nullptr, vkobase::font::kScreenDpi);
    return top + (height - (m.ascent + m.descent)) / 2.0 + m.ascent;
}

namespace {

// The arrows of a scrolling level: a triangle in each band, grey at the end it cannot pass.
void draw_arrows(cairo_t *cr, const Level &level, int width) noexcept {
    const double cx = width / 2.0;
    for (int dir : {-1, 1}) {
        const bool can = dir < 0 ? level.first > 0 : level.first < last_first(level);
        if (!can)
            set_color(cr, kGrey, kGrey, kGrey);
        else if (level.arrow == dir)
            set_color(cr, kHiRed, kHiGreen, kHiBlue);
        else
            set_color(cr, 0, 0, 0);
        const double mid = dir < 0 ? kBorder + kArrowBand / 2.0
                                   : level_height(level) - kBorder - kArrowBand / 2.0;
        cairo_move_to(cr, cx - 5, mid - 2.5 * dir);
        cairo_line_to(cr, cx + 5, mid - 2.5 * dir);
        cairo_line_to(cr, cx, mid + 2.5 * dir);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

} // namespace

void draw_level(const Level &level) noexcept {
    cairo_t *cr = vkobase::surface_begin(level.win);
    if (cr == nullptr)
        return;
    const int width = level.rect.right - level.rect.left;
    const int height = level.rect.bottom - level.rect.top;
    set_color(cr, kFace, kFace, kFace);
    cairo_paint(cr);
    set_color(cr, kShadow, kShadow, kShadow);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 0.5, 0.5, width - 1, height - 1);
    cairo_stroke(cr);
    if (level.scrolls) {
        draw_arrows(cr, level, width);
        cairo_save(cr);
        cairo_rectangle(cr, 0, items_top(level), width, items_bottom(level) - items_top(level));
        cairo_clip(cr);
    }
    const int n = count_items(level.items);
    for (int i = level.first; i < n; ++i) {
        const s_mitem &item = level.items[i];
        const int top = shown_top(level, i);
        if (top >= items_bottom(level))
            break;
        if (item.separator != 0) {
            set_color(cr, kShadow, kShadow, kShadow);
            cairo_move_to(cr, kBorder + 2, top + kSeparatorHeight / 2 + 0.5);
            cairo_line_to(cr, width - kBorder - 2, top + kSeparatorHeight / 2 + 0.5);
            cairo_stroke(cr);
            continue;
        }
        const bool hot = i == level.hot;
        if (hot) {
            set_color(cr, kHiRed, kHiGreen, kHiBlue);
            cairo_rectangle(cr, kBorder, top, width - 2 * kBorder, kItemHeight);
            cairo_fill(cr);
        }
        if (item.enabled == 0)
            set_color(cr, kGrey, kGrey, kGrey);
        else if (hot)
            set_color(cr, 1, 1, 1);
        else
            set_color(cr, 0, 0, 0);
        const Label label = vkobase::menu::parse_label(item.text);
        const double base = baseline_in(top, kItemHeight);
        draw_label(cr, label, kBorder + kCheckArea, base);
        if (!label.keys.empty()) {
            const int kw = vkobase::font::text_width(nullptr, vkobase::font::kScreenDpi,
                                                     label.keys.c_str(), -1);
            vkobase::font::show_text(cr, nullptr, vkobase::font::kScreenDpi,
                                     width - kBorder - kArrowArea - kw, base, label.keys.c_str(),
                                     -1);
        }
        if (item.checked != 0) {
            // A check mark in the left area.
            const double cx = kBorder + 7, cy = top + kItemHeight / 2.0;
            cairo_set_line_width(cr, 2);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + 3, cy + 4);
            cairo_line_to(cr, cx + 9, cy - 4);
            cairo_stroke(cr);
            cairo_set_line_width(cr, 1);
        }
        if (item.child != nullptr) {
            // A small triangle pointing to the submenu.
            const double ax = width - kBorder - 12, ay = top + kItemHeight / 2.0;
            cairo_move_to(cr, ax, ay - 4);
            cairo_line_to(cr, ax + 4, ay);
            cairo_line_to(cr, ax, ay + 4);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    }
    if (level.scrolls)
        cairo_restore(cr);
    vkobase::surface_end(level.win, cr);
}

// Scrolls a level by step items, within its ends; its open submenu closes.
void scroll_level(std::size_t index, int step) noexcept {
    Level &level = tr().levels[index];
    const int first = std::clamp(level.first + step, 0, last_first(level));
    if (first == level.first)
        return;
    level.first = first;
    pop_to(index + 1);
    draw_level(tr().levels[index]);
}

namespace {

// Scrolls the level so that item i shows whole.
void reveal(Level &level, int i) noexcept {
    if (!level.scrolls || i < 0)
        return;
    if (i < level.first)
        level.first = i;
    while (level.first < last_first(level) && !item_in_view(level, i))
        ++level.first;
}

} // namespace

// The arrow of a scrolling level under the pointer (-1 up, 1 down, 0 none): while the pointer
// rests on one, a timer scrolls the level an item at a time.
void set_arrow(Level &level, int arrow) noexcept {
    if (level.arrow == arrow)
        return;
    level.arrow = arrow;
    if (arrow != 0 && level.timer < 0)
        level.timer = vkov_timer_create(level.win, kScrollRepeatMs);
    else if (arrow == 0 && level.timer >= 0) {
        vkov_timer_destroy(level.timer);
        level.timer = -1;
    }
    draw_level(level);
}

namespace {

std::int32_t level_handler(WINDOW win, EVENT *event) noexcept {
    if (event->type != E_UPDATE && event->type != E_TIMER)
        return 0;
    for (std::size_t i = 0; i < tr().levels.size(); ++i) {
        if (tr().levels[i].win != win)
            continue;
        if (event->type == E_UPDATE)
            draw_level(tr().levels[i]);
        else if (tr().levels[i].arrow != 0)
            scroll_level(i, tr().levels[i].arrow);
        break;
    }
    return 0;
}

// Where menus may lie: the display's screen when one is open, else the screen window.
s_rct screen_rect() noexcept {
    int width = 0, height = 0;
    if (vkobase::display_screen_size(&width, &height))
        return s_rct{0, 0, static_cast<std::int16_t>(std::min(height, 0x7FFF)),
                     static_cast<std::int16_t>(std::min(width, 0x7FFF))};
    return vkobase::win_client_rect(vkobase::win_screen());
}

} // namespace

// Opens a level showing items with its top-left corner at a screen point. When it would leave
// the screen it moves back inside (a submenu flips to the left of its parent). A pull-down
// (bar_top: the top of its bar strip, else -1) never covers its bar: it opens above the bar
// when it fits there. A level that fits nowhere whole takes the room it has and scrolls.
void push_level(s_mitem *items, s_pnt at, int flip_right_edge, int hot, int bar_top) noexcept {
    int width = 0, height = 0;
    level_size(items, &width, &height);
    const s_rct screen = screen_rect();
    int left = at.h, top = at.v;
    if (left + width > screen.right)
        left = flip_right_edge >= 0 ? flip_right_edge - width : screen.right - width;
    left = std::max<int>(left, screen.left);
    bool scrolls = false;
    if (top + height > screen.bottom) {
        if (bar_top < 0) {
            top = std::max<int>(screen.bottom - height, screen.top);
        } else if (bar_top - height >= screen.top) {
            top = bar_top - height;
        } else if (bar_top - screen.top > screen.bottom - top) {
            top = screen.top;
            height = bar_top - screen.top;
            scrolls = true;
        } else {
            height = screen.bottom - top;
            scrolls = true;
        }
    }
    top = std::max<int>(top, screen.top);
    if (top + height > screen.bottom) {
        height = screen.bottom - top;
        scrolls = true;
    }
    Level level;
    level.items = items;
    level.rect = s_rct{static_cast<std::int16_t>(top), static_cast<std::int16_t>(left),
                       static_cast<std::int16_t>(top + height),
                       static_cast<std::int16_t>(left + width)};
    level.hot = hot;
    level.scrolls = scrolls;
    reveal(level, hot);
    vkobase::WinCreateArgs args;
    args.type = W_NO_BORDER;
    args.rct = level.rect;
    args.handler = level_handler;
    args.event_mask = VKO_EVENT_BIT(E_UPDATE) | VKO_EVENT_BIT(E_TIMER);
    args.send_create = false;
    level.win = vkobase::win_create_record(args);
    if (level.win == nullptr)
        return;
    level.win_order = level.win->internal->created_order;
    try {
        tr().levels.push_back(level);
    } catch (...) {
        vkobase::win_destroy_record(level.win);
        return;
    }
    draw_level(tr().levels.back());
}

void pop_level() noexcept {
    if (tr().levels.empty())
        return;
    const Level level = tr().levels.back();
    tr().levels.pop_back();
    const vko_win_internal *in = vkobase::win_internal(level.win);
    if (in != nullptr && in->created_order == level.win_order)
        vkobase::win_destroy_record(level.win);
}

void pop_to(std::size_t count) noexcept {
    while (tr().levels.size() > count)
        pop_level();
}

namespace {

void redraw(std::size_t index) noexcept {
    if (index < tr().levels.size())
        draw_level(tr().levels[index]);
}

} // namespace

void set_hot(std::size_t index, int hot) noexcept {
    if (index >= tr().levels.size() || tr().levels[index].hot == hot)
        return;
    tr().levels[index].hot = hot;
    reveal(tr().levels[index], hot);
    redraw(index);
}

} // namespace vkobase::menu_view
