// Tests of the mapped splitter in a real window: rows and columns made from the split boxes
// and removed by their bars, again and again, with the scroll bars the panes share, the
// middle of a split measured from the splitter's own edge, splits refused at the edges, and a
// picture of two rows with their bars and split boxes.
#include "frm/views/cmapsplt.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/views/nscrllbr.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "vkobase/surface_debug.h"
#include "vkobase/win.h"

namespace {

const std::int16_t kCursors[6] = {11, 12, 13, 14, 15, 16};
// Dark, light, face and shadow: the order in which the boxes come out raised.
const unsigned long kBoxColours[4] = {0x07000000UL, 0x0BFFFFFFUL, 0x0BC0C0C0UL, 0x09808080UL};

// A splitter whose owner side answers every new pane with a plain view.
class OwnedSplitter : public FRM_CMappedSplitter {
public:
    OwnedSplitter(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion, SplitBehavior theBehavior,
                  short hasScrollBars)
        : FRM_CMappedSplitter(theEnclosure, theRegion, theBehavior, theBehavior, kCursors,
                              hasScrollBars, hasScrollBars, 16, kBoxColours)
    {
    }
    void DoCommand(long command, void* data) override
    {
        auto* pane = static_cast<CMappedPane*>(data);
        if (command == kPaneCreated) {
            ++itsCreated;
            IMappedPane(pane, itsCreated, new FRM_CView(this, pane->GetFrame(), FRM_CStringRW("pane")));
            return;
        }
        if (command == kPaneDestroying) {
            ++itsDestroyed;
            return;
        }
        FRM_CMappedSplitter::DoCommand(command, data);
    }
    // Each pane's view fills it and is an owner of its row's and column's scroll bars, which
    // are listed.
    void ExpectConsistent() const
    {
        EXPECT_EQ(static_cast<unsigned long>(GetNumberOfPanes()), GetRows() * GetColumns());
        EXPECT_EQ(GetHorSplitBars().size() + 1, GetRows());
        EXPECT_EQ(GetVerSplitBars().size() + 1, GetColumns());
        EXPECT_EQ(GetVerScrollBars().size(), GetRows());
        EXPECT_EQ(GetHorScrollBars().size(), GetColumns());
        for (long i = 0; i < GetNumberOfPanes(); ++i) {
            const CMappedPane* pane = GetPane(static_cast<std::size_t>(i));
            ASSERT_NE(pane->GetView(), nullptr);
            EXPECT_EQ(pane->GetView()->GetFrame(), pane->GetFrame()) << "the view fills its pane";
            for (FRM_NScrollBar* bar : {pane->GetHorScrollBar(), pane->GetVerScrollBar()}) {
                ASSERT_NE(bar, nullptr);
                const auto& owners = bar->GetOwners();
                EXPECT_NE(std::find(owners.begin(), owners.end(), pane->GetView()), owners.end());
            }
        }
        EXPECT_EQ(GetNumViews(), GetNumberOfPanes() + static_cast<long>(GetRows() + GetColumns()))
            << "one view per pane and one scroll bar per row and column, nothing left behind";
    }
    long itsCreated = 0;
    long itsDestroyed = 0;
};

class MappedSplitterTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("mapped", 400, 300);
    }
    static FRM_CPoint Middle(const FRM_CRect& theRect)
    {
        return FRM_CPoint((theRect.Left() + theRect.Right()) / 2, (theRect.Top() + theRect.Bottom()) / 2);
    }
    FRM_CWindow* itsWindow = nullptr;
};

TEST_F(MappedSplitterTest, SplittingAndUnsplittingAgainAndAgainLeavesOnePaneAndNoBar)
{
    auto* splitter = new OwnedSplitter(itsWindow, FRM_CRect(20, 30, 380, 290), FRM_CMappedSplitter::kOneSplit, 1);
    splitter->IMappedSplitter();
    EXPECT_EQ(splitter->itsCreated, 1);
    splitter->ExpectConsistent();
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(splitter->IsHorSplitBoxShown());
        splitter->TrackAutoSplit(Middle(splitter->GetHorSplitBox()));
        EXPECT_EQ(splitter->GetRows(), 2U);
        EXPECT_FALSE(splitter->IsHorSplitBoxShown()) << "one split only";
        EXPECT_FLOAT_EQ(splitter->GetHorSplitBars()[0]->GetAxis(), 30 + 130);
        splitter->TrackAutoSplit(Middle(splitter->GetVerSplitBox()));
        EXPECT_EQ(splitter->GetColumns(), 2U);
        splitter->ExpectConsistent();

        const FRM_CRect hBar = splitter->GetHorSplitBars()[0]->GetSplitBarFrame(-1);
        splitter->TrackAutoSplit(FRM_CPoint(hBar.Left() + 40, hBar.Top() + 2));
        EXPECT_EQ(splitter->GetRows(), 1U);
        splitter->ExpectConsistent();
        const FRM_CRect vBar = splitter->GetVerSplitBars()[0]->GetSplitBarFrame(-1);
        splitter->TrackAutoSplit(FRM_CPoint(vBar.Left() + 2, vBar.Top() + 40));
        EXPECT_EQ(splitter->GetColumns(), 1U);
        splitter->ExpectConsistent();
        EXPECT_EQ(splitter->itsCreated - splitter->itsDestroyed, 1);
        EXPECT_TRUE(splitter->IsHorSplitBoxShown()) << "the box is back with the bar gone";
    }
    // The one pane left fills the splitter but for the scroll-bar strips.
    const auto* pane = splitter->GetPane(0);
    const float width = static_cast<float>(FRM_NScrollBar::NativeWidth());
    const float height = static_cast<float>(FRM_NScrollBar::NativeHeight());
    EXPECT_EQ(pane->GetView()->GetFrame(), FRM_CRect(0, 0, 360 - width, 260 - height));
}

