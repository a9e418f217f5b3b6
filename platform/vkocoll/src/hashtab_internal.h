// hashtab_internal.h: the bucket walk that the iterators of the hashed collections share
// (RWHashTable and its kin, RWHashDictionary). A cursor is a bucket and a slot in it, so it
// stays meaningful when the item under it is erased.
#pragma once
#include <cstddef>
#include <vector>

namespace vkocoll_detail {

// Moves the cursor (bucket, slot) on to the next item of table: to the first item when the
// walk has not started, past the current item when at_item, else to the item now standing at
// the cursor (the one that moved into a removed item's slot). Answers whether it is on one.
template <typename Item>
bool stepBuckets(const std::vector<std::vector<Item>>& table, bool& started, bool at_item,
                 std::size_t& bucket, std::size_t& slot)
{
    if (!started) {
        started = true;
        bucket = 0;
        slot = 0;
    } else if (at_item) {
        ++slot;
    }
    while (bucket < table.size()) {
        if (slot < table[bucket].size())
            return true;
        ++bucket;
        slot = 0;
    }
    return false;
}

} // namespace vkocoll_detail
