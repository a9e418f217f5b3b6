// make_seeds.cpp: writes the fuzz target's seed corpus with the dictionary writer: a few
// small dictionary pairs (several "hw" and "va" blocks, a posting list long enough for
// continuation blocks, key tables and a friends matrix), each packed as one fuzz input.
// Usage: engine_fuzz_seeds <corpus directory>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "fuzz/fuzz_input.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"

namespace {

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

dictwriter::DictionarySource make_source(unsigned entries, unsigned seed)
{
    static const char* const kWords[] = {"apple", "apple pie", "Apple-pie", "applepie",
                                         "listen", "silent", "quick", "quack", "zebra",
                                         "station", "nation", "letter", "robert", "mice"};
    dictwriter::DictionarySource source;
    source.header = "the dictionary header: noun verb adjective synonyms see in addition";
    source.block_text_bytes = 700;
    source.key_tables = {"tr", "is", "lb", "sc"};
    source.friends = {"pr", "rh"};
    for (unsigned i = 0; i < entries; ++i) {
        dictwriter::SourceEntry entry;
        const std::string base = kWords[(i * 7 + seed) % std::size(kWords)];
        entry.head_word = base + (i < std::size(kWords) ? "" : std::to_string(i));
        entry.fields = dictwriter::encode_field_stream(
            {{0xD8, entry.head_word}, {0x9F, "noun"}, {0x82, "text of " + entry.head_word}});
        entry.terms.push_back({"va", entry.head_word});
        entry.terms.push_back({"va", "common"});  // long posting list
        entry.terms.push_back({"df", base});
        entry.pronunciations.push_back("ap-" + std::to_string(i % 5));
        source.entries.push_back(entry);
    }
    source.markers.push_back({"va", "common"});
    return source;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const unsigned sizes[] = {3, 40, 400};
    for (unsigned k = 0; k < std::size(sizes); ++k) {
        const std::string base = dir + "pair" + std::to_string(k);
        dictwriter::WrittenDictionary written;
        std::string error;
        if (!dictwriter::write_dictionary(make_source(sizes[k], k), base, &written, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        const std::string input = join_fuzz_input(read_file(base + ".ndx"), read_file(base + ".cmp"));
        std::remove((base + ".ndx").c_str());
        std::remove((base + ".cmp").c_str());
        std::ofstream(dir + "seed" + std::to_string(k), std::ios::binary) << input;
    }
    return 0;
}
