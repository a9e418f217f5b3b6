// ctl_list.cpp: the list family's own behaviour as native controls; until it is built the
// controls keep their data only and draw nothing.
#include "ctl_internal.h"

namespace vkobase::ctl {

std::int32_t list_event(WINDOW, EVENT *) noexcept {
    return 0;
}

void close_popup(WINDOW) noexcept {}

} // namespace vkobase::ctl
