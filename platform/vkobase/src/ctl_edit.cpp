// ctl_edit.cpp: the edit family's own behaviour as native controls; until it is built the
// controls keep their data only and draw nothing.
#include "ctl_internal.h"

namespace vkobase::ctl {

std::int32_t edit_event(WINDOW, EVENT *) noexcept {
    return 0;
}

} // namespace vkobase::ctl
