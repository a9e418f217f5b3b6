// menu_view_test.cpp: menus driven as a user drives them, headless: key and mouse sequences
// against a menu bar and the menu events its window gets, accelerators before the focus, and
// pop-up menus answering the chosen tag.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/menu_internal.h"
#include "../../../platform/vkobase/src/window_internal.h"
#include "core_test_support.h"
#include "vkobase/surface_debug.h"

namespace {

constexpr char kMenus[] = R"(
menu 1 {
  popup "&File" {
    item 101 "&New\tCtrl+N"
    separator
    popup 102 "&Print" {
      item 103 "&Entry"
      item 104 "&List" off
    }
    item 105 "E&xit"
  }
  popup "&Edit" {
    item 201 "&Copy" off
    item 202 "&Paste"
  }
  popup "&Help" right {
    item 301 "&About"
  }
}
accelerators 9001 {
  "Ctrl+C" 210
  "Ctrl+C" 201
  "Ctrl+N" 101
  "F1" 301
  "Ctrl+Shift+P" 202
  "Alt+F1" 104
}
)";

s_char chr(std::uint16_t ch, std::uint32_t modifiers = 0) {
    s_char c{};
    c.ch = ch;
    c.modifiers = modifiers;
    c.shift = (modifiers & 2) != 0 ? 1 : 0;
    c.control = (modifiers & 4) != 0 ? 1 : 0;
    return c;
}
s_char vkey(std::uint16_t code, std::uint32_t modifiers = 0) {
    s_char c = chr(code, modifiers);
    c.virt = 1;
    return c;
}
constexpr std::uint32_t kShift = 2, kCtrl = 4, kAlt = 8;
const s_char kEnter = chr(13), kEsc = chr(27), kUp = vkey(VKO_KEY_UP), kDown = vkey(VKO_KEY_DOWN),
             kLeft = vkey(VKO_KEY_LEFT), kRight = vkey(VKO_KEY_RIGHT), kF10 = vkey(VKO_KEY_F10);

s_pnt centre(const s_rct &r) {
    return s_pnt{static_cast<std::int16_t>((r.top + r.bottom) / 2),
                 static_cast<std::int16_t>((r.left + r.right) / 2)};
}

class MenuViewTest : public vkotest::CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        ASSERT_TRUE(vkov_res_register_text("menus", kMenus));
        const s_rct rct{100, 100, 400, 600};
        win_ = vkok_win_create(W_DOC, &rct, "Doc", 1, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                               vkotest::recording_handler, 0);
        ASSERT_NE(win_, nullptr);
        focus_ = make_child(win_, s_rct{10, 10, 100, 200});
        vkok_scr_set_focus_vobj(focus_);
        vkok_app_process_pending_events();
        vkotest::seen().clear();
    }

    void press(const s_char &c) {
        EVENT ev{};
        ev.type = E_CHAR;
        ev.v.chr = c;
        vkov_test_post_event(vkok_scr_get_focus_vobj(), &ev);
        vkok_app_process_pending_events();
    }

    std::vector<int> tags() const {
        std::vector<int> out;
        for (const auto &s : vkotest::seen())
            if (s.win == win_ && s.event.type == E_COMMAND)
                out.push_back(s.event.v.cmd.tag);
        return out;
    }
    std::vector<int> keys_at_focus() const {
        std::vector<int> out;
        for (const auto &s : vkotest::seen())
            if (s.win == focus_ && s.event.type == E_CHAR)
                out.push_back(s.event.v.chr.ch);
        return out;
    }

    WINDOW win_ = nullptr;
    WINDOW focus_ = nullptr;
};

