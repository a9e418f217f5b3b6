// The text model: line breaking, character limits, one-paragraph mode, replacing and deleting
// across paragraphs, and the limits on block size and line count.
#include "tx_test_support.h"

#include "vkobase/dwin.h"
#include "vkobase/surface_debug.h"

#include <string>
#include <vector>

namespace {

using txtest::Sel;
using txtest::TxFixture;
using Lines = std::vector<std::string>;

constexpr std::uint16_t kWrap = 0x0002;
constexpr std::uint16_t kOnePar = 0x0080;
constexpr std::uint16_t kEnd = 65535;

class TxModelTest : public TxFixture {};

struct BreakCase {
    const char *why;
    std::uint16_t attrs;
    int width_px; // view width; the wrap width is this less 2 when the margin is 0
    std::int16_t margin;
    const char *text;
    Lines want;
};

// clang-format off
const BreakCase kBreakCases[] = {
    {"a second word that does not fit starts the next line", kWrap, 50, 0, "aaa bbb",
     {"aaa ", "bbb"}},
    {"spaces after a word stay on its line", kWrap, 42, 0, "aaa   bbb", {"aaa   ", "bbb"}},
    {"a word wider than the line is split between characters", kWrap, 34, 0, "abcdefghij",
     {"abcd", "efgh", "ij"}},
    {"a line narrower than a character still takes one", kWrap, 6, 0, "abc", {"a", "b", "c"}},
    {"margin 0 wraps at the view width less 2: six characters fit in 48", kWrap, 50, 0,
     "aaaaaab", {"aaaaaa", "b"}},
    {"margin 0 wraps at the view width less 2: 47 pixels hold five", kWrap, 49, 0, "aaaaaab",
     {"aaaaa", "ab"}},
    {"a border insets the view by 4 pixels: 58 wide wraps at 48", kWrap | 0x0010, 58, 0,
     "aaaaaab", {"aaaaaa", "b"}},
    {"an explicit margin is the wrap width whatever the view", kWrap, 300, 24, "aa bb cc",
     {"aa ", "bb ", "cc"}},
    {"without word wrap a paragraph is one line", 0, 34, 0, "aaa bbb ccc dddd",
     {"aaa bbb ccc dddd"}},
    {"an empty paragraph is one empty line", kWrap, 50, 0, "", {""}},
};
// clang-format on

TEST_F(TxModelTest, BreaksParagraphsIntoLines) {
    for (const BreakCase &c : kBreakCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(c.attrs, c.width_px, c.margin);
        ASSERT_NE(tx, 0u);
        ASSERT_TRUE(vkov_tx_add_par(tx, kEnd, c.text));
        const auto got = text(tx);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0], c.want);
        EXPECT_EQ(vkov_tx_get_num_lines(tx), c.want.size());
        vkov_tx_destroy(tx);
    }
}

TEST_F(TxModelTest, RebreaksWhenTextGrowsAndShrinks) {
    const TXEDIT tx = make(kWrap, 50);
    ASSERT_TRUE(vkov_tx_add_par(tx, kEnd, "aaa"));
    ASSERT_TRUE(vkov_tx_append(tx, 0, " bbb ccc"));
    EXPECT_EQ(text(tx)[0], (Lines{"aaa ", "bbb ", "ccc"}));
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 3);
    // Deleting the first word pulls the second one up.
    vkov_tx_set_sel(tx, 0, 0, 0, 0, 0, 4);
    send_key(8);
    EXPECT_EQ(text(tx)[0], (Lines{"bbb ", "ccc"}));
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 2);
}

TEST_F(TxModelTest, MarginChangeBreaksEveryLineAgain) {
    const TXEDIT tx = make(kWrap, 50);
    vkov_tx_add_par(tx, kEnd, "abcdefghijklmnopqrstuvwx");
    EXPECT_EQ(text(tx)[0], (Lines{"abcdef", "ghijkl", "mnopqr", "stuvwx"}));
    vkov_tx_set_margin(tx, 24);
    EXPECT_EQ(text(tx)[0], (Lines{"abc", "def", "ghi", "jkl", "mno", "pqr", "stu", "vwx"}));
}

