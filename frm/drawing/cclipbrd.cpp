// cclipbrd.cpp: clipboard buffers over toolkit global memory, the shared implementation and
// the picture streams. Stored forms: text is a string (the base library terminates it),
// application data a 32-bit native-order byte count followed by the bytes, a picture is
// handed over as a toolkit picture.
#include "frm/drawing/cclipbrd.h"

#include <cstring>
#include <limits>

#include "frm/core/frmerror.h"

namespace {

constexpr char kModule[] = "cclipbrd";
constexpr long kErrOtherMode = 2900;
constexpr int kLineOtherMode = 32;

struct ClipboardState {
    CClipboardImplementation* current = nullptr; // deleted by its last reference
};
ClipboardState& State()
{
    static ClipboardState state;
    return state;
}

} // namespace

// ---- FRM_CClipboard ----------------------------------------------------------------------

FRM_CClipboard::FRM_CClipboard(CBMode mode)
    : itsImplementation(CClipboardImplementation::GetImplementation(mode))
{
    if (itsImplementation == nullptr) {
        FrmError(kErrOtherMode, kModule, kLineOtherMode);
        return;
    }
    itsImplementation->AddReference();
}

FRM_CClipboard::~FRM_CClipboard()
{
    if (itsImplementation != nullptr)
        itsImplementation->RemoveReference();
}

short FRM_CClipboard::HasFormat(e_cb format, const char* formatName)
{
    return vko_cb_has_format(format, formatName) ? 1 : 0;
}

short FRM_CClipboard::Flush()
{
    return itsImplementation != nullptr ? itsImplementation->Flush() : 0;
}

CBMode FRM_CClipboard::GetMode() const
{
    return itsImplementation != nullptr ? itsImplementation->GetMode() : kCBClosed;
}

FRM_CClipboardTextIStream* FRM_CClipboard::GetTextIStream()
{
    return GetMode() == kCBRead ? itsImplementation->GetTextIStream() : nullptr;
}
FRM_CClipboardPictIStream* FRM_CClipboard::GetPictIStream()
{
    return GetMode() == kCBRead ? itsImplementation->GetPictIStream() : nullptr;
}
FRM_CClipboardApplIStream* FRM_CClipboard::GetApplIStream(const char* formatName)
{
    return GetMode() == kCBRead ? itsImplementation->GetApplIStream(formatName) : nullptr;
}
FRM_CClipboardTextOStream* FRM_CClipboard::GetTextOStream()
{
    return GetMode() == kCBWrite ? itsImplementation->GetTextOStream() : nullptr;
}
FRM_CClipboardPictOStream* FRM_CClipboard::GetPictOStream()
{
    return GetMode() == kCBWrite ? itsImplementation->GetPictOStream() : nullptr;
}
FRM_CClipboardApplOStream* FRM_CClipboard::GetApplOStream(const char* formatName)
{
    return GetMode() == kCBWrite ? itsImplementation->GetApplOStream(formatName) : nullptr;
}

// ---- CClipboardImplementation ------------------------------------------------------------

CClipboardImplementation* CClipboardImplementation::GetImplementation(CBMode mode)
{
    ClipboardState& state = State();
    if (state.current == nullptr)
        state.current = new CClipboardImplementation(mode); // deleted by RemoveReference
    return state.current->itsMode == mode ? state.current : nullptr;
}

void CClipboardImplementation::RemoveReference()
{
    if (--itsReferences > 0)
        return;
    if (State().current == this)
        State().current = nullptr;
    delete this;
}

CClipboardImplementation::~CClipboardImplementation()
{
    const bool anyBuffer = itsTextBuffer || itsApplBuffer || itsPictBuffer;
    if (anyBuffer && itsMode == kCBWrite && !itIsFlushed)
        Flush();
    itsMode = kCBClosed;
    itsTextIStream.reset();
    itsTextOStream.reset();
    itsApplIStream.reset();
    itsApplOStream.reset();
    itsPictIStream.reset();
    itsPictOStream.reset();
    itsTextBuffer.reset();
    itsApplBuffer.reset();
    itsPictBuffer.reset();
}

