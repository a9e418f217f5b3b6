// The three view-based kinds: check boxes (on and off strings, a click stored at once), list
// buttons (the search from the end, unknown texts, their own height) and pictures (named and
// default images, resize-to-fit, a pixmap that cannot be made, what the window's log shows);
// and a picture of a table with every kind of cell fed by its data source.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "frm/core/ctdicntr.h"
#include "frm/tables/ctable.h"
#include "frm/tables/ctblcbit.h"
#include "frm/tables/ctbllbit.h"
#include "frm/tables/ctblpcit.h"
#include "frm/tables/ctbltdis.h"
#include "frm/views/cimage.h"
#include "ruk/static/vkoruk.h"
#include "table_fixture.h"
#include "vkobase/testing.h"

namespace {

using Attributes = FRM_CTableAttributes;

class CellKindTest : public tabletest::TableFixture {
protected:
    // A 10 x 3 table whose column 1 shows cells with theInterpreter (the table owns it).
    FRM_CTableView* NewTableWith(FRM_CTableView*& theView, FRM_CTableInterpreter* theInterpreter)
    {
        Attributes column;
        column.Interpreter(theInterpreter);
        theView->SetColumn(1, column, 0);
        return theView;
    }
    void DrawAll(FRM_CTableView* theView) { theView->Draw(theView->GetGlobalFrame()); }
    static FRM_CRect Interior(FRM_CTableView* theView, std::int32_t theRow)
    {
        const FRM_CRect cell =
            theView->GetCoordinates().ToScreen(FRM_CBounds(theRow, 1, theRow + 1, 2));
        return FRM_CRect(cell.Left() + 1, cell.Top() + 1, cell.Right(), cell.Bottom());
    }
};

// ---------------------------------------------------------------------------------------------
// Check boxes

TEST_F(CellKindTest, CheckBoxesFollowTheOnAndOffStringsOnly)
{
    FRM_CTableView* view = NewTableView(10, 3);
    auto* const boxes = new FRM_CTableCheckBoxInterpreter(view, FRM_CStringRW("Done"));
    boxes->OnString(FRM_CStringRW("Y"));
    boxes->OffString(FRM_CStringRW("N"));
    NewTableWith(view, boxes);
    struct Case {
        const char* before;   // drawn first
        const char* after;    // then the cell's value becomes this and it is drawn again
        short checked;
    };
    const Case cases[] = {
        {"N", "Y", 1}, {"Y", "N", 0}, {"Y", "maybe", 1}, {"N", "maybe", 0}, {"Y", "", 1},
    };
    for (const Case& c : cases) {
        itsSource.Set(0, 1, c.before);
        DrawAll(view);
        itsSource.Set(0, 1, c.after);
        DrawAll(view);
        auto* const box =
            static_cast<CCheckBoxTableAdapter*>(boxes->FindCellView(FRM_CCell(1, 0))->View());
        EXPECT_EQ(box->IsSelected(), c.checked) << c.before << " then " << c.after;
        EXPECT_EQ(box->GetTitle(), FRM_CStringRW("Done"));
    }

    // With both strings equal, a value equal to them ends cleared.
    boxes->OffString(FRM_CStringRW("Y"));
    DrawAll(view);
    itsSource.Set(0, 1, "Y");
    DrawAll(view);
    EXPECT_EQ(static_cast<CCheckBoxTableAdapter*>(boxes->FindCellView(FRM_CCell(1, 0))->View())
                  ->IsSelected(),
              0);
}

TEST_F(CellKindTest, AClickedCheckBoxStoresItsStringAtOnce)
{
    FRM_CTableView* view = NewTableView(10, 3);
    auto* const boxes = new FRM_CTableCheckBoxInterpreter(view, FRM_CStringRW(""));
    boxes->OnString(FRM_CStringRW("on"));
    boxes->OffString(FRM_CStringRW("off"));
    NewTableWith(view, boxes);
    itsSource.Set(2, 1, "off");
    DrawAll(view);
    auto* const box =
        static_cast<CCheckBoxTableAdapter*>(boxes->FindCellView(FRM_CCell(1, 2))->View());
    box->DoHit(s_ctlinfo{});
    ASSERT_EQ(itsSource.itsStores.size(), 1u);
    EXPECT_EQ(itsSource.itsStores[0], std::make_pair(FRM_CCell(1, 2), std::string("on")));
    box->DoHit(s_ctlinfo{});
    EXPECT_EQ(itsSource.itsStores.back(), std::make_pair(FRM_CCell(1, 2), std::string("off")));
    EXPECT_EQ(box->GetFrame(), Interior(view, 2));
}

// ---------------------------------------------------------------------------------------------
// List buttons

TEST_F(CellKindTest, ListButtonsSelectTheLastEqualEntryAndKeepTheirHeight)
{
    FRM_CTableView* view = NewTableView(10, 3);
    auto* const lists = new FRM_CTableListButtonInterpreter(view, 80.0f);
    for (const char* text : {"red", "green", "red"})
        lists->AddString(FRM_CStringRW(text));
    NewTableWith(view, lists);
    itsSource.Set(1, 1, "green");
    DrawAll(view);
    auto* const button =
        static_cast<CListButtonTableAdapter*>(lists->FindCellView(FRM_CCell(1, 1))->View());
    ASSERT_EQ(button->GetNumItems(), 3);
    EXPECT_EQ(button->GetSelectPosition(), 1);

    itsSource.Set(1, 1, "red");   // the search runs from the end
    DrawAll(view);
    EXPECT_EQ(button->GetSelectPosition(), 2);
    itsSource.Set(1, 1, "blue");   // no such entry: the choice stays
    DrawAll(view);
    EXPECT_EQ(button->GetSelectPosition(), 2);

    // Choosing stores the entry's text at once.
    button->DeselectAll();
    button->SelectItem(0);
    button->DoHit(s_ctlinfo{});
    ASSERT_FALSE(itsSource.itsStores.empty());
    EXPECT_EQ(itsSource.itsStores.back(), std::make_pair(FRM_CCell(1, 1), std::string("red")));

    // The frame is the interior's place and width with the interpreter's height, also after
    // the row grows; strings added later reach only buttons made later.
    const FRM_CRect interior = Interior(view, 1);
    EXPECT_EQ(button->GetFrame(),
              FRM_CRect(interior.Left(), interior.Top(), interior.Right(), interior.Top() + 80));
    view->SetRow(1, 45.0f);
    lists->AddString(FRM_CStringRW("blue"));
    DrawAll(view);
    EXPECT_EQ(button->GetFrame().Height(), 80.0f);
    EXPECT_EQ(button->GetFrame().Top(), Interior(view, 1).Top());
    EXPECT_EQ(button->GetNumItems(), 3);
}

// ---------------------------------------------------------------------------------------------
// Pictures

// A plain image of one colour.
FRM_CImage Solid(std::int16_t theWidth, std::int16_t theHeight, COLOR theColour)
{
    FRM_CImage image(VKO_IMAGE_RGB, theWidth, theHeight);
    for (int y = 0; y < theHeight; ++y)
        for (int x = 0; x < theWidth; ++x)
            vko_image_set_pixel(image, x, y, theColour);
    return image;
}

int32_t LiveWindows() { return vkov_test_live_count(VKO_LIVE_WINDOW); }

TEST_F(CellKindTest, PicturesShowNamedOrDefaultImagesAndDrawThemIntoTheWindow)
{
    FRM_CTableView* view = NewTableView(10, 3);
    auto* const pictures = new FRM_CTablePictureInterpreter(view);
    pictures->AddImage(Solid(12, 8, 0xFF0000), FRM_CStringRW("red"));
    const int32_t withOne = LiveWindows();
    pictures->AddDefaultImage(Solid(6, 6, 0x0000FF));
    EXPECT_EQ(LiveWindows(), withOne + 1);
    WINDOW const firstDefault = pictures->FindImage(FRM_CStringRW("nothing"));
    pictures->AddDefaultImage(Solid(5, 5, 0x00FF00));   // the old default pixmap goes
    EXPECT_EQ(LiveWindows(), withOne + 1);
    EXPECT_NE(pictures->FindImage(FRM_CStringRW("nothing")), firstDefault);
    NewTableWith(view, pictures);

    itsSource.Set(0, 1, "red");
    itsSource.Set(1, 1, "unknown");
    vkov_debug_draw_log_clear(itsHandle);
    DrawAll(view);
    auto* const named =
        static_cast<CPictureTableAdapter*>(pictures->FindCellView(FRM_CCell(1, 0))->View());
    auto* const fallback =
        static_cast<CPictureTableAdapter*>(pictures->FindCellView(FRM_CCell(1, 1))->View());
    EXPECT_EQ(named->GetTemporaryPixmap(), pictures->FindImage(FRM_CStringRW("red")));
    EXPECT_EQ(fallback->GetTemporaryPixmap(), pictures->FindImage(FRM_CStringRW("unknown")));
    EXPECT_EQ(named->GetPixmap(), nullptr);   // shown, not owned

    // Resize-to-fit off: each picture keeps the size it was made with (the interior then) and
    // moves to the interior's corner; the log shows each pixmap copied onto its frame.
    EXPECT_EQ(named->GetFrame(), Interior(view, 0));
    const std::vector<std::string> copies = LogArgs(itsHandle, "draw_pmap");
    ASSERT_GE(copies.size(), 2u);
    EXPECT_NE(std::find_if(copies.begin(), copies.end(),
                           [](const std::string& a) { return a.rfind("1,51,20,100", 0) == 0; }),
              copies.end());

    EXPECT_EQ(pictures->CellViewsInUse(), 10u);   // one for each of the ten rows
}

TEST_F(CellKindTest, ResizeToFitTakesTheInteriorOtherwiseOnlyThePlaceChanges)
{
    FRM_CTableView* view = NewTableView(10, 3);
    auto* const pictures = new FRM_CTablePictureInterpreter(view);
    pictures->AddImage(Solid(12, 8, 0xFF0000), FRM_CStringRW("red"));
    NewTableWith(view, pictures);
    itsSource.Set(0, 1, "red");
    DrawAll(view);
    auto* const picture =
        static_cast<CPictureTableAdapter*>(pictures->FindCellView(FRM_CCell(1, 0))->View());
    const FRM_CRect made = picture->GetFrame();
    picture->IPicture(pictures->FindImage(FRM_CStringRW("red")));   // asks for 12 x 8
    EXPECT_EQ(picture->GetFrame(), made);
    view->SetColumn(0, 70.0f);   // the cell moves right by 20
    view->SetRow(0, 35.0f);
    DrawAll(view);
    EXPECT_EQ(picture->GetFrame(), made + FRM_CPoint(20, 0));

    // Without a default image, a name it does not know keeps what the picture showed.
    itsSource.Set(0, 1, "nothing");
    DrawAll(view);
    EXPECT_EQ(picture->GetTemporaryPixmap(), pictures->FindImage(FRM_CStringRW("red")));

    pictures->ResizeToFitCell(1);
    picture->IPicture(pictures->FindImage(FRM_CStringRW("red")));
    EXPECT_EQ(picture->GetFrame().Width(), 12.0f);
    EXPECT_EQ(picture->GetFrame().Height(), 8.0f);
    DrawAll(view);
    EXPECT_EQ(picture->GetFrame(), Interior(view, 0));
}

struct Report {
    uint32_t code;
    std::string module;
    int32_t line;
    int32_t severity;
};

void Record(WINDOW, int32_t severity, uint32_t code, const char* module, int32_t line, void* context)
{
    static_cast<std::vector<Report>*>(context)->push_back({code, module, line, severity});
}

TEST_F(CellKindTest, APixmapThatCannotBeMadeIsReportedAndNothingIsDrawnForIt)
{
    // An interpreter with no table has no window to make pixmaps for.
    std::vector<Report> reports;
    vkov_test_set_errmsg_hook(Record, &reports);
    FRM_CTablePictureInterpreter alone(nullptr);
    alone.AddImage(Solid(4, 4, 0xFF0000), FRM_CStringRW("red"));
    alone.AddDefaultImage(Solid(4, 4, 0x00FF00));
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    // The checking layer refuses the null window first; then the interpreter reports.
    std::erase_if(reports, [](const Report& r) { return r.code != 6315u; });
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].code, 6315u);
    EXPECT_EQ(reports[0].module, "ctblpcit");
    EXPECT_EQ(reports[0].line, 178);
    EXPECT_EQ(reports[0].severity, 1);   // the program goes on
    EXPECT_EQ(alone.FindImage(FRM_CStringRW("red")), nullptr);
    EXPECT_EQ(alone.FindImage(FRM_CStringRW("other")), nullptr);

    // In a table, a cell naming an image without a pixmap draws no pixmap at all.
    FRM_CTableView* view = NewTableView(10, 3);
    auto* const pictures = new FRM_CTablePictureInterpreter(view);
    pictures->AddImage(FRM_CImage(), FRM_CStringRW("empty"));   // no image: no pixmap
    NewTableWith(view, pictures);
    itsSource.Set(0, 1, "empty");
    vkov_debug_draw_log_clear(itsHandle);
    DrawAll(view);
    EXPECT_TRUE(LogArgs(itsHandle, "draw_pmap").empty());
}

