// entry_key_table.cpp: the entry-text formatter (field stream to part strings) and the
// art, table and sound references.
#include "app/display/entry_key_table.h"

#include "app/display/entry_painter.h"
#include "frm/views/cimage.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/display/display_text.h"
#include "app/settings/config_dict.h"
#include "engine/engine.h"
#include "ruk/static/vkoruk.h"
#include "win32/sound.h"

namespace {

constexpr std::uint32_t kBlock = 512;
constexpr char kTableMark[] = "table/";
constexpr char kSoundSetName[] = "sound";
constexpr char kSoundFailedMessage[] = "Unable to play the pronunciation.";

// What the user reads of a set that a failed open names: the file, and whether it could not
// be opened at all or is damaged. A failed open says 'cannot open "path" (why)', or names
// the path first ("path: what is wrong").
std::string FileFault(const std::string& problem)
{
    constexpr char kCannotOpen[] = "cannot open \"";
    if (problem.rfind(kCannotOpen, 0) == 0) {
        const std::size_t start = sizeof kCannotOpen - 1;
        return "the file " + problem.substr(start, problem.find('"', start) - start) +
               " cannot be opened.";
    }
    return "the file " + problem.substr(0, problem.find(": ")) + " is damaged.";
}

// A sound record starts with a RIFF image that lies wholly inside it: the player reads as
// far as the image's own size (in its header) says.
bool IsSoundImage(const char* sound, std::uint32_t length)
{
    if (sound == nullptr || length < 8 || std::memcmp(sound, "RIFF", 4) != 0)
        return false;
    const auto* b = reinterpret_cast<const unsigned char*>(sound);
    const std::uint32_t riff =
        b[4] | (b[5] << 8) | (b[6] << 16) | (static_cast<std::uint32_t>(b[7]) << 24);
    return riff <= length - 8;
}

std::string text_of(const WordItem* item) { return std::string(item->data(), item->length()); }

// Opens the sound set of description: "" when it opened and holds sounds, else what is
// wrong with it, naming the file ("the file data/sound.cmp is damaged."). Another set
// copied in its place (pictures, tables) opens as a pair like any other, and every word
// would then seem to have no sound: the first records of its first, middle and last
// blocks must hold one sound at least, unless they are damaged (told when played).
std::string OpenSoundSet(const configDict& description)
{
    if (OpenDictionary(description.sound_dir().data(), kSoundSetName) == 0)
        return FileFault(data_files_problem());
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!index_block_range("hw", kBlock, &first, &last))
        return std::string();
    for (const std::uint32_t block : {first, first + (last - first) / 2, last}) {
        const std::uint32_t position = block * kBlock;
        const std::uint32_t length = entry_length(position, kBlock);
        const char* record = LoadRecord(position, kBlock);
        if (IsSoundImage(record, length) || entry_block_damaged())
            return std::string();
    }
    return "the file " + data_file_path() + " holds no sounds.";
}

void set_text(WordItem* item, const std::string& text)
{
    static_cast<RWCString&>(*item) = RWCString(text.data(), text.size());
}

void append(WordItem* item, const std::string& text) { item->append(text.data(), text.size()); }

bool is_one_of(std::uint8_t code, std::initializer_list<std::uint8_t> codes)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Stored '.' becomes the syllable break, except the character of a one-character escape.
std::string with_syllable_breaks(const std::string& text)
{
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsEscapeByte(static_cast<unsigned char>(out[i]))) {
            ++i;
            continue;
        }
        if (out[i] == '.')
            out[i] = kSyllableBreak;
    }
    return out;
}

// The main-entry word as '~' stands for it: without its leading control bytes (a 0x05 or
// 0x15 takes its following byte along: a superscript mark) and without syllable breaks.
std::string bare_word(const std::string& dotted)
{
    std::size_t i = 0;
    while (i < dotted.size() && static_cast<unsigned char>(dotted[i]) < 0x20) {
        const char c = dotted[i++];
        if (c == '\x05' || c == '\x15')
            ++i;
    }
    std::string out;
    for (; i < dotted.size(); ++i) {
        if (dotted[i] != kSyllableBreak)
            out.push_back(dotted[i]);
    }
    return out;
}

