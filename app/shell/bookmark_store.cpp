// bookmark_store.cpp: reading, changing and writing the bookmark tree.
#include "app/shell/bookmark_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#include "app/settings/file_replace.h"
#include "vkocoll/readfile.h"

namespace {

namespace fs = std::filesystem;

constexpr char kTopLevelMark[] = "<>";
constexpr char kSpaces[] = " \t\f\v\r";
constexpr char kSpacesAndSeparators[] = " \t\f\v\r:";

// One line taken apart: three ':'-separated fields (runs of ':' are one separator); the
// third keeps the rest of the line, so nothing after it is dropped.
struct Fields {
    std::string first, second, third;
};

Fields fields_of(const std::string& line)
{
    Fields f;
    std::size_t at = 0;
    std::string* targets[2] = {&f.first, &f.second};
    for (std::string* target : targets) {
        at = line.find_first_not_of(':', at);
        if (at == std::string::npos)
            return f;
        const std::size_t end = std::min(line.find(':', at), line.size());
        *target = line.substr(at, end - at);
        at = end;
    }
    at = line.find_first_not_of(':', at);
    if (at != std::string::npos)
        f.third = line.substr(at);
    return f;
}

// The non-empty '/'-separated parts of a path.
std::vector<std::string> parts_of(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t at = 0;
    while ((at = path.find_first_not_of('/', at)) != std::string::npos) {
        const std::size_t end = std::min(path.find('/', at), path.size());
        parts.push_back(path.substr(at, end - at));
        at = end;
    }
    return parts;
}

// How many folders a path names (its non-empty '/'-separated parts).
int count_parts(const std::string& path)
{
    int parts = 0;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (path[i] != '/' && (i == 0 || path[i - 1] == '/'))
            ++parts;
    return parts;
}

// A path as a message quotes it: a long one by its start and its end.
std::string shortened(const std::string& path)
{
    constexpr std::size_t kEachEnd = 40;
    return path.size() <= 2 * kEachEnd + 3
               ? path
               : path.substr(0, kEachEnd) + "..." + path.substr(path.size() - kEachEnd);
}

bool has_line_break(const std::string& s)
{
    return s.find_first_of("\r\n") != std::string::npos;
}

// Bytes no name or word holds (tabs aside): a line with them is damage or not text at all.
bool has_control_character(const std::string& line)
{
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
    });
}

// The path of the folder that holds entry, as its line names it.
std::string folder_path_of(const BMItem& entry)
{
    if (!entry.isFolder)
        return entry.path == kTopLevelMark ? std::string() : entry.path;
    const std::size_t slash = entry.path.rfind('/');
    return slash == std::string::npos ? std::string() : entry.path.substr(0, slash);
}

// Calls visit(entry) for each entry of level and below, folders before their contents.
template <typename Visit>
void for_each_entry(const std::vector<std::unique_ptr<BMItem>>& level, Visit visit)
{
    std::vector<BMItem*> pending;
    for (auto it = level.rbegin(); it != level.rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        BMItem* entry = pending.back();
        pending.pop_back();
        visit(*entry);
        for (auto it = entry->children.rbegin(); it != entry->children.rend(); ++it)
            pending.push_back(it->get());
    }
}

// How deep folder lies: 1 for a folder at the top level, 0 for none (the top level itself).
int depth_of(const BMItem* folder)
{
    int depth = 0;
    for (; folder != nullptr; folder = folder->parent)
        ++depth;
    return depth;
}

// The length of the line Save writes for a folder of that path, and for a bookmark in the
// folder of that path (empty: the top level).
std::size_t folder_line_length(std::size_t path) { return path + 6; }
std::size_t bookmark_line_length(const BMItem& bookmark, std::size_t folderPath)
{
    return bookmark.text.size() + (folderPath == 0 ? 2 : folderPath) + bookmark.name.size() + 2;
}

