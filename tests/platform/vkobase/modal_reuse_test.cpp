// modal_reuse_test.cpp: a modal loop whose dialog is destroyed ends even when the next window
// made gets the dialog's address. Kept apart from the other event-loop tests because it asks
// the address sanitizer to hand freed memory out again at once, as the plain allocator does.
#include <vector>

#include "core_test_support.h"
// Posting events is how the library's own families feed the queue.
#include "../../../platform/vkobase/src/window_internal.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char *__asan_default_options() {
    return "quarantine_size_mb=0:thread_local_quarantine_size_kb=0";
}
#endif

namespace {

using vkotest::CoreTest;
using vkotest::seen;
using vkotest::types_of;

class ModalReuseTest : public CoreTest {};

WINDOW g_doc = nullptr;
WINDOW g_next = nullptr;

// The dialog's OK: the dialog goes, a new document window comes, and the user clicks in the
// first document.
int32_t ok_handler(WINDOW win, EVENT *event) {
    vkotest::recording_handler(win, event);
    if (event->type != E_TIMER)
        return 0;
    vkok_vobj_destroy(win);
    const s_rct rct{20, 20, 120, 220};
    g_next = vkok_win_create(W_DOC, &rct, "Next", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                             vkotest::recording_handler, 0);
    EVENT click{};
    click.type = E_MOUSE_DOWN;
    vkobase::win_post_event(g_doc, click);
    return 0;
}

TEST_F(ModalReuseTest, ModalLoop_EndsWithItsDialogThoughTheNextWindowTakesItsAddress) {
    g_doc = make_doc();
    const s_rct rct{10, 10, 100, 200};
    WINDOW dlg = vkok_win_create(W_MODAL, &rct, "Question", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                 ok_handler, 0);
    ASSERT_NE(dlg, nullptr);
    vkov_timer_create(dlg, 100);
    seen().clear();
    vkok_win_process_modal(dlg);
    ASSERT_NE(g_next, nullptr);
    if (g_next != dlg)
        GTEST_SKIP() << "the allocator gave the new window another address";
    // The click came after the dialog was gone: no modal loop may hold it back.
    std::vector<e_event> doc_types = types_of(g_doc);
    std::erase(doc_types, E_UPDATE);
    EXPECT_EQ(doc_types, (std::vector<e_event>{E_MOUSE_DOWN}));
    seen().clear();
    EVENT click{};
    click.type = E_MOUSE_DOWN;
    vkobase::win_post_event(g_doc, click);
    vkok_app_process_pending_events();
    doc_types = types_of(g_doc);
    std::erase(doc_types, E_UPDATE);
    EXPECT_EQ(doc_types, (std::vector<e_event>{E_MOUSE_DOWN}));
}

} // namespace
