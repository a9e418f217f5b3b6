// cdesktop.h: FRM_CDesktop, the list of all open framework windows in activation order
// (the most recently activated last) and the front window. Documents add and remove their
// windows here; the switchboard moves a window to the end when it is activated. The desktop
// owns its list, never the windows.
#pragma once

#include "frm/core/cboss.h"
#include "vkocoll/ordered.h"

class FRM_CApplication;
class FRM_CView;
class FRM_CWindow;

class FRM_CDesktop : public FRM_CNotifier {
    FRM_TYPE_INFO(CDesktop)
public:
    // Null is fatal 200.
    explicit FRM_CDesktop(FRM_CApplication* application);
    // Copying is refused: fatal 201.
    FRM_CDesktop(const FRM_CDesktop& other);
    // Takes over the application, front window and window list of another desktop.
    FRM_CDesktop& operator=(const FRM_CDesktop& other);
    ~FRM_CDesktop() override;

    // Shows the window when hidden, gives it the focus and raises it (null: fatal 202).
    virtual void SetFrontWindow(FRM_CWindow* window);
    virtual FRM_CWindow* GetFrontWindow() const { return itsFrontWindow; }
    // A new collection of the windows, the caller's to delete.
    virtual RWOrdered* GetWindows() const;
    virtual int GetNumWindows() const { return static_cast<int>(itsWindows.entries()); }
    // A hook for desktops that arrange new windows; the base does nothing.
    virtual void PlaceWindow(FRM_CWindow* window);
    // Whether the application may end; the base never refuses.
    virtual short DoClose() { return 1; }
    // Told before a window's toolkit window is destroyed; the base does nothing.
    virtual void Closing(FRM_CWindow* window);
    // Null is fatal 205.
    virtual void AddWindow(FRM_CWindow* window);
    virtual void RemoveWindow(FRM_CWindow* window);
    // Front window, moved to the end when listed (null: fatal 203). No toolkit call.
    virtual void SetActiveWindow(FRM_CWindow* window);

    // Whether the window is listed (null: fatal 204).
    short FindWindow(const FRM_CWindow* window) const;
    // The view holding the key focus: the front window's focus chain, followed down.
    FRM_CView* GetKeyFocus() const;

private:
    FRM_CApplication* itsApplication = nullptr; // not owned
    FRM_CWindow* itsFrontWindow = nullptr;      // not owned
    RWOrdered itsWindows;                       // the windows are not owned
};
