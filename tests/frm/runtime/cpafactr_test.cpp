// Tests of the application factory and the generated-glue helpers: layers chosen for one
// outermost request, skipped and forced elements, warnings for bad requests, the instance
// cache of a pass, depth-first view creation, sibling order, and rectangle fixing.
#include "frm/runtime/cpafactr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/frm_app_fixture.h"
#include "../support/frm_error_capture.h"
#include "frm/views/csubview.h"

namespace {

std::vector<std::string>& Journal()
{
    static std::vector<std::string> journal;
    return journal;
}

FRM_CObjectRWC* CreateLayer0(const FRM_PAFactory&, FRM_CObjectRWC*)
{
    Journal().push_back("layer 0");
    return nullptr;
}
FRM_CObjectRWC* CreateLayer2(const FRM_PAFactory&, FRM_CObjectRWC*)
{
    Journal().push_back("layer 2");
    return nullptr;
}

// Views: a subview inside its parent, named in the journal when created and initialised.
template <int Id> FRM_CObjectRWC* CreateView(const FRM_PAFactory&, FRM_CObjectRWC* parent)
{
    Journal().push_back("create " + std::to_string(Id));
    auto* view = new FRM_CSubview(FrmCast<FRM_CSubview>(parent), FRM_CRect(0, 0, 10, 10));
    view->SetId(Id);
    return view;
}
void InitView(const FRM_PAFactory&, FRM_CObjectRWC* object, FRM_CDataMembers*)
{
    const auto* view = FrmCast<FRM_CView>(object);
    const RWOrdered* children = view->GetSubviews();
    Journal().push_back("init " + std::to_string(view->GetId()) + " with " +
                        std::to_string(children != nullptr ? children->entries() : 0));
}

class Members : public FRM_CDataMembers {
public:
    void BindMembers(const FRM_PAFactory& factory) override
    {
        itsBound = factory.GetInstance(1261);
    }
    FRM_CObjectRWC* itsBound = nullptr;
};

class PAFactoryTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Journal().clear();
        ASSERT_TRUE(vkov_res_register_text(
            "factory test", "string 32119 \"Factory object %1$ld is not of type %2$ld\"\n"));
    }
    FRM_PAFactory itsFactory;
};

TEST_F(PAFactoryTest, Layers_OneRequestUsesTheChosenLayerThenTheDefaultAgain)
{
    itsFactory.Insert(1017, 20024, FRM_PAFactory::kWindow, CreateLayer0, nullptr, 1009, 0, 0, 2, 1);
    itsFactory.Insert(1017, 20024, FRM_PAFactory::kWindow, CreateLayer2, nullptr, 1009, 2, 0, 2, 1);
    itsFactory.CreateWindow(itsDocument, 1017);
    itsFactory[2].CreateWindow(itsDocument, 1017);
    itsFactory.CreateWindow(itsDocument, 1017);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"layer 0", "layer 2", "layer 0"}));
    EXPECT_EQ(FRM_PAFactory::GetLayerScopeCount(), 0);
}

TEST_F(PAFactoryTest, InitiallyCreated_SkipsUnlessForced)
{
    itsFactory.Insert(1017, 20024, FRM_PAFactory::kWindow, CreateLayer0, nullptr, 1009, 0, 0, 1, 0);
    itsFactory.DoCreateWindows(itsDocument, 1009, 0, nullptr);
    EXPECT_TRUE(Journal().empty());
    itsFactory.DoCreateWindows(itsDocument, 1009, 1, nullptr);
    EXPECT_EQ(Journal(), std::vector<std::string>{"layer 0"});
}

TEST_F(PAFactoryTest, WrongKind_WarnsAndGivesNothing)
{
    itsFactory.Insert(1260, 20074, FRM_PAFactory::kView, CreateLayer0, nullptr, 1017, 0, 1, 1, 0);
    const int before = vkov_dm_test_count();
    EXPECT_EQ(itsFactory.CreateWindow(itsDocument, 1260), nullptr);
    ASSERT_EQ(vkov_dm_test_count(), before + 1);
    EXPECT_STREQ(vkov_dm_test_text(before), "Factory object 1260 is not of type 2");
    EXPECT_TRUE(Journal().empty());
}

