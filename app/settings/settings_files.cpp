// settings_files.cpp: the description and preferences readers and the preferences writer.
#include "app/settings/settings_files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

#include "app/settings/prefs.h"
#include "app/settings/config_dict.h"
#include "app/settings/file_replace.h"
#include "vkocoll/readfile.h"

namespace {

namespace fs = std::filesystem;

constexpr char kDescriptionSuffix[] = ".dct";
constexpr int kLastOrderSlot = kPartSlots - 1;

std::string in_directory(const std::string& directory, const std::string& name)
{
    return directory.empty() ? name : (fs::path(directory) / name).string();
}

// The tokens of one line as both files split them, or none for a comment or blank line.
std::vector<std::string> tokens_of(std::string line)
{
    // Values are kept as C strings and written back one a line, so a NUL byte ends the line
    // and no token ends in a CR (a CR LF line end, or one before a separator): what is read
    // is what a rewrite reads back.
    line.resize(std::min(line.find('\0'), line.size()));
    const std::size_t first = line.find_first_not_of(" \t\f\v\r");
    std::vector<std::string> tokens;
    if (first == std::string::npos || line[first] == ';')
        return tokens;
    std::string token;
    const auto end_token = [&] {
        token.erase(token.find_last_not_of('\r') + 1);
        if (!token.empty())
            tokens.push_back(token);
        token.clear();
    };
    for (std::size_t i = first; i < line.size(); ++i) {
        if (line[i] == '=' || line[i] == ',')
            end_token();
        else
            token.push_back(line[i]);
    }
    end_token();
    return tokens;
}

// Calls take(line, number) for each line of file, numbered from 1. Answers kEnd when every
// line was read, else how the reading stopped (a line too long, a failed read), with
// *stopped the number of the line it stopped at.
template <typename Take> LineRead for_each_line(std::FILE* file, int* stopped, Take take)
{
    std::string line;
    int number = 1;
    LineRead read;
    for (; (read = ReadTextLine(file, &line, kLongestSettingsLine)) == LineRead::kLine; ++number)
        take(line, number);
    *stopped = number;
    return read;
}

std::string token_at(const std::vector<std::string>& tokens, std::size_t i)
{
    return i < tokens.size() ? tokens[i] : std::string();
}

// A decimal number from the start of text: an optional sign, then digits; 0 when none
// (hexadecimal "0x1F" reads as 0). Values past the range of the field are held at its
// ends rather than wrapped, so a large flag stays nonzero.
long long leading_number(const std::string& text, long long low, long long high)
{
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str())
        return 0;
    return std::clamp(value, low, high);
}

std::int16_t flag_value(const std::string& text)
{
    return static_cast<std::int16_t>(leading_number(text, SHRT_MIN, SHRT_MAX));
}

std::int32_t int_value(const std::string& text)
{
    return static_cast<std::int32_t>(leading_number(text, INT_MIN, INT_MAX));
}

// A colour: the signed decimal the writer writes, or an unsigned one past 2^31.
std::uint32_t color_value(const std::string& text)
{
    return static_cast<std::uint32_t>(leading_number(text, INT_MIN, UINT_MAX));
}

int part_of_key(const std::string& key)
{
    static const char* const kPartKeys[] = {
        "main_entry",      "pron_entry", "variant_entry", "function_entry", "inflected_entry",
        "usage_entry", "etymology_entry", "date_entry",    "text_entry",     "art_entry"};
    for (int i = 0; i < 10; ++i) {
        if (key == kPartKeys[i])
            return i + 1;
    }
    return 0;
}

// A line that holds bytes no text holds: a damaged or binary file.
bool is_binary(const std::string& line)
{
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t' && c != '\r' && c != '\f' && c != '\v') || byte == 0x7F;
    });
}

// What reading a description file met besides its settings.
struct DescriptionLines {
    std::string fault;                 // the first line at fault, or none
    std::vector<std::string> unknown;  // the lines of keys no description has
};

