// tavlincd_x11_test.cpp: TavlinCD end to end on a private Xvfb, with real input from the
// XTest extension, on a slice of the WordNet demo dictionary written at test time. A script
// inside the program (one step per timer tick, each waiting for the effect of the one before)
// clicks and types as a user would: it closes the splash window by a click, looks words up,
// plays a word's sound through a stand-in player on PATH that keeps what it is given, adds a
// bookmark, uses the entry pop-up ("Find in") and the Backward and Forward pop-ups of the
// arrow buttons, opens a table and an illustration from their marks and prints each to PDF,
// steps through the entries and lists looked up, makes a folder in the organiser and drags
// the bookmark into it, has the preferences' colours used in result lists too, opens About,
// three windows and the Window menu, copies from the entry, prints it and the results list,
// chooses the Edit, View, File, Print and Go Online items (closing what they open), and
// quits with File > Exit. A second run finds the bookmark in its folder and the preference
// kept, and opens the bookmark from the menu. Screenshots of each step go to
// VKO_GALLERY_DIR when it is set, for people to look at.
//
// It checks what the user sees: the screen's pixels over the entry pane against the entry
// drawn apart, the windows on top, the words of each printed PDF file, the text on the X
// clipboard, and which menu items are greyed.
// gtest and the program's headers first: Xlib's macros (None, Bool, FocusIn) would break
// them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/core_internal.h"
#include "../../../platform/vkobase/src/display_internal.h"
#include "../../../platform/vkobase/src/menu_internal.h"
#include "app/settings/prefs.h"
#include "app/settings/settings_files.h"
#include "app/shell/book_win.h"
#include "app/shell/bookmark_store.h"
#include "app/pages/adv_query.h"
#include "app/pages/kq_adv_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/pages/search_notebook.h"
#include "app/display/kq_list_box.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/ref_doc.h"
#include "resources/menu_tags.h"
#include "app/shell/pref_win.h"
#include "app/shell/splash_win.h"
#include "app/shell/table_win.h"
#include "app/shell/w_hist_win.h"
#include "app/display/scroll_view_win.h"
#include "app/display/entry_key_table.h"
#include "app/display/entry_painter.h"
#include "engine/worditem.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/views/cbutton.h"
#include "frm/controls/ctreevw.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/csubmenu.h"
#include "vkobase/display_debug.h"
#include "vkobase/pmap.h"
#include "vkobase/surface_debug.h"
#include "../../platform/vkobase/xvfb_test_support.h"
#include "../../support/temp_dir.h"
#include "../../support/user_view.h"
#include "app/display/image_win.h"
#include "entry_mark.h"
#include "engine/engine.h"
#include "tools/demodict/demo_writer.h"
#include "../../../platform/win32/src/help_viewer.h"
#include "tools/demodict/description.h"
#include "tools/demodict/pictures.h"
#include "vkocoll/collstr.h"

#include <cairo.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

using Step = std::function<bool()>;

// Seconds (scaled) a step waits for what it checks before it goes on and the check tells, and
// before the run stops as stalled: the program's start under the sanitizers on a machine
// loaded many times over took more than a minute and a half.
constexpr double kPatience = 60;
constexpr double kStepLimit = 180;

struct Script {
    std::string log;
    std::string shots;
    std::string player;  // the folder of the stand-in sound player
    std::string scratch; // the run's own folder: pictures and clipboard text read back
    // The programs that read back what the user sees, found before PATH holds the player
    // alone.
    std::string xclip, pdftotext, pdfimages;
    // The demo's tables and figures, drawn before the program starts: drawing them lets
    // cairo's font caches go, which a running program must not have done under it.
    std::vector<demodict::Picture> pictures;
    int run = 1;
    std::size_t step = 0;
    int ticks = 0;
    // Each step's deadlines, from when it began: past patience a step that waits for what it
    // checks goes on and the check says what did not come; past the limit the run stops.
    vkotest::Deadline patience{kPatience};
    vkotest::Deadline limit{kStepLimit};
    std::function<std::vector<Step>()> plan;  // the steps of a test of its own, else the runs
};

Script& script()
{
    static Script s;
    return s;
}

void Log(const std::string& line) { vkotest::append_line(script().log, line); }

void Shot(const std::string& name)
{
    vkov_display_screenshot((script().shots + "/" + std::to_string(script().run) + "_" + name).c_str());
}

// --- real input ---------------------------------------------------------------------------

struct Input {
    Input() : dpy(XOpenDisplay(nullptr)) {}
    ~Input()
    {
        if (dpy != nullptr) {
            XSync(dpy, False);
            XCloseDisplay(dpy);
        }
    }
    void Move(s_pnt at) { XTestFakeMotionEvent(dpy, -1, at.h, at.v, CurrentTime); }
    void Button(int button, bool down) { XTestFakeButtonEvent(dpy, button, down ? True : False, CurrentTime); }
    void Click(s_pnt at, int button = 1)
    {
        Move(at);
        Button(button, true);
        Button(button, false);
    }
    void Key(KeySym sym)
    {
        const KeyCode code = XKeysymToKeycode(dpy, sym);
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    }
    // A key with a modifier held down (Shift_L, Control_L, ...).
    void KeyWith(KeySym modifier, KeySym sym)
    {
        const KeyCode held = XKeysymToKeycode(dpy, modifier);
        XTestFakeKeyEvent(dpy, held, True, CurrentTime);
        Key(sym);
        XTestFakeKeyEvent(dpy, held, False, CurrentTime);
    }
    // The top-most window shown (a dialog just opened), 0 when none.
    Window TopWindow(XWindowAttributes* top = nullptr)
    {
        Window root = 0, parent = 0, *children = nullptr, found = 0;
        unsigned count = 0;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
            return 0;
        for (unsigned i = count; i-- > 0 && found == 0;) {
            XWindowAttributes a{};
            XGetWindowAttributes(dpy, children[i], &a);
            if (a.map_state == IsViewable && a.width > 20) {
                found = children[i];
                if (top != nullptr)
                    *top = a;
            }
        }
        if (children != nullptr)
            XFree(children);
        return found;
    }
    // The pointer over the top-most window, where keys then go.
    void PointAtTopWindow()
    {
        XWindowAttributes a{};
        if (TopWindow(&a) != 0)
            XTestFakeMotionEvent(dpy, -1, a.x + a.width / 2, a.y + a.height / 2, CurrentTime);
    }
    // Whether the server gives the keys to the top-most window (or a window inside it): a
    // dialog just opened is up and ready for what is typed.
    bool TopWindowHasKeys()
    {
        const Window top = TopWindow();
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(dpy, &focus, &revert);
        while (top != 0 && focus > PointerRoot && focus != top) {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned count = 0;
            if (XQueryTree(dpy, focus, &root, &parent, &children, &count) == 0)
                return false;
            if (children != nullptr)
                XFree(children);
            focus = parent == root ? 0 : parent;
        }
        return top != 0 && focus == top;
    }
    // Whether the server shows the program's window.
    bool Viewable(const FRM_CWindow* window)
    {
        const Window own = window != nullptr ? vkobase::display_xwindow_of(window->GetVKOWindow()) : 0;
        XWindowAttributes a{};
        return own != 0 && XGetWindowAttributes(dpy, own, &a) != 0 && a.map_state == IsViewable;
    }
    // The program takes in the input made so far (the server has it once this call returns):
    // what the program does at once (an open menu's moves, a press on a menu title) is done
    // when it returns, and the events it queued are handled before the next tick.
    void Delivered()
    {
        XSync(dpy, False);
        vkobase::display_catch_up();
    }
    // How many top-level windows the server shows: windows, or (popups) the menus and
    // drop-down lists, which are the toolkit's override-redirect windows.
    int Shown(bool popups = false)
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
            return 0;
        int shown = 0;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a{};
            XGetWindowAttributes(dpy, children[i], &a);
            shown += a.map_state == IsViewable && a.width > 20 && (a.override_redirect != 0) == popups ? 1 : 0;
        }
        XFree(children);
        return shown;
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            Key(c == '\n' ? XK_Return : static_cast<KeySym>(static_cast<unsigned char>(c)));
    }
    Display* dpy;
};

// Whether the program has caught up with the screen: it has taken in what the server sent it
// (exposures, input), handled the events and drawn the updates waiting. A screenshot then
// (which sends what was drawn first) shows the program's present picture.
bool ScreenCaughtUp()
{
    vkobase::display_catch_up();
    return !vkobase::app_work_pending();
}

// A drop-down list has taken its choice and is off the screen. The program lets the pointer
// go at once but takes the list off the server at its next look there: a click sent before
// that lands on the list still shown (and chooses what lies under it there).
bool DropDownGone()
{
    return vkov_win_get_pointer_trap() == nullptr && Input().Shown(true) == 0;
}

s_pnt Centre(const s_rct& r)
{
    return s_pnt{static_cast<std::int16_t>((r.top + r.bottom) / 2), static_cast<std::int16_t>((r.left + r.right) / 2)};
}

// A point of a view (its own coordinates from its top left) on the screen.
s_pnt OnScreen(const FRM_CView* view, float h, float v)
{
    const FRM_CRect frame = view->GetGlobalFrame();
    s_pnt point{static_cast<std::int16_t>(frame.Top() + v), static_cast<std::int16_t>(frame.Left() + h)};
    vkok_vobj_translate_points(view->GetCWindow()->GetVKOWindow(),
                               reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW)),
                               &point, 1);
    return point;
}

s_pnt CentreOf(const FRM_CView* view)
{
    const FRM_CRect frame = view->GetFrame();
    return OnScreen(view, frame.Width() / 2, frame.Height() / 2);
}

// --- the program ----------------------------------------------------------------------------

// A word whose first entry (33 senses) takes more than a printed page.
constexpr char kLongEntryWord[] = "head";

KQedApp& App() { return *KQedApp::Instance(); }

// The main window in front, else the first.
MainRefWin* FrontWindow()
{
    FRM_CDesktop* desktop = FRM_CObjectRWC::GetG()->GetDesktop();
    if (auto* front = dynamic_cast<MainRefWin*>(desktop != nullptr ? desktop->GetFrontWindow() : nullptr))
        return front;
    const auto& windows = App().GetWindowList();
    return windows.empty() ? nullptr : dynamic_cast<MainRefWin*>(windows[0]);
}

MainRefWin* MainWindow(std::size_t n = 0)
{
    const auto& windows = App().GetWindowList();
    return n < windows.size() ? dynamic_cast<MainRefWin*>(windows[n]) : nullptr;
}