// Edits break a paragraph again only from the changed line on; the result must be the lines a
// fresh text edit gives for the same text.
struct EditCase {
    const char *why;
    std::uint16_t line, chr;
    const char *keys; // typed at (line, chr); '\b' is Backspace
};

// clang-format off
const EditCase kEditCases[] = {
    {"a word typed into the first line pushes words down", 0, 2, "xxxxx "},
    {"a space typed into a long word lets it break there", 1, 3, " "},
    {"Backspace over a space joins two words", 2, 1, "\b"},
    {"deleting a whole word pulls the next lines up", 3, 4, "\b\b\b\b"},
    {"typing at the very end adds a line", 9, 65535, " tail"},
};
// clang-format on

TEST_F(TxModelTest, EditsGiveTheSameLinesAsAFreshBreak) {
    const char *const start = "one two three fourfivesix seven eight nine ten eleven twelve";
    for (const EditCase &c : kEditCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(kWrap, 66);
        vkov_tx_add_par(tx, kEnd, start);
        vkov_tx_set_sel(tx, 0, c.line, c.chr, 0, c.line, c.chr);
        for (const char *k = c.keys; *k != '\0'; ++k)
            send_key(static_cast<unsigned char>(*k));
        const std::string edited = paragraphs(tx)[0];
        EXPECT_NE(edited, start);
        const TXEDIT fresh = make(kWrap, 66);
        vkov_tx_add_par(fresh, kEnd, edited.c_str());
        EXPECT_EQ(text(tx), text(fresh));
        EXPECT_EQ(vkov_tx_get_num_lines(tx), vkov_tx_get_num_lines(fresh));
        vkov_tx_destroy(tx);
        vkov_tx_destroy(fresh);
    }
}

struct LimitCase {
    const char *why;
    std::uint16_t limit;
    const char *first;
    const char *append;
    BOOLEAN appended;
    const char *want;
};

// clang-format off
const LimitCase kLimitCases[] = {
    {"room for three of five characters inserts the first three", 6, "abc", "defgh", TRUE,
     "abcdef"},
    {"a paragraph at its limit takes nothing", 3, "abc", "d", FALSE, "abc"},
    {"no limit takes everything", 0, "abc", "defgh", TRUE, "abcdefgh"},
};
// clang-format on

TEST_F(TxModelTest, CharacterLimitCutsInsertions) {
    for (const LimitCase &c : kLimitCases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(kWrap, 300, 0, c.limit);
        ASSERT_TRUE(vkov_tx_add_par(tx, kEnd, c.first));
        EXPECT_EQ(vkov_tx_append(tx, 0, c.append), c.appended);
        EXPECT_EQ(paragraphs(tx), (Lines{c.want}));
        vkov_tx_destroy(tx);
    }
}

TEST_F(TxModelTest, TypingStopsAtTheLimitAndReplacingCutsTheText) {
    const TXEDIT tx = make(kWrap, 300, 0, 4);
    vkov_tx_add_par(tx, kEnd, "");
    type("abcdef");
    EXPECT_EQ(paragraphs(tx), (Lines{"abcd"}));
    EXPECT_TRUE(vkov_tx_set_par(tx, 0, "uvwxyz"));
    EXPECT_EQ(paragraphs(tx), (Lines{"uvwx"}));
}

TEST_F(TxModelTest, OneParagraphModeRefusesASecondParagraph) {
    const TXEDIT tx = make(kWrap | kOnePar, 300);
    EXPECT_TRUE(vkov_tx_add_par(tx, kEnd, "one"));
    EXPECT_FALSE(vkov_tx_add_par(tx, kEnd, "two"));
    vkov_tx_set_sel(tx, 0, 0, 1, 0, 0, 1);
    send_key(13);
    EXPECT_EQ(paragraphs(tx), (Lines{"one"}));
}

