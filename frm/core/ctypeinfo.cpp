// ctypeinfo.cpp: the type-record table and the walks over a record's bases. The records are
// constant-initialised, so they are valid before any static constructor runs.
#include "frm/core/ctypeinfo.h"

namespace frm_type {
// Each record's base array first (they refer to records declared in the header), then the
// records themselves.
#define FRM_TYPE(name, id, ...)                                                                    \
    constinit const FRM_CTypeInfo* const name##Bases[] = {__VA_ARGS__ __VA_OPT__(, ) nullptr};
#include "frm/core/ctypeinfo.def"
#define FRM_TYPE(name, id, ...) constinit const FRM_CTypeInfo name{id, #name, name##Bases};
#include "frm/core/ctypeinfo.def"
} // namespace frm_type

bool FRM_CTypeInfo::HasBase(const FRM_CTypeInfo* other) const
{
    for (const FRM_CTypeInfo* const* base = itsBases; *base != nullptr; ++base) {
        if ((*base)->IsSame(other) || (*base)->HasBase(other))
            return true;
    }
    return false;
}

namespace {
void BuildDeepTypeList(const FRM_CTypeInfo* record, std::vector<const FRM_CTypeInfo*>& list)
{
    for (const FRM_CTypeInfo* const* base = record->GetBases(); *base != nullptr; ++base)
        BuildDeepTypeList(*base, list);
    list.push_back(record);
}
} // namespace

CTypeBaseIterator::CTypeBaseIterator(const FRM_CTypeInfo* record, bool deep)
{
    if (record == nullptr)
        return;
    if (deep) {
        BuildDeepTypeList(record, itsList);
        return;
    }
    for (const FRM_CTypeInfo* const* base = record->GetBases(); *base != nullptr; ++base)
        itsList.push_back(*base);
}

const FRM_CTypeInfo* CTypeBaseIterator::Next()
{
    if (itsPosition >= itsList.size())
        return nullptr;
    return itsList[itsPosition++];
}
