// rwint.h: RWInteger, an int value that stores itself; RWCollectableInt, the collectable
// form that collections compare, hash and find by value. Stored form: the value as an int
// (4 bytes).
#pragma once
#include <cstddef>
#include "vkocoll/collect.h"

class RWInteger {
public:
    RWInteger(int value = 0) : value_(value) {}
    operator int() const { return value_; }
    int value() const { return value_; }
    // Stores value; answers the previous one.
    int value(int value)
    {
        const int old = value_;
        value_ = value;
        return old;
    }

    std::size_t binaryStoreSize() const { return 4; }
    void saveOn(RWvostream& out) const;
    void saveOn(RWFile& file) const;
    void restoreFrom(RWvistream& in);
    void restoreFrom(RWFile& file);

private:
    int value_;
};

class RWCollectableInt : public RWCollectable, public RWInteger {
public:
    RWCollectableInt(int value = 0) : RWInteger(value) {}

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    std::size_t binaryStoreSize() const override { return RWInteger::binaryStoreSize(); }
    // Against another collectable int: by value. Otherwise the library's default order.
    int compareTo(const RWCollectable* other) const override;
    unsigned hash() const override;
    // True for another collectable int with the same value.
    bool isEqual(const RWCollectable* other) const override;
    void restoreGuts(RWvistream& in) override;
    void restoreGuts(RWFile& file) override;
    void saveGuts(RWvostream& out) const override;
    void saveGuts(RWFile& file) const override;
};
