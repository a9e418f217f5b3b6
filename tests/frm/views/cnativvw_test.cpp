// Tests of the native view base and its control delegate over real base-library controls:
// creation flags, hidden and disabled states kept across re-creation, moves, titles, events
// from a real click reaching DoHit, and the delegate's editing switches and identity.
#include "frm/views/cnativvw.h"

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/views/cctldelg.h"
#include "frm/views/nscrllbr.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cclipwin.h"
#include "frm/runtime/cnav.h"
#include "frm/views/csubview.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

// A push button that records its control events.
class RecordingButton : public FRM_CNativeView {
public:
    RecordingButton(FRM_CSubview* enclosure, const FRM_CRect& frame, std::int32_t attributes,
                    const char* title = "OK")
        : FRM_CNativeView(enclosure, frame, WC_PUSHBUTTON, attributes, FRM_CStringRW(title))
    {
    }
    void DoHit(const s_ctlinfo& info) override { hits.push_back(info); }
    using FRM_CNativeView::CreateControl;

    std::vector<s_ctlinfo> hits;
};

// A push button that takes the keys, as the toolkit's buttons do.
class FocusButton : public RecordingButton {
public:
    using RecordingButton::RecordingButton;
    short ClassCanGetKeyFocus() const override { return 1; }
};

class NativeViewTest : public frmtest::ControlsFixture {};

TEST_F(NativeViewTest, CreationFlagsGiveHiddenOrDisabledControls)
{
    struct Case {
        const char* why;
        std::int32_t flags;
        bool hidden;
        bool disabled;
    };
    const Case cases[] = {
        {"plain", 0, false, false},
        {"invisible", FRM_CNativeView::kInvisible, true, false},
        {"disabled", FRM_CNativeView::kCreateDisabled, false, true},
        {"both", FRM_CNativeView::kInvisible | FRM_CNativeView::kCreateDisabled, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), c.flags);
        WINDOW control = button.GetVKOWindow();
        ASSERT_NE(control, nullptr);
        EXPECT_NE(control, itsHandle);
        EXPECT_EQ(vko_vobj_get_data(control), reinterpret_cast<intptr_t>(&button));
        EXPECT_EQ(IsHidden(control), c.hidden);
        EXPECT_EQ(IsDisabled(control), c.disabled);
        EXPECT_EQ(button.IsVisible() != 0, !c.hidden);
        EXPECT_EQ(button.IsEnabled() != 0, !c.disabled);
        EXPECT_EQ(button.GetGlue(), FRM_CNativeView::kDefaultGlue);
    }
}

TEST_F(NativeViewTest, HideAndDisableFollowTheViewAndMarkTheFlags)
{
    RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    WINDOW control = button.GetVKOWindow();
    button.Hide();
    button.Disable();
    EXPECT_TRUE(IsHidden(control));
    EXPECT_TRUE(IsDisabled(control));
    EXPECT_EQ(button.GetAttributes(), FRM_CNativeView::kInvisible | FRM_CNativeView::kDisabled);
    button.Show();
    button.Enable();
    EXPECT_FALSE(IsHidden(control));
    EXPECT_FALSE(IsDisabled(control));
    EXPECT_EQ(button.GetAttributes(), 0);
    button.SetGlue(0);
    EXPECT_EQ(button.GetGlue(), FRM_CNativeView::kDefaultGlue);
}

