// factory_image.cpp: the factory's illustration and table windows.
#include "app/display/image_win.h"
#include "app/shell/factory_layout.h"
#include "app/shell/table_win.h"
#include "ruk/static/vkoruk.h"

namespace factory {
namespace {

using VC = ViewClass;
constexpr long kNo = kNoCommand;

constexpr WindowElement kImage{1027, 1027, 1010, 3, 6, 0, 50, 50, 555, 535, 0x93, W_DOC, 1,
                               VKO_ATTR_SCREEN_WINDOW, 0, false, true, MakeWindowOf<ImageWin>};
constexpr ViewElement kImScroller{1399, 1027,       0, 2, VC::kScroller, 5, 33, 501, 385, 0, kNo,
                                  kNo,  0xFFFFFF00, 0, 4, true,          0};
constexpr ViewElement kImPrint{1401, 1027, 1,    2,   VC::kPictureButton, 456, 3, 483,
                               30,   0,    5002, kNo, 0x0000FF00,         0,   0, true,
                               1009};

constexpr WindowElement kTable{1028, 1028, 1010, 4, 6, 0, 50, 50, 550, 505, 0x93, W_DOC, 1,
                               VKO_ATTR_SCREEN_WINDOW, 0, false, true, MakeWindowOf<TableWin>};
constexpr ViewElement kTaPrint{1405, 1028, 0,    2,   VC::kPictureButton, 453, 2, 480,
                               29,   0,    6001, kNo, 0x00FFFF00,         0,   0, true,
                               1011};
constexpr ViewElement kTaScroller{1406, 1028,       1, 2, VC::kScroller, 3, 31, 499, 453, 0, kNo,
                                  kNo,  0xFFFFFFFF, 0, 0, true,          0};

} // namespace

void RegisterImageWindows(KQedAppFactory& f)
{
    AddWindow<kImage>(f);
    AddView<kImScroller>(f);
    AddView<kImPrint>(f);
    AddWindow<kTable>(f);
    AddView<kTaPrint>(f);
    AddView<kTaScroller>(f);
}

} // namespace factory
