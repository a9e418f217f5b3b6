// cprntmgr.cpp: the print queue and the page loop. Pages are numbered from 0; items of a
// page below 0 or above the last page are never printed. Each page is drawn band by band,
// every queued view of the page drawing its rectangle with DoPrintDraw.
#include "frm/drawing/cprntmgr.h"

#include <algorithm>

#include "frm/core/cobjrwc.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cview.h"

namespace {

const FRM_CStringRW& NullString()
{
    static const FRM_CStringRW empty("");
    const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    return g != nullptr ? g->GetNULLString() : empty;
}

const IPrintItem* ItemAt(const RWOrdered& queue, std::size_t i)
{
    return static_cast<const IPrintItem*>(queue[i]);
}

} // namespace

FRM_CPrintMgr::FRM_CPrintMgr() : itsTitle(NullString()) {}

FRM_CPrintMgr::FRM_CPrintMgr(const FRM_CPrintMgr& other)
    : FRM_CNotifier(other), itsPrintRecord(other.itsPrintRecord), itsTitle(other.itsTitle),
      itsLastPage(other.itsLastPage), itsPrintWindow(other.itsPrintWindow)
{
    // Each manager owns its items, so the copy queues its own.
    for (std::size_t i = 0; i < other.itsQueue.entries(); ++i) {
        const IPrintItem* item = ItemAt(other.itsQueue, i);
        itsQueue.insert(new IPrintItem(item->GetView(), item->GetRect(), item->GetPage()));
    }
}

// Hand-written: the print queue items are owned and deep-copied.
FRM_CPrintMgr& FRM_CPrintMgr::operator=(const FRM_CPrintMgr& other)
{
    if (this == &other)
        return *this;
    FRM_CNotifier::operator=(other);
    itsQueue.clearAndDestroy();
    for (std::size_t i = 0; i < other.itsQueue.entries(); ++i) {
        const IPrintItem* item = ItemAt(other.itsQueue, i);
        itsQueue.insert(new IPrintItem(item->GetView(), item->GetRect(), item->GetPage()));
    }
    itsPrintRecord = other.itsPrintRecord;
    itsTitle = other.itsTitle;
    itsLastPage = other.itsLastPage;
    itsPrintWindow = other.itsPrintWindow;
    return *this;
}

FRM_CPrintMgr::~FRM_CPrintMgr() { itsQueue.clearAndDestroy(); }

void FRM_CPrintMgr::Insert(const FRM_CView* view, const FRM_CRect& rect, int page)
{
    if (page == kNextPage)
        page = itsLastPage + 1;
    itsLastPage = std::max(itsLastPage, page);
    itsQueue.insert(new IPrintItem(view, rect, page)); // owned by the queue
}

int FRM_CPrintMgr::Remove(const FRM_CView* view, int page)
{
    int removed = 0;
    for (std::size_t i = itsQueue.entries(); i-- > 0;) {
        const IPrintItem* item = ItemAt(itsQueue, i);
        if (item->GetView() != view || (page != kAllPages && item->GetPage() != page))
            continue;
        itsQueue.removeAt(i);
        delete item;
        ++removed;
    }
    return removed;
}

RWOrdered FRM_CPrintMgr::GetQueue(int page) const
{
    if (page == kLastPage)
        page = itsLastPage;
    RWOrdered views;
    for (std::size_t i = 0; i < itsQueue.entries(); ++i) {
        const IPrintItem* item = ItemAt(itsQueue, i);
        if (page == kAllPages || item->GetPage() == page)
            // The collection hands the views out as collectables; they stay the caller's.
            views.insert(const_cast<FRM_CView*>(item->GetView()));
    }
    return views;
}

void FRM_CPrintMgr::ClearQueue()
{
    itsQueue.clearAndDestroy();
    itsLastPage = -1;
}

short FRM_CPrintMgr::DoPrint(s_printrcd* printRecord, const FRM_CStringRW& title)
{
    itsPrintRecord = printRecord;
    itsTitle = title;
    if (itsQueue.isEmpty())
        return 0;
    return vko_print_start_thread(hookPrintCallback, reinterpret_cast<intptr_t>(this)) ? 1 : 0;
}

short FRM_CPrintMgr::PrintThread(intptr_t managerHandle)
{
    auto* manager = reinterpret_cast<FRM_CPrintMgr*>(managerHandle);
    if (manager == nullptr || manager->itsPrintRecord == nullptr)
        return 0;
    manager->itsPrintWindow =
        vko_print_create_win(manager->itsPrintRecord, manager->itsTitle.data());
    if (manager->itsPrintWindow == nullptr)
        return 0;
    for (int page = 0;
         page <= manager->itsLastPage && vko_print_open_page(manager->itsPrintRecord); ++page) {
        while (vko_print_get_next_band() != nullptr) {
            for (std::size_t i = 0; i < manager->itsQueue.entries(); ++i) {
                const IPrintItem* item = ItemAt(manager->itsQueue, i);
                if (item->GetPage() == page)
                    // Printing draws the view; the queue keeps it as the caller passed it.
                    const_cast<FRM_CView*>(item->GetView())->DoPrintDraw(item->GetRect());
            }
        }
        if (!vko_print_close_page(manager->itsPrintRecord))
            break;
    }
    WINDOW printWindow = manager->itsPrintWindow;
    manager->itsPrintWindow = nullptr;
    vko_vobj_destroy(printWindow);
    manager->ClearQueue();
    return 1;
}

WINDOW FRM_CPrintMgr::GetPrintWindow()
{
    const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    const FRM_CPrintMgr* manager = g != nullptr ? g->GetPrintMgr() : nullptr;
    return manager != nullptr ? manager->itsPrintWindow : nullptr;
}

extern "C" BOOLEAN hookPrintCallback(intptr_t data) noexcept
{
    return FRM_CPrintMgr::PrintThread(data);
}
