// tokenizer.h: RWCTokenizer, which splits a string into tokens at delimiter bytes.
// Runs of delimiters count as one and leading delimiters are skipped, so "red,green,,blue"
// gives red, green, blue; once the text is used up every call answers the empty token.
#pragma once
#include <cstddef>
#include "vkocoll/cstring.h"

class RWCTokenizer {
public:
    // Keeps a reference to text: the string must outlive the tokenizer.
    explicit RWCTokenizer(const RWCString& text) : text_(text) {}

    // The next token delimited by any byte of delimiters (default: white space).
    RWCSubString operator()(const char* delimiters = " \t\n");

private:
    const RWCString& text_;
    std::size_t place_ = 0;
};
