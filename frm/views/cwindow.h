// cwindow.h: FRM_CWindow, the root of one view tree and the framework object behind one
// toolkit window. It owns its menu bar, mouse manager, navigator and enter/leave handler,
// never its document. Close destroys the toolkit window only; the switchboard deletes the
// object when the toolkit reports the destruction, and deleting it any other way is fatal.
#pragma once

#include <cstdint>

#include "frm/views/csubview.h"

class FRM_CDocument;
class FRM_CEnterLeaveMouseHandler;
class FRM_CMenuBar;
class FRM_CMouseManager;
class FRM_CNavigator;
class FRM_CResourceItems;
class FRM_NWinScrollBar;

// Enter and leave commands carry one of these.
inline constexpr long kEnterCommand = 20012;
inline constexpr long kLeaveCommand = 20013;

struct EnterLeaveEvent {
    FRM_CView* itsTarget = nullptr;   // the view entered or left
    FRM_CPoint itsLocation;           // the pointer, in window coordinates
};

class FRM_CWindow : public FRM_CSubview {
    FRM_TYPE_INFO(CWindow)
public:
    // Creates the toolkit window under theParent (top-level windows pass the task window).
    FRM_CWindow(FRM_CDocument* theDocument, const FRM_CRect& theFrame,
                const FRM_CStringRW& theTitle, long theAttributes, e_win_type theType,
                int theMenuBarId, WINDOW theParent);
    // Builds the window, and with buildContents its controls, from a window resource.
    FRM_CWindow(FRM_CDocument* theDocument, long theResourceId, short buildContents,
                WINDOW theParent);
    // Wraps a toolkit window that exists already (null is error 2603).
    FRM_CWindow(FRM_CDocument* theDocument, WINDOW theWindow);
    // Makes the object only; a derived class creates the toolkit window later.
    FRM_CWindow(FRM_CDocument* theDocument, e_win_type theType, long theAttributes);
    // Windows are never copied: error 2604.
    FRM_CWindow(const FRM_CWindow& other);

    short IWindow(short drawsBackground, const FRM_CStringRW& theTitle, short isVisible);
    // Type, frame, title, attributes and menu-bar id from the window's own entry of a window
    // resource, before its toolkit window is created (the fields only: nothing moves).
    void TakeResourceEntry(const s_win_def& theEntry);
    static void SetCreationIcon(long theIcon) { itsCreationIcon = theIcon; }
    static long GetCreationIcon() { return itsCreationIcon; }

    // FRM_CBoss
    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;
    void ChangeFont(FRM_CFont* font) override;
    void DoTimer(long timerId) override;
    void DoUser(long id, void* data) override;

    // FRM_CView
    void Show() override;
    void Hide() override;
    void Disable() override;
    void Enable() override;
    void DoEnable() override;
    void DoDisable() override;
    // Clears the background; the views draw themselves afterwards.
    void Draw(const FRM_CRect& theClip) override;
    void Key(const FRM_CKey& theKey) override;
    // Moves and sizes the toolkit window.
    void Size(const FRM_CRect& theFrame) override;
    FRM_CRect GetClippedFrame() const override { return itsFrame; }
    const FRM_CEnvironment* GetEnvironment() const override;
    short IsSizable() const override { return itIsSizable; }
    void SetTitle(const FRM_CStringRW& theTitle) override;
    // A window has no enclosure: error 2607.
    void SetEnclosure(FRM_CSubview* theEnclosure) override;
    // The print window while printing outside an update, else the window's own.
    WINDOW GetVKOWindow() const override;
    void SetSelectedView(FRM_CView* theView) override;
    void RemoveSubview(FRM_CView* theView) override;

