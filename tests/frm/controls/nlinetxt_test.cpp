// Tests of the line text over the real text-edit engine: keys, cuts and pastes judged against
// the whole would-be text, including deletes and overwrites at the end of the text, and a
// height that follows the font whatever size the caller asks for.
#include "frm/controls/nlinetxt.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "frm/core/cunits.h"
#include "frm/runtime/cnav.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

constexpr std::uint16_t kBackspace = 8;
constexpr std::uint16_t kPaste = 0;

class LineTextTest : public frmtest::ControlsFixture {
protected:
    FRM_NLineText* NewLine() { return new FRM_NLineText(itsWindow, FRM_CPoint(10, 10), 200, 0, 0, 100); }

    static void PutClipboard(const std::string& text)
    {
        ASSERT_TRUE(vko_cb_open(TRUE));
        auto* data = static_cast<char*>(vko_cb_alloc(static_cast<std::uint32_t>(text.size() + 1)));
        ASSERT_NE(data, nullptr);
        // Exactly the text's bytes, no terminator.
        std::memcpy(data, text.data(), text.size());
        data[text.size()] = 'Z';
        vko_cb_put_data(CB_TEXT, nullptr, static_cast<std::uint32_t>(text.size()), nullptr);
        vko_cb_free_data();
        vko_cb_close();
    }
    static void Select(FRM_NLineText* line, std::uint16_t first, std::uint16_t last)
    {
        vko_tx_set_sel(line->GetVKOTextEdit(), 0, 0, first, 0, 0, last);
    }
    static int ExpectedHeight(const FRM_CWindow& window)
    {
        std::int32_t leading = 0, ascent = 0, descent = 0;
        vko_dwin_get_font_metrics(window.GetVKOWindow(), &leading, &ascent, &descent);
        return leading + ascent + descent + 10;
    }
};

