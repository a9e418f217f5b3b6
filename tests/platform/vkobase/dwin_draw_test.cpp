// Drawing into windows, checked on the pixels: shapes with pens and brushes, the drawing
// modes, children clipped to their rectangle, the clip rectangle, scrolling, text over its
// background, images and pixmaps, and the drawing log.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "vkobase/app.h"
#include "vkobase/dwin.h"
#include "vkobase/font.h"
#include "vkobase/image.h"
#include "vkobase/pict.h"
#include "vkobase/pmap.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vobj.h"
#include "vkobase/win.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr COLOR kRedColor = 0x01FF0000u;
constexpr COLOR kBlueColor = 0x030000FFu;

class DwinDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        its_win = make(W_DOC, s_rct{0, 0, 60, 80}, nullptr);
        ASSERT_NE(its_win, nullptr);
        vkok_app_process_pending_events();
    }
    void TearDown() override { vkov_test_reset_all(); }

    static WINDOW make(e_win_type type, s_rct rct, WINDOW parent) {
        return vkok_win_create(type, &rct, "w", 0, parent, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    }

    std::uint32_t px(int x, int y, WINDOW win = nullptr) const {
        return vkov_debug_surface_pixel(win != nullptr ? win : its_win, x, y);
    }

    // Every pixel of the window, row by row.
    std::vector<std::uint32_t> pixels(WINDOW win = nullptr) const {
        WINDOW w = win != nullptr ? win : its_win;
        int32_t width = 0, height = 0;
        vkov_debug_surface_size(w, &width, &height);
        std::vector<std::uint32_t> out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.push_back(vkov_debug_surface_pixel(w, x, y));
        return out;
    }

    void set_pen(COLOR color, int16_t width, e_pen_style style = P_SOLID, e_pat pat = PAT_SOLID) {
        const s_cpen pen{width, pat, style, color};
        vkok_dwin_set_cpen(its_win, &pen);
    }
    void set_brush(e_pat pat, COLOR color) {
        const s_cbrush brush{pat, color};
        vkok_dwin_set_cbrush(its_win, &brush);
    }

    WINDOW its_win = nullptr;
};

