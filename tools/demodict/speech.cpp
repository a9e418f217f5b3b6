// speech.cpp: running espeak-ng and converting its sound to the period's WAV format.
#include "tools/demodict/speech.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace demodict {
namespace {

constexpr std::size_t kChunkWords = 2000;
constexpr std::uint32_t kPeriodRate = 11025;
constexpr int kSilence = 2;  // 8-bit samples this close to the middle count as silence

std::string quoted(const std::string& path)
{
    std::string out = "'";
    for (const char c : path)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The standard output of command, or false when it could not be run or failed.
bool capture(const std::string& command, std::string* output)
{
    output->clear();
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return false;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output->append(buffer, got);
    return pclose(pipe) == 0;
}

bool write_text(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string speakable(std::string word)
{
    for (char& c : word) {
        if (c == '_' || c == '.' || c == '!' || c == '?' || c == ';' || c == ':')
            c = ' ';
    }
    if (word.find_first_not_of(' ') == std::string::npos)
        return "x";
    return word;
}

std::vector<std::string> split_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos)
            continue;
        lines.push_back(line.substr(first, line.find_last_not_of(' ') - first + 1));
    }
    return lines;
}

std::string ipa_command(const std::string& file)
{
    return "espeak-ng -q --ipa -l 300 -v en-us -f " + quoted(file) + " 2>/dev/null";
}

struct IpaJob {
    const std::vector<std::string>* words;
    std::vector<std::string>* ipa;
    std::string work_dir;
    std::atomic<bool> failed{false};
};

void ipa_chunk(std::size_t chunk, void* context)
{
    auto* job = static_cast<IpaJob*>(context);
    const std::size_t first = chunk * kChunkWords;
    const std::size_t end = std::min(first + kChunkWords, job->words->size());
    const std::string file = job->work_dir + "/ipa" + std::to_string(chunk) + ".txt";
    std::string text;
    for (std::size_t i = first; i < end; ++i)
        text += speakable((*job->words)[i]) + "\n";
    std::string output;
    if (!write_text(file, text) || !capture(ipa_command(file), &output)) {
        job->failed = true;
        return;
    }
    std::vector<std::string> lines = split_lines(output);
    if (lines.size() != end - first) {
        lines.clear();
        for (std::size_t i = first; i < end; ++i) {
            std::string one;
            if (!write_text(file, speakable((*job->words)[i]) + "\n") ||
                !capture(ipa_command(file), &one)) {
                job->failed = true;
                return;
            }
            std::vector<std::string> pieces = split_lines(one);
            std::string joined;
            for (const std::string& piece : pieces)
                joined += (joined.empty() ? "" : " ") + piece;
            lines.push_back(joined);
        }
    }
    std::remove(file.c_str());
    for (std::size_t i = first; i < end; ++i)
        (*job->ipa)[i] = lines[i - first];
}

std::uint32_t read_le(const std::string& bytes, std::size_t at, int width)
{
    std::uint32_t value = 0;
    for (int k = width - 1; k >= 0; --k)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    return value;
}

void put_le(std::string* out, std::uint32_t value, int width)
{
    for (int k = 0; k < width; ++k)
        out->push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
}

} // namespace

void run_parallel(std::size_t count, void (*job)(std::size_t, void*), void* context)
{
    const std::size_t threads =
        std::max<std::size_t>(1, std::min<std::size_t>(count, std::thread::hardware_concurrency()));
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> pool;
    for (std::size_t t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            for (std::size_t i = next++; i < count; i = next++)
                job(i, context);
        });
    }
    for (std::thread& thread : pool)
        thread.join();
}

bool ipa_for_words(const std::vector<std::string>& words, const std::string& work_dir,
                   std::vector<std::string>* ipa, std::string* error)
{
    ipa->assign(words.size(), std::string());
    IpaJob job;
    job.words = &words;
    job.ipa = ipa;
    job.work_dir = work_dir;
    const std::size_t chunks = (words.size() + kChunkWords - 1) / kChunkWords;
    run_parallel(chunks, ipa_chunk, &job);
    if (job.failed) {
        *error = "espeak-ng could not be run (is the package espeak-ng installed?)";
        return false;
    }
    return true;
}

