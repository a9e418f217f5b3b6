// help_viewer.cpp: the help viewer window. The page (a topic, the keyword search or a message)
// is laid out into words placed on lines; links and the four buttons are hot spots that a
// click follows. Keys: Backspace goes back, Tab and Shift+Tab walk the buttons and then the
// links (the one reached is framed), Enter (or Space on a button) follows it, Escape closes; on the
// search page typing edits the key and Enter shows the first match. A page taller than the
// window shows a scroll bar beside it; the bar, the wheel and the page keys scroll it, and a
// new page or a new list of matches starts at its top. The Close button closes it too, for desktops
// without a window manager. Help asked for from a dialog opens beside the dialog when there is
// room, so that the dialog stays in reach, and never in a window that the dialog holds back.
#include "help_viewer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "help_file.h"
#include "vkobase/ctl.h"
#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/read_file.h"
#include "vkobase/rect.h"
#include "vkobase/sbar.h"
#include "vkobase/scr.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "vkobase/win_places.h"
#include "win32/user.h"

namespace win32::help {
namespace {

constexpr s_rct kPlace{120, 160, 560, 760};
// Beside a dialog: the gap between them, and the narrowest the viewer gets to fit there.
constexpr int kGap = 8;
constexpr int kMinWidth = 320;
// Creation flags: the user may resize the viewer; it has no menu bar.
constexpr std::uint32_t kViewerFlags = 0x0001u | VKO_WSF_NO_MENUBAR;
constexpr int kToolbarHeight = 30;
constexpr int kMargin = 12;
constexpr int kLineHeight = 18;
constexpr int kTitleHeight = 28;
constexpr int kScrollStep = 3 * kLineHeight;
constexpr COLOR kLinkColor = 0x000000C0u;
constexpr COLOR kTextColor = VKO_COLOR_BLACK;
constexpr COLOR kFace = 0x00E4E4E4u;
constexpr COLOR kGrey = 0x00909090u;
// Targets of the four buttons among the hot spots.
constexpr std::int32_t kContents = -1, kSearch = -2, kBack = -3, kClose = -4;

const char *const kButtonTitles[] = {"Contents", "Search", "Back", "Close"};
constexpr int kButtons = 4;
// The buttons all fit in the narrowest viewer.
constexpr int kButtonWidth = 72;
constexpr int kButtonGap = 6;
static_assert(kMargin / 2 + kButtons * (kButtonWidth + kButtonGap) <= kMinWidth);

// The viewer's own page for HELP_HELPONHELP.
constexpr char kHowToUse[] =
    "Click an underlined text to go to the topic it names. Back returns to the page you saw "
    "before. Contents shows the first page of the help file. Search lists the keywords of "
    "the topics: type the beginning of a word, then click a keyword or press Enter for the "
    "first one. Escape closes the help window.";

struct Snapshot {
    Page page = Page::kNone;
    std::int32_t topic = 0;
    std::string key;
    std::string message;
};

// A word (or the space after one) placed on the page.
struct Placed {
    int x = 0, baseline = 0, width = 0;
    std::string text;
    std::int32_t link = 0;
    bool title = false;
};

struct Viewer {
    WINDOW win = nullptr;
    WINDOW bar = nullptr; // the page's scroll bar, shown while the page is taller than the room
    bool bar_on = false;
    std::uint64_t win_order = 0;
    std::string file_path;
    HelpFile file;
    bool loaded = false;
    Snapshot now;
    std::vector<Snapshot> history;
    int scroll = 0;   // pixels of the page above the window
    int selected = -1; // the stop reached with Tab: a button or a link (tab_stops)
};

Viewer &viewer() {
    static Viewer v;
    return v;
}

bool window_alive() noexcept {
    const std::uint64_t order = vkov_win_created_order(viewer().win);
    return order != 0 && order == viewer().win_order;
}

std::vector<std::pair<std::string, std::int32_t>> matches_now() {
    const Viewer &v = viewer();
    if (!v.loaded || v.now.page != Page::kSearch)
        return {};
    return search(v.file, v.now.key);
}

// The window's client rectangle; empty when the window is gone.
s_rct client_rect(WINDOW win) {
    s_rct rct{};
    vkok_vobj_get_client_rect(win, &rct);
    return rct;
}

int bar_width() {
    return static_cast<int>(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_VSCROLL_WIDTH));
}

// The scroll bar's place: the right edge of the page, below the toolbar.
s_rct bar_rect() {
    const s_rct client = client_rect(viewer().win);
    return s_rct{static_cast<std::int16_t>(kToolbarHeight),
                 static_cast<std::int16_t>(std::max(0, client.right - bar_width())),
                 static_cast<std::int16_t>(std::max<int>(kToolbarHeight, client.bottom)),
                 client.right};
}

// The height of the window's page below the toolbar.
int page_room() {
    return std::max(0, client_rect(viewer().win).bottom - kToolbarHeight);
}

int text_width(const std::string &text, bool title) {
    vkov_dwin_set_font_style(viewer().win, title ? VKO_FS_BOLD : VKO_FS_NONE);
    vkov_dwin_set_font_size(viewer().win, title ? 13 : 10);
    return vkok_dwin_get_text_width(viewer().win, text.c_str(), static_cast<int32_t>(text.size()));
}

// Lays words of text out from (x, line) within the width, wrapping at spaces.
void flow(std::vector<Placed> *out, const std::string &text, std::int32_t link, bool title,
          int right, int *x, int *line, int line_height) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(' ', pos);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string word = text.substr(pos, end - pos);
        pos = end;
        const int w = text_width(word, title);
        if (*x > kMargin && *x + w > right) {
            *x = kMargin;
            *line += line_height;
        }
        out->push_back(Placed{*x, *line, w, word, link, title});
        *x += w;
    }
}

