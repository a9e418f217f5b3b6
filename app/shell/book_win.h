// book_win.h: BookWin, the "Organize Bookmarks" window: the bookmark store as a tree under
// "Main Level", in which the user deletes entries, sorts the tree by name, makes folders,
// drags entries onto folders, and opens a bookmark by double-clicking it. Every change is
// made in the store (which writes its file) and in the tree alike. The window factory makes
// it (element 1017) with its texts, tree and buttons, over the preferences document, which
// opens the bookmark chosen once the window is gone.
#pragma once
#include <cstdint>
#include <memory>

#include "app/shell/close_soon.h"
#include "app/shell/id_data.h"
#include "frm/views/cwindow.h"

class BMItem;
class BookmarkStore;
class FRM_CDragSource;
class FRM_CImage;
class FRM_CTreeItem;
class FRM_CTreeStringSorter;
class FRM_CTreeView;
class FRM_NButton;

class BookWin : public FRM_CWindow {
public:
    static constexpr long kCmdDelete = 11001;
    static constexpr long kCmdSort = 11002;
    static constexpr long kCmdNewFolder = 11003;
    static constexpr long kCmdHelp = 11004;
    static constexpr long kCmdClose = 11005;
    static constexpr long kCmdDrop = 373;   // the tree's drop sink: data a CViewSinkData
    static constexpr std::int32_t kOpenDelayMs = 100;

    // The factory's constructor; the tree shows the application's bookmarks.
    BookWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
            long attributes, e_win_type type, int menuBarId, WINDOW parent);
    ~BookWin() override;

    // The open tag of the bookmark activated (also given to the document), 0 until one is.
    short PendingTag() const { return itsPendingTag; }
    FRM_CTreeView* GetTree() const { return itsTree; }
    FRM_NButton* GetButton(long command) const;
    // A press on the tree over an entry starts dragging it (the framework's drag source,
    // with the tree as its sink); the release at point (the window's coordinates) drops it
    // there.
    void DragFrom(FRM_CTreeItem* item);
    void DropAt(const FRM_CPoint& point);
    // Moves dragged under target when target is a folder node (the root: the top level)
    // other than dragged and not inside it; false, changing nothing, otherwise.
    bool Move(FRM_CTreeItem* dragged, FRM_CTreeItem* target);

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void DoTimer(long timerId) override;
    void Key(const FRM_CKey& key) override;
    void DoKey(const FRM_CKey& key) override;

private:
    void TreeEvent(void* data);
    // Opens the bookmark of item once the window has gone; nothing for a folder.
    void OpenBookmark(FRM_CTreeItem* item);
    void DeleteSelected();
    void NewFolder();
    void EnableEditing(bool deleteAndSort, bool newFolder);
    FRM_CTreeItem* Selected() const;
    // Once sorted, the tree and the file keep every level in name order, also for what is
    // moved or made after.
    void KeepSorted();

    BookWinIDData itsIDData;
    BookmarkStore* itsStore;
    FRM_CTreeView* itsTree = nullptr;
    FRM_NButton* itsDelete = nullptr;
    FRM_NButton* itsSort = nullptr;
    FRM_NButton* itsNewFolder = nullptr;
    FRM_NButton* itsHelp = nullptr;
    FRM_NButton* itsOk = nullptr;
    std::unique_ptr<FRM_CImage> itsFolderImage;
    std::unique_ptr<FRM_CTreeStringSorter> itsSorter;
    std::unique_ptr<FRM_CDragSource> itsDragSource;  // the window's mouse handler; owns the sink
    FRM_CTreeItem* itsDragged = nullptr;
    short itsPendingTag = 0;
    bool itIsSorted = false;
    CloseSoon itsClose;  // OK closes on the next tick, an opened bookmark kOpenDelayMs later
};
