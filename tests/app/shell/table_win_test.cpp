// Tests of the table window: the table of the entry shown, from a dictionary written at
// test time with a tables data set, shown as a picture and printed to a PDF file; the print
// items it enables and disables, a tall table's bar reaching its end and a wide one's its last
// column, the two-pixel rule along its top, File > Close closing only it, and the commands it
// drops; a damaged picture or table set told in place of an empty window.
#include "app/shell/table_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "app/shell/kq_factory.h"
#include "resources/menu_tags.h"
#include "frm/views/nscrllbr.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/cscrollr.h"
#include "vkobase/surface_debug.h"

#include "../support/tavlin_fixture.h"
#include "../support/png_bytes.h"
#include "tests/support/wheel.h"

namespace {

using tavlintest::TavlinFixture;

class TableWinTest : public TavlinFixture {
protected:
    TableWin* Open()
    {
        Start();
        RefDoc* document = ReferenceDocuments().front();
        const int before = document->GetNumWindows();
        RefDoc::CmdShowTable::Send(*document);
        EXPECT_EQ(document->GetNumWindows(), before + 1);
        auto* window = dynamic_cast<TableWin*>(
            static_cast<FRM_CWindow*>(document->GetWindows()[document->GetNumWindows() - 1]));
        EXPECT_NE(window, nullptr);
        return window;
    }
    // The table window of "grid" in a dictionary whose one table is a plain blue picture of
    // the size given; null (with the failure recorded) when it shows no picture.
    TableWin* OpenPlainTable(int width, int height);
};

void Write(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries,
           std::size_t block)
{
    dictwriter::DictionarySource source;
    source.block_text_bytes = block;
    source.key_tables = {"sc"};
    for (const auto& [head, text] : entries) {
        dictwriter::SourceEntry entry;
        entry.head_word = head;
        entry.fields = text;
        entry.terms.push_back({"va", head});
        source.entries.push_back(entry);
    }
    std::string error;
    ASSERT_TRUE(dictwriter::write_dictionary(source, path, nullptr, &error)) << error;
}

TableWin* TableWinTest::OpenPlainTable(int width, int height)
{
    Write(itsDir.path() + "/data/gamma",
          {{"grid", dictwriter::encode_field_stream({{0xA3, "grid"}, {0x81, "table/grid;A grid"}})}}, 8192);
    Write(itsDir.path() + "/data/tables", {{"grid", tavlintest::PngBytes(width, height, true)}}, 1);
    itsDir.write("c.dct", "ref_name=Gamma\nbase_dir=data/\nbase_name=gamma\ntable_dir=data/\n"
                          "table_name=tables\nsearch_text=Entry word is...,va\n"
                          "main_entry=Entry:,N\nart_entry=Table:,N\n");
    itsDir.write("Pref.kq", "reference=Gamma\n");
    Start();
    FrontPage()->SearchFor("grid");
    RefDoc* document = ReferenceDocuments().front();
    RefDoc::CmdShowTable::Send(*document);
    auto* window = dynamic_cast<TableWin*>(
        static_cast<FRM_CWindow*>(document->GetWindows()[document->GetNumWindows() - 1]));
    EXPECT_NE(window, nullptr);
    if (window == nullptr || window->GetPicture() == nullptr) {
        ADD_FAILURE() << "the table window shows no picture";
        return nullptr;
    }
    return window;
}

TEST_F(TableWinTest, ShowsAndPrintsTheTableOfTheEntryShown)
{
    Write(itsDir.path() + "/data/gamma",
          {{"grid", dictwriter::encode_field_stream({{0xA3, "grid"}, {0x81, "table/grid;A grid"}})}}, 8192);
    Write(itsDir.path() + "/data/tables", {{"grid", tavlintest::PngBytes(240, 160, false)}}, 1);
    itsDir.write("c.dct", "ref_name=Gamma\nbase_dir=data/\nbase_name=gamma\ntable_dir=data/\n"
                          "table_name=tables\nsearch_text=Entry word is...,va\n"
                          "main_entry=Entry:,N\nart_entry=Table:,N\n");
    itsDir.write("Pref.kq", "reference=Gamma\n");
    TableWin* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetPicture(), nullptr) << "no entry shown yet";
    window->DoMenuCommand(32003, 0, 0);

