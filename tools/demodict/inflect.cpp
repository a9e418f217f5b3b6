// inflect.cpp: regular and irregular inflections of WordNet lemmas.
#include "tools/demodict/inflect.h"

#include <algorithm>
#include <cctype>

namespace demodict {
namespace {

bool ends_with(const std::string& word, const std::string& tail)
{
    return word.size() >= tail.size() &&
           word.compare(word.size() - tail.size(), tail.size(), tail) == 0;
}

bool is_vowel(char c) { return std::string("aeiou").find(c) != std::string::npos; }

bool consonant_y(const std::string& word)
{
    return word.size() >= 2 && word.back() == 'y' && !is_vowel(word[word.size() - 2]);
}

// The -s form: the reverse of the rules s, ses, xes, zes, ches, shes, ies.
std::string add_s(const std::string& word)
{
    if (ends_with(word, "s") || ends_with(word, "x") || ends_with(word, "z") ||
        ends_with(word, "ch") || ends_with(word, "sh"))
        return word + "es";
    if (consonant_y(word))
        return word.substr(0, word.size() - 1) + "ies";
    return word + "s";
}

// Verbs in a consonant and 'o' take -es: go -> goes, echo -> echoes.
std::string verb_s(const std::string& word)
{
    if (word.size() >= 2 && word.back() == 'o' && !is_vowel(word[word.size() - 2]))
        return word + "es";
    return add_s(word);
}

// Irregular participles end like "gone", "seen", "flown", "torn"; a past like "ran" does
// not.
bool looks_like_participle(const std::string& form)
{
    return ends_with(form, "en") || ends_with(form, "ne") || ends_with(form, "wn") ||
           ends_with(form, "rn");
}

std::string noun_plural(const std::string& word)
{
    if (ends_with(word, "man") && word.size() > 3)
        return word.substr(0, word.size() - 3) + "men";
    return add_s(word);
}

std::string add_ed(const std::string& word)
{
    if (ends_with(word, "e"))
        return word + "d";
    if (consonant_y(word))
        return word.substr(0, word.size() - 1) + "ied";
    return word + "ed";
}

std::string add_ing(const std::string& word)
{
    if (ends_with(word, "ie"))
        return word.substr(0, word.size() - 2) + "ying";
    if (ends_with(word, "e") && !ends_with(word, "ee") && !ends_with(word, "ye") &&
        !ends_with(word, "oe") && word.size() > 2)
        return word.substr(0, word.size() - 1) + "ing";
    return word + "ing";
}

bool inflects_regularly(const std::string& lemma)
{
    if (lemma.empty() || std::isupper(static_cast<unsigned char>(lemma[0])))
        return false;
    return std::all_of(lemma.begin(), lemma.end(), [](char c) {
        return std::islower(static_cast<unsigned char>(c)) || c == ' ' || c == '-' || c == '\'';
    });
}

std::string underscored(std::string text)
{
    std::replace(text.begin(), text.end(), ' ', '_');
    return text;
}

std::string blanked(std::string text)
{
    std::replace(text.begin(), text.end(), '_', ' ');
    return text;
}

const std::vector<std::string>* irregular(const ExceptionList& exceptions, const std::string& base)
{
    const auto found = exceptions.find(underscored(base));
    return found == exceptions.end() ? nullptr : &found->second;
}

std::vector<InflectedForm> noun_forms(const std::string& lemma, const ExceptionList& exceptions)
{
    std::vector<InflectedForm> forms;
    if (const auto* listed = irregular(exceptions, lemma)) {
        for (const std::string& form : *listed)
            forms.push_back({"plural", blanked(form)});
        return forms;
    }
    if (!inflects_regularly(lemma))
        return forms;
    const std::size_t last = lemma.rfind(' ');
    const std::string head = last == std::string::npos ? std::string() : lemma.substr(0, last + 1);
    const std::string word = lemma.substr(head.size());
    if (const auto* listed = irregular(exceptions, word)) {
        for (const std::string& form : *listed)
            forms.push_back({"plural", head + blanked(form)});
        return forms;
    }
    forms.push_back({"plural", head + noun_plural(word)});
    return forms;
}

std::vector<InflectedForm> verb_forms(const std::string& lemma, const ExceptionList& exceptions)
{
    std::vector<InflectedForm> forms;
    const std::size_t blank = lemma.find(' ');
    const std::string word = lemma.substr(0, blank);
    const std::string tail = blank == std::string::npos ? std::string() : lemma.substr(blank);
    const auto* listed = irregular(exceptions, word);
    const bool regular = inflects_regularly(lemma);
    if (listed == nullptr && !regular)
        return forms;

    std::vector<std::string> past;
    std::vector<std::string> participle;
    std::vector<std::string> ing;
    std::vector<std::string> third;
    if (listed != nullptr) {
        for (const std::string& form : *listed) {
            if (ends_with(form, "ing"))
                ing.push_back(form);
            else if (form == verb_s(word) || form == add_s(word))
                third.push_back(form);
            else if (looks_like_participle(form))
                participle.push_back(form);
            else
                past.push_back(form);
        }
        // A lone irregular form that looks like a participle is all the list gives:
        // call it the past, which it then also is.
        if (past.empty() && !participle.empty() && participle.size() == listed->size())
            past.swap(participle);
    }
    if (third.empty())
        third.push_back(verb_s(word));
    if (past.empty() && participle.empty())
        past.push_back(add_ed(word));
    if (ing.empty())
        ing.push_back(add_ing(word));
    const auto add = [&](const char* label, const std::vector<std::string>& list) {
        for (const std::string& form : list)
            forms.push_back({label, blanked(form) + tail});
    };
    add("third person singular", third);
    add("past", past);
    add("past participle", participle);
    add("present participle", ing);
    return forms;
}

std::vector<InflectedForm> compared_forms(const std::string& lemma, const ExceptionList& exceptions)
{
    std::vector<InflectedForm> forms;
    if (const auto* listed = irregular(exceptions, lemma)) {
        for (const std::string& form : *listed)
            forms.push_back({ends_with(form, "st") ? "superlative" : "comparative", blanked(form)});
        std::stable_sort(forms.begin(), forms.end(),
                         [](const InflectedForm& a, const InflectedForm& b) {
                             return a.label < b.label; // comparative before superlative
                         });
    }
    return forms;
}

} // namespace

std::vector<InflectedForm> inflected_forms(const std::string& lemma, PartOfSpeech pos,
                                           const ExceptionList& exceptions)
{
    switch (pos) {
    case PartOfSpeech::Noun: return noun_forms(lemma, exceptions);
    case PartOfSpeech::Verb: return verb_forms(lemma, exceptions);
    case PartOfSpeech::Adjective:
    case PartOfSpeech::Adverb: return compared_forms(lemma, exceptions);
    }
    return {};
}

} // namespace demodict
