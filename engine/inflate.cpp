// inflate.cpp: table-driven raw DEFLATE decoder. Huffman codes are decoded through a
// primary table indexed by the next bits of the stream and second-level tables for
// longer codes; a 64-bit bit buffer is refilled a word at a time while at least 8 input
// bytes are left, and byte by byte (with zero bits past the end) near the input's end.
// The trap: zero bits past the end must never turn into text, so every symbol decoded
// near the end is checked to lie wholly within the real input before it is used.
#include "engine/inflate.h"

#include <array>
#include <bit>
#include <cstring>

#include "engine/datafiles.h"

namespace {

// A table entry, 32 bits:
//   bits 0-3   length of the code (bits to drop), or the primary width for a link
//   bits 4-7   extra bits that follow the code (lengths, distances), or for a link the
//              index width of its second-level table
//   bits 8-12  kind: kLiteral, kLength (also for distances), kEndOfBlock, kLink; 0 marks
//              a code that the block's code does not use
//   bits 16-31 the literal byte, the length or distance base, or the link's table offset
constexpr std::uint32_t kLiteral = 0x100;
constexpr std::uint32_t kLength = 0x200;
constexpr std::uint32_t kEndOfBlock = 0x400;
constexpr std::uint32_t kLink = 0x800;

constexpr unsigned kLitBits = 10;    // primary width of the literal/length table
constexpr unsigned kDistBits = 8;    // primary width of the distance table
constexpr unsigned kCodeLenBits = 7; // code-length codes are at most 7 bits long
constexpr unsigned kMaxCodeBits = 15;

// Largest tables that a complete code can need with these primary widths (primary
// table plus every second-level table), with some room to spare; the builder checks.
constexpr unsigned kLitTableSize = 1400;
constexpr unsigned kDistTableSize = 440;
constexpr unsigned kCodeLenTableSize = 1u << kCodeLenBits;

constexpr unsigned kMaxLitCodes = 286;
constexpr unsigned kMaxDistCodes = 30;

// The fast loop writes a whole match in 16-byte steps and up to three literals a round:
// it runs only while the output has room for the longest match and one step more.
constexpr std::size_t kFastOutRoom = 258 + 16;

constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10,  11,  13,
                                           15, 17, 19, 23, 27, 31, 35, 43,  51,  59,
                                           67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,
                                         17,   25,   33,   49,   65,   97,    129,   193,
                                         257,  385,  513,  769,  1025, 1537,  2049,  3073,
                                         4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Order in which a dynamic header lists the lengths of the code-length code.
constexpr std::uint8_t kCodeLenOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                            11, 4,  12, 3, 13, 2, 14, 1, 15};

constexpr std::uint32_t make_entry(unsigned code_bits, unsigned extra, std::uint32_t kind,
                                   std::uint32_t value)
{
    return code_bits | (extra << 4) | kind | (value << 16);
}

constexpr unsigned entry_bits(std::uint32_t e) { return e & 15; }
constexpr unsigned entry_extra(std::uint32_t e) { return (e >> 4) & 15; }
constexpr unsigned entry_value(std::uint32_t e) { return e >> 16; }

enum class TableKind { kLitLen, kDistance, kCodeLength };

// What a symbol of each alphabet decodes to, without its code length.
std::uint32_t symbol_entry(TableKind kind, unsigned symbol)
{
    switch (kind) {
    case TableKind::kLitLen:
        if (symbol < 256)
            return make_entry(0, 0, kLiteral, symbol);
        if (symbol == 256)
            return make_entry(0, 0, kEndOfBlock, 0);
        if (symbol < 257 + 29)
            return make_entry(0, kLengthExtra[symbol - 257], kLength, kLengthBase[symbol - 257]);
        return 0;  // 286 and 287 take part in the fixed code but never occur
    case TableKind::kDistance:
        if (symbol < 30)
            return make_entry(0, kDistExtra[symbol], kLength, kDistBase[symbol]);
        return 0;
    case TableKind::kCodeLength:
        return make_entry(0, 0, kLiteral, symbol);
    }
    return 0;
}

