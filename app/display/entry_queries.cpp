// entry_queries.cpp: queries and scans whose hits go into a result list.
#include "app/display/entry_queries.h"

#include <cstring>
#include <memory>
#include <string>

#include "engine/engine.h"

namespace {

constexpr std::uint32_t kBlock = 512;

long collect_query(RWOrdered* into, const char* query)
{
    ResultList* found = nullptr;
    RunQuery(&found, query);
    const std::unique_ptr<ResultList> owned(found);
    return owned ? CollectHits(owned.get(), 0, into) : 0;
}

} // namespace

long FormatKeyValue(RWOrdered* into, const char* word, const char* indexCode)
{
    if (into == nullptr || word == nullptr || indexCode == nullptr)
        return 0;
    if (std::strlen(indexCode) + 1 + std::strlen(word) + 1 > kQueryBufferBytes)
        return 0;
    return collect_query(into, (std::string(indexCode) + "=" + word).c_str());
}

long CollectHitsOnce(RWOrdered* into, const char* query)
{
    if (into == nullptr || query == nullptr)
        return 0;
    return collect_query(into, query);
}

long CollectHitsInto(RWOrdered* into, const char* word)
{
    if (into == nullptr || word == nullptr)
        return 0;
    ResultList list;
    ScanWords(&list, word, "sc", kBlock);
    return CollectHits(&list, 1, into);
}

long CollectHitsScan(RWOrdered* into, const char* word, const char* indexCode)
{
    if (into == nullptr || word == nullptr || indexCode == nullptr)
        return 0;
    ResultList list;
    ScanWordsPair(&list, word, indexCode, kBlock);
    return CollectHits(&list, 1, into);
}