TEST_F(NativeViewTest, DisablingTheFocusedControlPassesTheFocusOnAsTabWould)
{
    struct Case {
        const char* why;
        int focused;
        std::vector<int> disabled; // in this order
        int expected;              // the control that has the focus then
    };
    const Case cases[] = {
        {"to the next control", 1, {1}, 2},
        {"past a disabled one", 0, {1, 0}, 2},
        {"from the last round to the first", 2, {2}, 0},
        {"a control without the focus leaves it where it is", 0, {2}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<std::unique_ptr<FocusButton>> buttons;
        for (int i = 0; i < 3; ++i)
            buttons.push_back(std::make_unique<FocusButton>(
                itsWindow, FRM_CRect(10.0f + 80 * i, 10, 80.0f + 80 * i, 30), 0));
        FRM_CNavigator* navigator = itsWindow->GetNavigator();
        navigator->ClearTabStops();
        navigator->AppendSubviews(itsWindow);
        navigator->FindTabStopHavingView(buttons[static_cast<std::size_t>(c.focused)].get())->Activate();
        ASSERT_EQ(vko_scr_get_focus_vobj(), buttons[static_cast<std::size_t>(c.focused)]->GetVKOWindow());
        for (int i : c.disabled)
            buttons[static_cast<std::size_t>(i)]->Disable();
        EXPECT_EQ(vko_scr_get_focus_vobj(), buttons[static_cast<std::size_t>(c.expected)]->GetVKOWindow());
        EXPECT_EQ(itsWindow->GetKeyFocus(), buttons[static_cast<std::size_t>(c.expected)].get());
        navigator->ClearTabStops();
    }
}

TEST_F(NativeViewTest, NewAttributesRecreateTheControlKeepingHiddenAndDisabled)
{
    RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    button.Hide();
    button.Disable();
    WINDOW first = button.GetVKOWindow();
    const std::uint64_t firstSerial = vkov_test_live_serial(first);
    button.SetAttributes(button.GetAttributes());
    EXPECT_EQ(vkov_test_live_serial(button.GetVKOWindow()), firstSerial)
        << "the same flags keep the control";

    // Only the invisible bit travels in the flags; the disabled state must follow too.
    button.SetAttributes(FRM_CNativeView::kInvisible);
    WINDOW second = button.GetVKOWindow();
    ASSERT_NE(second, nullptr);
    // A new control, and the old one gone (the new one may have its address).
    EXPECT_GT(vkov_test_live_serial(second), firstSerial);
    EXPECT_NE(vkov_test_live_serial(first), firstSerial);
    EXPECT_EQ(vko_vobj_get_data(second), reinterpret_cast<intptr_t>(&button));
    EXPECT_TRUE(IsHidden(second));
    EXPECT_TRUE(IsDisabled(second));
    EXPECT_EQ(button.GetVKOType(), WC_PUSHBUTTON);
}

TEST_F(NativeViewTest, CreatingOverAnExistingControlClosesTheOldOne)
{
    FrmErrorCapture errors;
    RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    WINDOW first = button.GetVKOWindow();
    const std::uint64_t firstSerial = vkov_test_live_serial(first);
    button.CreateControl();
    ASSERT_EQ(errors.Reports().size(), 1U);
    EXPECT_EQ(errors.Reports()[0].code, 1200);
    EXPECT_EQ(errors.Reports()[0].file, "cnativvw");
    EXPECT_NE(vkov_test_live_serial(first), firstSerial) << "no orphan control names the view";
    EXPECT_TRUE(vko_vobj_is_valid(button.GetVKOWindow()));
}

TEST_F(NativeViewTest, SizeMovesTheControlInsideItsWindowAndSubview)
{
    RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    const s_rct created = PlaceOf(button.GetVKOWindow());
    EXPECT_EQ(created.left, 10);
    EXPECT_EQ(created.top, 10);
    EXPECT_EQ(created.right, 80);
    EXPECT_EQ(created.bottom, 30);
    button.Size(FRM_CRect(20, 40, 120, 64));
    const s_rct moved = PlaceOf(button.GetVKOWindow());
    EXPECT_EQ(moved.left, 20);
    EXPECT_EQ(moved.top, 40);
    EXPECT_EQ(moved.right, 120);
    EXPECT_EQ(moved.bottom, 64);

    // Inside a subview the control is cut to what the subview shows.
    FRM_CSubview panel(itsWindow, FRM_CRect(100, 100, 200, 150));
    RecordingButton inner(&panel, FRM_CRect(60, 10, 160, 30), 0);
    const s_rct cut = PlaceOf(inner.GetVKOWindow());
    EXPECT_EQ(cut.left, 160);
    EXPECT_EQ(cut.right, 200);
    EXPECT_EQ(cut.top, 110);
    EXPECT_EQ(cut.bottom, 130);
}

TEST_F(NativeViewTest, MovingToAnotherWindowRecreatesTheControl)
{
    FRM_CSubview here(itsWindow, FRM_CRect(0, 0, 100, 100));
    auto* button = new RecordingButton(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    button->Disable();
    WINDOW first = button->GetVKOWindow();
    const std::uint64_t firstSerial = vkov_test_live_serial(first);
    button->SetEnclosure(&here);
    EXPECT_EQ(vkov_test_live_serial(button->GetVKOWindow()), firstSerial)
        << "same window, same control";

    FRM_CWindow* other = NewWindow("other", 200, 100);
    button->SetEnclosure(other);
    WINDOW moved = button->GetVKOWindow();
    ASSERT_NE(moved, nullptr);
    EXPECT_GT(vkov_test_live_serial(moved), firstSerial);
    EXPECT_EQ(vko_vobj_get_parent(moved), other->GetVKOWindow());
    EXPECT_TRUE(IsDisabled(moved));
    delete button;
    EXPECT_FALSE(vko_vobj_is_valid(moved));
}

TEST_F(NativeViewTest, TitleIsTheControlsOwnText)
{
    RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), 0, "Look up");
    EXPECT_EQ(std::string(button.GetTitle().data()), "Look up");
    button.SetTitle(FRM_CStringRW("Find"));
    char text[64] = {};
    vko_vobj_get_title(button.GetVKOWindow(), text, sizeof text);
    EXPECT_STREQ(text, "Find");
    // A title the toolkit changed is what the view reports, cut at 510 characters.
    const std::string longTitle(600, 'w');
    vko_vobj_set_title(button.GetVKOWindow(), longTitle.c_str());
    EXPECT_EQ(std::string(button.GetTitle().data()), longTitle.substr(0, 510));
}

