// The exports behave alike in object mode (the handle is a slot) and in window mode (the handle
// is the text-edit window), apart from what each mode answers from its window; and every export
// gives the caller's drawing state back.
#include "tx_test_support.h"

#include <cstring>
#include <string>
#include <vector>

#include "vkobase/dwin.h"

namespace {

using txtest::Sel;
using txtest::TxFixture;
using Lines = std::vector<std::string>;

constexpr std::uint16_t kWrap = 0x0002;
constexpr std::uint16_t kEnd = 65535;

class TxModesTest : public TxFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override { start(GetParam()); }
};

TEST_P(TxModesTest, ExportsReachTheRecordThroughEitherHandle) {
    const TXEDIT tx = make(kWrap, 100);
    ASSERT_NE(tx, 0u);
    EXPECT_TRUE(vkov_tx_is_valid(tx));
    EXPECT_FALSE(vkov_tx_is_valid(0));
    EXPECT_EQ(vkov_tx_get_win(tx), its_win);
    if (GetParam())
        EXPECT_EQ(tx, 1u);
    else
        EXPECT_EQ(reinterpret_cast<WINDOW>(tx)->parent, its_win);

    EXPECT_TRUE(vkov_tx_add_par(tx, kEnd, "alpha beta"));
    EXPECT_TRUE(vkov_tx_add_par(tx, 0, "zero"));
    EXPECT_TRUE(vkov_tx_append(tx, kEnd, " gamma"));
    EXPECT_EQ(paragraphs(tx), (Lines{"zero", "alpha beta gamma"}));
    EXPECT_EQ(vkov_tx_get_num_pars(tx), 2);
    EXPECT_EQ(vkov_tx_get_num_par_lines(tx, 1), 2); // twelve characters a line
    EXPECT_EQ(vkov_tx_get_num_lines(tx), 3);

    vkov_tx_set_sel(tx, 1, 1, 2, 0, 0, 1);
    EXPECT_EQ(sel(tx), (Sel{0, 0, 1, 1, 1, 2}));
    EXPECT_TRUE(vkov_tx_set_par(tx, 0, "nil"));
    EXPECT_TRUE(vkov_tx_rem_par(tx, 1));
    EXPECT_EQ(paragraphs(tx), (Lines{"nil"}));

    vkov_tx_set_data(tx, 99);
    EXPECT_EQ(vkov_tx_get_data(tx), 99);
    vkov_tx_set_attr(tx, kWrap | 0x0001);
    EXPECT_EQ(vkov_tx_get_attr(tx), kWrap | 0x0001);
    vkov_tx_set_attr(tx, kWrap | 0x8000); // invisible: window mode hides the window
    EXPECT_EQ(vkov_tx_get_attr(tx), kWrap | 0x8000);
    vkov_tx_set_attr(tx, kWrap);
    EXPECT_EQ(vkov_tx_get_attr(tx), kWrap);
    vkov_tx_set_limit(tx, 7);
    EXPECT_EQ(vkov_tx_get_limit(tx), 7);
    EXPECT_EQ(vkov_tx_is_scroll_update(), FALSE);

    s_rct view{};
    ASSERT_NE(vkov_tx_get_view(tx, &view), nullptr);
    EXPECT_EQ(view.left, 10); // in the caller's window coordinates in both modes
    EXPECT_EQ(view.top, 10);

    EXPECT_TRUE(vkov_tx_clear(tx));
    EXPECT_EQ(vkov_tx_get_num_pars(tx), 0);
    EXPECT_TRUE(vkov_tx_destroy(tx));
    EXPECT_FALSE(vkov_tx_is_valid(tx) && GetParam());
}

TEST_P(TxModesTest, DefinitionsAreFoundByControlId) {
    char text[] = "from a definition";
    s_win_def def{};
    def.type = WC_TEXTEDIT;
    def.rct = s_rct{20, 20, 100, 300};
    def.text = text;
    def.id = 7;
    def.tx_attrs = kWrap;
    def.font = its_font;
    const TXEDIT tx = vkov_tx_create_def(&def, its_win, 5);
    ASSERT_NE(tx, 0u);
    EXPECT_EQ(vkov_tx_get_tx(its_win, 7), tx);
    EXPECT_EQ(vkov_tx_get_tx(its_win, 8), 0u);
    EXPECT_EQ(vkov_tx_get_cid(tx), 7);
    EXPECT_EQ(vkov_tx_get_data(tx), 5);
    EXPECT_EQ(paragraphs(tx), (Lines{"from a definition"}));
}

INSTANTIATE_TEST_SUITE_P(BothModes, TxModesTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "ObjectMode" : "WindowMode");
                         });

// The window's tools, font and clip are the caller's again after every export.
class TxDrawingStateTest : public TxFixture {};

TEST_F(TxDrawingStateTest, EveryExportRestoresTheCallersDrawingState) {
    const TXEDIT tx = make(kWrap, 200);
    vkov_tx_add_par(tx, kEnd, "some text to draw");
    s_drawct tools{};
    vkok_dwin_get_draw_ctools(its_win, &tools);
    tools.fore_color = 0x01FF0000u;
    tools.brush.color = 0x030000FFu;
    vkok_dwin_set_draw_ctools(its_win, &tools);
    const s_rct clip{1, 2, 30, 40};
    vkok_dwin_set_clip(its_win, &clip);
    vkov_dwin_set_font_size(its_win, 20); // the text edit draws in 12 points
    const s_drawst before = its_win->draw;
    struct Case {
        const char *why;
        void (*call)(TXEDIT);
        // clang-format off
    } cases[] = {
        {"add_par", [](TXEDIT t) { vkov_tx_add_par(t, kEnd, "more"); }},
        {"set_sel", [](TXEDIT t) { vkov_tx_set_sel(t, 0, 0, 1, 0, 0, 4); }},
        {"get_num_chars", [](TXEDIT t) { vkov_tx_get_num_chars(t, 0, 0); }},
        {"scroll_vert", [](TXEDIT t) { vkov_tx_scroll_vert(t, -1); }},
        {"set_margin", [](TXEDIT t) { vkov_tx_set_margin(t, 40); }},
        {"set_colors", [](TXEDIT t) { vkov_tx_set_colors(t, 0x01FF0000u, 0, 0x0BFFFFFFu); }},
        {"reset", [](TXEDIT t) { vkov_tx_reset(t); }},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call(tx);
        s_drawct now{};
        vkok_dwin_get_draw_ctools(its_win, &now);
        EXPECT_EQ(now.fore_color, before.ctools.fore_color);
        EXPECT_EQ(now.brush.color, before.ctools.brush.color);
        EXPECT_EQ(now.pen.color, before.ctools.pen.color);
        s_rct clip_now{};
        EXPECT_NE(vkok_dwin_get_clip(its_win, &clip_now), nullptr);
        EXPECT_EQ(std::memcmp(&clip_now, &clip, sizeof clip), 0);
        FONT_OBJ font_now = vkok_dwin_get_font(its_win, TRUE);
        EXPECT_EQ(vkov_font_get_size(font_now), 20);
        vkov_font_destroy(font_now);
    }
}

} // namespace
