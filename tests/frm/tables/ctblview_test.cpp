// The table view: what a draw puts in the window's log (only the visible cells, bands in
// order, the selection hatch, closing lines), origins clamped at the end of the table with
// the scroll bar in step, scroll events, focus, and the interpreters told about leaving rows.
#include "frm/tables/ctblview.h"

#include <algorithm>

#include "frm/views/nscrllbr.h"
#include "table_fixture.h"

namespace {

using Attributes = FRM_CTableAttributes;

class TableViewTest : public tabletest::TableFixture {
protected:
    void DrawAll(FRM_CTableView* theView)
    {
        vkov_debug_draw_log_clear(itsHandle);
        theView->Draw(theView->GetGlobalFrame());
    }
};

// Records the cells it is asked to hide; draws nothing.
class HidingInterpreter : public FRM_CTableInterpreter {
public:
    explicit HidingInterpreter(FRM_CTableView* theTable) : FRM_CTableInterpreter(theTable) {}
    short CanFocus(const CTableInterpreterParameters&) override { return itsCanFocus; }
    void FocusIn(const CTableInterpreterParameters& p) override { itsEvents.push_back("in " + Name(*p.itsCell)); }
    void FocusOut(const CTableInterpreterParameters& p) override { itsEvents.push_back("out " + Name(*p.itsCell)); }
    void Hide(const CTableInterpreterParameters& p) override { itsEvents.push_back("hide " + Name(*p.itsCell)); }
    static std::string Name(const FRM_CCell& c) { return std::to_string(c.V()) + "," + std::to_string(c.H()); }
    std::vector<std::string> itsEvents;
    short itsCanFocus = 1;
};

TEST_F(TableViewTest, DrawsTheVisibleCellsAndClosesTheGrid)
{
    FRM_CTableView* view = NewTableView(3, 4);
    itsSource.Fill(50, 50);
    DrawAll(view);
    std::vector<std::string> texts = DrawnTexts();
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"0,0", "0,1", "0,2", "0,3", "1,0", "1,1", "1,2",
                                                "1,3", "2,0", "2,1", "2,2", "2,3"}));
    ASSERT_EQ(itsSource.itsPrimed.size(), 1u);
    EXPECT_EQ(itsSource.itsPrimed[0], FRM_CBounds(0, 0, 2, 3));   // inclusive range
    // The last two lines close the grid at its right (x 200) and bottom (y 60).
    const std::vector<std::string> lines = LogArgs(itsHandle, "draw_line");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "200,0,200,60");
    EXPECT_EQ(lines.back(), "0,60,200,60");

    // A big table draws only what the view shows: 10 rows (200 / 20) by 6 columns (300 / 50),
    // plus the row and column the frame's far edges touch.
    view->SetCellBounds(FRM_CBounds(0, 0, 1000, 100));
    itsSource.itsPrimed.clear();
    DrawAll(view);
    EXPECT_EQ(itsSource.itsPrimed, (std::vector<FRM_CBounds>{FRM_CBounds(0, 0, 10, 6)}));
    EXPECT_EQ(DrawnTexts().size(), 11u * 7u);
}

// A table view made on its own measures its text cells with its font mapped to the window:
// lines sit one font height apart, each baseline an ascent below the top of its line.
TEST_F(TableViewTest, TextLinesAreMeasuredWithTheTablesFont)
{
    FRM_CTableView* view = NewTableView(3, 2, FRM_CRect(0, 0, 300, 200));
    view->SetRow(0, 60.0f);
    Attributes top;
    top.Justification(Attributes::JustifyTopLeft);
    view->SetCell(FRM_CCell(0, 0), top);
    itsSource.Set(0, 0, "ab\r\ncd");
    DrawAll(view);
    FRM_CFont font(FRM_CEnvironment::DefaultFont());
    font.Map(itsWindow);
    const int height = static_cast<int>(font.GetHeight());
    const int ascent = static_cast<int>(font.GetAscent());
    ASSERT_GT(ascent, 0);
    const std::vector<std::string> texts = LogArgs(itsHandle, "draw_text");
    auto baseline = [&texts](const char* theText) {
        for (const std::string& args : texts)
            if (args.find(theText) != std::string::npos)
                return std::stoi(args.substr(args.find(',') + 1));
        return -1;
    };
    EXPECT_EQ(baseline("\"ab\""), 2 + ascent);   // the top margin, then the ascent
    EXPECT_EQ(baseline("\"cd\"") - baseline("\"ab\""), height);
}

