// make_seeds.cpp: writes the seed corpus of every fuzz target, one folder per target under
// the folder given, with the program's own writers, the dictionary writer, the demo
// dictionary's tools and the program's resources:
//   engine      small dictionary pairs (several "hw" and "va" blocks, a posting list long
//               enough for continuation blocks, key tables and a friends matrix)
//   dct         the demo dictionary's description, also with CR LF line ends and with
//               unknown keys
//   prefs       the default preferences and changed ones, as the program writes them
//   bookmark    a tree of folders and bookmarks, as the program saves it; folders nested
//               too deep; folders listed before their contents
//   help, help_assoc, restext   the program's help file, association file, resource text
//   image       the demo's figures and tables (PNG), the program's pictures (XPM), and BMP
//               and XBM images of them
//   table       the demo's tables and small BMP images
//   sound       WAV images as the demo's sound set stores them
//   sound_set   a sound set of WAV images, and a set of pictures in its place
//   entry       entries' field streams with the fields the demo dictionary's entries use
// Usage: fuzz_seeds <corpus directory>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/settings/prefs.h"
#include "app/settings/settings_files.h"
#include "app/shell/bookmark_store.h"
#include "fuzz/fuzz_input.h"
#include "tools/demodict/description.h"
#include "tools/demodict/pictures.h"
#include "tools/demodict/speech.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"
#include "vkobase/image.h"
#include "vkobase/iostr.h"

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Corpus {
public:
    explicit Corpus(fs::path root) : itsRoot(std::move(root)) {}
    void add(const std::string& target, const std::string& name, const std::string& bytes)
    {
        fs::create_directories(itsRoot / target);
        std::ofstream(itsRoot / target / name, std::ios::binary) << bytes;
    }
    fs::path scratch() const
    {
        const fs::path dir = itsRoot / ".scratch";
        fs::create_directories(dir);
        return dir;
    }

private:
    fs::path itsRoot;
};

dictwriter::DictionarySource engine_source(unsigned entries, unsigned seed)
{
    static const char* const kWords[] = {"apple", "apple pie", "Apple-pie", "applepie",
                                         "listen", "silent", "quick", "quack", "zebra",
                                         "station", "nation", "letter", "robert", "mice"};
    dictwriter::DictionarySource source;
    // Head words in the header too: the entries take them from it, as the open check sees.
    source.header = "the dictionary header: noun verb adjective synonyms see in addition; "
                    "apple listen quick zebra station";
    source.block_text_bytes = 700;
    source.key_tables = {"tr", "is", "lb", "sc"};
    source.friends = {"pr", "rh"};
    for (unsigned i = 0; i < entries; ++i) {
        dictwriter::SourceEntry entry;
        const std::string base = kWords[(i * 7 + seed) % std::size(kWords)];
        entry.head_word = base + (i < std::size(kWords) ? "" : std::to_string(i));
        entry.fields = dictwriter::encode_field_stream(
            {{0xD8, entry.head_word}, {0x9F, "noun"}, {0x82, "text of " + entry.head_word}});
        entry.terms.push_back({"va", entry.head_word});
        entry.terms.push_back({"va", "common"});  // long posting list
        entry.terms.push_back({"df", base});
        entry.pronunciations.push_back("ap-" + std::to_string(i % 5));
        source.entries.push_back(entry);
    }
    source.markers.push_back({"va", "common"});
    return source;
}

