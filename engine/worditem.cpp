// worditem.cpp: WordItem and CollectHits.
#include "engine/worditem.h"

#include <cstdio>

#include "engine/datafiles.h"
#include "engine/progress.h"
#include "engine/resultlist.h"
#include "engine/wordindex.h"

namespace {

constexpr std::size_t kTextLimit = 32000;   // what a list control can show
constexpr long kReportEvery = 512;
// Index blocks a collection may read and still leave the pages it read resident.
constexpr std::uint64_t kBlocksKeptResident = 256;

// Adds items to a collection until their text reaches the limit.
class HitCollector {
public:
    explicit HitCollector(RWOrdered* into) : itsInto(into) {}

    // Adds an item for word while the text is below the limit; counts it as processed
    // either way, and reports every 512 processed words.
    void add(const char* word, std::int32_t entry_offset, std::int16_t sub_item)
    {
        if (itsTextSize < kTextLimit) {
            auto* item = new WordItem(word);
            item->set_entry_offset(entry_offset);
            item->set_sub_item(sub_item);
            itsInto->insert(item);
            ++itsAdded;
            itsTextSize += std::char_traits<char>::length(word) + 2;
        }
        ++itsOffered;
        ++itsProcessed;
        if (itsProcessed % kReportEvery == 0) {
            char message[64];
            std::snprintf(message, sizeof message, "%ld words processed so far", itsProcessed);
            if (report_progress(message, -1) != 0)
                itsCancelled = true;
        }
    }

    bool cancelled() const { return itsCancelled; }
    // The text has reached the limit: later words are counted, not listed.
    bool full() const { return itsTextSize >= kTextLimit; }

    long processed() const { return itsProcessed; }
    long added() const { return itsAdded; }
    long offered() const { return itsOffered; }

private:
    RWOrdered* itsInto;
    std::size_t itsTextSize = 0;
    long itsProcessed = 1;
    long itsAdded = 0;
    long itsOffered = 0;  // added or not
    bool itsCancelled = false;
};

} // namespace

WordItem::WordItem(const char* text) : RWCollectableString(text) {}

WordItem::~WordItem() = default;

WordItem* WordItem::set_record(std::int16_t top, std::int16_t left, std::int16_t bottom,
                               std::int16_t right)
{
    itsRecord = Record{top, left, bottom, right};
    return this;
}

bool WordItem::isEqual(const RWCollectable* other) const
{
    const auto* item = dynamic_cast<const WordItem*>(other);
    if (item == nullptr)
        return false;
    // The same text object: one item was copied from the other.
    return data() == item->data() && itsEntryOffset == item->itsEntryOffset &&
           itsSubItem == item->itsSubItem && record() == item->record() &&
           itsKind == item->itsKind;
}

long CollectHits(ResultList* list, std::int16_t plain_words, RWOrdered* into, long* all_items)
{
    HitCollector hits(into);
    const std::uint64_t reads_before = block_read_count();
    const double total = list->total != 0 ? list->total : 1;
    long steps = 0;
    ResultCursor cursor(list, kBlockSize);
    for (cursor.start(); !cursor.at_end(); cursor.advance()) {
        ++steps;
        if (steps % kReportEvery == 0) {
            const long percent = static_cast<long>(steps / total * 100.0 / 2.0 + 50.0);
            if (report_progress(nullptr, percent) != 0)
                break;
        }
        const std::uint32_t value = cursor.value();
        if (value == kMarkerValue)
            continue;
        // Only a word that will be listed is read.
        char word[kWordBufferSize] = "";
        if (!hits.full())
            get_word(word, sizeof word, value, kBlockSize);
        if (list->holds_postings() || plain_words != 0) {
            hits.add(word, plain_words != 0 ? 0 : static_cast<std::int32_t>(value), 0);
        } else {
            ResultList postings;
            collect_postings(&postings, value, kBlockSize);
            if (postings.total > 1) {
                hits.add(word, -1, 0);
                ResultCursor each(&postings, kBlockSize);
                for (each.start(); !each.at_end() && !hits.cancelled(); each.advance()) {
                    if (each.value() == kMarkerValue)
                        continue;
                    char head[kWordBufferSize] = "";
                    if (!hits.full())
                        get_word(head, sizeof head, each.value(), kBlockSize);
                    hits.add(head, static_cast<std::int32_t>(each.value()), 1);
                }
            } else {
                // A lone marker names no entry.
                const std::uint32_t only = postings.first_value();
                hits.add(word, only == kMarkerValue ? 0 : static_cast<std::int32_t>(only), 0);
            }
        }
        if (hits.cancelled())
            break;
    }
    char message[64];
    std::snprintf(message, sizeof message, "%ld words processed", hits.processed());
    report_progress(message, 100);
    if (all_items != nullptr)
        *all_items = hits.offered();
    // A long collection reads postings and head words across much of the index, pages
    // that the next search is unlikely to read again: they go from resident memory (the
    // system keeps them cached, and a later read brings them back).
    if (block_read_count() - reads_before > kBlocksKeptResident)
        release_index_pages(0, ~std::uint64_t{0});
    return hits.added();
}

RWOrdered* CollectHits(void* /*owner*/, ResultList* list, std::int16_t plain_words)
{
    auto* collection = new RWOrdered;
    CollectHits(list, plain_words, collection);
    return collection;
}
