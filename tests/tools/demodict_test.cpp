// Tests of the demo dictionary writer: the WordNet readers, inflections, the phonetic
// code page and pronunciation alphabet, the sound conversion, the entries and their index
// terms (written and searched through the engine), and the demo dictionary itself when
// the run command has built it.
#include "tools/demodict/demo_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/datafiles.h"
#include "engine/engine.h"
#include "tools/demodict/description.h"
#include "tools/demodict/inflect.h"
#include "tools/demodict/ipa.h"
#include "tools/demodict/pictures.h"
#include "tools/demodict/speech.h"
#include "tools/demodict/wordnet.h"

#include "../support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace demodict;

using test_support::TempDir;

// A database in WordNet's own format, small enough to read: dog (noun and verb), a
// synonym, a hypernym, a usage label, antonyms, irregular adjectives, a verb with an
// irregular past, a figure and a table.
void write_mini_wordnet(const TempDir& dir)
{
    dir.write("data.noun",
              "  1 This software and database is being provided to you, the LICENSEE\n"
              "00000100 05 n 02 dog 0 domestic_dog 0 003 @ 00000200 n 0000 + 00000300 v 0101 "
              ";u 00000400 n 0000 | a member of the genus Canis; \"the dog barked all night\"; "
              "\"dogs are loyal\"  \n"
              "00000200 05 n 01 canine 0 000 | a mammal with pointed teeth  \n"
              "00000400 10 n 01 colloquialism 0 000 | a colloquial expression  \n"
              "00000500 25 n 01 circle 0 000 | ellipse in which the two axes are of equal length  \n"
              "00000600 10 n 01 Greek_alphabet 0 000 | the alphabet used by the Greeks  \n"
              "00001000 07 n 01 goodness 0 000 | moral excellence  \n"
              "00001100 20 n 01 log 0 000 | a segment of the trunk of a tree  \n"
              "00001200 18 n 01 god 0 000 | a deity  \n");
    dir.write("data.verb",
              "00000300 35 v 01 dog 0 002 + 00000100 n 0101 ! 00000700 v 0101 01 + 02 00 | go "
              "after with the intent to catch; \"the police are dogging her\"  \n"
              "00000700 35 v 01 lead 0 000 01 + 08 00 | take somebody somewhere  \n");
    dir.write("data.adj",
              "00000800 00 a 01 good(a) 0 002 ! 00000900 a 0101 + 00001000 n 0101 | having "
              "desirable qualities; "
              "\"good news\"  \n"
              "00000900 00 a 01 bad(a) 0 001 ! 00000800 a 0101 | having undesirable qualities  \n");
    dir.write("data.adv", "");
    dir.write("index.noun",
              "  1 This software and database is being provided to you, the LICENSEE\n"
              "canine n 1 0 1 0 00000200  \n"
              "circle n 1 0 1 0 00000500  \n"
              "colloquialism n 1 0 1 0 00000400  \n"
              "dog n 1 3 @ + ;u 1 1 00000100  \n"
              "domestic_dog n 1 0 1 0 00000100  \n"
              "god n 1 0 1 0 00001200  \n"
              "goodness n 1 0 1 0 00001000  \n"
              "greek_alphabet n 1 0 1 0 00000600  \n"
              "log n 1 0 1 0 00001100  \n");
    dir.write("index.verb", "dog v 1 2 + ! 1 0 00000300  \nlead v 1 0 1 0 00000700  \n");
    dir.write("index.adj", "bad a 1 1 ! 1 0 00000900  \ngood a 1 1 ! 1 0 00000800  \n");
    dir.write("index.adv", "");
    dir.write("verb.exc", "dogged dog\ndogging dog\nled lead\n");
    dir.write("adj.exc", "best good\nbetter good\nworse bad\nworst bad\n");
    dir.write("cntlist.rev", "dog%1:05:00:: 1 42\ndog%2:38:00:: 1 3\ngood%3:00:01:: 1 50\n");
}

using Fields = std::vector<std::pair<int, std::string>>;

