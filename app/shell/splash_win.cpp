// splash_win.cpp: the splash and about window.
#include "app/shell/splash_win.h"

#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "frm/core/cobjrwc.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cimage.h"
#include "frm/views/cpicture.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr long kSplashImage = 39011;
constexpr std::int32_t kLayoutPicture = 1071;
constexpr long kSplashAttributes = 0x810;
constexpr std::int32_t kTextSize = 8;
constexpr char kCopyright[] = "Copyright (c) Dorvane-Kestle. All rights reserved.";

FRM_CDocument* TaskDocument()
{
    const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
    FRM_CWindow* task = library != nullptr ? library->GetTaskWin() : nullptr;
    return task != nullptr ? task->GetDocument() : nullptr;
}

WINDOW ScreenWindow()
{
    return reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW));
}

// Draws text centred across width with its baseline at y.
void DrawCentred(WINDOW window, int width, int y, const char* text)
{
    const std::int32_t textWidth = vko_dwin_get_text_width(window, text, -1);
    vko_dwin_draw_text(window, (width - textWidth) / 2, y, text, -1);
}

} // namespace

SplashWin* SplashWin::Open()
{
    auto* window = new SplashWin();
    if (!window->Start(vko_timer_create(window->GetVKOWindow(), kShowMs)))
        return nullptr;
    window->Centre();
    return window;
}

SplashWin::SplashWin()
    : FRM_CWindow(TaskDocument(), FRM_CRect(0, 0, 10, 10), FRM_CStringRW(""), kSplashAttributes,
                  W_DBL, 0, ScreenWindow())
{
    itsPicture = new FRM_CPicture(this, FRM_CPoint(0, 0), FRM_CImage(kSplashImage));
    itsPicture->SetCommand(kCmdPictureClicked);
    TakeNoKeys();
    // Its help, as for the factory's windows: the topic file lists it under its id.
    if (KQedApp* application = KQedApp::Instance())
        application->GetHelp().AssociateWindow(GetVKOWindow(), KQedAppFactory::kSplashWindow);
}

SplashWin::SplashWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                     long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent)
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kSplashWindow, 0, &itsIDData);
    itsPicture = itsIDData.Get<FRM_CPicture>(kLayoutPicture);
    if (itsPicture != nullptr)
        itsPicture->SetCommand(kCmdPictureClicked);
    TakeNoKeys();
    vko_dwin_invalidate_rect(GetVKOWindow(), nullptr);
}

SplashWin::~SplashWin()
{
    if (itsTimer >= 0)
        vko_timer_destroy(itsTimer);
    if (KQedApp* application = KQedApp::Instance())
        application->SplashGone(this);
}

// The window takes no keys: those typed over it go to the field where the user sees the caret.
void SplashWin::TakeNoKeys()
{
    if (WINDOW window = GetVKOWindow())
        vko_win_set_event_mask(window, vko_win_get_event_mask(window) & ~VKO_EVENT_BIT(E_CHAR));
}

bool SplashWin::Start(std::int32_t timerId)
{
    itsTimer = timerId;
    if (itsTimer < 0) {
        // Nothing would ever close it: it goes at once rather than stay in the way.
        Close();
        return false;
    }
    itIsClosing = false;
    return true;
}

void SplashWin::Centre()
{
    WINDOW window = GetVKOWindow();
    s_rct outer{}, client{}, screen{};
    vko_vobj_get_outer_rect(window, &outer);
    vko_vobj_get_client_rect(window, &client);
    vko_vobj_get_client_rect(ScreenWindow(), &screen);
    int width = outer.right - outer.left - (client.right - client.left);
    int height = outer.bottom - outer.top - (client.bottom - client.top);
    if (itsPicture != nullptr) {
        const FRM_CRect picture = itsPicture->GetFrame();
        width += static_cast<int>(picture.Width());
        height += static_cast<int>(picture.Height());
    }
    const int left = (screen.right - screen.left - width) / 2;
    const int top = (screen.bottom - screen.top - height) / 2;
    const s_rct placed{static_cast<std::int16_t>(top), static_cast<std::int16_t>(left),
                       static_cast<std::int16_t>(top + height),
                       static_cast<std::int16_t>(left + width)};
    vko_vobj_move(window, &placed);
    // Without a window manager the window has no frame: the frame added above would be a strip
    // of the window's own at the picture's right and foot. The client area is made the
    // picture's size, as it came out.
    if (itsPicture != nullptr) {
        s_rct shown{};
        vko_vobj_get_client_rect(window, &shown);
        const FRM_CRect picture = itsPicture->GetFrame();
        const int wider = static_cast<int>(picture.Width()) - (shown.right - shown.left);
        const int taller = static_cast<int>(picture.Height()) - (shown.bottom - shown.top);
        if (wider != 0 || taller != 0) {
            s_rct fitted = placed;
            fitted.right = static_cast<std::int16_t>(fitted.right + wider);
            fitted.bottom = static_cast<std::int16_t>(fitted.bottom + taller);
            vko_vobj_move(window, &fitted);
        }
    }
    Show();
    vko_dwin_invalidate_rect(window, nullptr);
    vko_app_process_pending_events();
}

void SplashWin::DoCommand(long command, void* data)
{
    if (command == kCmdPictureClicked) {
        Close();
        return;
    }
    FRM_CWindow::DoCommand(command, data);
}

void SplashWin::DoTimer(long timerId)
{
    if (itIsClosing || timerId < 0 || timerId != itsTimer)
        return;
    Close();
}

void SplashWin::DoDraw(const FRM_CRect& theClip)
{
    FRM_CWindow::DoDraw(theClip);
    WINDOW window = GetVKOWindow();
    if (window == nullptr)
        return;
    s_rct client{};
    vko_vobj_get_client_rect(window, &client);
    vko_dwin_set_font_size(window, kTextSize);
    std::int32_t leading = 0, ascent = 0, descent = 0;
    vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    DrawCentred(window, client.right, client.bottom - leading - ascent - descent - 10, kCopyright);
    DrawCentred(window, client.right, client.bottom - descent - 10, kVersion);
}

short SplashWin::Close()
{
    itIsClosing = true;
    if (WINDOW window = GetVKOWindow())
        vko_win_set_event_mask(window, vko_win_get_event_mask(window) & ~0x10000);
    if (itsTimer >= 0)
        vko_timer_destroy(itsTimer);
    itsTimer = -1;
    return FRM_CWindow::Close();
}
