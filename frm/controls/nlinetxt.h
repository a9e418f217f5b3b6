// nlinetxt.h: FRM_NLineText, a one-line text field. Its height always follows its font (the
// caller sets the width only), the engine keeps it to one paragraph, and it can hold a regular
// expression that every key, cut and paste must keep the whole text matching.
#pragma once

#include <memory>

#include "frm/controls/cntvtxte.h"
#include "vkocoll/regexp.h"

class FRM_CFont;
class FRM_CPoint;
class FRM_CWindow;

class FRM_NLineText : public FRM_CNativeTextEdit {
    FRM_TYPE_INFO(NLineText)
public:
    // The engine's one-paragraph attribute, always set on a line text.
    static constexpr std::uint32_t kOneLine = 0x0080;
    // Overwrite mode, switched by the Insert key.
    static constexpr std::uint32_t kOverwrite = kToggledByKey;

    // A field of length theLength (in the enclosure's units) whose top left is thePlace.
    FRM_NLineText(FRM_CSubview* theEnclosure, const FRM_CPoint& thePlace, float theLength,
                  std::uint32_t theAttributes, float theRightMargin, int theCharacterLimit);
    FRM_NLineText(const FRM_NLineText& other);
    FRM_NLineText& operator=(const FRM_NLineText& other);
    ~FRM_NLineText() override;

    short ILineText(std::uint32_t theAttributes, float theRightMargin, int theCharacterLimit,
                    const FRM_CStringRW& theInitialText, short isAutoSelected, short isVisible,
                    unsigned long theGlue);

    void SetValidation(const RWCRegexp& theExpression);
    // The expression held, or one of the empty pattern when none is set.
    RWCRegexp GetValidation() const;
    bool HasValidation() const { return itsValidation != nullptr; }

    // An empty selection at character thePos of the line.
    void SetInsertPosition(std::uint16_t thePos);
    std::uint16_t GetInsertPosition() const;

    // Height in pixels of a line text in theFont: leading, ascent and descent plus 10. The
    // font is set on the window to measure it.
    static int ResetHeight(const FRM_CFont& theFont, const FRM_CWindow& theWindow);

    // 1 when the text that theKey would leave still matches the whole expression (or is
    // empty, or there is no expression). Character 0 stands for a paste of the clipboard's
    // text, character 8 with a selection for a cut.
    virtual short KeyValidateRegX(const FRM_CKey& theKey);

    void Key(const FRM_CKey& theKey) override;
    // The width is the caller's; the height stays the font's.
    void Size(const FRM_CRect& theNewSize) override;
    void SetFont(const FRM_CFont& theFont, short isShared) override;
    // The one-line attribute cannot be cleared.
    void SetAttribute(std::uint32_t theBits, short isOn) override;

protected:
    static FRM_CRect GetInitialFrame(FRM_CSubview* theEnclosure, const FRM_CPoint& thePlace,
                                     float theLength);

private:
    // The font's height in this view's units.
    float FontHeight(const FRM_CFont& theFont) const;

    std::unique_ptr<RWCRegexp> itsValidation;
};
