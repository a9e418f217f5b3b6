// The table widget: its label strips, the event protocol seen from a view above the table,
// sizes with their minimums and the label strip's height, the focus across insertion and
// deletion, keys, thumb tracking, and the selection following a Return in a cell editor.
#include "frm/tables/ctable.h"

#include <string>
#include <vector>

#include "frm/runtime/cnav.h"
#include "frm/tables/ctbltext.h"
#include "table_fixture.h"

namespace {

using Event = FRM_CTableEvent;

// A view above the table: records the table events that pass and denies what it is told to.
class Watcher : public FRM_CSubview {
public:
    Watcher(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame) : FRM_CSubview(theEnclosure, theFrame) {}
    void DoCommand(long theCommand, void* theData) override
    {
        if (theCommand == Event::kTableEventCommand) {
            auto* event = static_cast<Event*>(theData);
            std::string seen = std::string(event->IsPermissionEvent() ? "ask " : "tell ") +
                               std::to_string(event->GetType());
            if (event->GetTable() == nullptr)
                seen += " interior";
            itsSeen.push_back(seen);
            if (event->IsPermissionEvent() && event->GetType() == itsDenied)
                event->Deny();
            return;
        }
        FRM_CSubview::DoCommand(theCommand, theData);
    }
    std::vector<std::string> itsSeen;
    std::int32_t itsDenied = -1;
};

class TableTest : public tabletest::TableFixture {
protected:
    void SetUp() override
    {
        TableFixture::SetUp();
        itsWatcher = new Watcher(itsWindow, FRM_CRect(0, 0, 400, 300));
        itsTable = new FRM_CTable(itsWatcher, FRM_CRect(0, 0, 400, 300), FRM_CEnvironment::DefaultFont(),
                                  kRowHeight, kColumnWidth);
        itsTable->ITable(FRM_CTable::SingleCell, 1, 1, 1, 1, 0, 1, 0);
        itsTable->SetCellBounds(FRM_CBounds(0, 0, 20, 10));
        itsTable->SetSource(&itsSource);
        itsSource.Fill(20, 10);
        itsWatcher->itsSeen.clear();
    }

    std::string ColumnLabel(std::int32_t theColumn)
    {
        return itsTable->GetColumnLabels()->GetData(FRM_CCell(theColumn, 0))->ToString().data();
    }
    std::string RowLabel(std::int32_t theRow)
    {
        return itsTable->GetRowLabels()->GetData(FRM_CCell(0, theRow))->ToString().data();
    }

    Watcher* itsWatcher = nullptr;
    FRM_CTable* itsTable = nullptr;
};

TEST(ColumnLetters, CountOnWithoutAnAColumnInFront)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "A"}, {25, "Z"}, {26, "BA"}, {27, "BB"}, {675, "ZZ"}, {676, "BAA"}};
    for (const auto& [column, letters] : cases)
        EXPECT_EQ(std::string(CColumnLabels::ColumnLetters(column).data()), letters) << column;
}

TEST_F(TableTest, LabelsDefaultAndMoveWithTheirRowsAndColumns)
{
    EXPECT_EQ(RowLabel(0), "1");
    EXPECT_EQ(ColumnLabel(26), "BA");
    itsTable->SetColumn(3, FRM_CStringRW("Price"));
    EXPECT_EQ(ColumnLabel(3), "Price");
    itsTable->InsertColumns(2, 1);
    EXPECT_EQ(ColumnLabel(4), "Price");
    EXPECT_EQ(ColumnLabel(3), "D");
    itsTable->SetRow(5, FRM_CStringRW("five"));
    itsTable->SetRow(6, FRM_CStringRW("six"));
    itsTable->DeleteRows(5, 1);
    EXPECT_EQ(RowLabel(5), "six");
    EXPECT_EQ(RowLabel(6), "7");
    // The strips sit around the interior.
    const FRM_CRect interior = itsTable->GetTableView()->GetFrame();
    EXPECT_EQ(itsTable->GetColumnLabels()->GetFrame().Bottom(), interior.Top());
    EXPECT_EQ(itsTable->GetRowLabels()->GetFrame().Right(), interior.Left());
    EXPECT_EQ(interior.Right(), 400 - itsTable->GetVScrollBar()->GetFrame().Width());
}

