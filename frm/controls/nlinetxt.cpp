// nlinetxt.cpp: the line text: a height that follows the font, and the check that keeps the
// whole text matching its expression through keys, cuts and pastes.
#include "frm/controls/nlinetxt.h"

#include <algorithm>
#include <string>

#include "frm/core/cunits.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cnav.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::uint16_t kBackspace = 8;
constexpr std::uint16_t kDelete = 127;

// The font a view draws with, or the default font when no environment gives one.
FRM_CFont FontOf(const FRM_CView& theView)
{
    const FRM_CEnvironment* environment = theView.GetEnvironment();
    return environment != nullptr ? environment->GetFont() : FRM_CFont();
}

float ToLogical(const FRM_CUnits* theUnits, int thePixels)
{
    return theUnits != nullptr ? theUnits->VPhysicalToLogical(thePixels)
                               : static_cast<float>(thePixels);
}

// The clipboard's text, or the empty text when it has none or does not open. The data is
// taken up to its size or its first NUL, whichever comes first.
std::string ClipboardText()
{
    std::string text;
    if (!vko_cb_has_format(CB_TEXT, nullptr) || !vko_cb_open(FALSE))
        return text;
    std::uint32_t size = 0;
    if (const auto* data = static_cast<const char*>(vko_cb_get_data(CB_TEXT, nullptr, &size))) {
        text.assign(data, size);
        text.resize(std::min(text.size(), text.find('\0')));
    }
    vko_cb_close();
    return text;
}

// A typed character as the engine stores it.
std::string Encoded(std::uint16_t theCharacter)
{
    char bytes[8] = {};
    const std::int32_t length = vko_str_convert_wc_to_mb(bytes, theCharacter);
    return std::string(bytes, length > 0 ? static_cast<std::size_t>(length) : 0);
}

} // namespace

FRM_NLineText::FRM_NLineText(FRM_CSubview* theEnclosure, const FRM_CPoint& thePlace,
                             float theLength, std::uint32_t theAttributes, float theRightMargin,
                             int theCharacterLimit)
    : FRM_CNativeTextEdit(theEnclosure, GetInitialFrame(theEnclosure, thePlace, theLength),
                          theAttributes | kOneLine, theRightMargin, theCharacterLimit)
{
    itsFrame.Height(FontHeight(FontOf(*this)));
}

FRM_NLineText::FRM_NLineText(const FRM_NLineText& other)
    : FRM_CNativeTextEdit(other),
      itsValidation(other.itsValidation ? std::make_unique<RWCRegexp>(*other.itsValidation)
                                        : nullptr)
{
}

// Hand-written: the owned expression is deep-copied.
FRM_NLineText& FRM_NLineText::operator=(const FRM_NLineText& other)
{
    if (this == &other)
        return *this;
    FRM_CNativeTextEdit::operator=(other);
    itsValidation = other.itsValidation ? std::make_unique<RWCRegexp>(*other.itsValidation)
                                        : nullptr;
    return *this;
}

FRM_NLineText::~FRM_NLineText() = default;

short FRM_NLineText::ILineText(std::uint32_t theAttributes, float theRightMargin,
                               int theCharacterLimit, const FRM_CStringRW& theInitialText,
                               short isAutoSelected, short isVisible, unsigned long theGlue)
{
    return INativeTextEdit(theAttributes | kOneLine, theRightMargin, theCharacterLimit,
                           theInitialText, isAutoSelected, isVisible, theGlue);
}

void FRM_NLineText::SetValidation(const RWCRegexp& theExpression)
{
    if (itsValidation)
        *itsValidation = theExpression;
    else
        itsValidation = std::make_unique<RWCRegexp>(theExpression);
}

RWCRegexp FRM_NLineText::GetValidation() const
{
    return itsValidation ? *itsValidation : RWCRegexp("");
}

void FRM_NLineText::SetInsertPosition(std::uint16_t thePos)
{
    if (itsTextEdit != 0)
        vko_tx_set_sel(itsTextEdit, 0, 0, thePos, 0, 0, thePos);
}

std::uint16_t FRM_NLineText::GetInsertPosition() const
{
    std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
    if (itsTextEdit != 0)
        vko_tx_get_sel(itsTextEdit, &p0, &l0, &c0, &p1, &l1, &c1);
    return c0;
}

// ---------------------------------------------------------------------------------------------
// Height

