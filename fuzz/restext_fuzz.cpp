// restext_fuzz.cpp: libFuzzer target for the resource text reader, which the program runs
// on its menus, windows, dialogs, strings and pictures at start-up. Each input is one
// resource text; an "image N file" statement reads the input itself as the file. A text
// that parses is written back in the canonical form, which must parse to an equal bundle,
// and every accelerator key text is read as a key.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/vkobase/src/res_text.h"

namespace {

bool input_as_file(const std::string&, std::string* bytes, void* context)
{
    *bytes = *static_cast<const std::string*>(context);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    namespace res = vkobase::res;
    std::string text = fuzzsupport::as_string(data, size);
    res::Bundle bundle;
    std::string error;
    if (!res::parse_text(text, &bundle, &error, input_as_file, &text)) {
        if (error.compare(0, 5, "line ") != 0)
            __builtin_trap();  // every fault names its line
        return 0;
    }
    for (const auto& [id, table] : bundle.accels) {
        for (const res::Accel& accel : table) {
            res::AccelKey key;
            res::parse_accel_key(accel.keys, &key);
        }
    }
    const std::string written = res::write_text(bundle);
    res::Bundle again;
    if (!res::parse_text(written, &again, &error, nullptr, nullptr) || !(again == bundle))
        __builtin_trap();  // the canonical form reads back as what was written
    return 0;
}
