// Tests of the packed record cursor.
#include "engine/packed_cursor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

class PackedCursorTest : public ::testing::Test {
protected:
    void SetUp() override { reset_records(); }
    void TearDown() override { reset_records(); }
};

TEST_F(PackedCursorTest, WalksRecordsOneByOne)
{
    // kind 0x81 with 3 bytes, kind 0xD8 with a 200-byte payload (length 0x81 0x48), end.
    std::vector<std::uint8_t> bytes = {0x81, 3, 'a', 'b', 'c', 0xD8, 0x81, 0x48};
    bytes.insert(bytes.end(), 200, 'x');
    bytes.push_back(0);
    const std::int32_t ends = records_end_count();

    const std::uint8_t* payload = nullptr;
    std::uint32_t length = 0;
    const std::uint8_t* const end = bytes.data() + bytes.size();
    EXPECT_TRUE(records_idle());
    EXPECT_EQ(next_record(bytes.data(), end, &payload, &length), 0x81);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(payload), length), "abc");
    EXPECT_EQ(peek_record(), 0xD8);
    EXPECT_EQ(next_record(nullptr, nullptr, &payload, &length), 0xD8);
    EXPECT_EQ(length, 200u);
    EXPECT_EQ(payload, bytes.data() + 8);
    EXPECT_EQ(next_record(nullptr, nullptr, nullptr), 0);
    EXPECT_TRUE(records_idle());
    EXPECT_EQ(peek_record(), 0);
    EXPECT_EQ(records_end_count(), ends + 1);
    leave_records();
    EXPECT_EQ(records_end_count(), ends);
}

TEST_F(PackedCursorTest, EndByteAloneAndRestartAfterReset)
{
    const std::uint8_t end_only[] = {0};
    const std::int32_t ends = records_end_count();
    EXPECT_EQ(next_record(end_only, end_only + 1, nullptr), 0);
    EXPECT_TRUE(records_idle());
    EXPECT_EQ(records_end_count(), ends + 1);

    const std::uint8_t first[] = {0x90, 1, 'x', 0x91, 1, 'y', 0};
    const std::uint8_t second[] = {0xA0, 0, 0};
    EXPECT_EQ(next_record(first, first + sizeof first, nullptr), 0x90);
    EXPECT_EQ(next_record(second, second + sizeof second, nullptr), 0x91)
        << "a walking cursor ignores its arguments";
    reset_records();
    EXPECT_EQ(next_record(second, second + sizeof second, nullptr), 0xA0)
        << "after reset the walk starts anew";
}

TEST_F(PackedCursorTest, DamagedSequenceEndsTheWalkInsideItsBytes)
{
    struct Case {
        const char* why;
        std::vector<std::uint8_t> bytes;   // the whole sequence; nothing after it is readable
        std::vector<int> kinds;            // what successive calls answer, ending with 0
    };
    const Case cases[] = {
        {"payload longer than what is left", {0x81, 5, 'a', 'b'}, {0}},
        {"length that never ends", {0x81, 0x80, 0x80}, {0}},
        {"length of six bytes", {0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 1, 'x'}, {0}},
        {"good record, then no end byte", {0x81, 1, 'a'}, {0x81, 0}},
        {"good record, then a kind byte alone", {0x81, 1, 'a', 0x82}, {0x81, 0}},
        {"record filling the sequence exactly, then the end byte", {0x81, 1, 'a', 0}, {0x81, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        reset_records();
        // A heap copy of exactly the sequence, so a read past it is caught by the sanitizer.
        std::vector<std::uint8_t> exact(c.bytes);
        const std::uint8_t* const begin = exact.data();
        const std::uint8_t* const end = begin + exact.size();
        const std::int32_t ends = records_end_count();
        for (int kind : c.kinds) {
            const std::uint8_t* payload = nullptr;
            std::uint32_t length = 0;
            EXPECT_EQ(next_record(begin, end, &payload, &length), kind);
            if (kind != 0) {
                EXPECT_GE(payload, begin);
                EXPECT_LE(payload + length, end) << "the payload lies inside the sequence";
            }
        }
        EXPECT_TRUE(records_idle());
        EXPECT_EQ(records_end_count(), ends + 1) << "a damaged walk ends like a whole one";
        leave_records();
    }
}

} // namespace
