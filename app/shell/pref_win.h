// pref_win.h: PrefWin, the "Preferences" window of the preferences document, with its three
// pages: Appearance (definition colours, text size, whether result lists use them),
// Reference (the dictionary new windows open) and Browse Search (the search mode and type
// new windows start with). The pages show the document's working record; OK and Apply copy
// the controls into it and hand it to the document (command 10013), which writes it. A
// change marks the document changed and enables OK and Apply. The window factory makes it
// (element 1016) with its OK, Cancel and Apply buttons.
#pragma once
#include <array>
#include <cstdint>

#include "app/settings/prefs.h"
#include "app/shell/close_soon.h"
#include "app/shell/id_data.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"

class FRM_CRectangle;
class FRM_NButton;
class FRM_NCheckBox;
class FRM_NEditControl;
class FRM_NListButton;
class FRM_NNotebook;
class PrefWin;

// What a page of the window has in common: it shows a record, copies its controls into
// one, and marks the document changed when the user changes a control. A page fills the
// face of its notebook tab (enclosure); commands it does not take go to the window.
class PrefPage : public FRM_CSubview {
public:
    PrefPage(PrefWin* window, FRM_CSubview* enclosure, const FRM_CRect& frame,
             long restoreCommand);

    virtual void ShowPrefs(const Prefs& prefs) = 0;
    // Copies the page's controls into prefs (the fields the page edits; a list without a
    // selection leaves its field as it was).
    virtual void ApplyTo(Prefs& prefs) const = 0;

    FRM_NButton* GetRestoreButton() const { return itsRestore; }

    // FRM_CSubview: command 10013 copies the controls into the window's working record.
    void DoCommand(long command, void* data) override;
    // The page is white under its controls (the notebook's face is not).
    void Draw(const FRM_CRect& area) override;

protected:
    // The "Restore Defaults" button, made after the page's other controls: it lies on the
    // rectangles their drop-down lists reserve, so it must be above them.
    void AddRestoreButton();
    void MarkChanged();
    PrefWin* itsWindow;

private:
    long itsRestoreCommand;
    FRM_NButton* itsRestore = nullptr;
};

class AppearancePage : public PrefPage {
public:
    static constexpr long kCmdBackColor = 10001;
    static constexpr long kCmdTextColor = 10002;
    static constexpr long kCmdSize = 10003;
    static constexpr long kCmdInResults = 10004;
    static constexpr long kCmdNotInResults = 10005;
    static constexpr long kCmdRestore = 10006;

    AppearancePage(PrefWin* window, FRM_CSubview* enclosure, const FRM_CRect& frame);

    void ShowPrefs(const Prefs& prefs) override;
    void ApplyTo(Prefs& prefs) const override;
    void DoCommand(long command, void* data) override;

    std::uint32_t BackColor() const { return itsBackColor; }
    std::uint32_t TextColor() const { return itsTextColor; }
    FRM_NListButton* GetSizeList() const { return itsSizes; }
    FRM_NCheckBox* GetInResults() const { return itsInResults; }
    FRM_NEditControl* GetSample() const { return itsSample; }

private:
    void ChooseColor(std::uint32_t* color, FRM_CRectangle* swatch);
    void PaintSwatch(FRM_CRectangle* swatch, std::uint32_t color);
    void UpdateSample();

    std::uint32_t itsBackColor = 0;
    std::uint32_t itsTextColor = 0;
    FRM_CRectangle* itsBackSwatch = nullptr;
    FRM_CRectangle* itsTextSwatch = nullptr;
    FRM_NListButton* itsSizes = nullptr;
    FRM_NEditControl* itsSample = nullptr;
    FRM_NCheckBox* itsInResults = nullptr;
};

class ReferencePage : public PrefPage {
public:
    static constexpr long kCmdChosen = 10007;
    static constexpr long kCmdRestore = 10008;

