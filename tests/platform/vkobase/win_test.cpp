// win_test.cpp: window records: the tree, destruction order, validity of handles, geometry
// and lookups.
#include <cstring>
#include <string>

#include "core_test_support.h"
// The hit test behind the platform's window-from-point service.
#include "../../../platform/vkobase/src/window_internal.h"
#include "../../../platform/vkobase/src/live_registry.h"

namespace {

using vkotest::CoreTest;
using vkotest::seen;
using vkotest::types_of;

class WinTest : public CoreTest {};

TEST_F(WinTest, Destroy_ChildrenFirstWithDestroyEventsAndNoLiveHandleLeft) {
    ASSERT_NE(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW), 0); // the root exists
    const int32_t before = vkov_test_live_count(VKO_LIVE_WINDOW);
    WINDOW doc = make_doc();
    WINDOW a = make_child(doc, s_rct{0, 0, 10, 10});
    WINDOW a1 = make_child(a, s_rct{0, 0, 5, 5});
    WINDOW b = make_child(doc, s_rct{20, 0, 30, 10});
    ASSERT_NE(a1, nullptr);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_WINDOW), before + 4);
    EXPECT_EQ(types_of(doc), (std::vector<e_event>{E_CREATE}));

    seen().clear();
    vkok_vobj_destroy(doc);
    std::vector<WINDOW> destroyed;
    for (const auto &s : seen())
        if (s.event.type == E_DESTROY)
            destroyed.push_back(s.win);
    // Front child first, each subtree bottom-up, the window itself last.
    EXPECT_EQ(destroyed, (std::vector<WINDOW>{b, a1, a, doc}));
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_WINDOW), before);
    for (WINDOW w : {doc, a, a1, b})
        EXPECT_FALSE(vkov_vobj_is_valid(w));
}

TEST_F(WinTest, Predicates_RejectNullFreedAndForeignHandlesWithoutReadingThem) {
    WINDOW live = make_doc();
    WINDOW freed = make_doc();
    vkok_vobj_destroy(freed);
    // A look-alike record with the live signature that the library never handed out.
    s_win forged{};
    forged.signature = VKO_WIN_SIGNATURE;
    CXO live_cxo = vkov_cxo_create(
        live, 0, 1, [](CXO, EVENT *) { return 0; }, 0, "X", 0);
    CXO freed_cxo = vkov_cxo_create(
        live, 0, 1, [](CXO, EVENT *) { return 0; }, 0, "Y", 0);
    vkov_cxo_destroy(freed_cxo);
    s_cxo forged_cxo{};
    forged_cxo.signature = VKO_CXO_SIGNATURE;

    struct Case {
        const char *why;
        WINDOW win;
        CXO cxo;
        BOOLEAN valid;
    };
    const Case cases[] = {
        {"null handles", nullptr, nullptr, FALSE},
        {"freed handles", freed, freed_cxo, FALSE},
        {"forged records with the right signature", &forged, &forged_cxo, FALSE},
        {"live handles", live, live_cxo, TRUE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkov_vobj_is_valid(c.win), c.valid);
        EXPECT_EQ(vkov_cxo_is_valid(c.cxo), c.valid);
        // Operations on bad handles do nothing and do not crash.
        s_rct r{1, 1, 1, 1};
        EXPECT_EQ(vkok_vobj_get_outer_rect(c.win, &r) != nullptr, c.valid != 0);
    }
}

TEST_F(WinTest, Predicates_AnswerRightAfterRecentLookupsOfRecordsThatCameAndWent) {
    // Records 4096 bytes apart share a place among the recent answers; answers are asked
    // right after the records came, changed kind and went.
    static char block[3 * 4096];
    const void *a = block;
    const void *b = block + 4096;
    vkobase::live_add(a, vkobase::LiveKind::Window);
    vkobase::live_add(b, vkobase::LiveKind::Font);
    struct Step {
        const char *why;
        void (*change)(const void *a, const void *b);
        bool a_window, a_font, b_font;
    };
    const Step steps[] = {
        {"both registered", [](const void *, const void *) {}, true, false, true},
        {"a gone", [](const void *x, const void *) { vkobase::live_remove(x); }, false, false,
         true},
        {"a back as a font",
         [](const void *x, const void *) { vkobase::live_add(x, vkobase::LiveKind::Font); },
         false, true, true},
        {"b gone", [](const void *, const void *y) { vkobase::live_remove(y); }, false, true,
         false},
    };
    for (const Step &st : steps) {
        SCOPED_TRACE(st.why);
        st.change(a, b);
        for (int twice = 0; twice < 2; ++twice) {
            EXPECT_EQ(vkobase::live_is(a, vkobase::LiveKind::Window), st.a_window);
            EXPECT_EQ(vkobase::live_is(a, vkobase::LiveKind::Font), st.a_font);
            EXPECT_EQ(vkobase::live_is(b, vkobase::LiveKind::Font), st.b_font);
        }
    }
    vkobase::live_remove(a);
}

