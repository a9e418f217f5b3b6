// Tests of the help module against the real base library, with real temporary files and
// environment variables: the search for the help file, the association file, associations,
// events and object click, and the requests that reach the recorded help viewer.
#include "vkohelp/help.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "vkobase/app.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"
#include "win32/testing.h"
#include "win32/user.h"

namespace {

struct Request {
    UINT command;
    ULONG_PTR data;
    std::string file;
    std::string key;
};

std::vector<std::uint32_t> g_reports;
std::vector<e_event> g_delivered; // what reached the windows' handler

int32_t recording_handler(WINDOW, EVENT *event) {
    g_delivered.push_back(event->type);
    return 0;
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        win32_test_reset();
        g_reports.clear();
        g_delivered.clear();
        vkov_test_set_errmsg_hook([](WINDOW, int32_t, uint32_t code, const char *, int32_t,
                                     void *) { g_reports.push_back(code); },
                                  nullptr);
        char templ[] = "/tmp/vko_help_XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        its_root = templ;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        its_old_cwd = cwd;
        for (const char *dir : {"cwd", "a", "b", "spec"})
            ASSERT_EQ(mkdir(path(dir).c_str(), 0700), 0);
        ASSERT_EQ(chdir(path("cwd").c_str()), 0);
        for (const char *variable : {"HELP", "VKOPATH", "PATH"}) {
            const char *value = std::getenv(variable);
            its_env[variable] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(variable);
        }
    }

    void TearDown() override {
        for (const auto &[variable, value] : its_env) {
            if (value)
                setenv(variable.c_str(), value->c_str(), 1);
            else
                unsetenv(variable.c_str());
        }
        EXPECT_EQ(chdir(its_old_cwd.c_str()), 0);
        const std::string command = "rm -rf '" + its_root + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        vkov_test_set_errmsg_hook(nullptr, nullptr);
        win32_test_reset();
        vkov_test_reset_all();
    }

    std::string path(const std::string &relative) const { return its_root + "/" + relative; }

    void write(const std::string &relative, const std::string &text) const {
        std::ofstream out(path(relative), std::ios::binary);
        out << text;
    }

    // A file specification: the directory (under the root, or none) and the name.
    static s_file_spec spec(const std::string &dir, const std::string &name) {
        s_file_spec s{};
        std::strncpy(s.dir.path, dir.c_str(), sizeof s.dir.path - 1);
        std::strncpy(s.name, name.c_str(), sizeof s.name - 1);
        return s;
    }

    HELPINFO open(const std::string &dir, const std::string &name, int32_t flags = 0) {
        const s_file_spec s = spec(dir, name);
        return vkov_help_open_helpfile(&s, flags);
    }

    static std::vector<Request> requests() {
        std::vector<Request> out;
        for (int32_t i = 0; i < win32_test_help_count(); ++i) {
            const char *file = win32_test_help_file(i);
            const char *key = win32_test_help_key(i);
            out.push_back({win32_test_help_command(i), win32_test_help_data(i),
                           file != nullptr ? file : "", key != nullptr ? key : ""});
        }
        win32_test_reset();
        return out;
    }

    static WINDOW make_window(e_win_type type = W_DOC, s_rct r = s_rct{20, 20, 200, 300}) {
        return vkok_win_create(type, &r, "w", 0, nullptr, 0, VKO_EVENT_MASK_ALL, recording_handler,
                               0);
    }

    static EVENT command(std::int16_t tag) {
        EVENT e{};
        e.type = E_COMMAND;
        e.v.cmd.tag = tag;
        return e;
    }

    std::string its_root;
    std::string its_old_cwd;
    std::map<std::string, std::optional<std::string>> its_env;
};

