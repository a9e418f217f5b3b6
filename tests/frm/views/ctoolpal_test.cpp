// Tests of tool palettes in a real window: one selection across the palette tree, removing a
// tool that holds a sub-palette, the sub-palette marker painted into small and large images,
// pop-ups kept inside the window, the sticky and pop-up roles, a draggable tool's deferred
// leave command, a tool dragged off its palette by the mouse onto a drop target, and a PNG of
// a window with a docked tool bar, a status bar and a floating palette.
#include "frm/views/ctoolpal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frm/interaction/cdrag.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/catchwin.h"
#include "frm/views/cimage.h"
#include "frm/views/cstatatc.h"
#include "frm/views/cstatbar.h"
#include "frm/views/ctoolbar.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "vkobase/image.h"
#include "vkobase/surface_debug.h"

namespace {

using Frame = FRM_CAttachmentFrame;

constexpr long kEnter = 7001;
constexpr long kLeave = 7002;
constexpr long kPicked = 7003;
constexpr short kNo = 0;
constexpr short kYes = 1;

// A window that records the commands that reach it.
class RecordingWindow : public FRM_CWindow {
public:
    using FRM_CWindow::FRM_CWindow;
    void DoCommand(long command, void* data) override
    {
        itsCommands.push_back({command, reinterpret_cast<std::intptr_t>(data)});
        FRM_CWindow::DoCommand(command, data);
    }
    std::vector<std::pair<long, std::intptr_t>> itsCommands;
};

// A 16 x 16 image filled with one colour, so that drawn tools are visible.
FRM_CImage* Swatch(unsigned long colour, int size = 16)
{
    auto* image = new FRM_CImage(VKO_IMAGE_RGB, static_cast<std::int16_t>(size),
                                 static_cast<std::int16_t>(size));
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
            vko_image_set_pixel(*image, x, y, static_cast<COLOR>(colour));
    return image;
}

class ToolPaletteTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = new RecordingWindow(itsDocument, FRM_CRect(0, 0, 400, 300),
                                        FRM_CStringRW("palette"), 0, W_DOC, 0, itsTaskWindow);
        vkok_app_process_pending_events();
        // Tools 1 and 2, then 3 opening a sub-palette of 31 and 32.
        itsPalette = std::make_unique<FRM_CToolPalette>(FRM_CStringRW("Tools"));
        itsPalette->AppendTool(Swatch(0x000000FF), 1, kYes, kYes);
        itsPalette->AppendTool(Swatch(0x0000FF00), 2, kNo, kYes);
        itsSub = new FRM_CToolPalette(FRM_CStringRW("Shapes"));
        itsSub->AppendTool(Swatch(0x00FF0000), 31, kNo, kYes);
        itsSub->AppendTool(Swatch(0x00FFFF00), 32, kNo, kYes);
        itsPalette->AppendTool(Swatch(0x00808080), 3, itsSub, kYes);
        itsPalette->SetCommands(kEnter, kLeave);
    }

    void TearDown() override
    {
        itsPalette.reset();
        AppFixture::TearDown();
    }

    RecordingWindow* itsWindow = nullptr;
    std::unique_ptr<FRM_CToolPalette> itsPalette;
    FRM_CToolPalette* itsSub = nullptr;
};

TEST_F(ToolPaletteTest, OneSelectionAcrossThePaletteTree)
{
    itsPalette->SelectTool(1);
    EXPECT_EQ(itsPalette->GetSelectedTool(), 1);
    itsSub->SelectTool(32);
    EXPECT_EQ(itsSub->GetSelectedTool(), 32);
    EXPECT_EQ(itsPalette->GetSelectedTool(), 32)
        << "the top's own selection was cleared; it reports the sub-palette's tool";
    itsPalette->SelectTool(2);
    EXPECT_EQ(itsSub->GetSelectedTool(), -1) << "selecting anywhere clears the whole tree";
    EXPECT_EQ(itsPalette->GetSelectedTool(), 2);
    itsPalette->DeselectAllTools();
    EXPECT_EQ(itsPalette->GetSelectedTool(), -1);

    EXPECT_EQ(itsPalette->GetEnterCommand(), kEnter);
    EXPECT_EQ(itsSub->GetLeaveCommand(), kLeave) << "taken from the parent";
    itsSub->EnableTool(31, 0);
    EXPECT_EQ(itsPalette->IsToolEnabled(31), 0);
    EXPECT_EQ(itsPalette->IsToolEnabled(99), 0);
}

