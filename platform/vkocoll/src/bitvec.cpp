// bitvec.cpp: RWBitVec in 64-bit words; bits past length() in the last word are kept clear
// so that comparisons and counts can work word by word.
#include "vkocoll/bitvec.h"

#include <bit>

namespace {

constexpr std::size_t kWordBits = 64;

std::size_t wordsFor(std::size_t n) { return (n + kWordBits - 1) / kWordBits; }
std::uint64_t maskOf(std::size_t i) { return std::uint64_t{1} << (i % kWordBits); }

} // namespace

// Hand-written: the bit is set or cleared in the vector the reference is to.
RWBitVec::BitRef& RWBitVec::BitRef::operator=(bool on)
{
    if (on)
        vec_.setBit(i_);
    else
        vec_.clearBit(i_);
    return *this;
}

RWBitVec::BitRef::operator bool() const { return vec_.testBit(i_); }

RWBitVec::RWBitVec(std::size_t n, bool initial) : words_(wordsFor(n)), n_(n)
{
    setAll(initial);
}

void RWBitVec::check(const char* where, std::size_t i) const
{
    if (i >= n_)
        rwThrowBounds(where, i, n_);
}

void RWBitVec::checkLength(const char* where, const RWBitVec& other) const
{
    if (other.n_ != n_)
        rwThrowBounds(where, other.n_, n_);
}

void RWBitVec::trimTail()
{
    if (n_ % kWordBits != 0 && !words_.empty())
        words_.back() &= maskOf(n_) - 1;
}

void RWBitVec::resize(std::size_t n)
{
    words_.resize(wordsFor(n), 0);
    n_ = n;
    trimTail();
}

RWBitVec::BitRef RWBitVec::operator[](std::size_t i)
{
    check("RWBitVec::operator[]", i);
    return BitRef(*this, i);
}

void RWBitVec::setBit(std::size_t i)
{
    check("RWBitVec::setBit", i);
    words_[i / kWordBits] |= maskOf(i);
}

void RWBitVec::clearBit(std::size_t i)
{
    check("RWBitVec::clearBit", i);
    words_[i / kWordBits] &= ~maskOf(i);
}

bool RWBitVec::testBit(std::size_t i) const
{
    check("RWBitVec::testBit", i);
    return (words_[i / kWordBits] & maskOf(i)) != 0;
}

void RWBitVec::setAll(bool on)
{
    for (auto& word : words_)
        word = on ? ~std::uint64_t{0} : 0;
    trimTail();
}

std::size_t RWBitVec::firstTrue() const
{
    for (std::size_t w = 0; w < words_.size(); ++w) {
        if (words_[w] != 0)
            return w * kWordBits + static_cast<std::size_t>(std::countr_zero(words_[w]));
    }
    return RW_NPOS;
}

std::size_t RWBitVec::firstFalse() const
{
    for (std::size_t w = 0; w < words_.size(); ++w) {
        if (~words_[w] != 0) {
            const std::size_t i =
                w * kWordBits + static_cast<std::size_t>(std::countr_zero(~words_[w]));
            return i < n_ ? i : RW_NPOS;
        }
    }
    return RW_NPOS;
}

std::size_t RWBitVec::sum() const
{
    std::size_t n = 0;
    for (const auto word : words_)
        n += static_cast<std::size_t>(std::popcount(word));
    return n;
}

bool RWBitVec::operator==(const RWBitVec& other) const
{
    return n_ == other.n_ && words_ == other.words_;
}

RWBitVec& RWBitVec::operator&=(const RWBitVec& other)
{
    checkLength("RWBitVec::operator&=", other);
    for (std::size_t w = 0; w < words_.size(); ++w)
        words_[w] &= other.words_[w];
    return *this;
}

RWBitVec& RWBitVec::operator|=(const RWBitVec& other)
{
    checkLength("RWBitVec::operator|=", other);
    for (std::size_t w = 0; w < words_.size(); ++w)
        words_[w] |= other.words_[w];
    return *this;
}

RWBitVec& RWBitVec::operator^=(const RWBitVec& other)
{
    checkLength("RWBitVec::operator^=", other);
    for (std::size_t w = 0; w < words_.size(); ++w)
        words_[w] ^= other.words_[w];
    return *this;
}

RWBitVec RWBitVec::operator~() const
{
    RWBitVec flipped(*this);
    for (auto& word : flipped.words_)
        word = ~word;
    flipped.trimTail();
    return flipped;
}

RWBitVec operator&(RWBitVec a, const RWBitVec& b) { return a &= b; }
RWBitVec operator|(RWBitVec a, const RWBitVec& b) { return a |= b; }
RWBitVec operator^(RWBitVec a, const RWBitVec& b) { return a ^= b; }
