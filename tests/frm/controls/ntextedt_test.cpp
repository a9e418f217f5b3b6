// Tests of the text views over the real text-edit engine: appending and reading whole texts,
// suspension counting, ranges across paragraphs, paragraph operations and their errors,
// typing that reaches the view as change reports, typing formatted by a validator, and a
// scrolling text whose bars follow the engine (and the engine the bars) with 10,000 lines.
#include "frm/controls/nscrlltx.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/controls/nctrls.h"
#include "frm/drawing/cfont.h"
#include "frm/interaction/cmouse.h"
#include "frm/views/cclipwin.h"
#include "frm/runtime/cnav.h"
#include "frm/runtime/cswtchbr.h"
#include "tests/frm/controls/controls_fixture.h"
#include "tests/support/wheel.h"

namespace {

constexpr long kTextCommand = 1201;
constexpr std::uint16_t kEnd = 0xFFFF;

class TextEditTest : public frmtest::ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        itsPanel = new frmtest::CommandPanel(itsWindow);
    }
    // Wide enough that no test line wraps.
    FRM_NTextEdit* NewEdit()
    {
        return new FRM_NTextEdit(itsWindow, FRM_CRect(10, 10, 310, 200), 0, 0, 30000);
    }
    static std::string Text(const FRM_CStringRW& text) { return text.data(); }
    frmtest::CommandPanel* itsPanel = nullptr;
};

