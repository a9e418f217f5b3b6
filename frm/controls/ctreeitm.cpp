// ctreeitm.cpp: tree attributes, sorters, and the leaf and node items with their height
// bookkeeping, expansion, sorting and offsets.
#include "frm/controls/ctreeitm.h"

#include <algorithm>
#include <memory>

#include "frm/controls/ctexttab.h"
#include "frm/controls/ctreevw.h"

// ---------------------------------------------------------------------------------------------
// Attributes

FRM_CTreeAttributes::FRM_CTreeAttributes(unsigned long theColor, const FRM_CFont& theFont,
                                         float theHeight, float theIndent,
                                         const FRM_CImage* theImage,
                                         const FRM_CImage* theCollapsedImage,
                                         const FRM_CImage* theExpandedImage,
                                         const CTabSet* theTabSet, const FRM_CTreeSource* theSource)
    : itsColor(theColor), itsFont(theFont), itsHeight(theHeight), itsIndent(theIndent),
      itsImage(theImage), itsCollapsedImage(theCollapsedImage), itsExpandedImage(theExpandedImage),
      itsTabSet(theTabSet), itsSource(theSource)
{
}

bool FRM_CTreeAttributes::operator==(const FRM_CTreeAttributes& other) const
{
    return itsColor == other.itsColor && itsHeight == other.itsHeight &&
           itsIndent == other.itsIndent && itsImage == other.itsImage &&
           itsCollapsedImage == other.itsCollapsedImage &&
           itsExpandedImage == other.itsExpandedImage && itsSource == other.itsSource &&
           itsTabSet == other.itsTabSet && itsFont == other.itsFont;
}

namespace {

RWCollectable* CreateTreeAttributes()
{
    return new FRM_CTreeAttributes();
}

// The record's entry in the container library's factory, under an id the factory hands out,
// for as long as the library is loaded.
struct TreeAttributesRegistration {
    TreeAttributesRegistration() { rwAddToFactory(CreateTreeAttributes, id, "CTreeAttributes"); }
    ~TreeAttributesRegistration() { rwRemoveFromFactory(id); }
    const RWClassID id = nextAtom();
};

const RWClassID kTreeAttributesRegistered = FRM_CTreeAttributes::classIsA();

} // namespace

RWClassID FRM_CTreeAttributes::classIsA()
{
    static const TreeAttributesRegistration registration;
    return registration.id;
}

bool FRM_CTreeAttributes::isEqual(const RWCollectable* other) const
{
    return other != nullptr && other->isA() == classIsA() &&
           *this == *static_cast<const FRM_CTreeAttributes*>(other);
}

RWCollectable* FRM_CTreeAttributes::newSpecies() const
{
    return new FRM_CTreeAttributes();
}

const FRM_CTreeAttributes* FRM_CTreeAttributes::Shared(const FRM_CTreeAttributes& theChanged) const
{
    if (itsView == nullptr)
        return nullptr;
    const FRM_CTreeAttributes& c = theChanged;
    return itsView->GetAttributes(c.itsColor, c.itsFont, c.itsHeight, c.itsIndent, c.itsImage,
                                  c.itsCollapsedImage, c.itsExpandedImage, c.itsTabSet,
                                  c.itsSource);
}

// One clone operation per value: this record when the value is unchanged.
#define FRM_TREE_CLONE(name, type, field)                                                          \
    const FRM_CTreeAttributes* FRM_CTreeAttributes::Clone##name(type theValue) const               \
    {                                                                                              \
        if (field == theValue)                                                                     \
            return this;                                                                           \
        FRM_CTreeAttributes changed(*this);                                                        \
        changed.field = theValue;                                                                  \
        return Shared(changed);                                                                    \
    }
