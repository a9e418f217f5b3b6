// Tests of attachments in real windows: the frame's bands around its client, suspended
// arrangement, the attachment window's border and close box, the choice among candidate
// sizes, a bar torn off its edge into a floating window and docked again by the pointer
// (events posted through the base library, pointer trap included), narrowing the frame's
// edges with attachments that may or may not float, and the status bar docked at the bottom.
#include "frm/views/catchfrm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frm/core/cfactmgr.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/catchmnt.h"
#include "frm/views/catchwin.h"
#include "frm/views/cstatatc.h"
#include "frm/views/cstatbar.h"
#include "frm/views/cwindow.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"
#include "vkobase/surface_debug.h"

namespace {

using Frame = FRM_CAttachmentFrame;

// An attachment that may float, as a palette's may.
class FloatingAttachment : public FRM_CAttachment {
public:
    explicit FloatingAttachment(FRM_CView* view) : FRM_CAttachment(view) { itIsDetachable = 1; }
};

// An attachment whose candidate sizes are given.
class SizedAttachment : public FRM_CAttachment {
public:
    SizedAttachment(FRM_CView* view, std::vector<FRM_CRect> sizes)
        : FRM_CAttachment(view), itsSizes(std::move(sizes))
    {
    }
    const std::vector<FRM_CRect>& GetAllFitSizes() override
    {
        itsFitSizes.clear();
        for (const FRM_CRect& size : itsSizes)
            FrmInsertFitSize(itsFitSizes, size);
        return itsFitSizes;
    }

private:
    std::vector<FRM_CRect> itsSizes;
};

class AttachmentTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("attach", 400, 300);
        itsFrame = new Frame(itsWindow, Frame::ATTACH_ALL);
    }

    FRM_CView* Bar(float width = 100, float height = 20, const char* title = "Tools")
    {
        return new FRM_CView(itsWindow, FRM_CRect(0, 0, width, height), FRM_CStringRW(title));
    }

    // A bar docked at an edge, draggable onto the frame, deleted when its window closes.
    FRM_CAttachment* Docked(Frame::AttachmentPoint edge, float width = 100, float height = 20)
    {
        auto* attachment = new FRM_CAttachment(Bar(width, height));
        attachment->IAttachment(1);
        attachment->RegisterSink(itsFrame, 0);
        attachment->Attach(itsFrame, edge);
        return attachment;
    }

    static void Mouse(WINDOW target, e_event type, float h, float v)
    {
        EVENT event{};
        event.type = type;
        event.v.mouse.where = s_pnt{static_cast<int16_t>(v), static_cast<int16_t>(h)};
        vkov_test_post_event(target, &event);
        vkok_app_process_pending_events();
    }

    // Presses at a point of the attachment's window, moves through the frame window's points
    // and releases at the last one (the drag traps the pointer in the attachment's window).
    void Drag(const FRM_CAttachment* attachment, FRM_CPoint press, std::vector<FRM_CPoint> path)
    {
        Mouse(attachment->GetInternalWindow()->GetVKOWindow(), E_MOUSE_DOWN, press.H(), press.V());
        for (const FRM_CPoint& p : path)
            Mouse(itsWindow->GetVKOWindow(), E_MOUSE_MOVE, p.H(), p.V());
        Mouse(itsWindow->GetVKOWindow(), E_MOUSE_UP, path.back().H(), path.back().V());
    }

    static WINDOW HandleOf(const FRM_CAttachment* attachment)
    {
        return attachment->GetInternalWindow()->GetVKOWindow();
    }

    FRM_CRect Client() const { return itsFrame->GetClientSubview()->GetFrame(); }

    FRM_CWindow* itsWindow = nullptr;
    Frame* itsFrame = nullptr;
};

