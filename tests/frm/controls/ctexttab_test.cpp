// Tests of lines split at tab stops: reading, writing and toggling fields, the bounds of a
// field at each kind of stop, the extent of a laid-out line, and the field or stop under a
// point, with text measured in a real font of a real window.
#include "frm/controls/ctexttab.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include <memory>

#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/views/cimage.h"
#include "frm/views/cview.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

std::string S(const FRM_CStringRW& text) { return text.data(); }

std::string Stripped(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Fields joined as programs join them.
FRM_CStringRW Line(std::initializer_list<const char*> fields)
{
    std::string line;
    for (const char* field : fields)
        line += (line.empty() ? "" : " \t ") + std::string(field);
    return FRM_CStringRW(line.c_str());
}

TEST(TextTabFieldsTest, ReadWriteAndToggle)
{
    EXPECT_EQ(S(CTabSet::TabString()), " \t ");
    struct Read {
        const char* line;
        unsigned long field;
        const char* value;
    };
    const Read reads[] = {
        {"a \t b \t c", 1, "b"}, {"a \t b \t c", 5, ""}, {"a\t\tb", 1, "b"},
        {"a\t\tb", 2, ""},       {"  lone  ", 0, "lone"}, {"\tx", 0, "x"},
    };
    for (const Read& r : reads)
        EXPECT_EQ(S(CTabSet::GetField(FRM_CStringRW(r.line), r.field)), r.value) << r.line;

    struct Write {
        const char* line;
        unsigned long field;
        const char* value;
        const char* result;
    };
    const Write writes[] = {
        {"a \t b", 3, "x", "a \t b \t  \t x"},
        {"a \t b", 0, "x", "x \t b"},
        {"  a  \t  b  ", 1, " y ", "a \t  y "},
        {"", 0, "x", "x"},
    };
    for (const Write& w : writes) {
        const FRM_CStringRW result = CTabSet::SetField(FRM_CStringRW(w.line), w.field, FRM_CStringRW(w.value));
        EXPECT_EQ(S(result), w.result) << w.line;
        EXPECT_EQ(S(CTabSet::GetField(result, w.field)), Stripped(w.value)) << w.line;
    }

    const FRM_CStringRW on("on"), off("off");
    EXPECT_EQ(S(CTabSet::GetField(CTabSet::ToggleField(Line({"a", "on"}), 1, on, off), 1)), "off");
    EXPECT_EQ(S(CTabSet::GetField(CTabSet::ToggleField(Line({"a", "off"}), 1, on, off), 1)), "on");
    EXPECT_EQ(S(CTabSet::GetField(CTabSet::ToggleField(Line({"a"}), 1, on, off), 1)), "on");
    EXPECT_EQ(S(CTabSet::GetField(CTabSet::ToggleField(Line({"a", "maybe"}), 1, on, off), 1)), "on");
}

TEST(TextTabSetTest, StopsGrowShrinkAndRefuseWildIndexes)
{
    CTabSet tabs;
    EXPECT_EQ(tabs.GetTab(0).GetPosition(), -1000.0f);
    tabs.RemoveTab(0);  // nothing to drop
    for (int i = 0; i < 5; ++i)
        tabs.AddTab(FRM_CTextTab(FRM_CTextTab::Left, 10.0f * (i + 1)));
    EXPECT_EQ(tabs.GetNTabs(), 5u);
    EXPECT_EQ(tabs.GetTab(4).GetPosition(), 50.0f);
    EXPECT_EQ(tabs.GetTab(5).GetPosition(), -1000.0f);

    tabs.RemoveTab(1);
    EXPECT_EQ(tabs.GetNTabs(), 4u);
    EXPECT_EQ(tabs.GetTab(1).GetPosition(), 30.0f);
    tabs.RemoveTab(99);  // past the count: the last one goes
    EXPECT_EQ(tabs.GetNTabs(), 3u);
    EXPECT_EQ(tabs.GetTab(2).GetPosition(), 40.0f);

    tabs.ReplaceTab(0, FRM_CTextTab(FRM_CTextTab::Right, 7));
    EXPECT_EQ(tabs.GetTab(0).GetType(), FRM_CTextTab::Right);
    tabs.ReplaceTab(20, FRM_CTextTab(FRM_CTextTab::Left, 1));  // stored, not counted
    EXPECT_EQ(tabs.GetNTabs(), 3u);
    tabs.ReplaceTab(0xFFFFFFFFul, FRM_CTextTab(FRM_CTextTab::Left, 1));
    tabs.ReplaceTab(CTabSet::kMaxTabs, FRM_CTextTab(FRM_CTextTab::Left, 1));
    EXPECT_EQ(tabs.GetTab(0).GetPosition(), 7.0f);

    tabs.ClearTabs();
    EXPECT_EQ(tabs.GetNTabs(), 0u);
}

class TextTabTest : public frmtest::ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        itsView = new FRM_CView(itsWindow, FRM_CRect(0, 0, 300, 200), FRM_CStringRW());
        itsFont = FRM_CFont(FRM_CEnvironment::DefaultFont());
        itsFont.Map(itsWindow);
    }
    // A text's width as the view measures it.
    float Width(const char* text) const
    {
        const auto pixels = static_cast<int>(itsFont.GetTextWidth(FRM_CStringRW(text)));
        const FRM_CUnits* units = itsView->GetUnits();
        return units != nullptr ? units->HPhysicalToLogical(pixels) : static_cast<float>(pixels);
    }
    FRM_CView* itsView = nullptr;
    FRM_CFont itsFont;
};

