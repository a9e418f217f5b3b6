// window_keys_x11_test.cpp: which of TavlinCD's windows comes forward and takes the keys when
// the user switches windows, on a private Xvfb without a window manager (where the program
// stacks its windows and keeps the keyboard itself) and under openbox, on a slice of the demo
// dictionary. A script inside the program (one step per timer tick) clicks and types through
// XTest as a user does, waits for what each step brings about and logs what it saw; the test
// compares the log.
//
// - Two main windows in a fresh session (no dialog has taken the keyboard yet): Ctrl+F with the
//   pointer on the other window's visible strip, or on the bare screen, must bring a window
//   forward whose field then takes the typed keys. A click on the covered window's background
//   brings it forward with the keys in its field; its Window menu then brings the other back.
//   The two windows' items in the Window menu read differently.
// - A table window, and likewise an illustration, opened by a double click on its mark in the
//   entry, opens in front of the main window with the keys. Ctrl+F, and Window > Next Window in
//   it, bring the other window forward with the keys (in the main window where they were): the
//   covered window is reached again. A click on the main window's status bar brings it forward
//   with the keys; File > Close typed in the table or illustration gives them back to the main
//   window. Opened again and asked for once more from the main window, the open one comes
//   forward with the keys and no copy of it opens. Without a window manager, new main windows
//   then open each at a place of its own, none's menu bar running along another's.
//
// gtest and the program's headers first: Xlib's macros (None, Bool, FocusIn) would break them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/core_internal.h"
#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/menu_internal.h"
#include "app/display/image_win.h"
#include "app/display/scroll_view_win.h"
#include "app/pages/search_page_win.h"
#include "app/shell/kq_app.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/splash_win.h"
#include "app/shell/table_win.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cstatbar.h"
#include "resources/menu_tags.h"
#include "vkobase/display_debug.h"
#include "../../platform/vkobase/wm_test_support.h"
#include "action_taken_in.h"
#include "entry_mark.h"
#include "scripted_app.h"
#include "../../platform/vkobase/xtest_hand.h"
#include "../../support/temp_dir.h"
#include "tools/demodict/demo_writer.h"

#include <X11/keysym.h>