TEST_F(AttachmentTest, BandsPackAroundTheClient)
{
    EXPECT_EQ(Client(), FRM_CRect(0, 0, 400, 300)) << "no attachments: the whole frame";

    // A 100 x 20 bar's window is 108 x 28; the bottom band is one pixel off the client.
    FRM_CAttachment* bottom = Docked(Frame::ATTACH_BOTTOM);
    EXPECT_EQ(Client(), FRM_CRect(0, 0, 400, 300 - 29));
    EXPECT_EQ(bottom->GetSize(), FRM_CRect(0, 272, 108, 300));
    EXPECT_EQ(bottom->GetView()->GetFrame(), FRM_CRect(4, 4, 104, 24)) << "inside the border";

    // Top bars: no separating pixel outside the task window. A new bar comes in from above
    // the band, so it is packed first; the one pushed past the band's end wraps to a new row.
    FRM_CAttachment* a = Docked(Frame::ATTACH_TOP, 180);
    EXPECT_EQ(a->GetSize(), FRM_CRect(0, 0, 188, 28));
    FRM_CAttachment* b = Docked(Frame::ATTACH_TOP, 180);
    EXPECT_EQ(b->GetSize(), FRM_CRect(0, 0, 188, 28));
    EXPECT_EQ(a->GetSize(), FRM_CRect(188, 0, 376, 28)) << "keeps to the right of the new one";
    FRM_CAttachment* c = Docked(Frame::ATTACH_TOP, 180);
    EXPECT_EQ(c->GetSize(), FRM_CRect(0, 0, 188, 28));
    EXPECT_EQ(b->GetSize(), FRM_CRect(188, 0, 376, 28));
    EXPECT_EQ(a->GetSize(), FRM_CRect(188, 28, 376, 56)) << "wraps at the lowest bottom";
    EXPECT_EQ(Client().Top(), 56);

    // The side bands fill the strip between top and bottom.
    FRM_CAttachment* right = Docked(Frame::ATTACH_RIGHT, 20, 100);
    EXPECT_EQ(right->GetSize(), FRM_CRect(372, 56, 400, 164));
    EXPECT_EQ(Client(), FRM_CRect(0, 56, 371, 271));
    EXPECT_EQ(itsFrame->GetAttachments().size(), 5U);
}

TEST_F(AttachmentTest, SuspendedArrangementRunsOnceAtTheLastResume)
{
    itsFrame->Suspend();
    itsFrame->Suspend();
    FRM_CAttachment* bar = Docked(Frame::ATTACH_BOTTOM);
    EXPECT_EQ(Client(), FRM_CRect(0, 0, 400, 300)) << "nothing moves while suspended";
    itsFrame->Resume();
    EXPECT_EQ(Client().Bottom(), 300);
    itsFrame->Resume();
    EXPECT_EQ(Client().Bottom(), 271);
    EXPECT_EQ(bar->GetSize().Top(), 272);
    itsFrame->Resume();   // one too many: nothing
    EXPECT_EQ(itsFrame->IsSuspended(), 0);
    itsFrame->Suspend();
    EXPECT_EQ(itsFrame->IsSuspended(), 1) << "the count stayed at 0";
    itsFrame->Resume();
}

TEST_F(AttachmentTest, CandidateSizesForAWidthOrAHeight)
{
    SizedAttachment sized(Bar(), {{0, 0, 500, 30}, {0, 0, 180, 90}, {0, 0, 260, 60}});
    struct Case {
        bool byWidth;
        float length;
        float limit;
        float wantedWidth;
    };
    const Case cases[] = {
        {true, 300, 0, 260}, {true, 200, 0, 180}, {true, 100, 0, 180}, {true, 600, 0, 500},
        {true, 600, 100, 180}, {true, 300, 70, 260}, {true, 600, 50, 500},
        {false, 70, 0, 260},  {false, 50, 0, 500}, {false, 100, 0, 180}, {false, 20, 300, 260},
    };
    for (const Case& c : cases) {
        const FRM_CRect got = c.byWidth ? sized.GetFitSizeFromWidth(c.length, c.limit)
                                        : sized.GetFitSizeFromHeight(c.length, c.limit);
        EXPECT_EQ(got.Width(), c.wantedWidth)
            << (c.byWidth ? "width " : "height ") << c.length << " limit " << c.limit;
    }
    EXPECT_EQ(sized.GetFitSize(4, 1).Width(), 260) << "nearest aspect";
    EXPECT_TRUE(sized.GetSizeToFitAttachmentPoint(itsFrame, Frame::ATTACH_ALL).IsEmpty());
    EXPECT_TRUE(sized.GetSizeToFitAttachmentPoint(itsFrame, Frame::ATTACH_NONE).IsEmpty());
    EXPECT_EQ(sized.GetSizeToFitAttachmentPoint(itsFrame, Frame::ATTACH_TOP).Width(), 260);
}

