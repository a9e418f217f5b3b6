// pattern.cpp: format patterns (the language is described in vkobase/pattern.h). A pattern is
// parsed once into elements; matching runs them as a small nondeterministic automaton, since
// a repeated element may take any number of characters; formatting walks them greedily.
// Every pattern is registered as a live record; a handle is checked there before it is read.
#include "vkobase/pattern.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "live_registry.h"

namespace {

enum class Kind { Literal, Digit, DigitOrSign, Letter, LetterOrDigit, Upper, Lower, Any };

struct Element {
    Kind kind = Kind::Literal;
    char literal = 0;
    bool repeat = false;
};

constexpr std::size_t kMaxPatternBytes = 255;

struct ClassLetter {
    char letter;
    Kind kind;
};
constexpr ClassLetter kClasses[] = {
    {'9', Kind::Digit}, {'#', Kind::DigitOrSign}, {'A', Kind::Letter}, {'a', Kind::LetterOrDigit},
    {'U', Kind::Upper}, {'L', Kind::Lower},       {'?', Kind::Any},
};

} // namespace

struct s_pattern {
    std::vector<Element> elements;
};

namespace {

struct PatternState {
    std::unordered_set<PATTERN> patterns;
};
PatternState &state() {
    static PatternState s;
    return s;
}

PATTERN live_pattern(PATTERN pattern) noexcept {
    return vkobase::live_is(pattern, vkobase::LiveKind::Pattern) ? pattern : nullptr;
}

// Letters of Windows-1252: ASCII, the accented range 0xC0-0xFF without the multiplication and
// division signs, and the few letters placed among 0x80-0x9F.
bool is_letter(unsigned char c) noexcept {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    if (c >= 0xC0)
        return c != 0xD7 && c != 0xF7;
    return c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}
bool is_upper(unsigned char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A ||
           c == 0x8C || c == 0x8E || c == 0x9F;
}
bool is_lower(unsigned char c) noexcept {
    return is_letter(c) && !is_upper(c);
}
bool is_digit(unsigned char c) noexcept {
    return c >= '0' && c <= '9';
}

unsigned char to_upper(unsigned char c) noexcept {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<unsigned char>(c - 0x20);
    if (c == 0x9A || c == 0x9C || c == 0x9E)
        return static_cast<unsigned char>(c - 0x10);
    if (c == 0xFF)
        return 0x9F;
    return c;
}
unsigned char to_lower(unsigned char c) noexcept {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E)
        return static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F)
        return 0xFF;
    return c;
}

// Whether a character is what the element wants as it stands (matching).
bool matches(const Element &e, unsigned char c) noexcept {
    switch (e.kind) {
    case Kind::Literal:
        return c == static_cast<unsigned char>(e.literal);
    case Kind::Digit:
        return is_digit(c);
    case Kind::DigitOrSign:
        return is_digit(c) || c == '+' || c == '-';
    case Kind::Letter:
        return is_letter(c);
    case Kind::LetterOrDigit:
        return is_letter(c) || is_digit(c);
    case Kind::Upper:
        return is_upper(c);
    case Kind::Lower:
        return is_lower(c);
    case Kind::Any:
        return true;
    }
    return false;
}

// Whether a typed character can go into a class element, and what it becomes there.
bool fits(const Element &e, unsigned char c, unsigned char *out) noexcept {
    if (e.kind == Kind::Upper || e.kind == Kind::Lower) {
        if (!is_letter(c))
            return false;
        *out = e.kind == Kind::Upper ? to_upper(c) : to_lower(c);
        return true;
    }
    *out = c;
    return matches(e, c);
}

bool parse(const char *text, std::vector<Element> *out) {
    const std::size_t len = std::strlen(text);
    if (len == 0 || len > kMaxPatternBytes)
        return false;
    for (std::size_t i = 0; i < len; ++i) {
        const char c = text[i];
        Element e;
        const auto cls = std::find_if(std::begin(kClasses), std::end(kClasses),
                                      [c](const ClassLetter &k) { return k.letter == c; });
        if (cls != std::end(kClasses)) {
            e.kind = cls->kind;
        } else if (c == '*') {
            if (out->empty() || out->back().kind == Kind::Literal || out->back().repeat)
                return false;
            out->back().repeat = true;
            continue;
        } else if (c == '\\') {
            if (i + 1 == len)
                return false;
            e.literal = text[++i];
        } else {
            e.literal = c;
        }
        out->push_back(e);
    }
    return true;
}

// The states reachable without reading: a repeated element may be passed over.
void close_over(const std::vector<Element> &elems, std::vector<bool> &states) {
    for (std::size_t i = 0; i < elems.size(); ++i)
        if (states[i] && elems[i].repeat)
            states[i + 1] = true;
}

} // namespace

