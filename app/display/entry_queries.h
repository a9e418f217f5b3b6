// entry_queries.h: the entry module's word scan for the spelling help. It runs the scan
// through the dictionary engine, collects its hits into the caller's result list
// (WordItems that the list then owns) and answers how many items the collection added.
#pragma once

class RWOrdered;

// The sound-alike words of word (index "sc"), collected as plain words.
long CollectHitsInto(RWOrdered* into, const char* word);
