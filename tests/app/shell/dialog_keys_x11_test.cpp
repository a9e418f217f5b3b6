// dialog_keys_x11_test.cpp: what a user's keys do in TavlinCD's dialogs, menus and pages, on a
// private Xvfb without a window manager and under openbox, on a slice of the demo dictionary.
// A script inside the program (one step per timer tick, each waiting for the effect of the one
// before) types through the XTest extension, keys 20 ms apart: Down and Return in the History
// List (the first Down selects its first line), Return in Spelling Help (on OK and on the
// list), Escape over the About box, Return in a menu opened with Alt and a letter, Ctrl+C
// after a drag in the entry pane and the letters typed then (the pointer off the window), the
// Advanced page's keys after Clear put it back, and it reads the pixels of the entry pane's
// scroll bar before and after Clear. The program logs what it saw; the test compares the log.
// gtest and the program's headers first: Xlib's macros (None, Bool, FocusIn) would break them.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../../platform/vkobase/src/core_internal.h"
#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/menu_internal.h"
#include "app/display/kq_list_box.h"
#include "app/display/scroll_view_win.h"
#include "app/pages/kq_adv_win.h"
#include "app/pages/search_notebook.h"
#include "app/pages/search_page_win.h"
#include "app/shell/kq_app.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/ref_doc.h"
#include "app/shell/sp_help_win.h"
#include "app/shell/splash_win.h"
#include "app/shell/w_hist_win.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/views/nscrllbr.h"
#include "vkobase/display_debug.h"
#include "../../platform/vkobase/wm_test_support.h"
#include "action_taken_in.h"
#include "scripted_app.h"
#include "../../support/temp_dir.h"
#include "tests/support/user_view.h"
#include "tools/demodict/demo_writer.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using Step = std::function<bool()>;

struct Script {
    std::string log;
    std::string folder;
    bool wm = false;
    Display* probe = nullptr;        // types and reads the windows as another client
    std::size_t step = 0;
    vkotest::StepClock clock{240};   // a step that waits longer stops the run
    vkotest::Deadline patience{30};  // for what a check looks for
    vkotest::ActionTakenIn takenIn;  // the wait after each action of the script
    std::vector<Step> steps;
    std::string xclip; // reads the clipboard as another program
};

Script& script()
{
    static Script s;
    return s;
}

void Log(const std::string& line) { vkotest::append_line(script().log, line); }

bool Patient() { return !script().patience.passed(); }

// Whether what the script did last has been taken in: the window manager, when there is one,
// has handled it, and the program has read, handled and drawn what the server sent it since.
bool TakenIn()
{
    Script& s = script();
    return s.takenIn(s.wm, s.probe);
}

// A check's line once what it looks for is seen or patience runs out; false while it waits.
bool Told(const std::string& what, bool seen)
{
    if (!seen && Patient())
        return false;
    Log(what + ": " + (seen ? "yes" : "no"));
    return true;
}

// Waits for what a later step needs; past patience it says what did not come and goes on.
bool Await(const std::function<bool()>& done, const std::string& what)
{
    if (done())
        return true;
    if (Patient())
        return false;
    Log("timed out: " + what);
    return true;
}

// --- the user's hand -------------------------------------------------------------------------

// A key pressed and released 20 ms after what was typed before (the server keeps the pace),
// with Shift where the key's character needs it, and with a held modifier when given.
void Press(KeySym sym, KeySym held = NoSymbol)
{
    Display* dpy = script().probe;
    const KeyCode code = XKeysymToKeycode(dpy, sym);
    const bool shifted = XkbKeycodeToKeysym(dpy, code, 0, 0) != sym;
    const KeySym modifier = held != NoSymbol ? held : shifted ? XK_Shift_L : NoSymbol;
    const KeyCode down = modifier != NoSymbol ? XKeysymToKeycode(dpy, modifier) : 0;
    if (down != 0)
        XTestFakeKeyEvent(dpy, down, True, 20);
    XTestFakeKeyEvent(dpy, code, True, down != 0 ? 0 : 20);
    XTestFakeKeyEvent(dpy, code, False, 0);
    if (down != 0)
        XTestFakeKeyEvent(dpy, down, False, 0);
    XSync(dpy, False);
}

