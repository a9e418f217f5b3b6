// tctl.cpp: the control family of the checking layer ("tctl"): native controls created from
// arguments or from one definition entry, their ids, colours, fonts, check state and text
// selection. A native control window (type 23) is a text edit of the text-edit engine, so its
// colour and font calls go there instead of to the base library's control calls.
// The rule a reader must not miss: the caller's definition entry is handed back unchanged on
// every path, even when its rectangle had to be repaired for the call.
#include "ruk/static/forward.h"

#include <cstdint>

#include "ruk/static/twin_internal.h"

namespace {

constexpr char kModule[] = "tctl";

using namespace vkoruk;

constexpr std::int32_t kFirstControlType = 12;
constexpr std::int32_t kLastControlType = 25;
constexpr std::int32_t kRadioType = 13;
constexpr std::int32_t kCheckBoxType = 14;
constexpr std::int32_t kIconType = 24;
constexpr std::int32_t kModelessType = 10;
constexpr std::int32_t kSubwinType = 11;
constexpr TypeSet kFlatTypes = type_set({12, 15, 17, 18}); // may be zero pixels high
constexpr std::int32_t kVScrollType = 16;                  // may be zero pixels wide
constexpr TypeSet kFontlessTypes = type_set({15, 16, 24});
constexpr TypeSet kTextSelTypes = type_set({17, 21});
constexpr TypeSet kCheckableTypes = type_set({13, 14});

constexpr bool is_control_type(std::int32_t type) {
    return type >= kFirstControlType && type <= kLastControlType;
}

TXEDIT as_text_edit(WINDOW ctl) noexcept {
    return reinterpret_cast<TXEDIT>(ctl);
}

// Whether a rectangle can be used as given for a control of `type`: some controls are lines.
bool rect_sound_for(std::int32_t type, const s_rct &r) noexcept {
    if (in_set(kFlatTypes, type))
        return r.left < r.right && r.top <= r.bottom;
    if (type == kVScrollType)
        return r.left <= r.right && r.top < r.bottom;
    return r.left < r.right && r.top < r.bottom;
}

// A parent may hold a control of `type`: never a subwindow, and no notebook in a modeless
// window.
bool parent_holds(const ApiFrame &frame, WINDOW parent, e_win_type type, int line) noexcept {
    if (!frame.live_window(parent, line))
        return false;
    const std::int32_t parent_type = effective_type(parent);
    if (parent_type == kSubwinType || (type == kNotebookType && parent_type == kModelessType)) {
        frame.refuse(kErrBadWindow, line + kWrongKindLineBase);
        return false;
    }
    return true;
}

// The control check followed by the colour/font kind test (any control type).
bool control_of_any_type(const ApiFrame &frame, WINDOW ctl, int line) noexcept {
    if (!frame.live_window(ctl, line))
        return false;
    if (is_control_type(effective_type(ctl)))
        return true;
    frame.refuse(kErrWrongWindowKind, line + kWrongKindLineBase);
    return false;
}

bool has_own_font_kind(std::int32_t type) noexcept {
    return is_control_type(type) && !in_set(kFontlessTypes, type);
}

s_color_pair *colors_of(WINDOW ctl) noexcept {
    return effective_type(ctl) == kTextEditType ? vkok_win_get_ctl_colors(ctl)
                                                : vkok_ctl_get_colors(ctl);
}

void apply_colors(WINDOW ctl, const s_color_pair *colors, BOOLEAN reset) noexcept {
    if (effective_type(ctl) == kTextEditType)
        vkov_tx_reset_colors(ctl, colors, reset);
    else
        vkok_ctl_set_colors(ctl, colors, reset);
}

// The body of the component setter and unsetter: the same checks, then a one-pair list.
void apply_component(const ApiFrame &frame, WINDOW ctl, std::int32_t component, COLOR color,
                     BOOLEAN reset) noexcept {
    if (frame.refused_during_update(__LINE__))
        return;
    if (!frame.live_window(ctl, __LINE__))
        return;
    if (!component_ok(frame, component, __LINE__))
        return;
    if (!control_of_any_type(frame, ctl, __LINE__))
        return;
    const ComponentList list{component, color};
    apply_colors(ctl, list.pairs, reset);
}

bool check_vko_ctl_create(ApiFrame &frame, e_win_type type, const s_rct *&rct, const char *,
                          WINDOW parent, uint32_t ctl_flags, intptr_t, int32_t) {
    if (!frame.not_null(rct, __LINE__))
        return false;
    if (!rect_sound_for(type, *rct))
        rct = frame.repaired(rct, __LINE__); // severity 1: creation goes on with the copy
    if (!parent_holds(frame, parent, type, __LINE__))
        return false;
    if (type == kIconType) {
        frame.refuse(kErrBadWindow, __LINE__);
        return false;
    }
    if (const std::uint32_t code = vkov_ctl_check_flags(type, ctl_flags); code != 0) {
        frame.refuse(code, __LINE__);
        return false;
    }
    return true;
}

bool check_vko_ctl_is_checked(ApiFrame &frame, WINDOW ctl) {
    if (!frame.live_window(ctl, __LINE__))
        return false;
    if (in_set(kCheckableTypes, effective_type(ctl)))
        return true;
    frame.refuse(kErrWrongWindowKind, __LINE__);
    return false;
}

bool check_vko_ctl_set_checked(ApiFrame &frame, WINDOW ctl, BOOLEAN) {
    if (!frame.live_window(ctl, __LINE__))
        return false;
    if (effective_type(ctl) == kCheckBoxType)
        return true;
    frame.refuse(kErrBadWindow, __LINE__);
    return false;
}

bool radio_button_ok(const ApiFrame &frame, WINDOW button, int line) noexcept {
    if (!frame.live_window(button, line))
        return false;
    if (effective_type(button) == kRadioType)
        return true;
    frame.refuse(kErrWrongWindowKind, line + kWrongKindLineBase);
    return false;
}

// Every element of the group is checked before anything changes.
bool check_vko_ctl_check_radio_button(ApiFrame &frame, WINDOW button, WINDOW *group,
                                      int32_t count) {
    if (!radio_button_ok(frame, button, __LINE__))
        return false;
    if (!frame.not_null(group, __LINE__))
        return false;
    if (!frame.positive(count, __LINE__))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        if (!radio_button_ok(frame, group[i], __LINE__))
            return false;
    }
    return true;
}

