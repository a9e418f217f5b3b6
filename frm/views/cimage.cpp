// cimage.cpp: images: creating, copying, snapshotting, reading and writing.
#include "frm/views/cimage.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "frm/core/frmerror.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cimage";
constexpr long kErrNoImage = 6100;
constexpr long kErrFileRead = 6101;
constexpr long kErrStreamRead = 6102;
constexpr long kErrHandleCopy = 6103;
constexpr long kErrNoResource = 6104;
constexpr long kErrSnapshot = 6105;
constexpr long kErrCopy = 6106;
constexpr long kErrAssign = 6107;
constexpr std::uint16_t kMaxColors = 256;

// The file specification of a path: its directory and its name.
bool SpecOf(const FRM_CStringRW& thePath, FILE_SPEC* theSpec)
{
    std::memset(theSpec, 0, sizeof *theSpec);
    const std::string path(thePath.data(), thePath.length());
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || dir.size() >= sizeof theSpec->dir.path ||
        name.size() >= sizeof theSpec->name)
        return false;
    std::memcpy(theSpec->dir.path, dir.c_str(), dir.size() + 1);
    std::memcpy(theSpec->name, name.c_str(), name.size() + 1);
    return true;
}

// The caller's stream as every format reader sees it: from the same start. Streams go
// forward only, so what the first readers pulled is kept and played again to the next.
struct Replay {
    s_vko_iostream* source;
    std::string bytes;        // pulled from the source so far
    std::size_t position = 0; // of the reader now probing
    bool sourceEnded = false;
};

constexpr std::size_t kReplayLimit = 128u << 20;    // larger than any image the readers take
constexpr std::int32_t kPullBytes = 1 << 16;

std::int32_t ReplayRead(void* context, void* buffer, std::int32_t count) noexcept
{
    auto* replay = static_cast<Replay*>(context);
    if (count <= 0)
        return 0;
    const std::size_t wanted = replay->position + static_cast<std::size_t>(count);
    while (replay->bytes.size() < wanted && !replay->sourceEnded) {
        char chunk[kPullBytes];
        const std::int32_t pulled = vko_iostr_read(replay->source, chunk, kPullBytes);
        if (pulled <= 0 || replay->bytes.size() >= kReplayLimit)
            replay->sourceEnded = true;
        else
            replay->bytes.append(chunk, static_cast<std::size_t>(pulled));
    }
    const std::size_t available =
        replay->bytes.size() - std::min(replay->position, replay->bytes.size());
    const std::size_t given = std::min(available, static_cast<std::size_t>(count));
    if (buffer != nullptr)
        std::memcpy(buffer, replay->bytes.data() + replay->position, given);
    replay->position += given;
    return static_cast<std::int32_t>(given);
}

