// search_page_win.h: SearchPageWin, the base of the three search pages of a main reference
// window (KQBasicWin, KQAdvWin, BrowseWin), each a face of the window's search notebook:
// the search-type chooser, the text field, the
// Search, Clear and Spelling Help buttons, the results-list and print buttons, the hit list
// and the entry pane beside it, the status-line help of each control and the word under the
// last right click. It runs a page's searches as requests through the reference document,
// hands the hits to its notebook, which lists them on every page and keeps the histories,
// and answers the commands the pages share: double-clicking a word of the entry looks it
// up, a right click offers it in a new window or another dictionary. Commands the page does
// not take go, as a face's do, to the main window.
#pragma once
#include <cstdint>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "frm/controls/cfacewin.h"
#include "frm/core/ccmdnums.h"
#include "frm/core/ccommand.h"
#include "vkocoll/ordered.h"

class EntryPainter;
class FRM_CButton;
class FRM_CMenuBar;
class FRM_CWindow;
class FRM_NButton;
class FRM_NListButton;
class FRM_NEditControl;
class FRM_NText;
class KQListBox;
class Prefs;
class RefDoc;
class ScrollViewWin;
class SearchNotebook;
struct SearchRequest;
class WordItem;

class SearchPageWin : public FRM_CFaceWindow {
public:
    // Commands of the page.
    static constexpr long kCmdSearch = 2002;
    static constexpr long kCmdSearchDouble = 2007;
    static constexpr long kCmdTypedText = 2008;
    static constexpr long kCmdTypeChosen = 80;
    static constexpr long kCmdRunSearch = 78;
    static constexpr long kCmdClear = 81;
    static constexpr long kCmdSpellingHelp = 82;
    static constexpr long kCmdLineChosen = 83;
    static constexpr long kCmdPrintResults = 84;
    static constexpr long kCmdPrintEntry = 85;
    static constexpr long kCmdNextList = 96;
    static constexpr long kCmdPreviousList = 97;
    // Commands from the notebook, which holds the histories of all three pages.
    static constexpr long kCmdClearPage = 76;      // an empty hit list and field
    static constexpr long kCmdApplyPreferences = 74; // the colours of the document's preferences
    static constexpr long kCmdReferenceChanged =
        106; // another dictionary: its search types in the chooser
    static constexpr long kCmdEmptyHitList = 137;
    static constexpr long kCmdFocusField = 67;     // the text field takes the key focus
    static constexpr long kCmdAttachPainter =
        73; // the window's entry painter draws into this page's pane
    static constexpr long kCmdFillHelpTable = 86;  // the status-line help of the page's controls
    // A search to show again: its text, and its search-type position (-1 keeps the
    // chooser's).
    struct RestoredSearch {
        std::string text;
        std::int32_t searchType;
    };
    // Whether the results-list history has a next and a previous list.
    struct ListMoves {
        std::int16_t next;
        std::int16_t previous;
    };
    // A search page and the search type chosen on it.
    struct SearchChoice {
        std::int32_t page;
        std::int32_t searchType;
    };
    // The lines of a results list, shared by the pages that list it.
    using SharedLines = std::shared_ptr<const std::vector<std::string>>;
    // The commands with a payload, each sent and read only as its type.
    // The hit list takes the lines: at once on the page in front, else when the page comes
    // to the front or its list is read.
    using CmdFillHitList = FRM_TCommand<75, const SharedLines>;
    using CmdSearchFor = FRM_TCommand<131, const std::string>; // cleared, then searched here
    // The field takes the string and the page searches (the advanced page its own way, as
    // one term).
    using CmdSearchString = FRM_TCommand<87, const std::string>;
    using CmdRestoreSearch = FRM_TCommand<102, const RestoredSearch>;
    using CmdListMoves = FRM_TCommand<104, const ListMoves>;
    using CmdChooseSearch = FRM_TCommand<135, const SearchChoice>;
    using CmdFillFindIn = FRM_TCommand<129, FRM_CMenuBar>; // the entry pop-up's menu
    using CmdPopUpWord = FRM_TCommand<130, std::string>;   // takes the pop-up word
    // What the page searches: the dictionary's search types (basic) or the entry words by
    // their beginning or end (browse).
    enum Kind { kBasic = 0, kAdvanced = 1, kBrowse = 2 };

