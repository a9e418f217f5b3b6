// main_ref_win.h: MainRefWin, the main reference window of a reference document, made by the
// window factory: the program's menu bar; along the top the previous and next entry buttons,
// the reference selector and the logo; the search page in the middle, whose entry pane the
// window's entry painter draws into; the status bar with the result count and a help line.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/id_data.h"
#include "frm/core/ccommand.h"
#include "frm/views/cwindow.h"

class EntryPainter;
class FRM_CButton;
class FRM_NListButton;
class FRM_NNotebook;
class FRM_NText;
class SearchNotebook;
class SearchPageWin;
class RefDoc;
struct WindowRequest;

class MainRefWin : public FRM_CWindow {
public:
    static constexpr long kCmdClose = 5;
    static constexpr long kCmdDrawEntry = 32;       // lays the entry shown out and draws it again
    static constexpr long kCmdPrefsApplied = 69;    // the preferences window applied a change
    static constexpr long kCmdReferenceChosen = 95;
    static constexpr long kCmdNextEntry = 98;
    static constexpr long kCmdPreviousEntry = 99;
    // Whether the entry history has a next and a previous entry and any at all: the entry
    // buttons and menu items follow it (sent without one: none of them).
    struct EntryMoves {
        bool next;
        bool previous;
        bool any;
    };
    // The entry drawn again in full; 1003 fills the reference selector again first.
    static constexpr long kCmdRedrawEntry = 1002;
    static constexpr long kCmdRefreshAll = 1003;
    // Selects the preferred reference, search page and search type (a new window's start).
    static constexpr long kCmdShowCurrentReference = 135;
    static constexpr long kCmdEntryMenus = 1007; // without a payload: the menu bar redrawn
    // The histories' commands 118 to 121 and 123 are passed on to the search notebook, with
    // their payloads as the notebook reads them.

    // The commands with a payload, each sent and read only as its type.
    using CmdStatusHelp = FRM_TCommand<61, const FRM_CPoint>; // a point in the window
    using CmdEntryMoves = FRM_TCommand<100, const EntryMoves>;
    using CmdSelectReference = FRM_TCommand<101, const long>; // a position, -1 the current
    using CmdLookUp = FRM_TCommand<131, const std::string>;   // searched on the front page
    // Whether "Clear", "Copy Word" and the illustration's and the table's print items are
    // enabled.
    using CmdEntryMenusOn = FRM_TCommand<kCmdEntryMenus, const std::int32_t[4]>;
    // A new window going on from another: takes over the other window's histories,
    // switches to the request's reference and searches its text.
    using CmdRunRequest = FRM_TCommand<1006, const WindowRequest>;
    // The smallest height the window is sized to.
    static constexpr int kMinimumHeight = 500;
    // The search page's place: below the top row of controls.
    static constexpr float kPageTop = 50;

    // The factory's constructor; document is the window's RefDoc.
    MainRefWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
               long attributes, e_win_type type, int menuBarId, WINDOW parent);
    ~MainRefWin() override;

    // The pages of the search notebook, in tab order: basic, advanced, browse.
    static constexpr int kPageCount = 3;
    SearchPageWin* GetBasicPage() const;
    SearchPageWin* GetPage(int index) const;
    // The page in front, and bringing page index (0 basic, 1 advanced, 2 browse) there.
    SearchPageWin* GetFrontPage() const;
    SearchPageWin* ShowPage(int index);
    SearchNotebook* GetNotebook() const { return itsNotebook; }
    // The notebook brought another page to the front.
    void FrontPageChanged();
    // The entry painter that draws the chosen entry into the page's entry pane.
    EntryPainter& GetPainter() const { return *itsPainter; }
    const MainRefWinIDData& GetIDData() const { return itsIDData; }
    // Enables the previous and next entry buttons.
    void ShowEntryMoves(bool previous, bool next);
    // Enables Print > Entry Text while an entry is shown and Print > Results List while the
    // front page lists hits; Edit > Clear follows too.
    void UpdatePrintItems();
    // Enables Edit > Clear while there is something to clear: an entry shown, or a page with
    // a word typed, a query built or hits listed.
    void UpdateClearItem();
    // Switches to the dictionary at position among the application's descriptions, unless
    // it is open already (-1: none).
    void SwitchReference(int position);
    // The result count of the status bar's first field, and the help line of its second.
    void ShowCount(const std::string& text);
    std::string GetCountText() const;
    void ShowHelpLine(const std::string& text);
    std::string GetHelpLine() const;
    // Tells in the help line where a print job wrote its file; the line stays until the
    // pointer reaches a part of the window with another help line.
    void ShowPrinted(const std::string& file);
    // The reference selector's chosen name ("" when none).
    std::string GetReferenceName() const;
    // The smallest frame the window takes: at least as wide as the reference selector and
    // the control after it reach, and kMinimumHeight high.
    void MinimumSize(int* width, int* height) const;
    // Takes the application's preferences: the pages' colours, the entry painter's colours
    // and text size, and the entry drawn again with them.
    void ApplyPreferences();
    // Every open main window (this one too) takes the application's preferences.
    void ApplyPreferencesEverywhere();

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;
    void DoMouseDown(FRM_CPoint point, short button, short isShift, short isControl) override;
    // The status line follows the pointer.
    void DoMouseMove(FRM_CPoint point, short button, short isShift, short isControl) override;
    void DoKey(const FRM_CKey& key) override;
    void Draw(const FRM_CRect& area) override;
    void UpdateMenus(FRM_CMenuBar* menuBar) override;
    void SizeWindow(int width, int height) override;
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    // Closes the document's other windows first; stays open when one of them refuses, or,
    // for the last main window, when the user keeps the program open over bookmarks it
    // cannot write.
    short Close() override;

private:
    void FillReferenceSelector();
    void ShowPreferredSearch();
    // Opens the dictionary the selector names; true when another one was opened.
    bool ChooseReference();
    void CopyText(const std::string& text);
    // Edit > Copy: the entry's selected text, as UTF-8 for other programs.
    void CopySelection();
    void PasteText();
    void NameNoEntryInWindowMenu();
    void PopUpHistory(bool forward, const FRM_CPoint& point);
    void PrintEntry();
    void PrintResults();
    // What the commands and menu items do (DoCommand's and DoMenuCommand's tables).
    void ShowEntryMovesOf(const EntryMoves* moves);
    void ShowStatusHelp(const FRM_CPoint& point);
    void SelectReference(long position);
    void EnableEntryMenus(const std::int32_t* on);
    void RunRequest(const WindowRequest& request);
    static void ToNotebook(MainRefWin& window, long command, void* data);
    void ClearAll();
    void CopyCurrentWord();
    void OpenPopUpWordInNewWindow();
    void OpenPreferences();
    void OrganizeBookmarks();
    void Exit();
    void SelectAllOfEntry();

    RefDoc* itsDocument;
    MainRefWinIDData itsIDData;
    std::unique_ptr<EntryPainter> itsPainter;
    SearchNotebook* itsNotebook = nullptr;            // the view tree's; holds the pages
    int itsFrontPage = 0;
    std::string itsPointerHelp;                       // the help line of the part last pointed at
};
