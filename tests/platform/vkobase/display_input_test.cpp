// display_input_test.cpp: how X input reads as the toolkit's input (keys, buttons, the window
// under a point), and that tests stay headless whatever DISPLAY says.
#include <X11/keysym.h>

#include <cstdlib>
#include <cstring>

#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/window_internal.h"
#include "core_test_support.h"
#include "vkobase/display_debug.h"

namespace {

using vkotest::CoreTest;

constexpr unsigned kShift = vkobase::kXShift;
constexpr unsigned kCtrl = vkobase::kXControl;
constexpr unsigned kAlt = vkobase::kXMod1;
constexpr unsigned kNumLock = vkobase::kXMod2;

TEST(DisplayKeys, Translate_NavigationKeypadAndCharacters) {
    struct Case {
        const char *why;
        unsigned long keysym;
        unsigned state;
        const char *text;
        bool makes_event;
        std::uint16_t ch;
        std::int16_t virt;
        std::int16_t shift;
        std::int16_t control;
        std::uint32_t modifiers;
    };
    const Case cases[] = {
        {"up arrow is virtual 301", XK_Up, 0, "", true, 301, 1, 0, 0, 0},
        {"left arrow with shift keeps its code and says shift", XK_Left, kShift, "", true, 304, 1,
         1, 0, 2},
        {"control-left moves by words", XK_Left, kCtrl, "", true, 313, 1, 0, 1, 4},
        {"control-right moves by words", XK_Right, kCtrl, "", true, 314, 1, 0, 1, 4},
        {"home is line start", XK_Home, 0, "", true, 307, 1, 0, 0, 0},
        {"control-end is text end", XK_End, kCtrl, "", true, 310, 1, 0, 1, 4},
        {"page down", XK_Next, 0, "", true, 306, 1, 0, 0, 0},
        {"delete is virtual 317, not the lookup's DEL character", XK_Delete, 0, "\x7f", true, 317,
         1, 0, 0, 0},
        {"insert toggles overtype as 312", XK_Insert, 0, "", true, 312, 1, 0, 0, 0},
        {"shift-tab arrives as back-tab", XK_ISO_Left_Tab, kShift, "", true, 315, 1, 1, 0, 2},
        {"plain tab is the character 9", XK_Tab, 0, "\t", true, 9, 0, 0, 0, 0},
        {"keypad 7 with num lock is virtual 325", XK_KP_7, kNumLock, "7", true, 325, 1, 0, 0, 0},
        {"keypad left without num lock is virtual 378", XK_KP_Left, 0, "", true, 378, 1, 0, 0, 0},
        {"keypad down is virtual 381", XK_KP_Down, 0, "", true, 381, 1, 0, 0, 0},
        {"keypad star is virtual 372", XK_KP_Multiply, kNumLock, "*", true, 372, 1, 0, 0, 0},
        {"keypad point is virtual 376", XK_KP_Decimal, kNumLock, ".", true, 376, 1, 0, 0, 0},
        {"keypad enter is Return", XK_KP_Enter, 0, "\r", true, 13, 0, 0, 0, 0},
        {"escape is 27", XK_Escape, 0, "\x1b", true, 27, 0, 0, 0, 0},
        {"backspace is 8", XK_BackSpace, 0, "\b", true, 8, 0, 0, 0, 0},
        {"a letter is its character", XK_a, 0, "a", true, 'a', 0, 0, 0, 0},
        {"shifted letter comes from the lookup text", XK_A, kShift, "A", true, 'A', 0, 1, 0, 2},
        {"alt sets modifier 8 only", XK_x, kAlt, "x", true, 'x', 0, 0, 0, 8},
        {"Latin-1 letter keeps its byte", XK_eacute, 0, "\xe9", true, 0xE9, 0, 0, 0, 0},
        {"euro sign becomes the Windows-1252 byte 0x80", XK_EuroSign, 0, "", true, 0x80, 0, 0, 0,
         0},
        {"Unicode keysym of a Windows-1252 character", 0x01002014ul, 0, "", true, 0x97, 0, 0, 0, 0},
        {"a character outside Windows-1252 makes no event", 0x01000416ul, 0, "", false, 0, 0, 0, 0,
         0},
        {"a modifier alone makes no event", XK_Shift_L, kShift, "", false, 0, 0, 0, 0, 0},
        {"F1 is virtual 328", XK_F1, 0, "", true, 328, 1, 0, 0, 0},
        {"F12 with control is virtual 339", XK_F12, kCtrl, "", true, 339, 1, 0, 1, 4},
        {"F5 with alt keeps its code", XK_F5, kAlt, "", true, 332, 1, 0, 0, 8},
        {"a function key beyond F12 makes no event", XK_F13, 0, "", false, 0, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        s_char out{};
        out.ch = 0xBEEF;
        const int len = static_cast<int>(std::strlen(c.text));
        ASSERT_EQ(vkobase::display_translate_key(c.keysym, c.state, c.text, len, &out),
                  c.makes_event);
        if (!c.makes_event) {
            EXPECT_EQ(out.ch, 0xBEEF) << "the record is left alone";
            continue;
        }
        EXPECT_EQ(out.ch, c.ch);
        EXPECT_EQ(out.virt, c.virt);
        EXPECT_EQ(out.shift, c.shift);
        EXPECT_EQ(out.control, c.control);
        EXPECT_EQ(out.modifiers, c.modifiers);
    }
}

TEST(DisplayKeys, MouseButtons_LeftRightMiddleAndNoWheel) {
    EXPECT_EQ(vkobase::display_mouse_button(1), 0);
    EXPECT_EQ(vkobase::display_mouse_button(3), 1);
    EXPECT_EQ(vkobase::display_mouse_button(2), 2);
    EXPECT_EQ(vkobase::display_mouse_button(4), -1) << "wheel up";
    EXPECT_EQ(vkobase::display_mouse_button(5), -1) << "wheel down";
}

class DisplayTest : public CoreTest {};

TEST_F(DisplayTest, Wheel_ScrollsTheWindowUnderThePointer) {
    WINDOW doc = make_doc();
    WINDOW list = make_child(doc, s_rct{10, 10, 100, 100}, WC_LBOX);
    WINDOW vbar = make_child(doc, s_rct{10, 110, 100, 126}, WC_VSCROLL);
    WINDOW hbar = make_child(doc, s_rct{110, 10, 126, 100}, WC_HSCROLL);
    ASSERT_NE(hbar, nullptr);
    struct Case {
        const char *why;
        WINDOW under;
        unsigned button;
        WINDOW target;
        e_event type;
        e_scroll_ctl what;
    };
    const Case cases[] = {
        {"wheel up over a list box", list, 4, list, E_VSCROLL, SC_LINE_UP},
        {"wheel down over a document", doc, 5, doc, E_VSCROLL, SC_LINE_DOWN},
        {"sideways over a document scrolls it across", doc, 7, doc, E_HSCROLL, SC_LINE_DOWN},
        {"a vertical scroll bar tells its parent, as a click on its arrow",
         vbar, 5, doc, E_CONTROL, SC_LINE_DOWN},
        {"a horizontal bar takes the sideways wheel", hbar, 6, doc, E_CONTROL, SC_LINE_UP},
        {"a horizontal bar under the plain wheel scrolls as a window", hbar, 4, hbar, E_VSCROLL,
         SC_LINE_UP},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW target = nullptr;
        EVENT ev{};
        ASSERT_TRUE(vkobase::display_wheel_event(c.under, c.button, &target, &ev));
        EXPECT_EQ(target, c.target);
        EXPECT_EQ(ev.type, c.type);
        if (c.type == E_CONTROL) {
            EXPECT_EQ(ev.v.ctl.ci.win, c.under);
            EXPECT_EQ(ev.v.ctl.ci.v.sbar.what, c.what);
        } else {
            EXPECT_EQ(ev.v.scroll.what, c.what);
        }
    }
    WINDOW target = nullptr;
    EVENT ev{};
    EXPECT_FALSE(vkobase::display_wheel_event(doc, 1, &target, &ev)) << "a plain button";
    EXPECT_FALSE(vkobase::display_wheel_event(nullptr, 4, &target, &ev));
}

TEST_F(DisplayTest, PointerShape_FollowsCursorIdsFieldsAndBusy) {
    WINDOW doc = make_doc();
    WINDOW edit = make_child(doc, s_rct{10, 10, 30, 100}, WC_EDIT);
    ASSERT_NE(edit, nullptr);
    using Shape = vkobase::PointerShape;
    EXPECT_EQ(vkobase::display_pointer_shape(doc, false), Shape::kArrow);
    EXPECT_EQ(vkobase::display_pointer_shape(edit, false), Shape::kIBeam);
    const std::pair<int, Shape> ids[] = {
        {VKO_CURSOR_SPLIT, Shape::kSplit}, {VKO_CURSOR_HELP, Shape::kHelp},
        {VKO_CURSOR_HAND, Shape::kHand},   {VKO_CURSOR_CROSS, Shape::kCross},
        {VKO_CURSOR_WAIT, Shape::kWait},   {VKO_CURSOR_IBEAM, Shape::kIBeam},
        {VKO_CURSOR_ARROW, Shape::kArrow}};
    for (const auto &[id, shape] : ids) {
        vkok_win_set_cursor(doc, static_cast<std::int16_t>(id));
        EXPECT_EQ(vkobase::display_pointer_shape(doc, false), shape) << id;
    }
    EXPECT_EQ(vkobase::display_pointer_shape(edit, true), Shape::kWait) << "busy wins";
}

TEST_F(DisplayTest, WindowAt_FindsTheDeepestShownChildAndItsPoint) {
    WINDOW doc = make_doc(s_rct{100, 100, 300, 400});
    WINDOW panel = make_child(doc, s_rct{10, 20, 110, 220});
    WINDOW button = make_child(panel, s_rct{5, 5, 25, 65}, WC_PUSHBUTTON);
    WINDOW hidden = make_child(doc, s_rct{150, 0, 200, 300});
    WINDOW front = make_child(doc, s_rct{150, 250, 190, 300}); // overlaps hidden, in front
    ASSERT_NE(button, nullptr);
    ASSERT_NE(front, nullptr);
    vkok_vobj_set_visible(hidden, FALSE);

    struct Case {
        const char *why;
        s_pnt at; // in doc's client area
        WINDOW win;
        s_pnt where;
    };
    const Case cases[] = {
        {"empty part of the document", {2, 2}, doc, {2, 2}},
        {"inside the panel, outside its button", {50, 150}, panel, {40, 130}},
        {"the button inside the panel", {20, 30}, button, {5, 5}},
        {"a hidden child is looked through", {160, 10}, doc, {160, 10}},
        {"a child in front of a hidden one", {160, 260}, front, {10, 10}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        s_pnt p = c.at;
        EXPECT_EQ(vkobase::display_window_at(doc, &p), c.win);
        EXPECT_EQ(p.v, c.where.v);
        EXPECT_EQ(p.h, c.where.h);
    }
}

TEST_F(DisplayTest, WindowAt_AListButtonTakesOnlyItsClosedField) {
    // A list button's frame also holds the room of its drop-down list, which opens in a
    // window of its own: below the field the window beneath takes the points.
    WINDOW doc = make_doc(s_rct{100, 100, 300, 400});
    for (e_win_type type : {WC_LISTBUTTON, WC_LISTEDIT}) {
        SCOPED_TRACE(type);
        WINDOW chooser = make_child(doc, s_rct{10, 10, 160, 200}, type);
        ASSERT_NE(chooser, nullptr);
        s_pnt field{15, 50};
        EXPECT_EQ(vkobase::display_window_at(doc, &field), chooser);
        s_pnt below{120, 50};
        EXPECT_EQ(vkobase::display_window_at(doc, &below), doc);
        EXPECT_EQ(below.v, 120);
        vkok_vobj_destroy(chooser);
    }
}

TEST_F(DisplayTest, OwnWindows_TopLevelsAndWindowsInTheTaskWindowButNoChildren) {
    WINDOW task = vkov_test_create_task_window(vkotest::recording_handler);
    WINDOW doc = make_doc();
    WINDOW inner = make_child(task, s_rct{10, 10, 100, 100}, W_DOC);
    WINDOW ctl = make_child(doc, s_rct{0, 0, 20, 60}, WC_PUSHBUTTON);
    const s_rct pixmap_rct{0, 0, 10, 10};
    WINDOW pixmap = vkok_win_create(W_PIXMAP, &pixmap_rct, "pixmap", 0, task, 0, VKO_EVENT_MASK_ALL,
                                    nullptr, 0);
    WINDOW sub = make_child(doc, s_rct{0, 0, 20, 60});
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(vkobase::display_has_own_window(task));
    EXPECT_TRUE(vkobase::display_has_own_window(doc));
    EXPECT_TRUE(vkobase::display_has_own_window(inner));
    EXPECT_FALSE(vkobase::display_has_own_window(ctl));
    EXPECT_FALSE(vkobase::display_has_own_window(sub));
    if (pixmap != nullptr) {
        EXPECT_FALSE(vkobase::display_has_own_window(pixmap));
    }
    EXPECT_FALSE(vkobase::display_has_own_window(vkobase::win_screen()));
    // A point of the task window over a window of its own is not the task's to deliver.
    s_pnt p{20, 20};
    EXPECT_EQ(vkobase::display_window_at(task, &p), task);
}

TEST_F(DisplayTest, Headless_InTestsEvenWithDisplaySet) {
    setenv("DISPLAY", ":99", 1);
    EXPECT_FALSE(vkobase::display_open());
    EXPECT_FALSE(vkov_display_is_open());
    EXPECT_FALSE(vkov_display_screenshot("/tmp/never-written.png"));
    WINDOW doc = make_doc();
    vkobase::display_pump();
    vkobase::display_flush();
    EXPECT_EQ(vkobase::display_xwindow_of(doc), 0u);
    EXPECT_FALSE(vkobase::display_wait(0));
}

} // namespace
