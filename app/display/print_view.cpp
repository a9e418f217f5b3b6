// print_view.cpp: the list and entry print jobs.
#include "app/display/print_view.h"

#include <algorithm>

#include "app/display/entry_painter.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/print.h"

PrintView::PrintView(s_printrcd* record, const PrintListSource* source, std::string title)
    : itsRecord(record), itsSource(source), itsTitle(std::move(title))
{
}

PrintView::PrintView(s_printrcd* record, const EntryPainter& painter, std::string title)
    : itsRecord(record), itsPainter(std::make_unique<EntryPainter>(painter)),
      itsTitle(std::move(title))
{
}

PrintView::~PrintView() = default;

bool PrintView::StartPrint(int kind)
{
    VKO_PRINT_ROUTINE routine = nullptr;
    if (kind == kList && itsSource != nullptr)
        routine = &PrintView::PrintList;
    itsKind = kind;
    if ((kind == kEntry || kind == kIllustration) && itsPainter != nullptr)
        routine = &PrintView::PrintWithPainter;
    itsPrintedFile.clear();
    if (routine == nullptr)
        return false;
    if (vko_print_start_thread(routine, reinterpret_cast<intptr_t>(this)) != FALSE) {
        itsPrintedFile = vkov_print_written_file();
        return true;
    }
    // The job ran and failed: the user learns it, and which file is missing (what was
    // written of it is gone, so no cut-short file looks like a print).
    const std::string file = vkov_print_unwritten_file();
    if (!file.empty())
        vko_dm_post_warning("Unable to print: the file %s could not be written.", file.c_str());
    else
        vko_dm_post_warning("%s", "Unable to print.");
    return false;
}

WINDOW PrintView::OpenWindow()
{
    if (itsRecord == nullptr)
        return nullptr;
    // The print window needs a title: an empty one still names a job.
    return vko_print_create_win(itsRecord, itsTitle.c_str());
}

BOOLEAN PrintView::PrintList(intptr_t data)
{
    auto* self = reinterpret_cast<PrintView*>(data);
    WINDOW window = self->OpenWindow();
    if (window == nullptr)
        return FALSE;
    s_rct client{};
    vko_vobj_get_client_rect(window, &client);
    vko_dwin_set_clip(window, &client);
    vko_dwin_set_font_family(window, "times");
    vko_dwin_set_font_size(window, 10);
    std::int32_t leading = 0, ascent = 0, descent = 0;
    vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    const std::int32_t h = std::max(1, leading + ascent + descent);
    const std::int32_t pageEnd = client.bottom - 2 * h;
    const auto footer = [&] {
        vko_dwin_draw_text(window, 10, client.bottom - h, kPrintFooterNotice, -1);
    };
    const auto fail = [&] {
        vko_vobj_destroy(window);
        return FALSE;
    };
    if (!vko_print_open_page(self->itsRecord))
        return fail();
    self->itsLinesPerPage = std::max(1, (pageEnd - 1) / h);
    std::int32_t y = h;
    const std::int32_t count = self->itsSource->LineCount();
    for (std::int32_t i = 0; i < count; ++i) {
        // A new page only when a line is left to print on it.
        if (y >= pageEnd) {
            footer();
            if (!vko_print_close_page(self->itsRecord) || !vko_print_open_page(self->itsRecord))
                return fail();
            y = h;
        }
        const std::string text = self->itsSource->LineText(i);
        vko_dwin_draw_text(window, 0, y, text.c_str(), static_cast<std::int32_t>(text.size()));
        y += h;
    }
    footer();
    const bool closed = vko_print_close_page(self->itsRecord) != FALSE;
    vko_vobj_destroy(window);
    return closed ? TRUE : FALSE;
}

BOOLEAN PrintView::PrintWithPainter(intptr_t data)
{
    auto* self = reinterpret_cast<PrintView*>(data);
    WINDOW window = self->OpenWindow();
    if (window == nullptr)
        return FALSE;
    EntryPrintJob job;
    job.record = self->itsRecord;
    job.window = window;
    if (!vko_print_open_page(self->itsRecord)) {
        vko_vobj_destroy(window);
        return FALSE;
    }
    if (self->itsKind == kIllustration)
        self->itsPainter->PrintIllustration(&job);
    else
        self->itsPainter->PrintEntry(&job);
    if (job.failed)
        return FALSE; // the painter destroyed the window when a page would not turn
    const bool closed = vko_print_close_page(self->itsRecord) != FALSE;
    vko_vobj_destroy(window);
    return closed ? TRUE : FALSE;
}