Fields decode_fields(const std::string& stream)
{
    Fields fields;
    const auto* p = reinterpret_cast<const std::uint8_t*>(stream.data());
    const std::uint8_t* end = p + stream.size();
    while (p < end && *p != 0) {
        const int code = *p++;
        std::uint32_t length = 0;
        p = unpack_number_bounded(p, end, &length);
        if (p == nullptr || length > static_cast<std::uint32_t>(end - p)) {
            ADD_FAILURE() << "field stream runs past its end";
            break;
        }
        fields.push_back({code, std::string(reinterpret_cast<const char*>(p), length)});
        p += length;
    }
    return fields;
}

TEST(WordNetReader, ReadsSynsetsIndexesExceptionsAndCounts)
{
    TempDir dir;
    write_mini_wordnet(dir);
    WordNet wordnet;
    std::string error;
    ASSERT_TRUE(read_wordnet(dir.path(), &wordnet, &error)) << error;

    const Synset* dog = wordnet.find(PartOfSpeech::Noun, 100);
    ASSERT_NE(dog, nullptr);
    EXPECT_EQ(dog->words, (std::vector<std::string>{"dog", "domestic_dog"}));
    ASSERT_EQ(dog->pointers.size(), 3u);
    EXPECT_EQ(dog->pointers[1].symbol, "+");
    EXPECT_EQ(dog->pointers[1].target_pos, PartOfSpeech::Verb);
    EXPECT_EQ(dog->pointers[1].source_word, 1);
    EXPECT_EQ(dog->pointers[1].target_word, 1);
    EXPECT_EQ(dog->definition, "a member of the genus Canis");
    EXPECT_EQ(dog->examples, (std::vector<std::string>{"the dog barked all night", "dogs are loyal"}));

    const Synset* chase = wordnet.find(PartOfSpeech::Verb, 300);
    ASSERT_NE(chase, nullptr) << "verb frames after the pointers do not spoil the line";
    EXPECT_EQ(chase->pointers.size(), 2u);
    const Synset* good = wordnet.find(PartOfSpeech::Adjective, 800);
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->words, std::vector<std::string>{"good"}) << "adjective marker removed";

    EXPECT_EQ(wordnet.lemmas.size(), 13u) << "licence lines are not lemmas";
    EXPECT_EQ(wordnet.exceptions[PartOfSpeech::Verb]["lead"], std::vector<std::string>{"led"});
    EXPECT_EQ(wordnet.exceptions[PartOfSpeech::Adjective]["good"],
              (std::vector<std::string>{"best", "better"}));
    EXPECT_EQ(wordnet.frequency["dog"], 45);

    WordNet missing;
    EXPECT_FALSE(read_wordnet(dir.path() + "/nowhere", &missing, &error));
    EXPECT_NE(error.find("data.noun"), std::string::npos) << error;
}

