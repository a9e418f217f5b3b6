// Tests of keyboard navigation over native controls with real input: a Tab that a focused
// control has no use for reaches the window's navigator, and a hot key works the control it
// names as a click would.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/controls/nctrls.h"
#include "frm/runtime/cnav.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

constexpr std::uint16_t kTab = 9;
constexpr long kGo = 1201;

// A push button that keeps the commands it sends.
class PressedButton : public FRM_NButton {
public:
    PressedButton(FRM_CSubview* enclosure, const FRM_CRect& frame, const char* title)
        : FRM_NButton(enclosure, frame, FRM_CStringRW(title), 0)
    {
    }
    void DoCommand(long command, void*) override { commands.push_back(command); }
    std::vector<long> commands;
};

class ControlNavigationTest : public frmtest::ControlsFixture {
protected:
    // Alt with a character, as the display sends it.
    static void AltKey(WINDOW target, std::uint16_t character)
    {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = character;
        event.v.chr.modifiers = 8;
        vkov_test_post_event(target, &event);
        vkok_app_process_pending_events();
    }
};

TEST_F(ControlNavigationTest, TabInAFocusedControlMovesTheFocusToTheNextControlAndAround)
{
    const std::vector<FRM_CNativeView*> controls = {
        new FRM_NButton(itsWindow, FRM_CRect(10, 10, 90, 34), FRM_CStringRW("Go"), 0),
        new FRM_NCheckBox(itsWindow, FRM_CRect(10, 40, 120, 60), FRM_CStringRW("Exact"), 0),
        new FRM_NEditControl(itsWindow, FRM_CRect(10, 70, 200, 92), FRM_CStringRW("word"), 0),
        new FRM_NButton(itsWindow, FRM_CRect(10, 100, 90, 124), FRM_CStringRW("Stop"), 0),
    };
    vko_scr_set_focus_vobj(controls[0]->GetVKOWindow());
    vkok_app_process_pending_events();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const std::size_t next = (i + 1) % controls.size();
        Key(vko_scr_get_focus_vobj(), kTab);
        EXPECT_EQ(vko_scr_get_focus_vobj(), controls[next]->GetVKOWindow())
            << "Tab from control " << i;
        EXPECT_EQ(itsWindow->GetKeyFocus(), controls[next]) << "Tab from control " << i;
    }
    auto* edit = static_cast<FRM_NEditControl*>(controls[2]);
    EXPECT_EQ(std::string(edit->GetTitle().data()), "word") << "Tab typed nothing into the field";
}

TEST_F(ControlNavigationTest, HotKeyFocusesItsControlAndWorksItAsAClick)
{
    auto* field = new FRM_NEditControl(itsWindow, FRM_CRect(10, 10, 200, 32), FRM_CStringRW(""), 0);
    auto* button = new PressedButton(itsWindow, FRM_CRect(10, 40, 90, 64), "~Go");
    button->SetCommand(kGo);
    auto* box = new FRM_NCheckBox(itsWindow, FRM_CRect(10, 70, 120, 90), FRM_CStringRW("E~xact"), 0);
    vko_scr_set_focus_vobj(field->GetVKOWindow());
    vkok_app_process_pending_events();

    AltKey(vko_scr_get_focus_vobj(), 'g');
    EXPECT_EQ(vko_scr_get_focus_vobj(), button->GetVKOWindow());
    EXPECT_EQ(button->commands, std::vector<long>{kGo}) << "the hot key pressed the button";
    EXPECT_EQ(std::string(field->GetTitle().data()), "") << "and typed nothing into the field";

    AltKey(vko_scr_get_focus_vobj(), 'X');
    EXPECT_EQ(vko_scr_get_focus_vobj(), box->GetVKOWindow());
    EXPECT_TRUE(box->IsSelected()) << "the hot key ticked the box";

    AltKey(vko_scr_get_focus_vobj(), 'x');
    EXPECT_TRUE(box->IsSelected()) << "the hot key of the focused control does nothing more";
    EXPECT_EQ(button->commands.size(), 1u);
}

} // namespace
