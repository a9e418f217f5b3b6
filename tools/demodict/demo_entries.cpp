// demo_entries.cpp: WordNet lemmas to field streams and index terms.
#include "tools/demodict/demo_entries.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "tools/demodict/inflect.h"
#include "tools/demodict/ipa.h"
#include "tools/dictwriter/data_writer.h"

namespace demodict {
namespace {

using dictwriter::EntryField;
using dictwriter::IndexTerm;

// Field codes, by what the formatter makes of them.
constexpr std::uint8_t kMainWord = 0xA3;
constexpr std::uint8_t kSoundFollows = 0xF2;
constexpr std::uint8_t kPronunciation = 0xAD;
constexpr std::uint8_t kFunction = 0x9F;
constexpr std::uint8_t kInflectionLabel = 0xA5;
constexpr std::uint8_t kInflectedForm = 0xA4;
constexpr std::uint8_t kUsageLabel = 0xAA;
constexpr std::uint8_t kSenseNumber = 0x94;
constexpr std::uint8_t kBracketed = 0xDD;
constexpr std::uint8_t kDefinition = 0xEC;
constexpr std::uint8_t kExample = 0x8A;
constexpr std::uint8_t kSynonymsSee = 0xBE;
constexpr std::uint8_t kSynonymSeeAlso = 0xAF;
constexpr std::uint8_t kAntonyms = 0xE6;
constexpr std::uint8_t kRelatedWords = 0xE4;
constexpr std::uint8_t kMoreAt = 0xD7;
constexpr std::uint8_t kArtKey = 0xEE;
constexpr std::uint8_t kArtText = 0x81;

// Display bytes written into field texts.
constexpr char kPlain = '\x01';
constexpr char kBoldEscape = '\x12';     // the next byte alone in bold
constexpr char kPhoneticFont = '\x0B';   // font 3 of the entry display
constexpr char kRegularFont = '\x09';    // font 1, the default

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string blanked(std::string text)
{
    std::replace(text.begin(), text.end(), '_', ' ');
    return text;
}

// WordNet opens many a definition with its subject in parentheses, "(geology) a horizontal
// dislocation". The sense shows its subject labels in brackets already, so a leading
// parenthesis that names one of them is left out of the definition.
std::string without_subject(const std::string& definition, const std::vector<std::string>& subjects)
{
    if (definition.empty() || definition[0] != '(')
        return definition;
    const std::size_t close = definition.find(')');
    if (close == std::string::npos)
        return definition;
    const std::string named = lower(definition.substr(1, close - 1));
    for (const std::string& subject : subjects) {
        if (lower(subject) == named) {
            const std::size_t rest = definition.find_first_not_of(' ', close + 1);
            return rest == std::string::npos ? std::string() : definition.substr(rest);
        }
    }
    return definition;
}

// Stored text: no control bytes, and no '~', which the formatter takes for the entry word.
std::string clean(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(byte < 0x20 ? ' ' : c == '~' ? '-' : c);
    }
    return out;
}

// A word of a bold field whose '.' the formatter would take for a syllable break: each
// '.' becomes a one-character escape that keeps it a bold '.'.
std::string dotted(const std::string& word)
{
    std::string out;
    for (const char c : clean(word)) {
        if (c == '.')
            out.push_back(kBoldEscape);
        out.push_back(c);
    }
    return out;
}

std::string join(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& word : words)
        out += (out.empty() ? "" : ", ") + word;
    return out;
}

void add_unique(std::vector<std::string>* list, const std::string& word)
{
    if (std::find(list->begin(), list->end(), word) == list->end())
        list->push_back(word);
}

std::string cut_at_bracket(const std::string& word)
{
    return word.substr(0, word.find('['));
}

// The 1-based number of the lemma among the synset's words, 0 when it is not there.
int word_number(const Synset& synset, const std::string& lemma_lower)
{
    for (std::size_t i = 0; i < synset.words.size(); ++i) {
        if (lower(synset.words[i]) == lemma_lower)
            return static_cast<int>(i + 1);
    }
    return 0;
}

