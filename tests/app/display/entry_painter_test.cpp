// Tests of the entry painter's layout pass, drawing, hit tests and selection, with the test
// font (8 pixels a character, lines of 16) in a pane whose right limit is 200, left margin
// 20 and first baseline 32.
#include <cairo.h>

#include "entry_painter_support.h"
#include "frm/views/cimage.h"
#include "../support/png_bytes.h"

namespace {

using entrytest::Parts;
using entrytest::PainterFixture;

class EntryPainterTest : public PainterFixture {};

TEST_F(EntryPainterTest, Metrics_ComeFromTheFontAndThePane)
{
    EXPECT_EQ(painter->lineHeight(), 16);
    EXPECT_EQ(painter->ascentOffset(), 12);
    EXPECT_EQ(painter->leftMargin(), 20);
    EXPECT_EQ(painter->rightLimit(), 200);
    EXPECT_EQ(painter->top(), 32);
    EXPECT_EQ(painter->bottom(), 400);
    EXPECT_EQ(pane.step, 16);
}

TEST_F(EntryPainterTest, LayOutText_CutsRunsAtEveryNonLetter)
{
    struct Case {
        const char* why;
        std::string text;
        std::vector<std::string> runs;
        std::vector<float> xs; // empty: not checked
    };
    const Case cases[] = {
        {"word, comma, space, word", "cat, dog", {"cat", ",", " ", "dog"}, {20, 44, 52, 60}},
        {"a style byte holds the next letter and the word still follows",
         "\x02" "big\x01 cat",
         {"\x02" "b", "big", "\x01 ", " ", "cat"},
         {20, 20, 44, 44, 52}},
        {"a one-character escape is measured as its character", "a\x19\xE1" "b",
         {"a", "\x19\xE1", "b"}, {20, 28, 36}},
        {"a syllable break is a run of its own", "syl\xA3la", {"syl", "\xA3", "la"}, {20, 44, 52}},
        {"the small style capitalises words but not high characters",
         "\x04small \xE9t\x01",
         {"\x04s", "SMALL", " ", "\xE9", "T", "\x01"},
         {}},
        {"a hidden key without a word group shows nothing", "a~key~b", {"a", "b"}, {20, 28}},
        {"a hidden key without its closing mark runs to the end", "a~key b", {"a"}, {20}},
        {"0x7F is a character, not a control byte", "a\x7F", {"a", "\x7F"}, {20, 28}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        painter->Reset();
        LayOut(c.text);
        EXPECT_EQ(RunTexts(), c.runs);
        if (!c.xs.empty()) {
            std::vector<float> xs;
            for (const auto& run : painter->runs())
                xs.push_back(run.x);
            EXPECT_EQ(xs, c.xs);
        }
    }
}

TEST_F(EntryPainterTest, LayOutText_WrapsAtTheRightLimit)
{
    struct Case {
        const char* why;
        float pen;
        std::string text;
        std::string run;  // the run whose place is checked
        float x, y;
    };
    const std::string twenty(20, 'b');
    const Case cases[] = {
        {"a word ending exactly at the limit stays", 24, "a " + twenty, twenty, 40, 32},
        {"one pixel more and it wraps to the left margin", 25, "a " + twenty, twenty, 20, 48},
        {"a blank that does not fit begins the next line", 193, "a bc", " ", 20, 48},
        {"punctuation that does not fit overflows", 190, "a,", ",", 198, 32},
        {"a digit that does not fit overflows", 190, "a1", "1", 198, 32},
        {"digits that would pass the text area's edge move with their word", 180,
         "a (1234567)", "(", 20, 48},
        {"... and the digits follow it on the new line", 180, "a (1234567)", "7", 76, 48},
        {"a word behind a style byte moves with the runs after the last blank", 150,
         "a b\x02" "cccc", "b", 20, 48},
        {"... and the style byte's run goes too", 150, "a b\x02" "cccc", "cccc", 28, 48},
        {"with no blank on the line the word overflows", 150, "ab\x02" "cccccc", "cccccc", 166,
         32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        painter->Reset();
        LayOut(c.text, c.pen);
        const auto& runs = painter->runs();
        const auto it = std::find_if(runs.begin(), runs.end(),
                                     [&](const auto& r) { return r.text == c.run; });
        ASSERT_NE(it, runs.end());
        EXPECT_EQ(it->x, c.x);
        EXPECT_EQ(it->y, c.y);
    }
}

TEST_F(EntryPainterTest, LayOutText_HangsWrappedLinesUnderTheLabel)
{
    const std::string text = "\x01one two three four five six seven\nnext";
    struct Case {
        const char* why;
        std::string label;
        int labelWidth;
        std::vector<std::pair<std::string, std::pair<float, float>>> places;
    };
    const Case cases[] = {
        {"a label of width 5 indents by five sample characters", "\x01Noun", 5,
         {{"Noun", {20, 32}}, {"one", {60, 32}}, {"four", {60, 48}}, {"seven", {60, 64}},
          {"next", {20, 80}}}},
        {"without a label wrapped lines start at the left margin", "", 0,
         {{"one", {20, 32}}, {"next", {20, 64}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        painter->Reset();
        LayOut(text, -1, c.label, c.labelWidth);
        for (const auto& [word, place] : c.places) {
            SCOPED_TRACE(word);
            const auto& runs = painter->runs();
            const auto it = std::find_if(runs.begin(), runs.end(),
                                         [&](const auto& r) { return r.text == word; });
            ASSERT_NE(it, runs.end());
            EXPECT_EQ(it->x, place.first);
            EXPECT_EQ(it->y, place.second);
        }
    }
}

TEST_F(EntryPainterTest, LayOutText_HighlightsSearchWordsAtRunBoundaries)
{
    struct Case {
        const char* why;
        std::vector<const char*> words;
        std::string text;
        std::vector<std::string> highlighted;
    };
    const Case cases[] = {
        {"a word alone is highlighted with the blank behind it", {"cat"}, "a cat sat",
         {"cat", " "}},
        {"a word inside a longer one is passed over, a later one still counts", {"cat"},
         "category cat.", {"cat", "."}},
        {"a search word with capitals never matches the lower-cased text", {"Cat"}, "a cat", {}},
        {"search words are found in list order, one after the other", {"sat", "cat"},
         "cat sat cat", {"sat", " ", "cat"}},
        {"capitals in the text still match", {"cat"}, "Cat!", {"Cat", "!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        RWOrdered search;
        for (const char* w : c.words)
            search.insert(new RWCollectableString(w));
        Order({}, &search);
        search.clearAndDestroy();
        painter->Reset();
        LayOut(c.text);
        std::vector<std::string> highlighted;
        for (const auto& run : painter->runs())
            if (run.highlight != 0)
                highlighted.push_back(run.text);
        EXPECT_EQ(highlighted, c.highlighted);
    }
}

TEST_F(EntryPainterTest, LayOutText_MeasuresEachTextOncePerStyle)
{
    LayOut("cat cat cat dog");
    EXPECT_EQ(painter->measureCount(), 3U); // "cat", " ", "dog"
    LayOut(" \x02" "cat\x01");
    EXPECT_EQ(painter->measureCount(), 4U); // bold "cat" is another width
    EXPECT_EQ(painter->widthCacheSize(), 4U);
}

TEST_F(EntryPainterTest, StyleBytes_SetSizeShiftFontAndColourLock)
{
    struct Case {
        const char* why;
        std::string bytes;
        std::int16_t size, shift, font, lock, reduction;
        std::int32_t style;
    };
    const Case cases[] = {
        {"bold", "\x02", 12, 0, 1, 0, 0, 1},
        {"italic", "\x03", 12, 0, 1, 0, 0, 2},
        {"small takes two points off", "\x04", 10, 0, 1, 0, 2, 0},
        {"superscript is half size, at least 8, raised", "\x05", 8, -4, 1, 0, 0, 0},
        {"superscript inside small loses the reduction too", "\x04\x05", 6, -4, 1, 0, 2, 0},
        {"subscript is two thirds, lowered", "\x06", 8, 2, 1, 0, 0, 0},
        {"plain after a superscript returns to the baseline", "\x05\x01", 12, 0, 1, 0, 0, 0},
        {"normal size keeps the reduction", "\x04\x07", 10, 0, 1, 0, 2, 0},
        {"font bytes select the font", "\x0B", 12, 0, 3, 0, 0, 0},
        {"a colour toggle locks the colour", "\x0E", 12, 0, 1, 1, 0, 0},
        {"a second toggle unlocks it", "\x0E\x0E", 12, 0, 1, 0, 0, 0},
        {"an escape's style is undone behind its character", "\x12" "a", 12, 0, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        painter->Reset();
        Parts parts; // restores the start state
        Order();
        painter->ShowEntry(parts.items);
        LayOut(c.bytes);
        const DisplaySettings& s = painter->settings();
        EXPECT_EQ(s.current_size, c.size);
        EXPECT_EQ(s.baseline_shift, c.shift);
        EXPECT_EQ(s.font_index, c.font);
        EXPECT_EQ(s.color_lock, c.lock);
        EXPECT_EQ(s.size_reduction, c.reduction);
        EXPECT_EQ(s.font_style, c.style);
    }
}

TEST_F(EntryPainterTest, WordGroup_CollectsHiddenKeysAndAnswersClicks)
{
    LayOut("\x0E\x02" "word~key1~~key2~\x01\x0E then");
    ASSERT_EQ(RunTexts(), (std::vector<std::string>{"\x0E\x02", "\x02w", "word", "\x01\x0E",
                                                    "\x0E ", " ", "then"}));
    const auto& runs = painter->runs();
    ASSERT_GE(runs[2].group, 0);
    EXPECT_EQ(painter->wordGroup(runs[2].group), (std::vector<std::string>{"key1", "key2"}));
    EXPECT_LT(runs[6].group, 0);

    int first = -1, last = -1;
    painter->WordSpan(2, &first, &last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 3);

    // A click on the group is the sound marker; one on another word is that word's item,
    // a copy the caller owns.
    const auto sound = painter->SoundHit(25, 30);
    ASSERT_NE(sound, nullptr);
    EXPECT_STREQ(sound->data(), ";SOUND");
    const auto word = painter->SoundHit(runs[6].x + 2, 30);
    ASSERT_NE(word, nullptr);
    EXPECT_STREQ(word->data(), "then");
    EXPECT_EQ(painter->SoundHit(190, 30), nullptr);

    // Selecting inside the group selects it whole.
    EXPECT_TRUE(painter->SelectRange(25, 30, 25, 30));
    EXPECT_EQ(painter->SelectedText(), "word");
}

TEST_F(EntryPainterTest, RunAt_FindsTheRunUnderAPoint)
{
    EXPECT_EQ(painter->RunAt(25, 30), -1); // nothing laid out
    Parts parts;
    parts.Set(1, "cat, dog");
    Order();
    painter->ShowEntry(parts.items);
    struct Case {
        const char* why;
        float x, y;
        int run;
    };
    // Runs: "cat" 20-44, "," 44-52, " " 52-60, "dog" 60-84, "\n"; the line spans 20..36.
    const Case cases[] = {
        {"inside the first word", 21, 21, 0},
        {"on the comma", 45, 35, 1},
        {"on the last word's bottom row", 83, 35, 3},
        {"right of the text", 90, 30, -1},
        {"above the line", 30, 19, -1},
        {"below the last line", 30, 60, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(painter->RunAt(c.x, c.y), c.run);
    }
}

TEST_F(EntryPainterTest, Selection_CopiesRunsAndSpecialCharacters)
{
    Parts parts;
    parts.Set(1, "a\x19\xE1" "b\x11Q c");
    parts.Set(9, "\nsecond line");
    parts.items[10]->set_kind(1); // an illustration marker
    Order();
    painter->ShowEntry(parts.items);

    struct Case {
        const char* why;
        float x1, y1, x2, y2;
        std::string text;
    };
    const Case cases[] = {
        {"one word", 21, 25, 21, 25, "a"},
        {"escapes copy their character, a star outside the printable range", 21, 25, 50, 25,
         "a*bQ"},
        {"backwards drags select the same runs", 50, 25, 21, 25, "a*bQ"},
        {"across a newline", 45, 25, 30, 57, "Q c\n\nsecond"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_TRUE(painter->SelectRange(c.x1, c.y1, c.x2, c.y2));
        EXPECT_EQ(painter->SelectedText(), c.text);
    }
    // Two misses clear the selection.
    EXPECT_FALSE(painter->SelectRange(300, 300, 300, 300));
    EXPECT_EQ(painter->SelectedText(), "");

    // Select all never takes the illustration marker.
    painter->SelectAll();
    EXPECT_EQ(painter->SelectedText(), "a*bQ c\n\nsecond line\n");
    for (const int index : painter->selection())
        EXPECT_NE(painter->runs()[static_cast<std::size_t>(index)].text, ";ART");
}

// What Select All copies reads as the pane shows it: a label keeps its distance from its
// text, layout tokens keep their blank lines and indents, a wrapped line stays one line.
TEST_F(EntryPainterTest, Selection_CopiesTheEntryAsItReads)
{
    struct Part {
        int k;
        std::string text, label;
        int labelWidth;
    };
    struct Case {
        const char* why;
        std::vector<Part> parts;
        std::string tokens; // after part 1
        std::string text;
    };
    const Case cases[] = {
        {"a label and its text are apart", {{1, "cat", "Entry:", 8}}, "", "Entry:\tcat\n"},
        {"a style byte before the label leaves no trace", {{1, "cat", "\x01" "Entry:", 8}}, "",
         "Entry:\tcat\n"},
        {"two labelled parts, one under the other",
         {{1, "cat", "Entry:", 8}, {4, "noun", "Form:", 8}}, "", "Entry:\tcat\nForm:\tnoun\n"},
        {"a blank line between parts is copied", {{1, "cat", "", 0}, {4, "noun", "", 0}}, "N\\",
         "cat\n\nnoun\n"},
        {"a part that starts at the tab is indented", {{1, "cat", "", 0}, {4, "noun", "", 0}}, "T",
         "cat\n\tnoun\n"},
        {"a line that wraps under its label reads on",
         {{1, "one two three four five six seven", "Sense:", 8}}, "",
         "Sense:\tone two three four five six seven\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Parts parts;
        for (const Part& part : c.parts)
            parts.Set(part.k, part.text, part.label, part.labelWidth);
        std::vector<std::string> tokens(12);
        tokens[1] = c.tokens;
        Order({}, nullptr, tokens);
        painter->ShowEntry(parts.items);
        painter->SelectAll();
        EXPECT_EQ(painter->SelectedText(), c.text);
        EXPECT_EQ(painter->SelectedTextUtf8(), c.text);
    }
}

// A drag goes back past where it began: the copy still follows the entry, not the pointer.
TEST_F(EntryPainterTest, Selection_DraggedBackwardsCopiesInTheEntrysOrder)
{
    Parts parts;
    parts.Set(1, "feline mammal");
    Order();
    painter->ShowEntry(parts.items);
    // "feline" 20-68, " " 68-76, "mammal" 76-124 on the line 20..36.
    EXPECT_TRUE(painter->SelectRange(100, 25, 100, 25));
    EXPECT_TRUE(painter->SelectRange(100, 25, 72, 25));
    EXPECT_TRUE(painter->SelectRange(100, 25, 30, 25));
    EXPECT_EQ(painter->SelectedText(), "feline mammal");
    EXPECT_EQ(painter->SelectedTextUtf8(), "feline mammal");
}

// A drag that ends beside the text selects up to where a text view would: past a line's end
// to that line's end, on a blank line or below the text to the text above, left of a line
// from its start. A press or a drag wholly beside the text selects nothing.
TEST_F(EntryPainterTest, Selection_DragEndingBesideTheTextReachesTheNearestRun)
{
    Parts parts;
    parts.Set(1, "a kettle will hold");
    parts.Set(9, "\nsecond line");
    Order();
    painter->ShowEntry(parts.items);
    // Line 20..36: "a" 20-28, "kettle" 36-84, "will" 92-124, "hold" 132-164; a blank line
    // 36..52; line 52..68: "second" 20-68, "line" 76-108.
    struct Case {
        const char* why;
        float x1, y1, x2, y2;
        std::string text;
    };
    const Case cases[] = {
        {"right of a line's end", 40, 25, 190, 25, "kettle will hold"},
        {"right of the last line's end", 40, 25, 190, 57, "kettle will hold\n\nsecond line"},
        {"back from right of the last line", 190, 57, 40, 25, "kettle will hold\n\nsecond line"},
        {"on the blank line", 40, 25, 100, 45, "kettle will hold"},
        {"below the text", 40, 25, 30, 300, "kettle will hold\n\nsecond line"},
        {"left of a line", 140, 25, 5, 57, "hold\n\nsecond"},
        {"a press right of a line", 190, 25, 190, 25, ""},
        {"a drag wholly right of a line", 170, 25, 190, 25, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(painter->SelectRange(c.x1, c.y1, c.x2, c.y2), !c.text.empty());
        EXPECT_EQ(painter->SelectedText(), c.text);
    }
}

// A pronunciation is drawn in the phonetic font, whose bytes are its own code page: what
// other programs get is the IPA letters shown, while the text around it is Windows-1252.
TEST_F(EntryPainterTest, Selection_GivesOtherProgramsThePronunciationAsIpa)
{
    Parts parts;
    parts.Set(1, "caf\xE9 \\\x0Bk\xC0\x87t\x09\\ \x84");
    Order();
    painter->ShowEntry(parts.items);
    painter->SelectAll();
    EXPECT_EQ(painter->SelectedText(), "caf\xE9 \\k\xC0\x87t\\ \x84\n");
    EXPECT_EQ(painter->SelectedTextUtf8(), "caf\xC3\xA9 \\k\xCB\x88\xC9\x9Bt\\ \xE2\x80\x9E\n");
}

TEST_F(EntryPainterTest, Selection_InvertsTheRunsOnScreenOnce)
{
    Parts parts;
    parts.Set(1, "cat dog");
    Order();
    painter->ShowEntry(parts.items);
    // Between two glyph boxes of "cat" (x 26..27) the pane is white until selected.
    const auto at = [&] { return vkov_debug_surface_pixel(window, 27, 30); };
    ASSERT_EQ(at(), 0xFFFFFFFFU);
    ASSERT_TRUE(painter->SelectRange(21, 30, 21, 30));
    const std::uint32_t selected = at();
    EXPECT_NE(selected, 0xFFFFFFFFU);
    // The pane's paint clears and redraws: the selection shows again, once.
    vko_dwin_clear(window, 0x0BFFFFFF);
    painter->Redraw(0);
    EXPECT_EQ(at(), selected);
    painter->ClearSelection();
    EXPECT_EQ(at(), 0xFFFFFFFFU);
    // Selected runs side by side show one band: no column where two runs meet stays white.
    ASSERT_TRUE(painter->SelectRange(21, 30, 70, 30));
    for (int x = 21; x < 75; ++x) {
        SCOPED_TRACE(x);
        EXPECT_NE(vkov_debug_surface_pixel(window, x, 22), 0xFFFFFFFFU);
    }
    EXPECT_EQ(vkov_debug_surface_pixel(window, 77, 22), 0xFFFFFFFFU) << "beside the last run";
    EXPECT_EQ(vkov_debug_surface_pixel(window, 30, 37), 0xFFFFFFFFU) << "below the line";
}

TEST_F(EntryPainterTest, ShowEntry_FollowsTheDisplayOrderAndLayoutTokensByPart)
{
    Parts parts;
    parts.Set(1, "\x02" "cat\x01");
    parts.Set(9, "\nfeline");
    parts.Set(4, "noun");
    // Part 9 is shown first, then 1, then 4; part 1's tokens add a blank line.
    std::vector<std::string> tokens(12);
    tokens[1] = "N\\";
    Order({0, 9, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0}, nullptr, tokens);
    vkov_debug_draw_log_clear(window);
    painter->ShowEntry(parts.items);

    std::vector<std::string> drawn;
    for (const auto& entry : Log("draw_text"))
        drawn.push_back(entry.args);
    EXPECT_EQ(drawn, (std::vector<std::string>{"20,48,\"feline\"", "20,64,\"cat\"",
                                               "20,96,\"noun\""}));
    EXPECT_EQ(painter->pageLineCount(), 5);
    // The range counts the lines from the pane's top down to the last one drawn, the two
    // blank lines above the text included.
    EXPECT_EQ(pane.rangeMin, 0);
    EXPECT_EQ(pane.rangeMax, 6);
    EXPECT_EQ(pane.origin, 0);
    EXPECT_TRUE(painter->hasText());
}

TEST_F(EntryPainterTest, LayoutTokens_MoveThePen)
{
    struct Case {
        const char* why;
        std::string tokens;
        float x, y;
        std::int32_t lines;
    };
    const Case cases[] = {
        {"N goes down a line", "N", 100, 48, 1},
        {"T goes to the tab: the margin and five letters", "T", 60, 32, 0},
        {"both, in either case", "n\\t", 60, 48, 1},
        {"empty and unknown tokens do nothing", "\\\\X\\", 100, 32, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Parts parts;
        Order();
        painter->ShowEntry(parts.items);
        painter->SetPen(100, 32);
        painter->ApplyLayoutTokens(c.tokens);
        EXPECT_EQ(painter->penX(), c.x);
        EXPECT_EQ(painter->penY(), c.y);
        EXPECT_EQ(painter->pageLineCount(), c.lines);
    }
}

TEST(NextDelimitedPiece, CutsAtBlanksCommasAndNewlines)
{
    struct Step {
        std::string piece;
        std::size_t position;
    };
    struct Case {
        const char* why;
        std::string text;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"a letter, a comma, a letter, a space and a letter", "a,b c",
         {{"a,", 2}, {"b ", 4}, {"c", std::string::npos}}},
        {"a newline ends a piece too", "ab\ncd", {{"ab\n", 3}, {"cd", std::string::npos}}},
        {"a text without delimiters is one piece", "word", {{"word", std::string::npos}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::size_t position = 0;
        for (const Step& step : c.steps) {
            const auto piece = EntryPainter::NextDelimitedPiece(&position, c.text);
            EXPECT_EQ(std::string(piece->data()), step.piece);
            EXPECT_EQ(position, step.position);
        }
    }
}

TEST_F(EntryPainterTest, Redraw_DrawsFromTheScrolledOriginInTheColours)
{
    RWOrdered search;
    search.insert(new RWCollectableString("cat"));
    Order({}, &search);
    search.clearAndDestroy();
    Parts parts;
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "\nline a cat";
    parts.Set(9, text);
    painter->ShowEntry(parts.items);

    // Glyphs of the test font are filled boxes: the pixel in a box has the run's colour.
    EXPECT_EQ(vkov_debug_surface_pixel(window, 22, 60), 0xFF000000U);  // "line"
    EXPECT_EQ(vkov_debug_surface_pixel(window, 78, 45), 0xFFFF0000U);  // "cat"
    EXPECT_EQ(vkov_debug_surface_pixel(window, 22, 380), 0xFF000000U); // line 22 on screen

    // Scrolled down 10 lines: line 11 stands where line 1 stood; lines above the window
    // are not drawn.
    vkov_debug_draw_log_clear(window);
    vko_dwin_clear(window, 0x0BFFFFFF);
    painter->Redraw(-160);
    const auto drawn = Log("draw_text");
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(std::string(drawn.front().args).substr(0, 5), "20,0,"); // its descent shows
    bool found = false;
    for (const auto& entry : drawn) {
        // The words of a line in one colour are drawn as one text; the highlighted word
        // in another colour is a text of its own.
        found = found || std::string(entry.args) == "20,48,\"line a\"";
        EXPECT_NE(std::string(entry.args).find("\"line a\"") == std::string::npos,
                  std::string(entry.args).find("\"cat\"") == std::string::npos)
            << entry.args;
        // Blanks between words leave no ink on transparent text and are not drawn alone.
        EXPECT_EQ(std::string(entry.args).find(",\" \""), std::string::npos) << entry.args;
    }
    EXPECT_TRUE(found);
}

TEST_F(EntryPainterTest, Redraw_DrawsTheWordsOfALineInOneFontAndColourAsOneText)
{
    struct Case {
        const char* why;
        std::string text;
        std::vector<std::string> drawn; // the drawing calls' arguments
    };
    const Case cases[] = {
        {"one line, one style", "a small cat", {"20,32,\"a small cat\""}},
        {"a bold word is a text of its own", "the \x02" "big\x01 cat",
         {"20,32,\"the\"", "52,32,\"big\"", "84,32,\"cat\""}},
        {"each line is a text", "one two\nthree", {"20,32,\"one two\"", "20,48,\"three\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Parts parts;
        parts.Set(9, c.text);
        Order({0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        painter->ShowEntry(parts.items);
        vkov_debug_draw_log_clear(window);
        vko_dwin_clear(window, 0x0BFFFFFF);
        painter->Redraw(0);
        std::vector<std::string> drawn;
        for (const auto& entry : Log("draw_text"))
            drawn.push_back(entry.args);
        EXPECT_EQ(drawn, c.drawn);
    }
}

TEST_F(EntryPainterTest, EmptyEntry_HitsNothingAndCopiesNothing)
{
    Parts parts;
    Order();
    painter->ShowEntry(parts.items);
    EXPECT_EQ(painter->RunAt(30, 30), -1);
    painter->SelectAll();
    EXPECT_EQ(painter->SelectedText(), "");
    EXPECT_EQ(painter->SoundHit(30, 30), nullptr);
}

TEST_F(EntryPainterTest, Copy_KeepsTheEntryShownAndTheLayout)
{
    Parts parts;
    parts.Set(1, "cat");
    Order();
    painter->ShowEntry(parts.items);
    EntryPainter copy(*painter);
    EXPECT_EQ(copy.runs().size(), painter->runs().size());
    // The copy lays out the same stored parts again.
    copy.DrawEntry();
    ASSERT_FALSE(copy.runs().empty());
    EXPECT_EQ(copy.runs()[0].text, "cat");
}

} // namespace

namespace {

TEST_F(EntryPainterTest, LoadIllustration_ReadsTheImageAndLaysOutTheCaption)
{
    const std::string png = tavlintest::PngBytes(30, 20);
    struct Case {
        const char* why;
        std::string record;
        std::int16_t kind;
        const char* caption;
        bool image;
        std::vector<std::string> runs;
    };
    const Case cases[] = {
        {"an illustration with its caption", png, 1, "a hexagon", true, {"a", " ", "hexagon"}},
        {"an illustration without a caption", png, 1, "", true, {}},
        {"a table shows no caption", png, 2, "table text", true, {}},
        {"a plain part is no reference", png, 0, "text", false, {}},
        {"bytes that are no image", "not an image at all", 1, "caption", false, {}},
        {"no bytes", "", 1, "caption", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        WordItem part(c.caption);
        part.set_kind(c.kind);
        part.set_label("\x01Illustration:");
        part.set_labelWidth(13);
        painter->Reset();
        const std::unique_ptr<FRM_CImage> image = painter->LoadIllustration(c.record, part);
        ASSERT_EQ(image != nullptr, c.image);
        if (image == nullptr)
            continue;
        std::int32_t width = 0, height = 0;
        image->GetDimensions(&width, &height);
        EXPECT_EQ(width, 30);
        EXPECT_EQ(height, 20);
        EXPECT_TRUE(painter->imageShown());
        EXPECT_EQ(RunTexts(), c.runs);
    }
}

} // namespace
