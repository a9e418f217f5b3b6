// Tests of the entry-text formatter and its references: tables from field streams to the
// ten part strings, the reset between entries, entries that cannot be found, the art,
// table and sound records of a dictionary's other data sets, and the display records.
#include "app/display/entry_key_table.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/display/display_text.h"
#include "app/display/entry_queries.h"
#include "app/display/search_text.h"
#include "app/settings/config_dict.h"
#include "engine/engine.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"
#include "vkobase/dm.h"
#include "vkobase/testing.h"
#include "win32/testing.h"

#include "../../support/scoped_env.h"
#include "../../support/temp_dir.h"
#include "wav_image.h"

namespace {

using dictwriter::EntryField;
using test_support::TempDir;

// Records what the formatter hands over.
class RecordingTarget : public EntryDisplayTarget {
public:
    void SetDisplayOrder(const RWOrdered& layoutTokenTexts, const RWOrdered& displayParts,
                         const RWOrdered* searchWords) override
    {
        layouts.clear();
        order.clear();
        for (std::size_t i = 0; i < layoutTokenTexts.entries(); ++i)
            layouts.push_back(dynamic_cast<const RWCollectableString*>(layoutTokenTexts[i])->data());
        for (std::size_t i = 0; i < displayParts.entries(); ++i)
            order.push_back(dynamic_cast<const RWCollectableInt*>(displayParts[i])->value());
        search_words = searchWords != nullptr ? searchWords->entries() : 0;
    }
    void ShowEntry(WordItem* const* parts) override
    {
        ++shown;
        texts.clear();
        for (int k = 1; k <= 10; ++k) {
            if (parts[k]->length() != 0)
                texts[k] = std::string(parts[k]->data(), parts[k]->length());
        }
    }
    int shown = 0;
    std::map<int, std::string> texts;
    std::vector<std::string> layouts;
    std::vector<int> order;
    std::size_t search_words = 0;
};

struct Entry {
    std::string head;
    std::vector<EntryField> fields;
};

void write_set(const TempDir& dir, const std::string& name, const std::vector<Entry>& entries,
               std::size_t block_text_bytes = 8192)
{
    dictwriter::DictionarySource source;
    source.block_text_bytes = block_text_bytes;
    for (const Entry& e : entries)
        source.entries.push_back({e.head, dictwriter::encode_field_stream(e.fields), {}, {}});
    std::string error;
    ASSERT_TRUE(dictwriter::write_dictionary(source, dir.path() + "/" + name, nullptr, &error)) << error;
}

// A dictionary with a main set, art, tables and sounds, and its description.
class Formatter : public ::testing::Test {
protected:
    void SetUp() override
    {
        vkov_test_reset_all();
        win32_test_reset();
        itsDescription.InitSlots();
        const std::string dir = itsDir.path() + "/";
        itsDescription.SetRefName("Test");
        itsDescription.SetBaseDir(dir.c_str());
        itsDescription.SetBaseName("main");
        itsDescription.SetArtDir(dir.c_str());
        itsDescription.SetArtName("art");
        itsDescription.SetTableDir(dir.c_str());
        itsDescription.SetTableName("tables");
        itsDescription.SetSoundDir(dir.c_str());
        itsDescription.SetSoundExist(1);
        itsDescription.SetArtExist(1);
        // Listed out of part order: the layout texts still go by part number.
        itsDescription.SetPart(1, 1, "Entry", "N");
        itsDescription.SetPart(2, 9, "Senses", "T");
        itsDescription.SetPart(3, 5, "Forms", "N\\T");
        itsDescription.SetPart(4, 2, "Pronounced", "");
        write_set(itsDir, "art", {{"circle", {{0x81, "PNGDATA-circle"}}}}, 1);
        write_set(itsDir, "tables", {{"GREEK", {{0x81, "PNGDATA-greek"}}}}, 1);
        std::string bad = wav(10, 1000);  // claims more bytes than it has
        itsDir.write("dummy", "");
        dictwriter::DictionarySource sounds;
        sounds.entries.push_back({"dog", wav(20), {}, {}});
        sounds.entries.push_back({"liar", bad, {}, {}});
        std::string error;
        ASSERT_TRUE(dictwriter::write_dictionary(sounds, itsDir.path() + "/sound", nullptr, &error));
    }
    void TearDown() override
    {
        ReleaseEngineBuffers();
        win32_test_reset();
    }

