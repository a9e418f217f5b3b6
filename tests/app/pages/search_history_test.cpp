// Tests of the histories of results lists and entries: insertion after the current
// record, moves held inside the history, the navigation flags and the walks the history
// menus show.
#include "app/pages/search_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

History<EntryRecord> Entries(const std::vector<std::string>& words)
{
    History<EntryRecord> history;
    for (const std::string& w : words) {
        auto record = std::make_unique<EntryRecord>();
        record->word = w;
        history.Enter(std::move(record));
    }
    return history;
}

std::vector<std::string> Words(const History<EntryRecord>& history)
{
    std::vector<std::string> words;
    for (std::size_t p = 1; p <= history.Count(); ++p)
        words.push_back(history.At(p)->word);
    return words;
}

TEST(History, ARecordEnteredAfterMovingBackGoesJustAfterTheCurrentOne)
{
    History<EntryRecord> history = Entries({"one", "two", "three"});
    ASSERT_TRUE(history.Move(-1));
    ASSERT_TRUE(history.Move(-1));
    auto record = std::make_unique<EntryRecord>();
    record->word = "four";
    history.Enter(std::move(record));
    EXPECT_EQ(Words(history), (std::vector<std::string>{"one", "four", "two", "three"}));
    EXPECT_EQ(history.Position(), 2u);
    EXPECT_TRUE(history.NextExists());
    EXPECT_TRUE(history.PreviousExists());
}

TEST(History, MovesStayInsideAndFlagsFollowThePosition)
{
    struct Case {
        const char* why;
        std::vector<std::string> words;
        std::vector<int> moves;  // tried in turn
        std::size_t position;
        bool next, previous;
    };
    const Case cases[] = {
        {"empty: nothing to move to", {}, {-1, 1}, 0, false, false},
        {"one record: both flags off", {"a"}, {1, -1}, 1, false, false},
        {"at the end", {"a", "b", "c"}, {1, 5}, 3, false, true},
        {"back to the start and no further", {"a", "b", "c"}, {-1, -1, -1}, 1, true, false},
        {"a move past the end leaves the position", {"a", "b", "c"}, {-1, 7}, 2, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        History<EntryRecord> history = Entries(c.words);
        for (const int m : c.moves)
            history.Move(m);
        EXPECT_EQ(history.Position(), c.position);
        EXPECT_EQ(history.NextExists(), c.next);
        EXPECT_EQ(history.PreviousExists(), c.previous);
    }
    History<EntryRecord> history = Entries({"a", "b"});
    EXPECT_FALSE(history.MoveTo(0));
    EXPECT_FALSE(history.MoveTo(3));
    EXPECT_TRUE(history.MoveTo(1));
    EXPECT_EQ(history.Current()->word, "a");
}

TEST(History, WalksForTheHistoryMenusHoldAtMostTenFromTheCurrentOne)
{
    std::vector<std::string> words;
    for (int i = 1; i <= 25; ++i)
        words.push_back(std::to_string(i));
    History<EntryRecord> history = Entries(words);
    ASSERT_TRUE(history.MoveTo(20));
    const auto forward = history.Walk(true);
    const auto backward = history.Walk(false);
    ASSERT_EQ(forward.size(), 6u);
    EXPECT_EQ(forward.front()->word, "20");
    EXPECT_EQ(forward.back()->word, "25");
    ASSERT_EQ(backward.size(), 10u);
    EXPECT_EQ(backward.front()->word, "20");
    EXPECT_EQ(backward.back()->word, "11");
    EXPECT_TRUE(History<EntryRecord>().Walk(true).empty());
}

} // namespace
