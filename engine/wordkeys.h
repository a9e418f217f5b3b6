// wordkeys.h: the routines that rewrite a search word before it is searched. Key
// routines compute the key by which a key table is sorted; the normalise routine turns
// a typed word into the head word that files it. Every routine rewrites a 0-terminated
// byte string in place and never writes past the capacity it is given.
#pragma once
#include <cstddef>
#include <cstdint>

// The common shape of a key routine and a normalise routine: the word is rewritten in
// place; capacity is the size of the buffer that holds it (terminator included). Key
// routines never make a word longer; headword_form may, and truncates at capacity - 1.
using WordRoutine = void (*)(char* word, std::size_t capacity);

// The characters that make a search word a pattern rather than a word.
inline constexpr char kPatternChars[] = "^$.*?[]";

// Normalise routine of "df", "vi", "sy" and "us". A word holding any of kPatternChars
// stays as it is. Otherwise it is lower-cased and looked up in "va"; when found, it is
// replaced by the head word of its first hit, cut at the first '['. A word that is not
// found stays lower-cased. Needs an open dictionary.
void headword_form(char* word, std::size_t capacity);

// Key of "tr": the letters, lower-cased, sorted ascending ("Listen!" -> "eilnst").
void anagram_key(char* word, std::size_t capacity);

// Key of "is": each letter replaced by 'a', 'b', ... in the order in which distinct
// letters first appear, case ignored; other characters dropped ("letter" -> "abccbd").
void pattern_key(char* word, std::size_t capacity);

// Key of "lb": each distinct letter once, lower-cased, sorted ("letter" -> "elrt").
void letter_bank_key(char* word, std::size_t capacity);

// Key of "sc": the sound classes of the letters with repeats collapsed; the first
// character of the word, when it is a letter without a class (h), is kept as it is
// ("robert" -> "reberd", "hello" -> "hele", "aha" -> "ee").
void sound_key(char* word, std::size_t capacity);

// Key of "pr": a checked pronunciation with everything but letters and digits removed.
void pron_key(char* word, std::size_t capacity);

// Key of "rh": from the first vowel after the stress mark '!' (or from the first vowel
// when there is none), letters and digits only. Without a vowel the word becomes empty
// after the warning "cannot find vowel: " and the word.
void rhyme_key(char* word, std::size_t capacity);

// Key of "pt": the letters and digits of a checked pronunciation, sorted ascending.
void pron_anagram_key(char* word, std::size_t capacity);

// 1 when every character of the word is in the pronunciation alphabet; otherwise writes
// the warning "not a phonetic word: " and the word, makes the word empty and answers 0.
std::int16_t check_phonetic(char* word);

// Upper-case letters lower-cased, in place.
void lower_word(char* word);

// '*' and '.' removed, in place.
void strip_wildcards(char* word);
