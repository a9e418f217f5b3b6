// Tests of string lists: insertion at elements, positions and in order, reading, removal,
// and refusal of null, freed and foreign handles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vkobase/slist.h"
#include "vkobase/testing.h"

namespace {

class SlistTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }

    // The list as "text=data" items.
    static std::vector<std::string> items(SLIST list) {
        std::vector<std::string> out;
        for (SLIST_ELT e = vkov_slist_get_first(list); e != nullptr;
             e = vkov_slist_get_next(list, e)) {
            int32_t data = -1;
            const char *text = vkov_slist_get(list, e, &data);
            out.push_back(std::string(text) + "=" + std::to_string(data));
        }
        return out;
    }
};

TEST_F(SlistTest, InsertionsPlaceTextsWhereAsked) {
    SLIST list = vkov_slist_create();
    ASSERT_TRUE(vkov_slist_is_valid(list));
    EXPECT_TRUE(vkov_slist_add(list, "b", 2));
    EXPECT_TRUE(vkov_slist_add_at_pos(list, 0, "a", 1));
    EXPECT_TRUE(vkov_slist_add_at_pos(list, -1, "d", 4));
    EXPECT_TRUE(vkov_slist_add_at_pos(list, 99, "e", 5));
    SLIST_ELT d = vkov_slist_get_next(list, vkov_slist_get_next(list, vkov_slist_get_first(list)));
    EXPECT_TRUE(vkov_slist_add_at_elt(list, d, "c", 3));
    EXPECT_TRUE(vkov_slist_add_at_elt(list, nullptr, "f", 6));
    EXPECT_EQ(items(list), (std::vector<std::string>{"a=1", "b=2", "c=3", "d=4", "e=5", "f=6"}));
    EXPECT_EQ(vkov_slist_count(list), 6);

    int32_t data = 0;
    EXPECT_STREQ(vkov_slist_get_elt(list, 2, &data), "c");
    EXPECT_EQ(data, 3);
    EXPECT_EQ(vkov_slist_get_elt(list, 6, &data), nullptr);
    *vkov_slist_get_data(d) = 40;
    EXPECT_TRUE(vkov_slist_rem(list, vkov_slist_get_first(list)));
    EXPECT_EQ(items(list), (std::vector<std::string>{"b=2", "c=3", "d=40", "e=5", "f=6"}));
    vkov_slist_destroy(list);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_SLIST), 0);
}

TEST_F(SlistTest, AddSorted_KeepsOrderAndRefusesDuplicatesWhenUnique) {
    struct Case {
        const char *why;
        BOOLEAN ignore_case;
        BOOLEAN unique;
        std::vector<const char *> texts;
        std::vector<std::string> expect;
    };
    const Case cases[] = {
        {"bytes order, duplicates kept in arrival order",
         FALSE,
         FALSE,
         {"b", "B", "a", "b"},
         {"B=1", "a=2", "b=0", "b=3"}},
        {"ignoring case", TRUE, FALSE, {"b", "B", "a"}, {"a=2", "b=0", "B=1"}},
        {"unique refuses a text already there", FALSE, TRUE, {"x", "y", "x"}, {"x=0", "y=1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        SLIST list = vkov_slist_create();
        for (std::size_t i = 0; i < c.texts.size(); ++i)
            vkov_slist_add_sorted(list, c.texts[i], static_cast<int32_t>(i), c.ignore_case,
                                  c.unique);
        EXPECT_EQ(items(list), c.expect);
        vkov_slist_destroy(list);
    }
}

TEST_F(SlistTest, DeadListsAndForeignElementsAreRefused) {
    SLIST other = vkov_slist_create();
    vkov_slist_add(other, "foreign", 0);
    SLIST_ELT foreign = vkov_slist_get_first(other);
    SLIST list = vkov_slist_create();
    vkov_slist_add(list, "mine", 0);
    // Freed after the other lists are made: without the sanitizers' quarantine the allocator
    // hands a freed block to the next list of its size, which would bring it back to life.
    SLIST freed = vkov_slist_create();
    vkov_slist_destroy(freed);

    EXPECT_EQ(vkov_slist_count(nullptr), 0) << "a null list counts as empty";
    EXPECT_EQ(vkov_slist_count(freed), -1);
    const struct {
        const char *why;
        SLIST list;
        SLIST_ELT elt;
    } cases[] = {
        {"null list", nullptr, foreign},
        {"freed list", freed, foreign},
        {"element of another list", list, foreign},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_FALSE(vkov_slist_rem(c.list, c.elt));
        EXPECT_EQ(vkov_slist_get(c.list, c.elt, nullptr), nullptr);
        EXPECT_EQ(vkov_slist_get_next(c.list, c.elt), nullptr);
        EXPECT_FALSE(vkov_slist_add_at_elt(c.list, c.elt, "x", 0));
    }
    EXPECT_EQ(vkov_slist_count(list), 1);
    EXPECT_EQ(vkov_slist_count(other), 1);
    vkov_slist_rem(other, foreign);
    EXPECT_EQ(vkov_slist_get_data(foreign), nullptr) << "a removed element is not read";
    vkov_slist_destroy(other);
    vkov_test_reset_all();
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_SLIST), 0) << "reset frees every list";
}

} // namespace
