// Tests of the advanced search page in a running main window: the buttons that each token
// leaves enabled, the query the token list composes and its hits, text mode, the keys that
// edit the token list, and the token list shown again from a query.
#include "app/pages/kq_adv_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/pages/adv_query.h"
#include "app/display/kq_list_box.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nscrlltx.h"
#include "frm/runtime/cnav.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cbutton.h"
#include "frm/views/cmenubar.h"
#include "resources/menu_tags.h"
#include "vkobase/dm.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"

#include "../../support/keys.h"
#include "../support/tavlin_fixture.h"

namespace {

using tavlintest::TavlinFixture;
using Tokens = std::vector<std::string>;
using namespace querymask;

const std::string kEntry = "Entry word is...";
const std::string kDefining = "Defining text contains...";

class AdvancedPageTest : public TavlinFixture {
protected:
    void SetUp() override
    {
        TavlinFixture::SetUp();
        Start();
        ASSERT_NE(MainWindow(), nullptr);
        MainWindow()->ShowPage(1);
        itsPage = dynamic_cast<KQAdvWin*>(MainWindow()->GetFrontPage());
        ASSERT_NE(itsPage, nullptr);
    }

    // The buttons enabled now, Search's bit included.
    int Enabled() const
    {
        int mask = 0;
        for (int bit = kWord; bit <= kSearch; bit <<= 1)
            if (itsPage->GetButton(bit)->IsEnabled())
                mask |= bit;
        return mask;
    }

    // Runs steps as a user would: "(", ")", "&", "|" and "!" press their buttons, "N:word"
    // chooses search type N, types the word and presses Add.
    void Run(const std::vector<std::string>& steps)
    {
        for (const std::string& step : steps) {
            if (step.size() == 1 && std::string("()&|!").find(step[0]) != std::string::npos) {
                const long commands[] = {KQAdvWin::kCmdOpen, KQAdvWin::kCmdClose, KQAdvWin::kCmdAnd,
                                         KQAdvWin::kCmdOr, KQAdvWin::kCmdNot};
                itsPage->DoCommand(commands[std::string("()&|!").find(step[0])], nullptr);
                continue;
            }
            ASSERT_TRUE(itsPage->ChooseSearchType(step[0] - '0')) << step;
            Type(step.substr(2));
            itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
        }
    }

    // Puts text into the word field as typing does, the page watching the change.
    void Type(const std::string& text)
    {
        itsPage->SetTypedText(text);
        itsPage->DoCommand(KQAdvWin::kCmdWordTyped, nullptr);
    }

    std::vector<std::string> Hits() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < itsPage->GetHitList()->GetCount(); ++i)
            lines.push_back(itsPage->GetHitList()->GetItem(i));
        return lines;
    }

    std::string LastNote() const
    {
        const int count = vkov_dm_test_count();
        return count == 0 ? std::string() : vkov_dm_test_text(count - 1);
    }

    KQAdvWin* itsPage = nullptr;
};

TEST_F(AdvancedPageTest, Buttons_EnableOnlyWhatMayComeNext)
{
    struct Case {
        std::vector<std::string> steps;
        int enabled;
        int depth;
    };
    const Case cases[] = {
        {{}, kWord | kOpen, 0},
        {{"0:cat"}, kAnd | kOr | kSearch, 0},
        {{"0:cat", "&"}, kWord | kNot | kOpen, 0},
        {{"0:cat", "|"}, kWord | kNot | kOpen, 0},
        {{"0:cat", "&", "!"}, kWord | kOpen, 0},
        {{"("}, kWord | kOpen, 1},
        {{"(", "0:cat"}, kAnd | kOr | kClose, 1},
        // Closing the outermost group completes the query; ")" has nothing left to close.
        {{"(", "0:cat", ")"}, kAnd | kOr | kSearch, 0},
        {{"(", "(", "0:cat", ")"}, kAnd | kOr | kClose, 1},
        {{"(", "(", "0:cat", ")", ")"}, kAnd | kOr | kSearch, 0},
        {{"(", "0:cat", "|", "0:dog", ")", "&", "1:animal"}, kAnd | kOr | kSearch, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.steps));
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Run(c.steps);
        EXPECT_EQ(Enabled(), c.enabled);
        EXPECT_EQ(itsPage->GetDepth(), c.depth);
        EXPECT_EQ(itsPage->GetButtonMask(), c.enabled & ~kSearch) << "Search is never reported";
    }
    itsPage->DoCommand(KQAdvWin::kCmdClearQuery, nullptr);
    EXPECT_EQ(Enabled(), kWord | kOpen);
    EXPECT_EQ(itsPage->GetDepth(), 0);
    EXPECT_TRUE(itsPage->GetTokens().empty());
}

TEST_F(AdvancedPageTest, StatusHelp_NamesTheQueryControls)
{
    const auto helpOver = [this](const FRM_CView* view) {
        const FRM_CRect frame = view->GetFrame();
        return itsPage->HelpAt(FRM_CPoint((frame.Left() + frame.Right()) / 2,
                                          (frame.Top() + frame.Bottom()) / 2));
    };
    EXPECT_EQ(helpOver(itsPage->GetButton(kWord)), "Click to add word to search");
    EXPECT_EQ(helpOver(itsPage->GetButton(kNot)), "Click to search with a logical NOT");
    EXPECT_EQ(helpOver(itsPage->GetButton(kClose)), "Right parenthesis for grouping");
    EXPECT_EQ(helpOver(itsPage->GetTokenList()), "Complex search word");
}

