// Tests of the help viewer: its text format (topics, keywords, paragraphs, links and the
// faults that name their line), the keyword search, and the viewer window driven as the help
// module and a user drive it: a topic by number, the search, a link, Back and quit.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "../../../platform/win32/src/help_file.h"
#include "../../../platform/win32/src/help_viewer.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"
#include "win32/testing.h"
#include "win32/user.h"

namespace {

using win32::help::Page;

constexpr char kHelpText[] = R"(# a small help file
contents 100
topic 100 "Contents"
keywords "contents" "index"
Welcome. Read about [[200|the history list]] or
[[300|bookmarks]].

topic 200 "History"
keywords "history" "Hits" "back"
The history keeps the words you looked up.
\topic words are plain text here.

Go to [[300|bookmarks]].
topic 300 "Bookmarks"
keywords "bookmarks" "history of bookmarks"
Bookmarks keep entries.
)";

TEST(HelpFileTest, TopicsKeywordsParagraphsAndLinks) {
    win32::help::HelpFile file;
    std::string error;
    ASSERT_TRUE(win32::help::parse_help_file(kHelpText, &file, &error)) << error;
    ASSERT_EQ(file.topics.size(), 3u);
    EXPECT_EQ(file.contents_topic()->number, 100);
    const win32::help::Topic &contents = file.topics[0];
    EXPECT_EQ(contents.title, "Contents");
    EXPECT_EQ(contents.keywords, (std::vector<std::string>{"contents", "index"}));
    ASSERT_EQ(contents.paragraphs.size(), 1u);
    const std::vector<win32::help::Run> expected = {
        {"Welcome. Read about ", 0}, {"the history list", 200}, {" or ", 0}, {"bookmarks", 300},
        {".", 0}};
    EXPECT_EQ(contents.paragraphs[0], expected);
    const win32::help::Topic *history = file.find(200);
    ASSERT_NE(history, nullptr);
    ASSERT_EQ(history->paragraphs.size(), 2u);
    EXPECT_EQ(history->paragraphs[0].back().text,
              "The history keeps the words you looked up. topic words are plain text here.");
    EXPECT_EQ(file.find(999), nullptr);
}

TEST(HelpFileTest, FaultsNameTheirLine) {
    struct Case {
        const char *why;
        const char *text;
        const char *error;
    };
    const Case cases[] = {
        {"text before any topic", "Hello\n", "line 1: text before the first topic"},
        {"a topic without a number", "topic \"A\"\n", "line 1: a topic needs a number"},
        {"a topic number of zero", "topic 0 \"A\"\n", "line 1: a topic needs a number"},
        {"a title without quotes", "topic 5 A\n", "line 1: a topic needs its title"},
        {"a title left open", "topic 5 \"A\n", "line 1: a topic needs its title"},
        {"a number used twice", "topic 5 \"A\"\ntopic 5 \"B\"\n", "line 2: topic 5 is defined twice"},
        {"a link left open", "topic 5 \"A\"\nsee [[6|there\nand on\n\nx\n", "line 2: a link needs"},
        {"a link without a number", "topic 5 \"A\"\nsee [[x|there]]\n", "line 2: a link needs"},
        {"keywords before a topic", "keywords \"a\"\n", "line 1: keywords before"},
        {"an unquoted keyword", "topic 5 \"A\"\nkeywords a\n", "line 2: keywords are quoted"},
        {"contents naming no topic", "contents 9\ntopic 5 \"A\"\n", "line 1: contents names no"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        win32::help::HelpFile file;
        std::string error;
        EXPECT_FALSE(win32::help::parse_help_file(c.text, &file, &error));
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
}

TEST(HelpFileTest, SearchMatchesTheStartOfKeywordsIgnoringCase) {
    win32::help::HelpFile file;
    std::string error;
    ASSERT_TRUE(win32::help::parse_help_file(kHelpText, &file, &error)) << error;
    using Matches = std::vector<std::pair<std::string, std::int32_t>>;
    EXPECT_EQ(win32::help::search(file, "HI"),
              (Matches{{"history", 200}, {"history of bookmarks", 300}, {"Hits", 200}}));
    EXPECT_EQ(win32::help::search(file, "book"), (Matches{{"bookmarks", 300}}));
    EXPECT_TRUE(win32::help::search(file, "zebra").empty());
    EXPECT_EQ(win32::help::search(file, "").size(), 7u);
}

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        win32_test_reset();
        char dir[] = "/tmp/vko_help_XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        dir_ = dir;
        path_ = dir_ + "/TavlinCD.hlp";
        std::ofstream(path_) << kHelpText;
    }
    void TearDown() override {
        win32_test_reset();
        vkov_test_reset_all();
        std::remove(path_.c_str());
        rmdir(dir_.c_str());
    }

    static void key(std::uint16_t ch) {
        EVENT ev{};
        ev.type = E_CHAR;
        ev.v.chr.ch = ch;
        vkov_test_post_event(win32::help::viewer_state().win, &ev);
        vkok_app_process_pending_events();
    }
    // Clicks the n-th hot spot that leads to target (a topic, or -1 to -3 for the buttons).
    static void click(std::int32_t target) {
        for (const auto &[box, to] : win32::help::viewer_hot_spots()) {
            if (to != target)
                continue;
            EVENT ev{};
            ev.type = E_MOUSE_DOWN;
            ev.v.mouse.where = s_pnt{static_cast<std::int16_t>((box.top + box.bottom) / 2),
                                     static_cast<std::int16_t>((box.left + box.right) / 2)};
            vkov_test_post_event(win32::help::viewer_state().win, &ev);
            vkok_app_process_pending_events();
            return;
        }
        ADD_FAILURE() << "no hot spot leads to " << target;
    }

    std::string dir_, path_;
};

