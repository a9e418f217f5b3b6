// builtins.cpp: the library's own classes in the factory, so that their stored objects can
// be restored without the program registering anything.
#include "collect_internal.h"

#include "vkocoll/bintree.h"
#include "vkocoll/btrdict.h"
#include "vkocoll/collect.h"
#include "vkocoll/collstr.h"
#include "vkocoll/hashdict.h"
#include "vkocoll/hashtab.h"
#include "vkocoll/ordered.h"
#include "vkocoll/rwint.h"
#include "vkocoll/sortvec.h"

namespace {

template <typename T> RWCollectable* make() { return new T; }

} // namespace

void rwRegisterLibraryClasses(RWFactory& factory)
{
    factory.addFunction(make<RWCollectable>, kRWCollectableId, "RWCollectable");
    factory.addFunction(make<RWCollectableString>, kRWCollectableStringId,
                        "RWCollectableString");
    factory.addFunction(make<RWOrdered>, kRWOrderedId, "RWOrdered");
    factory.addFunction(make<RWBinaryTree>, kRWBinaryTreeId, "RWBinaryTree");
    factory.addFunction(make<RWHashTable>, kRWHashTableId, "RWHashTable");
    factory.addFunction(make<RWSet>, kRWSetId, "RWSet");
    factory.addFunction(make<RWBag>, kRWBagId, "RWBag");
    factory.addFunction(make<RWCollectableInt>, kRWCollectableIntId, "RWCollectableInt");
    factory.addFunction(make<RWSortedVector>, kRWSortedVectorId, "RWSortedVector");
    factory.addFunction(make<RWHashDictionary>, kRWHashDictionaryId, "RWHashDictionary");
    factory.addFunction(make<RWBTreeDictionary>, kRWBTreeDictionaryId, "RWBTreeDictionary");
}
