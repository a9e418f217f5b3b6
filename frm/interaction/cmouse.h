// cmouse.h: mouse handlers and the mouse manager. A window's mouse manager sees every mouse
// event of the window before the view tree does and offers it to its handlers (splitters,
// tables, drag sources...). Every handler is called and the results are combined; a parent
// manager sees the event first and, when it uses it, stops it. Handlers and managers know
// each other both ways and neither owns the other: destroying one unregisters it from the
// other side.
#pragma once

#include <vector>

#include "frm/core/crect.h"

class FRM_CMouseManager;
class FRM_CWindow;

class FRM_CMouseHandler {
public:
    FRM_CMouseHandler() = default;
    // The copy is registered first in each manager of the original.
    FRM_CMouseHandler(const FRM_CMouseHandler& other);
    FRM_CMouseHandler& operator=(const FRM_CMouseHandler& other);
    virtual ~FRM_CMouseHandler();

    // Each answers non-zero when the handler used the event; it may change the point and
    // the three values, which the window then receives when no handler used the event.
    virtual short DoDown(FRM_CPoint& where, short& button, short& shift, short& control) = 0;
    virtual short DoUp(FRM_CPoint& where, short& button, short& shift, short& control) = 0;
    virtual short DoDouble(FRM_CPoint& where, short& button, short& shift, short& control) = 0;
    virtual short DoMove(FRM_CPoint& where, short& button, short& shift, short& control) = 0;
    // Non-zero: the handler takes points in the task window's coordinates.
    virtual short UsesGlobalCoords() const = 0;

    const std::vector<FRM_CMouseManager*>& GetManagers() const { return itsManagers; }

protected:
    void CopyFrom(const FRM_CMouseHandler& other);
    void Destroy();

private:
    friend class FRM_CMouseManager;
    void AddMouseManager(FRM_CMouseManager* manager);
    void RemoveMouseManager(FRM_CMouseManager* manager);

    std::vector<FRM_CMouseManager*> itsManagers; // not owned, no duplicates
};

class FRM_CMouseManager {
public:
    explicit FRM_CMouseManager(FRM_CMouseManager* parent = nullptr) : itsParent(parent) {}
    FRM_CMouseManager(const FRM_CMouseManager& other);
    FRM_CMouseManager& operator=(const FRM_CMouseManager& other);
    virtual ~FRM_CMouseManager();

    // Each answers non-zero when the parent or any handler used the event. Handlers may
    // register or unregister handlers while they are called.
    virtual short DoDown(const FRM_CWindow* window, FRM_CPoint& where, short& button,
                         short& shift, short& control);
    virtual short DoUp(const FRM_CWindow* window, FRM_CPoint& where, short& button, short& shift,
                       short& control);
    virtual short DoDouble(const FRM_CWindow* window, FRM_CPoint& where, short& button,
                           short& shift, short& control);
    virtual short DoMove(const FRM_CWindow* window, FRM_CPoint& where, short& button,
                         short& shift, short& control);

    // Moves the handler to the front (atFront non-zero) or the back of the dispatch order.
    void RegisterMouseHandler(FRM_CMouseHandler* handler, short atFront);
    void UnRegisterMouseHandler(FRM_CMouseHandler* handler);
    FRM_CMouseManager* GetParent() const { return itsParent; }
    void SetParent(FRM_CMouseManager* parent) { itsParent = parent; }
    const std::vector<FRM_CMouseHandler*>& GetHandlers() const { return itsHandlers; }

protected:
    void CopyFrom(const FRM_CMouseManager& other);
    void Destroy();

private:
    enum class Kind { Down, Up, Double, Move };
    short Dispatch(Kind kind, const FRM_CWindow* window, FRM_CPoint& where, short& button,
                   short& shift, short& control);

    std::vector<FRM_CMouseHandler*> itsHandlers; // not owned, dispatch order
    FRM_CMouseManager* itsParent = nullptr;      // not owned
};
