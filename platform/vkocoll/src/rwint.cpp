// rwint.cpp: RWInteger and RWCollectableInt.
#include "vkocoll/rwint.h"

#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

void RWInteger::saveOn(RWvostream& out) const { out.put(value_); }
void RWInteger::saveOn(RWFile& file) const { file.Write(value_); }
void RWInteger::restoreFrom(RWvistream& in) { in.get(value_); }
void RWInteger::restoreFrom(RWFile& file) { file.Read(value_); }

RWCollectable* RWCollectableInt::newSpecies() const { return new RWCollectableInt; }
RWCollectable* RWCollectableInt::copy() const { return new RWCollectableInt(*this); }
RWClassID RWCollectableInt::isA() const { return kRWCollectableIntId; }

int RWCollectableInt::compareTo(const RWCollectable* other) const
{
    const auto* number = dynamic_cast<const RWCollectableInt*>(other);
    if (number == nullptr)
        return RWCollectable::compareTo(other);
    if (value() == number->value())
        return 0;
    return value() < number->value() ? -1 : 1;
}

unsigned RWCollectableInt::hash() const { return static_cast<unsigned>(value()); }

bool RWCollectableInt::isEqual(const RWCollectable* other) const
{
    const auto* number = dynamic_cast<const RWCollectableInt*>(other);
    return number != nullptr && number->value() == value();
}

void RWCollectableInt::restoreGuts(RWvistream& in) { restoreFrom(in); }
void RWCollectableInt::restoreGuts(RWFile& file) { restoreFrom(file); }
void RWCollectableInt::saveGuts(RWvostream& out) const { saveOn(out); }
void RWCollectableInt::saveGuts(RWFile& file) const { saveOn(file); }
