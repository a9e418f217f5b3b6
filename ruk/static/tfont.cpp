// tfont.cpp: checks of the font and font-map families. A font handle is valid when the base
// library's vkov_font_is_valid says so (null included: 0x1220003); a font's window is the one
// it is mapped to, asked of vkov_font_get_win and confirmed live before its record is read.
#include "ruk/static/forward.h"

namespace {

using vkoruk::ApiFrame;

constexpr char kModule[] = "tfont";

constexpr auto accept = [](ApiFrame&, auto&&...) { return true; };

constexpr auto valid = [](ApiFrame& frame, FONT_OBJ font, auto&&...) {
    return frame.valid_font(font, __LINE__);
};

constexpr auto valid_then_given = [](ApiFrame& frame, FONT_OBJ font, const void* arg) {
    if (!frame.valid_font(font, __LINE__))
        return false;
    return frame.not_null(arg, __LINE__);
};

// The _mapped queries need a font that is mapped to a window: 0x640000 otherwise.
constexpr auto valid_and_mapped = [](ApiFrame& frame, FONT_OBJ font, auto&&...) {
    if (!frame.valid_font(font, __LINE__))
        return false;
    if (vkov_font_is_mapped(font))
        return true;
    frame.refuse(vkoruk::kErrFontNotMapped, __LINE__);
    return false;
};

// A window that fonts can be mapped to: live, and of a kind that can be drawn in.
bool mappable_window(const ApiFrame& frame, WINDOW win, int line) {
    if (!frame.live_window(win, line))
        return false;
    if ((win->flags & vkoruk::kDrawableMask) != 0)
        return true;
    frame.refuse(vkoruk::kErrWrongWindowKind, line + vkoruk::kWrongKindLineBase);
    return false;
}

void unmap_and_forget_window(FONT_OBJ font) {
    vkov_font_unmap(font);
    vkov_font_set_win(font, nullptr);
}

// The copying queries: (font, buffer, size) -> TRUE with the text in the buffer. The buffer is
// emptied before anything else is checked, so a refused call leaves an empty string.
enum class FontText { kFamily, kFamilyMapped, kNativeDesc };

BOOLEAN copy_font_text(const char* api_name, FontText which, FONT_OBJ font, char* buf,
                       std::int32_t buf_size) {
    const ApiFrame frame{api_name, kModule};
    if (!frame.not_null(buf, __LINE__))
        return FALSE;
    buf[0] = '\0';
    if (!frame.valid_font(font, __LINE__))
        return FALSE;
    if (which == FontText::kFamilyMapped && !vkov_font_is_mapped(font)) {
        frame.refuse(vkoruk::kErrFontNotMapped, __LINE__);
        return FALSE;
    }
    if (buf_size < 1) {
        frame.refuse(vkoruk::kErrBufferTooSmall, __LINE__);
        return FALSE;
    }
    const char* text = nullptr;
    switch (which) {
    case FontText::kFamily:
        text = vkov_font_get_family(font, nullptr, 0);
        break;
    case FontText::kFamilyMapped:
        text = vkok_font_get_family_mapped(font, nullptr, 0);
        break;
    case FontText::kNativeDesc:
        text = vkov_font_get_native_desc(font, nullptr, 0);
        break;
    }
    return vkoruk::copy_text_out(frame, text, buf, buf_size, __LINE__) ? TRUE : FALSE;
}

// ---- Checks, in table order ------------------------------------------------------------------

// A null font is nothing to destroy; a stale one is reported.
bool check_vko_font_destroy(ApiFrame& frame, FONT_OBJ font) {
    return font != nullptr && frame.valid_font(font, __LINE__);
}

constexpr auto check_vko_font_is_valid = accept;

bool check_vko_font_copy(ApiFrame& frame, FONT_OBJ dst, FONT_OBJ src, std::int32_t) {
    if (!frame.valid_font(dst, __LINE__))
        return false;
    return frame.valid_font(src, __LINE__);
}

constexpr auto check_vko_font_get_app_data = valid;
constexpr auto check_vko_font_set_app_data = valid;
constexpr auto check_vko_font_get_size = valid;

bool check_vko_font_set_size(ApiFrame& frame, FONT_OBJ font, std::int32_t size_pt) {
    if (!frame.valid_font(font, __LINE__))
        return false;
    return frame.positive(size_pt, __LINE__);
}

constexpr auto check_vko_font_get_style = valid;
constexpr auto check_vko_font_set_style = valid;
constexpr auto check_vko_font_set_family = valid_then_given;
constexpr auto check_vko_font_set_native_desc = valid_then_given;

// The font's window must be live; a font without a native description answers FALSE quietly.
bool check_vko_font_has_valid_native_desc(ApiFrame& frame, FONT_OBJ font) {
    if (!frame.valid_font(font, __LINE__))
        return false;
    if (!vkoruk::is_live_window(vkov_font_get_win(font))) {
        frame.refuse(vkoruk::kErrBadWindow, __LINE__);
        return false;
    }
    const char* desc = vkov_font_get_native_desc(font, nullptr, 0);
    return desc != nullptr && desc[0] != '\0';
}

constexpr auto check_vko_font_get_win = valid;
constexpr auto check_vko_font_is_mapped = valid;

bool check_vko_font_map(ApiFrame& frame, FONT_OBJ font, WINDOW win) {
    if (!frame.valid_font(font, __LINE__))
        return false;
    return mappable_window(frame, win, __LINE__);
}

bool check_vko_font_map_using_default(ApiFrame& frame, FONT_OBJ font) {
    return frame.valid_font(font, __LINE__) &&
           mappable_window(frame, vkov_font_get_win(font), __LINE__);
}

constexpr auto check_vko_font_unmap = valid;

// A null buffer is passed on whatever the size (the base library then answers the size
// needed); a buffer with no room is refused.
bool check_vko_font_serialize(ApiFrame& frame, FONT_OBJ font, char* buf, std::int32_t buf_size) {
    if (!frame.valid_font(font, __LINE__))
        return false;
    if (buf != nullptr && buf_size < 1) {
        frame.refuse(vkoruk::kErrBufferTooSmall, __LINE__);
        return false;
    }
    return true;
}

constexpr auto check_vko_font_deserialize = valid_then_given;
constexpr auto check_vko_font_get_size_mapped = valid_and_mapped;
constexpr auto check_vko_font_get_style_mapped = valid_and_mapped;
constexpr auto check_vko_font_is_print = valid_and_mapped;
constexpr auto check_vko_font_is_scalable = valid_and_mapped;

bool check_vko_font_get_metrics(ApiFrame& frame, FONT_OBJ font, std::int32_t*, std::int32_t*,
                                std::int32_t*) {
    return frame.valid_font(font, __LINE__) &&
           frame.live_window(vkov_font_get_win(font), __LINE__);
}

// Font-map members: every pointer non-null and every count at least 1, in the order each
// member has always tested them.
bool check_vko_fmap_get_families(ApiFrame& frame, WINDOW, const char** families,
                                 std::int32_t max) {
    if (!frame.not_null(families, __LINE__))
        return false;
    return frame.positive(max, __LINE__);
}

bool check_vko_fmap_get_family_styles(ApiFrame& frame, WINDOW, const char* family,
                                      std::uint32_t* styles, std::int32_t max) {
    if (!frame.not_null(family, __LINE__))
        return false;
    if (!frame.not_null(styles, __LINE__))
        return false;
    return frame.positive(max, __LINE__);
}

bool check_vko_fmap_get_familysize_styles(ApiFrame& frame, WINDOW, const char* family,
                                          std::int32_t size_pt, std::uint32_t* styles,
                                          std::int32_t max) {
    if (!frame.not_null(family, __LINE__))
        return false;
    if (!frame.positive(size_pt, __LINE__))
        return false;
    if (!frame.not_null(styles, __LINE__))
        return false;
    return frame.positive(max, __LINE__);
}

// Both sizes members test the sizes array, the family, the scalable flag, then the count.
bool sizes_query_ok(ApiFrame& frame, const char* family, BOOLEAN* scalable, std::int32_t* sizes,
                    std::int32_t max) {
    if (!frame.not_null(sizes, __LINE__))
        return false;
    if (!frame.not_null(family, __LINE__))
        return false;
    if (!frame.not_null(scalable, __LINE__))
        return false;
    return frame.positive(max, __LINE__);
}

bool check_vko_fmap_get_family_sizes(ApiFrame& frame, WINDOW, const char* family,
                                     BOOLEAN* scalable, std::int32_t* sizes, std::int32_t max) {
    return sizes_query_ok(frame, family, scalable, sizes, max);
}

bool check_vko_fmap_get_familystyle_sizes(ApiFrame& frame, WINDOW, const char* family,
                                          std::uint32_t, BOOLEAN* scalable, std::int32_t* sizes,
                                          std::int32_t max) {
    return sizes_query_ok(frame, family, scalable, sizes, max);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tfont.def"

// Creates first, then checks what came back: an object that fails the predicate is reported
// and not handed out.
extern "C" FONT_OBJ vko_font_create(void) noexcept {
    const ApiFrame frame{"vko_font_create", kModule};
    FONT_OBJ font = vkov_font_create();
    if (!frame.valid_font(font, __LINE__))
        return nullptr;
    return font;
}

extern "C" BOOLEAN vko_font_get_family(FONT_OBJ font, char* buf, int32_t buf_size) noexcept {
    return copy_font_text("vko_font_get_family", FontText::kFamily, font, buf, buf_size);
}

extern "C" BOOLEAN vko_font_get_native_desc(FONT_OBJ font, char* buf, int32_t buf_size) noexcept {
    return copy_font_text("vko_font_get_native_desc", FontText::kNativeDesc, font, buf,
                          buf_size);
}

extern "C" BOOLEAN vko_font_get_family_mapped(FONT_OBJ font, char* buf,
                                              int32_t buf_size) noexcept {
    return copy_font_text("vko_font_get_family_mapped", FontText::kFamilyMapped, font, buf,
                          buf_size);
}
