// search_fixture.h: a small dictionary written at test time for the scan, key-table,
// query and word-key tests: a few hundred generated words spread over many word blocks,
// named words for anagrams, sound-alikes, pronunciations and head-word forms, and three
// long posting lists that span continuation blocks. Also a status sink that records.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/datafiles.h"
#include "engine/progress.h"
#include "engine/resultlist.h"
#include "engine/wordindex.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"

namespace search_fixture {

// Named entries: head word, "va" words, "df" words, pronunciations.
struct NamedEntry {
    const char* head;
    std::vector<std::string> va;
    std::vector<std::string> df;
    std::vector<std::string> pronunciations;
};

inline const std::vector<NamedEntry>& named_entries()
{
    static const std::vector<NamedEntry> entries = {
        {"listen", {"listen"}, {"hear"}, {"!li-s0n"}},
        {"silent", {"silent"}, {"absent"}, {"!sI-l0nt"}},
        {"enlist", {"enlist"}, {"abjure"}, {"in-!list"}},
        {"tinsel", {"tinsel"}, {}, {"!tin-s0l"}},
        {"inlets", {"inlets"}, {"abyss"}, {"!in-lets"}},
        {"robert", {"robert"}, {}, {}},
        {"rupert", {"rupert"}, {}, {}},
        {"letter", {"letter"}, {}, {}},
        {"mouse", {"mouse", "mice"}, {}, {}},
        {"cat", {"cat"}, {"mouse"}, {}},
        {"bass[1]", {"bass", "basses"}, {}, {"!bas"}},
        {"fish", {"fish"}, {"bass"}, {}},
        {"read", {"read"}, {}, {"!rEd", "!red"}},
        {"reed", {"reed"}, {}, {"!rEd"}},
        {"red", {"red"}, {}, {"!red"}},
        {"zebra", {"Zebra", "zebu"}, {}, {}},
        {"zulu", {"Zulu", "zz-top"}, {}, {}},
        {"a-b", {"a-b", "ab9c", "abac", "abz"}, {}, {}},
        {"colour", {"colour", "color", "colouring"}, {}, {}},
        {"composition", {"composition", "compute", "Compass", "comqa"}, {}, {}},
        {"qu", {"quick", "quack", "quirk", "quo"}, {}, {}},
    };
    return entries;
}

// The generated words: lower-case, deterministic, with one of three prefixes.
inline bool is_generated(const std::string& word)
{
    return word.rfind("g", 0) == 0 || word.rfind("aa", 0) == 0 || word.rfind("zq", 0) == 0;
}

inline std::vector<std::string> generated_words(std::size_t count)
{
    static const char* const kEndings[] = {"tion", "ness", "able", "ing", "er", "ly"};
    std::set<std::string> words;
    std::uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    while (words.size() < count) {
        std::string word;
        const std::size_t letters = 3 + next() % 5;
        for (std::size_t i = 0; i < letters; ++i)
            word += static_cast<char>('a' + next() % 26);
        if (next() % 3 == 0)
            word += kEndings[next() % 6];
        // Three runs of words: "aa" words lie between "a" and "a-b", "zq" words between
        // "Zebra" and "Zulu", so that those sit blocks apart from where their letter
        // begins.
        static const char* const kPrefixes[] = {"g", "aa", "zq"};
        words.insert(kPrefixes[next() % 3] + word);
    }
    return {words.begin(), words.end()};
}

inline constexpr std::size_t kGenerated = 1500;

// A run of anagrams long enough for the key-table search to report progress twice.
inline std::vector<std::string> anagram_family()
{
    std::vector<std::string> words;
    std::string word = "bcdefgh";
    do
        words.push_back(word);
    while (words.size() < 300 && std::next_permutation(word.begin(), word.end()));
    return words;
}

// Status sink that records what it is shown and cancels at a chosen report.
class RecordingSink : public StatusSink {
public:
    void show_message(const char* text) override
    {
        messages.push_back(text);
        if (cancel_at_message > 0 && messages.size() >= cancel_at_message)
            set_cancel_flag(1);
    }
    void show_percentage(int percent) override { percentages.push_back(percent); }

