// Tests of mouse handlers and managers (every handler is called, results combined, points
// handed in each handler's coordinates) and of drag sources and sinks (enter, drag, leave
// and drop in order; sinks deleted with the last source that holds them).
#include "frm/interaction/cmouse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/frm_app_fixture.h"
#include "frm/interaction/cdrag.h"

namespace {

std::vector<std::string>& Journal()
{
    static std::vector<std::string> journal;
    return journal;
}

class Handler : public FRM_CMouseHandler {
public:
    Handler(const char* name, short uses, bool global = false)
        : itsName(name), itsUses(uses), itsGlobal(global)
    {
    }
    short DoDown(FRM_CPoint& where, short&, short&, short&) override { return Note("down", where); }
    short DoUp(FRM_CPoint& where, short&, short&, short&) override
    {
        const short used = Note("up", where);
        if (itsLeaveOnUp != nullptr)
            itsLeaveOnUp->UnRegisterMouseHandler(this);
        return used;
    }
    short DoDouble(FRM_CPoint& where, short&, short&, short&) override
    {
        return Note("double", where);
    }
    short DoMove(FRM_CPoint& where, short&, short&, short&) override
    {
        const short used = Note("move", where);
        where.H(where.H() + itsShift); // a handler may move the point for those after it
        return used;
    }
    short UsesGlobalCoords() const override { return itsGlobal ? 1 : 0; }

    FRM_CMouseManager* itsLeaveOnUp = nullptr;
    float itsShift = 0;

private:
    short Note(const char* what, const FRM_CPoint& where)
    {
        Journal().push_back(itsName + " " + what + " " +
                            std::to_string(static_cast<int>(where.H())));
        return itsUses;
    }
    std::string itsName;
    short itsUses;
    bool itsGlobal;
};

class MouseTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Journal().clear();
        itsWindow = NewWindow();
    }
    short Down(FRM_CMouseManager& manager, float h)
    {
        FRM_CPoint where(h, 0);
        short button = 1, shift = 0, control = 0;
        return manager.DoDown(itsWindow, where, button, shift, control);
    }
    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(MouseTest, Dispatch_CallsEveryHandlerAndCombinesTheirAnswers)
{
    struct Case {
        const char* why;
        short first, second;
        short used;
    };
    const Case cases[] = {
        {"nobody uses it", 0, 0, 0},
        {"the first uses it, the second is still called", 1, 0, 1},
        {"the second uses it", 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Journal().clear();
        Handler a("a", c.first), b("b", c.second);
        FRM_CMouseManager manager;
        manager.RegisterMouseHandler(&a, 0);
        manager.RegisterMouseHandler(&b, 0);
        EXPECT_EQ(Down(manager, 5), c.used);
        EXPECT_EQ(Journal(), (std::vector<std::string>{"a down 5", "b down 5"}));
    }
    FRM_CMouseManager empty;
    EXPECT_EQ(Down(empty, 5), 0);
}

TEST_F(MouseTest, Registration_MovesDuplicatesAndCopiesGoFirst)
{
    Handler a("a", 0), b("b", 0);
    FRM_CMouseManager manager;
    manager.RegisterMouseHandler(&a, 0);
    manager.RegisterMouseHandler(&b, 0);
    manager.RegisterMouseHandler(&b, 1);
    EXPECT_EQ(manager.GetHandlers(), (std::vector<FRM_CMouseHandler*>{&b, &a}));
    {
        Handler copy(a);
        EXPECT_EQ(manager.GetHandlers().front(), &copy);
        EXPECT_EQ(manager.GetHandlers().size(), 3u);
    }
    EXPECT_EQ(manager.GetHandlers().size(), 2u) << "a destroyed handler leaves its managers";
    {
        FRM_CMouseManager other;
        other.RegisterMouseHandler(&a, 0);
        EXPECT_EQ(a.GetManagers().size(), 2u);
    }
    EXPECT_EQ(a.GetManagers().size(), 1u) << "a destroyed manager leaves its handlers";
}

TEST_F(MouseTest, Parent_ThatUsesTheEventStopsItBeforeTheChild)
{
    Handler parentHandler("parent", 1), child("child", 0);
    FRM_CMouseManager parent;
    parent.RegisterMouseHandler(&parentHandler, 0);
    FRM_CMouseManager manager(&parent);
    manager.RegisterMouseHandler(&child, 0);
    EXPECT_EQ(Down(manager, 3), 1);
    EXPECT_EQ(Journal(), std::vector<std::string>{"parent down 3"});
}

TEST_F(MouseTest, Coordinates_GlobalHandlersChangesReachLocalOnes)
{
    // The window sits inside the task window, so its points differ from the task window's.
    Handler a("a", 0), b("b", 0, true), c("c", 0);
    b.itsShift = 10;
    FRM_CMouseManager manager;
    for (Handler* h : {&a, &b, &c})
        manager.RegisterMouseHandler(h, 0);
    FRM_CPoint where(5, 5);
    short button = 0, shift = 0, control = 0;
    manager.DoMove(itsWindow, where, button, shift, control);
    const FRM_CPoint global = FRM_CPoint(5, 5).GetTranslated(itsWindow, FRM_CObjectRWC::GetG()->GetTaskWin());
    ASSERT_EQ(Journal().size(), 3u);
    EXPECT_EQ(Journal()[1], "b move " + std::to_string(static_cast<int>(global.H())));
    EXPECT_EQ(Journal()[2], "c move 15") << "b's move of the global point reaches c locally";
}

TEST_F(MouseTest, Up_HandlersLeavingDuringTheWalkDoNotOverrunIt)
{
    FRM_CMouseManager manager;
    Handler a("a", 0), b("b", 0), c("c", 0);
    a.itsLeaveOnUp = &manager;
    b.itsLeaveOnUp = &manager;
    for (Handler* h : {&a, &b, &c})
        manager.RegisterMouseHandler(h, 0);
    FRM_CPoint where(1, 1);
    short button = 0, shift = 0, control = 0;
    manager.DoUp(itsWindow, where, button, shift, control);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"a up 1", "b up 1", "c up 1"}));
    EXPECT_EQ(manager.GetHandlers(), std::vector<FRM_CMouseHandler*>{&c});
}

