// data_writer.cpp: the data file of a dictionary pair. Entries are grouped into blocks
// in the order given, each block compressed on its own with zlib's raw deflate (16 KiB
// window, the dictionary header as preset), so that the engine can expand any block
// without the others.
#include "tools/dictwriter/data_writer.h"

#include <cstdio>
#include <limits>

#include <zlib.h>

#include "engine/datafiles.h"

namespace dictwriter {

namespace {

constexpr std::size_t kMaxBlockBytes = 65535;  // both the length word and the entry buffer
constexpr int kWindowBits = 14;                // 16 KiB window; negative for raw data

void append_u16_be(std::string* out, std::size_t value)
{
    out->push_back(static_cast<char>((value >> 8) & 0xFF));
    out->push_back(static_cast<char>(value & 0xFF));
}

} // namespace

std::string encode_field_stream(const std::vector<EntryField>& fields)
{
    std::string stream;
    for (const EntryField& field : fields) {
        stream.push_back(static_cast<char>(field.code));
        std::uint8_t packed[5];
        const std::uint8_t* end =
            pack_number(packed, static_cast<std::uint32_t>(field.text.size()));
        stream.append(reinterpret_cast<const char*>(packed),
                      static_cast<std::size_t>(end - packed));
        stream += field.text;
    }
    stream.push_back('\0');
    return stream;
}

bool deflate_with_preset(std::string_view preset, std::string_view text, int level,
                         std::string* compressed, std::string* error)
{
    if (preset.size() > kMaxHeaderBytes) {
        *error = "dictionary header longer than " + std::to_string(kMaxHeaderBytes) + " bytes";
        return false;
    }
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -kWindowBits, 9, Z_DEFAULT_STRATEGY) != Z_OK) {
        *error = "zlib refused the compression settings";
        return false;
    }
    if (!preset.empty() &&
        deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(preset.data()),
                             static_cast<uInt>(preset.size())) != Z_OK) {
        deflateEnd(&stream);
        *error = "zlib refused the preset dictionary";
        return false;
    }
    compressed->assign(deflateBound(&stream, static_cast<uLong>(text.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));  // zlib's API
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(compressed->data());
    stream.avail_out = static_cast<uInt>(compressed->size());
    const int result = deflate(&stream, Z_FINISH);
    const std::size_t produced = stream.total_out;
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        *error = "zlib could not finish the block";
        return false;
    }
    compressed->resize(produced);
    return true;
}

bool build_data_file(std::string_view header, const std::vector<std::string>& entry_texts,
                     const DataFileOptions& options, std::string* file,
                     std::vector<EntryPlace>* places, std::string* error)
{
    if (header.size() > kMaxHeaderBytes) {
        *error = "dictionary header longer than " + std::to_string(kMaxHeaderBytes) + " bytes";
        return false;
    }
    if (options.block_text_bytes == 0 || options.block_text_bytes > kMaxBlockBytes) {
        *error = "block text size must be 1 to 65535 bytes";
        return false;
    }
    file->clear();
    places->clear();
    append_u16_be(file, header.size());
    file->append(header);

    std::string block_text;
    std::string compressed;
    std::size_t first_in_block = 0;  // index of the block's first entry
    auto flush = [&](std::size_t end_entry) {
        if (block_text.empty() && first_in_block == end_entry)
            return true;
        if (!deflate_with_preset(header, block_text, options.level, &compressed, error))
            return false;
        if (compressed.size() > kMaxBlockBytes) {
            *error = "a compressed block exceeds 65535 bytes";
            return false;
        }
        if (file->size() > std::numeric_limits<std::uint32_t>::max() - 2 - compressed.size()) {
            *error = "the data file would pass 4 GiB";
            return false;
        }
        const auto block_offset = static_cast<std::uint32_t>(file->size());
        for (std::size_t i = first_in_block; i < end_entry; ++i)
            (*places)[i].block_offset = block_offset;
        append_u16_be(file, compressed.size());
        file->append(compressed);
        block_text.clear();
        first_in_block = end_entry;
        return true;
    };

    places->resize(entry_texts.size());
    for (std::size_t i = 0; i < entry_texts.size(); ++i) {
        const std::string& text = entry_texts[i];
        if (text.size() > kMaxBlockBytes) {
            *error = "entry " + std::to_string(i) + " is longer than 65535 bytes";
            return false;
        }
        if (!block_text.empty() && block_text.size() + text.size() > options.block_text_bytes &&
            !flush(i))
            return false;
        (*places)[i].text_position = static_cast<std::uint32_t>(block_text.size());
        block_text += text;
    }
    return flush(entry_texts.size());
}

bool write_data_file(const std::string& path, std::string_view header,
                     const std::vector<std::string>& entry_texts, const DataFileOptions& options,
                     std::vector<EntryPlace>* places, std::string* error)
{
    std::string bytes;
    if (!build_data_file(header, entry_texts, options, &bytes, places, error))
        return false;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        *error = "cannot create " + path;
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace dictwriter
