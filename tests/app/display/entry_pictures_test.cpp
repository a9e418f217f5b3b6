// Draws entries of the WordNet demo dictionary with the dictionary's own fonts into PNG
// files, for people to look at (fonts, phonetic glyphs, layout), and checks what can be
// checked without eyes: every entry lays out, draws ink in the text and highlight colours,
// and keeps inside the pane's width. Skipped when the demo dictionary has not been written.
// The pictures go to VKO_ENTRY_PNG_DIR when it is set, else to a scratch folder.
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/settings/config_dict.h"
#include "app/settings/settings_files.h"
#include "engine/engine.h"
#include "frm/views/cimage.h"
#include "entry_painter_support.h"
#include "tests/support/temp_dir.h"
#include "win32/testing.h"

namespace {

namespace fs = std::filesystem;

std::string DemoDir()
{
    const char* set = std::getenv("VKO_DEMO_DIR");
    return set != nullptr ? set : VKO_DEMO_DIR;
}

// Counts pixels of a colour (0xAARRGGBB) in the window.
int Pixels(WINDOW window, std::uint32_t color)
{
    std::int32_t width = 0, height = 0;
    vkov_debug_surface_size(window, &width, &height);
    int n = 0;
    for (std::int32_t y = 0; y < height; y += 1)
        for (std::int32_t x = 0; x < width; x += 1)
            n += vkov_debug_surface_pixel(window, x, y) == color ? 1 : 0;
    return n;
}

TEST(EntryPictures, DrawsWordNetEntries)
{
    const std::string dir = DemoDir();
    if (!fs::exists(dir + "/demo.dct"))
        GTEST_SKIP() << "no demo dictionary in " << dir << " (the run command writes it)";
    test_support::TempDir scratch;
    const char* out = std::getenv("VKO_ENTRY_PNG_DIR");
    const std::string outDir = out != nullptr ? out : scratch.path();
    fs::create_directories(outDir);

    vkov_test_reset_all();
    win32_test_reset();
    const fs::path home = fs::current_path();
    fs::current_path(dir); // the description names its data folder from here
    RWOrdered descriptions;
    SettingsFiles files;
    ASSERT_EQ(files.ReadDescriptions(&descriptions, dir), 1);
    ASSERT_GT(descriptions.entries(), 0U);
    const auto* description = dynamic_cast<const configDict*>(descriptions.at(0));
    ASSERT_NE(description, nullptr);
    {
        EntryKeyTable table;
        ASSERT_TRUE(table.Matches(description));

        const s_rct rect{0, 0, 900, 640};
        WINDOW window = vkok_win_create(W_DOC, &rect, "entry", 0, NULL_WIN, 0,
                                        VKO_EVENT_MASK_ALL, entrytest::NoEvents, 0);
        ASSERT_NE(window, nullptr);
        entrytest::FakePane pane;
        pane.frame = rect;
        EntryPainter painter(&pane, window);
        Prefs prefs;
        prefs.font_size = kDefaultFontSize;
        prefs.back_color = kDefaultBackColor;
        prefs.text_color = kDefaultTextColor;
        prefs.highlight_color = kDefaultHighlightColor;
        prefs.audio_color = kDefaultAudioColor;
        painter.SetColors(prefs);

        struct Case {
            const char* why;
            const char* word;
            const char* highlight; // null: none
            const char* file;
            const char* reference; // the picture of its illustration or table, or null
        };
        const Case cases[] = {
            {"a long noun with many senses", "head[1]", nullptr, "noun_head.png", nullptr},
            {"a verb with its inflected forms", "run[2]", nullptr, "verb_run.png", nullptr},
            {"an entry with an illustration", "hexagon", nullptr, "illustrated_hexagon.png", "illustration_hexagon.png"},
            {"an entry with a table", "Greek alphabet", nullptr, "table_greek_alphabet.png", "table_greek_alphabet_image.png"},
            {"an entry with a highlighted search word", "dog[1]", "domestic",
             "highlight_dog.png", nullptr},
            {"the longest entry", "break[2]", nullptr, "longest_break.png", nullptr},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.why);
            RWOrdered search;
            if (c.highlight != nullptr)
                search.insert(new RWCollectableString(c.highlight));
            WordItem word(c.word);
            word.set_entry_offset(-1);
            table.FormatEntryText(&word, &painter, c.highlight != nullptr ? &search : nullptr);
            search.clearAndDestroy();
            ASSERT_GT(painter.runs().size(), 10U);
            // Text stays left of the pane's edge: words wrap, only punctuation overflows.
            for (const auto& run : painter.runs()) {
                if (!run.text.empty() && std::isalpha(static_cast<unsigned char>(run.text[0]))) {
                    EXPECT_LE(run.x + run.width, painter.rightLimit() + 1.0f) << run.text;
                }
            }
            const std::string png = outDir + "/" + c.file;
            ASSERT_TRUE(vkov_debug_surface_write_png(window, png.c_str()));
            EXPECT_GT(Pixels(window, 0xFF000000U), 200);
            if (c.highlight != nullptr) {
                EXPECT_GT(Pixels(window, 0xFFFF0000U), 20);
            }
            // The illustration or table itself, as the image window shows it: the picture,
            // and an illustration's caption laid out by the painter.
            if (c.reference != nullptr) {
                const std::unique_ptr<FRM_CImage> image = table.ShowReference(&painter);
                ASSERT_NE(image, nullptr);
                std::int32_t width = 0, height = 0;
                image->GetDimensions(&width, &height);
                EXPECT_GT(width, 50);
                EXPECT_GT(height, 50);
                vko_dwin_clear(window, 0x0BFFFFFF);
                painter.Redraw(0);
                const s_rct source{0, 0, static_cast<std::int16_t>(height),
                                   static_cast<std::int16_t>(width)};
                const s_rct dest{80, 20, static_cast<std::int16_t>(80 + height),
                                 static_cast<std::int16_t>(20 + width)};
                vko_dwin_draw_image(window, static_cast<IMAGE>(*image), &dest, &source);
                ASSERT_TRUE(vkov_debug_surface_write_png(window, (outDir + "/" + c.reference).c_str()));
            }
        }
        vkok_vobj_destroy(window);
    }
    descriptions.clearAndDestroy();
    ReleaseEngineBuffers();
    fs::current_path(home);
}

} // namespace