namespace {

// One step of a script: what it waits for and does, answering true once done.
struct Step {
    std::string name;
    std::function<bool()> run;
};

// A window the entry opens from its mark: a table or an illustration.
struct Opening {
    std::string name;   // "table", "illustration": in the log's checks
    std::string word;   // looked up: its entry shows the mark
    const char* mark;   // the mark's text in the entry
    FRM_CWindow* (*window)(); // the open window of its kind, null while there is none
    std::size_t (*count)();   // the open windows of its kind
};

struct Script {
    std::string log;
    const Opening* opening = nullptr;
    bool wm = false;
    Display* probe = nullptr; // reads the windows' stacking and the keyboard as another client
    std::vector<Step> steps;
    std::size_t at = 0;
    vkotest::Deadline patience{30};  // for what the step waits for
    vkotest::ActionTakenIn takenIn;  // the wait after each action of the script
    bool acted = false; // the step made its action (a click it may make again)
};

Script& script()
{
    static Script s;
    return s;
}

void Log(const std::string& line) { vkotest::append_line(script().log, line); }

bool Patient() { return !script().patience.passed(); }

// Whether what the script did last has been taken in: the window manager, when there is one,
// has handled it, and the program has read what the server sent since, handled it and drawn.
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

// A step that waits until what it looks for is seen (or patience runs out) and logs
// "what: yes" or "what: no".
Step Check(const std::string& what, std::function<bool()> seen)
{
    return Step{what, [what, seen] {
                    const bool yes = seen();
                    if (!yes && Patient())
                        return false;
                    Log(what + ": " + (yes ? "yes" : "no"));
                    return true;
                }};
}

// A step that waits for ready, then acts once.
Step When(const std::string& name, std::function<bool()> ready, std::function<void()> act)
{
    return Step{name, [ready, act] {
                    if (!ready())
                        return false;
                    act();
                    return true;
                }};
}

KQedApp& App() { return *KQedApp::Instance(); }

// The n-th main window (from 0) of the Window menu, null while there is none.
MainRefWin* Main(std::size_t n)
{
    const auto& windows = App().GetWindowList();
    return n < windows.size() ? dynamic_cast<MainRefWin*>(windows[n]) : nullptr;
}

// The first main window's open window of the kind, if any.
template <class Kind> FRM_CWindow* OpenWindow()
{
    MainRefWin* main = Main(0);
    const RWOrdered* windows = main != nullptr ? &main->GetDocument()->GetWindows() : nullptr;
    for (std::size_t i = 0; windows != nullptr && i < windows->entries(); ++i)
        if (auto* window = dynamic_cast<Kind*>((*windows)[i]))
            return window;
    return nullptr;
}

template <class Kind> std::size_t OpenWindows()
{
    MainRefWin* main = Main(0);
    const RWOrdered* windows = main != nullptr ? &main->GetDocument()->GetWindows() : nullptr;
    std::size_t count = 0;
    for (std::size_t i = 0; windows != nullptr && i < windows->entries(); ++i)
        count += dynamic_cast<Kind*>((*windows)[i]) != nullptr ? 1 : 0;
    return count;
}

const Opening kTable{"table", "planet", ";TABLE", OpenWindow<TableWin>, OpenWindows<TableWin>};
const Opening kIllustration{"illustration", "circle", ";ART", OpenWindow<ImageWin>,
                            OpenWindows<ImageWin>};

// The table or illustration of the run.
FRM_CWindow* Opened() { return script().opening->window(); }

Window XWin(FRM_CWindow* window)
{
    return window != nullptr ? static_cast<Window>(vkobase::display_xwindow_of(window->GetVKOWindow())) : 0;
}

// Shown, and under a window manager framed by it.
bool Ready(FRM_CWindow* window) { return vkotest::shown_and_framed(script().probe, XWin(window), script().wm); }

bool InFront(FRM_CWindow* a, FRM_CWindow* b) { return vkotest::above(script().probe, XWin(a), XWin(b)); }

bool Within(WINDOW win, WINDOW outer)
{
    for (; win != nullptr; win = win->parent)
        if (win == outer)
            return true;
    return false;
}

// Whether the window's search field has the program's focus.
bool FieldHasFocus(MainRefWin* window)
{
    return window != nullptr && Within(vkok_scr_get_focus_vobj(), window->GetFrontPage()->GetField()->GetVKOWindow());
}

std::string Typed(MainRefWin* window) { return window != nullptr ? window->GetFrontPage()->GetTypedText() : ""; }

s_pnt Centre(const s_rct& r)
{
    return s_pnt{static_cast<std::int16_t>((r.top + r.bottom) / 2), static_cast<std::int16_t>((r.left + r.right) / 2)};
}

// A window's rectangle on the screen, its menu bar included.
s_rct OnScreen(FRM_CWindow* window)
{
    XWindowAttributes a{};
    XGetWindowAttributes(script().probe, XWin(window), &a);
    const auto [x, y] = vkotest::screen_origin(script().probe, XWin(window));
    return s_rct{static_cast<std::int16_t>(y), static_cast<std::int16_t>(x), static_cast<std::int16_t>(y + a.height),
                 static_cast<std::int16_t>(x + a.width)};
}

bool Inside(s_pnt p, const s_rct& r) { return p.v >= r.top && p.v < r.bottom && p.h >= r.left && p.h < r.right; }

void Click(s_pnt at) { vkotest::XTestHand().click(at.h, at.v); }

void ClickView(const FRM_CView* view)
{
    const FRM_CRect frame = view->GetGlobalFrame();
    s_pnt at{static_cast<std::int16_t>(frame.Top() + frame.Height() / 2),
             static_cast<std::int16_t>(frame.Left() + frame.Width() / 2)};
    vkok_vobj_translate_points(view->GetCWindow()->GetVKOWindow(), nullptr, &at, 1);
    Click(at);
}

// Keys as a user types them, 20 ms apart (the server spaces them out).
void Keys(const std::vector<std::pair<KeySym, KeySym>>& keys)
{
    Display* dpy = XOpenDisplay(nullptr);
    for (const auto& [modifier, key] : keys) {
        const KeyCode held = modifier != NoSymbol ? XKeysymToKeycode(dpy, modifier) : 0;
        if (held != 0)
            XTestFakeKeyEvent(dpy, held, True, 20);
        XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, key), True, held != 0 ? 0 : 20);
        XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, key), False, 0);
        if (held != 0)
            XTestFakeKeyEvent(dpy, held, False, 0);
    }
    XSync(dpy, False);
    XCloseDisplay(dpy);
}

