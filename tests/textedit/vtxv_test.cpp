// Tests of the view: which lines a change repaints and which pixels it scrolls (read from the
// window's drawing log), highlight runs, tab areas, scroll limits and the scroll callback,
// colours across a reset, the caller's drawing state, and line drawing beside a caller's open
// paragraph.
#include "tx_test_support.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "vkobase/dwin.h"
#include "vkobase/surface_debug.h"

namespace txtest {
namespace {

constexpr COLOR kRed = 0x07FF0000u;
constexpr COLOR kGreen = 0x0700FF00u;
constexpr COLOR kBlue = 0x070000FFu;

struct Drawn {
    std::string op;
    std::string args;
    COLOR brush;
};

class ViewTest : public TxFixture {
protected:
    // The drawing calls since the log was last cleared: texts, rectangles and scrolls.
    std::vector<Drawn> drawn() const {
        std::vector<Drawn> out;
        const std::int32_t n = vkov_debug_draw_log_size(its_win);
        for (std::int32_t i = 0; i < n; ++i) {
            vkov_draw_log_entry e{};
            vkov_debug_draw_log_get(its_win, i, &e);
            const std::string op = e.op;
            if (op == "draw_text" || op == "draw_rect" || op == "scroll_rect")
                out.push_back(Drawn{op, e.args, e.brush.color});
        }
        return out;
    }
    // Baselines of the texts drawn since the log was cleared.
    std::set<int> text_baselines() const {
        std::set<int> out;
        for (const Drawn &d : drawn())
            if (d.op == "draw_text")
                out.insert(std::stoi(d.args.substr(d.args.find(',') + 1)));
        return out;
    }
    std::vector<std::string> scrolls() const {
        std::vector<std::string> out;
        for (const Drawn &d : drawn())
            if (d.op == "scroll_rect")
                out.push_back(d.args);
        return out;
    }
    void clear_log() { vkov_debug_draw_log_clear(its_win); }
    void redraw_all() {
        EVENT e{};
        e.type = E_UPDATE;
        vkovo_tx_process_event(its_win, &e);
    }
};

int baseline_of_row(int row) {
    return 10 + 12 + kLinePx * row;
} // view top + ascent

// A wrapped text edit 82 pixels wide breaks at 80 pixels: ten characters a line.
struct TypingCase {
    const char *why;
    std::vector<const char *> pars;
    Sel caret;
    const char *setup_keys; // typed before the log is cleared
    std::uint16_t key;
    std::set<int> rows_drawn;
    std::vector<std::string> scrolled;
};

const TypingCase kTypingCases[] = {
    {"a character that moves no break redraws its line alone",
     {"aaaa bbbb cccc", "xx", "yy"},
     {0, 1, 4, 0, 1, 4},
     "",
     'c',
     {1},
     {}},
    {"a character that moves a word redraws both lines, nothing scrolls",
     {"aaaaa bbbb cccc", "xx"},
     {0, 0, 0, 0, 0, 0},
     "",
     'a',
     {0, 1},
     {}},
    {"a new line redraws the changed lines and scrolls the paragraphs below down",
     {"aaaa bbbb cccc dddd", "xx", "yy"},
     {0, 1, 9, 0, 1, 9},
     "x",
     'x',
     {1, 2},
     {"42,10,170,92,0,16"}},
    {"a lost line redraws the line left and scrolls the paragraphs below up",
     {"aaaa bbbb cccc ddddxx", "xx", "yy"},
     {0, 2, 6, 0, 2, 6},
     "",
     8,
     {1},
     {"58,10,170,92,0,-16"}},
    {"Backspace that empties a line paints its band and scrolls nothing",
     {"a", "xx"},
     {0, 0, 1, 0, 0, 1},
     "",
     8,
     {},
     {}},
};

TEST_F(ViewTest, Typing_RedrawsChangedLinesAndScrollsTheRest) {
    for (const TypingCase &c : kTypingCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(0x0002, 82);
        for (const char *p : c.pars)
            ASSERT_TRUE(vkov_tx_add_par(tx, 65535, p));
        vkov_tx_set_sel(tx, c.caret.sp, c.caret.sl, c.caret.sc, c.caret.ep, c.caret.el, c.caret.ec);
        type(c.setup_keys);
        clear_log();
        send_key(c.key);
        std::set<int> baselines;
        for (int row : c.rows_drawn)
            baselines.insert(baseline_of_row(row));
        EXPECT_EQ(text_baselines(), baselines);
        EXPECT_EQ(scrolls(), c.scrolled);
        vkov_tx_destroy(tx);
    }
}

TEST_F(ViewTest, EmptiedLine_IsPaintedWithTheBackground) {
    const TXEDIT tx = make(0x0002, 82);
    vkov_tx_add_par(tx, 65535, "a");
    vkov_tx_set_sel(tx, 0, 0, 1, 0, 0, 1);
    clear_log();
    send_key(8);
    bool band_painted = false;
    for (const Drawn &d : drawn())
        band_painted |=
            d.op == "draw_rect" && d.args == "10,10,26,92" && d.brush == VKO_COLOR_WHITE;
    EXPECT_TRUE(band_painted);
    EXPECT_EQ(vkov_debug_surface_pixel(its_win, 12, 20), 0xFFFFFFFFu);
}

TEST_F(ViewTest, RemovedLastParagraph_LeavesItsLinesToBeRepainted) {
    const TXEDIT tx = make(0, 200);
    for (const char *p : {"one", "two", "three"})
        vkov_tx_add_par(tx, 65535, p);
    vkok_dwin_update(its_win);
    const s_rct last_rows{42, 10, 74, 210}; // rows 2 and 3
    ASSERT_FALSE(vkok_dwin_is_update_needed(its_win, &last_rows));
    vkov_tx_rem_par(tx, 2); // nothing below it to move up over its pixels
    EXPECT_TRUE(vkok_dwin_is_update_needed(its_win, &last_rows));
}

struct UpdateCase {
    const char *why;
    s_rct invalid;
    int paint_top;            // top of the clip of the background paint; -1: nothing painted
    std::set<int> rows_drawn; // the line just below the view is drawn too, clipped away
};

const UpdateCase kUpdateCases[] = {
    {"nothing pending draws nothing", {0, 0, 0, 0}, -1, {}},
    {"a pending line repaints from its band down, the lines above stay",
     {60, 100, 70, 120},
     58,
     {3, 4, 5, 6, 7, 8, 9, 10}},
    {"a pending first line repaints everything",
     {12, 12, 14, 14},
     10,
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
};

TEST_F(ViewTest, Update_PaintsFromTheFirstPendingLineDown) {
    for (const UpdateCase &c : kUpdateCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(0, 200);
        for (int i = 0; i < 12; ++i)
            vkov_tx_add_par(tx, 65535, "line");
        vkok_dwin_update(its_win);
        if (c.invalid.bottom != 0)
            vkok_dwin_invalidate_rect(its_win, &c.invalid);
        clear_log();
        redraw_all();
        int paint_top = -1;
        for (std::int32_t i = 0; i < vkov_debug_draw_log_size(its_win); ++i) {
            vkov_draw_log_entry e{};
            vkov_debug_draw_log_get(its_win, i, &e);
            if (std::string(e.op) == "draw_rect" && std::string(e.args) == "10,10,170,210") {
                paint_top = e.clip.top;
                break;
            }
        }
        EXPECT_EQ(paint_top, c.paint_top);
        std::set<int> baselines;
        for (int row : c.rows_drawn)
            baselines.insert(baseline_of_row(row));
        EXPECT_EQ(text_baselines(), baselines);
        vkok_dwin_update(its_win);
        vkov_tx_destroy(tx);
    }
}

struct FrameCase {
    const char *why;
    std::uint16_t attrs;
    s_rct clip;
    e_pat pen;
    const char *first_text; // where the first line's text goes: the view's top left
};

const FrameCase kFrameCases[] = {
    {"a border frames the outer rectangle and insets the view by 4",
     0x0010,
     {9, 9, 171, 211},
     PAT_SOLID,
     "14,26,\"text\""},
    {"without a border no frame line shows and the view is the outer rectangle",
     0,
     {10, 10, 170, 210},
     PAT_HOLLOW,
     "10,22,\"text\""},
};

TEST_F(ViewTest, Draw_FramesTheTextEditOnlyWithTheBorderAttribute) {
    for (const FrameCase &c : kFrameCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(c.attrs, 200);
        vkov_tx_add_par(tx, 65535, "text");
        clear_log();
        redraw_all();
        vkov_draw_log_entry e{};
        ASSERT_TRUE(vkov_debug_draw_log_get(its_win, 0, &e));
        EXPECT_EQ(std::string(e.op), "draw_rect");
        EXPECT_EQ(std::string(e.args), "10,10,170,210");
        EXPECT_EQ(e.clip.top, c.clip.top);
        EXPECT_EQ(e.clip.left, c.clip.left);
        EXPECT_EQ(e.clip.bottom, c.clip.bottom);
        EXPECT_EQ(e.clip.right, c.clip.right);
        EXPECT_EQ(e.pen.pat, c.pen);
        std::string first_text;
        for (const Drawn &d : drawn())
            if (d.op == "draw_text" && first_text.empty())
                first_text = d.args;
        EXPECT_EQ(first_text, c.first_text);
        vkok_dwin_update(its_win);
        vkov_tx_destroy(tx);
    }
}

struct HighlightCase {
    const char *why;
    std::vector<const char *> pars;
    Sel sel;
    std::vector<std::vector<std::string>> expected; // op, args, "w"hite or "b"lack brush
};

const HighlightCase kHighlightCases[] = {
    {"mid-line to mid-line: normal then inverted to the edge, inverted then normal",
     {"abcdef", "ghijkl"},
     {0, 0, 2, 1, 0, 3},
     {{"draw_text", "10,22,\"ab\"", "w"},
      {"draw_text", "26,22,\"cdef\"", "b"},
      {"draw_rect", "10,58,26,210", "b"},
      {"draw_text", "10,38,\"ghi\"", "b"},
      {"draw_text", "34,38,\"jkl\"", "w"},
      {"draw_rect", "26,58,42,210", "w"}}},
    {"the anchor after the end draws the same ordered range",
     {"abcdef", "ghijkl"},
     {1, 0, 3, 0, 0, 2},
     {{"draw_text", "10,22,\"ab\"", "w"},
      {"draw_text", "26,22,\"cdef\"", "b"},
      {"draw_rect", "10,58,26,210", "b"},
      {"draw_text", "10,38,\"ghi\"", "b"},
      {"draw_text", "34,38,\"jkl\"", "w"},
      {"draw_rect", "26,58,42,210", "w"}}},
    {"a leading tab is painted as background and the text starts at the tab stop",
     {"\tab"},
     {0, 0, 2, 0, 0, 3},
     {{"draw_rect", "10,10,26,74", "w"},
      {"draw_text", "74,22,\"a\"", "w"},
      {"draw_text", "82,22,\"b\"", "b"},
      {"draw_rect", "10,90,26,210", "w"}}},
};

TEST_F(ViewTest, Highlight_DrawsRunsInvertedUpToTheRightEdge) {
    for (const HighlightCase &c : kHighlightCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(0, 200);
        for (const char *p : c.pars)
            vkov_tx_add_par(tx, 65535, p);
        clear_log();
        vkov_tx_set_sel(tx, c.sel.sp, c.sel.sl, c.sel.sc, c.sel.ep, c.sel.el, c.sel.ec);
        std::vector<std::vector<std::string>> got;
        for (const Drawn &d : drawn())
            got.push_back({d.op, d.args, d.brush == VKO_COLOR_BLACK ? "b" : "w"});
        EXPECT_EQ(got, c.expected);
        vkov_tx_destroy(tx);
    }
}

TEST_F(ViewTest, Highlight_ShrinkingRedrawsOnlyTheDifference) {
    const TXEDIT tx = make(0, 200);
    for (const char *p : {"one", "two", "three", "four"})
        vkov_tx_add_par(tx, 65535, p);
    vkov_tx_set_sel(tx, 0, 0, 1, 3, 0, 2);
    clear_log();
    vkov_tx_set_sel(tx, 0, 0, 1, 1, 0, 2);
    EXPECT_EQ(text_baselines(),
              (std::set<int>{baseline_of_row(1), baseline_of_row(2), baseline_of_row(3)}));
    // The pixels show it: inside the kept part black, inside the dropped part white.
    EXPECT_EQ(vkov_debug_surface_pixel(its_win, 150, 20), 0xFF000000u);
    EXPECT_EQ(vkov_debug_surface_pixel(its_win, 150, 60), 0xFFFFFFFFu);
}

struct ScrollCase {
    const char *why;
    std::uint16_t attrs;
    std::int16_t margin;
    std::vector<std::pair<char, int>> steps; // 'h' pixels or 'v' lines
    std::uint16_t top_line;
    std::uint16_t hor_px;
};

const ScrollCase kScrollCases[] = {
    {"scrolling right at origin 0 does nothing", 0, 0, {{'h', 50}}, 0, 0},
    {"unwrapped text scrolls left up to 32767", 0, 0, {{'h', -30000}, {'h', -30000}}, 0, 32767},
    {"wrapped text scrolls left up to the margin less the view width",
     0x0002,
     300,
     {{'h', -500}},
     0,
     100},
    {"wrapped text no wider than the view does not scroll left", 0x0002, 0, {{'h', -50}}, 0, 0},
    {"scrolling down stops where the last line meets the bottom", 0, 0, {{'v', -100}}, 20, 0},
    {"scrolling up stops at the first line", 0, 0, {{'v', -5}, {'v', 100}}, 0, 0},
    {"scrolling right stops at origin 0", 0, 0, {{'h', -40}, {'h', 100}}, 0, 0},
};

TEST_F(ViewTest, Scroll_StaysWithinTheOriginLimits) {
    for (const ScrollCase &c : kScrollCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(c.attrs, 200, c.margin);
        for (int i = 0; i < 30; ++i)
            vkov_tx_add_par(tx, 65535, "line");
        for (const auto &[kind, amount] : c.steps) {
            if (kind == 'h')
                vkov_tx_scroll_hor(tx, static_cast<std::int16_t>(amount));
            else
                vkov_tx_scroll_vert(tx, static_cast<std::int16_t>(amount));
        }
        std::uint16_t top = 0;
        std::uint16_t hor = 0;
        vkov_tx_get_origin(tx, nullptr, nullptr, &top, &hor);
        EXPECT_EQ(top, c.top_line);
        EXPECT_EQ(hor, c.hor_px);
        vkov_tx_destroy(tx);
    }
}

struct AutoscrollCase {
    const char *why;
    std::uint16_t attrs;
    std::vector<const char *> pars;
    std::uint16_t key;
    std::uint16_t top_line;
    std::uint16_t hor_px;
    int height_px = 10 * kLinePx; // of the view
    bool reported = false;        // a vertical request that could move nothing
};

const AutoscrollCase kAutoscrollCases[] = {
    {"Return below the last line shown scrolls one line up",
     0x0004,
     {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
     13,
     1,
     0},
    {"without automatic scrolling the view stays",
     0,
     {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
     13,
     0,
     0},
    {"typing past the right edge scrolls the caret in with a character to spare",
     0x0008,
     {"abcdefghij"},
     'k',
     0,
     14},
    {"a view shorter than a line cannot take the caret's line in: the request is reported",
     0x0004,
     {"1", "2", "3"},
     'x',
     2,
     0,
     kLinePx / 2,
     true},
};

TEST_F(ViewTest, Typing_KeepsTheCaretInViewWhenAsked) {
    for (const AutoscrollCase &c : kAutoscrollCases) {
        SCOPED_TRACE(c.why);
        const s_rct r{10, 10, static_cast<std::int16_t>(10 + c.height_px), 92};
        const TXEDIT tx = vkov_tx_create(its_win, &r, c.attrs, its_font, 0, 0);
        for (const char *p : c.pars)
            vkov_tx_add_par(tx, 65535, p);
        vkov_tx_set_sel(tx, 65535, 0, 0, 65535, 0, 0);
        take_reports();
        send_key(c.key);
        std::uint16_t top = 0;
        std::uint16_t hor = 0;
        vkov_tx_get_origin(tx, nullptr, nullptr, &top, &hor);
        EXPECT_EQ(top, c.top_line);
        EXPECT_EQ(hor, c.hor_px);
        const std::vector<Report> reports = take_reports();
        if (c.reported) {
            ASSERT_FALSE(reports.empty());
            EXPECT_EQ(reports.back().code, 0x1740001u);
            EXPECT_EQ(reports.back().module, "vtxv");
        } else {
            EXPECT_TRUE(reports.empty());
        }
        vkov_tx_destroy(tx);
    }
}

struct CallbackLog {
    static std::vector<std::vector<int>> calls;
    static void record(TXEDIT, std::uint16_t top, std::uint16_t count, std::uint16_t hor) {
        calls.push_back({top, count, hor});
    }
};
std::vector<std::vector<int>> CallbackLog::calls;

TEST_F(ViewTest, Scroll_MovesOnlyTheLinesMovedAndTellsTheCallback) {
    const TXEDIT tx = make(0, 200);
    for (int i = 0; i < 30; ++i)
        vkov_tx_add_par(tx, 65535, "line");
    CallbackLog::calls.clear();
    vkov_tx_set_scroll_callback(tx, &CallbackLog::record);
    vkov_tx_scroll_vert(tx, -5);
    clear_log();
    vkov_tx_scroll_vert(tx, 100); // only five lines lie above
    EXPECT_EQ(scrolls(), (std::vector<std::string>{"10,10,170,210,0,80"}));
    vkov_tx_scroll_hor(tx, -8);
    vkov_tx_add_par(tx, 65535, "more");
    EXPECT_EQ(CallbackLog::calls,
              (std::vector<std::vector<int>>{
                  {5, 65535, 65535}, {0, 65535, 65535}, {65535, 65535, 8}, {65535, 31, 65535}}));
    // Suspended, nothing is told until the resume tells everything at once.
    CallbackLog::calls.clear();
    vkov_tx_suspend(tx);
    vkov_tx_add_par(tx, 65535, "hidden");
    EXPECT_TRUE(CallbackLog::calls.empty());
    vkov_tx_resume(tx);
    EXPECT_EQ(CallbackLog::calls, (std::vector<std::vector<int>>{{0, 32, 8}}));
}

struct ColorCase {
    const char *why;
    bool fixed;
    COLOR back_after_reset;
};

const ColorCase kColorCases[] = {
    {"a reset takes the window's control colours", false, kBlue},
    {"colours set by the caller survive a reset", true, kGreen},
};

TEST_F(ViewTest, Colors_FixedColorsSurviveAWindowReset) {
    for (const ColorCase &c : kColorCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(0, 200);
        vkov_tx_add_par(tx, 65535, "text");
        if (c.fixed)
            vkov_tx_set_colors(tx, kRed, kRed, kGreen);
        const s_color_pair list[] = {{VKO_CC_BACK, kBlue}, {0, VKO_COLOR_UNSET}};
        vkok_win_set_ctl_colors(its_win, list, FALSE);
        vkov_tx_reset_colors(its_win, list, FALSE);
        clear_log();
        redraw_all();
        std::vector<Drawn> d = drawn();
        ASSERT_FALSE(d.empty());
        EXPECT_EQ(d.front().op, "draw_rect"); // the whole text edit, in its background
        EXPECT_EQ(d.front().brush, c.back_after_reset);
        const s_color_pair none[] = {{0, VKO_COLOR_UNSET}};
        vkok_win_set_ctl_colors(its_win, none, TRUE);
        vkov_tx_destroy(tx);
    }
}

// The window's tools, clip and font as a caller left them.
struct DrawState {
    s_drawct tools;
    s_rct clip;
    BOOLEAN has_clip;
    std::int32_t font_size;
    bool operator==(const DrawState &o) const {
        return tools.pen.color == o.tools.pen.color && tools.pen.pat == o.tools.pen.pat &&
               tools.brush.color == o.tools.brush.color && tools.fore_color == o.tools.fore_color &&
               tools.back_color == o.tools.back_color && tools.opaque_text == o.tools.opaque_text &&
               has_clip == o.has_clip &&
               (!has_clip || (clip.top == o.clip.top && clip.left == o.clip.left &&
                              clip.bottom == o.clip.bottom && clip.right == o.clip.right)) &&
               font_size == o.font_size;
    }
};

DrawState draw_state(WINDOW win) {
    DrawState s{};
    vkok_dwin_get_draw_ctools(win, &s.tools);
    s.has_clip = win->draw.has_clip;
    s.clip = win->draw.clip;
    s.font_size = vkov_dwin_get_font_size(win);
    return s;
}

TEST_F(ViewTest, Exports_GiveTheCallersDrawingStateBack) {
    FONT_OBJ caller_font = vkov_font_create();
    vkov_font_set_family(caller_font, VKO_FONT_TEST_FAMILY);
    vkov_font_set_size(caller_font, 30);
    vkov_dwin_set_font(its_win, caller_font);
    vkov_font_destroy(caller_font);
    s_drawct tools{};
    vkok_dwin_get_draw_ctools(its_win, &tools);
    tools.pen.color = kRed;
    tools.brush.color = kGreen;
    tools.fore_color = kBlue;
    tools.opaque_text = FALSE;
    vkok_dwin_set_draw_ctools(its_win, &tools);
    const s_rct clip{1, 2, 300, 400};
    vkok_dwin_set_clip(its_win, &clip);
    const DrawState before = draw_state(its_win);

    const TXEDIT tx = make(0x0002 | 0x0004, 120);
    EXPECT_EQ(draw_state(its_win), before);
    const std::vector<std::pair<const char *, std::function<void()>>> calls = {
        {"add_par", [&] { vkov_tx_add_par(tx, 65535, "some words to wrap around here"); }},
        {"append", [&] { vkov_tx_append(tx, 0, " and more"); }},
        {"set_sel", [&] { vkov_tx_set_sel(tx, 0, 0, 1, 0, 1, 2); }},
        {"typing", [&] { type("xy\r"); }},
        {"arrow keys",
         [&] {
             send_key(302, true);
             send_key(303, true, true);
         }},
        {"mouse",
         [&] {
             send_mouse(E_MOUSE_DOWN, 20, 20);
             send_mouse(E_MOUSE_MOVE, 60, 40);
             send_mouse(E_MOUSE_UP, 60, 40);
         }},
        {"scroll",
         [&] {
             vkov_tx_scroll_vert(tx, -1);
             vkov_tx_scroll_vert(tx, 1);
         }},
        {"set_font", [&] { vkov_tx_set_font(tx, its_font); }},
        {"set_colors", [&] { vkov_tx_set_colors(tx, kRed, kGreen, kBlue); }},
        {"update", [&] { redraw_all(); }},
        {"get_line", [&] { vkov_tx_get_line(tx, 0, 0, 0, nullptr); }},
        {"reset", [&] { vkov_tx_reset(tx); }},
        {"clear", [&] { vkov_tx_clear(tx); }},
        {"destroy", [&] { vkov_tx_destroy(tx); }},
    };
    for (const auto &[why, call] : calls) {
        SCOPED_TRACE(why);
        call();
        EXPECT_EQ(draw_state(its_win), before);
    }
}

TEST_F(ViewTest, Redraw_LeavesTheCallersOpenParagraphAlone) {
    const TXEDIT tx = make(0x0002, 82);
    vkov_tx_add_par(tx, 65535, "first paragraph here");
    vkov_tx_add_par(tx, 65535, "second one");
    vkov_tx_get_line(tx, 1, 0, 0, nullptr);
    // Drawing between the caller's open and its reads: a highlight and a changed paragraph.
    vkov_tx_set_sel(tx, 0, 0, 0, 0, 1, 3);
    vkov_tx_append(tx, 0, " grows");
    redraw_all();
    std::uint16_t len = 0;
    const char *line = vkov_tx_get_line(tx, 1, 1, 0, &len);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(std::string(line, len), "second one");
    // A second open replaces the first.
    vkov_tx_get_line(tx, 0, 0, 0, nullptr);
    line = vkov_tx_get_line(tx, 0, 1, 0, &len);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(std::string(line, len), "first ");
    vkov_tx_get_line(tx, 0, 2, 0, nullptr);
    EXPECT_TRUE(take_reports().empty());
}

} // namespace
} // namespace txtest
