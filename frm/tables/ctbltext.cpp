// ctbltext.cpp: text cells: drawing by justification, and the in-place editor.
#include "frm/core/ccmdnums.h"
#include "frm/tables/ctbltext.h"

#include <vector>

#include "frm/core/ctdivalue.h"
#include "frm/core/ctypeinfo.h"
#include "frm/core/cunits.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cnav.h"
#include "frm/tables/ctable.h"

namespace {

using Attributes = FRM_CTableAttributes;

constexpr unsigned long kNoColor = Attributes::kNoColor;

// The lines of a value: cut at line feeds and carriage returns, empty lines skipped.
std::vector<FRM_CStringRW> Lines(const FRM_CStringRW& theText)
{
    std::vector<FRM_CStringRW> lines;
    const char* text = theText.data();
    std::size_t start = 0;
    for (std::size_t i = 0; i <= theText.length(); ++i)
        if (i == theText.length() || text[i] == '\n' || text[i] == '\r') {
            if (i > start)
                lines.emplace_back(text + start, i - start);
            start = i + 1;
        }
    return lines;
}

float ViewLogical(const FRM_CTableView* theView, long thePixels)
{
    if (theView != nullptr)
        if (const FRM_CUnits* units = theView->GetUnits())
            return units->VPhysicalToLogical(static_cast<int>(thePixels));
    return static_cast<float>(thePixels);
}

}   // namespace

// ---------------------------------------------------------------------------------------------
// FocusedText

FocusedText::FocusedText(FRM_CTableView* theEnclosure, FRM_CTableTextInterpreter* theInterpreter,
                         const FRM_CCell& theCell, const FRM_CRect& theFrame,
                         unsigned theAttributes, short notifyAllChanges, float theRightMargin,
                         int theCharacterLimit, long theCommand)
    : FRM_NTextEdit(theEnclosure, theFrame, theAttributes, theRightMargin, theCharacterLimit),
      itsTable(theEnclosure), itsInterpreter(theInterpreter), itsCell(theCell),
      itsNotifyAllChanges(notifyAllChanges)
{
    SetCommand(theCommand);
}

short FocusedText::IFocusedText(const FRM_CStringRW& theString, unsigned theAttributes,
                                float theRightMargin, int theCharacterLimit)
{
    const short result =
        ITextEdit(theAttributes, theRightMargin, theCharacterLimit, FRM_CStringRW(), 0, 0, 0);
    for (const FRM_CStringRW& line : Lines(theString))
        AddParagraph(line, kEnd);
    return result;
}

FRM_CStringRW FocusedText::GetText() const
{
    FRM_CStringRW text;
    const std::uint16_t count = GetNParInText();
    for (std::uint16_t paragraph = 0; paragraph < count; ++paragraph) {
        if (paragraph > 0)
            text += "\r\n";
        text += GetParagraph(paragraph);
    }
    return text;
}

void FocusedText::DoHit(const s_ctlinfo& theInfo)
{
    FRM_NTextEdit::DoHit(theInfo);
    if (itsNotifyAllChanges && theInfo.v.edit.focus_change == 0)
        itsInterpreter->StoreText(itsCell, GetText());
}

void FocusedText::Key(const FRM_CKey& theKey)
{
    FRM_NTextEdit::Key(theKey);
    const std::uint16_t key = theKey.GetChar();
    if (!(GetAttributes() & FRM_CTableTextInterpreter::kSingleLineBit) || (key != 10 && key != 13))
        return;
    if (!itsInterpreter->StoreText(itsCell, GetText()))
        return;
    const FRM_CBounds bounds = itsTable->GetCellBounds();
    FRM_CCell next = itsCell;
    if (itsCell.V() < bounds.Bottom() - 1)
        next.V(itsCell.V() + 1);
    else if (itsCell.H() < bounds.Right() - 1)
        next.H(itsCell.H() + 1);
    // The selection follows the focus only when it was exactly the edited cell.
    if (auto* table = FrmCast<FRM_CTable>(itsTable->GetEnclosure())) {
        const FRM_CRegion& selection = table->GetSelectedRegion();
        const FRM_CBounds selected = selection.Bounds();
        if (selected.Width() == 1 && selected.Height() == 1 && selection.Contains(itsCell))
            table->SetSelectedRegion(
                FRM_CRegion(FRM_CBounds(next.V(), next.H(), next.V() + 1, next.H() + 1)));
        table->MakeCellVisible(next);
    }
    // Moving the focus ends this edit (and destroys this editor): nothing runs after it.
    itsTable->SetFocus(&next);
}