TEST_F(LineTextTest, KeysCutsAndPastesKeepTheWholeTextMatching)
{
    struct Case {
        const char* why;
        const char* pattern;
        const char* text;
        std::uint16_t first, last;  // selection before the key
        bool overwrite;
        FRM_CKey key;
        const char* clipboard;
        bool accepted;
        const char* after;
    };
    const FRM_CKey digit('7', 0, 0, 0, 0);
    const FRM_CKey letter('x', 0, 0, 0, 0);
    const FRM_CKey back(kBackspace, 0, 0, 0, 0);
    const FRM_CKey del(FRM_CKey::kVirtual, VKO_KEY_DELETE);
    const FRM_CKey paste(kPaste, 0, 0, 0, 0);
    const FRM_CKey left(FRM_CKey::kVirtual, VKO_KEY_LEFT);
    const Case cases[] = {
        {"digit at the end", "[0-9]*", "12", 2, 2, false, digit, "", true, "127"},
        {"letter refused", "[0-9]*", "12", 2, 2, false, letter, "", false, "12"},
        {"letter replacing the selection refused", "[0-9]*", "12", 0, 2, false, letter, "", false, "12"},
        {"backspace down to empty", "[0-9][0-9]", "1", 1, 1, false, back, "", true, ""},
        {"backspace leaving a short text refused", "[0-9][0-9]", "12", 2, 2, false, back, "", false, "12"},
        {"delete at the end changes nothing", "[0-9]+", "12", 2, 2, false, del, "", true, "12"},
        {"delete in the middle", "1[0-9]*", "123", 1, 1, false, del, "", true, "13"},
        {"overwrite at the end appends", "[0-9]*", "12", 2, 2, true, digit, "", true, "127"},
        {"overwrite in the middle", "[0-9][0-9]", "12", 0, 0, true, digit, "", true, "72"},
        {"paste of digits", "[0-9]*", "12", 1, 1, false, paste, "34", true, "1342"},
        {"paste that breaks the match refused", "[0-9]*", "12", 2, 2, false, paste, "3a", false, "12"},
        {"paste at the end without a terminator", "ab[0-9]", "ab", 2, 2, false, paste, "5", true, "ab5"},
        {"cut checked without the selection", "1[0-9]*", "123", 1, 3, false, back, "", true, "1"},
        {"cut leaving no match refused", "1[0-9]*", "123", 0, 1, false, back, "", false, "123"},
        {"navigation with a selection always passes", "12", "123", 2, 3, false, left, "", true, "123"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_NLineText* line = NewLine();
        line->SetText(FRM_CStringRW(c.text));
        line->SetValidation(RWCRegexp(c.pattern));
        line->SetAttribute(FRM_NLineText::kOverwrite, c.overwrite ? 1 : 0);
        Select(line, c.first, c.last);
        PutClipboard(c.clipboard);
        EXPECT_EQ(line->KeyValidateRegX(c.key) != 0, c.accepted);
        // Typed keys reach the engine only when accepted (a paste comes as a menu command).
        if (c.key.GetChar() != kPaste || c.key.IsVirtualKey()) {
            line->Key(c.key);
            EXPECT_EQ(std::string(line->GetText().data()), c.after);
        }
        delete line;
    }
}

TEST_F(LineTextTest, WithoutAnExpressionEveryKeyPasses)
{
    FRM_NLineText* line = NewLine();
    EXPECT_FALSE(line->HasValidation());
    EXPECT_EQ(line->GetValidation().index(RWCString("")), 0u);
    line->Key(FRM_CKey('a', 0, 0, 0, 0));
    line->Key(FRM_CKey('!', 0, 0, 0, 0));
    EXPECT_EQ(std::string(line->GetText().data()), "a!");
    EXPECT_EQ(line->GetInsertPosition(), 2);
    line->SetInsertPosition(1);
    line->Key(FRM_CKey('b', 0, 0, 0, 0));
    EXPECT_EQ(std::string(line->GetText().data()), "ab!");
    delete line;
}

TEST_F(LineTextTest, CopiesOwnTheirExpression)
{
    FRM_NLineText* line = NewLine();
    line->SetValidation(RWCRegexp("[a-z]*"));
    FRM_NLineText* copy = new FRM_NLineText(*line);
    line->SetValidation(RWCRegexp("[0-9]*"));
    delete line;
    EXPECT_TRUE(copy->HasValidation());
    EXPECT_EQ(copy->KeyValidateRegX(FRM_CKey('q', 0, 0, 0, 0)), 1);
    EXPECT_EQ(copy->KeyValidateRegX(FRM_CKey('5', 0, 0, 0, 0)), 0);

    FRM_NLineText* plain = NewLine();
    *copy = *plain;
    EXPECT_FALSE(copy->HasValidation());
    delete plain;
    delete copy;
}

TEST_F(LineTextTest, HeightFollowsTheFontAndTheOneLineAttributeStays)
{
    FRM_NLineText* line = NewLine();
    const float height = static_cast<float>(ExpectedHeight(*itsWindow));
    const FRM_CUnits* units = line->GetUnits();
    const float logical = units != nullptr ? units->VPhysicalToLogical(static_cast<int>(height)) : height;
    EXPECT_FLOAT_EQ(line->GetFrame().Height(), logical);
    line->Size(FRM_CRect(5, 5, 150, 205));
    EXPECT_FLOAT_EQ(line->GetFrame().Width(), 145);
    EXPECT_FLOAT_EQ(line->GetFrame().Height(), logical);

    EXPECT_NE(line->GetAttributes() & FRM_NLineText::kOneLine, 0u);
    line->SetAttribute(FRM_NLineText::kOneLine, 0);
    EXPECT_NE(line->GetAttributes() & FRM_NLineText::kOneLine, 0u);
    delete line;
}

TEST_F(LineTextTest, MenuCutAndPasteAreCheckedBeforeTheEngineRunsThem)
{
    struct Case {
        const char* why;
        std::int16_t tag;
        std::uint16_t first, last;
        const char* clipboard;
        const char* after;
    };
    const Case cases[] = {
        {"paste that breaks the match refused", 32029, 2, 2, "ab", "12"},
        {"paste of digits", 32029, 2, 2, "34", "1234"},
        {"cut leaving a match", 32027, 1, 2, "", "1"},
        {"cut leaving no match refused", 32027, 0, 1, "", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FRM_NLineText* line = NewLine();
        line->SetText(FRM_CStringRW("12"));
        line->SetValidation(RWCRegexp("1[0-9]*"));
        vkok_scr_set_focus_vobj(line->GetVKOWindow());
        Select(line, c.first, c.last);
        if (*c.clipboard != '\0')
            PutClipboard(c.clipboard);
        // Menu commands reach the window and go on to its focused text edit.
        EVENT command{};
        command.type = E_COMMAND;
        command.v.cmd.tag = c.tag;
        vkok_win_dispatch_event(itsHandle, &command);
        vkok_app_process_pending_events();
        EXPECT_EQ(std::string(line->GetText().data()), c.after);
        delete line;
    }
}

} // namespace
