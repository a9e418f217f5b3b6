// collect.cpp: RWCollectable's defaults, the framed store and restore, and the factory.
// A save or restore session lives from the outermost recursive call to its return; the
// numbering of the objects stored in it is kept in the module state below.
#include "vkocoll/collect.h"

#include <functional>
#include <unordered_map>
#include <vector>

#include "collect_internal.h"
#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

namespace {

constexpr char kTagNil = 'N';
constexpr char kTagObject = 'O';
constexpr char kTagReference = 'R';
constexpr std::size_t kTagSize = 1;
constexpr std::size_t kIdSize = 2;

struct CollectState {
    int store_depth = 0;
    std::unordered_map<const RWCollectable*, long> stored;  // object -> its number
    int restore_depth = 0;
    std::vector<RWCollectable*> restored;  // number -> object
    RWClassID next_atom = kRWFirstAtom;
};

CollectState& state()
{
    static CollectState s;
    return s;
}

// Opens a session on entry to the outermost call and forgets its numbering on the way out.
class StoreSession {
public:
    StoreSession() { ++state().store_depth; }
    ~StoreSession()
    {
        if (--state().store_depth == 0)
            state().stored.clear();
    }
    StoreSession(const StoreSession&) = delete;
    StoreSession& operator=(const StoreSession&) = delete;
};

class RestoreSession {
public:
    RestoreSession() { ++state().restore_depth; }
    ~RestoreSession()
    {
        if (--state().restore_depth == 0)
            state().restored.clear();
    }
    RestoreSession(const RestoreSession&) = delete;
    RestoreSession& operator=(const RestoreSession&) = delete;
};

// Uniform access to the two kinds of sink and source.
bool writeTag(RWvostream& out, char tag) { return !out.put(tag).fail(); }
bool writeTag(RWFile& file, char tag) { return file.Write(tag); }
void writeId(RWvostream& out, RWClassID id) { out.put(static_cast<unsigned short>(id)); }
void writeId(RWFile& file, RWClassID id) { file.Write(static_cast<unsigned short>(id)); }
void writeNumber(RWvostream& out, long n) { out.put(n); }
void writeNumber(RWFile& file, long n) { file.Write(n); }

bool readTag(RWvistream& in, char& tag) { return !in.get(tag).fail(); }
bool readTag(RWFile& file, char& tag) { return file.Read(tag); }
bool readId(RWvistream& in, RWClassID& id)
{
    unsigned short raw = 0;
    if (in.get(raw).fail())
        return false;
    id = raw;
    return true;
}
bool readId(RWFile& file, RWClassID& id)
{
    unsigned short raw = 0;
    if (!file.Read(raw))
        return false;
    id = raw;
    return true;
}
bool readNumber(RWvistream& in, long& n) { return !in.get(n).fail(); }
bool readNumber(RWFile& file, long& n) { return file.Read(n); }

template <typename Sink> void saveFramed(const RWCollectable* obj, Sink& sink)
{
    const StoreSession session;
    if (obj == nullptr) {
        writeTag(sink, kTagNil);
        return;
    }
    auto& stored = state().stored;
    const auto found = stored.find(obj);
    if (found != stored.end()) {
        writeTag(sink, kTagReference);
        writeNumber(sink, found->second);
        return;
    }
    // Numbered before its guts are saved, so that an object inside itself is a reference.
    const long number = static_cast<long>(stored.size());
    stored.emplace(obj, number);
    writeTag(sink, kTagObject);
    writeId(sink, obj->isA());
    obj->saveGuts(sink);
}

// Reads one framed record. failed is set for anything but an object, a known reference or
// a nil record.
template <typename Source>
RWCollectable* restoreFramed(Source& source, RWCollectable* into, bool& failed)
{
    const RestoreSession session;
    failed = true;
    char tag = 0;
    if (!readTag(source, tag))
        return nullptr;
    auto& restored = state().restored;
    if (tag == kTagNil) {
        failed = false;
        return nullptr;
    }
    if (tag == kTagReference) {
        long number = -1;
        if (!readNumber(source, number) || number < 0 ||
            static_cast<std::size_t>(number) >= restored.size())
            return nullptr;
        failed = false;
        return restored[static_cast<std::size_t>(number)];
    }
    if (tag != kTagObject)
        return nullptr;
    RWClassID id = 0;
    if (!readId(source, id))
        return nullptr;
    RWCollectable* obj = into;
    if (obj != nullptr && obj->isA() != id)
        return nullptr;
    if (obj == nullptr)
        obj = getRWFactory()->create(id);
    if (obj == nullptr)
        return nullptr;
    // Numbered before its guts are read, in the order the save numbered it.
    restored.push_back(obj);
    obj->restoreGuts(source);
    failed = false;
    return obj;
}

} // namespace

// ---- RWCollectable ----

RWCollectable* RWCollectable::newSpecies() const { return new RWCollectable; }
RWCollectable* RWCollectable::copy() const { return new RWCollectable(*this); }
RWClassID RWCollectable::isA() const { return kRWCollectableId; }
RWCollectable::~RWCollectable() = default;
std::size_t RWCollectable::binaryStoreSize() const { return 0; }

