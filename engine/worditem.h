// worditem.h: WordItem, the word record of a hit list (a collectable string with the
// entry it stands for), and CollectHits, which turns a finished result into an ordered
// collection of them. The collection and its items belong to the caller.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "vkocoll/collstr.h"
#include "vkocoll/ordered.h"

struct ResultList;

// kind values: what an item stands for.
inline constexpr std::int16_t kKindPlainText = 0;     // a word or plain text (as built)
inline constexpr std::int16_t kKindMainEntry = 1;     // an entry of the main dictionary;
                                                      // for a marker: an illustration
inline constexpr std::int16_t kKindTable = 2;         // an entry of the table collection

class WordItem : public RWCollectableString {
public:
    // The four 16-bit numbers the entry display keeps with an item (a rectangle).
    struct Record {
        std::int16_t top;
        std::int16_t left;
        std::int16_t bottom;
        std::int16_t right;
    };

    explicit WordItem(const char* text);
    WordItem(const WordItem& other) = default;
    WordItem& operator=(const WordItem& other) = default;
    ~WordItem() override;

    // A new copy with its strings and its record (the caller owns it).
    WordItem* Copy() const { return new WordItem(*this); }

    // Index offset of the "hw" entry; -1 for a heading item (a word with several
    // entries) or when not known; 0 when collected as a plain word.
    std::int32_t entry_offset() const { return itsEntryOffset; }
    void set_entry_offset(std::int32_t offset) { itsEntryOffset = offset; }
    // 1 for an entry listed under a heading item.
    std::int16_t sub_item() const { return itsSubItem; }
    void set_sub_item(std::int16_t flag) { itsSubItem = flag; }
    // The record, null until set; set_record creates it on first use and returns this.
    const Record* record() const { return itsRecord ? &*itsRecord : nullptr; }
    WordItem* set_record(std::int16_t top, std::int16_t left, std::int16_t bottom,
                         std::int16_t right);
    std::int16_t kind() const { return itsKind; }
    void set_kind(std::int16_t kind) { itsKind = kind; }
    std::int32_t labelWidth() const { return itsLabelWidth; }
    void set_labelWidth(std::int32_t width) { itsLabelWidth = width; }
    std::int32_t number2() const { return itsNumber2; }
    void set_number2(std::int32_t value) { itsNumber2 = value; }
    const std::string& label() const { return itsLabel; }
    void set_label(const std::string& text) { itsLabel = text; }
    const std::string& text2() const { return itsText2; }
    void set_text2(const std::string& text) { itsText2 = text; }
    std::uint8_t flag_byte() const { return itsFlagByte; }
    void set_flag_byte(std::uint8_t flag) { itsFlagByte = flag; }

    // True when both items share one string representation (one was copied from the
    // other) and have the same entry offset, sub-item flag, record object and kind.
    bool isEqual(const RWCollectable* other) const override;

private:
    std::int32_t itsEntryOffset = 0;
    std::int16_t itsSubItem = 0;
    std::optional<Record> itsRecord;  // each item's own: a copy copies it
    std::int16_t itsKind = kKindPlainText;
    std::int32_t itsLabelWidth = 0;
    std::int32_t itsNumber2 = 0;
    std::string itsLabel;
    std::string itsText2;
    std::uint8_t itsFlagByte = 0;
};

// Walks list into a new collection of WordItems (the caller owns both), reporting
// progress from 50 to 100. Postings, or any list under plain_words, give one item per
// value (entry offset 0 under plain_words); a word of a search index with several
// postings gives a heading item (-1) and one sub-item per posting. Items stop being
// added once their text reaches 32,000 bytes. owner is not read.
RWOrdered* CollectHits(void* owner, ResultList* list, std::int16_t plain_words);

// The same walk into the caller's collection; returns the number of items added, and in
// all_items (when given) the number of items the walk met, also those past the text limit.
long CollectHits(ResultList* list, std::int16_t plain_words, RWOrdered* into,
                 long* all_items = nullptr);
