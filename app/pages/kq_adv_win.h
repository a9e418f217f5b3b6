// kq_adv_win.h: KQAdvWin, the advanced search page. The user builds a boolean query one token
// at a time: a term is the chosen search type's label, "=" and the word of the field (Add);
// the AND, OR, NOT, "(" and ")" buttons add the operators "&", "|", "!", "(" and ")". The
// tokens stand one a line in the token list, and only the buttons whose token may come next
// are enabled. A whole expression typed into the field (text mode) is checked and replaces
// the token list. Search turns the labels into the dictionary's index names and runs the
// query as written.
#pragma once
#include <string>
#include <vector>

#include "app/pages/search_page_win.h"

class FRM_NScrollText;

class KQAdvWin : public SearchPageWin {
public:
    // Commands of the page's controls.
    static constexpr long kCmdAdd = 3002;
    static constexpr long kCmdAddWord = 113;
    static constexpr long kCmdAnd = 3003;
    static constexpr long kCmdOr = 3004;
    static constexpr long kCmdNot = 3005;
    static constexpr long kCmdOpen = 3006;
    static constexpr long kCmdClose = 3007;
    static constexpr long kCmdTokenList = 3009;
    static constexpr long kCmdClearQuery = 3013;
    static constexpr long kCmdSearchQuery = 3014;
    static constexpr long kCmdWordTyped = 3018;

    KQAdvWin(SearchNotebook* notebook, short tab, RefDoc* document, EntryPainter* painter);

    static const FRM_CTypeInfo* GetStaticTypeInfo();
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;

    // Enables the buttons of the mask's bits (querymask: Add, AND, OR, NOT, "(", ")",
    // Search) and disables the others; ")" only inside parentheses.
    void EnableButtons(int mask);
    // The bits of Add to ")" whose buttons are enabled (never Search's).
    int GetButtonMask() const;
    // The button of one mask bit, null for another value.
    FRM_NButton* GetButton(int bit) const;

    // Checks text as a query; rebuild: the token list is made anew from it. A failure
    // tells the user; at the end of the text the buttons follow what may come next.
    bool CheckQueryText(const std::string& text, bool rebuild);
    // Checks the token list as one text.
    bool PreCheck();
    // The engine's query from the token list; empty for an empty list.
    std::string ComposeQuery() const;
    // Refills the token list from an engine query.
    void ShowQuery(const std::string& query);

    std::vector<std::string> GetTokens() const;
    FRM_NScrollText* GetTokenList() const { return itsTokenList; }
    int GetDepth() const { return itsDepth; }
    bool IsTextMode() const { return itIsTextMode; }

    // SearchPageWin
    void SearchFor(const std::string& text) override;
    void Search() override;
    void Clear() override;
    // The token list counts too.
    bool HasSomethingToClear() const override;
    void DoCommand(long command, void* data) override;
    void DoKey(const FRM_CKey& key) override;
    // Forgets the token list's handler kept from the first page, as if none had been made
    // (tests).
    static void ResetForTests();

protected:
    void ShowSearchedText(const std::string& text) override;

private:
    void Append(const std::string& line);
    void SetTokens(const std::vector<std::string>& tokens);
    void AddTerm();
    void WordTyped();
    void TakeBackTypedOpens();
    void Enter();
    void SpellingHelp();
    bool IsOn(int bit) const;
    // Delete on the token list: a character of a word or an operator, or a whole term.
    void DeleteAtCaret();
    // A key on the token list: Delete and the arrows; false for another key.
    bool TokenListKey(const FRM_CKey& key);
    // The token list's text edit window's handler: a click gives the list the keys, and
    // the keys it takes go to TokenListKey.
    static std::int32_t TokenListHandler(WINDOW window, EVENT* event) noexcept;
    void MoveCaret(int lines, int characters);
    std::string ChosenLabel() const;
    void SearchTypes(std::vector<std::string>* labels, std::vector<std::string>* names) const;

    FRM_NButton* itsButtons[7] = {};         // Add, AND, OR, NOT, "(", ")", Search
    FRM_NScrollText* itsTokenList = nullptr;
    int itsDepth = 0;                        // parentheses open in the token list
    bool itIsTextMode = false;               // the field holds a whole expression
    int itsSavedMask = 0;                    // the buttons when text mode began
    int itsTypedOpens = 0;                   // "(" typed as buttons, the list's last lines
    int itsMaskBeforeOpens = 0;              // the buttons before the first of them
};
