// cdocumnt.cpp: documents and the task document.
#include "frm/runtime/cdocumnt.h"

#include <cstring>

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cprntmgr.h"
#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cmenubar.h"
#include "frm/views/ctaskwin.h"
#include "frm/views/cwindow.h"

namespace {

constexpr char kModule[] = "cdocumnt";
constexpr long kErrNullWindow = 300;
constexpr int kLineNullWindow = 418;

// The program's strings of the standard prompts.
constexpr int kResSave = 32103;
constexpr int kResDiscard = 32105;
constexpr int kResCancel = 32107;
constexpr int kResChanged = 32109;
constexpr int kResSaveAs = 32111;
constexpr int kResOpen = 32113;

// Answers of the save prompt (0 is Save) and of the file dialogs.
constexpr std::int32_t kAnswerDiscard = 1;
constexpr std::int32_t kAnswerCancel = 2;
constexpr std::int32_t kFileConfirmed = 2;

constexpr int kTitleSize = 510;

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

FRM_CDesktop* Desktop()
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    return g != nullptr ? g->GetDesktop() : nullptr;
}

FRM_CWindow* WindowAt(const RWOrdered& windows, std::size_t i)
{
    return static_cast<FRM_CWindow*>(windows[i]);
}

} // namespace

FRM_CDocument::FRM_CDocument(FRM_CApplication* application, std::int32_t id)
    : itsApplication(application)
{
    SetId(id);
    if (itsApplication != nullptr)
        itsApplication->AddDocument(this);
}

FRM_CDocument::FRM_CDocument(const FRM_CDocument& other)
    : FRM_CBoss(other), itsApplication(other.itsApplication)
{
    SetId(other.GetId());
    if (other.itsEnvironment)
        itsEnvironment = std::make_unique<FRM_CEnvironment>(*other.itsEnvironment);
    if (other.itsFileSpec) {
        itsFileSpec = std::make_unique<s_file_spec>();
        vko_fsys_get_default_dir(&itsFileSpec->dir);
        vko_str_copy(itsFileSpec->type, other.itsFileSpec->type);
        vko_str_copy(itsFileSpec->name, other.itsFileSpec->name);
    }
    if (itsApplication != nullptr)
        itsApplication->AddDocument(this);
}

FRM_CDocument::~FRM_CDocument()
{
    CloseAll();
    // A window that refused to close must not outlive its document: its toolkit window goes,
    // and the switchboard deletes it (which takes it off this list).
    while (!itsWindows.isEmpty()) {
        const std::size_t before = itsWindows.entries();
        FRM_CWindow* window = WindowAt(itsWindows, before - 1);
        vko_vobj_destroy(window->GetVKOWindow());
        if (itsWindows.entries() == before)
            RemoveWindow(window);
    }
    if (itsApplication != nullptr)
        itsApplication->RemoveDocument(this);
}

void FRM_CDocument::SetSave(short changed)
{
    if (changed == itIsChanged)
        return;
    itIsChanged = changed;
    for (std::size_t i = 0; i < itsWindows.entries(); ++i) {
        FRM_CWindow* window = WindowAt(itsWindows, i);
        window->UpdateMenus(window->GetMenuBar());
    }
}

const FRM_CEnvironment* FRM_CDocument::GetEnvironment() const
{
    if (itsEnvironment)
        return itsEnvironment.get();
    return itsApplication != nullptr ? itsApplication->GetEnvironment() : nullptr;
}

void FRM_CDocument::SetEnvironment(const FRM_CEnvironment* environment, short shared)
{
    const FRM_CEnvironment* before = GetEnvironment();
    const FRM_CFont oldFont = before != nullptr ? before->GetFont() : FRM_CFont();
    if (!shared) {
        if (environment == nullptr)
            itsEnvironment.reset();
        else if (itsEnvironment)
            *itsEnvironment = *environment;
        else
            itsEnvironment = std::make_unique<FRM_CEnvironment>(*environment);
    }
    const FRM_CEnvironment* now = GetEnvironment();
    if (now == nullptr)
        return;
    const bool fontChanged = oldFont != now->GetFont();
    for (std::size_t i = 0; i < itsWindows.entries(); ++i) {
        FRM_CWindow* window = WindowAt(itsWindows, i);
        if (!window->IsEnvironmentShared())
            continue;
        window->SetEnvironment(*now, 1);
        if (fontChanged)
            window->SetFont(now->GetFont(), 1);
    }
}