// The word a pointer leads to: the target word, or the target synset's first word.
std::string target_word(const WordNet& wordnet, const SynsetPointer& pointer)
{
    const Synset* target = wordnet.find(pointer.target_pos, pointer.target_offset);
    if (target == nullptr || target->words.empty())
        return {};
    const std::size_t n =
        pointer.target_word > 0 ? static_cast<std::size_t>(pointer.target_word) : 1;
    return n <= target->words.size() ? blanked(target->words[n - 1]) : std::string();
}

// Pointers of the synset that belong to the lemma: semantic ones (whole synset) and
// lexical ones that start at the lemma's word.
template <typename Take>
void for_pointers(const Synset& synset, int lemma_word, const char* symbol, Take take)
{
    for (const SynsetPointer& pointer : synset.pointers) {
        if (pointer.symbol == symbol &&
            (pointer.source_word == 0 || pointer.source_word == lemma_word))
            take(pointer);
    }
}

std::string pronunciation_text(const std::string& ipa)
{
    return std::string{kPlain, '\\', kPhoneticFont} + encode_ipa(ipa) +
           std::string{kRegularFont, kPlain, '\\'};
}

struct BuiltEntry {
    std::vector<EntryField> fields;
    std::vector<std::string> va;              // words that find it in the word list
    std::vector<std::pair<std::string, std::string>> terms;  // index code, text to split
    std::vector<std::string> synonyms;
    std::vector<std::string> labels;
};

std::size_t stream_size(const std::vector<EntryField>& fields)
{
    return std::accumulate(
        fields.begin(), fields.end(), std::size_t{1},
        [](std::size_t sum, const EntryField& f) { return sum + 6 + f.text.size(); });
}

