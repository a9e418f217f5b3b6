// Tests of the drawing context against the real layer and base library, read from the
// window's drawing log: coordinate clamping, the argument forms of the primitives, lazy
// application of the environment, nested contexts and the invalidation queue.
#include "frm/drawing/cdrawctx.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/frm_app_fixture.h"
#include "../support/frm_error_capture.h"
#include "frm/core/cvaluerwc.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cview.h"

namespace {

constexpr unsigned long kRed = 0x01FF0000ul;
constexpr unsigned long kBlue = 0x030000FFul;

class DrawingContextTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow();
        itsView = new FRM_CView(itsWindow, FRM_CRect(10, 10, 60, 40), FRM_CStringRW("v"));
        itsHandle = itsWindow->GetVKOWindow();
        vkov_debug_draw_log_clear(itsHandle);
    }

    vkov_draw_log_entry Last() const
    {
        const auto entries = Log(itsHandle);
        return entries.empty() ? vkov_draw_log_entry{} : entries.back();
    }

    static FRM_CEnvironment PenOf(unsigned long color)
    {
        FRM_CEnvironment environment;
        environment.SetPenColor(color, color);
        return environment;
    }

    FRM_CWindow* itsWindow = nullptr;
    FRM_CView* itsView = nullptr; // owned by the window
    WINDOW itsHandle = nullptr;
};

TEST_F(DrawingContextTest, Coordinates_AreClampedAndTruncatedTowardZero)
{
    struct Case {
        const char* why;
        float left;
        const char* args; // h,v as logged
    };
    const Case cases[] = {
        {"beyond the 16-bit range", 40000.0f, "32767,0"},
        {"far below it", -1e9f, "-32768,0"},
        {"positive fraction", 10.9f, "10,0"},
        {"negative fraction", -10.9f, "-10,0"},
    };
    FRM_CDrawingContext context(itsView);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        context.DrawText(FRM_CStringRW("x"), FRM_CPoint(c.left, 0));
        const vkov_draw_log_entry entry = Last();
        EXPECT_STREQ(entry.op, "draw_text");
        EXPECT_EQ(std::string(entry.args), std::string(c.args) + ",\"x\"");
    }
}

TEST_F(DrawingContextTest, Primitives_ChooseTheirFormAndArgumentOrder)
{
    struct Case {
        const char* why;
        void (*draw)(FRM_CDrawingContext&);
        const char* op;
        const char* args = nullptr; // the logged arguments, where their order matters
    };
    const Case cases[] = {
        {"square corners", [](FRM_CDrawingContext& c) { c.DrawRect(FRM_CRect(0, 0, 9, 9)); },
         "draw_rect"},
        {"one oval value rounds the corners",
         [](FRM_CDrawingContext& c) { c.DrawRect(FRM_CRect(0, 0, 9, 9), 0, 5); },
         "draw_roundrect"},
        {"no arrows", [](FRM_CDrawingContext& c) { c.DrawLine(FRM_CPoint(5, 5)); }, "draw_line"},
        {"one arrow",
         [](FRM_CDrawingContext& c) { c.DrawLine(FRM_CPoint(0, 0), FRM_CPoint(5, 5), 0, 1); },
         "draw_aline"},
        {"oval", [](FRM_CDrawingContext& c) { c.DrawOval(FRM_CRect(0, 0, 9, 9)); }, "draw_oval"},
        {"pie",
         [](FRM_CDrawingContext& c) {
             c.DrawPie(FRM_CRect(0, 0, 9, 9), FRM_CPoint(9, 4), FRM_CPoint(4, 0));
         },
         "draw_pie"},
        {"an icon takes h, v, then its resource",
         [](FRM_CDrawingContext& c) { c.DrawIcon(301, FRM_CPoint(7, 3)); }, "draw_icon",
         "7,3,301"},
        {"an arc takes its rectangle, then start and stop h, v",
         [](FRM_CDrawingContext& c) {
             c.DrawArc(FRM_CRect(1, 2, 30, 40), FRM_CPoint(30, 20), FRM_CPoint(15, 2));
         },
         "draw_arc", "2,1,40,30,30,20,15,2"},
        {"text is drawn whole at its point",
         [](FRM_CDrawingContext& c) { c.DrawText("tree", FRM_CPoint(4, 9)); }, "draw_text",
         "4,9,\"tree\""},
        {"scrolling keeps both distances and their signs",
         [](FRM_CDrawingContext& c) { c.ScrollRect(FRM_CRect(0, 0, 20, 10), 3, -2); },
         "scroll_rect", "0,0,10,20,3,-2"},
    };
    FRM_CDrawingContext context(itsView);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        c.draw(context);
        EXPECT_STREQ(Last().op, c.op);
        if (c.args != nullptr) {
            EXPECT_STREQ(Last().args, c.args);
        }
    }

    RWOrdered points;
    points.insert(new FRM_CPointRWC(0, 0));
    points.insert(new FRM_CPointRWC(10, 0));
    points.insert(new FRM_CPointRWC(5, 6));
    context.DrawPolygon(points, 1);
    EXPECT_STREQ(Last().op, "draw_polygon");
    EXPECT_STREQ(Last().args, "3;0,0;10,0;5,6");
    context.DrawPolygon(points, 0);
    EXPECT_STREQ(Last().op, "draw_polyline") << "an open polygon is a line through its points";
    points.clearAndDestroy();

    IMAGE image = vko_image_create(VKO_IMAGE_INDEXED, 20, 20, 0);
    ASSERT_NE(image, nullptr);
    context.DrawImage(image, FRM_CRect(0, 0, 10, 10), FRM_CRect(5, 2, 15, 12));
    EXPECT_STREQ(Last().op, "draw_image");
    EXPECT_STREQ(Last().args, "2,5,12,15;0,0,10,10") << "the destination goes first";
    vko_image_destroy(image);

    WINDOW pixmap = vko_pmap_create(itsHandle, 0, 20, 20, 0);
    ASSERT_NE(pixmap, nullptr);
    context.DrawPixmap(pixmap, FRM_CRect(0, 0, 10, 10), FRM_CRect(5, 5, 15, 15));
    EXPECT_STREQ(Last().op, "draw_pmap");
    EXPECT_STREQ(Last().args, "5,5,15,15;0,0,10,10") << "the destination goes first";
    vko_vobj_destroy(pixmap);
}

