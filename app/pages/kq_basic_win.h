// kq_basic_win.h: KQBasicWin, the basic search page: a word typed is searched under the
// search type chosen, or each word of a comma-separated list in turn. While the user types,
// the hit list shows what the typed text finds under that search type and selects the best
// line (type-ahead); choosing a line shows its entry.
#pragma once
#include <memory>
#include <string>

#include "app/pages/search_page_win.h"

class KQBasicWin : public SearchPageWin {
public:
    KQBasicWin(SearchNotebook* notebook, short tab, RefDoc* document, EntryPainter* painter);
    ~KQBasicWin() override;

    static const FRM_CTypeInfo* GetStaticTypeInfo();
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;

    // Type-ahead for the field's text.
    void TypeAhead();
    // Return or Search: the typed text (or the type-ahead's selected line, when it is an
    // entry word); a text with commas, each of its words.
    void Search() override;
    bool IsPicking() const override { return itIsPicking; }

    // SearchPageWin
    void DoCommand(long command, void* data) override;

protected:
    void EndPicking() override { itIsPicking = false; }

private:
    // Search with chosenLine, the line at chosenIndex of the type-ahead's list that the
    // user chose, shown after the search when the hits list it (empty: the first hit's
    // entry).
    void SearchTyped(const std::string& chosenLine, int chosenIndex);
    // Whether the type-ahead's lines are words of the chosen index, so that the selected
    // one is searched on Return.
    bool TypeAheadListsIndexWords() const;

    std::unique_ptr<RWOrdered> itsTyped;   // the type-ahead words, owned
    bool itIsPicking = false;              // the hit list holds type-ahead words
};
