// image_win.cpp: the illustration window.
#include "app/display/image_win.h"

#include "app/display/entry_key_table.h"
#include "app/display/entry_painter.h"
#include "app/display/not_handled.h"
#include "app/display/print_view.h"
#include "app/display/scroll_view_win.h"
#include "engine/worditem.h"
#include "frm/core/ccmdnums.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/views/cimage.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/viewsvc.h"
#include "resources/menu_tags.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/cstring.h"

namespace {

// The window's areas: the picture above, the caption below.
const FRM_CRect kPictureFrame(4, 4, 501, 386);
const FRM_CRect kCaptionFrame(4, 390, 501, 475);
constexpr short kMenuIllustration = 5;
constexpr short kMenuClose = 32003;

} // namespace

ImageWin::ImageWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                   long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent)
{
    itsPictureArea = new FRM_CSubview(this, kPictureFrame);
    itsCaption = new ScrollViewWin(document, this, kCaptionFrame);
    itsCaption->SetGlue(0xFFFFFFFFul);
}

ImageWin::~ImageWin() = default;

void ImageWin::SetSources(EntryKeyTable* table, const Prefs& prefs)
{
    itsTable = table;
    itsPrefs = prefs;
}

void ImageWin::SetUp(FRM_CView* opener)
{
    itsPainter = std::make_unique<EntryPainter>(itsCaption, itsCaption->PaneWindow());
    itsPainter->SetColors(itsPrefs);
    itsOpener = opener;
    // Print > Illustration is this window's own: enabled as it opens, not only once it has
    // been activated.
    UpdateMenus(GetMenuBar());
    if (itsTable == nullptr)
        return;
    // Named after the entry it illustrates: the window list, the window manager and the
    // printed file's name show that word.
    SetTitle(FRM_CStringRW(itsTable->currentEntryWord().c_str()));
    const std::unique_ptr<FRM_CImage> image = itsTable->ShowReference(itsPainter.get());
    if (image == nullptr)
        return;
    std::int32_t w = 0, h = 0;
    image->GetDimensions(&w, &h);
    const FRM_CRect area = itsPictureArea->GetLocalFrame();
    const auto W = static_cast<std::int16_t>(area.Right() - area.Left());
    const auto H = static_cast<std::int16_t>(area.Bottom() - area.Top());
    // Centred when it fits, else from the top left corner with a margin.
    const float left = w < W ? static_cast<float>(W / 2 - w / 2) : 10.0f;
    const float top = h < H ? static_cast<float>(H / 2 - h / 2) : 10.0f;
    itsPicture = new FRM_CPicture(itsPictureArea, FRM_CPoint(left, top), *image);
    itsPictureArea->DoDraw(frm_views::MaxRect());
}

void ImageWin::SoundClick(const FRM_CPoint& point)
{
    if (itsPainter == nullptr)
        return;
    const std::unique_ptr<WordItem> hit = itsPainter->SoundHit(point.H(), point.V());
    if (hit == nullptr)
        return;
    const std::string word(hit->data());
    if (itsOpener != nullptr)
        ImageLookUpWord::Send(*itsOpener, word);
    // Nothing of this window is touched after it closes.
    Close();
}

void ImageWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kImageDrawEntry:
        if (itsPainter != nullptr)
            itsPainter->DrawEntry();
        return;
    case kPaneDraw:
        if (itsPainter != nullptr)
            itsPainter->Redraw(itsCaption->ScrollOriginY());
        return;
    case ImageSoundClick::kNumber:
        if (const FRM_CPoint* point = ImageSoundClick::Read(data))
            SoundClick(*point);
        return;
    case PaneDoubleClick::kNumber:
        if (const FRM_CPoint* point = PaneDoubleClick::Read(data))
            SoundClick(*point);
        return;
    case kPaneDrag:
        if (const auto* points = PaneDrag::Read(data); itsPainter != nullptr && points != nullptr)
            itsPainter->SelectRange((*points)[0].H(), (*points)[0].V(), (*points)[1].H(),
                                   (*points)[1].V());
        return;
    case ImageSetUp::kNumber:
        if (FRM_CView* opener = ImageSetUp::Read(data))
            SetUp(opener);
        return;
    case kImagePrint:
        if (itsPainter != nullptr) {
            PrintView view(GetDocument() != nullptr ? GetDocument()->GetPrintRecord() : nullptr,
                           *itsPainter, GetTitle().data());
            if (view.StartPrint(PrintView::kIllustration) && GetDocument() != nullptr) {
                std::string file = view.printedFile();
                PrintedFile::Send(*GetDocument(), file);
            }
        }
        return;
    default:
        if (!IsFrameworkEcho(command))
            FRM_CWindow::DoCommand(command, data);
    }
}

void ImageWin::DoMenuCommand(short tag, short shift, short control)
{
    if (tag == kMenuIllustration) {
        DoCommand(kImagePrint, nullptr);
    } else if (tag == kNoCommand) {
    } else if (tag == kMenuClose) {
        Close();
    } else if (tag == menutag::kNextWindow) {
        ImageNextWindow::Send(*this, *this);
    } else {
        FRM_CWindow::DoMenuCommand(tag, shift, control);
    }
}

void ImageWin::UpdateMenus(FRM_CMenuBar* menuBar)
{
    FRM_CMenuBar* bar = GetMenuBar();
    if (bar == nullptr) {
        FRM_CWindow::UpdateMenus(menuBar);
        return;
    }
    for (const short tag : {3, 4, 7, 13})
        bar->SetEnabled(tag, 0);
    bar->SetEnabled(kMenuIllustration, 1);
    bar->DoUpdate();
}

void ImageWin::DoUpdateModel(long, long command, const FRM_CModel*)
{
    if (command != kNoCommand)
        PostNotHandled(command, *this);
}

void ImageWin::Draw(const FRM_CRect& clip)
{
    FRM_CWindow::Draw(clip);
    DrawTopRule(GetVKOWindow(), static_cast<std::int16_t>(GetLocalFrame().Right()));
}

void DrawTopRule(WINDOW window, std::int16_t right)
{
    vko_dwin_set_fore_color(window, 0x08404040);
    s_cpen pen{1, PAT_SOLID, P_SOLID, 0x08404040};
    vko_dwin_set_cpen(window, &pen);
    vko_dwin_draw_set_pos(window, s_pnt{0, 0});
    vko_dwin_draw_line(window, s_pnt{0, right});
    pen.color = 0x0BFFFFFF;
    vko_dwin_set_cpen(window, &pen);
    vko_dwin_draw_set_pos(window, s_pnt{1, 0});
    vko_dwin_draw_line(window, s_pnt{1, right});
    pen.color = 0x07000000;
    vko_dwin_set_cpen(window, &pen);
}
