// Tests of scroll bars over real base-library bars: range rules, the six user actions with
// their clamping and owners, the native position against the thumb, binding, a real click
// on the arrows and page areas, and a window's own bars addressed by kind.
#include "frm/views/nscrllbr.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "frm/core/ctdivalue.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

// A view that records the scrolls it hears.
class Owner : public FRM_CView {
public:
    explicit Owner(FRM_CSubview* enclosure) : FRM_CView(enclosure, FRM_CRect(), FRM_CStringRW()) {}
    void HScroll(e_scroll_ctl action, float position) override
    {
        heard.emplace_back(-action, position);
    }
    void VScroll(e_scroll_ctl action, float position) override
    {
        heard.emplace_back(action, position);
    }
    std::vector<std::pair<int, float>> heard;   // horizontal actions negated
};

class ScrollBarTest : public frmtest::ControlsFixture {
protected:
    // A vertical bar 16 pixels wide and 200 high at the window's right.
    FRM_NScrollBar* NewBar(DIRECTION direction = VERTICAL)
    {
        const FRM_CRect frame = direction == VERTICAL ? FRM_CRect(300, 10, 316, 210)
                                                      : FRM_CRect(10, 220, 210, 236);
        return new FRM_NScrollBar(itsWindow, frame, direction, 0);   // the window owns it
    }
    static s_ctlinfo Action(e_scroll_ctl what, int position = 0)
    {
        s_ctlinfo info{};
        info.v.sbar.what = what;
        info.v.sbar.pos = static_cast<int16_t>(position);
        return info;
    }
};

TEST_F(ScrollBarTest, RangeKeepsItsInvariants)
{
    struct Case {
        const char* why;
        float min, max, position;
        float wantMin, wantMax, wantPosition;
        bool reported;
    };
    const Case cases[] = {
        {"ordinary", 0, 100, 40, 0, 100, 40, false},
        {"position above", 0, 100, 140, 0, 100, 100, false},
        {"position below", 10, 100, -5, 10, 100, 10, false},
        {"empty range widened", 5, 5, 9, 5, 5.0001F, 5.0001F, false},
        {"reversed range", 10, 0, 3, 10, 10.0001F, 10, true},
    };
    FRM_NScrollBar* bar = NewBar();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FrmErrorCapture errors;
        bar->SetRange(c.min, c.max, c.position);
        EXPECT_FLOAT_EQ(bar->GetMinPosition(), c.wantMin);
        EXPECT_FLOAT_EQ(bar->GetMaxPosition(), c.wantMax);
        EXPECT_FLOAT_EQ(bar->GetPosition(), c.wantPosition);
        ASSERT_EQ(errors.Reports().size(), c.reported ? 1U : 0U);
        if (c.reported) {
            EXPECT_EQ(errors.Reports()[0].code, 381);
            EXPECT_EQ(errors.Reports()[0].file, "nscrllbr");
        }
    }
}

