// Tests of the simple native controls driven by real input: a click and keys on a push
// button, check-box clicks and bindings, an edit field's typing and focus events, and a
// validator installed on an edit field.
#include "frm/controls/nctrls.h"

#include "frm/controls/cradiogr.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/core/ctdivalue.h"
#include "frm/runtime/cnav.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

constexpr long kCommand = 1101;
constexpr long kSelect = 1102;
constexpr long kDeselect = 1103;

class Panel : public FRM_CSubview {
public:
    explicit Panel(FRM_CSubview* enclosure) : FRM_CSubview(enclosure, FRM_CRect(0, 0, 300, 200)) {}
    void DoCommand(long command, void*) override { commands.push_back(command); }
    void Key(const FRM_CKey& key) override { keys.push_back(key.GetChar()); }
    std::vector<long> commands;
    std::vector<int> keys;
};

class SimpleControlsTest : public frmtest::ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        itsPanel = new Panel(itsWindow);
    }
    Panel* itsPanel = nullptr;
};

TEST_F(SimpleControlsTest, PushButtonSendsItsCommandOnClickAndReturn)
{
    auto* button = new FRM_NButton(itsPanel, FRM_CRect(10, 10, 90, 34), FRM_CStringRW("Go"), 0);
    button->SetCommand(kCommand);
    EXPECT_EQ(std::string(button->GetTitle().data()), "Go");
    Click(button->GetVKOWindow(), s_pnt{5, 5});
    EXPECT_EQ(itsPanel->commands, std::vector<long>{kCommand});
    button->Key(FRM_CKey(13, 0, 0, 0, 0));
    button->Key(FRM_CKey('x', 0, 0, 0, 0));
    EXPECT_EQ(itsPanel->commands, (std::vector<long>{kCommand, kCommand}));
    EXPECT_EQ(itsPanel->keys, std::vector<int>{'x'});
}

// A window that closes itself on the command of one of its buttons, as dialogs' OK buttons
// do: the button is deleted inside its own click.
class ClosingWindow : public FRM_CWindow {
public:
    ClosingWindow(FRM_CDocument* document, WINDOW parent)
        : FRM_CWindow(document, FRM_CRect(0, 0, 200, 100), FRM_CStringRW("closing"), 0, W_DOC, 0,
                      parent)
    {
    }
    void DoCommand(long command, void* data) override
    {
        if (command == kCommand)
            Close();
        else
            FRM_CWindow::DoCommand(command, data);
    }
};

TEST_F(SimpleControlsTest, AButtonWhoseClickClosesItsWindowIsNotTouchedAfterward)
{
    auto* window = new ClosingWindow(itsDocument, itsTaskWindow);
    vkok_app_process_pending_events();
    WINDOW handle = window->GetVKOWindow();
    auto* button = new FRM_NButton(window, FRM_CRect(10, 10, 90, 34), FRM_CStringRW("OK"), 0);
    button->SetCommand(kCommand);
    Click(button->GetVKOWindow(), s_pnt{5, 5}); // a use after free would stop the test here
    EXPECT_EQ(vko_vobj_is_valid(handle), FALSE);
}

TEST_F(SimpleControlsTest, CheckBoxClicksFlipAndSendOneCommand)
{
    auto* box = new FRM_NCheckBox(itsPanel, FRM_CRect(10, 40, 120, 60), FRM_CStringRW("Exact"),
                                  FRM_CNativeView::kChecked);
    box->ICheckBox(FRM_CStringRW("Exact"), 1, kDeselect, kSelect, 1, 0);
    EXPECT_TRUE(box->IsSelected());
    EXPECT_TRUE(vko_ctl_is_checked(box->GetVKOWindow()));
    struct Step {
        bool selectedAfter;
        long command;
    };
    const Step steps[] = {{false, kDeselect}, {true, kSelect}, {false, kDeselect}};
    for (const Step& step : steps) {
        itsPanel->commands.clear();
        Click(box->GetVKOWindow(), s_pnt{5, 5});
        EXPECT_EQ(box->IsSelected() != 0, step.selectedAfter);
        EXPECT_EQ(vko_ctl_is_checked(box->GetVKOWindow()) != FALSE, step.selectedAfter);
        EXPECT_EQ(itsPanel->commands, std::vector<long>{step.command});
        EXPECT_EQ((box->GetAttributes() & FRM_CNativeView::kChecked) != 0, step.selectedAfter);
    }
    // The bound value selects; a value that is no boolean changes nothing.
    const FRM_CTdiBooleanValue on(1, nullptr, 20001);
    box->DoUpdateModel(0, 20001, &on);
    EXPECT_TRUE(box->IsSelected());
    const FRM_CTdiListValue list;
    box->DoUpdateModel(0, 20001, &list);
    EXPECT_TRUE(box->IsSelected());
}

