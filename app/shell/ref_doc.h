// ref_doc.h: RefDoc, the reference document: one open dictionary (its description and the
// entry formatter over its data set) and its main reference window. The searches of the
// window's pages run through it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/display/entry_key_table.h"
#include "app/shell/id_data.h"
#include "frm/core/ccommand.h"
#include "app/shell/open_file.h"
#include "frm/runtime/cdocumnt.h"

class configDict;
class EntryPainter;
class FRM_CView;
class Prefs;
class KQedApp;
class MainRefWin;
class RWOrdered;
struct SearchRequest;
class WordItem;

// What a new main window goes on from: the window whose histories and front page it takes
// over (null: none), the reference it searches in ("": the one open) and the text it
// searches there ("": none).
struct WindowRequest {
    MainRefWin* from = nullptr;
    std::string reference;
    std::string text;
};

class RefDoc : public FRM_CDocument {
public:
    // The factory's constructor: opens the dictionary the application prefers (the one its
    // preferences name, else the first description); with none the document stays closed.
    RefDoc(FRM_CApplication* application, std::int32_t id);
    ~RefDoc() override;

    bool IsOpen() const { return itIsOpen; }
    const configDict* GetDescription() const { return itsDescription; }
    EntryKeyTable& GetKeyTable() { return itsKeyTable; }
    MainRefWin* GetMainWindow() const { return itsMainWindow; }
    // The open dictionary's place among the application's descriptions; -1 for none.
    int GetReferencePosition() const;
    // The application's preferences, which the document's windows show; null without an
    // application.
    const Prefs* GetPrefs() const;
    // The names of the application's dictionaries, in the order of their descriptions.
    std::vector<std::string> GetReferenceNames() const;

    // Makes the document's main window on the preferred search page and type, shows it and
    // lists it in the Window menu; with a request, the window goes on from it.
    void OpenMainWindow(const WindowRequest* request);

    // Command 87, data a SearchRequest*: the document notes its dictionary in the request
    // and runs it in a search status window. With hits the window hands the request back
    // as command 88, and the document gives it to the request's notebook, which lists the
    // hits on every page and shows the first one's entry; without, the request keeps no
    // hits (and, unless quiet, the user was told).
    using CmdSearch = FRM_TCommand<87, SearchRequest>;
    using CmdSearchFound = FRM_TCommand<88, SearchRequest>;

    // Command 82, data a SearchRequest*: the spelling-help window shows the words that
    // sound like the request's text ("code=word" under that index code) for the user to
    // pick one; what the user confirms replaces the text (empty when cancelled), and a
    // coded pick empties the code, so that it runs as written.
    using CmdSpellingHelp = FRM_TCommand<82, SearchRequest>;

    // Command 103, data an EntryToShow*: the entry of word is formatted into painter, with
    // highlights marked; the main window's menus follow (it can be cleared and its word
    // copied, nothing of it is selected) and the Window menu names the entry.
    struct EntryToShow {
        const WordItem* word;
        const std::vector<std::string>* highlights;
        EntryPainter* painter;
    };
    using CmdShowEntry = FRM_TCommand<103, const EntryToShow>;
    // Command 108, data a HistoryRequest*: the history window lists names (the entries
    // viewed, in order) and writes the 1-based position the user picks; cancelled, the
    // position stays as it came.
    struct HistoryRequest {
        std::vector<std::string> names;
        std::int32_t position = 0;
    };
    using CmdHistoryWindow = FRM_TCommand<108, HistoryRequest>;

    // Commands 111 and 112: the illustration or the table of the entry shown, in a new
    // window, or in the one that shows it already, brought to the front. A word clicked in
    // the illustration's caption goes back to the view that asked for it; the table has
    // nobody to answer.
    using CmdShowIllustration = FRM_TCommand<111, FRM_CView>;
    using CmdShowTable = FRM_TCommand<112>;
    // Looked up in the document's main windows.
    using CmdLookUp = FRM_TCommand<131, const std::string>;

    // Opens the dictionary described under name instead of the one open; false (and the one
    // open stays) when there is no such description or it cannot be opened.
    bool OpenReference(const std::string& name);
    // Why the last OpenReference could not open its dictionary, naming the file ("" when
    // it opened, or there was no such description).
    const std::string& GetOpenProblem() const { return itsOpenProblem; }
    // Tells, once a run for each dictionary, which of the picture, table and sound sets its
    // description names cannot be opened, naming their files.
    void TellMediaSetProblems();

    // Looks the clipboard's text up in the main window's basic page.
    void LookUpClipboard();

    // FRM_CDocument
    void BuildWindow() override;
    // Asks for a file ("Enter a new file to open:"); with one that can be read, a main
    // window. 0 when none was opened.
    short DoOpen() override;
    void RemoveWindow(FRM_CWindow* window) override;
    void DoCommand(long command, void* data) override;

private:
    // A table or illustration window just shown comes to the front with the keys.
    void BringForward(FRM_CWindow& window);
    // The window that shows the entry's illustration or table already comes to the front;
    // false when none does.
    bool BringShownReferenceForward();
    // A new window shows the entry's illustration or table.
    void NoteShownReference(FRM_CWindow& window);
    void RunSearch(SearchRequest* request);
    void ShowEntry(const EntryToShow& shown);

    const configDict* itsDescription = nullptr;  // the application's
    RefDocIDData itsIDData;
    EntryKeyTable itsKeyTable;
    MainRefWin* itsMainWindow = nullptr;         // the framework's
    // The open illustration and table windows, each with what it shows (ReferenceShown).
    std::vector<std::pair<FRM_CWindow*, std::string>> itsReferenceWindows;
    OpenFileSpec itsOpenFile;
    std::string itsOpenProblem;
    bool itIsOpen = false;
};
