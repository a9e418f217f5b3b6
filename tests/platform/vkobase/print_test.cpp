// Tests of printing: print records and their page settings, the print loop running the
// routine in place, pages and bands, and the PDF file a job leaves (read back with poppler's
// pdfinfo and pdftotext).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/print_internal.h"
#include "media_test_support.h"
#include "../../support/file_size_limit.h"
#include "vkobase/dwin.h"
#include "vkobase/print.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"

namespace {

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        vkov_print_set_output_dir(its_dir.path().c_str());
    }
    void TearDown() override { vkov_test_reset_all(); }

    vkotest::ScratchDir its_dir;
};

// What a command prints on standard output; empty when it cannot run.
std::string run(const std::string &command) {
    std::string out;
    if (FILE *pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buf[512];
        while (std::fgets(buf, sizeof buf, pipe) != nullptr)
            out += buf;
        ::pclose(pipe);
    }
    return out;
}

bool have_poppler() {
    return run("command -v pdfinfo").find("pdfinfo") != std::string::npos;
}

// The value of one "Key: value" line of pdfinfo's answer.
std::string pdf_field(const std::filesystem::path &pdf, const std::string &key) {
    const std::string info = run("pdfinfo '" + pdf.string() + "'");
    const std::size_t at = info.find(key + ":");
    if (at == std::string::npos)
        return "";
    const std::size_t start = info.find_first_not_of(' ', at + key.size() + 1);
    return info.substr(start, info.find('\n', start) - start);
}

// The print routine of the tests: the job of the data record, page by page and band by band,
// as a print manager runs it.
struct Job {
    s_printrcd *rcd;
    const char *title;
    int pages;
    std::vector<s_rct> bands;
    bool second_window_refused = false;
};

BOOLEAN print_pages(intptr_t data) {
    auto *job = reinterpret_cast<Job *>(data);
    WINDOW win = vkok_print_create_win(job->rcd, job->title);
    if (win == nullptr)
        return FALSE;
    job->second_window_refused = vkok_print_create_win(job->rcd, "again") == nullptr;
    for (int page = 0; page < job->pages && vkok_print_open_page(job->rcd); ++page) {
        while (const s_rct *band = vkok_print_get_next_band()) {
            job->bands.push_back(*band);
            const std::string text = "Page number " + std::to_string(page + 1);
            vkok_dwin_draw_text(win, 300, 300, text.c_str(), -1);
            const s_rct box{400, 300, 900, 1200};
            vkok_dwin_draw_rect(win, &box);
        }
        if (!vkok_print_close_page(job->rcd))
            break;
    }
    vkok_vobj_destroy(win);
    return TRUE;
}

TEST_F(PrintTest, Job_GivesOnePdfPagePerPrintedPage) {
    if (!have_poppler())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    struct Case {
        const char *why;
        const char *title, *title_utf8;
        std::int32_t orientation;
        double width, height;
        std::int32_t units;
        int pages;
        const char *file, *page_size;
        std::int16_t band_bottom, band_right;
    };
    // clang-format off
    const Case cases[] = {
        {"two Letter pages", "Two pages", "Two pages", VKO_PRINT_PORTRAIT, 8.5, 11,
         VKO_PRINT_INCHES, 2, "Two_pages.pdf", "612 x 792 pts (letter)", 3150, 2400},
        {"the same title again gets a file of its own", "Two pages", "Two pages",
         VKO_PRINT_PORTRAIT, 8.5, 11, VKO_PRINT_INCHES, 1, "Two_pages-2.pdf",
         "612 x 792 pts (letter)", 3150, 2400},
        {"A4 landscape in millimetres", "Wide/one", "Wide/one", VKO_PRINT_LANDSCAPE, 210, 297,
         VKO_PRINT_MILLIMETRES, 3, "Wideone.pdf", "841.89 x 595.276 pts (A4)", 2330, 3357},
        {"a Windows-1252 title", "Caf\xE9 list", "Caf\xC3\xA9 list", VKO_PRINT_PORTRAIT, 612,
         792, VKO_PRINT_POINTS, 1, "Caf_list.pdf", "612 x 792 pts (letter)", 3150, 2400},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        int32_t size = 0;
        s_printrcd *rcd = vkok_print_create(&size);
        ASSERT_NE(rcd, nullptr);
        EXPECT_GT(size, 0);
        ASSERT_EQ(vkok_print_set_page_orient(rcd, c.orientation), TRUE);
        ASSERT_EQ(vkok_print_set_page_size(rcd, c.width, c.height, c.units, 0), TRUE);
        Job job{rcd, c.title, c.pages, {}};
        ASSERT_EQ(vkok_print_start_thread(print_pages, reinterpret_cast<intptr_t>(&job)), TRUE);
        EXPECT_TRUE(job.second_window_refused) << "one job at a time";
        ASSERT_EQ(job.bands.size(), static_cast<std::size_t>(c.pages)) << "one band a page";
        EXPECT_EQ(job.bands[0].bottom, c.band_bottom);
        EXPECT_EQ(job.bands[0].right, c.band_right);
        const auto pdf = its_dir.path() / c.file;
        ASSERT_TRUE(std::filesystem::exists(pdf));
        EXPECT_EQ(pdf_field(pdf, "Pages"), std::to_string(c.pages));
        EXPECT_EQ(pdf_field(pdf, "Page size"), c.page_size);
        EXPECT_EQ(pdf_field(pdf, "Title"), c.title_utf8);
        const std::string text = run("pdftotext '" + pdf.string() + "' -");
        EXPECT_NE(text.find("Page number " + std::to_string(c.pages)), std::string::npos)
            << "the drawing reached the last page";
        vkok_print_destroy(rcd);
    }
}

