// tx_internal.h: the engine's internal interface between its families: records and events
// (vtxc), the text model and editing (vtxm), the view (vtxv), text-edit windows (vtxw) and the
// exports (vtxo). Nothing outside textedit/ and its tests includes it. Record-level calls take a
// locked record; none of them unlocks it, and a record pointer is only good inside one lock frame.
#pragma once

#include <cstdint>

#include "tx_record.h"

namespace vkotx {

// ---- Module state and reports (vtxc) ----------------------------------------------------------

// The process-wide state, created (and attribute 718 read) on first use.
tx_module_state &tx_state();
bool tx_object_mode();
// vkov_errmsg_dispatch with the object null.
void tx_report(int severity, std::uint32_t code, const char *module, int line);

// ---- Slots and the lock frame (vtxc) ----------------------------------------------------------

tx_record *tx_lock_record(std::uint32_t slot); // null when there is none (reported)
bool tx_unlock_record(std::uint32_t slot);
// Ends a lock frame on rec taken through slot: unlocks the slot while it still holds rec, else
// (the slot was freed inside the frame) lets go of the retired record without a report.
bool tx_unlock_record_of(std::uint32_t slot, tx_record *rec);
// True while slot still holds rec: false once the text edit was destroyed inside the frame.
bool tx_record_alive(std::uint32_t slot, const tx_record *rec);
tx_slot *tx_slot_entry(std::uint32_t slot); // null when out of range or free
std::uint32_t tx_slot_count();
std::uint32_t tx_new_slot(WINDOW win, std::unique_ptr<tx_record> record);
std::uint32_t tx_active_slot(WINDOW win);
std::uint32_t tx_slot_at(WINDOW win, s_pnt point);
void tx_free_slot(std::uint32_t slot);
bool tx_destroy_slot(std::uint32_t slot);
// Creates a record drawn in win over rct; answers its slot or 0.
std::uint32_t tx_create_record(WINDOW win, const s_rct *rct, std::uint16_t attrs, FONT_OBJ font,
                               std::int16_t margin, std::uint16_t limit, std::int32_t cid,
                               std::intptr_t data);

// Locks a slot's record for one scope; reports a missing record with the exports' module name
// and the caller's line, and reports a failed unlock on the way out.
class TxLock {
public:
    TxLock(std::uint32_t slot, int line);
    ~TxLock();
    TxLock(const TxLock &) = delete;
    TxLock &operator=(const TxLock &) = delete;
    tx_record *get() const { return itsRecord; }
    explicit operator bool() const { return itsRecord != nullptr; }
    tx_record *operator->() const { return itsRecord; }

private:
    std::uint32_t itsSlot;
    int itsLine;
    tx_record *itsRecord;
};

int tx_compare(const tx_position &a, const tx_position &b); // -1, 0 or 1
void tx_order(tx_position &a, tx_position &b);              // swaps when a lies after b
bool tx_sel_empty(const tx_record *rec);                    // anchor and end at the same character

// ---- Events, focus and the edit menu (vtxc / vtxm) --------------------------------------------

// The base library's attributes that name the screen and the task window.
constexpr std::int32_t kAttrScreenWindow = 300;
constexpr std::int32_t kAttrTaskWindow = 301;
// The top-level window above win: the last one before the screen or task window, or before a
// missing parent. Null stays null.
WINDOW tx_top_level_of(WINDOW win);

void tx_activate(WINDOW win, std::uint32_t slot, bool by_mouse);
void tx_focus(tx_record *rec, bool gained);
void tx_update_edit_menu(WINDOW win, tx_record *rec, bool include_paste);
tx_position tx_point_to_position(tx_record *rec, s_pnt point);
void tx_extend_selection(tx_record *rec, const tx_position &pos, bool from_click);
void tx_select_word(tx_record *rec, const tx_position &pos, bool extend);
bool tx_key(tx_record *rec, std::uint16_t code, bool shift, bool virt);
void tx_navigate(tx_record *rec, std::uint16_t key, bool shift);
void tx_copy(tx_record *rec);
void tx_cut(tx_record *rec);
void tx_paste(tx_record *rec);
void tx_clear_command(tx_record *rec); // Clear: deletes the selection as the Delete key does

// ---- Text model (vtxm) ------------------------------------------------------------------------

bool tx_add_paragraph(tx_record *rec, std::uint16_t index, const char *text);
bool tx_append(tx_record *rec, std::uint16_t par, const char *text);
bool tx_set_paragraph(tx_record *rec, std::uint16_t par, const char *text);
bool tx_remove_paragraph(tx_record *rec, std::uint16_t par);
bool tx_clear(tx_record *rec);
// Inserts len bytes (kEnd or more: all of the NUL-terminated text) at pos, which moves to just
// after the inserted text.
bool tx_insert(tx_record *rec, const char *text, std::uint32_t len, tx_position &pos);
bool tx_delete_in_paragraph(tx_record *rec, std::uint16_t par, std::uint16_t line1,
                            std::uint16_t char1, std::uint16_t line2, std::uint16_t char2);
bool tx_delete_across(tx_record *rec, std::uint16_t par1, std::uint16_t line1, std::uint16_t char1,
                      std::uint16_t par2, std::uint16_t line2, std::uint16_t char2);
bool tx_split_paragraph(tx_record *rec, tx_position pos);
bool tx_delete_selection(tx_record *rec);
bool tx_break_lines(tx_record *rec, std::uint16_t par, std::uint16_t from_line);
// vkov_tx_get_line's protocol: mode 0 open, 1 get, 2 close.
char *tx_line_access(tx_record *rec, std::uint16_t par, std::int32_t mode, std::uint16_t line,
                     std::uint16_t *len);
// The drawing code's own access to a line: no open paragraph is involved. Null when the
// paragraph or line does not exist.
const char *tx_line_text(const tx_record *rec, std::uint16_t par, std::uint16_t line,
                         std::uint32_t *len_bytes);
std::uint16_t tx_line_chars(const tx_record *rec, std::uint16_t par, std::uint16_t line);
std::uint16_t tx_paragraph_lines(const tx_record *rec, std::uint16_t par);
std::uint16_t tx_text_width(tx_record *rec, const char *text, std::int32_t chars,
                            std::int32_t start_x);
std::uint16_t tx_char_at_x(tx_record *rec, const char *text, std::int32_t chars, std::int32_t x);
void tx_nearest_char(tx_record *rec, tx_position &pos);
void tx_clamp_position(const tx_record *rec, tx_position &pos); // into the existing lines
void tx_set_px(tx_record *rec, tx_position &pos);               // pixel offset of pos's character
// The position of a byte offset of a paragraph (a line start belongs to its own line).
tx_position tx_position_at(tx_record *rec, std::uint16_t par, std::uint32_t offset);
// Signed number of lines from the line (par1, line1) to (par2, line2).
std::int32_t tx_lines_between(const tx_record *rec, std::uint16_t par1, std::uint16_t line1,
                              std::uint16_t par2, std::uint16_t line2);
// The line that lies n lines (signed) after (par, line); false when that runs off the text.
bool tx_line_step(const tx_record *rec, std::uint16_t &par, std::uint16_t &line, std::int32_t n);
// Changes the total line count by delta; refuses (false, nothing changed) a total above kMaxLines.
bool tx_change_line_count(tx_record *rec, std::int32_t delta);

// ---- View (vtxv) ------------------------------------------------------------------------------

void tx_prepare_drawing(tx_record *rec);
void tx_restore_drawing();
void tx_flush_updates(tx_record *rec);
void tx_set_default_colors(tx_record *rec); // black on white, black frame
bool tx_set_font(tx_record *rec, FONT_OBJ font);
bool tx_reset_colors(tx_record *rec);
void tx_move(std::uint32_t slot, const s_rct *rct);
void tx_draw(tx_record *rec, bool only_update);
void tx_draw_range(tx_record *rec, std::uint16_t par1, std::uint16_t line1, std::uint16_t par2,
                   std::uint16_t line2, bool only_update);
void tx_redraw_lines(tx_record *rec, std::uint16_t par, std::uint16_t first, std::uint16_t last);
void tx_shift_lines(tx_record *rec, std::uint16_t par, std::uint16_t line, std::int32_t delta,
                    bool flush_first);
void tx_scroll(tx_record *rec, std::int32_t dx_px, std::int32_t dy_px);
// Brings (x, y) into view; the point is corrected by the amounts scrolled.
void tx_autoscroll(tx_record *rec, s_pnt &point, std::int32_t x_margin, std::int32_t y_margin);
void tx_make_visible(tx_record *rec, const tx_position &pos);
void tx_hide_caret(tx_record *rec);
void tx_show_caret(tx_record *rec, bool autoscroll);
void tx_set_highlight(tx_record *rec, bool on);
void tx_reset_view(tx_record *rec, bool resume);
void tx_suspend(tx_record *rec);
void tx_resume(tx_record *rec);
std::uint16_t tx_visible_lines(const tx_record *rec);
// The scroll callback: each flag says whether that value changed (else 65535 is passed).
void tx_notify_scroll(tx_record *rec, bool origin_changed, bool count_changed, bool hor_changed);

// ---- Text-edit windows (vtxw) -----------------------------------------------------------------

std::uint32_t tx_slot_of_window(WINDOW win);
WINDOW tx_create_window(WINDOW parent, const s_rct *rct, std::uint16_t attrs, FONT_OBJ font,
                        std::int16_t margin, std::uint16_t limit, std::int32_t cid,
                        std::intptr_t data);
void tx_window_font(WINDOW win, FONT_OBJ font);
// The text-edit window with that parent and control id, or null.
WINDOW tx_find_window(WINDOW parent, std::int32_t cid);
// Window mode: sends the text-edit window's parent a control event with the two values.
void tx_notify_parent(tx_record *rec, std::int16_t value1, std::int16_t value2);

} // namespace vkotx
