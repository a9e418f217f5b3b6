// packed_cursor.h: one process-wide cursor over a sequence of packed records (kind byte,
// packed length, payload; a 0 kind ends the sequence), walked one record per call by the
// entry formatter. Only one sequence is walked at a time.
#pragma once
#include <cstdint>

// Starts at start when the cursor is idle (otherwise start and end are ignored and the
// walk goes on); end is one past the last byte the sequence may use. Returns the kind of
// the record at the cursor and moves past its payload, storing the payload's address (and
// length) when asked. At the end byte: the cursor becomes idle, the end counter rises by
// one and the result is 0. A record whose length or payload would reach past end (text
// expanded from a damaged data file) ends the walk the same way, so nothing past end is
// ever read or handed out.
int next_record(const std::uint8_t* start, const std::uint8_t* end,
                const std::uint8_t** payload, std::uint32_t* payload_length = nullptr);

// Makes the cursor idle.
void reset_records();
// Lowers the end counter by one and makes the cursor idle.
void leave_records();
// True when the cursor is idle.
bool records_idle();
// The kind byte at the cursor without moving; 0 when idle.
int peek_record();
// The end counter.
std::int32_t records_end_count();
