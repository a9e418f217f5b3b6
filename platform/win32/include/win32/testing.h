/* testing.h: what tests use to observe the Windows services. In test mode (the base library's
 * vkov_test_is_active) sounds and shell requests are recorded instead of played and started;
 * help requests are always recorded. win32_test_reset forgets every record and restores the
 * initial state. Texts answered stay valid until the next reset. */
#ifndef WIN32_TESTING_H
#define WIN32_TESTING_H

#include "win32/wintypes.h"

#ifdef __cplusplus
extern "C" {
#endif

WIN32_API void win32_test_reset(void) WIN32_NOEXCEPT;

/* A sound accepted by sndPlaySoundA. With live set, test mode plays sounds for real (through
 * the first audio player on PATH) as outside tests, and records nothing. */
typedef struct win32_sound_record {
    UINT flags;
    DWORD image_bytes; /* the whole RIFF image */
    WORD format_tag;   /* 1: PCM */
    WORD channels;
    DWORD sample_rate;
    WORD bits_per_sample;
    DWORD data_bytes; /* the samples */
} win32_sound_record;
WIN32_API int32_t win32_test_sound_count(void) WIN32_NOEXCEPT;
WIN32_API BOOL win32_test_sound(int32_t index, win32_sound_record *out) WIN32_NOEXCEPT;
WIN32_API void win32_test_set_live_sound(BOOL live) WIN32_NOEXCEPT;

/* Help requests: the file (null when none was given), command, data, and the key text of
 * HELP_PARTIALKEY (null otherwise). */
WIN32_API int32_t win32_test_help_count(void) WIN32_NOEXCEPT;
WIN32_API LPCSTR win32_test_help_file(int32_t index) WIN32_NOEXCEPT;
WIN32_API UINT win32_test_help_command(int32_t index) WIN32_NOEXCEPT;
WIN32_API ULONG_PTR win32_test_help_data(int32_t index) WIN32_NOEXCEPT;
WIN32_API LPCSTR win32_test_help_key(int32_t index) WIN32_NOEXCEPT;

/* Shell requests recorded in test mode: the file of each. With live set, test mode starts
 * the opener for real as outside tests. */
WIN32_API int32_t win32_test_shell_count(void) WIN32_NOEXCEPT;
WIN32_API LPCSTR win32_test_shell_file(int32_t index) WIN32_NOEXCEPT;
WIN32_API void win32_test_set_live_shell(BOOL live) WIN32_NOEXCEPT;
/* How long "open" gives the opener to give up (end in failure) before it takes the browser as
 * started: 2000 ms unless set; 0 or less restores that. A test on a busy machine gives an opener
 * that fails at once the time it needs to be seen failing. */
WIN32_API void win32_test_set_opener_grace(int32_t ms) WIN32_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* WIN32_TESTING_H */
