// search_history.h: the two histories of a main reference window: the results lists of
// earlier searches and the entries viewed. A new record goes just after the current one
// (the records after it stay), and moves never leave the history: positions run from 1
// to the number of records, 0 only while it is empty.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/worditem.h"
#include "vkocoll/ordered.h"

// One search's results: its hits (owned, with their items), what was searched, on which
// page and under which search type, and the words its entries highlight.
struct ResultsRecord {
    ResultsRecord() = default;
    ResultsRecord(const ResultsRecord&) = delete;
    ResultsRecord& operator=(const ResultsRecord&) = delete;
    ~ResultsRecord()
    {
        if (hits)
            hits->clearAndDestroy();
    }
    std::unique_ptr<RWOrdered> hits;
    long found = 0;      // every hit, also those the list of hits had no room for
    std::string text;
    int page = 0;
    int searchType = 0;
    std::vector<std::string> highlights;
    int reference = -1;  // the dictionary's place among the application's descriptions

    // A copy with copies of the hits.
    std::unique_ptr<ResultsRecord> Copy() const
    {
        auto copy = std::make_unique<ResultsRecord>();
        copy->hits = std::make_unique<RWOrdered>();
        for (std::size_t i = 0; hits && i < hits->entries(); ++i)
            copy->hits->insert(static_cast<const WordItem*>((*hits)[i])->Copy());
        copy->found = found;
        copy->text = text;
        copy->page = page;
        copy->searchType = searchType;
        copy->highlights = highlights;
        copy->reference = reference;
        return copy;
    }
};

// One entry viewed: its word, its entry offset (-1: look the word up), highlights and the
// place of its dictionary among the application's descriptions.
struct EntryRecord {
    std::string word;
    std::int32_t entry = -1;
    std::vector<std::string> highlights;
    int reference = -1;

    std::unique_ptr<EntryRecord> Copy() const { return std::make_unique<EntryRecord>(*this); }
};

template <class Record>
class History {
public:
    // Enters record just after the current one and makes it current.
    Record* Enter(std::unique_ptr<Record> record)
    {
        const auto at = itsRecords.begin() + static_cast<std::ptrdiff_t>(itsPosition);
        itsRecords.insert(at, std::move(record));
        ++itsPosition;
        return Current();
    }
    Record* Current() const
    {
        return itsPosition == 0 ? nullptr : itsRecords[itsPosition - 1].get();
    }
    // Moves by delta; false (and no move) when that leaves the history.
    bool Move(int delta) { return MoveTo(static_cast<long>(itsPosition) + delta); }
    bool MoveTo(long position)
    {
        if (position < 1 || position > static_cast<long>(itsRecords.size()))
            return false;
        itsPosition = static_cast<std::size_t>(position);
        return true;
    }
    std::size_t Position() const { return itsPosition; }
    std::size_t Count() const { return itsRecords.size(); }
    bool NextExists() const { return itsPosition != 0 && itsPosition < itsRecords.size(); }
    bool PreviousExists() const { return itsPosition > 1; }
    // The records from the current one towards the end (forward) or the beginning
    // (backward), at most limit of them, the current one first.
    std::vector<const Record*> Walk(bool forward, std::size_t limit = 10) const
    {
        std::vector<const Record*> walked;
        if (itsPosition == 0)
            return walked;
        for (long i = static_cast<long>(itsPosition) - 1;
             i >= 0 && i < static_cast<long>(itsRecords.size()) && walked.size() < limit;
             i += forward ? 1 : -1)
            walked.push_back(itsRecords[static_cast<std::size_t>(i)].get());
        return walked;
    }
    // Appends a copy of every record of other, in order; the position stays.
    void AppendCopies(const History& other)
    {
        for (const auto& record : other.itsRecords)
            itsRecords.push_back(record->Copy());
    }
    const Record* At(std::size_t position) const
    {
        return position >= 1 && position <= itsRecords.size() ? itsRecords[position - 1].get()
                                                               : nullptr;
    }

private:
    std::vector<std::unique_ptr<Record>> itsRecords;
    std::size_t itsPosition = 0;
};

// Both histories of one main window.
struct SearchHistories {
    History<ResultsRecord> results;
    History<EntryRecord> entries;
};
