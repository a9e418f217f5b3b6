// ctbltext.h: FRM_CTableTextInterpreter, the default cell interpreter. It draws a cell's value
// as text, one line per line of the value, placed by the cell's justification, and edits the
// focused cell in place with a text edit laid over the cell (FocusedText). The edited text is
// stored through the view's data once per change: when the focus leaves the cell, on Return
// in a single-line editor, or after every change when asked to.
#pragma once

#include <memory>

#include "frm/controls/ntextedt.h"
#include "frm/tables/ctblintp.h"

class FRM_CTableTextInterpreter;

class FocusedText : public FRM_NTextEdit {
public:
    FocusedText(FRM_CTableView* theEnclosure, FRM_CTableTextInterpreter* theInterpreter,
                const FRM_CCell& theCell, const FRM_CRect& theFrame, unsigned theAttributes,
                short notifyAllChanges, float theRightMargin, int theCharacterLimit,
                long theCommand);

    // An empty editor, then the string's lines (cut at line feeds and carriage returns, empty
    // lines skipped) as paragraphs.
    short IFocusedText(const FRM_CStringRW& theString, unsigned theAttributes,
                       float theRightMargin, int theCharacterLimit);
    // The paragraphs joined by "\r\n".
    FRM_CStringRW GetText() const override;
    void DoHit(const s_ctlinfo& theInfo) override;
    // Return in a single-line editor stores the text and moves to the next cell.
    void Key(const FRM_CKey& theKey) override;

    const FRM_CCell& GetCell() const { return itsCell; }

private:
    FRM_CTableView* itsTable;                   // the enclosure
    FRM_CTableTextInterpreter* itsInterpreter;  // the owner
    FRM_CCell itsCell;
    short itsNotifyAllChanges;
};

class FRM_CTableTextInterpreter : public FRM_CTableInterpreter {
public:
    static constexpr float kTextLeftMargin = 2;
    static constexpr float kTextTopMargin = 2;
    static constexpr unsigned kSingleLineBit = 0x80;

    FRM_CTableTextInterpreter(FRM_CTableView* theTable, unsigned theAttributes,
                              float theRightMargin, int theCharacterLimit, long theCommand,
                              short singleLine, short notifyAllChanges);
    // The copy starts without an editor.
    FRM_CTableTextInterpreter(const FRM_CTableTextInterpreter& other);
    FRM_CTableTextInterpreter& operator=(const FRM_CTableTextInterpreter& other);
    ~FRM_CTableTextInterpreter() override;

    void Draw(const CTableInterpreterParameters& theParameters) override;
    short CanFocus(const CTableInterpreterParameters&) override { return 1; }
    void FocusIn(const CTableInterpreterParameters& theParameters) override;
    void FocusOut(const CTableInterpreterParameters& theParameters) override;
    void Hide(const CTableInterpreterParameters& theParameters) override;
    // The horizontal arrows go to the editor once the user has placed the caret in it.
    short Key(const CTableInterpreterParameters& theParameters, const FRM_CKey& theKey) override;
    void Scroll(const FRM_CPoint& theOffset) override;
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    unsigned GetAttributes() const { return itsAttributes; }
    void SetAttributes(unsigned theAttributes) { itsAttributes = theAttributes; }
    float GetRightMargin() const { return itsRightMargin; }
    void SetRightMargin(float theMargin) { itsRightMargin = theMargin; }
    int GetCharacterLimit() const { return itsCharacterLimit; }
    void SetCharacterLimit(int theLimit) { itsCharacterLimit = theLimit; }
    long GetCommand() const { return itsCommand; }
    void SetCommand(long theCommand) { itsCommand = theCommand; }
    // The open editor, or null.
    FocusedText* GetEditor() const { return itsEdit; }

    // Stores the text as the cell's value; 1 when the source took it. A stored text becomes
    // the one the edit is compared with, so that leaving the cell does not store it again;
    // a refused one redraws the cell's stored value.
    short StoreText(const FRM_CCell& theCell, const FRM_CStringRW& theText);

protected:
    float TextHeight(const FRM_CFont& theFont, const FRM_CStringRW& theText) const;

private:
    float ToLogical(long thePixels) const;
    void CloseEditor();

    unsigned itsAttributes;
    float itsRightMargin;
    int itsCharacterLimit;
    long itsCommand;
    FRM_CStringRW itsInitialString;
    FocusedText* itsEdit = nullptr;   // owned; a subview of the table view while open
    short itsSingleLine;
    short itsNotifyAllChanges;
};
