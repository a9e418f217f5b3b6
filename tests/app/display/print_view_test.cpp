// Tests of printing lists and entries to PDF: page breaks, the notice at the foot of every
// page, and the screen's painter left alone. Pages are counted with poppler's pdfinfo and read
// with pdftotext; the tests skip when poppler is not installed.

#include "app/display/print_view.h"

#include <cmath>
#include <regex>

#include "entry_painter_support.h"
#include "tests/support/command_output.h"
#include "tests/support/temp_dir.h"
#include "frm/views/cimage.h"
#include "vkobase/dm.h"
#include "vkobase/print.h"
#include "tests/support/file_size_limit.h"
#include "../support/png_bytes.h"

namespace {

using entrytest::Parts;
using entrytest::PainterFixture;

using test_support::CommandOutput;
using test_support::HavePoppler;

int Pages(const std::string& pdf)
{
    const std::string info = CommandOutput("pdfinfo '" + pdf + "'");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

std::string PageText(const std::string& pdf, int page)
{
    const std::string n = std::to_string(page);
    return CommandOutput("pdftotext -layout -f " + n + " -l " + n + " '" + pdf + "' -");
}

// A word of a printed page and its box, in points from the page's top left corner.
struct Word {
    std::string text;
    double xMin, yMin, xMax, yMax;
};

// The words of a page as pdftotext -bbox lays them out.
std::vector<Word> Words(const std::string& pdf, int page)
{
    const std::string n = std::to_string(page);
    const std::string html =
        CommandOutput("pdftotext -bbox -f " + n + " -l " + n + " '" + pdf + "' -");
    std::vector<Word> words;
    const std::string number = "\"([-0-9.]+)\"";
    const std::regex word("<word xMin=" + number + " yMin=" + number + " xMax=" + number +
                          " yMax=" + number + ">([^<]*)</word>");
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it) {
        const std::smatch& m = *it;
        words.push_back(Word{m[5].str(), std::stod(m[1].str()), std::stod(m[2].str()),
                             std::stod(m[3].str()), std::stod(m[4].str())});
    }
    return words;
}

// The first word of a page with that text; a box of NaN when there is none.
Word Find(const std::vector<Word>& words, const std::string& text)
{
    for (const Word& w : words)
        if (w.text == text)
            return w;
    const double none = std::nan("");
    return Word{text, none, none, none, none};
}

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class Lines : public PrintListSource {
public:
    explicit Lines(int count) : itsCount(count) {}
    std::int32_t LineCount() const override { return itsCount; }
    std::string LineText(std::int32_t index) const override
    {
        return "line " + std::to_string(index + 1);
    }

private:
    int itsCount;
};

class PrintViewTest : public PainterFixture {
protected:
    void SetUp() override
    {
        PainterFixture::SetUp();
        // Real faces, so that pdftotext reads the printed words back.
        for (const char* family : kEntryFontFamilies)
            vkov_font_add_family_mapping(family, "DejaVu Serif");
        vkov_font_add_family_mapping("times", "DejaVu Serif");
        vkov_print_set_output_dir(dir.path().c_str());
        int32_t size = 0;
        record = vko_print_create(&size);
        ASSERT_NE(record, nullptr);
    }
    void TearDown() override
    {
        vko_print_destroy(record);
        PainterFixture::TearDown();
    }
    std::string Pdf(const std::string& title) const { return dir.path() + "/" + title + ".pdf"; }

    test_support::TempDir dir;
    s_printrcd* record = nullptr;
};

TEST_F(PrintViewTest, List_BreaksPagesOnlyWhenALineIsLeft)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    // One line first, to learn how many lines a page holds.
    Lines one(1);
    PrintView probe(record, &one, "probe");
    ASSERT_TRUE(probe.StartPrint(PrintView::kList));
    const int perPage = probe.linesPerPage();
    ASSERT_GT(perPage, 10);

    struct Case {
        const char* why;
        int lines;
        int pages;
    };
    const Case cases[] = {
        {"an empty list prints one page with the notice only", 0, 1},
        {"a list that exactly fills a page has no extra page", perPage, 1},
        {"one line more starts a second page", perPage + 1, 2},
        {"two full pages", 2 * perPage, 2},
    };
    int job = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Lines lines(c.lines);
        const std::string title = "list" + std::to_string(++job);
        PrintView view(record, &lines, title);
        ASSERT_TRUE(view.StartPrint(PrintView::kList));
        const std::string pdf = Pdf(title);
        EXPECT_EQ(Pages(pdf), c.pages);
        for (int page = 1; page <= c.pages; ++page) {
            EXPECT_EQ(Count(PageText(pdf, page), "All rights reserved"), 1) << "page " << page;
            // Every line of the list sits above the notice, the lowest one too.
            const std::vector<Word> words = Words(pdf, page);
            const Word notice = Find(words, "rights");
            for (const Word& w : words) {
                if (w.text == "line") {
                    EXPECT_LT(w.yMax, notice.yMin) << "page " << page << ", line at " << w.yMin;
                }
            }
        }
        if (c.lines > 0) {
            EXPECT_NE(PageText(pdf, c.pages).find("line " + std::to_string(c.lines)),
                      std::string::npos);
        }
    }
}

