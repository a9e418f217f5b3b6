// pair_check.h: the checks a dictionary pair passes when the program opens it, before any
// search reads it. They are cheap (the descriptor table, one block per index, one length
// word of the data file) and sure (a pair the dictionary writer made always passes), and
// they catch the damage that would otherwise open as a dictionary that finds nothing or
// shows blank entries: a cut file, a damaged descriptor table, random bytes over the
// start of an index.
#pragma once
#include <string>
#include <vector>

// Checks the open pair. True when it passes; otherwise false with *problem naming the file
// and what is wrong with it ("demo.ndx: the \"va\" index runs past the end of the file").
// Each of search_codes must be an index of the file, and a sample of head words must lead
// to entries of the data file (an index beside another dictionary's data is named as the
// file that does not fit). Reads only through non-fatal reads: a damaged pair is
// reported, never fatal.
bool check_open_pair(std::string* problem, const std::vector<std::string>& search_codes = {});
