// cbutton.h: FRM_CButton, a push or toggle button that the framework draws itself. Its
// contents are ordinary subviews (a text for a titled button, a picture for an image button)
// placed at a content offset inside a bevelled frame. Pressing moves the contents down and
// right and repaints the bevel; releasing inside sends the button's command up the boss
// chain. A togglable button keeps a three-valued state and reports it to its bound value.
// Amounts are pixels converted to the view's logical units.
#pragma once

#include <cstdint>

#include "frm/views/csubview.h"

class FRM_CImage;

class FRM_CButton : public FRM_CSubview {
    FRM_TYPE_INFO(CButton)
public:
    enum ToggleState : std::int32_t { kUp = 0, kDown = 1, kUnknown = 2 };
    static constexpr unsigned long kBlack = 0x07000000UL;
    static constexpr unsigned long kWhite = 0x0BFFFFFFUL;
    static constexpr unsigned long kGrey = 0x09808080UL;
    static constexpr unsigned long kLightGrey = 0x0AC0C0C0UL;

    FRM_CButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, short isTogglable);
    // Sized to a text view holding the title, with its top-left corner at theWhere.
    FRM_CButton(FRM_CSubview* theEnclosure, const FRM_CPoint& theWhere,
                const FRM_CStringRW& theTitle, short isTogglable);
    // Sized to a picture of the image; the face is painted over the picture.
    FRM_CButton(FRM_CSubview* theEnclosure, const FRM_CPoint& theWhere, const FRM_CImage& theImage,
                short isTogglable);
    FRM_CButton(const FRM_CButton& other);
    FRM_CButton& operator=(const FRM_CButton& other);
    ~FRM_CButton() override = default;

    // Frame, highlight, shadow and face colours.
    void IButton(unsigned long theFrame, unsigned long theHighlight, unsigned long theShadow,
                 unsigned long theFace);
    void SetCommands(long theUp, long theDown, long theIn, long theOut);
    void SetUpCommand(long theCommand) { SetCommand(theCommand); }
    long GetUpCommand() const { return GetCommand(); }
    void SetDownCommand(long theCommand) { itsDownCommand = static_cast<std::int32_t>(theCommand); }
    long GetDownCommand() const { return itsDownCommand; }
    void SetInCommand(long theCommand) { itsInCommand = static_cast<std::int32_t>(theCommand); }
    long GetInCommand() const { return itsInCommand; }
    void SetOutCommand(long theCommand) { itsOutCommand = static_cast<std::int32_t>(theCommand); }
    long GetOutCommand() const { return itsOutCommand; }
    // Enables or disables; with isRedraw the button's area is repainted.
    void SetEnabled(short isEnabled, short isRedraw);
    FRM_CPoint GetContentOffset() const { return itsContentOffset; }
    short IsDown() const { return itIsDown; }
    short IsPressed() const { return itIsPressed; }
    short IsIn() const { return itIsIn; }

    // FRM_CView
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void DoCommand(long theCommand, void* theData) override;
    void MouseDouble(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void Draw(const FRM_CRect& theClip) override;
    void DoDraw(const FRM_CRect& theClip) override;
    // Enter and space press the button; other keys go to the enclosure.
    void Key(const FRM_CKey& theKey) override;
    void Size(const FRM_CRect& theFrame) override;
    short ClassCanGetKeyFocus() const override { return 1; }
    // The first text subview takes the title too.
    void SetTitle(const FRM_CStringRW& theTitle) override;
    // No subview of a button is ever hit: the button takes every event.
    FRM_CView* FindDeepSubview(const FRM_CPoint&) override { return this; }
    FRM_CView* FindEventTarget(const FRM_CPoint&) override { return this; }
    // Places the subview at the content offset.
    void AddSubview(FRM_CView* theView) override;

    virtual short IsInButton(const FRM_CPoint& thePoint) const;
    virtual void DoIn();
    virtual void DoOut();
    virtual void DoUp() { InternalUp(); }
    virtual void DoDown() { InternalDown(); }
    virtual void SetTogglable(short isTogglable);
    virtual short IsTogglable() const { return itIsTogglable; }
    virtual ToggleState GetToggleState() const { return itsToggleState; }
    // Only for a togglable button and a new state; the contents rest 1 pixel lower in state 1.
    virtual void SetToggleState(ToggleState theState);
    // Sizes the button around the union of its subviews.
    virtual void SizeToFit();
    virtual float GetBorderPixels() const { return 7; }
    virtual float GetTopLeftBorderPixels() const { return 3; }
    virtual short NeedsDoOut() const { return 1; }

protected:
    // Redraws without the border (pressing and toggling leave it alone).
    virtual void InternalDoDraw(const FRM_CRect& theClip);
    // The hook by which a subclass shows that the pointer is over it.
    virtual void IndicateIn() {}
    virtual void InternalUp();
    virtual void InternalDown();
    virtual void DrawBorder();
    virtual void DrawDisabled();
    virtual void DrawUp();
    virtual void DrawDown();
    virtual void DrawPressed();
    virtual void DrawUnknown();
    virtual void DoUpAction();
    virtual void DoDownAction() { Send(itsDownCommand); }
    virtual void DoInAction() { Send(itsInCommand); }
    virtual void DoOutAction() { Send(itsOutCommand); }

    // Moves the contents by pixel amounts and redraws.
    void SubviewsDoSetOrigin(float theDH, float theDV);
    float H(float thePixels) const;
    float V(float thePixels) const;

private:
    void InitDefaults(short isTogglable);
    void CopyInternals(const FRM_CButton& other);
    // Sizes the button around its one content view, keeping theWhere as its corner.
    void FitAround(const FRM_CView* theContent, const FRM_CPoint& theWhere);
    void Send(long theCommand);
    void NotifyState();
    // Each bevel routine draws rectangles of the global frame in one pen colour.
    void DrawRects(unsigned long thePen, unsigned long theMono, short theWidth, short theBrush,
                   std::initializer_list<FRM_CRect> theRects);

    short itIsIn = 0;
    short itIsDown = 0;
    short itIsPressed = 0;
    unsigned long itsFrameColor = kBlack;
    unsigned long itsHighlightColor = kWhite;
    unsigned long itsShadowColor = kGrey;
    unsigned long itsFaceColor = kLightGrey;
    FRM_CPoint itsContentOffset;
    std::int32_t itsDownCommand = kNoCommand;
    std::int32_t itsInCommand = kNoCommand;
    std::int32_t itsOutCommand = kNoCommand;
    short itIsFaceFirst = 1;
    short itDrawsBorder = 1;
    short itIsTogglable = 0;
    ToggleState itsToggleState = kUp;
};
