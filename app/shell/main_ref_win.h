// main_ref_win.h: MainRefWin, the main reference window of a reference document: the
// program's menu bar, the search page on the left and the entry pane on the right.
#pragma once

#include "frm/views/cwindow.h"

class EntryWin;
class KQBasicWin;
class RefDoc;

class MainRefWin : public FRM_CWindow {
public:
    static constexpr float kWidth = 820;
    static constexpr float kHeight = 580;
    static constexpr float kPageWidth = 310;

    MainRefWin(RefDoc* document, WINDOW task);

    KQBasicWin* GetBasicPage() const { return itsBasicPage; }
    EntryWin* GetEntryPane() const { return itsEntryPane; }

    // FRM_CWindow
    void DoMenuCommand(short tag, short shift, short control) override;

private:
    RefDoc* itsDocument;
    KQBasicWin* itsBasicPage = nullptr;   // the view tree's
    EntryWin* itsEntryPane = nullptr;     // the document's
};
