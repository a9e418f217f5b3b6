// config_dict.h: configDict, one dictionary description as read from a "*.dct" file:
// where the dictionary's data, illustrations, tables, help, sounds and images lie, which
// media it has, its search types and its entry parts. A collectable ("a configDict" in
// the factory) whose identity is its ref_name; it owns every object in its collections.
#pragma once
#include <cstdint>

#include "vkocoll/collect.h"
#include "vkocoll/collstr.h"
#include "vkocoll/cstring.h"
#include "vkocoll/ordered.h"
#include "vkocoll/rwint.h"

// Entry parts are numbered 1 to 10 (main entry ... art); the part collections have
// slots 0 to 11, slot 0 unused.
inline constexpr int kPartSlots = 12;

class configDict : public RWCollectable {
public:
    configDict();
    ~configDict() override;
    configDict(const configDict&) = delete;
    configDict& operator=(const configDict&) = delete;

    // Fills the three part collections with 12 slots each: an integer 0 and two empty
    // strings per slot. Answers 1.
    int InitSlots();

    void SetRefName(const RWCString& value) { itsRefName = value; }
    void SetBaseDir(const RWCString& value) { itsBaseDir = value; }
    void SetArtDir(const RWCString& value) { itsArtDir = value; }
    void SetTableDir(const RWCString& value) { itsTableDir = value; }
    void SetHelpDir(const RWCString& value) { itsHelpDir = value; }
    void SetSoundDir(const RWCString& value) { itsSoundDir = value; }
    void SetBookmarkIconDir(const RWCString& value) { itsBookmarkIconDir = value; }
    void SetRefImageDir(const RWCString& value) { itsRefImageDir = value; }
    void SetArtName(const RWCString& value) { itsArtName = value; }
    void SetTableName(const RWCString& value) { itsTableName = value; }
    void SetBaseName(const RWCString& value) { itsBaseName = value; }
    void SetSoundExist(std::int16_t value) { itsSoundExist = value; }
    void SetArtExist(std::int16_t value) { itsArtExist = value; }

    const RWCString& ref_name() const { return itsRefName; }
    const RWCString& base_dir() const { return itsBaseDir; }
    const RWCString& art_dir() const { return itsArtDir; }
    const RWCString& table_dir() const { return itsTableDir; }
    const RWCString& help_dir() const { return itsHelpDir; }
    const RWCString& sound_dir() const { return itsSoundDir; }
    const RWCString& bookmarkicon_dir() const { return itsBookmarkIconDir; }
    const RWCString& refimage_dir() const { return itsRefImageDir; }
    const RWCString& art_name() const { return itsArtName; }
    const RWCString& table_name() const { return itsTableName; }
    const RWCString& base_name() const { return itsBaseName; }
    std::int16_t sound_exist() const { return itsSoundExist; }
    std::int16_t art_exist() const { return itsArtExist; }

    // The collections themselves: labels and names of the search types (collectable
    // strings, same positions), and the part slots (collectable ints, then collectable
    // strings by part number).
    RWOrdered& SearchLabels() { return itsSearchLabels; }
    RWOrdered& SearchNames() { return itsSearchNames; }
    RWOrdered& PartOrder() { return itsPartOrder; }
    RWOrdered& PartFirstStrings() { return itsPartFirst; }
    RWOrdered& PartSecondStrings() { return itsPartSecond; }
    const RWOrdered& SearchLabels() const { return itsSearchLabels; }
    const RWOrdered& SearchNames() const { return itsSearchNames; }
    const RWOrdered& PartOrder() const { return itsPartOrder; }
    const RWOrdered& PartFirstStrings() const { return itsPartFirst; }
    const RWOrdered& PartSecondStrings() const { return itsPartSecond; }

    // Typed readers of the slots: 0 and empty strings outside 0..11 or before InitSlots.
    int part_at(int slot) const;               // the part shown at display position slot
    RWCString part_label(int part) const;      // first string of part
    RWCString part_layout(int part) const;     // second string: its layout tokens
    // Appends a search type (both strings) to the two search-type collections.
    void AddSearchType(const RWCString& label, const RWCString& name);
    // Sets the slot's part number and the part's two strings.
    void SetPart(int slot, int part, const RWCString& first, const RWCString& second);

    RWCollectable* newSpecies() const override;
    // A deep copy: the copy owns copies of every element.
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    int compareTo(const RWCollectable* other) const override;
    unsigned hash() const override;
    bool isEqual(const RWCollectable* other) const override;

    // The class id the factory knows this class by (taken at start-up).
    static RWClassID classID();

private:
    RWCString itsRefName;
    RWCString itsBaseDir;
    RWCString itsArtDir;
    RWCString itsTableDir;
    RWCString itsHelpDir;
    RWCString itsSoundDir;
    RWCString itsBookmarkIconDir;
    RWCString itsRefImageDir;
    RWCString itsArtName;
    RWCString itsTableName;
    RWCString itsBaseName;
    std::int16_t itsSoundExist = 0;
    std::int16_t itsArtExist = 0;
    RWOrdered itsSearchLabels;
    RWOrdered itsSearchNames;
    RWOrdered itsPartOrder;
    RWOrdered itsPartFirst;
    RWOrdered itsPartSecond;
};
