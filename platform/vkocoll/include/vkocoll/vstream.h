// vstream.h: the virtual streams through which objects store themselves
// (RWvistream/RWvostream) and their binary form over a std::streambuf
// (RWbistream/RWbostream). Binary values are written in native byte order; int and long
// take exactly 4 bytes (a long is stored as a 32-bit value), short 2, float 4, double 8.
// A string is its length as a long followed by its bytes.
#pragma once
#include <cstddef>
#include <iosfwd>

// Stream status shared by both directions. A read past the end sets eof and fail; a
// malformed record sets fail; nothing is thrown.
class RWvios {
public:
    enum { goodbit = 0, eofbit = 1, failbit = 2, badbit = 4 };
    virtual ~RWvios() = default;

    int rdstate() const { return state_; }
    bool good() const { return state_ == goodbit; }
    bool eof() const { return (state_ & eofbit) != 0; }
    bool fail() const { return (state_ & (failbit | badbit)) != 0; }
    bool bad() const { return (state_ & badbit) != 0; }
    void clear(int state = goodbit) { state_ = state; }
    void setstate(int bits) { state_ |= bits; }
    explicit operator bool() const { return !fail(); }

private:
    int state_ = goodbit;
};

class RWvistream : public RWvios {
public:
    // Primitive readers; on failure the value is left as it was and the status set.
    virtual RWvistream& get(char& c) = 0;
    virtual RWvistream& get(unsigned char& c) = 0;
    virtual RWvistream& get(short& v) = 0;
    virtual RWvistream& get(unsigned short& v) = 0;
    virtual RWvistream& get(int& v) = 0;
    virtual RWvistream& get(unsigned int& v) = 0;
    virtual RWvistream& get(long& v) = 0;
    virtual RWvistream& get(unsigned long& v) = 0;
    virtual RWvistream& get(float& v) = 0;
    virtual RWvistream& get(double& v) = 0;
    // Reads exactly n raw bytes.
    virtual RWvistream& get(char* buf, std::size_t n) = 0;
    // Reads a string written by putString into buf (capacity maxlen, always terminated);
    // a longer stored string is cut and the rest skipped.
    RWvistream& getString(char* buf, std::size_t maxlen);

    RWvistream& operator>>(char& c) { return get(c); }
    RWvistream& operator>>(unsigned char& c) { return get(c); }
    RWvistream& operator>>(short& v) { return get(v); }
    RWvistream& operator>>(unsigned short& v) { return get(v); }
    RWvistream& operator>>(int& v) { return get(v); }
    RWvistream& operator>>(unsigned int& v) { return get(v); }
    RWvistream& operator>>(long& v) { return get(v); }
    RWvistream& operator>>(unsigned long& v) { return get(v); }
    RWvistream& operator>>(float& v) { return get(v); }
    RWvistream& operator>>(double& v) { return get(v); }
};

class RWvostream : public RWvios {
public:
    virtual RWvostream& put(char c) = 0;
    virtual RWvostream& put(unsigned char c) = 0;
    virtual RWvostream& put(short v) = 0;
    virtual RWvostream& put(unsigned short v) = 0;
    virtual RWvostream& put(int v) = 0;
    virtual RWvostream& put(unsigned int v) = 0;
    virtual RWvostream& put(long v) = 0;
    virtual RWvostream& put(unsigned long v) = 0;
    virtual RWvostream& put(float v) = 0;
    virtual RWvostream& put(double v) = 0;
    // Writes n raw bytes.
    virtual RWvostream& put(const char* buf, std::size_t n) = 0;
    virtual RWvostream& flush() { return *this; }
    // Writes the length as a long, then the bytes.
    RWvostream& putString(const char* text, std::size_t len_bytes);

    RWvostream& operator<<(char c) { return put(c); }
    RWvostream& operator<<(unsigned char c) { return put(c); }
    RWvostream& operator<<(short v) { return put(v); }
    RWvostream& operator<<(unsigned short v) { return put(v); }
    RWvostream& operator<<(int v) { return put(v); }
    RWvostream& operator<<(unsigned int v) { return put(v); }
    RWvostream& operator<<(long v) { return put(v); }
    RWvostream& operator<<(unsigned long v) { return put(v); }
    RWvostream& operator<<(float v) { return put(v); }
    RWvostream& operator<<(double v) { return put(v); }
    // A terminated string (null writes the empty string), framed as putString.
    RWvostream& operator<<(const char* text);
};

// Reads the binary form from a stream buffer it does not own.
class RWbistream : public RWvistream {
public:
    explicit RWbistream(std::streambuf* buf);
    explicit RWbistream(std::istream& in);

    RWvistream& get(char& c) override;
    RWvistream& get(unsigned char& c) override;
    RWvistream& get(short& v) override;
    RWvistream& get(unsigned short& v) override;
    RWvistream& get(int& v) override;
    RWvistream& get(unsigned int& v) override;
    RWvistream& get(long& v) override;
    RWvistream& get(unsigned long& v) override;
    RWvistream& get(float& v) override;
    RWvistream& get(double& v) override;
    RWvistream& get(char* buf, std::size_t n) override;

    std::streambuf* rdbuf() const { return buf_; }

private:
    bool readBytes(void* dst, std::size_t n);
    // Reads a Raw (the stored width) and widens it into v; v is untouched on failure.
    template <typename Raw, typename Value> RWvistream& readAs(Value& v);
    std::streambuf* buf_;
};

// Writes the binary form to a stream buffer it does not own.
class RWbostream : public RWvostream {
public:
    explicit RWbostream(std::streambuf* buf);
    explicit RWbostream(std::ostream& out);

    RWvostream& put(char c) override;
    RWvostream& put(unsigned char c) override;
    RWvostream& put(short v) override;
    RWvostream& put(unsigned short v) override;
    RWvostream& put(int v) override;
    RWvostream& put(unsigned int v) override;
    RWvostream& put(long v) override;
    RWvostream& put(unsigned long v) override;
    RWvostream& put(float v) override;
    RWvostream& put(double v) override;
    RWvostream& put(const char* buf, std::size_t n) override;
    RWvostream& flush() override;

    std::streambuf* rdbuf() const { return buf_; }

private:
    void writeBytes(const void* src, std::size_t n);
    // Narrows v to Raw, the stored width, and writes it.
    template <typename Raw, typename Value> RWvostream& writeAs(Value v);
    std::streambuf* buf_;
};
