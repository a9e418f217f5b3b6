// regexp.cpp: RWCRegexp compiled to a row of atoms, each a byte set with a repeat mark, and
// matched by walking all states at once. State i means "atom i is next"; the last state
// accepts. Each live state remembers the earliest start that reached it: two threads in one
// state have the same future, so the earlier start always wins (leftmost), and a match that
// ends later with the same start is longer (longest).
#include "vkocoll/regexp.h"

#include <cstring>

namespace {

constexpr std::size_t kStackStates = 64;

struct AtomBuilder {
    std::array<std::uint64_t, 4> bytes{};
    void add(unsigned char c) { bytes[c >> 6] |= std::uint64_t{1} << (c & 63); }
    void addRange(unsigned char lo, unsigned char hi)
    {
        for (unsigned c = lo; c <= hi; ++c)
            add(static_cast<unsigned char>(c));
    }
    void invert()
    {
        for (auto& word : bytes)
            word = ~word;
    }
};

unsigned char escaped(char c)
{
    if (c == 't')
        return '\t';
    if (c == 'n')
        return '\n';
    return static_cast<unsigned char>(c);
}

} // namespace

RWCRegexp::RWCRegexp(const char* pattern)
{
    compile(pattern != nullptr ? pattern : "", pattern != nullptr ? std::strlen(pattern) : 0);
}

RWCRegexp::RWCRegexp(const RWCString& pattern) { compile(pattern.data(), pattern.length()); }

bool RWCRegexp::applyRepeat(char op, bool after_plus)
{
    Atom& prev = atoms_.back();
    if (after_plus) {
        // x+ is held as x x*. (x+)+ stays; (x+)* and (x+)? are x*.
        if (op == '+')
            return true;
        atoms_.pop_back();
        atoms_.back().repeat = Repeat::Star;
        return false;
    }
    if (op == '*' || (op == '+' && prev.repeat != Repeat::One)) {
        prev.repeat = Repeat::Star;  // x*, and (x?)+ = (x?)* = (x*)+ = x*
        return false;
    }
    if (op == '?') {
        if (prev.repeat == Repeat::One)
            prev.repeat = Repeat::Optional;
        return false;
    }
    Atom star = prev;  // x+ becomes x x*
    star.repeat = Repeat::Star;
    atoms_.push_back(star);
    return true;
}

void RWCRegexp::compile(const char* p, std::size_t len)
{
    atoms_.clear();
    anchor_start_ = false;
    anchor_end_ = false;
    status_ = OK;
    std::size_t i = 0;
    bool last_was_plus = false;  // the last two atoms are x x* from x+
    if (len > 0 && p[0] == '^') {
        anchor_start_ = true;
        i = 1;
    }
    while (i < len) {
        const char c = p[i];
        if (c == '$' && i + 1 == len) {
            anchor_end_ = true;
            break;
        }
        if ((c == '*' || c == '+' || c == '?') && !atoms_.empty()) {
            last_was_plus = applyRepeat(c, last_was_plus);
            ++i;
            continue;
        }
        last_was_plus = false;
        AtomBuilder set;
        if (c == '.') {
            set.invert();
            ++i;
        } else if (c == '\\') {
            if (i + 1 >= len) {
                status_ = ILLEGAL;
                break;
            }
            set.add(escaped(p[i + 1]));
            i += 2;
        } else if (c == '[') {
            std::size_t j = i + 1;
            bool negate = false;
            if (j < len && p[j] == '^') {
                negate = true;
                ++j;
            }
            bool first = true;
            bool closed = false;
            while (j < len) {
                if (p[j] == ']' && !first) {
                    closed = true;
                    ++j;
                    break;
                }
                first = false;
                unsigned char lo = static_cast<unsigned char>(p[j]);
                if (p[j] == '\\') {
                    if (j + 1 >= len)
                        break;
                    lo = escaped(p[j + 1]);
                    ++j;
                }
                ++j;
                if (j + 1 < len && p[j] == '-' && p[j + 1] != ']') {
                    unsigned char hi = static_cast<unsigned char>(p[j + 1]);
                    j += 2;
                    if (hi == '\\') {
                        if (j >= len)
                            break;
                        hi = escaped(p[j]);
                        ++j;
                    }
                    if (hi < lo) {
                        status_ = ILLEGAL;
                        break;
                    }
                    set.addRange(lo, hi);
                } else {
                    set.add(lo);
                }
            }
            if (status_ != OK || !closed) {
                status_ = ILLEGAL;
                break;
            }
            if (negate)
                set.invert();
            i = j;
        } else {
            set.add(static_cast<unsigned char>(c));
            ++i;
        }
        Atom atom;
        atom.bytes = set.bytes;
        atoms_.push_back(atom);
    }
    if (status_ != OK)
        atoms_.clear();
}

std::size_t RWCRegexp::index(const RWCString& str, std::size_t* extent, std::size_t start) const
{
    if (extent != nullptr)
        *extent = 0;
    const std::size_t len = str.length();
    if (status_ != OK || start > len || (anchor_start_ && start > 0))
        return RW_NPOS;

    const std::size_t n_states = atoms_.size() + 1;
    const std::size_t accept = atoms_.size();
    std::size_t stack_cur[kStackStates];
    std::size_t stack_next[kStackStates];
    std::vector<std::size_t> heap;
    std::size_t* cur = stack_cur;
    std::size_t* next = stack_next;
    if (n_states > kStackStates) {
        heap.resize(2 * n_states);
        cur = heap.data();
        next = heap.data() + n_states;
    }
    for (std::size_t s = 0; s < n_states; ++s)
        cur[s] = RW_NPOS;

    // Puts a thread that began at from into state s and into every state reachable from s
    // by skipping optional atoms, unless an earlier start holds the state already.
    auto enter = [&](std::size_t* states, std::size_t s, std::size_t from) {
        while (true) {
            if (states[s] <= from)
                return;
            states[s] = from;
            if (s == accept || atoms_[s].repeat == Repeat::One)
                return;
            ++s;
        }
    };

    const char* text = str.data();
    std::size_t best_start = RW_NPOS;
    std::size_t best_end = 0;
    bool any_live = false;
    for (std::size_t pos = start;; ++pos) {
        if (best_start == RW_NPOS && (!anchor_start_ || pos == 0)) {
            enter(cur, 0, pos);
            any_live = true;
        }
        if (!any_live)
            break;
        if (cur[accept] != RW_NPOS && (!anchor_end_ || pos == len)) {
            if (best_start == RW_NPOS || cur[accept] < best_start ||
                (cur[accept] == best_start && pos > best_end)) {
                best_start = cur[accept];
                best_end = pos;
            }
        }
        if (pos == len)
            break;
        const auto c = static_cast<unsigned char>(text[pos]);
        for (std::size_t s = 0; s < n_states; ++s)
            next[s] = RW_NPOS;
        any_live = false;
        for (std::size_t s = 0; s < accept; ++s) {
            const std::size_t from = cur[s];
            if (from == RW_NPOS || (best_start != RW_NPOS && from > best_start))
                continue;
            if (!atoms_[s].matches(c))
                continue;
            enter(next, atoms_[s].repeat == Repeat::Star ? s : s + 1, from);
            any_live = true;
        }
        std::swap(cur, next);
    }
    if (best_start == RW_NPOS)
        return RW_NPOS;
    if (extent != nullptr)
        *extent = best_end - best_start;
    return best_start;
}
