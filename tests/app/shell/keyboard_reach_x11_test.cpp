// keyboard_reach_x11_test.cpp: TavlinCD worked without a mouse. The program runs on a private
// Xvfb on a slice of the demo dictionary; keys go in through XTest and the test reads what the
// user has of them: the pixels of the windows, the text on the clipboard, the bookmark and
// preference files on disk. Each step waits for what the key brings (a drawing, a window, a
// file) before the next key goes in.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "onscreen_program.h"
#include "tests/support/user_view.h"

namespace {

using onscreen::Damage;
using onscreen::Session;

// Seconds (scaled) for what a key brings: a window, a file, a drawing outside the main window.
constexpr double kWait = 60;

using Picture = std::vector<unsigned long>;
// The white background where the entry pane shows it selected: blue.
constexpr unsigned long kSelectedWhite = 0x3F3FC0;

// The pixels of an area of a window, row by row; empty when the window cannot be read.
Picture Pixels(Display* dpy, Window window, const XRectangle& area)
{
    Picture out;
    XImage* image = XGetImage(dpy, window, area.x, area.y, area.width, area.height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return out;
    out.reserve(static_cast<std::size_t>(area.width) * area.height);
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x)
            out.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return out;
}

XRectangle Whole(Display* dpy, Window window)
{
    XWindowAttributes a{};
    if (XGetWindowAttributes(dpy, window, &a) == 0)
        return XRectangle{};
    return XRectangle{0, 0, static_cast<unsigned short>(a.width), static_cast<unsigned short>(a.height)};
}

// A key pressed with a modifier held (Shift_L, Control_L, Alt_L).
void KeyWith(Session& s, KeySym modifier, KeySym sym)
{
    const KeyCode held = XKeysymToKeycode(s.dpy, modifier);
    XTestFakeKeyEvent(s.dpy, held, True, CurrentTime);
    s.Key(sym);
    XTestFakeKeyEvent(s.dpy, held, False, CurrentTime);
    XFlush(s.dpy);
}

// Presses a key and waits until what it draws in area of window (the main window unless
// given, which the session watches; another window must be watched with XDamageCreate) has
// settled; the picture of area then, empty when the key drew nothing there.
Picture AfterKey(Session& s, const XRectangle& area, const std::function<void()>& press,
                 Window window = 0)
{
    const double pressed = onscreen::Now();
    press();
    s.Settle(0, 0.2, [&](const std::vector<Damage>& drawn) { return onscreen::LastDrawn(drawn, area) > pressed; });
    return s.timedOut ? Picture{} : Pixels(s.dpy, window != 0 ? window : s.main, area);
}

// Looks a word up as a user does: typed, then Return; false when its entry was not shown.
bool LookUp(Session& s, const std::string& word)
{
    if (!s.Type(word))
        return false;
    const double returned = onscreen::Now();
    s.Key(XK_Return);
    s.Settle(0, 0.3, [&](const std::vector<Damage>& drawn) {
        const double ended = s.SearchEnded(returned);
        return ended > 0 && onscreen::LastDrawn(drawn, s.entryPane) > ended;
    });
    return !s.timedOut;
}

// The shown top-level window whose title begins with title, 0 when none does.
Window Named(Session& s, const std::string& title)
{
    for (const auto& [window, name] : s.TopWindows())
        if (name.compare(0, title.size(), title) == 0)
            return window;
    return 0;
}

// Whether the server gives the keys to window (or to a window inside it).
bool HasKeys(Session& s, Window window)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(s.dpy, &focus, &revert);
    while (focus > PointerRoot && focus != window) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(s.dpy, focus, &root, &parent, &children, &count) == 0)
            return false;
        if (children != nullptr)
            XFree(children);
        focus = parent == root ? 0 : parent;
    }
    return focus == window;
}

// Waits for a window of that title that has the keys; 0 when none came.
Window OpenedWithKeys(Session& s, const std::string& title)
{
    Window opened = 0;
    vkotest::wait_until([&] {
        opened = Named(s, title);
        return opened != 0 && HasKeys(s, opened);
    }, kWait);
    return opened != 0 && HasKeys(s, opened) ? opened : 0;
}

// Waits until the area of window shows a picture that passes, and gives it (empty when none
// came).
Picture WaitForPicture(Session& s, Window window, const XRectangle& area,
                       const std::function<bool(const Picture&)>& wanted)
{
    Picture now;
    const bool came = vkotest::wait_until([&] {
        now = Pixels(s.dpy, window, area);
        return !now.empty() && wanted(now);
    }, kWait);
    return came ? now : Picture{};
}

// Presses a key of a window and waits until the window shows something else; false when it
// never did.
bool KeyRedraws(Session& s, Window window, const std::function<void()>& press)
{
    const XRectangle whole = Whole(s.dpy, window);
    const Picture before = Pixels(s.dpy, window, whole);
    press();
    return !WaitForPicture(s, window, whole, [&](const Picture& now) { return now != before; }).empty();
}

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text on the clipboard of the session's server, read by xclip while the program answers
// for it.
std::string ClipboardText(Session& s, const std::string& xclip)
{
    setenv("DISPLAY", s.server.display().c_str(), 1);
    test_support::ClipboardRead read;
    std::string text;
    if (!read.Start(xclip, s.folder + "/clipboard.txt"))
        return text;
    vkotest::wait_until([&] { return read.Done(&text); }, kWait);
    return text;
}

// Tab from the field until the entry pane takes the keys: its picture changes, though
// nothing in it scrolled. The pane's picture then; empty when Tab never reached it.
Picture TabToTheEntryPane(Session& s)
{
    const Picture unfocused = Pixels(s.dpy, s.main, s.entryPane);
    for (int i = 0; i < 15; ++i) {
        AfterKey(s, Whole(s.dpy, s.main), [&] { s.Key(XK_Tab); });
        const Picture shown = Pixels(s.dpy, s.main, s.entryPane);
        if (shown != unfocused)
            return shown;
    }
    return Picture{};
}

// One way round window from where its keys are (go), until a picture comes again, then the
// other way (back): back goes through the stops go went through, in reverse, at least fewest
// of them. Each stop is known by the window's picture while it has the keys. (The first
// round may differ from the later ones where something unrelated is drawn late: the round is
// the one that repeats.)
void ExpectTheRoundRetraced(Session& s, Window window, std::size_t fewest, const char* goName,
                            const std::function<void()>& go, const char* backName,
                            const std::function<void()>& back)
{
    const XRectangle whole = Whole(s.dpy, window);
    std::vector<Picture> forward;
    std::size_t first = 0;
    constexpr std::size_t kMostStops = 40;
    for (bool round = false; !round && forward.size() < kMostStops;) {
        const Picture shown = AfterKey(s, whole, go, window);
        ASSERT_FALSE(shown.empty()) << goName << " " << forward.size() + 1 << " drew nothing";
        for (first = 0; first < forward.size() && !round; ++first)
            round = forward[first] == shown;
        if (round)
            --first;
        else
            forward.push_back(shown);
    }
    ASSERT_LT(forward.size(), kMostStops) << goName << " never came round";
    const std::vector<Picture> stops(forward.begin() + static_cast<std::ptrdiff_t>(first), forward.end());
    ASSERT_GE(stops.size(), fewest) << goName << " came round too soon";

    // The keys are on the round's first stop again: back goes to its last, and back round.
    const std::size_t count = stops.size();
    for (std::size_t k = 1; k <= count; ++k) {
        const std::size_t expected = count - k;
        const Picture shown = AfterKey(s, whole, back, window);
        ASSERT_FALSE(shown.empty()) << backName << " " << k << " drew nothing";
        if (shown == stops[expected])
            continue;
        std::size_t reached = 0;
        while (reached < count && !(stops[reached] == shown))
            ++reached;
        FAIL() << backName << " " << k << " of " << count << " reached "
               << (reached < count ? "stop " + std::to_string(reached + 1)
                                   : std::string("no stop of the round"))
               << " instead of stop " << expected + 1;
    }
}

