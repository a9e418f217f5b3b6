// speech.h: pronunciations and spoken words made with espeak-ng (American English), a
// tool run at build time only. Words go to espeak-ng through files in a work directory,
// so no word text reaches a shell command line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace demodict {

// The IPA (UTF-8) of each word, in order: one espeak-ng run per chunk of words, several
// runs at once. A chunk whose output does not have one line per word (espeak-ng split a
// word into two clauses) is run again one word at a time. Characters that end a clause
// ('.', '!', '?', ';', ':') are taken out of the words first. False with *error when
// espeak-ng cannot be run.
bool ipa_for_words(const std::vector<std::string>& words, const std::string& work_dir,
                   std::vector<std::string>* ipa, std::string* error);

// The WAV image espeak-ng speaks for word, converted by to_period_wav. Empty when
// espeak-ng failed or gave no sound.
std::string spoken_word(const std::string& word, const std::string& work_dir, int slot);

// A PCM WAV image (8 or 16 bits, mono or stereo, any rate) as an 11,025 Hz 8-bit mono
// WAV image, silence at both ends cut. Empty for an image that is not such a WAV.
std::string to_period_wav(const std::string& wav);

// Runs job(i) for i = 0 .. count-1 on as many threads as the machine has cores.
void run_parallel(std::size_t count, void (*job)(std::size_t, void*), void* context);

} // namespace demodict
