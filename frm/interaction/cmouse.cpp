// cmouse.cpp: two-way registration of mouse handlers and managers, and the dispatch that
// hands each handler the point in its own coordinates (the window's or the task window's),
// carrying changes one handler makes to the next.
#include "frm/interaction/cmouse.h"

#include <algorithm>

#include "frm/core/cobjrwc.h"
#include "frm/interaction/cregistry.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cwindow.h"

namespace {

using frm_registry::RemoveFrom;

const FRM_CWindow* TaskWindow()
{
    const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    return g != nullptr ? g->GetTaskWin() : nullptr;
}

} // namespace

// ---- FRM_CMouseHandler -------------------------------------------------------------------

FRM_CMouseHandler::FRM_CMouseHandler(const FRM_CMouseHandler& other) { CopyFrom(other); }

// Hand-written: the handler leaves its managers and joins the source's ones.
FRM_CMouseHandler& FRM_CMouseHandler::operator=(const FRM_CMouseHandler& other)
{
    if (this != &other) {
        Destroy();
        CopyFrom(other);
    }
    return *this;
}

FRM_CMouseHandler::~FRM_CMouseHandler() { Destroy(); }

void FRM_CMouseHandler::CopyFrom(const FRM_CMouseHandler& other)
{
    const std::vector<FRM_CMouseManager*> managers = other.itsManagers;
    for (FRM_CMouseManager* manager : managers)
        manager->RegisterMouseHandler(this, 1);
}

void FRM_CMouseHandler::Destroy()
{
    while (!itsManagers.empty())
        itsManagers.front()->UnRegisterMouseHandler(this);
}

void FRM_CMouseHandler::AddMouseManager(FRM_CMouseManager* manager)
{
    RemoveFrom(itsManagers, manager);
    itsManagers.push_back(manager);
}

void FRM_CMouseHandler::RemoveMouseManager(FRM_CMouseManager* manager)
{
    RemoveFrom(itsManagers, manager);
}

// ---- FRM_CMouseManager -------------------------------------------------------------------

FRM_CMouseManager::FRM_CMouseManager(const FRM_CMouseManager& other) { CopyFrom(other); }

// Hand-written: the handlers are unregistered and the source's registered both ways.
FRM_CMouseManager& FRM_CMouseManager::operator=(const FRM_CMouseManager& other)
{
    if (this != &other) {
        Destroy();
        CopyFrom(other);
    }
    return *this;
}

FRM_CMouseManager::~FRM_CMouseManager() { Destroy(); }

void FRM_CMouseManager::CopyFrom(const FRM_CMouseManager& other)
{
    itsParent = other.itsParent;
    const std::vector<FRM_CMouseHandler*> handlers = other.itsHandlers;
    for (FRM_CMouseHandler* handler : handlers)
        RegisterMouseHandler(handler, 0);
}

void FRM_CMouseManager::Destroy()
{
    while (!itsHandlers.empty()) {
        FRM_CMouseHandler* handler = itsHandlers.front();
        itsHandlers.erase(itsHandlers.begin());
        handler->RemoveMouseManager(this);
    }
}

void FRM_CMouseManager::RegisterMouseHandler(FRM_CMouseHandler* handler, short atFront)
{
    if (handler == nullptr)
        return;
    RemoveFrom(itsHandlers, handler);
    if (atFront)
        itsHandlers.insert(itsHandlers.begin(), handler);
    else
        itsHandlers.push_back(handler);
    handler->AddMouseManager(this);
}

void FRM_CMouseManager::UnRegisterMouseHandler(FRM_CMouseHandler* handler)
{
    RemoveFrom(itsHandlers, handler);
    if (handler != nullptr)
        handler->RemoveMouseManager(this);
}

short FRM_CMouseManager::DoDown(const FRM_CWindow* window, FRM_CPoint& where, short& button,
                                short& shift, short& control)
{
    return Dispatch(Kind::Down, window, where, button, shift, control);
}
short FRM_CMouseManager::DoUp(const FRM_CWindow* window, FRM_CPoint& where, short& button,
                              short& shift, short& control)
{
    return Dispatch(Kind::Up, window, where, button, shift, control);
}
short FRM_CMouseManager::DoDouble(const FRM_CWindow* window, FRM_CPoint& where, short& button,
                                  short& shift, short& control)
{
    return Dispatch(Kind::Double, window, where, button, shift, control);
}
short FRM_CMouseManager::DoMove(const FRM_CWindow* window, FRM_CPoint& where, short& button,
                                short& shift, short& control)
{
    return Dispatch(Kind::Move, window, where, button, shift, control);
}

short FRM_CMouseManager::Dispatch(Kind kind, const FRM_CWindow* window, FRM_CPoint& where,
                                  short& button, short& shift, short& control)
{
    if (itsParent != nullptr) {
        short used = 0;
        switch (kind) {
        case Kind::Down: used = itsParent->DoDown(window, where, button, shift, control); break;
        case Kind::Up: used = itsParent->DoUp(window, where, button, shift, control); break;
        case Kind::Double:
            used = itsParent->DoDouble(window, where, button, shift, control);
            break;
        case Kind::Move: used = itsParent->DoMove(window, where, button, shift, control); break;
        }
        if (used)
            return 1;
    }
    if (itsHandlers.empty())
        return 0;

    const FRM_CWindow* taskWindow = TaskWindow();
    FRM_CPoint global = where.GetTranslated(window, taskWindow);
    bool localGiven = false;
    bool globalGiven = false;
    short used = 0;
    // A mouse-up calls at most as many handlers as there were when it began, so handlers
    // that unregister while handling it cannot make the walk overrun.
    std::size_t callsLeft = kind == Kind::Up ? itsHandlers.size() : static_cast<std::size_t>(-1);
    for (std::size_t i = 0; i < itsHandlers.size() && callsLeft > 0; --callsLeft) {
        FRM_CMouseHandler* handler = itsHandlers[i];
        FRM_CPoint* point = &where;
        if (!handler->UsesGlobalCoords()) {
            if (globalGiven) {
                where = global.GetTranslated(taskWindow, window);
                globalGiven = false;
            }
            localGiven = true;
        } else {
            if (localGiven) {
                global = where.GetTranslated(window, taskWindow);
                localGiven = false;
            }
            globalGiven = true;
            point = &global;
        }
        switch (kind) {
        case Kind::Down: used |= handler->DoDown(*point, button, shift, control); break;
        case Kind::Up: used |= handler->DoUp(*point, button, shift, control); break;
        case Kind::Double: used |= handler->DoDouble(*point, button, shift, control); break;
        case Kind::Move: used |= handler->DoMove(*point, button, shift, control); break;
        }
        // Continue after the handler just called, wherever (un)registrations moved it; when
        // it is gone, the next one now sits at its place.
        auto it = std::find(itsHandlers.begin(), itsHandlers.end(), handler);
        if (it != itsHandlers.end())
            i = static_cast<std::size_t>(it - itsHandlers.begin()) + 1;
    }
    return used ? 1 : 0;
}
