// Tests of the tree: items against a plain reference model over random operations (adding,
// removing, expanding, collapsing, sorting, row heights, offsets both ways), attribute
// sharing, sources and sorters, and the view's geometry, selection and focus events, keys,
// scrolling and mouse (clicks by policy, double clicks, dragging a title tab stop) through
// the window's mouse manager, over the real framework and base library.
#include "frm/controls/ctreevw.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/controls/ctexttab.h"
#include "frm/controls/ctreemh.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/interaction/cmouse.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cimage.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

using Event = std::pair<FRM_CTreeEvent::EventType, const FRM_CTreeItem*>;

// The tree's enclosure: records the tree events that come up the boss chain.
class EventPanel : public FRM_CSubview {
public:
    explicit EventPanel(FRM_CSubview* enclosure) : FRM_CSubview(enclosure, FRM_CRect(0, 0, 320, 240)) {}
    void DoCommand(long command, void* data) override
    {
        if (command == FRM_CTreeView::kTreeEventCommand) {
            const auto* event = static_cast<const FRM_CTreeEvent*>(data);
            events.emplace_back(event->GetType(), event->GetTreeItem());
            tabHits.push_back(event->GetTabHit());
        }
    }
    std::vector<Event> events;
    std::vector<unsigned long> tabHits;
};

class TreeTest : public frmtest::ControlsFixture {
protected:
    static constexpr float kRow = 16;
    static constexpr float kIndent = 16;

    void SetUp() override
    {
        ControlsFixture::SetUp();
        itsPanel = new EventPanel(itsWindow);
        itsTree = new FRM_CTreeView(itsPanel, FRM_CRect(0, 0, 300, 220));
        ASSERT_TRUE(itsTree->ITreeView(nullptr, 0x07000000ul, FRM_CEnvironment::DefaultFont(), kRow,
                                       kIndent, nullptr, nullptr, nullptr, nullptr, 0, 1, 0, kRow,
                                       100, 1, 0));
        itsRoot = itsTree->GetRoot();
        itsRoot->SetString(FRM_CStringRW("root"));
    }
    FRM_CTreeItem* Leaf(FRM_CTreeNodeItem* parent, const char* text)
    {
        return parent->AddTerminalChild(FRM_CStringRW(text));
    }
    FRM_CTreeNodeItem* Node(FRM_CTreeNodeItem* parent, const char* text)
    {
        return static_cast<FRM_CTreeNodeItem*>(parent->AddNodeChild(FRM_CStringRW(text)));
    }
    FRM_CPoint Middle(const FRM_CTreeItem* item) const
    {
        const FRM_CRect row = itsTree->ItemToRect(item, 0);
        return FRM_CPoint(row.Left() + 20, (row.Top() + row.Bottom()) / 2);
    }
    // A small tree: root { a { a1, a2 }, b, c { c1 } }, all expanded.
    void Build()
    {
        itsA = Node(itsRoot, "a");
        itsA1 = Leaf(itsA, "a1");
        itsA2 = Leaf(itsA, "a2");
        itsB = Leaf(itsRoot, "b");
        itsC = Node(itsRoot, "c");
        itsC1 = Leaf(itsC, "c1");
        for (FRM_CTreeNodeItem* node : {itsRoot, itsA, itsC})
            node->Expand(0, 0);
    }
    short Down(const FRM_CPoint& at, short shift = 0, short control = 0)
    {
        FRM_CPoint where = at;
        short button = 1;
        return itsWindow->GetMouseManager()->DoDown(itsWindow, where, button, shift, control);
    }
    void Up(const FRM_CPoint& at)
    {
        FRM_CPoint where = at;
        short button = 1, shift = 0, control = 0;
        itsWindow->GetMouseManager()->DoUp(itsWindow, where, button, shift, control);
    }
    void Move(const FRM_CPoint& at)
    {
        FRM_CPoint where = at;
        short button = 0, shift = 0, control = 0;
        itsWindow->GetMouseManager()->DoMove(itsWindow, where, button, shift, control);
    }
    void Double(const FRM_CPoint& at, short shift = 0)
    {
        FRM_CPoint where = at;
        short button = 1, control = 0;
        itsWindow->GetMouseManager()->DoDouble(itsWindow, where, button, shift, control);
    }

    EventPanel* itsPanel = nullptr;
    FRM_CTreeView* itsTree = nullptr;
    FRM_CTreeNodeItem* itsRoot = nullptr;
    FRM_CTreeNodeItem* itsA = nullptr;
    FRM_CTreeNodeItem* itsC = nullptr;
    FRM_CTreeItem* itsA1 = nullptr;
    FRM_CTreeItem* itsA2 = nullptr;
    FRM_CTreeItem* itsB = nullptr;
    FRM_CTreeItem* itsC1 = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Items against a reference model

struct ModelItem {
    std::string text;
    bool terminal = false;
    bool collapsed = true;
    float height = 0;
    std::vector<std::unique_ptr<ModelItem>> children;
    FRM_CTreeItem* item = nullptr;