UserInfoDoc* UserDocument()
{
    return App().GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
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

// Chooses a menu item with the mouse: press on the bar's title, drag through the submenus
// along path (tags), release on the last. One call per tick: answers true when released. The
// program takes in each press, move and release as it is made: a press or move that opened
// nothing (its window not shown yet) is let go and the walk begins again; after the release
// a menu still open held a greyed item.
struct MenuWalk {
    std::vector<short> path;  // title's submenu tag, then submenu tags, then the item's tag
    std::size_t at = 0;
    bool Tick(FRM_CWindow* window)
    {
        Input input;
        FRM_CMenuBar* bar = window->GetMenuBar();
        if (at == 0) {
            const RWOrdered* titles = bar->GetSubmenus();
            for (std::size_t i = 0; i < titles->entries(); ++i) {
                if (static_cast<const FRM_CSubmenu*>((*titles)[i])->GetTag() == path[0]) {
                    input.Move(Centre(vkobase::menu::title_rect(window->GetVKOWindow(), static_cast<int>(i))));
                    input.Button(1, true);
                    input.Delivered();
                    at = 1;
                    return false;
                }
            }
            return false;
        }
        const int level = static_cast<int>(at) - 1;
        if (vkobase::menu::level_count() <= level) {
            // A press or move that opened nothing is let go and the walk made again.
            input.Button(1, false);
            input.Delivered();
            at = 0;
            return false;
        }
        const FRM_CSubmenu* menu = bar->FindSubmenu(path[0]);
        for (std::size_t i = 1; i < at && menu != nullptr; ++i)
            menu = dynamic_cast<const FRM_CSubmenu*>(menu->Find(path[i]));
        if (menu == nullptr)
            return false;
        const int place = PlaceOf(*menu, path[at]);
        input.Move(Centre(vkobase::menu::item_rect(level, place)));
        if (at + 1 == path.size()) {
            input.Button(1, false);
            input.Delivered();
            at = 0;
            return true;
        }
        input.Delivered();
        ++at;
        return false;
    }
};

std::string Read(const std::string& name)
{
    std::ifstream in(name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The page's search field (of the main window of that place in the window list).
FRM_NEditControl* SearchField(std::size_t window = 0)
{
    const RWOrdered* children = MainWindow(window)->GetBasicPage()->GetSubviews();
    for (std::size_t i = 0; children != nullptr && i < children->entries(); ++i)
        if (auto* edit = dynamic_cast<FRM_NEditControl*>((*children)[i]))
            return edit;
    return nullptr;
}

// The page's button of that title (of the main window of that place in the window list).
FRM_NButton* PageButton(const char* title, std::size_t window = 0)
{
    const RWOrdered* children = MainWindow(window)->GetBasicPage()->GetSubviews();
    for (std::size_t i = 0; children != nullptr && i < children->entries(); ++i)
        if (auto* button = dynamic_cast<FRM_NButton*>((*children)[i]);
            button != nullptr && std::string(button->GetTitle().data()) == title)
            return button;
    return nullptr;
}

// One step that chooses a menu item in the front main window, then waits for done().
Step Choose(std::vector<short> path, std::function<bool()> done = [] { return true; })
{
    auto walk = std::make_shared<MenuWalk>();
    walk->path = std::move(path);
    auto released = std::make_shared<bool>(false);
    return [=] {
        if (!*released) {
            MainRefWin* window = FrontWindow();
            if (window == nullptr)
                return false;
            *released = walk->Tick(window);
            return false;
        }
        return done();
    };
}

// Seconds (scaled) a key that closes what an item opened is given before the other key is
// tried, and the keys tried.
constexpr double kKeyPatience = 10;
constexpr int kClosingKeys = 4;

// Chooses an item, then closes whatever window it opened (a dialog, a list, help) with
// Escape, else Return, over the top window; logs the item once the screen is back, as
// "greyed" when it was disabled (its menu stayed open and Escape closed it).
void Sweep(std::vector<Step>& steps, std::vector<short> path)
{
    auto before = std::make_shared<int>(0);
    auto tries = std::make_shared<int>(0);
    auto keyGiven = std::make_shared<vkotest::Deadline>(0);
    auto greyed = std::make_shared<bool>(false);
    steps.push_back([before] {
        *before = Input().Shown();
        return true;
    });
    steps.push_back(Choose(path));
    steps.push_back([before, tries, keyGiven, greyed, path] {
        Input input;
        // The release was taken in as it was made: a menu still open held a greyed item.
        if (vkobase::menu::level_count() > 0) {
            input.Key(XK_Escape);
            input.Delivered();
            *greyed = true;
            return false;
        }
        if (input.Shown() <= *before) {
            Log((*greyed ? "greyed " : "chose ") + std::to_string(path.back()));
            return true;
        }
        if (*tries == 0)
            Shot("opened_" + std::to_string(path.back()) + ".png");
        // The window a key closed takes a while to go: another key meanwhile would reach the
        // window below (Return in the search field runs a search). Each key is given its
        // while before the other is tried.
        if (*tries > 0 && !keyGiven->passed())
            return false;
        input.PointAtTopWindow();
        input.Key(++*tries % 2 == 1 ? XK_Escape : XK_Return);
        *keyGiven = vkotest::Deadline(kKeyPatience);
        if (*tries > kClosingKeys) {
            Log("left open " + std::to_string(path.back()));
            return true;
        }
        return false;
    });
}

// Chooses an item in the front main window; once its menu has closed logs what shown()
// answers, or "greyed <item>" when the item was disabled (its menu stayed open: Escape
// closes it).
void ChooseAndLog(std::vector<Step>& steps, std::vector<short> path, std::function<std::string()> shown)
{
    const short item = path.back();
    steps.push_back(Choose(std::move(path), [item, shown] {
        // The release was taken in as it was made: a menu still open held a greyed item.
        if (vkobase::menu::level_count() > 0) {
            Input input;
            input.Key(XK_Escape);
            input.Delivered();
            Log("greyed " + std::to_string(item));
            return true;
        }
        Log(shown());
        return true;
    }));
}

// The window of that class over the front main window's document, if any.
template <class Window> Window* DocumentWindow()
{
    auto* document = dynamic_cast<RefDoc*>(FrontWindow() != nullptr ? FrontWindow()->GetDocument() : nullptr);
    for (int i = 0; document != nullptr && i < document->GetNumWindows(); ++i)
        if (auto* window = dynamic_cast<Window*>(static_cast<FRM_CWindow*>(document->GetWindows()[i])))
            return window;
    return nullptr;
}

bool HasPicture(const TableWin* window) { return window->GetPicture() != nullptr; }
bool HasPicture(const ImageWin* window) { return window->picture() != nullptr; }

// Whether the front window shows the entry of word (a word of several parts of speech
// is shown as "word[1]", "word[2]", ...).
bool Showing(const std::string& word, MainRefWin* window = FrontWindow())
{
    const EntryRecord* shown = window != nullptr ? window->GetNotebook()->GetHistories().entries.Current() : nullptr;
    return shown != nullptr && (shown->word == word || shown->word.rfind(word + "[", 0) == 0);
}

// --- what the user sees ---------------------------------------------------------------------

// The words the pane shows of each entry the script looks at, in their order on the screen
// (the pronunciation left out): the head word, its part of speech, its first two senses.
const std::vector<std::string>& EntryWords(const std::string& headword)
{
    static const std::map<std::string, std::vector<std::string>> words = {
        {"cat[1]", {"cat", "noun", "feline mammal usually having thick soft fur",
                    "an informal term for a youth or man"}},
        {"planet", {"planet", "noun", "any of the nine large celestial bodies in the solar system",
                    "a person who follows or serves another"}},
        {"circle[1]", {"circle", "noun", "ellipse in which the two axes are of equal length",
                       "an unofficial association of people or groups"}},
        {"mammal", {"mammal", "noun", "any warm-blooded vertebrate having the skin more or less covered with hair"}},
        {"head[1]", {"head", "noun", "the upper part of the human body or the front part of the body in animals",
                     "a single domestic animal"}},
        {"zebra", {"zebra", "noun", "any of several fleet black-and-white striped African equines"}},
    };
    return words.at(headword);
}

// The text of what a painter laid out as it shows it, blanks squeezed: style bytes draw
// nothing, an escape byte draws the character behind it.
std::string ShownText(const EntryPainter& painter)
{
    std::string text;
    for (const EntryPainter::Run& run : painter.runs()) {
        const auto c = static_cast<unsigned char>(run.text[0]);
        if (c < 0x01 || c > 0x1F)
            text += run.text;
        else if (c == '\n')
            text += '\n';
        else if (c >= 0x10 && run.text.size() == 2)
            text += run.text[1];
    }
    return test_support::Squeezed(text);
}

// A stand-in for the entry pane, of the real pane's frame, for an entry drawn off screen.
class StillPane : public EntryPane {
public:
    StillPane(const s_rct& frame, const s_rct& area) : itsFrame(frame), itsArea(area) {}
    s_rct PaneFrame() const override { return itsFrame; }
    s_rct TextArea() const override { return itsArea; }
    void SetLineStep(std::int16_t) override {}
    float ScrollOriginY() const override { return 0; }
    void SetScrollOriginY(float) override {}
    void SetScrollRange(std::int32_t, std::int32_t) override {}
    void SetPaneColors(std::uint32_t, std::uint32_t) override {}

private:
    s_rct itsFrame, itsArea;
};

// A PNG file as an image surface; the caller destroys it.
cairo_surface_t* LoadPng(const std::string& path)
{
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS)
        return image;
    cairo_surface_destroy(image);
    return nullptr;
}

// What the front window's entry pane shows of the entry of headword, as a line for the log:
// "pane shows <headword>" when the screen's pixels over the pane's text area are those of
// the entry formatted again from the dictionary and drawn by a fresh painter into a pixmap
// of the pane's size, and that drawing holds the entry's words in order with ink in each of
// its runs; else what is wrong.
std::string PaneShows(const std::string& headword, MainRefWin* window = FrontWindow(),
                      const std::vector<std::string>& highlights = {})
{
    auto* document = dynamic_cast<RefDoc*>(window->GetDocument());
    ScrollViewWin* pane = window->GetBasicPage()->GetEntryPane();
    if (pane->ScrollOriginY() != 0)
        return "pane scrolled for " + headword;
    const s_rct frame = pane->PaneFrame();
    const s_rct area = pane->TextArea();
    const std::string name = script().scratch + "/pane_" + headword;

    // The entry drawn apart: its own formatter on the same dictionary, its own painter, in the
    // user's colours and size.
    WINDOW pixmap = vkok_pmap_create(pane->PaneWindow(), 0, frame.right, frame.bottom, 0);
    StillPane still(frame, area);
    std::string lacking, ink;
    {
        EntryPainter drawn(&still, pixmap);
        drawn.SetColors(App().GetPrefs());
        EntryKeyTable table;
        table.Matches(document->GetDescription());
        WordItem word(headword.c_str());
        word.set_entry_offset(-1);
        RWOrdered words;
        for (const std::string& highlight : highlights)
            words.insert(new RWCollectableString(highlight.c_str()));
        table.FormatEntryText(&word, &drawn, words.entries() != 0 ? &words : nullptr);
        words.clearAndDestroy();
        document->GetKeyTable().MakeCurrent();
        lacking = test_support::MissingInOrder(ShownText(drawn), EntryWords(headword));
        vkov_debug_surface_write_png(pixmap, (name + "_expected.png").c_str());
        // Every run of letters lying wholly in the text area has pixels of another colour than
        // the blank margin above the first line.
        const std::uint32_t blank = vkov_debug_surface_pixel(pixmap, area.left + 2, area.top + 1);
        for (const EntryPainter::Run& run : drawn.runs()) {
            const int top = static_cast<int>(run.y) - drawn.ascentOffset();
            const int bottom = top + drawn.lineHeight();
            if (static_cast<unsigned char>(run.text[0]) < 0x20 ||
                run.text.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos || top < area.top || bottom > area.bottom || run.x + run.width > area.right)
                continue;
            bool inked = false;
            for (int y = top; y < bottom && !inked; ++y)
                for (int x = static_cast<int>(run.x); x < static_cast<int>(run.x + run.width) && !inked; ++x)
                    inked = vkov_debug_surface_pixel(pixmap, x, y) != blank;
            if (!inked && ink.empty())
                ink = run.text;
        }
    }
    vkok_vobj_destroy(pixmap);
    if (!lacking.empty())
        return "pane of " + headword + " lacks \"" + lacking + "\"";
    if (!ink.empty())
        return "pane of " + headword + " has no ink for \"" + ink + "\"";

    // The screen over the text area.
    s_pnt origin{area.top, area.left};
    vkok_vobj_translate_points(pane->PaneWindow(),
                               reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW)),
                               &origin, 1);
    vkov_display_screenshot((name + "_screen.png").c_str());
    cairo_surface_t* screen = LoadPng(name + "_screen.png");
    cairo_surface_t* expected = LoadPng(name + "_expected.png");
    int differing = -1;
    if (screen != nullptr && expected != nullptr)
        differing = test_support::DifferingPixels(screen, origin.h, origin.v, expected, area.left, area.top,
                                                  area.right - area.left, area.bottom - area.top);
    for (cairo_surface_t* image : {screen, expected})
        if (image != nullptr)
            cairo_surface_destroy(image);
    if (differing != 0)
        return "pane of " + headword + " differs on the screen in " + std::to_string(differing) + " pixels";
    return "pane shows " + headword;
}

// The PDF files printed into the working folder, by name.
std::vector<std::string> PdfFiles()
{
    std::vector<std::string> names;
    for (const auto& file : std::filesystem::directory_iterator("."))
        if (file.path().extension() == ".pdf" && file.file_size() > 0)
            names.push_back(file.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The PDF file printed since before was taken, empty while there is none.
std::string NewPdf(const std::vector<std::string>& before)
{
    for (const std::string& name : PdfFiles())
        if (std::find(before.begin(), before.end(), name) == before.end())
            return name;
    return {};
}

// The one image of a printed PDF file against the dictionary's own picture (PNG bytes): ""
// when they are the same pixels, else what differs.
std::string PrintedPicture(const std::string& pdf, const std::string& png)
{
    const std::string prefix = script().scratch + "/printed";
    std::filesystem::remove(prefix + "-000.png");
    test_support::CommandOutput("'" + script().pdfimages + "' -png '" + pdf + "' '" + prefix + "'");
    cairo_surface_t* printed = LoadPng(prefix + "-000.png");
    std::size_t offset = 0;
    struct Reading {
        const std::string& bytes;
        std::size_t* offset;
    } reading{png, &offset};
    cairo_surface_t* own = cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* data, unsigned int length) {
            auto* r = static_cast<Reading*>(closure);
            if (r->bytes.size() - *r->offset < length)
                return CAIRO_STATUS_READ_ERROR;
            std::memcpy(data, r->bytes.data() + *r->offset, length);
            *r->offset += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reading);
    std::string problem;
    if (printed == nullptr)
        problem = "no picture printed";
    else if (cairo_image_surface_get_width(printed) != cairo_image_surface_get_width(own) ||
             cairo_image_surface_get_height(printed) != cairo_image_surface_get_height(own))
        problem = "a picture of another size printed";
    else if (const int differing = test_support::DifferingPixels(printed, 0, 0, own, 0, 0,
                                                                 cairo_image_surface_get_width(own),
                                                                 cairo_image_surface_get_height(own));
             differing != 0)
        problem = "the printed picture differs in " + std::to_string(differing) + " pixels";
    if (printed != nullptr)
        cairo_surface_destroy(printed);
    cairo_surface_destroy(own);
    return problem;
}

// Reads the X clipboard (a child process asks for it while the program answers) and logs
// what line makes of its text.
void ReadClipboard(std::vector<Step>& steps, std::function<std::string(const std::string& text)> line)
{
    auto read = std::make_shared<test_support::ClipboardRead>();
    steps.push_back([read] {
        read->Start(script().xclip, script().scratch + "/clipboard.txt");
        return true;
    });
    steps.push_back([read, line] {
        std::string text;
        if (!read->Done(&text))
            return false;
        Log(line(text));
        return true;
    });
}

// At most a text caret's pixels (a line of a field's height).
constexpr int kCaretPixels = 40;

// The main window (its place in the window list) whose pixels the screen shows over its
// client area: the windows are told apart by what they show. -1 when none, -2 when more
// than one.

int TopWindow()
{
    const std::string screenFile = script().scratch + "/screen.png";
    const std::string windowFile = script().scratch + "/window.png";
    vkov_display_screenshot(screenFile.c_str());
    cairo_surface_t* screen = LoadPng(screenFile);
    const auto& windows = App().GetWindowList();
    int top = -1;
    for (std::size_t n = 0; screen != nullptr && n < windows.size(); ++n) {
        WINDOW window = windows[n]->GetVKOWindow();
        vkov_debug_surface_write_png(window, windowFile.c_str());
        cairo_surface_t* own = LoadPng(windowFile);
        if (own == nullptr)
            continue;
        s_pnt corner{0, 0};
        vkok_vobj_translate_points(window, reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW)),
                                   &corner, 1);
        // The window with the keys shows the blinking caret of its field, which the two
        // pictures may catch in different phases: a caret's pixels may differ.
        if (test_support::DifferingPixels(screen, corner.h, corner.v, own, 0, 0, cairo_image_surface_get_width(own),
                                          cairo_image_surface_get_height(own)) <= kCaretPixels)
            top = top == -1 ? static_cast<int>(n) : -2;
        cairo_surface_destroy(own);
    }
    if (screen != nullptr)
        cairo_surface_destroy(screen);
    return top;
}