TEST_F(TableViewTest, BandsThenCellsAndTheSelectionHatch)
{
    FRM_CTableView* view = NewTableView(4, 4);
    itsSource.Fill(4, 4);
    view->SetColumn(1, [] { Attributes a; a.Background(0x00ff0000); return a; }(), 0);
    view->SetRow(2, [] { Attributes a; a.Background(0x0000ff00); return a; }(), 0);
    view->SetCell(FRM_CCell(3, 3), [] { Attributes a; a.Background(0x000000ff); return a; }());
    view->GetAttributes().SelectCell(FRM_CCell(0, 0), 1);
    DrawAll(view);
    std::vector<std::pair<std::string, s_cbrush>> rects;
    for (const vkov_draw_log_entry& entry : Log(itsHandle))
        if (std::string(entry.op) == "draw_rect")
            rects.emplace_back(entry.args, entry.brush);
    ASSERT_GE(rects.size(), 4u);
    // The column band (rows 0-3 of column 1), then the row band across it, then the cells.
    EXPECT_EQ(rects[0].first, "0,50,80,100");
    EXPECT_EQ(rects[1].first, "40,0,60,200");
    auto cellRect = [&](const std::string& args) {
        return std::find_if(rects.begin() + 2, rects.end(), [&](auto& r) { return r.first == args; });
    };
    const auto selected = cellRect("0,0,20,50");
    ASSERT_NE(selected, rects.end());
    EXPECT_EQ(selected->second.pat, PAT_BDIAG);
    const auto own = cellRect("60,150,80,200");
    ASSERT_NE(own, rects.end());
    EXPECT_NE(own->second.pat, PAT_BDIAG);
    EXPECT_EQ(own->second.color & 0x00ffffff, 0x000000ffu);
}

TEST_F(TableViewTest, WithoutASourceNoCellIsDrawn)
{
    FRM_CTableView* view = NewTableView(3, 3);
    view->SetSource(nullptr);
    DrawAll(view);
    EXPECT_TRUE(DrawnTexts().empty());
    EXPECT_TRUE(LogArgs(itsHandle, "draw_rect").empty());
    EXPECT_EQ(LogArgs(itsHandle, "draw_line").size(), 2u);   // only the closing lines
}

// The table stops scrolling when its last column ends at the view's right edge; the bar
// then stands one past the origin.
TEST_F(TableViewTest, OriginsStopAtTheEndOfTheTable)
{
    FRM_CTableView* view = NewTableView(100, 10, FRM_CRect(0, 0, 175, 110));
    auto* hBar = new FRM_NScrollBar(itsWindow, FRM_CRect(0, 120, 175, 136), HORIZONTAL, 0);
    auto* vBar = new FRM_NScrollBar(itsWindow, FRM_CRect(180, 0, 196, 110), VERTICAL, 0);
    view->AssociateScrollBars(vBar, hBar);
    EXPECT_EQ(vBar->GetMaxPosition(), 100);

    view->SetCellOrigin(FRM_CCell(-3, -4));
    EXPECT_EQ(view->GetCellOrigin(), FRM_CCell(0, 0));
    EXPECT_FALSE(view->IsFlushRight());

    view->SetCellOrigin(FRM_CCell(9, 0));   // 3.5 columns show: the last ends at the edge
    EXPECT_TRUE(view->IsFlushRight());
    EXPECT_EQ(view->GetPixelOrigin().H(), 500 - 175);
    EXPECT_EQ(view->GetCellOrigin().H(), 6);
    EXPECT_EQ(hBar->GetPosition(), 7);

    view->SetCellOrigin(FRM_CCell(0, 1000));
    EXPECT_TRUE(view->IsFlushBottom());
    EXPECT_EQ(view->GetPixelOrigin().V(), 2000 - 110);
}

