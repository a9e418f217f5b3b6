// collstr.cpp: RWCollectableString.
#include "vkocoll/collstr.h"

RWCollectable* RWCollectableString::newSpecies() const { return new RWCollectableString; }
RWCollectable* RWCollectableString::copy() const { return new RWCollectableString(*this); }
RWClassID RWCollectableString::isA() const { return kRWCollectableStringId; }
RWCollectableString::~RWCollectableString() = default;

int RWCollectableString::compareTo(const RWCollectable* other) const
{
    const auto* text = dynamic_cast<const RWCString*>(other);
    if (text == nullptr)
        return RWCollectable::compareTo(other);
    return RWCString::compareTo(*text);
}

bool RWCollectableString::isEqual(const RWCollectable* other) const
{
    const auto* text = dynamic_cast<const RWCollectableString*>(other);
    return text != nullptr && static_cast<const RWCString&>(*this) == *text;
}

void RWCollectableString::restoreGuts(RWvistream& in) { restoreFrom(in); }
void RWCollectableString::restoreGuts(RWFile& file) { restoreFrom(file); }
void RWCollectableString::saveGuts(RWvostream& out) const { saveOn(out); }
void RWCollectableString::saveGuts(RWFile& file) const { saveOn(file); }

RWvostream& operator<<(RWvostream& out, const RWCollectableString& s)
{
    return out << static_cast<const RWCollectable&>(s);
}

RWFile& operator<<(RWFile& file, const RWCollectableString& s)
{
    return file << static_cast<const RWCollectable&>(s);
}

RWvistream& operator>>(RWvistream& in, RWCollectableString& s)
{
    return in >> static_cast<RWCollectable&>(s);
}

RWFile& operator>>(RWFile& file, RWCollectableString& s)
{
    return file >> static_cast<RWCollectable&>(s);
}
