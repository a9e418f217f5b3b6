// Native controls worked by the user: synthetic mouse and key events against each control kind,
// the state they leave and the control events their parent gets; the focus and the keyboard
// navigation of dialogs built from definitions. Headless, on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "../../../platform/vkobase/src/font_internal.h"
#include "../../../platform/vkobase/src/window_internal.h"
#include "core_test_support.h"
#include "ctl_test_support.h"
#include "vkobase/ctl.h"
#include "vkobase/list.h"
#include "vkobase/notebk.h"
#include "vkobase/sbar.h"
#include "vkobase/surface_debug.h"
#include "vkobase/vkobase.h"

namespace {

using vkotest::click;
using vkotest::control_events;
using vkotest::key;
using vkotest::pump;

class CtlInputTest : public vkotest::CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        its_doc = make_doc(s_rct{100, 100, 400, 500});
        ASSERT_NE(its_doc, nullptr);
        pump();
        vkotest::seen().clear();
    }
    WINDOW make(e_win_type type, s_rct rct, const char *title, uint32_t flags = 0, int32_t id = 1) {
        WINDOW ctl = vkok_ctl_create(type, &rct, title, its_doc, flags, 0, id);
        EXPECT_NE(ctl, nullptr);
        return ctl;
    }
    WINDOW its_doc = nullptr;
};

