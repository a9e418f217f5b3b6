// bookmark_menus.h: the bookmark store shown in the program: the node record that ties a
// tree node to its entry, the Bookmarks menu of a main window (rebuilt after every change of
// the store) and what its items do (open a bookmark, add the entry shown to a folder).
#pragma once

#include "vkocoll/collect.h"

class BMItem;
class BookmarkStore;
class FRM_CTreeItem;
class FRM_CWindow;
class MainRefWin;

// What a node of a bookmark tree holds: its entry (the store's). The tree owns the record.
class BookmarkNode : public RWCollectable {
public:
    explicit BookmarkNode(BMItem* theEntry) : entry(theEntry) {}
    BMItem* entry;
};

// The entry of a tree node; none for the root and for nodes that hold none.
BMItem* EntryOfNode(FRM_CTreeItem* item);

// Rebuilds window's Bookmarks menu: "Add Bookmark" with the folders as targets,
// "Organize Bookmarks...", a separator, then the bookmarks and their folders.
void RebuildBookmarkMenus(FRM_CWindow* window, const BookmarkStore& store);

// A tag of the bookmark menus chosen in window: a bookmark's opens it in window (switched to
// the bookmark's dictionary first when it shows another); a folder target's adds the entry
// window shows to that folder. False for any other tag.
bool DoBookmarkMenuCommand(MainRefWin* window, BookmarkStore& store, short tag);
