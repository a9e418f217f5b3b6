// Font objects: native descriptions and serialised text, copies by part mask, mapping to a
// window and to the installed faces, metrics and widths of the test font computed by hand,
// widths that agree with the pixels drawn, and the font map.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../../../platform/vkobase/src/font_internal.h"
#include "vkobase/fmap.h"
#include "vkobase/font.h"
#include "vkobase/print.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace {

class FontTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        const s_rct rct{0, 0, 200, 300};
        its_win =
            vkok_win_create(W_DOC, &rct, "doc", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
        ASSERT_NE(its_win, nullptr);
    }
    void TearDown() override { vkov_test_reset_all(); }

    FONT_OBJ make(const char *family, uint32_t style, int32_t size_pt) {
        FONT_OBJ font = vkov_font_create();
        vkov_font_set_family(font, family);
        vkov_font_set_style(font, style);
        vkov_font_set_size(font, size_pt);
        return font;
    }

    static std::string family_of(FONT_OBJ font) { return vkov_font_get_family(font, nullptr, 0); }
    static std::string desc_of(FONT_OBJ font) {
        return vkov_font_get_native_desc(font, nullptr, 0);
    }

    WINDOW its_win = nullptr;
};

// ---- Descriptions and serialised text ----------------------------------------------------

TEST_F(FontTest, NativeDesc_SetsAttributesOnlyWhenItParses) {
    struct Case {
        const char *why;
        const char *desc;
        bool valid;
        const char *family; // expected afterwards; the font starts as "courier" 0 14
        uint32_t style;
        int32_t size_pt;
    };
    const Case cases[] = {
        {"the dialog font", "01\\helvetica\\0\\10\\", true, "helvetica", 0, 10},
        {"the bold status font", "01\\helvetica\\1\\10\\", true, "helvetica", 1, 10},
        {"the system font", "01\\system\\0\\12\\", true, "system", 0, 12},
        {"a family with a space", "01\\Dorvane KestleSpecial\\7\\48\\", true,
         "Dorvane KestleSpecial", 7, 48},
        {"an unknown version", "02\\helvetica\\0\\10\\", false, "courier", 0, 14},
        {"the last backslash missing", "01\\helvetica\\0\\10", false, "courier", 0, 14},
        {"bytes after the last field", "01\\helvetica\\0\\10\\x", false, "courier", 0, 14},
        {"an empty family", "01\\\\0\\10\\", false, "courier", 0, 14},
        {"a style bit that means nothing", "01\\helvetica\\8\\10\\", false, "courier", 0, 14},
        {"a size of zero", "01\\helvetica\\0\\0\\", false, "courier", 0, 14},
        {"a signed size", "01\\helvetica\\0\\-5\\", false, "courier", 0, 14},
        {"a five-digit size", "01\\helvetica\\0\\10000\\", false, "courier", 0, 14},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FONT_OBJ font = make("courier", 0, 14);
        vkov_font_set_native_desc(font, c.desc);
        EXPECT_EQ(vkov_font_has_valid_native_desc(font), c.valid ? TRUE : FALSE);
        EXPECT_EQ(family_of(font), c.family);
        EXPECT_EQ(vkov_font_get_style(font), c.style);
        EXPECT_EQ(vkov_font_get_size(font), c.size_pt);
        EXPECT_EQ(desc_of(font), c.desc) << "the description reads back as set";
        vkov_font_destroy(font);
    }

    // The empty text is a font without a description; the attributes stay.
    FONT_OBJ font = make("times", 2, 9);
    vkov_font_set_native_desc(font, "");
    EXPECT_FALSE(vkov_font_has_valid_native_desc(font));
    EXPECT_EQ(desc_of(font), "");
    EXPECT_EQ(family_of(font), "times");
    // Setting an attribute describes the font again.
    vkov_font_set_size(font, 11);
    EXPECT_EQ(desc_of(font), "01\\times\\2\\11\\");
    EXPECT_TRUE(vkov_font_has_valid_native_desc(font));
}

