// Tests of pictures (recorded drawing replayed into windows, and their data) and pixmaps
// (off-screen windows drawn into, drawn onto windows and read into images), on the pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "vkobase/app.h"
#include "vkobase/dwin.h"
#include "vkobase/image.h"
#include "vkobase/pict.h"
#include "vkobase/pmap.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace {

constexpr COLOR kRed = 0x01FF0000u;
constexpr COLOR kBlue = 0x030000FFu;

class PictPmapTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }

    static WINDOW window(std::int16_t height = 60, std::int16_t width = 80) {
        const s_rct rct{0, 0, height, width};
        WINDOW win =
            vkok_win_create(W_DOC, &rct, "w", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
        vkok_app_process_pending_events();
        return win;
    }

    static std::vector<std::uint32_t> pixels(WINDOW win) {
        int32_t width = 0, height = 0;
        vkov_debug_surface_size(win, &width, &height);
        std::vector<std::uint32_t> out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.push_back(vkov_debug_surface_pixel(win, x, y));
        return out;
    }

    // Antialiased shapes in several tools: what a picture must reproduce.
    static void draw_scene(WINDOW win) {
        const s_cpen pen{3, PAT_SOLID, P_SOLID, kBlue};
        const s_cbrush brush{PAT_CROSS, kRed};
        vkok_dwin_set_cpen(win, &pen);
        vkok_dwin_set_cbrush(win, &brush);
        const s_rct oval{8, 6, 40, 50};
        vkok_dwin_draw_oval(win, &oval);
        vkok_dwin_draw_set_pos(win, s_pnt{50, 4});
        vkok_dwin_draw_line(win, s_pnt{10, 70});
        vkok_dwin_draw_text(win, 20, 55, "Pict", -1);
    }
};

int max_channel_difference(std::uint32_t a, std::uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                         static_cast<int>((b >> shift) & 0xFF)));
    return worst;
}

TEST_F(PictPmapTest, Picture_ReplayedInPlaceEqualsDrawingDirectly) {
    WINDOW direct = window();
    WINDOW recorded = window();
    draw_scene(direct);
    ASSERT_NE(pixels(direct), pixels(window())) << "the scene draws something";

    const s_rct frame{0, 0, 60, 80};
    ASSERT_EQ(vkok_dwin_open_pict(recorded, &frame), TRUE);
    draw_scene(recorded);
    PICTURE pict = vkok_dwin_close_pict(recorded);
    ASSERT_NE(pict, nullptr);
    EXPECT_EQ(vkok_pict_is_valid(pict), TRUE);
    EXPECT_EQ(vkov_debug_surface_pixel(recorded, 28, 24), 0xFFFFFFFFu)
        << "recording leaves the window's pixels alone";

    vkok_dwin_draw_pict(recorded, pict, &frame);
    EXPECT_EQ(pixels(recorded), pixels(direct));

    // Into another window at twice the size: the frame's centre lands on the new centre.
    WINDOW big = window(120, 160);
    const s_rct twice{0, 0, 120, 160};
    vkok_dwin_draw_pict(big, pict, &twice);
    EXPECT_EQ(vkov_debug_surface_pixel(big, 2 * 50, 2 * 12),
              vkov_debug_surface_pixel(direct, 50, 12));

    vkok_pict_destroy(pict);
    EXPECT_EQ(vkok_pict_is_valid(pict), FALSE);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_PICTURE), 0);
}

