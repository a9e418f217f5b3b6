// ctblpcit.cpp: picture cells: the interpreter's pixmaps, its cell views and their pictures.
#include "frm/tables/ctblpcit.h"

#include "frm/core/cunits.h"
#include "frm/tables/ctblview.h"
#include "frm/views/cimage.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "ctblpcit";
constexpr int kNoPixmapLine = 178;
constexpr std::int32_t kPixmapKind = 1;
// The toolkit's report severity of a failure the caller goes on from.
constexpr std::int32_t kGoesOn = 1;

const RWClassID kPixmapId = frm_tables::JoinFactory(
    []() -> RWCollectable* { return new CPixmapRWC; }, "CPixmapRWC");

} // namespace

RWClassID CPixmapRWC::classIsA() { return kPixmapId; }

CPixmapRWC::~CPixmapRWC()
{
    if (itsPixmap != nullptr)
        vko_pmap_destroy(itsPixmap);
}

FRM_CTablePictureInterpreter::FRM_CTablePictureInterpreter(FRM_CTableView* theTable)
    : FRM_CTableViewInterpreter(theTable)
{
}

FRM_CTablePictureInterpreter::FRM_CTablePictureInterpreter(
    const FRM_CTablePictureInterpreter& other)
    : FRM_CTableViewInterpreter(other), itsResizeToFit(other.itsResizeToFit)
{
}

// Hand-written: the pixmaps stay the target's own; only the table and resize-to-fit are copied.
FRM_CTablePictureInterpreter&
FRM_CTablePictureInterpreter::operator=(const FRM_CTablePictureInterpreter& other)
{
    FRM_CTableViewInterpreter::operator=(other);
    itsResizeToFit = other.itsResizeToFit;
    return *this;
}

// The pixmaps go before the cell views (the base's); the pictures that showed them are deleted
// with the cell views without being drawn again.
FRM_CTablePictureInterpreter::~FRM_CTablePictureInterpreter() = default;

const FRM_CTypeInfo* FRM_CTablePictureInterpreter::GetRunTimeTypeInfo() const
{
    return &frm_type::CTablePictureInterpreter;
}

const FRM_CTypeInfo* FRM_CTablePictureInterpreter::GetStaticTypeInfo()
{
    return &frm_type::CTablePictureInterpreter;
}

const FRM_CWindow* FRM_CTablePictureInterpreter::TableWindow() const
{
    return Table() != nullptr ? Table()->GetCWindow() : nullptr;
}

WINDOW FRM_CTablePictureInterpreter::GetPixmapFromImage(const FRM_CWindow* theWindow,
                                                        const FRM_CImage& theImage)
{
    if (static_cast<IMAGE>(theImage) == nullptr)
        return nullptr;
    const std::int16_t width = static_cast<std::int16_t>(theImage.GetWidth());
    const std::int16_t height = static_cast<std::int16_t>(theImage.GetHeight());
    WINDOW const toolkitWindow = theWindow != nullptr ? theWindow->GetVKOWindow() : nullptr;
    WINDOW const pixmap = vko_pmap_create(toolkitWindow, kPixmapKind, width, height, 0);
    if (pixmap == nullptr) {
        // The table goes on without this image; a cell naming it shows nothing new.
        vko_errmsg_dispatch(toolkitWindow, kGoesOn, kErrNoPixmap, kModule, kNoPixmapLine);
        return nullptr;
    }
    s_rct whole{};
    vko_rect_set(&whole, 0, 0, width, height);
    vko_dwin_set_draw_mode(pixmap, M_COPY);
    vko_dwin_draw_image(pixmap, theImage, &whole, &whole);
    return pixmap;
}

void FRM_CTablePictureInterpreter::AddImage(const FRM_CImage& theImage,
                                            const FRM_CStringRW& theName)
{
    auto pixmap = std::make_unique<CPixmapRWC>(GetPixmapFromImage(TableWindow(), theImage));
    itsImages.try_emplace(theName, std::move(pixmap));
}

void FRM_CTablePictureInterpreter::AddDefaultImage(const FRM_CImage& theImage)
{
    itsDefaultImage = std::make_unique<CPixmapRWC>(GetPixmapFromImage(TableWindow(), theImage));
}

WINDOW FRM_CTablePictureInterpreter::FindImage(const FRM_CStringRW& theName) const
{
    const auto found = itsImages.find(theName);
    if (found != itsImages.end() && *found->second != nullptr)
        return *found->second;
    return itsDefaultImage != nullptr ? static_cast<WINDOW>(*itsDefaultImage) : nullptr;
}

CCellView*
FRM_CTablePictureInterpreter::CreateCellView(FRM_CTableView* theTable,
                                             const CTableInterpreterParameters& theParameters,
                                             const FRM_CTdiValue*)
{
    const FRM_CRect interior = LocalInterior(theTable, theParameters);
    auto* const cellView = new CCellPictureView(this, theTable, interior);   // the caller owns it
    cellView->Reassign(*theParameters.itsCell);
    return cellView;
}

namespace {
const RWClassID kPictureViewId = frm_tables::JoinFactory(
    []() -> RWCollectable* { return new CCellPictureView; }, "CCellPictureView");
} // namespace

RWClassID CCellPictureView::classIsA() { return kPictureViewId; }

CCellPictureView::CCellPictureView(FRM_CTablePictureInterpreter* theInterpreter,
                                   FRM_CTableView* theTable, const FRM_CRect& theFrame)
    : CCellView(theInterpreter, nullptr), itsPictureInterpreter(theInterpreter)
{
    SetView(new CPictureTableAdapter(theInterpreter, theTable, theFrame));
}

void CCellPictureView::FromTableData(FRM_CTableView*, FRM_CTdiValue* theValue)
{
    auto* const picture = static_cast<CPictureTableAdapter*>(View());
    if (theValue == nullptr || picture == nullptr)
        return;
    if (WINDOW const pixmap = itsPictureInterpreter->FindImage(theValue->ToString()))
        picture->IPicture(pixmap);
}

CPictureTableAdapter::CPictureTableAdapter(FRM_CTablePictureInterpreter* theInterpreter,
                                           FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
    : FRM_CPicture(theEnclosure, theFrame), itsInterpreter(theInterpreter)
{
}

void CPictureTableAdapter::IPicture(WINDOW thePixmap)
{
    itsTemporaryPixmap = thePixmap;
    s_rct pixels{};
    vko_vobj_get_client_rect(thePixmap, &pixels);
    const int width = pixels.right - pixels.left;
    const int height = pixels.bottom - pixels.top;
    const FRM_CUnits* const units = GetUnits();
    const FRM_CRect frame = GetFrame();
    Size(FRM_CRect(frame.Left(), frame.Top(),
                   frame.Left() + (units != nullptr ? units->HPhysicalToLogical(width)
                                                    : static_cast<float>(width)),
                   frame.Top() + (units != nullptr ? units->VPhysicalToLogical(height)
                                                   : static_cast<float>(height))));
}

void CPictureTableAdapter::Size(const FRM_CRect& theFrame)
{
    FRM_CRect frame = theFrame;
    if (itsInterpreter == nullptr || itsInterpreter->ResizeToFitCell() == 0) {
        const FRM_CRect current = GetFrame();
        frame = FRM_CRect(theFrame.Left(), theFrame.Top(), theFrame.Left() + current.Width(),
                          theFrame.Top() + current.Height());
    }
    FRM_CPicture::Size(frame);
}

void CPictureTableAdapter::Draw(const FRM_CRect& theClip)
{
    DrawPixmap(theClip, itsTemporaryPixmap);
}