bool write_engine_seeds(Corpus& corpus)
{
    const unsigned sizes[] = {3, 40, 400};
    for (unsigned k = 0; k < std::size(sizes); ++k) {
        const std::string base = (corpus.scratch() / ("pair" + std::to_string(k))).string();
        std::string error;
        if (!dictwriter::write_dictionary(engine_source(sizes[k], k), base, nullptr, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return false;
        }
        corpus.add("engine", "pair" + std::to_string(k),
                   join_fuzz_input(read_file(base + ".ndx"), read_file(base + ".cmp")));
    }
    return true;
}

void write_settings_seeds(Corpus& corpus)
{
    const std::string description = demodict::demo_description();
    corpus.add("dct", "demo.dct", description);
    std::string crlf;
    for (const char c : description)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    corpus.add("dct", "demo_crlf.dct", crlf);
    corpus.add("dct", "unknown_keys.dct", description + "table_Name=tables\nsound-exist=1\nbase_dir =x/\n");

    const std::string dir = corpus.scratch().string();
    Prefs prefs = DefaultPrefs();
    SettingsFiles().WritePrefs(prefs, dir);
    corpus.add("prefs", "defaults", read_file(fs::path(dir) / kPrefsFileName));
    prefs.font_size = 18;
    prefs.back_color = 0xFF102030;
    prefs.use_in_results = 1;
    prefs.reference = "Another Dictionary";
    prefs.search_type = 3;
    prefs.search_mode = 2;
    SettingsFiles().WritePrefs(prefs, dir);
    corpus.add("prefs", "changed", read_file(fs::path(dir) / kPrefsFileName));

    fs::remove(fs::path(dir) / kBookmarkFileName);
    BookmarkStore store;
    store.Load(dir);
    BMItem* animals = store.AddFolder(nullptr, "Animals");
    BMItem* birds = store.AddFolder(animals, "Birds");
    store.AddBookmark(nullptr, "dictionary", demodict::kDemoReferenceName);
    store.AddBookmark(animals, "cat", demodict::kDemoReferenceName);
    store.AddBookmark(birds, "heron", demodict::kDemoReferenceName);
    store.AddFolder(nullptr, "Empty");
    store.Save();
    corpus.add("bookmark", "tree", read_file(fs::path(dir) / kBookmarkFileName));
    // Folders nested past the depth the store keeps, one name a level, and a file that lists
    // its folders before their contents.
    std::string deep = "<>:n0:<>\n";
    for (int i = 1; i < BookmarkStore::kDeepestFolder + 4; ++i)
        deep += "<>:n" + std::to_string(i - 1) + "/n" + std::to_string(i) + ":<>\n";
    deep += "Demo:n66:deep\nDemo:n0:shallow\n";
    corpus.add("bookmark", "deep", deep);
    corpus.add("bookmark", "folders_first", "<>:A:<>\n<>:B:<>\n<>:A/C:<>\nD:A:x\nD:B:y\nD:A/C:z\nD:Gone:w\n");
}

void write_text_seeds(Corpus& corpus, const fs::path& source_dir)
{
    corpus.add("help", "TavlinCD.hlp", read_file(source_dir / "resources/help/TavlinCD.hlp"));
    corpus.add("help_assoc", "TavlinCD.csa", read_file(source_dir / "resources/help/TavlinCD.csa"));
    corpus.add("restext", "tavlincd.res", read_file(source_dir / "resources/tavlincd.res"));
}

std::int32_t append_to(void* context, const void* buf, std::int32_t n_bytes)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(buf), static_cast<std::size_t>(n_bytes));
    return n_bytes;
}

// The picture in a file, written again as a BMP; empty when it cannot be read.
std::string as_bmp(const fs::path& file)
{
    FILE_SPEC spec{};
    const std::string dir = file.parent_path().string();
    const std::string name = file.filename().string();
    dir.copy(spec.dir.path, sizeof spec.dir.path - 1);
    name.copy(spec.name, sizeof spec.name - 1);
    IMAGE image = vkov_image_read(&spec);
    if (image == nullptr)
        return {};
    std::string bmp;
    VKO_IOSTREAM stream = vkov_iostr_create_write(&bmp, append_to);
    vkov_image_write_winbmp(image, stream);
    vkov_iostr_destroy(stream);
    vkov_image_destroy(image);
    return bmp;
}

void write_image_seeds(Corpus& corpus, const fs::path& source_dir)
{
    std::size_t n = 0;
    for (const demodict::Picture& figure : demodict::draw_figures()) {
        if (n++ < 3)
            corpus.add("image", "figure_" + figure.key + ".png", figure.png);
    }
    for (const demodict::Picture& table : demodict::draw_tables()) {
        corpus.add("image", "table_" + table.key + ".png", table.png);
        corpus.add("table", table.key + ".png", table.png);
    }
    for (const char* name : {"bkmk_sm.xpm", "art_sm.xpm", "table_lg.xpm"}) {
        const fs::path xpm = source_dir / "resources/images" / name;
        corpus.add("image", name, read_file(xpm));
        corpus.add("image", std::string(name) + ".bmp", as_bmp(xpm));
        // The tables' own pictures would make BMP files of a megabyte: a small one instead.
        corpus.add("table", std::string(name) + ".bmp", as_bmp(xpm));
    }
    corpus.add("image", "arrow.xbm",
               "#define arrow_width 8\n#define arrow_height 4\n"
               "static unsigned char arrow_bits[] = {\n   0x18, 0x3c, 0x7e, 0xff};\n");
}