    FrontPage()->SearchFor("grid");
    RefDoc* document = ReferenceDocuments().front();
    RefDoc::CmdShowTable::Send(*document);
    auto* shown = dynamic_cast<TableWin*>(
        static_cast<FRM_CWindow*>(document->GetWindows()[document->GetNumWindows() - 1]));
    ASSERT_NE(shown, nullptr);
    ASSERT_NE(shown->GetPicture(), nullptr);
    EXPECT_EQ(shown->GetPicture()->GetFrame().Width(), 240);
    EXPECT_EQ(shown->GetPicture()->GetFrame().Height(), 160);
    // Named after the entry it shows, and so is its printed file.
    EXPECT_STREQ(shown->GetTitle().data(), "grid");

    // Print > Table writes the job's PDF file into the working folder.
    shown->DoMenuCommand(menutag::kPrintTable, 0, 0);
    vkok_app_process_pending_events();
    std::vector<std::string> pdfs;
    for (const auto& file : std::filesystem::directory_iterator(itsDir.path()))
        if (file.path().extension() == ".pdf" && file.file_size() > 0)
            pdfs.push_back(file.path().filename().string());
    EXPECT_EQ(pdfs, std::vector<std::string>{"grid.pdf"});
}

TEST_F(TableWinTest, ATallTableScrollsToItsEndByBarAndByWheel)
{
    TableWin* window = OpenPlainTable(240, 2000);
    ASSERT_NE(window, nullptr);
    FRM_NScrollBar* bar = window->GetScroller()->GetVScrollBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetPosition(), 0);
    EXPECT_GE(bar->GetMaxPosition(), 2000 - window->GetScroller()->GetInnerFrame().Height())
        << "the bar reaches the table's end";

    // A point inside the shown table, in the window's pixels: the table is one blue.
    const FRM_CRect inner = window->GetScroller()->GetInnerFrame();
    const FRM_CRect global = window->GetScroller()->GetGlobalFrame();
    const int x = static_cast<int>(global.Left() + inner.Width() / 4);
    const int y = static_cast<int>(global.Top() + inner.Height() / 2);
    vkok_app_process_pending_events();
    const std::uint32_t blue = vkov_debug_surface_pixel(window->GetVKOWindow(), x, y);
    ASSERT_EQ(blue, 0xFF3366CCu) << "the table is drawn there";

    // The wheel over the table: the pointer is there, then three line scrolls down.
    EVENT move{};
    move.type = E_MOUSE_MOVE;
    move.v.mouse.where = s_pnt{200, 200};
    vkov_test_post_event(window->GetVKOWindow(), &move);
    test_support::WheelNotch(window->GetVKOWindow());
    EXPECT_FLOAT_EQ(bar->GetPosition(), 3 * bar->GetLineIncrement());
    vkok_app_process_pending_events();
    EXPECT_EQ(vkov_debug_surface_pixel(window->GetVKOWindow(), x, y), blue)
        << "the table moved with the scroll and is still drawn there";
}

TEST_F(TableWinTest, AWideTableScrollsToItsLastColumn)
{
    constexpr int kWidth = 2000;
    TableWin* window = OpenPlainTable(kWidth, 240);
    ASSERT_NE(window, nullptr);
    FRM_NScrollBar* bar = window->GetScroller()->GetHScrollBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetPosition(), 0);
    EXPECT_GE(bar->GetMaxPosition(), kWidth - window->GetScroller()->GetInnerFrame().Width())
        << "the bar reaches the table's last column";
}

// The window opens as wide as its table needs beside the scroller's bar, the table's last
// column drawn; never narrower than it was made, never past the screen's right edge.
class TableWinWidthTest : public TableWinTest, public ::testing::WithParamInterface<int> {};

