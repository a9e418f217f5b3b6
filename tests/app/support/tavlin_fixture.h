// tavlin_fixture.h: TavlinCD running headless in a fresh working folder: two small
// dictionaries written by the project's writer ("Alpha" with animals, "Beta" with
// colours, one description in CR LF lines), optional preferences, the application's
// start-up over a test task window, and helpers to reach the first main window.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/display/entry_key_table.h"
#include "app/display/entry_painter.h"
#include "app/display/kq_list_box.h"
#include "app/pages/kq_adv_win.h"
#include "app/pages/kq_basic_win.h"
#include "app/pages/search_notebook.h"
#include "app/pages/search_page_win.h"
#include "app/shell/help_keeper.h"
#include "app/shell/kq_app.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/ref_doc.h"
#include "app/shell/search_win.h"
#include "engine/engine.h"
#include "engine/progress.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cswtchbr.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"
#include "win32/testing.h"

#include "../../support/temp_dir.h"

namespace tavlintest {

constexpr std::uint8_t kMainWord = 0xA3;
constexpr std::uint8_t kDefinition = 0xEC;

struct Word {
    std::string head;
    std::string definition;
    std::vector<std::string> defining; // "df" words
};

// header: the data file's shared header, which the entries may take words from.
inline void WriteDictionary(const test_support::TempDir& dir, const std::string& base,
                            const std::vector<Word>& words, const std::string& header = "")
{
    dictwriter::DictionarySource source;
    source.header = header;
    source.key_tables = {"sc", "tr"};  // "tr": a search type of the description "a.dct"
    for (const Word& w : words) {
        dictwriter::SourceEntry entry;
        entry.head_word = w.head;
        entry.fields = dictwriter::encode_field_stream(
            {{kMainWord, w.head}, {kDefinition, w.definition}});
        entry.terms.push_back({"va", w.head});
        for (const std::string& d : w.defining)
            entry.terms.push_back({"df", d});
        source.entries.push_back(entry);
    }
    std::string error;
    ASSERT_TRUE(dictwriter::write_dictionary(source, dir.path() + "/data/" + base, nullptr, &error))
        << error;
}

inline const std::vector<Word>& Animals()
{
    static const std::vector<Word> words = {
        {"cat", "a small domestic animal not a dog", {"small", "domestic", "animal"}},
        {"catalog", "a list of things", {"list", "things"}},
        {"caterpillar", "the larva of a butterfly", {"larva", "butterfly"}},
        {"dog", "a domestic animal that barks", {"domestic", "animal", "barks"}},
        {"o'clock", "of the clock", {"clock"}},
        {"colour", "a hue", {"hue"}},
        {"collar", "a band around the neck", {"band", "neck"}},
    };
    return words;
}

// The dictionary alpha with one entry, cat, longer than an entry pane shows.
inline void WriteLongCat(const test_support::TempDir& dir)
{
    std::string senses;
    for (int i = 0; i < 60; ++i)
        senses += "a small domestic animal not a dog ";
    WriteDictionary(dir, "alpha", {{"cat", senses, {"small"}}});
}

class TavlinFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        vkov_test_reset_all();
        win32_test_reset();
        FRM_CSwitchBoard::ResetForTests();
        FRM_CFont::GetRegistry()->ResetForTests();
        // The program's own process-wide state, as at a fresh start.
        KQedApp::ResetForTests();
        KQListBox::ResetForTests();
        KQAdvWin::ResetForTests();
        HelpKeeper::ResetForTests();
        SearchWin::ResetForTests();
        EntryKeyTable::ResetForTests();
        progress_reset();
        std::filesystem::create_directories(itsDir.path() + "/data");
        WriteDictionary(itsDir, "alpha", Animals());
        WriteDictionary(itsDir, "beta", {{"red", "a colour", {"colour"}}, {"blue", "a colour", {"colour"}}});
        itsDir.write("a.dct", "ref_name=Alpha\nbase_dir=data/\nbase_name=alpha\n"
                              "search_text=Entry word is...,va\n"
                              "search_text=Defining text contains...,df\n"
                              "search_text=Anagram of...,tr\n"
                              "main_entry=Entry:,N\ntext_entry=Senses:,N\n");
        itsDir.write("b.dct", "ref_name=Beta\r\nbase_dir=data/\r\nbase_name=beta\r\n"
                              "search_text=Entry word is...,va\r\nmain_entry=Entry:,N\r\n");
        itsOldDir = std::filesystem::current_path();
        std::filesystem::current_path(itsDir.path());
    }

    void TearDown() override
    {
        Stop();
        std::filesystem::current_path(itsOldDir);
        ReleaseEngineBuffers();
        FRM_CFont::GetRegistry()->ResetForTests();
        vkov_test_reset_all();
    }

    // The application's start-up, as the task window's creation runs it.
    void Start(bool commandLine = false)
    {
        itsApplication = std::make_unique<KQedApp>(commandLine);
        itsTaskWindow = vkov_test_create_task_window(hookWinEventHandler);
        EVENT create{};
        create.type = E_CREATE;
        vkov_test_post_event(itsTaskWindow, &create);
        vkok_app_process_pending_events();
    }

    void Stop()
    {
        if (itsApplication && FRM_CApplication::IsInstantiated() && vkov_vobj_is_valid(itsTaskWindow))
            vkok_vobj_destroy(itsTaskWindow);
        itsApplication.reset();
    }

    std::vector<RefDoc*> ReferenceDocuments() const
    {
        std::vector<RefDoc*> found;
        const RWOrdered* documents = itsApplication->GetDocuments();
        for (std::size_t i = 0; documents != nullptr && i < documents->entries(); ++i)
            if (auto* reference = dynamic_cast<RefDoc*>((*documents)[i]))
                found.push_back(reference);
        return found;
    }

    MainRefWin* MainWindow() const
    {
        const std::vector<RefDoc*> documents = ReferenceDocuments();
        return documents.empty() ? nullptr : documents.front()->GetMainWindow();
    }
    // The search page in front of the main window's notebook.
    SearchPageWin* FrontPage() const { return MainWindow()->GetFrontPage(); }

    // The lines of a page's hit list, as the user reads them.
    static std::vector<std::string> HitLines(const SearchPageWin* page)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < page->GetHitList()->GetCount(); ++i)
            lines.push_back(page->GetHitList()->GetItem(i));
        return lines;
    }
    std::vector<std::string> Lines() const { return HitLines(FrontPage()); }
    // A key pressed in the front page's hit list, delivered to its text edit as the system would.
    void PressListKey(std::uint16_t code, bool isVirtual)
    {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = code;
        event.v.chr.virt = isVirtual ? 1 : 0;
        vkov_test_post_event(reinterpret_cast<WINDOW>(FrontPage()->GetHitList()->GetVKOTextEdit()), &event);
        vkok_app_process_pending_events();
    }
    // The texts drawn into window since its drawing log was last cleared, each in the
    // quotes the log writes ("\"cat\"").
    static std::vector<std::string> DrawnTexts(WINDOW window)
    {
        std::vector<std::string> drawn;
        for (int i = 0; i < vkov_debug_draw_log_size(window); ++i) {
            vkov_draw_log_entry entry{};
            vkov_debug_draw_log_get(window, i, &entry);
            const std::string args = entry.args;
            if (std::string(entry.op) == "draw_text" && args.find('"') != std::string::npos)
                drawn.push_back(args.substr(args.find('"')));
        }
        return drawn;
    }
    const EntryPainter& Painter() const { return MainWindow()->GetPainter(); }
    // The text of the entry pane's runs, as drawn.
    std::string Drawn() const
    {
        std::string text;
        for (const EntryPainter::Run& run : Painter().runs())
            text += run.text;
        return text;
    }

    test_support::TempDir itsDir;
    std::filesystem::path itsOldDir;
    std::unique_ptr<KQedApp> itsApplication;
    WINDOW itsTaskWindow = nullptr;
};

} // namespace tavlintest
