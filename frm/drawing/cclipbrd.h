// cclipbrd.h: FRM_CClipboard, the toolkit clipboard as streams: text through iostreams,
// application data through the container library's binary streams, pictures through two
// small streams. A clipboard is opened for reading or for writing; all clipboard objects
// alive at one time share one implementation, which owns the buffers and streams. Reading
// fetches the data when a stream is first asked for; writing collects data in memory and
// puts it when flushed, or when the last clipboard object goes away if nothing was flushed.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <streambuf>

#include "ruk/static/vkoruk.h"
#include "vkocoll/vstream.h"

enum CBMode : std::int32_t { kCBClosed = 0, kCBRead = 1, kCBWrite = 2 };

class CClipboardImplementation;
class FRM_CClipboardTextIStream;
class FRM_CClipboardTextOStream;
class FRM_CClipboardApplIStream;
class FRM_CClipboardApplOStream;
class FRM_CClipboardPictIStream;
class FRM_CClipboardPictOStream;

class FRM_CClipboard {
public:
    // A clipboard of the other mode than the one alive is misuse: fatal 2900.
    explicit FRM_CClipboard(CBMode mode = kCBWrite);
    ~FRM_CClipboard();
    FRM_CClipboard(const FRM_CClipboard&) = delete;
    FRM_CClipboard& operator=(const FRM_CClipboard&) = delete;

    static short HasFormat(e_cb format, const char* formatName);
    // Puts what was written (write mode); 1 when something was put.
    short Flush();
    CBMode GetMode() const;

    // Streams of the clipboard's mode; null for the other mode, and for a reading stream
    // when the clipboard cannot be opened (a later call tries again). The name of the first
    // application stream asked for is the one used.
    FRM_CClipboardTextIStream* GetTextIStream();
    FRM_CClipboardPictIStream* GetPictIStream();
    FRM_CClipboardApplIStream* GetApplIStream(const char* formatName);
    FRM_CClipboardTextOStream* GetTextOStream();
    FRM_CClipboardPictOStream* GetPictOStream();
    FRM_CClipboardApplOStream* GetApplOStream(const char* formatName);

private:
    CClipboardImplementation* itsImplementation;
};

// A stream buffer over one block of toolkit global memory, for one clipboard format.
class FRM_CClipboardBuf : public std::streambuf {
public:
    static constexpr std::size_t kNameSize = 10;

    // In read mode the clipboard (open for reading) is read at once.
    explicit FRM_CClipboardBuf(CBMode mode = kCBWrite, e_cb format = CB_TEXT,
                               const char* name = nullptr);
    ~FRM_CClipboardBuf() override;
    FRM_CClipboardBuf(const FRM_CClipboardBuf&) = delete;
    FRM_CClipboardBuf& operator=(const FRM_CClipboardBuf&) = delete;

    // Read mode: Get; write mode: Put (the clipboard must be open); 1 on success.
    short Flush();
    long GetSize() const { return itsSize; }
    const char* GetName() const { return itsName; }
    e_cb GetFormat() const { return itsFormat; }
    PICTURE GetPicture() const { return itsPicture; }
    // Takes the picture, destroying one held before; answers 1.
    short SetPicture(PICTURE picture);

protected:
    int sync() override { return 0; }
    int_type overflow(int_type c) override;
    int_type underflow() override;

private:
    short Get();
    short Put();
    bool Allocate(std::uint32_t size);
    bool Reallocate(std::uint32_t size);
    bool Lock();
    void Unlock();
    void Free();
    bool AllocateArea(); // the first block, locked, as put and get areas
    void SetAreas(std::size_t getEnd, std::size_t getPos, std::size_t putPos);

    e_cb itsFormat;
    char itsName[kNameSize + 1] = {};
    PICTURE itsPicture = nullptr; // owned
    GHANDLE itsMemory = nullptr;  // owned
    long itsSize = 1024;
    char* itsData = nullptr; // valid only while locked
    short itIsLocked = 0;
    CBMode itsMode;
    std::size_t itsReadLength = 0; // read mode: bytes of the datum in the block
};