void Type(const std::string& text)
{
    std::vector<std::pair<KeySym, KeySym>> keys;
    for (char c : text)
        keys.emplace_back(NoSymbol, static_cast<KeySym>(c));
    Keys(keys);
}

void Control(KeySym key) { Keys({{XK_Control_L, key}}); }

// The pointer onto the bare screen's lower-right corner, away from every window.
void PointerAway()
{
    Display* dpy = script().probe;
    vkotest::XTestHand().move(DisplayWidth(dpy, DefaultScreen(dpy)) - 2, DisplayHeight(dpy, DefaultScreen(dpy)) - 2);
}

// The place of the entry tagged tag in a submenu (separators count), -1 when absent.
int PlaceOf(const FRM_CSubmenu& menu, short tag)
{
    const RWOrdered* entries = menu.GetMenus();
    for (std::size_t i = 0; i < entries->entries(); ++i)
        if (static_cast<const FRM_CMenu*>((*entries)[i])->GetTag() == tag)
            return static_cast<int>(i);
    return -1;
}

// A menu item with the mouse: a click on the window's menu title (again when the click was
// taken in and no menu showed), then on the item once its menu shows.
Step ChooseItem(const std::string& name, std::function<FRM_CWindow*()> window, short title, short item)
{
    return Step{name, [window, title, item] {
                    FRM_CWindow* w = window();
                    if (w == nullptr)
                        return false;
                    if (vkobase::menu::level_count() == 0) {
                        if (script().acted && !TakenIn())
                            return false;
                        if (vkobase::menu::level_count() == 0) {
                            const RWOrdered* titles = w->GetMenuBar()->GetSubmenus();
                            for (std::size_t i = 0; i < titles->entries(); ++i)
                                if (static_cast<const FRM_CSubmenu*>((*titles)[i])->GetTag() == title)
                                    Click(Centre(vkobase::menu::title_rect(w->GetVKOWindow(), static_cast<int>(i))));
                            Acted();
                            return false;
                        }
                    }
                    const FRM_CSubmenu* menu = w->GetMenuBar()->FindSubmenu(title);
                    Click(Centre(vkobase::menu::item_rect(0, PlaceOf(*menu, item))));
                    return true;
                }};
}

// The window's search field clicked (again once a click was taken in and the field has not the
// focus) until it has the focus.
Step ClickField(const std::string& name, std::function<MainRefWin*()> window)
{
    return Step{name, [window] {
                    MainRefWin* w = window();
                    if (w == nullptr || !Ready(w))
                        return false;
                    if (FieldHasFocus(w))
                        return true;
                    if (script().acted && !TakenIn())
                        return false;
                    if (FieldHasFocus(w))
                        return true;
                    ClickView(w->GetFrontPage()->GetField());
                    Acted();
                    return false;
                }};
}

// A point of the first window that the second leaves uncovered and where no control lies: the
// window's own background. Off the screen when there is none.
s_pnt Background(MainRefWin* back, MainRefWin* front)
{
    const s_rct covered = OnScreen(front);
    s_rct client{};
    vko_vobj_get_client_rect(back->GetVKOWindow(), &client);
    for (std::int16_t y = client.top; y < client.bottom; y += 2)
        for (std::int16_t x = client.left; x < client.right; x += 2) {
            s_pnt inside{y, x};
            if (vkobase::display_window_at(back->GetVKOWindow(), &inside) != back->GetVKOWindow())
                continue;
            s_pnt at{y, x};
            vkok_vobj_translate_points(back->GetVKOWindow(), nullptr, &at, 1);
            if (!Inside(at, covered))
                return at;
        }
    return s_pnt{-1, -1};
}

