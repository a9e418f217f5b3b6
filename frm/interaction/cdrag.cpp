// cdrag.cpp: drag sources and sinks: two-way registration, the drag's states (idle,
// dragging without a position, tracking the current sink) and the reordering of sinks by
// window order.
#include "frm/interaction/cdrag.h"

#include <algorithm>

#include "frm/core/cobjrwc.h"
#include "frm/interaction/cregistry.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cview.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

using frm_registry::RemoveFrom;

// ---- FRM_CDragSink -----------------------------------------------------------------------

FRM_CDragSink::FRM_CDragSink(const FRM_CDragSink& other) { CopyFrom(other); }

// Hand-written: the sink leaves its sources and joins the source's ones.
FRM_CDragSink& FRM_CDragSink::operator=(const FRM_CDragSink& other)
{
    if (this != &other) {
        Destroy();
        CopyFrom(other);
    }
    return *this;
}

FRM_CDragSink::~FRM_CDragSink() { Destroy(); }

void FRM_CDragSink::CopyFrom(const FRM_CDragSink& other)
{
    const std::vector<FRM_CDragSource*> sources = other.itsSources;
    for (FRM_CDragSource* source : sources)
        source->RegisterSink(this, 1);
}

void FRM_CDragSink::Destroy()
{
    while (!itsSources.empty())
        itsSources.front()->UnregisterSink(this);
}

void FRM_CDragSink::AddSource(FRM_CDragSource* source)
{
    RemoveFrom(itsSources, source);
    itsSources.push_back(source);
}

void FRM_CDragSink::RemoveSource(FRM_CDragSource* source) { RemoveFrom(itsSources, source); }

// ---- FRM_CDragSource ---------------------------------------------------------------------

FRM_CDragSource::FRM_CDragSource(const FRM_CDragSource& other) : FRM_CMouseHandler(other)
{
    CopyFrom(other);
}

// Hand-written: the sinks are re-registered both ways; unheld old sinks are deleted.
FRM_CDragSource& FRM_CDragSource::operator=(const FRM_CDragSource& other)
{
    if (this != &other) {
        FRM_CMouseHandler::operator=(other);
        Destroy();
        CopyFrom(other);
    }
    return *this;
}

FRM_CDragSource::~FRM_CDragSource() { Destroy(); }

void FRM_CDragSource::CopyFrom(const FRM_CDragSource& other)
{
    itsDragCommand = other.itsDragCommand;
    itsDragData = other.itsDragData;
    itsNonDragCursor = other.itsNonDragCursor;
    itsSinkOrder = other.itsSinkOrder;
    itIsDragging = 0;
    itsLastSink = nullptr;
    itsTrappedWindow = nullptr;
    itsLastLocation = NoPoint();
    itsSinks.clear();
    const std::vector<FRM_CDragSink*> sinks = other.itsSinks;
    for (FRM_CDragSink* sink : sinks)
        RegisterSink(sink, 0);
}

void FRM_CDragSource::Destroy()
{
    itsLastSink = nullptr;
    while (!itsSinks.empty()) {
        FRM_CDragSink* sink = itsSinks.front();
        itsSinks.erase(itsSinks.begin());
        sink->RemoveSource(this);
        if (sink->GetSources().empty())
            delete sink; // no source holds it any more
    }
}

void FRM_CDragSource::RegisterSink(FRM_CDragSink* sink, short atFront)
{
    if (sink == nullptr)
        return;
    RemoveFrom(itsSinks, sink);
    if (atFront)
        itsSinks.insert(itsSinks.begin(), sink);
    else
        itsSinks.push_back(sink);
    sink->AddSource(this);
}

void FRM_CDragSource::UnregisterSink(FRM_CDragSink* sink)
{
    RemoveFrom(itsSinks, sink);
    if (itsLastSink == sink)
        itsLastSink = nullptr; // never notify a sink that left
    if (sink != nullptr)
        sink->RemoveSource(this);
}