FRM_TREE_CLONE(Color, unsigned long, itsColor)
FRM_TREE_CLONE(Font, const FRM_CFont&, itsFont)
FRM_TREE_CLONE(Height, float, itsHeight)
FRM_TREE_CLONE(Indent, float, itsIndent)
FRM_TREE_CLONE(Image, const FRM_CImage*, itsImage)
FRM_TREE_CLONE(CollapsedImage, const FRM_CImage*, itsCollapsedImage)
FRM_TREE_CLONE(ExpandedImage, const FRM_CImage*, itsExpandedImage)
FRM_TREE_CLONE(TabSet, const CTabSet*, itsTabSet)
FRM_TREE_CLONE(Source, const FRM_CTreeSource*, itsSource)
#undef FRM_TREE_CLONE

// ---------------------------------------------------------------------------------------------
// Sorters

FRM_CTreeSorter::Comparison FRM_CTreeStringSorter::Compare(const FRM_CTreeItem* a,
                                                          const FRM_CTreeItem* b) const
{
    const FRM_CStringRW keyA =
        itsSortTab < 0 ? a->GetString()
                       : CTabSet::GetField(a->GetString(), static_cast<unsigned long>(itsSortTab));
    const FRM_CStringRW keyB =
        itsSortTab < 0 ? b->GetString()
                       : CTabSet::GetField(b->GetString(), static_cast<unsigned long>(itsSortTab));
    const int order = keyA.compareTo(keyB);
    return order < 0 ? LessThan : order == 0 ? EqualTo : GreaterThan;
}

// ---------------------------------------------------------------------------------------------
// Leaf items

FRM_CTreeItem::FRM_CTreeItem(FRM_CTreeNodeItem* theParent, const FRM_CTreeAttributes* theAttributes)
    : itsAttributes(theAttributes), itsParent(theParent)
{
}

FRM_CTreeItem::FRM_CTreeItem(const FRM_CTreeItem& other)
    : FRM_CNotifier(other), itsAttributes(other.itsAttributes)
{
}

// Hand-written: only the look is taken; parent, text and user data stay the item's own.
FRM_CTreeItem& FRM_CTreeItem::operator=(const FRM_CTreeItem& other)
{
    if (this != &other) {
        FRM_CNotifier::operator=(other);
        itsAttributes = other.itsAttributes;
    }
    return *this;
}

FRM_CTreeItem::~FRM_CTreeItem()
{
    FRM_CTreeView* view = GetView();
    if (view == nullptr)
        return;
    if (view->GetFocusItem() == this)
        view->SetFocusItem(nullptr, 0);
    // Only a selected item changes the selection by going.
    if (view->SelectionContains(this))
        view->RemoveFromSelection(this, 0);
    if (view->GetDeleteUserData())
        delete itsUserData;
    itsUserData = nullptr;
}

void FRM_CTreeItem::GrowAncestors(FRM_CTreeNodeItem* theFirst, float theChange)
{
    if (theChange == 0)
        return;
    for (FRM_CTreeNodeItem* node = theFirst; node != nullptr && !node->IsCollapsed();
         node = node->GetParent())
        node->itsCompositeHeight += theChange;
}

void FRM_CTreeItem::Adopt(const FRM_CTreeAttributes* theAttributes)
{
    if (theAttributes != nullptr)  // null only without a view to share with
        itsAttributes = theAttributes;
}

// Each setter: the old value, then the attribute record for the new one.
FRM_CFont FRM_CTreeItem::SetFont(const FRM_CFont& theFont)
{
    FRM_CFont old = GetFont();
    Adopt(itsAttributes->CloneFont(theFont));
    return old;
}

unsigned long FRM_CTreeItem::SetColor(unsigned long theColor)
{
    const unsigned long old = GetColor();
    Adopt(itsAttributes->CloneColor(theColor));
    return old;
}

float FRM_CTreeItem::SetHeight(float theHeight)
{
    const float old = GetHeight();
    Adopt(itsAttributes->CloneHeight(theHeight));
    // A leaf's row is all of its composite height: its ancestors grow with it.
    GrowAncestors(itsParent, GetHeight() - old);
    return old;
}

float FRM_CTreeItem::SetIndent(float theIndent)
{
    const float old = GetIndent();
    Adopt(itsAttributes->CloneIndent(theIndent));
    return old;
}

