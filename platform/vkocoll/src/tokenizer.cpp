// tokenizer.cpp: RWCTokenizer; place_ is the first byte not yet handed out.
#include "vkocoll/tokenizer.h"

#include <cstring>

RWCSubString RWCTokenizer::operator()(const char* delimiters)
{
    if (delimiters == nullptr)
        delimiters = "";
    const char* p = text_.data();
    const std::size_t len = text_.length();
    auto is_delimiter = [&](char c) {
        return c != '\0' && std::strchr(delimiters, c) != nullptr;
    };
    while (place_ < len && is_delimiter(p[place_]))
        ++place_;
    const std::size_t begin = place_;
    while (place_ < len && !is_delimiter(p[place_]))
        ++place_;
    return text_(begin, place_ - begin);
}