void FRM_CDragSource::DoDrag(long type, void* data, FRM_CWindow* window, short cursor)
{
    itsTrappedWindow = window;
    WINDOW handle = window != nullptr ? window->GetVKOWindow() : nullptr;
    vko_win_release_pointer();
    vko_win_trap_pointer(handle);
    itsNonDragCursor = static_cast<short>(vko_win_get_cursor(handle));
    vko_win_set_cursor(handle, cursor);
    if (itsSinkOrder == kWindowOrder)
        ShuffleSinks();
    itsDragData = data;
    itsDragCommand = type;
    itIsDragging = 1;
}

short FRM_CDragSource::DoDown(FRM_CPoint&, short&, short&, short&) { return itIsDragging; }
short FRM_CDragSource::DoDouble(FRM_CPoint&, short&, short&, short&) { return itIsDragging; }

short FRM_CDragSource::DoMove(FRM_CPoint& where, short& button, short& shift, short& control)
{
    if (!itIsDragging)
        return 0;
    if (where == itsLastLocation)
        return 1;
    if (itsLastLocation == NoPoint()) {
        itsLastLocation = where;
        return 1;
    }
    itsLastLocation = where;
    TrackSink(where, button, shift, control);
    return 1;
}

void FRM_CDragSource::TrackSink(const FRM_CPoint& where, short button, short shift, short control)
{
    FRM_CDragSink* found = nullptr;
    for (FRM_CDragSink* sink : itsSinks) {
        if (sink->IsInSink(where)) {
            found = sink;
            break;
        }
    }
    if (found == nullptr) {
        if (itsLastSink != nullptr)
            itsLastSink->DoLeave(where, button, shift, control, itsDragCommand, itsDragData);
    } else {
        if (found != itsLastSink) {
            if (itsLastSink != nullptr)
                itsLastSink->DoLeave(where, button, shift, control, itsDragCommand, itsDragData);
            found->DoEnter(where, button, shift, control, itsDragCommand, itsDragData);
        }
        found->DoDrag(where, button, shift, control, itsDragCommand, itsDragData);
    }
    itsLastSink = found;
}

short FRM_CDragSource::DoUp(FRM_CPoint& where, short& button, short& shift, short& control)
{
    if (!itIsDragging)
        return 0;
    // The sink under the release takes the drop, also when no move found it first: a quick
    // drag may bring one merged move or none, and the first move only records its place.
    if (where != itsLastLocation || itsLastSink == nullptr)
        TrackSink(where, button, shift, control);
    itIsDragging = 0;
    vko_win_release_pointer();
    if (itsTrappedWindow != nullptr)
        vko_win_set_cursor(itsTrappedWindow->GetVKOWindow(), itsNonDragCursor);
    if (FRM_CDragSink* sink = itsLastSink) {
        itsLastSink = nullptr;
        sink->DoLeave(where, button, shift, control, itsDragCommand, itsDragData);
        sink->DoDrop(where, button, shift, control, itsDragCommand, itsDragData);
    }
    itsLastLocation = NoPoint();
    return 1;
}

void FRM_CDragSource::ShuffleSinks()
{
    const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    const FRM_CDesktop* desktop = g != nullptr ? g->GetDesktop() : nullptr;
    if (desktop == nullptr)
        return;
    std::vector<FRM_CDragSink*> reordered;
    std::vector<FRM_CDragSink*> old = itsSinks;
    const std::unique_ptr<RWOrdered> windows(desktop->GetWindows());
    for (std::size_t w = 0; w < windows->entries(); ++w) {
        const auto* window = static_cast<const FRM_CWindow*>((*windows)[w]);
        for (auto it = old.begin(); it != old.end();) {
            FRM_CView* owner = (*it)->GetOwner();
            if (owner != nullptr && owner->GetCWindow() == window) {
                reordered.insert(reordered.begin(), *it);
                it = old.erase(it);
            } else {
                ++it;
            }
        }
    }
    reordered.insert(reordered.end(), old.begin(), old.end());
    itsSinks = std::move(reordered);
}
