// tx_record.h: the text-edit engine's records: positions, paragraphs, the text-edit record, the
// slot table and the process-wide module state. A record is reached only through its slot, under
// the lock frame of vtxc (tx_lock_record ... tx_unlock_record); every record, paragraph and slot
// goes when the module state is finalised (process exit or the base library's test reset).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vkobase/types.h"
#include "vkotext/tx.h"

namespace vkotx {

// ---- Report codes and module names ------------------------------------------------------------

constexpr std::uint32_t kErrInternal = 0x1740001;     // severity 3: no record, bad signature ...
constexpr std::uint32_t kErrDestroyRange = 0x1740002; // severity 3: slot out of range in destroy
constexpr std::uint32_t kErrFreeFailed = 0x1740003;   // severity 3: freeing a record failed
constexpr std::uint32_t kErrHiddenDelete = 0x1740004; // severity 3: one-character delete re-entered
constexpr std::uint32_t kErrNoMemory = 0x1510002;     // severity 2
constexpr std::uint32_t kErrIndexRange = 0x1260002;   // severity 2: paragraph/line index, text size
constexpr std::uint32_t kErrBlockLimit = 0x640000;    // severity 2: block would reach 32767 bytes
constexpr std::uint32_t kErrCompareStart = 0x200000;  // severity 3: line-table comparison start
constexpr std::uint32_t kErrNullWindow = 0x1220002;   // severity 3: vkov_tx_get_tx(null, ...)

constexpr char kModuleRecords[] = "vtxc"; // records, events, focus
constexpr char kModuleModel[] = "vtxm";   // text model and editing
constexpr char kModuleView[] = "vtxv";    // view and scrolling
constexpr char kModuleExports[] = "vtxo"; // exported operations

// ---- Attribute and state bits -----------------------------------------------------------------

constexpr std::uint16_t kAttrReadOnly = 0x0001;
constexpr std::uint16_t kAttrWrap = 0x0002;
constexpr std::uint16_t kAttrAutoVScroll = 0x0004;
constexpr std::uint16_t kAttrAutoHScroll = 0x0008;
constexpr std::uint16_t kAttrBorder = 0x0010;
constexpr std::uint16_t kAttrOnePar = 0x0080;
constexpr std::uint16_t kAttrNoCopy = 0x0100;
constexpr std::uint16_t kAttrNoCut = 0x0200;
constexpr std::uint16_t kAttrNoPaste = 0x0400;
constexpr std::uint16_t kAttrNoMenu = 0x0800;
constexpr std::uint16_t kAttrClearEmpty = 0x1000;
constexpr std::uint16_t kAttrOvertype = 0x2000;
constexpr std::uint16_t kAttrDisabled = 0x4000;
constexpr std::uint16_t kAttrInvisible = 0x8000;

constexpr std::uint16_t kStateSelHidden = 0x0001; // focus lost or activation pending
constexpr std::uint16_t kStateSuspended = 0x0002; // no drawing, scrolling or caret
constexpr std::uint16_t kStateWordSel = 0x0004;   // word-wise mouse selection in progress

constexpr std::uint32_t kRecordSignature = 31987;
constexpr std::uint32_t kSlotActive = 0x0001; // tx_slot::flags: the active text edit of its window

constexpr std::uint16_t kEnd = 65535;         // "the end" for paragraph, line and character
constexpr std::uint16_t kMaxLines = 65534;    // line counts are 16-bit; 65535 means "unchanged"
constexpr std::uint32_t kBlockLimit = 32767;  // paragraph blocks and line tables stay below
constexpr std::uint32_t kParHeaderBytes = 32; // what a paragraph block holds besides its text
constexpr std::uint32_t kParRoom = 64;        // spare text room of a new paragraph
constexpr std::uint32_t kLineTableStep = 16;  // entries a line table starts with and grows by

// ---- Records ----------------------------------------------------------------------------------

// A place in the text. Compared by paragraph, line, character; px takes no part.
struct tx_position {
    std::uint16_t par = 0;
    std::uint16_t line = 0;
    std::uint16_t chr = 0;
    std::uint16_t px = 0; // pixel offset of the character from the line's start
};

// One paragraph: its text and its line starts. The capacities are the sizes the paragraph's
// blocks would have; they enforce the 32767-byte limits.
struct tx_paragraph {
    std::uint32_t flags = 0x1F21;                 // 0x1000: lines broken since the last deletion
    std::string text;                             // multibyte text (std::string keeps the NUL)
    std::uint32_t capacity_bytes = 0;             // text room, always above text.size()
    std::vector<std::uint32_t> line_starts{0};    // byte offset of each line; size() = line count
    std::uint32_t line_capacity = kLineTableStep; // entries of the line table
};

// A text edit. Owned by its slot; reached through tx_lock_record only.
struct tx_record {
    std::uint32_t signature = kRecordSignature;
    std::uint32_t slot = 0;
    std::uint16_t attrs = 0;
    std::uint16_t state = 0;
    WINDOW win = nullptr;     // drawing window
    WINDOW owner = nullptr;   // object mode: the drawing window; window mode: its parent
    s_rct view{};             // text area
    s_rct outer{};            // whole text edit
    FONT_OBJ font = nullptr;  // the record's own font object
    std::uint16_t margin = 0; // wrap width in pixels; 0: the view width less 2
    std::uint16_t limit = 0;  // most characters a paragraph holds; 0: no limit
    std::int32_t cid = 0;
    std::intptr_t data = 0;
    tx_position anchor;   // fixed end of the selection
    tx_position end;      // moving end; the caret stands here
    tx_position hl_start; // ordered range drawn highlighted now; both zero for none
    tx_position hl_end;
    std::uint16_t hor_origin = 0;
    std::uint16_t origin_par = 0;
    std::uint16_t origin_line = 0;
    std::uint16_t line_count = 0; // total lines of all paragraphs
    std::uint16_t line_height = 0;
    std::uint16_t ascent = 0;
    std::uint16_t descent = 0;
    std::uint16_t avg_char_width = 1;
    std::vector<tx_paragraph> pars; // paragraph count = pars.size()
    std::uint32_t par_capacity = 0; // entries the paragraph array would hold
    VKO_TX_SCROLL_CALLBACK scroll_callback = nullptr;
    COLOR text_color = VKO_COLOR_BLACK;
    COLOR back_color = VKO_COLOR_WHITE;
    COLOR border_color = VKO_COLOR_BLACK;
    std::uint16_t colors_fixed = 0;
    std::uint16_t tabstop = 8;

