// table_fuzz.cpp: libFuzzer target for the table and illustration records of a
// dictionary's "tables" and "art" data sets. Each input is one record; the entry display
// reads it as a table (a picture alone) and as an illustration (a picture with its caption
// laid out below), and the picture is drawn into a headless window at its own size, as the
// table and illustration windows show it.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/worditem.h"
#include "frm/views/cimage.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/headless_display.h"
#include "ruk/static/vkoruk.h"

namespace {

void draw(const FRM_CImage& image)
{
    std::int32_t width = 0, height = 0;
    image.GetDimensions(&width, &height);
    if (width <= 0 || height <= 0)
        __builtin_trap();  // a picture read has pixels
    const auto side = [](std::int32_t n) { return static_cast<std::int16_t>(n < 32767 ? n : 32767); };
    const s_rct source{0, 0, side(height), side(width)};
    const s_rct dest{10, 10, side(height + 10), side(width + 10)};
    vko_dwin_draw_image(fuzzsupport::headless_window(), static_cast<IMAGE>(image), &dest, &source);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const WINDOW window = fuzzsupport::headless_window();
    fuzzsupport::HeadlessPane pane;
    EntryPainter painter(&pane, window);
    const std::string record = fuzzsupport::as_string(data, size);

    WordItem table("");
    table.set_kind(2);
    if (std::unique_ptr<FRM_CImage> image = painter.LoadIllustration(record, table))
        draw(*image);

    WordItem illustration("A figure drawn with its caption below it");
    illustration.set_kind(1);
    if (std::unique_ptr<FRM_CImage> image = painter.LoadIllustration(record, illustration)) {
        draw(*image);
        painter.Redraw(0);
    }
    return 0;
}