// The words of the page, in window coordinates (scrolled).
std::vector<Placed> layout() {
    std::vector<Placed> out;
    const Viewer &v = viewer();
    const s_rct client = client_rect(v.win);
    // The text keeps clear of the scroll bar's place, so a bar coming or going moves no word.
    const int right = client.right - bar_width() - kMargin;
    int x = kMargin;
    int line = kToolbarHeight + kTitleHeight - v.scroll;
    auto paragraph_break = [&](int gap) {
        x = kMargin;
        line += gap;
    };
    auto title = [&](const std::string &text) {
        flow(&out, text, 0, true, right, &x, &line, kTitleHeight);
        paragraph_break(kTitleHeight);
    };
    switch (v.now.page) {
    case Page::kTopic: {
        const Topic *topic = v.file.find(v.now.topic);
        if (topic == nullptr)
            break;
        title(topic->title);
        for (const auto &paragraph : topic->paragraphs) {
            for (const Run &run : paragraph)
                flow(&out, run.text, run.link, false, right, &x, &line, kLineHeight);
            paragraph_break(kLineHeight * 3 / 2);
        }
        break;
    }
    case Page::kSearch: {
        title("Search for: " + v.now.key + "_");
        const auto matches = search(v.file, v.now.key);
        if (matches.empty())
            flow(&out, "No keyword begins with \"" + v.now.key + "\".", 0, false, right, &x, &line,
                 kLineHeight);
        for (const auto &[keyword, number] : matches) {
            const Topic *topic = v.file.find(number);
            flow(&out, keyword, number, false, right, &x, &line, kLineHeight);
            if (topic != nullptr)
                flow(&out, "  (" + topic->title + ")", 0, false, right, &x, &line, kLineHeight);
            paragraph_break(kLineHeight);
        }
        break;
    }
    case Page::kMessage:
        title("Help");
        flow(&out, v.now.message, 0, false, right, &x, &line, kLineHeight);
        break;
    case Page::kNone:
        break;
    }
    return out;
}

// The buttons along the toolbar; Close sits at its right end.
s_rct button_rect(int index) {
    int left = kMargin / 2 + index * (kButtonWidth + kButtonGap);
    if (index == kButtons - 1)
        left = std::max(left, client_rect(viewer().win).right - kMargin / 2 - kButtonWidth);
    return s_rct{4, static_cast<std::int16_t>(left), static_cast<std::int16_t>(kToolbarHeight - 4),
                 static_cast<std::int16_t>(left + kButtonWidth)};
}

