// ctbllbit.h: FRM_CTableListButtonInterpreter shows cells as native list buttons that all
// offer the same strings. A cell's text selects the entry with that text (the last such one);
// choosing an entry stores its text in the table at once.
#pragma once
#include <vector>
#include "frm/controls/cnatlist.h"
#include "frm/tables/ctblvwit.h"

class FRM_CTableListButtonInterpreter : public FRM_CTableViewInterpreter {
public:
    // theHeight is each list button's frame height, its drop-down list included.
    FRM_CTableListButtonInterpreter(FRM_CTableView* theTable, float theHeight);
    FRM_CTableListButtonInterpreter(const FRM_CTableListButtonInterpreter& other) = default;
    FRM_CTableListButtonInterpreter&
    operator=(const FRM_CTableListButtonInterpreter& other) = default;

    // Reaches only the list buttons made after it.
    void AddString(const FRM_CStringRW& theString);
    float Height() const { return itsHeight; }

    CCellView* CreateCellView(FRM_CTableView* theTable,
                              const CTableInterpreterParameters& theParameters,
                              const FRM_CTdiValue* theValue) override;
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

private:
    std::vector<FRM_CStringRW> itsStrings;
    float itsHeight;
};

class CCellListButtonView : public CCellView {
public:
    // The button is a child of theTable at theInterior with its height replaced by theHeight.
    CCellListButtonView(FRM_CTableViewInterpreter* theInterpreter, FRM_CTableView* theTable,
                        const FRM_CRect& theInterior, float theHeight,
                        const std::vector<FRM_CStringRW>& theStrings);
    CCellListButtonView() = default;
    static RWClassID classIsA();
    RWClassID isA() const override { return classIsA(); }
    RWCollectable* newSpecies() const override { return new CCellListButtonView; }

    // Selects the last entry equal to the text, unless the selected one already is; a text
    // that names no entry leaves the choice as it is.
    void FromTableData(FRM_CTableView* theTable, FRM_CTdiValue* theValue) override;
    // The selected entry's text.
    FRM_CTdiValue* ToTableData(FRM_CTableView* theTable) override;
};

// The list button of one cell view: the table places and draws it, keeping its own height, and
// a choice is stored.
class CListButtonTableAdapter : public FRM_NListButton {
public:
    CListButtonTableAdapter(CCellView* theCellView, FRM_CSubview* theEnclosure,
                            const FRM_CRect& theFrame, const FRM_CStringCollection& theItems);

    void DoSize(const FRM_CRect&) override {}
    void DoDraw(const FRM_CRect&) override {}
    // Takes the rectangle's place and width; the height stays the button's own.
    void Size(const FRM_CRect& theFrame) override;
    void SetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    void DoHit(const s_ctlinfo& theInfo) override;

private:
    CCellView* itsCellView;   // not owned: it owns this adapter
};
