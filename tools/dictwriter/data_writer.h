// data_writer.h: writes the data file (".cmp") of a dictionary pair: a 2-byte big-endian
// header length, the dictionary header, then compressed blocks (2-byte big-endian length,
// raw DEFLATE data made with a 16 KiB window and the header as preset dictionary). Entry
// texts are opaque bytes here; consecutive entries share a block. The places returned are
// the two numbers that each entry's "hw" record stores.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dictwriter {

// One field of a stored entry: a code byte (0x81 to 0xF5), then its text.
struct EntryField {
    std::uint8_t code;
    std::string text;
};

// The stored form of an entry: for each field its code byte, its text length as a packed
// number and its text; then a 0 code byte that ends the entry.
std::string encode_field_stream(const std::vector<EntryField>& fields);

// Where an entry's text lies: the byte offset of its compressed block in the data file
// (the offset of the block's length word) and its position in the expanded block.
struct EntryPlace {
    std::uint32_t block_offset;
    std::uint32_t text_position;
};

struct DataFileOptions {
    // A block takes entries while its expanded text stays within this many bytes; an
    // entry larger than that gets a block of its own. At most 65,535.
    std::size_t block_text_bytes = 8192;
    int level = 9;  // zlib compression level, 0 (stored blocks) to 9
};

// Largest dictionary header the engine accepts: it must fit the 16 KiB decoder window.
inline constexpr std::size_t kMaxHeaderBytes = 16383;

// Compresses text as raw DEFLATE with a 16 KiB window and preset as dictionary. Returns
// false (and sets *error) when zlib refuses or the preset is longer than kMaxHeaderBytes.
bool deflate_with_preset(std::string_view preset, std::string_view text, int level,
                         std::string* compressed, std::string* error);

// Builds the whole data file in memory: *file gets its bytes, *places one place per entry
// in the order given. Fails (false, *error set) when the header is too long, an entry or
// a block's text exceeds 65,535 bytes, a compressed block exceeds 65,535 bytes, or the
// file would pass 4 GiB.
bool build_data_file(std::string_view header, const std::vector<std::string>& entry_texts,
                     const DataFileOptions& options, std::string* file,
                     std::vector<EntryPlace>* places, std::string* error);

// build_data_file, then writes the bytes to path. Fails also when the file cannot be
// written.
bool write_data_file(const std::string& path, std::string_view header,
                     const std::vector<std::string>& entry_texts, const DataFileOptions& options,
                     std::vector<EntryPlace>* places, std::string* error);

} // namespace dictwriter
