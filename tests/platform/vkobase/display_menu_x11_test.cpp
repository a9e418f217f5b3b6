// display_menu_x11_test.cpp: the menu bar, function keys and the wheel end to end under a
// private Xvfb, with real input from the XTest extension: the program's window shows its menu
// bar, a press on a title opens its menu, a release on an item sends the window its menu event;
// a function key arrives with its code; a wheel turn over a list box scrolls it; at the end the
// display's cairo device is left to be freed. Pictures of
// the window with its menu open are kept for people to look at when VKO_GALLERY_DIR is set.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cairo.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/menu_internal.h"
#include "../../../platform/vkobase/src/display_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xvfb_fixture.h"

namespace {

constexpr char kMenus[] = R"(
menu 1 {
  popup "&File" {
    item 32001 "&New Window"
    separator
    popup "&Print" {
      item 3 "&Entry Text" off
      item 4 "&Results List"
    }
    item 32003 "&Close"
    item 32009 "E&xit\tAlt+F4"
  }
  popup "&Edit" {
    item 8 "&Copy\tCtrl+C" off
    item 32031 "Se&lect All" checked
  }
  popup "&Help" right {
    item 32462 "&Contents and Index\tAlt+F1"
    item 66 "About This Product"
  }
}
menu 124 {
  popup 125 "Entry Popup" {
    item 126 "Open in new window..."
    separator
    item 127 "Find in"
  }
}
)";

constexpr s_rct kDocRect{120, 200, 420, 700};
constexpr s_rct kListRect{40, 20, 200, 220};

// The picture taken with the menu open: the bar above the client area with File highlighted,
// the pull-down below it and the submenu with the item under the pointer.
const std::vector<vkotest::ScreenPixel> kMenuOpen = {
    {"the open title", kDocRect.left + 6, kDocRect.top - 10, 0x0A246Au},
    {"the bar's face beside the titles", kDocRect.left + 300, kDocRect.top - 10, 0xE4E4E4u},
    {"the client area below the menus", kDocRect.left + 400, kDocRect.top + 200, 0xFFFFFFu},
};

struct Child {
    std::string log;
    std::string shot_dir;
    WINDOW doc = nullptr;
    WINDOW list = nullptr;
    int step = 0;
    vkotest::StepClock clock; // a step that waits too long stops the run
    cairo_device_t *device = nullptr; // a reference of the child's own
};

Child &child() {
    static Child c;
    return c;
}

void append_log(const std::string &line) {
    vkotest::append_line(child().log, line);
}

// Real input through the server, from a connection of its own.
void fake(const std::vector<std::pair<char, int>> &actions, s_pnt at = s_pnt{}) {
    Display *dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr)
        return;
    for (const auto &[kind, value] : actions) {
        switch (kind) {
        case 'm':
            XTestFakeMotionEvent(dpy, -1, at.h, at.v, CurrentTime);
            break;
        case 'p':
            XTestFakeButtonEvent(dpy, static_cast<unsigned>(value), True, CurrentTime);
            break;
        case 'r':
            XTestFakeButtonEvent(dpy, static_cast<unsigned>(value), False, CurrentTime);
            break;
        case 'k':
            XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, static_cast<KeySym>(value)), True,
                              CurrentTime);
            XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, static_cast<KeySym>(value)), False,
                              CurrentTime);
            break;
        default:
            break;
        }
    }
    XSync(dpy, False);
    XCloseDisplay(dpy);
}

s_pnt centre(const s_rct &r) {
    return s_pnt{static_cast<std::int16_t>((r.top + r.bottom) / 2),
                 static_cast<std::int16_t>((r.left + r.right) / 2)};
}

// Whether the window's X window is on the screen (a press before would land on the root).
bool shows(WINDOW win) {
    Display *dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr)
        return false;
    XWindowAttributes a{};
    const Window xwin = vkobase::display_xwindow_of(win);
    const bool viewable =
        xwin != 0 && XGetWindowAttributes(dpy, xwin, &a) != 0 && a.map_state == IsViewable;
    XCloseDisplay(dpy);
    return viewable;
}

void shot(const char *name) {
    vkov_display_screenshot((child().shot_dir + "/" + name).c_str());
}

// The script, one step per timer tick once the step before has shown its effect.
void next_step() {
    Child &c = child();
    switch (c.step) {
    case 0: // once the window shows, press on the File title and hold
        if (!shows(c.doc))
            return;
        fake({{'m', 0}, {'p', 1}}, centre(vkobase::menu::title_rect(c.doc, 0)));
        c.step = 1;
        break;
    case 1: // the menu is open: drag onto the Print item, its submenu opens
        if (vkobase::menu::level_count() < 1)
            return;
        fake({{'m', 0}}, centre(vkobase::menu::item_rect(0, 2)));
        c.step = 2;
        break;
    case 2:
        if (vkobase::menu::level_count() < 2)
            return;
        fake({{'m', 0}}, centre(vkobase::menu::item_rect(1, 1)));
        c.step = 3;
        break;
    case 3: // look at it once it is drawn, then release on "Results List"
        if (!vkotest::screen_shows_all(child().shot_dir + "/menu_open.png", kMenuOpen))
            return;
        fake({{'r', 1}}, centre(vkobase::menu::item_rect(1, 1)));
        c.step = 4;
        break;
    case 5: // a function key
        fake({{'k', XK_F5}});
        c.step = 6;
        break;
    case 7: // a wheel turn over the list box
        fake({{'m', 0}, {'p', 5}, {'r', 5}},
             s_pnt{static_cast<std::int16_t>(kDocRect.top + kListRect.top + 50),
                   static_cast<std::int16_t>(kDocRect.left + kListRect.left + 50)});
        c.step = 8;
        break;
    case 9: // Alt alone highlights the bar; Left wraps to Help, Enter opens it, Enter chooses
        fake({{'k', XK_Alt_L}, {'k', XK_Left}, {'k', XK_Return}, {'k', XK_Return}});
        c.step = 10;
        break;
    case 11: // a right click in the window pops a menu up there
        fake({{'m', 0}, {'p', 3}, {'r', 3}}, s_pnt{static_cast<std::int16_t>(kDocRect.top + 220), static_cast<std::int16_t>(kDocRect.left + 300)});
        c.step = 12;
        break;
    case 13: // (inside the pop-up's loop) click its last item
        if (vkobase::menu::level_count() < 1)
            return;
        shot("popup_open.png");
        fake({{'m', 0}, {'p', 1}, {'r', 1}}, centre(vkobase::menu::item_rect(0, 2)));
        c.step = 14;
        break;
    default:
        break;
    }
}

