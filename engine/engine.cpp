// engine.cpp: the thin calls of the engine's facade over the engine's own routines.
#include "engine/engine.h"

#include <memory>
#include <string>

int OpenDictionary(const char* directory, const char* base_name)
{
    return DataFilesPresent(directory, base_name) == 0 ? 1 : 0;
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