// What the screen shows over a view beyond the window's own drawing: the caret, which only
// the X window holds. "a caret N pixels tall at x, y" (from the view's top left) when the
// pixels that differ make one column; "no caret" or how many differ otherwise.
std::string CaretOver(const FRM_CView* view)
{
    const std::string screenFile = script().scratch + "/caret_screen.png";
    const std::string windowFile = script().scratch + "/caret_window.png";
    vkov_display_screenshot(screenFile.c_str());
    vkov_debug_surface_write_png(view->GetCWindow()->GetVKOWindow(), windowFile.c_str());
    cairo_surface_t* screen = LoadPng(screenFile);
    cairo_surface_t* own = LoadPng(windowFile);
    std::string shown = "no picture of the screen";
    if (screen != nullptr && own != nullptr) {
        const FRM_CRect frame = view->GetGlobalFrame();
        const s_pnt corner = OnScreen(view, 0, 0);
        int count = 0, left = 10000, right = -1, top = 10000, bottom = -1;
        for (int y = 0; y < static_cast<int>(frame.Height()); ++y)
            for (int x = 0; x < static_cast<int>(frame.Width()); ++x)
                if (test_support::DifferingPixels(screen, corner.h + x, corner.v + y, own,
                                                  static_cast<int>(frame.Left()) + x,
                                                  static_cast<int>(frame.Top()) + y, 1, 1) != 0) {
                    ++count;
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        if (count == 0)
            shown = "no caret";
        else if (left != right || count != bottom - top + 1)
            shown = std::to_string(count) + " pixels differ";
        else
            shown = "a caret " + std::to_string(count) + " pixels tall at " + std::to_string(left) + ", " +
                    std::to_string(top);
    }
    for (cairo_surface_t* image : {screen, own})
        if (image != nullptr)
            cairo_surface_destroy(image);
    return shown;
}

// The lines of the front window's Basic Searches hit list, joined by commas.
std::string HitLines(const SearchPageWin* page)
{
    const KQListBox* hits = page->GetHitList();
    std::string lines;
    for (int i = 0; i < hits->GetCount(); ++i)
        lines += (i == 0 ? "" : ",") + hits->GetItem(i);
    return lines;
}

// Looks word up in the main window of that place in the window list (the one in front) by
// typing it over what the field holds; the pane then shows the entry of headword, as the
// log says.
void LookUp(std::vector<Step>& steps, const std::string& word, const std::string& headword,
            std::size_t window = 0)
{
    steps.push_back([window] {
        Input().Click(CentreOf(SearchField(window)));
        return true;
    });
    steps.push_back([word] {
        Input input;
        for (int i = 0; i < 16; ++i)
            input.Key(XK_BackSpace);
        input.Type(word);
        return true;
    });
    steps.push_back([window] {
        Input().Click(CentreOf(PageButton("Search", window)));
        return true;
    });
    // The entry from its top once the search has run: the pane may still show the same word,
    // scrolled, from before. Past the step's patience the check that follows tells.
    steps.push_back([word, window] {
        MainRefWin* shown = MainWindow(window);
        return Showing(word, shown) &&
               (shown->GetBasicPage()->GetEntryPane()->ScrollOriginY() == 0 || script().patience.passed());
    });
    steps.push_back([headword, window] {
        Log(PaneShows(headword, MainWindow(window)));
        return true;
    });
}

// A double click on the mark text (";TABLE", ";ART", ";SOUND") of the entry shown; while
// the mark lies below the pane, a click on the scroll bar's track pages down first.
Step DoubleClickMark(const char* text)
{
    return [text] {
        const s_pnt mark = vkotest::MarkOnScreen(FrontWindow(), text);
        if (mark.h < 0) {
            const ScrollViewWin* pane = FrontWindow()->GetBasicPage()->GetEntryPane();
            const FRM_CRect frame = pane->GetFrame();
            Input().Click(OnScreen(pane, frame.Width() - 8, frame.Height() - 24));
            return false;
        }
        Input input;
        input.Click(mark);
        input.Click(mark);
        return true;
    };
}

// Opens a pop-up menu by holding a mouse button down at where() and lets the button go
// over the item at place (separators count), as a user drags to an item; the open menu
// is shot first.
void PopUp(std::vector<Step>& steps, std::function<s_pnt()> where, int button, int place, const std::string& shot)
{
    steps.push_back([where, button] {
        const s_pnt at = where();
        if (at.h < 0)
            return false;
        Input input;
        input.Move(at);
        input.Button(button, true);
        return true;
    });
    steps.push_back([button, place, shot] {
        // Once it is open and drawn.
        if (vkobase::menu::level_count() == 0 || !ScreenCaughtUp())
            return false;
        Shot(shot);
        Input input;
        input.Move(Centre(vkobase::menu::item_rect(0, place)));
        input.Button(button, false);
        return true;
    });
}

// Whether the status bar's help line shows its text on its one line, not only its first
// words: "" when its letters reach as far right as that many letters take at least (four
// pixels each), else what is wrong.
std::string HelpLineShownWhole()
{
    const auto* line = MainWindow()->GetIDData().Get<FRM_CView>(1376);
    if (line == nullptr)
        return "no help line";
    const std::string file = script().scratch + "/status.png";
    vkov_display_screenshot(file.c_str());
    cairo_surface_t* shot = LoadPng(file);
    if (shot == nullptr)
        return "no screenshot";
    const FRM_CRect frame = line->GetFrame();
    const float reach = std::min<float>(frame.Width() - 1, 4.0f * static_cast<float>(MainWindow()->GetHelpLine().size()));
    const s_pnt from = OnScreen(line, reach, 0);
    const s_pnt to = OnScreen(line, frame.Width(), frame.Height());
    int dark = 0;
    for (int y = from.v; y < to.v; ++y)
        for (int x = from.h; x < to.h; ++x)
            dark += (vkotest::pixel(shot, x, y) & 0xFF) < 0x60 ? 1 : 0;
    cairo_surface_destroy(shot);
    return dark > 0 ? std::string() : "the help line shows only its first words";
}

// The status bar's count field as the screen shows it, cut out of a screenshot.
struct CountPixels {
    CountPixels() = default;
    CountPixels(const CountPixels&) = delete;
    CountPixels& operator=(const CountPixels&) = delete;
    cairo_surface_t* image = nullptr;
    s_pnt from{}, to{};
    ~CountPixels()
    {
        if (image != nullptr)
            cairo_surface_destroy(image);
    }
    void Take(const std::string& name)
    {
        const auto* field = MainWindow()->GetIDData().Get<FRM_CView>(1374);
        if (image != nullptr)
            cairo_surface_destroy(image);
        image = nullptr;
        if (field == nullptr)
            return;
        const std::string file = script().scratch + "/" + name;
        vkov_display_screenshot(file.c_str());
        image = LoadPng(file);
        from = OnScreen(field, 0, 0);
        to = OnScreen(field, field->GetFrame().Width(), field->GetFrame().Height());
    }
    int Differ(const CountPixels& other) const
    {
        if (image == nullptr || other.image == nullptr)
            return -1;
        return test_support::DifferingPixels(image, from.h, from.v, other.image, other.from.h, other.from.v,
                                             to.h - from.h, to.v - from.v);
    }
};

// Steps that read the status bar's count on the screen: the field's pixels after the search
// are set against those of the same field made to show text ("N Entries Found") by the test,
// after it showed nothing. Logs "status bar shows <text>", else what differs.
void ReadCount(std::vector<Step>& steps, const std::string& text)
{
    struct Shots {
        CountPixels searched, blank, told;
        std::string searchedText;
    };
    auto shots = std::make_shared<Shots>();
    steps.push_back([shots] {
        shots->searched.Take("count_searched.png");
        shots->searchedText = MainWindow()->GetCountText();
        MainWindow()->ShowCount("");
        return true;
    });
    steps.push_back([shots, text] {
        shots->blank.Take("count_blank.png");
        if (shots->blank.Differ(shots->searched) == 0 && !script().patience.passed())
            return false; // not drawn blank yet
        MainWindow()->ShowCount(text);
        return true;
    });
    steps.push_back([shots, text] {
        shots->told.Take("count_told.png");
        if (shots->told.Differ(shots->blank) == 0 && !script().patience.passed())
            return false; // not drawn yet
        const int differing = shots->told.Differ(shots->searched);
        Log(differing == 0 ? "status bar shows " + text
                           : "status bar shows other pixels than \"" + text + "\" (" + std::to_string(differing) +
                                 " differ; its text was \"" + shots->searchedText + "\")");
        return true;
    });
}

// A step that waits for the PDF file printed since *before was taken and logs done when
// check finds nothing wrong with it (check answers what is wrong, "" when nothing) and the
// main window's status bar tells where the file went, else done and what is wrong; a file
// still being written is tried again until the step's patience runs out.
Step ReadPrinted(std::shared_ptr<std::vector<std::string>> before, const std::string& done,
                 std::function<std::string(const std::string& pdf)> check)
{
    return [=] {
        const std::string pdf = NewPdf(*before);
        std::string problem = pdf.empty() ? "nothing printed" : check(pdf);
        const std::string told = MainWindow()->GetHelpLine();
        if (problem.empty() && told != "Printed to " + pdf + " in the working folder")
            problem = "the status bar reads \"" + told + "\"";
        if (problem.empty())
            problem = HelpLineShownWhole();
        if (!problem.empty() && !script().patience.passed())
            return false;
        Log(problem.empty() ? done : done + ": " + problem);
        return true;
    };
}

// The words of a printed PDF file, blanks squeezed.
std::string PrintedText(const std::string& pdf)
{
    return test_support::Squeezed(test_support::PdfText(pdf, script().pdftotext));
}

// Looks word up, opens the picture window of Window (a table or an illustration) by a
// double click on the mark, prints it with File > Print > item and closes it with File >
// Close. The PDF file printed holds the dictionary's picture of that key, pixel for pixel,
// and when captioned its caption below it (a table's title is part of its picture).
template <class Window>
void OpenAndPrint(std::vector<Step>& steps, const std::string& word, const std::string& headword,
                  const char* mark, short item, const std::string& key, bool captioned, const std::string& what)
{
    LookUp(steps, word, headword);
    steps.push_back(DoubleClickMark(mark));
    auto before = std::make_shared<std::vector<std::string>>();
    steps.push_back([what, before] {
        if (DocumentWindow<Window>() == nullptr || !HasPicture(DocumentWindow<Window>()))
            return false;
        Shot(what + ".png");
        Log(what + " shown");
        *before = PdfFiles();
        return true;
    });
    for (const std::vector<short>& path : {std::vector<short>{menutag::kFile, menutag::kPrint, item},
                                           std::vector<short>{menutag::kFile, menutag::kClose}}) {
        if (path.back() == menutag::kClose)
            steps.push_back(ReadPrinted(before, what + " printed", [key, captioned](const std::string& pdf) {
                for (const demodict::Picture& picture : script().pictures) {
                    if (picture.key != key)
                        continue;
                    if (std::string problem = PrintedPicture(pdf, picture.png); !problem.empty())
                        return problem;
                    if (captioned && test_support::MissingInOrder(PrintedText(pdf), {picture.caption}) != "")
                        return "no caption \"" + picture.caption + "\" in \"" + PrintedText(pdf) + "\"";
                    return std::string();
                }
                return "no picture " + key + " in the demo";
            }));
        auto walk = std::make_shared<MenuWalk>();
        walk->path = path;
        steps.push_back([walk] { return DocumentWindow<Window>() == nullptr || walk->Tick(DocumentWindow<Window>()); });
    }
    steps.push_back([] { return DocumentWindow<Window>() == nullptr; });
}

// Runs step (a menu choice or keys that ask for help), waits for the help viewer to show
// topic (-1: its keyword search), shoots it, and closes it with Escape.
void ShowHelp(std::vector<Step>& steps, Step ask, std::int32_t topic, const std::string& name)
{
    steps.push_back(ask);
    steps.push_back([topic, name] {
        const win32::help::ViewerState viewer = win32::help::viewer_state();
        if (viewer.win == nullptr || !(topic < 0 ? viewer.page == win32::help::Page::kSearch
                                                  : viewer.page == win32::help::Page::kTopic && viewer.topic == topic))
            return false;
        if (!ScreenCaughtUp()) // drawn
            return false;
        Shot(name + ".png");
        Log(name + " shown");
        Input input;
        input.PointAtTopWindow();
        input.Key(XK_Escape);
        return true;
    });
    steps.push_back([] { return win32::help::viewer_state().win == nullptr; });
}

BookWin* Organiser() { return dynamic_cast<BookWin*>(UserDocument()->GetBookmarkWindow()); }
// The history window open over the main window, if any.
WHistWin* HistoryWindow()
{
    const RWOrdered& windows = MainWindow()->GetDocument()->GetWindows();
    for (std::size_t i = 0; i < windows.entries(); ++i)
        if (auto* history = dynamic_cast<WHistWin*>(windows[i]))
            return history;
    return nullptr;
}

PrefWin* Preferences() { return dynamic_cast<PrefWin*>(UserDocument()->GetPreferencesWindow()); }

KQAdvWin* Advanced() { return dynamic_cast<KQAdvWin*>(MainWindow()->GetPage(1)); }

AppearancePage* Appearance() { return static_cast<AppearancePage*>(Preferences()->GetPage(PrefWin::kAppearance)); }

// The text size and colours of preferences, as the log compares them between runs.
std::string Appearance(const Prefs& prefs)
{
    char text[64];
    std::snprintf(text, sizeof text, "size %d text %08X back %08X", static_cast<int>(prefs.font_size),
                  static_cast<unsigned>(prefs.text_color), static_cast<unsigned>(prefs.back_color));
    return text;
}

// The first child view of parent of that class for which pick answers true.
template <class View>
View* ChildWith(const FRM_CView* parent, const std::function<bool(const View*)>& pick)
{
    const RWOrdered* children = static_cast<const FRM_CSubview*>(parent)->GetSubviews();
    for (std::size_t i = 0; children != nullptr && i < children->entries(); ++i)
        if (auto* view = dynamic_cast<View*>((*children)[i]); view != nullptr && pick(view))
            return view;
    return nullptr;
}

const BMItem* Folder(const char* name)
{
    for (const auto& entry : App().GetBookmarks().TopLevel())
        if (entry->isFolder && entry->name == name)
            return entry.get();
    return nullptr;
}

// The splash over the main window at start; a click on it closes it.
void CloseSplash(std::vector<Step>& steps)
{
    steps.push_back([] {
        if (MainWindow() == nullptr || App().GetSplash() == nullptr)
            return false;
        Input().Click(CentreOf(App().GetSplash()->GetPicture()));
        return true;
    });
    steps.push_back([] { return App().GetSplash() == nullptr; });
}

// The last step of a run of a test of its own: logs "done" and ends the program.
Step EndOfRun()
{
    return [] {
        Log("done");
        vkov_app_destroy();
        return true;
    };
}

// A click on the search field, then what the user does once the field has the keys.
void InTheField(std::vector<Step>& steps, void (*act)())
{
    steps.push_back([] {
        Input().Click(CentreOf(SearchField()));
        return true;
    });
    steps.push_back([act] {
        if (vko_scr_get_focus_vobj() != SearchField()->GetVKOWindow())
            return false;
        act();
        return true;
    });
}

std::vector<Step> FirstRun()
{
    std::vector<Step> steps;
    // Start-up: the splash over the main window; a click on it closes it.
    steps.push_back([] {
        if (MainWindow() == nullptr || App().GetSplash() == nullptr)
            return false;
        Shot("start.png");
        Input().Click(CentreOf(App().GetSplash()->GetPicture()));
        return true;
    });
    steps.push_back([] { return App().GetSplash() == nullptr; });
    // Look "cat" up by typing it into the search field; a double click on its sound mark
    // plays the spoken word through the player on PATH.
    LookUp(steps, "cat", "cat[1]");
    steps.push_back([] {
        Shot("cat.png");
        Log("looked up cat");
        return true;
    });
    steps.push_back(DoubleClickMark(";SOUND"));
    steps.push_back([] {
        if (!std::filesystem::exists(script().player + "/played.wav"))
            return false;
        Log("played a sound");
        return true;
    });
    // Bookmarks > Add Bookmark > Main Level.
    steps.push_back(Choose({menutag::kBookmarks, menutag::kAddBookmark, bookmarktag::kMainLevel}, [] {
        if (App().GetBookmarks().TopLevel().size() != 1)
            return false;
        Log("bookmarked " + App().GetBookmarks().TopLevel()[0]->name);
        return true;
    }));
    // The entry pop-up, by the right button on a word of the entry: "Find in" the
    // dictionary looks the word up.
    PopUp(steps, [] { return vkotest::MarkOnScreen(FrontWindow(), "mammal"); }, 3, 2, "entry_popup.png");
    steps.push_back([] {
        if (!Showing("mammal"))
            return false;
        Log("found mammal from the entry pop-up");
        return true;
    });
    // The Backward pop-up of the back button (the entry shown first): "cat" again; then
    // the Forward pop-up's second line: "mammal" again.
    const auto historyButton = [](std::int32_t id) {
        return [id] { return CentreOf(MainWindow()->GetIDData().Get<FRM_CView>(id)); };
    };
    PopUp(steps, historyButton(1056), 1, 1, "backward_popup.png");
    steps.push_back([] {
        if (!Showing("cat"))
            return false;
        Log("went back to cat from the Backward pop-up");
        return true;
    });
    PopUp(steps, historyButton(1057), 1, 1, "forward_popup.png");
    steps.push_back([] {
        if (!Showing("mammal"))
            return false;
        Log("went forward to mammal from the Forward pop-up");
        return true;
    });
    // The entry pop-up's "Open in new window...": a second main window looks the word up;
    // its File > Close closes it again.
    PopUp(steps, [] { return vkotest::MarkOnScreen(FrontWindow(), "vertebrate"); }, 3, 0, "open_in_new_window_popup.png");
    steps.push_back([] {
        MainRefWin* opened = MainWindow(1);
        const EntryRecord* shown = opened != nullptr ? opened->GetNotebook()->GetHistories().entries.Current() : nullptr;
        if (shown == nullptr || shown->word.rfind("vertebrate", 0) != 0 || !ScreenCaughtUp())
            return false;
        Shot("opened_in_new_window.png");
        Log("opened vertebrate in a new window");
        return true;
    });
    {
        auto walk = std::make_shared<MenuWalk>();
        walk->path = {menutag::kFile, menutag::kClose};
        steps.push_back([walk] { return MainWindow(1) == nullptr || walk->Tick(MainWindow(1)); });
    }
    steps.push_back([] { return App().GetWindowList().size() == 1; });
    // "planet" has a table and "circle" an illustration: a double click on the mark opens
    // its window, whose File > Print prints it to a PDF file, and File > Close closes it.
    OpenAndPrint<TableWin>(steps, "planet", "planet", ";TABLE", menutag::kPrintTable, "PLANETS", false, "table");
    OpenAndPrint<ImageWin>(steps, "circle", "circle[1]", ";ART", menutag::kPrintIllustration, "circle", true, "illustration");
    // View > Previous Entry goes back to planet in the pane, Next Entry on to circle again;
    // Previous List and Next List bring back the hit lists of those two searches.
    ChooseAndLog(steps, {menutag::kView, menutag::kPreviousEntry}, [] { return "previous entry: " + PaneShows("planet"); });
    ChooseAndLog(steps, {menutag::kView, menutag::kNextEntry}, [] { return "next entry: " + PaneShows("circle[1]"); });
    ChooseAndLog(steps, {menutag::kView, menutag::kPreviousList},
                 [] { return "previous list: " + HitLines(MainWindow()->GetBasicPage()); });
    ChooseAndLog(steps, {menutag::kView, menutag::kNextList},
                 [] { return "next list: " + HitLines(MainWindow()->GetBasicPage()); });
    // File > Print > Results List prints the lines of that hit list, one a line.
    auto listBefore = std::make_shared<std::vector<std::string>>();
    steps.push_back([listBefore] {
        *listBefore = PdfFiles();
        Log("hit list: " + HitLines(MainWindow()->GetBasicPage()));
        return true;
    });
    ChooseAndLog(steps, {menutag::kFile, menutag::kPrint, menutag::kPrintResults}, [] { return "print results"; });
    steps.push_back(ReadPrinted(listBefore, "results list printed", [](const std::string& pdf) {
        // The printed lines, less the notice at the foot of the page.
        std::string lines;
        std::istringstream text(test_support::PdfText(pdf, script().pdftotext));
        for (std::string line; std::getline(text, line);) {
            line = test_support::Squeezed(line);
            if (!line.empty() && line.find("Dorvane-Kestle") == std::string::npos)
                lines += (lines.empty() ? "" : ",") + line;
        }
        const std::string shown = HitLines(MainWindow()->GetBasicPage());
        return lines == shown ? std::string() : "printed \"" + lines + "\" for \"" + shown + "\"";
    }));
    // Bookmarks > Organize Bookmarks...: a new folder "pets", then cat dragged into it.
    steps.push_back(Choose({menutag::kBookmarks, menutag::kOrganizeBookmarks}, [] { return Organiser() != nullptr; }));
    steps.push_back([] {
        BookWin* organiser = Organiser();
        FRM_CTreeView* tree = organiser->GetTree();
        const FRM_CRect root = tree->ItemToRect(tree->GetRoot(), 0);
        Input input;
        input.Click(OnScreen(organiser, root.Left() + 40, (root.Top() + root.Bottom()) / 2));
        return true;
    });
    auto shownBefore = std::make_shared<int>(0);
    steps.push_back([shownBefore] {
        FRM_NButton* create = Organiser()->GetButton(BookWin::kCmdNewFolder);
        if (!create->IsEnabled())
            return false;
        Input input;
        *shownBefore = input.Shown();
        input.Click(CentreOf(create));
        return true;
    });
    steps.push_back([shownBefore] {
        // Once the name prompt (a dialog of its own) is up and has the keys: type the name.
        Input shown;
        if (shown.Shown() <= *shownBefore || !shown.TopWindowHasKeys() || !ScreenCaughtUp())
            return false;
        Shot("folder_prompt.png");
        Input input;
        input.PointAtTopWindow();
        input.Type("pets\n");
        return true;
    });
    steps.push_back([] { return Folder("pets") != nullptr; });
    steps.push_back([] {
        FRM_CTreeView* tree = Organiser()->GetTree();
        FRM_CTreeNodeItem* root = tree->GetRoot();
        FRM_CTreeItem* cat = root->GetChild(0);
        FRM_CTreeItem* pets = root->GetChild(1);
        const FRM_CRect from = tree->ItemToRect(cat, 0);
        const FRM_CRect to = tree->ItemToRect(pets, 0);
        Input input;
        input.Move(OnScreen(Organiser(), from.Left() + 30, (from.Top() + from.Bottom()) / 2));
        input.Button(1, true);
        for (int i = 1; i <= 4; ++i)
            input.Move(OnScreen(Organiser(), from.Left() + 30,
                                (from.Top() + from.Bottom()) / 2 + i * ((to.Top() + to.Bottom()) / 2 - (from.Top() + from.Bottom()) / 2) / 4));
        input.Button(1, false);
        return true;
    });
    steps.push_back([] {
        const BMItem* pets = Folder("pets");
        if (pets == nullptr || pets->children.size() != 1)
            return false;
        Shot("organised.png");
        Log("moved " + pets->children[0]->name + " into pets");
        Input().Click(CentreOf(Organiser()->GetButton(BookWin::kCmdClose)));
        return true;
    });
    steps.push_back([] { return Organiser() == nullptr; });
    // Edit > Preferences...: on the Appearance page, colours used in result lists too, the
    // text size two steps larger through its drop-down list, and the text colour from the
    // colour dialog (its palette's second swatch); Apply writes them and redraws the entry,
    // then Cancel (nothing left to save).
    steps.push_back(Choose({menutag::kEdit, menutag::kPreferences}, [] { return Preferences() != nullptr; }));
    steps.push_back([] {
        Input().Click(OnScreen(Appearance()->GetInResults(), 8, 12));
        return true;
    });
    steps.push_back([] {
        // The size list's closed field is the top of its frame; its list opens below.
        Input().Click(OnScreen(Appearance()->GetSizeList(), 30, 10));
        return true;
    });
    steps.push_back([] {
        if (vkov_win_get_pointer_trap() == nullptr)
            return false;
        Shot("text_size_list.png");
        Input input;
        input.Key(XK_Down);
        input.Key(XK_Down);
        input.Key(XK_Return);
        return true;
    });
    steps.push_back([shownBefore] {
        if (!DropDownGone())
            return false;
        Input input;
        *shownBefore = input.Shown();
        input.Click(CentreOf(ChildWith<FRM_NButton>(Appearance(), [](const FRM_NButton* button) {
            return button->GetCommand() == AppearancePage::kCmdTextColor;
        })));
        return true;
    });
    steps.push_back([shownBefore] {
        // The colour dialog takes the keys once it is up and has them: Right, then Return
        // twice chooses the swatch right of the first.
        Input shown;
        if (shown.Shown() <= *shownBefore || !shown.TopWindowHasKeys())
            return false;
        Shot("colour_dialog.png");
        Input input;
        input.Key(XK_Right);
        input.Key(XK_Return);
        input.Key(XK_Return);
        return true;
    });
    steps.push_back([] {
        FRM_NButton* apply = Preferences()->GetApplyButton();
        if (Appearance()->TextColor() == App().GetPrefs().text_color || !apply->IsEnabled())
            return false;
        Shot("preferences.png");
        Input().Click(CentreOf(apply));
        return true;
    });
    steps.push_back([] {
        Prefs written;
        if (SettingsFiles().ReadPrefs(&written) != 1 || written.use_in_results != 1)
            return false;
        Log("colours in results " + std::to_string(written.use_in_results));
        Log("applied " + Appearance(written));
        // Applied: OK and Apply wait for the next change; Cancel closes.
        if (Preferences()->GetOkButton()->IsEnabled())
            return false;
        Input().Click(CentreOf(Preferences()->GetCancelButton()));
        return true;
    });
    steps.push_back([] {
        if (Preferences() != nullptr || !ScreenCaughtUp())
            return false;
        Shot("applied.png");
        return true;
    });
    // Help > About This Product: the splash again, closed by a click.
    steps.push_back(Choose({menutag::kHelp, menutag::kAbout}, [] {
        if (App().GetSplash() == nullptr)
            return false;
        Shot("about.png");
        Input().Click(CentreOf(App().GetSplash()->GetPicture()));
        Log("about shown");
        return true;
    }));
    steps.push_back([] { return App().GetSplash() == nullptr; });
    // Help: Contents and Search from the Help menu, F1 on the Basic Searches page (the
    // focus in its search field), and Shift+F1 then a click on the reference selector of the
    // main window (object-click help). The viewer shows each, and Escape closes it.
    ShowHelp(steps, Choose({menutag::kHelp, menutag::kHelpContents}), 32006, "help_contents");
    ShowHelp(steps, Choose({menutag::kHelp, menutag::kHelpSearch}), -1, "help_search");
    steps.push_back([] {
        Input().Click(CentreOf(SearchField()));
        return true;
    });
    ShowHelp(steps, [] {
        Input().Key(XK_F1);
        return true;
    }, 1020, "help_f1");
    steps.push_back([] {
        Input().Click(CentreOf(SearchField()));
        return true;
    });
    steps.push_back([] {
        Input().KeyWith(XK_Shift_L, XK_F1);
        return true;
    });
    ShowHelp(steps, [] {
        // Its closed field, at the top of its frame (which holds the list too).
        Input().Click(OnScreen(MainWindow()->GetIDData().Get<FRM_CView>(1060), 40, 10));
        return true;
    }, 1010, "help_object_click");
    // File > New Window twice: three windows, the third looking mammal up, so that each
    // shows something else. The Window menu's first brings the first to the front; Window >
    // Next Window then brings the second, the third and the first to the front in turn, on
    // the screen as in the application. The Window menu's third brings it to the front and
    // its File > Close closes it, and the first is brought to the front again.
    steps.push_back(Choose({menutag::kFile, menutag::kNewWindow}, [] { return App().GetWindowList().size() == 2; }));
    steps.push_back(Choose({menutag::kFile, menutag::kNewWindow}, [] { return App().GetWindowList().size() == 3; }));
    LookUp(steps, "mammal", "mammal", 2);
    steps.push_back(Choose({menutag::kWindow, static_cast<short>(KQedApp::kWindowItemBase + 1)}, [] {
        if (App().GetCurrentWindow() != 0)
            return false;
        Shot("three_windows.png");
        Log("window menu");
        return true;
    }));
    for (const int next : {1, 2, 0})
        steps.push_back(Choose({menutag::kWindow, menutag::kNextWindow}, [next] {
            if (App().GetCurrentWindow() != next && !script().patience.passed())
                return false;
            Shot("next_window_" + std::to_string(next) + ".png");
            Log("next window: " + std::to_string(App().GetCurrentWindow()) + " on top " + std::to_string(TopWindow()));
            return true;
        }));
    steps.push_back(Choose({menutag::kWindow, static_cast<short>(KQedApp::kWindowItemBase + 3)},
                           [] { return App().GetCurrentWindow() == 2; }));
    steps.push_back(Choose({menutag::kFile, menutag::kClose}, [] { return App().GetWindowList().size() == 2; }));
    steps.push_back(Choose({menutag::kWindow, static_cast<short>(KQedApp::kWindowItemBase + 1)},
                           [] { return App().GetCurrentWindow() == 0; }));
    // View > History: the window comes up in front; a double click on "cat" shows it again.
    steps.push_back(Choose({menutag::kView, menutag::kHistory}, [] {
        // Two main windows and the history window (the task window is never shown).
        if (HistoryWindow() == nullptr || Input().Shown() < 3)
            return false;
        Shot("history.png");
        Input input;
        input.Click(OnScreen(HistoryWindow()->GetList(), 20, 8));
        input.Click(OnScreen(HistoryWindow()->GetList(), 20, 8));
        return true;
    }));
    steps.push_back([] {
        if (HistoryWindow() != nullptr || !Showing("cat"))
            return false;
        Log("history went to cat");
        return true;
    });
    // An advanced query built with the page's buttons: "Defining text contains..." mammal,
    // AND, "Entry word is..." cat; Search finds the noun cat alone.
    steps.push_back(Choose({menutag::kView, menutag::kAdvancedSearches},
                           [] { return MainWindow()->GetFrontPage() == MainWindow()->GetPage(1); }));
    const auto queryTerm = [&steps](XID key, const std::string& word, std::size_t tokens) {
        // The search type: the chooser's list opens on a click, an arrow key moves its choice
        // and Return takes it.
        steps.push_back([] {
            Input().Click(OnScreen(ChildWith<FRM_NListButton>(Advanced(), [](const FRM_NListButton*) { return true; }), 40, 10));
            return true;
        });
        steps.push_back([key] {
            if (vkov_win_get_pointer_trap() == nullptr)
                return false;
            Input input;
            input.Key(static_cast<KeySym>(key));
            input.Key(XK_Return);
            return true;
        });
        steps.push_back([] {
            if (!DropDownGone())
                return false;
            Input().Click(CentreOf(ChildWith<FRM_NEditControl>(Advanced(), [](const FRM_NEditControl*) { return true; })));
            return true;
        });
        steps.push_back([word] {
            Input().Type(word);
            return true;
        });
        steps.push_back([] {
            Input().Click(CentreOf(Advanced()->GetButton(querymask::kWord)));
            return true;
        });
        steps.push_back([tokens] { return Advanced()->GetTokens().size() == tokens; });
    };
    queryTerm(XK_Down, "mammal", 1);
    steps.push_back([] {
        Input().Click(CentreOf(Advanced()->GetButton(querymask::kAnd)));
        return true;
    });
    steps.push_back([] { return Advanced()->GetTokens().size() == 2; });
    queryTerm(XK_Up, "cat", 3);
    // The hit list holds the last results ("circle") until the query's come.
    const auto hitLines = [] {
        KQListBox* hits = Advanced()->GetHitList();
        std::string lines;
        for (int i = 0; i < hits->GetCount(); ++i)
            lines += (i == 0 ? "" : ",") + hits->GetItem(i);
        return lines;
    };
    auto before = std::make_shared<std::string>();
    steps.push_back([before, hitLines] {
        *before = hitLines();
        Input().Click(CentreOf(Advanced()->GetButton(querymask::kSearch)));
        return true;
    });
    steps.push_back([before, hitLines] {
        const std::string lines = hitLines();
        if (lines == *before && !script().patience.passed())
            return false;
        Shot("advanced_query.png");
        Log("advanced query found " + lines + " for " + std::to_string(Advanced()->GetTokens().size()) + " tokens");
        return true;
    });
    // The View menu's search kinds.
    for (short tag : {menutag::kBrowseSearches, menutag::kAdvancedSearches, menutag::kBasicSearches})
        steps.push_back(Choose({menutag::kView, tag}));
    // The entry of cat again in the pane, mammal highlighted as the query's defining word.
    // Edit > Copy Word puts its word on the X clipboard;
    // Edit > Select All, then Edit > Copy, its text.
    steps.push_back([] {
        Log("then " + PaneShows("cat[1]", FrontWindow(), {"mammal"}));
        return true;
    });
    ChooseAndLog(steps, {menutag::kEdit, menutag::kCopyWord}, [] { return "copy word"; });
    ReadClipboard(steps, [](const std::string& text) { return "clipboard \"" + text + "\""; });
    ChooseAndLog(steps, {menutag::kEdit, menutag::kSelectAll}, [] { return "select all"; });
    ChooseAndLog(steps, {menutag::kEdit, menutag::kCopy}, [] { return "copy"; });
    ReadClipboard(steps, [](const std::string& text) {
        const std::string missing = test_support::MissingInOrder(test_support::Squeezed(text), EntryWords("cat[1]"));
        return missing.empty() ? "clipboard holds the entry" : "clipboard lacks \"" + missing + "\": " + text;
    });
    // File > Print > Entry Text prints the words of the entry shown.
    auto printedBefore = std::make_shared<std::vector<std::string>>();
    steps.push_back([printedBefore] {
        *printedBefore = PdfFiles();
        return true;
    });
    ChooseAndLog(steps, {menutag::kFile, menutag::kPrint, menutag::kPrintEntry}, [] { return "print entry"; });
    steps.push_back(ReadPrinted(printedBefore, "entry printed", [](const std::string& pdf) {
        const std::string missing = test_support::MissingInOrder(PrintedText(pdf), EntryWords("cat[1]"));
        return missing.empty() ? std::string() : "lacks \"" + missing + "\" in \"" + PrintedText(pdf) + "\"";
    }));
    // An entry longer than a page prints on pages enough for all of it: its last words, as
    // the pane shows them, are on the last page.
    LookUp(steps, kLongEntryWord, std::string(kLongEntryWord) + "[1]");
    auto lastWords = std::make_shared<std::string>();
    steps.push_back([printedBefore, lastWords] {
        *printedBefore = PdfFiles();
        const std::string shown = ShownText(FrontWindow()->GetPainter());
        std::size_t from = shown.size();
        for (int words = 0; words < 4 && from != std::string::npos && from > 0; ++words)
            from = shown.rfind(' ', from - 1);
        *lastWords = from == std::string::npos ? shown : shown.substr(from + 1);
        return true;
    });
    ChooseAndLog(steps, {menutag::kFile, menutag::kPrint, menutag::kPrintEntry}, [] { return "print a long entry"; });
    steps.push_back(ReadPrinted(printedBefore, "long entry printed to its end", [lastWords](const std::string& pdf) {
        std::vector<std::string> pages;
        std::istringstream text(test_support::PdfText(pdf, script().pdftotext));
        for (std::string page; std::getline(text, page, '\f');)
            if (!test_support::Squeezed(page).empty())
                pages.push_back(test_support::Squeezed(page));
        if (pages.size() < 2)
            return std::to_string(pages.size()) + " pages printed, not more than one";
        if (pages.back().find(*lastWords) == std::string::npos)
            return "the last page lacks \"" + *lastWords + "\": " + pages.back();
        return std::string();
    }));
    // The other items of the menu bar, each closing what it opened.
    const std::vector<std::vector<short>> items = {
        {menutag::kEdit, menutag::kPaste},
        {menutag::kFile, 32007},
        {menutag::kGoOnline, 28}, {menutag::kGoOnline, 29}, {menutag::kGoOnline, 30},
        {menutag::kGoOnline, 31}, {menutag::kGoOnline, 33},
        {menutag::kFile, 32003},
    };
    for (const auto& item : items)
        Sweep(steps, item);
    steps.push_back(Choose({menutag::kEdit, menutag::kClear}, [] {
        Log("view and edit items chosen");
        return true;
    }));
    // File > Exit.
    steps.push_back(Choose({menutag::kFile, 32009}));
    return steps;
}

std::vector<Step> SecondRun()
{
    std::vector<Step> steps;
    steps.push_back([] {
        if (MainWindow() == nullptr)
            return false;
        const FRM_CSubmenu* menu = MainWindow()->GetMenuBar()->FindSubmenu(menutag::kBookmarks);
        const BMItem* pets = Folder("pets");
        if (pets != nullptr && pets->children.size() == 1 && menu != nullptr &&
            menu->Find(bookmarktag::Open(pets->number)) != nullptr)
            Log("kept " + pets->children[0]->name + " in pets");
        Log("colours in results kept " + std::to_string(App().GetPrefs().use_in_results));
        Log("kept " + Appearance(App().GetPrefs()));
        return true;
    });
    // Open the bookmark from the menu: the entry is shown.
    steps.push_back([] {
        if (Folder("pets") == nullptr || Folder("pets")->children.empty())
            return true;
        const BMItem* cat = Folder("pets")->children[0].get();
        static MenuWalk walk{{menutag::kBookmarks, bookmarktag::Open(Folder("pets")->number),
                              bookmarktag::Open(cat->number)}};
        return walk.Tick(MainWindow());
    });
    steps.push_back([] {
        if (!Showing("cat"))
            return false;
        Shot("bookmark_opened.png");
        Log("opened the bookmark");
        return true;
    });
    // The preferences window shows the kept size and colours.
    steps.push_back(Choose({menutag::kEdit, menutag::kPreferences}, [] { return Preferences() != nullptr; }));
    steps.push_back([] {
        // Once the window is up and drawn, where the click lands.
        if (!Input().Viewable(Preferences()) || !ScreenCaughtUp())
            return false;
        Shot("preferences_kept.png");
        Input().Click(CentreOf(Preferences()->GetCancelButton()));
        return true;
    });
    steps.push_back([] { return Preferences() == nullptr; });
    steps.push_back(Choose({menutag::kFile, 32009}));
    return steps;
}

// --- the search pages ------------------------------------------------------------------------

// Waits for done() until the step's patience runs out; past that it logs what did not come
// and goes on.
bool WaitFor(const std::function<bool()>& done, const char* what)
{
    if (done())
        return true;
    if (!script().patience.passed())
        return false;
    Log(std::string("timed out: ") + what);
    return true;
}

// A word that the definitions of some entries hold and that begins a head word among them
// without being one: the type-ahead under "Defining text contains..." selects that line.
constexpr char kDefiningWord[] = "cats";

// What the window's page looked up, as the log says it: whether it is the page in front, its
// field (and on the Advanced page its token list) and its list.
std::string LookedUp(MainRefWin* window, int page)
{
    const SearchPageWin* front = window->GetFrontPage();
    if (front != window->GetPage(page))
        return "another page in front";
    std::string text = "field \"" + front->GetTypedText() + "\"";
    if (const auto* advanced = dynamic_cast<const KQAdvWin*>(front)) {
        text += ", tokens";
        for (const std::string& token : advanced->GetTokens())
            text += " " + token;
    }
    return text + ", list " + HitLines(front);
}

// The search pages as a user meets them: a defining-text search run by Return after typing
// and the count the status bar shows for it, a wildcard whose first line is a heading, the
// Basic page's list arrows, list moves and the entry pop-up from the Browse and the Advanced
// page, and Delete in the Advanced page's token list.

std::vector<Step> SearchPagesRun()
{
    std::vector<Step> steps;
    CloseSplash(steps);
    // Tab takes the keys from the search field to the next control.
    InTheField(steps, [] { Input().Key(XK_Tab); });
    steps.push_back([] {
        if (!WaitFor([] { return vko_scr_get_focus_vobj() != SearchField()->GetVKOWindow(); }, "Tab"))
            return false;
        const FRM_NButton* search = PageButton("Search");
        Log(std::string("Tab went from the field to ") +
            (search != nullptr && vko_scr_get_focus_vobj() == search->GetVKOWindow() ? "Search" : "elsewhere"));
        return true;
    });
    // The preferences window: Tab moves its focus frame, Escape closes it.
    steps.push_back(Choose({menutag::kEdit, menutag::kPreferences}, [] { return Preferences() != nullptr; }));
    auto before = std::make_shared<WINDOW>(nullptr);
    steps.push_back([before] {
        // Once the window is up and has the keys.
        Input shown;
        if (!shown.Viewable(Preferences()) || !shown.TopWindowHasKeys() || !ScreenCaughtUp())
            return false;
        *before = vko_scr_get_focus_vobj();
        Input input;
        input.PointAtTopWindow();
        input.Key(XK_Tab);
        return true;
    });
    steps.push_back([before] {
        if (!WaitFor([before] { return vko_scr_get_focus_vobj() != *before; }, "Tab in the preferences"))
            return false;
        Shot("search_preferences_tab.png");
        Input().Key(XK_Escape);
        return true;
    });
    steps.push_back([] {
        if (!WaitFor([] { return Preferences() == nullptr; }, "Escape in the preferences"))
            return false;
        Log("preferences took Tab and closed on Escape");
        return true;
    });
    // The search type: the chooser's list opens on a click, an arrow moves it, Return takes it.
    const auto chooseType = [&steps](KeySym key) {
        steps.push_back([] {
            Input().Click(OnScreen(ChildWith<FRM_NListButton>(MainWindow()->GetBasicPage(),
                                                              [](const FRM_NListButton*) { return true; }), 40, 10));
            return true;
        });
        steps.push_back([key] {
            if (vkov_win_get_pointer_trap() == nullptr)
                return false;
            Input input;
            input.Key(key);
            input.Key(XK_Return);
            return true;
        });
        steps.push_back([] { return DropDownGone(); });
    };
    // Types text into the field and presses Return; logs what the page shows then, and
    // whether a note came up instead.
    const auto typeAndReturn = [&steps](const std::string& text) {
        steps.push_back([] {
            Input().Click(CentreOf(SearchField()));
            return true;
        });
        steps.push_back([text] {
            Input input;
            for (int i = 0; i < 16; ++i)
                input.Key(XK_BackSpace);
            for (char c : text) {
                if (c == '?')
                    input.KeyWith(XK_Shift_L, XK_question);
                else
                    input.Key(static_cast<KeySym>(static_cast<unsigned char>(c)));
            }
            input.Key(XK_Return);
            return true;
        });
        steps.push_back([text] {
            SearchPageWin* page = MainWindow()->GetBasicPage();
            if (page->IsPicking() || page->GetHitList()->GetCount() == 0) {
                if (!script().patience.passed())
                    return false;
                // A note ("No Entries Found!") holds the window: it is answered and said.
                Shot("note_" + text + ".png");
                Log("nothing listed for " + text);
                Input input;
                input.PointAtTopWindow();
                input.Key(XK_Return);
            }
            return true;
        });
    };
    // "Defining text contains..." cats: Return lists the entries whose definitions hold the
    // word, not those of the type-ahead's selected line (cat[1], a head word of one of them).
    chooseType(XK_Down);
    typeAndReturn(kDefiningWord);
    steps.push_back([] {
        SearchPageWin* page = MainWindow()->GetBasicPage();
        Shot("search_df_by_return.png");
        Log("df search by Return kept " + page->GetTypedText() + " and listed " + HitLines(page));
        return true;
    });
    ReadCount(steps, "2 Entries Found");
    // Edit > Clear empties the pane; then "Entry word is..." ca?: the first line is the
    // heading of cat's entries, and the pane shows the first of them.
    steps.push_back(Choose({menutag::kEdit, menutag::kClear}, [] { return !MainWindow()->GetPainter().hasText(); }));
    chooseType(XK_Up);
    typeAndReturn("ca?");
    steps.push_back([] {
        const RWOrdered* hits = MainWindow()->GetNotebook()->GetCurrentHits();
        const auto* first = hits != nullptr && hits->entries() != 0 ? static_cast<const WordItem*>((*hits)[0]) : nullptr;
        if (!WaitFor([] { return MainWindow()->GetPainter().hasText(); }, "the heading's entry"))
            return false;
        Shot("search_heading.png");
        Log(std::string("first line ") + (first != nullptr && first->entry_offset() < 0 ? "a heading" : "an entry") +
            (MainWindow()->GetPainter().hasText() && Showing("cat") ? ", cat shown" : ", nothing shown"));
        return true;
    });
    // The Basic page's own list arrows, clicked: back to the defining-text list and forward.
    for (const bool next : {false, true}) {
        steps.push_back([next] {
            Input().Click(CentreOf(MainWindow()->GetBasicPage()->GetListButton(next)));
            return true;
        });
        steps.push_back([next] {
            const std::string wanted = next ? "ca?" : kDefiningWord;
            if (!WaitFor([&wanted] { return MainWindow()->GetBasicPage()->GetTypedText() == wanted; }, "a list arrow"))
                return false;
            Shot(next ? "search_next_list.png" : "search_previous_list.png");
            Log(std::string(next ? "next" : "previous") + " list arrow showed " +
                MainWindow()->GetBasicPage()->GetTypedText());
            return true;
        });
    }
    // The Browse and the Advanced page in front: the entry pop-up's "Open in new window..."
    // over that page's pane opens the word clicked, and View > Previous List and Next List
    // move that page's list.
    for (const int page : {2, 1}) {
        const std::string name = page == 2 ? "browse" : "advanced";
        steps.push_back(Choose({menutag::kView, page == 2 ? menutag::kBrowseSearches : menutag::kAdvancedSearches},
                               [page] { return MainWindow()->GetFrontPage() == MainWindow()->GetPage(page); }));
        PopUp(steps, [] { return vkotest::MarkOnScreen(FrontWindow(), "mammal"); }, 3, 0, name + "_open_in_new_window_popup.png");
        steps.push_back([name, page] {
            const auto opened = [] { return MainWindow(1) != nullptr && Showing("mammal", MainWindow(1)); };
            if (!WaitFor(opened, "a new window showing mammal"))
                return false;
            Log(name + (opened() ? " opened mammal in a new window" : " did not open mammal in a new window"));
            // The new window goes on from this one: the same page in front looked the word up.
            if (opened())
                Log(name + " page of the new window looked mammal up: " + LookedUp(MainWindow(1), page));
            return true;
        });
        auto walk = std::make_shared<MenuWalk>();
        walk->path = {menutag::kFile, menutag::kClose};
        steps.push_back([walk] { return MainWindow(1) == nullptr || walk->Tick(MainWindow(1)); });
        steps.push_back([] { return App().GetWindowList().size() == 1; });
        // A list moved to goes back to the page that searched it, and every page lists it.
        for (const short move : {menutag::kPreviousList, menutag::kNextList}) {
            steps.push_back(Choose({menutag::kView, page == 2 ? menutag::kBrowseSearches : menutag::kAdvancedSearches},
                                   [page] { return MainWindow()->GetFrontPage() == MainWindow()->GetPage(page); }));
            ChooseAndLog(steps, {menutag::kView, move}, [name, page, move] {
                return name + (move == menutag::kNextList ? " next" : " previous") +
                       " list: " + HitLines(MainWindow()->GetPage(page));
            });
        }
    }
    steps.push_back(Choose({menutag::kView, menutag::kBasicSearches},
                           [] { return MainWindow()->GetFrontPage() == MainWindow()->GetBasicPage(); }));
    // The Advanced page: a term and AND, then a click on the term's label in the token list
    // and Delete: the term goes.
    steps.push_back(Choose({menutag::kView, menutag::kAdvancedSearches},
                           [] { return MainWindow()->GetFrontPage() == MainWindow()->GetPage(1); }));
    steps.push_back([] {
        Input().Click(CentreOf(ChildWith<FRM_NEditControl>(Advanced(), [](const FRM_NEditControl*) { return true; })));
        return true;
    });
    steps.push_back([] {
        Input().Type("cat");
        return true;
    });
    steps.push_back([] {
        Input().Click(CentreOf(Advanced()->GetButton(querymask::kWord)));
        return true;
    });
    steps.push_back([] { return Advanced()->GetTokens().size() == 1; });
    steps.push_back([] {
        Input().Click(CentreOf(Advanced()->GetButton(querymask::kAnd)));
        return true;
    });
    steps.push_back([] { return Advanced()->GetTokens().size() == 2; });
    steps.push_back([] {
        Input().Click(OnScreen(Advanced()->GetTokenList(), 6, 6));
        return true;
    });
    // The click shows where Delete will act: a caret before the line's first letter.
    steps.push_back([] {
        const auto textEdit = reinterpret_cast<WINDOW>(Advanced()->GetTokenList()->GetVKOTextEdit());
        return WaitFor([textEdit] { return vko_scr_get_focus_vobj() == textEdit; }, "the click on the token list");
    });
    steps.push_back([] {
        // Once the screen shows a caret (it blinks), or the step's patience runs out.
        const std::string caret = ScreenCaughtUp() ? CaretOver(Advanced()->GetTokenList()) : "";
        if (caret.rfind("a caret", 0) != 0 && !script().patience.passed())
            return false;
        Shot("search_token_caret.png");
        int tall = 0, x = -1, y = -1;
        if (std::sscanf(caret.c_str(), "a caret %d pixels tall at %d, %d", &tall, &x, &y) == 3)
            Log(tall >= 10 && x <= 8 && y <= 8 ? "token list shows a caret before the first letter" : caret);
        else
            Log("token list: " + caret);
        return true;
    });
    steps.push_back([] {
        Input().Key(XK_Delete);
        return true;
    });
    steps.push_back([] {
        if (!WaitFor([] { return Advanced()->GetTokens().size() != 2; }, "Delete"))
            return false;
        Shot("search_token_deleted.png");
        std::string left;
        for (const std::string& token : Advanced()->GetTokens())
            left += (left.empty() ? "" : ",") + token;
        Log("Delete left " + left);
        return true;
    });
    steps.push_back(Choose({menutag::kFile, 32009}));
    return steps;
}

std::vector<Step>& Steps()
{
    static std::vector<Step> steps = script().plan        ? script().plan()
                                     : script().run == 1 ? FirstRun()
                                     : script().run == 2 ? SecondRun()
                                                         : SearchPagesRun();
    return steps;
}

int32_t ScriptHandler(WINDOW, EVENT* event)
{
    if (event->type != E_TIMER)
        return 0;
    Script& s = script();
    if (std::getenv("TAVLINCD_E2E_TRACE") != nullptr)
        std::fprintf(stderr, "tick %d step %zu\n", s.ticks, s.step);
    ++s.ticks;
    if (s.limit.passed()) {
        Log("stalled at step " + std::to_string(s.step));
        Shot("stalled.png");
        vkov_app_destroy();
        return 0;
    }
    if (s.step < Steps().size() && Steps()[s.step]()) {
        ++s.step;
        s.patience = vkotest::Deadline(kPatience);
        s.limit = vkotest::Deadline(kStepLimit);
    }
    return 0;
}

// The program with a hidden window of the script's own, whose timer runs the steps. The
// timer starts before the program does: its first tick comes before the splash's own time is
// up (the splash closes itself), however long the start takes.
class ScriptedApp : public KQedApp {
public:
    void StartUp() override
    {
        const s_rct nowhere{0, 0, 10, 10};
        WINDOW window = vkok_win_create(W_PLAIN, &nowhere, "script", 0, NULL_WIN, 0,
                                        VKO_EVENT_MASK_ALL, ScriptHandler, 0);
        vkov_timer_create(window, 100);
        script().patience = vkotest::Deadline(kPatience);
        script().limit = vkotest::Deadline(kStepLimit);
        KQedApp::StartUp();
    }
};

[[noreturn]] void RunProgram(const std::string& display, const std::string& folder)
{
    setenv("DISPLAY", display.c_str(), 1);
    if (chdir(folder.c_str()) != 0)
        _exit(2);
    {
        ScriptedApp application;
        char name[] = "TavlinCD";
        char* argv[] = {name, nullptr};
        // Only the stand-in sound player: no browser to start, so Go Online says so instead.
        setenv("PATH", script().player.c_str(), 1);
        application.Go(1, argv, 1, 0, "TavlinCD", "TavlinCD", "Dorvane-Kestle");
    }
    _exit(0);
}

constexpr char kWordNet[] = "/usr/share/wordnet";

// The sound record of word in the demo's sound set, as the program hands it to the player.
std::string SoundRecord(const std::string& folder, const char* word)
{
    constexpr std::uint32_t kBlock = 512;
    std::string record;
    if (OpenDictionary((folder + "/" + demodict::kDataDirectory).c_str(), demodict::kSoundName) != 0) {
        if (const std::uint32_t position = LookUpWord(word, kBlock); position != 0)
            record.assign(ExpandEntry(position, kBlock), entry_length(position, kBlock));
    }
    ReleaseEngineBuffers();
    return record;
}

// A test that runs the program on a slice of the demo dictionary written at test time, on a
// private Xvfb. Start() skips the test where WordNet, espeak-ng (for a slice with sounds) or
// Xvfb is missing; the test stops when it did (Stopped()).
class TavlinCDX11 : public ::testing::Test {
protected:
    // The slice: WordNet's first `first` lemmas and those named, each with what the full demo
    // gives it (pronunciation, sound, illustration, table). The script's log, its scratch
    // folder and the folder its sound player is found in are the run's scratch folder, its
    // screenshots go to VKO_GALLERY_DIR when that is set.
    void Start(const char* prefix, bool sounds, std::size_t first, std::vector<std::string> lemmas)
    {
        if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun"))
            GTEST_SKIP() << "WordNet (wordnet-base) is not installed";
        if (sounds && vkotest::find_on_path("espeak-ng").empty())
            GTEST_SKIP() << "espeak-ng is not installed";
        if (const std::string why = vkotest::start_xvfb(server); !why.empty())
            GTEST_SKIP() << why;
        scratch = vkotest::make_scratch_dir(prefix);
        ASSERT_FALSE(scratch.empty());
        demodict::DemoSlice slice;
        slice.first_lemmas = first;
        slice.lemmas = std::move(lemmas);
        demodict::DemoReport report;
        std::string error;
        ASSERT_TRUE(demodict::write_demo(kWordNet, folder.path(), &slice, {}, &report, &error)) << error;
        const char* gallery = std::getenv("VKO_GALLERY_DIR");
        script().shots = gallery != nullptr ? gallery : scratch;
        script().log = scratch + "/script.txt";
        script().scratch = scratch;
        script().player = scratch;
    }
    bool Stopped() const { return IsSkipped() || HasFatalFailure(); }
    // A program of that name the run finds on PATH (the only folder PATH holds then): a shell
    // script of that body.
    void OnPath(const std::string& name, const std::string& body)
    {
        script().player = scratch + "/player";
        std::filesystem::create_directories(script().player);
        std::ofstream(script().player + "/" + name) << "#!/bin/sh\n" << body;
        std::filesystem::permissions(script().player + "/" + name, std::filesystem::perms::owner_all);
    }
    // The run starts with cat[1] bookmarked in the folder "Animals".
    void CatBookmarkedInAnimals()
    {
        std::ofstream(folder.path() + "/BookMark.kq")
            << "<>:Animals:<>\n" << demodict::kDemoReferenceName << ":Animals:cat[1]\n";
    }
    // Runs the program once in a child: run is the script's run number, plan (when given) its
    // steps; the program must end by itself.
    void RunOnce(int run, std::function<std::vector<Step>()> plan = nullptr)
    {
        script().run = run;
        script().plan = std::move(plan);
        const pid_t pid = vkotest::fork_child();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            RunProgram(server.display(), folder.path());
        // A stalled step ends the run by itself (kStepLimit): this is the backstop for a
        // program that hangs, long enough for a whole run on a loaded machine.
        const int status = vkotest::wait_for(pid, 1200);
        script().plan = nullptr;
        ASSERT_EQ(status, 0) << "run " << run << " ended by itself";
    }

    vkotest::Xvfb server;
    std::string scratch;
    test_support::TempDir folder;
};

TEST_F(TavlinCDX11, TheDemoDictionaryByMouseAndKeys)
{
    // The first lemmas of WordNet and those the script uses.
    Start("tavlincd_e2e_", true, 100, {"cat", "feline", "mammal", "vertebrate", "planet", "circle", kLongEntryWord});
    if (Stopped())
        return;
    // The help file and its topic associations, where help looks first.
    for (const char* name : {"TavlinCD.hlp", "TavlinCD.csa"})
        std::filesystem::copy_file(std::string(TAVLIN_HELP_DIR) + "/" + name, folder.path() + "/" + name);
    script().xclip = vkotest::find_on_path("xclip");
    script().pdftotext = vkotest::find_on_path("pdftotext");
    script().pdfimages = vkotest::find_on_path("pdfimages");
    if (script().xclip.empty() || script().pdftotext.empty() || script().pdfimages.empty())
        GTEST_SKIP() << "xclip or poppler-utils is not installed";
    script().pictures = demodict::draw_tables();
    for (demodict::Picture& figure : demodict::draw_figures())
        script().pictures.push_back(std::move(figure));
    // The sound player the program finds on PATH keeps what it is given.
    OnPath("aplay", "/bin/cat > '" + scratch + "/player/played.wav'\n");

    for (int run = 1; run <= 2; ++run) {
        RunOnce(run);
        if (HasFatalFailure())
            return;
    }

    const std::vector<std::string> expected = {
        "pane shows cat[1]", "looked up cat", "played a sound", "bookmarked cat[1]",
        "found mammal from the entry pop-up", "went back to cat from the Backward pop-up",
        "went forward to mammal from the Forward pop-up", "opened vertebrate in a new window",
        "pane shows planet", "table shown", "table printed",
        "pane shows circle[1]", "illustration shown", "illustration printed",
        "previous entry: pane shows planet", "next entry: pane shows circle[1]",
        "previous list: planet", "next list: circle[1],circle[2]",
        "hit list: circle[1],circle[2]", "print results", "results list printed",
        "moved cat[1] into pets", "colours in results 1",
        "about shown", "help_contents shown", "help_search shown", "help_f1 shown",
        "help_object_click shown", "pane shows mammal", "window menu",
        "next window: 1 on top 1", "next window: 2 on top 2", "next window: 0 on top 0",
        "history went to cat", "advanced query found cat[1] for 3 tokens",
        "then pane shows cat[1]", "copy word", "clipboard \"cat\"", "select all", "copy",
        "clipboard holds the entry", "print entry", "entry printed",
        "pane shows head[1]", "print a long entry", "long entry printed to its end",
        // Edit > Paste, File > Page Setup, Go Online (without a browser only the items that
        // say so are enabled), File > Close, Edit > Clear.
        "chose 10", "chose 32007", "greyed 28", "greyed 29", "chose 30", "greyed 31", "chose 33",
        "chose 32003", "view and edit items chosen",
        "kept cat[1] in pets", "colours in results kept 1", "opened the bookmark",
    };
    // The size and colours applied in the first run are those the second starts with.
    std::vector<std::string> lines = vkotest::read_lines(script().log);
    std::string applied, kept;
    std::erase_if(lines, [&](const std::string& line) {
        for (auto [prefix, value] : {std::pair{"applied ", &applied}, std::pair{"kept size", &kept}})
            if (line.rfind(prefix, 0) == 0) {
                *value = line.substr(line.find("size"));
                return true;
            }
        return false;
    });
    EXPECT_EQ(lines, expected);
    const Prefs defaults = DefaultPrefs();
    EXPECT_EQ(applied.substr(0, applied.find(' ', 5)), "size " + std::to_string(defaults.font_size + 4)) << applied;
    EXPECT_EQ(applied.find(Appearance(defaults).substr(Appearance(defaults).find("text"), 13)), std::string::npos)
        << "the text colour changed: " << applied;
    EXPECT_EQ(kept, applied);
    EXPECT_EQ(Read(folder.path() + "/BookMark.kq"),
              std::string("<>:pets:<>\n") + demodict::kDemoReferenceName + ":pets:cat[1]\n");
    // The player got the word's own recording, whole.
    const std::string played = Read(script().player + "/played.wav");
    EXPECT_EQ(played.substr(0, 4), "RIFF");
    EXPECT_TRUE(played == SoundRecord(folder.path(), "cat")) << played.size() << " bytes played";
}

TEST_F(TavlinCDX11, TheSearchPagesAsAUserMeetsThem)
{
    Start("tavlincd_search_e2e_", false, 100, {"cat", "feline", "mammal"});
    if (Stopped())
        return;
    RunOnce(3);
    EXPECT_EQ(vkotest::read_lines(script().log), (std::vector<std::string>{
                  "Tab went from the field to Search",
                  "preferences took Tab and closed on Escape",
                  "df search by Return kept cats and listed cat[1],feline[2]",
                  "status bar shows 2 Entries Found",
                  "first line a heading, cat shown",
                  "previous list arrow showed cats",
                  "next list arrow showed ca?",
                  "browse opened mammal in a new window",
                  "browse page of the new window looked mammal up: field \"mammal\", list mammal,mammals",
                  "browse previous list: cat[1],feline[2]",
                  "browse next list: cat,cat[1],cat[2]",
                  "advanced opened mammal in a new window",
                  "advanced page of the new window looked mammal up: field \"\", tokens Entry word is...=mammal, list mammal",
                  "advanced previous list: cat[1],feline[2]",
                  "advanced next list: cat,cat[1],cat[2]",
                  "token list shows a caret before the first letter",
                  "Delete left &",
              }));
}

// --- on a desktop: what is drawn, the clipboard, the organiser --------------------------------

// A point of the entry pane (text coordinates of the front window's painter) on the screen.
s_pnt PaneOnScreen(float h, float v)
{
    ScrollViewWin* pane = FrontWindow()->GetBasicPage()->GetEntryPane();
    s_pnt point{static_cast<std::int16_t>(v + pane->ScrollOriginY()), static_cast<std::int16_t>(h)};
    vkok_vobj_translate_points(pane->PaneWindow(),
                               reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW)),
                               &point, 1);
    return point;
}

