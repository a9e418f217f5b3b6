// ttx.cpp: checks of the text-edit family, which forwards to the text-edit engine's exports.
// A handle is checked with the engine's own predicate (null included: 0x1220009); a creation
// checks its window, rectangle and font, and a definition's rectangle is repaired in place
// only for the length of the call.
#include "ruk/static/forward.h"

namespace {

using vkoruk::ApiFrame;

constexpr char kModule[] = "ttx";

constexpr auto valid = [](ApiFrame& frame, TXEDIT tx, auto&&...) {
    return frame.valid_text_edit(tx, __LINE__);
};

constexpr auto valid_then_text = [](ApiFrame& frame, TXEDIT tx, std::uint16_t,
                                    const char* text) {
    if (!frame.valid_text_edit(tx, __LINE__))
        return false;
    return frame.not_null(text, __LINE__);
};

constexpr auto valid_then_rect = [](ApiFrame& frame, TXEDIT tx, s_rct* rct) {
    if (!frame.valid_text_edit(tx, __LINE__))
        return false;
    return frame.not_null(rct, __LINE__);
};

constexpr auto always = [](ApiFrame&, auto&&...) { return true; };

// A font given to a creation may be null (the default font); a stale one is refused.
bool font_absent_or_valid(const ApiFrame& frame, FONT_OBJ font, int line) {
    return font == nullptr || frame.valid_font(font, line);
}

// ---- Checks, in table order ------------------------------------------------------------------

constexpr auto check_vko_tx_clear = valid;
constexpr auto check_vko_tx_destroy = valid;
constexpr auto check_vko_tx_rem_par = valid;
constexpr auto check_vko_tx_add_par = valid_then_text;
constexpr auto check_vko_tx_append = valid_then_text;
constexpr auto check_vko_tx_set_par = valid_then_text;
constexpr auto check_vko_tx_reset = valid;
constexpr auto check_vko_tx_resume = valid;
constexpr auto check_vko_tx_suspend = valid;
constexpr auto check_vko_tx_scroll_hor = valid;
constexpr auto check_vko_tx_scroll_vert = valid;
constexpr auto check_vko_tx_set_active = valid;
constexpr auto check_vko_tx_set_attr = valid;
constexpr auto check_vko_tx_set_colors = valid;
constexpr auto check_vko_tx_set_data = valid;
constexpr auto check_vko_tx_set_limit = valid;
constexpr auto check_vko_tx_set_margin = valid;
constexpr auto check_vko_tx_set_scroll_callback = valid;
constexpr auto check_vko_tx_set_sel = valid;
constexpr auto check_vko_tx_set_tabstop = valid;

bool check_vko_tx_set_font(ApiFrame& frame, TXEDIT tx, FONT_OBJ font) {
    if (!frame.valid_text_edit(tx, __LINE__))
        return false;
    return frame.valid_font(font, __LINE__);
}

constexpr auto check_vko_tx_get_attr = valid;
constexpr auto check_vko_tx_get_cid = valid;
constexpr auto check_vko_tx_get_font = valid;
constexpr auto check_vko_tx_get_win = valid;
constexpr auto check_vko_tx_get_line = valid;
constexpr auto check_vko_tx_get_num_chars = valid;
constexpr auto check_vko_tx_get_num_lines = valid;
constexpr auto check_vko_tx_get_num_par_lines = valid;
constexpr auto check_vko_tx_get_num_pars = valid;
constexpr auto check_vko_tx_get_tabstop = valid;
constexpr auto check_vko_tx_get_origin = valid;
constexpr auto check_vko_tx_get_data = valid;
constexpr auto check_vko_tx_get_limit = valid;
constexpr auto check_vko_tx_get_margin = valid;
constexpr auto check_vko_tx_get_rect = valid_then_rect;
constexpr auto check_vko_tx_get_view = valid_then_rect;

// Each of the six out-parameters is required, in order; nothing is filled after a refusal.
bool check_vko_tx_get_sel(ApiFrame& frame, TXEDIT tx, std::uint16_t* start_par,
                          std::uint16_t* start_line, std::uint16_t* start_char,
                          std::uint16_t* end_par, std::uint16_t* end_line,
                          std::uint16_t* end_char) {
    if (!frame.valid_text_edit(tx, __LINE__))
        return false;
    if (!frame.not_null(start_par, __LINE__))
        return false;
    if (!frame.not_null(start_line, __LINE__))
        return false;
    if (!frame.not_null(start_char, __LINE__))
        return false;
    if (!frame.not_null(end_par, __LINE__))
        return false;
    if (!frame.not_null(end_line, __LINE__))
        return false;
    return frame.not_null(end_char, __LINE__);
}

constexpr auto check_vko_tx_get_active = always;
constexpr auto check_vko_tx_get_next_tx = always;
constexpr auto check_vko_tx_is_scroll_update = always;

bool check_vko_tx_create(ApiFrame& frame, WINDOW win, const s_rct*& rct, std::uint16_t,
                         FONT_OBJ font, std::int16_t, std::uint16_t) {
    if (!frame.live_window(win, __LINE__))
        return false;
    if (!frame.not_null(rct, __LINE__))
        return false;
    rct = frame.repaired(rct, __LINE__);
    return font_absent_or_valid(frame, font, __LINE__);
}

bool check_vko_tx_move(ApiFrame& frame, TXEDIT tx, const s_rct*& rct) {
    if (!frame.valid_text_edit(tx, __LINE__))
        return false;
    if (!frame.not_null(rct, __LINE__))
        return false;
    rct = frame.repaired(rct, __LINE__);
    return true;
}

// Any non-null window passes for most events; an update event draws, so its window must be
// live.
bool check_vko_tx_process_event(ApiFrame& frame, WINDOW win, EVENT* event) {
    if (win == nullptr) {
        frame.refuse(vkoruk::kErrNullWindow, __LINE__);
        return false;
    }
    if (!frame.not_null(event, __LINE__))
        return false;
    if (event->type == E_UPDATE && !vkoruk::is_live_window(win)) {
        frame.refuse(vkoruk::kErrBadWindow, __LINE__);
        return false;
    }
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/ttx.def"

// The definition's rectangle is repaired in place for the engine and put back afterwards on
// every path, so the caller's definition ends as it was given.
extern "C" TXEDIT vko_tx_create_def(s_win_def* def, WINDOW parent, intptr_t app_data) noexcept {
    const ApiFrame frame{"vko_tx_create_def", kModule};
    if (frame.refused_during_update(__LINE__))
        return 0;
    if (!frame.not_null(def, __LINE__))
        return 0;
    if (def->type != WC_TEXTEDIT) {
        frame.refuse(vkoruk::kErrWrongWindowKind, __LINE__);
        return 0;
    }
    if (!frame.live_window(parent, __LINE__))
        return 0;
    const s_rct given = def->rct;
    if (ApiFrame::rect_out_of_order(&def->rct)) {
        vkov_rect_repair(&def->rct);
        frame.repair(vkoruk::kErrRectRepaired, __LINE__);
    }
    TXEDIT tx = 0;
    if (font_absent_or_valid(frame, def->font, __LINE__))
        tx = vkov_tx_create_def(def, parent, app_data);
    def->rct = given;
    return tx;
}
