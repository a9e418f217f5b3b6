// tx_bench_support.h: the text-edit benchmarks' set-up: a fresh base library in test mode, the
// engine in object mode and a window drawn with the deterministic test font (8 pixels a
// character, 16 a line). VKO_BENCH_SMOKE=1 asks the benchmarks for small fixtures.
#pragma once

#include <cstdlib>
#include <string>

#include "vkobase/app.h"
#include "vkobase/font.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "vkotext/tx.h"

namespace txbench {

inline bool smoke() {
    return std::getenv("VKO_BENCH_SMOKE") != nullptr;
}

struct Desk {
    WINDOW win = nullptr;
    FONT_OBJ font = nullptr;

    Desk() {
        vkov_test_reset_all();
        vkov_vobj_set_attr(nullptr, 718, 1); // object mode
        const s_rct r{0, 0, 600, 800};
        win = vkok_win_create(W_DOC, &r, "bench", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
        font = vkov_font_create();
        vkov_font_set_family(font, VKO_FONT_TEST_FAMILY);
        vkov_font_set_size(font, 12);
        vkok_app_process_pending_events();
    }
    ~Desk() { vkov_test_reset_all(); }
    Desk(const Desk &) = delete;
    Desk &operator=(const Desk &) = delete;

    // A wrapped text edit with a 50-character line (402 pixels wide) and 20 lines shown.
    TXEDIT make(std::uint16_t attrs) const {
        const s_rct r{10, 10, 10 + 20 * 16, 10 + 402};
        return vkov_tx_create(win, &r, attrs, font, 0, 0);
    }
};

// Words of 3 to 9 letters from a fixed sequence, so every run sees the same text.
inline std::string words(std::size_t len_bytes, std::uint32_t seed) {
    std::string out;
    std::uint32_t x = seed;
    while (out.size() < len_bytes) {
        x = x * 1103515245u + 12345u;
        const std::size_t n = 3 + (x >> 16) % 7;
        for (std::size_t i = 0; i < n; ++i)
            out += static_cast<char>('a' + (x >> (i + 3)) % 26);
        out += ' ';
    }
    out.resize(len_bytes);
    return out;
}

} // namespace txbench
