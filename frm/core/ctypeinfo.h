// ctypeinfo.h: FRM_CTypeInfo, the framework's run-time type records, and CTypeBaseIterator.
// Every framework class has one static record (id, name, direct bases), defined in the table
// frm/core/ctypeinfo.def and reached as frm_type::<name>. Code tests an object's record with
// CanCast before it down-casts (FrmCast below); the compiler's RTTI is not used for that.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class FRM_CTypeInfo {
public:
    // bases: a null-terminated array of the direct bases' records, not copied or owned.
    constexpr FRM_CTypeInfo(std::int32_t id, const char* name, const FRM_CTypeInfo* const* bases)
        : itsBases(bases), itsName(name), itsId(id) {}

    const char* GetName() const { return itsName; }
    std::int32_t GetId() const { return itsId; }
    const FRM_CTypeInfo* const* GetBases() const { return itsBases; }

    // The same record (identity: equal ids or names on two records are not the same).
    bool IsSame(const FRM_CTypeInfo* other) const { return this == other; }
    // other is a direct or indirect base of this record.
    bool HasBase(const FRM_CTypeInfo* other) const;
    // IsSame or HasBase: an object of this class may be used as one of other's class.
    bool CanCast(const FRM_CTypeInfo* other) const { return IsSame(other) || HasBase(other); }

private:
    const FRM_CTypeInfo* const* itsBases;
    const char* itsName;
    std::int32_t itsId;
};

// Walks the bases of one record. Shallow: the direct bases in declaration order. Deep: every
// ancestor in post-order (each base's ancestors, then the base), the record itself last; an
// ancestor reached along two paths comes twice. Next() answers null at the end, and again.
class CTypeBaseIterator {
public:
    CTypeBaseIterator(const FRM_CTypeInfo* record, bool deep);
    const FRM_CTypeInfo* Next();
    void Reset() { itsPosition = 0; }

private:
    std::vector<const FRM_CTypeInfo*> itsList;   // the walk, built once at construction
    std::size_t itsPosition = 0;
};

namespace frm_type {
#define FRM_TYPE(name, id, ...) extern const FRM_CTypeInfo name;
#include "frm/core/ctypeinfo.def"
} // namespace frm_type

// Declares a framework class's GetStaticTypeInfo and its GetRunTimeTypeInfo override, both
// answering frm_type::name. Leaves the class body in public access.
#define FRM_TYPE_INFO(name)                                                                        \
public:                                                                                            \
    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::name; }                    \
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override { return &frm_type::name; }

// The framework's tested down-cast: object as a T when its record CanCast to T's, else null.
template <class T, class From>
T* FrmCast(From* object)
{
    if (object == nullptr || !object->GetRunTimeTypeInfo()->CanCast(T::GetStaticTypeInfo()))
        return nullptr;
    return static_cast<T*>(object);
}
template <class T, class From>
const T* FrmCast(const From* object)
{
    return FrmCast<T>(const_cast<From*>(object));   // reads only; the constness comes back
}
