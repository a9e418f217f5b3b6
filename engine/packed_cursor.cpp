// packed_cursor.cpp: the process-wide cursor over a packed record sequence.
#include "engine/packed_cursor.h"

#include "engine/datafiles.h"

namespace {

struct CursorState {
    const std::uint8_t* cursor = nullptr;   // null when idle
    std::int32_t end_count = 0;
};

CursorState state;

} // namespace

int next_record(const std::uint8_t* start, const std::uint8_t** payload,
                std::uint32_t* payload_length)
{
    if (state.cursor == nullptr)
        state.cursor = start;
    if (state.cursor == nullptr)
        return 0;
    const int kind = *state.cursor;
    if (kind == 0) {
        state.cursor = nullptr;
        ++state.end_count;
        return 0;
    }
    std::uint32_t length = 0;
    const std::uint8_t* data = unpack_number(state.cursor + 1, &length);
    if (payload != nullptr)
        *payload = data;
    if (payload_length != nullptr)
        *payload_length = length;
    state.cursor = data + length;
    return kind;
}

void reset_records()
{
    state.cursor = nullptr;
}

void leave_records()
{
    --state.end_count;
    state.cursor = nullptr;
}

bool records_idle()
{
    return state.cursor == nullptr;
}

int peek_record()
{
    return state.cursor != nullptr ? *state.cursor : 0;
}

std::int32_t records_end_count()
{
    return state.end_count;
}
