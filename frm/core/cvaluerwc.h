// cvaluerwc.h: the persistent value wrappers. Each is a notifier (so a collectable that the
// container library stores and restores by class id) and the value it wraps: a float, a
// 32-bit long, a point, a rectangle, a string, a string collection. Only the value is stored;
// assignment copies it and sends no notification. FRM_CFloat and CLong are the two small
// value classes that only the wrappers use.
#pragma once
#include "frm/core/cboss.h"
#include "frm/core/crect.h"
#include "frm/core/cstringrw.h"
#include <cstdint>

class RWFile;
class RWvistream;
class RWvostream;

class FRM_CFloat {
public:
    FRM_CFloat(float value = 0) : itsValue(value) {}
    float Get() const { return itsValue; }
    float Set(float value) { return itsValue = value; }
    operator float() const { return itsValue; }
    bool operator==(const FRM_CFloat& other) const { return itsValue == other.itsValue; }

private:
    float itsValue;
};

// A long as the stored forms hold it: 32 bits.
class CLong {
public:
    CLong(std::int32_t value = 0) : itsValue(value) {}
    std::int32_t value() const { return itsValue; }
    // Stores value; answers the previous one.
    std::int32_t value(std::int32_t value);
    operator std::int32_t() const { return itsValue; }
    bool operator==(const CLong& other) const { return itsValue == other.itsValue; }

    std::size_t binaryStoreSize() const { return 4; }
    void saveOn(RWvostream& out) const;
    void saveOn(RWFile& file) const;
    void restoreFrom(RWvistream& in);
    void restoreFrom(RWFile& file);

private:
    std::int32_t itsValue;
};

// Declares the collectable operations every wrapper overrides.
#define FRM_VALUE_RWC_OPERATIONS(Class)                                                            \
    RWCollectable* newSpecies() const override;                                                    \
    RWCollectable* copy() const override;                                                          \
    RWClassID isA() const override;                                                                \
    static RWClassID classIsA();                                                                   \
    std::size_t binaryStoreSize() const override;                                                  \
    int compareTo(const RWCollectable* other) const override;                                      \
    unsigned hash() const override;                                                                \
    bool isEqual(const RWCollectable* other) const override;                                       \
    void restoreGuts(RWvistream& in) override;                                                     \
    void restoreGuts(RWFile& file) override;                                                       \
    void saveGuts(RWvostream& out) const override;                                                 \
    void saveGuts(RWFile& file) const override;                                                    \
    Class(const Class& other) = default;                                                           \
    Class& operator=(const Class& other) = default;

// Order by the difference truncated toward zero (1.2 and 1.9 order as equal); equal only
// for another float wrapper with the same value.
class FRM_CFloatRWC : public FRM_CNotifier, public FRM_CFloat {
    FRM_TYPE_INFO(CFloatRWC)
    FRM_VALUE_RWC_OPERATIONS(FRM_CFloatRWC)
    FRM_CFloatRWC() = default;
    FRM_CFloatRWC(float value) : FRM_CFloat(value) {}
    FRM_CFloatRWC(const FRM_CFloat& value) : FRM_CFloat(value) {}
};

// Ordered by width only against another rectangle wrapper.
class FRM_CRectRWC : public FRM_CNotifier, public FRM_CRect {
    FRM_TYPE_INFO(CRectRWC)
    FRM_VALUE_RWC_OPERATIONS(FRM_CRectRWC)
    FRM_CRectRWC() = default;
    FRM_CRectRWC(float left, float top, float right, float bottom)
        : FRM_CRect(left, top, right, bottom)
    {
    }
    FRM_CRectRWC(const FRM_CPoint& topLeft, const FRM_CPoint& bottomRight)
        : FRM_CRect(topLeft, bottomRight)
    {
    }
    FRM_CRectRWC(const FRM_CRect& rect) : FRM_CRect(rect) {}
    using FRM_CRect::operator+=;
    using FRM_CRect::operator-=;
};

