// bookmark_menus.cpp: the bookmark tree and menus, and what the bookmark menu items do.
#include "app/shell/bookmark_menus.h"

#include <string>
#include <vector>

#include "app/pages/search_notebook.h"
#include "app/pages/search_page_win.h"
#include "app/settings/config_dict.h"
#include "app/shell/bookmark_store.h"
#include "app/shell/kq_app.h"
#include "app/shell/main_ref_win.h"
#include "resources/menu_tags.h"
#include "app/shell/ref_doc.h"
#include "engine/worditem.h"
#include "frm/controls/ctreevw.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/collstr.h"

namespace {

FRM_CMenuItem Separator() { return FRM_CMenuItem(FRM_CStringRW(""), 0, 0, FRM_CMenu::SEPARATOR); }

FRM_CStringRW Label(const BMItem& entry) { return FRM_CStringRW(entry.name.c_str()); }

// Menu items show at most this many characters of a name: a longer one is cut and ends in
// "...", so that a menu stays on the screen whatever the file holds.
constexpr std::size_t kMenuLabelChars = 64;

FRM_CStringRW MenuLabel(const BMItem& entry)
{
    std::string shown = entry.name;
    if (shown.size() > kMenuLabelChars)
        shown = shown.substr(0, kMenuLabelChars - 3) + "...";
    return FRM_CStringRW(menutag::Literal(shown).c_str());
}

bool HoldsFolder(const BMItem& folder)
{
    for (const auto& child : folder.children)
        if (child->isFolder)
            return true;
    return false;
}

void AppendEntries(FRM_CSubmenu& submenu, const std::vector<std::unique_ptr<BMItem>>& entries,
                   int depth)
{
    for (const auto& entry : entries) {
        if (entry->isFolder) {
            FRM_CSubmenu folder(MenuLabel(*entry), bookmarktag::Open(entry->number), 0,
                                FRM_CMenu::ENABLED);
            if (depth < BookmarkStore::kMenuDepth)
                AppendEntries(folder, entry->children, depth + 1);
            submenu.Append(folder);
        } else if (const short tag = bookmarktag::Open(entry->number)) {
            submenu.Append(FRM_CMenuItem(MenuLabel(*entry), tag, 0, FRM_CMenu::ENABLED));
        }
    }
}

// A target: a folder without folders is an item; one with folders a submenu that starts
// with the folder itself.
void AppendTarget(FRM_CSubmenu& submenu, const FRM_CStringRW& name, short tag,
                  const std::vector<std::unique_ptr<BMItem>>& contents, bool holdsFolder, int depth)
{
    if (tag == 0)
        return;
    if (!holdsFolder || depth >= BookmarkStore::kMenuDepth) {
        submenu.Append(FRM_CMenuItem(name, tag, 0, FRM_CMenu::ENABLED));
        return;
    }
    FRM_CSubmenu folder(name, tag, 0, FRM_CMenu::ENABLED);
    folder.Append(FRM_CMenuItem(name, tag, 0, FRM_CMenu::ENABLED));
    folder.Append(Separator());
    for (const auto& child : contents)
        if (child->isFolder)
            AppendTarget(folder, MenuLabel(*child), bookmarktag::Folder(child->number),
                         child->children, HoldsFolder(*child), depth + 1);
    submenu.Append(folder);
}

// The submenu's title, tag, mnemonic and flags with no entries.
FRM_CSubmenu EmptyLike(const FRM_CSubmenu& submenu)
{
    return FRM_CSubmenu(submenu.GetTitle(), submenu.GetTag(), submenu.GetMnemonic(),
                        submenu.GetFlags());
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// Shows entry's word in window: the part before its first '[' looked up as an entry word,
// then the hit whose text is the whole word.
void ShowBookmarkedWord(MainRefWin* window, const configDict* description, const std::string& word)
{
    SearchPageWin* page = window->ShowPage(0);
    const RWOrdered& names = description->SearchNames();
    for (std::size_t i = 0; i < names.entries(); ++i)
        if (std::string(static_cast<const RWCollectableString*>(names[i])->data()) == "va")
            page->ChooseSearchType(static_cast<int>(i));
    page->SearchFor(word.substr(0, word.find('[')));
    if (const RWOrdered* hits = window->GetNotebook()->GetCurrentHits()) {
        for (std::size_t i = 0; i < hits->entries(); ++i) {
            if (Trimmed(static_cast<const WordItem*>((*hits)[i])->data()) == word) {
                if (i != 0)
                    page->ShowHit(static_cast<int>(i));
                break;
            }
        }
    }
}

// The bookmark's dictionary is not described, or its data cannot be opened: the user learns
// which one, and the window keeps what it shows.
void TellDictionaryNotAvailable(const BMItem& entry)
{
    vko_dm_post_error("Unable to find the bookmark's Reference\nThe dictionary \"%s\" of the "
                      "bookmark \"%s\" is not available.",
                      entry.text.c_str(), entry.name.c_str());
}

void OpenBookmark(MainRefWin* window, const BMItem& entry)
{
    KQedApp* application = KQedApp::Instance();
    const configDict* description =
        application != nullptr ? application->FindDescription(entry.text) : nullptr;
    if (description == nullptr) {
        TellDictionaryNotAvailable(entry);
        return;
    }
    // The bookmark shows in the window whose menu or organiser it was chosen from, even when
    // another window shows its dictionary already.
    const auto* shown = dynamic_cast<const RefDoc*>(window->GetDocument());
    if (shown == nullptr || shown->GetDescription() != description) {
        // The window switches to the dictionary, as choosing it in the reference selector
        // does (the selector lists the descriptions in their order).
        const RWOrdered& descriptions = application->GetDescriptions();
        long position = 0;
        while (position < static_cast<long>(descriptions.entries()) &&
               descriptions[static_cast<std::size_t>(position)] != description)
            ++position;
        MainRefWin::CmdSelectReference::Send(*window, position);
        const auto* document = dynamic_cast<const RefDoc*>(window->GetDocument());
        if (document == nullptr || document->GetDescription() != description) {
            // Its data could not be opened: the window keeps its dictionary.
            TellDictionaryNotAvailable(entry);
            return;
        }
    }
    ShowBookmarkedWord(window, description, entry.name);
}

// The dictionary the entry was shown from: the one open when it was looked up, which the
// window may have left since (the entry stays shown after a switch); else the window's.
const configDict* DictionaryOfEntry(const MainRefWin& window, const EntryRecord& entry)
{
    const KQedApp* application = KQedApp::Instance();
    if (application != nullptr && entry.reference >= 0 &&
        static_cast<std::size_t>(entry.reference) < application->GetDescriptions().entries())
        return static_cast<const configDict*>(
            application->GetDescriptions()[static_cast<std::size_t>(entry.reference)]);
    const auto* document = dynamic_cast<const RefDoc*>(window.GetDocument());
    return document != nullptr ? document->GetDescription() : nullptr;
}

void AddCurrentEntry(MainRefWin* window, BookmarkStore& store, BMItem* folder)
{
    FRM_CStringRW current("");
    SearchNotebook::CmdCurrentWordString::Send(*window->GetNotebook(), current);
    const std::string shown = current.data();
    const EntryRecord* entry = window->GetNotebook()->GetHistories().entries.Current();
    const configDict* dictionary = entry != nullptr ? DictionaryOfEntry(*window, *entry) : nullptr;
    if (shown.empty() || dictionary == nullptr) {
        vko_dm_post_note("%s", "Look an entry up first: the bookmark keeps the entry shown.");
        return;
    }
    const std::string word = Trimmed(shown);
    const std::string reference = dictionary->ref_name().data();
    if (BookmarkStore::CheckBookmarkName(word) != BookmarkNameProblem::kNone ||
        BookmarkStore::CheckRefName(reference) != BookmarkNameProblem::kNone) {
        vko_dm_post_warning(
            "A bookmark cannot keep \"%s\" of \"%s\": the bookmark file cannot hold "
            "a ':' or a line break in a word or dictionary name.",
            word.c_str(), reference.c_str());
        return;
    }
    if (store.AddBookmark(folder, word, reference) == nullptr)
        vko_dm_post_warning("%s", "No more bookmarks can be added.");
}

} // namespace

BMItem* EntryOfNode(FRM_CTreeItem* item)
{
    auto* node = item != nullptr ? dynamic_cast<BookmarkNode*>(item->GetUserData()) : nullptr;
    return node != nullptr ? node->entry : nullptr;
}

void BookmarkStore::FillTree(FRM_CTreeView* tree) const
{
    // Depth first without recursion: folders may nest as deep as the file makes them.
    struct Level {
        const std::vector<std::unique_ptr<BMItem>>* entries;
        std::size_t next;
        FRM_CTreeNodeItem* node;
    };
    std::vector<Level> stack{{&itsTopLevel, 0, tree->GetRoot()}};
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.entries->size()) {
            stack.pop_back();
            continue;
        }
        BMItem* entry = (*level.entries)[level.next++].get();
        FRM_CTreeItem* item = entry->isFolder ? level.node->AddNodeChild(Label(*entry))
                                              : level.node->AddTerminalChild(Label(*entry));
        if (item == nullptr)
            continue;
        item->SetUserData(new BookmarkNode(entry));
        if (entry->isFolder)
            stack.push_back({&entry->children, 0, static_cast<FRM_CTreeNodeItem*>(item)});
    }
}

