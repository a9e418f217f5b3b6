// inflate_test.cpp: the entry decoder against zlib's raw deflate and against hand-built
// streams for every kind of damage.
#include "engine/inflate.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "tools/dictwriter/data_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Raw deflate with a 16 KiB window, the preset as dictionary, and a chosen strategy.
Bytes zlib_deflate(const std::string& preset, const std::string& text, int level, int strategy)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, -14, 9, strategy), Z_OK);
    if (!preset.empty())
        deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(preset.data()),
                             static_cast<uInt>(preset.size()));
    Bytes out(deflateBound(&stream, text.size()));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// Dictionary-like text: words from a small vocabulary with fields and numbers.
std::string sample_text(std::size_t size, unsigned seed)
{
    static const char* const kWords[] = {"abandon", "ability", "about",  "above", "absence",
                                         "the",     "of",      "to",     "and",   "noun",
                                         "verb",    "[syn]",   "listen", "quick", "tion"};
    std::mt19937 rng(seed);
    std::string text;
    while (text.size() < size) {
        text += kWords[rng() % std::size(kWords)];
        text += (rng() % 7 == 0) ? "\n" : " ";
        if (rng() % 13 == 0)
            text += std::to_string(rng() % 100000);
    }
    text.resize(size);
    return text;
}

std::string random_text(std::size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string text(size, '\0');
    for (char& c : text)
        c = static_cast<char>(rng());
    return text;
}

// Decodes into a buffer of exactly capacity bytes, so that AddressSanitizer sees any
// write past it.
InflateResult decode(const Bytes& in, const std::string& preset, std::size_t capacity,
                     std::string* text)
{
    std::vector<std::uint8_t> out(capacity);
    const InflateResult r =
        inflate_raw(in.data(), in.size(), reinterpret_cast<const std::uint8_t*>(preset.data()),
                    preset.size(), out.data(), out.size());
    text->assign(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(r.produced));
    return r;
}

// Writes bits least significant first, Huffman codes most significant bit first.
class BitWriter {
public:
    void bits(std::uint32_t value, unsigned count)
    {
        for (unsigned i = 0; i < count; ++i)
            put((value >> i) & 1);
    }
    void code(std::uint32_t code, unsigned length)
    {
        for (unsigned i = length; i-- > 0;)
            put((code >> i) & 1);
    }
    // A symbol of the fixed literal/length code.
    void fixed_lit(unsigned symbol)
    {
        if (symbol < 144)
            code(0x30 + symbol, 8);
        else if (symbol < 256)
            code(0x190 + symbol - 144, 9);
        else if (symbol < 280)
            code(symbol - 256, 7);
        else
            code(0xC0 + symbol - 280, 8);
    }
    void stored(const std::string& data, bool final_block)
    {
        bits(final_block ? 1 : 0, 1);
        bits(0, 2);
        if (used_ != 0)
            bits(0, 8 - used_);
        bits(data.size(), 16);
        bits(~data.size() & 0xFFFF, 16);
        for (char c : data)
            bits(static_cast<std::uint8_t>(c), 8);
    }
    Bytes finish(std::size_t padding = 0)
    {
        Bytes out = bytes_;
        if (used_ != 0)
            out.push_back(partial_);
        out.insert(out.end(), padding, 0);
        return out;
    }

private:
    void put(unsigned bit)
    {
        partial_ |= static_cast<std::uint8_t>(bit << used_);
        if (++used_ == 8) {
            bytes_.push_back(partial_);
            partial_ = 0;
            used_ = 0;
        }
    }
    Bytes bytes_;
    std::uint8_t partial_ = 0;
    unsigned used_ = 0;
};

// Canonical codes for a list of code lengths, as a dynamic header defines them.
std::vector<std::uint32_t> canonical_codes(const std::vector<unsigned>& lengths)
{
    unsigned count[16] = {};
    for (unsigned len : lengths)
        ++count[len];
    count[0] = 0;
    std::uint32_t next[16] = {};
    std::uint32_t code = 0;
    for (unsigned len = 1; len < 16; ++len) {
        code = (code + count[len - 1]) << 1;
        next[len] = code;
    }
    std::vector<std::uint32_t> codes(lengths.size());
    for (std::size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s] != 0)
            codes[s] = next[lengths[s]]++;
    return codes;
}

