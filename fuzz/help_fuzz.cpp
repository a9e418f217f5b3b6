// help_fuzz.cpp: libFuzzer target for the help file reader. Each input is the text of a
// help file; when it parses, every topic, link and the contents topic are looked up, and
// the keyword search runs for every key, for no key and for a key the input ends with.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/win32/src/help_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzzsupport::as_string(data, size);
    win32::help::HelpFile file;
    std::string error;
    if (!win32::help::parse_help_file(text, &file, &error)) {
        if (error.compare(0, 5, "line ") != 0)
            __builtin_trap();  // every fault names its line
        return 0;
    }
    file.contents_topic();
    for (const win32::help::Topic& topic : file.topics) {
        if (file.find(topic.number) == nullptr)
            __builtin_trap();
        for (const auto& paragraph : topic.paragraphs)
            for (const win32::help::Run& run : paragraph)
                if (run.link != 0)
                    file.find(run.link);
        for (const std::string& keyword : topic.keywords) {
            win32::help::search(file, keyword);
            win32::help::search(file, keyword.substr(0, 1));
        }
    }
    win32::help::search(file, "");
    win32::help::search(file, text.substr(text.size() > 3 ? text.size() - 3 : 0));
    return 0;
}
