// draw_tools_scope.h: DrawToolsScope, which draws with a mode, pen and brush of its own on a
// window for as long as it lives and then gives the window back the tools it had, on every
// way out of the drawing code.
#pragma once
#include "ruk/static/vkoruk.h"

class DrawToolsScope {
public:
    // Keeps window's tools and sets them with mode, pen and brush replaced.
    DrawToolsScope(WINDOW window, e_mode mode, const s_cpen& pen, const s_cbrush& brush)
        : itsWindow(window)
    {
        vko_dwin_get_draw_ctools(itsWindow, &itsSaved);
        s_drawct tools = itsSaved;
        tools.mode = mode;
        tools.pen = pen;
        tools.brush = brush;
        vko_dwin_set_draw_ctools(itsWindow, &tools);
    }
    ~DrawToolsScope() { vko_dwin_set_draw_ctools(itsWindow, &itsSaved); }
    DrawToolsScope(const DrawToolsScope&) = delete;
    DrawToolsScope& operator=(const DrawToolsScope&) = delete;

private:
    WINDOW itsWindow;
    s_drawct itsSaved{};
};
