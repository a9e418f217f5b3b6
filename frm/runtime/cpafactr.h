// cpafactr.h: FRM_PAFactory, the registry through which a program's generated code builds
// its object tree (documents, windows, views) from numeric element ids, and the small glue
// that generated code leans on (CFactoryElement, IPAFactoryView, FrmFixRect). Elements are
// registered at static initialisation; a creation pass walks the registered children of a
// parent in sibling order, creates, caches by id for the pass and initialises. Alternative
// definitions of one element live under layers; one outermost request uses one layer (chosen
// with operator[]) and every request nested in it uses the same, after which the default
// layer is in force again. The factory never owns what it creates.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "frm/core/cboss.h"
#include "frm/core/cstringrw.h"
#include "vkobase/types.h"

class FRM_CApplication;
class FRM_CDocument;
class FRM_CSubview;
class FRM_CView;
class FRM_CWindow;
class FRM_PAFactory;

// A generated record of data members that binds the objects of one creation pass.
class FRM_CDataMembers : public FRM_CObjectRWC {
    FRM_TYPE_INFO(CDataMembers)
    // Fetches the objects it needs with GetInstance and stores them in its members.
    virtual void BindMembers(const FRM_PAFactory& factory) = 0;
};

class FRM_PAFactory : public FRM_CNotifier {
    FRM_TYPE_INFO(PAFactory)
public:
    // Element kinds.
    enum Kind : std::int32_t { kDocument = 1, kWindow = 2, kView = 3, kApplication = 4 };
    using CreateFunction = FRM_CObjectRWC* (*)(const FRM_PAFactory& factory,
                                                FRM_CObjectRWC* parent);
    using InitFunction = void (*)(const FRM_PAFactory& factory, FRM_CObjectRWC* object,
                                  FRM_CDataMembers* members);

    // With noTables non-zero the instance serves neither registration nor creation.
    explicit FRM_PAFactory(short noTables = 0);
    // Copying is fatal (0, line 204).
    FRM_PAFactory(const FRM_PAFactory& other);
    FRM_PAFactory& operator=(const FRM_PAFactory&) = delete;
    ~FRM_PAFactory() override;

    // Registers one element. The first registration of an (id, layer) pair wins, and the
    // first registration of an id fixes its place among its siblings; a sibling index beyond
    // the count fixed by the parent's first child is ignored.
    void Insert(std::int32_t id, std::int32_t classTypeId, std::int32_t kind,
                CreateFunction create, InitFunction init, std::int32_t parentId,
                std::int32_t layer, short initiallyCreated, std::uint32_t siblingCount,
                std::uint32_t siblingIndex);
    // Chooses the layer of the next outermost request.
    FRM_PAFactory& operator[](std::int32_t layer);
    void SetDefaultLayer(std::int32_t layer) { itsDefaultLayer = layer; }
    std::int32_t GetDefaultLayer() const { return itsDefaultLayer; }

    void ConstructApplication(FRM_CApplication* application, std::int32_t id);
    void InitializeApplication(FRM_CApplication* application, std::int32_t id);
    // Creates the registered children of a parent (only the initially created ones unless
    // force is non-zero), initialises each, then lets members bind them.
    void DoCreateDocuments(FRM_CApplication* application, std::int32_t applicationId,
                           short force, FRM_CDataMembers* members);
    void DoCreateWindows(FRM_CDocument* document, std::int32_t documentId, short force,
                         FRM_CDataMembers* members);
    // Depth first: a subview's own views exist before its init function runs.
    void DoCreateViews(FRM_CSubview* subview, std::int32_t parentId, short force,
                       FRM_CDataMembers* members);
    FRM_CDocument* CreateDocument(std::int32_t id);
    FRM_CWindow* CreateWindow(FRM_CDocument* document, std::int32_t id);
    FRM_CView* CreateView(FRM_CSubview* subview, std::int32_t id);
    // The object made for id in the running pass, or null.
    FRM_CObjectRWC* GetInstance(std::int32_t id) const;

    // The process-wide nesting count of open layer scopes.
    static int GetLayerScopeCount();

private:
    struct Info {
        std::int32_t classTypeId;
        std::int32_t kind;
        CreateFunction create;
        InitFunction init;
        short initiallyCreated;
    };
    class LayerScope;
    class Pass;

    const Info* Find(std::int32_t id, bool warn, std::int32_t kind) const;
    FRM_CObjectRWC* Instantiate(std::int32_t id, std::int32_t kind, FRM_CObjectRWC* parent,
                                short force);
    void Initialize(std::int32_t id, FRM_CObjectRWC* object, FRM_CDataMembers* members);
    // One creation pass that makes element id of the kind under parent and initialises it.
    FRM_CObjectRWC* CreateElement(std::int32_t id, std::int32_t kind, FRM_CObjectRWC* parent);
    void CacheInstance(std::int32_t id, FRM_CObjectRWC* object);
    void CreateChildren(std::int32_t kind, std::int32_t parentId, FRM_CObjectRWC* parent,
                        short force);

    bool itHasTables;
    std::map<std::int32_t, std::map<std::int32_t, Info>> itsElements;  // id -> layer -> info
    std::map<std::int32_t, std::vector<std::int32_t>> itsChildren[3]; // kinds 1..3
    std::int32_t itsCurrentLayer = 0;
    std::int32_t itsDefaultLayer = 0;
    std::map<std::int32_t, FRM_CObjectRWC*> itsInstances; // not owned
};

// A static instance of one of these registers one element with the factory.
class CFactoryElement {
public:
    CFactoryElement(FRM_PAFactory& factory, std::int32_t id, std::int32_t classTypeId,
                    std::int32_t kind, FRM_PAFactory::CreateFunction create,
                    FRM_PAFactory::InitFunction init, std::int32_t parentId, std::int32_t layer,
                    short initiallyCreated, std::uint32_t siblingCount, std::uint32_t siblingIndex)
    {
        factory.Insert(id, classTypeId, kind, create, init, parentId, layer, initiallyCreated,
                       siblingCount, siblingIndex);
    }
    CFactoryElement& operator=(const CFactoryElement&) = default;
};

// The common view properties a generated create function sets.
void IPAFactoryView(FRM_CView* view, FRM_CStringRW title, long command, long doubleCommand,
                    short visible, short enabled, short active, unsigned long glue,
                    short sizable, short draggable);

// Makes a rectangle acceptable for a native control of the window type: flag 1 moves a
// degenerate rectangle off screen, flag 2 writes the corrected size back. Answers rect.
s_rct* FrmFixRect(s_rct* rect, short flags, e_win_type windowType);
