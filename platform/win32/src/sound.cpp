// sound.cpp: sndPlaySoundA over a RIFF WAVE image in memory. The image is checked chunk by
// chunk within the size its header declares, then piped as it is to an audio player.
//
// Image layout (all numbers little-endian):
//   0  "RIFF"   4  u32 riff_size (bytes after this field)   8  "WAVE"
//   12 chunks: 4-byte id, u32 size, size bytes of body, one pad byte when size is odd.
//   "fmt " body: u16 format tag (1 PCM), u16 channels, u32 sample rate, u32 byte rate,
//              u16 block align, u16 bits per sample (16 bytes at least).
//   "data" body: the samples.
// Traps: riff_size is the caller's claim, so every chunk must lie inside riff_size + 8
// bytes, and the walk never reads a byte past that end.
#include "win32/sound.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "vkobase/testing.h"
#include "win32/testing.h"
#include "win32_internal.h"

namespace {

// Images above this size are refused: no pronunciation comes near it, and a corrupt size
// field must not make us read far.
constexpr uint32_t kMaxImageBytes = 64u << 20;

struct SoundState {
    std::vector<win32_sound_record> played; // test mode: images accepted
    bool live = false;                       // test mode: play for real anyway
};
SoundState &state() {
    static SoundState s;
    return s;
}

uint16_t read_u16_le(const unsigned char *p) noexcept {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t read_u32_le(const unsigned char *p) noexcept {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Checks the image and fills the record; false for anything malformed.
bool parse(const unsigned char *image, win32_sound_record *rec) noexcept {
    if (std::memcmp(image, "RIFF", 4) != 0)
        return false;
    const uint32_t riff_size = read_u32_le(image + 4);
    if (riff_size < 4 || riff_size > kMaxImageBytes - 8)
        return false;
    const uint32_t end = riff_size + 8;
    if (std::memcmp(image + 8, "WAVE", 4) != 0)
        return false;
    rec->image_bytes = end;
    bool have_fmt = false;
    bool have_data = false;
    uint32_t pos = 12;
    while (end - pos >= 8) {
        const unsigned char *chunk = image + pos;
        const uint32_t size = read_u32_le(chunk + 4);
        if (size > end - pos - 8)
            return false;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16)
                return false;
            rec->format_tag = read_u16_le(chunk + 8);
            rec->channels = read_u16_le(chunk + 10);
            rec->sample_rate = read_u32_le(chunk + 12);
            rec->bits_per_sample = read_u16_le(chunk + 22);
            have_fmt = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            rec->data_bytes = size;
            have_data = true;
        }
        const uint32_t step = 8 + size + (size & 1u);
        if (step > end - pos)
            break;
        pos += step;
    }
    return have_fmt && have_data && rec->format_tag == 1 && rec->channels != 0 &&
           rec->sample_rate != 0;
}

// Pipes the image to the first player found and waits for it. True when it played.
bool play(const unsigned char *image, uint32_t size) noexcept {
    struct Player {
        const char *name;
        const char *arg;
    };
    static constexpr Player kPlayers[] = {{"pw-play", "-"}, {"paplay", nullptr}, {"aplay", "-q"}};
    std::string path;
    const Player *player = nullptr;
    try {
        for (const Player &p : kPlayers) {
            path = win32::find_on_path(p.name);
            if (!path.empty()) {
                player = &p;
                break;
            }
        }
    } catch (...) {
        return false;
    }
    if (player == nullptr)
        return false;
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (child == 0) {
        dup2(fds[0], STDIN_FILENO);
        close(fds[0]);
        close(fds[1]);
        char *const argv[] = {const_cast<char *>(path.c_str()), const_cast<char *>(player->arg),
                              nullptr};
        execv(path.c_str(), argv);
        _exit(127);
    }
    close(fds[0]);
    // A player that stops reading must not end us through SIGPIPE.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &previous);
    uint32_t sent = 0;
    while (sent < size) {
        const ssize_t n = write(fds[1], image + sent, size - sent);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        sent += static_cast<uint32_t>(n);
    }
    close(fds[1]);
    sigaction(SIGPIPE, &previous, nullptr);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return sent == size && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

void win32::reset_sound() noexcept {
    state().played.clear();
    state().live = false;
}

extern "C" {

BOOL sndPlaySoundA(LPCSTR sound, UINT flags) noexcept {
    if (sound == nullptr)
        return TRUE;
    if ((flags & SND_MEMORY) == 0)
        return FALSE;
    const auto *image = reinterpret_cast<const unsigned char *>(sound);
    win32_sound_record rec{};
    rec.flags = flags;
    if (!parse(image, &rec))
        return FALSE;
    if (vkov_test_is_active() && !state().live) {
        try {
            state().played.push_back(rec);
        } catch (...) {
            return FALSE;
        }
        return TRUE;
    }
    return play(image, rec.image_bytes) ? TRUE : FALSE;
}

void win32_test_set_live_sound(BOOL live) noexcept {
    state().live = live != FALSE;
}

int32_t win32_test_sound_count(void) noexcept {
    return static_cast<int32_t>(state().played.size());
}

BOOL win32_test_sound(int32_t index, win32_sound_record *out) noexcept {
    if (out == nullptr || index < 0 || static_cast<size_t>(index) >= state().played.size())
        return FALSE;
    *out = state().played[static_cast<size_t>(index)];
    return TRUE;
}

} // extern "C"