void Type(const std::string& text)
{
    for (const char c : text)
        Press(c == '\r' ? XK_Return : static_cast<KeySym>(static_cast<unsigned char>(c)));
}

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
    Display* dpy = script().probe;
    const s_pnt at = CentreOf(view);
    XTestFakeMotionEvent(dpy, -1, at.h, at.v, CurrentTime);
    XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XSync(dpy, False);
}

// A step that acts once the program has taken in what came before.
Step Act(std::function<void()> act)
{
    return [act] {
        if (!TakenIn())
            return false;
        act();
        return true;
    };
}

// --- the program -----------------------------------------------------------------------------

KQedApp& App() { return *KQedApp::Instance(); }

MainRefWin* MainWindow()
{
    const auto& windows = App().GetWindowList();
    return windows.empty() ? nullptr : dynamic_cast<MainRefWin*>(windows[0]);
}

SearchPageWin* Front() { return MainWindow()->GetFrontPage(); }
KQAdvWin* Advanced() { return dynamic_cast<KQAdvWin*>(MainWindow()->GetPage(1)); }

// The window of that class over the main window's document, if any.
template <class Window> Window* DocumentWindow()
{
    FRM_CDocument* document = MainWindow() != nullptr ? MainWindow()->GetDocument() : nullptr;
    for (int i = 0; document != nullptr && i < document->GetNumWindows(); ++i)
        if (auto* window = dynamic_cast<Window*>(static_cast<FRM_CWindow*>(document->GetWindows()[i])))
            return window;
    return nullptr;
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

// The word of the entry shown, empty when none.
std::string Shown()
{
    const EntryRecord* shown = MainWindow()->GetNotebook()->GetHistories().entries.Current();
    return shown != nullptr ? shown->word : std::string();
}

std::string Lines(const FRM_NListBox* list)
{
    std::string lines;
    for (int i = 0; i < list->GetNumItems(); ++i)
        lines += (i == 0 ? "" : ",") + std::string(list->GetItem(i, 100).data());
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, const char* between)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : between) + line;
    return text;
}

// A note (or any other modal box) holds the program.
bool NoteShown() { return vkobase::app_innermost_modal() != nullptr; }

// The length in pixels of the thumb a vertical bar shows on the screen, 0 with none: down the
// bar's middle the track's stipple alternates white and face, the thumb is face all along.
int ThumbLength(const FRM_CView* bar)
{
    const std::string file = script().folder + "/screen.png";
    vkov_display_screenshot(file.c_str());
    cairo_surface_t* screen = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(screen) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(screen);
        return -1;
    }
    const FRM_CRect frame = bar->GetFrame();
    const int arrow = static_cast<int>(frame.Width());
    const s_pnt centre = CentreOf(bar);
    const int top = centre.v - static_cast<int>(frame.Height()) / 2;
    int longest = 0, run = 0;
    for (int y = top + arrow; y < top + static_cast<int>(frame.Height()) - arrow; ++y) {
        run = (vkotest::pixel(screen, centre.h, y) & 0xFFFFFF) == 0xC0C0C0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    cairo_surface_destroy(screen);
    return longest > 2 ? longest : 0;
}

// --- the script ------------------------------------------------------------------------------

// Types word into the front page's field (over what it held) and, when given, Return.
void TypeIntoField(std::vector<Step>& steps, const std::string& text)
{
    steps.push_back(Act([] { Click(Front()->GetField()); }));
    steps.push_back([] { return Await([] { return HasKeys(Front()->GetField()); }, "the click on the field"); });
    steps.push_back(Act([text] {
        for (int i = 0; i < 16; ++i)
            Press(XK_BackSpace);
        Type(text);
    }));
}

void LookUp(std::vector<Step>& steps, const std::string& word)
{
    TypeIntoField(steps, word + "\r");
    steps.push_back([word] {
        return Await([word] { return Shown().rfind(word, 0) == 0; }, "the entry of " + word);
    });
}

// Opens a menu of the main window with Alt and the title's letter, then presses keys.
void MenuKeys(std::vector<Step>& steps, char title, std::vector<KeySym> keys)
{
    steps.push_back(Act([title] { Press(static_cast<KeySym>(title), XK_Alt_L); }));
    steps.push_back([] { return Await([] { return vkobase::menu::level_count() == 1; }, "the menu"); });
    for (const KeySym key : keys)
        steps.push_back(Act([key] { Press(key); }));
}