TEST_F(PrintViewTest, List_WithAnEmptyTitleStillPrints)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    Lines lines(3);
    PrintView view(record, &lines, "");
    ASSERT_TRUE(view.StartPrint(PrintView::kList));
    const std::string text = PageText(Pdf("print"), 1); // the name of an untitled job
    EXPECT_NE(text.find("line 3"), std::string::npos);
    EXPECT_EQ(Count(text, "All rights reserved"), 1);
}

TEST_F(PrintViewTest, Kinds_WithoutAJobPrintNothing)
{
    Lines lines(3);
    PrintView list(record, &lines, "kinds");
    EXPECT_FALSE(list.StartPrint(PrintView::kEntry)); // no painter
    EXPECT_FALSE(list.StartPrint(7));
    PrintView noRecord(nullptr, &lines, "none");
    EXPECT_FALSE(noRecord.StartPrint(PrintView::kList));
}

TEST_F(PrintViewTest, AJobThatCannotBeWrittenTellsTheUserAndLeavesNoFile)
{
    // The disk fills up while the list is written.
    const std::string expected = "Unable to print: the file " + Pdf("Full") + " could not be written.";
    const int status = test_support::WithFileSizeLimit(4096, [&] {
        Lines lines(400);
        PrintView job(record, &lines, "Full");
        const int before = vkov_dm_test_count();
        const bool printed = job.StartPrint(PrintView::kList);
        const bool told = vkov_dm_test_count() == before + 1 && vkov_dm_test_text(before) == expected &&
                          std::string(vkov_dm_test_kind(before)) == "warning";
        return (printed ? 1 : 0) | (told ? 0 : 2) | (std::filesystem::exists(Pdf("Full")) ? 4 : 0);
    });
    EXPECT_EQ(status, 0) << "1: answered printed, 2: the user was not told, 4: a cut file is left";
}

TEST_F(PrintViewTest, Entry_BreaksPagesAndLeavesTheScreenAlone)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    Parts parts;
    parts.Set(1, "\x02" "entryword\x01");
    std::string senses;
    for (int i = 1; i <= 120; ++i)
        senses += "\n\x02" + std::to_string(i) + "\x01 sense number " + std::to_string(i) +
                  " of the word, long enough to wrap on a printed page of this size";
    parts.Set(9, senses);
    Prefs prefs;
    prefs.font_size = 12;
    prefs.back_color = 0x0B000080; // navy: the printout stays white and black
    prefs.text_color = 0x0BFFFF00;
    prefs.highlight_color = 0x01FF0000;
    painter->SetColors(prefs);
    Order();
    painter->ShowEntry(parts.items);
    const auto screenRuns = painter->runs().size();

    PrintView view(record, *painter, "entry");
    ASSERT_TRUE(view.StartPrint(PrintView::kEntry));
    const std::string pdf = Pdf("entry");
    const int pages = Pages(pdf);
    EXPECT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(Count(PageText(pdf, page), "All rights reserved"), 1) << "page " << page;
    EXPECT_EQ(Count(PageText(pdf, 1), "entryword"), 1);
    std::string all;
    for (int page = 1; page <= pages; ++page)
        all += PageText(pdf, page);
    // Every sense printed once: nothing lost or doubled at the page breaks.
    for (int i = 1; i <= 120; ++i)
        EXPECT_EQ(Count(all, "sense number " + std::to_string(i) + " "), 1) << i;

    // The screen's painter keeps its layout and colours.
    EXPECT_EQ(painter->runs().size(), screenRuns);
    EXPECT_EQ(painter->settings().prefs.back_color, 0x0B000080U);
}

// An entry of a head word, an illustration marker or not, and numbered one-line senses.
void SetShortEntry(Parts& parts, bool marker)
{
    parts.Set(1, "\x02" "entryword\x01");
    if (marker)
        parts.items[2]->set_kind(1);
    std::string senses;
    for (int i = 1; i <= 150; ++i)
        senses += "\nsense " + std::to_string(i) + " end";
    parts.Set(9, senses);
}