DescriptionLines read_description(std::FILE* file, const std::string& name, configDict* description)
{
    using Setter = void (configDict::*)(const RWCString&);
    struct StringKey {
        const char* key;
        Setter set;
    };
    static const StringKey kStringKeys[] = {
        {"ref_name", &configDict::SetRefName},
        {"base_dir", &configDict::SetBaseDir},
        {"art_dir", &configDict::SetArtDir},
        {"table_dir", &configDict::SetTableDir},
        {"help_dir", &configDict::SetHelpDir},
        {"sound_dir", &configDict::SetSoundDir},
        {"bookmarkicon_dir", &configDict::SetBookmarkIconDir},
        {"refimage_dir", &configDict::SetRefImageDir},
        {"art_name", &configDict::SetArtName},
        {"table_name", &configDict::SetTableName},
        {"base_name", &configDict::SetBaseName},
    };
    DescriptionLines met;
    const auto at_line = [&name](int number) {
        return name + " line " + std::to_string(number) + ": ";
    };
    int order_slot = 1;
    int stopped = 0;
    const LineRead end = for_each_line(file, &stopped, [&](const std::string& line, int number) {
        if (met.fault.empty() && is_binary(line))
            met.fault = at_line(number) + "not a line of text";
        const std::vector<std::string> tokens = tokens_of(line);
        if (tokens.empty())
            return;
        const std::string& key = tokens[0];
        const std::string value = token_at(tokens, 1);
        for (const StringKey& string_key : kStringKeys) {
            if (key == string_key.key) {
                (description->*string_key.set)(value.c_str());
                return;
            }
        }
        if (key == "sound_exist") {
            description->SetSoundExist(flag_value(value));
        } else if (key == "art_exist") {
            description->SetArtExist(flag_value(value));
        } else if (key == "search_text") {
            description->AddSearchType(value.c_str(), token_at(tokens, 2).c_str());
        } else if (const int part = part_of_key(key); part != 0) {
            // Order slots run from 1 to 11; a later part line still sets its strings.
            const int slot = order_slot <= kLastOrderSlot ? order_slot++ : -1;
            description->SetPart(slot, part, value.c_str(), token_at(tokens, 2).c_str());
        } else if (!is_binary(line)) {
            met.unknown.push_back(at_line(number) + "unknown key \"" + key + "\"");
        }
    });
    if (met.fault.empty() && end == LineRead::kTooLong)
        met.fault =
            at_line(stopped) + "longer than " + std::to_string(kLongestSettingsLine) + " bytes";
    else if (met.fault.empty() && end == LineRead::kFailed)
        met.fault = at_line(stopped) + "cannot be read";
    return met;
}

std::string decimal(long long value) { return std::to_string(value); }

// Why the description file name describes no dictionary the program can use (a line that
// is not text or cannot be read, a missing ref_name, base_name or search type), or "" when
// it does.
std::string description_problem(const std::string& name, const DescriptionLines& met,
                                const configDict& read)
{
    if (!met.fault.empty())
        return met.fault;
    if (read.ref_name().isNull())
        return name + ": no ref_name line (the dictionary's name)";
    if (read.base_name().isNull())
        return name + ": no base_name line (the name of its data files)";
    if (read.SearchNames().entries() == 0)
        return name + ": no search_text line (the searches it offers)";
    return std::string();
}

// The lines of unknown keys as the start-up warning lists them: a few, then how many more.
void add_unknown_keys(const std::vector<std::string>& unknown, std::vector<std::string>* listed)
{
    constexpr std::size_t kListed = 5;
    for (std::size_t i = 0; i < unknown.size() && i < kListed; ++i)
        listed->push_back(unknown[i]);
    if (unknown.size() > kListed)
        listed->push_back("and " + std::to_string(unknown.size() - kListed) +
                          " more lines of unknown keys");
}

} // namespace

