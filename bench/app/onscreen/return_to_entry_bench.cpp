// return_to_entry_bench.cpp: what the user sees, timed from outside the program. TavlinCD
// runs on a private Xvfb on a slice of the WordNet demo dictionary written at start; the
// benchmark types words into its field through the XTest extension and times, from the X
// server's side (the Damage extension), Return to the last drawing of the entry pane, and
// each typed key to the last drawing of the hit list. The program reports its phases (the
// search, laying the entry out, painting, copying to the display) with the real clock
// through a pipe, so each look-up is broken down: the status window's start timer, the
// search, layout, drawing, flushes and the rest.
//
// The work after the start timer (from the search's start to the entry pane drawn on the
// server) is set against the same entries formatted, laid out and drawn by the entry display
// alone into a window of the entry pane's size, in this process and in the same order: one
// after the other, and each after a pause as long as the start timer.
// Typical entries are 20 common nouns; the longest is the demo's longest entry, the verb
// "break", typed as its line of the hit list ("break[2]") so that Return shows it.
// Without Xvfb, WordNet or espeak-ng the benchmark says why and exits with 77, which the
// test command counts as skipped.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/display/entry_key_table.h"
#include "app/display/entry_painter.h"
#include "app/settings/prefs.h"
#include "app/settings/config_dict.h"
#include "app/settings/settings_files.h"
#include "engine/engine.h"
#include "engine/worditem.h"
#include "onscreen_bench.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"

namespace {

using onscreen::Damage;
using onscreen::LastDrawn;
using onscreen::Now;
using onscreen::Report;
using onscreen::Session;
using onscreen::Smoke;

// The status window's start timer: the search begins this long after Return.
constexpr int kStartTimerMs = 100;
// Nouns with an entry of the usual size, and the demo's longest entry.
const std::vector<std::string> kTypicalWords = {
    "cat",    "dog",  "house",  "tree",     "river",  "music", "paper",
    "window", "garden", "letter", "bread",  "cloud",  "horse", "island",
    "lamp",   "mountain", "ocean", "pencil", "school", "table"};
constexpr char kLongestWord[] = "break[2]";

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One look-up as seen from outside, broken down by the program's phases.
struct LookUp {
    double total = 0;   // Return to the entry pane drawn
    double timer = 0;   // Return to the search's start
    double work = 0;    // the search's start to the entry pane drawn
    double phase[5] = {}; // by vkov_probe_phase, time spent in it and no inner phase
    int paints = 0;     // update events handled
    int flushes = 0;    // copies to the display that showed something
    double pixels = 0;  // drawn into the main window on the server
    bool ok = false;
};

// The phases heard between from and to, each counted without the phases inside it.
void Attribute(const std::vector<Report>& heard, double from, double to, LookUp* out)
{
    struct Open {
        std::int32_t kind;
        double since;
    };
    std::vector<Open> stack;
    for (const Report& r : heard) {
        if (r.at < from || r.at > to || r.kind < 1 || r.kind > 4)
            continue;
        if (r.begin != 0) {
            if (!stack.empty())
                out->phase[stack.back().kind] += r.at - stack.back().since;
            stack.push_back(Open{r.kind, r.at});
            if (r.kind == VKO_PROBE_DRAWING && stack.size() == 1)
                ++out->paints;
            if (r.kind == VKO_PROBE_FLUSH)
                ++out->flushes;
            continue;
        }
        if (stack.empty() || stack.back().kind != r.kind)
            continue;
        out->phase[r.kind] += r.at - stack.back().since;
        stack.pop_back();
        if (!stack.empty())
            stack.back().since = r.at;
    }
}

LookUp LookUpWord(Session& s, const std::string& word, std::vector<double>* keys)
{
    LookUp result;
    for (const char c : word) {
        const double pressed = Now();
        s.Key(static_cast<KeySym>(c));
        // Handled once the field shows the key, then a quiet moment for the list.
        const std::vector<Damage> drawn = s.Settle(0.02, 0.03, [&](const std::vector<Damage>& so_far) {
            return LastDrawn(so_far, s.field) > pressed;
        });
        if (const double last = LastDrawn(drawn, s.hitList); last > 0 && keys != nullptr)
            keys->push_back(last - pressed);
    }
    s.Sync();
    s.heard.clear();
    const double pressed = Now();
    s.Key(XK_Return);
    // Done once the entry pane was drawn after the search ended: a slow machine may take
    // longer than any quiet time between the start timer and the drawing.
    const std::vector<Damage> drawn = s.Settle(0.15, 0.1, [&](const std::vector<Damage>& so_far) {
        double ended = 0;
        for (const Report& r : s.heard)
            if (r.kind == VKO_PROBE_SEARCH && r.begin == 0 && r.at >= pressed)
                ended = r.at;
        return ended > 0 && LastDrawn(so_far, s.entryPane) > ended;
    });
    const double shown = s.timedOut ? 0 : LastDrawn(drawn, s.entryPane);
    double started = 0;
    for (const Report& r : s.heard)
        if (r.kind == VKO_PROBE_SEARCH && r.begin != 0 && r.at >= pressed) {
            started = r.at;
            break;
        }
    if (shown > 0 && started > 0 && shown > started) {
        // An entry was shown: one was laid out (a search without hits draws none).
        result.ok = std::any_of(s.heard.begin(), s.heard.end(), [&](const Report& r) {
            return r.kind == VKO_PROBE_LAYOUT && r.at > started && r.at < shown;
        });
        result.total = shown - pressed;
        result.timer = started - pressed;
        result.work = shown - started;
        Attribute(s.heard, started, shown, &result);
        for (const Damage& d : drawn)
            if (d.at <= shown)
                result.pixels += static_cast<double>(d.area.width) * d.area.height;
    }
    // Escape clears the pages and the entry and brings the keys back to the field.
    const double escaped = Now();
    s.Key(XK_Escape);
    s.Settle(0.05, 0.1, [&](const std::vector<Damage>& so_far) {
        return LastDrawn(so_far, s.field) > escaped || LastDrawn(so_far, s.entryPane) > escaped;
    });
    return result;
}

// --- the entry display alone -----------------------------------------------------------------

class Pane : public EntryPane {
public:
    explicit Pane(s_rct frame) : itsFrame(frame) {}
    s_rct PaneFrame() const override { return itsFrame; }
    void SetLineStep(std::int16_t) override {}
    float ScrollOriginY() const override { return 0; }
    void SetScrollOriginY(float) override {}
    void SetScrollRange(std::int32_t, std::int32_t) override {}
    void SetPaneColors(std::uint32_t, std::uint32_t) override {}

private:
    s_rct itsFrame;
};

std::int32_t NoEvents(WINDOW, EVENT*) { return 0; }

// The entry display on its own, in this process (headless): the demo slice's description,
// a window as large as the program's entry pane, the program's default preferences.
struct EntryDisplay {
    RWOrdered descriptions;
    EntryKeyTable table;
    WINDOW window = nullptr;
    std::unique_ptr<Pane> pane;
    std::unique_ptr<EntryPainter> painter;
    bool ok = false;

