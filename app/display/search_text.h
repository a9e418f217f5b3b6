// search_text.h: SearchText, a search text with two 16-bit numbers that the container
// library's collections can hold and its factory can make by the name "search text".
// Its fields are not stored, compared or hashed: the collectable base's forms stand.
#pragma once
#include <cstdint>

#include "vkocoll/collect.h"
#include "vkocoll/cstring.h"

class SearchText : public RWCollectable {
public:
    SearchText() = default;
    SearchText(const SearchText& other) = default;
    SearchText& operator=(const SearchText& other) = default;
    ~SearchText() override = default;

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    static RWClassID classID();

    std::int16_t number1 = 0;
    std::int16_t number2 = 0;
    RWCString text;
};
