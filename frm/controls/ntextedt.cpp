// ntextedt.cpp: paragraph, line and character operations of the text view.
#include "frm/controls/ntextedt.h"

#include <string>

#include "frm/core/ccmdnums.h"
#include "frm/core/frmerror.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "ntextedt";
constexpr long kErrNoParagraph = 3102;
constexpr long kErrSetLine = 3103;

} // namespace

FRM_CStringRW FRM_NTextEdit::GetParagraph(std::uint16_t thePar) const
{
    return GetRange(thePar, thePar, 0, kEnd, 0, kEnd);
}

std::uint16_t FRM_NTextEdit::GetNCharInPar(std::uint16_t thePar) const
{
    std::uint32_t count = 0;
    const std::uint16_t lines = GetNLineInPar(thePar);
    for (std::uint16_t line = 0; line < lines; ++line)
        count += GetNCharInLine(thePar, line);
    return static_cast<std::uint16_t>(count);
}

void FRM_NTextEdit::SelectParagraph(std::uint16_t thePar, std::uint16_t theFirstLine,
                                    std::uint16_t theLastLine, std::uint16_t theFirstChar,
                                    std::uint16_t theLastChar)
{
    if (theLastLine == kEnd) {
        const std::uint16_t lines = GetNLineInPar(thePar);
        theLastLine = lines > 0 ? static_cast<std::uint16_t>(lines - 1) : 0;
    }
    if (theLastChar == kEnd)
        theLastChar = GetNCharInLine(thePar, theLastLine);
    vko_tx_set_sel(itsTextEdit, thePar, theFirstLine, theFirstChar, thePar, theLastLine,
                   theLastChar);
}

std::uint16_t FRM_NTextEdit::GetNParInSelection() const
{
    std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
    vko_tx_get_sel(itsTextEdit, &p0, &l0, &c0, &p1, &l1, &c1);
    if (p0 == p1 && l0 == l1 && c0 == c1)
        return 0;
    return static_cast<std::uint16_t>(p1 - p0 + 1);
}

std::uint16_t FRM_NTextEdit::GetNLineInPar(std::uint16_t thePar) const
{
    return vko_tx_get_num_par_lines(itsTextEdit, thePar);
}

std::uint16_t FRM_NTextEdit::GetNLineInText() const
{
    return vko_tx_get_num_lines(itsTextEdit);
}

std::uint16_t FRM_NTextEdit::GetNParInText() const
{
    return vko_tx_get_num_pars(itsTextEdit);
}

short FRM_NTextEdit::AddParagraph(const FRM_CStringRW& theText, std::uint16_t thePar)
{
    if (thePar == kEnd)
        return Append(theText);
    if (theText.isNull())
        return 1;
    const std::string text = theText.data();
    const bool several = text.find('\n') != std::string::npos;
    if (several)
        Suspend();
    std::size_t start = 0;
    std::uint16_t at = thePar;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        const std::string piece = text.substr(start, end == std::string::npos ? end : end - start);
        vko_tx_add_par(itsTextEdit, at++, piece.c_str());
        TdiNotify(kTagAppend, piece.c_str());
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    if (several)
        Resume(0);
    TdiNotify(kTagValue, GetText());
    return 1;
}

FRM_CStringRW FRM_NTextEdit::GetLine(std::uint16_t thePar, std::uint16_t theLine) const
{
    return LineText(thePar, theLine);
}

short FRM_NTextEdit::AppendToParagraph(const FRM_CStringRW& theText, std::uint16_t thePar)
{
    if (!vko_tx_append(itsTextEdit, thePar, theText.data()))
        return 0;
    TdiNotify(kTagAppend, GetText());
    return 1;
}

short FRM_NTextEdit::SetParagraph(const FRM_CStringRW& theText, std::uint16_t thePar)
{
    if (thePar >= GetNParInText()) {
        FrmError(kErrNoParagraph, kModule, __LINE__);
        return 0;
    }
    if (!vko_tx_set_par(itsTextEdit, thePar, theText.data()))
        return 0;
    TdiNotify(kTagValue, GetText());
    return 1;
}

void FRM_NTextEdit::SelectLine(std::uint16_t thePar, std::uint16_t theLine,
                               std::uint16_t theFirstChar, std::uint16_t theLastChar)
{
    if (theLastChar == kEnd)
        theLastChar = GetNCharInLine(thePar, theLine);
    vko_tx_set_sel(itsTextEdit, thePar, theLine, theFirstChar, thePar, theLine, theLastChar);
}

short FRM_NTextEdit::SetLine(const FRM_CStringRW&, std::uint16_t, std::uint16_t)
{
    FrmError(kErrSetLine, kModule, __LINE__);
    return 0;
}

std::uint16_t FRM_NTextEdit::GetNCharInLine(std::uint16_t thePar, std::uint16_t theLine) const
{
    return vko_tx_get_num_chars(itsTextEdit, thePar, theLine);
}

FRM_CStringRW FRM_NTextEdit::GetSomeText(std::uint16_t theFirstPar, std::uint16_t theLastPar,
                                         std::uint16_t theFirstLine, std::uint16_t theLastLine,
                                         std::uint16_t theFirstChar,
                                         std::uint16_t theLastChar) const
{
    return GetRange(theFirstPar, theLastPar, theFirstLine, theLastLine, theFirstChar, theLastChar);
}

void FRM_NTextEdit::SelectSomeText(std::uint16_t theFirstPar, std::uint16_t theLastPar,
                                   std::uint16_t theFirstLine, std::uint16_t theLastLine,
                                   std::uint16_t theFirstChar, std::uint16_t theLastChar)
{
    vko_tx_set_sel(itsTextEdit, theFirstPar, theFirstLine, theFirstChar, theLastPar, theLastLine,
                   theLastChar);
}

short FRM_NTextEdit::DeleteParagraph(std::uint16_t thePar)
{
    if (!vko_tx_rem_par(itsTextEdit, thePar))
        return 0;
    TdiNotify(kTagValue, GetText());
    return 1;
}

void FRM_NTextEdit::GetInsertPosition(std::uint16_t* thePar, std::uint16_t* theLine,
                                      std::uint16_t* theChar) const
{
    std::uint16_t p1 = 0, l1 = 0, c1 = 0;
    vko_tx_get_sel(itsTextEdit, thePar, theLine, theChar, &p1, &l1, &c1);
}

void FRM_NTextEdit::SetInsertPosition(std::uint16_t thePar, std::uint16_t theLine,
                                      std::uint16_t theChar)
{
    vko_tx_set_sel(itsTextEdit, thePar, theLine, theChar, thePar, theLine, theChar);
}
