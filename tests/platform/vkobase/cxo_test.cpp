// cxo_test.cpp: class-extension chains: order, masks, passing on with call_next, consuming,
// and the life-cycle event.
#include <string>
#include <vector>

#include "core_test_support.h"

namespace {

using vkotest::CoreTest;
using vkotest::seen;
using vkotest::types_of;

std::vector<std::string> &calls() {
    static std::vector<std::string> c;
    return c;
}

std::string name_of(CXO obj) {
    char buf[32];
    return vkov_cxo_get_class_name(obj, buf, sizeof buf) != nullptr ? buf : "?";
}

// Records itself, then passes the event on.
int32_t passing(CXO obj, EVENT *event) {
    calls().push_back(name_of(obj) + ":" + std::to_string(event->type));
    if (event->type == E_CXO)
        return 1;
    return vkov_cxo_call_next(NULL_WIN, obj, event);
}

// Records itself and keeps the event.
int32_t consuming(CXO obj, EVENT *event) {
    calls().push_back(name_of(obj) + ":" + std::to_string(event->type));
    return 42;
}

class CxoTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        calls().clear();
        win = make_doc();
        vkok_app_process_pending_events();
        seen().clear();
    }
    int32_t send(e_event type) {
        EVENT ev{};
        ev.type = type;
        return vkok_win_dispatch_event(win, &ev);
    }
    WINDOW win = nullptr;
};

TEST_F(CxoTest, Chain_NewestFirstOnlyObjectsWhoseMaskHoldsTheTypeThenTheWindow) {
    CXO keys = vkov_cxo_create(win, 0, 1, passing, VKO_EVENT_BIT(E_CHAR), "Keys", 0);
    CXO both = vkov_cxo_create(win, 0, 1, passing, VKO_EVENT_BIT(E_CHAR) | VKO_EVENT_BIT(E_USER),
                               "Both", 0);
    ASSERT_NE(keys, nullptr);
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(vkov_win_get_cxo(win, "Keys", 0), keys);
    EXPECT_EQ(vkov_win_get_cxo(win, "None", 0), nullptr);

    struct Case {
        const char *why;
        e_event type;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"both masks hold keys: newest first, then the window", E_CHAR, {"Both:10", "Keys:10"}},
        {"only one mask holds user events", E_USER, {"Both:19"}},
        {"no mask holds mouse events: straight to the window", E_MOUSE_DOWN, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        calls().clear();
        seen().clear();
        send(c.type);
        EXPECT_EQ(calls(), c.calls);
        EXPECT_EQ(types_of(win), (std::vector<e_event>{c.type})); // the window saw it last
    }
}

TEST_F(CxoTest, Chain_AnObjectThatDoesNotPassOnKeepsTheEventFromTheRest) {
    vkov_cxo_create(win, 0, 1, passing, -1, "Inner", 0);
    vkov_cxo_create(win, 0, 1, consuming, VKO_EVENT_BIT(E_USER), "Outer", 0);
    EXPECT_EQ(send(E_USER), 42);
    EXPECT_EQ(calls(), (std::vector<std::string>{"Outer:19"}));
    EXPECT_TRUE(types_of(win).empty());
}

TEST_F(CxoTest, Destroy_SendsTheLifeCycleEventAndInvalidatesTheHandle) {
    CXO a = vkov_cxo_create(win, 0, 1, passing, 0, "A", 0);
    CXO b = vkov_cxo_create(win, 0, 1, passing, 0, "B", 0);
    vkov_cxo_destroy(a);
    EXPECT_EQ(calls(), (std::vector<std::string>{"A:20"}));
    EXPECT_FALSE(vkov_cxo_is_valid(a));
    EXPECT_TRUE(vkov_cxo_is_valid(b));
    vkov_cxo_destroy(a); // a second destroy is ignored
    EXPECT_EQ(calls().size(), 1u);
    calls().clear();
    vkok_vobj_destroy(win); // the window takes its objects with it
    EXPECT_EQ(calls(), (std::vector<std::string>{"B:20"}));
    EXPECT_FALSE(vkov_cxo_is_valid(b));
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_CXO), 0);
}

TEST_F(CxoTest, Create_RefusesWhatItCannotAttach) {
    WINDOW freed = make_doc();
    vkok_vobj_destroy(freed);
    EXPECT_EQ(vkov_cxo_create(freed, 0, 1, passing, 0, "X", 0), nullptr);
    EXPECT_EQ(vkov_cxo_create(win, 0, 1, nullptr, 0, "X", 0), nullptr);
    EXPECT_EQ(vkov_cxo_create(win, 0, 1, passing, 0, nullptr, 0), nullptr);
    CXO obj = vkov_cxo_create(win, 0, 1, passing, 0, "A rather long class name", 0);
    char small[7];
    EXPECT_STREQ(vkov_cxo_get_class_name(obj, small, sizeof small), "A rath");
}

// Tidies up by destroying itself when told it is being destroyed.
int32_t destroys_itself(CXO obj, EVENT *event) {
    calls().push_back(name_of(obj) + ":" + std::to_string(event->type));
    if (event->type == E_CXO)
        vkov_cxo_destroy(obj);
    return 1;
}

TEST_F(CxoTest, Destroy_AnObjectThatDestroysItselfOnItsLifeCycleEventGetsItOnce) {
    struct Case {
        const char *why;
        bool by_window; // destroyed with its window rather than on its own
    };
    for (const Case c : {Case{"destroyed on its own", false}, Case{"with its window", true}}) {
        SCOPED_TRACE(c.why);
        calls().clear();
        WINDOW owner = make_doc();
        CXO obj = vkov_cxo_create(owner, 0, 1, destroys_itself, 0, "Tidy", 0);
        ASSERT_NE(obj, nullptr);
        if (c.by_window)
            vkok_vobj_destroy(owner);
        else
            vkov_cxo_destroy(obj);
        EXPECT_EQ(calls(), (std::vector<std::string>{"Tidy:20"}));
        EXPECT_FALSE(vkov_cxo_is_valid(obj));
        EXPECT_EQ(vkov_win_get_cxo(owner, "Tidy", 0), nullptr);
        vkok_vobj_destroy(owner);
    }
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_CXO), 0);
}

} // namespace