TEST_F(TableViewTest, ScrollEvents)
{
    FRM_CTableView* view = NewTableView(1000, 10, FRM_CRect(0, 0, 200, 110));   // 5.5 rows show
    struct Case {
        e_scroll_ctl action;
        float position;
        std::int32_t row;
    };
    const Case cases[] = {
        {SC_LINE_DOWN, 0, 1},
        {SC_PAGE_DOWN, 0, 6},     // the partly shown row becomes the top row
        {SC_PAGE_UP, 0, 1},       // the old top row ends at the bottom edge
        {SC_LINE_UP, 0, 0},
        {SC_LINE_UP, 0, 0},
        {SC_THUMBTRACK, 500.7f, 500},
        {SC_THUMB, 42, 42},
        {SC_NONE, 7, 42},
    };
    for (const Case& c : cases) {
        view->VScroll(c.action, c.position);
        EXPECT_EQ(view->GetCellOrigin().V(), c.row) << "action " << c.action;
    }
    view->HScroll(SC_LINE_DOWN, 0);
    EXPECT_EQ(view->GetCellOrigin(), FRM_CCell(1, 42));
}

TEST_F(TableViewTest, FocusGoesThroughTheInterpreters)
{
    FRM_CTableView* view = NewTableView(10, 10);
    auto* interpreter = new HidingInterpreter(view);
    Attributes a;
    a.Interpreter(interpreter);
    view->SetTable(a, 0);
    const FRM_CCell first(1, 2), second(3, 4);
    view->SetFocus(&first);
    view->SetFocus(&second);
    ASSERT_NE(view->GetFocus(), nullptr);
    EXPECT_EQ(*view->GetFocus(), second);
    interpreter->itsCanFocus = 0;
    view->SetFocus(&first);
    EXPECT_EQ(view->GetFocus(), nullptr);
    EXPECT_EQ(interpreter->itsEvents, (std::vector<std::string>{"in 2,1", "out 2,1", "in 4,3", "out 4,3"}));
}

TEST_F(TableViewTest, RowsLeavingTheTableAreHiddenFirst)
{
    FRM_CTableView* view = NewTableView(10, 2);
    auto* interpreter = new HidingInterpreter(view);
    Attributes a;
    a.Interpreter(interpreter);
    view->SetTable(a, 0);
    view->DeleteColumns(0, 1);
    EXPECT_TRUE(interpreter->itsEvents.empty());
    view->DeleteRows(0, 2);
    std::vector<std::string> expected;   // every known column, rows 8 and 9
    for (std::int32_t column = 0; column < view->GetCoordinates().GetLastInitializedColumn(); ++column)
        for (const char* row : {"8,", "9,"})
            expected.push_back("hide " + std::string(row) + std::to_string(column));
    EXPECT_GE(expected.size(), 8u);
    EXPECT_EQ(interpreter->itsEvents, expected);
    EXPECT_EQ(view->GetCellBounds(), FRM_CBounds(0, 0, 8, 1));

    // Shrinking the bounds hides every known cell that leaves them.
    interpreter->itsEvents.clear();
    const std::int32_t lastRow = view->GetCoordinates().GetLastInitializedRow();
    view->SetCellBounds(FRM_CBounds(0, 0, lastRow - 1, 1));
    EXPECT_EQ(std::count(interpreter->itsEvents.begin(), interpreter->itsEvents.end(),
                         "hide " + std::to_string(lastRow - 1) + ",0"),
              1);
    EXPECT_EQ(std::count(interpreter->itsEvents.begin(), interpreter->itsEvents.end(), "hide 0,1"), 1);
    EXPECT_EQ(std::count(interpreter->itsEvents.begin(), interpreter->itsEvents.end(), "hide 0,0"), 0);
}

}   // namespace