BuiltEntry build_entry(const WordNet& wordnet, const DemoEntry& entry, const EntryExtras& extras,
                       bool first_of_lemma, MainReport* report)
{
    BuiltEntry built;
    auto& fields = built.fields;
    const std::string lemma_lower = entry.index->lemma;
    fields.push_back({kMainWord, dotted(entry.lemma)});
    if (extras.spoken.count(entry.lemma) != 0)
        fields.push_back({kSoundFollows, ""});
    const auto ipa = extras.ipa.find(entry.lemma);
    if (ipa != extras.ipa.end() && !ipa->second.empty())
        fields.push_back({kPronunciation, pronunciation_text(ipa->second)});
    fields.push_back({kFunction, display_name(entry.pos)});
    // The word list files words lower-cased, as the program looks them up ("Paris" under
    // "paris"); the entry keeps the case of the data file.
    built.va.push_back(lower(entry.lemma));

    static const ExceptionList kNoExceptions;
    const auto exceptions = wordnet.exceptions.find(entry.pos);
    const ExceptionList& irregular =
        exceptions != wordnet.exceptions.end() ? exceptions->second : kNoExceptions;
    const std::vector<InflectedForm> forms = inflected_forms(entry.lemma, entry.pos, irregular);
    std::string last_label;
    for (const InflectedForm& form : forms) {
        if (form.label != last_label)
            fields.push_back({kInflectionLabel, form.label});
        last_label = form.label;
        fields.push_back({kInflectedForm, dotted(form.form)});
        add_unique(&built.va, lower(form.form));
    }

    std::vector<std::string> usage;
    std::vector<std::string> derived;
    std::vector<std::string> see_also;
    std::vector<std::vector<EntryField>> senses;
    for (const std::uint32_t offset : entry.index->offsets) {
        const Synset* synset = wordnet.find(entry.pos, offset);
        if (synset == nullptr)
            continue;
        const int own = word_number(*synset, lemma_lower);
        std::vector<EntryField> sense;
        sense.push_back({kSenseNumber, std::to_string(senses.size() + 1)});
        std::vector<std::string> subjects;
        for (const char* domain : {";c", ";r"}) {
            for_pointers(*synset, own, domain, [&](const SynsetPointer& p) {
                const std::string label = target_word(wordnet, p);
                if (!label.empty()) {
                    add_unique(&subjects, label);
                    add_unique(&built.labels, label);
                }
            });
        }
        // The formatter sets a bracketed label straight against what follows it, so a
        // sense's subjects share one label and its definition opens with the blank between.
        if (!subjects.empty())
            sense.push_back({kBracketed, clean(join(subjects))});
        for_pointers(*synset, own, ";u", [&](const SynsetPointer& p) {
            const std::string label = target_word(wordnet, p);
            if (!label.empty()) {
                add_unique(&usage, label);
                add_unique(&built.labels, label);
            }
        });
        const std::string definition = without_subject(synset->definition, subjects);
        sense.push_back({kDefinition, (subjects.empty() ? "" : " ") + clean(definition)});
        built.terms.push_back({"df", definition});
        for (const std::string& example : synset->examples) {
            sense.push_back({kExample, clean(example)});
            built.terms.push_back({"vi", example});
        }
        std::vector<std::string> synonyms;
        for (std::size_t i = 0; i < synset->words.size(); ++i) {
            if (static_cast<int>(i + 1) != own)
                add_unique(&synonyms, blanked(synset->words[i]));
        }
        if (!synonyms.empty())
            sense.push_back({kSynonymsSee, clean(join(synonyms))});
        for (const std::string& s : synonyms)
            add_unique(&built.synonyms, s);
        std::vector<std::string> similar;
        for_pointers(*synset, own, "&", [&](const SynsetPointer& p) {
            add_unique(&similar, target_word(wordnet, p));
        });
        if (!similar.empty())
            sense.push_back({kSynonymSeeAlso, clean(join(similar))});
        std::vector<std::string> antonyms;
        for_pointers(*synset, own, "!", [&](const SynsetPointer& p) {
            add_unique(&antonyms, target_word(wordnet, p));
        });
        if (!antonyms.empty())
            sense.push_back({kAntonyms, clean(join(antonyms))});
        for_pointers(*synset, own, "+", [&](const SynsetPointer& p) {
            const std::string word = target_word(wordnet, p);
            if (!word.empty() && lower(word) != lower(entry.lemma))
                add_unique(&derived, word);
        });
        for_pointers(*synset, own, "^", [&](const SynsetPointer& p) {
            add_unique(&see_also, target_word(wordnet, p));
        });
        senses.push_back(std::move(sense));
    }
    for (const std::string& label : usage)
        fields.push_back({kUsageLabel, clean(label)});

    std::vector<EntryField> tail;
    if (!derived.empty())
        tail.push_back({kRelatedWords, clean(join(derived))});
    if (!see_also.empty())
        tail.push_back({kMoreAt, clean(join(see_also))});
    const std::string key = lower(entry.lemma);
    if (entry.pos == PartOfSpeech::Noun && first_of_lemma) {
        if (const auto figure = extras.figures.find(key); figure != extras.figures.end()) {
            tail.push_back({kArtKey, figure->second + ".png"});
            tail.push_back({kArtText, entry.lemma});
        } else if (const auto table = extras.tables.find(key); table != extras.tables.end()) {
            tail.push_back({kArtText, "table/" + table->second.first + ";" + table->second.second});
        }
    }

    // Senses in frequency order until the entry would outgrow the entry buffer.
    std::size_t size = stream_size(fields) + stream_size(tail);
    for (std::vector<EntryField>& sense : senses) {
        const std::size_t more = stream_size(sense);
        if (size + more > kMaxEntryBytes) {
            ++report->senses_left_out;
            continue;
        }
        size += more;
        for (EntryField& field : sense)
            fields.push_back(std::move(field));
    }
    for (EntryField& field : tail)
        fields.push_back(std::move(field));
    return built;
}

} // namespace

std::vector<std::string> text_words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    const auto flush = [&] {
        while (!word.empty() && (word.back() == '\'' || word.back() == '-'))
            word.pop_back();
        if (!word.empty() && word.size() < 80)
            words.push_back(word);
        word.clear();
    };
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte))
            word.push_back(static_cast<char>(std::tolower(byte)));
        else if ((c == '\'' || c == '-') && !word.empty())
            word.push_back(c);
        else
            flush();
    }
    flush();
    return words;
}

