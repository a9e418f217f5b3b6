// live_registry.cpp: the registry of live records. A hash map from record address to kind;
// lookups never touch the record itself, so freed or foreign pointers are answered safely.
// Every drawing and window call asks the registry several times, mostly about the same few
// windows and fonts: a small direct-mapped table of recent answers comes before the map.
#include "live_registry.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace {

struct Recent {
    const void *record = nullptr; // a registered record, or null
    vkobase::LiveKind kind = vkobase::LiveKind::Other;
};
constexpr std::size_t kRecentSlots = 256;

struct Entry {
    vkobase::LiveKind kind;
    std::uint64_t serial; // order of registration, never reused, so tests can tell a new
                          // record from a freed one that had the same address
};

struct RegistryState {
    std::unordered_map<const void *, Entry> records;
    std::array<Recent, kRecentSlots> recent{}; // each slot holds a registered record or none
    std::uint64_t last_serial = 0;             // not reset: numbers stay unique in a process
};

std::size_t slot_of(const void *record) noexcept {
    return (reinterpret_cast<std::uintptr_t>(record) >> 4) % kRecentSlots;
}

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
    Recent &recent = state().recent[slot_of(record)];
    if (recent.record == record)
        recent = Recent{};
    try {
        const auto [it, added] = state().records.try_emplace(record, Entry{kind, 0});
        it->second.kind = kind;
        if (added)
            it->second.serial = ++state().last_serial;
    } catch (...) {
        // Out of memory: the record stays unknown and its predicate answers FALSE.
    }
}

void live_remove(const void *record) noexcept {
    Recent &recent = state().recent[slot_of(record)];
    if (recent.record == record)
        recent = Recent{};
    state().records.erase(record);
}

bool live_is(const void *record, LiveKind kind) noexcept {
    if (record == nullptr)
        return false;
    Recent &recent = state().recent[slot_of(record)];
    if (recent.record == record)
        return recent.kind == kind;
    const auto it = state().records.find(record);
    if (it == state().records.end())
        return false;
    recent = Recent{record, it->second.kind};
    return it->second.kind == kind;
}

std::int32_t live_count(LiveKind kind) noexcept {
    std::int32_t count = 0;
    for (const auto &entry : state().records)
        if (entry.second.kind == kind)
            ++count;
    return count;
}

} // namespace vkobase

void vkobase_reset_live_registry() noexcept {
    state().records.clear();
    state().recent.fill(Recent{});
}

extern "C" VKOBASE_API int32_t vkov_test_live_count(int32_t kind) noexcept {
    return vkobase::live_count(static_cast<vkobase::LiveKind>(kind));
}

extern "C" VKOBASE_API uint64_t vkov_test_live_serial(const void *record) noexcept {
    const auto it = state().records.find(record);
    return it != state().records.end() ? it->second.serial : 0;
}