TEST_F(ToolPaletteTest, RemovingAToolHandsBackItsSubPalette)
{
    EXPECT_EQ(itsPalette->RemoveTool(99), nullptr);
    EXPECT_EQ(itsPalette->RemoveTool(31), nullptr) << "found in the sub-palette, no sub-palette";
    EXPECT_EQ(itsSub->GetNumTools(), 1U);
    std::unique_ptr<FRM_CToolPalette> sub(itsPalette->RemoveTool(3));
    ASSERT_EQ(sub.get(), itsSub);
    EXPECT_EQ(sub->GetParent(), nullptr);
    EXPECT_EQ(itsPalette->GetNumTools(), 2U);
}

TEST_F(ToolPaletteTest, TheSubPaletteMarkerFitsAnyImage)
{
    FRM_CImage image(VKO_IMAGE_RGB, 16, 16);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            vko_image_set_pixel(image, x, y, 0x0BFFFFFF);
    FrmPaintSubPaletteMarker(image);
    // Columns 10..15, rows 8..15: '#' black, '-' light grey, '.' untouched. A triangle
    // pointing right, its tip on the right edge, on a grey block six pixels wide.
    const char* const expected[] = {
        "------", "--#---", "--##--", "--###-", "--####", "--###-", "--##--", "--#---",
    };
    std::vector<std::string> rows;
    for (int y = 8; y < 16; ++y) {
        std::string row;
        for (int x = 10; x < 16; ++x) {
            const std::uint32_t pixel = vkov_image_get_pixel(image, x, y) & 0xFFFFFF;
            row += pixel == 0 ? '#' : pixel == 0xC0C0C0 ? '-' : '.';
        }
        rows.push_back(row);
    }
    EXPECT_EQ(rows, std::vector<std::string>(std::begin(expected), std::end(expected)));

    // An image too small for the marker gets what fits and no refused calls.
    static int refusals = 0;
    refusals = 0;
    vkov_test_set_errmsg_hook([](WINDOW, int32_t, uint32_t, const char*, int32_t, void*) { ++refusals; },
                              nullptr);
    FRM_CImage tiny(VKO_IMAGE_RGB, 3, 2);
    FrmPaintSubPaletteMarker(tiny);
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    EXPECT_EQ(refusals, 0);
    EXPECT_EQ(vkov_image_get_pixel(tiny, 2, 1) & 0xFFFFFF, 0xC0C0C0U) << "what fits is painted";
}

TEST_F(ToolPaletteTest, APopupStaysInsideTheWindowAndBecomesStickyWhenFixed)
{
    FRM_CToolPaletteAttachment* popup =
        itsPalette->Popup(itsWindow, FRM_CPoint(390, 290), kPicked, 0, nullptr);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetState(), FRM_CAttachment::AS_POPUP);
    const FRM_CRect place = popup->GetSize();
    EXPECT_EQ(place.Right(), 396) << "4 pixels in from the right";
    EXPECT_EQ(place.Bottom(), 296);
    EXPECT_EQ(popup->GetToolBar()->GetNumViews(), 3);

    // Popped up with a title bar, it is fixed: it becomes the sticky one, and the next
    // pop-up is a new attachment.
    popup->Popup(itsWindow, 1);
    EXPECT_EQ(itsPalette->GetStickyAttachment(), popup);
    EXPECT_EQ(itsPalette->GetPopupAttachment(), nullptr);
    FRM_CToolPaletteAttachment* next =
        itsPalette->Popup(itsWindow, FRM_CPoint(10, 10), kPicked, 0, nullptr);
    EXPECT_NE(next, popup);

    // Selecting shows on the sticky bar; the selection command reaches the window.
    itsPalette->SelectTool(2);
    EXPECT_EQ(popup->GetSelectedButton(), popup->ButtonAt(1));
    EXPECT_EQ(popup->ButtonAt(1)->GetToggleState(), FRM_CButton::kDown);
    itsWindow->itsCommands.clear();
    popup->ButtonAt(0)->DoUp();   // as a release over tool 1 does
    popup->ButtonAt(0)->MouseDown(FRM_CPoint(2, 2), 1, 0, 0);
    popup->ButtonAt(0)->DoIn();
    popup->ButtonAt(0)->MouseUp(FRM_CPoint(2, 2), 1, 0, 0);
    EXPECT_EQ(itsPalette->GetSelectedTool(), 1);
    bool picked = false;
    for (const auto& command : itsWindow->itsCommands)
        picked = picked || command.first == kPicked;
    EXPECT_TRUE(picked);

    // Removing a shown tool takes its button off the bar.
    delete itsPalette->RemoveTool(2);
    EXPECT_EQ(popup->GetToolBar()->GetNumViews(), 2);
}

