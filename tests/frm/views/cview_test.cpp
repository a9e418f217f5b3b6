// Tests of the view tree inside a real framework window: stacking and drawing order, the hit
// search top first, click commands, the key-focus path, glue sizing with its invalidation,
// removal clearing every ancestor, and the misuse reports of views and subviews.
#include "frm/views/cview.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/core/ctdivalue.h"
#include "frm/views/cglue.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"

namespace {

using Trace = std::vector<std::string>;

// A view that notes its drawing, clicks and commands in a shared trace.
class TracingView : public FRM_CSubview {
public:
    TracingView(FRM_CSubview* enclosure, const FRM_CRect& frame, std::string name, Trace* trace)
        : FRM_CSubview(enclosure, frame), itsName(std::move(name)), itsTrace(trace)
    {
    }
    void Draw(const FRM_CRect&) override { itsTrace->push_back("draw " + itsName); }
    void MouseDown(FRM_CPoint point, short button, short shift, short control) override
    {
        itsTrace->push_back("down " + itsName);
        FRM_CSubview::MouseDown(point, button, shift, control);
    }
    void DoCommand(long command, void*) override
    {
        itsTrace->push_back("command " + itsName + " " + std::to_string(command));
    }

private:
    std::string itsName;
    Trace* itsTrace;
};

class ViewTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        FRM_CView::ResetClickedView();
        itsWindow = NewWindow("views", 200, 100);
    }

    FRM_CWindow* itsWindow = nullptr;
    Trace itsTrace;
};

TEST_F(ViewTest, ChildrenDrawBottomUpAndTheTopOneIsHitFirst)
{
    auto* a = new TracingView(itsWindow, FRM_CRect(10, 10, 60, 60), "a", &itsTrace);
    auto* b = new TracingView(itsWindow, FRM_CRect(20, 20, 70, 70), "b", &itsTrace);
    auto* c = new TracingView(itsWindow, FRM_CRect(30, 30, 80, 80), "c", &itsTrace);
    const FRM_CPoint inAll(40, 40);
    struct Step {
        const char* why;
        void (*change)(FRM_CSubview*, FRM_CView*, FRM_CView*, FRM_CView*);
        Trace drawn;
        const char* hit;
    };
    const Step steps[] = {
        {"as added", [](FRM_CSubview*, FRM_CView*, FRM_CView*, FRM_CView*) {},
         {"draw a", "draw b", "draw c"}, "c"},
        {"c to the bottom", [](FRM_CSubview* w, FRM_CView*, FRM_CView*, FRM_CView* c) { w->PlaceBottomSubview(c); },
         {"draw c", "draw a", "draw b"}, "b"},
        {"a added again goes on top once",
         [](FRM_CSubview* w, FRM_CView* a, FRM_CView*, FRM_CView*) { w->AddSubview(a); },
         {"draw c", "draw b", "draw a"}, "a"},
        {"a hidden is drawn and hit no more",
         [](FRM_CSubview*, FRM_CView* a, FRM_CView*, FRM_CView*) { a->Hide(); },
         {"draw c", "draw b"}, "b"},
    };
    const std::map<const FRM_CView*, std::string> names = {{a, "a"}, {b, "b"}, {c, "c"}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        step.change(itsWindow, a, b, c);
        itsTrace.clear();
        itsWindow->DoDraw(FRM_CRect(0, 0, 200, 100));
        EXPECT_EQ(itsTrace, step.drawn);
        EXPECT_EQ(itsWindow->GetNumViews(), 3);
        FRM_CView* hit = itsWindow->FindDeepSubview(inAll);
        ASSERT_TRUE(names.count(hit));
        EXPECT_EQ(names.at(hit), step.hit);
    }
}