TEST_F(ScrollBarTest, ActionsMoveByTheStepsAndAlwaysReachTheOwners)
{
    FRM_NScrollBar* bar = NewBar();
    Owner extra(itsWindow);
    bar->InsertOwner(&extra);
    bar->InsertOwner(&extra);   // once only
    bar->SetRange(0, 100, 50);
    bar->SetIncrements(5, 30);
    struct Case {
        const char* why;
        float from;
        e_scroll_ctl action;
        int thumb;
        float want;
    };
    const Case cases[] = {
        {"line up", 50, SC_LINE_UP, 0, 45},
        {"line down", 50, SC_LINE_DOWN, 0, 55},
        {"page up", 50, SC_PAGE_UP, 0, 20},
        {"page down", 50, SC_PAGE_DOWN, 0, 80},
        {"page up at the top", 10, SC_PAGE_UP, 0, 0},
        {"page down at the bottom", 100, SC_PAGE_DOWN, 0, 100},
        {"thumb", 50, SC_THUMB, 70, 70},
        {"thumb tracking", 50, SC_THUMBTRACK, 12, 12},
        {"thumb past the end", 50, SC_THUMB, 300, 100},
        {"unknown action", 50, 9, 0, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        bar->SetPosition(c.from);
        extra.heard.clear();
        bar->DoHit(Action(c.action, c.thumb));
        EXPECT_FLOAT_EQ(bar->GetPosition(), c.want);
        ASSERT_EQ(extra.heard.size(), 1U);
        EXPECT_EQ(extra.heard[0].first, c.action);
        EXPECT_FLOAT_EQ(extra.heard[0].second, c.want);
    }
    bar->RemoveOwner(&extra);
    extra.heard.clear();
    bar->DoHit(Action(SC_LINE_UP));
    EXPECT_TRUE(extra.heard.empty());
}

TEST_F(ScrollBarTest, AnAssignedBarScrollsOnlyTheSourcesOwner)
{
    Owner first(itsWindow);
    Owner second(itsWindow);
    for (const bool sourceOwned : {true, false}) {
        SCOPED_TRACE(sourceOwned ? "the source has an owner" : "the source has none");
        FRM_NScrollBar* target = NewBar();
        target->SetOwner(&first);
        FRM_NScrollBar* source = NewBar();
        source->RemoveOwner(source->GetOwner());   // made with its enclosure as owner
        if (sourceOwned)
            source->SetOwner(&second);
        source->SetRange(0, 40, 10);
        source->SetIncrements(2, 8);
        *target = *source;
        EXPECT_EQ(target->GetOwner(), sourceOwned ? &second : nullptr);
        EXPECT_EQ(target->GetOwners().size(), sourceOwned ? 1U : 0U);
        first.heard.clear();
        second.heard.clear();
        target->DoHit(Action(SC_LINE_DOWN));
        EXPECT_FLOAT_EQ(target->GetPosition(), 12);
        EXPECT_TRUE(first.heard.empty());
        EXPECT_EQ(second.heard.size(), sourceOwned ? 1U : 0U);
        delete source;
        delete target;
    }
}

TEST_F(ScrollBarTest, HorizontalBarsScrollHorizontally)
{
    FRM_NScrollBar* bar = NewBar(HORIZONTAL);
    EXPECT_EQ(bar->GetVKOType(), WC_HSCROLL);
    EXPECT_EQ(bar->GetSBType(), 2);
    Owner extra(itsWindow);
    bar->InsertOwner(&extra);
    bar->SetRange(0, 10, 0);
    bar->SetIncrements(1, 4);
    bar->DoHit(Action(SC_PAGE_DOWN));
    ASSERT_EQ(extra.heard.size(), 1U);
    EXPECT_EQ(extra.heard[0].first, -SC_PAGE_DOWN);
    EXPECT_FLOAT_EQ(extra.heard[0].second, 4);
}

TEST_F(ScrollBarTest, NativePositionStaysBeforeTheThumbAndThumbFitsTheRange)
{
    FRM_NScrollBar* bar = NewBar();
    WINDOW handle = bar->GetVKOWindow();
    bar->SetRange(0, 100, 0);
    bar->SetThumbSize(20);
    bar->SetPosition(100);
    EXPECT_FLOAT_EQ(bar->GetPosition(), 100);
    EXPECT_EQ(vko_sbar_get_proportion(handle, 2), 20);
    EXPECT_LE(vko_sbar_get_pos(handle, 2), 80);
    std::int32_t min = -1;
    std::int32_t max = -1;
    vko_sbar_get_range(handle, 2, &min, &max);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 100);

    const std::pair<float, float> thumbs[] = {{30, 30}, {500, 100}, {-3, 0}};
    for (const auto& [asked, kept] : thumbs) {
        bar->SetThumbSize(asked);
        EXPECT_FLOAT_EQ(bar->GetThumbSize(), kept) << asked;
    }
}

