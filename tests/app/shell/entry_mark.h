// entry_mark.h: where a main window's entry pane shows a word or a mark text (";TABLE", ";ART"),
// for the display tests that click it there as a user does.
#pragma once

#include <memory>
#include <string>

#include "app/display/entry_painter.h"
#include "app/display/scroll_view_win.h"
#include "app/pages/search_page_win.h"
#include "app/shell/main_ref_win.h"
#include "engine/worditem.h"

namespace vkotest {

// The text's place on the screen in the window's front page; {-1,-1} when the pane shows it
// nowhere (not yet laid out, or scrolled away).
inline s_pnt MarkOnScreen(MainRefWin* window, const char* text)
{
    ScrollViewWin* pane = window->GetFrontPage()->GetEntryPane();
    s_rct client{};
    vko_vobj_get_client_rect(pane->PaneWindow(), &client);
    for (int v = 2; v < client.bottom; v += 4)
        for (int h = 2; h < client.right; h += 4)
            if (auto hit = window->GetPainter().SoundHit(static_cast<float>(h), static_cast<float>(v) - pane->ScrollOriginY());
                hit != nullptr && std::string(hit->data()) == text) {
                s_pnt point{static_cast<std::int16_t>(v), static_cast<std::int16_t>(h)};
                vkok_vobj_translate_points(pane->PaneWindow(),
                                           reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW)),
                                           &point, 1);
                return point;
            }
    return s_pnt{-1, -1};
}

} // namespace vkotest
