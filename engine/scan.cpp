// scan.cpp: wildcard and regular-expression scans over the word blocks of an index, and
// the entry display's word scans. Matching follows the container library's regular
// expressions (a WordMatcher compiled once per scan) on the words as stored in the word
// blocks, so case matters wherever the pattern's does.
#include "engine/scan.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "engine/datafiles.h"
#include "engine/decoded_words.h"
#include "engine/progress.h"
#include "engine/query_internal.h"
#include "engine/resultlist.h"
#include "engine/word_matcher.h"
#include "engine/wordindex.h"
#include "engine/wordkeys.h"

namespace {

// Characters that end the literal prefix of an anchored pattern: the pattern characters
// of a search word, and the regular expressions' other operators.
constexpr char kPrefixStops[] = "^$.*?[]+\\";
// Operators that make the atom before them optional or repeated.
constexpr char kQuantifiers[] = "*?+";
constexpr std::uint32_t kFoundEvery = 128;   // key scan results between progress reports

// Marks a finished scan: sorted word offsets of index_code, total = count.
std::int16_t finish_scan(ResultList* list, const char* index_code)
{
    list->sort();
    list->set_word_offsets(1);
    query_internal::set_offsets_index(list, index_code);
    return list->values.empty() ? 0 : 1;
}

// The literal text an anchored pattern's matches must begin with, in loose form (lower
// case, letters and digits only), as the word blocks are ordered. A literal character
// followed by a quantifier is not required, so it is left out.
std::string loose_prefix(const char* pattern)
{
    if (pattern[0] != '^')
        return std::string();
    const char* const literal = pattern + 1;
    std::size_t length = std::strcspn(literal, kPrefixStops);
    if (length > 0 && literal[length] != '\0' && std::strchr(kQuantifiers, literal[length]))
        --length;
    std::string loose;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(literal[i]);
        if (std::isalnum(c))
            loose += static_cast<char>(std::tolower(c));
    }
    return loose;
}

// Narrows first..last to the blocks that can hold words beginning with prefix (loose).
void narrow_range(const std::string& prefix, std::uint32_t* first, std::uint32_t* last,
                  std::uint32_t block_size)
{
    if (prefix.empty())
        return;
    *first = search_blocks(prefix.c_str(), *first, *last, block_size);
    if (prefix.back() == 'z')
        return;   // nothing sorts after a run of z's within the prefix's letters
    std::string next = prefix;
    next.back() = next.back() == '9' ? 'a' : static_cast<char>(next.back() + 1);
    *last = search_blocks(next.c_str(), *first, *last, block_size);
}

// What a scan keeps of the words the walk hands it: the offsets of those the matcher
// takes. Reports the progress once per whole percentage, between blocks.
class ScanCollector final : public DecodedWords::ScanVisitor {
public:
    ScanCollector(ResultList* list, WordMatcher* matcher, std::uint32_t first, std::uint32_t last)
        : itsList(list), itsMatcher(matcher), itsFirst(first),
          itsBlocks(std::uint64_t{last} - first + 1)
    {
    }

    std::uint64_t at_block(std::uint32_t block) override
    {
        const std::uint64_t percent = (std::uint64_t{block} - itsFirst + 1) * 100 / itsBlocks;
        // The first block of a greater percentage.
        const std::uint64_t next = itsFirst + ((percent + 1) * itsBlocks + 99) / 100 - 1;
        if (percent == itsReported)
            return next;
        itsReported = percent;
        char message[160];
        if (itsFound > 0)
            std::snprintf(message, sizeof message,
                          "%ld%% finished; %ld word(s) found; last word found: %s",
                          static_cast<long>(percent), static_cast<long>(itsFound), itsLastFound);
        else
            std::snprintf(message, sizeof message, "%ld%% finished; no words found yet",
                          static_cast<long>(percent));
        return report_progress(message, static_cast<long>(percent) / 2) != 0 ? 0 : next;
    }

    bool visit(const char* word, std::uint32_t length, std::uint32_t shared,
               std::uint32_t offset) override
    {
        if (itsMatcher->matches(word, length, shared)) {
            itsList->append(offset);
            ++itsFound;
            std::memcpy(itsLastFound, word, length + 1);
        }
        return true;
    }

private:
    ResultList* itsList;
    WordMatcher* itsMatcher;
    std::uint32_t itsFirst;
    std::uint64_t itsBlocks;
    std::uint64_t itsReported = 0;
    std::uint32_t itsFound = 0;
    char itsLastFound[kWordBufferSize] = "";
};

} // namespace

const char* wildcard_to_regex(const char* word)
{
    const char* const text = word != nullptr ? word : "";
    const bool is_regex = text[0] == '^' || std::strpbrk(text, "$.") != nullptr;
    std::size_t needed = std::strlen(text) + 1;
    if (!is_regex) {
        needed += 2;   // the anchors
        for (const char* p = text; *p != '\0'; ++p)
            needed += *p == '*' ? 1 : 0;
    }
    if (needed > scratch_remaining())
        return nullptr;
    char* const out = scratch_alloc(0);
    if (is_regex) {
        std::memcpy(out, text, needed);
        return out;
    }
    char* p = out;
    *p++ = '^';
    for (const char* in = text; *in != '\0'; ++in) {
        if (*in == '*') {
            *p++ = '.';
            *p++ = '*';
        } else if (*in == '?') {
            *p++ = '.';
        } else {
            *p++ = *in;
        }
    }
    *p++ = '$';
    *p = '\0';
    return out;
}

std::int16_t regex_scan(ResultList* list, const char* word, const char* index_code,
                        std::uint32_t block_size)
{
    list->reset();
    set_compare_routine(compare_entry);
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    const bool has_blocks = index_block_range(index_code, block_size, &first, &last);
    const char* const pattern = wildcard_to_regex(word);
    if (pattern == nullptr)
        return finish_scan(list, index_code);
    WordMatcher matcher(pattern);
    if (!matcher.ok() || !has_blocks)
        return finish_scan(list, index_code);
    const std::shared_ptr<const DecodedWords> words = decoded_words(index_code, block_size);
    if (!words)
        return finish_scan(list, index_code);
    narrow_range(loose_prefix(pattern), &first, &last, block_size);

    // The words of blocks first..last, as kept decoded. Most words of a pattern with a
    // literal end are refused by the walk itself on their last bytes.
    const std::string& tail = matcher.tail();
    const std::size_t ending = std::min(tail.size(), DecodedWords::kMaxEnding);
    ScanCollector collector(list, &matcher, first, last);
    words->scan_blocks(first, last, tail.c_str() + (tail.size() - ending), ending, collector);
    return finish_scan(list, index_code);
}

std::int16_t ScanWords(ResultList* list, const char* word, const char* index_code,
                       std::uint32_t block_size)
{
    list->reset();
    const RoutineRow* const row = lookup_routine(index_code != nullptr ? index_code : "");
    if (row == nullptr || row->search == nullptr)
        return 0;
    // The search gets a copy of its own, as long as any head word, so that a normalise
    // routine can rewrite it.
    std::string copy = word != nullptr ? word : "";
    copy.resize(std::max(copy.size() + 1, kWordBufferSize), '\0');
    if (row->normalise != nullptr)
        row->normalise(copy.data(), copy.size());
    row->search(list, copy.c_str(), row->code, block_size);
    return list->values.empty() ? 0 : 1;
}

std::int16_t ScanWordsPair(ResultList* list, const char* word, const char* index_code,
                           std::uint32_t block_size)
{
    list->reset();
    const RoutineRow* const row = lookup_routine(index_code != nullptr ? index_code : "");
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (row == nullptr || row->key == nullptr ||
        !index_block_range(row->base, block_size, &first, &last))
        return finish_scan(list, row != nullptr ? row->base : nullptr);

    std::string query_key = word != nullptr ? word : "";
    row->key(query_key.data(), query_key.size() + 1);
    query_key.resize(std::strlen(query_key.c_str()));

    const std::shared_ptr<const DecodedWords> words = decoded_words(row->base, block_size);
    char key[kWordBufferSize];
    if (!words)
        return finish_scan(list, row->base);
    for (auto entry = words->at_or_after(0); !entry.at_end(); entry.next()) {
        std::memcpy(key, entry.word(), entry.length() + 1);
        row->key(key, sizeof key);
        if (loose_compare(query_key.c_str(), key) != 0)
            continue;
        list->append(entry.offset());
        const std::uint32_t count = list->values.count();
        if (count % kFoundEvery == 0) {
            char message[64];
            std::snprintf(message, sizeof message, "%ld words found so far",
                          static_cast<long>(count));
            if (report_progress(message, -1) != 0)
                break;
        }
    }
    return finish_scan(list, row->base);
}