TEST_F(PictPmapTest, PictureData_MakesAnEqualPicture) {
    WINDOW direct = window();
    draw_scene(direct);
    WINDOW source = window();
    const s_rct frame{0, 0, 60, 80};
    vkok_dwin_open_pict(source, &frame);
    draw_scene(source);
    PICTURE pict = vkok_dwin_close_pict(source);
    ASSERT_NE(pict, nullptr);

    int32_t size = 0;
    const void *data = vkok_pict_lock(pict, &size);
    ASSERT_NE(data, nullptr);
    ASSERT_GT(size, 16);
    const std::vector<unsigned char> bytes(static_cast<const unsigned char *>(data),
                                           static_cast<const unsigned char *>(data) + size);
    vkok_pict_unlock(pict);
    int32_t error = -1;
    PICTURE copy = vkok_pict_create(bytes.data(), size, &error);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(error, 0);

    WINDOW target = window();
    vkok_dwin_draw_pict(target, copy, &frame);
    const auto want = pixels(direct);
    const auto got = pixels(target);
    ASSERT_EQ(got.size(), want.size());
    int worst = 0;
    for (std::size_t i = 0; i < got.size(); ++i)
        worst = std::max(worst, max_channel_difference(got[i], want[i]));
    EXPECT_LE(worst, 2) << "data keeps the picture up to rounding of its edges";

    struct Case {
        const char *why;
        std::vector<unsigned char> data;
    };
    std::vector<Case> cases = {
        {"too short for the header", {'V', 'K', 'O'}},
        {"wrong magic", std::vector<unsigned char>(64, 'x')},
    };
    std::vector<unsigned char> broken_png = bytes;
    broken_png.resize(40);
    cases.push_back({"image cut short", broken_png});
    std::vector<unsigned char> other_frame = bytes;
    other_frame[12] = 61; // bottom 61: the image no longer fits the frame
    cases.push_back({"frame and image disagree", other_frame});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        int32_t err = 0;
        EXPECT_EQ(vkok_pict_create(c.data.data(), static_cast<int32_t>(c.data.size()), &err),
                  nullptr);
        EXPECT_NE(err, 0);
    }
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_PICTURE), 2);
}

TEST_F(PictPmapTest, Pixmap_IsAnOffScreenWindowDrawnIntoAndOnto) {
    WINDOW win = window();
    ASSERT_NE(win, nullptr);
    struct Case {
        const char *why;
        WINDOW on;
        std::int16_t width, height;
        bool made;
    };
    const Case cases[] = {
        {"a pixmap for a live window", win, 20, 10, true},
        {"no window", nullptr, 20, 10, false},
        {"no width", win, 0, 10, false},
        {"negative height", win, 20, -3, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW pmap = vkok_pmap_create(c.on, 1, c.width, c.height, 0);
        EXPECT_EQ(pmap != nullptr, c.made);
        if (pmap != nullptr)
            vkok_vobj_destroy(pmap);
    }

    WINDOW pmap = vkok_pmap_create(win, 1, 20, 10, 0);
    ASSERT_NE(pmap, nullptr);
    EXPECT_NE(pmap->flags & VKO_WF_PIXMAP, 0u);
    EXPECT_EQ(vkov_vobj_is_topwin(pmap), FALSE);
    int32_t w = 0, h = 0;
    ASSERT_EQ(vkov_debug_surface_size(pmap, &w, &h), TRUE);
    EXPECT_EQ(w, 20);
    EXPECT_EQ(h, 10);

    vkov_dwin_clear(pmap, kBlue);
    const s_cbrush brush{PAT_SOLID, kRed};
    const s_cpen pen{1, PAT_SOLID, P_SOLID, kRed};
    vkok_dwin_set_cbrush(pmap, &brush);
    vkok_dwin_set_cpen(pmap, &pen);
    const s_rct right_half{0, 10, 10, 20};
    vkok_dwin_draw_rect(pmap, &right_half);
    EXPECT_EQ(vkov_debug_surface_pixel(win, 15, 5), 0xFFFFFFFFu) << "nothing reached the window";

    const s_rct src{0, 0, 10, 20};
    const s_rct dst{30, 40, 40, 60};
    vkok_dwin_draw_pmap(win, pmap, &dst, &src);
    EXPECT_EQ(vkov_debug_surface_pixel(win, 45, 35), 0xFF0000FFu);
    EXPECT_EQ(vkov_debug_surface_pixel(win, 55, 35), 0xFFFF0000u);

    IMAGE image = vkov_image_create(VKO_IMAGE_RGB, 10, 5, 0);
    const s_rct image_all{0, 0, 5, 10};
    vkok_image_get_from_pmap(image, pmap, &image_all, &src); // halved
    EXPECT_EQ(vkov_image_get_pixel(image, 2, 2), 0x000000FFu);
    EXPECT_EQ(vkov_image_get_pixel(image, 7, 2), 0x00FF0000u);

    vkok_vobj_destroy(pmap);
    EXPECT_EQ(vkov_vobj_is_valid(pmap), FALSE);
}

} // namespace
