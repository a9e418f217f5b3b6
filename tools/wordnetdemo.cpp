// wordnetdemo.cpp: writes the demo dictionary from WordNet 3.0.
//   wordnetdemo [--slice N LEMMA...] <wordnet directory> <output directory>
// The output directory gets the description file demo.dct and, under data/, the main
// data set (demo), the illustrations (art), the tables (tables) and the spoken words
// (sound), each a ".cmp"/".ndx" pair (see tools/demodict/demo_writer.h). With --slice, only
// the first N lemmas of the index files and the lemmas named (comma-separated, as WordNet
// files them: "cat,planet,ice_cream") are written.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <zlib.h>

#include "engine/engine.h"
#include "tools/demodict/demo_writer.h"
#include "tools/demodict/description.h"

using namespace demodict;

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point g_start = Clock::now();

void step(const std::string& what)
{
    const double seconds = std::chrono::duration<double>(Clock::now() - g_start).count();
    std::printf("[%6.1f s] %s\n", seconds, what.c_str());
    std::fflush(stdout);
}

int usage()
{
    std::fprintf(
        stderr,
        "usage: wordnetdemo [--slice N LEMMA,...] <wordnet directory> <output directory>\n");
    return 2;
}

// What the limits of the format leave: three-byte word offsets in the key tables and
// friends matrices (16 MiB of index), and the entry buffer for one entry.
void print_limits(const DemoReport& report, const std::string& output)
{
    uLongf packed_bytes = compressBound(static_cast<uLong>(report.main_text.size()));
    std::string packed(packed_bytes, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_bytes,
              reinterpret_cast<const Bytef*>(report.main_text.data()),
              static_cast<uLong>(report.main_text.size()), 9);
    // Only offsets of the word list's entries are stored in three bytes (key tables and
    // friends matrices): the word list must end below 16 MiB; the index may go past it.
    std::uint32_t va_start = 0;
    std::uint32_t va_end = 0;
    const std::string data = output + "/" + kDataDirectory;
    if (OpenDictionary(data.c_str(), kMainName) != 0)
        find_descriptor("va", &va_start, &va_end);
    ReleaseEngineBuffers();
    std::printf("main index: %u bytes; its word list (\"va\") ends at byte %u, %.1f%% of the "
                "16 MiB that three-byte word offsets reach\n",
                report.main_written.index_bytes, va_end, 100.0 * va_end / (1u << 24));
    std::printf("main data: %u bytes for %zu bytes of entry text; zlib level 9 of the same "
                "text as one stream: %lu bytes (data file / that = %.2f)\n",
                report.main_written.data_bytes, report.main_text.size(),
                static_cast<unsigned long>(packed_bytes),
                static_cast<double>(report.main_written.data_bytes) /
                    static_cast<double>(packed_bytes));
    std::printf("longest entry: %s, %zu bytes of %zu; %zu senses left out of entries that "
                "would not fit\n",
                report.main.longest_head_word.c_str(), report.main.longest_entry,
                static_cast<std::size_t>(kEntryBufBytes), report.main.senses_left_out);
}

} // namespace

int main(int argc, char** argv)
{
    DemoSlice slice;
    bool sliced = false;
    int at = 1;
    if (argc > 1 && std::string(argv[1]) == "--slice") {
        if (argc != 6)
            return usage();
        char* end = nullptr;
        slice.first_lemmas = std::strtoul(argv[2], &end, 10);
        if (end == argv[2] || *end != '\0')
            return usage();
        const std::string named = argv[3];
        for (std::size_t start = 0; start < named.size();) {
            const std::size_t comma = std::min(named.find(',', start), named.size());
            if (comma > start)
                slice.lemmas.push_back(named.substr(start, comma - start));
            start = comma + 1;
        }
        sliced = true;
        at = 4;
    }
    if (argc - at != 2)
        return usage();
    DemoReport report;
    std::string error;
    if (!write_demo(argv[at], argv[at + 1], sliced ? &slice : nullptr, step, &report, &error)) {
        std::fprintf(stderr, "wordnetdemo: %s\n", error.c_str());
        return 1;
    }
    print_limits(report, argv[at + 1]);
    step(std::string("demo dictionary in ") + argv[at + 1]);
    return 0;
}
