// menu_view.cpp: menus on the screen. The menu bar of a window is drawn in the strip above its
// client area; an open pull-down menu, each cascading submenu and each pop-up menu is a level
// shown in a window record of its own (a borderless top-level window that the display shows
// as an override-redirect X window). One tracker follows the mouse and the keys while a menu
// is open; a chosen item of a bar sends the owner its menu event, a pop-up answers the tag.
// A level taller than the room on the screen shows part of its items between two arrows; the
// pointer resting on an arrow, a click on it, the wheel and the arrow keys scroll it. A
// pull-down never covers its bar. Headless runs take the same path: the levels are windows
// with surfaces, the input arrives as events.
#include <algorithm>
#include <cctype>
#include <vector>

#include "core_internal.h"
#include "display_internal.h"
#include "font_internal.h"
#include "menu_internal.h"
#include "surface_internal.h"
#include "vkobase/timer.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

namespace {

using vkobase::menu::Label;
using vkobase::menu::Span;

constexpr int kBarHeight = 20;
constexpr int kBarFirstLeft = 4;
constexpr int kTitlePad = 8;
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kBorder = 2;
constexpr int kCheckArea = 22;
constexpr int kArrowArea = 20;
constexpr int kKeyGap = 24;
constexpr int kMinWidth = 80;
// A scrolling level's arrow bands, and how often an arrow under the pointer scrolls one item.
constexpr int kArrowBand = 16;
constexpr std::int32_t kScrollRepeatMs = 60;
// What item_at answers over a scrolling level's arrows.
constexpr int kArrowUp = -2;
constexpr int kArrowDown = -3;

// Colours of the classic look.
constexpr double kFace = 0xE4 / 255.0;
constexpr double kShadow = 0x80 / 255.0;
constexpr double kGrey = 0x90 / 255.0;
constexpr double kHiRed = 0x0A / 255.0, kHiGreen = 0x24 / 255.0, kHiBlue = 0x6A / 255.0;

// Character-record modifier bits.
constexpr std::uint32_t kModShift = 2;
constexpr std::uint32_t kModControl = 4;
constexpr std::uint32_t kModAlt = 8;

struct Level {
    s_mitem *items = nullptr;
    WINDOW win = nullptr;
    std::uint64_t win_order = 0;
    s_rct rect{}; // on the screen
    int hot = -1;
    bool scrolls = false; // taller than its room: it shows items from `first` between arrows
    int first = 0;
    int arrow = 0;             // the arrow under the pointer: -1 up, 1 down, 0 none
    std::int32_t timer = -1;   // repeats the scroll while the pointer rests on an arrow
};

struct Tracker {
    bool active = false;
    WINDOW owner = nullptr;
    std::uint64_t owner_order = 0;
    bool from_bar = false;
    int bar_hot = -1;          // the highlighted title of the bar
    std::vector<Level> levels; // open menus, outermost first
    bool done = false;
    std::int16_t chosen = 0;
    bool shift = false, control = false; // of the input that chose
    bool button_down = false;
    bool pressed_inside = false;   // a press was seen while the menu was open
    bool pressed_in_level = false; // the last press was on an open level, not on a title
    bool moved = false;            // the pointer moved since the last press on a title
    s_pnt opened_at{};
};

struct MenuViewState {
    Tracker tracker;
    std::uint64_t generation = 1;
};

MenuViewState &st() noexcept {
    static MenuViewState s;
    return s;
}

Tracker &tr() noexcept {
    return st().tracker;
}

int count_items(const s_mitem *items) noexcept {
    int n = 0;
    while (items != nullptr && !vkobase::menu_item_is_end(items[n]))
        ++n;
    return n;
}

bool owner_alive() noexcept {
    const vko_win_internal *in = vkobase::win_internal(tr().owner);
    return in != nullptr && in->created_order == tr().owner_order;
}

bool chooseable(const s_mitem &item) noexcept {
    return item.separator == 0 && item.enabled != 0 && item.child == nullptr;
}

bool opens_submenu(const s_mitem &item) noexcept {
    return item.separator == 0 && item.enabled != 0 && item.child != nullptr;
}

int item_height(const s_mitem &item) noexcept {
    return item.separator != 0 ? kSeparatorHeight : kItemHeight;
}

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
            key_w = std::max(key_w, static_cast<int>(vkobase::font::text_width(
                                        nullptr, vkobase::font::kScreenDpi, label.keys.c_str(), -1)));
    }
    *width = std::max(kMinWidth,
                      2 * kBorder + kCheckArea + text_w + (key_w > 0 ? kKeyGap + key_w : 0) + kArrowArea);
    *height = h;
}