// A source given before ITable is not lost: the interior ITable makes serves its cells.
TEST_F(TableTest, ASourceGivenBeforeTheInteriorExistsServesIt)
{
    tabletest::MapSource early;
    early.Set(1, 2, "early");
    auto* table = new FRM_CTable(itsWatcher, FRM_CRect(0, 0, 200, 100), FRM_CEnvironment::DefaultFont(),
                                 kRowHeight, kColumnWidth);
    table->SetSource(&early);
    EXPECT_EQ(table->GetSource(), &early);
    table->ITable(FRM_CTable::SingleCell, 0, 0, 0, 0, 0, 1, 0);
    ASSERT_NE(table->GetTableView(), nullptr);
    EXPECT_EQ(table->GetSource(), &early);
    const FRM_CTdiValue* value = table->GetTableView()->GetData(FRM_CCell(2, 1));
    ASSERT_NE(value, nullptr);
    EXPECT_STREQ(value->ToString().data(), "early");
}

TEST_F(TableTest, EventStylesSeenFromAbove)
{
    // Notify (the default): the interior's origin report, then the table's own.
    itsTable->SetCellOrigin(FRM_CCell(1, 2));
    EXPECT_EQ(itsWatcher->itsSeen, (std::vector<std::string>{"tell 10 interior", "tell 10"}));
    EXPECT_EQ(itsTable->GetRowLabels()->GetPixelOrigin().V(), itsTable->GetTableView()->GetPixelOrigin().V());

    itsWatcher->itsSeen.clear();
    itsTable->SetEventStyle(EventNone);
    itsTable->SetCellOrigin(FRM_CCell(0, 0));
    itsTable->DeleteRows(0, 1);
    EXPECT_TRUE(itsWatcher->itsSeen.empty());

    itsTable->SetEventStyle(EventPermission);
    itsWatcher->itsDenied = Event::DeleteRow;
    const FRM_CBounds before = itsTable->GetCellBounds();
    itsTable->SetRow(3, FRM_CStringRW("kept"));
    itsTable->DeleteRows(2, 2);
    EXPECT_EQ(itsTable->GetCellBounds(), before);
    EXPECT_EQ(RowLabel(3), "kept");
    EXPECT_EQ(itsWatcher->itsSeen, (std::vector<std::string>{"ask 0"}));

    // Clearing a selection asks but does not tell; clearing none sends nothing.
    itsWatcher->itsSeen.clear();
    itsTable->SetEventStyle(EventBoth);
    itsTable->DeselectAll();
    EXPECT_TRUE(itsWatcher->itsSeen.empty());
    itsTable->SelectCell(FRM_CCell(1, 1), 1);
    itsWatcher->itsSeen.clear();
    itsTable->DeselectAll();
    EXPECT_EQ(itsWatcher->itsSeen, (std::vector<std::string>{"ask 8"}));
}

