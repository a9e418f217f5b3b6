// fuzz_input.h: how one fuzz input carries a dictionary file pair: 4 bytes little-endian
// n, then n bytes of the index file (".ndx"), then the data file (".cmp") to the end. An
// n past the end of the input takes everything that is there as the index file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct FuzzPair {
    std::string index_file;
    std::string data_file;
};

inline FuzzPair split_fuzz_input(const std::uint8_t* data, std::size_t size)
{
    FuzzPair pair;
    if (size < 4)
        return pair;
    std::size_t n = data[0] | (data[1] << 8) | (data[2] << 16) | (std::size_t{data[3]} << 24);
    if (n > size - 4)
        n = size - 4;
    pair.index_file.assign(reinterpret_cast<const char*>(data + 4), n);
    pair.data_file.assign(reinterpret_cast<const char*>(data + 4 + n), size - 4 - n);
    return pair;
}

inline std::string join_fuzz_input(const std::string& index_file, const std::string& data_file)
{
    std::string out;
    const std::size_t n = index_file.size();
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    return out + index_file + data_file;
}
