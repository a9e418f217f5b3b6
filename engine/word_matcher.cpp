// word_matcher.cpp: fixed pieces by direct comparison, everything else through a lazily
// built state machine over the pattern's atoms.
//
// The pattern is a row of atoms (byte sets, each once, repeated or optional) between an
// optional start and end anchor. Pattern state i means "atom i is next"; state n (the
// number of atoms) means matched. A word holds a match when some run of the states,
// started at the word's start (anchored) or at any of its positions (unanchored), reaches
// state n -- at the word's end when the pattern is anchored there, anywhere otherwise.
// The set of pattern states alive after each byte depends only on the set before it and
// the byte, so a machine state is such a set and its steps are built once and kept.
#include "engine/word_matcher.h"

#include <bit>
#include <cstring>

namespace {

constexpr std::size_t kMaxAtoms = 63;          // pattern states fit in 64 bits
constexpr std::size_t kMaxMachineStates = 4096;   // past this the machine starts afresh

bool is_any(const RWCRegexp::Atom& atom)
{
    for (std::uint64_t word : atom.bytes) {
        if (word != ~std::uint64_t{0})
            return false;
    }
    return true;
}

// The one byte of a single-byte atom, or -1.
int single_byte(const RWCRegexp::Atom& atom)
{
    int found = -1;
    for (int w = 0; w < 4; ++w) {
        const std::uint64_t word = atom.bytes[w];
        if (word == 0)
            continue;
        if (found >= 0 || std::popcount(word) != 1)
            return -1;
        found = w * 64 + std::countr_zero(word);
    }
    return found;
}

} // namespace

bool WordMatcher::Piece::at(const char* text) const
{
    // Pieces are short: a plain loop beats a library call.
    const char* const own = bytes.data();
    const std::size_t length = bytes.size();
    if (!has_any) {
        for (std::size_t i = 0; i < length; ++i) {
            if (text[i] != own[i])
                return false;
        }
        return true;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (!any[i] && text[i] != own[i])
            return false;
    }
    return true;
}

const char* WordMatcher::Piece::find(const char* from, const char* end) const
{
    const std::size_t length = bytes.size();
    if (static_cast<std::size_t>(end - from) < length)
        return nullptr;
    if (!has_any)
        return static_cast<const char*>(memmem(from, static_cast<std::size_t>(end - from),
                                               bytes.data(), length));
    for (const char* p = from; p + length <= end; ++p) {
        if (at(p))
            return p;
    }
    return nullptr;
}

WordMatcher::WordMatcher(const char* pattern) : itsRegexp(pattern)
{
    if (itsRegexp.status() != RWCRegexp::OK)
        return;
    itsAnchorStart = itsRegexp.anchored_start();
    itsAnchorEnd = itsRegexp.anchored_end();
    if (compile_pieces(itsRegexp)) {
        itsKind = Kind::Pieces;
        if (itsAnchorEnd && !itsPieces.empty() && !itsPieces.back().has_any) {
            itsTail = itsPieces.back().bytes;
            itsTailDecides = itsPieces.size() == 1 && !itsAnchorStart;
        }
    } else if (itsRegexp.atoms().size() <= kMaxAtoms) {
        compile_machine(itsRegexp);
        itsKind = Kind::Machine;
    } else {
        itsKind = Kind::Regexp;
    }
}

bool WordMatcher::compile_pieces(const RWCRegexp& regex)
{
    // ".*" at either end lifts that end's anchor; between pieces it is the gap.
    bool gap_before = true;
    bool leading_gap = false;
    bool trailing_gap = false;
    for (const RWCRegexp::Atom& atom : regex.atoms()) {
        const bool any = is_any(atom);
        if (atom.repeat == RWCRegexp::Repeat::Star && any) {
            if (itsPieces.empty())
                leading_gap = true;
            gap_before = true;
            trailing_gap = true;
            continue;
        }
        const int byte = single_byte(atom);
        if (atom.repeat != RWCRegexp::Repeat::One || (!any && byte < 0)) {
            itsPieces.clear();
            return false;
        }
        if (gap_before)
            itsPieces.emplace_back();
        gap_before = false;
        trailing_gap = false;
        Piece& piece = itsPieces.back();
        piece.bytes += any ? '.' : static_cast<char>(byte);
        piece.any.push_back(any);
        piece.has_any = piece.has_any || any;
    }
    itsAnchorStart = itsAnchorStart && !leading_gap;
    itsAnchorEnd = itsAnchorEnd && !trailing_gap;
    return true;
}

bool WordMatcher::pieces_match(const char* word, std::size_t length) const
{
    const std::size_t count = itsPieces.size();
    if (count == 0)
        return length == 0 || !(itsAnchorStart && itsAnchorEnd);
    const char* from = word;
    const char* end = word + length;
    std::size_t first = 0;
    std::size_t last = count;   // pieces first..last-1 float: each at its leftmost place
    if (itsAnchorStart) {
        const Piece& head = itsPieces.front();
        if (length < head.bytes.size() || !head.at(word))
            return false;
        if (count == 1 && itsAnchorEnd)
            return length == head.bytes.size();
        from += head.bytes.size();
        first = 1;
    }
    if (itsAnchorEnd) {
        const Piece& tail = itsPieces.back();
        if (static_cast<std::size_t>(end - from) < tail.bytes.size())
            return false;
        end -= tail.bytes.size();
        if (!tail.at(end))
            return false;
        last = count - 1;
    }
    for (std::size_t i = first; i < last; ++i) {
        const char* place = itsPieces[i].find(from, end);
        if (place == nullptr)
            return false;
        from = place + itsPieces[i].bytes.size();
    }
    return true;
}