TEST_F(WinTest, Geometry_OuterClientAndScreenPositionsAgree) {
    WINDOW doc = make_doc(s_rct{100, 50, 300, 450});
    WINDOW child = make_child(doc, s_rct{10, 20, 60, 120});
    WINDOW grandchild = make_child(child, s_rct{5, 5, 15, 25});
    const int16_t frame = static_cast<int16_t>(vkok_vobj_get_attr(NULL_WIN, 500));
    const int16_t title = static_cast<int16_t>(vkok_vobj_get_attr(NULL_WIN, 507));

    s_rct r{};
    vkok_vobj_get_client_rect(doc, &r);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.bottom, 200);
    EXPECT_EQ(r.right, 400);
    vkok_vobj_get_outer_rect(doc, &r);
    EXPECT_EQ(r.left, 50 - frame);
    EXPECT_EQ(r.top, 100 - frame - title);
    vkok_vobj_get_outer_rect(child, &r); // a child has no decorations
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right, 120);

    struct Case {
        const char *why;
        WINDOW from, to;
        s_pnt in, out;
    };
    const Case cases[] = {
        {"child to its parent", child, doc, {1, 2}, {11, 22}},
        {"grandchild to the screen", grandchild, nullptr, {0, 0}, {115, 75}},
        {"screen to grandchild", nullptr, grandchild, {115, 75}, {0, 0}},
        {"between siblings' descendants", grandchild, child, {1, 1}, {6, 6}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        s_pnt p = c.in;
        vkok_vobj_translate_points(c.from, c.to, &p, 1);
        EXPECT_EQ(p.v, c.out.v);
        EXPECT_EQ(p.h, c.out.h);
    }
}

TEST_F(WinTest, Move_SendsSizeOnlyWhenTheSizeChanges) {
    WINDOW doc = make_doc(s_rct{0, 0, 100, 200});
    seen().clear();
    const s_rct moved{10, 10, 110, 210};
    vkok_vobj_move(doc, &moved);
    EXPECT_TRUE(types_of(doc).empty());
    const s_rct resized{10, 10, 60, 310};
    vkok_vobj_move(doc, &resized);
    ASSERT_EQ(types_of(doc), (std::vector<e_event>{E_SIZE}));
    EXPECT_EQ(seen().back().event.v.size.height, 50);
    EXPECT_EQ(seen().back().event.v.size.width, 300);
}

TEST_F(WinTest, Lookups_ControlByIdTitlesAndChildList) {
    WINDOW doc = make_doc();
    s_win_def defs[4] = {};
    defs[0].type = W_DOC;
    defs[0].rct = s_rct{10, 10, 200, 300};
    defs[0].text = const_cast<char *>("From definition");
    defs[1].type = WC_PUSHBUTTON;
    defs[1].rct = s_rct{5, 5, 25, 80};
    defs[1].text = const_cast<char *>("OK");
    defs[1].id = 7;
    defs[2].type = WC_CHECKBOX;
    defs[2].rct = s_rct{2, 2, 4, 4};
    defs[2].units = VKO_U_CHARS; // 2 cells down and across: 32, 16 pixels
    defs[2].text = const_cast<char *>("Check");
    defs[2].id = 8;
    WINDOW dlg = vkok_win_create_def(defs, doc, VKO_EVENT_MASK_ALL, vkotest::recording_handler, 0);
    ASSERT_NE(dlg, nullptr);

    WINDOW ok = vkok_win_get_ctl(dlg, 7);
    WINDOW check = vkok_win_get_ctl(doc, 8); // found through the dialog
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(vkok_win_get_ctl(dlg, 9), nullptr);
    s_rct r{};
    vkok_vobj_get_outer_rect(check, &r);
    EXPECT_EQ(r.top, 32);
    EXPECT_EQ(r.left, 16);

    char buf[5];
    EXPECT_STREQ(vkok_vobj_get_title(dlg, buf, sizeof buf), "From");
    vkov_vobj_set_title(ok, "Cancel");
    char full[32];
    EXPECT_STREQ(vkok_vobj_get_title(ok, full, sizeof full), "Cancel");

    SLIST kids = vkov_win_list_wins(dlg, 0, TRUE);
    ASSERT_NE(kids, nullptr);
    EXPECT_EQ(vkov_slist_count(kids), 2);
    vkov_slist_destroy(kids);
    // The window's create event came after its children existed.
    ASSERT_FALSE(seen().empty());
    EXPECT_EQ(seen().back().win, dlg);
    EXPECT_EQ(seen().back().event.type, E_CREATE);
}

