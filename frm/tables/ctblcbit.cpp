// ctblcbit.cpp: check-box cells: the interpreter, its cell views and their check boxes.
#include "frm/tables/ctblcbit.h"

#include "frm/drawing/cenviron.h"
#include "frm/tables/ctblview.h"
#include "frm/views/viewsvc.h"

namespace {
// The flags each cell's check box is made with.
constexpr long kCheckBoxFlags = 16;
} // namespace

FRM_CTableCheckBoxInterpreter::FRM_CTableCheckBoxInterpreter(FRM_CTableView* theTable,
                                                             const FRM_CStringRW& theTitle)
    : FRM_CTableViewInterpreter(theTable), itsTitle(theTitle)
{
}

const FRM_CTypeInfo* FRM_CTableCheckBoxInterpreter::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableCheckBoxInterpreter;
}

const FRM_CTypeInfo* FRM_CTableCheckBoxInterpreter::GetStaticTypeInfo()
{
    return &frm_type::CTableCheckBoxInterpreter;
}

CCellView*
FRM_CTableCheckBoxInterpreter::CreateCellView(FRM_CTableView* theTable,
                                              const CTableInterpreterParameters& theParameters,
                                              const FRM_CTdiValue*)
{
    const FRM_CRect interior = LocalInterior(theTable, theParameters);
    auto* const cellView = new CCellCheckBoxView(this, theTable, interior);   // the caller owns it
    cellView->Reassign(*theParameters.itsCell);
    return cellView;
}

namespace {
const RWClassID kCheckBoxViewId = frm_tables::JoinFactory(
    []() -> RWCollectable* { return new CCellCheckBoxView; }, "CCellCheckBoxView");
} // namespace

RWClassID CCellCheckBoxView::classIsA() { return kCheckBoxViewId; }

CCellCheckBoxView::CCellCheckBoxView(FRM_CTableCheckBoxInterpreter* theInterpreter,
                                     FRM_CTableView* theTable, const FRM_CRect& theFrame)
    : CCellView(theInterpreter, nullptr), itsCheckBoxInterpreter(theInterpreter)
{
    SetView(new CCheckBoxTableAdapter(this, theTable, theFrame, theInterpreter->Title(),
                                      kCheckBoxFlags));
}

void CCellCheckBoxView::FromTableData(FRM_CTableView*, FRM_CTdiValue* theValue)
{
    auto* const box = static_cast<CCheckBoxTableAdapter*>(View());
    if (theValue == nullptr || box == nullptr)
        return;
    const FRM_CStringRW text = theValue->ToString();
    if (text == itsCheckBoxInterpreter->OnString())
        box->Select();
    if (text == itsCheckBoxInterpreter->OffString())
        box->Deselect();
}

FRM_CTdiValue* CCellCheckBoxView::ToTableData(FRM_CTableView*)
{
    const auto* const box = static_cast<const CCheckBoxTableAdapter*>(View());
    if (box == nullptr)
        return nullptr;
    itsTempString.FromString(box->IsSelected() ? itsCheckBoxInterpreter->OnString()
                                               : itsCheckBoxInterpreter->OffString());
    return &itsTempString;
}

CCheckBoxTableAdapter::CCheckBoxTableAdapter(CCellView* theCellView, FRM_CSubview* theEnclosure,
                                             const FRM_CRect& theFrame,
                                             const FRM_CStringRW& theTitle, long theAttributes)
    : FRM_NCheckBox(theEnclosure, theFrame, theTitle, theAttributes), itsCellView(theCellView)
{
}

void CCheckBoxTableAdapter::SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared)
{
    const FRM_CEnvironment* const current = GetEnvironment();
    if (current != nullptr && *current == theEnvironment)
        return;
    FRM_NCheckBox::SetEnvironment(theEnvironment, isShared);
    Invalidate(frm_views::MaxRect());
}

void CCheckBoxTableAdapter::DoHit(const s_ctlinfo& theInfo)
{
    FRM_NCheckBox::DoHit(theInfo);
    itsCellView->Flush();
}
