// The control gallery: one dialog holding every native control kind in its normal, focused,
// pressed, checked and disabled states, written to ctl_gallery.png in the working directory
// (or to the file VKO_GALLERY_PNG names) for people to look at. The checks read a few pixels
// that tell the states apart.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core_test_support.h"
#include "ctl_test_support.h"
#include "vkobase/ctl.h"
#include "vkobase/list.h"
#include "vkobase/notebk.h"
#include "vkobase/sbar.h"
#include "vkobase/surface_debug.h"
#include "vkobase/vkobase.h"

namespace {

struct Entry {
    e_win_type type;
    s_rct rct;
    const char *text;
    int16_t id;
    uint32_t flags;
};

// Ids by row: 1x push buttons, 2x check boxes, 3x radio buttons, 4x texts, 5x fields and
// lists, 6x scroll bars, 7x notebook.
const Entry kEntries[] = {
    {WC_PUSHBUTTON, {10, 10, 35, 90}, "Normal", 10, 0},
    {WC_PUSHBUTTON, {10, 100, 35, 180}, "Default", 11, VKO_CTL_DEFAULT},
    {WC_PUSHBUTTON, {10, 190, 35, 270}, "Pressed", 12, 0},
    {WC_PUSHBUTTON, {10, 280, 35, 360}, "Focused", 13, 0},
    {WC_PUSHBUTTON, {10, 370, 35, 450}, "Disabled", 14, VKO_CTL_DISABLED},
    {WC_CHECKBOX, {45, 10, 65, 100}, "Plain", 20, 0},
    {WC_CHECKBOX, {45, 110, 65, 200}, "Checked", 21, VKO_CTL_CHECKED},
    {WC_CHECKBOX, {45, 210, 65, 310}, "Undecided", 22, VKO_CTL_THREE_STATE},
    {WC_CHECKBOX, {45, 320, 65, 420}, "Disabled", 23, VKO_CTL_DISABLED | VKO_CTL_CHECKED},
    {WC_RADIOBUTTON, {70, 10, 90, 100}, "Off", 30, 0},
    {WC_RADIOBUTTON, {70, 110, 90, 200}, "On", 31, VKO_CTL_CHECKED},
    {WC_RADIOBUTTON, {70, 210, 90, 310}, "Disabled", 32, VKO_CTL_DISABLED},
    {WC_GROUPBOX, {95, 10, 165, 220}, "Group", 40, 0},
    {WC_TEXT, {115, 20, 135, 210}, "Left text", 41, 0},
    {WC_TEXT, {135, 20, 155, 210}, "Centred text", 42, VKO_CTL_CENTER},
    {WC_TEXT, {95, 230, 115, 450}, "Right text", 43, VKO_CTL_RIGHT},
    {WC_TEXT, {115, 230, 135, 450}, "Disabled text", 44, VKO_CTL_DISABLED},
    {WC_EDIT, {175, 10, 197, 200}, "Edit field", 50, 0},
    {WC_EDIT, {175, 210, 197, 330}, "secret", 51, VKO_CTL_PASSWORD},
    {WC_EDIT, {175, 340, 197, 450}, "Disabled", 52, VKO_CTL_DISABLED},
    {WC_LBOX, {205, 10, 285, 150}, "", 53, 0},
    {WC_LISTBUTTON, {205, 160, 229, 300}, "", 54, 0},
    {WC_LISTEDIT, {205, 310, 229, 450}, "", 55, 0},
    {WC_HSCROLL, {295, 10, 311, 200}, "", 60, 0},
    {WC_VSCROLL, {205, 460, 305, 476}, "", 61, 0},
    {WC_NOTEBK, {320, 10, 400, 300}, "", 70, 0},
};

TEST(CtlGalleryTest, EveryControlKindInItsStatesDrawsAndIsWrittenToAPng) {
    vkov_test_reset_all();
    constexpr size_t kCount = sizeof kEntries / sizeof kEntries[0];
    s_win_def def[kCount + 2] = {};
    def[0].type = W_MODELESS;
    def[0].rct = s_rct{40, 40, 450, 530};
    def[0].text = const_cast<char *>("Controls");
    for (size_t i = 0; i < kCount; ++i) {
        def[i + 1].type = kEntries[i].type;
        def[i + 1].rct = kEntries[i].rct;
        def[i + 1].text = const_cast<char *>(kEntries[i].text);
        def[i + 1].id = kEntries[i].id;
        def[i + 1].ctl_flags = kEntries[i].flags;
    }
    WINDOW dlg =
        vkok_win_create_def(def, nullptr, VKO_EVENT_MASK_ALL, vkotest::recording_handler, 0);
    ASSERT_NE(dlg, nullptr);
    auto ctl = [dlg](int16_t id) { return vkok_win_get_ctl(dlg, id); };
    vkok_ctl_set_checked(ctl(22), 2);
    for (const char *item : {"apple", "banana", "cherry", "damson", "elder", "fig", "grape"})
        for (int16_t id : {53, 54, 55})
            vkov_list_add(ctl(id), -1, item);
    vkok_list_set_sel(ctl(53), 1, TRUE);
    vkok_list_set_sel(ctl(54), 2, TRUE);
    vkok_sbar_set_range(ctl(60), VKO_SBAR_CONTROL, 0, 100);
    vkok_sbar_set_proportion(ctl(60), VKO_SBAR_CONTROL, 20);
    vkok_sbar_set_pos(ctl(60), VKO_SBAR_CONTROL, 40);
    vkok_sbar_set_range(ctl(61), VKO_SBAR_CONTROL, 0, 10);
    vkov_notebk_add_tab(ctl(70), 0, "Words", nullptr);
    vkov_notebk_add_tab(ctl(70), 1, "Queries", nullptr);
    vkov_notebk_add_page(ctl(70), 0, 0, "", 0);
    vkov_notebk_add_page(ctl(70), 1, 0, "", 0);
    vkotest::mouse(ctl(12), E_MOUSE_DOWN, s_pnt{5, 5}); // held down while the picture is taken
    vkok_scr_set_focus_vobj(ctl(13));
    vkotest::pump();

    const char *env = std::getenv("VKO_GALLERY_PNG");
    const std::string path = env != nullptr ? env : "ctl_gallery.png";
    ASSERT_TRUE(vkov_debug_surface_write_png(dlg, path.c_str()));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);