TEST_F(SimpleControlsTest, EditFieldReportsTypingAndFocus)
{
    auto* edit = new FRM_NEditControl(itsPanel, FRM_CRect(10, 70, 200, 92), FRM_CStringRW(""), 0);
    edit->SetTextCommand(kCommand);
    edit->SetFocusCommands(kSelect, kDeselect);
    WINDOW control = edit->GetVKOWindow();
    vko_scr_set_focus_vobj(control);
    vkok_app_process_pending_events();
    EXPECT_EQ(itsPanel->commands, std::vector<long>{kSelect});
    EXPECT_TRUE(edit->IsActive());

    itsPanel->commands.clear();
    Key(control, 'o');
    Key(control, 'k');
    EXPECT_EQ(itsPanel->commands, (std::vector<long>{kCommand, kCommand}));
    EXPECT_EQ(std::string(edit->GetTitle().data()), "ok");

    itsPanel->commands.clear();
    auto* other = new FRM_NEditControl(itsPanel, FRM_CRect(10, 100, 200, 122), FRM_CStringRW(""), 0);
    vko_scr_set_focus_vobj(other->GetVKOWindow());
    vkok_app_process_pending_events();
    ASSERT_FALSE(itsPanel->commands.empty());
    EXPECT_EQ(itsPanel->commands.front(), kDeselect);
    EXPECT_FALSE(edit->IsActive());
}

TEST_F(SimpleControlsTest, PasswordFieldIsAMaskedControlThatKeepsTheText)
{
    auto* secret = new FRM_CPasswordEdit(itsPanel, FRM_CRect(10, 70, 200, 92), FRM_CStringRW(""), 0);
    EXPECT_NE(secret->GetAttributes() & FRM_CPasswordEdit::kPassword, 0);
    WINDOW control = secret->GetVKOWindow();
    vko_scr_set_focus_vobj(control);
    vkok_app_process_pending_events();
    Key(control, 'p');
    Key(control, 'w');
    EXPECT_EQ(std::string(secret->GetTitle().data()), "pw");
    EXPECT_NE(vkok_vobj_get_flags(control) & FRM_CPasswordEdit::kPassword, 0U)
        << "the control masks what it shows";
}

TEST_F(SimpleControlsTest, EditFieldKeepsItsValidatorAcrossRecreation)
{
    FRM_CValidatorFactory* factory = FRM_CValidatorFactory::GetTop();
    ASSERT_NE(factory, nullptr);
    auto* edit = new FRM_NEditControl(itsPanel, FRM_CRect(10, 70, 200, 92), FRM_CStringRW(""), 0);
    edit->SetValidator(factory->ConstructValidator(FRM_CStringRW("99-99"), 0));
    EXPECT_TRUE(edit->GetValidator().IsValid());
    edit->SetAttributes(0x100);
    EXPECT_TRUE(edit->GetValidator().IsValid());
    delete edit;
}

TEST_F(SimpleControlsTest, TextGroupAndIconAreMadeWithTheirTypes)
{
    auto* text = new FRM_NText(itsPanel, FRM_CRect(10, 130, 100, 146), FRM_CStringRW("Word:"), 0);
    auto* group = new FRM_NGroupBox(itsPanel, FRM_CRect(120, 120, 290, 190), FRM_CStringRW("Find"), 0);
    auto* icon = new FRM_NIcon(itsPanel, FRM_CRect(10, 150, 42, 182), 0, 0);
    EXPECT_EQ(vko_vobj_get_type(text->GetVKOWindow()), WC_TEXT);
    EXPECT_EQ(vko_vobj_get_type(group->GetVKOWindow()), WC_GROUPBOX);
    EXPECT_EQ(vko_vobj_get_type(icon->GetVKOWindow()), WC_ICON);
    EXPECT_EQ(std::string(text->GetTitle().data()), "Word:");
    EXPECT_EQ(std::string(group->GetTitle().data()), "Find");
}

