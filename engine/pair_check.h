// pair_check.h: the checks a dictionary pair passes when the program opens it, before any
// search reads it. They are cheap (the descriptor table, one block per index, the length
// words of the data file, a few of its blocks expanded) and sure (a pair the dictionary
// writer made always passes), and they catch the damage that would otherwise open as a
// dictionary that finds nothing or shows blank or garbled entries: a cut file, a damaged
// descriptor table, random bytes over the start of an index or over the data file, a
// damaged shared header.
#pragma once
#include <string>
#include <vector>

// Checks the open pair. True when it passes; otherwise false with *problem naming the file
// and what is wrong with it ("demo.ndx: the \"va\" index runs past the end of the file").
// Each of search_codes must be an index of the file, and a sample of head words must lead
// to entries of the data file (an index beside another dictionary's data is named as the
// file that does not fit; a data file whose blocks do not run to its end as damaged), and
// the entries they lead to must start with them (else the data file's header is damaged).
// Reads only through non-fatal reads: a damaged pair is reported, never fatal.
bool check_open_pair(std::string* problem, const std::vector<std::string>& search_codes = {});
