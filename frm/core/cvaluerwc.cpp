// cvaluerwc.cpp: the value wrappers' collectable operations, stored forms and factory
// entries. A comparison with an object of another class uses the container library's default
// order instead of reading that object as a value of this class.
#include "frm/core/cvaluerwc.h"

#include <cmath>
#include <limits>
#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

namespace {
constexpr RWClassID kLongRWCId = 20129;

RWClassID IdOf(const FRM_CTypeInfo& record) { return static_cast<RWClassID>(record.GetId()); }

// A float truncated toward zero into the int range (NaN gives 0).
int ClampToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (value >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

template <class T>
RWCollectable* Create()
{
    return new T;
}

// Registers every wrapper with the container library's factory for the library's life.
struct FactoryEntries {
    FactoryEntries()
    {
        rwAddToFactory(Create<FRM_CFloatRWC>, FRM_CFloatRWC::classIsA(), "CFloatRWC");
        rwAddToFactory(Create<FRM_CRectRWC>, FRM_CRectRWC::classIsA(), "CRectRWC");
        rwAddToFactory(Create<FRM_CPointRWC>, FRM_CPointRWC::classIsA(), "CPointRWC");
        rwAddToFactory(Create<FRM_CStringRWC>, FRM_CStringRWC::classIsA(), "CStringRWC");
        rwAddToFactory(Create<FRM_CStringCollectionRWC>, FRM_CStringCollectionRWC::classIsA(),
                       "CStringCollectionRWC");
        rwAddToFactory(Create<FRM_CLongRWC>, FRM_CLongRWC::classIsA(), "CLongRWC");
    }
    ~FactoryEntries()
    {
        for (RWClassID id : {FRM_CFloatRWC::classIsA(), FRM_CRectRWC::classIsA(),
                             FRM_CPointRWC::classIsA(), FRM_CStringRWC::classIsA(),
                             FRM_CStringCollectionRWC::classIsA(), FRM_CLongRWC::classIsA()})
            rwRemoveFromFactory(id);
    }
};
const FactoryEntries factoryEntries;

// Restores a wrapper pointer; an object of another class is deleted and answers null.
template <class T, class Stream>
Stream& RestorePointer(Stream& in, T*& value)
{
    RWCollectable* const object = RWCollectable::recursiveRestoreFrom(in);
    value = nullptr;
    if (object == nullptr)
        return in;
    if (object->isA() != T::classIsA()) {
        delete object;
        return in;
    }
    value = static_cast<T*>(object);
    return in;
}
} // namespace

std::int32_t CLong::value(std::int32_t value)
{
    const std::int32_t old = itsValue;
    itsValue = value;
    return old;
}

void CLong::saveOn(RWvostream& out) const { out << static_cast<long>(itsValue); }
void CLong::saveOn(RWFile& file) const { file.Write(static_cast<long>(itsValue)); }

void CLong::restoreFrom(RWvistream& in)
{
    long value = 0;
    if (in >> value)
        itsValue = static_cast<std::int32_t>(value);
}

void CLong::restoreFrom(RWFile& file)
{
    long value = 0;
    if (file.Read(value))
        itsValue = static_cast<std::int32_t>(value);
}

// ---- float ---------------------------------------------------------------------------------

RWCollectable* FRM_CFloatRWC::newSpecies() const { return new FRM_CFloatRWC; }
RWCollectable* FRM_CFloatRWC::copy() const { return new FRM_CFloatRWC(*this); }
RWClassID FRM_CFloatRWC::isA() const { return classIsA(); }
RWClassID FRM_CFloatRWC::classIsA() { return IdOf(frm_type::CFloatRWC); }
std::size_t FRM_CFloatRWC::binaryStoreSize() const { return 4; }

int FRM_CFloatRWC::compareTo(const RWCollectable* other) const
{
    if (other == nullptr || other->isA() != isA())
        return RWCollectable::compareTo(other);
    const auto* const that = static_cast<const FRM_CFloatRWC*>(other);
    return ClampToInt(static_cast<double>(Get()) - that->Get());
}

unsigned FRM_CFloatRWC::hash() const
{
    return static_cast<unsigned>(ClampToInt(static_cast<double>(Get()) * 1000));
}

bool FRM_CFloatRWC::isEqual(const RWCollectable* other) const
{
    return other != nullptr && other->isA() == isA() &&
           static_cast<const FRM_CFloatRWC*>(other)->Get() == Get();
}

void FRM_CFloatRWC::restoreGuts(RWvistream& in)
{
    float value = 0;
    if (in >> value)
        Set(value);
}

void FRM_CFloatRWC::restoreGuts(RWFile& file)
{
    float value = 0;
    if (file.Read(value))
        Set(value);
}

void FRM_CFloatRWC::saveGuts(RWvostream& out) const { out << Get(); }
void FRM_CFloatRWC::saveGuts(RWFile& file) const { file.Write(Get()); }

// ---- rectangle -----------------------------------------------------------------------------

RWCollectable* FRM_CRectRWC::newSpecies() const { return new FRM_CRectRWC; }
RWCollectable* FRM_CRectRWC::copy() const { return new FRM_CRectRWC(*this); }
RWClassID FRM_CRectRWC::isA() const { return classIsA(); }
RWClassID FRM_CRectRWC::classIsA() { return IdOf(frm_type::CRectRWC); }
std::size_t FRM_CRectRWC::binaryStoreSize() const { return 16; }

int FRM_CRectRWC::compareTo(const RWCollectable* other) const
{
    if (other == nullptr || other->isA() != isA())
        return RWCollectable::compareTo(other);
    const float otherWidth = static_cast<const FRM_CRectRWC*>(other)->Width();
    if (Width() < otherWidth)
        return -1;
    return Width() > otherWidth ? 1 : 0;
}

unsigned FRM_CRectRWC::hash() const { return RWCollectable::hash(); }

bool FRM_CRectRWC::isEqual(const RWCollectable* other) const
{
    return other != nullptr && other->isA() == isA() &&
           static_cast<const FRM_CRect&>(*static_cast<const FRM_CRectRWC*>(other)) ==
               static_cast<const FRM_CRect&>(*this);
}

void FRM_CRectRWC::restoreGuts(RWvistream& in)
{
    float left = 0, top = 0, right = 0, bottom = 0;
    if (in >> left >> top >> right >> bottom)
        SetRect(left, top, right, bottom);
}

void FRM_CRectRWC::restoreGuts(RWFile& file)
{
    float left = 0, top = 0, right = 0, bottom = 0;
    if (file.Read(left) && file.Read(top) && file.Read(right) && file.Read(bottom))
        SetRect(left, top, right, bottom);
}

void FRM_CRectRWC::saveGuts(RWvostream& out) const
{
    out << Left() << Top() << Right() << Bottom();
}

void FRM_CRectRWC::saveGuts(RWFile& file) const
{
    file.Write(Left());
    file.Write(Top());
    file.Write(Right());
    file.Write(Bottom());
}

// ---- point ---------------------------------------------------------------------------------

RWCollectable* FRM_CPointRWC::newSpecies() const { return new FRM_CPointRWC; }
RWCollectable* FRM_CPointRWC::copy() const { return new FRM_CPointRWC(*this); }
RWClassID FRM_CPointRWC::isA() const { return classIsA(); }
RWClassID FRM_CPointRWC::classIsA() { return IdOf(frm_type::CPointRWC); }
std::size_t FRM_CPointRWC::binaryStoreSize() const { return 8; }

int FRM_CPointRWC::compareTo(const RWCollectable* other) const
{
    return RWCollectable::compareTo(other);
}

unsigned FRM_CPointRWC::hash() const { return RWCollectable::hash(); }

bool FRM_CPointRWC::isEqual(const RWCollectable* other) const
{
    return other != nullptr && other->isA() == isA() &&
           static_cast<const FRM_CPoint&>(*static_cast<const FRM_CPointRWC*>(other)) ==
               static_cast<const FRM_CPoint&>(*this);
}

void FRM_CPointRWC::restoreGuts(RWvistream& in)
{
    float h = 0, v = 0;
    if (in >> h >> v)
        SetPoint(h, v);
}

void FRM_CPointRWC::restoreGuts(RWFile& file)
{
    float h = 0, v = 0;
    if (file.Read(h) && file.Read(v))
        SetPoint(h, v);
}

void FRM_CPointRWC::saveGuts(RWvostream& out) const { out << H() << V(); }

void FRM_CPointRWC::saveGuts(RWFile& file) const
{
    file.Write(H());
    file.Write(V());
}

// ---- string --------------------------------------------------------------------------------

RWCollectable* FRM_CStringRWC::newSpecies() const { return new FRM_CStringRWC; }
RWCollectable* FRM_CStringRWC::copy() const { return new FRM_CStringRWC(*this); }
RWClassID FRM_CStringRWC::isA() const { return classIsA(); }
RWClassID FRM_CStringRWC::classIsA() { return IdOf(frm_type::CStringRWC); }
std::size_t FRM_CStringRWC::binaryStoreSize() const { return RWCString::binaryStoreSize(); }

int FRM_CStringRWC::compareTo(const RWCollectable* other) const
{
    if (other == nullptr || other->isA() != isA())
        return RWCollectable::compareTo(other);
    return FRM_CStringRW::compareTo(static_cast<const FRM_CStringRW&>(
                                        *static_cast<const FRM_CStringRWC*>(other)),
                                    exact);
}

unsigned FRM_CStringRWC::hash() const { return RWCString::hash(exact); }

bool FRM_CStringRWC::isEqual(const RWCollectable* other) const
{
    return other != nullptr && other->isA() == isA() && compareTo(other) == 0;
}

void FRM_CStringRWC::restoreGuts(RWvistream& in) { restoreFrom(in); }
void FRM_CStringRWC::restoreGuts(RWFile& file) { restoreFrom(file); }
void FRM_CStringRWC::saveGuts(RWvostream& out) const { saveOn(out); }
void FRM_CStringRWC::saveGuts(RWFile& file) const { saveOn(file); }

// ---- string collection ---------------------------------------------------------------------

RWCollectable* FRM_CStringCollectionRWC::newSpecies() const
{
    return new FRM_CStringCollectionRWC;
}
RWCollectable* FRM_CStringCollectionRWC::copy() const
{
    return new FRM_CStringCollectionRWC(*this);
}
RWClassID FRM_CStringCollectionRWC::isA() const { return classIsA(); }
RWClassID FRM_CStringCollectionRWC::classIsA() { return IdOf(frm_type::CStringCollectionRWC); }
std::size_t FRM_CStringCollectionRWC::binaryStoreSize() const
{
    return GetStrings().recursiveStoreSize();
}

int FRM_CStringCollectionRWC::compareTo(const RWCollectable* other) const
{
    return RWCollectable::compareTo(other);
}

unsigned FRM_CStringCollectionRWC::hash() const { return RWCollectable::hash(); }

bool FRM_CStringCollectionRWC::isEqual(const RWCollectable* other) const
{
    if (other == nullptr || other->isA() != isA())
        return false;
    const RWOrdered& mine = GetStrings();
    const RWOrdered& theirs = static_cast<const FRM_CStringCollectionRWC*>(other)->GetStrings();
    if (mine.entries() != theirs.entries())
        return false;
    for (std::size_t i = 0; i < mine.entries(); ++i) {
        if (!mine[i]->isEqual(theirs[i]))
            return false;
    }
    return true;
}

namespace {
// Reads the stored list; only string wrappers belong in a string collection, so anything else
// is dropped. The caller deletes the list's objects.
template <class Stream>
void RestoreStrings(Stream& in, RWOrdered& restored)
{
    RWCollectable::recursiveRestoreFrom(in, &restored);
    for (std::size_t i = 0; i < restored.entries();) {
        if (restored[i]->isA() != FRM_CStringRWC::classIsA())
            delete restored.removeAt(i);
        else
            ++i;
    }
}
} // namespace

void FRM_CStringCollectionRWC::restoreGuts(RWvistream& in)
{
    RWOrdered restored;
    RestoreStrings(in, restored);
    TakeStrings(restored);
    restored.clearAndDestroy();
}

void FRM_CStringCollectionRWC::restoreGuts(RWFile& file)
{
    RWOrdered restored;
    RestoreStrings(file, restored);
    TakeStrings(restored);
    restored.clearAndDestroy();
}

void FRM_CStringCollectionRWC::saveGuts(RWvostream& out) const
{
    GetStrings().recursiveSaveOn(out);
}

void FRM_CStringCollectionRWC::saveGuts(RWFile& file) const { GetStrings().recursiveSaveOn(file); }

// ---- long ----------------------------------------------------------------------------------

RWCollectable* FRM_CLongRWC::newSpecies() const { return new FRM_CLongRWC; }
RWCollectable* FRM_CLongRWC::copy() const { return new FRM_CLongRWC(*this); }
RWClassID FRM_CLongRWC::isA() const { return classIsA(); }
RWClassID FRM_CLongRWC::classIsA() { return kLongRWCId; }
std::size_t FRM_CLongRWC::binaryStoreSize() const { return CLong::binaryStoreSize(); }

int FRM_CLongRWC::compareTo(const RWCollectable* other) const
{
    if (other == nullptr || other->isA() != isA())
        return RWCollectable::compareTo(other);
    const std::int32_t that = static_cast<const FRM_CLongRWC*>(other)->value();
    if (value() < that)
        return -1;
    return value() > that ? 1 : 0;
}

unsigned FRM_CLongRWC::hash() const { return static_cast<unsigned>(value()); }

bool FRM_CLongRWC::isEqual(const RWCollectable* other) const
{
    return other != nullptr && other->isA() == isA() &&
           static_cast<const FRM_CLongRWC*>(other)->value() == value();
}

void FRM_CLongRWC::restoreGuts(RWvistream& in) { restoreFrom(in); }
void FRM_CLongRWC::restoreGuts(RWFile& file) { restoreFrom(file); }
void FRM_CLongRWC::saveGuts(RWvostream& out) const { saveOn(out); }
void FRM_CLongRWC::saveGuts(RWFile& file) const { saveOn(file); }

RWvostream& operator<<(RWvostream& out, const FRM_CStringRWC& value)
{
    return out << static_cast<const RWCollectable&>(value);
}

RWFile& operator<<(RWFile& file, const FRM_CStringRWC& value)
{
    return file << static_cast<const RWCollectable&>(value);
}

RWvistream& operator>>(RWvistream& in, FRM_CFloatRWC*& value) { return RestorePointer(in, value); }
RWFile& operator>>(RWFile& file, FRM_CFloatRWC*& value) { return RestorePointer(file, value); }
RWvistream& operator>>(RWvistream& in, FRM_CRectRWC*& value) { return RestorePointer(in, value); }
RWFile& operator>>(RWFile& file, FRM_CRectRWC*& value) { return RestorePointer(file, value); }
RWvistream& operator>>(RWvistream& in, FRM_CPointRWC*& value) { return RestorePointer(in, value); }
RWFile& operator>>(RWFile& file, FRM_CPointRWC*& value) { return RestorePointer(file, value); }
RWvistream& operator>>(RWvistream& in, FRM_CStringRWC*& value)
{
    return RestorePointer(in, value);
}
RWFile& operator>>(RWFile& file, FRM_CStringRWC*& value) { return RestorePointer(file, value); }
RWvistream& operator>>(RWvistream& in, FRM_CStringCollectionRWC*& value)
{
    return RestorePointer(in, value);
}
RWFile& operator>>(RWFile& file, FRM_CStringCollectionRWC*& value)
{
    return RestorePointer(file, value);
}
RWvistream& operator>>(RWvistream& in, FRM_CLongRWC*& value) { return RestorePointer(in, value); }
RWFile& operator>>(RWFile& file, FRM_CLongRWC*& value) { return RestorePointer(file, value); }
