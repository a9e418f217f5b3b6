// book_win.cpp: the bookmark organiser.
#include "app/shell/book_win.h"

#include <string>

#include "app/display/not_handled.h"
#include "app/shell/bookmark_menus.h"
#include "app/shell/bookmark_store.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/ctreeevt.h"
#include "frm/controls/ctreevw.h"
#include "frm/controls/nctrls.h"
#include "frm/core/ccmdnums.h"
#include "frm/core/cobjrwc.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cimage.h"
#include "frm/interaction/cdrag.h"
#include "frm/views/cviewdrg.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr int kFolderImage = 39100;
constexpr int kDuplicateFolderMessage = 1036;
constexpr std::int32_t kNameLength = 256;
constexpr long kDragKind = 2;  // a tree node

// Why a folder name is refused, as the prompt says it; null for a good name.
const char* Refusal(BookmarkNameProblem problem)
{
    switch (problem) {
    case BookmarkNameProblem::kNone:
        return nullptr;
    case BookmarkNameProblem::kEmpty:
        return "A folder needs a name.";
    case BookmarkNameProblem::kBadCharacter:
        return "Folder names cannot contain ':' or '/'.";
    case BookmarkNameProblem::kReserved:
        return "\"<>\" cannot be a folder name.";
    case BookmarkNameProblem::kTooDeep:
        return "Folders cannot be nested any deeper.";
    case BookmarkNameProblem::kTooLong:
        return "The folder's name is too long for the bookmarks file.";
    case BookmarkNameProblem::kDuplicate:
        break;
    }
    return nullptr;
}

// The tree's stop in the window's Tab order. The tree draws in the window's own toolkit
// window, so the keys are given to that window; the tree then has them through the
// window's key focus. Entered with no row marked, it marks the selected row, else the first,
// so that the arrows have a place to start from.
class TreeTabStop : public FRM_CTabStop {
public:
    explicit TreeTabStop(FRM_CTreeView* tree) : FRM_CTabStop(tree), itsTree(tree) {}
    void Activate() override
    {
        if (itsTree->GetFocusItem() == nullptr) {
            const std::vector<FRM_CTreeItem*>& selection = itsTree->GetSelection();
            itsTree->SetFocusItem(selection.empty() ? itsTree->GetRoot() : selection.front(), 1);
        }
        FRM_CTabStop::Activate();
        if (FRM_CWindow* window = itsTree->GetCWindow())
            vko_scr_set_focus_vobj(window->GetVKOWindow());
    }

private:
    FRM_CTreeView* itsTree;
};

} // namespace

BookWin::BookWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                 long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent),
      itsStore(&KQedApp::Instance()->GetBookmarks())
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kBookmarkWindow, 0, &itsIDData);
    itsDelete = itsIDData.Get<FRM_NButton>(1270);
    itsSort = itsIDData.Get<FRM_NButton>(1272);
    itsNewFolder = itsIDData.Get<FRM_NButton>(1274);
    itsHelp = itsIDData.Get<FRM_NButton>(1276);
    itsOk = itsIDData.Get<FRM_NButton>(1278);
    itsTree = itsIDData.Get<FRM_CTreeView>(1268);

    itsSorter = std::make_unique<FRM_CTreeStringSorter>(-1);
    itsFolderImage = std::make_unique<FRM_CImage>(static_cast<long>(kFolderImage));
    itsTree->ITreeView(nullptr, 0x07000000ul, FRM_CEnvironment::DefaultFont(),
                       FRM_CTreeItem::kBestHeight, FRM_CTreeItem::kBestIndent, nullptr,
                       itsFolderImage.get(), itsFolderImage.get(), nullptr, 1, 1, 1, 16, 100, 1,
                       0xFFFFFFFF);
    // The tree owns the small node records; the entries stay the store's.
    itsTree->SetDeleteUserData(1);
    itsTree->SetSelectionPolicy(FRM_CTreeView::SelectOne);
    itsTree->SetExpansionPolicy(FRM_CTreeView::ExpandRestore);
    FRM_CTreeNodeItem* root = itsTree->GetRoot();
    root->SetString(FRM_CStringRW("Main Level"));
    itsStore->FillTree(itsTree);
    root->Expand(0, 0);
    EnableEditing(false, false);

    // The tree is the drop sink of the window's drag source; the source deletes it.
    itsDragSource = std::make_unique<FRM_CDragSource>();
    itsDragSource->RegisterSink(new FRM_CViewSink(itsTree, kCmdDrop, kNoCommand, kNoCommand,
                                                  kNoCommand),
                                0);
    GetMouseManager()->RegisterMouseHandler(itsDragSource.get(), 0);
    // The tree is the first stop of the Tab order, before the buttons, and has the keys first.
    FRM_CNavigator* navigator = GetNavigator();
    navigator->InsertTabStop(0, new TreeTabStop(itsTree));
    navigator->InitFocus();
    itsTree->Invalidate(itsTree->GetLocalFrame());
    vko_dwin_invalidate_rect(GetVKOWindow(), nullptr);
}