// The links of the page in order: the link target of each distinct link run, with the boxes
// of its words.
std::vector<std::pair<s_rct, std::int32_t>> hot_spots() {
    std::vector<std::pair<s_rct, std::int32_t>> out;
    out.emplace_back(button_rect(0), kContents);
    out.emplace_back(button_rect(1), kSearch);
    out.emplace_back(button_rect(2), kBack);
    out.emplace_back(button_rect(3), kClose);
    for (const Placed &p : layout()) {
        if (p.link == 0 || p.baseline < kToolbarHeight)
            continue;
        out.emplace_back(s_rct{static_cast<std::int16_t>(p.baseline - 13),
                               static_cast<std::int16_t>(p.x),
                               static_cast<std::int16_t>(p.baseline + 4),
                               static_cast<std::int16_t>(p.x + p.width)},
                         p.link);
    }
    return out;
}

// The targets of the page's links in order, one per link (a link of several words counts
// once).
std::vector<std::int32_t> link_targets() {
    std::vector<std::int32_t> out;
    std::int32_t last = 0;
    for (const Placed &p : layout()) {
        if (p.link != 0 && p.link != last)
            out.push_back(p.link);
        last = p.link;
    }
    return out;
}

// What Tab walks through: the buttons as they stand on the toolbar (Back only while there is
// a page to go back to), then the page's links in order.
std::vector<std::int32_t> tab_stops() {
    std::vector<std::int32_t> out{kContents, kSearch};
    if (!viewer().history.empty())
        out.push_back(kBack);
    out.push_back(kClose);
    const std::vector<std::int32_t> links = link_targets();
    out.insert(out.end(), links.begin(), links.end());
    return out;
}

// The target of the stop reached with Tab, 0 for none.
std::int32_t selected_target() {
    const std::vector<std::int32_t> stops = tab_stops();
    const int at = viewer().selected;
    return at >= 0 && at < static_cast<int>(stops.size()) ? stops[static_cast<std::size_t>(at)] : 0;
}

bool is_button(std::int32_t target) { return target >= kClose && target <= kContents; }

// The height of the whole page, from its title to below its last line.
int page_height() {
    const Viewer &v = viewer();
    int bottom = 0;
    for (const Placed &p : layout())
        bottom = std::max(bottom, p.baseline + v.scroll);
    return bottom + kLineHeight - kToolbarHeight;
}

// Keeps the scroll within the page and the bar showing it: shown only while the page is taller
// than the room, its thumb as long as the room is of the page.
void sync_bar() {
    Viewer &v = viewer();
    const int height = page_height();
    const int room = page_room();
    v.scroll = std::clamp(v.scroll, 0, std::max(0, height - room));
    if (v.bar == nullptr)
        return;
    const bool shown = height > room && room > 0;
    if (shown) {
        const s_rct place = bar_rect();
        vkok_vobj_move(v.bar, &place);
        vkok_sbar_set_range(v.bar, VKO_SBAR_CONTROL, 0, height - 1);
        vkok_sbar_set_proportion(v.bar, VKO_SBAR_CONTROL, room);
        vkok_sbar_set_pos(v.bar, VKO_SBAR_CONTROL, v.scroll);
    }
    v.bar_on = shown;
    vkok_vobj_set_visible(v.bar, shown ? TRUE : FALSE);
}

bool bar_shown() { return viewer().bar != nullptr && viewer().bar_on; }

void refresh() {
    if (!window_alive())
        return;
    Viewer &v = viewer();
    sync_bar();
    const char *prefix = "Help";
    std::string title = prefix;
    if (v.now.page == Page::kTopic)
        if (const Topic *t = v.file.find(v.now.topic))
            title = std::string(prefix) + " - " + t->title;
    vkok_win_set_doc_title(v.win, title.c_str());
    vkok_dwin_invalidate_rect(v.win, nullptr);
}

void show(const Snapshot &page, bool remember) {
    Viewer &v = viewer();
    if (remember && v.now.page != Page::kNone)
        v.history.push_back(v.now);
    v.now = page;
    v.scroll = 0;
    v.selected = -1;
    refresh();
}

