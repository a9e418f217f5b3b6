// cb.cpp: the clipboard. Owns one datum per format and the transfer buffer through which data
// goes in and out. Text also goes to the system's CLIPBOARD selection while the display is
// open, and text that another program put there is what a read finds; the other formats stay
// inside the program.
#include "vkobase/cb.h"

#include <cstring>
#include <string>
#include <vector>

#include "cb_internal.h"
#include "core_internal.h"
#include "font_internal.h"
#include "gtk_bridge.h"
#include "str_internal.h"
#include "vkobase/mem.h"
#include "vkobase/pict.h"

namespace {

enum class OpenMode { Closed, Reading, Writing };

struct Datum {
    bool present = false;
    std::vector<unsigned char> bytes;
    std::string name; // CB_APPL only, cut to VKO_CB_NAME_SIZE bytes
};

struct CbState {
    OpenMode mode = OpenMode::Closed;
    Datum data[3];                     // by format
    unsigned char *transfer = nullptr; // from vkov_mem_zalloc
    std::uint32_t transfer_size = 0;
    std::string exported; // the text last given to the system, as UTF-8
};
CbState &state() {
    static CbState s;
    return s;
}

bool known(e_cb format) noexcept {
    return format == CB_TEXT || format == CB_PICT || format == CB_APPL;
}

std::string cut_name(const char *name) {
    return std::string(name, strnlen(name, VKO_CB_NAME_SIZE));
}

// Text that another program put on the system clipboard since this one put its own replaces
// the program's text.
void take_system_text() noexcept {
    if (vkobase::app_test_mode() || state().mode == OpenMode::Writing ||
        !vkobase::gtk::text_may_have_changed())
        return;
    try {
        std::string utf8;
        if (!vkobase::gtk::get_text(&utf8) || utf8 == state().exported)
            return;
        const std::string text = vkobase::cb::text_from_system(utf8);
        Datum datum;
        datum.present = true;
        datum.bytes.assign(text.begin(), text.end());
        state().data[CB_TEXT] = std::move(datum);
        state().exported = utf8;
    } catch (...) {
    }
}

void give_system_utf8(const std::string &utf8) noexcept {
    if (vkobase::app_test_mode())
        return;
    try {
        if (vkobase::gtk::put_text(utf8))
            state().exported = utf8;
    } catch (...) {
    }
}

void give_system_text(const std::vector<unsigned char> &bytes) noexcept {
    try {
        give_system_utf8(vkobase::cb::text_to_system(std::string(bytes.begin(), bytes.end())));
    } catch (...) {
    }
}

bool matches(e_cb format, const char *name) noexcept {
    const Datum &d = state().data[format];
    if (!d.present)
        return false;
    if (format != CB_APPL)
        return true;
    return name != nullptr &&
           d.name.compare(0, std::string::npos, name, strnlen(name, VKO_CB_NAME_SIZE)) == 0;
}

void free_transfer() noexcept {
    vkov_mem_free(state().transfer);
    state().transfer = nullptr;
    state().transfer_size = 0;
}

unsigned char *new_transfer(std::uint32_t size) noexcept {
    free_transfer();
    // One more byte than asked, so text handed out is always terminated.
    auto *block = static_cast<unsigned char *>(vkov_mem_zalloc(static_cast<size_t>(size) + 1));
    if (block == nullptr)
        return nullptr;
    state().transfer = block;
    state().transfer_size = size;
    return block;
}

} // namespace

namespace vkobase::cb {

std::string text_to_system(const std::string &cp1252) {
    std::string lf;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        if (cp1252[i] == '\r') {
            lf += '\n';
            if (i + 1 < cp1252.size() && cp1252[i + 1] == '\n')
                ++i;
        } else {
            lf += cp1252[i];
        }
    }
    return vkobase::font::to_utf8(lf.c_str(), static_cast<std::int32_t>(lf.size()));
}