// Escape until no menu is open.
void CloseMenus(std::vector<Step>& steps)
{
    steps.push_back([] {
        if (!TakenIn())
            return false;
        if (vkobase::menu::level_count() == 0)
            return true;
        Press(XK_Escape);
        script().takenIn.restart();
        return false;
    });
}

// Tabs in a dialog until view has the keys, presses the keys given there, then Return: the
// dialog must close.
template <class Dialog>
void ReturnOn(std::vector<Step>& steps, const std::string& what, std::function<FRM_CView*(Dialog*)> target,
              std::function<bool()> done, std::vector<KeySym> before = {})
{
    auto tabs = std::make_shared<int>(0);
    steps.push_back([tabs, target] {
        if (!TakenIn())
            return false;
        Dialog* dialog = DocumentWindow<Dialog>();
        if (dialog == nullptr)
            return !Patient();
        if (HasKeys(target(dialog)) || *tabs >= 12)
            return true;
        Press(XK_Tab);
        ++*tabs;
        script().takenIn.restart();
        return false;
    });
    for (const KeySym key : before)
        steps.push_back(Act([key] { Press(key); }));
    steps.push_back(Act([] { Press(XK_Return); }));
    steps.push_back([what, done] { return Told(what, DocumentWindow<Dialog>() == nullptr && done()); });
    // A dialog that stayed is closed, for the steps after.
    steps.push_back([] {
        if (!TakenIn())
            return false;
        if (DocumentWindow<Dialog>() == nullptr)
            return true;
        Press(XK_Escape);
        script().takenIn.restart();
        return false;
    });
}

// Opens Spelling Help over the word typed, then Return on what target gives.
void SpellingHelp(std::vector<Step>& steps, const std::string& what,
                  std::function<FRM_CView*(SpHelpWin*)> target)
{
    TypeIntoField(steps, "kat");
    steps.push_back(Act([] { Click(ViewWithCommand(Front(), SearchPageWin::kCmdSpellingHelp)); }));
    auto picked = std::make_shared<std::string>();
    steps.push_back([picked] {
        SpHelpWin* window = DocumentWindow<SpHelpWin>();
        if (window == nullptr || window->GetList()->GetNumItems() == 0)
            return Await([] { return false; }, "Spelling Help");
        *picked = window->GetList()->GetFirstSelectedItem(100).data();
        return true;
    });
    ReturnOn<SpHelpWin>(steps, what, target, [picked] { return !picked->empty() && Front()->GetTypedText() == *picked; });
}

// On the Advanced page: "(va=cat" and Return; logs the token list then and whether a note
// came up (it is answered).
void OpenThenTerm(std::vector<Step>& steps, const std::string& when)
{
    steps.push_back(Act([] { Type("(va=cat\r"); }));
    steps.push_back([when] {
        if (!Await([] { return NoteShown() || Advanced()->GetTokens().size() >= 2; }, "the token list"))
            return false;
        if (!TakenIn())
            return false;
        const bool note = NoteShown();
        Log(when + " (va=cat and Return give " + Joined(Advanced()->GetTokens(), " ") + (note ? " and a note" : ", no note"));
        if (note)
            Press(XK_Return);
        return true;
    });
    steps.push_back([] { return Await([] { return !NoteShown(); }, "the note closed"); });
}

// A point of the entry pane (its own coordinates) over the first word the entry shows, and
// one a few lines further down: a drag between them selects the text from that word on.
std::pair<s_pnt, s_pnt> DragOverTheEntry()
{
    const EntryPainter& painter = MainWindow()->GetPainter();
    const auto lines = static_cast<std::int16_t>(3 * painter.lineHeight());
    for (std::int16_t y = 0; y < 120; y += 2)
        for (std::int16_t x = 0; x < 300; x += 2)
            if (painter.RunAt(x, y) >= 0)
                return {s_pnt{y, x}, s_pnt{static_cast<std::int16_t>(y + lines), x}};
    return {};
}

