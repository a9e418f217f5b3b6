// capplctn.cpp: the application object: singleton, Go, start-up and shut-down, documents,
// environment, print record and the standard menu commands.
#include "frm/runtime/capplctn.h"

#include <cstring>
#include <vector>

#include "frm/controls/cvalidtr.h"
#include "frm/core/cvaluerwc.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/drawing/cprntmgr.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cwindow.h"

namespace {

constexpr char kModule[] = "capplctn";
constexpr long kErrSecondApplication = 0;
constexpr long kErrCopied = 1;
constexpr long kErrUserNotReleased = 2;
constexpr long kErrNullDocument = 3;
constexpr long kErrNullEnvironment = 4;
constexpr int kLineSecondApplication = 97;
constexpr int kLineCopied = 132;
constexpr int kLineUserNotReleased = 235;
constexpr int kLineNullDocument = 485;
constexpr int kLineNullEnvironment = 565;

constexpr int kResNoPrintRecord = 32101;

struct ApplicationState {
    short instantiated = 0;            // set by StartUp, cleared by ShutDown
    FRM_CApplication* live = nullptr;  // the one application object
};
ApplicationState& State()
{
    static ApplicationState state;
    return state;
}

bool RemoveIdentity(RWOrdered& list, const RWCollectable* item)
{
    for (std::size_t i = 0; i < list.entries(); ++i) {
        if (list[i] == item) {
            list.removeAt(i);
            return true;
        }
    }
    return false;
}

FRM_CDocument* DocumentAt(const RWOrdered& documents, std::size_t i)
{
    return static_cast<FRM_CDocument*>(documents[i]);
}

// Sets SetG and SetGU, which only the root's subclasses may call.
struct GlobalAccess : FRM_CObjectRWC {
    using FRM_CObjectRWC::SetG;
    using FRM_CObjectRWC::SetGU;
};

} // namespace

FRM_CApplication::FRM_CApplication(short multiByte)
{
    if (State().live != nullptr || State().instantiated) {
        FrmError(kErrSecondApplication, kModule, kLineSecondApplication);
        return;
    }
    State().live = this;
    if (multiByte == 1)
        vko_vobj_set_attr(nullptr, VKO_ATTR_MULTIBYTE, 1);
    // An earlier application's shut-down left the font registry destroyed; this one's fonts
    // (the standard font among them) are realised at its own start-up.
    if (FRM_CFontRegistry* registry = FRM_CFont::GetRegistry())
        registry->Reopen();
    IBoss(new FRM_CGlobalClassLib(this)); // owned through GetG until ShutDown
    itsGlobalsOwned = true;
    itsSwitchBoard = std::make_unique<FRM_CSwitchBoard>(this);
}

FRM_CApplication::FRM_CApplication(const FRM_CApplication& other) : FRM_CBoss(other)
{
    FrmError(kErrCopied, kModule, kLineCopied);
}

FRM_CApplication::~FRM_CApplication()
{
    // An application that never ran (or whose run ended early) still lets its parts go.
    if (itsGlobalsOwned && FRM_CObjectRWC::GetG() != nullptr &&
        FRM_CObjectRWC::GetG()->GetApplication() == this) {
        CloseAll();
        delete FRM_CObjectRWC::GetG();
        GlobalAccess::SetG(nullptr);
    }
    if (State().live == this)
        State().live = nullptr;
}

short FRM_CApplication::IApplication(FRM_CGlobalUser* globalUser) { return IBoss(globalUser); }

short FRM_CApplication::IsInstantiated() { return State().instantiated; }

short FRM_CApplication::IsMultiByte()
{
    return vko_vobj_get_attr(nullptr, VKO_ATTR_MULTIBYTE) != 0 ? 1 : 0;
}

void FRM_CApplication::Go(int argc, char** argv, short menuBarId, short aboutBoxId,
                          const char* baseName, const char* applicationName,
                          const char* taskWindowTitle)
{
    // The configuration record names the texts; the base library copies what it keeps.
    std::vector<char> base(baseName, baseName + std::strlen(baseName) + 1);
    std::vector<char> name(applicationName, applicationName + std::strlen(applicationName) + 1);
    std::vector<char> title(taskWindowTitle,
                            taskWindowTitle + std::strlen(taskWindowTitle) + 1);
    s_app_config config{};
    config.menu_bar_id = menuBarId;
    config.about_box_id = aboutBoxId;
    config.base_appl_name = base.data();
    config.appl_name = name.data();
    config.taskwin_title = title.data();
    vko_app_create(argc, argv, 0, hookWinEventHandler, &config);
}