TEST_F(CtlInputTest, ClicksOnButtonsSendOneEventAndLeaveTheMarkToTheHandler) {
    struct Case {
        const char *why;
        e_win_type type;
        int up_v, up_h; // where the button is released (the press is at 5, 5)
        size_t events;
    };
    const Case cases[] = {
        {"push button clicked", WC_PUSHBUTTON, 5, 5, 1},
        {"push button released outside", WC_PUSHBUTTON, 5, 300, 0},
        {"check box clicked", WC_CHECKBOX, 5, 5, 1},
        {"radio button clicked", WC_RADIOBUTTON, 5, 5, 1},
        {"radio button released outside", WC_RADIOBUTTON, 60, 5, 0},
        {"static text clicked", WC_TEXT, 5, 5, 1},
        {"group box takes no clicks", WC_GROUPBOX, 5, 5, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkotest::seen().clear();
        WINDOW ctl = make(c.type, s_rct{10, 10, 30, 110}, "Go", 0, 42);
        click(ctl, s_pnt{5, 5}, s_pnt{static_cast<int16_t>(c.up_v), static_cast<int16_t>(c.up_h)});
        const auto events = control_events(its_doc);
        ASSERT_EQ(events.size(), c.events);
        if (c.events == 1) {
            EXPECT_EQ(events[0].v.ctl.id, 42);
            EXPECT_EQ(events[0].v.ctl.ci.type, c.type);
            EXPECT_EQ(events[0].v.ctl.ci.win, ctl);
        }
        // The control does not change its own mark: the handler does, in answer.
        EXPECT_EQ(vkok_ctl_is_checked(ctl), FALSE);
        vkok_vobj_destroy(ctl);
    }
}

TEST_F(CtlInputTest, DisabledControlsAndControlsOfDisabledWindowsIgnoreTheUser) {
    WINDOW own = make(WC_PUSHBUTTON, s_rct{10, 10, 30, 110}, "Own", VKO_CTL_DISABLED, 1);
    WINDOW later = make(WC_CHECKBOX, s_rct{40, 10, 60, 110}, "Later", 0, 2);
    click(own, s_pnt{5, 5});
    key(own, ' ');
    vkok_vobj_set_enabled(its_doc, FALSE);
    click(later, s_pnt{5, 5});
    EXPECT_TRUE(control_events(its_doc).empty());
    vkok_vobj_set_enabled(its_doc, TRUE);
    click(later, s_pnt{5, 5});
    EXPECT_EQ(control_events(its_doc).size(), 1u);
}

TEST_F(CtlInputTest, ClickFocusesAndSpacePressesTheFocusedButton) {
    WINDOW check = make(WC_CHECKBOX, s_rct{10, 10, 30, 110}, "Check", 0, 5);
    click(check, s_pnt{5, 5});
    EXPECT_EQ(vkok_scr_get_focus_vobj(), check);
    vkotest::seen().clear();
    key(check, ' ');
    EXPECT_EQ(control_events(its_doc).size(), 1u);
    // Keys the control has no use for go on to the window that handles keys.
    key(check, 9);
    key(check, 'x');
    std::vector<uint16_t> chars;
    for (const auto &s : vkotest::seen())
        if (s.win == its_doc && s.event.type == E_CHAR)
            chars.push_back(s.event.v.chr.ch);
    EXPECT_EQ(chars, (std::vector<uint16_t>{9, 'x'}));
}

TEST_F(CtlInputTest, ThreeStateCheckBoxTakesTheUndecidedMark) {
    WINDOW plain = make(WC_CHECKBOX, s_rct{10, 10, 30, 110}, "Plain");
    WINDOW three = make(WC_CHECKBOX, s_rct{40, 10, 60, 110}, "Three", VKO_CTL_THREE_STATE);
    vkok_ctl_set_checked(plain, 2);
    vkok_ctl_set_checked(three, 2);
    EXPECT_EQ(vkok_ctl_is_checked(plain), TRUE);
    EXPECT_EQ(vkok_ctl_is_checked(three), 2);
    EXPECT_TRUE(control_events(its_doc).empty()); // setting through the interface is silent
}

TEST_F(CtlInputTest, ControlsDrawAndRedrawAfterTheirParent) {
    WINDOW button = make(WC_PUSHBUTTON, s_rct{10, 10, 40, 110}, "OK");
    pump();
    EXPECT_GT(vkov_debug_draw_log_size(button), 0);
    // The button's face is grey; its parent clearing itself does not leave it white.
    const uint32_t face = vkov_debug_surface_pixel(button, 50, 8);
    EXPECT_EQ(face & 0xFFFFFF, 0xC0C0C0u);
    vkov_dwin_clear(its_doc, VKO_COLOR_WHITE);
    vkok_dwin_invalidate_rect(its_doc, nullptr);
    pump();
    EXPECT_EQ(vkov_debug_surface_pixel(button, 50, 8) & 0xFFFFFF, 0xC0C0C0u);
}

// The actions (what, position) of the scroll-bar control events the window received.
std::vector<std::pair<int, int>> scroll_actions(WINDOW win) {
    std::vector<std::pair<int, int>> out;
    for (const EVENT &e : control_events(win))
        out.emplace_back(e.v.ctl.ci.v.sbar.what, e.v.ctl.ci.v.sbar.pos);
    return out;
}

TEST_F(CtlInputTest, ScrollBarReportsActionsAndLeavesItsPositionToTheParent) {
    // 200 pixels high: arrows of 16, a trough of 168 with a thumb of 16 (10 of 101 values).
    WINDOW bar = make(WC_VSCROLL, s_rct{10, 10, 210, 26}, "");
    vkok_sbar_set_range(bar, VKO_SBAR_CONTROL, 0, 100);
    vkok_sbar_set_proportion(bar, VKO_SBAR_CONTROL, 10);
    vkok_sbar_set_pos(bar, VKO_SBAR_CONTROL, 50);
    struct Case {
        const char *why;
        s_pnt at;
        std::pair<int, int> action;
    };
    const Case cases[] = {
        {"up arrow", {5, 8}, {SC_LINE_UP, 49}},
        {"down arrow", {195, 8}, {SC_LINE_DOWN, 51}},
        {"page area above the thumb", {30, 8}, {SC_PAGE_UP, 40}},
        {"page area below the thumb", {180, 8}, {SC_PAGE_DOWN, 60}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkotest::seen().clear();
        click(bar, c.at);
        EXPECT_EQ(scroll_actions(its_doc), (std::vector<std::pair<int, int>>{c.action}));
    }
    vkotest::seen().clear();
    vkok_scr_set_focus_vobj(bar);
    key(bar, VKO_KEY_LINE_END, true);
    key(bar, VKO_KEY_LINE_START, true);
    key(bar, VKO_KEY_PAGE_DOWN, true);
    EXPECT_EQ(scroll_actions(its_doc), (std::vector<std::pair<int, int>>{
                                           {SC_THUMB, 91}, {SC_THUMB, 0}, {SC_PAGE_DOWN, 60}}));
    EXPECT_EQ(vkok_sbar_get_pos(bar, VKO_SBAR_CONTROL), 50);
}

TEST_F(CtlInputTest, HeldScrollArrowRepeatsOnTheClockUntilReleased) {
    WINDOW bar = make(WC_HSCROLL, s_rct{10, 10, 26, 210}, "");
    vkok_sbar_set_range(bar, VKO_SBAR_CONTROL, 0, 100);
    vkok_sbar_set_pos(bar, VKO_SBAR_CONTROL, 50);
    vkotest::mouse(bar, E_MOUSE_DOWN, s_pnt{8, 195});
    vkov_test_advance_clock(399); // still the first action alone
    EXPECT_EQ(scroll_actions(its_doc).size(), 1u);
    vkov_test_advance_clock(201); // the delay ends at 400, then one more every 50
    EXPECT_EQ(scroll_actions(its_doc).size(), 6u);
    // Dragged off the arrow, the repeat pauses; back on it, it goes on.
    vkotest::mouse(bar, E_MOUSE_MOVE, s_pnt{8, 100});
    vkov_test_advance_clock(200);
    EXPECT_EQ(scroll_actions(its_doc).size(), 6u);
    vkotest::mouse(bar, E_MOUSE_MOVE, s_pnt{8, 195});
    vkov_test_advance_clock(100);
    EXPECT_EQ(scroll_actions(its_doc).size(), 8u);
    vkotest::mouse(bar, E_MOUSE_UP, s_pnt{8, 195});
    vkov_test_advance_clock(1000);
    EXPECT_EQ(scroll_actions(its_doc).size(), 8u);
    for (const auto &a : scroll_actions(its_doc))
        EXPECT_EQ(a.first, SC_LINE_DOWN);
}

TEST_F(CtlInputTest, DraggedThumbTracksAndReportsWhereItWasLetGo) {
    WINDOW bar = make(WC_VSCROLL, s_rct{10, 10, 210, 26}, "");
    vkok_sbar_set_range(bar, VKO_SBAR_CONTROL, 0, 100);
    vkok_sbar_set_proportion(bar, VKO_SBAR_CONTROL, 10);
    // The thumb (16 pixels) starts at the top of the trough, at 16.
    vkotest::mouse(bar, E_MOUSE_DOWN, s_pnt{20, 8});
    vkotest::mouse(bar, E_MOUSE_MOVE, s_pnt{96, 8});  // half of the 152 pixels of room
    vkotest::mouse(bar, E_MOUSE_MOVE, s_pnt{400, 8}); // far below: the last position
    vkotest::mouse(bar, E_MOUSE_UP, s_pnt{400, 8});
    const auto actions = scroll_actions(its_doc);
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[0].first, SC_THUMBTRACK);
    EXPECT_NEAR(actions[0].second, 46, 1);
    EXPECT_EQ(actions[1], (std::pair<int, int>{SC_THUMBTRACK, 91}));
    EXPECT_EQ(actions[2], (std::pair<int, int>{SC_THUMB, 91}));
}

std::string title_of(WINDOW win) {
    char buf[256] = {};
    vkok_vobj_get_title(win, buf, sizeof buf);
    return buf;
}

std::pair<int32_t, int32_t> sel_of(WINDOW win) {
    int32_t first = -1, last = -1;
    vkok_ctl_get_text_sel(win, &first, &last);
    return {first, last};
}

// A key of a table: a character, or a virtual key with Shift or Control.
struct Key {
    uint16_t ch;
    bool virt = false;
    bool shift = false;
    bool control = false;
};

TEST_F(CtlInputTest, EditFieldEditsItsTextWithKeysAndSendsAnEventPerChange) {
    struct Case {
        const char *why;
        const char *start;
        int32_t sel_first, sel_last;
        std::vector<Key> keys;
        const char *text;
        std::pair<int32_t, int32_t> sel;
        size_t changes;
    };
    const Case cases[] = {
        {"typing replaces the selection", "hello", 1, 4, {{'a'}, {'b'}}, "habo", {3, 3}, 2},
        {"backspace takes the character before the caret", "abc", 3, 3, {{8}}, "ab", {2, 2}, 1},
        {"delete takes the character after it",
         "abc",
         0,
         0,
         {{VKO_KEY_DELETE, true}},
         "bc",
         {0, 0},
         1},
        {"backspace at the start does nothing", "abc", 0, 0, {{8}}, "abc", {0, 0}, 0},
        {"shift and End select to the end",
         "hello world",
         6,
         6,
         {{VKO_KEY_LINE_END, true, true}},
         "hello world",
         {6, 11},
         0},
        {"shift and Left extend backwards",
         "hello",
         3,
         3,
         {{VKO_KEY_LEFT, true, true}, {VKO_KEY_LEFT, true, true}, {'X'}},
         "hXlo",
         {2, 2},
         1},
        {"control and Left go back a word",
         "hello world",
         11,
         11,
         {{VKO_KEY_WORD_LEFT, true}, {'b'}, {'i'}, {'g'}, {' '}},
         "hello big world",
         {10, 10},
         4},
        {"Home then typing",
         "world",
         5,
         5,
         {{VKO_KEY_LINE_START, true}, {'a'}},
         "aworld",
         {1, 1},
         1},
        {"control and A select all, typing replaces it",
         "old",
         1,
         1,
         {{'a', false, false, true}, {'n'}},
         "n",
         {1, 1},
         1},
        {"Tab is no text for a field", "abc", 3, 3, {{9}}, "abc", {3, 3}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW edit = make(WC_EDIT, s_rct{10, 10, 32, 200}, c.start);
        vkok_scr_set_focus_vobj(edit);
        vkok_ctl_set_text_sel(edit, c.sel_first, c.sel_last);
        vkotest::seen().clear();
        for (const Key &k : c.keys)
            key(edit, k.ch, k.virt, k.shift, k.control);
        EXPECT_EQ(title_of(edit), c.text);
        EXPECT_EQ(sel_of(edit), c.sel);
        const auto events = control_events(its_doc);
        ASSERT_EQ(events.size(), c.changes);
        for (const EVENT &e : events)
            EXPECT_EQ(e.v.ctl.ci.v.edit.focus_change, 0);
        vkok_vobj_destroy(edit);
    }
}

// Text the program puts in a focused field moves the caret with it: a shorter text leaves no
// caret behind where the old one ended, and the selection stays inside the text.
TEST_F(CtlInputTest, EditFieldCaretFollowsTextTheProgramPutsInIt) {
    WINDOW empty = make(WC_EDIT, s_rct{50, 10, 72, 200}, "", 0, 2);
    vkok_scr_set_focus_vobj(empty);
    pump();
    const s_pnt at_start = empty->internal->caret_pos;

    WINDOW edit = make(WC_EDIT, s_rct{10, 10, 32, 200}, "");
    vkok_scr_set_focus_vobj(edit);
    for (const char ch : std::string("zzzz"))
        key(edit, ch);
    pump();
    EXPECT_GT(edit->internal->caret_pos.h, at_start.h) << "after the typed text";
    vkov_vobj_set_title(edit, "");
    pump();
    EXPECT_EQ(edit->internal->caret_pos.h, at_start.h);
    EXPECT_EQ(sel_of(edit), std::make_pair(0, 0));
    key(edit, 'x');
    EXPECT_EQ(title_of(edit), "x");
}

// A field that holds a long text measures and draws a new text at every key typed: what the
// shaped texts kept hold stays within their bound however long the text, where keeping each
// one would grow with the square of its length.
TEST_F(CtlInputTest, EditFieldWithALongTextKeepsTheShapedTextsBounded) {
    const std::string start(10000, 'w');
    WINDOW edit = make(WC_EDIT, s_rct{10, 10, 32, 200}, start.c_str());
    vkok_scr_set_focus_vobj(edit);
    vkok_ctl_set_text_sel(edit, 10000, 10000);
    std::size_t most = 0;
    for (int i = 0; i < 200; ++i) {
        key(edit, static_cast<uint16_t>('a' + i % 26));
        pump();
        most = std::max(most, vkobase::font::shape_cache_bytes());
    }
    std::vector<char> text(20000);
    vkok_vobj_get_title(edit, text.data(), static_cast<int32_t>(text.size()));
    EXPECT_EQ(std::strlen(text.data()), 10200u);
    EXPECT_LE(most, vkobase::font::kShapeCacheBytes);
    // Shorter texts are still kept: a text measured again is found, not shaped anew.
    vkobase::font::text_width(nullptr, vkobase::font::kScreenDpi, "kept", -1);
    const std::size_t after = vkobase::font::shape_cache_bytes();
    EXPECT_GT(after, 0u);
    vkobase::font::text_width(nullptr, vkobase::font::kScreenDpi, "kept", -1);
    EXPECT_EQ(vkobase::font::shape_cache_bytes(), after);
}

TEST_F(CtlInputTest, EditFieldCutsCopiesAndPastesThroughTheClipboard) {
    WINDOW edit = make(WC_EDIT, s_rct{10, 10, 32, 200}, "copy me");
    WINDOW secret = make(WC_EDIT, s_rct{40, 10, 62, 200}, "pass", VKO_CTL_PASSWORD);
    WINDOW fixed = make(WC_EDIT, s_rct{70, 10, 92, 200}, "fixed", VKO_CTL_READONLY);
    vkok_scr_set_focus_vobj(edit);
    key(edit, 'a', false, false, true); // select all
    key(edit, 'c', false, false, true); // copy
    key(edit, VKO_KEY_LINE_END, true);
    key(edit, ' ');
    key(edit, 22); // Ctrl+V as the display delivers it
    EXPECT_EQ(title_of(edit), "copy me copy me");
    key(edit, 1);  // Ctrl+A
    key(edit, 24); // Ctrl+X
    EXPECT_EQ(title_of(edit), "");
    // A password field gives nothing to the clipboard.
    vkok_scr_set_focus_vobj(secret);
    key(secret, 1);
    key(secret, 3);
    vkok_scr_set_focus_vobj(edit);
    key(edit, 22);
    EXPECT_EQ(title_of(edit), "copy me copy me");
    // A read-only field selects and copies but keeps its text.
    vkotest::seen().clear();
    vkok_scr_set_focus_vobj(fixed);
    key(fixed, 'z');
    key(fixed, 8);
    key(fixed, 22);
    EXPECT_EQ(title_of(fixed), "fixed");
    key(fixed, 1);
    key(fixed, 3);
    vkok_scr_set_focus_vobj(edit);
    key(edit, 1);
    key(edit, 22);
    EXPECT_EQ(title_of(edit), "fixed");
}

TEST_F(CtlInputTest, EditFieldSelectsWithTheMouseAndReportsItsFocus) {
    WINDOW edit = make(WC_EDIT, s_rct{10, 10, 32, 300}, "alpha beta gamma", 0, 7);
    WINDOW other = make(WC_PUSHBUTTON, s_rct{40, 10, 60, 100}, "Other");
    click(edit, s_pnt{10, 3}); // before the first letter
    EXPECT_EQ(sel_of(edit), (std::pair<int32_t, int32_t>{0, 0}));
    vkotest::double_click(
        edit, s_pnt{10, static_cast<int16_t>(4 + vkok_dwin_get_text_width(edit, "alpha be", -1))});
    EXPECT_EQ(sel_of(edit), (std::pair<int32_t, int32_t>{6, 10}));
    // Press in the field and drag to its end.
    vkotest::mouse(edit, E_MOUSE_DOWN, s_pnt{10, 3});
    vkotest::mouse(edit, E_MOUSE_MOVE, s_pnt{10, 290});
    vkotest::mouse(edit, E_MOUSE_UP, s_pnt{10, 290});
    EXPECT_EQ(sel_of(edit), (std::pair<int32_t, int32_t>{0, 16}));
    click(other, s_pnt{5, 5});
    const auto events = control_events(its_doc);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front().v.ctl.id, 7); // focus gained
    EXPECT_EQ(events.front().v.ctl.ci.v.edit.focus_change, 1);
    EXPECT_EQ(events.front().v.ctl.ci.v.edit.active, 1);
    const EVENT &lost = events[events.size() - 2]; // then the button's click
    EXPECT_EQ(lost.v.ctl.id, 7);
    EXPECT_EQ(lost.v.ctl.ci.v.edit.focus_change, 1);
    EXPECT_EQ(lost.v.ctl.ci.v.edit.active, 0);
}

TEST_F(CtlInputTest, MultiLineFieldWrapsAtWordBoundaries) {
    FONT_OBJ font = vkov_font_create(); // the controls' default font
    int32_t leading = 0, ascent = 0, descent = 0;
    vkok_font_get_metrics(font, &leading, &ascent, &descent);
    vkov_font_destroy(font);
    const int lh = ascent + descent;
    // Room for "alpha beta" and a little, not for "alpha beta gamma": text starts 4 pixels in.
    const int room = vkok_dwin_get_text_width(its_doc, "alpha beta", -1) + 6;
    const s_rct rct{10, 10, static_cast<int16_t>(10 + 4 + 4 * lh),
                    static_cast<int16_t>(10 + 8 + room)};
    struct Case {
        const char *why;
        const char *text;
        std::vector<Key> keys; // from the start of the text
        std::pair<int32_t, int32_t> sel;
    };
    const Case cases[] = {
        {"End stops at the end of the first line",
         "alpha beta gamma",
         {{VKO_KEY_LINE_END, true}},
         {10, 10}},
        {"Down goes on to the wrapped word",
         "alpha beta gamma",
         {{VKO_KEY_LINE_END, true}, {VKO_KEY_DOWN, true}},
         {16, 16}},
        {"Home on the wrapped line goes to its first word",
         "alpha beta gamma",
         {{VKO_KEY_TEXT_END, true}, {VKO_KEY_LINE_START, true}},
         {11, 11}},
        {"line breaks still break, and wrapped lines count as lines",
         "alpha beta gamma\nz",
         {{VKO_KEY_DOWN, true}, {VKO_KEY_DOWN, true}},
         {17, 17}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW edit = make(WC_EDIT, rct, c.text, VKO_CTL_MULTILINE);
        vkok_scr_set_focus_vobj(edit);
        vkok_ctl_set_text_sel(edit, 0, 0);
        for (const Key &k : c.keys)
            key(edit, k.ch, k.virt, k.shift, k.control);
        EXPECT_EQ(sel_of(edit), c.sel);
        vkok_vobj_destroy(edit);
    }
    // A word longer than a line is cut where it must be: the second line starts inside it.
    WINDOW word = make(WC_EDIT, rct, "abcdefghijklmnopqrstuvwxyzabcdefgh", VKO_CTL_MULTILINE);
    vkok_scr_set_focus_vobj(word);
    vkok_ctl_set_text_sel(word, 0, 0);
    key(word, VKO_KEY_DOWN, true);
    key(word, VKO_KEY_LINE_START, true);
    const int32_t second = sel_of(word).first;
    EXPECT_GT(second, 3);
    EXPECT_LT(second, 34);
    vkok_vobj_destroy(word);

    // The wrapped word is drawn on the second row, and a click there finds it.
    WINDOW edit = make(WC_EDIT, rct, "alpha beta gamma", VKO_CTL_MULTILINE);
    pump();
    auto ink_in_row = [&](int row) {
        int dark = 0;
        for (int y = 4 + row * lh; y < 4 + (row + 1) * lh; ++y)
            for (int x = 4; x < 4 + room; ++x)
                if ((vkov_debug_surface_pixel(edit, x, y) & 0xFF) < 0x80)
                    ++dark;
        return dark;
    };
    EXPECT_GT(ink_in_row(0), 0);
    EXPECT_GT(ink_in_row(1), 0);
    EXPECT_EQ(ink_in_row(2), 0);
    click(edit, s_pnt{static_cast<int16_t>(4 + lh + lh / 2), static_cast<int16_t>(room)});
    EXPECT_EQ(sel_of(edit), (std::pair<int32_t, int32_t>{16, 16}));
}

// A formatter over a pattern that, without auto-complete, leaves the field's selection as it
// was, so that the field places the caret itself.
struct Formatting {
    PATTERN pattern;
    bool auto_complete;
};

const char *format_edit(const char *text, int32_t *first, int32_t *last, void *data) {
    static char buf[256];
    const auto *f = static_cast<const Formatting *>(data);
    int32_t first_copy = *first, last_copy = *last;
    vkov_pattern_format_string(f->pattern, text, buf, sizeof buf, f->auto_complete ? TRUE : FALSE,
                               f->auto_complete ? first : &first_copy,
                               f->auto_complete ? last : &last_copy);
    return buf;
}

intptr_t format_list(const char *text, int32_t *first, int32_t *last, void *data) {
    const char *formatted = format_edit(text, first, last, data);
    return formatted[0] == '\0' ? -1 : reinterpret_cast<intptr_t>(formatted);
}

TEST_F(CtlInputTest, EditFieldFormatsWhatIsTypedWithItsFormatter) {
    struct Case {
        const char *why;
        const char *pattern;
        bool auto_complete;
        std::vector<Key> keys;
        const char *text;
        std::pair<int32_t, int32_t> sel;
    };
    const Case cases[] = {
        {"literals go in before the caret", "(999) 999", false,
         {{'1'}, {'2'}, {'3'}, {'4'}, {'5'}}, "(123) 45", {8, 8}},
        {"auto-complete puts the next literals after the caret", "(999) 999", true,
         {{'1'}, {'2'}, {'3'}}, "(123) ", {6, 6}},
        {"a character that fits nowhere is dropped", "99-99", false,
         {{'1'}, {'x'}, {'2'}, {'3'}}, "12-3", {4, 4}},
        {"letters take the pattern's case", "UU", false, {{'a'}, {'b'}}, "AB", {2, 2}},
        {"typing in the middle keeps the caret after what was typed", "999-999", false,
         {{'1'}, {'2'}, {'3'}, {'4'}, {VKO_KEY_LINE_START, true}, {VKO_KEY_RIGHT, true}, {'9'}},
         "192-34", {2, 2}},
        {"deleting is not formatted, so a put-in literal can be taken out", "(999) 999", true,
         {{'1'}, {'2'}, {'3'}, {8}, {8}}, "(123", {4, 4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        Formatting formatting{vkov_pattern_create(c.pattern), c.auto_complete};
        ASSERT_NE(formatting.pattern, nullptr);
        WINDOW edit = make(WC_EDIT, s_rct{10, 10, 32, 200}, "");
        edit->formatter = reinterpret_cast<intptr_t>(&format_edit);
        edit->formatter_data = reinterpret_cast<intptr_t>(&formatting);
        vkok_scr_set_focus_vobj(edit);
        vkotest::seen().clear();
        for (const Key &k : c.keys)
            key(edit, k.ch, k.virt, k.shift, k.control);
        EXPECT_EQ(title_of(edit), c.text);
        EXPECT_EQ(sel_of(edit), c.sel);
        vkok_vobj_destroy(edit);
        vkov_pattern_destroy(formatting.pattern);
    }
}

// A list box of ten fruits, four rows high, and where its rows lie.
class ListTest : public CtlInputTest {
protected:
    // On the test's document window unless another parent is given.
    WINDOW make_list(e_win_type type, uint32_t flags = 0, s_rct rct = s_rct{10, 10, 0, 150},
                     WINDOW parent = nullptr) {
        FONT_OBJ font = vkov_font_create(); // the controls' default font
        int32_t leading = 0, ascent = 0, descent = 0;
        vkok_font_get_metrics(font, &leading, &ascent, &descent);
        vkov_font_destroy(font);
        its_row = ascent + descent;
        if (rct.bottom == 0)
            rct.bottom = static_cast<int16_t>(rct.top + 4 + 4 * row());
        WINDOW list = parent != nullptr ? vkok_ctl_create(type, &rct, "", parent, flags, 0, 9)
                                        : make(type, rct, "", flags, 9);
        for (const char *item : {"apple", "banana", "cherry", "damson", "elder", "fig", "grape",
                                 "hazel", "iris", "juniper"})
            vkov_list_add(list, -1, item);
        return list;
    }
    int row() const { return its_row + 2; }
    // The middle of a row (0 = the first in view) of a list box.
    s_pnt at_row(int r) const { return s_pnt{static_cast<int16_t>(2 + r * row() + row() / 2), 20}; }
    std::vector<int> list_words(WINDOW win) const {
        std::vector<int> out;
        for (const EVENT &e : control_events(win))
            out.push_back(e.v.ctl.ci.v.lbox.dbl_click);
        return out;
    }
    int its_row = 16;
};

TEST_F(ListTest, ListBoxSelectsByClickAndReportsSelectionsAndDoubleClicks) {
    WINDOW list = make_list(WC_LBOX);
    click(list, at_row(2));
    EXPECT_EQ(vkok_list_get_sel_index(list), 2);
    EXPECT_EQ(vkok_scr_get_focus_vobj(), list);
    vkotest::double_click(list, at_row(3));
    EXPECT_EQ(vkok_list_get_sel_index(list), 3);
    EXPECT_EQ(vkok_list_count_sel(list), 1);
    // A selection, a selection, then the double click.
    EXPECT_EQ(list_words(its_doc), (std::vector<int>{0, 0, 1}));
}

TEST_F(ListTest, ListBoxKeysMoveTheSelectionAndScrollItIntoView) {
    WINDOW list = make_list(WC_LBOX);
    click(list, at_row(0));
    struct Step {
        Key key;
        int selected;
        int first_row; // the item in the first row afterwards
    };
    const Step steps[] = {
        {{VKO_KEY_DOWN, true}, 1, 0},
        {{VKO_KEY_PAGE_DOWN, true}, 4, 1},
        {{VKO_KEY_LINE_END, true}, 9, 6},
        {{VKO_KEY_UP, true}, 8, 6},
        {{VKO_KEY_LINE_START, true}, 0, 0},
        {{'g'}, 6, 3},
        {{'G'}, 6, 3}, // no other item starts with g: the selection stays
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.selected);
        key(list, s.key.ch, s.key.virt);
        EXPECT_EQ(vkok_list_get_sel_index(list), s.selected);
        vkotest::seen().clear();
        click(list, at_row(0));
        EXPECT_EQ(vkok_list_get_sel_index(list), s.first_row);
        key(list, VKO_KEY_LINE_START, true);
        for (int i = 0; i < s.selected; ++i)
            key(list, VKO_KEY_DOWN, true);
    }
}

// A list shown with nothing selected: the first arrow selects the item the focus rectangle
// stands on, the first one, and tells the parent; the keys that jump still jump.
TEST_F(ListTest, ListBoxWithoutASelectionTakesTheFirstArrowOnItsFocusItem) {
    struct Case {
        const char *why;
        Key key;
        int selected;
    };
    const Case cases[] = {
        {"Down", {VKO_KEY_DOWN, true}, 0},
        {"Up", {VKO_KEY_UP, true}, 0},
        {"Page Down", {VKO_KEY_PAGE_DOWN, true}, 3},
        {"End", {VKO_KEY_LINE_END, true}, 9},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW list = make_list(WC_LBOX);
        ASSERT_EQ(vkok_list_count_sel(list), 0);
        vkotest::seen().clear();
        key(list, c.key.ch, c.key.virt);
        EXPECT_EQ(vkok_list_get_sel_index(list), c.selected);
        EXPECT_EQ(list_words(its_doc), (std::vector<int>{0})) << "one selection told";
        // A second Down goes on from there.
        key(list, VKO_KEY_DOWN, true);
        EXPECT_EQ(vkok_list_get_sel_index(list), std::min(c.selected + 1, 9));
    }
}

TEST_F(ListTest, MultipleSelectionListTogglesWithControlAndExtendsWithShift) {
    WINDOW list = make_list(WC_LBOX, VKO_CTL_MULTI_SEL);
    click(list, at_row(1));
    click(list, at_row(3), true, false); // Shift: 1 to 3
    EXPECT_EQ(vkok_list_count_sel(list), 3);
    click(list, at_row(2), false, true); // Control: 2 off
    EXPECT_EQ(vkok_list_count_sel(list), 2);
    EXPECT_FALSE(vkok_list_is_sel(list, 2));
    key(list, ' '); // Space toggles the focus item back on
    EXPECT_TRUE(vkok_list_is_sel(list, 2));
    key(list, VKO_KEY_DOWN, true, true); // Shift+Down from the anchor (2) to 3
    EXPECT_EQ(vkok_list_count_sel(list), 2);
    EXPECT_TRUE(vkok_list_is_sel(list, 3));
    EXPECT_EQ(control_events(its_doc).size(), 5u);
    // A plain list box keeps one selection whatever the modifiers.
    WINDOW single = make_list(WC_LBOX, 0, s_rct{100, 10, 180, 150});
    click(single, at_row(0));
    click(single, at_row(2), true, false);
    EXPECT_EQ(vkok_list_count_sel(single), 1);
}

TEST_F(ListTest, ListBoxScrollsWithItsOwnBar) {
    WINDOW list = make_list(WC_LBOX);
    const int right = 150 - 10 - 2 - 8; // within the bar, left of the frame
    click(list, s_pnt{static_cast<int16_t>(4 * row()), static_cast<int16_t>(right)}); // down arrow
    vkotest::seen().clear();
    click(list, at_row(0));
    EXPECT_EQ(vkok_list_get_sel_index(list), 1);
    // Held, the arrow repeats on the clock to the last page.
    vkotest::mouse(list, E_MOUSE_DOWN,
                   s_pnt{static_cast<int16_t>(4 * row()), static_cast<int16_t>(right)});
    vkov_test_advance_clock(1000);
    vkotest::mouse(list, E_MOUSE_UP,
                   s_pnt{static_cast<int16_t>(4 * row()), static_cast<int16_t>(right)});
    click(list, at_row(0));
    EXPECT_EQ(vkok_list_get_sel_index(list), 6);
}

TEST_F(ListTest, ListBoxScrollsWithTheWheel) {
    WINDOW list = make_list(WC_LBOX);
    struct Case {
        const char *why;
        e_scroll_ctl what;
        int turns;
        int first_in_view;
    };
    const Case cases[] = {
        {"three lines down", SC_LINE_DOWN, 3, 3},
        {"up beyond the first item stops there", SC_LINE_UP, 5, 0},
        {"down beyond the last page stops there", SC_LINE_DOWN, 20, 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        for (int i = 0; i < c.turns; ++i) {
            EVENT ev{};
            ev.type = E_VSCROLL;
            ev.v.scroll.what = c.what;
            vkov_test_post_event(list, &ev);
        }
        vkotest::pump();
        click(list, at_row(0));
        EXPECT_EQ(vkok_list_get_sel_index(list), c.first_in_view);
    }
}

TEST_F(ListTest, ListButtonOpensItsListAndTheChoiceBecomesTheSelection) {
    WINDOW button = make_list(WC_LISTBUTTON, 0, s_rct{10, 10, 34, 150});
    vkok_list_set_sel(button, 0, TRUE);
    click(button, s_pnt{10, 140});
    WINDOW drop = vkov_win_get_pointer_trap();
    ASSERT_NE(drop, nullptr);
    EXPECT_GT(vkov_debug_draw_log_size(drop), 0);
    EXPECT_TRUE(control_events(its_doc).empty());
    const s_pnt third{static_cast<int16_t>(1 + 2 * row() + row() / 2), 20};
    click(drop, third);
    EXPECT_EQ(vkok_list_get_sel_index(button), 2);
    EXPECT_FALSE(vkov_vobj_is_valid(drop));
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
    EXPECT_EQ(control_events(its_doc).size(), 1u);
    // Escape closes the list without a choice; a click beside it too.
    click(button, s_pnt{10, 140});
    key(button, VKO_KEY_DOWN, true);
    key(button, 27);
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
    click(button, s_pnt{10, 140});
    drop = vkov_win_get_pointer_trap();
    click(drop, s_pnt{-50, -50});
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
    EXPECT_EQ(vkok_list_get_sel_index(button), 2);
    // Closed, the arrows move the selection at once.
    key(button, VKO_KEY_DOWN, true);
    EXPECT_EQ(vkok_list_get_sel_index(button), 3);
    EXPECT_EQ(control_events(its_doc).size(), 2u);
}

// Ten items, eight rows: the wheel over the open list brings the last two into view and
// stops there; the first row in view is then what a click on it chooses.
TEST_F(ListTest, DropDownListScrollsWithTheWheel) {
    WINDOW button = make_list(WC_LISTBUTTON, 0, s_rct{10, 10, 34, 150});
    vkok_list_set_sel(button, 0, TRUE);
    struct Case {
        const char *why;
        e_scroll_ctl what;
        int turns;
        int first_in_view;
    };
    const Case cases[] = {
        {"one line down", SC_LINE_DOWN, 1, 1},
        {"down past the last page stops there", SC_LINE_DOWN, 5, 2},
        {"up past the first item stops there", SC_LINE_UP, 5, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        click(button, s_pnt{10, 140});
        WINDOW drop = vkov_win_get_pointer_trap();
        ASSERT_NE(drop, nullptr);
        for (int i = 0; i < c.turns; ++i) {
            EVENT ev{};
            ev.type = E_VSCROLL;
            ev.v.scroll.what = c.what;
            vkov_test_post_event(drop, &ev);
        }
        vkotest::pump();
        ASSERT_EQ(vkov_win_get_pointer_trap(), drop) << "the wheel closed the list";
        click(drop, s_pnt{static_cast<int16_t>(1 + row() / 2), 20});
        EXPECT_EQ(vkok_list_get_sel_index(button), c.first_in_view);
        vkok_list_set_sel(button, 0, TRUE);
    }
}

// The lit row of an open drop-down list follows the pointer also when the wheel moves the rows
// under it: wheeled down and back, the row lit before is lit again.
TEST_F(ListTest, DropDownListLightsTheRowUnderThePointerWhenTheWheelTurns) {
    WINDOW button = make_list(WC_LISTBUTTON, 0, s_rct{10, 10, 34, 150});
    struct Case {
        const char *why;
        int pointer_row; // the row the pointer moved onto, -1 when it never came over the rows
        std::vector<e_scroll_ctl> turns;
        std::vector<int> lit; // the rows drawn lit then
    };
    const Case cases[] = {
        {"down: the row that came under the pointer", 0, {SC_LINE_DOWN}, {0}},
        {"down two over the fourth row", 3, {SC_LINE_DOWN, SC_LINE_DOWN}, {3}},
        {"down and back up: the current item again", 0, {SC_LINE_DOWN, SC_LINE_DOWN, SC_LINE_UP, SC_LINE_UP}, {0}},
        {"a pointer not over the rows: the current item, back in view", -1,
         {SC_LINE_DOWN, SC_LINE_DOWN, SC_LINE_UP, SC_LINE_UP}, {0}},
    };
    const auto middle = [this](int r) { return s_pnt{static_cast<int16_t>(1 + r * row() + row() / 2), 100}; };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkok_list_set_sel(button, 0, TRUE);
        click(button, s_pnt{10, 140});
        WINDOW drop = vkov_win_get_pointer_trap();
        ASSERT_NE(drop, nullptr);
        pump();
        // As it opens the current item, the first, is lit and the others are not.
        const std::uint32_t lit = vkov_debug_surface_pixel(drop, middle(0).h, middle(0).v) & 0xFFFFFFu;
        const std::uint32_t plain = vkov_debug_surface_pixel(drop, middle(1).h, middle(1).v) & 0xFFFFFFu;
        ASSERT_NE(lit, plain);
        if (c.pointer_row >= 0)
            vkotest::mouse(drop, E_MOUSE_MOVE, middle(c.pointer_row));
        for (const e_scroll_ctl what : c.turns) {
            EVENT ev{};
            ev.type = E_VSCROLL;
            ev.v.scroll.what = what;
            vkov_test_post_event(drop, &ev);
        }
        pump();
        std::vector<int> rows;
        for (int r = 0; r < 8; ++r)
            if ((vkov_debug_surface_pixel(drop, middle(r).h, middle(r).v) & 0xFFFFFFu) == lit)
                rows.push_back(r);
        EXPECT_EQ(rows, c.lit);
        key(button, 27);
        ASSERT_EQ(vkov_win_get_pointer_trap(), nullptr);
    }
}

TEST_F(ListTest, DropDownListIsAPopUpThatReachesPastItsWindow) {
    // The list's own window on the screen, as a control's rectangle on the screen.
    auto on_screen = [](WINDOW win) {
        s_rct r{};
        vkok_vobj_get_client_rect(win, &r);
        s_pnt corners[2] = {{r.top, r.left}, {r.bottom, r.right}};
        vkok_vobj_translate_points(win, NULL_WIN, corners, 2);
        return s_rct{corners[0].v, corners[0].h, corners[1].v, corners[1].h};
    };
    const s_rct doc = on_screen(its_doc);
    // At the foot of its window, the list hangs below the field and past the window.
    const int16_t foot = static_cast<int16_t>(doc.bottom - doc.top - 30);
    WINDOW low = make_list(WC_LISTBUTTON, 0, s_rct{foot, 10, static_cast<int16_t>(foot + 24), 150});
    click(low, s_pnt{10, 140});
    WINDOW drop = vkov_win_get_pointer_trap();
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(reinterpret_cast<intptr_t>(drop->parent),
              vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW));
    const s_rct field = on_screen(low);
    const s_rct list = on_screen(drop);
    EXPECT_GE(list.top, field.top + 10);
    EXPECT_GT(list.bottom, doc.bottom);
    EXPECT_EQ(list.left, field.left);
    // A click on a row beyond the window chooses it.
    click(drop, s_pnt{static_cast<int16_t>(list.bottom - list.top - row() / 2 - 1), 20});
    EXPECT_EQ(vkok_list_get_sel_index(low), 7);
    // Near the foot of the screen it opens above the field instead.
    s_rct screen{};
    vkok_vobj_get_client_rect(
        reinterpret_cast<WINDOW>(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW)), &screen);
    WINDOW low_doc = make_doc(s_rct{static_cast<int16_t>(screen.bottom - 100), 100,
                                    static_cast<int16_t>(screen.bottom - 10), 400});
    const s_rct middle{30, 10, 54, 150};
    WINDOW high = vkok_ctl_create(WC_LISTBUTTON, &middle, "", low_doc, 0, 0, 3);
    for (const char *item : {"one", "two", "three", "four", "five"})
        vkov_list_add(high, -1, item);
    pump();
    click(high, s_pnt{10, 140});
    drop = vkov_win_get_pointer_trap();
    ASSERT_NE(drop, nullptr);
    EXPECT_LE(on_screen(drop).bottom, on_screen(high).top + 1);
    EXPECT_GE(on_screen(drop).top, 0);
}

// A list button in a modal dialog: its drop-down list is a window of its own on the screen,
// yet the dialog's modal loop lets the list take clicks, while the other windows get nothing.
// The dialog's timer plays the user, one step a tick, while the loop runs.
struct ModalListScript {
    WINDOW list = nullptr;
    WINDOW other = nullptr;
    int row = 0;
    int step = 0;
    int chosen_by_click = -1;
    bool closed_by_outside_click = false;
    int chosen_at_end = -1;
};
ModalListScript *g_script = nullptr;

void post_input(WINDOW win, e_event type, s_pnt where, uint16_t ch = 0) {
    EVENT ev{};
    ev.type = type;
    if (type == E_CHAR)
        ev.v.chr.ch = ch;
    else
        ev.v.mouse.where = where;
    vkov_test_post_event(win, &ev);
}

int32_t scripted_dialog(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type != E_TIMER || g_script == nullptr)
        return 0;
    ModalListScript &s = *g_script;
    const s_pnt field{10, 140};
    switch (s.step++) {
    case 0: // open the list
    case 2:
        post_input(s.list, E_MOUSE_DOWN, field);
        post_input(s.list, E_MOUSE_UP, field);
        break;
    case 1: { // click the third row
        WINDOW drop = vkov_win_get_pointer_trap();
        const s_pnt third{static_cast<int16_t>(1 + 2 * s.row + s.row / 2), 20};
        if (drop != nullptr) {
            post_input(drop, E_MOUSE_DOWN, third);
            post_input(drop, E_MOUSE_UP, third);
        }
        break;
    }
    case 3: // the list is open again: a click in another window, and a key there
        s.chosen_by_click = vkok_list_get_sel_index(s.list);
        post_input(s.other, E_MOUSE_DOWN, s_pnt{5, 5});
        post_input(s.other, E_MOUSE_UP, s_pnt{5, 5});
        post_input(s.other, E_CHAR, s_pnt{}, 'x');
        break;
    default:
        s.closed_by_outside_click = vkov_win_get_pointer_trap() == nullptr;
        s.chosen_at_end = vkok_list_get_sel_index(s.list);
        vkok_vobj_destroy(win);
        break;
    }
    return 0;
}

TEST_F(ListTest, DropDownListOfAModalDialogTakesClicksWhileTheLoopRuns) {
    s_rct rct{20, 20, 200, 300};
    WINDOW dlg = vkok_win_create(W_MODAL, &rct, "Text size", 0, its_doc, 0, VKO_EVENT_MASK_ALL,
                                 scripted_dialog, 0);
    ASSERT_NE(dlg, nullptr);
    WINDOW list = make_list(WC_LISTBUTTON, 0, s_rct{10, 10, 34, 150}, dlg);
    ASSERT_NE(list, nullptr);
    vkok_list_set_sel(list, 0, TRUE);
    ModalListScript script{list, its_doc, row()};
    g_script = &script;
    vkov_timer_create(dlg, 10);
    vkotest::seen().clear();
    vkok_win_process_modal(dlg);
    g_script = nullptr;
    EXPECT_EQ(script.chosen_by_click, 2);
    EXPECT_TRUE(script.closed_by_outside_click) << "a click elsewhere closes the list";
    EXPECT_EQ(script.chosen_at_end, 2) << "and chooses nothing";
    for (const vkotest::Seen &seen : vkotest::seen()) {
        if (seen.win == its_doc) {
            EXPECT_TRUE(seen.event.type != E_CHAR && !(seen.event.type >= E_MOUSE_DOWN &&
                                                       seen.event.type <= E_MOUSE_DBL))
                << "the other window took input of type " << seen.event.type;
        }
    }
}

TEST_F(ListTest, ListEditTakesTypedTextAndTheChosenItem) {
    WINDOW edit = make_list(WC_LISTEDIT, 0, s_rct{10, 10, 34, 150});
    click(edit, s_pnt{10, 20});
    vkotest::type_text(edit, "fi");
    EXPECT_EQ(title_of(edit), "fi");
    click(edit, s_pnt{10, 130}); // the button
    WINDOW drop = vkov_win_get_pointer_trap();
    ASSERT_NE(drop, nullptr);
    key(edit, VKO_KEY_DOWN, true);
    key(edit, 13);
    EXPECT_EQ(title_of(edit), "banana");
    EXPECT_EQ(sel_of(edit), (std::pair<int32_t, int32_t>{0, 6}));
    // Focus, two letters, the choice: each text change reports focus-change word 0.
    std::vector<int> words;
    for (const EVENT &e : control_events(its_doc))
        words.push_back(e.v.ctl.ci.v.edit.focus_change);
    EXPECT_EQ(words, (std::vector<int>{1, 0, 0, 0}));
}

TEST_F(ListTest, ListEditFormatsTypedAndPastedTextAndEmptiesOnMinusOne) {
    Formatting formatting{vkov_pattern_create("99/99"), true};
    WINDOW edit = make_list(WC_LISTEDIT, 0, s_rct{10, 10, 34, 150});
    edit->formatter = reinterpret_cast<intptr_t>(&format_list);
    edit->formatter_data = reinterpret_cast<intptr_t>(&formatting);
    click(edit, s_pnt{10, 20});
    vkotest::seen().clear();
    vkotest::type_text(edit, "12");
    EXPECT_EQ(title_of(edit), "12/");
    // The parent hears of each change once, with the text already formatted.
    EXPECT_EQ(control_events(its_doc).size(), 2u);
    // A paste is formatted as a whole.
    ASSERT_TRUE(vkok_cb_open(TRUE));
    std::memcpy(vkok_cb_alloc_data(3), "3x4", 3);
    vkok_cb_put_data(CB_TEXT, nullptr, 3, nullptr);
    vkok_cb_close();
    key(edit, 22);
    EXPECT_EQ(title_of(edit), "12/34");
    EXPECT_EQ(sel_of(edit), (std::pair<int32_t, int32_t>{5, 5}));
    // Nothing of what is typed fits: the formatter answers -1 and the field is empty.
    key(edit, 1);
    key(edit, 'x');
    EXPECT_EQ(title_of(edit), "");
    vkov_pattern_destroy(formatting.pattern);
}

TEST_F(ListTest, SortedListKeepsItsItemsInOrder) {
    WINDOW list = make(WC_LBOX, s_rct{10, 10, 100, 150}, "", VKO_CTL_SORTED);
    for (const char *item : {"pear", "apple", "plum", "fig"})
        vkov_list_add(list, 0, item);
    std::vector<std::string> items;
    for (int i = 0; i < vkok_list_count_all(list); ++i) {
        char buf[32];
        vkok_list_get_elt(list, i, buf, sizeof buf);
        items.push_back(buf);
    }
    EXPECT_EQ(items, (std::vector<std::string>{"apple", "fig", "pear", "plum"}));
}

TEST_F(CtlInputTest, TabClickBringsItsPageToTheFrontAndTellsTheParent) {
    WINDOW nb = make(WC_NOTEBK, s_rct{10, 10, 200, 300}, "", 0, 25);
    for (int16_t t = 0; t < 3; ++t) {
        vkov_notebk_add_tab(nb, t, t == 0 ? "One" : t == 1 ? "Two" : "Three", nullptr);
        vkov_notebk_add_page(nb, t, 0, "", 0);
    }
    WINDOW face =
        vkov_notebk_create_face(nb, 1, 0, VKO_EVENT_MASK_ALL, vkotest::recording_handler, 0);
    ASSERT_NE(face, nullptr);
    // The face lies below the tabs, so a click on a tab reaches the notebook.
    s_rct frame{};
    vkok_vobj_get_outer_rect(face, &frame);
    EXPECT_GT(frame.top, 10);
    const int16_t tab_v = 8;
    const int16_t second_h = static_cast<int16_t>(2 + 12 + vkok_dwin_get_text_width(nb, "One", -1) +
                                                  10); // inside the second tab
    vkotest::seen().clear();
    click(nb, s_pnt{tab_v, second_h});
    int16_t tab = -1, page = -1;
    vkov_notebk_get_front_page(nb, &tab, &page);
    EXPECT_EQ(tab, 1);
    EXPECT_TRUE(vkok_vobj_get_flags(face) & VKO_OF_HIDDEN ? false : true);
    click(nb, s_pnt{tab_v, second_h}); // the front tab again: nothing new
    key(nb, VKO_KEY_RIGHT, true);
    vkov_notebk_get_front_page(nb, &tab, &page);
    EXPECT_EQ(tab, 2);
    key(nb, VKO_KEY_RIGHT, true); // no tab beyond the last
    const auto events = control_events(its_doc);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].v.ctl.ci.v.notebk.tab_no, 1);
    EXPECT_EQ(events[0].v.ctl.ci.v.notebk.page_no, 0);
    EXPECT_EQ(events[1].v.ctl.ci.v.notebk.tab_no, 2);
    EXPECT_TRUE(vkok_vobj_get_flags(face) & VKO_OF_HIDDEN);
}