TEST_F(HelpTest, ChangeExtension_SplitsAtTheLastSeparatorAndNeverOverruns) {
    struct Case {
        const char *why;
        const char *path;
        const char *ext;
        const char *result;
    };
    const Case cases[] = {
        {"drive and directory kept", "C:\\HELP\\DICT.HLP", ".csa", "C:\\HELP\\DICT.csa"},
        {"a dot is added", "name", "hlp", "name.hlp"},
        {"a dot in the directory is no extension", "dir.x/file", ".csa", "dir.x/file.csa"},
        {"no separator added after '/'", "dir/file.hlp", ".csa", "dir/file.csa"},
        {"no separator added after a drive", "C:NAME.HLP", ".csa", "C:NAME.csa"},
        {"only the last extension goes", "a.b.c", ".d", "a.b.d"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        char out[64];
        std::memset(out, '#', sizeof out);
        char path[64];
        std::strcpy(path, c.path);
        EXPECT_EQ(helpu_change_extension(path, out, sizeof out, c.ext), out);
        EXPECT_STREQ(out, c.result);
        EXPECT_STREQ(path, c.path) << "the path is left alone when out is given";
        EXPECT_EQ(helpu_change_extension(path, nullptr, sizeof path, c.ext), path);
        EXPECT_STREQ(path, c.result) << "without out the path itself takes the result";
    }
    // A longer extension in a buffer that cannot hold it: nothing is written.
    char tight[9] = "file.h";
    EXPECT_EQ(helpu_change_extension(tight, nullptr, sizeof tight, ".longer"), nullptr);
    EXPECT_STREQ(tight, "file.h");
    char exact[] = "file.hlp";
    EXPECT_NE(helpu_change_extension(exact, nullptr, sizeof exact, ".csa"), nullptr);
    EXPECT_STREQ(exact, "file.csa");
}

TEST_F(HelpTest, Open_FindsTheFileInItsOwnDirectoryThenHereThenInTheVariables) {
    struct Case {
        const char *why;
        std::vector<const char *> files; // where dict.hlp lies, under the root
        const char *help_variable;       // value of HELP, with the root's folders
        const char *name;
        const char *found; // under the root, or null when the open fails
    };
    const Case cases[] = {
        {"in its own directory first", {"spec", "cwd", "a"}, "a", "dict", "spec"},
        {"the current directory beats HELP", {"cwd", "b"}, "a;b", "dict.hlp", "cwd"},
        {"the second folder of HELP", {"b"}, "a;b", "dict", "b"},
        {"not found anywhere", {"a"}, "b", "dict", nullptr},
        {"a name starting with a dot is never searched", {"a"}, "a", "./dict", nullptr},
        {"a drive letter is never searched", {"a"}, "a", "X:dict", nullptr},
        {"an absolute path that is not there is never searched", {"cwd", "a"}, "a",
         "/nonexistent-vko-help/dict", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        for (const char *dir : {"spec", "cwd", "a", "b"})
            std::remove(path(std::string(dir) + "/dict.hlp").c_str());
        for (const char *dir : c.files)
            write(std::string(dir) + "/dict.hlp", "");
        std::string help_value;
        for (const char *p = c.help_variable; *p != '\0'; ++p)
            help_value += *p == ';' ? std::string(";") : path(std::string(1, *p));
        setenv("HELP", help_value.c_str(), 1);
        HELPINFO help = open(path("spec"), c.name);
        if (c.found == nullptr) {
            EXPECT_EQ(help, nullptr);
            continue;
        }
        ASSERT_NE(help, nullptr);
        requests();
        vkov_help_display_topic(help, 1090);
        const std::vector<Request> made = requests();
        EXPECT_EQ(vkov_help_close_helpfile(help), 1);
        ASSERT_EQ(made.size(), 1u);
        EXPECT_EQ(made[0].file, path(std::string(c.found) + "/dict.hlp"));
    }
}

TEST_F(HelpTest, Open_TakesAnAbsoluteLinuxPathAsGiven) {
    write("a/dict.hlp", "");
    HELPINFO help = open("", path("a/dict.txt"));
    ASSERT_NE(help, nullptr);
    vkov_help_display_topic(help, 32006);
    const std::vector<Request> made = requests();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].file, path("a/dict.hlp"));
    EXPECT_EQ(made[0].command, HELP_CONTENTS);
    vkov_help_close_helpfile(help);
}

