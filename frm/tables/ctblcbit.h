// ctblcbit.h: FRM_CTableCheckBoxInterpreter shows cells as native check boxes. A cell's text
// checks the box when it equals the "on" string and clears it when it equals the "off"
// string; a click stores the matching string in the table at once.
#pragma once
#include "frm/controls/nctrls.h"
#include "frm/tables/ctblvwit.h"

class FRM_CTableCheckBoxInterpreter : public FRM_CTableViewInterpreter {
public:
    // theTitle labels every box; both strings start empty.
    FRM_CTableCheckBoxInterpreter(FRM_CTableView* theTable, const FRM_CStringRW& theTitle);
    FRM_CTableCheckBoxInterpreter(const FRM_CTableCheckBoxInterpreter& other) = default;
    FRM_CTableCheckBoxInterpreter& operator=(const FRM_CTableCheckBoxInterpreter& other) = default;

    const FRM_CStringRW& OnString() const { return itsOnString; }
    void OnString(const FRM_CStringRW& theString) { itsOnString = theString; }
    const FRM_CStringRW& OffString() const { return itsOffString; }
    void OffString(const FRM_CStringRW& theString) { itsOffString = theString; }
    const FRM_CStringRW& Title() const { return itsTitle; }

    CCellView* CreateCellView(FRM_CTableView* theTable,
                              const CTableInterpreterParameters& theParameters,
                              const FRM_CTdiValue* theValue) override;
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

private:
    FRM_CStringRW itsTitle;
    FRM_CStringRW itsOnString;
    FRM_CStringRW itsOffString;
};

class CCellCheckBoxView : public CCellView {
public:
    // The box is a child of theTable at theFrame (the table view's local coordinates).
    CCellCheckBoxView(FRM_CTableCheckBoxInterpreter* theInterpreter, FRM_CTableView* theTable,
                      const FRM_CRect& theFrame);
    CCellCheckBoxView() = default;
    static RWClassID classIsA();
    RWClassID isA() const override { return classIsA(); }
    RWCollectable* newSpecies() const override { return new CCellCheckBoxView; }

    // The on string checks the box, then the off string clears it; other texts change nothing.
    void FromTableData(FRM_CTableView* theTable, FRM_CTdiValue* theValue) override;
    // The on or the off string, as the box stands.
    FRM_CTdiValue* ToTableData(FRM_CTableView* theTable) override;

private:
    FRM_CTableCheckBoxInterpreter* itsCheckBoxInterpreter = nullptr;   // not owned
};

// The check box of one cell view: the table places and draws it, and a click is stored.
class CCheckBoxTableAdapter : public FRM_NCheckBox {
public:
    CCheckBoxTableAdapter(CCellView* theCellView, FRM_CSubview* theEnclosure,
                          const FRM_CRect& theFrame, const FRM_CStringRW& theTitle,
                          long theAttributes);

    void DoSize(const FRM_CRect&) override {}
    void DoDraw(const FRM_CRect&) override {}
    // Applied (and the control redrawn) only when it differs from the current environment.
    void SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    // Flips the box, then stores the cell's new string.
    void DoHit(const s_ctlinfo& theInfo) override;

private:
    CCellView* itsCellView;   // not owned: it owns this adapter
};