TEST_F(TableTest, SelectionIteratorsWalkTheInteriorsSelection)
{
    itsTable->SelectRow(4, 1);
    itsTable->SelectCells(FRM_CBounds(7, 5, 9, 6), 1);
    std::vector<std::int32_t> rows, columns;
    std::vector<FRM_CCell> cells;
    FRM_CTableSelectionRowIterator rowIt(*itsTable);
    for (std::int32_t row = 0; rowIt.Next(row);)
        rows.push_back(row);
    FRM_CTableSelectionCellIterator cellIt(*itsTable);
    for (FRM_CCell cell; cellIt.Next(cell);)
        cells.push_back(cell);
    EXPECT_EQ(rows, (std::vector<std::int32_t>{4}));
    EXPECT_EQ(cells, (std::vector<FRM_CCell>{FRM_CCell(5, 7), FRM_CCell(5, 8)}));
    itsTable->DeselectAll();
    itsTable->SelectColumn(2, 1);
    FRM_CTableSelectionColumnIterator columnIt(*itsTable);
    for (std::int32_t column = 0; columnIt.Next(column);)
        columns.push_back(column);
    EXPECT_EQ(columns, (std::vector<std::int32_t>{2}));
    FRM_CTableSelectionIterator rectIt(*itsTable);
    FRM_CBounds rect;
    ASSERT_TRUE(rectIt.Next(rect));
    EXPECT_EQ(rect, FRM_CBounds(0, 2, FRM_CRegion::kEnd, 3));
}

TEST_F(TableTest, SizesHaveMinimumsAndTheLabelStripMovesWhatIsBelow)
{
    itsTable->SetRow(3, 4.0f);
    itsTable->SetColumn(2, 5.0f);
    FRM_CTableCoordinates& coordinates = itsTable->GetTableView()->GetCoordinates();
    EXPECT_EQ(coordinates.RowStart(4) - coordinates.RowStart(3), 10);
    EXPECT_EQ(coordinates.ColumnStart(3) - coordinates.ColumnStart(2), 15);
    FRM_CTableCoordinates& rowLabels = itsTable->GetRowLabels()->GetCoordinates();
    EXPECT_EQ(rowLabels.RowStart(4) - rowLabels.RowStart(3), 10);

    itsTable->SetRow(-1, 30.0f);
    EXPECT_EQ(itsTable->GetColumnLabels()->GetFrame().Height(), 30);
    EXPECT_EQ(itsTable->GetRowLabels()->GetFrame().Top(), 30);
    EXPECT_EQ(itsTable->GetTableView()->GetFrame().Top(), 30);
}

