/* testing.h: what tests use to drive and observe the base library: the one reset call, the
 * capture of error reports, the error-frame depth, the virtual clock and the count of live
 * records. The first vkov_test_reset_all() switches the library to test mode for the rest of
 * the process: the virtual clock runs, and an idle event loop ends instead of waiting. */
#ifndef VKOBASE_TESTING_H
#define VKOBASE_TESTING_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Restores every module's initial state (destroys every window without events, frees every
 * record) and enters test mode. */
VKOBASE_API void vkov_test_reset_all(void) VKOBASE_NOEXCEPT;
/* TRUE once vkov_test_reset_all has run in this process. */
VKOBASE_API BOOLEAN vkov_test_is_active(void) VKOBASE_NOEXCEPT;

/* Error reports: with a hook set, vkov_errmsg_dispatch calls it instead of writing to standard
 * error. A null hook restores the default. */
typedef void (*VKO_ERRMSG_HOOK)(WINDOW obj, int32_t severity, uint32_t code, const char* module,
                                int32_t line, void* context);
VKOBASE_API void vkov_test_set_errmsg_hook(VKO_ERRMSG_HOOK hook, void* context) VKOBASE_NOEXCEPT;

/* Error frame: how many names are marked, and the innermost one (null when none). */
VKOBASE_API int32_t vkov_test_errfrm_depth(void) VKOBASE_NOEXCEPT;
VKOBASE_API const char* vkov_test_errfrm_top(void) VKOBASE_NOEXCEPT;

/* The virtual clock (test mode): starts at 0 at every reset. Advancing it runs the event loop
 * at each due time of a timer, with the clock reading that time, so timer events arrive in
 * order of due time; then once more at the end. */
VKOBASE_API uint64_t vkov_test_now_ms(void) VKOBASE_NOEXCEPT;
VKOBASE_API void vkov_test_advance_clock(uint32_t ms) VKOBASE_NOEXCEPT;

/* Live records by kind (a vkov_live_kind value); for leak checks. */
VKOBASE_API int32_t vkov_test_live_count(int32_t kind) VKOBASE_NOEXCEPT;
/* The creation number of a live record (windows, fonts, lists and the other kinds above):
 * records are numbered from 1 as they are made, and a number is never given twice in a
 * process, not even across resets. 0 for a pointer that is no live record. Tells a new record
 * from a freed one that the allocator gave the same address. */
VKOBASE_API uint64_t vkov_test_live_serial(const void* record) VKOBASE_NOEXCEPT;

/* Creates the task window (type 5) with the given handler, as the system start does, without
 * running the event loop. Answers the existing one when there is one. */
VKOBASE_API WINDOW vkov_test_create_task_window(VKO_EVENT_HANDLER handler) VKOBASE_NOEXCEPT;

/* Queues an event for a window, as the system would; it is delivered, in order, when the event
 * loop next runs (vkok_app_process_pending_events). Dead windows are ignored. */
VKOBASE_API void vkov_test_post_event(WINDOW win, const EVENT* event) VKOBASE_NOEXCEPT;

/* The kinds of records that the registry of live records tells apart. */
enum vkov_live_kind {
    VKO_LIVE_WINDOW = 1,
    VKO_LIVE_FONT = 2,
    VKO_LIVE_PALETTE = 3,
    VKO_LIVE_PICTURE = 4,
    VKO_LIVE_IMAGE = 5,
    VKO_LIVE_SLIST = 6,
    VKO_LIVE_PRINT = 7,
    VKO_LIVE_CXO = 8,
    VKO_LIVE_PATTERN = 9,
    VKO_LIVE_STREAM = 10,
    VKO_LIVE_GMEM = 11,
    VKO_LIVE_DLIST = 12,
    VKO_LIVE_FMAP = 13,
    VKO_LIVE_OTHER = 14,
    VKO_LIVE_KIND_COUNT = 15
};

#ifdef __cplusplus
}
#endif

#endif /* VKOBASE_TESTING_H */