// The title of the n-th window's item (from 1) in the window's Window menu.
std::string WindowItem(MainRefWin* window, int n)
{
    const FRM_CSubmenu* menu = window->GetMenuBar()->FindSubmenu(menutag::kWindow);
    const int place = menu != nullptr ? PlaceOf(*menu, static_cast<short>(KQedApp::kWindowItemBase + n)) : -1;
    return place < 0 ? "" : static_cast<const FRM_CMenu*>((*menu->GetMenus())[static_cast<std::size_t>(place)])->GetTitle().data();
}

// The start shared by every run: the splash closed with a click, the main window shown.
void StartSteps(std::vector<Step>* steps)
{
    steps->push_back(Step{"the splash closed", [] {
                              if (App().GetSplash() == nullptr)
                                  return Main(0) != nullptr && Ready(Main(0));
                              if (!Ready(App().GetSplash()) || (script().acted && !TakenIn()))
                                  return false;
                              Click(Centre(OnScreen(App().GetSplash())));
                              Acted();
                              return false;
                          }});
}

// A second main window from the first one's File menu; once shown, the pointer rests on it.
void SecondWindowSteps(std::vector<Step>* steps)
{
    steps->push_back(ChooseItem("File > New Window", [] { return Main(0); }, menutag::kFile, menutag::kNewWindow));
    steps->push_back(When("the second window", [] { return Ready(Main(1)) && FieldHasFocus(Main(1)) && TakenIn(); },
                          [] { vkotest::XTestHand().move(Centre(OnScreen(Main(1))).h, Centre(OnScreen(Main(1))).v); }));
}

// Two main windows in a fresh session: Ctrl+F with the pointer on the covered window's visible
// strip, then on the bare screen; a click on the covered window's background; its Window menu.
std::vector<Step> TwoWindows()
{
    std::vector<Step> steps;
    StartSteps(&steps);
    SecondWindowSteps(&steps);
    steps.push_back(When("typed in the second window", [] { return true; }, [] { Type("ab"); }));
    steps.push_back(Check("the second window's field takes the keys", [] { return Typed(Main(1)) == "ab"; }));
    steps.push_back(Check("the Window menu tells the two windows apart",
                          [] { return !WindowItem(Main(0), 1).empty() && WindowItem(Main(0), 1) != WindowItem(Main(0), 2); }));
    steps.push_back(When("Ctrl+F over the first window's strip", [] { return TakenIn(); }, [] {
        const s_rct first = OnScreen(Main(0));
        vkotest::XTestHand().move(first.left + 3, first.bottom - 40);
        Control(XK_f);
    }));
    steps.push_back(Check("Ctrl+F, the pointer on the first window, brings it forward", [] { return InFront(Main(0), Main(1)) && TakenIn(); }));
    steps.push_back(When("typed", [] { return true; }, [] { Type("xyz"); }));
    steps.push_back(Check("then the first window's field takes the keys", [] { return Typed(Main(0)) == "xyz" && Typed(Main(1)) == "ab"; }));
    steps.push_back(When("Ctrl+F, the pointer away", [] { return TakenIn(); }, [] {
        PointerAway();
        Control(XK_f);
    }));
    steps.push_back(Check("Ctrl+F, the pointer on the bare screen, brings the second window forward",
                          [] { return InFront(Main(1), Main(0)) && TakenIn(); }));
    steps.push_back(When("typed", [] { return true; }, [] { Type("c"); }));
    steps.push_back(Check("then the second window's field takes the keys", [] { return Typed(Main(1)) == "abc" && Typed(Main(0)) == "xyz"; }));
    // A click where no control lies, on the part of the first window left uncovered.
    steps.push_back(When("a click on the first window's background", [] { return TakenIn(); }, [] { Click(Background(Main(0), Main(1))); }));
    steps.push_back(Check("a click on the first window's background brings it forward", [] { return InFront(Main(0), Main(1)) && TakenIn(); }));
    steps.push_back(When("typed", [] { return true; }, [] { Type("q"); }));
    steps.push_back(Check("then the keys reach its field", [] { return Typed(Main(0)) == "xyzq" && Typed(Main(1)) == "abc"; }));
    steps.push_back(ChooseItem("the second window in the Window menu", [] { return Main(0); }, menutag::kWindow,
                               static_cast<short>(KQedApp::kWindowItemBase + 2)));
    steps.push_back(Check("the Window menu brings the second window forward", [] { return InFront(Main(1), Main(0)) && TakenIn(); }));
    steps.push_back(When("typed", [] { return true; }, [] { Type("d"); }));
    steps.push_back(Check("then the keys reach its field", [] { return Typed(Main(1)) == "abcd" && Typed(Main(0)) == "xyzq"; }));
    return steps;
}

