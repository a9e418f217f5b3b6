// tavlincd_x11_test.cpp: TavlinCD end to end on a private Xvfb, with real input from the
// XTest extension, on a small dictionary written at test time. A script inside the program
// (one step per timer tick, each waiting for the effect of the one before) clicks and types
// as a user would: it closes the splash window by a click, looks a word up, adds a bookmark
// from the Bookmarks menu, makes a folder in the organiser and drags the bookmark into it,
// has the preferences' colours used in result lists too, opens About, a second window and
// the Window menu, chooses the Edit, View, File, Print and Go Online items (closing what
// they open), and quits with File > Exit. A second run finds the bookmark in its folder and
// the preference kept, and opens the bookmark from the menu. Screenshots of each step go to
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
#include "app/shell/kq_factory.h"
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
#include "frm/controls/ctreevw.h"
#include "frm/controls/nctrls.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/csubmenu.h"
#include "vkobase/display_debug.h"
#include "../../platform/vkobase/xvfb_test_support.h"
#include "../support/tavlin_fixture.h"
#include "../support/png_bytes.h"

#include <cairo.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

struct Script {
    std::string log;
    std::string shots;
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
    for (int v = 2; v < client.bottom; v += 3)
        for (int h = 2; h < client.right; h += 3)
            if (auto hit = window->GetPainter().SoundHit(static_cast<float>(h), static_cast<float>(v));
                hit != nullptr && std::string(hit->data()) == text) {
                s_pnt point{static_cast<std::int16_t>(v), static_cast<std::int16_t>(h)};
                vkok_vobj_translate_points(pane->PaneWindow(),
                                           reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW)),
                                           &point, 1);
                return point;
            }
    return s_pnt{-1, -1};
}

TableWin* Table()
{
    auto* document = dynamic_cast<RefDoc*>(FrontWindow() != nullptr ? FrontWindow()->GetDocument() : nullptr);
    for (int i = 0; document != nullptr && i < document->GetNumWindows(); ++i)
        if (auto* table = dynamic_cast<TableWin*>(static_cast<FRM_CWindow*>(document->GetWindows()[i])))
            return table;
    return nullptr;
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
    // Look "cat" up by typing it into the search field.
    steps.push_back([] {
        Input().Click(CentreOf(SearchField()));
        return true;
    });
    steps.push_back([] {
        Input().Type("cat");
        return true;
    });
    steps.push_back([] {
        Input().Click(CentreOf(PageButton("Search")));
        return true;
    });
    steps.push_back([] {
        const EntryRecord* shown = MainWindow()->GetHistories().entries.Current();
        if (shown == nullptr || shown->word != "cat")
            return false;
        Shot("cat.png");
        Log("looked up cat");
        return true;
    });
    // Bookmarks > Add Bookmark > Main Level.
    steps.push_back(Choose({menutag::kBookmarks, menutag::kAddBookmark, bookmarktag::kMainLevel}, [] {
        if (App().GetBookmarks().TopLevel().size() != 1)
            return false;
        Log("bookmarked " + App().GetBookmarks().TopLevel()[0]->name);
        return true;
    }));
    // "grid" has a table: a click on its mark opens it; Print > Table prints it.
    steps.push_back([] {
        Input input;
        input.Click(CentreOf(SearchField()));
        return true;
    });
    steps.push_back([] {
        Input input;
        for (int i = 0; i < 3; ++i)
            input.Key(XK_BackSpace);
        input.Type("grid");
        return true;
    });
    steps.push_back([] {
        Input().Click(CentreOf(PageButton("Search")));
        return true;
    });
    steps.push_back([] {
        const EntryRecord* shown = FrontWindow()->GetHistories().entries.Current();
        if (shown == nullptr || shown->word != "grid")
            return false;
        const s_pnt mark = MarkOnScreen(";TABLE");
        if (mark.h < 0)
            return false;
        Input input;  // a double click on the mark
        input.Click(mark);
        input.Click(mark);
        return true;
    });
    steps.push_back([] {
        if (Table() == nullptr || Table()->GetPicture() == nullptr)
            return false;
        Shot("table.png");
        Log("table shown");
        return true;
    });
    {
        auto walk = std::make_shared<MenuWalk>();
        walk->path = {menutag::kFile, menutag::kPrint, menutag::kPrintTable};
        steps.push_back([walk] { return Table() != nullptr && walk->Tick(Table()); });
    }
    steps.push_back([] {
        for (const auto& file : std::filesystem::directory_iterator("."))
            if (file.path().extension() == ".pdf" && file.file_size() > 0) {
                Log("table printed");
                return true;
            }
        return false;
    });
    {
        auto walk = std::make_shared<MenuWalk>();
        walk->path = {menutag::kFile, 32003};
        steps.push_back([walk] { return Table() == nullptr || walk->Tick(Table()); });
    }
    steps.push_back([] { return Table() == nullptr; });
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
    // Edit > Preferences...: a change applied, then Cancel (nothing left to save).
    steps.push_back(Choose({menutag::kEdit, menutag::kPreferences}, [] { return Preferences() != nullptr; }));
    steps.push_back([] {
        // "Also use in Search Results" (the text size's drop-down list is left alone: its
        // pop-up takes no input while the modal preferences window runs).
        auto* page = static_cast<AppearancePage*>(Preferences()->GetPage(PrefWin::kAppearance));
        Input().Click(OnScreen(page->GetInResults(), 8, 12));
        return true;
    });
    steps.push_back([] {
        FRM_NButton* apply = Preferences()->GetApplyButton();
        if (!apply->IsEnabled())
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
        // Applied: OK and Apply wait for the next change; Cancel closes.
        if (Preferences()->GetOkButton()->IsEnabled())
            return false;
        Input().Click(CentreOf(Preferences()->GetCancelButton()));
        return true;
    });
    steps.push_back([] { return Preferences() == nullptr; });
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
    // File > New Window, then the Window menu's first window.
    steps.push_back(Choose({menutag::kFile, menutag::kNewWindow}, [] { return App().GetWindowList().size() == 2; }));
    steps.push_back(Choose({menutag::kWindow, static_cast<short>(KQedApp::kWindowItemBase + 1)}, [] {
        if (App().GetCurrentWindow() != 0)
            return false;
        Shot("two_windows.png");
        Log("window menu");
        return true;
    }));
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
        const EntryRecord* shown = MainWindow()->GetHistories().entries.Current();
        if (HistoryWindow() != nullptr || shown == nullptr || shown->word != "cat")
            return false;
        Log("history went to cat");
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
        {menutag::kFile, menutag::kPrint, menutag::kPrintEntry},
        {menutag::kFile, menutag::kPrint, menutag::kPrintResults},
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
        const EntryRecord* shown = MainWindow()->GetHistories().entries.Current();
        if (shown == nullptr || shown->word != "cat")
            return false;
        Shot("bookmark_opened.png");
        Log("opened the bookmark");
        return true;
    });
    steps.push_back(Choose({menutag::kFile, 32009}));
    return steps;
}

