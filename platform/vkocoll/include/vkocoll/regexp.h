// regexp.h: RWCRegexp, the regular expressions used to search strings.
//
// Dialect (bytes, case-sensitive):
//   c        any other byte matches itself
//   .        any one byte
//   [set]    one byte of the set: single bytes and ranges a-z; ']' first in the set and
//            '-' first or last are literal; \ escapes the next byte
//   [^set]   one byte not in the set
//   x* x+ x? zero or more, one or more, zero or one of the preceding atom; at the very start
//            of the pattern (or just after a leading ^) these are literal bytes. Repeats
//            of a repeat combine: x** is x*, x+? and x?+ are x*, x++ is x+
//   ^        at the start of the pattern: the match must begin at position 0 of the string
//   $        at the end of the pattern: the match must end at the end of the string
//   \c       the byte c literally; \t and \n are tab and newline
// Anywhere else ^ and $ are literal. There is no grouping or alternation: ( ) | are literal.
// A pattern with an unclosed [, a reversed range or a trailing \ is ILLEGAL and never matches.
//
// Matching finds the leftmost match and, among those, the longest. It simulates the pattern
// as a state machine (no backtracking): time is linear in the string length times the pattern
// length, and a call allocates nothing for patterns of up to 63 atoms.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>
#include "vkocoll/cstring.h"

class RWCRegexp {
public:
    enum statVal { OK = 0, ILLEGAL, NOMEMORY, TOOLONG };

    RWCRegexp(const char* pattern);
    RWCRegexp(const RWCString& pattern);
    RWCRegexp(const RWCRegexp&) = default;
    // A pattern assigned as text is made a regular expression by the constructors above.
    RWCRegexp& operator=(const RWCRegexp&) = default;

    // Position of the leftmost-longest match that begins at or after start, RW_NPOS when
    // none (always for an ILLEGAL pattern); *extent (when given) receives its length, 0 when
    // nothing matched.
    std::size_t index(const RWCString& str, std::size_t* extent = nullptr,
                      std::size_t start = 0) const;
    statVal status() const { return status_; }

    // The compiled pattern, for a caller that builds a faster matcher of its own from it:
    // a row of atoms, each a byte set with a repeat mark, and the two anchors. Empty for
    // a pattern that is not OK.
    enum class Repeat : std::uint8_t { One, Star, Optional };
    struct Atom {
        std::array<std::uint64_t, 4> bytes{};  // bit c set: byte c matches
        Repeat repeat = Repeat::One;
        bool matches(unsigned char c) const { return ((bytes[c >> 6] >> (c & 63)) & 1) != 0; }
    };
    const std::vector<Atom>& atoms() const { return atoms_; }
    bool anchored_start() const { return anchor_start_; }
    bool anchored_end() const { return anchor_end_; }

private:
    void compile(const char* pattern, std::size_t len_bytes);
    // Applies a repeat operator to the last atom; after_plus says the last two atoms are the
    // x x* of an x+. Answers whether they are that now.
    bool applyRepeat(char op, bool after_plus);

    std::vector<Atom> atoms_;
    bool anchor_start_ = false;
    bool anchor_end_ = false;
    statVal status_ = OK;
};
