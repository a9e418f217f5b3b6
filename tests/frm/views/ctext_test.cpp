// Tests of static text views in a real window, read from the window's drawing log: sizing
// to the text, the placements, selection colours, an empty title, and a size change made
// while drawing, which the toolkit refuses during the update and which is marked after it.
#include "frm/views/ctext.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/core/cunits.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

class TextTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("texts", 300, 120);
        itsHandle = itsWindow->GetVKOWindow();
        vkok_app_process_pending_events();
    }

    int TextWidth(const char* text) const { return vko_dwin_get_text_width(itsHandle, text, -1); }

    // The draw_text calls of the log since the last clear, as their "x,y,text" arguments.
    std::vector<std::string> DrawnTexts() const
    {
        std::vector<std::string> texts;
        for (const vkov_draw_log_entry& entry : Log(itsHandle))
            if (std::string(entry.op) == "draw_text")
                texts.push_back(entry.args);
        return texts;
    }

    FRM_CWindow* itsWindow = nullptr;
    WINDOW itsHandle = nullptr;
};

TEST_F(TextTest, TextAtAPointTakesItsOwnSize)
{
    FRM_CText sized(itsWindow, FRM_CPoint(10, 20), FRM_CStringRW("Headword"));
    // The view has set its font in the window while it measured.
    std::int32_t leading = 0;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    vko_dwin_get_font_metrics(itsHandle, &leading, &ascent, &descent);
    const float width = static_cast<float>(TextWidth("Headword"));
    EXPECT_GT(width, 0);
    EXPECT_EQ(sized.GetFrame(), FRM_CRect(10, 20, 10 + width, 20 + ascent + descent + 2.0F));

    FRM_CText empty(itsWindow, FRM_CPoint(5, 5), FRM_CStringRW());
    EXPECT_EQ(empty.GetFrame(), FRM_CRect(5, 5, 5, 5));

    // Placement none follows the title; the others keep their frame.
    sized.SetTitle("Headword and more");
    EXPECT_EQ(sized.GetFrame().Width(), static_cast<float>(TextWidth("Headword and more")));
    sized.SetPlacement(FRM_CText::CENTER);
    sized.Size(FRM_CRect(10, 20, 111, 40));
    sized.SetTitle("x");
    EXPECT_EQ(sized.GetFrame(), FRM_CRect(10, 20, 111, 40));
}

TEST_F(TextTest, PlacementDecidesWhereTheTextStarts)
{
    const char* text = "Entry";
    // Measured in the view's own font, which the text view draws with.
    const int width = static_cast<int>(FRM_CText(itsWindow, FRM_CPoint(), FRM_CStringRW(text)).GetWidth());
    struct Case {
        const char* why;
        FRM_CText::Placement placement;
        int x;
    };
    // The frame is 101 pixels wide, from x 10.
    const Case cases[] = {
        {"left", FRM_CText::LEFT, 10},
        {"right", FRM_CText::RIGHT, 111 - width},
        {"centred, rounding toward zero", FRM_CText::CENTER, 10 + (101 - width) / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* view = new FRM_CText(itsWindow, FRM_CRect(10, 30, 111, 60), FRM_CStringRW(text));
        view->SetPlacement(c.placement);
        vkov_debug_draw_log_clear(itsHandle);
        view->DoDraw(FRM_CRect(0, 0, 300, 120));
        const std::vector<std::string> drawn = DrawnTexts();
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].substr(0, drawn[0].find(',')), std::to_string(c.x));
        delete view;
    }
}

TEST_F(TextTest, SelectionSwapsColoursAndAnEmptyTitleDrawsNothing)
{
    FRM_CEnvironment colours;
    colours.SetBackgroundColor(0x0BFFFFFFUL, 0x0BFFFFFFUL);
    colours.SetForegroundColor(0x030000FFUL, 0x030000FFUL);
    auto* text = new FRM_CText(itsWindow, FRM_CRect(10, 10, 110, 30), FRM_CStringRW("Sel"));
    text->SetEnvironment(colours, 0);
    struct Case {
        const char* why;
        bool selected;
        COLOR brush;
    };
    const Case cases[] = {{"plain: painted in the background colour", false, 0x0BFFFFFF},
                          {"selected: painted in the foreground colour", true, 0x030000FF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.selected)
            text->Select();
        vkov_debug_draw_log_clear(itsHandle);
        text->DoDraw(FRM_CRect(0, 0, 300, 120));
        const auto entries = Log(itsHandle);
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.back().brush.color, c.brush);
    }
    text->SetTitle("");
    vkov_debug_draw_log_clear(itsHandle);
    text->DoDraw(FRM_CRect(0, 0, 300, 120));
    EXPECT_TRUE(DrawnTexts().empty());
}

