// vobj_test.cpp: attributes by number, object flags and the keyboard focus.
#include "core_test_support.h"

namespace {

using vkotest::CoreTest;
using vkotest::seen;
using vkotest::types_of;

class VobjTest : public CoreTest {};

TEST_F(VobjTest, Attributes_DefaultsSetValuesAndUnknownNumbers) {
    struct Case {
        const char *why;
        int32_t attr;
        intptr_t before;
        intptr_t set;
    };
    const Case cases[] = {
        {"unknown numbers answer 0 and keep what is set", 98765, 0, 17},
        {"task-window activation starts off", VKO_ATTR_TASKWIN_ACTIVE, 0, 1},
        {"window-creation hook starts unset", VKO_ATTR_WIN_CREATE_HOOK, 0, 0x1234},
        {"scroll-bar size has a default", VKO_ATTR_VSCROLL_WIDTH, 16, 20},
        {"default background is white", VKO_ATTR_DEFAULT_BACK_COLOR,
         static_cast<intptr_t>(VKO_COLOR_WHITE), 0x00FF0000},
        {"frame width matches the outer rectangles", VKO_ATTR_FRAME_WIDTH, 4, 4},
        {"table-view attribute", VKO_ATTR_TABLE_VIEW, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, c.attr), c.before);
        vkov_vobj_set_attr(NULL_WIN, c.attr, c.set);
        EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, c.attr), c.set);
    }
    vkov_test_reset_all();
    EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, 98765), 0);
}

TEST_F(VobjTest, Attributes_PerWindowAreSeparateAndDieWithTheWindow) {
    WINDOW a = make_doc();
    WINDOW b = make_doc();
    vkov_vobj_set_attr(a, VKO_ATTR_WIN_TABLE_VIEW, 1);
    EXPECT_EQ(vkok_vobj_get_attr(a, VKO_ATTR_WIN_TABLE_VIEW), 1);
    EXPECT_EQ(vkok_vobj_get_attr(b, VKO_ATTR_WIN_TABLE_VIEW), 0);
    EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_WIN_TABLE_VIEW), 0);
    vkok_vobj_destroy(a);
    EXPECT_EQ(vkok_vobj_get_attr(a, VKO_ATTR_WIN_TABLE_VIEW), 0); // freed: not read
}

TEST_F(VobjTest, Attributes_ScreenAndTaskWindowsAreLiveHandles) {
    const auto screen =
        reinterpret_cast<WINDOW>(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW));
    EXPECT_TRUE(vkov_vobj_is_valid(screen));
    EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_TASK_WINDOW), 0);
    WINDOW task = vkov_test_create_task_window(vkotest::recording_handler);
    EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_TASK_WINDOW), reinterpret_cast<intptr_t>(task));
    EXPECT_TRUE(vkov_vobj_is_topwin(task));
    vkok_vobj_destroy(task);
    EXPECT_EQ(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_TASK_WINDOW), 0);
    vkok_vobj_destroy(screen); // the root cannot be destroyed
    EXPECT_TRUE(vkov_vobj_is_valid(screen));
}

TEST_F(VobjTest, Flags_ReportHiddenAndDisabledStates) {
    WINDOW doc = make_doc();
    WINDOW text = make_child(doc, s_rct{0, 0, 10, 10}, WC_TEXT);
    WINDOW edit = make_child(doc, s_rct{20, 0, 30, 10}, WC_EDIT);
    EXPECT_EQ(vkok_vobj_get_flags(doc) & (VKO_OF_HIDDEN | VKO_OF_DISABLED), 0u);
    vkok_vobj_set_visible(doc, FALSE);
    vkok_vobj_set_enabled(doc, FALSE);
    EXPECT_EQ(vkok_vobj_get_flags(doc) & (VKO_OF_HIDDEN | VKO_OF_DISABLED),
              VKO_OF_HIDDEN | VKO_OF_DISABLED);
    EXPECT_FALSE(vkok_vobj_is_focusable(text)); // static text never takes the focus
    EXPECT_TRUE(vkok_vobj_is_focusable(edit));
    vkok_vobj_set_enabled(edit, FALSE);
    EXPECT_FALSE(vkok_vobj_is_focusable(edit));
    EXPECT_FALSE(vkov_vobj_is_topwin(edit));
    EXPECT_TRUE(vkok_vobj_is_list(make_child(doc, s_rct{0, 0, 5, 5}, WC_LBOX)));
}

TEST_F(VobjTest, Title_TheSameTextAgainDrawsNothingNew) {
    WINDOW doc = make_doc();
    WINDOW label = make_child(doc, s_rct{0, 0, 20, 100});
    vkov_vobj_set_title(label, "1 Entries Found");
    vkok_app_process_pending_events();
    seen().clear();
    vkov_vobj_set_title(label, "1 Entries Found");
    vkok_app_process_pending_events();
    EXPECT_TRUE(types_of(label).empty());
    vkov_vobj_set_title(label, "2 Entries Found");
    vkok_app_process_pending_events();
    EXPECT_EQ(types_of(label), (std::vector<e_event>{E_UPDATE}));
    char title[32] = {};
    EXPECT_STREQ(vkok_vobj_get_title(label, title, sizeof title), "2 Entries Found");
}

TEST_F(VobjTest, Focus_MovesWithFocusEventsAndForgetsDestroyedWindows) {
    WINDOW doc = make_doc();
    WINDOW a = make_child(doc, s_rct{0, 0, 10, 10}, WC_EDIT);
    WINDOW b = make_child(doc, s_rct{20, 0, 30, 10}, WC_EDIT);
    seen().clear();
    vkok_scr_set_focus_vobj(a);
    vkok_scr_set_focus_vobj(b);
    ASSERT_EQ(seen().size(), 3u);
    EXPECT_EQ(seen()[0].win, a);
    EXPECT_EQ(seen()[0].event.v.focus.active, TRUE);
    EXPECT_EQ(seen()[1].win, a);
    EXPECT_EQ(seen()[1].event.v.focus.active, FALSE);
    EXPECT_EQ(seen()[2].win, b);
    EXPECT_EQ(vkok_scr_get_focus_vobj(), b);
    EXPECT_EQ(vkov_scr_get_focus_topwin(), doc);
    vkok_vobj_destroy(b);
    EXPECT_EQ(vkok_scr_get_focus_vobj(), nullptr);
    EXPECT_EQ(vkov_scr_get_focus_topwin(), nullptr);
}

} // namespace
