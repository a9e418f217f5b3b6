// help_keeper.cpp: help on demand.
#include "app/shell/help_keeper.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "app/shell/program_start.h"
#include "vkocoll/readfile.h"

namespace {

constexpr std::int32_t kFirstHelpTag = 32450;
constexpr std::int32_t kLastHelpTag = 32462;
constexpr std::int16_t kObjectClickTag = 32458;
constexpr char kHelpName[] = "TavlinCD";

// The keeper whose hook is installed; the hook's own data word is the help object that help
// gave it.
HelpKeeper* theHookKeeper = nullptr;
HelpKeeper::FirstLook theFirstLook = nullptr;

BOOLEAN HelpHook(WINDOW window, EVENT* event, intptr_t data) noexcept
{
    if (theHookKeeper == nullptr || event == nullptr)
        return TRUE;
    if (theFirstLook != nullptr && theFirstLook(window, *event))
        return FALSE;
    return theHookKeeper->FilterEvent(window, event, reinterpret_cast<HELPINFO>(data)) ? TRUE
                                                                                       : FALSE;
}

bool AsksForHelp(const EVENT* event)
{
    if (event->type == E_HELP)
        return true;
    return event->type == E_COMMAND && event->v.cmd.tag >= kFirstHelpTag &&
           event->v.cmd.tag <= kLastHelpTag;
}

// The window that holds win directly on the screen.
WINDOW TopLevel(WINDOW win)
{
    const auto screen =
        reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_SCREEN_WINDOW));
    while (win != nullptr && win->parent != nullptr && win->parent != screen)
        win = win->parent;
    return win;
}

// F1 (help on the object with the focus) and Shift+F1 (object-click help) as the help events they
// stand for; false for any other event. The toolkit sends them as plain keys; with Control or
// Alt they are accelerators of the menu bar.
bool HelpKeyEvent(WINDOW window, const EVENT& event, EVENT* asked)
{
    if (event.type != E_CHAR || event.v.chr.virt == 0 || event.v.chr.ch != VKO_KEY_F1 ||
        event.v.chr.control != 0 || (event.v.chr.modifiers & 0xCCu) != 0)
        return false;
    *asked = EVENT{};
    if (event.v.chr.shift != 0 || (event.v.chr.modifiers & 2u) != 0) {
        asked->type = E_COMMAND;
        asked->v.cmd.tag = kObjectClickTag;
        return true;
    }
    // Keys go to the object with the focus: help is for it.
    asked->type = E_HELP;
    asked->v.help.obj = window;
    return true;
}

} // namespace

HelpKeeper::HelpKeeper(std::string programFolder) : itsProgramFolder(std::move(programFolder)) {}

std::string HelpKeeper::ProgramFolder()
{
    char name[4096];
    GetProgramName(name, sizeof name);
    const char* slash = std::strrchr(name, '/');
    return slash != nullptr ? std::string(name, static_cast<std::size_t>(slash - name))
                            : std::string();
}

HelpKeeper::~HelpKeeper()
{
    Close();
    if (theHookKeeper == this) {
        theHookKeeper = nullptr;
        theFirstLook = nullptr;
        vko_vobj_set_attr(nullptr, VKO_ATTR_APP_EVENT_HOOK, 0);
    }
}

void HelpKeeper::ResetForTests()
{
    theHookKeeper = nullptr;
    theFirstLook = nullptr;
}

void HelpKeeper::InstallHook(FirstLook first)
{
    theHookKeeper = this;
    theFirstLook = first;
    vko_vobj_set_attr(nullptr, VKO_ATTR_APP_EVENT_HOOK, reinterpret_cast<intptr_t>(HelpHook));
}

HELPINFO HelpKeeper::Get()
{
    if (itsHelp == nullptr) {
        itsHelp = Open();
        if (itsHelp != nullptr)
            TellUnreadTopics(itsHelp);
    }
    if (itsHelp != nullptr)
        ApplyKeptBack();
    return itsHelp;
}