void FRM_CDocument::DoSetEnvironment(const FRM_CEnvironment* environment, short shared)
{
    SetEnvironment(environment, shared);
    if (shared || environment == nullptr)
        return;
    for (std::size_t i = 0; i < itsWindows.entries(); ++i) {
        FRM_CWindow* window = WindowAt(itsWindows, i);
        if (!window->IsEnvironmentShared())
            window->DoSetEnvironment(*environment, 0);
    }
}

void FRM_CDocument::ChangeFont(FRM_CFont* font)
{
    if (font == nullptr)
        return;
    if (IsEnvironmentShared()) {
        if (itsApplication != nullptr)
            itsApplication->ChangeFont(font);
        return;
    }
    itsEnvironment->SetFont(*font);
    for (std::size_t i = 0; i < itsWindows.entries(); ++i) {
        FRM_CWindow* window = WindowAt(itsWindows, i);
        if (window->IsEnvironmentShared())
            window->SetFont(*font, 1);
    }
}

s_printrcd* FRM_CDocument::GetPrintRecord()
{
    return itsApplication != nullptr ? itsApplication->GetPrintRecord() : nullptr;
}

short FRM_CDocument::DoPageSetUp()
{
    return itsApplication != nullptr ? itsApplication->DoPageSetUp() : 0;
}

void FRM_CDocument::DoKey(const FRM_CKey& key)
{
    if (itsApplication != nullptr)
        itsApplication->DoKey(key);
}

void FRM_CDocument::UpdateMenus(FRM_CMenuBar* menuBar)
{
    if (itsApplication != nullptr)
        itsApplication->UpdateMenus(menuBar);
}

void FRM_CDocument::DoCommand(long command, void* data)
{
    FRM_CBoss::DoCommand(command, data);
    if (!IsBroadcasting() && itsApplication != nullptr)
        itsApplication->DoCommand(command, data);
}

void FRM_CDocument::DoTimer(long timerId)
{
    if (!IsBroadcasting() && itsApplication != nullptr)
        itsApplication->DoTimer(timerId);
}

void FRM_CDocument::DoUser(long id, void* data)
{
    if (!IsBroadcasting() && itsApplication != nullptr)
        itsApplication->DoUser(id, data);
}

void FRM_CDocument::DoMenuCommand(short tag, short shift, short control)
{
    switch (tag) {
    case FRM_CApplication::kMenuClose: DoClose(); return;
    case FRM_CApplication::kMenuSave: DoSave(); return;
    case FRM_CApplication::kMenuSaveAs: DoSaveAs(); return;
    case FRM_CApplication::kMenuPageSetUp: DoPageSetUp(); return;
    case FRM_CApplication::kMenuPrint: DoPrint(); return;
    default:
        if (!IsBroadcasting() && itsApplication != nullptr)
            itsApplication->DoMenuCommand(tag, shift, control);
    }
}

RWOrdered* FRM_CDocument::GetSubObjects() const
{
    // The boss chain walks the list without changing it.
    return const_cast<RWOrdered*>(&itsWindows);
}

FRM_CUnits* FRM_CDocument::GetUnits() const
{
    if (FRM_CUnits* own = FRM_CBoss::GetUnits())
        return own;
    return itsApplication != nullptr ? itsApplication->GetUnits() : nullptr;
}

short FRM_CDocument::DoNew()
{
    BuildWindow();
    return 1;
}

void FRM_CDocument::EnsureFileSpec()
{
    if (itsFileSpec)
        return;
    itsFileSpec = std::make_unique<s_file_spec>();
    std::memset(itsFileSpec.get(), 0, sizeof(s_file_spec));
    vko_fsys_get_default_dir(&itsFileSpec->dir);
}

short FRM_CDocument::DoOpen()
{
    EnsureFileSpec();
    const FRM_CStringRW prompt(kResOpen);
    if (vko_dm_post_file_open(itsFileSpec.get(), prompt.data()) != kFileConfirmed)
        return 0;
    vko_fsys_set_dir(&itsFileSpec->dir);
    BuildWindow();
    return 1;
}

