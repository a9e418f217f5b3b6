// static.cpp: per-module process blocks by descriptor. Owns the blocks; runs their finalisers
// in reverse order of creation at process exit or at the tests' reset.
#include "vkobase/static.h"

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "vkobase/mem.h"

namespace {

struct StaticState {
    std::vector<std::pair<s_static_desc *, void *>> blocks; // in order of creation
    bool exit_hook_set = false;
};
StaticState &state() {
    static StaticState s;
    return s;
}

void finalise_all() noexcept {
    // Take the list first: a finaliser may ask for another block.
    auto blocks = std::move(state().blocks);
    state().blocks.clear();
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
        if (it->first->fini != nullptr)
            it->first->fini(it->second);
        vkov_mem_free(it->second);
    }
}

void finalise_at_exit() {
    finalise_all();
}

} // namespace

void vkobase_reset_static() noexcept {
    finalise_all();
}

extern "C" void *vkok_static_get_ptr(s_static_desc *descriptor) noexcept {
    if (descriptor == nullptr)
        return nullptr;
    for (const auto &entry : state().blocks)
        if (entry.first == descriptor)
            return entry.second;
    void *block = vkov_mem_zalloc(descriptor->size);
    if (block == nullptr)
        return nullptr;
    try {
        state().blocks.emplace_back(descriptor, block);
    } catch (...) {
        vkov_mem_free(block);
        return nullptr;
    }
    if (!state().exit_hook_set) {
        state().exit_hook_set = std::atexit(finalise_at_exit) == 0;
    }
    if (descriptor->init != nullptr)
        descriptor->init(block);
    return block;
}
