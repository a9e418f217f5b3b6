// query_merge.cpp: the AND, OR and AND NOT merges of sorted result lists, in place in the
// left list. Values still in continuation blocks are decoded as the merge reaches them;
// the right list is only read, and values the merge drops never become list nodes, so a
// merge costs little more than decoding the postings it walks.
#include "engine/query.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/progress.h"
#include "engine/query_internal.h"
#include "engine/resultlist.h"

namespace {

constexpr std::uint32_t kMergeBlockSize = 512;
constexpr std::uint32_t kProgressEvery = 128;   // merge steps between two progress reports

// The values of a list, a run at a time: first a copy of its loaded values, then each
// continuation block it still names, decoded when the run before it is used up. Reading
// does not change the list.
class Segment {
public:
    explicit Segment(const ResultList& list)
        : itsNextBlock(list.next_block), itsLast(list.last_value())
    {
        itsRun.reserve(list.values.count());
        for (const IdNode* node = list.values.head(); node != nullptr; node = node->next)
            itsRun.push_back(node->value);
    }

    // True with a value at pos(); false once the list has no more values.
    bool ready()
    {
        while (itsPos >= itsRun.size()) {
            if (itsNextBlock == 0)
                return false;
            decode_next_chunk(&itsNextBlock, &itsLast, &itsRun, kMergeBlockSize);
            itsPos = 0;
        }
        return true;
    }

    const std::uint32_t* run() const { return itsRun.data(); }
    std::size_t run_size() const { return itsRun.size(); }
    std::size_t& pos() { return itsPos; }

    // Appends every value from pos() on to out, reading the rest of the chain.
    void append_rest(std::vector<std::uint32_t>* out)
    {
        while (ready()) {
            out->insert(out->end(), itsRun.begin() + static_cast<std::ptrdiff_t>(itsPos),
                        itsRun.end());
            itsPos = itsRun.size();
        }
    }

    // Appends the values of the current run from pos() on to out. When out then ends with
    // the value the unread blocks continue from, they are left unread and their first
    // block is returned; otherwise they are read now and 0 is returned.
    std::uint32_t append_run_keep_chain(std::vector<std::uint32_t>* out)
    {
        if (itsPos < itsRun.size())
            out->insert(out->end(), itsRun.begin() + static_cast<std::ptrdiff_t>(itsPos),
                        itsRun.end());
        itsPos = itsRun.size();
        if (itsNextBlock == 0 || (!out->empty() && out->back() == itsLast))
            return itsNextBlock;
        append_rest(out);
        return 0;
    }

private:
    std::vector<std::uint32_t> itsRun;
    std::size_t itsPos = 0;
    std::uint32_t itsNextBlock;
    std::uint32_t itsLast;
};

// Ends a merge: left then holds exactly values, with next_block as its pending chain. A
// list whose chain is still pending keeps the count it carried (total); a complete one
// counts its values.
ResultList* finish_merge(ResultList* left, const std::vector<std::uint32_t>& values,
                         std::uint32_t next_block, std::uint32_t total)
{
    left->values.clear();
    left->values.append_values(values.data(), values.size());
    left->next_block = next_block;
    left->total = next_block != 0 ? total : left->values.count();
    return left;
}

// Counts merge steps and reports every kProgressEvery of them; true once cancelled.
class MergeProgress {
public:
    MergeProgress(const char* format, const ResultList& left, const ResultList& right)
        : itsFormat(format), itsWork(std::uint64_t{left.total} + right.total)
    {
    }

    // Called after each step with the steps so far; reports at every kProgressEvery.
    // True once the user has cancelled.
    bool cancelled_at(std::uint64_t steps) const
    {
        return steps % kProgressEvery == 0 && report(steps);
    }

    // The same for a run of steps from before to after: reports once when the run
    // reached or passed a multiple of kProgressEvery.
    bool cancelled_past(std::uint64_t before, std::uint64_t after) const
    {
        return after / kProgressEvery != before / kProgressEvery && report(after);
    }

private:
    bool report(std::uint64_t steps) const
    {
        if (status_sink() == nullptr)   // nothing shows the message: only the flag counts
            return report_progress(nullptr, -1) != 0;
        const std::uint64_t percent = itsWork == 0 ? 100 : steps * 100 / itsWork;
        char message[64];
        std::snprintf(message, sizeof message, itsFormat, static_cast<long>(percent));
        return report_progress(message, -1) != 0;
    }

    const char* itsFormat;
    std::uint64_t itsWork;
};

// Walks two lists side by side until either runs out or the user cancels. step(lv, rv,
// lp, rp) looks at the two current values, moves lp and/or rp past what it used and
// returns the merge steps it counts (progress is reported by steps). True when cancelled;
// either way both segments are left at the walk's position.
template <typename Step>
bool walk_both(Segment& l, Segment& r, const MergeProgress& progress, Step step)
{
    std::uint64_t steps = 0;
    while (l.ready() && r.ready()) {
        const std::uint32_t* const lr = l.run();
        const std::uint32_t* const rr = r.run();
        std::size_t lp = l.pos();
        std::size_t rp = r.pos();
        const std::size_t ln = l.run_size();
        const std::size_t rn = r.run_size();
        bool cancelled = false;
        while (lp < ln && rp < rn && !cancelled) {
            steps += step(lr[lp], rr[rp], lp, rp);
            cancelled = progress.cancelled_at(steps);
        }
        l.pos() = lp;
        r.pos() = rp;
        if (cancelled)
            return true;
    }
    return false;
}

// A word-offset list is complete in memory; sort it unless it is already in order (the
// key tables give theirs in key order).
void sort_word_offsets(ResultList* list)
{
    if (list->holds_postings() || list->next_block != 0)
        return;
    for (const IdNode* node = list->values.head(); node != nullptr && node->next != nullptr;
         node = node->next) {
        if (node->value >= node->next->value) {
            list->sort();
            return;
        }
    }
}

void expand_to_postings(ResultList* list)
{
    expand_words(list, kMergeBlockSize);
    list->set_word_offsets(0);
    query_internal::set_offsets_index(list, nullptr);
}

} // namespace

