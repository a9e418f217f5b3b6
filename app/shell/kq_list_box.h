// kq_list_box.h: KQListBox, the hit list of the search pages: lines of text, one of them
// selected whole. Up, Down, Page Up, Page Down, Home and End move the selection; a click
// selects the line under the pointer. The enclosing page hears command 83 when the user
// chose a line (a click always, a key only when the line changed) and command 81 on Escape.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "frm/views/cview.h"

class KQListBox : public FRM_CView {
public:
    static constexpr long kCmdLineChosen = 83;
    static constexpr long kCmdClear = 81;

    KQListBox(FRM_CSubview* enclosure, const FRM_CRect& frame);

    void Clear();
    // Drawing waits between Suspend and ResumeList (while a page fills the list).
    void Suspend() { itIsSuspended = true; }
    void ResumeList();
    // Inserts lines from line start on; answers 1, 0 for a start beyond the end.
    short AddItems(const std::vector<std::string>& lines, int start);
    std::string GetItem(int index) const;
    int GetCount() const { return static_cast<int>(itsLines.size()); }
    // Selects line index (scrolled into view); 0 for an index outside the list.
    short SelectItem(int index);
    // The selected line, -1 when none.
    int GetSelectedIndex() const { return itsSelected; }
    std::string GetSelectedText() const { return GetItem(itsSelected); }
    int GetTopLine() const { return itsTop; }
    int LineHeight() const;
    int VisibleLines() const;
    // The line under a point of the view's frame, -1 when none.
    int LineAt(const FRM_CPoint& point) const;

    // FRM_CView
    short ClassCanGetKeyFocus() const override { return 1; }
    void Draw(const FRM_CRect& area) override;
    void MouseDown(FRM_CPoint point, short button, short isShift, short isControl) override;
    void DoKey(const FRM_CKey& key) override;

private:
    void Changed();
    void Tell(long command);

    std::vector<std::string> itsLines;
    int itsSelected = -1;
    int itsTop = 0;
    bool itIsSuspended = false;
};

struct s_startup;
// Fills the hook record the program's start-up hands the toolkit: the exit hook (ends the
// toolkit, then the process with status 0) and the text-edit engine's creation and lookup.
// Answers 1; 0 for no record.
short InstallStartupHooks(s_startup* record);
