// builtins.cpp: the library's own classes in the factory, so that their stored objects can
// be restored without the program registering anything.
#include "collect_internal.h"

#include "vkocoll/bintree.h"
#include "vkocoll/collect.h"
#include "vkocoll/collstr.h"
#include "vkocoll/hashtab.h"
#include "vkocoll/ordered.h"

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
}
