// cclipwin.cpp: clip windows of native controls and their event hook.
#include "frm/views/cclipwin.h"

#include <algorithm>
#include <unordered_map>

#include "frm/core/cunits.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cpafactr.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr e_win_type kClipType = 7;
constexpr short kFixFlags = 3;
constexpr std::int32_t kAttrHidden = 0x10;
constexpr int kAttrBackgroundColor = 100;
constexpr int kAttrListClipHeight = 202;
constexpr int kAttrTextClipHeight = 206;
constexpr e_win_type kStaticText = 18;
constexpr e_win_type kListButton = 20;
constexpr e_win_type kListEdit = 21;

// A pixel coordinate held to the toolkit's 16-bit range.
std::int16_t Clamp16(int value)
{
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

s_rct Intersect(const s_rct& a, const s_rct& b)
{
    s_rct out{std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
              std::min(a.right, b.right)};
    if (out.bottom < out.top || out.right < out.left)
        out = s_rct{0, 0, 0, 0};
    return out;
}

// Each clip object's toolkit window, by that window: the toolkit destroys a clip window with
// the window it lies in, often before the object goes, and the object must then forget the
// handle, which a window made since may have taken.
std::unordered_map<WINDOW, WINDOW*>& LiveClipWindows()
{
    static std::unordered_map<WINDOW, WINDOW*> windows;
    return windows;
}

WINDOW OwnerWindow(const FRM_CView* theOwner)
{
    const FRM_CWindow* window = theOwner != nullptr ? theOwner->GetCWindow() : nullptr;
    return window != nullptr ? window->GetVKOWindow() : nullptr;
}

} // namespace

FRM_CClipWindow::FRM_CClipWindow(FRM_CView* theOwner, e_win_type theType, short isVisible)
    : itsOwner(theOwner), itsType(theType)
{
    SizeClipArea(theOwner->GetClippedFrame());
    itsVKOWindow = vko_win_create(kClipType, &itsClippedRect, "", 0, OwnerWindow(theOwner),
                                  isVisible ? 0 : kAttrHidden, -1, hookClipWindowEventHandler,
                                  reinterpret_cast<intptr_t>(theOwner));
    if (itsVKOWindow != nullptr)
        LiveClipWindows()[itsVKOWindow] = &itsVKOWindow;
}

FRM_CClipWindow::~FRM_CClipWindow()
{
    if (itsVKOWindow == nullptr)
        return;  // the toolkit destroyed it already
    LiveClipWindows().erase(itsVKOWindow);
    vko_vobj_destroy(itsVKOWindow);
}

void FRM_CClipWindow::SizeClipArea(const FRM_CRect& theVisible)
{
    FRM_CUnits::SetGlobalUnits(itsOwner->GetUnits());
    s_rct clip = static_cast<s_rct>(theVisible);
    const FRM_CRect global = itsOwner->GetGlobalFrame();
    const s_rct ownerGlobal = static_cast<s_rct>(global);
    const int width =
        static_cast<int>(std::clamp(itsOwner->GetFrame().Width(), -65536.0F, 65536.0F));
    const int height =
        static_cast<int>(std::clamp(itsOwner->GetFrame().Height(), -65536.0F, 65536.0F));
    s_rct owner{};
    owner.left = Clamp16(ownerGlobal.left - clip.left);
    owner.top = Clamp16(ownerGlobal.top - clip.top);
    owner.right = Clamp16(owner.left + width);
    owner.bottom = Clamp16(owner.top + height);
    FrmFixRect(&clip, kFixFlags, kClipType);
    FrmFixRect(&owner, kFixFlags, itsType);
    itsClippedRect = clip;
    itsOwnerRect = owner;
}

void FRM_CClipWindow::Enable()
{
    vko_vobj_set_enabled(itsVKOWindow, TRUE);
}

void FRM_CClipWindow::Disable()
{
    vko_vobj_set_enabled(itsVKOWindow, FALSE);
}

void FRM_CClipWindow::Show()
{
    vko_vobj_set_visible(itsVKOWindow, TRUE);
}

void FRM_CClipWindow::Hide()
{
    vko_vobj_set_visible(itsVKOWindow, FALSE);
}

void FRM_CClipWindow::Activate()
{
    vko_scr_set_focus_vobj(itsVKOWindow);
}

void FRM_CClipWindow::Size(const FRM_CRect& theRect)
{
    SizeClipArea(frm_views::IsMaxRect(theRect) ? itsOwner->GetClippedFrame() : theRect);
    vko_vobj_move(itsVKOWindow, &itsClippedRect);
}