TEST_F(TextEditTest, AppendCutsParagraphsAndGetTextJoinsThem)
{
    struct Case {
        const char* why;
        const char* appended;
        int paragraphs;
        const char* text;
        int characters;
    };
    const Case cases[] = {
        {"two pieces and a last empty one", "a\nb\n", 3, "a\nb\n", 2},
        {"one paragraph", "word", 1, "word", 4},
        {"empty adds nothing", "", 0, "", 0},
        {"empty paragraphs between", "x\n\ny", 3, "x\n\ny", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_NTextEdit* edit = NewEdit();
        EXPECT_EQ(edit->Append(FRM_CStringRW(c.appended)), 1);
        EXPECT_EQ(edit->GetNParInText(), c.paragraphs);
        EXPECT_EQ(Text(edit->GetText()), c.text);
        EXPECT_EQ(edit->GetNCharInText(), c.characters);
        EXPECT_EQ(edit->IsEmpty() != 0, c.paragraphs == 0);
        delete edit;
    }
}

TEST_F(TextEditTest, SuspendCountsAndResumeStepsBack)
{
    FRM_NTextEdit* edit = NewEdit();
    struct Step {
        const char* what;
        int count;
    };
    edit->Suspend();
    edit->Suspend();
    EXPECT_EQ(edit->GetSuspendCount(), 2);
    edit->Resume(0);
    EXPECT_EQ(edit->GetSuspendCount(), 1) << "still suspended";
    edit->Resume(0);
    edit->Resume(0);
    EXPECT_EQ(edit->GetSuspendCount(), 0) << "never below zero";
    edit->Suspend();
    edit->Suspend();
    edit->Resume(1);
    EXPECT_EQ(edit->GetSuspendCount(), 0);
}

TEST_F(TextEditTest, RangesAcrossParagraphs)
{
    FRM_NTextEdit* edit = NewEdit();
    edit->SetText(FRM_CStringRW("alpha\nbravo\ncharlie"));
    struct Case {
        const char* why;
        std::uint16_t p0, p1, c0, c1;
        const char* text;
    };
    const Case cases[] = {
        {"inside one paragraph", 1, 1, 1, 4, "rav"},
        {"from the middle of the first to the middle of the last", 0, 2, 3, 2, "ha\nbravo\nch"},
        {"two whole paragraphs", 0, 1, 0, kEnd, "alpha\nbravo"},
        {"an end past the line", 2, 2, 5, 99, "ie"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Text(edit->GetSomeText(c.p0, c.p1, 0, 0, c.c0, c.c1)), c.text);
        edit->SelectSomeText(c.p0, c.p1, 0, 0, c.c0, std::min<std::uint16_t>(c.c1, 7));
    }
    edit->SelectSomeText(0, 2, 0, 0, 3, 2);
    EXPECT_EQ(Text(edit->GetSelectedText()), "ha\nbravo\nch");
    EXPECT_EQ(edit->GetNCharInSelection(), 9);
    EXPECT_EQ(edit->GetNParInSelection(), 3);
    edit->SetInsertPosition(1, 0, 2);
    EXPECT_EQ(edit->GetNParInSelection(), 0) << "an empty selection";
    std::uint16_t par = 0, line = 0, character = 0;
    edit->GetInsertPosition(&par, &line, &character);
    EXPECT_EQ(par, 1);
    EXPECT_EQ(character, 2);
    edit->SelectParagraph(2, 0, kEnd, 0, kEnd);
    EXPECT_EQ(Text(edit->GetSelectedText()), "charlie");
    edit->SelectText();
    EXPECT_EQ(Text(edit->GetSelectedText()), "alpha\nbravo\ncharlie");
}

TEST_F(TextEditTest, ParagraphOperations)
{
    FRM_NTextEdit* appended = NewEdit();
    FRM_NTextEdit* added = NewEdit();
    appended->Append(FRM_CStringRW("one\ntwo"));
    EXPECT_EQ(added->AddParagraph(FRM_CStringRW("one\ntwo"), kEnd), 1);
    EXPECT_EQ(Text(added->GetText()), Text(appended->GetText()));

    added->AddParagraph(FRM_CStringRW("first\nsecond"), 0);
    EXPECT_EQ(Text(added->GetText()), "first\nsecond\none\ntwo");
    EXPECT_EQ(Text(added->GetParagraph(1)), "second");
    EXPECT_EQ(added->GetNCharInPar(0), 5);

    FrmErrorCapture errors;
    EXPECT_EQ(added->SetParagraph(FRM_CStringRW("x"), 4), 0);
    EXPECT_EQ(added->SetLine(FRM_CStringRW("x"), 0, 0), 0);
    ASSERT_EQ(errors.Reports().size(), 2U);
    EXPECT_EQ(errors.Reports()[0].code, 3102);
    EXPECT_EQ(errors.Reports()[1].code, 3103);
    EXPECT_EQ(errors.Reports()[0].file, "ntextedt");
    EXPECT_EQ(Text(added->GetText()), "first\nsecond\none\ntwo") << "nothing changed";

    // An empty text is an ordinary text: it appends nothing and empties a paragraph.
    EXPECT_EQ(added->AppendToParagraph(FRM_CStringRW(""), 0), 1);
    EXPECT_EQ(added->SetParagraph(FRM_CStringRW(""), 1), 1);
    EXPECT_TRUE(errors.Reports().size() == 2U);
    EXPECT_EQ(Text(added->GetText()), "first\n\none\ntwo");
    EXPECT_EQ(added->AppendToParagraph(FRM_CStringRW("!"), 0), 1);
    EXPECT_EQ(added->DeleteParagraph(1), 1);
    EXPECT_EQ(Text(added->GetText()), "first!\none\ntwo");
}

TEST_F(TextEditTest, TypingReachesTheViewAsChangeReports)
{
    auto* edit = new FRM_NTextEdit(itsPanel, FRM_CRect(10, 10, 310, 100), 0, 0, 30000);
    edit->SetTextCommand(kTextCommand);
    WINDOW handle = edit->GetVKOWindow();
    vko_scr_set_focus_vobj(handle);
    vkok_app_process_pending_events();
    itsPanel->commands.clear();
    Key(handle, 'h');
    Key(handle, 'i');
    EXPECT_EQ(Text(edit->GetText()), "hi");
    EXPECT_EQ(itsPanel->commands, (std::vector<long>{kTextCommand, kTextCommand}));

    // A read-only edit takes no keys through the view.
    edit->SetAttribute(FRM_CNativeTextEdit::kReadOnly, 1);
    edit->Key(FRM_CKey('x', 0, 0, 0, 0));
    EXPECT_EQ(Text(edit->GetText()), "hi");
    edit->SetAttribute(FRM_CNativeTextEdit::kReadOnly, 0);
    edit->SetInsertPosition(0, 0, 2);
    edit->Key(FRM_CKey('!', 0, 0, 0, 0));
    EXPECT_EQ(Text(edit->GetText()), "hi!");
}

TEST_F(TextEditTest, ScrollingTextOnTheWindowsOwnBars)
{
    constexpr long kBothBars = 0x4 | 0x8;
    auto* window = new FRM_CWindow(itsDocument, FRM_CRect(0, 0, 300, 200), FRM_CStringRW("bars"),
                                   kBothBars, W_DOC, 0, itsTaskWindow);
    vkok_app_process_pending_events();
    auto* text = new FRM_NScrollText(window, 0, 0, 30000, 1);
    EXPECT_EQ(text->GetVScrollBar(), window->GetVScrollBar());
    EXPECT_EQ(text->GetHScrollBar(), window->GetHScrollBar());
    EXPECT_NE(text->GetAttributes() & FRM_NScrollText::kScrolled, 0U);
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += "row " + std::to_string(i) + "\n";
    text->SetText(FRM_CStringRW(lines.c_str()));
    std::int32_t min = -1;
    std::int32_t max = -1;
    vko_sbar_get_range(window->GetVKOWindow(), 1, &min, &max);
    EXPECT_EQ(max, 301) << "the window's own vertical bar follows the text";

    // The window's scroll event scrolls the text.
    EVENT event{};
    event.type = E_VSCROLL;
    event.v.scroll.what = SC_PAGE_DOWN;
    vkov_test_post_event(window->GetVKOWindow(), &event);
    vkok_app_process_pending_events();
    std::uint16_t top = 0;
    text->GetScrollPosition(nullptr, nullptr, &top, nullptr);
    EXPECT_EQ(top, text->GetLinesPerPage());
    EXPECT_EQ(vko_sbar_get_pos(window->GetVKOWindow(), 1), top);

    // Deleting the text leaves the window's bars alone.
    delete text;
    EXPECT_NE(window->GetVScrollBar(), nullptr);
    EXPECT_EQ(window->Close(), 1);
    vkok_app_process_pending_events();
}

TEST_F(TextEditTest, ScrollingTextFromAWindowResource)
{
    ASSERT_TRUE(vkov_res_register_text("scrolltext_test", R"(
window 7300 {
  entry type=1 rect=(0,0,200,300) title="Results"
  entry type=23 rect=(10,10,190,290) title="hello" id=301 txattrs=0x20 txlimit=2000
}
)"));
    auto* window = new FRM_CWindow(itsDocument, 7300, 1, itsTaskWindow);
    vkok_app_process_pending_events();
    auto* text = FrmCast<FRM_NScrollText>(window->FindResourceView(7300, 301));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Text(text->GetText()), "hello");
    EXPECT_NE(text->GetVScrollBar(), nullptr) << "0x20 asks for a vertical bar";
    EXPECT_EQ(text->GetHScrollBar(), nullptr);
    EXPECT_EQ(text->GetLimit(), 2000);
    EXPECT_EQ(window->Close(), 1);
    vkok_app_process_pending_events();
}

// The entry's font is the engine's font, and the page is measured in it: a 30-point font fits
// fewer lines than the standard font in the same rectangle. SetFont later does the same.
TEST_F(TextEditTest, ScrollingTextTakesTheFontItsResourceNames)
{
    ASSERT_TRUE(vkov_res_register_text("scrolltext_font_test", R"(
font 7311 "01\\helvetica\\0\\30\\"
window 7310 {
  entry type=1 rect=(0,0,400,300) title="Fonts"
  entry type=23 rect=(10,10,190,290) id=311 txattrs=0x20
  entry type=23 rect=(200,10,380,290) id=312 txattrs=0x20 font=7311
}
)"));
    auto* window = new FRM_CWindow(itsDocument, 7310, 1, itsTaskWindow);
    vkok_app_process_pending_events();
    auto* plain = FrmCast<FRM_NScrollText>(window->FindResourceView(7310, 311));
    auto* large = FrmCast<FRM_NScrollText>(window->FindResourceView(7310, 312));
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(large, nullptr);
    const auto engineFontSize = [](const FRM_NScrollText* text) {
        FONT_OBJ font = vko_tx_get_font(text->GetVKOTextEdit());
        const long size = vko_font_get_size(font);
        vko_font_destroy(font);
        return size;
    };
    EXPECT_EQ(engineFontSize(large), 30);
    EXPECT_NE(engineFontSize(plain), 30);
    EXPECT_LT(large->GetLinesPerPage(), plain->GetLinesPerPage());
    // Empty, the text fits: its bar has nothing to scroll and no thumb.
    EXPECT_LT(large->GetVScrollBar()->GetThumbSize(), 1.0f);
    EXPECT_LT(large->GetVScrollBar()->GetMaxPosition(), 1.0f);
    auto* copy = new FRM_NScrollText(*large);
    EXPECT_EQ(engineFontSize(copy), 30) << "a copy shows the original's font";
    EXPECT_EQ(copy->GetLinesPerPage(), large->GetLinesPerPage());

    plain->SetFont(FRM_CFont(7311), 0);
    EXPECT_EQ(engineFontSize(plain), 30);
    EXPECT_EQ(plain->GetLinesPerPage(), large->GetLinesPerPage());
    EXPECT_EQ(window->Close(), 1);
    vkok_app_process_pending_events();
}

TEST_F(TextEditTest, TabInATextEditMovesTheFocusThroughTheWindow)
{
    auto* edit = new FRM_NTextEdit(itsWindow, FRM_CRect(10, 10, 310, 100), 0, 0, 30000);
    auto* field = new FRM_NEditControl(itsWindow, FRM_CRect(10, 110, 310, 130), FRM_CStringRW(""), 0);
    WINDOW handle = edit->GetVKOWindow();
    vko_scr_set_focus_vobj(handle);
    vkok_app_process_pending_events();
    Key(handle, 'a');
    Key(handle, 9);
    EXPECT_EQ(Text(edit->GetText()), "a") << "the tab went to the navigator, not into the text";
    EXPECT_EQ(vko_scr_get_focus_vobj(), field->GetVKOWindow());
}

TEST_F(TextEditTest, WheelOverAScrollingTextScrollsItAndMovesItsBar)
{
    auto* text = new FRM_NScrollText(itsWindow, FRM_CRect(10, 10, 300, 200), 1, 0, 0, 0, 65000, 1);
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += "line " + std::to_string(i) + "\n";
    text->SetText(FRM_CStringRW(lines.c_str()));
    test_support::WheelNotch(text->GetVKOWindow()); // three line scrolls down
    std::uint16_t top = 0;
    text->GetScrollPosition(nullptr, nullptr, &top, nullptr);
    EXPECT_EQ(top, 3);
    EXPECT_FLOAT_EQ(text->GetVScrollBar()->GetPosition(), 3);
}

TEST_F(TextEditTest, ScrollingTextKeepsBarsAndEngineInStepWith10000Lines)
{
    auto* text = new FRM_NScrollText(itsWindow, FRM_CRect(10, 10, 300, 200), 1, 0, 0, 0, 65000, 1);
    FRM_NScrollBar* bar = text->GetVScrollBar();
    ASSERT_NE(bar, nullptr);
    const int page = text->GetLinesPerPage();
    EXPECT_GT(page, 1);

    std::string lines;
    for (int i = 0; i < 10000; ++i)
        lines += "line " + std::to_string(i) + (i + 1 < 10000 ? "\n" : "");
    text->SetText(FRM_CStringRW(lines.c_str()));
    EXPECT_EQ(text->GetNLineInText(), 10000);
    EXPECT_FLOAT_EQ(bar->GetMaxPosition(), 10000);
    EXPECT_FLOAT_EQ(bar->GetThumbSize(), static_cast<float>(page));

    // Bar to engine: actions on the bar scroll the text.
    struct Step {
        const char* why;
        e_scroll_ctl action;
        int thumb;
    };
    const Step steps[] = {{"page down", SC_PAGE_DOWN, 0}, {"line down", SC_LINE_DOWN, 0},
                          {"line up", SC_LINE_UP, 0},     {"thumb", SC_THUMB, 9000},
                          {"page up", SC_PAGE_UP, 0}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        s_ctlinfo info{};
        info.v.sbar.what = step.action;
        info.v.sbar.pos = static_cast<int16_t>(step.thumb);
        bar->DoHit(info);
        std::uint16_t top = 0;
        text->GetScrollPosition(nullptr, nullptr, &top, nullptr);
        EXPECT_FLOAT_EQ(bar->GetPosition(), top) << "the callback moved the bar to the engine";
    }
    // Thumb tracking is ignored without the track flag.
    std::uint16_t before = 0;
    text->GetScrollPosition(nullptr, nullptr, &before, nullptr);
    text->VScroll(SC_THUMBTRACK, 10);
    std::uint16_t after = 0;
    text->GetScrollPosition(nullptr, nullptr, &after, nullptr);
    EXPECT_EQ(after, before);

    // Engine to bar: typing new lines at the end grows the range and follows the caret.
    text->SetInsertPosition(9999, 0, 7);
    vko_scr_set_focus_vobj(text->GetVKOWindow());
    vkok_app_process_pending_events();
    for (int i = 0; i < 5; ++i)
        Key(text->GetVKOWindow(), 13);
    EXPECT_EQ(text->GetNLineInText(), 10005);
    EXPECT_FLOAT_EQ(bar->GetMaxPosition(), 10005);
    std::uint16_t top = 0;
    text->GetScrollPosition(nullptr, nullptr, &top, nullptr);
    EXPECT_FLOAT_EQ(bar->GetPosition(), top);
    EXPECT_GE(top + page, 10005) << "the caret's line is shown";

    // Growing the view near the end leaves no empty page.
    text->SetScrollPosition(10005 - page, 0);
    text->Size(FRM_CRect(10, 10, 300, 230));
    text->GetScrollPosition(nullptr, nullptr, &top, nullptr);
    EXPECT_EQ(top, 10005 - text->GetLinesPerPage());
    EXPECT_FLOAT_EQ(bar->GetPosition(), top);
}

} // namespace

namespace {

TEST_F(TextEditTest, EngineScrollReportReachesOnlyAScrollingText)
{
    auto* text = new FRM_NScrollText(itsWindow, FRM_CRect(10, 10, 300, 200), 1, 0, 0, 0, 65000, 1);
    FRM_NScrollBar* bar = text->GetVScrollBar();
    ASSERT_NE(bar, nullptr);
    bar->SetRange(0, 100, 0);
    hookTextEditCallback(text->GetVKOTextEdit(), 7, kEnd, kEnd);
    EXPECT_FLOAT_EQ(bar->GetPosition(), 7) << "the report moved the bar, the range stayed";
    EXPECT_FLOAT_EQ(bar->GetMaxPosition(), 100);

    // A plain text edit has no bars to move: the report is refused, not misread.
    FrmErrorCapture errors;
    FRM_NTextEdit* plain = NewEdit();
    hookTextEditCallback(plain->GetVKOTextEdit(), 3, 50, 0);
    const std::vector<FrmReport> reports = errors.Take();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].code, 3002);
    EXPECT_EQ(reports[0].file, "nscrlltx");
}

