// Tests of fonts and the font registry: fonts made before, during and after the registry's
// life, copies whose source is not realised yet or is gone, and the attribute calls.
#include "frm/drawing/cfont.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "../support/frm_error_capture.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

// While set, the base library's serialisation answers as a toolkit whose length leaves the
// terminator out: the text's length alone, and a terminator only when the buffer has room.
bool g_lengthWithoutTerminator = false;

} // namespace

// A new block holds no terminator: each of its bytes, to the end the allocator gives it, is
// 'x', as a release build's heap may hold anything. A text read past its block's end then shows
// in what was read, with or without the address sanitizer.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block != nullptr)
        std::memset(block, 'x', malloc_usable_size(block));
    return block;
}
void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept { return operator new(size, nothrow); }
void* operator new(std::size_t size)
{
    if (void* block = operator new(size, std::nothrow))
        return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

// Takes the place of the base library's call in this program.
extern "C" int32_t vkov_font_serialize(FONT_OBJ font, char* buf, int32_t buf_size) noexcept
{
    using Real = int32_t (*)(FONT_OBJ, char*, int32_t);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "vkov_font_serialize"));
    if (real == nullptr)
        return 0;
    if (!g_lengthWithoutTerminator)
        return real(font, buf, buf_size);
    char text[256] = {};
    if (real(font, text, sizeof text) <= 0)
        return 0;
    const auto length = static_cast<int32_t>(std::strlen(text));
    if (buf == nullptr)
        return length;
    const int32_t copied = std::min(length, buf_size);
    std::memcpy(buf, text, static_cast<std::size_t>(copied));
    if (copied < buf_size)
        buf[copied] = '\0';
    return length;
}

namespace {

class FontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vkov_test_reset_all();
        FRM_CFont::GetRegistry()->ResetForTests();
    }
    void TearDown() override
    {
        FRM_CFont::GetRegistry()->Destroy();
        FRM_CFont::GetRegistry()->ResetForTests();
        vkov_test_reset_all();
    }

    static std::string Family(const FRM_CFont& font) { return font.GetFamily().data(); }
    static int LiveFonts() { return vkov_test_live_count(VKO_LIVE_FONT); }
};

TEST_F(FontTest, Registry_RealisesAtStartUpOnlyFontsThatStillExist)
{
    const int before = LiveFonts();
    auto gone = std::make_unique<FRM_CFont>(FRM_CStringRW("times"), 0, 10);
    gone.reset();
    FRM_CFont kept(FRM_CStringRW("courier"), VKO_FS_BOLD, 14);
    EXPECT_EQ(static_cast<s_fntid*>(kept), nullptr) << "no toolkit font before start-up";
    EXPECT_EQ(LiveFonts(), before);

    FRM_CFont::GetRegistry()->Create();
    ASSERT_NE(static_cast<s_fntid*>(kept), nullptr);
    EXPECT_EQ(Family(kept), "courier");
    EXPECT_EQ(kept.GetStyle(), static_cast<unsigned long>(VKO_FS_BOLD));
    EXPECT_EQ(kept.GetSize(), 14);
    EXPECT_EQ(LiveFonts(), before + 1) << "the font destroyed before start-up made none";

    FRM_CFont live(FRM_CStringRW("helvetica"), 0, 9);
    EXPECT_EQ(Family(live), "helvetica") << "made at once while the registry is created";

    FRM_CFont::GetRegistry()->Destroy();
    EXPECT_EQ(static_cast<s_fntid*>(kept), nullptr) << "destroyed fonts hold no stale handle";
    EXPECT_EQ(LiveFonts(), before);
    FRM_CFont late(FRM_CStringRW("times"), 0, 10);
    EXPECT_EQ(static_cast<s_fntid*>(late), nullptr) << "after shut-down fonts stay empty";
}