std::int32_t ReplaySkip(void* context, std::int32_t count) noexcept
{
    return ReplayRead(context, nullptr, count);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CImageIO

void CImageIO::SetTypeNone()
{
    itsFile.reset();
    itsVKOStream = nullptr;
    itsType = kNone;
}

void CImageIO::SetTypeFile(const FRM_CStringRW& theFile)
{
    SetTypeNone();
    itsFile = std::make_unique<FRM_CStringRW>(theFile);
    itsType = kFile;
}

void CImageIO::SetTypeVKOStream(s_vko_iostream* theStream)
{
    SetTypeNone();
    itsVKOStream = theStream;
    itsType = kStream;
}

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CImage::FRM_CImage(std::int32_t theFormat, std::int16_t theWidth, std::int16_t theHeight)
    : itsImageId(vko_image_create(theFormat, theWidth, theHeight, 0))
{
    if (itsImageId == nullptr)
        FrmError(kErrNoImage, kModule, __LINE__);
}

FRM_CImage::FRM_CImage(const FRM_CStringRW& theFileName)
{
    if (!Read(theFileName))
        FrmError(kErrFileRead, kModule, __LINE__);
}

FRM_CImage::FRM_CImage(s_vko_iostream* theStream)
{
    if (!ReadIOStream(theStream))
        FrmError(kErrStreamRead, kModule, __LINE__);
}

FRM_CImage::FRM_CImage(IMAGE theImage) : itsImageId(DeepCopy(theImage))
{
    if (itsImageId == nullptr) {
        FrmError(kErrHandleCopy, kModule, __LINE__);
        return;
    }
    itsIO = std::make_unique<CImageIO>();
}

FRM_CImage::FRM_CImage(long theResourceId)
    : itsImageId(vko_res_get_image(static_cast<std::int32_t>(theResourceId)))
{
    if (itsImageId == nullptr) {
        FrmError(kErrNoResource, kModule, __LINE__);
        return;
    }
    itsIO = std::make_unique<CImageIO>();
}

FRM_CImage::FRM_CImage(WINDOW theWindow)
{
    s_rct client{};
    vko_vobj_get_client_rect(theWindow, &client);
    itsImageId = vko_image_create(VKO_IMAGE_INDEXED, client.right, client.bottom, 0);
    if (itsImageId == nullptr) {
        FrmError(kErrSnapshot, kModule, __LINE__);
        return;
    }
    itsIO = std::make_unique<CImageIO>();
    std::uint32_t colors[kMaxColors] = {};
    if (PALETTE palette = vko_vobj_get_palet(theWindow)) {
        const std::uint16_t count = vko_palet_get_colors(palette, colors, kMaxColors);
        if (count != 65535 && count > 0) {
            vko_image_set_ncolors(itsImageId, count);
            for (std::uint16_t i = 0; i < count; ++i)
                vko_image_set_clut(itsImageId, i, colors[i]);
        }
    }
    vko_image_get_from_pmap(itsImageId, theWindow, &client, &client);
}

FRM_CImage::FRM_CImage(const FRM_CImage& other)
{
    if (other.itsImageId == nullptr)
        return;
    itsImageId = DeepCopy(other.itsImageId);
    if (itsImageId == nullptr) {
        FrmError(kErrCopy, kModule, __LINE__);
        return;
    }
    itsIO = std::make_unique<CImageIO>();
}

// Hand-written: the toolkit image is deep-copied and the origin record starts empty.
FRM_CImage& FRM_CImage::operator=(const FRM_CImage& other)
{
    if (this == &other)
        return *this;
    Destroy();
    if (other.itsImageId == nullptr)
        return *this;
    itsImageId = DeepCopy(other.itsImageId);
    if (itsImageId == nullptr) {
        FrmError(kErrAssign, kModule, __LINE__);
        return *this;
    }
    itsIO = std::make_unique<CImageIO>();
    return *this;
}

FRM_CImage& FRM_CImage::operator=(IMAGE theImage)
{
    if (theImage == itsImageId)
        return *this;    // destroying it first would leave a dangling handle
    if (itsImageId != nullptr) {
        vko_image_destroy(itsImageId);
        if (itsIO != nullptr)
            itsIO->SetTypeNone();
    } else if (theImage != nullptr && itsIO == nullptr) {
        itsIO = std::make_unique<CImageIO>();
    }
    itsImageId = theImage;
    return *this;
}

FRM_CImage::~FRM_CImage()
{
    Destroy();
}

void FRM_CImage::Destroy()
{
    if (itsImageId != nullptr)
        vko_image_destroy(itsImageId);
    itsImageId = nullptr;
    itsIO.reset();
}

IMAGE FRM_CImage::DeepCopy(IMAGE theImage)
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    vko_image_get_dimensions(theImage, &width, &height);
    IMAGE copy = vko_image_create(vko_image_get_format(theImage), width, height, 0);
    if (copy == nullptr)
        return nullptr;
    if (vko_image_get_format(theImage) == VKO_IMAGE_INDEXED) {
        const std::uint16_t count = vko_image_get_ncolors(theImage);
        vko_image_set_ncolors(copy, count);
        for (std::uint16_t i = 0; i < count; ++i)
            vko_image_set_clut(copy, i, vko_image_get_clut(theImage, i));
    }
    const s_rct whole{0, 0, static_cast<std::int16_t>(height), static_cast<std::int16_t>(width)};
    vko_image_transfer(copy, theImage, &whole, &whole);
    return copy;
}

// ---------------------------------------------------------------------------------------------
// Reading and writing

