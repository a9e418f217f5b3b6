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
    EXPECT_TRUE(records_idle());
    EXPECT_EQ(next_record(bytes.data(), &payload, &length), 0x81);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(payload), length), "abc");
    EXPECT_EQ(peek_record(), 0xD8);
    EXPECT_EQ(next_record(nullptr, &payload, &length), 0xD8);
    EXPECT_EQ(length, 200u);
    EXPECT_EQ(payload, bytes.data() + 8);
    EXPECT_EQ(next_record(nullptr, nullptr), 0);
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
    EXPECT_EQ(next_record(end_only, nullptr), 0);
    EXPECT_TRUE(records_idle());
    EXPECT_EQ(records_end_count(), ends + 1);

    const std::uint8_t first[] = {0x90, 1, 'x', 0x91, 1, 'y', 0};
    const std::uint8_t second[] = {0xA0, 0, 0};
    EXPECT_EQ(next_record(first, nullptr), 0x90);
    EXPECT_EQ(next_record(second, nullptr), 0x91) << "a walking cursor ignores its argument";
    reset_records();
    EXPECT_EQ(next_record(second, nullptr), 0xA0) << "after reset the walk starts anew";
}

} // namespace
