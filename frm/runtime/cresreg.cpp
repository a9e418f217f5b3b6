// cresreg.cpp: the deferred-resource registry's entry removal.
#include "frm/runtime/cresreg.h"

std::unique_ptr<FRM_CResourceRegistry::Entry>
FRM_CResourceRegistry::Remove(MatchFunction matches, const void* key)
{
    for (auto it = itsEntries.begin(); it != itsEntries.end(); ++it) {
        if (matches(**it, key)) {
            std::unique_ptr<Entry> entry = std::move(*it);
            itsEntries.erase(it);
            return entry;
        }
    }
    return nullptr;
}
