// vtxm.cpp: the text model: paragraphs, their line tables, line breaking, measuring, and the
// insertions and deletions everything else is built on. A paragraph's blocks stay below 32767
// bytes and the whole text below 65535 lines; a change that would pass either is refused before
// the text is touched, so a refused change leaves the old text as it was.
#include "tx_internal.h"

#include <algorithm>
#include <cstring>

#include "vkobase/dwin.h"
#include "vkobase/str.h"

namespace vkotx {
namespace {

constexpr char kModule[] = "vtxm";
constexpr std::uint32_t kNewParagraphLimit = 65535; // bytes a new paragraph may not reach
constexpr std::uint32_t kMaxParagraphs = 65534;
constexpr std::uint32_t kArrayGrowth = 10;
constexpr std::uint32_t kNoSync = 0xFFFFFFFF; // break to the end: the wrap width may have changed

tx_paragraph *paragraph(tx_record *rec, std::uint16_t par) {
    return par < rec->pars.size() ? &rec->pars[par] : nullptr;
}

std::uint32_t line_start(const tx_paragraph &p, std::uint16_t line) {
    return line < p.line_starts.size() ? p.line_starts[line]
                                       : static_cast<std::uint32_t>(p.text.size());
}

std::uint32_t line_end(const tx_paragraph &p, std::uint16_t line) {
    return static_cast<std::uint32_t>(line) + 1 < p.line_starts.size()
               ? p.line_starts[line + 1]
               : static_cast<std::uint32_t>(p.text.size());
}

std::uint16_t last_line(const tx_paragraph &p) {
    return static_cast<std::uint16_t>(p.line_starts.size() - 1);
}

std::int32_t chars_in(const char *text, std::uint32_t len_bytes) {
    std::int32_t used = 0;
    return vkov_str_get_n_char_count(text, static_cast<std::int32_t>(len_bytes), &used);
}

std::uint32_t bytes_of(const char *text, std::int32_t chars) {
    return static_cast<std::uint32_t>(std::max(0, vkov_str_get_n_char_size(text, chars)));
}

// The text room a block of that capacity may have: header, text and its NUL stay below 32767.
bool capacity_fits(std::uint32_t capacity) {
    return capacity + 1 < kBlockLimit - kParHeaderBytes;
}

// Room needed for len_bytes of text; grows the capacity as the block would grow.
bool reserve_text(tx_paragraph &p, std::uint32_t len_bytes) {
    if (p.capacity_bytes > len_bytes)
        return true;
    const std::uint32_t wanted = len_bytes + kParRoom;
    if (!capacity_fits(wanted)) {
        tx_report(2, kErrBlockLimit, kModule, __LINE__);
        return false;
    }
    p.capacity_bytes = wanted;
    return true;
}

// Byte offset of a position inside its paragraph; kEnd characters means the line's end.
std::uint32_t offset_of(const tx_paragraph &p, std::uint16_t line, std::uint16_t chr) {
    const std::uint32_t start = line_start(p, line);
    if (chr == kEnd)
        return line_end(p, line);
    return start + bytes_of(p.text.c_str() + start, chr);
}

bool is_space(char c) {
    return c == ' ' || c == '\t';
}

// Breaks the text from offset s into lines of at most width_px; appends the starts of the lines
// after the first to starts. Stops early once a line starts beyond stable_from (the end of the
// changed text) at a start the old table also has: the text from there on is unchanged, so the
// rest of the lines are the old table's. Starts at stable_from itself may have been clamped
// there by a deletion and are never trusted.
bool compute_breaks(tx_record *rec, const std::string &text, std::uint32_t s, std::int32_t width_px,
                    std::uint32_t stable_from, const std::vector<std::uint32_t> &old_starts,
                    std::vector<std::uint32_t> &starts) {
    const std::uint32_t len = static_cast<std::uint32_t>(text.size());
    std::size_t old_index = 0;
    while (s < len) {
        std::uint32_t pos = s; // start of the next word to try
        std::uint32_t brk = s; // end of what fits so far (after trailing spaces)
        while (pos < len) {
            std::uint32_t q = pos;
            while (q < len && !is_space(text[q]))
                ++q;
            const std::int32_t chars = chars_in(text.c_str() + s, q - s);
            if (tx_text_width(rec, text.c_str() + s, chars, 0) > width_px)
                break;
            while (q < len && is_space(text[q]))
                ++q;
            brk = q;
            pos = q;
        }
        if (brk == s) { // not even the first word fits: split inside it, one character at least
            std::uint32_t q = s;
            while (q < len && !is_space(text[q]))
                ++q;
            const std::int32_t word_chars = chars_in(text.c_str() + s, q - s);
            std::int32_t k = tx_char_at_x(rec, text.c_str() + s, word_chars, width_px);
            k = std::max(k, 1);
            brk = s + bytes_of(text.c_str() + s, k);
        }
        if (brk >= len)
            break;
        starts.push_back(brk);
        s = brk;
        if (s > stable_from) {
            while (old_index < old_starts.size() && old_starts[old_index] < s)
                ++old_index;
            if (old_index < old_starts.size() && old_starts[old_index] == s) {
                starts.insert(starts.end(),
                              old_starts.begin() + static_cast<std::ptrdiff_t>(old_index) + 1,
                              old_starts.end());
                break;
            }
        }
        if (starts.size() >= kMaxLines)
            return false;
    }
    return true;
}

// First and last changed line of a paragraph whose line table changed from old to new.
void compare_line_tables(const std::vector<std::uint32_t> &old_t,
                         const std::vector<std::uint32_t> &new_t, std::uint16_t from_line,
                         std::int32_t &first, std::int32_t &last) {
    const std::int32_t old_n = static_cast<std::int32_t>(old_t.size());
    const std::int32_t new_n = static_cast<std::int32_t>(new_t.size());
    const std::int32_t n = std::min(old_n, new_n);
    // A start line the paragraph never had is a caller's fault. One that only lies beyond the
    // new table is normal: the head of a paragraph split at the start of a wrapped line, for
    // one, re-breaks into fewer lines than the split asked to keep.
    if (from_line >= new_n && from_line >= old_n)
        tx_report(3, kErrCompareStart, kModule, __LINE__);
    first = n - 1;
    for (std::int32_t i = 1; i < n; ++i)
        if (old_t[static_cast<std::size_t>(i)] != new_t[static_cast<std::size_t>(i)]) {
            first = i - 1;
            break;
        }
    first = std::min<std::int32_t>(first, from_line);
    last = first;
    for (std::int32_t k = 0; k < n; ++k)
        if (old_t[static_cast<std::size_t>(old_n - 1 - k)] !=
            new_t[static_cast<std::size_t>(new_n - 1 - k)]) {
            last = std::max<std::int32_t>(new_n - 1 - k, from_line);
            break;
        }
}

void clamp_end_into(tx_record *rec, tx_position &pos, std::uint16_t par) {
    if (pos.par != par)
        return;
    tx_clamp_position(rec, pos);
}

bool break_lines(tx_record *rec, std::uint16_t par, std::uint16_t from_line,
                 std::uint32_t stable_from) {
    tx_paragraph &p = rec->pars[par];
    const std::int32_t old_count = static_cast<std::int32_t>(p.line_starts.size());
    if ((rec->attrs & kAttrWrap) == 0) {
        if (!tx_change_line_count(rec, 1 - old_count))
            return false;
        p.line_starts.assign(1, 0);
        p.flags |= 0x1000;
        clamp_end_into(rec, rec->anchor, par);
        clamp_end_into(rec, rec->end, par);
        tx_redraw_lines(rec, par, from_line, kEnd);
        return true;
    }
    std::vector<std::uint32_t> &old_t = tx_state().scratch_lines;
    old_t = p.line_starts;
    const std::int32_t view_width = rec->view.right - rec->view.left;
    const std::int32_t width_px = rec->margin != 0 ? rec->margin : view_width - 2;

    from_line = static_cast<std::uint16_t>(std::min<std::int32_t>(from_line, old_count));
    std::vector<std::uint32_t> new_t;
    new_t.reserve(old_t.size() + kLineTableStep);
    std::uint32_t s = 0;
    if (from_line == 0) {
        new_t.push_back(0);
    } else {
        new_t.assign(old_t.begin(), old_t.begin() + from_line);
        s = new_t.back();
    }
    if (!compute_breaks(rec, p.text, s, width_px, stable_from, old_t, new_t))
        return false;
    const std::int32_t new_count = static_cast<std::int32_t>(new_t.size());
    // The line table is a block of 32-bit starts that grows by 16 entries and stays below 32767.
    std::uint32_t capacity = p.line_capacity;
    if (static_cast<std::uint32_t>(new_count) > capacity)
        capacity = capacity + (static_cast<std::uint32_t>(new_count) - capacity) + kLineTableStep;
    if (capacity * sizeof(std::uint32_t) >= kBlockLimit) {
        tx_report(2, kErrBlockLimit, kModule, __LINE__);
        return false;
    }
    if (!tx_change_line_count(rec, new_count - old_count))
        return false;
    p.line_capacity = capacity;
    p.line_starts = std::move(new_t);
    p.flags |= 0x1000;
    clamp_end_into(rec, rec->anchor, par);
    clamp_end_into(rec, rec->end, par);

    std::int32_t first = 0;
    std::int32_t last = 0;
    compare_line_tables(old_t, p.line_starts, from_line, first, last);
    const std::int32_t delta = new_count - old_count;
    if (delta != 0) {
        // The lines below the change sit where the old table left them: move them by delta.
        const std::int32_t below = std::max(0, last - delta + 1);
        tx_shift_lines(rec, par, static_cast<std::uint16_t>(below), delta, false);
    }
    tx_redraw_lines(rec, par, static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(last));
    return true;
}

std::unique_ptr<tx_paragraph> make_paragraph(const char *text) {
    const std::size_t len = std::strlen(text);
    if (len >= kNewParagraphLimit) {
        tx_report(2, kErrIndexRange, kModule, __LINE__);
        return nullptr;
    }
    auto p = std::make_unique<tx_paragraph>();
    p->capacity_bytes = static_cast<std::uint32_t>(len) + kParRoom;
    if (!capacity_fits(p->capacity_bytes)) {
        tx_report(2, kErrBlockLimit, kModule, __LINE__);
        return nullptr;
    }
    p->text.assign(text, len);
    return p;
}

} // namespace

// The position of a byte offset: the line holding it (a line start belongs to its own line).
tx_position tx_position_at(tx_record *rec, std::uint16_t par, std::uint32_t offset) {
    tx_position pos;
    pos.par = par;
    const tx_paragraph &p = rec->pars[par];
    const auto it = std::upper_bound(p.line_starts.begin(), p.line_starts.end(), offset);
    pos.line =
        static_cast<std::uint16_t>(std::max<std::ptrdiff_t>(0, it - p.line_starts.begin() - 1));
    const std::uint32_t start = p.line_starts[pos.line];
    pos.chr = static_cast<std::uint16_t>(chars_in(p.text.c_str() + start, offset - start));
    pos.px = tx_text_width(rec, p.text.c_str() + start, pos.chr, 0);
    return pos;
}

// ---- Queries -----------------------------------------------------------------------------------

const char *tx_line_text(const tx_record *rec, std::uint16_t par, std::uint16_t line,
                         std::uint32_t *len_bytes) {
    if (par >= rec->pars.size() || line >= rec->pars[par].line_starts.size()) {
        *len_bytes = 0;
        return nullptr;
    }
    const tx_paragraph &p = rec->pars[par];
    *len_bytes = line_end(p, line) - p.line_starts[line];
    return p.text.c_str() + p.line_starts[line];
}

std::uint16_t tx_line_chars(const tx_record *rec, std::uint16_t par, std::uint16_t line) {
    if (par >= rec->pars.size())
        return 0;
    const tx_paragraph &p = rec->pars[par];
    line = std::min(line, last_line(p));
    return static_cast<std::uint16_t>(
        chars_in(p.text.c_str() + p.line_starts[line], line_end(p, line) - p.line_starts[line]));
}

std::uint16_t tx_paragraph_lines(const tx_record *rec, std::uint16_t par) {
    if (par >= rec->pars.size()) {
        tx_report(2, kErrIndexRange, kModule, __LINE__);
        return 0;
    }
    return static_cast<std::uint16_t>(rec->pars[par].line_starts.size());
}

char *tx_line_access(tx_record *rec, std::uint16_t par, std::int32_t mode, std::uint16_t line,
                     std::uint16_t *len) {
    tx_module_state &state = tx_state();
    auto set_len = [len](std::uint16_t value) {
        if (len != nullptr)
            *len = value;
    };
    switch (mode) {
    case 0: // open: a paragraph still open is closed first
        if (par >= rec->pars.size()) {
            tx_report(2, kErrIndexRange, kModule, __LINE__);
            set_len(0);
            return nullptr;
        }
        state.open_slot = rec->slot;
        state.open_par = par;
        return nullptr;
    case 1: {
        if (state.open_slot != rec->slot || state.open_par >= rec->pars.size()) {
            tx_report(3, kErrInternal, kModule, __LINE__);
            set_len(0);
            return nullptr;
        }
        tx_paragraph &p = rec->pars[state.open_par];
        if (line >= p.line_starts.size()) {
            tx_report(2, kErrIndexRange, kModule, __LINE__);
            set_len(0);
            return nullptr;
        }
        set_len(static_cast<std::uint16_t>(line_end(p, line) - p.line_starts[line]));
        return p.text.data() + p.line_starts[line];
    }
    case 2:
        state.open_slot = 0;
        return nullptr;
    default:
        tx_report(3, kErrInternal, kModule, __LINE__);
        set_len(0);
        return nullptr;
    }
}

std::uint16_t tx_text_width(tx_record *rec, const char *text, std::int32_t chars,
                            std::int32_t start_x) {
    const std::uint32_t len =
        chars < 0 ? static_cast<std::uint32_t>(std::strlen(text)) : bytes_of(text, chars);
    if (len == 0)
        return 0;
    tx_prepare_drawing(rec);
    const std::int32_t tab_px = std::max<std::int32_t>(1, rec->avg_char_width * rec->tabstop);
    std::int32_t x = start_x;
    std::uint32_t i = 0;
    while (i < len) {
        std::uint32_t j = i;
        if (text[i] == '\t') {
            while (j < len && text[j] == '\t')
                ++j;
            const std::int32_t n = static_cast<std::int32_t>(j - i);
            x += (tab_px - x % tab_px) + (n - 1) * tab_px;
        } else {
            while (j < len && text[j] != '\t')
                ++j;
            x += std::max(
                0, vkok_dwin_get_text_width(rec->win, text + i, static_cast<std::int32_t>(j - i)));
        }
        i = j;
    }
    return static_cast<std::uint16_t>(std::clamp(x - start_x, 0, 65535));
}

std::uint16_t tx_char_at_x(tx_record *rec, const char *text, std::int32_t chars, std::int32_t x) {
    // Widths grow with the character count, so the count that fits is found by halving.
    std::int32_t lo = 0;
    std::int32_t hi = chars;
    while (lo < hi) {
        const std::int32_t mid = lo + (hi - lo + 1) / 2;
        if (tx_text_width(rec, text, mid, 0) <= x)
            lo = mid;
        else
            hi = mid - 1;
    }
    return static_cast<std::uint16_t>(lo);
}

void tx_clamp_position(const tx_record *rec, tx_position &pos) {
    if (rec->pars.empty()) {
        pos = tx_position{};
        return;
    }
    if (pos.par >= rec->pars.size()) {
        pos.par = static_cast<std::uint16_t>(rec->pars.size() - 1);
        pos.line = kEnd;
        pos.chr = kEnd;
    }
    const tx_paragraph &p = rec->pars[pos.par];
    if (pos.line >= p.line_starts.size()) {
        pos.line = last_line(p);
        pos.chr = kEnd;
    }
    const std::uint16_t n = tx_line_chars(rec, pos.par, pos.line);
    if (pos.chr > n) {
        pos.chr = n;
        tx_set_px(const_cast<tx_record *>(rec), pos); // measuring applies the record's font
    }
}

void tx_set_px(tx_record *rec, tx_position &pos) {
    if (pos.par >= rec->pars.size() || pos.chr == 0) {
        pos.px = 0;
        return;
    }
    const tx_paragraph &p = rec->pars[pos.par];
    const std::uint16_t line = std::min(pos.line, last_line(p));
    pos.px = tx_text_width(rec, p.text.c_str() + p.line_starts[line], pos.chr, 0);
}

void tx_nearest_char(tx_record *rec, tx_position &pos) {
    if (rec->pars.empty()) {
        pos = tx_position{};
        return;
    }
    pos.par = std::min<std::uint16_t>(pos.par, rec->par_count() - 1);
    const tx_paragraph &p = rec->pars[pos.par];
    pos.line = std::min(pos.line, last_line(p));
    const char *text = p.text.c_str() + p.line_starts[pos.line];
    const std::int32_t n = tx_line_chars(rec, pos.par, pos.line);
    const std::int32_t x = pos.px;
    const std::uint16_t k = tx_char_at_x(rec, text, n, x);
    const std::int32_t w0 = tx_text_width(rec, text, k, 0);
    if (k < n) {
        const std::int32_t w1 = tx_text_width(rec, text, k + 1, 0);
        if (x - w0 > w1 - x) {
            pos.chr = static_cast<std::uint16_t>(k + 1);
            pos.px = static_cast<std::uint16_t>(w1);
            return;
        }
    }
    pos.chr = k;
    pos.px = static_cast<std::uint16_t>(w0);
}

std::int32_t tx_lines_between(const tx_record *rec, std::uint16_t par1, std::uint16_t line1,
                              std::uint16_t par2, std::uint16_t line2) {
    std::int32_t sign = 1;
    if (par1 > par2) {
        std::swap(par1, par2);
        std::swap(line1, line2);
        sign = -1;
    }
    std::int32_t lines = 0;
    for (std::uint16_t p = par1; p < par2 && p < rec->pars.size(); ++p)
        lines += static_cast<std::int32_t>(rec->pars[p].line_starts.size());
    lines += static_cast<std::int32_t>(line2) - static_cast<std::int32_t>(line1);
    return sign * lines;
}

bool tx_line_step(const tx_record *rec, std::uint16_t &par, std::uint16_t &line, std::int32_t n) {
    std::int32_t p = par;
    std::int32_t l = line;
    const std::int32_t count = rec->par_count();
    if (p >= count)
        return false;
    l += n;
    while (l < 0) {
        if (--p < 0)
            return false;
        l += static_cast<std::int32_t>(rec->pars[static_cast<std::size_t>(p)].line_starts.size());
    }
    while (l >=
           static_cast<std::int32_t>(rec->pars[static_cast<std::size_t>(p)].line_starts.size())) {
        l -= static_cast<std::int32_t>(rec->pars[static_cast<std::size_t>(p)].line_starts.size());
        if (++p >= count)
            return false;
    }
    par = static_cast<std::uint16_t>(p);
    line = static_cast<std::uint16_t>(l);
    return true;
}

bool tx_change_line_count(tx_record *rec, std::int32_t delta) {
    if (delta == 0)
        return true;
    const std::int32_t total = rec->line_count + delta;
    if (total > kMaxLines) {
        tx_report(2, kErrIndexRange, kModule, __LINE__);
        return false;
    }
    rec->line_count = static_cast<std::uint16_t>(std::max(0, total));
    tx_notify_scroll(rec, false, true, false);
    return true;
}

bool tx_break_lines(tx_record *rec, std::uint16_t par, std::uint16_t from_line) {
    if (par >= rec->pars.size())
        return false;
    return break_lines(rec, par, from_line, kNoSync);
}

// ---- Paragraphs --------------------------------------------------------------------------------

bool tx_add_paragraph(tx_record *rec, std::uint16_t index, const char *text) {
    if ((rec->attrs & kAttrOnePar) != 0 && !rec->pars.empty())
        return false;
    if (rec->pars.size() >= kMaxParagraphs || rec->line_count >= kMaxLines) {
        tx_report(2, kErrIndexRange, kModule, __LINE__);
        return false;
    }
    std::unique_ptr<tx_paragraph> p = make_paragraph(text);
    if (p == nullptr)
        return false;
    const std::uint16_t count = rec->par_count();
    if (index > count)
        index = count;
    if (rec->par_capacity < static_cast<std::uint32_t>(count) + 1)
        rec->par_capacity = rec->par_capacity == 0
                                ? count + 1u
                                : std::min(rec->par_capacity + kArrayGrowth, kMaxParagraphs);
    if (index < count)
        tx_shift_lines(rec, index, 0, 1, true);
    rec->pars.insert(rec->pars.begin() + index, std::move(*p));
    // The text shown at the top stays there unless the new paragraph opens right at the top.
    if (index < count &&
        (rec->origin_par > index || (rec->origin_par == index && rec->origin_line > 0)))
        ++rec->origin_par;
    // The selection and the highlight stay with their text, which now lies one paragraph lower.
    const tx_position kept[] = {rec->anchor, rec->end, rec->hl_start, rec->hl_end};
    if (index < count) {
        const bool highlighted = tx_compare(rec->hl_start, rec->hl_end) != 0;
        for (tx_position *pos : {&rec->anchor, &rec->end})
            pos->par = static_cast<std::uint16_t>(pos->par + (pos->par >= index ? 1 : 0));
        for (tx_position *pos : {&rec->hl_start, &rec->hl_end})
            pos->par = static_cast<std::uint16_t>(pos->par + (highlighted && pos->par >= index));
    }
    tx_change_line_count(rec, 1);
    if (!break_lines(rec, index, 0, kNoSync)) { // more lines than the text may hold: take it back
        rec->anchor = kept[0];
        rec->end = kept[1];
        rec->hl_start = kept[2];
        rec->hl_end = kept[3];
        rec->pars.erase(rec->pars.begin() + index);
        tx_change_line_count(rec, -1);
        tx_draw(rec, false);
        return false;
    }
    return true;
}

bool tx_append(tx_record *rec, std::uint16_t par, const char *text) {
    if (rec->pars.empty() && !tx_add_paragraph(rec, 0, ""))
        return false;
    tx_position pos;
    pos.par = std::min<std::uint16_t>(par, rec->par_count() - 1);
    pos.line = kEnd;
    pos.chr = kEnd;
    return tx_insert(rec, text, kEnd, pos);
}

bool tx_set_paragraph(tx_record *rec, std::uint16_t par, const char *text) {
    if (par >= rec->pars.size())
        return false;
    // Refuse before deleting: the new text must fit the block (after the limit's cut).
    std::uint32_t len = static_cast<std::uint32_t>(std::strlen(text));
    if (rec->limit != 0) {
        const std::int32_t chars = chars_in(text, len);
        if (chars > rec->limit)
            len = bytes_of(text, rec->limit);
    }
    if (rec->pars[par].capacity_bytes <= len && !capacity_fits(len + kParRoom)) {
        tx_report(2, kErrBlockLimit, kModule, __LINE__);
        return false;
    }
    if (!tx_sel_empty(rec))
        tx_set_highlight(rec, false);
    const tx_paragraph saved = rec->pars[par];
    tx_paragraph &p = rec->pars[par];
    if (!p.text.empty() && !tx_delete_in_paragraph(rec, par, 0, 0, last_line(p), kEnd))
        return false;
    tx_position pos{par, 0, 0, 0};
    if (len != 0 && !tx_insert(rec, text, len, pos)) {
        // The insertion was refused after all (too many lines): the old text comes back.
        const std::int32_t lines_now = static_cast<std::int32_t>(rec->pars[par].line_starts.size());
        rec->pars[par] = saved;
        tx_change_line_count(rec, static_cast<std::int32_t>(saved.line_starts.size()) - lines_now);
        tx_draw(rec, false);
        return false;
    }
    pos = tx_position{par, kEnd, kEnd, 0};
    tx_clamp_position(rec, pos);
    tx_set_px(rec, pos);
    rec->anchor = pos;
    rec->end = pos;
    return true;
}

bool tx_remove_paragraph(tx_record *rec, std::uint16_t par) {
    if (!tx_sel_empty(rec))
        tx_set_highlight(rec, false);
    if (par >= rec->pars.size()) {
        tx_report(2, kErrIndexRange, kModule, __LINE__);
        return false;
    }
    const std::int32_t lines = static_cast<std::int32_t>(rec->pars[par].line_starts.size());
    tx_change_line_count(rec, -lines);
    rec->pars.erase(rec->pars.begin() + par);
    if (rec->origin_par > par) {
        --rec->origin_par;
    } else if (rec->origin_par == par) {
        rec->origin_line = 0;
        if (rec->origin_par >= rec->pars.size())
            rec->origin_par = rec->pars.empty() ? 0 : rec->par_count() - 1;
    }
    tx_shift_lines(rec, par, 0, -lines, true);
    // The ends are kept, only brought back into the text so that no later step reads past it.
    tx_clamp_position(rec, rec->anchor);
    tx_clamp_position(rec, rec->end);
    return true;
}

bool tx_clear(tx_record *rec) {
    tx_set_highlight(rec, false);
    rec->pars.clear();
    rec->par_capacity = 0;
    tx_module_state &state = tx_state();
    if (state.open_slot == rec->slot)
        state.open_slot = 0;
    tx_reset_view(rec, false);
    rec->line_count = 0;
    return true;
}

// ---- Insertion and deletion -------------------------------------------------------------------

bool tx_insert(tx_record *rec, const char *text, std::uint32_t len, tx_position &pos) {
    tx_paragraph *p = paragraph(rec, pos.par);
    if (p == nullptr || text == nullptr) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return false;
    }
    if (len >= kEnd)
        len = static_cast<std::uint32_t>(std::strlen(text));
    if (rec->limit != 0) {
        const std::int32_t held =
            chars_in(p->text.c_str(), static_cast<std::uint32_t>(p->text.size()));
        const std::int32_t room = std::max(0, rec->limit - held);
        if (room == 0)
            return false;
        if (chars_in(text, len) > room)
            len = bytes_of(text, room);
    }
    if (!reserve_text(*p, static_cast<std::uint32_t>(p->text.size()) + len))
        return false;
    pos.line = std::min(pos.line, last_line(*p));
    const std::uint32_t start = p->line_starts[pos.line];
    const std::uint32_t offset = pos.chr == kEnd
                                     ? static_cast<std::uint32_t>(p->text.size())
                                     : start + bytes_of(p->text.c_str() + start, pos.chr);
    if (offset > p->text.size()) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return false;
    }
    p->text.insert(offset, text, len);
    for (std::size_t i = pos.line + 1u; i < p->line_starts.size(); ++i)
        p->line_starts[i] += len;
    if (!break_lines(rec, pos.par, pos.line, offset + len)) {
        // A refused break leaves the line table as it was before breaking: shift it back.
        p = &rec->pars[pos.par];
        p->text.erase(offset, len);
        for (std::size_t i = pos.line + 1u; i < p->line_starts.size(); ++i)
            p->line_starts[i] -= len;
        return false;
    }
    pos = tx_position_at(rec, pos.par, offset + len);
    return true;
}