// The program's focus inside the window, as a name for the log's checks.
WINDOW FocusWithin(FRM_CWindow* window)
{
    WINDOW focus = vkok_scr_get_focus_vobj();
    return window != nullptr && Within(focus, window->GetVKOWindow()) ? focus : nullptr;
}

// Whether the window is in front of the other (when given) with the keys: the program's focus
// where it was in it before (when given), and the server's keyboard on it.
bool InFrontWithKeys(FRM_CWindow* window, FRM_CWindow* other, WINDOW focus = nullptr)
{
    Window keys = 0;
    int revert = 0;
    XGetInputFocus(script().probe, &keys, &revert);
    const bool serverKeys = keys != 0 && keys != PointerRoot && vkotest::top_of(script().probe, keys) == vkotest::top_of(script().probe, XWin(window));
    return (other == nullptr || InFront(window, other)) && FocusWithin(window) != nullptr &&
           (focus == nullptr || FocusWithin(window) == focus) && serverKeys && TakenIn();
}

// Where the keys were in the main window when the table or illustration came: in its entry,
// where the mark was double-clicked.
WINDOW theMainFocus = nullptr;

// A double click on the run's mark in the main window's entry, once the entry shows it; until
// then a click low on the entry's scroll bar (taken in before the next) pages down to it.
Step DoubleClickMark(const std::string& name)
{
    return Step{name, [] {
                    if (script().acted && !TakenIn())
                        return false;
                    ScrollViewWin* pane = Main(0)->GetFrontPage()->GetEntryPane();
                    const s_pnt mark = vkotest::MarkOnScreen(Main(0), script().opening->mark);
                    if (mark.h < 0) {
                        const FRM_CRect frame = pane->GetGlobalFrame();
                        s_pnt bar{static_cast<std::int16_t>(frame.Bottom() - 24), static_cast<std::int16_t>(frame.Right() - 8)};
                        vkok_vobj_translate_points(pane->GetCWindow()->GetVKOWindow(), nullptr, &bar, 1);
                        Click(bar);
                        Acted();
                        return false;
                    }
                    theMainFocus = pane->PaneWindow();
                    vkotest::XTestHand hand;
                    hand.click(mark.h, mark.v);
                    hand.click(mark.h, mark.v);
                    return true;
                }};
}

