// cfacewin.cpp: the face window: made by its notebook, filled from a window resource, its
// commands sent to the window that holds the notebook.
#include "frm/controls/cfacewin.h"

#include "frm/controls/nnotebk.h"
#include "frm/core/frmerror.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cresourc.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cfacewin";
constexpr long kErrNoResource = 2610;
constexpr e_win_type kFaceType = 7;

} // namespace

FRM_CFaceWindow::FRM_CFaceWindow(FRM_CDocument* theDocument, FRM_NNotebook* theNotebook)
    : FRM_CWindow(theDocument, kFaceType, 0), itsNotebook(theNotebook)
{
}

FRM_CFaceWindow::~FRM_CFaceWindow()
{
    if (itsNotebook != nullptr)
        itsNotebook->ForgetFace(this);
}

void FRM_CFaceWindow::CreateFace(FRM_NNotebook* theNotebook, short theTab, short thePage)
{
    itsNotebook = theNotebook;
    const WINDOW notebook = theNotebook != nullptr ? theNotebook->GetVKOWindow() : nullptr;
    itsVKOWindow = vko_notebk_create_face(notebook, theTab, thePage, -1, hookWinEventHandler,
                                          reinterpret_cast<intptr_t>(this));
    // The frame becomes the face's client rectangle; hidden faces are not visible.
    InitWindow();
    // A face is part of the window holding its notebook, not one of its document's windows:
    // the document counts, asks about and closes that window only.
    if (itsDocument != nullptr)
        itsDocument->RemoveWindow(this);
}

void FRM_CFaceWindow::CreateFace(FRM_NNotebook* theNotebook, short theTab, short thePage,
                                 long theResourceId)
{
    CreateFace(theNotebook, theTab, thePage);
    if (frm_views::WindowResource(theResourceId) == nullptr) {
        FrmError(kErrNoResource, kModule, __LINE__);
        return;
    }
    // The face's type, frame, title and attributes are the notebook's, not the first item's.
    FRM_CResourceItems items(static_cast<std::int32_t>(theResourceId));
    items.First();
    SetResourceContainerId(0);
    SetResourceId(static_cast<std::int32_t>(theResourceId));
    BuildContents(theResourceId, items);
}

void FRM_CFaceWindow::DoCommand(long command, void* data)
{
    FRM_CWindow* holder = itsNotebook != nullptr ? itsNotebook->GetCWindow() : nullptr;
    if (holder != nullptr)
        holder->DoCommand(command, data);
}

short FRM_CFaceWindow::Close()
{
    // The notebook owns the toolkit window and destroys it with the page.
    return 0;
}
