// hfile.cpp: opening and closing help files: the search for the help file, the association
// file beside it, the standard help-menu associations, the module's event hook and the
// per-process platform record; extensions and the topic table's lookup.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <set>
#include <tuple>

#include "help_internal.h"
#include "vkobase/errmsg.h"
#include "vkobase/fsys.h"
#include "vkobase/read_file.h"
#include "vkobase/static.h"
#include "vkobase/vobj.h"

namespace vkohelp {
namespace {

constexpr char kHelpExtension[] = ".hlp";
constexpr char kAssocExtension[] = ".csa";
constexpr std::int32_t kFlavor = 1;
constexpr std::int32_t kNoStandardMenus = 0x04;
constexpr std::size_t kMaxDirText = 256;
constexpr std::size_t kMaxJoined = 252;

// The per-process record: set up by the first open, counting the help files open.
struct Platform {
    std::int16_t initialised;
    std::int16_t open_count;
};

s_static_desc platform_desc{sizeof(Platform), nullptr, nullptr};

Platform *platform() noexcept {
    return static_cast<Platform *>(vkok_static_get_ptr(&platform_desc));
}

// The help objects open now: validity is asked of this set, so that a closed object's
// memory is never read.
std::set<HELPINFO> &open_objects() {
    static std::set<HELPINFO> objects;
    return objects;
}

// The standard help-menu tags and the topics they show, installed application-wide.
struct MenuTopic {
    std::int16_t tag;
    std::int32_t topic;
};
constexpr MenuTopic kStandardMenus[] = {
    {32451, 32020}, {32455, 32001}, {32462, 32006}, {32453, 32022}, {32452, 32000},
    {32454, 32005}, {32457, 32021}, {32458, 32023}, {32459, 32007},
};

bool is_separator(char c) {
    return c == '/' || c == '\\';
}

bool file_exists(const std::string &path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string joined(const std::string &dir, const std::string &name) {
    if (dir.empty())
        return name;
    return is_separator(dir.back()) ? dir + name : dir + "/" + name;
}

// A name used as given, never searched for: a drive, or a root or dot at its start.
bool is_absolute(const std::string &name) {
    return (name.size() >= 2 && name[1] == ':') ||
           (!name.empty() && (is_separator(name[0]) || name[0] == '.'));
}

std::string current_dir() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

// The bare help-file name in the current directory, then in the directories of HELP,
// VKOPATH and PATH; empty when none holds it.
std::string search_help_file(const std::string &bare) {
    if (file_exists(bare))
        return joined(current_dir(), bare);
    for (const char *variable : {"HELP", "VKOPATH", "PATH"}) {
        const char *value = std::getenv(variable);
        if (value == nullptr)
            continue;
        const std::string list = value;
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find_first_of(";:", start), list.size());
            const std::string dir = list.substr(start, end - start);
            if (!dir.empty() && file_exists(joined(dir, bare))) {
                const std::string found = joined(dir, bare);
                return is_separator(found[0]) ? found : joined(current_dir(), found);
            }
            start = end + 1;
        }
    }
    return std::string();
}

// The help file of a specification, empty when there is none. *failed tells a directory that
// cannot be read from a file that is not found.
std::string find_help_file(const s_file_spec &spec, bool *failed) {
    const std::string name(spec.name, strnlen(spec.name, sizeof spec.name));
    if (name.empty())
        return std::string();
    std::string candidate;
    if (is_absolute(name)) {
        candidate = change_extension(name, kHelpExtension);
        if (!is_separator(candidate[0]) && candidate[1] != ':')
            candidate = joined(current_dir(), candidate);
        return file_exists(candidate) ? candidate : std::string();
    }
    char dir[kMaxDirText + 1] = {};
    if (!vkok_fsys_convert_dir_to_str(&spec.dir, dir, sizeof dir)) {
        *failed = true;
        return std::string();
    }
    const std::string beside = joined(dir, name);
    if (beside.size() <= kMaxJoined) {
        candidate = change_extension(beside, kHelpExtension);
        if (file_exists(candidate))
            return is_separator(candidate[0]) ? candidate : joined(current_dir(), candidate);
    }
    const std::size_t cut = name.find_last_of("/\\");
    const std::string bare = cut == std::string::npos ? name : name.substr(cut + 1);
    return search_help_file(change_extension(bare, kHelpExtension));
}

// Far longer than any row ("W 1234 0 5678"): a longer line is damage, not read into memory.
constexpr std::size_t kLongestRow = 4096;

// Reads a line; false at the end of the file. A line longer than kLongestRow keeps only its
// first kLongestRow characters, the rest is skipped, and *too_long tells it.
bool read_line(std::FILE *file, std::string *line, bool *too_long) {
    line->clear();
    *too_long = false;
    int c = 0;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {
        if (line->size() == kLongestRow)
            *too_long = true;
        else
            line->push_back(static_cast<char>(c));
    }
    if (!*too_long && !line->empty() && line->back() == '\r')
        line->pop_back();
    return c != EOF || !line->empty();
}

bool is_comment(const std::string &line) {
    return line.empty() || line[0] == '#' || line[0] == '\'' || line[0] == ' ' || line[0] == '\t';
}

std::int32_t kind_of_letter(char letter) {
    switch (letter) {
    case 'W':
    case 'w':
        return kWindow;
    case 'D':
    case 'd':
        return kDialog;
    case 'C':
    case 'c':
        return kControl;
    case 'M':
    case 'm':
        return kMenuItem;
    default:
        return kNoKind;
    }
}

// The module's event hook (attribute 710): lets the event through unless help consumed it.
// Without a help object (attribute 711 cleared by a close) every event goes through.
BOOLEAN help_hook(WINDOW win, EVENT *event, intptr_t data) noexcept {
    auto *help = reinterpret_cast<HELPINFO>(data);
    if (help == nullptr || !vkov_help_is_valid_info(help))
        return TRUE;
    return vkov_help_process_event(help, win, event) != 0 ? FALSE : TRUE;
}

// The object is freed by its owner; this only unlinks what the process keeps of it.
void forget(HELPINFO help) noexcept {
    if (vkok_vobj_get_attr(nullptr, VKO_ATTR_APP_EVENT_HOOK_DATA) ==
        reinterpret_cast<intptr_t>(help))
        vkov_vobj_set_attr(nullptr, VKO_ATTR_APP_EVENT_HOOK_DATA, 0);
    help->self = nullptr;
    open_objects().erase(help);
}

} // namespace

