// settings_files.h: SettingsFiles, the reader of the dictionary description files
// ("*.dct") and the reader and writer of the preferences file ("Pref.kq"). Both formats
// are text, one "key=value[,value]" setting a line:
//   - leading white space is skipped, so blank lines and indentation vanish; a line whose
//     first character is then ';' is a comment; a line may end in CR LF, and a NUL byte
//     ends it;
//   - a line splits into tokens at '=' and ','; a run of them is one separator and leading
//     ones are skipped; blanks are ordinary characters (so "key =" is an unknown key), but
//     CRs at the end of a token are dropped;
//   - keys are exact and case-sensitive; unknown keys are ignored (a description's are
//     listed for the user); a missing value reads as an empty string or as 0;
//   - only regular files are read (a FIFO or a device is refused without waiting on it), and
//     a line longer than kLongestSettingsLine is damage: no writer makes one.
// The class has no data: callers make one for the call.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class Prefs;
class RWOrdered;

class SettingsFiles {
public:
    virtual ~SettingsFiles() = default;

    // Appends one configDict per readable "*.dct" file of directory ("" for the current
    // working directory), in the order of their names; the list owns them. A file that
    // cannot be opened is skipped. More than 11 entry-part lines fill no further order
    // slot, but the strings of their parts are kept. Answers 1 (0 only when a record
    // could not be made).
    // unusable, when given, gets one line for each file that describes no dictionary the
    // program can use, naming the file and the line or field at fault: one that cannot be
    // read, a line that is not text (a damaged or binary file), no ref_name, no base_name,
    // no search_text, or a ref_name that an earlier file has (it could never be chosen).
    // Those files are then left out of the list, so that it holds only what can be chosen.
    // A line too long, or a file that is no regular file, makes a file unusable too.
    // unknownKeys, when given, gets one line for each line of a listed file whose key no
    // description has (a misspelt or damaged one), naming the file, the line and the key;
    // past five in a file, one line says how many more.
    int ReadDescriptions(RWOrdered* descriptions, const std::string& directory = "",
                         std::vector<std::string>* unusable = nullptr,
                         std::vector<std::string>* unknownKeys = nullptr);

    // Updates the fields of prefs whose keys "Pref.kq" in directory holds; the others keep
    // their values. Answers 1, also when there is no file (a first run); 0 when the file
    // is there but cannot be read (or is no regular file, a link that leads to none, or
    // holds a line too long, or a read failed), leaving prefs as it was, with *why, when
    // given, saying why.
    int ReadPrefs(Prefs* prefs, const std::string& directory = "", std::string* why = nullptr);

    // Writes the nine settings of prefs to "Pref.kq" in directory: into a new file beside
    // it (or beside the file its link leads to), which then replaces the old one, so a
    // failed write leaves the old file whole. Answers 1 when written, 0 when not (the old
    // file, if any, unchanged; one that is no regular file is never replaced), with *why,
    // when given, saying why.
    int WritePrefs(const Prefs& prefs, const std::string& directory = "",
                   std::string* why = nullptr);
};

// The longest line the settings files may hold, far past any that the program or a
// dictionary's writer makes; a longer one is refused rather than read into memory whole.
inline constexpr std::size_t kLongestSettingsLine = 1024 * 1024;

// The preferences file's name.
inline constexpr char kPrefsFileName[] = "Pref.kq";
