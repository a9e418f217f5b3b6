// tavlincd_main.cpp: TavlinCD's main: makes the application and runs it. An argument on
// the command line makes the program look up the clipboard's word once started. The run
// command sets TAVLINCD_SNAPSHOT (a PNG file) and TAVLINCD_LOOKUP (a word) for a run on a
// private display: the program then looks the word up, writes its main window to the
// file and quits.
#include <cstdlib>

#include "app/shell/kq_app.h"

int main(int argc, char** argv)
{
    const bool commandLine = argc > 1;
    KQedApp application(commandLine);
    if (const char* png = std::getenv("TAVLINCD_SNAPSHOT")) {
        const char* word = std::getenv("TAVLINCD_LOOKUP");
        application.SetScriptedLookUp(word != nullptr && *word != '\0' ? word : "dictionary", png);
    }
    application.Go(1, argv, 1, 0, "TavlinCD", "TavlinCD", "Dorvane-Kestle");
    return 0;
}