// A view's rectangle on the screen, as "top left bottom right" for the log.
std::string ScreenRect(const FRM_CView* view)
{
    const FRM_CRect frame = view->GetFrame();
    const s_pnt from = OnScreen(view, 0, 0);
    const s_pnt to = OnScreen(view, frame.Width(), frame.Height());
    return std::to_string(from.v) + " " + std::to_string(from.h) + " " + std::to_string(to.v) + " " +
           std::to_string(to.h);
}

// The middle of a laid-out run of the front window's entry, on the screen.
s_pnt RunOnScreen(const EntryPainter::Run& run, float along)
{
    const EntryPainter& painter = FrontWindow()->GetPainter();
    return PaneOnScreen(run.x + run.width * along, run.y - static_cast<float>(painter.ascentOffset()) / 2);
}

// Drags the mouse over the runs first..last of the entry shown, as a user selects text: a
// press on the first, a move a tick over each, the release on the last. With last before
// first the drag goes backwards, from the end of first to the start of last.
Step DragOver(std::function<std::pair<int, int>()> which)
{
    auto at = std::make_shared<int>(-1);
    return [which, at] {
        const auto [first, last] = which();
        if (first < 0 || last < 0)
            return false;
        const int step = first <= last ? 1 : -1;
        const float pressAt = step > 0 ? 0.1f : 0.9f;
        const auto& runs = FrontWindow()->GetPainter().runs();
        Input input;
        if (*at < 0) {
            input.Move(RunOnScreen(runs[static_cast<std::size_t>(first)], pressAt));
            input.Button(1, true);
            *at = first;
            return false;
        }
        input.Move(RunOnScreen(runs[static_cast<std::size_t>(*at)], 1 - pressAt));
        *at += step;
        if (step > 0 ? *at <= last : *at >= last)
            return false;
        input.Button(1, false);
        *at = -1;
        return true;
    };
}

