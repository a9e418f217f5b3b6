// Tests of palettes (fixed and user palettes, adding colours within a tolerance, mapping to
// windows) and of format patterns (the language, matching and formatting as typed).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "vkobase/image.h"
#include "vkobase/palet.h"
#include "vkobase/pattern.h"
#include "vkobase/testing.h"
#include "vkobase/win.h"

namespace {

class PaletPatternTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }
};

TEST_F(PaletPatternTest, PaletteCreate_TypesAndSizes) {
    struct Case {
        const char *why;
        std::int32_t type, size;
        bool made;
        std::uint16_t want_size, want_colors;
    };
    // clang-format off
    const Case cases[] = {
        {"fixed palette: a colour cube and greys", VKO_PALET_FIXED, 0, true, 240, 240},
        {"user palette starts empty", VKO_PALET_USER, 16, true, 16, 0},
        {"user palette without room", VKO_PALET_USER, 0, false, 0, 0},
        {"user palette too big", VKO_PALET_USER, 4097, false, 0, 0},
        {"unknown type", 3, 16, false, 0, 0},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        PALETTE palet = vkov_palet_create(c.type, c.size);
        ASSERT_EQ(palet != nullptr, c.made);
        if (palet == nullptr)
            continue;
        EXPECT_EQ(vkov_palet_get_type(palet), c.type);
        EXPECT_EQ(vkov_palet_get_size(palet), c.want_size);
        EXPECT_EQ(vkov_palet_get_ncolors(palet), c.want_colors);
        vkov_palet_destroy(palet);
        EXPECT_EQ(vkov_palet_is_valid(palet), FALSE);
        EXPECT_EQ(vkov_palet_get_ncolors(palet), 65535);
    }
    PALETTE def = vkov_palet_default();
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(vkov_palet_default(), def);
    vkov_palet_destroy(def);
    EXPECT_EQ(vkov_palet_is_valid(def), TRUE) << "the default palette belongs to the library";
}

TEST_F(PaletPatternTest, PaletteAddColors_SkipsNearColoursAndStopsWhenFull) {
    PALETTE palet = vkov_palet_create(VKO_PALET_USER, 3);
    ASSERT_NE(palet, nullptr);
    vkov_palet_set_tolerance(palet, 4);
    EXPECT_EQ(vkov_palet_get_tolerance(palet), 4);
    const std::uint32_t first[] = {0x0A102030u, 0x00132233u, 0x00FF0000u};
    EXPECT_EQ(vkov_palet_add_colors(palet, first, 3), 2) << "the second is within 4 of the first";
    const std::uint32_t more[] = {0x0000FF00u, 0x000000FFu};
    EXPECT_EQ(vkov_palet_add_colors(palet, more, 2), 1) << "room for one more";
    std::uint32_t got[8] = {};
    EXPECT_EQ(vkov_palet_get_colors(palet, got, 8), 3);
    EXPECT_EQ(got[0], 0x00102030u) << "kept as RGB";
    EXPECT_EQ(got[2], 0x0000FF00u);
    EXPECT_EQ(vkov_palet_get_colors(palet, got, 1), 1);

    PALETTE fixed = vkov_palet_create(VKO_PALET_FIXED, 0);
    EXPECT_EQ(vkov_palet_add_colors(fixed, more, 2), 65535) << "only user palettes take colours";

    PALETTE from_image = vkov_palet_create(VKO_PALET_USER, 10);
    IMAGE rgb = vkov_image_create(VKO_IMAGE_RGB, 2, 2, 0);
    vkov_image_set_pixel(rgb, 1, 1, 0x00FFFFFFu);
    EXPECT_EQ(vkov_palet_add_colors_from_image(from_image, rgb), 2) << "black and white";
    IMAGE indexed = vkov_image_create(VKO_IMAGE_INDEXED, 1, 1, 0);
    vkov_image_set_ncolors(indexed, 3);
    vkov_image_set_clut(indexed, 2, 0x00123456u);
    EXPECT_EQ(vkov_palet_add_colors_from_image(from_image, indexed), 1) << "the new table entry";
    EXPECT_EQ(vkov_palet_get_ncolors(from_image), 3);
}

TEST_F(PaletPatternTest, PaletteMappedToAWindow_IsForgottenWhenDestroyed) {
    const s_rct rct{0, 0, 20, 20};
    WINDOW win = vkok_win_create(W_DOC, &rct, "w", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    ASSERT_NE(win, nullptr);
    PALETTE palet = vkov_palet_create(VKO_PALET_USER, 4);
    vkov_palet_map_win(palet, win);
    EXPECT_EQ(win->draw.palet, palet);
    vkov_palet_destroy(palet);
    EXPECT_EQ(win->draw.palet, nullptr);
}

TEST_F(PaletPatternTest, PatternCreate_RefusesMalformedText) {
    struct Case {
        const char *why;
        std::string text;
        bool made;
    };
    // clang-format off
    const Case cases[] = {
        {"telephone number", "(999) 999-9999", true},
        {"repeated class", "U*9*", true},
        {"escaped star", "9\\*", true},
        {"empty", "", false},
        {"lone backslash at the end", "99\\", false},
        {"star first", "*9", false},
        {"star after a star", "9**", false},
        {"star after a literal", "-*", false},
        {"longer than 255", std::string(256, '9'), false},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        PATTERN pattern = vkov_pattern_create(c.text.c_str());
        EXPECT_EQ(pattern != nullptr, c.made);
        vkov_pattern_destroy(pattern);
    }
    EXPECT_EQ(vkov_pattern_create(nullptr), nullptr);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_PATTERN), 0);
}