void FRM_CApplication::StartUp()
{
    RegisterRWCollectables();
    State().instantiated = 1;
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    InstallFactories(g->GetFactoryMgr());
    g->CreateFactoryObjects();
    if (FRM_CFontRegistry* registry = FRM_CFont::GetRegistry())
        registry->Create();
    itsDocuments = std::make_unique<RWOrdered>();
    itsPrintRecord = nullptr;
    itsEnvironment = std::make_unique<FRM_CEnvironment>(
        FRM_CEnvironment::kUnsetColor, FRM_CEnvironment::kUnsetColor, FRM_CEnvironment::kWhite,
        2, FRM_CEnvironment::kBlack, 2, 1, g->GetSTDFont(), 0, 0, 0, FRM_CEnvironment::kWhite,
        FRM_CEnvironment::kBlack, FRM_CEnvironment::kWhite, FRM_CEnvironment::kBlack);
    auto* factory =
        static_cast<CApplicationFactory*>(FrmGetFactory(FRM_CFactoryMgr::kApplication));
    FRM_CTaskDoc* taskDocument = factory != nullptr ? factory->ConstructTaskDoc(this, kTaskDocId)
                                                    : nullptr;
    if (taskDocument != nullptr)
        taskDocument->BuildWindow();
    const FRM_CWindow* taskWindow = g->GetTaskWin();
    SetUpMenus(taskWindow != nullptr ? taskWindow->GetMenuBar() : nullptr);
}

void FRM_CApplication::ShutDown()
{
    State().instantiated = 0;
    CloseAll();
    itsDocuments.reset();
    itsEnvironment.reset();
    delete FRM_CObjectRWC::GetG();
    GlobalAccess::SetG(nullptr);
    itsGlobalsOwned = false;
    if (FRM_CGlobalUser* user = FRM_CObjectRWC::GetGU()) {
        delete user;
        GlobalAccess::SetGU(nullptr);
    }
    itsSwitchBoard.reset();
    if (itsPrintRecord != nullptr) {
        vko_print_destroy(itsPrintRecord);
        itsPrintRecord = nullptr;
    }
    if (FRM_CFontRegistry* registry = FRM_CFont::GetRegistry())
        registry->Destroy();
    itsApplicationFactory.reset();
    itsPlatformFactory.reset();
    itsWin32PlatformFactory.reset();
    itsResourceFactory.reset();
    itsMenuFactory.reset();
    itsViewFactory.reset();
    itsWindowFactory.reset();
    itsValidatorFactory.reset();
    if (FRM_CObjectRWC::GetGU() != nullptr)
        FrmError(kErrUserNotReleased, kModule, kLineUserNotReleased);
}

void FRM_CApplication::InstallFactories(FRM_CFactoryMgr* manager)
{
    itsApplicationFactory = std::make_unique<CApplicationFactoryDefault>();
    itsPlatformFactory = std::make_unique<CPlatformFactoryDefault>();
    itsResourceFactory = std::make_unique<CResourceFactoryDefault>();
    itsMenuFactory = std::make_unique<CMenuFactoryDefault>();
    itsViewFactory = std::make_unique<CViewFactoryDefault>();
    itsWindowFactory = std::make_unique<CWindowFactoryDefault>();
    itsValidatorFactory = std::make_unique<CValidatorFactoryDefault>();
    itsWin32PlatformFactory = std::make_unique<CWin32PlatformFactory>();
    manager->AddFactory(FRM_CFactoryMgr::kApplication, itsApplicationFactory.get());
    manager->AddFactory(FRM_CFactoryMgr::kPlatform, itsPlatformFactory.get());
    manager->AddFactory(FRM_CFactoryMgr::kResource, itsResourceFactory.get());
    manager->AddFactory(FRM_CFactoryMgr::kMenu, itsMenuFactory.get());
    manager->AddFactory(FRM_CFactoryMgr::kView, itsViewFactory.get());
    manager->AddFactory(FRM_CFactoryMgr::kWindow, itsWindowFactory.get());
    manager->AddFactory(FRM_CFactoryMgr::kValidator, itsValidatorFactory.get());
    manager->AddFactory(FRM_CFactoryMgr::kPlatform, itsWin32PlatformFactory.get());
}

