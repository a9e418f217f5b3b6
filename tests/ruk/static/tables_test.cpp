// Whole-layer tests driven by the family tables themselves: every entry point is called with
// null and zero arguments, during an update and outside one. Exactly the entry points that
// refuse during an update report 0x1610001 (before looking at any argument, and without
// calling the base library), and every call, refused or not, leaves the error frame balanced.
// The family tests leave the update refusal to these.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "layer_fixture.h"
#include "ruk/static/frame.h"

namespace {

// Calls an entry point with value-initialised arguments: null pointers and handles, zero
// numbers, zeroed records.
template <class R, class... A> void call_with_nothing(R (*entry)(A...) noexcept) {
    entry(A{}...);
}
template <class R, class... A> void call_with_nothing(R (*entry)(A..., ...) noexcept) {
    entry(A{}...);
}

struct EntryPoint {
    const char* name;
    const char* target;  // the base operation that the row forwards to
    bool table_refuses; // the row's update rule
    void (*call)();
};

#define VKO_TEST_ROW(name, target, ret, params, args, update, neutral)                           \
    {#name, #target, ::vkoruk::Update::update == ::vkoruk::Update::kRefuse,                       \
     [] { call_with_nothing(&name); }},

const EntryPoint kEntryPoints[] = {
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tstr.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tfont.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tvobj.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/ttx.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tdm.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tapp.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tprint.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tdwin.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/twin.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/trect.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/timage.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tcb.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tpict.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tgmem.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tscr.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tfsys.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tctl.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tmem.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tres.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tpalet.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tiostr.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tmenu.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tlist.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/thelp.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/ttimer.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tcxo.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tpmap.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tsbar.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tslist.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tpat.def"
#define VKO_ENTRY VKO_TEST_ROW
#define VKO_OWN_ENTRY VKO_TEST_ROW
#include "ruk/static/tnotebk.def"
};

#undef VKO_TEST_ROW

// The entry points that refuse calls made while the application processes an update.
const std::set<std::string> kRefusingDuringUpdate = {
    // visible objects
    "vko_vobj_destroy", "vko_vobj_move", "vko_vobj_raise", "vko_vobj_set_enabled",
    "vko_vobj_set_palet", "vko_vobj_set_title", "vko_vobj_set_visible",
    // text edits
    "vko_tx_add_par", "vko_tx_append", "vko_tx_clear", "vko_tx_create", "vko_tx_create_def",
    "vko_tx_destroy", "vko_tx_move", "vko_tx_rem_par", "vko_tx_reset", "vko_tx_resume",
    "vko_tx_scroll_hor", "vko_tx_scroll_vert", "vko_tx_set_active", "vko_tx_set_attr",
    "vko_tx_set_colors", "vko_tx_set_data", "vko_tx_set_font", "vko_tx_set_limit",
    "vko_tx_set_margin", "vko_tx_set_par", "vko_tx_set_scroll_callback", "vko_tx_set_sel",
    "vko_tx_set_tabstop", "vko_tx_suspend",
    // standard dialogs (not the fatal exit)
    "vko_dm_post_about_box", "vko_dm_post_ask", "vko_dm_post_color_sel",
    "vko_dm_post_ctools_sel", "vko_dm_post_dir_sel", "vko_dm_post_error",
    "vko_dm_post_file_open", "vko_dm_post_file_save", "vko_dm_post_font_sel",
    "vko_dm_post_message", "vko_dm_post_note", "vko_dm_post_page_setup",
    "vko_dm_post_string_prompt", "vko_dm_post_warning",
    // application
    "vko_app_process_pending_events",
    // printing
    "vko_print_close", "vko_print_open", "vko_print_get_next_band", "vko_print_start_thread",
    "vko_print_create", "vko_print_destroy", "vko_print_is_valid", "vko_print_open_page",
    "vko_print_close_page", "vko_print_create_win", "vko_print_set_page_orient",
    "vko_print_set_page_size",
    // drawing
    "vko_dwin_invalidate_rect", "vko_dwin_scroll_rect", "vko_dwin_update",
    // windows
    "vko_win_create", "vko_win_create_def", "vko_win_create_res", "vko_win_set_caret_pos",
    "vko_win_set_caret_size", "vko_win_set_caret_visible", "vko_win_set_ctl_color_component",
    "vko_win_set_doc_title", "vko_win_unset_ctl_color_component",
    // clipboard
    "vko_cb_alloc", "vko_cb_close", "vko_cb_free_data", "vko_cb_get_data", "vko_cb_open",
    "vko_cb_put_data",
    // screen
    "vko_scr_set_focus_vobj",
    // controls
    "vko_ctl_create", "vko_ctl_create_def", "vko_ctl_set_colors", "vko_ctl_set_color_component",
    "vko_ctl_set_font", "vko_ctl_set_text_sel", "vko_ctl_get_text_sel", "vko_ctl_set_checked",
    "vko_ctl_check_radio_button", "vko_ctl_unset_color_component",
    // menus
    "vko_menu_get_font_sel", "vko_menu_get_tree", "vko_menu_set_font_sel",
    "vko_menu_set_item_checked", "vko_menu_set_item_enabled", "vko_menu_set_item_title",
    "vko_menu_set_tree", "vko_menu_update", "vko_menu_popup",
    // list controls
    "vko_list_add", "vko_list_clear", "vko_list_rem", "vko_list_resume", "vko_list_set_sel",
    "vko_list_suspend",
    // class-extension objects, pixmaps, notebooks
    "vko_cxo_create", "vko_cxo_destroy", "vko_pmap_destroy", "vko_notebk_create_face",
    "vko_notebk_create_face_def", "vko_notebk_create_face_res",
};

using TablesTest = LayerTest;

TEST_F(TablesTest, UpdateRule_OfEveryRowMatchesTheRefusingList) {
    std::set<std::string> in_tables;
    for (const EntryPoint& entry : kEntryPoints) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(entry.table_refuses, kRefusingDuringUpdate.count(entry.name) == 1);
        if (entry.table_refuses)
            in_tables.insert(entry.name);
    }
    EXPECT_EQ(in_tables.size(), kRefusingDuringUpdate.size()) << "a refusing entry has no row";
}

