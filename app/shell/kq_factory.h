// kq_factory.h: KQedAppFactory, the program's one application factory. Every document,
// window and control of the program except the search pages' own controls is an element of
// it, registered under a numeric id with its parent, its place among its siblings and the
// functions that make and set it up (the layout lives in the factory_*.cpp modules). The
// factory is made and filled on first use, so every element is there whichever module
// asks first.
//
// A window class built by the factory has the constructor
//   (FRM_CDocument*, const FRM_CRect& frame, const FRM_CStringRW& title, long attributes,
//    e_win_type type, int menuBarId, WINDOW parent)
// and asks the factory for its own controls from it (DoCreateViews with its id and its
// ID-data record, id_data.h).
#pragma once
#include <cstdint>
#include <vector>

#include "frm/runtime/cpafactr.h"

class EntryPainter;
class RefDoc;
class SearchNotebook;
class SearchPageWin;

class KQedAppFactory : public FRM_PAFactory {
public:
    // Element ids of the application, the documents and the windows.
    enum : std::int32_t {
        kApplication = 1002,
        kTaskDocument = 1003,
        kUserDocument = 1009,
        kReferenceDocument = 1010,
        kSplashWindow = 1015,
        kPreferencesWindow = 1016,
        kBookmarkWindow = 1017,
        kMainWindow = 1018,
        kSpellingWindow = 1025,
        kSearchWindow = 1026,
        kImageWindow = 1027,
        kTableWindow = 1028,
        kHistoryWindow = 1029,
        kTaskWindow = 20044,
    };

    // The program's factory, made and filled on first use.
    static KQedAppFactory& Instance();

    // Registers one element (layer 0) and remembers its id and kind.
    void Add(std::int32_t id, std::int32_t classTypeId, std::int32_t kind, CreateFunction create,
             InitFunction init, std::int32_t parentId, short initiallyCreated,
             std::uint32_t siblingCount, std::uint32_t order);

    struct Element {
        std::int32_t id;
        std::int32_t kind;
        std::int32_t parentId;
    };
    // Every element, in registration order.
    const std::vector<Element>& GetElements() const { return itsElements; }

    // The search pages' type records: the basic, the advanced and the browse page.
    enum : std::int32_t { kBasicPage = 1022, kAdvancedPage = 1023, kBrowsePage = 1024 };
    // Makes the search page whose type record has typeId as the face of notebook's tab;
    // null for an id that is no page's.
    static SearchPageWin* MakePage(std::int32_t typeId, SearchNotebook* notebook, short tab,
                                   RefDoc* document, EntryPainter* painter);

    // A window of the layout made by hand over document (tests, and windows whose class is
    // not the program's yet): the window element's create and init functions.
    FRM_CWindow* MakeWindow(FRM_CDocument* document, std::int32_t id);

private:
    KQedAppFactory();
    std::vector<Element> itsElements;
};