int FRM_NLineText::ResetHeight(const FRM_CFont& theFont, const FRM_CWindow& theWindow)
{
    WINDOW window = theWindow.GetVKOWindow();
    if (static_cast<s_fntid*>(theFont) != nullptr)
        vko_dwin_set_font(window, theFont);
    std::int32_t leading = 0, ascent = 0, descent = 0;
    vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    return leading + ascent + descent + 10;
}

FRM_CRect FRM_NLineText::GetInitialFrame(FRM_CSubview* theEnclosure, const FRM_CPoint& thePlace,
                                         float theLength)
{
    float height = 0;
    const FRM_CWindow* window = theEnclosure != nullptr ? theEnclosure->GetCWindow() : nullptr;
    if (window != nullptr)
        height = ToLogical(theEnclosure->GetUnits(), ResetHeight(FontOf(*theEnclosure), *window));
    return FRM_CRect(thePlace.H(), thePlace.V(), thePlace.H() + theLength, thePlace.V() + height);
}

float FRM_NLineText::FontHeight(const FRM_CFont& theFont) const
{
    const FRM_CWindow* window = GetCWindow();
    return window != nullptr ? ToLogical(GetUnits(), ResetHeight(theFont, *window))
                             : itsFrame.Height();
}

void FRM_NLineText::Size(const FRM_CRect& theNewSize)
{
    FRM_CRect frame = theNewSize;
    frame.Height(FontHeight(FontOf(*this)));
    FRM_CNativeTextEdit::Size(frame);
}

void FRM_NLineText::SetFont(const FRM_CFont& theFont, short isShared)
{
    FRM_CNativeTextEdit::SetFont(theFont, isShared);
    FRM_CRect frame = GetFrame();
    frame.Height(FontHeight(theFont));
    Size(frame);
}

void FRM_NLineText::SetAttribute(std::uint32_t theBits, short isOn)
{
    FRM_CNativeTextEdit::SetAttribute(theBits, isOn);
    FRM_CNativeTextEdit::SetAttribute(kOneLine, 1);
}

// ---------------------------------------------------------------------------------------------
// Validation

void FRM_NLineText::Key(const FRM_CKey& theKey)
{
    if (KeyValidateRegX(theKey) != 0)
        FRM_CNativeTextEdit::Key(theKey);
}

short FRM_NLineText::KeyValidateRegX(const FRM_CKey& theKey)
{
    if (!itsValidation || itsTextEdit == 0)
        return 1;
    // What the engine does with the key: keys that only move the caret, Enter on one line,
    // function keys and the like leave the text as it is.
    std::uint16_t code = theKey.GetChar();
    if (theKey.IsVirtualKey()) {
        if (code == VKO_KEY_DELETE)
            code = kDelete;
        else if (code >= VKO_KEY_PAD_0 && code <= VKO_KEY_PAD_9)
            code = static_cast<std::uint16_t>('0' + (code - VKO_KEY_PAD_0));
        else if (code >= VKO_KEY_PAD_MULTIPLY && code <= VKO_KEY_PAD_DECIMAL)
            code = static_cast<std::uint16_t>("*-+/."[code - VKO_KEY_PAD_MULTIPLY]);
        else
            return 1;
    }
    if (code == 10 || code == 13)
        return 1;

    std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
    vko_tx_get_sel(itsTextEdit, &p0, &l0, &c0, &p1, &l1, &c1);
    std::string candidate = GetText().data();
    const std::size_t length = candidate.size();
    const std::size_t first = std::min<std::size_t>(std::min(c0, c1), length);
    const std::size_t last = std::min<std::size_t>(std::max(c0, c1), length);
    const bool selection = first != last;
    candidate.erase(first, last - first);

    if (code == kBackspace) {
        if (!selection && first > 0)
            candidate.erase(first - 1, 1);
    } else if (code == kDelete) {
        if (!selection && first < candidate.size())
            candidate.erase(first, 1);
    } else {
        const std::string typed = code == 0 ? ClipboardText() : Encoded(code);
        // The engine overwrites only where nothing was selected, and never past the end.
        if ((GetAttributes() & kOverwrite) != 0 && !selection && first < candidate.size())
            candidate.erase(first, 1);
        candidate.insert(first, typed);
    }
    if (candidate.empty())
        return 1;
    std::size_t extent = 0;
    const std::size_t at =
        itsValidation->index(RWCString(candidate.data(), candidate.size()), &extent, 0);
    return at == 0 && extent == candidate.size() ? 1 : 0;
}
