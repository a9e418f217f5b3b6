// factory_layout.h: what the factory's registration modules share: the records that
// describe one window or one control of the layout, the create and init functions built from
// them, and the five modules' registration calls. Internal to the factory modules.
#pragma once
#include <cstdint>

#include "app/shell/kq_factory.h"
#include "frm/core/ccmdnums.h"
#include "frm/drawing/cenviron.h"
#include "frm/views/cwindow.h"

namespace factory {

// The environments of controls with their own font (E1 to E7 of the layout; 0: none).
FRM_CEnvironment MakeEnvironment(int number);

enum class ViewClass {
    kButton,        // a native push button
    kText,          // a native static text
    kListBox,       // a native list box
    kListButton,    // a native drop-down list
    kEditField,     // a native one-line edit field
    kScrollText,    // a native scrolling text
    kPictureButton, // a button showing an image resource
    kPicture,       // an image resource
    kStatusBar,
    kRectangle,
    kScroller,
    kTreeView,
};

struct ViewElement {
    std::int32_t id;
    std::int32_t parentId;
    std::uint32_t order;        // from 0
    std::uint32_t siblings;
    ViewClass viewClass;
    float left, top, right, bottom;
    int titleId;                // string resource; 0: no title
    long command;
    long doubleCommand;
    unsigned long glue;
    short controlFlags;         // 8 on OK and Stop buttons
    int environment;            // 1 to 7, 0: none
    bool enabled;
    int imageId;                // pictures and picture buttons
};

// Makes the view of element under parent (a subview; anything else gives no parent).
FRM_CObjectRWC* MakeView(const ViewElement& element, FRM_CObjectRWC* parent);
// Applies the element's properties and further settings; another class's object is left as
// it is.
void InitView(const ViewElement& element, const FRM_PAFactory& factory, FRM_CObjectRWC* object);

template <const ViewElement& E>
FRM_CObjectRWC* CreateViewOf(const FRM_PAFactory&, FRM_CObjectRWC* parent)
{
    return MakeView(E, parent);
}
template <const ViewElement& E>
void InitViewOf(const FRM_PAFactory& factory, FRM_CObjectRWC* object, FRM_CDataMembers*)
{
    InitView(E, factory, object);
}
std::int32_t TypeIdOf(ViewClass viewClass);
template <const ViewElement& E>
void AddView(KQedAppFactory& factory)
{
    factory.Add(E.id, TypeIdOf(E.viewClass), FRM_PAFactory::kView, CreateViewOf<E>,
                InitViewOf<E>, E.parentId, 1, E.siblings, E.order);
}

struct WindowElement;
using WindowMaker = FRM_CWindow* (*)(FRM_CDocument* document, const WindowElement& element);

struct WindowElement {
    std::int32_t id;
    std::int32_t classTypeId;
    std::int32_t documentId;
    std::uint32_t order;
    std::uint32_t siblings;
    short initiallyCreated;
    float left, top, right, bottom;
    long attributes;
    e_win_type type;
    int menuBarId;
    std::int32_t parentAttribute;   // the parent window: 300 the screen, 301 the task window
    int titleId;
    bool visible;
    bool active;
    WindowMaker make;               // null: the element makes no object
};

WINDOW ParentWindowOf(const WindowElement& element);

// A window class with the factory's constructor.
template <class W>
FRM_CWindow* MakeWindowOf(FRM_CDocument* document, const WindowElement& e)
{
    return new W(document, FRM_CRect(e.left, e.top, e.right, e.bottom), FRM_CStringRW(),
                 e.attributes, e.type, e.menuBarId, ParentWindowOf(e));
}
// A window of the layout whose class is not the program's yet: a plain window with its
// controls.
FRM_CWindow* MakeLaidOutWindow(FRM_CDocument* document, const WindowElement& element);

FRM_CObjectRWC* MakeWindow(const WindowElement& element, FRM_CObjectRWC* parent);
void InitWindow(const WindowElement& element, FRM_CObjectRWC* object);

template <const WindowElement& E>
FRM_CObjectRWC* CreateWindowOf(const FRM_PAFactory&, FRM_CObjectRWC* parent)
{
    return MakeWindow(E, parent);
}
template <const WindowElement& E>
void InitWindowOf(const FRM_PAFactory&, FRM_CObjectRWC* object, FRM_CDataMembers*)
{
    InitWindow(E, object);
}
void RememberWindowElement(const WindowElement& element);
template <const WindowElement& E>
void AddWindow(KQedAppFactory& factory)
{
    RememberWindowElement(E);
    factory.Add(E.id, E.classTypeId, FRM_PAFactory::kWindow,
                E.make != nullptr ? CreateWindowOf<E> : nullptr, InitWindowOf<E>, E.documentId,
                E.initiallyCreated, E.siblings, E.order);
}
const WindowElement* FindWindowElement(std::int32_t id);

// The registration modules.
void RegisterApplication(KQedAppFactory& factory);   // 1002, documents, task window, splash
void RegisterUserWindows(KQedAppFactory& factory);   // preferences and bookmark windows
void RegisterMainWindow(KQedAppFactory& factory);    // the main reference window
void RegisterSearchWindows(KQedAppFactory& factory); // spelling, status and history windows
void RegisterImageWindows(KQedAppFactory& factory);  // illustration and table windows

} // namespace factory