TEST_F(TxModelTest, AddsAppendsAndRemovesParagraphsByIndex) {
    const TXEDIT tx = make(kWrap, 300);
    EXPECT_TRUE(vkov_tx_append(tx, kEnd, "x")); // an empty text gets its first paragraph
    EXPECT_TRUE(vkov_tx_add_par(tx, kEnd, "c"));
    EXPECT_TRUE(vkov_tx_add_par(tx, 1, "b"));
    EXPECT_TRUE(vkov_tx_add_par(tx, 0, "a"));
    EXPECT_TRUE(vkov_tx_append(tx, kEnd, "!"));
    EXPECT_EQ(paragraphs(tx), (Lines{"a", "x", "b", "c!"}));
    EXPECT_TRUE(vkov_tx_rem_par(tx, 1));
    EXPECT_FALSE(vkov_tx_rem_par(tx, 7));
    EXPECT_EQ(take_reports().back().code, 0x1260002u);
    EXPECT_EQ(paragraphs(tx), (Lines{"a", "b", "c!"}));
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 3);
    EXPECT_TRUE(vkov_tx_clear(tx));
    EXPECT_EQ(vkov_tx_get_num_pars(tx), 0);
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 0);
}

TEST_F(TxModelTest, DeletingAcrossParagraphsJoinsHeadAndTail) {
    const TXEDIT tx = make(kWrap, 300);
    for (const char *p : {"hello", "big", "world", "after"})
        vkov_tx_add_par(tx, kEnd, p);
    vkov_tx_set_sel(tx, 2, 0, 3, 0, 0, 4); // anchor after the end: deletion orders them
    send_key(317, true);
    EXPECT_EQ(paragraphs(tx), (Lines{"hellld", "after"}));
    EXPECT_EQ(sel(tx), (Sel{0, 0, 4, 0, 0, 4}));
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 2);
}

// Replacing a paragraph with a text that cannot go in must leave the old text.
TEST_F(TxModelTest, RefusedReplacementKeepsTheOldText) {
    const std::string huge(32700, 'z');
    struct Case {
        const char *why;
        std::uint16_t limit;
        BOOLEAN replaced;
        const char *want_prefix;
        std::size_t want_len;
        // clang-format off
    } cases[] = {
        {"a block that would reach 32767 bytes is refused first", 0, FALSE, "old", 3},
        {"the limit cuts the text before the size is judged", 10, TRUE, "zzz", 10},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(kWrap, 300, 0, c.limit);
        vkov_tx_add_par(tx, kEnd, "old");
        take_reports();
        EXPECT_EQ(vkov_tx_set_par(tx, 0, huge.c_str()), c.replaced);
        const auto pars = paragraphs(tx);
        ASSERT_EQ(pars.size(), 1u);
        EXPECT_EQ(pars[0].size(), c.want_len);
        EXPECT_EQ(pars[0].substr(0, 3), c.want_prefix);
        if (!c.replaced) {
            const auto reports = take_reports();
            ASSERT_FALSE(reports.empty());
            EXPECT_EQ(reports.back().code, 0x640000u);
        }
        vkov_tx_destroy(tx);
    }
}

TEST_F(TxModelTest, InsertionThatWouldOverfillTheBlockIsRefused) {
    const TXEDIT tx = make(kWrap, 300);
    vkov_tx_add_par(tx, kEnd, std::string(20000, 'a').c_str());
    EXPECT_FALSE(vkov_tx_append(tx, 0, std::string(13000, 'b').c_str()));
    EXPECT_EQ(take_reports().back().code, 0x640000u);
    EXPECT_EQ(paragraphs(tx)[0], std::string(20000, 'a'));
    EXPECT_FALSE(vkov_tx_add_par(tx, kEnd, std::string(70000, 'c').c_str()));
    EXPECT_EQ(take_reports().back().code, 0x1260002u);
}