void match_kinds(ResultList* left, ResultList* right)
{
    sort_word_offsets(left);
    sort_word_offsets(right);
    const bool left_words = !left->holds_postings();
    const bool right_words = !right->holds_postings();
    if (left_words && right_words) {
        if (query_internal::offsets_from_different_indexes(*left, *right)) {
            expand_to_postings(left);
            expand_to_postings(right);
        }
        return;
    }
    if (left_words)
        expand_to_postings(left);
    if (right_words)
        expand_to_postings(right);
}

ResultList* and_lists(ResultList* left, ResultList* right)
{
    match_kinds(left, right);
    MergeProgress progress("AND processing %ld%% complete", *left, *right);
    Segment l(*left);
    Segment r(*right);
    std::vector<std::uint32_t> kept;
    std::size_t kept_count = 0;
    std::uint64_t steps = 0;
    bool cancelled = false;
    while (!cancelled && l.ready() && r.ready()) {
        const std::uint32_t* const lr = l.run();
        const std::uint32_t* const rr = r.run();
        std::size_t lp = l.pos();
        std::size_t rp = r.pos();
        // Each step moves at least one side, so this many steps stay inside both runs;
        // at most half a progress interval, as a step counts 1, or 2 on a match.
        const std::size_t n = std::min({l.run_size() - lp, r.run_size() - rp,
                                        std::size_t{kProgressEvery / 2}});
        // Room for every match the steps can give, so the loop only compares.
        if (kept.size() < kept_count + n)
            kept.resize(std::max(kept_count + n, 2 * kept.size()));
        std::uint32_t* const out = kept.data();
        std::size_t count = kept_count;
        const std::uint64_t steps_before = steps;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t lv = lr[lp];
            const std::uint32_t rv = rr[rp];
            if (lv < rv || lv == kMarkerValue) {
                ++lp;
            } else if (rv < lv) {
                ++rp;
            } else {
                out[count++] = lv;
                ++lp;
                ++rp;
            }
        }
        steps += n + (count - kept_count);   // a match counts twice
        kept_count = count;
        l.pos() = lp;
        r.pos() = rp;
        if (progress.cancelled_past(steps_before, steps))
            cancelled = true;
    }
    // Whatever the walk did not reach is removed, unread blocks included.
    kept.resize(kept_count);
    return finish_merge(left, kept, 0, 0);
}

ResultList* or_lists(ResultList* left, ResultList* right)
{
    match_kinds(left, right);
    MergeProgress progress("OR processing %ld%% complete", *left, *right);
    Segment l(*left);
    Segment r(*right);
    std::vector<std::uint32_t> merged;
    std::uint32_t total = left->total;
    const bool cancelled = walk_both(l, r, progress, [&](std::uint32_t lv, std::uint32_t rv,
                                                         std::size_t& lp, std::size_t& rp) {
        if (lv == kMarkerValue) {
            ++lp;
            total -= total > 0 ? 1 : 0;
        } else if (rv == kMarkerValue) {
            ++rp;
        } else if (lv < rv) {
            merged.push_back(lv);
            ++lp;
        } else if (rv < lv) {
            merged.push_back(rv);
            ++total;
            ++rp;
        } else {
            merged.push_back(lv);
            ++lp;
            ++rp;
            return 2;
        }
        return 1;
    });
    std::uint32_t next_block = 0;
    if (cancelled || l.ready()) {
        // The rest of the left list is kept as it stands; on cancel the rest of the right
        // list is not added.
        next_block = l.append_run_keep_chain(&merged);
    } else {
        std::vector<std::uint32_t> rest;
        r.append_rest(&rest);
        for (const std::uint32_t value : rest) {
            if (value == kMarkerValue)
                continue;
            merged.push_back(value);
            ++total;
        }
    }
    return finish_merge(left, merged, next_block, total);
}

ResultList* and_not_lists(ResultList* left, ResultList* right)
{
    match_kinds(left, right);
    MergeProgress progress("AND NOT processing %ld%% complete", *left, *right);
    Segment l(*left);
    Segment r(*right);
    std::vector<std::uint32_t> kept;
    std::uint32_t total = left->total;
    const bool cancelled = walk_both(l, r, progress, [&](std::uint32_t lv, std::uint32_t rv,
                                                         std::size_t& lp, std::size_t& rp) {
        if (lv < rv && lv != kMarkerValue) {
            kept.push_back(lv);
            ++lp;
        } else if (rv < lv) {
            ++rp;
        } else {
            // Equal, or the marker against a right value that is not smaller.
            ++lp;
            total -= total > 0 ? 1 : 0;
        }
        return 1;
    });
    // On cancel everything from the walk's position on is removed; otherwise the rest of
    // the left list is kept.
    const std::uint32_t next_block = cancelled ? 0 : l.append_run_keep_chain(&kept);
    return finish_merge(left, kept, next_block, total);
}
