// Tests of the font and font-map families against the recording double: the font predicate,
// the font's window confirmed live before it is read, the copying queries' buffer rules and
// the font-map argument orders.
#include <functional>

#include "layer_fixture.h"

namespace {

class TfontTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        base().SetLive("vkov_font_is_valid", font());
    }
    FONT_OBJ font() { return reinterpret_cast<FONT_OBJ>(&itsFontStorage); }
    FONT_OBJ stale() { return reinterpret_cast<FONT_OBJ>(&itsStaleStorage); }

private:
    int itsFontStorage = 0;
    int itsStaleStorage = 0;
};

TEST_F(TfontTest, DestroyAndCreate_TreatNullAndStaleFontsApart) {
    vko_font_destroy(nullptr);
    ExpectOutcome(0, "vkov_font_destroy", false);
    vko_font_destroy(stale());
    ExpectOutcome(0x1220003, "vkov_font_destroy", false);
    base().SetResultPtr("vkov_font_create", stale());
    EXPECT_EQ(vko_font_create(), nullptr);
    ExpectOutcome(0x1220003, "vkov_font_create", true);
    base().SetResultPtr("vkov_font_create", font());
    EXPECT_EQ(vko_font_create(), font());
    ExpectOutcome(0, "vkov_font_create", true);
}

TEST_F(TfontTest, FontWindow_IsConfirmedLiveBeforeItIsRead) {
    struct Case {
        const char* why;
        Win win;
        std::uint32_t metrics_code, default_code;
    };
    const Case cases[] = {
        {"a font mapped to no window", Win::Null, 0x1210002, 0x1210002},
        {"a font whose window was destroyed", Win::Freed, 0x1220002, 0x1220002},
        {"a slot number is never read as a window", Win::Slot, 0x1220002, 0x1220002},
        {"a window of no drawable kind can still give metrics", Win::NotDrawable, 0, 0x1230001},
        {"a document window", Win::Doc, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResultPtr("vkov_font_get_win", window(c.win));
        vko_font_get_metrics(font(), nullptr, nullptr, nullptr);
        ExpectOutcome(c.metrics_code, "vkok_font_get_metrics", c.metrics_code == 0);
        vko_font_map_using_default(font());
        ExpectOutcome(c.default_code, "vkov_font_map_using_default", c.default_code == 0);
    }
}

TEST_F(TfontTest, HasValidNativeDesc_NeedsAMappedWindowAndADescription) {
    base().SetResult("vkov_font_has_valid_native_desc", TRUE);
    EXPECT_EQ(vko_font_has_valid_native_desc(font()), FALSE);
    ExpectOutcome(0x1220002, "vkov_font_has_valid_native_desc", false);
    base().SetResultPtr("vkov_font_get_win", window(Win::Doc));
    EXPECT_EQ(vko_font_has_valid_native_desc(font()), FALSE);
    ExpectOutcome(0, "vkov_font_has_valid_native_desc", false);
    base().SetResultPtr("vkov_font_get_native_desc", "-adobe-");
    EXPECT_EQ(vko_font_has_valid_native_desc(font()), TRUE);
    ExpectOutcome(0, "vkov_font_has_valid_native_desc", true);
}

TEST_F(TfontTest, CopyingQueries_EmptyTheBufferAndNeedRoomForTheZero) {
    base().SetResultPtr("vkov_font_get_family", "Times");
    base().SetResultPtr("vkok_font_get_family_mapped", "Times");
    struct Case {
        const char* why;
        bool mapped_query;
        bool stale_font;
        bool is_mapped;
        std::int32_t size;
        std::uint32_t code;
        BOOLEAN result;
    };
    const Case cases[] = {
        {"stale font", false, true, false, 10, 0x1220003, FALSE},
        {"the mapped family of an unmapped font", true, false, false, 10, 0x640000, FALSE},
        {"size below 1", false, false, false, 0, 0x1260003, FALSE},
        {"exactly the length", false, false, false, 5, 0x1260003, FALSE},
        {"room for the zero", false, false, false, 6, 0, TRUE},
        {"mapped family of a mapped font", true, false, true, 6, 0, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        base().SetResult("vkov_font_is_mapped", c.is_mapped);
        char buf[16] = "stale";
        FONT_OBJ f = c.stale_font ? stale() : font();
        const BOOLEAN got = c.mapped_query ? vko_font_get_family_mapped(f, buf, c.size)
                                           : vko_font_get_family(f, buf, c.size);
        EXPECT_EQ(got, c.result);
        EXPECT_STREQ(buf, c.result ? "Times" : "");
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
    EXPECT_EQ(vko_font_get_native_desc(font(), nullptr, 10), FALSE);
    EXPECT_EQ(base().TakeLastReportCode(), 0x210000u);
}

TEST_F(TfontTest, Serialize_PassesANullBufferWhateverTheSize) {
    vko_font_serialize(font(), nullptr, 0);
    ExpectOutcome(0, "vkov_font_serialize", true);
    char buf[4];
    vko_font_serialize(font(), buf, 0);
    ExpectOutcome(0x1260003, "vkov_font_serialize", false);
}

TEST_F(TfontTest, FontMap_ChecksInEachMembersOrder) {
    const char* families[4];
    uint32_t styles[4];
    BOOLEAN scalable = FALSE;
    int32_t sizes[4];
    struct Case {
        const char* why;
        std::function<int32_t()> call;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"families: a count of 0", [&] { return vko_fmap_get_families(nullptr, families, 0); },
         0x1250004},
        {"familysize: a size below 1 before the null styles",
         [&] { return vko_fmap_get_familysize_styles(nullptr, "a", 0, nullptr, 4); }, 0x1250004},
        {"family sizes: a count of 0 after every pointer",
         [&] { return vko_fmap_get_family_sizes(nullptr, "a", &scalable, sizes, 0); },
         0x1250004},
        {"familystyle sizes: a count of 0 after every pointer",
         [&] { return vko_fmap_get_familystyle_sizes(nullptr, "a", 0, &scalable, sizes, 0); },
         0x1250004},
        {"family styles: good arguments", [&] {
             return vko_fmap_get_family_styles(nullptr, "a", styles, 4);
         }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.call(), 0);
        EXPECT_EQ(base().TakeLastReportCode(), c.code);
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }
}

// Both checks report a null pointer; their lines tell them apart. With both arguments
// missing, the report is the one of the sizes array, which is tested first.
TEST_F(TfontTest, FamilySizes_TestsTheSizesArrayBeforeTheFamily) {
    BOOLEAN scalable = FALSE;
    int32_t sizes[4];
    const auto line_of = [&](const char* family, int32_t* sizes_array) {
        base().ClearLog();
        vko_fmap_get_family_sizes(nullptr, family, &scalable, sizes_array, 4);
        const base_double::Report* report = base().LastReport();
        EXPECT_NE(report, nullptr);
        EXPECT_EQ(report != nullptr ? report->code : 0u, 0x210000u);
        return report != nullptr ? report->line : -1;
    };
    const std::int32_t sizes_line = line_of("a", nullptr);
    const std::int32_t family_line = line_of(nullptr, sizes);
    ASSERT_NE(sizes_line, family_line);
    EXPECT_EQ(line_of(nullptr, nullptr), sizes_line);
}

} // namespace
