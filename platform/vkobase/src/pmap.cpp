// pmap.cpp: pixmaps, off-screen drawable windows. A pixmap is a hidden window record of type
// W_PIXMAP (flag 0x400) under the screen window, with a surface of its own that the dwin
// family draws into and draws from; it is destroyed as any visible object is.
#include "vkobase/pmap.h"

#include "window_internal.h"

extern "C" {

// The window only says which display the pixmap is for; there is one here, so any live
// window will do. The kind is not used: every pixmap holds full colour.
WINDOW vkok_pmap_create(WINDOW win, int32_t, int16_t width, int16_t height, int32_t) noexcept {
    if (!vkobase::win_is_live(win) || width <= 0 || height <= 0)
        return nullptr;
    vkobase::WinCreateArgs args;
    args.type = W_PIXMAP;
    args.rct = s_rct{0, 0, height, width};
    args.flags = VKO_WSF_INVISIBLE;
    args.send_create = false;
    WINDOW pmap = vkobase::win_create_record(args);
    if (pmap != nullptr)
        pmap->draw.ctools = win->draw.ctools;
    return pmap;
}

} // extern "C"