TEST_F(PrintTest, Job_DrawsInsideThePageSetupMargins) {
    if (!have_poppler())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    struct Case {
        const char *why;
        const char *title;
        std::int32_t orientation;
        vkobase::PageMargins margins;
        std::int16_t band_bottom, band_right;
        double text_left_pt, text_top_pt; // where the text drawn an inch in lands on the paper
    };
    const Case cases[] = {
        {"the margins move the drawing and shrink the printed area",
         "Margins",
         VKO_PRINT_PORTRAIT,
         {2, 1, 1, 0.5},
         2400,
         2100,
         144,
         216},
        {"margins that leave no room once the page is turned give way to the whole page",
         "Turned",
         VKO_PRINT_LANDSCAPE,
         {5, 0.5, 5, 0.5},
         2550,
         3300,
         72,
         72},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        s_printrcd *rcd = vkok_print_create(nullptr);
        ASSERT_NE(rcd, nullptr);
        ASSERT_EQ(vkok_print_set_page_orient(rcd, c.orientation), TRUE);
        ASSERT_TRUE(vkobase::print_set_margins(rcd, c.margins));
        Job job{rcd, c.title, 1, {}};
        ASSERT_EQ(vkok_print_start_thread(print_pages, reinterpret_cast<intptr_t>(&job)), TRUE);
        ASSERT_EQ(job.bands.size(), 1u);
        EXPECT_EQ(job.bands[0].bottom, c.band_bottom);
        EXPECT_EQ(job.bands[0].right, c.band_right);
        const auto pdf = its_dir.path() / (std::string(c.title) + ".pdf");
        const std::string boxes = run("pdftotext -bbox '" + pdf.string() + "' -");
        const std::size_t word = boxes.find(">Page<");
        ASSERT_NE(word, std::string::npos) << boxes;
        const std::size_t open = boxes.rfind("<word", word);
        double x_min = 0, y_min = 0;
        ASSERT_EQ(
            std::sscanf(boxes.c_str() + open, "<word xMin=\"%lf\" yMin=\"%lf\"", &x_min, &y_min),
            2);
        EXPECT_NEAR(x_min, c.text_left_pt, 3);
        EXPECT_NEAR(y_min, c.text_top_pt, 20); // the text's top, near the point it was drawn at
        vkok_print_destroy(rcd);
    }
}

BOOLEAN nested(intptr_t data) {
    *reinterpret_cast<BOOLEAN *>(data) = vkok_print_start_thread(nested, data);
    return TRUE;
}
BOOLEAN failing(intptr_t) {
    return FALSE;
}

