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
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/display/entry_key_table.h"
#include "app/display/entry_painter.h"
#include "app/display/prefs.h"
#include "app/display/scroll_view_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/settings/config_dict.h"
#include "app/settings/settings_files.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_list_box.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/program_start.h"
#include "app/shell/ref_doc.h"
#include "engine/engine.h"
#include "engine/worditem.h"
#include "frm/controls/nctrls.h"
#include "tests/platform/vkobase/xvfb_test_support.h"
#include "tools/demodict/demo_writer.h"
#include "tools/demodict/description.h"
#include "vkobase/probe.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

// Xlib last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kWordNet[] = "/usr/share/wordnet";
// The status window's start timer: the search begins this long after Return.
constexpr int kStartTimerMs = 100;
// Nouns with an entry of the usual size, and the demo's longest entry.
const std::vector<std::string> kTypicalWords = {
    "cat",    "dog",  "house",  "tree",     "river",  "music", "paper",
    "window", "garden", "letter", "bread",  "cloud",  "horse", "island",
    "lamp",   "mountain", "ocean", "pencil", "school", "table"};
constexpr char kLongestWord[] = "break[2]";

bool Smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

double Now() { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// --- the program's side ----------------------------------------------------------------------

// What the program tells the benchmark: a phase mark, or once started where its panes are.
struct Report {
    std::int32_t kind = 0; // a vkov_probe_phase, or kReady
    std::int32_t begin = 0;
    double at = 0;         // seconds of the monotonic clock
    s_rct entryPane{};     // kReady: on the screen
    s_rct hitList{};
    s_pnt field{};
};
constexpr std::int32_t kReady = 100;

int theReportFd = -1;

void Send(const Report& report)
{
    // The pipe does not block the program: a report that does not fit is dropped.
    [[maybe_unused]] const ssize_t written = write(theReportFd, &report, sizeof report);
}

void OnProbe(std::int32_t phase, BOOLEAN begin, std::uint64_t nowNs)
{
    Report report;
    report.kind = phase;
    report.begin = begin;
    report.at = static_cast<double>(nowNs) * 1e-9;
    Send(report);
}

s_rct OnScreen(WINDOW window)
{
    s_rct client{};
    vko_vobj_get_client_rect(window, &client);
    s_pnt corners[2] = {{client.top, client.left}, {client.bottom, client.right}};
    vkok_vobj_translate_points(window, reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW)),
                               corners, 2);
    return s_rct{corners[0].v, corners[0].h, corners[1].v, corners[1].h};
}

// TavlinCD as its main starts it, telling where its panes are once it has started.
class ReportingApp : public KQedApp {
public:
    void StartUp() override
    {
        KQedApp::StartUp();
        const RWOrdered* documents = GetDocuments();
        for (std::size_t i = 0; documents != nullptr && i < documents->entries(); ++i) {
            auto* document = dynamic_cast<RefDoc*>((*documents)[i]);
            KQBasicWin* page = document != nullptr && document->GetMainWindow() != nullptr
                                   ? document->GetMainWindow()->GetBasicPage()
                                   : nullptr;
            if (page == nullptr)
                continue;
            Report ready;
            ready.kind = kReady;
            ready.entryPane = OnScreen(page->GetEntryPane()->PaneWindow());
            ready.hitList = OnScreen(page->GetHitList()->GetVKOWindow());
            const s_rct field = OnScreen(page->GetField()->GetVKOWindow());
            ready.field = s_pnt{static_cast<std::int16_t>((field.top + field.bottom) / 2),
                                static_cast<std::int16_t>((field.left + field.right) / 2)};
            Send(ready);
            return;
        }
    }
};

int TavlinMain(int argc, char** argv)
{
    ReportingApp application;
    application.Go(argc, argv, 1, 0, "TavlinCD", "TavlinCD", "Dorvane-Kestle");
    return 0;
}

[[noreturn]] void RunTavlinCD(const std::string& display, const std::string& folder, int reportFd)
{
    setenv("DISPLAY", display.c_str(), 1);
    setenv("HOME", folder.c_str(), 1);
    if (chdir(folder.c_str()) != 0)
        _exit(2);
    theReportFd = reportFd;
    vkov_probe_set_sink(OnProbe);
    char name[] = "TavlinCD";
    char* argv[] = {name, nullptr};
    RunProgram(1, argv, TavlinMain);
    _exit(0);
}

