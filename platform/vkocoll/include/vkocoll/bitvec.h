// bitvec.h: RWBitVec, a vector of bits that can grow. Every index is checked: an index at
// or past length() throws RWBoundsErr (through RWThrow).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>
#include "vkocoll/defs.h"

class RWBitVec {
public:
    // A reference to one bit, for writing through operator[].
    class BitRef {
    public:
        BitRef& operator=(bool on);
        // Hand-written: the other's bit is written through; the reference stays on its own.
        BitRef& operator=(const BitRef& other) { return *this = static_cast<bool>(other); }
        operator bool() const;

    private:
        friend class RWBitVec;
        BitRef(RWBitVec& vec, std::size_t i) : vec_(vec), i_(i) {}
        RWBitVec& vec_;
        std::size_t i_;
    };

    RWBitVec() = default;
    explicit RWBitVec(std::size_t n, bool initial = false);

    std::size_t length() const { return n_; }
    // Grows with clear bits or drops bits from the end.
    void resize(std::size_t n);

    BitRef operator[](std::size_t i);
    bool operator[](std::size_t i) const { return testBit(i); }
    BitRef operator()(std::size_t i) { return (*this)[i]; }
    bool operator()(std::size_t i) const { return testBit(i); }
    void setBit(std::size_t i);
    void clearBit(std::size_t i);
    bool testBit(std::size_t i) const;
    void setAll(bool on);

    // Position of the first set (clear) bit, RW_NPOS when none.
    std::size_t firstTrue() const;
    std::size_t firstFalse() const;
    // Number of set bits.
    std::size_t sum() const;

    bool operator==(const RWBitVec& other) const;
    bool operator!=(const RWBitVec& other) const { return !(*this == other); }
    // Bitwise with another vector of the same length (RWBoundsErr when the lengths differ).
    RWBitVec& operator&=(const RWBitVec& other);
    RWBitVec& operator|=(const RWBitVec& other);
    RWBitVec& operator^=(const RWBitVec& other);
    RWBitVec operator~() const;

private:
    void check(const char* where, std::size_t i) const;
    void checkLength(const char* where, const RWBitVec& other) const;
    void trimTail();

    std::vector<std::uint64_t> words_;
    std::size_t n_ = 0;
};

RWBitVec operator&(RWBitVec a, const RWBitVec& b);
RWBitVec operator|(RWBitVec a, const RWBitVec& b);
RWBitVec operator^(RWBitVec a, const RWBitVec& b);
