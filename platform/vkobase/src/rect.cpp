// rect.cpp: toolkit rectangle arithmetic. A rectangle is sound when top < bottom and
// left < right; repair orders the two pairs. Coordinates are 16-bit: results that would leave
// that range are clamped, never wrapped.
#include "vkobase/rect.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

std::int16_t clamp16(std::int32_t v) noexcept {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
}

bool is_sound(const s_rct &r) noexcept {
    return r.top < r.bottom && r.left < r.right;
}

bool repair_in_place(s_rct &r) noexcept {
    bool changed = false;
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
        changed = true;
    }
    if (r.left > r.right) {
        std::swap(r.left, r.right);
        changed = true;
    }
    return changed;
}

} // namespace

extern "C" {

int16_t vkov_rect_get_height(const s_rct *rct) noexcept {
    if (rct == nullptr)
        return 0;
    return clamp16(std::int32_t{rct->bottom} - rct->top);
}

int16_t vkov_rect_get_width(const s_rct *rct) noexcept {
    if (rct == nullptr)
        return 0;
    return clamp16(std::int32_t{rct->right} - rct->left);
}

s_pnt *vkov_rect_get_pos(const s_rct *rct, s_pnt *pnt) noexcept {
    if (rct == nullptr || pnt == nullptr)
        return pnt;
    pnt->v = rct->top;
    pnt->h = rct->left;
    return pnt;
}

BOOLEAN vkov_rect_has_point(const s_rct *rct, s_pnt pnt) noexcept {
    if (rct == nullptr)
        return FALSE;
    // The bottom and right edges lie outside, as for pixels.
    return pnt.v >= rct->top && pnt.v < rct->bottom && pnt.h >= rct->left && pnt.h < rct->right
               ? TRUE
               : FALSE;
}

BOOLEAN vkov_rect_intersect(s_rct *result, const s_rct *a, const s_rct *b) noexcept {
    if (a == nullptr || b == nullptr)
        return FALSE;
    s_rct r;
    r.top = std::max(a->top, b->top);
    r.left = std::max(a->left, b->left);
    r.bottom = std::min(a->bottom, b->bottom);
    r.right = std::min(a->right, b->right);
    const bool meets = is_sound(r);
    if (!meets)
        r = s_rct{0, 0, 0, 0};
    if (result != nullptr)
        *result = r;
    return meets ? TRUE : FALSE;
}

BOOLEAN vkov_rect_is_empty(const s_rct *rct) noexcept {
    if (rct == nullptr)
        return TRUE;
    // Empty means no area: an inverted rectangle has area once repaired, so it is not empty.
    return rct->top == rct->bottom || rct->left == rct->right ? TRUE : FALSE;
}

void vkov_rect_offset(s_rct *rct, int16_t dh, int16_t dv) noexcept {
    if (rct == nullptr)
        return;
    rct->top = clamp16(std::int32_t{rct->top} + dv);
    rct->bottom = clamp16(std::int32_t{rct->bottom} + dv);
    rct->left = clamp16(std::int32_t{rct->left} + dh);
    rct->right = clamp16(std::int32_t{rct->right} + dh);
}

void vkov_rect_set(s_rct *rct, int16_t left, int16_t top, int16_t right, int16_t bottom) noexcept {
    if (rct == nullptr)
        return;
    rct->left = left;
    rct->top = top;
    rct->right = right;
    rct->bottom = bottom;
}

void vkov_rect_set_empty(s_rct *rct) noexcept {
    if (rct != nullptr)
        *rct = s_rct{0, 0, 0, 0};
}

BOOLEAN vkov_rect_set_height(s_rct *rct, int16_t height) noexcept {
    if (rct == nullptr || height < 0)
        return FALSE;
    rct->bottom = clamp16(std::int32_t{rct->top} + height);
    return TRUE;
}

BOOLEAN vkov_rect_set_width(s_rct *rct, int16_t width) noexcept {
    if (rct == nullptr || width < 0)
        return FALSE;
    rct->right = clamp16(std::int32_t{rct->left} + width);
    return TRUE;
}

BOOLEAN vkov_rect_set_pos(s_rct *rct, s_pnt pnt) noexcept {
    if (rct == nullptr)
        return FALSE;
    vkov_rect_offset(rct, clamp16(std::int32_t{pnt.h} - rct->left),
                     clamp16(std::int32_t{pnt.v} - rct->top));
    return TRUE;
}

BOOLEAN vkov_rect_repair(s_rct *rct) noexcept {
    if (rct == nullptr)
        return FALSE;
    return repair_in_place(*rct) ? TRUE : FALSE;
}

s_rct *vkov_rect_repair_ptr(const s_rct *rct, s_rct *repaired) noexcept {
    if (rct == nullptr || repaired == nullptr)
        return nullptr;
    *repaired = *rct;
    repair_in_place(*repaired);
    return repaired;
}

BOOLEAN vkov_rect_repair_windef(s_win_def *def_list, s_rct *saved_rects, s_rct **saved_where,
                                int32_t max_entries) noexcept {
    if (def_list == nullptr || saved_rects == nullptr || saved_where == nullptr || max_entries <= 0)
        return FALSE;
    // saved_where has room for max_entries pointers; the last slot is kept for the null that
    // ends the list, so at most max_entries - 1 rectangles are saved.
    std::int32_t saved = 0;
    for (std::int32_t i = 0; i < max_entries && def_list[i].type != 0; ++i) {
        if (saved == max_entries - 1)
            break;
        s_rct &r = def_list[i].rct;
        const s_rct before = r;
        if (repair_in_place(r)) {
            saved_rects[saved] = before;
            saved_where[saved] = &r;
            ++saved;
        }
    }
    saved_where[saved] = nullptr;
    return saved > 0 ? TRUE : FALSE;
}

void vkov_rect_restore(const s_rct *saved_rects, s_rct **saved_where) noexcept {
    if (saved_rects == nullptr || saved_where == nullptr)
        return;
    for (std::int32_t i = 0; saved_where[i] != nullptr; ++i)
        *saved_where[i] = saved_rects[i];
}

s_rct *vkok_rect_to_pixels(s_rct *rct, int16_t units) noexcept {
    if (rct == nullptr)
        return nullptr;
    std::int32_t num_h = 1, den_h = 1, num_v = 1, den_v = 1;
    switch (units) {
    case VKO_U_PIXELS:
        return rct;
    case VKO_U_CHARS:
        num_h = 8;
        num_v = 16;
        break;
    case VKO_U_SEMICHARS:
        num_h = 4;
        num_v = 8;
        break;
    case VKO_U_POINTS:
        num_h = num_v = 4;
        den_h = den_v = 3;
        break;
    default:
        return nullptr;
    }
    rct->left = clamp16(std::int32_t{rct->left} * num_h / den_h);
    rct->right = clamp16(std::int32_t{rct->right} * num_h / den_h);
    rct->top = clamp16(std::int32_t{rct->top} * num_v / den_v);
    rct->bottom = clamp16(std::int32_t{rct->bottom} * num_v / den_v);
    return rct;
}

} // extern "C"