    virtual void UpdateMenus(FRM_CMenuBar* theMenuBar);
    // Asks the document; 1 when the window goes (its toolkit window is destroyed), 0 when
    // it stays. The object itself is deleted later by the switchboard.
    virtual short Close();
    virtual long GetAttributes() const { return itsAttributes; }
    virtual long GetMenuBarId() const { return itsMenuBarId; }
    virtual short IsClosable() const { return itIsClosable; }
    virtual FRM_CDocument* GetDocument() const { return itsDocument; }
    virtual short IsBackgroundDrawn() const { return itDrawsBackground; }
    virtual void SetBackgroundDrawing(short drawsBackground)
    {
        itDrawsBackground = drawsBackground;
    }
    virtual FRM_NWinScrollBar* GetVScrollBar() const { return itsVScrollBar; }
    virtual FRM_NWinScrollBar* GetHScrollBar() const { return itsHScrollBar; }
    // Made on first use.
    virtual FRM_CMouseManager* GetMouseManager();
    virtual void SetMouseManager(FRM_CMouseManager* theManager);
    // Every pointer event goes to theView until ReleasePointer; answers the previous holder.
    virtual FRM_CView* TrapPointer(FRM_CView* theView);
    virtual void ReleasePointer();
    virtual FRM_CNavigator* GetNavigator();
    virtual void SetNavigator(FRM_CNavigator* theNavigator);
    virtual void DoModal();
    virtual FRM_CMenuBar* GetMenuBar() const { return itsMenuBar; }
    // Takes theMenuBar; deletes the present bar first only when deleteOld is non-zero.
    void SetMenuBar(FRM_CMenuBar* theMenuBar, short deleteOld);
    // The new client size in pixels.
    virtual void SizeWindow(int theWidth, int theHeight);
    // A control event: the control's id, type, toolkit window and two data words.
    virtual void DoControl(short theId, e_win_type theType, WINDOW theControl,
                           std::int32_t theData1, std::int32_t theData2);
    virtual void DoActivateWindow();
    virtual void DoDeactivateWindow();
    // 1, 2, ... 32767, then the lowest id that no control of the window uses.
    virtual short GetNextCtlId();

    FRM_CView* GetTrappedView() const { return itsTrappedView; }
    FRM_CView* GetEnterLeaveView() const { return itsEnterLeaveView; }
    void SetEnterLeaveView(FRM_CView* theView) { itsEnterLeaveView = theView; }
    FRM_CWindow* GetParentWindow() const { return itsParentWindow; }
    const RWOrdered* GetChildWindows() const { return itsChildWindows; }
    e_win_type GetWindowType() const { return itsWindowType; }

    // While updates are queued the switchboard unions update areas here instead of drawing.
    void QueueUpdates();
    short IsQueuedUpdate() const { return itIsQueuedUpdate; }
    void UnionQueuedUpdates(const s_rct& theRect);
    void FlushQueuedUpdates();

    // For tests: forgets the creation icon.
    static void ResetCreationIcon() { itsCreationIcon = 0; }

protected:
    friend class FRM_CSwitchBoard;
    // Only the switchboard deletes a window, after its toolkit window is gone.
    ~FRM_CWindow() override;
    FRM_CWindow& operator=(const FRM_CWindow& other);

    void UpdateUnits(FRM_CUnits* units) override;
    virtual void DoHScroll(e_scroll_ctl theAction, short thePosition);
    virtual void DoVScroll(e_scroll_ctl theAction, short thePosition);
    virtual void CreateWindow(WINDOW theParent);
    virtual void InitWindow();
    virtual FRM_CMouseManager* ConstructMouseManager();
    virtual FRM_CNavigator* ConstructNavigator();

    // Makes a control for every item after the window's own (2611 for an unknown kind).
    void BuildContents(long theResourceId, FRM_CResourceItems& theItems);
    short QueueSize(int theWidth, int theHeight);
    void SuspendSizing() { itsQueueSize = FRM_CPoint(0, 0); }
    void ResumeSizing();

    FRM_CDocument* itsDocument = nullptr;           // not owned
    FRM_NWinScrollBar* itsVScrollBar = nullptr;
    FRM_NWinScrollBar* itsHScrollBar = nullptr;
    s_rct itsQueuedRect{};
    short itIsQueuedUpdate = 0;
    FRM_CMouseManager* itsMouseManager = nullptr;   // owned
    FRM_CNavigator* itsNavigator = nullptr;         // owned
    e_win_type itsWindowType = 1;
    FRM_CView* itsEnterLeaveView = nullptr;         // not owned
    FRM_CView* itsTrappedView = nullptr;            // not owned
    FRM_CEnterLeaveMouseHandler* itsEnterLeaveMouseHandler = nullptr;   // owned
    short itDrawsBackground = 0;
    short itIsClosable = 0;
    short itIsSizable = 0;
    std::int32_t itsMenuBarId = 0;
    FRM_CMenuBar* itsMenuBar = nullptr;             // owned
    std::int32_t itsAttributes = 0;
    RWOrdered* itsChildWindows = nullptr;           // owned list; the children are not
    FRM_CWindow* itsParentWindow = nullptr;
    FRM_CPoint itsQueueSize{-1, -1};                // (-1, -1): sizing not suspended
    short itsCtlIdCycled = 0;
    std::int16_t itsCtlIdCount = 0;

private:
    // The document's units become the window's when it has none (a null document is 2602).
    void TakeDocumentUnits();
    // Closable and sizable from the attributes; a modal window is always closable, never
    // sizable, has no menu bar and carries the modal-use bit.
    void SettleKindFlags();
    static long itsCreationIcon;
};
