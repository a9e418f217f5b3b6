// onscreen_program.h: TavlinCD observed from outside on a private Xvfb, for the tests and
// benchmarks that check what the user sees after a key. The program runs in a child process on
// a slice of the WordNet demo dictionary written at start; it reports, through a pipe, where its
// panes are once started and the phases of its work as the base library's probe marks them
// (real clock). The observer types and clicks through XTest and collects what the server draws
// into the main window through the Damage extension. The server is bare or, when asked,
// managed by openbox, as users run the program. Without Xvfb, WordNet, espeak-ng (or openbox,
// when asked) the session says why (missing) and runs nothing. Every wait is for a report or a
// drawing, with a scaled deadline (test_deadline.h); the program, openbox and the server end
// with the test however it ends (child_group.h), and a window that closes while the observer
// asks about it is an X error recorded, not the end of the test.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/display/scroll_view_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/shell/kq_app.h"
#include "app/display/kq_list_box.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/program_start.h"
#include "app/shell/ref_doc.h"
#include "frm/controls/nctrls.h"
#include "tests/platform/vkobase/xvfb_test_support.h"
#include "tools/demodict/demo_writer.h"
#include "tools/demodict/description.h"
#include "vkobase/probe.h"
#include "vkobase/vkobase.h"

// Xlib last: its macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "tests/platform/vkobase/wm_test_support.h"
#include "tests/platform/vkobase/x_errors.h"

namespace onscreen {

inline constexpr char kWordNet[] = "/usr/share/wordnet";

// Seconds of the monotonic clock, which the program's reports use too.
inline double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline s_pnt Centre(const s_rct& r)
{
    return s_pnt{static_cast<std::int16_t>((r.top + r.bottom) / 2),
                 static_cast<std::int16_t>((r.left + r.right) / 2)};
}

// --- the program's side ----------------------------------------------------------------------

// What the program tells the observer: a phase mark, or once started where its panes are.
struct Report {
    std::int32_t kind = 0; // a vkov_probe_phase, or kReady
    std::int32_t begin = 0;
    double at = 0;         // seconds of the monotonic clock
    s_rct entryPane{};     // kReady: on the screen
    s_rct hitList{};
    s_rct field{};
    s_rct client{};        // the main window's client area
};
inline constexpr std::int32_t kReady = 100;

inline int theReportFd = -1;

inline void Send(const Report& report)
{
    // The pipe does not block the program: a report that does not fit is dropped.
    [[maybe_unused]] const ssize_t written = write(theReportFd, &report, sizeof report);
}

inline void OnProbe(std::int32_t phase, BOOLEAN begin, std::uint64_t nowNs)
{
    Report report;
    report.kind = phase;
    report.begin = begin;
    report.at = static_cast<double>(nowNs) * 1e-9;
    Send(report);
}

inline s_rct OnScreen(WINDOW window)
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
            SearchPageWin* page = document != nullptr && document->GetMainWindow() != nullptr
                                   ? document->GetMainWindow()->GetBasicPage()
                                   : nullptr;
            if (page == nullptr)
                continue;
            Report ready;
            ready.kind = kReady;
            ready.entryPane = OnScreen(page->GetEntryPane()->PaneWindow());
            ready.hitList = OnScreen(page->GetHitList()->GetVKOWindow());
            ready.field = OnScreen(page->GetField()->GetVKOWindow());
            ready.client = OnScreen(document->GetMainWindow()->GetVKOWindow());
            Send(ready);
            return;
        }
    }
};

inline int TavlinMain(int argc, char** argv)
{
    ReportingApp application;
    application.Go(argc, argv, 1, 0, "TavlinCD", "TavlinCD", "Dorvane-Kestle");
    return 0;
}

[[noreturn]] inline void RunTavlinCD(const std::string& display, const std::string& folder, int reportFd)
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

// --- the observer's side ---------------------------------------------------------------------

struct Damage {
    double at;
    XRectangle area; // in the main window's X window
};