// A mouse handler that records the presses it sees and takes them when told to.
class PressRecorder : public FRM_CMouseHandler {
public:
    explicit PressRecorder(bool takes) : itTakes(takes) {}
    short DoDown(FRM_CPoint& where, short&, short&, short&) override
    {
        presses.push_back(where);
        return itTakes ? 1 : 0;
    }
    short DoUp(FRM_CPoint&, short&, short&, short&) override { return itTakes ? 1 : 0; }
    short DoDouble(FRM_CPoint&, short&, short&, short&) override { return 0; }
    short DoMove(FRM_CPoint&, short&, short&, short&) override { return 0; }
    short UsesGlobalCoords() const override { return 0; }
    std::vector<FRM_CPoint> presses;

private:
    bool itTakes;
};

TEST_F(TextEditTest, PressesOnATextEditReachTheWindowsMouseHandlersFirst)
{
    struct Case {
        const char* why;
        bool handlerTakes;
        bool caretMoves;
    };
    const Case cases[] = {{"a handler that passes leaves the press to the engine", false, true},
                          {"a handler that takes the press keeps it from the engine", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_NTextEdit* edit = NewEdit();
        edit->SetText(FRM_CStringRW("hello world"));
        vko_tx_set_sel(edit->GetVKOTextEdit(), 0, 0, 0, 0, 0, 0);
        PressRecorder recorder(c.handlerTakes);
        itsWindow->GetMouseManager()->RegisterMouseHandler(&recorder, 1);
        Click(edit->GetVKOWindow(), s_pnt{5, 40});
        itsWindow->GetMouseManager()->UnRegisterMouseHandler(&recorder);
        // The handler sees the press at its place in the window.
        ASSERT_EQ(recorder.presses.size(), 1U);
        EXPECT_EQ(recorder.presses[0], FRM_CPoint(50, 15));
        std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
        vko_tx_get_sel(edit->GetVKOTextEdit(), &p0, &l0, &c0, &p1, &l1, &c1);
        EXPECT_EQ(c1 != 0, c.caretMoves);
        delete edit;
    }
}

TEST_F(TextEditTest, ATextEditInASubviewIsCutAtTheSubviewsEdges)
{
    const short clipped = FRM_CNativeView::EnableSurrogateClipping();
    auto* panel = new FRM_CSubview(itsWindow, FRM_CRect(20, 20, 220, 120));
    // Reaches 60 pixels past the panel's bottom.
    auto* edit = new FRM_NTextEdit(panel, FRM_CRect(10, 10, 190, 160), 0, 0, 30000);
    FRM_CClipWindow* clip = edit->GetClippingWindow();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(vko_vobj_get_parent(edit->GetVKOWindow()), clip->GetVKOWindow());
    EXPECT_EQ(PlaceOf(clip->GetVKOWindow()).top, 30);
    EXPECT_EQ(PlaceOf(clip->GetVKOWindow()).bottom, 120);   // the panel's edge
    EXPECT_LE(PlaceOf(edit->GetVKOWindow()).bottom, 90);    // inside the clip window
    // Moving the edit up inside the panel brings more of it into view.
    edit->Size(FRM_CRect(10, 0, 190, 80));
    EXPECT_EQ(PlaceOf(clip->GetVKOWindow()).top, 20);
    EXPECT_EQ(PlaceOf(clip->GetVKOWindow()).bottom, 100);
    // The clip window follows the edit's visibility.
    edit->Hide();
    EXPECT_TRUE(IsHidden(clip->GetVKOWindow()));
    edit->Show();
    EXPECT_FALSE(IsHidden(clip->GetVKOWindow()));
    // A text edit placed in the window itself needs none.
    auto* direct = new FRM_NTextEdit(itsWindow, FRM_CRect(230, 20, 310, 120), 0, 0, 30000);
    EXPECT_EQ(direct->GetClippingWindow(), nullptr);
    if (!clipped)
        FRM_CNativeView::DisableSurrogateClipping();
}

TEST_F(TextEditTest, ACopiedScrollingTextHasAnEngineAndBarsOfItsOwn)
{
    auto* original = new FRM_NScrollText(itsWindow, FRM_CRect(10, 10, 300, 120), 1, 1, 0, 0, 65000, 1);
    auto* copy = new FRM_NScrollText(*original);
    ASSERT_NE(copy->GetVScrollBar(), nullptr);
    ASSERT_NE(copy->GetHScrollBar(), nullptr);
    EXPECT_NE(copy->GetVScrollBar(), original->GetVScrollBar());
    EXPECT_NE(copy->GetVKOTextEdit(), original->GetVKOTextEdit());
    EXPECT_EQ(copy->GetLinesPerPage(), original->GetLinesPerPage());

    // The copy's engine reports its scrolling to the copy's bar only.
    std::string lines;
    for (int i = 0; i < 200; ++i)
        lines += "line " + std::to_string(i) + "\n";
    copy->SetText(FRM_CStringRW(lines.c_str()));
    EXPECT_GE(copy->GetVScrollBar()->GetMaxPosition(), 200);
    EXPECT_LT(original->GetVScrollBar()->GetMaxPosition(), 200);

    // Assignment gives a text without bars the original's two, and its own engine.
    auto* plain = new FRM_NScrollText(itsWindow, FRM_CRect(10, 130, 300, 230), 0, 0, 0, 0, 65000, 1);
    // The engine is a window: its creation number tells a new one from the old one, whose
    // address the allocator may hand on.
    const auto serialOf = [](TXEDIT tx) {
        return vkov_test_live_serial(reinterpret_cast<void*>(tx));
    };
    const std::uint64_t before = serialOf(plain->GetVKOTextEdit());
    ASSERT_NE(before, 0U);
    *plain = *original;
    EXPECT_NE(plain->GetVScrollBar(), nullptr);
    EXPECT_NE(plain->GetHScrollBar(), nullptr);
    EXPECT_GT(serialOf(plain->GetVKOTextEdit()), before);
    plain->SetText(FRM_CStringRW(lines.c_str()));
    EXPECT_GE(plain->GetVScrollBar()->GetMaxPosition(), 200);
}

TEST_F(TextEditTest, AnAssignedTextEditFormatsTypingAsItsSourceDoes)
{
    FRM_CValidatorFactory* factory = FRM_CValidatorFactory::GetTop();
    ASSERT_NE(factory, nullptr);
    const FRM_CValidator dashed = factory->ConstructValidator(FRM_CStringRW("99-99"), 1);
    const FRM_CValidator slashed = factory->ConstructValidator(FRM_CStringRW("99/99"), 1);
    const FRM_CValidator none;
    struct Case {
        const char* why;
        const FRM_CValidator* source;
        const FRM_CValidator* target;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"the source's validator formats the target's typing", &dashed, &none, "1234", "12-34"},
        {"the source's validator replaces the target's own", &dashed, &slashed, "1234", "12-34"},
        {"a source without one leaves the typing as it is", &none, &slashed, "1234", "1234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* source = new FRM_NTextEdit(itsPanel, FRM_CRect(10, 10, 310, 100), 0, 0, 30000);
        source->SetValidator(*c.source);
        auto* target = new FRM_NTextEdit(itsPanel, FRM_CRect(10, 110, 310, 200), 0, 0, 30000);
        target->SetValidator(*c.target);
        *target = *source;
        // Typed into the new engine, whose change reports reach the view.
        WINDOW handle = target->GetVKOWindow();
        vko_scr_set_focus_vobj(handle);
        vkok_app_process_pending_events();
        for (const char* typed = c.typed; *typed != '\0'; ++typed)
            Key(handle, static_cast<std::uint16_t>(*typed));
        EXPECT_EQ(Text(target->GetText()), c.shown);
        delete target;
        delete source;
    }
}

// Keys go in one by one as the user gives them; in a case's keys '<' is the Left arrow, '~'
// the Delete key and '\b' Backspace. The caret is read where the next key would land.
TEST_F(TextEditTest, FormattedTypingKeepsTheKeysInOrderAndTheCaretAfterThem)
{
    FRM_CValidatorFactory* factory = FRM_CValidatorFactory::GetTop();
    ASSERT_NE(factory, nullptr);
    struct Case {
        const char* why;
        const char* pattern;
        short autoComplete;
        const char* keys;
        const char* shown;
        std::uint16_t caret;
    };
    const Case cases[] = {
        {"a literal put in before the typed digit", "99/99", 0, "1234", "12/34", 5},
        {"the same with auto-complete", "99/99", 1, "1234", "12/34", 5},
        {"auto-complete adds the next literal before the caret", "99/99", 1, "12", "12/", 3},
        {"without auto-complete the literal waits for a digit", "99/99", 0, "12", "12", 2},
        {"a leading literal, a space and a dash", "(999) 999-9999", 0, "5551234567",
         "(555) 123-4567", 14},
        {"letters turned upper case", "UU-99", 0, "ab12", "AB-12", 5},
        {"typing in the middle moves the rest on", "99/99/99", 0, "134<<<295", "12/95/34", 6},
        {"typing in the middle with auto-complete", "99/99", 1, "134<<<2", "12/34", 3},
        {"a refused key in the middle leaves the caret", "99/99", 0, "134<<<x", "13/4", 1},
        {"Backspace at the end takes a digit, then the literal", "99/99", 0, "123\b\b", "12", 2},
        {"Backspace steps back over an auto-completed literal", "99/99", 1, "12\b\b", "1", 1},
        {"Backspace goes on through a literal in the middle", "99/99", 0, "1234<<\b\b", "13/4",
         1},
        {"Delete before a literal steps over it", "99/99", 0, "1234<<<~", "12/34", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.why) + ": " + c.pattern);
        auto* edit = new FRM_NTextEdit(itsPanel, FRM_CRect(10, 10, 310, 100), 0, 0, 30000);
        edit->SetValidator(factory->ConstructValidator(FRM_CStringRW(c.pattern), c.autoComplete));
        WINDOW handle = edit->GetVKOWindow();
        vko_scr_set_focus_vobj(handle);
        vkok_app_process_pending_events();
        for (const char* key = c.keys; *key != '\0'; ++key) {
            if (*key == '<')
                Key(handle, VKO_KEY_LEFT, true);
            else if (*key == '~')
                Key(handle, VKO_KEY_DELETE, true);
            else
                Key(handle, static_cast<std::uint16_t>(*key));
        }
        EXPECT_EQ(Text(edit->GetText()), c.shown);
        std::uint16_t par = 0, line = 0, character = 0;
        edit->GetInsertPosition(&par, &line, &character);
        EXPECT_EQ(character, c.caret);
        delete edit;
    }
}