TEST_F(SimpleControlsTest, WindowResourcesBuildTheirControls)
{
    ASSERT_TRUE(vkov_res_register_text("controls_test", R"(
window 7200 {
  entry type=1 rect=(0,0,200,300) title="Search"
  entry type=12 rect=(10,10,34,90) title="Go" id=101
  entry type=14 rect=(40,10,60,120) title="Exact" id=102 ctlflags=0x4
  entry type=17 rect=(70,10,92,200) title="word" id=103
  entry type=18 rect=(100,10,116,100) title="Word:" id=104
  entry type=13 rect=(120,10,140,100) title="Noun" id=105
  entry type=13 rect=(140,10,160,100) title="Verb" id=106
  entry type=16 rect=(10,250,190,266) title="" id=107
}
)"));
    auto* window = new FRM_CWindow(itsDocument, 7200, 1, itsTaskWindow);
    vkok_app_process_pending_events();
    struct Item {
        long id;
        e_win_type type;
        const char* title;
    };
    const Item items[] = {{101, WC_PUSHBUTTON, "Go"}, {102, WC_CHECKBOX, "Exact"},
                          {103, WC_EDIT, "word"}, {104, WC_TEXT, "Word:"}};
    ASSERT_EQ(window->GetNumViews(), 6);
    for (const Item& item : items) {
        SCOPED_TRACE(item.title);
        FRM_CView* found = window->FindResourceView(7200, item.id);
        ASSERT_NE(found, nullptr);
        auto* control = FrmCast<FRM_CNativeView>(found);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(vko_vobj_get_type(control->GetVKOWindow()), item.type);
        EXPECT_EQ(std::string(control->GetTitle().data()), item.title);
        EXPECT_EQ(control->GetCommand(), item.id);
    }
    // A run of radio items makes one group; its buttons keep their places in the window.
    auto* verb = FrmCast<FRM_NRadioButton>(window->FindResourceView(7200, 106));
    ASSERT_NE(verb, nullptr);
    ASSERT_NE(verb->GetGroup(), nullptr);
    EXPECT_EQ(verb->GetGroup()->GetNumViews(), 2);
    EXPECT_EQ(verb->GetGlobalFrame(), FRM_CRect(10, 140, 100, 160));
    verb->GetGroup()->SetSelectedButton(FRM_CStringRW("Verb"));
    EXPECT_EQ(verb->GetGroup()->GetSelectedButton(), verb->GetId());
    auto* bar = FrmCast<FRM_NScrollBar>(window->FindResourceView(7200, 107));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetVKOType(), WC_VSCROLL);
    EXPECT_EQ(bar->GetOwner(), window);

    auto* box = FrmCast<FRM_NCheckBox>(window->FindResourceView(7200, 102));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->IsSelected());
    EXPECT_EQ(window->Close(), 1);
    vkok_app_process_pending_events();
}

} // namespace

namespace {

void CountReport(WINDOW, int32_t, uint32_t, const char*, int32_t, void* context)
{
    ++*static_cast<int*>(context);
}

TEST_F(SimpleControlsTest, DrawingAWindowWithControlsReportsNothing)
{
    new FRM_NButton(itsPanel, FRM_CRect(10, 10, 90, 34), FRM_CStringRW("Go"), 0);
    new FRM_NEditControl(itsPanel, FRM_CRect(10, 40, 200, 64), FRM_CStringRW("text"), 0);
    int reports = 0;
    vkov_test_set_errmsg_hook(CountReport, &reports);
    vko_dwin_invalidate_rect(itsHandle, nullptr);
    vkok_app_process_pending_events();
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    EXPECT_EQ(reports, 0) << "the clip is set and reset on the window, never on a control";
}

} // namespace
