// Tests of the owner-drawn button in a real window: pointer sequences posted to the window
// (press, leave, re-enter, release outside), toggling, keys, and the bevels read back from
// the window's drawing log as rectangles with their pen colour, width and brush; a disabled
// picture button's picture read back from the window's pixels under its hatch.
#include "frm/views/cbutton.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/core/ctdivalue.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cimage.h"
#include "frm/views/viewsvc.h"
#include "vkobase/surface_debug.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

constexpr long kUp = 1001;
constexpr long kDown = 1002;
constexpr long kIn = 1003;
constexpr long kOut = 1004;

// One rectangle of the log with the tools it was drawn with.
struct Rect {
    int left, top, right, bottom;
    COLOR pen;
    int width;
    int brush;
    bool operator==(const Rect& other) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    char text[96];
    std::snprintf(text, sizeof text, "(%d,%d,%d,%d pen %08x w%d brush %d)", r.left, r.top,
                  r.right, r.bottom, static_cast<unsigned>(r.pen), r.width, r.brush);
    return out << text;
}

class ButtonTest : public frmtest::ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        itsPanel = new frmtest::CommandPanel(itsWindow);   // the window owns it
    }
    FRM_CButton* NewButton(short togglable)
    {
        auto* button = new FRM_CButton(itsPanel, FRM_CRect(20, 20, 80, 44), togglable);
        button->SetCommands(kUp, kDown, kIn, kOut);
        return button;
    }
    void Mouse(e_event type, int h, int v) { Post(itsHandle, type, s_pnt{static_cast<int16_t>(v), static_cast<int16_t>(h)}); }

    std::vector<Rect> Rects() const
    {
        std::vector<Rect> rects;
        for (const vkov_draw_log_entry& entry : Log(itsHandle)) {
            if (std::string(entry.op) != "draw_rect")
                continue;
            int top = 0, left = 0, bottom = 0, right = 0;
            std::sscanf(entry.args, "%d,%d,%d,%d", &top, &left, &bottom, &right);
            rects.push_back({left, top, right, bottom, entry.pen.color, entry.pen.width,
                             static_cast<int>(entry.brush.pat)});
        }
        return rects;
    }
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const vkov_draw_log_entry& entry : Log(itsHandle))
            if (std::string(entry.op) == "draw_line")
                lines.push_back(entry.args);
        return lines;
    }
    bool Drew(const Rect& wanted) const
    {
        for (const Rect& r : Rects())
            if (r == wanted)
                return true;
        return false;
    }

    frmtest::CommandPanel* itsPanel = nullptr;
};