TEST_F(FontTest, CopyBeforeStartUp_CopiesItsSourceWhateverTheOrder)
{
    struct Case {
        const char* why;
        bool destroySource;
    };
    const Case cases[] = {
        {"a copy made after its source is realised after it", false},
        {"a copy whose source is destroyed before start-up keeps how the source was made", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_CFont::GetRegistry()->ResetForTests();
        auto source = std::make_unique<FRM_CFont>(FRM_CStringRW("courier"), VKO_FS_ITALIC, 11);
        FRM_CFont copy(*source);
        if (c.destroySource)
            source.reset();
        FRM_CFont::GetRegistry()->Create();
        EXPECT_EQ(Family(copy), "courier");
        EXPECT_EQ(copy.GetStyle(), static_cast<unsigned long>(VKO_FS_ITALIC));
        EXPECT_EQ(copy.GetSize(), 11);
        source.reset();
        FRM_CFont::GetRegistry()->Destroy();
    }
}

TEST_F(FontTest, Attributes_DescriptionsMetricsAndSerialisation)
{
    FRM_CFont::GetRegistry()->Create();
    const s_rct frame{0, 0, 50, 100};
    WINDOW win = vkok_win_create(W_DOC, &frame, "w", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    FRM_CFont font(FRM_CStringRW("helvetica"), 0, 10);
    vko_font_map(font, win); // metrics and description checks need the font's window

    int leading = 0, ascent = 0, descent = 0;
    font.GetMetrics(&leading, &ascent, &descent);
    EXPECT_GT(ascent, 0);
    EXPECT_EQ(font.GetHeight(), leading + ascent + descent);
    EXPECT_EQ(font.GetAscent(), ascent);

    const FRM_CStringRW stored = font.Serialize();
    EXPECT_EQ(std::string(stored.data()), "01\\helvetica\\0\\10\\");
    g_lengthWithoutTerminator = true;
    const FRM_CStringRW unterminated = font.Serialize();
    EXPECT_EQ(std::string(unterminated.data(), unterminated.length()), "01\\helvetica\\0\\10\\")
        << "a length without the terminator loses nothing and reads nothing past the text";
    g_lengthWithoutTerminator = false;
    FRM_CFont other(FRM_CStringRW("times"), 1, 20);
    other.Deserialize(stored);
    EXPECT_TRUE(other == font);
    EXPECT_TRUE(other != FRM_CFont(FRM_CStringRW("times"), 1, 20));

    font.SetNativeDescription(FRM_CStringRW("not a description"));
    EXPECT_EQ(std::string(font.GetNativeDescription().data()), "")
        << "a rejected description leaves the empty one";
}

TEST_F(FontTest, TextWidth_OfAnUnmappedFontWarnsAndIsZero)
{
    FRM_CFont::GetRegistry()->Create();
    FRM_CFont font(FRM_CStringRW("helvetica"), 0, 10);
    const int dialogs = vkov_dm_test_count();
    EXPECT_EQ(font.GetTextWidth(FRM_CStringRW("abc")), 0);
    ASSERT_EQ(vkov_dm_test_count(), dialogs + 1);
    EXPECT_STREQ(vkov_dm_test_kind(dialogs), "warning");
}

TEST_F(FontTest, TextWidth_InAWindowLeavesTheWindowsFontAlone)
{
    FRM_CFont::GetRegistry()->Create();
    const s_rct frame{0, 0, 50, 100};
    WINDOW win = vkok_win_create(W_DOC, &frame, "w", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    FRM_CFont windowFont(FRM_CStringRW("times"), 0, 30);
    vko_dwin_set_font(win, windowFont);
    FRM_CFont font(FRM_CStringRW("helvetica"), 0, 10);
    vko_font_map(font, win);
    const long width = font.GetTextWidth(FRM_CStringRW("abc"));
    EXPECT_GT(width, 0);
    EXPECT_LT(width, vko_dwin_get_text_width(win, "abc", -1)) << "the small font measured";
    EXPECT_EQ(vko_dwin_get_font_size(win), 30) << "the window keeps a live font of its own";
}

TEST_F(FontTest, CreateFailure_IsFatal)
{
    FrmErrorCapture errors;
    FRM_CFont::GetRegistry()->Create();
    FRM_CFont resourceFont(4711); // no such font resource
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{6000, "cfont", 259}}));
    FRM_CFont::GetRegistry()->Destroy();
    FRM_CFont empty(FRM_CStringRW("times"), 0, 10);
    empty.IFont(FRM_CStringRW("times"), 0, 10, FRM_CStringRW(""));
    EXPECT_EQ(errors.Take(), (std::vector<FrmReport>{{6000, "cfont", 171}}));
}

} // namespace