TEST_F(ToolPaletteTest, PressingASubPaletteToolOpensItBesideTheButton)
{
    auto* frame = new Frame(itsWindow, Frame::ATTACH_ALL);
    FRM_CToolPaletteAttachment* popup =
        itsPalette->Popup(itsWindow, FRM_CPoint(20, 20), kPicked, 0, frame);
    FRM_CToolPaletteButton* opener = popup->ButtonAt(2);   // tool 3
    const FRM_CRect button = opener->GetGlobalFrame();
    WINDOW handle = popup->GetInternalWindow()->GetVKOWindow();
    EVENT press{};
    press.type = E_MOUSE_DOWN;
    press.v.mouse.where = s_pnt{static_cast<int16_t>(button.Top() + 4),
                                static_cast<int16_t>(button.Left() + 4)};
    vkov_test_post_event(handle, &press);
    vkok_app_process_pending_events();

    FRM_CToolPaletteAttachment* sub = itsSub->GetPopupAttachment();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->GetState(), FRM_CAttachment::AS_POPUP);
    EXPECT_EQ(sub->GetInternalWindow()->IsVisible(), 1);
    FRM_CPoint corner(button.Right(), button.Top());
    corner.Translate(popup->GetInternalWindow(), itsWindow);
    EXPECT_EQ(sub->GetSize().Left(), corner.H()) << "opened at the button's top-right corner";
    EXPECT_EQ(sub->GetSinks(), popup->GetSinks()) << "it takes the opener's settings";
    EXPECT_EQ(opener->GetToggleState(), FRM_CButton::kUp) << "a sub-palette tool is never selected";
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr) << "the opener let the pointer go";

    // The release closes the sub-palette again; the frame is untouched.
    EVENT release = press;
    release.type = E_MOUSE_UP;
    vkov_test_post_event(itsWindow->GetVKOWindow(), &release);
    vkok_app_process_pending_events();
    EXPECT_EQ(sub->GetInternalWindow()->IsVisible(), 0);
    EXPECT_EQ(frame->GetClientSubview()->GetFrame(), FRM_CRect(0, 0, 400, 300));
}

TEST_F(ToolPaletteTest, ADraggableToolsLeaveWaitsForTheRelease)
{
    FRM_CToolPaletteAttachment* popup =
        itsPalette->Popup(itsWindow, FRM_CPoint(20, 20), kPicked, 1, nullptr);
    FRM_CToolPaletteButton* draggable = popup->ButtonAt(0);   // tool 1
    FRM_CToolPaletteButton* plain = popup->ButtonAt(1);       // tool 2
    auto leaves = [this] {
        int count = 0;
        for (const auto& command : itsWindow->itsCommands)
            count += command.first == kLeave ? 1 : 0;
        return count;
    };
    draggable->MouseDown(FRM_CPoint(2, 2), 1, 0, 0);
    draggable->DoIn();
    draggable->DoOut();
    EXPECT_EQ(leaves(), 0) << "deferred while the tool may be dragged off";
    draggable->MouseUp(FRM_CPoint(40, 40), 1, 0, 0);
    EXPECT_EQ(leaves(), 1);
    EXPECT_EQ(itsWindow->itsCommands.back(), (std::pair<long, std::intptr_t>{kLeave, 1}));

    plain->DoIn();
    plain->DoOut();
    EXPECT_EQ(leaves(), 2) << "an ordinary tool leaves at once";
}

// A drop target right of h = 250 (task-window coordinates) that keeps what is dropped on it.
class ToolSink : public FRM_CDragSink {
public:
    short IsInSink(FRM_CPoint where) override { return where.H() >= 250 ? 1 : 0; }
    void DoDrop(FRM_CPoint, short, short, short, long, void* data) override
    {
        itsDrops.push_back(reinterpret_cast<std::intptr_t>(data));
    }
    void DoEnter(FRM_CPoint, short, short, short, long, void*) override {}
    void DoLeave(FRM_CPoint, short, short, short, long, void*) override {}
    void DoDrag(FRM_CPoint, short, short, short, long, void*) override {}
    FRM_CView* GetOwner() override { return nullptr; }
    std::vector<std::intptr_t> itsDrops;
};