    ReferencePage(PrefWin* window, FRM_CSubview* enclosure, const FRM_CRect& frame);

    void ShowPrefs(const Prefs& prefs) override;
    void ApplyTo(Prefs& prefs) const override;
    void DoCommand(long command, void* data) override;
    FRM_NListButton* GetList() const { return itsList; }

private:
    FRM_NListButton* itsList = nullptr;
};

class BrowseSearchPage : public PrefPage {
public:
    static constexpr long kCmdMode = 10009;
    static constexpr long kCmdType = 10010;
    static constexpr long kCmdRestore = 10011;

    BrowseSearchPage(PrefWin* window, FRM_CSubview* enclosure, const FRM_CRect& frame);

    void ShowPrefs(const Prefs& prefs) override;
    void ApplyTo(Prefs& prefs) const override;
    void DoCommand(long command, void* data) override;
    FRM_NListButton* GetModeList() const { return itsModes; }
    FRM_NListButton* GetTypeList() const { return itsTypes; }

private:
    // Fills the type list for prefs' mode and reference and selects prefs' type (the last
    // one when it is beyond the list).
    void FillTypes(const Prefs& prefs);

    FRM_NListButton* itsModes = nullptr;
    FRM_NListButton* itsTypes = nullptr;
};

class PrefWin : public FRM_CWindow {
public:
    static constexpr long kCmdOk = 10012;
    static constexpr long kCmdApply = 10013;
    static constexpr long kCmdCancel = 10014;
    static constexpr long kCmdPrefsApplied = 69;
    enum Page { kAppearance = 0, kReference = 1, kBrowseSearch = 2 };

    // The factory's constructor. The pages show the working record of the preferences
    // document (UserInfoDoc); the document answers command 10013 by taking it, and clears
    // its changed flag when it could.
    PrefWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
            long attributes, e_win_type type, int menuBarId, WINDOW parent);

    // Apply sends command 69 to this window (none: nobody is told).
    void SetNotifyWindow(FRM_CWindow* window) { itsNotifyWindow = window; }
    // Enables OK and Apply when on is non-zero, disables them otherwise.
    void EnableApply(short on);
    // Every page copies its controls into the working record; then the document takes it.
    // Answers false when the document could not save it (nothing is told yet).
    bool ApplyAll();
    // ApplyAll, telling the user in a warning why a save failed.
    void ApplyOrTell();
    // Marks the document changed and enables OK and Apply.
    void MarkChanged();

    Prefs& Working() { return *itsWorking; }
    PrefPage* GetPage(Page page) const { return itsPages[page]; }
    // The notebook's front page, and bringing a page there (as a click on its tab does).
    Page GetFrontPage() const;
    void ShowPage(Page page);
    FRM_NNotebook* GetNotebook() const { return itsNotebook; }
    FRM_NButton* GetOkButton() const { return itsOk; }
    FRM_NButton* GetApplyButton() const { return itsApply; }
    FRM_NButton* GetCancelButton() const;

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;
    // Escape cancels the window, whichever of its controls has the focus.
    void DoKey(const FRM_CKey& key) override;
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    // Asks whether to save unapplied changes first; stays open on "Cancel" or while the
    // document still needs saving.
    short Close() override;
    void DoTimer(long timerId) override;
    ~PrefWin() override;

private:
    PrefWinIDData itsIDData;
    Prefs itsOwnRecord;   // the working record when the document keeps none
    Prefs* itsWorking = &itsOwnRecord;
    FRM_CWindow* itsNotifyWindow = nullptr;
    FRM_NNotebook* itsNotebook = nullptr;  // the view tree's; one tab and face per page
    std::array<PrefPage*, 3> itsPages{};   // on the notebook's faces
    CloseSoon itsClose; // OK and Cancel close on the next tick, not inside their click
    FRM_NButton* itsOk = nullptr;
    FRM_NButton* itsApply = nullptr;
};
