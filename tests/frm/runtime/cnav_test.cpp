// Tests of keyboard navigation: key equality under sensitivity masks, hot keys taken from
// titles and passed from labels to fields, stepping with the end-jump modes, nested
// navigators, and the manager's guard against keys produced while it handles one.
#include "frm/runtime/cnav.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/frm_app_fixture.h"
#include "../support/frm_error_capture.h"
#include "frm/views/csubview.h"

namespace {

constexpr std::uint16_t kTab = 9;

// A view that can take the key focus, like a control.
class FieldView : public FRM_CView {
public:
    FieldView(FRM_CSubview* enclosure, const char* title, float left)
        : FRM_CView(enclosure, FRM_CRect(left, 0, left + 10, 10), FRM_CStringRW(title))
    {
    }
    short ClassCanGetKeyFocus() const override { return 1; }
};

TEST(KeyTest, IsEqual_UnderSensitivityMasks)
{
    const FRM_CKey ctrlA('a', 0, 1, 0, 0);
    const FRM_CKey ctrlBigA('A', 0, 1, 0, 0);
    const FRM_CKey plainA('a', 0, 0, 0, 0);
    const FRM_CKey plainBigA('A', 0, 0, 0, 0);
    const FRM_CKey altA('a', 0, 0, 1, 0);
    const FRM_CKey up(FRM_CKey::kVirtual, VKO_KEY_UP);
    struct Case {
        const char* why;
        FRM_CKey a, b;
        std::uint16_t mask;
        bool equal;
    };
    const Case cases[] = {
        {"case ignored with control under 0x14", ctrlA, ctrlBigA, 0x14, true},
        {"case counts without modifiers under 0x14", plainA, plainBigA, 0x14, false},
        {"case ignored without modifiers under 0x01", plainA, plainBigA, 0x01, true},
        {"control differing alone is unequal under 0x14", ctrlA, plainA, 0x14, false},
        {"control differing alone is allowed by 0x02", ctrlA, plainA, 0x02, true},
        {"alt and control differing need 0x20", ctrlA, altA, 0x08 | 0x02, false},
        {"a virtual key never equals a character", up, FRM_CKey(VKO_KEY_UP, 0, 0, 0, 0), 0xFFFF,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.a.IsEqual(c.b, c.mask), c.equal);
        EXPECT_EQ(c.b.IsEqual(c.a, c.mask), c.equal);
    }
    EXPECT_TRUE(ctrlA == ctrlBigA) << "the default sensitivity is 0x14";
}

class NavigationTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow();
    }

    // Fields in order; a title "~x" marks x as hot key.
    std::vector<FRM_CView*> Fields(const std::vector<const char*>& titles)
    {
        std::vector<FRM_CView*> views;
        float left = 0;
        for (const char* title : titles) {
            views.push_back(new FieldView(itsWindow, title, left));
            left += 20;
        }
        return views;
    }

    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(NavigationTest, TitleHotKey_OnlyWithACharacterAfterTheTilde)
{
    struct Case {
        const char* title;
        bool has;
        std::uint16_t character;
    };
    const Case cases[] = {{"~Name", true, 'N'}, {"Na~me", true, 'm'}, {"Name~", false, 0},
                          {"Name", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        FieldView view(itsWindow, c.title, 0);
        FRM_CTabStop stop(&view);
        FRM_CKey key;
        EXPECT_EQ(stop.GetTitleHotKey(key), c.has);
        if (c.has) {
            EXPECT_EQ(key.GetChar(), c.character);
            EXPECT_EQ(key.IsAlt(), 1);
            EXPECT_EQ(key.IsCtrl(), 0);
        }
    }
}

TEST_F(NavigationTest, AppendSubviews_LabelsPassTheirHotKeyToTheNextField)
{
    new FRM_CView(itsWindow, FRM_CRect(0, 20, 10, 30), FRM_CStringRW("~First label"));
    new FRM_CView(itsWindow, FRM_CRect(0, 40, 10, 50), FRM_CStringRW("~Second label"));
    std::vector<FRM_CView*> fields = Fields({"field", "~Own"});
    FRM_CNavigator navigator(itsWindow);
    navigator.AppendSubviews(itsWindow);
    ASSERT_EQ(navigator.TabStopCount(), 2u) << "labels get no tab stop";
    const FRM_CKey altF('f', 0, 0, 1, 0);
    const FRM_CKey altS('s', 0, 0, 1, 0);
    EXPECT_TRUE(navigator.GetTabStopAt(0)->HasHotKey(altF)) << "the first label's key";
    EXPECT_FALSE(navigator.GetTabStopAt(0)->HasHotKey(altS)) << "two labels keep the first";
    EXPECT_TRUE(navigator.GetTabStopAt(1)->HasHotKey(FRM_CKey('o', 0, 0, 1, 0)))
        << "with no label key pending a field takes its own title's";
    EXPECT_EQ(navigator.FindTabStopHavingView(fields[1]), navigator.GetTabStopAt(1));
}

TEST_F(NavigationTest, Tab_StepsThroughTheFieldsByEndJumpMode)
{
    struct Case {
        const char* why;
        FRM_CNavigator::EndJump mode;
        int afterLast; // index of the field focused after Tab on the last one
    };
    const Case cases[] = {
        {"wrap around", FRM_CNavigator::kEndWrap, 0},
        {"stay on the last", FRM_CNavigator::kEndStay, 2},
        {"to the parent, which there is none: wrap", FRM_CNavigator::kEndToParent, 0},
    };
    std::vector<FRM_CView*> fields = Fields({"a", "b", "c"});
    const FRM_CKey tab(kTab, 0, 0, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CNavigator navigator(itsWindow);
        navigator.DefineMovement(tab, FRM_CCourse(0, FRM_CCourse::kReach1));
        navigator.SetEndJump(c.mode);
        navigator.AppendSubviews(itsWindow);
        navigator.InitFocus();
        EXPECT_EQ(itsWindow->GetKeyFocus(), fields[0]);
        navigator.DoKey(tab);
        EXPECT_EQ(itsWindow->GetKeyFocus(), fields[1]);
        navigator.DoKey(tab);
        EXPECT_EQ(itsWindow->GetKeyFocus(), fields[2]);
        navigator.DoKey(tab);
        EXPECT_EQ(itsWindow->GetKeyFocus(), fields[static_cast<std::size_t>(c.afterLast)]);
        fields[2]->Deactivate();
    }
}

TEST_F(NavigationTest, Tab_SkipsFieldsThatCannotTakeTheFocusAndEntersSubNavigators)
{
    std::vector<FRM_CView*> fields = Fields({"a", "b", "c"});
    fields[1]->Disable();
    const FRM_CKey tab(kTab, 0, 0, 0, 0);
    FRM_CNavigator navigator(itsWindow);
    navigator.DefineMovement(tab, FRM_CCourse(0, FRM_CCourse::kReach1));
    navigator.AppendSubviews(itsWindow);
    navigator.InitFocus();
    navigator.DoKey(tab);
    EXPECT_EQ(itsWindow->GetKeyFocus(), fields[2]) << "the disabled field is passed over";
    // Disabled when the navigator was built, the field takes the keys once enabled.
    fields[1]->Enable();
    navigator.DoKey(tab);
    navigator.DoKey(tab);
    EXPECT_EQ(itsWindow->GetKeyFocus(), fields[1]) << "the field enabled later is reached";
    fields[1]->Deactivate();

    FRM_CNavigator outer(itsWindow);
    outer.AppendTabStop(new FRM_CTabStop(fields[0]));
    outer.AppendTabStop(new FRM_CTabStop(fields[2]));
    auto* nested = new FRM_CNavigator(itsWindow);
    nested->AppendTabStop(new FRM_CTabStop(fields[1]));
    outer.InsertSubNavigator(1, nested); // a, [b], c
    EXPECT_EQ(outer.TabStopCount(), 3u);
    EXPECT_EQ(nested->GetParent(), &outer);
}

TEST_F(NavigationTest, HotKey_FocusesItsField)
{
    std::vector<FRM_CView*> fields = Fields({"first"});
    new FRM_CView(itsWindow, FRM_CRect(0, 20, 10, 30), FRM_CStringRW("~Name"));
    fields.push_back(new FieldView(itsWindow, "name field", 40));
    FRM_CNavigator navigator(itsWindow);
    navigator.AppendSubviews(itsWindow);
    navigator.InitFocus();
    EXPECT_EQ(itsWindow->GetKeyFocus(), fields[0]);
    EXPECT_EQ(navigator.DoKey(FRM_CKey('N', 0, 0, 1, 0)), 1);
    EXPECT_EQ(itsWindow->GetKeyFocus(), fields[1]);
    EXPECT_EQ(navigator.DoKey(FRM_CKey('x', 0, 0, 1, 0)), 0) << "no field has that key";
}

TEST_F(NavigationTest, Manager_NavigatesNothingWhileBusyAndRegistersTheFirstAsDefault)
{
    FRM_CNavigatorManager* manager = FRM_CNavigator::Manager();
    std::vector<FRM_CView*> fields = Fields({"a", "b"});
    FRM_CNavigator navigator(itsWindow);
    const FRM_CKey tab(kTab, 0, 0, 0, 0);
    navigator.DefineMovement(tab, FRM_CCourse(0, FRM_CCourse::kReach1));
    navigator.AppendSubviews(itsWindow);
    navigator.InitFocus();
    manager->Register(&navigator);
    EXPECT_EQ(manager->Lookup(itsWindow->GetVKOWindow()), &navigator);
    EXPECT_EQ(manager->DoKey(tab), 1);
    EXPECT_EQ(itsWindow->GetKeyFocus(), fields[1]);
    manager->Unregister(&navigator);
    EXPECT_EQ(manager->Lookup(itsWindow->GetVKOWindow()), nullptr);
}

TEST_F(NavigationTest, NullTabStop_IsFatal)
{
    FrmErrorCapture errors;
    FRM_CNavigator navigator(itsWindow);
    navigator.InsertTabStop(0, nullptr);
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{6970, "cnav", 225}}));
    EXPECT_EQ(navigator.TabStopCount(), 0u);
}

} // namespace