// An inverted selection is a warning: the selection collapses to its first position.
bool check_vko_ctl_set_text_sel(ApiFrame &frame, WINDOW ctl, int32_t first, int32_t &last) {
    if (!frame.live_window(ctl, __LINE__))
        return false;
    if (!in_set(kTextSelTypes, effective_type(ctl))) {
        frame.refuse(kErrWrongWindowKind, __LINE__, ctl);
        return false;
    }
    if (last < first) {
        frame.repair(kErrBadCount, __LINE__);
        last = first;
    }
    return true;
}

bool check_vko_ctl_get_text_sel(ApiFrame &frame, WINDOW ctl, int32_t *first, int32_t *last) {
    if (!frame.live_window(ctl, __LINE__))
        return false;
    if (!frame.not_null(first, __LINE__))
        return false;
    if (!frame.not_null(last, __LINE__))
        return false;
    if (!in_set(kTextSelTypes, effective_type(ctl))) {
        frame.refuse(kErrWrongWindowKind, __LINE__, ctl);
        return false;
    }
    return true;
}

// Writes a definition entry's rectangle back when it goes out of scope.
class EntryRectRestore {
public:
    explicit EntryRectRestore(s_win_def *entry) noexcept : itsEntry(entry), itsSaved(entry->rct) {}
    ~EntryRectRestore() { itsEntry->rct = itsSaved; }
    EntryRectRestore(const EntryRectRestore &) = delete;
    EntryRectRestore &operator=(const EntryRectRestore &) = delete;

private:
    s_win_def *itsEntry;
    s_rct itsSaved;
};

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tctl.def"

extern "C" WINDOW vko_ctl_create_def(s_win_def *def, WINDOW parent, intptr_t app_data) noexcept {
    ApiFrame frame{"vko_ctl_create_def", kModule};
    if (frame.refused_during_update(__LINE__))
        return nullptr;
    if (!frame.not_null(def, __LINE__))
        return nullptr;
    if (!parent_holds(frame, parent, def->type, __LINE__))
        return nullptr;
    const EntryRectRestore restore{def}; // the caller's entry comes back as given
    if (!rect_sound_for(def->type, def->rct)) {
        vkov_rect_repair(&def->rct);
        frame.repair(kErrRectRepaired, __LINE__);
    }
    if (const std::uint32_t code = vkov_ctl_check_flags(def->type, def->ctl_flags); code != 0) {
        frame.refuse(code, __LINE__);
        return nullptr;
    }
    if (def->font != nullptr && !frame.valid_font(def->font, __LINE__))
        return nullptr;
    return vkok_ctl_create_def(def, parent, app_data);
}

