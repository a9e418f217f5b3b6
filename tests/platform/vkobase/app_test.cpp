// app_test.cpp: the event loop: queue order, update regions and the update predicates,
// timers on the virtual clock, modal loops, the application-wide hook and the system run.
#include "core_test_support.h"

#include <algorithm>
// Posting events is how the library's own families feed the queue.
#include "../../../platform/vkobase/src/window_internal.h"

namespace {

using vkotest::CoreTest;
using vkotest::seen;
using vkotest::types_of;

class AppTest : public CoreTest {};

EVENT user_event(int32_t id) {
    EVENT ev{};
    ev.type = E_USER;
    ev.v.user.id = id;
    return ev;
}

TEST_F(AppTest, Queue_DeliversPostedEventsInOrderAcrossWindows) {
    WINDOW a = make_doc();
    WINDOW b = make_doc();
    vkok_app_process_pending_events(); // the windows' first updates
    seen().clear();
    const EVENT e1 = user_event(1), e2 = user_event(2), e3 = user_event(3);
    vkov_test_post_event(a, &e1);
    vkov_test_post_event(b, &e2);
    vkov_test_post_event(a, &e3);
    EXPECT_TRUE(seen().empty()); // nothing before the loop runs
    vkok_app_process_pending_events();
    ASSERT_EQ(seen().size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(seen()[static_cast<size_t>(i)].event.v.user.id, i + 1);
    EXPECT_EQ(seen()[1].win, b);
}

TEST_F(AppTest, Updates_MergeRegionsComeAfterOtherEventsAndSetThePredicateOnlyMeanwhile) {
    WINDOW doc = make_doc(s_rct{0, 0, 200, 200});
    vkok_app_process_pending_events();
    seen().clear();
    const s_rct r1{10, 10, 20, 20}, r2{15, 15, 40, 30}, r3{100, 100, 110, 120};
    vkobase::win_invalidate(doc, &r1);
    vkobase::win_invalidate(doc, &r2);
    vkobase::win_invalidate(doc, &r3);
    vkobase::win_post_event(doc, user_event(9));
    EXPECT_FALSE(vkov_app_proc_update());
    vkok_app_process_pending_events();

    ASSERT_EQ(types_of(doc), (std::vector<e_event>{E_USER, E_UPDATE}));
    EXPECT_FALSE(seen()[0].during_update);
    EXPECT_TRUE(seen()[1].during_update);
    const s_rct got = seen()[1].event.v.update.rct;
    EXPECT_EQ(got.top, 10);
    EXPECT_EQ(got.left, 10);
    EXPECT_EQ(got.bottom, 110);
    EXPECT_EQ(got.right, 120);
    EXPECT_FALSE(vkov_app_proc_update());
    EXPECT_FALSE(vkov_app_is_update_in_progress());
}

// How many updates a window received.
long updates_of(WINDOW win) {
    const std::vector<e_event> types = types_of(win);
    return std::count(types.begin(), types.end(), E_UPDATE);
}

TEST_F(AppTest, Updates_OfAWindowParkedOutOfSightWaitUntilItIsMovedIntoView) {
    // A window made far outside the screen, with a child, as a status window waits for a
    // long search: nothing of it can be seen, and nothing of it is painted.
    WINDOW parked = make_doc(s_rct{6250, 6225, 6506, 6650});
    WINDOW child = make_child(parked, s_rct{10, 10, 40, 90});
    WINDOW shown = make_doc(s_rct{100, 100, 300, 400});
    vkok_app_process_pending_events();
    EXPECT_EQ(updates_of(parked), 0);
    EXPECT_EQ(updates_of(child), 0);
    EXPECT_EQ(updates_of(shown), 1);
    vkobase::win_invalidate(child, nullptr);
    vkobase::win_update_now(parked);
    EXPECT_EQ(updates_of(child), 0) << "not even when asked at once";
    // Half on the screen is in sight.
    const s_rct edge{700, 1000, 900, 1200};
    vkok_vobj_move(parked, &edge);
    vkok_app_process_pending_events();
    EXPECT_EQ(updates_of(parked), 1);
    EXPECT_EQ(updates_of(child), 1) << "what waited is painted";
    // Parked again, then shown: the update made meanwhile comes then.
    const s_rct away{6250, 6225, 6506, 6650};
    vkok_vobj_move(parked, &away);
    vkobase::win_invalidate(child, nullptr);
    vkok_app_process_pending_events();
    EXPECT_EQ(updates_of(child), 1);
    const s_rct view{250, 225, 500, 650};
    vkok_vobj_move(parked, &view);
    vkok_app_process_pending_events();
    EXPECT_EQ(updates_of(child), 2);
}

TEST_F(AppTest, Updates_InsideAHiddenWindowWaitUntilItIsShown) {
    // A notebook's page behind the front one: its child is drawn into on every search.
    WINDOW doc = make_doc(s_rct{100, 100, 300, 400});
    WINDOW page = make_child(doc, s_rct{10, 10, 150, 250});
    WINDOW child = make_child(page, s_rct{10, 10, 40, 90});
    vkok_app_process_pending_events();
    const long before = updates_of(child);
    vkok_vobj_set_visible(page, FALSE);
    vkobase::win_invalidate(child, nullptr);
    vkok_app_process_pending_events();
    EXPECT_EQ(updates_of(child), before) << "nothing of it can be seen";
    vkok_vobj_set_visible(page, TRUE);
    vkok_app_process_pending_events();
    EXPECT_EQ(updates_of(child), before + 1) << "what waited is drawn once the page shows";
}

std::vector<bool> &needed_answers() {
    static std::vector<bool> v;
    return v;
}

int32_t probing_handler(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type == E_UPDATE) {
        const s_rct inside{12, 12, 14, 14}, outside{60, 60, 70, 70};
        needed_answers().push_back(vkobase::win_is_update_needed(win, &inside));
        needed_answers().push_back(vkobase::win_is_update_needed(win, &outside));
    }
    return 0;
}

TEST_F(AppTest, Updates_CanBeForcedNowAndAnswerWhichAreasNeedRepainting) {
    const s_rct rct{0, 0, 100, 100};
    WINDOW doc = vkok_win_create(W_DOC, &rct, "Probe", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                 probing_handler, 0);
    WINDOW child = make_child(doc, s_rct{50, 50, 90, 90});
    vkok_app_process_pending_events();
    seen().clear();
    needed_answers().clear();
    const s_rct a{10, 10, 20, 20};
    vkobase::win_invalidate(doc, &a);
    vkobase::win_invalidate(child, nullptr);
    EXPECT_TRUE(vkobase::win_is_update_needed(doc, &a)); // pending counts too
    vkobase::win_update_now(doc);                        // no loop needed
    EXPECT_EQ(types_of(doc), (std::vector<e_event>{E_UPDATE}));
    EXPECT_EQ(types_of(child), (std::vector<e_event>{E_UPDATE}));
    EXPECT_EQ(needed_answers(), (std::vector<bool>{true, false}));
    EXPECT_FALSE(vkobase::win_is_update_needed(doc, &a)); // repainted
    seen().clear();
    vkok_app_process_pending_events(); // nothing left over
    EXPECT_TRUE(seen().empty());
}

int g_update_nesting = 0;

// While repainting, makes another area invalid and has it repainted at once (as a scroll
// that flushes pending updates does), then probes its own area again.
int32_t nesting_handler(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type != E_UPDATE)
        return 0;
    const s_rct own{12, 12, 14, 14}, other{60, 60, 70, 70};
    if (g_update_nesting++ == 0) {
        vkobase::win_invalidate(win, &other);
        vkok_dwin_update(win);
        needed_answers().push_back(vkobase::win_is_update_needed(win, &own));
        needed_answers().push_back(vkov_app_proc_update() != FALSE);
    } else {
        needed_answers().push_back(vkobase::win_is_update_needed(win, &other));
        needed_answers().push_back(vkobase::win_is_update_needed(win, &own));
    }
    --g_update_nesting;
    return 0;
}