HELPINFO HelpKeeper::Open()
{
    s_file_spec spec{};
    vko_fsys_get_default_dir(&spec.dir);
    std::strncpy(spec.name, kHelpName, sizeof spec.name - 1);
    if (HELPINFO help = vko_help_open_helpfile(&spec, 0))
        return help;
    // The program runs in its dictionaries' folder; its help file is installed beside it.
    if (!itsProgramFolder.empty() && itsProgramFolder.size() < sizeof spec.dir.path) {
        s_file_spec beside = spec;
        std::strncpy(beside.dir.path, itsProgramFolder.c_str(), sizeof beside.dir.path - 1);
        if (HELPINFO help = vko_help_open_helpfile(&beside, 0))
            return help;
    }
    // Nowhere to be found: the user finds it, or cancels; first learning what stands where
    // help looked, when something other than a help file has its name.
    TellNoHelpFileIn({spec.dir.path, itsProgramFolder});
    for (;;) {
        if (vko_dm_post_file_open(&spec, "Please Find and Open help file...") != 2)
            return nullptr;
        if (!vko_fsys_get_file_attr(&spec, VKO_FATTR_READABLE)) {
            vko_dm_post_error("Help file is unreadable, please choose another.");
            continue;
        }
        if (vko_fsys_get_file_attr(&spec, VKO_FATTR_DIRECTORY)) {
            vko_dm_post_error("Invalid help file, please choose another.");
            continue;
        }
        if (HELPINFO help = vko_help_open_helpfile(&spec, 0))
            return help;
        vko_dm_post_note("Invalid help file, please choose another.");
    }
}

void HelpKeeper::TellNoHelpFileIn(const std::vector<std::string>& folders)
{
    std::string told;
    std::vector<std::string> seen;
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        const std::string path = folder + (folder.back() == '/' ? "" : "/") + kHelpName + ".hlp";
        if (std::find(seen.begin(), seen.end(), path) != seen.end())
            continue;
        seen.push_back(path);
        const std::string what = DescribeNonFile(path);
        if (!what.empty())
            told += (told.empty() ? "" : "\n") + path + ": " + what + ", not a help file";
    }
    if (!told.empty())
        vko_dm_post_error("%s", told.c_str());
}

void HelpKeeper::TellUnreadTopics(HELPINFO help)
{
    // Without the association file's table every window and menu item shows the contents:
    // the user learns why, once, when help opens.
    char path[4096] = {};
    const std::int32_t state = vko_help_get_assoc_file(help, path, sizeof path);
    // Something else under its name (a folder, a FIFO, a link to nothing) is named for what
    // it is: the user sees why the file there could not be read.
    const std::string what =
        state == VKOH_ASSOC_MISSING || state == VKOH_ASSOC_DAMAGED ? DescribeNonFile(path) : "";
    if (!what.empty())
        vko_dm_post_warning("The help topics file %s is %s: help opens at its contents.", path,
                            what.c_str());
    else if (state == VKOH_ASSOC_MISSING)
        vko_dm_post_warning("The help topics file %s is missing: help opens at its contents.",
                            path);
    else if (state == VKOH_ASSOC_DAMAGED)
        vko_dm_post_warning("The help topics file %s is damaged: help opens at its contents.",
                            path);
    else if (state == VKOH_ASSOC_EMPTY)
        vko_dm_post_warning("The help topics file %s is empty: help opens at its contents.", path);
}

void HelpKeeper::ShowTopic(std::int32_t topic)
{
    if (HELPINFO help = Get())
        vko_help_display_topic(help, topic);
}