TEST_F(CtlInputTest, TabsThatDoNotFitScrollWithTheirArrows) {
    WINDOW nb = make(WC_NOTEBK, s_rct{10, 10, 100, 120}, "");
    for (int16_t t = 0; t < 6; ++t) {
        vkov_notebk_add_tab(nb, t, "Wide tab", nullptr);
        vkov_notebk_add_page(nb, t, 0, "", 0);
    }
    vkotest::seen().clear();
    click(nb, s_pnt{8, 110}); // the right arrow: the row moves, the front page stays
    int16_t tab = -1, page = -1;
    vkov_notebk_get_front_page(nb, &tab, &page);
    EXPECT_EQ(tab, 0);
    click(nb, s_pnt{8, 10}); // now the first tab in view is the second one
    vkov_notebk_get_front_page(nb, &tab, &page);
    EXPECT_EQ(tab, 1);
    EXPECT_EQ(control_events(its_doc).size(), 1u);
}

// The window's own scroll bars, found among its children.
WINDOW window_bar(WINDOW win, e_win_type type) {
    for (WINDOW kid : win->internal->children)
        if (kid->internal->window_bar && kid->type == type)
            return kid;
    return nullptr;
}

BOOLEAN count_child(WINDOW, intptr_t data) {
    ++*reinterpret_cast<int *>(data);
    return TRUE;
}

