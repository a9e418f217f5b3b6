// Tests of ScrambleBlock: its keystream, its own inverse, partial groups.
#include "engine/scramble.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Keystream bytes worked out once, apart from this code, from the generator's rule:
// state = seed, then for each group of four bytes state = state * M + I (mod 2^32), high
// byte first. Zero bytes scrambled show the keystream itself.
TEST(ScrambleBlock, KnownKeystream)
{
    struct Case {
        const char* why;
        std::uint32_t seed;
        std::int32_t length;   // of the block scrambled
        std::size_t from;      // first keystream byte compared
        std::vector<unsigned char> expected;
    };
    const Case cases[] = {
        {"descriptor, seed 0", 0, 360, 0, {0x2B, 0x7D, 0x93, 0xE1, 0x76, 0xAC, 0x30, 0x8A}},
        {"block 1", 512, 512, 0, {0x96, 0xC1, 0x25, 0xE1, 0x67, 0x8B, 0xD2, 0x8A}},
        {"block 3 past the first eight groups", 1536, 512, 64,
         {0xAB, 0xD5, 0x94, 0x31, 0x04, 0x86, 0xBF, 0x5A}},
        {"block 3, its last eight bytes", 1536, 512, 504,
         {0x06, 0x30, 0xD3, 0x27, 0x55, 0xB1, 0xE4, 0x80}},
        {"last group shorter than four bytes", 4608, 7, 0,
         {0xF0, 0xDD, 0xB5, 0xE1, 0xEE, 0x88, 0xE2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<unsigned char> bytes(static_cast<std::size_t>(c.length), 0);
        ScrambleBlock(bytes.data(), c.length, c.seed);
        const std::vector<unsigned char> got(bytes.begin() + static_cast<long>(c.from),
                                             bytes.begin() +
                                                 static_cast<long>(c.from + c.expected.size()));
        EXPECT_EQ(got, c.expected);
    }
}

TEST(ScrambleBlock, RoundTripsAndDependsOnSeed)
{
    struct Case {
        const char* why;
        std::int32_t length;
        std::uint32_t seed;
    };
    const Case cases[] = {
        {"descriptor block: 360 bytes, seed 0", 360, 0},
        {"word block 3: 512 bytes at offset 1536", 512, 1536},
        {"last group shorter than four bytes", 7, 512 * 9},
        {"single byte", 1, 43},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<unsigned char> plain(static_cast<std::size_t>(c.length));
        for (std::size_t i = 0; i < plain.size(); ++i)
            plain[i] = static_cast<unsigned char>(i * 7 + 3);
        std::vector<unsigned char> bytes = plain;
        ScrambleBlock(bytes.data(), c.length, c.seed);
        EXPECT_NE(bytes, plain);
        std::vector<unsigned char> other_seed = plain;
        ScrambleBlock(other_seed.data(), c.length, c.seed + 512);
        EXPECT_NE(other_seed, bytes);
        ScrambleBlock(bytes.data(), c.length, c.seed);
        EXPECT_EQ(bytes, plain);
    }
}

TEST(ScrambleBlock, ZeroLengthChangesNothing)
{
    unsigned char byte = 0x5A;
    ScrambleBlock(&byte, 0, 0);
    EXPECT_EQ(byte, 0x5A);
}

} // namespace
