// cglblcls.cpp: the global class library's managers, windows and shared constants.
#include "frm/runtime/cglblcls.h"

#include <cfloat>

#include "frm/core/ccntrllr.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cfont.h"
#include "frm/drawing/cprntmgr.h"
#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cnav.h"
#include "frm/runtime/cresourc.h"
#include "frm/core/crgn.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cwindow.h"

namespace {

constexpr char kModule[] = "cglblcls";
constexpr long kErrNullDesktop = 500;
constexpr long kErrNullPrintMgr = 501;
constexpr long kErrNoTaskDocument = 0;
constexpr int kLineNullDesktop = 98;
constexpr int kLineNullPrintMgr = 133;
constexpr int kLineNoTaskDocument = 177;

constexpr short kSeparatorTag = -1; // 65535 as a 16-bit tag
constexpr long kSeparatorFlags = 8;
constexpr long kHiddenWindowAttributes = 2064;
constexpr e_win_type kHiddenWindowType = 1;

} // namespace

FRM_CGlobalClassLib::FRM_CGlobalClassLib(FRM_CApplication* application)
    : itsApplication(application), itsFactoryMgr(std::make_unique<FRM_CFactoryMgr>()),
      itsStdFont(std::make_unique<FRM_CFont>(FRM_CStringRW("system"), 0, 12)),
      itsMenuSeparator(
          std::make_unique<FRM_CMenuItem>(FRM_CStringRW(""), kSeparatorTag, 0, kSeparatorFlags)),
      itsMaxRect(FLT_MIN, FLT_MIN, FLT_MAX, FLT_MAX),
      itsNullRegion(std::make_unique<FRM_CRegion>()), itsNullString("")
{
}

FRM_CGlobalClassLib::~FRM_CGlobalClassLib()
{
    itsDesktop.reset();
    itsPrintMgr.reset();
    itsResourceMgr.reset();
    itsControllerMgr.reset();
    itsFactoryMgr.reset();
    itsNavigatorManager.reset();
    itsStdFont.reset();
    itsMenuSeparator.reset();
    itsNullRegion.reset();
}

void FRM_CGlobalClassLib::CreateFactoryObjects()
{
    auto* factory =
        static_cast<CApplicationFactory*>(itsFactoryMgr->GetFactory(FRM_CFactoryMgr::kApplication));
    if (factory == nullptr)
        return;
    itsPrintMgr.reset(factory->ConstructPrintMgr());
    itsDesktop.reset(factory->ConstructDesktop(itsApplication));
    itsResourceMgr.reset(factory->ConstructResourceMgr());
    itsControllerMgr.reset(factory->ConstructControllerMgr());
}

void FRM_CGlobalClassLib::SetDesktop(FRM_CDesktop* desktop)
{
    if (desktop == nullptr) {
        FrmError(kErrNullDesktop, kModule, kLineNullDesktop);
        return;
    }
    if (itsDesktop)
        *desktop = *itsDesktop; // the new desktop takes over the windows
    itsDesktop.reset(desktop);
}

void FRM_CGlobalClassLib::SetPrintMgr(FRM_CPrintMgr* manager)
{
    if (manager == nullptr) {
        FrmError(kErrNullPrintMgr, kModule, kLineNullPrintMgr);
        return;
    }
    itsPrintMgr.reset(manager);
}

FRM_CNavigatorManager* FRM_CGlobalClassLib::GetNavigatorManager()
{
    if (!itsNavigatorManager)
        itsNavigatorManager = std::make_unique<FRM_CNavigatorManager>();
    return itsNavigatorManager.get();
}

FRM_CWindow* FRM_CGlobalClassLib::GetTaskWin() const
{
    WINDOW task = reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
    if (task == nullptr)
        return nullptr;
    return reinterpret_cast<FRM_CWindow*>(vko_vobj_get_data(task));
}

FRM_CWindow* FRM_CGlobalClassLib::GetHiddenWindow()
{
    if (itsHiddenWindow != nullptr)
        return itsHiddenWindow;
    FRM_CDocument* taskDocument =
        itsApplication != nullptr ? itsApplication->FindDocument(FRM_CApplication::kTaskDocId)
                                  : nullptr;
    if (taskDocument == nullptr) {
        FrmError(kErrNoTaskDocument, kModule, kLineNoTaskDocument);
        return nullptr;
    }
    WINDOW task = reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
    // Owned by the task document like its other windows.
    itsHiddenWindow = new FRM_CWindow(taskDocument, FRM_CRect(0, 0, 100, 100), itsNullString,
                                      kHiddenWindowAttributes, kHiddenWindowType, 0, task);
    return itsHiddenWindow;
}