TEST_F(WinTest, WindowAtScreenPoint_FindsTheDeepestVisibleWindowInFront) {
    WINDOW back = make_doc(s_rct{100, 100, 300, 300});
    WINDOW front = make_doc(s_rct{150, 150, 350, 350});
    WINDOW inner = make_child(front, s_rct{10, 10, 20, 20});
    WINDOW hidden = make_child(front, s_rct{30, 30, 40, 40});
    vkok_vobj_set_visible(hidden, FALSE);

    struct Case {
        const char *why;
        s_pnt at;
        WINDOW expected;
    };
    const Case cases[] = {
        {"only the back window there", {120, 120}, back},
        {"the overlap belongs to the front window", {200, 200}, front},
        {"a child inside the front window", {165, 165}, inner},
        {"a hidden child is passed over", {185, 185}, front},
        {"nothing but the screen",
         {5, 5},
         reinterpret_cast<WINDOW>(vkok_vobj_get_attr(NULL_WIN, 300))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkobase::win_at_screen_point(c.at), c.expected);
    }
    vkok_vobj_raise(back);
    EXPECT_EQ(vkobase::win_at_screen_point(s_pnt{200, 200}), back);
}

TEST_F(WinTest, ControlColours_SetUnsetAndListedForTheCaller) {
    WINDOW doc = make_doc();
    const s_color_pair set[] = {
        {VKO_CC_FORE, 0x00112233}, {VKO_CC_BACK, 0x00445566}, {0, VKO_COLOR_UNSET}};
    vkok_win_set_ctl_colors(doc, set, FALSE);
    const s_color_pair unset_fore[] = {{VKO_CC_FORE, VKO_COLOR_UNSET}, {0, VKO_COLOR_UNSET}};
    vkok_win_set_ctl_colors(doc, unset_fore, FALSE);
    s_color_pair *list = vkok_win_get_ctl_colors(doc);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list[0].component, VKO_CC_BACK);
    EXPECT_EQ(list[0].color, 0x00445566u);
    EXPECT_EQ(list[1].component, 0);
    vkov_mem_free(list);
    vkok_win_set_ctl_colors(doc, nullptr, TRUE);
    EXPECT_EQ(vkok_win_get_ctl_colors(doc), nullptr);
}

std::vector<std::pair<s_win_def *, WINDOW>> &tx_created() {
    static std::vector<std::pair<s_win_def *, WINDOW>> v;
    return v;
}

TXEDIT fake_tx_create(s_win_def *def, WINDOW parent, intptr_t) {
    tx_created().emplace_back(def, parent);
    return 77;
}

TXEDIT fake_tx_get(WINDOW, int32_t ctl_id) {
    return ctl_id == 5 ? 77 : 0;
}