TEST_F(AppTest, Updates_ANestedUpdateLeavesTheOuterOneItsArea) {
    const s_rct rct{0, 0, 100, 100};
    WINDOW doc = vkok_win_create(W_DOC, &rct, "Nest", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                 nesting_handler, 0);
    vkok_app_process_pending_events();
    needed_answers().clear();
    const s_rct a{10, 10, 20, 20};
    vkobase::win_invalidate(doc, &a);
    vkok_app_process_pending_events();
    // Inner: its own area, not the outer one's; outer, afterwards: still its area, still
    // inside an update.
    EXPECT_EQ(needed_answers(), (std::vector<bool>{true, false, true, true}));
    EXPECT_FALSE(vkobase::win_is_update_needed(doc, &a));
    EXPECT_FALSE(vkov_app_proc_update());
}

WINDOW g_other_window = nullptr;

// While repainting, marks first another window, then its own as placing table-cell controls,
// and probes the predicates each time.
int32_t table_view_handler(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type != E_UPDATE)
        return 0;
    vkov_vobj_set_attr(g_other_window, VKO_ATTR_TABLE_VIEW, 1);
    needed_answers().push_back(vkov_app_proc_update() != FALSE);
    vkov_vobj_set_attr(g_other_window, VKO_ATTR_TABLE_VIEW, 0);
    vkov_vobj_set_attr(win, VKO_ATTR_TABLE_VIEW, 1);
    needed_answers().push_back(vkov_app_proc_update() != FALSE);
    needed_answers().push_back(vkov_app_is_update_in_progress() != FALSE);
    vkov_vobj_set_attr(win, VKO_ATTR_TABLE_VIEW, 0);
    needed_answers().push_back(vkov_app_proc_update() != FALSE);
    return 0;
}

