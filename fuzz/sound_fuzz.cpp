// sound_fuzz.cpp: libFuzzer target for the sound records of a dictionary's "sound" data
// set. Each input is one record, in a buffer of exactly its size; the entry display hands
// it to the player as it does for a click on a spoken word, and the player (in test mode:
// it records instead of playing) checks the WAV image in it. A sound taken must lie inside
// the record.
#include <cstdint>
#include <cstring>
#include <memory>

#include "app/display/entry_key_table.h"
#include "vkobase/testing.h"
#include "win32/testing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool test_mode = (vkov_test_reset_all(), true);
    (void)test_mode;
    win32_test_reset();
    // A copy of exactly the record's size, so that a read past it is seen.
    const std::unique_ptr<char[]> record(new char[size]);
    if (size > 0)
        std::memcpy(record.get(), data, size);
    const bool played = EntryKeyTable::PlaySoundRecord(record.get(), static_cast<std::uint32_t>(size));
    win32_sound_record sound{};
    if (played != (win32_test_sound_count() == 1))
        __builtin_trap();
    if (played && (!win32_test_sound(0, &sound) || sound.image_bytes > size ||
                   sound.data_bytes > sound.image_bytes))
        __builtin_trap();
    return 0;
}