TEST_F(ScrollBarTest, BoundValueSetsThePositionAndOwnersNeedOne)
{
    FRM_NScrollBar* bar = NewBar();
    bar->SetRange(0, 100, 0);
    const FRM_CTdiFloatValue value(FRM_CFloat(42), nullptr, 20002);
    bar->DoUpdateModel(0, 20002, &value);
    EXPECT_FLOAT_EQ(bar->GetPosition(), 42);
    // Another tag is not the position.
    const FRM_CTdiFloatValue other(FRM_CFloat(7), nullptr, 20001);
    bar->DoUpdateModel(0, 20001, &other);
    EXPECT_FLOAT_EQ(bar->GetPosition(), 42);

    FrmErrorCapture errors;
    bar->SetOwner(nullptr);
    ASSERT_EQ(errors.Reports().size(), 1U);
    EXPECT_EQ(errors.Reports()[0].code, 2901);
    EXPECT_EQ(bar->GetOwner(), itsWindow);
    EXPECT_EQ(bar->GetTitle().length(), 0U);
}

TEST_F(ScrollBarTest, RealClicksOnArrowsAndPageAreasScroll)
{
    FRM_NScrollBar* bar = NewBar();
    Owner extra(itsWindow);
    bar->InsertOwner(&extra);
    bar->SetRange(0, 100, 50);
    bar->SetThumbSize(10);
    bar->SetIncrements(1, 10);
    WINDOW handle = bar->GetVKOWindow();
    struct Case {
        const char* why;
        int16_t v;
        e_scroll_ctl action;
        float want;
    };
    // The bar is 200 pixels high; its arrows are 16 pixels long at each end.
    const Case cases[] = {
        {"upper arrow", 4, SC_LINE_UP, 49},
        {"lower arrow", 196, SC_LINE_DOWN, 50},
        {"page area below the thumb", 180, SC_PAGE_DOWN, 60},
        {"page area above the thumb", 20, SC_PAGE_UP, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        extra.heard.clear();
        Click(handle, s_pnt{c.v, 8});
        ASSERT_FALSE(extra.heard.empty());
        EXPECT_EQ(extra.heard[0].first, c.action);
        EXPECT_FLOAT_EQ(bar->GetPosition(), c.want);
    }
}

TEST_F(ScrollBarTest, WindowBarsAreAddressedByKindAndNeverTouchedAsControls)
{
    constexpr long kBothBars = 0x4 | 0x8;
    auto* window = new FRM_CWindow(itsDocument, FRM_CRect(0, 0, 200, 100),
                                   FRM_CStringRW("bars"), kBothBars, W_DOC, 0, itsTaskWindow);
    vkok_app_process_pending_events();
    FRM_NWinScrollBar* vertical = window->GetVScrollBar();
    FRM_NWinScrollBar* horizontal = window->GetHScrollBar();
    ASSERT_NE(vertical, nullptr);
    ASSERT_NE(horizontal, nullptr);
    EXPECT_EQ(vertical->GetSBType(), 1);
    EXPECT_EQ(horizontal->GetSBType(), 0);
    WINDOW handle = window->GetVKOWindow();
    EXPECT_EQ(vertical->GetVKOWindow(), handle);

    vertical->SetRange(0, 50, 10);
    std::int32_t min = -1;
    std::int32_t max = -1;
    vko_sbar_get_range(handle, 1, &min, &max);
    EXPECT_EQ(max, 50);
    EXPECT_EQ(vko_sbar_get_pos(handle, 1), 10);

    vertical->Hide();
    vertical->Disable();
    vertical->Size(FRM_CRect(0, 0, 5, 5));
    EXPECT_FALSE(IsHidden(handle));
    EXPECT_FALSE(IsDisabled(handle));

    // The window's scroll events reach the bar and its owners.
    Owner extra(window);
    vertical->InsertOwner(&extra);
    vertical->SetIncrements(2, 20);
    EVENT event{};
    event.type = E_VSCROLL;
    event.v.scroll.what = SC_LINE_DOWN;
    vkov_test_post_event(handle, &event);
    vkok_app_process_pending_events();
    EXPECT_FLOAT_EQ(vertical->GetPosition(), 12);
    ASSERT_EQ(extra.heard.size(), 1U);
    vertical->RemoveOwner(&extra);
}

} // namespace