    std::uint16_t par_count() const { return static_cast<std::uint16_t>(pars.size()); }
};

// Slot-table entry; entry 0 is never used. A free slot has win == nullptr.
struct tx_slot {
    WINDOW win = nullptr;
    s_rct outer{};
    std::unique_ptr<tx_record> record;
    tx_record *locked = nullptr; // set while lock_count > 0
    std::uint32_t flags = 0;     // kSlotActive
    std::uint32_t lock_count = 0;
    bool destroy_pending = false; // destroyed from inside a lock frame: done when it ends
};

// Process-wide state: created on first use, finalised at exit or by the test reset (which also
// makes the next use read attribute 718 again).
struct tx_module_state {
    std::uint32_t tracking_slot = 0; // slot being selected with the mouse
    tx_position tracking_pos;
    std::vector<tx_slot> slots;               // index = slot number; entry 0 unused
    std::vector<std::uint32_t> scratch_lines; // old line starts while a paragraph is re-broken
    std::uint32_t open_slot = 0;              // paragraph opened by vkov_tx_get_line (0: none)
    std::uint16_t open_par = 0;
    std::uint16_t scroll_update = 0; // non-zero while the engine scrolls pixels itself
    WINDOW prepared_win = nullptr;   // window whose drawing state is saved
    s_drawct saved_tools{};
    FONT_OBJ saved_font = nullptr; // copy of the prepared window's font
    s_rct saved_clip{};
    BOOLEAN saved_has_clip = FALSE;
    std::uint32_t applied_slot = 0; // slot whose font, colours and clip are set now
    std::uint16_t object_mode = 0;  // attribute 718 at initialisation
    DLIST window_list = nullptr;    // window mode: links of all text-edit windows
    // Records whose slot was freed while a lock frame still held them (a window destroyed from
    // inside a notification or callback): kept until the last of those frames ends, so that
    // the frame can see the record is gone instead of using freed memory.
    struct retired_record {
        std::unique_ptr<tx_record> record;
        std::uint32_t lock_count = 0;
    };
    std::vector<retired_record> retired;
};

} // namespace vkotx