FRM_CStringRW FRM_CTreeItem::SetString(const FRM_CStringRW& theString)
{
    FRM_CStringRW old = itsString;
    itsString = theString;
    return old;
}

const FRM_CImage* FRM_CTreeItem::SetImage(const FRM_CImage* theImage)
{
    const FRM_CImage* old = GetImage();
    Adopt(itsAttributes->CloneImage(theImage));
    return old;
}

const FRM_CImage* FRM_CTreeItem::SetCollapsedImage(const FRM_CImage* theImage)
{
    const FRM_CImage* old = GetCollapsedImage();
    Adopt(itsAttributes->CloneCollapsedImage(theImage));
    return old;
}

const FRM_CImage* FRM_CTreeItem::SetExpandedImage(const FRM_CImage* theImage)
{
    const FRM_CImage* old = GetExpandedImage();
    Adopt(itsAttributes->CloneExpandedImage(theImage));
    return old;
}

const CTabSet* FRM_CTreeItem::SetTabSet(const CTabSet* theTabSet)
{
    const CTabSet* old = GetTabSet();
    Adopt(itsAttributes->CloneTabSet(theTabSet));
    return old;
}

const FRM_CTreeSource* FRM_CTreeItem::SetSource(const FRM_CTreeSource* theSource)
{
    const FRM_CTreeSource* old = GetSource();
    Adopt(itsAttributes->CloneSource(theSource));
    return old;
}

void FRM_CTreeItem::SetUserData(RWCollectable* theData)
{
    const FRM_CTreeView* view = GetView();
    if (itsUserData != nullptr && itsUserData != theData && view != nullptr &&
        view->GetDeleteUserData())
        delete itsUserData;
    itsUserData = theData;
}

FRM_CTreeItemInfo FRM_CTreeItem::Info() const
{
    FRM_CTreeItemInfo info;
    info.itsColor = GetColor();
    info.itsFont = GetFont();
    info.itsHeight = GetHeight();
    info.itsIndent = GetIndent();
    info.itsString = itsString;
    info.itsIsTerminal = IsTerminal();
    info.itsImage = GetImage();
    info.itsCollapsedImage = GetCollapsedImage();
    info.itsExpandedImage = GetExpandedImage();
    info.itsTabSet = GetTabSet();
    info.itsSource = GetSource();
    return info;
}