TEST_F(ButtonTest, PressLeaveReenterAndReleaseOutside)
{
    FRM_CButton* button = NewButton(0);
    struct Step {
        const char* why;
        e_event type;
        int h, v;
        std::vector<long> commands;
        short down;
    };
    const Step steps[] = {
        {"press inside", E_MOUSE_DOWN, 30, 30, {kIn, kDown}, 1},
        {"leave", E_MOUSE_MOVE, 150, 150, {kOut}, 0},
        {"re-enter", E_MOUSE_MOVE, 40, 30, {kIn}, 1},
        {"leave again", E_MOUSE_MOVE, 150, 150, {kOut}, 0},
        {"release outside", E_MOUSE_UP, 150, 150, {}, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        itsPanel->commands.clear();
        Mouse(step.type, step.h, step.v);
        EXPECT_EQ(itsPanel->commands, step.commands);
        EXPECT_EQ(button->IsDown(), step.down);
        // A plain button's contents sit one pixel lower while the face is down.
        EXPECT_EQ(button->GetContentOffset(), FRM_CPoint(3.0F + step.down, 3.0F + step.down));
    }
    EXPECT_EQ(button->GetToggleState(), FRM_CButton::kUp);
    EXPECT_EQ(button->IsPressed(), 0);
}

TEST_F(ButtonTest, ToggleClickShiftsTheContentsAndFlipsTheState)
{
    FRM_CButton* button = NewButton(1);
    FRM_CView* content = new FRM_CView(button, FRM_CRect(0, 0, 10, 10), FRM_CStringRW());
    const FRM_CPoint rest = content->GetGlobalOrigin();
    EXPECT_EQ(rest, FRM_CPoint(23, 23));

    vkov_debug_draw_log_clear(itsHandle);
    Mouse(E_MOUSE_DOWN, 30, 30);
    EXPECT_EQ(content->GetGlobalOrigin(), FRM_CPoint(25, 25)) << "2 pixels while held";
    // The pressed band along the top and the left, in the shadow colour.
    EXPECT_TRUE(Drew({21, 21, 79, 24, FRM_CButton::kGrey, 0, 2}));
    EXPECT_TRUE(Drew({21, 21, 24, 43, FRM_CButton::kGrey, 0, 2}));

    itsPanel->commands.clear();
    Mouse(E_MOUSE_UP, 30, 30);
    EXPECT_EQ(button->GetToggleState(), FRM_CButton::kDown);
    EXPECT_EQ(itsPanel->commands, std::vector<long>{kUp});
    EXPECT_EQ(content->GetGlobalOrigin(), FRM_CPoint(24, 24)) << "state 1 rests 1 pixel lower";

    // A second click goes back to state 0 and to the resting place.
    Mouse(E_MOUSE_DOWN, 30, 30);
    EXPECT_EQ(content->GetGlobalOrigin(), FRM_CPoint(25, 25));
    Mouse(E_MOUSE_UP, 30, 30);
    EXPECT_EQ(button->GetToggleState(), FRM_CButton::kUp);
    EXPECT_EQ(content->GetGlobalOrigin(), rest);

    // The bound value sets the state the same way; the unknown state stays where it is.
    const FRM_CTdiBooleanValue on(true, nullptr, 20001);
    button->DoUpdateModel(0, 20001, &on);
    EXPECT_EQ(button->GetToggleState(), FRM_CButton::kDown);
    EXPECT_EQ(content->GetGlobalOrigin(), FRM_CPoint(24, 24));
    button->SetToggleState(FRM_CButton::kUnknown);
    EXPECT_EQ(content->GetGlobalOrigin(), rest);
}

TEST_F(ButtonTest, EnterAndSpacePressWithoutToggling)
{
    FRM_CButton* button = NewButton(1);
    const std::uint16_t keys[] = {13, 32};
    for (std::uint16_t key : keys) {
        itsPanel->commands.clear();
        button->Key(FRM_CKey(key, 0, 0, 0, 0));
        EXPECT_EQ(itsPanel->commands, (std::vector<long>{kDown, kUp})) << key;
        EXPECT_EQ(button->GetToggleState(), FRM_CButton::kUp);
        EXPECT_EQ(button->GetContentOffset(), FRM_CPoint(3, 3));
    }
    button->SetCommands(kNoCommand, kNoCommand, kIn, kOut);
    itsPanel->commands.clear();
    button->Key(FRM_CKey(13, 0, 0, 0, 0));
    EXPECT_TRUE(itsPanel->commands.empty()) << "the null command is never sent";
}

TEST_F(ButtonTest, BevelsFollowTheState)
{
    FRM_CButton* button = NewButton(1);
    const COLOR grey = FRM_CButton::kGrey;
    const COLOR white = FRM_CButton::kWhite;
    const COLOR face = FRM_CButton::kLightGrey;
    const COLOR black = FRM_CButton::kBlack;
    struct Case {
        const char* why;
        FRM_CButton::ToggleState state;
        int shift;   // how far the contents and the face sit lower
        std::vector<Rect> wanted;
    };
    // The frame is (20, 20, 80, 44): L 20, T 20, R 80, B 44.
    const Case cases[] = {
        {"raised", FRM_CButton::kUp, 0,
         {{77, 21, 79, 43, grey, 1, 2}, {21, 41, 79, 43, grey, 1, 2},
          {21, 21, 78, 22, white, 1, 2}, {21, 21, 22, 42, white, 1, 2}}},
        {"sunken", FRM_CButton::kDown, 1, {{22, 22, 79, 43, grey, 1, 1}, {21, 21, 79, 43, grey, 1, 1}}},
        {"flat", FRM_CButton::kUnknown, 0, {{21, 21, 79, 43, face, 1, 1}, {21, 21, 78, 42, face, 1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        button->SetToggleState(c.state);
        vkov_debug_draw_log_clear(itsHandle);
        button->DoDraw(frm_views::MaxRect());
        for (const Rect& r : c.wanted)
            EXPECT_TRUE(Drew(r)) << r;
        // The border: face-coloured corners and frame-coloured edges.
        EXPECT_TRUE(Drew({20, 20, 21, 21, face, 1, 2}));
        EXPECT_TRUE(Drew({21, 20, 79, 21, black, 1, 2}));
        EXPECT_TRUE(Drew({79, 21, 80, 43, black, 1, 2}));
        // The face itself, inside the border.
        EXPECT_TRUE(Drew({22 + c.shift, 22 + c.shift, 77 + c.shift, 41 + c.shift, face, 1, 2}));
    }
}

TEST_F(ButtonTest, KeyFocusWhitensTheEdgesAndDisabledHatches)
{
    FRM_CButton* button = NewButton(0);
    const COLOR face = FRM_CButton::kLightGrey;
    itsPanel->SetKeyFocus(button);
    vkov_debug_draw_log_clear(itsHandle);
    button->DoDraw(frm_views::MaxRect());
    EXPECT_TRUE(Drew({21, 20, 79, 21, FRM_CButton::kWhite, 1, 2}));

    button->SetEnabled(0, 0);
    EXPECT_FALSE(button->IsInButton(FRM_CPoint(5, 5)));
    vkov_debug_draw_log_clear(itsHandle);
    button->DoDraw(frm_views::MaxRect());
    EXPECT_TRUE(Drew({20, 20, 80, 44, face, 1, 1})) << "the border in the face colour";
    const std::vector<std::string> lines = Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "20,20,20,20");
    // Rising diagonals two pixels apart reach the bottom-right corner.
    EXPECT_EQ(lines.size(), 41U);
    for (const vkov_draw_log_entry& entry : Log(itsHandle)) {
        if (std::string(entry.op) == "draw_line") {
            EXPECT_EQ(entry.pen.color, face);
        }
    }

    button->SetEnabled(1, 0);
    EXPECT_TRUE(button->IsInButton(FRM_CPoint(5, 5)));
    EXPECT_FALSE(button->IsInButton(FRM_CPoint(61, 5)));
}

TEST_F(ButtonTest, TitledButtonSizesToItsText)
{
    auto* button = new FRM_CButton(itsPanel, FRM_CPoint(10, 100), FRM_CStringRW("Search"), 0);
    ASSERT_EQ(button->GetNumViews(), 1);
    const FRM_CRect text = button->GetSubviews() == nullptr
                               ? FRM_CRect()
                               : static_cast<FRM_CView*>((*button->GetSubviews())[0])->GetFrame();
    EXPECT_EQ(button->GetFrame(),
              FRM_CRect(10, 100, 10 + text.Width() + 7, 100 + text.Height() + 7));
    button->SetTitle(FRM_CStringRW("Find"));
    EXPECT_EQ(std::string(static_cast<FRM_CView*>((*button->GetSubviews())[0])->GetTitle().data()),
              "Find");
    // Clicks never reach the contents.
    EXPECT_EQ(button->FindDeepSubview(FRM_CPoint(15, 105)), button);
}

TEST_F(ButtonTest, ImageButtonPaintsItsFaceOverThePictureUntilResized)
{
    FRM_CImage image(VKO_IMAGE_RGB, 16, 16);
    auto* button = new FRM_CButton(itsPanel, FRM_CPoint(100, 100), image, 0);
    EXPECT_EQ(button->GetFrame(), FRM_CRect(100, 100, 123, 123)) << "the picture plus 7 pixels";
    const COLOR face = FRM_CButton::kLightGrey;
    // The face rectangle: hollow and without pen while it lies over the picture.
    vkov_debug_draw_log_clear(itsHandle);
    button->DoDraw(frm_views::MaxRect());
    EXPECT_TRUE(Drew({102, 102, 120, 120, face, 0, 1}));
    button->Size(FRM_CRect(100, 100, 133, 123));
    vkov_debug_draw_log_clear(itsHandle);
    button->DoDraw(frm_views::MaxRect());
    EXPECT_TRUE(Drew({102, 102, 130, 120, face, 1, 2})) << "painted first again after a resize";
}

TEST_F(ButtonTest, ADisabledImageButtonStillShowsItsPictureUnderTheHatch)
{
    constexpr std::uint32_t kInk = 0x1F4F9Fu;
    FRM_CImage image(VKO_IMAGE_RGB, 16, 16);
    image.FillRect(kInk, FRM_CRect(0, 0, 16, 16));
    auto* button = new FRM_CButton(itsPanel, FRM_CPoint(100, 100), image, 0);
    ASSERT_EQ(button->GetNumViews(), 1);
    const FRM_CRect picture =
        static_cast<FRM_CView*>((*button->GetSubviews())[0])->GetGlobalFrame();
    // How many of the picture's pixels show its own colour on the window.
    auto inkShown = [&] {
        int shown = 0;
        for (int y = static_cast<int>(picture.Top()); y < static_cast<int>(picture.Bottom()); ++y)
            for (int x = static_cast<int>(picture.Left()); x < static_cast<int>(picture.Right()); ++x)
                shown += (vkov_debug_surface_pixel(itsHandle, x, y) & 0xFFFFFFu) == kInk ? 1 : 0;
        return shown;
    };
    // Disabled from the start, so nothing of an earlier drawing stays on the window.
    button->SetEnabled(0, 0);
    button->DoDraw(frm_views::MaxRect());
    const int disabled = inkShown();
    EXPECT_GT(disabled, 16 * 16 / 4) << "the picture is still there";
    EXPECT_LT(disabled, 16 * 16) << "and dimmed by the hatch";

    button->SetEnabled(1, 0);
    button->DoDraw(frm_views::MaxRect());
    EXPECT_EQ(inkShown(), 16 * 16);
}

} // namespace