// Assignment gives the view a new control of its own like the source's; the source keeps its
// control and its clicks, and the view's old control goes.
TEST_F(NativeViewTest, AnAssignedViewGetsAControlOfItsOwn)
{
    RecordingButton source(itsWindow, FRM_CRect(10, 10, 80, 30), 0, "Apply");
    RecordingButton target(itsWindow, FRM_CRect(100, 40, 170, 60), 0, "OK");
    source.Disable();
    WINDOW sourceControl = source.GetVKOWindow();
    WINDOW oldControl = target.GetVKOWindow();
    const std::uint64_t sourceSerial = vkov_test_live_serial(sourceControl);
    const std::uint64_t oldSerial = vkov_test_live_serial(oldControl);

    target = source;

    EXPECT_EQ(source.GetVKOWindow(), sourceControl);
    EXPECT_EQ(vkov_test_live_serial(sourceControl), sourceSerial) << "the source's control lives";
    EXPECT_EQ(vko_vobj_get_data(sourceControl), reinterpret_cast<intptr_t>(&source));
    EXPECT_NE(vkov_test_live_serial(oldControl), oldSerial) << "no orphan control names the view";
    WINDOW control = target.GetVKOWindow();
    ASSERT_NE(control, nullptr);
    EXPECT_GT(vkov_test_live_serial(control), sourceSerial);
    EXPECT_EQ(vko_vobj_get_data(control), reinterpret_cast<intptr_t>(&target));
    char text[64] = {};
    vko_vobj_get_title(control, text, sizeof text);
    EXPECT_STREQ(text, "Apply");
    const s_rct place = PlaceOf(control);
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(place.top, 10);
    EXPECT_TRUE(IsDisabled(control));

    // Each control's clicks reach its own view.
    source.Enable();
    target.Enable();
    source.hits.clear();
    target.hits.clear();
    Click(sourceControl, s_pnt{5, 5});
    EXPECT_EQ(source.hits.size(), 1U);
    EXPECT_EQ(target.hits.size(), 0U);
    Click(control, s_pnt{5, 5});
    EXPECT_EQ(target.hits.size(), 1U);
}

TEST_F(NativeViewTest, ARealClickReachesDoHit)
{
    RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    Click(button.GetVKOWindow(), s_pnt{5, 5});
    ASSERT_EQ(button.hits.size(), 1U);
    EXPECT_EQ(button.hits[0].type, WC_PUSHBUTTON);
    EXPECT_EQ(button.hits[0].win, button.GetVKOWindow());

    // A disabled control sends nothing.
    button.Disable();
    Click(button.GetVKOWindow(), s_pnt{5, 5});
    EXPECT_EQ(button.hits.size(), 1U);
}

TEST_F(NativeViewTest, SurrogateClippingPutsControlsInSubviewsInAClipWindow)
{
    EXPECT_EQ(FRM_CNativeView::EnableSurrogateClipping(), 0);
    FRM_CSubview panel(itsWindow, FRM_CRect(100, 100, 200, 150));
    RecordingButton clipped(&panel, FRM_CRect(60, 10, 160, 30), FRM_CNativeView::kInvisible);
    RecordingButton direct(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    EXPECT_EQ(FRM_CNativeView::DisableSurrogateClipping(), 1);

    ASSERT_NE(clipped.GetClippingWindow(), nullptr);
    EXPECT_EQ(direct.GetClippingWindow(), nullptr) << "a control in its window needs none";
    WINDOW clip = clipped.GetClippingWindow()->GetVKOWindow();
    const std::uint64_t clipSerial = vkov_test_live_serial(clip);
    EXPECT_EQ(vko_vobj_get_parent(clipped.GetVKOWindow()), clip);
    EXPECT_EQ(vko_vobj_get_parent(clip), itsHandle);
    EXPECT_TRUE(IsHidden(clip)) << "made hidden with its control";
    const s_rct cut = PlaceOf(clip);
    EXPECT_EQ(cut.left, 160);
    EXPECT_EQ(cut.right, 200);

    clipped.Show();
    EXPECT_FALSE(IsHidden(clip));
    // Events of the control still reach the view through the clip window.
    Click(clipped.GetVKOWindow(), s_pnt{5, 5});
    EXPECT_EQ(clipped.hits.size(), 1U);
    // Re-creation makes a new clip window and drops the old one.
    clipped.SetAttributes(0x100);
    EXPECT_NE(vkov_test_live_serial(clip), clipSerial);
    EXPECT_EQ(clipped.GetClippingWindow(), nullptr) << "clipping is off for new controls";
}

TEST_F(NativeViewTest, DelegateKeepsTheControlDisabledWhileEitherSwitchIsOn)
{
    RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    struct Step {
        const char* why;
        bool sizing;
        short on;
        bool enabledAfter;
    };
    const Step steps[] = {
        {"sizing on", true, 1, false},
        {"dragging on", false, 1, false},
        {"dragging off while sizing", false, 0, false},
        {"sizing off too", true, 0, true},
        {"dragging alone", false, 1, false},
        {"dragging off", false, 0, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        if (step.sizing)
            button.SetSizing(step.on);
        else
            button.SetDragging(step.on);
        EXPECT_EQ(button.IsEnabled() != 0, step.enabledAfter);
        EXPECT_EQ(IsDisabled(button.GetVKOWindow()), !step.enabledAfter);
    }
}

TEST_F(NativeViewTest, DelegatesAreEqualByTheirView)
{
    RecordingButton a(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    RecordingButton b(itsWindow, FRM_CRect(10, 40, 80, 60), 0);
    FRM_CControlDelegate first(&a);
    FRM_CControlDelegate second(&a);
    FRM_CControlDelegate other(&b);
    EXPECT_TRUE(first.isEqual(&second));
    EXPECT_EQ(first.hash(), second.hash());
    EXPECT_FALSE(first.isEqual(&other));
    RWCollectable plain;
    EXPECT_FALSE(first.isEqual(&plain));
    EXPECT_EQ(first.isA(), 20120U);
    std::unique_ptr<RWCollectable> made(getRWFactory()->create(20120));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), 20120U);
    EXPECT_EQ(first.GetBoss(), &a);
    ASSERT_NE(a.GetDelegate(), nullptr);
    EXPECT_TRUE(a.GetDelegate()->isEqual(&first));
}

} // namespace

namespace {

// An environment gives a control only the colours it sets, and its font only to controls
// that show text.
TEST_F(NativeViewTest, EnvironmentPushesItsSetColoursAndItsFontIntoTheControl)
{
    constexpr unsigned long kRed = 0x01FF0000ul;
    constexpr unsigned long kGreen = 0x0200FF00ul;
    constexpr e_color_component kComponents[] = {2, 4, 8, 16, 32, 64, 128};
    RecordingButton button(itsWindow, FRM_CRect(10, 10, 80, 30), 0);
    FRM_NScrollBar bar(itsWindow, FRM_CRect(100, 10, 116, 90), VERTICAL, 0);
    const WINDOW buttonHandle = button.GetVKOWindow();
    const WINDOW barHandle = bar.GetVKOWindow();
    std::vector<COLOR> before;
    for (e_color_component component : kComponents)
        before.push_back(vko_ctl_get_color_component(buttonHandle, component));
    const FONT_OBJ barFont = vko_ctl_get_font(barHandle);

    button.SetEnvironment(FRM_CEnvironment(), 0);
    for (std::size_t i = 0; i < std::size(kComponents); ++i)
        EXPECT_EQ(vko_ctl_get_color_component(buttonHandle, kComponents[i]), before[i])
            << "a default environment sets no colour: component " << kComponents[i];

    FRM_CEnvironment colours;
    colours.SetForegroundColor(kRed, FRM_CEnvironment::kBlack);
    colours.SetTroughColor(kGreen);
    button.SetEnvironment(colours, 0);
    bar.SetEnvironment(colours, 0);
    EXPECT_EQ(vko_ctl_get_color_component(buttonHandle, 2), kRed);
    EXPECT_EQ(vko_ctl_get_color_component(buttonHandle, 64), kGreen);
    EXPECT_EQ(vko_ctl_get_color_component(buttonHandle, 4), before[1]) << "background unset";
    EXPECT_EQ(vko_ctl_get_color_component(barHandle, 64), kGreen);
    EXPECT_NE(vko_ctl_get_font(buttonHandle), nullptr) << "the button shows its title in the font";
    EXPECT_EQ(vko_ctl_get_font(barHandle), barFont) << "a scroll bar has no font to set";
}

} // namespace