TEST_F(HelpViewerTest, ContextSearchLinkBackAndQuit) {
    ASSERT_TRUE(WinHelpA(nullptr, path_.c_str(), HELP_CONTEXT, 200));
    auto state = win32::help::viewer_state();
    ASSERT_NE(state.win, nullptr);
    EXPECT_EQ(state.page, Page::kTopic);
    EXPECT_EQ(state.topic, 200);
    EXPECT_FALSE(state.can_go_back);

    // The page is drawn: the title in black, the link in its colour.
    vkok_app_process_pending_events();
    if (const char *dir = std::getenv("VKO_GALLERY_DIR"))
        vkov_debug_surface_write_png(state.win, (std::string(dir) + "/help_viewer.png").c_str());
    bool link_drawn = false;
    for (const auto &[box, to] : win32::help::viewer_hot_spots())
        for (int x = box.left; to == 300 && x < box.right; ++x)
            for (int y = box.top; y < box.bottom; ++y)
                link_drawn |= (vkov_debug_surface_pixel(state.win, x, y) & 0xFFFFFF) == 0x0000C0u;
    EXPECT_TRUE(link_drawn);

    // A link of the topic.
    click(300);
    EXPECT_EQ(win32::help::viewer_state().topic, 300);
    EXPECT_TRUE(win32::help::viewer_state().can_go_back);

    // A partial key that several topics answer lists them.
    const char partial[] = "hi";
    ASSERT_TRUE(WinHelpA(nullptr, path_.c_str(), HELP_PARTIALKEY,
                         reinterpret_cast<ULONG_PTR>(partial)));
    state = win32::help::viewer_state();
    EXPECT_EQ(state.page, Page::kSearch);
    EXPECT_EQ(state.key, "hi");
    ASSERT_EQ(state.matches.size(), 3u);
    // Typing narrows the list; Enter shows the first match.
    key('s');
    key('t');
    key('o');
    key('r');
    key('y');
    key(' ');
    EXPECT_EQ(win32::help::viewer_state().matches,
              (std::vector<std::pair<std::string, std::int32_t>>{{"history of bookmarks", 300}}));
    key(13);
    EXPECT_EQ(win32::help::viewer_state().topic, 300);

    // Back walks the pages seen, newest first; the Back button does the same as Backspace.
    key(8);
    EXPECT_EQ(win32::help::viewer_state().page, Page::kSearch);
    click(-3);
    EXPECT_EQ(win32::help::viewer_state().topic, 300);
    key(8);
    EXPECT_EQ(win32::help::viewer_state().topic, 200);
    EXPECT_FALSE(win32::help::viewer_state().can_go_back);

    // The contents, and a key only one topic answers shows that topic at once.
    ASSERT_TRUE(WinHelpA(nullptr, path_.c_str(), HELP_CONTENTS, 0));
    EXPECT_EQ(win32::help::viewer_state().topic, 100);
    const char unique[] = "IND";
    ASSERT_TRUE(WinHelpA(nullptr, path_.c_str(), HELP_PARTIALKEY,
                         reinterpret_cast<ULONG_PTR>(unique)));
    EXPECT_EQ(win32::help::viewer_state().topic, 100);

    // Quit closes the window; every request was recorded.
    ASSERT_TRUE(WinHelpA(nullptr, nullptr, HELP_QUIT, 0));
    EXPECT_EQ(win32::help::viewer_state().win, nullptr);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_WINDOW), 1) << "only the screen is left";
    EXPECT_EQ(win32_test_help_count(), 5);
}

