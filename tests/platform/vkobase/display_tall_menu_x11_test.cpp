// display_tall_menu_x11_test.cpp: a menu taller than the screen, under a private Xvfb with real
// input. One click on its title opens it below the bar, which stays in sight, and chooses
// nothing; the pointer resting on the arrow at its foot scrolls it to its last item, which a
// click then chooses. The program logs what happened and takes a screenshot with the menu open.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/menu_internal.h"
#include "../../../platform/vkobase/src/window_internal.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "xtest_hand.h"
#include "xvfb_fixture.h"

namespace {

constexpr int kItems = 60;
constexpr int kFirstTag = 400;
constexpr s_rct kDocRect{40, 100, 300, 600};
// The highlight of an open title.
constexpr std::uint32_t kHighlight = 0x0A246Au;

struct Child {
    std::string shot;
    WINDOW doc = nullptr;
    int step = 0;
    vkotest::StepClock clock; // a step that waits too long stops the run
};

Child &child() {
    static Child c;
    return c;
}

using vkotest::log;

s_pnt centre(const s_rct &r) {
    return s_pnt{static_cast<std::int16_t>((r.top + r.bottom) / 2),
                 static_cast<std::int16_t>((r.left + r.right) / 2)};
}

bool viewable(WINDOW win) {
    return vkobase::display_xwindow_of(win) != 0;
}

int32_t doc_handler(WINDOW, EVENT *ev) {
    Child &c = child();
    if (ev->type == E_COMMAND) {
        log("chose " + std::to_string(ev->v.cmd.tag));
        vkov_app_destroy();
        return 0;
    }
    if (ev->type != E_TIMER)
        return 0;
    if (c.clock.stalled(c.step)) {
        log("stalled at step " + std::to_string(c.step));
        vkov_app_destroy();
        return 0;
    }
    switch (c.step) {
    case 0: { // one click on the title
        if (!viewable(c.doc))
            return 0;
        const s_pnt at = centre(vkobase::menu::title_rect(c.doc, 0));
        vkotest::XTestHand().click(at.h, at.v);
        c.step = 1;
        return 0;
    }
    case 1: { // the menu is open below the bar: rest the pointer on the arrow at its foot
        if (vkobase::menu::level_count() != 1 || !viewable(vkobase::menu::level_window(0)))
            return 0;
        vkov_display_screenshot(c.shot.c_str());
        const s_rct title = vkobase::menu::title_rect(c.doc, 0);
        log("title " + std::to_string(title.left + 2) + " " + std::to_string(title.top + 3));
        log("open after a click on its title");
        WINDOW level = vkobase::menu::level_window(0);
        const s_pnt origin = vkobase::win_client_origin_on_screen(level);
        const s_rct client = vkobase::win_client_rect(level);
        vkotest::XTestHand().move(origin.h + client.right / 2, origin.v + client.bottom - 6);
        c.step = 2;
        return 0;
    }
    case 2: { // the last item came into view: click it
        const s_rct last = vkobase::menu::item_rect(0, kItems - 1);
        if (last.bottom == 0)
            return 0;
        log("the last item shows");
        const s_pnt at = centre(last);
        vkotest::XTestHand().click(at.h, at.v);
        c.step = 3;
        return 0;
    }
    default:
        return 0;
    }
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type != E_CREATE)
        return 0;
    std::string text = "menu 1 {\n  popup \"&Many\" {\n";
    for (int i = 0; i < kItems; ++i)
        text += "    item " + std::to_string(kFirstTag + i) + " \"Item " + std::to_string(i) + "\"\n";
    text += "  }\n}\n";
    vkov_res_register_text("tall", text.c_str());
    child().doc = vkok_win_create(W_DOC, &kDocRect, "Tall", 1, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                  doc_handler, 0);
    vkov_timer_create(child().doc, 100);
    return 0;
}

using DisplayTallMenuX11 = vkotest::XvfbTest;

TEST_F(DisplayTallMenuX11, OpensBelowItsBarAndScrollsToItsLastItem) {
    vkotest::log_path() = file("log.txt");
    child().shot = file("open.png");
    ASSERT_EQ(vkotest::run_in_child(display(), task_handler), 0);

    std::vector<std::string> lines = vkotest::read_lines(vkotest::log_path());
    ASSERT_FALSE(lines.empty());
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(lines.front().c_str(), "title %d %d", &x, &y), 2) << lines.front();
    lines.erase(lines.begin());
    EXPECT_EQ(lines, (std::vector<std::string>{"open after a click on its title", "the last item shows",
                                                "chose " + std::to_string(kFirstTag + kItems - 1)}));
    // The open title still shows on the bar: the menu lies below it.
    const vkotest::Shot open(child().shot);
    ASSERT_EQ(open.status(), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(open.pixel(x, y), kHighlight);
    if (const char *gallery = std::getenv("VKO_GALLERY_DIR"))
        cairo_surface_write_to_png(open.image(), (std::string(gallery) + "/tall_menu.png").c_str());
}

} // namespace
