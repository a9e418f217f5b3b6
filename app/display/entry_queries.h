// entry_queries.h: the entry module's four searches. Each runs one search through the
// dictionary engine, collects its hits into the caller's result list (WordItems that the
// list then owns) and answers how many items the collection added.
#pragma once
#include <cstdint>

class RWOrdered;

// The query index=word. An index, '=', word and terminator longer than the 256 bytes of
// the query buffer are refused: nothing is searched and 0 is answered.
long FormatKeyValue(RWOrdered* into, const char* word, const char* indexCode);
// The query as given.
long CollectHitsOnce(RWOrdered* into, const char* query);
// The sound-alike words of word (index "sc"), collected as plain words.
long CollectHitsInto(RWOrdered* into, const char* word);
// The engine's second scan with word and index code, collected as plain words.
long CollectHitsScan(RWOrdered* into, const char* word, const char* indexCode);

inline constexpr std::size_t kQueryBufferBytes = 256;
