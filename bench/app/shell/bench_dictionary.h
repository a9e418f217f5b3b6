// bench_dictionary.h: the program's benchmarks run TavlinCD on a small dictionary written at
// start into a folder of their own: a typical entry and one as long as the demo's longest,
// with the description file ("demo.dct", reference name "Bench") that the program opens.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>

#include "../display/bench_entries.h"

namespace benchdictionary {

// The reference name the description gives: the program titles its main window with it.
constexpr char kReferenceName[] = "Bench";

// Writes the dictionary into dir (made when missing); false when it cannot.
inline bool write(const std::string& dir)
{
    std::error_code code;
    std::filesystem::create_directories(dir + "/data", code);
    if (code)
        return false;
    dictwriter::DictionarySource source;
    source.entries.push_back({"typical",
                              dictwriter::encode_field_stream(benchentries::entry_fields("typical", 4)),
                              {{"va", "typical"}},
                              {}});
    source.entries.push_back({"longest",
                              dictwriter::encode_field_stream(benchentries::entry_fields("longest", 60)),
                              {{"va", "longest"}},
                              {}});
    std::string error;
    if (!dictwriter::write_dictionary(source, dir + "/data/demo", nullptr, &error))
        return false;
    std::ofstream(dir + "/demo.dct") << "ref_name=" << kReferenceName
                                     << "\nbase_dir=data/\nbase_name=demo\n"
                                        "search_text=Entry word is...,va\n"
                                        "main_entry=Entry:,N\ntext_entry=Senses:,N\n";
    return std::filesystem::exists(dir + "/demo.dct");
}

} // namespace benchdictionary