// Shift+Tab in the main window goes through the stops Tab goes through, backward: the
// search page's controls, the entry pane, the reference selector and the page tabs.
TEST(KeyboardReachX11, ShiftTabVisitsTheStopsOfTabInReverse)
{
    Session s({"cat"});
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    ASSERT_TRUE(LookUp(s, "cat")) << "cat was not shown";
    // The page's controls, the pane, the selector and the tabs.
    ExpectTheRoundRetraced(
        s, s.main, 8, "Tab", [&] { s.Key(XK_Tab); }, "Shift+Tab",
        [&] { KeyWith(s, XK_Shift_L, XK_Tab); });
}

// Preferences: its tab strip stands in the window's Tab order and in its notebook's. From a
// fresh window, Shift+Tab goes round the buttons, the page's fields and the strip and comes
// back, the keys staying in the window; Tab retraces the round.
void ExpectPreferencesShiftTabRound(Session::Manager manager)
{
    Session s({"cat"}, {}, manager);
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    KeyWith(s, XK_Alt_L, XK_e);
    s.Key(XK_r);
    const Window preferences = OpenedWithKeys(s, "Preferences");
    ASSERT_NE(preferences, 0u) << "Preferences did not open with the keys";
    XDamageCreate(s.dpy, preferences, XDamageReportRawRectangles);
    // Cancel, the Appearance page's Restore Defaults, check box, text size and two colour
    // buttons, and the strip (OK and Apply wait for a change).
    ExpectTheRoundRetraced(
        s, preferences, 7, "Shift+Tab", [&] { KeyWith(s, XK_Shift_L, XK_Tab); }, "Tab",
        [&] { s.Key(XK_Tab); });
    EXPECT_TRUE(HasKeys(s, preferences)) << "the keys stayed in Preferences";
}

TEST(KeyboardReachX11, PreferencesShiftTabGoesRoundWithoutAWindowManager)
{
    ExpectPreferencesShiftTabRound(Session::Manager::kNone);
}

TEST(KeyboardReachX11, PreferencesShiftTabGoesRoundUnderOpenbox)
{
    ExpectPreferencesShiftTabRound(Session::Manager::kOpenbox);
}