TEST_F(ToolPaletteTest, ADraggableToolIsDraggedOffAPaletteWithATitleOntoASink)
{
    FRM_CDragSource source;
    auto* sink = new ToolSink;    // the source deletes its sinks
    source.RegisterSink(sink, 0);
    itsWindow->GetMouseManager()->RegisterMouseHandler(&source, 1);
    itsPalette->SetDragSource(&source);
    FRM_CToolPaletteAttachment* palette =
        itsPalette->PopupDetached(itsWindow, FRM_CPoint(20, 20), kPicked, 1, nullptr);
    ASSERT_NE(palette, nullptr);
    FRM_CToolPaletteButton* tool = palette->ButtonAt(0);   // tool 1, draggable
    auto mouse = [](WINDOW window, e_event type, int h, int v) {
        EVENT event{};
        event.type = type;
        event.v.mouse.where = s_pnt{static_cast<int16_t>(v), static_cast<int16_t>(h)};
        event.v.mouse.button = 1;
        vkov_test_post_event(window, &event);
        vkok_app_process_pending_events();
    };

    // Pressed on the tool and moved out of the palette's window: the tool is dragged off.
    WINDOW inside = palette->GetInternalWindow()->GetVKOWindow();
    const FRM_CRect button = tool->GetGlobalFrame();
    const int h = static_cast<int>(button.Left()) + 4;
    const int v = static_cast<int>(button.Top()) + 4;
    mouse(inside, E_MOUSE_DOWN, h, v);
    for (int step = 1; step <= 8 && source.IsDragging() == 0; ++step)
        mouse(inside, E_MOUSE_MOVE, h + 20 * step, v);
    ASSERT_EQ(source.IsDragging(), 1);
    EXPECT_EQ(vkov_win_get_pointer_trap(), itsWindow->GetVKOWindow());
    EXPECT_EQ(palette->GetState(), FRM_CAttachment::AS_POPUP) << "the palette itself stays";

    // Released over the sink, in the window the drag traps.
    for (int to : {200, 260, 300})
        mouse(itsWindow->GetVKOWindow(), E_MOUSE_MOVE, to, 100);
    mouse(itsWindow->GetVKOWindow(), E_MOUSE_UP, 300, 100);
    EXPECT_EQ(sink->itsDrops, std::vector<std::intptr_t>{1}) << "tool 1 dropped on the sink";
    EXPECT_EQ(source.IsDragging(), 0);
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
    EXPECT_EQ(tool->GetToggleState(), FRM_CButton::kUp);
    itsWindow->GetMouseManager()->UnRegisterMouseHandler(&source);
    itsPalette->SetDragSource(nullptr);
}

TEST_F(ToolPaletteTest, AWindowWithADockedToolBarAStatusBarAndAFloatingPalette)
{
    auto* frame = new Frame(itsWindow, Frame::ATTACH_ALL);
    auto* tools = new FRM_CToolBar(itsWindow, FRM_CToolBar::AL_TOP);
    for (const char* title : {"Open", "Find", "Print"})
        new FRM_CButton(tools, FRM_CPoint(0, 0), FRM_CStringRW(title), 0);
    auto* docked = new FRM_CToolBarAttachment(tools);
    docked->Attach(frame, Frame::ATTACH_TOP);
    frame->ArrangeAttachments();

    auto* status = new FRM_CStatusBar(itsWindow);
    status->AppendField(1, FRM_CStringRW("Ready"), FRM_CStatusBar::kStretch);
    status->AppendField(2, FRM_CStringRW("3 tools"), 0);
    auto* bottom = new FRM_CStatusBarAttachment(frame, status);

    FRM_CToolPaletteAttachment* floating =
        itsPalette->Popup(itsWindow, FRM_CPoint(150, 120), kPicked, 1, frame);
    itsPalette->SelectTool(2);
    vkok_app_process_pending_events();

    const FRM_CRect top = docked->GetSize();
    EXPECT_EQ(top.Left(), 0);
    EXPECT_EQ(top.Width(), 400);
    EXPECT_EQ(frame->GetClientSubview()->GetFrame().Top(), top.Bottom());
    EXPECT_EQ(floating->GetInternalWindow()->HasTitle(), 1);

    // The window and its child windows, composed on one surface.
    WINDOW handle = itsWindow->GetVKOWindow();
    vkok_dwin_invalidate_rect(handle, nullptr);
    vkok_app_process_pending_events();
    for (FRM_CAttachment* shown : {static_cast<FRM_CAttachment*>(docked),
                                   static_cast<FRM_CAttachment*>(bottom),
                                   static_cast<FRM_CAttachment*>(floating)})
        shown->Redraw();
    vkok_app_process_pending_events();
    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_views_attachments_window.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace
