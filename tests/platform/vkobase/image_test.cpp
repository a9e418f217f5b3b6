// Tests of the image family: records, colour tables, pixels, fills and transfers, BMP writing
// and reading through streams, and reading image files of each format by their first bytes.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "media_test_support.h"
#include "vkobase/image.h"
#include "vkobase/testing.h"

namespace {

using vkotest::ForwardBytes;
using vkotest::SinkBytes;

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    void TearDown() override { vkov_test_reset_all(); }
};

void put16(std::vector<unsigned char> &v, std::uint32_t x) {
    v.push_back(static_cast<unsigned char>(x));
    v.push_back(static_cast<unsigned char>(x >> 8));
}
void put32(std::vector<unsigned char> &v, std::uint32_t x) {
    put16(v, x);
    put16(v, x >> 16);
}

// A BMP file: headers as the format has them, an info header longer than the 40 bytes by
// info_extra, gap bytes between the colour table and the pixels, rows already padded and in
// file order.
struct BmpSpec {
    std::uint16_t bits;
    std::int32_t width;
    std::int32_t height; // negative: top-down
    std::vector<std::uint32_t> table;
    std::vector<std::vector<unsigned char>> rows;
    std::uint32_t info_extra = 0;
    std::uint32_t gap = 0;
    std::uint32_t compression = 0;
};
std::vector<unsigned char> build_bmp(const BmpSpec &s) {
    const std::uint32_t info = 40 + s.info_extra;
    const std::uint32_t offset = 14 + info + static_cast<std::uint32_t>(s.table.size()) * 4 + s.gap;
    std::vector<unsigned char> v = {'B', 'M'};
    put32(v, 0);
    put32(v, 0);
    put32(v, offset);
    put32(v, info);
    put32(v, static_cast<std::uint32_t>(s.width));
    put32(v, static_cast<std::uint32_t>(s.height));
    put16(v, 1);
    put16(v, s.bits);
    put32(v, s.compression);
    put32(v, 0);
    put32(v, 3780);
    put32(v, 3780);
    put32(v, static_cast<std::uint32_t>(s.table.size()));
    put32(v, 0);
    v.resize(v.size() + s.info_extra, 0xEE);
    for (std::uint32_t c : s.table)
        put32(v, c); // blue, green, red, 0 in the little-endian bytes of 0x00RRGGBB
    v.resize(v.size() + s.gap, 0xEE);
    for (const auto &row : s.rows)
        v.insert(v.end(), row.begin(), row.end());
    return v;
}

IMAGE read_bmp_bytes(const std::vector<unsigned char> &bytes) {
    ForwardBytes source{bytes};
    VKO_IOSTREAM stream = source.stream();
    IMAGE image = vkov_image_read_bmp(stream);
    vkov_iostr_destroy(stream);
    return image;
}

TEST_F(ImageTest, Create_RefusesUnknownFormatsAndSizes) {
    struct Case {
        const char *why;
        std::int32_t format, width, height;
        bool made;
    };
    // clang-format off
    const Case cases[] = {
        {"indexed image", VKO_IMAGE_INDEXED, 4, 3, true},
        {"colour image", VKO_IMAGE_RGB, 1, 1, true},
        {"unknown format", 3, 4, 3, false},
        {"format zero", 0, 4, 3, false},
        {"zero width", VKO_IMAGE_RGB, 0, 3, false},
        {"negative height", VKO_IMAGE_RGB, 3, -1, false},
        {"side beyond the limit", VKO_IMAGE_RGB, 16385, 1, false},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        IMAGE image = vkov_image_create(c.format, c.width, c.height, 0);
        EXPECT_EQ(image != nullptr, c.made);
        EXPECT_EQ(vkov_image_is_valid(image), c.made ? TRUE : FALSE);
        if (image == nullptr)
            continue;
        std::int32_t w = 0, h = 0;
        vkov_image_get_dimensions(image, &w, &h);
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        EXPECT_EQ(vkov_image_get_format(image), c.format);
        vkov_image_destroy(image);
        EXPECT_EQ(vkov_image_is_valid(image), FALSE);
    }
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_IMAGE), 0);
}

