// keytable.cpp: key-table and friends-matrix searches. Both tables are flat records of
// 24-bit big-endian numbers read straight from the index file; the key table is sorted
// by the key of the word each record names, the friends matrix by the word's offset.
#include "engine/keytable.h"

#include <cstdio>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/progress.h"
#include "engine/query_internal.h"
#include "engine/report.h"
#include "engine/resultlist.h"
#include "engine/wordindex.h"

namespace {

constexpr std::uint32_t kKeyRecordBytes = 3;
constexpr std::uint32_t kFriendsRecordBytes = 6;
constexpr std::uint32_t kProgressEvery = 128;   // results between two progress reports
constexpr char kBaseIndex[] = "va";             // the words both kinds of table name

// Reports the number of results so far every kProgressEvery results; true on cancel.
bool report_found(const ResultList& list)
{
    const std::uint32_t count = list.values.count();
    if (count == 0 || count % kProgressEvery != 0)
        return false;
    char message[64];
    std::snprintf(message, sizeof message, "%ld words found so far", static_cast<long>(count));
    return report_progress(message, -1) != 0;
}

// Marks a finished search result: a list of "va" word offsets.
std::int16_t finish(ResultList* list)
{
    list->set_total(list->values.count());
    list->set_word_offsets(1);
    query_internal::set_offsets_index(list, kBaseIndex);
    return list->values.empty() ? 0 : 1;
}

// The table of index_code as a number of records of record_bytes; 0 without a
// descriptor (the lookup warns) or for an inverted range.
std::uint32_t table_records(const char* index_code, std::uint32_t record_bytes,
                            std::uint32_t* start)
{
    std::uint32_t end = 0;
    if (!find_descriptor(index_code, start, &end) || end < *start)
        return 0;
    return (end - *start) / record_bytes;
}

// The key-table search's view of one table: the query key and the keys of its records.
class KeyTable {
public:
    KeyTable(std::uint32_t start, WordRoutine key, std::uint32_t block_size)
        : itsStart(start), itsKey(key), itsBlockSize(block_size)
    {
    }

    std::uint32_t word_offset(std::uint32_t record) const
    {
        return read_three(itsStart + record * kKeyRecordBytes);
    }

    // loose_compare (query_key, key of record's word).
    int compare(const char* query_key, std::uint32_t record)
    {
        get_word(itsWord, sizeof itsWord, word_offset(record), itsBlockSize);
        if (itsKey != nullptr)
            itsKey(itsWord, sizeof itsWord);
        return loose_compare(query_key, itsWord);
    }

private:
    std::uint32_t itsStart;
    WordRoutine itsKey;
    std::uint32_t itsBlockSize;
    char itsWord[kWordBufferSize] = {};
};

// The friends search's view of one matrix.
class FriendsMatrix {
public:
    FriendsMatrix(std::uint32_t start, std::uint32_t records) : itsStart(start), itsRecords(records)
    {
    }

    std::uint32_t word_offset(std::uint32_t record) const
    {
        return read_three(itsStart + record * kFriendsRecordBytes);
    }

    // The next record of record's ring; a number outside the matrix is damaged data.
    std::uint32_t next(std::uint32_t record) const
    {
        const std::uint32_t next = read_three(itsStart + record * kFriendsRecordBytes + 3);
        if (next >= itsRecords)
            engine_fatal("invalid record number " + std::to_string(next) + " in friends matrix");
        return next;
    }

    std::uint32_t records() const { return itsRecords; }

private:
    std::uint32_t itsStart;
    std::uint32_t itsRecords;
};

} // namespace

std::int16_t key_table_search(ResultList* list, const char* word, const char* index_code,
                              std::uint32_t block_size)
{
    list->reset();
    std::uint32_t start = 0;
    const std::uint32_t records = table_records(index_code, kKeyRecordBytes, &start);
    const RoutineRow* const row = find_routine(index_code);

    // The query key is computed in a copy as long as the word itself: a key routine
    // never lengthens a word, so no typed word can overrun it.
    std::string query_key = word != nullptr ? word : "";
    if (row->key != nullptr)
        row->key(query_key.data(), query_key.size() + 1);
    const char* const key = query_key.c_str();

    KeyTable table(start, row->key, block_size);
    std::int64_t lo = 0;
    std::int64_t hi = static_cast<std::int64_t>(records) - 1;
    std::int64_t found = -1;
    while (lo <= hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        const int c = table.compare(key, static_cast<std::uint32_t>(mid));
        if (c == 0) {
            found = mid;
            break;
        }
        if (c < 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    if (found < 0)
        return finish(list);

    std::uint32_t record = static_cast<std::uint32_t>(found);
    while (record > 0 && table.compare(key, record - 1) == 0)
        --record;
    for (; record < records; ++record) {
        if (record != static_cast<std::uint32_t>(found) && table.compare(key, record) != 0)
            break;
        list->append(table.word_offset(record));
        if (report_found(*list))
            break;
    }
    return finish(list);
}

std::int16_t friends_search(ResultList* list, const char* word, const char* index_code,
                            std::uint32_t block_size)
{
    list->reset();
    set_compare_routine(compare_entry);
    std::uint32_t block = 0;
    const std::int32_t position = find_entry(word != nullptr ? word : "", kBaseIndex, &block,
                                             block_size);
    if (position < 0) {
        list->sort();
        return finish(list);
    }
    const std::uint32_t target = block * block_size + static_cast<std::uint32_t>(position);

    std::uint32_t start = 0;
    const std::uint32_t records = table_records(index_code, kFriendsRecordBytes, &start);
    const FriendsMatrix table(start, records);
    std::int64_t lo = 0;
    std::int64_t hi = static_cast<std::int64_t>(table.records()) - 1;
    std::int64_t found = -1;
    while (lo <= hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        const std::uint32_t offset = table.word_offset(static_cast<std::uint32_t>(mid));
        if (target == offset) {
            found = mid;
            break;
        }
        if (target < offset)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    if (found >= 0) {
        list->append(target);
        std::uint32_t first = static_cast<std::uint32_t>(found);
        while (first > 0 && table.word_offset(first - 1) == target)
            --first;
        for (std::uint32_t r = first; r < table.records() && table.word_offset(r) == target;
             ++r) {
            // A sound ring returns to r; a damaged one is left after one lap's worth of
            // steps instead of being followed forever.
            std::uint32_t member = table.next(r);
            for (std::uint32_t steps = 0; member != r && steps < table.records(); ++steps) {
                list->append(table.word_offset(member));
                member = table.next(member);
            }
            if (report_found(*list))
                break;
        }
    }
    list->sort();
    return finish(list);
}

std::uint32_t read_three(std::uint32_t index_offset)
{
    std::FILE* const file = index_file();
    if (file == nullptr)
        return 0;
    std::uint8_t bytes[3];
    read_at(file, bytes, index_offset, sizeof bytes);
    return (std::uint32_t{bytes[0]} << 16) | (std::uint32_t{bytes[1]} << 8) | bytes[2];
}