void show_message(const std::string &text, bool remember = true) {
    Snapshot page;
    page.page = Page::kMessage;
    page.message = text;
    show(page, remember);
}

void show_topic(std::int32_t number) {
    Viewer &v = viewer();
    if (v.file.find(number) == nullptr) {
        show_message("The topic " + std::to_string(number) + " is not in the help file " +
                     v.file_path + ".");
        return;
    }
    Snapshot page;
    page.page = Page::kTopic;
    page.topic = number;
    show(page, true);
}

void show_contents() {
    Viewer &v = viewer();
    if (const Topic *t = v.file.contents_topic())
        show_topic(t->number);
    else
        show_message("The help file " + v.file_path + " has no topics.");
}

// The search page for a key; a key that only one topic answers shows that topic at once.
void show_search(const std::string &key, bool direct) {
    Viewer &v = viewer();
    const auto matches = search(v.file, key);
    if (direct && !matches.empty() &&
        std::all_of(matches.begin(), matches.end(),
                    [&](const auto &m) { return m.second == matches.front().second; })) {
        show_topic(matches.front().second);
        return;
    }
    Snapshot page;
    page.page = Page::kSearch;
    page.key = key;
    show(page, true);
}

void go_back() {
    Viewer &v = viewer();
    if (v.history.empty())
        return;
    const Snapshot page = v.history.back();
    v.history.pop_back();
    show(page, false);
}

void close_window() {
    Viewer &v = viewer();
    WINDOW win = window_alive() ? v.win : nullptr;
    v.win = nullptr;
    v.bar = nullptr; // goes with its window
    v.bar_on = false;
    v.now = Snapshot{};
    v.history.clear();
    if (win != nullptr)
        vkok_vobj_destroy(win);
}

void follow(std::int32_t target) {
    switch (target) {
    case kContents:
        show_contents();
        break;
    case kSearch:
        show_search("", false);
        break;
    case kBack:
        go_back();
        break;
    case kClose:
        close_window();
        break;
    default:
        show_topic(target);
        break;
    }
}

void draw(WINDOW win) {
    Viewer &v = viewer();
    // The toolbar across the window, then the page beside the scroll bar, which draws itself.
    const s_rct client = client_rect(win);
    const s_rct bar{0, 0, kToolbarHeight, client.right};
    const s_rct page{kToolbarHeight, 0, client.bottom,
                     static_cast<std::int16_t>(bar_shown() ? bar_rect().left : client.right)};
    vkok_dwin_set_clip(win, &page);
    vkov_dwin_clear(win, VKO_COLOR_WHITE);
    vkok_dwin_set_clip(win, &bar);
    const s_cbrush face{PAT_SOLID, kFace};
    const s_cpen none{1, PAT_HOLLOW, P_SOLID, kGrey};
    const s_cpen frame{1, PAT_SOLID, P_SOLID, kGrey};
    const s_cpen focus{1, PAT_SOLID, P_DOT, kTextColor};
    const s_cbrush hollow{PAT_HOLLOW, kFace};
    const std::int32_t selected = selected_target();
    static constexpr std::int32_t kTargets[kButtons] = {kContents, kSearch, kBack, kClose};
    vkok_dwin_set_cbrush(win, &face);
    vkok_dwin_set_cpen(win, &none);
    vkok_dwin_draw_rect(win, &bar);
    for (int i = 0; i < kButtons; ++i) {
        const s_rct r = button_rect(i);
        vkok_dwin_set_cpen(win, &frame);
        vkok_dwin_draw_rect(win, &r);
        // The button Tab reached wears a dotted frame inside its own, as buttons show the keys.
        if (kTargets[i] == selected) {
            const s_rct inner{
                static_cast<std::int16_t>(r.top + 3), static_cast<std::int16_t>(r.left + 3),
                static_cast<std::int16_t>(r.bottom - 3), static_cast<std::int16_t>(r.right - 3)};
            vkok_dwin_set_cbrush(win, &hollow);
            vkok_dwin_set_cpen(win, &focus);
            vkok_dwin_draw_rect(win, &inner);
            vkok_dwin_set_cbrush(win, &face);
        }
        const bool enabled = i != 2 || !v.history.empty();
        vkok_dwin_set_fore_color(win, enabled ? kTextColor : kGrey);
        const int w = text_width(kButtonTitles[i], false);
        vkok_dwin_draw_text(win, (r.left + r.right - w) / 2, r.bottom - 7, kButtonTitles[i], -1);
    }
    // The page, below the toolbar.
    vkok_dwin_set_clip(win, &page);
    for (const Placed &p : layout()) {
        vkov_dwin_set_font_style(win, p.title ? VKO_FS_BOLD
                                              : (p.link != 0 ? VKO_FS_UNDERLINE : VKO_FS_NONE));
        vkov_dwin_set_font_size(win, p.title ? 13 : 10);
        if (p.link != 0 && p.link == selected) {
            const s_rct box{static_cast<std::int16_t>(p.baseline - 13),
                            static_cast<std::int16_t>(p.x),
                            static_cast<std::int16_t>(p.baseline + 4),
                            static_cast<std::int16_t>(p.x + p.width)};
            const s_cbrush hi{PAT_SOLID, 0x00D0D8F0u};
            vkok_dwin_set_cbrush(win, &hi);
            vkok_dwin_set_cpen(win, &none);
            vkok_dwin_draw_rect(win, &box);
        }
        vkok_dwin_set_fore_color(win, p.link != 0 ? kLinkColor : kTextColor);
        vkok_dwin_draw_text(win, p.x, p.baseline, p.text.c_str(),
                            static_cast<int32_t>(p.text.size()));
    }
    vkok_dwin_set_clip(win, nullptr);
}

