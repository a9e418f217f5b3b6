// Controls: creation from arguments and from one definition entry, and the state that a
// native control keeps beside its window record (check mark, text selection, own font). The
// state lives in the window's control extension slot, made on first use, so controls that the
// window module creates from definition lists get it too.
#include "vkobase/ctl.h"

#include <new>

#include "core_internal.h"
#include "font_internal.h"
#include "vkobase/color.h"
#include "vkobase/font.h"
#include "vkobase/mem.h"
#include "vkobase/rect.h"
#include "window_internal.h"

namespace {

constexpr uint32_t kErrNotControl = 0x1230001;

struct CtlData {
    int16_t checked = 0;  // 0 off, 1 on, 2 undecided (three-state check boxes)
    int32_t sel_first = 0;
    int32_t sel_last = 0;
    FONT_OBJ own_font = nullptr;  // also in the record's ctl_font while set
};

void free_ctl_data(void* data) {
    auto* ctl = static_cast<CtlData*>(data);
    if (ctl->own_font != nullptr) {
        vkov_font_destroy(ctl->own_font);
    }
    delete ctl;
}

bool is_control(WINDOW win) {
    if (!vkobase::win_is_live(win)) {
        return false;
    }
    const e_win_type type = vkobase::win_effective_type(win);
    return type >= WC_PUSHBUTTON && type <= WC_NOTEBK;
}

// The control's state, made from its creation flags on first use; null for anything that is
// not a live control or when memory runs out.
CtlData* ctl_data(WINDOW win) {
    if (!is_control(win)) {
        return nullptr;
    }
    auto* data = static_cast<CtlData*>(vkobase::win_get_ext(win, vko_win_internal::kExtCtl));
    if (data == nullptr) {
        data = new (std::nothrow) CtlData{};
        if (data == nullptr) {
            return nullptr;
        }
        const e_win_type type = vkobase::win_effective_type(win);
        data->checked = (type == WC_RADIOBUTTON || type == WC_CHECKBOX) &&
                                (win->flags & VKO_CTL_CHECKED) != 0
                            ? 1
                            : 0;
        vkobase::win_set_ext(win, vko_win_internal::kExtCtl, data, free_ctl_data);
    }
    return data;
}

bool has_text_sel(WINDOW win) {
    const e_win_type type = vkobase::win_effective_type(win);
    return type == WC_EDIT || type == WC_LISTEDIT;
}

// Character count of the control's text; text is single-byte unless a double-byte set is
// installed, and the selection is kept in the same units as the text functions use.
int32_t text_len(WINDOW win) {
    return static_cast<int32_t>(win->internal->title.size());
}

// One colour list entry per set component of a colour set, ended by (0, unset).
s_color_pair* list_of_set(const s_color_set& set) {
    int count = 0;
    for (int bit = 1; bit < VKO_COLOR_SET_SLOTS; ++bit) {
        if (set.colors[bit] != VKO_COLOR_UNSET) {
            ++count;
        }
    }
    auto* list =
        static_cast<s_color_pair*>(vkov_mem_alloc(sizeof(s_color_pair) * (count + 1)));
    if (list == nullptr) {
        return nullptr;
    }
    int i = 0;
    for (int bit = 1; bit < VKO_COLOR_SET_SLOTS; ++bit) {
        if (set.colors[bit] != VKO_COLOR_UNSET) {
            list[i++] = s_color_pair{1 << bit, set.colors[bit]};
        }
    }
    list[i] = s_color_pair{0, VKO_COLOR_UNSET};
    return list;
}

} // namespace

