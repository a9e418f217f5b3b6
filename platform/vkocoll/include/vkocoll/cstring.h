// cstring.h: RWCString, the library's byte string, and RWCSubString, a window into one.
// Copies share one reference-counted buffer until one of them changes: every change makes
// the buffer unique first, so a copy changed in place never alters the string it came from.
// Positions are byte offsets; a failed search answers RW_NPOS.
#pragma once
#include <atomic>
#include <cstddef>
#include <iosfwd>
#include "vkocoll/defs.h"

class RWCRegexp;
class RWCString;
class RWFile;
class RWvistream;
class RWvostream;

// A piece of an RWCString: start and extent. Assigning to it replaces that piece of the
// string it was taken from. A "null" substring (a failed search) has start RW_NPOS.
class RWCSubString {
public:
    RWCSubString(const RWCSubString&) = default;
    RWCSubString& operator=(const char* text);
    RWCSubString& operator=(const RWCString& text);
    RWCSubString& operator=(const RWCSubString& other);

    std::size_t length() const { return extent_; }
    std::size_t start() const { return begin_; }
    bool isNull() const { return begin_ == RW_NPOS; }
    // The first byte of the piece; not terminated. Empty text for a null substring.
    const char* data() const;
    // Bounds-checked byte access within the piece.
    char operator[](std::size_t i) const;

    void toLower();
    void toUpper();

private:
    friend class RWCString;
    RWCSubString(RWCString* str, std::size_t begin, std::size_t extent)
        : str_(str), begin_(begin), extent_(extent) {}

    RWCString* str_;
    std::size_t begin_;
    std::size_t extent_;
};

class RWCString {
public:
    enum caseCompare { exact, ignoreCase };
    enum stripType { leading = 1, trailing = 2, both = 3 };

    RWCString() = default;
    RWCString(const char* text);  // null counts as empty
    RWCString(const char* text, std::size_t len_bytes);
    RWCString(char c, std::size_t count);
    explicit RWCString(char c) : RWCString(c, 1) {}
    explicit RWCString(RWSize_T capacity);
    RWCString(const RWCSubString& piece);
    RWCString(const RWCString& other);
    RWCString(RWCString&& other) noexcept;
    ~RWCString();

    RWCString& operator=(const char* text);
    RWCString& operator=(const RWCString& other);
    RWCString& operator=(RWCString&& other) noexcept;
    RWCString& operator=(const RWCSubString& piece);
    RWCString& operator=(char c);

    // The bytes, always terminated by a zero byte (which length() does not count).
    const char* data() const { return rep_ != nullptr ? rep_->text() : kEmpty; }
    operator const char*() const { return data(); }
    std::size_t length() const { return rep_ != nullptr ? rep_->length : 0; }
    bool isNull() const { return length() == 0; }
    std::size_t capacity() const { return rep_ != nullptr ? rep_->capacity : 0; }
    // Asks for room for at least capacity bytes; answers the capacity now held.
    std::size_t capacity(std::size_t capacity);

    RWCString& append(const char* text);
    RWCString& append(const char* text, std::size_t len_bytes);
    RWCString& append(const RWCString& text);
    RWCString& append(const RWCString& text, std::size_t len_bytes);
    RWCString& append(char c, std::size_t count = 1);
    RWCString& prepend(const char* text);
    RWCString& prepend(const RWCString& text);
    RWCString& insert(std::size_t pos, const char* text);
    RWCString& insert(std::size_t pos, const RWCString& text);
    // Removes from pos to the end, or n bytes from pos; throws RWBoundsErr if pos > length.
    RWCString& remove(std::size_t pos);
    RWCString& remove(std::size_t pos, std::size_t n);
    RWCString& replace(std::size_t pos, std::size_t n, const char* text);
    RWCString& replace(std::size_t pos, std::size_t n, const RWCString& text);

    RWCString& operator+=(const char* text) { return append(text); }
    RWCString& operator+=(const RWCString& text) { return append(text); }
    RWCString& operator+=(char c) { return append(c); }

    // Bounds-checked byte access; the writable form makes the buffer unique.
    char operator[](std::size_t i) const;
    char& operator[](std::size_t i);
    char operator()(std::size_t i) const { return (*this)[i]; }
    char& operator()(std::size_t i) { return (*this)[i]; }

