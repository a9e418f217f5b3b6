// capplctn.h: FRM_CApplication, the root boss of a running program; exactly one exists.
// The program derives its application class, constructs it in main, calls Go and destroys
// it when Go returns. The application owns the global class library, the switchboard, the
// default factories, the document list, its environment and the print record. Start-up
// (when the task window exists) and shut-down (when it is destroyed) run in the order below.
//
// StartUp: collectables registered; instantiated; factories installed; managers made;
//   fonts realised; document list and environment made; task document and its window built;
//   menus set up.
// ShutDown: not instantiated; documents closed; list and environment deleted; global class
//   library and global user deleted; switchboard deleted; print record destroyed; fonts
//   destroyed; factories deleted.
#pragma once

#include <memory>

#include "frm/core/cboss.h"
#include "vkocoll/ordered.h"
#include "vkobase/types.h"

class FRM_CDocument;
class FRM_CEnvironment;
class FRM_CFactoryMgr;
class FRM_CKey;
class FRM_CMenuBar;
class FRM_CSwitchBoard;
class CApplicationFactoryDefault;
class CPlatformFactoryDefault;
class CWin32PlatformFactory;
class CResourceFactoryDefault;
class CMenuFactoryDefault;
class CViewFactoryDefault;
class CWindowFactoryDefault;
class CValidatorFactoryDefault;

class FRM_CApplication : public FRM_CBoss {
    FRM_TYPE_INFO(CApplication)
public:
    // Standard menu tags.
    static constexpr short kMenuNew = 32001;
    static constexpr short kMenuOpen = 32002;
    static constexpr short kMenuClose = 32003;
    static constexpr short kMenuSave = 32004;
    static constexpr short kMenuSaveAs = 32005;
    static constexpr short kMenuPageSetUp = 32007;
    static constexpr short kMenuPrint = 32008;
    static constexpr short kMenuQuit = 32009;
    static constexpr short kMenuAbout = 32010;
    static constexpr std::int32_t kTaskDocId = 20002;

    // A second application is fatal 0. multiByte 1 marks the program's text as multibyte.
    explicit FRM_CApplication(short multiByte = 0);
    // Copying is fatal 1.
    FRM_CApplication(const FRM_CApplication& other);
    FRM_CApplication& operator=(const FRM_CApplication&) = delete;
    ~FRM_CApplication() override;

    // Stores the program's global user object (deleted at shut-down).
    short IApplication(FRM_CGlobalUser* globalUser);

    // Runs the program: the base library's event loop runs inside this call.
    virtual void Go(int argc, char** argv, short menuBarId, short aboutBoxId,
                    const char* baseName, const char* applicationName,
                    const char* taskWindowTitle);
    virtual void StartUp();
    virtual void ShutDown();
    virtual void DoAboutBox();
    // Whether the program may end: the desktop, then every document but the task document;
    // documents that agreed are deleted even when a later one refuses.
    virtual short DoClose();
    virtual short DoOpen() { return 1; }
    virtual short DoNew() { return 1; }
    // Without a print record, warns with string 32101 and answers 0.
    virtual short DoPageSetUp();
    // Prints every window of the desktop.
    virtual short DoPrint();
    virtual short DoSave();
    virtual short DoSaveAs() { return 1; }
    virtual void DoKey(const FRM_CKey&) {}
    virtual void SetUpMenus(FRM_CMenuBar*) {}
    virtual void UpdateMenus(FRM_CMenuBar*) {}
    virtual FRM_CDocument* FindDocument(std::int32_t id) const;
    // Deletes every document, the last first.
    virtual void CloseAll();
    virtual int GetNumDocuments() const;
    virtual RWOrdered* GetDocuments() const { return itsDocuments.get(); }
    virtual FRM_CEnvironment* GetEnvironment() const { return itsEnvironment.get(); }
    virtual void DoSetEnvironment(const FRM_CEnvironment* environment);
    // Null is fatal 4; sharing documents and their sharing windows follow.
    virtual void SetEnvironment(const FRM_CEnvironment* environment);
    // Made on first use.
    virtual s_printrcd* GetPrintRecord();
    // Null is fatal 3; a document added again moves to the end.
    virtual void AddDocument(FRM_CDocument* document);
    virtual void RemoveDocument(FRM_CDocument* document);
    virtual void RegisterRWCollectables();
    virtual void InstallFactories(FRM_CFactoryMgr* manager);

    // FRM_CBoss
    void DoMenuCommand(short tag, short shift, short control) override;
    void ChangeFont(FRM_CFont* font) override;
    void DoTimer(long) override {}
    void DoUser(long, void*) override {}
    RWOrdered* GetSubObjects() const override { return itsDocuments.get(); }

    static short IsInstantiated();
    static short IsMultiByte();
    FRM_CSwitchBoard* GetSwitchBoard() const { return itsSwitchBoard.get(); }

private:
    std::unique_ptr<RWOrdered> itsDocuments; // the documents delete themselves
    std::unique_ptr<FRM_CEnvironment> itsEnvironment;
    std::unique_ptr<FRM_CSwitchBoard> itsSwitchBoard;
    s_printrcd* itsPrintRecord = nullptr; // owned
    std::unique_ptr<CApplicationFactoryDefault> itsApplicationFactory;
    std::unique_ptr<CPlatformFactoryDefault> itsPlatformFactory;
    std::unique_ptr<CWin32PlatformFactory> itsWin32PlatformFactory;
    std::unique_ptr<CResourceFactoryDefault> itsResourceFactory;
    std::unique_ptr<CMenuFactoryDefault> itsMenuFactory;
    std::unique_ptr<CViewFactoryDefault> itsViewFactory;
    std::unique_ptr<CWindowFactoryDefault> itsWindowFactory;
    std::unique_ptr<CValidatorFactoryDefault> itsValidatorFactory;
    bool itsGlobalsOwned = false; // the global class library is this application's
};
