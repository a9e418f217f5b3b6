// cfacenav.cpp: the face navigator's key bindings.
#include "frm/controls/cfacenav.h"

namespace {

constexpr std::uint16_t kTab = 9;
constexpr std::uint16_t kBackTab = 315;

} // namespace

FRM_CFaceNavigator::FRM_CFaceNavigator(FRM_CSubview* theEnclosure)
    : FRM_CNavigator(theEnclosure)
{
    DefineMovement(FRM_CKey(kTab, 0, 0, 0, 0), FRM_CCourse(0, FRM_CCourse::kReach1));
    DefineMovement(FRM_CKey(FRM_CKey::kVirtual, kBackTab), FRM_CCourse(180, FRM_CCourse::kReach1));
    SetEndJump(kEndToParent);
}