// The low length bits of code in reverse order (length at most 15), through a table of
// reversed bytes: table building reverses every code, block after block.
unsigned reverse_bits(unsigned code, unsigned length)
{
    static constexpr auto kReversedBytes = [] {
        std::array<std::uint8_t, 256> table{};
        for (unsigned b = 0; b < 256; ++b) {
            unsigned r = 0;
            for (unsigned i = 0; i < 8; ++i)
                r |= ((b >> i) & 1u) << (7 - i);
            table[b] = static_cast<std::uint8_t>(r);
        }
        return table;
    }();
    const unsigned reversed16 = (unsigned{kReversedBytes[code & 0xFF]} << 8) |
                                kReversedBytes[(code >> 8) & 0xFF];
    return reversed16 >> (16 - length);
}

// Builds the decoding table of a canonical Huffman code from its code lengths (0 = the
// symbol is unused). Codes up to root_bits long fill the primary table directly; longer
// ones share a second-level table per primary prefix, sized by the longest code under
// that prefix. An incomplete code is accepted only as a single one-bit code (or no code
// at all), as encoders emit for blocks with one distance; the table then holds unused
// entries, which decode as kBadSymbol.
InflateStatus build_table(TableKind kind, const std::uint8_t* lengths, unsigned count,
                          std::uint32_t* table, unsigned table_size, unsigned root_bits)
{
    unsigned per_length[kMaxCodeBits + 1] = {};
    for (unsigned s = 0; s < count; ++s)
        ++per_length[lengths[s]];
    per_length[0] = 0;

    int left = 1;
    unsigned max_length = 0;
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
        left = left * 2 - static_cast<int>(per_length[len]);
        if (left < 0)
            return InflateStatus::kBadCode;
        if (per_length[len] != 0)
            max_length = len;
    }
    unsigned used = 0;
    for (unsigned len = 1; len <= kMaxCodeBits; ++len)
        used += per_length[len];
    if (left > 0) {
        const bool single_bit = max_length == 1 && used == 1;
        const bool empty = used == 0;
        if (kind == TableKind::kCodeLength || !(single_bit || empty))
            return InflateStatus::kBadCode;
    }

    // A complete code fills every primary entry (directly or with a link); only an
    // incomplete one leaves entries that must read as unused.
    const unsigned primary_size = 1u << root_bits;
    if (left > 0) {
        for (unsigned i = 0; i < primary_size; ++i)
            table[i] = 0;
    }

    // Symbols in canonical order (by length, then by symbol) with their codes.
    unsigned offsets[kMaxCodeBits + 2] = {};
    for (unsigned len = 1; len <= kMaxCodeBits; ++len)
        offsets[len + 1] = offsets[len] + per_length[len];
    std::uint16_t sorted[288];
    for (unsigned s = 0; s < count; ++s) {
        if (lengths[s] != 0)
            sorted[offsets[lengths[s]]++] = static_cast<std::uint16_t>(s);
    }
    std::uint16_t codes[288];
    unsigned code = 0;
    unsigned k = 0;
    for (unsigned len = 1; len <= kMaxCodeBits; ++len) {
        for (unsigned n = 0; n < per_length[len]; ++n)
            codes[k++] = static_cast<std::uint16_t>(code++);
        code <<= 1;
    }

    unsigned next_free = primary_size;
    unsigned sub_base = 0;
    unsigned sub_bits = 0;
    unsigned sub_prefix = ~0u;
    for (unsigned i = 0; i < used; ++i) {
        const unsigned symbol = sorted[i];
        const unsigned len = lengths[symbol];
        const unsigned reversed = reverse_bits(codes[i], len);
        const std::uint32_t base_entry = symbol_entry(kind, symbol);
        if (len <= root_bits) {
            const std::uint32_t e = base_entry | len;
            for (unsigned slot = reversed; slot < primary_size; slot += 1u << len)
                table[slot] = e;
            continue;
        }
        const unsigned prefix = reversed & (primary_size - 1);
        if (prefix != sub_prefix) {
            // A new prefix group: its codes follow one another in canonical order, and
            // the last of them is the longest.
            unsigned longest = len;
            for (unsigned j = i + 1; j < used; ++j) {
                const unsigned len_j = lengths[sorted[j]];
                if ((reverse_bits(codes[j], len_j) & (primary_size - 1)) != prefix)
                    break;
                longest = len_j;
            }
            sub_prefix = prefix;
            sub_bits = longest - root_bits;
            sub_base = next_free;
            if (sub_base + (1u << sub_bits) > table_size)
                return InflateStatus::kBadCode;
            next_free += 1u << sub_bits;
            for (unsigned slot = 0; slot < (1u << sub_bits); ++slot)
                table[sub_base + slot] = 0;
            table[prefix] = make_entry(root_bits, sub_bits, kLink, sub_base);
        }
        const unsigned rest = len - root_bits;
        const std::uint32_t e = base_entry | rest;
        for (unsigned slot = reversed >> root_bits; slot < (1u << sub_bits); slot += 1u << rest)
            table[sub_base + slot] = e;
    }
    return InflateStatus::kDone;
}