TEST_F(AppTest, Updates_AWindowPlacingTableControlsLiftsTheUpdatePredicateForItself) {
    const s_rct rct{0, 0, 100, 100};
    g_other_window = make_doc();
    WINDOW doc = vkok_win_create(W_DOC, &rct, "Table", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                 table_view_handler, 0);
    vkok_app_process_pending_events();
    needed_answers().clear();
    const s_rct a{10, 10, 20, 20};
    vkobase::win_invalidate(doc, &a);
    vkok_app_process_pending_events();
    // Another window's mark changes nothing; the painting window's own mark lifts the refusal
    // predicate, not the update itself; taking it off restores it.
    EXPECT_EQ(needed_answers(), (std::vector<bool>{true, false, true, true}));
}

TEST_F(AppTest, Updates_HiddenWindowsGetNoneAndShowingOneRepaintsIt) {
    s_rct rct{0, 0, 50, 60};
    WINDOW doc = vkok_win_create(W_DOC, &rct, "Hidden", 0, NULL_WIN, VKO_WSF_INVISIBLE,
                                 VKO_EVENT_MASK_ALL, vkotest::recording_handler, 0);
    vkobase::win_invalidate(doc, nullptr);
    vkok_app_process_pending_events();
    EXPECT_EQ(types_of(doc), (std::vector<e_event>{E_CREATE}));
    vkok_vobj_set_visible(doc, TRUE);
    vkok_app_process_pending_events();
    ASSERT_EQ(types_of(doc), (std::vector<e_event>{E_CREATE, E_UPDATE}));
    EXPECT_EQ(seen().back().event.v.update.rct.bottom, 50);
    EXPECT_EQ(seen().back().event.v.update.rct.right, 60);
}

TEST_F(AppTest, Timers_FireAtTheirVirtualTimesUntilDestroyed) {
    WINDOW doc = make_doc();
    vkok_app_process_pending_events();
    seen().clear();
    const int32_t fast = vkov_timer_create(doc, 100);
    const int32_t slow = vkov_timer_create(doc, 250);
    ASSERT_GT(fast, 0);
    ASSERT_GT(slow, 0);
    EXPECT_NE(fast, slow);
    EXPECT_EQ(vkov_timer_create(doc, -1), -1);
    EXPECT_EQ(vkov_timer_create(nullptr, 10), -1);

    vkov_test_advance_clock(520);
    struct Fired {
        int32_t id;
        uint64_t at;
    };
    std::vector<Fired> fired;
    for (const auto &s : seen())
        if (s.event.type == E_TIMER)
            fired.push_back(Fired{s.event.v.timer.id, s.at_ms});
    const std::vector<Fired> expected = {{fast, 100}, {fast, 200}, {slow, 250}, {fast, 300},
                                         {fast, 400}, {fast, 500}, {slow, 500}};
    ASSERT_EQ(fired.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fired[i].at, expected[i].at);
        // At 500 both fall due; their order is not promised.
        if (expected[i].at != 500) {
            EXPECT_EQ(fired[i].id, expected[i].id);
        }
    }
    EXPECT_EQ(vkov_test_now_ms(), 520u);

    seen().clear();
    vkov_timer_destroy(fast);
    vkok_vobj_destroy(doc); // takes the slow timer with it
    vkov_test_advance_clock(1000);
    for (const auto &s : seen())
        EXPECT_NE(s.event.type, E_TIMER);
}

int32_t g_dialog_timer = -1;

int32_t closing_handler(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type == E_TIMER && event->v.timer.id == g_dialog_timer)
        vkok_vobj_destroy(win);
    return 0;
}