// Top of item i within its level.
int item_top(const s_mitem *items, int i) noexcept {
    int top = kBorder;
    for (int k = 0; k < i; ++k)
        top += item_height(items[k]);
    return top;
}

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
    const int width = vkobase::font::text_width(nullptr, dpi, label.text.c_str() + label.mnemonic, 1);
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

void pop_to(std::size_t count) noexcept;

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

// Scrolls the level so that item i shows whole.
void reveal(Level &level, int i) noexcept {
    if (!level.scrolls || i < 0)
        return;
    if (i < level.first)
        level.first = i;
    while (level.first < last_first(level) && !item_in_view(level, i))
        ++level.first;
}

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

// Opens a level showing items with its top-left corner at a screen point. When it would leave
// the screen it moves back inside (a submenu flips to the left of its parent). A pull-down
// (bar_top: the top of its bar strip, else -1) never covers its bar: it opens above the bar
// when it fits there. A level that fits nowhere whole takes the room it has and scrolls.
void push_level(s_mitem *items, s_pnt at, int flip_right_edge, int hot, int bar_top = -1) noexcept {
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

void redraw(std::size_t index) noexcept {
    if (index < tr().levels.size())
        draw_level(tr().levels[index]);
}

void set_hot(std::size_t index, int hot) noexcept {
    if (index >= tr().levels.size() || tr().levels[index].hot == hot)
        return;
    tr().levels[index].hot = hot;
    reveal(tr().levels[index], hot);
    redraw(index);
}

// Ends tracking: every level closes, the bar loses its highlight.
void finish() noexcept {
    pop_to(0);
    const bool had_bar = tr().from_bar && tr().bar_hot >= 0;
    Tracker &t = tr();
    const Tracker ended = t;
    t = Tracker{};
    t.done = ended.done;
    t.chosen = ended.chosen;
    if (had_bar)
        vkobase::menu::bar_changed();
}

// The user chose an item: a bar sends its owner the menu event, a pop-up answers it.
void choose(const s_mitem &item, bool shift, bool control) noexcept {
    const std::int16_t tag = item.tag;
    const bool from_bar = tr().from_bar;
    WINDOW owner = owner_alive() ? tr().owner : nullptr;
    tr().done = true;
    tr().chosen = tag;
    finish();
    if (from_bar && owner != nullptr) {
        EVENT ev{};
        ev.type = E_COMMAND;
        ev.v.cmd.tag = tag;
        ev.v.cmd.shift = shift ? TRUE : FALSE;
        ev.v.cmd.control = control ? TRUE : FALSE;
        vkobase::win_post_event(owner, ev);
    }
}

void dismiss() noexcept {
    tr().done = true;
    tr().chosen = 0;
    finish();
}

// Screen rectangle of the owner's bar strip.
s_rct bar_strip(WINDOW owner) noexcept {
    const s_pnt origin = vkobase::win_client_origin_on_screen(owner);
    const s_rct client = vkobase::win_client_rect(owner);
    return s_rct{static_cast<std::int16_t>(origin.v - kBarHeight), origin.h, origin.v,
                 static_cast<std::int16_t>(origin.h + client.right)};
}

std::vector<Span> spans_of(WINDOW owner) {
    const s_mitem *tree = vkobase::menu::window_tree(owner);
    const int n = count_items(tree);
    std::vector<Span> spans(static_cast<std::size_t>(n));
    int count = 0;
    const s_rct strip = bar_strip(owner);
    vkobase::menu::bar_layout(tree, strip.right - strip.left, spans.data(), n, &count);
    spans.resize(static_cast<std::size_t>(count));
    return spans;
}

int first_item(const s_mitem *items, int from, int step) noexcept {
    const int n = count_items(items);
    if (n == 0)
        return -1;
    int i = from;
    for (int k = 0; k < n; ++k) {
        i = ((i % n) + n) % n;
        if (items[i].separator == 0)
            return i;
        i += step;
    }
    return -1;
}

// Opens the bar title's pull-down (closing what was open), highlighting an item for keys.
void open_title(int index, bool with_hot, bool from_bottom = false) noexcept {
    pop_to(0);
    Tracker &t = tr();
    s_mitem *tree = vkobase::menu::window_tree(t.owner);
    if (tree == nullptr || index < 0 || index >= count_items(tree))
        return;
    t.bar_hot = index;
    vkobase::menu::bar_changed();
    s_mitem &title = tree[index];
    if (title.child == nullptr || title.enabled == 0)
        return;
    std::vector<Span> spans;
    try {
        spans = spans_of(t.owner);
    } catch (...) {
        return;
    }
    if (static_cast<std::size_t>(index) >= spans.size())
        return;
    const s_rct strip = bar_strip(t.owner);
    const int hot = with_hot ? first_item(title.child, from_bottom ? count_items(title.child) - 1 : 0,
                                          from_bottom ? -1 : 1)
                             : -1;
    push_level(title.child,
               s_pnt{strip.bottom, static_cast<std::int16_t>(strip.left + spans[static_cast<std::size_t>(index)].left)},
               -1, hot, strip.top);
}

// Opens the submenu of the hot item of level index.
void open_submenu(std::size_t index, bool with_hot) noexcept {
    if (index >= tr().levels.size())
        return;
    const Level &level = tr().levels[index];
    if (level.hot < 0)
        return;
    s_mitem &item = level.items[level.hot];
    if (!opens_submenu(item))
        return;
    pop_to(index + 1);
    const s_pnt at{static_cast<std::int16_t>(level.rect.top + shown_top(level, level.hot) - kBorder),
                   static_cast<std::int16_t>(level.rect.right - 3)};
    push_level(item.child, at, level.rect.left + 3, with_hot ? first_item(item.child, 0, 1) : -1);
}

// What lies under a screen point: a level and item (the deepest level first), or a title.
struct Hit {
    int level = -1;
    int item = -1;
    int title = -1;
};

Hit hit_test(s_pnt p) noexcept {
    Hit hit;
    const auto &levels = tr().levels;
    for (int i = static_cast<int>(levels.size()) - 1; i >= 0; --i) {
        const s_rct &r = levels[static_cast<std::size_t>(i)].rect;
        if (p.v >= r.top && p.v < r.bottom && p.h >= r.left && p.h < r.right) {
            hit.level = i;
            hit.item = item_at(levels[static_cast<std::size_t>(i)], p.v - r.top);
            return hit;
        }
    }
    if (tr().from_bar && owner_alive()) {
        const s_rct strip = bar_strip(tr().owner);
        if (p.v >= strip.top && p.v < strip.bottom && p.h >= strip.left && p.h < strip.right) {
            try {
                const std::vector<Span> spans = spans_of(tr().owner);
                for (std::size_t i = 0; i < spans.size(); ++i)
                    if (p.h - strip.left >= spans[i].left && p.h - strip.left < spans[i].right)
                        hit.title = static_cast<int>(i);
            } catch (...) {
            }
        }
    }
    return hit;
}

// Makes item the hot one of its level and opens its submenu when it has one.
void hover(std::size_t level, int item) noexcept {
    if (level >= tr().levels.size())
        return;
    const bool same = tr().levels[level].hot == item;
    set_hot(level, item);
    if (same && tr().levels.size() > level + 1)
        return; // its submenu is already open
    pop_to(level + 1);
    if (item >= 0 && opens_submenu(tr().levels[level].items[item]))
        open_submenu(level, false);
}

// Enter, or the item's letter: choose it or open its submenu.
void activate_item(std::size_t level, int item, bool shift, bool control) noexcept {
    if (level >= tr().levels.size() || item < 0)
        return;
    set_hot(level, item);
    const s_mitem &it = tr().levels[level].items[item];
    if (opens_submenu(it))
        open_submenu(level, true);
    else if (chooseable(it))
        choose(it, shift, control);
}

int item_with_letter(const s_mitem *items, std::uint16_t letter) noexcept {
    for (int i = 0; i < count_items(items); ++i)
        if (items[i].separator == 0 && vkobase::menu::mnemonic_of(items[i].text) == letter)
            return i;
    return -1;
}

std::uint16_t upper(std::uint16_t ch) noexcept {
    return ch < 128 ? static_cast<std::uint16_t>(std::toupper(ch)) : ch;
}

void move_title(int step) noexcept {
    const int n = count_items(vkobase::menu::window_tree(tr().owner));
    if (n == 0)
        return;
    const bool was_open = !tr().levels.empty();
    const int next = ((tr().bar_hot + step) % n + n) % n;
    if (was_open) {
        open_title(next, true);
    } else {
        tr().bar_hot = next;
        vkobase::menu::bar_changed();
    }
}

// Keys while a menu is open; every key is the menu's.
void tracker_key(const s_char &c) noexcept {
    Tracker &t = tr();
    const bool shift = (c.modifiers & kModShift) != 0 || c.shift != 0;
    const bool control = (c.modifiers & kModControl) != 0 || c.control != 0;
    const std::size_t depth = t.levels.size();
    Level *deepest = depth > 0 ? &t.levels.back() : nullptr;
    if (c.virt != 0) {
        switch (c.ch) {
        case VKO_KEY_UP:
        case VKO_KEY_DOWN: {
            const int step = c.ch == VKO_KEY_DOWN ? 1 : -1;
            if (deepest == nullptr) {
                if (t.from_bar)
                    open_title(t.bar_hot, true, step < 0);
                return;
            }
            const int from = deepest->hot < 0 ? (step > 0 ? 0 : -1) : deepest->hot + step;
            hover(depth - 1, first_item(deepest->items, from, step));
            pop_to(depth);
            return;
        }
        case VKO_KEY_RIGHT:
            if (deepest != nullptr && deepest->hot >= 0 && opens_submenu(deepest->items[deepest->hot])) {
                open_submenu(depth - 1, true);
                return;
            }
            if (t.from_bar)
                move_title(1);
            return;
        case VKO_KEY_LEFT:
            if (depth > 1) {
                pop_level();
                return;
            }
            if (t.from_bar)
                move_title(-1);
            return;
        case VKO_KEY_F10:
            dismiss();
            return;
        default:
            return;
        }
    }
    switch (c.ch) {
    case 27: // Escape closes one level
        if (depth > 1 || (depth == 1 && t.from_bar))
            pop_level();
        else
            dismiss();
        return;
    case 13:
        if (deepest != nullptr)
            activate_item(depth - 1, deepest->hot, shift, control);
        else if (t.from_bar)
            open_title(t.bar_hot, true);
        return;
    default:
        break;
    }
    const std::uint16_t letter = upper(c.ch);
    if (deepest != nullptr) {
        activate_item(depth - 1, item_with_letter(deepest->items, letter), shift, control);
    } else if (t.from_bar) {
        const int title = item_with_letter(vkobase::menu::window_tree(t.owner), letter);
        if (title >= 0)
            open_title(title, true);
    }
}

// A press on a title: its release chooses an item only after the pointer moved.
void press_title(s_pnt screen) noexcept {
    Tracker &t = tr();
    t.button_down = true;
    t.pressed_inside = true;
    t.pressed_in_level = false;
    t.moved = false;
    t.opened_at = screen;
}

// The pointer over a scrolling level's arrow (or away from every arrow, level -1).
void point_at_arrow(int level, int item) noexcept {
    for (int i = 0; i < static_cast<int>(tr().levels.size()); ++i) {
        const int arrow = i != level ? 0 : item == kArrowUp ? -1 : item == kArrowDown ? 1 : 0;
        set_arrow(tr().levels[static_cast<std::size_t>(i)], arrow);
    }
}

bool start(WINDOW owner, bool from_bar) noexcept {
    if (tr().active)
        dismiss();
    vko_win_internal *in = vkobase::win_internal(owner);
    if (in == nullptr)
        return false;
    Tracker &t = tr();
    t = Tracker{};
    t.active = true;
    t.owner = owner;
    t.owner_order = in->created_order;
    t.from_bar = from_bar;
    return true;
}

// Whether the key matches an accelerator.
bool accel_matches(const vkobase::res::AccelKey &key, const s_char &c) noexcept {
    const bool control = (c.modifiers & kModControl) != 0 || c.control != 0;
    const bool shift = (c.modifiers & kModShift) != 0 || c.shift != 0;
    const bool alt = (c.modifiers & kModAlt) != 0;
    if (key.ctrl != control || key.alt != alt)
        return false;
    if ((key.virt || key.ctrl || key.alt) && key.shift != shift)
        return false;
    if (key.virt != (c.virt != 0))
        return false;
    if (key.virt)
        return key.code == c.ch;
    std::uint16_t ch = c.ch;
    // Control with a letter arrives as its control character.
    if (control && ch >= 1 && ch < 32 && ch != 8 && ch != 9 && ch != 13 && ch != 27)
        ch = static_cast<std::uint16_t>(ch + 64);
    return upper(ch) == key.code;
}

// The window whose bar or accelerators a key for target reaches: the nearest window up the
// tree that shows a bar, else the top-level window.
WINDOW key_owner(WINDOW target) noexcept {
    WINDOW top = nullptr;
    for (WINDOW w = target; vkobase::win_is_live(w) && w != vkobase::win_screen(); w = w->parent) {
        if (vkobase::menu::shows_bar(w))
            return w;
        top = w;
    }
    return top;
}

} // namespace

