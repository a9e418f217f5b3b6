// errfrm.cpp: the error frame. A stack of the entry points' names, marked on entry and
// unmarked on every exit, so a report can name the innermost running call; frames opened on a
// window by callbacks sit on the same stack and close everything marked inside them.
#include "vkobase/errfrm.h"

#include <cstring>
#include <vector>

#include "vkobase/testing.h"

namespace {

// Every call of the checking layer marks its name: kept inline (cut to the longest entry
// point's name), so marking allocates nothing once the stack has grown.
constexpr std::size_t kNameBytes = 48;

struct Entry {
    char name[kNameBytes]; // empty for a frame opened by vkov_errfrm_init
    WINDOW win;
    bool is_frame;
};

Entry mark_entry(const char *api_name) noexcept {
    Entry entry;
    const std::size_t n = api_name != nullptr ? strnlen(api_name, kNameBytes - 1) : 0;
    if (n != 0)
        std::memcpy(entry.name, api_name, n);
    entry.name[n] = '\0';
    entry.win = nullptr;
    entry.is_frame = false;
    return entry;
}

struct ErrfrmState {
    std::vector<Entry> stack;
};

ErrfrmState &state() noexcept {
    static ErrfrmState s;
    return s;
}

} // namespace

void vkobase_reset_errfrm() noexcept {
    state().stack.clear();
}

extern "C" {

void vkov_errfrm_mark_API(const char *api_name) noexcept {
    try {
        state().stack.push_back(mark_entry(api_name));
    } catch (...) {
    }
}

void vkov_errfrm_unmark_API(void) noexcept {
    auto &stack = state().stack;
    // An unmark never closes a frame opened by vkov_errfrm_init: unbalanced callers must not
    // pop their caller's frame.
    if (!stack.empty() && !stack.back().is_frame)
        stack.pop_back();
}

intptr_t vkov_errfrm_init(WINDOW win, int32_t kind) noexcept {
    (void)kind;
    try {
        Entry frame;
        frame.name[0] = '\0';
        frame.win = win;
        frame.is_frame = true;
        state().stack.push_back(frame);
    } catch (...) {
        return 0;
    }
    return static_cast<intptr_t>(state().stack.size());
}

void vkov_errfrm_destroy(intptr_t frame) noexcept {
    auto &stack = state().stack;
    if (frame <= 0 || static_cast<std::size_t>(frame) > stack.size() ||
        !stack[static_cast<std::size_t>(frame) - 1].is_frame)
        return;
    stack.resize(static_cast<std::size_t>(frame) - 1);
}

VKOBASE_API int32_t vkov_test_errfrm_depth(void) noexcept {
    return static_cast<int32_t>(state().stack.size());
}

VKOBASE_API const char *vkov_test_errfrm_top(void) noexcept {
    const auto &stack = state().stack;
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if (!it->is_frame)
            return it->name;
    return nullptr;
}

} // extern "C"