std::string text_from_system(const std::string &utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = 0;
        std::size_t len = 0;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        }
        bool ok = len > 0 && i + len <= utf8.size();
        for (std::size_t k = 1; ok && k < len; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + k]);
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        i += len;
        if (cp == '\n') {
            if (out.empty() || out.back() != '\r')
                out += '\r';
            out += '\n';
            continue;
        }
        const unsigned char byte =
            cp <= 0xFFFF ? vkobase::str::unicode_to_cp1252(static_cast<std::uint16_t>(cp)) : 0;
        out += byte != 0 || cp == 0 ? static_cast<char>(byte) : '?';
    }
    return out;
}

} // namespace vkobase::cb

void vkobase_reset_cb() noexcept {
    free_transfer();
    state() = CbState{};
}

extern "C" {

BOOLEAN vkok_cb_open(BOOLEAN for_writing) noexcept {
    if (state().mode != OpenMode::Closed)
        return FALSE;
    if (for_writing) {
        for (Datum &d : state().data)
            d = Datum{};
        state().mode = OpenMode::Writing;
    } else {
        state().mode = OpenMode::Reading;
    }
    return TRUE;
}

BOOLEAN vkok_cb_close(void) noexcept {
    if (state().mode == OpenMode::Closed)
        return FALSE;
    free_transfer();
    state().mode = OpenMode::Closed;
    return TRUE;
}

void *vkok_cb_alloc_data(std::uint32_t size) noexcept {
    return new_transfer(size);
}

void vkok_cb_free_data(void) noexcept {
    free_transfer();
}

BOOLEAN vkok_cb_put_data(e_cb format, const char *name, std::uint32_t size, PICTURE pict) noexcept {
    if (state().mode != OpenMode::Writing || !known(format))
        return FALSE;
    if (format == CB_APPL && name == nullptr)
        return FALSE;
    try {
        Datum datum;
        if (format == CB_PICT) {
            std::int32_t pict_size = 0;
            const void *bytes = vkok_pict_lock(pict, &pict_size);
            if (bytes == nullptr || pict_size < 0)
                return FALSE;
            const auto *p = static_cast<const unsigned char *>(bytes);
            datum.bytes.assign(p, p + pict_size);
            vkok_pict_unlock(pict);
        } else {
            if (state().transfer == nullptr || size > state().transfer_size)
                return FALSE;
            datum.bytes.assign(state().transfer, state().transfer + size);
            if (format == CB_APPL)
                datum.name = cut_name(name);
        }
        datum.present = true;
        state().data[format] = std::move(datum);
    } catch (...) {
        return FALSE;
    }
    if (format == CB_PICT)
        vkok_pict_destroy(pict); // the clipboard keeps the data; the picture was handed over
    if (format == CB_TEXT)
        give_system_text(state().data[CB_TEXT].bytes);
    return TRUE;
}

BOOLEAN vkov_cb_put_text_utf8(const char *utf8, std::uint32_t size) noexcept {
    if (state().mode != OpenMode::Writing || utf8 == nullptr)
        return FALSE;
    try {
        const std::string given(utf8, size);
        const std::string text = vkobase::cb::text_from_system(given);
        Datum datum;
        datum.present = true;
        datum.bytes.assign(text.begin(), text.end());
        state().data[CB_TEXT] = std::move(datum);
        std::string lf;
        for (std::size_t i = 0; i < given.size(); ++i)
            if (given[i] != '\r')
                lf += given[i];
            else if (i + 1 == given.size() || given[i + 1] != '\n')
                lf += '\n';
        give_system_utf8(lf);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

BOOLEAN vkok_cb_has_format(e_cb format, const char *name) noexcept {
    if (format == CB_TEXT)
        take_system_text();
    return known(format) && matches(format, name) ? TRUE : FALSE;
}

void *vkok_cb_get_data(e_cb format, const char *name, std::uint32_t *size) noexcept {
    if (size != nullptr)
        *size = 0;
    if (format == CB_TEXT && state().mode != OpenMode::Closed)
        take_system_text();
    if (state().mode == OpenMode::Closed || !known(format) || !matches(format, name))
        return nullptr;
    const std::vector<unsigned char> &bytes = state().data[format].bytes;
    const auto n = static_cast<std::uint32_t>(bytes.size());
    unsigned char *copy = new_transfer(n);
    if (copy == nullptr)
        return nullptr;
    if (n != 0)
        std::memcpy(copy, bytes.data(), n);
    if (size != nullptr)
        *size = n;
    return copy;
}

} // extern "C"
