// tavlincd_x11_test.cpp: TavlinCD end to end on a private Xvfb, with real input from the
// XTest extension, on a slice of the WordNet demo dictionary written at test time. A script
// inside the program (one step per timer tick, each waiting for the effect of the one before)
// clicks and types as a user would: it closes the splash window by a click, looks words up,
// plays a word's sound through a stand-in player on PATH that keeps what it is given, adds a
// bookmark, uses the entry pop-up ("Find in") and the Backward and Forward pop-ups of the
// arrow buttons, opens a table and an illustration from their marks and prints each to PDF,
// makes a folder in the organiser and drags the bookmark into it, has the preferences'
// colours used in result lists too, opens About, a second window and the Window menu,
// chooses the Edit, View, File, Print and Go Online items (closing what they open), and
// quits with File > Exit. A second run finds the bookmark in its folder and the preference
// kept, and opens the bookmark from the menu. Screenshots of each step go to
// VKO_GALLERY_DIR when it is set, for people to look at.
// gtest and the program's headers first: Xlib's macros (None, Bool, FocusIn) would break
// them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/menu_internal.h"
#include "app/display/prefs.h"
#include "app/settings/settings_files.h"
#include "app/shell/book_win.h"
#include "app/shell/bookmark_store.h"
#include "app/pages/adv_query.h"
#include "app/pages/kq_adv_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/shell/kq_list_box.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/ref_doc.h"
#include "app/shell/menu_tags.h"
#include "app/shell/pref_win.h"
#include "app/shell/splash_win.h"
#include "app/shell/table_win.h"
#include "app/shell/w_hist_win.h"
#include "app/display/scroll_view_win.h"
#include "app/display/entry_painter.h"
#include "engine/worditem.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/cbutton.h"
#include "frm/controls/ctreevw.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/csubmenu.h"
#include "vkobase/display_debug.h"
#include "../../platform/vkobase/xvfb_test_support.h"
#include "../../support/temp_dir.h"
#include "app/display/image_win.h"
#include "engine/engine.h"
#include "tools/demodict/demo_writer.h"
#include "../../../platform/win32/src/help_viewer.h"
#include "tools/demodict/description.h"

#include <cairo.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

struct Script {
    std::string log;
    std::string shots;
    std::string player;  // the folder of the stand-in sound player
    int run = 1;
    std::size_t step = 0;
    int ticks = 0;
    int waited = 0;
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
    // The pointer over the top-most window (a dialog just opened), where keys then go.
    void PointAtTopWindow()
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0 || count == 0)
            return;
        for (unsigned i = count; i-- > 0;) {
            XWindowAttributes a{};
            XGetWindowAttributes(dpy, children[i], &a);
            if (a.map_state == IsViewable && a.width > 20) {
                XTestFakeMotionEvent(dpy, -1, a.x + a.width / 2, a.y + a.height / 2, CurrentTime);
                break;
            }
        }
        XFree(children);
    }
    // How many top-level windows the server shows.
    int Shown()
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
            return 0;
        int shown = 0;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a{};
            XGetWindowAttributes(dpy, children[i], &a);
            // Menus and drop-down lists are the toolkit's override-redirect windows.
            shown += a.map_state == IsViewable && a.width > 20 && !a.override_redirect ? 1 : 0;
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
// along path (tags), release on the last. One call per tick: answers true when released.
struct MenuWalk {
    std::vector<short> path;  // title's submenu tag, then submenu tags, then the item's tag
    std::size_t at = 0;
    int waited = 0;
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
                    at = 1;
                    return false;
                }
            }
            return false;
        }
        const int level = static_cast<int>(at) - 1;
        if (vkobase::menu::level_count() <= level) {
            // Not open yet; a press that opened nothing is let go and made again.
            if (++waited > 5) {
                input.Button(1, false);
                waited = 0;
                at = 0;
            }
            return false;
        }
        waited = 0;
        const FRM_CSubmenu* menu = bar->FindSubmenu(path[0]);
        for (std::size_t i = 1; i < at && menu != nullptr; ++i)
            menu = dynamic_cast<const FRM_CSubmenu*>(menu->Find(path[i]));
        if (menu == nullptr)
            return false;
        const int place = PlaceOf(*menu, path[at]);
        input.Move(Centre(vkobase::menu::item_rect(level, place)));
        if (at + 1 == path.size()) {
            input.Button(1, false);
            at = 0;
            return true;
        }
        ++at;
        return false;
    }
};

