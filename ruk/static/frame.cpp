// frame.cpp: the checking layer's frame: error-frame guard, update refusal, handle checks and
// the reports. Holds no state of its own; everything it knows comes from the base library.
#include "ruk/static/frame.h"

namespace vkoruk {

ApiFrame::ApiFrame(const char* api_name, const char* module) noexcept : itsModule(module) {
    vkov_errfrm_mark_API(api_name);
}

ApiFrame::~ApiFrame() { vkov_errfrm_unmark_API(); }

void ApiFrame::refuse(std::uint32_t code, int line, WINDOW obj) const noexcept {
    vkov_errmsg_dispatch(obj, kRefused, code, itsModule, line);
}

void ApiFrame::repair(std::uint32_t code, int line, WINDOW obj) const noexcept {
    vkov_errmsg_dispatch(obj, kRepaired, code, itsModule, line);
}

bool ApiFrame::refused_during_update(int line, WINDOW obj) const noexcept {
    if (!vkov_app_proc_update())
        return false;
    refuse(kErrDuringUpdate, line, obj);
    return true;
}

bool ApiFrame::not_null(const void* ptr, int line, WINDOW obj) const noexcept {
    if (ptr != nullptr)
        return true;
    refuse(kErrNullArgument, line, obj);
    return false;
}

bool ApiFrame::positive(long value, int line) const noexcept {
    if (value >= 1)
        return true;
    refuse(kErrBadCount, line);
    return false;
}

bool ApiFrame::not_negative(long value, int line) const noexcept {
    if (value >= 0)
        return true;
    refuse(kErrBadCount, line);
    return false;
}

bool is_live_window(WINDOW win) noexcept {
    // The registry answers without touching the pointer; only then is the signature read.
    return win != nullptr && vkov_vobj_is_valid(win) && win->signature == kWinSignature;
}

bool ApiFrame::live_window(WINDOW win, int line, WINDOW obj) const noexcept {
    if (win == nullptr) {
        refuse(kErrNullWindow, line, obj);
        return false;
    }
    if (!is_live_window(win)) {
        refuse(kErrBadWindow, line + kNotLiveLineBase, obj);
        return false;
    }
    return true;
}

bool ApiFrame::drawable_window(WINDOW win, int line, WINDOW obj) const noexcept {
    if (!live_window(win, line, obj))
        return false;
    if ((win->flags & kDrawableMask) == 0 || is_text_edit(win)) {
        refuse(kErrWrongWindowKind, line + kWrongKindLineBase, obj);
        return false;
    }
    return true;
}

bool ApiFrame::not_text_edit(WINDOW win, int line) const noexcept {
    if (!is_text_edit(win))
        return true;
    refuse(kErrWrongWindowKind, line);
    return false;
}

bool ApiFrame::valid_font(FONT_OBJ font, int line) const noexcept {
    if (vkov_font_is_valid(font))
        return true;
    refuse(kErrBadFont, line);
    return false;
}

bool ApiFrame::font_given_and_valid(FONT_OBJ font, int line) const noexcept {
    if (font == nullptr) {
        refuse(kErrNullFont, line);
        return false;
    }
    return valid_font(font, line + kNotLiveLineBase);
}

bool ApiFrame::valid_text_edit(TXEDIT tx, int line) const noexcept {
    if (vkov_tx_is_valid(tx))
        return true;
    refuse(kErrBadTextEdit, line);
    return false;
}

bool ApiFrame::rect_given(const s_rct* rct, int line, WINDOW obj) const noexcept {
    return not_null(rct, line, obj);
}

bool ApiFrame::rect_empty(const s_rct* rct) noexcept { return vkov_rect_is_empty(rct) != 0; }

bool ApiFrame::rect_out_of_order(const s_rct* rct) noexcept {
    return rct->top >= rct->bottom || rct->left >= rct->right;
}

s_rct* ApiFrame::repaired(const s_rct* rct, int line) noexcept {
    // Callers pass in-order rectangles through as they are; the cast only hands the caller's
    // own pointer back, and nothing writes through it here.
    if (!rect_out_of_order(rct))
        return const_cast<s_rct*>(rct);
    s_rct* copy = &itsRepaired[itsRepairedUsed < 1 ? itsRepairedUsed++ : 1];
    vkov_rect_repair_ptr(rct, copy);
    repair(kErrRectRepaired, line);
    return copy;
}

bool copy_text_out(const ApiFrame& frame, const char* text, char* buf, long buf_size,
                   int line) noexcept {
    const char* source = text != nullptr ? text : "";
    const long len_bytes = vkov_str_get_byte_count(source);
    if (len_bytes >= buf_size) {
        frame.refuse(kErrBufferTooSmall, line);
        return false;
    }
    vkov_str_copy(buf, source);
    return true;
}

} // namespace vkoruk
