// bookmark_store.cpp: reading, changing and writing the bookmark tree.
#include "app/shell/bookmark_store.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/settings/file_replace.h"

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
template <typename Visit> void for_each_entry(const std::vector<std::unique_ptr<BMItem>>& level, Visit visit)
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
    itsDirectory = directory;
    itsReadFailed = false;
    itHasUnsavedChanges = false;

    const fs::path path = directory.empty() ? fs::path(kBookmarkFileName) : fs::path(directory) / kBookmarkFileName;
    std::error_code code;
    if (!fs::exists(path, code))
        return 1;
    std::ifstream in(path, std::ios::binary);
    if (!in || fs::is_directory(path, code)) {
        itsReadFailed = true;
        return 0;
    }

    std::vector<BMItem*> open;  // the folders being read, outermost first
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
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
        const std::size_t start = std::min(line.find_first_not_of(kSpacesAndSeparators, first), line.size());
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

        // The innermost open folder whose path is the one the line names; failing that, the
        // innermost one of the owner's name (older files kept stale paths inside moved
        // folders); failing that, the top level.
        const std::string folder_path = folder_path_of(*entry);
        std::size_t depth = open.size();
        if (!owner.empty() && owner != kTopLevelMark) {
            for (std::size_t i = open.size(); i-- > 0;)
                if (open[i]->path == folder_path) {
                    depth = i;
                    break;
                }
            if (depth == open.size())
                for (std::size_t i = open.size(); i-- > 0;)
                    if (open[i]->name == owner) {
                        depth = i;
                        break;
                    }
        }
        BMItem* folder = depth == open.size() ? nullptr : open[depth];
        open.resize(folder == nullptr ? 0 : depth + 1);
        BMItem* placed = entry.get();
        Place(std::move(entry), folder);
        if (placed->isFolder)
            open.push_back(placed);
    }
    if (in.bad()) {
        // Keep what was read but never write it over a file only partly read.
        itsReadFailed = true;
        return 0;
    }
    return 1;
}

int BookmarkStore::Save()
{
    if (itsReadFailed)
        return 0;
    std::string text;
    for_each_entry(itsTopLevel, [&text](const BMItem& entry) {
        if (entry.isFolder)
            text += std::string(kTopLevelMark) + ":" + entry.path + ":" + kTopLevelMark + "\n";
        else
            text += entry.text + ":" + (entry.path.empty() ? std::string(kTopLevelMark) : entry.path) + ":" +
                    entry.name + "\n";
    });
    for (const UnreadBookmarkLine& unread : itsUnread)
        text += unread.text + "\n";
    const fs::path path =
        itsDirectory.empty() ? fs::path(kBookmarkFileName) : fs::path(itsDirectory) / kBookmarkFileName;
    if (!ReplaceFileContents(path.string(), text))
        return 0;
    itHasUnsavedChanges = false;
    return 1;
}

BMItem* BookmarkStore::AddBookmark(BMItem* folder, const std::string& name, const std::string& text)
{
    if ((folder != nullptr && !folder->isFolder) || CheckBookmarkName(name) != BookmarkNameProblem::kNone ||
        CheckRefName(text) != BookmarkNameProblem::kNone || !NumberAvailable())
        return nullptr;
    auto entry = std::make_unique<BMItem>();
    entry->path = folder == nullptr ? kTopLevelMark : folder->path;
    entry->name = name;
    entry->text = text;
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
    if (entry == nullptr || entry->parent != oldFolder || (newFolder != nullptr && !newFolder->isFolder))
        return false;
    for (const BMItem* up = newFolder; up != nullptr; up = up->parent)
        if (up == entry)
            return false;  // into itself or its own contents: the folder would vanish in a loop

    std::vector<std::unique_ptr<BMItem>>& from = LevelOf(oldFolder);
    auto it = std::find_if(from.begin(), from.end(), [entry](const auto& e) { return e.get() == entry; });
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
    auto it = std::find_if(level.begin(), level.end(), [entry](const auto& e) { return e.get() == entry; });
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

BookmarkNameProblem BookmarkStore::CheckFolderName(const BMItem* parentFolder, const std::string& name) const
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
    return number >= 0 && number < NumberCount() ? itsAll[static_cast<std::size_t>(number)] : nullptr;
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

std::vector<std::unique_ptr<BMItem>>& BookmarkStore::LevelOf(const BMItem* folder)
{
    return folder == nullptr ? itsTopLevel : const_cast<BMItem*>(folder)->children;
}
