// dm_convert.h: how the answers of the standard dialogs become the interface's records: a
// chosen path the file specification or directory, a chosen font the font object, a chosen
// colour the toolkit colour, chosen page settings the print record; and the other way round
// for what a dialog starts with. Free of any dialog toolkit, so it is checked alone. Internal
// to vkobase.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "vkobase/types.h"

namespace vkobase::dm {

// Puts an absolute path into the directory record and, with name set, the name field (the
// directory of a file at the root is "/"). Answers 2 when it fits, 0 when a part is too long
// for its field or a file path has no name.
std::int32_t put_path(const std::string &path, s_dir *dir, char *name, std::size_t name_size);

struct FontChoice {
    std::string family;
    bool bold = false;
    bool italic = false;
    std::int32_t size_pt = 10;
};
// What the font object holds now.
FontChoice font_choice_of(FONT_OBJ font);
// Sets family, size and the bold and italic bits (the other style bits stay); false for an
// invalid font, an empty family or a size outside 1 to 999 points.
bool apply_font_choice(const FontChoice &choice, FONT_OBJ font);

// A colour's red, green and blue (0 to 1) as a toolkit colour, and back.
COLOR color_of_rgb(double red, double green, double blue);
void rgb_of_color(COLOR color, double *red, double *green, double *blue);
// The colour a colour dialog answers for before: the one chosen, or before itself (with its
// standard-colour number) when the same red, green and blue were chosen again.
COLOR chosen_color(COLOR before, double red, double green, double blue);

struct PageChoice {
    double width_mm = 215.9; // the paper, portrait
    double height_mm = 279.4;
    bool landscape = false;
    double top_mm = 6.35, left_mm = 6.35, bottom_mm = 6.35, right_mm = 6.35;
};
PageChoice page_choice_of(s_printrcd *rcd);
// Keeps paper, orientation and margins in the record; false (the record unchanged) for a
// dead record or settings the record refuses.
bool apply_page_choice(const PageChoice &choice, s_printrcd *rcd);

} // namespace vkobase::dm
