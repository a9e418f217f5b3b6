// wav_image.h: the bytes of a small 8-bit mono 11,025 Hz WAV file, as the sound data set
// stores them.
#pragma once
#include <cstdint>
#include <string>

inline std::string wav(std::uint32_t samples, std::uint32_t claimed_extra = 0)
{
    std::string out = "RIFF";
    const auto put = [&](std::uint32_t v, int n) {
        for (int k = 0; k < n; ++k)
            out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
    };
    put(36 + samples + claimed_extra, 4);
    out += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(11025, 4);
    put(11025, 4);
    put(1, 2);
    put(8, 2);
    out += "data";
    put(samples + claimed_extra, 4);
    out.append(samples, '\x80');
    return out;
}
