// cpicture.cpp: pictures: rendering an image into a pixmap, drawing it unstretched or
// stretched, and carrying it to another window.
#include "frm/views/cpicture.h"

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cimage.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cpicture";
constexpr long kErrNoPixmapCopy = 6200;
constexpr long kErrNoPixmap = 6215;
constexpr std::int32_t kPixmapKind = 1;

WINDOW WindowOf(const FRM_CView* theView)
{
    const FRM_CWindow* window = theView != nullptr ? theView->GetCWindow() : nullptr;
    return window != nullptr ? window->GetVKOWindow() : nullptr;
}

} // namespace

FRM_CPicture::FRM_CPicture(FRM_CSubview* theEnclosure, const FRM_CPoint& thePoint,
                           const FRM_CImage& theImage)
    : FRM_CSubview(theEnclosure, FRM_CRect(thePoint, thePoint))
{
    Size(FrameOf(thePoint, theImage));
    itsPixmap = GetPixmapFromImage(theImage);
}

FRM_CPicture::FRM_CPicture(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
    : FRM_CSubview(theEnclosure, theFrame)
{
}

FRM_CPicture::FRM_CPicture(const FRM_CPicture& other) : FRM_CSubview(other)
{
    if (other.itsPixmap != nullptr)
        itsPixmap = CopyPixmap(other.itsPixmap, WindowOf(this));
}

// Hand-written: the own pixmap is destroyed and the source's copied onto this window.
FRM_CPicture& FRM_CPicture::operator=(const FRM_CPicture& other)
{
    if (this == &other)
        return *this;
    FRM_CSubview::operator=(other);
    if (itsPixmap != nullptr)
        vko_pmap_destroy(itsPixmap);
    itsPixmap = other.itsPixmap != nullptr ? CopyPixmap(other.itsPixmap, WindowOf(this)) : nullptr;
    return *this;
}

FRM_CPicture::~FRM_CPicture()
{
    // The toolkit destroys a pixmap with the window it was made for; a picture that outlives
    // its window (the window goes first when the program ends) has nothing left to destroy.
    if (itsPixmap != nullptr && vko_vobj_is_valid(itsPixmap))
        vko_pmap_destroy(itsPixmap);
}

FRM_CRect FRM_CPicture::FrameOf(const FRM_CPoint& theTopLeft, const FRM_CImage& theImage) const
{
    const float width = frm_views::HPixelsToLogical(this, static_cast<float>(theImage.GetWidth()));
    const float height =
        frm_views::VPixelsToLogical(this, static_cast<float>(theImage.GetHeight()));
    return FRM_CRect(theTopLeft.H(), theTopLeft.V(), theTopLeft.H() + width,
                     theTopLeft.V() + height);
}

void FRM_CPicture::IPicture(const FRM_CImage& theImage)
{
    Size(FrameOf(FRM_CPoint(itsFrame.Left(), itsFrame.Top()), theImage));
    if (itsPixmap != nullptr)
        vko_pmap_destroy(itsPixmap);
    itsPixmap = GetPixmapFromImage(theImage);
}

WINDOW FRM_CPicture::GetPixmapFromImage(const FRM_CImage& theImage)
{
    if (static_cast<IMAGE>(theImage) == nullptr)
        return nullptr;
    const std::int32_t width = theImage.GetWidth();
    const std::int32_t height = theImage.GetHeight();
    WINDOW pixmap = vko_pmap_create(WindowOf(this), kPixmapKind, static_cast<std::int16_t>(width),
                                    static_cast<std::int16_t>(height), 0);
    if (pixmap == nullptr) {
        FrmError(kErrNoPixmap, kModule, __LINE__);
        return nullptr;
    }
    const s_rct whole{0, 0, static_cast<std::int16_t>(height), static_cast<std::int16_t>(width)};
    vko_dwin_set_draw_mode(pixmap, M_COPY);
    vko_dwin_draw_image(pixmap, theImage, &whole, &whole);
    return pixmap;
}

WINDOW FRM_CPicture::CopyPixmap(WINDOW thePixmap, WINDOW theWindow)
{
    s_rct whole{};
    vko_vobj_get_client_rect(thePixmap, &whole);
    WINDOW copy = vko_pmap_create(theWindow, kPixmapKind, whole.right, whole.bottom, 0);
    if (copy == nullptr) {
        FrmError(kErrNoPixmapCopy, kModule, __LINE__);
        return nullptr;
    }
    if (PALETTE palette = vko_vobj_get_palet(thePixmap))
        vko_vobj_set_palet(copy, palette);
    vko_dwin_draw_pmap(copy, thePixmap, &whole, &whole);
    return copy;
}

void FRM_CPicture::Draw(const FRM_CRect& theClip) { DrawPixmap(theClip, itsPixmap); }

void FRM_CPicture::DrawPixmap(const FRM_CRect& theClip, WINDOW thePixmap)
{
    if (!IsVisible() || thePixmap == nullptr)
        return;
    FRM_CSubview::Draw(theClip);
    if (const FRM_CEnvironment* environment = GetEnvironment())
        environment->SetDrawingEnv(GetCWindow());
    FRM_CUnits::SetGlobalUnits(GetUnits());
    s_rct destination = static_cast<s_rct>(GetGlobalFrame());
    s_rct source{};
    vko_vobj_get_client_rect(thePixmap, &source);
    const bool sameSize = destination.right - destination.left == source.right - source.left &&
                          destination.bottom - destination.top == source.bottom - source.top;
    // Unstretched, the part left of or above the window's origin is skipped, not squeezed.
    if (sameSize && destination.left < 0) {
        const std::int16_t shift = static_cast<std::int16_t>(-destination.left);
        source.left += shift;
        destination.left += shift;
    }
    if (sameSize && destination.top < 0) {
        const std::int16_t shift = static_cast<std::int16_t>(-destination.top);
        source.top += shift;
        destination.top += shift;
    }
    vko_dwin_draw_pmap(GetVKOWindow(), thePixmap, &destination, &source);
}

void FRM_CPicture::SetEnclosure(FRM_CSubview* theEnclosure)
{
    WINDOW target = WindowOf(theEnclosure);
    if (theEnclosure != nullptr && itsPixmap != nullptr && target != WindowOf(this)) {
        WINDOW copy = CopyPixmap(itsPixmap, target);
        vko_pmap_destroy(itsPixmap);
        itsPixmap = copy;
    }
    FRM_CSubview::SetEnclosure(theEnclosure);
}