TEST_F(AdvancedPageTest, Buttons_ComposeTheQueryAndSearchGivesItsHits)
{
    struct Case {
        std::vector<std::string> steps;
        Tokens tokens;
        const char* query;
        std::vector<std::string> hits;
    };
    const Case cases[] = {
        {{"1:domestic", "&", "1:barks"},
         {kDefining + "=domestic", "&", kDefining + "=barks"},
         "df=domestic&df=barks",
         {"dog"}},
        // Entry words go lower-cased, label and all.
        {{"1:domestic", "&", "!", "0:DOG"},
         {kDefining + "=domestic", "&", "!", kEntry + "=DOG"},
         "df=domestic&!va=dog",
         {"cat"}},
        {{"(", "0:cat", "|", "0:collar", ")", "&", "1:animal"},
         {"(", kEntry + "=cat", "|", kEntry + "=collar", ")", "&", kDefining + "=animal"},
         "(va=cat|va=collar)&df=animal",
         {"cat"}},
        {{"0:cat*"}, {kEntry + "=cat*"}, "va=cat*", {"cat", "catalog", "caterpillar"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Run(c.steps);
        EXPECT_EQ(itsPage->GetTokens(), c.tokens);
        EXPECT_EQ(itsPage->GetTypedText(), "") << "Add empties the field";
        EXPECT_EQ(itsPage->ComposeQuery(), c.query);
        itsPage->DoCommand(KQAdvWin::kCmdSearchQuery, nullptr);
        EXPECT_EQ(Hits(), c.hits);
        EXPECT_EQ(itsPage->GetTokens(), c.tokens) << "the query stays for more";
    }
}

TEST_F(AdvancedPageTest, Search_OfAnIncompleteListTellsTheUserAndSearchesNothing)
{
    Run({"0:dog"});
    itsPage->DoCommand(KQAdvWin::kCmdSearchQuery, nullptr);
    ASSERT_EQ(Hits(), (std::vector<std::string>{"dog"}));
    const int notes = vkov_dm_test_count();
    itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
    itsPage->DoCommand(KQAdvWin::kCmdSearchQuery, nullptr);
    EXPECT_EQ(vkov_dm_test_count(), notes + 1);
    EXPECT_EQ(LastNote(), "Unable to do Search") << "an empty list";
}

TEST_F(AdvancedPageTest, Add_WithNoWordInTheFieldAddsNothing)
{
    struct Case {
        const char* why;
        std::vector<std::string> steps;
        std::string typed;
    };
    const Case cases[] = {
        {"at the start", {}, ""},
        {"after OR", {"0:cat", "|"}, ""},
        {"after AND and NOT", {"0:cat", "&", "!"}, ""},
        {"inside a parenthesis", {"("}, ""},
        {"blanks only", {"0:cat", "|"}, "   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Run(c.steps);
        const Tokens before = itsPage->GetTokens();
        const int enabled = Enabled();
        ASSERT_TRUE(enabled & kWord) << "a term may come here";
        Type(c.typed);
        itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
        EXPECT_EQ(itsPage->GetTokens(), before) << "no term without its word";
        EXPECT_EQ(Enabled(), enabled) << "the word may still be typed and added";
        // The word typed then is added as usual.
        Type("dog");
        itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
        Tokens added = before;
        added.push_back(kEntry + "=dog");
        EXPECT_EQ(itsPage->GetTokens(), added);
    }
}

TEST_F(AdvancedPageTest, RealKeys_TypedIntoTheFieldBuildAndRunTheQuery)
{
    const auto key = [](std::uint16_t character) {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = character;
        vkov_test_post_event(vkok_scr_get_focus_vobj(), &event);
        vkok_app_process_pending_events();
    };
    const auto type = [&key](const std::string& text) {
        for (char c : text)
            key(static_cast<unsigned char>(c));
    };
    FRM_NEditControl* field = nullptr;
    for (std::size_t i = 0; i < itsPage->GetSubviews()->entries(); ++i)
        if (auto* edit = dynamic_cast<FRM_NEditControl*>((*itsPage->GetSubviews())[i]))
            field = edit;
    ASSERT_NE(field, nullptr);
    field->SetTextSelection(0, 0);
    ASSERT_EQ(vkok_scr_get_focus_vobj(), field->GetVKOWindow());
    type("dog");
    key(13);
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=dog"}));
    type("|"); // right after a term: the OR button
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=dog", "|"}));
    type("cat");
    key(13);
    key(13);
    EXPECT_EQ(Hits(), (std::vector<std::string>{"cat", "dog"}));
    // An expression typed whole turns text mode on at its first operator.
    key(27);
    type("cat ");
    EXPECT_FALSE(itsPage->IsTextMode());
    type("& !dog");
    EXPECT_TRUE(itsPage->IsTextMode());
    key(13);
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=cat", "&", "!", kEntry + "=dog"}));
    key(13);
    EXPECT_EQ(Hits(), (std::vector<std::string>{"cat"}));
}

TEST_F(AdvancedPageTest, WordLookedUp_BecomesThePagesOneTermAndIsSearched)
{
    // An entry's word clicked, "Find in", or a string sent to the page: the page is
    // cleared, the word added under the chosen type and searched.
    Run({"1:domestic", "&"});
    const std::string word = "dog";
    KQAdvWin::CmdSearchString::Send(*itsPage, word);
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kDefining + "=dog"}));
    EXPECT_TRUE(Hits().empty()) << "no entry is defined by dog";
    ASSERT_TRUE(itsPage->ChooseSearchType(0));
    itsPage->SearchFor("Collar");
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=Collar"}));
    EXPECT_EQ(Hits(), (std::vector<std::string>{"collar"}));
    EXPECT_EQ(itsPage->GetTypedText(), "");
}

