// factory_pages.cpp: the factory's search pages. They are no elements of the layout: each is
// made from its class's type record as a face of a main window's search notebook, and
// builds its own controls.
#include "app/pages/browse_win.h"
#include "app/pages/kq_adv_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/shell/kq_factory.h"

namespace {

template <class Page>
SearchPageWin* MakeOf(SearchNotebook* notebook, short tab, RefDoc* document, EntryPainter* painter)
{
    return new Page(notebook, tab, document, painter);
}

struct PageClass {
    const FRM_CTypeInfo* (*typeInfo)();
    SearchPageWin* (*make)(SearchNotebook*, short, RefDoc*, EntryPainter*);
};

const PageClass kPageClasses[] = {
    {&KQBasicWin::GetStaticTypeInfo, &MakeOf<KQBasicWin>},
    {&KQAdvWin::GetStaticTypeInfo, &MakeOf<KQAdvWin>},
    {&BrowseWin::GetStaticTypeInfo, &MakeOf<BrowseWin>},
};

} // namespace

SearchPageWin* KQedAppFactory::MakePage(std::int32_t typeId, SearchNotebook* notebook, short tab,
                                        RefDoc* document, EntryPainter* painter)
{
    if (notebook == nullptr)
        return nullptr;
    for (const PageClass& page : kPageClasses) {
        if (page.typeInfo()->GetId() != typeId)
            continue;
        SearchPageWin* made = page.make(notebook, tab, document, painter);
        made->OrderTabStops();
        return made;
    }
    return nullptr;
}
