// long_search_bench.cpp: the two long searches of the WordNet demo as the user sees them,
// timed from outside the program. TavlinCD runs on a private Xvfb on the demo (found or
// written as demo_folder.h says); the benchmark chooses the page and the search type with
// the keys a user would press (the View menu, then Shift+Tab to the chooser and Down), types
// the text into the field through the XTest extension and times Return until the window has
// settled: the last drawing the X server did into the main window (the Damage extension) once
// the search ended and the hit list and the entry pane were drawn after it.
//   Browse, "Entry Word ends with..." "ing" (15,196 hits in the demo)
//   Basic, "Defining text contains..." "the" (61,318 hits)
// The time of an iteration is the work after the status window's start timer: from the
// search's start (the program's probe, real clock) to that last drawing. The start timer
// itself, the engine's search and Return to the last drawing are counters, medians over the
// iterations. The first search of each runs before the timed ones: it decodes the index's
// words, as the first search of a session does.
// Without Xvfb, WordNet or espeak-ng the benchmark says why and exits with 77, which the test
// command counts as skipped.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/app/shell/demo_folder.h"
#include "onscreen_bench.h"

namespace {

using onscreen::Damage;
using onscreen::LastDrawn;
using onscreen::Now;
using onscreen::Session;
using onscreen::Smoke;

std::unique_ptr<Session> theStage;

// One long search: the View menu's key of its page, and the text typed. Its search type is
// the page's second.
struct LongSearch {
    KeySym page;
    const char* typed;
};

// Presses key (with modifier held, when given) and waits until the main window was drawn
// after it and then stayed quiet a moment.
bool Press(Session& s, KeySym key, KeySym modifier = 0)
{
    const double pressed = Now();
    if (modifier == 0) {
        s.Key(key);
    } else {
        const KeyCode held = XKeysymToKeycode(s.dpy, modifier);
        XTestFakeKeyEvent(s.dpy, held, True, CurrentTime);
        s.Key(key);
        XTestFakeKeyEvent(s.dpy, held, False, CurrentTime);
        XFlush(s.dpy);
    }
    s.Settle(0, 0.1, [&](const std::vector<Damage>& so_far) {
        return std::any_of(so_far.begin(), so_far.end(), [&](const Damage& d) { return d.at > pressed; });
    });
    return !s.timedOut;
}

KeySym theFrontPage = 0;
std::vector<KeySym> thePagesChosen;

// Brings the search's page to the front by the View menu and, the first time, chooses its
// second search type: Shift+Tab from the field to the chooser, Down, Tab back to the field.
bool ChoosePage(Session& s, const LongSearch& search)
{
    if (theFrontPage != search.page) {
        if (!Press(s, XK_Alt_L) || !Press(s, 'v') || !Press(s, search.page))
            return false;
        theFrontPage = search.page;
    }
    if (std::find(thePagesChosen.begin(), thePagesChosen.end(), search.page) != thePagesChosen.end())
        return true;
    s.Click(onscreen::Centre(s.ready.field));
    if (!Press(s, XK_Tab, XK_Shift_L) || !Press(s, XK_Down) || !Press(s, XK_Tab))
        return false;
    thePagesChosen.push_back(search.page);
    return true;
}

// One search as seen from outside; all zero when it did not show.
struct Seen {
    double total = 0;  // Return to the last drawing
    double timer = 0;  // Return to the search's start
    double work = 0;   // the search's start to the last drawing
    double search = 0; // the engine's search, by the program's probe
};

Seen SearchOnce(Session& s, const LongSearch& search)
{
    Seen seen;
    if (!s.Type(search.typed))
        return seen;
    s.Settle(0.1, 0.2); // what the type-ahead drew is on the screen
    s.Sync();
    s.heard.clear();
    const double pressed = Now();
    s.Key(XK_Return);
    // Settled once the search ended, the hit list and the entry pane were drawn after it,
    // and then nothing more was drawn for a while.
    const std::vector<Damage> drawn = s.Settle(0.15, 0.3, [&](const std::vector<Damage>& so_far) {
        const double ended = s.SearchEnded(pressed);
        return ended > 0 && LastDrawn(so_far, s.hitList) > ended && LastDrawn(so_far, s.entryPane) > ended;
    });
    const double started = s.SearchStarted(pressed);
    const double ended = s.SearchEnded(pressed);
    double last = 0;
    for (const Damage& d : drawn)
        last = std::max(last, d.at);
    if (!s.timedOut && started > 0 && last > ended) {
        seen.total = last - pressed;
        seen.timer = started - pressed;
        seen.work = last - started;
        seen.search = ended - started;
    }
    // Escape clears the pages and the entry and brings the keys back to the field.
    const double escaped = Now();
    s.Key(XK_Escape);
    s.Settle(0.05, 0.1, [&](const std::vector<Damage>& so_far) {
        return LastDrawn(so_far, s.field) > escaped || LastDrawn(so_far, s.entryPane) > escaped;
    });
    return seen;
}

void RunLongSearch(benchmark::State& state, const LongSearch& search)
{
    Session& s = *theStage;
    if (!ChoosePage(s, search)) {
        state.SkipWithError("the page or its search type could not be chosen");
        return;
    }
    if (SearchOnce(s, search).work <= 0) {
        state.SkipWithError("the first search was not shown");
        return;
    }
    std::vector<Seen> seen;
    for (auto _ : state) {
        const Seen one = SearchOnce(s, search);
        if (one.work <= 0) {
            state.SkipWithError("the search was not shown after Return");
            return;
        }
        state.SetIterationTime(one.work);
        seen.push_back(one);
    }
    const auto median = [&seen](double Seen::*field) {
        std::vector<double> values;
        for (const Seen& one : seen)
            values.push_back(one.*field);
        std::sort(values.begin(), values.end());
        return values.empty() ? 0 : values[values.size() / 2];
    };
    state.counters["total_ms"] = median(&Seen::total) * 1e3;
    state.counters["timer_ms"] = median(&Seen::timer) * 1e3;
    state.counters["work_ms"] = median(&Seen::work) * 1e3;
    state.counters["search_ms"] = median(&Seen::search) * 1e3;
}

void BM_LongSearchSettled_BrowseEndsWithIng(benchmark::State& state)
{
    RunLongSearch(state, LongSearch{'b', "ing"});
}
void BM_LongSearchSettled_BasicDefiningTextThe(benchmark::State& state)
{
    RunLongSearch(state, LongSearch{'c', "the"});
}

int Iterations() { return Smoke() ? 1 : 5; }

BENCHMARK(BM_LongSearchSettled_BrowseEndsWithIng)->UseManualTime()->Iterations(Iterations())
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongSearchSettled_BasicDefiningTextThe)->UseManualTime()->Iterations(Iterations())
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const benchdemo::Demo demo(VKO_BUILD_DEMO_DIR, Smoke());
    if (demo.folder.empty()) {
        std::printf("%s: %s\n", demo.missing ? "skipped" : "failed", demo.why.c_str());
        return demo.missing ? 77 : 1;
    }
    const int status = onscreen::RunOnWrittenDemo(argc, argv, demo.folder, theStage);
    theStage.reset();
    return status;
}