// Line counts are 16-bit: growth past 65,534 lines is refused and changes nothing.
TEST_F(TxModelTest, RefusesGrowthBeyondTheLineCountLimit) {
    const TXEDIT tx = make(kWrap, 34);
    vkov_tx_suspend(tx);
    for (int i = 0; i < 65533; ++i)
        ASSERT_TRUE(vkov_tx_add_par(tx, kEnd, "x"));
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 65533);
    take_reports();
    // "abcdefgh" needs two lines of four characters: one too many.
    EXPECT_FALSE(vkov_tx_add_par(tx, kEnd, "abcdefgh"));
    EXPECT_FALSE(vkov_tx_append(tx, kEnd, "abcdefgh"));
    EXPECT_EQ(vkov_tx_get_num_pars(tx), 65533);
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 65533);
    std::uint16_t len = 0;
    vkov_tx_get_line(tx, 65532, 0, 0, nullptr);
    const char *last = vkov_tx_get_line(tx, 65532, 1, 0, &len);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(std::string(last, len), "x");
    vkov_tx_get_line(tx, 65532, 2, 0, nullptr);
    EXPECT_TRUE(vkov_tx_add_par(tx, kEnd, "y"));
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 65534);
    EXPECT_FALSE(vkov_tx_add_par(tx, kEnd, "z"));
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 65534);
}

// A deletion spanning more than five lines moves no pixels on the way and repaints the whole
// text edit once at the end; a shorter one scrolls and redraws as it goes.
TEST_F(TxModelTest, LargeDeletionsRepaintOnce) {
    struct Case {
        const char *why;
        std::uint16_t last_par;
        bool drawn_on_the_way;
        // clang-format off
    } cases[] = {
        {"six lines apart: suspended, the area is invalidated", 6, false},
        {"five lines apart: line by line", 5, true},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const TXEDIT tx = make(kWrap, 300);
        for (int i = 0; i < 10; ++i)
            vkov_tx_add_par(tx, kEnd, ("par" + std::to_string(i)).c_str());
        vkov_tx_set_sel(tx, 0, 0, 1, c.last_par, 0, 1);
        vkov_debug_draw_log_clear(its_win);
        send_key(8);
        int scrolls = 0; // the lines below move up only when drawing goes on
        for (int i = 0; i < vkov_debug_draw_log_size(its_win); ++i) {
            vkov_draw_log_entry entry{};
            vkov_debug_draw_log_get(its_win, i, &entry);
            scrolls += std::string(entry.op) == "scroll_rect" ? 1 : 0;
        }
        EXPECT_EQ(scrolls > 0, c.drawn_on_the_way);
        const s_rct outer{10, 10, 170, 310};
        if (!c.drawn_on_the_way) { // the one repaint is left to the next update
            EXPECT_TRUE(vkok_dwin_is_update_needed(its_win, &outer));
        }
        vkok_app_process_pending_events();
        EXPECT_EQ(paragraphs(tx).front(), "p" + std::string("ar") + std::to_string(c.last_par));
        EXPECT_EQ(vkov_tx_get_num_pars(tx), 10 - c.last_par);
        vkov_tx_destroy(tx);
    }
}

TEST_F(TxModelTest, ParagraphAddedAboveKeepsTheSelectionOnItsText) {
    const TXEDIT tx = make(kWrap, 300);
    vkov_tx_add_par(tx, kEnd, "aa");
    vkov_tx_add_par(tx, kEnd, "bbbb");
    vkov_tx_set_sel(tx, 1, 0, 1, 1, 0, 3);
    EXPECT_TRUE(vkov_tx_add_par(tx, 0, "new"));
    EXPECT_EQ(sel(tx), (Sel{2, 0, 1, 2, 0, 3}));
    type("X");
    EXPECT_EQ(paragraphs(tx), (Lines{"new", "aa", "bXb"}));
}

} // namespace
