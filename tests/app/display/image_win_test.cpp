// Tests of the illustration window in a running framework, over a small dictionary written
// at test time with its art set: the picture placed in its area, the caption laid out below
// it, and a click on a caption word handed to the opener before the window closes.
#include "app/display/image_win.h"

#include "app/display/entry_key_table.h"
#include "app/display/entry_painter.h"
#include "app/display/scroll_view_win.h"
#include "app/settings/config_dict.h"
#include "engine/engine.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cpicture.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/support/temp_dir.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"
#include "vkobase/font.h"
#include "win32/testing.h"
#include "wav_image.h"
#include "../support/png_bytes.h"

namespace {

class NoTarget : public EntryDisplayTarget {
public:
    void SetDisplayOrder(const RWOrdered&, const RWOrdered&, const RWOrdered*) override {}
    void ShowEntry(WordItem* const*) override {}
};

// The opener: records the words it is asked to look up.
class Opener : public FRM_CSubview {
public:
    using FRM_CSubview::FRM_CSubview;
    void DoCommand(long command, void* data) override
    {
        if (const std::string* word = ImageLookUpWord::Read(data); command == ImageLookUpWord::kNumber && word != nullptr)
            words.push_back(*word);
    }
    std::vector<std::string> words;
};

class ImageWinTest : public frmtest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        win32_test_reset();
        vkov_font_add_family_mapping("DorvaneRegular", VKO_FONT_TEST_FAMILY);
        vkov_font_add_family_mapping("DorvaneIPA", VKO_FONT_TEST_FAMILY);
        const std::string dir = itsDir.path() + "/";
        itsDescription.InitSlots();
        itsDescription.SetBaseDir(dir.c_str());
        itsDescription.SetBaseName("main");
        itsDescription.SetArtDir(dir.c_str());
        itsDescription.SetArtName("art");
        itsDescription.SetArtExist(1);
        itsDescription.SetSoundDir(dir.c_str());
        itsDescription.SetSoundExist(1);
        itsDescription.SetPart(1, 1, "Entry", "");
        itsDescription.SetPart(2, 10, "Illustration", "");
        Write("art",
              {{"circle", tavlintest::PngBytes(300, 200, false)},
               {"wide", tavlintest::PngBytes(600, 100, false)}},
              1);
        Write("main",
              {{"circle", dictwriter::encode_field_stream(
                              {{0xA3, "circle"}, {0xEE, "circle.png"}, {0x81, "a round figure"}})},
               {"wide", dictwriter::encode_field_stream(
                            {{0xA3, "wide"}, {0xEE, "wide.png"}, {0x81, "broad"}})}});
        Write("sound", {{"key", wav(10)}, {"word", wav(20)}});
        ASSERT_TRUE(itsTable.Matches(&itsDescription));
        itsOpenerWindow = NewWindow("opener", 100, 100);
        itsOpener = new Opener(itsOpenerWindow, FRM_CRect(0, 0, 100, 100));
    }
    void TearDown() override
    {
        ReleaseEngineBuffers();
        AppFixture::TearDown();
    }

    void Write(const std::string& name, const std::vector<std::pair<std::string, std::string>>& entries,
               std::size_t block = 8192)
    {
        dictwriter::DictionarySource source;
        source.block_text_bytes = block;
        for (const auto& [head, text] : entries)
            source.entries.push_back({head, text, {}, {}});
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(source, itsDir.path() + "/" + name, nullptr, &error))
            << error;
    }

    // An image window set up on the illustration of word.
    ImageWin* Open(const char* word)
    {
        WordItem item(word);
        item.set_entry_offset(-1);
        NoTarget target;
        itsTable.FormatEntryText(&item, &target, nullptr);
        auto* window = new ImageWin(itsDocument, FRM_CRect(0, 0, 505, 480),
                                    FRM_CStringRW("Illustration"), 0, W_DOC, 0, itsTaskWindow);
        Prefs prefs;
        prefs.font_size = 12;
        prefs.back_color = kDefaultBackColor;
        prefs.text_color = kDefaultTextColor;
        window->SetSources(&itsTable, prefs);
        ImageSetUp::Send(*window, *itsOpener);
        vkok_app_process_pending_events();
        return window;
    }

    test_support::TempDir itsDir;
    configDict itsDescription;
    EntryKeyTable itsTable;
    FRM_CWindow* itsOpenerWindow = nullptr;
    Opener* itsOpener = nullptr;
};

