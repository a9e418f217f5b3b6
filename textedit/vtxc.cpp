// vtxc.cpp: the engine's module state, its slot table and the lock frame through which every
// operation reaches a record, plus creation and destruction of records. The mode (attribute 718)
// is read once, when the state is created; a record pointer is good only while its slot is locked.
#include "tx_internal.h"

#include <cstdlib>
#include <new>
#include <utility>

#include "vkobase/dwin.h"
#include "vkobase/errmsg.h"
#include "vkobase/font.h"
#include "vkobase/mem.h"
#include "vkobase/rect.h"
#include "vkobase/static.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace vkotx {
namespace {

constexpr char kModule[] = "vtxc";
constexpr std::int32_t kAttrObjectMode = 718;

void init_state(void *block) {
    auto *state = new (block) tx_module_state{};
    state->object_mode =
        static_cast<std::uint16_t>(vkok_vobj_get_attr(nullptr, kAttrObjectMode) & 0xFFFF);
}

// The base library frees every window and font at its own reset; records only drop their
// handles here.
void fini_state(void *block) {
    static_cast<tx_module_state *>(block)->~tx_module_state();
}

s_static_desc g_state_desc = {sizeof(tx_module_state), init_state, fini_state};

s_rct grown_by_one(const s_rct &rct) {
    return s_rct{static_cast<std::int16_t>(rct.top - 1), static_cast<std::int16_t>(rct.left - 1),
                 static_cast<std::int16_t>(rct.bottom + 1),
                 static_cast<std::int16_t>(rct.right + 1)};
}

// Takes the colours of types 2, 4 and 32 from the owner window's control colours.
void take_owner_colors(tx_record *rec) {
    s_color_pair *list = vkok_win_get_ctl_colors(rec->owner);
    if (list == nullptr)
        return;
    for (const s_color_pair *pair = list; pair->component != 0; ++pair) {
        if (pair->component == VKO_CC_FORE)
            rec->text_color = pair->color;
        else if (pair->component == VKO_CC_BACK)
            rec->back_color = pair->color;
        else if (pair->component == VKO_CC_BORDER)
            rec->border_color = pair->color;
    }
    vkov_mem_free(list);
}

} // namespace

tx_module_state &tx_state() {
    void *block = vkok_static_get_ptr(&g_state_desc);
    if (block == nullptr) { // out of memory at the first use: nothing can go on
        vkov_errmsg_dispatch(nullptr, 3, kErrNoMemory, kModule, __LINE__);
        std::abort();
    }
    return *static_cast<tx_module_state *>(block);
}

bool tx_object_mode() {
    return tx_state().object_mode != 0;
}

void tx_report(int severity, std::uint32_t code, const char *module, int line) {
    vkov_errmsg_dispatch(nullptr, severity, code, module, line);
}

// ---- Slots -------------------------------------------------------------------------------------

std::uint32_t tx_slot_count() {
    const tx_module_state &state = tx_state();
    return state.slots.empty() ? 0 : static_cast<std::uint32_t>(state.slots.size() - 1);
}

tx_slot *tx_slot_entry(std::uint32_t slot) {
    tx_module_state &state = tx_state();
    if (slot == 0 || slot >= state.slots.size() || state.slots[slot].win == nullptr)
        return nullptr;
    return &state.slots[slot];
}

std::uint32_t tx_new_slot(WINDOW win, std::unique_ptr<tx_record> record) {
    tx_module_state &state = tx_state();
    if (state.slots.empty())
        state.slots.resize(1); // entry 0 is never used
    std::uint32_t slot = 1;
    while (slot < state.slots.size() && state.slots[slot].win != nullptr)
        ++slot;
    if (slot == state.slots.size())
        state.slots.emplace_back();
    tx_slot &entry = state.slots[slot];
    entry = tx_slot{};
    entry.win = win;
    record->slot = slot;
    entry.record = std::move(record);
    return slot;
}

tx_record *tx_lock_record(std::uint32_t slot) {
    tx_module_state &state = tx_state();
    if (slot == 0 || slot >= state.slots.size()) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return nullptr;
    }
    tx_slot &entry = state.slots[slot];
    if (entry.win == nullptr || entry.record == nullptr)
        return nullptr;
    if (entry.record->signature != kRecordSignature) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return nullptr;
    }
    entry.locked = entry.record.get();
    ++entry.lock_count;
    return entry.locked;
}

bool tx_unlock_record(std::uint32_t slot) {
    tx_slot *entry = tx_slot_entry(slot);
    if (entry == nullptr || entry->record == nullptr) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return false;
    }
    if (entry->record->signature != kRecordSignature || entry->lock_count < 1) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return false;
    }
    if (--entry->lock_count == 0) {
        entry->locked = nullptr;
        if (entry->destroy_pending) {
            entry->destroy_pending = false;
            tx_destroy_slot(slot);
        }
    }
    return true;
}

TxLock::TxLock(std::uint32_t slot, int line)
    : itsSlot(slot), itsLine(line), itsRecord(tx_lock_record(slot)) {
    if (itsRecord == nullptr)
        tx_report(3, kErrInternal, kModuleExports, itsLine);
}

