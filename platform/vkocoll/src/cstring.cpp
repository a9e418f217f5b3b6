// cstring.cpp: RWCString's shared buffer. A buffer with more than one owner is never
// written: every change goes through replaceRange/assign or cow(), which copy it first.
#include "vkocoll/cstring.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <ostream>
#include <string>
#include <string_view>

#include "vkocoll/regexp.h"
#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

namespace {

constexpr std::size_t kReadChunk = 4096;

char lowerByte(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

char upperByte(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// A stored length; a negative one fails the stream (the file has no such state to set).
bool readLength(RWvistream& in, long& stored)
{
    if (in.get(stored).fail())
        return false;
    if (stored < 0) {
        in.setstate(RWvios::failbit);
        return false;
    }
    return true;
}
bool readLength(RWFile& file, long& stored) { return file.Read(stored) && stored >= 0; }
bool readChunk(RWvistream& in, char* buf, std::size_t n) { return !in.get(buf, n).fail(); }
bool readChunk(RWFile& file, char* buf, std::size_t n) { return file.Read(buf, n); }

// Reads a length and that many bytes into text; text is left as it was on any failure.
template <typename Source> void restoreText(Source& source, RWCString& text)
{
    long stored = 0;
    if (!readLength(source, stored))
        return;
    // Read in chunks: a corrupt length must not make us allocate it up front.
    RWCString restored;
    std::size_t left = static_cast<std::size_t>(stored);
    char chunk[kReadChunk];
    while (left > 0) {
        const std::size_t n = std::min(left, kReadChunk);
        if (!readChunk(source, chunk, n))
            return;
        restored.append(chunk, n);
        left -= n;
    }
    text = std::move(restored);
}

bool sameIgnoringCase(const char* a, const char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        if (lowerByte(a[i]) != lowerByte(b[i]))
            return false;
    }
    return true;
}

int compareBytes(const char* a, std::size_t a_len, const char* b, std::size_t b_len,
                 RWCString::caseCompare cmp)
{
    const std::size_t n = std::min(a_len, b_len);
    for (std::size_t i = 0; i < n; ++i) {
        auto ca = static_cast<unsigned char>(a[i]);
        auto cb = static_cast<unsigned char>(b[i]);
        if (cmp == RWCString::ignoreCase) {
            ca = static_cast<unsigned char>(std::tolower(ca));
            cb = static_cast<unsigned char>(std::tolower(cb));
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a_len == b_len)
        return 0;
    return a_len < b_len ? -1 : 1;
}

} // namespace

[[noreturn]] void RWThrow(const RWBoundsErr& err) { throw err; }

[[noreturn]] void rwThrowBounds(const char* where, std::size_t index, std::size_t size)
{
    RWThrow(RWBoundsErr(std::string(where) + ": index " + std::to_string(index) +
                        " out of range [0, " + std::to_string(size) + ")"));
}

// ---- RWCSubString ----

const char* RWCSubString::data() const { return isNull() ? "" : str_->data() + begin_; }

char RWCSubString::operator[](std::size_t i) const
{
    if (isNull() || i >= extent_)
        rwThrowBounds("RWCSubString::operator[]", i, extent_);
    return str_->data()[begin_ + i];
}

// Hand-written: the text replaces the piece in the string it was taken from.
RWCSubString& RWCSubString::operator=(const char* text)
{
    if (isNull())
        return *this;
    const std::size_t len = text != nullptr ? std::strlen(text) : 0;
    str_->replaceRange(begin_, extent_, text, len);
    extent_ = len;
    return *this;
}

// Hand-written: the text replaces the piece in the string it was taken from.
RWCSubString& RWCSubString::operator=(const RWCString& text)
{
    if (isNull())
        return *this;
    str_->replaceRange(begin_, extent_, text.data(), text.length());
    extent_ = text.length();
    return *this;
}

// Hand-written: the other piece's text replaces this piece; the piece stays a window
// into its own string.
RWCSubString& RWCSubString::operator=(const RWCSubString& other)
{
    if (this == &other || isNull())
        return *this;
    const RWCString text(other);
    return *this = text;
}

void RWCSubString::toLower()
{
    if (isNull() || extent_ == 0)
        return;
    char* p = str_->mutableData() + begin_;
    for (std::size_t i = 0; i < extent_; ++i)
        p[i] = lowerByte(p[i]);
}

void RWCSubString::toUpper()
{
    if (isNull() || extent_ == 0)
        return;
    char* p = str_->mutableData() + begin_;
    for (std::size_t i = 0; i < extent_; ++i)
        p[i] = upperByte(p[i]);
}

// ---- RWCString: buffer management ----

RWCString::Rep* RWCString::newRep(std::size_t capacity)
{
    void* raw = ::operator new(sizeof(Rep) + capacity + 1);
    Rep* rep = new (raw) Rep;
    rep->refs.store(1, std::memory_order_relaxed);
    rep->capacity = capacity;
    rep->length = 0;
    rep->text()[0] = '\0';
    return rep;
}

void RWCString::release(Rep* rep)
{
    if (rep == nullptr || rep->refs.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    rep->~Rep();
    ::operator delete(rep);
}

void RWCString::assign(const char* text, std::size_t len_bytes)
{
    if (rep_ != nullptr && rep_->refs.load(std::memory_order_acquire) == 1 &&
        rep_->capacity >= len_bytes) {
        if (len_bytes > 0)
            std::memmove(rep_->text(), text, len_bytes);
        rep_->length = len_bytes;
        rep_->text()[len_bytes] = '\0';
        return;
    }
    Rep* fresh = nullptr;
    if (len_bytes > 0) {
        fresh = newRep(len_bytes);
        std::memcpy(fresh->text(), text, len_bytes);
        fresh->length = len_bytes;
        fresh->text()[len_bytes] = '\0';
    }
    release(rep_);
    rep_ = fresh;
}

void RWCString::replaceRange(std::size_t pos, std::size_t n, const char* text,
                             std::size_t len_bytes)
{
    const std::size_t old_len = length();
    if (pos > old_len)
        rwThrowBounds("RWCString::replace", pos, old_len + 1);
    n = std::min(n, old_len - pos);
    // Text that lies in our own buffer would move under us: take a copy first.
    std::string own_copy;
    if (rep_ != nullptr && text >= rep_->text() && text <= rep_->text() + rep_->capacity) {
        own_copy.assign(text, len_bytes);
        text = own_copy.data();
    }
    const std::size_t new_len = old_len - n + len_bytes;
    const bool unique = rep_ != nullptr && rep_->refs.load(std::memory_order_acquire) == 1;
    if (unique && rep_->capacity >= new_len) {
        char* p = rep_->text();
        std::memmove(p + pos + len_bytes, p + pos + n, old_len - pos - n);
        if (len_bytes > 0)
            std::memcpy(p + pos, text, len_bytes);
        rep_->length = new_len;
        p[new_len] = '\0';
        return;
    }
    if (new_len == 0) {
        release(rep_);
        rep_ = nullptr;
        return;
    }
    // Growing in place doubles the room so that repeated appends stay linear.
    const std::size_t room = unique ? std::max(new_len, 2 * rep_->capacity) : new_len;
    Rep* fresh = newRep(room);
    char* p = fresh->text();
    if (pos > 0)
        std::memcpy(p, data(), pos);
    if (len_bytes > 0)
        std::memcpy(p + pos, text, len_bytes);
    if (old_len - pos - n > 0)
        std::memcpy(p + pos + len_bytes, data() + pos + n, old_len - pos - n);
    fresh->length = new_len;
    p[new_len] = '\0';
    release(rep_);
    rep_ = fresh;
}

void RWCString::cow()
{
    if (rep_ == nullptr || rep_->refs.load(std::memory_order_acquire) == 1)
        return;
    Rep* fresh = newRep(rep_->capacity);
    std::memcpy(fresh->text(), rep_->text(), rep_->length + 1);
    fresh->length = rep_->length;
    release(rep_);
    rep_ = fresh;
}

char* RWCString::mutableData()
{
    cow();
    return rep_ != nullptr ? rep_->text() : nullptr;
}

// ---- RWCString: construction and assignment ----

RWCString::RWCString(const char* text)
{
    if (text != nullptr)
        assign(text, std::strlen(text));
}

RWCString::RWCString(const char* text, std::size_t len_bytes)
{
    if (text != nullptr)
        assign(text, len_bytes);
}

RWCString::RWCString(char c, std::size_t count) { append(c, count); }

RWCString::RWCString(RWSize_T capacity)
{
    if (capacity.value() > 0)
        rep_ = newRep(capacity.value());
}

RWCString::RWCString(const RWCSubString& piece)
{
    if (!piece.isNull())
        assign(piece.data(), piece.length());
}

RWCString::RWCString(const RWCString& other) : rep_(other.rep_)
{
    if (rep_ != nullptr)
        rep_->refs.fetch_add(1, std::memory_order_relaxed);
}

RWCString::RWCString(RWCString&& other) noexcept : rep_(other.rep_) { other.rep_ = nullptr; }

RWCString::~RWCString() { release(rep_); }

// Hand-written: the text is copied into the string's own buffer when it is not shared;
// null counts as empty.
RWCString& RWCString::operator=(const char* text)
{
    assign(text != nullptr ? text : "", text != nullptr ? std::strlen(text) : 0);
    return *this;
}

// Hand-written: the buffer is shared with one holder more, and the old one released.
RWCString& RWCString::operator=(const RWCString& other)
{
    if (rep_ == other.rep_)
        return *this;
    if (other.rep_ != nullptr)
        other.rep_->refs.fetch_add(1, std::memory_order_relaxed);
    release(rep_);
    rep_ = other.rep_;
    return *this;
}

// Hand-written: the buffer is taken over and other left empty; the old one is released.
RWCString& RWCString::operator=(RWCString&& other) noexcept
{
    if (this != &other) {
        release(rep_);
        rep_ = other.rep_;
        other.rep_ = nullptr;
    }
    return *this;
}

// Hand-written: the piece is copied out first, as it may be a piece of this string.
RWCString& RWCString::operator=(const RWCSubString& piece)
{
    const RWCString text(piece);
    return *this = text;
}

// Hand-written: the string becomes the one character (making a string of a character is
// explicit).
RWCString& RWCString::operator=(char c)
{
    assign(&c, 1);
    return *this;
}

std::size_t RWCString::capacity(std::size_t capacity)
{
    if (capacity <= this->capacity())
        return this->capacity();
    Rep* fresh = newRep(capacity);
    std::memcpy(fresh->text(), data(), length() + 1);
    fresh->length = length();
    release(rep_);
    rep_ = fresh;
    return capacity;
}

// ---- RWCString: changes ----

RWCString& RWCString::append(const char* text)
{
    if (text != nullptr)
        replaceRange(length(), 0, text, std::strlen(text));
    return *this;
}

RWCString& RWCString::append(const char* text, std::size_t len_bytes)
{
    if (text != nullptr)
        replaceRange(length(), 0, text, len_bytes);
    return *this;
}

RWCString& RWCString::append(const RWCString& text)
{
    replaceRange(length(), 0, text.data(), text.length());
    return *this;
}

RWCString& RWCString::append(const RWCString& text, std::size_t len_bytes)
{
    replaceRange(length(), 0, text.data(), std::min(len_bytes, text.length()));
    return *this;
}

RWCString& RWCString::append(char c, std::size_t count)
{
    if (count > 0) {
        const std::string run(count, c);
        replaceRange(length(), 0, run.data(), count);
    }
    return *this;
}

RWCString& RWCString::prepend(const char* text) { return insert(0, text); }
RWCString& RWCString::prepend(const RWCString& text) { return insert(0, text); }

RWCString& RWCString::insert(std::size_t pos, const char* text)
{
    replaceRange(pos, 0, text, text != nullptr ? std::strlen(text) : 0);
    return *this;
}

RWCString& RWCString::insert(std::size_t pos, const RWCString& text)
{
    replaceRange(pos, 0, text.data(), text.length());
    return *this;
}

RWCString& RWCString::remove(std::size_t pos) { return remove(pos, RW_NPOS); }

RWCString& RWCString::remove(std::size_t pos, std::size_t n)
{
    replaceRange(pos, n, "", 0);
    return *this;
}

RWCString& RWCString::replace(std::size_t pos, std::size_t n, const char* text)
{
    replaceRange(pos, n, text, text != nullptr ? std::strlen(text) : 0);
    return *this;
}

RWCString& RWCString::replace(std::size_t pos, std::size_t n, const RWCString& text)
{
    replaceRange(pos, n, text.data(), text.length());
    return *this;
}

char RWCString::operator[](std::size_t i) const
{
    if (i >= length())
        rwThrowBounds("RWCString::operator[]", i, length());
    return data()[i];
}

char& RWCString::operator[](std::size_t i)
{
    if (i >= length())
        rwThrowBounds("RWCString::operator[]", i, length());
    return mutableData()[i];
}

RWCSubString RWCString::operator()(std::size_t start, std::size_t len)
{
    if (start > length() || len > length() - start)
        rwThrowBounds("RWCString::operator()", start, length());
    return RWCSubString(this, start, len);
}

const RWCSubString RWCString::operator()(std::size_t start, std::size_t len) const
{
    // The substring of a constant string is only read; the class has one pointer type.
    return const_cast<RWCString*>(this)->operator()(start, len);
}

RWCSubString RWCString::operator()(const RWCRegexp& re, std::size_t start)
{
    std::size_t extent = 0;
    const std::size_t at = re.index(*this, &extent, start);
    if (at == RW_NPOS)
        return RWCSubString(this, RW_NPOS, 0);
    return RWCSubString(this, at, extent);
}

const RWCSubString RWCString::operator()(const RWCRegexp& re, std::size_t start) const
{
    // Read-only use, as above.
    return const_cast<RWCString*>(this)->operator()(re, start);
}

RWCSubString RWCString::strip(stripType how, char c)
{
    std::size_t begin = 0;
    std::size_t end = length();
    const char* p = data();
    if ((how & leading) != 0) {
        while (begin < end && p[begin] == c)
            ++begin;
    }
    if ((how & trailing) != 0) {
        while (end > begin && p[end - 1] == c)
            --end;
    }
    return RWCSubString(this, begin, end - begin);
}

// ---- RWCString: searches and comparisons ----

std::size_t RWCString::first(char c) const
{
    const void* hit = std::memchr(data(), c, length());
    return hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - data())
                          : RW_NPOS;
}

std::size_t RWCString::last(char c) const
{
    for (std::size_t i = length(); i > 0; --i) {
        if (data()[i - 1] == c)
            return i - 1;
    }
    return RW_NPOS;
}

std::size_t RWCString::index(const char* pattern, std::size_t start, caseCompare cmp) const
{
    return index(pattern, pattern != nullptr ? std::strlen(pattern) : 0, start, cmp);
}

std::size_t RWCString::index(const RWCString& pattern, std::size_t start, caseCompare cmp) const
{
    return index(pattern.data(), pattern.length(), start, cmp);
}

std::size_t RWCString::index(const RWCString& pattern, std::size_t pattern_len,
                             std::size_t start, caseCompare cmp) const
{
    return index(pattern.data(), std::min(pattern_len, pattern.length()), start, cmp);
}

std::size_t RWCString::index(const char* pattern, std::size_t pattern_len, std::size_t start,
                             caseCompare cmp) const
{
    const std::size_t len = length();
    if (start > len || pattern_len > len - start)
        return RW_NPOS;
    if (pattern_len == 0)
        return start;
    if (cmp == exact) {
        const std::string_view hay(data(), len);
        const std::size_t at = hay.find(std::string_view(pattern, pattern_len), start);
        return at == std::string_view::npos ? RW_NPOS : at;
    }
    for (std::size_t at = start; at <= len - pattern_len; ++at) {
        if (sameIgnoringCase(data() + at, pattern, pattern_len))
            return at;
    }
    return RW_NPOS;
}

std::size_t RWCString::index(const RWCRegexp& re, std::size_t start) const
{
    return re.index(*this, nullptr, start);
}

std::size_t RWCString::index(const RWCRegexp& re, std::size_t* extent, std::size_t start) const
{
    return re.index(*this, extent, start);
}

bool RWCString::contains(const char* pattern, caseCompare cmp) const
{
    return index(pattern, 0, cmp) != RW_NPOS;
}

bool RWCString::contains(const RWCString& pattern, caseCompare cmp) const
{
    return index(pattern, 0, cmp) != RW_NPOS;
}

int RWCString::compareTo(const char* text, caseCompare cmp) const
{
    if (text == nullptr)
        text = "";
    return compareBytes(data(), length(), text, std::strlen(text), cmp);
}

int RWCString::compareTo(const RWCString& text, caseCompare cmp) const
{
    return compareBytes(data(), length(), text.data(), text.length(), cmp);
}

unsigned RWCString::hash(caseCompare cmp) const
{
    // FNV-1a over the bytes (lowered first when case is ignored).
    std::uint32_t h = 2166136261u;
    const char* p = data();
    for (std::size_t i = 0; i < length(); ++i) {
        const char c = cmp == ignoreCase ? lowerByte(p[i]) : p[i];
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

void RWCString::toLower()
{
    char* p = mutableData();
    for (std::size_t i = 0; i < length(); ++i)
        p[i] = lowerByte(p[i]);
}

void RWCString::toUpper()
{
    char* p = mutableData();
    for (std::size_t i = 0; i < length(); ++i)
        p[i] = upperByte(p[i]);
}

// ---- RWCString: storage ----

void RWCString::saveOn(RWvostream& out) const { out.putString(data(), length()); }

void RWCString::saveOn(RWFile& file) const
{
    file.Write(static_cast<long>(length()));
    file.Write(data(), length());
}

void RWCString::restoreFrom(RWvistream& in) { restoreText(in, *this); }

void RWCString::restoreFrom(RWFile& file) { restoreText(file, *this); }

// ---- free operators ----

bool operator==(const RWCString& a, const RWCString& b)
{
    return a.length() == b.length() && std::memcmp(a.data(), b.data(), a.length()) == 0;
}

bool operator==(const RWCString& a, const char* b)
{
    if (b == nullptr)
        return a.isNull();
    return std::strlen(b) == a.length() && std::memcmp(a.data(), b, a.length()) == 0;
}

bool operator==(const RWCSubString& a, const char* b)
{
    if (b == nullptr)
        b = "";
    return std::strlen(b) == a.length() && std::memcmp(a.data(), b, a.length()) == 0;
}

bool operator==(const RWCSubString& a, const RWCString& b)
{
    return b.length() == a.length() && std::memcmp(a.data(), b.data(), a.length()) == 0;
}

RWCString operator+(const RWCString& a, const RWCString& b)
{
    RWCString sum(RWSize_T(a.length() + b.length()));
    return std::move(sum.append(a).append(b));
}

RWCString operator+(const RWCString& a, const char* b)
{
    RWCString sum(RWSize_T(a.length() + (b != nullptr ? std::strlen(b) : 0)));
    return std::move(sum.append(a).append(b));
}

RWCString operator+(const char* a, const RWCString& b)
{
    RWCString sum(RWSize_T((a != nullptr ? std::strlen(a) : 0) + b.length()));
    return std::move(sum.append(a).append(b));
}

RWCString toLower(const RWCString& s)
{
    RWCString copy(s);
    copy.toLower();
    return copy;
}

RWCString toUpper(const RWCString& s)
{
    RWCString copy(s);
    copy.toUpper();
    return copy;
}

std::ostream& operator<<(std::ostream& os, const RWCString& s)
{
    return os.write(s.data(), static_cast<std::streamsize>(s.length()));
}

std::ostream& operator<<(std::ostream& os, const RWCSubString& s)
{
    return os.write(s.data(), static_cast<std::streamsize>(s.length()));
}

RWvostream& operator<<(RWvostream& out, const RWCString& s)
{
    s.saveOn(out);
    return out;
}

RWvistream& operator>>(RWvistream& in, RWCString& s)
{
    s.restoreFrom(in);
    return in;
}

RWFile& operator<<(RWFile& file, const RWCString& s)
{
    s.saveOn(file);
    return file;
}

RWFile& operator>>(RWFile& file, RWCString& s)
{
    s.restoreFrom(file);
    return file;
}