inline bool Meets(const XRectangle& a, const XRectangle& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// The last time the server drew into area, or 0.
inline double LastDrawn(const std::vector<Damage>& drawn, const XRectangle& area)
{
    double last = 0;
    for (const Damage& d : drawn)
        if (Meets(d.area, area))
            last = std::max(last, d.at);
    return last;
}

// TavlinCD started on a private Xvfb on a slice of the demo dictionary, with an observer
// connection that types and clicks through XTest and sees what the server draws into the main
// window through the Damage extension.
struct Session {
    // What manages the server's windows: nothing, or openbox, which frames and places them.
    enum class Manager { kNone, kOpenbox };

    std::string why;      // empty when ready
    bool missing = false; // why names something this machine lacks
    std::string folder;
    vkotest::Xvfb server;
    vkotest::Openbox openbox; // stops before the server it runs on
    Manager manager = Manager::kNone;
    vkotest::ManagerRoundTrip managerRound;
    pid_t program = -1;
    int reports = -1;
    std::vector<Report> heard;
    Report ready;
    Display* dpy = nullptr;
    Window main = 0;
    int damageEvent = 0;
    XRectangle entryPane{}, hitList{}, field{}; // in the main X window
    bool timedOut = false;                      // the last Settle's condition never held
    static constexpr double kDeadline = 180;    // seconds, scaled, for each wait

    // On a slice of the demo written at start with these lemmas; furnish (when given) puts
    // more files in the program's folder before it starts.
    using Furnish = std::function<void(const std::string& folder)>;
    explicit Session(const std::vector<std::string>& lemmas, const Furnish& furnish = {},
                     Manager managedBy = Manager::kNone)
        : manager(managedBy)
    {
        why = Prepare(lemmas, {}, furnish);
    }
    // On a demo written before into folder, read from a folder of the program's own.
    struct WrittenDemo {};
    Session(WrittenDemo, const std::string& demo) { why = Prepare({}, demo); }
    ~Session()
    {
        if (program > 0) {
            kill(program, SIGTERM);
            vkotest::wait_for(program, 30);
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

    // The program's folder: the descriptions copied from written and its data linked, or
    // else a slice written with lemmas.
    std::string Prepare(const std::vector<std::string>& lemmas, const std::string& written,
                        const Furnish& furnish = {})
    {
        missing = true;
        if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun"))
            return "WordNet (wordnet-base) is not installed";
        if (vkotest::find_on_path("espeak-ng").empty())
            return "espeak-ng is not installed";
        if (vkotest::find_xvfb().empty())
            return "Xvfb is not installed";
        if (manager == Manager::kOpenbox && vkotest::find_on_path("openbox").empty())
            return "openbox is not installed";
        missing = false;
        folder = vkotest::make_scratch_dir("vko_onscreen_");
        if (folder.empty())
            return "cannot make the program's folder";
        if (!written.empty()) {
            std::string error;
            if (!demodict::link_demo(written, folder, &error))
                return error;
        } else {
            demodict::DemoSlice slice;
            slice.lemmas = lemmas;
            demodict::DemoReport report;
            std::string error;
            if (!demodict::write_demo(kWordNet, folder, &slice, {}, &report, &error))
                return "cannot write the demo slice: " + error;
        }
        if (furnish)
            furnish(folder);
        if (const std::string failed = vkotest::start_xvfb(server); !failed.empty())
            return failed;
        if (manager == Manager::kOpenbox)
            if (const std::string failed = openbox.start(server.display()); !failed.empty())
                return failed;
        int fds[2];
        if (pipe(fds) != 0)
            return "no pipe";
        program = vkotest::fork_child();
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
        vkotest::record_x_errors();
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

    // The window a top-level window shows: itself, or under a manager the program's window
    // inside a frame (the one the manager marked with WM_STATE).
    Window ClientOf(Window top)
    {
        if (manager == Manager::kNone || !vkotest::cardinals(dpy, top, "WM_STATE").empty())
            return top;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(dpy, top, &root, &parent, &children, &count) == 0)
            return top;
        Window client = top;
        for (unsigned i = 0; i < count && client == top; ++i)
            if (!vkotest::cardinals(dpy, children[i], "WM_STATE").empty())
                client = children[i];
        if (children != nullptr)
            XFree(children);
        return client;
    }

    // The viewable top-level windows of the server, by name ("" for unnamed), bottom to top;
    // under a manager the program's windows inside the frames.
    std::vector<std::pair<Window, std::string>> TopWindows()
    {
        std::vector<std::pair<Window, std::string>> found;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
            return found;
        for (unsigned i = 0; i < count; ++i) {
            const Window window = ClientOf(children[i]);
            XWindowAttributes a{};
            if (XGetWindowAttributes(dpy, window, &a) == 0 || a.map_state != IsViewable ||
                a.width < 20)
                continue;
            char* name = nullptr;
            std::string title;
            if (XFetchName(dpy, window, &name) != 0 && name != nullptr) {
                title = name;
                XFree(name);
            }
            found.emplace_back(window, title);
        }
        XFree(children);
        return found;
    }

    // Under a manager, waits until it has handled what the server sent it so far (a round trip
    // through it): a window shown is framed, placed and focused as it puts it. False when it
    // did not answer in time.
    bool ManagerCaughtUp()
    {
        if (manager == Manager::kNone)
            return true;
        managerRound.start(dpy);
        return vkotest::wait_until([&] { return managerRound.done(dpy); }, kDeadline);
    }

    // A window's place and size on the screen, wherever a manager put it.
    s_rct ScreenArea(Window window)
    {
        XWindowAttributes a{};
        if (XGetWindowAttributes(dpy, window, &a) == 0)
            return {};
        const auto [x, y] = vkotest::screen_origin(dpy, window);
        return s_rct{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x),
                     static_cast<std::int16_t>(y + a.height),
                     static_cast<std::int16_t>(x + a.width)};
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

    // The panes where the main window really is: a manager may place it after the program
    // told where they were. Their place within the window holds; its client area ends at the
    // window's bottom.
    void FollowTheMainWindow()
    {
        const s_rct window = ScreenArea(main);
        const auto dh = static_cast<std::int16_t>(window.left - ready.client.left);
        const auto dv = static_cast<std::int16_t>(window.bottom - ready.client.bottom);
        for (s_rct* r : {&ready.entryPane, &ready.hitList, &ready.field, &ready.client})
            vkov_rect_offset(r, dh, dv);
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
        const bool shown = vkotest::wait_until([&] {
            Hear();
            if (ready.kind == kReady)
                for (const auto& [window, title] : TopWindows())
                    if (title == demodict::kDemoReferenceName)
                        main = window;
            return main != 0;
        }, kDeadline);
        if (!shown || !ManagerCaughtUp())
            return "the main window was not shown";
        FollowTheMainWindow();
        // The splash window: the one without a name. A click closes it; one that stays is
        // clicked again.
        auto splash = [&] {
            for (const auto& [window, title] : TopWindows())
                if (title.empty())
                    return window;
            return Window{0};
        };
        const bool closed = vkotest::wait_until([&] {
            const Window open = splash();
            if (open != 0)
                Click(Centre(ScreenArea(open)));
            return open == 0;
        }, kDeadline, 200);
        if (!closed)
            return "the splash window did not close on a click";
        entryPane = InMain(ready.entryPane);
        hitList = InMain(ready.hitList);
        field = InMain(ready.field);
        XDamageCreate(dpy, main, XDamageReportRawRectangles);
        // The click is taken in once the field is drawn after it (its caret); the first key
        // typed then cannot take that drawing for its own.
        const double clicked = Now();
        Click(Centre(ready.field));
        Settle(0, 0.3, [&](const std::vector<Damage>& so_far) { return LastDrawn(so_far, field) > clicked; });
        if (timedOut)
            return "the search field was not drawn after a click on it";
        return {};
    }

    // Collects what the server draws into the main window until done holds (when given) and
    // then nothing was drawn for quiet seconds, at least atLeast seconds after it begins. Gives
    // up after kDeadline seconds (scaled), and says so in timedOut.
    std::vector<Damage> Settle(double atLeast, double quiet,
                               const std::function<bool(const std::vector<Damage>&)>& done = {})
    {
        std::vector<Damage> drawn;
        const double start = Now();
        double last = start;
        const vkotest::Deadline deadline(kDeadline);
        timedOut = false;
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
            if (now - start >= atLeast && now - last >= quiet && (!done || done(drawn)))
                break;
            if (deadline.passed()) {
                timedOut = true;
                break;
            }
            pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
            poll(&fd, 1, 1);
        }
        return drawn;
    }

    // Everything the server drew before now is read and set aside: what Settle collects next
    // was drawn after this call.
    void Sync()
    {
        XSync(dpy, False);
        while (XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
        }
        Hear();
    }

    // Types text into the field: after each key, waits until the field was drawn again, then
    // for a quiet moment. False when a key was not drawn.
    bool Type(const std::string& text)
    {
        for (const char c : text) {
            const double pressed = Now();
            Key(static_cast<KeySym>(c));
            Settle(0, 0.05, [&](const std::vector<Damage>& so_far) { return LastDrawn(so_far, field) > pressed; });
            if (timedOut)
                return false;
        }
        return true;
    }

    // The end of the first search that ended after `since`, or 0.
    double SearchEnded(double since) const { return SearchMark(since, 0); }
    // The start of the first search that began after `since`, or 0.
    double SearchStarted(double since) const { return SearchMark(since, 1); }
    double SearchMark(double since, std::int32_t begin) const
    {
        for (const Report& r : heard)
            if (r.kind == VKO_PROBE_SEARCH && r.begin == begin && r.at >= since)
                return r.at;
        return 0;
    }

    void Key(KeySym sym)
    {
        const KeyCode code = XKeysymToKeycode(dpy, sym);
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
        XFlush(dpy);
    }

    // The times the program's main thread went to sleep and was woken (its voluntary
    // context switches) so far, -1 when unknown.
    long WakeUps() const
    {
        std::ifstream status("/proc/" + std::to_string(program) + "/status");
        std::string line;
        const std::string key = "voluntary_ctxt_switches:";
        while (std::getline(status, line))
            if (line.compare(0, key.size(), key) == 0)
                return std::stol(line.substr(key.size()));
        return -1;
    }
};

} // namespace onscreen
