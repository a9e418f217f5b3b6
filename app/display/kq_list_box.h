// kq_list_box.h: KQListBox, the hit list of the search pages: a read-only scrolling text whose
// paragraphs are the lines, one of them selected whole. The keys move the text edit's caret
// as in any text, and the list then selects the whole line it landed on; a click selects the
// line under the pointer. The enclosing page hears command 83 when the user chose a line (a
// click always, a key only when the line changed) and command 81 on Escape.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "frm/controls/nscrlltx.h"

class KQListBoxMouseAgent;

class KQListBox : public FRM_NScrollText {
public:
    static constexpr long kCmdLineChosen = 83;
    static constexpr long kCmdClear = 81;

    KQListBox(FRM_CSubview* enclosure, const FRM_CRect& frame);
    ~KQListBox() override;
    KQListBox(const KQListBox&) = delete;
    KQListBox& operator=(const KQListBox&) = delete;

    static const FRM_CTypeInfo* GetStaticTypeInfo();
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;

    // Drawing waits between Suspend and ResumeList (while a page fills the list).
    virtual void ResumeList();
    // Inserts lines from line start on; answers 1, 0 for a start beyond the end.
    virtual short AddItems(const std::vector<std::string>& lines, int start);
    virtual std::string GetItem(int index) const;
    virtual int GetCount() const;
    // Selects line index whole (scrolled into view); 0 for an index outside the list.
    virtual short SelectItem(int index);
    // The line the text edit's selection starts in (0 for an empty list).
    virtual int GetSelectedIndex() const;
    // The whole selected line; empty when no line is selected (a caret only).
    FRM_CStringRW GetSelectedText() const override;

    // The text edit window's event handler: keys keep a whole line selected, Escape clears
    // the page; other events go to the handler the window had before.
    static std::int32_t TextEditHandler(WINDOW window, EVENT* event) noexcept;
    // Forgets the handler kept from the first list box, as if none had been made (tests).
    static void ResetForTests();

private:
    void Tell(long command);
    // The key went to the text edit; the line it moved to is selected whole.
    void KeyMoved(EVENT& event);

    std::unique_ptr<KQListBoxMouseAgent> itsMouseAgent;
};

struct s_startup;
// Fills the hook record the program's start-up hands the toolkit: the exit hook (ends the
// toolkit, then the process with status 0) and the text-edit engine's creation and lookup.
// Answers 1; 0 for no record.
short InstallStartupHooks(s_startup* record);