TEST_F(PAFactoryTest, Views_AreBuiltDepthFirstAndBoundWithinTheirPass)
{
    FRM_CWindow* window = NewWindow();
    // Window 1017 holds view 1260, which holds 1261 and 1262 (registered out of order).
    itsFactory.Insert(1262, 20074, FRM_PAFactory::kView, CreateView<1262>, InitView, 1260, 0, 1, 2, 1);
    itsFactory.Insert(1260, 20074, FRM_PAFactory::kView, CreateView<1260>, InitView, 1017, 0, 1, 1, 0);
    itsFactory.Insert(1261, 20074, FRM_PAFactory::kView, CreateView<1261>, InitView, 1260, 0, 1, 2, 0);
    itsFactory.Insert(1263, 20074, FRM_PAFactory::kView, CreateView<1263>, InitView, 1260, 0, 1, 2, 7);
    Members members;
    itsFactory.DoCreateViews(window, 1017, 0, &members);
    EXPECT_EQ(Journal(),
              (std::vector<std::string>{"create 1260", "create 1261", "init 1261 with 0",
                                        "create 1262", "init 1262 with 0", "init 1260 with 2"}))
        << "siblings in index order, an index past the count ignored";
    ASSERT_NE(members.itsBound, nullptr);
    EXPECT_EQ(FrmCast<FRM_CView>(members.itsBound)->GetId(), 1261);
    EXPECT_EQ(itsFactory.GetInstance(1261), nullptr) << "the cache ends with its pass";
}

TEST_F(PAFactoryTest, Copy_IsFatal)
{
    FrmErrorCapture errors;
    FRM_PAFactory copy(itsFactory);
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{0, "cfactory", 204}}));
}

// A view that writes each property call of the glue helper into the journal.
class RecordingView : public FRM_CView {
public:
    RecordingView() : FRM_CView(nullptr, FRM_CRect(0, 0, 10, 10), "") {}
    void SetTitle(const FRM_CStringRW& title) override { Note("title " + std::string(title.data())); }
    void SetCommand(long command) override { Note("command " + std::to_string(command)); }
    void SetDoubleCommand(long command) override { Note("double " + std::to_string(command)); }
    void SetGlue(unsigned long glue) override { Note("glue " + std::to_string(glue)); }
    void Hide() override { Note("hide"); }
    void Disable() override { Note("disable"); }
    void Activate() override { Note("activate"); }
    void SetSizing(short on) override { Note("sizing " + std::to_string(on)); }
    void SetDragging(short on) override { Note("dragging " + std::to_string(on)); }

private:
    static void Note(const std::string& call) { Journal().push_back(call); }
};

TEST_F(PAFactoryTest, ViewProperties_SetInOrderAndOnlyWhatDiffersFromADefaultView)
{
    struct Case {
        const char* why;
        short visible, enabled, active, sizable, draggable;
        std::vector<std::string> calls;
    };
    const std::vector<std::string> setters = {"title Word", "command 77", "double 78", "glue 5"};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> calls = setters;
        calls.insert(calls.end(), more.begin(), more.end());
        return calls;
    };
    const Case cases[] = {
        {"a shown, enabled, still view gets the four setters only", 1, 1, 0, 0, 0, setters},
        {"every flag away from the default", 0, 0, 1, 1, 1,
         with({"hide", "disable", "activate", "sizing 1", "dragging 1"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Journal().clear();
        RecordingView view;
        IPAFactoryView(&view, "Word", 77, 78, c.visible, c.enabled, c.active, 5, c.sizable,
                       c.draggable);
        EXPECT_EQ(Journal(), c.calls);
    }
    IPAFactoryView(nullptr, "Word", 77, 78, 0, 0, 1, 5, 1, 1); // nothing to set, no crash
}

TEST(FixRectTest, CorrectsSizesAndHidesDegenerateRectangles)
{
    struct Case {
        const char* why;
        e_win_type type;
        short flags;
        s_rct in, out;
    };
    const Case cases[] = {
        {"a flat vertical scroll bar is moved off screen", 16, 3, {10, 5, 10, 5}, {-50, -50, -5, -5}},
        {"a button of negative height is only flattened", 12, 3, {10, 0, 8, 40}, {10, 0, 10, 40}},
        {"a sound rectangle is left alone", 0, 3, {0, 0, 20, 20}, {0, 0, 20, 20}},
        {"flag 2 alone corrects in place", 0, 2, {10, 10, 10, 10}, {10, 10, 11, 11}},
        {"flag 1 alone hides without correcting", 0, 1, {10, 10, 10, 10}, {-50, -50, -5, -5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        s_rct r = c.in;
        EXPECT_EQ(FrmFixRect(&r, c.flags, c.type), &r);
        EXPECT_EQ(r.top, c.out.top);
        EXPECT_EQ(r.left, c.out.left);
        EXPECT_EQ(r.bottom, c.out.bottom);
        EXPECT_EQ(r.right, c.out.right);
    }
    EXPECT_EQ(FrmFixRect(nullptr, 3, 0), nullptr);
}

} // namespace
