// Resource registry: the parsed resource texts of the process (the program's own, registered
// at load time, and files added at run time) and the loaders that turn their items into the
// toolkit's records. Loaded records are fresh copies in vkov_mem memory: callers free them
// with the free functions, and nothing they do to a copy reaches the registry.
#include "vkobase/res.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "menu_internal.h"
#include "res_text.h"
#include "vkobase/errmsg.h"
#include "vkobase/font.h"
#include "vkobase/image.h"
#include "vkobase/iostr.h"
#include "vkobase/mem.h"
#include "vkobase/slist.h"

namespace {

constexpr char kModule[] = "res";
// Report codes: a resource file that cannot be read, and one whose text is malformed.
constexpr uint32_t kErrFileUnreadable = 0x1530001;
constexpr uint32_t kErrFileMalformed = 0x250000;

struct ResFile {
    std::string name;
    int32_t number = 0;
    vkobase::res::Bundle bundle;
};

struct ResState {
    // Searched first to last: the files added at run time, the front one first.
    std::vector<std::unique_ptr<ResFile>> files;
    // The program's compiled-in texts, searched after the files, in registration order.
    std::vector<std::unique_ptr<ResFile>> program;
    int32_t next_number = 1;
};

ResState& state() {
    static ResState s;
    return s;
}

// Calls fn on each bundle in search order until it answers non-null.
template <typename Fn>
auto find_in_bundles(Fn fn) -> decltype(fn(std::declval<const vkobase::res::Bundle&>())) {
    for (const auto& f : state().files) {
        if (auto found = fn(f->bundle)) {
            return found;
        }
    }
    for (const auto& f : state().program) {
        if (auto found = fn(f->bundle)) {
            return found;
        }
    }
    return nullptr;
}

template <typename T>
const T* find_item(const std::map<int32_t, T> vkobase::res::Bundle::*member, int32_t id) {
    return find_in_bundles([&](const vkobase::res::Bundle& b) -> const T* {
        const auto& items = b.*member;
        const auto it = items.find(id);
        return it == items.end() ? nullptr : &it->second;
    });
}

// A copy of text in vkov_mem memory; null when memory runs out.
char* mem_strdup(const std::string& text) {
    auto* copy = static_cast<char*>(vkov_mem_alloc(text.size() + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
    }
    return copy;
}

void free_menu_items(s_mitem* items) {
    if (items == nullptr) {
        return;
    }
    for (s_mitem* item = items; !vkobase::menu_item_is_end(*item); ++item) {
        vkov_mem_free(item->text);
        free_menu_items(item->child);
    }
    vkov_mem_free(items);
}

// Builds the records of items and their children; null when memory runs out (everything
// built so far is freed).
s_mitem* build_menu_items(const std::vector<vkobase::res::MenuItem>& items) {
    auto* out = static_cast<s_mitem*>(vkov_mem_zalloc((items.size() + 1) * sizeof(s_mitem)));
    if (out == nullptr) {
        return nullptr;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        const auto& src = items[i];
        s_mitem& dst = out[i];
        dst.tag = static_cast<int16_t>(src.tag);
        dst.mkey = static_cast<int16_t>(src.mkey);
        dst.enabled = src.enabled ? 1 : 0;
        dst.checked = src.checked ? 1 : 0;
        dst.checkable = src.checkable ? 1 : 0;
        dst.separator = src.separator ? 1 : 0;
        dst.state = static_cast<uint16_t>(src.state);
        bool ok = true;
        if (!src.separator) {
            dst.text = mem_strdup(src.title);
            ok = dst.text != nullptr;
        }
        if (ok && src.popup) {
            dst.child = build_menu_items(src.children);
            ok = dst.child != nullptr;
        }
        if (!ok) {
            free_menu_items(out);
            return nullptr;
        }
    }
    return out;
}

s_win_def* build_win_def(const std::vector<vkobase::res::WinEntry>& entries) {
    auto* out = static_cast<s_win_def*>(vkov_mem_zalloc((entries.size() + 1) * sizeof(s_win_def)));
    if (out == nullptr) {
        return nullptr;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto& src = entries[i];
        s_win_def& dst = out[i];
        dst.type = src.type;
        dst.rct = s_rct{src.top, src.left, src.bottom, src.right};
        if (!src.title.empty()) {
            dst.text = mem_strdup(src.title);
            if (dst.text == nullptr) {
                vkov_res_free_win_def(out);
                return nullptr;
            }
        }
        dst.id = static_cast<int16_t>(src.id);
        dst.menu_bar_id = static_cast<int16_t>(src.menu_bar_id);
        dst.ctl_flags = src.ctl_flags;
        dst.win_flags = src.win_flags;
        dst.value1 = static_cast<int16_t>(src.value1);
        dst.value2 = static_cast<int16_t>(src.value2);
        dst.value3 = static_cast<int16_t>(src.value3);
        dst.units = static_cast<int16_t>(src.units);
        dst.tx_attrs = src.tx_attrs;
        dst.tx_margin = static_cast<int16_t>(src.tx_margin);
        dst.tx_limit = static_cast<int16_t>(src.tx_limit);
        dst.font_id = src.font_id;
    }
    return out;
}

void* copy_data(int32_t res_id, int32_t* size_bytes) {
    if (size_bytes != nullptr) {
        *size_bytes = 0;
    }
    const std::string* data = find_item(&vkobase::res::Bundle::data, res_id);
    if (data == nullptr) {
        return nullptr;
    }
    // One spare zero byte, so text blocks can be read as strings.
    auto* copy = static_cast<char*>(vkov_mem_zalloc(data->size() + 1));
    if (copy != nullptr) {
        std::memcpy(copy, data->data(), data->size());
        if (size_bytes != nullptr) {
            *size_bytes = static_cast<int32_t>(data->size());
        }
    }
    return copy;
}

// A read stream over bytes held in memory.
struct MemReader {
    const std::string* bytes;
    size_t pos;
};

int32_t mem_read(void* context, void* buf, int32_t n_bytes) {
    auto* r = static_cast<MemReader*>(context);
    const size_t left = r->bytes->size() - r->pos;
    const size_t n = std::min(left, static_cast<size_t>(n_bytes < 0 ? 0 : n_bytes));
    std::memcpy(buf, r->bytes->data() + r->pos, n);
    r->pos += n;
    return static_cast<int32_t>(n);
}

bool starts_with(const std::string& bytes, const char* magic) {
    return bytes.compare(0, std::strlen(magic), magic) == 0;
}

// Decodes an image resource's file bytes with the image family's stream reader for the
// format its first bytes name (BMP, XPM, XBM; anything else is tried as a PICT).
IMAGE decode_image(const std::string& bytes) {
    MemReader reader{&bytes, 0};
    VKO_IOSTREAM stream = vkov_iostr_create_read(&reader, mem_read, nullptr);
    if (stream == nullptr) {
        return nullptr;
    }
    const size_t text_start = std::min(bytes.find_first_not_of(" \t\r\n"), bytes.size());
    const std::string head = bytes.substr(text_start, 16);
    IMAGE image = starts_with(bytes, "BM")         ? vkov_image_read_bmp(stream)
                  : starts_with(head, "/* XPM */") ? vkov_image_read_xpm(stream)
                  : starts_with(head, "#define")   ? vkov_image_read_xbm(stream)
                                                   : vkov_image_read_macpict(stream);
    vkov_iostr_destroy(stream);
    return image;
}

// Image files named by an added resource file are relative to that file's folder.
bool read_beside(const std::string& path, std::string* bytes, void* context) {
    const auto* dir = static_cast<const std::string*>(context);
    return vkobase::res::read_file(vkobase::res::path_beside(*dir, path), bytes);
}

std::vector<std::unique_ptr<ResFile>>::iterator find_file(const char* file_name) {
    auto& files = state().files;
    for (auto it = files.begin(); it != files.end(); ++it) {
        if ((*it)->name == file_name) {
            return it;
        }
    }
    return files.end();
}

} // namespace

// Drops the files added at run time; the program's registered texts stay.
namespace vkobase::menu {

std::vector<std::pair<res::AccelKey, std::int16_t>> accel_table(std::int32_t id) {
    std::vector<std::pair<res::AccelKey, std::int16_t>> out;
    if (const auto* table = find_item(&vkobase::res::Bundle::accels, id)) {
        for (const res::Accel& a : *table) {
            res::AccelKey key;
            if (res::parse_accel_key(a.keys, &key))
                out.emplace_back(key, static_cast<std::int16_t>(a.tag));
        }
    }
    return out;
}

} // namespace vkobase::menu

void vkobase_reset_res() noexcept {
    state().files.clear();
}

extern "C" {

s_win_def* vkov_res_get_win_def(int32_t res_id) noexcept {
    const auto* entries = find_item(&vkobase::res::Bundle::windows, res_id);
    return entries == nullptr ? nullptr : build_win_def(*entries);
}

s_win_def* vkov_res_get_dlg_def(int32_t res_id) noexcept {
    const auto* entries = find_item(&vkobase::res::Bundle::dialogs, res_id);
    return entries == nullptr ? nullptr : build_win_def(*entries);
}

MENU_TREE vkov_res_get_menu(int32_t res_id) noexcept {
    const auto* items = find_item(&vkobase::res::Bundle::menus, res_id);
    return items == nullptr ? nullptr : build_menu_items(*items);
}

void vkov_res_free_win_def(s_win_def* def_list) noexcept {
    if (def_list == nullptr) {
        return;
    }
    for (s_win_def* entry = def_list; entry->type != 0; ++entry) {
        vkov_mem_free(entry->text);
    }
    vkov_mem_free(def_list);
}

void vkov_res_free_menu_tree(MENU_TREE tree) noexcept {
    free_menu_items(tree);
}

char* vkov_res_get_str(int32_t res_id, char* buf, int32_t buf_size) noexcept {
    if (buf == nullptr || buf_size < 1) {
        return nullptr;
    }
    buf[0] = '\0';
    const std::string* text = find_item(&vkobase::res::Bundle::strings, res_id);
    if (text == nullptr) {
        return nullptr;
    }
    // Cut to the buffer, never in the middle of the terminator's room.
    const size_t n = std::min(text->size(), static_cast<size_t>(buf_size) - 1);
    std::memcpy(buf, text->data(), n);
    buf[n] = '\0';
    return buf;
}

SLIST vkov_res_get_str_list(int32_t first_id, int32_t last_id) noexcept {
    SLIST list = vkov_slist_create();
    if (list == nullptr) {
        return nullptr;
    }
    // Walk the ids that exist rather than every number between the two.
    std::map<int32_t, const std::string*> found;
    auto collect = [&](const vkobase::res::Bundle& b) {
        for (auto it = b.strings.lower_bound(first_id);
             it != b.strings.end() && it->first <= last_id; ++it) {
            found.emplace(it->first, &it->second);  // earlier bundles win
        }
    };
    for (const auto& f : state().files) {
        collect(f->bundle);
    }
    for (const auto& f : state().program) {
        collect(f->bundle);
    }
    for (const auto& [id, text] : found) {
        if (!vkov_slist_add(list, text->c_str(), id)) {
            vkov_slist_destroy(list);
            return nullptr;
        }
    }
    return list;
}

FONT_OBJ vkov_res_get_font(int32_t res_id) noexcept {
    const std::string* desc = find_item(&vkobase::res::Bundle::fonts, res_id);
    if (desc == nullptr) {
        return nullptr;
    }
    FONT_OBJ font = vkov_font_create();
    if (font != nullptr) {
        vkov_font_set_native_desc(font, desc->c_str());
    }
    return font;
}

IMAGE vkov_res_get_image(int32_t res_id) noexcept {
    const std::string* bytes = find_item(&vkobase::res::Bundle::images, res_id);
    if (bytes == nullptr) {
        return nullptr;
    }
    return decode_image(*bytes);
}

const void* vkov_res_get_image_data(int32_t res_id, int32_t* size_bytes) noexcept {
    const std::string* bytes = find_item(&vkobase::res::Bundle::images, res_id);
    if (size_bytes != nullptr) {
        *size_bytes = bytes == nullptr ? 0 : static_cast<int32_t>(bytes->size());
    }
    return bytes == nullptr ? nullptr : bytes->data();
}

void* vkov_res_get_win_data(int32_t res_id, int32_t* size_bytes, int32_t) noexcept {
    return copy_data(res_id, size_bytes);
}

void* vkov_res_get_dlg_data(int32_t res_id, int32_t* size_bytes, int32_t) noexcept {
    return copy_data(res_id, size_bytes);
}

void* vkov_res_get_menu_data(int32_t res_id, int32_t* size_bytes, int32_t) noexcept {
    return copy_data(res_id, size_bytes);
}

int32_t vkok_res_add_res(const char* file_name) noexcept {
    if (file_name == nullptr) {
        return 0;
    }
    try {
        std::string text;
        if (!vkobase::res::read_file(file_name, &text)) {
            vkov_errmsg_dispatch(nullptr, 2, kErrFileUnreadable, kModule, __LINE__);
            return 0;
        }
        auto file = std::make_unique<ResFile>();
        file->name = file_name;
        const std::string path = file_name;
        const size_t slash = path.rfind('/');
        std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash);
        std::string error;
        if (!vkobase::res::parse_text(text, &file->bundle, &error, read_beside, &dir)) {
            vkov_errmsg_dispatch(nullptr, 2, kErrFileMalformed, kModule, __LINE__);
            return 0;
        }
        file->number = state().next_number++;
        const int32_t number = file->number;
        auto& files = state().files;
        const auto old = find_file(file_name);
        if (old != files.end()) {
            files.erase(old);
        }
        files.insert(files.begin(), std::move(file));
        return number;
    } catch (...) {
        return 0;  // out of memory while reading or parsing
    }
}

int32_t vkok_res_use_res(const char* file_name) noexcept {
    if (file_name == nullptr) {
        return 0;
    }
    auto& files = state().files;
    auto it = find_file(file_name);
    if (it == files.end()) {
        return 0;
    }
    std::unique_ptr<ResFile> file = std::move(*it);
    files.erase(it);
    const int32_t number = file->number;
    files.insert(files.begin(), std::move(file));
    return number;
}

BOOLEAN vkok_res_remove_res(const char* file_name) noexcept {
    if (file_name == nullptr) {
        return FALSE;
    }
    auto it = find_file(file_name);
    if (it == state().files.end()) {
        return FALSE;
    }
    state().files.erase(it);
    return TRUE;
}

BOOLEAN vkov_res_register_text(const char* name, const char* text) noexcept {
    if (name == nullptr || text == nullptr) {
        return FALSE;
    }
    try {
        auto file = std::make_unique<ResFile>();
        file->name = name;
        std::string error;
        // Registered texts come from the resource compiler, which has already read their
        // image files into inline bytes; nothing is read from disk here.
        if (!vkobase::res::parse_text(text, &file->bundle, &error, nullptr, nullptr)) {
            vkov_errmsg_dispatch(nullptr, 2, kErrFileMalformed, kModule, __LINE__);
            return FALSE;
        }
        state().program.push_back(std::move(file));
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

} // extern "C"