extern "C" s_color_pair *vko_ctl_get_colors(WINDOW ctl) noexcept {
    ApiFrame frame{"vko_ctl_get_colors", kModule};
    if (!control_of_any_type(frame, ctl, __LINE__))
        return nullptr;
    return colors_of(ctl);
}

extern "C" COLOR vko_ctl_get_color_component(WINDOW ctl, e_color_component component) noexcept {
    ApiFrame frame{"vko_ctl_get_color_component", kModule};
    if (!frame.live_window(ctl, __LINE__))
        return VKO_COLOR_UNSET;
    if (!component_ok(frame, component, __LINE__))
        return VKO_COLOR_UNSET;
    if (!control_of_any_type(frame, ctl, __LINE__))
        return VKO_COLOR_UNSET;
    return take_component(colors_of(ctl), component);
}

extern "C" FONT_OBJ vko_ctl_get_font(WINDOW ctl) noexcept {
    ApiFrame frame{"vko_ctl_get_font", kModule};
    if (!frame.live_window(ctl, __LINE__))
        return nullptr;
    const std::int32_t type = effective_type(ctl);
    if (!has_own_font_kind(type)) {
        frame.refuse(kErrWrongWindowKind, __LINE__);
        return nullptr;
    }
    return type == kTextEditType ? vkov_tx_get_font(as_text_edit(ctl)) : vkok_ctl_get_font(ctl);
}

extern "C" int32_t vko_ctl_get_id(WINDOW ctl) noexcept {
    ApiFrame frame{"vko_ctl_get_id", kModule};
    if (!frame.live_window(ctl, __LINE__))
        return 0;
    return is_text_edit(ctl) ? vkov_tx_get_cid(as_text_edit(ctl)) : vkok_ctl_get_id(ctl);
}

extern "C" s_color_pair *vko_ctl_get_native_colors(e_win_type type) noexcept {
    ApiFrame frame{"vko_ctl_get_native_colors", kModule};
    if (!is_control_type(type)) {
        frame.refuse(kErrWrongWindowKind, __LINE__);
        return nullptr;
    }
    return type == kTextEditType ? vkov_tx_get_native_colors() : vkok_ctl_get_native_colors(type);
}

extern "C" COLOR vko_ctl_get_native_color_component(e_win_type type,
                                                    e_color_component component) noexcept {
    ApiFrame frame{"vko_ctl_get_native_color_component", kModule};
    if (!is_control_type(type)) {
        frame.refuse(kErrWrongWindowKind, __LINE__);
        return VKO_COLOR_UNSET;
    }
    if (!component_ok(frame, component, __LINE__))
        return VKO_COLOR_UNSET;
    return take_component(vkok_ctl_get_native_colors(type), component);
}

extern "C" void vko_ctl_set_colors(WINDOW ctl, const s_color_pair *colors, BOOLEAN reset) noexcept {
    ApiFrame frame{"vko_ctl_set_colors", kModule};
    if (frame.refused_during_update(__LINE__))
        return;
    if (!frame.live_window(ctl, __LINE__))
        return;
    if (colors == nullptr)
        reset = TRUE; // no list: back to the defaults
    if (!control_of_any_type(frame, ctl, __LINE__))
        return;
    apply_colors(ctl, colors, reset);
}

extern "C" void vko_ctl_set_color_component(WINDOW ctl, e_color_component component,
                                            COLOR color) noexcept {
    const ApiFrame frame{"vko_ctl_set_color_component", kModule};
    apply_component(frame, ctl, component, color, FALSE);
}

extern "C" void vko_ctl_unset_color_component(WINDOW ctl, e_color_component component) noexcept {
    const ApiFrame frame{"vko_ctl_unset_color_component", kModule};
    apply_component(frame, ctl, component, VKO_COLOR_UNSET, TRUE);
}

extern "C" void vko_ctl_set_font(WINDOW ctl, FONT_OBJ font) noexcept {
    ApiFrame frame{"vko_ctl_set_font", kModule};
    if (frame.refused_during_update(__LINE__))
        return;
    if (!frame.live_window(ctl, __LINE__))
        return;
    if (font != nullptr && !frame.valid_font(font, __LINE__))
        return;
    const std::int32_t type = effective_type(ctl);
    if (!has_own_font_kind(type)) {
        frame.refuse(kErrWrongWindowKind, __LINE__);
        return;
    }
    if (type == kTextEditType)
        vkov_tx_set_font(as_text_edit(ctl), font);
    else
        vkov_ctl_set_font(ctl, font);
}