// --- the benchmark's side --------------------------------------------------------------------

struct Damage {
    double at;
    XRectangle area; // in the main window's X window
};

struct Stage {
    std::string why;      // empty when ready
    bool missing = false; // why names something this machine lacks
    std::string folder;
    vkotest::Xvfb server;
    pid_t program = -1;
    int reports = -1;
    std::vector<Report> heard;
    Report ready;
    Display* dpy = nullptr;
    Window main = 0;
    int damageEvent = 0;
    XRectangle entryPane{}, hitList{}; // in the main X window

    Stage() { why = Prepare(); }
    ~Stage()
    {
        if (program > 0) {
            kill(program, SIGTERM);
            vkotest::wait_for(program, 20);
        }
        if (dpy != nullptr)
            XCloseDisplay(dpy);
        if (reports >= 0)
            close(reports);
        if (!folder.empty()) {
            std::error_code code;
            std::filesystem::remove_all(folder, code);
        }
    }

    std::string Prepare()
    {
        missing = true;
        if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun"))
            return "WordNet (wordnet-base) is not installed";
        if (vkotest::find_on_path("espeak-ng").empty())
            return "espeak-ng is not installed";
        if (vkotest::find_xvfb().empty())
            return "Xvfb is not installed";
        missing = false;
        folder = vkotest::make_scratch_dir("vko_return_bench_");
        demodict::DemoSlice slice;
        slice.lemmas = kTypicalWords;
        slice.lemmas.push_back(std::string(kLongestWord).substr(0, std::string(kLongestWord).find('[')));
        demodict::DemoReport written;
        std::string error;
        if (folder.empty() || !demodict::write_demo(kWordNet, folder, &slice, {}, &written, &error))
            return "cannot write the demo slice: " + error;
        if (const std::string failed = vkotest::start_xvfb(server); !failed.empty())
            return failed;
        int fds[2];
        if (pipe(fds) != 0)
            return "no pipe";
        program = fork();
        if (program == 0) {
            close(fds[0]);
            fcntl(fds[1], F_SETFL, O_NONBLOCK);
            RunTavlinCD(server.display(), folder, fds[1]);
        }
        close(fds[1]);
        reports = fds[0];
        fcntl(reports, F_SETFL, O_NONBLOCK);
        if (program < 0)
            return "cannot start the program";
        dpy = XOpenDisplay(server.display().c_str());
        if (dpy == nullptr)
            return "cannot connect to the private X server";
        int error_base = 0;
        if (!XDamageQueryExtension(dpy, &damageEvent, &error_base))
            return "the X server has no Damage extension";
        int ignored = 0;
        if (!XTestQueryExtension(dpy, &ignored, &ignored, &ignored, &ignored))
            return "the X server has no XTEST extension";
        return Start();
    }

    void Hear()
    {
        Report report;
        while (read(reports, &report, sizeof report) == static_cast<ssize_t>(sizeof report)) {
            if (report.kind == kReady)
                ready = report;
            else
                heard.push_back(report);
        }
    }