    // Writes the main set and opens it.
    void WriteMain(const std::vector<Entry>& entries)
    {
        write_set(itsDir, "main", entries);
        ASSERT_TRUE(itsTable.Matches(&itsDescription));
    }
    std::map<int, std::string> Format(const std::string& head, const RWOrdered* highlights = nullptr)
    {
        WordItem word(head.c_str());
        word.set_entry_offset(-1);
        itsTable.FormatEntryText(&word, &itsTarget, highlights);
        return itsTarget.texts;
    }

    TempDir itsDir;
    configDict itsDescription;
    EntryKeyTable itsTable;
    RecordingTarget itsTarget;
};

TEST_F(Formatter, FieldStreamsToPartStrings)
{
    struct Case {
        const char* why;
        std::vector<EntryField> fields;
        std::map<int, std::string> parts;
    };
    const std::vector<Case> cases = {
        {"a main word before a sound marker makes the sound run; pronunciation as stored",
         {{0xA3, "dog"}, {0xF2, ""}, {0xAD, "\x01\\dAg\x01\\"}, {0x9F, "noun"}},
         {{1, "\x0E\x02" "dog\x01\x0E"}, {2, "\x01\\dAg\x01\\"}, {4, "\nnoun"}}},
        {"a main word alone is bold; two main words part with a comma",
         {{0xA3, "cat"}, {0xF0, "kitty"}},
         {{1, "\x02" "cat\x01,\x02kitty\x01"}}},
        {"dots become syllable breaks except an escaped one; '~' is the bare word",
         {{0xA3, "\x05" "2ab.cd\x12.e"}, {0xEC, "a ~ b"}},
         {{1, "\x02\x05" "2ab\xA3" "cd\x12.e\x01"}, {9, "\x01" "a \x03" "abcd\x12.e\x01 b"}}},
        {"a '~' inside the entry word is not replaced again",
         {{0xA3, "x~y"}, {0xEC, "~!"}},
         {{1, "\x02x~y\x01"}, {9, "\x01\x03x~y\x01!"}}},
        {"inflections: labels italic, forms bold, '; ' between groups",
         {{0xA5, "plural"}, {0xA4, "dogs"}, {0xA5, "past"}, {0xA4, "ran"}, {0xA4, "run"}},
         {{5, "\x03plural \x01\x02" "dogs \x01; \x03past \x01\x02ran \x01; \x02run \x01"}}},
        {"sense numbers on new lines, a letter or a bracket group belongs to them",
         {{0x94, "1"}, {0xEC, "first"}, {0x94, "2a second"}, {0xB9, "3(b)"}},
         {{9, "\n\x02" "1\x01\x01  \x01" "first\n\x02" "2a\x01\x01  \x01second\n\x02" "3(b)\x01\x01  "}}},
        {"an illustration after a note gets a comma; brackets; a line break field",
         {{0x83, "note"}, {0x8A, "ex"}, {0xDD, "law"}, {0xDB, "next"}},
         {{9, "\n\x03 note \x01, \x03 ex  \x01\x01[law\x01]\nnext"}}},
        {"cross-reference phrases and section headings",
         {{0xD7, "wolf"}, {0xBE, "a, b"}, {0xAF, "c"}, {0xCC, "d"}, {0xE6, "bad"}, {0xE3, "x"}},
         {{7, "\x01\x97 more at \x04wolf\x01"},
          {9, "\n\x02synonyms\x01 see \x04" "a, b\x01 \x02synonym\x01 see in addition \x04" "c\x01"
              "\n\x02usage\x01 see \x04" "d\x01\n\x02" "Antonyms \x01" "bad\n\x02Synonyms \x01x"}}},
        {"label lines: 'syn' is spelled out",
         {{0xA1, "syn"}, {0xAC, "see"}},
         {{9, "\n\x02synonyms \x01\x01\n\x02see \x01\x01"}}},
        {"a code no row names belongs to the text part",
         {{0x82, "odd"}, {0x82, "more"}},
         {{9, "\nodd" "more"}}},
        {"em dash before a second list, '; ' between its items",
         {{0xEC, "a"}, {0xD6, "b"}, {0xE2, "c"}},
         {{9, "\x01" "a\x97\x01" "b ; \x01" "c "}}},
        {"an empty stream", {}, {}},
    };
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < cases.size(); ++i)
        entries.push_back({"e" + std::to_string(i), cases[i].fields});
    WriteMain(entries);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].why);
        const int before = itsTarget.shown;
        EXPECT_EQ(Format("e" + std::to_string(i)), cases[i].parts);
        EXPECT_EQ(itsTarget.shown, before + 1);
    }
}

