// entry_painter_print.cpp: printing the entry. The stored entry is laid out again onto the
// job's pages in black on white; a line that passes the page's foot ends the page (its runs
// drawn, the footer notice below them) and starts the next. A page that cannot be closed or
// opened fails the job, which then draws nothing more.
#include "app/display/entry_painter.h"

#include "app/display/display_text.h"
#include "app/display/entry_painter_internal.h"
#include "ruk/static/vkoruk.h"

using namespace entry_paint;

bool EntryPainter::FitsOnPage()
{
    return !itIsPrinting ||
           itsPenY + static_cast<float>(itsDescent) <= static_cast<float>(itsBottom);
}

// Ends the printed page: draws its runs up to drawEnd and the footer, closes the page and
// opens the next one. False (the job failed, its window destroyed) when either fails.
bool EntryPainter::NextPage(std::size_t drawEnd)
{
    if (itsJob == nullptr || itsJob->failed || itsJob->window == nullptr)
        return false;
    DrawRunRange(itsPageFirstRun, drawEnd, 0, &itsPrintState, -1e9f, 1e9f);
    itsPageFirstRun = drawEnd;
    DrawFooter();
    if (!vko_print_close_page(itsJob->record) || !vko_print_open_page(itsJob->record)) {
        vko_vobj_destroy(itsJob->window);
        itsJob->window = nullptr;
        itsJob->failed = true;
        return false;
    }
    itsWindowFont = WindowFont{};
    itsPenX = static_cast<float>(itsLeft);
    itsPenY = static_cast<float>(itsTop);
    itsPageLines = 0;
    return true;
}

void EntryPainter::DrawFooter()
{
    if (!itIsPrinting || itsJob == nullptr || itsJob->window == nullptr)
        return;
    s_rct client{};
    vko_vobj_get_client_rect(itsJob->window, &client);
    vko_dwin_set_font_family(itsJob->window, "times");
    vko_dwin_draw_text(itsJob->window, itsLeft, client.bottom - itsLineHeight, kPrintFooterNotice,
                       -1);
    itsWindowFont.family = -1;
    SyncFont(itsSettings, false);
}

void EntryPainter::PrintEntry(EntryPrintJob* job)
{
    itsJob = job;
    itIsPrinting = true;
    if (job == nullptr || job->window == nullptr)
        return;
    itsWidthCache.clear(); // the screen's widths are not the printer's
    const DisplaySettings saved = itsSettings;
    itsSettings.prefs.back_color = kWhite;
    itsSettings.prefs.text_color = kBlack;
    ShowEntry(itsParts);
    itsSettings = saved;
}