TEST_F(TextEditTest, ScrollingTextIncrementsAndParagraphPositions)
{
    auto* text = new FRM_NScrollText(itsWindow, FRM_CRect(10, 10, 300, 120), 1, 1, 0, 0, 65000, 1);
    text->SetHIncrements(5, 50);
    text->SetVIncrements(2, 6);
    EXPECT_FLOAT_EQ(text->GetHLineIncrement(), 5);
    EXPECT_FLOAT_EQ(text->GetHPageIncrement(), 50);
    EXPECT_FLOAT_EQ(text->GetVLineIncrement(), 2);
    EXPECT_FLOAT_EQ(text->GetVPageIncrement(), 6);

    // A paragraph position counts the lines of every paragraph before it (the second wraps).
    auto* wrapping = new FRM_NScrollText(itsWindow, FRM_CRect(310, 10, 500, 120), 1, 0, 0x02, 0, 65000, 1);
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "word ";
    std::string body = "first\n" + words + "\n";
    for (int i = 0; i < 40; ++i)
        body += "line " + std::to_string(i) + "\n";
    wrapping->SetText(FRM_CStringRW(body.c_str()));
    const std::uint16_t wrapped = vko_tx_get_num_par_lines(wrapping->GetVKOTextEdit(), 1);
    ASSERT_GT(wrapped, 1);
    wrapping->SetScrollPosition(2, 3, 0);
    std::uint16_t top = 0;
    wrapping->GetScrollPosition(nullptr, nullptr, &top, nullptr);
    EXPECT_EQ(top, 1 + wrapped + 3);
    EXPECT_FLOAT_EQ(wrapping->GetVScrollBar()->GetPosition(), top);

    // Without bars each getter reports its own error and answers 0.
    auto* plain = new FRM_NScrollText(itsWindow, FRM_CRect(10, 130, 300, 230), 0, 0, 0, 0, 65000, 1);
    FrmErrorCapture errors;
    const float answers[] = {plain->GetHLineIncrement(), plain->GetHPageIncrement(),
                             plain->GetVLineIncrement(), plain->GetVPageIncrement()};
    for (float answer : answers)
        EXPECT_EQ(answer, 0);
    std::vector<long> codes;
    for (const FrmReport& report : errors.Take())
        codes.push_back(report.code);
    EXPECT_EQ(codes, (std::vector<long>{3005, 3006, 3007, 3008}));
}

} // namespace