bool is_letter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 && std::isalpha(byte) != 0;
}

std::string with_label_expanded(const std::string& text)
{
    return text == "syn" ? "synonyms" : text;
}

// A sense number: digits, then a letter or a "(...)" group.
std::size_t sense_number_length(const std::string& text)
{
    std::size_t n = 0;
    while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n])))
        ++n;
    if (n == 0)
        return 0;
    if (n < text.size() && is_letter(text[n]))
        return n + 1;
    if (n < text.size() && text[n] == '(') {
        const std::size_t close = text.find(')', n);
        if (close != std::string::npos)
            return close + 1;
    }
    return n;
}

std::string str(const RWCString& text) { return std::string(text.data(), text.length()); }

} // namespace

EntryKeyTable::EntryKeyTable()
{
    for (int k = 0; k <= 10; ++k)
        itsParts[k] = new WordItem("");
}

namespace {
// The table whose data set the dictionary engine has open.
const EntryKeyTable* theCurrentTable = nullptr;
} // namespace

EntryKeyTable::~EntryKeyTable()
{
    if (theCurrentTable == this)
        theCurrentTable = nullptr;
    for (WordItem* part : itsParts)
        delete part;
}

bool EntryKeyTable::OpenMainSet() const
{
    if (itsDescription == nullptr)
        return false;
    // Every search type the description offers must have its index in the pair.
    std::vector<std::string> codes;
    const RWOrdered& names = itsDescription->SearchNames();
    for (std::size_t i = 0; i < names.entries(); ++i)
        if (const auto* code = static_cast<const RWCollectableString*>(names[i]);
            code != nullptr && !code->isNull())
            codes.emplace_back(code->data());
    return OpenDictionary(itsDescription->base_dir().data(), itsDescription->base_name().data(),
                          codes) != 0;
}

std::unique_ptr<FRM_CImage> EntryKeyTable::ShowReference(EntryPainter* painter) const
{
    if (painter == nullptr || itsReferenceOffset == 0)
        return nullptr;
    return painter->LoadIllustration(itsReferenceRecord, *itsParts[kArtPart]);
}

bool EntryKeyTable::Matches(const configDict* description)
{
    itsDescription = description;
    const bool opened = OpenMainSet();
    theCurrentTable = opened ? this : nullptr;
    return opened;
}

void EntryKeyTable::ResetForTests() { theCurrentTable = nullptr; }

bool EntryKeyTable::MakeCurrent()
{
    if (theCurrentTable == this)
        return true;
    return Matches(itsDescription);
}

void EntryKeyTable::Label(WordItem* part)
{
    if (part->length() != 0)
        return;
    part->set_label(Wrap(1, itsPartLabel));
    part->set_labelWidth(itsLabelWidth);
}

std::string EntryKeyTable::Marked(const std::string& text) const
{
    // Each '~' becomes the entry word in italics; the scan goes on behind the word, so a
    // word that holds a '~' itself is not replaced again.
    std::string out;
    for (const char c : text)
        out += c == '~' ? Wrap(3, itsEntryWord) : std::string(1, c);
    if (itsHighlightWords == nullptr)
        return out;
    for (std::size_t w = 0; w < itsHighlightWords->entries(); ++w) {
        const auto* word = dynamic_cast<const RWCollectableString*>((*itsHighlightWords)[w]);
        if (word == nullptr || word->length() == 0)
            continue;
        const std::string target = str(*word);
        for (std::size_t at = out.find(target); at != std::string::npos;
             at = out.find(target, at)) {
            if (at > 0 && is_letter(out[at - 1])) {
                at += target.size();
                continue;
            }
            const std::string run = Wrap(15, target);
            out.replace(at, target.size(), run);
            at += run.size();
        }
    }
    return out;
}