std::string Read(const std::string& name)
{
    std::ifstream in(name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The page's search field.
FRM_NEditControl* SearchField()
{
    const RWOrdered* children = MainWindow()->GetBasicPage()->GetSubviews();
    for (std::size_t i = 0; children != nullptr && i < children->entries(); ++i)
        if (auto* edit = dynamic_cast<FRM_NEditControl*>((*children)[i]))
            return edit;
    return nullptr;
}

// The page's button of that title.
FRM_NButton* PageButton(const char* title)
{
    const RWOrdered* children = MainWindow()->GetBasicPage()->GetSubviews();
    for (std::size_t i = 0; children != nullptr && i < children->entries(); ++i)
        if (auto* button = dynamic_cast<FRM_NButton*>((*children)[i]);
            button != nullptr && std::string(button->GetTitle().data()) == title)
            return button;
    return nullptr;
}

using Step = std::function<bool()>;

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

// Chooses an item, then closes whatever window it opened (a dialog, a list, help) with
// Escape, else Return, over the top window; logs the item once the screen is back.
void Sweep(std::vector<Step>& steps, std::vector<short> path)
{
    auto before = std::make_shared<int>(0);
    auto tries = std::make_shared<int>(0);
    steps.push_back([before] {
        *before = Input().Shown();
        return true;
    });
    steps.push_back(Choose(path));
    steps.push_back([before, tries, path] {
        Input input;
        if (vkobase::menu::level_count() > 0) {
            // A disabled item leaves its menu open: Escape closes it.
            input.Key(XK_Escape);
            return false;
        }
        if (input.Shown() <= *before) {
            Log("chose " + std::to_string(path.back()));
            return true;
        }
        if (*tries == 0)
            Shot("opened_" + std::to_string(path.back()) + ".png");
        input.PointAtTopWindow();
        input.Key(++*tries % 2 == 1 ? XK_Escape : XK_Return);
        if (*tries > 12) {
            Log("left open " + std::to_string(path.back()));
            return true;
        }
        return false;
    });
}

// Where the entry pane shows the mark text (";TABLE"), on the screen; {-1,-1} when nowhere.
s_pnt MarkOnScreen(const char* text)
{
    MainRefWin* window = FrontWindow();
    ScrollViewWin* pane = window->GetBasicPage()->GetEntryPane();
    s_rct client{};
    vko_vobj_get_client_rect(pane->PaneWindow(), &client);
    for (int v = 2; v < client.bottom; v += 4)
        for (int h = 2; h < client.right; h += 4)
            if (auto hit = window->GetPainter().SoundHit(static_cast<float>(h), static_cast<float>(v) - pane->ScrollOriginY());
                hit != nullptr && std::string(hit->data()) == text) {
                s_pnt point{static_cast<std::int16_t>(v), static_cast<std::int16_t>(h)};
                vkok_vobj_translate_points(pane->PaneWindow(),
                                           reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW)),
                                           &point, 1);
                return point;
            }
    return s_pnt{-1, -1};
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
bool Showing(const std::string& word)
{
    const EntryRecord* shown = FrontWindow() != nullptr ? FrontWindow()->GetHistories().entries.Current() : nullptr;
    return shown != nullptr && (shown->word == word || shown->word.rfind(word + "[", 0) == 0);
}

// Looks word up in the first main window by typing it over what the field holds.
void LookUp(std::vector<Step>& steps, const std::string& word)
{
    steps.push_back([] {
        Input().Click(CentreOf(SearchField()));
        return true;
    });
    steps.push_back([word] {
        Input input;
        for (int i = 0; i < 16; ++i)
            input.Key(XK_BackSpace);
        input.Type(word);
        return true;
    });
    steps.push_back([] {
        Input().Click(CentreOf(PageButton("Search")));
        return true;
    });
    steps.push_back([word] { return Showing(word); });
}

// A double click on the mark text (";TABLE", ";ART", ";SOUND") of the entry shown; while
// the mark lies below the pane, a click on the scroll bar's track pages down first.
Step DoubleClickMark(const char* text)
{
    return [text] {
        const s_pnt mark = MarkOnScreen(text);
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
        // Drawn a tick after it opens.
        if (vkobase::menu::level_count() == 0 || ++script().waited < 2)
            return false;
        script().waited = 0;
        Shot(shot);
        Input input;
        input.Move(Centre(vkobase::menu::item_rect(0, place)));
        input.Button(button, false);
        return true;
    });
}

