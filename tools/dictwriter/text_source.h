// text_source.h: the plain text source of a dictionary, read into the writer's source
// model, so that fixtures stay readable. One directive per line:
//
//   # comment               lines beginning with '#' and blank lines are ignored
//   header <text>           the dictionary header; several lines join with a newline
//   keytables <code>...     key tables to build ("tr", "is", "lb", "sc")
//   friends <code>...       friends matrices to build ("pr", "rh", "pt")
//   marker <code> <word>    the word's posting list in that index also holds 127
//   entry <head word>       starts an entry; the head word is also a "va" term
//   nova                    the current entry's head word is not put in "va"
//   field <hex> <text>      a field of the current entry: code byte in hex, then its text
//   term <code> <word>      the current entry is found by word in index code
//   pron <pronunciation>    a pronunciation of the current entry's head word
//
// Texts run to the end of the line; in header and field texts "\n", "\t", "\\" and
// "\xHH" stand for a newline, a tab, a backslash and any byte.
#pragma once
#include <istream>
#include <string>

#include "tools/dictwriter/dictwriter.h"

namespace dictwriter {

// Reads a source from in into *source. On an unknown directive or a bad argument
// returns false with "line N: " and the reason in *error.
bool parse_text_source(std::istream& in, DictionarySource* source, std::string* error);

// parse_text_source on the file at path; fails too when the file cannot be read.
bool read_text_source(const std::string& path, DictionarySource* source, std::string* error);

} // namespace dictwriter