TEST_F(TableTest, FocusFollowsInsertionAndDeletion)
{
    struct Case {
        const char* what;
        FRM_CCell focus;
        void (*change)(FRM_CTable*);
        bool kept;
        FRM_CCell after;
    };
    const Case cases[] = {
        {"delete rows 2-4 below", FRM_CCell(1, 6), [](FRM_CTable* t) { t->DeleteRows(2, 3); }, true, FRM_CCell(1, 3)},
        {"delete rows 2-4 on it", FRM_CCell(1, 3), [](FRM_CTable* t) { t->DeleteRows(2, 3); }, false, {}},
        {"delete rows after it", FRM_CCell(1, 1), [](FRM_CTable* t) { t->DeleteRows(2, 3); }, true, FRM_CCell(1, 1)},
        {"insert columns at it", FRM_CCell(1, 1), [](FRM_CTable* t) { t->InsertColumns(1, 2); }, true, FRM_CCell(3, 1)},
        {"insert rows above it", FRM_CCell(2, 5), [](FRM_CTable* t) { t->InsertRows(0, 1); }, true, FRM_CCell(2, 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        itsTable->SetFocus(&c.focus);
        ASSERT_NE(itsTable->GetFocus(), nullptr);
        c.change(itsTable);
        ASSERT_EQ(itsTable->GetFocus() != nullptr, c.kept);
        if (c.kept) {
            EXPECT_EQ(*itsTable->GetFocus(), c.after);
        }
        itsTable->SetFocus(nullptr);
    }
    // A read-only cell refuses the focus; clearing the selection clears the focus.
    FRM_CTableAttributes readOnly;
    readOnly.ReadOnly(1);
    itsTable->SetCell(FRM_CCell(4, 4), readOnly);
    const FRM_CCell locked(4, 4), open(5, 4), outside(50, 4);
    itsTable->SetFocus(&locked);
    EXPECT_EQ(itsTable->GetFocus(), nullptr);
    itsTable->SetFocus(&outside);
    EXPECT_EQ(itsTable->GetFocus(), nullptr);
    itsTable->SetFocus(&open);
    itsTable->SelectCell(open, 1);
    itsTable->DeselectAll();
    EXPECT_EQ(itsTable->GetFocus(), nullptr);
}

TEST_F(TableTest, ArrowKeysMoveAOneRowOrOneCellSelection)
{
    const FRM_CKey down(FRM_CKey::kVirtual, VKO_KEY_DOWN), right(FRM_CKey::kVirtual, VKO_KEY_RIGHT);
    itsTable->SelectRow(18, 1);
    itsTable->DoKey(down);
    EXPECT_TRUE(itsTable->IsRowSelected(19));
    EXPECT_FALSE(itsTable->IsRowSelected(18));
    EXPECT_TRUE(itsTable->GetTableView()->GetCellOrigin().V() > 0);   // made visible
    itsTable->DoKey(down);   // the last row: nothing changes
    EXPECT_TRUE(itsTable->IsRowSelected(19));

    itsTable->DeselectAll();
    itsTable->SelectCell(FRM_CCell(2, 2), 1);
    itsTable->DoKey(right);
    EXPECT_TRUE(itsTable->IsCellSelected(FRM_CCell(3, 2)));
    ASSERT_NE(itsTable->GetFocus(), nullptr);
    EXPECT_EQ(*itsTable->GetFocus(), FRM_CCell(3, 2));
    // With the focus in a cell editor whose text is all selected, the arrows still move.
    itsTable->DoKey(right);
    EXPECT_TRUE(itsTable->IsCellSelected(FRM_CCell(4, 2)));
}

TEST_F(TableTest, ThumbTrackingAndMakingCellsVisible)
{
    itsTable->VScroll(SC_THUMBTRACK, 3);
    EXPECT_EQ(itsTable->GetCellOrigin().V(), 0);
    itsTable->SetThumbTracking(1);
    itsTable->VScroll(SC_THUMBTRACK, 3);
    EXPECT_EQ(itsTable->GetCellOrigin().V(), 3);

    itsWatcher->itsSeen.clear();
    itsTable->MakeCellVisible(FRM_CCell(1, 8));   // shows already
    EXPECT_TRUE(itsWatcher->itsSeen.empty());
    itsTable->MakeCellVisible(FRM_CCell(1, 2));
    EXPECT_EQ(itsTable->GetCellOrigin().V(), 2);
    itsTable->MakeCellVisible(FRM_CCell(9, 19));
    const FRM_CRect cell = itsTable->ToScreen(FRM_CBounds(19, 9, 20, 10));
    const FRM_CRect interior = itsTable->GetTableView()->GetFrame();
    EXPECT_LE(cell.Bottom(), interior.Bottom());
    EXPECT_LE(cell.Right(), interior.Right());
    EXPECT_GE(cell.Top(), interior.Top());
}

// Return in a cell editor moves the selection with the focus only when the selection was
// exactly the edited cell.
TEST_F(TableTest, ReturnCarriesAOneCellSelectionAlong)
{
    for (bool larger : {false, true}) {
        SCOPED_TRACE(larger);
        itsTable->DeselectAll();
        const FRM_CCell cell(1, 1);
        itsTable->SelectCells(FRM_CBounds(1, 1, larger ? 3 : 2, 2), 1);
        itsTable->SetFocus(&cell);
        auto* text = static_cast<FRM_CTableTextInterpreter*>(itsTable->GetTableAttributes()->Interpreter());
        ASSERT_NE(text->GetEditor(), nullptr);
        text->GetEditor()->Key(FRM_CKey(13, 0, 0, 0, 0));
        EXPECT_EQ(*itsTable->GetFocus(), FRM_CCell(1, 2));
        EXPECT_EQ(itsTable->IsCellSelected(FRM_CCell(1, 1)), larger ? 1 : 0);
        EXPECT_EQ(itsTable->IsCellSelected(FRM_CCell(1, 2)), 1);
    }
}

}   // namespace
