// tprint.cpp: checks of the print family. Every member refuses during an update (the table
// says so) and forwards unchanged to the base library's print operation of the same verb.
#include "ruk/static/forward.h"

namespace {

using vkoruk::ApiFrame;

constexpr char kModule[] = "tprint";

bool check_vko_print_close(ApiFrame&) { return true; }
bool check_vko_print_open(ApiFrame&) { return true; }
bool check_vko_print_get_next_band(ApiFrame&) { return true; }
bool check_vko_print_start_thread(ApiFrame&, VKO_PRINT_ROUTINE, intptr_t) { return true; }

bool check_vko_print_create(ApiFrame& frame, int32_t* size_bytes) {
    return frame.not_null(size_bytes, __LINE__);
}

bool check_vko_print_destroy(ApiFrame& frame, s_printrcd* rcd) {
    return frame.not_null(rcd, __LINE__);
}

// A null record is reported, not only answered FALSE.
bool check_vko_print_is_valid(ApiFrame& frame, s_printrcd* rcd) {
    return frame.not_null(rcd, __LINE__);
}

bool check_vko_print_open_page(ApiFrame& frame, s_printrcd* rcd) {
    return frame.not_null(rcd, __LINE__);
}

bool check_vko_print_close_page(ApiFrame& frame, s_printrcd* rcd) {
    return frame.not_null(rcd, __LINE__);
}

bool check_vko_print_create_win(ApiFrame& frame, s_printrcd* rcd, const char* title) {
    if (!frame.not_null(rcd, __LINE__))
        return false;
    return frame.not_null(title, __LINE__);
}

bool check_vko_print_set_page_orient(ApiFrame& frame, s_printrcd* rcd, int32_t orientation) {
    if (!frame.not_null(rcd, __LINE__))
        return false;
    if (orientation != 0 && orientation != 1) {
        frame.refuse(vkoruk::kErrOutOfSet, __LINE__);
        return false;
    }
    return true;
}

// A page size of exactly 0.0 is refused; negative sizes are the base library's to judge.
bool check_vko_print_set_page_size(ApiFrame& frame, s_printrcd* rcd, double width,
                                   double height, int32_t, int32_t) {
    if (!frame.not_null(rcd, __LINE__))
        return false;
    if (width == 0.0 || height == 0.0) {
        frame.refuse(vkoruk::kErrOutOfSet, __LINE__);
        return false;
    }
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tprint.def"
