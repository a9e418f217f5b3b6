// rwfile.cpp: RWFile over stdio. Every value is copied through memcpy in native order;
// int and long are narrowed to 32 bits so each takes exactly 4 bytes in the file.
#include "vkocoll/rwfile.h"

#include <cstdint>
#include <unistd.h>

RWFile::RWFile(const char* name, const char* mode)
{
    if (name == nullptr)
        return;
    name_ = name;
    if (mode != nullptr) {
        fp_ = std::fopen(name, mode);
        return;
    }
    fp_ = std::fopen(name, "rb+");
    if (fp_ == nullptr)
        fp_ = std::fopen(name, "wb+");
}

RWFile::~RWFile()
{
    if (fp_ != nullptr)
        std::fclose(fp_);
}

bool RWFile::Exists(const char* name)
{
    return name != nullptr && ::access(name, F_OK) == 0;
}

// stdio needs a positioning call between a read and a write on an update stream; these
// make one when the direction changes, so callers may mix Read and Write freely.
bool RWFile::readBytes(void* dst, std::size_t n)
{
    if (fp_ == nullptr)
        return false;
    if (last_ == LastOp::Write)
        std::fseek(fp_, 0, SEEK_CUR);
    last_ = LastOp::Read;
    return std::fread(dst, 1, n, fp_) == n;
}

bool RWFile::writeBytes(const void* src, std::size_t n)
{
    if (fp_ == nullptr)
        return false;
    if (last_ == LastOp::Read)
        std::fseek(fp_, 0, SEEK_CUR);
    last_ = LastOp::Write;
    return std::fwrite(src, 1, n, fp_) == n;
}

namespace {

// Reads a Stored value and widens it into v; v is untouched when the read fails.
template <typename Stored, typename T> bool readAs(RWFile& file, T& v)
{
    Stored raw{};
    if (!file.Read(reinterpret_cast<char*>(&raw), sizeof raw))
        return false;
    v = static_cast<T>(raw);
    return true;
}

template <typename Stored, typename T> bool writeAs(RWFile& file, T v)
{
    const auto raw = static_cast<Stored>(v);
    return file.Write(reinterpret_cast<const char*>(&raw), sizeof raw);
}

} // namespace

bool RWFile::Read(char& c) { return readBytes(&c, 1); }
bool RWFile::Read(unsigned char& c) { return readBytes(&c, 1); }
bool RWFile::Read(short& v) { return readAs<std::int16_t>(*this, v); }
bool RWFile::Read(unsigned short& v) { return readAs<std::uint16_t>(*this, v); }
bool RWFile::Read(int& v) { return readAs<std::int32_t>(*this, v); }
bool RWFile::Read(unsigned int& v) { return readAs<std::uint32_t>(*this, v); }
bool RWFile::Read(long& v) { return readAs<std::int32_t>(*this, v); }
bool RWFile::Read(unsigned long& v) { return readAs<std::uint32_t>(*this, v); }
bool RWFile::Read(float& v) { return readAs<float>(*this, v); }
bool RWFile::Read(double& v) { return readAs<double>(*this, v); }
bool RWFile::Read(char* buf, std::size_t n) { return n == 0 || readBytes(buf, n); }

bool RWFile::Write(char c) { return writeBytes(&c, 1); }
bool RWFile::Write(unsigned char c) { return writeBytes(&c, 1); }
bool RWFile::Write(short v) { return writeAs<std::int16_t>(*this, v); }
bool RWFile::Write(unsigned short v) { return writeAs<std::uint16_t>(*this, v); }
bool RWFile::Write(int v) { return writeAs<std::int32_t>(*this, v); }
bool RWFile::Write(unsigned int v) { return writeAs<std::uint32_t>(*this, v); }
bool RWFile::Write(long v) { return writeAs<std::int32_t>(*this, v); }
bool RWFile::Write(unsigned long v) { return writeAs<std::uint32_t>(*this, v); }
bool RWFile::Write(float v) { return writeAs<float>(*this, v); }
bool RWFile::Write(double v) { return writeAs<double>(*this, v); }
bool RWFile::Write(const char* buf, std::size_t n) { return n == 0 || writeBytes(buf, n); }

long RWFile::CurOffset() { return fp_ != nullptr ? std::ftell(fp_) : -1; }

bool RWFile::SeekTo(long offset)
{
    return fp_ != nullptr && std::fseek(fp_, offset, SEEK_SET) == 0;
}

bool RWFile::SeekToEnd() { return fp_ != nullptr && std::fseek(fp_, 0, SEEK_END) == 0; }

bool RWFile::Flush() { return fp_ != nullptr && std::fflush(fp_) == 0; }

bool RWFile::IsEmpty()
{
    if (fp_ == nullptr)
        return true;
    const long here = std::ftell(fp_);
    if (std::fseek(fp_, 0, SEEK_END) != 0)
        return true;
    const long end = std::ftell(fp_);
    std::fseek(fp_, here, SEEK_SET);
    return end <= 0;
}

bool RWFile::Erase()
{
    if (fp_ == nullptr)
        return false;
    std::fflush(fp_);
    if (::ftruncate(::fileno(fp_), 0) != 0)
        return false;
    return std::fseek(fp_, 0, SEEK_SET) == 0;
}

bool RWFile::Eof() { return fp_ == nullptr || std::feof(fp_) != 0; }
bool RWFile::Error() { return fp_ == nullptr || std::ferror(fp_) != 0; }

void RWFile::ClearErr()
{
    if (fp_ != nullptr)
        std::clearerr(fp_);
}
