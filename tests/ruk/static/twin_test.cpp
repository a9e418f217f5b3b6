// Tests of the window family against the recording double: update refusal, the window check
// with its type sets, creation from arguments and from definition lists (repairs and the
// caller's list), colour components, event dispatch and the modal loop.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "layer_fixture.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;
using base_double::Call;

int32_t handler(WINDOW, EVENT *) {
    return 0;
}

// The layer fixture's windows, and made(type) for the kinds it does not hold.
class TwinTest : public LayerTest {
protected:
    static WINDOW made(e_win_type type) { return base().MakeWindow(0, type); }
};

TEST_F(TwinTest, WindowCheck_RefusesNullDeadAndWrongTypesWithTheirCodes) {
    struct Case {
        const char *why;
        WINDOW win;
        std::function<void(WINDOW)> call;
        const char *target;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"null window", window(Win::Null), [](WINDOW w) { vko_win_set_cursor(w, 3); },
         "vkok_win_set_cursor", 0x1210002},
        {"freed window is refused", window(Win::Freed), [](WINDOW w) { vko_win_set_cursor(w, 3); },
         "vkok_win_set_cursor", 0x1220002},
        {"a pointer to anything is refused unread", window(Win::Foreign),
         [](WINDOW w) { vko_win_set_handler(w, handler); }, "", 0x1220002},
        {"cursor on a modeless window (set A)", made(W_MODELESS),
         [](WINDOW w) { vko_win_set_cursor(w, 3); }, "vkok_win_set_cursor", 0x1230001},
        {"cursor on the screen window (set A)", made(W_SCREEN),
         [](WINDOW w) { vko_win_set_cursor(w, 3); }, "vkok_win_set_cursor", 0},
        {"control font on the screen window (set C)", made(W_SCREEN),
         [](WINDOW w) { vko_win_get_ctl_font(w); }, "vkok_win_get_ctl_font", 0x1230001},
        {"control font on a subwindow (set C)", made(W_SUBWIN),
         [](WINDOW w) { vko_win_get_ctl_font(w); }, "vkok_win_get_ctl_font", 0},
        {"a print window is never accepted", window(Win::Print),
         [](WINDOW w) { vko_win_list_cxos(w); }, "vkov_win_list_cxos", 0x1230001},
        {"a text edit has type 23", window(Win::TextEdit),
         [](WINDOW w) { vko_win_set_caret_visible(w, TRUE); }, "vkok_win_set_caret_visible",
         0x1230001},
        {"navigation reports a wrong type as invalid", window(Win::Task),
         [](WINDOW w) { vko_win_get_nav(w); }, "vkov_win_get_nav", 0x1220002},
        {"a control has no type check for get_ctl", made(WC_PUSHBUTTON),
         [](WINDOW w) { vko_win_get_ctl(w, 7); }, "vkok_win_get_ctl", 0},
        {"pointer trap refuses a native control", window(Win::TextEdit),
         [](WINDOW w) { vko_win_trap_pointer(w); }, "vkok_win_trap_pointer", 0x1230001},
        {"document title needs a title", window(Win::Doc),
         [](WINDOW w) { vko_win_set_doc_title(w, nullptr); }, "vkok_win_set_doc_title", 0x210000},
        {"class name of get_cxo", made(W_MODELESS),
         [](WINDOW w) { vko_win_get_cxo(w, nullptr, 0); }, "vkov_win_get_cxo", 0x1220001},
        {"reserved word of enum_wins", window(Win::Doc),
         [](WINDOW w) { vko_win_enum_wins(w, nullptr, 0, 1); }, "vkov_win_enum_wins", 0x1250001},
        {"reserved word of list_wins", window(Win::Doc), [](WINDOW w) { vko_win_list_wins(w, 2); },
         "vkov_win_list_wins", 0x1250001},
        {"enumeration of a freed window", window(Win::Freed),
         [](WINDOW w) { vko_win_enum_wins(w, nullptr, 0, 0); }, "vkov_win_enum_wins", 0x1220002},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        c.call(c.win);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        if (c.target[0] != '\0') {
            EXPECT_EQ(base().TakeForwarded(c.target), c.code == 0);
        }
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TwinTest, ListWins_AsksForDirectChildrenOnly) {
    WINDOW doc = made(W_DOC);
    vko_win_list_wins(doc, 0);
    const Call *call = base().LastCall("vkov_win_list_wins");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[2].value, TRUE);
}

