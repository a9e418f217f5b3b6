// Tests of the list edit over a real list-edit control: its hits (focus gained, focus lost,
// text changed) turned into commands, the edit field's selection, including the whole text
// selected when navigation reaches it, and the one-line visible frame.
#include "frm/controls/nlistedt.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/runtime/cnav.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

constexpr long kGained = 1301;
constexpr long kLost = 1302;
constexpr long kText = 1303;

class ListEditTest : public frmtest::ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        itsPanel = new frmtest::CommandPanel(itsWindow);
        itsEdit = new FRM_NListEdit(itsPanel, FRM_CRect(10, 10, 200, 120),
                                    FRM_CStringCollection(FRM_CStringRW("apple,pear")),
                                    FRM_CStringRW("fig"));
    }
    static s_ctlinfo Hit(short focusChange, short active)
    {
        s_ctlinfo info{};
        info.v.edit.focus_change = focusChange;
        info.v.edit.active = active;
        return info;
    }
    frmtest::CommandPanel* itsPanel = nullptr;
    FRM_NListEdit* itsEdit = nullptr;
};

TEST_F(ListEditTest, HitsBecomeCommandsAndUnsetCommandsAreTheNullCommand)
{
    EXPECT_EQ(std::string(itsEdit->GetTitle().data()), "fig");
    EXPECT_EQ(itsEdit->GetNumItems(), 2);
    itsEdit->DoHit(Hit(0, 0));
    itsEdit->DoHit(Hit(1, 1));
    itsEdit->DoHit(Hit(1, 0));
    EXPECT_EQ(itsPanel->commands, (std::vector<long>{kNoCommand, kNoCommand, kNoCommand}));

    itsPanel->commands.clear();
    itsEdit->SetFocusCommands(kGained, kLost);
    itsEdit->SetTextCommand(kText);
    struct Step {
        const char* what;
        short focusChange, active;
        long command;
        bool activeAfter;
    };
    const Step steps[] = {
        {"focus gained activates", 1, 1, kGained, true},
        {"focus gained again while active", 1, 1, kGained, true},
        {"text changed", 0, 0, kText, true},
        {"focus lost deactivates", 1, 0, kLost, false},
        {"focus lost while inactive", 1, 0, kLost, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        itsPanel->commands.clear();
        itsEdit->DoHit(Hit(step.focusChange, step.active));
        EXPECT_EQ(itsPanel->commands, std::vector<long>{step.command});
        EXPECT_EQ(itsEdit->IsActive() != 0, step.activeAfter);
    }

    FRM_NListEdit copy(*itsEdit);
    EXPECT_EQ(copy.GetKeyFocusCommand(), kGained);
    EXPECT_EQ(copy.GetKeyFocusLostCommand(), kLost);
    EXPECT_EQ(copy.GetTextCommand(), kText);
    EXPECT_EQ(std::string(copy.GetTitle().data()), "fig");
}

TEST_F(ListEditTest, ReinitialisingSetsTitleAndItems)
{
    EXPECT_EQ(itsEdit->IListEdit(FRM_CStringCollection(FRM_CStringRW("a,b,c")), FRM_CStringRW("b")), 1);
    EXPECT_EQ(std::string(itsEdit->GetTitle().data()), "b");
    EXPECT_EQ(itsEdit->GetNumItems(), 3);
    EXPECT_EQ(std::string(itsEdit->GetItem(2, 10).data()), "c");
}

TEST_F(ListEditTest, SelectionOfTheEditFieldAndNavigationSelectingAll)
{
    itsEdit->SetTextSelection(1, 2);
    int first = -1, last = -1;
    itsEdit->GetTextSelection(&first, &last);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 2);

    FRM_CTabStop stop(itsEdit);
    stop.Activate();
    itsEdit->GetTextSelection(&first, &last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 3);  // the whole of "fig"
}

TEST_F(ListEditTest, VisibleFrameIsOneEditLineHigh)
{
    const FRM_CRect visible = itsEdit->GetVisibleFrame();
    const auto line = static_cast<float>(vko_vobj_get_attr(nullptr, 202));
    EXPECT_GT(line, 0);
    EXPECT_FLOAT_EQ(visible.Width(), 190);
    EXPECT_FLOAT_EQ(visible.Top(), 10);
    EXPECT_FLOAT_EQ(visible.Height(), line);
}

} // namespace