constexpr unsigned kCodeLenOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                        11, 4,  12, 3, 13, 2, 14, 1, 15};

// Writes a dynamic block header: the code-length code (lengths by symbol 0-18), then the
// given run of code-length symbols, each with its extra-bits value.
struct LengthSymbol {
    unsigned symbol;
    unsigned extra;
};
void dynamic_header(BitWriter* w, bool final_block, unsigned hlit, unsigned hdist,
                    const std::vector<unsigned>& code_len_lengths,
                    const std::vector<LengthSymbol>& run)
{
    w->bits(final_block ? 1 : 0, 1);
    w->bits(2, 2);
    w->bits(hlit - 257, 5);
    w->bits(hdist - 1, 5);
    w->bits(19 - 4, 4);
    for (unsigned i = 0; i < 19; ++i)
        w->bits(code_len_lengths[kCodeLenOrder[i]], 3);
    const std::vector<std::uint32_t> codes = canonical_codes(code_len_lengths);
    for (const LengthSymbol& s : run) {
        w->code(codes[s.symbol], code_len_lengths[s.symbol]);
        if (s.symbol == 16)
            w->bits(s.extra, 2);
        else if (s.symbol == 17)
            w->bits(s.extra, 3);
        else if (s.symbol == 18)
            w->bits(s.extra, 7);
    }
}

// Code-length code with symbols 0, 1, 2 and 16, 18 in use (lengths 2,2,2 and 3,3).
std::vector<unsigned> small_code_len_code()
{
    std::vector<unsigned> lengths(19, 0);
    lengths[0] = 2;
    lengths[1] = 2;
    lengths[2] = 2;
    lengths[16] = 3;
    lengths[18] = 3;
    return lengths;
}

// Zeros by code-length symbol 18 (11 to 138 at a time).
void zeros(std::vector<LengthSymbol>* run, unsigned count)
{
    while (count > 0) {
        const unsigned n = count > 138 ? 138 : count;
        run->push_back({18, n - 11});
        count -= n;
    }
}

