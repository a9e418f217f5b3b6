// collstr.h: RWCollectableString, a string that collections can hold. It compares, hashes
// and is equal by its text; it is stored as its string is (length, then bytes).
#pragma once
#include "vkocoll/collect.h"
#include "vkocoll/cstring.h"

class RWCollectableString : public RWCollectable, public RWCString {
public:
    RWCollectableString() = default;
    RWCollectableString(const char* text) : RWCString(text) {}
    RWCollectableString(const char* text, std::size_t len_bytes) : RWCString(text, len_bytes) {}
    RWCollectableString(const RWCString& text) : RWCString(text) {}
    RWCollectableString(const RWCSubString& piece) : RWCString(piece) {}
    RWCollectableString(const RWCollectableString&) = default;
    RWCollectableString& operator=(const RWCollectableString&) = default;
    using RWCString::operator=;

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    ~RWCollectableString() override;
    std::size_t binaryStoreSize() const override { return RWCString::binaryStoreSize(); }
    // Against another string: byte order of the texts. Against any other object: the
    // library's default order.
    int compareTo(const RWCollectable* other) const override;
    unsigned hash() const override { return RWCString::hash(); }
    // True for another collectable string with the same text.
    bool isEqual(const RWCollectable* other) const override;
    void restoreGuts(RWvistream& in) override;
    void restoreGuts(RWFile& file) override;
    void saveGuts(RWvostream& out) const override;
    void saveGuts(RWFile& file) const override;

    using RWCString::compareTo;
    unsigned hash(caseCompare cmp) const { return RWCString::hash(cmp); }
};

// A collectable string streams as a collectable (framed, see collect.h), not as a bare
// string; these settle the choice between its two bases.
RWvostream& operator<<(RWvostream& out, const RWCollectableString& s);
RWFile& operator<<(RWFile& file, const RWCollectableString& s);
RWvistream& operator>>(RWvistream& in, RWCollectableString& s);
RWFile& operator>>(RWFile& file, RWCollectableString& s);