TEST_F(HelpTest, AssociationFile_BadRowsVoidTheTableLongCommentsDoNot) {
    struct Case {
        const char *why;
        std::string text;
        bool kept;
        std::uint32_t report;
    };
    const std::string good = "W 100 0 5\r\nc 7 100 6\n# comment\n' comment\n\n\tindented\n";
    const Case cases[] = {
        {"window and control rows, comments, CRLF", good, true, 0},
        {"a comment longer than any line buffer", "#" + std::string(300, 'x') + " 1 2 3\n" + good,
         true, 0},
        {"a comment longer than any row may be", good + "#" + std::string(10000, 'x') + "\n" + good,
         true, 0},
        {"a row longer than any row may be", good + "W 1 0 5" + std::string(10000, '7') + "\n",
         false, 0x597173},
        {"an unknown kind letter", good + "X 1 0 5\n", false, 0x597172},
        {"a row of three values", "W 100 0\n" + good, false, 0x597171},
        {"a row without numbers", good + "W one two three\n", false, 0x597171},
    };
    s_win_def def[3] = {};
    def[0].type = W_DOC;
    def[0].rct = s_rct{10, 10, 200, 300};
    def[1].type = WC_PUSHBUTTON;
    def[1].rct = s_rct{5, 5, 25, 80};
    def[1].id = 7;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        write("a/dict.hlp", "");
        write("a/dict.csa", c.text);
        g_reports.clear();
        HELPINFO help = open(path("a"), "dict");
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(g_reports, c.report == 0 ? std::vector<std::uint32_t>{}
                                           : std::vector<std::uint32_t>{c.report});
        WINDOW win = vkok_win_create_def(def, nullptr, VKO_EVENT_MASK_ALL, recording_handler, 0);
        ASSERT_NE(win, nullptr);
        EXPECT_EQ(vkov_help_assoc_all(help, win, 100, def), c.kept ? 1 : 0);
        EXPECT_EQ(vkov_help_get_win_assoc(help, win), c.kept ? 5 : 0);
        EXPECT_EQ(vkov_help_get_win_assoc(help, vkok_win_get_ctl(win, 7)), c.kept ? 6 : 0);
        vkov_help_close_helpfile(help);
        vkok_vobj_destroy(win);
    }
}

TEST_F(HelpTest, AssocAll_TakesMenusAndOwnerlessControlRows) {
    write("a/dict.hlp", "");
    write("a/dict.csa", "W 100 0 5\nM 40 100 12\nM 41 999 13\nC 8 0 9\nC 7 200 4\n");
    HELPINFO help = open(path("a"), "dict");
    ASSERT_NE(help, nullptr);
    s_mitem sub[] = {{41, const_cast<char *>("b"), 0, 1, 0, 0, 0, 0, nullptr}, {}};
    s_mitem menu[] = {{40, const_cast<char *>("a"), 0, 1, 0, 0, 0, 0, nullptr},
                      {1, const_cast<char *>("sub"), 0, 1, 0, 0, 0, 0, sub},
                      {}};
    s_win_def def[4] = {};
    def[0].type = W_DOC;
    def[0].rct = s_rct{10, 10, 200, 300};
    def[0].menu_tree = menu;
    def[1].type = WC_PUSHBUTTON;
    def[1].rct = s_rct{5, 5, 25, 80};
    def[1].id = 8;
    def[2].type = WC_PUSHBUTTON;
    def[2].rct = s_rct{30, 5, 50, 80};
    def[2].id = 7;
    WINDOW win = vkok_win_create_def(def, nullptr, VKO_EVENT_MASK_ALL, recording_handler, 0);
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(vkov_help_assoc_all(help, win, 100, def), 1);
    EXPECT_EQ(vkov_help_get_menu_assoc(help, win, 40), 12);
    EXPECT_EQ(vkov_help_get_menu_assoc(help, win, 41), 0) << "the row names another owner";
    EXPECT_EQ(vkov_help_get_win_assoc(help, vkok_win_get_ctl(win, 8)), 9) << "owner 0: any window";
    EXPECT_EQ(vkov_help_get_win_assoc(help, vkok_win_get_ctl(win, 7)), 0);
    // A destroyed window loses its own, its controls' and its menu items' associations.
    WINDOW ctl = vkok_win_get_ctl(win, 8);
    EVENT destroyed{};
    destroyed.type = E_DESTROY;
    EXPECT_EQ(vkov_help_process_event(help, win, &destroyed), 0);
    EXPECT_EQ(vkov_help_get_win_assoc(help, win), 0);
    EXPECT_EQ(vkov_help_get_win_assoc(help, ctl), 0);
    EXPECT_EQ(vkov_help_get_menu_assoc(help, win, 40), 0);
    EXPECT_EQ(vkov_help_get_menu_assoc(help, nullptr, 32452), 32000) << "the application's stay";
    vkov_help_close_helpfile(help);
}

