// The table's mouse: a table of 1,000 x 100 cells selected by dragging (with auto-scrolling
// past its edge) and by keys, rows and columns resized by dragging label borders (with the
// snap-back and the unchanged release), the selection policies of a press, and a picture of
// the table with labels, text cells and a selection.
#include "frm/tables/ctblmh.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "frm/runtime/cnav.h"
#include "frm/tables/ctable.h"
#include "frm/tables/ctblcbit.h"
#include "frm/tables/ctbllbit.h"
#include "frm/tables/ctblpcit.h"
#include "frm/views/cimage.h"
#include "table_fixture.h"

namespace {

class TableMouseTest : public tabletest::TableFixture {
protected:
    void SetUp() override
    {
        TableFixture::SetUp();
        itsWindow->Size(FRM_CRect(0, 0, 520, 400));
        itsTable = new FRM_CTable(itsWindow, FRM_CRect(10, 10, 510, 390), FRM_CEnvironment::DefaultFont(),
                                  kRowHeight, kColumnWidth);
        itsTable->ITable(FRM_CTable::MultipleCell, 1, 1, 1, 1, 1, 1, 0);
        itsTable->SetCellBounds(FRM_CBounds(0, 0, 1000, 100));
        itsTable->SetSource(&itsSource);
        itsSource.Fill(40, 20);
        itsMouse = static_cast<FRM_CTableMouseHandler*>(itsTable->GetMouseHandler());
    }

    // The window point at the middle of a cell of the interior, as it shows now.
    FRM_CPoint CellPoint(std::int32_t theColumn, std::int32_t theRow)
    {
        FRM_CTableView* view = itsTable->GetTableView();
        const FRM_CRect r = view->GetCoordinates().ToScreen(FRM_CBounds(theRow, theColumn, theRow + 1, theColumn + 1));
        return FRM_CPoint((r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2).GetGlobal(view);
    }
    // The window point on the border below a row in the row labels.
    FRM_CPoint RowBorder(std::int32_t theRow)
    {
        FRM_CTableView* labels = itsTable->GetRowLabels();
        return FRM_CPoint(10, labels->GetCoordinates().ToScreen(FRM_CCell(0, theRow + 1)).V()).GetGlobal(labels);
    }
    FRM_CPoint ColumnBorder(std::int32_t theColumn)
    {
        FRM_CTableView* labels = itsTable->GetColumnLabels();
        return FRM_CPoint(labels->GetCoordinates().ToScreen(FRM_CCell(theColumn + 1, 0)).H(), 8).GetGlobal(labels);
    }

    void Press(FRM_CPoint thePoint, short isShift = 0, short isControl = 0)
    {
        short button = 1;
        itsMouse->DoDown(thePoint, button, isShift, isControl);
    }
    void Move(FRM_CPoint thePoint)
    {
        short button = 1, shift = 0, control = 0;
        itsMouse->DoMove(thePoint, button, shift, control);
    }
    void Release(FRM_CPoint thePoint)
    {
        short button = 1, shift = 0, control = 0;
        itsMouse->DoUp(thePoint, button, shift, control);
    }
    float RowHeight(std::int32_t theRow)
    {
        FRM_CTableCoordinates& c = itsTable->GetTableView()->GetCoordinates();
        return c.RowStart(theRow + 1) - c.RowStart(theRow);
    }
    std::vector<FRM_CBounds> Selection()
    {
        std::vector<FRM_CBounds> rects;
        FRM_CTableSelectionIterator it(*itsTable);
        FRM_CBounds b;
        while (it.Next(b))
            rects.push_back(b);
        return rects;
    }

    FRM_CTable* itsTable = nullptr;
    FRM_CTableMouseHandler* itsMouse = nullptr;
};

TEST_F(TableMouseTest, DragSelectsScrollsPastTheEdgeAndReleaseFocuses)
{
    Press(CellPoint(1, 1));
    EXPECT_EQ(itsMouse->GetPart(), FRM_CTableMouseHandler::Table);
    Move(CellPoint(3, 4));
    Release(CellPoint(3, 4));
    EXPECT_EQ(Selection(), (std::vector<FRM_CBounds>{FRM_CBounds(1, 1, 5, 4)}));
    ASSERT_NE(itsTable->GetFocus(), nullptr);
    EXPECT_EQ(*itsTable->GetFocus(), FRM_CCell(3, 4));

    // Past the interior's bottom-right corner each move scrolls a row and a column.
    const FRM_CRect interior = itsTable->GetTableView()->GetGlobalFrame();
    const FRM_CPoint outside(interior.Right() + 5, interior.Bottom() + 5);
    Press(CellPoint(6, 6));   // not selected: the drag selects
    for (int move = 1; move <= 3; ++move) {
        Move(outside);
        EXPECT_EQ(itsTable->GetCellOrigin(), FRM_CCell(move, move));
    }
    Release(outside);
    const FRM_CBounds selected = Selection().at(0);
    EXPECT_EQ(selected.Top(), 6);
    EXPECT_GT(selected.Bottom(), 18);   // the drag reached the rows scrolled in

    // Keys move a one-cell selection and scroll it into view at the far end.
    itsTable->DeselectAll();
    itsTable->SelectCell(FRM_CCell(5, 998), 1);
    itsTable->DoKey(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DOWN));
    EXPECT_TRUE(itsTable->IsCellSelected(FRM_CCell(5, 999)));
    EXPECT_TRUE(itsTable->GetTableView()->IsFlushBottom());
    itsTable->DoKey(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_TEXT_START));
    EXPECT_EQ(itsTable->GetCellOrigin().V(), 0);
    EXPECT_EQ(*itsTable->GetFocus(), FRM_CCell(0, 0));
}