TEST_F(MenuViewTest, KeySequencesChooseItemsAndSendTheirTags) {
    struct Case {
        const char *why;
        std::vector<s_char> keys;
        std::vector<int> tags;
        int open_levels_after;
    };
    const Case cases[] = {
        {"F10 highlights File, Enter opens it, Enter chooses New", {kF10, kEnter, kEnter}, {101}, 0},
        {"Alt+letter opens, Down skips the separator, Right opens the submenu",
         {chr('f', kAlt), kDown, kRight, kEnter}, {103}, 0},
        {"a disabled item sends nothing and the menu stays open",
         {chr('f', kAlt), kDown, kRight, kDown, kEnter}, {}, 2},
        {"an item's letter chooses it", {chr('e', kAlt), chr('p')}, {202}, 0},
        {"Alt+letter highlights the first enabled item, past a greyed one", {chr('e', kAlt), kEnter}, {202}, 0},
        {"Down from a highlighted title does the same", {kF10, kRight, kDown, kEnter}, {202}, 0},
        {"Escape closes the submenu only; Enter opens it again",
         {chr('f', kAlt), kDown, kRight, kEsc, kEnter, kEnter}, {103}, 0},
        {"Left from the first title wraps to the right-aligned Help", {kF10, kLeft, kEnter, kEnter},
         {301}, 0},
        {"Right on a plain item moves to the next title", {chr('f', kAlt), kRight, kEnter}, {202}, 0},
        {"Up on a highlighted title opens its menu from the bottom", {kF10, kUp, kEnter}, {105}, 0},
        {"Escape twice leaves the bar; the next key goes to the focus",
         {chr('f', kAlt), kEsc, kEsc, chr('x')}, {}, 0},
        {"accelerators: the first of two entries for one key wins", {chr(3, kCtrl)}, {210}, 0},
        {"accelerators: function keys and shifted letters",
         {vkey(VKO_KEY_F1), chr(16, kCtrl | kShift), chr('n' - 96, kCtrl)}, {301, 202, 101}, 0},
        {"an accelerator of a disabled item sends nothing", {vkey(VKO_KEY_F1, kAlt)}, {}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkotest::seen().clear();
        for (const s_char &k : c.keys)
            press(k);
        EXPECT_EQ(tags(), c.tags);
        EXPECT_EQ(vkobase::menu::level_count(), c.open_levels_after);
        vkobase::menu::close(nullptr);
    }
}

TEST_F(MenuViewTest, KeysReachTheFocusOnlyWhenNoMenuOrAcceleratorTakesThem) {
    // Ctrl+P without Shift matches no accelerator; the plain letter is the focus's too.
    press(chr(16, kCtrl));
    press(chr('q'));
    EXPECT_EQ(keys_at_focus(), (std::vector<int>{16, 'q'}));
    EXPECT_TRUE(tags().empty());
    // While a menu is open every key is the menu's.
    vkotest::seen().clear();
    press(kF10);
    press(chr('z'));
    press(chr(3, kCtrl));
    EXPECT_TRUE(keys_at_focus().empty());
    EXPECT_TRUE(tags().empty());
    EXPECT_TRUE(vkobase::menu::is_active());
}

TEST_F(MenuViewTest, MouseSequencesChooseItemsAndSendTheirTags) {
    enum Step { kPressTitle, kReleaseTitle, kMoveItem, kReleaseItem, kClickItem, kMoveAway,
                kReleaseAway, kPressAway };
    struct Action {
        Step step;
        int a = 0; // title index, or level
        int b = 0; // item
    };
    struct Case {
        const char *why;
        std::vector<Action> actions;
        std::vector<int> tags;
        int open_levels_after;
    };
    const Case cases[] = {
        {"press on a title, drag to an item, release",
         {{kPressTitle, 0}, {kMoveItem, 0, 0}, {kReleaseItem, 0, 0}}, {101}, 0},
        {"click a title, then click an item",
         {{kPressTitle, 0}, {kReleaseTitle, 0}, {kClickItem, 0, 3}}, {105}, 0},
        {"drag across titles opens the other menu",
         {{kPressTitle, 0}, {kMoveItem, -1, 1}, {kMoveItem, 0, 1}, {kReleaseItem, 0, 1}}, {202}, 0},
        {"a submenu opens under the pointer and its item is chosen",
         {{kPressTitle, 0}, {kMoveItem, 0, 2}, {kMoveItem, 1, 0}, {kReleaseItem, 1, 0}}, {103}, 0},
        {"releasing on a disabled item chooses nothing and keeps the menus",
         {{kPressTitle, 0}, {kMoveItem, 0, 2}, {kMoveItem, 1, 1}, {kReleaseItem, 1, 1}}, {}, 2},
        {"releasing away after dragging through the menu closes it",
         {{kPressTitle, 0}, {kMoveItem, 0, 0}, {kMoveAway}, {kReleaseAway}}, {}, 0},
        {"a press outside closes an open menu",
         {{kPressTitle, 1}, {kReleaseTitle, 1}, {kPressAway}}, {}, 0},
        {"a press on the open title closes its menu",
         {{kPressTitle, 0}, {kReleaseTitle, 0}, {kPressTitle, 0}}, {}, 0},
    };
    const s_pnt away{700, 900};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkotest::seen().clear();
        for (const Action &act : c.actions) {
            switch (act.step) {
            case kPressTitle:
                if (vkobase::menu::is_active())
                    vkobase::menu::pointer(E_MOUSE_DOWN,
                                           centre(vkobase::menu::title_rect(win_, act.a)), false,
                                           false);
                else
                    vkobase::menu::bar_press(win_, centre(vkobase::menu::title_rect(win_, act.a)),
                                             false, false);
                break;
            case kReleaseTitle:
                vkobase::menu::pointer(E_MOUSE_UP, centre(vkobase::menu::title_rect(win_, act.a)),
                                       false, false);
                break;
            case kMoveItem:
                if (act.a < 0) // onto the title of index b
                    vkobase::menu::pointer(E_MOUSE_MOVE,
                                           centre(vkobase::menu::title_rect(win_, act.b)), false,
                                           false);
                else
                    vkobase::menu::pointer(E_MOUSE_MOVE,
                                           centre(vkobase::menu::item_rect(act.a, act.b)), false,
                                           false);
                break;
            case kReleaseItem:
                vkobase::menu::pointer(E_MOUSE_UP, centre(vkobase::menu::item_rect(act.a, act.b)),
                                       false, false);
                break;
            case kClickItem:
                vkobase::menu::pointer(E_MOUSE_DOWN, centre(vkobase::menu::item_rect(act.a, act.b)),
                                       false, false);
                vkobase::menu::pointer(E_MOUSE_UP, centre(vkobase::menu::item_rect(act.a, act.b)),
                                       false, false);
                break;
            case kMoveAway:
                vkobase::menu::pointer(E_MOUSE_MOVE, away, false, false);
                break;
            case kReleaseAway:
                vkobase::menu::pointer(E_MOUSE_UP, away, false, false);
                break;
            case kPressAway:
                vkobase::menu::pointer(E_MOUSE_DOWN, away, false, false);
                break;
            }
        }
        vkok_app_process_pending_events();
        EXPECT_EQ(tags(), c.tags);
        EXPECT_EQ(vkobase::menu::level_count(), c.open_levels_after);
        vkobase::menu::close(nullptr);
    }
}

