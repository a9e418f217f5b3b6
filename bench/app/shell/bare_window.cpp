// bare_window.cpp: the smallest program on the base library that shows a window: it opens
// one document window titled "Bare", as large as TavlinCD's main window, and runs the event
// loop until it is ended. The start-up benchmark measures TavlinCD's start against it.
#include "vkobase/vkobase.h"

namespace {

int32_t document_handler(WINDOW, EVENT* event)
{
    if (event->type == E_CLOSE)
        vkov_app_destroy();
    return 0;
}

int32_t task_handler(WINDOW, EVENT* event)
{
    if (event->type == E_QUIT && event->v.quit.query != 0)
        vkok_app_allow_quit(); // asked to end (the benchmark ends it with a signal)
    if (event->type == E_CREATE) {
        const s_rct frame{50, 14, 573, 782}; // top, left, bottom, right
        vkok_win_create(W_DOC, &frame, "Bare", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                        document_handler, 0);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    char name[] = "bare";
    char title[] = "Task";
    s_app_config config{};
    config.base_appl_name = name;
    config.appl_name = name;
    config.taskwin_title = title;
    vkowi_vko_system(argc, argv, 0, task_handler, &config);
    return 0;
}