TEST_F(TableMouseTest, BorderDragsResizeRowsAndColumns)
{
    Press(RowBorder(2));
    EXPECT_EQ(itsMouse->GetPart(), FRM_CTableMouseHandler::RowLabelsBorder);
    const FRM_CPoint start = RowBorder(2);
    Move(start + FRM_CPoint(0, 15));
    Release(start + FRM_CPoint(0, 15));
    EXPECT_EQ(RowHeight(2), 35);
    EXPECT_EQ(itsTable->GetRowLabels()->GetCoordinates().RowStart(3), 75);   // the labels follow

    // Released where it was pressed: no change. Dragged far off: it snaps back.
    Press(RowBorder(2));
    Release(RowBorder(2));
    EXPECT_EQ(RowHeight(2), 35);
    Press(RowBorder(2));
    Move(RowBorder(2) + FRM_CPoint(300, 300));
    Release(RowBorder(2) + FRM_CPoint(300, 300));
    EXPECT_EQ(RowHeight(2), 35);
    // A drag can shrink a row down to the table's smallest height only.
    Press(RowBorder(4));
    Release(RowBorder(4) - FRM_CPoint(0, 40));
    EXPECT_EQ(RowHeight(4), FRM_CTable::kMinRowHeight);

    Press(ColumnBorder(1));
    EXPECT_EQ(itsMouse->GetPart(), FRM_CTableMouseHandler::ColumnLabelsBorder);
    Release(ColumnBorder(1) + FRM_CPoint(22, 0));
    FRM_CTableCoordinates& c = itsTable->GetTableView()->GetCoordinates();
    EXPECT_EQ(c.ColumnStart(2) - c.ColumnStart(1), 72);
}

TEST_F(TableMouseTest, TheBorderAfterTheLastColumnResizesIt)
{
    itsTable->SetCellBounds(FRM_CBounds(0, 0, 5, 3));
    Press(ColumnBorder(2) - FRM_CPoint(3, 0));
    EXPECT_EQ(itsMouse->GetPart(), FRM_CTableMouseHandler::ColumnLabelsBorder);
    Release(ColumnBorder(2) + FRM_CPoint(10, 0));
    FRM_CTableCoordinates& c = itsTable->GetTableView()->GetCoordinates();
    EXPECT_EQ(c.ColumnStart(3) - c.ColumnStart(2), 60);
    Press(ColumnBorder(2) + FRM_CPoint(-20, 0));
    EXPECT_EQ(itsMouse->GetPart(), FRM_CTableMouseHandler::ColumnLabels);
    Release(ColumnBorder(2) + FRM_CPoint(-20, 0));
}