// Whether entry, with all it holds, fits into folder (none: the top level): no folder deeper
// than the store keeps and no line longer than the file may hold, once the paths follow.
bool fits_into(const BMItem& entry, const BMItem* folder)
{
    struct Pending {
        const BMItem* entry;
        int folderDepth;
        std::size_t folderPath;  // the length of its folder's path; 0 at the top level
    };
    std::vector<Pending> pending{
        {&entry, depth_of(folder), folder == nullptr ? 0 : folder->path.size()}};
    while (!pending.empty()) {
        const Pending at = pending.back();
        pending.pop_back();
        if (!at.entry->isFolder) {
            if (bookmark_line_length(*at.entry, at.folderPath) >
                BookmarkStore::kLongestBookmarkLine)
                return false;
            continue;
        }
        const std::size_t path =
            (at.folderPath == 0 ? 0 : at.folderPath + 1) + at.entry->name.size();
        if (at.folderDepth + 1 > BookmarkStore::kDeepestFolder ||
            folder_line_length(path) > BookmarkStore::kLongestBookmarkLine)
            return false;
        for (const auto& child : at.entry->children)
            pending.push_back({child.get(), at.folderDepth + 1, path});
    }
    return true;
}

const std::string kTooDeep =
    "a folder nested more than " + std::to_string(BookmarkStore::kDeepestFolder) + " deep";
const std::string kInsideTooDeep = "inside " + kTooDeep;

// The folders that a line of the file may go into while it is read. The open folders (the
// one read last and those holding it) are found by path, else by name, innermost first, and
// every folder read so far by path; each look-up takes the same time however deep the
// folders go. A folder cut for its depth is kept as one, so that its contents are cut too.
class FolderFinder {
public:
    struct Found {
        BMItem* folder = nullptr;  // none: the main level
        BMItem* keptIn = nullptr;  // the deepest folder kept that holds it (itself when kept)
        int depth = 0;             // the folder's: 0 for the main level
        bool cut = false;          // a folder cut for its depth
        bool known = false;        // whether any folder was found
    };

    // A line at the main level: no folder is open after it.
    void AtMainLevel() { CloseFrom(0); }

    // The folder for a line that names folderPath, whose owner (its folder's name) is owner.
    // An open folder is found innermost first, by path and else by name (older files kept
    // stale paths inside moved folders); then any folder read before, by path. The open
    // folders are then those up to it.
    Found Find(const std::string& folderPath, const std::string& owner)
    {
        std::size_t at = itsOpen.size();
        if (const auto byPath = itsOpenByPath.find(folderPath); byPath != itsOpenByPath.end())
            at = byPath->second.back();
        else if (const auto byName = itsOpenByName.find(owner); byName != itsOpenByName.end())
            at = byName->second.back();
        if (at != itsOpen.size()) {
            CloseFrom(at + 1);
            return FoundOf(itsRead[itsOpen[at]]);
        }
        CloseFrom(0);
        const auto read = itsReadByPath.find(folderPath);
        if (read == itsReadByPath.end())
            return Found{};
        Reopen(read->second);
        return FoundOf(itsRead[read->second]);
    }

    // A folder just read (none: cut for its depth, inside keptIn), now the innermost open one.
    void Open(BMItem* folder, BMItem* keptIn, const std::string& path, const std::string& name,
              int depth)
    {
        itsRead.push_back({folder, keptIn, path, name, depth});
        itsReadByPath[path] = itsRead.size() - 1;
        Reopen(itsRead.size() - 1);
    }

private:
    struct ReadFolder {
        BMItem* folder;  // none: cut for its depth
        BMItem* keptIn;
        std::string path;
        std::string name;
        int depth;
    };

    static Found FoundOf(const ReadFolder& read)
    {
        return {read.folder, read.keptIn, read.depth, read.folder == nullptr, true};
    }

    void Reopen(std::size_t read)
    {
        itsOpenByPath[itsRead[read].path].push_back(itsOpen.size());
        itsOpenByName[itsRead[read].name].push_back(itsOpen.size());
        itsOpen.push_back(read);
    }

    // Closes the open folders from position at on, innermost first.
    void CloseFrom(std::size_t at)
    {
        while (itsOpen.size() > at) {
            const ReadFolder& closing = itsRead[itsOpen.back()];
            Forget(itsOpenByPath, closing.path);
            Forget(itsOpenByName, closing.name);
            itsOpen.pop_back();
        }
    }

