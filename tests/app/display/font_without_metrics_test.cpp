// Tests of printing and laying entries out in a font that reports no metrics at all (ascent,
// descent and leading 0, as a broken or empty face may): lines stay one pixel high, so
// nothing divides by a line height of zero. The base library's metrics call is replaced in
// this program by one that answers zeros while a test asks for it.
#include <dlfcn.h>

#include <filesystem>
#include <string>

#include "app/display/print_view.h"
#include "entry_painter_support.h"
#include "tests/support/temp_dir.h"
#include "vkobase/print.h"

namespace {

bool g_noMetrics = false;

} // namespace

// Takes the place of the base library's call for this program; forwards to it unless a
// test wants a font without metrics.
extern "C" void vkok_font_get_metrics(FONT_OBJ font, int32_t* leading, int32_t* ascent,
                                      int32_t* descent) noexcept
{
    using Real = void (*)(FONT_OBJ, int32_t*, int32_t*, int32_t*);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "vkok_font_get_metrics"));
    if (!g_noMetrics && real != nullptr) {
        real(font, leading, ascent, descent);
        return;
    }
    for (int32_t* metric : {leading, ascent, descent})
        if (metric != nullptr)
            *metric = 0;
}

namespace {

using entrytest::Parts;
using entrytest::PainterFixture;

class Lines : public PrintListSource {
public:
    std::int32_t LineCount() const override { return 40; }
    std::string LineText(std::int32_t index) const override
    {
        return "line " + std::to_string(index + 1);
    }
};

class FontWithoutMetrics : public PainterFixture {
protected:
    void SetUp() override
    {
        PainterFixture::SetUp();
        g_noMetrics = true;
    }
    void TearDown() override
    {
        g_noMetrics = false;
        PainterFixture::TearDown();
    }
};

TEST_F(FontWithoutMetrics, EntryLinesStayOnePixelHigh)
{
    Parts parts;
    parts.Set(1, "word");
    parts.items[2]->set_kind(1); // a marker divides its picture's height by the line height
    parts.Set(9, "\nfirst sense\nsecond sense");
    Order();
    painter->ShowEntry(parts.items);
    EXPECT_EQ(pane.step, 1) << "the pane scrolls by whole lines of one pixel";
    ASSERT_FALSE(painter->runs().empty());
    EXPECT_LT(painter->runs().front().y, painter->runs().back().y) << "lines still go down";
}

TEST_F(FontWithoutMetrics, ListStillPrints)
{
    test_support::TempDir dir;
    vkov_print_set_output_dir(dir.path().c_str());
    int32_t size = 0;
    s_printrcd* record = vko_print_create(&size);
    ASSERT_NE(record, nullptr);
    Lines lines;
    PrintView view(record, &lines, "nometrics");
    EXPECT_TRUE(view.StartPrint(PrintView::kList));
    EXPECT_GT(view.linesPerPage(), 40);
    vko_print_destroy(record);
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "/nometrics.pdf"));
}

} // namespace
