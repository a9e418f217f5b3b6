// factory_pages.cpp: the factory's search pages. They are no elements of the layout: each is
// made from its class's type record on a face of a main window's search notebook, and
// builds its own controls.
#include "app/pages/browse_win.h"
#include "app/pages/kq_adv_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/shell/kq_factory.h"
#include "frm/controls/cfacewin.h"

namespace {

template <class Page>
SearchPageWin* MakeOf(FRM_CSubview* face, const FRM_CRect& frame, RefDoc* document,
                      EntryPainter* painter, SearchNotebook* notebook)
{
    return new Page(face, frame, document, painter, notebook);
}

struct PageClass {
    const FRM_CTypeInfo* (*typeInfo)();
    SearchPageWin* (*make)(FRM_CSubview*, const FRM_CRect&, RefDoc*, EntryPainter*, SearchNotebook*);
};

const PageClass kPageClasses[] = {
    {&KQBasicWin::GetStaticTypeInfo, &MakeOf<KQBasicWin>},
    {&KQAdvWin::GetStaticTypeInfo, &MakeOf<KQAdvWin>},
    {&BrowseWin::GetStaticTypeInfo, &MakeOf<BrowseWin>},
};

} // namespace

SearchPageWin* KQedAppFactory::MakePage(std::int32_t typeId, FRM_CSubview* face, RefDoc* document,
                                        EntryPainter* painter, SearchNotebook* notebook)
{
    if (face == nullptr)
        return nullptr;
    for (const PageClass& page : kPageClasses) {
        if (page.typeInfo()->GetId() != typeId)
            continue;
        // The page fills the face, in the face's own coordinates.
        const FRM_CRect area = face->GetFrame();
        SearchPageWin* made =
            page.make(face, FRM_CRect(0, 0, area.Width(), area.Height()), document, painter, notebook);
        made->SetGlue(0xFFFFFFFFul);
        return made;
    }
    return nullptr;
}