TEST_F(AttachmentTest, TheWindowsBorderAndClientRectangles)
{
    EXPECT_EQ(FRM_CAttachmentWindow::GetBorderSize(FRM_CRect(0, 0, 100, 20), 0, nullptr),
              FRM_CRect(0, 0, 108, 28));
    EXPECT_EQ(FRM_CAttachmentWindow::GetBorderSize(FRM_CRect(0, 0, 100, 20), 1, nullptr),
              FRM_CRect(0, 0, 108, 43));
    FRM_CAttachment* bar = Docked(Frame::ATTACH_TOP);
    FRM_CAttachmentWindow* window = bar->GetInternalWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetCommandWindow(), itsWindow);
    EXPECT_EQ(window->HasTitle(), 0) << "docked: no title";
    bar->Popup(itsWindow, 1);
    EXPECT_EQ(bar->GetInternalWindow(), window) << "popped up over the same window: reused";
    bar->SetSize(FRM_CRect(50, 50, 158, 93));
    EXPECT_EQ(window->GetClientRect(), FRM_CRect(4, 19, 104, 39));
    EXPECT_EQ(bar->GetSize(), FRM_CRect(50, 50, 158, 93)) << "popped up: in the window's terms";
    delete bar;
}

TEST_F(AttachmentTest, ABarTornOffItsEdgeFloatsAndDocksAgain)
{
    FRM_CAttachment* bar = Docked(Frame::ATTACH_TOP);
    FRM_CAttachmentWindow* window = bar->GetInternalWindow();
    ASSERT_EQ(Client().Top(), 28);

    // Pressed on its bare area and dropped in the middle: it floats over the window, titled,
    // where the outline was, and the client takes the whole frame again.
    Drag(bar, {50, 10}, {{60, 14}, {150, 120}, {200, 150}});
    EXPECT_EQ(bar->GetState(), FRM_CAttachment::AS_POPUP);
    EXPECT_EQ(bar->GetInternalWindow(), window);
    EXPECT_EQ(window->HasTitle(), 1);
    EXPECT_EQ(itsFrame->GetAttachments().size(), 0U);
    EXPECT_EQ(Client(), FRM_CRect(0, 0, 400, 300));
    EXPECT_EQ(bar->GetSize(), FRM_CRect(150, 140, 258, 183)) << "the outline's place";
    EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr) << "the drag released the pointer";

    // Dragged by its title bar to the left edge: docked there, untitled, the client beside it.
    Drag(bar, {60, 8}, {{61, 9}, {100, 150}, {3, 150}});
    EXPECT_EQ(bar->GetState(), FRM_CAttachment::AS_ATTACHED);
    EXPECT_EQ(bar->GetAttachmentPoint(), Frame::ATTACH_LEFT);
    EXPECT_EQ(window->HasTitle(), 0);
    EXPECT_EQ(bar->GetSize().Left(), 0);
    EXPECT_EQ(Client().Left(), bar->GetSize().Right());
    EXPECT_EQ(Client().Top(), 0);
    EXPECT_EQ(itsFrame->GetLastDragAttachmentPoint(), Frame::ATTACH_ALL);
}

TEST_F(AttachmentTest, ADropOnAFreeSpotOfItsOwnEdgeStaysThereAndOnAnotherBarRepacks)
{
    FRM_CAttachment* bar = Docked(Frame::ATTACH_TOP);
    // Held 10 px in, dropped further right along the band: it stays where it was dropped.
    Drag(bar, {10, 10}, {{12, 12}, {200, 12}, {250, 12}});
    EXPECT_EQ(bar->GetAttachmentPoint(), Frame::ATTACH_TOP);
    EXPECT_EQ(bar->GetSize(), FRM_CRect(240, 0, 348, 28));
    EXPECT_EQ(Client().Top(), 28);

    // A second bar packs in from the left; dropping the first onto it repacks the band.
    FRM_CAttachment* other = Docked(Frame::ATTACH_TOP);
    EXPECT_EQ(other->GetSize(), FRM_CRect(0, 0, 108, 28));
    EXPECT_EQ(bar->GetSize(), FRM_CRect(240, 0, 348, 28)) << "kept its place";
    Drag(bar, {10, 10}, {{12, 12}, {100, 12}, {40, 12}});
    EXPECT_EQ(bar->GetSize().Top(), 0);
    EXPECT_GE(bar->GetSize().Left(), other->GetSize().Right()) << "no overlap after repacking";
}

