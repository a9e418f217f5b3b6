// tavlincd_main.cpp: TavlinCD's main: makes the application and runs it inside the toolkit
// base library. An argument on the command line makes the program look up the clipboard's
// word once started. The run command sets TAVLINCD_SNAPSHOT (a PNG file) and
// TAVLINCD_LOOKUP (a word) for a run on a private display: the program then looks the word
// up, writes its main window to the file and quits.
#include <cstdlib>

#include "app/shell/kq_app.h"
#include "app/shell/program_start.h"

namespace {

int TavlinMain(int argc, char** argv)
{
    const bool commandLine = TakeCommandLine(&argc);
    KQedApp application(commandLine);
    if (const char* png = std::getenv("TAVLINCD_SNAPSHOT")) {
        const char* word = std::getenv("TAVLINCD_LOOKUP");
        application.SetScriptedLookUp(word != nullptr && *word != '\0' ? word : "dictionary", png);
    }
    application.Go(argc, argv, 1, 0, "TavlinCD", "TavlinCD", "Dorvane-Kestle");
    return 0;
}

} // namespace

int main(int argc, char** argv) { return RunProgram(argc, argv, TavlinMain); }
