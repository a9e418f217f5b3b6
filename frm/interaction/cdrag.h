// cdrag.h: in-process drag and drop between views. A drag source is a mouse handler that,
// once a drag has started, traps the pointer, shows a drag cursor, finds the sink under the
// pointer on every move and tells sinks when the pointer enters, moves over, leaves and
// drops on them. Points are in the task window's coordinates. Sources and sinks know each
// other both ways; a source deletes, when it dies, every sink that no other source holds.
#pragma once

#include <vector>

#include "frm/interaction/cmouse.h"

class FRM_CDragSource;
class FRM_CView;
class FRM_CWindow;

class FRM_CDragSink {
public:
    FRM_CDragSink() = default;
    // The copy is registered first with each source of the original.
    FRM_CDragSink(const FRM_CDragSink& other);
    FRM_CDragSink& operator=(const FRM_CDragSink& other);
    virtual ~FRM_CDragSink();

    virtual short IsInSink(FRM_CPoint where) = 0;
    virtual void DoDrop(FRM_CPoint where, short button, short shift, short control, long type,
                        void* data) = 0;
    virtual void DoEnter(FRM_CPoint where, short button, short shift, short control, long type,
                         void* data) = 0;
    virtual void DoLeave(FRM_CPoint where, short button, short shift, short control, long type,
                         void* data) = 0;
    virtual void DoDrag(FRM_CPoint where, short button, short shift, short control, long type,
                        void* data) = 0;
    virtual FRM_CView* GetOwner() = 0;

    void AddSource(FRM_CDragSource* source);
    void RemoveSource(FRM_CDragSource* source);
    const std::vector<FRM_CDragSource*>& GetSources() const { return itsSources; }

protected:
    void CopyFrom(const FRM_CDragSink& other);
    void Destroy();

private:
    std::vector<FRM_CDragSource*> itsSources; // not owned, no duplicates
};

class FRM_CDragSource : public FRM_CMouseHandler {
public:
    enum OrderPolicy { kRegistrationOrder = 0, kWindowOrder = 1 };

    FRM_CDragSource() = default;
    FRM_CDragSource(const FRM_CDragSource& other);
    FRM_CDragSource& operator=(const FRM_CDragSource& other);
    ~FRM_CDragSource() override;

    // A click during a drag is used; otherwise it is passed on.
    short DoDown(FRM_CPoint& where, short& button, short& shift, short& control) override;
    // Drops on the sink under the release (leave, then drop) and ends the drag; 0 when not
    // dragging.
    short DoUp(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short DoDouble(FRM_CPoint& where, short& button, short& shift, short& control) override;
    // Tracks the sink under the pointer; the first move of a drag only records the position.
    short DoMove(FRM_CPoint& where, short& button, short& shift, short& control) override;
    short UsesGlobalCoords() const override { return 1; }

    virtual void RegisterSink(FRM_CDragSink* sink, short atFront);
    virtual void UnregisterSink(FRM_CDragSink* sink);
    // Starts a drag: traps the pointer in the window and shows the cursor.
    virtual void DoDrag(long type, void* data, FRM_CWindow* window, short cursor);

    void SetSinkOrder(OrderPolicy order) { itsSinkOrder = order; }
    OrderPolicy GetSinkOrder() const { return itsSinkOrder; }
    short IsDragging() const { return itIsDragging; }
    const std::vector<FRM_CDragSink*>& GetSinks() const { return itsSinks; }

protected:
    // The sinks of the window activated last come first, then those of windows not on the
    // desktop in their old order.
    virtual void ShuffleSinks();
    // The sink under the pointer during a drag, or null; the last position seen, or (-1, -1).
    FRM_CDragSink* GetLastSink() const { return itsLastSink; }
    FRM_CPoint GetLastLocation() const { return itsLastLocation; }
    void CopyFrom(const FRM_CDragSource& other);
    void Destroy();

private:
    static FRM_CPoint NoPoint() { return FRM_CPoint(-1, -1); }
    // Finds the sink under where and tells the sinks left and entered, then the one under it.
    void TrackSink(const FRM_CPoint& where, short button, short shift, short control);

    std::vector<FRM_CDragSink*> itsSinks; // hit-test order; sinks held by no other source
                                          // are deleted with this source
    FRM_CDragSink* itsLastSink = nullptr; // the sink under the pointer
    long itsDragCommand = 0;
    void* itsDragData = nullptr; // the caller's, not owned
    short itIsDragging = 0;
    short itsNonDragCursor = 0;
    FRM_CWindow* itsTrappedWindow = nullptr;
    FRM_CPoint itsLastLocation = NoPoint();
    OrderPolicy itsSinkOrder = kRegistrationOrder;
};
