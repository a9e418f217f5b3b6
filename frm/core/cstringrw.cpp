// cstringrw.cpp: framework strings, string collections and the reverse iterator.
#include "frm/core/cstringrw.h"

#include <cstring>
#include "frm/core/cvaluerwc.h"
#include "frm/core/frmerror.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/bintree.h"
#include "vkocoll/hashtab.h"
#include "vkocoll/tokenizer.h"

namespace {
constexpr char kIteratorModule[] = "crevitrw";
constexpr long kErrIteratorCopy = 6200;
constexpr int kLineIteratorCopy = 34;
constexpr int kLineIteratorAssign = 39;
constexpr std::int32_t kResourceTextSize = 510;

// Position of found inside text, RW_NPOS for null.
std::size_t PositionIn(const char* text, const char* found)
{
    return found != nullptr ? static_cast<std::size_t>(found - text) : RW_NPOS;
}
} // namespace

FRM_CStringRW::FRM_CStringRW(int resourceId)
{
    char buffer[kResourceTextSize + 1] = {};
    if (vko_res_get_str(resourceId, buffer, kResourceTextSize) != nullptr)
        append(buffer);
}

int FRM_CStringRW::compareTo(const char* text, caseCompare mode) const
{
    return mode == ignoreCase ? vko_str_compare_ignoring_case(data(), text)
                              : vko_str_compare(data(), text);
}

int FRM_CStringRW::compareTo(const FRM_CStringRW& text, caseCompare mode) const
{
    return compareTo(text.data(), mode);
}

int FRM_CStringRW::collate(const char* text) const { return vko_str_collate(data(), text); }
int FRM_CStringRW::collate(const FRM_CStringRW& text) const { return collate(text.data()); }

bool FRM_CStringRW::contains(const char* text, caseCompare mode) const
{
    return index(text, text != nullptr ? std::strlen(text) : 0, 0, mode) != RW_NPOS;
}

bool FRM_CStringRW::contains(const FRM_CStringRW& text, caseCompare mode) const
{
    return index(text.data(), text.length(), 0, mode) != RW_NPOS;
}

std::size_t FRM_CStringRW::first(const char* text) const
{
    return PositionIn(data(), vko_str_find_first_char(data(), text));
}
std::size_t FRM_CStringRW::first(const FRM_CStringRW& text) const { return first(text.data()); }

std::size_t FRM_CStringRW::last(const char* text) const
{
    return PositionIn(data(), vko_str_find_last_char(data(), text));
}
std::size_t FRM_CStringRW::last(const FRM_CStringRW& text) const { return last(text.data()); }

std::size_t FRM_CStringRW::index(const char* pattern, std::size_t length, std::size_t start,
                                 caseCompare mode) const
{
    const std::size_t total = this->length();
    if (start > total || length > total - start)
        return RW_NPOS;
    if (length == 0)
        return start;
    if (pattern == nullptr)
        return RW_NPOS;
    const std::size_t lastStart = total - length;   // the last position a match may begin
    const char* const text = data();
    std::size_t position = start;
    while (position <= lastStart) {
        const char* const p = text + position;
        const bool equal = mode == ignoreCase
                               ? vko_str_compare_n_size_ignoring_case(
                                     p, pattern, static_cast<std::int32_t>(length)) == 0
                               : std::memcmp(p, pattern, length) == 0;
        if (equal)
            return position;
        // An embedded NUL or a byte the layer cannot decode has size 0: step one byte anyway.
        const std::int32_t step = vko_str_get_char_size(p);
        position += step > 0 ? static_cast<std::size_t>(step) : 1;
    }
    return RW_NPOS;
}

std::size_t FRM_CStringRW::index(const char* pattern, std::size_t start, caseCompare mode) const
{
    return index(pattern, pattern != nullptr ? std::strlen(pattern) : 0, start, mode);
}

std::size_t FRM_CStringRW::index(const FRM_CStringRW& pattern, std::size_t start,
                                 caseCompare mode) const
{
    return index(pattern.data(), pattern.length(), start, mode);
}

std::size_t FRM_CStringRW::index(const FRM_CStringRW& pattern, std::size_t length,
                                 std::size_t start, caseCompare mode) const
{
    return index(pattern.data(), length, start, mode);
}

