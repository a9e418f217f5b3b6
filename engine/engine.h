// engine.h: what the program includes of the dictionary engine: the open file pair, word
// lookup, scans, queries, result lists, hit collection, entry text and the progress
// report, plus the few calls the search pages, the entry display and the application
// shell make by their own names. Every call here works on the one open pair.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/entrytext.h"
#include "engine/packed_cursor.h"
#include "engine/progress.h"
#include "engine/query.h"
#include "engine/resultlist.h"
#include "engine/scan.h"
#include "engine/wordindex.h"
#include "engine/worditem.h"

// The dictionary open: opens the pair base_name (as given, else under directory) and
// answers nonzero when both files and the header are in place and the pair passes the
// open-time checks (pair_check.h); on 0 the pair open before stays open, and
// data_files_problem says what is wrong, naming the file.
// Each of search_codes (the index codes of a description's search types) must be an index
// of the pair.
int OpenDictionary(const char* directory, const char* base_name,
                   const std::vector<std::string>& search_codes = {});

// The buffer release at shut-down: frees the engine's buffers and closes the open pair.
// Safe when nothing is open.
void ReleaseEngineBuffers();

// Index offset of the "hw" entry whose word equals word (the entry's position that
// ExpandEntry and LoadRecord take), 0 when there is none.
std::uint32_t LookUpWord(const char* word, std::uint32_t block_size);

// Hit collection for typed text: runs the query index_code=text and collects its hits.
// A new collection of WordItems that the caller owns (items and collection); empty when
// nothing was found or the text is not a valid query.
RWOrdered* CollectTypedHits(const char* text, const char* index_code);
