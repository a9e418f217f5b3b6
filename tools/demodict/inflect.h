// inflect.h: the inflected forms of a lemma, from WordNet's exception lists (irregular
// forms) and, where a part of speech inflects regularly, from the reverse of WordNet's
// own detachment rules (dog -> dogs, walk -> walked, carry -> carries, make -> making).
// Adjectives and adverbs take their forms from the exception lists only: which of them
// compare with -er and -est is not in the database.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "tools/demodict/wordnet.h"

namespace demodict {

struct InflectedForm {
    std::string label;  // "plural", "past", "present participle", ...
    std::string form;   // blanks as in the lemma given
};

using ExceptionList = std::map<std::string, std::vector<std::string>>;  // base -> forms

// The forms of lemma (blanks between its words) as the part of speech pos inflects it.
// A multi-word noun inflects its last word, a multi-word verb its first; exceptions are
// looked up with '_' for blanks, as the lists store them. Proper nouns (a capital first
// letter) and lemmas holding digits get no regular forms.
std::vector<InflectedForm> inflected_forms(const std::string& lemma, PartOfSpeech pos,
                                           const ExceptionList& exceptions);

} // namespace demodict
