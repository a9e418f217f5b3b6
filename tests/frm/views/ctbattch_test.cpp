// Tests of the tool-bar attachment in a real window: the candidate sizes of a bar measured at
// each number of rows, the best size for a floating bar, a given best size, the room a docked
// auto-sized bar asks of its frame, sizes made again when the bar changes, and a bar whose
// attachment goes first.
#include "frm/views/ctbattch.h"

#include <gtest/gtest.h>

#include <vector>

#include "frm/views/catchwin.h"
#include "frm/views/ctoolbar.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

using Frame = FRM_CAttachmentFrame;

class ToolBarAttachmentTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("bars", 400, 300);
        itsFrame = new Frame(itsWindow, Frame::ATTACH_ALL);
    }

    // A bar of count views of width x height, with no separators between them.
    FRM_CToolBar* Bar(int count, float width = 20, float height = 20,
                      FRM_CToolBar::AutosizeLocation where = FRM_CToolBar::AL_NONE)
    {
        auto* bar = where == FRM_CToolBar::AL_NONE
                        ? new FRM_CToolBar(itsWindow, FRM_CRect(0, 0, 300, 40))
                        : new FRM_CToolBar(itsWindow, where);
        for (int i = 0; i < count; ++i)
            new FRM_CView(bar, FRM_CRect(0, 0, width, height), FRM_CStringRW("b"));
        return bar;
    }

    static std::vector<FRM_CRect> Sizes(FRM_CToolBarAttachment& attachment)
    {
        return attachment.GetAllFitSizes();
    }

    FRM_CWindow* itsWindow = nullptr;
    Frame* itsFrame = nullptr;
};

TEST_F(ToolBarAttachmentTest, CandidatesForEveryNumberOfRows)
{
    // Six 20 x 20 views; a bound bar has no border, so it keeps 1 px around its views.
    FRM_CToolBarAttachment six(Bar(6));
    EXPECT_EQ(Sizes(six), (std::vector<FRM_CRect>{
                              {0, 0, 22, 122}, {0, 0, 42, 62}, {0, 0, 62, 42}, {0, 0, 122, 22}}));
    // The smallest area among the shapes within 1 : 4, later ones winning ties.
    EXPECT_EQ(six.GetBestSize(), FRM_CRect(0, 0, 62, 42));

    FRM_CToolBarAttachment one(Bar(1));
    EXPECT_EQ(Sizes(one).size(), 1U) << "a single view gives one size";

    // Every shape longer than 3.5 : 1: the smallest area.
    FRM_CToolBarAttachment long_(Bar(2, 100, 10));
    EXPECT_EQ(Sizes(long_), (std::vector<FRM_CRect>{{0, 0, 102, 22}, {0, 0, 202, 12}}));
    EXPECT_EQ(long_.GetBestSize(), FRM_CRect(0, 0, 102, 22));

    FRM_CToolBarAttachment given(Bar(6), FRM_CRect(0, 0, 50, 50));
    given.InvalidateSizes();
    EXPECT_EQ(given.GetBestSize(), FRM_CRect(0, 0, 50, 50)) << "a given best size stays";
}

TEST_F(ToolBarAttachmentTest, ChangingTheBarMeasuresItAgain)
{
    FRM_CToolBar* bar = Bar(2);
    auto* attachment = new FRM_CToolBarAttachment(bar);
    EXPECT_EQ(bar->GetAttachment(), attachment);
    EXPECT_EQ(Sizes(*attachment).size(), 2U);
    new FRM_CView(bar, FRM_CRect(0, 0, 20, 20), FRM_CStringRW("c"));
    EXPECT_EQ(Sizes(*attachment).size(), 3U) << "a new view invalidated the sizes";

    // The attachment goes first: the bar no longer reaches for it.
    delete attachment;
    EXPECT_EQ(bar->GetAttachment(), nullptr);
    new FRM_CView(bar, FRM_CRect(0, 0, 20, 20), FRM_CStringRW("d"));
    bar->DoSetFont(FRM_CFont(FRM_CStringRW("helvetica"), 0, 14), 0);
}

TEST_F(ToolBarAttachmentTest, ADockedAutoSizedBarAsksForAStripAlongItsEdge)
{
    FRM_CToolBar* bar = Bar(5, 20, 20, FRM_CToolBar::AL_TOP);
    auto* attachment = new FRM_CToolBarAttachment(bar);
    EXPECT_EQ(bar->IsAutoSized(), 1) << "not draggable: auto-sized";
    attachment->Attach(itsFrame, Frame::ATTACH_TOP);
    itsFrame->ArrangeAttachments();   // the bar settled into its window's client area
    const float thickness = bar->GetFrame().Height();
    EXPECT_EQ(attachment->GetDesiredSize(), FRM_CRect(0, 0, 400, thickness + 8));
    EXPECT_EQ(attachment->GetSize(), FRM_CRect(0, 0, 400, thickness + 8));
    EXPECT_EQ(itsFrame->GetClientSubview()->GetFrame().Top(), thickness + 8);
    EXPECT_EQ(bar->GetFrame().Width(), 392) << "across the window inside the border";

    // Once it can be dragged onto a frame it is no longer auto-sized.
    attachment->RegisterSink(itsFrame, 0);
    EXPECT_EQ(bar->IsAutoSized(), 0);
}

} // namespace