TEST_F(AttachmentTest, AnOutlineDrawnTwiceLeavesTheWindowAsItWas)
{
    FRM_CAttachment* bar = Docked(Frame::ATTACH_TOP);
    itsWindow->DoDraw(FRM_CObjectRWC::GetG()->GetMAXRect());
    WINDOW handle = itsWindow->GetVKOWindow();
    const unsigned before = vkov_debug_surface_pixel(handle, 150, 140);
    // The press and two moves: the second move draws the floating outline around (200, 150).
    Mouse(HandleOf(bar), E_MOUSE_DOWN, 50, 10);
    Mouse(handle, E_MOUSE_MOVE, 60, 14);
    Mouse(handle, E_MOUSE_MOVE, 200, 150);
    EXPECT_EQ(itsFrame->GetLastDragAttachmentPoint(), Frame::ATTACH_NONE);
    const FRM_CRect outline = itsFrame->GetLastDragRect();
    EXPECT_NE(vkov_debug_surface_pixel(handle, static_cast<int>(outline.Left()) + 1,
                                       static_cast<int>(outline.Top()) + 20),
              before) << "the outline shows";
    Mouse(handle, E_MOUSE_MOVE, 200, 10);   // over the top band: a docked outline
    EXPECT_EQ(itsFrame->GetLastDragAttachmentPoint(), Frame::ATTACH_TOP);
    EXPECT_EQ(vkov_debug_surface_pixel(handle, static_cast<int>(outline.Left()) + 1,
                                       static_cast<int>(outline.Top()) + 20),
              before) << "the floating outline is gone";
    Mouse(handle, E_MOUSE_MOVE, 5, 150);    // the left edge
    EXPECT_EQ(itsFrame->GetLastDragAttachmentPoint(), Frame::ATTACH_LEFT);
    Mouse(handle, E_MOUSE_UP, 5, 150);
    EXPECT_EQ(bar->GetAttachmentPoint(), Frame::ATTACH_LEFT);
}

TEST_F(AttachmentTest, ForbiddenEdgesNeverShowADockedOutline)
{
    FRM_CAttachment* bar = Docked(Frame::ATTACH_TOP);
    itsFrame->SetAttachmentPoints(static_cast<Frame::AttachmentPoint>(Frame::ATTACH_TOP |
                                                                      Frame::ATTACH_BOTTOM));
    WINDOW handle = itsWindow->GetVKOWindow();
    Mouse(HandleOf(bar), E_MOUSE_DOWN, 50, 10);
    Mouse(handle, E_MOUSE_MOVE, 60, 14);
    for (float h : {2.0F, 1.0F, 398.0F, 399.0F}) {
        Mouse(handle, E_MOUSE_MOVE, h, 150);
        EXPECT_EQ(itsFrame->GetLastDragAttachmentPoint(), Frame::ATTACH_NONE) << h;
    }
    Mouse(handle, E_MOUSE_MOVE, 200, 297);
    EXPECT_EQ(itsFrame->GetLastDragAttachmentPoint(), Frame::ATTACH_BOTTOM);
    Mouse(handle, E_MOUSE_UP, 200, 297);
    EXPECT_EQ(bar->GetAttachmentPoint(), Frame::ATTACH_BOTTOM);
    EXPECT_EQ(bar->GetSize().Bottom(), 300);
}

