// layer_fixture.h: the fixture shared by the checking layer's tests: resets the recording
// double and turns symbolic handles (Win::Freed, Win::TextEdit, ...) into real ones.
#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "base_double.h"
#include "ruk/static/vkoruk.h"

enum class Win {
    Null,        // a null handle
    Freed,       // a record the registry no longer knows, its signature cleared
    Foreign,     // memory that carries the signature but was never a window
    Slot,        // a text-edit slot number passed where a window is expected
    Doc,         // a live document window that can be drawn in
    TextEdit,    // a live text-edit window (flag 0x2000)
    NotDrawable, // a live window with none of the drawable kinds
    Fixed,       // a live document window that may not be moved, raised or shown
    Pixmap,      // a live pixmap (flag 0x400)
    Print,       // a live print window (type 4)
    Task,        // the live task window (type 5)
    ListBox,     // a live list-box control (type 19)
};

class LayerTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kDrawable = 0x2; // one bit of the drawable mask

    void SetUp() override {
        base_double::base().Reset();
        itsForeign[0] = VKO_WIN_SIGNATURE;
        itsFreed = base_double::base().MakeWindow(kDrawable, W_DOC, false);
        itsDoc = base_double::base().MakeWindow(kDrawable, W_DOC);
        itsTextEdit = base_double::base().MakeWindow(kDrawable | VKO_WF_TEXTEDIT, WC_EDIT);
        itsNotDrawable = base_double::base().MakeWindow(0, W_DOC);
        itsFixed = base_double::base().MakeWindow(kDrawable | VKO_WF_FIXED, W_DOC);
        itsPixmap = base_double::base().MakeWindow(VKO_WF_PIXMAP, W_PIXMAP);
        itsPrint = base_double::base().MakeWindow(kDrawable, W_PRINT);
        itsTask = base_double::base().MakeWindow(kDrawable, W_TASK);
        itsListBox = base_double::base().MakeWindow(kDrawable, WC_LBOX);
    }

    static base_double::BaseDouble& base() { return base_double::base(); }

    WINDOW window(Win which) {
        switch (which) {
        case Win::Null:
            return nullptr;
        case Win::Freed:
            return itsFreed;
        case Win::Foreign:
            return reinterpret_cast<WINDOW>(itsForeign);
        case Win::Slot:
            return reinterpret_cast<WINDOW>(static_cast<std::uintptr_t>(3));
        case Win::Doc:
            return itsDoc;
        case Win::TextEdit:
            return itsTextEdit;
        case Win::NotDrawable:
            return itsNotDrawable;
        case Win::Fixed:
            return itsFixed;
        case Win::Pixmap:
            return itsPixmap;
        case Win::Print:
            return itsPrint;
        case Win::Task:
            return itsTask;
        case Win::ListBox:
            return itsListBox;
        }
        return nullptr;
    }

    // One call's outcome: the report (0 for none), whether target was called, and the frame
    // left balanced. Clears what it looked at.
    void ExpectOutcome(std::uint32_t code, const std::string& target, bool forwarded) {
        EXPECT_EQ(base().TakeLastReportCode(), code);
        EXPECT_EQ(base().TakeForwarded(target), forwarded) << target;
        EXPECT_TRUE(base().ErrorFrameBalanced());
    }

private:
    alignas(s_win) std::uint32_t itsForeign[sizeof(s_win) / sizeof(std::uint32_t)] = {};
    WINDOW itsFreed = nullptr;
    WINDOW itsDoc = nullptr;
    WINDOW itsTextEdit = nullptr;
    WINDOW itsNotDrawable = nullptr;
    WINDOW itsFixed = nullptr;
    WINDOW itsPixmap = nullptr;
    WINDOW itsPrint = nullptr;
    WINDOW itsTask = nullptr;
    WINDOW itsListBox = nullptr;
};

// A rectangle by name: top, left, bottom, right.
enum class Rect { Null, Good, Inverted, Empty };

inline s_rct* rect_of(Rect which, s_rct& storage) {
    switch (which) {
    case Rect::Null:
        return nullptr;
    case Rect::Good:
        storage = s_rct{10, 20, 30, 60};
        break;
    case Rect::Inverted:
        storage = s_rct{30, 60, 10, 20};
        break;
    case Rect::Empty:
        storage = s_rct{10, 20, 10, 60};
        break;
    }
    return &storage;
}
