// catchwin.h: FRM_CAttachmentWindow, the small window one attachment's view is shown in:
// untitled inside an attachment frame's window while docked, or a palette window with a thin
// 3-D border, a title bar of its own drawing and a close box while floating. Dragging the
// title bar drags the attachment; the close box gives the view back to its command window.
// Keys and commands typed into a floating one go to its command window. The two subclasses
// change only the look of the title bar and the close box.
#pragma once

#include "frm/drawing/cfont.h"
#include "frm/interaction/cmouse.h"
#include "frm/views/cwindow.h"

class FRM_CAttachment;
class FRM_CUnits;

class FRM_CAttachmentWindow : public FRM_CWindow {
    FRM_TYPE_INFO(CAttachmentWindow)
    friend class FRM_CAttachment;

public:
    // The border on every side and the title bar's height, in pixels.
    static constexpr int kAttachmentBorderPixels = 4;
    static constexpr int kTitlePixels = 15;
    static constexpr unsigned long kActiveTitleColor = 0x030000FFUL;
    static constexpr unsigned long kTitleTextColor = 0x0BFFFFFFUL;   // white, on a filled bar
    static constexpr unsigned long kInactiveTitleColor = 0x08404040UL;

    // A child of theEnclosure (the command window; the task window counts as none).
    FRM_CAttachmentWindow(FRM_CWindow* theEnclosure, FRM_CAttachment* theAttachment,
                          short hasTitleBar);
    // A top-level window with no command window.
    FRM_CAttachmentWindow(FRM_CAttachment* theAttachment, short hasTitleBar);

    // The outer rectangle of a window around a view of theClientRect's size.
    static FRM_CRect GetBorderSize(const FRM_CRect& theClientRect, short hasTitleBar,
                                   const FRM_CUnits* theUnits);

    FRM_CRect GetClientRect() const;
    virtual FRM_CRect GetLocalBorderRect() const;
    short HasTitle() const { return itHasTitle; }
    // Grow or shrink the window at its top by the title bar.
    void ShowTitle();
    void HideTitle();
    // The command window; without one set, the topmost other window the attachment can
    // dock in, or null.
    FRM_CWindow* GetCommandWindow() const;
    FRM_CAttachment* GetAttachment() const { return itsAttachment; }
    // Whether the window was made for theWindow (the task window stands for none).
    bool IsBuiltFor(const FRM_CWindow* theWindow) const;
    // The window it lies in: the command window, else the task window.
    FRM_CWindow* GetHostWindow() const;
    // The window's rectangle in its parent window's coordinates.
    FRM_CRect GetPlacement() const;
    const FRM_CRect& GetCloseRect() const { return itsCloseRect; }
    unsigned long GetTitleColor() const { return itsTitleColor; }
    short IsCloseBoxDown() const { return itsCloseBoxIsDown; }
    // The window shows no attachment any more (it is being replaced or the attachment goes).
    void ForgetAttachment() { itsAttachment = nullptr; }

    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;
    void DoMouseDouble(FRM_CPoint thePoint, short theButton, short isShift,
                       short isControl) override;
    void DoMouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void DoMouseMove(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void DoMouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void Draw(const FRM_CRect& theClip) override;
    void DoKey(const FRM_CKey& theKey) override;
    // Places the window, then fits the attachment's view into the client rectangle.
    void Size(const FRM_CRect& theFrame) override;
    // Gives the view back (or deletes the attachment), then closes the window.
    short Close() override;
    FRM_CMenuBar* GetMenuBar() const override;
    // The window's size comes from its attachment, never from the toolkit.
    void SizeWindow(int theWidth, int theHeight) override;
    void DoActivateWindow() override;
    void DoDeactivateWindow() override;

protected:
    ~FRM_CAttachmentWindow() override;
    void Initialize();
    virtual void DrawCloseBox();
    virtual void DrawTitleBar(const FRM_CRect& theClipRect);
    // The plain and the Win95 title bar: a sunken strip filled with the title colour.
    void DrawFilledTitleBar(const FRM_CRect& theBar, const FRM_CRect& theClipRect);
    // The title centred in the bar.
    void DrawTitleText(const FRM_CRect& theBar, const FRM_CRect& theClipRect,
                       unsigned long theTextColor = kTitleTextColor);
    FRM_CEnvironment TitleEnvironment(unsigned long theTextColor = kTitleTextColor) const;
    float H(float thePixels) const;
    float V(float thePixels) const;

    FRM_CWindow* itsCommandWindow = nullptr;   // not owned
    FRM_CAttachment* itsAttachment = nullptr;  // not owned
    short itHasTitle = 0;
    short itHasMouseDown = 0;
    short itsCloseBoxIsDown = 0;
    FRM_CFont itsTitleFont;
    FRM_CRect itsCloseRect;
    float itsTitleVOffset = 0;
    unsigned long itsTitleColor = kInactiveTitleColor;

private:
    // Reads the frame back from the toolkit window after a move.
    void RefreshFrame();
    FRM_CPoint ToTaskWindow(const FRM_CPoint& thePoint) const;
    // Offers a pointer event to the attachment in the task window's terms; true when used.
    using PointerHandler = short (FRM_CMouseHandler::*)(FRM_CPoint&, short&, short&, short&);
    bool Offer(PointerHandler theHandler, const FRM_CPoint& thePoint, short theButton,
               short isShift, short isControl);
};

// A filled title bar and a close box with an X at the right.
class CWin95AttachmentWindow : public FRM_CAttachmentWindow {
public:
    CWin95AttachmentWindow(FRM_CWindow* theEnclosure, FRM_CAttachment* theAttachment,
                           short hasTitleBar);
    CWin95AttachmentWindow(FRM_CAttachment* theAttachment, short hasTitleBar);

protected:
    ~CWin95AttachmentWindow() override = default;
    void DrawCloseBox() override;
    void DrawTitleBar(const FRM_CRect& theClipRect) override;

private:
    // The close box stays where it was when the window was built.
    void PlaceCloseBox();
};

// The title text only; the close box is not drawn, though it still closes.
class CMacAttachmentWindow : public FRM_CAttachmentWindow {
public:
    using FRM_CAttachmentWindow::FRM_CAttachmentWindow;

protected:
    ~CMacAttachmentWindow() override = default;
    void DrawCloseBox() override {}
    void DrawTitleBar(const FRM_CRect& theClipRect) override;
};
