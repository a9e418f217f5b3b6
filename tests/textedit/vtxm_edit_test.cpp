// Editing by keys, mouse and edit menu: typing, overtype, Backspace and Return across
// paragraphs, keypad keys, arrows across wrapped lines, selection by characters and words, and
// Cut, Copy, Paste and Clear through the clipboard.
#include "tx_test_support.h"

#include <string>
#include <vector>

#include "vkobase/cb.h"
#include "vkobase/menu.h"
#include "vkobase/res.h"
#include "vkobase/scr.h"

namespace {

using txtest::kCharPx;
using txtest::kLinePx;
using txtest::Sel;
using txtest::TxFixture;
using Lines = std::vector<std::string>;

constexpr std::uint16_t kWrap = 0x0002;
constexpr std::uint16_t kReadOnly = 0x0001;
constexpr std::uint16_t kOnePar = 0x0080;
constexpr std::uint16_t kNoCopy = 0x0100;
constexpr std::uint16_t kOvertype = 0x2000;
constexpr std::uint16_t kEnd = 65535;
constexpr std::uint16_t kLeft = 304;
constexpr std::uint16_t kRight = 303;
constexpr std::uint16_t kUp = 301;
constexpr std::uint16_t kDown = 302;

class TxEditTest : public TxFixture {
protected:
    // One text edit 300 pixels wide, filled with the paragraphs, caret at (par, line, chr).
    TXEDIT fill(std::uint16_t attrs, const Lines &pars, std::uint16_t par, std::uint16_t line,
                std::uint16_t chr, int width_px = 300) {
        const TXEDIT tx = make(attrs, width_px);
        for (const auto &p : pars)
            vkov_tx_add_par(tx, kEnd, p.c_str());
        vkov_tx_set_sel(tx, par, line, chr, par, line, chr);
        return tx;
    }

    static std::string clipboard() {
        if (!vkok_cb_open(FALSE))
            return "<closed>";
        std::uint32_t size = 0;
        const char *data = static_cast<const char *>(vkok_cb_get_data(CB_TEXT, nullptr, &size));
        std::string out = data != nullptr ? std::string(data, size) : "<none>";
        vkok_cb_close();
        return out;
    }
    static void put_clipboard(const std::string &text) {
        ASSERT_TRUE(vkok_cb_open(TRUE));
        char *data =
            static_cast<char *>(vkok_cb_alloc_data(static_cast<std::uint32_t>(text.size() + 1)));
        text.copy(data, text.size());
        vkok_cb_put_data(CB_TEXT, nullptr, static_cast<std::uint32_t>(text.size()), nullptr);
        vkok_cb_close();
    }