int32_t doc_handler(WINDOW win, EVENT *ev) {
    switch (ev->type) {
    case E_TIMER:
        if (child().device == nullptr && vkobase::display_cairo_device() != nullptr)
            child().device = cairo_device_reference(vkobase::display_cairo_device());
        // A busy machine may take long for a step; only a script that stops moving on for
        // long has stalled: end, and let the checks tell.
        if (child().clock.stalled(child().step))
            vkov_app_destroy();
        else
            next_step();
        break;
    case E_COMMAND:
        append_log("menu " + std::to_string(ev->v.cmd.tag));
        child().step = 5;
        if (ev->v.cmd.tag == 32462) {
            // The title went to the server as UTF-8.
            Display *dpy = XOpenDisplay(nullptr);
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, left = 0;
            unsigned char *data = nullptr;
            XGetWindowProperty(dpy, vkobase::display_xwindow_of(child().doc),
                               XInternAtom(dpy, "_NET_WM_NAME", False), 0, 256, False,
                               XInternAtom(dpy, "UTF8_STRING", False), &type, &format, &count,
                               &left, &data);
            append_log("title " + std::string(reinterpret_cast<char *>(data), count));
            XFree(data);
            XCloseDisplay(dpy);
            child().step = 11;
        }
        break;
    case E_MOUSE_DOWN:
        if (ev->v.mouse.button == 1 && child().step == 12) {
            child().step = 13;
            MENU_TREE tree = vkov_res_get_menu(124);
            const std::int16_t tag = vkok_menu_popup(tree[0].child, win, ev->v.mouse.where, 0, 0);
            vkov_res_free_menu_tree(tree);
            append_log("popup " + std::to_string(tag));
            vkov_app_destroy();
        }
        break;
    case E_CHAR:
        append_log("key " + std::to_string(ev->v.chr.ch) + " " + std::to_string(ev->v.chr.virt));
        child().step = 7;
        break;
    default:
        break;
    }
    return 0;
}

int32_t list_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_VSCROLL) {
        if (child().step == 8)
            append_log("scroll " + std::to_string(ev->v.scroll.what));
        child().step = 9;
    }
    return 0;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE) {
        Child &c = child();
        c.doc = vkok_win_create(W_DOC, &kDocRect, "Menu test \x96 \xe9t\xe9", 1, NULL_WIN, 0,
                                VKO_EVENT_MASK_ALL, doc_handler, 0);
        c.list = vkok_win_create(WC_LBOX, &kListRect, "", 0, c.doc, 0, VKO_EVENT_MASK_ALL,
                                 list_handler, 0);
        vkok_scr_set_focus_vobj(c.doc);
        vkov_timer_create(c.doc, 150);
    }
    return 0;
}

// Once the display is closed, nothing but the child's own reference holds the cairo device of
// the X surfaces (else it is never freed).
void count_device_holders() {
    cairo_device_t *device = child().device;
    const unsigned held = device != nullptr ? cairo_device_get_reference_count(device) : 0;
    append_log("device holders after the close " + std::to_string(held - 1));
    if (device != nullptr)
        cairo_device_destroy(device);
}

[[noreturn]] void run_program(const std::string &display) {
    vkov_res_register_text("menus", kMenus);
    vkotest::run_program(display, task_handler, count_device_holders);
}

using DisplayMenuX11 = vkotest::XvfbTest;

TEST_F(DisplayMenuX11, MenuByMouseFunctionKeyWheelMenuByKeysAndUtf8Title) {
    child().log = file("events.txt");
    const char *gallery = std::getenv("VKO_GALLERY_DIR");
    child().shot_dir = gallery != nullptr ? gallery : dir();

    const pid_t pid = vkotest::fork_child();
    ASSERT_GE(pid, 0);
    if (pid == 0)
        run_program(display());
    ASSERT_EQ(vkotest::wait_for(pid), 0) << "the program ended by itself";

    const std::vector<std::string> lines = vkotest::read_lines(child().log);
    const std::vector<std::string> expected = {
        "menu 4",     // "Results List" from the Print submenu
        "key 332 1",  // F5, virtual
        "scroll 2",   // the wheel turned down: a line down (three times)
        "menu 32462", // chosen with the keyboard after Alt alone
        "title Menu test \xe2\x80\x93 \xc3\xa9t\xc3\xa9",
        "popup 127", // the pop-up's item clicked where the menu appeared
        "device holders after the close 0",
    };
    EXPECT_EQ(lines, expected);

    const vkotest::Shot image(child().shot_dir + "/menu_open.png");
    ASSERT_EQ(image.status(), CAIRO_STATUS_SUCCESS);
    vkotest::expect_shows(image, kMenuOpen);
}

} // namespace
