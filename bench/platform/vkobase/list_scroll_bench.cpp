// Scrolling a list box a page at a time: the list box has the focus, gets Page Down as the user
// types it, moves its selection and repaints. A list of 100,000 items runs interleaved with one
// of 100 items in one loop, so their ratio compares them under the same conditions; only the
// rows in view are touched, so the ratio should stay near 1 (the goal is under 1.5).
#include "vkobase/app.h"
#include "vkobase/ctl.h"
#include "vkobase/list.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

WINDOW make_list(WINDOW parent, int items, std::int16_t left) {
    const s_rct rct{10, left, 410, static_cast<std::int16_t>(left + 200)};
    WINDOW list = vkok_ctl_create(WC_LBOX, &rct, "", parent, 0, 0, 1);
    vkok_list_suspend(list);
    for (int i = 0; i < items; ++i)
        vkov_list_add(list, -1, ("item number " + std::to_string(i)).c_str());
    vkok_list_resume(list);
    vkok_list_set_sel(list, 0, TRUE);
    return list;
}

// One page down (back to the top at the end), repainted before it returns.
void page_down(WINDOW list, int items, int *at) {
    EVENT ev{};
    ev.type = E_CHAR;
    ev.v.chr.virt = 1;
    ev.v.chr.ch = VKO_KEY_PAGE_DOWN;
    if (*at >= items - 40) {
        ev.v.chr.ch = VKO_KEY_TEXT_START;
        *at = 0;
    } else {
        *at += 20;
    }
    vkov_test_post_event(list, &ev);
    vkok_app_process_pending_events();
}

void BM_ListBox_PageDownAndRepaint(benchmark::State &state) {
    vkov_test_reset_all();
    const s_rct rct{0, 0, 420, 440};
    WINDOW win =
        vkok_win_create(W_PLAIN, &rct, "bench", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    constexpr int kLong = 100000;
    constexpr int kShort = 100;
    WINDOW long_list = make_list(win, kLong, 10);
    WINDOW short_list = make_list(win, kShort, 220);
    vkok_app_process_pending_events();
    using Clock = std::chrono::steady_clock;
    Clock::duration long_time{}, short_time{};
    std::int64_t pages = 0;
    int long_at = 0, short_at = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        page_down(short_list, kShort, &short_at);
        const auto t1 = Clock::now();
        page_down(long_list, kLong, &long_at);
        const auto t2 = Clock::now();
        short_time += t1 - t0;
        long_time += t2 - t1;
        ++pages;
    }
    const double long_s = std::chrono::duration<double>(long_time).count();
    const double short_s = std::chrono::duration<double>(short_time).count();
    if (long_s > 0 && short_s > 0) {
        state.counters["repaints_per_s_100000"] = static_cast<double>(pages) / long_s;
        state.counters["repaints_per_s_100"] = static_cast<double>(pages) / short_s;
        state.counters["ratio_100000_to_100"] = long_s / short_s;
    }
    state.SetItemsProcessed(pages);
    vkov_test_reset_all();
}
BENCHMARK(BM_ListBox_PageDownAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