    static void Forget(std::unordered_map<std::string, std::vector<std::size_t>>& index,
                       const std::string& key)
    {
        const auto it = index.find(key);
        it->second.pop_back();
        if (it->second.empty())
            index.erase(it);
    }

    std::vector<ReadFolder> itsRead;    // every folder read, in reading order
    std::vector<std::size_t> itsOpen;   // the open ones (places in itsRead), outermost first
    std::unordered_map<std::string, std::vector<std::size_t>> itsOpenByPath;  // places in itsOpen
    std::unordered_map<std::string, std::vector<std::size_t>> itsOpenByName;
    std::unordered_map<std::string, std::size_t> itsReadByPath;  // the last read of each path
};

} // namespace

BMItem::~BMItem()
{
    // Flatten the contents level by level so that no destructor recurses.
    while (!children.empty()) {
        std::unique_ptr<BMItem> last = std::move(children.back());
        children.pop_back();
        for (auto& grandchild : last->children)
            children.push_back(std::move(grandchild));
        last->children.clear();
    }
}

int BMItem::compareTo(const BMItem& other) const
{
    const int order = name.compare(other.name);
    return order == 0 ? 0 : (order < 0 ? -1 : 1);
}

int BookmarkStore::Load(const std::string& directory)
{
    itsTopLevel.clear();
    itsAll.clear();
    itsUnread.clear();
    itsCut.clear();
    itsAtMainLevel.clear();
    itsCutAtMainLevel.clear();
    itsDirectory = directory;
    itsReadFailed = false;
    itsReadProblem.clear();
    itHasUnsavedChanges = false;

    const std::string path = FilePath();
    if (NothingNamed(path))
        return 1;
    // A FIFO, a device, a link that leads nowhere or round in a loop is refused as a file
    // that cannot be read: it is never written over.
    std::FILE* file = OpenFileToRead(path);
    if (file == nullptr) {
        itsReadFailed = true;
        itsReadProblem = DescribeUnreadable(path, errno);
        return 0;
    }

    FolderFinder folders;
    std::string line;
    int number = 0;
    LineRead read;
    while ((read = ReadTextLine(file, &line, kLongestBookmarkLine)) == LineRead::kLine) {
        ++number;
        const std::string original = line;
        // A saved line could not carry back a CR at the end of the last field, nor white space
        // at the start of the first: neither is read as part of a field.
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find_first_not_of(kSpaces);
        if (first == std::string::npos || line[first] == ';')
            continue;
        if (has_control_character(line)) {
            itsUnread.push_back({number, original, "a line holding control characters"});
            continue;
        }
        const std::size_t start =
            std::min(line.find_first_not_of(kSpacesAndSeparators, first), line.size());
        const Fields f = fields_of(line.substr(start));

        auto entry = std::make_unique<BMItem>();
        std::string owner;
        const char* problem = nullptr;
        if (f.first == kTopLevelMark || f.third == kTopLevelMark) {
            const std::vector<std::string> parts = parts_of(f.second);
            entry->isFolder = true;
            entry->path = f.second;
            entry->name = parts.empty() ? std::string() : parts.back();
            owner = parts.size() < 2 ? std::string() : parts[parts.size() - 2];
            if (entry->name.empty())
                problem = "a folder line without a name";
            else if (entry->name == kTopLevelMark)
                problem = "a folder named \"<>\"";
        } else {
            const std::vector<std::string> parts = parts_of(f.second);
            entry->text = f.first;
            entry->path = f.second;
            entry->name = f.third;
            owner = parts.empty() ? std::string() : parts.back();
            if (entry->name.empty())
                problem = "a bookmark line without a word";
            else if (entry->text[0] == ';')
                problem = "a bookmark line whose dictionary starts with ';'";  // saved, a comment
        }
        if (problem != nullptr) {
            itsUnread.push_back({number, original, problem});
            continue;
        }

        const bool atTop = owner.empty() || owner == kTopLevelMark;
        const std::string folderPath = folder_path_of(*entry);
        if (atTop)
            folders.AtMainLevel();
        const FolderFinder::Found found =
            atTop ? FolderFinder::Found{} : folders.Find(folderPath, owner);
        // A line whose folder is not before it lies as deep as its path says: one deeper than
        // the store keeps is cut for that depth rather than shown at the Main Level.
        const int depth = found.known ? found.depth + (entry->isFolder ? 1 : 0)
                                      : count_parts(folderPath) + (entry->isFolder ? 1 : 0);
        const bool tooDeep = !atTop && depth > kDeepestFolder;
        if (!atTop && !found.known && !tooDeep) {
            itsAtMainLevel.push_back({number, original, "its folder \"" + shortened(folderPath) +
                                                            "\" is not before it in the file"});
            // Its path now says where it is, so that a save reads back the same tree.
            entry->path = entry->isFolder ? entry->name : kTopLevelMark;
        }
        if (found.cut || tooDeep) {
            // Kept as it stands, with everything inside it, and written back after the contents
            // of the deepest folder kept that holds it (or after the Main Level's), where it
            // reads back the same.
            itsCut.push_back(
                {number, original, entry->isFolder && !found.cut ? kTooDeep : kInsideTooDeep});
            (found.keptIn != nullptr ? found.keptIn->cutLines : itsCutAtMainLevel)
                .push_back(original);
            if (entry->isFolder)
                folders.Open(nullptr, found.keptIn, entry->path, entry->name, depth);
            continue;
        }
        // An entry found by its owner's name may name another folder's path (a stale path
        // kept inside a moved folder): it takes the path of the folder it is in, so that a
        // save reads back the same tree, unless that line would be too long to read back.
        // The rest of the file still finds a folder by the path its own line gives.
        const std::string pathInFile = entry->path;
        if (found.folder != nullptr && found.folder->path != folderPath) {
            const std::string& in = found.folder->path;
            const bool fits =
                entry->isFolder
                    ? folder_line_length(in.size() + 1 + entry->name.size()) <= kLongestBookmarkLine
                    : bookmark_line_length(*entry, in.size()) <= kLongestBookmarkLine;
            if (fits)
                entry->path = entry->isFolder ? in + "/" + entry->name : in;
        }
        BMItem* placed = entry.get();
        Place(std::move(entry), found.folder);
        if (placed->isFolder)
            folders.Open(placed, placed, pathInFile, placed->name, found.depth + 1);
    }
    const int error = errno;
    std::fclose(file);
    if (read != LineRead::kEnd) {
        // A line longer than any the program writes, or a failed read: keep what was read but
        // never write it over a file only partly read.
        itsReadFailed = true;
        itsReadProblem = "line " + std::to_string(number + 1) +
                         (read == LineRead::kTooLong
                              ? " is longer than " + std::to_string(kLongestBookmarkLine) + " bytes"
                              : " cannot be read: " + std::string(std::strerror(error)));
        return 0;
    }
    return 1;
}

