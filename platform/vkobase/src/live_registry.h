// live_registry.h: the registry of live records of the whole base library. Every family adds
// a record when it hands out its handle and removes it before freeing it, so the validity
// predicates answer FALSE for null, freed and foreign handles without reading them.
// Internal to vkobase.
#pragma once

#include <cstdint>

#include "vkobase/testing.h"

namespace vkobase {

enum class LiveKind : std::int32_t {
    Window = VKO_LIVE_WINDOW,
    Font = VKO_LIVE_FONT,
    Palette = VKO_LIVE_PALETTE,
    Picture = VKO_LIVE_PICTURE,
    Image = VKO_LIVE_IMAGE,
    Slist = VKO_LIVE_SLIST,
    Print = VKO_LIVE_PRINT,
    Cxo = VKO_LIVE_CXO,
    Pattern = VKO_LIVE_PATTERN,
    Stream = VKO_LIVE_STREAM,
    Gmem = VKO_LIVE_GMEM,
    Dlist = VKO_LIVE_DLIST,
    Fmap = VKO_LIVE_FMAP,
    Other = VKO_LIVE_OTHER,
};

// Registers a record; a record already registered takes the new kind.
void live_add(const void *record, LiveKind kind) noexcept;
// Forgets a record; unknown records are ignored.
void live_remove(const void *record) noexcept;
// True when the record is registered with that kind; never dereferences the pointer.
bool live_is(const void *record, LiveKind kind) noexcept;
// Number of live records of a kind.
std::int32_t live_count(LiveKind kind) noexcept;

} // namespace vkobase