TEST_F(AdvancedPageTest, Keys_ReturnAddsTheWordThenSearchesAndEscapeClears)
{
    const FRM_CKey enter('\r', 0, 0, 0, 0);
    Type("dog");
    itsPage->DoKey(enter);
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=dog"}));
    EXPECT_TRUE(Hits().empty()) << "the first Return only adds";
    itsPage->DoKey(enter);
    EXPECT_EQ(Hits(), (std::vector<std::string>{"dog"}));
    itsPage->DoKey(FRM_CKey(27, 0, 0, 0, 0));
    EXPECT_TRUE(itsPage->GetTokens().empty());
    EXPECT_EQ(Enabled(), kWord | kOpen);
    // Inside parentheses Return does not search.
    Run({"(", "0:cat"});
    itsPage->DoKey(enter);
    EXPECT_TRUE(Hits().empty());
}

TEST_F(AdvancedPageTest, WordField_OperatorsTypedActAsTheirButtonsOrAreRefused)
{
    struct Case {
        std::vector<std::string> before; // steps first
        const char* typed;
        Tokens tokens;                   // afterwards
        const char* field;
        int enabled;
    };
    const Case cases[] = {
        // After a term an operator is its button; a word may not stand there.
        {{"0:cat"}, "&", {kEntry + "=cat", "&"}, "", kWord | kNot | kOpen},
        {{"0:cat"}, "dog", {kEntry + "=cat"}, "", kAnd | kOr | kSearch},
        {{"0:cat"}, "(", {kEntry + "=cat"}, "", kAnd | kOr | kSearch},
        // Where a term may stand a lone "(" is the button, another lone operator is refused.
        {{}, "(", {"("}, "", kWord | kOpen},
        {{}, "&", {}, "", kWord | kOpen},
        {{}, "cat", {}, "cat", kWord | kOpen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Run(c.before);
        Type(c.typed);
        EXPECT_EQ(itsPage->GetTokens(), c.tokens);
        EXPECT_EQ(itsPage->GetTypedText(), c.field);
        EXPECT_EQ(Enabled(), c.enabled);
        EXPECT_FALSE(itsPage->IsTextMode());
    }
}

TEST_F(AdvancedPageTest, TextMode_AnExpressionTypedReplacesTheTokenList)
{
    Run({"0:zebra", "&"});
    ASSERT_EQ(Enabled(), kWord | kNot | kOpen);
    // An operator in a longer text: only Add stays, and Add checks the whole text.
    Type("cat |");
    EXPECT_TRUE(itsPage->IsTextMode());
    EXPECT_EQ(Enabled(), kWord);
    // Taking the operator out again gives the buttons back, Search still off.
    Type("cat");
    EXPECT_FALSE(itsPage->IsTextMode());
    EXPECT_EQ(Enabled(), kWord | kNot | kOpen);

    Type("Defining text contains...=domestic & ! barks");
    ASSERT_TRUE(itsPage->IsTextMode());
    itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kDefining + "=domestic", "&", "!", kDefining + "=barks"}))
        << "the label stays in force";
    EXPECT_EQ(Enabled(), kAnd | kOr | kSearch);
    itsPage->DoCommand(KQAdvWin::kCmdSearchQuery, nullptr);
    EXPECT_EQ(Hits(), (std::vector<std::string>{"cat"}));

    // A failed check keeps what it got through and tells why.
    itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
    Type("cat & (dog");
    itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
    EXPECT_EQ(LastNote(), "Unable to do Search");
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=cat", "&", "(", kEntry + "=dog"}));
    EXPECT_EQ(itsPage->GetDepth(), 1);
    itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
    Type("cat & ) dog");
    itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
    EXPECT_EQ(LastNote(), "Error in search text with )");
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=cat", "&"}));
}

TEST_F(AdvancedPageTest, TextMode_ClearGivesBackTheFreshPage)
{
    // The same keys give the same answer on a fresh page and after an expression was typed
    // and cleared (the Clear button, Escape, or the page cleared with the window).
    const FRM_CKey enter('\r', 0, 0, 0, 0);
    const auto openThenTerm = [&] {
        Type("(");
        Type("va=cat");
        itsPage->DoKey(enter);
        return std::make_pair(itsPage->GetTokens(), vkov_dm_test_count());
    };
    const auto fresh = openThenTerm();
    EXPECT_EQ(fresh.first, (Tokens{"(", kEntry + "=va=cat"}));
    for (const long clear : {KQAdvWin::kCmdClearQuery, KQBasicWin::kCmdClear, KQBasicWin::kCmdClearPage}) {
        SCOPED_TRACE(clear);
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Type("cat & dog");
        ASSERT_TRUE(itsPage->IsTextMode());
        itsPage->DoCommand(clear, nullptr);
        EXPECT_FALSE(itsPage->IsTextMode());
        EXPECT_EQ(Enabled(), kWord | kOpen);
        const int notes = vkov_dm_test_count();
        const auto after = openThenTerm();
        EXPECT_EQ(after.first, fresh.first);
        EXPECT_EQ(after.second, notes) << "no note";
    }
}