TEST_F(MenuViewTest, TheBarPutsRightAlignedTitlesAtItsRightEnd) {
    const s_rct file = vkobase::menu::title_rect(win_, 0);
    const s_rct edit = vkobase::menu::title_rect(win_, 1);
    const s_rct help = vkobase::menu::title_rect(win_, 2);
    const s_pnt origin = vkobase::win_client_origin_on_screen(win_);
    EXPECT_EQ(file.bottom, origin.v);
    EXPECT_EQ(file.top, origin.v - vkobase::menu::bar_height());
    EXPECT_EQ(edit.left, file.right);
    EXPECT_EQ(help.right, origin.h + 500 - 4);
    EXPECT_GT(help.left, edit.right);
}

TEST_F(MenuViewTest, ItemChangesShowOnTheBarAtOnce) {
    const std::uint64_t before = vkobase::menu::bar_generation();
    vkok_menu_set_item_enabled(win_, 201, TRUE);
    EXPECT_NE(vkobase::menu::bar_generation(), before);
    // The now enabled item can be chosen.
    press(chr('e', kAlt));
    press(kEnter);
    EXPECT_EQ(tags(), (std::vector<int>{201}));
    // An open menu shows a change at once: the disabled look goes from the item's row.
    press(chr('e', kAlt));
    WINDOW level = vkobase::menu::level_window(0);
    const s_rct copy = vkobase::menu::item_rect(0, 0);
    const s_pnt origin = vkobase::win_client_origin_on_screen(level);
    auto text_pixels = [&] {
        int dark = 0;
        for (int y = copy.top; y < copy.bottom; ++y)
            for (int x = copy.left + 22; x < copy.left + 60; ++x)
                dark += (vkov_debug_surface_pixel(level, x - origin.h, y - origin.v) & 0xFF) < 0x40;
        return dark;
    };
    press(kDown); // the highlight goes to Paste; Copy is drawn plain
    const int enabled_dark = text_pixels();
    vkok_menu_set_item_enabled(win_, 201, FALSE);
    EXPECT_LT(text_pixels(), enabled_dark) << "greyed at once";
    vkobase::menu::close(nullptr);
    // A new tree while a menu is open closes the menu first.
    press(chr('f', kAlt));
    ASSERT_EQ(vkobase::menu::level_count(), 1);
    MENU_TREE tree = vkok_menu_get_tree(win_);
    vkok_menu_set_tree(win_, tree);
    vkov_res_free_menu_tree(tree);
    EXPECT_EQ(vkobase::menu::level_count(), 0);
    EXPECT_FALSE(vkobase::menu::is_active());
}

// The display draws a window's bar again only when what the bar shows changed: an item inside
// a menu does not; a title's state, a renamed title or an open title does.
TEST_F(MenuViewTest, WhatTheBarShowsChangesWithItsTitlesOnly) {
    const std::string plain = vkobase::menu::bar_look(win_);
    vkok_menu_set_item_enabled(win_, 202, FALSE);
    vkok_menu_set_item_enabled(win_, 104, TRUE);
    EXPECT_EQ(vkobase::menu::bar_look(win_), plain) << "items inside the menus";
    MENU_TREE tree = vkok_menu_get_tree(win_);
    tree[1].enabled = FALSE;
    vkok_menu_set_tree(win_, tree);
    EXPECT_NE(vkobase::menu::bar_look(win_), plain) << "a title disabled";
    tree[1].enabled = TRUE;
    vkok_menu_set_tree(win_, tree);
    EXPECT_EQ(vkobase::menu::bar_look(win_), plain) << "and enabled again";
    vkov_res_free_menu_tree(tree);
    press(chr('e', kAlt));
    EXPECT_NE(vkobase::menu::bar_look(win_), plain) << "a title open";
    vkobase::menu::close(nullptr);
    EXPECT_EQ(vkobase::menu::bar_look(win_), plain) << "and closed";
}

TEST_F(MenuViewTest, PopupMenusAnswerTheChosenTagOrZero) {
    MENU_TREE tree = vkov_res_get_menu(1);
    ASSERT_NE(tree, nullptr);
    s_mitem *file_items = tree[0].child;
    struct Case {
        const char *why;
        std::vector<s_char> keys;
        int answer;
    };
    const Case cases[] = {
        {"Down moves over the separator, Enter chooses", {kDown, kDown, kDown, kEnter}, 105},
        {"a submenu chosen from the keyboard", {kDown, kDown, kRight, kEnter}, 103},
        {"Escape dismisses", {kDown, kEsc}, 0},
        {"the letter of an item chooses it", {chr('x')}, 105},
        {"a disabled item cannot be chosen; the menu is dismissed when input ends",
         {kDown, kDown, kRight, kDown, kEnter}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        for (const s_char &k : c.keys) {
            EVENT ev{};
            ev.type = E_CHAR;
            ev.v.chr = k;
            vkov_test_post_event(focus_, &ev);
        }
        EXPECT_EQ(vkok_menu_popup(file_items, win_, s_pnt{50, 50}, 0, 0), c.answer);
        EXPECT_EQ(vkobase::menu::level_count(), 0);
        EXPECT_FALSE(vkobase::menu::is_active());
    }
    vkotest::seen().clear();
    // A scripted answer still comes without a menu; a pop-up sends no menu event.
    vkov_menu_test_push_popup_answer(105);
    EXPECT_EQ(vkok_menu_popup(file_items, win_, s_pnt{50, 50}, 0, 0), 105);
    vkok_app_process_pending_events();
    EXPECT_TRUE(tags().empty());
    vkov_res_free_menu_tree(tree);
}

TEST_F(MenuViewTest, APopupOverAnItemPutsThatItemUnderThePoint) {
    MENU_TREE tree = vkov_res_get_menu(1);
    ASSERT_NE(tree, nullptr);
    // The mouse chooses: the pointer moves onto the item under it and releases.
    EVENT move{};
    move.type = E_MOUSE_MOVE;
    EVENT up{};
    up.type = E_MOUSE_UP;
    const s_pnt at{120, 200};
    // The exit item (index 3) lies under the point: one pixel in, the release chooses it.
    move.v.mouse.where = s_pnt{static_cast<std::int16_t>(at.v + 3), static_cast<std::int16_t>(at.h + 5)};
    up.v.mouse.where = move.v.mouse.where;
    vkov_test_post_event(win_, &move);
    vkov_test_post_event(win_, &up);
    EXPECT_EQ(vkok_menu_popup(tree[0].child, win_, at, VKO_POPUP_OVER_ITEM, 105), 105);
    vkov_res_free_menu_tree(tree);
}

} // namespace

namespace {

// The face colour of the bar, and the highlight of the open title, as drawn.
TEST_F(MenuViewTest, TheBarIsDrawnWithItsOpenTitleHighlighted) {
    const int width = 500;
    cairo_surface_t *image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, 20);
    auto draw = [&] {
        cairo_t *cr = cairo_create(image);
        vkobase::menu::draw_bar(win_, cr, width);
        cairo_destroy(cr);
        cairo_surface_flush(image);
    };
    auto px = [&](const s_rct &title) {
        const s_pnt origin = vkobase::win_client_origin_on_screen(win_);
        const int x = title.left + 2 - origin.h;
        const unsigned char *row = cairo_image_surface_get_data(image) +
                                   3 * cairo_image_surface_get_stride(image);
        std::uint32_t v = 0;
        std::memcpy(&v, row + 4 * x, 4);
        return v & 0xFFFFFFu;
    };
    draw();
    const std::uint32_t face = px(vkobase::menu::title_rect(win_, 0));
    EXPECT_EQ(face, 0xE4E4E4u);
    press(chr('e', kAlt));
    draw();
    EXPECT_EQ(px(vkobase::menu::title_rect(win_, 0)), face);
    EXPECT_EQ(px(vkobase::menu::title_rect(win_, 1)), 0x0A246Au);
    if (const char *dir = std::getenv("VKO_GALLERY_DIR"))
        cairo_surface_write_to_png(image, (std::string(dir) + "/menu_bar.png").c_str());
    cairo_surface_destroy(image);
}

} // namespace

namespace {

// A menu of 60 items, three times the height of the screen, under the bar of a window near the
// top of the screen.
class TallMenuTest : public vkotest::CoreTest {
protected:
    static constexpr int kItems = 60;
    static constexpr int kFirstTag = 400;

    void SetUp() override {
        CoreTest::SetUp();
        std::string text = "menu 2 {\n  popup \"&Many\" {\n";
        for (int i = 0; i < kItems; ++i)
            text += "    item " + std::to_string(kFirstTag + i) + " \"Item " + std::to_string(i) + "\"\n";
        text += "  }\n}\n";
        ASSERT_TRUE(vkov_res_register_text("tall", text.c_str()));
        const s_rct rct{60, 100, 400, 600};
        win_ = vkok_win_create(W_DOC, &rct, "Doc", 2, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                               vkotest::recording_handler, 0);
        ASSERT_NE(win_, nullptr);
        vkok_app_process_pending_events();
        vkotest::seen().clear();
    }
    void TearDown() override {
        vkobase::menu::close(nullptr);
        CoreTest::TearDown();
    }

