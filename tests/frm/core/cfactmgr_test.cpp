// Tests of the factory manager: stacks per kind, delegation down a stack, the one-entry
// cache after pushes and removals, and kinds outside the fixed range.
#include "frm/core/cfactmgr.h"

#include <gtest/gtest.h>

#include "../support/frm_error_capture.h"

namespace {

class FactoryMgrTest : public ::testing::Test {
protected:
    FRM_CFactoryMgr manager;
    CFactory a, b, c;
};

TEST_F(FactoryMgrTest, Stack_TopAnswersFirstAndDelegatesDown)
{
    manager.AddFactory(1, &a);
    manager.AddFactory(1, &b);
    EXPECT_EQ(manager.GetFactory(1), &b);
    EXPECT_EQ(manager.GetNextFactory(1, &b), &a);
    EXPECT_EQ(manager.GetNextFactory(1, &a), nullptr) << "the bottom delegates to nobody";
    EXPECT_EQ(manager.GetNextFactory(1, &c), nullptr) << "a factory not on the stack";
    EXPECT_EQ(manager.GetFactory(2), nullptr) << "a kind nobody installed";
}

TEST_F(FactoryMgrTest, Cache_FollowsPushesAndRemovals)
{
    struct Step {
        const char* why;
        enum { Add, Remove } what;
        CFactory* factory;
        CFactory* expectedTop;
    };
    const Step steps[] = {
        {"first factory", Step::Add, &a, &a},
        {"a push after a cached lookup answers the new top", Step::Add, &b, &b},
        {"removing the cached top answers the one below", Step::Remove, &b, &a},
        {"the same factory pushed twice", Step::Add, &a, &a},
        {"removing it takes only the upper entry", Step::Remove, &a, &a},
        {"removing the last leaves the kind empty", Step::Remove, &a, nullptr},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        if (s.what == Step::Add)
            manager.AddFactory(4, s.factory);
        else
            manager.RemoveFactory(4, s.factory);
        EXPECT_EQ(manager.GetFactory(4), s.expectedTop);
    }
}

TEST_F(FactoryMgrTest, OtherKinds_GetAStackOnFirstUseThatGoesWithItsLastFactory)
{
    EXPECT_EQ(manager.GetFactory(40), nullptr);
    EXPECT_TRUE(manager.HasStackFor(40));
    manager.AddFactory(40, &a);
    manager.AddFactory(-3, &b);
    EXPECT_EQ(manager.GetFactory(40), &a);
    EXPECT_EQ(manager.GetFactory(-3), &b);
    manager.RemoveFactory(40, &a);
    EXPECT_FALSE(manager.HasStackFor(40));
    EXPECT_EQ(manager.GetFactory(40), nullptr);
}

TEST_F(FactoryMgrTest, NullFactory_IsFatal)
{
    FrmErrorCapture errors;
    manager.AddFactory(0, nullptr);
    manager.RemoveFactory(0, nullptr);
    EXPECT_EQ(errors.Take(),
              (std::vector<FrmReport>{{0, "cfactmgr", 195}, {0, "cfactmgr", 205}}));
    EXPECT_EQ(manager.GetFactory(0), nullptr);
}

} // namespace
