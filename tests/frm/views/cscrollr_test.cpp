// Tests of the scroller in a real window: the scroll arithmetic of each bar event, whole-pixel
// blits with the fraction kept in the origin, keeping the content in place on a resize,
// auto-scrolling, the keys, deferred redraws and the errors of a missing bar.
#include "frm/views/cscrollr.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/views/nscrllbr.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"
#include "tests/support/wheel.h"
#include "vkocoll/ordered.h"

namespace {

// Counts full redraws.
class CountingView : public FRM_CView {
public:
    CountingView(FRM_CSubview* enclosure, const FRM_CRect& frame)
        : FRM_CView(enclosure, frame, FRM_CStringRW("counted"))
    {
    }
    void DoDraw(const FRM_CRect&) override { ++itsDraws; }
    int itsDraws = 0;
};

class ScrollerTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("scroller", 400, 300);
        itsHandle = itsWindow->GetVKOWindow();
    }

    // A scroller with only a vertical bar: its inner frame is as high as its frame.
    FRM_CScroller* VerticalScroller(float height, float virtualHeight, float line, float page)
    {
        auto* scroller =
            new FRM_CScroller(itsWindow, FRM_CRect(10, 10, 210, 10 + height), 100, virtualHeight);
        scroller->IScroller(0, 1, 0, line, page, 1, 0);
        return scroller;
    }

    FRM_CWindow* itsWindow = nullptr;
    WINDOW itsHandle = nullptr;
};

