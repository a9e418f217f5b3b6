// menu_view_internal.h: what the files that show menus share: the open levels, the tracker that
// follows the pointer and the keys while a menu is open, and the helpers each file lends the
// others. The bar is in menu_bar.cpp, the levels in menu_levels.cpp, the tracker and pointer
// in menu_tracker.cpp, the keys and accelerators in menu_keys.cpp. Internal to vkobase.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "menu_internal.h"
#include "vkobase/types.h"

namespace vkobase::menu_view {

using vkobase::menu::Label;
using vkobase::menu::Span;

constexpr int kBorder = 2;
// What item_at answers over a scrolling level's arrows.
constexpr int kArrowUp = -2;
constexpr int kArrowDown = -3;

// Colours of the classic look.
constexpr double kFace = 0xE4 / 255.0;
constexpr double kShadow = 0x80 / 255.0;
constexpr double kGrey = 0x90 / 255.0;
constexpr double kHiRed = 0x0A / 255.0, kHiGreen = 0x24 / 255.0, kHiBlue = 0x6A / 255.0;

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

// menu_tracker.cpp: the one state of the menus on the screen, and the tracker in it.
MenuViewState &st() noexcept;
Tracker &tr() noexcept;

// menu_levels.cpp: items and levels.
int count_items(const s_mitem *items) noexcept;
int item_height(const s_mitem &item) noexcept;
// Top of item i within its level.
int item_top(const s_mitem *items, int i) noexcept;
// Top of item i as the level shows it now (level coordinates); off the band when scrolled away.
int shown_top(const Level &level, int i) noexcept;
bool item_in_view(const Level &level, int i) noexcept;
// The item of a level under a point of the level (its own coordinates), -1 for none; over the
// arrows of a scrolling level, kArrowUp or kArrowDown.
int item_at(const Level &level, int v) noexcept;
void set_color(cairo_t *cr, double r, double g, double b) noexcept;
// Draws a label at x with its baseline at y, underlining the marked letter.
void draw_label(cairo_t *cr, const Label &label, double x, double y) noexcept;
// Baseline of text centred in a band of the given height.
double baseline_in(int top, int height) noexcept;
void draw_level(const Level &level) noexcept;
// Scrolls a level by step items, within its ends; its open submenu closes.
void scroll_level(std::size_t index, int step) noexcept;
// The arrow of a scrolling level under the pointer (-1 up, 1 down, 0 none).
void set_arrow(Level &level, int arrow) noexcept;
// Opens a level showing items with its top-left corner at a screen point; bar_top is the top
// of the bar strip of a pull-down, else -1.
void push_level(s_mitem *items, s_pnt at, int flip_right_edge, int hot, int bar_top = -1) noexcept;
void pop_level() noexcept;
void pop_to(std::size_t count) noexcept;
void set_hot(std::size_t index, int hot) noexcept;

// menu_bar.cpp: the bar strip on the screen and its titles' spans in it.
s_rct bar_strip(WINDOW owner) noexcept;
std::vector<Span> spans_of(WINDOW owner);
std::uint16_t upper(std::uint16_t ch) noexcept;

// menu_tracker.cpp: what the tracker does for the pointer and the keys.
bool owner_alive() noexcept;
bool chooseable(const s_mitem &item) noexcept;
bool opens_submenu(const s_mitem &item) noexcept;
// Ends tracking: every level closes, the bar loses its highlight.
void finish() noexcept;
void dismiss() noexcept;
int first_item(const s_mitem *items, int from, int step) noexcept;
// The item a menu opened from the keyboard highlights: the first enabled one from `from` on in
// the direction of step, else the first that is not a separator (a menu of greyed items only).
int first_enabled_item(const s_mitem *items, int from, int step) noexcept;
// Opens the bar title's pull-down (closing what was open), highlighting an item for keys.
void open_title(int index, bool with_hot, bool from_bottom = false) noexcept;
// Opens the submenu of the hot item of level index.
void open_submenu(std::size_t index, bool with_hot) noexcept;
// Makes item the hot one of its level and opens its submenu when it has one.
void hover(std::size_t level, int item) noexcept;
// Enter, or the item's letter: choose it or open its submenu.
void activate_item(std::size_t level, int item, bool shift, bool control) noexcept;
bool start(WINDOW owner, bool from_bar) noexcept;

} // namespace vkobase::menu_view