TEST_F(ViewTest, ClickCommandNeedsDownAndUpInTheSameView)
{
    auto* a = new TracingView(itsWindow, FRM_CRect(0, 0, 50, 50), "a", &itsTrace);
    auto* b = new TracingView(itsWindow, FRM_CRect(100, 0, 150, 50), "b", &itsTrace);
    a->SetCommand(501);
    b->SetCommand(502);
    struct Click {
        const char* why;
        FRM_CPoint down;
        FRM_CPoint up;
        Trace expected;
    };
    const Click clicks[] = {
        {"down and up in a", {10, 10}, {20, 20}, {"down a", "command a 501"}},
        {"down in a, up in b", {10, 10}, {110, 10}, {"down a"}},
        {"up alone after that finds the clicked view cleared", {190, 90}, {110, 10}, {}},
    };
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.why);
        itsTrace.clear();
        itsWindow->DoMouseDown(click.down, 1, 0, 0);
        itsWindow->DoMouseUp(click.up, 1, 0, 0);
        EXPECT_EQ(itsTrace, click.expected);
    }
    a->SetCommand(kNoCommand);
    b->Disable();
    itsTrace.clear();
    itsWindow->DoMouseDown(FRM_CPoint(10, 10), 1, 0, 0);
    itsWindow->DoMouseUp(FRM_CPoint(10, 10), 1, 0, 0);
    itsWindow->DoMouseDown(FRM_CPoint(110, 10), 1, 0, 0);
    EXPECT_EQ(itsTrace, (Trace{"down a"}));    // no command; the disabled view gets nothing
}

TEST_F(ViewTest, KeyFocusPathIsRecordedAndClearedAtEveryLevel)
{
    auto* outer = new FRM_CSubview(itsWindow, FRM_CRect(0, 0, 100, 100));
    auto* inner = new FRM_CSubview(outer, FRM_CRect(0, 0, 50, 50));
    auto* leaf = new FRM_CView(inner, FRM_CRect(0, 0, 10, 10), FRM_CStringRW("leaf"));
    inner->SetKeyFocus(leaf);
    EXPECT_EQ(itsWindow->GetKeyFocus(), outer);
    EXPECT_EQ(outer->GetKeyFocus(), inner);
    EXPECT_EQ(itsWindow->FindDeepKeyFocus(), leaf);
    itsWindow->SetSelectedView(leaf);
    outer->AddSelectedView(leaf);

    delete leaf;    // leaves its enclosure, which tells every ancestor
    EXPECT_EQ(inner->GetKeyFocus(), nullptr);
    EXPECT_EQ(itsWindow->GetSelectedView(), nullptr);
    EXPECT_EQ(outer->GetSelectedViews()->entries(), 0u);
    EXPECT_EQ(itsWindow->FindDeepKeyFocus(), inner);
}

TEST_F(ViewTest, FindByIdPrefersADirectChild)
{
    auto* first = new FRM_CSubview(itsWindow, FRM_CRect(0, 0, 10, 10));
    auto* deep = new FRM_CView(first, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("deep"));
    auto* direct = new FRM_CView(itsWindow, FRM_CRect(20, 0, 30, 10), FRM_CStringRW("direct"));
    deep->SetId(77);
    direct->SetId(77);
    EXPECT_EQ(itsWindow->FindSubview(77L), direct);
    EXPECT_EQ(first->FindSubview(77L), deep);
    EXPECT_EQ(itsWindow->FindSubview(78L), nullptr);
}