// A PCM WAV image: channels, bits per sample, rate, and samples of a rising tone.
std::string wav(std::uint16_t channels, std::uint16_t bits, std::uint32_t rate, std::uint32_t frames)
{
    std::string out;
    const auto put = [&](std::uint32_t v, int n) {
        for (int k = 0; k < n; ++k)
            out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
    };
    const std::uint32_t data_bytes = frames * channels * (bits / 8);
    out += "RIFF";
    put(36 + data_bytes, 4);
    out += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * (bits / 8), 4);
    put(channels * (bits / 8), 2);
    put(bits, 2);
    out += "data";
    put(data_bytes, 4);
    for (std::uint32_t i = 0; i < frames * channels; ++i)
        put(bits == 8 ? 0x80 + (i * 7) % 60 : (i * 997) % 8000, bits / 8);
    return out;
}

// A data set of records by key, as a file pair in one fuzz input; empty when it cannot be
// written.
std::string record_set(Corpus& corpus, const std::string& name,
                       const std::vector<std::pair<std::string, std::string>>& records)
{
    dictwriter::DictionarySource source;
    source.block_text_bytes = 1;  // a block for each record, as the demo's sets are written
    for (const auto& [key, record] : records)
        source.entries.push_back({key, record, {{"va", key}}, {}});
    const std::string base = (corpus.scratch() / name).string();
    std::string error;
    if (!dictwriter::write_dictionary(source, base, nullptr, &error))
        return {};
    return join_fuzz_input(read_file(base + ".ndx"), read_file(base + ".cmp"));
}

void write_sound_seeds(Corpus& corpus)
{
    corpus.add("sound", "mono8", wav(1, 8, 11025, 64));
    // The demo's converter, as the sound set stores what espeak-ng speaks.
    corpus.add("sound", "converted", demodict::to_period_wav(wav(2, 16, 22050, 400)));
    // Whole sets: one of sounds, and one of pictures copied in its place.
    corpus.add("sound_set", "sounds",
               record_set(corpus, "sounds",
                          {{"apple", wav(1, 8, 11025, 64)},
                           {"listen", demodict::to_period_wav(wav(2, 16, 22050, 400))},
                           {"zebra", wav(1, 16, 22050, 100)}}));
    std::vector<std::pair<std::string, std::string>> pictures;
    for (const demodict::Picture& figure : demodict::draw_figures()) {
        if (pictures.size() < 3)
            pictures.emplace_back(figure.key, figure.png);
    }
    corpus.add("sound_set", "pictures", record_set(corpus, "pictures", pictures));
}

void write_entry_seeds(Corpus& corpus)
{
    using dictwriter::encode_field_stream;
    corpus.add("entry", "noun",
               encode_field_stream({{0xA3, "dic.tion.ary"}, {0xF2, "dictionary"},
                                    {0xAD, "\x08\x03" "dIkS@nEri"}, {0x9F, "noun"},
                                    {0xA5, "plural"}, {0xA4, "dic.tion.ar.ies"},
                                    {0x94, "1"}, {0xEC, "a reference book of the ~ words"},
                                    {0x8A, "he looked the word up in the dictionary"},
                                    {0xBE, "lexicon, wordbook"}, {0x94, "2a"},
                                    {0xEC, "a list of the words of a language"},
                                    {0xE6, "none"}, {0xD7, "glossary"}}));
    corpus.add("entry", "figure",
               encode_field_stream({{0xA3, "hex.a.gon"}, {0x9F, "noun"}, {0xAA, "geometry"},
                                    {0x94, "1"}, {0xEC, "a polygon with six sides"},
                                    {0xE4, "hexagonal"}, {0xEE, "hexagon.png"},
                                    {0x81, "a regular hexagon"}}));
    corpus.add("entry", "table",
               encode_field_stream({{0xA3, "al.pha"}, {0x9F, "noun"}, {0xDD, "Greek"},
                                    {0x94, "1"}, {0xEC, "the first letter of the Greek alphabet"},
                                    {0x81, "table/GREEK;The Greek alphabet"}}));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    Corpus corpus(argv[1]);
    const fs::path source_dir = VKO_SOURCE_DIR;
    if (!write_engine_seeds(corpus))
        return 1;
    write_settings_seeds(corpus);
    write_text_seeds(corpus, source_dir);
    write_image_seeds(corpus, source_dir);
    write_sound_seeds(corpus);
    write_entry_seeds(corpus);
    std::error_code ignored;
    fs::remove_all(fs::path(argv[1]) / ".scratch", ignored);
    return 0;
}