TEST_F(ImageWinTest, SetUp_PlacesThePictureAndLaysOutTheCaption)
{
    struct Case {
        const char* word;
        float left, top;
        std::string captionWord;
    };
    // The picture area is 497 x 382: a narrower picture is centred, a wider one starts at 10.
    const Case cases[] = {
        {"circle", 248 - 150, 191 - 100, "round"},
        {"wide", 10, 191 - 50, "broad"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        ImageWin* window = Open(c.word);
        ASSERT_NE(window->picture(), nullptr);
        EXPECT_EQ(window->picture()->GetFrame().Left(), c.left);
        EXPECT_EQ(window->picture()->GetFrame().Top(), c.top);
        EXPECT_STREQ(window->GetTitle().data(), c.word) << "named after the entry it illustrates";
        ASSERT_NE(window->painter(), nullptr);
        bool found = false;
        for (const auto& run : window->painter()->runs())
            found = found || run.text == c.captionWord;
        EXPECT_TRUE(found);
        window->Close();
    }
}

TEST_F(ImageWinTest, ClickOnACaptionWord_LooksItUpAndCloses)
{
    ImageWin* window = Open("circle");
    const WINDOW handle = window->GetVKOWindow();
    const auto& runs = window->painter()->runs();
    const auto round = std::find_if(runs.begin(), runs.end(),
                                    [](const auto& r) { return r.text == "round"; });
    ASSERT_NE(round, runs.end());

    // A click beside the words changes nothing.
    FRM_CPoint miss(400, round->y - 2);
    PaneDoubleClick::Send(*window, miss);
    EXPECT_TRUE(itsOpener->words.empty());
    EXPECT_TRUE(vko_vobj_is_valid(handle));

    // A double click in the pane on the word: the opener gets it, the window goes.
    FRM_CPoint on(round->x + 2, round->y - 2);
    window->captionView()->pane()->DoMouseDouble(FRM_CPoint(on.H(), on.V()), 0, 0, 0);
    EXPECT_EQ(itsOpener->words, (std::vector<std::string>{"round"}));
    vkok_app_process_pending_events();
    EXPECT_FALSE(vko_vobj_is_valid(handle));
}

TEST_F(ImageWinTest, CaptionDrag_SelectsItsWords)
{
    ImageWin* window = Open("circle");
    const auto& runs = window->painter()->runs();
    ASSERT_GE(runs.size(), 3U);
    FRM_CPoint points[2] = {FRM_CPoint(runs.front().x + 1, runs.front().y - 2),
                            FRM_CPoint(runs.back().x + 1, runs.back().y - 2)};
    PaneDrag::Send(*window, points);
    EXPECT_EQ(window->painter()->SelectedText(), "a round figure");
    // The window has no field: text, Backspace and Return typed in its pane are dropped.
    const WINDOW handle = window->GetVKOWindow();
    for (const int key : {int{'m'}, int{' '}, 8, 13})
        window->captionView()->pane()->DoKey(FRM_CKey(static_cast<std::uint16_t>(key), 0, 0, 0, 0));
    vkok_app_process_pending_events();
    ASSERT_TRUE(vko_vobj_is_valid(handle));
    EXPECT_EQ(window->painter()->SelectedText(), "a round figure");
    EXPECT_TRUE(itsOpener->words.empty());
    window->Close();
}

TEST_F(ImageWinTest, WordGroup_PlaysItsHiddenKeysOrItsWord)
{
    FRM_CWindow* window = NewWindow("pane", 400, 200);
    struct Case {
        const char* why;
        std::string text;
        std::vector<std::uint32_t> played; // sample counts of the sounds played
    };
    const Case cases[] = {
        {"the hidden keys are played", "\x0E\x02word~key~\x01\x0E then", {10}},
        {"a group without keys sounds its word", "\x0E\x02word\x01\x0E then", {20}},
        {"a word outside a group plays nothing", "word then", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        win32_test_reset();
        EntryPainter painter(nullptr, window->GetVKOWindow());
        painter.SetPen(20, 32);
        WordItem item(c.text.c_str());
        std::size_t position = 0;
        painter.LayOutText(item, &position, false);
        const auto& runs = painter.runs();
        const auto word = std::find_if(runs.begin(), runs.end(),
                                       [](const auto& r) { return r.text == "word"; });
        ASSERT_NE(word, runs.end());
        painter.PlayWordSounds(word->x + 1, word->y - 2, &itsTable);
        std::vector<std::uint32_t> played;
        for (int i = 0; i < win32_test_sound_count(); ++i) {
            win32_sound_record record{};
            win32_test_sound(i, &record);
            played.push_back(record.data_bytes);
        }
        EXPECT_EQ(played, c.played);
    }
}

} // namespace
