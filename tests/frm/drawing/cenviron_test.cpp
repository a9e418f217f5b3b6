// Tests of environments, pens and brushes: the colour/monochrome switch as the getters and the
// toolkit record see it, equality over every field (which copies and assignment keep),
// inversion, and the two constructors' monochrome pens.
#include "frm/drawing/cenviron.h"

#include <gtest/gtest.h>

#include "../support/frm_app_fixture.h"

namespace {

constexpr unsigned long kRed = 0x01FF0000ul;
constexpr unsigned long kGreen = 0x0200FF00ul;

class EnvironmentTest : public frmtest::AppFixture {
protected:
    void TearDown() override
    {
        FRM_CEnvironment().SetColorOn(1);
        AppFixture::TearDown();
    }
};

TEST_F(EnvironmentTest, ColorSwitch_ChoosesTheValuesOfGettersAndTheToolkitRecord)
{
    FRM_CEnvironment environment;
    environment.SetPenColor(kRed, FRM_CEnvironment::kWhite);
    environment.SetForegroundColor(kGreen, FRM_CEnvironment::kBlack);
    struct Case {
        const char* why;
        short colorOn;
        unsigned long pen, foreground;
    };
    const Case cases[] = {
        {"colour display", 1, kRed, kGreen},
        {"monochrome display", 0, FRM_CEnvironment::kWhite, FRM_CEnvironment::kBlack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        environment.SetColorOn(c.colorOn);
        EXPECT_EQ(environment.GetPenColor(), c.pen);
        EXPECT_EQ(environment.GetPen().GetColor(), kRed) << "the pen keeps its colour";
        const s_drawct tools = environment;
        EXPECT_EQ(tools.pen.color, c.pen);
        EXPECT_EQ(tools.fore_color, c.foreground);
    }
}

TEST_F(EnvironmentTest, Equality_ComparesEveryFieldAndInversionIsItsOwnUndo)
{
    const FRM_CEnvironment base;
    struct Case {
        const char* why;
        void (*change)(FRM_CEnvironment&);
    };
    const Case cases[] = {
        {"trough colour", [](FRM_CEnvironment& e) { e.SetTroughColor(kRed); }},
        {"pen width", [](FRM_CEnvironment& e) { e.SetPenWidth(3); }},
        {"monochrome background", [](FRM_CEnvironment& e) { e.SetBackgroundColor(0xFFFFFFFFul, kRed); }},
        {"font", [](FRM_CEnvironment& e) { e.SetFont(FRM_CFont(FRM_CStringRW("times"), 1, 20)); }},
        {"drawing mode", [](FRM_CEnvironment& e) { e.SetDrawingMode(2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CEnvironment changed(base);
        EXPECT_TRUE(changed == base);
        c.change(changed);
        EXPECT_TRUE(changed != base);
        FRM_CEnvironment assigned;
        assigned = changed;
        EXPECT_TRUE(assigned == changed) << "assignment copies the field";
    }
    FRM_CEnvironment inverted(base);
    inverted.SetBrushColor(kGreen, kGreen);
    const FRM_CEnvironment before(inverted);
    inverted.InvertColors();
    EXPECT_EQ(inverted.GetPen().GetColor(), kGreen);
    EXPECT_TRUE(inverted != before);
    inverted.InvertColors();
    EXPECT_TRUE(inverted == before);
}

TEST_F(EnvironmentTest, Constructors_DefaultsAndTheToolkitRecordsWhitePen)
{
    FRM_CEnvironment defaults;
    defaults.SetColorOn(0);
    EXPECT_EQ(defaults.GetPenColor(), FRM_CEnvironment::kBlack);
    EXPECT_EQ(defaults.GetBrushColor(), FRM_CEnvironment::kWhite);
    defaults.SetColorOn(1);
    EXPECT_EQ(defaults.GetForegroundColor(), FRM_CEnvironment::kUnsetColor);
    EXPECT_EQ(defaults.GetPenWidth(), 1);
    EXPECT_EQ(defaults.GetBrushPattern(), 2);

    const s_drawct tools = defaults;
    FRM_CEnvironment fromTools(tools);
    fromTools.SetColorOn(0);
    EXPECT_EQ(fromTools.GetPenColor(), FRM_CEnvironment::kWhite);
    fromTools.SetColorOn(1);
    EXPECT_EQ(fromTools.GetPen(), defaults.GetPen());

    const FRM_CPen pen(kRed, 2, 1, 4);
    const s_cpen record = pen;
    EXPECT_EQ(record.width, 4);
    EXPECT_EQ(FRM_CPen(record), pen);
    EXPECT_NE(FRM_CPen(kRed, 2, 1, 5), pen);
}

} // namespace
