// kq_app.h: KQedApp, TavlinCD's application. It reads the preferences ("Pref.kq") and the
// dictionary descriptions ("*.dct") of the working directory at start-up, opens the first
// reference document, keeps the Window menu of the open reference windows, quits shortly
// after the last reference document is gone, and answers the application's menu items
// (new window, web pages, about box).
//
// Start-up, in order: the framework's start-up; the preferences (a missing file keeps the
// defaults); the descriptions (those the program cannot use are left out, and one warning
// names their files); the first reference document and its main window; the
// started flag; with a command-line argument, a look-up of the clipboard's word.
#pragma once
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/settings/prefs.h"
#include "app/shell/help_keeper.h"
#include "app/shell/id_data.h"
#include "frm/core/ccmdnums.h"
#include "frm/core/ccommand.h"
#include "frm/runtime/capplctn.h"
#include "vkocoll/ordered.h"

class BookmarkStore;
class configDict;
class FRM_CWindow;
class RefDoc;
class SplashWin;
struct WindowRequest;

class KQedApp : public FRM_CApplication {
public:
    // Commands the application answers.
    static constexpr long kCmdBookmarksChanged = 62;
    static constexpr long kCmdLookUpClipboard = 131;
    static constexpr long kCmdRebuildWindowMenus = 132;
    static constexpr long kCmdHistoryHelp = 7006;
    static constexpr long kCmdSpellingHelp = 9003;
    static constexpr long kCmdBookmarkHelp = 11004;
    static constexpr long kCmdDeferredQuit = 1005;
    // The first Window-menu item of a registered window: 11500 + its place, from 1.
    static constexpr short kWindowItemBase = 11500;

    // Command 133's record: the window and the text its Window-menu item shows after its
    // title.
    struct WindowTitle {
        FRM_CWindow* window;
        const char* text;
    };
    // The commands with a payload, each sent and read only as its type.
    // The window after it (of the registered windows and their tables and illustrations)
    // comes to the front.
    using CmdNextWindow = FRM_TCommand<70, FRM_CWindow>;
    using CmdRegisterWindow = FRM_TCommand<71, FRM_CWindow>;
    using CmdUnregisterWindow = FRM_TCommand<72, FRM_CWindow>;
    // The preferences window opens; it tells the payload when a change is applied (sent
    // without one: nobody).
    using CmdPreferences = FRM_TCommand<68, FRM_CWindow>;
    using CmdRetitleWindow = FRM_TCommand<133, const WindowTitle>;
    using CmdShowWindow = FRM_TCommand<134, const long>;  // the place in the list, from 1
    // The document goes once the current event is over.
    using CmdDeferredDelete = FRM_TCommand<1004, FRM_CDocument>;

    // commandLine: the program was started with an argument (look up the clipboard's word
    // once started).
    explicit KQedApp(bool commandLine = false);
    ~KQedApp() override;

    // The running application, or null.
    static KQedApp* Instance();
    // Forgets the running application and a damaged dictionary already reported, as at
    // start (tests).
    static void ResetForTests();

    Prefs& GetPrefs() { return itsPrefs; }
    // The documents made at start-up: task (none), user and first reference document.
    const KQedAppIDData& GetIDData() const { return itsIDData; }
    // The bookmarks, read from "BookMark.kq" when the application is made.
    BookmarkStore& GetBookmarks() { return *itsBookmarks; }
    const RWOrdered& GetDescriptions() const { return itsDescriptions; }
    // The description whose reference name is name, or null.
    const configDict* FindDescription(const std::string& name) const;
    // True the first time in this run that it is asked for name: a warning about a
    // dictionary's files is given once, not at every window opened on it.
    bool FirstTimeToldOf(const std::string& name) { return itsToldOf.insert(name).second; }
    // The description a new reference document opens: the one the preferences name, else
    // the first one. Null when there is none.
    const configDict* PreferredDescription() const;
    bool IsStarted() const { return itIsStarted; }
    // The splash window while it is open (start-up and "About This Product"), and its
    // destructor's report that it is gone.
    SplashWin* GetSplash() const { return itsSplash; }
    void SplashGone(const SplashWin* window);
    // Before the program ends, while its windows are still up: writes the bookmark changes
    // not yet written. When they cannot be, the user chooses between keeping the program
    // open (false: it must not end) and ending it without them (true, and not asked again
    // for this end).
    bool SaveBookmarksBeforeTheEnd();
    // Writes what has not reached the files yet: bookmark changes whose save failed, and
    // the user's preferences when they are waiting to be saved. True when all is saved.
    bool SaveUserData();
    // Whether the browser's open commands were all found at start-up.
    bool GetBrowserFound() const { return itsBrowserFound; }
    // Help, opened on first use; associations wait until it is open.
    HelpKeeper& GetHelp() { return itsHelp; }
    // The registered reference windows, in Window-menu order, and the current one (-1).
    const std::vector<FRM_CWindow*>& GetWindowList() const { return itsWindows; }
    int GetCurrentWindow() const { return itsCurrentWindow; }
    // Whether a search is running: deferred work waits until it is over.
    bool IsSearching() const { return itsSearchDepth > 0; }
    void BeginSearch() { ++itsSearchDepth; }
    void EndSearch();

