// Tests of the palette, picture, pixmap and pattern families against the recording double:
// their handle checks, argument order and neutral results, and the pattern text that the base
// library refuses.
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TpaletTest : public ::testing::Test {
protected:
    void SetUp() override {
        base().Reset();
        base().SetLive("vkov_palet_is_valid", palette());
        base().SetLive("vkov_image_is_valid", image());
        base().SetLive("vkok_pict_is_valid", picture());
    }
    PALETTE palette() { return reinterpret_cast<PALETTE>(&itsPalette); }
    PALETTE dead_palette() { return reinterpret_cast<PALETTE>(&itsDead); }
    IMAGE image() { return reinterpret_cast<IMAGE>(&itsImage); }
    IMAGE dead_image() { return reinterpret_cast<IMAGE>(&itsDead); }
    PICTURE picture() { return reinterpret_cast<PICTURE>(&itsPicture); }

private:
    int itsPalette = 0;
    int itsImage = 0;
    int itsPicture = 0;
    int itsDead = 0;
};

TEST_F(TpaletTest, AddColors_ChecksPaletteArrayCountThenType) {
    const uint32_t colors[2] = {1, 2};
    struct Case {
        const char *why;
        PALETTE palet;
        const uint32_t *colors;
        uint16_t count;
        int32_t type;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"added", palette(), colors, 2, 5, 0},
        {"count 0", palette(), colors, 0, 5, 0x1250001},
        {"null array before count 0", palette(), nullptr, 0, 5, 0x210000},
        {"a palette of another type", palette(), colors, 2, 3, 0x230000},
        {"a dead palette", dead_palette(), colors, 2, 5, 0x1220004},
        {"no palette", nullptr, colors, 2, 5, 0x1210004},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_palet_get_type", c.type);
        base().SetResult("vkov_palet_add_colors", 2);
        EXPECT_EQ(vko_palet_add_colors(c.palet, c.colors, c.count), c.code ? 65535 : 2);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    base().SetResult("vkov_palet_get_type", 5);
    vko_palet_set_colors_from_image(palette(), dead_image());
    EXPECT_EQ(base().TakeLastReportCode(), 0x1220007u);
    vko_palet_set_colors_from_image(palette(), image());
    EXPECT_TRUE(base().TakeForwarded("vkov_palet_add_colors_from_image"));
    EXPECT_EQ(vko_palet_get_tolerance(nullptr), 65535);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1210004u);
}

TEST_F(TpaletTest, PicturesPixmapsAndPatterns_RefuseWithTheirCodes) {
    int32_t size = 0;
    int data = 0;
    auto *pattern = reinterpret_cast<PATTERN>(&data);
    char buf[8];
    int32_t first = 0;
    struct Case {
        const char *why;
        std::function<void()> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"lock a picture", [&] { vko_pict_lock(picture(), &size); }, "vkok_pict_lock", 0},
        {"lock without a size", [&] { vko_pict_lock(picture(), nullptr); }, "vkok_pict_lock",
         0x210000},
        {"a dead picture", [] { vko_pict_unlock(reinterpret_cast<PICTURE>(8)); },
         "vkok_pict_unlock", 0x1220005},
        {"no picture", [] { vko_pict_destroy(nullptr); }, "vkok_pict_destroy", 0x1210005},
        {"picture data without the error word", [&] { vko_pict_create(&data, 4, nullptr); },
         "vkok_pict_create", 0x210000},
        {"a pixmap for a document window",
         [] { vko_pmap_create(base().MakeWindow(0, W_DOC), 0, 8, 8, 0); }, "vkok_pmap_create", 0},
        {"a pixmap for a modeless window",
         [] { vko_pmap_create(base().MakeWindow(0, W_MODELESS), 0, 8, 8, 0); }, "vkok_pmap_create",
         0x1220002},
        {"a pixmap is destroyed as an object",
         [] { vko_pmap_destroy(base().MakeWindow(VKO_WF_PIXMAP, W_PIXMAP)); }, "vkok_vobj_destroy",
         0},
        {"a freed pixmap",
         [] { vko_pmap_destroy(base().MakeWindow(VKO_WF_PIXMAP, W_PIXMAP, false)); },
         "vkok_vobj_destroy", 0x1220002},
        {"match without a failure position", [=] { vko_pattern_match(pattern, "x", nullptr); },
         "vkov_pattern_match", 0x210000},
        {"format without the last position",
         [&] { vko_pattern_format_string(pattern, "x", buf, 8, 0, &first, nullptr); },
         "vkov_pattern_format_string", 0x210000},
        {"format with everything",
         [&] { vko_pattern_format_string(pattern, "x", buf, 8, 0, &first, &first); },
         "vkov_pattern_format_string", 0},
        {"destroy no pattern", [] { vko_pattern_destroy(nullptr); }, "vkov_pattern_destroy",
         0x210000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call();
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TpaletTest, PatternCreate_ReportsATextThatTheBaseLibraryRefused) {
    int made = 0;
    base().SetResultPtr("vkov_pattern_create", &made);
    EXPECT_EQ(vko_pattern_create("999"), reinterpret_cast<PATTERN>(&made));
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    base().SetResultPtr("vkov_pattern_create", nullptr);
    EXPECT_EQ(vko_pattern_create("(("), nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x250000u);
    base().TakeForwarded("vkov_pattern_create");
    EXPECT_EQ(vko_pattern_create(nullptr), nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_FALSE(base().TakeForwarded("vkov_pattern_create"));
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

} // namespace