BookWin::~BookWin()
{
    if (FRM_CMouseManager* manager = GetMouseManager())
        manager->UnRegisterMouseHandler(itsDragSource.get());
}

FRM_NButton* BookWin::GetButton(long command) const
{
    switch (command) {
    case kCmdDelete: return itsDelete;
    case kCmdSort: return itsSort;
    case kCmdNewFolder: return itsNewFolder;
    case kCmdHelp: return itsHelp;
    case kCmdClose: return itsOk;
    default: return nullptr;
    }
}

FRM_CTreeItem* BookWin::Selected() const
{
    const std::vector<FRM_CTreeItem*>& selection = itsTree->GetSelection();
    return selection.empty() ? nullptr : selection.front();
}

void BookWin::EnableEditing(bool deleteAndSort, bool newFolder)
{
    for (FRM_NButton* button : {itsDelete, itsSort})
        deleteAndSort ? button->DoEnable() : button->DoDisable();
    newFolder ? itsNewFolder->DoEnable() : itsNewFolder->DoDisable();
}

void BookWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdDelete:
        DeleteSelected();
        return;
    case kCmdSort:
        // The file takes the order too: the next start and the menus show what the user
        // sorted.
        itIsSorted = true;
        KeepSorted();
        return;
    case kCmdNewFolder:
        NewFolder();
        return;
    case kCmdClose:
        // Not from inside the button's own click: the window goes on the next tick.
        itsClose.Ask(this);
        return;
    case FRM_CTreeView::kTreeEventCommand:
        TreeEvent(data);
        return;
    case kCmdDrop:
        // The sink's point is the task window's.
        if (const auto* drop = static_cast<const CViewSinkData*>(data)) {
            const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
            FRM_CWindow* task = library != nullptr ? library->GetTaskWin() : nullptr;
            DropAt(task != nullptr ? drop->GetMouseLocation().GetTranslated(task, this)
                                   : drop->GetMouseLocation());
        }
        return;
    default:
        if (!IsFrameworkEcho(command))
            FRM_CWindow::DoCommand(command, data);
    }
}

void BookWin::TreeEvent(void* data)
{
    auto* event = static_cast<FRM_CTreeEvent*>(data);
    if (event == nullptr || event->GetTree() != itsTree)
        return;
    FRM_CTreeItem* item = event->GetTreeItem();
    FRM_CTreeItem* root = itsTree->GetRoot();
    switch (event->GetType()) {
    case FRM_CTreeEvent::SelectionChanged: {
        FRM_CTreeItem* selected = Selected();
        EnableEditing(selected != nullptr, selected != nullptr && !selected->IsTerminal());
        return;
    }
    case FRM_CTreeEvent::MouseClick:
        // A press on an entry starts dragging it; letting go over a folder moves it there.
        if (item != nullptr && item != root)
            DragFrom(item);
        return;
    case FRM_CTreeEvent::MouseDoubleClick:
        // A bookmark opens; a folder opens or closes in the tree.
        OpenBookmark(item);
        return;
    default:
        return;
    }
}

void BookWin::OpenBookmark(FRM_CTreeItem* item)
{
    // The bookmark opens once the window has gone.
    const BMItem* entry = EntryOfNode(item);
    if (entry == nullptr || entry->isFolder || itsPendingTag != 0)
        return;
    itsPendingTag = bookmarktag::Open(entry->number);
    if (itsPendingTag == 0)
        return;
    if (auto* user = dynamic_cast<UserInfoDoc*>(GetDocument()))
        user->SetPendingBookmark(itsPendingTag);
    itsClose.Ask(this, kOpenDelayMs);
}

void BookWin::DoTimer(long timerId)
{
    if (!itsClose.OnTimer(this, timerId))
        FRM_CWindow::DoTimer(timerId);
}

void BookWin::DeleteSelected()
{
    FRM_CTreeItem* selected = Selected();
    if (selected == nullptr)
        return;
    FRM_CTreeNodeItem* root = itsTree->GetRoot();
    if (selected == root) {
        // The root stands for every bookmark and folder: they go only when the user says
        // so, since nothing brings them back. Return and Escape keep them: Cancel is the
        // default.
        if (vko_dm_post_ask("Cancel", "Delete All", nullptr, "%s", "Selected root to delete!") != 1)
            return;
        itsTree->ClearSelection(0);
        // The rows that go take no marked row with them: the keys go on from the root.
        itsTree->SetFocusItem(root, 0);
        while (root->GetNChildren() != 0) {
            FRM_CTreeItem* child = root->GetChild(root->GetNChildren() - 1);
            if (BMItem* entry = EntryOfNode(child))
                itsStore->DeleteItem(entry);
            delete root->RemoveChild(root->GetNChildren() - 1);
        }
    } else if (FRM_CTreeNodeItem* parent = selected->GetParent()) {
        itsTree->ClearSelection(0);
        itsTree->SetFocusItem(parent, 0);
        if (BMItem* entry = EntryOfNode(selected))
            itsStore->DeleteItem(entry);
        for (unsigned i = 0; i < parent->GetNChildren(); ++i) {
            if (parent->GetChild(i) == selected) {
                delete parent->RemoveChild(i);
                break;
            }
        }
    }
    itsTree->Invalidate(itsTree->GetLocalFrame());
    EnableEditing(false, false);
}