    explicit EntryDisplay(const Session& s)
    {
        vkov_test_reset_all();
        vkov_debug_draw_log_enable(FALSE); // a real run keeps no drawing log
        SettingsFiles().ReadDescriptions(&descriptions, s.folder);
        if (descriptions.entries() == 0)
            return;
        auto* description = static_cast<configDict*>(descriptions[0]);
        description->SetBaseDir((s.folder + "/" + description->base_dir().data()).c_str());
        const s_rct frame{0, 0, static_cast<std::int16_t>(s.ready.entryPane.bottom - s.ready.entryPane.top),
                          static_cast<std::int16_t>(s.ready.entryPane.right - s.ready.entryPane.left)};
        window = vkok_win_create(W_DOC, &frame, "entry", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL, NoEvents, 0);
        pane = std::make_unique<Pane>(frame);
        painter = std::make_unique<EntryPainter>(pane.get(), window);
        painter->SetColors(DefaultPrefs());
        ok = table.Matches(description);
    }
    ~EntryDisplay()
    {
        painter.reset();
        descriptions.clearAndDestroy();
    }

    // Seconds to format, lay out and draw the entry that Return shows for word ("word" its
    // first hit, "word[n]" its n-th); negative when there is none.
    double Show(const std::string& word, bool afterPause)
    {
        const std::size_t open = word.find('[');
        const std::size_t index = open == std::string::npos ? 0 : std::stoul(word.substr(open + 1)) - 1;
        ResultList* found = nullptr;
        RunQuery(&found, ("va=" + word.substr(0, open)).c_str());
        std::unique_ptr<ResultList> owned(found);
        RWOrdered* hits = owned ? CollectHits(nullptr, owned.get(), 0) : nullptr;
        double seconds = -1;
        if (hits != nullptr && hits->entries() > index) {
            if (afterPause)
                usleep(static_cast<useconds_t>(kStartTimerMs * 1000));
            const double start = Now();
            table.FormatEntryText(static_cast<WordItem*>((*hits)[index]), painter.get(), nullptr);
            seconds = Now() - start;
        }
        if (hits != nullptr) {
            hits->clearAndDestroy();
            delete hits;
        }
        return seconds;
    }
};

std::unique_ptr<Session> theStage;
std::unique_ptr<EntryDisplay> theDisplay;

// The words looked up, in order: the typical ones, or the longest one a few times.
std::vector<std::string> Words(bool longest)
{
    if (longest)
        return std::vector<std::string>(Smoke() ? 1 : 5, kLongestWord);
    return Smoke() ? std::vector<std::string>(kTypicalWords.begin(), kTypicalWords.begin() + 3) : kTypicalWords;
}

void ReturnToEntryDrawn(benchmark::State& state, bool longest)
{
    Session& s = *theStage;
    const std::vector<std::string> words = Words(longest);
    std::vector<LookUp> seen;
    std::vector<double> keys;
    std::size_t next = 0;
    for (auto _ : state) {
        const LookUp l = LookUpWord(s, words[next++ % words.size()], &keys);
        if (!l.ok) {
            state.SkipWithError("the entry was not drawn after Return");
            return;
        }
        state.SetIterationTime(l.total);
        seen.push_back(l);
    }
    // The same entries, in the same order, drawn by the entry display alone.
    if (!theDisplay)
        theDisplay = std::make_unique<EntryDisplay>(s);
    // Once in a row, and once each after a pause as long as the start timer, which the
    // program's work follows: the processor's caches are then as cold as the program's.
    std::vector<double> alone, afterPause;
    for (std::size_t i = 0; theDisplay->ok && i < seen.size(); ++i)
        alone.push_back(theDisplay->Show(words[i % words.size()], false));
    for (std::size_t i = 0; theDisplay->ok && i < seen.size(); ++i)
        afterPause.push_back(theDisplay->Show(words[i % words.size()], true));
    const auto failed = [](const std::vector<double>& times) {
        return times.empty() || *std::min_element(times.begin(), times.end()) < 0;
    };
    if (failed(alone) || failed(afterPause)) {
        state.SkipWithError("the entry display alone could not show the entries");
        return;
    }
    const auto median = [&seen](auto field) {
        std::vector<double> values;
        for (const LookUp& l : seen)
            values.push_back(field(l));
        return Median(values);
    };
    state.counters["total_ms"] = median([](const LookUp& l) { return l.total; }) * 1e3;
    state.counters["timer_ms"] = median([](const LookUp& l) { return l.timer; }) * 1e3;
    const double work = median([](const LookUp& l) { return l.work; });
    state.counters["work_us"] = work * 1e6;
    state.counters["search_us"] = median([](const LookUp& l) { return l.phase[VKO_PROBE_SEARCH]; }) * 1e6;
    state.counters["layout_us"] = median([](const LookUp& l) { return l.phase[VKO_PROBE_LAYOUT]; }) * 1e6;
    state.counters["drawing_us"] = median([](const LookUp& l) { return l.phase[VKO_PROBE_DRAWING]; }) * 1e6;
    state.counters["flush_us"] = median([](const LookUp& l) { return l.phase[VKO_PROBE_FLUSH]; }) * 1e6;
    state.counters["other_us"] = median([](const LookUp& l) {
        double rest = l.work;
        for (double p : l.phase)
            rest -= p;
        return rest;
    }) * 1e6;
    state.counters["paints"] = median([](const LookUp& l) { return l.paints; });
    state.counters["flushes"] = median([](const LookUp& l) { return l.flushes; });
    state.counters["kpixels"] = median([](const LookUp& l) { return l.pixels; }) / 1e3;
    const double baseline = Median(alone);
    const double baselineAfterPause = Median(afterPause);
    state.counters["alone_us"] = baseline * 1e6;
    state.counters["work_vs_alone"] = baseline > 0 ? work / baseline : 0;
    state.counters["alone_after_pause_us"] = baselineAfterPause * 1e6;
    state.counters["work_vs_alone_after_pause"] = baselineAfterPause > 0 ? work / baselineAfterPause : 0;
    if (!keys.empty())
        state.counters["key_ms"] = Median(keys) * 1e3;
}

void BM_ReturnToEntryDrawn_Typical(benchmark::State& state) { ReturnToEntryDrawn(state, false); }
void BM_ReturnToEntryDrawn_Longest(benchmark::State& state) { ReturnToEntryDrawn(state, true); }

BENCHMARK(BM_ReturnToEntryDrawn_Typical)
    ->UseManualTime()
    ->Iterations(static_cast<benchmark::IterationCount>(Words(false).size()))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReturnToEntryDrawn_Longest)
    ->UseManualTime()
    ->Iterations(static_cast<benchmark::IterationCount>(Words(true).size()))
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The program is started before this process uses the base library itself: the entry
    // display alone runs here in test mode, which a started program must not inherit.
    std::vector<std::string> lemmas = kTypicalWords;
    lemmas.push_back(std::string(kLongestWord).substr(0, std::string(kLongestWord).find('[')));
    const int status = onscreen::RunOnStage(argc, argv, lemmas, theStage);
    theDisplay.reset();
    theStage.reset();
    return status;
}
