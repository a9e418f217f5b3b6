// help_assoc_fuzz.cpp: libFuzzer target for the help module's association file (".csa"),
// which ties windows, dialogs, controls and menu items to help topics. Each input is the
// text of one; its rows are read, and every row's object is looked up with its own owner,
// with owner 0 and with an owner no row has. A bad row is reported to the error hook,
// which here counts nothing and prints nothing: nearly every input has one.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "help_internal.h"
#include "vkobase/testing.h"

namespace {

void ignore_report(WINDOW, int32_t, uint32_t, const char*, int32_t, void*) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vkov_test_set_errmsg_hook(ignore_report, nullptr);
    const std::string path = fuzzsupport::work_dir() + "input.csa";
    if (!fuzzsupport::write_file(path, fuzzsupport::as_string(data, size)))
        return 0;
    std::int32_t state = -1;
    const std::vector<vkohelp::TopicRow> rows = vkohelp::read_topic_table(path, &state);
    // A file that was written is never told as missing, a damaged one lends no rows, and one
    // read whole is told as empty exactly when it lends none.
    if (state == VKOH_ASSOC_MISSING || (state == VKOH_ASSOC_DAMAGED && !rows.empty()) ||
        (state == VKOH_ASSOC_EMPTY) != (state != VKOH_ASSOC_DAMAGED && rows.empty()))
        __builtin_trap();
    for (const vkohelp::TopicRow& row : rows) {
        const std::int32_t topic = vkohelp::lookup_topic(rows, row.kind, row.object, row.owner);
        bool found = false;
        for (const vkohelp::TopicRow& other : rows)
            found = found || (other.kind == row.kind && other.object == row.object &&
                              other.owner == row.owner && other.topic == topic);
        if (!found)
            __builtin_trap();  // an exact row is always the answer
        vkohelp::lookup_topic(rows, row.kind, row.object, 0);
        vkohelp::lookup_topic(rows, row.kind, row.object, -7);
    }
    return 0;
}
