// main_ref_win.cpp: the main reference window.
#include "app/shell/main_ref_win.h"

#include "app/pages/kq_basic_win.h"
#include "app/settings/config_dict.h"
#include "app/display/entry_painter.h"
#include "app/shell/kq_app.h"
#include "app/shell/menu_tags.h"
#include "app/shell/ref_doc.h"
#include "app/shell/w_hist_win.h"
#include "ruk/static/vkoruk.h"

namespace {

FRM_CStringRW TitleOf(const RefDoc* document)
{
    const configDict* description = document->GetDescription();
    return description != nullptr ? FRM_CStringRW(description->ref_name()) : FRM_CStringRW("TavlinCD");
}

} // namespace

MainRefWin::MainRefWin(RefDoc* document, WINDOW task)
    : FRM_CWindow(document, FRM_CRect(30, 30, 30 + kWidth, 30 + kHeight), TitleOf(document), 0,
                  W_DOC, menutag::kMainMenuBar, task),
      itsDocument(document), itsPainter(std::make_unique<EntryPainter>(nullptr, nullptr))
{
    itsBasicPage = new KQBasicWin(this, FRM_CRect(0, 0, kWidth, kHeight), document,
                                  itsPainter.get(), &itsHistories);
    vko_dwin_invalidate_rect(GetVKOWindow(), nullptr);
}

MainRefWin::~MainRefWin() = default;

void MainRefWin::DoMenuCommand(short tag, short shift, short control)
{
    switch (tag) {
    case menutag::kClear:
        itsBasicPage->Clear();
        return;
    case menutag::kPreviousEntry:
    case menutag::kNextEntry:
        itsBasicPage->ShowOtherEntry(tag == menutag::kNextEntry ? 1 : -1);
        return;
    case menutag::kHistory: {
        std::vector<std::string> names;
        for (std::size_t p = 1; p <= itsHistories.entries.Count(); ++p)
            names.push_back(itsHistories.entries.At(p)->word);
        if (const long picked = WHistWin::Run(itsDocument, names))
            itsBasicPage->ShowEntryAt(picked);
        return;
    }
    case menutag::kPreviousList:
    case menutag::kNextList:
        itsBasicPage->ShowOtherResults(tag == menutag::kNextList ? 1 : -1);
        return;
    case menutag::kBasicSearches:
        itsBasicPage->SetKind(KQBasicWin::kBasic);
        return;
    case menutag::kAdvancedSearches:
        itsBasicPage->SetKind(KQBasicWin::kAdvanced);
        return;
    case menutag::kBrowseSearches:
        itsBasicPage->SetKind(KQBasicWin::kBrowse);
        return;
    case menutag::kNextWindow:
        itsDocument->GetApplication()->DoCommand(KQedApp::kCmdNextWindow, this);
        return;
    default:
        FRM_CWindow::DoMenuCommand(tag, shift, control);
    }
}
