// bintree.h: RWBinaryTree, a sorted collection ordered by compareTo(); equal items are all
// kept, a new one after those already there. RWBinaryTreeIterator walks in order.
#pragma once
#include <cstddef>
#include <set>
#include "vkocoll/colclass.h"

class RWBinaryTree : public RWCollection {
public:
    RWBinaryTree() = default;

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;

    void apply(RWapplyCollectable fn, void* data) override;
    void clear() override { tree_.clear(); }
    std::size_t entries() const override { return tree_.size(); }
    RWCollectable* find(const RWCollectable* target) const override;
    RWCollectable* insert(RWCollectable* item) override;
    std::size_t occurrencesOf(const RWCollectable* target) const override;
    RWCollectable* remove(const RWCollectable* target) override;
    RWIterator* newIterator() override;

private:
    friend class RWBinaryTreeIterator;
    struct Before {
        using is_transparent = void;  // lets constant targets search the tree
        bool operator()(const RWCollectable* a, const RWCollectable* b) const
        {
            return a->compareTo(b) < 0;
        }
    };
    using Tree = std::multiset<RWCollectable*, Before>;
    Tree::const_iterator findEqual(const RWCollectable* target) const;
    Tree tree_;
};

class RWBinaryTreeIterator : public RWIterator {
public:
    explicit RWBinaryTreeIterator(const RWBinaryTree& tree) : tree_(tree) {}
    RWCollectable* key() const override;
    RWCollectable* operator()() override;
    void reset() override { started_ = false; }

private:
    const RWBinaryTree& tree_;
    RWBinaryTree::Tree::const_iterator place_;
    bool started_ = false;
};
