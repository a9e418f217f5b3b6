// cregistry.h: the one list operation both sides of a two-way registration share (mouse
// handlers and managers, drag sources and sinks).
#ifndef FRM_INTERACTION_CREGISTRY_H
#define FRM_INTERACTION_CREGISTRY_H

#include <algorithm>
#include <vector>

namespace frm_registry {

// Takes item out of list; false when it was not there.
template <typename T> bool RemoveFrom(std::vector<T*>& list, const T* item)
{
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

} // namespace frm_registry

#endif
