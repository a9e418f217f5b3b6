// idlist.h: IdList, the doubly linked list of 32-bit offsets that holds every search
// result, its process-wide pool of released nodes, and the engine's scratch buffer.
// Nodes never return to the heap before idlist_release_pool (called by close_engine),
// so the many short-lived lists of a query reuse memory.
#pragma once
#include <cstddef>
#include <cstdint>

struct IdNode {
    IdNode* prev;
    IdNode* next;
    std::uint32_t value;
};

// Owns its nodes; they go back to the pool when removed or when the list is cleared.
class IdList {
public:
    IdList() = default;
    ~IdList() { clear(); }
    IdList(const IdList&) = delete;
    IdList& operator=(const IdList&) = delete;

    IdNode* head() const { return itsHead; }
    IdNode* tail() const { return itsTail; }
    std::uint32_t count() const { return itsCount; }
    bool empty() const { return itsCount == 0; }

    // Moves every node to the pool; the list becomes empty.
    void clear();
    // Calls fn(context, value) for each value in order, then clears.
    void clear_with(void (*fn)(void* context, std::uint32_t value), void* context);

    void push_back(std::uint32_t value);
    // Appends count values in order; the same as push_back on each, in one pass.
    void append_values(const std::uint32_t* values, std::size_t count);
    // Removes the head and returns its value; 0 for an empty list.
    std::uint32_t pop_front();
    // Inserts a node before node (appends when node is null); returns the new node.
    IdNode* insert_before(IdNode* node, std::uint32_t value);
    // Takes node out of the list (it must belong to it) and pools it.
    void unlink(IdNode* node);
    // Takes over other's nodes; other is left empty.
    void move_from(IdList& other);
    // Clears, then appends a copy of each value of other.
    void assign(const IdList& other);
    // Appends a copy of each value of other.
    void append_all(const IdList& other);
    // Inserts value before the first node whose value is not smaller (or at the end);
    // returns 0 without inserting when that node already holds value, else 1.
    int insert_in_order(std::uint32_t value);
    // Sorts ascending (unsigned) and drops duplicates, reusing the existing nodes; any
    // count sorts.
    void sort_unique();

private:
    IdNode* itsHead = nullptr;
    IdNode* itsTail = nullptr;
    std::uint32_t itsCount = 0;
};

// Releases every pooled node to the heap.
void idlist_release_pool();
// Number of nodes waiting in the pool (for tests and the memory benchmark).
std::size_t idlist_pool_size();

// The scratch buffer: 32,768 bytes, allocated on first use and kept.
inline constexpr std::size_t kScratchSize = 32768;
// Allocates the buffer if needed and sets the position to its start; returns it.
char* scratch_reset();
// Advances the position by bytes and returns the position after the advance (bytes 0:
// the current position). Passing the end of the buffer is fatal ("buffer overrun").
char* scratch_alloc(std::size_t bytes);
// Bytes left between the current position and the end of the buffer.
std::size_t scratch_remaining();
// Releases the scratch buffer (close_engine).
void scratch_release();
