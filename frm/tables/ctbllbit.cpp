// ctbllbit.cpp: list-button cells: the interpreter, its cell views and their list buttons.
#include "frm/tables/ctbllbit.h"

#include <memory>
#include "frm/drawing/cenviron.h"
#include "frm/tables/ctblview.h"
#include "frm/views/viewsvc.h"
#include "vkocoll/ordered.h"

namespace {
constexpr int kLongestText = FRM_CNativeList::kMaxItemLength;
} // namespace

FRM_CTableListButtonInterpreter::FRM_CTableListButtonInterpreter(FRM_CTableView* theTable,
                                                                 float theHeight)
    : FRM_CTableViewInterpreter(theTable), itsHeight(theHeight)
{
}

void FRM_CTableListButtonInterpreter::AddString(const FRM_CStringRW& theString)
{
    itsStrings.push_back(theString);
}

const FRM_CTypeInfo* FRM_CTableListButtonInterpreter::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableListButtonInterpreter;
}

const FRM_CTypeInfo* FRM_CTableListButtonInterpreter::GetStaticTypeInfo()
{
    return &frm_type::CTableListButtonInterpreter;
}

CCellView*
FRM_CTableListButtonInterpreter::CreateCellView(FRM_CTableView* theTable,
                                                const CTableInterpreterParameters& theParameters,
                                                const FRM_CTdiValue*)
{
    const FRM_CRect interior = LocalInterior(theTable, theParameters);
    auto* const cellView =   // the caller owns it
        new CCellListButtonView(this, theTable, interior, itsHeight, itsStrings);
    cellView->Reassign(*theParameters.itsCell);
    return cellView;
}

namespace {
const RWClassID kListButtonViewId = frm_tables::JoinFactory(
    []() -> RWCollectable* { return new CCellListButtonView; }, "CCellListButtonView");
} // namespace

RWClassID CCellListButtonView::classIsA() { return kListButtonViewId; }

CCellListButtonView::CCellListButtonView(FRM_CTableViewInterpreter* theInterpreter,
                                         FRM_CTableView* theTable, const FRM_CRect& theInterior,
                                         float theHeight,
                                         const std::vector<FRM_CStringRW>& theStrings)
    : CCellView(theInterpreter, nullptr)
{
    FRM_CRect frame = theInterior;
    frame.Height(theHeight);
    // The button keeps its own copies of the texts; these live only until it is made.
    std::vector<std::unique_ptr<FRM_CStringRWC>> texts;
    RWOrdered list;
    for (const FRM_CStringRW& text : theStrings) {
        texts.push_back(std::make_unique<FRM_CStringRWC>(text));
        list.insert(texts.back().get());
    }
    SetView(new CListButtonTableAdapter(this, theTable, frame, FRM_CStringCollection(list)));
}

void CCellListButtonView::FromTableData(FRM_CTableView*, FRM_CTdiValue* theValue)
{
    auto* const button = static_cast<CListButtonTableAdapter*>(View());
    if (theValue == nullptr || button == nullptr)
        return;
    const FRM_CStringRW text = theValue->ToString();
    if (button->GetFirstSelectedItem(kLongestText) == text)
        return;
    for (int i = button->GetNumItems() - 1; i >= 0; --i) {
        if (button->GetItem(i, kLongestText) == text) {
            button->DeselectAll();
            button->SelectItem(i);
            return;
        }
    }
}

FRM_CTdiValue* CCellListButtonView::ToTableData(FRM_CTableView*)
{
    const auto* const button = static_cast<const CListButtonTableAdapter*>(View());
    if (button == nullptr)
        return nullptr;
    itsTempString.FromString(button->GetFirstSelectedItem(kLongestText));
    return &itsTempString;
}

CListButtonTableAdapter::CListButtonTableAdapter(CCellView* theCellView,
                                                 FRM_CSubview* theEnclosure,
                                                 const FRM_CRect& theFrame,
                                                 const FRM_CStringCollection& theItems)
    : FRM_NListButton(theEnclosure, theFrame, theItems, -1, 0), itsCellView(theCellView)
{
}

void CListButtonTableAdapter::Size(const FRM_CRect& theFrame)
{
    FRM_CRect frame = theFrame;
    frame.Height(GetFrame().Height());
    if (!(frame == GetFrame()))
        FRM_NListButton::Size(frame);
}

void CListButtonTableAdapter::SetEnvironment(const FRM_CEnvironment& theEnvironment,
                                             short isShared)
{
    const FRM_CEnvironment* const current = GetEnvironment();
    if (current != nullptr && *current == theEnvironment)
        return;
    FRM_NListButton::SetEnvironment(theEnvironment, isShared);
    Invalidate(frm_views::MaxRect());
}

void CListButtonTableAdapter::DoHit(const s_ctlinfo& theInfo)
{
    FRM_NListButton::DoHit(theInfo);
    itsCellView->Flush();
}