short FRM_CImage::Read(const FRM_CStringRW& theFileName)
{
    if (itsImageId == nullptr)
        itsIO = std::make_unique<CImageIO>();
    else
        vko_image_destroy(itsImageId);
    itsImageId = nullptr;
    FILE_SPEC spec;
    if (SpecOf(theFileName, &spec))
        itsImageId = vko_image_read(&spec);
    if (itsImageId == nullptr) {
        itsIO.reset();
        return 0;
    }
    if (itsIO == nullptr)
        itsIO = std::make_unique<CImageIO>();
    itsIO->SetImageType(0);
    itsIO->SetTypeFile(theFileName);
    return 1;
}

short FRM_CImage::ReadIOStream(s_vko_iostream* theStream)
{
    if (itsImageId == nullptr)
        itsIO = std::make_unique<CImageIO>();
    else
        vko_image_destroy(itsImageId);
    itsImageId = nullptr;
    std::int32_t imageType = 0;
    if (theStream != nullptr) {
        // The formats in order, each reading from where the stream stood.
        using Reader = IMAGE (*)(s_vko_iostream*) noexcept;
        const Reader readers[] = {vko_image_read_macpict_from_iostr, vko_image_read_bmp_from_iostr,
                                  vko_image_read_xbm_from_iostr, vko_image_read_xpm_from_iostr};
        Replay replay{theStream, {}};
        for (std::size_t i = 0; i < std::size(readers) && itsImageId == nullptr; ++i) {
            replay.position = 0;
            s_vko_iostream* probe = vko_iostr_create_read(&replay, ReplayRead, ReplaySkip);
            itsImageId = readers[i](probe);
            vko_iostr_destroy(probe);
            if (itsImageId != nullptr && i == 0)
                imageType = kPictureImage;
        }
    }
    if (itsImageId == nullptr) {
        itsIO.reset();
        return 0;
    }
    if (itsIO == nullptr)
        itsIO = std::make_unique<CImageIO>();
    itsIO->SetImageType(imageType);
    itsIO->SetTypeVKOStream(theStream);
    return 1;
}

short FRM_CImage::Write(const FRM_CStringRW& theFileName, std::int32_t theImageType)
{
    if (itsImageId == nullptr)
        return 0;
    FRM_CStringRW target = theFileName;
    std::int32_t imageType = theImageType;
    if (target.isNull()) {
        if (itsIO == nullptr || itsIO->itsType != CImageIO::kFile || itsIO->itsFile == nullptr ||
            itsIO->itsFile->isNull())
            return 0;
        target = *itsIO->itsFile;
        imageType = itsIO->itsImageType;
    }
    // A picture-format image has no writer: refusing it here leaves the file untouched.
    if (imageType == kPictureImage)
        return 0;
    FILE* file = std::fopen(target.data(), "wb");
    if (file == nullptr)
        return 0;
    s_vko_iostream* stream = vko_iostr_create_fwrite(file);
    const short written = stream != nullptr ? WriteIOStream(stream, imageType) : 0;
    vko_iostr_destroy(stream);    // before the file it wraps goes
    const bool closed = std::fclose(file) == 0;
    return written && closed ? 1 : 0;
}

short FRM_CImage::WriteIOStream(s_vko_iostream* theStream, std::int32_t theImageType)
{
    if (itsImageId == nullptr)
        return 0;
    s_vko_iostream* stream = theStream;
    std::int32_t imageType = theImageType;
    if (stream == nullptr) {
        if (itsIO == nullptr || itsIO->itsType != CImageIO::kStream ||
            itsIO->itsVKOStream == nullptr)
            return 0;
        stream = itsIO->itsVKOStream;
        imageType = itsIO->itsImageType;
    }
    if (imageType == kPictureImage)
        return 0;
    return vko_image_write_bmp_to_iostr(itsImageId, stream) ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// Accessors

std::int32_t FRM_CImage::GetWidth() const
{
    std::int32_t width = 0;
    GetDimensions(&width, nullptr);
    return width;
}

std::int32_t FRM_CImage::GetHeight() const
{
    std::int32_t height = 0;
    GetDimensions(nullptr, &height);
    return height;
}

void FRM_CImage::GetDimensions(std::int32_t* theWidth, std::int32_t* theHeight) const
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (itsImageId != nullptr)
        vko_image_get_dimensions(itsImageId, &width, &height);
    if (theWidth != nullptr)
        *theWidth = width;
    if (theHeight != nullptr)
        *theHeight = height;
}

