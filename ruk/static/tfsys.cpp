// tfsys.cpp: the file-system family of the checking layer ("tfsys"): directories, file
// specifications, path names, file lists and file attributes. The attribute calls also check
// that the file specification names a file that exists.
// The rule a reader must not miss: a path is built only into a buffer of the system's path
// limit, never into a shorter one.
#include "ruk/static/forward.h"

#include <climits>
#include <cstdint>

namespace {

constexpr char kModule[] = "tfsys";

using vkoruk::ApiFrame;

// The selectors that are answered for a specification without a file name.
constexpr int32_t kAttrSelectorQuiet = 1; // answered 0 without a report
constexpr int32_t kAttrSelectorDirA = 12; // directory attributes: go to the base library
constexpr int32_t kAttrSelectorDirB = 13;

constexpr std::size_t kPathBufferSize =
    PATH_MAX > VKO_FSYS_PATH_SIZE ? PATH_MAX : VKO_FSYS_PATH_SIZE;

bool names_a_file(const s_file_spec *spec) noexcept {
    return spec->name[0] != '\0';
}

bool check_vko_fsys_build_pathname(ApiFrame &frame, char *path, int32_t, const char *, const char *,
                                   const char *, const char *) {
    return frame.not_null(path, __LINE__);
}

// The buffer must hold at least the terminating byte.
bool check_vko_fsys_convert_dir_to_str(ApiFrame &frame, const s_dir *dir, char *buf,
                                       int32_t buf_size) {
    if (!frame.not_null(dir, __LINE__))
        return false;
    if (!frame.not_null(buf, __LINE__))
        return false;
    return frame.positive(buf_size, __LINE__);
}

// The directory is checked before the text.
bool check_vko_fsys_convert_str_to_dir(ApiFrame &frame, const char *text, s_dir *dir) {
    if (!frame.not_null(dir, __LINE__))
        return false;
    return frame.not_null(text, __LINE__);
}

bool check_vko_fsys_get_default_dir(ApiFrame &frame, s_dir *dir) {
    return frame.not_null(dir, __LINE__);
}

bool check_vko_fsys_get_dir(ApiFrame &frame, s_dir *dir) {
    return frame.not_null(dir, __LINE__);
}

bool check_vko_fsys_list_files(ApiFrame &frame, const char *type, const char *, BOOLEAN) {
    return frame.not_null(type, __LINE__);
}

bool check_vko_fsys_parse_pathname(ApiFrame &frame, const char *path, char *, char *, char *,
                                   char *, char *) {
    return frame.not_null(path, __LINE__);
}

bool check_vko_fsys_rem_file(ApiFrame &frame, const s_file_spec *spec) {
    return frame.not_null(spec, __LINE__);
}

bool check_vko_fsys_restore_dir(ApiFrame &) {
    return true;
}
bool check_vko_fsys_save_dir(ApiFrame &) {
    return true;
}

bool check_vko_fsys_set_dir(ApiFrame &frame, const s_dir *dir) {
    return frame.not_null(dir, __LINE__);
}

bool check_vko_fsys_set_dir_startup(ApiFrame &) {
    return true;
}

bool check_vko_fsys_set_file_attr(ApiFrame &frame, const s_file_spec *spec, int32_t, int32_t) {
    if (!frame.not_null(spec, __LINE__))
        return false;
    if (!names_a_file(spec)) {
        frame.refuse(vkoruk::kErrNoFile, __LINE__);
        return false;
    }
    char path[kPathBufferSize] = {};
    if (!vkok_fsys_file_makepath(spec, path)) {
        frame.refuse(vkoruk::kErrNoFile, __LINE__);
        return false;
    }
    if (!vkok_fsys_file_exists(path)) {
        frame.refuse(vkoruk::kErrNoFile, __LINE__);
        return false;
    }
    return true;
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tfsys.def"

// A null specification answers -1; a specification without a file name answers 0 for every
// selector but the two directory selectors, reported except for selector 1.
extern "C" int32_t vko_fsys_get_file_attr(const s_file_spec *spec, int32_t selector) noexcept {
    ApiFrame frame{"vko_fsys_get_file_attr", kModule};
    if (!frame.not_null(spec, __LINE__))
        return -1;
    if (!names_a_file(spec) && selector != kAttrSelectorDirA && selector != kAttrSelectorDirB) {
        if (selector != kAttrSelectorQuiet)
            frame.refuse(vkoruk::kErrNoFile, __LINE__);
        return 0;
    }
    return vkov_fsys_get_file_attr(spec, selector);
}
