// entry_painter_image.cpp: illustrations and tables. The image comes from the bytes of its
// record; an illustration's caption is laid out and drawn below where the window shows the
// image, and printing puts the image on paper at the printer's scale with its caption under it.
#include "app/display/entry_painter.h"

#include <cstring>

#include <stdlib.h>
#include <unistd.h>

#include "app/display/display_text.h"
#include "app/display/entry_painter_internal.h"
#include "engine/worditem.h"
#include "frm/views/cimage.h"
#include "ruk/static/vkoruk.h"

using namespace entry_paint;

namespace {

// The image in a record's bytes. The base library reads PNG from files only, so the bytes
// pass through a temporary file.
std::unique_ptr<FRM_CImage> ImageOf(const std::string& record)
{
    if (record.empty())
        return nullptr;
    char path[] = "/tmp/tavlin_image_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return nullptr;
    std::size_t written = 0;
    while (written < record.size()) {
        const ssize_t n = ::write(fd, record.data() + written, record.size() - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    ::close(fd);
    std::unique_ptr<FRM_CImage> image;
    if (written == record.size()) {
        FILE_SPEC spec{};
        std::strncpy(spec.dir.path, "/tmp", sizeof spec.dir.path - 1);
        std::strncpy(spec.name, path + 5, sizeof spec.name - 1);
        if (IMAGE read = vko_image_read(&spec)) {
            image = std::make_unique<FRM_CImage>(read);
            vko_image_destroy(read);
        }
    }
    ::unlink(path);
    return image;
}

} // namespace

bool EntryPainter::IsImageRecord(const std::string& record)
{
    return ImageOf(record) != nullptr;
}

std::unique_ptr<FRM_CImage> EntryPainter::LoadIllustration(const std::string& record,
                                                           const WordItem& artPart)
{
    if (artPart.kind() != 1 && artPart.kind() != 2)
        return nullptr;
    std::unique_ptr<FRM_CImage> image = ImageOf(record);
    if (image == nullptr)
        return nullptr;
    itsImageRecord = record;
    itsCaption.reset();
    StartLayout();
    itIsImageShown = true;
    if (artPart.kind() == 1 && artPart.length() > 0) {
        ShowCaption(artPart);
    } else if (artPart.kind() == 1) {
        ScrollToTop();
    }
    return image;
}

void EntryPainter::PrintIllustration(EntryPrintJob* job)
{
    itsJob = job;
    itIsPrinting = true;
    if (job == nullptr || job->window == nullptr)
        return;
    itsWidthCache.clear();
    const DisplaySettings saved = itsSettings;
    itsSettings.prefs.back_color = kWhite;
    itsSettings.prefs.text_color = kBlack;
    StartLayout();
    float imageBottom = static_cast<float>(itsTop);
    if (std::unique_ptr<FRM_CImage> image = ImageOf(itsImageRecord)) {
        std::int32_t width = 0, height = 0;
        image->GetDimensions(&width, &height);
        // Screen pixels become printer pixels: the picture keeps its size on paper.
        const auto attr = [](std::int32_t id, double fallback) {
            const auto value = static_cast<double>(vko_vobj_get_attr(NULL_WIN, id));
            return value > 0 ? value : fallback;
        };
        const double sx = attr(VKO_ATTR_PRINTER_HRES, 300) / attr(VKO_ATTR_SCREEN_HRES, 96);
        const double sy = attr(VKO_ATTR_PRINTER_VRES, 300) / attr(VKO_ATTR_SCREEN_VRES, 96);
        const s_rct source{0, 0, static_cast<std::int16_t>(height),
                           static_cast<std::int16_t>(width)};
        s_rct dest{};
        dest.left = static_cast<std::int16_t>(itsLeft);
        dest.top = static_cast<std::int16_t>(itsTop);
        dest.right = Clamp16(static_cast<float>(itsLeft + width * sx));
        dest.bottom = Clamp16(static_cast<float>(itsTop + height * sy));
        vko_dwin_draw_image(job->window, static_cast<IMAGE>(*image), &dest, &source);
        imageBottom = dest.bottom;
    }
    if (itsCaption != nullptr) {
        itsPenX = static_cast<float>(itsLeft);
        itsPenY = imageBottom + itsLineHeight + itsAscentOffset;
        std::size_t position = 0;
        LayOutText(*itsCaption, &position, true);
        if (!job->failed)
            DrawRunRange(itsPageFirstRun, itsRuns.size(), 0, &itsPrintState, -1e9f, 1e9f);
    }
    if (!job->failed)
        DrawFooter();
    itsSettings = saved;
}