TEST_F(ImageTest, IndexedPixels_AreTableIndicesAndReadBackAsTableColours) {
    IMAGE image = vkov_image_create(VKO_IMAGE_INDEXED, 3, 2, 0);
    ASSERT_NE(image, nullptr);
    vkov_image_set_ncolors(image, 3);
    ASSERT_EQ(vkov_image_get_ncolors(image), 3);
    vkov_image_set_clut(image, 0, VKO_COLOR_BLACK);
    vkov_image_set_clut(image, 1, VKO_COLOR_WHITE);
    vkov_image_set_clut(image, 2, 0x00FF0000u);
    EXPECT_EQ(vkov_image_get_clut(image, 2), 0x00FF0000u);
    EXPECT_EQ(vkov_image_get_clut(image, 3), VKO_COLOR_UNSET) << "past the table";

    vkov_image_set_pixel(image, 0, 0, 0x00F01010u); // nearest is the red entry
    vkov_image_set_pixel(image, 2, 1, 0x00EEEEEEu); // nearest is white
    EXPECT_EQ(vkov_image_get_pixel(image, 0, 0), 0x00FF0000u);
    EXPECT_EQ(vkov_image_get_pixel(image, 2, 1), VKO_COLOR_WHITE) << "the table's own value";
    EXPECT_EQ(vkov_image_get_pixel(image, 3, 0), VKO_COLOR_UNSET) << "outside the image";
    EXPECT_EQ(vkov_image_is_valid_pos(image, 2, 1), TRUE);
    EXPECT_EQ(vkov_image_is_valid_pos(image, 2, 2), FALSE);

    const std::uint8_t *row0 = vkov_image_get_scanline(image, 0);
    const std::uint8_t *row1 = vkov_image_get_scanline(image, 1);
    ASSERT_NE(row0, nullptr);
    ASSERT_NE(row1, nullptr);
    EXPECT_EQ(row0[0], 2);
    EXPECT_EQ(row1[2], 1);
    EXPECT_EQ(vkov_image_get_scanline(image, 2), nullptr);

    IMAGE copy = vkov_image_duplicate(image);
    ASSERT_NE(copy, nullptr);
    vkov_image_set_ncolors(image, 1);
    EXPECT_EQ(vkov_image_get_pixel(image, 0, 0), VKO_COLOR_UNSET)
        << "an index the shortened table no longer has";
    EXPECT_EQ(vkov_image_get_ncolors(copy), 3) << "the copy has a table of its own";
    EXPECT_EQ(vkov_image_get_pixel(copy, 0, 0), 0x00FF0000u);
    EXPECT_EQ(vkov_image_get_scanline(copy, 1)[2], 1);
}

TEST_F(ImageTest, ColourPixels_AreRgbWordsInTheScanLine) {
    IMAGE image = vkov_image_create(VKO_IMAGE_RGB, 2, 2, 0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(vkov_image_get_ncolors(image), 0);
    vkov_image_set_pixel(image, 1, 1, 0x0A123456u);
    EXPECT_EQ(vkov_image_get_pixel(image, 1, 1), 0x00123456u) << "standard-colour byte dropped";
    std::uint32_t word = 0;
    std::memcpy(&word, vkov_image_get_scanline(image, 1) + 4, 4);
    EXPECT_EQ(word, 0x00123456u);
    std::int32_t h = 0, v = 0;
    vkov_image_get_resolution(image, &h, &v);
    EXPECT_EQ(h, 96);
    vkov_image_set_resolution(image, 300, 150);
    vkov_image_get_resolution(image, &h, &v);
    EXPECT_EQ(h, 300);
    EXPECT_EQ(v, 150);
}

TEST_F(ImageTest, FillAndTransfer_ClipScaleAndConvert) {
    IMAGE rgb = vkov_image_create(VKO_IMAGE_RGB, 2, 2, 0);
    ASSERT_NE(rgb, nullptr);
    const s_rct everything{-5, -5, 50, 50};
    vkov_image_fill_rect(rgb, 0x00FFFFFFu, &everything); // clipped to the image
    const s_rct left_column{0, 0, 2, 1};
    vkov_image_fill_rect(rgb, 0x000000FFu, &left_column);

    IMAGE big = vkov_image_create(VKO_IMAGE_INDEXED, 4, 4, 0);
    ASSERT_NE(big, nullptr);
    vkov_image_set_ncolors(big, 3);
    vkov_image_set_clut(big, 0, 0x00000000u);
    vkov_image_set_clut(big, 1, 0x00FFFFFFu);
    vkov_image_set_clut(big, 2, 0x000000FFu);
    const s_rct dst{0, 0, 4, 4};
    const s_rct src{0, 0, 2, 2};
    vkov_image_transfer(big, rgb, &dst, &src); // doubled, and mapped to the table
    struct Case {
        const char *why;
        std::int32_t x, y;
        std::uint32_t color;
    };
    // clang-format off
    const Case cases[] = {
        {"left half doubled from the blue column", 1, 3, 0x000000FFu},
        {"right half doubled from the white column", 2, 0, 0x00FFFFFFu},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkov_image_get_pixel(big, c.x, c.y), c.color);
    }

    // Within one image, overlapping areas read the pixels as they were before the copy.
    const s_rct from{0, 0, 4, 3};
    const s_rct to{0, 1, 4, 4};
    vkov_image_transfer(big, big, &to, &from);
    EXPECT_EQ(vkov_image_get_pixel(big, 1, 0), 0x000000FFu);
    EXPECT_EQ(vkov_image_get_pixel(big, 2, 0), 0x000000FFu) << "shifted, not smeared";
    EXPECT_EQ(vkov_image_get_pixel(big, 3, 0), 0x00FFFFFFu);
}

