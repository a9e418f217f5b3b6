// help_viewer_x11_test.cpp: the help viewer's search page on a private Xvfb, as a user meets it.
// A help file with more keywords than the viewer can show opens on its search page: a scroll
// bar stands beside the list; the wheel scrolls the list and the bar's thumb follows; typing a
// key that leaves a short list shows that list from its top, with no bar.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

#include "../vkobase/xvfb_test_support.h"
#include "vkobase/display_debug.h"
#include "vkobase/vkobase.h"
#include "win32/user.h"
#include "../../../platform/win32/src/help_viewer.h"

namespace {

struct Child {
    std::string dir;
    std::string help;
    int step = 0;
    vkotest::StepClock clock{60}; // past it a step goes on and the checks tell
};

Child &child() {
    static Child c;
    return c;
}

// The help file: 60 topics of a keyword each, two of them about spelling.
void write_help(const std::string &path) {
    std::ofstream out(path);
    out << "contents 1\n";
    for (int i = 1; i <= 60; ++i) {
        char keyword[32];
        std::snprintf(keyword, sizeof keyword, "topic %02d", i);
        const std::string key = i == 30 ? "spelling" : i == 31 ? "spelling help" : keyword;
        out << "topic " << i << " \"Topic " << i << "\"\nkeywords \"" << key << "\"\nText " << i
            << ".\n\n";
    }
}

void dispatch(WINDOW win, EVENT ev) { vkok_win_dispatch_event(win, &ev); }

// The viewer's page and bar on the screen.
struct Places {
    s_rct page{}, bar{};
    // The first lines of the page: the title and the first matches.
    s_rct head() const { return s_rct{page.top, page.left, static_cast<std::int16_t>(page.top + 80), page.right}; }
    int bar_area() const { return (bar.bottom - bar.top) * (bar.right - bar.left); }
};

Places places_of(WINDOW viewer) {
    s_rct client{};
    vkok_vobj_get_client_rect(viewer, &client);
    s_pnt corners[2] = {{0, 0}, {client.bottom, client.right}};
    vkok_vobj_translate_points(viewer, reinterpret_cast<WINDOW>(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW)),
                               corners, 2);
    const auto bar = static_cast<std::int16_t>(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_VSCROLL_WIDTH));
    // Below the toolbar (30 pixels): the page left of the bar's place, and the bar's place.
    const auto top = static_cast<std::int16_t>(corners[0].v + 30);
    return Places{s_rct{top, corners[0].h, corners[1].v, static_cast<std::int16_t>(corners[1].h - bar)},
                  s_rct{top, static_cast<std::int16_t>(corners[1].h - bar), corners[1].v, corners[1].h}};
}

// The places logged as "<what> top left bottom right".
void log_places(const Places &places) {
    for (const auto &[what, r] : {std::pair{"page", places.page}, std::pair{"bar", places.bar}})
        vkotest::log(std::string(what) + " " + std::to_string(r.top) + " " + std::to_string(r.left) + " " +
                     std::to_string(r.bottom) + " " + std::to_string(r.right));
}

// The pixels of the rectangle of a screenshot for which is() holds.
int count(cairo_surface_t *shot, const s_rct &r, bool (*is)(std::uint32_t)) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += is(vkotest::pixel(shot, x, y) & 0xFFFFFFu) ? 1 : 0;
    return n;
}

// The bar's face: a grey, neither the page's white nor the text's black.
bool grey(std::uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r == g && g == b && r >= 0x80 && r < 0xF0;
}

bool dark(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) < 0x60 && (rgb & 0xFF) < 0x60; }

// What the user sees at each step: the long list with its bar; the bar's thumb moved by the
// wheel (against the picture before); the short list from its top without a bar.
bool shows_bar(cairo_surface_t *shot, const Places &p) { return count(shot, p.bar, grey) > p.bar_area() / 3; }

int thumb_moved(cairo_surface_t *before, cairo_surface_t *after, const Places &p) {
    int moved = 0;
    for (int y = p.bar.top; y < p.bar.bottom; ++y)
        for (int x = p.bar.left; x < p.bar.right; ++x)
            moved += vkotest::pixel(before, x, y) != vkotest::pixel(after, x, y) ? 1 : 0;
    return moved;
}

bool shows_head(cairo_surface_t *shot, const Places &p) { return count(shot, p.head(), dark) > 50; }

bool shows_no_bar(cairo_surface_t *shot, const Places &p) { return count(shot, p.bar, grey) < p.bar_area() / 20; }