TEST_F(WinTest, TextEditEntries_GoToTheEngineRoutinesOfTheStartUpRecord) {
    s_startup startup{};
    startup.tx_create = fake_tx_create;
    startup.tx_get_tx = fake_tx_get;
    ASSERT_TRUE(vkowi_Begin(&startup));
    ASSERT_TRUE(vkowi_Init(&startup));
    tx_created().clear();

    s_win_def defs[3] = {};
    defs[0].type = W_DOC;
    defs[0].rct = s_rct{0, 0, 100, 100};
    defs[1].type = WC_TEXTEDIT;
    defs[1].rct = s_rct{5, 5, 50, 90};
    defs[1].id = 5;
    WINDOW win =
        vkok_win_create_def(defs, NULL_WIN, VKO_EVENT_MASK_ALL, vkotest::recording_handler, 0);
    ASSERT_NE(win, nullptr);
    ASSERT_EQ(tx_created().size(), 1u);
    EXPECT_EQ(tx_created()[0].first, &defs[1]);
    EXPECT_EQ(tx_created()[0].second, win);
    EXPECT_EQ(vkov_win_get_tx(win, 5), 77u);
    EXPECT_EQ(vkov_win_get_tx(win, 6), 0u);
}

BOOLEAN stop_at_second(WINDOW win, intptr_t data) {
    auto *visited = reinterpret_cast<std::vector<WINDOW> *>(data);
    visited->push_back(win);
    return visited->size() < 2 ? TRUE : FALSE;
}

TEST_F(WinTest, EnumWins_VisitsChildrenInOrderUntilTheCallbackStops) {
    WINDOW doc = make_doc();
    WINDOW a = make_child(doc, s_rct{0, 0, 1, 1});
    WINDOW b = make_child(doc, s_rct{0, 0, 1, 1});
    make_child(doc, s_rct{0, 0, 1, 1});
    std::vector<WINDOW> visited;
    EXPECT_FALSE(vkov_win_enum_wins(doc, stop_at_second, reinterpret_cast<intptr_t>(&visited), 0));
    EXPECT_EQ(visited, (std::vector<WINDOW>{a, b}));
    std::vector<WINDOW> none;
    EXPECT_TRUE(vkov_win_enum_wins(a, stop_at_second, reinterpret_cast<intptr_t>(&none), 0));
    EXPECT_TRUE(none.empty());
}

} // namespace

namespace {

TEST_F(WinTest, CreationFlags_NeverCarryTheLibrarysOwnBits) {
    const s_rct rct{0, 0, 10, 10};
    WINDOW win = vkok_win_create(W_DOC, &rct, "Flags", 0, NULL_WIN,
                                 VKO_WF_TEXTEDIT | VKO_WF_PIXMAP | VKO_WF_FIXED | 0x0003u,
                                 VKO_EVENT_MASK_ALL, vkotest::recording_handler, 0);
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->flags & (VKO_WF_TEXTEDIT | VKO_WF_PIXMAP | VKO_WF_FIXED), 0u);
    EXPECT_EQ(win->flags & 0x0003u, 0x0003u);         // the caller's own style bits stay
    EXPECT_NE(win->flags & VKO_WF_DRAWABLE_MASK, 0u); // a document window can be drawn in
    EXPECT_EQ(vkok_vobj_get_flags(win) & VKO_WF_TEXTEDIT, 0u);
}

// On its destroy event, destroys its own parent (a dialog's control closing the dialog).
std::int32_t destroys_parent_on_destroy(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type == E_DESTROY)
        vkok_vobj_destroy(win->parent);
    return 0;
}

TEST_F(WinTest, Destroy_AChildWhoseDestroyHandlerDestroysItsParentLeavesNothingBehind) {
    ASSERT_NE(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW), 0); // the root exists
    const int32_t before = vkov_test_live_count(VKO_LIVE_WINDOW);
    WINDOW doc = make_doc();
    const s_rct rct{0, 0, 10, 10};
    WINDOW kid = vkok_win_create(W_NO_BORDER, &rct, "kid", 0, doc, 0, VKO_EVENT_MASK_ALL,
                                 destroys_parent_on_destroy, 0);
    WINDOW sibling = make_child(doc, s_rct{20, 0, 30, 10});
    ASSERT_NE(kid, nullptr);
    seen().clear();
    vkok_vobj_destroy(kid); // the parent goes while the child's destruction is under way
    std::vector<WINDOW> destroyed;
    for (const auto &s : seen())
        if (s.event.type == E_DESTROY)
            destroyed.push_back(s.win);
    EXPECT_EQ(destroyed, (std::vector<WINDOW>{kid, sibling, doc}));
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_WINDOW), before);
    for (WINDOW w : {doc, kid, sibling})
        EXPECT_FALSE(vkov_vobj_is_valid(w));
}

} // namespace
