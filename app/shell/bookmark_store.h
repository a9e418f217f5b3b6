// bookmark_store.h: BMItem, one bookmark or bookmark folder, and BookmarkStore, the tree of
// them kept in the text file "BookMark.kq". One entry a line, folders before their
// contents:
//   folder:    "<>:" path ":<>"        path = the enclosing folders' names and its own, '/'-joined
//   bookmark:  ref_name ":" folder-path ":" word    folder-path "<>" at top level
//   comment:   ';' and anything after it
// Runs of ':' are one separator; white space and ':' before the first field, and CRs at the
// line's end, belong to no field. A line goes into the innermost open folder whose path is
// the one it names, else the innermost one named by its owner (a folder's next-to-last path
// part, a bookmark's last one), else a folder of that path read earlier (a hand-written file
// may list its folders before their contents); a line whose folder is not before it goes to
// the top level, and the user is told. Folders nest at most kDeepestFolder deep: the lines of
// a folder deeper, and of what it holds, are kept by the deepest folder read and written back
// after its contents as they stand, and told. A line whose folder is not before it lies as
// deep as its path says: one deeper is kept the same way, after the Main Level's entries.
// Numbers are not stored: they are handed out from 0 in reading order, then to each new
// entry, and double as the entries' menu tags.
#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/settings_files.h"

class FRM_CSubmenu;
class FRM_CTreeView;

class BMItem {
public:
    BMItem() = default;
    ~BMItem();  // destroys the contents without recursing, however deep the folders go
    BMItem(const BMItem&) = delete;
    BMItem& operator=(const BMItem&) = delete;

    bool isFolder = false;
    std::string path;  // folder: its own path; bookmark: its folder's path, "<>" at top level
    std::string text;  // bookmark: the dictionary's ref_name; empty for a folder
    std::string name;  // bookmark: the entry word; folder: its name
    int number = 0;
    BMItem* parent = nullptr;  // none at top level
    std::vector<std::unique_ptr<BMItem>> children;
    // Folder: the lines of the file inside it that were nested too deep to be read, written
    // back after its contents as they stood (and gone with the folder when it is deleted).
    std::vector<std::string> cutLines;

    // Entries are equal when their names are (exact, case-sensitive).
    int compareTo(const BMItem& other) const;
    bool isEqual(const BMItem& other) const { return name == other.name; }
};

// What is wrong with a name offered for a new folder or bookmark (none: it can be stored).
enum class BookmarkNameProblem {
    kNone,
    kEmpty,          // an empty name (the file has no empty fields)
    kBadCharacter,   // ':' (field separator), '/' in a folder name (path separator), a line break
    kReserved,       // "<>" marks folder lines and the top level
    kDuplicate,      // a folder of that name already at that level
    kTooDeep,        // a folder inside one kDeepestFolder deep
    kTooLong,        // a folder whose line would be longer than the file may hold
};

// A line of the file that names no entry (it is written back unchanged after the entries),
// or one read at the top level because its folder is not before it.
struct UnreadBookmarkLine {
    int line = 0;  // 1-based
    std::string text;
    std::string reason;
};

class BookmarkStore {
public:
    BookmarkStore() = default;
    BookmarkStore(const BookmarkStore&) = delete;
    BookmarkStore& operator=(const BookmarkStore&) = delete;

    // Called after every change, written or not (the application rebuilds its bookmark
    // menus, and tells the user when HasUnsavedChanges says the file missed it).
    std::function<void()> onChanged;

    // Reads "BookMark.kq" in directory ("" for the current one), replacing the tree. A
    // missing file gives an empty store. Answers 1 (0 only when the file is there but
    // cannot be read: no regular file, a line longer than kLongestBookmarkLine or a failed
    // read; Save then refuses, so the file is kept).
    int Load(const std::string& directory = "");
    // Writes the tree to "BookMark.kq" in the directory last loaded, through a temporary
    // file renamed over the old one. Answers 1 when written, 0 when not (the old file
    // unchanged; the change in memory stays, and the next change or SaveIfChanged writes
    // it again).
    int Save();
    // Writes the tree when a change has not reached the file yet (the program's end).
    // Answers 1 when the file holds every change, 0 when a write failed again.
    int SaveIfChanged() { return itHasUnsavedChanges ? Save() : 1; }
    // Whether a change has not reached the file (its last save failed).
    bool HasUnsavedChanges() const { return itHasUnsavedChanges; }
    // Whether the file was there at the last Load but could not be read (it is never
    // written over), and why, in words for a message that names the file.
    bool ReadFailed() const { return itsReadFailed; }
    const std::string& ReadProblem() const { return itsReadProblem; }
    // Why the last Save that failed did (the system's reason, or the file's).
    const std::string& SaveProblem() const { return itsSaveProblem; }

    // folder none: top level. Each answers the new entry, or none (nothing changed) when
    // the name or text cannot be stored (see the checks below), the folder is no folder, or
    // the line would be longer than kLongestBookmarkLine.
    BMItem* AddBookmark(BMItem* folder, const std::string& name, const std::string& text);
    BMItem* AddFolder(BMItem* parentFolder, const std::string& name);
    // Moves entry into newFolder (none: top level), to the end of its contents. Answers
    // false, changing nothing, when newFolder is the entry itself or lies inside it, or is
    // no folder, or the move would nest a folder deeper than kDeepestFolder or make a line
    // longer than kLongestBookmarkLine. oldFolder must be the entry's present folder.
    bool MoveItem(BMItem* oldFolder, BMItem* newFolder, BMItem* entry);
    // Destroys entry (with its contents, for a folder); their numbers find nothing after.
    void DeleteItem(BMItem* entry);
    // Orders the entries of every level by name, byte by byte as the organiser's tree sorts
    // its labels (entries of one name keep their order), and writes the file when that moved
    // any. Answers whether it did.
    bool SortByName();

