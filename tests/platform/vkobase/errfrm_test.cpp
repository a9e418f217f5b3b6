// errfrm_test.cpp: the error frame's nesting and the report call.
#include <string>

#include "core_test_support.h"

namespace {

using vkotest::CoreTest;
using vkotest::reports;

class ErrfrmTest : public CoreTest {};

TEST_F(ErrfrmTest, MarksNestAndBalance) {
    EXPECT_EQ(vkov_test_errfrm_depth(), 0);
    EXPECT_EQ(vkov_test_errfrm_top(), nullptr);
    vkov_errfrm_mark_API("vko_outer");
    vkov_errfrm_mark_API("vko_inner");
    EXPECT_EQ(vkov_test_errfrm_depth(), 2);
    EXPECT_STREQ(vkov_test_errfrm_top(), "vko_inner");
    vkov_errfrm_unmark_API();
    EXPECT_STREQ(vkov_test_errfrm_top(), "vko_outer");
    vkov_errfrm_unmark_API();
    vkov_errfrm_unmark_API(); // one too many is harmless
    EXPECT_EQ(vkov_test_errfrm_depth(), 0);
}

TEST_F(ErrfrmTest, MarkedNamesAreCopiesCutToAnEntryPointsLength) {
    char name[] = "vko_caller";
    vkov_errfrm_mark_API(name);
    name[0] = 'X';
    EXPECT_STREQ(vkov_test_errfrm_top(), "vko_caller") << "the mark keeps its own copy";
    const std::string longer(200, 'n');
    vkov_errfrm_mark_API(longer.c_str());
    EXPECT_EQ(std::string(vkov_test_errfrm_top()), longer.substr(0, 47));
    vkov_errfrm_mark_API(nullptr);
    EXPECT_STREQ(vkov_test_errfrm_top(), "");
    for (int i = 0; i < 3; ++i)
        vkov_errfrm_unmark_API();
    EXPECT_EQ(vkov_test_errfrm_depth(), 0);
}

TEST_F(ErrfrmTest, CallbackFrame_ClosesWhatWasMarkedInsideAndShieldsTheCaller) {
    WINDOW doc = make_doc();
    vkov_errfrm_mark_API("vko_caller");
    const intptr_t frame = vkov_errfrm_init(doc, 1);
    ASSERT_NE(frame, 0);
    vkov_errfrm_mark_API("vko_in_callback"); // left marked by a faulty callback
    vkov_errfrm_unmark_API();
    vkov_errfrm_unmark_API(); // cannot pop past the frame
    vkov_errfrm_mark_API("vko_left_open");
    vkov_errfrm_destroy(frame);
    EXPECT_EQ(vkov_test_errfrm_depth(), 1);
    EXPECT_STREQ(vkov_test_errfrm_top(), "vko_caller");
    vkov_errfrm_unmark_API();
}

TEST_F(ErrfrmTest, Dispatch_GoesToTheHookOrToStandardErrorAsOneLine) {
    WINDOW doc = make_doc();
    vkov_errmsg_dispatch(doc, 2, 0x1220002, "twin", 12);
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].obj, doc);
    EXPECT_EQ(reports()[0].severity, 2);
    EXPECT_EQ(reports()[0].code, 0x1220002u);

    vkov_test_set_errmsg_hook(nullptr, nullptr);
    vkov_errfrm_mark_API("vko_win_create");
    testing::internal::CaptureStderr();
    vkov_errmsg_dispatch(nullptr, 1, 0x1240003, "twin", 34);
    const std::string out = testing::internal::GetCapturedStderr();
    vkov_errfrm_unmark_API();
    EXPECT_NE(out.find("0x1240003"), std::string::npos);
    EXPECT_NE(out.find("vko_win_create"), std::string::npos);
    EXPECT_NE(out.find("twin"), std::string::npos);
    EXPECT_EQ(out.find('\n'), out.size() - 1);
    EXPECT_EQ(reports().size(), 1u);
}

} // namespace
