// tavlincd_desktop_x11_test.cpp: TavlinCD on a desktop, on a private Xvfb without a window
// manager and under openbox, on a slice of the demo dictionary. A script inside the program
// (one step per timer tick) reads what a window manager reads of the splash window and where
// it shows, types a word and Return with the pointer resting on it (the keys must reach the
// search field, which shows the caret, and look the word up), closes it with a click, clears
// the page, reads the main window's properties, pastes with Ctrl+V as
// the user's first keys the word another program (xclip) copied before the start, types a
// misspelt word over it and opens Spelling Help: F1 there, and Escape closing the help viewer,
// must give the keys back to Spelling Help, which Escape closes. It types a word and Return,
// opens Edit > Preferences with the mouse, reads the dialog's properties as xprop does, clicks
// the main window while the dialog runs, checks that the dialog stays on top and still takes
// the keys (Escape in its page cancels it), and that the main window's focus is back where it
// was once the dialog has gone. Before, it widens the main window as a user does: the entry
// pane's scroll bar must show at the pane's new right edge, as it showed before, and nothing of
// it where it was. Preferences opens again, and its colour chooser (GTK's, read for its class):
// once Escape closed the chooser, the keys are back on Preferences, which Escape closes. It
// then opens the history list and the bookmark organiser from their menus and closes each with
// the Escape key, the pointer away from every window: after each window a key must still move
// the hit list. A click after Escape closed a menu must reach the search field. With a second
// main window (placed apart without a window manager), typed keys must reach the field of the
// window that Ctrl+F, the Window menu or the other's closing brings forward. Last it looks
// "planet" up and opens its table: without a window manager, the main window's menu bar must
// show as it did, not run on into the table window's, and the Window menu and a click bring the
// main window back on top. The program logs what it saw; the test compares the log.
// gtest and the program's headers first: Xlib's macros (None, Bool, FocusIn) would break
// them.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/core_internal.h"
#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/menu_internal.h"
#include "app/pages/search_page_win.h"
#include "app/shell/kq_app.h"
#include "app/display/kq_list_box.h"
#include "app/shell/main_ref_win.h"
#include "resources/menu_tags.h"
#include "app/shell/pref_win.h"
#include "app/shell/sp_help_win.h"
#include "app/shell/splash_win.h"
#include "app/shell/user_info_doc.h"
#include "app/shell/kq_factory.h"
#include "app/shell/ref_doc.h"
#include "app/shell/table_win.h"
#include "app/shell/w_hist_win.h"
#include "app/display/scroll_view_win.h"
#include "frm/views/nscrllbr.h"
#include "../../support/user_view.h"
#include "frm/controls/nctrls.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/csubmenu.h"
#include "vkobase/display_debug.h"
#include "vkobase/win_places.h"
#include "../../../platform/win32/src/help_viewer.h"
#include "../../platform/vkobase/wm_test_support.h"
#include "action_taken_in.h"
#include "scripted_app.h"
#include "../../platform/vkobase/xtest_hand.h"
#include "../../support/temp_dir.h"
#include "tools/demodict/demo_writer.h"

#include <X11/keysym.h>

namespace {

struct Script {
    std::string log;
    bool wm = false;
    Display* probe = nullptr;  // reads the windows' properties as another client
    int step = 0;
    vkotest::StepClock clock; // a step that waits too long stops the run
    vkotest::Deadline patience{30};  // for what the step's check looks for
    vkotest::ActionTakenIn takenIn;  // the wait after each action of the script
    bool acted = false;              // the step made its action (a click it may make again)
    int modal = 0;                      // the modal window being tried
    cairo_surface_t* bar = nullptr;     // the entry's bar as the screen showed it
    s_rct barBefore{};                  // and where
    std::int16_t paneWidth = 0;
    cairo_surface_t* before = nullptr;  // the screen before the table window opened
    s_rct menuBar{};                    // the main window's menu bar on the screen
    std::string after;                  // what a key check follows ("after the dialog")
    int next = 0;                       // the step after a key check
    int selected = 0;                   // the hit list's selection before the key
    cairo_surface_t* field = nullptr;   // the screen before keys were typed into a field
    Window dialog = 0;                  // a dialog that opens another window
    Window other = 0;                   // and that window
};

// How much wider the user makes the main window.
constexpr int kWidening = 120;

Script& script()
{
    static Script s;
    return s;
}

void Log(const std::string& line) { vkotest::append_line(script().log, line); }

// The next step, whose waits start afresh.
void Next(int step)
{
    script().step = step;
    script().patience = vkotest::Deadline(30);
    script().takenIn.restart();
    script().acted = false;
}

// Whether a check may wait another tick for what it looks for: a generous deadline (scaled),
// for a busy machine.
bool Patient() { return !script().patience.passed(); }

// Whether what the script did last (a click, keys, a resize) has been taken in: the window
// manager, when there is one, has handled it (it answers a round trip asked after it), and the
// program has read what the server sent it since, handled it and drawn its updates.
bool TakenIn()
{
    Script& s = script();
    return s.takenIn(s.wm, s.probe);
}

// The step has just made its action: TakenIn waits for it afresh.
void Acted()
{
    script().acted = true;
    script().takenIn.restart();
}

// A check's line once what it looks for is seen or patience runs out ("what: yes" or
// "what: no"); false while it waits.
bool Told(const std::string& what, bool seen)
{
    if (!seen && Patient())
        return false;
    Log(what + ": " + (seen ? "yes" : "no"));
    return true;
}

KQedApp& App() { return *KQedApp::Instance(); }

MainRefWin* MainWindow()
{
    const auto& windows = App().GetWindowList();
    return windows.empty() ? nullptr : dynamic_cast<MainRefWin*>(windows[0]);
}

PrefWin* Preferences()
{
    auto* user = App().GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    return user != nullptr ? dynamic_cast<PrefWin*>(user->GetPreferencesWindow()) : nullptr;
}

// The centre of a view on the screen.
s_pnt CentreOf(const FRM_CView* view)
{
    const FRM_CRect frame = view->GetGlobalFrame();
    s_pnt point{static_cast<std::int16_t>(frame.Top() + frame.Height() / 2),
                static_cast<std::int16_t>(frame.Left() + frame.Width() / 2)};
    vkok_vobj_translate_points(view->GetCWindow()->GetVKOWindow(), nullptr, &point, 1);
    return point;
}

void Click(const FRM_CView* view)
{
    const s_pnt at = CentreOf(view);
    vkotest::XTestHand().click(at.h, at.v);
}

// The view inside view (or view itself) that sends command when clicked, null when none does.
FRM_CView* ViewWithCommand(FRM_CView* view, long command)
{
    if (view == nullptr || view->GetCommand() == command)
        return view;
    const RWOrdered* subviews = view->GetSubviews();
    for (std::size_t i = 0; subviews != nullptr && i < subviews->entries(); ++i)
        if (FRM_CView* found = ViewWithCommand(static_cast<FRM_CView*>((*subviews)[i]), command))
            return found;
    return nullptr;
}

Window XWin(WINDOW window)
{
    return window != nullptr ? static_cast<Window>(vkobase::display_xwindow_of(window)) : 0;
}

Window XWin(FRM_CWindow* window) { return XWin(window != nullptr ? window->GetVKOWindow() : nullptr); }

// Shown, and under a window manager framed by it.
template <class W> bool Ready(W* window)
{
    return vkotest::shown_and_framed(script().probe, XWin(window), script().wm);
}

// Whether the server still shows the window (false once it is unmapped or destroyed).
bool Shown(Window w)
{
    std::vector<Window> shown;
    vkotest::client_windows(script().probe, DefaultRootWindow(script().probe), &shown);
    return std::find(shown.begin(), shown.end(), w) != shown.end();
}

// The title as the window manager shows it (UTF-8).
std::string ServerTitle(Window w)
{
    Display* dpy = script().probe;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(dpy, "UTF8_STRING", False), &type, &format, &count, &after,
                           &data) == Success && data != nullptr)
        title.assign(reinterpret_cast<const char*>(data), count);
    if (data != nullptr)
        XFree(data);
    return title;
}

