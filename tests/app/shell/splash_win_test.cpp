// Tests of the splash and about window: it closes itself three seconds after it opens, at
// once on a click on the picture (no later tick reaches it), at once when no timer could be
// made; other timers' ticks and a second close do nothing; the application forgets it when
// it goes; "About This Product" opens it again. The copyright and version lines fall on a
// plain band of the picture, not on one of its rules or its frame.
#include "app/shell/splash_win.h"

#include <gtest/gtest.h>

#include "app/shell/kq_factory.h"
#include "resources/menu_tags.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cpicture.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"

#include <cstdlib>
#include <string>

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

class SplashWinTest : public TavlinFixture {
protected:
    // The splash start-up opened, and whether it is still there.
    SplashWin* Splash() const { return itsApplication->GetSplash(); }
};

TEST_F(SplashWinTest, StartUpShowsItUntilThreeSecondsHavePassed)
{
    Start();
    SplashWin* splash = Splash();
    ASSERT_NE(splash, nullptr);
    EXPECT_GE(splash->GetTimer(), 0);
    EXPECT_FALSE(splash->IsClosing());
    EXPECT_TRUE(splash->IsVisible());
    vkov_test_advance_clock(SplashWin::kShowMs - 1);
    EXPECT_EQ(Splash(), splash);
    vkov_test_advance_clock(1);
    vkok_app_process_pending_events();
    EXPECT_EQ(Splash(), nullptr);

    // "About This Product" shows it again.
    MainWindow()->DoMenuCommand(menutag::kAbout, 0, 0);
    EXPECT_NE(Splash(), nullptr);
}

TEST_F(SplashWinTest, AClickOnThePictureClosesItAndNoTickReachesItAfter)
{
    Start();
    SplashWin* splash = Splash();
    ASSERT_NE(splash, nullptr);
    const std::int32_t timer = splash->GetTimer();
    splash->DoTimer(timer + 1);  // another window's timer
    splash->DoTimer(-1);
    EXPECT_FALSE(splash->IsClosing());
    splash->DoCommand(SplashWin::kCmdPictureClicked, splash->GetPicture());
    EXPECT_EQ(Splash(), nullptr) << "closed and gone at once";
    vkov_test_advance_clock(SplashWin::kShowMs * 2);
}

TEST_F(SplashWinTest, WithoutATimerItClosesAtOnce)
{
    Start();
    Splash()->Close();
    EXPECT_EQ(Splash(), nullptr);
    const int windows = FRM_CObjectRWC::GetG()->GetTaskWin()->GetDocument()->GetNumWindows();
    auto* splash = new SplashWin();
    EXPECT_FALSE(splash->Start(-1));
    EXPECT_EQ(FRM_CObjectRWC::GetG()->GetTaskWin()->GetDocument()->GetNumWindows(), windows);
}

TEST_F(SplashWinTest, TheFactoryMakesItWithItsPicture)
{
    Start();
    auto* made = dynamic_cast<SplashWin*>(KQedAppFactory::Instance().CreateWindow(
        FRM_CObjectRWC::GetG()->GetTaskWin()->GetDocument(), KQedAppFactory::kSplashWindow));
    ASSERT_NE(made, nullptr);
    ASSERT_NE(made->GetPicture(), nullptr);
    EXPECT_EQ(made->GetPicture()->GetCommand(), SplashWin::kCmdPictureClicked);
    made->Close();
}

// A frame or rule pixel of the picture is coloured; the text is drawn in greys on white.
bool IsColoured(std::uint32_t pixel)
{
    const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return std::abs(red - green) > 24 || std::abs(green - blue) > 24 || std::abs(red - blue) > 24;
}

TEST_F(SplashWinTest, TheTextLinesStandOnAPlainBandOfThePicture)
{
    Start();
    SplashWin* splash = Splash();
    ASSERT_NE(splash, nullptr);
    WINDOW window = splash->GetVKOWindow();
    vko_dwin_invalidate_rect(window, nullptr);
    vkok_app_process_pending_events();
    std::int32_t width = 0, height = 0;
    ASSERT_TRUE(vkov_debug_surface_size(window, &width, &height));
    if (const char* directory = std::getenv("VKO_SPLASH_PNG_DIR"))
        vkov_debug_surface_write_png(window, (std::string(directory) + "/splash.png").c_str());

    // The rows the two lines take, as the window places them: from the copyright line's
    // ascent down to the version line's descent, 10 pixels above the bottom.
    vko_dwin_set_font_size(window, 8);
    std::int32_t leading = 0, ascent = 0, descent = 0;
    vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    const int bandBottom = height - 10;
    const int bandTop = bandBottom - 2 * (ascent + descent) - leading;
    ASSERT_GT(bandTop, 0);

    int textPixels = 0;
    for (int y = bandTop; y < bandBottom; ++y) {
        // Inside the side frame: the text may reach any column between its edges.
        for (int x = 4; x < width - 4; ++x) {
            const std::uint32_t pixel = vkov_debug_surface_pixel(window, x, y);
            EXPECT_FALSE(IsColoured(pixel)) << "picture colour under the text at " << x << "," << y;
            if (IsColoured(pixel))
                return;
            if ((pixel & 0xFF) < 0x80)
                ++textPixels;
        }
    }
    EXPECT_GT(textPixels, 0) << "the lines are drawn in the band";
}

} // namespace