TEST_F(HelpViewerTest, TheViewerTellsWhatItCannotShow) {
    struct Case {
        const char *why;
        std::string file;
        UINT command;
        ULONG_PTR data;
        const char *message_part;
    };
    const std::string bad = dir_ + "/bad.hlp";
    std::ofstream(bad) << "topic 1 \"A\"\ntopic 1 \"B\"\n";
    const Case cases[] = {
        {"a missing file", dir_ + "/none.hlp", HELP_CONTENTS, 0, "cannot be opened"},
        {"a faulty file names its fault", bad, HELP_CONTEXT, 1, "line 2: topic 1 is defined twice"},
        {"a topic the file lacks", path_, HELP_CONTEXT, 4242, "The topic 4242 is not in"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        ASSERT_TRUE(WinHelpA(nullptr, c.file.c_str(), c.command, c.data));
        const auto state = win32::help::viewer_state();
        EXPECT_EQ(state.page, Page::kMessage);
        EXPECT_NE(state.message.find(c.message_part), std::string::npos) << state.message;
    }
    std::remove(bad.c_str());
    // Escape closes the viewer.
    key(27);
    EXPECT_EQ(win32::help::viewer_state().win, nullptr);
}

// Help asked for from a dialog while its modal loop runs (as its Help button asks): the
// viewer lies beside the dialog, inside the screen, and closes by Escape or by its Close
// button while the dialog still runs; a viewer left open from before the dialog is no trap.
struct FromDialog {
    std::string path;
    bool open_before = false;
    bool close_by_button = false;
    WINDOW dialog = nullptr;
    s_rct viewer_outer{};
    bool close_inside = false; // the Close button lies whole inside the viewer
    bool closed = false;
};

FromDialog &from_dialog() {
    static FromDialog f;
    return f;
}

s_rct outer_on_screen(WINDOW win) {
    s_rct r{};
    vkok_vobj_get_outer_rect(win, &r);
    return r;
}

int32_t dialog_handler(WINDOW win, EVENT *ev) {
    FromDialog &f = from_dialog();
    if (ev->type != E_TIMER)
        return 0;
    WinHelpA(nullptr, f.path.c_str(), HELP_CONTEXT, 200);
    const auto state = win32::help::viewer_state();
    if (state.win != nullptr) {
        f.viewer_outer = outer_on_screen(state.win);
        s_rct client{};
        vkok_vobj_get_client_rect(state.win, &client);
        for (const auto &[box, to] : win32::help::viewer_hot_spots())
            if (to == -4)
                f.close_inside = box.left >= 0 && box.right <= client.right;
        if (f.close_by_button) {
            for (const auto &[box, to] : win32::help::viewer_hot_spots())
                if (to == -4) {
                    EVENT click{};
                    click.type = E_MOUSE_DOWN;
                    click.v.mouse.where = s_pnt{static_cast<std::int16_t>((box.top + box.bottom) / 2),
                                                static_cast<std::int16_t>((box.left + box.right) / 2)};
                    vkov_test_post_event(state.win, &click);
                }
        } else {
            EVENT escape{};
            escape.type = E_CHAR;
            escape.v.chr.ch = 27;
            vkov_test_post_event(state.win, &escape);
        }
        vkok_app_process_pending_events();
        f.closed = win32::help::viewer_state().win == nullptr;
    }
    vkok_vobj_destroy(win);
    return 0;
}

TEST_F(HelpViewerTest, HelpFromADialogOpensBesideItAndCanBeClosed) {
    struct Case {
        const char *why;
        bool open_before;
        bool close_by_button;
    };
    const Case cases[] = {
        {"opened by the dialog, closed by Escape", false, false},
        {"opened by the dialog, closed by its Close button", false, true},
        {"left open before the dialog, then asked for by it", true, false},
    };
    const s_rct dialog_rect{120, 178, 560, 668};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FromDialog &f = from_dialog();
        f = FromDialog{path_, c.open_before, c.close_by_button};
        if (c.open_before) {
            ASSERT_TRUE(WinHelpA(nullptr, path_.c_str(), HELP_CONTENTS, 0));
        }
        f.dialog = vkok_win_create(W_MODAL, &dialog_rect, "Dialog", 0, NULL_WIN, 0,
                                   VKO_EVENT_MASK_ALL, dialog_handler, 0);
        ASSERT_NE(f.dialog, nullptr);
        const s_rct dialog = outer_on_screen(f.dialog);
        vkov_timer_create(f.dialog, 10);
        vkok_win_process_modal(f.dialog);
        EXPECT_TRUE(f.closed) << "the viewer could not be closed while the dialog ran";
        EXPECT_TRUE(f.close_inside);
        const s_rct &v = f.viewer_outer;
        EXPECT_TRUE(v.left >= dialog.right || v.right <= dialog.left) << "the viewer covers the dialog";
        EXPECT_GE(v.left, 0);
        EXPECT_LE(v.right, 1024);
        EXPECT_GE(v.top, 0);
        EXPECT_LE(v.bottom, 768);
        WinHelpA(nullptr, nullptr, HELP_QUIT, 0);
    }
}

} // namespace