    // Makes the page the face of notebook's tab and fills it with its controls; painter:
    // the main window's entry painter, which the page attaches to its entry pane.
    SearchPageWin(SearchNotebook* notebook, short tab, RefDoc* document, EntryPainter* painter);

    // The window holding the page's notebook: the main window.
    FRM_CWindow* HolderWindow() const;
    // Tab goes through the page's controls that take the keys in a window of their own (the
    // picture buttons and the entry pane are drawn on the page), in the order of its views;
    // those disabled now (the Advanced page's AND, OR, Search...) are kept in the order too:
    // Tab passes over them only while they are disabled.
    void OrderTabStops();

    // The text field's text, and setting it (caret after the last character).
    std::string GetTypedText() const;
    void SetTypedText(const std::string& text);
    // Gives the text field the key focus, the caret after its last character.
    void FocusField();
    // After a search: the hit list takes the keys, when it lists something; else the field.
    void FocusHitList();
    FRM_NEditControl* GetField() const { return itsField; }
    // The page's kind: its search-type chooser is the dictionary's (basic, advanced) or the
    // browse page's own two choices; the typed text stays. Each page sets its own.
    void SetKind(Kind kind);
    Kind GetKind() const { return itsKind; }
    // Chooses search type position (of the chooser's list); false outside it.
    bool ChooseSearchType(int position);
    bool IsSpellingHelpEnabled() const;

    // Clears the page, puts text into the field and searches it.
    virtual void SearchFor(const std::string& text);
    // What the page runs on Return or Search: each page its own.
    virtual void Search() = 0;
    // The texts of words (WordItems or strings) for a hit list: at most limit of them, and
    // as many as fit the list's budget of text, each counting its length and two.
    static std::vector<std::string> ListLines(const RWOrdered& words,
                                              std::size_t limit = kListBudget);
    static constexpr std::size_t kListBudget = 32000;
    // The label over the hit list says when the list holds only the first listed of found
    // hits; else it asks for a click on a word.
    void ShowListedPart(std::size_t listed, long found);
    std::string GetListLabel() const;
    // Whether the hit list holds the basic page's type-ahead lines.
    virtual bool IsPicking() const { return false; }
    // Shows the entry of line index of the hit list (the notebook enters it in the entry
    // history); a heading line shows the first entry listed under it.
    void ShowHit(int index);
    virtual void Clear();
    // Whether Clear would empty anything of the page: a word typed or hits listed.
    virtual bool HasSomethingToClear() const;
    // The document opened another dictionary: the chooser lists its search types, the chosen
    // position kept where it has one; the field and the hit list stay.
    void ReferenceChanged();
    // The user's colours for the entry pane, and for the hit list when they are to be used
    // in results (the main window's entry painter takes the text size and draws the entry
    // again).
    void ApplyPreferences(const Prefs& prefs);

    // The entry pop-up for a right click at point of the entry pane: keeps the word under
    // it (not an illustration or table mark, no query operator) and shows "Open in new
    // window..." and "Find in" with one item per dictionary. False when there is no word.
    bool EntryPopUp(const FRM_CPoint& point);
    // The status line's help for the control of the page under point (in the page's own
    // coordinates); empty over no control or a label.
    std::string HelpAt(const FRM_CPoint& point) const;