TEST_F(ImageTest, Bmp_WriteThenReadGivesTheSameImage) {
    struct Case {
        const char *why;
        std::int32_t format, width, height;
    };
    // clang-format off
    const Case cases[] = {
        {"indexed, rows padded from 5 bytes to 8", VKO_IMAGE_INDEXED, 5, 3},
        {"colour, rows padded from 9 bytes to 12", VKO_IMAGE_RGB, 3, 4},
        {"one pixel", VKO_IMAGE_RGB, 1, 1},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        IMAGE image = vkov_image_create(c.format, c.width, c.height, 0);
        ASSERT_NE(image, nullptr);
        if (c.format == VKO_IMAGE_INDEXED) {
            vkov_image_set_ncolors(image, 7);
            for (int i = 0; i < 7; ++i)
                vkov_image_set_clut(image, i, static_cast<COLOR>(0x00102030u * (i + 1)));
        }
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                vkov_image_set_pixel(image, x, y,
                                     c.format == VKO_IMAGE_INDEXED
                                         ? static_cast<COLOR>(0x00102030u * ((x + y) % 7 + 1))
                                         : static_cast<COLOR>(x * 0x10000 + y * 0x100 + x + y));
        vkov_image_set_resolution(image, 200, 72);
        SinkBytes sink;
        VKO_IOSTREAM out = sink.stream();
        EXPECT_EQ(vkov_image_write_winbmp(image, out), TRUE);
        vkov_iostr_destroy(out);

        IMAGE back = read_bmp_bytes(sink.bytes);
        ASSERT_NE(back, nullptr);
        std::int32_t w = 0, h = 0, hr = 0, vr = 0;
        vkov_image_get_dimensions(back, &w, &h);
        vkov_image_get_resolution(back, &hr, &vr);
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        EXPECT_EQ(hr, 200);
        EXPECT_EQ(vr, 72);
        EXPECT_EQ(vkov_image_get_format(back), c.format);
        EXPECT_EQ(vkov_image_get_ncolors(back), vkov_image_get_ncolors(image));
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                EXPECT_EQ(vkov_image_get_pixel(back, x, y) & 0xFFFFFFu,
                          vkov_image_get_pixel(image, x, y) & 0xFFFFFFu)
                    << "at " << x << "," << y;
    }
}

TEST_F(ImageTest, Bmp_ReadsEachDepthInOrderThroughAForwardOnlyStream) {
    struct Case {
        const char *why;
        BmpSpec spec;
        std::int32_t x, y;
        std::uint32_t color;
    };
    // clang-format off
    const Case cases[] = {
        {"1 bit, bottom-up: the first row in the file is the last one",
         {1, 3, 2, {0x000000u, 0xFFFFFFu}, {{0x40, 0, 0, 0}, {0xA0, 0, 0, 0}}},
         1, 1, 0xFFFFFFu},
        {"4 bits, top-down, with a longer info header and a gap before the pixels",
         {4, 2, -1, {0x000000u, 0x00FF00u, 0x0000FFu}, {{0x21, 0, 0, 0}}, 12, 6},
         0, 0, 0x0000FFu},
        {"8 bits, index past the table shows its first colour",
         {8, 1, 1, {0x123456u}, {{9, 0, 0, 0}}}, 0, 0, 0x123456u},
        {"24 bits are blue, green, red",
         {24, 1, 1, {}, {{0x33, 0x22, 0x11, 0}}}, 0, 0, 0x112233u},
        {"24 bits after a colour table: the table is passed over",
         {24, 1, 1, {0x445566u}, {{0x33, 0x22, 0x11, 0}}}, 0, 0, 0x112233u},
        {"32 bits are blue, green, red, unused",
         {32, 1, 1, {}, {{0x33, 0x22, 0x11, 0x99}}}, 0, 0, 0x112233u},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        IMAGE image = read_bmp_bytes(build_bmp(c.spec));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(vkov_image_get_pixel(image, c.x, c.y) & 0xFFFFFFu, c.color);
        EXPECT_EQ(vkov_image_get_ncolors(image),
                  c.spec.bits <= 8 ? c.spec.table.size() : std::size_t{0});
    }
}

