// entry_queries.cpp: the sound-alike scan whose hits go into a result list.
#include "app/display/entry_queries.h"

#include <cstdint>

#include "engine/engine.h"

namespace {

constexpr std::uint32_t kBlock = 512;

} // namespace

long CollectHitsInto(RWOrdered* into, const char* word)
{
    if (into == nullptr || word == nullptr)
        return 0;
    ResultList list;
    ScanWords(&list, word, "sc", kBlock);
    return CollectHits(&list, 1, into);
}
