// cglblcls.h: FRM_CGlobalClassLib, the one registry through which framework objects reach
// the process-wide singletons: the application, the desktop, the managers (factories,
// resources, controllers, printing, navigation), the task and hidden windows, the view being
// redrawn and the shared constants. The application creates it and reaches it everywhere
// through FRM_CObjectRWC::GetG. It owns the managers and constants, never the application
// or the hidden window.
#pragma once

#include <cstdint>
#include <memory>

#include "frm/core/cboss.h"
#include "frm/core/crect.h"
#include "frm/core/cstringrw.h"

class FRM_CApplication;
class FRM_CControllerMgr;
class FRM_CDesktop;
class FRM_CFont;
class FRM_CFactoryMgr;
class FRM_CMenuItem;
class FRM_CNavigatorManager;
class FRM_CPrintMgr;
class FRM_CRegion;
class FRM_CResourceMgr;
class FRM_CView;
class FRM_CWindow;

// The program's own global state hangs on a subclass of this, handed to the application
// (IApplication) and reached through FRM_CObjectRWC::GetGU; the shut-down deletes it.
class FRM_CGlobalUser : public FRM_CNotifier {
    FRM_TYPE_INFO(CGlobalUser)
    FRM_CGlobalUser() = default;
    FRM_CGlobalUser(const FRM_CGlobalUser&) = default;
    FRM_CGlobalUser& operator=(const FRM_CGlobalUser&) = default;
    ~FRM_CGlobalUser() override = default;
};

class FRM_CGlobalClassLib : public FRM_CNotifier {
    FRM_TYPE_INFO(CGlobalClassLib)
public:
    static constexpr std::int32_t kFirstId = 20010;

    // Creates the factory manager and the shared constants; the other managers come with
    // CreateFactoryObjects once the factories are installed.
    explicit FRM_CGlobalClassLib(FRM_CApplication* application);
    FRM_CGlobalClassLib(const FRM_CGlobalClassLib&) = delete;
    FRM_CGlobalClassLib& operator=(const FRM_CGlobalClassLib&) = delete;
    ~FRM_CGlobalClassLib() override;

    // Asks the application factory for the print manager, desktop, resource manager and
    // controller manager.
    void CreateFactoryObjects();

    FRM_CDesktop* GetDesktop() const { return itsDesktop.get(); }
    // Null is fatal 500; the new desktop takes over the old one's windows.
    void SetDesktop(FRM_CDesktop* desktop);
    FRM_CPrintMgr* GetPrintMgr() const { return itsPrintMgr.get(); }
    // Null is fatal 501.
    void SetPrintMgr(FRM_CPrintMgr* manager);
    FRM_CApplication* GetApplication() const { return itsApplication; }
    FRM_CResourceMgr* GetResourceMgr() const { return itsResourceMgr.get(); }
    FRM_CControllerMgr* GetControllerMgr() const { return itsControllerMgr.get(); }
    FRM_CFactoryMgr* GetFactoryMgr() const { return itsFactoryMgr.get(); }
    // Made on first use.
    FRM_CNavigatorManager* GetNavigatorManager();

    short IsTerminating() const { return itIsTerminating; }
    void SetTerminate(short terminating) { itIsTerminating = terminating; }
    // 20010 first, then one more on each call.
    std::int32_t GetId() { return itsNextId++; }

    // The framework window of the toolkit's task window; null before it exists.
    FRM_CWindow* GetTaskWin() const;
    // A hidden window of the task document, made on first use (no task document: fatal 0).
    FRM_CWindow* GetHiddenWindow();
    FRM_CView* GetUpdateView() const { return itsUpdateView; }
    void SetUpdateView(FRM_CView* view) { itsUpdateView = view; }

    const FRM_CFont& GetSTDFont() const { return *itsStdFont; }
    const FRM_CMenuItem& GetMENUSeparator() const { return *itsMenuSeparator; }
    const FRM_CRect& GetMAXRect() const { return itsMaxRect; }
    const FRM_CRegion& GetNULLCRegion() const { return *itsNullRegion; }
    const FRM_CStringRW& GetNULLString() const { return itsNullString; }

private:
    std::unique_ptr<FRM_CDesktop> itsDesktop;
    std::unique_ptr<FRM_CPrintMgr> itsPrintMgr;
    FRM_CApplication* itsApplication;                   // not owned
    std::unique_ptr<FRM_CResourceMgr> itsResourceMgr;
    std::unique_ptr<FRM_CControllerMgr> itsControllerMgr;
    FRM_CWindow* itsHiddenWindow = nullptr;             // not deleted by the library
    FRM_CView* itsUpdateView = nullptr;                 // not owned
    std::unique_ptr<FRM_CFactoryMgr> itsFactoryMgr;
    std::unique_ptr<FRM_CNavigatorManager> itsNavigatorManager;
    std::unique_ptr<FRM_CFont> itsStdFont;
    std::unique_ptr<FRM_CMenuItem> itsMenuSeparator;
    FRM_CRect itsMaxRect;
    std::unique_ptr<FRM_CRegion> itsNullRegion;
    FRM_CStringRW itsNullString;
    short itIsTerminating = 0;
    std::int32_t itsNextId = kFirstId;
};