void vkobase_reset_menu_view() noexcept {
    // Windows are freed by the reset itself; only the tracker's view of them is dropped.
    st().tracker = Tracker{};
}

namespace vkobase::menu {

Label parse_label(const char *title) {
    Label label;
    if (title == nullptr)
        return label;
    std::string text = title;
    const std::size_t tab = text.find('\t');
    if (tab != std::string::npos) {
        label.keys = text.substr(tab + 1);
        text.resize(tab);
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '&' || c == '~') && i + 1 < text.size()) {
            ++i;
            if (text[i] != c && label.mnemonic < 0)
                label.mnemonic = static_cast<int>(label.text.size());
        }
        label.text += text[i];
    }
    return label;
}

std::uint16_t mnemonic_of(const char *title) noexcept {
    try {
        const Label label = parse_label(title);
        if (label.mnemonic < 0)
            return 0;
        return upper(static_cast<unsigned char>(label.text[static_cast<std::size_t>(label.mnemonic)]));
    } catch (...) {
        return 0;
    }
}

bool shows_bar(WINDOW win) noexcept {
    if (!win_is_live(win) || win->parent != win_screen())
        return false;
    if ((win->flags & VKO_WF_MENU_MASK) == 0 || (win->state2 & VKO_WS_NO_MENU) != 0)
        return false;
    return window_tree(win) != nullptr;
}