TEST_F(AdvancedPageTest, TextMode_ARebuiltListCountsItsOwnParentheses)
{
    // Parentheses left open by the buttons do not outlive the list they stood in.
    Run({"(", "("});
    Type("cat | dog");
    itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=cat", "|", kEntry + "=dog"}));
    EXPECT_EQ(itsPage->GetDepth(), 0);
    EXPECT_EQ(Enabled(), kAnd | kOr | kSearch);
    itsPage->DoCommand(KQAdvWin::kCmdSearchQuery, nullptr);
    EXPECT_EQ(Hits(), (std::vector<std::string>{"cat", "dog"}));
}

TEST_F(AdvancedPageTest, DeleteKey_EditsTheTokenListAtTheCaret)
{
    struct Case {
        const char* why;
        std::vector<std::string> steps;
        std::uint16_t line, column;
        Tokens tokens;
        int depth;
        int enabled; // what may follow the list as it now ends
    };
    const Case cases[] = {
        {"a character of the word", {"0:cat", "&", "0:dog"}, 2, 18, {kEntry + "=cat", "&", kEntry + "=dg"}, 0,
         kAnd | kOr | kSearch},
        // Search stays: pressed, it says what is wrong with the list.
        {"on the label the whole term", {"0:cat", "&", "0:dog"}, 0, 3, {"&", kEntry + "=dog"}, 0,
         kAnd | kOr | kSearch},
        {"on the = the whole term", {"0:cat", "&", "0:dog"}, 2, 16, {kEntry + "=cat", "&"}, 0,
         kWord | kNot | kOpen},
        {"an operator", {"0:cat", "&", "0:dog"}, 1, 0, {kEntry + "=cat", kEntry + "=dog"}, 0,
         kAnd | kOr | kSearch},
        {"after the line's end nothing", {"0:cat"}, 0, 20, {kEntry + "=cat"}, 0, kAnd | kOr | kSearch},
        {"a parenthesis: the depth follows", {"(", "0:cat"}, 0, 0, {kEntry + "=cat"}, 0, kAnd | kOr | kSearch},
        {"a term inside parentheses", {"(", "0:cat", "|", "0:dog"}, 3, 0, {"(", kEntry + "=cat", "|"}, 1,
         kWord | kNot | kOpen},
        {"the closing parenthesis", {"(", "0:cat", ")"}, 2, 0, {"(", kEntry + "=cat"}, 1, kAnd | kOr | kClose},
        {"the term after OR", {"0:cat", "|", "0:dog"}, 2, 0, {kEntry + "=cat", "|"}, 0, kWord | kNot | kOpen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Run(c.steps);
        itsPage->GetTokenList()->Activate();
        itsPage->GetTokenList()->SetInsertPosition(c.line, 0, c.column);
        itsPage->GetCWindow()->DoKey(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DELETE));
        EXPECT_EQ(itsPage->GetTokens(), c.tokens);
        EXPECT_EQ(itsPage->GetDepth(), c.depth);
        EXPECT_EQ(Enabled(), c.enabled);
        // The word field is empty: where Add may be pressed, it adds no term of the label alone.
        if (c.enabled & kWord) {
            itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
            EXPECT_EQ(itsPage->GetTokens(), c.tokens) << "Add with an empty field";
            EXPECT_EQ(Enabled(), c.enabled) << "Add with an empty field";
        }
    }
    // The caret moves with the arrow keys; the last line deleted clears the list.
    itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
    Run({"0:cat", "&", "0:dog"});
    itsPage->GetTokenList()->Activate();
    itsPage->GetTokenList()->SetInsertPosition(0, 0, 0);
    const auto key = [this](std::uint16_t code) {
        itsPage->GetTokenList()->Activate();
        itsPage->GetCWindow()->DoKey(FRM_CKey(FRM_CKey::kVirtual, code));
    };
    key(VKO_KEY_DOWN);
    key(VKO_KEY_DOWN);
    key(VKO_KEY_DOWN);
    key(VKO_KEY_RIGHT);
    std::uint16_t line = 0, part = 0, column = 0;
    itsPage->GetTokenList()->GetInsertPosition(&line, &part, &column);
    EXPECT_EQ(line, 2) << "not past the last line";
    EXPECT_EQ(column, 1);
    key(VKO_KEY_DELETE); // on the label: the term goes
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=cat", "&"}));
    key(VKO_KEY_LEFT);
    key(VKO_KEY_UP);
    key(VKO_KEY_DELETE);
    key(VKO_KEY_DELETE);
    EXPECT_TRUE(itsPage->GetTokens().empty());
    EXPECT_EQ(Enabled(), kWord | kNot | kOpen) << "nothing to search";
    itsPage->DoCommand(KQAdvWin::kCmdAdd, nullptr);
    EXPECT_TRUE(itsPage->GetTokens().empty()) << "Add with an empty field";
}

