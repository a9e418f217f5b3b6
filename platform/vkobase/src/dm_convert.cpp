// dm_convert.cpp: the standard dialogs' answers as the interface's records (dm_convert.h).
#include "dm_convert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "print_internal.h"
#include "vkobase/font.h"
#include "vkobase/print.h"

namespace vkobase::dm {
namespace {

constexpr double kMmPerInch = 25.4;

bool put_field(char *field, std::size_t size, const std::string &text) {
    if (text.size() >= size)
        return false;
    std::memcpy(field, text.c_str(), text.size() + 1);
    return true;
}

int component(double v) {
    if (!(v > 0))
        return 0;
    return v >= 1 ? 255 : static_cast<int>(std::lround(v * 255));
}

} // namespace

std::int32_t put_path(const std::string &path, s_dir *dir, char *name, std::size_t name_size) {
    if (name == nullptr)
        return put_field(dir->path, sizeof dir->path, path) ? 2 : 0;
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    if (leaf.empty() || leaf.size() >= name_size || folder.size() >= sizeof dir->path)
        return 0;
    if (slash != std::string::npos)
        put_field(dir->path, sizeof dir->path, folder);
    put_field(name, name_size, leaf);
    return 2;
}

FontChoice font_choice_of(FONT_OBJ font) {
    FontChoice out;
    if (vkov_font_is_valid(font) == FALSE)
        return out;
    char family[256] = {};
    if (vkov_font_get_family(font, family, sizeof family) != nullptr)
        out.family = family;
    const std::uint32_t style = vkov_font_get_style(font);
    out.bold = (style & VKO_FS_BOLD) != 0;
    out.italic = (style & VKO_FS_ITALIC) != 0;
    out.size_pt = vkov_font_get_size(font);
    return out;
}

bool apply_font_choice(const FontChoice &choice, FONT_OBJ font) {
    if (vkov_font_is_valid(font) == FALSE || choice.family.empty() || choice.size_pt < 1 ||
        choice.size_pt > 999)
        return false;
    std::uint32_t style =
        vkov_font_get_style(font) & ~static_cast<std::uint32_t>(VKO_FS_BOLD | VKO_FS_ITALIC);
    if (choice.bold)
        style |= VKO_FS_BOLD;
    if (choice.italic)
        style |= VKO_FS_ITALIC;
    vkov_font_set_family(font, choice.family.c_str());
    vkov_font_set_style(font, style);
    vkov_font_set_size(font, choice.size_pt);
    return true;
}

COLOR color_of_rgb(double red, double green, double blue) {
    return static_cast<COLOR>((component(red) << 16) | (component(green) << 8) | component(blue));
}

COLOR chosen_color(COLOR before, double red, double green, double blue) {
    const COLOR chosen = color_of_rgb(red, green, blue);
    return (chosen & 0x00FFFFFFu) == (before & 0x00FFFFFFu) ? before : chosen;
}

void rgb_of_color(COLOR color, double *red, double *green, double *blue) {
    *red = ((color >> 16) & 0xFF) / 255.0;
    *green = ((color >> 8) & 0xFF) / 255.0;
    *blue = (color & 0xFF) / 255.0;
}

PageChoice page_choice_of(s_printrcd *rcd) {
    PageChoice out;
    double w = 0, h = 0;
    std::int32_t orientation = 0;
    PageMargins m;
    if (!print_get_paper(rcd, &w, &h, &orientation) || !print_get_margins(rcd, &m))
        return out;
    out.width_mm = w * kMmPerInch;
    out.height_mm = h * kMmPerInch;
    out.landscape = orientation == VKO_PRINT_LANDSCAPE;
    out.top_mm = m.top_in * kMmPerInch;
    out.left_mm = m.left_in * kMmPerInch;
    out.bottom_mm = m.bottom_in * kMmPerInch;
    out.right_mm = m.right_in * kMmPerInch;
    return out;
}

bool apply_page_choice(const PageChoice &choice, s_printrcd *rcd) {
    double old_w = 0, old_h = 0;
    std::int32_t old_orientation = 0;
    if (!print_get_paper(rcd, &old_w, &old_h, &old_orientation))
        return false;
    if (vkok_print_set_page_size(rcd, choice.width_mm, choice.height_mm, VKO_PRINT_MILLIMETRES,
                                 0) == FALSE)
        return false;
    PageMargins m;
    m.top_in = choice.top_mm / kMmPerInch;
    m.left_in = choice.left_mm / kMmPerInch;
    m.bottom_in = choice.bottom_mm / kMmPerInch;
    m.right_in = choice.right_mm / kMmPerInch;
    if (!print_set_margins(rcd, m)) {
        vkok_print_set_page_size(rcd, old_w, old_h, VKO_PRINT_INCHES, 0); // as it was
        return false;
    }
    vkok_print_set_page_orient(rcd, choice.landscape ? VKO_PRINT_LANDSCAPE : VKO_PRINT_PORTRAIT);
    return true;
}

} // namespace vkobase::dm
