// ctl_internal.h: what the native control modules share: the one entry that runs a control's
// own behaviour at the end of its event chain, the interaction state a control keeps while the
// user works it, the control events it sends its parent, and the classic look they draw with
// (bevels, focus rectangle, greyed text, the control font and colours). Internal to vkobase.
// Each family has its module: ctl_button.cpp (push and radio buttons, check boxes, static
// texts, group boxes, icons), ctl_sbar.cpp, ctl_edit.cpp, ctl_list.cpp, ctl_notebk.cpp; the
// focus and the keyboard navigation of dialogs live in ctl_focus.cpp.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "vkobase/types.h"

namespace vkobase::ctl {

// ---- dispatch ----------------------------------------------------------------------------

// True for a live window that is a native control of the base library (types 12 to 25, text
// edits excepted: the text-edit engine runs those).
bool is_native(WINDOW win) noexcept;

// The control's own behaviour for one event (drawing on update, mouse, keys, focus, timers);
// runs where a window's handler would, after its class-extension objects. Answers 1 when the
// control used the event.
std::int32_t handle_event(WINDOW win, EVENT *event) noexcept;

// Around a window's update: before, a dialog built from definitions gets its face painted;
// after, the native controls lying in the repainted area draw themselves again on top.
void before_update(WINDOW win, const s_rct &area) noexcept;
void after_update(WINDOW win, const s_rct &area) noexcept;

// ---- state -------------------------------------------------------------------------------

// What a control remembers while the user works it. One record per control, made on first use
// in the control's interaction slot.
struct Ui {
    bool pressed = false;    // mouse button held on the control (capture)
    bool inside = false;     // the pointer is over the pressed part
    std::int32_t part = 0;   // the part of a scroll bar or list being worked
    std::int32_t timer = -1; // auto-repeat timer, -1 when none
    std::int32_t drag_from = 0;
    std::int32_t drag_pos = 0;   // thumb position while it is dragged
    std::int32_t top = 0;        // first visible item of a list, first visible tab
    std::int32_t focus_item = 0; // item with the focus rectangle
    std::int32_t anchor = 0;     // selection anchor of lists and edit fields
    std::int32_t caret = 0;      // caret of an edit field (an end of the selection)
    std::int32_t scroll_x = 0;   // pixels an edit line is scrolled left
    std::uint64_t search_ms = 0; // time of the last first-letter search key
    s_pnt last_mouse{};          // where the pointer was last seen while pressed, or over
                                 // an open drop-down list
    WINDOW popup = nullptr;      // open drop-down list of a list button or list edit
    bool hovered = false;        // the pointer moved over a drop-down list's rows
};
Ui *ui(WINDOW win) noexcept;
// Held arrows and page areas of scroll bars repeat: after a delay, then quickly.
constexpr std::int32_t kRepeatDelayMs = 400;
constexpr std::int32_t kRepeatMs = 50;
// Ends the control's auto-repeat timer, if it runs.
void stop_repeat(Ui *st) noexcept;

// True when the control and every window above it take input.
bool input_enabled(WINDOW win) noexcept;
// True when the control has the keyboard focus.
bool has_focus(WINDOW win) noexcept;
// Gives the focus to a control that can take it (a click on it).
void focus_on_click(WINDOW win) noexcept;

// Sends the control's parent a control event (type 15) with the control's id, type, window and
// two data words, at once. Answers false when the control did not survive the handler.
bool notify(WINDOW ctl, std::int32_t data1, std::int32_t data2) noexcept;
// A key the focused control has no use for: the keyboard navigation of a dialog built from
// definitions takes it, or else the nearest window above with a handler gets it as a key event.
void pass_key(WINDOW ctl, EVENT *event) noexcept;

// Gives the focus to the first control of a dialog that can take it, in definition order.
void focus_first(WINDOW dialog) noexcept;

// Where a notebook's faces lie: inside its page frame, below the tabs (ctl_notebk.cpp).
s_rct notebk_page_rect(WINDOW nb) noexcept;

// Drop-down lists of list buttons and list edits (ctl_list.cpp), for the focus code.
void close_popup(WINDOW ctl) noexcept;
// True for an open drop-down list: a pop-up on the screen that the display shows unframed and
// that holds the pointer.
bool is_drop_down(WINDOW win) noexcept;
// The control whose open drop-down list win is; null for any other window.
WINDOW drop_down_owner(WINDOW win) noexcept;
// Whether a point v pixels below the top of control ctl is the control's: a list button or
// list edit takes only its closed field (its frame also holds the room of its list, which
// opens in a window of its own), so what lies below the field takes its own clicks.
bool takes_point_at(WINDOW ctl, std::int32_t v) noexcept;

// Each family's behaviour (one per module).
std::int32_t button_event(WINDOW win, EVENT *event) noexcept;
std::int32_t sbar_event(WINDOW win, EVENT *event) noexcept;
std::int32_t edit_event(WINDOW win, EVENT *event) noexcept;
std::int32_t list_event(WINDOW win, EVENT *event) noexcept;
std::int32_t notebk_event(WINDOW win, EVENT *event) noexcept;

// ---- scroll bars (ctl_sbar.cpp), shared by scroll-bar controls and lists ------------------

// What a scroll bar shows: its range, position and page (thumb size). The last position the
// user can reach leaves a whole page in view: max - page + 1 (never below min).
struct BarModel {
    std::int32_t min = 0;
    std::int32_t max = 100;
    std::int32_t pos = 0;
    std::int32_t page = 1;
    bool vertical = true;
    std::int32_t last() const noexcept;
};
// The parts of a bar, numbered as the scroll actions they start (SC_LINE_UP .. SC_THUMB).
enum BarPart { kBarNone = 0 };
// The part under a point of a bar that fills the rectangle.
int bar_part_at(const BarModel &bar, const s_rct &area, s_pnt where) noexcept;
// The position that puts the thumb's leading edge at offset pixels into the trough.
std::int32_t bar_pos_at(const BarModel &bar, const s_rct &area, int offset) noexcept;
// Offset of the thumb's leading edge in the trough and the thumb's length, in pixels.
void bar_thumb(const BarModel &bar, const s_rct &area, int *offset, int *length) noexcept;
// Where the trough starts (after the first arrow), in pixels along the bar.
int bar_trough_start(const BarModel &bar, const s_rct &area) noexcept;

// A window's own scroll bars (creation flags VKO_WSF_HSCROLL and VKO_WSF_VSCROLL on document,
// plain and task windows): made with the window, kept along its edges when it changes size.
void make_window_bars(WINDOW win) noexcept;
void place_window_bars(WINDOW win) noexcept;

class Paint;

// ---- edit fields (ctl_edit.cpp), shared by edit controls and list edits -----------------

// The edit field of a control lying in area (client coordinates): its text is the control's
// title, its selection the control's text selection.
void field_draw(const Paint &p, WINDOW win, const s_rct &area) noexcept;
// Mouse and keys for the field; true when the field used the event.
bool field_mouse(WINDOW win, const EVENT &event, const s_rct &area) noexcept;
bool field_key(WINDOW win, const s_char &key, const s_rct &area) noexcept;
// The field gained or lost the focus: the caret shows or goes, and the parent hears of it.
void field_focus(WINDOW win, bool active, const s_rct &area) noexcept;
// Replaces the whole text as the user's choice (a list edit's item): selects it all and sends
// the text-changed event.
void field_replace(WINDOW win, const char *text, const s_rct &area) noexcept;

// Draws the bar in the rectangle; pressed is the part held down (kBarNone for none).
void draw_bar(const Paint &p, const BarModel &bar, const s_rct &area, int pressed) noexcept;

// ---- drawing -----------------------------------------------------------------------------

// Colours of the classic look.
constexpr COLOR kFace = 0x0AC0C0C0u;
constexpr COLOR kShadow = 0x09808080u;
constexpr COLOR kDarkShadow = 0x07000000u;
constexpr COLOR kLight = 0x0BFFFFFFu;
constexpr COLOR kSelectBack = 0x00000080u;
constexpr COLOR kSelectFore = 0x0BFFFFFFu;

// One drawing pass over a control: a cairo context on its client area (origin at its top
// left), its font and colour set. Ends the pass and shows the pixels when destroyed.
class Paint {
public:
    explicit Paint(WINDOW win, const char *what) noexcept;
    ~Paint();
    Paint(const Paint &) = delete;
    Paint &operator=(const Paint &) = delete;

