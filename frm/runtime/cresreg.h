// cresreg.h: FRM_CResourceRegistry, the base of registries of deferred resources: a list of
// entries (the newest first) with a created and a destroyed flag. Subclasses give the
// entries their meaning and realise or release them in Create and Destroy.
#pragma once

#include <list>
#include <memory>

class FRM_CResourceRegistry {
public:
    class Entry {
    public:
        virtual ~Entry() = default;
    };
    using MatchFunction = bool (*)(const Entry& entry, const void* key);

    FRM_CResourceRegistry() = default;
    virtual ~FRM_CResourceRegistry() = default;
    FRM_CResourceRegistry(const FRM_CResourceRegistry&) = delete;
    FRM_CResourceRegistry& operator=(const FRM_CResourceRegistry&) = delete;

    virtual void Create() { itIsCreated = 1; }
    virtual void Destroy() { itIsDestroyed = 1; }
    short IsCreated() const { return itIsCreated; }
    short IsDestroyed() const { return itIsDestroyed; }

    // Puts the entry at the front.
    void Insert(std::unique_ptr<Entry> entry) { itsEntries.push_front(std::move(entry)); }
    // Takes out the first entry that matches the key; null when none does.
    std::unique_ptr<Entry> Remove(MatchFunction matches, const void* key);

protected:
    std::list<std::unique_ptr<Entry>>& Entries() { return itsEntries; }
    const std::list<std::unique_ptr<Entry>>& Entries() const { return itsEntries; }
    void SetStates(short created, short destroyed)
    {
        itIsCreated = created;
        itIsDestroyed = destroyed;
    }

private:
    std::list<std::unique_ptr<Entry>> itsEntries;
    short itIsCreated = 0;
    short itIsDestroyed = 0;
};