TEST_F(DwinDrawTest, RectangleOutlineLiesOnItsEdgePixelsAndTheBrushFillsInside) {
    set_pen(VKO_COLOR_BLACK, 1);
    set_brush(PAT_SOLID, kRedColor);
    const s_rct r{10, 20, 30, 50};
    vkok_dwin_draw_rect(its_win, &r);
    struct Case {
        int x, y;
        std::uint32_t want;
        const char *why;
    } cases[] = {
        {20, 10, kBlack, "top-left corner pixel is the outline"},
        {49, 29, kBlack, "bottom-right pixel inside the rectangle is the outline"},
        {35, 10, kBlack, "top edge"},
        {20, 20, kBlack, "left edge"},
        {35, 20, kRed, "interior takes the brush colour (red decoded from 0x01FF0000)"},
        {50, 20, kWhite, "the right coordinate is outside"},
        {35, 30, kWhite, "the bottom coordinate is outside"},
        {19, 20, kWhite, "left of the rectangle"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(px(c.x, c.y), c.want);
    }
}

TEST_F(DwinDrawTest, RunsOfCallsOnAWindowFollowItsMovesClipVisibilityAndOwnerBetweenCalls) {
    // Drawing calls on one window share a context between them; whatever changes between
    // two calls must show in the second.
    WINDOW child = make(W_NO_BORDER, s_rct{10, 10, 30, 40}, its_win);
    ASSERT_NE(child, nullptr);
    const auto fill = [child](COLOR color) {
        const s_cbrush brush{PAT_SOLID, color};
        const s_cpen pen{1, PAT_SOLID, P_SOLID, color};
        vkok_dwin_set_cbrush(child, &brush);
        vkok_dwin_set_cpen(child, &pen);
        const s_rct all{0, 0, 200, 200};
        vkok_dwin_draw_rect(child, &all); // cut to the child
    };
    struct Step {
        const char *why;
        void (*change)(WINDOW parent, WINDOW child);
        int x, y;           // a pixel of the parent that the fill must reach
        int nx, ny;         // one it must not
    };
    const Step steps[] = {
        {"drawn where the child stands", [](WINDOW, WINDOW) {}, 15, 15, 5, 5},
        {"moved: drawn at the new place only",
         [](WINDOW, WINDOW c) {
             const s_rct to{10, 50, 30, 75};
             vkok_vobj_move(c, &to);
         },
         55, 15, 15, 15},
        {"clipped: only inside the clip",
         [](WINDOW, WINDOW c) {
             const s_rct clip{0, 0, 5, 5};
             vkok_dwin_set_clip(c, &clip);
         },
         51, 11, 60, 20},
        {"clip off again", [](WINDOW, WINDOW c) { vkok_dwin_set_clip(c, nullptr); }, 60, 20, 45, 15},
        {"the parent grown: its new surface is drawn into",
         [](WINDOW p, WINDOW) {
             const s_rct bigger{0, 0, 90, 120};
             vkok_vobj_move(p, &bigger);
         },
         70, 25, 5, 5},
    };
    for (const Step &st : steps) {
        SCOPED_TRACE(st.why);
        st.change(its_win, child);
        vkov_dwin_clear(its_win, VKO_COLOR_WHITE);
        fill(kRedColor);
        EXPECT_EQ(px(st.x, st.y), kRed);
        EXPECT_EQ(px(st.nx, st.ny), kWhite);
    }
    // Hidden, it draws nothing; shown again, it draws.
    vkok_vobj_set_visible(child, FALSE);
    vkov_dwin_clear(its_win, VKO_COLOR_WHITE);
    fill(kRedColor);
    EXPECT_EQ(px(70, 25), kWhite);
    vkok_vobj_set_visible(child, TRUE);
    fill(kRedColor);
    EXPECT_EQ(px(70, 25), kRed);
}

TEST_F(DwinDrawTest, PenWidthStyleAndPatternShapeTheLine) {
    struct Case {
        int16_t width;
        e_pen_style style;
        e_pat pat;
        std::vector<std::uint32_t> row_y10;    // pixels x = 10..17 on the line's row
        std::vector<std::uint32_t> column_x12; // pixels y = 8..12 at x = 12
        const char *why;
    } cases[] = {
        {1,
         P_SOLID,
         PAT_SOLID,
         std::vector<std::uint32_t>(8, kBlack),
         {kWhite, kWhite, kBlack, kWhite, kWhite},
         "a solid one-pixel line covers one row"},
        {3,
         P_SOLID,
         PAT_SOLID,
         std::vector<std::uint32_t>(8, kBlack),
         {kWhite, kBlack, kBlack, kBlack, kWhite},
         "a three-pixel pen covers three rows"},
        {1,
         P_DOT,
         PAT_SOLID,
         {kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite},
         {kWhite, kWhite, kBlack, kWhite, kWhite},
         "a dotted pen alternates pixels"},
        {1, P_SOLID, PAT_HOLLOW, std::vector<std::uint32_t>(8, kWhite),
         std::vector<std::uint32_t>(5, kWhite), "a hollow pen draws nothing"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_dwin_clear(its_win, VKO_COLOR_WHITE);
        set_pen(VKO_COLOR_BLACK, c.width, c.style, c.pat);
        vkok_dwin_draw_set_pos(its_win, s_pnt{10, 10});
        vkok_dwin_draw_line(its_win, s_pnt{10, 40});
        std::vector<std::uint32_t> row, column;
        for (int x = 10; x < 18; ++x)
            row.push_back(px(x, 10));
        for (int y = 8; y < 13; ++y)
            column.push_back(px(12, y));
        EXPECT_EQ(row, c.row_y10);
        EXPECT_EQ(column, c.column_x12);
    }
}

TEST_F(DwinDrawTest, LinesStartAtTheCurrentPositionAndMoveIt) {
    set_pen(VKO_COLOR_BLACK, 1);
    vkok_dwin_draw_set_pos(its_win, s_pnt{5, 5});
    vkok_dwin_draw_line(its_win, s_pnt{5, 15});  // (5,5) to (15,5)
    vkok_dwin_draw_line(its_win, s_pnt{25, 15}); // on to (15,25)
    EXPECT_EQ(px(5, 5), kBlack);
    EXPECT_EQ(px(10, 5), kBlack);
    EXPECT_EQ(px(15, 20), kBlack);
    EXPECT_EQ(px(10, 20), kWhite);
    s_drawct tools{};
    ASSERT_NE(vkok_dwin_get_draw_ctools(its_win, &tools), nullptr);
    EXPECT_EQ(its_win->draw.pen_pos.v, 25);
    EXPECT_EQ(its_win->draw.pen_pos.h, 15);
}

TEST_F(DwinDrawTest, CurvedAndPolygonalShapesCoverTheirPixels) {
    struct Case {
        const char *why;
        void (*draw)(WINDOW);
        std::vector<std::pair<int, int>> inked; // pixels the brush or pen covers
        std::vector<std::pair<int, int>> clear; // pixels left white
    } cases[] = {
        {"a pie from east to north is the top-right quarter (counter-clockwise)",
         [](WINDOW w) {
             const s_rct r{0, 0, 40, 40};
             vkok_dwin_draw_pie(w, &r, 40, 20, 20, 0);
         },
         {{28, 12}, {35, 18}},
         {{12, 28}, {12, 12}, {28, 28}}},
        {"an arc from north to east goes the long way round, through the west",
         [](WINDOW w) {
             const s_rct r{0, 0, 40, 40};
             vkok_dwin_draw_arc(w, &r, 20, 0, 40, 20);
         },
         {{0, 20}, {20, 39}},
         {{20, 20}, {34, 6}}},
        {"an oval touches the middle of each side but not the corners",
         [](WINDOW w) {
             const s_rct r{0, 0, 40, 60};
             vkok_dwin_draw_oval(w, &r);
         },
         {{30, 0}, {0, 20}, {59, 20}, {30, 39}, {30, 20}},
         {{1, 1}, {58, 38}}},
        {"a rounded rectangle leaves its corners out",
         [](WINDOW w) {
             const s_rct r{0, 0, 40, 60};
             vkok_dwin_draw_roundrect(w, &r, 20, 20);
         },
         {{30, 0}, {0, 20}, {30, 20}},
         {{0, 0}, {59, 39}}},
        {"a polygon is filled with its outline closed",
         [](WINDOW w) {
             const s_pnt pts[] = {{0, 0}, {0, 40}, {40, 0}}; // v, h
             vkok_dwin_draw_polygon(w, pts, 3);
         },
         {{5, 5}, {0, 20}, {20, 0}, {19, 20}},
         {{30, 30}}},
        {"an arrow line has a head at its end only",
         [](WINDOW w) {
             vkok_dwin_draw_set_pos(w, s_pnt{20, 0});
             vkok_dwin_draw_aline(w, s_pnt{20, 50}, FALSE, TRUE);
         },
         {{45, 18}, {45, 22}, {25, 20}},
         {{5, 18}, {5, 22}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_dwin_clear(its_win, VKO_COLOR_WHITE);
        set_pen(kRedColor, 1);
        set_brush(PAT_SOLID, kRedColor);
        c.draw(its_win);
        for (const auto &[x, y] : c.inked)
            EXPECT_EQ(px(x, y), kRed) << "at " << x << "," << y;
        for (const auto &[x, y] : c.clear)
            EXPECT_EQ(px(x, y), kWhite) << "at " << x << "," << y;
    }
}

TEST_F(DwinDrawTest, ExclusiveOrDrawnTwiceRestoresThePixels) {
    // A picture that is not plain white, so every combination is exercised.
    set_brush(PAT_SOLID, kBlueColor);
    const s_rct base{5, 5, 40, 45};
    vkok_dwin_draw_rect(its_win, &base);
    const std::vector<std::uint32_t> before = pixels();
    struct Case {
        const char *why;
        void (*draw)(WINDOW);
    } cases[] = {
        {"rectangle outline",
         [](WINDOW w) {
             const s_rct r{10, 10, 50, 70};
             vkok_dwin_draw_rect(w, &r);
         }},
        {"oval",
         [](WINDOW w) {
             const s_rct r{3, 3, 57, 77};
             vkok_dwin_draw_oval(w, &r);
         }},
        {"diagonal line",
         [](WINDOW w) {
             vkok_dwin_draw_set_pos(w, s_pnt{0, 0});
             vkok_dwin_draw_line(w, s_pnt{59, 79});
         }},
        {"text", [](WINDOW w) { vkok_dwin_draw_text(w, 4, 30, "Xor me", -1); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        set_pen(kRedColor, 2);
        set_brush(PAT_HOLLOW, VKO_COLOR_WHITE);
        vkok_dwin_set_draw_mode(its_win, M_XOR);
        c.draw(its_win);
        EXPECT_NE(pixels(), before) << "the first drawing shows";
        c.draw(its_win);
        EXPECT_EQ(pixels(), before);
        vkok_dwin_set_draw_mode(its_win, M_COPY);
    }
}

TEST_F(DwinDrawTest, ExclusiveOrOnTheBackgroundShowsThePenColour) {
    set_pen(kRedColor, 1);
    vkok_dwin_set_draw_mode(its_win, M_XOR);
    vkok_dwin_draw_set_pos(its_win, s_pnt{20, 0});
    vkok_dwin_draw_line(its_win, s_pnt{20, 30});
    EXPECT_EQ(px(10, 20), kRed);
}

TEST_F(DwinDrawTest, HatchedBrushesRepeatAnEightPixelCell) {
    struct Case {
        e_pat pat;
        const char *rows[8]; // '#' brush colour, '.' what was there
        const char *why;
    } cases[] = {
        {PAT_HORZ,
         {"########", "........", "........", "........", "........", "........", "........",
          "........"},
         "horizontal lines on every eighth row"},
        {PAT_VERT,
         {"#.......", "#.......", "#.......", "#.......", "#.......", "#.......", "#.......",
          "#......."},
         "vertical lines on every eighth column"},
        {PAT_FDIAG,
         {"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.",
          ".......#"},
         "diagonal from the top-left"},
        {PAT_BDIAG,
         {".......#", "......#.", ".....#..", "....#...", "...#....", "..#.....", ".#......",
          "#......."},
         "diagonal from the bottom-left"},
        {PAT_CROSS,
         {"########", "#.......", "#.......", "#.......", "#.......", "#.......", "#.......",
          "#......."},
         "both lines"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_dwin_clear(its_win, VKO_COLOR_WHITE);
        set_pen(VKO_COLOR_BLACK, 1, P_SOLID, PAT_HOLLOW);
        set_brush(c.pat, kRedColor);
        const s_rct r{0, 0, 60, 80};
        vkok_dwin_draw_rect(its_win, &r);
        for (int y = 16; y < 24; ++y) {
            std::string got;
            for (int x = 16; x < 24; ++x)
                got += px(x, y) == kRed ? '#' : px(x, y) == kWhite ? '.' : '?';
            EXPECT_EQ(got, c.rows[y - 16]) << "row " << y;
        }
    }
}

TEST_F(DwinDrawTest, ChildDrawsOnlyInsideItsRectangleOfTheTopLevelSurface) {
    WINDOW child = make(W_SUBWIN, s_rct{10, 20, 30, 50}, its_win);
    ASSERT_NE(child, nullptr);
    set_brush(PAT_SOLID, VKO_COLOR_WHITE);
    const s_cbrush red{PAT_SOLID, kRedColor};
    vkok_dwin_set_cbrush(child, &red);
    const s_cpen none{1, PAT_HOLLOW, P_SOLID, VKO_COLOR_BLACK};
    vkok_dwin_set_cpen(child, &none);
    const s_rct huge{-100, -100, 500, 500};
    vkok_dwin_draw_rect(child, &huge);
    struct Case {
        int x, y;
        std::uint32_t want;
        const char *why;
    } cases[] = {
        {20, 10, kRed, "child's top-left on the parent"},
        {49, 29, kRed, "child's bottom-right pixel"},
        {50, 20, kWhite, "right of the child"},
        {30, 30, kWhite, "below the child"},
        {19, 15, kWhite, "left of the child"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(px(c.x, c.y), c.want);
    }
    EXPECT_EQ(px(0, 0, child), kRed) << "the child reads its own client coordinates";

    // The clip rectangle narrows further; null lifts it.
    vkov_dwin_clear(its_win, VKO_COLOR_WHITE);
    const s_rct clip{0, 0, 5, 5};
    vkok_dwin_set_clip(child, &clip);
    vkok_dwin_draw_rect(child, &huge);
    EXPECT_EQ(px(4, 4, child), kRed);
    EXPECT_EQ(px(5, 5, child), kWhite);
    vkok_dwin_set_clip(child, nullptr);
    vkok_dwin_draw_rect(child, &huge);
    EXPECT_EQ(px(20, 15, child), kRed);
}

TEST_F(DwinDrawTest, HiddenChildDrawsNothing) {
    WINDOW child = make(W_SUBWIN, s_rct{10, 10, 30, 30}, its_win);
    ASSERT_NE(child, nullptr);
    vkok_vobj_set_visible(child, FALSE);
    vkov_dwin_clear(child, VKO_COLOR_BLACK);
    EXPECT_EQ(px(15, 15), kWhite);
}

TEST_F(DwinDrawTest, ScrollMovesPixelsAndInvalidatesOnlyTheUncoveredBand) {
    set_pen(VKO_COLOR_BLACK, 1, P_SOLID, PAT_HOLLOW);
    set_brush(PAT_SOLID, kRedColor);
    const s_rct mark{20, 20, 24, 24};
    vkok_dwin_draw_rect(its_win, &mark);
    vkok_app_process_pending_events(); // nothing pending before the scroll
    const s_rct area{10, 10, 50, 70};
    vkok_dwin_scroll_rect(its_win, &area, 0, -8);
    EXPECT_EQ(px(20, 12), kRed) << "moved up by 8";
    EXPECT_EQ(px(20, 20), kWhite) << "where it was";
    struct Case {
        s_rct probe;
        bool needed;
        const char *why;
    } cases[] = {
        {{42, 10, 50, 70}, true, "the uncovered band at the bottom"},
        {{10, 10, 41, 70}, false, "the moved pixels need no repaint"},
        {{50, 0, 60, 80}, false, "outside the scrolled rectangle"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkok_dwin_is_update_needed(its_win, &c.probe) != FALSE, c.needed);
    }
}

TEST_F(DwinDrawTest, ScrollByTheRectangleOrMoreRepaintsAllOfIt) {
    const s_rct area{10, 10, 50, 70};
    struct Case {
        std::int32_t dh, dv;
        const char *why;
    } cases[] = {
        {60, 0, "exactly the width"},
        {0, -40, "exactly the height, upwards"},
        {INT32_MIN, 0, "the most negative amount"},
        {0, INT32_MIN, "the most negative amount, vertically"},
        {INT32_MAX, INT32_MAX, "the largest amounts"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkok_app_process_pending_events(); // nothing pending before the scroll
        vkok_dwin_scroll_rect(its_win, &area, c.dh, c.dv);
        EXPECT_NE(vkok_dwin_is_update_needed(its_win, &area), FALSE);
        const s_rct outside{50, 0, 60, 80};
        EXPECT_EQ(vkok_dwin_is_update_needed(its_win, &outside), FALSE);
    }
}

TEST_F(DwinDrawTest, SettingTheFontAWindowHasAlreadyKeepsItsCopy) {
    FONT_OBJ font = vkov_font_create();
    vkov_font_set_family(font, VKO_FONT_TEST_FAMILY);
    vkov_font_set_size(font, 12);
    vkov_dwin_set_font(its_win, font);
    FONT_OBJ kept = vkok_dwin_get_font(its_win, FALSE);
    ASSERT_NE(kept, nullptr);
    ASSERT_NE(kept, font) << "the window draws with a copy of its own";
    FONT_OBJ same = vkov_font_create();
    vkov_font_set_family(same, VKO_FONT_TEST_FAMILY);
    vkov_font_set_size(same, 12);
    vkov_dwin_set_font(its_win, same);
    EXPECT_EQ(vkok_dwin_get_font(its_win, FALSE), kept) << "an equal font changes nothing";
    struct Case {
        const char *why;
        void (*change)(FONT_OBJ);
        int32_t width; // of "AB"
    };
    const Case cases[] = {
        {"another size", [](FONT_OBJ f) { vkov_font_set_size(f, 24); }, 32},
        {"another style", [](FONT_OBJ f) { vkov_font_set_style(f, VKO_FS_BOLD); }, 32},
        {"other data", [](FONT_OBJ f) { vkov_font_set_app_data(f, 7); }, 32},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        FONT_OBJ before = vkok_dwin_get_font(its_win, FALSE);
        c.change(same);
        vkov_dwin_set_font(its_win, same);
        EXPECT_NE(vkok_dwin_get_font(its_win, FALSE), before) << "a different font is taken";
        EXPECT_EQ(vkok_dwin_get_text_width(its_win, "AB", -1), c.width);
    }
    EXPECT_EQ(vkov_dwin_get_font_app_data(its_win), 7);
    vkov_font_destroy(font);
    vkov_font_destroy(same);
}

TEST_F(DwinDrawTest, OpaqueTextPaintsItsBackgroundTransparentTextDoesNot) {
    FONT_OBJ font = vkov_font_create();
    ASSERT_NE(font, nullptr);
    vkov_font_set_family(font, VKO_FONT_TEST_FAMILY);
    vkov_font_set_size(font, 12); // advance 8, box 6 x 12, ascent 12, descent 4
    vkov_dwin_set_font(its_win, font);
    vkov_font_destroy(font);
    vkok_dwin_set_fore_color(its_win, VKO_COLOR_BLACK);
    vkok_dwin_set_back_color(its_win, kRedColor);
    EXPECT_EQ(vkok_dwin_get_text_width(its_win, "AB", -1), 16);
    struct Case {
        BOOLEAN opaque;
        std::uint32_t gap;   // between the two boxes, above the baseline
        std::uint32_t below; // under the baseline, within the descent
        const char *why;
    } cases[] = {
        {TRUE, kRed, kRed, "opaque: the text's cell takes the background colour"},
        {FALSE, kWhite, kWhite, "transparent: only the glyphs are drawn"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        vkov_dwin_clear(its_win, VKO_COLOR_WHITE);
        s_drawct tools{};
        vkok_dwin_get_draw_ctools(its_win, &tools);
        tools.opaque_text = c.opaque;
        vkok_dwin_set_draw_ctools(its_win, &tools);
        vkok_dwin_draw_text(its_win, 10, 30, "AB", -1);
        EXPECT_EQ(px(12, 25), kBlack) << "inside the first box";
        EXPECT_EQ(px(17, 25), c.gap);
        EXPECT_EQ(px(12, 32), c.below);
        EXPECT_EQ(px(27, 25), kWhite) << "past the text's width";
    }
}

TEST_F(DwinDrawTest, CallsSharingTheWindowsContextDrawAsEachWouldAlone) {
    // Texts in two fonts and colours, a dashed and a solid line, a filled rectangle: drawn one
    // after another on the window's shared context, then again with the clip changed before
    // each call (which gives every call a fresh context). Nothing one call sets may show in
    // the next: the pixels must be the same.
    FONT_OBJ small = vkov_font_create();
    FONT_OBJ large = vkov_font_create();
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    vkov_font_set_size(small, 9);
    vkov_font_set_size(large, 16);
    vkov_font_set_style(large, VKO_FS_BOLD | VKO_FS_UNDERLINE);
    const auto text = [](WINDOW w, FONT_OBJ font, COLOR color, int x, int y, const char *s) {
        vkov_dwin_set_font(w, font);
        vkok_dwin_set_fore_color(w, color);
        vkok_dwin_draw_text(w, x, y, s, -1);
    };
    const auto line = [](WINDOW w, e_pen_style style, int y) {
        const s_cpen pen{1, PAT_SOLID, style, VKO_COLOR_BLACK};
        vkok_dwin_set_cpen(w, &pen);
        vkok_dwin_draw_set_pos(w, s_pnt{static_cast<int16_t>(y), 2});
        vkok_dwin_draw_line(w, s_pnt{static_cast<int16_t>(y), 70});
    };
    const auto draw_all = [&](bool fresh_each_call) {
        vkov_dwin_clear(its_win, VKO_COLOR_WHITE);
        int call = 0;
        const auto before_call = [&]() {
            if (!fresh_each_call)
                return;
            const s_rct whole{0, 0, static_cast<int16_t>(60 + call % 2), 80};
            ++call;
            vkok_dwin_set_clip(its_win, &whole);
        };
        before_call();
        text(its_win, small, kRedColor, 2, 12, "Way");
        before_call();
        line(its_win, P_DASH, 16);
        before_call();
        text(its_win, large, kBlueColor, 20, 30, "Qg");
        before_call();
        line(its_win, P_SOLID, 34);
        before_call();
        text(its_win, small, kRedColor, 4, 46, "fit");
        before_call();
        const s_cbrush brush{PAT_SOLID, kBlueColor};
        vkok_dwin_set_cbrush(its_win, &brush);
        const s_rct box{48, 50, 58, 70};
        vkok_dwin_draw_rect(its_win, &box);
        before_call();
        text(its_win, large, VKO_COLOR_BLACK, 40, 58, "y");
        vkok_dwin_set_clip(its_win, nullptr);
        return pixels();
    };
    const std::vector<std::uint32_t> shared = draw_all(false);
    const std::vector<std::uint32_t> fresh = draw_all(true);
    EXPECT_LT(std::count(shared.begin(), shared.end(), kWhite) + 200,
              static_cast<std::ptrdiff_t>(shared.size()))
        << "the calls drew";
    EXPECT_TRUE(shared == fresh) << "a state left by one call changed the pixels of another";
    vkov_font_destroy(small);
    vkov_font_destroy(large);
}

TEST_F(DwinDrawTest, ImagesAndPixmapsAreCopiedDestinationFirst) {
    IMAGE image = vkov_image_create(VKO_IMAGE_RGB, 4, 4, 0);
    ASSERT_NE(image, nullptr);
    const s_rct all{0, 0, 4, 4};
    vkov_image_fill_rect(image, kBlueColor, &all);
    vkov_image_set_pixel(image, 3, 3, kRedColor);
    const s_rct dst{10, 10, 18, 18}; // twice the size
    vkok_dwin_draw_image(its_win, image, &dst, &all);
    EXPECT_EQ(px(10, 10), 0xFF0000FFu);
    EXPECT_EQ(px(17, 17), kRed) << "the source's last pixel, scaled";
    EXPECT_EQ(px(18, 18), kWhite);
    vkov_image_destroy(image);

    WINDOW pmap = vkok_pmap_create(its_win, 0, 20, 20, 0);
    ASSERT_NE(pmap, nullptr);
    vkov_dwin_clear(pmap, kRedColor);
    const s_rct src{0, 0, 5, 5};
    const s_rct to{40, 40, 45, 45};
    vkok_dwin_draw_pmap(its_win, pmap, &to, &src);
    EXPECT_EQ(px(42, 42), kRed);
    EXPECT_EQ(px(45, 45), kWhite);
}

TEST_F(DwinDrawTest, DrawingBetweenOpenAndClosePictureGoesIntoThePicture) {
    const std::vector<std::uint32_t> blank = pixels();
    const s_rct frame{0, 0, 20, 20};
    ASSERT_TRUE(vkok_dwin_open_pict(its_win, &frame));
    EXPECT_FALSE(vkok_dwin_open_pict(its_win, &frame)) << "one recording at a time";
    set_pen(VKO_COLOR_BLACK, 1, P_SOLID, PAT_HOLLOW);
    set_brush(PAT_SOLID, kRedColor);
    const s_rct r{5, 5, 10, 10};
    vkok_dwin_draw_rect(its_win, &r);
    EXPECT_EQ(pixels(), blank) << "the window is untouched while recording";
    PICTURE pict = vkok_dwin_close_pict(its_win);
    ASSERT_NE(pict, nullptr);
    EXPECT_EQ(vkok_dwin_close_pict(its_win), nullptr) << "nothing is being recorded";
    const s_rct at{30, 40, 50, 60}; // the frame moved by (40, 30)
    vkok_dwin_draw_pict(its_win, pict, &at);
    EXPECT_EQ(px(47, 37), kRed);
    EXPECT_EQ(px(44, 34), kWhite);
    EXPECT_EQ(px(50, 40), kWhite);
    vkok_pict_destroy(pict);
}

TEST_F(DwinDrawTest, WindowKeepsItsOwnCopyOfItsFont) {
    FONT_OBJ font = vkov_font_create();
    ASSERT_NE(font, nullptr);
    vkov_font_set_family(font, VKO_FONT_TEST_FAMILY);
    vkov_font_set_size(font, 12); // advance 8 pixels
    vkov_dwin_set_font(its_win, font);
    vkov_font_set_size(font, 24);
    EXPECT_EQ(vkok_dwin_get_text_width(its_win, "AB", -1), 16)
        << "changing the caller's font leaves the window's alone";
    vkov_font_destroy(font);
    EXPECT_EQ(vkok_dwin_get_text_width(its_win, "AB", -1), 16) << "and so does destroying it";

    FONT_OBJ copy = vkok_dwin_get_font(its_win, TRUE);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, vkok_dwin_get_font(its_win, FALSE));
    vkov_font_destroy(copy);

    vkov_dwin_set_font_size(its_win, 24);
    EXPECT_EQ(vkov_dwin_get_font_size(its_win), 24);
    EXPECT_EQ(vkok_dwin_get_text_width(its_win, "AB", -1), 32);
    char family[32] = "";
    ASSERT_NE(vkov_dwin_get_font_family(its_win, family, sizeof family), nullptr);
    EXPECT_STREQ(family, VKO_FONT_TEST_FAMILY);
    vkov_debug_draw_log_clear(its_win);
    vkok_dwin_draw_text(its_win, 0, 20, "x", -1);
    vkov_draw_log_entry e{};
    ASSERT_TRUE(vkov_debug_draw_log_get(its_win, 0, &e));
    EXPECT_NE(std::string(e.font).find(VKO_FONT_TEST_FAMILY), std::string::npos) << e.font;
}

TEST_F(DwinDrawTest, TheLogRecordsEachCallWithTheToolsInForce) {
    set_pen(kRedColor, 2, P_DASH);
    vkok_dwin_set_draw_mode(its_win, M_XOR);
    const s_rct clip{1, 2, 30, 40};
    vkok_dwin_set_clip(its_win, &clip);
    const s_rct r{5, 6, 7, 8};
    vkov_debug_draw_log_clear(its_win);
    vkok_dwin_draw_rect(its_win, &r);
    vkok_dwin_draw_text(its_win, 3, 4, "hi", -1);
    ASSERT_EQ(vkov_debug_draw_log_size(its_win), 2);
    vkov_draw_log_entry e{};
    ASSERT_TRUE(vkov_debug_draw_log_get(its_win, 0, &e));
    EXPECT_STREQ(e.op, "draw_rect");
    EXPECT_STREQ(e.args, "5,6,7,8");
    EXPECT_EQ(e.mode, M_XOR);
    EXPECT_EQ(e.pen.width, 2);
    EXPECT_EQ(e.pen.style, P_DASH);
    EXPECT_EQ(e.pen.color, kRedColor);
    EXPECT_TRUE(e.has_clip);
    EXPECT_EQ(e.clip.right, 40);
    ASSERT_TRUE(vkov_debug_draw_log_get(its_win, 1, &e));
    EXPECT_STREQ(e.op, "draw_text");
    EXPECT_STREQ(e.args, "3,4,\"hi\"");
    EXPECT_FALSE(vkov_debug_draw_log_get(its_win, 2, &e));
}

TEST_F(DwinDrawTest, TheLogSwitchedOffKeepsNothingUntilTheNextReset) {
    const s_rct r{5, 6, 7, 8};
    vkov_debug_draw_log_clear(its_win);
    vkov_debug_draw_log_enable(FALSE);
    vkok_dwin_draw_rect(its_win, &r);
    vkok_dwin_draw_text(its_win, 3, 4, "hi", -1);
    EXPECT_EQ(vkov_debug_draw_log_size(its_win), 0);
    vkov_debug_draw_log_enable(TRUE);
    vkok_dwin_draw_rect(its_win, &r);
    EXPECT_EQ(vkov_debug_draw_log_size(its_win), 1);
    vkov_debug_draw_log_enable(FALSE);
    vkov_test_reset_all(); // every test starts with the log on
    WINDOW win = make(W_DOC, s_rct{0, 0, 60, 80}, nullptr);
    vkok_dwin_draw_rect(win, &r);
    EXPECT_EQ(vkov_debug_draw_log_size(win), 1);
}

TEST_F(DwinDrawTest, ResizingKeepsWhatWasDrawnAndPngHoldsTheWindow) {
    vkov_dwin_clear(its_win, kRedColor);
    const s_rct bigger{0, 0, 200, 220};
    vkok_vobj_move(its_win, &bigger);
    int32_t width = 0, height = 0;
    ASSERT_TRUE(vkov_debug_surface_size(its_win, &width, &height));
    ASSERT_GT(width, 100);
    ASSERT_GT(height, 80);
    EXPECT_EQ(px(70, 50), kRed) << "drawn before the resize";
    EXPECT_EQ(px(width - 1, height - 1), kWhite) << "new area";

    const std::string path = ::testing::TempDir() + "dwin_draw_test.png";
    ASSERT_TRUE(vkov_debug_surface_write_png(its_win, path.c_str()));
    cairo_surface_t *png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), width);
    EXPECT_EQ(cairo_image_surface_get_height(png), height);
    cairo_surface_destroy(png);
    std::remove(path.c_str());
}

TEST_F(DwinDrawTest, StandardPensAndBrushes) {
    struct Case {
        int32_t number;
        bool is_pen;
        e_pat pat;
        COLOR color;
        const char *why;
    } cases[] = {
        {1, true, PAT_SOLID, VKO_COLOR_BLACK, "pen 1 black"},
        {3, true, PAT_SOLID, VKO_COLOR_WHITE, "pen 3 white"},
        {4, true, PAT_HOLLOW, VKO_COLOR_BLACK, "pen 4 draws nothing"},
        {0, false, PAT_HOLLOW, VKO_COLOR_WHITE, "brush 0 hollow"},
        {1, false, PAT_SOLID, VKO_COLOR_WHITE, "brush 1 white"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        if (c.is_pen)
            vkov_dwin_set_std_cpen(its_win, c.number);
        else
            vkov_dwin_set_std_cbrush(its_win, c.number);
        s_drawct t{};
        vkok_dwin_get_draw_ctools(its_win, &t);
        EXPECT_EQ(c.is_pen ? t.pen.pat : t.brush.pat, c.pat);
        EXPECT_EQ(c.is_pen ? t.pen.color : t.brush.color, c.color);
    }
}

} // namespace

namespace {

// A window with text, shapes and an image, for a person to look at:
//   VKO_DRAW_DEMO_PNG=/tmp/demo.png vkobase_dwin_draw_test --gtest_filter='*Demo*'
TEST(DwinDrawDemo, WindowWithTextShapesAndImageWritesAPng) {
    vkov_test_reset_all();
    const s_rct rct{0, 0, 240, 360};
    WINDOW win =
        vkok_win_create(W_DOC, &rct, "demo", 0, nullptr, 0, VKO_EVENT_MASK_ALL, nullptr, 0);
    ASSERT_NE(win, nullptr);
    vkov_dwin_clear(win, 0x0AC0C0C0u);
    const char *families[] = {"helvetica", "times", "courier"};
    for (int i = 0; i < 3; ++i) {
        FONT_OBJ font = vkov_font_create();
        vkov_font_set_family(font, families[i]);
        vkov_font_set_style(font, static_cast<uint32_t>(i));
        vkov_font_set_size(font, 12 + 2 * i);
        vkov_dwin_set_font(win, font);
        vkov_font_destroy(font);
        vkok_dwin_set_fore_color(win, i == 1 ? kBlueColor : VKO_COLOR_BLACK);
        vkok_dwin_draw_text(win, 10, 24 + 26 * i, "Caf\xE9 \x93quoted\x94 entry", -1);
    }
    const s_cpen pen{2, PAT_SOLID, P_SOLID, VKO_COLOR_BLACK};
    vkok_dwin_set_cpen(win, &pen);
    const s_cbrush hatch{PAT_DIAGCROSS, kRedColor};
    vkok_dwin_set_cbrush(win, &hatch);
    const s_rct box{100, 10, 160, 90};
    vkok_dwin_draw_rect(win, &box);
    const s_cbrush solid{PAT_SOLID, 0x09808080u};
    vkok_dwin_set_cbrush(win, &solid);
    const s_rct oval{100, 100, 160, 180};
    vkok_dwin_draw_oval(win, &oval);
    const s_rct pie{100, 190, 160, 250};
    vkok_dwin_draw_pie(win, &pie, 250, 130, 220, 100);
    vkok_dwin_draw_set_pos(win, s_pnt{200, 10});
    vkok_dwin_draw_aline(win, s_pnt{200, 250}, TRUE, TRUE);
    IMAGE image = vkov_image_create(VKO_IMAGE_RGB, 32, 32, 0);
    ASSERT_NE(image, nullptr);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            vkov_image_set_pixel(image, x, y,
                                 static_cast<COLOR>((x * 8) << 16 | (y * 8) << 8 | 0x80));
    const s_rct src{0, 0, 32, 32};
    const s_rct dst{100, 270, 164, 334};
    vkok_dwin_draw_image(win, image, &dst, &src);
    vkov_image_destroy(image);

    const char *env = std::getenv("VKO_DRAW_DEMO_PNG");
    const std::string path =
        env != nullptr ? std::string(env) : ::testing::TempDir() + "dwin_draw_demo.png";
    ASSERT_TRUE(vkov_debug_surface_write_png(win, path.c_str()));
    if (env == nullptr)
        std::remove(path.c_str());
    vkov_test_reset_all();
}

} // namespace