TEST_P(TableWinWidthTest, OpensAsWideAsItsTableWithinTheScreen)
{
    const int tableWidth = GetParam();
    TableWin* window = OpenPlainTable(tableWidth, 240);
    ASSERT_NE(window, nullptr);
    vkok_app_process_pending_events();
    s_rct client{}, outer{};
    vko_vobj_get_client_rect(window->GetVKOWindow(), &client);
    vko_vobj_get_outer_rect(window->GetVKOWindow(), &outer);
    const int screen = static_cast<int>(vko_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WIDTH));
    const FRM_CRect inner = window->GetScroller()->GetInnerFrame();
    // Beside the table: the scroller's bar and margins, and the pixel its clip keeps inside.
    const int beside = client.right - static_cast<int>(inner.Width()) + 1;
    EXPECT_EQ(client.right, std::max(500, std::min(tableWidth + beside, client.right + screen - outer.right)));
    EXPECT_LE(outer.right, screen) << "within the screen";
    if (tableWidth + beside <= 500 || outer.right < screen) {
        // The whole table shows: its last column is drawn, the blue of the table.
        const FRM_CRect global = window->GetScroller()->GetGlobalFrame();
        const int x = static_cast<int>(global.Left()) + tableWidth - 1;
        const int y = static_cast<int>(global.Top() + inner.Height() / 2);
        EXPECT_EQ(vkov_debug_surface_pixel(window->GetVKOWindow(), x, y), 0xFF3366CCu) << "the last column";
    }
}

INSTANTIATE_TEST_SUITE_P(NarrowWideAndWiderThanTheScreen, TableWinWidthTest, ::testing::Values(240, 700, 2000));

TEST_F(TableWinTest, ShowsItselfWithPrintTableTheOnlyPrintItem)
{
    TableWin* window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsVisible());
    EXPECT_NE(window->GetScroller(), nullptr);
    EXPECT_NE(window->GetTable(), nullptr);
    EXPECT_EQ(window->GetPicture(), nullptr) << "the entry shown has no table";
    FRM_CMenuBar* bar = window->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintTable), 1);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintEntry), 0);
    EXPECT_EQ(bar->IsEnabled(menutag::kPrintResults), 0);
}

TEST_F(TableWinTest, DrawsATwoPixelRuleAlongItsTop)
{
    TableWin* window = Open();
    ASSERT_NE(window, nullptr);
    vkok_dwin_invalidate_rect(window->GetVKOWindow(), nullptr);
    vkok_app_process_pending_events();
    for (int x : {5, 200, 400}) {
        EXPECT_EQ(vkov_debug_surface_pixel(window->GetVKOWindow(), x, 0) & 0xFFFFFF, 0x404040u) << x;
        EXPECT_EQ(vkov_debug_surface_pixel(window->GetVKOWindow(), x, 1) & 0xFFFFFF, 0xFFFFFFu) << x;
    }
}

TEST_F(TableWinTest, CloseClosesOnlyItAndNullCommandsStop)
{
    TableWin* window = Open();
    ASSERT_NE(window, nullptr);
    RefDoc* document = ReferenceDocuments().front();
    const int notes = vkov_dm_test_count();
    window->DoCommand(20002, nullptr);
    window->DoCommand(20003, nullptr);
    window->DoMenuCommand(20003, 0, 0);
    EXPECT_EQ(vkov_dm_test_count(), notes);
    const int windows = document->GetNumWindows();
    window->DoMenuCommand(32003, 0, 0);
    EXPECT_EQ(document->GetNumWindows(), windows - 1);
    EXPECT_NE(MainWindow(), nullptr);
}

