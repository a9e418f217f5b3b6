// kq_list_box.cpp: the hit list.
#include "app/shell/kq_list_box.h"

#include <algorithm>
#include <cstdlib>

#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cnav.h"
#include "frm/views/csubview.h"
#include "ruk/static/vkoruk.h"

namespace {
constexpr unsigned long kListBack = 0x0BFFFFFFul;
constexpr unsigned long kListText = 0x07000000ul;
constexpr unsigned long kSelectBack = 0x0130508Cul;
constexpr unsigned long kSelectText = 0x0BFFFFFFul;
constexpr int kTextInset = 4;
} // namespace

KQListBox::KQListBox(FRM_CSubview* enclosure, const FRM_CRect& frame)
    : FRM_CView(enclosure, frame, FRM_CStringRW("KQListBox"))
{
}

void KQListBox::Clear()
{
    itsLines.clear();
    itsSelected = -1;
    itsTop = 0;
    Changed();
}

void KQListBox::ResumeList()
{
    itIsSuspended = false;
    Changed();
}

short KQListBox::AddItems(const std::vector<std::string>& lines, int start)
{
    if (start < 0 || start > GetCount())
        return 0;
    itsLines.insert(itsLines.begin() + start, lines.begin(), lines.end());
    if (itsSelected >= start)
        itsSelected += static_cast<int>(lines.size());
    Changed();
    return 1;
}

std::string KQListBox::GetItem(int index) const
{
    return index >= 0 && index < GetCount() ? itsLines[static_cast<std::size_t>(index)]
                                            : std::string();
}

short KQListBox::SelectItem(int index)
{
    if (index < 0 || index >= GetCount())
        return 0;
    itsSelected = index;
    const int visible = std::max(1, VisibleLines());
    if (itsSelected < itsTop)
        itsTop = itsSelected;
    else if (itsSelected >= itsTop + visible)
        itsTop = itsSelected - visible + 1;
    Changed();
    return 1;
}

int KQListBox::LineHeight() const
{
    std::int32_t leading = 0, ascent = 0, descent = 0;
    const WINDOW window = GetVKOWindow();
    if (window != nullptr)
        vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    const int height = static_cast<int>(leading + ascent + descent);
    return height > 0 ? height : 16;
}

int KQListBox::VisibleLines() const
{
    return static_cast<int>(GetFrame().Height()) / LineHeight();
}

int KQListBox::LineAt(const FRM_CPoint& point) const
{
    // Mouse points come local to the list: (0, 0) is its top-left corner.
    if (point.V() < 0 || point.V() >= GetFrame().Height())
        return -1;
    const int line = itsTop + static_cast<int>(point.V()) / LineHeight();
    return line < GetCount() ? line : -1;
}

void KQListBox::Draw(const FRM_CRect&)
{
    FRM_CDrawingContext context(this);
    const FRM_CRect frame = GetGlobalFrame(); // drawing is in window coordinates
    context.GetEnv().SetPen(kListText, 1, PAT_SOLID, P_SOLID);
    context.GetEnv().SetBrushColor(kListBack, kListBack);
    context.DrawRect(frame);
    std::int32_t leading = 0, ascent = 0, descent = 0;
    vko_dwin_get_font_metrics(GetVKOWindow(), &leading, &ascent, &descent);
    const int height = LineHeight();
    const int last = std::min(GetCount(), itsTop + VisibleLines());
    for (int line = itsTop; line < last; ++line) {
        const float top = frame.Top() + static_cast<float>((line - itsTop) * height);
        const bool selected = line == itsSelected;
        if (selected) {
            context.GetEnv().SetPen(kSelectBack, 1, PAT_SOLID, P_SOLID);
            context.GetEnv().SetBrushColor(kSelectBack, kSelectBack);
            context.DrawRect(FRM_CRect(frame.Left() + 1, top, frame.Right() - 1, top + height));
        }
        context.GetEnv().SetForegroundColor(selected ? kSelectText : kListText,
                                            selected ? kSelectText : kListText);
        context.GetEnv().SetBackgroundColor(selected ? kSelectBack : kListBack,
                                            selected ? kSelectBack : kListBack);
        context.DrawText(FRM_CStringRW(itsLines[static_cast<std::size_t>(line)].c_str()),
                         FRM_CPoint(frame.Left() + kTextInset, top + leading + ascent));
    }
}

void KQListBox::MouseDown(FRM_CPoint point, short, short, short)
{
    Activate();
    const int line = LineAt(point);
    if (line < 0)
        return;
    SelectItem(line);
    Tell(kCmdLineChosen); // also for the line already selected: the page shows it again
}

void KQListBox::DoKey(const FRM_CKey& key)
{
    if (!key.IsVirtualKey()) {
        if (key.GetChar() == 27) {
            Tell(kCmdClear);
            return;
        }
        FRM_CView::DoKey(key);
        return;
    }
    const int before = itsSelected;
    const int page = std::max(1, VisibleLines() - 1);
    int after = before;
    switch (key.GetChar()) {
    case VKO_KEY_UP: after = before - 1; break;
    case VKO_KEY_DOWN: after = before + 1; break;
    case VKO_KEY_PAGE_UP: after = before - page; break;
    case VKO_KEY_PAGE_DOWN: after = before + page; break;
    case VKO_KEY_LINE_START:
    case VKO_KEY_TEXT_START: after = 0; break;
    case VKO_KEY_LINE_END:
    case VKO_KEY_TEXT_END: after = GetCount() - 1; break;
    default:
        FRM_CView::DoKey(key);
        return;
    }
    if (GetCount() == 0)
        return;
    after = std::clamp(after, 0, GetCount() - 1);
    SelectItem(after);
    if (after != before)
        Tell(kCmdLineChosen);
}

void KQListBox::Changed()
{
    if (!itIsSuspended && GetVKOWindow() != nullptr)
        Invalidate(GetLocalFrame());
}

void KQListBox::Tell(long command)
{
    if (FRM_CSubview* enclosure = GetEnclosure())
        enclosure->DoCommand(command, nullptr);
}

namespace {

void ExitHook()
{
    vkowi_End();
    std::exit(0);
}

TXEDIT CreateTextEditHook(s_win_def* definition, WINDOW parent, intptr_t appData)
{
    return vkov_tx_create_def(definition, parent, appData);
}

TXEDIT FindTextEditHook(WINDOW window, int32_t controlId)
{
    return vkov_tx_get_tx(window, controlId);
}

} // namespace

short InstallStartupHooks(s_startup* record)
{
    if (record == nullptr)
        return 0;
    record->fatal_exit = ExitHook;
    record->tx_create = CreateTextEditHook;
    record->tx_get_tx = FindTextEditHook;
    return 1;
}
