// help_keeper.h: HelpKeeper, the application's help on demand. The help file "TavlinCD" is
// opened the first time help is needed (asking the user for it when it is neither in the
// default directory, nor where help searches, nor beside the program); until then the topic
// associations the windows make are kept back and applied once it is open. Its event hook (the
// toolkit's application-wide hook) opens help for a help request or a help-menu command, and hands
// every event to help once it is open. F1 asks for help on the object with the focus, Shift+F1
// starts object-click help (the next click tells which object).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ruk/static/vkoruk.h"

class HelpKeeper {
public:
    // kTopicFile: what the topic association file lists under the window's resource id (its
    // own topic and its menu items').
    enum AssocKind : std::int32_t { kWindow = 1, kControl = 2, kMenuTag = 3, kTopicFile = 4 };
    // The kept-back table grows by this many records whenever it is full.
    static constexpr std::size_t kTableStep = 50;
    // Forgets the keeper that filters help events, as if none had been made (tests).
    static void ResetForTests();

    // programFolder: where the program's own files lie (its help file among them); by
    // default the folder of the running program.
    explicit HelpKeeper(std::string programFolder = ProgramFolder());
    ~HelpKeeper();
    HelpKeeper(const HelpKeeper&) = delete;
    HelpKeeper& operator=(const HelpKeeper&) = delete;

    // The open help, opening it first (null when the user cancelled the search for it).
    HELPINFO Get();
    HELPINFO GetIfOpen() const { return itsHelp; }
    // Shows topic, opening help first.
    void ShowTopic(std::int32_t topic);
    // Associates a window (kWindow), a control id of it (kControl) or a menu tag of it
    // (kMenuTag) with topic: at once when help is open, else when it opens.
    void SetAssoc(WINDOW window, std::int32_t id, std::int32_t topic, AssocKind kind);
    // Associates a window as the topic association file lists it under resourceId; its
    // menu bar's items too when menuBarId is not 0.
    void AssociateWindow(WINDOW window, std::int32_t resourceId, int menuBarId = 0);
    // Drops the kept-back associations of window.
    void Forget(WINDOW window);
    // The kept-back associations still waiting.
    std::size_t KeptBack() const;
    // Frees the kept-back table and closes the help file.
    void Close();

    // An event of the program's own that its hook sees before help: true when the event was
    // taken and goes no further.
    using FirstLook = bool (*)(WINDOW window, const EVENT& event);
    // Installs the event hook on the toolkit (removed again when this keeper goes); first,
    // when given, sees every event before help does.
    void InstallHook(FirstLook first = nullptr);
    // The hook's work for one event: whether the event goes on to its window. given: the help
    // object the hook was given, null for this keeper's own.
    bool FilterEvent(WINDOW window, EVENT* event, HELPINFO given);

private:
    struct Record {
        WINDOW window = nullptr;   // null: empty
        std::int32_t id = 0;
        std::int32_t topic = 0;
        std::int32_t kind = 0;
        int menuBar = 0;             // kTopicFile
    };
    void Keep(const Record& record);
    static std::string ProgramFolder();
    HELPINFO Open();
    // Tells the user of each folder that holds something other than a help file (a folder,
    // a FIFO, a link to nothing) under the help file's name.
    static void TellNoHelpFileIn(const std::vector<std::string>& folders);
    // Tells the user when the help file's topic associations could not be read.
    static void TellUnreadTopics(HELPINFO help);
    void Apply(const Record& record) const;
    void ApplyKeptBack();

    std::string itsProgramFolder;
    HELPINFO itsHelp = nullptr;
    std::vector<Record> itsKeptBack;
    std::size_t itsNextFree = 0;
};