short CClipboardImplementation::Flush()
{
    if (itsMode != kCBWrite || !Open(1))
        return 0;
    for (FRM_CClipboardBuf* buffer :
         {itsTextBuffer.get(), itsApplBuffer.get(), itsPictBuffer.get()}) {
        if (buffer == nullptr)
            continue;
        buffer->Flush();
        itIsFlushed = 1;
    }
    Close();
    return 1;
}

std::unique_ptr<FRM_CClipboardBuf> CClipboardImplementation::ReadBuffer(e_cb format,
                                                                        const char* name)
{
    if (!Open(0))
        return nullptr;
    auto buffer = std::make_unique<FRM_CClipboardBuf>(itsMode, format, name);
    Close();
    return buffer;
}

FRM_CClipboardTextIStream* CClipboardImplementation::GetTextIStream()
{
    if (!itsTextBuffer && !(itsTextBuffer = ReadBuffer(CB_TEXT, nullptr)))
        return nullptr;
    if (!itsTextIStream)
        itsTextIStream.reset(new FRM_CClipboardTextIStream(itsTextBuffer.get()));
    return itsTextIStream.get();
}

FRM_CClipboardApplIStream* CClipboardImplementation::GetApplIStream(const char* formatName)
{
    if (!itsApplBuffer && !(itsApplBuffer = ReadBuffer(CB_APPL, formatName)))
        return nullptr;
    if (!itsApplIStream)
        itsApplIStream.reset(new FRM_CClipboardApplIStream(itsApplBuffer.get()));
    return itsApplIStream.get();
}

FRM_CClipboardPictIStream* CClipboardImplementation::GetPictIStream()
{
    if (!itsPictBuffer && !(itsPictBuffer = ReadBuffer(CB_PICT, nullptr)))
        return nullptr;
    if (!itsPictIStream)
        itsPictIStream.reset(new FRM_CClipboardPictIStream(itsPictBuffer.get()));
    return itsPictIStream.get();
}

FRM_CClipboardTextOStream* CClipboardImplementation::GetTextOStream()
{
    if (!itsTextBuffer)
        itsTextBuffer = std::make_unique<FRM_CClipboardBuf>(itsMode, CB_TEXT, nullptr);
    if (!itsTextOStream)
        itsTextOStream.reset(new FRM_CClipboardTextOStream(itsTextBuffer.get()));
    return itsTextOStream.get();
}

FRM_CClipboardApplOStream* CClipboardImplementation::GetApplOStream(const char* formatName)
{
    if (!itsApplBuffer)
        itsApplBuffer = std::make_unique<FRM_CClipboardBuf>(itsMode, CB_APPL, formatName);
    if (!itsApplOStream)
        itsApplOStream.reset(new FRM_CClipboardApplOStream(itsApplBuffer.get()));
    return itsApplOStream.get();
}

FRM_CClipboardPictOStream* CClipboardImplementation::GetPictOStream()
{
    if (!itsPictBuffer)
        itsPictBuffer = std::make_unique<FRM_CClipboardBuf>(itsMode, CB_PICT, nullptr);
    if (!itsPictOStream)
        itsPictOStream.reset(new FRM_CClipboardPictOStream(itsPictBuffer.get()));
    return itsPictOStream.get();
}

// ---- Picture streams ---------------------------------------------------------------------

FRM_CClipboardPictIStream& FRM_CClipboardPictIStream::operator>>(PICTURE& picture)
{
    PICTURE held = itsBuffer->GetPicture();
    if (held == nullptr)
        return *this;
    std::int32_t size = 0;
    const void* data = vko_pict_lock(held, &size);
    if (data == nullptr)
        return *this;
    std::int32_t error = 0;
    picture = vko_pict_create(data, size, &error);
    vko_pict_unlock(held);
    return *this;
}