// A picture or table set that is damaged or missing: opening the dictionary tells which set
// cannot be shown, naming its file, and the picture or table asked for is told the same way
// in place of an empty window.
TEST_F(TableWinTest, ADamagedPictureOrTableSetIsToldNamingItsFileAndOpensNoWindow)
{
    const auto damaged = [](const char* file) {
        return [file] { std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2); };
    };
    const auto missing = [](const char* file) { return [file] { std::filesystem::remove(file); }; };
    // Random bytes after the length of its header: the blocks the index leads to are not there.
    const auto random = [](const char* file) {
        return [file] {
            std::string bytes(std::filesystem::file_size(file), '\0');
            std::mt19937 generator(5);
            for (std::size_t i = 2; i < bytes.size(); ++i)
                bytes[i] = static_cast<char>(generator());
            std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        };
    };
    const struct {
        const char* why;
        std::function<void()> damage;
        const char* word;
        bool illustration; // else the table
        std::string atOpen;
        std::string asked;
    } cases[] = {
        {"art.cmp cut in half", damaged("data/art.cmp"), "circle", true,
         "The illustrations of Gamma cannot be shown: the file data/art.cmp is damaged.",
         "The illustration \"circle\" cannot be read: the file data/art.cmp is damaged."},
        {"art.cmp random", random("data/art.cmp"), "circle", true,
         "The illustrations of Gamma cannot be shown: the file data/art.cmp is damaged.",
         "The illustration \"circle\" cannot be read: the file data/art.cmp is damaged."},
        {"no table index", missing("data/tables.ndx"), "grid", false,
         "The tables of Gamma cannot be shown: the file data/tables.ndx cannot be opened.",
         "The table \"grid\" cannot be read: the file data/tables.ndx cannot be opened."},
    };
    itsDir.write("c.dct", "ref_name=Gamma\nbase_dir=data/\nbase_name=gamma\nart_dir=data/\n"
                          "art_name=art\nart_exist=1\ntable_dir=data/\ntable_name=tables\n"
                          "search_text=Entry word is...,va\nmain_entry=Entry:,N\n"
                          "art_entry=Picture:,N\n");
    itsDir.write("Pref.kq", "reference=Gamma\n");
    Write(itsDir.path() + "/data/gamma",
          {{"grid", dictwriter::encode_field_stream({{0xA3, "grid"}, {0x81, "table/grid;A grid"}})},
           {"circle", dictwriter::encode_field_stream(
                          {{0xA3, "circle"}, {0xEE, "circle.png"}, {0x81, "a round figure"}})}},
          8192);
    const auto shownSince = [](int first) {
        std::vector<std::string> shown;
        for (int i = first; i < vkov_dm_test_count(); ++i)
            shown.push_back(std::string(vkov_dm_test_kind(i)) + ": " + vkov_dm_test_text(i));
        return shown;
    };
    // The picture and a megabyte of others, as a set of pictures is large.
    std::vector<std::pair<std::string, std::string>> art = {{"circle", tavlintest::PngBytes(300, 200, false)}};
    std::mt19937 generator(3);
    for (char name = 'a'; name <= 't'; ++name) {
        std::string picture(60000, '\0');
        for (char& byte : picture)
            byte = static_cast<char>(generator());
        art.emplace_back(std::string("picture_") + name, picture);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Write(itsDir.path() + "/data/art", art, 1);
        Write(itsDir.path() + "/data/tables", {{"grid", tavlintest::PngBytes(240, 160, false)}}, 1);
        c.damage();
        const int started = vkov_dm_test_count();
        Start();
        ASSERT_TRUE(itsApplication->IsStarted());
        EXPECT_EQ(shownSince(started), std::vector<std::string>{"warning: " + c.atOpen});
        FrontPage()->SearchFor(c.word);
        RefDoc* document = ReferenceDocuments().front();
        const int windows = document->GetNumWindows();
        const int asked = vkov_dm_test_count();
        // Asked for as the page asks when its mark is double-clicked.
        if (c.illustration)
            RefDoc::CmdShowIllustration::Send(*document, *FrontPage());
        else
            RefDoc::CmdShowTable::Send(*document);
        EXPECT_EQ(shownSince(asked), std::vector<std::string>{"warning: " + c.asked});
        EXPECT_EQ(document->GetNumWindows(), windows) << "no empty window";
        Stop();
    }
}

} // namespace