TEST_F(AdvancedPageTest, TabKey_ReachesTheQueryButtonsOnceTheyAreEnabled)
{
    FRM_NEditControl* field = nullptr;
    for (std::size_t i = 0; i < itsPage->GetSubviews()->entries(); ++i)
        if (auto* edit = dynamic_cast<FRM_NEditControl*>((*itsPage->GetSubviews())[i]))
            field = edit;
    ASSERT_NE(field, nullptr);
    const auto window = [](const FRM_CView* view) { return view->GetVKOWindow(); };
    struct Case {
        std::vector<std::string> steps;
        std::vector<WINDOW> visited; // from the field on
    };
    const Case cases[] = {
        // Disabled when the page was made, AND, OR and Search take the keys once enabled.
        {{"0:cat"}, {window(itsPage->GetButton(kAnd)), window(itsPage->GetButton(kOr)),
                     window(itsPage->GetTokenList()), window(itsPage->GetButton(kSearch))}},
        {{"0:cat", "&"}, {window(itsPage->GetButton(kWord)), window(itsPage->GetButton(kNot)),
                          window(itsPage->GetButton(kOpen)), window(itsPage->GetTokenList())}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.steps));
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Run(c.steps);
        if (c.steps.back() == "&")
            Type("dog"); // Add takes a word
        field->SetTextSelection(0, 0);
        ASSERT_EQ(vkok_scr_get_focus_vobj(), field->GetVKOWindow());
        std::vector<WINDOW> visited;
        for (WINDOW at = field->GetVKOWindow(); visited.size() < c.visited.size();)
            visited.push_back(at = test_support::TabFrom(at));
        EXPECT_EQ(visited, c.visited);
    }
}

TEST_F(AdvancedPageTest, DeleteKey_FromTheKeyboardRemovesACharacterATermAndTheLastLine)
{
    Run({"0:cat", "&", "0:dog"});
    FRM_NScrollText* list = itsPage->GetTokenList();
    // The caret at the start of a line of the token list, which has the keys; then Delete
    // as the keyboard sends it to the focused window.
    const auto clickLine = [&](int line) {
        const auto textEdit = reinterpret_cast<WINDOW>(list->GetVKOTextEdit());
        EVENT event{};
        event.type = E_MOUSE_DOWN;
        event.v.mouse.where.h = 3;
        event.v.mouse.where.v = 3;
        event.v.mouse.button = 1;
        vkov_test_post_event(textEdit, &event);
        event.type = E_MOUSE_UP;
        vkov_test_post_event(textEdit, &event);
        vkok_app_process_pending_events();
        list->SetInsertPosition(static_cast<std::uint16_t>(line), 0, 0);
    };
    const auto pressDelete = [] {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = VKO_KEY_DELETE;
        event.v.chr.virt = 1;
        vkov_test_post_event(vkok_scr_get_focus_vobj(), &event);
        vkok_app_process_pending_events();
    };
    std::uint16_t line = 9, part = 0, column = 9;
    clickLine(1);
    list->GetInsertPosition(&line, &part, &column);
    ASSERT_EQ(line, 1);
    ASSERT_EQ(column, 0);
    pressDelete(); // the operator
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=cat", kEntry + "=dog"}));
    clickLine(0);
    pressDelete(); // on the label: the term
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=dog"}));
    clickLine(0);
    pressDelete(); // the only line: the list is cleared
    EXPECT_TRUE(itsPage->GetTokens().empty());
    EXPECT_EQ(Enabled(), kWord | kNot | kOpen) << "nothing to search";
}

TEST_F(AdvancedPageTest, TypedExpression_BeginningWithAParenthesisIsTakenWhole)
{
    // Typed a character at a time, as the field reports each change.
    const std::string expression = "(cat | dog)";
    for (char c : expression)
        Type(itsPage->GetTypedText() + c);
    EXPECT_TRUE(itsPage->IsTextMode());
    EXPECT_EQ(itsPage->GetTypedText(), expression);
    EXPECT_TRUE(itsPage->GetTokens().empty()) << "the \"(\" went back into the expression";
    itsPage->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{"(", kEntry + "=cat", "|", kEntry + "=dog", ")"}));
    EXPECT_EQ(itsPage->GetDepth(), 0);
    itsPage->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
    EXPECT_EQ(Hits(), (std::vector<std::string>{"cat", "dog"}));
}

TEST_F(AdvancedPageTest, AQueryTheEngineCannotRead_SaysTheSearchTextIsWrong)
{
    // The page's buttons allow NOT after OR; the query language has no "| !".
    Run({"0:cat", "|", "!", "0:dog"});
    itsPage->DoCommand(KQAdvWin::kCmdSearchQuery, nullptr);
    EXPECT_EQ(LastNote().rfind("Error in search text", 0), 0u) << LastNote();
    EXPECT_TRUE(Hits().empty());
}

