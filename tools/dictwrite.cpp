// dictwrite.cpp: writes a dictionary file pair from a plain text source.
//   dictwrite <source.txt> <output base path>
// writes <output base path>.cmp and .ndx; the source format is described in
// tools/dictwriter/text_source.h.
#include <cstdio>
#include <string>

#include "tools/dictwriter/dictwriter.h"
#include "tools/dictwriter/text_source.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: dictwrite <source.txt> <output base path>\n");
        return 2;
    }
    dictwriter::DictionarySource source;
    std::string error;
    if (!dictwriter::read_text_source(argv[1], &source, &error)) {
        std::fprintf(stderr, "dictwrite: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    dictwriter::WrittenDictionary written;
    if (!dictwriter::write_dictionary(source, argv[2], &written, &error)) {
        std::fprintf(stderr, "dictwrite: %s\n", error.c_str());
        return 1;
    }
    std::printf("%zu entries: %s.cmp (%u bytes), %s.ndx (%u bytes)\n", source.entries.size(),
                argv[2], written.data_bytes, argv[2], written.index_bytes);
    return 0;
}