    std::vector<int> tags() const {
        std::vector<int> out;
        for (const auto &s : vkotest::seen())
            if (s.win == win_ && s.event.type == E_COMMAND)
                out.push_back(s.event.v.cmd.tag);
        return out;
    }
    // The open level on the screen.
    s_rct level_rect() const {
        WINDOW level = vkobase::menu::level_window(0);
        const s_pnt at = vkobase::win_client_origin_on_screen(level);
        const s_rct client = vkobase::win_client_rect(level);
        return s_rct{at.v, at.h, static_cast<std::int16_t>(at.v + client.bottom),
                     static_cast<std::int16_t>(at.h + client.right)};
    }
    void pointer(e_event type, s_pnt at) { vkobase::menu::pointer(type, at, false, false); }
    void click(s_pnt at) {
        pointer(E_MOUSE_DOWN, at);
        pointer(E_MOUSE_UP, at);
        vkok_app_process_pending_events();
    }

    WINDOW win_ = nullptr;
};

TEST_F(TallMenuTest, OpensBelowItsBarAndAClickOnTheTitleChoosesNothing) {
    const s_rct title = vkobase::menu::title_rect(win_, 0);
    ASSERT_TRUE(vkobase::menu::bar_press(win_, centre(title), false, false));
    pointer(E_MOUSE_UP, centre(title));
    vkok_app_process_pending_events();
    ASSERT_EQ(vkobase::menu::level_count(), 1);
    EXPECT_TRUE(tags().empty());
    const s_rct level = level_rect();
    EXPECT_EQ(level.top, title.bottom) << "the menu covers its bar";
    EXPECT_LE(level.bottom, 768);
    EXPECT_NE(vkobase::menu::item_rect(0, 0).bottom, 0);
    EXPECT_EQ(vkobase::menu::item_rect(0, kItems - 1).bottom, 0) << "the last item shows at once";
}

TEST_F(TallMenuTest, ItsLastItemsAreReachedByTheArrowTheKeysOrAClick) {
    struct Case {
        const char *why;
        int way; // 0: rest on the bottom arrow, 1: Up from the first item, 2: clicks on the arrow
    };
    const Case cases[] = {{"the pointer resting on the bottom arrow", 0},
                          {"the Up key wrapping to the last item", 1},
                          {"clicks on the bottom arrow", 2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkotest::seen().clear();
        const s_rct title = vkobase::menu::title_rect(win_, 0);
        ASSERT_TRUE(vkobase::menu::bar_press(win_, centre(title), false, false));
        pointer(E_MOUSE_UP, centre(title));
        const s_rct level = level_rect();
        const s_pnt arrow{static_cast<std::int16_t>(level.bottom - 6),
                          static_cast<std::int16_t>((level.left + level.right) / 2)};
        if (c.way == 0) {
            pointer(E_MOUSE_MOVE, arrow);
            vkov_test_advance_clock(10000);
        } else if (c.way == 1) {
            EVENT up{};
            up.type = E_CHAR;
            up.v.chr.ch = VKO_KEY_UP;
            up.v.chr.virt = 1;
            vkov_test_post_event(win_, &up);
            vkok_app_process_pending_events();
        } else {
            for (int i = 0; i < kItems; ++i)
                click(arrow);
        }
        ASSERT_EQ(vkobase::menu::level_count(), 1) << "the menu closed";
        EXPECT_TRUE(tags().empty());
        const s_rct last = vkobase::menu::item_rect(0, kItems - 1);
        ASSERT_NE(last.bottom, 0) << "the last item is out of reach";
        EXPECT_LE(last.bottom, level.bottom);
        EXPECT_EQ(vkobase::menu::item_rect(0, 0).bottom, 0);
        click(centre(last));
        EXPECT_EQ(tags(), std::vector<int>{kFirstTag + kItems - 1});
        EXPECT_EQ(vkobase::menu::level_count(), 0);
    }
}

} // namespace
