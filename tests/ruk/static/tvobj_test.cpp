// Tests of the visible-object family against the recording double: the window check on every
// member, the record fields read and written directly, text edits routed to the engine, the
// window kinds each member accepts, and the attribute pair's memory-function shortcut.
#include <cstring>

#include "layer_fixture.h"

namespace {

using TvobjTest = LayerTest;

TEST_F(TvobjTest, Move_ChecksInOrderAndRepairsACopy) {
    struct Case {
        const char* why;
        Win win;
        Rect rect;
        std::uint32_t code;
        const char* target;
        bool moved;
    };
    const Case cases[] = {
        {"null window first", Win::Null, Rect::Null, 0x1210002, "vkok_vobj_move", false},
        {"a text-edit slot number is not read", Win::Slot, Rect::Good, 0x1220002,
         "vkok_vobj_move", false},
        {"a window that may not be moved is invalid", Win::Fixed, Rect::Good, 0x1220002,
         "vkok_vobj_move", false},
        {"null rectangle", Win::Doc, Rect::Null, 0x210000, "vkok_vobj_move", false},
        {"inverted rectangle is repaired and the move goes on", Win::Doc, Rect::Inverted,
         0x1240003, "vkok_vobj_move", true},
        {"a text edit moves through the engine", Win::TextEdit, Rect::Good, 0, "vkov_tx_move",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        s_rct storage{};
        s_rct* rct = rect_of(c.rect, storage);
        const s_rct given = storage;
        vko_vobj_move(window(c.win), rct);
        EXPECT_EQ(std::memcmp(&storage, &given, sizeof given), 0);
        ExpectOutcome(c.code, c.target, c.moved);
    }
}

TEST_F(TvobjTest, Destroy_TextEditGoesToTheEngine) {
    vko_vobj_destroy(window(Win::TextEdit));
    EXPECT_FALSE(base().TakeForwarded("vkok_vobj_destroy"));
    ExpectOutcome(0, "vkov_tx_destroy", true);
    vko_vobj_destroy(window(Win::Doc));
    ExpectOutcome(0, "vkok_vobj_destroy", true);
}

TEST_F(TvobjTest, RecordAccessors_ReadTheRecordAfterTheWindowCheck) {
    WINDOW doc = window(Win::Doc);
    doc->app_data = 77;
    doc->parent = window(Win::Task);
    window(Win::Print)->parent = doc;
    EXPECT_EQ(vko_vobj_get_data(doc), 77);
    EXPECT_EQ(vko_vobj_get_data(window(Win::Freed)), -1);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1220002u);
    EXPECT_EQ(vko_vobj_get_type(window(Win::TextEdit)), 23) << "whatever its type word holds";
    EXPECT_EQ(vko_vobj_get_type(doc), W_DOC);
    EXPECT_EQ(vko_vobj_get_parent(doc), window(Win::Task));
    EXPECT_EQ(vko_vobj_get_parent(window(Win::Print)), nullptr) << "print windows have none";
    vko_vobj_set_data(doc, 5);
    EXPECT_EQ(doc->app_data, 5);
    vko_vobj_set_formatter(doc, 11, 12);
    vko_vobj_set_formatter_data(doc, 13);
    EXPECT_EQ(doc->formatter, 11);
    EXPECT_EQ(vko_vobj_get_formatter_data(doc), 13);
    EXPECT_EQ(base().MarkedNames().back(), "vko_vobj_get_formatter");
    EXPECT_EQ(vko_vobj_get_formatter(window(Win::TextEdit)), 0);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1230001u);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TvobjTest, RaiseAndTitle_AcceptOnlyTheirKindsOfWindow) {
    vko_vobj_raise(window(Win::Task));
    ExpectOutcome(0x1230001, "vkok_vobj_raise", false);
    base().SetResult("vkok_vobj_get_attr", 1);
    vko_vobj_raise(window(Win::Task));
    ExpectOutcome(0, "vkok_vobj_raise", true);
    vko_vobj_raise(window(Win::Print));
    ExpectOutcome(0x1230001, "vkok_vobj_raise", false);
    vko_vobj_set_title(window(Win::ListBox), "x");
    ExpectOutcome(0, "vkov_vobj_set_title", false);
    vko_vobj_set_title(window(Win::Doc), nullptr);
    ExpectOutcome(0x210000, "vkov_vobj_set_title", false);
    vko_vobj_set_visible(window(Win::Fixed), TRUE);
    ExpectOutcome(0x1220002, "vkok_vobj_set_visible", false);
}

TEST_F(TvobjTest, SetPalet_StoresThePaletteInTheDrawingState) {
    int palet_storage = 0;
    PALETTE palet = reinterpret_cast<PALETTE>(&palet_storage);
    vko_vobj_set_palet(window(Win::Doc), palet); // not a top-level window yet
    ExpectOutcome(0x1220002, "vkov_palet_map_win", false);
    base().SetResult("vkov_vobj_is_topwin", TRUE);
    vko_vobj_set_palet(window(Win::Doc), nullptr);
    ExpectOutcome(0x1210004, "vkov_palet_map_win", false);
    vko_vobj_set_palet(window(Win::Doc), palet);
    ExpectOutcome(0x1220004, "vkov_palet_map_win", false);
    base().SetLive("vkov_palet_is_valid", palet);
    vko_vobj_set_palet(window(Win::Doc), palet);
    ExpectOutcome(0, "vkov_palet_map_win", true);
    EXPECT_EQ(window(Win::Doc)->draw.palet, palet);
}

TEST_F(TvobjTest, Attributes_MemoryFunctionsAnswerWithoutTheFrame) {
    static const s_mem_functions kTable{};
    base().SetResultPtr("vkov_mem_get_functions", &kTable);
    EXPECT_EQ(vko_vobj_get_attr(nullptr, 707), reinterpret_cast<intptr_t>(&kTable));
    EXPECT_TRUE(base().MarkedNames().empty());
    vko_vobj_set_attr(nullptr, 707, 0);
    EXPECT_TRUE(base().MarkedNames().empty());
    EXPECT_TRUE(base().Forwarded("vkov_mem_set_functions"));
    base().SetResult("vkok_vobj_get_attr", 42);
    EXPECT_EQ(vko_vobj_get_attr(nullptr, 300), 42) << "a null object is passed on";
    EXPECT_EQ(vko_vobj_get_attr(window(Win::TextEdit), 300), -1);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1230001u);
    EXPECT_EQ(vko_vobj_get_attr(window(Win::Freed), 300), -1) << "a stale object is not read";
    EXPECT_EQ(base().TakeLastReportCode(), 0x1220002u);
    EXPECT_TRUE(base().ErrorFrameBalanced());
}

TEST_F(TvobjTest, IsValid_ReportsANullHandle) {
    EXPECT_EQ(vko_vobj_is_valid(nullptr), FALSE);
    ExpectOutcome(0x1210002, "vkov_vobj_is_valid", false);
    EXPECT_EQ(vko_vobj_is_valid(window(Win::Doc)), TRUE);
    EXPECT_EQ(vko_vobj_is_valid(window(Win::Slot)), FALSE);
    EXPECT_EQ(base().TakeLastReportCode(), 0u);
}

} // namespace