    // Pixel point of character chr of the view's line (from the top).
    static int x_of(int chr) { return 10 + chr * kCharPx + 2; }
    static int y_of(int line) { return 10 + line * kLinePx + 4; }
};

struct KeyCase {
    const char *why;
    std::uint16_t attrs;
    Lines before;
    std::uint16_t par, line, chr;                     // caret
    std::vector<std::pair<std::uint16_t, bool>> keys; // code, virtual
    Lines after;
    Sel caret;
};

// clang-format off
const KeyCase kKeyCases[] = {
    {"typing inserts at the caret", kWrap, {"ad"}, 0, 0, 1, {{'b', false}, {'c', false}},
     {"abcd"}, {0, 0, 3, 0, 0, 3}},
    {"overtype replaces the character after the caret", kWrap | kOvertype, {"abc"}, 0, 0, 0,
     {{'X', false}, {'Y', false}}, {"XYc"}, {0, 0, 2, 0, 0, 2}},
    {"overtype at the paragraph's end inserts", kWrap | kOvertype, {"ab"}, 0, 0, 2,
     {{'c', false}}, {"abc"}, {0, 0, 3, 0, 0, 3}},
    {"Backspace at a paragraph's start joins it to the previous one", kWrap, {"ab", "cd"}, 1, 0,
     0, {{8, false}}, {"abcd"}, {0, 0, 2, 0, 0, 2}},
    {"Backspace in the middle deletes one character", kWrap, {"abc"}, 0, 0, 2, {{8, false}},
     {"ac"}, {0, 0, 1, 0, 0, 1}},
    {"Delete at a paragraph's end joins the next one", kWrap, {"ab", "cd"}, 0, 0, 2,
     {{317, true}}, {"abcd"}, {0, 0, 2, 0, 0, 2}},
    {"Backspace at the very start does nothing", kWrap, {"ab"}, 0, 0, 0, {{8, false}}, {"ab"},
     {0, 0, 0, 0, 0, 0}},
    {"Return splits the paragraph at the caret", kWrap, {"abcd"}, 0, 0, 1, {{13, false}},
     {"a", "bcd"}, {1, 0, 0, 1, 0, 0}},
    {"Return at the start opens an empty paragraph before", kWrap, {"ab"}, 0, 0, 0,
     {{13, false}}, {"", "ab"}, {1, 0, 0, 1, 0, 0}},
    {"Return in a one-paragraph text edit does nothing", kWrap | kOnePar, {"ab"}, 0, 0, 1,
     {{13, false}}, {"ab"}, {0, 0, 1, 0, 0, 1}},
    {"keypad digits and characters type like the main keys", kWrap, {""}, 0, 0, 0,
     {{327, true}, {318, true}, {372, true}, {376, true}}, {"90*."}, {0, 0, 4, 0, 0, 4}},
    {"a read-only text edit ignores typing", kReadOnly | kWrap, {"ab"}, 0, 0, 1,
     {{'x', false}, {8, false}}, {"ab"}, {0, 0, 1, 0, 0, 1}},
};
// clang-format on

TEST_F(TxEditTest, KeysEditTheText) {
    for (const KeyCase &c : kKeyCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = fill(c.attrs, c.before, c.par, c.line, c.chr);
        for (const auto &[code, virt] : c.keys)
            EXPECT_TRUE(send_key(code, virt));
        EXPECT_EQ(paragraphs(tx), c.after);
        EXPECT_EQ(sel(tx), c.caret);
        vkov_tx_destroy(tx);
    }
}

TEST_F(TxEditTest, ReturnAtAWrappedLinesStartSplitsWithoutAReport) {
    // 80 pixels of wrap width: ten characters a line.
    const TXEDIT tx = fill(kWrap, {"aaaa bbbb cccc"}, 0, 1, 0, 82);
    ASSERT_EQ(text(tx), (std::vector<Lines>{{"aaaa bbbb ", "cccc"}}));
    take_reports();
    EXPECT_TRUE(send_key(13));
    EXPECT_EQ(text(tx), (std::vector<Lines>{{"aaaa bbbb "}, {"cccc"}}));
    EXPECT_EQ(sel(tx), (Sel{1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 2);
    EXPECT_TRUE(take_reports().empty());
}

// A deletion across paragraphs whose joined paragraph would be too large is refused: the text
// and the selection stay as they were.
TEST_F(TxEditTest, RefusedJoinKeepsTheTextAndTheSelection) {
    const std::string big(20000, 'x');
    const TXEDIT tx = fill(0, {big, big}, 0, 0, 0);
    vkov_tx_set_sel(tx, 0, 0, 19990, 1, 0, 10); // 19990 + 19990 bytes would be left joined
    take_reports();
    for (const auto &[code, virt] : {std::pair<std::uint16_t, bool>{317, true}, {'z', false}}) {
        SCOPED_TRACE(virt ? "Delete" : "typing");
        EXPECT_TRUE(send_key(code, virt));
        const Lines after = paragraphs(tx);
        EXPECT_TRUE(after == (Lines{big, big})) << "the text changed";
        EXPECT_EQ(sel(tx), (Sel{0, 0, 19990, 1, 0, 10}));
        const auto reports = take_reports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].code, 0x640000u);
    }
    // Paste does not insert its text beside a selection it could not replace.
    vkov_tx_set_active(tx);
    put_clipboard("pasted");
    EXPECT_TRUE(send_command(32029));
    EXPECT_TRUE(paragraphs(tx) == (Lines{big, big})) << "the text changed";
    EXPECT_EQ(sel(tx), (Sel{0, 0, 19990, 1, 0, 10}));
}

TEST_F(TxEditTest, TypingOverASelectionReplacesIt) {
    const TXEDIT tx = fill(kWrap, {"hello", "world"}, 0, 0, 0);
    vkov_tx_set_sel(tx, 0, 0, 2, 1, 0, 3);
    type("X");
    EXPECT_EQ(paragraphs(tx), (Lines{"heXld"}));
    EXPECT_EQ(sel(tx), (Sel{0, 0, 3, 0, 0, 3}));
}

// "abcd efgh" in 40 pixels: "abcd " and "efgh"; the end of line 0 is the start of line 1.
struct MoveCase {
    const char *why;
    std::uint16_t line, chr;
    std::uint16_t key;
    std::uint16_t want_par, want_line, want_chr;
};

// clang-format off
const MoveCase kMoveCases[] = {
    {"Left from the start of a wrapped line lands before the last character above", 1, 0, kLeft,
     0, 0, 4},
    {"Right from before a line's last character lands at the next line's start", 0, 4, kRight, 0,
     1, 0},
    {"Right inside a line moves one character", 0, 1, kRight, 0, 0, 2},
    {"Down keeps the pixel offset", 0, 2, kDown, 0, 1, 2},
    {"Up on the text's first line stays where it is", 0, 3, kUp, 0, 0, 3},
    {"Right at a paragraph's end goes to the next paragraph's start", 1, 4, kRight, 1, 0, 0},
    {"line end key goes to the line's character count", 1, 1, 308, 0, 1, 4},
    {"text end key goes to the last paragraph's end", 0, 0, 310, 1, 0, 2},
    {"word right skips the word and the spaces after it", 0, 1, 314, 0, 1, 0},
    {"word left goes to the word's start", 1, 3, 313, 0, 1, 0},
};
// clang-format on

TEST_F(TxEditTest, ArrowsMoveAcrossWrappedLinesAndParagraphs) {
    for (const MoveCase &c : kMoveCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = fill(kWrap, {"abcd efgh", "xy"}, 0, c.line, c.chr, 42);
        ASSERT_EQ(vkov_tx_get_num_par_lines(tx, 0), 2);
        send_key(c.key, true);
        EXPECT_EQ(sel(tx),
                  (Sel{c.want_par, c.want_line, c.want_chr, c.want_par, c.want_line, c.want_chr}));
        vkov_tx_destroy(tx);
    }
}

TEST_F(TxEditTest, ShiftArrowsExtendTheSelection) {
    const TXEDIT tx = fill(kWrap, {"abcdef"}, 0, 0, 2);
    send_key(kRight, true, true);
    send_key(kRight, true, true);
    EXPECT_EQ(sel(tx), (Sel{0, 0, 2, 0, 0, 4}));
    send_key(kLeft, true); // without shift: the selection collapses onto its end, then moves
    EXPECT_EQ(sel(tx), (Sel{0, 0, 3, 0, 0, 3}));
}

struct MouseCase {
    const char *why;
    std::vector<std::tuple<e_event, int, bool>> clicks; // event, character, shift
    Sel want;
};

// clang-format off
const MouseCase kMouseCases[] = {
    {"a click puts the caret at the nearest character", {{E_MOUSE_DOWN, 7, false}},
     {0, 0, 7, 0, 0, 7}},
    {"a double click selects exactly the word", {{E_MOUSE_DBL, 7, false}}, {0, 0, 6, 0, 0, 11}},
    {"shift-double-click in a later word extends to that word's end",
     {{E_MOUSE_DBL, 7, false}, {E_MOUSE_DBL, 14, true}},
     {0, 0, 6, 0, 0, 17}},
    {"shift-click extends from the far end of the selection",
     {{E_MOUSE_DOWN, 3, false}, {E_MOUSE_DOWN, 9, true}},
     {0, 0, 3, 0, 0, 9}},
    {"a double click between words changes nothing but the caret",
     {{E_MOUSE_DBL, 5, false}},
     {0, 0, 5, 0, 0, 5}},
};
// clang-format on

TEST_F(TxEditTest, MouseSelectsByCharacterAndWord) {
    for (const MouseCase &c : kMouseCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = fill(kWrap, {"hello world again"}, 0, 0, 0);
        for (const auto &[type, chr, shift] : c.clicks) {
            // The point lies on the character's left half, so the nearest boundary is its start.
            EXPECT_TRUE(send_mouse(type, 10 + chr * kCharPx + 2, y_of(0), shift));
            EXPECT_TRUE(send_mouse(E_MOUSE_UP, 10 + chr * kCharPx + 2, y_of(0), shift));
        }
        EXPECT_EQ(sel(tx), c.want);
        vkov_tx_destroy(tx);
    }
}

TEST_F(TxEditTest, DraggingExtendsTheSelectionAndOutsideClicksAreNotConsumed) {
    const TXEDIT tx = fill(kWrap, {"hello world", "second"}, 0, 0, 0);
    EXPECT_TRUE(send_mouse(E_MOUSE_DOWN, x_of(2), y_of(0)));
    EXPECT_TRUE(send_mouse(E_MOUSE_MOVE, x_of(3), y_of(1)));
    EXPECT_TRUE(send_mouse(E_MOUSE_UP, x_of(3), y_of(1)));
    EXPECT_EQ(sel(tx), (Sel{0, 0, 2, 1, 0, 3}));
    EXPECT_FALSE(send_mouse(E_MOUSE_MOVE, x_of(4), y_of(1))); // no longer tracking
    EXPECT_FALSE(send_mouse(E_MOUSE_DOWN, 500, 300));         // outside every text edit
}

TEST_F(TxEditTest, ReadOnlyNoCopyIgnoresSelectionClicks) {
    const TXEDIT tx = fill(kReadOnly | kNoCopy | kWrap, {"hello"}, 0, 0, 1);
    EXPECT_TRUE(send_mouse(E_MOUSE_DOWN, x_of(3), y_of(0)));
    EXPECT_FALSE(send_mouse(E_MOUSE_UP, x_of(3), y_of(0)));
    EXPECT_EQ(sel(tx), (Sel{0, 0, 1, 0, 0, 1}));
}

TEST_F(TxEditTest, CopyCutPasteAndClearUseCrLfBetweenParagraphs) {
    const TXEDIT tx = fill(kWrap, {"abc", "def", "ghi"}, 0, 0, 0);
    vkov_tx_set_active(tx);
    vkov_tx_set_sel(tx, 0, 0, 1, 2, 0, 2);
    EXPECT_TRUE(send_command(32028)); // Copy
    EXPECT_EQ(clipboard(), "bc\r\ndef\r\ngh");
    EXPECT_EQ(paragraphs(tx), (Lines{"abc", "def", "ghi"}));

    EXPECT_TRUE(send_command(32027)); // Cut
    EXPECT_EQ(paragraphs(tx), (Lines{"ai"}));
    EXPECT_EQ(sel(tx), (Sel{0, 0, 1, 0, 0, 1}));

    EXPECT_TRUE(send_command(32029)); // Paste puts the paragraphs back
    EXPECT_EQ(paragraphs(tx), (Lines{"abc", "def", "ghi"}));
    EXPECT_EQ(sel(tx), (Sel{2, 0, 2, 2, 0, 2}));

    vkov_tx_set_sel(tx, 1, 0, 0, 1, 0, 3);
    EXPECT_TRUE(send_command(32030)); // Clear
    EXPECT_EQ(paragraphs(tx), (Lines{"abc", "", "ghi"}));
}

TEST_F(TxEditTest, PasteIntoOneParagraphJoinsTheLines) {
    const TXEDIT tx = fill(kWrap | kOnePar, {"<>"}, 0, 0, 1);
    vkov_tx_set_active(tx);
    put_clipboard("ab\r\ncd\nef");
    EXPECT_TRUE(send_command(32029));
    EXPECT_EQ(paragraphs(tx), (Lines{"<abcdef>"}));
}

struct PasteCase {
    const char *why;
    std::uint16_t limit;
    Lines before;
    Sel selection; // anchor and end as vkov_tx_set_sel takes them
    std::string clip;
    Lines after;
    Sel caret;
};

// clang-format off
const PasteCase kPasteCases[] = {
    {"each kind of line end splits a paragraph", 0, {"<>"}, {0, 0, 1, 0, 0, 1},
     "a\nb\rc\r\nd", {"<a", "b", "c", "d>"}, {3, 0, 1, 3, 0, 1}},
    {"a final line end leaves the caret at the next paragraph's start", 0, {"ab"},
     {0, 0, 1, 0, 0, 1}, "x\r\n", {"ax", "b"}, {1, 0, 0, 1, 0, 0}},
    {"empty lines become empty paragraphs", 0, {"ab"}, {0, 0, 1, 0, 0, 1}, "\r\n\r\n",
     {"a", "", "b"}, {2, 0, 0, 2, 0, 0}},
    {"the paste replaces a selection across paragraphs", 0, {"abc", "def"}, {0, 0, 1, 1, 0, 2},
     "X\r\nY", {"aX", "Yf"}, {1, 0, 1, 1, 0, 1}},
    {"the limit cuts each line to the room of its paragraph", 3, {"ab"}, {0, 0, 2, 0, 0, 2},
     "xyz\r\nuv", {"abx", "uv"}, {1, 0, 2, 1, 0, 2}},
    {"a full paragraph takes nothing, the next line still goes in", 3, {"abc"},
     {0, 0, 3, 0, 0, 3}, "x\r\ny", {"abc", "y"}, {1, 0, 1, 1, 0, 1}},
};
// clang-format on

TEST_F(TxEditTest, PasteSplitsAtEveryLineEnd) {
    for (const PasteCase &c : kPasteCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(kWrap, 300, 0, c.limit);
        for (const auto &p : c.before)
            vkov_tx_add_par(tx, kEnd, p.c_str());
        vkov_tx_set_active(tx);
        const Sel &s = c.selection;
        vkov_tx_set_sel(tx, s.sp, s.sl, s.sc, s.ep, s.el, s.ec);
        put_clipboard(c.clip);
        EXPECT_TRUE(send_command(32029));
        EXPECT_EQ(paragraphs(tx), c.after);
        EXPECT_EQ(sel(tx), c.caret);
        EXPECT_EQ(vkov_tx_get_num_lines(tx), c.after.size());
        EXPECT_TRUE(take_reports().empty());
        vkov_tx_destroy(tx);
    }
}

TEST_F(TxEditTest, PasteLeavesOutALineTooLongForAParagraphAndGoesOn) {
    const TXEDIT tx = fill(kWrap, {"ab"}, 0, 0, 1);
    vkov_tx_set_active(tx);
    put_clipboard("pre\r\n" + std::string(40000, 'x') + "\r\npost");
    EXPECT_TRUE(send_command(32029));
    EXPECT_EQ(paragraphs(tx), (Lines{"apre", "", "postb"}));
    EXPECT_EQ(sel(tx), (Sel{2, 0, 4, 2, 0, 4}));
    const auto reports = take_reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].code, 0x640000u);
}

