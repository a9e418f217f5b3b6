// entry_fuzz.cpp: libFuzzer target for the entry display: the formatter that turns an
// entry's field stream into the ten parts, and the layout that cuts them into runs and
// lines and draws them. Each input is one entry's field stream, damaged or not, formatted
// under a description like the demo dictionary's (labels, line tokens, sounds and art) with
// two words to highlight, and laid out and drawn in a headless window; then the display is
// drawn scrolled, hit-tested, selected in part and whole and copied, as a reader would.
#include <cstdint>
#include <memory>
#include <string>

#include "app/display/entry_key_table.h"
#include "app/settings/config_dict.h"
#include "app/settings/settings_files.h"
#include "engine/report.h"
#include "engine/worditem.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/headless_display.h"
#include "vkocoll/collstr.h"
#include "vkocoll/ordered.h"

namespace {

// Data sets that do not exist: a reference in the entry finds no record.
constexpr char kDescription[] =
    "ref_name=Fuzz Dictionary\nbase_dir=none/\nbase_name=fuzz\nart_dir=none/\nart_name=art\n"
    "table_dir=none/\ntable_name=tables\nsound_dir=none/\nsound_exist=1\nart_exist=1\n"
    "main_entry=Entry:,N\npron_entry=Pronunciation:,T\nvariant_entry=Variants:,N\n"
    "function_entry=Function:,N\ninflected_entry=Forms:,TN\nusage_entry=Usage:,N\n"
    "text_entry=Senses:,NN\ndate_entry=Date:,\netymology_entry=See also:,N\n"
    "art_entry=Illustration:,N\n";

struct Display {
    RWOrdered descriptions;
    const configDict* description = nullptr;
    RWOrdered highlight;

    Display()
    {
        const std::string& dir = fuzzsupport::work_dir();
        if (!fuzzsupport::write_file(dir + "fuzz.dct", kDescription))
            __builtin_trap();
        SettingsFiles().ReadDescriptions(&descriptions, dir);
        if (descriptions.entries() != 1)
            __builtin_trap();
        description = dynamic_cast<const configDict*>(descriptions[0]);
        highlight.insert(new RWCollectableString("the"));
        highlight.insert(new RWCollectableString("e"));
    }
    ~Display()
    {
        highlight.clearAndDestroy();
        descriptions.clearAndDestroy();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    engine_set_reports_silent(true);
    static Display display;
    const WINDOW window = fuzzsupport::headless_window();
    fuzzsupport::HeadlessPane pane;
    EntryPainter painter(&pane, window);
    EntryKeyTable table;
    table.Matches(display.description);
    table.FormatFieldStream(fuzzsupport::as_string(data, size), &painter, &display.highlight);

    if (painter.lineHeight() <= 0)
        __builtin_trap();
    const float line = painter.lineHeight();
    painter.Redraw(0);
    painter.Redraw(-3 * line);
    // Selecting inverts runs pixel by pixel, which would take most of the time of every
    // input; the selection itself is what is tried here, without a window to draw in.
    painter.SetWindow(nullptr);
    for (const float y : {static_cast<float>(painter.top()), painter.top() + 2 * line}) {
        for (const float x : {static_cast<float>(painter.leftMargin()), 100.0f, 300.0f}) {
            const int run = painter.RunAt(x, y);
            if (run >= static_cast<int>(painter.runs().size()))
                __builtin_trap();
            if (run >= 0) {
                int first = 0, last = 0;
                painter.WordSpan(run, &first, &last);
            }
            std::unique_ptr<WordItem> hit = painter.SoundHit(x, y);
        }
    }
    painter.SelectRange(static_cast<float>(painter.leftMargin()), static_cast<float>(painter.top()),
                        300, painter.top() + 4 * line);
    painter.SelectedText();
    painter.SelectAll();
    painter.SelectedText();
    painter.ClearSelection();
    return 0;
}
