// Tests of images and pictures against the real base library: BMP round trips through files
// and streams, a refused picture-format write that leaves its file alone, deep copies,
// adopting handles, failed reads, and how a picture draws its pixmap.
#include "frm/views/cimage.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "frm/views/cpicture.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"
#include "tests/frm/support/frm_app_fixture.h"

namespace {

std::string TempPath(const char* name)
{
    return testing::TempDir() + "frm_views_" + name;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A 6 x 3 indexed image with four colours in a diagonal pattern.
FRM_CImage Sample()
{
    FRM_CImage image(VKO_IMAGE_INDEXED, 6, 3);
    vko_image_set_ncolors(image, 4);
    const COLOR colours[] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    for (int i = 0; i < 4; ++i)
        vko_image_set_clut(image, i, colours[i]);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            vko_image_set_pixel(image, x, y, colours[(x + y) % 4]);
    return image;
}

void ExpectSamePixels(const FRM_CImage& a, const FRM_CImage& b)
{
    ASSERT_EQ(a.GetWidth(), b.GetWidth());
    ASSERT_EQ(a.GetHeight(), b.GetHeight());
    for (int y = 0; y < a.GetHeight(); ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            ASSERT_EQ(vko_image_get_pixel(a, x, y) & 0xFFFFFF, vko_image_get_pixel(b, x, y) & 0xFFFFFF)
                << "pixel " << x << "," << y;
}

class ImageTest : public frmtest::AppFixture {};

TEST_F(ImageTest, BmpRoundTripThroughAFileAndAStream)
{
    const FRM_CImage original = Sample();
    const std::string path = TempPath("round.bmp");
    ASSERT_EQ(const_cast<FRM_CImage&>(original).Write(path.c_str(), 0), 1);

    FRM_CImage fromFile(FRM_CStringRW(path.c_str()));
    ExpectSamePixels(original, fromFile);
    ASSERT_NE(fromFile.GetIO(), nullptr);
    EXPECT_EQ(fromFile.GetIO()->itsType, CImageIO::kFile);
    EXPECT_EQ(fromFile.GetIO()->itsImageType, 0);

    // The picture reader finds no picture and leaves the stream to the BMP reader.
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    s_vko_iostream* stream = vko_iostr_create_fread(file);
    FRM_CImage fromStream;
    EXPECT_EQ(fromStream.ReadIOStream(stream), 1);
    ExpectSamePixels(original, fromStream);
    EXPECT_EQ(fromStream.GetIO()->itsType, CImageIO::kStream);
    EXPECT_EQ(fromStream.GetIO()->itsImageType, 0);
    vko_iostr_destroy(stream);
    std::fclose(file);

    // Writing back to the origin file.
    std::remove(path.c_str());
    EXPECT_EQ(fromFile.Write(FRM_CStringRW(), 0), 1);
    EXPECT_EQ(FileBytes(path).substr(0, 2), "BM");
}

TEST_F(ImageTest, EveryFormatReaderSeesTheStreamFromItsStart)
{
    // Text formats come after the picture and BMP readers, which read and fail first.
    struct Case {
        const char* why;
        const char* bytes;
    };
    const Case cases[] = {
        {"XPM", "/* XPM */\nstatic char * x[] = {\n\"2 2 2 1\",\n\"a c #FF0000\",\n"
                "\"b c #0000FF\",\n\"ab\",\n\"ba\"};\n"},
        {"XBM", "#define x_width 2\n#define x_height 2\nstatic char x_bits[] = {\n0x01, 0x02};\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string path = TempPath("probe.img");
        WriteFile(path, c.bytes);
        FILE* file = std::fopen(path.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        s_vko_iostream* stream = vko_iostr_create_fread(file);
        FRM_CImage image;
        EXPECT_EQ(image.ReadIOStream(stream), 1);
        EXPECT_EQ(image.GetWidth(), 2);
        EXPECT_EQ(image.GetHeight(), 2);
        ASSERT_NE(image.GetIO(), nullptr);
        EXPECT_EQ(image.GetIO()->itsType, CImageIO::kStream);
        vko_iostr_destroy(stream);
        std::fclose(file);
    }
}

TEST_F(ImageTest, PictureFormatWriteIsRefusedBeforeTheFileIsTouched)
{
    const std::string path = TempPath("kept.bin");
    WriteFile(path, "precious bytes");
    FRM_CImage image = Sample();
    EXPECT_EQ(image.Write(path.c_str(), FRM_CImage::kPictureImage), 0);
    EXPECT_EQ(FileBytes(path), "precious bytes");
    EXPECT_EQ(image.Write(TempPath("no/such/dir/x.bmp").c_str(), 0), 0);
    // No origin to fall back on.
    EXPECT_EQ(image.Write(FRM_CStringRW(), 0), 0);
    EXPECT_EQ(image.WriteIOStream(nullptr, 0), 0);
}

TEST_F(ImageTest, CopiesAreDeepAndCarryNoOrigin)
{
    FRM_CImage original = Sample();
    FRM_CImage copy(original);
    FRM_CImage fromHandle(static_cast<IMAGE>(original));
    for (const FRM_CImage* image : {&copy, &fromHandle}) {
        EXPECT_NE(static_cast<IMAGE>(*image), static_cast<IMAGE>(original));
        EXPECT_EQ(image->GetNumColors(), 4);
        EXPECT_EQ(image->GetCLUTEntry(2) & 0xFFFFFF, 0x00FF00u);
        ExpectSamePixels(original, *image);
        ASSERT_NE(image->GetIO(), nullptr);
        EXPECT_EQ(image->GetIO()->itsType, CImageIO::kNone);
    }
    vko_image_set_pixel(original, 0, 0, 0x0000FF);
    EXPECT_EQ(vko_image_get_pixel(copy, 0, 0) & 0xFFFFFF, 0u);

    // Adopting the handle already held keeps it alive.
    IMAGE held = copy;
    copy = held;
    EXPECT_EQ(static_cast<IMAGE>(copy), held);
    EXPECT_EQ(copy.GetWidth(), 6);
}

TEST_F(ImageTest, FailedReadLeavesNoImageAndNoOrigin)
{
    const std::string path = TempPath("not_an_image.txt");
    WriteFile(path, "this is text, not an image");
    FRM_CImage image = Sample();
    EXPECT_EQ(image.Read(path.c_str()), 0);
    EXPECT_EQ(static_cast<IMAGE>(image), nullptr);
    EXPECT_EQ(image.GetIO(), nullptr);
    EXPECT_EQ(image.Write(path.c_str(), 0), 0);
    EXPECT_EQ(FileBytes(path), "this is text, not an image");
}

TEST_F(ImageTest, PixelsRegionsColoursAndResolutionGoToTheImage)
{
    FRM_CImage image(VKO_IMAGE_RGB, 8, 4);
    image.FillRect(0x000000, FRM_CRect(0, 0, 8, 4));
    image.FillRect(0x112233, FRM_CRect(2, 1, 5, 3));
    image.SetPixel(FRM_CPoint(7.6f, 3.2f), 0xABCDEF);    // lands on pixel (7, 3)
    struct Case { float h, v; std::uint32_t colour; } cases[] = {
        {2, 1, 0x112233}, {4.9f, 2.9f, 0x112233}, {1, 1, 0x000000}, {5, 1, 0x000000},
        {2, 3, 0x000000}, {7, 3, 0xABCDEF}, {6, 3, 0x000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(image.GetPixel(FRM_CPoint(c.h, c.v)) & 0xFFFFFF, c.colour) << c.h << "," << c.v;

    // A region of one image copied into another, at another place.
    FRM_CImage copy(VKO_IMAGE_RGB, 4, 4);
    copy.FillRect(0xFFFFFF, FRM_CRect(0, 0, 4, 4));
    copy.Transfer(FRM_CRect(1, 1, 4, 3), image, FRM_CRect(2, 1, 5, 3));
    EXPECT_EQ(copy.GetPixel(FRM_CPoint(1, 1)) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(copy.GetPixel(FRM_CPoint(3, 2)) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(copy.GetPixel(FRM_CPoint(0, 0)) & 0xFFFFFF, 0xFFFFFFu);

    FRM_CImage indexed(VKO_IMAGE_INDEXED, 2, 2);
    indexed.SetNumColors(3);
    indexed.SetCLUTEntry(2, 0x00FF00);
    EXPECT_EQ(indexed.GetNumColors(), 3);
    EXPECT_EQ(indexed.GetCLUTEntry(2) & 0xFFFFFF, 0x00FF00u);

    // Setting one direction keeps the other.
    image.SetResolution(300, 150);
    image.SetHRes(72);
    EXPECT_EQ(image.GetHRes(), 72);
    EXPECT_EQ(image.GetVRes(), 150);
    image.SetVRes(96);
    std::int32_t h = 0;
    std::int32_t v = 0;
    image.GetResolution(&h, &v);
    EXPECT_EQ(h, 72);
    EXPECT_EQ(v, 96);
}

TEST_F(ImageTest, AnEmptyImageTakesNoToolkitCall)
{
    static int refusals = 0;
    refusals = 0;
    vkov_test_set_errmsg_hook([](WINDOW, int32_t, uint32_t, const char*, int32_t, void*) { ++refusals; },
                              nullptr);
    FRM_CImage empty;
    const FRM_CImage source = Sample();
    empty.FillRect(0x112233, FRM_CRect(0, 0, 2, 2));
    empty.SetPixel(FRM_CPoint(0, 0), 0x112233);
    empty.Transfer(FRM_CRect(0, 0, 2, 2), source, FRM_CRect(0, 0, 2, 2));
    empty.SetResolution(96, 96);
    empty.SetHRes(72);
    empty.SetCLUTEntry(0, 0);
    EXPECT_EQ(empty.GetPixel(FRM_CPoint(0, 0)), 0xFFFFFFFFu);
    EXPECT_EQ(empty.GetHRes(), 0);
    EXPECT_EQ(static_cast<IMAGE>(empty), nullptr);
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    EXPECT_EQ(refusals, 0);
}

class PictureTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("pictures", 200, 100);
        itsHandle = itsWindow->GetVKOWindow();
    }

    // The "dst;src" arguments of the last draw_pmap since the log was cleared, or "".
    std::string LastPixmapCopy() const
    {
        std::string found;
        for (const vkov_draw_log_entry& entry : Log(itsHandle))
            if (std::string(entry.op) == "draw_pmap")
                found = entry.args;
        return found;
    }

    FRM_CWindow* itsWindow = nullptr;
    WINDOW itsHandle = nullptr;
};

TEST_F(PictureTest, DrawsUnstretchedOrStretchedToItsFrame)
{
    const FRM_CImage image = Sample();
    struct Case {
        const char* why;
        FRM_CRect frame;
        bool hidden;
        std::string copy;    // top,left,bottom,right of destination;source
    };
    const Case cases[] = {
        {"the image's own size", {10, 20, 16, 23}, false, "20,10,23,16;0,0,3,6"},
        {"partly left of the window: the rest, unstretched", {-4, 20, 2, 23}, false, "20,0,23,2;0,4,3,6"},
        {"twice as wide: stretched", {10, 20, 22, 23}, false, "20,10,23,22;0,0,3,6"},
        {"hidden: nothing at all", {10, 20, 16, 23}, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        auto* picture = new FRM_CPicture(itsWindow, FRM_CPoint(10, 20), image);
        EXPECT_EQ(picture->GetFrame(), FRM_CRect(10, 20, 16, 23));
        picture->Size(c.frame);
        if (c.hidden)
            picture->Hide();
        vkov_debug_draw_log_clear(itsHandle);
        picture->DoDraw(FRM_CRect(0, 0, 200, 100));
        EXPECT_EQ(LastPixmapCopy(), c.copy);
        delete picture;
    }
}

TEST_F(PictureTest, MovingToAnotherWindowKeepsTheImage)
{
    const FRM_CImage image = Sample();
    FRM_CWindow* other = NewWindow("other", 100, 100);
    auto* picture = new FRM_CPicture(itsWindow, FRM_CPoint(0, 0), image);
    WINDOW before = picture->GetPixmap();
    picture->SetEnclosure(other);
    ASSERT_NE(picture->GetPixmap(), nullptr);
    EXPECT_NE(picture->GetPixmap(), before);
    EXPECT_EQ(vko_vobj_is_valid(before), FALSE);
    FRM_CImage shown(VKO_IMAGE_RGB, 6, 3);
    const s_rct whole{0, 0, 3, 6};
    vko_image_get_from_pmap(shown, picture->GetPixmap(), &whole, &whole);
    ExpectSamePixels(image, shown);
}

TEST_F(PictureTest, AnImageTakesThePixelsOfItsPixmapBack)
{
    const FRM_CImage image = Sample();
    FRM_CPicture picture(itsWindow, FRM_CPoint(0, 0), image);
    ASSERT_NE(picture.GetPixmap(), nullptr);
    FRM_CImage shown(VKO_IMAGE_RGB, 6, 3);
    shown.TransferPixmap(FRM_CRect(0, 0, 6, 3), picture.GetPixmap(), FRM_CRect(0, 0, 6, 3));
    ExpectSamePixels(image, shown);
}

TEST_F(PictureTest, APixmapTheToolkitDestroyedFirstIsNotDestroyedAgain)
{
    // When the program ends the toolkit destroys every window, pixmaps among them, before
    // the views that hold them are deleted: the picture must not destroy its pixmap again.
    static int refusals = 0;
    refusals = 0;
    vkov_test_set_errmsg_hook([](WINDOW, int32_t, uint32_t, const char*, int32_t, void*) { ++refusals; },
                              nullptr);
    auto* picture = new FRM_CPicture(itsWindow, FRM_CPoint(0, 0), Sample());
    ASSERT_NE(picture->GetPixmap(), nullptr);
    vkok_vobj_destroy(picture->GetPixmap());
    delete picture;
    vkov_test_set_errmsg_hook(nullptr, nullptr);
    EXPECT_EQ(refusals, 0);
}

TEST_F(PictureTest, EmptyImageMakesNoPixmap)
{
    FRM_CPicture picture(itsWindow, FRM_CPoint(1, 1), FRM_CImage());
    EXPECT_EQ(picture.GetPixmap(), nullptr);
    vkov_debug_draw_log_clear(itsHandle);
    picture.DoDraw(FRM_CRect(0, 0, 200, 100));
    EXPECT_EQ(LastPixmapCopy(), "");
}

} // namespace
