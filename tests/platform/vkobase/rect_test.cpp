// rect_test.cpp: rectangle arithmetic, repair of unsound rectangles and definition lists, and
// unit conversion; also the linked lists.
#include "core_test_support.h"

namespace {

bool same(const s_rct &a, const s_rct &b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

TEST(RectTest, Queries_ByTable) {
    struct Case {
        const char *why;
        s_rct r;
        int16_t height, width;
        BOOLEAN empty;
        s_pnt probe;
        BOOLEAN has;
    };
    const Case cases[] = {
        {"ordinary", {10, 20, 30, 60}, 20, 40, FALSE, {10, 20}, TRUE},
        {"bottom-right edge is outside", {10, 20, 30, 60}, 20, 40, FALSE, {30, 59}, FALSE},
        {"no height is empty", {5, 5, 5, 50}, 0, 45, TRUE, {5, 10}, FALSE},
        {"inverted has area once repaired", {30, 60, 10, 20}, -20, -40, FALSE, {15, 30}, FALSE},
        {"extremes do not wrap", {-32768, -32768, 32767, 32767}, 32767, 32767, FALSE, {0, 0}, TRUE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vkov_rect_get_height(&c.r), c.height);
        EXPECT_EQ(vkov_rect_get_width(&c.r), c.width);
        EXPECT_EQ(vkov_rect_is_empty(&c.r), c.empty);
        EXPECT_EQ(vkov_rect_has_point(&c.r, c.probe), c.has);
    }
}

TEST(RectTest, Changes_ByTable) {
    s_rct r{};
    vkov_rect_set(&r, 1, 2, 3, 4); // left, top, right, bottom
    EXPECT_TRUE(same(r, s_rct{2, 1, 4, 3}));
    vkov_rect_offset(&r, 10, 100);
    EXPECT_TRUE(same(r, s_rct{102, 11, 104, 13}));
    EXPECT_TRUE(vkov_rect_set_pos(&r, s_pnt{0, 0}));
    EXPECT_TRUE(same(r, s_rct{0, 0, 2, 2}));
    EXPECT_TRUE(vkov_rect_set_width(&r, 50));
    EXPECT_TRUE(vkov_rect_set_height(&r, 30));
    EXPECT_TRUE(same(r, s_rct{0, 0, 30, 50}));
    EXPECT_FALSE(vkov_rect_set_width(&r, -1));
    s_rct big{32000, 32000, 32700, 32700};
    vkov_rect_offset(&big, 1000, 1000); // clamped, not wrapped to negative
    EXPECT_EQ(big.bottom, 32767);
    EXPECT_EQ(big.top, 32767);

    s_rct out{};
    const s_rct a{0, 0, 10, 10}, b{5, 5, 20, 20}, far{50, 50, 60, 60};
    EXPECT_TRUE(vkov_rect_intersect(&out, &a, &b));
    EXPECT_TRUE(same(out, s_rct{5, 5, 10, 10}));
    EXPECT_FALSE(vkov_rect_intersect(&out, &a, &far));
    EXPECT_TRUE(vkov_rect_is_empty(&out));
    EXPECT_TRUE(vkov_rect_intersect(nullptr, &a, &b)); // the answer alone
    s_pnt p{};
    EXPECT_EQ(vkov_rect_get_pos(&b, &p), &p);
    EXPECT_EQ(p.v, 5);
}

TEST(RectTest, Repair_OrdersCopiesAndRestoresDefinitionLists) {
    const s_rct inverted{30, 60, 10, 20};
    s_rct copy{};
    EXPECT_EQ(vkov_rect_repair_ptr(&inverted, &copy), &copy);
    EXPECT_TRUE(same(copy, s_rct{10, 20, 30, 60}));
    EXPECT_TRUE(same(inverted, s_rct{30, 60, 10, 20}));

    s_win_def defs[4] = {};
    defs[0].type = W_DOC;
    defs[0].rct = s_rct{100, 0, 0, 100}; // top below bottom
    defs[1].type = WC_PUSHBUTTON;
    defs[1].rct = s_rct{0, 0, 10, 10}; // sound
    defs[2].type = WC_EDIT;
    defs[2].rct = s_rct{0, 50, 10, 40}; // left right of right
    s_rct saved_rects[256];
    s_rct *saved_where[256];
    EXPECT_TRUE(vkov_rect_repair_windef(defs, saved_rects, saved_where, 256));
    EXPECT_TRUE(same(defs[0].rct, s_rct{0, 0, 100, 100}));
    EXPECT_TRUE(same(defs[2].rct, s_rct{0, 40, 10, 50}));
    vkov_rect_restore(saved_rects, saved_where);
    EXPECT_TRUE(same(defs[0].rct, s_rct{100, 0, 0, 100}));
    EXPECT_TRUE(same(defs[1].rct, s_rct{0, 0, 10, 10}));
    EXPECT_TRUE(same(defs[2].rct, s_rct{0, 50, 10, 40}));
    defs[0].rct = s_rct{0, 0, 1, 1};
    defs[2].rct = s_rct{0, 0, 1, 1};
    EXPECT_FALSE(vkov_rect_repair_windef(defs, saved_rects, saved_where, 256));
}

TEST(RectTest, ToPixels_ByUnits) {
    struct Case {
        const char *why;
        int16_t units;
        s_rct in, out;
    };
    const Case cases[] = {
        {"pixels stay", VKO_U_PIXELS, {1, 2, 3, 4}, {1, 2, 3, 4}},
        {"character cells are 16 high and 8 wide", VKO_U_CHARS, {1, 2, 3, 4}, {16, 16, 48, 32}},
        {"half cells", VKO_U_SEMICHARS, {1, 2, 3, 4}, {8, 8, 24, 16}},
        {"points at 96 per inch", VKO_U_POINTS, {3, 6, 9, 12}, {4, 8, 12, 16}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        s_rct r = c.in;
        EXPECT_EQ(vkok_rect_to_pixels(&r, c.units), &r);
        EXPECT_TRUE(same(r, c.out));
    }
    s_rct r{1, 1, 2, 2};
    EXPECT_EQ(vkok_rect_to_pixels(&r, 99), nullptr);
}

int32_t match_int(const void *item, const void *key) {
    return *static_cast<const int *>(item) == *static_cast<const int *>(key) ? 0 : 1;
}

TEST(DlistTest, InsertFindDeleteKeepOrderAndRejectDeadLists) {
    vkov_test_reset_all();
    int one = 1, two = 2, three = 3, again = 2, stranger = 9;
    DLIST list = vkov_dlist_create();
    ASSERT_TRUE(vkov_dlist_insert(list, &two, nullptr, TRUE));   // [2]
    ASSERT_TRUE(vkov_dlist_insert(list, &one, nullptr, FALSE));  // [1 2]
    ASSERT_TRUE(vkov_dlist_insert(list, &three, &two, TRUE));    // [1 2 3]
    ASSERT_TRUE(vkov_dlist_insert(list, &again, &three, FALSE)); // [1 2 2' 3]
    EXPECT_FALSE(vkov_dlist_insert(list, &one, &stranger, TRUE));
    EXPECT_EQ(vkov_dlist_count(list), 4);
    int key = 2;
    void *first = vkov_dlist_find_next(list, &key, nullptr, match_int);
    EXPECT_EQ(first, &two);
    EXPECT_EQ(vkov_dlist_find_next(list, &key, first, match_int), &again);
    EXPECT_EQ(vkov_dlist_find_next(list, &key, &again, match_int), nullptr);
    EXPECT_EQ(vkov_dlist_delete(list, &two), &two);
    EXPECT_EQ(vkov_dlist_delete(list, &two), nullptr);
    EXPECT_EQ(vkov_dlist_count(list), 3);
    vkov_dlist_destroy(list);
    EXPECT_EQ(vkov_dlist_count(list), 0);
    EXPECT_FALSE(vkov_dlist_insert(list, &one, nullptr, TRUE));
}

} // namespace