int bar_height() noexcept {
    return kBarHeight;
}

void bar_layout(const s_mitem *tree, int width, Span *out, int max_out, int *count) noexcept {
    const int n = std::min(count_items(tree), max_out);
    *count = n;
    std::vector<int> widths;
    try {
        for (int i = 0; i < n; ++i)
            widths.push_back(font::text_width(nullptr, font::kScreenDpi,
                                              parse_label(tree[i].text).text.c_str(), -1) +
                             2 * kTitlePad);
    } catch (...) {
        *count = 0;
        return;
    }
    // Titles from the first right-aligned one on sit at the right end.
    int split = n;
    for (int i = 0; i < n; ++i)
        if ((tree[i].state & VKO_MIS_RIGHT) != 0) {
            split = i;
            break;
        }
    int x = kBarFirstLeft;
    for (int i = 0; i < split; ++i) {
        out[i] = Span{x, x + widths[static_cast<std::size_t>(i)]};
        x += widths[static_cast<std::size_t>(i)];
    }
    int right_total = 0;
    for (int i = split; i < n; ++i)
        right_total += widths[static_cast<std::size_t>(i)];
    int rx = std::max(x, width - kBarFirstLeft - right_total);
    for (int i = split; i < n; ++i) {
        out[i] = Span{rx, rx + widths[static_cast<std::size_t>(i)]};
        rx += widths[static_cast<std::size_t>(i)];
    }
}

