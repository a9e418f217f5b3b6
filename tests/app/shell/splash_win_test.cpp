// Tests of the splash and about window: it closes itself three seconds after it opens, at
// once on a click on the picture (no later tick reaches it), at once when no timer could be
// made; other timers' ticks and a second close do nothing; the application forgets it when
// it goes; "About This Product" opens it again.
#include "app/shell/splash_win.h"

#include <gtest/gtest.h>

#include "app/shell/kq_factory.h"
#include "app/shell/menu_tags.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cpicture.h"
#include "vkobase/testing.h"

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

} // namespace