void BookWin::NewFolder()
{
    FRM_CTreeItem* selected = Selected();
    if (selected == nullptr || selected->IsTerminal())
        return;
    auto* node = static_cast<FRM_CTreeNodeItem*>(selected);
    BMItem* parent = EntryOfNode(node);  // none: the top level
    for (;;) {
        char name[kNameLength + 1] = "";
        if (vko_dm_post_string_prompt(FRM_CStringRW(1032).data(), name, sizeof name) == nullptr)
            return;
        const BookmarkNameProblem problem = itsStore->CheckFolderName(parent, name);
        if (problem == BookmarkNameProblem::kDuplicate) {
            vko_dm_post_message("%s", FRM_CStringRW(kDuplicateFolderMessage).data());
            continue;
        }
        if (const char* refusal = Refusal(problem)) {
            vko_dm_post_message("%s", refusal);
            continue;
        }
        if (BMItem* folder = itsStore->AddFolder(parent, name)) {
            if (FRM_CTreeItem* item = node->AddNodeChild(FRM_CStringRW(name)))
                item->SetUserData(new BookmarkNode(folder));
            node->Expand(0, 0);
            KeepSorted();
        }
        break;
    }
    itsTree->Invalidate(itsTree->GetLocalFrame());
}

void BookWin::KeepSorted()
{
    if (!itIsSorted)
        return;
    itsTree->GetRoot()->SortChildren(itsSorter.get(), 1);
    itsStore->SortByName();
    itsTree->Invalidate(itsTree->GetLocalFrame());
}

void BookWin::DragFrom(FRM_CTreeItem* item)
{
    itsDragged = item;
    if (item != nullptr && !itsDragSource->IsDragging())
        itsDragSource->DoDrag(kDragKind, item, this, VKO_CURSOR_HAND);
}

void BookWin::DropAt(const FRM_CPoint& point)
{
    FRM_CTreeItem* dragged = itsDragged;
    itsDragged = nullptr;
    // A release where the press was, or outside the tree, moves nothing.
    if (dragged != nullptr && itsTree->GetGlobalFrame().IsPointInRect(point))
        Move(dragged, itsTree->PointToItem(point));
}

bool BookWin::Move(FRM_CTreeItem* dragged, FRM_CTreeItem* target)
{
    if (dragged == nullptr || target == nullptr || target == dragged || target->IsTerminal())
        return false;
    FRM_CTreeNodeItem* from = dragged->GetParent();
    if (from == nullptr)
        return false;  // the root stays where it is
    BMItem* entry = EntryOfNode(dragged);
    BMItem* folder = EntryOfNode(target);  // none: the top level
    // The store refuses a folder dropped into itself or its own folders.
    if (entry == nullptr || !itsStore->MoveItem(EntryOfNode(from), folder, entry))
        return false;
    for (unsigned i = 0; i < from->GetNChildren(); ++i) {
        if (from->GetChild(i) == dragged) {
            from->RemoveChild(i);
            break;
        }
    }
    static_cast<FRM_CTreeNodeItem*>(target)->AddChild(dragged);
    KeepSorted();
    itsTree->Invalidate(itsTree->GetLocalFrame());
    return true;
}

void BookWin::Key(const FRM_CKey& key)
{
    const bool deleteKey =
        key.IsVirtualKey() ? key.GetChar() == VKO_KEY_DELETE : key.GetChar() == 127;
    if (deleteKey)
        DoCommand(kCmdDelete, nullptr);
    // Escape closes the window, as OK does: its changes are kept as they are made.
    else if (!key.IsVirtualKey() && key.GetChar() == 27)
        DoCommand(kCmdClose, nullptr);
    else
        FRM_CWindow::Key(key);
}

void BookWin::DoKey(const FRM_CKey& key)
{
    // Return opens the bookmark selected, as a double-click does, and on a folder lets the
    // tree open or close it. It presses a button only when the user moved to one other than
    // Delete: deleting takes the Delete button or the Delete key, never Return.
    if (key.IsVirtualKey() || key.GetChar() != 13) {
        FRM_CWindow::DoKey(key);
        return;
    }
    auto* button = dynamic_cast<FRM_NButton*>(FindDeepKeyFocus());
    if (button != nullptr && button != itsDelete) {
        FRM_CWindow::DoKey(key);
        return;
    }
    FRM_CTreeItem* selected = Selected();
    if (selected != nullptr && selected->IsTerminal())
        OpenBookmark(selected);
    else
        itsTree->DoKey(key);
}

void BookWin::DoMenuCommand(short tag, short shift, short control)
{
    if (tag != kNoCommand)
        FRM_CWindow::DoMenuCommand(tag, shift, control);
}

void BookWin::DoUpdateModel(long, long command, const FRM_CModel*)
{
    if (command != kNoCommand)
        PostNotHandledError(command, *this);
}
