// entry_painter_support.h: a window with the deterministic test font behind every family of
// the entry painter, and a pane that records what the painter tells it. With the 12-point test
// font every character advances 8 pixels and is a box 6 wide from the baseline 12 up; lines
// are 16 pixels (ascent 12, descent 4, no leading).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/display/entry_painter.h"
#include "engine/worditem.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/font.h"
#include "vkobase/vkobase.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkocoll/collstr.h"
#include "vkocoll/ordered.h"
#include "vkocoll/rwint.h"

namespace entrytest {

class FakePane : public EntryPane {
public:
    s_rct frame{0, 0, 400, 250}; // top, left, bottom, right: a right limit of 200
    std::int16_t step = 0;
    float origin = 0;
    std::int32_t rangeMin = -1, rangeMax = -1;
    std::uint32_t back = 0, text = 0;

    s_rct PaneFrame() const override { return frame; }
    void SetLineStep(std::int16_t s) override { step = s; }
    float ScrollOriginY() const override { return origin; }
    void SetScrollOriginY(float o) override { origin = o; }
    void SetScrollRange(std::int32_t mn, std::int32_t mx) override
    {
        rangeMin = mn;
        rangeMax = mx;
    }
    void SetPaneColors(std::uint32_t b, std::uint32_t t) override
    {
        back = b;
        text = t;
    }
};

inline std::int32_t NoEvents(WINDOW, EVENT*) { return 0; }

// Hands the painter a display order (empty: parts 1..10 in turn), the layout tokens by part
// and the search words.
inline void HandDisplayOrder(EntryPainter& painter, std::vector<int> parts = {},
                             const RWOrdered* search = nullptr,
                             const std::vector<std::string>& tokens = {})
{
    if (parts.empty())
        parts = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0};
    RWOrdered texts, order;
    for (std::size_t i = 0; i < 12; ++i) {
        texts.insert(new RWCollectableString(i < tokens.size() ? tokens[i].c_str() : ""));
        order.insert(new RWCollectableInt(i < parts.size() ? parts[i] : 0));
    }
    painter.SetDisplayOrder(texts, order, search);
    texts.clearAndDestroy();
    order.clearAndDestroy();
}

// Maps the dictionary's families (and "times", the footer's) to the test font.
inline void UseTestFont()
{
    for (const char* family : kEntryFontFamilies)
        vkov_font_add_family_mapping(family, VKO_FONT_TEST_FAMILY);
    vkov_font_add_family_mapping("times", VKO_FONT_TEST_FAMILY);
}

class PainterFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        vkov_test_reset_all();
        UseTestFont();
        const s_rct rect{0, 0, 400, 250};
        window = vkok_win_create(W_DOC, &rect, "entry", 0, NULL_WIN, 0, VKO_EVENT_MASK_ALL,
                                NoEvents, 0);
        ASSERT_NE(window, nullptr);
        painter = std::make_unique<EntryPainter>(&pane, window);
    }
    void TearDown() override
    {
        painter.reset();
        vkov_test_reset_all();
    }

    // See HandDisplayOrder.
    void Order(std::vector<int> parts = {}, const RWOrdered* search = nullptr,
               const std::vector<std::string>& tokens = {})
    {
        HandDisplayOrder(*painter, std::move(parts), search, tokens);
    }

    // Lays text out at the pen with the painter's fresh state.
    void LayOut(const std::string& text, float penX = -1, const std::string& label = "",
                int labelWidth = 0)
    {
        WordItem item(text.c_str());
        item.set_label(label);
        item.set_labelWidth(labelWidth);
        painter->SetPen(penX < 0 ? static_cast<float>(painter->leftMargin()) : penX,
                        static_cast<float>(painter->top()));
        std::size_t position = 0;
        painter->LayOutText(item, &position, false);
    }

    std::vector<std::string> RunTexts() const
    {
        std::vector<std::string> out;
        for (const auto& run : painter->runs())
            out.push_back(run.text);
        return out;
    }

    std::vector<vkov_draw_log_entry> Log(const char* op) const
    {
        std::vector<vkov_draw_log_entry> out;
        for (int i = 0; i < vkov_debug_draw_log_size(window); ++i) {
            vkov_draw_log_entry entry{};
            vkov_debug_draw_log_get(window, i, &entry);
            if (std::string(entry.op) == op)
                out.push_back(entry);
        }
        return out;
    }

    FakePane pane;
    WINDOW window = nullptr;
    std::unique_ptr<EntryPainter> painter;
};

// Ten part records, owned, for ShowEntry.
struct Parts {
    WordItem* items[11] = {};
    Parts()
    {
        for (auto*& item : items)
            item = new WordItem("");
    }
    ~Parts()
    {
        for (auto* item : items)
            delete item;
    }
    Parts(const Parts&) = delete;
    Parts& operator=(const Parts&) = delete;
    void Set(int k, const std::string& text, const std::string& label = "", int width = 0)
    {
        delete items[k];
        items[k] = new WordItem(text.c_str());
        items[k]->set_label(label);
        items[k]->set_labelWidth(width);
    }
};

} // namespace entrytest