// One step per tick, each once the screen shows what the one before did.
int32_t main_handler(WINDOW, EVENT *ev) {
    if (ev->type != E_TIMER)
        return 0;
    Child &c = child();
    WINDOW viewer = win32::help::viewer_state().win;
    const bool late = c.clock.stalled(c.step);
    const Places places = viewer != nullptr ? places_of(viewer) : Places{};
    switch (c.step) {
    case 0: {
        static const char all[] = "";
        WinHelpA(nullptr, c.help.c_str(), HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(all));
        c.step = 1;
        break;
    }
    case 1:
        if (viewer == nullptr) {
            if (late)
                vkov_app_destroy(); // the viewer never opened: the checks tell
            break;
        }
        if (!vkotest::screen_shows(c.dir + "/list.png", [&](cairo_surface_t *shot) { return shows_bar(shot, places); }) &&
            !late)
            break;
        log_places(places);
        // The wheel, two notches down: the base library makes it the window's scroll events.
        for (int i = 0; i < 2; ++i) {
            EVENT wheel{};
            wheel.type = E_VSCROLL;
            wheel.v.scroll.what = SC_PAGE_DOWN;
            dispatch(viewer, wheel);
        }
        c.step = 2;
        break;
    case 2: {
        cairo_surface_t *list = cairo_image_surface_create_from_png((c.dir + "/list.png").c_str());
        const bool moved = vkotest::screen_shows(c.dir + "/wheeled.png", [&](cairo_surface_t *shot) {
            return thumb_moved(list, shot, places) > 0;
        });
        cairo_surface_destroy(list);
        if (!moved && !late)
            break;
        for (const char letter : std::string("spel")) {
            EVENT key{};
            key.type = E_CHAR;
            key.v.chr.ch = static_cast<std::uint16_t>(letter);
            dispatch(viewer, key);
        }
        c.step = 3;
        break;
    }
    case 3:
        if (!vkotest::screen_shows(c.dir + "/typed.png", [&](cairo_surface_t *shot) {
                return shows_head(shot, places) && shows_no_bar(shot, places);
            }) && !late)
            break;
        vkov_app_destroy();
        c.step = 4;
        break;
    default:
        break;
    }
    return 0;
}

int32_t task_handler(WINDOW, EVENT *ev) {
    if (ev->type == E_CREATE)
        vkotest::open_main_window(s_rct{10, 10, 60, 110}, main_handler, 250);
    return 0;
}

TEST(HelpViewerX11, ALongListShowsABarAndANewListStartsAtItsTop) {
    vkotest::Xvfb server;
    if (const std::string why = vkotest::start_xvfb(server); !why.empty())
        GTEST_SKIP() << why;
    const std::string dir = vkotest::make_scratch_dir("vko_help_bar_");
    ASSERT_FALSE(dir.empty());
    child().dir = dir;
    child().help = dir + "/TavlinCD.hlp";
    write_help(child().help);
    vkotest::log_path() = dir + "/log.txt";
    ASSERT_EQ(vkotest::run_in_child(server.display(), task_handler), 0);

    const std::vector<std::string> lines = vkotest::read_lines(vkotest::log_path());
    const auto rect_of = [&lines](const std::string &what) {
        s_rct r{};
        for (const std::string &line : lines)
            if (line.rfind(what + " ", 0) == 0)
                std::sscanf(line.c_str() + what.size(), "%hd %hd %hd %hd", &r.top, &r.left,
                            &r.bottom, &r.right);
        return r;
    };
    Places places;
    places.page = rect_of("page");
    places.bar = rect_of("bar");
    ASSERT_GT(places.bar.bottom - places.bar.top, 100) << ::testing::PrintToString(lines);

    cairo_surface_t *list = cairo_image_surface_create_from_png((dir + "/list.png").c_str());
    cairo_surface_t *wheeled = cairo_image_surface_create_from_png((dir + "/wheeled.png").c_str());
    cairo_surface_t *typed = cairo_image_surface_create_from_png((dir + "/typed.png").c_str());
    for (cairo_surface_t *shot : {list, wheeled, typed})
        ASSERT_EQ(cairo_surface_status(shot), CAIRO_STATUS_SUCCESS);
    EXPECT_TRUE(shows_bar(list, places)) << "the long list shows a scroll bar";
    EXPECT_GT(thumb_moved(list, wheeled, places), 0) << "the bar's thumb follows the wheel";
    EXPECT_TRUE(shows_head(typed, places)) << "the short list is shown from its top";
    EXPECT_TRUE(shows_no_bar(typed, places)) << "a list that fits shows no bar";

    if (const char *gallery = std::getenv("VKO_GALLERY_DIR"))
        for (const char *name : {"list.png", "wheeled.png", "typed.png"})
            std::filesystem::copy_file(dir + "/" + name, std::string(gallery) + "/help_bar_" + name,
                                       std::filesystem::copy_options::overwrite_existing);
    for (cairo_surface_t *shot : {list, wheeled, typed})
        cairo_surface_destroy(shot);
    vkotest::remove_scratch_dir(dir);
}

} // namespace
