// search_request.h: SearchRequest, one search a page asks for. The page fills in what to
// search and how, and sends the record to its reference document (command 87); the document
// notes its dictionary in it and has the search status window run it; the window puts the
// hits into the record and hands it back to the document (command 88), which gives them to
// the page's notebook (command 93) to list on every page and enter in the history. All of it
// happens while the page's send runs: the record lives on the page's stack.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "vkocoll/ordered.h"

class SearchNotebook;

struct SearchRequest {
    SearchRequest() = default;
    SearchRequest(const SearchRequest&) = delete;
    SearchRequest& operator=(const SearchRequest&) = delete;
    ~SearchRequest() { DropHits(); }

    // Hands the hits over (the caller owns the collection and its items).
    RWOrdered* TakeHits() { return hits.release(); }
    void DropHits()
    {
        if (hits)
            hits->clearAndDestroy();
        hits.reset();
    }

    std::string text;   // what to search
    // The index: "" runs text as a query as written; a code whose first byte is 1 stands
    // for the entry-word index "va" (the browse page's patterns); else the index's code.
    std::string code;
    int reference = -1;                    // the document's dictionary, set by the document
    std::unique_ptr<RWOrdered> hits;       // WordItems in the engine's order, after the search
    long found = 0;                        // every hit, also those past the list's text limit
    std::vector<std::string> highlights;   // lower-cased words marked in the entries shown
    SearchNotebook* notebook = nullptr;    // where the hits go: the asking page's notebook
    int face = 0;                          // the notebook's face that asked
    int searchType = 0;                    // the chooser's position on that page
    bool quiet = false;                    // nothing found: no note
};