std::size_t FRM_CStringRW::mbLength() const
{
    const std::int32_t count = vko_str_get_char_count(data());
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

void FRM_CStringRW::toLower()
{
    if (char* const text = mutableData())
        vko_str_convert_to_lower(text, text, static_cast<std::int32_t>(length() + 1));
}

void FRM_CStringRW::toUpper()
{
    if (char* const text = mutableData())
        vko_str_convert_to_upper(text, text, static_cast<std::int32_t>(length() + 1));
}

int FRM_CStringRW::asWideChar(VKO_WCHAR& wc, std::size_t position) const
{
    if (position >= length())
        return -1;
    return vko_str_convert_mb_to_wc(&wc, data() + position);
}

int FRM_CStringRW::asWideString(VKO_WCHAR* buffer, std::size_t count) const
{
    return vko_str_convert_mbs_to_wcs(buffer, data(), static_cast<std::int32_t>(count));
}

FRM_CStringCollection::FRM_CStringCollection() : itsToolkitList(vko_slist_create()) {}

FRM_CStringCollection::FRM_CStringCollection(int firstId, int lastId) : itsOwns(1)
{
    SLIST list = vko_res_get_str_list(firstId, lastId);
    itsToolkitList = list != nullptr ? list : vko_slist_create();
    for (SLIST_ELT elt = vko_slist_get_first(itsToolkitList); elt != nullptr;
         elt = vko_slist_get_next(itsToolkitList, elt))
        itsStrings.insert(new FRM_CStringRWC(vko_slist_get(itsToolkitList, elt, nullptr)));
}

FRM_CStringCollection::FRM_CStringCollection(SLIST list)
    : itsOwns(1), itsToolkitList(vko_slist_create())
{
    if (list == nullptr)
        return;
    for (SLIST_ELT elt = vko_slist_get_first(list); elt != nullptr;
         elt = vko_slist_get_next(list, elt))
        Append(vko_slist_get(list, elt, nullptr));
}

FRM_CStringCollection::FRM_CStringCollection(const FRM_CStringRW& commaText)
    : itsOwns(1), itsToolkitList(vko_slist_create())
{
    RWCTokenizer next(commaText);
    for (RWCString token = next(","); !token.isNull(); token = next(","))
        Append(token.data());
}

FRM_CStringCollection::FRM_CStringCollection(const RWOrdered& strings)
    : itsToolkitList(vko_slist_create())
{
    for (std::size_t i = 0; i < strings.entries(); ++i) {
        RWCollectable* const item = strings[i];
        const auto* const text = static_cast<const FRM_CStringRWC*>(item);
        vko_slist_add_at_pos(itsToolkitList, static_cast<std::int32_t>(i), text->data(), 0);
        itsStrings.insert(item);
    }
}

FRM_CStringCollection::FRM_CStringCollection(const FRM_CStringCollection& other)
    : itsToolkitList(vko_slist_create())
{
    CopyFrom(other);
}

// Hand-written: the toolkit list is emptied and refilled with copies of the strings.
FRM_CStringCollection& FRM_CStringCollection::operator=(const FRM_CStringCollection& other)
{
    if (this == &other)
        return *this;
    Empty();
    itsToolkitList = vko_slist_create();
    CopyFrom(other);
    return *this;
}

FRM_CStringCollection::~FRM_CStringCollection() { Empty(); }

void FRM_CStringCollection::clearAndDestroy() { itsStrings.clearAndDestroy(); }
RWBag FRM_CStringCollection::asBag() const { return itsStrings.asBag(); }
RWSet FRM_CStringCollection::asSet() const { return itsStrings.asSet(); }
RWOrdered FRM_CStringCollection::asOrderedCollection() const
{
    return itsStrings.asOrderedCollection();
}
RWBinaryTree FRM_CStringCollection::asSortedCollection() const
{
    return itsStrings.asSortedCollection();
}

void FRM_CStringCollection::TakeStrings(RWOrdered& strings)
{
    Empty();
    itsOwns = 1;
    itsToolkitList = vko_slist_create();
    for (std::size_t i = 0; i < strings.entries(); ++i)
        Append(static_cast<const FRM_CStringRWC*>(strings[i])->data());
}

void FRM_CStringCollection::Append(const char* text)
{
    const auto position = static_cast<std::int32_t>(itsStrings.entries());
    itsStrings.insert(new FRM_CStringRWC(text));
    vko_slist_add_at_pos(itsToolkitList, position, text, 0);
}

void FRM_CStringCollection::Empty()
{
    if (itsToolkitList != nullptr)
        vko_slist_destroy(itsToolkitList);
    itsToolkitList = nullptr;
    if (itsOwns != 0)
        itsStrings.clearAndDestroy();
    else
        itsStrings.clear();
}

void FRM_CStringCollection::CopyFrom(const FRM_CStringCollection& other)
{
    itsOwns = other.itsOwns;
    for (std::size_t i = 0; i < other.itsStrings.entries(); ++i) {
        RWCollectable* const item = other.itsStrings[i];
        const auto* const text = static_cast<const FRM_CStringRWC*>(item);
        vko_slist_add_at_pos(itsToolkitList, static_cast<std::int32_t>(i), text->data(), 0);
        itsStrings.insert(itsOwns != 0 ? new FRM_CStringRWC(*text) : item);
    }
}

FRM_CRevOrdIteratorRW::FRM_CRevOrdIteratorRW(const FRM_CRevOrdIteratorRW& other)
    : RWIterator(other), itsCollection(other.itsCollection)
{
    FrmError(kErrIteratorCopy, kIteratorModule, kLineIteratorCopy);
}

// Hand-written: assigning an iterator is an error; nothing is copied.
FRM_CRevOrdIteratorRW& FRM_CRevOrdIteratorRW::operator=(const FRM_CRevOrdIteratorRW&)
{
    FrmError(kErrIteratorCopy, kIteratorModule, kLineIteratorAssign);
    return *this;
}

RWCollectable* FRM_CRevOrdIteratorRW::operator()()
{
    const std::size_t count = itsCollection->entries();
    if (itsPosition == kBeforeStart)
        itsPosition = count;
    --itsPosition;   // from 0 this wraps to before-start: the walk is over
    return itsPosition < count ? (*itsCollection)[itsPosition] : nullptr;
}

RWCollectable* FRM_CRevOrdIteratorRW::key() const
{
    return itsPosition < itsCollection->entries() ? (*itsCollection)[itsPosition] : nullptr;
}

RWCollectable* FRM_CRevOrdIteratorRW::findNext(const RWCollectable* target)
{
    const std::size_t count = itsCollection->entries();
    for (++itsPosition; itsPosition < count; ++itsPosition) {
        RWCollectable* const item = (*itsCollection)[itsPosition];
        if (item->isEqual(target))
            return item;
    }
    itsPosition = count;
    return nullptr;
}

RWCollectable* FRM_CRevOrdIteratorRW::findPrev(const RWCollectable* target)
{
    while (RWCollectable* const item = (*this)()) {
        if (item->isEqual(target))
            return item;
    }
    return nullptr;
}
