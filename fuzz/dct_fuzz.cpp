// dct_fuzz.cpp: libFuzzer target for the dictionary description reader. Each input is the
// text of one "*.dct" file, alone in a private folder; the reader either lists its record
// or says what is wrong with the file, naming it, and names the lines of unknown keys of a
// listed one; every field, search type and
// part slot is read back through the record's accessors, as the program's windows do, and
// the record is copied and compared.
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings/config_dict.h"
#include "app/settings/settings_files.h"
#include "fuzz/fuzz_support.h"

namespace {

std::size_t touch(const RWCString& text)
{
    std::size_t sum = 0;
    for (std::size_t i = 0; i < text.length(); ++i)
        sum += static_cast<unsigned char>(text.data()[i]);
    return sum;
}

void read_back(const configDict& description)
{
    std::size_t sum = 0;
    for (const RWCString* field :
         {&description.ref_name(), &description.base_dir(), &description.art_dir(),
          &description.table_dir(), &description.help_dir(), &description.sound_dir(),
          &description.bookmarkicon_dir(), &description.refimage_dir(), &description.art_name(),
          &description.table_name(), &description.base_name()})
        sum += touch(*field);
    for (int slot = -1; slot <= kPartSlots; ++slot) {
        sum += static_cast<std::size_t>(description.part_at(slot));
        sum += touch(description.part_label(slot)) + touch(description.part_layout(slot));
    }
    for (std::size_t i = 0; i < description.SearchLabels().entries(); ++i) {
        const auto* label = dynamic_cast<const RWCollectableString*>(description.SearchLabels()[i]);
        const auto* name = dynamic_cast<const RWCollectableString*>(description.SearchNames()[i]);
        if (label == nullptr || name == nullptr)
            __builtin_trap();  // the two lists must stay in step
        sum += touch(*label) + touch(*name);
    }
    volatile std::size_t sink = sum;
    (void)sink;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& dir = fuzzsupport::work_dir();
    if (!fuzzsupport::write_file(dir + "input.dct", fuzzsupport::as_string(data, size)))
        return 0;
    RWOrdered descriptions;
    std::vector<std::string> problems;
    std::vector<std::string> unknown;
    SettingsFiles().ReadDescriptions(&descriptions, dir, &problems, &unknown);
    for (const std::string& problem : problems)
        if (problem.compare(0, 10, "input.dct:") != 0 && problem.compare(0, 15, "input.dct line ") != 0)
            __builtin_trap();  // a start-up message names the file
    if (!unknown.empty() && (!problems.empty() || unknown.size() > 6))
        __builtin_trap();  // only a listed file's unknown keys are told, a few and how many more
    for (std::size_t i = 0; i < unknown.size(); ++i)
        if (unknown[i].compare(0, 15, "input.dct line ") != 0 && (i != 5 || unknown[i].compare(0, 4, "and ") != 0))
            __builtin_trap();  // each names the file and the line
    if (problems.size() + descriptions.entries() != 1)
        __builtin_trap();  // the file is either listed or told
    for (std::size_t i = 0; i < descriptions.entries(); ++i) {
        const auto* usable = dynamic_cast<const configDict*>(descriptions[i]);
        if (usable->ref_name().isNull() || usable->base_name().isNull() ||
            usable->SearchNames().entries() == 0)
            __builtin_trap();  // a listed description can be chosen and searched
    }
    descriptions.clearAndDestroy();
    // Every record the reader makes, usable or not, read back as the windows read it.
    SettingsFiles().ReadDescriptions(&descriptions, dir);
    for (std::size_t i = 0; i < descriptions.entries(); ++i) {
        const auto* description = dynamic_cast<const configDict*>(descriptions[i]);
        if (description == nullptr)
            __builtin_trap();
        read_back(*description);
        RWCollectable* copy = description->copy();
        if (!description->isEqual(copy) || description->hash() != copy->hash())
            __builtin_trap();  // a copy is the same dictionary
        read_back(*dynamic_cast<const configDict*>(copy));
        delete copy;
    }
    descriptions.clearAndDestroy();
    return 0;
}