// Looks up "planet", drags over its entry and copies what that selects with Ctrl+C; then,
// the pointer moved off the window, types "arium" and Return, which carry on in the field.
void TypeAfterADragInThePane(std::vector<Step>& steps)
{
    LookUp(steps, "planet");
    steps.push_back(Act([] {
        auto [from, to] = DragOverTheEntry();
        s_pnt ends[2] = {from, to};
        vkok_vobj_translate_points(Front()->GetEntryPane()->PaneWindow(), nullptr, ends, 2);
        Display* dpy = script().probe;
        XTestFakeMotionEvent(dpy, -1, ends[0].h, ends[0].v, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
        XTestFakeMotionEvent(dpy, -1, ends[1].h, ends[1].v, 20);
        XTestFakeButtonEvent(dpy, 1, False, 20);
        XSync(dpy, False);
    }));
    steps.push_back([] {
        return Await([] { return !MainWindow()->GetPainter().SelectedTextUtf8().empty(); }, "the drag's selection");
    });
    steps.push_back(Act([] { Press(XK_c, XK_Control_L); }));
    // The clipboard is read until it holds the selection (Ctrl+C may still be on its way).
    auto read = std::make_shared<std::unique_ptr<test_support::ClipboardRead>>();
    steps.push_back([read] {
        if (!TakenIn())
            return false;
        const std::string selected = MainWindow()->GetPainter().SelectedTextUtf8();
        std::string copied;
        if (*read != nullptr && !(*read)->Done(&copied))
            return false;
        if ((*read == nullptr || copied != selected) && Patient()) {
            *read = std::make_unique<test_support::ClipboardRead>();
            (*read)->Start(script().xclip, script().folder + "/clipboard.txt");
            return false;
        }
        return Told("Ctrl+C after a drag in the entry copies its selection", !copied.empty() && copied == selected);
    });
    steps.push_back(Act([] {
        // The pointer goes to the screen's far corner, off the window.
        Display* dpy = script().probe;
        const s_pnt corner{static_cast<std::int16_t>(DisplayHeight(dpy, DefaultScreen(dpy)) - 1),
                           static_cast<std::int16_t>(DisplayWidth(dpy, DefaultScreen(dpy)) - 1)};
        s_rct window{};
        vko_vobj_get_client_rect(MainWindow()->GetVKOWindow(), &window);
        s_pnt far{window.bottom, window.right};
        vkok_vobj_translate_points(MainWindow()->GetVKOWindow(), nullptr, &far, 1);
        if (far.v >= corner.v && far.h >= corner.h)
            Log("the window covers the screen: the pointer cannot leave it");
        XTestFakeMotionEvent(dpy, -1, corner.h, corner.v, CurrentTime);
        Type("arium\r");
    }));
    steps.push_back([] {
        if (!Await([] { return Shown() == "planetarium"; }, "the entry of planetarium"))
            return false;
        const KQListBox* list = Front()->GetHitList();
        std::string lines;
        for (int i = 0; i < list->GetCount(); ++i)
            lines += (i == 0 ? "" : ",") + list->GetItem(i);
        Log("typed over the entry: the field holds " + Front()->GetTypedText() + ", the list " + lines +
            ", the entry " + Shown());
        return true;
    });
}

std::vector<Step> Plan()
{
    std::vector<Step> steps;
    // The main window up, the splash gone by itself.
    steps.push_back([] {
        return MainWindow() != nullptr && App().GetSplash() == nullptr &&
               vkotest::shown_and_framed(script().probe, vkobase::display_xwindow_of(MainWindow()->GetVKOWindow()),
                                         script().wm);
    });

    // The History List: Return on the line selected goes to its entry.
    LookUp(steps, "circle");
    steps.push_back(Act([] { Press(XK_Down); }));
    steps.push_back([] { return Await([] { return Shown() == "circle[2]"; }, "the next line's entry"); });
    LookUp(steps, "cat");
    // The line of the entry shown, clicked again: the same entry, not a new one viewed.
    steps.push_back(Act([] {
        const FRM_CView* list = Front()->GetHitList();
        const s_pnt centre = CentreOf(list);
        const FRM_CRect frame = list->GetFrame();
        Display* dpy = script().probe;
        XTestFakeMotionEvent(dpy, -1, centre.h, centre.v - static_cast<int>(frame.Height()) / 2 + 8, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
        XSync(dpy, False);
    }));
    MenuKeys(steps, 'v', {XK_h});
    steps.push_back([] {
        if (!Await([] { return DocumentWindow<WHistWin>() != nullptr; }, "the History List"))
            return false;
        if (WHistWin* window = DocumentWindow<WHistWin>())
            Log("the History List holds " + Lines(window->GetList()));
        return true;
    });
    ReturnOn<WHistWin>(steps, "Return on the History List's first line shows circle[1]",
                       [](WHistWin* window) { return window->GetList(); }, [] { return Shown() == "circle[1]"; },
                       {XK_Down, XK_Up});
    // Opened afresh, the History List has the keys: the first Down selects its first line
    // and Return goes there.
    LookUp(steps, "cat");
    MenuKeys(steps, 'v', {XK_h});
    steps.push_back([] {
        return Await([] { return DocumentWindow<WHistWin>() != nullptr; }, "the History List");
    });
    steps.push_back(Act([] { Press(XK_Down); }));
    steps.push_back([] {
        if (!TakenIn())
            return false;
        const WHistWin* window = DocumentWindow<WHistWin>();
        const int selected = window != nullptr ? window->GetList()->GetSelectPosition() : -1;
        Log("the first Down in a fresh History List selects " +
            (selected >= 0 ? std::string(window->GetList()->GetItem(selected, 100).data())
                           : std::string("nothing")));
        return true;
    });
    steps.push_back(Act([] { Press(XK_Return); }));
    steps.push_back([] {
        return Told("Return then shows circle[1]",
                    DocumentWindow<WHistWin>() == nullptr && Shown() == "circle[1]");
    });
    steps.push_back([] {
        if (!TakenIn())
            return false;
        if (DocumentWindow<WHistWin>() == nullptr)
            return true;
        Press(XK_Escape);
        script().takenIn.restart();
        return false;
    });

    // Spelling Help: Return on OK, and on the list, searches the word picked.
    SpellingHelp(steps, "Spelling Help: Return on OK searches the word picked",
                 [](SpHelpWin* window) { return ViewWithCommand(window, SpHelpWin::kCmdConfirm); });
    SpellingHelp(steps, "Spelling Help: Return on the list searches the word picked",
                 [](SpHelpWin* window) { return window->GetList(); });

    // The About box: Escape closes it and leaves the page as it was.
    auto before = std::make_shared<std::string>();
    steps.push_back([before] {
        *before = Front()->GetTypedText() + " / " + std::to_string(Front()->GetHitList()->GetCount());
        return true;
    });
    MenuKeys(steps, 'h', {XK_Up, XK_Return});
    steps.push_back([] { return Await([] { return App().GetSplash() != nullptr; }, "the About box"); });
    steps.push_back(Act([] { Press(XK_Escape); }));
    steps.push_back([] { return Told("Escape closes the About box", App().GetSplash() == nullptr); });
    steps.push_back([before] {
        if (!TakenIn())
            return false;
        const std::string after = Front()->GetTypedText() + " / " + std::to_string(Front()->GetHitList()->GetCount());
        return Told("the page keeps its word and its list", after == *before && !Shown().empty());
    });

    // A menu opened from the keyboard highlights its first enabled item: Return chooses it.
    MenuKeys(steps, 'e', {XK_Return});
    steps.push_back([] { return Told("Return in Edit opened by Alt+E chooses an item", vkobase::menu::level_count() == 0); });
    CloseMenus(steps);

    // Letters typed while the entry pane has the keys (after a drag that Ctrl+C copies).
    TypeAfterADragInThePane(steps);

    // A long entry shows a thumb; the blank pane after Clear shows none.
    LookUp(steps, "head");
    steps.push_back([] {
        if (!TakenIn())
            return false;
        return Told("a long entry shows a thumb", ThumbLength(Front()->GetEntryPane()->scrollBar()) > 0);
    });
    steps.push_back(Act([] { Click(ViewWithCommand(Front(), SearchPageWin::kCmdClear)); }));
    steps.push_back([] { return Await([] { return !MainWindow()->GetPainter().hasText(); }, "Clear"); });
    steps.push_back([] {
        if (!TakenIn())
            return false;
        return Told("after Clear the blank pane shows no thumb", ThumbLength(Front()->GetEntryPane()->scrollBar()) == 0);
    });

    // The Advanced page: the same keys give the same answer on a fresh page and after an
    // expression typed and cleared.
    MenuKeys(steps, 'v', {XK_d});
    steps.push_back([] { return Await([] { return Front() == Advanced(); }, "the Advanced page"); });
    steps.push_back(Act([] { Click(Advanced()->GetField()); }));
    steps.push_back([] { return Await([] { return HasKeys(Advanced()->GetField()); }, "the click on the field"); });
    OpenThenTerm(steps, "on a fresh page");
    steps.push_back(Act([] { Press(XK_Escape); }));
    steps.push_back([] { return Await([] { return Advanced()->GetTokens().empty(); }, "Escape"); });
    steps.push_back(Act([] { Type("cat & dog"); }));
    steps.push_back([] { return Await([] { return Advanced()->IsTextMode(); }, "the expression typed"); });
    steps.push_back(Act([] { Press(XK_Escape); }));
    steps.push_back([] {
        return Await([] { return Advanced()->GetTypedText().empty() && HasKeys(Advanced()->GetField()); }, "Escape");
    });
    OpenThenTerm(steps, "after an expression and Clear");

    steps.push_back(Act([] {
        Log("done");
        vkov_app_destroy();
    }));
    return steps;
}

int32_t ScriptHandler(WINDOW, EVENT* event)
{
    if (event->type != E_TIMER)
        return 0;
    Script& s = script();
    if (s.clock.stalled(static_cast<long>(s.step))) {
        Log("stalled at step " + std::to_string(s.step));
        vkov_app_destroy();
        return 0;
    }
    if (s.step < s.steps.size() && s.steps[s.step]()) {
        ++s.step;
        s.patience = vkotest::Deadline(30);
        s.takenIn.restart();
    }
    return 0;
}

[[noreturn]] void RunProgram(const std::string& display, const std::string& folder)
{
    setenv("DISPLAY", display.c_str(), 1);
    if (chdir(folder.c_str()) != 0)
        _exit(2);
    script().probe = XOpenDisplay(nullptr);
    script().steps = Plan();
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

std::vector<std::string> Run(bool wm, std::string* skip)
{
    if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun") || vkotest::find_on_path("espeak-ng").empty() ||
        vkotest::find_on_path("xclip").empty()) {
        *skip = "WordNet (wordnet-base), espeak-ng or xclip is not installed";
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
    slice.lemmas = {"cat", "circle", "head", "planet", "planetarium"};
    demodict::DemoReport report;
    std::string error;
    EXPECT_TRUE(demodict::write_demo(kWordNet, folder.path(), &slice, {}, &report, &error)) << error;
    script().log = folder.path() + "/script.txt";
    script().folder = folder.path();
    script().wm = wm;
    script().xclip = vkotest::find_on_path("xclip");
    const pid_t pid = vkotest::fork_child();
    if (pid == 0)
        RunProgram(desktop.display(), folder.path());
    EXPECT_EQ(vkotest::wait_for(pid, 400), 0);
    return vkotest::read_lines(script().log);
}

void CheckKeys(bool wm)
{
    std::string skip;
    const std::vector<std::string> lines = Run(wm, &skip);
    if (!skip.empty())
        GTEST_SKIP() << skip;
    const std::vector<std::string> expected = {
        "the History List holds circle[1],circle[2],cat[1]",
        "Return on the History List's first line shows circle[1]: yes",
        "the first Down in a fresh History List selects circle[1]",
        "Return then shows circle[1]: yes",
        "Spelling Help: Return on OK searches the word picked: yes",
        "Spelling Help: Return on the list searches the word picked: yes",
        "Escape closes the About box: yes",
        "the page keeps its word and its list: yes",
        "Return in Edit opened by Alt+E chooses an item: yes",
        "Ctrl+C after a drag in the entry copies its selection: yes",
        "typed over the entry: the field holds planetarium, the list planetarium, the entry planetarium",
        "a long entry shows a thumb: yes",
        "after Clear the blank pane shows no thumb: yes",
        "on a fresh page (va=cat and Return give ( Entry word is...=va=cat, no note",
        "after an expression and Clear (va=cat and Return give ( Entry word is...=va=cat, no note",
        "done",
    };
    EXPECT_EQ(Joined(lines, "\n"), Joined(expected, "\n"));
}

TEST(DialogKeysX11, WithoutAWindowManager) { CheckKeys(false); }

TEST(DialogKeysX11, UnderOpenbox) { CheckKeys(true); }

} // namespace