// What a press does to the selection, by policy, modifier and what was selected.
TEST_F(TableMouseTest, PressesByPolicy)
{
    struct Case {
        const char* what;
        FRM_CTable::SelectionPolicy policy;
        bool cellSelectedBefore;
        short control;
        bool selectedAfter;
    };
    const Case cases[] = {
        {"single cell on the selected cell", FRM_CTable::SingleCell, true, 0, false},
        {"mandatory cell on the selected cell", FRM_CTable::MandatoryCell, true, 0, true},
        {"multiple cell, control on a selected cell", FRM_CTable::MultipleCell, true, 1, false},
        {"multiple cell on an unselected cell", FRM_CTable::MultipleCell, false, 0, true},
        {"single row on an unselected row", FRM_CTable::SingleRow, false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        itsTable->SetSelectionPolicy(c.policy);
        itsTable->DeselectAll();
        itsTable->SelectCells(FRM_CBounds(0, 0, 1, 1), 1);   // another cell stays selected
        if (c.cellSelectedBefore)
            itsTable->SelectCell(FRM_CCell(2, 3), 1);
        if (c.policy == FRM_CTable::SingleCell || c.policy == FRM_CTable::MandatoryCell) {
            itsTable->DeselectAll();
            if (c.cellSelectedBefore)
                itsTable->SelectCell(FRM_CCell(2, 3), 1);
        }
        Press(CellPoint(2, 3), 0, c.control);
        Release(CellPoint(2, 3));
        EXPECT_EQ(itsTable->IsCellSelected(FRM_CCell(2, 3)) != 0, c.selectedAfter);
        if (c.policy == FRM_CTable::SingleRow) {
            EXPECT_TRUE(itsTable->IsRowSelected(3));
        }
        if (c.control) {
            EXPECT_TRUE(itsTable->IsCellSelected(FRM_CCell(0, 0)));   // control keeps the rest
        }
    }
    // Shift extends from the last press under a multiple policy, not under a single one.
    itsTable->SetSelectionPolicy(FRM_CTable::MultipleRow);
    itsTable->DeselectAll();
    Press(CellPoint(1, 2));
    Release(CellPoint(1, 2));
    Press(CellPoint(1, 5), 1, 0);
    Release(CellPoint(1, 5));
    for (std::int32_t row = 2; row <= 5; ++row)
        EXPECT_TRUE(itsTable->IsRowSelected(row)) << row;
    itsTable->SetSelectionPolicy(FRM_CTable::SingleRow);
    Press(CellPoint(1, 7), 1, 0);
    Release(CellPoint(1, 7));
    EXPECT_FALSE(itsTable->IsRowSelected(5));
    EXPECT_TRUE(itsTable->IsRowSelected(7));
}

// A handler copied or assigned after a press carries that press on: shift extends it from the
// same anchor, as the handler itself would.
TEST_F(TableMouseTest, ACopiedHandlerExtendsTheLastPressWithShift)
{
    itsTable->SetSelectionPolicy(FRM_CTable::MultipleRow);
    itsTable->DeselectAll();
    Press(CellPoint(1, 2));
    Release(CellPoint(1, 2));
    for (const bool assigned : {false, true}) {
        SCOPED_TRACE(assigned ? "assigned to a new handler" : "copy-constructed");
        itsTable->DeselectAll();
        itsTable->SelectRow(2, 1);   // as the press left it
        std::unique_ptr<FRM_CTableMouseHandler> copy;
        if (assigned) {
            copy = std::make_unique<FRM_CTableMouseHandler>(itsTable, FRM_CTable::kSplitCursor);
            *copy = *itsMouse;
        } else {
            copy = std::make_unique<FRM_CTableMouseHandler>(*itsMouse);
        }
        FRM_CPoint point = CellPoint(1, 5);
        short button = 1, shift = 1, control = 0;
        copy->DoDown(point, button, shift, control);
        shift = 0;
        copy->DoUp(point, button, shift, control);
        for (std::int32_t row = 2; row <= 5; ++row)
            EXPECT_TRUE(itsTable->IsRowSelected(row)) << row;
        EXPECT_FALSE(itsTable->IsRowSelected(6));
    }
}

TEST_F(TableMouseTest, SplitCursorOverABorderOnly)
{
    Move(RowBorder(3));
    EXPECT_EQ(itsMouse->GetCurrentCursor(), FRM_CTable::kSplitCursor);
    Move(CellPoint(2, 2));
    EXPECT_EQ(itsMouse->GetCurrentCursor(), 0);
    // A press on the focus cell is left alone.
    const FRM_CCell focus(2, 2);
    itsTable->SetFocus(&focus);
    Press(CellPoint(2, 2));
    EXPECT_EQ(itsMouse->GetPart(), FRM_CTableMouseHandler::FocusCell);
    Release(CellPoint(2, 2));
    ASSERT_NE(itsTable->GetFocus(), nullptr);
    EXPECT_EQ(*itsTable->GetFocus(), focus);
}

// Draws the table with labels, text, check-box, list-button and picture cells, a coloured
// band and a selection into the window and writes it out (into VKO_SCREENSHOT_DIR when set)
// to be looked at.
TEST_F(TableMouseTest, PictureOfATable)
{
    FRM_CTableAttributes band;
    band.Background(0x00FFF0C0);
    itsTable->SetColumn(2, band, 0);
    FRM_CTableAttributes right;
    right.Justification(FRM_CTableAttributes::JustifyRight);
    itsTable->SetColumn(1, right, 0);
    itsTable->SetColumn(0, FRM_CStringRW("Word"));
    itsTable->SetRow(1, 30.0f);
    itsSource.Set(1, 0, "two\nlines");
    // Check boxes in column 3, list buttons in column 4, pictures in column 5.
    FRM_CTableView* view = itsTable->GetTableView();
    auto* boxes = new FRM_CTableCheckBoxInterpreter(view, FRM_CStringRW("seen"));
    boxes->OnString(FRM_CStringRW("yes"));
    boxes->OffString(FRM_CStringRW("no"));
    auto* lists = new FRM_CTableListButtonInterpreter(view, kRowHeight);
    for (const char* kind : {"noun", "verb", "adjective"})
        lists->AddString(FRM_CStringRW(kind));
    auto* pictures = new FRM_CTablePictureInterpreter(view);
    FRM_CImage red(VKO_IMAGE_RGB, 16, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            vko_image_set_pixel(red, x, y, 0xCC2222);
    pictures->AddImage(red, FRM_CStringRW("red"));
    const std::pair<std::int32_t, FRM_CTableInterpreter*> kinds[] = {{3, boxes}, {4, lists}, {5, pictures}};
    for (const auto& [column, interpreter] : kinds) {
        FRM_CTableAttributes cells;
        cells.Interpreter(interpreter);
        itsTable->SetColumn(column, cells, 0);
    }
    for (std::int32_t row = 0; row < 20; ++row) {
        itsSource.Set(row, 3, row % 2 ? "yes" : "no");
        itsSource.Set(row, 4, row % 3 == 0 ? "noun" : "verb");
        itsSource.Set(row, 5, "red");
    }
    itsTable->SelectCells(FRM_CBounds(3, 1, 6, 3), 1);
    itsWindow->Invalidate(itsWindow->GetLocalFrame());
    vkok_app_process_pending_events();
    WINDOW handle = itsWindow->GetVKOWindow();
    // The selection hatch shows inside a selected cell; the band outside the selection.
    const FRM_CPoint selected = CellPoint(1, 4);
    const FRM_CPoint banded = CellPoint(2, 8);
    int hatched = 0;   // pixels of the hatch in an 8 x 8 square near the cell's left
    for (int dx = 0; dx < 8; ++dx)
        for (int dy = 0; dy < 8; ++dy)
            hatched += (vkov_debug_surface_pixel(handle, static_cast<int>(selected.H()) - 20 + dx,
                                                 static_cast<int>(selected.V()) - 4 + dy) &
                        0xFFFFFF) != 0xFFFFFFu;
    EXPECT_GT(hatched, 4);
    EXPECT_EQ(vkov_debug_surface_pixel(handle, static_cast<int>(banded.H()) + 20,
                                       static_cast<int>(banded.V()) + 6) & 0xFFFFFF, 0xFFF0C0u);
    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_tables_table.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

}   // namespace
