// defs.h: the library's basic types: class ids, the "not found" position, the capacity
// tag and the one error the library raises (RWBoundsErr, thrown through RWThrow).
// Nothing else in the library throws.
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

using RWClassID = std::uint16_t;
using RWBoolean = bool;

// A failed search answers RW_NPOS: all bits set.
inline constexpr std::size_t RW_NPOS = ~static_cast<std::size_t>(0);

// Tags a size as a capacity, so that RWCString(RWSize_T(n)) reserves rather than fills.
struct RWSize_T {
    explicit RWSize_T(std::size_t n) : value_(n) {}
    std::size_t value() const { return value_; }

private:
    std::size_t value_;
};

// An index outside a collection, string or bit vector.
class RWBoundsErr : public std::out_of_range {
public:
    explicit RWBoundsErr(const std::string& what) : std::out_of_range(what) {}
};

// Raises err. Every index error of the library goes through here.
[[noreturn]] void RWThrow(const RWBoundsErr& err);

// Throws RWBoundsErr naming the function, the index and the size.
[[noreturn]] void rwThrowBounds(const char* where, std::size_t index, std::size_t size);

// Class ids of the library's own collectable classes. Program classes use ids below
// 0x8000 (the framework's start at 20000); nextAtom() hands out fresh ids from 0xF000 up.
inline constexpr RWClassID kRWCollectableId = 0x8001;
inline constexpr RWClassID kRWCollectableStringId = 0x8002;
inline constexpr RWClassID kRWCollectableIntId = 0x8003;
inline constexpr RWClassID kRWOrderedId = 0x8004;
inline constexpr RWClassID kRWBinaryTreeId = 0x8005;
inline constexpr RWClassID kRWHashTableId = 0x8006;
inline constexpr RWClassID kRWSetId = 0x8007;
inline constexpr RWClassID kRWBagId = 0x8008;
inline constexpr RWClassID kRWSortedVectorId = 0x8009;
inline constexpr RWClassID kRWHashDictionaryId = 0x800A;
inline constexpr RWClassID kRWBTreeDictionaryId = 0x800B;
inline constexpr RWClassID kRWCollectionId = 0x800C;
inline constexpr RWClassID kRWFirstAtom = 0xF000;
