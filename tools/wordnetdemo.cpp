// wordnetdemo.cpp: writes the demo dictionary from WordNet 3.0.
//   wordnetdemo <wordnet directory> <output directory>
// The output directory gets the description file demo.dct and, under data/, the main
// data set (demo), the illustrations (art), the tables (tables) and the spoken words
// (sound), each a ".cmp"/".ndx" pair. Everything is written beside the output directory
// first and moved into place at the end, so an interrupted run leaves no half dictionary.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <zlib.h>

#include "tools/demodict/demo_entries.h"
#include "tools/demodict/description.h"
#include "tools/demodict/pictures.h"
#include "tools/demodict/speech.h"
#include "tools/demodict/wordnet.h"
#include "engine/engine.h"
#include "tools/dictwriter/dictwriter.h"

namespace fs = std::filesystem;
using namespace demodict;

namespace {

constexpr std::size_t kSpokenWords = 2000;

using Clock = std::chrono::steady_clock;
Clock::time_point g_start = Clock::now();

void step(const char* what)
{
    const double seconds = std::chrono::duration<double>(Clock::now() - g_start).count();
    std::printf("[%6.1f s] %s\n", seconds, what);
    std::fflush(stdout);
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "wordnetdemo: %s\n", message.c_str());
    return 1;
}

bool write_set(const dictwriter::DictionarySource& source, const fs::path& base, const char* what,
               dictwriter::WrittenDictionary* written, std::string* error)
{
    if (!dictwriter::write_dictionary(source, base.string(), written, error))
        return false;
    std::printf("  %-8s %7zu records: %s.cmp %10u bytes, %s.ndx %10u bytes\n", what,
                source.entries.size(), base.filename().c_str(), written->data_bytes,
                base.filename().c_str(), written->index_bytes);
    return true;
}

// Records holding a picture each, every one in a block of its own (position 0).
dictwriter::DictionarySource picture_source(const std::vector<Picture>& pictures)
{
    dictwriter::DictionarySource source;
    source.block_text_bytes = 1;
    for (const Picture& picture : pictures) {
        dictwriter::SourceEntry entry;
        entry.head_word = picture.key;
        entry.fields = picture.png;
        source.entries.push_back(std::move(entry));
    }
    return source;
}

