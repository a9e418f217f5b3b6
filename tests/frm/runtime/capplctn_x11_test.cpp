// End to end on a display: the demo program of the headless end-to-end test runs through
// FRM_CApplication::Go on a private Xvfb server, with the base library's real event loop
// (not its test mode), in a child process. The child reports what happened in a log; the
// test skips when there is no Xvfb.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../../platform/vkobase/xvfb_test_support.h"
#include "../support/frm_demo_program.h"

namespace {

TEST(ApplicationOnADisplay, RunsDrivesDrawsAndQuits)
{
    const std::string xvfb = vkotest::find_xvfb();
    if (xvfb.empty())
        GTEST_SKIP() << "no Xvfb";
    vkotest::Xvfb server;
    ASSERT_TRUE(server.start(xvfb));
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("frm_x11_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string log = (dir / "log").string();
    const std::string png = (dir / "window.png").string();

    const pid_t child = vkotest::fork_child();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("DISPLAY", server.display().c_str(), 1);
        frmdemo::Result().pngTarget = png;
        {
            frmdemo::DemoApplication application;
            char name[] = "demo";
            char* argv[] = {name, nullptr};
            application.Go(1, argv, 0, 0, "demo", "Demo", "Demo program");
        }
        const frmdemo::Outcome& outcome = frmdemo::Result();
        vkotest::append_line(log, "started " + std::to_string(outcome.startedUp));
        vkotest::append_line(log, "clicks " + std::to_string(outcome.clicks));
        vkotest::append_line(log, "keys " + outcome.keys);
        vkotest::append_line(log, "menu " + std::to_string(outcome.paintCommands));
        for (const std::uint32_t pixel : outcome.lampPixels)
            vkotest::append_line(log, "lamp " + std::to_string(pixel));
        vkotest::append_line(log, "shut down " + std::to_string(outcome.shutDown));
        _exit(0);
    }
    EXPECT_EQ(vkotest::wait_for(child), 0);
    EXPECT_EQ(vkotest::read_lines(log),
              (std::vector<std::string>{"started 1", "clicks 1", "keys ok", "menu 1",
                                        "lamp " + std::to_string(0xFF00FF00u),
                                        "lamp " + std::to_string(0xFFFF0000u), "shut down 1"}));
    EXPECT_TRUE(std::filesystem::exists(png));
    std::filesystem::remove_all(dir);
}

} // namespace