    // The hit list as the user would find it: lines kept for the page while it was hidden
    // are listed first.
    KQListBox* GetHitList() const
    {
        ListKeptLines();
        return itsHitList;
    }
    // Lists the lines kept for the page, if any: the page came to the front.
    void ListKeptLines() const;
    // Selects line index of the hit list whole, once its kept lines are listed.
    void SelectLine(int index);
    // The picture buttons that go to the previous or the next results list.
    FRM_CButton* GetListButton(bool next) const
    {
        return next ? itsNextListButton : itsPreviousListButton;
    }
    ScrollViewWin* GetEntryPane() const { return itsEntryPane; }
    // The chosen search type: its position in the description's list and its index code.
    int GetSearchTypePosition() const;
    std::string GetIndexCode() const;

    // FRM_CFaceWindow
    void DoCommand(long command, void* data) override;
    // The entry pop-up's items: "Open in new window..." and "Find in" one dictionary.
    void DoMenuCommand(short tag, short shift, short control) override;
    void DoKey(const FRM_CKey& key) override;
    // Paints the page's background: a face paints none, and the page shown before would
    // stay visible between this page's controls.
    void Draw(const FRM_CRect& area) override;

protected:
    // Searches text under index code (the empty code: text is a query as written) and shows
    // the hits; highlights: the words to mark in the entries, else the page's own.
    void SearchOne(const std::string& text, const std::string& code, bool quiet,
                   const std::vector<std::string>* highlights = nullptr);
    // Shows the text of a results list gone back to: in the field.
    virtual void ShowSearchedText(const std::string& text) { SetTypedText(text); }
    // The hit list no longer holds type-ahead lines (the basic page's own state).
    virtual void EndPicking() {}
    // Empties the hit list, lines kept for later included.
    void EmptyHitList();
    // The page's contents changed as the user typed: Edit > Clear follows.
    void ContentsChanged() const;

protected:
    ~SearchPageWin() override;

private:
    void AttachPainter();
    void FillHelpTable();
    // The pop-up's menu: resource 124 with its "Find in" items (tag 127 + position).
    void FillFindIn(FRM_CMenuBar* menu) const;
    // "Find in" item position chosen: the window switches to that dictionary and the page
    // searches the pop-up word there. False for a position outside the dictionaries.
    bool FindIn(long position);
    // Fills the chooser with the dictionary's search types and selects position kept when
    // the list has it, else the preferred search type.
    void FillChooser(int kept = -1);
    void FillHitList(const SharedLines& lines);
    void SetListMoves(const ListMoves& moves);
    std::vector<std::string> HighlightWords(const std::string& text) const;

    // A character typed while the entry pane has the keys: the field takes the keys and the
    // character.
    void TypeIntoField(const FRM_CKey& key);
    void ClickOnEntry(const FRM_CPoint& point);
    void SpellingHelp();

protected:
    RefDoc* itsDocument;                 // not owned
    EntryPainter* itsPainter;            // the main window's
    ScrollViewWin* itsEntryPane = nullptr;
    Kind itsKind = kBasic;
    FRM_NListButton* itsChooser = nullptr;
    FRM_NEditControl* itsField = nullptr;
    FRM_NButton* itsSearchButton = nullptr;
    FRM_NButton* itsClearButton = nullptr;
    FRM_NButton* itsSpellingButton = nullptr;
    FRM_CButton* itsPreviousListButton = nullptr;
    FRM_CButton* itsNextListButton = nullptr;
    FRM_CButton* itsPrintResultsButton = nullptr;
    FRM_CButton* itsPrintEntryButton = nullptr;
    FRM_NText* itsFirstLabel = nullptr;
    FRM_NText* itsSecondLabel = nullptr;
    KQListBox* itsHitList = nullptr;
    // A results list sent while the page was hidden, listed when it is seen, and the line
    // to select in it then (-1: none). A long search fills only the list in front.
    mutable SharedLines itsKeptLines;
    mutable int itsKeptSelection = -1;
    SearchNotebook* itsNotebook;              // the notebook whose face the page is on
    std::string itsPopUpWord;                 // the word of the last right click
    std::vector<std::pair<const FRM_CView*, int>> itsHelpTexts;  // control, string id
};
