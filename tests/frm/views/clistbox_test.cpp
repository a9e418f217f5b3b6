// Tests of the list box in a real window: lines and grid rows kept aligned through inserts,
// replacements and removals, selection by click, drag and first letter over 10,000 lines,
// half-line trimming, data commands, and the pointer trap released on every path.
#include "frm/views/clistbox.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/core/ctdivalue.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cfxdgrid.h"
#include "frm/views/ctext.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"
#include "frm/runtime/cglblcls.h"
#include "vkobase/surface_debug.h"
#include "vkobase/win.h"

namespace {

class ListBoxTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("list", 400, 300);
    }

    FRM_CListBox* NewList(const std::vector<std::string>& lines, float height = 120)
    {
        auto* list = new FRM_CListBox(itsWindow, FRM_CRect(10, 10, 210, 10 + height));
        list->IListBox(nullptr, 0, 1, 0, 7001, 7002, 1, 0);
        for (const std::string& line : lines)
            list->InsertLine(FRM_CStringRW(line.c_str()), list->GetNumberOfLines(), 0);
        return list;
    }

    // The lines as the item list has them; each must sit in the grid row of its index.
    static std::vector<std::string> Lines(FRM_CListBox* list)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < list->GetNumberOfLines(); ++i) {
            lines.push_back(list->GetLine(i).data());
            FRM_CView* inRow = list->GetGrid()->GetContents(i, 0);
            EXPECT_TRUE(inRow != nullptr && inRow->GetTitle() == list->GetLine(i)) << "row " << i;
        }
        EXPECT_EQ(list->GetGrid()->GetNumRows(), std::max(list->GetNumberOfLines(), 1));
        return lines;
    }

    // A point in the list box's local coordinates on line i (content coordinates).
    static FRM_CPoint OnLine(FRM_CListBox* list, int i)
    {
        const float row = list->GetGrid()->GetHeight(0);
        return FRM_CPoint(5, list->GetGrid()->GetFrame().Top() + row * static_cast<float>(i) + row / 2);
    }

    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(ListBoxTest, InsertReplaceAppendAndRemoveKeepLinesAndRowsAligned)
{
    struct Case {
        const char* why;
        int position;
        short replace;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"insert at the front", 0, 0, {"new", "a", "b", "c"}},
        {"insert in the middle", 2, 0, {"a", "b", "new", "c"}},
        {"replace", 1, 1, {"a", "new", "c"}},
        {"append at the count", 3, 0, {"a", "b", "c", "new"}},
        {"far past the end appends as the next line", 40, 0, {"a", "b", "c", "new"}},
        {"a negative position is ignored", -1, 0, {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CListBox* list = NewList({"a", "b", "c"});
        list->InsertLine(FRM_CStringRW("new"), c.position, c.replace);
        EXPECT_EQ(Lines(list), c.expected);
        list->RemoveLine(0);
        EXPECT_EQ(Lines(list), std::vector<std::string>(c.expected.begin() + 1, c.expected.end()));
        delete list;
    }
}

TEST_F(ListBoxTest, RemovingTheSelectedLineClearsTheSelectionAndOutOfRangeIsIgnored)
{
    FRM_CListBox* list = NewList({"alpha", "beta", "gamma"});
    list->SelectLine(1, 1);
    EXPECT_EQ(list->GetSelectedLine(), 1);
    FrmErrorCapture errors;
    list->RemoveLine(7);
    list->RemoveLine(-1);
    list->SelectLine(9, 1);
    EXPECT_EQ(list->GetSelectedLine(), -1) << "selecting no line still deselects";
    list->SelectLine(1, 1);
    list->RemoveLine(1);
    EXPECT_EQ(list->GetSelectedLine(), -1);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"alpha", "gamma"}));
    EXPECT_TRUE(errors.Reports().empty());
    EXPECT_EQ(list->GetLine(5), FRM_CStringRW());
    EXPECT_EQ(list->GetLine(FRM_CStringRW("gamma")), 1);
    EXPECT_EQ(list->GetLine(FRM_CStringRW("beta")), -1);
}

TEST_F(ListBoxTest, ATypedLetterSelectsTheFirstLineStartingWithItInEitherCase)
{
    FRM_CListBox* list = NewList({"apple", "Banana", "berry", "cherry", "Bean"});
    struct Case {
        std::uint16_t typed;
        int selected;
    };
    const Case cases[] = {
        {'b', 1}, {'B', 1}, {'c', 3}, {'C', 3}, {'z', 3}, {'A', 0},
    };
    for (const Case& c : cases) {
        list->Key(FRM_CKey(c.typed, 0, 0, 0, 0));
        EXPECT_EQ(list->GetSelectedLine(), c.selected) << static_cast<char>(c.typed);
    }
    list->Key(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DOWN));
    EXPECT_EQ(list->GetSelectedLine(), 0) << "arrows do not move the selection";
}