TEST_F(CtlInputTest, WindowsOwnBarsSendScrollEventsAndFollowItsSize) {
    const s_rct rct{50, 50, 250, 350};
    WINDOW doc = vkok_win_create(W_DOC, &rct, "bars", 0, nullptr, VKO_WSF_HSCROLL | VKO_WSF_VSCROLL,
                                 VKO_EVENT_MASK_ALL, vkotest::recording_handler, 0);
    vkok_sbar_set_range(doc, VKO_SBAR_VERT, 0, 100);
    vkok_sbar_set_proportion(doc, VKO_SBAR_VERT, 10);
    vkok_sbar_set_pos(doc, VKO_SBAR_VERT, 30);
    WINDOW vbar = window_bar(doc, WC_VSCROLL);
    WINDOW hbar = window_bar(doc, WC_HSCROLL);
    ASSERT_NE(vbar, nullptr);
    ASSERT_NE(hbar, nullptr);
    pump();
    // The bars lie along the right and bottom edges, leaving the corner free.
    s_rct outer{};
    vkok_vobj_get_outer_rect(vbar, &outer);
    EXPECT_EQ(outer.right, 300);
    EXPECT_EQ(outer.bottom, 200 - 16);
    EXPECT_EQ(vkov_debug_surface_pixel(doc, 287, 3) & 0xFFFFFF, 0xC0C0C0u);
    vkotest::seen().clear();
    click(vbar, s_pnt{176, 8}); // the down arrow
    click(hbar, s_pnt{8, 5});   // the left arrow
    std::vector<std::pair<int, int>> scrolls;
    for (const auto &seen : vkotest::seen())
        if (seen.win == doc && (seen.event.type == E_VSCROLL || seen.event.type == E_HSCROLL))
            scrolls.emplace_back(seen.event.type * 10 + seen.event.v.scroll.what,
                                 seen.event.v.scroll.pos);
    EXPECT_EQ(scrolls, (std::vector<std::pair<int, int>>{{E_VSCROLL * 10 + SC_LINE_DOWN, 31},
                                                         {E_HSCROLL * 10 + SC_LINE_UP, 0}}));
    EXPECT_TRUE(control_events(doc).empty());
    // The bars are the window's frame: no child of the window, no stop for the focus.
    int children = 0;
    vkov_win_enum_wins(doc, count_child, reinterpret_cast<intptr_t>(&children), 0);
    EXPECT_EQ(children, 0);
    EXPECT_FALSE(vkok_vobj_is_focusable(vbar));
    const s_rct bigger{50, 50, 350, 550};
    vkok_vobj_move(doc, &bigger);
    vkok_vobj_get_outer_rect(hbar, &outer);
    EXPECT_EQ(outer.top, 300 - 16);
    EXPECT_EQ(outer.right, 500 - 16);
}