void EntryKeyTable::ClearEntry(const RWOrdered* highlightWords)
{
    itsHighlightWords = highlightWords;
    itsEntryDescription = itsDescription;
    itsLabelWidth = 0;
    if (itsDescription != nullptr) {
        for (int p = 1; p <= kPartCount; ++p)
            itsLabelWidth =
                std::max<std::int32_t>(itsLabelWidth, itsDescription->part_label(p).length());
    }
    // Nothing of the entry before survives: texts, kinds, labels and the reference.
    for (int k = 1; k <= 10; ++k) {
        set_text(itsParts[k], "");
        itsParts[k]->set_kind(kKindPlainText);
        itsParts[k]->set_label("");
        itsParts[k]->set_labelWidth(0);
    }
    itsReferenceKey.clear();
    itsReferenceOffset = 0;
    itsReferenceRecord.clear();
    itsIsArt = false;
    itsIsTable = false;
    itsSoundPart = nullptr;
    itsPreviousCode = 0;
}

void EntryKeyTable::FormatEntryText(const WordItem* word, EntryDisplayTarget* target,
                                    const RWOrdered* highlightWords)
{
    MakeCurrent();
    ClearEntry(highlightWords);
    if (word == nullptr)
        return;
    std::uint32_t position = static_cast<std::uint32_t>(word->entry_offset());
    if (word->entry_offset() == -1)
        position = LookUpWord(word->data(), kBlock);
    if (word->entry_offset() == 0 || position == 0)
        return;  // no entry: nothing to expand, nothing to show

    // A private copy: resolving a reference expands other records into the dictionary
    // engine's one entry buffer while the walk is still going on.
    const char* text = ExpandEntry(position, kBlock);
    const std::string stream(text, entry_length(position, kBlock));
    // An entry whose text does not decode (damaged data) is said to be so, rather than
    // shown blank or cut short as if it were the dictionary's.
    if (stream.empty() || entry_block_damaged())
        vko_dm_post_warning("The entry \"%s\" cannot be read: the dictionary file %s is damaged.",
                            word->data(), data_file_path().c_str());
    FormatFields(stream, target);
}

void EntryKeyTable::FormatFieldStream(const std::string& stream, EntryDisplayTarget* target,
                                      const RWOrdered* highlightWords)
{
    ClearEntry(highlightWords);
    FormatFields(stream, target);
}

void EntryKeyTable::FormatFields(const std::string& stream, EntryDisplayTarget* target)
{
    const auto* start = reinterpret_cast<const std::uint8_t*>(stream.data());
    const std::uint8_t* end = start + stream.size();
    reset_records();
    for (;;) {
        const std::uint8_t* payload = nullptr;
        std::uint32_t length = 0;
        const int code = next_record(start, end, &payload, &length);
        if (code == 0)
            break;
        const std::string field(reinterpret_cast<const char*>(payload), length);
        const int part = PartOfCode(static_cast<std::uint8_t>(code));
        itsPartLabel = itsDescription != nullptr ? str(itsDescription->part_label(part)) : "";
        RenderField(static_cast<std::uint8_t>(code), field,
                    static_cast<std::uint8_t>(peek_record()));
        itsPreviousCode = static_cast<std::uint8_t>(code);
    }
    reset_records();

    if (target == nullptr || itsDescription == nullptr)
        return;
    RWOrdered layoutTexts;
    RWOrdered order;
    for (int slot = 0; slot < kPartSlots; ++slot) {
        layoutTexts.insert(new RWCollectableString(itsDescription->part_layout(slot)));
        order.insert(new RWCollectableInt(itsDescription->part_at(slot)));
    }
    target->SetDisplayOrder(layoutTexts, order, itsHighlightWords);
    layoutTexts.clearAndDestroy();
    order.clearAndDestroy();
    target->ShowEntry(itsParts);
}