// Which window comes forward with the keys once the entry opened its table or illustration:
// Ctrl+F typed in one brings the next.
std::vector<Step> WithAWindowOfTheEntry(const Opening& opening, bool wm)
{
    script().opening = &opening;
    const std::string it = opening.name;
    std::vector<Step> steps;
    StartSteps(&steps);
    steps.push_back(ClickField("the field", [] { return Main(0); }));
    steps.push_back(When(opening.word + " looked up", [] { return true; }, [] {
        Type(script().opening->word);
        Keys({{NoSymbol, XK_Return}});
    }));
    steps.push_back(DoubleClickMark("its mark double-clicked"));
    steps.push_back(Check("the " + it + " opens above the main window with the keys",
                          [] { return Ready(Opened()) && InFrontWithKeys(Opened(), Main(0)); }));
    steps.push_back(When("Ctrl+F", [] { return true; }, [] {
        PointerAway();
        Control(XK_f);
    }));
    steps.push_back(Check("Ctrl+F brings the main window above it with the keys where they were",
                          [] { return InFrontWithKeys(Main(0), Opened(), theMainFocus); }));
    steps.push_back(When("Ctrl+F again", [] { return true; }, [] { Control(XK_f); }));
    steps.push_back(Check("Ctrl+F again brings the " + it + " forward with the keys", [] { return InFrontWithKeys(Opened(), Main(0)); }));
    steps.push_back(ChooseItem("Window > Next Window in the " + it, [] { return Opened(); }, menutag::kWindow, menutag::kNextWindow));
    steps.push_back(Check("Window > Next Window in the " + it + " brings the main window forward",
                          [] { return InFrontWithKeys(Main(0), Opened(), theMainFocus); }));
    steps.push_back(When("Ctrl+F", [] { return true; }, [] {
        PointerAway();
        Control(XK_f);
    }));
    steps.push_back(Check("then Ctrl+F brings the " + it + " forward", [] { return InFrontWithKeys(Opened(), Main(0)); }));
    steps.push_back(When("the main window's status bar clicked", [] { return true; }, [] {
        ClickView(Main(0)->GetIDData().Get<FRM_CStatusBar>(1054));
    }));
    steps.push_back(Check("a click on the main window's status bar brings it forward with the keys where they were",
                          [] { return InFrontWithKeys(Main(0), Opened(), theMainFocus); }));
    // Ctrl+F to it again, and File > Close typed there: Alt+F, then C once the menu shows.
    steps.push_back(When("Ctrl+F", [] { return true; }, [] { Control(XK_f); }));
    steps.push_back(When("Alt+F in the " + it, [] { return InFrontWithKeys(Opened(), Main(0)); },
                         [] { Keys({{XK_Alt_L, XK_f}}); }));
    steps.push_back(When("C in its File menu", [] { return vkobase::menu::level_count() > 0 && TakenIn(); }, [] { Type("c"); }));
    steps.push_back(Check("File > Close typed in the " + it + " gives the main window the keys where they were",
                          [] { return Opened() == nullptr && InFrontWithKeys(Main(0), nullptr, theMainFocus); }));
    // Opened again, then asked for once more from the main window: the open one comes
    // forward, no copy of it opens.
    steps.push_back(DoubleClickMark("its mark double-clicked again"));
    steps.push_back(When("it opened again", [] { return Ready(Opened()) && TakenIn(); }, [] {}));
    steps.push_back(When("Ctrl+F", [] { return InFrontWithKeys(Opened(), Main(0)); }, [] { Control(XK_f); }));
    steps.push_back(When("the main window in front", [] { return InFrontWithKeys(Main(0), Opened(), theMainFocus); }, [] {}));
    steps.push_back(DoubleClickMark("its mark double-clicked once more"));
    steps.push_back(Check("the " + it + " asked for again comes forward with the keys, and no copy of it opens",
                          [] { return script().opening->count() == 1 && InFrontWithKeys(Opened(), Main(0)); }));
    if (wm)
        return steps;
    // Without a window manager the program places new main windows: three, each where none
    // shows, none's menu bar running along another's (nor along that of the window of the
    // entry).
    for (int i = 0; i < 3; ++i)
        steps.push_back(ChooseItem("File > New Window", [] { return Main(0); }, menutag::kFile, menutag::kNewWindow));
    steps.push_back(Check("three new main windows open, each at a place of its own", [] {
        const auto& windows = App().GetWindowList();
        if (windows.size() < 4 || !TakenIn())
            return false;
        std::vector<FRM_CWindow*> all(windows.begin(), windows.end());
        all.push_back(Opened());
        for (std::size_t i = 0; i < all.size(); ++i)
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                const s_rct a = OnScreen(all[i]), b = OnScreen(all[j]);
                if (!Ready(all[i]) || !Ready(all[j]) || (a.top == b.top && a.left == b.left))
                    return false;
                // Menu bars one bar high along the top: they must not run along each other.
                const int bar = vkobase::menu::bar_height();
                if (a.top < b.top + bar && b.top < a.top + bar && a.left < b.right && b.left < a.right)
                    return false;
            }
        return true;
    }));
    return steps;
}

int32_t ScriptHandler(WINDOW, EVENT* event)
{
    Script& s = script();
    if (event->type != E_TIMER)
        return 0;
    if (s.at >= s.steps.size()) {
        vkov_app_destroy();
        return 0;
    }
    if (s.steps[s.at].run()) {
        ++s.at;
        s.patience = vkotest::Deadline(30);
        s.takenIn.restart();
        s.acted = false;
        return 0;
    }
    if (!Patient()) {
        Log("gave up waiting at: " + s.steps[s.at].name);
        vkov_app_destroy();
    }
    return 0;
}

