// Tests of the hit list: lines by index, whole-line selection kept by the keys and clicks
// that reach its text edit as real events, the commands its page hears, and the mouse agent
// leaving the rest of the window alone.
#include "app/display/kq_list_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frm/interaction/cmouse.h"
#include "frm/views/csubview.h"
#include "ruk/static/vkoruk.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

// A page that records the commands it hears.
class RecordingPage : public FRM_CSubview {
public:
    using FRM_CSubview::FRM_CSubview;
    void DoCommand(long command, void* data) override
    {
        if (command == KQListBox::kCmdLineChosen || command == KQListBox::kCmdClear)
            commands.push_back(command);
        else
            FRM_CSubview::DoCommand(command, data);
    }
    std::vector<long> commands;
};

class ListBoxTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("list", 300, 300);
        itsPage = new RecordingPage(itsWindow, FRM_CRect(0, 0, 300, 300));
        itsList = new KQListBox(itsPage, FRM_CRect(10, 20, 210, 220));
        itsList->AddItems({"cat", "catalog", "caterpillar", "dog"}, 0);
        itsList->SelectItem(0);
        itsPage->commands.clear();
    }

    WINDOW TextEdit() const { return reinterpret_cast<WINDOW>(itsList->GetVKOTextEdit()); }

    void Deliver(WINDOW window, EVENT event)
    {
        vkov_test_post_event(window, &event);
        vkok_app_process_pending_events();
    }
    void PressKey(std::uint16_t code, bool isVirtual)
    {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = code;
        event.v.chr.virt = isVirtual ? 1 : 0;
        Deliver(TextEdit(), event);
    }
    // A press and release on the given line, as the system sends them to the text edit.
    void ClickLine(int line, e_event type = E_MOUSE_DOWN)
    {
        // The text edit's lines are as high as its own font's.
        const WINDOW window = itsWindow->GetVKOWindow();
        FONT_OBJ font = vko_tx_get_font(itsList->GetVKOTextEdit());
        vko_dwin_set_font(window, font);
        vko_font_destroy(font);
        std::int32_t leading = 0, ascent = 0, descent = 0;
        vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
        // The text area, as the text edit window's own coordinates count.
        s_rct view{}, outer{};
        vko_tx_get_view(itsList->GetVKOTextEdit(), &view);
        vko_tx_get_rect(itsList->GetVKOTextEdit(), &outer);
        view.left = static_cast<std::int16_t>(view.left - outer.left);
        view.top = static_cast<std::int16_t>(view.top - outer.top);
        EVENT event{};
        event.type = type;
        event.v.mouse.where.h = static_cast<std::int16_t>(view.left + 4);
        event.v.mouse.where.v =
            static_cast<std::int16_t>(view.top + line * (leading + ascent + descent) + 3);
        event.v.mouse.button = 1;
        Deliver(TextEdit(), event);
        if (type == E_MOUSE_DOWN) {
            event.type = E_MOUSE_UP;
            Deliver(TextEdit(), event);
        }
    }
    // The selection covers exactly the whole of one line.
    ::testing::AssertionResult WholeLineSelected(int line) const
    {
        std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
        vko_tx_get_sel(itsList->GetVKOTextEdit(), &p0, &l0, &c0, &p1, &l1, &c1);
        const std::size_t length = itsList->GetItem(line).size();
        if (p0 == line && p1 == line && l0 == 0 && c0 == 0 && c1 == length)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "selection " << p0 << "," << l0 << "," << c0 << " - " << p1 << "," << l1 << ","
               << c1 << " for line " << line << " of " << length << " characters";
    }

    FRM_CWindow* itsWindow = nullptr;
    RecordingPage* itsPage = nullptr;
    KQListBox* itsList = nullptr;
};

TEST_F(ListBoxTest, LinesByIndex)
{
    EXPECT_EQ(itsList->GetCount(), 4);
    EXPECT_EQ(itsList->GetItem(1), "catalog");
    EXPECT_EQ(itsList->GetItem(-1), "");
    EXPECT_EQ(itsList->GetItem(4), "");
    EXPECT_EQ(itsList->AddItems({"cow", "crow"}, 3), 1) << "inserted before dog";
    EXPECT_EQ(itsList->GetItem(3), "cow");
    EXPECT_EQ(itsList->GetItem(5), "dog");
    EXPECT_EQ(itsList->AddItems({"x"}, 7), 0) << "a start beyond the end";
    EXPECT_EQ(itsList->GetCount(), 6);
    itsList->Clear();
    EXPECT_EQ(itsList->GetCount(), 0);
    EXPECT_STREQ(itsList->GetSelectedText().data(), "");
    // Lines with no line selected (a caret at the start): no selected text either.
    itsList->AddItems({"cat", "dog"}, 0);
    EXPECT_STREQ(itsList->GetSelectedText().data(), "");
    itsList->SelectItem(1);
    EXPECT_STREQ(itsList->GetSelectedText().data(), "dog");
    // Its type record is its own, over the scrolling text's.
    EXPECT_EQ(itsList->GetRunTimeTypeInfo()->GetId(), 10001);
    EXPECT_STREQ(itsList->GetRunTimeTypeInfo()->GetName(), "KQListBox");
    EXPECT_NE(FrmCast<FRM_NScrollText>(itsList), nullptr);
}

