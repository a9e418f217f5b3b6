// cntvtxte.h: FRM_CNativeTextEdit, the view over one text edit of the text-edit engine (a
// multi-paragraph editor reached through the layer's vko_tx_ calls). It places the text edit
// in its window and keeps it in step with the view's frame, visibility and enabling, turns
// the engine's paragraph, line and character model into whole strings, and reports text
// changes to the bound value. The text edit's window carries the view as its data, so the
// engine's change and focus reports reach DoHit.
#pragma once

#include <cstdint>

#include "frm/controls/cvalidtr.h"
#include "frm/views/cview.h"
#include "vkobase/types.h"

class FRM_CClipWindow;
class FRM_CKey;

// The text edit window's event handler: keys typed into a text edit go through the framework
// first (the window's navigator, then the window's key handling, which hands them back to the
// view's Key); a key used either way is consumed, so the engine does not take it twice.
extern "C" std::int32_t hookTextEditEventHandler(WINDOW theTextEdit, EVENT* theEvent) noexcept;

class FRM_CNativeTextEdit : public FRM_CView, public FRM_CValidatorInterface {
    FRM_TYPE_INFO(CNativeTextEdit)
public:
    // A position: paragraph, line of the paragraph and character of the line.
    static constexpr std::uint16_t kEnd = 0xFFFF;
    // Attribute bits the view reads itself.
    static constexpr std::uint32_t kReadOnly = 0x0001;
    static constexpr std::uint32_t kLocked = 0x4000;
    static constexpr std::uint32_t kToggledByKey = 0x2000;
    static constexpr std::uint32_t kFromWindow = 0x0800;

    ~FRM_CNativeTextEdit() override;

    short INativeTextEdit(std::uint32_t theAttributes, float theMargin, int theLimit,
                          const FRM_CStringRW& theText, short selectOnActivate, short isVisible,
                          unsigned long theGlue);
    TXEDIT GetVKOTextEdit() const { return itsTextEdit; }
    // The clip window that cuts the text edit at its subview's edges, or null.
    FRM_CClipWindow* GetClippingWindow() const { return itsClipWindow; }

    // The whole text: paragraphs joined by "\n" (no trailing one); reported as 20002.
    virtual void SetText(const FRM_CStringRW& theText);
    // Cut at every "\n" into paragraphs added at the end, each reported as 20004; a text
    // ending in "\n" adds a last empty paragraph; an empty text adds nothing. Returns 1.
    virtual short Append(const FRM_CStringRW& theText);
    virtual FRM_CStringRW GetText() const;
    // Characters of every line, paragraph breaks not counted.
    virtual std::uint16_t GetNCharInText() const;
    virtual void SelectText();
    virtual FRM_CStringRW GetSelectedText() const;
    virtual std::uint16_t GetNCharInSelection() const;
    virtual short Clear();
    virtual short IsEmpty() const;
    virtual void SetAttribute(std::uint32_t theBits, short isOn);
    virtual std::uint32_t GetAttributes() const;
    virtual void SetLimit(int theLimit);
    virtual int GetLimit() const;
    virtual void SetMargin(float theMargin);
    virtual float GetMargin() const;
    virtual void Reset();
    // Drawing stops at the first call; every call counts.
    virtual void Suspend();
    // One step back, or all of them; drawing resumes when none is left.
    virtual void Resume(short all);
    int GetSuspendCount() const { return itsSuspendCount; }
    // A change report (text changed, focus lost or gained) from the engine.
    virtual void DoHit(const s_ctlinfo& theInfo);
    virtual void SetFocusCommands(long theKeyFocus, long theKeyFocusLost);
    virtual void SetTextCommand(long theCommand) { itsTextCmd = theCommand; }
    long GetKeyFocusCommand() const { return itsKeyFocusCmd; }
    long GetKeyFocusLostCommand() const { return itsKeyFocusLostCmd; }
    long GetTextCommand() const { return itsTextCmd; }
    // The character a key stands for after validation; 0 drops it.
    virtual std::uint16_t Validate(const FRM_CKey& theKey);
    // Formats the whole text through the validator. The selection follows the characters it
    // stood by; after a Backspace the caret stays where the Backspace put it.
    virtual void PostValidate();
    void SetTabSize(int theSize);
    int GetTabSize() const { return itsTabSize; }

    // Text of a range (first and last paragraph, line and character).
    FRM_CStringRW GetRange(std::uint16_t theFirstPar, std::uint16_t theLastPar,
                           std::uint16_t theFirstLine, std::uint16_t theLastLine,
                           std::uint16_t theFirstChar, std::uint16_t theLastChar) const;

    // FRM_CView
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void DoCommand(long theCommand, void* theData) override;
    void UpdateUnits(FRM_CUnits* theUnits) override;
    void Show() override;
    void Hide() override;
    void Activate() override;
    void Deactivate() override;
    void Enable() override;
    void Disable() override;
    void Key(const FRM_CKey& theKey) override;
    void Size(const FRM_CRect& theFrame) override;
    void SetOrigin(const FRM_CPoint& theDisplacement) override;
    // The view's font, then the engine's: the text is laid out again in the new font.
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    short ClassCanGetKeyFocus() const override { return 1; }
    // The engine draws and repaints its text edit itself.
    void DoDraw(const FRM_CRect&) override {}
    void Invalidate(const FRM_CRect&) override {}
    void SetGlue(unsigned long theGlue) override;

protected:
    FRM_CNativeTextEdit(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                        std::uint32_t theAttributes, float theMargin, int theLimit);
    // No text edit yet: a resource constructor fills the fields and calls CreateTextEdit.
    explicit FRM_CNativeTextEdit(FRM_CSubview* theEnclosure)
        : FRM_CView(theEnclosure, FRM_CRect(0, 0, 0, 0), FRM_CStringRW())
    {
    }
    FRM_CNativeTextEdit(const FRM_CNativeTextEdit& other);
    FRM_CNativeTextEdit& operator=(const FRM_CNativeTextEdit& other);

    void CreateTextEdit();
    void DestroyTextEdit();
    // The text edit's rectangle in its window, in pixels.
    virtual s_rct TextEditRect() const;
    // Moves the text edit only when its rectangle changed.
    virtual void PositionTextEdit();
    // Hands an event to the engine, reporting a text that changed to the bound value.
    void TdiProcessEvent(EVENT& theEvent);
    // One line, read with the engine's lock, get and unlock protocol.
    FRM_CStringRW LineText(std::uint16_t thePar, std::uint16_t theLine) const;
    int MarginPixels(float theMargin) const;
    // Cuts theText to what the limit still takes.
    void Truncate(FRM_CStringRW& theText) const;

    TXEDIT itsTextEdit = 0;
    int itsLimit = 0;
    float itsMargin = 0;
    std::uint32_t itsAttributes = 0;
    int itsTabSize = 4;
    int itsSuspendCount = 0;
    long itsKeyFocusCmd = kNoCommand;
    long itsKeyFocusLostCmd = kNoCommand;
    long itsTextCmd = kNoCommand;
    short itSelectsOnActivate = 0;
    FRM_CClipWindow* itsClipWindow = nullptr;   // owned; the text edit's toolkit parent
};