// Rows of a small word list, answered at once: word, done, colour, sky, count.
class WordRows : public FRM_CNotifier {
public:
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override
    {
        const FRM_CTdiValue* const value = FrmCast<FRM_CTdiValue>(model);
        if (controllerId != 0 || command != FRM_CTableTdiSource::kRequestRow || value == nullptr)
            return;
        static const char* const kWords[] = {"apple", "brook", "cloud", "dune", "ember",
                                             "fjord", "grove", "heath", "inlet", "jetty"};
        const int row = static_cast<int>(value->ToInteger());
        const std::string texts[] = {kWords[row % 10], row % 3 == 0 ? "yes" : "no",
                                     row % 2 == 0 ? "red" : "blue", row % 4 < 2 ? "sun" : "moon",
                                     std::to_string(row * 7)};
        FRM_CTdiListValue cells;
        for (const std::string& text : texts)
            cells.Append(new FRM_CTdiStringValue(FRM_CStringRW(text.c_str()), nullptr,
                                                 kNoCommand));
        TdiNotify(kTagValue, &cells);
    }
};

// Draws a table with labels, text, check-box, list-button and picture cells and a selection
// into the window through its update, and writes it out (into VKO_SCREENSHOT_DIR when set) to
// be looked at.
TEST_F(CellKindTest, PictureOfATableWithEveryKindOfCell)
{
    itsWindow->Size(FRM_CRect(0, 0, 440, 300));
    auto* const table = new FRM_CTable(itsWindow, FRM_CRect(10, 10, 430, 290),
                                       FRM_CEnvironment::DefaultFont(), 24, 60);
    table->ITable(FRM_CTable::MultipleCell, 1, 1, 1, 1, 0, 1, 0);
    WordRows rows;
    FRM_CTableTdiSource source(table);
    FRM_CTdiConnection link(&rows, &source, nullptr, 1);
    FRM_CTdiListValue size;
    for (int count : {40, 5})
        size.Append(new FRM_CTdiIntegerValue(count, nullptr, kNoCommand));
    rows.TdiNotify(FRM_CTableTdiSource::kTableSize, &size);
    ASSERT_EQ(table->GetCellBounds(), FRM_CBounds(0, 0, 40, 5));

    FRM_CTableView* const view = table->GetTableView();
    auto* const boxes = new FRM_CTableCheckBoxInterpreter(view, FRM_CStringRW(""));
    boxes->OnString(FRM_CStringRW("yes"));
    boxes->OffString(FRM_CStringRW("no"));
    auto* const lists = new FRM_CTableListButtonInterpreter(view, 90.0f);
    for (const char* colour : {"red", "green", "blue"})
        lists->AddString(FRM_CStringRW(colour));
    auto* const pictures = new FRM_CTablePictureInterpreter(view);
    pictures->AddImage(Solid(14, 14, 0xF0C020), FRM_CStringRW("sun"));
    pictures->AddImage(Solid(14, 14, 0x404080), FRM_CStringRW("moon"));
    const char* const titles[] = {"Word", "Done", "Colour", "Sky", "Count"};
    FRM_CTableInterpreter* const kinds[] = {nullptr, boxes, lists, pictures, nullptr};
    const float widths[] = {80, 50, 90, 40, 60};
    for (std::int32_t column = 0; column < 5; ++column) {
        table->SetColumn(column, FRM_CStringRW(titles[column]));
        table->SetColumn(column, widths[column]);
        if (kinds[column] != nullptr) {
            Attributes kind;
            kind.Interpreter(kinds[column]);
            table->SetColumn(column, kind, 0);
        }
    }
    Attributes right;
    right.Justification(Attributes::JustifyRight);
    table->SetColumn(4, right, 0);
    table->SelectCells(FRM_CBounds(2, 0, 4, 5), 1);
    itsWindow->Invalidate(itsWindow->GetLocalFrame());
    vkok_app_process_pending_events();

    // Every visible row was asked for once and each kind made a control for it.
    const FRM_CBounds visible = view->GetCoordinates().ToCell(view->GetLocalFrame());
    const std::size_t shown = static_cast<std::size_t>(visible.Bottom() - visible.Top() + 1);
    EXPECT_EQ(source.CachedRows(), shown);
    for (const FRM_CTableViewInterpreter* kind :
         std::initializer_list<const FRM_CTableViewInterpreter*>{boxes, lists, pictures})
        EXPECT_EQ(kind->CellViewsInUse(), shown);
    WINDOW handle = itsWindow->GetVKOWindow();
    const auto pixel = [&](std::int32_t column, std::int32_t row, float dx, float dy) {
        const FRM_CRect r = view->GetCoordinates().ToScreen(FRM_CBounds(row, column, row + 1, column + 1));
        const FRM_CPoint p = FRM_CPoint(r.Left() + dx, r.Top() + dy).GetGlobal(view);
        return vkov_debug_surface_pixel(handle, static_cast<int>(p.H()), static_cast<int>(p.V())) &
               0xFFFFFFu;
    };
    EXPECT_EQ(pixel(3, 0, 8, 8), 0xF0C020u);   // the sun, row 0
    EXPECT_EQ(pixel(3, 2, 8, 8), 0x404080u);   // the moon, row 2
    // Beside its box, a check box shows the cell's paper, not the table's last drawing colour.
    EXPECT_EQ(pixel(1, 4, 40, 12), 0xFFFFFFu);
    int hatched = 0;   // hatch pixels in the selected word cell of row 3
    for (int dx = 30; dx < 38; ++dx)
        for (int dy = 4; dy < 12; ++dy)
            hatched += pixel(0, 3, static_cast<float>(dx), static_cast<float>(dy)) != 0xFFFFFFu;
    EXPECT_GT(hatched, 4);
    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_tables_cells.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace
