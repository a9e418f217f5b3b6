// tx_test_support.h: the text-edit tests' fixture: a fresh base library in test mode with the
// movable-memory debug mode on, a document window drawn with the deterministic test font (12
// points: every character 8 pixels wide, lines 16 pixels high, ascent 12), the engine in object
// or window mode, and the error reports captured. Helpers read the text back line by line.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "vkobase/app.h"
#include "vkobase/font.h"
#include "vkobase/gmem.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "vkotext/tx.h"

namespace txtest {

constexpr std::int32_t kAttrObjectMode = 718;
constexpr int kCharPx = 8;
constexpr int kLinePx = 16;

struct Report {
    std::uint32_t code;
    std::string module;
};

// An ordered selection as vkov_tx_get_sel gives it: start and end paragraph, line, character.
struct Sel {
    std::uint16_t sp, sl, sc, ep, el, ec;
    bool operator==(const Sel &) const = default;
};

inline void PrintTo(const Sel &s, std::ostream *os) {
    *os << "(" << s.sp << "," << s.sl << "," << s.sc << ")-(" << s.ep << "," << s.el << "," << s.ec
        << ")";
}

class TxFixture : public ::testing::Test {
protected:
    // Object mode unless a test asks for window mode before the first engine call.
    void SetUp() override { start(true); }
    void TearDown() override {
        vkov_test_set_errmsg_hook(nullptr, nullptr);
        vkov_test_reset_all();
    }

    void start(bool object_mode) {
        vkov_test_set_errmsg_hook(nullptr, nullptr);
        vkov_test_reset_all();
        vkov_gmem_test_set_moving(TRUE);
        vkov_vobj_set_attr(nullptr, kAttrObjectMode, object_mode ? 1 : 0);
        vkov_test_set_errmsg_hook(&TxFixture::on_report, this);
        const s_rct r{0, 0, 400, 600};
        its_win = vkok_win_create(W_DOC, &r, "tx", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
        ASSERT_NE(its_win, nullptr);
        its_font = vkov_font_create();
        vkov_font_set_family(its_font, VKO_FONT_TEST_FAMILY);
        vkov_font_set_size(its_font, 12);
        vkok_app_process_pending_events();
    }

    // A text edit at (10, 10) whose view is width_px wide (wrap width: width_px - 2 with
    // margin 0) and 10 lines high.
    TXEDIT make(std::uint16_t attrs, int width_px, std::int16_t margin = 0,
                std::uint16_t limit = 0) {
        const s_rct r{10, 10, static_cast<std::int16_t>(10 + 10 * kLinePx),
                      static_cast<std::int16_t>(10 + width_px)};
        return vkov_tx_create(its_win, &r, attrs, its_font, margin, limit);
    }

    // Every line of every paragraph, read through the line-access protocol.
    static std::vector<std::vector<std::string>> text(TXEDIT tx) {
        std::vector<std::vector<std::string>> pars;
        const std::uint16_t n = vkov_tx_get_num_pars(tx);
        for (std::uint16_t p = 0; p < n; ++p) {
            std::vector<std::string> lines;
            vkov_tx_get_line(tx, p, 0, 0, nullptr);
            const std::uint16_t count = vkov_tx_get_num_par_lines(tx, p);
            for (std::uint16_t l = 0; l < count; ++l) {
                std::uint16_t len = 0;
                const char *line = vkov_tx_get_line(tx, p, 1, l, &len);
                lines.emplace_back(line != nullptr ? std::string(line, len) : "<null>");
            }
            vkov_tx_get_line(tx, p, 2, 0, nullptr);
            pars.push_back(lines);
        }
        return pars;
    }

    // The paragraphs' texts, lines joined.
    static std::vector<std::string> paragraphs(TXEDIT tx) {
        std::vector<std::string> out;
        for (const auto &lines : text(tx)) {
            std::string joined;
            for (const auto &line : lines)
                joined += line;
            out.push_back(joined);
        }
        return out;
    }

    static Sel sel(TXEDIT tx) {
        Sel s{};
        vkov_tx_get_sel(tx, &s.sp, &s.sl, &s.sc, &s.ep, &s.el, &s.ec);
        return s;
    }

    BOOLEAN send_key(std::uint16_t ch, bool virt = false, bool shift = false) {
        EVENT e{};
        e.type = E_CHAR;
        e.v.chr.ch = ch;
        e.v.chr.virt = virt ? 1 : 0;
        e.v.chr.shift = shift ? 1 : 0;
        return vkovo_tx_process_event(its_win, &e);
    }
    void type(const char *text) {
        for (const char *c = text; *c != '\0'; ++c)
            send_key(static_cast<unsigned char>(*c));
    }
    BOOLEAN send_mouse(e_event type, int x, int y, bool shift = false) {
        EVENT e{};
        e.type = type;
        e.v.mouse.where = s_pnt{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x)};
        e.v.mouse.shift = shift ? 1 : 0;
        return vkovo_tx_process_event(its_win, &e);
    }
    BOOLEAN send_command(std::int16_t tag) {
        EVENT e{};
        e.type = E_COMMAND;
        e.v.cmd.tag = tag;
        return vkovo_tx_process_event(its_win, &e);
    }

    std::vector<Report> take_reports() {
        std::vector<Report> out;
        out.swap(its_reports);
        return out;
    }

    WINDOW its_win = nullptr;
    FONT_OBJ its_font = nullptr;
    std::vector<Report> its_reports;

private:
    static void on_report(WINDOW, std::int32_t, std::uint32_t code, const char *module,
                          std::int32_t, void *context) {
        static_cast<TxFixture *>(context)->its_reports.push_back(
            Report{code, module != nullptr ? module : ""});
    }
};

} // namespace txtest