TEST_F(PrintTest, Job_ThatCannotBeWrittenAnswersFailureAndLeavesNoFile) {
    // A disk that fills up while the job is written: the loop answers failure, the file cut
    // short is gone, and the loop names it.
    const int status = test_support::WithFileSizeLimit(2048, [this] {
        s_printrcd *rcd = vkok_print_create(nullptr);
        Job job{rcd, "Full disk", 3, {}};
        const BOOLEAN printed = vkok_print_start_thread(print_pages, reinterpret_cast<intptr_t>(&job));
        const std::string unwritten = vkov_print_unwritten_file();
        return (printed == FALSE ? 0 : 1) | (std::filesystem::exists(its_dir.path() / "Full_disk.pdf") ? 2 : 0) |
               (unwritten == (its_dir.path() / "Full_disk.pdf").string() ? 0 : 4);
    });
    EXPECT_EQ(status, 0) << "1: answered success, 2: a cut file is left, 4: the file is not named";
    EXPECT_TRUE(std::filesystem::is_empty(its_dir.path()));

    // A folder that cannot hold the file: the same answer, with the file it would have been.
    vkov_print_set_output_dir((its_dir.path() / "missing").c_str());
    s_printrcd *rcd = vkok_print_create(nullptr);
    Job job{rcd, "Nowhere", 1, {}};
    EXPECT_EQ(vkok_print_start_thread(print_pages, reinterpret_cast<intptr_t>(&job)), FALSE);
    EXPECT_EQ(std::string(vkov_print_unwritten_file()), (its_dir.path() / "missing" / "Nowhere.pdf").string());
    EXPECT_STREQ(vkov_print_written_file(), "") << "no file was written";

    // A job that is written clears the name, and names the file it wrote.
    vkov_print_set_output_dir(its_dir.path().c_str());
    Job written{rcd, "Written", 1, {}};
    EXPECT_EQ(vkok_print_start_thread(print_pages, reinterpret_cast<intptr_t>(&written)), TRUE);
    EXPECT_STREQ(vkov_print_unwritten_file(), "");
    EXPECT_TRUE(std::filesystem::exists(its_dir.path() / "Written.pdf"));
    EXPECT_EQ(std::string(vkov_print_written_file()), (its_dir.path() / "Written.pdf").string());
    // A loop whose routine fails before it makes a file names none.
    EXPECT_EQ(vkok_print_start_thread(failing, 0), FALSE);
    EXPECT_STREQ(vkov_print_written_file(), "");
    vkok_print_destroy(rcd);
}

TEST_F(PrintTest, StartThread_RunsTheRoutineInPlaceOnceAtATime) {
    BOOLEAN inner = TRUE;
    EXPECT_EQ(vkok_print_start_thread(nested, reinterpret_cast<intptr_t>(&inner)), TRUE);
    EXPECT_EQ(inner, FALSE) << "a job started from inside a job is refused";
    EXPECT_EQ(vkok_print_start_thread(failing, 0), FALSE) << "the routine's answer";
    EXPECT_EQ(vkok_print_start_thread(nullptr, 0), FALSE);
    EXPECT_EQ(vkok_print_open(), TRUE);
}

TEST_F(PrintTest, PagesAndBands_FollowTheLoopAndTheResolution) {
    s_printrcd *rcd = vkok_print_create(nullptr);
    ASSERT_NE(rcd, nullptr);
    EXPECT_EQ(vkok_print_open_page(rcd), FALSE) << "no print window yet";
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_PRINTER_HRES, 100);
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_PRINTER_VRES, 200);
    WINDOW win = vkok_print_create_win(rcd, "");
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->type, W_PRINT);
    EXPECT_EQ(vkok_print_get_next_band(), nullptr) << "no page open";
    EXPECT_EQ(vkok_print_close_page(rcd), FALSE) << "no page open";
    ASSERT_EQ(vkok_print_open_page(rcd), TRUE);
    EXPECT_EQ(vkok_print_open_page(rcd), FALSE) << "already open";
    const s_rct *band = vkok_print_get_next_band();
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->right, 800); // inside the quarter-inch margins of a new record
    EXPECT_EQ(band->bottom, 2100);
    EXPECT_EQ(vkok_print_get_next_band(), nullptr);
    EXPECT_EQ(vkok_print_close_page(rcd), TRUE);
    vkok_vobj_destroy(win);
    EXPECT_TRUE(std::filesystem::exists(its_dir.path() / "print.pdf")) << "an untitled job";
    vkok_print_destroy(rcd);
    EXPECT_EQ(vkok_print_is_valid(rcd), FALSE);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_PRINT), 0);
}

TEST_F(PrintTest, PageSettings_RefuseWhatNoPaperIs) {
    s_printrcd *rcd = vkok_print_create(nullptr);
    ASSERT_NE(rcd, nullptr);
    EXPECT_EQ(vkok_print_set_page_orient(rcd, 2), FALSE);
    EXPECT_EQ(vkok_print_set_page_orient(nullptr, 0), FALSE);
    struct Case {
        const char *why;
        double width, height;
        std::int32_t units;
        BOOLEAN ok;
    };
    const Case cases[] = {
        {"Letter in points", 612, 792, VKO_PRINT_POINTS, TRUE},
        {"zero height", 8.5, 0, VKO_PRINT_INCHES, FALSE},
        {"negative width", -8.5, 11, VKO_PRINT_INCHES, FALSE},
        {"not a number", std::nan(""), 11, VKO_PRINT_INCHES, FALSE},
        {"beyond 200 inches", 201, 11, VKO_PRINT_INCHES, FALSE},
        {"unknown units", 8.5, 11, 7, FALSE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkok_print_set_page_size(rcd, c.width, c.height, c.units, 0), c.ok);
    }
}

} // namespace
