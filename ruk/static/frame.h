// frame.h: the frame that every checking-layer entry point runs in: the error-frame guard, the
// update refusal, handle checks, report helpers, the layer's codes and its module table.
// The rule a reader must not miss: a window is confirmed live in the base library's registry
// (vkov_vobj_is_valid) before any field of its record is read.
#pragma once

#include <cstdint>

#include "vkobase/vkobase.h"
#include "vkotext/tx.h"

namespace vkoruk {

// ---- Codes of the whole layer (sorted) --------------------------------------------------------
constexpr std::uint32_t kErrNullArgument = 0x210000;   // a required pointer is null
constexpr std::uint32_t kErrOutOfSet = 0x220000;       // an argument outside its allowed set
constexpr std::uint32_t kErrWrongKind = 0x230000;      // the object is of the wrong kind
constexpr std::uint32_t kErrBadValue = 0x250000;       // an argument value is not acceptable
constexpr std::uint32_t kErrNoStream = 0x510000;       // the base library returned no stream
constexpr std::uint32_t kErrFontNotMapped = 0x640000;  // the font is not mapped
constexpr std::uint32_t kErrNullMenuTree = 0x1210001;  // null menu tree
constexpr std::uint32_t kErrNullWindow = 0x1210002;
constexpr std::uint32_t kErrNullFont = 0x1210003;
constexpr std::uint32_t kErrNullPalette = 0x1210004;
constexpr std::uint32_t kErrNullPicture = 0x1210005;
constexpr std::uint32_t kErrNullPixmap = 0x1210006;
constexpr std::uint32_t kErrNullImage = 0x1210007;
constexpr std::uint32_t kErrNullSlist = 0x121000A;
constexpr std::uint32_t kErrNullHandler = 0x121000E;
constexpr std::uint32_t kErrBadName = 0x1220001;       // null class name, tag missing from a tree
constexpr std::uint32_t kErrBadWindow = 0x1220002;
constexpr std::uint32_t kErrBadFont = 0x1220003;
constexpr std::uint32_t kErrBadPalette = 0x1220004;
constexpr std::uint32_t kErrBadPicture = 0x1220005;
constexpr std::uint32_t kErrBadPixmap = 0x1220006;
constexpr std::uint32_t kErrBadImage = 0x1220007;
constexpr std::uint32_t kErrBadSlist = 0x1220008;
constexpr std::uint32_t kErrBadTextEdit = 0x1220009;
constexpr std::uint32_t kErrEmptyTools = 0x122000B;
constexpr std::uint32_t kErrBadPrintRecord = 0x122000C;
constexpr std::uint32_t kErrNullEvent = 0x122000D;
constexpr std::uint32_t kErrBadCxo = 0x1220011;
constexpr std::uint32_t kErrNotModalWindow = 0x1220013;
constexpr std::uint32_t kErrWrongWindowKind = 0x1230001;
constexpr std::uint32_t kErrNoScrollBar = 0x1230004;
constexpr std::uint32_t kErrRectRepaired = 0x1240003;
constexpr std::uint32_t kErrValueOutOfSet = 0x1250001;
constexpr std::uint32_t kErrBadCount = 0x1250004;      // negative or non-positive count or size
constexpr std::uint32_t kErrBufferTooSmall = 0x1260003;
constexpr std::uint32_t kErrNoFile = 0x1530001;
constexpr std::uint32_t kErrNoMenuBar = 0x1540004;
constexpr std::uint32_t kErrDuringUpdate = 0x1610001;
constexpr std::uint32_t kErrNoEventHandler = 0x1640001;

// Severity passed with every report.
constexpr std::int32_t kRefused = 2;   // the call ends at the check
constexpr std::int32_t kRepaired = 1;  // a default or repaired copy is used and the call goes on

// Window record constants that the checks test.
constexpr std::uint32_t kWinSignature = VKO_WIN_SIGNATURE;
constexpr std::uint32_t kDrawableMask = VKO_WF_DRAWABLE_MASK;
constexpr std::uint32_t kFlagPixmap = VKO_WF_PIXMAP;
constexpr std::uint32_t kFlagTextEdit = VKO_WF_TEXTEDIT;
constexpr std::uint32_t kFlagFixed = VKO_WF_FIXED;
constexpr std::int32_t kTextEditType = 23;  // the type that a text-edit record reports

// Update-refusal reports carry the row's line in the family table plus this base, so that
// they never share a line with a check site in the family's source.
constexpr std::int32_t kUpdateLineBase = 10000;
// A check that tests one handle several ways (here and in the families' helpers) reports a
// missing handle at the caller's line, a handle that is not live at that line plus
// kNotLiveLineBase, and a live window of the wrong kind at that line plus
// kWrongKindLineBase: every test has a line of its own.
constexpr std::int32_t kNotLiveLineBase = 20000;
constexpr std::int32_t kWrongKindLineBase = 30000;

// The layer's source modules and the families each one holds.
struct LayerModule {
    const char* name;
    const char* families;
};
inline constexpr LayerModule kLayerModules[] = {
    {"tstr", "str"},       {"tfont", "font fmap"},   {"tvobj", "vobj"},    {"ttx", "tx"},
    {"tdm", "dm"},         {"tapp", "app"},          {"tprint", "print"},  {"tdwin", "dwin"},
    {"twin", "win ctl"},   {"trect", "rect"},        {"timage", "image"},  {"tcb", "cb"},
    {"tpict", "pict"},     {"tgmem", "gmem"},        {"tscr", "scr"},      {"tfsys", "fsys"},
    {"tctl", "ctl"},       {"tmem", "mem"},          {"tres", "res"},      {"tpalet", "palet"},
    {"tiostr", "iostr"},   {"tmenu", "menu"},        {"tlist", "list"},    {"tcxo", "cxo"},
    {"tpmap", "pmap"},     {"tsbar", "sbar"},        {"tslist", "slist"},  {"tpat", "pattern"},
    {"tnotebk", "notebk"}, {"thelp", "help"},     {"ttimer", "timer"},
};

// Whether an entry point refuses calls made while an update is being processed. The table
// rows name these enumerators bare (kRefuse, kAllowed).
enum class Update { kAllowed, kRefuse };

// One running entry point. Construction marks the error frame with the entry point's name and
// destruction unmarks it, so every return path is balanced. Every check reports its own line
// and, on failure, answers false: the caller then returns its neutral value. Reports go out
// with object 0 unless the check takes an object.
class ApiFrame {
public:
    ApiFrame(const char* api_name, const char* module) noexcept;
    ~ApiFrame();
    ApiFrame(const ApiFrame&) = delete;
    ApiFrame& operator=(const ApiFrame&) = delete;