TEST_F(HelpTest, Associations_SetAgainChangeInPlaceAndRemoveOnce) {
    write("a/dict.hlp", "");
    HELPINFO help = open(path("a"), "dict", 0x04);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(vkov_help_get_menu_assoc(help, nullptr, 32452), 0) << "flag 0x04: no standard menus";
    WINDOW win = make_window();
    vkov_help_set_win_assoc(help, win, 5, 0);
    vkov_help_set_win_assoc(help, win, 6, 0);
    vkov_help_set_menu_assoc(help, win, 40, 7, 0);
    vkov_help_set_menu_assoc(help, win, 40, 8, 0);
    vkov_help_set_menu_assoc(help, nullptr, 40, 9, 0);
    EXPECT_EQ(vkov_help_get_win_assoc(help, win), 6);
    EXPECT_EQ(vkov_help_get_menu_assoc(help, win, 40), 8);
    EXPECT_EQ(vkov_help_get_menu_assoc(help, nullptr, 40), 9);
    vkov_help_set_win_assoc(help, win, 0, 0);
    vkov_help_set_menu_assoc(help, win, 40, 0, 0);
    EXPECT_EQ(vkov_help_get_win_assoc(help, win), 0) << "one removal removes it";
    EXPECT_EQ(vkov_help_get_menu_assoc(help, win, 40), 0);
    EXPECT_EQ(vkov_help_get_menu_assoc(help, nullptr, 40), 9);
    EXPECT_TRUE(g_reports.empty());

    struct Case {
        const char *why;
        std::function<void()> call;
        std::uint32_t code;
    };
    int junk = 0;
    const Case cases[] = {
        {"no help object", [&] { vkov_help_set_win_assoc(nullptr, win, 1, 0); }, 0x210000},
        {"not a help object",
         [&] { vkov_help_get_win_assoc(reinterpret_cast<HELPINFO>(&junk), win); }, 0x500000},
        {"no window", [&] { vkov_help_get_win_assoc(help, nullptr); }, 0x210000},
        {"menu tag 0", [&] { vkov_help_set_menu_assoc(help, win, 0, 1, 0); }, 0x210000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        g_reports.clear();
        c.call();
        EXPECT_EQ(g_reports, std::vector<std::uint32_t>{c.code});
    }
    vkov_help_close_helpfile(help);
    EXPECT_FALSE(vkov_help_is_valid_info(help));
}

TEST_F(HelpTest, Events_MenuTagsAndHelpRequestsReachTheViewer) {
    write("a/dict.hlp", "");
    HELPINFO help = open(path("a"), "dict");
    ASSERT_NE(help, nullptr);
    WINDOW win = make_window();
    WINDOW bare = make_window();
    vkov_help_set_win_assoc(help, win, 1110, 0);
    vkov_help_set_menu_assoc(help, win, 300, 1130, 0);
    requests();
    struct Case {
        const char *why;
        WINDOW win;
        EVENT event;
        std::int32_t consumed;
        std::vector<std::pair<UINT, ULONG_PTR>> made;
    };
    EVENT request{};
    request.type = E_HELP;
    request.v.help.tag = 300;
    EVENT own_topic = request;
    own_topic.v.help.topic = 77;
    EVENT object = request;
    object.v.help.tag = 0;
    object.v.help.obj = win;
    EVENT nothing = object;
    nothing.v.help.obj = bare;
    EVENT click{};
    click.type = E_MOUSE_DOWN;
    const Case cases[] = {
        {"help on help", win, command(32452), 1, {{HELP_HELPONHELP, 0}}},
        {"contents", win, command(32462), 1, {{HELP_CONTENTS, 0}}},
        {"a fixed topic", win, command(32454), 1, {{HELP_CONTEXT, 32005}}},
        {"the window's topic", win, command(32453), 1, {{HELP_CONTEXT, 1110}}},
        {"a window without one", bare, command(32453), 1, {{HELP_CONTEXT, 32001}}},
        {"search", win, command(32457), 1, {{HELP_PARTIALKEY, 0}}},
        {"a tag that is not help's", win, command(300), 0, {}},
        {"a request names its own topic", win, own_topic, 1, {{HELP_CONTEXT, 77}}},
        {"a request's menu tag", win, request, 1, {{HELP_CONTEXT, 1130}}},
        {"a request's object", bare, object, 1, {{HELP_CONTEXT, 1110}}},
        {"nothing known shows the contents", bare, nothing, 1, {{HELP_CONTENTS, 0}}},
        {"other events pass", win, click, 0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EVENT event = c.event;
        EXPECT_EQ(vkov_help_process_event(help, c.win, &event), c.consumed);
        std::vector<std::pair<UINT, ULONG_PTR>> made;
        for (const Request &r : requests()) {
            made.emplace_back(r.command, r.command == HELP_PARTIALKEY ? 0 : r.data);
            EXPECT_EQ(r.file, path("a/dict.hlp"));
        }
        EXPECT_EQ(made, c.made);
    }
    vkov_help_close_helpfile(help);
    const std::vector<Request> closing = requests();
    ASSERT_EQ(closing.size(), 1u);
    EXPECT_EQ(closing[0].command, HELP_QUIT);
}

// The module's hook sees posted events first; after a close it lets everything through, and
// a later open takes the hook over again.
TEST_F(HelpTest, Hook_WorksAcrossCloseAndReopen) {
    write("a/dict.hlp", "");
    WINDOW win = make_window();
    vkok_app_process_pending_events();
    const auto post_help_on_help = [win] {
        g_delivered.clear();
        EVENT e = command(32452);
        vkov_test_post_event(win, &e);
        vkok_app_process_pending_events();
        return requests().size();
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        HELPINFO help = open(path("a"), "dict");
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(post_help_on_help(), 1u);
        EXPECT_EQ(std::count(g_delivered.begin(), g_delivered.end(), E_COMMAND), 0)
            << "help consumed the command";
        vkov_help_close_helpfile(help);
        requests();
        EXPECT_EQ(post_help_on_help(), 0u);
        EXPECT_EQ(std::count(g_delivered.begin(), g_delivered.end(), E_COMMAND), 1);
    }
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(HelpTest, ObjectClick_ShowsTheTopicOfTheWindowClickedAndRestoresThePointer) {
    write("a/dict.hlp", "");
    HELPINFO help = open(path("a"), "dict");
    ASSERT_NE(help, nullptr);
    WINDOW win = make_window(W_DOC, s_rct{20, 20, 200, 300});
    WINDOW target = make_window(W_DOC, s_rct{300, 400, 400, 600});
    vkov_help_set_win_assoc(help, target, 1090, 0);
    vkok_app_process_pending_events();
    requests();
    struct Case {
        const char *why;
        WINDOW clicked; // the window whose middle is clicked, null for the empty screen
        std::pair<UINT, ULONG_PTR> shown;
    };
    const Case cases[] = {
        {"a window with a topic", target, {HELP_CONTEXT, 1090}},
        {"a window without one shows the contents", win, {HELP_CONTENTS, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const std::uint16_t cursor = win->cursor_id;
        EVENT start = command(32458);
        EXPECT_EQ(vkov_help_process_event(help, win, &start), 1);
        EXPECT_EQ(vkov_win_get_pointer_trap(), win);
        EXPECT_EQ(win->cursor_id, 5);
        EVENT up{};
        up.type = E_MOUSE_UP;
        // A point inside the clicked window, in the trapping window's coordinates.
        s_pnt where{10, 10};
        vkok_vobj_translate_points(c.clicked, win, &where, 1);
        up.v.mouse.where = where;
        EXPECT_EQ(vkov_help_process_event(help, win, &up), 1);
        const std::vector<Request> made = requests();
        ASSERT_EQ(made.size(), 1u);
        EXPECT_EQ(std::make_pair(made[0].command, made[0].data), c.shown);
        EXPECT_EQ(vkov_win_get_pointer_trap(), nullptr);
        EXPECT_EQ(win->cursor_id, cursor);
    }
    vkov_help_close_helpfile(help);
}

TEST_F(HelpTest, ObjectClick_OnAWindowWithoutATopicShowsItsNearestParentsTopic) {
    write("a/dict.hlp", "");
    HELPINFO help = open(path("a"), "dict");
    ASSERT_NE(help, nullptr);
    WINDOW win = make_window(W_DOC, s_rct{20, 20, 200, 300});
    WINDOW target = make_window(W_DOC, s_rct{300, 400, 400, 600});
    vkov_help_set_win_assoc(help, target, 1090, 0);
    // A control's place inside the target, with no topic of its own.
    const s_rct inside{10, 10, 50, 90};
    WINDOW child = vkok_win_create(W_PLAIN, &inside, "c", 0, target, 0, VKO_EVENT_MASK_ALL,
                                   recording_handler, 0);
    ASSERT_NE(child, nullptr);
    vkok_app_process_pending_events();
    requests();
    EVENT start = command(32458);
    EXPECT_EQ(vkov_help_process_event(help, win, &start), 1);
    EVENT up{};
    up.type = E_MOUSE_UP;
    s_pnt where{5, 5};
    vkok_vobj_translate_points(child, win, &where, 1);
    up.v.mouse.where = where;
    EXPECT_EQ(vkov_help_process_event(help, win, &up), 1);
    const std::vector<Request> made = requests();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(std::make_pair(made[0].command, made[0].data), std::make_pair(UINT{HELP_CONTEXT}, ULONG_PTR{1090}));
    vkov_help_close_helpfile(help);
}

} // namespace
