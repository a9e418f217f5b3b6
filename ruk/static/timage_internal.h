// timage_internal.h: the image check shared by the image and palette families (timage,
// tpalet). Nothing outside those families includes it.
#pragma once

#include "ruk/static/frame.h"

namespace vkoruk {

// The image check: null 0x1210007, then not valid in the base library 0x1220007.
inline bool image_ok(const ApiFrame &frame, IMAGE image, int line) noexcept {
    if (image == nullptr) {
        frame.refuse(kErrNullImage, line);
        return false;
    }
    if (vkov_image_is_valid(image))
        return true;
    frame.refuse(kErrBadImage, line + kNotLiveLineBase);
    return false;
}

} // namespace vkoruk