bool tx_delete_in_paragraph(tx_record *rec, std::uint16_t par, std::uint16_t line1,
                            std::uint16_t char1, std::uint16_t line2, std::uint16_t char2) {
    tx_paragraph *p = paragraph(rec, par);
    if (p == nullptr) {
        tx_report(2, kErrIndexRange, kModule, __LINE__);
        return false;
    }
    line1 = std::min(line1, last_line(*p));
    line2 = std::min(line2, last_line(*p));
    const std::uint32_t from = std::min<std::uint32_t>(offset_of(*p, line1, char1),
                                                       static_cast<std::uint32_t>(p->text.size()));
    const std::uint32_t to = std::min<std::uint32_t>(offset_of(*p, line2, char2),
                                                     static_cast<std::uint32_t>(p->text.size()));
    if (to > from) {
        const std::uint32_t n = to - from;
        p->text.erase(from, n);
        for (std::size_t i = line1 + 1u; i < p->line_starts.size(); ++i) {
            std::uint32_t &s = p->line_starts[i];
            s = s >= to ? s - n : std::min(s, from);
        }
    }
    p->flags &= ~0x1000u;
    break_lines(rec, par, line1 == 0 ? 0 : static_cast<std::uint16_t>(line1 - 1), from);
    const tx_position at = tx_position_at(rec, par, from);
    rec->anchor = at;
    rec->end = at;
    return true;
}