    float Composite() const
    {
        float total = height;
        if (!collapsed)
            for (const auto& child : children)
                total += child->Composite();
        return total;
    }
};

class TreeModelCheck {
public:
    TreeModelCheck(FRM_CTreeNodeItem* root, ModelItem* model) : itsRoot(root), itsModel(model) {}

    // Heights, child order, and every visible row found by its offset and giving it back.
    void Check()
    {
        CheckItem(*itsModel);
        float offset = 0;
        CheckRows(*itsModel, nullptr, offset);
        EXPECT_EQ(itsRoot->OffsetToChild(offset), nullptr);
        EXPECT_EQ(itsRoot->OffsetToChild(-0.5f), nullptr);
    }

private:
    void CheckItem(const ModelItem& model)
    {
        ASSERT_EQ(model.item->GetCompositeHeight(), model.Composite()) << model.text;
        ASSERT_EQ(model.item->GetNChildren(), model.children.size()) << model.text;
        for (std::size_t i = 0; i < model.children.size(); ++i) {
            ASSERT_EQ(model.item->GetChild(static_cast<unsigned>(i)), model.children[i]->item) << model.text;
            CheckItem(*model.children[i]);
        }
    }
    void CheckRows(const ModelItem& model, const FRM_CTreeNodeItem* parent, float& offset)
    {
        EXPECT_EQ(itsRoot->OffsetToChild(offset), model.item) << model.text;
        EXPECT_EQ(itsRoot->OffsetToChild(offset + model.height - 0.5f), model.item) << model.text;
        if (parent != nullptr) {
            EXPECT_EQ(parent->ChildToOffset(model.item), offset) << model.text;
        }
        offset += model.height;
        if (model.collapsed)
            return;
        for (const auto& child : model.children)
            CheckRows(*child, static_cast<const FRM_CTreeNodeItem*>(model.item), offset);
    }

