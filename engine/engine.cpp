// engine.cpp: the thin calls of the engine's facade over the engine's own routines.
#include "engine/engine.h"

#include <sys/stat.h>

#include <memory>
#include <string>

#include "engine/pair_check.h"

namespace {

// What a passed check was made on: the two files as they were, and the codes required. A
// program switches among its dictionaries and their picture, table and sound sets all the
// time; an unchanged pair is not checked again.
std::string CheckedState(const std::vector<std::string>& search_codes)
{
    std::string state;
    for (const std::string* path : {&data_file_path(), &index_file_path()}) {
        struct stat info {};
        if (stat(path->c_str(), &info) != 0)
            return std::string();
        state += *path + '\n' + std::to_string(info.st_ino) + ' ' + std::to_string(info.st_size) +
                 ' ' + std::to_string(info.st_mtim.tv_sec) + '.' +
                 std::to_string(info.st_mtim.tv_nsec) + '\n';
    }
    for (const std::string& code : search_codes)
        state += code + ',';
    return state;
}

std::vector<std::string>& PassedChecks()
{
    static std::vector<std::string> passed;
    return passed;
}

} // namespace

int OpenDictionary(const char* directory, const char* base_name,
                   const std::vector<std::string>& search_codes)
{
    const std::string previous = data_file_path();
    if (DataFilesPresent(directory, base_name) != 0)
        return 0;
    const std::string state = CheckedState(search_codes);
    std::vector<std::string>& passed = PassedChecks();
    for (const std::string& known : passed)
        if (!state.empty() && known == state)
            return 1;
    std::string problem;
    if (check_open_pair(&problem, search_codes)) {
        if (!state.empty() && passed.size() < 64)
            passed.push_back(state);
        return 1;
    }
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
