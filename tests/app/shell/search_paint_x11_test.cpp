// search_paint_x11_test.cpp: a search by Return draws the main window once, and only where it
// changed. TavlinCD runs on a private Xvfb on a slice of the demo dictionary; a word is typed
// and Return pressed through XTest, and what the server draws into the main window is watched
// through the Damage extension: the entry pane is drawn, each of its pixels once; nothing is
// drawn above it (the menu bar, the tool bar, the tabs), which a search does not change; what
// is drawn in all is less than the window; and what the program drew went to the display in
// one copy.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "onscreen_program.h"

namespace {

using onscreen::Damage;

double Area(const XRectangle& r) { return static_cast<double>(r.width) * r.height; }

// The part of a that lies in b.
double Overlap(const XRectangle& a, const XRectangle& b)
{
    const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    return right > left && bottom > top ? static_cast<double>(right - left) * (bottom - top) : 0;
}

TEST(SearchPaintX11, ReturnDrawsTheMainWindowOnceAndOnlyWhereItChanged)
{
    onscreen::Session s({"cat", "dog"});
    if (s.missing)
        GTEST_SKIP() << s.why;
    ASSERT_EQ(s.why, "");
    // The third search of three: the list arrows change too; the tool bar's back button
    // was enabled by the second search and stays so. Each step waits for what it draws.
    const std::vector<std::string> before = {"cat", "dog"};
    for (const std::string& word : before) {
        ASSERT_TRUE(s.Type(word)) << "the field did not show " << word;
        const double returned = onscreen::Now();
        s.Key(XK_Return);
        s.Settle(0, 0.3, [&](const std::vector<Damage>& so_far) {
            const double ended = s.SearchEnded(returned);
            return ended > 0 && onscreen::LastDrawn(so_far, s.entryPane) > ended;
        });
        ASSERT_FALSE(s.timedOut) << "the search for " << word << " was not shown";
        const double escaped = onscreen::Now();
        s.Key(XK_Escape); // clears and brings the keys back to the field
        s.Settle(0, 0.3, [&](const std::vector<Damage>& so_far) {
            return onscreen::LastDrawn(so_far, s.entryPane) > escaped;
        });
        ASSERT_FALSE(s.timedOut) << "Escape did not clear the entry pane";
    }
    ASSERT_TRUE(s.Type("cat")) << "the field did not show cat";
    s.Settle(0, 0.3);

    // What was drawn before is set aside; what follows Return is the search's.
    s.Sync();
    s.heard.clear();
    const double pressed = onscreen::Now();
    s.Key(XK_Return);
    double searched = 0;
    // Done once the search ended and the pane was drawn after it, then a quiet moment: what
    // the check measures is that nothing more is drawn.
    const std::vector<Damage> drawn = s.Settle(0.15, 0.3, [&](const std::vector<Damage>& so_far) {
        searched = s.SearchEnded(pressed);
        return searched > 0 && onscreen::LastDrawn(so_far, s.entryPane) > searched;
    });
    ASSERT_GT(searched, 0) << "no search ran";
    ASSERT_FALSE(s.timedOut) << "the entry pane was not drawn after the search";

    XWindowAttributes main{};
    ASSERT_NE(XGetWindowAttributes(s.dpy, s.main, &main), 0) << "the main window closed";
    // The menu bar, the tool bar and the tabs: what lies above the entry pane, less the
    // strip beside its top where the search page's chooser begins.
    const XRectangle abovePane{0, 0, static_cast<unsigned short>(main.width),
                               static_cast<unsigned short>(s.entryPane.y - 20)};
    double inPane = 0, inAll = 0, aboveThePane = 0;
    for (const Damage& d : drawn) {
        if (d.at < searched)
            continue; // the field taking Return, before the search
        inPane += Overlap(d.area, s.entryPane);
        inAll += Area(d.area);
        aboveThePane += Overlap(d.area, abovePane);
    }
    EXPECT_GE(inPane, Area(s.entryPane) * 0.9) << "the entry pane was drawn";
    EXPECT_LE(inPane, Area(s.entryPane)) << "no pixel of the entry pane drawn twice";
    EXPECT_EQ(aboveThePane, 0) << "nothing drawn that a search does not change";
    EXPECT_LT(inAll, static_cast<double>(main.width) * main.height) << "less than the window";
    int copies = 0;
    for (const onscreen::Report& r : s.heard)
        copies += r.kind == VKO_PROBE_FLUSH && r.begin != 0 && r.at > searched ? 1 : 0;
    EXPECT_EQ(copies, 1) << "what the search changed went to the display at once";
}

} // namespace