// Parentheses nested deeper than the query language takes, or words joined in one run too
// long for it, are told as such; the deepest nesting it takes is searched.
TEST_F(AdvancedPageTest, QueriesNestedTooDeeply_SaySo)
{
    const auto nested = [](int depth) {
        return std::string(static_cast<std::size_t>(depth), '(') + "cat" +
               std::string(static_cast<std::size_t>(depth), ')');
    };
    std::string joined = "cat";
    for (int i = 0; i < 80; ++i)
        joined += " & cat";
    struct Case {
        const char* why;
        std::string typed;
        bool searched;
    };
    const Case cases[] = {
        {"500 parentheses", nested(500), false},
        {"150 parentheses", nested(150), false},
        {"81 words joined", joined, false},
        {"149 parentheses", nested(149), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        const int notes = vkov_dm_test_count();
        Type(c.typed);
        itsPage->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
        itsPage->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
        if (c.searched) {
            EXPECT_EQ(vkov_dm_test_count(), notes) << LastNote();
            EXPECT_EQ(Hits(), (std::vector<std::string>{"cat"}));
            continue;
        }
        EXPECT_EQ(LastNote().rfind("Unable to do Search: ", 0), 0u) << LastNote();
        EXPECT_NE(LastNote().find("nested too deeply"), std::string::npos) << LastNote();
        EXPECT_TRUE(Hits().empty());
    }
}

TEST_F(AdvancedPageTest, ShowQuery_RefillsTheTokenListFromAQuery)
{
    itsPage->ShowQuery("(va=cat|df=animal)&!tr=god");
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{"(", kEntry + "=cat", "|", kDefining + "=animal", ")", "&", "!",
                                            "Anagram of...=god"}));
    EXPECT_EQ(itsPage->ComposeQuery(), "(va=cat|df=animal)&!tr=god");
    // A word without a name (a basic page's search gone back to here) stands under the first
    // search type; the walk goes on past it.
    itsPage->ShowQuery("dog&cat");
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kEntry + "=dog", "&", kEntry + "=cat"}));

    // Going back through the results lists shows the query of each in the token list.
    MainWindow()->ShowPage(0);
    MainWindow()->GetFrontPage()->SearchFor("dog");
    MainWindow()->ShowPage(1);
    itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
    Run({"1:domestic"});
    itsPage->DoCommand(KQAdvWin::kCmdSearchQuery, nullptr);
    ASSERT_EQ(Hits(), (std::vector<std::string>{"cat", "dog"}));
    itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
    itsPage->SetTypedText("left over");
    ASSERT_TRUE(MainWindow()->GetNotebook()->ShowOtherResults(-1));
    // The basic page ran that search: it comes to the front with its text.
    EXPECT_EQ(MainWindow()->GetFrontPage(), MainWindow()->GetPage(0));
    EXPECT_EQ(MainWindow()->GetPage(0)->GetTypedText(), "dog");
    ASSERT_TRUE(MainWindow()->GetNotebook()->ShowOtherResults(1));
    EXPECT_EQ(MainWindow()->GetFrontPage(), itsPage);
    EXPECT_EQ(itsPage->GetTokens(), (Tokens{kDefining + "=domestic"}));
    EXPECT_EQ(itsPage->GetTypedText(), "");
    EXPECT_EQ(Enabled(), kAnd | kOr | kSearch) << "the buttons follow the list shown";
}

// The pixels a view covers in its window's surface, row by row.
std::vector<std::uint32_t> PixelsOf(const FRM_CView* view)
{
    const WINDOW window = view->GetCWindow()->GetVKOWindow();
    const FRM_CRect frame = view->GetGlobalFrame();
    std::vector<std::uint32_t> pixels;
    for (int y = static_cast<int>(frame.Top()); y < static_cast<int>(frame.Bottom()); ++y)
        for (int x = static_cast<int>(frame.Left()); x < static_cast<int>(frame.Right()); ++x)
            pixels.push_back(vkov_debug_surface_pixel(window, x, y) & 0xFFFFFFU);
    return pixels;
}

TEST_F(AdvancedPageTest, DeleteKey_LeavesThePageDrawnAsAfterAddingTheListsNewLastLine)
{
    struct Case {
        const char* why;
        std::vector<std::string> steps;
        std::uint16_t line, column; // where Delete is pressed
        std::vector<std::string> same; // the list as it is left, built by the buttons
    };
    const Case cases[] = {
        {"the last term: the list ends in OR", {"0:cat", "|", "0:dog"}, 2, 0, {"0:cat", "|"}},
        {"NOT's term", {"0:cat", "&", "!", "0:dog"}, 3, 3, {"0:cat", "&", "!"}},
        {"the closing parenthesis", {"(", "0:cat", ")"}, 2, 0, {"(", "0:cat"}},
        {"a dangling OR", {"0:cat", "|"}, 1, 0, {"0:cat"}},
    };
    const auto buttons = [this] {
        vkok_app_process_pending_events();
        std::vector<std::vector<std::uint32_t>> drawn;
        for (int bit = kWord; bit <= kSearch; bit <<= 1)
            drawn.push_back(PixelsOf(itsPage->GetButton(bit)));
        drawn.push_back(PixelsOf(itsPage->GetTokenList())); // last: the lines in view
        return drawn;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Run(c.same);
        const auto expected = buttons();
        itsPage->DoCommand(KQBasicWin::kCmdClear, nullptr);
        Run(c.steps);
        itsPage->GetTokenList()->Activate();
        itsPage->GetTokenList()->SetInsertPosition(c.line, 0, c.column);
        itsPage->GetCWindow()->DoKey(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DELETE));
        const auto after = buttons();
        ASSERT_EQ(after.size(), expected.size());
        for (std::size_t i = 0; i + 1 < after.size(); ++i)
            EXPECT_TRUE(after[i] == expected[i]) << "the button of bit " << (1 << i) << " is drawn otherwise";
        EXPECT_TRUE(after.back() == expected.back()) << "the token list shows other lines";
    }
}

