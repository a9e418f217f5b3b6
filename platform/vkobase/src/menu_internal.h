// menu_internal.h: what the resource and menu modules share about menu-item arrays. Internal
// to vkobase.
#pragma once

#include "vkobase/types.h"

namespace vkobase {

// A menu-item array ends with an all-zero record. Separators carry their bit and every other
// item its text, so a record ends the array only when nothing at all is set in it.
inline bool menu_item_is_end(const s_mitem& item) noexcept {
    return item.tag == 0 && item.text == nullptr && item.child == nullptr &&
           item.separator == 0 && item.mkey == 0 && item.enabled == 0 && item.checked == 0 &&
           item.checkable == 0 && item.state == 0;
}

} // namespace vkobase