short FRM_CDocument::DoSave()
{
    if (!itsFileSpec || itsFileSpec->name[0] == '\0')
        return DoSaveAs();
    SetSave(0);
    return 1;
}

short FRM_CDocument::DoSaveAs()
{
    EnsureFileSpec();
    const FRM_CStringRW prompt(kResSaveAs);
    if (vko_dm_post_file_save(itsFileSpec.get(), prompt.data()) != kFileConfirmed)
        return 0;
    return DoSave();
}

std::int32_t FRM_CDocument::AskToSave() const
{
    const FRM_CStringRW save(kResSave);
    const FRM_CStringRW discard(kResDiscard);
    const FRM_CStringRW cancel(kResCancel);
    const FRM_CStringRW message(kResChanged);
    return vko_dm_post_ask(save.data(), discard.data(), cancel.data(), "%s", message.data());
}

short FRM_CDocument::DoClose()
{
    if (NeedsSaving()) {
        switch (AskToSave()) {
        case kAnswerDiscard: SetSave(0); break;
        case kAnswerCancel: return 0;
        default:
            if (!DoSave())
                return 0;
        }
    }
    CloseAll();
    return 1;
}

short FRM_CDocument::CloseWindow(FRM_CWindow*)
{
    if (itsWindows.entries() >= 2 || !NeedsSaving())
        return 1;
    for (;;) {
        const std::int32_t answer = AskToSave();
        if (answer == kAnswerDiscard)
            return 1;
        if (answer == kAnswerCancel)
            return 0;
        if (DoSave()) {
            SetSave(0);
            return 1;
        }
    }
}

void FRM_CDocument::CloseAll()
{
    SetSave(0);
    // A window that does not leave the list when closed (it refused) ends the loop.
    while (!itsWindows.isEmpty()) {
        const std::size_t before = itsWindows.entries();
        WindowAt(itsWindows, before - 1)->Close();
        if (itsWindows.entries() >= before)
            break;
    }
}

FRM_CWindow* FRM_CDocument::FindWindow(std::int32_t id) const
{
    for (std::size_t i = 0; i < itsWindows.entries(); ++i)
        if (WindowAt(itsWindows, i)->GetId() == id)
            return WindowAt(itsWindows, i);
    return nullptr;
}

void FRM_CDocument::AddWindow(FRM_CWindow* window)
{
    if (window == nullptr) {
        FrmError(kErrNullWindow, kModule, kLineNullWindow);
        return;
    }
    RemoveIdentity(itsWindows, window);
    itsWindows.insert(window);
    if (FRM_CDesktop* desktop = Desktop())
        desktop->AddWindow(window);
}

void FRM_CDocument::RemoveWindow(FRM_CWindow* window)
{
    RemoveIdentity(itsWindows, window);
    if (FRM_CDesktop* desktop = Desktop())
        desktop->RemoveWindow(window);
}

short FRM_CDocument::DoPrint()
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    FRM_CPrintMgr* manager = g != nullptr ? g->GetPrintMgr() : nullptr;
    if (manager == nullptr)
        return 0;
    for (std::size_t i = 0; i < itsWindows.entries(); ++i) {
        const FRM_CWindow* window = WindowAt(itsWindows, i);
        manager->Insert(window, window->GetFrame(), 0);
    }
    const short printed = manager->DoPrint(GetPrintRecord(), FRM_CStringRW(""));
    if (!printed)
        manager->ClearQueue(); // a job that did not run leaves no views behind
    for (std::size_t i = 0; i < itsWindows.entries(); ++i)
        vko_dwin_invalidate_rect(WindowAt(itsWindows, i)->GetVKOWindow(), nullptr);
    return printed;
}

// ---- Task document and task window -------------------------------------------------------

void FRM_CTaskDoc::BuildWindow()
{
    auto* factory =
        static_cast<CApplicationFactory*>(FrmGetFactory(FRM_CFactoryMgr::kApplication));
    if (factory == nullptr)
        return;
    WINDOW taskWindow = reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
    FRM_CTaskWin* window = factory->ConstructTaskWin(this, taskWindow);
    if (window == nullptr)
        return;
    char title[kTitleSize + 1] = {};
    vko_vobj_get_title(taskWindow, title, kTitleSize);
    window->IWindow(0, FRM_CStringRW(title), window->IsVisible());
}