void EntryKeyTable::RenderField(std::uint8_t code, const std::string& text, std::uint8_t nextCode)
{
    WordItem* part = itsParts[PartOfCode(code)];
    const bool empty = part->length() == 0;
    const bool sounds = itsDescription != nullptr && itsDescription->sound_exist() != 0;
    const bool sound_run = sounds && nextCode == 0xF2;
    const auto line = [&] {
        if (part->length() == 0)
            append(part, "\n");
    };
    // The word of a row that may carry the sound-word run.
    const auto sound_word = [&](const std::string& word, int otherwise) {
        if (sound_run) {
            itsSoundPart = part;
            return Wrap(14, word);
        }
        return Wrap(otherwise, word);
    };

    switch (code) {
    case 0xF2: case 0x8B: case 0xBF: case 0xD8: case 0xF1: case 0xF3:
        return;
    case 0x85: case 0x9E: case 0xAD:
        if (!empty)
            append(part, ",");
        Label(part);
        append(part, text);
        return;
    case 0xDE:
        append(part, Wrap(1, text));
        return;
    case 0xA3: case 0xF0: {
        const std::string word = with_syllable_breaks(text);
        itsEntryWord = bare_word(word);
        if (!empty)
            append(part, ",");
        Label(part);
        append(part, sound_word(word, 2));
        return;
    }
    case 0xA4: case 0xA9: case 0xD1: {
        const std::string word = with_syllable_breaks(text);
        if (!empty && !is_one_of(itsPreviousCode, {0xA5, 0xA8, 0xD2}))
            append(part, "; ");
        Label(part);
        append(part, sound_word(word + " ", 2));
        return;
    }
    case 0xA5: case 0xA8: case 0xAA: case 0xB8: case 0xD2: case 0xDC:
        if (!empty)
            append(part, "; ");
        Label(part);
        append(part, Wrap(3, text + " "));
        return;
    case 0xA7: case 0xD3:
        append(part, Wrap(8, text));
        return;
    case 0xDD:
        append(part, Wrap(9, text));
        return;
    case 0xDB:
        append(part, "\n" + text);
        return;
    case 0x8F: case 0xC8:
        append(part, std::string{kStylePlain, kEnDash} + "  \n" +
                         sound_word(with_syllable_breaks(text), 2));
        return;
    case 0xA1: case 0xAC: case 0xBC: case 0xC4:
        append(part, '\n' + Wrap(2, with_label_expanded(text) + ' ') + Wrap(1, ""));
        return;
    case 0xAB:
        append(part, '\n' + Wrap(2, with_syllable_breaks(text) + ' ') + Wrap(1, ""));
        return;
    case 0xD5:
        append(part, Wrap(3, "verb"));
        return;
    case 0x83:
        line();
        append(part, Wrap(3, " " + text + " "));
        return;
    case 0x96: case 0x9B: case 0xB2: case 0xB6: case 0xC0: case 0xC6: case 0xCD:
        append(part, sound_word(with_syllable_breaks(text), 2) + Wrap(1, "  "));
        return;
    case 0xF5:
        append(part, sound_word(with_syllable_breaks(text), 1) + Wrap(1, "  "));
        return;
    case 0xEC:
        append(part, Wrap(1, Marked(text)));
        return;
    case 0xE9:
        line();
        append(part, Wrap(1, Marked(text)));
        return;
    case 0x90: case 0xB0:
        append(part, empty ? "\n" : "; ");
        append(part, Wrap(1, text));
        return;
    case 0x8A: case 0x93: case 0x95: case 0x97: case 0x9C: case 0xB3: case 0xB7: case 0xBA:
    case 0xBD: case 0xC1: case 0xC5: case 0xC7: case 0xCB: case 0xCE:
        if (!empty && is_one_of(itsPreviousCode, {0x83, 0x85, 0x93, 0x95, 0x97, 0x9C, 0x9F, 0xA5,
                                                  0xA8, 0xAA, 0xB3, 0xB7, 0xB8, 0xBA, 0xBD, 0xC1,
                                                  0xC5, 0xC7, 0xCB, 0xCE, 0xD2, 0xD5, 0xDC}))
            append(part, ", ");
        line();
        append(part, Wrap(3, " " + text + "  "));
        return;
    case 0x84:
        line();
        append(part, Wrap(4, text));
        return;
    case 0x8E: case 0x9A: case 0xB5: case 0xBB: case 0xC2: case 0xCA: case 0xCF:
        line();
        append(part, Wrap(8, text));
        return;
    case 0x89: case 0x91: case 0xB1:
        line();
        append(part, Wrap(9, text) + " ");
        return;
    case 0xE8:
        line();
        append(part, Wrap(10, Marked(text) + " "));
        return;
    case 0xE1:
        if (itsDescription != nullptr && str(itsDescription->base_name()) == "QOR3" &&
            (text.find("illustration") != std::string::npos ||
             text.find("table") != std::string::npos))
            return;
        [[fallthrough]];
    case 0xD6: case 0xE2:
        if (!empty)
            append(part,
                   is_one_of(itsPreviousCode, {0xD6, 0xE1, 0xE2}) ? "; " : std::string(1, kEmDash));
        append(part, Wrap(1, Marked(text) + " "));
        return;
    case 0xD7:
        append(part, kMoreAtPhrase + Wrap(4, text));
        return;
    case 0xAF:
        append(part, kSynonymSeeInAdditionPhrase + Wrap(4, text));
        return;
    case 0xBE:
        append(part, '\n' + std::string(kSynonymsSeePhrase) + Wrap(4, text));
        return;
    case 0xCC:
        append(part, '\n' + std::string(kUsageSeePhrase) + Wrap(4, text));
        return;
    case 0xE3: case 0xE4: case 0xE7: case 0xE5: case 0xE6: {
        const char* heading = code == 0xE3   ? "Synonyms "
                              : code == 0xE4 ? "Related Word "
                              : code == 0xE7 ? "Idioms "
                              : code == 0xE5 ? "Contrasted Words "
                                             : "Antonyms ";
        append(part, '\n' + Wrap(2, heading) + Marked(text));
        return;
    }
    case 0xEF: {
        std::string out;
        for (const char c : text)
            out += c == '~' ? itsEntryWord : std::string(1, c);
        append(part, out);
        return;
    }
    case 0xEE:
        if (itsDescription != nullptr && itsDescription->art_exist() != 0)
            itsReferenceKey = text.substr(0, text.find('.'));
        return;
    case 0x81:
        append(part, text);
        ResolveReference(part);
        return;
    case 0x94: case 0xB9: {
        const std::size_t n = sense_number_length(text);
        if (n > 0)
            append(part, '\n' + Wrap(2, text.substr(0, n)) + Wrap(1, "  "));
        const std::size_t rest = text.find_first_not_of(' ', n);
        if (rest != std::string::npos)
            append(part, Wrap(1, Marked(text.substr(rest))));
        return;
    }
    case 0xED: case 0xF4: {
        const std::size_t first = text.find_first_not_of(' ');
        line();
        append(part, Marked(first == std::string::npos ? std::string() : text.substr(first)));
        return;
    }
    default:
        line();
        append(part, Marked(text));
        return;
    }
}