// ---- Dragging ----------------------------------------------------------------------------

class Sink : public FRM_CDragSink {
public:
    Sink(const char* name, float left, float right, FRM_CView* owner = nullptr)
        : itsName(name), itsLeft(left), itsRight(right), itsOwner(owner)
    {
    }
    ~Sink() override { Journal().push_back(itsName + " deleted"); }
    short IsInSink(FRM_CPoint where) override
    {
        return where.H() >= itsLeft && where.H() < itsRight ? 1 : 0;
    }
    void DoDrop(FRM_CPoint, short, short, short, long, void*) override { Note("drop"); }
    void DoEnter(FRM_CPoint, short, short, short, long, void*) override { Note("enter"); }
    void DoLeave(FRM_CPoint, short, short, short, long, void*) override { Note("leave"); }
    void DoDrag(FRM_CPoint, short, short, short, long, void*) override { Note("drag"); }
    FRM_CView* GetOwner() override { return itsOwner; }

private:
    void Note(const char* what) { Journal().push_back(itsName + " " + what); }
    std::string itsName;
    float itsLeft, itsRight;
    FRM_CView* itsOwner;
};

class DragTest : public MouseTest {
protected:
    short Move(FRM_CDragSource& source, float h)
    {
        FRM_CPoint where(h, 0);
        short b = 0, s = 0, c = 0;
        return source.DoMove(where, b, s, c);
    }
    short Up(FRM_CDragSource& source, float h)
    {
        FRM_CPoint where(h, 0);
        short b = 0, s = 0, c = 0;
        return source.DoUp(where, b, s, c);
    }
};