void BookmarkStore::BuildBookmarkMenu(FRM_CSubmenu& submenu) const
{
    AppendEntries(submenu, itsTopLevel, 1);
}

void BookmarkStore::BuildFolderMenu(FRM_CSubmenu& submenu) const
{
    bool holdsFolder = false;
    for (const auto& entry : itsTopLevel)
        holdsFolder = holdsFolder || entry->isFolder;
    AppendTarget(submenu, FRM_CStringRW("Main Level"), bookmarktag::kMainLevel, itsTopLevel,
                 holdsFolder, 0);
}

void BookmarkStore::ClearMenu(FRM_CSubmenu& submenu) { submenu = EmptyLike(submenu); }

void BookmarkStore::ClearBookmarkEntries(FRM_CSubmenu& submenu)
{
    const RWOrdered* entries = submenu.GetMenus();
    std::size_t keep = 0;
    for (std::size_t i = entries->entries(); i-- > 0;) {
        const auto* item = dynamic_cast<const FRM_CMenuItem*>((*entries)[i]);
        if (item != nullptr && item->IsSeparator()) {
            keep = i + 1;
            break;
        }
    }
    FRM_CSubmenu kept = EmptyLike(submenu);
    for (std::size_t i = 0; i < keep; ++i)
        kept.Append(*static_cast<const FRM_CMenu*>((*entries)[i]));
    submenu = kept;
}