TEST_F(AttachmentTest, NarrowingTheEdgesFloatsOnlyWhatMayFloat)
{
    FrmErrorCapture errors;
    FRM_CAttachment* fixed = Docked(Frame::ATTACH_LEFT, 20, 60);
    auto* loose = new FloatingAttachment(Bar(20, 60, "Loose"));
    loose->IAttachment(1);
    loose->Attach(itsFrame, Frame::ATTACH_LEFT);
    const FRM_CRect before = loose->GetSize();

    itsFrame->SetAttachmentPoints(Frame::ATTACH_TOP);
    EXPECT_TRUE(errors.Reports().empty()) << "no fatal report for the one that stays";
    EXPECT_EQ(fixed->GetState(), FRM_CAttachment::AS_ATTACHED);
    EXPECT_EQ(loose->GetState(), FRM_CAttachment::AS_DETACHED);
    EXPECT_EQ(loose->GetExternalWindow()->HasTitle(), 1);
    // The same place on the screen: the frame's window origin in the task window's terms.
    FRM_CPoint corner(0, 0);
    corner.Translate(itsWindow, FRM_CObjectRWC::GetG()->GetTaskWin());
    EXPECT_EQ(loose->GetSize(), before + corner);
    EXPECT_EQ(itsFrame->GetAttachmentPoints(), Frame::ATTACH_TOP);
    EXPECT_EQ(itsFrame->GetAttachments(), std::vector<FRM_CAttachment*>{fixed});
    delete loose;

    // Explicit misuse stays refused.
    FRM_CAttachment* other = Docked(Frame::ATTACH_TOP);
    other->SetDetachable(1);
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{0, "catchmnt", errors.Reports()[0].line}}));
}

TEST_F(AttachmentTest, AssigningAnAttachmentLetsItsFramesGo)
{
    FRM_CAttachment registered(Bar());
    registered.RegisterSink(itsFrame, 0);
    const FRM_CAttachment plain(Bar(50, 20, "Plain"));
    registered = plain;   // the frame was its only source's sink: it must stay a view
    EXPECT_TRUE(registered.GetSinks().empty());
    EXPECT_TRUE(itsFrame->GetSources().empty());
    EXPECT_EQ(itsFrame->GetClientSubview()->GetEnclosure(), itsFrame);
    itsWindow->DoDraw(FRM_CObjectRWC::GetG()->GetMAXRect());
}

TEST_F(AttachmentTest, TheCloseBoxClosesOnlyWhenReleasedInside)
{
    auto* attachment = new FRM_CAttachment(Bar());
    attachment->RegisterSink(itsFrame, 0);
    attachment->Popup(itsWindow, 1);
    attachment->SetSize(FRM_CRect(40, 40, 148, 83));
    attachment->Show();
    FRM_CAttachmentWindow* window = attachment->GetInternalWindow();
    const FRM_CRect box = window->GetCloseRect();
    const FRM_CPoint inside(box.Left() + 2, box.Top() + 2);
    WINDOW handle = window->GetVKOWindow();

    Mouse(handle, E_MOUSE_DOWN, inside.H(), inside.V());
    EXPECT_EQ(window->IsCloseBoxDown(), 1);
    Mouse(handle, E_MOUSE_MOVE, 60, 30);
    EXPECT_EQ(window->IsCloseBoxDown(), 0) << "moved out: the box pops up";
    Mouse(handle, E_MOUSE_MOVE, inside.H(), inside.V());
    Mouse(handle, E_MOUSE_UP, inside.H(), inside.V());
    EXPECT_EQ(attachment->GetInternalWindow(), window) << "not closed";

    // Pressed and released inside: closed, and the view goes back to the window.
    Mouse(handle, E_MOUSE_DOWN, inside.H(), inside.V());
    Mouse(handle, E_MOUSE_UP, inside.H(), inside.V());
    EXPECT_EQ(attachment->GetInternalWindow(), nullptr);
    EXPECT_EQ(attachment->GetState(), FRM_CAttachment::AS_INITIAL);
    EXPECT_EQ(attachment->GetView()->GetEnclosure(), itsWindow);
    EXPECT_EQ(attachment->GetView()->IsVisible(), 0);
    delete attachment;
}