// The entry pane is a stop of the Tab order, framed while it has the keys; the arrows, Page
// Up and Down, Home and End scroll it, and Shift with an arrow selects its text for Ctrl+C.
TEST(KeyboardReachX11, TheEntryPaneReadsAndCopiesByKeys)
{
    Session s({"cat", "circle"});
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    const std::string xclip = vkotest::find_on_path("xclip");
    if (xclip.empty())
        GTEST_SKIP() << "xclip is not installed";
    ASSERT_TRUE(LookUp(s, "circle")) << "circle was not shown";
    const XRectangle pane = s.entryPane;
    const Picture unfocused = Pixels(s.dpy, s.main, pane);
    const Picture focused = TabToTheEntryPane(s);
    ASSERT_FALSE(focused.empty()) << "Tab never reached the entry pane";
    // The frame runs along the pane's left edge, beside the text's margin.
    const auto column = [&](const Picture& p, int x) {
        Picture out;
        for (int y = 0; y < pane.height; ++y)
            out.push_back(p[static_cast<std::size_t>(y) * pane.width + static_cast<std::size_t>(x)]);
        return out;
    };
    EXPECT_NE(column(focused, 1), column(unfocused, 1)) << "a frame along the pane's edge shows it has the keys";

    // Scrolled down a line at a time and back up, the pane shows what it showed, frame and all.
    struct Move {
        KeySym key;
        bool backToTop; // the pane then shows the entry's start as when it took the keys
        const char* why;
    };
    const Move moves[] = {
        {XK_Down, false, "Down scrolls a line"},   {XK_Down, false, "Down scrolls a line"},
        {XK_Down, false, "Down scrolls a line"},   {XK_Up, false, "Up scrolls a line back"},
        {XK_Up, false, "Up scrolls a line back"},  {XK_Up, true, "Up comes back to the top"},
        {XK_Next, false, "Page Down scrolls a page"}, {XK_End, false, "End shows the end"},
        {XK_Home, true, "Home shows the start"},
    };
    Picture before = focused;
    for (const Move& move : moves) {
        SCOPED_TRACE(move.why);
        const Picture shown = AfterKey(s, pane, [&] { s.Key(move.key); });
        ASSERT_FALSE(shown.empty()) << "the pane was not drawn";
        EXPECT_NE(shown, before) << "the text moved";
        if (move.backToTop) {
            EXPECT_TRUE(shown == focused) << "the pane as it was, without traces of the frame";
        }
        before = shown;
    }

    // Shift+Down: the first run in sight, then on down to the next line of text; Ctrl+C
    // copies what is selected.
    for (int i = 0; i < 2; ++i) {
        const Picture shown = AfterKey(s, pane, [&] { KeyWith(s, XK_Shift_L, XK_Down); });
        ASSERT_FALSE(shown.empty()) << "Shift+Down drew no selection";
        EXPECT_NE(shown, before) << "the selection grew";
        before = shown;
    }
    // Shift+End: the selection reaches its line's end and stays in sight, as a text view's
    // caret does: the pane does not move (its top line shows as it did) and more of it shows
    // selected.
    const Picture ended = AfterKey(s, pane, [&] { KeyWith(s, XK_Shift_L, XK_End); });
    ASSERT_FALSE(ended.empty()) << "Shift+End drew no selection";
    const std::size_t topRows = static_cast<std::size_t>(pane.width) * 45;
    EXPECT_TRUE(std::equal(ended.begin(), ended.begin() + static_cast<long>(topRows), before.begin()))
        << "the pane stays where the selection is";
    const auto selected = [](const Picture& p) { return std::count(p.begin(), p.end(), kSelectedWhite); };
    EXPECT_GT(selected(ended), selected(before)) << "the selection grew in sight";

    KeyWith(s, XK_Control_L, XK_c);
    std::string copied;
    vkotest::wait_until([&] {
        copied = ClipboardText(s, xclip);
        return !copied.empty();
    }, kWait);
    // The entry's first line ("Entry:", the word) and the start of the next line of text.
    EXPECT_EQ(copied.compare(0, 13, "Entry:\tcircle"), 0) << "copied: \"" << copied << "\"";
    EXPECT_NE(copied.find_first_not_of("\n", copied.find('\n')), std::string::npos)
        << "the next line's text copied too: \"" << copied << "\"";
}

// Page Down and Page Up in the entry pane turn a long entry's pages as a reader expects: after
// two pages down, Page Up shows the first page down again, not a line less; End shows the
// entry's end and Home its start.
TEST(KeyboardReachX11, TheEntryPaneTurnsALongEntrysPages)
{
    Session s({"head"});
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    ASSERT_TRUE(LookUp(s, "head")) << "head was not shown";
    const Picture start = TabToTheEntryPane(s);
    ASSERT_FALSE(start.empty()) << "Tab never reached the entry pane";
    const auto press = [&](KeySym key) { return AfterKey(s, s.entryPane, [&] { s.Key(key); }); };
    const Picture firstPage = press(XK_Next);
    ASSERT_FALSE(firstPage.empty()) << "Page Down drew nothing";
    EXPECT_NE(firstPage, start) << "Page Down turns a page";
    const Picture secondPage = press(XK_Next);
    ASSERT_FALSE(secondPage.empty()) << "Page Down again drew nothing";
    EXPECT_NE(secondPage, firstPage) << "Page Down again turns another page";
    const Picture back = press(XK_Prior);
    ASSERT_FALSE(back.empty()) << "Page Up drew nothing";
    EXPECT_TRUE(back == firstPage) << "Page Up shows the first page down again";
    const Picture end = press(XK_End);
    ASSERT_FALSE(end.empty()) << "End drew nothing";
    EXPECT_NE(end, firstPage) << "End shows the entry's end";
    EXPECT_NE(end, secondPage) << "End shows the entry's end, past the second page";
    const Picture home = press(XK_Home);
    ASSERT_FALSE(home.empty()) << "Home drew nothing";
    EXPECT_TRUE(home == start) << "Home shows the entry's start as it was";
}

