// bench_entries.h: entries shaped like the demo dictionary's, written at start into a
// temporary dictionary: a typical one (a noun with four senses) and one as long as its
// longest (a verb with 60 senses, about 7 KB of fields), with a formatter opened on it.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include <stdlib.h>

#include "app/display/entry_key_table.h"
#include "app/settings/config_dict.h"
#include "engine/engine.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"

namespace benchentries {

inline std::vector<dictwriter::EntryField> entry_fields(const std::string& word, int senses)
{
    std::vector<dictwriter::EntryField> fields = {
        {0xA3, word}, {0xF2, ""}, {0xAD, "\x01\\\x0B" "br\xC0" "eIk\x09\x01\\"}, {0x9F, "verb"},
        {0xA5, "past"}, {0xA4, "broke"}, {0xA5, "past participle"}, {0xA4, "broken"}};
    for (int i = 1; i <= senses; ++i) {
        fields.push_back({0x94, std::to_string(i)});
        fields.push_back({0xDD, "law"});
        fields.push_back({0xEC, "render inoperable or ineffective; cause to ~ or be separated"});
        fields.push_back({0x8A, "You broke the alarm clock when you took it apart!"});
        fields.push_back({0xBE, "separate, split up, fall apart, come apart"});
        fields.push_back({0xE6, "repair"});
    }
    fields.push_back({0xE4, "breakage, breaker, breaking"});
    fields.push_back({0xD7, "break down, break up"});
    return fields;
}

struct Fixture {
    std::string dir;
    configDict description;
    EntryKeyTable table;
    bool ok = false;
    Fixture()
    {
        char pattern[] = "/tmp/vko_format_bench_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr)
            return;
        dir = made;
        dictwriter::DictionarySource source;
        source.entries.push_back({"typical", dictwriter::encode_field_stream(entry_fields("dog", 4)), {}, {}});
        source.entries.push_back({"longest", dictwriter::encode_field_stream(entry_fields("break", 60)), {}, {}});
        std::string error;
        description.InitSlots();
        description.SetBaseDir((dir + "/").c_str());
        description.SetBaseName("demo");
        description.SetSoundExist(1);
        description.SetPart(1, 1, "Entry:", "N");
        description.SetPart(2, 9, "Senses:", "N");
        ok = dictwriter::write_dictionary(source, dir + "/demo", nullptr, &error) &&
             table.Matches(&description);
    }
    // The engine's own state goes at exit before this: its buffers are not released here.
    ~Fixture()
    {
        std::error_code code;
        std::filesystem::remove_all(dir, code);
    }
};

inline Fixture& fixture()
{
    static Fixture f;
    return f;
}

} // namespace benchentries
