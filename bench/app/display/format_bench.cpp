// format_bench.cpp: the entry-text formatter on entries shaped like the demo dictionary's:
// a typical one (a noun with four senses) and one as long as its longest (a verb with 60
// senses, about 7 KB of fields), written at start into a temporary dictionary. Only the
// formatting is timed; the engine the parts go to does nothing.
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "app/display/entry_key_table.h"
#include "app/settings/config_dict.h"
#include "engine/engine.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"

namespace {

class NullTarget : public EntryDisplayTarget {
public:
    void SetDisplayOrder(const RWOrdered&, const RWOrdered&, const RWOrdered*) override {}
    void ShowEntry(WordItem* const* parts) override { benchmark::DoNotOptimize(parts); }
};

std::vector<dictwriter::EntryField> entry_fields(const std::string& word, int senses)
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

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void format(benchmark::State& state, const char* head_word)
{
    Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("cannot write the fixture dictionary");
        return;
    }
    WordItem word(head_word);
    word.set_entry_offset(static_cast<std::int32_t>(LookUpWord(head_word, 512)));
    const std::uint32_t bytes = entry_length(static_cast<std::uint32_t>(word.entry_offset()), 512);
    NullTarget target;
    for (auto _ : state)
        f.table.FormatEntryText(&word, &target, nullptr);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_FormatEntry_Typical(benchmark::State& state) { format(state, "typical"); }
void BM_FormatEntry_Longest(benchmark::State& state) { format(state, "longest"); }
BENCHMARK(BM_FormatEntry_Typical);
BENCHMARK(BM_FormatEntry_Longest);

} // namespace