// Organize Bookmarks: the tree has the keys first; the arrows mark a bookmark, Delete deletes
// it from the file, and Return opens the one marked, closing the organiser.
TEST(KeyboardReachX11, TheBookmarkTreeTakesTheKeys)
{
    const std::string reference = demodict::kDemoReferenceName;
    Session s({"cat", "dog"}, [&](const std::string& folder) {
        std::ofstream(folder + "/BookMark.kq") << reference << ":<>:cat[1]\n" << reference << ":<>:dog[1]\n";
    });
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    const std::string file = s.folder + "/BookMark.kq";
    KeyWith(s, XK_Alt_L, XK_b);
    s.Key(XK_o);
    const Window organiser = OpenedWithKeys(s, "Organize Bookmarks");
    ASSERT_NE(organiser, 0u) << "Organize Bookmarks did not open with the keys";

    ASSERT_TRUE(KeyRedraws(s, organiser, [&] { s.Key(XK_Down); })) << "Down marked no bookmark";
    s.Key(XK_Delete);
    std::string kept;
    vkotest::wait_until([&] {
        kept = Read(file);
        return kept.find("cat[1]") == std::string::npos;
    }, kWait);
    EXPECT_EQ(kept.find("cat[1]"), std::string::npos) << "Down and Delete deleted the first bookmark: " << kept;
    EXPECT_NE(kept.find("dog[1]"), std::string::npos) << "and only that: " << kept;

    const double pressed = onscreen::Now();
    s.Key(XK_Down);
    s.Key(XK_Return);
    EXPECT_TRUE(vkotest::wait_until([&] { return Named(s, "Organize Bookmarks") == 0; }, kWait))
        << "Return on a bookmark closes the organiser";
    s.Settle(0, 0.3, [&](const std::vector<Damage>& drawn) { return onscreen::LastDrawn(drawn, s.entryPane) > pressed; });
    EXPECT_FALSE(s.timedOut) << "the bookmark's entry was shown";
}

// Preferences: Tab goes through the buttons as they are drawn, OK, Apply, Cancel; Apply
// reached from OK keeps the change and leaves the window open.
TEST(KeyboardReachX11, PreferencesTabFollowsTheButtonsAsDrawn)
{
    Session s({"cat"}, [](const std::string& folder) { std::ofstream(folder + "/Pref.kq") << "font_size=18\n"; });
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    const std::string file = s.folder + "/Pref.kq";
    KeyWith(s, XK_Alt_L, XK_e);
    s.Key(XK_r);
    const Window preferences = OpenedWithKeys(s, "Preferences");
    ASSERT_NE(preferences, 0u) << "Preferences did not open with the keys";
    // The keys start on Cancel (OK and Apply wait for a change); Shift+Tab goes round to the
    // page's last control, "Restore Defaults", and Space restores them: a change.
    ASSERT_TRUE(KeyRedraws(s, preferences, [&] { KeyWith(s, XK_Shift_L, XK_Tab); })) << "Shift+Tab from Cancel";
    ASSERT_TRUE(KeyRedraws(s, preferences, [&] { s.Key(XK_space); })) << "Space on Restore Defaults";
    // Tab from there comes round to OK, and the next to Apply beside it.
    ASSERT_TRUE(KeyRedraws(s, preferences, [&] { s.Key(XK_Tab); })) << "Tab to OK";
    ASSERT_TRUE(KeyRedraws(s, preferences, [&] { s.Key(XK_Tab); })) << "Tab on from OK";
    s.Key(XK_space);
    std::string written;
    vkotest::wait_until([&] {
        written = Read(file);
        return written.find("font_size=18") == std::string::npos;
    }, kWait);
    EXPECT_NE(written.find("font_size="), std::string::npos) << "Apply wrote the preferences: " << written;
    EXPECT_EQ(written.find("font_size=18"), std::string::npos) << "with the defaults restored: " << written;
    EXPECT_NE(Named(s, "Preferences"), 0u) << "Apply leaves the window open";
}