// ---------------------------------------------------------------------------------------------
// FRM_CTableTextInterpreter

FRM_CTableTextInterpreter::FRM_CTableTextInterpreter(FRM_CTableView* theTable,
                                                     unsigned theAttributes, float theRightMargin,
                                                     int theCharacterLimit, long theCommand,
                                                     short singleLine, short notifyAllChanges)
    : FRM_CTableInterpreter(theTable), itsAttributes(theAttributes), itsRightMargin(theRightMargin),
      itsCharacterLimit(theCharacterLimit), itsCommand(theCommand), itsSingleLine(singleLine),
      itsNotifyAllChanges(notifyAllChanges)
{
}

FRM_CTableTextInterpreter::FRM_CTableTextInterpreter(const FRM_CTableTextInterpreter& other)
    : FRM_CTableInterpreter(other), itsAttributes(other.itsAttributes),
      itsRightMargin(other.itsRightMargin), itsCharacterLimit(other.itsCharacterLimit),
      itsCommand(other.itsCommand), itsInitialString(other.itsInitialString),
      itsSingleLine(other.itsSingleLine), itsNotifyAllChanges(other.itsNotifyAllChanges)
{
}

// Hand-written: the target's open editor is closed first; the settings are copied, no editor.
FRM_CTableTextInterpreter&
FRM_CTableTextInterpreter::operator=(const FRM_CTableTextInterpreter& other)
{
    if (this != &other) {
        CloseEditor();
        FRM_CTableInterpreter::operator=(other);
        itsAttributes = other.itsAttributes;
        itsRightMargin = other.itsRightMargin;
        itsCharacterLimit = other.itsCharacterLimit;
        itsCommand = other.itsCommand;
        itsInitialString = other.itsInitialString;
        itsSingleLine = other.itsSingleLine;
        itsNotifyAllChanges = other.itsNotifyAllChanges;
    }
    return *this;
}

FRM_CTableTextInterpreter::~FRM_CTableTextInterpreter()
{
    CloseEditor();
}

void FRM_CTableTextInterpreter::CloseEditor()
{
    delete itsEdit;
    itsEdit = nullptr;
}

float FRM_CTableTextInterpreter::ToLogical(long thePixels) const
{
    return ViewLogical(itsTable, thePixels);
}

float FRM_CTableTextInterpreter::TextHeight(const FRM_CFont& theFont,
                                            const FRM_CStringRW& theText) const
{
    return ToLogical(static_cast<long>(Lines(theText).size()) * theFont.GetHeight());
}

void FRM_CTableTextInterpreter::Draw(const CTableInterpreterParameters& theParameters)
{
    FRM_CTableView* view = theParameters.itsView;
    const FRM_CTdiValue* value = view != nullptr ? view->GetData(*theParameters.itsCell) : nullptr;
    if (value == nullptr)
        return;
    const FRM_CStringRW text = value->ToString();
    FRM_CTableInterpreter::Draw(theParameters);
    const FRM_CCell* focus = view->GetFocus();
    if (itsEdit != nullptr && focus != nullptr && *focus == *theParameters.itsCell)
        return;   // the editor shows the text

    const Attributes& attributes = *theParameters.itsAttributes;
    const FRM_CFont& font = (attributes.Mask() & Attributes::MaskFont)
                                ? attributes.Font()
                                : theParameters.itsContext->GetEnv().GetFont();
    const FRM_CRect& rect = *theParameters.itsCellBounds;
    const float lineHeight = ToLogical(font.GetHeight());
    float baseline = 0;
    switch (attributes.Justification()) {
    case Attributes::JustifyTop:
    case Attributes::JustifyTopRight:
    case Attributes::JustifyTopLeft:
        baseline = rect.Top() + kTextTopMargin;
        break;
    case Attributes::JustifyBottomRight:
    case Attributes::JustifyBottom:
    case Attributes::JustifyBottomLeft:
        baseline = rect.Bottom() - TextHeight(font, text) - kTextTopMargin;
        break;
    default:
        baseline = rect.Top() + (rect.Height() - TextHeight(font, text)) / 2;
        break;
    }
    baseline += static_cast<float>(font.GetAscent());
    for (const FRM_CStringRW& line : Lines(text)) {
        const float width = ToLogical(font.GetTextWidth(line));
        float x = rect.Left() + kTextLeftMargin;
        switch (attributes.Justification()) {
        case Attributes::JustifyTop:
        case Attributes::JustifyBottom:
        case Attributes::JustifyCenter:
            x = (rect.Left() + rect.Right() - width) / 2;
            break;
        case Attributes::JustifyTopRight:
        case Attributes::JustifyRight:
        case Attributes::JustifyBottomRight:
            x = rect.Right() - width - kTextLeftMargin;
            break;
        default:
            break;
        }
        theParameters.itsContext->DrawText(line, FRM_CPoint(x, baseline));
        baseline += lineHeight;
    }
}