std::string spoken_word(const std::string& word, const std::string& work_dir, int slot)
{
    const std::string file = work_dir + "/say" + std::to_string(slot) + ".txt";
    std::string wav;
    if (!write_text(file, speakable(word) + "\n") ||
        !capture("espeak-ng -v en-us --stdout -f " + quoted(file) + " 2>/dev/null", &wav))
        return {};
    std::remove(file.c_str());
    return to_period_wav(wav);
}

std::string to_period_wav(const std::string& wav)
{
    if (wav.size() < 12 || wav.compare(0, 4, "RIFF") != 0 || wav.compare(8, 4, "WAVE") != 0)
        return {};
    std::uint32_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t bits = 0;
    std::size_t data_at = 0;
    std::size_t data_bytes = 0;
    for (std::size_t at = 12; at + 8 <= wav.size();) {
        const std::string id = wav.substr(at, 4);
        const std::size_t size = read_le(wav, at + 4, 4);
        const std::size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= wav.size()) {
            if (read_le(wav, body, 2) != 1)
                return {};  // not PCM
            channels = read_le(wav, body + 2, 2);
            rate = read_le(wav, body + 4, 4);
            bits = read_le(wav, body + 14, 2);
        } else if (id == "data") {
            data_at = body;
            // A stream written to a pipe cannot go back to fill in its length.
            data_bytes = std::min(size, wav.size() - body);
            break;
        }
        if (size > wav.size() - body)
            return {};
        at = body + size + (size & 1);
    }
    if (data_at == 0 || channels == 0 || rate == 0 || (bits != 8 && bits != 16))
        return {};
    const std::size_t frame = channels * (bits / 8);
    const std::size_t frames = data_bytes / frame;
    // Each output sample is the mean of the input samples (all channels) that fall in
    // its period.
    std::string samples;
    const double step = static_cast<double>(rate) / kPeriodRate;
    for (double start = 0; static_cast<std::size_t>(start) < frames; start += step) {
        const auto from = static_cast<std::size_t>(start);
        const std::size_t to =
            std::max(from + 1, std::min(frames, static_cast<std::size_t>(start + step)));
        long sum = 0;
        long count = 0;
        for (std::size_t f = from; f < to; ++f) {
            for (std::uint32_t c = 0; c < channels; ++c) {
                const std::size_t at = data_at + f * frame + c * (bits / 8);
                sum += bits == 8
                           ? (static_cast<long>(static_cast<unsigned char>(wav[at])) - 128) * 256
                           : static_cast<long>(static_cast<std::int16_t>(read_le(wav, at, 2)));
                ++count;
            }
        }
        const long mean = sum / count;
        samples.push_back(static_cast<char>(std::clamp(mean / 256 + 128, 0L, 255L)));
    }
    const auto loud = [](char s) {
        return std::abs(static_cast<unsigned char>(s) - 128) > kSilence;
    };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    if (first >= last)
        return {};
    const std::string sound(first, last);
    const std::size_t pad = sound.size() & 1;  // chunks are padded to an even length
    std::string out = "RIFF";
    put_le(&out, static_cast<std::uint32_t>(36 + sound.size() + pad), 4);
    out += "WAVEfmt ";
    put_le(&out, 16, 4);
    put_le(&out, 1, 2);              // PCM
    put_le(&out, 1, 2);              // mono
    put_le(&out, kPeriodRate, 4);
    put_le(&out, kPeriodRate, 4);    // bytes a second
    put_le(&out, 1, 2);              // bytes a frame
    put_le(&out, 8, 2);
    out += "data";
    put_le(&out, static_cast<std::uint32_t>(sound.size()), 4);
    out += sound;
    if (pad != 0)
        out.push_back(static_cast<char>(128));
    return out;
}

} // namespace demodict
