// vstream.cpp: the binary virtual streams. Values go through memcpy in native byte order;
// longs are narrowed to 32 bits so that every stored long takes 4 bytes.
#include "vkocoll/vstream.h"

#include <cstdint>
#include <cstring>
#include <istream>
#include <ostream>
#include <streambuf>

namespace {

constexpr std::size_t kSkipChunk = 256;

} // namespace

RWvistream& RWvistream::getString(char* buf, std::size_t maxlen)
{
    long stored = 0;
    if (!get(stored) || stored < 0) {
        setstate(failbit);
        if (buf != nullptr && maxlen > 0)
            buf[0] = '\0';
        return *this;
    }
    std::size_t left = static_cast<std::size_t>(stored);
    std::size_t kept = 0;
    if (buf != nullptr && maxlen > 0) {
        kept = left < maxlen - 1 ? left : maxlen - 1;
        if (!get(buf, kept))
            kept = 0;
        buf[kept] = '\0';
    }
    left -= kept;
    char skip[kSkipChunk];
    while (left > 0 && !fail()) {
        const std::size_t n = left < kSkipChunk ? left : kSkipChunk;
        get(skip, n);
        left -= n;
    }
    return *this;
}

RWvostream& RWvostream::putString(const char* text, std::size_t len_bytes)
{
    put(static_cast<long>(len_bytes));
    return put(text, len_bytes);
}

RWvostream& RWvostream::operator<<(const char* text)
{
    if (text == nullptr)
        return putString("", 0);
    return putString(text, std::strlen(text));
}

RWbistream::RWbistream(std::streambuf* buf) : buf_(buf)
{
    if (buf_ == nullptr)
        setstate(badbit);
}

RWbistream::RWbistream(std::istream& in) : RWbistream(in.rdbuf()) {}

bool RWbistream::readBytes(void* dst, std::size_t n)
{
    if (fail())
        return false;
    if (n == 0)
        return true;
    const auto got = buf_->sgetn(static_cast<char*>(dst), static_cast<std::streamsize>(n));
    if (got != static_cast<std::streamsize>(n)) {
        setstate(eofbit | failbit);
        return false;
    }
    return true;
}

template <typename Raw, typename Value> RWvistream& RWbistream::readAs(Value& v)
{
    Raw raw{};
    if (readBytes(&raw, sizeof raw))
        v = static_cast<Value>(raw);
    return *this;
}

RWvistream& RWbistream::get(char& c) { return readAs<char>(c); }
RWvistream& RWbistream::get(unsigned char& c) { return readAs<unsigned char>(c); }
RWvistream& RWbistream::get(short& v) { return readAs<std::int16_t>(v); }
RWvistream& RWbistream::get(unsigned short& v) { return readAs<std::uint16_t>(v); }
RWvistream& RWbistream::get(int& v) { return readAs<std::int32_t>(v); }
RWvistream& RWbistream::get(unsigned int& v) { return readAs<std::uint32_t>(v); }
RWvistream& RWbistream::get(long& v) { return readAs<std::int32_t>(v); }
RWvistream& RWbistream::get(unsigned long& v) { return readAs<std::uint32_t>(v); }
RWvistream& RWbistream::get(float& v) { return readAs<float>(v); }
RWvistream& RWbistream::get(double& v) { return readAs<double>(v); }

RWvistream& RWbistream::get(char* buf, std::size_t n)
{
    readBytes(buf, n);
    return *this;
}

RWbostream::RWbostream(std::streambuf* buf) : buf_(buf)
{
    if (buf_ == nullptr)
        setstate(badbit);
}

RWbostream::RWbostream(std::ostream& out) : RWbostream(out.rdbuf()) {}

void RWbostream::writeBytes(const void* src, std::size_t n)
{
    if (fail() || n == 0)
        return;
    const auto put_n =
        buf_->sputn(static_cast<const char*>(src), static_cast<std::streamsize>(n));
    if (put_n != static_cast<std::streamsize>(n))
        setstate(badbit);
}

template <typename Raw, typename Value> RWvostream& RWbostream::writeAs(Value v)
{
    const auto raw = static_cast<Raw>(v);
    writeBytes(&raw, sizeof raw);
    return *this;
}

RWvostream& RWbostream::put(char c) { return writeAs<char>(c); }
RWvostream& RWbostream::put(unsigned char c) { return writeAs<unsigned char>(c); }
RWvostream& RWbostream::put(short v) { return writeAs<std::int16_t>(v); }
RWvostream& RWbostream::put(unsigned short v) { return writeAs<std::uint16_t>(v); }
RWvostream& RWbostream::put(int v) { return writeAs<std::int32_t>(v); }
RWvostream& RWbostream::put(unsigned int v) { return writeAs<std::uint32_t>(v); }
RWvostream& RWbostream::put(long v) { return writeAs<std::int32_t>(v); }
RWvostream& RWbostream::put(unsigned long v) { return writeAs<std::uint32_t>(v); }
RWvostream& RWbostream::put(float v) { return writeAs<float>(v); }
RWvostream& RWbostream::put(double v) { return writeAs<double>(v); }

RWvostream& RWbostream::put(const char* buf, std::size_t n)
{
    writeBytes(buf, n);
    return *this;
}

RWvostream& RWbostream::flush()
{
    if (!fail() && buf_->pubsync() != 0)
        setstate(badbit);
    return *this;
}