namespace {

// Tab typed in a framework window moves the focus among that window's fields through the
// switchboard and the window's own navigator, whichever window was made first.
TEST_F(NavigationTest, TabThroughTheSwitchboard_MovesTheFocusOfTheWindowThatHasIt)
{
    Fields({"a1", "a2"}); // the first window gets a navigator first
    EVENT tab{};
    tab.type = E_CHAR;
    tab.v.chr.ch = kTab;
    hookWinEventHandler(itsWindow->GetVKOWindow(), &tab);

    FRM_CWindow* second = NewWindow("second");
    auto* b1 = new FieldView(second, "b1", 0);
    auto* b2 = new FieldView(second, "b2", 20);
    vko_scr_set_focus_vobj(second->GetVKOWindow());
    hookWinEventHandler(second->GetVKOWindow(), &tab); // makes its navigator: b1 has focus
    EXPECT_EQ(second->GetKeyFocus(), b2) << "the key moved the focus on";
    hookWinEventHandler(second->GetVKOWindow(), &tab);
    EXPECT_EQ(second->GetKeyFocus(), b1) << "and around";
}

// A field deleted while its tab stop is current leaves no tab stop behind: the next Tab
// moves on from the fields that remain instead of reading the one that went.
TEST_F(NavigationTest, DeletedField_LeavesTheNavigatorsAndTheNextKeyGoesOn)
{
    std::vector<FRM_CView*> fields = Fields({"a", "b", "c"});
    EVENT tab{};
    tab.type = E_CHAR;
    tab.v.chr.ch = kTab;
    hookWinEventHandler(itsWindow->GetVKOWindow(), &tab); // a has the focus, Tab goes to b
    ASSERT_EQ(itsWindow->GetKeyFocus(), fields[1]);
    FRM_CNavigator* navigator = itsWindow->GetNavigator();
    ASSERT_NE(navigator->GetCurrentTabStop(), nullptr);
    EXPECT_EQ(navigator->GetCurrentTabStop()->GetView(), fields[1]);

    delete fields[1];
    EXPECT_EQ(navigator->GetCurrentTabStop(), nullptr);
    EXPECT_EQ(navigator->TabStopCount(), 2U);
    EXPECT_EQ(navigator->FindTabStopHavingView(fields[1]), nullptr);
    hookWinEventHandler(itsWindow->GetVKOWindow(), &tab);
    EXPECT_NE(itsWindow->GetKeyFocus(), fields[1]);
    // The fields left still form the list: from a, Tab reaches c.
    navigator->InitFocus();
    ASSERT_EQ(itsWindow->GetKeyFocus(), fields[0]);
    hookWinEventHandler(itsWindow->GetVKOWindow(), &tab);
    EXPECT_EQ(itsWindow->GetKeyFocus(), fields[2]);
}

} // namespace