// Nothing of the marker's picture is printed, so it takes one line on paper, however tall
// its picture is on the screen.
TEST_F(PrintViewTest, Entry_MarkerTakesOneLineOnPaper)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    // A picture of 4 by 600 pixels, in the resource format's XPM.
    std::string xpm = "/* XPM */\nstatic char *tall[] = {\n\"4 600 1 1\",\n\"a c #000000\",\n";
    for (int row = 0; row < 600; ++row)
        xpm += "\"aaaa\",\n";
    xpm += "};\n";
    std::string hex;
    for (const unsigned char byte : xpm) {
        static const char kDigits[] = "0123456789abcdef";
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    const std::string resource = "image 39009 hex \"" + hex + "\"\n";
    ASSERT_TRUE(vkov_res_register_text("tall marker", resource.c_str()));
    IMAGE icon = vko_res_get_image(39009);
    ASSERT_NE(icon, nullptr) << "the marker's picture, 600 pixels high on the screen";
    vko_image_destroy(icon);
    Order();
    int sensesOnFirstPage[2] = {};
    for (const bool marker : {false, true}) {
        Parts parts;
        SetShortEntry(parts, marker);
        painter->ShowEntry(parts.items);
        const std::string title = marker ? "with_marker" : "without_marker";
        PrintView view(record, *painter, title);
        ASSERT_TRUE(view.StartPrint(PrintView::kEntry));
        sensesOnFirstPage[marker] = Count(PageText(Pdf(title), 1), "end");
    }
    EXPECT_GT(sensesOnFirstPage[0], 20);
    EXPECT_EQ(sensesOnFirstPage[1], sensesOnFirstPage[0] - 1);
}

// Margins follow the printer's resolution along their own axis: half an inch at the left,
// an inch at the top, on a printer whose dots are twice as tall as they are wide.
TEST_F(PrintViewTest, Entry_MarginsOnAPrinterWithUnequalResolutions)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_PRINTER_HRES, 100);
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_PRINTER_VRES, 200);
    Order();
    Parts parts;
    SetShortEntry(parts, false);
    painter->ShowEntry(parts.items);
    PrintView view(record, *painter, "unequal");
    ASSERT_TRUE(view.StartPrint(PrintView::kEntry));
    const Word head = Find(Words(Pdf("unequal"), 1), "entryword");
    // The page's own quarter-inch margins come first: 0.75 in (54 pt) to the left edge of the
    // text, 1.25 in (90 pt) to the first line's base line.
    EXPECT_NEAR(head.xMin, 54, 3);
    EXPECT_LT(head.yMin, 90);
    EXPECT_GT(head.yMax, 90);
}

// A job whose pages cannot be turned: the painter prints into a real print window, but the
// job's record refuses to close a page.
struct FailingJob {
    s_printrcd* record;
    EntryPainter* painter;
    bool failed = false;
    bool windowGone = false;
    std::size_t runs = 0;
};

BOOLEAN PrintWithFailingPages(intptr_t data)
{
    auto* failing = reinterpret_cast<FailingJob*>(data);
    WINDOW window = vko_print_create_win(failing->record, "failing");
    if (window == nullptr || !vko_print_open_page(failing->record))
        return FALSE;
    EntryPrintJob job;
    job.record = nullptr; // every page turn is refused
    job.window = window;
    failing->painter->PrintEntry(&job);
    failing->failed = job.failed;
    failing->windowGone = job.window == nullptr && !vko_vobj_is_valid(window);
    failing->runs = failing->painter->runs().size();
    if (job.window != nullptr)
        vko_vobj_destroy(window);
    return TRUE;
}

TEST_F(PrintViewTest, Entry_StopsWhenAPageCannotBeTurned)
{
    Parts parts;
    std::string senses;
    for (int i = 1; i <= 200; ++i)
        senses += "\nsense " + std::to_string(i);
    parts.Set(9, senses);
    Order();
    painter->ShowEntry(parts.items);
    const std::size_t allRuns = painter->runs().size();

    EntryPainter copy(*painter);
    FailingJob failing{record, &copy};
    std::vector<std::uint32_t> reports;
    vkov_test_set_errmsg_hook(
        [](WINDOW, std::int32_t, std::uint32_t code, const char*, std::int32_t, void* context) {
            static_cast<std::vector<std::uint32_t>*>(context)->push_back(code);
        },
        &reports);
    ASSERT_TRUE(vko_print_start_thread(&PrintWithFailingPages, reinterpret_cast<intptr_t>(&failing)));
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    EXPECT_EQ(reports, (std::vector<std::uint32_t>{0x210000})); // the one refused page turn
    EXPECT_TRUE(failing.failed);
    EXPECT_TRUE(failing.windowGone); // destroyed once, by the painter
    EXPECT_LT(failing.runs, allRuns); // nothing laid out after the failed page
}

TEST_F(PrintViewTest, Illustration_PrintsThePictureAndItsCaption)
{
    if (!HavePoppler())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    const std::string png = tavlintest::PngBytes(60, 40, false);
    WordItem part("a regular hexagon");
    part.set_kind(1);
    ASSERT_NE(painter->LoadIllustration(png, part), nullptr);

    PrintView view(record, *painter, "picture");
    ASSERT_TRUE(view.StartPrint(PrintView::kIllustration));
    const std::string pdf = Pdf("picture");
    EXPECT_EQ(Pages(pdf), 1);
    const std::string text = PageText(pdf, 1);
    EXPECT_NE(text.find("a regular hexagon"), std::string::npos);
    EXPECT_EQ(Count(text, "All rights reserved"), 1);
    EXPECT_NE(CommandOutput("pdfimages -list '" + pdf + "'").find("image"), std::string::npos);
}

} // namespace