    // A scripted run (the run command's without a display): once started, looks word up
    // in the first main window, writes that window to png as a PNG image, prints where,
    // and quits.
    void SetScriptedLookUp(const std::string& word, const std::string& png);

    // A new reference document with its main window; with a request, the window goes on
    // from it. 0 when the dictionary could not be opened (the program then ends).
    short OpenNewWindow(const WindowRequest* request);

    // FRM_CApplication
    void StartUp() override;
    void ShutDown() override;
    // Quitting (the system's quit): bookmark changes not yet written are written first;
    // when they cannot be, 0 (the program goes on) unless the user ends it without them.
    short DoClose() override;
    short DoNew() override;
    // A new reference document opened from a file the user chooses; 0 (and no document)
    // when none was opened.
    short DoOpen() override;
    void DoAboutBox() override;
    void DoMenuCommand(short tag, short shift, short control) override;
    void DoCommand(long command, void* data) override;
    void DoTimer(long timerId) override;
    void RemoveDocument(FRM_CDocument* document) override;

private:
    void RegisterWindow(FRM_CWindow* window);
    void UnregisterWindow(FRM_CWindow* window);
    void BringToFront(int index);
    // The windows Next Window goes through: each registered window, then the table and
    // illustration windows of its document that show.
    std::vector<FRM_CWindow*> NextWindowRing() const;
    void BringForward(FRM_CWindow* window);
    void RebuildWindowMenus();
    void OpenWebPage(int addressStringId);
    void DeleteDeferred();
    void ShowSplash();
    // Escape for a main window (or the title window) while the About box shows closes it,
    // and goes no further.
    static bool TitleWindowTakesEscape(WINDOW window, const EVENT& event);
    // Opens the reference document just made (the program ends when its dictionary
    // cannot be opened); false then.
    bool OpenReference(RefDoc* document, const WindowRequest* request = nullptr);
    void RunScriptedLookUp();

    KQedAppIDData itsIDData;
    HelpKeeper itsHelp;
    bool itsBrowserFound = false;
    std::set<std::string> itsToldOf;
    Prefs itsPrefs;
    std::unique_ptr<BookmarkStore> itsBookmarks;
    RWOrdered itsDescriptions;             // owned configDicts
    std::vector<FRM_CWindow*> itsWindows;  // not owned
    std::vector<std::string> itsItemTexts; // what each window's menu item shows after its title
    int itsCurrentWindow = -1;
    std::vector<FRM_CDocument*> itsDeferred;  // deleted on the next timer
    std::int32_t itsDeleteTimer = -1;
    std::int32_t itsQuitTimer = -1;
    bool itsQuitPending = false;           // asked for while a search ran
    bool itEndsWithoutBookmarks = false;   // the user chose to end with bookmarks unsaved
    int itsSearchDepth = 0;
    bool itIsStarted = false;
    SplashWin* itsSplash = nullptr;        // the framework's
    bool itIsAboutShown = false;           // itsSplash is the About box the user asked for
    bool itsCommandLine = false;
    std::string itsScriptedWord;
    std::string itsScriptedPng;
    std::int32_t itsScriptTimer = -1;
};