// The last run drawn on the same line as run first of the entry shown.
std::size_t LastRunOnLine(std::size_t first)
{
    const auto& runs = FrontWindow()->GetPainter().runs();
    std::size_t last = first;
    for (std::size_t i = first; i < runs.size() && runs[i].y == runs[first].y; ++i)
        if (runs[i].width > 0)
            last = i;
    return last;
}

// Presses on the start of run first of the entry shown, moves straight to 12 pixels right of
// its line's end and lets go there, as a user who overshoots the line's last letter.
Step DragPastLineEnd(std::function<int()> which)
{
    auto pressed = std::make_shared<bool>(false);
    return [which, pressed] {
        const int first = which();
        if (first < 0)
            return false;
        const auto& runs = FrontWindow()->GetPainter().runs();
        Input input;
        if (!*pressed) {
            input.Move(RunOnScreen(runs[static_cast<std::size_t>(first)], 0.1f));
            input.Button(1, true);
            *pressed = true;
            return false;
        }
        const EntryPainter::Run& end = runs[LastRunOnLine(static_cast<std::size_t>(first))];
        input.Move(PaneOnScreen(end.x + end.width + 12,
                                end.y - static_cast<float>(FrontWindow()->GetPainter().ascentOffset()) / 2));
        input.Button(1, false);
        *pressed = false;
        return true;
    };
}

