// core_test_support.h: the fixture that the core tests of the base library share: a clean
// library per test, captured error reports, and a window handler that records every event.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace vkotest {

struct Report {
    WINDOW obj;
    std::int32_t severity;
    std::uint32_t code;
};

struct Seen {
    WINDOW win;
    EVENT event;
    std::uint64_t at_ms; // application clock when it arrived
    bool during_update;  // vkov_app_proc_update while it was handled
};

inline std::vector<Report> &reports() {
    static std::vector<Report> r;
    return r;
}

inline std::vector<Seen> &seen() {
    static std::vector<Seen> s;
    return s;
}

inline void capture_report(WINDOW obj, std::int32_t severity, std::uint32_t code, const char *,
                           std::int32_t, void *) {
    reports().push_back(Report{obj, severity, code});
}

inline std::int32_t recording_handler(WINDOW win, EVENT *event) {
    seen().push_back(Seen{win, *event, vkov_app_get_time_ms(), vkov_app_proc_update() != 0});
    return 0;
}

// Types of the recorded events of one window, in order.
inline std::vector<e_event> types_of(WINDOW win) {
    std::vector<e_event> out;
    for (const Seen &s : seen())
        if (s.win == win)
            out.push_back(s.event.type);
    return out;
}

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        vkov_test_set_errmsg_hook(capture_report, nullptr);
        reports().clear();
        seen().clear();
    }
    void TearDown() override { vkov_test_reset_all(); }

    // A document window under the screen, recording its events.
    static WINDOW make_doc(s_rct rct = s_rct{100, 100, 300, 400}, const char *title = "Doc") {
        return vkok_win_create(W_DOC, &rct, title, 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                               recording_handler, 0);
    }
    static WINDOW make_child(WINDOW parent, s_rct rct, e_win_type type = W_NO_BORDER) {
        return vkok_win_create(type, &rct, "child", 0, parent, 0, VKO_EVENT_MASK_ALL,
                               recording_handler, 0);
    }
};

} // namespace vkotest