TxLock::~TxLock() {
    if (itsRecord != nullptr && !tx_unlock_record_of(itsSlot, itsRecord))
        tx_report(3, kErrInternal, kModuleExports, itsLine);
}

bool tx_record_alive(std::uint32_t slot, const tx_record *rec) {
    const tx_slot *entry = tx_slot_entry(slot);
    return rec != nullptr && entry != nullptr && entry->record.get() == rec;
}

bool tx_unlock_record_of(std::uint32_t slot, tx_record *rec) {
    if (tx_record_alive(slot, rec))
        return tx_unlock_record(slot);
    auto &retired = tx_state().retired;
    for (auto it = retired.begin(); it != retired.end(); ++it) {
        if (it->record.get() != rec)
            continue;
        if (--it->lock_count == 0)
            retired.erase(it);
        return true;
    }
    return false;
}

std::uint32_t tx_active_slot(WINDOW win) {
    const tx_module_state &state = tx_state();
    for (std::uint32_t slot = 1; slot < state.slots.size(); ++slot)
        if (state.slots[slot].win == win && win != nullptr &&
            (state.slots[slot].flags & kSlotActive) != 0)
            return slot;
    return 0;
}

std::uint32_t tx_slot_at(WINDOW win, s_pnt point) {
    const tx_module_state &state = tx_state();
    for (std::uint32_t slot = 1; slot < state.slots.size(); ++slot)
        if (state.slots[slot].win == win && win != nullptr &&
            vkov_rect_has_point(&state.slots[slot].outer, point))
            return slot;
    return 0;
}

void tx_free_slot(std::uint32_t slot) {
    tx_module_state &state = tx_state();
    if (slot == 0 || slot >= state.slots.size() || state.slots[slot].win == nullptr)
        return;
    tx_slot &entry = state.slots[slot];
    if (entry.record != nullptr && entry.record->font != nullptr)
        vkov_font_destroy(entry.record->font);
    if (state.tracking_slot == slot)
        state.tracking_slot = 0;
    if (state.open_slot == slot)
        state.open_slot = 0;
    if (state.applied_slot == slot)
        state.applied_slot = 0;
    if (entry.lock_count > 0 && entry.record != nullptr) {
        // A lock frame further up still holds the record: it goes when that frame ends.
        entry.record->signature = 0;
        entry.record->font = nullptr;
        state.retired.push_back({std::move(entry.record), entry.lock_count});
    }
    entry = tx_slot{};
}

bool tx_destroy_slot(std::uint32_t slot) {
    tx_module_state &state = tx_state();
    if (slot == 0 || slot >= state.slots.size()) {
        tx_report(3, kErrDestroyRange, kModule, __LINE__);
        return false;
    }
    {
        TxLock rec(slot, __LINE__);
        if (!rec || !tx_clear(rec.get()))
            return false;
        tx_hide_caret(rec.get());
        const s_rct area = grown_by_one(rec->outer);
        vkok_dwin_invalidate_rect(rec->win, &area);
        rec->attrs |= kAttrNoPaste;
        tx_update_edit_menu(rec->owner, rec.get(), true);
        tx_restore_drawing();
    }
    tx_free_slot(slot);
    return true;
}

std::uint32_t tx_create_record(WINDOW win, const s_rct *rct, std::uint16_t attrs, FONT_OBJ font,
                               std::int16_t margin, std::uint16_t limit, std::int32_t cid,
                               std::intptr_t data) {
    if (win == nullptr || rct == nullptr) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return 0;
    }
    auto record = std::make_unique<tx_record>();
    tx_record *rec = record.get();
    rec->win = win;
    rec->owner = tx_object_mode() ? win : win->parent;
    rec->attrs = attrs;
    rec->limit = limit;
    rec->cid = cid;
    rec->data = data;
    rec->margin = static_cast<std::uint16_t>(margin < 0 ? 0 : margin);
    rec->font = vkov_font_create();
    if (rec->font == nullptr) {
        vkov_errmsg_dispatch(win, 2, kErrNoMemory, kModule, __LINE__);
        return 0;
    }
    tx_set_default_colors(rec);
    take_owner_colors(rec);
    tx_set_font(rec, font);

    const std::uint32_t slot = tx_new_slot(win, std::move(record));
    if (slot == 0) {
        vkov_font_destroy(rec->font);
        return 0;
    }
    TxLock locked(slot, __LINE__);
    if (!locked)
        return 0;
    tx_move(slot, rct);
    const s_rct area = grown_by_one(rec->outer);
    vkok_dwin_invalidate_rect(win, &area);
    tx_activate(win, slot, false);
    tx_show_caret(rec, false);
    tx_update_edit_menu(win, rec, true);
    return slot;
}

int tx_compare(const tx_position &a, const tx_position &b) {
    if (a.par != b.par)
        return a.par < b.par ? -1 : 1;
    if (a.line != b.line)
        return a.line < b.line ? -1 : 1;
    if (a.chr != b.chr)
        return a.chr < b.chr ? -1 : 1;
    return 0;
}

void tx_order(tx_position &a, tx_position &b) {
    if (tx_compare(a, b) > 0)
        std::swap(a, b);
}

bool tx_sel_empty(const tx_record *rec) {
    return tx_compare(rec->anchor, rec->end) == 0;
}

} // namespace vkotx
