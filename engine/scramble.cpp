// scramble.cpp: the keystream XOR of index blocks, shared by the engine and the writer.
//
// The keystream is one linear congruential sequence, state(k+1) = state(k) * M + I, one
// state per group of four bytes, its high byte first. Eight interleaved lanes step it
// eight groups at a time (state(k+8) = state(k) * M^8 + I * (M^7 + ... + 1)), so that
// the multiplications of a round do not wait on one another and the compiler can do
// them side by side; the bytes are the same as one state after another.
#include "engine/scramble.h"

#include <bit>
#include <cstring>

namespace {

constexpr int kLanes = 8;

constexpr std::uint32_t next(std::uint32_t state)
{
    return state * kScrambleMultiplier + kScrambleIncrement;
}

// M^8 and the increment of eight steps, by composing the step with itself.
constexpr std::uint32_t kJumpMultiplier = [] {
    std::uint32_t m = 1;
    for (int i = 0; i < kLanes; ++i)
        m *= kScrambleMultiplier;
    return m;
}();
constexpr std::uint32_t kJumpIncrement = [] {
    std::uint32_t state = 0;
    for (int i = 0; i < kLanes; ++i)
        state = next(state);
    return state;
}();

// The state as the four keystream bytes in memory order (high byte first).
inline std::uint32_t stream_word(std::uint32_t state)
{
    if constexpr (std::endian::native == std::endian::little)
        return __builtin_bswap32(state);
    else
        return state;
}

} // namespace

void ScrambleBlock(unsigned char* buffer, std::int32_t length, std::uint32_t seed)
{
    scramble_copy(buffer, buffer, length, seed);
}

void scramble_copy(unsigned char* out, const unsigned char* in, std::int32_t length,
                   std::uint32_t seed)
{
    if (length <= 0)
        return;
    const std::uint32_t len = static_cast<std::uint32_t>(length);
    std::uint32_t lanes[kLanes];
    std::uint32_t state = seed;
    for (std::uint32_t& lane : lanes) {
        state = next(state);
        lane = state;
    }
    std::uint32_t pos = 0;
    for (; len - pos >= 4 * kLanes; pos += 4 * kLanes) {
        std::uint32_t words[kLanes];
        std::memcpy(words, in + pos, sizeof words);
        for (int l = 0; l < kLanes; ++l) {
            words[l] ^= stream_word(lanes[l]);
            lanes[l] = lanes[l] * kJumpMultiplier + kJumpIncrement;
        }
        std::memcpy(out + pos, words, sizeof words);
    }
    // Fewer than eight groups remain; the lanes hold their states in order.
    for (int g = 0; pos < len; ++g) {
        for (int shift = 24; shift >= 0 && pos < len; shift -= 8, ++pos)
            out[pos] = in[pos] ^ static_cast<unsigned char>(lanes[g] >> shift);
    }
}