void RebuildBookmarkMenus(FRM_CWindow* window, const BookmarkStore& store)
{
    FRM_CMenuBar* bar = window != nullptr ? window->GetMenuBar() : nullptr;
    FRM_CSubmenu* current = bar != nullptr ? bar->FindSubmenu(menutag::kBookmarks) : nullptr;
    if (current == nullptr)
        return;
    FRM_CSubmenu bookmarks = *current;
    BookmarkStore::ClearBookmarkEntries(bookmarks);
    FRM_CSubmenu add(FRM_CStringRW("&Add Bookmark"), menutag::kAddBookmark, 'A',
                     FRM_CMenu::ENABLED);
    if (const FRM_CMenu* old = bookmarks.Find(menutag::kAddBookmark))
        add = EmptyLike(*static_cast<const FRM_CSubmenu*>(old));
    store.BuildFolderMenu(add);
    bookmarks.Replace(menutag::kAddBookmark, add);
    store.BuildBookmarkMenu(bookmarks);
    bar->ReplaceSubmenu(menutag::kBookmarks, bookmarks);
    bar->DoUpdate();
}

bool DoBookmarkMenuCommand(MainRefWin* window, BookmarkStore& store, short tag)
{
    const int opened = bookmarktag::NumberOfOpen(tag);
    if (opened >= 0) {
        if (const BMItem* entry = store.FindByNumber(opened); entry != nullptr && !entry->isFolder)
            OpenBookmark(window, *entry);
        return true;
    }
    if (tag == bookmarktag::kMainLevel) {
        AddCurrentEntry(window, store, nullptr);
        return true;
    }
    const int target = bookmarktag::NumberOfFolder(tag);
    if (target < 0)
        return false;
    if (BMItem* folder = store.FindByNumber(target); folder != nullptr && folder->isFolder)
        AddCurrentEntry(window, store, folder);
    return true;
}
