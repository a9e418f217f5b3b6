// engine.cpp: the thin calls of the engine's facade over the engine's own routines.
#include "engine/engine.h"

#include <memory>
#include <string>

#include "engine/pair_check.h"

int OpenDictionary(const char* directory, const char* base_name)
{
    const std::string previous = data_file_path();
    if (DataFilesPresent(directory, base_name) != 0)
        return 0;
    std::string problem;
    if (check_open_pair(&problem))
        return 1;
    // A damaged pair is refused, and the pair open before opens again.
    close_data_files();
    if (previous.size() > 4)
        DataFilesPresent("", previous.substr(0, previous.size() - 4).c_str());
    set_data_files_problem(problem);
    return 0;
}

void ReleaseEngineBuffers()
{
    close_engine();
    close_data_files();
}

std::uint32_t LookUpWord(const char* word, std::uint32_t block_size)
{
    if (word == nullptr)
        return 0;
    return entry_offset(word, block_size);
}

RWOrdered* CollectTypedHits(const char* text, const char* index_code)
{
    const std::string query = std::string(index_code != nullptr ? index_code : "va") + "=" +
                              (text != nullptr ? text : "");
    ResultList* found = nullptr;
    RunQuery(&found, query.c_str());
    std::unique_ptr<ResultList> owned(found);
    if (!owned)
        return new RWOrdered;
    return CollectHits(nullptr, owned.get(), 0);
}