// A dialog from definitions: an edit field, a radio group, a check box, OK (default) and
// Cancel.
class DialogTest : public vkotest::CoreTest {
protected:
    WINDOW make_dialog() {
        s_win_def def[8] = {};
        def[0].type = W_MODELESS;
        def[0].rct = s_rct{50, 50, 250, 350};
        def[0].text = const_cast<char *>("Find");
        auto entry = [&](int i, e_win_type type, s_rct rct, const char *text, int16_t id,
                         uint32_t flags) {
            def[i].type = type;
            def[i].rct = rct;
            def[i].text = const_cast<char *>(text);
            def[i].id = id;
            def[i].ctl_flags = flags;
        };
        entry(1, WC_EDIT, s_rct{10, 10, 30, 200}, "word", 10, 0);
        entry(2, WC_RADIOBUTTON, s_rct{40, 10, 60, 200}, "Exact", 11, 0);
        entry(3, WC_RADIOBUTTON, s_rct{60, 10, 80, 200}, "Similar", 12, 0);
        entry(4, WC_CHECKBOX, s_rct{90, 10, 110, 200}, "Whole words", 13, VKO_CTL_DISABLED);
        entry(5, WC_PUSHBUTTON, s_rct{150, 10, 175, 90}, "OK", 1, VKO_CTL_DEFAULT);
        entry(6, WC_PUSHBUTTON, s_rct{150, 100, 175, 190}, "Cancel", 2, VKO_CTL_CANCEL);
        WINDOW dlg =
            vkok_win_create_def(def, nullptr, VKO_EVENT_MASK_ALL, vkotest::recording_handler, 0);
        EXPECT_NE(dlg, nullptr);
        pump();
        vkotest::seen().clear();
        return dlg;
    }
    static int16_t focused_id() {
        return static_cast<int16_t>(vkok_ctl_get_id(vkok_scr_get_focus_vobj()));
    }
};