bool tx_delete_across(tx_record *rec, std::uint16_t par1, std::uint16_t line1, std::uint16_t char1,
                      std::uint16_t par2, std::uint16_t line2, std::uint16_t char2) {
    if (par1 >= rec->pars.size() || par2 >= rec->pars.size() || par2 <= par1) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return false;
    }
    tx_paragraph &first = rec->pars[par1];
    const tx_paragraph &last = rec->pars[par2];
    line1 = std::min(line1, last_line(first));
    line2 = std::min(line2, last_line(last));
    const std::uint32_t head = std::min<std::uint32_t>(
        offset_of(first, line1, char1), static_cast<std::uint32_t>(first.text.size()));
    const std::uint32_t tail = std::min<std::uint32_t>(
        offset_of(last, line2, char2), static_cast<std::uint32_t>(last.text.size()));
    const std::string joined = first.text.substr(0, head) + last.text.substr(tail);
    if (!reserve_text(first, static_cast<std::uint32_t>(joined.size())))
        return false;
    for (std::uint16_t p = par2; p > par1; --p)
        tx_remove_paragraph(rec, p);
    tx_paragraph &kept = rec->pars[par1];
    kept.text = joined;
    for (std::size_t i = line1 + 1u; i < kept.line_starts.size(); ++i)
        kept.line_starts[i] = std::min<std::uint32_t>(kept.line_starts[i], head);
    kept.flags &= ~0x1000u;
    break_lines(rec, par1, line1, head);
    const tx_position at = tx_position_at(rec, par1, head);
    rec->anchor = at;
    rec->end = at;
    return true;
}