// The value classes enter the container library's factory themselves when the library loads.
void FRM_CApplication::RegisterRWCollectables() {}

void FRM_CApplication::DoMenuCommand(short tag, short, short)
{
    switch (tag) {
    case kMenuNew: DoNew(); break;
    case kMenuOpen: DoOpen(); break;
    case kMenuClose: DoClose(); break;
    case kMenuSave: DoSave(); break;
    case kMenuSaveAs: DoSaveAs(); break;
    case kMenuPageSetUp: DoPageSetUp(); break;
    case kMenuPrint: DoPrint(); break;
    case kMenuQuit:
        if (DoClose())
            vko_app_destroy_hook();
        break;
    case kMenuAbout: DoAboutBox(); break;
    default: break; // 32006 and every other tag: nothing
    }
}

void FRM_CApplication::DoAboutBox() { vko_dm_post_about_box(); }

short FRM_CApplication::DoSave()
{
    if (!itsDocuments)
        return 1;
    for (std::size_t i = 0; i < itsDocuments->entries(); ++i) {
        FRM_CDocument* document = DocumentAt(*itsDocuments, i);
        if (document->NeedsSaving())
            document->DoSave();
    }
    return 1;
}

short FRM_CApplication::DoClose()
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    if (g == nullptr || g->GetDesktop() == nullptr || !g->GetDesktop()->DoClose())
        return 0;
    const FRM_CWindow* taskWindow = g->GetTaskWin();
    FRM_CDocument* taskDocument = taskWindow != nullptr ? taskWindow->GetDocument() : nullptr;
    std::vector<FRM_CDocument*> closed;
    short result = 1;
    if (itsDocuments) {
        const RWOrdered documents = *itsDocuments; // documents leave the list when deleted
        for (std::size_t i = 0; i < documents.entries(); ++i) {
            FRM_CDocument* document = DocumentAt(documents, i);
            if (document == taskDocument)
                continue;
            if (!document->DoClose()) {
                result = 0;
                break;
            }
            closed.push_back(document);
        }
    }
    for (FRM_CDocument* document : closed)
        delete document;
    if (result && taskDocument != nullptr)
        delete taskDocument;
    return result;
}

short FRM_CApplication::DoPageSetUp()
{
    // The record is made on first use, as for printing, so that Print Setup works before
    // anything has been printed; only a record that cannot be made gives the warning.
    s_printrcd* record = GetPrintRecord();
    if (record == nullptr) {
        const FRM_CStringRW warning(kResNoPrintRecord);
        vko_dm_post_warning("%s", warning.data());
        return 0;
    }
    if (!vko_print_is_valid(record))
        return 0;
    return vko_dm_post_page_setup(record) ? 1 : 0;
}

short FRM_CApplication::DoPrint()
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    FRM_CPrintMgr* manager = g != nullptr ? g->GetPrintMgr() : nullptr;
    if (manager == nullptr || g->GetDesktop() == nullptr)
        return 0;
    const std::unique_ptr<RWOrdered> windows(g->GetDesktop()->GetWindows());
    for (std::size_t i = 0; i < windows->entries(); ++i) {
        const auto* window = static_cast<const FRM_CWindow*>((*windows)[i]);
        manager->Insert(window, window->GetFrame(), 0);
    }
    const short printed = manager->DoPrint(GetPrintRecord(), FRM_CStringRW(""));
    if (!printed)
        manager->ClearQueue(); // a job that did not run leaves no views behind
    for (std::size_t i = 0; i < windows->entries(); ++i)
        vko_dwin_invalidate_rect(static_cast<const FRM_CWindow*>((*windows)[i])->GetVKOWindow(),
                                 nullptr);
    return printed;
}