void FRM_CTableTextInterpreter::FocusIn(const CTableInterpreterParameters& theParameters)
{
    CloseEditor();
    FRM_CTableView* view = theParameters.itsView;
    const FRM_CCell& cell = *theParameters.itsCell;
    const FRM_CTdiValue* value = view->GetData(cell);
    const FRM_CStringRW initial = value != nullptr ? value->ToString() : FRM_CStringRW();
    if (itsSingleLine)
        itsAttributes |= kSingleLineBit;
    itsEdit = new FocusedText(view, this, cell, *theParameters.itsCellBounds, itsAttributes,
                              itsNotifyAllChanges, itsRightMargin, itsCharacterLimit, itsCommand);
    itsEdit->IFocusedText(initial, itsAttributes, itsRightMargin, itsCharacterLimit);

    Attributes& attributes = *theParameters.itsAttributes;
    FRM_CEnvironment environment(kNoColor, kNoColor, 0x0bffffff, 2, 0x07000000);
    const unsigned mask = attributes.Mask();
    if ((mask & Attributes::MaskBackground) && attributes.Background() != kNoColor)
        environment.SetBackgroundColor(attributes.Background(), 0xffffffff);
    if ((mask & Attributes::MaskForeground) && attributes.Foreground() != kNoColor) {
        environment.SetForegroundColor(attributes.Foreground(), 0x07000000);
        environment.SetPenColor(attributes.Foreground(), 0x07000000);
    }
    if (mask & Attributes::MaskFont)
        environment.SetFont(attributes.Font());
    itsEdit->SetEnvironment(environment, 0);
    if (mask & Attributes::MaskValidator)
        itsEdit->SetValidator(attributes.Validator());
    const float pixel = OnePixel();
    itsEdit->DoSize(GetInterior(*theParameters.itsCellBounds, attributes).GetInflatedRect(-pixel));

    // Compared with the text as the editor holds it (empty lines dropped, "\r\n" between
    // lines), so that an untouched value is never stored back.
    itsInitialString = itsEdit->GetText();
    itsEdit->SelectText();
    itsEdit->DoShow();
    itsEdit->Activate();
}

short FRM_CTableTextInterpreter::StoreText(const FRM_CCell& theCell, const FRM_CStringRW& theText)
{
    const FRM_CTdiStringValue value(theText, nullptr, kNoCommand);
    if (itsTable == nullptr || !itsTable->PutData(theCell, &value)) {
        if (itsTable != nullptr)
            itsTable->InvalidateCell(theCell);
        return 0;
    }
    itsInitialString = theText;
    return 1;
}

void FRM_CTableTextInterpreter::FocusOut(const CTableInterpreterParameters& theParameters)
{
    if (itsEdit == nullptr)
        return;
    const FRM_CStringRW text = itsEdit->GetText();
    if (text != itsInitialString)
        StoreText(*theParameters.itsCell, text);
    CloseEditor();
}

void FRM_CTableTextInterpreter::Hide(const CTableInterpreterParameters&)
{
    if (itsEdit != nullptr)
        itsEdit->Hide();
}

short FRM_CTableTextInterpreter::Key(const CTableInterpreterParameters&, const FRM_CKey& theKey)
{
    const std::uint16_t key = theKey.GetChar();
    if (itsEdit == nullptr || (key != VKO_KEY_RIGHT && key != VKO_KEY_LEFT) ||
        itsEdit->GetNCharInSelection() != 0)
        return 0;
    itsEdit->DoKey(theKey);
    return 1;
}

void FRM_CTableTextInterpreter::Scroll(const FRM_CPoint&)
{
    if (itsEdit != nullptr)
        itsEdit->DoActivate();
}

const FRM_CTypeInfo* FRM_CTableTextInterpreter::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableTextInterpreter;
}

const FRM_CTypeInfo* FRM_CTableTextInterpreter::GetStaticTypeInfo()
{
    return &frm_type::CTableTextInterpreter;
}
