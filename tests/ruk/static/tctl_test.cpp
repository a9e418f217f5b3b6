// Tests of the control family against the recording double: creation from arguments and from
// one definition entry (repairs by control type, the caller's entry kept), colour and font
// calls that go to the text-edit engine for native control windows, check states, radio
// groups and text selections.
#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;
using base_double::Call;

class TctlTest : public ::testing::Test {
protected:
    void SetUp() override {
        base().Reset();
        static int made;
        base().SetResultPtr("vkok_ctl_create", &made);
        base().SetResultPtr("vkok_ctl_create_def", &made);
    }
    WINDOW control(e_win_type type) { return base().MakeWindow(0, type); }
    WINDOW native() { return base().MakeWindow(VKO_WF_TEXTEDIT, W_DOC); }
};

TEST_F(TctlTest, Create_RepairsByControlTypeAndChecksParentAfterTheRectangle) {
    struct Case {
        const char *why;
        e_win_type type;
        s_rct rct;
        bool null_rect;
        e_win_type parent_type; // 0: null parent
        std::uint32_t code;
        bool repaired;
        bool created;
    };
    const Case cases[] = {
        {"a button", WC_PUSHBUTTON, {0, 0, 20, 40}, false, W_DOC, 0, false, true},
        {"null rectangle before a null parent",
         WC_PUSHBUTTON,
         {},
         true,
         W_NONE,
         0x210000,
         false,
         false},
        {"zero height passes for an edit field",
         WC_EDIT,
         {5, 0, 5, 40},
         false,
         W_DOC,
         0,
         false,
         true},
        {"zero height is repaired for a radio button",
         WC_RADIOBUTTON,
         {5, 0, 5, 40},
         false,
         W_DOC,
         0x1240003,
         true,
         true},
        {"zero width passes for a vertical scroll bar",
         WC_VSCROLL,
         {0, 5, 40, 5},
         false,
         W_DOC,
         0,
         false,
         true},
        {"zero width is repaired for a horizontal scroll bar",
         WC_HSCROLL,
         {0, 5, 40, 5},
         false,
         W_DOC,
         0x1240003,
         true,
         true},
        {"repair warns, then a null parent refuses",
         WC_PUSHBUTTON,
         {20, 40, 0, 0},
         false,
         W_NONE,
         0x1210002,
         true,
         false},
        {"a subwindow parent",
         WC_PUSHBUTTON,
         {0, 0, 20, 40},
         false,
         W_SUBWIN,
         0x1220002,
         false,
         false},
        {"a notebook in a modeless window",
         WC_NOTEBK,
         {0, 0, 20, 40},
         false,
         W_MODELESS,
         0x1220002,
         false,
         false},
        {"a notebook in a document window",
         WC_NOTEBK,
         {0, 0, 20, 40},
         false,
         W_DOC,
         0,
         false,
         true},
        {"an icon is never created here",
         WC_ICON,
         {0, 0, 20, 40},
         false,
         W_DOC,
         0x1220002,
         false,
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        s_rct rct = c.rct;
        WINDOW parent = c.parent_type == W_NONE ? nullptr : control(c.parent_type);
        WINDOW made = vko_ctl_create(c.type, c.null_rect ? nullptr : &rct, "t", parent, 0, 0, 1);
        EXPECT_EQ(made != nullptr, c.created);
        std::vector<base_double::Report> reports = base().Reports();
        EXPECT_EQ(reports.empty() ? 0u : reports.back().code, c.code);
        const bool warned =
            !reports.empty() && reports.front().code == 0x1240003 && reports.front().severity == 1;
        EXPECT_EQ(warned, c.repaired);
        EXPECT_EQ(rct.top, c.rct.top); // the caller's rectangle is not written
        EXPECT_EQ(rct.right, c.rct.right);
        base().TakeLastReportCode();
        EXPECT_EQ(base().TakeForwarded("vkok_ctl_create"), c.created);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TctlTest, CreateDef_KeepsTheCallersEntryOnEveryPath) {
    struct Case {
        const char *why;
        s_rct rct;
        std::uint32_t flags_code;
        bool dead_font;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"in order", {0, 0, 20, 40}, 0, false, 0},
        {"repaired, then created", {20, 40, 0, 0}, 0, false, 0x1240003},
        {"repaired, then the flags are refused", {20, 40, 0, 0}, 0x2230009, false, 0x2230009},
        {"repaired, then a dead font", {20, 40, 0, 0}, 0, true, 0x1220003},
    };
    int font_storage = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_ctl_check_flags", c.flags_code);
        s_win_def entry{};
        entry.type = WC_PUSHBUTTON;
        entry.rct = c.rct;
        entry.font = c.dead_font ? reinterpret_cast<s_fntid *>(&font_storage) : nullptr;
        s_rct forwarded{};
        base().SetResponder("vkok_ctl_create_def", [&forwarded](const Call &call) {
            forwarded =
                reinterpret_cast<s_win_def *>(static_cast<std::uintptr_t>(call.args[0].value))->rct;
            static int made;
            return base_double::Answer{true, reinterpret_cast<intptr_t>(&made), 0.0};
        });
        WINDOW made = vko_ctl_create_def(&entry, control(W_DOC), 0);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        const bool created = c.code == 0 || c.code == 0x1240003;
        EXPECT_EQ(made != nullptr, created);
        if (created) {
            EXPECT_LT(forwarded.top, forwarded.bottom); // created from the repaired rectangle
        }
        EXPECT_EQ(entry.rct.top, c.rct.top);
        EXPECT_EQ(entry.rct.bottom, c.rct.bottom);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TctlTest, ColorsAndFonts_OfNativeControlsGoToTheTextEditEngine) {
    struct Case {
        const char *why;
        bool native;
        std::function<void(WINDOW)> call;
        const char *reached;
        const char *avoided;
    };
    s_color_pair list[] = {{VKO_CC_FORE, 1}, {0, VKO_COLOR_UNSET}};
    const Case cases[] = {
        {"set colours of a button", false, [&](WINDOW w) { vko_ctl_set_colors(w, list, FALSE); },
         "vkok_ctl_set_colors", "vkov_tx_reset_colors"},
        {"set colours of a native control", true,
         [&](WINDOW w) { vko_ctl_set_colors(w, list, FALSE); }, "vkov_tx_reset_colors",
         "vkok_ctl_set_colors"},
        {"set a component of a native control", true,
         [](WINDOW w) { vko_ctl_set_color_component(w, VKO_CC_BACK, 5); }, "vkov_tx_reset_colors",
         "vkok_ctl_set_colors"},
        {"unset a component of a native control", true,
         [](WINDOW w) { vko_ctl_unset_color_component(w, VKO_CC_BACK); }, "vkov_tx_reset_colors",
         "vkok_ctl_set_colors"},
        {"colours of a native control", true, [](WINDOW w) { vko_ctl_get_colors(w); },
         "vkok_win_get_ctl_colors", "vkok_ctl_get_colors"},
        {"font of a native control", true, [](WINDOW w) { vko_ctl_get_font(w); },
         "vkov_tx_get_font", "vkok_ctl_get_font"},
        {"font of a button", false, [](WINDOW w) { vko_ctl_get_font(w); }, "vkok_ctl_get_font",
         "vkov_tx_get_font"},
        {"set the font of a native control", true, [](WINDOW w) { vko_ctl_set_font(w, nullptr); },
         "vkov_tx_set_font", "vkov_ctl_set_font"},
        {"id of a native control", true, [](WINDOW w) { vko_ctl_get_id(w); }, "vkov_tx_get_cid",
         "vkok_ctl_get_id"},
        {"id of a button", false, [](WINDOW w) { vko_ctl_get_id(w); }, "vkok_ctl_get_id",
         "vkov_tx_get_cid"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call(c.native ? native() : control(WC_PUSHBUTTON));
        EXPECT_EQ(base().TakeLastReportCode(), 0u);
        EXPECT_TRUE(base().TakeForwarded(c.reached));
        EXPECT_FALSE(base().TakeForwarded(c.avoided));
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TctlTest, KindChecks_RefuseWithTheFamilysCodes) {
    struct Case {
        const char *why;
        e_win_type type;
        std::function<void(WINDOW)> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"colours of a document window", W_DOC, [](WINDOW w) { vko_ctl_get_colors(w); },
         "vkok_ctl_get_colors", 0x1230001},
        {"component before the kind", W_DOC, [](WINDOW w) { vko_ctl_get_color_component(w, 3); },
         "vkok_ctl_get_colors", 0x1230001},
        {"scroll bars have no font", WC_HSCROLL, [](WINDOW w) { vko_ctl_get_font(w); },
         "vkok_ctl_get_font", 0x1230001},
        {"icons have no font to set", WC_ICON, [](WINDOW w) { vko_ctl_set_font(w, nullptr); },
         "vkov_ctl_set_font", 0x1230001},
        {"a radio button is read", WC_RADIOBUTTON, [](WINDOW w) { vko_ctl_is_checked(w); },
         "vkok_ctl_is_checked", 0},
        {"a push button is not read", WC_PUSHBUTTON, [](WINDOW w) { vko_ctl_is_checked(w); },
         "vkok_ctl_is_checked", 0x1230001},
        {"a radio button is not set", WC_RADIOBUTTON,
         [](WINDOW w) { vko_ctl_set_checked(w, TRUE); }, "vkok_ctl_set_checked", 0x1220002},
        {"a check box is set", WC_CHECKBOX, [](WINDOW w) { vko_ctl_set_checked(w, TRUE); },
         "vkok_ctl_set_checked", 0},
        {"selection of a push button", WC_PUSHBUTTON,
         [](WINDOW w) { vko_ctl_set_text_sel(w, 0, 1); }, "vkok_ctl_set_text_sel", 0x1230001},
        {"null pointer before the kind", WC_PUSHBUTTON,
         [](WINDOW w) {
             int32_t a;
             vko_ctl_get_text_sel(w, &a, nullptr);
         },
         "vkok_ctl_get_text_sel", 0x210000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call(control(c.type));
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    EXPECT_EQ(vko_ctl_get_native_colors(W_DOC), nullptr);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1230001u);
    vko_ctl_get_native_colors(WC_TEXTEDIT);
    EXPECT_TRUE(base().TakeForwarded("vkov_tx_get_native_colors"));
}

TEST_F(TctlTest, SetTextSel_InvertedSelectionWarnsAndCollapses) {
    WINDOW edit = control(WC_EDIT);
    vko_ctl_set_text_sel(edit, 5, 2);
    ASSERT_NE(base().LastReport(), nullptr);
    EXPECT_EQ(base().LastReport()->code, 0x1250004u);
    EXPECT_EQ(base().LastReport()->severity, 1);
    const Call *call = base().LastCall("vkok_ctl_set_text_sel");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[1].value, 5);
    EXPECT_EQ(call->args[2].value, 5);
    vko_ctl_set_text_sel(control(WC_TEXT), 0, 1);
    ASSERT_NE(base().LastReport(), nullptr);
    EXPECT_NE(base().LastReport()->obj, nullptr); // the kind check names the control
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TctlTest, CheckRadioButton_ChecksEveryElementBeforeChangingAnything) {
    WINDOW button = control(WC_RADIOBUTTON);
    WINDOW other = control(WC_RADIOBUTTON);
    WINDOW box = control(WC_CHECKBOX);
    WINDOW freed = base().MakeWindow(0, WC_RADIOBUTTON, false);
    struct Case {
        const char *why;
        WINDOW button;
        std::vector<WINDOW> group;
        bool null_group;
        int32_t count;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"a good group", button, {button, other}, false, 2, 0},
        {"a check box as the button", box, {button}, false, 1, 0x1230001},
        {"null group", button, {}, true, 1, 0x210000},
        {"count 0", button, {button}, false, 0, 0x1250004},
        {"a check box in the group", button, {other, box}, false, 2, 0x1230001},
        {"a freed button in the group", button, {freed, box}, false, 2, 0x1220002},
        {"a null element", button, {other, nullptr}, false, 2, 0x1210002},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<WINDOW> group = c.group;
        vko_ctl_check_radio_button(c.button, c.null_group ? nullptr : group.data(), c.count);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded("vkok_ctl_check_radio_button"), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

} // namespace
