// ctreeitm.h: the items of a tree view and what describes them: the shared attribute records
// (colour, font, row height, indent, images, tab set, source), the leaf item and the node
// item with its sorted children and composite height, the flat description of a child, the
// sorters that order a node's children and the source that fills a node on first expansion.
//
// Heights: a node's composite height is its own row height plus, while it is expanded, the
// composite heights of its children; a leaf's is its own. Every change of a height, of the
// children or of the expansion keeps this true for every node up to the root. Offsets are
// vertical distances from the top of the root's row, in the view's units.
#pragma once

#include <cstdint>
#include <vector>

#include "frm/core/cboss.h"
#include "frm/core/cstringrw.h"
#include "frm/drawing/cfont.h"

class CTabSet;
class FRM_CImage;
class FRM_CTreeItem;
class FRM_CTreeNodeItem;
class FRM_CTreeSource;
class FRM_CTreeView;

// The shared, read-only look of items. A tree view keeps one record per distinct set of
// values; changing one value of an item replaces its record by the view's record for the
// new set (the Clone operations), never changes a record.
class FRM_CTreeAttributes : public RWCollectable {
public:
    FRM_CTreeAttributes(unsigned long theColor, const FRM_CFont& theFont, float theHeight,
                        float theIndent, const FRM_CImage* theImage,
                        const FRM_CImage* theCollapsedImage, const FRM_CImage* theExpandedImage,
                        const CTabSet* theTabSet, const FRM_CTreeSource* theSource);
    FRM_CTreeAttributes() = default;
    FRM_CTreeAttributes(const FRM_CTreeAttributes& other) = default;
    FRM_CTreeAttributes& operator=(const FRM_CTreeAttributes& other) = default;

    unsigned long GetColor() const { return itsColor; }
    const FRM_CFont& GetFont() const { return itsFont; }
    float GetHeight() const { return itsHeight; }
    float GetIndent() const { return itsIndent; }
    const FRM_CImage* GetImage() const { return itsImage; }
    const FRM_CImage* GetCollapsedImage() const { return itsCollapsedImage; }
    const FRM_CImage* GetExpandedImage() const { return itsExpandedImage; }
    const CTabSet* GetTabSet() const { return itsTabSet; }
    const FRM_CTreeSource* GetSource() const { return itsSource; }
    // The view sharing this record; null once the view is being destroyed.
    FRM_CTreeView* GetView() const { return itsView; }
    void SetView(FRM_CTreeView* theView) { itsView = theView; }

    // Every value but the view.
    bool operator==(const FRM_CTreeAttributes& other) const;
    bool operator!=(const FRM_CTreeAttributes& other) const { return !(*this == other); }
    bool isEqual(const RWCollectable* other) const override;
    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override { return new FRM_CTreeAttributes(*this); }
    // The id the container library's factory gave "CTreeAttributes" when the library loaded.
    static RWClassID classIsA();
    RWClassID isA() const override { return classIsA(); }

    // This record when the value is the current one, else the view's record with that one
    // value changed (null without a view).
    const FRM_CTreeAttributes* CloneColor(unsigned long theColor) const;
    const FRM_CTreeAttributes* CloneFont(const FRM_CFont& theFont) const;
    const FRM_CTreeAttributes* CloneHeight(float theHeight) const;
    const FRM_CTreeAttributes* CloneIndent(float theIndent) const;
    const FRM_CTreeAttributes* CloneImage(const FRM_CImage* theImage) const;
    const FRM_CTreeAttributes* CloneCollapsedImage(const FRM_CImage* theImage) const;
    const FRM_CTreeAttributes* CloneExpandedImage(const FRM_CImage* theImage) const;
    const FRM_CTreeAttributes* CloneTabSet(const CTabSet* theTabSet) const;
    const FRM_CTreeAttributes* CloneSource(const FRM_CTreeSource* theSource) const;

private:
    // The view's shared record for theChanged.
    const FRM_CTreeAttributes* Shared(const FRM_CTreeAttributes& theChanged) const;

    unsigned long itsColor = 0;
    FRM_CFont itsFont;
    float itsHeight = 0;
    float itsIndent = 0;
    const FRM_CImage* itsImage = nullptr;
    const FRM_CImage* itsCollapsedImage = nullptr;
    const FRM_CImage* itsExpandedImage = nullptr;
    const CTabSet* itsTabSet = nullptr;
    const FRM_CTreeSource* itsSource = nullptr;
    FRM_CTreeView* itsView = nullptr;
};