FRM_CDocument* FRM_CApplication::FindDocument(std::int32_t id) const
{
    if (!itsDocuments)
        return nullptr;
    for (std::size_t i = 0; i < itsDocuments->entries(); ++i)
        if (DocumentAt(*itsDocuments, i)->GetId() == id)
            return DocumentAt(*itsDocuments, i);
    return nullptr;
}

void FRM_CApplication::CloseAll()
{
    if (!itsDocuments)
        return;
    const RWOrdered documents = *itsDocuments; // each deletion leaves the list
    for (std::size_t i = documents.entries(); i-- > 0;)
        delete DocumentAt(documents, i);
}

int FRM_CApplication::GetNumDocuments() const
{
    return itsDocuments ? static_cast<int>(itsDocuments->entries()) : 0;
}

void FRM_CApplication::AddDocument(FRM_CDocument* document)
{
    if (document == nullptr) {
        FrmError(kErrNullDocument, kModule, kLineNullDocument);
        return;
    }
    if (!itsDocuments)
        itsDocuments = std::make_unique<RWOrdered>();
    RemoveIdentity(*itsDocuments, document);
    itsDocuments->insert(document);
}

void FRM_CApplication::RemoveDocument(FRM_CDocument* document)
{
    if (itsDocuments)
        RemoveIdentity(*itsDocuments, document);
}

void FRM_CApplication::SetEnvironment(const FRM_CEnvironment* environment)
{
    if (environment == nullptr) {
        FrmError(kErrNullEnvironment, kModule, kLineNullEnvironment);
        return;
    }
    const FRM_CFont oldFont = itsEnvironment ? itsEnvironment->GetFont() : FRM_CFont();
    if (itsEnvironment)
        *itsEnvironment = *environment;
    else
        itsEnvironment = std::make_unique<FRM_CEnvironment>(*environment);
    const bool fontChanged = oldFont != itsEnvironment->GetFont();
    if (!itsDocuments)
        return;
    for (std::size_t i = 0; i < itsDocuments->entries(); ++i) {
        FRM_CDocument* document = DocumentAt(*itsDocuments, i);
        if (!document->IsEnvironmentShared())
            continue;
        document->SetEnvironment(itsEnvironment.get(), 1);
        if (!fontChanged)
            continue;
        const RWOrdered& windows = document->GetWindows();
        for (std::size_t w = 0; w < windows.entries(); ++w) {
            auto* window = static_cast<FRM_CWindow*>(windows[w]);
            if (window->IsEnvironmentShared())
                window->SetFont(itsEnvironment->GetFont(), 1);
        }
    }
}

void FRM_CApplication::DoSetEnvironment(const FRM_CEnvironment* environment)
{
    SetEnvironment(environment);
    if (environment == nullptr || !itsDocuments)
        return;
    for (std::size_t i = 0; i < itsDocuments->entries(); ++i) {
        FRM_CDocument* document = DocumentAt(*itsDocuments, i);
        if (!document->IsEnvironmentShared())
            document->DoSetEnvironment(environment, 0);
    }
}

void FRM_CApplication::ChangeFont(FRM_CFont* font)
{
    if (font == nullptr || !itsEnvironment)
        return;
    itsEnvironment->SetFont(*font);
    if (!itsDocuments)
        return;
    const auto taskHandle =
        reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
    for (std::size_t i = 0; i < itsDocuments->entries(); ++i) {
        FRM_CDocument* document = DocumentAt(*itsDocuments, i);
        if (!document->IsEnvironmentShared())
            continue;
        const RWOrdered& windows = document->GetWindows();
        for (std::size_t w = 0; w < windows.entries(); ++w) {
            auto* window = static_cast<FRM_CWindow*>(windows[w]);
            if (!window->IsEnvironmentShared() || window->GetVKOWindow() == taskHandle)
                continue;
            window->SetFont(*font, 1);
            vko_dwin_invalidate_rect(window->GetVKOWindow(), nullptr);
        }
    }
}

s_printrcd* FRM_CApplication::GetPrintRecord()
{
    if (itsPrintRecord == nullptr) {
        std::int32_t size = 0;
        itsPrintRecord = vko_print_create(&size);
    }
    return itsPrintRecord;
}