TEST_F(AttachmentTest, AFloatingWindowsCloseBoxAndTitleColour)
{
    // Detached at top level (no command window): the Win95 look of the Win32 platform.
    auto* attachment = new FloatingAttachment(Bar());
    attachment->Detach(1);
    attachment->SetSize(FRM_CRect(30, 30, 138, 73));
    attachment->Show();
    FRM_CAttachmentWindow* window = attachment->GetExternalWindow();
    ASSERT_NE(dynamic_cast<CWin95AttachmentWindow*>(window), nullptr);
    EXPECT_EQ(window->GetCloseRect(), FRM_CRect(92, 6, 102, 15)) << "at the right when built";
    attachment->SetSize(FRM_CRect(30, 30, 238, 73));
    EXPECT_EQ(window->GetCloseRect(), FRM_CRect(92, 6, 102, 15)) << "made wider: it stays";

    window->DoActivateWindow();
    EXPECT_EQ(window->GetTitleColor(), FRM_CAttachmentWindow::kActiveTitleColor);
    window->DoDeactivateWindow();
    EXPECT_EQ(window->GetTitleColor(), FRM_CAttachmentWindow::kInactiveTitleColor);

    // A window with a command window keeps its colour.
    FRM_CAttachment* docked = Docked(Frame::ATTACH_TOP);
    docked->GetInternalWindow()->DoActivateWindow();
    EXPECT_EQ(docked->GetInternalWindow()->GetTitleColor(),
              FRM_CAttachmentWindow::kInactiveTitleColor);
    delete attachment;
}

// A platform factory that builds the plain or the Mac look of floating windows.
template <class Look>
class LookFactory : public CPlatformFactory {
public:
    FRM_CAttachmentWindow* ConstructAttachmentWindow(FRM_CWindow* window, FRM_CAttachment* attachment,
                                                     short title) override
    {
        return new Look(window, attachment, title);
    }
};

// The plain look fills its title bar and frames its close box; the Mac look writes the title
// alone on the window's face, in the title colour so that it shows, and no close box (whose
// place still closes).
TEST_F(AttachmentTest, ThePlainAndTheMacLookOfAFloatingWindow)
{
    LookFactory<FRM_CAttachmentWindow> plain;
    LookFactory<CMacAttachmentWindow> mac;
    struct Case {
        const char* look;
        CPlatformFactory* factory;
        bool filledBar;
        bool drawnCloseBox;
    };
    const Case cases[] = {{"plain", &plain, true, true}, {"mac", &mac, false, false}};
    FRM_CFactoryMgr* factories = FRM_CObjectRWC::GetG()->GetFactoryMgr();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.look);
        factories->AddFactory(FRM_CFactoryMgr::kPlatform, c.factory);
        auto* attachment = new FloatingAttachment(Bar(100, 20, "W"));
        attachment->Detach(1);
        factories->RemoveFactory(FRM_CFactoryMgr::kPlatform, c.factory);
        attachment->SetSize(FRM_CRect(30, 30, 138, 73));
        attachment->Show();
        FRM_CAttachmentWindow* window = attachment->GetExternalWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(dynamic_cast<CMacAttachmentWindow*>(window) != nullptr, c.factory == &mac);
        WINDOW handle = window->GetVKOWindow();
        vko_dwin_invalidate_rect(handle, nullptr);
        vko_dwin_update(handle);
        auto pixel = [handle](int x, int y) { return vkov_debug_surface_pixel(handle, x, y) & 0xFFFFFFU; };
        const unsigned background = pixel(50, 35);
        const int right = static_cast<int>(window->GetFrame().Width()) - 8;
        EXPECT_EQ(pixel(right, 10) != background, c.filledBar) << "the end of the title bar";
        EXPECT_EQ(pixel(14, 14) != background, c.drawnCloseBox) << "the close box's shadow";
        bool text = false;
        for (int x = 17; x < right && !text; ++x)
            for (int y = 5; y < 17 && !text; ++y)
                text = pixel(x, y) != background && pixel(x, y) != pixel(right, 10);
        EXPECT_TRUE(text) << "the title is written";
        delete attachment;
    }
}

// A document that keeps its windows open.
class RefusingDocument : public frmtest::TestDocument {
public:
    using TestDocument::TestDocument;
    short CloseWindow(FRM_CWindow*) override { return 0; }
};

// Attachment windows of a document that refuses to close them.
class StubbornWindow : public FRM_CAttachmentWindow {
public:
    StubbornWindow(FRM_CWindow* enclosure, FRM_CAttachment* attachment, short title,
                   FRM_CDocument* document)
        : FRM_CAttachmentWindow(enclosure, attachment, title)
    {
        itsOwnDocument = itsDocument;
        itsDocument = document;
    }
    // Back to the document that lists it, which closes it at the end.
    void Release() { itsDocument = itsOwnDocument; }

private:
    FRM_CDocument* itsOwnDocument;
};