void draw_bar(WINDOW win, cairo_t *cr, int width) noexcept {
    const s_mitem *tree = window_tree(win);
    set_color(cr, kFace, kFace, kFace);
    cairo_rectangle(cr, 0, 0, width, kBarHeight);
    cairo_fill(cr);
    set_color(cr, kShadow, kShadow, kShadow);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 0, kBarHeight - 0.5);
    cairo_line_to(cr, width, kBarHeight - 0.5);
    cairo_stroke(cr);
    const int n = count_items(tree);
    std::vector<Span> spans;
    try {
        spans.resize(static_cast<std::size_t>(n));
    } catch (...) {
        return;
    }
    int count = 0;
    bar_layout(tree, width, spans.data(), n, &count);
    const bool mine = tr().active && tr().from_bar && tr().owner == win;
    for (int i = 0; i < count; ++i) {
        const Span &span = spans[static_cast<std::size_t>(i)];
        const bool hot = mine && tr().bar_hot == i;
        if (hot) {
            set_color(cr, kHiRed, kHiGreen, kHiBlue);
            cairo_rectangle(cr, span.left, 1, span.right - span.left, kBarHeight - 2);
            cairo_fill(cr);
        }
        if (tree[i].enabled == 0)
            set_color(cr, kGrey, kGrey, kGrey);
        else if (hot)
            set_color(cr, 1, 1, 1);
        else
            set_color(cr, 0, 0, 0);
        draw_label(cr, parse_label(tree[i].text), span.left + kTitlePad, baseline_in(0, kBarHeight));
    }
}

