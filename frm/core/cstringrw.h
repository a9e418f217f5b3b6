// cstringrw.h: FRM_CStringRW, the framework's string (the container library's string with
// its searches and comparisons done through the layer's multibyte-aware string calls);
// FRM_CStringCollection, a list of strings kept both as string objects and as a toolkit string
// list; FRM_CRevOrdIteratorRW, a walk over an ordered collection from its end.
#pragma once
#include <cstdint>
#include "vkobase/str.h"
#include "vkocoll/colclass.h"
#include "vkocoll/cstring.h"
#include "vkocoll/ordered.h"

class FRM_CStringRW : public RWCString {
public:
    FRM_CStringRW() = default;
    FRM_CStringRW(const char* text) : RWCString(text) {}
    FRM_CStringRW(const char* text, std::size_t length) : RWCString(text, length) {}
    FRM_CStringRW(const RWCString& text) : RWCString(text) {}
    FRM_CStringRW(const RWCSubString& piece) : RWCString(piece) {}
    explicit FRM_CStringRW(RWSize_T capacity) : RWCString(capacity) {}
    // The program's string resource with this id; empty when there is none.
    explicit FRM_CStringRW(int resourceId);
    FRM_CStringRW(const FRM_CStringRW& other) = default;
    FRM_CStringRW& operator=(const FRM_CStringRW& other) = default;
    using RWCString::operator=;

    // Negative, zero or positive as the platform compares (case-blind with ignoreCase).
    int compareTo(const char* text, caseCompare mode = exact) const;
    int compareTo(const FRM_CStringRW& text, caseCompare mode = exact) const;
    int collate(const char* text) const;
    int collate(const FRM_CStringRW& text) const;
    bool contains(const char* text, caseCompare mode = exact) const;
    bool contains(const FRM_CStringRW& text, caseCompare mode = exact) const;

    using RWCString::first;
    using RWCString::last;
    // Byte position of the first (last) occurrence of the multibyte character that text
    // begins with; RW_NPOS when absent.
    std::size_t first(const char* text) const;
    std::size_t first(const FRM_CStringRW& text) const;
    std::size_t last(const char* text) const;
    std::size_t last(const FRM_CStringRW& text) const;

    // Byte position of the first match of length bytes of pattern at or after start, trying
    // only positions where a character begins; RW_NPOS when none. The empty pattern is found
    // at start when start <= length().
    using RWCString::index;
    std::size_t index(const char* pattern, std::size_t length, std::size_t start,
                      caseCompare mode) const;
    std::size_t index(const char* pattern, std::size_t start = 0, caseCompare mode = exact) const;
    std::size_t index(const FRM_CStringRW& pattern, std::size_t start = 0,
                      caseCompare mode = exact) const;
    std::size_t index(const FRM_CStringRW& pattern, std::size_t length, std::size_t start,
                      caseCompare mode) const;

    // Characters, not bytes.
    std::size_t mbLength() const;
    void toLower();
    void toUpper();
    // The wide character at a byte position, as the layer converts it; -1 past the end.
    int asWideChar(VKO_WCHAR& wc, std::size_t position) const;
    // The whole string as wide characters into count slots; answers the layer's result.
    int asWideString(VKO_WCHAR* buffer, std::size_t count) const;
};

// The invariant of every constructor and of assignment: the toolkit list holds, from
// position 0, the texts of the ordered list's strings in the same order, each with data 0.
// An owning collection made its string objects and deletes them; a sharing one does not.
class FRM_CStringCollection {
public:
    FRM_CStringCollection();
    // The program's string list from firstId to lastId (strings in id order); owning.
    FRM_CStringCollection(int firstId, int lastId);
    // Copies of the list's texts; the list is not kept. Owning.
    explicit FRM_CStringCollection(SLIST list);
    // The comma-separated fields of text, as the container library's tokenizer splits
    // them (empty fields are skipped). Owning.
    explicit FRM_CStringCollection(const FRM_CStringRW& commaText);
    // Shares the FRM_CStringRWC objects of strings; not owning.
    explicit FRM_CStringCollection(const RWOrdered& strings);
    // A copy of an owning collection owns copies of the strings; a sharing one shares.
    FRM_CStringCollection(const FRM_CStringCollection& other);
    FRM_CStringCollection& operator=(const FRM_CStringCollection& other);
    virtual ~FRM_CStringCollection();

    // The toolkit list, still owned by the collection.
    operator SLIST() const { return itsToolkitList; }
    // Deletes and removes the string objects; the toolkit list stays as it is.
    void clearAndDestroy();
    RWBag asBag() const;
    RWSet asSet() const;
    RWOrdered asOrderedCollection() const;
    RWBinaryTree asSortedCollection() const;

protected:
    const RWOrdered& GetStrings() const { return itsStrings; }
    // Replaces the contents by owned copies of texts (the stored form's restore).
    void TakeStrings(RWOrdered& strings);

private:
    void Append(const char* text);   // a new owned string and its toolkit twin
    void Empty();                    // both lists gone, the objects too when owned
    void CopyFrom(const FRM_CStringCollection& other);

    short itsOwns = 0;
    RWOrdered itsStrings;                // FRM_CStringRWC objects
    SLIST itsToolkitList = nullptr;      // always owned
};

// Walks an ordered collection from its last item. Copying is refused (fatal 6200).
class FRM_CRevOrdIteratorRW : public RWIterator {
public:
    explicit FRM_CRevOrdIteratorRW(const RWOrdered& collection) : itsCollection(&collection) {}
    FRM_CRevOrdIteratorRW(const FRM_CRevOrdIteratorRW& other);
    FRM_CRevOrdIteratorRW& operator=(const FRM_CRevOrdIteratorRW& other);

    // The previous item; null after the first, and the next call starts again at the last.
    RWCollectable* operator()() override;
    RWCollectable* key() const override;
    // The next item (forward) isEqual to target, null at the end.
    RWCollectable* findNext(const RWCollectable* target) override;
    // The previous item isEqual to target, null at the front.
    RWCollectable* findPrev(const RWCollectable* target);
    void reset() override { itsPosition = kBeforeStart; }

private:
    static constexpr std::size_t kBeforeStart = ~static_cast<std::size_t>(0);
    const RWOrdered* itsCollection;
    std::size_t itsPosition = kBeforeStart;
};
