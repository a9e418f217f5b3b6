// search_text.cpp: the record's factory registration and copies.
#include "app/display/search_text.h"

namespace {

RWCollectable* make_search_text() { return new SearchText; }

struct Registration {
    RWClassID id = nextAtom();
    Registration() { rwAddToFactory(make_search_text, id, "search text"); }
    ~Registration() { rwRemoveFromFactory(id); }
};
const Registration g_registration;

} // namespace

RWCollectable* SearchText::newSpecies() const { return new SearchText; }
RWCollectable* SearchText::copy() const { return new SearchText(*this); }
RWClassID SearchText::isA() const { return g_registration.id; }
RWClassID SearchText::classID() { return g_registration.id; }
