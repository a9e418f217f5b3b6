// factory_search.cpp: the factory's spelling help, search status and history windows.
#include "app/shell/factory_layout.h"
#include "app/shell/search_win.h"
#include "app/shell/sp_help_win.h"
#include "app/shell/w_hist_win.h"
#include "ruk/static/vkoruk.h"

namespace factory {
namespace {

using VC = ViewClass;
constexpr long kNo = kNoCommand;

// The spelling help and history dialogs are top-level windows of the screen, like the other
// modal dialogs: made after the main windows, they come up in front of them.
constexpr WindowElement kSpelling{1025,  1025,
                                  1010,  1,
                                  6,     0,
                                  250,   50,
                                  550,   380,
                                  0x800, W_MODAL,
                                  0,     VKO_ATTR_SCREEN_WINDOW,
                                  1089,  true,
                                  false, MakeWindowOf<SpHelpWin>};
constexpr ViewElement kSpList{1248, 1025,       0, 5, VC::kListBox, 9, 45, 290, 280, 0, 9001,
                              9002, 0xFFFF0000, 0, 3, true,         0};
constexpr ViewElement kSpOk{1250, 1025, 1,   5,          VC::kButton, 10, 290,  90, 320,
                            1147, 9002, kNo, 0xFFFF0000, 8,           0,  true, 0};
constexpr ViewElement kSpHelp{1252, 1025, 2,   5,          VC::kButton, 110, 290,  190, 320,
                              1155, 9003, kNo, 0xFFFF0000, 0,           0,   true, 0};
constexpr ViewElement kSpCancel{1254, 1025, 3,   5,          VC::kButton, 210, 290,  290, 320,
                                1161, 9004, kNo, 0xFFFF0000, 0,           0,   true, 0};
constexpr ViewElement kSpField{1257, 1025,       4, 5, VC::kEditField, 10, 10, 290, 35, 0, kNo,
                               kNo,  0xFFFF0000, 0, 3, true,           0};

// Made far outside any screen: the window comes into view only for a long search.
constexpr WindowElement kStatus{1026,  1026,
                                1010,  2,
                                6,     0,
                                6225,  6250,
                                6650,  6506,
                                0x800, W_MODAL,
                                0,     VKO_ATTR_SCREEN_WINDOW,
                                1095,  true,
                                false, MakeWindowOf<SearchWin>};
constexpr ViewElement kStop{1235, 1026, 0,   9,          VC::kButton, 176, 224,  256, 249,
                            1085, 8001, kNo, 0xFFFF0000, 8,           0,   true, 0};
constexpr ViewElement kProgress{1243, 1026,       1, 9, VC::kRectangle, 119, 195, 405, 212, 0, kNo,
                                kNo,  0xFFFF0000, 0, 4, true,           0};
constexpr ViewElement kInLabel{1362, 1026, 2,   9,          VC::kText, 10, 20,   110, 38,
                               1081, kNo,  kNo, 0xFFFF0000, 0,         0,  true, 0};
constexpr ViewElement kForLabel{1364, 1026, 3,   9,          VC::kText, 10, 50,   110, 68,
                                1091, kNo,  kNo, 0xFFFF0000, 0,         0,  true, 0};
constexpr ViewElement kFoundLabel{1366, 1026, 4,   9,          VC::kText, 10, 155,  110, 173,
                                  1099, kNo,  kNo, 0xFFFF0000, 0,         0,  true, 0};
constexpr ViewElement kSearching{1368, 1026, 5,   9,          VC::kText, 9, 195,  99, 213,
                                 1109, kNo,  kNo, 0xFFFF0000, 0,         0, true, 0};
constexpr ViewElement kFound{1370, 1026, 6,   9,          VC::kText, 121, 155,  405, 190,
                             1117, kNo,  kNo, 0xFFFF0000, 0,         5,   true, 0};
constexpr ViewElement kDictionary{1372, 1026, 7,   9,          VC::kText, 120, 19,   410, 37,
                                  1125, kNo,  kNo, 0xFFFF0000, 0,         0,   true, 0};
constexpr ViewElement kQuery{
    1484, 1026, 8, 9, VC::kScrollText, 120, 54, 401, 142, 0, kNo, kNo, 0xFFFF0000, 0, 4, true, 0};

constexpr WindowElement kHistory{1029, 1029, 1010, 5, 6, 0, 425, 50, 749, 419, 0x800, W_MODAL, 0,
                                 VKO_ATTR_SCREEN_WINDOW, 1149, true, false, MakeWindowOf<WHistWin>};
constexpr ViewElement kHiList{1217, 1029,       0, 4, VC::kListBox, 9, 14, 314, 313, 0, 7004,
                              7003, 0xFFFF0000, 0, 6, true,         0};
constexpr ViewElement kHiOk{1221, 1029, 1,   4,          VC::kButton, 9, 323,  89, 348,
                            1028, 7005, kNo, 0xFFFF0000, 8,           0, true, 0};
constexpr ViewElement kHiHelp{1223, 1029, 2,   4,          VC::kButton, 118, 323,  198, 348,
                              1038, 7006, kNo, 0xFFFF0000, 0,           0,   true, 0};
constexpr ViewElement kHiCancel{1225, 1029, 3,   4,          VC::kButton, 234, 323,  314, 348,
                                1048, 7007, kNo, 0xFFFF0000, 0,           0,   true, 0};

} // namespace

void RegisterSearchWindows(KQedAppFactory& f)
{
    AddWindow<kSpelling>(f);
    AddView<kSpList>(f);
    AddView<kSpOk>(f);
    AddView<kSpHelp>(f);
    AddView<kSpCancel>(f);
    AddView<kSpField>(f);
    AddWindow<kStatus>(f);
    AddView<kStop>(f);
    AddView<kProgress>(f);
    AddView<kInLabel>(f);
    AddView<kForLabel>(f);
    AddView<kFoundLabel>(f);
    AddView<kSearching>(f);
    AddView<kFound>(f);
    AddView<kDictionary>(f);
    AddView<kQuery>(f);
    AddWindow<kHistory>(f);
    AddView<kHiList>(f);
    AddView<kHiOk>(f);
    AddView<kHiHelp>(f);
    AddView<kHiCancel>(f);
}

} // namespace factory
