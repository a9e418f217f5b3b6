// Cell interpreters: the shared drawing rules (bevel, borders, shadow colours, interior) and
// the text interpreter: placement by justification, and the in-place editor, which stores an
// edit exactly once and only when the text changed.
#include "frm/tables/ctbltext.h"

#include "frm/drawing/cdrawctx.h"
#include "frm/runtime/cnav.h"
#include "table_fixture.h"

namespace {

using Attributes = FRM_CTableAttributes;

class TextCellTest : public tabletest::TableFixture {
protected:
    void SetUp() override
    {
        TableFixture::SetUp();
        itsView = NewTableView(3, 3);
        itsText = static_cast<FRM_CTableTextInterpreter*>(itsView->GetAttributes().GetTable()->Interpreter());
    }

    // Draws one cell through the given interpreter with the given attributes.
    void DrawCell(FRM_CTableInterpreter& theInterpreter, Attributes theAttributes,
                  const FRM_CRect& theRect, const FRM_CCell& theCell = FRM_CCell(0, 0))
    {
        vkov_debug_draw_log_clear(itsHandle);
        FRM_CDrawingContext context(itsView);
        CTableInterpreterParameters parameters;
        parameters.itsView = itsView;
        parameters.itsCell = &theCell;
        parameters.itsClip = &theRect;
        parameters.itsCellBounds = &theRect;
        parameters.itsAttributes = &theAttributes;
        parameters.itsContext = &context;
        theInterpreter.Draw(parameters);
    }

    void Type(const char* theText)
    {
        for (const char* c = theText; *c != 0; ++c)
            itsText->GetEditor()->Key(FRM_CKey(static_cast<std::uint16_t>(*c), 0, 0, 0, 0));
    }

