// sound_set_fuzz.cpp: libFuzzer target for a dictionary's "sound" data set as a whole. Each
// input is a file pair (fuzz_input.h) written as the set's "sound.ndx" and "sound.cmp" in a
// private directory that a description names as its sound folder; the entry display checks
// the set as a dictionary's opening does (another set in its place, a damaged one) and
// plays a few words from it as clicks on spoken words do. A fatal report on damaged data
// is an allowed outcome (the hook throws); a set refused is always said to be so, naming
// its file, and a sound taken lies inside its record.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/display/entry_key_table.h"
#include "app/settings/config_dict.h"
#include "engine/engine.h"
#include "engine/report.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "vkobase/testing.h"
#include "win32/testing.h"

namespace {

struct EngineFatal {};

void throw_on_fatal(std::string_view)
{
    throw EngineFatal{};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool test_mode = (vkov_test_reset_all(), true);
    (void)test_mode;
    const std::string& dir = fuzzsupport::work_dir();
    engine_set_fatal_hook(throw_on_fatal);
    engine_set_reports_silent(true);
    win32_test_reset();
    const FuzzPair pair = split_fuzz_input(data, size);
    if (!fuzzsupport::write_file(dir + "sound.ndx", pair.index_file) ||
        !fuzzsupport::write_file(dir + "sound.cmp", pair.data_file))
        return 0;
    configDict description;
    description.InitSlots();
    description.SetRefName("Fuzz");
    description.SetBaseDir(dir.c_str());
    description.SetBaseName("none");  // no main set: only the sound set opens
    description.SetSoundDir(dir.c_str());
    description.SetSoundExist(1);
    EntryKeyTable table;
    table.Matches(&description);
    try {
        for (const std::string& problem : table.MediaSetProblems())
            if (problem.find(dir + "sound.") == std::string::npos)
                __builtin_trap();  // every problem names the set's file
        for (const char* word : {"apple", "listen", "zebra", ""}) {
            std::uint32_t length = 0;
            const char* sound = table.SoundData(word, &length);
            if (EntryKeyTable::PlaySoundRecord(sound, length)) {
                win32_sound_record played{};
                if (!win32_test_sound(win32_test_sound_count() - 1, &played) || played.image_bytes > length)
                    __builtin_trap();
            }
        }
    } catch (const EngineFatal&) {
    }
    close_data_files();
    return 0;
}
