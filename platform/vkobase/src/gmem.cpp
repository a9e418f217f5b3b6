// gmem.cpp: movable global memory. Each handle is a record of the handle table (registered in
// the registry of live records) that owns its data block; the record's address never changes,
// the data's may at every unlock (moving mode) and at every resize.
#include "vkobase/gmem.h"

#include <cstring>
#include <new>
#include <unordered_set>

#include "live_registry.h"
#include "mem_internal.h"
#include "vkobase/mem.h"

struct s_gmem_block {
    unsigned char *data = nullptr; // from vkov_mem_zalloc
    std::uint32_t size = 0;
    std::int32_t locks = 0;
};

namespace {

struct GmemState {
    bool moving = false;                        // moving mode for tests
    std::unordered_set<s_gmem_block *> handles; // the handle table: every live block
};
GmemState &state() {
    static GmemState s;
    return s;
}

bool is_live(GHANDLE handle) noexcept {
    return vkobase::live_is(handle, vkobase::LiveKind::Gmem);
}

// Allocates a zero-filled data block of size bytes (at least one byte, so every block has
// an address of its own).
unsigned char *new_data(std::uint32_t size) noexcept {
    return static_cast<unsigned char *>(vkov_mem_zalloc(size == 0 ? 1 : size));
}

void destroy_block(s_gmem_block *block) noexcept {
    vkobase::live_remove(block);
    vkov_mem_free(block->data);
    delete block;
}

} // namespace

void vkobase_reset_gmem() noexcept {
    for (s_gmem_block *block : state().handles)
        destroy_block(block);
    state().handles.clear();
    state().moving = false;
}

extern "C" {

GHANDLE vkov_gmem_alloc(std::uint32_t size) noexcept {
    auto *block = new (std::nothrow) s_gmem_block;
    if (block == nullptr)
        return nullptr;
    block->data = new_data(size);
    if (block->data == nullptr) {
        delete block;
        return nullptr;
    }
    block->size = size;
    try {
        state().handles.insert(block);
    } catch (...) {
        vkov_mem_free(block->data);
        delete block;
        return nullptr;
    }
    vkobase::live_add(block, vkobase::LiveKind::Gmem);
    return block;
}

BOOLEAN vkov_gmem_free(GHANDLE handle) noexcept {
    if (!is_live(handle))
        return FALSE;
    state().handles.erase(handle);
    destroy_block(handle);
    return TRUE;
}

void *vkov_gmem_lock(GHANDLE handle) noexcept {
    if (!is_live(handle))
        return nullptr;
    ++handle->locks;
    return handle->data;
}

BOOLEAN vkov_gmem_unlock(GHANDLE handle) noexcept {
    if (!is_live(handle) || handle->locks == 0)
        return FALSE;
    if (--handle->locks == 0 && state().moving) {
        // Move the block: a fresh allocation, the old one freed, so any address kept past the
        // unlock points at freed memory.
        unsigned char *moved = new_data(handle->size);
        if (moved != nullptr) {
            std::memcpy(moved, handle->data, handle->size);
            vkov_mem_free(handle->data);
            handle->data = moved;
        }
    }
    return TRUE;
}

GHANDLE vkov_gmem_realloc(GHANDLE handle, std::uint32_t size) noexcept {
    if (!is_live(handle))
        return nullptr;
    unsigned char *resized = new_data(size);
    if (resized == nullptr)
        return nullptr;
    std::memcpy(resized, handle->data, size < handle->size ? size : handle->size);
    vkov_mem_free(handle->data);
    handle->data = resized;
    handle->size = size;
    return handle;
}

std::uint32_t vkov_gmem_get_size(GHANDLE handle) noexcept {
    return is_live(handle) ? handle->size : 0;
}

void vkov_gmem_test_set_moving(BOOLEAN moving) noexcept {
    state().moving = moving != FALSE;
}

std::int32_t vkov_gmem_test_lock_count(GHANDLE handle) noexcept {
    return is_live(handle) ? handle->locks : -1;
}

} // extern "C"