    bool ok() const noexcept { return cr_ != nullptr; }
    cairo_t *cr() const noexcept { return cr_; }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    bool enabled() const noexcept { return enabled_; }

    // The control's colour for a component (VKO_CC_*), or fallback when neither the control
    // nor a window above it sets one.
    COLOR color(e_color_component component, COLOR fallback) const noexcept;
    void set_color(COLOR color) const noexcept;
    void fill(double x, double y, double w, double h, COLOR color) const noexcept;
    // A 3-D frame two pixels wide: raised (light top left) or sunken.
    void bevel(double x, double y, double w, double h, bool raised) const noexcept;
    // A one-pixel frame.
    void frame(double x, double y, double w, double h, COLOR color) const noexcept;
    // The dotted focus rectangle.
    void focus_rect(double x, double y, double w, double h) const noexcept;
    // Text in the control font with its baseline at y; greyed and embossed when disabled
    // (and greyed is not overridden by an explicit colour).
    void text(double x, double y, const char *text, int len, COLOR color) const noexcept;
    void greyed_text(double x, double y, const char *text, int len) const noexcept;
    int text_width(const char *text, int len) const noexcept;
    int ascent() const noexcept;
    int line_height() const noexcept;
    // A filled triangle for arrows: direction 0 up, 1 down, 2 left, 3 right, centred in the box.
    void arrow(double x, double y, double w, double h, int direction, COLOR color) const noexcept;

private:
    WINDOW win_;
    cairo_t *cr_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool enabled_ = true;
    FONT_OBJ font_ = nullptr;
};

// The font a control draws with: its own, else the nearest window above's control font, else
// the default font.
FONT_OBJ control_font(WINDOW win) noexcept;
// Width of text in the control font, and its line height, without drawing.
int measure(WINDOW win, const char *text, int len) noexcept;
int line_height(WINDOW win) noexcept;

} // namespace vkobase::ctl
