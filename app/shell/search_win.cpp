// search_win.cpp: the search status window.
#include "app/shell/search_win.h"

#include <memory>

#include "app/pages/search_request.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "app/shell/ref_doc.h"
#include "engine/engine.h"
#include "frm/controls/nctrls.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/probe.h"

namespace {

SearchWin* theCurrent = nullptr;

constexpr unsigned long kProgressColor = 0x030000FFul;
constexpr unsigned long kWhite = 0x0BFFFFFFul;
// Made out of sight; here once the search has run two seconds.
const FRM_CRect kShownFrame(225, 250, 650, 500);
// The controls that show the query, the word last found and the progress.
constexpr std::int32_t kQueryText = 1484;
constexpr std::int32_t kFoundText = 1370;
constexpr std::int32_t kProgressRectangle = 1243;

void PumpEvents() { vko_app_process_pending_events(); }

constexpr const char* kNotAQuery =
    "Error in search text: its words and operators do not make a query that can be searched.";
constexpr const char* kTooDeep =
    "Unable to do Search: the search text is nested too deeply. Use fewer parentheses, or "
    "fewer words joined by AND, OR and NOT.";

} // namespace

SearchWin::SearchWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                     long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent)
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kSearchWindow, 0, &itsIDData);
}

void SearchWin::Begin(SearchRequest* request)
{
    itsRequest = request;
    itsStatusLine = StatusLine(request->text, request->code);
    if (auto* query = itsIDData.Get<FRM_CView>(kQueryText))
        query->SetTitle(FRM_CStringRW(itsStatusLine.c_str()));
    theCurrent = this;
    set_cancel_flag(0);
}

SearchWin::~SearchWin()
{
    for (std::int32_t* timer : {&itsTimerA, &itsTimerB, &itsTimerC})
        StopTimer(timer);
    if (theCurrent == this)
        theCurrent = nullptr;
}

SearchWin* SearchWin::Current() { return theCurrent; }

void SearchWin::ResetForTests() { theCurrent = nullptr; }

std::string SearchWin::StatusLine(const std::string& text, const std::string& code)
{
    std::string line;
    if (!code.empty() && code[0] == '0')
        line = text;
    else if (!code.empty() && code[0] == '\x01')
        line = "va=" + text; // the browse page's marker byte stands for the entry-word index
    else
        line = code + "=" + text;
    if (line.size() > kStatusLineLimit)
        line.resize(kStatusLineLimit);
    return line;
}

void SearchWin::Run(RefDoc* document, SearchRequest* request)
{
    KQedApp* application = KQedApp::Instance();
    // One search at a time: a page asked from an event handled during a search gets none.
    if (document == nullptr || request == nullptr || application == nullptr ||
        application->IsSearching() || theCurrent != nullptr)
        return;
    request->DropHits();
    request->found = 0;
    auto* window = dynamic_cast<SearchWin*>(
        KQedAppFactory::Instance().CreateWindow(document, KQedAppFactory::kSearchWindow));
    if (window == nullptr)
        return;
    window->Begin(request);
    const WINDOW handle = window->GetVKOWindow();
    window->itsTimerA = vko_timer_create(handle, kStartDelayMs);
    // The window closes itself (and the framework deletes it) when the search is over.
    vko_win_process_modal(handle);
    // The hits go back to the document once the window is gone, so that the page showing
    // them takes the keys.
    if (request->hits)
        RefDoc::CmdSearchFound::Send(*document, *request);
}

void SearchWin::StopTimer(std::int32_t* timer)
{
    if (*timer >= 0)
        vko_timer_destroy(*timer);
    *timer = -1;
}

void SearchWin::DoTimer(long timerId)
{
    if (timerId == itsTimerA) {
        StopTimer(&itsTimerA);
        itsTimerB = vko_timer_create(GetVKOWindow(), kShowAfterMs);
        RunSearch();
        return;
    }
    if (timerId == itsTimerB) {
        StopTimer(&itsTimerB);
        Size(kShownFrame);
        itIsShown = true;
        vko_dwin_invalidate_rect(GetVKOWindow(), nullptr);
        itsTimerC = vko_timer_create(GetVKOWindow(), kShownAtLeastMs);
        return;
    }
    if (timerId == itsTimerC) {
        StopTimer(&itsTimerC);
        if (itIsClosingLater)
            Close();
        return;
    }
    FRM_CWindow::DoTimer(timerId);
}

void SearchWin::RunSearch()
{
    KQedApp* application = KQedApp::Instance();
    application->BeginSearch();
    set_status_sink(this);
    set_pending_events_pump(PumpEvents);
    const std::string& code = itsRequest->code;
    std::string query;
    if (code.empty())
        query = itsRequest->text;
    else if (code[0] == '\x01')
        query = "va=" + itsRequest->text;
    else
        query = code + "=" + itsRequest->text;
    vkov_probe_mark(VKO_PROBE_SEARCH, TRUE);
    ResultList* found = nullptr;
    RunQuery(&found, query.c_str());
    std::unique_ptr<ResultList> owned(found);
    auto hits = std::make_unique<RWOrdered>();
    long all = 0;
    if (owned)
        CollectHits(owned.get(), 0, hits.get(), &all);
    vkov_probe_mark(VKO_PROBE_SEARCH, FALSE);
    set_status_sink(nullptr);
    set_pending_events_pump(nullptr);
    set_cancel_flag(0);
    StopTimer(&itsTimerB); // a short search never shows the window
    theCurrent = nullptr;
    application->EndSearch();
    if (hits->entries() == 0) {
        // A text the engine cannot read as a query is the text's fault, not a search that
        // found nothing.
        const QueryFault fault = FindQueryFault(query.c_str());
        if (fault == QueryFault::kTooDeep)
            vko_dm_post_note("%s", kTooDeep);
        else if (fault == QueryFault::kNotAQuery)
            vko_dm_post_note("%s", kNotAQuery);
        else if (!itsRequest->quiet)
            vko_dm_post_note("No Entries Found!");
    } else {
        itsRequest->hits = std::move(hits);
        itsRequest->found = all;
    }
    // A window that came into view stays at least a second: it closes when timer C fires.
    if (itsTimerC >= 0) {
        itIsClosingLater = true;
        return;
    }
    Close();
}

void SearchWin::show_message(const char* text)
{
    itsFound = text != nullptr ? text : "";
    if (auto* found = itsIDData.Get<FRM_CView>(kFoundText))
        found->SetTitle(FRM_CStringRW(itsFound.c_str()));
}

void SearchWin::show_percentage(int percent)
{
    itsPercent = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    if (itIsShown)
        DrawProgress();
}

void SearchWin::DoCommand(long command, void* data)
{
    if (command == kCmdStop) {
        set_cancel_flag(1);
        return;
    }
    FRM_CWindow::DoCommand(command, data);
}

void SearchWin::DrawProgress()
{
    const auto* rectangle = itsIDData.Get<FRM_CView>(kProgressRectangle);
    if (rectangle == nullptr)
        return;
    const FRM_CRect frame = rectangle->GetFrame();
    const float width = frame.Width() * static_cast<float>(itsPercent) / 100.0f;
    if (width <= 0)
        return;
    FRM_CDrawingContext context(this);
    context.GetEnv().SetPen(kProgressColor, 1, PAT_SOLID, P_SOLID);
    context.GetEnv().SetBrushColor(kProgressColor, kProgressColor);
    context.GetEnv().SetBackgroundColor(kWhite, kWhite);
    context.DrawRect(FRM_CRect(frame.Left(), frame.Top(), frame.Left() + width, frame.Bottom()));
}
