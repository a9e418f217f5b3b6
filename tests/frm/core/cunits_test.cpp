// Units: the rounding rules, the inch and centimetre kinds, devices, dynamic mapping, and how
// units and their owner and the current-units pointer let go of each other.
#include "frm/core/cunits.h"

#include <gtest/gtest.h>
#include "tests/frm/support/frm_error_capture.h"

namespace {

TEST(Units, PointsTruncateAndRectanglesRound)
{
    const FRM_CUnits units;
    struct Case {
        float logical;
        int point;
        int rect;
    };
    const Case cases[] = {{12.7f, 12, 13}, {-0.7f, 0, 0}, {0.4f, 0, 0}, {1.5f, 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logical);
        EXPECT_EQ(units.HLogicalToPhysical(c.logical), c.point);
        EXPECT_EQ(units.LogicalToPhysical(c.logical, c.logical).h, c.point);
        EXPECT_EQ(units.LogicalToPhysical(c.logical, c.logical, c.logical, c.logical).left,
                  c.rect);
    }
}

TEST(Units, ConversionsClampToTheirRange)
{
    const FRM_CUnits units(1000, 1000, 1, 1, FRM_CUnits::kScreen);
    const s_pnt point = units.LogicalToPhysical(40.0f, -40.0f);
    EXPECT_EQ(point.h, 32767);
    EXPECT_EQ(point.v, -32768);
    const s_rct rect = units.LogicalToPhysical(-1e9f, 0, 1e9f, 33.0f);
    EXPECT_EQ(rect.left, -32768);
    EXPECT_EQ(rect.right, 32767);
    EXPECT_EQ(rect.bottom, 32767);
    EXPECT_EQ(units.HLogicalToPhysical(1e30f), 2147483647);
}

TEST(Units, InchAndCentimetreFollowTheScreenResolution)
{
    const FRM_CInchUnits inch;
    EXPECT_EQ(inch.HLogicalToPhysical(1.0f), 96);
    EXPECT_EQ(inch.VLogicalToPhysical(1.0f), 96);
    const FRM_CCentimeterUnits cm;
    EXPECT_EQ(cm.LogicalToPhysical(0, 0, 2.54f, 2.54f).right, 96);
    EXPECT_FLOAT_EQ(cm.HPhysicalToLogical(96), 2.54f);
}

TEST(Units, ZeroMappingConvertsAsOne)
{
    const FRM_CUnits units(0, 0, 0, 0, FRM_CUnits::kScreen);
    EXPECT_EQ(units.HLogicalToPhysical(5.9f), 5);
    EXPECT_FLOAT_EQ(units.VPhysicalToLogical(7), 7.0f);
}

// A boss that counts the units it is told about.
class CountingBoss : public FRM_CBoss {
public:
    void UpdateUnits(FRM_CUnits* units) override
    {
        ++updates;
        FRM_CBoss::UpdateUnits(units);
    }
    int updates = 0;
};

TEST(Units, DeviceSwitchRestoresTheScreenPairWithoutTellingTheOwner)
{
    CountingBoss owner;
    auto* units = new FRM_CUnits(2, 3, 4, 5, FRM_CUnits::kScreen);
    owner.SetUnits(units);
    owner.updates = 0;
    units->SetOutputDevice(FRM_CUnits::kPrinter);
    EXPECT_EQ(units->HLogicalToPhysical(10), 40);
    units->SetOutputDevice(FRM_CUnits::kScreen);
    EXPECT_EQ(units->HLogicalToPhysical(10), 20);
    EXPECT_EQ(units->VLogicalToPhysical(10), 30);
    EXPECT_EQ(owner.updates, 0);
    units->SetPrinterMapping(6, 6);   // not dynamic: the owner is not told
    EXPECT_EQ(owner.updates, 0);
    units->SetScreenMapping(1, 1);
    EXPECT_EQ(owner.updates, 1);
}

TEST(Units, DynamicMappingRescalesOnceUntilTheMetricsChange)
{
    FRM_CUnits units(1, 1, 1, 1, FRM_CUnits::kScreen);
    units.SetDevelopmentMetrics(0, 0, 48, 192);   // this machine has 96 dpi
    units.SetDynamicMapping(1);
    EXPECT_FLOAT_EQ(units.GetHScreenMapping(), 2.0f);
    EXPECT_FLOAT_EQ(units.GetVScreenMapping(), 0.5f);
    units.SetDynamicMapping(1);
    EXPECT_FLOAT_EQ(units.GetHScreenMapping(), 2.0f);
    units.SetDevelopmentMetrics(0, 0, 48, 0);   // rescale again; a zero resolution is skipped
    EXPECT_FLOAT_EQ(units.GetHScreenMapping(), 4.0f);
    EXPECT_FLOAT_EQ(units.GetVScreenMapping(), 0.5f);
    EXPECT_EQ(units.HLogicalToPhysical(1), 4);
}

TEST(Units, DestroyedUnitsLeaveTheirOwnerAndTheCurrentPointer)
{
    FRM_CBoss owner;
    auto* units = new FRM_CUnits;
    owner.SetUnits(units);
    FRM_CUnits::SetGlobalUnits(units);
    delete units;
    EXPECT_EQ(owner.GetUnits(), nullptr);
    EXPECT_EQ(FRM_CUnits::GetGlobalUnits(), nullptr);
}

} // namespace