TEST(InflateTest, DecodesZlibStreamsOfEveryBlockType)
{
    const std::string preset = sample_text(3000, 7);
    struct Case {
        const char* why;
        std::string text;
        int level;
        int strategy;
        unsigned block_type;  // of the first block
    };
    const Case cases[] = {
        {"stored blocks (level 0)", sample_text(70000, 1), 0, Z_DEFAULT_STRATEGY, 0},
        {"fixed codes", sample_text(20000, 2), 9, Z_FIXED, 1},
        {"dynamic codes", sample_text(60000, 3), 9, Z_DEFAULT_STRATEGY, 2},
        {"dynamic codes, literals only", sample_text(5000, 4), 9, Z_HUFFMAN_ONLY, 2},
        {"incompressible text in stored blocks", random_text(5000, 6), 9, Z_DEFAULT_STRATEGY, 0},
        {"long runs (distance 1 and overlapping matches)",
         std::string(30000, 'x') + sample_text(100, 5) + std::string(500, 'y'), 9, Z_RLE, 2},
        {"empty text", "", 9, Z_DEFAULT_STRATEGY, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const Bytes in = zlib_deflate(preset, c.text, c.level, c.strategy);
        ASSERT_FALSE(in.empty());
        EXPECT_EQ((in[0] >> 1) & 3u, c.block_type);
        std::string text;
        const InflateResult r = decode(in, preset, c.text.size() + 10, &text);
        EXPECT_EQ(r.status, InflateStatus::kDone);
        EXPECT_EQ(text, c.text);
    }
}

TEST(InflateTest, BackReferencesReachIntoThePresetAndAcrossTheWindow)
{
    const std::string preset = sample_text(16383, 11);
    const std::string chunk = random_text(12000, 12);
    struct Case {
        const char* why;
        std::string text;
        bool needs_preset;
    };
    const Case cases[] = {
        {"text of the preset", preset.substr(300, 4000), true},
        {"the preset's last bytes", preset.substr(preset.size() - 3000), true},
        // Random text repeated: every match lies about 12,000 bytes back, and the output
        // runs far past 16,384 bytes, so a circular window would wrap several times.
        {"window wrap past 16,384", chunk + chunk + chunk + chunk + chunk, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const Bytes in = zlib_deflate(preset, c.text, 9, Z_DEFAULT_STRATEGY);
        EXPECT_LT(in.size(), c.text.size() / 3) << "the vector must use back references";
        std::string text;
        EXPECT_EQ(decode(in, preset, c.text.size(), &text).status, InflateStatus::kDone);
        EXPECT_EQ(text, c.text);
        if (c.needs_preset) {
            EXPECT_EQ(decode(in, "", c.text.size(), &text).status,
                      InflateStatus::kDistanceTooFar);
        }
    }
}

// One match of length 4 after a stored block of history, with the distance given by
// its fixed-code symbol and extra bits.
TEST(InflateTest, DistanceIsLimitedToTheHistoryAndTheWindow)
{
    struct Case {
        const char* why;
        std::size_t preset_len;
        std::size_t history_len;
        unsigned dist_symbol;
        unsigned extra;
        unsigned extra_bits;
        std::size_t distance;
        InflateStatus status;
    };
    const Case cases[] = {
        {"distance = header length reaches the preset's first byte", 16383, 0, 27, 4094, 12,
         16383, InflateStatus::kDone},
        {"one byte before the preset", 16383, 0, 27, 4095, 12, 16384,
         InflateStatus::kDistanceTooFar},
        {"a match that starts in the preset and runs into the output", 100, 2, 2, 0, 0, 3,
         InflateStatus::kDone},
        {"16,384 reaches the window's oldest byte", 0, 20000, 27, 4095, 12, 16384,
         InflateStatus::kDone},
        {"16,385 is past the window though the history is longer", 500, 20000, 28, 0, 13, 16385,
         InflateStatus::kDistanceTooFar},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string preset = random_text(c.preset_len, 21);
        const std::string history = random_text(c.history_len, 22);
        BitWriter w;
        if (!history.empty())
            w.stored(history, false);
        w.bits(1, 1);
        w.bits(1, 2);
        w.fixed_lit(258);  // length 4
        w.code(c.dist_symbol, 5);
        w.bits(c.extra, c.extra_bits);
        w.fixed_lit(256);
        std::string text;
        const InflateResult r = decode(w.finish(8), preset, 30000, &text);
        EXPECT_EQ(r.status, c.status);
        std::string expected = history;
        if (c.status == InflateStatus::kDone) {
            std::string all = preset + history;
            for (int i = 0; i < 4; ++i)
                all += all[all.size() - c.distance];
            expected = all.substr(preset.size());
        }
        EXPECT_EQ(text, expected);
    }
}

TEST(InflateTest, TruncatedInputKeepsTheDecodedPrefix)
{
    const std::string preset = sample_text(2000, 31);
    const std::string text = sample_text(9000, 32);
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED}) {
        const Bytes full = zlib_deflate(preset, text, 9, strategy);
        std::size_t last_produced = 0;
        for (std::size_t cut = 0; cut < full.size(); ++cut) {
            SCOPED_TRACE("strategy " + std::to_string(strategy) + ", cut at " +
                         std::to_string(cut));
            const Bytes in(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
            std::string out;
            const InflateResult r = decode(in, preset, text.size(), &out);
            ASSERT_EQ(r.status, InflateStatus::kTruncated);
            ASSERT_EQ(out, text.substr(0, out.size())) << "zero bits turned into text";
            ASSERT_GE(out.size(), last_produced) << "more input gave less text";
            last_produced = out.size();
        }
        EXPECT_GT(last_produced, text.size() - 300) << "the last cut loses only its symbol";
    }
    // A stored block cut inside its data keeps the bytes that arrived.
    BitWriter w;
    w.stored("stored text", true);
    Bytes in = w.finish();
    in.resize(in.size() - 4);
    std::string out;
    EXPECT_EQ(decode(in, "", 100, &out).status, InflateStatus::kTruncated);
    EXPECT_EQ(out, "stored ");
}

TEST(InflateTest, OutputIsCappedAtItsCapacity)
{
    const std::string preset = sample_text(1000, 41);
    const std::string text = sample_text(20000, 42) + std::string(3000, 'z');
    const Bytes dynamic = zlib_deflate(preset, text, 9, Z_DEFAULT_STRATEGY);
    const Bytes stored = zlib_deflate(preset, text, 0, Z_DEFAULT_STRATEGY);
    for (std::size_t capacity : {std::size_t{0}, std::size_t{1}, std::size_t{265},
                                 std::size_t{266}, std::size_t{267}, std::size_t{16384},
                                 text.size() - 1, text.size() - 2999}) {
        for (const Bytes* in : {&dynamic, &stored}) {
            SCOPED_TRACE("capacity " + std::to_string(capacity) +
                         (in == &stored ? ", stored" : ", dynamic"));
            std::string out;
            const InflateResult r = decode(*in, preset, capacity, &out);
            EXPECT_EQ(r.status, InflateStatus::kOutputFull);
            EXPECT_EQ(out, text.substr(0, capacity));
        }
    }
    std::string out;
    EXPECT_EQ(decode(dynamic, preset, text.size(), &out).status, InflateStatus::kDone)
        << "an exact fit is not a cut";
}

TEST(InflateTest, DamagedStreamsStopWithTheirOwnStatus)
{
    struct Case {
        const char* why;
        Bytes in;
        InflateStatus status;
        std::string text;  // decoded before the damage
    };
    std::vector<Case> cases;
    {
        BitWriter w;
        w.stored("ok", false);
        w.bits(1, 1);
        w.bits(3, 2);
        cases.push_back({"block type 3", w.finish(8), InflateStatus::kBadBlockType, "ok"});
    }
    cases.push_back({"stored length and complement disagree", {0x01, 0x05, 0x00, 0x00, 0x00, 'a'},
                     InflateStatus::kStoredLength, ""});
    {
        BitWriter w;
        w.bits(1, 1);
        w.bits(1, 2);
        w.fixed_lit('h');
        w.fixed_lit(286);
        cases.push_back({"length symbol 286", w.finish(8), InflateStatus::kBadSymbol, "h"});
    }
    {
        BitWriter w;
        w.bits(1, 1);
        w.bits(1, 2);
        w.fixed_lit('h');
        w.fixed_lit(257);
        w.code(30, 5);
        cases.push_back({"distance symbol 30", w.finish(8), InflateStatus::kBadSymbol, "h"});
    }
    {
        BitWriter w;
        w.bits(1, 1);
        w.bits(1, 2);
        w.fixed_lit('h');
        w.fixed_lit(257);
        w.code(1, 5);  // distance 2, one byte before the output and no preset
        cases.push_back(
            {"distance before the history", w.finish(8), InflateStatus::kDistanceTooFar, "h"});
    }
    {
        BitWriter w;
        dynamic_header(&w, true, 287, 1, small_code_len_code(), {});
        cases.push_back({"288 literal/length codes", w.finish(8),
                         InflateStatus::kBadCodeLengths, ""});
    }
    {
        BitWriter w;
        dynamic_header(&w, true, 257, 1, std::vector<unsigned>(19, 1), {});
        cases.push_back({"over-subscribed code-length code", w.finish(8), InflateStatus::kBadCode,
                         ""});
    }
    {
        BitWriter w;
        dynamic_header(&w, true, 257, 1, small_code_len_code(), {{16, 0}});
        cases.push_back({"repeat with nothing before it", w.finish(8),
                         InflateStatus::kBadCodeLengths, ""});
    }
    {
        BitWriter w;
        std::vector<LengthSymbol> run;
        zeros(&run, 250);
        run.push_back({18, 20});  // 31 zeros where 8 are left
        dynamic_header(&w, true, 257, 1, small_code_len_code(), run);
        cases.push_back({"repeat past the count", w.finish(8), InflateStatus::kBadCodeLengths,
                         ""});
    }
    {
        // 'a' to 'd' with two-bit codes: complete, but no end-of-block code.
        BitWriter w;
        std::vector<LengthSymbol> run;
        zeros(&run, 97);
        run.push_back({2, 0});
        run.push_back({16, 0});
        zeros(&run, 257 - 101);
        run.push_back({1, 0});
        dynamic_header(&w, true, 257, 1, small_code_len_code(), run);
        cases.push_back({"no end-of-block code", w.finish(8), InflateStatus::kBadCodeLengths, ""});
    }
    {
        // 'a' and end-of-block with two-bit codes: half the code space unused.
        BitWriter w;
        std::vector<LengthSymbol> run;
        zeros(&run, 97);
        run.push_back({2, 0});
        zeros(&run, 256 - 98);
        run.push_back({2, 0});
        run.push_back({1, 0});
        dynamic_header(&w, true, 257, 1, small_code_len_code(), run);
        cases.push_back({"incomplete literal code", w.finish(8), InflateStatus::kBadCode, ""});
    }
    {
        // 'a' = 0, end-of-block = 10, length 3 = 11; one distance code of one bit.
        BitWriter w;
        std::vector<LengthSymbol> run;
        zeros(&run, 97);
        run.push_back({1, 0});
        zeros(&run, 256 - 98);
        run.push_back({2, 0});
        run.push_back({2, 0});
        run.push_back({1, 0});
        dynamic_header(&w, true, 258, 1, small_code_len_code(), run);
        w.code(0, 1);
        w.code(3, 2);
        w.code(0, 1);
        w.code(2, 2);
        cases.push_back({"a single one-bit distance code is accepted", w.finish(8),
                         InflateStatus::kDone, "aaaa"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::string text;
        const InflateResult r = decode(c.in, "", 100, &text);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(text, c.text);
    }
}

// Damage anywhere in a stream: the decoder stays inside its input and output (the buffers
// are exactly their size, so AddressSanitizer sees any stray access) and keeps the text
// of the symbols before the first damaged byte.
TEST(InflateTest, RandomDamageStaysInsideTheBuffers)
{
    const std::string preset = sample_text(1500, 61);
    const std::string text = sample_text(12000, 62);
    std::mt19937 rng(63);
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED}) {
        const Bytes clean = zlib_deflate(preset, text, 9, strategy);
        for (int round = 0; round < 400; ++round) {
            Bytes in = clean;
            const std::size_t first = rng() % in.size();
            in[first] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            for (unsigned extra = rng() % 4; extra > 0; --extra)
                in[first + rng() % (in.size() - first)] = static_cast<std::uint8_t>(rng());
            in.resize(first + 1 + rng() % (in.size() - first));
            SCOPED_TRACE("round " + std::to_string(round) + ", first damaged byte " +
                         std::to_string(first));
            const std::size_t capacity = 1 + rng() % (text.size() + 100);
            std::string out;
            const InflateResult r = decode(in, preset, capacity, &out);
            // The symbols that lie wholly before the damage decode as they do from the
            // clean stream cut there.
            std::string before;
            decode(Bytes(clean.begin(), clean.begin() + static_cast<std::ptrdiff_t>(first)),
                   preset, capacity, &before);
            ASSERT_GE(out.size(), before.size());
            ASSERT_EQ(out.substr(0, before.size()), before);
            ASSERT_LE(r.produced, capacity);
        }
    }
}

TEST(InflateTest, WriterBlocksDecodeWithTheHeaderAsPreset)
{
    const std::string header = sample_text(5000, 51);
    std::vector<std::string> entries;
    for (unsigned i = 0; i < 40; ++i)
        entries.push_back(dictwriter::encode_field_stream(
            {{0xD8, "word" + std::to_string(i)}, {0x9F, "noun"}, {0x82, sample_text(900, i)}}));
    std::string file;
    std::vector<dictwriter::EntryPlace> places;
    std::string error;
    ASSERT_TRUE(dictwriter::build_data_file(header, entries, {}, &file, &places, &error)) << error;
    ASSERT_EQ(places.size(), entries.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    ASSERT_EQ((bytes[0] << 8 | bytes[1]), 5000);
    EXPECT_EQ(file.substr(2, header.size()), header);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const std::uint32_t b = places[i].block_offset;
        const std::size_t n = bytes[b] << 8 | bytes[b + 1];
        std::string block;
        const InflateResult r = decode(Bytes(bytes + b + 2, bytes + b + 2 + n), header, 65535, &block);
        EXPECT_EQ(r.status, InflateStatus::kDone);
        EXPECT_LE(block.size(), std::size_t{8192});
        EXPECT_EQ(block.substr(places[i].text_position, entries[i].size()), entries[i]);
    }
}

} // namespace
