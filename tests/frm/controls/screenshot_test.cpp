// A dialog-like window with one of each control (push button, check box, edit field, static
// text, group box, scroll bar, owner-drawn buttons, a scrolling text), drawn by the real
// switchboard, base library and text-edit engine, written as a PNG and checked by its pixels.
// VKO_SCREENSHOT_DIR, when set, names where the PNG goes (a temporary folder otherwise).
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "frm/views/cbutton.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nnotebk.h"
#include "frm/controls/nscrlltx.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/controls/cfacewin.h"
#include "frm/views/cimage.h"
#include "frm/views/viewsvc.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

class ControlsScreenshotTest : public frmtest::ControlsFixture {};

TEST_F(ControlsScreenshotTest, ADialogWithOneOfEachControl)
{
    FRM_CWindow* window = NewWindow("Look up", 420, 300);
    new FRM_NText(window, FRM_CRect(12, 14, 70, 30), FRM_CStringRW("Word:"), 0);
    auto* edit = new FRM_NEditControl(window, FRM_CRect(74, 10, 300, 32), FRM_CStringRW("lexicon"), 0);
    new FRM_NButton(window, FRM_CRect(310, 10, 400, 34), FRM_CStringRW("Look up"), 0);
    auto* group = new FRM_NGroupBox(window, FRM_CRect(10, 44, 200, 120), FRM_CStringRW("Match"), 0);
    new FRM_NCheckBox(window, FRM_CRect(20, 64, 190, 84), FRM_CStringRW("Whole words"),
                      FRM_CNativeView::kChecked);
    new FRM_NCheckBox(window, FRM_CRect(20, 90, 190, 110), FRM_CStringRW("Exact case"), 0);
    auto* pushed = new FRM_CButton(window, FRM_CPoint(214, 50), FRM_CStringRW("Owner drawn"), 0);
    auto* toggled = new FRM_CButton(window, FRM_CPoint(214, 84), FRM_CStringRW("Toggled"), 1);
    toggled->SetToggleState(FRM_CButton::kDown);
    auto* bar = new FRM_NScrollBar(window, FRM_CRect(10, 130, 400, 146), HORIZONTAL, 0);
    bar->SetRange(0, 100, 30);
    bar->SetThumbSize(20);
    auto* text = new FRM_NScrollText(window, FRM_CRect(10, 156, 400, 290), 1, 0, 0, 4, 30000, 1);
    std::string lines;
    for (int i = 1; i <= 40; ++i)
        lines += "Entry " + std::to_string(i) + ": a line of the scrolling text\n";

    text->SetText(FRM_CStringRW(lines.c_str()));
    vkok_app_process_pending_events();
    // A repaint of the whole window covers the text edit, which draws again on top.
    FRM_CDrawingContext(window).InvalidateRect(frm_views::MaxRect());
    vkok_app_process_pending_events();

    WINDOW handle = window->GetVKOWindow();
    const FRM_CRect area = text->GetGlobalFrame();
    int dark = 0;
    for (int y = static_cast<int>(area.Top()) + 2; y < static_cast<int>(area.Top()) + 40; ++y)
        for (int x = static_cast<int>(area.Left()) + 2; x < static_cast<int>(area.Left()) + 120; ++x)
            dark += (vkov_debug_surface_pixel(handle, x, y) & 0xFF) < 0x60 ? 1 : 0;
    EXPECT_GT(dark, 50) << "the text edit's lines show after the window's repaint";
    // The owner-drawn button's face, inside its bevel.
    const FRM_CRect face = pushed->GetGlobalFrame();
    EXPECT_EQ(vkov_debug_surface_pixel(handle, static_cast<int>(face.Left()) + 4,
                                       static_cast<int>(face.Bottom()) - 6) & 0xFFFFFF,
              0xC0C0C0U);
    EXPECT_EQ(edit->GetVKOType(), WC_EDIT);
    EXPECT_EQ(group->GetVKOType(), WC_GROUPBOX);

    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_controls_dialog.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

TEST_F(ControlsScreenshotTest, AWindowHoldingANotebookOfThreeFaces)
{
    ASSERT_TRUE(vkov_res_register_text("screenshot_test", R"(
window 7500 {
  entry type=1 rect=(0,0,200,300) title="Page"
  entry type=18 rect=(12,10,28,70) title="Word:" id=501
  entry type=17 rect=(10,74,32,250) title="lexicon" id=502
  entry type=14 rect=(42,10,62,200) title="Whole words" id=503 ctlflags=0x4
  entry type=12 rect=(72,10,96,100) title="Look up" id=504
}
)"));
    FRM_CWindow* window = NewWindow("Search", 420, 260);
    auto* notebook = new FRM_NNotebook(window, FRM_CRect(10, 10, 410, 250));
    const char* titles[] = {"Basic", "Advanced", "Browse"};
    for (short tab = 0; tab < 3; ++tab) {
        notebook->AddTab(tab, FRM_CStringRW(titles[tab]), FRM_CImage());
        notebook->AddPage(tab, 0, FRM_CStringRW(titles[tab]));
        notebook->SetFace(new FRM_CFaceWindow(itsDocument, notebook), tab, 0, 7500);
    }
    notebook->SetFrontPage(1, 0);
    FRM_CDrawingContext(window).InvalidateRect(frm_views::MaxRect());
    vkok_app_process_pending_events();

    short tab = -1;
    short page = -1;
    FRM_CFaceWindow* front = notebook->GetFrontPage(&tab, &page);
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(tab, 1);
    // The front face's check box sits on the page; the window surface shows it.
    EXPECT_NE(front->FindResourceView(7500, 503), nullptr);

    WINDOW handle = window->GetVKOWindow();
    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_controls_notebook.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace
