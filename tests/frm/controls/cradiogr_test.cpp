// Tests of radio groups with real radio buttons: selection by id, title and click (the
// toolkit checks exactly one button), the bound value, layout from string resources, border
// space, removal, and keyboard navigation that enters at the selected button.
#include "frm/controls/cradiogr.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/core/ctdivalue.h"
#include "frm/runtime/cnav.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

class RadioGroupTest : public frmtest::ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        itsPanel = new frmtest::CommandPanel(itsWindow);
        itsGroup = new FRM_CRadioGroup(itsPanel, FRM_CPoint(10, 10), 1);
        const char* titles[] = {"Noun", "Verb", "Adjective"};
        for (int i = 0; i < 3; ++i)
            itsIds.push_back(itsGroup->AddButton(FRM_CPoint(0, 24.0F * static_cast<float>(i)),
                                                 FRM_CStringRW(titles[i]), 1301 + i, 0, 0));
    }
    std::vector<bool> Checked() const
    {
        std::vector<bool> checked;
        for (long id : itsIds)
            checked.push_back(vko_ctl_is_checked(itsGroup->FindSubview(id)->GetVKOWindow()) != FALSE);
        return checked;
    }

    frmtest::CommandPanel* itsPanel = nullptr;
    FRM_CRadioGroup* itsGroup = nullptr;
    std::vector<long> itsIds;
};

TEST_F(RadioGroupTest, SelectionChecksExactlyOneButton)
{
    EXPECT_EQ(itsGroup->GetSelectedButton(), -1);
    itsGroup->SetSelectedButton(99999L);
    EXPECT_EQ(itsGroup->GetSelectedButton(), -1) << "an unknown id selects nothing";

    itsGroup->SetSelectedButton(itsIds[2]);
    EXPECT_EQ(Checked(), (std::vector<bool>{false, false, true}));
    itsGroup->SetSelectedButton(FRM_CStringRW("Noun"));
    EXPECT_EQ(itsGroup->GetSelectedButton(), itsIds[0]);
    EXPECT_EQ(Checked(), (std::vector<bool>{true, false, false}));

    // A click on the second button selects it and sends its command.
    itsPanel->commands.clear();
    Click(itsGroup->FindSubview(itsIds[1])->GetVKOWindow(), s_pnt{5, 5});
    EXPECT_EQ(itsGroup->GetSelectedButton(), itsIds[1]);
    EXPECT_EQ(Checked(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(itsPanel->commands, std::vector<long>{1302});

    // The bound value selects by title.
    const FRM_CTdiStringValue value(FRM_CStringRW("Adjective"), nullptr, 20002);
    itsGroup->DoUpdateModel(0, 20002, &value);
    EXPECT_EQ(itsGroup->GetSelectedButton(), itsIds[2]);

    itsGroup->RemoveButton(-1);
    EXPECT_EQ(itsGroup->GetNumViews(), 3);
    itsGroup->RemoveButton(itsIds[2]);
    EXPECT_EQ(itsGroup->GetNumViews(), 2);
    EXPECT_EQ(itsGroup->GetSelectedButton(), -1);
}

TEST_F(RadioGroupTest, ButtonsFromStringResourcesAndBorderSpace)
{
    ASSERT_TRUE(vkov_res_register_text("radio_test", R"(
string 501 "Headwords"
string 502 "Definitions"
string 503 "Examples"
)"));
    auto* group = new FRM_CRadioGroup(itsPanel, FRM_CPoint(100, 100), 0);
    EXPECT_EQ(group->AddButtons(501, 0, 1400, 0, 0, 4, VERTICAL), -1);
    EXPECT_EQ(group->GetFrame(), FRM_CRect(100, 100, 104, 104)) << "inflated and moved by 2";

    auto* column = new FRM_CRadioGroup(itsPanel, FRM_CPoint(10, 120), 0);
    const long first = column->AddButtons(501, 3, 1400, 0, 2, 4, VERTICAL);
    ASSERT_NE(first, -1);
    EXPECT_EQ(column->GetNumViews(), 3);
    EXPECT_EQ(column->GetSelectedButton(), first + 1);
    EXPECT_EQ(std::string(column->FindSubview(first + 1)->GetTitle().data()), "Definitions");
    const float step = static_cast<float>(FRM_CRadioGroup::RBMinSize() + 4);
    EXPECT_FLOAT_EQ(column->FindSubview(first + 2)->GetFrame().Top() -
                        column->FindSubview(first + 1)->GetFrame().Top(),
                    step);

    auto* empty = new FRM_CRadioGroup(itsPanel, FRM_CPoint(0, 0), 0);
    empty->SetBorderSpace(5);
    EXPECT_EQ(empty->GetFrame(), FRM_CRect(0, 0, 11, 11));
    column->SetBorderSpace(6);
    EXPECT_FLOAT_EQ(column->FindSubview(first)->GetFrame().Top(), 6);
    EXPECT_FLOAT_EQ(column->FindSubview(first)->GetFrame().Left(), 6);
}

TEST_F(RadioGroupTest, NavigationEntersAtTheSelectedButtonAndSelectsOnMoving)
{
    itsGroup->SetSelectedButton(itsIds[1]);
    NRadioNavigator navigator(itsGroup);
    ASSERT_EQ(navigator.TabStopCount(), 3U);
    FRM_CTabStop* entered = navigator.PickTabStop();
    ASSERT_NE(entered, nullptr);
    EXPECT_EQ(entered->GetView()->GetId(), itsIds[1]);

    itsPanel->commands.clear();
    navigator.ActivateTabStop(navigator.GetTabStopAt(2));
    EXPECT_EQ(itsGroup->GetSelectedButton(), itsIds[2]);
    EXPECT_EQ(Checked(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(itsPanel->commands, std::vector<long>{1303});
}

FRM_CView* Child(const FRM_CRadioGroup& theGroup, std::size_t theIndex)
{
    return static_cast<FRM_CView*>((*theGroup.GetSubviews())[theIndex]);
}

TEST_F(RadioGroupTest, CopiesHaveTheirOwnButtonsAndSelection)
{
    itsGroup->FindSubview(itsIds[1])->SetGlue(0x5);
    itsGroup->SetSelectedButton(itsIds[1]);

    // Titles, places, commands and glue of the buttons of a group, in order.
    struct Button { std::string title; float left, top; long command; unsigned long glue; long id; };
    auto buttons = [](const FRM_CRadioGroup& group) {
        std::vector<Button> found;
        for (std::size_t i = 0; i < group.GetSubviews()->entries(); ++i) {
            const FRM_CView* view = Child(group, i);
            found.push_back({view->GetTitle().data(), view->GetFrame().Left(), view->GetFrame().Top(),
                             view->GetCommand(), view->GetGlue(), view->GetId()});
        }
        return found;
    };
    auto expectSameLayout = [&](const FRM_CRadioGroup& copy) {
        const std::vector<Button> want = buttons(*itsGroup);
        const std::vector<Button> got = buttons(copy);
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i) {
            EXPECT_EQ(got[i].title, want[i].title);
            EXPECT_EQ(got[i].left, want[i].left);
            EXPECT_EQ(got[i].top, want[i].top);
            EXPECT_EQ(got[i].command, want[i].command);
            EXPECT_EQ(got[i].glue, want[i].glue);
            EXPECT_NE(got[i].id, want[i].id) << "a copy has buttons of its own";
            EXPECT_NE(Child(copy, i)->GetVKOWindow(), Child(*itsGroup, i)->GetVKOWindow());
        }
        // The copy of the checked button is selected; the original keeps its own.
        EXPECT_EQ(copy.GetSelectedButton(), Child(copy, 1)->GetId());
        EXPECT_TRUE(vko_ctl_is_checked(Child(copy, 1)->GetVKOWindow()));
        EXPECT_EQ(itsGroup->GetSelectedButton(), itsIds[1]);
        EXPECT_EQ(Checked(), (std::vector<bool>{false, true, false}));
    };

    auto* copy = new FRM_CRadioGroup(*itsGroup);
    EXPECT_EQ(copy->GetEnclosure(), itsPanel);
    expectSameLayout(*copy);

    // Assignment replaces the group's own buttons rather than adding to them.
    auto* other = new FRM_CRadioGroup(itsPanel, FRM_CPoint(200, 10), 0);
    other->AddButton(FRM_CPoint(0, 0), FRM_CStringRW("Adverb"), 1400, 0, 0);
    *other = *itsGroup;
    expectSameLayout(*other);
    *other = *other;
    expectSameLayout(*other);

    // Nothing checked: the copy selects nothing.
    auto* empty = new FRM_CRadioGroup(itsPanel, FRM_CPoint(300, 10), 0);
    empty->AddButton(FRM_CPoint(0, 0), FRM_CStringRW("Noun"), 1301, 0, 0);
    const FRM_CRadioGroup* emptyCopy = new FRM_CRadioGroup(*empty);
    EXPECT_EQ(emptyCopy->GetSelectedButton(), -1);
    EXPECT_EQ(emptyCopy->GetNumViews(), 1);
}

TEST_F(RadioGroupTest, ACopiedButtonJoinsTheSameGroup)
{
    const auto* original = static_cast<const FRM_NRadioButton*>(itsGroup->FindSubview(itsIds[0]));
    auto* copy = new FRM_NRadioButton(*original);
    EXPECT_EQ(copy->GetGroup(), itsGroup);
    EXPECT_EQ(copy->GetEnclosure(), itsGroup);
    EXPECT_EQ(itsGroup->GetNumViews(), 4);
    EXPECT_EQ(copy->GetTitle(), original->GetTitle());
    itsGroup->SetSelectedButton(copy->GetId());
    EXPECT_TRUE(vko_ctl_is_checked(copy->GetVKOWindow()));
    EXPECT_EQ(Checked(), (std::vector<bool>{false, false, false}));
}

} // namespace
