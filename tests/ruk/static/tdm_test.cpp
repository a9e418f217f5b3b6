// Tests of the standard-dialog family against the recording double: the update refusal (and
// the fatal exit that ignores it), argument orders, the question's neutral 127 and the font
// dialog's optional window.
#include "layer_fixture.h"

namespace {

using TdmTest = LayerTest;

TEST_F(TdmTest, Messages_TheFatalExitGoesOnDuringAnUpdate) {
    base().SetProcUpdate(true);
    vko_dm_post_fatal_exit("bye %d", 2);
    ExpectOutcome(0, "vkov_dm_post_fatal_exit", true);
    base().SetProcUpdate(false);
    vko_dm_post_error(nullptr);
    ExpectOutcome(0x210000, "vkov_dm_post_error", false);
}

TEST_F(TdmTest, Ask_ChecksTheTwoButtonsAndTheFormatInOrder) {
    struct Case {
        const char* why;
        const char* b1;
        const char* b2;
        const char* b3;
        const char* format;
        std::uint32_t code;
        bool shown;
    };
    const Case cases[] = {
        {"null first button", nullptr, nullptr, nullptr, nullptr, 0x210000, false},
        {"null format after two buttons", "Yes", "No", "Cancel", nullptr, 0x210000, false},
        {"a null third button is a two-button question", "Yes", "No", nullptr, "Sure?", 0,
         true},
    };
    base().SetResult("vkov_dm_post_ask", 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(vko_dm_post_ask(c.b1, c.b2, c.b3, c.format), c.shown ? 1 : 127);
        if (c.shown) {
            EXPECT_EQ(base().LastCall("vkov_dm_post_ask")->args[3].text, "Sure?");
        }
        ExpectOutcome(c.code, "vkov_dm_post_ask", c.shown);
    }
}

TEST_F(TdmTest, FontSel_AcceptsNoWindowButChecksAGivenOne) {
    int font_storage = 0, print_storage = 0;
    FONT_OBJ font = reinterpret_cast<FONT_OBJ>(&font_storage);
    s_printrcd* print = reinterpret_cast<s_printrcd*>(&print_storage);
    struct Case {
        const char* why;
        Win win;
        bool font_live;
        bool null_font;
        bool print_given;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"null font", Win::Null, false, true, false, 0x1210003},
        {"stale font", Win::Null, false, false, false, 0x1220003},
        {"no owner window", Win::Null, true, false, false, 0},
        {"a freed owner window", Win::Freed, true, false, false, 0x1220002},
        {"a text-edit owner", Win::TextEdit, true, false, false, 0x1230001},
        {"a print record that is not valid", Win::Doc, true, false, true, 0x122000C},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        base().SetLive("vkov_font_is_valid", font, c.font_live);
        vko_dm_post_font_sel(window(c.win), c.null_font ? nullptr : font,
                             c.print_given ? print : nullptr, 0);
        ExpectOutcome(c.code, "vkov_dm_post_font_sel", c.code == 0);
    }
}

TEST_F(TdmTest, CtoolsSel_NeedsAPartInTheLowByte) {
    s_drawct tools{};
    EXPECT_EQ(vko_dm_post_ctools_sel(&tools, 0x100), FALSE);
    ExpectOutcome(0x122000B, "vkov_dm_post_ctools_sel", false);
    vko_dm_post_ctools_sel(&tools, 0x101);
    ExpectOutcome(0, "vkov_dm_post_ctools_sel", true);
}

} // namespace