TEST_F(ListBoxTest, SelectItemTakesOnlyALineOfTheList)
{
    struct Case {
        int index;
        short result;
        int selected;
    };
    const Case cases[] = {{2, 1, 2}, {-1, 0, 2}, {4, 0, 2}, {100000, 0, 2}, {3, 1, 3}, {0, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(itsList->SelectItem(c.index), c.result);
        EXPECT_EQ(itsList->GetSelectedIndex(), c.selected);
        EXPECT_TRUE(WholeLineSelected(c.selected));
        EXPECT_EQ(itsList->GetSelectedText().data(), itsList->GetItem(c.selected));
    }
    EXPECT_TRUE(itsPage->commands.empty()) << "the program's own choice is not the user's";
}

TEST_F(ListBoxTest, KeysMoveAWholeLineSelectionAndTellOnlyAChange)
{
    struct Step {
        const char* why;
        std::uint16_t key;
        int selected;
        bool told;
    };
    const Step steps[] = {
        {"up on the first line", VKO_KEY_UP, 0, false},
        {"down", VKO_KEY_DOWN, 1, true},
        {"down again", VKO_KEY_DOWN, 2, true},
        {"to the end of the text", VKO_KEY_TEXT_END, 3, true},
        {"down on the last line", VKO_KEY_DOWN, 3, false},
        {"up", VKO_KEY_UP, 2, true},
        {"to the start of the text", VKO_KEY_TEXT_START, 0, true},
        // Home and End (as the display reads them) go to the list's first and last line.
        {"End", VKO_KEY_LINE_END, 3, true},
        {"End on the last line", VKO_KEY_LINE_END, 3, false},
        {"Home", VKO_KEY_LINE_START, 0, true},
        {"Page Down", VKO_KEY_PAGE_DOWN, 3, true},
        {"Page Up", VKO_KEY_PAGE_UP, 0, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        itsPage->commands.clear();
        PressKey(s.key, true);
        EXPECT_EQ(itsList->GetSelectedIndex(), s.selected);
        EXPECT_TRUE(WholeLineSelected(s.selected));
        EXPECT_EQ(itsPage->commands, s.told ? std::vector<long>{KQListBox::kCmdLineChosen}
                                            : std::vector<long>{});
    }
    // A typed letter changes nothing in the read-only list.
    PressKey('x', false);
    EXPECT_EQ(itsList->GetItem(0), "cat");
    EXPECT_TRUE(WholeLineSelected(0));
}

TEST_F(ListBoxTest, EscapeAsksThePageToClear)
{
    PressKey(27, false);
    EXPECT_EQ(itsPage->commands, std::vector<long>{KQListBox::kCmdClear});
}

TEST_F(ListBoxTest, AClickSelectsTheLineWholeAndAlwaysTellsThePage)
{
    ClickLine(2);
    EXPECT_EQ(itsList->GetSelectedIndex(), 2);
    EXPECT_TRUE(WholeLineSelected(2));
    EXPECT_EQ(itsPage->commands, std::vector<long>{KQListBox::kCmdLineChosen});
    // Again on the line already selected: the page shows that entry again.
    ClickLine(2);
    EXPECT_TRUE(WholeLineSelected(2));
    EXPECT_EQ(itsPage->commands.size(), 2u);
    // A double-click selects no word: the whole line stays.
    ClickLine(1);
    ClickLine(1, E_MOUSE_DBL);
    EXPECT_TRUE(WholeLineSelected(1));
    // A drag over the list moves no selection end.
    ClickLine(3, E_MOUSE_MOVE);
    EXPECT_TRUE(WholeLineSelected(1));
    // An empty list has no line to show.
    itsList->Clear();
    itsPage->commands.clear();
    ClickLine(0);
    EXPECT_TRUE(itsPage->commands.empty());
}

TEST_F(ListBoxTest, TheMouseAgentLeavesThePointsBesideTheListAlone)
{
    // The list's agent sits in the window's mouse manager; points outside the list go on
    // to the window and its other views.
    FRM_CMouseManager* manager = itsWindow->GetMouseManager();
    ASSERT_NE(manager, nullptr);
    struct Case {
        const char* why;
        FRM_CPoint point;
        short taken;
    };
    const Case cases[] = {{"beside the list", FRM_CPoint(250, 100), 0},
                          {"on the list", FRM_CPoint(40, 30), 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        short button = 1, shift = 0, control = 0;
        FRM_CPoint point = c.point;
        EXPECT_EQ(manager->DoDouble(itsWindow, point, button, shift, control), c.taken);
        point = c.point;
        EXPECT_EQ(manager->DoMove(itsWindow, point, button, shift, control), c.taken);
        point = c.point;
        EXPECT_EQ(manager->DoUp(itsWindow, point, button, shift, control), c.taken);
    }
}

} // namespace
