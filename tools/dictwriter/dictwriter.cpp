// dictwriter.cpp: write_dictionary, which orders the entries, writes the data file and
// lays out the "hw" index, the search indexes, the key tables and the friends matrices.
#include "tools/dictwriter/dictwriter.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <set>

#include "engine/datafiles.h"
#include "engine/entrytext.h"
#include "engine/resultlist.h"
#include "engine/wordindex.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/index_writer.h"
#include "tools/dictwriter/key_table_writer.h"

namespace dictwriter {
namespace {

// Loose order first, then byte order, so that the layout is deterministic.
bool word_before(const std::string& a, const std::string& b)
{
    const int c = loose_compare(a, b);
    return c != 0 ? c < 0 : a < b;
}

bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes,
                std::string* error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = "cannot write " + path;
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

std::string cut_at_bracket(const std::string& word)
{
    return word.substr(0, word.find('['));
}

} // namespace

int loose_compare(const std::string& a, const std::string& b)
{
    return ::loose_compare(a.c_str(), b.c_str());
}

bool write_dictionary(const DictionarySource& source, const std::string& base_path,
                      WrittenDictionary* written, std::string* error)
{
    const std::size_t n = source.entries.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return word_before(source.entries[a].head_word, source.entries[b].head_word);
    });

    // The data file, entries in head-word order. An entry too long for the entry buffer
    // is named here by its head word: the data writer only knows its sorted position.
    std::vector<std::string> texts;
    texts.reserve(n);
    for (const std::size_t i : order) {
        if (source.entries[i].fields.size() > kEntryBufBytes) {
            *error = "entry " + source.entries[i].head_word + " is longer than " +
                     std::to_string(kEntryBufBytes) + " bytes";
            return false;
        }
        texts.push_back(source.entries[i].fields);
    }
    DataFileOptions options;
    options.block_text_bytes = source.block_text_bytes;
    options.level = source.level;
    std::vector<EntryPlace> places;
    std::string data_file;
    if (!build_data_file(source.header, texts, options, &data_file, &places, error))
        return false;

    // "hw": one entry per dictionary entry, its data the entry's two numbers.
    IndexWriter index;
    std::vector<WordRecord> hw;
    hw.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        WordRecord record;
        record.word = source.entries[order[k]].head_word;
        std::uint8_t bytes[10];
        std::uint8_t* p = pack_number(bytes, places[k].block_offset);
        p = pack_number(p, places[k].text_position);
        record.data.assign(reinterpret_cast<const char*>(bytes),
                           static_cast<std::size_t>(p - bytes));
        hw.push_back(std::move(record));
    }
    std::vector<std::uint32_t> hw_sorted;
    if (!index.add_word_index("hw", hw, &hw_sorted, error))
        return false;
    std::vector<std::uint32_t> hw_offsets(n);
    for (std::size_t k = 0; k < n; ++k)
        hw_offsets[order[k]] = hw_sorted[k];

    // Search indexes: each word with the "hw" offsets of the entries it finds.
    std::map<std::string, std::map<std::string, std::set<std::uint32_t>>> indexes;
    for (std::size_t i = 0; i < n; ++i) {
        for (const IndexTerm& term : source.entries[i].terms)
            indexes[term.index_code][term.word].insert(hw_offsets[i]);
    }
    for (const IndexTerm& marker : source.markers)
        indexes[marker.index_code][marker.word].insert(kMarkerValue);
    if (indexes.count("hw") != 0) {
        *error = "the hw index holds head words only";
        return false;
    }
    // The word list "va" comes straight after "hw": the key tables and friends matrices
    // address its entries in three bytes, so the bigger search indexes go after it.
    std::vector<std::string> codes;
    if (indexes.count("va") != 0)
        codes.push_back("va");
    for (const auto& entry : indexes) {
        if (entry.first != "va")
            codes.push_back(entry.first);
    }
    std::vector<KeyTableWord> va_words;
    for (const std::string& code : codes) {
        const auto& words = indexes[code];
        std::vector<WordRecord> records;
        for (const auto& [word, postings] : words)
            records.push_back({word, {}, {postings.begin(), postings.end()}});
        std::stable_sort(records.begin(), records.end(),
                         [](const WordRecord& a, const WordRecord& b) {
                             return word_before(a.word, b.word);
                         });
        std::vector<std::uint32_t> offsets;
        if (!index.add_word_index(code, records, &offsets, error))
            return false;
        if (code == "va") {
            for (std::size_t k = 0; k < records.size(); ++k)
                va_words.push_back({records[k].word, offsets[k]});
        }
    }

    for (const std::string& code : source.key_tables) {
        std::vector<std::uint8_t> table;
        if (!build_key_table(code, va_words, &table, error) ||
            !index.add_table(code, table, error))
            return false;
    }
    if (!source.friends.empty()) {
        std::map<std::string, std::uint32_t> va_offset;
        for (const KeyTableWord& w : va_words)
            va_offset.emplace(w.word, w.va_offset);
        std::vector<FriendsWord> prons;
        for (const SourceEntry& entry : source.entries) {
            const auto found = va_offset.find(cut_at_bracket(entry.head_word));
            if (found == va_offset.end())
                continue;
            for (const std::string& pron : entry.pronunciations)
                prons.push_back({found->second, pron});
        }
        for (const std::string& code : source.friends) {
            std::vector<std::uint8_t> matrix;
            if (!build_friends_matrix(code, prons, &matrix, error) ||
                !index.add_table(code, matrix, error))
                return false;
        }
    }

    const std::vector<std::uint8_t> index_file = index.finish();
    const std::vector<std::uint8_t> data_bytes(data_file.begin(), data_file.end());
    if (!write_file(base_path + ".cmp", data_bytes, error) ||
        !write_file(base_path + ".ndx", index_file, error))
        return false;
    if (written != nullptr) {
        written->hw_offsets = std::move(hw_offsets);
        written->index_bytes = static_cast<std::uint32_t>(index_file.size());
        written->data_bytes = static_cast<std::uint32_t>(data_bytes.size());
    }
    return true;
}

} // namespace dictwriter