TEST_F(FontTest, Serialize_RoundTripsAndNeverOverrunsTheBuffer) {
    struct Case {
        const char *why;
        const char *family;
        uint32_t style;
        int32_t size_pt;
        const char *text;
    };
    const Case cases[] = {
        {"plain", "helvetica", 0, 10, "01\\helvetica\\0\\10\\"},
        {"every style bit", "times", 7, 1000, "01\\times\\7\\1000\\"},
        {"a dictionary family", "DorvaneIPA", 2, 12, "01\\DorvaneIPA\\2\\12\\"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FONT_OBJ font = make(c.family, c.style, c.size_pt);
        const auto needed = static_cast<int32_t>(std::strlen(c.text) + 1);
        EXPECT_EQ(vkov_font_serialize(font, nullptr, 0), needed);

        std::vector<char> small(static_cast<size_t>(needed - 1), 'x');
        EXPECT_EQ(vkov_font_serialize(font, small.data(), needed - 1), 0);
        EXPECT_EQ(small[0], '\0') << "a buffer too small is left empty";

        std::vector<char> buf(static_cast<size_t>(needed), 'x');
        EXPECT_EQ(vkov_font_serialize(font, buf.data(), needed), needed);
        EXPECT_STREQ(buf.data(), c.text);

        FONT_OBJ back = make("courier", 0, 20);
        ASSERT_TRUE(vkov_font_deserialize(back, buf.data()));
        EXPECT_EQ(family_of(back), c.family);
        EXPECT_EQ(vkov_font_get_style(back), c.style);
        EXPECT_EQ(vkov_font_get_size(back), c.size_pt);
        EXPECT_EQ(desc_of(back), desc_of(font)) << "equal fonts compare equal by description";
        vkov_font_destroy(font);
        vkov_font_destroy(back);
    }

    FONT_OBJ font = make("courier", 1, 20);
    EXPECT_FALSE(vkov_font_deserialize(font, "01\\courier\\0\\"));
    EXPECT_EQ(desc_of(font), "01\\courier\\1\\20\\") << "a bad text changes nothing";
}

TEST_F(FontTest, Copy_TakesTheMaskedPartsOnly) {
    FONT_OBJ src = make("times", VKO_FS_BOLD, 18);
    vkov_font_set_app_data(src, 77);
    vkov_font_map(src, its_win);
    struct Case {
        const char *why;
        int32_t mask;
        const char *family;
        uint32_t style;
        int32_t size_pt;
        intptr_t app_data;
        bool mapped;
    };
    // The destination starts as "courier" 0 10, app data 5, not mapped.
    const Case cases[] = {
        {"everything", VKO_FONT_PART_ALL, "times", VKO_FS_BOLD, 18, 77, true},
        {"what a text edit copies (31)", 31, "times", VKO_FS_BOLD, 18, 77, false},
        {"a window's own font (63)", 63, "times", VKO_FS_BOLD, 18, 77, true},
        {"the size alone", VKO_FONT_PART_SIZE, "courier", 0, 18, 5, false},
        {"the description carries its attributes", VKO_FONT_PART_NATIVE_DESC, "times", VKO_FS_BOLD,
         18, 5, false},
        {"nothing", 0, "courier", 0, 10, 5, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FONT_OBJ dst = make("courier", 0, 10);
        vkov_font_set_app_data(dst, 5);
        vkov_font_copy(dst, src, c.mask);
        EXPECT_EQ(family_of(dst), c.family);
        EXPECT_EQ(vkov_font_get_style(dst), c.style);
        EXPECT_EQ(vkov_font_get_size(dst), c.size_pt);
        EXPECT_EQ(vkov_font_get_app_data(dst), c.app_data);
        EXPECT_EQ(vkov_font_is_mapped(dst), c.mapped ? TRUE : FALSE);
        vkov_font_destroy(dst);
    }
}

// ---- Mapping -----------------------------------------------------------------------------

TEST_F(FontTest, Map_FollowsTheWindowAndNeverOutlivesIt) {
    FONT_OBJ font = make("helvetica", 0, 10);
    EXPECT_FALSE(vkov_font_is_mapped(font));
    EXPECT_EQ(vkok_font_get_family_mapped(font, nullptr, 0), nullptr) << "unmapped: no face";

    vkov_font_set_win(font, its_win);
    EXPECT_EQ(vkov_font_get_win(font), its_win);
    EXPECT_FALSE(vkov_font_is_mapped(font)) << "binding is not mapping";
    vkov_font_map_using_default(font);
    EXPECT_TRUE(vkov_font_is_mapped(font));
    EXPECT_TRUE(vkok_font_is_scalable(font));
    EXPECT_FALSE(vkok_font_is_print(font));
    EXPECT_EQ(vkok_font_get_size_mapped(font), 10);

    vkov_font_unmap(font);
    EXPECT_FALSE(vkov_font_is_mapped(font));
    EXPECT_EQ(vkok_font_get_size_mapped(font), 0);

    vkov_font_map(font, its_win);
    EXPECT_TRUE(vkov_font_is_mapped(font));
    vkok_vobj_destroy(its_win);
    EXPECT_EQ(vkov_font_get_win(font), nullptr) << "a destroyed window is never handed out";
    EXPECT_FALSE(vkov_font_is_mapped(font));
    its_win = nullptr;
}

TEST_F(FontTest, Map_ToAPrintWindowMeasuresAtThePrinterResolution) {
    const std::string dir = ::testing::TempDir() + "font_test_print";
    std::filesystem::create_directories(dir);
    vkov_print_set_output_dir(dir.c_str());
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_PRINTER_HRES, 144);
    vkov_vobj_set_attr(NULL_WIN, VKO_ATTR_PRINTER_VRES, 144);
    int32_t size_bytes = 0;
    s_printrcd *rcd = vkok_print_create(&size_bytes);
    ASSERT_NE(rcd, nullptr);
    WINDOW print_win = vkok_print_create_win(rcd, "fonts");
    ASSERT_NE(print_win, nullptr);

    FONT_OBJ font = make(VKO_FONT_TEST_FAMILY, 0, 12);
    vkov_font_map(font, print_win);
    EXPECT_TRUE(vkok_font_is_print(font));
    int32_t leading = -1, ascent = -1, descent = -1;
    vkok_font_get_metrics(font, &leading, &ascent, &descent);
    EXPECT_EQ(ascent, 18) << "12 points at 144 dots per inch are 24 dots";
    EXPECT_EQ(descent, 6);
    EXPECT_EQ(vkobase::font::text_width(font, vkobase::font::window_dpi(print_win), "AB", -1), 24);

    vkov_font_map(font, its_win);
    EXPECT_FALSE(vkok_font_is_print(font)) << "mapped back to the screen";
    vkok_vobj_destroy(print_win);
    vkok_print_destroy(rcd);
    std::filesystem::remove_all(dir);
}

TEST_F(FontTest, FamiliesMapToTheirInstalledFacesAndTheTableExtends) {
    struct Case {
        const char *why;
        const char *family;
        uint32_t style;
        const char *face;
        uint32_t face_style;
    };
    const Case cases[] = {
        {"helvetica is the narrow sans face", "helvetica", 0, "Liberation Sans", 0},
        {"case does not matter", "HELVETICA", VKO_FS_BOLD, "Liberation Sans", VKO_FS_BOLD},
        {"times is the serif face", "times", VKO_FS_ITALIC, "DejaVu Serif", VKO_FS_ITALIC},
        {"courier is the mono face", "courier", 3, "DejaVu Sans Mono", 3},
        {"underline is drawn on any face", "system", VKO_FS_UNDERLINE, "Liberation Sans",
         VKO_FS_UNDERLINE},
        {"an unknown family falls on the sans face", "Nonesuch", 0, "DejaVu Sans", 0},
        {"the phonetic family", "DorvaneIPA", 0, "DejaVu Sans", 0},
        {"the test font", VKO_FONT_TEST_FAMILY, VKO_FS_BOLD, VKO_FONT_TEST_FAMILY, VKO_FS_BOLD},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FONT_OBJ font = make(c.family, c.style, 12);
        vkov_font_map(font, its_win);
        const char *face = vkok_font_get_family_mapped(font, nullptr, 0);
        ASSERT_NE(face, nullptr);
        EXPECT_STREQ(face, c.face);
        EXPECT_EQ(vkok_font_get_style_mapped(font), c.face_style);
        vkov_font_destroy(font);
    }

    // The program maps its own family; fonts made before take the new face.
    FONT_OBJ font = make("DorvaneExt", 0, 12);
    vkov_font_map(font, its_win);
    EXPECT_FALSE(vkov_font_add_family_mapping(nullptr, "DejaVu Sans"));
    EXPECT_FALSE(vkov_font_add_family_mapping("DorvaneExt", ""));
    EXPECT_TRUE(vkov_font_add_family_mapping("dorvaneext", "DejaVu Sans Mono"));
    EXPECT_STREQ(vkok_font_get_family_mapped(font, nullptr, 0), "DejaVu Sans Mono");
    const int32_t mono_width = vkobase::font::text_width(font, 96, "AB C", -1);
    EXPECT_TRUE(vkov_font_add_family_mapping("DorvaneExt", VKO_FONT_TEST_FAMILY));
    int32_t leading = -1, ascent = -1, descent = -1;
    vkok_font_get_metrics(font, &leading, &ascent, &descent);
    EXPECT_EQ(ascent, 12) << "now measured as the test font";
    EXPECT_EQ(vkobase::font::text_width(font, 96, "AB C", -1), 32)
        << "the same text measured again takes the new face, not the width kept for the old ("
        << mono_width << ")";

    vkov_test_reset_all();
    FONT_OBJ again = vkov_font_create();
    vkov_font_set_family(again, "DorvaneExt");
    vkov_font_map_using_default(again);
    EXPECT_EQ(vkov_test_live_count(VKO_LIVE_FONT), 1) << "the reset freed the old fonts";
    EXPECT_STREQ(vkobase::font::describe(again).c_str(), "DorvaneExt 0 10");
    const s_rct rct{0, 0, 50, 50};
    its_win = vkok_win_create(W_DOC, &rct, "doc", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    vkov_font_map(again, its_win);
    EXPECT_STREQ(vkok_font_get_family_mapped(again, nullptr, 0), "DejaVu Serif")
        << "the reset restored the built-in table";
}

// ---- Metrics and widths ------------------------------------------------------------------

TEST_F(FontTest, TestFont_MetricsAndWidthsComputeByHand) {
    struct Case {
        const char *why;
        int32_t size_pt;
        int32_t dpi;
        const char *text;
        int32_t len;
        int32_t width;
        int32_t ascent;
        int32_t descent;
    };
    const Case cases[] = {
        {"12 points on screen is 16 pixels", 12, 96, "AB C", -1, 32, 12, 4},
        {"24 points on screen is 32 pixels", 24, 96, "xy", -1, 32, 24, 8},
        {"a length counts bytes", 12, 96, "ABCDEF", 3, 24, 12, 4},
        {"a length past the terminator stops there", 12, 96, "AB", 10, 16, 12, 4},
        {"a high byte is one character", 12, 96, "\xE9\x80", -1, 16, 12, 4},
        {"on a 300-dot printer", 12, 300, "A", -1, 25, 38, 13},
        {"nothing is 0 wide", 12, 96, "", -1, 0, 12, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FONT_OBJ font = make(VKO_FONT_TEST_FAMILY, 0, c.size_pt);
        EXPECT_EQ(vkobase::font::text_width(font, c.dpi, c.text, c.len), c.width);
        const vkobase::font::Metrics m = vkobase::font::metrics(font, c.dpi);
        EXPECT_EQ(m.leading, 0);
        EXPECT_EQ(m.ascent, c.ascent);
        EXPECT_EQ(m.descent, c.descent);
        vkov_font_destroy(font);
    }

    // Through the window it is bound to; null out-parameters are skipped.
    FONT_OBJ font = make(VKO_FONT_TEST_FAMILY, 0, 12);
    vkov_font_set_win(font, its_win);
    int32_t leading = -1, descent = -1;
    vkok_font_get_metrics(font, &leading, nullptr, &descent);
    EXPECT_EQ(leading, 0);
    EXPECT_EQ(descent, 4);
}

TEST_F(FontTest, NullFont_IsTheDefaultFont) {
    FONT_OBJ def = vkov_font_create();
    EXPECT_EQ(desc_of(def), "01\\system\\0\\10\\");
    EXPECT_EQ(vkobase::font::text_width(nullptr, 96, "Wort", -1),
              vkobase::font::text_width(def, 96, "Wort", -1));
    FONT_OBJ gone = vkov_font_create();
    vkov_font_destroy(gone);
    EXPECT_FALSE(vkov_font_is_valid(gone));
    EXPECT_EQ(vkobase::font::metrics(gone, 96).ascent, vkobase::font::metrics(def, 96).ascent);
}

TEST_F(FontTest, TextToUtf8_ThePhoneticFamilyReadsItsOwnCodePage) {
    struct Case {
        const char *why;
        const char *family;
        const char *text;
        const char *utf8;
    };
    const Case cases[] = {
        {"IPA letters and stress", "DorvaneIPA", "d\xC0\x80\xC2\x9F", "d\u02C8\u0251\u02D0\u0261"},
        {"family names ignore case", "dorvaneipa", "\x85", "\u0259"},
        {"display bytes are no IPA letters", "DorvaneIPA", "\x96\x97\xA3\xFF", "????"},
        {"other families read Windows-1252", "DorvaneRegular", "\x80\x96", "\u20AC\u2013"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FONT_OBJ font = make(c.family, 0, 12);
        EXPECT_EQ(vkobase::font::text_to_utf8(font, c.text, -1), c.utf8);
        vkov_font_destroy(font);
    }
}

TEST_F(FontTest, ToUtf8_ReadsWindows1252) {
    EXPECT_EQ(vkobase::font::to_utf8("W\xF6rter \x80\x93\x96", -1),
              "W\xC3\xB6rter \xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x93");
    EXPECT_EQ(vkobase::font::to_utf8("abc", 2), "ab");
    EXPECT_EQ(vkobase::font::to_utf8(nullptr, -1), "");
}

// ---- Pixels ------------------------------------------------------------------------------

class Canvas {
public:
    Canvas(int width, int height)
        : its_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
          its_cr(cairo_create(its_surface)) {
        cairo_set_source_rgb(its_cr, 1, 1, 1);
        cairo_paint(its_cr);
        cairo_set_source_rgb(its_cr, 0, 0, 0);
    }
    ~Canvas() {
        cairo_destroy(its_cr);
        cairo_surface_destroy(its_surface);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    cairo_t *cr() { return its_cr; }
    uint32_t pixel(int x, int y) {
        cairo_surface_flush(its_surface);
        const unsigned char *row = cairo_image_surface_get_data(its_surface) +
                                   y * cairo_image_surface_get_stride(its_surface);
        uint32_t value;
        std::memcpy(&value, row + 4 * x, sizeof value);
        return value & 0xFFFFFFu;
    }
    bool same_pixels(Canvas &other) {
        cairo_surface_flush(its_surface);
        cairo_surface_flush(other.its_surface);
        const int h = cairo_image_surface_get_height(its_surface);
        const int stride = cairo_image_surface_get_stride(its_surface);
        return std::memcmp(cairo_image_surface_get_data(its_surface),
                           cairo_image_surface_get_data(other.its_surface),
                           static_cast<size_t>(h * stride)) == 0;
    }

private:
    cairo_surface_t *its_surface;
    cairo_t *its_cr;
};

TEST_F(FontTest, TestFont_DrawsBoxesWhereTheMetricsSay) {
    Canvas canvas(60, 30);
    FONT_OBJ font = make(VKO_FONT_TEST_FAMILY, VKO_FS_UNDERLINE, 12);
    vkobase::font::show_text(canvas.cr(), font, 96, 10, 20, "A B", -1);
    struct Case {
        const char *why;
        int x, y;
        uint32_t rgb;
    };
    const Case cases[] = {
        {"first box, top left", 10, 8, 0x000000},
        {"first box, bottom right", 15, 19, 0x000000},
        {"above the ascent", 10, 7, 0xFFFFFF},
        {"the gap after the box", 16, 12, 0xFFFFFF},
        {"the space draws nothing", 20, 12, 0xFFFFFF},
        {"second box starts after two advances", 26, 8, 0x000000},
        {"second box ends 6 pixels on", 32, 12, 0xFFFFFF},
        {"between baseline and underline", 20, 20, 0xFFFFFF},
        {"the underline spans the whole advance", 20, 22, 0x000000},
        {"and ends with it", 34, 22, 0xFFFFFF},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(canvas.pixel(c.x, c.y), c.rgb);
    }
}

TEST_F(FontTest, Width_AgreesWithWhatIsDrawn) {
    struct Case {
        const char *why;
        const char *family;
        uint32_t style;
        int32_t size_pt;
    };
    const Case cases[] = {
        {"sans", "helvetica", 0, 10},
        {"serif bold", "times", VKO_FS_BOLD, 12},
        {"mono italic", "courier", VKO_FS_ITALIC, 11},
        {"underlined", "system", VKO_FS_UNDERLINE, 9},
        {"test font", VKO_FONT_TEST_FAMILY, 0, 12},
    };
    const char *head = "W\xF6rterbuch, ";
    const char *tail = "fi AV \x93quoted\x94";
    const std::string whole = std::string(head) + tail;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FONT_OBJ font = make(c.family, c.style, c.size_pt);
        Canvas one(400, 40);
        Canvas two(400, 40);
        vkobase::font::show_text(one.cr(), font, 96, 5, 25, whole.c_str(), -1);
        vkobase::font::show_text(two.cr(), font, 96, 5, 25, head, -1);
        const int32_t x = 5 + vkobase::font::text_width(font, 96, head, -1);
        vkobase::font::show_text(two.cr(), font, 96, x, 25, tail, -1);
        EXPECT_TRUE(one.same_pixels(two)) << "the rest drawn at the measured width";
        EXPECT_EQ(vkobase::font::text_width(font, 96, whole.c_str(), -1),
                  x - 5 + vkobase::font::text_width(font, 96, tail, -1));
        vkov_font_destroy(font);
    }
}

// ---- Font maps ---------------------------------------------------------------------------

TEST_F(FontTest, FontMap_OffersTheTableFamiliesInFourFacesAtAnySize) {
    const char *families[32] = {};
    const int32_t n = vkov_fmap_get_families(its_win, families, 32);
    std::vector<std::string> names(families, families + n);
    for (const char *want : {"courier", "helvetica", "system", "times", "DorvaneIPA"})
        EXPECT_NE(std::find(names.begin(), names.end(), want), names.end()) << want;
    EXPECT_EQ(std::find(names.begin(), names.end(), VKO_FONT_TEST_FAMILY), names.end());
    EXPECT_EQ(vkov_fmap_get_families(its_win, families, 2), 2) << "max caps the count";

    vkov_font_add_family_mapping("Caption", "DejaVu Serif");
    EXPECT_EQ(vkov_fmap_get_families(its_win, families, 32), n + 1);

    struct Case {
        const char *why;
        const char *family;
        uint32_t style;
        int32_t max;
        int32_t styles;
        int32_t sizes;
    };
    const Case cases[] = {
        {"an offered family", "times", VKO_FS_BOLD, 32, 4, 14},
        {"case does not matter", "TIMES", 0, 32, 4, 14},
        {"max caps the count", "courier", 0, 2, 2, 2},
        {"underline goes with any face", "courier", VKO_FS_ITALIC | VKO_FS_UNDERLINE, 32, 4, 14},
        {"an unknown style bit offers no size", "courier", 8, 32, 4, 0},
        {"an unknown family", "Nonesuch", 0, 32, 0, 0},
        {"the test font is not offered", VKO_FONT_TEST_FAMILY, 0, 32, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        uint32_t styles[32] = {};
        int32_t sizes[32] = {};
        BOOLEAN scalable = FALSE;
        EXPECT_EQ(vkov_fmap_get_family_styles(its_win, c.family, styles, c.max), c.styles);
        EXPECT_EQ(vkov_fmap_get_familysize_styles(its_win, c.family, 12, styles, c.max), c.styles);
        EXPECT_EQ(
            vkov_fmap_get_familystyle_sizes(its_win, c.family, c.style, &scalable, sizes, c.max),
            c.sizes);
        EXPECT_EQ(vkov_fmap_get_family_sizes(its_win, c.family, &scalable, sizes, c.max),
                  c.styles == 0  ? 0
                  : c.sizes == 0 ? 14
                                 : c.sizes);
        if (c.sizes > 0) {
            EXPECT_EQ(scalable, TRUE);
            EXPECT_EQ(sizes[0], 8);
        }
    }
}

} // namespace
