// paste_and_type_ahead_x11_test.cpp: TavlinCD as a user meets it at a fresh desktop session,
// on a private Xvfb without a window manager and under openbox, on a slice of the demo
// dictionary. A script inside the program (one step per timer tick) types and clicks through
// XTest and logs what the program then shows; the test compares the log.
// - Nobody owns the clipboard when the program starts; once the search field has the keys,
//   another program (xclip) copies a word: Edit > Paste must come on by itself and Ctrl+V
//   paste the word into the field.
// - A word, Return and at once (0 or 20 ms later, from a typist of its own) Down or Ctrl+F:
//   the key must do, after the search, what it does after a search that took no time (Down
//   selects the second hit, Ctrl+F brings the other main window forward with the keys).
// - Text that is not UTF-8 on the clipboard at start is read without a word on stderr.
// gtest and the program's headers first: Xlib's macros (None, Bool) would break them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/display/kq_list_box.h"
#include "app/pages/search_page_win.h"
#include "app/shell/kq_app.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/splash_win.h"
#include "frm/controls/nctrls.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/csubmenu.h"
#include "resources/menu_tags.h"
#include "tools/demodict/demo_writer.h"
#include "vkobase/vkobase.h"
#include "../../../platform/vkobase/src/core_internal.h"
#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/menu_internal.h"
#include "../../platform/vkobase/wm_test_support.h"
#include "action_taken_in.h"
#include "scripted_app.h"
#include "../../platform/vkobase/xtest_hand.h"
#include "../../support/temp_dir.h"

#include <X11/keysym.h>