std::vector<DemoEntry> list_entries(const WordNet& wordnet)
{
    std::vector<DemoEntry> entries;
    std::unordered_map<std::string, int> parts_of_speech;  // by lemma
    for (const IndexLemma& index : wordnet.lemmas)
        ++parts_of_speech[index.lemma];
    std::unordered_map<std::string, int> numbered;
    for (const IndexLemma& index : wordnet.lemmas) {
        std::string shown = blanked(index.lemma);
        if (const Synset* first = wordnet.find(index.pos, index.offsets.front())) {
            const int n = word_number(*first, index.lemma);
            if (n > 0)
                shown = blanked(first->words[static_cast<std::size_t>(n - 1)]);
        }
        std::string head_word = shown;
        if (parts_of_speech[index.lemma] > 1)
            head_word += '[' + std::to_string(++numbered[index.lemma]) + ']';
        entries.push_back({shown, index.pos, &index, head_word});
    }
    return entries;
}

dictwriter::DictionarySource build_main_source(const WordNet& wordnet,
                                               const std::vector<DemoEntry>& entries,
                                               const EntryExtras& extras, MainReport* report)
{
    dictwriter::DictionarySource source;
    source.header =
        "TavlinCD demo dictionary, written from WordNet 3.0. WordNet 3.0 Copyright 2006 by "
        "Princeton University. All rights reserved. noun verb adjective adverb synonyms see ";
    source.key_tables = {"tr", "is", "lb", "sc"};
    source.friends = {"pr", "rh", "pt"};

    std::vector<BuiltEntry> built;
    built.reserve(entries.size());
    std::set<std::string> lemmas_seen;
    for (const DemoEntry& entry : entries) {
        const bool first = lemmas_seen.insert(entry.index->lemma).second;
        built.push_back(build_entry(wordnet, entry, extras, first, report));
    }

    // The head-word form of a word, as the engine makes it before it searches "df",
    // "vi", "sy" or "us": the word lower-cased, and when that is a word of "va" (the
    // lookup is exact), the head word (cut at '[') of its first entry in the order of
    // the "hw" index.
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = dictwriter::loose_compare(entries[a].head_word, entries[b].head_word);
        return c != 0 ? c < 0 : entries[a].head_word < entries[b].head_word;
    });
    std::unordered_map<std::string, std::string> head_word_form;
    for (const std::size_t k : order) {
        for (const std::string& word : built[k].va)
            head_word_form.emplace(word, cut_at_bracket(entries[k].head_word));
    }
    const auto filed_as = [&](const std::string& word) {
        const std::string typed = lower(word);
        const auto found = head_word_form.find(typed);
        return found != head_word_form.end() ? found->second : typed;
    };

    std::set<std::string> pronounced;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        dictwriter::SourceEntry out;
        out.head_word = entries[k].head_word;
        out.fields = dictwriter::encode_field_stream(built[k].fields);
        if (out.fields.size() > report->longest_entry) {
            report->longest_entry = out.fields.size();
            report->longest_head_word = out.head_word;
        }
        std::set<std::pair<std::string, std::string>> terms;
        for (const std::string& word : built[k].va) {
            if (word.size() < 80)
                terms.insert({"va", word});
        }
        for (const auto& [code, text] : built[k].terms) {
            for (const std::string& word : text_words(text))
                terms.insert({code, filed_as(word)});
        }
        for (const std::string& synonym : built[k].synonyms)
            terms.insert({"sy", filed_as(synonym)});
        for (const std::string& label : built[k].labels)
            terms.insert({"us", filed_as(label)});
        for (const auto& [code, word] : terms) {
            if (!word.empty() && word.size() < 80)
                out.terms.push_back({code, word});
        }
        // The friends matrices key pronunciations by the head word's word-list entry:
        // give each lemma's pronunciation once.
        const auto ipa = extras.ipa.find(entries[k].lemma);
        if (ipa != extras.ipa.end() && pronounced.insert(entries[k].lemma).second) {
            const std::string letters = ipa_to_alphabet(ipa->second);
            if (!letters.empty())
                out.pronunciations.push_back(letters);
        }
        source.entries.push_back(std::move(out));
    }
    report->entries = source.entries.size();
    return source;
}

} // namespace demodict
