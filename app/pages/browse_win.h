// browse_win.h: BrowseWin, the browse page: the entry words that start or end with the
// typed text, as the chooser's two choices say.
#pragma once
#include <string>

#include "app/pages/search_page_win.h"

class BrowseWin : public SearchPageWin {
public:
    BrowseWin(SearchNotebook* notebook, short tab, RefDoc* document, EntryPainter* painter);

    static const FRM_CTypeInfo* GetStaticTypeInfo();
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;

    // The pattern for text under chooser position: "text*" (starts with, position 0) or
    // "*text" (ends with), lower case; empty for text that is not searched.
    static std::string BrowsePattern(const std::string& text, int position);
    // Searches the entry words by the pattern of the typed text.
    void Search() override;
};