void WordMatcher::compile_machine(const RWCRegexp& regex)
{
    const std::vector<RWCRegexp::Atom>& atoms = regex.atoms();
    const std::size_t n = atoms.size();
    itsAccept = std::uint64_t{1} << n;
    // The closure of state i: i and every state after it up to the first atom that must
    // be taken.
    itsClosure.assign(n + 1, 0);
    for (std::size_t i = n + 1; i-- > 0;) {
        itsClosure[i] = std::uint64_t{1} << i;
        if (i < n && atoms[i].repeat != RWCRegexp::Repeat::One)
            itsClosure[i] |= itsClosure[i + 1];
    }
    // Byte classes: bytes that every atom takes or refuses alike.
    std::unordered_map<std::uint64_t, std::uint8_t> classes;
    for (int c = 0; c < 256; ++c) {
        std::uint64_t takers = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (atoms[i].matches(static_cast<unsigned char>(c)))
                takers |= std::uint64_t{1} << i;
        }
        const auto [it, added] = classes.emplace(takers, static_cast<std::uint8_t>(classes.size()));
        if (added) {
            itsClassMoves.push_back(takers);
            itsClassByte.push_back(static_cast<unsigned char>(c));
        }
        itsByteClass[c] = it->second;
    }
    itsClasses = itsClassMoves.size();
    itsStart = add_state(itsClosure[0]);
    itsPath[0] = itsStart;
    itsKnown = 1;
}

std::int32_t WordMatcher::add_state(std::uint64_t states)
{
    const auto found = itsIds.find(states);
    if (found != itsIds.end())
        return found->second;
    const auto id = static_cast<std::int32_t>(itsSets.size());
    itsIds.emplace(states, id);
    itsSets.push_back(states);
    // Known at once: nothing can match any more, or a match is found and the pattern
    // need not reach the word's end.
    itsFinal.push_back(states == 0 || (!itsAnchorEnd && (states & itsAccept) != 0));
    itsTable.resize(itsTable.size() + itsClasses, -1);
    return id;
}

std::int32_t WordMatcher::step(std::int32_t state, unsigned char c)
{
    const std::size_t cell = static_cast<std::size_t>(state) * itsClasses + itsByteClass[c];
    if (itsTable[cell] >= 0)
        return itsTable[cell];
    const std::vector<RWCRegexp::Atom>& atoms = itsRegexp.atoms();
    std::uint64_t from = itsSets[static_cast<std::size_t>(state)] & itsClassMoves[itsByteClass[c]];
    std::uint64_t to = itsAnchorStart ? 0 : itsClosure[0];
    while (from != 0) {
        const auto i = static_cast<std::size_t>(std::countr_zero(from));
        from &= from - 1;
        to |= itsClosure[atoms[i].repeat == RWCRegexp::Repeat::Star ? i : i + 1];
    }
    if (itsSets.size() >= kMaxMachineStates && itsIds.find(to) == itsIds.end()) {
        // A pattern whose machine grows without end: start afresh. The states named so
        // far, the path of the previous word among them, are gone.
        itsIds.clear();
        itsSets.clear();
        itsFinal.clear();
        itsTable.clear();
        itsStart = add_state(itsClosure[0]);
        itsPath[0] = itsStart;
        ++itsRestarts;
        return add_state(to);
    }
    const std::int32_t next = add_state(to);
    itsTable[cell] = next;
    return next;
}

bool WordMatcher::matches_in_full(const char* word, std::size_t length, std::size_t shared)
{
    switch (itsKind) {
    case Kind::Refused:
        return false;
    case Kind::Pieces:
        return pieces_match(word, length);
    case Kind::Regexp:
        return itsRegexp.index(RWCString(word)) != RW_NPOS;
    case Kind::Machine:
        break;
    }
    // Resume after the bytes shared with the previous word; a final state among them
    // decides this word as it decided that one.
    constexpr std::size_t kPathSize = sizeof itsPath / sizeof itsPath[0];
    std::size_t pos = std::min(shared, itsKnown - 1);
    std::int32_t state = itsPath[pos];
    const std::uint32_t restarts = itsRestarts;
    while (pos < length && !itsFinal[static_cast<std::size_t>(state)]) {
        state = step(state, static_cast<unsigned char>(word[pos]));
        ++pos;
        if (pos < kPathSize)
            itsPath[pos] = state;
    }
    itsKnown = itsRestarts == restarts ? std::min(pos, kPathSize - 1) + 1 : 1;
    return (itsSets[static_cast<std::size_t>(state)] & itsAccept) != 0;
}