TEST_F(TextTabTest, BoundsAtEachKindOfStop)
{
    const float w = Width("12.5");
    ASSERT_GT(w, 0);
    struct Case {
        FRM_CTextTab::TabType type;
        float left;
    };
    const Case cases[] = {
        {FRM_CTextTab::Left, 100},
        {FRM_CTextTab::Right, 100 - w},
        {FRM_CTextTab::Center, 100 - w / 2},
        {FRM_CTextTab::Decimal, 100 - Width("12")},
        {FRM_CTextTab::LeftImage, 100},
        {FRM_CTextTab::RightImage, 100},  // without an image a field is placed as text at the stop
    };
    for (const Case& c : cases) {
        const FRM_CRect bounds = FRM_CTextTab(c.type, 100).GetBounds(*itsView, itsFont, FRM_CStringRW("12.5"));
        EXPECT_FLOAT_EQ(bounds.Left(), c.left) << c.type;
        EXPECT_FLOAT_EQ(bounds.Width(), w) << c.type;
    }
    const FRM_CImage image(VKO_IMAGE_RGB, 16, 10);
    EXPECT_FLOAT_EQ(FRM_CTextTab(FRM_CTextTab::CenterImage, 100).GetBounds(image).Left(), 92);
    EXPECT_FLOAT_EQ(FRM_CTextTab(FRM_CTextTab::RightImage, 100).GetBounds(image).Left(), 84);
    EXPECT_FLOAT_EQ(FRM_CTextTab(FRM_CTextTab::LeftImage, 100).GetBounds(image).Width(), 16);
}

TEST_F(TextTabTest, ExtentAndHitsFollowTheStopsAndTheImages)
{
    CTabSet tabs;
    tabs.AddTab(FRM_CTextTab(FRM_CTextTab::Left, 100));
    tabs.AddTab(FRM_CTextTab(FRM_CTextTab::CenterImage, 200));
    const FRM_CImage image(VKO_IMAGE_RGB, 16, 10);
    tabs.AddImage(&image, FRM_CStringRW("  star "));
    ASSERT_NE(tabs.FindImage(FRM_CStringRW("star")), nullptr);
    EXPECT_EQ(tabs.FindImage(FRM_CStringRW("moon")), nullptr);

    FRM_CDrawingContext context(itsView);
    context.GetEnv().SetFont(itsFont);
    const FRM_CPoint origin(10, 0);
    const FRM_CPoint start(14, 20);
    // Field 2 is an image centred at 210: it ends at 218.
    EXPECT_FLOAT_EQ(tabs.StringExtent(start, *itsView, context, origin, Line({"a", "b", "star"})), 218);
    // An unknown image key is measured as text starting at the stop.
    EXPECT_FLOAT_EQ(tabs.StringExtent(start, *itsView, context, origin, Line({"a", "b", "moon"})),
                    210 + Width(" moon"));
    // A line starting with a tab still has its field 0 at the start.
    EXPECT_FLOAT_EQ(tabs.StringExtent(start, *itsView, context, origin, FRM_CStringRW("\tb")),
                    110 + Width("b"));

    struct Hit {
        const char* why;
        float h;
        const char* line;
        unsigned long tab;
    };
    const Hit hits[] = {
        {"on field 1's text", 111, "a \t b", 1},
        {"narrow image widened to 24", 199, "a \t b \t star", 2},
        {"beyond the widened image", 222.5f, "a \t b \t star", 0},
        {"stop 1 just inside, empty line", 210 - 11.9f, "", 2},
        {"stop 1 exactly 12 right, empty line", 222, "", 0},
        {"stop 0 left edge", 98, "", 1},
        {"nothing near", 50, "", 0},
        {"field 0 is never reported", 16, "a", 0},
    };
    for (const Hit& hit : hits)
        EXPECT_EQ(tabs.PointToTab(FRM_CPoint(hit.h, 20), *itsView, context, origin, FRM_CStringRW(hit.line)),
                  hit.tab)
            << hit.why;

    // Copies keep their own stops and images, which outlive the set copied.
    CTabSet copy(tabs);
    copy.RemoveTab(0);
    EXPECT_EQ(tabs.GetNTabs(), 2u);
    ASSERT_NE(copy.FindImage(FRM_CStringRW("star")), nullptr);
    tabs = CTabSet();
    EXPECT_EQ(copy.FindImage(FRM_CStringRW("star"))->GetWidth(), 16);
    EXPECT_EQ(tabs.FindImage(FRM_CStringRW("star")), nullptr);
    // A second image under the same key takes the first one's place.
    const FRM_CImage wide(VKO_IMAGE_RGB, 30, 10);
    copy.AddImage(&wide, FRM_CStringRW("star "));
    EXPECT_EQ(copy.FindImage(FRM_CStringRW("star"))->GetWidth(), 30);
}

TEST(ImageRWC, IsACollectableOfItsOwnClassMadeByTheFactory)
{
    const FRM_CImage image(VKO_IMAGE_RGB, 16, 10);
    const CImageRWC held(image);
    EXPECT_EQ(held.isA(), CImageRWC::classIsA());
    EXPECT_EQ(getRWFactory()->classID("CImageRWC"), CImageRWC::classIsA());
    std::unique_ptr<RWCollectable> made(getRWFactory()->create("CImageRWC"));
    ASSERT_NE(dynamic_cast<CImageRWC*>(made.get()), nullptr);
    std::unique_ptr<RWCollectable> copied(held.copy());
    EXPECT_EQ(static_cast<CImageRWC*>(copied.get())->GetWidth(), 16);
    EXPECT_STREQ(held.GetRunTimeTypeInfo()->GetName(), "CImageRWC");
}

} // namespace
