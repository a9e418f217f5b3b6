// scramble.h: the block scrambling of index files. The same call scrambles plain bytes
// (the data writer) and descrambles stored ones (the engine's block reader): it is its
// own inverse for a given seed, the byte offset of the block in its file.
#pragma once
#include <cstdint>

// Generator constants shared by the engine and the tools that write index files.
inline constexpr std::uint32_t kScrambleMultiplier = 0x4E35A1C9u;
inline constexpr std::uint32_t kScrambleIncrement = 0x2B7D93E1u;

// XORs length bytes of buffer, in place, with the keystream seeded by seed. A length of
// 0 or below changes nothing.
void ScrambleBlock(unsigned char* buffer, std::int32_t length, std::uint32_t seed);

// The same transformation from in to out (length bytes each; they may be the same
// buffer, but must not overlap otherwise): a block read and descrambled in one pass.
void scramble_copy(unsigned char* out, const unsigned char* in, std::int32_t length,
                   std::uint32_t seed);
