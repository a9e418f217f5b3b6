// rwfile.h: RWFile, a binary file of native-order values. int and long are stored as
// exactly 4 bytes (a long as a 32-bit value), short as 2, float as 4, double as 8.
// Every call answers false on failure and never throws; the file closes with the object.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

class RWFile {
public:
    // Opens name with the given fopen mode; without a mode an existing file is opened for
    // update ("rb+") and a missing one is created ("wb+"). isValid() tells whether it opened.
    explicit RWFile(const char* name, const char* mode = nullptr);
    ~RWFile();
    RWFile(const RWFile&) = delete;
    RWFile& operator=(const RWFile&) = delete;

    const char* GetName() const { return name_.c_str(); }
    bool isValid() const { return fp_ != nullptr; }
    static bool Exists(const char* name);
    bool Exists() const { return isValid(); }

    bool Read(char& c);
    bool Read(unsigned char& c);
    bool Read(short& v);
    bool Read(unsigned short& v);
    bool Read(int& v);
    bool Read(unsigned int& v);
    bool Read(long& v);
    bool Read(unsigned long& v);
    bool Read(float& v);
    bool Read(double& v);
    bool Read(char* buf, std::size_t n);

    bool Write(char c);
    bool Write(unsigned char c);
    bool Write(short v);
    bool Write(unsigned short v);
    bool Write(int v);
    bool Write(unsigned int v);
    bool Write(long v);
    bool Write(unsigned long v);
    bool Write(float v);
    bool Write(double v);
    bool Write(const char* buf, std::size_t n);

    long CurOffset();
    bool SeekTo(long offset);
    bool SeekToBegin() { return SeekTo(0); }
    bool SeekToEnd();
    bool Flush();
    bool IsEmpty();
    // Empties the file.
    bool Erase();
    bool Eof();
    bool Error();
    void ClearErr();

private:
    bool readBytes(void* dst, std::size_t n);
    bool writeBytes(const void* src, std::size_t n);

    enum class LastOp { None, Read, Write };
    std::string name_;
    std::FILE* fp_ = nullptr;
    LastOp last_ = LastOp::None;  // direction of the last transfer
};
