// cprntmgr.h: FRM_CPrintMgr, the queue of (view, rectangle, page) items to print and the
// page loop that prints it inside the base library's print loop. While a job runs, windows
// answer GetVKOWindow with the print window (outside update events), so ordinary drawing
// code prints. The global class library owns the one print manager.
#pragma once

#include "frm/core/crect.h"
#include "frm/core/cboss.h"
#include "frm/core/cstringrw.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/collect.h"
#include "vkocoll/ordered.h"

class FRM_CView;

// One queued item; the view is not owned.
class IPrintItem : public RWCollectable {
public:
    IPrintItem(const FRM_CView* view, const FRM_CRect& rect, int page)
        : itsView(view), itsRect(rect), itsPage(page) {}
    const FRM_CView* GetView() const { return itsView; }
    const FRM_CRect& GetRect() const { return itsRect; }
    int GetPage() const { return itsPage; }

private:
    const FRM_CView* itsView;
    FRM_CRect itsRect;
    int itsPage;
};

class FRM_CPrintMgr : public FRM_CNotifier {
public:
    static constexpr int kNextPage = -2; // Insert: the page after the last
    static constexpr int kAllPages = -1; // Remove, GetQueue: every page
    static constexpr int kLastPage = -2; // GetQueue: the last page

    FRM_CPrintMgr();
    FRM_CPrintMgr(const FRM_CPrintMgr& other);
    FRM_CPrintMgr& operator=(const FRM_CPrintMgr& other);
    ~FRM_CPrintMgr() override;

    virtual void Insert(const FRM_CView* view, const FRM_CRect& rect, int page);
    // Takes out the view's items of that page (every page for -1); answers how many.
    virtual int Remove(const FRM_CView* view, int page);
    // A new collection of the views queued for the page, in queue order; -1 all, -2 last.
    virtual RWOrdered GetQueue(int page) const;
    virtual void ClearQueue();
    // Prints the queue; 0 when it is empty or the job could not run.
    virtual short DoPrint(s_printrcd* printRecord, const FRM_CStringRW& title);

    // The page loop, called by the print hook with the manager as its argument.
    static short PrintThread(intptr_t manager);
    // The print window of the running job, null outside a job.
    static WINDOW GetPrintWindow();

    int GetLastPage() const { return itsLastPage; }
    std::size_t GetNumItems() const { return itsQueue.entries(); }

private:
    RWOrdered itsQueue; // of owned IPrintItem
    s_printrcd* itsPrintRecord = nullptr;
    FRM_CStringRW itsTitle;
    int itsLastPage = -1;
    WINDOW itsPrintWindow = nullptr;
};

// The print hook handed to the base library's print loop.
extern "C" BOOLEAN hookPrintCallback(intptr_t data) noexcept;
