// collect.h: RWCollectable, the root of every object the collections hold and the streams
// store, and the factory that makes objects from their stored class ids.
//
// Stored form of one object (recursiveSaveOn), the same in virtual streams and in RWFile:
//   char tag   'N' nil, 'O' an object stored here, 'R' a reference to an object stored
//              earlier in the same save
//   'O': short class id, then the object's saveGuts
//   'R': long number of the earlier object (0 for the first 'O' of the save)
// A save begins with the outermost recursiveSaveOn; objects saved from inside it (a
// collection's items) share its numbering, so an object stored twice is restored once.
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include "vkocoll/defs.h"

class RWFile;
class RWvistream;
class RWvostream;

class RWCollectable {
public:
    RWCollectable() = default;
    RWCollectable(const RWCollectable&) = default;
    RWCollectable& operator=(const RWCollectable&) = default;

    // A new default object of the same class; the caller owns it.
    virtual RWCollectable* newSpecies() const;
    // A new copy of this object; the caller owns it.
    virtual RWCollectable* copy() const;
    virtual RWClassID isA() const;
    virtual ~RWCollectable();
    // Bytes that saveGuts(RWFile&) writes.
    virtual std::size_t binaryStoreSize() const;
    // The default orders objects by address: it works for any object and is 0 only for
    // the object itself.
    virtual int compareTo(const RWCollectable* other) const;
    // The default hashes the address.
    virtual unsigned hash() const;
    // The default is identity.
    virtual bool isEqual(const RWCollectable* other) const;
    virtual void restoreGuts(RWvistream& in);
    virtual void restoreGuts(RWFile& file);
    virtual void saveGuts(RWvostream& out) const;
    virtual void saveGuts(RWFile& file) const;

    // Stores this object in the framed form above.
    void recursiveSaveOn(RWvostream& out) const;
    void recursiveSaveOn(RWFile& file) const;
    // Bytes that recursiveSaveOn(RWFile&) writes for this object stored for the first time.
    std::size_t recursiveStoreSize() const;

    // Reads one framed object. An 'O' record makes a new object through the factory (the
    // caller owns it), or, when into is given, restores into that object, which must be of
    // the stored class; an 'R' record answers the object restored earlier in the same
    // restore; 'N' answers nil. An unknown class id, a class other than into's or a
    // malformed record answers nil and sets the stream's fail state (an RWFile has no such
    // state: the caller sees nil). When the stream fails inside the object's own restoreGuts,
    // the partly restored object is still answered (the caller owns it) and the stream
    // shows the failure.
    static RWCollectable* recursiveRestoreFrom(RWvistream& in, RWCollectable* into = nullptr);
    static RWCollectable* recursiveRestoreFrom(RWFile& file, RWCollectable* into = nullptr);
    // As recursiveRestoreFrom, but a failure only answers nil and leaves the stream's state
    // as the reads left it.
    static RWCollectable* tryRecursiveRestore(RWvistream& in, RWCollectable* into = nullptr);
    static RWCollectable* tryRecursiveRestore(RWFile& file, RWCollectable* into = nullptr);
};

using RWCollectableP = RWCollectable*;
using RWuserCreator = RWCollectable* (*)();

// Maps class ids (and their string ids) to creation functions. The library's own classes
// are registered from the start.
class RWFactory {
public:
    RWFactory();
    void addFunction(RWuserCreator create, RWClassID id, const char* string_id = nullptr);
    void removeFunction(RWClassID id);
    void removeFunction(const char* string_id);
    RWuserCreator getFunction(RWClassID id) const;
    // A new object of class id (the caller owns it), or nil when the id is unknown.
    RWCollectable* create(RWClassID id) const;
    RWCollectable* create(const char* string_id) const;
    // The id registered under string_id, or 0 (never a registered id) when none.
    RWClassID classID(const char* string_id) const;
    // The string id of a class, or null when it has none.
    const char* stringID(RWClassID id) const;

private:
    struct Entry {
        RWuserCreator create;
        std::string string_id;
    };
    std::map<RWClassID, Entry> by_id_;
};

// The one factory of the process; never null.
RWFactory* getRWFactory();
void rwAddToFactory(RWuserCreator create, RWClassID id, const char* string_id);
void rwRemoveFromFactory(RWClassID id);
void rwRemoveFromFactory(const char* string_id);
// A class id no one has yet: from kRWFirstAtom up, one more each call.
RWClassID nextAtom();

// Framed store of an object; a nil pointer stores a nil record.
RWvostream& operator<<(RWvostream& out, const RWCollectable& obj);
RWvostream& operator<<(RWvostream& out, const RWCollectable* obj);
RWFile& operator<<(RWFile& file, const RWCollectable& obj);
RWFile& operator<<(RWFile& file, const RWCollectable* obj);
// Restores into obj when the stored object is of its class (else sets fail and leaves it).
RWvistream& operator>>(RWvistream& in, RWCollectable& obj);
RWFile& operator>>(RWFile& file, RWCollectable& obj);
// Restores a new object (or one restored earlier in the same restore) into obj.
RWvistream& operator>>(RWvistream& in, RWCollectable*& obj);
RWFile& operator>>(RWFile& file, RWCollectable*& obj);
