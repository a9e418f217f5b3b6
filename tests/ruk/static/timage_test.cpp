// Tests of the image family against the recording double: the image check, colour-table
// indexes, pixel positions and scan lines, and the rectangles of fills and transfers (null,
// empty, repaired copy).
#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;
using base_double::Call;

class TimageTest : public ::testing::Test {
protected:
    void SetUp() override {
        base().Reset();
        base().SetLive("vkov_image_is_valid", live());
        base().SetLive("vkov_image_is_valid", other());
    }
    IMAGE live() { return reinterpret_cast<IMAGE>(&itsImage); }
    IMAGE other() { return reinterpret_cast<IMAGE>(&itsOther); }
    IMAGE dead() { return reinterpret_cast<IMAGE>(&itsDead); }

private:
    int itsImage = 0;
    int itsOther = 0;
    int itsDead = 0;
};

TEST_F(TimageTest, ColourTable_IndexMustLieInsideTheTable) {
    struct Case {
        const char *why;
        IMAGE image;
        int32_t format;
        int32_t index;
        std::uint32_t get_code;
        std::uint32_t set_code;
    };
    const Case cases[] = {
        {"last entry of 16", live(), 1, 15, 0, 0},
        {"index 16 of 16", live(), 1, 16, 0x1250001, 0x1250001},
        {"negative index", live(), 1, -1, 0x1250001, 0x1250001},
        {"a true-colour image has no table to read", live(), 2, 3, 0x230000, 0},
        {"a null image", nullptr, 1, 0, 0x1210007, 0x1210007},
        {"a dead image", dead(), 1, 0, 0x1220007, 0x1220007},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_image_get_format", c.format);
        base().SetResult("vkov_image_get_ncolors", 16);
        base().SetResult("vkov_image_get_clut", 0x00FF00);
        EXPECT_EQ(vko_image_get_clut(c.image, c.index), c.get_code ? 0xFFFFFFFFu : 0x00FF00u);
        EXPECT_EQ(base().TakeLastReportCode(), c.get_code);
        vko_image_set_clut(c.image, c.index, 0);
        EXPECT_EQ(base().TakeLastReportCode(), c.set_code);
        EXPECT_EQ(base().TakeForwarded("vkov_image_set_clut"), c.set_code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TimageTest, PixelsAndRows_AreCheckedAgainstTheImage) {
    base().SetResponder("vkov_image_get_dimensions", [](const Call &call) {
        *reinterpret_cast<int32_t *>(static_cast<std::uintptr_t>(call.args[1].value)) = 8;
        *reinterpret_cast<int32_t *>(static_cast<std::uintptr_t>(call.args[2].value)) = 4;
        return base_double::Answer{};
    });
    base().SetResult("vkov_image_is_valid_pos", FALSE);
    EXPECT_EQ(vko_image_get_pixel(live(), 9, 9), 0xFFFFFFFFu);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1250001u);
    struct Case {
        const char *why;
        int32_t row;
        bool given;
    };
    const Case cases[] = {{"first row", 0, true},
                          {"last row", 3, true},
                          {"row equal to the height", 4, false},
                          {"negative row", -1, false}};
    static uint8_t pixels[8];
    base().SetResultPtr("vkov_image_get_scanline", pixels);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vko_image_get_scanline(live(), c.row), c.given ? pixels : nullptr);
        EXPECT_EQ(base().TakeLastReportCode(), c.given ? 0u : 0x1250001u);
    }
    int32_t width = 0;
    vko_image_get_dimensions(live(), &width, nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TimageTest, FillAndTransfer_HandleRectanglesInArgumentOrder) {
    const s_rct good{0, 0, 10, 10};
    const s_rct inverted{10, 10, 0, 0};
    const s_rct empty{5, 5, 5, 9};
    struct Case {
        const char *why;
        const s_rct *dst;
        const s_rct *src;
        std::uint32_t code; // last report
        int warnings;
        bool transferred;
    };
    const Case cases[] = {
        {"both good", &good, &good, 0, 0, true},
        {"null destination before an empty source", nullptr, &empty, 0x210000, 0, false},
        {"empty destination: quiet, even with a null source", &empty, nullptr, 0, 0, false},
        {"null source", &good, nullptr, 0x210000, 0, false},
        {"empty source before repairing the destination", &inverted, &empty, 0, 0, false},
        {"both inverted: two warnings", &inverted, &inverted, 0x1240003, 2, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vko_image_transfer(live(), other(), c.dst, c.src);
        int warnings = 0;
        for (const base_double::Report &r : base().Reports())
            warnings += r.severity == 1 ? 1 : 0;
        EXPECT_EQ(warnings, c.warnings);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        const Call *call = base().LastCall("vkov_image_transfer");
        EXPECT_EQ(call != nullptr, c.transferred);
        if (call != nullptr) {
            EXPECT_LT(call->args[2].rect.top, call->args[2].rect.bottom);
            EXPECT_LT(call->args[3].rect.left, call->args[3].rect.right);
        }
        base().TakeForwarded("vkov_image_transfer");
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    s_rct caller = inverted;
    vko_image_fill_rect(live(), 0, &caller);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1240003u);
    EXPECT_EQ(caller.top, 10); // the caller's rectangle is not written
    EXPECT_TRUE(base().TakeForwarded("vkov_image_fill_rect"));
    vko_image_transfer(dead(), nullptr, &good, &good);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1220007u);
}

TEST_F(TimageTest, FromPixmap_NeedsALivePixmap) {
    const s_rct good{0, 0, 10, 10};
    struct Case {
        const char *why;
        WINDOW pmap;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"a pixmap", base().MakeWindow(VKO_WF_PIXMAP, W_PIXMAP), 0},
        {"a window that is no pixmap", base().MakeWindow(0, W_DOC), 0x1220006},
        {"a destroyed pixmap", base().MakeWindow(VKO_WF_PIXMAP, W_PIXMAP, false), 0x1220006},
        {"no pixmap", nullptr, 0x1210006},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vko_image_get_from_pmap(live(), c.pmap, &good, &good);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkok_image_get_from_pmap"), c.code == 0);
    }
}

TEST_F(TimageTest, ReadersAndWriters_CheckTheirSourceOrSinkFirst) {
    struct Case {
        const char *why;
        std::function<void()> call;
        const char *target;
        std::uint32_t code;
    };
    FILE_SPEC spec{};
    int stream_storage = 0;
    auto *stream = reinterpret_cast<s_vko_iostream *>(&stream_storage);
    const Case cases[] = {
        {"bitmap file", [&] { vko_image_read_bmp(&spec); }, "vkov_image_read_bmp_from_fn", 0},
        {"null bitmap file", [] { vko_image_read_bmp(nullptr); }, "vkov_image_read_bmp_from_fn",
         0x210000},
        {"picture stream", [&] { vko_image_read_macpict_from_iostr(stream); },
         "vkov_image_read_macpict", 0},
        {"null stream", [] { vko_image_read_xpm_from_iostr(nullptr); }, "vkov_image_read_xpm",
         0x210000},
        {"stream before the image", [] { vko_image_write_bmp_to_iostr(nullptr, nullptr); },
         "vkov_image_write_winbmp", 0x210000},
        {"then the image", [&] { vko_image_write_macpict_to_iostr(nullptr, stream); },
         "vkov_image_write_macpict", 0x1210007},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call();
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

} // namespace