TEST_F(AppTest, ModalLoop_RunsUntilItsWindowEnds) {
    WINDOW doc = make_doc();
    s_rct rct{10, 10, 100, 200};
    WINDOW dlg = vkok_win_create(W_MODAL, &rct, "Question", 0, doc, 0, VKO_EVENT_MASK_ALL,
                                 closing_handler, 0);
    ASSERT_NE(dlg, nullptr);
    EXPECT_NE(dlg->state2 & VKO_WS_MODAL_USE, 0u);
    g_dialog_timer = vkov_timer_create(dlg, 300);
    EVENT click{};
    click.type = E_MOUSE_DOWN;
    vkobase::win_post_event(doc, click); // input for another window: dropped while modal
    vkobase::win_post_event(dlg, click);
    EVENT user = user_event(5); // not input: still delivered
    vkobase::win_post_event(doc, user);
    seen().clear();
    vkok_win_process_modal(dlg); // returns only once the timer handler destroyed the dialog
    EXPECT_FALSE(vkov_vobj_is_valid(dlg));
    EXPECT_TRUE(vkov_vobj_is_valid(doc));
    EXPECT_EQ(vkov_test_now_ms(), 300u);
    std::vector<e_event> doc_types = types_of(doc);
    std::erase(doc_types, E_UPDATE); // the dialog's area is repainted when it goes
    EXPECT_EQ(doc_types, (std::vector<e_event>{E_USER}));
    ASSERT_FALSE(types_of(dlg).empty());
    EXPECT_EQ(types_of(dlg).front(), E_MOUSE_DOWN);

    // With the loop over, the other window takes input again.
    seen().clear();
    vkobase::win_post_event(doc, click);
    vkok_app_process_pending_events();
    EXPECT_EQ(types_of(doc), (std::vector<e_event>{E_MOUSE_DOWN}));
}

TEST_F(AppTest, ModalLoop_AWindowOpenedSinceItBeganTakesInput) {
    // The help viewer a dialog's Help button opens works while the dialog runs; the windows
    // that were there before stay held back.
    WINDOW before = make_doc();
    s_rct rct{10, 10, 100, 200};
    WINDOW dlg = vkok_win_create(W_MODAL, &rct, "Question", 0, before, 0, VKO_EVENT_MASK_ALL,
                                 closing_handler, 0);
    ASSERT_NE(dlg, nullptr);
    WINDOW since = make_doc(s_rct{50, 50, 200, 300}, "Help");
    WINDOW part = make_child(since, s_rct{5, 5, 20, 60});
    g_dialog_timer = vkov_timer_create(dlg, 100);
    EVENT click{};
    click.type = E_MOUSE_DOWN;
    for (WINDOW win : {before, since, part})
        vkobase::win_post_event(win, click);
    seen().clear();
    vkok_win_process_modal(dlg);
    EXPECT_FALSE(vkov_vobj_is_valid(dlg));
    for (WINDOW win : {before, since, part}) {
        std::vector<e_event> types = types_of(win);
        std::erase(types, E_UPDATE);
        EXPECT_EQ(types, (win == before ? std::vector<e_event>{} : std::vector<e_event>{E_MOUSE_DOWN}))
            << (win == before ? "before" : win == since ? "since" : "part");
    }
}

int32_t close_box_handler(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type == E_CLOSE)
        vkok_vobj_destroy(win);
    return 0;
}

TEST_F(AppTest, ModalLoop_AQuitWaitsUntilTheModalWindowClosedAndNothingBehindItCloses) {
    WINDOW doc = make_doc();
    s_rct rct{10, 10, 100, 200};
    WINDOW dlg = vkok_win_create(W_MODAL, &rct, "Question", 0, doc, 0, VKO_EVENT_MASK_ALL,
                                 close_box_handler, 0);
    ASSERT_NE(dlg, nullptr);
    EVENT close{};
    close.type = E_CLOSE;
    vkobase::win_post_event(doc, close); // the close box of the window behind: dropped
    EVENT quit{};
    quit.type = E_QUIT;
    quit.v.quit.query = TRUE;
    vkobase::win_post_event(doc, quit);
    seen().clear();
    vkok_win_process_modal(dlg); // the quit asks the dialog to close, which ends the loop
    EXPECT_FALSE(vkov_vobj_is_valid(dlg));
    ASSERT_TRUE(vkov_vobj_is_valid(doc));
    std::vector<e_event> doc_types = types_of(doc);
    std::erase(doc_types, E_UPDATE);
    EXPECT_TRUE(doc_types.empty()) << "nothing reaches the window behind while the loop runs";
    ASSERT_FALSE(types_of(dlg).empty());
    EXPECT_EQ(types_of(dlg).front(), E_CLOSE);

    // With the loop over, the quit goes where it was sent.
    seen().clear();
    vkok_app_process_pending_events();
    doc_types = types_of(doc);
    std::erase(doc_types, E_UPDATE);
    EXPECT_EQ(doc_types, (std::vector<e_event>{E_QUIT}));
}