// The PDF files printed into the working folder so far.
int PrintedFiles()
{
    int printed = 0;
    for (const auto& file : std::filesystem::directory_iterator("."))
        printed += file.path().extension() == ".pdf" && file.file_size() > 0 ? 1 : 0;
    return printed;
}

// Looks word up, opens the picture window of Window (a table or an illustration) by a
// double click on the mark, prints it with File > Print > item (one more PDF file in the
// working folder) and closes it with File > Close.
template <class Window>
void OpenAndPrint(std::vector<Step>& steps, const std::string& word, const char* mark, short item, const std::string& what)
{
    LookUp(steps, word);
    steps.push_back(DoubleClickMark(mark));
    auto printed = std::make_shared<int>(0);
    steps.push_back([what, printed] {
        if (DocumentWindow<Window>() == nullptr || !HasPicture(DocumentWindow<Window>()))
            return false;
        Shot(what + ".png");
        Log(what + " shown");
        *printed = PrintedFiles();
        return true;
    });
    for (const std::vector<short>& path : {std::vector<short>{menutag::kFile, menutag::kPrint, item},
                                           std::vector<short>{menutag::kFile, menutag::kClose}}) {
        if (path.back() == menutag::kClose)
            steps.push_back([what, printed] {
                if (PrintedFiles() <= *printed)
                    return false;
                Log(what + " printed");
                return true;
            });
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
        if (++script().waited < 2)  // drawn a tick after it opens
            return false;
        script().waited = 0;
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
    LookUp(steps, "cat");
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
    PopUp(steps, [] { return MarkOnScreen("mammal"); }, 3, 2, "entry_popup.png");
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
    PopUp(steps, [] { return MarkOnScreen("vertebrate"); }, 3, 0, "open_in_new_window_popup.png");
    steps.push_back([] {
        MainRefWin* opened = MainWindow(1);
        const EntryRecord* shown = opened != nullptr ? opened->GetHistories().entries.Current() : nullptr;
        if (shown == nullptr || shown->word.rfind("vertebrate", 0) != 0 || ++script().waited < 2)
            return false;
        script().waited = 0;
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
    OpenAndPrint<TableWin>(steps, "planet", ";TABLE", menutag::kPrintTable, "table");
    OpenAndPrint<ImageWin>(steps, "circle", ";ART", menutag::kPrintIllustration, "illustration");
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
    steps.push_back([] {
        FRM_NButton* create = Organiser()->GetButton(BookWin::kCmdNewFolder);
        if (!create->IsEnabled())
            return false;
        Input().Click(CentreOf(create));
        return true;
    });
    steps.push_back([] {
        // The name prompt is up (a dialog of its own): type the name.
        if (++script().waited < 3)
            return false;
        script().waited = 0;
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
    steps.push_back([] {
        if (vkov_win_get_pointer_trap() != nullptr)
            return false;
        Input().Click(CentreOf(ChildWith<FRM_NButton>(Appearance(), [](const FRM_NButton* button) {
            return button->GetCommand() == AppearancePage::kCmdTextColor;
        })));
        return true;
    });
    steps.push_back([] {
        // The colour dialog takes the keys once it is up: Right, then Return twice chooses
        // the swatch right of the first.
        if (++script().waited < 8)
            return false;
        script().waited = 0;
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
        if (Preferences() != nullptr || ++script().waited < 3)
            return false;
        script().waited = 0;
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
    // File > New Window, then the Window menu's first window.
    steps.push_back(Choose({menutag::kFile, menutag::kNewWindow}, [] { return App().GetWindowList().size() == 2; }));
    steps.push_back(Choose({menutag::kWindow, static_cast<short>(KQedApp::kWindowItemBase + 1)}, [] {
        if (App().GetCurrentWindow() != 0)
            return false;
        Shot("two_windows.png");
        Log("window menu");
        return true;
    }));
    // Window > Next Window brings the second to the front; its menu item the first again.
    steps.push_back(Choose({menutag::kWindow, menutag::kNextWindow}, [] {
        if (App().GetCurrentWindow() != 1)
            return false;
        Shot("next_window.png");
        Log("next window");
        return true;
    }));
    steps.push_back(Choose({menutag::kWindow, static_cast<short>(KQedApp::kWindowItemBase + 1)},
                           [] { return App().GetCurrentWindow() == 0; }));
    // View > History: the window comes up in front; a double click on "cat" shows it again.
    steps.push_back(Choose({menutag::kView, menutag::kHistory}, [] {
        if (HistoryWindow() == nullptr || Input().Shown() < 4)
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
            if (vkov_win_get_pointer_trap() != nullptr)
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
        if (lines == *before && ++script().waited < 30)
            return false;
        script().waited = 0;
        Shot("advanced_query.png");
        Log("advanced query found " + lines + " for " + std::to_string(Advanced()->GetTokens().size()) + " tokens");
        return true;
    });
    // The View menu's search kinds.
    for (short tag : {menutag::kBrowseSearches, menutag::kAdvancedSearches, menutag::kBasicSearches})
        steps.push_back(Choose({menutag::kView, tag}));
    // The other items of the menu bar, each closing what it opened.
    const std::vector<std::vector<short>> items = {
        {menutag::kEdit, menutag::kCopyWord},     {menutag::kEdit, menutag::kSelectAll},
        {menutag::kEdit, menutag::kCopy},         {menutag::kEdit, menutag::kPaste},
        {menutag::kView, menutag::kPreviousEntry}, {menutag::kView, menutag::kNextEntry},
        {menutag::kView, menutag::kPreviousList}, {menutag::kView, menutag::kNextList},
        {menutag::kFile, 32007},
        {menutag::kFile, menutag::kPrint, menutag::kPrintEntry},
        {menutag::kFile, menutag::kPrint, menutag::kPrintResults},
        {menutag::kGoOnline, 28}, {menutag::kGoOnline, 29}, {menutag::kGoOnline, 30},
        {menutag::kGoOnline, 31}, {menutag::kGoOnline, 33},
        {menutag::kFile, 32003},
    };
    for (const auto& item : items)
        Sweep(steps, item);
    // Print > Entry Text and Results List wrote a PDF file each, beside the table's and the
    // illustration's.
    steps.push_back([] {
        if (PrintedFiles() < 4)
            return false;
        Log("entry and results list printed");
        return true;
    });
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
        if (++script().waited < 3)
            return false;
        script().waited = 0;
        Shot("preferences_kept.png");
        Input().Click(CentreOf(Preferences()->GetCancelButton()));
        return true;
    });
    steps.push_back([] { return Preferences() == nullptr; });
    steps.push_back(Choose({menutag::kFile, 32009}));
    return steps;
}

// --- the search pages ------------------------------------------------------------------------

// Waits for done() at most 60 ticks; past that it logs what timed out and goes on.
bool WaitFor(const std::function<bool()>& done, const char* what)
{
    if (done()) {
        script().waited = 0;
        return true;
    }
    if (++script().waited < 60)
        return false;
    script().waited = 0;
    Log(std::string("timed out: ") + what);
    return true;
}

// The search pages as a user meets them: a defining-text search run by Return after typing,
// a wildcard whose first line is a heading, the Basic page's list arrows, and Delete in the
// Advanced page's token list.
std::vector<Step> SearchPagesRun()
{
    std::vector<Step> steps;
    steps.push_back([] {
        if (MainWindow() == nullptr || App().GetSplash() == nullptr)
            return false;
        Input().Click(CentreOf(App().GetSplash()->GetPicture()));
        return true;
    });
    steps.push_back([] { return App().GetSplash() == nullptr; });
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
        steps.push_back([] { return vkov_win_get_pointer_trap() == nullptr; });
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
            KQBasicWin* page = MainWindow()->GetBasicPage();
            if (page->IsPicking() || page->GetHitList()->GetCount() == 0) {
                if (++script().waited < 30)
                    return false;
                // A note ("No Entries Found!") holds the window: it is answered and said.
                Shot("note_" + text + ".png");
                Log("nothing listed for " + text);
                Input input;
                input.PointAtTopWindow();
                input.Key(XK_Return);
            }
            script().waited = 0;
            return true;
        });
    };
    chooseType(XK_Down); // "Defining text contains..."
    typeAndReturn("feline");
    steps.push_back([] {
        KQBasicWin* page = MainWindow()->GetBasicPage();
        Shot("search_df_by_return.png");
        Log("df search by Return kept " + page->GetTypedText() + (Showing("cat") ? " and shows cat" : ""));
        return true;
    });
    chooseType(XK_Up); // "Entry word is..."
    typeAndReturn("ca?");
    steps.push_back([] {
        KQBasicWin* page = MainWindow()->GetBasicPage();
        const RWOrdered* hits = page->GetHits();
        const auto* first = hits != nullptr && hits->entries() != 0 ? static_cast<const WordItem*>((*hits)[0]) : nullptr;
        Shot("search_heading.png");
        Log(std::string("first line ") + (first != nullptr && first->entry_offset() < 0 ? "a heading" : "an entry") +
            (MainWindow()->GetPainter().hasText() && Showing("cat") ? ", cat shown" : ", nothing shown"));
        return true;
    });
    // The Basic page's own list arrows, clicked: back to the "feline" list and forward again.
    for (const bool next : {false, true}) {
        steps.push_back([next] {
            Input().Click(CentreOf(MainWindow()->GetBasicPage()->GetListButton(next)));
            return true;
        });
        steps.push_back([next] {
            const std::string wanted = next ? "ca?" : "feline";
            if (!WaitFor([&wanted] { return MainWindow()->GetBasicPage()->GetTypedText() == wanted; }, "a list arrow"))
                return false;
            Shot(next ? "search_next_list.png" : "search_previous_list.png");
            Log(std::string(next ? "next" : "previous") + " list arrow showed " +
                MainWindow()->GetBasicPage()->GetTypedText());
            return true;
        });
    }
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
    static std::vector<Step> steps = script().run == 1   ? FirstRun()
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
    if (++s.ticks > 1200) {
        Log("stalled at step " + std::to_string(s.step));
        Shot("stalled.png");
        vkov_app_destroy();
        return 0;
    }
    if (s.step < Steps().size() && Steps()[s.step]())
        ++s.step;
    return 0;
}

// The program with a hidden window of the script's own, whose timer runs the steps.
class ScriptedApp : public KQedApp {
public:
    void StartUp() override
    {
        KQedApp::StartUp();
        const s_rct nowhere{0, 0, 10, 10};
        WINDOW window = vkok_win_create(W_PLAIN, &nowhere, "script", 0, NULL_WIN, 0,
                                        VKO_EVENT_MASK_ALL, ScriptHandler, 0);
        vkov_timer_create(window, 100);
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

TEST(TavlinCDX11, TheDemoDictionaryByMouseAndKeys)
{
    if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun") || vkotest::find_on_path("espeak-ng").empty())
        GTEST_SKIP() << "WordNet (wordnet-base) or espeak-ng is not installed";
    vkotest::Xvfb server;
    if (const std::string why = vkotest::start_xvfb(server); !why.empty())
        GTEST_SKIP() << why;
    const std::string scratch = vkotest::make_scratch_dir("tavlincd_e2e_");
    ASSERT_FALSE(scratch.empty());
    test_support::TempDir folder;
    // A slice of the demo: the first lemmas of WordNet and those the script uses, each with
    // what the full demo gives it (pronunciation, sound, illustration, table).
    demodict::DemoSlice slice;
    slice.first_lemmas = 100;
    slice.lemmas = {"cat", "feline", "mammal", "vertebrate", "planet", "circle"};
    demodict::DemoReport report;
    std::string error;
    ASSERT_TRUE(demodict::write_demo(kWordNet, folder.path(), &slice, {}, &report, &error)) << error;
    // The help file and its topic associations, where help looks first.
    for (const char* name : {"TavlinCD.hlp", "TavlinCD.csa"})
        std::filesystem::copy_file(std::string(TAVLIN_HELP_DIR) + "/" + name, folder.path() + "/" + name);
    const char* gallery = std::getenv("VKO_GALLERY_DIR");
    script().shots = gallery != nullptr ? gallery : scratch;
    script().log = scratch + "/script.txt";
    // The sound player the program finds on PATH keeps what it is given.
    script().player = scratch + "/player";
    std::filesystem::create_directories(script().player);
    {
        std::ofstream player(script().player + "/aplay");
        player << "#!/bin/sh\n/bin/cat > '" << script().player << "/played.wav'\n";
    }
    std::filesystem::permissions(script().player + "/aplay", std::filesystem::perms::owner_all);

    for (int run = 1; run <= 2; ++run) {
        script().run = run;
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            RunProgram(server.display(), folder.path());
        ASSERT_EQ(vkotest::wait_for(pid, 150), 0) << "run " << run << " ended by itself";
    }

    const std::vector<std::string> expected = {
        "looked up cat", "played a sound", "bookmarked cat[1]", "found mammal from the entry pop-up",
        "went back to cat from the Backward pop-up", "went forward to mammal from the Forward pop-up",
        "opened vertebrate in a new window",
        "table shown", "table printed", "illustration shown", "illustration printed",
        "moved cat[1] into pets", "colours in results 1",
        "about shown", "help_contents shown", "help_search shown", "help_f1 shown",
        "help_object_click shown", "window menu", "next window", "history went to cat",
        "advanced query found cat[1] for 3 tokens",
        // Edit, View, File > Print, Go Online, File > Close, Edit > Clear.
        "chose 9", "chose 32031", "chose 8", "chose 10", "chose 14", "chose 15", "chose 16",
        "chose 17", "chose 32007", "chose 3", "chose 4", "chose 28", "chose 29", "chose 30",
        "chose 31", "chose 33", "chose 32003", "entry and results list printed", "view and edit items chosen",
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

TEST(TavlinCDX11, TheSearchPagesAsAUserMeetsThem)
{
    if (!std::filesystem::exists(std::string(kWordNet) + "/index.noun"))
        GTEST_SKIP() << "WordNet (wordnet-base) is not installed";
    vkotest::Xvfb server;
    if (const std::string why = vkotest::start_xvfb(server); !why.empty())
        GTEST_SKIP() << why;
    const std::string scratch = vkotest::make_scratch_dir("tavlincd_search_e2e_");
    ASSERT_FALSE(scratch.empty());
    test_support::TempDir folder;
    demodict::DemoSlice slice;
    slice.first_lemmas = 100;
    slice.lemmas = {"cat", "feline", "mammal"};
    demodict::DemoReport report;
    std::string error;
    ASSERT_TRUE(demodict::write_demo(kWordNet, folder.path(), &slice, {}, &report, &error)) << error;
    const char* gallery = std::getenv("VKO_GALLERY_DIR");
    script().shots = gallery != nullptr ? gallery : scratch;
    script().log = scratch + "/script.txt";
    script().player = scratch;
    script().run = 3;
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0)
        RunProgram(server.display(), folder.path());
    ASSERT_EQ(vkotest::wait_for(pid, 150), 0) << "the run ended by itself";
    EXPECT_EQ(vkotest::read_lines(script().log), (std::vector<std::string>{
                  "df search by Return kept feline and shows cat",
                  "first line a heading, cat shown",
                  "previous list arrow showed feline",
                  "next list arrow showed ca?",
                  "Delete left &",
              }));
}

} // namespace