std::string bar_look(WINDOW win) noexcept {
    std::string look;
    try {
        const s_mitem *tree = window_tree(win);
        const int n = count_items(tree);
        for (int i = 0; i < n; ++i) {
            look += tree[i].enabled != 0 ? '+' : '-';
            look += tree[i].text != nullptr ? tree[i].text : "";
            look += '\n';
        }
        if (tr().active && tr().from_bar && tr().owner == win)
            look += std::to_string(tr().bar_hot);
    } catch (...) {
        look.clear(); // an empty look never matches a drawn one
    }
    return look;
}

std::uint64_t bar_generation() noexcept {
    return st().generation;
}

void bar_changed() noexcept {
    ++st().generation;
    // An open level shows its items' state as it stands now.
    for (const Level &level : tr().levels)
        draw_level(level);
}

bool is_active() noexcept {
    if (tr().active && !owner_alive())
        dismiss();
    return tr().active;
}

WINDOW active_owner() noexcept {
    return is_active() ? tr().owner : nullptr;
}

bool is_level_window(WINDOW win) noexcept {
    for (const Level &level : tr().levels)
        if (level.win == win)
            return true;
    return false;
}

bool opened_from_bar() noexcept {
    return tr().active && tr().from_bar;
}

bool bar_press(WINDOW owner, s_pnt screen, bool shift, bool control) noexcept {
    (void)shift;
    (void)control;
    if (!shows_bar(owner))
        return false;
    if (tr().active && tr().owner == owner && tr().from_bar) {
        const Hit hit = hit_test(screen);
        if (hit.title >= 0 && hit.title == tr().bar_hot && !tr().levels.empty()) {
            dismiss(); // a press on the open title closes its menu
            return true;
        }
        if (hit.title < 0)
            return false;
        press_title(screen);
        open_title(hit.title, false);
        return true;
    }
    if (!start(owner, true))
        return false;
    const Hit hit = hit_test(screen);
    if (hit.title < 0) {
        finish();
        return false;
    }
    press_title(screen);
    open_title(hit.title, false);
    return true;
}

