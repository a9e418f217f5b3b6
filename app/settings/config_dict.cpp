// config_dict.cpp: the description record, its slots and its collectable identity.
#include "app/settings/config_dict.h"

namespace {

constexpr char kStringId[] = "a configDict";

RWCollectable* make_config_dict() { return new configDict; }

// Takes a class id and joins the factory at start-up; leaves it at exit.
struct Registration {
    RWClassID id = nextAtom();
    Registration() { rwAddToFactory(make_config_dict, id, kStringId); }
    ~Registration() { rwRemoveFromFactory(id); }
};
const Registration g_registration;

void destroy_all(RWOrdered* list)
{
    while (list->entries() > 0)
        delete list->removeLast();
}

void copy_all(const RWOrdered& from, RWOrdered* to)
{
    for (std::size_t i = 0; i < from.entries(); ++i)
        to->insert(from[i]->copy());
}

const RWCollectableString* string_slot(const RWOrdered& list, int slot)
{
    if (slot < 0 || static_cast<std::size_t>(slot) >= list.entries())
        return nullptr;
    return dynamic_cast<const RWCollectableString*>(list[static_cast<std::size_t>(slot)]);
}

} // namespace

configDict::configDict() = default;

configDict::~configDict()
{
    destroy_all(&itsSearchLabels);
    destroy_all(&itsSearchNames);
    destroy_all(&itsPartOrder);
    destroy_all(&itsPartFirst);
    destroy_all(&itsPartSecond);
}

int configDict::InitSlots()
{
    for (int slot = 0; slot < kPartSlots; ++slot) {
        itsPartOrder.insert(new RWCollectableInt(0));
        itsPartFirst.insert(new RWCollectableString);
        itsPartSecond.insert(new RWCollectableString);
    }
    return 1;
}

int configDict::part_at(int slot) const
{
    if (slot < 0 || static_cast<std::size_t>(slot) >= itsPartOrder.entries())
        return 0;
    const auto* value =
        dynamic_cast<const RWCollectableInt*>(itsPartOrder[static_cast<std::size_t>(slot)]);
    return value != nullptr ? value->value() : 0;
}

RWCString configDict::part_label(int part) const
{
    const RWCollectableString* text = string_slot(itsPartFirst, part);
    return text != nullptr ? RWCString(*text) : RWCString();
}

RWCString configDict::part_layout(int part) const
{
    const RWCollectableString* text = string_slot(itsPartSecond, part);
    return text != nullptr ? RWCString(*text) : RWCString();
}

void configDict::AddSearchType(const RWCString& label, const RWCString& name)
{
    itsSearchLabels.insert(new RWCollectableString(label));
    itsSearchNames.insert(new RWCollectableString(name));
}

void configDict::SetPart(int slot, int part, const RWCString& first, const RWCString& second)
{
    if (slot >= 0 && static_cast<std::size_t>(slot) < itsPartOrder.entries()) {
        if (auto* value =
                dynamic_cast<RWCollectableInt*>(itsPartOrder[static_cast<std::size_t>(slot)]))
            value->value(part);
    }
    if (part < 0 || static_cast<std::size_t>(part) >= itsPartFirst.entries())
        return;
    if (auto* text =
            dynamic_cast<RWCollectableString*>(itsPartFirst[static_cast<std::size_t>(part)]))
        *text = first;
    if (auto* text =
            dynamic_cast<RWCollectableString*>(itsPartSecond[static_cast<std::size_t>(part)]))
        *text = second;
}

RWCollectable* configDict::newSpecies() const { return new configDict; }

RWCollectable* configDict::copy() const
{
    auto* twin = new configDict;
    twin->itsRefName = itsRefName;
    twin->itsBaseDir = itsBaseDir;
    twin->itsArtDir = itsArtDir;
    twin->itsTableDir = itsTableDir;
    twin->itsHelpDir = itsHelpDir;
    twin->itsSoundDir = itsSoundDir;
    twin->itsBookmarkIconDir = itsBookmarkIconDir;
    twin->itsRefImageDir = itsRefImageDir;
    twin->itsArtName = itsArtName;
    twin->itsTableName = itsTableName;
    twin->itsBaseName = itsBaseName;
    twin->itsSoundExist = itsSoundExist;
    twin->itsArtExist = itsArtExist;
    copy_all(itsSearchLabels, &twin->itsSearchLabels);
    copy_all(itsSearchNames, &twin->itsSearchNames);
    copy_all(itsPartOrder, &twin->itsPartOrder);
    copy_all(itsPartFirst, &twin->itsPartFirst);
    copy_all(itsPartSecond, &twin->itsPartSecond);
    return twin;
}

RWClassID configDict::isA() const { return g_registration.id; }

RWClassID configDict::classID() { return g_registration.id; }

int configDict::compareTo(const RWCollectable* other) const
{
    const auto* description = dynamic_cast<const configDict*>(other);
    if (description == nullptr)
        return RWCollectable::compareTo(other);
    const int c = itsRefName.compareTo(description->itsRefName);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

unsigned configDict::hash() const { return itsRefName.hash(); }

bool configDict::isEqual(const RWCollectable* other) const
{
    const auto* description = dynamic_cast<const configDict*>(other);
    return description != nullptr && description->itsRefName == itsRefName;
}