int BookmarkStore::Save()
{
    if (itsReadFailed) {
        itsSaveProblem =
            "it could not be read at start (" + itsReadProblem + ") and is left as it is";
        return 0;
    }
    std::string text;
    // Depth first, folders before their contents and, after them, the lines cut inside them.
    struct Level {
        const BMItem* folder;  // none: the top level
        std::size_t next;
    };
    std::vector<Level> pending{{nullptr, 0}};
    while (!pending.empty()) {
        const BMItem* folder = pending.back().folder;
        const auto& entries = folder == nullptr ? itsTopLevel : folder->children;
        if (pending.back().next == entries.size()) {
            for (const std::string& cut : folder != nullptr ? folder->cutLines : itsCutAtMainLevel)
                text += cut + "\n";
            pending.pop_back();
            continue;
        }
        const BMItem& entry = *entries[pending.back().next++];
        if (entry.isFolder)
            text += std::string(kTopLevelMark) + ":" + entry.path + ":" + kTopLevelMark + "\n";
        else
            text += entry.text + ":" +
                    (entry.path.empty() ? std::string(kTopLevelMark) : entry.path) + ":" +
                    entry.name + "\n";
        if (entry.isFolder)
            pending.push_back({&entry, 0});
    }
    for (const UnreadBookmarkLine& unread : itsUnread)
        text += unread.text + "\n";
    if (!ReplaceFileContents(FilePath(), text, &itsSaveProblem))
        return 0;
    itHasUnsavedChanges = false;
    return 1;
}

