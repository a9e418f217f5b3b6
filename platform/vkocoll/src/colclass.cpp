// colclass.cpp: what every collection shares: store and restore of the items, destroying
// them once each, and the conversions to the other kinds of collection.
#include "vkocoll/colclass.h"

#include <unordered_set>
#include <vector>

#include "vkocoll/bintree.h"
#include "vkocoll/hashtab.h"
#include "vkocoll/ordered.h"
#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

RWIterator::~RWIterator() = default;

RWCollectable* RWIterator::findNext(const RWCollectable* target)
{
    for (RWCollectable* item = (*this)(); item != nullptr; item = (*this)()) {
        if (item->isEqual(target))
            return item;
    }
    return nullptr;
}

RWClassID RWCollection::isA() const { return kRWCollectionId; }

std::size_t RWCollection::binaryStoreSize() const
{
    std::size_t size = 4;
    forEach([&size](RWCollectable* item) {
        size += item != nullptr ? item->recursiveStoreSize() : 1;
    });
    return size;
}

void RWCollection::saveGuts(RWvostream& out) const
{
    out.put(static_cast<long>(entries()));
    forEach([&out](RWCollectable* item) { out << item; });
}

void RWCollection::saveGuts(RWFile& file) const
{
    file.Write(static_cast<long>(entries()));
    forEach([&file](RWCollectable* item) { file << item; });
}

void RWCollection::restoreGuts(RWvistream& in)
{
    clear();
    long count = 0;
    if (in.get(count).fail() || count < 0) {
        in.setstate(RWvios::failbit);
        return;
    }
    for (long i = 0; i < count; ++i) {
        // A partly restored item is kept too, so that clearAndDestroy can free it.
        RWCollectable* item = RWCollectable::recursiveRestoreFrom(in);
        if (in.fail()) {
            if (item != nullptr)
                insert(item);
            return;
        }
        insert(item);
    }
}

void RWCollection::restoreGuts(RWFile& file)
{
    clear();
    long count = 0;
    if (!file.Read(count) || count < 0)
        return;
    for (long i = 0; i < count; ++i) {
        RWCollectable* item = RWCollectable::recursiveRestoreFrom(file);
        if (file.Eof() || file.Error()) {
            if (item != nullptr)
                insert(item);
            return;
        }
        insert(item);
    }
}

void RWCollection::clearAndDestroy()
{
    std::vector<RWCollectable*> doomed;
    std::unordered_set<RWCollectable*> seen;
    forEach([&](RWCollectable* item) {
        if (item != nullptr && seen.insert(item).second)
            doomed.push_back(item);
    });
    clear();
    for (RWCollectable* item : doomed)
        delete item;
}

bool RWCollection::contains(const RWCollectable* target) const
{
    return find(target) != nullptr;
}

void RWCollection::removeAndDestroy(const RWCollectable* target)
{
    std::unordered_set<RWCollectable*> doomed;
    for (RWCollectable* item = remove(target); item != nullptr; item = remove(target))
        doomed.insert(item);
    for (RWCollectable* item : doomed)
        delete item;
}

RWBag RWCollection::asBag() const
{
    RWBag bag;
    forEach([&bag](RWCollectable* item) { bag.insert(item); });
    return bag;
}

RWSet RWCollection::asSet() const
{
    RWSet set;
    forEach([&set](RWCollectable* item) { set.insert(item); });
    return set;
}

RWOrdered RWCollection::asOrderedCollection() const
{
    RWOrdered ordered(entries() > 0 ? entries() : 1);
    forEach([&ordered](RWCollectable* item) { ordered.insert(item); });
    return ordered;
}

RWBinaryTree RWCollection::asSortedCollection() const
{
    RWBinaryTree tree;
    forEach([&tree](RWCollectable* item) { tree.insert(item); });
    return tree;
}
