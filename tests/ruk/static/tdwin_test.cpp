// Tests of the drawable-window family against the recording double: the drawable-window check
// (registry first), rectangle null/empty/repair with the caller's rectangle untouched, the
// standard pen and brush substitutions, image and pixmap sources, and the font texts.
#include <cstring>

#include "layer_fixture.h"

namespace {

using TdwinTest = LayerTest;

struct DrawRectCase {
    const char* why;
    Win win;
    Rect rect;
    std::uint32_t code;
    std::int32_t severity;
    bool drawn;
};

TEST_F(TdwinTest, DrawRect_ChecksInArgumentOrder) {
    const DrawRectCase cases[] = {
        {"null window is refused before the rectangle", Win::Null, Rect::Null, 0x1210002, 2,
         false},
        {"freed window is refused without its record being read", Win::Freed, Rect::Good,
         0x1220002, 2, false},
        {"foreign memory with the signature is not a window", Win::Foreign, Rect::Good,
         0x1220002, 2, false},
        {"a text-edit slot number is not a window", Win::Slot, Rect::Good, 0x1220002, 2, false},
        {"a window of no drawable kind", Win::NotDrawable, Rect::Good, 0x1230001, 2, false},
        {"a text edit cannot be drawn in", Win::TextEdit, Rect::Good, 0x1230001, 2, false},
        {"null rectangle", Win::Doc, Rect::Null, 0x210000, 2, false},
        {"empty rectangle draws nothing and reports nothing", Win::Doc, Rect::Empty, 0, 0,
         false},
        {"inverted rectangle is repaired, then drawn", Win::Doc, Rect::Inverted, 0x1240003, 1,
         true},
        {"good rectangle is drawn", Win::Doc, Rect::Good, 0, 0, true},
    };
    for (const DrawRectCase& c : cases) {
        SCOPED_TRACE(c.why);
        s_rct storage{};
        s_rct* rct = rect_of(c.rect, storage);
        const s_rct given = storage;
        vko_dwin_draw_rect(window(c.win), rct);
        const base_double::Report* report = base().LastReport();
        EXPECT_EQ(report ? report->severity : 0, c.severity);
        if (report) {
            EXPECT_EQ(report->module, "tdwin");
        }
        if (c.drawn) {
            const base_double::Call* call = base().LastCall("vkok_dwin_draw_rect");
            ASSERT_NE(call, nullptr);
            EXPECT_LT(call->args[1].rect.top, call->args[1].rect.bottom);
            EXPECT_LT(call->args[1].rect.left, call->args[1].rect.right);
        }
        EXPECT_EQ(std::memcmp(&storage, &given, sizeof given), 0) << "caller's rectangle";
        ExpectOutcome(c.code, "vkok_dwin_draw_rect", c.drawn);
    }
}

TEST_F(TdwinTest, DuringAnUpdate_DrawingGoesOn) {
    base().SetProcUpdate(true);
    s_rct storage{};
    vko_dwin_draw_rect(window(Win::Doc), rect_of(Rect::Good, storage));
    ExpectOutcome(0, "vkok_dwin_draw_rect", true);
}

TEST_F(TdwinTest, StandardPenAndBrush_AreReplacedWithSeverityOne) {
    struct Case {
        const char* why;
        bool pen;
        std::int32_t given, passed;
        std::uint32_t code;
        bool window_is_object;
    };
    const Case cases[] = {
        {"pen 7 becomes pen 1", true, 7, 1, 0x1250001, false},
        {"pen 0 becomes pen 1", true, 0, 1, 0x1250001, false},
        {"pen 4 is kept", true, 4, 4, 0, false},
        {"brush 0 is passed on unchanged", false, 0, 0, 0, false},
        {"brush 2 becomes brush 1, reported on the window", false, 2, 1, 0x1250001, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW win = window(Win::Doc);
        if (c.pen)
            vko_dwin_set_std_cpen(win, c.given);
        else
            vko_dwin_set_std_cbrush(win, c.given);
        const std::string target = c.pen ? "vkov_dwin_set_std_cpen" : "vkov_dwin_set_std_cbrush";
        const base_double::Call* call = base().LastCall(target);
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->args[1].value, c.passed);
        if (c.code != 0) {
            ASSERT_NE(base().LastReport(), nullptr);
            EXPECT_EQ(base().LastReport()->severity, 1);
            EXPECT_EQ(base().LastReport()->obj, c.window_is_object ? win : nullptr);
        }
        ExpectOutcome(c.code, target, true);
    }
}

TEST_F(TdwinTest, InvalidateRect_PassesANullRectangleAndRefusesPrintWindows) {
    vko_dwin_invalidate_rect(window(Win::Doc), nullptr);
    ExpectOutcome(0, "vkok_dwin_invalidate_rect", true);
    s_rct storage{};
    vko_dwin_invalidate_rect(window(Win::Print), rect_of(Rect::Good, storage));
    ExpectOutcome(0x1230001, "vkok_dwin_invalidate_rect", false);
    vko_dwin_invalidate_rect(window(Win::Doc), rect_of(Rect::Empty, storage));
    ExpectOutcome(0, "vkok_dwin_invalidate_rect", false);
}

TEST_F(TdwinTest, IsUpdateNeeded_OutsideAnUpdateAnswersFalseWithoutLookingAtTheRectangle) {
    base().SetResult("vkok_dwin_is_update_needed", TRUE);
    EXPECT_EQ(vko_dwin_is_update_needed(window(Win::Doc), nullptr), FALSE);
    ExpectOutcome(0, "vkok_dwin_is_update_needed", false);
    base().SetUpdateInProgress(true);
    EXPECT_EQ(vko_dwin_is_update_needed(window(Win::Doc), nullptr), FALSE);
    ExpectOutcome(0x210000, "vkok_dwin_is_update_needed", false);
    s_rct storage{};
    EXPECT_EQ(vko_dwin_is_update_needed(window(Win::Doc), rect_of(Rect::Good, storage)), TRUE);
    ExpectOutcome(0, "vkok_dwin_is_update_needed", true);
}

TEST_F(TdwinTest, DrawImageAndPixmap_CheckSourceAndDestination) {
    int image_storage = 0;
    IMAGE image = reinterpret_cast<IMAGE>(&image_storage);
    base().SetLive("vkov_image_is_valid", image);
    struct Case {
        const char* why;
        bool pixmap;
        bool null_handle;
        Rect dst, src;
        std::uint32_t code;
        std::int32_t severity;
        bool drawn;
    };
    const Case cases[] = {
        {"null image", false, true, Rect::Good, Rect::Good, 0x1210007, 2, false},
        {"null pixmap", true, true, Rect::Good, Rect::Good, 0x1210006, 2, false},
        {"empty destination draws nothing quietly", false, false, Rect::Empty, Rect::Good, 0, 0,
         false},
        {"empty source is refused with severity 2", false, false, Rect::Good, Rect::Empty,
         0x1240003, 2, false},
        {"null source", true, false, Rect::Good, Rect::Null, 0x210000, 2, false},
        {"inverted source and destination are both repaired", true, false, Rect::Inverted,
         Rect::Inverted, 0x1240003, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        s_rct dst_storage{}, src_storage{};
        s_rct* dst = rect_of(c.dst, dst_storage);
        s_rct* src = rect_of(c.src, src_storage);
        const std::string target = c.pixmap ? "vkok_dwin_draw_pmap" : "vkok_dwin_draw_image";
        if (c.pixmap)
            vko_dwin_draw_pmap(window(Win::Doc), c.null_handle ? nullptr : window(Win::Pixmap),
                               dst, src);
        else
            vko_dwin_draw_image(window(Win::Doc), c.null_handle ? nullptr : image, dst, src);
        const base_double::Report* report = base().LastReport();
        EXPECT_EQ(report ? report->severity : 0, c.severity);
        if (c.drawn) {
            EXPECT_EQ(base().Reports().size(), 2u) << "source and destination each reported";
            const base_double::Call* call = base().LastCall(target);
            ASSERT_NE(call, nullptr);
            EXPECT_EQ(call->args[2].rect.top, 10);
            EXPECT_EQ(call->args[3].rect.left, 20);
        }
        ExpectOutcome(c.code, target, c.drawn);
    }
}

TEST_F(TdwinTest, DrawPmap_AWindowThatIsNotAPixmapIsRefusedOnTheWindow) {
    s_rct dst_storage{}, src_storage{};
    vko_dwin_draw_pmap(window(Win::Doc), window(Win::Doc), rect_of(Rect::Good, dst_storage),
                       rect_of(Rect::Good, src_storage));
    ASSERT_NE(base().LastReport(), nullptr);
    EXPECT_EQ(base().LastReport()->obj, window(Win::Doc));
    ExpectOutcome(0x1220006, "vkok_dwin_draw_pmap", false);
}

TEST_F(TdwinTest, GetFontFamily_NeedsRoomForTheTerminatingZero) {
    struct Case {
        const char* why;
        bool null_buffer;
        Win win;
        std::int32_t size;
        std::uint32_t code;
        BOOLEAN result;
    };
    base().SetResultPtr("vkov_dwin_get_font_family", "Arial");
    const Case cases[] = {
        {"null buffer comes before the window", true, Win::Null, 10, 0x210000, FALSE},
        {"the buffer is emptied before the window check", false, Win::Freed, 10, 0x1220002,
         FALSE},
        {"size 0", false, Win::Doc, 0, 0x1260003, FALSE},
        {"exactly the family's length leaves no room for the zero", false, Win::Doc, 5,
         0x1260003, FALSE},
        {"one more byte fits", false, Win::Doc, 6, 0, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        char buf[16] = "stale";
        EXPECT_EQ(vko_dwin_get_font_family(window(c.win), c.null_buffer ? nullptr : buf, c.size),
                  c.result);
        if (!c.null_buffer) {
            EXPECT_STREQ(buf, c.result ? "Arial" : "");
        }
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TdwinTest, DrawArc_TestsForATextEditAfterTheRectangle) {
    s_rct storage{};
    vko_dwin_draw_arc(window(Win::TextEdit), nullptr, 0, 0, 0, 0);
    ExpectOutcome(0x210000, "vkok_dwin_draw_arc", false);
    vko_dwin_draw_arc(window(Win::TextEdit), rect_of(Rect::Empty, storage), 0, 0, 0, 0);
    ExpectOutcome(0, "vkok_dwin_draw_arc", false);
    vko_dwin_draw_arc(window(Win::TextEdit), rect_of(Rect::Good, storage), 0, 0, 0, 0);
    ExpectOutcome(0x1230001, "vkok_dwin_draw_arc", false);
}

} // namespace