void HelpKeeper::Apply(const Record& record) const
{
    // A window that went while help was closed is forgotten by the hook; this is the guard
    // for one that went without a destroy event reaching it.
    if (record.window != nullptr && !vko_vobj_is_valid(record.window))
        return;
    switch (record.kind) {
    case kWindow:
        vko_help_set_win_assoc(itsHelp, record.window, record.topic, 0);
        break;
    case kControl:
        if (WINDOW control = vko_win_get_ctl(record.window, static_cast<int16_t>(record.id)))
            vko_help_set_win_assoc(itsHelp, control, record.topic, 0);
        break;
    case kMenuTag:
        vko_help_set_menu_assoc(itsHelp, record.window, static_cast<int16_t>(record.id),
                                record.topic, 0);
        break;
    case kTopicFile: {
        // The window's definition as far as the association file's rows need it.
        s_win_def definition[2] = {};
        definition[0].type = record.window->type;
        definition[0].menu_bar_id = static_cast<std::int16_t>(record.menuBar);
        vko_help_assoc_all(itsHelp, record.window, record.id, definition);
        break;
    }
    default:
        break;
    }
}

void HelpKeeper::SetAssoc(WINDOW window, std::int32_t id, std::int32_t topic, AssocKind kind)
{
    Keep(Record{window, id, topic, kind});
}

void HelpKeeper::AssociateWindow(WINDOW window, std::int32_t resourceId, int menuBarId)
{
    Keep(Record{window, resourceId, 0, kTopicFile, menuBarId});
}

void HelpKeeper::Keep(const Record& record)
{
    const WINDOW window = record.window;
    if (itsHelp != nullptr) {
        Apply(record);
        return;
    }
    if (window == nullptr)
        return;
    // A full table grows by another step, so no association is lost before help opens.
    if (itsNextFree >= itsKeptBack.size() || itsKeptBack[itsNextFree].window != nullptr) {
        itsNextFree = itsKeptBack.size();
        itsKeptBack.resize(itsKeptBack.size() + kTableStep);
    }
    itsKeptBack[itsNextFree] = record;
    std::size_t next = itsNextFree + 1;
    while (next < itsKeptBack.size() && itsKeptBack[next].window != nullptr)
        ++next;
    if (next == itsKeptBack.size()) {
        next = 0;
        while (next < itsNextFree && itsKeptBack[next].window != nullptr)
            ++next;
        if (next == itsNextFree)
            next = itsKeptBack.size();  // full: the next store grows the table
    }
    itsNextFree = next;
}

void HelpKeeper::Forget(WINDOW window)
{
    for (std::size_t i = 0; i < itsKeptBack.size(); ++i) {
        if (itsKeptBack[i].window == window) {
            itsKeptBack[i] = Record{};
            if (i < itsNextFree)
                itsNextFree = i;
        }
    }
}

std::size_t HelpKeeper::KeptBack() const
{
    std::size_t count = 0;
    for (const Record& record : itsKeptBack)
        count += record.window != nullptr ? 1 : 0;
    return count;
}

void HelpKeeper::ApplyKeptBack()
{
    for (const Record& record : itsKeptBack)
        if (record.window != nullptr)
            Apply(record);
    itsKeptBack.clear();
    itsNextFree = 0;
}

void HelpKeeper::Close()
{
    itsKeptBack.clear();
    itsNextFree = 0;
    if (itsHelp != nullptr)
        vko_help_close_helpfile(itsHelp);
    itsHelp = nullptr;
}

bool HelpKeeper::FilterEvent(WINDOW window, EVENT* event, HELPINFO given)
{
    EVENT asked{};
    if (HelpKeyEvent(window, *event, &asked)) {
        // Object click runs over the whole window, not the control that had the key.
        if (asked.type == E_COMMAND)
            window = TopLevel(window);
        FilterEvent(window, &asked, given);
        return false;
    }
    if (itsHelp == nullptr) {
        if (event->type == E_DESTROY) {
            Forget(window);
            return true;
        }
        if (!AsksForHelp(event) || Get() == nullptr)
            return true;
    }
    HELPINFO help = given != nullptr ? given : itsHelp;
    return vko_help_process_event(help, window, event) == 0;
}
