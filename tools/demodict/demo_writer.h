// demo_writer.h: writes the demo dictionary from WordNet 3.0 into a directory: the
// description file demo.dct and, under data/, the main data set, the illustrations, the
// tables and the spoken words, each a ".cmp"/".ndx" pair. Everything is written beside the
// output directory first and moved into place at the end, so an interrupted run leaves no
// half dictionary.
//
// A slice is the same dictionary cut down to a few lemmas: the first ones of the index
// files and any lemmas named, with the pronunciations, sounds, illustrations and tables
// the full demo gives them. It takes seconds where the full demo takes minutes, so tests
// run the program on real entries.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "tools/demodict/demo_entries.h"
#include "tools/dictwriter/dictwriter.h"

namespace demodict {

struct DemoSlice {
    std::size_t first_lemmas = 0;     // the first lemmas of the index files (in file order)
    std::vector<std::string> lemmas;  // and these, as WordNet files them (lower case, '_')
};

struct DemoReport {
    MainReport main;
    std::string main_text;  // every entry's field stream, one after the other
    dictwriter::WrittenDictionary main_written;
};

// Writes the demo (all of it when slice is null) from the WordNet database in
// wordnet_dir into output. progress, when given, hears each step as it ends.
bool write_demo(const std::string& wordnet_dir, const std::string& output, const DemoSlice* slice,
                const std::function<void(const std::string&)>& progress, DemoReport* report,
                std::string* error);

// Makes folder a place to run the program on the demo written in demo: its description
// files copied (the program writes its own files beside them) and its data folder linked.
bool link_demo(const std::string& demo, const std::string& folder, std::string* error);

} // namespace demodict