// The program's top-level X window of the largest area (the main window), or 0.
Window LargestTopWindow(Display* dpy)
{
    Window root = 0, parent = 0, *children = nullptr, best = 0;
    unsigned count = 0;
    long bestArea = 0;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
        return 0;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        XGetWindowAttributes(dpy, children[i], &a);
        if (a.map_state == IsViewable && !a.override_redirect && static_cast<long>(a.width) * a.height > bestArea) {
            bestArea = static_cast<long>(a.width) * a.height;
            best = children[i];
        }
    }
    XFree(children);
    return best;
}

std::vector<Step> DesktopRun()
{
    std::vector<Step> steps;
    steps.push_back([] {
        if (MainWindow() == nullptr || App().GetSplash() == nullptr || !ScreenCaughtUp())
            return false;
        Shot("splash.png");
        Log("splash " + ScreenRect(App().GetSplash()->GetPicture()));
        Input().Click(CentreOf(App().GetSplash()->GetPicture()));
        return true;
    });
    steps.push_back([] { return App().GetSplash() == nullptr; });
    LookUp(steps, "cat", "cat[1]");
    steps.push_back([] {
        if (!ScreenCaughtUp())
            return false;
        Shot("cat.png");
        Log("bar " + ScreenRect(FrontWindow()->GetBasicPage()->GetEntryPane()->scrollBar()));
        // A page down on the bar's track.
        const ScrollViewWin* pane = FrontWindow()->GetBasicPage()->GetEntryPane();
        const FRM_CRect frame = pane->GetFrame();
        Input().Click(OnScreen(pane, frame.Width() - 8, frame.Height() - 24));
        return true;
    });
    steps.push_back([] {
        if (FrontWindow()->GetBasicPage()->GetEntryPane()->ScrollOriginY() >= 0 || !ScreenCaughtUp())
            return false;
        Shot("cat_scrolled.png");
        Input input;
        input.Move(CentreOf(FrontWindow()->GetBasicPage()->GetEntryPane()));
        input.Key(XK_Escape);
        return true;
    });
    steps.push_back([] {
        if (FrontWindow()->GetPainter().hasText() || !ScreenCaughtUp())
            return false;
        Shot("cleared.png");
        Log("cleared");
        return true;
    });
    // A drag over three runs of the entry (a word, a blank, a word) selects them: Edit >
    // Copy is enabled, and Ctrl+C puts them on the clipboard.
    LookUp(steps, "cat", "cat[1]");
    const auto copyAndRead = [&steps](const std::string& what,
                                      std::function<std::string(const std::string&)> shown = nullptr) {
        steps.push_back([what] {
            // The drag's last moves are in once the program has caught up with them.
            const EntryPainter& painter = FrontWindow()->GetPainter();
            if (painter.selection().empty() || !ScreenCaughtUp())
                return false;
            Log(what + " copy enabled " + std::to_string(FrontWindow()->GetMenuBar()->IsEnabled(menutag::kCopy)));
            Input input;
            input.Move(CentreOf(FrontWindow()->GetBasicPage()->GetEntryPane()));
            input.KeyWith(XK_Control_L, XK_c);
            return true;
        });
        steps.push_back([] { return ScreenCaughtUp(); });
        ReadClipboard(steps, [what, shown](const std::string& text) {
            return shown ? shown(text) : what + " clipboard " + text;
        });
    };
    steps.push_back([] { return ScreenCaughtUp(); });
    const auto twoWords = [] {
        const auto& runs = FrontWindow()->GetPainter().runs();
        const auto letters = [](const EntryPainter::Run& run) {
            return run.text.size() >= 3 && std::isalpha(static_cast<unsigned char>(run.text[0])) && !run.phonetic;
        };
        for (std::size_t i = 0; i + 2 < runs.size(); ++i)
            if (letters(runs[i]) && runs[i + 1].text == " " && letters(runs[i + 2]) && runs[i].y == runs[i + 2].y)
                return std::pair<int, int>(static_cast<int>(i), static_cast<int>(i + 2));
        return std::pair<int, int>(-1, -1);
    };
    steps.push_back(DragOver(twoWords));
    steps.push_back([] {
        if (FrontWindow()->GetPainter().selection().size() < 3)
            return false;
        Shot("selected.png");
        Log("selected " + FrontWindow()->GetPainter().SelectedText());
        return true;
    });
    copyAndRead("words");
    // The same words dragged over from the right: the copy reads in the entry's order.
    steps.push_back(DragOver([twoWords] {
        const auto [first, last] = twoWords();
        return std::pair<int, int>(last, first);
    }));
    copyAndRead("words backwards");
    // The pronunciation: its phonetic letters reach the clipboard as UTF-8 IPA.
    steps.push_back(DragOver([] {
        const auto& runs = FrontWindow()->GetPainter().runs();
        int first = -1, last = -1;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            if (runs[i].phonetic && first < 0)
                first = last = static_cast<int>(i);
            else if (runs[i].phonetic && last == static_cast<int>(i) - 1)
                last = static_cast<int>(i);
        }
        return std::pair<int, int>(first, last);
    }));
    copyAndRead("pronunciation");
    // The same drag from the first backslash, let go right of the line's end: the copy
    // reaches the line's end, the closing backslash too.
    steps.push_back(DragPastLineEnd([] {
        const auto& runs = FrontWindow()->GetPainter().runs();
        for (std::size_t i = 0; i < runs.size(); ++i)
            if (runs[i].phonetic) {
                while (i > 0 && runs[i].text != "\\")
                    --i;
                return runs[i].text == "\\" ? static_cast<int>(i) : -1;
            }
        return -1;
    }));
    copyAndRead("pronunciation past its end");
    // From the first of the two words to past the end of their line: the copy ends with the
    // line's last word.
    auto lineText = std::make_shared<std::string>();
    steps.push_back(DragPastLineEnd([twoWords, lineText] {
        const int first = twoWords().first;
        if (first < 0)
            return -1;
        const auto& runs = FrontWindow()->GetPainter().runs();
        lineText->clear();
        for (std::size_t i = static_cast<std::size_t>(first); i <= LastRunOnLine(static_cast<std::size_t>(first)); ++i)
            if (static_cast<unsigned char>(runs[i].text[0]) >= 0x20) // not a style byte
                *lineText += runs[i].text;
        return first;
    }));
    copyAndRead("words past the line's end", [lineText](const std::string& text) {
        return "words past the line's end clipboard " +
               (text == *lineText ? std::string("the line's rest") : text + " not " + *lineText);
    });
    // Edit > Select All, then Ctrl+C: the clipboard reads as the pane does, each label apart
    // from its text by a tab and the blank lines between the parts kept. Its first lines are
    // logged one by one, a tab shown as "<tab>".
    steps.push_back(Choose({menutag::kEdit, menutag::kSelectAll}));
    copyAndRead("all", [](const std::string& text) {
        std::string logged;
        std::size_t from = 0;
        for (int line = 1; line <= 4 && from <= text.size(); ++line) {
            std::size_t end = text.find('\n', from);
            if (end == std::string::npos)
                end = text.size();
            std::string shown = text.substr(from, end - from);
            for (std::size_t tab = shown.find('\t'); tab != std::string::npos; tab = shown.find('\t', tab))
                shown.replace(tab, 1, "<tab>");
            logged += (line > 1 ? "\n" : "") + std::string("all line ") + std::to_string(line) + " " + shown;
            from = end + 1;
        }
        return logged;
    });
    // The window grows by 200 pixels as a window manager would make it: the entry wraps again.
    auto linesBefore = std::make_shared<std::size_t>(0);
    auto widthBefore = std::make_shared<float>(0);
    steps.push_back([linesBefore, widthBefore] {
        if (!ScreenCaughtUp())
            return false;
        ScrollViewWin* pane = FrontWindow()->GetBasicPage()->GetEntryPane();
        *linesBefore = FrontWindow()->GetPainter().lines().size();
        *widthBefore = pane->GetFrame().Width();
        Shot("before_resize.png");
        Log("pane before " + ScreenRect(pane));
        Input input;
        XWindowAttributes a{};
        const Window main = LargestTopWindow(input.dpy);
        XGetWindowAttributes(input.dpy, main, &a);
        XResizeWindow(input.dpy, main, static_cast<unsigned>(a.width + 200), static_cast<unsigned>(a.height));
        return true;
    });
    steps.push_back([linesBefore, widthBefore] {
        ScrollViewWin* pane = FrontWindow()->GetBasicPage()->GetEntryPane();
        if (pane->GetFrame().Width() <= *widthBefore || !ScreenCaughtUp())
            return false;
        Shot("after_resize.png");
        Log("pane after " + ScreenRect(pane));
        Log(std::string("fewer lines ") + (FrontWindow()->GetPainter().lines().size() < *linesBefore ? "yes" : "no"));
        return true;
    });
    steps.push_back(EndOfRun());
    return steps;
}