    FRM_CTableView* itsView = nullptr;
    FRM_CTableTextInterpreter* itsText = nullptr;
};

TEST_F(TextCellTest, ShadowsBordersAndInterior)
{
    FRM_CTableTextInterpreter& base = *itsText;
    EXPECT_EQ(base.GetDownShadow(0x00FF8040), 0x007F4020u);
    EXPECT_EQ(base.GetDownShadow(0x0AFFFFFF), 0x0A7F7F7Fu);

    Attributes bevel;
    bevel.SetBorderStyle(Attributes::BorderSingle, Attributes::BorderAll);
    bevel.TopBorder({Attributes::BorderRaised, 0x00FF8040});
    EXPECT_TRUE(base.IsRaised(bevel));
    EXPECT_EQ(base.GetUpShadow(bevel), 0x00FF8040u);
    const FRM_CRect rect(10, 10, 60, 30);
    EXPECT_EQ(base.GetInterior(rect, bevel), FRM_CRect(11, 11, 59, 29));
    itsSource.Set(0, 0, "x");
    DrawCell(base, bevel, rect);
    // The bevel replaces the borders: every line drawn has a shadow colour.
    for (const vkov_draw_log_entry& entry : Log(itsHandle))
        if (std::string(entry.op) == "draw_line") {
            EXPECT_TRUE((entry.pen.color & 0xFFFFFF) == 0xFF8040 || (entry.pen.color & 0xFFFFFF) == 0x7F4020)
                << std::hex << entry.pen.color;
        }

    struct Case {
        Attributes::BorderStyle style;
        int width;
        e_pat pattern;
        int lines;
    };
    for (const Case& c : {Case{Attributes::BorderSingle, 1, PAT_NONE, 1},
                          Case{Attributes::BorderDouble, 2, PAT_NONE, 1},
                          Case{Attributes::BorderDashed, 1, PAT_SOLID, 1},
                          Case{Attributes::BorderNone, 0, PAT_NONE, 0}}) {
        SCOPED_TRACE(c.style);
        Attributes one;
        one.SetBorderStyle(Attributes::BorderNone, Attributes::BorderAll);
        one.LeftBorder({c.style, 0x00112233});
        EXPECT_EQ(base.GetInterior(rect, one), FRM_CRect(10 + c.lines, 10, 60, 30));
        DrawCell(base, one, rect);
        std::vector<vkov_draw_log_entry> lines;
        for (const vkov_draw_log_entry& entry : Log(itsHandle))
            if (std::string(entry.op) == "draw_line")
                lines.push_back(entry);
        ASSERT_EQ(static_cast<int>(lines.size()), c.lines);
        if (c.lines == 1) {
            EXPECT_EQ(std::string(lines[0].args), "10,10,10,30");
            EXPECT_EQ(lines[0].pen.width, c.width);
            EXPECT_EQ(lines[0].pen.pat, c.pattern);
        }
    }
}

// Lines are placed by the justification: left, right or centred across; top, middle or bottom.
TEST_F(TextCellTest, TextPlacementByJustification)
{
    itsSource.Set(0, 0, "ab\r\n\r\ncd\ref");
    FRM_CFont font(FRM_CEnvironment::DefaultFont());
    font.Map(itsWindow);   // metrics come from the window
    const float height = static_cast<float>(font.GetHeight());
    ASSERT_GT(height, 0);
    const float ascent = static_cast<float>(font.GetAscent());
    const FRM_CRect rect(0, 0, 200, 100);
    const float width = static_cast<float>(font.GetTextWidth(FRM_CStringRW("ab")));
    struct Case {
        Attributes::TextJustification justification;
        float x;
        float top;
    };
    const Case cases[] = {
        {Attributes::JustifyTopLeft, 2, 2},
        {Attributes::JustifyCenter, (200 - width) / 2, (100 - 3 * height) / 2},
        {Attributes::JustifyBottomRight, 200 - width - 2, 100 - 3 * height - 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.justification);
        Attributes attributes;
        attributes.Justification(c.justification);
        attributes.Font(font);
        DrawCell(*itsText, attributes, rect);
        const std::vector<std::string> texts = LogArgs(itsHandle, "draw_text");
        ASSERT_EQ(texts.size(), 3u);   // the empty line is skipped
        EXPECT_EQ(texts[0], std::to_string(static_cast<int>(c.x)) + "," +
                                std::to_string(static_cast<int>(c.top + ascent)) + ",\"ab\"");
        EXPECT_EQ(texts[2].substr(texts[2].size() - 4), "\"ef\"");
    }
    // No value: nothing at all for the cell.
    itsSource.itsValues.clear();
    Attributes bordered;
    bordered.SetBorderStyle(Attributes::BorderSingle, Attributes::BorderAll);
    DrawCell(*itsText, bordered, rect);
    EXPECT_TRUE(Log(itsHandle).empty());
}

// Return stores the edit and moves on; leaving the cell afterwards must not store it again.
TEST_F(TextCellTest, ReturnStoresOnceAndWalksDownThenRight)
{
    itsSource.Fill(3, 3);
    const FRM_CCell start(2, 1);
    itsView->SetFocus(&start);
    ASSERT_NE(itsText->GetEditor(), nullptr);
    EXPECT_EQ(std::string(itsText->GetEditor()->GetText().data()), "1,2");
    Type("new\r");
    ASSERT_EQ(itsSource.itsStores.size(), 1u);
    EXPECT_EQ(itsSource.itsStores[0].first, start);
    EXPECT_EQ(itsSource.itsStores[0].second, "new");
    EXPECT_EQ(*itsView->GetFocus(), FRM_CCell(2, 2));
    Type("\r");   // the last row and column: Return commits and stays
    ASSERT_EQ(itsSource.itsStores.size(), 2u);
    EXPECT_EQ(itsSource.itsStores[1].second, "2,2");
    EXPECT_EQ(*itsView->GetFocus(), FRM_CCell(2, 2));
    EXPECT_NE(itsText->GetEditor(), nullptr);
    itsView->SetFocus(nullptr);
    EXPECT_EQ(itsSource.itsStores.size(), 2u);
    EXPECT_EQ(itsText->GetEditor(), nullptr);
}

// The same through the base library: keys typed into the editor's own window, Return
// included, which ends that editor from inside its own key handling.
TEST_F(TextCellTest, TypedKeysReachTheEditorAndReturnMovesOn)
{
    itsSource.Fill(3, 3);
    const FRM_CCell start(0, 0);
    itsView->SetFocus(&start);
    auto type = [&](std::uint16_t theCharacter) {
        WINDOW editor = itsText->GetEditor()->GetVKOWindow();
        vko_scr_set_focus_vobj(editor);
        vkok_app_process_pending_events();
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = theCharacter;
        vkov_test_post_event(editor, &event);
        vkok_app_process_pending_events();
    };
    type('z');
    type('\r');
    ASSERT_EQ(itsSource.itsStores.size(), 1u);
    EXPECT_EQ(itsSource.itsStores[0].second, "z");
    ASSERT_NE(itsView->GetFocus(), nullptr);
    EXPECT_EQ(*itsView->GetFocus(), FRM_CCell(0, 1));
    type('y');
    itsView->SetFocus(nullptr);
    ASSERT_EQ(itsSource.itsStores.size(), 2u);
    EXPECT_EQ(itsSource.itsStores[1].second, "y");
}

// Asked to store every change, the editor stores after each typed key, and leaving the cell
// then stores nothing more; a refused change redraws the stored value and keeps the editor.
TEST_F(TextCellTest, NotifyAllChangesStoresEachChangeOnce)
{
    itsText = new FRM_CTableTextInterpreter(itsView, 16, 1000, 1000, 20003, 1, 1);
    Attributes everyChange;
    everyChange.Interpreter(itsText);
    itsView->SetTable(everyChange, 0);
    itsSource.Set(0, 0, "a");
    const FRM_CCell cell(0, 0);
    itsView->SetFocus(&cell);
    WINDOW editor = itsText->GetEditor()->GetVKOWindow();
    vko_scr_set_focus_vobj(editor);
    vkok_app_process_pending_events();
    for (std::uint16_t c : {'x', 'y'}) {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = c;
        vkov_test_post_event(editor, &event);
        vkok_app_process_pending_events();
    }
    ASSERT_EQ(itsSource.itsStores.size(), 2u);
    EXPECT_EQ(itsSource.itsStores[0].second, "x");
    EXPECT_EQ(itsSource.itsStores[1].second, "xy");
    itsView->SetFocus(nullptr);
    EXPECT_EQ(itsSource.itsStores.size(), 2u);
}

TEST_F(TextCellTest, LinesEditAsParagraphsAndOnlyChangesAreStored)
{
    itsText = new FRM_CTableTextInterpreter(itsView, 16, 1000, 1000, 20003, 0, 0);   // multi-line
    Attributes multiLine;
    multiLine.Interpreter(itsText);
    itsView->SetTable(multiLine, 0);
    itsSource.Set(0, 0, "one\n\ntwo");
    const FRM_CCell cell(0, 0);
    itsView->SetFocus(&cell);
    ASSERT_NE(itsText->GetEditor(), nullptr);
    EXPECT_EQ(itsText->GetEditor()->GetNParInText(), 2);
    itsView->SetFocus(nullptr);
    EXPECT_TRUE(itsSource.itsStores.empty());

    itsView->SetFocus(&cell);
    itsText->GetEditor()->SetInsertPosition(1, 0, 3);
    Type("!");
    itsView->SetFocus(nullptr);
    ASSERT_EQ(itsSource.itsStores.size(), 1u);
    EXPECT_EQ(itsSource.itsStores[0].second, "one\r\ntwo!");

    // A refused store leaves the stored value; the editor closes on leaving.
    itsSource.itsRefuses = true;
    itsView->SetFocus(&cell);
    Type("x");
    itsView->SetFocus(nullptr);
    EXPECT_EQ(itsSource.itsStores.size(), 2u);
    EXPECT_EQ(itsSource.itsValues[std::make_pair(0, 0)], "one\r\ntwo!");
    EXPECT_EQ(itsText->GetEditor(), nullptr);
}

TEST_F(TextCellTest, ArrowsMoveTheCaretOnlyOnceItIsPlaced)
{
    itsSource.Set(0, 0, "abc");
    const FRM_CCell cell(0, 0);
    itsView->SetFocus(&cell);
    CTableInterpreterParameters parameters;
    itsView->CellToParameters(cell, &parameters);
    const FRM_CKey right(FRM_CKey::kVirtual, VKO_KEY_RIGHT);
    EXPECT_EQ(itsText->Key(parameters, right), 0);   // all selected: the table moves
    itsText->GetEditor()->SetInsertPosition(0, 0, 1);
    EXPECT_EQ(itsText->Key(parameters, right), 1);
    EXPECT_EQ(itsText->Key(parameters, FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DOWN)), 0);
}

}   // namespace