TEST_F(ScrollerTest, EachBarEventMovesTheOriginByItsRule)
{
    struct Case {
        const char* why;
        float virtualHeight, line, start;
        e_scroll_ctl action;
        float position;
        short thumbTracking;
        float expected;
    };
    // Inner height 100; a virtual height of 200 gives the lowest origin -100.
    const Case cases[] = {
        {"line up rounds to a whole number", 200, 5, -3.7F, SC_LINE_UP, 0, 0, 0},
        {"line up from further down", 200, 5, -13.7F, SC_LINE_UP, 0, 0, -8},
        {"line down stops at the lowest origin", 200, 5, -98, SC_LINE_DOWN, 0, 0, -100},
        {"page down by the page step", 200, 5, 0, SC_PAGE_DOWN, 0, 0, -40},
        {"page up stops at 0", 200, 5, -20, SC_PAGE_UP, 0, 0, 0},
        {"thumb under half a line snaps to 0", 200, 5, -50, SC_THUMB, 2, 0, 0},
        {"thumb snaps to whole lines", 200, 5, 0, SC_THUMB, 12, 0, -10},
        {"thumb past the last page", 200, 5, 0, SC_THUMB, 150, 0, -100},
        {"thumb track without tracking", 200, 5, -20, SC_THUMBTRACK, 60, 0, -20},
        {"thumb track with tracking", 200, 5, -20, SC_THUMBTRACK, 60, 1, -60},
        {"a thumb without line step is taken as it is", 200, 0, 0, SC_THUMB, 37, 0, -37},
        {"content smaller than the inner frame", 80, 5, 0, SC_LINE_DOWN, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CScroller* scroller = VerticalScroller(100, c.virtualHeight, c.line, 40);
        scroller->SetThumbtracking(c.thumbTracking);
        scroller->SetScrollingOrigin(FRM_CPoint(0, c.start));
        scroller->VScroll(c.action, c.position);
        EXPECT_FLOAT_EQ(scroller->GetScrollingOrigin().V(), c.expected);
        EXPECT_FLOAT_EQ(scroller->GetVScrollBar()->GetPosition(),
                        std::min(-c.expected, scroller->GetVScrollBar()->GetMaxPosition()));
        delete scroller;
    }
}

TEST_F(ScrollerTest, OnlyWholePixelsAreBlittedAndTheFractionWaitsInTheOrigin)
{
    FRM_CScroller* scroller = VerticalScroller(100, 400, 5, 50);
    auto* row = new FRM_CView(scroller, FRM_CRect(0, 150, 50, 170), FRM_CStringRW("row"));
    const FRM_CRect before = row->GetGlobalFrame();
    vkov_debug_draw_log_clear(itsHandle);

    scroller->SetScrollingOrigin(FRM_CPoint(0, -0.4F));
    EXPECT_EQ(scroller->GetScrollingOrigin(), FRM_CPoint(0, 0)) << "a sub-pixel move keeps all";
    EXPECT_TRUE(LogArgs(itsHandle, "scroll_rect").empty());

    scroller->SetScrollingOrigin(FRM_CPoint(0, -1.2F));
    EXPECT_FLOAT_EQ(scroller->GetScrollingOrigin().V(), -1.2F);
    EXPECT_EQ(row->GetGlobalFrame(), before + FRM_CPoint(0, -1));
    scroller->SetScrollingOrigin(FRM_CPoint(0, -2.1F));
    EXPECT_EQ(row->GetGlobalFrame(), before + FRM_CPoint(0, -2)) << "the 0.2 kept is used now";
    // The inner frame less a pixel all round (top, left, bottom, right), then (dh, dv).
    const std::string blit =
        "11,11,109," + std::to_string(209 - FRM_NScrollBar::NativeWidth()) + ",0,-1";
    EXPECT_EQ(LogArgs(itsHandle, "scroll_rect"), (std::vector<std::string>{blit, blit}));
}

TEST_F(ScrollerTest, GrowingPastTheContentsEndPullsTheOriginBack)
{
    FRM_CScroller* scroller = VerticalScroller(100, 200, 5, 50);
    scroller->SetScrollingOrigin(FRM_CPoint(0, -100));
    scroller->Size(FRM_CRect(10, 10, 210, 160));
    EXPECT_FLOAT_EQ(scroller->GetScrollingOrigin().V(), -50);
    scroller->Size(FRM_CRect(10, 10, 210, 300));
    EXPECT_FLOAT_EQ(scroller->GetScrollingOrigin().V(), 0) << "never past 0";
    EXPECT_EQ(scroller->GetVScrollBar()->GetFrame().Height(), 290) << "the bar follows";
}

TEST_F(ScrollerTest, AutoScrollMovesOneLinePerAxisAndAnswersTheDistance)
{
    auto* scroller = new FRM_CScroller(itsWindow, FRM_CRect(0, 0, 200, 100), 1000, 1000);
    scroller->IScroller(1, 1, 0, 7, 50, 1, 0);
    EXPECT_EQ(scroller->AutoScroll(300, 900), FRM_CPoint(7, 7));
    EXPECT_EQ(scroller->AutoScroll(-1, 0), FRM_CPoint(-7, 0));
    EXPECT_EQ(scroller->GetScrollingOrigin(), FRM_CPoint(0, -7));
    EXPECT_EQ(scroller->AutoScroll(0, 0), FRM_CPoint(0, 0));
}

TEST_F(ScrollerTest, KeysScrollTowardTheirEndAndMoveTheBar)
{
    auto* scroller = new FRM_CScroller(itsWindow, FRM_CRect(0, 0, 200, 100), 1000, 1000);
    scroller->IScroller(1, 1, 0, 6, 30, 1, 0);
    struct Case {
        std::uint16_t key;
        FRM_CPoint expected;
    };
    const Case cases[] = {
        {VKO_KEY_DOWN, {0, -6}},   {VKO_KEY_PAGE_DOWN, {0, -36}}, {VKO_KEY_UP, {0, -30}},
        {VKO_KEY_PAGE_UP, {0, 0}}, {VKO_KEY_RIGHT, {-6, 0}},      {VKO_KEY_LEFT, {0, 0}},
    };
    for (const Case& c : cases) {
        scroller->Key(FRM_CKey(FRM_CKey::kVirtual, c.key));
        EXPECT_EQ(scroller->GetScrollingOrigin(), c.expected) << c.key;
        EXPECT_FLOAT_EQ(scroller->GetVScrollBar()->GetPosition(), -c.expected.V());
        EXPECT_FLOAT_EQ(scroller->GetHScrollBar()->GetPosition(), -c.expected.H());
    }
}

TEST_F(ScrollerTest, BordersBarsStayOutOfTheContentAndDoNotScroll)
{
    auto* scroller = new FRM_CScroller(itsWindow, FRM_CRect(10, 20, 210, 120), 500, 500);
    scroller->IScroller(1, 1, 0, 5, 50, 1, 0);
    EXPECT_EQ(scroller->GetNumViews(), 0) << "the bars are not content";
    const float width = static_cast<float>(FRM_NScrollBar::NativeWidth());
    const float height = static_cast<float>(FRM_NScrollBar::NativeHeight());
    EXPECT_EQ(scroller->GetInnerFrame(), FRM_CRect(10, 20, 210 - width, 120 - height));
    const FRM_CRect bar = scroller->GetVScrollBar()->GetGlobalFrame();
    scroller->SetScrollingOrigin(FRM_CPoint(-30, -40));
    EXPECT_EQ(scroller->GetVScrollBar()->GetGlobalFrame(), bar);
    EXPECT_EQ(bar, FRM_CRect(210 - width, 20, 210, 120 - height));
    EXPECT_EQ(scroller->GetGlue(), 0xFF000000UL) << "glue 0 with bars becomes the bars' glue";
}

// The bars' controls stand on the scroller's border, where their frames are: the area the
// scroller shows of its contents (its inner frame) must not cut them away.
TEST_F(ScrollerTest, BorderBarsControlsStandOnTheBorder)
{
    auto* scroller = new FRM_CScroller(itsWindow, FRM_CRect(10, 20, 210, 120), 500, 500);
    scroller->IScroller(1, 1, 0, 5, 50, 1, 0);
    const std::int16_t width = FRM_NScrollBar::NativeWidth();
    const std::int16_t height = FRM_NScrollBar::NativeHeight();
    struct Case {
        const char* why;
        FRM_NScrollBar* bar;
        s_rct placed; // top, left, bottom, right in the window's pixels
    };
    const Case cases[] = {
        {"vertical bar on the right", scroller->GetVScrollBar(),
         {20, static_cast<std::int16_t>(210 - width), static_cast<std::int16_t>(120 - height), 210}},
        {"horizontal bar at the bottom", scroller->GetHScrollBar(),
         {static_cast<std::int16_t>(120 - height), 10, 120, static_cast<std::int16_t>(210 - width)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ASSERT_NE(c.bar, nullptr);
        s_rct outer{};
        vko_vobj_get_outer_rect(c.bar->GetVKOWindow(), &outer);
        EXPECT_EQ(outer.top, c.placed.top);
        EXPECT_EQ(outer.left, c.placed.left);
        EXPECT_EQ(outer.bottom, c.placed.bottom);
        EXPECT_EQ(outer.right, c.placed.right);
    }
}

TEST_F(ScrollerTest, ViewsRegisteredDuringAScrollAreDrawnOnceAfterIt)
{
    auto* scroller = new FRM_CScroller(itsWindow, FRM_CRect(0, 0, 200, 100), 500, 500);
    scroller->IScroller(0, 1, 0, 5, 50, 1, 0);
    auto* edit = new CountingView(scroller, FRM_CRect(0, 0, 50, 20));
    EXPECT_EQ(FRM_CScroller::RegisterForUpdate(edit), 0) << "no scroll under way";
    FRM_CObjectRWC::GetG()->SetUpdateView(itsWindow);
    EXPECT_EQ(FRM_CScroller::RegisterForUpdate(edit), 0) << "the update view is no scroller";
    FRM_CObjectRWC::GetG()->SetUpdateView(scroller);
    EXPECT_EQ(FRM_CScroller::RegisterForUpdate(edit), 1);
    FRM_CObjectRWC::GetG()->SetUpdateView(nullptr);
    FRM_CScroller::ProcessViewUpdate();
    EXPECT_EQ(edit->itsDraws, 1);
    EXPECT_EQ(FRM_CScroller::GetUpdateViewList()->entries(), 0U);
}

// The mouse wheel gives a window without bars of its own scroll events with no point: the
// scroller under the pointer (where the last mouse event was) takes them.
TEST_F(ScrollerTest, WheelScrollsTheScrollerUnderThePointer)
{
    FRM_CScroller* left = VerticalScroller(100, 1000, 4, 40);
    auto* right = new FRM_CScroller(itsWindow, FRM_CRect(250, 10, 350, 110), 100, 1000);
    right->IScroller(0, 1, 0, 6, 40, 1, 0);
    auto moveTo = [&](std::int16_t h, std::int16_t v) {
        EVENT move{};
        move.type = E_MOUSE_MOVE;
        move.v.mouse.where = s_pnt{v, h};
        vkov_test_post_event(itsHandle, &move);
        vkok_app_process_pending_events();
    };
    struct Case {
        const char* why;
        std::int16_t h, v;
        float left, right;
    };
    const Case cases[] = {
        {"over the left one", 50, 50, 12, 0},
        {"over the right one", 300, 50, 12, 18},
        {"over neither", 220, 200, 12, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        moveTo(c.h, c.v);
        test_support::WheelNotch(itsHandle); // three line scrolls down
        EXPECT_FLOAT_EQ(left->GetVScrollBar()->GetPosition(), c.left);
        EXPECT_FLOAT_EQ(right->GetVScrollBar()->GetPosition(), c.right);
    }
}

TEST_F(ScrollerTest, AMissingBarsIncrementIsAnErrorAndGivesZero)
{
    auto* scroller = new FRM_CScroller(itsWindow, FRM_CRect(0, 0, 200, 100), 500, 500);
    scroller->IScroller(0, 0, 0, 5, 50, 1, 0);
    FrmErrorCapture errors;
    scroller->SetHIncrements(1, 2);
    scroller->SetVIncrements(1, 2);
    EXPECT_EQ(scroller->GetHLineIncrement(), 0);
    EXPECT_EQ(scroller->GetHPageIncrement(), 0);
    EXPECT_EQ(scroller->GetVLineIncrement(), 0);
    EXPECT_EQ(scroller->GetVPageIncrement(), 0);
    std::vector<long> codes;
    for (const FrmReport& report : errors.Take()) {
        codes.push_back(report.code);
        EXPECT_EQ(report.file, "cscrollr");
    }
    EXPECT_EQ(codes, (std::vector<long>{1800, 1801, 1802, 1803, 1804, 1805}));
    scroller->VScroll(SC_LINE_DOWN, 0);
    scroller->Key(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DOWN));
    EXPECT_EQ(scroller->GetScrollingOrigin(), FRM_CPoint(0, 0));
}

} // namespace

namespace {

// On a window, the scroller drives the window's own bars: it neither makes, moves nor deletes
// them, and once it is gone the bars no longer call it.
TEST_F(ScrollerTest, AScrollerOnAWindowDrivesTheWindowsOwnBars)
{
    auto* window = new FRM_CWindow(itsDocument, FRM_CRect(0, 0, 200, 100),
                                   FRM_CStringRW("bars"), 0x4 | 0x8, W_DOC, 0, itsTaskWindow);
    vkok_app_process_pending_events();
    FRM_NScrollBar* vertical = window->GetVScrollBar();
    ASSERT_NE(vertical, nullptr);
    auto* scroller = new FRM_CScroller(window, 200, 1000);
    EXPECT_EQ(scroller->UsesWindowScrollBars(), 1);
    EXPECT_EQ(scroller->GetVScrollBar(), vertical);
    scroller->IScroller(1, 1, 0, 10, 50, 1, 0);
    EXPECT_EQ(scroller->GetVScrollBar(), vertical) << "no bar of its own";
    EXPECT_EQ(scroller->GetInnerFrame(), scroller->GetFrame());
    EXPECT_FLOAT_EQ(vertical->GetLineIncrement(), 10);
    EXPECT_EQ(scroller->GetGlue(), 0xFFFFFFFFUL);

    s_ctlinfo hit{};
    hit.v.sbar.what = SC_LINE_DOWN;
    vertical->DoHit(hit);
    EXPECT_FLOAT_EQ(scroller->GetScrollingOrigin().V(), -10) << "the window's bar scrolls it";
    delete scroller;
    vertical->DoHit(hit);   // reaches no dead scroller
    EXPECT_EQ(window->GetVScrollBar(), vertical);
}

// A scroller assigned from one with bars of its own stops driving the window's bars: it takes
// the other's extent and thumb tracking, and the window's bars no longer call it, then or
// once it is gone.
TEST_F(ScrollerTest, AnAssignedScrollerLetsTheWindowsBarsGo)
{
    auto* window = new FRM_CWindow(itsDocument, FRM_CRect(0, 0, 200, 100), FRM_CStringRW("bars"),
                                   0x4 | 0x8, W_DOC, 0, itsTaskWindow);
    vkok_app_process_pending_events();
    FRM_NScrollBar* vertical = window->GetVScrollBar();
    ASSERT_NE(vertical, nullptr);
    auto* target = new FRM_CScroller(window, 200, 1000);
    target->IScroller(1, 1, 0, 10, 50, 1, 0);
    auto* source = new FRM_CScroller(window, FRM_CRect(0, 0, 150, 80), 600, 700);
    source->IScroller(1, 1, 1, 10, 50, 1, 0);

    *target = *source;
    EXPECT_EQ(target->UsesWindowScrollBars(), 0);
    EXPECT_EQ(target->GetVScrollBar(), nullptr);
    EXPECT_EQ(target->IsThumbtracking(), 1);
    EXPECT_EQ(target->GetVirtualFrame(), FRM_CRect(0, 0, 600, 700));
    const std::vector<FRM_CView*>& owners = vertical->GetOwners();
    EXPECT_EQ(std::count(owners.begin(), owners.end(), target), 0);

    s_ctlinfo hit{};
    hit.v.sbar.what = SC_LINE_DOWN;
    vertical->DoHit(hit);
    EXPECT_FLOAT_EQ(target->GetScrollingOrigin().V(), 0) << "the window's bar no longer moves it";
    delete target;
    vertical->DoHit(hit); // reaches no dead scroller
    EXPECT_EQ(window->GetVScrollBar(), vertical);
    EXPECT_NE(source->GetVScrollBar(), nullptr) << "the source keeps its own bars";
}

} // namespace