std::vector<Step>& Steps()
{
    static std::vector<Step> steps = script().run == 1 ? FirstRun() : SecondRun();
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
        // No browser to start: Go Online says so instead.
        setenv("PATH", "/nonexistent", 1);
        application.Go(1, argv, 1, 0, "TavlinCD", "TavlinCD", "Dorvane-Kestle");
    }
    _exit(0);
}

// The animals of the shell's tests and "grid", whose entry has a table, and the table set.
void WriteAlpha(const std::string& dir)
{
    const auto write = [](const std::string& path, dictwriter::DictionarySource source) {
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(source, path, nullptr, &error)) << error;
    };
    dictwriter::DictionarySource main;
    main.key_tables = {"sc"};
    auto add = [&](const std::string& head, const std::string& fields) {
        dictwriter::SourceEntry entry;
        entry.head_word = head;
        entry.fields = fields;
        entry.terms.push_back({"va", head});
        main.entries.push_back(entry);
    };
    for (const tavlintest::Word& w : tavlintest::Animals())
        add(w.head, dictwriter::encode_field_stream({{tavlintest::kMainWord, w.head}, {tavlintest::kDefinition, w.definition}}));
    add("grid", dictwriter::encode_field_stream({{tavlintest::kMainWord, "grid"}, {0x81, "table/grid;A grid"}}));
    write(dir + "alpha", main);
    dictwriter::DictionarySource tables;
    tables.block_text_bytes = 1;
    tables.entries.push_back({"grid", tavlintest::PngBytes(240, 160), {}, {}});
    write(dir + "tables", tables);
}

TEST(TavlinCDX11, BookmarksPreferencesAndWindowsByMouseAndKeys)
{
    vkotest::Xvfb server;
    if (const std::string why = vkotest::start_xvfb(server); !why.empty())
        GTEST_SKIP() << why;
    const std::string scratch = vkotest::make_scratch_dir("tavlincd_e2e_");
    ASSERT_FALSE(scratch.empty());
    test_support::TempDir folder;
    std::filesystem::create_directories(folder.path() + "/data");
    WriteAlpha(folder.path() + "/data/");
    folder.write("a.dct", "ref_name=Alpha\nbase_dir=data/\nbase_name=alpha\n"
                          "table_dir=data/\ntable_name=tables\n"
                          "search_text=Entry word is...,va\nsearch_text=Defining text contains...,df\n"
                          "main_entry=Entry:,N\ntext_entry=Senses:,N\nart_entry=Table:,N\n");
    const char* gallery = std::getenv("VKO_GALLERY_DIR");
    script().shots = gallery != nullptr ? gallery : scratch;
    script().log = scratch + "/script.txt";

    for (int run = 1; run <= 2; ++run) {
        script().run = run;
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            RunProgram(server.display(), folder.path());
        ASSERT_EQ(vkotest::wait_for(pid, 150), 0) << "run " << run << " ended by itself";
    }

    const std::vector<std::string> expected = {
        "looked up cat", "bookmarked cat", "table shown", "table printed", "moved cat into pets", "colours in results 1",
        "about shown", "window menu", "history went to cat",
        // Edit, View, File > Print, Go Online, File > Close, Edit > Clear.
        "chose 9", "chose 32031", "chose 8", "chose 10", "chose 14", "chose 15", "chose 16",
        "chose 17", "chose 3", "chose 4", "chose 28", "chose 29", "chose 30",
        "chose 31", "chose 33", "chose 32003", "view and edit items chosen",
        "kept cat in pets", "colours in results kept 1", "opened the bookmark",
    };
    EXPECT_EQ(vkotest::read_lines(script().log), expected);
    EXPECT_EQ(Read(folder.path() + "/BookMark.kq"), "<>:pets:<>\nAlpha:pets:cat\n");

}

} // namespace
