// demo_folder.h: where the benchmarks that run TavlinCD on the WordNet demo find it: the
// folder VKO_DEMO_DIR names, else the build's own (<build>/demo, written with -DVKO_DEMO=ON).
// The long searches' benchmarks write a slice of it from WordNet into a temporary folder
// without either (far fewer hits); without WordNet there is none, and they are skipped.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/demodict/demo_writer.h"
#include "tools/demodict/description.h"

namespace benchdemo {

inline bool HasDemo(const std::string& folder)
{
    return std::filesystem::exists(folder + "/" + demodict::kDescriptionFile);
}

// The demo written before, "" when there is none.
inline std::string FoundDemo(const std::string& buildDemo)
{
    const char* named = std::getenv("VKO_DEMO_DIR");
    for (const std::string& candidate : {std::string(named != nullptr ? named : ""), buildDemo})
        if (!candidate.empty() && HasDemo(candidate))
            return candidate;
    return {};
}

struct Demo {
    std::string folder;
    std::string temporary; // removed at the end
    std::string why;       // why there is none
    bool missing = false;  // WordNet is not installed: skipped

    // buildDemo: the build's demo folder; smoke: the test command's brief run, a smaller slice.
    Demo(const std::string& buildDemo, bool smoke)
    {
        folder = FoundDemo(buildDemo);
        if (!folder.empty())
            return;
        const std::string wordnet = "/usr/share/wordnet";
        if (!std::filesystem::exists(wordnet + "/index.noun")) {
            why = "WordNet (wordnet-base) is not installed";
            missing = true;
            return;
        }
        char pattern[] = "/tmp/vko_long_search_XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            why = "cannot make a temporary folder";
            return;
        }
        temporary = pattern;
        demodict::DemoSlice slice;
        // A few words that end in "ing" besides the first lemmas; "the" is in most
        // definitions.
        slice.first_lemmas = smoke ? 200 : 30000;
        slice.lemmas = {"beginning", "building", "evening", "morning", "painting"};
        demodict::DemoReport written;
        std::string error;
        if (demodict::write_demo(wordnet, temporary + "/demo", &slice, {}, &written, &error))
            folder = temporary + "/demo";
        else
            why = "cannot write the demo slice: " + error;
    }
    ~Demo()
    {
        std::error_code code;
        if (!temporary.empty())
            std::filesystem::remove_all(temporary, code);
    }
    Demo(const Demo&) = delete;
    Demo& operator=(const Demo&) = delete;
};

} // namespace benchdemo