// The window's class hint as a window manager reads it (" instance/class"), empty when unset.
std::string ClassOf(Window w)
{
    XClassHint hint{};
    if (XGetClassHint(script().probe, w, &hint) == 0)
        return "";
    const std::string names = std::string(" ") + hint.res_name + "/" + hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return names;
}

// The window the server shows with that title (a dialog of another toolkit's), 0 when none.
Window ShownTitled(const std::string& title)
{
    std::vector<Window> shown;
    vkotest::client_windows(script().probe, DefaultRootWindow(script().probe), &shown);
    for (Window w : shown)
        if (ServerTitle(w) == title)
            return w;
    return 0;
}

// What a window manager reads of the window, as one line.
std::string Describe(const char* name, FRM_CWindow* window)
{
    Display* dpy = script().probe;
    const Window w = XWin(window);
    std::string line = name;
    for (const std::string& type : vkotest::atom_names(dpy, w, "_NET_WM_WINDOW_TYPE"))
        line += " " + type;
    Window owner = 0;
    if (XGetTransientForHint(dpy, w, &owner) != 0)
        line += owner == XWin(MainWindow())          ? " for the main window"
                : owner == DefaultRootWindow(dpy) ? " for all the program's windows"
                                                  : " for another window";
    for (const std::string& state : vkotest::atom_names(dpy, w, "_NET_WM_STATE"))
        if (state == "_NET_WM_STATE_MODAL")
            line += " modal";
    line += ClassOf(w);
    const std::string title = ServerTitle(w);
    line += !title.empty() && title == window->GetTitle().data() ? " titled as its window" : " titled \"" + title + "\"";
    return line;
}

// Where the splash shows: undecorated (a window manager frames it with no border) and at
// the place the program gave it.
std::string SplashPlace(SplashWin* splash)
{
    Display* dpy = script().probe;
    const Window w = XWin(splash);
    std::string line = "the splash is ";
    const std::vector<unsigned long> extents = vkotest::cardinals(dpy, w, "_NET_FRAME_EXTENTS");
    bool framed = false;
    for (unsigned long e : extents)
        framed = framed || e != 0;
    line += framed ? "framed" : "unframed";
    s_pnt program{0, 0};
    vkok_vobj_translate_points(splash->GetVKOWindow(), nullptr, &program, 1);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    line += x == program.h && y == program.v ? " where the program put it" : " moved to " + std::to_string(x) + "," + std::to_string(y) + " from " + std::to_string(program.h) + "," + std::to_string(program.v);
    return line;
}

// Whether the toolkit window win is outer or lies inside it.
bool Within(WINDOW win, WINDOW outer)
{
    for (; win != nullptr; win = win->parent)
        if (win == outer)
            return true;
    return false;
}

// Which of the main window's controls has the keyboard focus.
std::string FocusName(MainRefWin* main)
{
    WINDOW focus = vkok_scr_get_focus_vobj();
    const SearchPageWin* page = main->GetFrontPage();
    if (Within(focus, page->GetField()->GetVKOWindow()))
        return "the search field";
    if (Within(focus, page->GetHitList()->GetVKOWindow()))
        return "the hit list";
    if (focus == main->GetVKOWindow())
        return "the window itself";
    return Within(focus, main->GetVKOWindow()) ? "another control" : "no control of the window";
}