TEST_F(ImageTest, Bmp_MalformedFilesGiveNoImage) {
    const BmpSpec good{8, 2, 2, {0, 0xFFFFFF}, {{0, 1, 0, 0}, {1, 0, 0, 0}}};
    ASSERT_NE(read_bmp_bytes(build_bmp(good)), nullptr);
    struct Case {
        const char *why;
        std::vector<unsigned char> bytes;
    };
    std::vector<Case> cases;
    auto bytes = build_bmp(good);
    bytes[1] = 'X';
    cases.push_back({"not a BMP", bytes});
    BmpSpec rle = good;
    rle.compression = 1;
    cases.push_back({"compressed", build_bmp(rle)});
    BmpSpec sixteen = good;
    sixteen.bits = 16;
    cases.push_back({"16 bits per pixel", build_bmp(sixteen)});
    BmpSpec big_table = good;
    big_table.bits = 1;
    big_table.table.push_back(0x808080);
    cases.push_back({"more colours than the depth holds", build_bmp(big_table)});
    bytes = build_bmp(good);
    bytes.resize(bytes.size() - 1);
    cases.push_back({"pixels cut short", bytes});
    bytes = build_bmp(good);
    bytes[10] = 20; // pixel offset inside the headers
    cases.push_back({"pixels said to start inside the headers", bytes});
    bytes = build_bmp(good);
    bytes.resize(30);
    cases.push_back({"headers cut short", bytes});
    BmpSpec huge = good;
    huge.width = 70000;
    cases.push_back({"width beyond the limit", build_bmp(huge)});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(read_bmp_bytes(c.bytes), nullptr);
    }
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_IMAGE), 1) << "failed reads leave no image behind";
}

