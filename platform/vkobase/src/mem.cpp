// mem.cpp: plain memory through the installed memory-function table (the C runtime's by
// default) and the failure injection that tests use. Owns the installed table; the blocks
// belong to the callers.
#include "vkobase/mem.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "mem_internal.h"

namespace {

struct MemState {
    bool installed = false;       // false: no table installed, the C runtime serves
    s_mem_functions functions{};  // the installed table, entries completed
    std::int32_t fail_after = -1; // allocations left before the injected failure, -1 none
};
MemState g_mem;

void *c_alloc(size_t size) {
    return std::malloc(size == 0 ? 1 : size);
}
void *c_zalloc(size_t size) {
    return std::calloc(size == 0 ? 1 : size, 1);
}
void *c_realloc(void *block, size_t size) {
    return std::realloc(block, size == 0 ? 1 : size);
}
void c_free(void *block) {
    std::free(block);
}

constexpr s_mem_functions kDefaults{c_alloc, c_zalloc, c_realloc, c_free};

const s_mem_functions &functions() noexcept {
    return g_mem.installed ? g_mem.functions : kDefaults;
}

} // namespace

namespace vkobase::mem {

bool take_injected_failure() noexcept {
    if (g_mem.fail_after < 0)
        return false;
    if (g_mem.fail_after == 0) {
        g_mem.fail_after = -1;
        return true;
    }
    --g_mem.fail_after;
    return false;
}

} // namespace vkobase::mem

void vkobase_reset_mem() noexcept {
    g_mem = MemState{};
}

extern "C" {

void *vkov_mem_alloc(size_t size) noexcept {
    if (vkobase::mem::take_injected_failure())
        return nullptr;
    return functions().alloc(size);
}

void *vkov_mem_zalloc(size_t size) noexcept {
    if (vkobase::mem::take_injected_failure())
        return nullptr;
    return functions().zalloc(size);
}

void *vkov_mem_realloc(void *block, size_t size) noexcept {
    if (vkobase::mem::take_injected_failure())
        return nullptr;
    return functions().realloc(block, size);
}

void vkov_mem_free(void *block) noexcept {
    if (block != nullptr)
        functions().free(block);
}

void *vkov_mem_rep(void *dst, const void *src, std::uint32_t src_size,
                   std::uint32_t count) noexcept {
    if (dst == nullptr || src == nullptr)
        return nullptr;
    if (src_size != 0 && count > SIZE_MAX / src_size)
        return nullptr;
    auto *out = static_cast<unsigned char *>(dst);
    for (std::uint32_t i = 0; i < count; ++i)
        std::memmove(out + static_cast<size_t>(i) * src_size, src, src_size);
    return dst;
}

const s_mem_functions *vkov_mem_get_functions(void) noexcept {
    return g_mem.installed ? &g_mem.functions : nullptr;
}

void vkov_mem_set_functions(const s_mem_functions *table) noexcept {
    s_mem_functions completed = kDefaults;
    if (table != nullptr) {
        if (table->alloc != nullptr)
            completed.alloc = table->alloc;
        if (table->zalloc != nullptr)
            completed.zalloc = table->zalloc;
        if (table->realloc != nullptr)
            completed.realloc = table->realloc;
        if (table->free != nullptr)
            completed.free = table->free;
    }
    g_mem.functions = completed;
    g_mem.installed = true;
}

void vkov_mem_test_fail_after(std::int32_t successes) noexcept {
    g_mem.fail_after = successes < 0 ? -1 : successes;
}

} // extern "C"