void scroll_to(int pixels) {
    Viewer &v = viewer();
    const int most = std::max(0, page_height() - page_room());
    const int next = std::clamp(pixels, 0, most);
    if (next != v.scroll) {
        v.scroll = next;
        refresh();
    }
}

void scroll_by(int pixels) { scroll_to(viewer().scroll + pixels); }

// An action of the scroll bar: a line at the arrows, a page less a line in the trough, the
// thumb where it is dragged.
void on_bar(std::int32_t action, std::int32_t pos) {
    const int page = std::max(kLineHeight, page_room() - kLineHeight);
    switch (action) {
    case SC_LINE_UP:
    case SC_LINE_DOWN:
        scroll_by(action == SC_LINE_UP ? -kLineHeight : kLineHeight);
        break;
    case SC_PAGE_UP:
    case SC_PAGE_DOWN:
        scroll_by(action == SC_PAGE_UP ? -page : page);
        break;
    case SC_THUMB:
    case SC_THUMBTRACK:
        scroll_to(static_cast<std::int16_t>(pos));
        break;
    default:
        break;
    }
}

// Tab (step 1) and Shift+Tab (step -1) move to the next or previous stop, round the ends.
void step_stop(int step) {
    Viewer &v = viewer();
    const int n = static_cast<int>(tab_stops().size());
    if (n == 0)
        v.selected = -1;
    else if (v.selected < 0 || v.selected >= n)
        v.selected = step > 0 ? 0 : n - 1;
    else
        v.selected = (v.selected + step + n) % n;
    refresh();
}

void on_key(const s_char &c) {
    Viewer &v = viewer();
    if (c.virt != 0) {
        if (c.ch == VKO_KEY_PAGE_DOWN || c.ch == VKO_KEY_DOWN)
            scroll_by(c.ch == VKO_KEY_DOWN ? kLineHeight : 10 * kLineHeight);
        else if (c.ch == VKO_KEY_PAGE_UP || c.ch == VKO_KEY_UP)
            scroll_by(c.ch == VKO_KEY_UP ? -kLineHeight : -10 * kLineHeight);
        else if (c.ch == VKO_KEY_BACK_TAB)
            step_stop(-1);
        return;
    }
    const bool searching = v.now.page == Page::kSearch;
    switch (c.ch) {
    case 27:
        close_window();
        return;
    case 9:
        step_stop(1);
        return;
    case 13: {
        const std::vector<std::int32_t> links = link_targets();
        if (const std::int32_t target = selected_target(); target != 0)
            follow(target);
        else if (searching && !links.empty())
            show_topic(links.front());
        return;
    }
    case ' ':
        // Space presses the button Tab reached; elsewhere it is typed.
        if (is_button(selected_target())) {
            follow(selected_target());
            return;
        }
        break;
    case 8:
        if (searching && !v.now.key.empty()) {
            v.now.key.pop_back();
            v.selected = -1;
            v.scroll = 0; // a new list of matches
            refresh();
        } else {
            go_back();
        }
        return;
    default:
        break;
    }
    if (searching && c.ch >= 32 && c.ch < 256 && (c.modifiers & (4 | 8)) == 0) {
        v.now.key += static_cast<char>(c.ch);
        v.selected = -1;
        v.scroll = 0; // a new list of matches
        refresh();
    }
}

