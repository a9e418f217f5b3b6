// View-based cells, with check boxes as the kind: cell views made once for the cells on screen
// and reused, controls re-targeted when the table scrolls (equal and unequal row heights), the
// pool, a mapping change storing values before releasing controls, and focus.
#include "frm/tables/ctblvwit.h"

#include <algorithm>
#include <memory>
#include <typeinfo>
#include <set>
#include <string>
#include <vector>
#include "frm/tables/ctblcbit.h"
#include "frm/tables/ctbllbit.h"
#include "frm/tables/ctblpcit.h"
#include "table_fixture.h"
#include "vkobase/testing.h"

namespace {

using Attributes = FRM_CTableAttributes;

constexpr std::int32_t kBoxColumn = 1;

class ViewInterpreterTest : public tabletest::TableFixture {
protected:
    // A table of theRows rows whose column 1 shows check boxes of "yes" and "no".
    FRM_CTableView* NewBoxTable(std::int32_t theRows)
    {
        FRM_CTableView* const view = NewTableView(theRows, 3);
        itsBoxes = new FRM_CTableCheckBoxInterpreter(view, FRM_CStringRW("on"));
        itsBoxes->OnString(FRM_CStringRW("yes"));
        itsBoxes->OffString(FRM_CStringRW("no"));
        Attributes column;
        column.Interpreter(itsBoxes);   // the table owns it from here
        view->SetColumn(kBoxColumn, column, 0);
        for (std::int32_t row = 0; row < theRows; ++row)
            itsSource.Set(row, kBoxColumn, row % 3 == 0 ? "yes" : "no");
        return view;
    }

    void DrawAll(FRM_CTableView* theView) { theView->Draw(theView->GetGlobalFrame()); }

    static CCheckBoxTableAdapter* Box(CCellView* theCellView)
    {
        return static_cast<CCheckBoxTableAdapter*>(theCellView->View());
    }

    // Every row from theFirst to theLast has one shown box, on its cell's interior, checked as
    // the source says; no other box is shown.
    void ExpectBoxesShowRows(FRM_CTableView* theView, std::int32_t theFirst, std::int32_t theLast)
    {
        std::set<const FRM_CView*> shown;
        for (std::int32_t row = theFirst; row <= theLast; ++row) {
            CCellView* const cellView = itsBoxes->FindCellView(FRM_CCell(kBoxColumn, row));
            ASSERT_NE(cellView, nullptr) << "row " << row;
            EXPECT_EQ(cellView->Cell(), FRM_CCell(kBoxColumn, row));
            EXPECT_TRUE(Box(cellView)->IsVisible()) << "row " << row;
            EXPECT_EQ(Box(cellView)->IsSelected(), row % 3 == 0 ? 1 : 0) << "row " << row;
            const FRM_CRect cell = theView->GetCoordinates().ToScreen(
                FRM_CBounds(row, kBoxColumn, row + 1, kBoxColumn + 1));
            EXPECT_EQ(Box(cellView)->GetFrame(),
                      FRM_CRect(cell.Left() + 1, cell.Top() + 1, cell.Right(), cell.Bottom()))
                << "row " << row;
            shown.insert(cellView->View());
        }
        EXPECT_EQ(itsBoxes->CellViewsInUse(), shown.size());
    }