// The lemmas spoken: the most frequent in tagged text, as their entries show them.
std::vector<std::string> words_to_speak(const WordNet& wordnet, const std::vector<DemoEntry>& entries)
{
    std::unordered_map<std::string, std::string> shown;  // lemma -> as shown
    for (const DemoEntry& entry : entries)
        shown.emplace(entry.index->lemma, entry.lemma);
    std::vector<std::pair<long, std::string>> counted;
    for (const auto& [lemma, count] : wordnet.frequency) {
        const auto found = shown.find(lemma);
        if (found != shown.end() && found->second.find('.') == std::string::npos)
            counted.push_back({count, found->second});
    }
    std::sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::string> words;
    for (const auto& [count, word] : counted) {
        if (words.size() == kSpokenWords)
            break;
        if (std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(word);
    }
    return words;
}

struct SpeakJob {
    const std::vector<std::string>* words;
    std::vector<std::string>* sounds;
    std::string work_dir;
};

void speak_one(std::size_t i, void* context)
{
    auto* job = static_cast<SpeakJob*>(context);
    (*job->sounds)[i] = spoken_word((*job->words)[i], job->work_dir, static_cast<int>(i));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: wordnetdemo <wordnet directory> <output directory>\n");
        return 2;
    }
    const fs::path output = fs::absolute(argv[2]).lexically_normal();
    const fs::path staging = output.string() + ".part";
    std::error_code code;
    fs::remove_all(staging, code);
    fs::create_directories(staging / "data", code);
    if (code)
        return fail("cannot create " + staging.string());
    const fs::path work = staging / "work";
    fs::create_directories(work, code);

    WordNet wordnet;
    std::string error;
    if (!read_wordnet(argv[1], &wordnet, &error))
        return fail(error + " (is the package wordnet-base installed?)");
    const std::vector<DemoEntry> entries = list_entries(wordnet);
    step(("read WordNet: " + std::to_string(wordnet.synsets.size()) + " synsets, " +
          std::to_string(entries.size()) + " entries").c_str());

    EntryExtras extras;
    std::vector<std::string> lemmas;
    for (const DemoEntry& entry : entries) {
        if (extras.ipa.emplace(entry.lemma, std::string()).second)
            lemmas.push_back(entry.lemma);
    }
    std::vector<std::string> ipa;
    if (!ipa_for_words(lemmas, work.string(), &ipa, &error))
        return fail(error);
    for (std::size_t i = 0; i < lemmas.size(); ++i)
        extras.ipa[lemmas[i]] = ipa[i];
    step(("pronunciations: " + std::to_string(lemmas.size()) + " lemmas").c_str());

    const std::vector<std::string> spoken = words_to_speak(wordnet, entries);
    std::vector<std::string> sounds(spoken.size());
    SpeakJob speak{&spoken, &sounds, work.string()};
    run_parallel(spoken.size(), speak_one, &speak);
    dictwriter::DictionarySource sound_source;
    std::size_t too_long = 0;
    std::size_t silent = 0;
    for (std::size_t i = 0; i < spoken.size(); ++i) {
        if (sounds[i].empty()) {
            ++silent;
            continue;
        }
        if (sounds[i].size() > kEntryBufBytes) {
            ++too_long;
            continue;
        }
        extras.spoken.insert(spoken[i]);
        sound_source.entries.push_back({spoken[i], sounds[i], {}, {}});
    }
    step(("spoken words: " + std::to_string(sound_source.entries.size()) + " of " +
          std::to_string(spoken.size()) + "; " + std::to_string(too_long) +
          " left without sound for passing the 65,535-byte entry buffer, " +
          std::to_string(silent) + " that espeak-ng gave no sound")
             .c_str());

    const std::vector<Picture> figures = draw_figures();
    const std::vector<Picture> tables = draw_tables();
    for (const Picture& figure : figures)
        extras.figures[figure.headword] = figure.key;
    for (const Picture& table : tables) {
        std::string key = table.headword;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
        extras.tables[key] = {table.key, table.caption};
    }
    step("pictures drawn");

    MainReport report;
    const dictwriter::DictionarySource main_source = build_main_source(wordnet, entries, extras, &report);
    step("entries built");

    const fs::path data = staging / "data";
    dictwriter::WrittenDictionary main_written;
    dictwriter::WrittenDictionary other_written;
    std::printf("data sets:\n");
    if (!write_set(main_source, data / kMainName, "main", &main_written, &error) ||
        !write_set(picture_source(figures), data / kArtName, "art", &other_written, &error) ||
        !write_set(picture_source(tables), data / kTableName, "tables", &other_written, &error) ||
        !write_set(sound_source, data / kSoundName, "sound", &other_written, &error))
        return fail(error);
    {
        std::ofstream dct(staging / kDescriptionFile, std::ios::binary);
        dct << demo_description();
        if (!dct)
            return fail("cannot write " + (staging / kDescriptionFile).string());
    }
    fs::remove_all(work, code);
    step("written");

    // What the limits of the format leave: three-byte word offsets in the key tables and
    // friends matrices (16 MiB of index), and the entry buffer for one entry.
    std::string texts;
    for (const dictwriter::SourceEntry& entry : main_source.entries)
        texts += entry.fields;
    uLongf packed_bytes = compressBound(static_cast<uLong>(texts.size()));
    std::string packed(packed_bytes, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_bytes,
              reinterpret_cast<const Bytef*>(texts.data()), static_cast<uLong>(texts.size()), 9);
    // Only offsets of the word list's entries are stored in three bytes (key tables and
    // friends matrices): the word list must end below 16 MiB; the index may go past it.
    std::uint32_t va_start = 0;
    std::uint32_t va_end = 0;
    if (OpenDictionary((data.string() + "/").c_str(), kMainName) != 0)
        find_descriptor("va", &va_start, &va_end);
    ReleaseEngineBuffers();
    std::printf("main index: %u bytes; its word list (\"va\") ends at byte %u, %.1f%% of the "
                "16 MiB that three-byte word offsets reach\n",
                main_written.index_bytes, va_end, 100.0 * va_end / (1u << 24));
    std::printf("main data: %u bytes for %zu bytes of entry text; zlib level 9 of the same "
                "text as one stream: %lu bytes (data file / that = %.2f)\n",
                main_written.data_bytes, texts.size(), static_cast<unsigned long>(packed_bytes),
                static_cast<double>(main_written.data_bytes) / static_cast<double>(packed_bytes));
    std::printf("longest entry: %s, %zu bytes of %zu; %zu senses left out of entries that "
                "would not fit\n",
                report.longest_head_word.c_str(), report.longest_entry, static_cast<std::size_t>(kEntryBufBytes),
                report.senses_left_out);

    fs::remove_all(output, code);
    fs::rename(staging, output, code);
    if (code)
        return fail("cannot move " + staging.string() + " to " + output.string());
    step(("demo dictionary in " + output.string()).c_str());
    return 0;
}
