// Tests of the face navigator's preset: Tab forward, back-tab backward, leaving at the ends.
#include "frm/controls/cfacenav.h"

#include <gtest/gtest.h>

namespace {

TEST(FaceNavigatorTest, TabAndBackTabStepThroughTheFace)
{
    const FRM_CFaceNavigator navigator;
    EXPECT_EQ(navigator.GetMovement(FRM_CKey(9, 0, 0, 0, 0)), FRM_CCourse(0, FRM_CCourse::kReach1));
    EXPECT_EQ(navigator.GetMovement(FRM_CKey(FRM_CKey::kVirtual, 315)),
              FRM_CCourse(180, FRM_CCourse::kReach1));
    EXPECT_EQ(navigator.GetMovement(FRM_CKey(13, 0, 0, 0, 0)), FRM_CNavigator::NoMovement());
    EXPECT_EQ(navigator.GetEndJump(), FRM_CNavigator::kEndToParent);
    const FRM_CFaceNavigator copy(navigator);
    EXPECT_EQ(copy.GetMovement(FRM_CKey(9, 0, 0, 0, 0)), FRM_CCourse(0, FRM_CCourse::kReach1));
}

} // namespace
