// bookmark_fuzz.cpp: libFuzzer target for the bookmark file. Each input is the text of a
// "BookMark.kq"; the tree read from it is saved and read again, and the second tree must
// be the first: the same folders and bookmarks in the same places, and the same lines
// left unread or cut for their depth (they are written back as they were); no folder is
// nested deeper than the store keeps. Every number handed out finds its entry.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/bookmark_store.h"
#include "fuzz/fuzz_support.h"

namespace {

// The tree as text, one line per entry with its depth; walked without recursion, since a
// file may nest folders as deep as it has lines.
std::string shape_of(const std::vector<std::unique_ptr<BMItem>>& top)
{
    std::string shape;
    std::vector<std::pair<const BMItem*, std::size_t>> pending;
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        pending.emplace_back(it->get(), 0);
    while (!pending.empty()) {
        const auto [entry, depth] = pending.back();
        pending.pop_back();
        shape += std::to_string(depth) + (entry->isFolder ? " F " : " B ") + entry->text + "|" +
                 entry->name + "\n";
        for (auto it = entry->children.rbegin(); it != entry->children.rend(); ++it)
            pending.emplace_back(it->get(), depth + 1);
    }
    return shape;
}

void check_numbers(const BookmarkStore& store)
{
    for (int number = 0; number < store.NumberCount(); ++number) {
        const BMItem* entry = store.FindByNumber(number);
        if (entry == nullptr || entry->number != number)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& dir = fuzzsupport::work_dir();
    if (!fuzzsupport::write_file(dir + kBookmarkFileName, fuzzsupport::as_string(data, size)))
        return 0;
    BookmarkStore first;
    if (first.Load(dir) != 1)
        return 0;
    check_numbers(first);
    if (first.Save() != 1)
        __builtin_trap();  // the folder is writable: the save must succeed
    BookmarkStore second;
    if (second.Load(dir) != 1 || shape_of(second.TopLevel()) != shape_of(first.TopLevel()) ||
        second.UnreadLines().size() != first.UnreadLines().size() ||
        second.CutLines().size() != first.CutLines().size())
        __builtin_trap();
    // Folders nest no deeper than the store keeps.
    std::vector<std::pair<const BMItem*, int>> pending;
    for (const auto& entry : second.TopLevel())
        pending.emplace_back(entry.get(), 1);
    while (!pending.empty()) {
        const auto [entry, depth] = pending.back();
        pending.pop_back();
        if (entry->isFolder && depth > BookmarkStore::kDeepestFolder)
            __builtin_trap();
        for (const auto& child : entry->children)
            pending.emplace_back(child.get(), depth + 1);
    }
    return 0;
}