    // The piece [start, start + len); throws RWBoundsErr when it passes the end.
    RWCSubString operator()(std::size_t start, std::size_t len);
    const RWCSubString operator()(std::size_t start, std::size_t len) const;
    // The leftmost-longest match of re at or after start; a null substring when none.
    RWCSubString operator()(const RWCRegexp& re, std::size_t start = 0);
    const RWCSubString operator()(const RWCRegexp& re, std::size_t start = 0) const;
    RWCSubString strip(stripType how = trailing, char c = ' ');

    std::size_t first(char c) const;
    std::size_t last(char c) const;

    // Position of the first occurrence of the pattern at or after start, RW_NPOS if none.
    // An empty pattern is found at start when start <= length().
    std::size_t index(const char* pattern, std::size_t start = 0,
                      caseCompare cmp = exact) const;
    std::size_t index(const RWCString& pattern, std::size_t start = 0,
                      caseCompare cmp = exact) const;
    std::size_t index(const char* pattern, std::size_t pattern_len, std::size_t start,
                      caseCompare cmp) const;
    std::size_t index(const RWCString& pattern, std::size_t pattern_len, std::size_t start,
                      caseCompare cmp) const;
    std::size_t index(const RWCRegexp& re, std::size_t start = 0) const;
    // As above; *extent receives the match length (0 when nothing matched).
    std::size_t index(const RWCRegexp& re, std::size_t* extent, std::size_t start = 0) const;
    bool contains(const char* pattern, caseCompare cmp = exact) const;
    bool contains(const RWCString& pattern, caseCompare cmp = exact) const;

    // Negative, zero or positive as this sorts before, with or after text (byte order).
    int compareTo(const char* text, caseCompare cmp = exact) const;
    int compareTo(const RWCString& text, caseCompare cmp = exact) const;
    unsigned hash(caseCompare cmp = exact) const;

    void toLower();
    void toUpper();

    // Stored form, in a virtual stream and in an RWFile: the length as a long, then the
    // bytes. binaryStoreSize is its size in an RWFile.
    std::size_t binaryStoreSize() const { return 4 + length(); }
    void saveOn(RWvostream& out) const;
    void saveOn(RWFile& file) const;
    void restoreFrom(RWvistream& in);
    void restoreFrom(RWFile& file);

    static unsigned hash(const RWCString& s) { return s.hash(); }

protected:
    // Makes the buffer this string's own, so that it may be written in place.
    void cow();
    // cow(), then the writable bytes (length() of them, plus the terminating zero).
    // Null for an empty string.
    char* mutableData();

private:
    friend class RWCSubString;
    // One allocation: this header, then capacity + 1 bytes of text.
    struct Rep {
        std::atomic<long> refs;
        std::size_t capacity;
        std::size_t length;
        char* text() { return reinterpret_cast<char*>(this + 1); }
    };
    static constexpr char kEmpty[1] = {0};

    static Rep* newRep(std::size_t capacity);
    static void release(Rep* rep);
    void assign(const char* text, std::size_t len_bytes);
    // Replaces n bytes at pos with len_bytes from text; text may point into this string.
    void replaceRange(std::size_t pos, std::size_t n, const char* text, std::size_t len_bytes);

    Rep* rep_ = nullptr;
};

bool operator==(const RWCString& a, const RWCString& b);
bool operator==(const RWCString& a, const char* b);
inline bool operator==(const char* a, const RWCString& b) { return b == a; }
bool operator==(const RWCSubString& a, const char* b);
bool operator==(const RWCSubString& a, const RWCString& b);
inline bool operator!=(const RWCString& a, const RWCString& b) { return !(a == b); }
inline bool operator!=(const RWCString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const RWCString& b) { return !(b == a); }
inline bool operator<(const RWCString& a, const RWCString& b) { return a.compareTo(b) < 0; }
inline bool operator<(const RWCString& a, const char* b) { return a.compareTo(b) < 0; }

RWCString operator+(const RWCString& a, const RWCString& b);
RWCString operator+(const RWCString& a, const char* b);
RWCString operator+(const char* a, const RWCString& b);

RWCString toLower(const RWCString& s);
RWCString toUpper(const RWCString& s);

std::ostream& operator<<(std::ostream& os, const RWCString& s);
std::ostream& operator<<(std::ostream& os, const RWCSubString& s);
RWvostream& operator<<(RWvostream& out, const RWCString& s);
RWvistream& operator>>(RWvistream& in, RWCString& s);
RWFile& operator<<(RWFile& file, const RWCString& s);
RWFile& operator>>(RWFile& file, RWCString& s);
