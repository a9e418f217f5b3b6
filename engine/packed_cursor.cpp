// packed_cursor.cpp: the process-wide cursor over a packed record sequence.
#include "engine/packed_cursor.h"

#include <cstddef>

namespace {

struct CursorState {
    const std::uint8_t* cursor = nullptr;   // null when idle
    const std::uint8_t* end = nullptr;      // one past the last byte of the sequence
    std::int32_t end_count = 0;
};

CursorState state;

// Ends the walk: the cursor becomes idle and the end counter rises.
int finish_walk()
{
    state.cursor = nullptr;
    ++state.end_count;
    return 0;
}

// Reads the packed length at position, stopping at end; null when it does not end
// before end.
const std::uint8_t* read_length(const std::uint8_t* position, const std::uint8_t* end,
                                std::uint32_t* length)
{
    std::uint32_t value = 0;
    for (int bytes = 0; position < end && bytes < 5; ++bytes) {
        const std::uint8_t byte = *position++;
        value = (value << 7) | (byte & 0x7Fu);
        if ((byte & 0x80u) == 0) {
            *length = value;
            return position;
        }
    }
    return nullptr;
}

} // namespace

int next_record(const std::uint8_t* start, const std::uint8_t* end,
                const std::uint8_t** payload, std::uint32_t* payload_length)
{
    if (state.cursor == nullptr) {
        if (start == nullptr || end == nullptr || end <= start)
            return start == nullptr ? 0 : finish_walk();
        state.cursor = start;
        state.end = end;
    }
    if (state.cursor >= state.end)   // the sequence lacks its end byte
        return finish_walk();
    const int kind = *state.cursor;
    if (kind == 0)
        return finish_walk();
    std::uint32_t length = 0;
    const std::uint8_t* data = read_length(state.cursor + 1, state.end, &length);
    if (data == nullptr || length > static_cast<std::size_t>(state.end - data))
        return finish_walk();
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
    return state.cursor != nullptr && state.cursor < state.end ? *state.cursor : 0;
}

std::int32_t records_end_count()
{
    return state.end_count;
}