struct FixedTables {
    std::uint32_t lit[kLitTableSize];
    std::uint32_t dist[kDistTableSize];
};

const FixedTables& fixed_tables()
{
    static const FixedTables tables = [] {
        FixedTables t{};
        std::uint8_t lengths[288];
        for (unsigned s = 0; s < 288; ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        build_table(TableKind::kLitLen, lengths, 288, t.lit, kLitTableSize, kLitBits);
        std::uint8_t dist_lengths[32];
        std::memset(dist_lengths, 5, sizeof dist_lengths);
        build_table(TableKind::kDistance, dist_lengths, 32, t.dist, kDistTableSize, kDistBits);
        return t;
    }();
    return tables;
}

struct Decoder {
    const std::uint8_t* in;
    const std::uint8_t* in_end;
    std::uint64_t bitbuf = 0;  // next bits of the stream, least significant first
    unsigned bitcnt = 0;       // valid bits in bitbuf
    unsigned pad_bits = 0;     // zero bits added past the end of the input (top of bitbuf)
    std::uint8_t* out;
    std::size_t pos = 0;
    std::size_t capacity;
    const std::uint8_t* preset;
    std::size_t preset_len;
    std::uint32_t lit[kLitTableSize];
    std::uint32_t dist[kDistTableSize];

    // Tops the bit buffer up to at least 57 bits, byte by byte; past the end of the
    // input it adds zero bytes and counts them.
    void refill_slow()
    {
        while (bitcnt <= 56) {
            std::uint64_t byte = 0;
            if (in < in_end)
                byte = *in++;
            else
                pad_bits += 8;
            bitbuf |= byte << bitcnt;
            bitcnt += 8;
        }
    }

    // Leaves the fast loop: clears the bits above bitcnt that its refills left there.
    void settle() { bitbuf &= (std::uint64_t{1} << bitcnt) - 1; }

    std::uint32_t take(unsigned n)
    {
        const auto v = static_cast<std::uint32_t>(bitbuf & ((std::uint64_t{1} << n) - 1));
        bitbuf >>= n;
        bitcnt -= n;
        return v;
    }

    void drop(unsigned n)
    {
        bitbuf >>= n;
        bitcnt -= n;
    }

    // True when the bits taken so far include padding past the end of the input.
    bool overran() const { return bitcnt < pad_bits; }

    // Looks up the next code in table; follows a link into its second-level table.
    static std::uint32_t lookup(const std::uint32_t* table, unsigned root_bits,
                                std::uint64_t& bitbuf, unsigned& bitcnt)
    {
        std::uint32_t e = table[bitbuf & ((1u << root_bits) - 1)];
        if (e & kLink) {
            bitbuf >>= root_bits;
            bitcnt -= root_bits;
            e = table[entry_value(e) + (bitbuf & ((1u << entry_extra(e)) - 1))];
        }
        return e;
    }

    // Copies a match of length bytes at distance back; the caller has checked that the
    // output has room. Bytes before the output's start come from the end of the preset.
    InflateStatus copy_match(std::size_t distance, std::size_t length)
    {
        if (distance > kInflateWindowBytes)
            return InflateStatus::kDistanceTooFar;
        std::uint8_t* dst = out + pos;
        if (distance > pos) {
            const std::size_t back = distance - pos;
            if (back > preset_len)
                return InflateStatus::kDistanceTooFar;
            const std::size_t from_preset = length < back ? length : back;
            if (from_preset != 0)
                std::memcpy(dst, preset + (preset_len - back), from_preset);
            for (std::size_t i = from_preset; i < length; ++i)
                dst[i] = out[pos + i - distance];
            pos += length;
            return InflateStatus::kDone;
        }
        const std::uint8_t* src = dst - distance;
        if (distance == 1 && length != 0) {
            std::memset(dst, *src, length);
        } else {
            for (std::size_t i = 0; i < length; ++i)
                dst[i] = src[i];
        }
        pos += length;
        return InflateStatus::kDone;
    }

    InflateStatus decode_codes(const std::uint32_t* lit_table, const std::uint32_t* dist_table);
    InflateStatus decode_careful(const std::uint32_t* lit_table, const std::uint32_t* dist_table);
    InflateStatus stored_block();
    InflateStatus dynamic_tables();
    InflateStatus run();
};

// Decodes the symbols of one Huffman-coded block. The fast loop needs no bounds checks
// inside one round: 8 input bytes give at least 56 bits, enough for three literals from
// the primary table (30 bits), or for the longest literal/length code with its extra
// bits (20) and the longest distance code with its extra bits (28); and the output has
// room for the longest match and one copy step more. The loop keeps the bit buffer, the
// input and the output position in locals, which the compiler holds in registers, and
// writes them back when it leaves. Near either end the careful loop takes over.
InflateStatus Decoder::decode_codes(const std::uint32_t* lit_table, const std::uint32_t* dist_table)
{
    constexpr std::uint64_t kLitMask = (1u << kLitBits) - 1;
    const std::uint8_t* ip = in;
    const std::uint8_t* const ip_end = in_end;
    std::uint64_t bits = bitbuf;
    unsigned count = bitcnt;
    std::uint8_t* const out_start = out;
    std::uint8_t* op = out + pos;
    std::uint8_t* const op_limit = capacity >= kFastOutRoom ? out + capacity - kFastOutRoom : out;
    InflateStatus status = InflateStatus::kDone;
    bool finished = false;   // the block ended, or stopped on damage, inside the fast loop
    const auto keep = [&] {
        in = ip;
        bitbuf = bits;
        bitcnt = count;
        pos = static_cast<std::size_t>(op - out_start);
    };
    const bool roomy = capacity >= kFastOutRoom;
    while (roomy && ip_end - ip >= 8 && op <= op_limit) {
        // Refill to 56-63 bits with one 8-byte load; bits above count may then hold the
        // start of the next byte, the same bits the next load puts there.
        std::uint64_t word;
        std::memcpy(&word, ip, 8);
        if constexpr (std::endian::native == std::endian::big)
            word = __builtin_bswap64(word);
        bits |= word << count;
        ip += (63 - count) >> 3;
        count |= 56;

        std::uint32_t e = lit_table[bits & kLitMask];
        if (e & kLiteral) {
            // Up to three literals whose codes are in the primary table; the next entry is
            // looked up before the byte is stored.
            bits >>= entry_bits(e);
            count -= entry_bits(e);
            std::uint32_t next = lit_table[bits & kLitMask];
            *op++ = static_cast<std::uint8_t>(entry_value(e));
            if (!(next & kLiteral))
                continue;
            bits >>= entry_bits(next);
            count -= entry_bits(next);
            e = lit_table[bits & kLitMask];
            *op++ = static_cast<std::uint8_t>(entry_value(next));
            if (!(e & kLiteral))
                continue;
            bits >>= entry_bits(e);
            count -= entry_bits(e);
            *op++ = static_cast<std::uint8_t>(entry_value(e));
            continue;
        }
        if (!(e & kLength)) {
            // Rarely: a code longer than the primary width, the end of the block, damage.
            if (e & kLink) {
                bits >>= kLitBits;
                count -= kLitBits;
                e = lit_table[entry_value(e) + (bits & ((1u << entry_extra(e)) - 1))];
                if (e & kLiteral) {
                    bits >>= entry_bits(e);
                    count -= entry_bits(e);
                    *op++ = static_cast<std::uint8_t>(entry_value(e));
                    continue;
                }
            }
            if (!(e & kLength)) {
                bits >>= entry_bits(e);
                count -= entry_bits(e);
                status = (e & kEndOfBlock) ? InflateStatus::kDone : InflateStatus::kBadSymbol;
                finished = true;
                break;
            }
        }
        // A length: its code and extra bits in one step, then the distance likewise.
        const unsigned code_bits = entry_bits(e);
        const unsigned total = code_bits + entry_extra(e);
        const std::size_t length =
            entry_value(e) + ((bits & ((std::uint64_t{1} << total) - 1)) >> code_bits);
        bits >>= total;
        count -= total;
        std::uint32_t d = dist_table[bits & ((1u << kDistBits) - 1)];
        if (!(d & kLength)) {
            if (d & kLink) {
                bits >>= kDistBits;
                count -= kDistBits;
                d = dist_table[entry_value(d) + (bits & ((1u << entry_extra(d)) - 1))];
            }
            if (!(d & kLength)) {
                status = InflateStatus::kBadSymbol;
                finished = true;
                break;
            }
        }
        const unsigned dist_code_bits = entry_bits(d);
        const unsigned dist_total = dist_code_bits + entry_extra(d);
        const std::size_t distance =
            entry_value(d) + ((bits & ((std::uint64_t{1} << dist_total) - 1)) >> dist_code_bits);
        bits >>= dist_total;
        count -= dist_total;
        if (distance > static_cast<std::size_t>(op - out_start) || distance < 8 ||
            distance > kInflateWindowBytes) {
            // Into the preset, overlapping its own output closely, or too far: the
            // general copy, which checks the distance.
            keep();
            status = copy_match(distance, length);
            op = out_start + pos;
            if (status != InflateStatus::kDone) {
                finished = true;
                break;
            }
            continue;
        }
        // Whole words, as far as the match reaches (the output has room for the
        // overshoot); with a distance of 8 to 15 each word reads bytes written just
        // before it, in order.
        const std::uint8_t* src = op - distance;
        std::uint8_t* const end = op + length;
        if (distance >= 16) {
            do {
                std::memcpy(op, src, 8);
                std::memcpy(op + 8, src + 8, 8);
                op += 16;
                src += 16;
            } while (op < end);
        } else {
            do {
                std::memcpy(op, src, 8);
                op += 8;
                src += 8;
            } while (op < end);
        }
        op = end;
    }
    keep();
    settle();
    if (finished)
        return status;
    return decode_careful(lit_table, dist_table);
}

// The same decoding one symbol at a time, with every bound checked: the input may end
// inside a symbol (zero bits follow it) and the output may fill up.
InflateStatus Decoder::decode_careful(const std::uint32_t* lit_table,
                                      const std::uint32_t* dist_table)
{
    for (;;) {
        refill_slow();
        const std::uint32_t e = lookup(lit_table, kLitBits, bitbuf, bitcnt);
        if (!(e & (kLiteral | kLength | kEndOfBlock))) {
            // An unused code read partly from the zero bits past the end is a cut block.
            const bool cut = pad_bits != 0 && bitcnt < pad_bits + kMaxCodeBits;
            return cut ? InflateStatus::kTruncated : InflateStatus::kBadSymbol;
        }
        if (e & kLiteral) {
            drop(entry_bits(e));
            if (overran())
                return InflateStatus::kTruncated;
            if (pos == capacity)
                return InflateStatus::kOutputFull;
            out[pos++] = static_cast<std::uint8_t>(entry_value(e));
            continue;
        }
        if (e & kEndOfBlock) {
            drop(entry_bits(e));
            return overran() ? InflateStatus::kTruncated : InflateStatus::kDone;
        }
        const unsigned code_bits = entry_bits(e);
        const std::size_t length = entry_value(e) + (take(code_bits + entry_extra(e)) >> code_bits);
        const std::uint32_t d = lookup(dist_table, kDistBits, bitbuf, bitcnt);
        if (!(d & kLength)) {
            const bool cut = pad_bits != 0 && bitcnt < pad_bits + kMaxCodeBits;
            return cut ? InflateStatus::kTruncated : InflateStatus::kBadSymbol;
        }
        const unsigned dist_code_bits = entry_bits(d);
        const std::size_t distance =
            entry_value(d) + (take(dist_code_bits + entry_extra(d)) >> dist_code_bits);
        if (overran())
            return InflateStatus::kTruncated;
        const std::size_t room = capacity - pos;
        const std::size_t n = length < room ? length : room;
        const InflateStatus status = copy_match(distance, n);
        if (status != InflateStatus::kDone)
            return status;
        if (n < length)
            return InflateStatus::kOutputFull;
    }
}

// A stored block: after the block header, skip to a byte boundary; LEN and NLEN (two
// bytes each, little-endian, NLEN the one's complement of LEN), then LEN bytes as they
// are. The whole bytes still in the bit buffer are handed back to the input first.
InflateStatus Decoder::stored_block()
{
    drop(bitcnt & 7);
    in -= (bitcnt - pad_bits) / 8;
    bitbuf = 0;
    bitcnt = 0;
    pad_bits = 0;
    if (in_end - in < 4)
        return InflateStatus::kTruncated;
    const unsigned len = in[0] | (in[1] << 8);
    const unsigned nlen = in[2] | (in[3] << 8);
    in += 4;
    if (len != (~nlen & 0xFFFFu))
        return InflateStatus::kStoredLength;
    const auto avail = static_cast<std::size_t>(in_end - in);
    const std::size_t room = capacity - pos;
    std::size_t n = len;
    if (n > avail)
        n = avail;
    if (n > room)
        n = room;
    if (n != 0)
        std::memcpy(out + pos, in, n);
    pos += n;
    in += n;
    if (n == len)
        return InflateStatus::kDone;
    return n == room ? InflateStatus::kOutputFull : InflateStatus::kTruncated;
}

// A dynamic block's header: HLIT (5 bits, + 257), HDIST (5 bits, + 1), HCLEN (4 bits,
// + 4); HCLEN 3-bit lengths of the code-length code in kCodeLenOrder; then the code
// lengths of the literal/length and distance codes in one run, coded with that code:
// 0-15 a length, 16 repeats the previous length 3-6 times (2 extra bits), 17 gives 3-10
// zeros (3 bits), 18 gives 11-138 zeros (7 bits). A run may cross from one code into
// the other.
InflateStatus Decoder::dynamic_tables()
{
    refill_slow();
    const unsigned hlit = take(5) + 257;
    const unsigned hdist = take(5) + 1;
    const unsigned hclen = take(4) + 4;
    if (overran())
        return InflateStatus::kTruncated;
    if (hlit > kMaxLitCodes || hdist > kMaxDistCodes)
        return InflateStatus::kBadCodeLengths;

    std::uint8_t code_len_lengths[19] = {};
    for (unsigned i = 0; i < hclen; ++i) {
        refill_slow();
        code_len_lengths[kCodeLenOrder[i]] = static_cast<std::uint8_t>(take(3));
    }
    if (overran())
        return InflateStatus::kTruncated;
    std::uint32_t code_len_table[kCodeLenTableSize];
    InflateStatus status = build_table(TableKind::kCodeLength, code_len_lengths, 19,
                                       code_len_table, kCodeLenTableSize, kCodeLenBits);
    if (status != InflateStatus::kDone)
        return status;

    std::uint8_t lengths[kMaxLitCodes + kMaxDistCodes];
    const unsigned count = hlit + hdist;
    unsigned i = 0;
    while (i < count) {
        refill_slow();
        const std::uint32_t e = code_len_table[bitbuf & (kCodeLenTableSize - 1)];
        drop(entry_bits(e));
        const unsigned symbol = entry_value(e);
        if (symbol < 16) {
            lengths[i++] = static_cast<std::uint8_t>(symbol);
        } else {
            std::uint8_t value = 0;
            unsigned repeat;
            if (symbol == 16) {
                if (i == 0)
                    return InflateStatus::kBadCodeLengths;
                value = lengths[i - 1];
                repeat = 3 + take(2);
            } else if (symbol == 17) {
                repeat = 3 + take(3);
            } else {
                repeat = 11 + take(7);
            }
            if (overran())
                return InflateStatus::kTruncated;
            if (repeat > count - i)
                return InflateStatus::kBadCodeLengths;
            std::memset(lengths + i, value, repeat);
            i += repeat;
        }
        if (overran())
            return InflateStatus::kTruncated;
    }
    if (lengths[256] == 0)
        return InflateStatus::kBadCodeLengths;
    status = build_table(TableKind::kLitLen, lengths, hlit, lit, kLitTableSize, kLitBits);
    if (status != InflateStatus::kDone)
        return status;
    return build_table(TableKind::kDistance, lengths + hlit, hdist, dist, kDistTableSize,
                       kDistBits);
}

// Block header: BFINAL (1 bit), BTYPE (2 bits: 0 stored, 1 fixed codes, 2 dynamic
// codes, 3 reserved). Blocks follow one another until the one marked final.
InflateStatus Decoder::run()
{
    for (;;) {
        refill_slow();
        const unsigned final_block = take(1);
        const unsigned type = take(2);
        if (overran())
            return InflateStatus::kTruncated;
        InflateStatus status;
        switch (type) {
        case 0:
            status = stored_block();
            break;
        case 1: {
            const FixedTables& fixed = fixed_tables();
            status = decode_codes(fixed.lit, fixed.dist);
            break;
        }
        case 2:
            status = dynamic_tables();
            if (status == InflateStatus::kDone)
                status = decode_codes(lit, dist);
            break;
        default:
            return InflateStatus::kBadBlockType;
        }
        if (status != InflateStatus::kDone || final_block)
            return status;
    }
}

} // namespace

InflateResult inflate_raw(const std::uint8_t* in, std::size_t in_len, const std::uint8_t* preset,
                          std::size_t preset_len, std::uint8_t* out, std::size_t capacity)
{
    Decoder decoder;
    decoder.in = in;
    decoder.in_end = in + in_len;
    decoder.out = out;
    decoder.capacity = capacity;
    decoder.preset = preset;
    decoder.preset_len = preset != nullptr ? preset_len : 0;
    const InflateStatus status = decoder.run();
    return {decoder.pos, status};
}

std::uint32_t inflate_block(std::uint32_t in_len, const std::uint8_t* in, std::uint32_t capacity,
                            std::uint8_t* out, InflateStatus* status)
{
    const InflateResult result = inflate_raw(in, in_len, dictionary_header(),
                                             dictionary_header_length(), out, capacity);
    std::memset(out + result.produced, 0, capacity - result.produced);
    if (status != nullptr)
        *status = result.status;
    return static_cast<std::uint32_t>(result.produced);
}
