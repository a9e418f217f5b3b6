// bintree.cpp: RWBinaryTree over an ordered multiset keyed by compareTo().
#include "vkocoll/bintree.h"

RWCollectable* RWBinaryTree::newSpecies() const { return new RWBinaryTree; }
RWCollectable* RWBinaryTree::copy() const { return new RWBinaryTree(*this); }
RWClassID RWBinaryTree::isA() const { return kRWBinaryTreeId; }

void RWBinaryTree::apply(RWapplyCollectable fn, void* data)
{
    for (RWCollectable* item : tree_)
        fn(item, data);
}

RWBinaryTree::Tree::const_iterator RWBinaryTree::findEqual(const RWCollectable* target) const
{
    if (target == nullptr)
        return tree_.end();
    const auto [from, to] = tree_.equal_range(target);
    for (auto it = from; it != to; ++it) {
        if (*it == target || (*it)->isEqual(target))
            return it;
    }
    return tree_.end();
}

RWCollectable* RWBinaryTree::find(const RWCollectable* target) const
{
    const auto it = findEqual(target);
    return it != tree_.end() ? *it : nullptr;
}

RWCollectable* RWBinaryTree::insert(RWCollectable* item)
{
    if (item == nullptr)
        return nullptr;
    tree_.insert(item);
    return item;
}

std::size_t RWBinaryTree::occurrencesOf(const RWCollectable* target) const
{
    if (target == nullptr)
        return 0;
    const auto [from, to] = tree_.equal_range(target);
    std::size_t n = 0;
    for (auto it = from; it != to; ++it) {
        if (*it == target || (*it)->isEqual(target))
            ++n;
    }
    return n;
}

RWCollectable* RWBinaryTree::remove(const RWCollectable* target)
{
    const auto it = findEqual(target);
    if (it == tree_.end())
        return nullptr;
    RWCollectable* item = *it;
    tree_.erase(it);
    return item;
}

RWIterator* RWBinaryTree::newIterator() { return new RWBinaryTreeIterator(*this); }

RWCollectable* RWBinaryTreeIterator::key() const
{
    return started_ && place_ != tree_.tree_.end() ? *place_ : nullptr;
}

RWCollectable* RWBinaryTreeIterator::operator()()
{
    if (!started_) {
        started_ = true;
        place_ = tree_.tree_.begin();
    } else if (place_ != tree_.tree_.end()) {
        ++place_;
    }
    return place_ != tree_.tree_.end() ? *place_ : nullptr;
}