FRM_CClipboardPictOStream& FRM_CClipboardPictOStream::operator<<(PICTURE picture)
{
    std::int32_t size = 0;
    const void* data = vko_pict_lock(picture, &size);
    if (data == nullptr)
        return *this;
    std::int32_t error = 0;
    itsBuffer->SetPicture(vko_pict_create(data, size, &error));
    vko_pict_unlock(picture);
    return *this;
}

// ---- FRM_CClipboardBuf -------------------------------------------------------------------

FRM_CClipboardBuf::FRM_CClipboardBuf(CBMode mode, e_cb format, const char* name)
    : itsFormat(format), itsMode(mode)
{
    if (name != nullptr)
        vko_str_copy_n_size(itsName, name, static_cast<std::int32_t>(kNameSize + 1));
    if (itsMode == kCBRead)
        Flush();
}

FRM_CClipboardBuf::~FRM_CClipboardBuf()
{
    Free();
    SetPicture(nullptr);
}

short FRM_CClipboardBuf::Flush()
{
    switch (itsMode) {
    case kCBRead: return Get();
    case kCBWrite: return Put();
    default: return 0;
    }
}

short FRM_CClipboardBuf::SetPicture(PICTURE picture)
{
    if (itsPicture != nullptr)
        vko_pict_destroy(itsPicture);
    itsPicture = picture;
    return 1;
}

bool FRM_CClipboardBuf::Allocate(std::uint32_t size)
{
    if (itsMemory != nullptr)
        return true;
    itsSize = 0;
    itsMemory = vko_gmem_alloc(size);
    if (itsMemory != nullptr)
        itsSize = vko_gmem_get_size(itsMemory);
    return itsMemory != nullptr;
}

bool FRM_CClipboardBuf::Reallocate(std::uint32_t size)
{
    if (itsMemory == nullptr)
        return Allocate(size);
    GHANDLE grown = vko_gmem_realloc(itsMemory, size);
    if (grown == nullptr)
        return false; // the old block stays, and is freed with the buffer
    itsMemory = grown;
    itsSize = vko_gmem_get_size(itsMemory);
    return true;
}

bool FRM_CClipboardBuf::Lock()
{
    if (!itIsLocked && itsMemory != nullptr) {
        itsData = static_cast<char*>(vko_gmem_lock(itsMemory));
        itIsLocked = itsData != nullptr ? 1 : 0;
    }
    return itIsLocked != 0;
}

void FRM_CClipboardBuf::Unlock()
{
    if (!itIsLocked)
        return;
    vko_gmem_unlock(itsMemory);
    itsData = nullptr;
    itIsLocked = 0;
}

void FRM_CClipboardBuf::Free()
{
    setp(nullptr, nullptr);
    setg(nullptr, nullptr, nullptr);
    itsReadLength = 0;
    if (itsMemory == nullptr)
        return;
    Unlock();
    vko_gmem_free(itsMemory);
    itsMemory = nullptr;
}

void FRM_CClipboardBuf::SetAreas(std::size_t getEnd, std::size_t getPos, std::size_t putPos)
{
    char* end = itsData + itsSize;
    setg(itsData, itsData + getPos, itsData + getEnd);
    setp(itsData, end);
    pbump(static_cast<int>(putPos));
}

bool FRM_CClipboardBuf::AllocateArea()
{
    if (!Allocate(static_cast<std::uint32_t>(itsSize)))
        return false;
    if (!Lock()) {
        Free();
        return false;
    }
    if (itsMode == kCBWrite)
        std::memset(itsData, 0, static_cast<std::size_t>(itsSize));
    SetAreas(0, 0, 0);
    return true;
}

