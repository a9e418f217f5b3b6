// word_matcher.h: the matcher of a scan, compiled once from the regular expression that
// regex_scan builds (the container library's dialect) and run on every word of the walk.
// A pattern that is a row of fixed pieces (literal bytes and '.') joined by ".*" -- a
// prefix, a suffix, a substring, a fixed length with '?' or a mix of them -- is matched
// by direct comparison; any other through a state machine built lazily from the
// pattern's atoms, so that each byte of a word costs one table step. Either way it
// answers exactly what RWCRegexp::index answers on whether the word holds a match.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "vkocoll/regexp.h"

class WordMatcher {
public:
    explicit WordMatcher(const char* pattern);

    // False for a pattern the regular-expression class refuses; such a pattern matches
    // nothing.
    bool ok() const { return itsKind != Kind::Refused; }

    // Bytes every word that holds a match ends with (empty when there are none such).
    const std::string& tail() const { return itsTail; }

    // Whether the word (length bytes, no 0 among them) holds a match. shared is the
    // number of leading bytes the word has in common with the word of the previous call
    // (0 when unknown): the state machine resumes there instead of at the start.
    bool matches(const char* word, std::size_t length, std::size_t shared = 0)
    {
        // Most words fail on a literal end the pattern must have (a suffix pattern, the
        // commonest wildcard): that test is made here, before any call.
        const std::size_t tail = itsTail.size();
        if (tail != 0) {
            if (length < tail)
                return false;
            const char* end = word + length - tail;
            for (std::size_t i = 0; i < tail; ++i) {
                if (end[i] != itsTail[i])
                    return false;
            }
            if (itsTailDecides)
                return true;
        }
        return matches_in_full(word, length, shared);
    }

private:
    enum class Kind { Refused, Pieces, Machine, Regexp };

    // One fixed piece: its bytes, and for each whether it stands for any byte ('.').
    struct Piece {
        std::string bytes;
        std::vector<bool> any;
        bool has_any = false;
        bool at(const char* text) const;
        // The first place at or after from where the piece fits wholly before end.
        const char* find(const char* from, const char* end) const;
    };

    bool compile_pieces(const RWCRegexp& regex);
    bool pieces_match(const char* word, std::size_t length) const;

    void compile_machine(const RWCRegexp& regex);
    std::int32_t add_state(std::uint64_t states);
    std::int32_t step(std::int32_t state, unsigned char c);

    bool matches_in_full(const char* word, std::size_t length, std::size_t shared);

    Kind itsKind = Kind::Refused;
    // Bytes every matching word ends with (a literal piece anchored at the end), and
    // whether they are the whole pattern.
    std::string itsTail;
    bool itsTailDecides = false;
    bool itsAnchorStart = false;
    bool itsAnchorEnd = false;

    std::vector<Piece> itsPieces;

    // The state machine: each of its states is a set of pattern states (bit i: atom i is
    // next; bit n: the pattern is matched), found as words reach it. Bytes that every
    // atom treats alike share one column of the step table.
    std::vector<std::uint64_t> itsClosure;     // pattern state i and all it skips to
    std::uint64_t itsAccept = 0;
    std::uint8_t itsByteClass[256] = {};
    std::vector<std::uint64_t> itsClassMoves;  // per class: atoms that take its bytes
    std::vector<unsigned char> itsClassByte;   // a byte of each class
    std::size_t itsClasses = 0;
    std::vector<std::uint64_t> itsSets;        // per machine state
    std::vector<std::uint8_t> itsFinal;        // per machine state: the answer is known
    std::vector<std::int32_t> itsTable;        // state * classes + class; -1 not built
    std::unordered_map<std::uint64_t, std::int32_t> itsIds;
    std::int32_t itsStart = 0;
    std::uint32_t itsRestarts = 0;             // times the machine started afresh
    // The machine state after each leading byte of the previous word, [0] the start;
    // the first itsKnown entries are valid.
    std::int32_t itsPath[257] = {};
    std::size_t itsKnown = 1;

    RWCRegexp itsRegexp;   // for patterns of more atoms than the machine's sets hold
};