std::int32_t handler(WINDOW win, EVENT *event) noexcept {
    try {
        switch (event->type) {
        case E_UPDATE:
            draw(win);
            break;
        case E_MOUSE_DOWN: {
            const s_pnt p = event->v.mouse.where;
            for (const auto &[box, target] : hot_spots())
                if (p.v >= box.top && p.v < box.bottom && p.h >= box.left && p.h < box.right) {
                    follow(target);
                    break;
                }
            break;
        }
        case E_CHAR:
            on_key(event->v.chr);
            break;
        case E_VSCROLL:
            if (event->v.scroll.what == SC_LINE_UP || event->v.scroll.what == SC_LINE_DOWN)
                scroll_by(event->v.scroll.what == SC_LINE_UP ? -kScrollStep / 3 : kScrollStep / 3);
            else if (event->v.scroll.what == SC_PAGE_UP || event->v.scroll.what == SC_PAGE_DOWN)
                scroll_by(event->v.scroll.what == SC_PAGE_UP ? -10 * kLineHeight
                                                             : 10 * kLineHeight);
            break;
        case E_CONTROL:
            if (event->v.ctl.ci.win == viewer().bar && viewer().bar != nullptr) {
                on_bar(event->v.ctl.ci.v.words.data1, event->v.ctl.ci.v.words.data2);
                // The keys stay with the page: typing goes on editing the search.
                if (window_alive())
                    vkok_scr_set_focus_vobj(viewer().win);
            }
            break;
        case E_SIZE:
            refresh();
            break;
        case E_CLOSE:
            close_window();
            break;
        case E_DESTROY:
            if (viewer().win == win) {
                viewer().win = nullptr;
                viewer().bar = nullptr;
                viewer().bar_on = false;
                viewer().history.clear();
                viewer().now = Snapshot{};
            }
            break;
        default:
            break;
        }
    } catch (...) {
    }
    return 0;
}

// The screen as far as windows may lie on it: the display's when one is open.
s_rct screen_area() {
    s_rct screen =
        client_rect(reinterpret_cast<WINDOW>(vkok_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW)));
    int width = 0, height = 0;
    if (vkov_display_screen_size(&width, &height)) {
        screen.right = static_cast<std::int16_t>(std::min(width, 0x7FFF));
        screen.bottom = static_cast<std::int16_t>(std::min(height, 0x7FFF));
    }
    return screen;
}

// Moves the new viewer beside the dialog, on the side with more room, narrower when it must;
// where neither side has room it stays at its usual place.
void place_beside(WINDOW win, WINDOW dialog) {
    const s_rct screen = screen_area();
    s_pnt parent{};
    vkov_win_client_origin(dialog->parent, &parent);
    s_rct d{};
    vkok_vobj_get_outer_rect(dialog, &d);
    vkov_rect_offset(&d, parent.h, parent.v);
    // The viewer's frame around its client area.
    s_rct outer{};
    vkok_vobj_get_outer_rect(win, &outer);
    s_rct client{};
    vkov_win_get_placement(win, &client);
    const int frame_left = client.left - outer.left, frame_right = outer.right - client.right;
    const int frame_top = client.top - outer.top, frame_bottom = outer.bottom - client.bottom;
    const int room_right = screen.right - d.right - kGap - frame_left - frame_right;
    const int room_left = d.left - screen.left - kGap - frame_left - frame_right;
    const int room = std::max(room_right, room_left);
    if (room < kMinWidth)
        return;
    const int width = std::min<int>(kPlace.right - kPlace.left, room);
    const int height = std::min<int>(kPlace.bottom - kPlace.top,
                                     screen.bottom - screen.top - frame_top - frame_bottom);
    const int left = room_right >= room_left ? d.right + kGap + frame_left
                                             : d.left - kGap - frame_right - width;
    const int top = std::clamp<int>(d.top + frame_top, screen.top + frame_top,
                                    screen.bottom - frame_bottom - height);
    const s_rct beside{static_cast<std::int16_t>(top), static_cast<std::int16_t>(left),
                       static_cast<std::int16_t>(top + height),
                       static_cast<std::int16_t>(left + width)};
    vkok_vobj_move(win, &beside);
}

