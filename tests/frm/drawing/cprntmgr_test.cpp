// Tests of the print manager: the queue's page numbering and lookups, a two-page job that
// writes a two-page PDF through the base library, and the print window that windows answer
// with only while a job runs.
#include "frm/drawing/cprntmgr.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../support/frm_app_fixture.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/views/cview.h"

namespace {

// A view that draws a box and notes the window it drew into.
class BoxView : public FRM_CView {
public:
    BoxView(FRM_CSubview* enclosure, const FRM_CRect& frame)
        : FRM_CView(enclosure, frame, FRM_CStringRW("box"))
    {
    }
    void Draw(const FRM_CRect&) override
    {
        itsDrawnInto = GetCWindow()->GetVKOWindow();
        itsPrintWindowSeen = FRM_CPrintMgr::GetPrintWindow();
        FRM_CDrawingContext context(this);
        context.DrawRect(FRM_CRect(10, 10, 200, 100));
        context.DrawText(FRM_CStringRW("printed"), FRM_CPoint(20, 60));
    }
    WINDOW itsDrawnInto = nullptr;
    WINDOW itsPrintWindowSeen = nullptr;
};

class PrintTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsDir = std::filesystem::temp_directory_path() /
                 ("frm_print_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(itsDir);
        std::filesystem::create_directories(itsDir);
        vkov_print_set_output_dir(itsDir.c_str());
        itsManager = FRM_CObjectRWC::GetG()->GetPrintMgr();
    }
    void TearDown() override
    {
        vkov_print_set_output_dir(nullptr);
        std::filesystem::remove_all(itsDir);
        AppFixture::TearDown();
    }

    // Pages of a PDF file: its page objects.
    static int PdfPages(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string pdf = text.str();
        int pages = 0;
        for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
             at = pdf.find("/Type /Page", at + 1))
            if (pdf.compare(at, 12, "/Type /Pages") != 0)
                ++pages;
        return pages;
    }

    std::filesystem::path itsDir;
    FRM_CPrintMgr* itsManager = nullptr;
};

TEST_F(PrintTest, Queue_NumbersPagesAndSelectsThem)
{
    FRM_CWindow* window = NewWindow();
    auto* a = new BoxView(window, FRM_CRect(0, 0, 10, 10));
    auto* b = new BoxView(window, FRM_CRect(0, 0, 10, 10));
    const FRM_CRect r(0, 0, 10, 10);
    itsManager->Insert(a, r, FRM_CPrintMgr::kNextPage);
    itsManager->Insert(a, r, FRM_CPrintMgr::kNextPage);
    itsManager->Insert(b, r, 5);
    itsManager->Insert(b, r, FRM_CPrintMgr::kNextPage);
    EXPECT_EQ(itsManager->GetLastPage(), 6);
    struct Case {
        const char* why;
        int page;
        std::size_t views;
    };
    const Case cases[] = {{"page 0", 0, 1}, {"page 1", 1, 1}, {"the last page", -2, 1},
                          {"every page", -1, 4}, {"an empty page", 3, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(itsManager->GetQueue(c.page).entries(), c.views);
    }
    EXPECT_EQ(itsManager->GetQueue(-2)[0], b);
    EXPECT_EQ(itsManager->Remove(a, -1), 2) << "every page of the view";
    EXPECT_EQ(itsManager->Remove(a, -1), 0);
    itsManager->ClearQueue();
    EXPECT_EQ(itsManager->GetLastPage(), -1);
    EXPECT_EQ(itsManager->DoPrint(itsApplication->GetPrintRecord(), FRM_CStringRW("empty")), 0)
        << "an empty queue prints nothing";
}

TEST_F(PrintTest, TwoPageJob_WritesATwoPagePdfThroughTheViewsOwnDrawing)
{
    FRM_CWindow* window = NewWindow();
    auto* first = new BoxView(window, FRM_CRect(0, 0, 300, 200));
    auto* second = new BoxView(window, FRM_CRect(0, 0, 300, 200));
    itsManager->Insert(first, first->GetFrame(), 0);
    itsManager->Insert(second, second->GetFrame(), 1);
    EXPECT_EQ(FRM_CPrintMgr::GetPrintWindow(), nullptr);
    EXPECT_EQ(itsManager->DoPrint(itsApplication->GetPrintRecord(), FRM_CStringRW("job")), 1);
    EXPECT_EQ(FRM_CPrintMgr::GetPrintWindow(), nullptr) << "only while the job runs";
    EXPECT_NE(first->itsPrintWindowSeen, nullptr);
    EXPECT_EQ(first->itsDrawnInto, first->itsPrintWindowSeen) << "the window answers the printer";
    EXPECT_EQ(itsManager->GetNumItems(), 0u) << "a job clears its queue";
    const std::filesystem::path pdf = itsDir / "job.pdf";
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(PdfPages(pdf), 2);
}

TEST_F(PrintTest, DestroyedView_LeavesTheQueue)
{
    FRM_CWindow* window = NewWindow();
    auto* kept = new BoxView(window, FRM_CRect(0, 0, 10, 10));
    auto* gone = new BoxView(window, FRM_CRect(0, 0, 10, 10));
    itsManager->Insert(kept, kept->GetFrame(), 0);
    itsManager->Insert(gone, gone->GetFrame(), 0);
    itsManager->Insert(gone, gone->GetFrame(), 1);
    delete gone;
    EXPECT_EQ(itsManager->GetNumItems(), 1u);
    EXPECT_EQ(itsManager->GetQueue(-1)[0], kept);
    EXPECT_EQ(itsManager->DoPrint(itsApplication->GetPrintRecord(), FRM_CStringRW("kept")), 1);
}

TEST_F(PrintTest, ApplicationPrint_WithoutARecordLeavesNoViewsQueued)
{
    NewWindow();
    EXPECT_EQ(itsDocument->DoPrint(), 1) << "the document prints with the application's record";
    EXPECT_EQ(itsManager->GetNumItems(), 0u);
}

} // namespace
