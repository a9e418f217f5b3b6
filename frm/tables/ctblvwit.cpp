// ctblvwit.cpp: cell views and the view interpreter: binding child views to cells, drawing
// them, the pool, and the adoption of cells when the table scrolls.
#include "frm/tables/ctblvwit.h"

#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/tables/ctblview.h"
#include "frm/views/cview.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/ordered.h"

namespace {

// A new value of the same class holding a copy of value; null when it cannot be copied.
FRM_CTdiValue* CopyOf(const FRM_CTdiValue& value)
{
    std::unique_ptr<FRM_CTdiValue> copy(static_cast<FRM_CTdiValue*>(value.newSpecies()));
    if (copy == nullptr || copy->Copy(value) == 0)
        return nullptr;
    return copy.release();   // the caller owns it
}

// Whether the view is still a child of the table view (the table view deletes the children
// it still holds when it goes).
bool Holds(const FRM_CTableView* theTable, const FRM_CView* theView)
{
    const RWOrdered* const children = theTable != nullptr ? theTable->GetSubviews() : nullptr;
    for (std::size_t i = 0; children != nullptr && i < children->entries(); ++i)
        if ((*children)[i] == theView)
            return true;
    return false;
}

WINDOW WindowOf(const FRM_CTableView* theTable)
{
    const FRM_CWindow* const window = theTable != nullptr ? theTable->GetCWindow() : nullptr;
    return window != nullptr ? window->GetVKOWindow() : nullptr;
}

FRM_CRect CellRect(FRM_CTableView* theTable, const FRM_CCell& theCell)
{
    return theTable->GetCoordinates().ToScreen(
        FRM_CBounds(theCell.V(), theCell.H(), theCell.V() + 1, theCell.H() + 1));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Cell views

CCellView::CCellView(FRM_CTableViewInterpreter* theInterpreter, FRM_CView* theView)
    : itsInterpreter(theInterpreter), itsView(theView)
{
}

CCellView::~CCellView()
{
    if (itsView != nullptr && Holds(itsInterpreter->Table(), itsView))
        delete itsView;
}

RWClassID frm_tables::JoinFactory(RWuserCreator theCreator, const char* theName)
{
    const RWClassID id = nextAtom();
    rwAddToFactory(theCreator, id, theName);
    return id;
}

namespace {
const RWClassID kCellViewId =
    frm_tables::JoinFactory([]() -> RWCollectable* { return new CCellView; }, "CCellView");
} // namespace

RWClassID CCellView::classIsA() { return kCellViewId; }

RWCollectable* CCellView::copy() const
{
    auto* copied = static_cast<CCellView*>(newSpecies());
    copied->itsCell = itsCell;
    return copied;
}

unsigned CCellView::hash() const
{
    return static_cast<unsigned>(itsCell.V() + itsCell.H());
}

bool CCellView::isEqual(const RWCollectable* other) const
{
    const auto* cellView = dynamic_cast<const CCellView*>(other);
    return cellView != nullptr && cellView->itsCell == itsCell;
}

FRM_CTdiValue* CCellView::ToTableData(FRM_CTableView*) { return nullptr; }

void CCellView::FromTableData(FRM_CTableView*, FRM_CTdiValue*) {}

void CCellView::ResetAdoption()
{
    itsAdopted = 0;
    itIsAdopting = 0;
}

void CCellView::TakeAdoptedData(const FRM_CTdiValue* theValue)
{
    if (theValue == nullptr)
        return;
    if (FRM_CTdiValue* const copy = CopyOf(*theValue))
        itsAdoptedData.reset(copy);
}

void CCellView::Adopt(FRM_CTableView* theTable, const FRM_CCell& theCell)
{
    if (theTable == nullptr) {
        // Keeping its own cell counts as adopting it, control value and all.
        itsAdopted = 1;
        itsAdoptedCell = itsCell;
        itIsAdopting = 1;
        itsAdoptedData.reset();
        return;
    }
    itsAdoptedCell = theCell;
    itIsAdopting = 1;
    itsAdoptedData.reset();
    TakeAdoptedData(theTable->GetData(theCell));
}

void CCellView::Adopt(FRM_CTableView* theTable, CCellView& theOther)
{
    itsAdoptedData.reset();
    TakeAdoptedData(theOther.ToTableData(theTable));
    itsAdoptedCell = theOther.itsCell;
    itIsAdopting = 1;
    theOther.itsAdopted = 1;
}

void CCellView::FinalizeAdoption(FRM_CTableView* theTable)
{
    if (itIsAdopting == 0) {
        itsAdopted = 0;
        return;
    }
    itsCell = itsAdoptedCell;
    if (itsView != nullptr && theTable != nullptr) {
        FRM_CEnvironment environment;   // no colours, white brush, black pen, standard font
        FRM_CTableAttributes attributes;
        theTable->CellToAttributes(itsCell, attributes);
        if (attributes.Mask() & FRM_CTableAttributes::MaskForeground)
            environment.SetForegroundColor(attributes.Foreground(), FRM_CEnvironment::kBlack);
        // A cell without a colour of its own shows the table's white paper; left unset, a
        // control would take whatever colour the table last drew with.
        const bool hasBackground = (attributes.Mask() & FRM_CTableAttributes::MaskBackground) &&
                                   attributes.Background() != FRM_CTableAttributes::kNoColor;
        environment.SetBackgroundColor(hasBackground ? attributes.Background()
                                                     : FRM_CEnvironment::kWhite,
                                       FRM_CEnvironment::kWhite);
        if (attributes.Mask() & FRM_CTableAttributes::MaskFont)
            environment.SetFont(attributes.Font());
        itsView->DoSetEnvironment(environment, 0);
    }
    if (itsAdoptedData != nullptr)
        FromTableData(theTable, itsAdoptedData.get());
    itIsAdopting = 0;
    itsAdopted = 1;
}

void CCellView::Flush()
{
    FRM_CTableView* const table = itsInterpreter->Table();
    if (table == nullptr)
        return;
    if (const FRM_CTdiValue* const value = ToTableData(table))
        table->PutData(itsCell, value);
}

// ---------------------------------------------------------------------------------------------
// The interpreter

FRM_CTableViewInterpreter::FRM_CTableViewInterpreter(FRM_CTableView* theTable)
    : FRM_CTableInterpreter(theTable)
{
}

FRM_CTableViewInterpreter::FRM_CTableViewInterpreter(const FRM_CTableViewInterpreter& other)
    : FRM_CTableInterpreter(other)
{
}

// Hand-written: the cell views and their controls stay the target's own; the table is copied.
FRM_CTableViewInterpreter&
FRM_CTableViewInterpreter::operator=(const FRM_CTableViewInterpreter& other)
{
    FRM_CTableInterpreter::operator=(other);
    return *this;
}

FRM_CTableViewInterpreter::~FRM_CTableViewInterpreter() = default;

const FRM_CTypeInfo* FRM_CTableViewInterpreter::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableViewInterpreter;
}

const FRM_CTypeInfo* FRM_CTableViewInterpreter::GetStaticTypeInfo()
{
    return &frm_type::CTableViewInterpreter;
}

FRM_CRect FRM_CTableViewInterpreter::LocalInterior(
    FRM_CTableView* theTable, const CTableInterpreterParameters& theParameters)
{
    return GetInterior(*theParameters.itsCellBounds, *theParameters.itsAttributes)
        .GetLocal(theTable);
}

void FRM_CTableViewInterpreter::Draw(const CTableInterpreterParameters& theParameters)
{
    FRM_CTableView* const table = theParameters.itsView;
    const FRM_CCell cell = *theParameters.itsCell;
    CCellView* cellView = FindCellView(cell);
    const FRM_CRect interior =
        GetInterior(*theParameters.itsCellBounds, *theParameters.itsAttributes);
    const FRM_CTdiValue* const value = table->GetData(cell);

    FRM_CTableInterpreter::Draw(theParameters);

    // Marks the window while its controls are made, set and moved, also during its update.
    const WINDOW window = WindowOf(table);
    const intptr_t wasMarked =
        window != nullptr && vko_vobj_get_attr(window, VKO_ATTR_TABLE_VIEW) == 1 ? 1 : 0;
    if (window != nullptr)
        vko_vobj_set_attr(window, VKO_ATTR_TABLE_VIEW, 1);
    if (cellView == nullptr) {
        theParameters.itsContext->GetEnv().SetBackgroundColor(EffectiveBackground(table, cell),
                                                              FRM_CEnvironment::kUnsetColor);
        std::unique_ptr<CCellView> fresh(RemoveUnusedCellView());
        if (fresh == nullptr)
            fresh.reset(CreateCellView(table, theParameters, value));
        cellView = fresh.get();
        if (fresh != nullptr)
            itsCellViews[cell] = std::move(fresh);
    }
    if (cellView != nullptr && cellView->View() != nullptr) {
        FRM_CView* const child = cellView->View();
        child->Show();
        cellView->Adopt(table, cell);
        cellView->FinalizeAdoption(table);
        child->Size(interior.GetLocal(table));
        child->Draw(*theParameters.itsClip);
    }
    if (window != nullptr)
        vko_vobj_set_attr(window, VKO_ATTR_TABLE_VIEW, wasMarked);
}

short FRM_CTableViewInterpreter::CanFocus(const CTableInterpreterParameters&) { return 1; }

void FRM_CTableViewInterpreter::FocusIn(const CTableInterpreterParameters&) {}

void FRM_CTableViewInterpreter::FocusOut(const CTableInterpreterParameters& theParameters)
{
    FRM_CTableView* const table = theParameters.itsView;
    CCellView* const cellView = FindCellView(*theParameters.itsCell);
    if (cellView == nullptr)
        return;
    const FRM_CTdiValue* const value = cellView->ToTableData(table);
    if (value != nullptr && table->PutData(*theParameters.itsCell, value) == 0)
        table->InvalidateCell(*theParameters.itsCell);
}

void FRM_CTableViewInterpreter::Hide(const CTableInterpreterParameters& theParameters)
{
    CCellView* const cellView = FindCellView(*theParameters.itsCell);
    if (cellView != nullptr && cellView->View() != nullptr)
        cellView->View()->Hide();
}

CCellView* FRM_CTableViewInterpreter::FindCellView(const FRM_CCell& theCell)
{
    const auto found = itsCellViews.find(theCell);
    return found != itsCellViews.end() ? found->second.get() : nullptr;
}

CCellView* FRM_CTableViewInterpreter::FindCellView(const FRM_CRect& theFrame)
{
    for (auto& [cell, cellView] : itsCellViews)
        if (!cellView->IsAdopting() && cellView->View() != nullptr &&
            cellView->View()->GetFrame() == theFrame)
            return cellView.get();
    return nullptr;
}

void FRM_CTableViewInterpreter::CellMappingChanged(const FRM_CBounds& theBounds)
{
    for (auto it = itsCellViews.begin(); it != itsCellViews.end();) {
        if (!theBounds.Contains(it->first)) {
            ++it;
            continue;
        }
        std::unique_ptr<CCellView> cellView = std::move(it->second);
        it = itsCellViews.erase(it);
        cellView->Flush();
        AddUnusedCellView(cellView.release());
    }
}

CCellView* FRM_CTableViewInterpreter::RemoveUnusedCellView()
{
    if (itsUnusedCellViews.empty())
        return nullptr;
    CCellView* const cellView = itsUnusedCellViews.back().release();   // the caller owns it
    itsUnusedCellViews.pop_back();
    return cellView;
}

void FRM_CTableViewInterpreter::AddUnusedCellView(CCellView* theCellView)
{
    if (theCellView == nullptr)
        return;
    if (theCellView->View() != nullptr)
        theCellView->View()->Hide();
    itsUnusedCellViews.emplace_back(theCellView);
}

unsigned long FRM_CTableViewInterpreter::EffectiveBackground(FRM_CTableView* theTable,
                                                             const FRM_CCell& theCell) const
{
    FRM_CTableAttributeArray& attributes = theTable->GetAttributes();
    unsigned long background = FRM_CTableAttributes::kNoColor;
    for (const FRM_CTableAttributes* level :
         {attributes.GetTable(), attributes.GetColumn(theCell.H()), attributes.GetRow(theCell.V()),
          attributes.GetCell(theCell)})
        if (level != nullptr && (level->Mask() & FRM_CTableAttributes::MaskBackground))
            background = level->Background();
    return background;
}

std::vector<std::unique_ptr<CCellView>> FRM_CTableViewInterpreter::TakeCellViews()
{
    std::vector<std::unique_ptr<CCellView>> cellViews;
    cellViews.reserve(itsCellViews.size());
    for (auto& [cell, cellView] : itsCellViews)
        cellViews.push_back(std::move(cellView));
    itsCellViews.clear();
    return cellViews;
}

void FRM_CTableViewInterpreter::Scroll(const FRM_CPoint& theOffset)
{
    FRM_CTableView* const table = Table();
    if (table == nullptr || itsCellViews.empty())
        return;
    FRM_CTableCoordinates& coordinates = table->GetCoordinates();
    const FRM_CBounds bounds = table->GetCellBounds();
    for (auto& [cell, cellView] : itsCellViews)
        cellView->ResetAdoption();

    // Each cell view looks at the cell now under the place its own cell had on screen.
    std::vector<CCellView*> pending;
    for (auto& [cell, cellView] : itsCellViews) {
        const FRM_CRect before = CellRect(table, cell) - theOffset;
        const FRM_CCell under = coordinates.ToCell(before).TopLeft();
        const FRM_CRect now = CellRect(table, under);
        if (!bounds.Contains(under) || now.Width() != before.Width() ||
            now.Height() != before.Height()) {
            pending.push_back(cellView.get());
            continue;
        }
        if (CCellView* const showing = FindCellView(under)) {
            cellView->Adopt(table, *showing);
            continue;
        }
        FRM_CTableAttributes attributes;
        table->CellToAttributes(under, attributes);
        if (attributes.Interpreter() == this)
            cellView->Adopt(table, under);
        else
            pending.push_back(cellView.get());
    }

    // Cells left without a view: a cell view that found nothing keeps its cell and moves with
    // the pixels; a cell left by a cell view that moved on goes to the next one still waiting.
    std::size_t next = 0;
    for (auto& [cell, cellView] : itsCellViews) {
        if (cellView->IsAdopted())
            continue;
        CCellView* mover = cellView.get();
        if (cellView->IsAdopting()) {
            if (next == pending.size())
                break;
            mover = pending[next++];
            mover->Adopt(table, *cellView);
        } else {
            cellView->Adopt(nullptr, cell);
        }
        if (FRM_CView* const child = mover->View())
            child->Size(child->GetFrame() + theOffset);
    }

    // Bind the new cells. Cell views whose cells are provided for by others go idle, and so
    // do those whose cells left the view or the table: their controls would stay on screen
    // outside it, or below its last row. A cell past the table's end has no value to keep.
    const FRM_CBounds visible = coordinates.ToCell(table->GetLocalFrame());
    const auto onScreen = [&visible](const FRM_CCell& cell) {
        return cell.V() >= visible.Top() && cell.V() <= visible.Bottom() &&
               cell.H() >= visible.Left() && cell.H() <= visible.Right();
    };
    for (std::unique_ptr<CCellView>& cellView : TakeCellViews()) {
        cellView->FinalizeAdoption(table);
        if (!bounds.Contains(cellView->Cell())) {
            AddUnusedCellView(cellView.release());
            continue;
        }
        if (cellView->IsAdopted() == 0 || !onScreen(cellView->Cell())) {
            cellView->Flush();
            AddUnusedCellView(cellView.release());
            continue;
        }
        std::unique_ptr<CCellView>& slot = itsCellViews[cellView->Cell()];
        if (slot == nullptr)
            slot = std::move(cellView);
        else
            AddUnusedCellView(cellView.release());   // two took one cell: the first keeps it
    }
}
