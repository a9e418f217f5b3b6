// engine_fuzz.cpp: libFuzzer target. Each input is a dictionary file pair (fuzz_input.h)
// written to a private directory and opened; then the checks made when the program opens a
// pair (which never report fatally), lookups, browse, scans, a query and entry expansion
// run over it, and the decoder runs on the data file's bytes alone. A fatal
// report on damaged data is an allowed outcome: the fatal hook throws, the operation is
// abandoned and the next one runs. The engine's report lines are silenced, since nearly
// every input is damaged and the log would hold one line for each.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/entrytext.h"
#include "engine/inflate.h"
#include "engine/pair_check.h"
#include "engine/query.h"
#include "engine/report.h"
#include "engine/resultlist.h"
#include "engine/scan.h"
#include "engine/wordindex.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"

namespace {

struct EngineFatal {};

void throw_on_fatal(std::string_view)
{
    throw EngineFatal{};
}

// Runs one operation; a fatal report inside it ends only that operation.
template <typename Operation>
void attempt(Operation operation)
{
    try {
        operation();
    } catch (const EngineFatal&) {
    }
}

// The first values of a list (continuation blocks loaded as the walk reaches them).
std::vector<std::uint32_t> first_values(ResultList* list, std::size_t limit)
{
    std::vector<std::uint32_t> values;
    ResultCursor cursor(list, kBlockSize);
    for (cursor.start(); !cursor.at_end() && values.size() < limit; cursor.advance())
        values.push_back(cursor.value());
    return values;
}

void expand(std::uint32_t offset)
{
    attempt([&] {
        const char* text = entry_text(offset, kBlockSize);
        const std::uint32_t length = entry_length(offset, kBlockSize);
        // Touch every byte the engine says belongs to the text.
        volatile std::uint8_t sum = 0;
        for (std::uint32_t i = 0; i < length; ++i)
            sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(text[i]));
        (void)sum;
    });
}

void run_engine(const std::uint8_t* data, std::size_t size)
{
    // Offsets the input chooses: its last eight bytes as two offsets.
    for (std::size_t at = size >= 8 ? size - 8 : size; at + 4 <= size; at += 4)
        expand(static_cast<std::uint32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                          std::uint32_t{data[at + 3]} << 24));
    static const char* const kWords[] = {"apple", "apple pie", "listen", "quick", "zebra", ""};
    for (const char* word : kWords) {
        attempt([&] {
            ResultList list;
            find_word(&list, word, "va", kBlockSize);
            for (std::uint32_t offset : first_values(&list, 8))
                expand(offset);
        });
        attempt([&] { expand(entry_offset(word, kBlockSize)); });
    }
    attempt([] {
        ResultList list;
        list_neighbours(&list, "m", "hw", kBlockSize);
        for (std::uint32_t offset : first_values(&list, 64)) {
            expand(offset);
            attempt([&] {
                char word[kWordBufferSize];
                get_word(word, sizeof word, offset, kBlockSize);
            });
        }
    });
    static const char* const kPatterns[] = {"*tion", "^qu.*k", "ap?le", "z*", "^[a-m]+e?s$"};
    for (const char* pattern : kPatterns) {
        attempt([&] {
            ResultList list;
            regex_scan(&list, pattern, "va", kBlockSize);
            first_values(&list, 16);
        });
    }
    static const char* const kScans[][2] = {{"listen", "tr"}, {"letter", "is"}, {"robert", "sc"},
                                            {"elrt", "lb"},   {"apple", "pr"},  {"apple", "rh"}};
    for (const auto& scan : kScans) {
        attempt([&] {
            ResultList list;
            ScanWords(&list, scan[0], scan[1], kBlockSize);
            first_values(&list, 16);
        });
    }
    attempt([] {
        ResultList* result = nullptr;
        RunQuery(&result, "(apple | df=quick) & !tr=listen | hw=zebra");
        if (result != nullptr) {
            for (std::uint32_t offset : first_values(result, 8))
                expand(offset);
            delete result;
        }
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& dir = fuzzsupport::work_dir();
    engine_set_fatal_hook(throw_on_fatal);
    engine_set_reports_silent(true);
    const FuzzPair pair = split_fuzz_input(data, size);
    // The decoder alone: the data file's bytes as one compressed block, the index file's
    // first bytes as preset, into an output of a size taken from the input (exactly that
    // size, so that a write past it is seen).
    std::vector<std::uint8_t> out(1 + size % 65535);
    const std::size_t preset_len = pair.index_file.size() < 2000 ? pair.index_file.size() : 2000;
    inflate_raw(reinterpret_cast<const std::uint8_t*>(pair.data_file.data()), pair.data_file.size(),
                reinterpret_cast<const std::uint8_t*>(pair.index_file.data()), preset_len,
                out.data(), out.size());
    if (!fuzzsupport::write_file(dir + "f.ndx", pair.index_file) ||
        !fuzzsupport::write_file(dir + "f.cmp", pair.data_file))
        return 0;
    bool opened = false;
    attempt([&] { opened = DataFilesPresent(dir.c_str(), "f") == 0; });
    if (opened) {
        std::string problem;
        if (!check_open_pair(&problem, {"va", "df"}) && problem.empty())
            __builtin_trap();  // a refused pair is always said to be so
        run_engine(data, size);
    }
    close_data_files();
    return 0;
}