TEST_F(TwinTest, Create_ChecksInOrderAndRepairsACopyOfTheRectangle) {
    struct Case {
        const char *why;
        e_win_type type;
        WINDOW parent;
        bool inverted;
        bool with_handler;
        std::uint32_t flags_code; // what vkov_win_check_flags answers
        std::uint32_t code;       // the last report
        bool created;
    };
    const Case cases[] = {
        {"good window", W_DOC, window(Win::Doc), false, true, 0, 0, true},
        {"type 4 comes before a null parent", W_PRINT, window(Win::Null), false, true, 0, 0x1230001,
         false},
        {"null parent", W_DOC, window(Win::Null), false, true, 0, 0x1210002, false},
        {"freed parent", W_DOC, window(Win::Freed), false, true, 0, 0x1220002, false},
        {"modal window under a modeless one", W_MODAL, made(W_MODELESS), false, true, 0, 0, true},
        {"document window under a subwindow", W_DOC, made(W_SUBWIN), false, true, 0, 0x1230001,
         false},
        {"button as parent", W_DOC, made(WC_PUSHBUTTON), false, true, 0, 0x1230001, false},
        {"inverted rectangle: warning, then created", W_DOC, window(Win::Task), true, true, 0,
         0x1240003, true},
        {"flags refused with the base library's code", W_DOC, window(Win::Doc), false, true,
         0x2220005, 0x2220005, false},
        {"null handler", W_DOC, window(Win::Doc), false, false, 0, 0x121000E, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_win_check_flags", c.flags_code);
        static int created_marker;
        base().SetResultPtr("vkok_win_create", &created_marker);
        const s_rct given = c.inverted ? s_rct{50, 60, 10, 20} : s_rct{10, 20, 50, 60};
        s_rct rct = given;
        WINDOW made = vko_win_create(c.type, &rct, "title", 0, c.parent, 0, -1,
                                     c.with_handler ? handler : nullptr, 0);
        EXPECT_EQ(base().LastReport() ? base().LastReport()->code : 0u, c.code);
        EXPECT_EQ(made != nullptr, c.created);
        EXPECT_EQ(rct.top, given.top); // the caller's rectangle stays as it was
        EXPECT_EQ(rct.left, given.left);
        if (c.created) {
            const Call *call = base().LastCall("vkok_win_create");
            ASSERT_NE(call, nullptr);
            ASSERT_TRUE(call->args[1].has_rect);
            EXPECT_LT(call->args[1].rect.top, call->args[1].rect.bottom);
            EXPECT_LT(call->args[1].rect.left, call->args[1].rect.right);
            if (c.inverted) {
                EXPECT_EQ(base().LastReport()->severity, 1);
            }
        }
        EXPECT_TRUE(base().TakeForwarded("vkok_win_create") == c.created);
        base().TakeLastReportCode();
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

// A definition list of one window entry and one control entry, ended by type 0.
struct DefList {
    s_win_def entries[3] = {};
    DefList(e_win_type type, s_rct rct) {
        entries[0].type = type;
        entries[0].rct = rct;
        entries[1].type = WC_PUSHBUTTON;
        entries[1].rct = s_rct{1, 1, 20, 40};
    }
};

class TwinCreateDefTest : public TwinTest {
protected:
    void SetUp() override {
        TwinTest::SetUp();
        // The repair saves and orders the entries' rectangles; the restore puts them back.
        base().SetResponder("vkov_rect_repair_windef", [](const Call &call) {
            auto *list =
                reinterpret_cast<s_win_def *>(static_cast<std::uintptr_t>(call.args[0].value));
            auto *saved =
                reinterpret_cast<s_rct *>(static_cast<std::uintptr_t>(call.args[1].value));
            auto **where =
                reinterpret_cast<s_rct **>(static_cast<std::uintptr_t>(call.args[2].value));
            int n = 0;
            for (s_win_def *e = list; e->type != 0; ++e) {
                s_rct &r = e->rct;
                if (r.top <= r.bottom && r.left <= r.right)
                    continue;
                saved[n] = r;
                where[n++] = &r;
                r = s_rct{std::min(r.top, r.bottom), std::min(r.left, r.right),
                          std::max(r.top, r.bottom), std::max(r.left, r.right)};
            }
            return base_double::Answer{true, n > 0 ? 1 : 0, 0.0};
        });
        base().SetResponder("vkov_rect_restore", [](const Call &call) {
            auto *saved =
                reinterpret_cast<s_rct *>(static_cast<std::uintptr_t>(call.args[0].value));
            auto **where =
                reinterpret_cast<s_rct **>(static_cast<std::uintptr_t>(call.args[1].value));
            for (int i = 0; where[i] != nullptr; ++i)
                *where[i] = saved[i];
            return base_double::Answer{};
        });
        static int made;
        base().SetResultPtr("vkok_win_create_def", &made);
    }
};

TEST_F(TwinCreateDefTest, ParentsAndFirstEntry_DecideInOrder) {
    struct Case {
        const char *why;
        WINDOW parent;
        e_win_type type;
        uint32_t win_flags;
        int16_t menu_bar_id;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"no menu under a document window", window(Win::Doc), W_DOC, 0, 0, 0},
        {"no menu under the task window", window(Win::Task), W_DOC, 0, 0, 0x220000},
        {"no menu under the screen window", made(W_SCREEN), W_DOC, 0, 0, 0x220000},
        {"no menu wanted under the task window", window(Win::Task), W_DOC, VKO_WSF_NO_MENUBAR, 0,
         0},
        {"a menu bar id under the task window", window(Win::Task), W_DOC, 0, 5, 0},
        {"a dialog under the task window", window(Win::Task), W_MODAL, 0, 0, 0},
        {"a dialog under a subwindow", made(W_SUBWIN), W_MODAL, 0, 0, 0},
        {"a document window under a subwindow", made(W_SUBWIN), W_DOC, 0, 0, 0x1230001},
        {"a print window under a document", window(Win::Doc), W_PRINT, 0, 0, 0x1230001},
        {"a null parent", window(Win::Null), W_DOC, 0, 0, 0x1210002},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        DefList list{c.type, s_rct{0, 0, 100, 100}};
        list.entries[0].win_flags = c.win_flags;
        list.entries[0].menu_bar_id = c.menu_bar_id;
        WINDOW made = vko_win_create_def(list.entries, c.parent, 0, handler, 0);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(made != nullptr, c.code == 0);
        EXPECT_EQ(base().TakeForwarded("vkok_win_create_def"), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TwinCreateDefTest, RepairedList_IsRestoredOnEveryPath) {
    struct Case {
        const char *why;
        std::uint32_t ctl_code;  // vkov_ctl_check_flags
        std::uint32_t font_code; // vkov_win_check_fonts
        std::uint32_t code;
    };
    const Case cases[] = {
        {"created from the repaired list", 0, 0, 0},
        {"a control refused after the repair", 0x2230007, 0, 0x2230007},
        {"fonts refused after the repair", 0, 0x2240001, 0x2240001},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_ctl_check_flags", c.ctl_code);
        base().SetResult("vkov_win_check_fonts", c.font_code);
        DefList list{W_DOC, s_rct{100, 100, 0, 0}};
        WINDOW made = vko_win_create_def(list.entries, window(Win::Doc), 0, handler, 0);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(made != nullptr, c.code == 0);
        if (c.code == 0) {
            const Call *call = base().LastCall("vkok_win_create_def");
            ASSERT_NE(call, nullptr);
        }
        EXPECT_EQ(list.entries[0].rct.top, 100);
        EXPECT_EQ(list.entries[0].rct.bottom, 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TwinCreateDefTest, ControlEntriesOfType23_AreNotChecked) {
    DefList list{W_DOC, s_rct{0, 0, 100, 100}};
    list.entries[1].type = WC_TEXTEDIT;
    std::vector<int64_t> checked;
    base().SetResponder("vkov_ctl_check_flags", [&](const Call &call) {
        checked.push_back(call.args[0].value);
        return base_double::Answer{true, 0, 0.0};
    });
    EXPECT_NE(vko_win_create_def(list.entries, window(Win::Doc), 0, handler, 0), nullptr);
    EXPECT_TRUE(checked.empty());
}

TEST_F(TwinCreateDefTest, UnusableFirstRectangle_IsRefusedWithSeverity2) {
    DefList list{W_DOC, s_rct{10, 10, 10, 50}}; // zero height survives the repair
    EXPECT_EQ(vko_win_create_def(list.entries, window(Win::Doc), 0, handler, 0), nullptr);
    ASSERT_NE(base().LastReport(), nullptr);
    EXPECT_EQ(base().LastReport()->code, 0x1240003u);
    EXPECT_EQ(base().LastReport()->severity, 2);
    EXPECT_FALSE(base().Forwarded("vkok_win_create_def"));
}

// The colour list that a call handed on, read while the call runs.
struct SeenColors {
    std::vector<s_color_pair> pairs;
    int64_t reset = -1;
    bool called = false;
};

void watch_colors(const char *name, SeenColors &seen) {
    base().SetResponder(name, [&seen](const Call &call) {
        seen.called = true;
        seen.reset = call.args[2].value;
        seen.pairs.clear();
        auto *p =
            reinterpret_cast<const s_color_pair *>(static_cast<std::uintptr_t>(call.args[1].value));
        for (; p != nullptr; ++p) {
            seen.pairs.push_back(*p);
            if (p->component == 0)
                break;
        }
        return base_double::Answer{};
    });
}

TEST_F(TwinTest, ColorComponents_SetReachesTextEditsUnsetDoesNot) {
    SeenColors win_seen, tx_seen;
    watch_colors("vkok_win_set_ctl_colors", win_seen);
    watch_colors("vkov_tx_reset_colors", tx_seen);
    WINDOW doc = made(W_DOC);

    vko_win_set_ctl_color_component(doc, VKO_CC_BACK, 0x123456);
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    ASSERT_TRUE(win_seen.called && tx_seen.called);
    ASSERT_EQ(win_seen.pairs.size(), 2u);
    EXPECT_EQ(win_seen.pairs[0].component, VKO_CC_BACK);
    EXPECT_EQ(win_seen.pairs[0].color, 0x123456u);
    EXPECT_EQ(win_seen.pairs[1].color, VKO_COLOR_UNSET);
    EXPECT_EQ(win_seen.reset, FALSE);
    EXPECT_EQ(tx_seen.reset, FALSE);

    win_seen = {};
    tx_seen = {};
    vko_win_unset_ctl_color_component(doc, VKO_CC_FORE);
    ASSERT_TRUE(win_seen.called);
    EXPECT_FALSE(tx_seen.called); // the text edits keep their colours
    EXPECT_EQ(win_seen.pairs[0].color, VKO_COLOR_UNSET);
    EXPECT_EQ(win_seen.reset, TRUE);

    win_seen = {};
    vko_win_set_ctl_colors(doc, nullptr, FALSE); // no list: back to the defaults
    EXPECT_EQ(win_seen.reset, TRUE);
    EXPECT_EQ(tx_seen.reset, TRUE);

    win_seen = {};
    vko_win_set_ctl_color_component(doc, 3, 0); // the component comes before the type
    EXPECT_EQ(base().TakeLastReportCode(), 0x1230001u);
    EXPECT_FALSE(win_seen.called);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TwinTest, GetColorComponent_SearchesTheListAndFreesIt) {
    s_color_pair list[] = {{VKO_CC_FORE, 0x11}, {VKO_CC_BACK, 0x22}, {0, VKO_COLOR_UNSET}};
    struct Case {
        const char *why;
        WINDOW win;
        int32_t component;
        bool has_list;
        COLOR color;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"found", window(Win::Doc), VKO_CC_BACK, true, 0x22, 0},
        {"missing from the list, no report", window(Win::Doc), VKO_CC_BORDER, true, VKO_COLOR_UNSET,
         0},
        {"no list at all", window(Win::Doc), VKO_CC_FORE, false, VKO_COLOR_UNSET, 0},
        {"component 3", window(Win::Doc), 3, true, VKO_COLOR_UNSET, 0x1230001},
        {"component checked before the type", made(W_SCREEN), 3, true, VKO_COLOR_UNSET, 0x1230001},
        {"screen window outside set C", made(W_SCREEN), VKO_CC_FORE, true, VKO_COLOR_UNSET,
         0x1230001},
        {"null window", window(Win::Null), 3, true, VKO_COLOR_UNSET, 0x1210002},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResultPtr("vkok_win_get_ctl_colors", c.has_list ? list : nullptr);
        EXPECT_EQ(vko_win_get_ctl_color_component(c.win, c.component), c.color);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        const bool fetched = base().TakeForwarded("vkok_win_get_ctl_colors");
        EXPECT_EQ(fetched, c.code == 0);
        EXPECT_EQ(base().TakeForwarded("vkov_mem_free"), c.code == 0 && c.has_list);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TwinTest, DispatchEvent_RefusesScreenWindowMissingHandlerAndBadTypes) {
    WINDOW screen_attr = made(W_DOC);
    base().SetResponder("vkok_vobj_get_attr", [screen_attr](const Call &call) {
        return base_double::Answer{call.args[1].value == 300,
                                   reinterpret_cast<intptr_t>(screen_attr), 0.0};
    });
    WINDOW doc = made(W_DOC);
    doc->handler = handler;
    WINDOW bare = made(W_DOC);
    screen_attr->handler = handler;
    struct Case {
        const char *why;
        WINDOW win;
        bool with_event;
        e_event type;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"dispatched", doc, true, E_USER, 0},
        {"event type 20", doc, true, E_CXO, 0x250000},
        {"null event", doc, false, E_USER, 0x210000},
        {"the window of attribute 300 takes no event", screen_attr, true, E_USER, 0x250000},
        {"a window without a handler", bare, true, E_USER, 0x1640001},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkok_win_dispatch_event", 7);
        EVENT event{};
        event.type = c.type;
        EXPECT_EQ(vko_win_dispatch_event(c.win, c.with_event ? &event : nullptr), c.code ? -1 : 7);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TwinTest, ProcessModal_NamesTheDialogInItsReports) {
    struct Case {
        const char *why;
        WINDOW win;
        uint32_t state;
        uint32_t state2;
        std::uint32_t code;
        bool names_window;
    };
    const Case cases[] = {
        {"runs a modal dialog", made(W_MODAL), 0, VKO_WS_MODAL_USE, 0, false},
        {"not a dialog", window(Win::Doc), 0, VKO_WS_MODAL_USE, 0x1230001, true},
        {"not made for modal use", made(W_MODAL), 0, 0, 0x1220013, true},
        {"being destroyed", made(W_MODAL), VKO_WS_ENDING, VKO_WS_MODAL_USE, 0x1220002, true},
        {"null dialog names no window", window(Win::Null), 0, 0, 0x1210002, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        WINDOW w = c.win;
        if (w != nullptr) {
            w->state = c.state;
            w->state2 = c.state2;
        }
        vko_win_process_modal(w);
        const base_double::Report *report = base().LastReport();
        EXPECT_EQ(report ? report->code : 0u, c.code);
        if (report != nullptr) {
            EXPECT_EQ(report->obj, c.names_window ? w : nullptr);
        }
        base().TakeLastReportCode();
        EXPECT_EQ(base().TakeForwarded("vkok_win_process_modal"), c.code == 0);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TwinTest, RecordAccessors_ReadAndWriteTheWindowItself) {
    WINDOW doc = made(W_DOC);
    doc->cursor_id = 12;
    doc->flags = 0x1;
    vko_win_set_event_mask(doc, 0x55);
    vko_win_set_handler(doc, handler);
    EXPECT_EQ(vko_win_get_event_mask(doc), 0x55);
    EXPECT_EQ(vko_win_get_handler(doc), &handler);
    EXPECT_EQ(vko_win_get_cursor(doc), 12);
    EXPECT_EQ(vko_win_has_menu(doc), TRUE);
    doc->state2 = VKO_WS_NO_MENU;
    EXPECT_EQ(vko_win_has_menu(doc), FALSE);
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    EXPECT_EQ(vko_win_get_cursor(made(W_MODELESS)), 65535);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1230001u);
    EXPECT_EQ(vko_win_get_event_mask(window(Win::Freed)), 0);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1220002u);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TwinTest, ReleasePointer_ReleasesTheTrap) {
    vko_win_release_pointer();
    EXPECT_TRUE(base().TakeForwarded("vkok_win_release_pointer"));
    EXPECT_EQ(base().MarkedNames().back(), "vko_win_release_pointer");
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TwinTest, SetCtlFont_ReachesTheTextEditsAndRefusesADeadFont) {
    WINDOW doc = made(W_DOC);
    int font_storage = 0;
    auto *font = reinterpret_cast<s_fntid *>(&font_storage);
    vko_win_set_ctl_font(doc, nullptr); // the default font needs no check
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    EXPECT_TRUE(base().TakeForwarded("vkov_win_set_ctl_font"));
    EXPECT_TRUE(base().TakeForwarded("vkov_tx_win_set_font"));
    vko_win_set_ctl_font(doc, font);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1220003u);
    EXPECT_FALSE(base().TakeForwarded("vkov_win_set_ctl_font"));
    base().SetLive("vkov_font_is_valid", font);
    vko_win_set_ctl_font(doc, font);
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    EXPECT_TRUE(base().TakeForwarded("vkov_tx_win_set_font"));
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

} // namespace
