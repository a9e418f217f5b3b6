// cb.cpp: the in-process clipboard. Owns one datum per format and the transfer buffer
// through which data goes in and out.
#include "vkobase/cb.h"

#include <cstring>
#include <string>
#include <vector>

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
    return TRUE;
}

BOOLEAN vkok_cb_has_format(e_cb format, const char *name) noexcept {
    return known(format) && matches(format, name) ? TRUE : FALSE;
}

void *vkok_cb_get_data(e_cb format, const char *name, std::uint32_t *size) noexcept {
    if (size != nullptr)
        *size = 0;
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
