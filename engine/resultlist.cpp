// resultlist.cpp: result lists, their cursors, continuation loading and expand_words.
//
// Continuation block: packed resume offset (the word block after the chain), packed
// differences continuing the posting list from its last value, two 0 bytes. The block
// just before the resume block is the last of the chain, so the chain is never followed
// past it (an index may end with a long entry: its resume block lies past the index).
#include "engine/resultlist.h"

#include <cstdio>
#include <cstring>

#include "engine/datafiles.h"
#include "engine/progress.h"
#include "engine/wordindex.h"

void ResultList::reset()
{
    total = 0;
    next_block = 0;
    word_offsets = 0;
    values.clear();
}

std::uint32_t ResultList::first_value() const
{
    return values.head() != nullptr ? values.head()->value : 0;
}

std::uint32_t ResultList::last_value() const
{
    return values.tail() != nullptr ? values.tail()->value : 0;
}

void ResultList::sort()
{
    values.sort_unique();
    total = values.count();
}

void ResultList::copy_fields(const ResultList& other)
{
    total = other.total;
    next_block = other.next_block;
    word_offsets = other.word_offsets;
    for (int i = 0; i < 3; ++i)
        spare[i] = other.spare[i];
}

void ResultList::copy_from(const ResultList& other)
{
    if (&other == this)
        return;
    copy_fields(other);
    values.assign(other.values);
}

void ResultList::move_from(ResultList& other)
{
    if (&other == this)
        return;
    copy_fields(other);
    values.move_from(other.values);
    other.total = 0;
    other.next_block = 0;
    other.word_offsets = 0;
}

bool decode_next_chunk(std::uint32_t* next_block, std::uint32_t* last,
                       std::vector<std::uint32_t>* out, std::uint32_t block_size)
{
    const std::uint32_t n = *next_block;
    const std::uint8_t* block = read_block(n, block_size);
    if (block[0] == 0) {
        out->clear();
        *next_block = 0;
        return false;
    }
    const std::uint8_t* end = block + block_size;
    std::uint32_t resume = 0;
    const std::uint8_t* p = unpack_number_bounded(block, end, &resume);
    // The chain ends at the block before the resume block.
    *next_block = (resume / block_size > n + 1) ? n + 1 : 0;
    // Every value takes at least one byte, so a block holds fewer values than its size:
    // the values are written straight into the buffer and it is cut to length after.
    out->resize(block_size);
    std::uint32_t* const first = out->data();
    std::uint32_t* o = first;
    std::uint32_t value = *last;
    // Eight bytes at a time while all eight are one-byte differences (1 to 127): no 0
    // that ends the list and no continued number.
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    while (end - p >= 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, p, 8);
        if (((eight | (eight - kOnes)) & kHighs) != 0)
            break;
        for (int i = 0; i < 8; ++i)
            o[i] = value += p[i];
        o += 8;
        p += 8;
    }
    while (p < end && *p != 0) {
        std::uint32_t difference = *p;
        if (difference < 0x80)   // most differences of a long list take one byte
            ++p;
        else
            p = unpack_number_bounded(p, end, &difference);
        value += difference;
        *o++ = value;
    }
    out->resize(static_cast<std::size_t>(o - first));
    *last = value;
    return true;
}

int load_next_chunk(ResultList* list, std::uint32_t block_size)
{
    if (list->next_block == 0)
        return 0;
    std::vector<std::uint32_t> values;
    std::uint32_t last = list->last_value();
    if (!decode_next_chunk(&list->next_block, &last, &values, block_size))
        return 0;
    list->values.append_values(values.data(), values.size());
    return 1;
}

ResultCursor::ResultCursor(ResultList* list, std::uint32_t block_size)
    : itsList(list), itsBlockSize(block_size)
{
    start();
}

void ResultCursor::start()
{
    if (itsList->values.empty() && itsList->next_block != 0)
        load_next_chunk(itsList, itsBlockSize);
    itsNode = itsList->values.head();
}

void ResultCursor::load_if_last()
{
    if (itsNode != nullptr && itsNode == itsList->values.tail() && itsList->next_block != 0)
        load_next_chunk(itsList, itsBlockSize);
}

void ResultCursor::advance()
{
    load_if_last();
    if (itsNode != nullptr)
        itsNode = itsNode->next;
}

void ResultCursor::remove_current()
{
    load_if_last();
    if (itsNode == nullptr)
        return;
    IdNode* old = itsNode;
    itsNode = itsNode->next;
    itsList->values.unlink(old);
}

void ResultCursor::insert_before(std::uint32_t value)
{
    itsList->values.insert_before(itsNode, value);
}

void expand_words(ResultList* list, std::uint32_t block_size)
{
    ResultList words;
    words.move_from(*list);
    list->reset();
    bool cancelled = false;
    while (!words.values.empty() && !cancelled) {
        const std::uint32_t word_offset = words.values.pop_front();
        collect_postings(list, word_offset, block_size);
        while (list->next_block != 0 && load_next_chunk(list, block_size) != 0) {
            if (report_progress(nullptr, -1) != 0) {
                list->next_block = 0;
                break;
            }
        }
        list->next_block = 0;
        if (list->values.count() % 128 == 0 && report_progress(nullptr, -1) != 0)
            cancelled = true;
    }
    list->sort();
    list->word_offsets = 0;
}
