// main_ref_win.cpp: the main reference window.
#include "app/shell/main_ref_win.h"

#include "app/display/entry_painter.h"
#include "app/pages/kq_basic_win.h"
#include "app/settings/config_dict.h"
#include "app/shell/bookmark_menus.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "app/shell/menu_tags.h"
#include "app/shell/ref_doc.h"
#include "app/shell/w_hist_win.h"
#include "frm/controls/cbutton.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/views/cstatbar.h"
#include "ruk/static/vkoruk.h"

MainRefWin::MainRefWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                       long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent),
      itsDocument(dynamic_cast<RefDoc*>(document)),
      itsPainter(std::make_unique<EntryPainter>(nullptr, nullptr))
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kMainWindow, 0, &itsIDData);
    const FRM_CRect client = GetFrame();
    float bottom = client.Height();
    if (auto* bar = itsIDData.Get<FRM_CStatusBar>(1054))
        bottom = bar->GetFrame().Top();
    itsBasicPage = new KQBasicWin(this, FRM_CRect(0, kPageTop, client.Width(), bottom), itsDocument,
                                  itsPainter.get(), &itsHistories);
    FillReferenceSelector();
    vko_dwin_invalidate_rect(GetVKOWindow(), nullptr);
}

MainRefWin::~MainRefWin() = default;

void MainRefWin::FillReferenceSelector()
{
    auto* selector = itsIDData.Get<FRM_NListButton>(1060);
    KQedApp* application = KQedApp::Instance();
    if (selector == nullptr || application == nullptr)
        return;
    const RWOrdered& descriptions = application->GetDescriptions();
    const configDict* open = itsDocument != nullptr ? itsDocument->GetDescription() : nullptr;
    int selected = -1;
    for (std::size_t i = 0; i < descriptions.entries(); ++i) {
        const auto* description = static_cast<const configDict*>(descriptions[i]);
        selector->Insert(FRM_CStringRW(description->ref_name().data()), -1);
        if (description == open)
            selected = static_cast<int>(i);
    }
    if (selected >= 0)
        selector->SelectItem(selected);
}

void MainRefWin::ShowEntryMoves(bool previous, bool next)
{
    for (const auto& [id, on] : {std::pair<std::int32_t, bool>{1056, previous}, {1057, next}}) {
        if (auto* button = itsIDData.Get<FRM_CButton>(id)) {
            if (on)
                button->Enable();
            else
                button->Disable();
        }
    }
}

void MainRefWin::ShowCount(const std::string& text)
{
    if (auto* count = itsIDData.Get<FRM_NText>(1374))
        count->SetTitle(FRM_CStringRW(text.c_str()));
}

void MainRefWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdPreviousEntry:
    case kCmdNextEntry:
        itsBasicPage->ShowOtherEntry(command == kCmdNextEntry ? 1 : -1);
        return;
    default:
        FRM_CWindow::DoCommand(command, data);
    }
}

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
        if (itsDocument != nullptr)
            itsDocument->GetApplication()->DoCommand(KQedApp::kCmdNextWindow, this);
        return;
    default:
        if (KQedApp* application = KQedApp::Instance();
            application != nullptr && DoBookmarkMenuCommand(this, application->GetBookmarks(), tag))
            return;
        FRM_CWindow::DoMenuCommand(tag, shift, control);
    }
}
