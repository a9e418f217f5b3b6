// Tests of RWCString: shared buffers, searches, substrings and the tokenizer.
#include "vkocoll/cstring.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "vkocoll/regexp.h"
#include "vkocoll/tokenizer.h"
#include "vkocoll/vstream.h"

namespace {

// A subclass that writes its buffer in place, as the framework's string does.
class InPlaceString : public RWCString {
public:
    using RWCString::RWCString;
    void shout()
    {
        char* p = mutableData();
        for (std::size_t i = 0; i < length(); ++i)
            p[i] = p[i] == 'a' ? 'A' : p[i];
    }
};

TEST(CStringTest, CopiesShareUntilOneChanges)
{
    struct Case {
        const char* why;
        void (*change)(RWCString&);
        const char* changed;
    };
    const Case cases[] = {
        {"append", [](RWCString& s) { s.append("!"); }, "banana!"},
        {"+= char", [](RWCString& s) { s += 'x'; }, "bananax"},
        {"indexed write", [](RWCString& s) { s[0] = 'B'; }, "Banana"},
        {"substring assignment", [](RWCString& s) { s(1, 2) = "ee"; }, "beeana"},
        {"toUpper", [](RWCString& s) { s.toUpper(); }, "BANANA"},
        {"remove", [](RWCString& s) { s.remove(3); }, "ban"},
        {"in-place write by a subclass",
         [](RWCString& s) { static_cast<InPlaceString&>(s).shout(); }, "bAnAnA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        InPlaceString original("banana");
        InPlaceString copy(original);
        EXPECT_EQ(copy.data(), original.data()) << "a copy shares the representation";
        c.change(copy);
        EXPECT_EQ(copy, c.changed);
        EXPECT_EQ(original, "banana");
        EXPECT_NE(copy.data(), original.data());
    }
}

TEST(CStringTest, BuildsFromPiecesAndCapacities)
{
    RWCString reserved{RWSize_T(100)};
    EXPECT_TRUE(reserved.isNull());
    EXPECT_GE(reserved.capacity(), 100u);
    const char* before = reserved.data();
    reserved += "abc";
    EXPECT_EQ(reserved.data(), before) << "reserved room is used in place";

    const RWCString a("abcdef", 3);
    EXPECT_EQ(a, "abc");
    EXPECT_EQ(a + "de" + RWCString("f"), "abcdef");
    EXPECT_EQ("x" + a, "xabc");
    EXPECT_EQ(RWCString('z', 3), "zzz");
    EXPECT_EQ(RWCString(static_cast<const char*>(nullptr)).length(), 0u);

    RWCString self("ab");
    self.append(self).append(self.data() + 1);  // text from the string's own buffer
    EXPECT_EQ(self, "ababbab");
}

TEST(CStringTest, IndexFindsWithAndWithoutCase)
{
    struct Case {
        const char* why;
        const char* text;
        const char* pattern;
        std::size_t start;
        RWCString::caseCompare cmp;
        std::size_t expected;
    };
    const Case cases[] = {
        {"plain find", "Hello World", "World", 0, RWCString::exact, 6},
        {"case matters by default", "Hello World", "world", 0, RWCString::exact, RW_NPOS},
        {"ignoring case", "Hello World", "WORLD", 0, RWCString::ignoreCase, 6},
        {"start skips earlier hits", "abcabc", "abc", 1, RWCString::exact, 3},
        {"empty pattern at start", "0123456789", "", 3, RWCString::exact, 3},
        {"empty pattern at the end", "0123456789", "", 10, RWCString::exact, 10},
        {"start past the end", "0123456789", "", 11, RWCString::exact, RW_NPOS},
        {"pattern longer than the rest", "abc", "bcd", 1, RWCString::exact, RW_NPOS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(RWCString(c.text).index(c.pattern, c.start, c.cmp), c.expected);
    }
    EXPECT_EQ(RWCString("abcabc").index("cax", 2, 0, RWCString::exact), 2u)
        << "explicit pattern length";
    EXPECT_EQ(RWCString("banana").first('n'), 2u);
    EXPECT_EQ(RWCString("banana").last('n'), 4u);
    EXPECT_EQ(RWCString("banana").first('z'), RW_NPOS);
}

TEST(CStringTest, IndexWithRegexpGivesExtent)
{
    const RWCString text("the cat sat on the mat");
    std::size_t extent = 99;
    EXPECT_EQ(text.index(RWCRegexp("[cs]at"), &extent, 0), 4u);
    EXPECT_EQ(extent, 3u);
    EXPECT_EQ(text.index(RWCRegexp("[cs]at"), &extent, 5), 8u);
    EXPECT_EQ(text.index(RWCRegexp("dog"), &extent), RW_NPOS);
    EXPECT_EQ(extent, 0u);
    EXPECT_EQ(RWCString(text(RWCRegexp("m.t"))), "mat");
    EXPECT_TRUE(text(RWCRegexp("zzz")).isNull());
}

TEST(CStringTest, SubstringsAndBounds)
{
    RWCString s("0123456789");
    EXPECT_EQ(RWCString(s(2, 3)), "234");
    EXPECT_EQ(RWCString(s(10, 0)), "");
    EXPECT_THROW(s(8, 3), RWBoundsErr);
    EXPECT_THROW(s(11, 0), RWBoundsErr);
    EXPECT_THROW(static_cast<void>(s[10]), RWBoundsErr);
    s(0, 2) = "ab";
    s(8, 2) = "";
    EXPECT_EQ(s, "ab234567");
    RWCString padded("  x  ");
    EXPECT_EQ(RWCString(padded.strip(RWCString::both)), "x");
}

TEST(CStringTest, ComparesAndHashesWithCase)
{
    const RWCString a("Apple");
    EXPECT_LT(a.compareTo("apple"), 0);
    EXPECT_EQ(a.compareTo("APPLE", RWCString::ignoreCase), 0);
    EXPECT_LT(RWCString("app").compareTo("apple"), 0);
    EXPECT_EQ(a.hash(RWCString::ignoreCase), RWCString("aPPLE").hash(RWCString::ignoreCase));
    EXPECT_NE(a.hash(), RWCString("aPPLE").hash());
    EXPECT_TRUE(a == "Apple");
    EXPECT_TRUE(a != RWCString("Apple "));
}

TEST(CStringTest, StoresAndRestoresThroughAStream)
{
    const std::string with_zero("a\0b", 3);
    const RWCString texts[] = {"", "hello", RWCString(with_zero.data(), with_zero.size()),
                               RWCString('x', 5000)};
    std::stringstream buf;
    RWbostream out(buf);
    for (const RWCString& t : texts)
        out << t;
    RWbistream in(buf);
    for (const RWCString& t : texts) {
        RWCString back("old");
        in >> back;
        EXPECT_EQ(back, t);
        EXPECT_EQ(back.length(), t.length());
    }
    EXPECT_TRUE(in.good());
    RWCString past("kept");
    in >> past;
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(past, "kept") << "a failed read leaves the string";
}

TEST(CTokenizerTest, CollapsesDelimiterRuns)
{
    struct Case {
        const char* why;
        const char* text;
        const char* delimiters;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"runs collapse", "red,green,,blue", ",", {"red", "green", "blue"}},
        {"leading and trailing delimiters", ",,a,b,,", ",", {"a", "b"}},
        {"several delimiter bytes", "a b\tc", " \t", {"a", "b", "c"}},
        {"no delimiter at all", "word", ",", {"word"}},
        {"empty text", "", ",", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const RWCString text(c.text);
        RWCTokenizer next(text);
        std::vector<std::string> got;
        for (RWCString token = next(c.delimiters); !token.isNull(); token = next(c.delimiters))
            got.emplace_back(token.data());
        EXPECT_EQ(got, c.tokens);
        EXPECT_TRUE(RWCString(next(c.delimiters)).isNull()) << "stays empty at the end";
    }
}

} // namespace