TEST_F(TxEditTest, CommandsNeedTheFocusAndRespectTheAttributes) {
    const TXEDIT tx = fill(kReadOnly | kWrap, {"abc"}, 0, 0, 0);
    vkov_tx_set_sel(tx, 0, 0, 0, 0, 0, 2);
    vkok_scr_set_focus_vobj(nullptr);
    EXPECT_FALSE(send_command(32028)); // no text edit holds the focus
    vkov_tx_set_active(tx);
    EXPECT_TRUE(send_command(32027)); // consumed, but read-only: nothing is cut
    EXPECT_EQ(paragraphs(tx), (Lines{"abc"}));
    EXPECT_TRUE(send_command(32028));
    EXPECT_EQ(clipboard(), "ab");
    EXPECT_FALSE(send_command(32031)); // not an edit command
}

struct MenuCase {
    const char *why;
    std::uint16_t attrs;
    bool selection;
    bool clipboard_text;
    bool paste, copy, cut, clear; // enabled after the text edit gains the focus
};

// clang-format off
const MenuCase kMenuCases[] = {
    {"a writable text with a selection enables everything", kWrap, true, true, true, true, true,
     true},
    {"no selection and an empty clipboard enable nothing", kWrap, false, false, false, false,
     false, false},
    {"read-only keeps only Copy", kReadOnly | kWrap, true, true, false, true, false, false},
    {"no copy, no cut and no paste leave Clear", kWrap | kNoCopy | 0x0200 | 0x0400, true, true,
     false, false, false, true},
    {"Clear may stay enabled with an empty selection", kWrap | 0x1000, false, true, true, false,
     false, true},
    {"a text edit that never updates the menu leaves it alone", kWrap | 0x0800, false, false,
     true, true, true, true},
};
// clang-format on