TEST(WordNetReader, SplitsGlossesAndRefusesMalformedLines)
{
    struct Case {
        const char* why;
        const char* gloss;
        const char* definition;
        std::vector<std::string> examples;
    };
    const Case cases[] = {
        {"definition only", "a small dog", "a small dog", {}},
        {"two examples", "run fast; \"he ran\"; \"she runs\"", "run fast", {"he ran", "she runs"}},
        {"an unclosed quote is no example", "odd; \"never closed", "odd", {}},
        {"an attribution after an example stays out", "x; \"y\" - Shakespeare", "x", {"y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::string definition;
        std::vector<std::string> examples;
        split_gloss(c.gloss, &definition, &examples);
        EXPECT_EQ(definition, c.definition);
        EXPECT_EQ(examples, c.examples);
    }
    const char* malformed[] = {
        "",
        "00000100 05 n 02 dog 0",                          // fewer words than counted
        "00000100 05 n 01 dog 0 002 @ 00000200 n 0000 |",  // fewer pointers than counted
        "00000100 05 n 01 dog 0 001 @ 00000200 q 0000 |",  // no such part of speech
        "00000100 05 n zz dog 0 000 | x",                  // word count not hex
    };
    for (const char* line : malformed) {
        SCOPED_TRACE(line);
        std::uint32_t offset = 0;
        Synset synset;
        EXPECT_FALSE(parse_data_line(line, &offset, &synset));
    }
}

TEST(Inflections, RegularRulesAndExceptionLists)
{
    const ExceptionList nouns = {{"mouse", {"mice"}}, {"goose", {"geese"}}};
    const ExceptionList verbs = {{"run", {"ran", "running"}}, {"go", {"gone", "went", "going"}},
                                 {"stop", {"stopped", "stopping"}}, {"see", {"seen"}}};
    const ExceptionList adjectives = {{"good", {"better", "best"}}};
    struct Case {
        const char* why;
        const char* lemma;
        PartOfSpeech pos;
        std::vector<std::string> expected;  // "label:form"
    };
    const Case cases[] = {
        {"plain noun", "dog", PartOfSpeech::Noun, {"plural:dogs"}},
        {"sibilant noun", "box", PartOfSpeech::Noun, {"plural:boxes"}},
        {"consonant y", "city", PartOfSpeech::Noun, {"plural:cities"}},
        {"vowel y", "day", PartOfSpeech::Noun, {"plural:days"}},
        {"-man", "fireman", PartOfSpeech::Noun, {"plural:firemen"}},
        {"irregular noun", "mouse", PartOfSpeech::Noun, {"plural:mice"}},
        {"multi-word noun inflects its last word", "field mouse", PartOfSpeech::Noun,
         {"plural:field mice"}},
        {"proper noun has no plural", "Paris", PartOfSpeech::Noun, {}},
        {"digits have no plural", "3-D", PartOfSpeech::Noun, {}},
        {"regular verb", "walk", PartOfSpeech::Verb,
         {"third person singular:walks", "past:walked", "present participle:walking"}},
        {"verb in e", "make", PartOfSpeech::Verb,
         {"third person singular:makes", "past:maked", "present participle:making"}},
        {"verb in ie", "tie", PartOfSpeech::Verb,
         {"third person singular:ties", "past:tied", "present participle:tying"}},
        {"verb in consonant y", "carry", PartOfSpeech::Verb,
         {"third person singular:carries", "past:carried", "present participle:carrying"}},
        {"irregular past and -ing", "run", PartOfSpeech::Verb,
         {"third person singular:runs", "past:ran", "present participle:running"}},
        {"irregular past and participle", "go", PartOfSpeech::Verb,
         {"third person singular:goes", "past:went", "past participle:gone",
          "present participle:going"}},
        {"doubled consonant from the list", "stop", PartOfSpeech::Verb,
         {"third person singular:stops", "past:stopped", "present participle:stopping"}},
        {"a lone listed form is the past", "see", PartOfSpeech::Verb,
         {"third person singular:sees", "past:seen", "present participle:seeing"}},
        {"phrasal verb inflects its first word", "run up", PartOfSpeech::Verb,
         {"third person singular:runs up", "past:ran up", "present participle:running up"}},
        {"irregular adjective", "good", PartOfSpeech::Adjective,
         {"comparative:better", "superlative:best"}},
        {"regular adjective: not in the database", "tall", PartOfSpeech::Adjective, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const ExceptionList& lists = c.pos == PartOfSpeech::Noun   ? nouns
                                     : c.pos == PartOfSpeech::Verb ? verbs
                                                                   : adjectives;
        std::vector<std::string> got;
        for (const InflectedForm& form : inflected_forms(c.lemma, c.pos, lists))
            got.push_back(form.label + ":" + form.form);
        EXPECT_EQ(got, c.expected);
    }
}

TEST(Pronunciations, PhoneticCodePageAndAlphabet)
{
    struct Case {
        const char* why;
        const char* ipa;
        const char* alphabet;
    };
    const Case cases[] = {
        {"one syllable", "dˈɑːɡ", "d!Ag"},
        {"diphthongs before their first letter", "kˈætˈoʊnˈaɪntˈeɪlz", "k!at!on!Ynt!Elz"},
        {"schwa, r-coloured vowel, flap", "bˈʌɾɚ", "b!1t2"},
        {"affricates and fricatives", "tʃˈɜːtʃ ʃˈɪp θˈɪŋ", "C!2C-S!Ip-T!IN"},
        {"secondary stress dropped", "jˌuːˌɛsˈeɪ", "yues!E"},
        {"words apart", "ɹˈʌn ˈʌp", "r!1n-!1p"},
        {"nothing phonetic", "ˌː", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ipa_to_alphabet(c.ipa), c.alphabet);
        const std::string encoded = encode_ipa(c.ipa);
        std::u32string decoded;
        for (const char byte : encoded)
            decoded.push_back(ipa_character(static_cast<unsigned char>(byte)));
        std::u32string expected;
        for (std::size_t i = 0; c.ipa[i] != '\0';) {
            // Decode the UTF-8 of the case: every character is in the code page.
            const auto lead = static_cast<unsigned char>(c.ipa[i]);
            const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
            char32_t ch = extra == 0 ? lead : lead & (0x3F >> extra);
            for (int k = 1; k <= extra; ++k)
                ch = (ch << 6) | (static_cast<unsigned char>(c.ipa[i + k]) & 0x3F);
            expected.push_back(ch);
            i += static_cast<std::size_t>(extra) + 1;
        }
        EXPECT_EQ(decoded, expected) << "the code page round trip";
    }
    for (const unsigned char reserved : {0x96, 0x97, 0xA3, 0xFF}) {
        SCOPED_TRACE(static_cast<int>(reserved));
        EXPECT_EQ(ipa_character(reserved), U'?') << "display bytes are never IPA letters";
    }
    EXPECT_EQ(encode_ipa("a\xC3(b"), "a?(b") << "malformed UTF-8";
    EXPECT_EQ(encode_ipa("\u0416"), "?") << "a letter outside the code page";
}

std::string wav_image(int channels, int rate, int bits, const std::vector<int>& samples,
                      bool open_length = false)
{
    std::string out = "RIFF____WAVEfmt ";
    const auto put = [&](std::uint32_t value, int width) {
        for (int k = 0; k < width; ++k)
            out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
    };
    put(16, 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(channels), 2);
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate * channels * bits / 8), 4);
    put(static_cast<std::uint32_t>(channels * bits / 8), 2);
    put(static_cast<std::uint32_t>(bits), 2);
    out += "data";
    put(open_length ? 0x7FFFFFFFu : static_cast<std::uint32_t>(samples.size() * bits / 8), 4);
    for (const int s : samples)
        bits == 8 ? put(static_cast<std::uint32_t>(s + 128), 1) : put(static_cast<std::uint32_t>(s), 2);
    return out;
}

TEST(SpokenWords, ConvertsToElevenKilohertzEightBitMono)
{
    struct Case {
        const char* why;
        std::string wav;
        std::vector<int> samples;  // expected, centred on 0; empty: refused
    };
    const Case cases[] = {
        {"22,050 Hz 16-bit: pairs averaged, silence cut",
         wav_image(1, 22050, 16, {0, 0, 0x1000, 0x1000, -0x2000, -0x2000, 0x3000, 0x1000, 0, 0}),
         {16, -32, 32}},
        {"stereo 11,025 Hz 8-bit: channels averaged", wav_image(2, 11025, 8, {10, 30, -40, -20}),
         {20, -30}},
        {"a pipe's open data length", wav_image(1, 11025, 8, {50, 60}, true), {50, 60}},
        {"silence only", wav_image(1, 11025, 8, {0, 1, -1}), {}},
        {"not RIFF", "RIFX1234WAVE", {}},
        {"24-bit samples", wav_image(1, 11025, 24, {}), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string out = to_period_wav(c.wav);
        if (c.samples.empty()) {
            EXPECT_TRUE(out.empty());
            continue;
        }
        ASSERT_GE(out.size(), 44u);
        EXPECT_EQ(out.substr(0, 4), "RIFF");
        EXPECT_EQ(out.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(out.substr(36, 4), "data");
        const auto u32 = [&](std::size_t at) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(out[at])) |
                   static_cast<std::uint32_t>(static_cast<unsigned char>(out[at + 1])) << 8 |
                   static_cast<std::uint32_t>(static_cast<unsigned char>(out[at + 2])) << 16 |
                   static_cast<std::uint32_t>(static_cast<unsigned char>(out[at + 3])) << 24;
        };
        EXPECT_EQ(u32(24), 11025u);
        EXPECT_EQ(out[22], 1) << "mono";
        EXPECT_EQ(out[34], 8) << "8 bits";
        EXPECT_EQ(u32(4), out.size() - 8) << "RIFF length";
        ASSERT_EQ(u32(40), c.samples.size());
        for (std::size_t i = 0; i < c.samples.size(); ++i)
            EXPECT_EQ(static_cast<unsigned char>(out[44 + i]) - 128, c.samples[i]) << i;
    }
}

TEST(SpokenWords, EspeakGivesOneLineAWordAndAPeriodSound)
{
    if (std::system("espeak-ng --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "espeak-ng is not installed";
    TempDir work;
    const std::vector<std::string> words = {"dog", "St. John's wort", "a.m.", "peanut butter", "cat"};
    std::vector<std::string> ipa;
    std::string error;
    ASSERT_TRUE(ipa_for_words(words, work.path(), &ipa, &error)) << error;
    ASSERT_EQ(ipa.size(), words.size());
    EXPECT_EQ(ipa_to_alphabet(ipa[0]), "d!Ag") << ipa[0];
    EXPECT_NE(ipa[1].find(' '), std::string::npos) << "the abbreviation's dot splits no line";
    EXPECT_EQ(ipa_to_alphabet(ipa[4]), "k!at") << ipa[4];
    for (const std::string& one : ipa)
        EXPECT_FALSE(one.empty());

    const std::string sound = spoken_word("dog", work.path(), 0);
    ASSERT_GT(sound.size(), 44u);
    EXPECT_EQ(sound.substr(0, 4), "RIFF");
    EXPECT_EQ(to_period_wav(sound), sound) << "already in the period's format";
    EXPECT_EQ(work.names(), std::vector<std::string>{}) << "no work file left";
}

TEST(Pictures, EveryPictureIsAPngThatFitsOneRecord)
{
    std::vector<Picture> pictures = draw_figures();
    const std::vector<Picture> tables = draw_tables();
    pictures.insert(pictures.end(), tables.begin(), tables.end());
    EXPECT_GE(pictures.size(), 15u);
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.key);
        EXPECT_EQ(picture.png.substr(0, 8), "\x89PNG\r\n\x1A\n");
        EXPECT_LT(picture.png.size(), static_cast<std::size_t>(kEntryBufBytes));
    }
}

// The head words of the entries that text finds in the index code, sorted, each once.
std::vector<std::string> hit_entries(const char* text, const char* code)
{
    std::set<std::string> found;
    RWOrdered* hits = CollectTypedHits(text, code);
    if (hits == nullptr)
        return {};
    for (std::size_t i = 0; i < hits->entries(); ++i) {
        const auto* item = dynamic_cast<const WordItem*>((*hits)[i]);
        if (item != nullptr && item->entry_offset() > 0)
            found.insert(item->data());
    }
    hits->clearAndDestroy();
    delete hits;
    return {found.begin(), found.end()};
}

class MiniDemo : public ::testing::Test {
protected:
    void SetUp() override
    {
        write_mini_wordnet(itsWordNetDir);
        std::string error;
        ASSERT_TRUE(read_wordnet(itsWordNetDir.path(), &itsWordNet, &error)) << error;
        itsEntries = list_entries(itsWordNet);
        itsExtras.ipa = {{"dog", "dˈɑːɡ"},  {"god", "ɡˈɑːd"}, {"log", "lˈɑːɡ"},
                         {"good", "ɡˈʊd"}, {"Greek alphabet", "ɡɹˈiːk ˈælfəbˌɛt"}};
        itsExtras.spoken = {"dog"};
        itsExtras.figures = {{"circle", "circle"}};
        itsExtras.tables = {{"greek alphabet", {"GREEK", "The Greek alphabet"}}};
        itsSource = build_main_source(itsWordNet, itsEntries, itsExtras, &itsReport);
    }
    const dictwriter::SourceEntry* entry(const std::string& head_word) const
    {
        for (const dictwriter::SourceEntry& e : itsSource.entries) {
            if (e.head_word == head_word)
                return &e;
        }
        ADD_FAILURE() << "no entry " << head_word;
        return nullptr;
    }

    TempDir itsWordNetDir;
    WordNet itsWordNet;
    std::vector<DemoEntry> itsEntries;
    EntryExtras itsExtras;
    MainReport itsReport;
    dictwriter::DictionarySource itsSource;
};

TEST_F(MiniDemo, EntriesCarryEveryFieldWordNetFills)
{
    struct Case {
        const char* head_word;
        Fields fields;
    };
    const std::string dog_ipa = std::string("\x01\\\x0B") + "d\xC0\x80\xC2\x9F" + "\x09\x01\\";
    const Case cases[] = {
        {"dog[1]",
         {{0xA3, "dog"}, {0xF2, ""}, {0xAD, dog_ipa}, {0x9F, "noun"}, {0xA5, "plural"},
          {0xA4, "dogs"}, {0xAA, "colloquialism"}, {0x94, "1"}, {0xEC, "a member of the genus Canis"},
          {0x8A, "the dog barked all night"}, {0x8A, "dogs are loyal"}, {0xBE, "domestic dog"}}},
        {"dog[2]",
         {{0xA3, "dog"}, {0xF2, ""}, {0xAD, dog_ipa}, {0x9F, "verb"},
          {0xA5, "third person singular"}, {0xA4, "dogs"}, {0xA5, "past"}, {0xA4, "dogged"},
          {0xA5, "present participle"}, {0xA4, "dogging"}, {0x94, "1"},
          {0xEC, "go after with the intent to catch"}, {0x8A, "the police are dogging her"},
          {0xE6, "lead"}}},
        {"good",
         {{0xA3, "good"}, {0xAD, std::string("\x01\\\x0B") + "\x9F\xC0\x8B" "d" "\x09\x01\\"},
          {0x9F, "adjective"}, {0xA5, "comparative"}, {0xA4, "better"}, {0xA5, "superlative"},
          {0xA4, "best"}, {0x94, "1"}, {0xEC, "having desirable qualities"}, {0x8A, "good news"},
          {0xE6, "bad"}, {0xE4, "goodness"}}},
        {"circle",
         {{0xA3, "circle"}, {0x9F, "noun"}, {0xA5, "plural"}, {0xA4, "circles"}, {0x94, "1"},
          {0xEC, "ellipse in which the two axes are of equal length"}, {0xEE, "circle.png"},
          {0x81, "circle"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head_word);
        const dictwriter::SourceEntry* e = entry(c.head_word);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(decode_fields(e->fields), c.fields);
        EXPECT_EQ(e->fields.back(), '\0') << "the stream ends with code 0";
    }
    const dictwriter::SourceEntry* greek = entry("Greek alphabet");
    ASSERT_NE(greek, nullptr);
    const Fields fields = decode_fields(greek->fields);
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields.back(), (std::pair<int, std::string>{0x81, "table/GREEK;The Greek alphabet"}));
    EXPECT_EQ(fields.front().second, "Greek alphabet") << "the case of the data file";
    EXPECT_EQ(itsReport.senses_left_out, 0u);
}

// A sense shows its subjects in one bracketed label, and its definition opens with the blank
// that parts the two on screen; WordNet's definition often opens with the same subject in
// parentheses, which is left out then. A parenthesis that names no subject of the sense
// stays, and a sense without a subject gets no blank.
TEST(DemoEntries, ASubjectLabelIsShownOnceInBrackets)
{
    TempDir dir;
    dir.write("data.noun",
              "00000100 11 n 01 heave 0 002 ;c 00000300 n 0000 ;c 00000400 n 0000 | (Geology) a "
              "horizontal dislocation  \n"
              "00000200 04 n 01 heave 0 001 ;c 00000300 n 0000 | (informal) an act of lifting  \n"
              "00000300 09 n 01 geology 0 000 | a science of the earth  \n"
              "00000400 09 n 01 earth_science 0 000 | the sciences of the earth  \n");
    dir.write("index.noun",
              "earth_science n 1 0 1 0 00000400  \ngeology n 1 0 1 0 00000300  \n"
              "heave n 2 1 ;c 2 0 00000100 00000200  \n");
    for (const char* name : {"data.verb", "data.adj", "data.adv", "index.verb", "index.adj",
                             "index.adv", "cntlist.rev"})
        dir.write(name, "");
    WordNet wordnet;
    std::string error;
    ASSERT_TRUE(read_wordnet(dir.path(), &wordnet, &error)) << error;
    MainReport report;
    const dictwriter::DictionarySource source =
        build_main_source(wordnet, list_entries(wordnet), EntryExtras{}, &report);
    const dictwriter::SourceEntry* heave = nullptr;
    for (const dictwriter::SourceEntry& e : source.entries)
        heave = e.head_word == "heave" ? &e : heave;
    ASSERT_NE(heave, nullptr);
    Fields senses;
    for (const auto& field : decode_fields(heave->fields))
        if (field.first == 0x94 || field.first == 0xDD || field.first == 0xEC)
            senses.push_back(field);
    EXPECT_EQ(senses, (Fields{{0x94, "1"}, {0xDD, "geology, earth science"},
                              {0xEC, " a horizontal dislocation"}, {0x94, "2"},
                              {0xDD, "geology"}, {0xEC, " (informal) an act of lifting"}}));
    const dictwriter::SourceEntry* geology = nullptr;
    for (const dictwriter::SourceEntry& e : source.entries)
        geology = e.head_word == "geology" ? &e : geology;
    ASSERT_NE(geology, nullptr);
    const Fields fields = decode_fields(geology->fields);
    const Fields::value_type plain{0xEC, "a science of the earth"};
    EXPECT_NE(std::find(fields.begin(), fields.end(), plain), fields.end());
}

TEST_F(MiniDemo, EveryIndexFindsItsEntries)
{
    TempDir out;
    dictwriter::WrittenDictionary written;
    std::string error;
    ASSERT_TRUE(dictwriter::write_dictionary(itsSource, out.path() + "/mini", &written, &error))
        << error;
    ASSERT_NE(OpenDictionary((out.path() + "/").c_str(), "mini"), 0);
    struct Case {
        const char* why;
        const char* text;
        const char* code;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"a lemma in the word list, both parts of speech", "dog", "va", {"dog[1]", "dog[2]"}},
        {"a regular form", "dogs", "va", {"dog[1]", "dog[2]"}},
        {"an irregular form", "better", "va", {"good"}},
        {"a capitalised lemma, looked up lower-cased", "greek alphabet", "va", {"Greek alphabet"}},
        {"a definition word, in the entries of its synset's words", "canis", "df",
         {"dog[1]", "domestic dog"}},
        {"a word of two definitions", "qualities", "df", {"bad", "good"}},
        {"a capitalised definition word, typed as it stands", "Greeks", "df", {"Greek alphabet"}},
        {"a definition word typed in capitals", "CANIS", "df", {"dog[1]", "domestic dog"}},
        {"an example word filed under its head word", "dogging", "vi",
         {"dog[1]", "dog[2]", "domestic dog"}},
        {"an example word with no entry", "night", "vi", {"dog[1]", "domestic dog"}},
        {"a synonym", "domestic dog", "sy", {"dog[1]"}},
        {"a usage label", "colloquialism", "us", {"dog[1]", "domestic dog"}},
        {"an anagram", "god", "tr", {"dog[1]", "dog[2]", "god"}},
        {"a letter pattern: two letters", "ab", "is", {}},
        {"a letter pattern: three letters", "xyz", "is",
         {"bad", "dog[1]", "dog[2]", "god", "led", "log"}},
        {"a letter bank", "ggod", "lb", {"dog[1]", "dog[2]", "god", "good"}},
        {"a sound-alike", "dok", "sc", {"dog[1]", "dog[2]"}},
        {"the same pronunciation", "dog", "pr", {"dog[1]", "dog[2]"}},
        {"a rhyme", "dog", "rh", {"dog[1]", "dog[2]", "log"}},
        {"a pronunciation anagram", "dog", "pt", {"dog[1]", "dog[2]", "god"}},
        {"a word without a pronunciation", "canine", "rh", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(hit_entries(c.text, c.code), c.entries);
    }
    ReleaseEngineBuffers();
}

TEST(DemoDescription, NamesTheDataSetsAndSearchTypes)
{
    const std::string text = demo_description();
    for (const char* line : {"ref_name=Dorvane-Kestle's Orlesse Dictionary\n", "base_dir=data/\n",
                             "base_name=demo\n", "art_name=art\n", "table_name=tables\n",
                             "sound_dir=data/\n", "sound_exist=1\n", "art_exist=1\n",
                             "search_text=Entry word is...,va\n",
                             "search_text=Defining text contains...,df\n",
                             "search_text=Verbal illustration contains...,vi\n"}) {
        SCOPED_TRACE(line);
        EXPECT_NE(text.find(line), std::string::npos);
    }
}

// The demo dictionary that the run command writes, when it is there.
std::string demo_dir()
{
    const char* set = std::getenv("VKO_DEMO_DIR");
    return set != nullptr ? set : VKO_DEMO_DIR;
}

TEST(DemoDictionary, OpensAndAnswersEverySearchType)
{
    const std::string dir = demo_dir();
    if (!fs::exists(dir + "/demo.dct"))
        GTEST_SKIP() << "no demo dictionary in " << dir << " (the run command writes it)";
    const std::string data = dir + "/data/";
    ASSERT_NE(OpenDictionary(data.c_str(), "demo"), 0);
    const std::uint32_t dog = LookUpWord("dog[1]", kBlockSize);
    ASSERT_NE(dog, 0u);
    const Fields fields = decode_fields(std::string(ExpandEntry(dog, kBlockSize),
                                                     entry_length(dog, kBlockSize)));
    ASSERT_GE(fields.size(), 4u);
    EXPECT_EQ(fields[0], (std::pair<int, std::string>{0xA3, "dog"}));
    struct Case {
        const char* text;
        const char* code;
    };
    const Case cases[] = {
        {"dog", "va"},   {"dogs", "va"},  {"paris", "va"},  {"canis", "df"},  {"barked", "vi"},
        {"the", "df"},   {"Canis", "df"},
        {"domestic dog", "sy"}, {"sport", "us"}, {"god", "tr"}, {"cat", "is"},
        {"ggod", "lb"},  {"dok", "sc"},  {"dog", "pr"},    {"dog", "rh"},  {"dog", "pt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + "=" + c.text);
        RWOrdered* hits = CollectTypedHits(c.text, c.code);
        ASSERT_NE(hits, nullptr);
        EXPECT_GT(hits->entries(), 0u);
        hits->clearAndDestroy();
        delete hits;
    }

    struct Record {
        const char* set;
        const char* key;
        const char* starts;
    };
    const Record records[] = {
        {"sound", "dog", "RIFF"},
        {"art", "circle", "\x89PNG"},
        {"tables", "GREEK", "\x89PNG"},
    };
    for (const Record& r : records) {
        SCOPED_TRACE(r.set);
        ASSERT_NE(OpenDictionary(data.c_str(), r.set), 0);
        const std::uint32_t position = LookUpWord(r.key, kBlockSize);
        ASSERT_NE(position, 0u);
        const std::string bytes(LoadRecord(position, kBlockSize), entry_length(position, kBlockSize));
        EXPECT_EQ(bytes.substr(0, std::string(r.starts).size()), r.starts);
    }
    ReleaseEngineBuffers();
}

} // namespace