int FRM_CTreeItem::compareTo(const RWCollectable* other) const
{
    const FRM_CTreeSorter* sorter = itsParent != nullptr ? itsParent->GetSorter() : nullptr;
    const auto* item = dynamic_cast<const FRM_CTreeItem*>(other);
    if (sorter == nullptr || item == nullptr)
        return 0;
    switch (sorter->Compare(this, item)) {
    case FRM_CTreeSorter::GreaterThan:
        return 1;
    case FRM_CTreeSorter::LessThan:
        return -1;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Node items

FRM_CTreeNodeItem::FRM_CTreeNodeItem(FRM_CTreeNodeItem* theParent,
                                     const FRM_CTreeAttributes* theAttributes)
    : FRM_CTreeItem(theParent, theAttributes),
      itsCompositeHeight(theAttributes != nullptr ? theAttributes->GetHeight() : 0),
      itsSorter(theParent != nullptr ? theParent->GetSorter() : nullptr)
{
}

FRM_CTreeNodeItem::FRM_CTreeNodeItem(const FRM_CTreeNodeItem& other)
    : FRM_CTreeItem(other), itsCompositeHeight(other.GetHeight())
{
}

// Hand-written: the node keeps its own children, height, state and sorter.
FRM_CTreeNodeItem& FRM_CTreeNodeItem::operator=(const FRM_CTreeNodeItem& other)
{
    FRM_CTreeItem::operator=(other);
    return *this;
}

FRM_CTreeNodeItem::~FRM_CTreeNodeItem()
{
    DestroyChildren();
}

void FRM_CTreeNodeItem::DestroyChildren()
{
    std::vector<FRM_CTreeItem*> children;
    children.swap(itsChildren);
    for (FRM_CTreeItem* child : children)
        delete child;
}

float FRM_CTreeNodeItem::SetHeight(float theHeight)
{
    const float old = GetHeight();
    Adopt(itsAttributes->CloneHeight(theHeight));
    const float change = GetHeight() - old;
    itsCompositeHeight += change;
    GrowAncestors(itsParent, change);
    return old;
}

const FRM_CImage* FRM_CTreeNodeItem::GetCollapsedImage() const
{
    return itsAttributes->GetCollapsedImage();
}

const FRM_CImage* FRM_CTreeNodeItem::GetExpandedImage() const
{
    return itsAttributes->GetExpandedImage();
}

FRM_CTreeItem* FRM_CTreeNodeItem::GetChild(unsigned theIndex)
{
    return theIndex < itsChildren.size() ? itsChildren[theIndex] : nullptr;
}

const FRM_CTreeItem* FRM_CTreeNodeItem::GetChild(unsigned theIndex) const
{
    return theIndex < itsChildren.size() ? itsChildren[theIndex] : nullptr;
}

void FRM_CTreeNodeItem::Insert(FRM_CTreeItem* theItem)
{
    theItem->SetParent(this);
    const auto at = std::upper_bound(itsChildren.begin(), itsChildren.end(), theItem,
                                     [](const FRM_CTreeItem* item, const FRM_CTreeItem* child) {
                                         return item->compareTo(child) < 0;
                                     });
    itsChildren.insert(at, theItem);
}

FRM_CTreeItem* FRM_CTreeNodeItem::AddChild(FRM_CTreeItem* theItem)
{
    if (theItem == nullptr)
        return nullptr;
    Insert(theItem);
    GrowAncestors(this, theItem->GetCompositeHeight());
    return theItem;
}

FRM_CTreeItem* FRM_CTreeNodeItem::AddChild(const FRM_CTreeItemInfo& theInfo,
                                           const FRM_CStringRW& theString)
{
    FRM_CTreeView* view = GetView();
    if (view == nullptr)
        return nullptr;
    const FRM_CTreeAttributes* attributes = view->GetAttributes(
        theInfo.itsColor, theInfo.itsFont, theInfo.itsHeight, theInfo.itsIndent, theInfo.itsImage,
        theInfo.itsCollapsedImage, theInfo.itsExpandedImage, theInfo.itsTabSet, theInfo.itsSource);
    FRM_CTreeItem* item = theInfo.itsIsTerminal == 0
                              ? static_cast<FRM_CTreeItem*>(view->CreateNode(this, attributes))
                              : view->CreateTerminal(this, attributes);
    if (item == nullptr)
        return nullptr;
    item->SetString(theString);
    return AddChild(item);
}

FRM_CTreeItem* FRM_CTreeNodeItem::AddNodeChild(const FRM_CStringRW& theString)
{
    FRM_CTreeItemInfo info = Info();
    info.itsIsTerminal = 0;
    return AddChild(info, theString);
}

FRM_CTreeItem* FRM_CTreeNodeItem::AddTerminalChild(const FRM_CStringRW& theString)
{
    FRM_CTreeItemInfo info = Info();
    info.itsIsTerminal = 1;
    return AddChild(info, theString);
}

FRM_CTreeItem* FRM_CTreeNodeItem::RemoveChild(unsigned theIndex)
{
    if (theIndex >= itsChildren.size())
        return nullptr;
    FRM_CTreeItem* child = itsChildren[theIndex];
    itsChildren.erase(itsChildren.begin() + theIndex);
    GrowAncestors(this, -child->GetCompositeHeight());
    child->SetParent(nullptr);
    return child;
}

void FRM_CTreeNodeItem::SetCompositeHeight(float theHeight)
{
    const float change = theHeight - itsCompositeHeight;
    itsCompositeHeight = theHeight;
    GrowAncestors(itsParent, change);
}

void FRM_CTreeNodeItem::Fill(const FRM_CTreeItemInfoRWGVector& theInfos)
{
    FRM_CTreeView* view = GetView();
    if (view == nullptr)
        return;
    for (const FRM_CTreeItemInfo& info : theInfos) {
        const FRM_CTreeAttributes* attributes = view->GetAttributes(
            info.itsColor, info.itsFont, info.itsHeight, info.itsIndent, info.itsImage,
            info.itsCollapsedImage, info.itsExpandedImage, info.itsTabSet, info.itsSource);
        FRM_CTreeItem* item = info.itsIsTerminal == 0
                                  ? static_cast<FRM_CTreeItem*>(view->CreateNode(this, attributes))
                                  : view->CreateTerminal(this, attributes);
        if (item == nullptr)
            continue;
        item->SetString(info.itsString);
        Insert(item);
    }
}

void FRM_CTreeNodeItem::Expand(short theRecurse, short theRefresh)
{
    if (!itIsCollapsed) {
        // Expanding a subtree reaches below the nodes that are open already.
        if (theRecurse)
            for (FRM_CTreeItem* child : itsChildren)
                child->Expand(theRecurse, theRefresh);
        return;
    }
    if (theRefresh)
        DestroyChildren();
    if (itsChildren.empty()) {
        if (const FRM_CTreeSource* source = GetSource()) {
            const std::unique_ptr<FRM_CTreeItemInfoRWGVector> infos(source->GetTreeData(this));
            if (infos != nullptr)
                Fill(*infos);
        }
    }
    float height = GetHeight();
    for (const FRM_CTreeItem* child : itsChildren)
        height += child->GetCompositeHeight();
    // Marked expanded before the children expand, so that their growth reaches this node
    // and its expanded ancestors (a collapsed ancestor keeps its own row only).
    itIsCollapsed = 0;
    SetCompositeHeight(height);
    if (theRecurse)
        for (FRM_CTreeItem* child : itsChildren)
            child->Expand(theRecurse, theRefresh);
}

void FRM_CTreeNodeItem::Collapse(short theRecurse)
{
    if (itIsCollapsed)
        return;
    if (theRecurse)
        for (FRM_CTreeItem* child : itsChildren)
            child->Collapse(theRecurse);
    SetCompositeHeight(GetHeight());
    itIsCollapsed = 1;
}

void FRM_CTreeNodeItem::SortChildren(const FRM_CTreeSorter* theSorter, short theRecursive)
{
    itsSorter = theSorter;
    std::vector<FRM_CTreeItem*> children;
    children.swap(itsChildren);
    for (FRM_CTreeItem* child : children)
        Insert(child);
    if (theRecursive)
        for (FRM_CTreeItem* child : itsChildren)
            child->SortChildren(theSorter, theRecursive);
}

float FRM_CTreeNodeItem::ChildToOffset(const FRM_CTreeItem* theChild) const
{
    float offset = GetHeight();
    if (!itIsCollapsed)
        for (const FRM_CTreeItem* child : itsChildren) {
            if (child == theChild)
                break;
            offset += child->GetCompositeHeight();
        }
    if (itsParent != nullptr)
        offset += itsParent->ChildToOffset(this);
    return offset;
}

FRM_CTreeItem* FRM_CTreeNodeItem::OffsetToChild(float theOffset)
{
    FRM_CTreeNodeItem* node = this;
    // Descends iteratively: each level subtracts the rows above the hit child.
    for (;;) {
        if (theOffset < 0 || theOffset >= node->itsCompositeHeight)
            return nullptr;
        float total = node->GetHeight();
        if (theOffset < total)
            return node;
        FRM_CTreeItem* hit = nullptr;
        for (FRM_CTreeItem* child : node->itsChildren) {
            const float height = child->GetCompositeHeight();
            if (theOffset < total + height) {
                hit = child;
                break;
            }
            total += height;
        }
        if (hit == nullptr)
            return nullptr;
        if (hit->IsTerminal())
            return hit;
        node = static_cast<FRM_CTreeNodeItem*>(hit);
        theOffset -= total;
    }
}

const FRM_CTreeItem* FRM_CTreeNodeItem::OffsetToChild(float theOffset) const
{
    return const_cast<FRM_CTreeNodeItem*>(this)->OffsetToChild(theOffset);
}
