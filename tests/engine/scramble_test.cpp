// Tests of ScrambleBlock: its keystream, its own inverse, partial groups.
#include "engine/scramble.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(ScrambleBlock, KnownAnswerForZeroBytes)
{
    // seed 0: state = 0x2B7D93E1, then 0x2B7D93E1 * 0x4E35A1C9 + 0x2B7D93E1 (mod 2^32).
    const std::uint32_t s1 = kScrambleIncrement;
    const std::uint32_t s2 = s1 * kScrambleMultiplier + kScrambleIncrement;
    std::vector<unsigned char> bytes(7, 0);
    ScrambleBlock(bytes.data(), 7, 0);
    const std::vector<unsigned char> expected = {0x2B, 0x7D, 0x93, 0xE1,
                                                 static_cast<unsigned char>(s2 >> 24),
                                                 static_cast<unsigned char>(s2 >> 16),
                                                 static_cast<unsigned char>(s2 >> 8)};
    EXPECT_EQ(bytes, expected);
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
