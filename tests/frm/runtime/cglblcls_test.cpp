// Tests of the global class library: the shared constants, the hidden window made once, a
// replacement desktop that takes over the windows, and refused null managers.
#include "frm/runtime/cglblcls.h"

#include <gtest/gtest.h>

#include <cfloat>

#include "../support/frm_app_fixture.h"
#include "../support/frm_error_capture.h"
#include "frm/runtime/cdesktop.h"
#include "frm/core/crgn.h"
#include "frm/views/csubmenu.h"

namespace {

class GlobalClassLibTest : public frmtest::AppFixture {
protected:
    FRM_CGlobalClassLib* G() const { return FRM_CObjectRWC::GetG(); }
};

TEST_F(GlobalClassLibTest, Constants_AreTheSharedValues)
{
    EXPECT_EQ(G()->GetMAXRect(), FRM_CRect(FLT_MIN, FLT_MIN, FLT_MAX, FLT_MAX));
    EXPECT_EQ(G()->GetMENUSeparator().IsSeparator(), 1);
    EXPECT_EQ(static_cast<unsigned short>(G()->GetMENUSeparator().GetTag()), 65535);
    EXPECT_EQ(G()->GetSTDFont().GetSize(), 12);
    EXPECT_STREQ(G()->GetSTDFont().GetFamily().data(), "system");
    EXPECT_EQ(G()->GetNULLString().length(), 0u);
    EXPECT_TRUE(G()->GetNULLCRegion().IsEmpty());
    EXPECT_EQ(G()->GetApplication(), itsApplication.get());
}

TEST_F(GlobalClassLibTest, HiddenWindow_IsMadeOnceForTheTaskDocument)
{
    FRM_CWindow* hidden = G()->GetHiddenWindow();
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(G()->GetHiddenWindow(), hidden);
    EXPECT_EQ(hidden->GetDocument(), itsApplication->FindDocument(FRM_CApplication::kTaskDocId));
    EXPECT_EQ(vko_vobj_get_type(hidden->GetVKOWindow()), 1);
}

TEST_F(GlobalClassLibTest, SetDesktop_TakesOverTheWindowsOfTheOldOne)
{
    FRM_CWindow* window = NewWindow();
    const int count = G()->GetDesktop()->GetNumWindows();
    auto* replacement = new FRM_CDesktop(itsApplication.get()); // the library's now
    G()->SetDesktop(replacement);
    EXPECT_EQ(G()->GetDesktop(), replacement);
    EXPECT_EQ(replacement->GetNumWindows(), count);
    EXPECT_EQ(replacement->FindWindow(window), 1);
}

TEST_F(GlobalClassLibTest, NullManagers_AreFatal)
{
    FrmErrorCapture errors;
    G()->SetDesktop(nullptr);
    G()->SetPrintMgr(nullptr);
    EXPECT_EQ(errors.Take(),
              (std::vector<FrmReport>{{500, "cglblcls", 98}, {501, "cglblcls", 133}}));
    EXPECT_NE(G()->GetDesktop(), nullptr);
    EXPECT_NE(G()->GetPrintMgr(), nullptr);
}

} // namespace