TEST_F(TavlinCDX11, OnADesktop)
{
    Start("tavlincd_desk_", true, 100, {"cat", "feline", "mammal", "planet", "circle"});
    if (Stopped())
        return;
    script().xclip = vkotest::find_on_path("xclip");
    if (script().xclip.empty())
        GTEST_SKIP() << "xclip is not installed";
    // An opener that finds no browser, as xdg-open on a desktop without one.
    OnPath("xdg-open", "echo \"xdg-open: no method available for opening '$1'\" >&2\nexit 3\n");
    CatBookmarkedInAnimals();
    RunOnce(1, DesktopRun);
    if (HasFatalFailure())
        return;
    const std::vector<std::string> lines = vkotest::read_lines(script().log);
    const auto logged = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (const char* line : {"words copy enabled 1", "words clipboard feline mammal",
                             "words backwards clipboard feline mammal",
                             "pronunciation clipboard k\xCB\x88\xC3\xA6t",
                             "pronunciation past its end clipboard \\k\xCB\x88\xC3\xA6t\\",
                             "words past the line's end clipboard the line's rest", "all copy enabled 1",
                             "all line 1 Entry:<tab>cat", "all line 2 ",
                             "all line 3 Pronunciation:<tab>\\k\xCB\x88\xC3\xA6t\\", "all line 4 ",
                             "fewer lines yes", "done"})
        EXPECT_TRUE(logged(line)) << line << " in " << ::testing::PrintToString(lines);
    // Rectangles the log gives as "<what> top left bottom right".
    const auto rectOf = [&lines](const std::string& what) {
        s_rct r{};
        for (const std::string& line : lines)
            if (line.rfind(what + " ", 0) == 0)
                std::sscanf(line.c_str() + what.size(), "%hd %hd %hd %hd", &r.top, &r.left, &r.bottom, &r.right);
        return r;
    };
    const auto shot = [](const std::string& name) {
        return cairo_image_surface_create_from_png((script().shots + "/1_" + name).c_str());
    };
    const auto count = [](cairo_surface_t* image, const s_rct& r, const std::function<bool(std::uint32_t)>& is) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += is(vkotest::pixel(image, x, y)) ? 1 : 0;
        return n;
    };
    const auto channel = [](std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); };
    // The title art: the program's name in gold over a blue field, not a white panel.
    {
        const s_rct picture = rectOf("splash");
        cairo_surface_t* splash = shot("splash.png");
        ASSERT_EQ(cairo_surface_status(splash), CAIRO_STATUS_SUCCESS);
        const s_rct art{picture.top, picture.left, static_cast<std::int16_t>(picture.bottom - 40), picture.right};
        EXPECT_GT(count(splash, art, [&](std::uint32_t c) {
                      return channel(c, 16) > 180 && channel(c, 8) > 120 && channel(c, 0) < 110;
                  }), 300) << "gold letters";
        EXPECT_GT(count(splash, art, [&](std::uint32_t c) { return channel(c, 0) > channel(c, 16) + 40; }),
                  (art.bottom - art.top) * (art.right - art.left) / 2) << "a blue field";
        // The window is the picture: beside it and below it what lies behind shows (here the
        // main window's white entry pane), not a grey strip of the window; its copyright line
        // lies on the picture's foot.
        const s_rct right{picture.top, picture.right, picture.bottom, static_cast<std::int16_t>(picture.right + 8)};
        const s_rct below{picture.bottom, picture.left, static_cast<std::int16_t>(picture.bottom + 8), picture.right};
        const auto grey = [&](std::uint32_t c) {
            return channel(c, 16) == channel(c, 8) && channel(c, 8) == channel(c, 0) && channel(c, 0) >= 0x90 &&
                   channel(c, 0) < 0xF0;
        };
        for (const s_rct& beside : {right, below})
            EXPECT_LT(count(splash, beside, grey), 8 * 8) << "a strip of window beside the picture";
        const s_rct foot{static_cast<std::int16_t>(picture.bottom - 40), picture.left, picture.bottom, picture.right};
        EXPECT_GT(count(splash, foot, [&](std::uint32_t c) { return channel(c, 16) < 80 && channel(c, 0) < 80; }), 50)
            << "the copyright line on the picture";
        cairo_surface_destroy(splash);
    }
    // After Escape the cleared pane has nothing to scroll: its bar shows no thumb, where the
    // entry's showed one.
    {
        const s_rct bar = rectOf("bar");
        cairo_surface_t* shown = shot("cat.png");
        cairo_surface_t* scrolled = shot("cat_scrolled.png");
        cairo_surface_t* cleared = shot("cleared.png");
        const auto differing = [&](cairo_surface_t* a, cairo_surface_t* b) {
            int n = 0;
            for (int y = bar.top; y < bar.bottom; ++y)
                for (int x = bar.left; x < bar.right; ++x)
                    n += vkotest::pixel(a, x, y) != vkotest::pixel(b, x, y) ? 1 : 0;
            return n;
        };
        // Down the bar's middle the track's stipple alternates white and face; a thumb is face
        // all along.
        const auto thumb = [&](cairo_surface_t* screen) {
            const int x = (bar.left + bar.right) / 2, arrow = bar.right - bar.left;
            int longest = 0, run = 0;
            for (int y = bar.top + arrow; y < bar.bottom - arrow; ++y) {
                run = (vkotest::pixel(screen, x, y) & 0xFFFFFF) == 0xC0C0C0 ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            return longest > 2 ? longest : 0;
        };
        EXPECT_GT(differing(shown, scrolled), 0) << "the page down moved the thumb";
        EXPECT_GT(thumb(shown), 0) << "the entry's bar shows a thumb";
        EXPECT_EQ(thumb(cleared), 0) << "the cleared pane's bar shows no thumb";
        for (cairo_surface_t* image : {shown, scrolled, cleared})
            cairo_surface_destroy(image);
    }
    // The window 200 pixels wider: the text runs on into the new width of the pane.
    {
        const s_rct before = rectOf("pane before");
        const s_rct after = rectOf("pane after");
        cairo_surface_t* resized = shot("after_resize.png");
        const s_rct strip{after.top, static_cast<std::int16_t>(before.right), after.bottom,
                          static_cast<std::int16_t>(after.right - 30)};
        EXPECT_GT(count(resized, strip, [&](std::uint32_t c) { return channel(c, 16) < 100 && channel(c, 8) < 100; }), 50)
            << "text in the new width";
        cairo_surface_destroy(resized);
    }
}

// --- what is shown: the count, a pasted word ----------------------------------------------

// "<what>: count tells the list" when the status bar counts the lines of the list in front,
// else what the two say; then the lines.
std::string CountOfList(const std::string& what)
{
    const SearchPageWin* page = FrontWindow()->GetFrontPage();
    const int lines = page->GetHitList()->GetCount();
    const std::string count = FrontWindow()->GetCountText();
    const std::string told = lines == 0 ? "0 Entries found." : std::to_string(lines) + " Entries Found";
    return what + (count == told ? ": count tells the list " : ": \"" + count + "\" over the list ") + HitLines(page);
}

// Waits for the list in front to hold lines (or, with none, to be empty), then logs its count.
Step LogCount(const std::string& what, bool listed = true)
{
    return [what, listed] {
        const auto shown = [listed] { return (FrontWindow()->GetFrontPage()->GetHitList()->GetCount() > 0) == listed; };
        if (!WaitFor(shown, "the list"))
            return false;
        Log(CountOfList(what));
        return true;
    };
}