int RWCollectable::compareTo(const RWCollectable* other) const
{
    const std::less<const RWCollectable*> before;
    if (this == other)
        return 0;
    return before(this, other) ? -1 : 1;
}

unsigned RWCollectable::hash() const
{
    const auto addr = reinterpret_cast<std::uintptr_t>(this);
    return static_cast<unsigned>(addr ^ (addr >> 32)) * 2654435761u;
}

bool RWCollectable::isEqual(const RWCollectable* other) const { return this == other; }
void RWCollectable::restoreGuts(RWvistream&) {}
void RWCollectable::restoreGuts(RWFile&) {}
void RWCollectable::saveGuts(RWvostream&) const {}
void RWCollectable::saveGuts(RWFile&) const {}

void RWCollectable::recursiveSaveOn(RWvostream& out) const { saveFramed(this, out); }
void RWCollectable::recursiveSaveOn(RWFile& file) const { saveFramed(this, file); }

std::size_t RWCollectable::recursiveStoreSize() const
{
    return kTagSize + kIdSize + binaryStoreSize();
}

RWCollectable* RWCollectable::tryRecursiveRestore(RWvistream& in, RWCollectable* into)
{
    bool failed = false;
    return restoreFramed(in, into, failed);
}

RWCollectable* RWCollectable::tryRecursiveRestore(RWFile& file, RWCollectable* into)
{
    bool failed = false;
    return restoreFramed(file, into, failed);
}

RWCollectable* RWCollectable::recursiveRestoreFrom(RWvistream& in, RWCollectable* into)
{
    bool failed = false;
    RWCollectable* obj = restoreFramed(in, into, failed);
    if (failed)
        in.setstate(RWvios::failbit);
    return obj;
}

RWCollectable* RWCollectable::recursiveRestoreFrom(RWFile& file, RWCollectable* into)
{
    bool failed = false;
    return restoreFramed(file, into, failed);
}

// ---- factory ----

RWFactory::RWFactory() { rwRegisterLibraryClasses(*this); }

void RWFactory::addFunction(RWuserCreator create, RWClassID id, const char* string_id)
{
    by_id_[id] = Entry{create, string_id != nullptr ? string_id : ""};
}

void RWFactory::removeFunction(RWClassID id) { by_id_.erase(id); }

void RWFactory::removeFunction(const char* string_id)
{
    const RWClassID id = classID(string_id);
    if (id != 0)
        by_id_.erase(id);
}

RWuserCreator RWFactory::getFunction(RWClassID id) const
{
    const auto found = by_id_.find(id);
    return found != by_id_.end() ? found->second.create : nullptr;
}

RWCollectable* RWFactory::create(RWClassID id) const
{
    const RWuserCreator make = getFunction(id);
    return make != nullptr ? make() : nullptr;
}

RWCollectable* RWFactory::create(const char* string_id) const
{
    const RWClassID id = classID(string_id);
    return id != 0 ? create(id) : nullptr;
}

RWClassID RWFactory::classID(const char* string_id) const
{
    if (string_id == nullptr || *string_id == '\0')
        return 0;
    for (const auto& [id, entry] : by_id_) {
        if (entry.string_id == string_id)
            return id;
    }
    return 0;
}

const char* RWFactory::stringID(RWClassID id) const
{
    const auto found = by_id_.find(id);
    if (found == by_id_.end() || found->second.string_id.empty())
        return nullptr;
    return found->second.string_id.c_str();
}

RWFactory* getRWFactory()
{
    static RWFactory factory;
    return &factory;
}

void rwAddToFactory(RWuserCreator create, RWClassID id, const char* string_id)
{
    getRWFactory()->addFunction(create, id, string_id);
}

void rwRemoveFromFactory(RWClassID id) { getRWFactory()->removeFunction(id); }
void rwRemoveFromFactory(const char* string_id) { getRWFactory()->removeFunction(string_id); }

RWClassID nextAtom() { return state().next_atom++; }

// ---- framed operators ----

RWvostream& operator<<(RWvostream& out, const RWCollectable& obj)
{
    obj.recursiveSaveOn(out);
    return out;
}

RWvostream& operator<<(RWvostream& out, const RWCollectable* obj)
{
    saveFramed(obj, out);
    return out;
}

RWFile& operator<<(RWFile& file, const RWCollectable& obj)
{
    obj.recursiveSaveOn(file);
    return file;
}

RWFile& operator<<(RWFile& file, const RWCollectable* obj)
{
    saveFramed(obj, file);
    return file;
}

RWvistream& operator>>(RWvistream& in, RWCollectable& obj)
{
    if (RWCollectable::recursiveRestoreFrom(in, &obj) != &obj)
        in.setstate(RWvios::failbit);
    return in;
}

RWFile& operator>>(RWFile& file, RWCollectable& obj)
{
    RWCollectable::recursiveRestoreFrom(file, &obj);
    return file;
}

RWvistream& operator>>(RWvistream& in, RWCollectable*& obj)
{
    obj = RWCollectable::recursiveRestoreFrom(in);
    return in;
}

RWFile& operator>>(RWFile& file, RWCollectable*& obj)
{
    obj = RWCollectable::recursiveRestoreFrom(file);
    return file;
}
