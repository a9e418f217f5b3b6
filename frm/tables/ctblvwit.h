// ctblvwit.h: FRM_CTableViewInterpreter, the interpreter for cells shown by real child views
// (native controls, pictures) placed over them, and CCellView, which binds one child view to
// one cell. Cell views in use are keyed by cell; idle ones wait hidden in a pool and are reused
// before any is created. When the table scrolls, a child view that stays at the same place on
// screen takes over the cell now under it (adoption), so controls are re-filled, not re-made.
// Each cell view owns its child view, which lives in the table view until the cell view goes.
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>
#include "frm/core/ctdivalue.h"
#include "frm/tables/ctblintp.h"
#include "vkocoll/collect.h"

class FRM_CView;
class FRM_CTableViewInterpreter;

namespace frm_tables {
// Registers a collectable class of the tables with the container library's factory under its
// class name and answers the class id it was given.
RWClassID JoinFactory(RWuserCreator theCreator, const char* theName);
} // namespace frm_tables

// Cell views are collectables of the container library; each class joins its factory at
// start-up under its class name.
class CCellView : public RWCollectable {
public:
    // theView is the child view (may be set later with SetView); it must live in the table view.
    CCellView(FRM_CTableViewInterpreter* theInterpreter, FRM_CView* theView);
    // What the factory makes: no interpreter, no child view, cell (0, 0).
    CCellView() : CCellView(nullptr, nullptr) {}
    CCellView(const CCellView&) = delete;
    CCellView& operator=(const CCellView&) = delete;
    // Deletes the adopted data and the child view, when the table view still holds it.
    ~CCellView() override;

    static RWClassID classIsA();
    RWClassID isA() const override { return classIsA(); }
    RWCollectable* newSpecies() const override { return new CCellView; }
    // A child view belongs to one cell view: the copy is of the same class and cell, without
    // interpreter or child view.
    RWCollectable* copy() const override;
    // Cell views hash and compare by their cell.
    unsigned hash() const override;
    bool isEqual(const RWCollectable* other) const override;

    // The control's value to store in the table (owned by the cell view), or null: the base
    // has none.
    virtual FRM_CTdiValue* ToTableData(FRM_CTableView* theTable);
    // Loads the value into the control; the base does nothing.
    virtual void FromTableData(FRM_CTableView* theTable, FRM_CTdiValue* theValue);

    FRM_CView* View() const { return itsView; }
    const FRM_CCell& Cell() const { return itsCell; }
    void Reassign(const FRM_CCell& theCell) { itsCell = theCell; }

    // The reassignment protocol: adopted says the cell view's own cell is provided for,
    // adopting that it is about to show itsAdoptedCell.
    void ResetAdoption();
    short IsAdopted() const { return itsAdopted; }
    short IsAdopting() const { return itIsAdopting; }
    // About to show theCell with the table's value for it. Without a table the cell view keeps
    // its own cell and the value its control holds.
    void Adopt(FRM_CTableView* theTable, const FRM_CCell& theCell);
    // About to show theOther's cell with theOther's current value; theOther's cell counts as
    // provided for.
    void Adopt(FRM_CTableView* theTable, CCellView& theOther);
    // Switches to the adopted cell: its colours and font, then its value.
    void FinalizeAdoption(FRM_CTableView* theTable);
    // Stores the control's value in the table (a refused store leaves the table as it was).
    void Flush();

protected:
    void SetView(FRM_CView* theView) { itsView = theView; }
    FRM_CTableViewInterpreter* Interpreter() const { return itsInterpreter; }

    FRM_CTdiStringValue itsTempString;   // what text kinds answer from ToTableData

private:
    void TakeAdoptedData(const FRM_CTdiValue* theValue);

    FRM_CCell itsCell;
    FRM_CTableViewInterpreter* itsInterpreter;   // not owned
    FRM_CView* itsView;                          // owned; lives in the table view
    std::unique_ptr<FRM_CTdiValue> itsAdoptedData;
    FRM_CCell itsAdoptedCell;
    short itsAdopted = 0;
    short itIsAdopting = 0;
};

class FRM_CTableViewInterpreter : public FRM_CTableInterpreter {
public:
    explicit FRM_CTableViewInterpreter(FRM_CTableView* theTable);
    // Cell views and their controls belong to one interpreter: a copy starts with none.
    FRM_CTableViewInterpreter(const FRM_CTableViewInterpreter& other);
    FRM_CTableViewInterpreter& operator=(const FRM_CTableViewInterpreter& other);
    ~FRM_CTableViewInterpreter() override;

    // The base background and borders, then the cell's child view, bound to the cell, filled
    // with its value, placed on the cell's interior and drawn.
    void Draw(const CTableInterpreterParameters& theParameters) override;
    short CanFocus(const CTableInterpreterParameters& theParameters) override;
    void FocusIn(const CTableInterpreterParameters& theParameters) override;
    // Stores the cell's control value; a refused store redraws the cell.
    void FocusOut(const CTableInterpreterParameters& theParameters) override;
    void Hide(const CTableInterpreterParameters& theParameters) override;
    // Before the table view moves its pixels by theOffset: child views that stay in place
    // take the cells now under them; the others keep their cells and move, or go to the pool.
    void Scroll(const FRM_CPoint& theOffset) override;
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    // A new cell view for the cell the parameters name (the interpreter owns it).
    virtual CCellView* CreateCellView(FRM_CTableView* theTable,
                                      const CTableInterpreterParameters& theParameters,
                                      const FRM_CTdiValue* theValue) = 0;
    // The first cell view in use, not adopting, whose child view's frame is theFrame.
    virtual CCellView* FindCellView(const FRM_CRect& theFrame);
    virtual CCellView* FindCellView(const FRM_CCell& theCell);
    // Cells inside theBounds change place: their cell views store their values and go idle.
    virtual void CellMappingChanged(const FRM_CBounds& theBounds);
    // An idle cell view taken out of the pool (the caller owns it), or null.
    virtual CCellView* RemoveUnusedCellView();
    // Hides the child view and keeps the cell view in the pool.
    virtual void AddUnusedCellView(CCellView* theCellView);

    // The background of the last of table, column, row and cell sets that gives one.
    unsigned long EffectiveBackground(FRM_CTableView* theTable, const FRM_CCell& theCell) const;

    std::size_t CellViewsInUse() const { return itsCellViews.size(); }
    std::size_t UnusedCellViews() const { return itsUnusedCellViews.size(); }

protected:
    // The interior of the parameters' cell in the table view's own coordinates, where a new
    // cell view's child view goes.
    FRM_CRect LocalInterior(FRM_CTableView* theTable,
                            const CTableInterpreterParameters& theParameters);

private:
    struct CellHash {
        std::size_t operator()(const FRM_CCell& theCell) const
        {
            return std::hash<std::uint64_t>()(
                (static_cast<std::uint64_t>(static_cast<std::uint32_t>(theCell.V())) << 32) |
                static_cast<std::uint32_t>(theCell.H()));
        }
    };
    using CellViewMap = std::unordered_map<FRM_CCell, std::unique_ptr<CCellView>, CellHash>;

    // Takes every cell view in use out of the map, in no set order.
    std::vector<std::unique_ptr<CCellView>> TakeCellViews();

    CellViewMap itsCellViews;
    std::vector<std::unique_ptr<CCellView>> itsUnusedCellViews;
};