namespace {

enum class Trial { kCopyAfterStart, kKeysAfterReturn, kStartOnBadText };

// A key typed right after Return, and what it must have done once the search is over.
struct KeyAfterReturn {
    const char* name;
    KeySym key;
    bool control;
    int delayMs;
};
const KeyAfterReturn kKeysAfterReturn[] = {
    {"Down", XK_Down, false, 0},
    {"Down", XK_Down, false, 20},
    {"Ctrl+F", XK_f, true, 0},
    {"Ctrl+F", XK_f, true, 20},
};

struct Script {
    Trial trial = Trial::kCopyAfterStart;
    std::string log;
    std::string display;
    bool wm = false;
    Display* probe = nullptr;  // asks the server as another client
    int step = 0;
    vkotest::StepClock clock;  // a step that waits too long stops the run
    vkotest::Deadline patience{30};
    vkotest::ActionTakenIn takenIn;  // the wait after each action of the script
    bool acted = false;
    pid_t helper = -1;  // xclip, or the typist of the keys after Return
    std::size_t trialKey = 0;  // the key of kKeysAfterReturn being tried
    MainRefWin* typedIn = nullptr;  // the window whose field the word went into
};

Script& script()
{
    static Script s;
    return s;
}

void Log(const std::string& line) { vkotest::append_line(script().log, line); }

void Next(int step)
{
    script().step = step;
    script().patience = vkotest::Deadline(30);
    script().takenIn.restart();
    script().acted = false;
}

bool Patient() { return !script().patience.passed(); }

// Whether what the script did last has been taken in: the window manager, when there is one,
// has handled it, and the program has read what the server sent since and done its work.
bool TakenIn()
{
    Script& s = script();
    return s.takenIn(s.wm, s.probe);
}

void Acted()
{
    script().acted = true;
    script().takenIn.restart();
}

KQedApp& App() { return *KQedApp::Instance(); }

MainRefWin* MainWindow(std::size_t index)
{
    const auto& windows = App().GetWindowList();
    return windows.size() > index ? dynamic_cast<MainRefWin*>(windows[index]) : nullptr;
}

Window XWin(FRM_CWindow* window)
{
    return window != nullptr ? static_cast<Window>(vkobase::display_xwindow_of(window->GetVKOWindow())) : 0;
}

template <class W> bool Ready(W* window) { return vkotest::shown_and_framed(script().probe, XWin(window), script().wm); }

s_pnt Centre(const s_rct& r)
{
    return s_pnt{static_cast<std::int16_t>((r.top + r.bottom) / 2), static_cast<std::int16_t>((r.left + r.right) / 2)};
}

s_pnt CentreOf(const FRM_CView* view)
{
    s_pnt at = Centre(static_cast<s_rct>(view->GetGlobalFrame()));
    vkok_vobj_translate_points(view->GetCWindow()->GetVKOWindow(), nullptr, &at, 1);
    return at;
}

bool Within(WINDOW win, WINDOW outer)
{
    for (; win != nullptr; win = win->parent)
        if (win == outer)
            return true;
    return false;
}

bool FieldHasFocus(MainRefWin* window)
{
    return Within(vkok_scr_get_focus_vobj(), window->GetFrontPage()->GetField()->GetVKOWindow());
}

// Whether the window's search field has the keys, clicked (again once a click was taken in
// and it has not) until it has.
bool FieldTakesKeys(MainRefWin* window)
{
    if (FieldHasFocus(window))
        return true;
    if (script().acted && !TakenIn())
        return false;
    if (FieldHasFocus(window))
        return true;
    const s_pnt at = CentreOf(window->GetFrontPage()->GetField());
    vkotest::XTestHand().click(at.h, at.v);
    Acted();
    return false;
}

// The splash closed with a click and the main window shown; true once so.
bool Started()
{
    SplashWin* splash = App().GetSplash();
    if (splash != nullptr) {
        if (Ready(splash) && (!script().acted || TakenIn())) {
            const s_pnt at = CentreOf(splash->GetPicture());
            vkotest::XTestHand().click(at.h, at.v);
            Acted();
        }
        return false;
    }
    return MainWindow(0) != nullptr && Ready(MainWindow(0));
}

std::string Typed(MainRefWin* window) { return window->GetFrontPage()->GetTypedText(); }

bool PasteEnabled(MainRefWin* window) { return window->GetMenuBar()->IsEnabled(menutag::kPaste) != 0; }

bool ClipboardOwned()
{
    return XGetSelectionOwner(script().probe, XInternAtom(script().probe, "CLIPBOARD", False)) != 0;
}

void EndRun()
{
    if (script().helper > 0) {
        kill(script().helper, SIGTERM);
        waitpid(script().helper, nullptr, 0);
        script().helper = -1;
    }
    vkov_app_destroy();
}

// Return and, delayMs later, the key, from a process of their own: the program reads them as
// they come, as it reads a fast typist's.
pid_t TypeReturnThen(const KeyAfterReturn& then)
{
    const pid_t pid = vkotest::fork_child();
    if (pid != 0)
        return pid;
    {
        vkotest::XTestHand hand;
        hand.key(XK_Return);
        if (then.delayMs > 0)
            usleep(static_cast<useconds_t>(then.delayMs) * 1000);
        if (then.control)
            hand.key_with(XK_Control_L, then.key);
        else
            hand.key(then.key);
    }
    _exit(0);
}

// Another main window: File > New Window with the mouse.
bool OpenNewWindow(MainRefWin* window)
{
    if (script().acted && !TakenIn())
        return false;
    if (vkobase::menu::level_count() == 0) {
        const RWOrdered* titles = window->GetMenuBar()->GetSubmenus();
        for (std::size_t i = 0; i < titles->entries(); ++i)
            if (static_cast<const FRM_CSubmenu*>((*titles)[i])->GetTag() == menutag::kFile) {
                const s_pnt at = Centre(vkobase::menu::title_rect(window->GetVKOWindow(), static_cast<int>(i)));
                vkotest::XTestHand().click(at.h, at.v);
            }
        Acted();
        return false;
    }
    const RWOrdered* entries = window->GetMenuBar()->FindSubmenu(menutag::kFile)->GetMenus();
    for (std::size_t i = 0; i < entries->entries(); ++i)
        if (static_cast<const FRM_CMenu*>((*entries)[i])->GetTag() == menutag::kNewWindow) {
            const s_pnt at = Centre(vkobase::menu::item_rect(0, static_cast<int>(i)));
            vkotest::XTestHand().click(at.h, at.v);
        }
    return true;
}

// Nobody owns the clipboard at start; once the field has the keys another program copies.
void CopyAfterStart()
{
    Script& s = script();
    MainRefWin* main = MainWindow(0);
    switch (s.step) {
    case 0:
        if (Started())
            Next(1);
        return;
    case 1:
        if (!FieldTakesKeys(main) && Patient())
            return;
        Log(std::string("at start the clipboard is ") + (ClipboardOwned() ? "owned" : "nobody's"));
        Log(std::string("at start Edit > Paste is ") + (PasteEnabled(main) ? "enabled" : "greyed"));
        s.helper = vkotest::offer_with_xclip(s.display, "horse");
        Next(2);
        return;
    case 2:
        if (!PasteEnabled(main) && Patient())
            return;
        Log(std::string("once another program copied Edit > Paste is ") + (PasteEnabled(main) ? "enabled" : "greyed"));
        vkotest::XTestHand().key_with(XK_Control_L, XK_v);
        Next(3);
        return;
    case 3:
        if (Typed(main).empty() && Patient())
            return;
        Log("Ctrl+V pastes \"" + Typed(main) + "\"");
        EndRun();
        return;
    }
}

// The window that does not hold the keys, of the two main windows.
MainRefWin* OtherWindow(MainRefWin* window) { return window == MainWindow(0) ? MainWindow(1) : MainWindow(0); }

// horse, Return and a key at once, for each of kKeysAfterReturn; Ctrl+F with two windows.
void KeysAfterReturn()
{
    Script& s = script();
    const KeyAfterReturn& trial = kKeysAfterReturn[s.trialKey];
    switch (s.step) {
    case 0:
        if (Started())
            Next(1);
        return;
    case 1:  // a second main window for Next Window to bring forward
        if (!trial.control) {
            s.typedIn = MainWindow(0);
            Next(2);
            return;
        }
        if (MainWindow(1) == nullptr) {
            if (!OpenNewWindow(MainWindow(0)))
                return;
            Next(10);
            return;
        }
        Next(2);
        return;
    case 10:
        if ((MainWindow(1) == nullptr || !Ready(MainWindow(1))) && Patient())
            return;
        s.typedIn = MainWindow(1);
        Next(2);
        return;
    case 2:  // the word in the front window's field, which holds nothing else
        if (!FieldTakesKeys(s.typedIn) && Patient())
            return;
        if (!s.acted) {
            vkotest::XTestHand hand;
            hand.key(XK_End);
            for (std::size_t i = Typed(s.typedIn).size(); i > 0; --i)
                hand.key(XK_BackSpace);
            for (const char c : std::string("horse"))
                hand.key(static_cast<KeySym>(c));
            Acted();
            return;
        }
        if ((!TakenIn() || Typed(s.typedIn) != "horse") && Patient())
            return;
        s.helper = TypeReturnThen(trial);
        Next(3);
        return;
    case 3: {  // the search over, the key done
        MainRefWin* window = s.typedIn;
        KQListBox* hits = window->GetFrontPage()->GetHitList();
        const bool searched = hits->GetCount() >= 2 && vkobase::app_innermost_modal() == nullptr;
        const std::string when = std::string(trial.name) + " " + std::to_string(trial.delayMs) + " ms after Return ";
        if (!trial.control) {
            const bool moved = searched && hits->GetSelectedIndex() == 1;
            if (!moved && Patient())
                return;
            Log(when + "selects \"" + (hits->GetSelectedIndex() >= 0 ? hits->GetItem(hits->GetSelectedIndex()) : "") + "\"");
        } else {
            MainRefWin* other = OtherWindow(window);
            const bool forward = searched && Within(vkok_scr_get_focus_vobj(), other->GetVKOWindow()) && TakenIn();
            if (!forward && Patient())
                return;
            Log(when + (forward ? "brings the other window forward with the keys" : "leaves the keys where they were"));
            s.typedIn = other;
        }
        waitpid(s.helper, nullptr, 0);
        s.helper = -1;
        if (++s.trialKey == std::size(kKeysAfterReturn)) {
            EndRun();
            return;
        }
        Next(1);
        return;
    }
    }
}

// Text that is not UTF-8 on the clipboard before the start: read at start, and pasted.
void StartOnBadText()
{
    Script& s = script();
    MainRefWin* main = MainWindow(0);
    switch (s.step) {
    case 0:
        if (Started())
            Next(1);
        return;
    case 1:
        if (!FieldTakesKeys(main) && Patient())
            return;
        vkotest::XTestHand().key_with(XK_Control_L, XK_v);
        Next(2);
        return;
    case 2:
        if (Typed(main).empty() && Patient())
            return;
        Log("Ctrl+V pastes \"" + Typed(main) + "\"");
        EndRun();
        return;
    }
}

int32_t ScriptHandler(WINDOW, EVENT* event)
{
    Script& s = script();
    if (event->type != E_TIMER)
        return 0;
    if (s.clock.stalled(s.step)) {
        Log("stalled at step " + std::to_string(s.step));
        EndRun();
        return 0;
    }
    switch (s.trial) {
    case Trial::kCopyAfterStart:
        CopyAfterStart();
        return 0;
    case Trial::kKeysAfterReturn:
        KeysAfterReturn();
        return 0;
    case Trial::kStartOnBadText:
        StartOnBadText();
        return 0;
    }
    return 0;
}

[[noreturn]] void RunProgram(const std::string& display, const std::string& folder)
{
    setenv("DISPLAY", display.c_str(), 1);
    if (chdir(folder.c_str()) != 0)
        _exit(2);
    // What the program writes on stderr, for the test to read.
    const int err = open((folder + "/stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err >= 0) {
        dup2(err, 2);
        close(err);
    }
    script().probe = XOpenDisplay(nullptr);
    {
        vkotest::ScriptedApp application(ScriptHandler);
        char name[] = "TavlinCD";
        char* argv[] = {name, nullptr};
        application.Go(1, argv, 1, 0, "TavlinCD", "TavlinCD", "Dorvane-Kestle");
    }
    XCloseDisplay(script().probe);
    _exit(0);
}

constexpr char kWordNet[] = "/usr/share/wordnet";

struct Outcome {
    std::string skip;
    std::vector<std::string> log;
    std::string stderrText;
};

// The program run through the trial; with text given, another program has copied it before
// the start.
Outcome RunTrial(Trial trial, bool wm, const std::string& copiedBefore = {})
{
    Outcome run;
    if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun") || vkotest::find_on_path("espeak-ng").empty()) {
        run.skip = "WordNet (wordnet-base) or espeak-ng is not installed";
        return run;
    }
    if (vkotest::find_on_path("xclip").empty()) {
        run.skip = "xclip is not installed";
        return run;
    }
    vkotest::Desktop desktop;
    if (std::string why = desktop.start(wm); !why.empty()) {
        run.skip = why;
        return run;
    }
    const pid_t xclip = copiedBefore.empty() ? -1 : vkotest::offer_with_xclip(desktop.display(), copiedBefore);
    test_support::TempDir folder;
    demodict::DemoSlice slice;
    slice.first_lemmas = 20;
    slice.lemmas = {"horse", "cat"};
    demodict::DemoReport report;
    std::string error;
    EXPECT_TRUE(demodict::write_demo(kWordNet, folder.path(), &slice, {}, &report, &error)) << error;
    script().log = folder.path() + "/script.txt";
    script().display = desktop.display();
    script().wm = wm;
    script().trial = trial;
    const pid_t pid = vkotest::fork_child();
    if (pid == 0)
        RunProgram(desktop.display(), folder.path());
    EXPECT_EQ(vkotest::wait_for(pid, 400), 0);
    if (xclip > 0) {
        kill(xclip, SIGTERM);
        waitpid(xclip, nullptr, 0);
    }
    run.log = vkotest::read_lines(script().log);
    std::ifstream err(folder.path() + "/stderr.txt");
    std::ostringstream text;
    text << err.rdbuf();
    run.stderrText = text.str();
    return run;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

void CheckCopyAfterStart(bool wm)
{
    const Outcome run = RunTrial(Trial::kCopyAfterStart, wm);
    if (!run.skip.empty())
        GTEST_SKIP() << run.skip;
    EXPECT_EQ(Joined(run.log), Joined({
                                   "at start the clipboard is nobody's",
                                   "at start Edit > Paste is greyed",
                                   "once another program copied Edit > Paste is enabled",
                                   "Ctrl+V pastes \"horse\"",
                               }));
}

TEST(PasteAndTypeAheadX11, TextCopiedAfterTheStartPastesWithoutAWindowManager) { CheckCopyAfterStart(false); }

TEST(PasteAndTypeAheadX11, TextCopiedAfterTheStartPastesUnderOpenbox) { CheckCopyAfterStart(true); }

void CheckKeysAfterReturn(bool wm)
{
    const Outcome run = RunTrial(Trial::kKeysAfterReturn, wm);
    if (!run.skip.empty())
        GTEST_SKIP() << run.skip;
    std::vector<std::string> expected;
    for (const KeyAfterReturn& trial : kKeysAfterReturn)
        expected.push_back(std::string(trial.name) + " " + std::to_string(trial.delayMs) + " ms after Return " +
                           (trial.control ? "brings the other window forward with the keys" : "selects \"horse[2]\""));
    EXPECT_EQ(Joined(run.log), Joined(expected));
}

TEST(PasteAndTypeAheadX11, KeysRightAfterReturnWithoutAWindowManager) { CheckKeysAfterReturn(false); }

TEST(PasteAndTypeAheadX11, KeysRightAfterReturnUnderOpenbox) { CheckKeysAfterReturn(true); }

TEST(PasteAndTypeAheadX11, TextNotInUtf8OnTheClipboardIsReadQuietly)
{
    // "horse" with a byte that cannot start a UTF-8 sequence in its middle.
    const Outcome run = RunTrial(Trial::kStartOnBadText, false, "hor\xffse");
    if (!run.skip.empty())
        GTEST_SKIP() << run.skip;
    ASSERT_EQ(run.log.size(), 1u);
    EXPECT_EQ(run.log[0].rfind("Ctrl+V pastes \"hor", 0), 0u) << run.log[0];
    EXPECT_EQ(run.stderrText.find("WARNING"), std::string::npos) << run.stderrText;
}

} // namespace