TEST_F(DrawingContextTest, Environment_IsAppliedOnlyWhenChangedOrAnotherContextDrew)
{
    FRM_CDrawingContext context(itsView, PenOf(kRed));
    context.DrawLine(FRM_CPoint(1, 1));
    EXPECT_EQ(Last().pen.color, kRed);

    const s_cpen blue{1, 2, 0, static_cast<COLOR>(kBlue)};
    vko_dwin_set_cpen(itsHandle, &blue); // behind the context's back
    context.DrawLine(FRM_CPoint(2, 2));
    EXPECT_EQ(Last().pen.color, kBlue) << "an unchanged current context applies nothing";

    context.GetEnv();
    context.DrawLine(FRM_CPoint(3, 3));
    EXPECT_EQ(Last().pen.color, kRed) << "GetEnv may have changed it: applied again";

    {
        FRM_CDrawingContext inner(itsView, PenOf(kBlue));
        inner.DrawLine(FRM_CPoint(4, 4));
        EXPECT_EQ(Last().pen.color, kBlue);
    }
    context.DrawLine(FRM_CPoint(5, 5));
    EXPECT_EQ(Last().pen.color, kRed) << "the outer context takes its tools back";
}

TEST_F(DrawingContextTest, Clip_MaximalRectangleRemovesIt)
{
    FRM_CDrawingContext context(itsView);
    context.SetClip(FRM_CRect(0, 0, 30000, 30000));
    context.DrawRect(FRM_CRect(0, 0, 5, 5));
    EXPECT_TRUE(Last().has_clip) << "a large rectangle still clips";
    context.SetClip(FRM_CObjectRWC::GetG()->GetMAXRect());
    context.DrawRect(FRM_CRect(0, 0, 5, 5));
    EXPECT_FALSE(Last().has_clip);
}

TEST_F(DrawingContextTest, InvalidationQueue_MergesOrRegionsAndDropsOnDestruction)
{
    struct Case {
        const char* why;
        short regioned;
        bool gapNeedsUpdate;
    };
    const Case cases[] = {
        {"merged: one union covers the gap", 0, true},
        {"regioned: one rectangle each", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        vkok_dwin_update(itsHandle);
        {
            FRM_CDrawingContext context(itsView);
            context.SetLocalRegionedQueue(c.regioned);
            context.QueueInvalidate(FRM_CRect(0, 0, 10, 10));
            context.QueueInvalidate(FRM_CRect(20, 20, 30, 30));
            context.FlushInvalidate();
        }
        const s_rct gap{14, 14, 16, 16};
        const s_rct corner{2, 2, 4, 4};
        EXPECT_TRUE(vkok_dwin_is_update_needed(itsHandle, &corner));
        EXPECT_EQ(vkok_dwin_is_update_needed(itsHandle, &gap) != 0, c.gapNeedsUpdate);
    }
    vkok_dwin_update(itsHandle);
    {
        FRM_CDrawingContext context(itsView);
        context.QueueInvalidate(FRM_CRect(0, 0, 10, 10));
    }
    const s_rct corner{2, 2, 4, 4};
    EXPECT_FALSE(vkok_dwin_is_update_needed(itsHandle, &corner))
        << "a context that goes with a queue invalidates nothing";
}

TEST_F(DrawingContextTest, OutsetFrame_OfWidthZeroDrawsNothingAndTheNextPrimitiveRestoresTools)
{
    FRM_CDrawingContext context(itsView, PenOf(kRed));
    context.DrawOutsetFrame(FRM_CRect(0, 0, 20, 20), 0, kRed, kBlue);
    EXPECT_EQ(vkov_debug_draw_log_size(itsHandle), 0);
    context.DrawOutsetFrame(FRM_CRect(0, 0, 20, 20), 3, kRed, kBlue);
    const auto frame = Log(itsHandle);
    ASSERT_EQ(frame.size(), 2u);
    EXPECT_STREQ(frame[0].op, "draw_polygon");
    EXPECT_EQ(frame[0].brush.color, kRed);
    EXPECT_EQ(frame[1].brush.color, kBlue);
    context.DrawLine(FRM_CPoint(1, 1));
    EXPECT_EQ(Last().pen.color, kRed) << "the frame's pens are not the environment's";
}

TEST_F(DrawingContextTest, Copy_IsFatal)
{
    FrmErrorCapture errors;
    FRM_CDrawingContext context(itsView);
    FRM_CDrawingContext copy(context);
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{32000, "cdrawctx", 79}}));
}

} // namespace
