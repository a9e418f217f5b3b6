// cdocumnt.h: FRM_CDocument, the boss between the application and its windows: it keeps
// its windows, optionally an environment of its own, a file specification and a changed
// flag, and answers close, save, save-as, open, print and page set-up with the standard
// prompts. Commands it does not handle go up to the application. FRM_CTaskDoc owns the task
// window (FRM_CTaskWin, in the views). A document owns its window list, not the windows (a window's
// Close removes it).
#pragma once

#include <memory>

#include "frm/core/cboss.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/ordered.h"

class FRM_CApplication;
class FRM_CEnvironment;
class FRM_CKey;
class FRM_CMenuBar;
class FRM_CWindow;

class FRM_CDocument : public FRM_CBoss {
    FRM_TYPE_INFO(CDocument)
public:
    // Registers itself with the application.
    FRM_CDocument(FRM_CApplication* application, std::int32_t id);
    FRM_CDocument(const FRM_CDocument& other);
    FRM_CDocument& operator=(const FRM_CDocument&) = delete;
    // Closes every window and leaves the application's list.
    ~FRM_CDocument() override;

    short NeedsSaving() const { return itIsChanged; }
    // A changed flag that changes refreshes every window's menus.
    void SetSave(short changed);

    virtual short IsEnvironmentShared() const { return itsEnvironment ? 0 : 1; }
    // The document's own environment, else the application's.
    virtual const FRM_CEnvironment* GetEnvironment() const;
    // shared 0: take an own copy (null: share the application's again); the windows that
    // share follow.
    virtual void SetEnvironment(const FRM_CEnvironment* environment, short shared);
    virtual void DoSetEnvironment(const FRM_CEnvironment* environment, short shared);
    virtual s_printrcd* GetPrintRecord();
    virtual void BuildWindow() = 0;
    // Closes the windows, the last first, until none is left or one stays.
    virtual void CloseAll();
    virtual FRM_CWindow* FindWindow(std::int32_t id) const;
    virtual void DoKey(const FRM_CKey& key);
    // Asks to save a changed document; 1 when it closed.
    virtual short DoClose();
    virtual short DoPageSetUp();
    virtual short DoPrint();
    virtual short DoOpen();
    virtual short DoSave();
    virtual short DoSaveAs();
    virtual short DoNew();
    virtual void UpdateMenus(FRM_CMenuBar* menuBar);
    // Asked before a window closes: the last window of a changed document asks to save.
    virtual short CloseWindow(FRM_CWindow* window);
    virtual void RemoveWindow(FRM_CWindow* window);
    // Null is fatal 300; a window added again moves to the end.
    virtual void AddWindow(FRM_CWindow* window);

    int GetNumWindows() const { return static_cast<int>(itsWindows.entries()); }
    const RWOrdered& GetWindows() const { return itsWindows; }
    FRM_CApplication* GetApplication() const { return itsApplication; }
    const s_file_spec* GetFileSpec() const { return itsFileSpec.get(); }

    // FRM_CBoss
    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;
    void ChangeFont(FRM_CFont* font) override;
    void DoTimer(long timerId) override;
    void DoUser(long id, void* data) override;
    RWOrdered* GetSubObjects() const override;
    FRM_CUnits* GetUnits() const override;

protected:
    // A file specification exists afterwards (empty name, default directory).
    void EnsureFileSpec();
    // The save prompt with the buttons "Save", "Discard" and "Cancel": answers 0, 1 or 2.
    std::int32_t AskToSave() const;

private:
    RWOrdered itsWindows; // not owning the windows
    std::unique_ptr<s_file_spec> itsFileSpec;
    std::unique_ptr<FRM_CEnvironment> itsEnvironment;
    FRM_CApplication* itsApplication;
    short itIsChanged = 0;
};

class FRM_CTaskDoc : public FRM_CDocument {
    FRM_TYPE_INFO(CTaskDoc)
public:
    FRM_CTaskDoc(FRM_CApplication* application, std::int32_t id)
        : FRM_CDocument(application, id) {}
    // Wraps the base library's task window in a FRM_CTaskWin.
    void BuildWindow() override;
};

