// The framework's fatal report: its message in the built-in form, and the test hook.
#include "frm/core/frmerror.h"

#include <gtest/gtest.h>
#include "tests/frm/support/frm_error_capture.h"
#include "vkobase/res.h"

namespace {

TEST(FrmErrorDeathTest, ShowsCodeFileAndLineThenEnds)
{
    EXPECT_EXIT(FrmError(200, "cdesktop", 36), testing::ExitedWithCode(1),
                "Vko-Frame\\+\\+ Error: #200, File:cdesktop, Line:36");
    // Without the program's string 32123 the positional form falls back to the built-in one.
    EXPECT_EXIT(DoFrmError(6970, "cnav", 225), testing::ExitedWithCode(1),
                "Vko-Frame\\+\\+ Error: #6970, File:cnav, Line:225");
    // With it, its positional placeholders take the code, the file and the line in order.
    EXPECT_EXIT(
        {
            vkov_res_register_text("error format",
                                   "string 32123 \"Error %3$d in %2$s: #%1$ld\"\n");
            DoFrmError(6970, "cnav", 225);
        },
        testing::ExitedWithCode(1), "Error 225 in cnav: #6970");
}

TEST(FrmError, HookReceivesEachReportAndTheCallReturns)
{
    FrmErrorCapture capture;
    FrmError(200, "cdesktop", 36);
    DoFrmError(101, "cboss", 98);
    FrmError(5, nullptr, 1);
    const std::vector<FrmReport> expected = {
        {200, "cdesktop", 36}, {101, "cboss", 98}, {5, "", 1}};
    EXPECT_EQ(capture.Reports(), expected);
}

} // namespace
