// A window of static texts, glue-sized views, a picture and a menu bar, drawn by the real
// switchboard and base library after a resize, written as a PNG and checked by its pixels.
// VKO_SCREENSHOT_DIR, when set, names where the PNG goes (a temporary folder otherwise).
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cglue.h"
#include "frm/views/cimage.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/ctext.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

constexpr unsigned long kSteelBlue = 0x004682B4UL;
constexpr unsigned long kKhaki = 0x00F0E68CUL;

// A box filled with its environment's brush colour.
class Box : public FRM_CView {
public:
    Box(FRM_CSubview* enclosure, const FRM_CRect& frame, unsigned long colour)
        : FRM_CView(enclosure, frame, FRM_CStringRW("box"))
    {
        FRM_CEnvironment environment;
        environment.SetBrushColor(colour, colour);
        environment.SetPenColor(colour, colour);
        SetEnvironment(environment, 0);
    }
    void Draw(const FRM_CRect& clip) override
    {
        FRM_CDrawingContext context(this);
        context.DrawRect(GetGlobalFrame());
        FRM_CView::Draw(clip);
    }
};

class ScreenshotTest : public frmtest::AppFixture {};

TEST_F(ScreenshotTest, WindowOfTextsGlueAPictureAndAMenuBar)
{
    auto* window = NewWindow("Views", 320, 180);
    auto* bar = new FRM_CMenuBar(window);
    FRM_CSubmenu file("&File", 100, 0, FRM_CMenu::ENABLED);
    file.Append(FRM_CMenuItem("&Open...", 101, 0, FRM_CMenu::ENABLED));
    FRM_CSubmenu view("&View", 200, 0, FRM_CMenu::ENABLED);
    view.Append(FRM_CMenuItem("&Tabs", 201, 0, FRM_CMenu::ENABLED | FRM_CMenu::CHECKABLE));
    bar->AppendSubmenu(file);
    bar->AppendSubmenu(view);
    window->SetMenuBar(bar, 1);
    bar->DoUpdate();

    auto* left = new FRM_CText(window, FRM_CRect(10, 10, 150, 30), FRM_CStringRW("Left placed"));
    left->SetPlacement(FRM_CText::LEFT);
    auto* centred = new FRM_CText(window, FRM_CRect(10, 40, 310, 60), FRM_CStringRW("Centred text"));
    centred->SetPlacement(FRM_CText::CENTER);
    centred->SetGlue(FRM_CGlue::kLeft | FRM_CGlue::kRight);
    new FRM_CText(window, FRM_CPoint(10, 70), FRM_CStringRW("Sized to its title"));
    auto* stretched = new Box(window, FRM_CRect(10, 100, 310, 120), kSteelBlue);
    stretched->SetGlue(FRM_CGlue::kLeft | FRM_CGlue::kRight | FRM_CGlue::kBottom);
    auto* corner = new Box(window, FRM_CRect(270, 130, 310, 170), kKhaki);
    corner->SetGlue(FRM_CGlue::kRight | FRM_CGlue::kBottom);

    FRM_CImage image(VKO_IMAGE_RGB, 24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            vko_image_set_pixel(image, x, y, ((x / 6 + y / 6) % 2) != 0 ? 0xCC2222 : 0x2222CC);
    auto* picture = new FRM_CPicture(window, FRM_CPoint(10, 130), image);
    picture->Size(FRM_CRect(10, 130, 58, 178));    // stretched to twice its size

    // The toolkit window grows; its size event reaches the window through the switchboard.
    s_rct outer{};
    vko_vobj_get_outer_rect(window->GetVKOWindow(), &outer);
    const int extraWidth = (outer.right - outer.left) - 320;
    const int extraHeight = (outer.bottom - outer.top) - 180;
    window->Size(FRM_CRect(outer.left, outer.top, outer.left + 400 + extraWidth,
                           outer.top + 220 + extraHeight));
    vkok_app_process_pending_events();
    EXPECT_EQ(window->GetFrame(), FRM_CRect(0, 0, 400, 220));

    // Glue moved the corner box with the window's bottom-right corner.
    EXPECT_EQ(corner->GetFrame(), FRM_CRect(350, 170, 390, 210));
    EXPECT_EQ(stretched->GetFrame(), FRM_CRect(10, 140, 390, 160));
    EXPECT_EQ(centred->GetFrame(), FRM_CRect(10, 40, 390, 60));

    WINDOW handle = window->GetVKOWindow();
    EXPECT_EQ(vkov_debug_surface_pixel(handle, 200, 150) & 0xFFFFFF, kSteelBlue);
    EXPECT_EQ(vkov_debug_surface_pixel(handle, 370, 190) & 0xFFFFFF, kKhaki);
    EXPECT_EQ(vkov_debug_surface_pixel(handle, 12, 132) & 0xFFFFFF, 0x2222CCu);
    EXPECT_EQ(vkov_debug_surface_pixel(handle, 25, 132) & 0xFFFFFF, 0xCC2222u);

    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_views_window.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace
