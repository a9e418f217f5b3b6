// Framework strings: searches that step over double-byte characters, case changes that do
// not reach a copy, string collections and the reverse iterator.
#include "frm/core/cstringrw.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "frm/core/cvaluerwc.h"
#include "ruk/static/vkoruk.h"
#include "tests/frm/support/frm_error_capture.h"

namespace {

constexpr char kLeadBytes[] = "\x81\x9f";   // 0x81..0x9F begin a double-byte character

// Switches double-byte text on for one test.
class DoubleByteText {
public:
    DoubleByteText() { vkov_str_test_set_lead_bytes(kLeadBytes); }
    ~DoubleByteText() { vkov_str_test_set_lead_bytes(nullptr); }
};

TEST(StringRW, IndexFindsPatternsAtCharacterStarts)
{
    struct Case {
        const char* why;
        const char* text;
        std::string pattern;
        std::size_t start;
        RWCString::caseCompare mode;
        std::size_t found;
    };
    const Case cases[] = {
        {"empty pattern at the start", "0123456789", "", 3, RWCString::exact, 3},
        {"empty pattern past the end", "0123456789", "", 11, RWCString::exact, RW_NPOS},
        {"plain match", "red green blue", "green", 0, RWCString::exact, 4},
        {"case differs", "red Green", "green", 0, RWCString::exact, RW_NPOS},
        {"ignoring case", "red Green", "green", 0, RWCString::ignoreCase, 4},
        {"pattern longer than the rest", "abc", "bcd", 1, RWCString::exact, RW_NPOS},
        {"never inside a double-byte character", "\x81\x41\x41", "\x41", 0, RWCString::exact,
         2},
        {"a double-byte character as pattern", "a\x82\x42z", "\x82\x42", 0, RWCString::exact,
         1},
    };
    const DoubleByteText doubleByte;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const FRM_CStringRW text(c.text);
        EXPECT_EQ(text.index(c.pattern.data(), c.pattern.size(), c.start, c.mode), c.found);
    }
}

TEST(StringRW, IndexStepsOverEmbeddedNulBytes)
{
    const FRM_CStringRW text("ab\0\0cd", 6);
    EXPECT_EQ(text.index("cd", 2, 0, RWCString::exact), 4u);
    EXPECT_EQ(text.index("x", 1, 0, RWCString::exact), RW_NPOS);
}

TEST(StringRW, CharacterSearchesAndWideCharacters)
{
    const DoubleByteText doubleByte;
    const FRM_CStringRW text("a\x81\x41" "b\x81\x41");
    EXPECT_EQ(text.mbLength(), 4u);
    EXPECT_EQ(text.first("\x81\x41"), 1u);
    EXPECT_EQ(text.last("\x81\x41"), 4u);
    EXPECT_EQ(text.first("z"), RW_NPOS);
    VKO_WCHAR wc = 0;
    EXPECT_EQ(text.asWideChar(wc, text.length()), -1);
    EXPECT_GT(text.asWideChar(wc, 1), 0);
    EXPECT_EQ(wc, 0x8141);
}

TEST(StringRW, CaseChangesDoNotReachACopy)
{
    FRM_CStringRW text("Mixed Case");
    const FRM_CStringRW copy(text);
    text.toUpper();
    EXPECT_EQ(text, "MIXED CASE");
    EXPECT_EQ(copy, "Mixed Case");
    text.toLower();
    EXPECT_EQ(text, "mixed case");
    EXPECT_EQ(text.compareTo("MIXED CASE", RWCString::ignoreCase), 0);
    EXPECT_NE(text.compareTo("MIXED CASE"), 0);
    EXPECT_TRUE(text.contains("CASE", RWCString::ignoreCase));
}

// The toolkit list's texts, in order.
std::vector<std::string> ToolkitTexts(SLIST list)
{
    std::vector<std::string> texts;
    for (std::int32_t i = 0; i < vko_slist_count(list); ++i)
        texts.emplace_back(vko_slist_get_elt(list, i, nullptr));
    return texts;
}

TEST(StringCollection, CommaTextKeepsBothListsInStep)
{
    const FRM_CStringCollection collection(FRM_CStringRW("red,green,,blue"));
    const std::vector<std::string> expected = {"red", "green", "blue"};
    EXPECT_EQ(ToolkitTexts(collection), expected);
    const RWOrdered ordered = collection.asOrderedCollection();
    ASSERT_EQ(ordered.entries(), 3u);
    EXPECT_EQ(*static_cast<const FRM_CStringRWC*>(ordered[2]), "blue");

    const FRM_CStringCollection copy(collection);   // an owning copy owns new strings
    EXPECT_EQ(ToolkitTexts(copy), expected);
    EXPECT_NE(copy.asOrderedCollection()[0], ordered[0]);
}

TEST(StringCollection, SharedStringsOutliveTheCollection)
{
    RWOrdered strings;
    strings.insert(new FRM_CStringRWC("one"));
    strings.insert(new FRM_CStringRWC("two"));
    {
        const FRM_CStringCollection shared(strings);
        EXPECT_EQ(ToolkitTexts(shared), (std::vector<std::string>{"one", "two"}));
        FRM_CStringCollection assigned;
        assigned = shared;
        EXPECT_EQ(assigned.asOrderedCollection()[1], strings[1]);
    }
    EXPECT_EQ(*static_cast<FRM_CStringRWC*>(strings[1]), "two");
    strings.clearAndDestroy();
}

TEST(StringCollection, MissingResourcesGiveEmptyStrings)
{
    EXPECT_TRUE(FRM_CStringRW(31999).isNull());
    const FRM_CStringCollection collection(31990, 31999);
    EXPECT_NE(static_cast<SLIST>(collection), nullptr);
    EXPECT_TRUE(ToolkitTexts(collection).empty());
    EXPECT_EQ(collection.asOrderedCollection().entries(), 0u);
}

TEST(StringCollection, ToolkitListIsCopiedNotKept)
{
    SLIST list = vko_slist_create();
    vko_slist_add(list, "alpha", 7);
    vko_slist_add(list, "beta", 8);
    const FRM_CStringCollection collection(list);
    vko_slist_destroy(list);
    EXPECT_EQ(ToolkitTexts(collection), (std::vector<std::string>{"alpha", "beta"}));
}

TEST(RevOrdIterator, WalksBackwardsAndStartsAgain)
{
    RWOrdered items;
    FRM_CStringRWC a("a"), b("b"), c("c");
    items.insert(&a);
    items.insert(&b);
    items.insert(&c);
    FRM_CRevOrdIteratorRW it(items);
    EXPECT_EQ(it.key(), nullptr);
    EXPECT_EQ(it(), &c);
    EXPECT_EQ(it(), &b);
    EXPECT_EQ(it.key(), &b);
    EXPECT_EQ(it(), &a);
    EXPECT_EQ(it(), nullptr);
    EXPECT_EQ(it(), &c);
    it.reset();
    const FRM_CStringRWC likeA("a");
    EXPECT_EQ(it.findPrev(&likeA), &a);
    it.reset();
    EXPECT_EQ(it.findNext(&b), &b);
    EXPECT_EQ(it.findNext(&b), nullptr);
}

TEST(RevOrdIterator, CopyingIsRefused)
{
    FrmErrorCapture capture;
    const RWOrdered items;
    FRM_CRevOrdIteratorRW it(items);
    FRM_CRevOrdIteratorRW copy(it);
    copy = it;
    EXPECT_EQ(capture.Take(),
              (std::vector<FrmReport>{{6200, "crevitrw", 34}, {6200, "crevitrw", 39}}));
}

} // namespace