TEST_F(PaletPatternTest, PatternMatch_WholeTextAndTheFirstFailingCharacter) {
    struct Case {
        const char *why;
        const char *pattern, *text;
        BOOLEAN matched;
        std::int32_t fail_pos;
    };
    // clang-format off
    const Case cases[] = {
        {"every element", "(999) 999-9999", "(555) 123-4567", TRUE, -1},
        {"correct but unfinished", "(999) 999-9999", "(555) 12", FALSE, 8},
        {"a letter where a digit goes", "(999) 999-9999", "(55x", FALSE, 3},
        {"text past the pattern", "99", "123", FALSE, 2},
        {"a repeat may take nothing", "U*", "", TRUE, -1},
        {"a repeat wants its case", "U*", "ABc", FALSE, 2},
        {"repeat before literals", "9*.99", "123.45", TRUE, -1},
        {"repeat taking nothing before literals", "9*.99", ".45", TRUE, -1},
        {"escaped class is a literal", "\\9A", "9x", TRUE, -1},
        {"escaped class wants itself", "\\9A", "1x", FALSE, 0},
        {"sign or digit", "#99", "-12", TRUE, -1},
        {"Windows-1252 capital E acute is upper case", "U", "\xC9", TRUE, -1},
        {"and not lower case", "L", "\xC9", FALSE, 0},
        {"any character", "???", "a ?", TRUE, -1},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        PATTERN pattern = vkov_pattern_create(c.pattern);
        ASSERT_NE(pattern, nullptr);
        std::int32_t fail = 99;
        EXPECT_EQ(vkov_pattern_match(pattern, c.text, &fail), c.matched);
        EXPECT_EQ(fail, c.fail_pos);
        vkov_pattern_destroy(pattern);
    }
}

TEST_F(PaletPatternTest, PatternFormat_InsertsLiteralsTurnsCaseAndMovesTheSelection) {
    struct Case {
        const char *why;
        const char *pattern, *text;
        BOOLEAN auto_complete;
        std::int32_t first, last;
        std::int32_t buf_size;
        const char *want;
        BOOLEAN ok;
        std::int32_t want_first, want_last;
    };
    // clang-format off
    const Case cases[] = {
        {"digits only: the literals are put in", "(999) 999-9999", "5551234567", FALSE, 10, 10,
         256, "(555) 123-4567", TRUE, 14, 14},
        {"auto-complete adds the literals that follow", "(999) 999-9999", "555", TRUE, 3, 3, 256,
         "(555) ", TRUE, 6, 6},
        {"without it they wait for the next character", "(999) 999-9999", "555", FALSE, 3, 3,
         256, "(555", TRUE, 4, 4},
        {"a character that fits nowhere is dropped", "(999) 999-9999", "55a5", FALSE, 4, 4, 256,
         "(555", FALSE, 4, 4},
        {"typed literals are taken as they are", "99/99/9999", "12/3", FALSE, 0, 4, 256, "12/3",
         TRUE, 0, 4},
        {"case turned, extra characters dropped", "UUU", "abcd", FALSE, 0, 0, 256, "ABC", FALSE,
         0, 0},
        {"a repeat then a literal", "U*-9", "ab-1", FALSE, 4, 4, 256, "AB-1", TRUE, 4, 4},
        {"selection follows its characters", "(999)", "12", FALSE, 0, 2, 256, "(12", TRUE, 1, 3},
        {"result cut to the buffer", "99999", "12345", FALSE, 5, 5, 3, "12", FALSE, 5, 5},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        PATTERN pattern = vkov_pattern_create(c.pattern);
        ASSERT_NE(pattern, nullptr);
        std::vector<char> buf(static_cast<std::size_t>(c.buf_size), '#');
        std::int32_t first = c.first, last = c.last;
        EXPECT_EQ(vkov_pattern_format_string(pattern, c.text, buf.data(), c.buf_size,
                                             c.auto_complete, &first, &last),
                  c.ok);
        EXPECT_STREQ(buf.data(), c.want);
        EXPECT_EQ(first, c.want_first);
        EXPECT_EQ(last, c.want_last);
        vkov_pattern_destroy(pattern);
    }
}

} // namespace
