// End to end: a small framework program runs through FRM_CApplication::Go and the base
// library's own event loop (headless, in test mode). Its start-up builds a document with a
// window, a few views and a menu bar; synthetic events posted as the system would post them
// click a view, press keys and choose a menu command; at the end the window is written as a
// PNG, the program quits through a quit event, and the shut-down tears everything down.
#include "frm/runtime/capplctn.h"

#include <gtest/gtest.h>

#include "../support/frm_demo_program.h"

namespace {

using frmdemo::Result;

TEST(ApplicationEndToEnd, RunsStartsDrivesDrawsAndShutsDown)
{
    vkov_test_reset_all();
    FRM_CFont::GetRegistry()->ResetForTests();
    {
        frmdemo::DemoApplication application;
        char name[] = "demo";
        char* argv[] = {name, nullptr};
        application.Go(1, argv, 0, 0, "demo", "Demo", "Demo program");
        EXPECT_EQ(FRM_CObjectRWC::GetG(), nullptr) << "the shut-down let the library go";
    }
    const frmdemo::Outcome& outcome = Result();
    EXPECT_TRUE(outcome.startedUp);
    EXPECT_EQ(outcome.clicks, 1);
    EXPECT_EQ(outcome.keys, "ok");
    EXPECT_EQ(outcome.paintCommands, 1);
    EXPECT_TRUE(outcome.shutDown);
    ASSERT_FALSE(outcome.png.empty());
    EXPECT_TRUE(std::filesystem::exists(outcome.png));
    EXPECT_EQ(outcome.lampPixels, (std::vector<std::uint32_t>{0xFF00FF00u, 0xFFFF0000u}))
        << "the clicked lamp is green, the other still red";
    FRM_CFont::GetRegistry()->ResetForTests();
    vkov_test_reset_all();
}

} // namespace