// Whether the server (the window manager's choice or, without one, the pointer) gives the
// window the keys.
// Whether the X window inside is w or lies inside it.
bool LiesIn(Window inside, Window w)
{
    Display* dpy = script().probe;
    for (Window at = inside; at != 0 && at != DefaultRootWindow(dpy); at = vkotest::parent_of(dpy, at))
        if (at == w)
            return true;
    return false;
}

bool KeysOn(Window w)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(script().probe, &focus, &revert);
    // A GTK dialog may take the keys on a small window of its own inside it.
    if (w == 0 || (focus != PointerRoot && LiesIn(focus, w)))
        return w != 0;
    if (focus != PointerRoot)
        return false;
    Window root = 0, child = 0;
    int rx = 0, ry = 0, x = 0, y = 0;
    unsigned mask = 0;
    XQueryPointer(script().probe, w, &root, &child, &rx, &ry, &x, &y, &mask);
    XWindowAttributes a{};
    XGetWindowAttributes(script().probe, w, &a);
    return x >= 0 && y >= 0 && x < a.width && y < a.height;
}

template <class W> bool KeysOn(W* window) { return KeysOn(XWin(window)); }

s_pnt Centre(const s_rct& r)
{
    return s_pnt{static_cast<std::int16_t>((r.top + r.bottom) / 2), static_cast<std::int16_t>((r.left + r.right) / 2)};
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

// A menu of the bar opened with a click on its title, clicked again when the click was taken
// in and no menu showed. Answers true once it shows.
bool OpenMenu(MainRefWin* window, short title)
{
    if (vkobase::menu::level_count() > 0)
        return true;
    if (script().acted && !TakenIn())
        return false;
    if (vkobase::menu::level_count() > 0)
        return true;
    Acted();
    const RWOrdered* titles = window->GetMenuBar()->GetSubmenus();
    for (std::size_t i = 0; i < titles->entries(); ++i)
        if (static_cast<const FRM_CSubmenu*>((*titles)[i])->GetTag() == title) {
            const s_pnt at = Centre(vkobase::menu::title_rect(window->GetVKOWindow(), static_cast<int>(i)));
            vkotest::XTestHand().click(at.h, at.v);
        }
    return false;
}

// A menu item with the mouse: a click on the title, then one on the item once its menu
// shows. Answers true once clicked.
bool ChooseItem(MainRefWin* window, short title, short item)
{
    FRM_CMenuBar* bar = window->GetMenuBar();
    if (!OpenMenu(window, title))
        return false;
    const FRM_CSubmenu* menu = bar->FindSubmenu(title);
    const s_pnt at = Centre(vkobase::menu::item_rect(0, PlaceOf(*menu, item)));
    vkotest::XTestHand().click(at.h, at.v);
    return true;
}

// The middle of the splash's picture on the screen.
s_pnt SplashPictureCentre()
{
    s_pnt at = Centre(static_cast<s_rct>(App().GetSplash()->GetPicture()->GetGlobalFrame()));
    vkok_vobj_translate_points(App().GetSplash()->GetVKOWindow(), nullptr, &at, 1);
    return at;
}

// The pointer moves onto the bare screen, away from the program's windows: without a window
// manager the keys would follow it there unless the program gives them to a window.
void PointerAway()
{
    Display* dpy = script().probe;
    vkotest::XTestHand().move(DisplayWidth(dpy, DefaultScreen(dpy)) - 2, DisplayHeight(dpy, DefaultScreen(dpy)) - 2);
}

// The second main window, once File > New Window has opened it.
MainRefWin* SecondWindow()
{
    const auto& windows = App().GetWindowList();
    return windows.size() > 1 ? dynamic_cast<MainRefWin*>(windows[1]) : nullptr;
}

void Type(const char* keys)
{
    vkotest::XTestHand hand;
    for (const char* c = keys; *c != 0; ++c)
        hand.key(static_cast<KeySym>(*c));
}

// Whether the window's search field has the focus, clicked (again once a click was taken in
// and the field has not) until it has: keys typed with the click would go where the focus was
// before it.
bool FieldTakesKeys(MainRefWin* window)
{
    if (FocusName(window) == "the search field")
        return true;
    if (script().acted && !TakenIn())
        return false;
    if (FocusName(window) == "the search field")
        return true;
    Click(window->GetFrontPage()->GetField());
    Acted();
    return false;
}

// What the search field, which has the focus, holds rubbed out and keys typed instead.
void Retype(MainRefWin* window, const char* keys)
{
    vkotest::XTestHand hand;
    hand.key(XK_End);
    for (std::size_t i = window->GetFrontPage()->GetTypedText().size(); i > 0; --i)
        hand.key(XK_BackSpace);
    Type(keys);
}

// Whether the text typed into the window's search field holds keys.
bool Holds(MainRefWin* window, const char* keys)
{
    return window->GetFrontPage()->GetTypedText().find(keys) != std::string::npos;
}

// The window's search field on the screen.
s_rct FieldOnScreen(MainRefWin* window)
{
    const FRM_CRect frame = window->GetFrontPage()->GetField()->GetGlobalFrame();
    s_pnt corners[2] = {{static_cast<std::int16_t>(frame.Top()), static_cast<std::int16_t>(frame.Left())},
                        {static_cast<std::int16_t>(frame.Bottom()), static_cast<std::int16_t>(frame.Right())}};
    vkok_vobj_translate_points(window->GetFrontPage()->GetField()->GetCWindow()->GetVKOWindow(), nullptr, corners, 2);
    return s_rct{corners[0].v, corners[0].h, corners[1].v, corners[1].h};
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

// The main window's document's window of that kind (the history list, the table, Spelling
// Help), if one is open.
template <class Kind> Kind* DocumentWindow()
{
    const RWOrdered& windows = MainWindow()->GetDocument()->GetWindows();
    for (std::size_t i = 0; i < windows.entries(); ++i)
        if (auto* window = dynamic_cast<Kind*>(windows[i]))
            return window;
    return nullptr;
}

FRM_CWindow* Organiser()
{
    auto* user = App().GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    return user != nullptr ? user->GetBookmarkWindow() : nullptr;
}

// The modal windows that the menus open, each closed by Escape as by its Cancel (or OK).
struct ModalWindow {
    const char* name;
    short title;
    short item;
    FRM_CWindow* (*open)();  // the window while it is open
};
const ModalWindow kModalWindows[] = {
    {"the history list", menutag::kView, menutag::kHistory, [] { return static_cast<FRM_CWindow*>(DocumentWindow<WHistWin>()); }},
    {"the bookmark organiser", menutag::kBookmarks, menutag::kOrganizeBookmarks, Organiser},
};

// The place on the screen where the entry pane's bar belongs: along the pane's right edge.
s_rct BarPlace(MainRefWin* main)
{
    ScrollViewWin* pane = main->GetFrontPage()->GetEntryPane();
    s_rct client{};
    vko_vobj_get_client_rect(pane->PaneWindow(), &client);
    s_pnt corners[2] = {{client.top, static_cast<std::int16_t>(client.right - FRM_NScrollBar::NativeWidth())},
                        {client.bottom, client.right}};
    vkok_vobj_translate_points(pane->PaneWindow(), nullptr, corners, 2);
    return s_rct{corners[0].v, corners[0].h, corners[1].v, corners[1].h};
}

// The main window's menu bar on the screen: the strip above its client area.
s_rct MenuBarStrip(MainRefWin* main)
{
    s_rct client{};
    vko_vobj_get_client_rect(main->GetVKOWindow(), &client);
    s_pnt corners[2] = {{client.top, client.left}, {client.top, client.right}};
    vkok_vobj_translate_points(main->GetVKOWindow(), nullptr, corners, 2);
    return s_rct{static_cast<std::int16_t>(corners[0].v - vkobase::menu::bar_height()), corners[0].h,
                 corners[1].v, corners[1].h};
}


std::string ShotPath(const std::string& name)
{
    return std::filesystem::path(script().log).parent_path().string() + "/" + name + ".png";
}

// The screen as a picture; the caller destroys it.
cairo_surface_t* Screen(const std::string& name)
{
    vkov_display_screenshot(ShotPath(name).c_str());
    cairo_surface_t* image = cairo_image_surface_create_from_png(ShotPath(name).c_str());
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS)
        return image;
    cairo_surface_destroy(image);
    return nullptr;
}

// The run's last step: the program ends.
void EndRun()
{
    cairo_surface_destroy(script().before);
    script().before = nullptr;
    vkov_app_destroy();
}

int32_t ScriptHandler(WINDOW, EVENT* event)
{
    Script& s = script();
    if (event->type != E_TIMER)
        return 0;
    if (s.clock.stalled(s.step)) {
        Log("stalled at step " + std::to_string(s.step));
        vkov_app_destroy();
        return 0;
    }
    MainRefWin* main = MainWindow();
    switch (s.step) {
    case 0: {  // the splash over the main window: the user types a word and Return at once
        if (main == nullptr || App().GetSplash() == nullptr || !Ready(App().GetSplash()))
            return 0;
        Log(Describe("splash", App().GetSplash()));
        Log(SplashPlace(App().GetSplash()));
        // The pointer rests on the splash, at the middle of the screen: without a window
        // manager the server gives the keys to the splash.
        const s_pnt at = SplashPictureCentre();
        vkotest::XTestHand().move(at.h, at.v);
        Type("cat");
        vkotest::XTestHand().key(XK_Return);
        Log(std::string("the splash shows while the word is typed: ") +
            (Shown(XWin(App().GetSplash())) ? "yes" : "no"));
        Next(14);
        return 0;
    }
    case 14:  // the keys taken in, a click closes the splash
        if (!TakenIn() && Patient())
            return 0;
        if (App().GetSplash() != nullptr) {
            const s_pnt at = SplashPictureCentre();
            vkotest::XTestHand().click(at.h, at.v);
        }
        Next(1);
        return 0;
    case 1:
        if (App().GetSplash() != nullptr || !Ready(main))
            return 0;
        Log(Describe("main", main));
        Next(15);
        return 0;
    case 15:  // the word typed over the splash is in the field and looked up
        if (main->GetFrontPage()->GetHitList()->GetCount() == 0 && Patient())
            return 0;
        Log("typed while the splash showed: \"" + main->GetFrontPage()->GetTypedText() + "\", " +
            std::to_string(main->GetFrontPage()->GetHitList()->GetCount()) + " entries");
        // Clear empties the field and the hit list for what follows.
        Click(ViewWithCommand(main->GetFrontPage(), SearchPageWin::kCmdClear));
        Next(16);
        return 0;
    case 16:
        if ((main->GetFrontPage()->GetHitList()->GetCount() != 0 ||
             !main->GetFrontPage()->GetTypedText().empty()) && Patient())
            return 0;
        Next(10);
        return 0;
    case 10:  // the user's first keys: Ctrl+V, to paste what another program copied
        if (!KeysOn(main) && Patient())
            return 0;
        Log("at start the keys go to " + FocusName(main));
        Log(std::string("at start Edit > Paste is ") +
            (main->GetMenuBar()->IsEnabled(menutag::kPaste) != 0 ? "enabled" : "greyed"));
        vkotest::XTestHand().key_with(XK_Control_L, XK_v);
        Next(12);
        return 0;
    case 12: {  // then Spelling Help on a misspelt word typed over the pasted one
        const std::string pasted = main->GetFrontPage()->GetTypedText();
        if (pasted.empty() && Patient())
            return 0;
        Log("Ctrl+V pastes \"" + pasted + "\"");
        Next(90);
        return 0;
    }
    case 13:  // then, once no modal loop holds the main window back, a word typed and Return
        if (vkov_app_input_blocked(main->GetVKOWindow()) || !FieldTakesKeys(main))
            return 0;
        Retype(main, "cat");
        vkotest::XTestHand().key(XK_Return);
        Next(11);
        return 0;
    case 11:
        // The search done: its hits listed and its status window gone.
        if ((main->GetFrontPage()->GetHitList()->GetCount() == 0 ||
             !Within(vkok_scr_get_focus_vobj(), main->GetVKOWindow())) && Patient())
            return 0;
        Log("typed: \"" + main->GetFrontPage()->GetTypedText() + "\", " +
            std::to_string(main->GetFrontPage()->GetHitList()->GetCount()) + " entries");
        Log("before the dialog the focus is on " + FocusName(main));
        Next(30);
        return 0;
    case 2:   // Preferences from the Edit menu, to try its keys
    case 50:  // and again, to try its colour chooser
        if (ChooseItem(main, menutag::kEdit, menutag::kPreferences))
            Next(s.step + 1);
        return 0;
    case 3:
        if (!Ready(Preferences()))
            return 0;
        Log(Describe("preferences", Preferences()));
        // The keys go to the page's example field, where Escape cancels the window.
        Click(static_cast<AppearancePage*>(Preferences()->GetPage(PrefWin::kAppearance))->GetSample());
        Next(4);
        return 0;
    case 4: {
        if (!TakenIn() && Patient())
            return 0;
        // A point of the main window that the dialog leaves uncovered: its bottom-left.
        s_pnt at{static_cast<std::int16_t>(main->GetFrame().Height() - 8), 8};
        vkok_vobj_translate_points(main->GetVKOWindow(), nullptr, &at, 1);
        vkotest::XTestHand().click(at.h, at.v);
        Next(5);
        return 0;
    }
    case 5:  // the click taken in: the window manager raised what it raises for it
        if (!TakenIn() && Patient())
            return 0;
        Next(56);
        return 0;
    case 56:  // and the program's answer to that taken in too
        if (!TakenIn() && Patient())
            return 0;
        Log(std::string("the dialog stays above the main window: ") +
            (vkotest::above(s.probe, XWin(Preferences()), XWin(main)) ? "yes" : "no"));
        PointerAway();
        vkotest::XTestHand().key(XK_Escape);
        Next(6);
        return 0;
    case 6:
        if (Told("the dialog answered Escape", Preferences() == nullptr))
            Next(7);
        return 0;
    case 7:
        // The main window has the keyboard again: its focus is where it was before.
        if ((!TakenIn() || !KeysOn(main)) && Patient())
            return 0;
        Log("after the dialog the focus is on " + FocusName(main));
        s.after = "after the dialog";
        s.next = 50;
        Next(8);
        return 0;
    case 8:  // a key for the hit list, which had the keys before: Down, or Up from its end
        s.selected = main->GetFrontPage()->GetHitList()->GetSelectedIndex();
        vkotest::XTestHand().key(s.selected == 0 ? XK_Down : XK_Up);
        Next(9);
        return 0;
    case 9:
        if (Told(s.after + " a key moves the hit list",
                 main->GetFrontPage()->GetHitList()->GetSelectedIndex() != s.selected))
            Next(s.next);
        return 0;
    case 51:
        if (!Ready(Preferences()))
            return 0;
        s.dialog = XWin(Preferences());
        Next(52);
        return 0;
    case 52:  // Escape, the pointer away, closes the colour chooser
        s.other = ShownTitled("Colour");
        // The text colour's Change button clicked once Preferences is in its place (a window
        // manager may still be moving it there) and the program has caught up.
        if (s.other == 0 && !s.acted) {
            if (!TakenIn() && Patient())
                return 0;
            Click(ViewWithCommand(Preferences()->GetPage(PrefWin::kAppearance), AppearancePage::kCmdTextColor));
            Acted();
        }
        if (s.other == 0 || !KeysOn(s.other))
            return 0;
        Log("the colour chooser" + ClassOf(s.other));
        PointerAway();
        vkotest::XTestHand().key(XK_Escape);
        Next(53);
        return 0;
    case 53:  // then Preferences has the keys again, and Escape closes it
        if (!Told("once the colour chooser closed Preferences has the keys", !Shown(s.other) && KeysOn(Preferences())))
            return 0;
        vkotest::XTestHand().key(XK_Escape);
        Next(54);
        return 0;
    case 54:
        if (!Told("then Preferences answered Escape", Preferences() == nullptr && !Shown(s.dialog)))
            return 0;
        // One that did not is closed all the same, so that the run goes on.
        if (Preferences() != nullptr)
            Preferences()->Close();
        Next(20);
        return 0;
    case 20:  // each modal window: opened from its menu, closed by the Escape key
        if (ChooseItem(main, kModalWindows[s.modal].title, kModalWindows[s.modal].item))
            Next(21);
        return 0;
    case 21:
        if (!Ready(kModalWindows[s.modal].open()))
            return 0;
        PointerAway();
        vkotest::XTestHand().key(XK_Escape);
        Next(22);
        return 0;
    case 22:
        if (!Told(std::string(kModalWindows[s.modal].name) + " answered Escape", kModalWindows[s.modal].open() == nullptr))
            return 0;
        // One that did not is closed all the same, so that the run goes on.
        if (FRM_CWindow* window = kModalWindows[s.modal].open())
            window->Close();
        s.after = std::string("after ") + kModalWindows[s.modal].name;
        s.next = ++s.modal < static_cast<int>(std::size(kModalWindows)) ? 20 : 60;
        Next(8);
        return 0;
    case 60:  // Edit's menu opened with a click and closed by Escape: only its title stays lit
        if (!OpenMenu(main, menutag::kEdit))
            return 0;
        vkotest::XTestHand().key(XK_Escape);
        Next(61);
        return 0;
    case 61:  // then a click on the search field
        if (vkobase::menu::level_count() > 0)
            return 0;
        Click(main->GetFrontPage()->GetField());
        Next(62);
        return 0;
    case 62:
        if (Told("a click after Escape closed a menu leaves menu mode and reaches the search field",
                 FocusName(main) == "the search field" && !vkobase::menu::is_active()))
            Next(70);
        return 0;
    case 90:  // a misspelt word, then Spelling Help (before any window closed)
        if (!FieldTakesKeys(main))
            return 0;
        Retype(main, "fotograf");
        Next(91);
        return 0;
    case 91:
        if (main->GetFrontPage()->GetTypedText() != "fotograf")
            return 0;
        Click(ViewWithCommand(main->GetFrontPage(), SearchPageWin::kCmdSpellingHelp));
        Next(92);
        return 0;
    case 92:  // F1 in Spelling Help: the help viewer opens beside it
        if (!Ready(DocumentWindow<SpHelpWin>()) || !KeysOn(DocumentWindow<SpHelpWin>()))
            return 0;
        s.dialog = XWin(DocumentWindow<SpHelpWin>());
        PointerAway();
        vkotest::XTestHand().key(XK_F1);
        Next(93);
        return 0;
    case 93:  // Escape closes the help viewer
        if (!Ready(win32::help::viewer_state().win) || !KeysOn(win32::help::viewer_state().win))
            return 0;
        s.other = XWin(win32::help::viewer_state().win);
        vkotest::XTestHand().key(XK_Escape);
        Next(94);
        return 0;
    case 94:  // then Spelling Help has the keys again, and Escape closes it
        if (!Told("once help closed Spelling Help has the keys",
                  !Shown(s.other) && KeysOn(DocumentWindow<SpHelpWin>())))
            return 0;
        vkotest::XTestHand().key(XK_Escape);
        Next(95);
        return 0;
    case 95:
        if (!Told("Spelling Help answered Escape", DocumentWindow<SpHelpWin>() == nullptr && !Shown(s.dialog)))
            return 0;
        // One that did not is cancelled all the same, so that the run goes on.
        if (SpHelpWin* spelling = DocumentWindow<SpHelpWin>())
            spelling->DoCommand(SpHelpWin::kCmdCancel, nullptr);
        Next(13);
        return 0;
    case 70:  // a second main window
        if (ChooseItem(main, menutag::kFile, menutag::kNewWindow))
            Next(71);
        return 0;
    case 71: {
        MainRefWin* second = SecondWindow();
        if (second == nullptr || !Ready(second) || !KeysOn(second))
            return 0;
        if (!s.wm) {
            const auto [x1, y1] = vkotest::screen_origin(s.probe, XWin(main));
            const auto [x2, y2] = vkotest::screen_origin(s.probe, XWin(second));
            const int step = vkobase::menu::bar_height();
            Log(std::string("the new window opens a bar's height down and right of the first: ") +
                (x2 - x1 == step && y2 - y1 == step ? "yes" : "no (" + std::to_string(x2 - x1) + "," + std::to_string(y2 - y1) + ")"));
        }
        Type("ab");
        Next(72);
        return 0;
    }
    case 72:
        if (!Told("the new window's field takes the keys", Holds(SecondWindow(), "ab")))
            return 0;
        vkotest::XTestHand().key_with(XK_Control_L, XK_f);
        Next(73);
        return 0;
    case 73:  // Window > Next Window brought the first window forward: keys typed there
        if (!vkotest::above(s.probe, XWin(main), XWin(SecondWindow())) && Patient())
            return 0;
        s.field = Screen("before_typing");
        Type("qq");
        Next(74);
        return 0;
    case 74: {
        if ((!Holds(main, "qq") || !TakenIn()) && Patient())
            return 0;
        const s_rct field = FieldOnScreen(main);
        cairo_surface_t* now = Screen("after_typing");
        const bool drawn = now != nullptr && s.field != nullptr &&
                           test_support::DifferingPixels(now, field.left, field.top, s.field, field.left, field.top,
                                                         field.right - field.left, field.bottom - field.top) > 0;
        Log(std::string("after Ctrl+F the keys reach the first window's field and show there: ") +
            (Holds(main, "qq") && drawn ? "yes" : "no"));
        cairo_surface_destroy(now);  // nothing for a null one
        cairo_surface_destroy(s.field);
        s.field = nullptr;
        Next(75);
        return 0;
    }
    case 75:  // the second window chosen in the first one's Window menu
        if (ChooseItem(main, menutag::kWindow, KQedApp::kWindowItemBase + 2))
            Next(76);
        return 0;
    case 76:
        if (!vkotest::above(s.probe, XWin(SecondWindow()), XWin(main)) && Patient())
            return 0;
        Type("ww");
        Next(77);
        return 0;
    case 77:
        if (Told("after a choice in the Window menu the keys reach the second window's field",
                 Holds(SecondWindow(), "ww")))
            Next(78);
        return 0;
    case 78:  // the second window closed from its File menu: the first one has the keys again
        if (ChooseItem(SecondWindow(), menutag::kFile, menutag::kClose))
            Next(79);
        return 0;
    case 79:
        if (SecondWindow() != nullptr || !KeysOn(main))
            return 0;
        PointerAway();
        Type("ee");
        Next(80);
        return 0;
    case 80:
        if (Told("once the second window closed the keys reach the first window's field", Holds(main, "ee")))
            Next(40);
        return 0;
    case 30: {  // the user widens the main window (a window manager's border, or xdotool)
        if (!TakenIn() && Patient())
            return 0;
        const s_rct bar = BarPlace(main);
        s.barBefore = bar;
        if (cairo_surface_t* screen = Screen("before_widening")) {
            s.bar = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bar.right - bar.left, bar.bottom - bar.top);
            cairo_t* cr = cairo_create(s.bar);
            cairo_set_source_surface(cr, screen, -bar.left, -bar.top);
            cairo_paint(cr);
            cairo_destroy(cr);
            cairo_surface_destroy(screen);
        }
        XWindowAttributes a{};
        XGetWindowAttributes(s.probe, XWin(main), &a);
        s.paneWidth = main->GetFrontPage()->GetEntryPane()->PaneFrame().right;
        XResizeWindow(s.probe, XWin(main), static_cast<unsigned>(a.width + kWidening), static_cast<unsigned>(a.height));
        XFlush(s.probe);
        Next(31);
        return 0;
    }
    case 31: {
        // Laid out again at the new width, and drawn.
        if ((main->GetFrontPage()->GetEntryPane()->PaneFrame().right < s.paneWidth + kWidening || !TakenIn()) &&
            Patient())
            return 0;
        const s_rct bar = BarPlace(main);
        const s_rct old = s.barBefore;
        cairo_surface_t* screen = Screen("after_widening");
        const int width = bar.right - bar.left, height = bar.bottom - bar.top;
        if (screen != nullptr && s.bar != nullptr) {
            // Its arrows as before; its thumb follows the share of the text shown, which the
            // wider pane changed.
            const bool arrows =
                test_support::DifferingPixels(screen, bar.left, bar.top, s.bar, 0, 0, width, width) == 0 &&
                test_support::DifferingPixels(screen, bar.left, bar.bottom - width, s.bar, 0, height - width, width, width) == 0;
            Log(std::string("the entry's bar is drawn at the pane's new right edge: ") + (arrows ? "yes" : "no"));
            // Where the bar was lies the pane's text area now: no row of the bar is left there.
            int rowsLeft = 0;
            for (int y = 0; y < height; ++y)
                rowsLeft += test_support::DifferingPixels(screen, old.left, old.top + y, s.bar, 0, y, width, 1) == 0 ? 1 : 0;
            Log(std::string("the bar's old place is cleared: ") + (rowsLeft == 0 ? "yes" : "no"));
        }
        cairo_surface_destroy(screen);
        cairo_surface_destroy(s.bar);
        s.bar = nullptr;
        Next(2);
        return 0;
    }
    case 40:  // "planet", whose entry has a table
        if (!FieldTakesKeys(main))
            return 0;
        Retype(main, "planet");
        vkotest::XTestHand().key(XK_Return);
        Next(41);
        return 0;
    case 41: {
        auto* document = dynamic_cast<RefDoc*>(main->GetDocument());
        if ((document->GetKeyTable().currentEntryWord() != "planet" || !TakenIn()) && Patient())
            return 0;
        s.menuBar = MenuBarStrip(main);
        s.before = Screen("before_the_table");
        RefDoc::CmdShowTable::Send(*document);
        Next(42);
        return 0;
    }
    case 42: {
        FRM_CWindow* table = DocumentWindow<TableWin>();
        if ((!Ready(table) || !TakenIn()) && Patient())
            return 0;
        // Without a window manager nothing frames the windows: the main window's menu bar
        // must still read as its own, not run on into the table window's.
        cairo_surface_t* after = Screen("with_the_table");
        const s_rct bar = s.menuBar;
        if (!s.wm && s.before != nullptr && after != nullptr)
            Log(std::string("the main window's menu bar shows whole beside the table window: ") +
                (test_support::DifferingPixels(after, bar.left, bar.top, s.before, bar.left, bar.top,
                                               bar.right - bar.left, bar.bottom - bar.top) == 0 ? "yes" : "no"));
        cairo_surface_destroy(after);
        // Without a window manager the program stacks its windows itself.
        if (s.wm) {
            EndRun();
            return 0;
        }
        Next(43);
        return 0;
    }
    case 43:  // the main window chosen in its Window menu comes back above the table
        if (ChooseItem(main, menutag::kWindow, KQedApp::kWindowItemBase + 1))
            Next(44);
        return 0;
    case 44:
    case 46: {
        // What lies where the table covered the main window shows the main window again, as it
        // showed before the table came (but for the field's caret).
        if (!TakenIn() && Patient())
            return 0;
        s_rct covered{};
        const s_rct table = OnScreen(DocumentWindow<TableWin>()), window = OnScreen(main);
        vkov_rect_intersect(&covered, &table, &window);
        cairo_surface_t* now = Screen(s.step == 44 ? "main_chosen" : "main_clicked");
        const int area = (covered.right - covered.left) * (covered.bottom - covered.top);
        const int differing = now != nullptr && s.before != nullptr && area > 0
                                  ? test_support::DifferingPixels(now, covered.left, covered.top, s.before, covered.left,
                                                                  covered.top, covered.right - covered.left,
                                                                  covered.bottom - covered.top)
                                  : area;
        if (differing * 100 > area && Patient()) {
            cairo_surface_destroy(now);
            return 0;
        }
        Log(std::string(s.step == 44 ? "the Window menu" : "a click") + " brings the main window back above the table: " +
            (area > 0 && differing * 100 <= area ? "yes" : "no"));
        cairo_surface_destroy(now);
        if (s.step == 46) {
            EndRun();
            return 0;
        }
        // The table clicked comes to the front again.
        const s_pnt at = Centre(table);
        vkotest::XTestHand().click(at.h, at.v);
        Next(45);
        return 0;
    }
    case 45: {  // then a click on a place of the main window that the table leaves uncovered
        if (!vkotest::above(s.probe, XWin(DocumentWindow<TableWin>()), XWin(main)) && Patient())
            return 0;
        const s_rct table = OnScreen(DocumentWindow<TableWin>()), window = OnScreen(main);
        const s_pnt corners[] = {{static_cast<std::int16_t>(window.bottom - 8), static_cast<std::int16_t>(window.left + 8)},
                                 {static_cast<std::int16_t>(window.bottom - 8), static_cast<std::int16_t>(window.right - 8)},
                                 {static_cast<std::int16_t>(window.top + 60), static_cast<std::int16_t>(window.right - 8)}};
        for (const s_pnt& at : corners)
            if (!Inside(at, table)) {
                vkotest::XTestHand().click(at.h, at.v);
                break;
            }
        Next(46);
        return 0;
    }
    default:
        return 0;
    }
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
// What another program put on the clipboard, in UTF-8: the program's code page has its letter.
constexpr char kCopiedElsewhere[] = "caf\xc3\xa9";

std::vector<std::string> RunOnDesktop(bool wm, std::string* skip)
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
    if (vkotest::find_on_path("xclip").empty()) {
        *skip = "xclip is not installed";
        return {};
    }
    // Another program has copied a word before TavlinCD starts.
    const pid_t xclip = vkotest::offer_with_xclip(desktop.display(), kCopiedElsewhere);
    test_support::TempDir folder;
    demodict::DemoSlice slice;
    slice.first_lemmas = 20;
    slice.lemmas = {"cat", "planet", "photograph"};
    demodict::DemoReport report;
    std::string error;
    EXPECT_TRUE(demodict::write_demo(kWordNet, folder.path(), &slice, {}, &report, &error)) << error;
    // The help file and its topic associations, where help looks first.
    for (const char* name : {"TavlinCD.hlp", "TavlinCD.csa"})
        std::filesystem::copy_file(std::string(TAVLIN_HELP_DIR) + "/" + name, folder.path() + "/" + name);
    script().log = folder.path() + "/script.txt";
    script().wm = wm;
    const pid_t pid = vkotest::fork_child();
    if (pid == 0)
        RunProgram(desktop.display(), folder.path());
    EXPECT_EQ(vkotest::wait_for(pid, 400), 0);
    if (xclip > 0) {
        kill(xclip, SIGTERM);
        waitpid(xclip, nullptr, 0);
    }
    return vkotest::read_lines(script().log);
}