void report(std::uint32_t code, int line) noexcept {
    vkov_errmsg_dispatch(nullptr, 2, code, kModule, line);
}

bool help_ok(HELPINFO help, int line) noexcept {
    if (help == nullptr) {
        report(kErrNull, line);
        return false;
    }
    if (!vkov_help_is_valid_info(help)) {
        report(kErrInvalidHelp, line);
        return false;
    }
    return true;
}

std::string change_extension(std::string_view path, std::string_view ext) {
    const std::size_t sep = path.find_last_of("/\\:");
    const std::size_t name_start = sep == std::string_view::npos ? 0 : sep + 1;
    std::size_t name_end = path.find_last_of('.');
    if (name_end == std::string_view::npos || name_end < name_start)
        name_end = path.size();
    std::string result(path.substr(0, name_end));
    if (ext.empty() || ext[0] != '.')
        result += '.';
    result += ext;
    return result;
}

std::vector<TopicRow> read_topic_table(const std::string &path, std::int32_t *state) {
    std::vector<TopicRow> rows;
    *state = VKOH_ASSOC_MISSING;
    std::int32_t refusal = VKO_READ_OPENED;
    std::FILE *file = vkov_open_to_read(path.c_str(), &refusal);
    if (file == nullptr) {
        // A folder, a FIFO or a device in its place is no association file: damaged.
        if (refusal != VKO_READ_CANNOT_OPEN)
            *state = VKOH_ASSOC_DAMAGED;
        return rows;
    }
    std::string line;
    bool good = true;
    bool too_long = false;
    while (good && read_line(file, &line, &too_long)) {
        // A comment may be of any length; a row that long is damage.
        if (is_comment(line))
            continue;
        if (too_long) {
            report(kErrLongRow, __LINE__);
            good = false;
            continue;
        }
        char letter = 0;
        long object = 0;
        long owner = 0;
        long topic = 0;
        if (std::sscanf(line.c_str(), "%c %ld %ld %ld", &letter, &object, &owner, &topic) != 4) {
            report(kErrShortRow, __LINE__);
            good = false;
        } else if (kind_of_letter(letter) == kNoKind) {
            report(kErrBadKind, __LINE__);
            good = false;
        } else {
            rows.push_back({kind_of_letter(letter), static_cast<std::int32_t>(object),
                            static_cast<std::int32_t>(owner), static_cast<std::int32_t>(topic)});
        }
    }
    std::fclose(file);
    if (!good) {
        *state = VKOH_ASSOC_DAMAGED;
        return {};
    }
    // A file with no association (empty, or comments only) leaves every topic unknown.
    *state = rows.empty() ? VKOH_ASSOC_EMPTY : VKOH_ASSOC_READ;
    std::sort(rows.begin(), rows.end(), [](const TopicRow &a, const TopicRow &b) {
        return std::tie(a.object, a.kind, a.owner) < std::tie(b.object, b.kind, b.owner);
    });
    return rows;
}

