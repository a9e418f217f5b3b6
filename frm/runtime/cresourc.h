// cresourc.h: resource objects for window definitions and menu trees described in the
// program's resources, the resource manager that keeps them by id, and the item cursor that
// face windows and menu bars walk while they build themselves. A definition is loaded while
// at least one hold is out. The manager owns its resources; a cursor holds its resource for
// as long as it exists.
//
// Item walks: FirstItem rewinds and names the first item without consuming it; NextItem
// names the item at the cursor and advances, 0 at the end (and rewinds). So the first
// NextItem after FirstItem names the first item again: a caller that took FirstItem's answer
// skips it once.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "frm/core/cboss.h"
#include "vkobase/types.h"

class FRM_CSubmenu;

enum FrmResourceType : std::int32_t { kResourceWindow = 0, kResourceMenu = 3 };

class FRM_CResource : public FRM_CNotifier {
    FRM_TYPE_INFO(CResource)
public:
    FRM_CResource(FrmResourceType type, std::int32_t id, std::int32_t endId);
    // Copying a resource is misuse: fatal 2790 and 2791.
    FRM_CResource(const FRM_CResource& other);
    FRM_CResource& operator=(const FRM_CResource& other);
    ~FRM_CResource() override = default;

    // 1 when the definition is (or already was) loaded; 0 when it cannot be.
    virtual short Hold() = 0;
    // Gives one hold back; the last one frees the definition.
    virtual void Release() = 0;
    virtual std::int32_t GetId() const { return itsId; }
    virtual void SetId(std::int32_t id) { itsId = id; }
    virtual std::int32_t GetEndId() const { return itsEndId; }
    virtual void SetEndId(std::int32_t id) { itsEndId = id; }
    virtual FrmResourceType GetType() const { return itsType; }
    virtual void SetType(FrmResourceType type) { itsType = type; }
    virtual long FirstItem() = 0;
    virtual long NextItem() = 0;
    virtual long GetItemType(long id) const = 0;
    // 1 when the object was set from the item.
    virtual short IObject(long id, FRM_CObjectRWC* object) = 0;

    std::int32_t GetHoldCount() const { return itsHoldCount; }

protected:
    std::int32_t itsHoldCount = 0;

private:
    std::int32_t itsId;
    std::int32_t itsEndId;
    FrmResourceType itsType;
};

class FRM_CResourceWindow : public FRM_CResource {
    FRM_TYPE_INFO(CResourceWindow)
public:
    explicit FRM_CResourceWindow(std::int32_t id);
    FRM_CResourceWindow(const FRM_CResourceWindow& other);
    FRM_CResourceWindow& operator=(const FRM_CResourceWindow& other);
    ~FRM_CResourceWindow() override;

    short Hold() override;
    void Release() override;
    // The window itself is item 0 and named by the resource's id; each control by its id.
    long FirstItem() override;
    long NextItem() override;
    long GetItemType(long id) const override;
    // 1 whenever the item's entry exists. A window, a scrolling text or another native view
    // takes its frame, title and settings from the entry; a radio group the run of radio
    // entries from there, with a button for each. Objects of other kinds take nothing.
    short IObject(long id, FRM_CObjectRWC* object) override;

    // The loaded entry of an item, null when none (or nothing is loaded).
    const s_win_def* FindEntry(long id) const;

private:
    long IdOf(std::size_t index) const;

    std::size_t itsCursor = 0;
    s_win_def* itsDefinition = nullptr; // loaded while held
    std::size_t itsCount = 0;           // entries before the ending one
};

class FRM_CResourceMenu : public FRM_CResource {
    FRM_TYPE_INFO(CResourceMenu)
public:
    explicit FRM_CResourceMenu(std::int32_t id);
    FRM_CResourceMenu(const FRM_CResourceMenu& other);
    FRM_CResourceMenu& operator=(const FRM_CResourceMenu& other);
    ~FRM_CResourceMenu() override;

    short Hold() override;
    void Release() override;
    long FirstItem() override;
    long NextItem() override;
    // 1 for a plain item, 0 for an entry with children (or none).
    long GetItemType(long tag) const override;
    // Fills a submenu from the top-level entry with the tag and builds its children.
    short IObject(long tag, FRM_CObjectRWC* object) override;

private:
    std::size_t itsCursor = 0;
    MENU_TREE itsTree = nullptr; // loaded while held
};

class FRM_CResourceMgr : public FRM_CNotifier {
    FRM_TYPE_INFO(CResourceMgr)
public:
    FRM_CResourceMgr() = default;
    FRM_CResourceMgr(const FRM_CResourceMgr&) = delete;
    FRM_CResourceMgr& operator=(const FRM_CResourceMgr&) = delete;
    ~FRM_CResourceMgr() override = default;

    // Takes the resource; answers its id (0 and nothing taken for null).
    std::int32_t Insert(FRM_CResource* resource);
    // 1 when a resource with the id was taken out (and destroyed when destroy is non-zero).
    short Remove(std::int32_t id, short destroy);
    // The earliest resource inserted with the id, or null.
    FRM_CResource* Find(std::int32_t id) const;
    std::size_t GetNumResources() const { return itsResources.size(); }
    // Every resource held, in the order inserted (the manager keeps owning them).
    std::vector<FRM_CResource*> GetResources() const;

private:
    std::vector<std::unique_ptr<FRM_CResource>> itsResources;
};

class FRM_CResourceItems : public FRM_CNotifier {
    FRM_TYPE_INFO(CResourceItems)
public:
    // Holds resource id of the resource manager (missing, or not loadable: fatal 2680).
    explicit FRM_CResourceItems(std::int32_t id);
    FRM_CResourceItems(const FRM_CResourceItems& other);
    FRM_CResourceItems& operator=(const FRM_CResourceItems& other);
    ~FRM_CResourceItems() override;

    long First() { return itsResource != nullptr ? itsResource->FirstItem() : 0; }
    long Next() { return itsResource != nullptr ? itsResource->NextItem() : 0; }
    long GetType(long id) const
    {
        return itsResource != nullptr ? itsResource->GetItemType(id) : 0;
    }
    short IObject(long id, FRM_CObjectRWC* object)
    {
        return itsResource != nullptr ? itsResource->IObject(id, object) : 0;
    }
    FRM_CResource* GetResource() const { return itsResource; }

private:
    FRM_CResource* itsResource = nullptr; // held, not owned
};