TEST_F(Formatter, LabelsLayoutTextsAndPartOrderGoToTheEngine)
{
    WriteMain({{"dog", {{0xA3, "dog"}, {0xA5, "plural"}, {0xA4, "dogs"}, {0xEC, "x"}}}});
    Format("dog");
    EXPECT_STREQ(itsTable.part(1)->label().c_str(), "\x01" "Entry");
    EXPECT_EQ(itsTable.part(1)->labelWidth(), 10) << "the longest label, \"Pronounced\"";
    EXPECT_STREQ(itsTable.part(5)->label().c_str(), "\x01" "Forms");
    EXPECT_STREQ(itsTable.part(9)->label().c_str(), "") << "a marked text takes no label";
    ASSERT_EQ(itsTarget.layouts.size(), 12u);
    EXPECT_EQ(itsTarget.layouts[1], "N");
    EXPECT_EQ(itsTarget.layouts[9], "T") << "by part number, not by position";
    EXPECT_EQ(itsTarget.layouts[5], "N\\T");
    EXPECT_EQ(itsTarget.order, (std::vector<int>{0, 1, 9, 5, 2, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(Formatter, HighlightsStartAtWordBoundaries)
{
    WriteMain({{"dog", {{0xEC, "a dog, hotdog, dogs; Dog"}}}});
    RWOrdered words;
    words.insert(new RWCollectableString("dog"));
    EXPECT_EQ(Format("dog", &words)[9],
              "\x01" "a \x0F" "dog\x0F, hotdog, \x0F" "dog\x0Fs; Dog");
    EXPECT_EQ(itsTarget.search_words, 1u);
    words.clearAndDestroy();
}

TEST_F(Formatter, EachEntryStartsAfresh)
{
    WriteMain({{"a", {{0xA3, "alpha"}, {0xEE, "circle.png"}, {0x81, "A circle"}}},
               {"b", {{0xEC, "~ again"}, {0x81, "caption without a key"}}}});
    Format("a");
    EXPECT_TRUE(itsTable.isArt());
    EXPECT_EQ(itsTable.referenceKey(), "circle");
    EXPECT_EQ(itsTable.referenceRecord().substr(0, 3), std::string("\x81\x0E" "P"));
    EXPECT_EQ(itsTable.part(10)->kind(), kKindMainEntry);

    const std::map<int, std::string> parts = Format("b");
    EXPECT_EQ(parts.count(1), 0u);
    EXPECT_EQ(parts.at(9), "\x01\x03" "alpha\x01 again") << "a '~' before any main word: the word before";
    EXPECT_EQ(itsTable.referenceKey(), "") << "the key of the entry before is gone";
    EXPECT_EQ(itsTable.referenceOffset(), 0u);
    EXPECT_EQ(parts.at(10), "caption without a key");
}

TEST_F(Formatter, TableReferencesAndTheMainSetAfterThem)
{
    WriteMain({{"greek", {{0xA3, "Greek"}, {0x81, "see table/GREEK;the letters"}}},
               {"nokey", {{0x81, "table/NONE"}}}});
    const std::map<int, std::string> parts = Format("greek");
    EXPECT_TRUE(itsTable.isTable());
    EXPECT_EQ(itsTable.referenceKey(), "GREEK") << "the text after \"table/\", cut at ';'";
    EXPECT_NE(itsTable.referenceOffset(), 0u);
    EXPECT_EQ(parts.count(10), 0u) << "the table text is not shown";
    EXPECT_EQ(itsTable.part(10)->kind(), kKindTable);
    EXPECT_NE(LookUpWord("greek", 512), 0u) << "the main set is open again";

    Format("nokey");
    EXPECT_EQ(itsTable.referenceKey(), "NONE") << "a key without ';' is used whole";
    EXPECT_EQ(itsTable.referenceOffset(), 0u);
    EXPECT_NE(LookUpWord("nokey", 512), 0u);
}

TEST_F(Formatter, SwitchesFollowTheDescription)
{
    const std::vector<Entry> entries = {{"w", {{0xA3, "word"}, {0xF2, ""}, {0xEE, "circle.x"},
                                               {0x81, "cap"}, {0xE1, "see the illustration"},
                                               {0xE1, "plain note"}}}};
    write_set(itsDir, "QOR3", entries);
    WriteMain(entries);
    itsDescription.SetSoundExist(0);
    itsDescription.SetArtExist(0);
    std::map<int, std::string> parts = Format("w");
    EXPECT_EQ(parts.at(1), "\x02word\x01") << "no sound run without sounds";
    EXPECT_EQ(itsTable.referenceOffset(), 0u) << "no art key without art";
    EXPECT_EQ(parts.at(9), "\x01see the illustration ; \x01plain note ");

    itsDescription.SetBaseName("QOR3");
    ASSERT_TRUE(itsTable.Matches(&itsDescription));
    parts = Format("w");
    EXPECT_EQ(parts.at(9), "\x01plain note ") << "this dictionary hides notes about illustrations";
}

TEST_F(Formatter, EntriesThatCannotBeFoundShowNothing)
{
    WriteMain({{"dog", {{0xA3, "dog"}}}});
    Format("dog");
    ASSERT_EQ(itsTarget.shown, 1);
    WordItem plain("dog");  // offset 0: a plain word
    itsTable.FormatEntryText(&plain, &itsTarget, nullptr);
    WordItem missing("cow");
    missing.set_entry_offset(-1);
    itsTable.FormatEntryText(&missing, &itsTarget, nullptr);
    EXPECT_EQ(itsTarget.shown, 1) << "nothing expanded, nothing handed over";
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(itsTable.part(k)->length(), 0u) << k;
}

TEST_F(Formatter, AFieldLongerThanItsEntryEndsTheWalk)
{
    dictwriter::DictionarySource source;
    // The second field claims 80 bytes; the entry ends after 6 and the next one follows
    // in the same block.
    source.entries.push_back({"bad", std::string("\xA3\x03" "dog" "\xEC\x50" "short\0", 12), {}, {}});
    source.entries.push_back({"next", dictwriter::encode_field_stream({{0xEC, "next entry"}}), {}, {}});
    std::string error;
    ASSERT_TRUE(dictwriter::write_dictionary(source, itsDir.path() + "/main", nullptr, &error));
    ASSERT_TRUE(itsTable.Matches(&itsDescription));
    EXPECT_EQ(Format("bad"), (std::map<int, std::string>{{1, "\x02" "dog\x01"}}))
        << "nothing of the next entry is read";
    EXPECT_EQ(Format("next"), (std::map<int, std::string>{{9, "\x01next entry"}}))
        << "the walk after it starts afresh";
}

// A sound played for real: through the audio player found on PATH, here a stand-in that
// takes the image and answers as a player would. Without a player, or with one that fails,
// the user is told, once per click; the main set is open again either way.
TEST_F(Formatter, ASoundThatCannotBePlayedIsTold)
{
    WriteMain({{"dog", {{0xA3, "dog"}}}});
    struct Case {
        const char* why;
        const char* player;  // the stand-in aplay's script, none: no player at all
        int answer;
        int told;
    };
    const Case cases[] = {
        {"a player that plays", "#!/bin/sh\nexec /bin/cat > \"$0.heard\"\n", 0, 0},
        {"no audio player on the machine", nullptr, -1, 1},
        {"a player that fails (no sound device)", "#!/bin/sh\n/bin/cat > /dev/null\nexit 1\n", -1, 1},
    };
    const test_support::ScopedEnv path("PATH");
    if (access("/bin/cat", X_OK) != 0)
        GTEST_SKIP() << "the stand-in player needs /bin/cat";
    win32_test_set_live_sound(TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TempDir bin;
        if (c.player != nullptr) {
            bin.write("aplay", c.player);
            ASSERT_EQ(chmod((bin.path() + "/aplay").c_str(), 0755), 0);
        }
        path.Set(bin.path());
        const int before = vkov_dm_test_count();
        EXPECT_EQ(itsTable.PlaySound("dog"), c.answer);
        ASSERT_EQ(vkov_dm_test_count(), before + c.told);
        if (c.told != 0)
            EXPECT_STREQ(vkov_dm_test_text(before), "Unable to play the pronunciation.");
        else
            EXPECT_EQ(bin.read("aplay.heard"), wav(20)) << "the player got the whole image";
        EXPECT_NE(LookUpWord("dog", 512), 0u) << "the main set is open again";
    }
}

// A picture, table or sound set that cannot be read is told naming its file, when the entry
// asks for it and, for the sets the description names, when the dictionary opens.
TEST_F(Formatter, DamagedOrMissingPictureTableAndSoundSetsAreToldNamingTheFile)
{
    WriteMain({{"a", {{0xA3, "alpha"}, {0xEE, "circle.png"}, {0x81, "A circle"}}},
               {"greek", {{0xA3, "Greek"}, {0x81, "see table/GREEK;the letters"}}},
               {"dog", {{0xA3, "dog"}}}});
    const std::string dir = itsDir.path() + "/";
    EXPECT_EQ(itsTable.MediaSetProblems(), std::vector<std::string>{});
    Format("a");
    EXPECT_EQ(itsTable.ReferenceProblem(),
              "The illustration \"circle\" cannot be read: the file " + dir + "art.cmp is damaged.")
        << "its record is no picture";

    const std::string art = itsDir.read("art.cmp");
    const struct {
        const char* why;
        std::function<void()> damage;
        const char* told;
    } cases[] = {
        {"art.cmp cut in half", [&] { itsDir.write("art.cmp", art.substr(0, art.size() / 2)); },
         "cannot be read: the file %sart.cmp is damaged."},
        {"an empty art index", [&] { itsDir.write("art.ndx", ""); },
         "cannot be read: the file %sart.ndx is damaged."},
        {"no art data", [&] { std::filesystem::remove(dir + "art.cmp"); },
         "cannot be read: the file %sart.cmp cannot be opened."},
    };
    const std::string index = itsDir.read("art.ndx");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        itsDir.write("art.cmp", art);
        itsDir.write("art.ndx", index);
        c.damage();
        Format("a");
        char told[512];
        std::snprintf(told, sizeof told, c.told, dir.c_str());
        EXPECT_EQ(itsTable.ReferenceProblem(), std::string("The illustration \"circle\" ") + told);
        EXPECT_NE(LookUpWord("a", 512), 0u) << "the main set is open again";
    }

    std::filesystem::remove(dir + "tables.ndx");
    const std::string sound = itsDir.read("sound.cmp");
    itsDir.write("sound.cmp", sound.substr(0, sound.size() - 8));
    Format("greek");
    EXPECT_EQ(itsTable.ReferenceProblem(),
              "The table \"GREEK\" cannot be read: the file " + dir + "tables.ndx cannot be opened.");
    const int before = vkov_dm_test_count();
    EXPECT_EQ(itsTable.PlaySound("dog"), -1);
    ASSERT_EQ(vkov_dm_test_count(), before + 1);
    EXPECT_EQ(vkov_dm_test_text(before),
              "The pronunciation of \"dog\" cannot be played: the file " + dir + "sound.cmp is damaged.");
    EXPECT_EQ(itsTable.MediaSetProblems(),
              (std::vector<std::string>{
                  "The illustrations of Test cannot be shown: the file " + dir + "art.cmp cannot be opened.",
                  "The tables of Test cannot be shown: the file " + dir + "tables.ndx cannot be opened.",
                  "The pronunciations of Test cannot be shown: the file " + dir + "sound.cmp is damaged."}));
    EXPECT_NE(LookUpWord("dog", 512), 0u) << "the main set is open again";
}

// The picture or table set copied over the sound set opens as a pair like any other: it is
// told when the dictionary opens and when a sound is asked for, not taken for a set in which
// no word has a sound.
TEST_F(Formatter, AnotherSetInThePlaceOfTheSoundsIsTold)
{
    WriteMain({{"dog", {{0xA3, "dog"}}}});
    const std::string dir = itsDir.path() + "/";
    const std::string sound_cmp = itsDir.read("sound.cmp");
    const std::string sound_ndx = itsDir.read("sound.ndx");
    for (const char* set : {"art", "tables"}) {
        SCOPED_TRACE(set);
        itsDir.write("sound.cmp", itsDir.read(std::string(set) + ".cmp"));
        itsDir.write("sound.ndx", itsDir.read(std::string(set) + ".ndx"));
        EXPECT_EQ(itsTable.MediaSetProblems(),
                  std::vector<std::string>{"The pronunciations of Test cannot be shown: the file " + dir +
                                           "sound.cmp holds no sounds."});
        const int before = vkov_dm_test_count();
        EXPECT_EQ(itsTable.PlaySound("dog"), -1);
        ASSERT_EQ(vkov_dm_test_count(), before + 1);
        EXPECT_EQ(vkov_dm_test_text(before),
                  "The pronunciation of \"dog\" cannot be played: the file " + dir + "sound.cmp holds no sounds.");
        EXPECT_EQ(win32_test_sound_count(), 0);
        EXPECT_NE(LookUpWord("dog", 512), 0u) << "the main set is open again";
    }
    itsDir.write("sound.cmp", sound_cmp);
    itsDir.write("sound.ndx", sound_ndx);
    EXPECT_EQ(itsTable.MediaSetProblems(), std::vector<std::string>{});
    EXPECT_EQ(itsTable.PlaySound("dog"), 0);
    EXPECT_EQ(win32_test_sound_count(), 1) << "the sounds play again";
}

TEST_F(Formatter, SoundsArePlayedWhenTheyFitTheirRecords)
{
    WriteMain({{"dog", {{0xA3, "dog"}}}});
    std::uint32_t length = 0;
    const char* sound = itsTable.SoundData("dog", &length);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(length, wav(20).size());
    EXPECT_EQ(itsTable.SoundData("cat", &length), nullptr) << "a word without sound";

    EXPECT_EQ(itsTable.PlaySound("dog"), 0);
    EXPECT_EQ(vkov_dm_test_count(), 0);
    EXPECT_EQ(itsTable.PlaySound("liar"), -1) << "a damaged sound is not played";
    ASSERT_EQ(vkov_dm_test_count(), 1) << "and the user is told";
    EXPECT_EQ(vkov_dm_test_text(0), "The pronunciation of \"liar\" cannot be played: the file " +
                                        itsDir.path() + "/sound.cmp is damaged.");
    EXPECT_EQ(itsTable.PlaySound("cat"), 0);
    EXPECT_EQ(vkov_dm_test_count(), 1) << "a word without sound says nothing";
    ASSERT_EQ(win32_test_sound_count(), 1) << "only the whole image is played";
    win32_sound_record record{};
    ASSERT_TRUE(win32_test_sound(0, &record));
    EXPECT_EQ(record.image_bytes, wav(20).size());
    EXPECT_EQ(record.sample_rate, 11025u);
    EXPECT_NE(LookUpWord("dog", 512), 0u) << "the main set is open again";

    itsDescription.SetSoundDir("/nowhere/");
    EXPECT_EQ(itsTable.SoundData("dog", &length), nullptr);
    EXPECT_NE(LookUpWord("dog", 512), 0u) << "no sound set: the main set is reopened";
}

// The window switched to another dictionary keeps the entry shown: a word clicked in it sounds
// as the entry's own dictionary has it, not as the one now open (here without sounds).
TEST_F(Formatter, TheEntryShownSoundsFromItsOwnDictionaryAfterASwitch)
{
    WriteMain({{"dog", {{0xA3, "dog"}}}});
    Format("dog");
    configDict other;
    other.InitSlots();
    const std::string dir = itsDir.path() + "/";
    other.SetRefName("Other");
    other.SetBaseDir(dir.c_str());
    other.SetBaseName("main");
    other.SetSoundDir("/nowhere/");
    ASSERT_TRUE(itsTable.Matches(&other));
    std::uint32_t length = 0;
    ASSERT_NE(itsTable.SoundData("dog", &length), nullptr) << "the shown entry's own sound";
    EXPECT_EQ(length, wav(20).size());
    EXPECT_NE(LookUpWord("dog", 512), 0u) << "the open dictionary's main set is open again";
    Format("dog");
    EXPECT_EQ(itsTable.SoundData("dog", &length), nullptr) << "an entry of the other has none";
}

TEST_F(Formatter, QueriesCollectIntoTheCallersList)
{
    dictwriter::DictionarySource source;
    source.key_tables = {"sc"};
    source.entries.push_back({"robert", dictwriter::encode_field_stream({{0xA3, "robert"}}),
                              {{"va", "robert"}, {"df", "name"}}, {}});
    source.entries.push_back({"rupert", dictwriter::encode_field_stream({{0xA3, "rupert"}}),
                              {{"va", "rupert"}, {"df", "name"}}, {}});
    std::string error;
    ASSERT_TRUE(dictwriter::write_dictionary(source, itsDir.path() + "/main", nullptr, &error));
    ASSERT_TRUE(itsTable.Matches(&itsDescription));
    RWOrdered hits;
    EXPECT_GT(FormatKeyValue(&hits, "name", "df"), 0);
    const std::size_t after_key_value = hits.entries();
    EXPECT_GT(CollectHitsOnce(&hits, "va=robert"), 0);
    EXPECT_GT(CollectHitsInto(&hits, "robert"), 0) << "robert and rupert sound alike";
    EXPECT_GT(CollectHitsScan(&hits, "robert", "sc"), 0);
    EXPECT_GT(hits.entries(), after_key_value);
    const std::size_t before = hits.entries();
    const std::string long_word(250, 'a');
    EXPECT_EQ(FormatKeyValue(&hits, long_word.c_str(), "df"), 0) << "past the query buffer";
    const std::string fits(256 - 4, 'a');  // "df=" + word + terminator = 256
    FormatKeyValue(&hits, fits.c_str(), "df");
    EXPECT_EQ(hits.entries(), before);
    hits.clearAndDestroy();
}

TEST(SearchTextRecord, MadeByNameAndCopiedApart)
{
    std::unique_ptr<RWCollectable> made(getRWFactory()->create("search text"));
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(made->isA(), SearchText::classID());
    EXPECT_TRUE(static_cast<SearchText*>(made.get())->text.isNull());
    SearchText one;
    one.number1 = 3;
    one.number2 = -4;
    one.text = "query";
    std::unique_ptr<SearchText> two(static_cast<SearchText*>(one.copy()));
    two->text = "other";
    EXPECT_STREQ(one.text.data(), "query");
    EXPECT_EQ(two->number1, 3);
    EXPECT_EQ(two->number2, -4);
}

} // namespace