    FRM_CTreeNodeItem* itsRoot;
    ModelItem* itsModel;
};

void Collect(ModelItem* model, std::vector<ModelItem*>& all)
{
    all.push_back(model);
    for (const auto& child : model->children)
        Collect(child.get(), all);
}

ModelItem* ParentOf(ModelItem* root, const ModelItem* child)
{
    for (const auto& c : root->children) {
        if (c.get() == child)
            return root;
        if (ModelItem* found = ParentOf(c.get(), child))
            return found;
    }
    return nullptr;
}

TEST_F(TreeTest, ItemsFollowAReferenceModelOverRandomOperations)
{
    const FRM_CTreeStringSorter sorter;
    struct Run {
        unsigned seed;
        bool sorted;
    };
    for (const Run run : {Run{7, false}, Run{11, true}, Run{2024, true}, Run{99, false}}) {
        SCOPED_TRACE(run.seed);
        FRM_CTreeView* tree = new FRM_CTreeView(itsPanel, FRM_CRect(0, 0, 300, 220));
        tree->ITreeView(nullptr, 0, FRM_CEnvironment::DefaultFont(), kRow, kIndent, nullptr, nullptr,
                        nullptr, nullptr, 0, 0, 0, kRow, 100, 1, 0);
        FRM_CTreeNodeItem* root = tree->GetRoot();
        if (run.sorted)
            root->SortChildren(&sorter, 0);
        ModelItem model;
        model.height = kRow;
        model.item = root;
        TreeModelCheck check(root, &model);
        std::mt19937 random(run.seed);
        const char* texts[] = {"b", "a", "c", "B", "a"};
        const float heights[] = {10, 14, 20};
        for (int step = 0; step < 400; ++step) {
            std::vector<ModelItem*> all;
            Collect(&model, all);
            ModelItem* target = all[random() % all.size()];
            const int op = static_cast<int>(random() % 6);
            if (op <= 1 && !target->terminal) {
                auto child = std::make_unique<ModelItem>();
                child->text = texts[random() % 5];
                child->terminal = random() % 3 == 0;
                auto* node = static_cast<FRM_CTreeNodeItem*>(target->item);
                child->item = child->terminal ? node->AddTerminalChild(FRM_CStringRW(child->text.c_str()))
                                              : node->AddNodeChild(FRM_CStringRW(child->text.c_str()));
                child->height = child->item->GetHeight();
                // After every child that sorts before or equal.
                auto at = target->children.end();
                if (run.sorted)
                    at = std::upper_bound(target->children.begin(), target->children.end(), child->text,
                                          [](const std::string& text, const std::unique_ptr<ModelItem>& c) {
                                              return text < c->text;
                                          });
                target->children.insert(at, std::move(child));
            } else if (op == 2 && !target->children.empty()) {
                const auto index = static_cast<unsigned>(random() % target->children.size());
                FRM_CTreeItem* removed = static_cast<FRM_CTreeNodeItem*>(target->item)->RemoveChild(index);
                ASSERT_EQ(removed, target->children[index]->item);
                EXPECT_EQ(removed->GetParent(), nullptr);
                delete removed;
                target->children.erase(target->children.begin() + index);
            } else if (op == 3 && !target->terminal) {
                const short recurse = random() % 4 == 0;
                target->item->Expand(recurse, 0);
                std::function<void(ModelItem&)> expand = [&](ModelItem& m) {
                    if (m.terminal)
                        return;
                    m.collapsed = false;
                    if (recurse)
                        for (auto& c : m.children)
                            expand(*c);
                };
                if (target->collapsed || recurse)
                    expand(*target);
            } else if (op == 4 && !target->terminal) {
                const short recurse = random() % 3 == 0;
                target->item->Collapse(recurse);
                std::function<void(ModelItem&)> collapse = [&](ModelItem& m) {
                    if (recurse)
                        for (auto& c : m.children)
                            if (!c->terminal && !c->collapsed)
                                collapse(*c);
                    m.collapsed = true;
                };
                if (!target->collapsed)
                    collapse(*target);
            } else if (op == 5) {
                target->height = heights[random() % 3];
                target->item->SetHeight(target->height);
            }
            check.Check();
            if (HasFatalFailure() || HasFailure())
                FAIL() << "step " << step << " op " << op;
        }
        delete tree;
    }
}

TEST_F(TreeTest, RemovingAnExpandedNodeTakesItsWholeBandFromItsAncestors)
{
    Build();
    const float before = itsRoot->GetCompositeHeight();
    ASSERT_EQ(before, 7 * kRow);
    FRM_CTreeItem* removed = itsRoot->RemoveChild(0);  // a with a1 and a2
    ASSERT_EQ(removed, itsA);
    EXPECT_EQ(itsRoot->GetCompositeHeight(), 4 * kRow);
    // Re-adding it puts the band back.
    itsRoot->AddChild(removed);
    EXPECT_EQ(itsRoot->GetCompositeHeight(), before);
    // A child added under a collapsed node changes nothing above it until it is expanded.
    itsC->Collapse(0);
    const float collapsed = itsRoot->GetCompositeHeight();
    Leaf(itsC, "c2");
    EXPECT_EQ(itsRoot->GetCompositeHeight(), collapsed);
    itsC->Expand(0, 0);
    EXPECT_EQ(itsRoot->GetCompositeHeight(), collapsed + 2 * kRow);
    // Expanding a node inside a collapsed one leaves the collapsed one its own row.
    itsA->Collapse(0);
    FRM_CTreeNodeItem* inner = Node(itsA, "inner");
    Leaf(inner, "deep");
    inner->Expand(0, 0);
    EXPECT_EQ(itsA->GetCompositeHeight(), kRow);
    itsA->Expand(0, 0);
    EXPECT_EQ(itsA->GetCompositeHeight(), 5 * kRow);
}

// ---------------------------------------------------------------------------------------------
// Attributes, sources and sorters

TEST_F(TreeTest, EqualLooksShareOneRecord)
{
    Build();
    EXPECT_EQ(itsA1->GetAttributes(), itsB->GetAttributes());
    const FRM_CTreeAttributes* shared = itsA1->GetAttributes();
    EXPECT_EQ(shared->CloneHeight(kRow), shared);
    EXPECT_EQ(itsA1->SetHeight(20), kRow);
    EXPECT_NE(itsA1->GetAttributes(), shared);
    itsA2->SetHeight(20);
    EXPECT_EQ(itsA1->GetAttributes(), itsA2->GetAttributes());
    itsA1->SetHeight(kRow);
    EXPECT_EQ(itsA1->GetAttributes(), shared);
    EXPECT_EQ(itsRoot->GetCompositeHeight(), 7 * kRow + 4);

    FRM_CTreeAttributes copy(*shared);
    copy.SetView(nullptr);
    EXPECT_TRUE(copy == *shared);
    EXPECT_EQ(copy.CloneColor(1), nullptr);  // no view to share with

    // The container library's factory makes default records under the class's own id.
    const RWClassID id = FRM_CTreeAttributes::classIsA();
    EXPECT_EQ(getRWFactory()->classID("CTreeAttributes"), id);
    EXPECT_EQ(shared->isA(), id);
    std::unique_ptr<RWCollectable> made(getRWFactory()->create("CTreeAttributes"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), id);
    EXPECT_TRUE(made->isEqual(std::unique_ptr<RWCollectable>(shared->newSpecies()).get()));
    EXPECT_FALSE(made->isEqual(shared));
    const RWCollectable other;
    EXPECT_FALSE(shared->isEqual(&other));

    // Best height and indent come from the font.
    const FRM_CTreeAttributes* best =
        itsTree->GetAttributes(0, FRM_CEnvironment::DefaultFont(), FRM_CTreeItem::kBestHeight,
                               FRM_CTreeItem::kBestIndent, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_GT(best->GetHeight(), 2);
    EXPECT_GT(best->GetIndent(), 0);
}

class ListSource : public FRM_CTreeSource {
public:
    explicit ListSource(std::vector<const char*> texts, bool terminal = true)
        : itsTexts(std::move(texts)), itsTerminal(terminal)
    {
    }
    FRM_CTreeItemInfoRWGVector* GetTreeData(FRM_CTreeNodeItem* node) const override
    {
        ++asked;
        if (itsTexts.empty())
            return nullptr;
        auto* infos = new FRM_CTreeItemInfoRWGVector;
        for (const char* text : itsTexts) {
            FRM_CTreeItemInfo info = node->Info();
            info.itsString = FRM_CStringRW(text);
            info.itsIsTerminal = itsTerminal ? 1 : 0;
            info.itsSource = nullptr;  // the children are filled by hand
            infos->push_back(info);
        }
        return infos;
    }
    mutable int asked = 0;

private:
    std::vector<const char*> itsTexts;
    bool itsTerminal;
};

TEST_F(TreeTest, SourcesFillANodeOnceUnlessRefreshed)
{
    const FRM_CTreeStringSorter sorter;
    struct Case {
        const char* why;
        bool sorted;
        std::vector<const char*> texts;
        std::vector<std::string> order;
        int askedAgain;  // after collapsing and expanding again: a node left empty asks again
    };
    const Case cases[] = {
        {"records' order without a sorter", false, {"c", "a", "b"}, {"c", "a", "b"}, 1},
        {"sorter's order", true, {"c", "a", "b"}, {"a", "b", "c"}, 1},
        {"a null list leaves the node empty", false, {}, {}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ListSource source(c.texts, false);
        FRM_CTreeNodeItem* folder = Node(itsRoot, "folder");
        folder->SetSource(&source);
        if (c.sorted)
            folder->SortChildren(&sorter, 0);
        folder->Expand(0, 0);
        EXPECT_EQ(source.asked, 1);
        EXPECT_FALSE(folder->IsCollapsed());
        ASSERT_EQ(folder->GetNChildren(), c.order.size());
        for (unsigned i = 0; i < c.order.size(); ++i)
            EXPECT_EQ(std::string(folder->GetChild(i)->GetString().data()), c.order[i]);
        EXPECT_EQ(folder->GetCompositeHeight(), kRow * static_cast<float>(1 + c.order.size()));
        folder->Collapse(0);
        folder->Expand(0, 0);
        EXPECT_EQ(source.asked, c.askedAgain);
        // A refresh asks again and, recursively, expands every new node.
        folder->Collapse(0);
        folder->Expand(1, 1);
        EXPECT_EQ(source.asked, c.askedAgain + 1);
        for (unsigned i = 0; i < folder->GetNChildren(); ++i)
            EXPECT_EQ(static_cast<FRM_CTreeNodeItem*>(folder->GetChild(i))->IsCollapsed(), 0);
        delete itsRoot->RemoveChild(0);
    }
}

TEST_F(TreeTest, StringSorterByFieldOrByWholeText)
{
    struct Case {
        short field;
        const char* a;
        const char* b;
        FRM_CTreeSorter::Comparison expected;
    };
    const Case cases[] = {
        {1, "z \t A", "a \t B", FRM_CTreeSorter::LessThan},
        {1, "a \t B", "z \t A", FRM_CTreeSorter::GreaterThan},
        {1, "x \t same", "y \t same", FRM_CTreeSorter::EqualTo},
        {-1, "z \t A", "a \t B", FRM_CTreeSorter::GreaterThan},
        {-1, "Zebra", "apple", FRM_CTreeSorter::LessThan},  // upper case first
        {3, "a", "b", FRM_CTreeSorter::EqualTo},            // both fields missing
    };
    for (const Case& c : cases) {
        FRM_CTreeItem* a = Leaf(itsRoot, c.a);
        FRM_CTreeItem* b = Leaf(itsRoot, c.b);
        EXPECT_EQ(FRM_CTreeStringSorter(c.field).Compare(a, b), c.expected) << c.a << " / " << c.b;
    }
}

// ---------------------------------------------------------------------------------------------
// The view

TEST_F(TreeTest, RowsAndPointsRoundTripWithAndWithoutTitleAndRoot)
{
    Build();
    struct Case {
        const char* why;
        bool title;
        short drawRoot;
    };
    for (const Case c : {Case{"plain", false, 1}, Case{"title", true, 1}, Case{"hidden root", false, 0},
                         Case{"title, hidden root", true, 0}}) {
        SCOPED_TRACE(c.why);
        itsTree->SetTitleString(c.title ? FRM_CStringRW("Name") : FRM_CStringRW(), 0, FRM_CEnvironment::DefaultFont());
        itsTree->SetDrawRoot(c.drawRoot);
        const std::vector<const FRM_CTreeItem*> rows =
            c.drawRoot ? std::vector<const FRM_CTreeItem*>{itsRoot, itsA, itsA1, itsA2, itsB, itsC, itsC1}
                       : std::vector<const FRM_CTreeItem*>{itsA, itsA1, itsA2, itsB, itsC, itsC1};
        const float top = itsTree->GetGlobalOrigin().V() + FRM_CTreeView::kTopMargin +
                          (c.title ? itsTree->GetTitleRect().Height() : 0);
        EXPECT_EQ(itsTree->ItemToRect(rows.front(), 0).Top(), top);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const FRM_CRect row = itsTree->ItemToRect(rows[i], 0);
            EXPECT_EQ(row.Top(), top + kRow * static_cast<float>(i));
            EXPECT_EQ(itsTree->PointToItem(FRM_CPoint(5, row.Top())), rows[i]);
            EXPECT_EQ(itsTree->PointToItem(FRM_CPoint(5, row.Bottom() - 0.5f)), rows[i]);
        }
        EXPECT_EQ(itsTree->PointToItem(FRM_CPoint(5, top - 0.5f)), nullptr);
        EXPECT_EQ(itsTree->PointToItem(FRM_CPoint(5, top + kRow * static_cast<float>(rows.size()))), nullptr);
        EXPECT_EQ(itsTree->ItemToRect(itsA, 1).Height(), 3 * kRow);
    }
}

TEST_F(TreeTest, SelectionAndFocusReportEachChange)
{
    Build();
    using T = FRM_CTreeEvent;
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<Event> events;
    };
    const Step steps[] = {
        {"add", [&] { itsTree->AddToSelection(itsB, 1); }, {{T::SelectionChanged, itsB}}},
        {"add again", [&] { itsTree->AddToSelection(itsB, 1); }, {}},
        {"remove unselected", [&] { itsTree->RemoveFromSelection(itsA1, 0); }, {{T::SelectionChanged, itsA1}}},
        {"first focus", [&] { itsTree->SetFocusItem(itsA, 1); }, {{T::FocusOut, nullptr}, {T::FocusIn, itsA}}},
        {"same focus", [&] { itsTree->SetFocusItem(itsA, 1); }, {}},
        {"set selection", [&] { itsTree->SetSelection({itsA1, itsA2, itsA1}, 1); },
         {{T::SelectionChanged, nullptr}, {T::SelectionChanged, nullptr}}},
        {"clear", [&] { itsTree->ClearSelection(1); }, {{T::SelectionChanged, nullptr}}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        itsPanel->events.clear();
        step.act();
        EXPECT_EQ(itsPanel->events, step.events);
    }
    // A selected, focused item that goes lets go of both first.
    itsTree->AddToSelection(itsC1, 0);
    itsTree->SetFocusItem(itsC1, 0);
    itsPanel->events.clear();
    delete itsC->RemoveChild(0);
    EXPECT_EQ(itsPanel->events, (std::vector<Event>{{T::FocusOut, itsC1}, {T::FocusIn, nullptr},
                                                    {T::SelectionChanged, itsC1}}));
    EXPECT_EQ(itsTree->GetFocusItem(), nullptr);
    EXPECT_TRUE(itsTree->GetSelection().empty());
}

TEST_F(TreeTest, KeysMoveTheFocusSelectByPolicyAndToggleNodes)
{
    Build();
    itsTree->SetFocusItem(itsA, 0);
    struct Step {
        const char* what;
        FRM_CKey key;
        FRM_CTreeView::SelectionPolicy policy;
        const FRM_CTreeItem* focus;
        std::vector<const FRM_CTreeItem*> selection;
    };
    const FRM_CKey down(FRM_CKey::kVirtual, VKO_KEY_DOWN);
    const FRM_CKey up(FRM_CKey::kVirtual, VKO_KEY_UP);
    const FRM_CKey right(FRM_CKey::kVirtual, VKO_KEY_RIGHT);
    const FRM_CKey left(FRM_CKey::kVirtual, VKO_KEY_LEFT);
    const FRM_CKey shiftDown(FRM_CKey::kVirtual, VKO_KEY_DOWN);
    const Step steps[] = {
        {"down", down, FRM_CTreeView::SelectMany, itsA1, {itsA1}},
        {"down again", down, FRM_CTreeView::SelectMany, itsA2, {itsA2}},
        {"left to the parent", left, FRM_CTreeView::SelectOne, itsA, {itsA}},
        {"right to the first child", right, FRM_CTreeView::SelectNone, itsA1, {itsA}},
        {"up", up, FRM_CTreeView::SelectOne, itsA, {itsA}},
        {"up to the root", up, FRM_CTreeView::SelectOne, itsRoot, {itsRoot}},
        {"up past the first row stays", up, FRM_CTreeView::SelectOne, itsRoot, {itsRoot}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        itsTree->SetSelectionPolicy(step.policy);
        itsTree->Key(step.key);
        EXPECT_EQ(itsTree->GetFocusItem(), step.focus);
        EXPECT_EQ(std::vector<const FRM_CTreeItem*>(itsTree->GetSelection().begin(), itsTree->GetSelection().end()),
                  step.selection);
    }
    // Ctrl keeps the selection and adds.
    itsTree->SetSelectionPolicy(FRM_CTreeView::SelectMany);
    itsTree->Key(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DOWN));
    EXPECT_EQ(itsTree->GetSelection().size(), 1u);

    // Enter collapses an expanded node and expands it again, with the event after the change.
    itsTree->SetFocusItem(itsA, 0);
    itsPanel->events.clear();
    itsTree->Key(FRM_CKey(13, 0, 0, 0, 0));
    EXPECT_TRUE(itsA->IsCollapsed());
    itsTree->Key(FRM_CKey(13, 0, 0, 0, 0));
    EXPECT_FALSE(itsA->IsCollapsed());
    EXPECT_EQ(itsPanel->events, (std::vector<Event>{{FRM_CTreeEvent::Collapse, itsA}, {FRM_CTreeEvent::Expand, itsA}}));
    // On a leaf Enter does nothing.
    itsTree->SetFocusItem(itsB, 0);
    itsPanel->events.clear();
    itsTree->Key(FRM_CKey(13, 0, 0, 0, 0));
    EXPECT_TRUE(itsPanel->events.empty());
}

TEST_F(TreeTest, ScrollingByLinesMovesWholeRowsWithinTheLimits)
{
    for (int i = 0; i < 60; ++i)
        Leaf(itsRoot, ("item " + std::to_string(i)).c_str());
    itsRoot->Expand(0, 0);
    itsTree->Draw(itsTree->GetGlobalFrame());  // sizes the virtual frame
    ASSERT_GT(itsTree->GetVirtualFrame().Height(), itsTree->GetInnerFrame().Height());
    const FRM_CTreeItem* first = itsTree->TopItem();
    EXPECT_EQ(first, itsRoot);
    itsTree->VScroll(SC_LINE_DOWN, 0);
    EXPECT_EQ(itsTree->TopItem(), itsRoot->GetChild(0));
    itsTree->VScroll(SC_LINE_DOWN, 0);
    EXPECT_EQ(itsTree->TopItem(), itsRoot->GetChild(1));
    itsTree->VScroll(SC_LINE_UP, 0);
    EXPECT_EQ(itsTree->TopItem(), itsRoot->GetChild(0));
    for (int i = 0; i < 10; ++i)
        itsTree->VScroll(SC_LINE_UP, 0);
    EXPECT_EQ(itsTree->GetScrollingOrigin().V(), 0);
    for (int i = 0; i < 200; ++i)
        itsTree->VScroll(SC_PAGE_DOWN, 0);
    const float lowest = itsTree->GetInnerFrame().Height() - itsTree->GetVirtualFrame().Height();
    EXPECT_EQ(itsTree->GetScrollingOrigin().V(), lowest);
    // Making the first row visible scrolls back just enough.
    itsTree->MakeItemVisible(itsRoot->GetChild(0));
    const FRM_CRect row = itsTree->ItemToRect(itsRoot->GetChild(0), 0);
    EXPECT_GE(row.Top(), itsTree->GetInnerFrame().GetGlobal(itsTree->GetEnclosure()).Top());
    EXPECT_LT(row.Top(), itsTree->GetInnerFrame().GetGlobal(itsTree->GetEnclosure()).Top() + 1);
}

TEST_F(TreeTest, ClicksThroughTheMouseManagerFollowThePolicy)
{
    Build();
    using T = FRM_CTreeEvent;
    itsTree->SetSelectionPolicy(FRM_CTreeView::SelectMany);
    Down(Middle(itsA1));
    Down(Middle(itsB), 0, 1);
    EXPECT_EQ(itsTree->GetSelection().size(), 2u);
    // A plain click on a selected item of a multiple selection changes nothing.
    itsPanel->events.clear();
    Down(Middle(itsA1));
    EXPECT_EQ(itsTree->GetSelection().size(), 2u);
    EXPECT_EQ(itsTree->GetFocusItem(), itsB);
    EXPECT_EQ(itsPanel->events, (std::vector<Event>{{T::MouseClick, itsA1}}));
    // Ctrl on a selected item removes it and leaves no focus.
    itsPanel->events.clear();
    Down(Middle(itsB), 0, 1);
    EXPECT_EQ(itsPanel->events, (std::vector<Event>{{T::SelectionChanged, itsB}, {T::FocusOut, itsB},
                                                    {T::FocusIn, nullptr}, {T::MouseClick, itsB}}));
    // One selection: the selected item again gives the focus events and the click only.
    itsTree->SetSelectionPolicy(FRM_CTreeView::SelectOne);
    itsPanel->events.clear();
    Down(Middle(itsA1));
    EXPECT_EQ(itsPanel->events, (std::vector<Event>{{T::FocusOut, nullptr}, {T::FocusIn, itsA1}, {T::MouseClick, itsA1}}));
    // Below the last row nothing happens.
    itsPanel->events.clear();
    Down(FRM_CPoint(20, 210));
    EXPECT_TRUE(itsPanel->events.empty());

    // Double clicks: a node toggles (Shift expands its whole subtree), a leaf is reported.
    itsA->Collapse(1);
    itsPanel->events.clear();
    Double(Middle(itsA));
    EXPECT_FALSE(itsA->IsCollapsed());
    Double(Middle(itsA));
    EXPECT_TRUE(itsA->IsCollapsed());
    Double(Middle(itsB));
    EXPECT_EQ(itsPanel->events, (std::vector<Event>{{T::Expand, itsA}, {T::Collapse, itsA}, {T::MouseDoubleClick, itsB}}));
    FRM_CTreeNodeItem* inner = Node(itsA, "inner");
    Leaf(inner, "deep");
    Double(Middle(itsA), 1);
    EXPECT_FALSE(inner->IsCollapsed());
}

TEST_F(TreeTest, ATitleTabStopIsDraggedBetweenItsNeighbours)
{
    CTabSet tabs;
    tabs.AddTab(FRM_CTextTab(FRM_CTextTab::Left, 80));
    tabs.AddTab(FRM_CTextTab(FRM_CTextTab::Left, 160));
    itsRoot->SetTabSet(&tabs);
    itsTree->SetTitleString(FRM_CStringRW("Name \t Kind \t Size"), 0, FRM_CEnvironment::DefaultFont());
    Build();
    const FRM_CRect title = itsTree->GetTitleRect();
    const float y = (title.Top() + title.Bottom()) / 2;
    const float origin = itsTree->GetGlobalOrigin().H();

    // Away from every stop a press in the title sends nothing.
    Move(FRM_CPoint(origin + 40, y));
    itsPanel->events.clear();
    Down(FRM_CPoint(origin + 40, y));
    EXPECT_TRUE(itsPanel->events.empty());
    EXPECT_EQ(itsWindow->GetTrappedView(), nullptr);

    // Hovering the second stop traps the pointer; pressing starts the drag.
    Move(FRM_CPoint(origin + 165, y));
    EXPECT_EQ(itsWindow->GetTrappedView(), itsTree);
    Down(FRM_CPoint(origin + 165, y));
    ASSERT_EQ(itsPanel->events.size(), 1u);
    EXPECT_EQ(itsPanel->events[0], (Event{FRM_CTreeEvent::TitleMouseClick, itsRoot}));
    // Dragged left past its neighbour (but not 30 pixels past) it stops 2 units right of it.
    Move(FRM_CPoint(origin + 60, y));
    Up(FRM_CPoint(origin + 60, y));
    EXPECT_FLOAT_EQ(tabs.GetTab(1).GetPosition(), 82);
    EXPECT_FLOAT_EQ(tabs.GetTab(0).GetPosition(), 80);

    // The first stop now; released far below the title, it goes back where it started.
    Move(FRM_CPoint(origin + 76, y));
    EXPECT_EQ(itsWindow->GetTrappedView(), itsTree);
    Down(FRM_CPoint(origin + 76, y));
    Move(FRM_CPoint(origin + 30, y));
    Up(FRM_CPoint(origin + 150, title.Bottom() + 200));
    EXPECT_NEAR(tabs.GetTab(0).GetPosition(), 80, 0.01);
    EXPECT_FLOAT_EQ(tabs.GetTab(1).GetPosition(), 82);
    // Leaving the stops releases the pointer.
    Move(FRM_CPoint(origin + 40, title.Bottom() + 40));
    EXPECT_EQ(itsWindow->GetTrappedView(), nullptr);
    itsRoot->SetTabSet(nullptr);
}

// The connecting lines by style: branches level with the row's middle and trunks down to the
// last child's middle; slanted branches from the row's top and trunks half a row shorter; none.
TEST_F(TreeTest, TreeStylesDrawTheirConnectingLines)
{
    Build();
    WINDOW handle = itsWindow->GetVKOWindow();
    struct Line { int x1, y1, x2, y2; };
    auto lines = [&](FRM_CTreeView::TreeStyle style) {
        itsTree->SetTreeStyle(style);
        vkov_debug_draw_log_clear(handle);
        FRM_CDrawingContext(itsWindow).InvalidateRect(frm_views::MaxRect());
        vkok_app_process_pending_events();
        std::vector<Line> found;
        for (const std::string& args : LogArgs(handle, "draw_line")) {
            Line line{};
            if (std::sscanf(args.c_str(), "%d,%d,%d,%d", &line.x1, &line.y1, &line.x2, &line.y2) == 4)
                found.push_back(line);
        }
        return found;
    };
    // root { a { a1, a2 }, b, c { c1 } }: six branches and three trunks.
    const std::vector<Line> straight = lines(FRM_CTreeView::StyleOrthogonal);
    const std::vector<Line> slanted = lines(FRM_CTreeView::StyleSlant);
    EXPECT_TRUE(lines(FRM_CTreeView::StyleNone).empty());
    ASSERT_EQ(straight.size(), 9U);
    ASSERT_EQ(slanted.size(), straight.size());
    for (std::size_t i = 0; i < straight.size(); ++i) {
        SCOPED_TRACE(i);
        const Line& s = straight[i];
        const Line& t = slanted[i];
        if (s.x1 == s.x2) {    // a trunk
            EXPECT_EQ(t.y1, s.y1);
            EXPECT_EQ(t.y2, s.y2 - static_cast<int>(kRow) / 2) << "ends at the last child's top";
        } else {               // a branch
            EXPECT_EQ(s.y1, s.y2) << "level";
            EXPECT_EQ(t.y1, s.y1 - static_cast<int>(kRow) / 2) << "starts at the row's top";
            EXPECT_EQ(t.y2, s.y2);
            EXPECT_EQ(t.x2 - t.x1, s.x2 - s.x1);
        }
    }
}

TEST_F(TreeTest, ATreeWithFoldersItemsAndATitleAsAPng)
{
    FRM_CWindow* window = NewWindow("Bookmarks", 320, 240);
    auto* tree = new FRM_CTreeView(window, FRM_CRect(0, 0, 320, 240));
    CTabSet tabs;
    tabs.AddTab(FRM_CTextTab(FRM_CTextTab::Left, 170));
    // Small filled images: a closed folder, an open folder and a page.
    auto filled = [](std::uint32_t color) {
        FRM_CImage image(VKO_IMAGE_RGB, 12, 10);
        const s_rct all{0, 0, 10, 12};
        vko_image_fill_rect(image, color, &all);
        return image;
    };
    const FRM_CImage closed = filled(0xD0A000), open = filled(0xF07000), page = filled(0x30A030);
    tree->ITreeView(nullptr, 0x07000000ul, FRM_CEnvironment::DefaultFont(), FRM_CTreeItem::kBestHeight,
                    FRM_CTreeItem::kBestIndent, &page, &closed, &open, &tabs, 0, 1, 0, 16, 100, 1, 0);
    tree->SetTitleString(FRM_CStringRW("Bookmark \t Dictionary"), 0x07000000ul, FRM_CEnvironment::DefaultFont());
    FRM_CTreeNodeItem* root = tree->GetRoot();
    root->SetString(FRM_CStringRW("All bookmarks"));
    const char* folders[] = {"Animals", "Plants", "Words to learn"};
    const char* words[][3] = {{"aardvark", "badger", "cheetah"}, {"fern", "moss", "yew"}, {"lexicon", "quixotic", "zeugma"}};
    FRM_CTreeItem* chosen = nullptr;
    for (int f = 0; f < 3; ++f) {
        auto* folder = static_cast<FRM_CTreeNodeItem*>(root->AddNodeChild(FRM_CStringRW(folders[f])));
        for (const char* word : words[f]) {
            FRM_CTreeItem* item = folder->AddTerminalChild(FRM_CStringRW((std::string(word) + " \t WordNet").c_str()));
            if (std::string(word) == "quixotic")
                chosen = item;
        }
        if (f != 1)
            folder->Expand(0, 0);
    }
    root->Expand(0, 0);
    tree->AddToSelection(chosen, 0);
    tree->SetFocusItem(chosen, 0);
    FRM_CDrawingContext(window).InvalidateRect(frm_views::MaxRect());
    vkok_app_process_pending_events();

    // The selected row is filled with the selection colour, the row above it is not, and a
    // line runs under the title.
    WINDOW handle = window->GetVKOWindow();
    auto pixelsIn = [&](const FRM_CTreeItem* item, std::uint32_t color) {
        const FRM_CRect row = tree->ItemToRect(item, 0);
        const int y = static_cast<int>(row.Bottom()) - 6;
        int count = 0;
        for (int x = 0; x < 300; ++x)
            count += (vkov_debug_surface_pixel(handle, x, y) & 0xFFFFFF) == color ? 1 : 0;
        return count;
    };
    EXPECT_GT(pixelsIn(chosen, 0x0000FF), 100);
    EXPECT_EQ(pixelsIn(chosen->GetParent()->GetChild(0), 0x0000FF), 0);
    // Each row shows the image of its kind and state, 12 pixels wide.
    EXPECT_EQ(pixelsIn(root->GetChild(1), 0xD0A000), 12);  // the closed folder
    EXPECT_EQ(pixelsIn(root->GetChild(0), 0xF07000), 12);  // an open one
    EXPECT_EQ(pixelsIn(chosen, 0x30A030), 12);             // a page
    const FRM_CRect title = tree->GetTitleRect();
    EXPECT_EQ(vkov_debug_surface_pixel(handle, 100, static_cast<int>(title.Bottom()) - 1) & 0xFFFFFF, 0u);
    const char* folder = std::getenv("VKO_SCREENSHOT_DIR");
    const std::string path = (folder != nullptr ? std::string(folder) + "/" : testing::TempDir()) + "frm_controls_tree.png";
    EXPECT_TRUE(vkov_debug_surface_write_png(handle, path.c_str()));
}

} // namespace
