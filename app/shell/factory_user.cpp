// factory_user.cpp: the factory's preferences window and bookmark organiser.
#include "app/shell/book_win.h"
#include "app/shell/factory_layout.h"
#include "app/shell/pref_win.h"
#include "ruk/static/vkoruk.h"

namespace factory {
namespace {

using VC = ViewClass;
constexpr long kNo = kNoCommand;

constexpr WindowElement kPreferences{1016, 1016, 1009, 0, 2, 0, 285, 150, 585, 450, 0x800,
                                     W_MODAL, 0, VKO_ATTR_SCREEN_WINDOW, 1071, true, false,
                                     MakeWindowOf<PrefWin>};
constexpr ViewElement kPrefOk{1081, 1016,  0,   3,          VC::kButton, 10, 265,  80, 290,
                              1228, 10012, kNo, 0xFFFF0000, 8,           0,  true, 0};
constexpr ViewElement kPrefCancel{1083, 1016,  1,   3,          VC::kButton, 220, 265,  290, 290,
                                  1238, 10014, kNo, 0xFFFF0000, 0,           0,   true, 0};
constexpr ViewElement kPrefApply{1085, 1016,  2,   3,          VC::kButton, 115, 265,  185, 290,
                                 1246, 10013, kNo, 0xFFFF0000, 0,           0,   true, 0};

constexpr WindowElement kBookmarks{1017, 1017, 1009, 1, 2, 0, 178.413F, 71.3325F, 668.413F,
                                   521.332F, 0x800, W_MODAL, 0, VKO_ATTR_SCREEN_WINDOW, 1145,
                                   true, false, MakeWindowOf<BookWin>};
constexpr ViewElement kBookText1{1260, 1017, 0,   9,          VC::kText, 10, 11,   480, 29,
                                 1186, kNo,  kNo, 0xFFFF0000, 0,         0,  true, 0};
constexpr ViewElement kBookText2{1262, 1017, 1,   9,          VC::kText, 10, 29,   480, 47,
                                 1192, kNo,  kNo, 0xFFFF0000, 0,         0,  true, 0};
constexpr ViewElement kBookText3{1264, 1017, 2,   9,          VC::kText, 10, 47,   480, 65,
                                 1202, kNo,  kNo, 0xFFFF0000, 0,         0,  true, 0};
constexpr ViewElement kBookTree{1268, 1017,       3, 9, VC::kTreeView, 10, 75, 480, 405, 1008, kNo,
                                kNo,  0xFFFFFFFF, 0, 1, true,          0};
constexpr ViewElement kBookDelete{1270, 1017,  4,   9,          VC::kButton, 10, 415,  90, 440,
                                  1216, 11001, kNo, 0xFF0000FF, 0,           0,  true, 0};
constexpr ViewElement kBookSort{1272, 1017,  5,   9,          VC::kButton, 97, 415,  177, 440,
                                1224, 11002, kNo, 0xFF0000FF, 0,           0,  true, 0};
constexpr ViewElement kBookFolder{1274, 1017,  6,   9,          VC::kButton, 185, 415,  305, 440,
                                  1234, 11003, kNo, 0xFF00FFFF, 0,           0,   true, 0};
constexpr ViewElement kBookHelp{1276, 1017,  7,   9,          VC::kButton, 313, 415,  393, 440,
                                1242, 11004, kNo, 0x0000FFFF, 0,           0,   true, 0};
constexpr ViewElement kBookOk{1278, 1017,  8,   9,          VC::kButton, 400, 415,  480, 440,
                              1250, 11005, kNo, 0x0000FFFF, 8,           0,   true, 0};

} // namespace

void RegisterUserWindows(KQedAppFactory& f)
{
    AddWindow<kPreferences>(f);
    AddView<kPrefOk>(f);
    AddView<kPrefCancel>(f);
    AddView<kPrefApply>(f);
    AddWindow<kBookmarks>(f);
    AddView<kBookText1>(f);
    AddView<kBookText2>(f);
    AddView<kBookText3>(f);
    AddView<kBookTree>(f);
    AddView<kBookDelete>(f);
    AddView<kBookSort>(f);
    AddView<kBookFolder>(f);
    AddView<kBookHelp>(f);
    AddView<kBookOk>(f);
}

} // namespace factory