[[noreturn]] void RunProgram(const std::string& display, const std::string& folder)
{
    setenv("DISPLAY", display.c_str(), 1);
    if (chdir(folder.c_str()) != 0)
        _exit(2);
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

// The script's log once the program ran it on a desktop; empty with *skip set when the desktop
// or the dictionary's sources are missing.
std::vector<std::string> RunOnDesktop(bool wm, std::vector<Step> steps, std::string* skip)
{
    if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun") || vkotest::find_on_path("espeak-ng").empty()) {
        *skip = "WordNet (wordnet-base) or espeak-ng is not installed";
        return {};
    }
    vkotest::Desktop desktop;
    if (std::string why = desktop.start(wm); !why.empty()) {
        *skip = why;
        return {};
    }
    test_support::TempDir folder;
    demodict::DemoSlice slice;
    slice.first_lemmas = 20;
    slice.lemmas = {"planet", "circle"};
    demodict::DemoReport report;
    std::string error;
    EXPECT_TRUE(demodict::write_demo(kWordNet, folder.path(), &slice, {}, &report, &error)) << error;
    script().log = folder.path() + "/script.txt";
    script().wm = wm;
    script().steps = std::move(steps);
    const pid_t pid = vkotest::fork_child();
    if (pid == 0)
        RunProgram(desktop.display(), folder.path());
    EXPECT_EQ(vkotest::wait_for(pid, 400), 0);
    return vkotest::read_lines(script().log);
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

void Expect(bool wm, std::vector<Step> steps, const std::vector<std::string>& seen)
{
    std::string skip;
    const std::vector<std::string> lines = RunOnDesktop(wm, std::move(steps), &skip);
    if (!skip.empty())
        GTEST_SKIP() << skip;
    std::vector<std::string> expected;
    for (const std::string& what : seen)
        expected.push_back(what + ": yes");
    EXPECT_EQ(Joined(lines), Joined(expected));
}

TEST(WindowKeysX11, TwoMainWindowsWithoutAWindowManager)
{
    Expect(false, TwoWindows(),
           {"the second window's field takes the keys", "the Window menu tells the two windows apart",
            "Ctrl+F, the pointer on the first window, brings it forward", "then the first window's field takes the keys",
            "Ctrl+F, the pointer on the bare screen, brings the second window forward",
            "then the second window's field takes the keys", "a click on the first window's background brings it forward",
            "then the keys reach its field", "the Window menu brings the second window forward",
            "then the keys reach its field"});
}

// What the run of a window of the entry logs.
std::vector<std::string> WithAWindowOfTheEntrySeen(const Opening& opening, bool wm)
{
    const std::string& it = opening.name;
    std::vector<std::string> seen = {
        "the " + it + " opens above the main window with the keys",
        "Ctrl+F brings the main window above it with the keys where they were",
        "Ctrl+F again brings the " + it + " forward with the keys",
        "Window > Next Window in the " + it + " brings the main window forward",
        "then Ctrl+F brings the " + it + " forward",
        "a click on the main window's status bar brings it forward with the keys where they were",
        "File > Close typed in the " + it + " gives the main window the keys where they were",
        "the " + it + " asked for again comes forward with the keys, and no copy of it opens",
    };
    if (!wm)
        seen.push_back("three new main windows open, each at a place of its own");
    return seen;
}

void ExpectWithAWindowOfTheEntry(const Opening& opening, bool wm)
{
    Expect(wm, WithAWindowOfTheEntry(opening, wm), WithAWindowOfTheEntrySeen(opening, wm));
}

TEST(WindowKeysX11, ATableWithoutAWindowManager) { ExpectWithAWindowOfTheEntry(kTable, false); }

TEST(WindowKeysX11, ATableUnderOpenbox) { ExpectWithAWindowOfTheEntry(kTable, true); }

TEST(WindowKeysX11, AnIllustrationWithoutAWindowManager) { ExpectWithAWindowOfTheEntry(kIllustration, false); }

TEST(WindowKeysX11, AnIllustrationUnderOpenbox) { ExpectWithAWindowOfTheEntry(kIllustration, true); }

} // namespace
