// Tests of the scrolling entry pane in a running framework: the commands its clicks, drags
// and scroll-bar actions send to the owner, the origin and position its scrolling leaves,
// and an entry painter drawing into it.
#include "app/display/scroll_view_win.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "entry_painter_support.h"
#include "frm/runtime/cnav.h"
#include "frm/views/nscrllbr.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/support/wheel.h"

namespace {

// The owner: records the commands the pane sends, with their points.
class Owner : public FRM_CSubview {
public:
    using FRM_CSubview::FRM_CSubview;
    struct Sent {
        long command;
        std::vector<std::pair<float, float>> points;
    };
    void DoCommand(long command, void* data) override
    {
        Sent sent{command, {}};
        const auto* pair = command == kPaneDrag ? PaneDrag::Read(data) : PaneOtherButton::Read(data);
        for (int i = 0; pair != nullptr && i < 2; ++i)
            sent.points.emplace_back((*pair)[i].H(), (*pair)[i].V());
        if (const FRM_CPoint* point = PaneDoubleClick::Read(data))
            sent.points.emplace_back(point->H(), point->V());
        sent_.push_back(sent);
    }
    std::vector<Sent> sent_;
};

class ScrollViewWinTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        window = NewWindow("entry", 400, 300);
        owner = new Owner(window, FRM_CRect(0, 0, 400, 300)); // the window owns it
        view = new ScrollViewWin(itsDocument, owner, FRM_CRect(0, 0, 320, 240));
        vkok_app_process_pending_events();
    }
    std::vector<long> Commands() const
    {
        std::vector<long> out;
        for (const auto& sent : owner->sent_)
            out.push_back(sent.command);
        return out;
    }
    std::int32_t Position() const { return vko_sbar_get_pos(view->scrollBar()->GetVKOWindow(), 2); }
    void Scroll(std::int32_t code, std::int32_t thumb = 0)
    {
        view->pane()->DoControl(0, WC_VSCROLL, view->scrollBar()->GetVKOWindow(), code, thumb);
    }

    FRM_CWindow* window = nullptr;
    Owner* owner = nullptr;
    ScrollViewWin* view = nullptr;
};

TEST_F(ScrollViewWinTest, Mouse_SendsPointsInTextCoordinates)
{
    ScrollPaneWin* pane = view->pane();
    pane->SetOrigin(-32); // scrolled two lines of 16
    pane->DoMouseDown(FRM_CPoint(50, 40), 0, 0, 0);
    EXPECT_TRUE(pane->dragging());
    pane->DoMouseMove(FRM_CPoint(90, 60), 0, 0, 0);
    pane->DoMouseUp(FRM_CPoint(90, 60), 0, 0, 0);
    pane->DoMouseMove(FRM_CPoint(95, 61), 0, 0, 0); // not dragging: nothing
    pane->DoMouseDown(FRM_CPoint(10, 20), 1, 0, 0); // another button: no drag
    pane->DoMouseMove(FRM_CPoint(12, 22), 1, 0, 0);
    pane->DoMouseDouble(FRM_CPoint(5, 6), 0, 0, 0);
    ASSERT_EQ(Commands(), (std::vector<long>{kPaneDrag, kPaneDrag, kPaneOtherButton,
                                             kPaneDoubleClick}));
    using P = std::vector<std::pair<float, float>>;
    EXPECT_EQ(owner->sent_[0].points, (P{{50, 72}, {50, 72}}));
    EXPECT_EQ(owner->sent_[1].points, (P{{50, 72}, {90, 92}}));
    EXPECT_EQ(owner->sent_[2].points, (P{{10, 52}, {10, 52}}));
    EXPECT_EQ(owner->sent_[3].points, (P{{5, 38}}));
    EXPECT_FALSE(pane->dragging());
}

