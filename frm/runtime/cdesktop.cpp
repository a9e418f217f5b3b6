// cdesktop.cpp: the desktop's window list, front window and key-focus search.
#include "frm/runtime/cdesktop.h"

#include "frm/core/frmerror.h"
#include "ruk/static/vkoruk.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"

namespace {

constexpr char kModule[] = "cdesktop";
constexpr long kErrNullApplication = 200;
constexpr long kErrCopied = 201;
constexpr long kErrNullFront = 202;
constexpr long kErrNullActive = 203;
constexpr long kErrNullFind = 204;
constexpr long kErrNullAdd = 205;
// The reports' lines are fixed values that the messages show.
constexpr int kLineNullApplication = 36;
constexpr int kLineCopied = 45;
constexpr int kLineNullFront = 72;
constexpr int kLineNullActive = 90;
constexpr int kLineNullFind = 108;
constexpr int kLineNullAdd = 127;

bool Lists(const RWOrdered& windows, const FRM_CWindow* window)
{
    for (std::size_t i = 0; i < windows.entries(); ++i)
        if (windows[i] == window)
            return true;
    return false;
}

void RemoveIdentity(RWOrdered& windows, const FRM_CWindow* window)
{
    for (std::size_t i = 0; i < windows.entries(); ++i) {
        if (windows[i] == window) {
            windows.removeAt(i);
            return;
        }
    }
}

} // namespace

FRM_CDesktop::FRM_CDesktop(FRM_CApplication* application) : itsApplication(application)
{
    if (application == nullptr)
        FrmError(kErrNullApplication, kModule, kLineNullApplication);
}

FRM_CDesktop::FRM_CDesktop(const FRM_CDesktop& other) : FRM_CNotifier(other)
{
    FrmError(kErrCopied, kModule, kLineCopied);
}

// Hand-written: the window list is refilled entry by entry; the windows are not owned.
FRM_CDesktop& FRM_CDesktop::operator=(const FRM_CDesktop& other)
{
    if (this == &other)
        return *this;
    itsApplication = other.itsApplication;
    itsFrontWindow = other.itsFrontWindow;
    itsWindows.clear();
    for (std::size_t i = 0; i < other.itsWindows.entries(); ++i)
        itsWindows.insert(other.itsWindows[i]);
    return *this;
}

FRM_CDesktop::~FRM_CDesktop() = default;

void FRM_CDesktop::SetFrontWindow(FRM_CWindow* window)
{
    if (window == nullptr) {
        FrmError(kErrNullFront, kModule, kLineNullFront);
        return;
    }
    itsFrontWindow = window;
    if (!window->IsVisible())
        window->Show();
    WINDOW handle = window->GetVKOWindow();
    if (vko_scr_get_focus_topwin() != handle)
        vko_scr_set_focus_vobj(handle);
    // Also a window that holds the focus comes to the front: another that never took the focus
    // may lie over it.
    vko_vobj_raise(handle);
}

RWOrdered* FRM_CDesktop::GetWindows() const
{
    auto* windows = new RWOrdered; // the caller's
    for (std::size_t i = 0; i < itsWindows.entries(); ++i)
        windows->insert(itsWindows[i]);
    return windows;
}

void FRM_CDesktop::PlaceWindow(FRM_CWindow*) {}
void FRM_CDesktop::Closing(FRM_CWindow*) {}

void FRM_CDesktop::AddWindow(FRM_CWindow* window)
{
    if (window == nullptr) {
        FrmError(kErrNullAdd, kModule, kLineNullAdd);
        return;
    }
    itsWindows.insert(window);
    PlaceWindow(window);
}

void FRM_CDesktop::RemoveWindow(FRM_CWindow* window)
{
    if (itsFrontWindow == window)
        itsFrontWindow = nullptr;
    RemoveIdentity(itsWindows, window);
}

void FRM_CDesktop::SetActiveWindow(FRM_CWindow* window)
{
    if (window == nullptr) {
        FrmError(kErrNullActive, kModule, kLineNullActive);
        return;
    }
    itsFrontWindow = window;
    if (Lists(itsWindows, window)) {
        RemoveIdentity(itsWindows, window);
        itsWindows.insert(window);
    }
}

short FRM_CDesktop::FindWindow(const FRM_CWindow* window) const
{
    if (window == nullptr) {
        FrmError(kErrNullFind, kModule, kLineNullFind);
        return 0;
    }
    return Lists(itsWindows, window) ? 1 : 0;
}

FRM_CView* FRM_CDesktop::GetKeyFocus() const
{
    FRM_CView* current = itsFrontWindow;
    while (current != nullptr) {
        const FRM_CSubview* subview = FrmCast<FRM_CSubview>(current);
        if (subview == nullptr)
            return current;
        FRM_CView* focus = subview->GetKeyFocus();
        if (focus == nullptr || focus == current)
            return current;
        if (FrmCast<FRM_CSubview>(focus) == nullptr)
            return focus;
        current = focus;
    }
    return nullptr;
}
