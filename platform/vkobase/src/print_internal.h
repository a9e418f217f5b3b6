// print_internal.h: what the page-setup dialog reads and changes in a print record beyond the
// public calls: the margins, and the paper as it stands. Internal to vkobase.
#pragma once

#include <cstdint>

#include "vkobase/types.h"

namespace vkobase {

// Margins of the page, in inches, as chosen in page setup: the sides of the page as printed
// (turned with it). Printing draws inside them.
struct PageMargins {
    double top_in = 0.25, left_in = 0.25, bottom_in = 0.25, right_in = 0.25;
};

// False for a record that is not live.
bool print_get_margins(s_printrcd *rcd, PageMargins *out) noexcept;
// False (and nothing changes) for a dead record, a negative or NaN margin, or margins that
// leave no room on the paper.
bool print_set_margins(s_printrcd *rcd, const PageMargins &margins) noexcept;
// The paper (portrait, inches) and the orientation; false for a record that is not live.
bool print_get_paper(s_printrcd *rcd, double *width_in, double *height_in,
                     std::int32_t *orientation) noexcept;

} // namespace vkobase