    FRM_CTableCheckBoxInterpreter* itsBoxes = nullptr;   // owned by the table's attributes
};

TEST_F(ViewInterpreterTest, MakesOneControlPerCellOnScreenOnce)
{
    FRM_CTableView* const view = NewBoxTable(30);
    vkov_debug_draw_log_clear(itsHandle);
    DrawAll(view);
    // Under its control each cell still draws its borders: row 2's top and left lines.
    const std::vector<std::string> lines = LogArgs(itsHandle, "draw_line");
    for (const char* line : {"50,40,100,40", "50,40,50,60"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    // Rows 0 to 10 are drawn (the frame's bottom edge touches row 10).
    ExpectBoxesShowRows(view, 0, 10);
    const long controls = view->GetNumViews();
    EXPECT_EQ(controls, 11);
    DrawAll(view);
    EXPECT_EQ(view->GetNumViews(), controls);
    EXPECT_EQ(itsBoxes->UnusedCellViews(), 0u);
}

// Counts the reports of the checking layer (a control call refused while a window paints).
void CountReport(WINDOW, int32_t, uint32_t, const char*, int32_t, void* context)
{
    ++*static_cast<int*>(context);
}

TEST_F(ViewInterpreterTest, ScrollingReTargetsControlsInsteadOfMakingNew)
{
    int reports = 0;
    vkov_test_set_errmsg_hook(CountReport, &reports);
    FRM_CTableView* const view = NewBoxTable(30);
    DrawAll(view);
    const long controls = view->GetNumViews();
    const FRM_CView* const topBox = itsBoxes->FindCellView(FRM_CCell(kBoxColumn, 0))->View();

    view->SetCellOrigin(FRM_CCell(0, 1));   // one row down
    ExpectBoxesShowRows(view, 1, 11);
    // The control at the top stayed in place and now shows row 1.
    EXPECT_EQ(itsBoxes->FindCellView(FRM_CCell(kBoxColumn, 1))->View(), topBox);
    DrawAll(view);
    ExpectBoxesShowRows(view, 1, 11);
    EXPECT_EQ(view->GetNumViews(), controls);

    view->SetCellOrigin(FRM_CCell(0, 4));   // three rows down, then back up
    view->SetCellOrigin(FRM_CCell(0, 2));
    DrawAll(view);
    ExpectBoxesShowRows(view, 2, 12);
    EXPECT_EQ(view->GetNumViews(), controls);
    EXPECT_TRUE(itsSource.itsStores.empty());   // nothing the user changed: nothing stored

    // Rows that leave the view when it shrinks give their controls to the pool, hidden.
    const FRM_CView* const lastBox = itsBoxes->FindCellView(FRM_CCell(kBoxColumn, 12))->View();
    view->Size(FRM_CRect(0, 0, 300, 100));   // rows 2 to 7 now
    EXPECT_EQ(itsBoxes->UnusedCellViews(), 5u);
    EXPECT_FALSE(lastBox->IsVisible());
    ExpectBoxesShowRows(view, 2, 7);
    // The scrolls repaint the window at once: its update placed and set the controls.
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    EXPECT_EQ(reports, 0);
}

TEST_F(ViewInterpreterTest, UnevenRowsKeepEveryRowShownOnce)
{
    FRM_CTableView* const view = NewBoxTable(30);
    view->SetRow(3, 40.0f);
    view->SetRow(6, 30.0f);
    DrawAll(view);
    const long controls = view->GetNumViews();
    for (std::int32_t origin : {1, 2, 4, 3, 0}) {
        view->SetCellOrigin(FRM_CCell(0, origin));
        DrawAll(view);
        const FRM_CBounds visible = view->GetCoordinates().ToCell(view->GetLocalFrame());
        ExpectBoxesShowRows(view, visible.Top(), visible.Bottom());
        // Controls that lost their cells wait in the pool, hidden, and are used first.
        EXPECT_LE(view->GetNumViews(), controls + 1) << "origin " << origin;
    }
}

TEST_F(ViewInterpreterTest, AMappingChangeStoresValuesThenPoolsTheControls)
{
    FRM_CTableView* const view = NewBoxTable(30);
    DrawAll(view);
    CCellView* const third = itsBoxes->FindCellView(FRM_CCell(kBoxColumn, 3));
    Box(third)->DoHit(s_ctlinfo{});   // the user clears row 3's box: stored at once
    ASSERT_EQ(itsSource.itsStores.size(), 1u);
    EXPECT_EQ(itsSource.itsStores[0], std::make_pair(FRM_CCell(kBoxColumn, 3), std::string("no")));
    itsSource.Set(3, kBoxColumn, "yes");   // pretend the store was not taken
    itsSource.itsStores.clear();

    itsBoxes->CellMappingChanged(FRM_CBounds(2, 0, 5, 3));
    // Rows 2 to 4 stored what their boxes show, then went idle and hidden.
    ASSERT_EQ(itsSource.itsStores.size(), 3u);
    std::set<std::string> stored;
    for (const auto& [cell, text] : itsSource.itsStores)
        stored.insert(std::to_string(cell.V()) + "=" + text);
    EXPECT_EQ(stored, (std::set<std::string>{"2=no", "3=no", "4=no"}));
    EXPECT_EQ(itsBoxes->UnusedCellViews(), 3u);
    EXPECT_EQ(itsBoxes->FindCellView(FRM_CCell(kBoxColumn, 3)), nullptr);
    EXPECT_FALSE(third->View()->IsVisible());

    // The next draw takes the idle controls before making any.
    const long controls = view->GetNumViews();
    itsSource.Set(3, kBoxColumn, "yes");
    DrawAll(view);
    EXPECT_EQ(view->GetNumViews(), controls);
    EXPECT_EQ(itsBoxes->UnusedCellViews(), 0u);
    ExpectBoxesShowRows(view, 0, 10);
}

// The cells whose controls show, as "row,column"; every shown child control of the view
// must be one of them.
std::set<std::string> ShownBoxCells(FRM_CTableView* theView, FRM_CTableCheckBoxInterpreter* theBoxes)
{
    std::set<std::string> cells;
    for (std::int32_t row = 0; row < 40; ++row)
        for (std::int32_t column = 0; column < 4; ++column) {
            CCellView* const cellView = theBoxes->FindCellView(FRM_CCell(column, row));
            if (cellView != nullptr && cellView->View()->IsVisible())
                cells.insert(std::to_string(row) + "," + std::to_string(column));
        }
    std::size_t shownChildren = 0;
    const RWOrdered* const children = theView->GetSubviews();
    for (std::size_t i = 0; i < children->entries(); ++i)
        shownChildren += static_cast<const FRM_CView*>((*children)[i])->IsVisible() ? 1 : 0;
    EXPECT_EQ(shownChildren, cells.size()) << "a shown control that belongs to no cell";
    return cells;
}

std::set<std::string> Column(std::int32_t theColumn, std::int32_t theFirst, std::int32_t theLast)
{
    std::set<std::string> cells;
    for (std::int32_t row = theFirst; row <= theLast; ++row)
        cells.insert(std::to_string(row) + "," + std::to_string(theColumn));
    return cells;
}

// Controls follow their cells when rows or columns come and go: none stays over the cell
// that moved into its place, nor past the table's last row or column.
TEST_F(ViewInterpreterTest, InsertedAndDeletedRowsAndColumnsLeaveNoControlBehind)
{
    struct Case {
        const char* why;
        void (*change)(FRM_CTableView*);
        std::set<std::string> shown;
    };
    const Case cases[] = {
        {"the box column deleted: a text column takes its place",
         [](FRM_CTableView* v) { v->DeleteColumns(kBoxColumn, 1); }, {}},
        {"the last two columns deleted", [](FRM_CTableView* v) { v->DeleteColumns(1, 2); }, {}},
        {"a deletion reaching past the last column takes the columns before it too",
         [](FRM_CTableView* v) { v->DeleteColumns(2, 3); }, {}},
        {"a column deleted before the boxes", [](FRM_CTableView* v) { v->DeleteColumns(0, 1); },
         Column(0, 0, 10)},
        {"a column inserted before the boxes", [](FRM_CTableView* v) { v->InsertColumns(0, 1); },
         Column(2, 0, 10)},
        {"rows inserted and deleted", [](FRM_CTableView* v) {
             v->InsertRows(2, 3);
             v->DeleteRows(0, 4);
         },
         Column(kBoxColumn, 0, 10)},
        {"rows deleted at the end of a scrolled table of uneven rows",
         [](FRM_CTableView* v) {
             v->SetRow(16, 24.0f);
             v->SetCellOrigin(FRM_CCell(0, 29));
             v->DeleteRows(7, 2);
         },
         Column(kBoxColumn, 17, 26)},   // 26 is the last row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CTableView* const view = NewBoxTable(29);
        DrawAll(view);
        c.change(view);
        DrawAll(view);
        EXPECT_EQ(ShownBoxCells(view, itsBoxes), c.shown);
        view->Hide();
    }
}

TEST_F(ViewInterpreterTest, FocusOutStoresTheControlAndHideHidesIt)
{
    FRM_CTableView* const view = NewBoxTable(30);
    DrawAll(view);
    const FRM_CCell cell(kBoxColumn, 4);
    view->SetFocus(&cell);
    ASSERT_NE(view->GetFocus(), nullptr);   // view-based cells always take the focus
    Box(itsBoxes->FindCellView(cell))->Select();
    view->SetFocus(nullptr);
    ASSERT_EQ(itsSource.itsStores.size(), 1u);
    EXPECT_EQ(itsSource.itsStores[0], std::make_pair(cell, std::string("yes")));

    // A refused store leaves the source as it was; the cell is drawn again from it.
    itsSource.itsRefuses = true;
    view->SetFocus(&cell);
    Box(itsBoxes->FindCellView(cell))->Deselect();
    view->SetFocus(nullptr);
    EXPECT_EQ(itsSource.itsValues[std::make_pair(4, kBoxColumn)], "yes");

    CTableInterpreterParameters parameters;
    view->CellToParameters(cell, &parameters);
    itsBoxes->Hide(parameters);
    EXPECT_FALSE(itsBoxes->FindCellView(cell)->View()->IsVisible());
}

TEST_F(ViewInterpreterTest, EffectiveBackgroundIsTheLastLevelThatSetsOne)
{
    FRM_CTableView* const view = NewBoxTable(5);
    const FRM_CCell cell(kBoxColumn, 2);
    // The table's own defaults set a background already.
    const unsigned long tableColour = itsBoxes->EffectiveBackground(view, cell);
    Attributes row;
    row.Background(0x01112233);
    view->SetRow(2, row, 0);
    EXPECT_EQ(itsBoxes->EffectiveBackground(view, cell), 0x01112233u);
    EXPECT_EQ(itsBoxes->EffectiveBackground(view, FRM_CCell(kBoxColumn, 1)), tableColour);
    Attributes own;
    own.Background(0x02445566);
    view->SetCell(cell, own);
    EXPECT_EQ(itsBoxes->EffectiveBackground(view, cell), 0x02445566u);
}

} // namespace

namespace {

// The container library's factory makes every cell-view class (and the pictures' pixmap
// holder) by its class name; a made cell view has no child view, and a copy of one in use shows
// the same cell without taking its control.
TEST_F(ViewInterpreterTest, TheCollectableFactoryMakesEachCellViewClassByName)
{
    struct Case {
        const char* name;
        bool (*isOfClass)(const RWCollectable*);
    };
    const Case cases[] = {
        {"CCellView", [](const RWCollectable* made) { return typeid(*made) == typeid(CCellView); }},
        {"CCellCheckBoxView",
         [](const RWCollectable* made) { return dynamic_cast<const CCellCheckBoxView*>(made) != nullptr; }},
        {"CCellListButtonView",
         [](const RWCollectable* made) { return dynamic_cast<const CCellListButtonView*>(made) != nullptr; }},
        {"CCellPictureView",
         [](const RWCollectable* made) { return dynamic_cast<const CCellPictureView*>(made) != nullptr; }},
        {"CPixmapRWC", [](const RWCollectable* made) {
             const auto* pixmap = dynamic_cast<const CPixmapRWC*>(made);
             return pixmap != nullptr && static_cast<WINDOW>(*pixmap) == nullptr;
         }},
    };
    std::set<RWClassID> ids;
    for (const Case& c : cases) {
        const RWClassID id = getRWFactory()->classID(c.name);
        std::unique_ptr<RWCollectable> made(getRWFactory()->create(c.name));
        ASSERT_NE(made, nullptr) << c.name;
        EXPECT_TRUE(c.isOfClass(made.get())) << c.name;
        EXPECT_EQ(made->isA(), id) << c.name;
        if (const auto* cellView = dynamic_cast<const CCellView*>(made.get())) {
            EXPECT_EQ(cellView->View(), nullptr) << c.name;
        }
        EXPECT_STREQ(getRWFactory()->stringID(id), c.name);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), std::size(cases)) << "a class id each";

    FRM_CTableView* const view = NewBoxTable(4);
    DrawAll(view);
    CCellView* const inUse = itsBoxes->FindCellView(FRM_CCell(kBoxColumn, 2));
    ASSERT_NE(inUse, nullptr);
    std::unique_ptr<RWCollectable> copied(inUse->copy());
    EXPECT_EQ(copied->isA(), CCellCheckBoxView::classIsA());
    EXPECT_TRUE(copied->isEqual(inUse)) << "same cell";
    EXPECT_EQ(copied->hash(), inUse->hash());
    EXPECT_EQ(static_cast<CCellView*>(copied.get())->View(), nullptr);
    EXPECT_FALSE(copied->isEqual(itsBoxes->FindCellView(FRM_CCell(kBoxColumn, 1))));
    copied.reset();
    EXPECT_TRUE(Box(inUse)->IsVisible()) << "the control stays with the cell view in use";
}

} // namespace
