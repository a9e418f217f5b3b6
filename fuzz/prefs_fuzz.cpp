// prefs_fuzz.cpp: libFuzzer target for the preferences file. Each input is the text of a
// "Pref.kq"; what the reader makes of it is written back with the writer and read again,
// and the second reading must give the same preferences: nothing the program keeps is lost
// between two runs.
#include <cstdint>
#include <string>

#include "app/settings/prefs.h"
#include "app/settings/settings_files.h"
#include "fuzz/fuzz_support.h"

namespace {

bool same(const Prefs& a, const Prefs& b)
{
    return a.font_size == b.font_size && a.back_color == b.back_color &&
           a.text_color == b.text_color && a.highlight_color == b.highlight_color &&
           a.audio_color == b.audio_color && a.use_in_results == b.use_in_results &&
           a.reference == b.reference && a.search_type == b.search_type &&
           a.search_mode == b.search_mode;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& dir = fuzzsupport::work_dir();
    if (!fuzzsupport::write_file(dir + kPrefsFileName, fuzzsupport::as_string(data, size)))
        return 0;
    SettingsFiles files;
    Prefs first = DefaultPrefs();
    if (files.ReadPrefs(&first, dir) != 1)
        return 0;
    if (files.WritePrefs(first, dir) != 1)
        __builtin_trap();  // the folder is writable: the write must succeed
    // Other starting values, so that a setting the writer left out shows.
    Prefs second;
    if (files.ReadPrefs(&second, dir) != 1 || !same(first, second))
        __builtin_trap();
    return 0;
}
