// Tests of the string family: comparisons, copies, searches, counts and conversions over
// single-byte and double-byte text, each a table of cases.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vkobase/mem.h"
#include "vkobase/str.h"
#include "vkobase/testing.h"

namespace {

// Test text in a double-byte set: lead bytes 0x81..0x9F; "\x81\x41" is one character.
constexpr char kLeadBytes[] = "\x81\x9f";

class StrTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }
};

int sign(int v) {
    return (v > 0) - (v < 0);
}

TEST_F(StrTest, Compare_OrdersByCharactersAndCountsStop) {
    struct Case {
        const char *why;
        const char *a;
        const char *b;
        int n_chars;     // for compare_n_char
        int expect_n;    // sign of compare_n_char
        int expect_case; // sign of compare_ignoring_case
    };
    const Case cases[] = {
        {"equal texts", "abc", "abc", 3, 0, 0},
        {"difference after the count is not seen", "abcX", "abcY", 3, 0, -1},
        {"shorter text sorts first", "ab", "abc", 5, -1, -1},
        {"bytes compare unsigned", "\xE9", "z", 1, 1, 1},
        {"case differs only", "Hello", "hELLO", 5, -1, 0},
        {"Windows-1252 letters fold too", "\xC9T\xC9", "\xE9t\xE9", 3, -1, 0},
        {"count 0 compares nothing", "a", "b", 0, 0, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(sign(vkov_str_compare_n_char(c.a, c.b, c.n_chars)), c.expect_n);
        EXPECT_EQ(sign(vkov_str_compare_ignoring_case(c.a, c.b)), c.expect_case);
    }
    // A difference after 32767 bytes is beyond what the layer's compare looks at.
    std::string a(40000, 'x');
    std::string b = a;
    b[35000] = 'y';
    EXPECT_EQ(vkov_str_compare_n_char(a.c_str(), b.c_str(), 32767), 0);
    EXPECT_LT(vkov_str_compare_n_char(a.c_str(), b.c_str(), 40000), 0);
}

TEST_F(StrTest, Collate_PutsAccentsAndCaseAfterBaseLetters) {
    // Each row must sort strictly before the next.
    const char *const order[] = {"cote", "Cote", "c\xF4te", "C\xF4te", "cote\xE9", "coter", "d"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        SCOPED_TRACE(std::string(order[i]) + " < " + order[i + 1]);
        EXPECT_LT(vkov_str_collate(order[i], order[i + 1]), 0);
        EXPECT_GT(vkov_str_collate(order[i + 1], order[i]), 0);
    }
    EXPECT_EQ(vkov_str_collate_ignoring_case("C\xF4te", "c\xF4te"), 0);
    EXPECT_NE(vkov_str_collate_ignoring_case("cote", "c\xF4te"), 0);
}

TEST_F(StrTest, CopyNSize_FitsBufferWithoutSplittingCharacters) {
    struct Case {
        const char *why;
        bool double_byte;
        const char *src;
        int size;
        const char *expect;
    };
    const Case cases[] = {
        {"fits whole", false, "abc", 4, "abc"},
        {"cut to size - 1 bytes", false, "abcdef", 4, "abc"},
        {"size 1 leaves only the terminator", false, "abc", 1, ""},
        {"a double-byte character is not split", true, "ab\x81\x41", 4, "ab"},
        {"a double-byte character that fits is kept", true, "ab\x81\x41", 5, "ab\x81\x41"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_str_test_set_lead_bytes(c.double_byte ? kLeadBytes : nullptr);
        char buf[16];
        std::memset(buf, '#', sizeof buf);
        EXPECT_EQ(vkov_str_copy_n_size(buf, c.src, c.size), buf);
        EXPECT_STREQ(buf, c.expect);
        EXPECT_EQ(buf[c.size], '#') << "wrote past the buffer size";
    }
}

TEST_F(StrTest, CaseConversion_InPlaceKeepsLengthAndDoubleBytes) {
    struct Case {
        const char *why;
        bool double_byte;
        const char *src;
        const char *lower;
        const char *upper;
    };
    const Case cases[] = {
        {"ASCII", false, "MiXeD 1!", "mixed 1!", "MIXED 1!"},
        {"Windows-1252 letters", false, "\xC0\xE9\x8A\xFF\xDF", "\xE0\xE9\x9A\xFF\xDF",
         "\xC0\xC9\x8A\x9F\xDF"},
        {"trail bytes that look like letters stay", true, "a\x81\x61Z", "a\x81\x61z", "A\x81\x61Z"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_str_test_set_lead_bytes(c.double_byte ? kLeadBytes : nullptr);
        std::string buf = c.src;
        const int len = static_cast<int>(buf.size());
        vkok_str_convert_to_lower(buf.data(), buf.c_str(), len); // in place over its length
        EXPECT_EQ(buf, c.lower);
        char upper[32];
        vkok_str_convert_to_upper(upper, c.src, sizeof upper);
        EXPECT_STREQ(upper, c.upper);
    }
}

TEST_F(StrTest, Searches_AnswerCharacterStarts) {
    vkov_str_test_set_lead_bytes(kLeadBytes);
    // "\x81\x5c" is one character whose trail byte is a backslash.
    const char text[] = "a\x81\x5c"
                        "b\\c";
    struct Case {
        const char *why;
        const char *found;
        int expect_offset; // -1: null
    };
    const Case cases[] = {
        {"first backslash skips the trail byte", vkov_str_find_first_char(text, "\\"), 4},
        {"last backslash", vkov_str_find_last_char(text, "\\"), 4},
        {"double-byte character found whole", vkov_str_find_first_char(text, "\x81\x5c"), 1},
        {"substring never starts in a trail byte", vkov_str_find_substring(text, "\\b"), -1},
        {"substring at a character start", vkov_str_find_substring(text, "b\\"), 3},
        {"char set", vkov_str_find_char_set(text, "cb"), 3},
        {"not in set", vkov_str_find_not_char_set(text, "a\x81\x5c"), 3},
        {"all in set", vkov_str_find_not_char_set("aa", "a"), -1},
        {"wide 0 is the terminator", vkov_str_find_first_wchar(text, 0), 6},
        {"wide double-byte code", vkov_str_find_first_wchar(text, 0x815C), 1},
        {"empty character gives the terminator", vkov_str_find_first_char(text, ""), 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        if (c.expect_offset < 0)
            EXPECT_EQ(c.found, nullptr);
        else
            EXPECT_EQ(c.found, text + c.expect_offset);
    }
}

TEST_F(StrTest, Stepping_MovesByWholeCharacters) {
    vkov_str_test_set_lead_bytes(kLeadBytes);
    const char text[] = "a\x81\x41"
                        "b\x9f"; // a lead byte right before the end is one byte
    struct Case {
        const char *why;
        int pos;
        int next;
        int prev;
        int size;
    };
    const Case cases[] = {
        {"single byte", 0, 1, 0, 1},         {"double byte", 1, 3, 0, 2},
        {"after a double byte", 3, 4, 1, 1}, {"lone lead byte at the end", 4, 5, 3, 1},
        {"terminator stays", 5, 5, 4, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkov_str_next_char(text + c.pos), text + c.next);
        EXPECT_EQ(vkov_str_prev_char(text, text + c.pos), text + c.prev);
        EXPECT_EQ(vkok_str_get_char_size(text + c.pos), c.size);
    }
    EXPECT_EQ(vkov_str_get_char_count(text), 4);
    int32_t used = -1;
    EXPECT_EQ(vkov_str_get_n_char_count(text, 2, &used), 1) << "half a character is not counted";
    EXPECT_EQ(used, 1);
    EXPECT_EQ(vkov_str_get_n_char_size(text, 2), 3);
    EXPECT_EQ(vkov_str_get_n_char_size(text, 99), 5);
}

TEST_F(StrTest, WideConversion_RoundTripsWindows1252AndDoubleBytes) {
    struct Case {
        const char *why;
        bool double_byte;
        const char *mb;
        VKO_WCHAR wc;
        int len;
    };
    const Case cases[] = {
        {"ASCII", false, "A", 0x41, 1},
        {"euro sign", false, "\x80", 0x20AC, 1},
        {"e acute", false, "\xE9", 0xE9, 1},
        {"left quote", false, "\x93", 0x201C, 1},
        {"double byte", true, "\x81\x41", 0x8141, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_str_test_set_lead_bytes(c.double_byte ? kLeadBytes : nullptr);
        VKO_WCHAR wc = 0;
        EXPECT_EQ(vkok_str_convert_mb_to_wc(&wc, c.mb), c.len);
        EXPECT_EQ(wc, c.wc);
        char back[3] = {'#', '#', '#'};
        EXPECT_EQ(vkok_str_convert_wc_to_mb(back, c.wc), c.len);
        EXPECT_STREQ(back, c.mb);
    }
    vkov_str_test_set_lead_bytes(nullptr);
    char out[3];
    EXPECT_EQ(vkok_str_convert_wc_to_mb(out, 0x4E00), 0) << "no single-byte encoding";
    vkov_str_test_set_lead_bytes(kLeadBytes);
    EXPECT_EQ(vkok_str_convert_mb_to_wc(nullptr, "\x81"), -1) << "lead byte without trail";

    VKO_WCHAR wide[8];
    EXPECT_EQ(vkov_str_convert_mbs_to_wcs(wide, "a\x81\x41\x80", 8), 3);
    EXPECT_EQ(wide[1], 0x8141);
    EXPECT_EQ(wide[3], 0);
    EXPECT_EQ(vkov_str_convert_mbs_to_wcs(nullptr, "a\x81\x41\x80", 0), 3) << "count needed";
    char mb[8];
    EXPECT_EQ(vkov_str_convert_wcs_to_mbs(mb, wide, 3), 3) << "stops before splitting";
    EXPECT_EQ(std::memcmp(mb, "a\x81\x41", 3), 0);
    EXPECT_EQ(vkov_str_convert_wchar_to_upper(0xE9), 0xC9);
    EXPECT_EQ(vkov_str_convert_wchar_to_lower(0x0178), 0xFF);
    EXPECT_EQ(vkov_str_convert_wchar_to_upper(0x8141), 0x8141);
}

TEST_F(StrTest, Classification_FollowsWindows1252) {
    struct Case {
        const char *why;
        const char *s;
        const char *classes; // letters: a alpha, d digit, x xdigit, s space, c cntrl, p punct,
                             // u upper, l lower, g graph, r print, i invariant, n alnum
    };
    const Case cases[] = {
        {"upper ASCII letter", "A", "anuxgri"},
        {"digit", "7", "dxngri"},
        {"space", " ", "sri"},
        {"tab", "\t", "sc"},
        {"dollar is not invariant", "$", "pgr"},
        {"percent is invariant", "%", "pgri"},
        {"e acute is a lower letter", "\xE9", "anlgr"},
        {"S caron is an upper letter", "\x8A", "anugr"},
        {"no-break space prints but is not graphic", "\xA0", "r"},
        {"empty text is nothing", "", ""},
    };
    using Fn = BOOLEAN (*)(const char *);
    const struct {
        char letter;
        Fn fn;
    } fns[] = {{'a', vkov_str_is_alpha}, {'d', vkov_str_is_digit},     {'x', vkov_str_is_xdigit},
               {'s', vkov_str_is_space}, {'c', vkov_str_is_cntrl},     {'p', vkov_str_is_punct},
               {'u', vkov_str_is_upper}, {'l', vkov_str_is_lower},     {'g', vkov_str_is_graph},
               {'r', vkov_str_is_print}, {'i', vkov_str_is_invariant}, {'n', vkov_str_is_alnum}};
    for (const Case &c : cases) {
        for (const auto &f : fns) {
            SCOPED_TRACE(std::string(c.why) + ", class " + f.letter);
            const bool expected = std::strchr(c.classes, f.letter) != nullptr;
            EXPECT_EQ(f.fn(c.s) != FALSE, expected);
        }
    }
}

TEST_F(StrTest, FindEol_CutsTextIntoLinesWithTheirEnds) {
    const char text[] = "one\r\ntwo\nthree\rfour";
    struct Line {
        const char *text;
        int32_t kind;
    };
    const Line expected[] = {
        {"one", VKO_EOL_CRLF}, {"two", VKO_EOL_LF}, {"three", VKO_EOL_CR}, {"four", VKO_EOL_NONE}};
    const char *from = text;
    for (const Line &line : expected) {
        SCOPED_TRACE(line.text);
        int32_t len = -1;
        int32_t kind = -1;
        const char *got = vkov_str_find_eol(from, &len, &kind);
        from = nullptr;
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(std::string(got, static_cast<std::size_t>(len)), line.text);
        EXPECT_EQ(kind, line.kind);
    }
    EXPECT_EQ(vkov_str_find_eol(nullptr, nullptr, nullptr), nullptr);
    int32_t kind = -1;
    int32_t len = -1;
    EXPECT_NE(vkov_str_find_eol("x\n", &len, &kind), nullptr);
    EXPECT_EQ(kind, VKO_EOL_LF);
    EXPECT_EQ(vkov_str_find_eol(nullptr, &len, &kind), nullptr) << "no empty last line";
}

TEST_F(StrTest, TokensMnemonicsAndMatching) {
    int32_t len = -1;
    const char words[] = " \tword two";
    EXPECT_EQ(vkov_str_find_token(words, " \t", &len), words + 2);
    EXPECT_EQ(len, 4);
    EXPECT_EQ(vkov_str_find_token(" \t ", " \t", &len), nullptr);

    struct MnemonicCase {
        const char *why;
        const char *title;
        const char *plain;
        VKO_WCHAR mnemonic;
    };
    const MnemonicCase mnemonics[] = {
        {"marked letter", "&File", "File", 'F'},
        {"doubled marker is literal", "Save && &Quit", "Save & Quit", 'Q'},
        {"no marker", "Help", "Help", 0},
        {"marker at the end is dropped", "Edit&", "Edit", 0},
    };
    for (const MnemonicCase &c : mnemonics) {
        SCOPED_TRACE(c.why);
        char plain[32];
        VKO_WCHAR m = 0xFFFF;
        EXPECT_EQ(vkov_str_get_mnemonic(c.title, &m, plain, sizeof plain) != FALSE,
                  c.mnemonic != 0);
        EXPECT_STREQ(plain, c.plain);
        EXPECT_EQ(m, c.mnemonic);
    }
    char marked[32];
    EXPECT_TRUE(vkov_str_set_mnemonic("Save & quit", 'Q', marked, sizeof marked));
    EXPECT_STREQ(marked, "Save && &quit");

    struct MatchCase {
        const char *why;
        const char *pattern;
        const char *text;
        bool match;
    };
    const MatchCase matches[] = {
        {"star suffix", "*.dct", "main.dct", true},
        {"star needs the suffix", "*.dct", "main.dcx", false},
        {"question mark is one character", "a?c", "abc", true},
        {"backtracking star", "*ab*ab", "xxabyyab", true},
        {"case matters", "*.DCT", "main.dct", false},
        {"empty pattern matches empty text only", "", "", true},
    };
    for (const MatchCase &c : matches) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkov_str_match(c.pattern, c.text) != FALSE, c.match);
    }
}

TEST_F(StrTest, NumbersFormattingAndCodesets) {
    char *end = nullptr;
    EXPECT_EQ(vkov_str_parse_long(" -42x", &end, 10), -42);
    EXPECT_EQ(*end, 'x');
    EXPECT_EQ(vkov_str_parse_long("99999999999", nullptr, 10), INT32_MAX);
    EXPECT_EQ(vkov_str_parse_ulong("ff", nullptr, 16), 255u);
    EXPECT_DOUBLE_EQ(vkov_str_parse_double("2.5", nullptr), 2.5);

    char buf[64];
    auto format = [&](const char *fmt, ...) {
        va_list args;
        va_start(args, fmt);
        const int32_t n = vkov_str_vsprintf(buf, fmt, args);
        va_end(args);
        return n;
    };
    EXPECT_EQ(format("Error: #%2$ld, File:%1$s", "x.c", 7L), 19);
    EXPECT_STREQ(buf, "Error: #7, File:x.c");

    char *copy = vkov_str_duplicate("dup");
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "dup");
    vkov_mem_free(copy);

    VKO_CSMAP to_ascii = vkov_str_create_codeset_map(nullptr, "us-ascii");
    ASSERT_NE(to_ascii, nullptr);
    char out[8];
    EXPECT_EQ(vkov_str_translate_codeset(to_ascii, "a\xE9\x80", out, sizeof out), 3);
    EXPECT_STREQ(out, "a??");
    EXPECT_EQ(vkov_str_translate_codeset(to_ascii, "abcdefghij", out, sizeof out), -1);
    EXPECT_STREQ(out, "abcdefg");
    vkov_str_destroy_codeset_map(to_ascii);
    VKO_CSMAP to_latin1 = vkov_str_create_codeset_map("windows-1252", "ISO-8859-1");
    ASSERT_NE(to_latin1, nullptr);
    EXPECT_EQ(vkov_str_translate_codeset(to_latin1, "\xE9\x80", out, sizeof out), 2);
    EXPECT_STREQ(out, "\xE9?");
    vkov_str_destroy_codeset_map(to_latin1);
    EXPECT_EQ(vkov_str_create_codeset_map("ebcdic", nullptr), nullptr);
}

} // namespace
