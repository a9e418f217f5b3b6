// Tests of the string family against the recording double: null and count checks in argument
// order, members that accept a null quietly, and the bodies that do more than forward.
#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

namespace {

using base_double::base;

class TstrTest : public ::testing::Test {
protected:
    void SetUp() override { base().Reset(); }
};

struct Case {
    const char* why;
    std::function<std::int64_t()> call;
    std::int64_t result;   // the entry point's answer
    std::uint32_t code;    // the report, 0 for none
    const char* target;    // the base operation that must (or must not) be called
    bool forwarded;
};

TEST_F(TstrTest, Checks_ReportInArgumentOrderAndAnswerTheirNeutralValue) {
    char buf[16] = "";
    VKO_WCHAR wide[4] = {};
    const Case cases[] = {
        {"null first string of a comparison answers -1, not 0",
         [] { return vko_str_compare(nullptr, "b"); }, -1, 0x210000, "vkov_str_compare_n_char",
         false},
        {"null second string of collate", [] { return vko_str_collate("a", nullptr); }, -1,
         0x210000, "vkov_str_collate", false},
        {"is_equal with a null answers FALSE", [] { return vko_str_is_equal(nullptr, "a"); },
         FALSE, 0x210000, "vkov_str_is_equal", false},
        {"copy into a null buffer",
         [] { return vko_str_copy(nullptr, "a") == nullptr ? 0 : 1; }, 0, 0x210000,
         "vkov_str_copy", false},
        {"mnemonic: the null title is reported before the negative size",
         [&] { return vko_str_get_mnemonic(nullptr, wide, nullptr, -1); }, FALSE, 0x210000,
         "vkov_str_get_mnemonic", false},
        {"mnemonic: a negative size after the pointers",
         [&] { return vko_str_set_mnemonic("&File", 'F', buf, -1); }, FALSE, 0x1250004,
         "vkov_str_set_mnemonic", false},
        {"mbs to wcs with a null buffer answers 0 without a report",
         [] { return vko_str_convert_mbs_to_wcs(nullptr, "a", -5); }, 0, 0,
         "vkov_str_convert_mbs_to_wcs", false},
        {"mbs to wcs with a negative count is reported",
         [&] { return vko_str_convert_mbs_to_wcs(wide, "a", -1); }, 0, 0x1250004,
         "vkov_str_convert_mbs_to_wcs", false},
        {"n-char count with a negative byte count",
         [] { return vko_str_get_n_char_count("abc", -1, nullptr); }, 0, 0x1250004,
         "vkov_str_get_n_char_count", false},
        {"n-char size of zero characters is quiet",
         [] { return vko_str_get_n_char_size("abc", 0); }, 0, 0, "vkov_str_get_n_char_size",
         false},
        {"byte count of a null text is quiet", [] { return vko_str_get_byte_count(nullptr); }, 0,
         0, "vkov_str_get_byte_count", false},
        {"one null code-set name is accepted",
         [] { return vko_str_create_codeset_map(nullptr, "latin1") == nullptr ? 0 : 1; }, 0, 0,
         "vkov_str_create_codeset_map", true},
        {"both code-set names null are refused",
         [] { return vko_str_create_codeset_map(nullptr, nullptr) == nullptr ? 0 : 1; }, 0,
         0x210000, "vkov_str_create_codeset_map", false},
        {"translate: a null map is refused with -1",
         [&] { return vko_str_translate_codeset(nullptr, "a", buf, 16); }, -1, 0x210000,
         "vkov_str_translate_codeset", false},
        {"match always forwards", [] { return vko_str_match(nullptr, nullptr); }, FALSE, 0,
         "vkov_str_match", true},
        {"sprintf into a null buffer",
         [] { return vko_str_sprintf(nullptr, "%d", 5); }, 0, 0x210000, "vkov_str_vsprintf",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.call(), c.result);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_EQ(base().TakeForwarded(c.target), c.forwarded);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

TEST_F(TstrTest, Compare_ForwardsWithTheWholeStringLimit) {
    base().SetResult("vkov_str_compare_n_char", 0);
    EXPECT_EQ(vko_str_compare("a", "b"), 0);
    const base_double::Call* call = base().LastCall("vkov_str_compare_n_char");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->args[2].value, 32767);
    EXPECT_EQ(base().MarkedNames().back(), "vko_str_compare");
}

TEST_F(TstrTest, IsEqualNSize_StopsAtTheEndOfAShortText) {
    // Both texts end well before the count; the comparison must not read past them.
    const char* shorter = "abc";
    const char* same = "abc";
    EXPECT_EQ(vko_str_is_equal_n_size(shorter, same, 1000), TRUE);
    EXPECT_EQ(vko_str_is_equal_n_size("abd", "abc", 2), TRUE);
    EXPECT_EQ(vko_str_is_equal_n_size("abd", "abc", 3), FALSE);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TstrTest, PrevChar_AtTheStartAnswersTheStart) {
    const char* text = "abc";
    EXPECT_EQ(vko_str_get_prev_char(text, text), text);
    EXPECT_FALSE(base().TakeForwarded("vkov_str_prev_char"));
    base().SetResultPtr("vkov_str_prev_char", text + 1);
    EXPECT_EQ(vko_str_get_prev_char(text, text + 2), text + 1);
    EXPECT_TRUE(base().TakeForwarded("vkov_str_prev_char"));
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TstrTest, FindEol_StoresTheKindOnlyWhereTheCallerGaveRoom) {
    base().SetResponder("vkov_str_find_eol", [](const base_double::Call& call) {
        *reinterpret_cast<std::int32_t*>(static_cast<std::uintptr_t>(call.args[2].value)) = 2;
        return base_double::Answer{true, call.args[0].value, 0.0};
    });
    const char* text = "ab\r\n";
    std::int32_t kind = 0;
    EXPECT_EQ(vko_str_find_eol(text, nullptr, &kind), text);
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(vko_str_find_eol(text, nullptr, nullptr), text);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

} // namespace