    std::vector<std::string> messages;
    std::vector<int> percentages;
    std::size_t cancel_at_message = 0;   // 1: cancel at the first message
};

class SearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!base_path().empty())
            return;
        char dir_template[] = "/tmp/searchfixtureXXXXXX";
        ASSERT_NE(mkdtemp(dir_template), nullptr);
        base_path() = std::string(dir_template) + "/fixture";

        dictwriter::DictionarySource source;
        source.header = "dictionary header text";
        for (const NamedEntry& named : named_entries()) {
            dictwriter::SourceEntry entry;
            entry.head_word = named.head;
            entry.fields = dictwriter::encode_field_stream({{0x81, std::string("text of ") + named.head}});
            for (const std::string& w : named.va)
                entry.terms.push_back({"va", w});
            for (const std::string& w : named.df)
                entry.terms.push_back({"df", w});
            entry.pronunciations = named.pronunciations;
            source.entries.push_back(entry);
        }
        const std::vector<std::string> generated = generated_words(kGenerated);
        for (std::size_t i = 0; i < generated.size(); ++i) {
            dictwriter::SourceEntry entry;
            entry.head_word = generated[i];
            entry.fields = dictwriter::encode_field_stream({{0x81, "text of " + generated[i]}});
            entry.terms.push_back({"va", generated[i]});
            entry.terms.push_back({"df", "every"});
            if (i % 2 == 0)
                entry.terms.push_back({"df", "even"});
            if (i % 3 == 0)
                entry.terms.push_back({"df", "triple"});
            source.entries.push_back(entry);
        }
        for (const std::string& w : anagram_family()) {
            dictwriter::SourceEntry entry;
            entry.head_word = w;
            entry.fields = dictwriter::encode_field_stream({{0x81, "text of " + w}});
            entry.terms.push_back({"va", w});
            source.entries.push_back(entry);
        }
        source.markers.push_back({"va", "letter"});
        source.key_tables = {"tr", "is", "lb", "sc"};
        source.friends = {"pr", "rh", "pt"};
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(source, base_path(), &written(), &error))
            << error;
        for (std::size_t i = 0; i < source.entries.size(); ++i)
            hw_of()[source.entries[i].head_word] = written().hw_offsets[i];
        va_words() = generated;
        for (const NamedEntry& named : named_entries())
            va_words().insert(va_words().end(), named.va.begin(), named.va.end());
        const std::vector<std::string> family = anagram_family();
        va_words().insert(va_words().end(), family.begin(), family.end());
    }

    void SetUp() override
    {
        ASSERT_EQ(DataFilesPresent("", base_path().c_str()), 0);
        progress_reset();
    }
    void TearDown() override { progress_reset(); }

    static std::string& base_path()
    {
        static std::string path;
        return path;
    }
    static dictwriter::WrittenDictionary& written()
    {
        static dictwriter::WrittenDictionary value;
        return value;
    }
    static std::map<std::string, std::uint32_t>& hw_of()
    {
        static std::map<std::string, std::uint32_t> offsets;
        return offsets;
    }
    // Every word of "va", in no particular order.
    static std::vector<std::string>& va_words()
    {
        static std::vector<std::string> words;
        return words;
    }

    // The words at the list's offsets, in list order (127 shown as "#").
    static std::vector<std::string> words_of(const ResultList& list)
    {
        std::vector<std::string> words;
        char word[kWordBufferSize];
        for (const IdNode* node = list.values.head(); node != nullptr; node = node->next) {
            if (node->value == kMarkerValue) {
                words.push_back("#");
                continue;
            }
            get_word(word, sizeof word, node->value, kBlockSize);
            words.push_back(word);
        }
        return words;
    }

    static std::vector<std::uint32_t> values_of(const ResultList& list)
    {
        std::vector<std::uint32_t> values;
        for (const IdNode* node = list.values.head(); node != nullptr; node = node->next)
            values.push_back(node->value);
        return values;
    }

    // The "hw" offsets of the generated entries whose number passes keep.
    template <typename Keep> static std::vector<std::uint32_t> generated_postings(Keep keep)
    {
        std::vector<std::uint32_t> offsets;
        const std::size_t named = named_entries().size();
        for (std::size_t i = 0; i < kGenerated; ++i) {
            if (keep(i))
                offsets.push_back(written().hw_offsets[named + i]);
        }
        std::sort(offsets.begin(), offsets.end());
        return offsets;
    }
};

} // namespace search_fixture