bool tx_split_paragraph(tx_record *rec, tx_position pos) {
    tx_paragraph *p = paragraph(rec, pos.par);
    if (p == nullptr) {
        tx_report(3, kErrInternal, kModule, __LINE__);
        return false;
    }
    pos.line = std::min(pos.line, last_line(*p));
    const std::uint32_t offset = std::min<std::uint32_t>(
        offset_of(*p, pos.line, pos.chr), static_cast<std::uint32_t>(p->text.size()));
    if (offset == 0 && pos.line == 0) {
        if (!tx_add_paragraph(rec, pos.par, ""))
            return false;
    } else {
        const std::string tail = p->text.substr(offset);
        if (!tx_add_paragraph(rec, static_cast<std::uint16_t>(pos.par + 1), tail.c_str()))
            return false;
        p = &rec->pars[pos.par];
        p->text.erase(offset);
        const std::int32_t old_count = static_cast<std::int32_t>(p->line_starts.size());
        p->line_starts.resize(pos.line + 1u);
        tx_change_line_count(rec, static_cast<std::int32_t>(p->line_starts.size()) - old_count);
        tx_shift_lines(rec, static_cast<std::uint16_t>(pos.par + 1), 0,
                       static_cast<std::int32_t>(p->line_starts.size()) - old_count, true);
        p->flags &= ~0x1000u;
        if (pos.line != 0)
            break_lines(rec, pos.par, pos.line, offset);
        else
            tx_redraw_lines(rec, pos.par, 0, 0);
    }
    rec->anchor = tx_position{static_cast<std::uint16_t>(pos.par + 1), 0, 0, 0};
    return true;
}

bool tx_delete_selection(tx_record *rec) {
    if (tx_sel_empty(rec))
        return true;
    tx_set_highlight(rec, false);
    const tx_position kept_anchor = rec->anchor;
    const tx_position kept_end = rec->end;
    tx_position start = rec->anchor;
    tx_position stop = rec->end;
    tx_order(start, stop);
    bool suspended_here = false;
    if ((rec->state & kStateSuspended) == 0 &&
        tx_lines_between(rec, start.par, start.line, stop.par, stop.line) > 5) {
        tx_suspend(rec);
        suspended_here = true;
    }
    rec->anchor = start;
    rec->end = start;
    const bool done =
        start.par == stop.par
            ? tx_delete_in_paragraph(rec, start.par, start.line, start.chr, stop.line, stop.chr)
            : tx_delete_across(rec, start.par, start.line, start.chr, stop.par, stop.line,
                               stop.chr);
    if (done) {
        rec->end = rec->anchor;
    } else { // refused before the text was touched: the selection stays as it was
        rec->anchor = kept_anchor;
        rec->end = kept_end;
        tx_set_highlight(rec, true);
    }
    tx_make_visible(rec, rec->anchor);
    if (suspended_here)
        tx_resume(rec);
    return done;
}

} // namespace vkotx