std::int32_t lookup_topic(const std::vector<TopicRow> &rows, std::int32_t kind, std::int32_t object,
                          std::int32_t owner) {
    const auto key = [](const TopicRow &r) { return std::tie(r.object, r.kind, r.owner); };
    const auto find = [&](std::int32_t wanted_owner) -> const TopicRow * {
        const TopicRow probe{kind, object, wanted_owner, 0};
        const auto at =
            std::lower_bound(rows.begin(), rows.end(), probe,
                             [&](const TopicRow &a, const TopicRow &b) { return key(a) < key(b); });
        return at != rows.end() && at->object == object && at->kind == kind &&
                       at->owner == wanted_owner
                   ? &*at
                   : nullptr;
    };
    if (const TopicRow *row = find(owner))
        return row->topic;
    if (owner != 0) {
        const TopicRow *row = find(0);
        return row != nullptr ? row->topic : 0;
    }
    // Any owner: the first row of this object and kind.
    for (const TopicRow &row : rows) {
        if (row.object == object && row.kind == kind)
            return row.topic;
    }
    return 0;
}

} // namespace vkohelp

using namespace vkohelp;

extern "C" VKOHELP_API HELPINFO vkov_help_open_helpfile(const s_file_spec *spec,
                                                        int32_t flags) noexcept {
    Platform *table = platform();
    if (spec == nullptr || table == nullptr)
        return nullptr;
    table->initialised = 1;
    HELPINFO help = nullptr;
    try {
        bool failed = false;
        const std::string path = find_help_file(*spec, &failed);
        if (path.empty())
            return nullptr;
        help = new vkoh_help_info;
        help->self = help;
        help->flags = flags;
        help->path = path;
        help->assoc_path = change_extension(path, kAssocExtension);
        help->topics = read_topic_table(help->assoc_path, &help->assoc_state);
        if ((flags & kNoStandardMenus) == 0) {
            for (const MenuTopic &m : kStandardMenus)
                set_menu_assoc(help, nullptr, m.tag, m.topic);
        }
        open_objects().insert(help);
    } catch (const std::bad_alloc &) {
        delete help;
        return nullptr;
    }
    ++table->open_count;
    if (vkok_vobj_get_attr(nullptr, VKO_ATTR_APP_EVENT_HOOK) == 0)
        vkov_vobj_set_attr(nullptr, VKO_ATTR_APP_EVENT_HOOK,
                           reinterpret_cast<intptr_t>(&help_hook));
    if (vkok_vobj_get_attr(nullptr, VKO_ATTR_APP_EVENT_HOOK_DATA) == 0)
        vkov_vobj_set_attr(nullptr, VKO_ATTR_APP_EVENT_HOOK_DATA, reinterpret_cast<intptr_t>(help));
    return help;
}

extern "C" VKOHELP_API int32_t vkov_help_close_helpfile(HELPINFO help) noexcept {
    if (!vkov_help_is_valid_info(help))
        return 0;
    stop_objclick(help);
    help->assocs.clear();
    viewer_quit(help);
    forget(help);
    if (Platform *table = platform(); table != nullptr && table->open_count > 0)
        --table->open_count;
    delete help;
    return 1;
}

extern "C" VKOHELP_API BOOLEAN vkov_help_is_valid_info(HELPINFO help) noexcept {
    return help != nullptr && open_objects().count(help) != 0 && help->self == help ? TRUE : FALSE;
}

extern "C" VKOHELP_API int32_t vkov_help_get_flavor(void) noexcept {
    const Platform *table = platform();
    return table != nullptr && table->initialised != 0 ? kFlavor : 0;
}

extern "C" VKOHELP_API int32_t vkov_help_get_assoc_file(HELPINFO help, char *path,
                                                        int32_t path_size) noexcept {
    if (!vkov_help_is_valid_info(help))
        return 0;
    if (path != nullptr && path_size > 0 &&
        help->assoc_path.size() < static_cast<std::size_t>(path_size))
        std::memcpy(path, help->assoc_path.c_str(), help->assoc_path.size() + 1);
    return help->assoc_state;
}

extern "C" VKOHELP_API char *helpu_change_extension(char *path, char *out, int32_t out_size,
                                                    const char *extension) noexcept {
    if (path == nullptr || extension == nullptr || out_size <= 0)
        return nullptr;
    try {
        const std::string result = change_extension(path, extension);
        if (result.size() >= static_cast<std::size_t>(out_size))
            return nullptr;
        char *target = out != nullptr ? out : path;
        std::memcpy(target, result.c_str(), result.size() + 1);
        return target;
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}