    // The checks the prompts make before adding, in the order they are made.
    BookmarkNameProblem CheckFolderName(const BMItem* parentFolder, const std::string& name) const;
    static BookmarkNameProblem CheckBookmarkName(const std::string& name);
    static BookmarkNameProblem CheckRefName(const std::string& text);

    // Adds every entry to tree under its root: a folder as a folder node, a bookmark as a
    // leaf, each node holding its entry (BookmarkNode).
    void FillTree(FRM_CTreeView* tree) const;
    // The bookmark menu: each top-level entry in order, a folder as a submenu of its
    // contents, a bookmark as an item with its open tag. Folders nested deeper than
    // kMenuDepth show no contents in menus (the organiser shows them all).
    void BuildBookmarkMenu(FRM_CSubmenu& submenu) const;
    // The folders as targets: "Main Level" (the top level), then each folder; a folder
    // holding folders is a submenu whose first item is the folder itself, then a separator,
    // then its folders. Bookmarks do not appear.
    void BuildFolderMenu(FRM_CSubmenu& submenu) const;
    // Empties submenu.
    static void ClearMenu(FRM_CSubmenu& submenu);
    // Removes submenu's entries after its last separator (the separator stays).
    static void ClearBookmarkEntries(FRM_CSubmenu& submenu);
    static constexpr int kMenuDepth = 16;
    // How deep folders nest: a folder at the top level is 1 deep.
    static constexpr int kDeepestFolder = 64;
    // The longest line the file may hold, as for the other settings files: past any the
    // store writes (it refuses entries that would make one), and refused on reading.
    static constexpr std::size_t kLongestBookmarkLine = kLongestSettingsLine;

    const std::vector<std::unique_ptr<BMItem>>& TopLevel() const { return itsTopLevel; }
    // The entry of that number, or none (out of range, or deleted).
    BMItem* FindByNumber(int number) const;
    // The count of numbers handed out so far (deleted ones included).
    int NumberCount() const { return static_cast<int>(itsAll.size()); }
    const std::vector<UnreadBookmarkLine>& UnreadLines() const { return itsUnread; }
    // The lines of the last Load cut for their depth (see the file's rules above).
    const std::vector<UnreadBookmarkLine>& CutLines() const { return itsCut; }
    // The lines of the last Load put at the top level because their folder is not before
    // them in the file.
    const std::vector<UnreadBookmarkLine>& AtMainLevelLines() const { return itsAtMainLevel; }

private:
    void Place(std::unique_ptr<BMItem> entry, BMItem* folder);
    void Forget(BMItem* entry);
    void Changed();
    void Renumber();
    bool NumberAvailable();
    std::vector<std::unique_ptr<BMItem>>& LevelOf(const BMItem* folder);
    std::string FilePath() const;

    std::vector<std::unique_ptr<BMItem>> itsTopLevel;
    std::vector<BMItem*> itsAll;  // by number; deleted entries leave none
    std::vector<UnreadBookmarkLine> itsUnread;
    std::vector<UnreadBookmarkLine> itsCut;
    std::vector<UnreadBookmarkLine> itsAtMainLevel;
    // The lines cut for their depth that no folder kept holds, written after the Main Level.
    std::vector<std::string> itsCutAtMainLevel;
    std::string itsDirectory;
    bool itsReadFailed = false;
    std::string itsReadProblem;
    std::string itsSaveProblem;
    bool itHasUnsavedChanges = false;
};

// The bookmark file's name.
inline constexpr char kBookmarkFileName[] = "BookMark.kq";

// Menu tags of entries. Opening a bookmark and choosing a folder as target have ranges of
// their own, clear of the program's fixed tags and below the framework's (32000 and up);
// the top level as a target is "Main Level", tag 999. An entry numbered past the ranges
// has no tag (0); adding renumbers the entries (compacting deleted numbers) before it
// would hand out such a number, and refuses when even that leaves none.
namespace bookmarktag {
inline constexpr short kMainLevel = 999;
inline constexpr short kOpenFirst = 12000;
inline constexpr short kFolderFirst = 22000;
inline constexpr int kNumbers = 10000;
inline short Open(int number)
{
    return number >= 0 && number < kNumbers ? short(kOpenFirst + number) : 0;
}
inline short Folder(int number)
{
    return number >= 0 && number < kNumbers ? short(kFolderFirst + number) : 0;
}
// The entry number a tag of that range stands for, or -1.
inline int NumberOfOpen(int tag)
{
    return tag >= kOpenFirst && tag < kOpenFirst + kNumbers ? tag - kOpenFirst : -1;
}
inline int NumberOfFolder(int tag)
{
    return tag >= kFolderFirst && tag < kFolderFirst + kNumbers ? tag - kFolderFirst : -1;
}
} // namespace bookmarktag
