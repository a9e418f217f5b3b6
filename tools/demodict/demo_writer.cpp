// demo_writer.cpp: the demo dictionary from WordNet, whole or a slice of it.
#include "tools/demodict/demo_writer.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <unordered_map>
#include <unordered_set>

#include "tools/demodict/description.h"
#include "tools/demodict/pictures.h"
#include "tools/demodict/speech.h"
#include "tools/demodict/wordnet.h"
#include "engine/engine.h"

namespace fs = std::filesystem;

namespace demodict {
namespace {

constexpr std::size_t kSpokenWords = 2000;

bool write_set(const dictwriter::DictionarySource& source, const fs::path& base, const char* what,
               dictwriter::WrittenDictionary* written,
               const std::function<void(const std::string&)>& progress, std::string* error)
{
    if (!dictwriter::write_dictionary(source, base.string(), written, error))
        return false;
    if (progress)
        progress("  " + std::string(what) + ": " + std::to_string(source.entries.size()) +
                 " records, " + base.filename().string() + ".cmp " +
                 std::to_string(written->data_bytes) + " bytes, " + base.filename().string() +
                 ".ndx " + std::to_string(written->index_bytes) + " bytes");
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
std::vector<std::string> words_to_speak(const WordNet& wordnet,
                                        const std::vector<DemoEntry>& entries)
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

// The entries of the slice's lemmas, in their order.
std::vector<DemoEntry> sliced(const std::vector<DemoEntry>& entries, const DemoSlice& slice)
{
    std::unordered_set<std::string> kept(slice.lemmas.begin(), slice.lemmas.end());
    std::unordered_set<std::string> first;
    for (const DemoEntry& entry : entries) {
        if (first.size() == slice.first_lemmas)
            break;
        first.insert(entry.index->lemma);
    }
    std::vector<DemoEntry> out;
    for (const DemoEntry& entry : entries)
        if (first.count(entry.index->lemma) != 0 || kept.count(entry.index->lemma) != 0)
            out.push_back(entry);
    return out;
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

bool write_demo(const std::string& wordnet_dir, const std::string& output_dir,
                const DemoSlice* slice, const std::function<void(const std::string&)>& progress,
                DemoReport* report, std::string* error)
{
    const auto step = [&](const std::string& what) {
        if (progress)
            progress(what);
    };
    const fs::path output = fs::absolute(output_dir).lexically_normal();
    const fs::path staging = output.string() + ".part";
    std::error_code code;
    fs::remove_all(staging, code);
    fs::create_directories(staging / "data", code);
    if (code) {
        *error = "cannot create " + staging.string();
        return false;
    }
    const fs::path work = staging / "work";
    fs::create_directories(work, code);

    WordNet wordnet;
    if (!read_wordnet(wordnet_dir, &wordnet, error)) {
        *error += " (is the package wordnet-base installed?)";
        return false;
    }
    std::vector<DemoEntry> entries = list_entries(wordnet);
    if (slice != nullptr)
        entries = sliced(entries, *slice);
    step("read WordNet: " + std::to_string(wordnet.synsets.size()) + " synsets, " +
         std::to_string(entries.size()) + " entries");

    EntryExtras extras;
    std::vector<std::string> lemmas;
    for (const DemoEntry& entry : entries) {
        if (extras.ipa.emplace(entry.lemma, std::string()).second)
            lemmas.push_back(entry.lemma);
    }
    std::vector<std::string> ipa;
    if (!ipa_for_words(lemmas, work.string(), &ipa, error))
        return false;
    for (std::size_t i = 0; i < lemmas.size(); ++i)
        extras.ipa[lemmas[i]] = ipa[i];
    step("pronunciations: " + std::to_string(lemmas.size()) + " lemmas");

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
    step("spoken words: " + std::to_string(sound_source.entries.size()) + " of " +
         std::to_string(spoken.size()) + "; " + std::to_string(too_long) +
         " left without sound for passing the 65,535-byte entry buffer, " + std::to_string(silent) +
         " that espeak-ng gave no sound");

    const std::vector<Picture> figures = draw_figures();
    const std::vector<Picture> tables = draw_tables();
    for (const Picture& figure : figures)
        extras.figures[figure.headword] = figure.key;
    for (const Picture& table : tables) {
        std::string key = table.headword;
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        extras.tables[key] = {table.key, table.caption};
    }
    step("pictures drawn");

    const dictwriter::DictionarySource main_source =
        build_main_source(wordnet, entries, extras, &report->main);
    step("entries built");

    const fs::path data = staging / "data";
    dictwriter::WrittenDictionary other_written;
    step("data sets:");
    if (!write_set(main_source, data / kMainName, "main", &report->main_written, progress, error) ||
        !write_set(picture_source(figures), data / kArtName, "art", &other_written, progress,
                   error) ||
        !write_set(picture_source(tables), data / kTableName, "tables", &other_written, progress,
                   error) ||
        !write_set(sound_source, data / kSoundName, "sound", &other_written, progress, error))
        return false;
    {
        std::ofstream dct(staging / kDescriptionFile, std::ios::binary);
        dct << demo_description();
        if (!dct) {
            *error = "cannot write " + (staging / kDescriptionFile).string();
            return false;
        }
    }
    fs::remove_all(work, code);
    report->main_text.clear();
    for (const dictwriter::SourceEntry& entry : main_source.entries)
        report->main_text += entry.fields;
    step("written");

    fs::remove_all(output, code);
    fs::rename(staging, output, code);
    if (code) {
        *error = "cannot move " + staging.string() + " to " + output.string();
        return false;
    }
    return true;
}

bool link_demo(const std::string& demo, const std::string& folder, std::string* error)
{
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(demo, code))
        if (entry.path().extension() == ".dct" && !code)
            fs::copy_file(entry.path(), fs::path(folder) / entry.path().filename(), code);
    if (!code)
        fs::create_directory_symlink(fs::path(demo) / "data", fs::path(folder) / "data", code);
    if (code)
        *error = "cannot use the demo in " + demo + ": " + code.message();
    return !code;
}

} // namespace demodict
