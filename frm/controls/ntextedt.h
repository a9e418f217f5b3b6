// ntextedt.h: FRM_NTextEdit, the multi-paragraph text view with operations by paragraph,
// line and character. Positions count from 0; 0xFFFF as a paragraph in AddParagraph means
// at the end, and as a line or character in the select operations the end of the paragraph
// or line. Texts are never null here: an empty text is an ordinary text.
#pragma once

#include "frm/controls/cntvtxte.h"

class FRM_NTextEdit : public FRM_CNativeTextEdit {
    FRM_TYPE_INFO(NTextEdit)
public:
    FRM_NTextEdit(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                  std::uint32_t theAttributes, float theMargin, int theLimit)
        : FRM_CNativeTextEdit(theEnclosure, theFrame, theAttributes, theMargin, theLimit)
    {
    }
    FRM_NTextEdit(const FRM_NTextEdit& other) = default;
    explicit FRM_NTextEdit(FRM_CSubview* theEnclosure) : FRM_CNativeTextEdit(theEnclosure) {}
    FRM_NTextEdit& operator=(const FRM_NTextEdit& other) = default;

    short ITextEdit(std::uint32_t theAttributes, float theMargin, int theLimit,
                    const FRM_CStringRW& theText, short selectOnActivate, short isVisible,
                    unsigned long theGlue)
    {
        return INativeTextEdit(theAttributes, theMargin, theLimit, theText, selectOnActivate,
                               isVisible, theGlue);
    }

    virtual FRM_CStringRW GetParagraph(std::uint16_t thePar) const;
    virtual std::uint16_t GetNCharInPar(std::uint16_t thePar) const;
    virtual void SelectParagraph(std::uint16_t thePar, std::uint16_t theFirstLine,
                                 std::uint16_t theLastLine, std::uint16_t theFirstChar,
                                 std::uint16_t theLastChar);
    // 0 for an empty selection.
    virtual std::uint16_t GetNParInSelection() const;
    virtual std::uint16_t GetNLineInPar(std::uint16_t thePar) const;
    virtual std::uint16_t GetNLineInText() const;
    virtual std::uint16_t GetNParInText() const;
    // Inserts the text's pieces (cut at "\n") from thePar on, each reported as 20004, then the
    // whole text as 20002; 0xFFFF appends. Returns 1.
    virtual short AddParagraph(const FRM_CStringRW& theText, std::uint16_t thePar);
    virtual FRM_CStringRW GetLine(std::uint16_t thePar, std::uint16_t theLine) const;
    virtual short AppendToParagraph(const FRM_CStringRW& theText, std::uint16_t thePar);
    // A paragraph beyond the last is error 3102 and changes nothing (returns 0).
    virtual short SetParagraph(const FRM_CStringRW& theText, std::uint16_t thePar);
    virtual void SelectLine(std::uint16_t thePar, std::uint16_t theLine, std::uint16_t theFirstChar,
                            std::uint16_t theLastChar);
    // Not supported: error 3103, nothing changes.
    virtual short SetLine(const FRM_CStringRW& theText, std::uint16_t thePar,
                          std::uint16_t theLine);
    virtual std::uint16_t GetNCharInLine(std::uint16_t thePar, std::uint16_t theLine) const;
    virtual FRM_CStringRW GetSomeText(std::uint16_t theFirstPar, std::uint16_t theLastPar,
                                      std::uint16_t theFirstLine, std::uint16_t theLastLine,
                                      std::uint16_t theFirstChar, std::uint16_t theLastChar) const;
    virtual void SelectSomeText(std::uint16_t theFirstPar, std::uint16_t theLastPar,
                                std::uint16_t theFirstLine, std::uint16_t theLastLine,
                                std::uint16_t theFirstChar, std::uint16_t theLastChar);
    virtual short DeleteParagraph(std::uint16_t thePar);
    void GetInsertPosition(std::uint16_t* thePar, std::uint16_t* theLine,
                           std::uint16_t* theChar) const;
    void SetInsertPosition(std::uint16_t thePar, std::uint16_t theLine, std::uint16_t theChar);
};