void pointer(e_event type, s_pnt p, bool shift, bool control) noexcept {
    if (!is_active())
        return;
    Tracker &t = tr();
    const Hit hit = hit_test(p);
    if (type == E_MOUSE_MOVE && (p.v != t.opened_at.v || p.h != t.opened_at.h))
        t.moved = true;
    const bool on_arrow = hit.level >= 0 && (hit.item == kArrowUp || hit.item == kArrowDown);
    point_at_arrow(hit.level, hit.item);
    switch (type) {
    case E_MOUSE_DOWN:
    case E_MOUSE_DBL:
        t.button_down = true;
        t.pressed_inside = true;
        t.pressed_in_level = hit.level >= 0;
        if (hit.title >= 0) {
            if (hit.title == t.bar_hot && !t.levels.empty()) {
                dismiss();
            } else {
                press_title(p);
                open_title(hit.title, false);
            }
        } else if (on_arrow) {
            scroll_level(static_cast<std::size_t>(hit.level), hit.item == kArrowUp ? -1 : 1);
        } else if (hit.level >= 0) {
            hover(static_cast<std::size_t>(hit.level), hit.item);
        } else {
            dismiss(); // a press outside every menu closes it
        }
        return;
    case E_MOUSE_MOVE:
        if (hit.title >= 0 && hit.title != t.bar_hot && (!t.levels.empty() || t.button_down))
            open_title(hit.title, false);
        else if (on_arrow)
            return;
        else if (hit.level >= 0)
            hover(static_cast<std::size_t>(hit.level), hit.item);
        else if (!t.levels.empty() && hit.title < 0 && t.levels.size() == 1)
            set_hot(0, -1);
        return;
    case E_MOUSE_UP: {
        t.button_down = false;
        if (hit.level >= 0 && hit.item >= 0) {
            // A click on a title opens its menu and nothing more: the release chooses only
            // after a press on the menu itself or a drag to the item.
            const s_mitem &item = t.levels[static_cast<std::size_t>(hit.level)].items[hit.item];
            if (chooseable(item) && (t.pressed_in_level || t.moved))
                choose(item, shift, control);
            return;
        }
        // A release away from the menus after dragging through them closes them; a click
        // on a title leaves its menu open.
        if (hit.level < 0 && hit.title < 0 && t.moved && t.pressed_inside)
            dismiss();
        return;
    }
    default:
        return;
    }
}

bool key(WINDOW target, const s_char &c) noexcept {
    if (is_active()) {
        tracker_key(c);
        return true;
    }
    WINDOW owner = key_owner(target);
    if (owner == nullptr)
        return false;
    const bool control = (c.modifiers & kModControl) != 0 || c.control != 0;
    const bool alt = (c.modifiers & kModAlt) != 0;
    const bool shift = (c.modifiers & kModShift) != 0 || c.shift != 0;
    if (c.virt != 0 && c.ch == VKO_KEY_F10 && !control && !alt && !shift && shows_bar(owner)) {
        activate_bar(owner);
        return true;
    }
    try {
        for (const auto &[accel, tag] : accel_table(kAccelTableId)) {
            if (!accel_matches(accel, c))
                continue;
            // The key of a disabled item sends nothing, as its item would not.
            const s_mitem *tree = window_tree(owner);
            for (const s_mitem *stack[32] = {tree}, **sp = stack + 1; sp != stack;) {
                const s_mitem *items = *--sp;
                for (int i = 0; items != nullptr && i < count_items(items); ++i) {
                    if (items[i].tag == tag && items[i].separator == 0 && items[i].enabled == 0)
                        return true;
                    if (items[i].child != nullptr && sp < stack + 32)
                        *sp++ = items[i].child;
                }
            }
            EVENT ev{};
            ev.type = E_COMMAND;
            ev.v.cmd.tag = tag;
            ev.v.cmd.shift = shift ? TRUE : FALSE;
            ev.v.cmd.control = control ? TRUE : FALSE;
            win_post_event(owner, ev);
            return true;
        }
    } catch (...) {
        return false;
    }
    if (alt && !control && c.virt == 0 && shows_bar(owner)) {
        const int title = item_with_letter(window_tree(owner), upper(c.ch));
        if (title >= 0 && start(owner, true)) {
            open_title(title, true);
            return true;
        }
    }
    return false;
}