TEST_F(ListBoxTest, TrimmingLeavesNoPartialLine)
{
    FRM_CListBox* list = NewList({"one", "two"});
    const int row = static_cast<int>(list->GetGrid()->GetHeight(0));
    ASSERT_GT(row, 0);
    list->SelfAdjustHeight(1);
    EXPECT_EQ(list->IsHeightSelfAdjusted(), 1);
    for (int height : {100, 6 * row, 6 * row + 1, 3 * row - 1}) {
        list->Size(FRM_CRect(10, 10, 210, 10 + static_cast<float>(height)));
        EXPECT_EQ(list->GetFrame().Height(), static_cast<float>(height - (height % row + 1)))
            << height;
    }
    list->SelfAdjustHeight(0);
    list->Size(FRM_CRect(10, 10, 210, 110));
    EXPECT_EQ(list->GetFrame().Height(), 100);
}

TEST_F(ListBoxTest, DraggingOverTenThousandLinesSelectsAndScrollsLineByLine)
{
    std::string texts;
    for (int i = 0; i < 10000; ++i)
        texts += "line " + std::to_string(i) + ",";
    const FRM_CStringCollection items{FRM_CStringRW(texts.c_str())};
    auto* list = new FRM_CListBox(itsWindow, FRM_CRect(10, 10, 210, 110));
    list->IListBox(&items, 0, 1, 0, 7001, 7002, 1, 0);
    ASSERT_EQ(list->GetNumberOfLines(), 10000);
    EXPECT_EQ(list->GetLine(9999), FRM_CStringRW("line 9999"));
    const float row = list->GetGrid()->GetHeight(0);

    list->MouseDown(OnLine(list, 2), 1, 0, 0);
    EXPECT_EQ(list->GetSelectedLine(), 2);
    EXPECT_EQ(itsWindow->GetTrappedView(), list);
    EXPECT_EQ(vkov_win_get_pointer_trap(), itsWindow->GetVKOWindow());

    // Below the inner frame: the line under the pointer's height, one line of scroll a move.
    const float below = list->GetInnerFrame().Height() + 30;
    for (int move = 1; move <= 3; ++move) {
        const FRM_CPoint origin = list->GetScrollingOrigin();
        list->MouseMove(FRM_CPoint(500, below - origin.V()), 1, 0, 0);
        EXPECT_FLOAT_EQ(list->GetScrollingOrigin().V(), origin.V() - row) << move;
    }
    EXPECT_GT(list->GetSelectedLine(), 2);
    list->MouseUp(FRM_CPoint(0, 0), 1, 0, 0);
    EXPECT_EQ(itsWindow->GetTrappedView(), nullptr);
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);

    // Above the first line: the line before the selected one.
    list->SelectLine(5000, 1);
    EXPECT_EQ(list->GetSelectedLine(), 5000);
    list->MouseDown(OnLine(list, 5000), 1, 0, 0);
    list->MouseMove(FRM_CPoint(5, -list->GetGrid()->GetFrame().Top() - 500), 1, 0, 0);
    EXPECT_EQ(list->GetSelectedLine(), 4999);
    list->MouseUp(FRM_CPoint(0, 0), 1, 0, 0);

    list->Key(FRM_CKey('l', 0, 0, 0, 0));
    EXPECT_EQ(list->GetSelectedLine(), 0) << "the search starts at the first line";
    EXPECT_FLOAT_EQ(list->GetScrollingOrigin().V(), 0);
}

TEST_F(ListBoxTest, AListBoxDestroyedWhileDraggingReleasesThePointer)
{
    FRM_CListBox* list = NewList({"a", "b"});
    list->MouseDown(OnLine(list, 0), 1, 0, 0);
    ASSERT_EQ(vkov_win_get_pointer_trap(), itsWindow->GetVKOWindow());
    delete list;
    EXPECT_EQ(itsWindow->GetTrappedView(), nullptr);
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
}

TEST_F(ListBoxTest, ClicksSendTheirCommandsOnlyOnALine)
{
    class Recording : public FRM_CListBox {
    public:
        using FRM_CListBox::FRM_CListBox;
        void DoCommand(long theCommand, void* theData) override
        {
            itsCommands.push_back(theCommand);
            FRM_CListBox::DoCommand(theCommand, theData);
        }
        std::vector<long> itsCommands;
    };
    auto* list = new Recording(itsWindow, FRM_CRect(10, 10, 210, 210));
    list->IListBox(nullptr, 0, 1, 0, 7001, 7002, 1, 0);
    list->InsertLine(FRM_CStringRW("only"), 0, 0);
    list->MouseDouble(OnLine(list, 5), 1, 0, 0);
    list->MouseDown(OnLine(list, 5), 1, 0, 0);
    EXPECT_TRUE(list->itsCommands.empty()) << "empty space below the last line";
    EXPECT_EQ(list->GetSelectedLine(), -1);
    list->MouseDown(OnLine(list, 0), 1, 0, 0);
    list->MouseUp(OnLine(list, 0), 1, 0, 0);
    list->MouseDouble(OnLine(list, 0), 1, 0, 0);
    EXPECT_EQ(list->itsCommands, (std::vector<long>{7001, 7002}));
    EXPECT_EQ(list->GetSelectedLine(), 0);
}