TEST_F(ImageTest, ReadFile_KnowsTheFormatByItsFirstBytes) {
    const vkotest::ScratchDir dir;
    {
        const auto bmp = build_bmp({24, 2, 1, {}, {{0, 0, 0xFF, 0xFF, 0, 0, 0, 0}}});
        std::ofstream(dir.path() / "a.bmp", std::ios::binary)
            .write(reinterpret_cast<const char *>(bmp.data()),
                   static_cast<std::streamsize>(bmp.size()));
        cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
        cairo_t *cr = cairo_create(s);
        cairo_set_source_rgb(cr, 0, 0.5, 0);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_rectangle(cr, 2, 1, 1, 1);
        cairo_fill(cr);
        cairo_destroy(cr);
        cairo_surface_write_to_png(s, (dir.path() / "b.png").c_str());
        cairo_surface_destroy(s);
        std::ofstream(dir.path() / "c.xpm")
            << "/* XPM */\nstatic char *c[] = {\n\"3 2 2 1\",\n\". c #0000FF\",\n"
               "\"x c None\",\n\"..x\",\n\"x..\"};\n";
        std::ofstream(dir.path() / "d.xbm")
            << "#define d_width 9\n#define d_height 2\nstatic unsigned char d_bits[] = {\n"
               "0x01, 0x01, 0x00, 0x00 };\n";
        std::ofstream(dir.path() / "e.txt") << "just text";
    }
    struct Case {
        const char *why;
        const char *name;
        std::int32_t width, height, x, y;
        std::uint32_t color;
    };
    // clang-format off
    const Case cases[] = {
        {"BMP", "a.bmp", 2, 1, 0, 0, 0xFF0000u},
        {"PNG, a transparent pixel laid on white", "b.png", 3, 2, 2, 1, 0xFFFFFFu},
        {"PNG, an opaque pixel", "b.png", 3, 2, 0, 0, 0x008000u},
        {"XPM", "c.xpm", 3, 2, 1, 1, 0x0000FFu},
        {"XBM, bit 0 of the second byte is x = 8", "d.xbm", 9, 2, 8, 0, 0x000000u},
        {"XBM, clear bits are white", "d.xbm", 9, 2, 1, 0, 0xFFFFFFu},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const FILE_SPEC spec = dir.spec(c.name);
        IMAGE image = vkov_image_read(&spec);
        ASSERT_NE(image, nullptr);
        std::int32_t w = 0, h = 0;
        vkov_image_get_dimensions(image, &w, &h);
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        EXPECT_EQ(vkov_image_get_pixel(image, c.x, c.y) & 0xFFFFFFu, c.color);
    }
    // The same texts through streams, as image resources are read.
    const std::string xpm = "/* XPM */ \"1 1 1 1\", \"x c #ABCDEF\", \"x\"";
    const std::string xbm = "#define b_width 1\n#define b_height 1\nstatic char b_bits[] = {1};";
    ForwardBytes xpm_bytes{std::vector<unsigned char>(xpm.begin(), xpm.end())};
    ForwardBytes xbm_bytes{std::vector<unsigned char>(xbm.begin(), xbm.end())};
    VKO_IOSTREAM xpm_stream = xpm_bytes.stream();
    VKO_IOSTREAM xbm_stream = xbm_bytes.stream();
    IMAGE from_xpm = vkov_image_read_xpm(xpm_stream);
    IMAGE from_xbm = vkov_image_read_xbm(xbm_stream);
    vkov_iostr_destroy(xpm_stream);
    vkov_iostr_destroy(xbm_stream);
    ASSERT_NE(from_xpm, nullptr);
    ASSERT_NE(from_xbm, nullptr);
    EXPECT_EQ(vkov_image_get_pixel(from_xpm, 0, 0) & 0xFFFFFFu, 0xABCDEFu);
    EXPECT_EQ(vkov_image_get_pixel(from_xbm, 0, 0) & 0xFFFFFFu, 0x000000u);

    // Keys of several characters: keys that share their first characters stay apart, a key
    // given twice takes its later colour, and a pixel with a key of no colour spoils the image.
    struct Keys {
        const char *why;
        std::string body; // colours and the one row of 3 pixels
        std::uint32_t pixels[3];
    };
    const Keys keys[] = {
        {"two characters", "\"3 1 3 2\", \"a. c #FF0000\", \"ab c #00FF00\", \".a c #0000FF\", "
                           "\"ab.aa.\"",
         {0x00FF00u, 0x0000FFu, 0xFF0000u}},
        {"four characters", "\"3 1 2 4\", \"abcd c #102030\", \"abce c #405060\", "
                            "\"abceabcdabce\"",
         {0x405060u, 0x102030u, 0x405060u}},
        {"a key given twice", "\"3 1 3 1\", \"x c #111111\", \"y c #222222\", \"x c #333333\", "
                              "\"xyx\"",
         {0x333333u, 0x222222u, 0x333333u}},
        {"a key of no colour", "\"3 1 1 1\", \"x c #111111\", \"xzx\"", {}},
    };
    for (const Keys &k : keys) {
        SCOPED_TRACE(k.why);
        const std::string text = "/* XPM */ " + k.body;
        ForwardBytes bytes{std::vector<unsigned char>(text.begin(), text.end())};
        VKO_IOSTREAM stream = bytes.stream();
        IMAGE image = vkov_image_read_xpm(stream);
        vkov_iostr_destroy(stream);
        if (k.pixels[0] == 0) {
            EXPECT_EQ(image, nullptr);
            continue;
        }
        ASSERT_NE(image, nullptr);
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(vkov_image_get_pixel(image, x, 0) & 0xFFFFFFu, k.pixels[x]) << "pixel " << x;
        vkov_image_destroy(image);
    }

    const FILE_SPEC text = dir.spec("e.txt");
    const FILE_SPEC missing = dir.spec("none.bmp");
    EXPECT_EQ(vkov_image_read(&text), nullptr);
    EXPECT_EQ(vkov_image_read(&missing), nullptr);
    const FILE_SPEC bmp = dir.spec("a.bmp");
    EXPECT_NE(vkov_image_read_bmp_from_fn(&bmp), nullptr);
    EXPECT_EQ(vkov_image_read_bmp_from_fn(&text), nullptr);
}

} // namespace