TEST_F(DialogTest, TabAndShiftTabWalkTheFocusableControlsInDefinitionOrder) {
    WINDOW dlg = make_dialog();
    EXPECT_EQ(focused_id(), 10); // the first control takes the focus
    std::vector<int16_t> order;
    for (int i = 0; i < 5; ++i) {
        key(vkok_scr_get_focus_vobj(), 9);
        order.push_back(focused_id());
    }
    // The disabled check box is skipped; the walk wraps round.
    EXPECT_EQ(order, (std::vector<int16_t>{11, 12, 1, 2, 10}));
    key(vkok_scr_get_focus_vobj(), VKO_KEY_BACK_TAB, true);
    EXPECT_EQ(focused_id(), 2);
    key(vkok_scr_get_focus_vobj(), 9, false, true); // Shift+Tab
    EXPECT_EQ(focused_id(), 1);
    // The dialog's handler never saw the navigation keys.
    for (const auto &s : vkotest::seen())
        EXPECT_FALSE(s.win == dlg && s.event.type == E_CHAR);
}

TEST_F(DialogTest, ArrowsMoveWithinTheRadioGroupAndChooseTheButton) {
    WINDOW dlg = make_dialog();
    WINDOW exact = vkok_win_get_ctl(dlg, 11);
    vkok_scr_set_focus_vobj(exact);
    vkotest::seen().clear();
    key(exact, VKO_KEY_DOWN, true);
    EXPECT_EQ(focused_id(), 12);
    key(vkok_scr_get_focus_vobj(), VKO_KEY_DOWN, true); // wraps within the group
    EXPECT_EQ(focused_id(), 11);
    const auto events = control_events(dlg);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].v.ctl.id, 12);
    EXPECT_EQ(events[1].v.ctl.id, 11);
}

TEST_F(DialogTest, EnterPressesTheDefaultOrFocusedButtonAndEscapeTheCancelButton) {
    struct Case {
        const char *why;
        int16_t focus_id;
        uint16_t ch;
        int16_t pressed; // 0: no button
    };
    const Case cases[] = {
        {"Enter in the field presses the default button", 10, 13, 1},
        {"Enter on a focused push button presses it", 2, 13, 2},
        {"Escape presses the cancel button", 10, 27, 2},
        {"a letter presses nothing", 11, 'a', 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW dlg = make_dialog();
        WINDOW focus = vkok_win_get_ctl(dlg, c.focus_id);
        vkok_scr_set_focus_vobj(focus);
        vkotest::seen().clear();
        key(focus, c.ch);
        const auto events = control_events(dlg);
        if (c.pressed == 0) {
            EXPECT_TRUE(events.empty());
        } else {
            ASSERT_EQ(events.size(), 1u);
            EXPECT_EQ(events[0].v.ctl.id, c.pressed);
        }
        vkok_vobj_destroy(dlg);
    }
}

} // namespace