TEST_F(TablesTest, DuringAnUpdate_ExactlyTheListedEntryPointsRefuseBeforeTheirArguments) {
    for (const EntryPoint& entry : kEntryPoints) {
        SCOPED_TRACE(entry.name);
        base().ClearLog();
        base().SetProcUpdate(true);
        entry.call();
        const bool refuses = kRefusingDuringUpdate.count(entry.name) == 1;
        const base_double::Report* report = base().LastReport();
        EXPECT_EQ(report != nullptr && report->code == 0x1610001u, refuses);
        if (refuses) {
            EXPECT_EQ(base().Reports().size(), 1u) << "no argument was looked at";
            EXPECT_FALSE(base().Forwarded(entry.target));
            ASSERT_FALSE(base().MarkedNames().empty());
            EXPECT_EQ(base().MarkedNames().front(), entry.name);
        }
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

// Calls of one member that fail different checks report different lines, so that a reader
// of a report finds the check that made it; shared checks of a handle report each of their
// tests (missing, not live, wrong kind) at a line of its own too.
TEST_F(TablesTest, ReportLines_EachFailedCheckOfAMemberHasItsOwnLine) {
    s_rct good{10, 20, 30, 60};
    int image = 0;
    const IMAGE img = reinterpret_cast<IMAGE>(&image);
    base().SetLive("vkov_image_is_valid", img);
    const WINDOW notebook = base().MakeWindow(0, WC_NOTEBK);
    const WINDOW modal = base().MakeWindow(0, W_MODAL); // no scroll-bar kind fits
    struct Case {
        const char* why;
        std::vector<std::function<void()>> calls; // each fails at another check
    };
    const Case cases[] = {
        {"the window check: missing, then not live",
         {[&] { vko_vobj_destroy(window(Win::Null)); },
          [&] { vko_vobj_destroy(window(Win::Freed)); }}},
        {"the drawable-window check: missing, not live, not drawable",
         {[&] { vko_dwin_clear(window(Win::Null), 0); },
          [&] { vko_dwin_clear(window(Win::Freed), 0); },
          [&] { vko_dwin_clear(window(Win::NotDrawable), 0); }}},
        {"an image transfer: destination, then source rectangle",
         {[&] { vko_image_transfer(img, img, nullptr, &good); },
          [&] { vko_image_transfer(img, img, &good, nullptr); }}},
        {"a notebook page: notebook missing, not live, no notebook, tab, page",
         {[&] { vko_notebk_rem_page(window(Win::Null), 0, 0); },
          [&] { vko_notebk_rem_page(window(Win::Freed), 0, 0); },
          [&] { vko_notebk_rem_page(window(Win::Doc), 0, 0); },
          [&] { vko_notebk_rem_page(notebook, -1, 0); },
          [&] { vko_notebk_rem_page(notebook, 0, -1); }}},
        {"a scroll bar: window missing, not live, then its kind",
         {[&] { vko_sbar_get_pos(window(Win::Null), 0); },
          [&] { vko_sbar_get_pos(window(Win::Freed), 0); },
          [&] { vko_sbar_get_pos(modal, 0); }}},
        {"a font map's sizes: the sizes array, then the family",
         {[&] {
              BOOLEAN scalable = FALSE;
              vko_fmap_get_family_sizes(nullptr, "a", &scalable, nullptr, 4);
          },
          [&] {
              BOOLEAN scalable = FALSE;
              int32_t sizes[4];
              vko_fmap_get_family_sizes(nullptr, nullptr, &scalable, sizes, 4);
          }}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::set<std::int32_t> lines;
        for (const auto& call : c.calls) {
            base().ClearLog();
            call();
            ASSERT_NE(base().LastReport(), nullptr);
            lines.insert(base().LastReport()->line);
        }
        EXPECT_EQ(lines.size(), c.calls.size()) << "two checks share a line";
    }
}

TEST_F(TablesTest, NullArguments_NeverUnbalanceTheFrame) {
    for (const EntryPoint& entry : kEntryPoints) {
        SCOPED_TRACE(entry.name);
        base().ClearLog();
        entry.call();
        EXPECT_TRUE(base().ErrorFrameBalanced());
        for (const base_double::Report& report : base().Reports())
            EXPECT_NE(report.code, 0x1610001u);
    }
}

} // namespace