TEST_F(ViewTest, GlueFollowsTheEnclosureEdgeByEdge)
{
    struct Case {
        const char* why;
        unsigned long glue;
        FRM_CRect expected;
    };
    const Case cases[] = {
        {"all four edges stretch both ways", 0xFFFFFFFF, {10, 10, 160, 90}},
        {"right and bottom move the view", FRM_CGlue::kRight | FRM_CGlue::kBottom, {110, 60, 160, 90}},
        {"no glue keeps the frame", 0, {10, 10, 60, 40}},
        {"top and bottom stretch it vertically only", FRM_CGlue::kTop | FRM_CGlue::kBottom, {10, 10, 60, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* box = new FRM_CSubview(itsWindow, FRM_CRect(0, 0, 200, 100));
        auto* view = new FRM_CView(box, FRM_CRect(10, 10, 60, 40), FRM_CStringRW("v"));
        view->SetGlue(c.glue);
        box->DoSize(FRM_CRect(0, 0, 300, 150));
        EXPECT_EQ(view->GetFrame(), c.expected);
        EXPECT_EQ(view->GetGlue(), c.glue);
        delete box;
    }
}

TEST_F(ViewTest, GlueKeepsItsValueAcrossARemeasureAndANegativeSize)
{
    auto* box = new FRM_CSubview(itsWindow, FRM_CRect(0, 0, 200, 100));
    auto* view = new FRM_CView(box, FRM_CRect(10, 10, 60, 40), FRM_CStringRW("v"));
    view->SetGlue(FRM_CGlue::kRight | FRM_CGlue::kBottom);
    view->Size(FRM_CRect(20, 20, 70, 50));     // measured again at the new frame
    view->SetGlue(kKeepGlue);
    EXPECT_EQ(view->GetGlue(), FRM_CGlue::kRight | FRM_CGlue::kBottom);
    view->Size(FRM_CRect(40, 20, 30, 50));     // negative width: zero width, no re-measure
    EXPECT_EQ(view->GetFrame(), FRM_CRect(40, 20, 40, 50));
    view->Size(FRM_CRect(20, 20, 70, 50));
    box->DoSize(FRM_CRect(0, 0, 210, 110));
    EXPECT_EQ(view->GetFrame(), FRM_CRect(30, 30, 80, 60));
}

// Notes the clip of every drawing: after an update event, the area that was invalidated.
class ClipRecorder : public FRM_CSubview {
public:
    using FRM_CSubview::FRM_CSubview;
    void Draw(const FRM_CRect& clip) override { itsClips.push_back(clip); }
    std::vector<FRM_CRect> itsClips;
};

TEST_F(ViewTest, GlueInvalidatesTheUnionOnlyWhenTheFrameMoved)
{
    struct Case {
        const char* why;
        unsigned long glue;
        std::vector<FRM_CRect> repainted;
    };
    const Case cases[] = {
        {"a view that moves repaints its old and new frames as one", FRM_CGlue::kRight,
         {FRM_CRect(10, 10, 90, 40)}},
        {"a view that stays repaints nothing", FRM_CGlue::kLeft | FRM_CGlue::kTop, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* box = new ClipRecorder(itsWindow, FRM_CRect(0, 0, 200, 100));
        auto* view = new FRM_CView(box, FRM_CRect(10, 10, 60, 40), FRM_CStringRW("v"));
        view->SetGlue(c.glue);
        vkok_app_process_pending_events();
        box->itsClips.clear();
        box->DoSize(FRM_CRect(0, 0, 230, 100));
        vkok_app_process_pending_events();
        EXPECT_EQ(box->itsClips, c.repainted);
        delete box;
        vkok_app_process_pending_events();
    }
}

TEST_F(ViewTest, TitleFollowsModelUpdates)
{
    FRM_CView view(itsWindow, FRM_CRect(0, 0, 10, 10), FRM_CStringRW("A"));
    FRM_CTdiStringValue b(FRM_CStringRW("B"), nullptr, 0);
    view.DoUpdateModel(0, 20004, &b);
    EXPECT_EQ(view.GetTitle(), FRM_CStringRW("AB"));
    view.DoUpdateModel(0, 20002, &b);
    EXPECT_EQ(view.GetTitle(), FRM_CStringRW("B"));
    view.DoUpdateModel(0, 20003, nullptr);
    EXPECT_EQ(view.GetTitle(), FRM_CStringRW(""));
}

TEST_F(ViewTest, MisuseIsReportedWithItsModuleAndLine)
{
    FrmErrorCapture capture;
    auto* child = new FRM_CView(itsWindow, FRM_CRect(0, 0, 10, 10), FRM_CStringRW("c"));
    FRM_CView stranger(nullptr, FRM_CRect(0, 0, 5, 5), FRM_CStringRW("s"));
    child->SetEnclosure(nullptr);
    itsWindow->AddSubview(nullptr);
    itsWindow->FindSubviews(FRM_CPoint(1, 1), nullptr);
    itsWindow->PlaceTopSubview(&stranger);
    itsWindow->PlaceBottomSubview(&stranger);
    const std::vector<FrmReport> expected = {{2500, "cview", 503},
                                             {2200, "csubview", 760},
                                             {2201, "csubview", 459},
                                             {2202, "csubview", 744},
                                             {2203, "csubview", 754}};
    EXPECT_EQ(capture.Take(), expected);
    EXPECT_EQ(child->GetEnclosure(), itsWindow);
}

TEST_F(ViewTest, GlobalAndLocalValuesAddOrTakeAwayTheOriginAndANullViewIsReported)
{
    auto* outer = new FRM_CSubview(itsWindow, FRM_CRect(20, 10, 120, 90));
    auto* inner = new FRM_CView(outer, FRM_CRect(5, 6, 25, 26), FRM_CStringRW("i"));
    const FRM_CPoint origin = inner->GetGlobalOrigin();

    EXPECT_EQ(FRM_CPoint(3, 4).GetGlobal(inner), FRM_CPoint(3, 4) + origin);
    FRM_CRect moved(1, 2, 3, 4);
    moved += origin;
    EXPECT_EQ(FRM_CRect(1, 2, 3, 4).GetGlobal(inner), moved);
    FRM_CPoint point(7, 8);
    EXPECT_EQ(point.Globalize(inner).Localize(inner), FRM_CPoint(7, 8)) << "a round trip";
    EXPECT_EQ(FRM_CPoint(7, 8).GetTranslated(inner, outer),
              FRM_CPoint(7, 8) + origin - outer->GetGlobalOrigin());

    FrmErrorCapture capture;
    FRM_CPoint p(1, 1);
    FRM_CRect r(1, 1, 2, 2);
    p.Globalize(nullptr);
    p.Localize(nullptr);
    r.Globalize(nullptr);
    r.Localize(nullptr);
    const std::vector<FrmReport> expected = {
        {1500, "cpoint", 134}, {1501, "cpoint", 170}, {1700, "crect", 332}, {1701, "crect", 374}};
    EXPECT_EQ(capture.Take(), expected);
    EXPECT_EQ(p, FRM_CPoint(1, 1)) << "nothing changes without a view";
    EXPECT_EQ(r, FRM_CRect(1, 1, 2, 2));
}

TEST_F(ViewTest, SubviewsUnderAPointListParentsFirst)
{
    auto* outer = new FRM_CSubview(itsWindow, FRM_CRect(10, 10, 110, 90));
    auto* inner = new FRM_CSubview(outer, FRM_CRect(10, 10, 50, 50));
    auto* leaf = new FRM_CView(inner, FRM_CRect(5, 5, 20, 20), FRM_CStringRW("leaf"));
    auto* aside = new FRM_CView(itsWindow, FRM_CRect(150, 10, 190, 40), FRM_CStringRW("x"));
    RWOrdered found;
    itsWindow->FindSubviews(FRM_CPoint(30, 30), &found);    // window coordinates
    ASSERT_EQ(found.entries(), 3u);
    EXPECT_EQ(found[0], outer);
    EXPECT_EQ(found[1], inner);
    EXPECT_EQ(found[2], leaf);
    EXPECT_EQ(itsWindow->FindDeepSubview(FRM_CPoint(30, 30)), leaf);
    EXPECT_EQ(itsWindow->FindDeepSubview(FRM_CPoint(160, 20)), aside);
    EXPECT_EQ(itsWindow->FindDeepSubview(FRM_CPoint(130, 95)), itsWindow);
}

TEST_F(ViewTest, AutoScrollAsksNobodyForAViewInsideItsEnclosure)
{
    auto* box = new FRM_CSubview(itsWindow, FRM_CRect(10, 10, 100, 90));
    EXPECT_EQ(box->AutoScroll(5, -5), FRM_CPoint(0, 0));
}

} // namespace