void FRM_CClipWindow::UpdateSize(WINDOW theControl, short moveControl)
{
    s_rct control{};
    s_rct clip{};
    vko_vobj_get_outer_rect(theControl, &control);
    vko_vobj_get_outer_rect(itsVKOWindow, &clip);
    const int width = control.right - control.left;
    int height = control.bottom - control.top;
    if (itsType == kStaticText)
        height = static_cast<int>(vko_vobj_get_attr(nullptr, kAttrTextClipHeight));
    else if (itsType == kListButton || itsType == kListEdit)
        height = static_cast<int>(vko_vobj_get_attr(nullptr, kAttrListClipHeight));
    s_rct wanted{clip.top, clip.left, Clamp16(clip.top + height), Clamp16(clip.left + width)};
    FRM_CUnits::SetGlobalUnits(itsOwner->GetUnits());
    FRM_CRect visible = itsOwner->GetGlobalFrame();
    visible.Width(frm_views::HPixelsToLogical(itsOwner, static_cast<float>(width)));
    visible.Height(frm_views::VPixelsToLogical(itsOwner, static_cast<float>(height)));
    if (const FRM_CSubview* enclosure = itsOwner->GetEnclosure())
        visible -= enclosure->GetClippedFrame();
    wanted = Intersect(wanted, static_cast<s_rct>(visible));
    FrmFixRect(&wanted, kFixFlags, kClipType);
    vko_vobj_move(itsVKOWindow, &wanted);
    itsClippedRect = wanted;
    if (!moveControl)
        return;
    s_rct inside{};
    vko_vobj_get_client_rect(itsVKOWindow, &inside);
    FrmFixRect(&inside, kFixFlags, itsType);
    vko_vobj_move(theControl, &inside);
    itsOwnerRect = inside;
}

void FRM_CClipWindow::FollowOwner(WINDOW theControl)
{
    const s_rct clipped = itsClippedRect;
    const s_rct owner = itsOwnerRect;
    Size(frm_views::MaxRect());
    const auto same = [](const s_rct& a, const s_rct& b) {
        return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
    };
    if (same(clipped, itsClippedRect) && same(owner, itsOwnerRect))
        return;
    vko_vobj_move(theControl, &itsOwnerRect);
    UpdateSize(theControl, FALSE);
}

extern "C" std::int32_t hookClipWindowEventHandler(WINDOW theWindow, EVENT* theEvent) noexcept
{
    if (theEvent == nullptr)
        return 0;
    if (theEvent->type == E_DESTROY) {
        const auto found = LiveClipWindows().find(theWindow);
        if (found != LiveClipWindows().end()) {
            *found->second = nullptr;
            LiveClipWindows().erase(found);
        }
        return 0;
    }
    auto* owner = reinterpret_cast<FRM_CView*>(vko_vobj_get_data(theWindow));
    if (owner == nullptr || reinterpret_cast<intptr_t>(owner) == -1)
        return 0;
    WINDOW ownerWindow = OwnerWindow(owner);
    if (ownerWindow == nullptr)
        return 0;
    switch (theEvent->type) {
    case E_UPDATE: {
        const FRM_CSubview* enclosure = owner->GetEnclosure();
        const FRM_CEnvironment* environment =
            enclosure != nullptr ? enclosure->GetEnvironment() : owner->GetEnvironment();
        unsigned long colour = environment != nullptr ? environment->GetBackgroundColor()
                                                      : FRM_CEnvironment::kUnsetColor;
        if (colour == FRM_CEnvironment::kUnsetColor)
            colour = static_cast<unsigned long>(vko_vobj_get_attr(nullptr, kAttrBackgroundColor));
        vko_dwin_clear(theWindow, static_cast<COLOR>(colour));
        return 0;
    }
    case E_MOUSE_DOWN:
    case E_MOUSE_UP:
    case E_MOUSE_MOVE:
    case E_MOUSE_DBL: {
        // The owner's window sees the pointer at its own coordinates; the hook is called
        // directly, since dispatching would refuse events sent to another window's child.
        EVENT translated = *theEvent;
        vko_vobj_translate_points(theWindow, ownerWindow, &translated.v.mouse.where, 1);
        VKO_EVENT_HANDLER handler = vko_win_get_handler(ownerWindow);
        return handler != nullptr ? handler(ownerWindow, &translated) : 0;
    }
    case E_CHAR:
    case E_COMMAND:
    case E_FONT:
    case E_CONTROL:
    case E_USER: {
        VKO_EVENT_HANDLER handler = vko_win_get_handler(ownerWindow);
        return handler != nullptr ? handler(ownerWindow, theEvent) : 0;
    }
    default:
        return 0;
    }
}
