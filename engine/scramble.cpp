// scramble.cpp: the keystream XOR of index blocks, shared by the engine and the writer.
#include "engine/scramble.h"

void ScrambleBlock(unsigned char* buffer, std::int32_t length, std::uint32_t seed)
{
    std::uint32_t state = seed;
    std::int32_t pos = 0;
    while (pos < length) {
        state = state * kScrambleMultiplier + kScrambleIncrement;
        for (int shift = 24; shift >= 0 && pos < length; shift -= 8, ++pos)
            buffer[pos] ^= static_cast<unsigned char>(state >> shift);
    }
}