std::vector<Step> ShownRun()
{
    std::vector<Step> steps;
    CloseSplash(steps);
    // Typing: the type-ahead's lines are counted as a search's are.
    InTheField(steps, [] { Input().Type("cat"); });
    steps.push_back(LogCount("typed cat"));
    // A bookmark opened from the Advanced page: the page turned to again counts its list.
    const auto advanced = [] { return FrontWindow()->GetFrontPage() == FrontWindow()->GetPage(1); };
    steps.push_back(Choose({menutag::kView, menutag::kAdvancedSearches}, advanced));
    steps.push_back([] {
        const BMItem* animals = Folder("Animals");
        if (animals == nullptr || animals->children.empty())
            return true;
        static MenuWalk walk{{menutag::kBookmarks, bookmarktag::Open(animals->number),
                              bookmarktag::Open(animals->children[0]->number)}};
        return walk.Tick(MainWindow());
    });
    steps.push_back([] { return Showing("cat"); });
    steps.push_back(Choose({menutag::kView, menutag::kAdvancedSearches}, advanced));
    steps.push_back(LogCount("advanced after the bookmark"));
    steps.push_back(Choose({menutag::kView, menutag::kBasicSearches}));
    // Pasting is typing: Ctrl+V, then Edit > Paste, into the emptied field list the pasted
    // word's entries.
    steps.push_back(Choose({menutag::kEdit, menutag::kCopyWord}));
    for (const bool byMenu : {false, true}) {
        steps.push_back([] {
            Input().Click(CentreOf(SearchField()));
            return true;
        });
        steps.push_back([] {
            if (vko_scr_get_focus_vobj() != SearchField()->GetVKOWindow())
                return false;
            Input().Key(XK_Escape);
            return true;
        });
        steps.push_back(LogCount("cleared", false));
        if (byMenu) {
            steps.push_back(Choose({menutag::kEdit, menutag::kPaste}));
        } else {
            steps.push_back([] {
                Input().KeyWith(XK_Control_L, XK_v);
                return true;
            });
        }
        steps.push_back(LogCount(byMenu ? "pasted from the menu" : "pasted by Ctrl+V"));
    }
    steps.push_back(EndOfRun());
    return steps;
}

// What the user reads of the lists and the status bar: the count is that of the list in
// front, after typing, after a bookmark opened from the Advanced page, and after pasting.
TEST_F(TavlinCDX11, TheCountAndThePasteFollowTheList)
{
    Start("tavlincd_shown_", false, 50, {"cat", "planet", "circle", "zebra"});
    if (Stopped())
        return;
    CatBookmarkedInAnimals();
    RunOnce(1, ShownRun);
    EXPECT_EQ(vkotest::read_lines(script().log),
              (std::vector<std::string>{
                  "typed cat: count tells the list cat[1],cat[2]",
                  "advanced after the bookmark: count tells the list cat[1],cat[2]",
                  "cleared: count tells the list ",
                  "pasted by Ctrl+V: count tells the list cat[1],cat[2]",
                  "cleared: count tells the list ",
                  "pasted from the menu: count tells the list cat[1],cat[2]",
                  "done",
              }));
}

// --- what is shown: the entry pane's bar, the list's bar, a drag from a gap, the Window menu --

// The screen as a picture; the caller destroys it.
cairo_surface_t* ScreenPicture()
{
    const std::string file = script().scratch + "/shown.png";
    vkov_display_screenshot(file.c_str());
    return LoadPng(file);
}

// The length in pixels of the thumb a vertical bar shows on the screen, 0 with none: down the
// bar's middle, the track's stipple alternates white and face; the thumb is face all along.
int ThumbLength(cairo_surface_t* screen, const FRM_CView* bar)
{
    const FRM_CRect frame = bar->GetFrame();
    const int arrow = static_cast<int>(frame.Width());
    const s_pnt top = OnScreen(bar, frame.Width() / 2, 0);
    int longest = 0, run = 0;
    for (int y = top.v + arrow; y < top.v + static_cast<int>(frame.Height()) - arrow; ++y) {
        run = (vkotest::pixel(screen, top.h, y) & 0xFFFFFF) == 0xC0C0C0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest > 2 ? longest : 0;
}

// The rows of the front entry pane's text area that hold ink (dark pixels), on the screen:
// the first and the last, from the pane's top; {-1, -1} for a blank pane.
std::pair<int, int> InkRows(cairo_surface_t* screen)
{
    const ScrollViewWin* pane = FrontWindow()->GetBasicPage()->GetEntryPane();
    const FRM_CRect frame = pane->ContentFrame();
    const s_pnt corner = PaneOnScreen(0, -pane->ScrollOriginY());
    std::pair<int, int> rows{-1, -1};
    for (int y = 0; y < static_cast<int>(frame.Height()); ++y)
        for (int x = 0; x < static_cast<int>(frame.Width()); ++x)
            if ((vkotest::pixel(screen, corner.h + x, corner.v + y) & 0xFF) < 0x80) {
                rows.first = rows.first < 0 ? y : rows.first;
                rows.second = y;
                break;
            }
    return rows;
}

// What the front entry pane shows, as a line: whether a whole line stands at its top, whether
// the text's last line stands at its bottom, and the thumb's length against the share of the
// text shown (in percent of the track).
std::string PaneLooks(const std::string& what)
{
    cairo_surface_t* screen = ScreenPicture();
    if (screen == nullptr)
        return what + ": no picture";
    const ScrollViewWin* pane = FrontWindow()->GetBasicPage()->GetEntryPane();
    const EntryPainter& painter = FrontWindow()->GetPainter();
    const int height = static_cast<int>(pane->ContentFrame().Height());
    const auto [first, last] = InkRows(screen);
    float textBottom = 0;
    for (const EntryPainter::Run& run : painter.runs())
        if (run.width > 0)
            textBottom = std::max(textBottom, run.y - static_cast<float>(painter.ascentOffset()) + painter.lineHeight());
    const bool atEnd = textBottom + pane->ScrollOriginY() <= static_cast<float>(height);
    std::string line = what + ":";
    // A cut line leaves ink in the pane's first rows, above a line's leading.
    line += first >= 2 ? " whole line at the top" : " cut line at the top";
    if (atEnd && textBottom > static_cast<float>(height))
        line += height - last <= painter.lineHeight() ? ", last line at the bottom" : ", blank below the text";
    const int track = static_cast<int>(pane->scrollBar()->GetFrame().Height() - 2 * pane->scrollBar()->GetFrame().Width());
    const int thumb = ThumbLength(screen, pane->scrollBar());
    const int shown = static_cast<int>(std::min(100.0f, 100.0f * static_cast<float>(height) / textBottom));
    if (shown >= 100)
        line += thumb == 0 ? ", no thumb" : ", a thumb";
    else
        line += std::abs(thumb * 100 / track - shown) <= 4 ? ", thumb the share shown"
                                                            : ", thumb " + std::to_string(thumb * 100 / track) +
                                                                  "% for " + std::to_string(shown) + "%";
    cairo_surface_destroy(screen);
    return line;
}

// Clicks at where() each tick until the pane stops scrolling, then logs how it looks.
void ScrollToTheEnd(std::vector<Step>& steps, const std::string& what, std::function<s_pnt()> where)
{
    auto still = std::make_shared<int>(0);
    auto origin = std::make_shared<float>(1);
    steps.push_back([what, where, still, origin] {
        const float now = FrontWindow()->GetBasicPage()->GetEntryPane()->ScrollOriginY();
        *still = now == *origin ? *still + 1 : 0;
        *origin = now;
        if (*still < 4) {
            Input().Click(where());
            return false;
        }
        Log(PaneLooks(what));
        return true;
    });
}

// The items of the front window's Window menu as its bar holds them: "<title>" and " checked".
std::string WindowItems()
{
    std::string items;
    for (const s_mitem* title = vkobase::menu::window_tree(FrontWindow()->GetVKOWindow());
         title != nullptr && !vkobase::menu_item_is_end(*title); ++title) {
        if (title->tag != menutag::kWindow || title->child == nullptr)
            continue;
        for (const s_mitem* item = title->child; !vkobase::menu_item_is_end(*item); ++item)
            if (item->tag > KQedApp::kWindowItemBase)
                items += std::string(items.empty() ? "" : ", ") + item->text + (item->checked ? " checked" : "");
    }
    return items;
}

std::vector<Step> PaneRun()
{
    std::vector<Step> steps;
    CloseSplash(steps);
    // The entry pane scrolls to the text's end, not past it, by the bar's arrow, its track
    // and the wheel; a whole line stands at the top wherever it stops.
    const auto bar = [] { return FrontWindow()->GetBasicPage()->GetEntryPane()->scrollBar(); };
    LookUp(steps, "circle", "circle[1]");
    steps.push_back([] {
        Log(PaneLooks("circle"));
        return true;
    });
    ScrollToTheEnd(steps, "down arrow", [bar] {
        return OnScreen(bar(), bar()->GetFrame().Width() / 2, bar()->GetFrame().Height() - 4);
    });
    LookUp(steps, "circle", "circle[1]");
    ScrollToTheEnd(steps, "track", [bar] {
        return OnScreen(bar(), bar()->GetFrame().Width() / 2, bar()->GetFrame().Height() - bar()->GetFrame().Width() - 3);
    });
    LookUp(steps, "circle", "circle[1]");
    steps.push_back([] {
        Input input;
        input.Move(CentreOf(FrontWindow()->GetBasicPage()->GetEntryPane()));
        input.Button(5, true);
        input.Button(5, false);
        return true;
    });
    steps.push_back([] {
        if (FrontWindow()->GetBasicPage()->GetEntryPane()->ScrollOriginY() == 0 || !ScreenCaughtUp())
            return false;
        Log(PaneLooks("wheel"));
        return true;
    });
    LookUp(steps, "zebra", "zebra");
    steps.push_back([] {
        Log(PaneLooks("zebra"));
        return true;
    });
    // A drag from the gap after the pronunciation's label to past its line's end copies the
    // pronunciation alone.
    auto pressed = std::make_shared<int>(0);
    steps.push_back([pressed] {
        const auto& runs = FrontWindow()->GetPainter().runs();
        std::size_t ipa = 0;
        while (ipa < runs.size() && !runs[ipa].phonetic)
            ++ipa;
        while (ipa > 0 && ipa < runs.size() && runs[ipa].text != "\\")
            --ipa;
        // The label's last letter: the run before the gap, on the same line.
        std::size_t label = ipa;
        while (label > 0 && (runs[label - 1].width <= 0 || static_cast<unsigned char>(runs[label - 1].text[0]) < 0x20))
            --label;
        if (ipa == 0 || ipa >= runs.size() || label == 0 || runs[label - 1].y != runs[ipa].y)
            return false;
        const EntryPainter::Run& before = runs[label - 1];
        const float y = runs[ipa].y - static_cast<float>(FrontWindow()->GetPainter().ascentOffset()) / 2;
        const EntryPainter::Run& end = runs[LastRunOnLine(ipa)];
        Input input;
        switch ((*pressed)++) {
        case 0:
            input.Move(PaneOnScreen((before.x + before.width + runs[ipa].x) / 2, y));
            input.Button(1, true);
            return false;
        case 1:
            input.Move(PaneOnScreen(runs[ipa].x + runs[ipa].width / 2, y));
            return false;
        default:
            input.Move(PaneOnScreen(end.x + end.width + 12, y));
            input.Button(1, false);
            return true;
        }
    });
    steps.push_back([] {
        if (FrontWindow()->GetPainter().selection().empty() || !ScreenCaughtUp())
            return false;
        Input input;
        input.Move(CentreOf(FrontWindow()->GetBasicPage()->GetEntryPane()));
        input.KeyWith(XK_Control_L, XK_c);
        return true;
    });
    steps.push_back([] { return ScreenCaughtUp(); });
    ReadClipboard(steps, [](const std::string& text) { return "from the gap clipboard " + text; });
    // The Window menu names the entry shown after the window's title, and nothing after Clear;
    // the window's own item carries the check mark, drawn.
    LookUp(steps, "planet", "planet");
    steps.push_back([] {
        Log("window menu " + WindowItems());
        Input().Click(CentreOf(SearchField()));
        return true;
    });
    steps.push_back([] {
        Input().Key(XK_Escape);
        return true;
    });
    steps.push_back([] {
        if (FrontWindow()->GetPainter().hasText() || !ScreenCaughtUp())
            return false;
        Log("after Clear window menu " + WindowItems());
        cairo_surface_t* screen = ScreenPicture();
        const KQListBox* list = FrontWindow()->GetBasicPage()->GetHitList();
        Log(std::string("cleared list ") + (ThumbLength(screen, list->GetVScrollBar()) == 0 ? "shows no thumb" : "shows a thumb"));
        if (screen != nullptr)
            cairo_surface_destroy(screen);
        return true;
    });
    steps.push_back([] {
        const RWOrdered* titles = FrontWindow()->GetMenuBar()->GetSubmenus();
        for (std::size_t i = 0; i < titles->entries(); ++i)
            if (static_cast<const FRM_CSubmenu*>((*titles)[i])->GetTag() == menutag::kWindow)
                Input().Click(Centre(vkobase::menu::title_rect(FrontWindow()->GetVKOWindow(), static_cast<int>(i))));
        return true;
    });
    steps.push_back([] {
        if (vkobase::menu::level_count() == 0 || !ScreenCaughtUp())
            return false;
        cairo_surface_t* screen = ScreenPicture();
        // Ink in the margin left of each item's text: the check mark.
        const auto marked = [screen](int place) {
            const s_rct item = vkobase::menu::item_rect(0, place);
            int ink = 0;
            for (int y = item.top; y < item.bottom; ++y)
                for (int x = item.left; x < item.left + 16; ++x)
                    ink += (vkotest::pixel(screen, x, y) & 0xFF) < 0x80 ? 1 : 0;
            return ink > 0;
        };
        if (screen != nullptr) {
            Log(std::string("check mark drawn ") + (marked(1) ? "by the window" : "nowhere") +
                (marked(0) ? " and by Next Window" : ""));
            cairo_surface_destroy(screen);
        }
        Input().Key(XK_Escape);
        return true;
    });
    steps.push_back(EndOfRun());
    return steps;
}

// What the user sees of the entry pane's bar, the emptied list's bar, a drag from a gap and
// the Window menu.
TEST_F(TavlinCDX11, ThePaneTheBarsAndTheWindowMenuTellWhatIsShown)
{
    Start("tavlincd_pane_", true, 50, {"circle", "planet", "zebra"});
    if (Stopped())
        return;
    script().xclip = vkotest::find_on_path("xclip");
    if (script().xclip.empty())
        GTEST_SKIP() << "xclip is not installed";
    RunOnce(1, PaneRun);
    const std::string title = demodict::kDemoReferenceName;
    EXPECT_EQ(vkotest::read_lines(script().log),
              (std::vector<std::string>{
                  "pane shows circle[1]",
                  "circle: whole line at the top, thumb the share shown",
                  "down arrow: whole line at the top, last line at the bottom, thumb the share shown",
                  "pane shows circle[1]",
                  "track: whole line at the top, last line at the bottom, thumb the share shown",
                  "pane shows circle[1]",
                  "wheel: whole line at the top, thumb the share shown",
                  "pane shows zebra",
                  "zebra: whole line at the top, no thumb",
                  "from the gap clipboard \\z\xCB\x88i\xCB\x90\x62\xC9\xB9\xC9\x99\\",
                  "pane shows planet",
                  "window menu " + title + " - planet checked",
                  "after Clear window menu " + title + " checked",
                  "cleared list shows no thumb",
                  "check mark drawn by the window",
                  "done",
              }));
}

} // namespace