// A view that renames a text while it draws, as a formatter might.
class Renamer : public FRM_CView {
public:
    Renamer(FRM_CSubview* enclosure, FRM_CText* text)
        : FRM_CView(enclosure, FRM_CRect(200, 0, 210, 10), FRM_CStringRW("r")), itsText(text)
    {
    }
    void Draw(const FRM_CRect&) override
    {
        if (!itsRenamed)
            itsText->SetTitle("A much longer title than before");
        itsRenamed = true;
    }

private:
    FRM_CText* itsText;
    bool itsRenamed = false;
};

TEST_F(TextTest, AreasMarkedWhileDrawingAreRepaintedAfterTheUpdate)
{
    auto* text = new FRM_CText(itsWindow, FRM_CPoint(10, 10), FRM_CStringRW("Short"));
    new Renamer(itsWindow, text);
    vko_dwin_invalidate_rect(itsHandle, nullptr);
    vkok_app_process_pending_events();     // the first update renames the text
    EXPECT_EQ(text->GetTitle(), FRM_CStringRW("A much longer title than before"));
    vkov_debug_draw_log_clear(itsHandle);
    EVENT nudge{};
    nudge.type = E_USER;
    vkov_test_post_event(itsHandle, &nudge);    // the next event marks the kept area
    vkok_app_process_pending_events();
    const std::vector<std::string> drawn = DrawnTexts();
    ASSERT_FALSE(drawn.empty());
    EXPECT_NE(drawn.back().find("A much longer title"), std::string::npos);
}

} // namespace

namespace {

// The font of the last draw_text call of the log, as the log names it.
std::string LastTextFont(WINDOW window)
{
    std::string font;
    for (int i = 0; i < vkov_debug_draw_log_size(window); ++i) {
        vkov_draw_log_entry entry{};
        vkov_debug_draw_log_get(window, i, &entry);
        if (std::string(entry.op) == "draw_text")
            font = entry.font;
    }
    return font;
}

TEST_F(TextTest, PrintShrinkingStopsAtTheSmallestSize)
{
    struct Case {
        const char* why;
        float printerMapping;    // printer pixels per logical unit
        bool shrinks;
    };
    const Case cases[] = {
        {"a printer as fine as the screen keeps the screen font", 1, false},
        {"a title that never fits stops at size 1 instead of looping", 0.0001F, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* text = new FRM_CText(itsWindow, FRM_CPoint(10, 10), FRM_CStringRW("Printed title"));
        text->SetUnits(new FRM_CUnits(1, 1, c.printerMapping, c.printerMapping, FRM_CUnits::kScreen));
        vkov_debug_draw_log_clear(itsHandle);
        text->DoDraw(FRM_CRect(0, 0, 300, 120));
        const std::string screenFont = LastTextFont(itsHandle);
        vkov_debug_draw_log_clear(itsHandle);
        text->DoPrintDraw(FRM_CRect(0, 0, 300, 120));
        const std::string printFont = LastTextFont(itsHandle);
        EXPECT_EQ(printFont != screenFont, c.shrinks) << screenFont << " / " << printFont;
        if (c.shrinks) {    // the log names a font "family style size"
            EXPECT_EQ(printFont.substr(printFont.rfind(' ')), " 1") << printFont;
        }
        // Afterwards the view draws in its screen font again.
        vkov_debug_draw_log_clear(itsHandle);
        text->DoDraw(FRM_CRect(0, 0, 300, 120));
        EXPECT_EQ(LastTextFont(itsHandle), screenFont);
        delete text;
    }
}

} // namespace