// The pixels of a list's first lines, its scroll bar left out.
std::vector<std::uint32_t> LinesOf(const FRM_CView* list)
{
    constexpr int kLinesHeight = 70, kBarWidth = 20;
    const WINDOW window = list->GetCWindow()->GetVKOWindow();
    const FRM_CRect frame = list->GetGlobalFrame();
    std::vector<std::uint32_t> pixels;
    for (int y = static_cast<int>(frame.Top()); y < static_cast<int>(frame.Top()) + kLinesHeight; ++y)
        for (int x = static_cast<int>(frame.Left()); x < static_cast<int>(frame.Right()) - kBarWidth; ++x)
            pixels.push_back(vkov_debug_surface_pixel(window, x, y) & 0xFFFFFFU);
    return pixels;
}

TEST_F(AdvancedPageTest, HitList_MarksTheLineShownAfterAChoiceOnTheBasicPage)
{
    struct Case {
        const char* why;
        int chosen; // the line then chosen on the Basic page, -1 for none
        const char* marked;
    };
    const Case cases[] = {
        {"the Basic page's search shows its first line", -1, "cat"},
        {"a line chosen there", 2, "caterpillar"},
    };
    SearchPageWin* basic = MainWindow()->GetPage(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MainWindow()->ShowPage(0);
        basic->SearchFor("cat*");
        ASSERT_EQ(basic->GetHitList()->GetCount(), 3);
        if (c.chosen >= 0) {
            basic->GetHitList()->SelectItem(c.chosen);
            basic->DoCommand(SearchPageWin::kCmdLineChosen, nullptr);
        }
        vkok_app_process_pending_events();
        const std::vector<std::uint32_t> basicList = LinesOf(basic->GetHitList());
        MainWindow()->ShowPage(1);
        vkok_app_process_pending_events();
        EXPECT_STREQ(itsPage->GetHitList()->GetSelectedText().data(), c.marked);
        ASSERT_NE(MainWindow()->GetNotebook()->GetHistories().entries.Current(), nullptr);
        EXPECT_EQ(MainWindow()->GetNotebook()->GetHistories().entries.Current()->word, c.marked) << "the entry shown";
        // The lines as the user sees them: the Advanced page's list draws them as the Basic
        // page's does, the marked one in the same place.
        ASSERT_EQ(itsPage->GetHitList()->GetFrame().Width(), basic->GetHitList()->GetFrame().Width());
        EXPECT_TRUE(LinesOf(itsPage->GetHitList()) == basicList) << "the Advanced page's list is drawn otherwise";
    }
}

TEST_F(AdvancedPageTest, ListButtons_DrawTheirPicturesAsOnTheBasicPage)
{
    for (const bool next : {false, true}) {
        SCOPED_TRACE(next ? "next list" : "previous list");
        MainWindow()->ShowPage(0);
        vkok_app_process_pending_events();
        const std::vector<std::uint32_t> basic = PixelsOf(MainWindow()->GetFrontPage()->GetListButton(next));
        MainWindow()->ShowPage(1);
        vkok_app_process_pending_events();
        ASSERT_FALSE(basic.empty());
        EXPECT_EQ(PixelsOf(itsPage->GetListButton(next)), basic);
    }
}

// The lines of the token list a user reads whole now: each line as the list draws it again,
// kept when its line box lies inside the list's text area.
std::vector<std::string> WholeLinesInView(const FRM_NScrollText* list)
{
    const auto textEdit = reinterpret_cast<WINDOW>(list->GetVKOTextEdit());
    vkov_debug_draw_log_clear(textEdit);
    vkok_dwin_invalidate_rect(textEdit, nullptr);
    vkok_app_process_pending_events();
    std::vector<std::string> lines;
    std::string text;
    for (int i = 0; i < vkov_debug_draw_log_size(textEdit); ++i) {
        vkov_draw_log_entry entry{};
        vkov_debug_draw_log_get(textEdit, i, &entry);
        const std::string op = entry.op, args = entry.args;
        if (op == "draw_text" && args.find('"') != std::string::npos) {
            text = args.substr(args.find('"') + 1);
            text.pop_back();
            continue;
        }
        // The line's box, filled after its text: top, left, bottom, right.
        int top = 0, left = 0, bottom = 0, right = 0;
        if (op == "draw_rect" && !text.empty() &&
            std::sscanf(args.c_str(), "%d,%d,%d,%d", &top, &left, &bottom, &right) == 4 &&
            top >= entry.clip.top && bottom <= entry.clip.bottom)
            lines.push_back(text);
        text.clear();
    }
    return lines;
}