int SettingsFiles::ReadDescriptions(RWOrdered* descriptions, const std::string& directory,
                                    std::vector<std::string>* unusable,
                                    std::vector<std::string>* unknownKeys)
{
    std::vector<std::string> names;
    std::error_code code;
    for (fs::directory_iterator it(directory.empty() ? fs::path(".") : fs::path(directory), code),
         end;
         !code && it != end; it.increment(code)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, kDescriptionSuffix) == 0 &&
            !it->is_directory(code))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    std::map<std::string, std::string> file_of_reference;  // ref_name -> the file listed for it
    for (const std::string& name : names) {
        const std::string path = in_directory(directory, name);
        ReadRefusal refusal = ReadRefusal::kNone;
        std::FILE* file = OpenFileToRead(path, &refusal);
        if (file == nullptr) {
            // An unreadable file would only add a blank reference.
            if (unusable != nullptr)
                unusable->push_back(name + ": cannot be read" +
                                    (refusal == ReadRefusal::kCannotOpen
                                         ? std::string()
                                         : " (" + DescribeReadRefusal(refusal, 0) + ")"));
            continue;
        }
        auto* description = new configDict;
        description->InitSlots();
        const DescriptionLines met = read_description(file, name, description);
        std::fclose(file);
        if (unusable != nullptr) {
            std::string problem = description_problem(name, met, *description);
            if (problem.empty()) {
                const auto [listed, first] =
                    file_of_reference.try_emplace(description->ref_name().data(), name);
                if (!first)
                    problem = name + ": the same ref_name as " + listed->second + " (" +
                              listed->first + ")";
            }
            if (!problem.empty()) {
                unusable->push_back(problem);
                delete description;
                continue;
            }
        }
        if (unknownKeys != nullptr)
            add_unknown_keys(met.unknown, unknownKeys);
        descriptions->insert(description);
    }
    return 1;
}

int SettingsFiles::ReadPrefs(Prefs* prefs, const std::string& directory, std::string* why)
{
    const std::string path = in_directory(directory, kPrefsFileName);
    if (NothingNamed(path))
        return 1;  // a first run: the defaults stand
    // A link that leads nowhere is there: the user keeps the file elsewhere.
    std::FILE* file = OpenFileToRead(path);
    if (file == nullptr) {
        if (why != nullptr)
            *why = DescribeUnreadable(path, errno);
        return 0;
    }
    Prefs read = *prefs;
    int stopped = 0;
    const LineRead end = for_each_line(file, &stopped, [&](const std::string& line, int) {
        const std::vector<std::string> tokens = tokens_of(line);
        if (tokens.empty())
            return;
        const std::string& key = tokens[0];
        const std::string value = token_at(tokens, 1);
        if (key == "font_size")
            read.font_size = int_value(value);
        else if (key == "back_color")
            read.back_color = color_value(value);
        else if (key == "text_color")
            read.text_color = color_value(value);
        else if (key == "highlight_color")
            read.highlight_color = color_value(value);
        else if (key == "audio_color")
            read.audio_color = color_value(value);
        else if (key == "use_in_results")
            read.use_in_results = int_value(value);
        else if (key == "reference" && tokens.size() > 1)
            read.reference = value.c_str();
        else if (key == "search_type")
            read.search_type = int_value(value);
        else if (key == "search_mode")
            read.search_mode = int_value(value);
    });
    const int error = errno;
    std::fclose(file);
    if (end != LineRead::kEnd) {
        // A line too long for any the writer makes, or a failed read.
        if (why != nullptr)
            *why = "line " + std::to_string(stopped) +
                   (end == LineRead::kTooLong
                        ? " is longer than " + std::to_string(kLongestSettingsLine) + " bytes"
                        : " cannot be read: " + std::string(std::strerror(error)));
        return 0;
    }
    *prefs = read;
    return 1;
}

int SettingsFiles::WritePrefs(const Prefs& prefs, const std::string& directory, std::string* why)
{
    const std::string path = in_directory(directory, kPrefsFileName);
    std::string text;
    text += "font_size=" + decimal(prefs.font_size) + "\n";
    text += "back_color=" + decimal(static_cast<std::int32_t>(prefs.back_color)) + "\n";
    text += "text_color=" + decimal(static_cast<std::int32_t>(prefs.text_color)) + "\n";
    text += "highlight_color=" + decimal(static_cast<std::int32_t>(prefs.highlight_color)) + "\n";
    text += "audio_color=" + decimal(static_cast<std::int32_t>(prefs.audio_color)) + "\n";
    text += "use_in_results=" + decimal(prefs.use_in_results) + "\n";
    text += std::string("reference=") + prefs.reference.data() + "\n";
    text += "search_type=" + decimal(prefs.search_type) + "\n";
    text += "search_mode=" + decimal(prefs.search_mode) + "\n";

    return ReplaceFileContents(path, text, why);
}