FRM_CClipboardBuf::int_type FRM_CClipboardBuf::overflow(int_type c)
{
    if (itsMode != kCBWrite)
        return traits_type::eof();
    if (pbase() == nullptr) {
        if (!AllocateArea())
            return traits_type::eof();
    } else if (pptr() == epptr()) {
        const std::size_t written = static_cast<std::size_t>(pptr() - pbase());
        const long oldSize = itsSize;
        const long doubled = itsSize <= std::numeric_limits<std::int32_t>::max() / 2
                                 ? itsSize * 2
                                 : itsSize;
        Unlock();
        if (!Reallocate(static_cast<std::uint32_t>(doubled)) || !Lock()) {
            Free();
            return traits_type::eof();
        }
        if (itsSize > oldSize) // the toolkit need not clear what it added
            std::memset(itsData + oldSize, 0, static_cast<std::size_t>(itsSize - oldSize));
        SetAreas(0, 0, written);
        if (pptr() == epptr())
            return traits_type::eof(); // the block could not grow
    }
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

FRM_CClipboardBuf::int_type FRM_CClipboardBuf::underflow()
{
    if (itsMode != kCBRead || gptr() == nullptr)
        return traits_type::eof(); // nothing was read: end of file at once
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    return traits_type::eof();
}

short FRM_CClipboardBuf::Get()
{
    if (!vko_cb_has_format(itsFormat, itsName))
        return 0;
    Free();
    SetPicture(nullptr);
    std::uint32_t size = 0;
    const auto* data = static_cast<const char*>(vko_cb_get_data(itsFormat, itsName, &size));
    if (data == nullptr)
        return 0;
    short result = 0;
    switch (itsFormat) {
    case CB_PICT: {
        std::int32_t error = 0;
        SetPicture(vko_pict_create(data, static_cast<std::int32_t>(size), &error));
        result = itsPicture != nullptr ? 1 : 0;
        break;
    }
    case CB_TEXT: {
        // The datum may or may not count its terminator; the text ends at the first NUL.
        const std::size_t length = strnlen(data, size);
        if (Allocate(static_cast<std::uint32_t>(length + 1)) && Lock()) {
            std::memcpy(itsData, data, length);
            itsData[length] = '\0';
            itsReadLength = length;
            SetAreas(itsReadLength, 0, 0);
            result = 1;
        } else {
            Free();
        }
        break;
    }
    case CB_APPL: {
        std::uint32_t count = 0;
        // The stored count must fit what the clipboard holds.
        if (size >= sizeof count) {
            std::memcpy(&count, data, sizeof count);
            if (count <= size - sizeof count && Allocate(count > 0 ? count : 1) && Lock()) {
                std::memcpy(itsData, data + sizeof count, count);
                itsReadLength = count;
                SetAreas(itsReadLength, 0, 0);
                result = 1;
            } else {
                Free();
            }
        }
        break;
    }
    default: break;
    }
    vko_cb_free_data();
    return result;
}

short FRM_CClipboardBuf::Put()
{
    const std::size_t count = pbase() != nullptr ? static_cast<std::size_t>(pptr() - pbase()) : 0;
    switch (itsFormat) {
    case CB_PICT:
        if (itsPicture == nullptr || !vko_cb_put_data(CB_PICT, itsName, 0, itsPicture))
            return 0;
        itsPicture = nullptr; // the clipboard owns it now
        break;
    case CB_TEXT:
    case CB_APPL: {
        if (itsMemory == nullptr || !Lock())
            return 0;
        const std::size_t header = itsFormat == CB_APPL ? sizeof(std::uint32_t) : 0;
        // Text goes with a terminator after the written count, so text that filled its
        // block exactly is not cut.
        const std::size_t transfer = count + header + (itsFormat == CB_TEXT ? 1 : 0);
        auto* buffer = static_cast<char*>(vko_cb_alloc(static_cast<std::uint32_t>(transfer)));
        if (buffer == nullptr)
            return 0;
        if (header != 0) {
            const auto stored = static_cast<std::uint32_t>(count);
            std::memcpy(buffer, &stored, sizeof stored);
        }
        std::memcpy(buffer + header, itsData, count);
        const bool put = vko_cb_put_data(itsFormat, itsName,
                                         static_cast<std::uint32_t>(count + header), nullptr);
        vko_cb_free_data();
        if (!put)
            return 0;
        break;
    }
    default: return 0;
    }
    Free();
    SetPicture(nullptr);
    return 1;
}