TEST_F(ListBoxTest, DataCommandsFillClearAndMoveTheSelection)
{
    FRM_CListBox* list = NewList({"a", "b", "c", "d"});
    auto listOf = [list](const std::vector<std::string>& texts) {
        auto* value = new FRM_CTdiListValue(list, 20003);
        for (const std::string& text : texts)
            value->Append(new FRM_CTdiStringValue(FRM_CStringRW(text.c_str()), list, 20003));
        return std::unique_ptr<FRM_CTdiListValue>(value);
    };
    list->DoUpdateModel(0, 20007, listOf({"x", "y"}).get());
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"x", "y"})) << "a shorter fill truncates";
    list->DoUpdateModel(0, 20008, listOf({"z"}).get());
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"x", "y", "z"}));

    struct Step {
        long command;
        int selected;
    };
    const Step steps[] = {{20106, 0}, {20104, 1}, {20104, 2}, {20104, 2},
                          {20105, 1}, {20107, 2}, {20003, -1}};
    const FRM_CTdiIntegerValue none(0, list, 20003);
    for (const Step& step : steps) {
        list->DoUpdateModel(0, step.command, &none);
        EXPECT_EQ(list->GetSelectedLine(), step.selected) << step.command;
    }
    const FRM_CTdiStringValue byText(FRM_CStringRW("y"), list, 20003);
    list->DoUpdateModel(0, 20002, &byText);
    EXPECT_EQ(list->GetSelectedLine(), 1);
    const FRM_CTdiIntegerValue byIndex(2, list, 20003);
    list->DoUpdateModel(0, 20002, &byIndex);
    EXPECT_EQ(list->GetSelectedLine(), 2);
    list->DoUpdateModel(0, 20006, &none);
    EXPECT_EQ(list->GetNumberOfLines(), 0);
}

} // namespace

namespace {

// A long list scrolled into its middle: the selected line is scrolled into view and drawn
// inverted, and nothing is drawn outside the box. Written as a PNG (to VKO_SCREENSHOT_DIR
// when set).
TEST_F(ListBoxTest, AScrolledLongListDrawsTheSelectedLineInvertedInsideItsBox)
{
    std::string texts;
    for (int i = 0; i < 2000; ++i)
        texts += "word " + std::to_string(i) + ",";
    const FRM_CStringCollection items{FRM_CStringRW(texts.c_str())};
    auto* list = new FRM_CListBox(itsWindow, FRM_CRect(20, 20, 220, 220));
    list->IListBox(&items, 0, 1, 0, 7001, 7002, 1, 0);
    list->SelectLine(1000, 1);
    vkok_app_process_pending_events();
    itsWindow->DoDraw(FRM_CObjectRWC::GetG()->GetMAXRect());
    WINDOW handle = itsWindow->GetVKOWindow();

    const FRM_CRect selected = list->GetGrid()->GetContents(1000, 0)->GetGlobalFrame();
    ASSERT_GT(selected.Top(), 20);
    ASSERT_LT(selected.Bottom(), 220);
    const unsigned background = vkov_debug_surface_pixel(handle, 300, 100) & 0xFFFFFF;
    const int middle = static_cast<int>((selected.Top() + selected.Bottom()) / 2);
    // Inverted: most of the line's start is dark (a single pixel may fall on a glyph's
    // stroke, which inverts to the background colour).
    const int left = static_cast<int>(selected.Left());
    int inverted = 0;
    for (int x = left + 1; x <= left + 20; ++x)
        if ((vkov_debug_surface_pixel(handle, x, middle) & 0xFFFFFF) != background)
            ++inverted;
    EXPECT_GT(inverted, 10);
    EXPECT_EQ(vkov_debug_surface_pixel(handle, static_cast<int>(selected.Left()) + 150, middle - 20) &
                  0xFFFFFF,
              background) << "the line above is not selected";
    for (int y : {221, 240, 260})
        EXPECT_EQ(vkov_debug_surface_pixel(handle, 40, y) & 0xFFFFFF, background) << y;

    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_views_listbox.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace

namespace {

// The thumb snaps to whole lines; without a line step there is nothing to snap to and no
// division by zero.
TEST_F(ListBoxTest, TheThumbSnapsToWholeLinesAndALineStepOfZeroTakesItAsItIs)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i)
        lines.push_back("line " + std::to_string(i));
    FRM_CListBox* list = NewList(lines);
    const float row = list->GetGrid()->GetHeight(0);
    ASSERT_GT(row, 1);
    struct Case {
        const char* why;
        float line, position, expected;
    };
    const Case cases[] = {
        {"two lines and a bit", row, 2 * row + row / 3, -2 * row},
        {"no line step", 0, 37, -37},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        list->SetVIncrements(c.line, 50);
        list->VScroll(SC_THUMBTRACK, c.position);
        EXPECT_FLOAT_EQ(list->GetScrollingOrigin().V(), 0) << "no tracking: nothing happens";
        list->VScroll(SC_THUMB, c.position);
        EXPECT_FLOAT_EQ(list->GetScrollingOrigin().V(), std::trunc(c.expected));
        list->SetScrollingOrigin(FRM_CPoint(0, 0));
    }
}

} // namespace
