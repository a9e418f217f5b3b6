// idlist.cpp: IdList, its node pool and the scratch buffer.
#include "engine/idlist.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "engine/report.h"

namespace {

struct IdListState {
    IdNode* pool = nullptr;          // released nodes, linked through next
    std::size_t pool_size = 0;
    std::unique_ptr<char[]> scratch;
    std::size_t scratch_pos = 0;
};

IdListState state;

IdNode* new_node(std::uint32_t value)
{
    IdNode* node = state.pool;
    if (node != nullptr) {
        state.pool = node->next;
        --state.pool_size;
    } else {
        node = new (std::nothrow) IdNode;
        if (node == nullptr)
            engine_fatal("out of memory");
    }
    node->prev = nullptr;
    node->next = nullptr;
    node->value = value;
    return node;
}

void pool_node(IdNode* node)
{
    node->prev = nullptr;
    node->next = state.pool;
    state.pool = node;
    ++state.pool_size;
}

} // namespace

void IdList::clear()
{
    if (itsHead != nullptr) {
        // The whole chain joins the pool at once.
        itsTail->next = state.pool;
        state.pool = itsHead;
        state.pool_size += itsCount;
    }
    itsHead = nullptr;
    itsTail = nullptr;
    itsCount = 0;
}

void IdList::clear_with(void (*fn)(void* context, std::uint32_t value), void* context)
{
    for (const IdNode* node = itsHead; node != nullptr; node = node->next)
        fn(context, node->value);
    clear();
}

void IdList::push_back(std::uint32_t value)
{
    IdNode* node = new_node(value);
    node->prev = itsTail;
    if (itsTail != nullptr)
        itsTail->next = node;
    else
        itsHead = node;
    itsTail = node;
    ++itsCount;
}

void IdList::append_values(const std::uint32_t* values, std::size_t count)
{
    // The pool head and the tail stay in registers; each node is linked once. A merge
    // result of tens of thousands of values is built here, so this loop is what a long
    // AND or OR costs beyond its comparisons.
    IdNode* pool = state.pool;
    IdNode* tail = itsTail;
    std::size_t taken = 0;
    // Writes the registers back: the list ends at tail, having gained `appended` values.
    const auto settle = [&](std::size_t appended) {
        if (tail != nullptr)
            tail->next = nullptr;
        state.pool = pool;
        state.pool_size -= taken;
        itsTail = tail;
        itsCount += static_cast<std::uint32_t>(appended);
    };
    for (std::size_t i = 0; i < count; ++i) {
        IdNode* node = pool;
        if (node != nullptr) {
            // A list joins the pool whole, so the nodes it hands out in a row usually lie
            // in a row in memory too: fetching ahead hides most of the wait for each next
            // link (a hint only; a node elsewhere costs what it did before).
            const std::uintptr_t ahead = reinterpret_cast<std::uintptr_t>(node) + 512;
            __builtin_prefetch(reinterpret_cast<const void*>(ahead));
            pool = node->next;
            ++taken;
        } else {
            node = new (std::nothrow) IdNode;
            if (node == nullptr) {
                // Leave the list and the pool whole for a fatal hook that does not exit.
                settle(i);
                engine_fatal("out of memory");
            }
        }
        node->prev = tail;
        node->value = values[i];
        if (tail != nullptr)
            tail->next = node;
        else
            itsHead = node;
        tail = node;
    }
    settle(count);
}

std::uint32_t IdList::pop_front()
{
    IdNode* node = itsHead;
    if (node == nullptr)
        return 0;
    const std::uint32_t value = node->value;
    itsHead = node->next;
    if (itsHead != nullptr)
        itsHead->prev = nullptr;
    else
        itsTail = nullptr;
    --itsCount;
    pool_node(node);
    return value;
}

IdNode* IdList::insert_before(IdNode* node, std::uint32_t value)
{
    if (node == nullptr) {
        push_back(value);
        return itsTail;
    }
    IdNode* added = new_node(value);
    added->prev = node->prev;
    added->next = node;
    if (node->prev != nullptr)
        node->prev->next = added;
    else
        itsHead = added;
    node->prev = added;
    ++itsCount;
    return added;
}

void IdList::unlink(IdNode* node)
{
    if (node->prev != nullptr)
        node->prev->next = node->next;
    else
        itsHead = node->next;
    if (node->next != nullptr)
        node->next->prev = node->prev;
    else
        itsTail = node->prev;
    --itsCount;
    pool_node(node);
}

void IdList::move_from(IdList& other)
{
    if (&other == this)
        return;
    clear();
    itsHead = other.itsHead;
    itsTail = other.itsTail;
    itsCount = other.itsCount;
    other.itsHead = nullptr;
    other.itsTail = nullptr;
    other.itsCount = 0;
}

void IdList::assign(const IdList& other)
{
    if (&other == this)
        return;
    clear();
    append_all(other);
}

void IdList::append_all(const IdList& other)
{
    // Counted, so that appending a list to itself copies it once.
    const IdNode* node = other.itsHead;
    for (std::uint32_t n = other.itsCount; n > 0 && node != nullptr; --n, node = node->next)
        push_back(node->value);
}

int IdList::insert_in_order(std::uint32_t value)
{
    IdNode* node = itsHead;
    while (node != nullptr && node->value < value)
        node = node->next;
    if (node != nullptr && node->value == value)
        return 0;
    insert_before(node, value);
    return 1;
}

void IdList::sort_unique()
{
    if (itsCount < 2)
        return;
    std::vector<std::uint32_t> values;
    values.reserve(itsCount);
    bool sorted = true;
    for (const IdNode* node = itsHead; node != nullptr; node = node->next) {
        if (!values.empty() && node->value <= values.back())
            sorted = false;
        values.push_back(node->value);
    }
    if (sorted)
        return;
    std::sort(values.begin(), values.end());
    const auto unique_end = std::unique(values.begin(), values.end());
    // Write the distinct values back into the nodes from the head; pool the rest.
    IdNode* node = itsHead;
    IdNode* last = nullptr;
    for (auto it = values.begin(); it != unique_end; ++it) {
        node->value = *it;
        last = node;
        node = node->next;
    }
    if (node != nullptr) {
        itsTail->next = state.pool;
        state.pool = node;
        state.pool_size += itsCount - static_cast<std::uint32_t>(unique_end - values.begin());
    }
    last->next = nullptr;
    itsTail = last;
    itsCount = static_cast<std::uint32_t>(unique_end - values.begin());
}

void idlist_release_pool()
{
    while (state.pool != nullptr) {
        IdNode* next = state.pool->next;
        delete state.pool;
        state.pool = next;
    }
    state.pool_size = 0;
}

std::size_t idlist_pool_size()
{
    return state.pool_size;
}

char* scratch_reset()
{
    if (!state.scratch) {
        state.scratch.reset(new (std::nothrow) char[kScratchSize]);
        if (!state.scratch)
            engine_fatal("out of memory");
    }
    state.scratch_pos = 0;
    return state.scratch.get();
}

char* scratch_alloc(std::size_t bytes)
{
    if (!state.scratch)
        scratch_reset();
    if (bytes > kScratchSize - state.scratch_pos)
        engine_fatal("buffer overrun");
    state.scratch_pos += bytes;
    return state.scratch.get() + state.scratch_pos;
}

std::size_t scratch_remaining()
{
    return state.scratch ? kScratchSize - state.scratch_pos : kScratchSize;
}

void scratch_release()
{
    state.scratch.reset();
    state.scratch_pos = 0;
}
