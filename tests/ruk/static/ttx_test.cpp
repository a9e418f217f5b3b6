// Tests of the text-edit family against the recording double: update refusal before the
// handle, the engine's own predicate for handles, argument checks in order, the neutral
// results, and the definition rectangle put back after a creation.
#include <cstring>

#include "layer_fixture.h"

namespace {

class TtxTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        base().SetLive("vkov_tx_is_valid", kLiveTx);
    }
    static constexpr TXEDIT kLiveTx = 4;
    static constexpr TXEDIT kDeadTx = 5;
};

TEST_F(TtxTest, AddPar_RefusesDuringAnUpdateBeforeLookingAtItsHandle) {
    struct Case {
        const char* why;
        bool in_update;
        TXEDIT tx;
        const char* text;
        std::uint32_t code;
        bool forwarded;
    };
    const Case cases[] = {
        {"a null handle during an update reports the update", true, 0, nullptr, 0x1610001,
         false},
        {"a destroyed text edit", false, kDeadTx, "x", 0x1220009, false},
        {"a null handle is rejected by the engine's predicate", false, 0, "x", 0x1220009,
         false},
        {"a null text after a good handle", false, kLiveTx, nullptr, 0x210000, false},
        {"good arguments forward", false, kLiveTx, "x", 0, true},
    };
    base().SetResult("vkov_tx_add_par", TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        base().SetProcUpdate(c.in_update);
        EXPECT_EQ(vko_tx_add_par(c.tx, 65535, c.text), c.forwarded ? TRUE : FALSE);
        ExpectOutcome(c.code, "vkov_tx_add_par", c.forwarded);
    }
}

TEST_F(TtxTest, Queries_AnswerTheirNeutralValueAndGoOnDuringAnUpdate) {
    base().SetProcUpdate(true);
    EXPECT_EQ(vko_tx_get_data(kDeadTx), -1);
    EXPECT_EQ(vko_tx_get_limit(kDeadTx), -1);
    EXPECT_EQ(vko_tx_get_num_pars(kDeadTx), 0);
    EXPECT_EQ(base().TakeLastReportCode(), 0x1220009u);
    base().SetResult("vkov_tx_get_data", 9);
    EXPECT_EQ(vko_tx_get_data(kLiveTx), 9);
    ExpectOutcome(0, "vkov_tx_get_data", true);
}

TEST_F(TtxTest, GetSel_ChecksEachOutParameterInOrderAndFillsNothing) {
    std::uint16_t a = 1, b = 1, c = 1, e = 1, f = 1;
    vko_tx_get_sel(kLiveTx, &a, &b, &c, nullptr, &e, nullptr);
    ASSERT_NE(base().LastReport(), nullptr);
    const std::int32_t fourth_line = base().LastReport()->line;
    ExpectOutcome(0x210000, "vkov_tx_get_sel", false);
    vko_tx_get_sel(kLiveTx, &a, &b, &c, &e, &f, nullptr);
    ASSERT_NE(base().LastReport(), nullptr);
    EXPECT_NE(base().LastReport()->line, fourth_line) << "each check site has its own line";
    ExpectOutcome(0x210000, "vkov_tx_get_sel", false);
    EXPECT_EQ(a + b + c + e + f, 5);
}

TEST_F(TtxTest, Create_ChecksWindowRectangleAndFont) {
    int font_storage = 0;
    FONT_OBJ font = reinterpret_cast<FONT_OBJ>(&font_storage);
    struct Case {
        const char* why;
        Win win;
        Rect rect;
        bool stale_font;
        std::uint32_t code;
        bool created;
    };
    const Case cases[] = {
        {"null window", Win::Null, Rect::Good, false, 0x1210002, false},
        {"a freed window is not read", Win::Freed, Rect::Good, false, 0x1220002, false},
        {"null rectangle", Win::Doc, Rect::Null, false, 0x210000, false},
        {"a stale font after a repaired rectangle", Win::Doc, Rect::Inverted, true, 0x1220003,
         false},
        {"inverted rectangle is repaired, null font is the default", Win::Doc, Rect::Inverted,
         false, 0x1240003, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        s_rct storage{};
        vko_tx_create(window(c.win), rect_of(c.rect, storage), 0, c.stale_font ? font : nullptr,
                      0, 0);
        if (c.created) {
            const base_double::Call* call = base().LastCall("vkov_tx_create");
            ASSERT_NE(call, nullptr);
            EXPECT_EQ(call->args[1].rect.top, 10);
            EXPECT_EQ(storage.top, 30) << "caller's rectangle untouched";
        }
        ExpectOutcome(c.code, "vkov_tx_create", c.created);
    }
}

TEST_F(TtxTest, CreateDef_PutsTheCallersRectangleBackOnEveryPath) {
    int font_storage = 0;
    struct Case {
        const char* why;
        e_win_type type;
        bool stale_font;
        std::uint32_t code;
        bool created;
    };
    const Case cases[] = {
        {"another window type creates nothing", WC_EDIT, false, 0x1230001, false},
        {"a stale font is refused after the repair", WC_TEXTEDIT, true, 0x1220003, false},
        {"a reversed rectangle is repaired for the engine", WC_TEXTEDIT, false, 0x1240003,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        s_win_def def{};
        def.type = c.type;
        def.rct = s_rct{30, 60, 10, 20};
        def.font = c.stale_font ? reinterpret_cast<FONT_OBJ>(&font_storage) : nullptr;
        s_rct seen{};
        base().SetResponder("vkov_tx_create_def", [&](const base_double::Call& call) {
            seen = reinterpret_cast<s_win_def*>(static_cast<std::uintptr_t>(call.args[0].value))
                       ->rct;
            return base_double::Answer{true, 8, 0.0};
        });
        EXPECT_EQ(vko_tx_create_def(&def, window(Win::Doc), 0), c.created ? 8u : 0u);
        if (c.created) {
            EXPECT_EQ(seen.top, 10);
            EXPECT_EQ(seen.right, 60);
        }
        EXPECT_EQ(def.rct.top, 30);
        EXPECT_EQ(def.rct.right, 20);
        ExpectOutcome(c.code, "vkov_tx_create_def", c.created);
    }
}

TEST_F(TtxTest, ProcessEvent_OnlyAnUpdateNeedsALiveWindow) {
    EVENT update{};
    update.type = E_UPDATE;
    EVENT key{};
    key.type = E_CHAR;
    vko_tx_process_event(nullptr, &key);
    ExpectOutcome(0x1210002, "vkov_tx_process_event", false);
    vko_tx_process_event(window(Win::Doc), nullptr);
    ExpectOutcome(0x210000, "vkov_tx_process_event", false);
    vko_tx_process_event(window(Win::Freed), &update);
    ExpectOutcome(0x1220002, "vkov_tx_process_event", false);
    vko_tx_process_event(window(Win::Freed), &key);
    ExpectOutcome(0, "vkov_tx_process_event", true);
}

} // namespace
