// The exports in object mode: slots and handles, creation from a definition, selection and
// origin queries, the line-access protocol, and operations on handles that hold no record.
#include "tx_test_support.h"

#include <functional>
#include <string>
#include <vector>

#include "vkobase/mem.h"

namespace {

using txtest::Sel;
using txtest::TxFixture;
using Lines = std::vector<std::string>;

constexpr std::uint16_t kWrap = 0x0002;
constexpr std::uint16_t kEnd = 65535;
constexpr std::uint32_t kNoRecord = 0x1740001;

class TxExportTest : public TxFixture {};

TEST_F(TxExportTest, SlotsAreNumberedFromOneAndReused) {
    const TXEDIT first = make(kWrap, 100);
    const TXEDIT second = make(kWrap, 100);
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(second, 2u);
    EXPECT_TRUE(vkov_tx_is_valid(first));
    EXPECT_FALSE(vkov_tx_is_valid(0));
    EXPECT_TRUE(vkov_tx_destroy(first));
    EXPECT_FALSE(vkov_tx_is_valid(first));
    EXPECT_EQ(vkov_tx_get_next_tx(0, its_win), second);
    EXPECT_EQ(vkov_tx_get_next_tx(second, its_win), 0u);
    EXPECT_EQ(make(kWrap, 100), 1u);
    EXPECT_EQ(vkov_tx_get_next_tx(0, nullptr), 1u);
}

TEST_F(TxExportTest, CreatesFromADefinitionAndFindsItByControlId) {
    char text[] = "first paragraph";
    s_win_def def{};
    def.type = WC_TEXTEDIT;
    def.rct = s_rct{20, 20, 100, 220};
    def.text = text;
    def.id = 42;
    def.tx_attrs = kWrap;
    def.tx_limit = 100;
    def.font = its_font;
    const TXEDIT tx = vkov_tx_create_def(&def, its_win, 777);
    ASSERT_NE(tx, 0u);
    EXPECT_EQ(paragraphs(tx), (Lines{"first paragraph"}));
    EXPECT_EQ(vkov_tx_get_cid(tx), 42);
    EXPECT_EQ(vkov_tx_get_data(tx), 777);
    EXPECT_EQ(vkov_tx_get_limit(tx), 100);
    EXPECT_EQ(vkov_tx_get_attr(tx), kWrap);
    EXPECT_EQ(vkov_tx_get_win(tx), its_win);
    EXPECT_EQ(vkov_tx_get_tx(its_win, 42), tx);
    EXPECT_EQ(vkov_tx_get_tx(its_win, 43), 0u);
    s_rct r{};
    EXPECT_EQ(vkov_tx_get_rect(tx, &r), &r);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 220);
    take_reports();
    EXPECT_EQ(vkov_tx_get_tx(nullptr, 42), 0u);
    const auto reports = take_reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].code, 0x1220002u);
    EXPECT_EQ(reports[0].module, "vtxo");
}

TEST_F(TxExportTest, SelectionIsClampedAndReturnedInTextOrder) {
    const TXEDIT tx = make(kWrap, 300);
    for (const char *p : {"one", "two", "three"})
        vkov_tx_add_par(tx, kEnd, p);
    struct Case {
        const char *why;
        std::uint16_t ap, al, ac, ep, el, ec;
        Sel want;
        // clang-format off
    } cases[] = {
        {"paragraph 65535 means the end of the text", kEnd, 0, 0, kEnd, 0, 0, {2, 0, 5, 2, 0, 5}},
        {"an anchor after the end comes back second", 2, 0, 2, 0, 0, 1, {0, 0, 1, 2, 0, 2}},
        {"a line beyond the paragraph means its end", 1, 9, 0, 1, 9, 0, {1, 0, 3, 1, 0, 3}},
        {"a character beyond the line is cut to it", 0, 0, 80, 0, 0, 80, {0, 0, 3, 0, 0, 3}},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_tx_set_sel(tx, c.ap, c.al, c.ac, c.ep, c.el, c.ec);
        EXPECT_EQ(sel(tx), c.want);
    }
}

TEST_F(TxExportTest, OriginAndSettingsQueries) {
    const TXEDIT tx = make(kWrap, 50);
    vkov_tx_add_par(tx, kEnd, "aaaaaab");
    vkov_tx_get_origin(tx, nullptr, nullptr, nullptr, nullptr); // valid, does nothing
    std::uint16_t par = 9, line = 9, top = 9, hor = 9;
    vkov_tx_get_origin(tx, &par, &line, &top, &hor);
    EXPECT_EQ((std::vector<int>{par, line, top, hor}), (std::vector<int>{0, 0, 0, 0}));

    vkov_tx_set_margin(tx, 16);
    EXPECT_EQ(vkov_tx_get_margin(tx), 16);
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 4); // two characters a line
    vkov_tx_set_margin(tx, -5);
    EXPECT_EQ(vkov_tx_get_margin(tx), 0);
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 2); // back to the view width less 2

    vkov_tx_set_tabstop(tx, 4);
    EXPECT_EQ(vkov_tx_get_tabstop(tx), 4);
    vkov_tx_set_data(tx, -3);
    EXPECT_EQ(vkov_tx_get_data(tx), -3);
    vkov_tx_set_limit(tx, 2); // text already there is not cut
    EXPECT_EQ(paragraphs(tx), (Lines{"aaaaaab"}));
    EXPECT_EQ(vkov_tx_get_num_chars(tx, 0, 1), 1);
    EXPECT_EQ(vkov_tx_get_num_chars(tx, 0, 7), 1); // the line is clamped
    EXPECT_EQ(vkov_tx_get_num_chars(tx, 4, 0), 0);

    FONT_OBJ font = vkov_tx_get_font(tx);
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font, its_font);
    EXPECT_EQ(vkov_font_get_size(font), 12);
    vkov_font_destroy(font);

    s_color_pair *colors = vkov_tx_get_native_colors();
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(colors[0].component, VKO_CC_FORE);
    EXPECT_EQ(colors[0].color, 0x07000000u);
    EXPECT_EQ(colors[1].component, VKO_CC_BACK);
    EXPECT_EQ(colors[1].color, 0x0BFFFFFFu);
    EXPECT_EQ(colors[2].component, VKO_CC_BORDER);
    EXPECT_EQ(colors[3].component, 0);
    vkov_mem_free(colors);
}