TEST_F(TxEditTest, EditMenuFollowsSelectionAttributesAndClipboard) {
    s_mitem items[5] = {};
    for (int i = 0; i < 4; ++i) {
        items[i].tag = static_cast<std::int16_t>(32027 + i);
        items[i].enabled = 1;
    }
    vkok_menu_set_tree(its_win, items);
    for (const MenuCase &c : kMenuCases) {
        SCOPED_TRACE(c.why);
        for (std::int16_t tag = 32027; tag <= 32030; ++tag)
            vkok_menu_set_item_enabled(its_win, tag, TRUE);
        if (c.clipboard_text) {
            put_clipboard("clip");
        } else {
            ASSERT_TRUE(vkok_cb_open(TRUE)); // opening for writing empties it
            vkok_cb_close();
        }
        const TXEDIT tx = fill(c.attrs, {"abc"}, 0, 0, 1);
        if (c.selection)
            vkov_tx_set_sel(tx, 0, 0, 0, 0, 0, 2);
        EVENT focus{};
        focus.type = E_FOCUS;
        focus.v.focus.active = TRUE;
        vkovo_tx_process_event(its_win, &focus);
        MENU_TREE tree = vkok_menu_get_tree(its_win);
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(tree[2].enabled != 0, c.paste);
        EXPECT_EQ(tree[1].enabled != 0, c.copy);
        EXPECT_EQ(tree[0].enabled != 0, c.cut);
        EXPECT_EQ(tree[3].enabled != 0, c.clear);
        vkov_res_free_menu_tree(tree);
        vkov_tx_destroy(tx);
    }
}

} // namespace
