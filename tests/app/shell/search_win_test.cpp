// Tests of the search status window: the status line, the search run in its modal loop,
// the note when nothing was found, and that no second search starts while one runs.
#include "app/shell/search_win.h"

#include <gtest/gtest.h>

#include <string>

#include "app/pages/search_request.h"
#include "app/display/kq_list_box.h"
#include "engine/progress.h"
#include "vkobase/dm.h"

#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;

class SearchWinTest : public TavlinFixture {
protected:
    void SetUp() override
    {
        TavlinFixture::SetUp();
        Start();
        ASSERT_FALSE(ReferenceDocuments().empty());
    }
    RefDoc* Document() const { return ReferenceDocuments().front(); }
    static std::vector<std::string> Words(const RWOrdered* hits)
    {
        std::vector<std::string> words;
        for (std::size_t i = 0; hits != nullptr && i < hits->entries(); ++i)
            words.emplace_back(static_cast<const RWCollectableString*>((*hits)[i])->data());
        return words;
    }
};

TEST(SearchWinStatusLine, ShowsTheQueryAsTheEngineRunsIt)
{
    struct Case {
        const char* why;
        const char* text;
        const char* code;
        const char* line;
    };
    const Case cases[] = {
        {"a word of an index", "cat", "va", "va=cat"},
        {"a query as written begins with '='", "va=cat & df=animal", "", "=va=cat & df=animal"},
        {"the browse page's marker byte is the entry-word index", "cat*", "\x01", "va=cat*"},
        {"a code beginning with '0' shows the text alone", "cat", "0x", "cat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(SearchWin::StatusLine(c.text, c.code), c.line);
    }
    EXPECT_EQ(SearchWin::StatusLine(std::string(400, 'a'), "va").size(), SearchWin::kStatusLineLimit);
}

TEST_F(SearchWinTest, Run_AnswersTheHitsOfEachKindOfRequest)
{
    struct Case {
        const char* why;
        const char* text;
        const char* code;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"a word", "dog", "va", {"dog"}},
        {"a query as written", "va=cat* & df=domestic", "", {"cat"}},
        {"a browse pattern", "cat*", "\x01", {"cat", "catalog", "caterpillar"}},
        {"a defining-text word", "animal", "df", {"cat", "dog"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        SearchRequest request;
        request.text = c.text;
        request.code = c.code;
        SearchWin::Run(Document(), &request);
        EXPECT_EQ(Words(request.hits.get()), c.words);
        EXPECT_EQ(request.found, static_cast<long>(c.words.size()));
        EXPECT_EQ(SearchWin::Current(), nullptr) << "the window is gone";
        EXPECT_FALSE(itsApplication->IsSearching());
    }
}

TEST_F(SearchWinTest, NothingFound_TellsTheUserUnlessQuiet)
{
    const int before = vkov_dm_test_count();
    SearchRequest request;
    request.text = "zebra";
    request.code = "va";
    request.quiet = true;
    SearchWin::Run(Document(), &request);
    EXPECT_EQ(request.hits, nullptr);
    EXPECT_EQ(vkov_dm_test_count(), before) << "quiet";
    request.quiet = false;
    SearchWin::Run(Document(), &request);
    EXPECT_EQ(request.hits, nullptr);
    ASSERT_EQ(vkov_dm_test_count(), before + 1);
    EXPECT_STREQ(vkov_dm_test_text(before), "No Entries Found!");
}

TEST_F(SearchWinTest, NoSecondSearchStartsWhileOneRuns)
{
    SearchRequest request;
    request.text = "dog";
    request.code = "va";
    itsApplication->BeginSearch();
    SearchWin::Run(Document(), &request);
    EXPECT_EQ(request.hits, nullptr);
    itsApplication->EndSearch();
    SearchWin::Run(Document(), &request);
    EXPECT_NE(request.hits, nullptr);
}

TEST_F(SearchWinTest, TheDocumentNotesItsDictionaryAndHandsTheHitsToTheNotebook)
{
    // Command 87 through the document: the request comes back (command 88) and goes to the
    // notebook, which takes the hits into its results history and lists them on the pages.
    SearchRequest request;
    request.text = "cat*";
    request.code = "va";
    request.notebook = MainWindow()->GetNotebook();
    RefDoc::CmdSearch::Send(*Document(), request);
    EXPECT_EQ(request.reference, 0);
    EXPECT_EQ(request.hits, nullptr) << "the page took them";
    ASSERT_NE(MainWindow()->GetNotebook()->GetCurrentHits(), nullptr);
    EXPECT_EQ(Words(MainWindow()->GetNotebook()->GetCurrentHits()), (std::vector<std::string>{"cat", "catalog", "caterpillar"}));
    EXPECT_EQ(FrontPage()->GetHitList()->GetCount(), 3);
}

} // namespace
