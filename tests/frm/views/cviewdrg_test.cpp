// Tests of view drag sources and sinks in real windows: when a press and move start a drag,
// and which commands a sink sends its view with what record.
#include "frm/views/cviewdrg.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/runtime/cglblcls.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

// A view that notes the commands it gets with the record of each.
class Target : public FRM_CView {
public:
    using FRM_CView::FRM_CView;
    void DoCommand(long command, void* data) override
    {
        const auto* record = static_cast<const CViewSinkData*>(data);
        itsCommands.push_back(command);
        itsDragCommands.push_back(record->GetDragCommand());
        itsDragData.push_back(record->GetDragData());
    }
    std::vector<long> itsCommands;
    std::vector<long> itsDragCommands;
    std::vector<void*> itsDragData;
};

class ViewDragTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("drag", 300, 200);
        itsTask = FRM_CObjectRWC::GetG()->GetTaskWin();
    }
    // A window point in the task window's coordinates, as drag handlers get them.
    FRM_CPoint InTask(float h, float v) const
    {
        return FRM_CPoint(h, v).GetTranslated(itsWindow, itsTask);
    }

    FRM_CWindow* itsWindow = nullptr;
    FRM_CWindow* itsTask = nullptr;
};

TEST_F(ViewDragTest, DragStartsOnlyPastTheSensitivityAfterAPressInside)
{
    FRM_CView view(itsWindow, FRM_CRect(10, 10, 110, 60), FRM_CStringRW("source"));
    struct Case {
        const char* why;
        FRM_CPoint sensitivity;
        FRM_CPoint press;    // window coordinates
        FRM_CPoint move;     // from the press
        bool drags;
    };
    const Case cases[] = {
        {"no sensitivity: one unit starts", {0, 0}, {50, 30}, {1, 0}, true},
        {"no sensitivity: no movement does not", {0, 0}, {50, 30}, {0, 0}, false},
        {"vertical past its 2", {5, 2}, {50, 30}, {0, 3}, true},
        {"horizontal within its 5", {5, 2}, {50, 30}, {4, 0}, false},
        {"leftwards past its 5", {5, 2}, {50, 30}, {-6, 0}, true},
        {"a press outside never arms", {0, 0}, {200, 150}, {40, 40}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CViewSource source(&view, 4711, nullptr, 2);
        source.SetDragSensitivity(c.sensitivity);
        short button = 1;
        short shift = 0;
        short control = 0;
        FRM_CPoint press = InTask(c.press.H(), c.press.V());
        source.DoDown(press, button, shift, control);
        FRM_CPoint moved = press + c.move;
        source.DoMove(moved, button, shift, control);
        EXPECT_EQ(source.IsDragging() != 0, c.drags);
        source.DoUp(moved, button, shift, control);
        EXPECT_EQ(source.IsArmed(), 0);
        EXPECT_EQ(source.IsDragging(), 0);
    }
}

TEST_F(ViewDragTest, SinkSendsItsCommandsWithTheDragsCommandAndData)
{
    Target target(itsWindow, FRM_CRect(100, 50, 200, 150), FRM_CStringRW("target"));
    int payload = 7;
    FRM_CViewSink sink(&target, kNoCommand, 601, 602, 603);
    EXPECT_EQ(sink.IsInSink(InTask(150, 100)), 1);
    EXPECT_EQ(sink.IsInSink(InTask(50, 100)), 0);
    sink.DoEnter(InTask(150, 100), 1, 0, 0, 4711, &payload);
    sink.DoDrag(InTask(151, 100), 1, 0, 0, 4711, &payload);
    sink.DoLeave(InTask(151, 100), 1, 0, 0, 4711, &payload);
    sink.DoDrop(InTask(151, 100), 1, 0, 0, 4711, &payload);    // no drop command: nothing
    EXPECT_EQ(target.itsCommands, (std::vector<long>{601, 603, 602}));
    EXPECT_EQ(target.itsDragCommands, (std::vector<long>{4711, 4711, 4711}));
    EXPECT_EQ(target.itsDragData[0], &payload);
    sink.SetSinkCommands(604, kNoCommand, kNoCommand, kNoCommand);
    sink.DoDrop(InTask(151, 100), 1, 0, 0, 99, nullptr);
    EXPECT_EQ(target.itsCommands.back(), 604);
    EXPECT_EQ(target.itsDragCommands.back(), 99);
}

} // namespace