class FRM_CClipboardTextIStream : public std::istream {
    friend class CClipboardImplementation;
    explicit FRM_CClipboardTextIStream(FRM_CClipboardBuf* buffer) : std::istream(buffer) {}
};

class FRM_CClipboardTextOStream : public std::ostream {
    friend class CClipboardImplementation;
    explicit FRM_CClipboardTextOStream(FRM_CClipboardBuf* buffer) : std::ostream(buffer) {}
};

class FRM_CClipboardApplIStream : public RWbistream {
    friend class CClipboardImplementation;
    explicit FRM_CClipboardApplIStream(FRM_CClipboardBuf* buffer) : RWbistream(buffer) {}
};

class FRM_CClipboardApplOStream : public RWbostream {
    friend class CClipboardImplementation;
    explicit FRM_CClipboardApplOStream(FRM_CClipboardBuf* buffer) : RWbostream(buffer) {}
};

class FRM_CClipboardPictIStream {
public:
    // A new picture made from the clipboard's; the argument is unchanged when there is none.
    FRM_CClipboardPictIStream& operator>>(PICTURE& picture);

private:
    friend class CClipboardImplementation;
    explicit FRM_CClipboardPictIStream(FRM_CClipboardBuf* buffer) : itsBuffer(buffer) {}
    FRM_CClipboardBuf* itsBuffer;
};

class FRM_CClipboardPictOStream {
public:
    // Hands a copy of the picture to the clipboard; the caller keeps its own.
    FRM_CClipboardPictOStream& operator<<(PICTURE picture);

private:
    friend class CClipboardImplementation;
    explicit FRM_CClipboardPictOStream(FRM_CClipboardBuf* buffer) : itsBuffer(buffer) {}
    FRM_CClipboardBuf* itsBuffer;
};

// The implementation shared by every clipboard object alive; owns buffers and streams.
class CClipboardImplementation {
public:
    // The current implementation, created in this mode when there is none; null when the
    // current one has the other mode.
    static CClipboardImplementation* GetImplementation(CBMode mode);
    void AddReference() { ++itsReferences; }
    // The last reference deletes the implementation.
    void RemoveReference();

    short Open(short forWriting) { return vko_cb_open(forWriting) ? 1 : 0; }
    short Close() { return vko_cb_close() ? 1 : 0; }
    short Flush();
    CBMode GetMode() const { return itsMode; }

    FRM_CClipboardTextIStream* GetTextIStream();
    FRM_CClipboardApplIStream* GetApplIStream(const char* formatName);
    FRM_CClipboardPictIStream* GetPictIStream();
    FRM_CClipboardTextOStream* GetTextOStream();
    FRM_CClipboardApplOStream* GetApplOStream(const char* formatName);
    FRM_CClipboardPictOStream* GetPictOStream();

private:
    explicit CClipboardImplementation(CBMode mode) : itsMode(mode) {}
    ~CClipboardImplementation();
    // A reading buffer: the clipboard is opened around its creation; null when it cannot be.
    std::unique_ptr<FRM_CClipboardBuf> ReadBuffer(e_cb format, const char* name);

    std::unique_ptr<FRM_CClipboardBuf> itsTextBuffer;
    std::unique_ptr<FRM_CClipboardBuf> itsApplBuffer;
    std::unique_ptr<FRM_CClipboardBuf> itsPictBuffer;
    std::unique_ptr<FRM_CClipboardTextIStream> itsTextIStream;
    std::unique_ptr<FRM_CClipboardTextOStream> itsTextOStream;
    std::unique_ptr<FRM_CClipboardApplIStream> itsApplIStream;
    std::unique_ptr<FRM_CClipboardApplOStream> itsApplOStream;
    std::unique_ptr<FRM_CClipboardPictIStream> itsPictIStream;
    std::unique_ptr<FRM_CClipboardPictOStream> itsPictOStream;
    int itsReferences = 0;
    CBMode itsMode;
    short itIsFlushed = 0;
};
