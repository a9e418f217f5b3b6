// browse_win.cpp: the browse page.
#include "app/pages/browse_win.h"

#include "app/pages/basic_match.h"

namespace {

const FRM_CTypeInfo* const kBrowseBases[] = {&frm_type::CFaceWindow, nullptr};
const FRM_CTypeInfo kBrowseType(1024, "BrowseWin", kBrowseBases);

} // namespace

BrowseWin::BrowseWin(SearchNotebook* notebook, short tab, RefDoc* document, EntryPainter* painter)
    : SearchPageWin(notebook, tab, document, painter)
{
    SetKind(kBrowse);
}

const FRM_CTypeInfo* BrowseWin::GetStaticTypeInfo() { return &kBrowseType; }
const FRM_CTypeInfo* BrowseWin::GetRunTimeTypeInfo() const { return &kBrowseType; }

std::string BrowseWin::BrowsePattern(const std::string& text, int position)
{
    if (text.empty() || text == "." || text == "*" || text == "?")
        return {};
    return LowerCase(position == 0 ? text + "*" : "*" + text);
}

void BrowseWin::Search()
{
    const std::string pattern = BrowsePattern(GetTypedText(), GetSearchTypePosition());
    if (pattern.empty())
        return;
    SearchOne(pattern, GetIndexCode(), false);
    FocusHitList();
}
