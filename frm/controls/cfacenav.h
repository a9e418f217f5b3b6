// cfacenav.h: FRM_CFaceNavigator, the keyboard navigator of a face (a window or view built
// from a resource): Tab steps forward through the tab stops, back-tab steps backward, and the
// end of the list leaves to the parent navigator.
#pragma once

#include "frm/runtime/cnav.h"

class FRM_CFaceNavigator : public FRM_CNavigator {
public:
    explicit FRM_CFaceNavigator(FRM_CSubview* theEnclosure = nullptr);
    FRM_CFaceNavigator(const FRM_CFaceNavigator& other) = default;
    FRM_CFaceNavigator& operator=(const FRM_CFaceNavigator& other) = default;
    ~FRM_CFaceNavigator() override = default;
};
