// Random sequences of keys, clicks, commands and exports (fixed seeds) against the invariants
// every later step relies on: the total line count is the sum of the paragraphs' lines, and
// both ends of the selection lie inside the text.
#include "tx_test_support.h"

#include <random>

namespace {

using txtest::TxFixture;

constexpr std::uint16_t kEnd = 65535;

class TxRandomTest : public TxFixture, public ::testing::WithParamInterface<int> {};

TEST_P(TxRandomTest, RandomEditsKeepLinesAndSelectionConsistent) {
    std::mt19937 rng(static_cast<std::uint32_t>(GetParam()));
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    // Wrapped, unwrapped, overtype, one paragraph, bordered with automatic scrolling.
    const std::uint16_t attrs[] = {0x0002, 0x0000, 0x2002, 0x0082, 0x001E};
    const TXEDIT tx = make(attrs[GetParam() % 5], 60 + GetParam() * 7);
    vkov_tx_set_active(tx);
    vkov_tx_add_par(tx, kEnd, "hello world this is text");
    const char *const texts[] = {"a", "bb ", "ccc\tdd", " ", "long_word_without_spaces", "", "x y"};
    for (int step = 0; step < 3000; ++step) {
        const int op = pick(14);
        switch (op) {
        case 0:
        case 1:
        case 2:
            send_key(static_cast<std::uint16_t>("ab c\t"[pick(5)]));
            break;
        case 3:
            send_key(8);
            break;
        case 4:
            send_key(13);
            break;
        case 5:
            send_key(static_cast<std::uint16_t>(301 + pick(14)), true, pick(2) != 0);
            break;
        case 6:
            send_key(317, true);
            break;
        case 7:
            send_mouse(static_cast<e_event>(E_MOUSE_DOWN + pick(4)), pick(200), pick(200),
                       pick(2) != 0);
            break;
        case 8:
            send_command(static_cast<std::int16_t>(32027 + pick(4)));
            break;
        case 9:
            vkov_tx_set_sel(tx, pick(5), pick(4), pick(30), pick(5), pick(4), pick(30));
            break;
        case 10:
            vkov_tx_add_par(tx, pick(6), texts[pick(7)]);
            break;
        case 11:
            vkov_tx_append(tx, pick(6), texts[pick(7)]);
            break;
        case 12:
            if (pick(4) == 0)
                vkov_tx_rem_par(tx, pick(6));
            else
                vkov_tx_set_par(tx, pick(6), texts[pick(7)]);
            break;
        default:
            vkov_tx_scroll_vert(tx, static_cast<std::int16_t>(pick(7) - 3));
            vkov_tx_scroll_hor(tx, static_cast<std::int16_t>(pick(40) - 20));
            if (pick(8) == 0)
                vkov_tx_set_margin(tx, static_cast<std::int16_t>(pick(80) - 10));
            break;
        }
        SCOPED_TRACE(testing::Message() << "step " << step << ", operation " << op);
        const std::uint16_t pars = vkov_tx_get_num_pars(tx);
        int lines = 0;
        for (std::uint16_t p = 0; p < pars; ++p)
            lines += vkov_tx_get_num_par_lines(tx, p);
        ASSERT_EQ(lines, vkov_tx_get_num_lines(tx));
        if (pars == 0)
            continue;
        // The ends in text order: the anchor is one of them.
        const txtest::Sel s = sel(tx);
        ASSERT_LT(s.sp, pars);
        ASSERT_LT(s.sl, vkov_tx_get_num_par_lines(tx, s.sp));
        ASSERT_LE(s.sc, vkov_tx_get_num_chars(tx, s.sp, s.sl));
        ASSERT_LT(s.ep, pars);
        ASSERT_LT(s.el, vkov_tx_get_num_par_lines(tx, s.ep));
        ASSERT_LE(s.ec, vkov_tx_get_num_chars(tx, s.ep, s.el));
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, TxRandomTest, ::testing::Range(0, 5));

} // namespace