bool EntryKeyTable::ResolveReference(WordItem* artPart)
{
    if (itsDescription == nullptr || artPart == nullptr)
        return false;
    const std::string text = text_of(artPart);
    const std::size_t table = text.find(kTableMark);
    RWCString directory;
    RWCString name;
    if (table != std::string::npos) {
        itsIsArt = false;
        itsIsTable = true;
        const std::string rest = text.substr(table + std::strlen(kTableMark));
        itsReferenceKey = rest.substr(0, rest.find(';'));
        set_text(artPart, "");
        directory = itsDescription->table_dir();
        name = itsDescription->table_name();
        artPart->set_kind(kKindTable);
    } else {
        itsIsArt = true;
        itsIsTable = false;
        directory = itsDescription->art_dir();
        name = itsDescription->art_name();
        artPart->set_kind(kKindMainEntry);  // the illustration kind
    }
    itsReferenceOffset = 0;
    itsReferenceRecord.clear();
    itsReferenceProblem.clear();
    itsReferenceData.clear();
    const std::string named =
        std::string(itsIsTable ? "The table \"" : "The illustration \"") + itsReferenceKey + "\" ";
    if (itsReferenceKey.empty()) {
        // No record is named: nothing to read.
    } else if (OpenDictionary(directory.data(), name.data()) == 0) {
        itsReferenceProblem = named + "cannot be read: " + FileFault(data_files_problem());
    } else {
        itsReferenceData = data_file_path();
        const std::uint32_t position = LookUpWord(itsReferenceKey.c_str(), kBlock);
        if (position == 0) {
            itsReferenceProblem = named + "is not in the file " + index_file_path() + ".";
        } else {
            itsReferenceOffset = position;
            const char* record = LoadRecord(position, kBlock);
            itsReferenceRecord.assign(record, entry_length(position, kBlock));
            if (itsReferenceRecord.empty() || entry_block_damaged())
                itsReferenceProblem =
                    named + "cannot be read: the file " + itsReferenceData + " is damaged.";
        }
    }
    OpenMainSet();
    return itsReferenceOffset != 0;
}