// An expression longer than the list's two lines and a half: every token can be brought into
// view whole, by the arrows on the list and by its scroll bar.
TEST_F(AdvancedPageTest, TokenList_ShowsEveryTokenWholeByKeysAndByItsBar)
{
    ASSERT_NE(itsPage->GetTokenList()->GetVScrollBar(), nullptr) << "the list has its vertical bar";
    // A list that fits: its bar has nothing to scroll.
    Type("cat");
    itsPage->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
    vkok_app_process_pending_events();
    const std::vector<std::uint32_t> nothingToScroll =
        PixelsOf(itsPage->GetTokenList()->GetVScrollBar());
    itsPage->DoKey(FRM_CKey(27, 0, 0, 0, 0));
    Type("cat & !dog");
    itsPage->DoKey(FRM_CKey('\r', 0, 0, 0, 0));
    const Tokens tokens{kEntry + "=cat", "&", "!", kEntry + "=dog"};
    ASSERT_EQ(itsPage->GetTokens(), tokens);
    FRM_NScrollText* list = itsPage->GetTokenList();
    const auto textEdit = reinterpret_cast<WINDOW>(list->GetVKOTextEdit());
    ASSERT_LT(WholeLinesInView(list).size(), tokens.size())
        << "the list shows only some lines at once";

    // A click (down and up) at a point of window, as the system delivers it.
    const auto click = [](WINDOW window, s_pnt where) {
        for (const e_event type : {E_MOUSE_DOWN, E_MOUSE_UP}) {
            EVENT event{};
            event.type = type;
            event.v.mouse.where = where;
            vkov_test_post_event(window, &event);
            vkok_app_process_pending_events();
        }
    };
    const auto pressDown = [textEdit] { test_support::PressKey(textEdit, VKO_KEY_DOWN, true); };
    // The down arrow at the foot of the list's own vertical bar.
    const auto barDown = [&] {
        const FRM_NScrollBar* bar = list->GetVScrollBar();
        if (bar == nullptr)
            return;
        const FRM_CRect frame = bar->GetFrame();
        click(bar->GetVKOWindow(), s_pnt{static_cast<std::int16_t>(frame.Height() - 4),
                                         static_cast<std::int16_t>(frame.Width() / 2)});
    };
    struct Way {
        const char* why;
        std::function<void()> step;
    };
    const Way ways[] = {
        {"the list's Down key", pressDown},
        {"a click on the bar's down arrow", barDown},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.why);
        // Back at the top, the list taking the keys as a click on it gives them.
        click(textEdit, s_pnt{3, 3});
        list->SetInsertPosition(0, 0, 0);
        list->SetScrollPosition(0, 0);
        std::vector<std::string> seen = WholeLinesInView(list);
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            way.step();
            for (const std::string& line : WholeLinesInView(list))
                if (std::find(seen.begin(), seen.end(), line) == seen.end())
                    seen.push_back(line);
        }
        EXPECT_EQ(seen, tokens) << "each token read whole, in order";
    }
    // Cleared where it was scrolled to, the list's bar is drawn as on a fresh page.
    itsPage->DoKey(FRM_CKey(27, 0, 0, 0, 0));
    vkok_app_process_pending_events();
    ASSERT_TRUE(itsPage->GetTokens().empty());
    EXPECT_TRUE(PixelsOf(itsPage->GetTokenList()->GetVScrollBar()) == nothingToScroll)
        << "the bar has nothing to scroll";
}

// Edit > Clear is there to use while the window holds something to clear: a query typed or
// built on the Advanced page, a word typed on another page, an entry shown.
TEST_F(AdvancedPageTest, EditClear_IsEnabledWhileThereIsSomethingToClear)
{
    FRM_CMenuBar* bar = MainWindow()->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    // Keys as the keyboard sends them to the window that has them.
    const auto press = [](std::uint16_t character) {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = character;
        vkov_test_post_event(vkok_scr_get_focus_vobj(), &event);
        vkok_app_process_pending_events();
    };
    const auto type = [&press](const std::string& text) {
        for (const char c : text)
            press(static_cast<unsigned char>(c));
    };
    struct Step {
        const char* why;
        std::function<void()> act;
        short enabled;
    };
    const Step steps[] = {
        {"a fresh page", [] {}, 0},
        {"an expression typed", [&] { type("cat & !dog"); }, 1},
        {"typed away again", [&] { type(std::string(10, '\b')); }, 0},
        {"a term added: the field is empty, the list is not", [&] { type("cat\r"); }, 1},
        {"Escape", [&] { press(27); }, 0},
        {"a word typed on the Basic page",
         [&] {
             MainWindow()->ShowPage(0);
             MainWindow()->GetFrontPage()->FocusField();
             type("ca");
         },
         1},
        {"Edit > Clear chosen", [&] { MainWindow()->DoMenuCommand(menutag::kClear, 0, 0); }, 0},
        {"an entry shown", [&] { type("cat\r"); }, 1},
    };
    itsPage->FocusField();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        step.act();
        EXPECT_EQ(bar->IsEnabled(menutag::kClear), step.enabled);
    }
    EXPECT_EQ(MainWindow()->GetFrontPage()->GetTypedText(), "cat") << "Clear emptied the field";
}

} // namespace