// Opens the window (and reads the file) when needed; false when no window could be made. A
// viewer that a dialog running now would hold back (it was open before the dialog) is made
// again, so that help asked for from the dialog can be read and closed.
bool open_for(const char *file) {
    Viewer &v = viewer();
    if (window_alive() && vkov_app_input_blocked(v.win))
        close_window();
    if (!window_alive()) {
        v.win = vkok_win_create(W_DOC, &kPlace, "Help", 0, NULL_WIN, kViewerFlags,
                                VKO_EVENT_MASK_ALL, handler, 0);
        if (v.win == nullptr)
            return false;
        if (WINDOW dialog = vkov_app_innermost_modal())
            place_beside(v.win, dialog);
        v.win_order = vkov_win_created_order(v.win);
        const s_rct place = bar_rect();
        v.bar = vkok_ctl_create(WC_VSCROLL, &place, "", v.win, VKO_CTL_INVISIBLE, 0, 0);
        v.bar_on = false;
        v.history.clear();
        v.now = Snapshot{};
        v.loaded = false;
        v.file_path.clear();
    }
    if (v.loaded && v.file_path == file)
        return true;
    v.file_path = file;
    v.loaded = false;
    v.file = HelpFile{};
    v.history.clear();
    std::string text, error;
    std::int32_t refusal = VKO_READ_OPENED;
    FILE *in = vkov_open_to_read(file, &refusal);
    if (in == nullptr) {
        show_message(
            "The help file " + v.file_path + " cannot be opened" +
                (refusal == VKO_READ_NOT_REGULAR ? ": it is a device, a pipe or a socket." : "."),
            false);
        return true;
    }
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, in)) > 0;)
        text.append(buf, n);
    std::fclose(in);
    if (!parse_help_file(text, &v.file, &error)) {
        show_message("The help file " + v.file_path + " cannot be read: " + error + ".", false);
        return true;
    }
    v.loaded = true;
    return true;
}

} // namespace

bool viewer_request(const char *file, UINT command, ULONG_PTR data) noexcept {
    try {
        if (command == HELP_QUIT) {
            close_window();
            return true;
        }
        if (file == nullptr || !open_for(file))
            return false;
        Viewer &v = viewer();
        if (command == HELP_HELPONHELP) {
            show_message(kHowToUse);
        } else if (!v.loaded) {
            // The message about the file stays.
        } else if (command == HELP_CONTEXT) {
            show_topic(static_cast<std::int32_t>(data));
        } else if (command == HELP_PARTIALKEY) {
            show_search(data != 0 ? reinterpret_cast<const char *>(data) : "", true);
        } else {
            show_contents();
        }
        vkok_vobj_raise(v.win);
        vkok_scr_set_focus_vobj(v.win);
        return true;
    } catch (...) {
        return false;
    }
}

ViewerState viewer_state() {
    ViewerState out;
    const Viewer &v = viewer();
    if (!window_alive())
        return out;
    out.win = v.win;
    out.file = v.file_path;
    out.page = v.now.page;
    out.topic = v.now.topic;
    out.key = v.now.key;
    out.matches = matches_now();
    out.message = v.now.message;
    out.can_go_back = !v.history.empty();
    return out;
}

std::vector<std::pair<s_rct, std::int32_t>> viewer_hot_spots() {
    if (!window_alive())
        return {};
    return hot_spots();
}

void reset_viewer() noexcept {
    // The base library's reset frees the window itself.
    viewer() = Viewer{};
}

} // namespace win32::help