BMItem* BookmarkStore::AddBookmark(BMItem* folder, const std::string& name, const std::string& text)
{
    if ((folder != nullptr && !folder->isFolder) ||
        CheckBookmarkName(name) != BookmarkNameProblem::kNone ||
        CheckRefName(text) != BookmarkNameProblem::kNone)
        return nullptr;
    auto entry = std::make_unique<BMItem>();
    entry->path = folder == nullptr ? kTopLevelMark : folder->path;
    entry->name = name;
    entry->text = text;
    if (!fits_into(*entry, folder) || !NumberAvailable())
        return nullptr;
    BMItem* added = entry.get();
    Place(std::move(entry), folder);
    Changed();
    return added;
}

BMItem* BookmarkStore::AddFolder(BMItem* parentFolder, const std::string& name)
{
    if ((parentFolder != nullptr && !parentFolder->isFolder) ||
        CheckFolderName(parentFolder, name) != BookmarkNameProblem::kNone || !NumberAvailable())
        return nullptr;
    auto entry = std::make_unique<BMItem>();
    entry->isFolder = true;
    entry->path = parentFolder == nullptr ? name : parentFolder->path + "/" + name;
    entry->name = name;
    BMItem* added = entry.get();
    Place(std::move(entry), parentFolder);
    Changed();
    return added;
}

bool BookmarkStore::MoveItem(BMItem* oldFolder, BMItem* newFolder, BMItem* entry)
{
    if (entry == nullptr || entry->parent != oldFolder ||
        (newFolder != nullptr && !newFolder->isFolder))
        return false;
    for (const BMItem* up = newFolder; up != nullptr; up = up->parent)
        if (up == entry)
            return false;  // into itself or its own contents: the folder would vanish in a loop
    if (!fits_into(*entry, newFolder))
        return false;

    std::vector<std::unique_ptr<BMItem>>& from = LevelOf(oldFolder);
    auto it =
        std::find_if(from.begin(), from.end(), [entry](const auto& e) { return e.get() == entry; });
    if (it == from.end())
        return false;
    std::unique_ptr<BMItem> moving = std::move(*it);
    from.erase(it);
    entry->parent = newFolder;
    LevelOf(newFolder).push_back(std::move(moving));

    // The moved entry's path, and those of everything inside it, follow the new place, so the
    // file names each entry's real folder.
    if (entry->isFolder)
        entry->path = newFolder == nullptr ? entry->name : newFolder->path + "/" + entry->name;
    else
        entry->path = newFolder == nullptr ? kTopLevelMark : newFolder->path;
    std::vector<BMItem*> pending{entry};
    while (!pending.empty()) {
        BMItem* folder = pending.back();
        pending.pop_back();
        for (auto& child : folder->children) {
            child->path = child->isFolder ? folder->path + "/" + child->name : folder->path;
            pending.push_back(child.get());
        }
    }
    Changed();
    return true;
}

void BookmarkStore::DeleteItem(BMItem* entry)
{
    if (entry == nullptr)
        return;
    std::vector<std::unique_ptr<BMItem>>& level = LevelOf(entry->parent);
    auto it = std::find_if(level.begin(), level.end(),
                           [entry](const auto& e) { return e.get() == entry; });
    if (it == level.end())
        return;
    Forget(entry);
    level.erase(it);
    Changed();
}

bool BookmarkStore::SortByName()
{
    const auto before = [](const std::unique_ptr<BMItem>& a, const std::unique_ptr<BMItem>& b) {
        return a->name < b->name;
    };
    bool moved = false;
    const auto sortLevel = [&](std::vector<std::unique_ptr<BMItem>>& level) {
        if (std::is_sorted(level.begin(), level.end(), before))
            return;
        std::stable_sort(level.begin(), level.end(), before);
        moved = true;
    };
    sortLevel(itsTopLevel);
    for_each_entry(itsTopLevel, [&](BMItem& entry) { sortLevel(entry.children); });
    if (moved)
        Changed();
    return moved;
}

