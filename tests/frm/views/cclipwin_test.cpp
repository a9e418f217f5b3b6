// Tests of clip windows in a real window: the clipped and owner areas of a view half outside
// its enclosure, the heights taken for list controls, pointer events handed on to the
// owner's window at its coordinates, and destruction after the toolkit's own.
#include "frm/views/cclipwin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

// A view that notes where presses reach it.
class Pressed : public FRM_CView {
public:
    using FRM_CView::FRM_CView;
    void MouseDown(FRM_CPoint point, short, short, short) override
    {
        ++itsPresses;
        itsPoint = point;
    }
    int itsPresses = 0;
    FRM_CPoint itsPoint;
};

class ClipWindowTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("clips", 300, 200);
        itsBox = new FRM_CSubview(itsWindow, FRM_CRect(20, 20, 120, 120));
        // Half of it lies right of the box.
        itsOwner = new Pressed(itsBox, FRM_CRect(60, 10, 140, 30), FRM_CStringRW("owner"));
    }

    FRM_CWindow* itsWindow = nullptr;
    FRM_CSubview* itsBox = nullptr;
    Pressed* itsOwner = nullptr;
};

bool Same(const s_rct& a, const s_rct& b)
{
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

TEST_F(ClipWindowTest, ClipCoversOnlyTheVisiblePart)
{
    FRM_CClipWindow clip(itsOwner, 17, 1);
    EXPECT_TRUE(Same(clip.GetClippedRect(), s_rct{30, 80, 50, 120}));
    EXPECT_TRUE(Same(clip.GetOwnerRect(), s_rct{0, 0, 20, 80}));
    s_rct outer{};
    vko_vobj_get_outer_rect(clip.GetVKOWindow(), &outer);
    EXPECT_EQ(outer.right - outer.left, 40);

    itsOwner->Size(FRM_CRect(20, 10, 100, 30));    // now wholly inside the box
    clip.Size(frm_views::MaxRect());
    EXPECT_TRUE(Same(clip.GetClippedRect(), s_rct{30, 40, 50, 120}));
}

TEST_F(ClipWindowTest, PointerEventsReachTheOwnersWindowAtItsCoordinates)
{
    FRM_CClipWindow clip(itsOwner, 17, 1);
    EVENT press{};
    press.type = E_MOUSE_DOWN;
    press.v.mouse.where = s_pnt{5, 10};    // in the clip window: (90, 35) in the window
    press.v.mouse.button = 1;
    EXPECT_EQ(hookClipWindowEventHandler(clip.GetVKOWindow(), &press) >= 0, true);
    ASSERT_EQ(itsOwner->itsPresses, 1);
    EXPECT_EQ(itsOwner->itsPoint, FRM_CPoint(10, 5));    // local to the owner at (80, 30)
    EVENT other{};
    other.type = E_SIZE;
    EXPECT_EQ(hookClipWindowEventHandler(clip.GetVKOWindow(), &other), 0);
}

TEST_F(ClipWindowTest, ListControlsTakeTheToolkitsClipHeight)
{
    struct Case {
        const char* why;
        e_win_type type;
        int attribute;
    };
    const Case cases[] = {{"list button", 20, 202}, {"list edit", 21, 202}, {"static text", 18, 206}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CClipWindow clip(itsOwner, c.type, 1);
        const int height = static_cast<int>(vko_vobj_get_attr(nullptr, c.attribute));
        clip.UpdateSize(clip.GetVKOWindow(), 0);
        const s_rct& area = clip.GetClippedRect();
        EXPECT_EQ(area.bottom - area.top, height);    // not the control's own 20
    }
}

// The toolkit destroys a clip window with the window it lies in, before its native view
// deletes the clip: the delete then asks nothing of the gone handle (the checking layer would
// report it) and leaves every other window alone, also one made since in the same place.
TEST_F(ClipWindowTest, AToolkitWindowAlreadyGoneIsNotDestroyedAgain)
{
    std::vector<std::uint32_t> reports;
    vkov_test_set_errmsg_hook(
        [](WINDOW, std::int32_t, std::uint32_t code, const char*, std::int32_t, void* context) {
            static_cast<std::vector<std::uint32_t>*>(context)->push_back(code);
        },
        &reports);
    auto* clip = new FRM_CClipWindow(itsOwner, 17, 1);
    vko_vobj_destroy(clip->GetVKOWindow());
    FRM_CClipWindow other(itsOwner, 17, 1);
    delete clip;
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    EXPECT_EQ(reports, std::vector<std::uint32_t>{}) << "nothing asked of the gone window";
    EXPECT_TRUE(vko_vobj_is_valid(other.GetVKOWindow())) << "the window made since lives on";
    EXPECT_TRUE(vko_vobj_is_valid(itsWindow->GetVKOWindow()));
}

} // namespace
