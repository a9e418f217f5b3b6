/* sound.h: playing a sound image from memory. With SND_MEMORY, sound points at a complete
 * RIFF WAVE image: its header gives its size, and nothing beyond that size is read. The image
 * is checked ("RIFF", "WAVE", a PCM "fmt " chunk and a "data" chunk inside the image) and
 * handed, as it is, to an audio player found on PATH (pw-play, paplay or aplay); the call
 * returns when the player has finished. It answers TRUE when the sound was played, FALSE for
 * a malformed image, a missing player or a player that failed. A null sound (stopping) answers
 * TRUE; a sound given by name (without SND_MEMORY) is not supported and answers FALSE. In test
 * mode the checked image is recorded instead of played (see testing.h). */
#ifndef WIN32_SOUND_H
#define WIN32_SOUND_H

#include "win32/wintypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define SND_SYNC 0x0000u
#define SND_ASYNC 0x0001u
#define SND_NODEFAULT 0x0002u
#define SND_MEMORY 0x0004u

WIN32_API BOOL sndPlaySoundA(LPCSTR sound, UINT flags) WIN32_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* WIN32_SOUND_H */
