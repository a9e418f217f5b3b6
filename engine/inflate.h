// inflate.h: the engine's DEFLATE decoder for the compressed entry blocks of the data
// file: raw RFC 1951 data (no zlib or gzip wrapper) whose history starts with a preset
// text, the data file's dictionary header. The window is 16 KiB: a back reference may
// reach at most 16,384 bytes back, into the preset too. Decoding never writes past the
// output capacity and never reads past the input; damaged data stops it with what was
// decoded before the damage.
#pragma once
#include <cstddef>
#include <cstdint>

// Largest back-reference distance the data files use (the writer's window).
inline constexpr std::size_t kInflateWindowBytes = 16384;

// Why decoding stopped. Every kind of malformed input has its own code.
enum class InflateStatus : std::uint8_t {
    kDone,             // the block marked final was decoded
    kOutputFull,       // the output reached its capacity; the rest was not decoded
    kTruncated,        // the input ended inside a block; only whole symbols were kept
    kBadBlockType,     // a block of type 3
    kStoredLength,     // a stored block whose length and length complement disagree
    kBadCodeLengths,   // a dynamic header with too many symbols, a repeat with nothing
                       // to repeat or running past the count, or no end-of-block code
    kBadCode,          // an over-subscribed or incomplete Huffman code
    kBadSymbol,        // a code unused by the block's code, or length/distance 286+/30+
    kDistanceTooFar,   // a distance beyond 16,384 or before the start of the preset
};

struct InflateResult {
    std::size_t produced;  // bytes written to the output, all of them decoded text
    InflateStatus status;
};

// Decodes in_len bytes of raw DEFLATE data at in into out (capacity bytes), the preset
// text (preset_len bytes, may be null when 0) standing before the first output byte as
// history. Bytes of out after the produced ones may have been written as scratch.
InflateResult inflate_raw(const std::uint8_t* in, std::size_t in_len, const std::uint8_t* preset,
                          std::size_t preset_len, std::uint8_t* out, std::size_t capacity);

// The engine's entry decoder: decodes in_len bytes at in into out with the open pair's
// dictionary header as preset, clears the rest of out (capacity bytes) to 0 and returns
// the number of bytes decoded. A damaged block gives the text decoded up to the damage;
// status, when given, gets why decoding stopped.
std::uint32_t inflate_block(std::uint32_t in_len, const std::uint8_t* in, std::uint32_t capacity,
                            std::uint8_t* out, InflateStatus* status = nullptr);