BookmarkNameProblem BookmarkStore::CheckFolderName(const BMItem* parentFolder,
                                                   const std::string& name) const
{
    if (name.empty())
        return BookmarkNameProblem::kEmpty;
    if (name.find_first_of(":/") != std::string::npos || has_line_break(name))
        return BookmarkNameProblem::kBadCharacter;
    if (name == kTopLevelMark)
        return BookmarkNameProblem::kReserved;
    const auto& level = parentFolder == nullptr ? itsTopLevel : parentFolder->children;
    for (const auto& sibling : level)
        if (sibling->isFolder && sibling->name == name)
            return BookmarkNameProblem::kDuplicate;
    if (depth_of(parentFolder) >= kDeepestFolder)
        return BookmarkNameProblem::kTooDeep;
    const std::size_t path =
        (parentFolder == nullptr ? 0 : parentFolder->path.size() + 1) + name.size();
    if (folder_line_length(path) > kLongestBookmarkLine)
        return BookmarkNameProblem::kTooLong;
    return BookmarkNameProblem::kNone;
}

BookmarkNameProblem BookmarkStore::CheckBookmarkName(const std::string& name)
{
    if (name.empty())
        return BookmarkNameProblem::kEmpty;
    if (name.find(':') != std::string::npos || has_line_break(name))
        return BookmarkNameProblem::kBadCharacter;
    if (name == kTopLevelMark)
        return BookmarkNameProblem::kReserved;
    return BookmarkNameProblem::kNone;
}

BookmarkNameProblem BookmarkStore::CheckRefName(const std::string& text)
{
    if (text.empty())
        return BookmarkNameProblem::kEmpty;
    // A line starting with white space or ';' would read differently (or as a comment).
    if (text.find(':') != std::string::npos || has_line_break(text) || text[0] == ';' ||
        std::string(kSpaces).find(text[0]) != std::string::npos)
        return BookmarkNameProblem::kBadCharacter;
    if (text == kTopLevelMark)
        return BookmarkNameProblem::kReserved;
    return BookmarkNameProblem::kNone;
}

BMItem* BookmarkStore::FindByNumber(int number) const
{
    return number >= 0 && number < NumberCount() ? itsAll[static_cast<std::size_t>(number)]
                                                 : nullptr;
}

void BookmarkStore::Place(std::unique_ptr<BMItem> entry, BMItem* folder)
{
    entry->parent = folder;
    entry->number = NumberCount();
    itsAll.push_back(entry.get());
    LevelOf(folder).push_back(std::move(entry));
}

void BookmarkStore::Forget(BMItem* entry)
{
    std::vector<BMItem*> pending{entry};
    while (!pending.empty()) {
        BMItem* e = pending.back();
        pending.pop_back();
        if (FindByNumber(e->number) == e)
            itsAll[static_cast<std::size_t>(e->number)] = nullptr;
        for (auto& child : e->children)
            pending.push_back(child.get());
    }
}

void BookmarkStore::Changed()
{
    itHasUnsavedChanges = true;
    Save();
    if (onChanged)
        onChanged();
}

void BookmarkStore::Renumber()
{
    itsAll.clear();
    for_each_entry(itsTopLevel, [this](BMItem& entry) {
        entry.number = NumberCount();
        itsAll.push_back(&entry);
    });
}

bool BookmarkStore::NumberAvailable()
{
    if (NumberCount() >= bookmarktag::kNumbers)
        Renumber();
    return NumberCount() < bookmarktag::kNumbers;
}

std::string BookmarkStore::FilePath() const
{
    return itsDirectory.empty() ? std::string(kBookmarkFileName)
                                : (fs::path(itsDirectory) / kBookmarkFileName).string();
}

std::vector<std::unique_ptr<BMItem>>& BookmarkStore::LevelOf(const BMItem* folder)
{
    return folder == nullptr ? itsTopLevel : const_cast<BMItem*>(folder)->children;
}
