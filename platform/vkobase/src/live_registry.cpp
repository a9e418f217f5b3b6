// live_registry.cpp: the registry of live records. A hash map from record address to kind;
// lookups never touch the record itself, so freed or foreign pointers are answered safely.
#include "live_registry.h"

#include <unordered_map>

namespace {

struct RegistryState {
    std::unordered_map<const void *, vkobase::LiveKind> records;
};

// Never destroyed: records freed by other modules' static destructors at exit still find it.
RegistryState &state() noexcept {
    static RegistryState *s = new RegistryState;
    return *s;
}

} // namespace

namespace vkobase {

void live_add(const void *record, LiveKind kind) noexcept {
    if (record == nullptr)
        return;
    try {
        state().records[record] = kind;
    } catch (...) {
        // Out of memory: the record stays unknown and its predicate answers FALSE.
    }
}

void live_remove(const void *record) noexcept {
    state().records.erase(record);
}

bool live_is(const void *record, LiveKind kind) noexcept {
    if (record == nullptr)
        return false;
    const auto it = state().records.find(record);
    return it != state().records.end() && it->second == kind;
}

std::int32_t live_count(LiveKind kind) noexcept {
    std::int32_t count = 0;
    for (const auto &entry : state().records)
        if (entry.second == kind)
            ++count;
    return count;
}

} // namespace vkobase

void vkobase_reset_live_registry() noexcept {
    state().records.clear();
}

extern "C" VKOBASE_API int32_t vkov_test_live_count(int32_t kind) noexcept {
    return vkobase::live_count(static_cast<vkobase::LiveKind>(kind));
}