// Scrolling ends with the text's last line at the pane's bottom, never past it.
TEST_F(ScrollViewWinTest, ScrollBar_ScrollsByWholeLinesToTheLastLine)
{
    view->SetLineStep(16);
    view->SetScrollRange(0, 40); // 240 pixels high: 15 lines shown, the last at line 25, a page 14 lines
    struct Case {
        const char* why;
        std::int32_t code, thumb;
        float origin;
        std::int32_t position;
        bool drawn;
    };
    const Case cases[] = {
        {"line up at the top does nothing", 1, 0, 0, 0, false},
        {"page up at the top does nothing", 3, 0, 0, 0, false},
        {"line down", 2, 0, -16, 1, true},
        {"page down by a page", 4, 0, -240, 15, true},
        {"page down with fewer lines left ends with the last line at the bottom", 4, 0, -400, 25, true},
        {"line down at the end does nothing", 2, 0, -400, 25, false},
        {"page down at the end does nothing", 4, 0, -400, 25, false},
        {"line up", 1, 0, -384, 24, true},
        {"thumb to 5", 6, 5, -80, 5, true},
        {"thumb past the end stops at the last line", 6, 40, -400, 25, true},
        {"page up by a page", 3, 0, -176, 11, true},
        {"page up with fewer lines above scrolls to the top", 3, 0, 0, 0, true},
        {"an unknown action does nothing", 5, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        owner->sent_.clear();
        Scroll(c.code, c.thumb);
        EXPECT_EQ(view->ScrollOriginY(), c.origin);
        EXPECT_EQ(Position(), c.position);
        EXPECT_EQ(Commands(), c.drawn ? std::vector<long>{kPaneDraw} : std::vector<long>{});
    }
}

TEST_F(ScrollViewWinTest, Wheel_OverThePaneScrollsLikeItsBar)
{
    view->SetLineStep(16);
    view->SetScrollRange(0, 20);
    vkok_app_process_pending_events();
    owner->sent_.clear();
    test_support::WheelNotch(view->PaneWindow()); // three line scrolls down
    EXPECT_EQ(view->ScrollOriginY(), -48);
    EXPECT_EQ(Position(), 3);
    EXPECT_FALSE(Commands().empty()) << "the uncovered strips are drawn";
}

TEST_F(ScrollViewWinTest, ScrollBar_WithoutALineStepIsIgnored)
{
    view->SetScrollRange(0, 20);
    Scroll(2);
    EXPECT_EQ(view->ScrollOriginY(), 0);
    EXPECT_TRUE(owner->sent_.empty());
}

TEST_F(ScrollViewWinTest, Paint_ClearsAndAsksTheOwnerToDraw)
{
    view->pane()->Draw(FRM_CRect(0, 0, 320, 240));
    EXPECT_EQ(Commands(), (std::vector<long>{kPaneDraw}));
}

// The painter sets the line step and the bar: an entry that fits has nothing to scroll; a
// long one scrolls until its last line is at the pane's bottom, with a whole line at the top
// wherever it stops.
TEST_F(ScrollViewWinTest, Painter_SetsTheLineStepAndRange)
{
    vkov_font_add_family_mapping("DorvaneRegular", VKO_FONT_TEST_FAMILY);
    EntryPainter painter(view, view->PaneWindow());
    EXPECT_EQ(view->pane()->lineStep(), 16);
    EXPECT_EQ(painter.rightLimit(), 320 - 50);
    entrytest::HandDisplayOrder(painter);
    entrytest::Parts parts;
    parts.Set(9, "\none\ntwo\nthree");
    view->SetScrollOriginY(-48);
    painter.ShowEntry(parts.items);
    EXPECT_EQ(view->ScrollOriginY(), 0);
    Scroll(2);
    EXPECT_EQ(view->ScrollOriginY(), 0) << "an entry that fits does not scroll";

    std::string lines;
    for (int line = 0; line < 40; ++line)
        lines += "\nline";
    parts.Set(9, lines);
    painter.ShowEntry(parts.items);
    const auto top = [&](const EntryPainter::Run& run) { return run.y - static_cast<float>(painter.ascentOffset()); };
    for (const std::int32_t code : {2, 4, 6}) {
        SCOPED_TRACE(code);
        Scroll(code, 1000); // a line, a page, the thumb past the end
        bool wholeAtTop = false;
        float bottom = 0;
        for (const EntryPainter::Run& run : painter.runs()) {
            wholeAtTop = wholeAtTop || top(run) + view->ScrollOriginY() == 0;
            bottom = std::max(bottom, top(run) + painter.lineHeight() + view->ScrollOriginY());
        }
        EXPECT_TRUE(wholeAtTop) << "a line's top at the pane's top";
        if (code == 6) {
            EXPECT_LE(bottom, 240) << "the last line shown whole";
            EXPECT_GT(bottom, 240 - painter.lineHeight()) << "and at the pane's bottom";
        }
    }
}

// An entry whose last line is a picture taller than a line (the illustration's marker,
// 40 pixels over lines of 16): scrolled to the end, in every way the bar scrolls, the pane
// shows the whole picture at its bottom, not its top two lines' worth.
TEST_F(ScrollViewWinTest, Painter_ATallPictureOnTheLastLineIsScrolledToWhole)
{
    std::string xpm = "/* XPM */\nstatic char *tall[] = {\n\"6 40 1 1\",\n\"a c #FF0000\",\n";
    for (int row = 0; row < 40; ++row)
        xpm += "\"aaaaaa\",\n";
    xpm += "};\n";
    std::string hex;
    for (const unsigned char byte : xpm) {
        static const char kDigits[] = "0123456789abcdef";
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    ASSERT_TRUE(vkov_res_register_text("tall marker", ("image 39009 hex \"" + hex + "\"\n").c_str()));
    vkov_font_add_family_mapping("DorvaneRegular", VKO_FONT_TEST_FAMILY);
    EntryPainter painter(view, view->PaneWindow());
    entrytest::HandDisplayOrder(painter);
    entrytest::Parts parts;
    std::string lines;
    for (int line = 0; line < 30; ++line)
        lines += "\nline";
    parts.Set(9, lines);
    parts.items[10]->set_kind(1); // the illustration's marker
    const WINDOW pane = view->PaneWindow();
    for (const std::int32_t code : {4, 6}) {
        SCOPED_TRACE(code == 4 ? "pages down" : "the thumb past the end");
        painter.ShowEntry(parts.items);
        const auto marker = std::find_if(painter.runs().begin(), painter.runs().end(),
                                         [](const EntryPainter::Run& run) { return run.height > 0; });
        ASSERT_NE(marker, painter.runs().end());
        ASSERT_EQ(marker->height, 40);
        for (std::int32_t before = -1; Position() != before;) {
            before = Position();
            Scroll(code, 1000);
        }
        painter.Redraw(view->ScrollOriginY());
        // The picture's column on the screen, from its top down: red all the way, inside the
        // pane (240 high).
        const int top = static_cast<int>(marker->y) - painter.ascentOffset() + static_cast<int>(view->ScrollOriginY());
        const int x = static_cast<int>(marker->x);
        ASSERT_GE(top, 0);
        EXPECT_LE(top + 40, 240) << "the picture's last row is in the pane";
        int rows = 0;
        for (int y = top; y < 240; ++y)
            rows += vkov_debug_surface_pixel(pane, x + 2, y) == 0xFFFF0000U ? 1 : 0;
        EXPECT_EQ(rows, 40) << "every row of the picture is drawn";
    }
}

// Escape clears the entry: the pane is back at its top, and a blank page has nothing to
// scroll, so its bar shows no thumb.
TEST_F(ScrollViewWinTest, Painter_ResetLeavesTheBlankPaneAtItsTopWithoutAThumb)
{
    vkov_font_add_family_mapping("DorvaneRegular", VKO_FONT_TEST_FAMILY);
    EntryPainter painter(view, view->PaneWindow());
    entrytest::HandDisplayOrder(painter);
    std::string lines;
    for (int line = 0; line < 40; ++line)
        lines += "\nline";
    entrytest::Parts parts;
    parts.Set(9, lines);
    painter.ShowEntry(parts.items);
    Scroll(4); // a page down
    ASSERT_GT(Position(), 0);
    ASSERT_LT(view->ScrollOriginY(), 0);
    ASSERT_GT(view->scrollBar()->GetMaxPosition(), 0);
    painter.Reset();
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(view->ScrollOriginY(), 0);
    EXPECT_LT(view->scrollBar()->GetMaxPosition(), 1) << "a blank page has no line to scroll to, no thumb";
}

// A reader's keys on a long entry (60 lines of 16 in a pane 240 high: 15 shown, a page 14
// lines, the last position 45): each scrolls to where a text view would be.
TEST_F(ScrollViewWinTest, Keys_PageUpAndDownHomeAndEndScrollAsAReaderExpects)
{
    view->SetLineStep(16);
    view->SetScrollRange(0, 60);
    struct Case {
        const char* why;
        std::uint16_t key;
        std::int32_t position;
    };
    const Case cases[] = {
        {"Page Down scrolls a page", VKO_KEY_PAGE_DOWN, 14},
        {"Page Down again scrolls another page", VKO_KEY_PAGE_DOWN, 28},
        {"Page Up scrolls a page back", VKO_KEY_PAGE_UP, 14},
        {"Home goes to the top", VKO_KEY_LINE_START, 0},
        {"End shows the last line at the bottom", VKO_KEY_LINE_END, 45},
        {"Page Up from the end scrolls a page back", VKO_KEY_PAGE_UP, 31},
        {"Ctrl+Home goes to the top", VKO_KEY_TEXT_START, 0},
        {"Ctrl+End goes to the end", VKO_KEY_TEXT_END, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        view->pane()->DoKey(FRM_CKey(FRM_CKey::kVirtual, c.key));
        EXPECT_EQ(Position(), c.position);
        EXPECT_EQ(view->ScrollOriginY(), -16.0f * static_cast<float>(c.position));
    }
}

// The owner of a pane that shows an entry: it draws and selects through the engine.
class Reader : public FRM_CSubview {
public:
    using FRM_CSubview::FRM_CSubview;
    void DoCommand(long command, void* data) override
    {
        if (command == kPaneDraw && painter != nullptr && view != nullptr)
            painter->Redraw(view->ScrollOriginY());
        if (PaneKeyStep* move = PaneSelectKey::Read(data); move != nullptr && painter != nullptr)
            move->found = painter->SelectByKey(move->step, &move->end);
    }
    EntryPainter* painter = nullptr;
    ScrollViewWin* view = nullptr;
};

// Shift with the arrows, Home, End and the page keys selects: the selection's moving end
// goes where a text view's caret would, and the pane follows it, as far as it must and no
// further.
TEST_F(ScrollViewWinTest, Keys_WithShiftTheSelectionsEndStaysInSight)
{
    vkov_font_add_family_mapping("DorvaneRegular", VKO_FONT_TEST_FAMILY);
    auto* reader = new Reader(window, FRM_CRect(0, 0, 400, 300)); // the window owns it
    auto* pane = new ScrollViewWin(itsDocument, reader, FRM_CRect(0, 0, 320, 240));
    EntryPainter painter(pane, pane->PaneWindow());
    reader->painter = &painter;
    reader->view = pane;
    entrytest::HandDisplayOrder(painter);
    std::string lines;
    for (int line = 0; line < 40; ++line)
        lines += "\nline " + std::to_string(line) + " ends";
    entrytest::Parts parts;
    parts.Set(9, lines);
    painter.ShowEntry(parts.items);
    vkok_app_process_pending_events();
    const auto key = [&](std::uint16_t code, bool control) {
        s_char record{code, 1, static_cast<std::int16_t>(control ? 1 : 0), 1,
                      FRM_CKey::kShift | (control ? FRM_CKey::kControl : 0u)};
        pane->pane()->DoKey(FRM_CKey(record));
    };
    struct Case {
        const char* why;
        std::uint16_t key;
        bool control;
        std::string selected; // the selection copied
        bool scrolled;        // the pane moved
    };
    const Case cases[] = {
        {"Shift+Down selects the first word in sight", VKO_KEY_DOWN, false, "line", false},
        {"then the word below it", VKO_KEY_DOWN, false, "line 0 ends\nline", false},
        {"Shift+End: to its line's end", VKO_KEY_LINE_END, false, "line 0 ends\nline 1 ends", false},
        {"Shift+Page Down: a page further down", VKO_KEY_PAGE_DOWN, false, "", true},
        {"Ctrl+Shift+End: to the text's end", VKO_KEY_TEXT_END, true, "", true},
        {"Shift+Home: to its line's start", VKO_KEY_LINE_START, false, "", false},
        {"Shift+Page Up: a page up, still in sight at the top", VKO_KEY_PAGE_UP, false, "", false},
        {"Shift+Page Up again: a page further up", VKO_KEY_PAGE_UP, false, "", true},
        {"Ctrl+Shift+Home: to the text's start", VKO_KEY_TEXT_START, true, "line", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const float before = pane->ScrollOriginY();
        key(c.key, c.control);
        ASSERT_FALSE(painter.selection().empty());
        if (!c.selected.empty()) {
            EXPECT_EQ(painter.SelectedText(), c.selected);
        }
        EXPECT_EQ(pane->ScrollOriginY() != before, c.scrolled);
        // The moving end: the last run selected (the fixed end is the first in sight).
        const int end = *std::max_element(painter.selection().begin(), painter.selection().end());
        const EntryPainter::Run& run = painter.runs()[static_cast<std::size_t>(end)];
        const float top = run.y - static_cast<float>(painter.ascentOffset()) + pane->ScrollOriginY();
        EXPECT_GE(top, 0) << "the selection's end is in sight";
        EXPECT_LE(top + painter.lineHeight(), 240) << "the selection's end is in sight";
    }
}

// A window manager makes the window wider or narrower: the owner is asked to lay the text
// out again at the new width, once per change of width, and not for a change of height.
TEST_F(ScrollViewWinTest, Glue_ANewWidthAsksTheOwnerToLayOutAgain)
{
    view->SetGlue(0xFFFFFFFFul);
    owner->SetGlue(0xFFFFFFFFul);
    struct Case {
        const char* why;
        float width, height;
        bool relaidOut;
    };
    const Case cases[] = {
        {"wider", 600, 300, true},
        {"the same again", 600, 300, false},
        {"taller only", 600, 400, false},
        {"narrower", 450, 400, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        owner->sent_.clear();
        window->SizeWindow(static_cast<int>(c.width), static_cast<int>(c.height));
        vkok_app_process_pending_events();
        const std::vector<long> sent = Commands();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), kPaneRelayOut), c.relaidOut ? 1 : 0);
    }
}

} // namespace