void activate_bar(WINDOW owner) noexcept {
    if (is_active()) {
        dismiss();
        return;
    }
    if (!shows_bar(owner) || !start(owner, true))
        return;
    tr().bar_hot = 0;
    bar_changed();
}

int level_count() noexcept {
    return static_cast<int>(tr().levels.size());
}

WINDOW level_window(int level) noexcept {
    return level >= 0 && level < level_count() ? tr().levels[static_cast<std::size_t>(level)].win
                                               : nullptr;
}

s_rct item_rect(int level, int item) noexcept {
    if (level < 0 || level >= level_count())
        return s_rct{};
    const Level &l = tr().levels[static_cast<std::size_t>(level)];
    if (item < 0 || item >= count_items(l.items) || !item_in_view(l, item))
        return s_rct{};
    const int top = l.rect.top + shown_top(l, item);
    return s_rct{static_cast<std::int16_t>(top), static_cast<std::int16_t>(l.rect.left + kBorder),
                 static_cast<std::int16_t>(top + item_height(l.items[item])),
                 static_cast<std::int16_t>(l.rect.right - kBorder)};
}

s_rct title_rect(WINDOW win, int index) noexcept {
    if (!shows_bar(win))
        return s_rct{};
    try {
        const std::vector<Span> spans = spans_of(win);
        if (index < 0 || static_cast<std::size_t>(index) >= spans.size())
            return s_rct{};
        const s_rct strip = bar_strip(win);
        const Span &sp = spans[static_cast<std::size_t>(index)];
        return s_rct{strip.top, static_cast<std::int16_t>(strip.left + sp.left), strip.bottom,
                     static_cast<std::int16_t>(strip.left + sp.right)};
    } catch (...) {
        return s_rct{};
    }
}

void close(WINDOW owner) noexcept {
    if (tr().active && (owner == nullptr || tr().owner == owner))
        dismiss();
}

std::int16_t run_popup(MENU_TREE items, WINDOW win, s_pnt pos, std::int32_t align,
                       std::int16_t tag) noexcept {
    if (count_items(items) == 0 || !start(win, false))
        return 0;
    int hot = -1;
    int lift = 0;
    if (align == 3) {
        for (int i = 0; i < count_items(items); ++i)
            if (items[i].tag == tag && items[i].separator == 0) {
                hot = i;
                lift = item_top(items, i);
            }
    }
    const s_pnt origin = win_client_origin_on_screen(win);
    const s_pnt at{static_cast<std::int16_t>(origin.v + pos.v - lift),
                   static_cast<std::int16_t>(origin.h + pos.h)};
    tr().opened_at = at;
    push_level(items, at, -1, hot);
    if (tr().levels.empty()) {
        finish();
        return 0;
    }
    // The user's input drives the tracker through the event loop until it is done; when
    // nothing more can arrive (tests), the menu is dismissed.
    while (tr().active && !tr().done) {
        app_process_events();
        if (!tr().active || tr().done)
            break;
        if (!owner_alive() || !app_wait_for_work()) {
            dismiss();
            break;
        }
    }
    const std::int16_t chosen = tr().done ? tr().chosen : 0;
    tr().done = false;
    tr().chosen = 0;
    return chosen;
}

} // namespace vkobase::menu