extern "C" {

WINDOW vkok_ctl_create(e_win_type type, const s_rct* rct, const char* title, WINDOW parent,
                       uint32_t ctl_flags, intptr_t app_data, int32_t ctl_id) noexcept {
    if (rct == nullptr || !vkobase::win_is_live(parent) ||
        vkov_ctl_check_flags(type, ctl_flags) != 0) {
        return nullptr;
    }
    if (type == WC_TEXTEDIT) {
        // Text edits belong to the text-edit engine, which creates them from an entry.
        s_win_def def[2] = {};
        def[0].type = WC_TEXTEDIT;
        def[0].rct = *rct;
        def[0].text = const_cast<char*>(title);  // the engine only reads it
        def[0].id = static_cast<int16_t>(ctl_id);
        def[0].ctl_flags = ctl_flags;
        return vkok_ctl_create_def(def, parent, app_data);
    }
    vkobase::WinCreateArgs args;
    args.type = type;
    args.rct = *rct;
    args.title = title;
    args.parent = parent;
    args.flags = ctl_flags;
    args.event_mask = 0;
    args.app_data = app_data;
    args.ctl_id = static_cast<int16_t>(ctl_id);
    args.send_create = false;  // controls report to their parent, they have no handler
    WINDOW ctl = vkobase::win_create_record(args);
    ctl_data(ctl);
    return ctl;
}

WINDOW vkok_ctl_create_def(s_win_def* def, WINDOW parent, intptr_t app_data) noexcept {
    if (def == nullptr || !vkobase::win_is_live(parent)) {
        return nullptr;
    }
    if (def->type == WC_TEXTEDIT) {
        VKO_TX_CREATE_DEF create = vkobase::app_tx_create();
        if (create == nullptr) {
            return nullptr;
        }
        // In window mode the engine's handle is the text-edit window itself.
        const TXEDIT tx = create(def, parent, app_data);
        auto* win = reinterpret_cast<WINDOW>(tx);
        return vkobase::win_is_live(win) ? win : nullptr;
    }
    s_rct rct = def->rct;
    if (def->units != VKO_U_PIXELS && vkok_rect_to_pixels(&rct, def->units) == nullptr) {
        return nullptr;
    }
    return vkok_ctl_create(def->type, &rct, def->text, parent, def->ctl_flags, app_data,
                           def->id);
}

uint32_t vkov_ctl_check_flags(e_win_type type, uint32_t ctl_flags) noexcept {
    (void)ctl_flags;  // every control accepts every flag; those it has no use for are kept
    return type >= WC_PUSHBUTTON && type <= WC_NOTEBK ? 0 : kErrNotControl;
}

int32_t vkok_ctl_get_id(WINDOW ctl) noexcept {
    vko_win_internal* in = vkobase::win_internal(ctl);
    return in == nullptr ? 0 : in->ctl_id;
}

s_color_pair* vkok_ctl_get_colors(WINDOW ctl) noexcept {
    return is_control(ctl) ? list_of_set(ctl->color_set) : nullptr;
}

s_color_pair* vkok_ctl_get_native_colors(e_win_type type) noexcept {
    if (type < WC_PUSHBUTTON || type > WC_NOTEBK) {
        return nullptr;
    }
    // Text on white with a black frame, as every native control draws by default.
    s_color_set set;
    for (COLOR& c : set.colors) {
        c = VKO_COLOR_UNSET;
    }
    set.colors[1] = VKO_COLOR_BLACK;  // VKO_CC_FORE
    set.colors[2] = VKO_COLOR_WHITE;  // VKO_CC_BACK
    set.colors[5] = VKO_COLOR_BLACK;  // VKO_CC_BORDER
    return list_of_set(set);
}

void vkok_ctl_set_colors(WINDOW ctl, const s_color_pair* colors, BOOLEAN reset) noexcept {
    if (!is_control(ctl)) {
        return;
    }
    vkov_color_modify_set(&ctl->color_set, colors, reset);
    vkobase::win_invalidate(ctl, nullptr);
}

FONT_OBJ vkok_ctl_get_font(WINDOW ctl) noexcept {
    return is_control(ctl) ? ctl->ctl_font : nullptr;
}

void vkov_ctl_set_font(WINDOW ctl, FONT_OBJ font) noexcept {
    CtlData* data = ctl_data(ctl);
    if (data == nullptr) {
        return;
    }
    // The control keeps a copy of its own; a null font goes back to the parent's.
    if (!vkobase::font::replace_owned(&data->own_font, font)) {
        return;
    }
    ctl->ctl_font = data->own_font;
    vkobase::win_invalidate(ctl, nullptr);
}

BOOLEAN vkok_ctl_is_checked(WINDOW ctl) noexcept {
    const CtlData* data = ctl_data(ctl);
    return data == nullptr ? FALSE : data->checked;
}

void vkok_ctl_set_checked(WINDOW ctl, BOOLEAN checked) noexcept {
    CtlData* data = ctl_data(ctl);
    if (data == nullptr) {
        return;
    }
    const e_win_type type = vkobase::win_effective_type(ctl);
    if (type != WC_CHECKBOX && type != WC_RADIOBUTTON) {
        return;
    }
    // Only a three-state check box takes 2, the undecided mark.
    const int16_t state =
        checked == 2 && type == WC_CHECKBOX && (ctl->flags & VKO_CTL_THREE_STATE) != 0
            ? 2
            : (checked != FALSE ? 1 : 0);
    if (data->checked != state) {
        data->checked = state;
        vkobase::win_invalidate(ctl, nullptr);
    }
}

void vkok_ctl_check_radio_button(WINDOW button, WINDOW* group, int32_t count) noexcept {
    if (ctl_data(button) == nullptr || group == nullptr || count < 1) {
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (group[i] != button && vkobase::win_is_live(group[i]) &&
            vkobase::win_effective_type(group[i]) == WC_RADIOBUTTON) {
            vkok_ctl_set_checked(group[i], FALSE);
        }
    }
    if (vkobase::win_effective_type(button) == WC_RADIOBUTTON) {
        vkok_ctl_set_checked(button, TRUE);
    }
}

void vkok_ctl_set_text_sel(WINDOW ctl, int32_t first, int32_t last) noexcept {
    CtlData* data = ctl_data(ctl);
    if (data == nullptr || !has_text_sel(ctl)) {
        return;
    }
    // A negative end or one past the text stands for the end of the text.
    const int32_t len = text_len(ctl);
    if (first < 0 || first > len) {
        first = len;
    }
    if (last < 0 || last > len) {
        last = len;
    }
    if (last < first) {
        last = first;
    }
    data->sel_first = first;
    data->sel_last = last;
}

void vkok_ctl_get_text_sel(WINDOW ctl, int32_t* first, int32_t* last) noexcept {
    const CtlData* data = ctl_data(ctl);
    int32_t f = 0;
    int32_t l = 0;
    if (data != nullptr && has_text_sel(ctl)) {
        // The text may have changed since the selection was set.
        const int32_t len = text_len(ctl);
        f = data->sel_first < len ? data->sel_first : len;
        l = data->sel_last < len ? data->sel_last : len;
    }
    if (first != nullptr) {
        *first = f;
    }
    if (last != nullptr) {
        *last = l;
    }
}

} // extern "C"