TEST_F(AppTest, PointerTrap_SendsMouseEventsToTheTrappingWindowInItsCoordinates) {
    WINDOW doc = make_doc(s_rct{0, 0, 300, 300});
    WINDOW a = make_child(doc, s_rct{10, 10, 50, 50});
    WINDOW b = make_child(doc, s_rct{100, 100, 150, 150});
    vkok_app_process_pending_events();
    seen().clear();
    EVENT move{};
    move.type = E_MOUSE_MOVE;
    move.v.mouse.where = s_pnt{5, 6};
    EVENT key{};
    key.type = E_CHAR;
    vkok_win_trap_pointer(a);
    vkobase::win_post_event(b, move);
    vkobase::win_post_event(b, key); // keys are not the pointer's
    vkok_app_process_pending_events();
    ASSERT_EQ(types_of(a), (std::vector<e_event>{E_MOUSE_MOVE}));
    EXPECT_EQ(seen().front().event.v.mouse.where.v, 95);
    EXPECT_EQ(seen().front().event.v.mouse.where.h, 96);
    EXPECT_EQ(types_of(b), (std::vector<e_event>{E_CHAR}));

    vkok_win_release_pointer();
    seen().clear();
    vkobase::win_post_event(b, move);
    vkok_app_process_pending_events();
    EXPECT_EQ(types_of(b), (std::vector<e_event>{E_MOUSE_MOVE}));
    vkok_win_trap_pointer(a);
    vkok_vobj_destroy(a); // a destroyed trap window releases the pointer
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
}

BOOLEAN keep_back_user_events(WINDOW, EVENT *event, intptr_t data) {
    *reinterpret_cast<int *>(data) += 1;
    return event->type == E_USER ? FALSE : TRUE;
}

TEST_F(AppTest, ApplicationHook_SeesQueuedEventsFirstAndMayKeepThemBack) {
    WINDOW doc = make_doc();
    vkok_app_process_pending_events();
    seen().clear();
    int calls = 0;
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_APP_EVENT_HOOK,
                       reinterpret_cast<intptr_t>(&keep_back_user_events));
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_APP_EVENT_HOOK_DATA, reinterpret_cast<intptr_t>(&calls));
    vkobase::win_post_event(doc, user_event(1));
    EVENT focus{};
    focus.type = E_FOCUS;
    vkobase::win_post_event(doc, focus);
    vkok_app_process_pending_events();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(types_of(doc), (std::vector<e_event>{E_FOCUS}));
}

int32_t task_handler(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type == E_CREATE) {
        const s_rct rct{50, 50, 150, 250};
        vkok_win_create(W_DOC, &rct, "Main", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                        vkotest::recording_handler, 0);
        vkov_timer_create(win, 1000);
    }
    if (event->type == E_TIMER)
        vkov_app_destroy();
    return 0;
}

TEST_F(AppTest, System_RunsTheTaskWindowUntilQuitThenDestroysEverything) {
    char name[] = "prog";
    char *argv[] = {name, nullptr};
    const s_app_config config{1, 0, const_cast<char *>("Base"), const_cast<char *>("App"),
                              const_cast<char *>("Title")};
    vkowi_vko_system(1, argv, 0, task_handler, &config);

    ASSERT_FALSE(seen().empty());
    WINDOW task = seen().front().win;
    EXPECT_EQ(seen().front().event.type, E_CREATE);
    EXPECT_EQ(vkov_test_now_ms(), 1000u);
    // Quitting destroyed the document window, then the task window, last of all.
    ASSERT_GE(seen().size(), 2u);
    EXPECT_EQ(seen().back().win, task);
    EXPECT_EQ(seen().back().event.type, E_DESTROY);
    EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_TASK_WINDOW), 0);
    EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_TASKWIN_MENUBAR), 1);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_WINDOW), 1); // the screen alone
}

} // namespace