// The line a caller opened stays open while the engine draws, and a second open replaces it.
TEST_F(TxExportTest, OpenParagraphSurvivesRedrawsAndASecondOpen) {
    const TXEDIT tx = make(kWrap, 300);
    vkov_tx_add_par(tx, kEnd, "first");
    vkov_tx_add_par(tx, kEnd, "second");
    std::uint16_t len = 0;
    vkov_tx_get_line(tx, 0, 0, 0, nullptr);
    vkov_tx_add_par(tx, kEnd, "third"); // draws lines of other paragraphs
    EVENT update{};
    update.type = E_UPDATE;
    EXPECT_FALSE(vkovo_tx_process_event(its_win, &update));
    const char *line = vkov_tx_get_line(tx, 0, 1, 0, &len);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(std::string(line, len), "first");

    vkov_tx_get_line(tx, 1, 0, 0, nullptr); // replaces paragraph 0: lines now come from 1
    line = vkov_tx_get_line(tx, 0, 1, 0, &len);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(std::string(line, len), "second");
    vkov_tx_get_line(tx, 0, 2, 0, nullptr);

    take_reports();
    len = 7;
    EXPECT_EQ(vkov_tx_get_line(tx, 0, 1, 0, &len), nullptr); // nothing open
    EXPECT_EQ(len, 0);
    EXPECT_EQ(vkov_tx_get_line(tx, 5, 0, 0, &len), nullptr); // no such paragraph
    const auto reports = take_reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].code, kNoRecord);
    EXPECT_EQ(reports[1].code, 0x1260002u);
}

// After the report about a missing record nothing goes on: the neutral value comes back.
TEST_F(TxExportTest, HandleWithoutRecordGivesTheNeutralValue) {
    const TXEDIT live = make(kWrap, 100);
    vkov_tx_add_par(live, kEnd, "kept");
    const TXEDIT gone = make(kWrap, 100);
    vkov_tx_destroy(gone);
    s_rct r{1, 2, 3, 4};
    struct Case {
        const char *why;
        std::function<bool()> neutral;
        // clang-format off
    } cases[] = {
        {"add_par", [&] { return vkov_tx_add_par(gone, kEnd, "x") == FALSE; }},
        {"get_num_pars", [&] { return vkov_tx_get_num_pars(gone) == 0; }},
        {"get_line", [&] { return vkov_tx_get_line(gone, 0, 0, 0, nullptr) == nullptr; }},
        {"get_rect", [&] { return vkov_tx_get_rect(gone, &r) == nullptr && r.top == 1; }},
        {"get_font", [&] { return vkov_tx_get_font(gone) == nullptr; }},
        {"set_par", [&] { return vkov_tx_set_par(gone, 0, "x") == FALSE; }},
        {"clear", [&] { return vkov_tx_clear(gone) == FALSE; }},
        {"destroy", [&] { return vkov_tx_destroy(gone) == FALSE; }},
        {"scroll_vert", [&] {
             vkov_tx_scroll_vert(gone, 3);
             return true;
         }},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        take_reports();
        EXPECT_TRUE(c.neutral());
        const auto reports = take_reports();
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back().code, kNoRecord);
        EXPECT_EQ(reports.back().module, "vtxo");
    }
    EXPECT_EQ(vkov_tx_get_cid(gone), 0); // the control id answers 0 without a report
    EXPECT_TRUE(take_reports().empty());
    EXPECT_EQ(paragraphs(live), (Lines{"kept"}));
}

// A scroll callback may destroy its own text edit in the middle of an edit: the edit finishes on
// the record and the text edit goes when the edit ends.
TEST_F(TxExportTest, ScrollCallbackMayDestroyItsTextEdit) {
    static int calls;
    calls = 0;
    const TXEDIT tx = make(kWrap, 82);
    vkov_tx_add_par(tx, kEnd, "x");
    vkov_tx_set_scroll_callback(tx, [](TXEDIT self, std::uint16_t, std::uint16_t, std::uint16_t) {
        if (calls++ == 0) {
            EXPECT_TRUE(vkov_tx_destroy(self));
        }
    });
    take_reports();
    vkov_tx_append(tx, 0, " aaaa bbbb cccc dddd"); // wraps: the line count changes
    EXPECT_EQ(calls, 1);                           // the callback went with the destroy
    EXPECT_FALSE(vkov_tx_is_valid(tx));
    EXPECT_TRUE(take_reports().empty());
    const TXEDIT next = make(kWrap, 82);
    EXPECT_EQ(next, tx); // the slot is free again
    EXPECT_TRUE(vkov_tx_add_par(next, kEnd, "fresh"));
    EXPECT_EQ(paragraphs(next), (Lines{"fresh"}));
}

} // namespace