TEST_F(DragTest, Drag_NotifiesSinksInOrderAndDropsOnTheLast)
{
    FRM_CDragSource source;
    auto* a = new Sink("A", 0, 10);
    auto* b = new Sink("B", 10, 20);
    source.RegisterSink(a, 0);
    source.RegisterSink(b, 0);
    EXPECT_EQ(Up(source, 5), 0) << "a mouse-up without a drag is not used";
    source.DoDrag(7, nullptr, itsWindow, 0);
    EXPECT_EQ(Move(source, 5), 1) << "the first move only records the position";
    EXPECT_TRUE(Journal().empty());
    Move(source, 6);
    Move(source, 6); // the same point again: nothing
    Move(source, 15);
    Up(source, 15);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"A enter", "A drag", "A leave", "B enter",
                                                   "B drag", "B leave", "B drop"}));
    Journal().clear();
    EXPECT_EQ(source.IsDragging(), 0);
}

// The release point decides the drop, however few moves came before it (a quick drag may
// bring one merged move, or none).
TEST_F(DragTest, Drop_GoesToTheSinkUnderTheRelease)
{
    struct Case {
        const char* why;
        std::vector<float> moves;
        float release;
        std::vector<std::string> journal;
    };
    const Case cases[] = {
        {"no move at all", {}, 15, {"B enter", "B drag", "B leave", "B drop"}},
        {"one move elsewhere, only recorded", {5}, 15, {"B enter", "B drag", "B leave", "B drop"}},
        {"one move to the release point, only recorded", {15}, 15,
         {"B enter", "B drag", "B leave", "B drop"}},
        {"released where the last move was", {5, 15}, 15,
         {"B enter", "B drag", "B leave", "B drop"}},
        {"moved over A, released over B", {5, 6}, 15,
         {"A enter", "A drag", "A leave", "B enter", "B drag", "B leave", "B drop"}},
        {"moved over A, released outside every sink", {5, 6}, 30, {"A enter", "A drag", "A leave"}},
    };
    for (const Case& c : cases) {
        Journal().clear();  // the sinks of the case before are deleted with its source
        FRM_CDragSource source;
        source.RegisterSink(new Sink("A", 0, 10), 0);
        source.RegisterSink(new Sink("B", 10, 20), 0);
        source.DoDrag(7, nullptr, itsWindow, 0);
        for (float h : c.moves)
            Move(source, h);
        EXPECT_EQ(Up(source, c.release), 1) << c.why;
        EXPECT_EQ(Journal(), c.journal) << c.why;
        EXPECT_EQ(source.IsDragging(), 0);
    }
}

TEST_F(DragTest, Destroy_DeletesOnlySinksNoOtherSourceHolds)
{
    auto* shared = new Sink("shared", 0, 10);
    auto* own = new Sink("own", 10, 20);
    auto keeper = std::make_unique<FRM_CDragSource>();
    keeper->RegisterSink(shared, 0);
    {
        FRM_CDragSource source;
        source.RegisterSink(shared, 0);
        source.RegisterSink(own, 0);
    }
    EXPECT_EQ(Journal(), std::vector<std::string>{"own deleted"});
    keeper.reset();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"own deleted", "shared deleted"}));
}

TEST_F(DragTest, SinkOrder_WindowOrderPutsTheLaterWindowsSinksFirst)
{
    FRM_CWindow* second = NewWindow("second");
    auto* first = new Sink("first", 0, 100, itsWindow);
    auto* later = new Sink("later", 0, 100, second);
    FRM_CDragSource source;
    source.RegisterSink(first, 0);
    source.RegisterSink(later, 0);
    source.SetSinkOrder(FRM_CDragSource::kWindowOrder);
    source.DoDrag(1, nullptr, itsWindow, 0);
    Move(source, 1);
    Move(source, 2);
    EXPECT_EQ(Journal().front(), "later enter");
    Up(source, 2);
}

} // namespace