TEST_F(MappedSplitterTest, ADoubleClickSplitsTheTopRowInTheMiddleOfItsOwnHeight)
{
    auto* splitter =
        new OwnedSplitter(itsWindow, FRM_CRect(20, 40, 380, 280), FRM_CMappedSplitter::kAnySplits, 1);
    splitter->IMappedSplitter();
    splitter->SplitHorizontal();
    ASSERT_EQ(splitter->GetHorSplitBars().size(), 1U);
    EXPECT_FLOAT_EQ(splitter->GetHorSplitBars()[0]->GetAxis(), 40 + 120);
    splitter->SplitHorizontal();
    ASSERT_EQ(splitter->GetHorSplitBars().size(), 2U);
    EXPECT_FLOAT_EQ(splitter->GetHorSplitBars()[0]->GetAxis(), 40 + 60) << "above the first bar";
    EXPECT_FLOAT_EQ(splitter->GetHorSplitBars()[1]->GetAxis(), 40 + 120) << "which stays";
    EXPECT_EQ(splitter->GetRows(), 3U);
    splitter->ExpectConsistent();
    EXPECT_TRUE(splitter->IsHorSplitBoxShown());
}

TEST_F(MappedSplitterTest, ABoxDraggedAndDroppedNearAnEdgeMakesNothing)
{
    auto* splitter = new OwnedSplitter(itsWindow, FRM_CRect(0, 0, 400, 300), FRM_CMappedSplitter::kOneSplit, 1);
    splitter->IMappedSplitter();
    const FRM_CPoint box = Middle(splitter->GetHorSplitBox());
    ASSERT_TRUE(splitter->TrackBoxBegin(box));
    EXPECT_EQ(vkov_win_get_pointer_trap(), itsWindow->GetVKOWindow());
    splitter->TrackBoxMove(FRM_CPoint(box.H(), 5));
    EXPECT_TRUE(splitter->TrackBoxEnd(FRM_CPoint(box.H(), 5)));
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
    EXPECT_EQ(splitter->GetRows(), 1U) << "within a scroll bar's height of the top";

    splitter->TrackBoxBegin(box);
    splitter->TrackBoxMove(FRM_CPoint(box.H(), 100));
    splitter->TrackBoxEnd(FRM_CPoint(box.H(), 100));
    EXPECT_EQ(splitter->GetRows(), 2U);
    splitter->ExpectConsistent();
    EXPECT_FALSE(splitter->TrackBoxBegin(FRM_CPoint(200, 150))) << "no box there";
}

TEST_F(MappedSplitterTest, WithoutScrollBarsPanesStillSplitAndHaveNone)
{
    auto* splitter = new OwnedSplitter(itsWindow, FRM_CRect(0, 0, 400, 300), FRM_CMappedSplitter::kAnySplits, 0);
    splitter->IMappedSplitter();
    splitter->SplitVertical();
    splitter->SplitHorizontal();
    EXPECT_EQ(splitter->GetNumberOfPanes(), 4);
    EXPECT_TRUE(splitter->GetHorScrollBars().empty());
    for (long i = 0; i < splitter->GetNumberOfPanes(); ++i)
        EXPECT_EQ(splitter->GetPane(static_cast<std::size_t>(i))->GetHorScrollBar(), nullptr);
}

// What a person sees: two rows, each with its own vertical scroll bar, the bar between them,
// and the vertical split box beside the shared horizontal scroll bar. VKO_SCREENSHOT_DIR, when
// set, names where the PNG goes.
TEST_F(MappedSplitterTest, APictureOfTwoRowsShowsTheirBarsAndTheSplitBoxes)
{
    auto* splitter = new OwnedSplitter(itsWindow, FRM_CRect(0, 0, 400, 300), FRM_CMappedSplitter::kAnySplits, 1);
    splitter->IMappedSplitter();
    splitter->SplitHorizontal();
    WINDOW handle = itsWindow->GetVKOWindow();
    vko_dwin_invalidate_rect(handle, nullptr);
    vko_dwin_update(handle);
    vkok_app_process_pending_events();
    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) +
                             "frm_mapped_splitter.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
    struct Probe {
        const char* why;
        int x, y;
        unsigned rgb;
    };
    const FRM_CRect bar = splitter->GetHorSplitBars()[0]->GetSplitBarFrame(-1);
    const int barMiddle = static_cast<int>((bar.Top() + bar.Bottom()) / 2);
    const Probe probes[] = {
        {"the upper pane", 200, 80, 0xFFFFFF},
        {"the lower pane", 200, 220, 0xFFFFFF},
        {"the bar between them", 200, barMiddle, 0xC0C0C0},
        {"the row box's face", 392, 8, 0xC0C0C0},
        {"its light inner edge", 392, 1, 0xFFFFFF},
        {"its dark outer edge", 392, 15, 0x000000},
        {"the column box's face", 8, 292, 0xC0C0C0},
        {"its shadow", 8, 298, 0x808080},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(vkov_debug_surface_pixel(handle, p.x, p.y) & 0xFFFFFF, p.rgb) << p.why;
}

} // namespace