    // Every control drew something.
    for (const Entry &e : kEntries)
        EXPECT_GT(vkov_debug_draw_log_size(ctl(e.id)), 0) << "control " << e.id;
    auto pixel = [](WINDOW w, int x, int y) {
        return vkov_debug_surface_pixel(w, x, y) & 0xFFFFFF;
    };
    // A raised button has a white top edge; a pressed one a grey frame.
    EXPECT_EQ(pixel(ctl(10), 10, 0), 0xFFFFFFu);
    EXPECT_EQ(pixel(ctl(12), 10, 0), 0x808080u);
    // The default button and the focused one wear a black frame.
    EXPECT_EQ(pixel(ctl(11), 10, 0), 0x000000u);
    EXPECT_EQ(pixel(ctl(13), 10, 0), 0x000000u);
    // The mark of a checked box is dark, an empty box white, a disabled box grey.
    EXPECT_EQ(pixel(ctl(20), 6, 10), 0xFFFFFFu);
    EXPECT_NE(pixel(ctl(21), 6, 10), 0xFFFFFFu);
    EXPECT_EQ(pixel(ctl(23), 3, 6), 0xC0C0C0u);
    // The selected item of the list box is inverted, the others are not.
    EXPECT_EQ(pixel(ctl(53), 60, 30), 0x000080u);
    EXPECT_EQ(pixel(ctl(53), 60, 45), 0xFFFFFFu);
    // The dialog's face is grey.
    EXPECT_EQ(pixel(dlg, 470, 5), 0xC0C0C0u);
    vkov_test_reset_all();
}

} // namespace