std::int32_t FRM_CImage::GetFormat() const
{
    return itsImageId != nullptr ? vko_image_get_format(itsImageId) : 0;
}

std::int32_t FRM_CImage::GetNumColors() const
{
    return itsImageId != nullptr ? vko_image_get_ncolors(itsImageId) : 0;
}

std::uint32_t FRM_CImage::GetCLUTEntry(std::int32_t theIndex) const
{
    return itsImageId != nullptr ? vko_image_get_clut(itsImageId, theIndex) : 0xFFFFFFFFU;
}

void FRM_CImage::SetCLUTEntry(std::int32_t theIndex, std::uint32_t theColor)
{
    if (itsImageId != nullptr)
        vko_image_set_clut(itsImageId, theIndex, static_cast<COLOR>(theColor));
}

void FRM_CImage::SetNumColors(std::int32_t theCount)
{
    if (itsImageId != nullptr)
        vko_image_set_ncolors(itsImageId, theCount);
}

void FRM_CImage::GetResolution(std::int32_t* theHRes, std::int32_t* theVRes) const
{
    std::int32_t h = 0;
    std::int32_t v = 0;
    if (itsImageId != nullptr)
        vko_image_get_resolution(itsImageId, &h, &v);
    if (theHRes != nullptr)
        *theHRes = h;
    if (theVRes != nullptr)
        *theVRes = v;
}

std::int32_t FRM_CImage::GetHRes() const
{
    std::int32_t h = 0;
    GetResolution(&h, nullptr);
    return h;
}

std::int32_t FRM_CImage::GetVRes() const
{
    std::int32_t v = 0;
    GetResolution(nullptr, &v);
    return v;
}

void FRM_CImage::SetResolution(std::int32_t theHRes, std::int32_t theVRes)
{
    if (itsImageId != nullptr)
        vko_image_set_resolution(itsImageId, theHRes, theVRes);
}

void FRM_CImage::SetHRes(std::int32_t theHRes)
{
    SetResolution(theHRes, GetVRes());
}

void FRM_CImage::SetVRes(std::int32_t theVRes)
{
    SetResolution(GetHRes(), theVRes);
}

// ---------------------------------------------------------------------------------------------
// Pixels and drawing

void FRM_CImage::FillRect(std::uint32_t theColor, const FRM_CRect& theRect)
{
    if (itsImageId == nullptr)
        return;
    const s_rct rect = theRect;
    vko_image_fill_rect(itsImageId, theColor, &rect);
}

void FRM_CImage::Transfer(const FRM_CRect& theDest, const FRM_CImage& theSource,
                          const FRM_CRect& theSourceRect)
{
    if (itsImageId == nullptr || theSource.itsImageId == nullptr)
        return;
    const s_rct dest = theDest;
    const s_rct source = theSourceRect;
    vko_image_transfer(itsImageId, theSource.itsImageId, &dest, &source);
}

void FRM_CImage::TransferPixmap(const FRM_CRect& theDest, WINDOW thePixmap,
                                const FRM_CRect& theSourceRect)
{
    if (itsImageId == nullptr)
        return;
    const s_rct dest = theDest;
    const s_rct source = theSourceRect;
    vko_image_get_from_pmap(itsImageId, thePixmap, &dest, &source);
}

void FRM_CImage::SetPixel(const FRM_CPoint& thePoint, std::uint32_t theColor)
{
    if (itsImageId == nullptr)
        return;
    const s_pnt point = thePoint;
    vko_image_set_pixel(itsImageId, point.h, point.v, static_cast<COLOR>(theColor));
}

std::uint32_t FRM_CImage::GetPixel(const FRM_CPoint& thePoint) const
{
    if (itsImageId == nullptr)
        return 0xFFFFFFFFU;
    const s_pnt point = thePoint;
    return vko_image_get_pixel(itsImageId, point.h, point.v);
}