// What the program sees, with or without a window manager: what a manager reads of each
// window, the splash where the program put it, the first keys in the search field, and the
// focus back where it was once the dialog has gone.
const std::vector<std::string> kSeen = {
    "splash _NET_WM_WINDOW_TYPE_SPLASH for the main window tavlincd/TavlinCD titled \"\"",
    "the splash is unframed where the program put it",
    "the splash shows while the word is typed: yes",
    "main _NET_WM_WINDOW_TYPE_NORMAL tavlincd/TavlinCD titled as its window",
    "typed while the splash showed: \"cat[1]\", 2 entries",
    "at start the keys go to the search field",
    "at start Edit > Paste is enabled",
    "Ctrl+V pastes \"caf\xe9\"",
    "once help closed Spelling Help has the keys: yes",
    "Spelling Help answered Escape: yes",
    "typed: \"cat[1]\", 2 entries",
    "before the dialog the focus is on the hit list",
    "the entry's bar is drawn at the pane's new right edge: yes",
    "the bar's old place is cleared: yes",
    "preferences _NET_WM_WINDOW_TYPE_DIALOG for all the program's windows modal tavlincd/TavlinCD titled as its window",
    "the dialog stays above the main window: yes",
    "the dialog answered Escape: yes",
    "after the dialog the focus is on the hit list",
    "after the dialog a key moves the hit list: yes",
    "the colour chooser tavlincd/TavlinCD",
    "once the colour chooser closed Preferences has the keys: yes",
    "then Preferences answered Escape: yes",
    "the history list answered Escape: yes",
    "after the history list a key moves the hit list: yes",
    "the bookmark organiser answered Escape: yes",
    "after the bookmark organiser a key moves the hit list: yes",
    "a click after Escape closed a menu leaves menu mode and reaches the search field: yes",
};