class FRM_CPointRWC : public FRM_CNotifier, public FRM_CPoint {
    FRM_TYPE_INFO(CPointRWC)
    FRM_VALUE_RWC_OPERATIONS(FRM_CPointRWC)
    FRM_CPointRWC() = default;
    FRM_CPointRWC(float h, float v) : FRM_CPoint(h, v) {}
    FRM_CPointRWC(const FRM_CPoint& point) : FRM_CPoint(point) {}
    using FRM_CPoint::operator+=;
    using FRM_CPoint::operator-=;
};

// Ordered and hashed by the exact (case-sensitive) text.
class FRM_CStringRWC : public FRM_CNotifier, public FRM_CStringRW {
    FRM_TYPE_INFO(CStringRWC)
    FRM_VALUE_RWC_OPERATIONS(FRM_CStringRWC)
    FRM_CStringRWC() = default;
    FRM_CStringRWC(const char* text) : FRM_CStringRW(text) {}
    FRM_CStringRWC(const char* text, std::size_t length) : FRM_CStringRW(text, length) {}
    FRM_CStringRWC(const RWCString& text) : FRM_CStringRW(text) {}
    FRM_CStringRWC(const RWCSubString& piece) : FRM_CStringRW(piece) {}
    FRM_CStringRWC(const FRM_CStringRW& text) : FRM_CStringRW(text) {}
    explicit FRM_CStringRWC(RWSize_T capacity) : FRM_CStringRW(capacity) {}
    explicit FRM_CStringRWC(int resourceId) : FRM_CStringRW(resourceId) {}
    using FRM_CStringRW::compareTo;
    using FRM_CStringRW::operator=;
};

// Equal to another collection wrapper with equal strings in the same order. Stored as its
// ordered list of string wrappers; a restored collection owns its strings.
class FRM_CStringCollectionRWC : public FRM_CNotifier, public FRM_CStringCollection {
    FRM_TYPE_INFO(CStringCollectionRWC)
    FRM_VALUE_RWC_OPERATIONS(FRM_CStringCollectionRWC)
    FRM_CStringCollectionRWC() = default;
    FRM_CStringCollectionRWC(int firstId, int lastId) : FRM_CStringCollection(firstId, lastId) {}
    explicit FRM_CStringCollectionRWC(SLIST list) : FRM_CStringCollection(list) {}
    explicit FRM_CStringCollectionRWC(const RWOrdered& strings) : FRM_CStringCollection(strings) {}
    explicit FRM_CStringCollectionRWC(const FRM_CStringCollection& collection)
        : FRM_CStringCollection(collection)
    {
    }
};

// Has no type record of its own: it reports its base's.
class FRM_CLongRWC : public FRM_CNotifier, public CLong {
public:
    FRM_VALUE_RWC_OPERATIONS(FRM_CLongRWC)
    FRM_CLongRWC() = default;
    FRM_CLongRWC(std::int32_t value) : CLong(value) {}
};

#undef FRM_VALUE_RWC_OPERATIONS

// A string wrapper is both a collectable and a string: store it as the collectable (class id
// and text), as its restore expects.
RWvostream& operator<<(RWvostream& out, const FRM_CStringRWC& value);
RWFile& operator<<(RWFile& file, const FRM_CStringRWC& value);

// Read a pointer to a new wrapper (the caller owns it) through the recursive restore; null
// when the stream holds nil or another class.
RWvistream& operator>>(RWvistream& in, FRM_CFloatRWC*& value);
RWFile& operator>>(RWFile& file, FRM_CFloatRWC*& value);
RWvistream& operator>>(RWvistream& in, FRM_CRectRWC*& value);
RWFile& operator>>(RWFile& file, FRM_CRectRWC*& value);
RWvistream& operator>>(RWvistream& in, FRM_CPointRWC*& value);
RWFile& operator>>(RWFile& file, FRM_CPointRWC*& value);
RWvistream& operator>>(RWvistream& in, FRM_CStringRWC*& value);
RWFile& operator>>(RWFile& file, FRM_CStringRWC*& value);
RWvistream& operator>>(RWvistream& in, FRM_CStringCollectionRWC*& value);
RWFile& operator>>(RWFile& file, FRM_CStringCollectionRWC*& value);
RWvistream& operator>>(RWvistream& in, FRM_CLongRWC*& value);
RWFile& operator>>(RWFile& file, FRM_CLongRWC*& value);
