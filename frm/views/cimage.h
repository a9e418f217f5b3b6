// cimage.h: FRM_CImage, the owning wrapper of a toolkit image, and CImageIO, the record of
// where the image came from so that it can be written back there. Images are read as
// picture, BMP, XBM or XPM and written as BMP; a picture-format image is never written.
#pragma once

#include <cstdint>
#include <memory>

#include "frm/core/crect.h"
#include "frm/core/cstringrw.h"
#include "vkobase/types.h"

class CImageIO {
public:
    enum Origin : std::int32_t { kNone = 0, kFile = 1, kStream = 2 };

    void SetTypeNone();
    void SetTypeFile(const FRM_CStringRW& theFile);
    void SetTypeVKOStream(s_vko_iostream* theStream);
    void SetImageType(std::int32_t theImageType) { itsImageType = theImageType; }

    std::int32_t itsImageType = 0;              // 1: read as a picture-format image
    Origin itsType = kNone;
    std::unique_ptr<FRM_CStringRW> itsFile;     // kFile
    s_vko_iostream* itsVKOStream = nullptr;     // kStream; not owned
};

class FRM_CImage {
public:
    static constexpr std::int32_t kPictureImage = 1;

    FRM_CImage() = default;
    // Each of these reports its own error when the toolkit gives no image (6100 to 6106).
    FRM_CImage(std::int32_t theFormat, std::int16_t theWidth, std::int16_t theHeight);
    explicit FRM_CImage(const FRM_CStringRW& theFileName);
    explicit FRM_CImage(s_vko_iostream* theStream);
    // A deep copy of a toolkit image.
    explicit FRM_CImage(IMAGE theImage);
    explicit FRM_CImage(long theResourceId);
    // A snapshot of a window's client area.
    explicit FRM_CImage(WINDOW theWindow);
    // A deep copy; the origin is not copied.
    FRM_CImage(const FRM_CImage& other);
    FRM_CImage& operator=(const FRM_CImage& other);
    // Adopts theImage (no copy); adopting the image already held changes nothing.
    FRM_CImage& operator=(IMAGE theImage);
    ~FRM_CImage();

    operator IMAGE() const { return itsImageId; }
    const CImageIO* GetIO() const { return itsIO.get(); }

    // Each returns 1 on success; a failed read leaves no image and no origin.
    short Read(const FRM_CStringRW& theFileName);
    short ReadIOStream(s_vko_iostream* theStream);
    // Writes to the given name (or the origin file) as BMP. A picture-format image is refused
    // before the file is opened, so the file is left as it was. The result is the write's.
    short Write(const FRM_CStringRW& theFileName, std::int32_t theImageType);
    short WriteIOStream(s_vko_iostream* theStream, std::int32_t theImageType);

    std::int32_t GetWidth() const;
    std::int32_t GetHeight() const;
    void GetDimensions(std::int32_t* theWidth, std::int32_t* theHeight) const;
    std::int32_t GetFormat() const;
    std::int32_t GetNumColors() const;
    std::uint32_t GetCLUTEntry(std::int32_t theIndex) const;
    void SetCLUTEntry(std::int32_t theIndex, std::uint32_t theColor);
    void SetNumColors(std::int32_t theCount);
    // Dots per inch.
    void GetResolution(std::int32_t* theHRes, std::int32_t* theVRes) const;
    std::int32_t GetHRes() const;
    std::int32_t GetVRes() const;
    void SetResolution(std::int32_t theHRes, std::int32_t theVRes);
    // Each keeps the other direction's resolution.
    void SetHRes(std::int32_t theHRes);
    void SetVRes(std::int32_t theVRes);

    // Pixel access and drawing into the image. Rectangles and points are in the current
    // units (pixels without any); a point's coordinates are truncated to whole pixels.
    // Without an image the setters do nothing and GetPixel answers 0xFFFFFFFF.
    void FillRect(std::uint32_t theColor, const FRM_CRect& theRect);
    void Transfer(const FRM_CRect& theDest, const FRM_CImage& theSource,
                  const FRM_CRect& theSourceRect);
    // Copies pixels of a toolkit pixmap into the image.
    void TransferPixmap(const FRM_CRect& theDest, WINDOW thePixmap, const FRM_CRect& theSourceRect);
    void SetPixel(const FRM_CPoint& thePoint, std::uint32_t theColor);
    std::uint32_t GetPixel(const FRM_CPoint& thePoint) const;

private:
    // A new image with the same pixels and colour table, or null.
    static IMAGE DeepCopy(IMAGE theImage);
    void Destroy();

    IMAGE itsImageId = nullptr;         // owned
    std::unique_ptr<CImageIO> itsIO;
};