// Waits until the area of window shows a picture other than before, and gives it once two
// reads in a row agree (a drawing half done is not taken); empty when none came.
Picture WaitForChange(Session& s, Window window, const XRectangle& area, const Picture& before)
{
    Picture last;
    Picture now;
    const bool came = vkotest::wait_until([&] {
        last = now;
        now = Pixels(s.dpy, window, area);
        return !now.empty() && now != before && now == last;
    }, kWait);
    return came ? now : Picture{};
}

// The help viewer: Tab and Shift+Tab walk its buttons (Back greyed on the first page), then
// the page's links, each framed in turn, round both ends; Return presses the one framed.
TEST(KeyboardReachX11, TheHelpViewersButtonsTakeTheKeys)
{
    Session s({"cat"}, [](const std::string& folder) {
        for (const char* name : {"TavlinCD.hlp", "TavlinCD.csa"})
            std::filesystem::copy_file(std::string(TAVLIN_HELP_DIR) + "/" + name, folder + "/" + name);
    });
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    s.Key(XK_F1);
    Window viewer = 0;
    vkotest::wait_until([&] { return (viewer = Named(s, "Help")) != 0; }, kWait);
    ASSERT_NE(viewer, 0u) << "F1 opened no help";
    const XRectangle whole = Whole(s.dpy, viewer);
    const Picture unframed = WaitForPicture(s, viewer, whole, [](const Picture&) { return true; });
    ASSERT_FALSE(unframed.empty());
    // Tab from the start: Contents, Search, Close, then the links of the page, until it comes
    // round to Contents again.
    constexpr std::size_t kMostStops = 20;
    std::vector<Picture> stops;
    Picture before = unframed;
    while (stops.size() < kMostStops) {
        s.Key(XK_Tab);
        const Picture shown = WaitForChange(s, viewer, whole, before);
        ASSERT_FALSE(shown.empty()) << "Tab " << stops.size() + 1 << " framed nothing new";
        ASSERT_NE(shown, unframed) << "Tab " << stops.size() + 1 << " framed nothing";
        if (!stops.empty() && shown == stops.front())
            break;
        stops.push_back(shown);
        before = shown;
    }
    ASSERT_LT(stops.size(), kMostStops) << "Tab from the last stop never came round to Contents";
    ASSERT_GT(stops.size(), 3u) << "the main window's topic has links after the three buttons";
    // On Contents, the first stop: Shift+Tab goes round to the last, and on back to Close.
    KeyWith(s, XK_Shift_L, XK_Tab);
    const Picture last = WaitForChange(s, viewer, whole, stops.front());
    EXPECT_EQ(last, stops.back()) << "Shift+Tab from Contents frames the page's last link";
    before = last;
    for (std::size_t k = stops.size() - 1; k-- > 2;) {
        KeyWith(s, XK_Shift_L, XK_Tab);
        before = WaitForChange(s, viewer, whole, before);
        ASSERT_EQ(before, stops[k]) << "Shift+Tab frames stop " << k + 1 << " of " << stops.size();
    }
    KeyWith(s, XK_Shift_L, XK_Tab);
    EXPECT_EQ(WaitForChange(s, viewer, whole, before), stops[1]) << "Shift+Tab frames Search again";
    s.Key(XK_Tab);
    EXPECT_EQ(WaitForChange(s, viewer, whole, stops[1]), stops[2]) << "Tab frames Close again";
    s.Key(XK_Return);
    EXPECT_TRUE(vkotest::wait_until([&] { return Named(s, "Help") == 0; }, kWait)) << "Return on Close closes the help";
}

} // namespace
