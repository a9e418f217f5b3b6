// Character units measured on a running framework's hidden window (and on a print window),
// with the base library's test font, whose every character advances half its pixel size.
#include "frm/drawing/ccharunits.h"

#include <gtest/gtest.h>
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"
#include "vkobase/print.h"

namespace {

class CharacterUnitsTest : public frmtest::AppFixture {
protected:
    void TearDown() override
    {
        FRM_CCharacterUnits::NeedsPrinterMapping(0);
        FRM_CCharacterUnits::SetPrinterSize(0, 0);
        frmtest::AppFixture::TearDown();
    }
};

TEST_F(CharacterUnitsTest, ScreenMappingIsTheFontsCharacterSize)
{
    const FRM_CFont font(FRM_CStringRW(VKO_FONT_TEST_FAMILY), 0, 12);   // 16 px: advance 8
    const FRM_CCharacterUnits units(font);
    EXPECT_EQ(units.GetHScreenMapping(), 16.0f);   // twice the average width
    EXPECT_EQ(units.GetVScreenMapping(), 16.0f);   // ascent 12 + descent 4
    EXPECT_EQ(units.HLogicalToPhysical(2.5f), 40);
    EXPECT_EQ(units.GetHPrinterMapping(), 1.0f);   // the printer is measured only when asked
}

TEST_F(CharacterUnitsTest, PrinterMappingIsMeasuredOnAPrintWindow)
{
    vkov_print_set_output_dir(testing::TempDir().c_str());
    FRM_CCharacterUnits::NeedsPrinterMapping(1);
    const FRM_CFont font(FRM_CStringRW(VKO_FONT_TEST_FAMILY), 0, 24);   // 100 px at 300 dpi
    const FRM_CCharacterUnits units(font);
    int width = 0, height = 0;
    FRM_CCharacterUnits::GetPrinterSize(&width, nullptr);
    FRM_CCharacterUnits::GetPrinterSize(nullptr, &height);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 100);
    EXPECT_EQ(units.GetHPrinterMapping(), 100.0f);
    EXPECT_EQ(units.GetVPrinterMapping(), 100.0f);
    EXPECT_EQ(units.GetHScreenMapping(), 32.0f);   // 32 px on the screen
    vkov_print_set_output_dir(nullptr);
}

} // namespace