// Then, with a second main window (without a window manager the program places it), the keys
// after switching windows; and without a window manager, with a table window open, which
// window shows on top.
const std::vector<std::string> kSeenWithTwoWindows = {
    "the new window's field takes the keys: yes",
    "after Ctrl+F the keys reach the first window's field and show there: yes",
    "after a choice in the Window menu the keys reach the second window's field: yes",
    "once the second window closed the keys reach the first window's field: yes",
};
const std::vector<std::string> kSeenWithTheTable = {
    "the Window menu brings the main window back above the table: yes",
    "a click brings the main window back above the table: yes",
};

// The lines as one text, so that a failure shows where they part.
std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// What the run must log: without a window manager the program also places the second main
// window apart, and stacks the table window and the main window itself.
std::string Expected(bool wm)
{
    std::vector<std::string> seen = kSeen;
    if (!wm)
        seen.push_back("the new window opens a bar's height down and right of the first: yes");
    seen.insert(seen.end(), kSeenWithTwoWindows.begin(), kSeenWithTwoWindows.end());
    if (!wm) {
        seen.push_back("the main window's menu bar shows whole beside the table window: yes");
        seen.insert(seen.end(), kSeenWithTheTable.begin(), kSeenWithTheTable.end());
    }
    return Joined(seen);
}

void CheckOnDesktop(bool wm)
{
    std::string skip;
    const std::vector<std::string> lines = RunOnDesktop(wm, &skip);
    if (!skip.empty())
        GTEST_SKIP() << skip;
    EXPECT_EQ(Joined(lines), Expected(wm));
}

TEST(TavlinCDDesktopX11, WithoutAWindowManager) { CheckOnDesktop(false); }

TEST(TavlinCDDesktopX11, UnderOpenbox) { CheckOnDesktop(true); }

} // namespace