    // The viewable top-level windows of the server, by name ("" for unnamed).
    std::vector<std::pair<Window, std::string>> TopWindows()
    {
        std::vector<std::pair<Window, std::string>> found;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
            return found;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a{};
            if (XGetWindowAttributes(dpy, children[i], &a) == 0 || a.map_state != IsViewable || a.width < 20)
                continue;
            char* name = nullptr;
            std::string title;
            if (XFetchName(dpy, children[i], &name) != 0 && name != nullptr) {
                title = name;
                XFree(name);
            }
            found.emplace_back(children[i], title);
        }
        XFree(children);
        return found;
    }

    XRectangle InMain(const s_rct& screen)
    {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(dpy, DefaultRootWindow(dpy), main, screen.left, screen.top, &x, &y, &child);
        return XRectangle{static_cast<short>(x), static_cast<short>(y),
                          static_cast<unsigned short>(screen.right - screen.left),
                          static_cast<unsigned short>(screen.bottom - screen.top)};
    }

    void Click(s_pnt at)
    {
        XTestFakeMotionEvent(dpy, -1, at.h, at.v, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
        XSync(dpy, False);
    }

    // Waits for the main window, closes the splash window over it and puts the keys in the
    // field.
    std::string Start()
    {
        const double giveUp = Now() + 60;
        while (main == 0 && Now() < giveUp) {
            Hear();
            if (ready.kind == kReady)
                for (const auto& [window, title] : TopWindows())
                    if (title == demodict::kDemoReferenceName)
                        main = window;
            usleep(20000);
        }
        if (main == 0)
            return "the main window was not shown within a minute";
        // The splash window: the one without a name. A click closes it.
        for (int tries = 0; tries < 100; ++tries) {
            Window splash = 0;
            for (const auto& [window, title] : TopWindows())
                if (title.empty())
                    splash = window;
            if (splash == 0)
                break;
            XWindowAttributes a{};
            XGetWindowAttributes(dpy, splash, &a);
            Click(s_pnt{static_cast<std::int16_t>(a.y + a.height / 2), static_cast<std::int16_t>(a.x + a.width / 2)});
            usleep(50000);
        }
        entryPane = InMain(ready.entryPane);
        hitList = InMain(ready.hitList);
        XDamageCreate(dpy, main, XDamageReportRawRectangles);
        Click(ready.field);
        Settle(0.3, 0.3);
        return {};
    }

    // Collects what the server draws into the main window until nothing was drawn for quiet
    // seconds, at least atLeast seconds after it begins and once done (when given) holds, at
    // most 10 seconds.
    std::vector<Damage> Settle(double atLeast, double quiet,
                               const std::function<bool(const std::vector<Damage>&)>& done = {})
    {
        std::vector<Damage> drawn;
        const double start = Now();
        double last = start;
        while (true) {
            while (XPending(dpy) > 0) {
                XEvent event;
                XNextEvent(dpy, &event);
                if (event.type == damageEvent + XDamageNotify) {
                    const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                    last = Now();
                    drawn.push_back(Damage{last, damage.area});
                }
            }
            Hear();
            const double now = Now();
            if ((now - start >= atLeast && now - last >= quiet && (!done || done(drawn))) ||
                now - start > 10)
                break;
            pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
            poll(&fd, 1, 1);
        }
        return drawn;
    }

    void Key(KeySym sym)
    {
        const KeyCode code = XKeysymToKeycode(dpy, sym);
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
        XFlush(dpy);
    }
};

std::unique_ptr<Stage> theStage;

bool Meets(const XRectangle& a, const XRectangle& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// The last time the server drew into area, or 0.
double LastDrawn(const std::vector<Damage>& drawn, const XRectangle& area)
{
    double last = 0;
    for (const Damage& d : drawn)
        if (Meets(d.area, area))
            last = std::max(last, d.at);
    return last;
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

LookUp LookUpWord(Stage& s, const std::string& word, std::vector<double>* keys)
{
    LookUp result;
    for (const char c : word) {
        const double pressed = Now();
        s.Key(static_cast<KeySym>(c));
        const std::vector<Damage> drawn = s.Settle(0.02, 0.03);
        if (const double last = LastDrawn(drawn, s.hitList); last > 0 && keys != nullptr)
            keys->push_back(last - pressed);
    }
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
    const double shown = LastDrawn(drawn, s.entryPane);
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
    s.Key(XK_Escape);
    s.Settle(0.05, 0.1);
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

    explicit EntryDisplay(const Stage& s)
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
    Stage& s = *theStage;
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The program is started before this process uses the base library itself: the entry
    // display alone runs here in test mode, which a started program must not inherit.
    theStage = std::make_unique<Stage>();
    if (!theStage->why.empty()) {
        const bool missing = theStage->missing;
        std::printf("%s: %s\n", missing ? "skipped" : "failed", theStage->why.c_str());
        theStage.reset();
        return missing ? 77 : 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theDisplay.reset();
    theStage.reset();
    return 0;
}