    const char* module() const noexcept { return itsModule; }

    // Reports with severity 2 (refuse) or 1 (repair); the object is 0 unless given.
    void refuse(std::uint32_t code, int line, WINDOW obj = nullptr) const noexcept;
    void repair(std::uint32_t code, int line, WINDOW obj = nullptr) const noexcept;

    // True (after reporting 0x1610001) when the base library is processing an update; the
    // report names obj (0 unless the family names its window).
    bool refused_during_update(int line, WINDOW obj = nullptr) const noexcept;

    // A pointer argument that must not be null: 0x210000.
    bool not_null(const void* ptr, int line, WINDOW obj = nullptr) const noexcept;
    // A count or size that must be at least 1 (0x1250004 otherwise).
    bool positive(long value, int line) const noexcept;
    // A count that must not be negative (0x1250004 otherwise).
    bool not_negative(long value, int line) const noexcept;

    // The window check: null gives 0x1210002; a handle that the registry does not know as a
    // live window, or whose record does not carry the signature, gives 0x1220002 (at line +
    // kNotLiveLineBase).
    bool live_window(WINDOW win, int line, WINDOW obj = nullptr) const noexcept;
    // The window check, then no bit of 0x543E or a text edit (bit 0x2000): 0x1230001 (at
    // line + kWrongKindLineBase).
    bool drawable_window(WINDOW win, int line, WINDOW obj = nullptr) const noexcept;
    // For a window that passed live_window: flag bit 0x2000 set gives 0x1230001.
    bool not_text_edit(WINDOW win, int line) const noexcept;
    // A font that passes vkov_font_is_valid (0x1220003 otherwise, null included).
    bool valid_font(FONT_OBJ font, int line) const noexcept;
    // A font that is not null (0x1210003), then valid (0x1220003, at line + kNotLiveLineBase).
    bool font_given_and_valid(FONT_OBJ font, int line) const noexcept;
    // A text edit that passes the text-edit engine's vkov_tx_is_valid (0x1220009).
    bool valid_text_edit(TXEDIT tx, int line) const noexcept;

    // Rectangles. rect_given: null gives 0x210000. rect_empty: true (no report) when the base
    // library calls the rectangle empty. repaired: an out-of-order rectangle is copied into
    // the frame's own storage, put in order with vkov_rect_repair_ptr and reported with
    // severity 1; the answer is the copy, or the rectangle itself when it was in order. The
    // caller's rectangle is never written.
    bool rect_given(const s_rct* rct, int line, WINDOW obj = nullptr) const noexcept;
    static bool rect_empty(const s_rct* rct) noexcept;
    static bool rect_out_of_order(const s_rct* rct) noexcept;
    s_rct* repaired(const s_rct* rct, int line) noexcept;

private:
    const char* itsModule;
    s_rct itsRepaired[2] = {};  // copies handed out by repaired(), at most two per call
    int itsRepairedUsed = 0;
};

// Window record reads, valid only after live_window() accepted the handle.
inline bool is_text_edit(WINDOW win) noexcept { return (win->flags & kFlagTextEdit) != 0; }
// The type a family sees: 23 for a text edit, else the record's type word.
inline std::int32_t effective_type(WINDOW win) noexcept {
    return is_text_edit(win) ? kTextEditType : win->type;
}
// True when the record is live in the registry and carries the signature; never reads a
// record that the registry does not know.
bool is_live_window(WINDOW win) noexcept;

// Copies a text into a caller's buffer of buf_size bytes for the font queries: the text must
// be shorter in bytes than the buffer (0x1260003 otherwise, the buffer keeps its empty string).
bool copy_text_out(const ApiFrame& frame, const char* text, char* buf, long buf_size,
                   int line) noexcept;

} // namespace vkoruk