void vkobase_reset_pattern() noexcept {
    for (PATTERN pattern : state().patterns) {
        vkobase::live_remove(pattern);
        delete pattern;
    }
    state().patterns.clear();
}

extern "C" {

PATTERN vkov_pattern_create(const char *text) noexcept {
    if (text == nullptr)
        return nullptr;
    auto *pattern = new (std::nothrow) s_pattern{};
    if (pattern == nullptr)
        return nullptr;
    try {
        if (!parse(text, &pattern->elements)) {
            delete pattern;
            return nullptr;
        }
        state().patterns.insert(pattern);
    } catch (...) {
        delete pattern;
        return nullptr;
    }
    vkobase::live_add(pattern, vkobase::LiveKind::Pattern);
    return pattern;
}

void vkov_pattern_destroy(PATTERN pattern) noexcept {
    if (live_pattern(pattern) == nullptr)
        return;
    state().patterns.erase(pattern);
    vkobase::live_remove(pattern);
    delete pattern;
}

BOOLEAN vkov_pattern_match(PATTERN pattern, const char *text, int32_t *fail_pos) noexcept {
    if (live_pattern(pattern) == nullptr || text == nullptr)
        return FALSE;
    const std::vector<Element> &elems = pattern->elements;
    try {
        // states[i]: the first i elements can have taken the text read so far.
        std::vector<bool> states(elems.size() + 1, false);
        states[0] = true;
        close_over(elems, states);
        const std::size_t len = std::strlen(text);
        for (std::size_t pos = 0; pos < len; ++pos) {
            const auto c = static_cast<unsigned char>(text[pos]);
            std::vector<bool> next(elems.size() + 1, false);
            bool any = false;
            for (std::size_t i = 0; i < elems.size(); ++i) {
                if (!states[i] || !matches(elems[i], c))
                    continue;
                next[elems[i].repeat ? i : i + 1] = true;
                any = true;
            }
            if (!any) {
                if (fail_pos != nullptr)
                    *fail_pos = static_cast<int32_t>(pos);
                return FALSE;
            }
            close_over(elems, next);
            states.swap(next);
        }
        const bool whole = states[elems.size()];
        if (fail_pos != nullptr)
            *fail_pos = whole ? -1 : static_cast<int32_t>(len);
        return whole ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN vkov_pattern_format_string(PATTERN pattern, const char *text, char *buf, int32_t buf_size,
                                   BOOLEAN auto_complete, int32_t *first, int32_t *last) noexcept {
    if (live_pattern(pattern) == nullptr || text == nullptr || buf == nullptr || buf_size <= 0)
        return FALSE;
    const std::vector<Element> &elems = pattern->elements;
    try {
        const std::size_t len = std::strlen(text);
        std::string out;
        std::vector<std::size_t> placed(len + 1, 0); // where each typed character went
        bool all_placed = true;
        std::size_t e = 0;
        for (std::size_t pos = 0; pos < len; ++pos) {
            const auto c = static_cast<unsigned char>(text[pos]);
            placed[pos] = out.size();
            bool taken = false;
            // Literals are put in until an element takes the character; a repeat that
            // does not take it is passed. The walk is undone when nothing takes it.
            const std::size_t e_before = e;
            const std::size_t out_before = out.size();
            while (e < elems.size() && !taken) {
                const Element &el = elems[e];
                unsigned char put = 0;
                if (el.kind == Kind::Literal) {
                    out += el.literal;
                    taken = c == static_cast<unsigned char>(el.literal);
                    ++e;
                    continue;
                }
                if (fits(el, c, &put)) {
                    out += static_cast<char>(put);
                    taken = true;
                    if (!el.repeat)
                        ++e;
                    continue;
                }
                if (!el.repeat)
                    break;
                ++e;
            }
            if (!taken) {
                e = e_before;
                out.resize(out_before);
                all_placed = false;
                continue;
            }
            placed[pos] = out.size() - 1;
        }
        placed[len] = out.size();
        if (auto_complete != FALSE)
            for (; e < elems.size() && elems[e].kind == Kind::Literal; ++e)
                out += elems[e].literal;
        const std::size_t end = out.size();
        auto move = [&](int32_t *where) {
            if (where == nullptr)
                return;
            const std::size_t p =
                std::min<std::size_t>(static_cast<std::size_t>(std::max<int32_t>(*where, 0)), len);
            *where = static_cast<int32_t>(p == len ? end : placed[p]);
        };
        move(first);
        move(last);
        const std::size_t cap = static_cast<std::size_t>(buf_size) - 1;
        const std::size_t n = std::min(out.size(), cap);
        std::memcpy(buf, out.data(), n);
        buf[n] = '\0';
        return all_placed && out.size() <= cap ? TRUE : FALSE;
    } catch (...) {
        buf[0] = '\0';
        return FALSE;
    }
}

} // extern "C"
