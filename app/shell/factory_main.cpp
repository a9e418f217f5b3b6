// factory_main.cpp: the factory's main reference window: its status bar with the result
// count and the help line, the previous and next entry buttons, the logo and the reference
// selector.
#include "app/shell/factory_layout.h"
#include "app/shell/main_ref_win.h"
#include "ruk/static/vkoruk.h"

namespace factory {
namespace {

using VC = ViewClass;
constexpr long kNo = kNoCommand;

constexpr WindowElement kMain{1018, 1018, 1010, 0, 6, 1, 14, 50, 782, 573, 0x93, W_DOC, 1,
                              VKO_ATTR_SCREEN_WINDOW, 0, false, false, MakeWindowOf<MainRefWin>};
constexpr ViewElement kStatusBar{1054, 1018,       0, 6, VC::kStatusBar, 0, 0, 0, 0, 0, kNo,
                                 kNo,  0xFF00FFFF, 0, 0, true,           0};
constexpr ViewElement kCount{1374, 1054, 0,   2,          VC::kText, 12, 4,    162, 22,
                             1133, kNo,  kNo, 0xFFFF0000, 0,         0,  true, 0};
constexpr ViewElement kHelpLine{1376, 1054, 1,   2,          VC::kText, 182, 4.5F, 612, 21.5F,
                                1141, kNo,  kNo, 0xFFFF0000, 0,         0,   true, 0};
constexpr ViewElement kPrevious{
    1056, 1018, 1, 6, VC::kPictureButton, 3, 4, 49, 43, 0, 99, kNo, 0xFFFF0000, 0, 0, false, 1003};
constexpr ViewElement kNext{
    1057, 1018, 2, 6, VC::kPictureButton, 53, 4, 99, 43, 0, 98, kNo, 0xFFFF0000, 0, 0, false, 1005};
constexpr ViewElement kLogo{1059, 1018,       3, 6, VC::kPicture, 540, 10, 760, 47, 0, kNo,
                            kNo,  0x00FFFF00, 0, 0, true,         1007};
constexpr ViewElement kSelector{
    1060, 1018, 4, 6, VC::kListButton, 230, 10, 500, 149, 0, 95, kNo, 0xFFFF0000, 0, 2, true, 0};
constexpr ViewElement kSelectorLabel{1356, 1018, 5,   6,          VC::kText, 110, 13.5F, 225, 31.5F,
                                     1061, kNo,  kNo, 0xFFFF0000, 0,         0,   true,  0};

} // namespace

void RegisterMainWindow(KQedAppFactory& f)
{
    AddWindow<kMain>(f);
    AddView<kStatusBar>(f);
    AddView<kCount>(f);
    AddView<kHelpLine>(f);
    AddView<kPrevious>(f);
    AddView<kNext>(f);
    AddView<kLogo>(f);
    AddView<kSelector>(f);
    AddView<kSelectorLabel>(f);
}

} // namespace factory