class StubbornFactory : public CPlatformFactory {
public:
    explicit StubbornFactory(FRM_CDocument* document) : itsDocument(document) {}
    FRM_CAttachmentWindow* ConstructAttachmentWindow(FRM_CWindow* window,
                                                     FRM_CAttachment* attachment,
                                                     short title) override
    {
        return new StubbornWindow(window, attachment, title, itsDocument);
    }

private:
    FRM_CDocument* itsDocument;
};

TEST_F(AttachmentTest, AWindowThatStaysOpenForgetsTheAttachmentItDeleted)
{
    auto* refusing = new RefusingDocument(itsApplication.get(), 5001);
    StubbornFactory factory(refusing);
    FRM_CFactoryMgr* factories = FRM_CObjectRWC::GetG()->GetFactoryMgr();
    factories->AddFactory(FRM_CFactoryMgr::kPlatform, &factory);
    FRM_CAttachment* bar = Docked(Frame::ATTACH_TOP);
    factories->RemoveFactory(FRM_CFactoryMgr::kPlatform, &factory);
    FRM_CAttachmentWindow* window = bar->GetInternalWindow();

    EXPECT_EQ(window->Close(), 0) << "the document keeps it";
    EXPECT_EQ(window->GetAttachment(), nullptr) << "the attachment was deleted with the close";
    EXPECT_TRUE(itsFrame->GetAttachments().empty());
    vkok_dwin_invalidate_rect(window->GetVKOWindow(), nullptr);
    vkok_app_process_pending_events();   // the window draws without the attachment
    static_cast<StubbornWindow*>(window)->Release();
}

TEST_F(AttachmentTest, AStatusBarDocksAtTheBottomOnly)
{
    FrmErrorCapture errors;
    auto* bar = new FRM_CStatusBar(itsWindow);
    bar->AppendField(1, FRM_CStringRW("Ready"), FRM_CStatusBar::kStretch);
    const float height = bar->GetFrame().Height();
    auto* attachment = new FRM_CStatusBarAttachment(itsFrame, bar);

    EXPECT_EQ(bar->IsAutoSized(), 0);
    int border = -1;
    bar->GetSpacingValues(&border, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(border, 0) << "no outer border of its own";
    EXPECT_EQ(attachment->GetState(), FRM_CAttachment::AS_ATTACHED);
    EXPECT_EQ(attachment->GetBestSize(), FRM_CRect(0, 0, 392, height));
    EXPECT_EQ(attachment->GetAllFitSizes().size(), 1U);
    EXPECT_EQ(attachment->GetAllFitSizes().size(), 1U) << "asked twice: still one";
    EXPECT_EQ(attachment->GetSize(), FRM_CRect(0, 300 - height - 8, 400, 300));
    EXPECT_EQ(bar->GetFrame(), FRM_CRect(4, 4, 396, 4 + height));
    EXPECT_EQ(Client().Bottom(), 300 - height - 9);
    EXPECT_EQ(attachment->IsDraggable(), 0);
    ASSERT_EQ(bar->GetNumFields(), 1U) << "the field moved with the bar into its window";
    EXPECT_EQ(bar->GetField(1)->GetEnclosure(), bar);

    // Narrowing the edges leaves it docked: it may not float.
    itsFrame->SetAttachmentPoints(Frame::ATTACH_TOP);
    EXPECT_TRUE(errors.Reports().empty());
    EXPECT_EQ(attachment->GetState(), FRM_CAttachment::AS_ATTACHED);

    attachment->Attach(itsFrame, Frame::ATTACH_TOP);
    attachment->Detach(1);
    attachment->Popup(itsWindow, 1);
    std::vector<long> codes;
    for (const FrmReport& report : errors.Take())
        codes.push_back(report.code);
    EXPECT_EQ(codes, (std::vector<long>{32300, 32301, 32302}));
    EXPECT_EQ(attachment->GetAttachmentPoint(), Frame::ATTACH_BOTTOM) << "refused, not moved";
}

} // namespace