// The description of one item to make: its look, its text and whether it is a leaf.
struct FRM_CTreeItemInfo {
    unsigned long itsColor = 0;
    FRM_CFont itsFont;
    float itsHeight = 0;
    float itsIndent = 0;
    FRM_CStringRW itsString;
    short itsIsTerminal = 0;
    const FRM_CImage* itsImage = nullptr;
    const FRM_CImage* itsCollapsedImage = nullptr;
    const FRM_CImage* itsExpandedImage = nullptr;
    const CTabSet* itsTabSet = nullptr;
    const FRM_CTreeSource* itsSource = nullptr;
};
using FRM_CTreeItemInfoRWGVector = std::vector<FRM_CTreeItemInfo>;

// Where a node's children come from the first time it is expanded.
class FRM_CTreeSource {
public:
    virtual ~FRM_CTreeSource() = default;
    // A new list describing theNode's children (the caller deletes it), or null.
    virtual FRM_CTreeItemInfoRWGVector* GetTreeData(FRM_CTreeNodeItem* theNode) const = 0;
};

class FRM_CTreeSorter {
public:
    enum Comparison { GreaterThan = 0, LessThan = 1, EqualTo = 2 };
    virtual ~FRM_CTreeSorter() = default;
    virtual Comparison Compare(const FRM_CTreeItem* a, const FRM_CTreeItem* b) const = 0;
};

// Orders items by one field of their texts (see CTabSet::GetField), or by the whole texts
// when the field is negative; case-sensitive, byte by byte.
class FRM_CTreeStringSorter : public FRM_CTreeSorter {
public:
    explicit FRM_CTreeStringSorter(short theSortTab = -1) : itsSortTab(theSortTab) {}
    void SetSortTab(short theSortTab) { itsSortTab = theSortTab; }
    short GetSortTab() const { return itsSortTab; }
    Comparison Compare(const FRM_CTreeItem* a, const FRM_CTreeItem* b) const override;

private:
    short itsSortTab;
};

class FRM_CTreeItem : public FRM_CNotifier {
    FRM_TYPE_INFO(CTreeItem)
public:
    // Passed as a height or an indent: the view chooses one that fits the font and images.
    static constexpr float kBestHeight = -1.0f;
    static constexpr float kBestIndent = -1.0f;

    FRM_CTreeItem(FRM_CTreeNodeItem* theParent, const FRM_CTreeAttributes* theAttributes);
    // Tells the view first: the focus and the selection let go of the item, and the view's
    // user data goes with it when the view owns user data.
    ~FRM_CTreeItem() override;

    // Each setter answers the previous value and points the item at the view's record with
    // the new value. Nothing is redrawn.
    virtual FRM_CFont SetFont(const FRM_CFont& theFont);
    virtual unsigned long SetColor(unsigned long theColor);
    virtual float SetHeight(float theHeight);
    virtual float SetIndent(float theIndent);
    virtual FRM_CStringRW SetString(const FRM_CStringRW& theString);
    virtual const FRM_CImage* SetImage(const FRM_CImage* theImage);
    virtual const FRM_CImage* SetCollapsedImage(const FRM_CImage* theImage);
    virtual const FRM_CImage* SetExpandedImage(const FRM_CImage* theImage);
    virtual const CTabSet* SetTabSet(const CTabSet* theTabSet);
    virtual const FRM_CTreeSource* SetSource(const FRM_CTreeSource* theSource);

    const FRM_CFont& GetFont() const { return itsAttributes->GetFont(); }
    unsigned long GetColor() const { return itsAttributes->GetColor(); }
    float GetHeight() const { return itsAttributes->GetHeight(); }
    float GetIndent() const { return itsAttributes->GetIndent(); }
    const FRM_CImage* GetImage() const { return itsAttributes->GetImage(); }
    const CTabSet* GetTabSet() const { return itsAttributes->GetTabSet(); }
    const FRM_CTreeSource* GetSource() const { return itsAttributes->GetSource(); }
    FRM_CStringRW GetString() const { return itsString; }
    const FRM_CTreeAttributes* GetAttributes() const { return itsAttributes; }
    FRM_CTreeView* GetView() const
    {
        return itsAttributes != nullptr ? itsAttributes->GetView() : nullptr;
    }

    // Null on a leaf.
    virtual const FRM_CImage* GetCollapsedImage() const { return nullptr; }
    virtual const FRM_CImage* GetExpandedImage() const { return nullptr; }

    FRM_CTreeNodeItem* GetParent() { return itsParent; }
    const FRM_CTreeNodeItem* GetParent() const { return itsParent; }
    void SetParent(FRM_CTreeNodeItem* theParent) { itsParent = theParent; }
    RWCollectable* GetUserData() { return itsUserData; }
    const RWCollectable* GetUserData() const { return itsUserData; }
    // Deletes the data held before when the view owns user data.
    void SetUserData(RWCollectable* theData);

