// entry_win.cpp: the entry pane window.
#include "app/shell/entry_win.h"

#include <algorithm>

#include "frm/runtime/cnav.h"
#include "ruk/static/vkoruk.h"

EntryWin::EntryWin(FRM_CDocument* document, const FRM_CRect& frame, WINDOW parent)
    : FRM_CWindow(document, frame, FRM_CStringRW("Entry"), 0, W_PLAIN, 0, parent)
{
    itsPainter = std::make_unique<EntryPainter>(this, GetVKOWindow());
    itsPainter->UpdateMetrics();
}

EntryWin::~EntryWin() = default;

s_rct EntryWin::PaneFrame() const
{
    s_rct client{};
    if (GetVKOWindow() != nullptr)
        vko_vobj_get_client_rect(GetVKOWindow(), &client);
    return client;
}

void EntryWin::SetScrollRange(std::int32_t, std::int32_t maximum)
{
    itsMaxLines = std::max<std::int32_t>(0, maximum);
}

void EntryWin::SetPaneColors(std::uint32_t background, std::uint32_t)
{
    itsBackground = background;
}

void EntryWin::Draw(const FRM_CRect&)
{
    if (GetVKOWindow() == nullptr)
        return;
    vko_dwin_clear(GetVKOWindow(), itsBackground);
    itsPainter->Redraw(itsOrigin);
}

void EntryWin::ScrollLines(int lines)
{
    const s_rct client = PaneFrame();
    const int visible = std::max(1, (client.bottom - client.top) / itsLineStep);
    const int top = static_cast<int>(-itsOrigin) / itsLineStep;
    const int last = std::max(0, static_cast<int>(itsMaxLines) - visible + 2);
    const int next = std::clamp(top + lines, 0, last);
    if (next == top)
        return;
    itsOrigin = -static_cast<float>(next * itsLineStep);
    vko_dwin_invalidate_rect(GetVKOWindow(), nullptr);
}

void EntryWin::DoKey(const FRM_CKey& key)
{
    const s_rct client = PaneFrame();
    const int page = std::max(1, (client.bottom - client.top) / itsLineStep - 1);
    if (key.IsVirtualKey()) {
        switch (key.GetChar()) {
        case VKO_KEY_UP: ScrollLines(-1); return;
        case VKO_KEY_DOWN: ScrollLines(1); return;
        case VKO_KEY_PAGE_UP: ScrollLines(-page); return;
        case VKO_KEY_PAGE_DOWN: ScrollLines(page); return;
        default: break;
        }
    }
    FRM_CWindow::DoKey(key);
}
