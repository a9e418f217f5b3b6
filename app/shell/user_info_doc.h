// user_info_doc.h: UserInfoDoc, the application's document of what belongs to the user and
// not to a dictionary: the preferences window and the bookmark organiser, made by the window
// factory and run modally on demand. It keeps a working copy of the preferences while they
// are edited and writes the preferences file when they are applied.
#pragma once
#include <cstdint>
#include <string>

#include "app/settings/prefs.h"
#include "app/shell/id_data.h"
#include "app/shell/open_file.h"
#include "frm/core/ccommand.h"
#include "frm/runtime/cdocumnt.h"

class FRM_CWindow;

class UserInfoDoc : public FRM_CDocument {
public:
    static constexpr long kCmdApply = 10013;
    // The preferences window opens; it tells the window that asked when a change is applied
    // (sent without one: nobody).
    using CmdPreferences = FRM_TCommand<10015, FRM_CWindow>;
    // The bookmark organiser opens; a bookmark opened in it is shown in the window that
    // asked (sent without one: the front window).
    using CmdOrganizeBookmarks = FRM_TCommand<11006, FRM_CWindow>;

    // Copies the application's preferences into the working copy.
    UserInfoDoc(FRM_CApplication* application, std::int32_t id);
    ~UserInfoDoc() override;

    Prefs& GetWorkingPrefs() { return itsWorkingPrefs; }
    // Marks the working copy changed (or not: saved or discarded): the document's save flag,
    // which the preferences window reads for its Apply button.
    void SetModified(short changed);
    // True while the working copy holds changes whose last save failed.
    bool SaveFailed() const { return itsSaveFailed && NeedsSaving() != 0; }
    // Writes the working copy to the preferences file and makes it the program's; false,
    // keeping everything as it was and telling nothing, when the write failed.
    bool Apply();
    // The message of the last failed save: the file and why.
    std::string SaveFailureText() const;
    // Set by the bookmark organiser when the user picked a bookmark to go to: once the
    // organiser is closed, tag goes to the window that asked as a menu command.
    void SetPendingBookmark(short tag);
    FRM_CWindow* GetPreferencesWindow() const { return itsPreferencesWindow; }
    FRM_CWindow* GetBookmarkWindow() const { return itsBookmarkWindow; }

    // FRM_CDocument
    void BuildWindow() override;
    // Asks for a file ("Enter a new file to open:"); with one that can be read, the
    // document's windows. 0 when none was chosen.
    short DoOpen() override;
    // The document's file is the preferences file: saving applies the working copy (1 when
    // it was written; otherwise it stays modified).
    short DoSave() override;
    void RemoveWindow(FRM_CWindow* window) override;
    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;

private:
    // Makes window id of the layout into slot; null when it is open already (its own modal
    // loop is running) or cannot be made.
    FRM_CWindow* MakeWindow(std::int32_t id, FRM_CWindow** slot);
    // Apply, telling the user in a warning when the write failed.
    void ApplyOrTell();
    static FRM_CWindow* FrontWindow();
    // True while window is one of the program's main windows.
    static bool IsMainWindow(const FRM_CWindow* window);

    UserInfoDocIDData itsIDData;
    Prefs itsWorkingPrefs;
    FRM_CWindow* itsPreferencesWindow = nullptr;  // while it is open
    FRM_CWindow* itsBookmarkWindow = nullptr;     // while it is open
    bool itHasPendingBookmark = false;
    short itsPendingTag = 0;
    bool itsSaveFailed = false;  // the last write of the preferences file failed
    std::string itsSaveProblem;  // and why
    OpenFileSpec itsOpenFile;
};