std::string EntryKeyTable::ReferenceProblem() const
{
    if (!itsReferenceProblem.empty() || itsReferenceOffset == 0)
        return itsReferenceProblem;
    if (!EntryPainter::IsImageRecord(itsReferenceRecord))
        return std::string(itsIsTable ? "The table \"" : "The illustration \"") + itsReferenceKey +
               "\" cannot be read: the file " + itsReferenceData + " is damaged.";
    return std::string();
}

std::string EntryKeyTable::ReferenceShown() const
{
    if (itsReferenceOffset == 0)
        return std::string();
    return itsEntryWord + '\n' + (itsIsTable ? "table" : "illustration") + '\n' +
           itsReferenceData + '\n' + std::to_string(itsReferenceOffset);
}

std::vector<std::string> EntryKeyTable::MediaSetProblems() const
{
    std::vector<std::string> problems;
    if (itsDescription == nullptr)
        return problems;
    const configDict& d = *itsDescription;
    const struct {
        const char* what;
        bool named;
        const RWCString& directory;
        const char* name;
    } sets[] = {
        {"illustrations", d.art_exist() != 0 && d.art_name().length() != 0, d.art_dir(),
         d.art_name().data()},
        {"tables", d.table_name().length() != 0, d.table_dir(), d.table_name().data()},
    };
    const auto cannot_be_shown = [&](const char* what, const std::string& fault) {
        problems.push_back(std::string("The ") + what + " of " + d.ref_name().data() +
                           " cannot be shown: " + fault);
    };
    for (const auto& set : sets)
        if (set.named && OpenDictionary(set.directory.data(), set.name) == 0)
            cannot_be_shown(set.what, FileFault(data_files_problem()));
    if (d.sound_exist() != 0)
        if (const std::string fault = OpenSoundSet(d); !fault.empty())
            cannot_be_shown("pronunciations", fault);
    OpenMainSet();
    return problems;
}

const char* EntryKeyTable::SoundData(const char* word, std::uint32_t* length)
{
    *length = 0;
    // The words clicked are the entry's: their sounds are those of the dictionary it came
    // from, which stays shown after the window switched to another.
    const configDict* sounds =
        itsEntryDescription != nullptr ? itsEntryDescription : itsDescription;
    itsSoundProblem.clear();
    if (sounds == nullptr || word == nullptr)
        return nullptr;
    const std::string named =
        std::string("The pronunciation of \"") + word + "\" cannot be played: ";
    if (const std::string fault = OpenSoundSet(*sounds); !fault.empty()) {
        itsSoundProblem = named + fault;
        OpenMainSet();
        return nullptr;
    }
    const std::uint32_t position = LookUpWord(word, kBlock);
    if (position == 0)
        return nullptr;
    *length = entry_length(position, kBlock);
    char* sound = ExpandEntry(position, kBlock);
    if (entry_block_damaged() || !IsSoundImage(sound, *length))
        itsSoundProblem = named + "the file " + data_file_path() + " is damaged.";
    return sound;
}

bool EntryKeyTable::PlaySoundRecord(const char* sound, std::uint32_t length)
{
    return IsSoundImage(sound, length) && sndPlaySoundA(sound, SND_MEMORY) != FALSE;
}

int EntryKeyTable::PlaySound(const char* word)
{
    std::uint32_t length = 0;
    const char* sound = SoundData(word, &length);
    // A word without a sound plays nothing and says nothing; a sound set or record that
    // cannot be read is told naming its file, one that cannot be played (no audio player)
    // is told too, or the click seems to do nothing.
    const std::string problem = itsSoundProblem;
    const bool failed = problem.empty() && sound != nullptr && !PlaySoundRecord(sound, length);
    OpenMainSet();
    if (!problem.empty())
        vko_dm_post_warning("%s", problem.c_str());
    else if (failed)
        vko_dm_post_warning("%s", kSoundFailedMessage);
    return failed || !problem.empty() ? -1 : 0;
}