    virtual unsigned GetNChildren() const { return 0; }
    virtual unsigned GetNVisibleChildren() const { return 0; }
    virtual FRM_CTreeItem* GetChild(unsigned) { return nullptr; }
    virtual const FRM_CTreeItem* GetChild(unsigned) const { return nullptr; }
    virtual float GetCompositeHeight() const { return GetHeight(); }
    virtual void SortChildren(const FRM_CTreeSorter*, short) {}
    virtual void Expand(short, short) {}
    virtual void Collapse(short) {}
    virtual short IsTerminal() const { return 1; }
    // A description from which an equal item can be made.
    virtual FRM_CTreeItemInfo Info() const;

    // By the parent's sorter: -1, 0 or +1; 0 without a parent or a sorter.
    int compareTo(const RWCollectable* other) const override;

protected:
    FRM_CTreeItem(const FRM_CTreeItem& other);
    FRM_CTreeItem& operator=(const FRM_CTreeItem& other);
    // Adds theChange to the composite height of each ancestor from theFirst up, stopping at
    // the first collapsed one, whose composite height is its own row only.
    static void GrowAncestors(FRM_CTreeNodeItem* theFirst, float theChange);
    // Points the item at theAttributes unless it is null.
    void Adopt(const FRM_CTreeAttributes* theAttributes);

    const FRM_CTreeAttributes* itsAttributes = nullptr;
    FRM_CTreeNodeItem* itsParent = nullptr;
    RWCollectable* itsUserData = nullptr;
    FRM_CStringRW itsString;
};

class FRM_CTreeNodeItem : public FRM_CTreeItem {
    FRM_TYPE_INFO(CTreeNodeItem)
public:
    // Collapsed, with the parent's sorter.
    FRM_CTreeNodeItem(FRM_CTreeNodeItem* theParent, const FRM_CTreeAttributes* theAttributes);
    // Deletes the whole subtree.
    ~FRM_CTreeNodeItem() override;

    float SetHeight(float theHeight) override;
    const FRM_CImage* GetCollapsedImage() const override;
    const FRM_CImage* GetExpandedImage() const override;
    unsigned GetNChildren() const override { return static_cast<unsigned>(itsChildren.size()); }
    unsigned GetNVisibleChildren() const override { return itIsCollapsed ? 0 : GetNChildren(); }
    // Null past the last child.
    FRM_CTreeItem* GetChild(unsigned theIndex) override;
    const FRM_CTreeItem* GetChild(unsigned theIndex) const override;
    float GetCompositeHeight() const override { return itsCompositeHeight; }
    // Orders the children by theSorter from now on (recursively when asked).
    void SortChildren(const FRM_CTreeSorter* theSorter, short theRecursive) override;
    // Does nothing on an expanded node. theRefresh discards the children first; a node
    // without children asks its source once.
    void Expand(short theRecurse, short theRefresh) override;
    void Collapse(short theRecurse) override;
    short IsTerminal() const override { return 0; }

    // A child made by the view from theInfo's look, with theString as its text.
    virtual FRM_CTreeItem* AddChild(const FRM_CTreeItemInfo& theInfo,
                                    const FRM_CStringRW& theString);
    // Takes theItem (null is ignored); it goes after every child that sorts before or equal.
    virtual FRM_CTreeItem* AddChild(FRM_CTreeItem* theItem);
    // A child with this node's look.
    virtual FRM_CTreeItem* AddNodeChild(const FRM_CStringRW& theString);
    virtual FRM_CTreeItem* AddTerminalChild(const FRM_CStringRW& theString);
    // Takes child theIndex out; the caller owns it. Null when there is none.
    virtual FRM_CTreeItem* RemoveChild(unsigned theIndex);

    const FRM_CTreeSorter* GetSorter() const { return itsSorter; }
    short IsCollapsed() const { return itIsCollapsed; }

    // The top of theChild (or, when it is not a visible child, of the row after this node's
    // visible children), from the top of the root's row.
    float ChildToOffset(const FRM_CTreeItem* theChild) const;
    // The item whose row holds theOffset (from the top of this node's row); null outside.
    FRM_CTreeItem* OffsetToChild(float theOffset);
    const FRM_CTreeItem* OffsetToChild(float theOffset) const;

protected:
    FRM_CTreeNodeItem(const FRM_CTreeNodeItem& other);
    FRM_CTreeNodeItem& operator=(const FRM_CTreeNodeItem& other);

private:
    friend class FRM_CTreeItem;  // ancestors' heights grow from any item
    // Inserts after every child that compares less or equal; sets the parent.
    void Insert(FRM_CTreeItem* theItem);
    // Makes children from theInfos through the view.
    void Fill(const FRM_CTreeItemInfoRWGVector& theInfos);
    void DestroyChildren();
    // Sets the composite height and hands the change to the ancestors.
    void SetCompositeHeight(float theHeight);

    float itsCompositeHeight = 0;
    std::vector<FRM_CTreeItem*> itsChildren;  // owned, in sorted order
    short itIsCollapsed = 1;
    const FRM_CTreeSorter* itsSorter = nullptr;
};
