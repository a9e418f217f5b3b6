// main_ref_win.cpp: the main reference window.
#include "app/shell/main_ref_win.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "app/display/entry_painter.h"
#include "app/display/not_handled.h"
#include "app/pages/search_notebook.h"
#include "app/pages/search_page_win.h"
#include "app/display/scroll_view_win.h"
#include "app/settings/config_dict.h"
#include "app/shell/bookmark_menus.h"
#include "app/shell/clipboard_text.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "resources/menu_tags.h"
#include "app/shell/ref_doc.h"
#include "app/shell/user_info_doc.h"
#include "frm/core/ccmdnums.h"
#include "frm/views/cbutton.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nnotebk.h"
#include "frm/runtime/cnav.h"
#include "frm/controls/nctrls.h"
#include "app/display/print_view.h"
#include "app/display/kq_list_box.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cimage.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cstatbar.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::int32_t kStatusBarId = 1054;
constexpr std::int32_t kCountTextId = 1374;
constexpr std::int32_t kHelpTextId = 1376;
constexpr std::int32_t kBackButtonId = 1056;
constexpr std::int32_t kForwardButtonId = 1057;
constexpr std::int32_t kSelectorId = 1060;
constexpr std::int32_t kSelectorNextId = 1356;
constexpr unsigned long kDarkGrey = 0x08404040ul;
constexpr unsigned long kWhite = 0x0BFFFFFFul;
constexpr unsigned long kBlack = 0x07000000ul;

// What the status line says over each of the window's own controls.
int StatusHelpOf(std::int32_t id)
{
    switch (id) {
    case kBackButtonId: return 1016;
    case kForwardButtonId: return 1022;
    case kSelectorId: return 1026;
    default: return 0;
    }
}

// The lines of the page's hit list, for printing.
class HitLines : public PrintListSource {
public:
    explicit HitLines(const KQListBox* list) : itsList(list) {}
    std::int32_t LineCount() const override { return itsList != nullptr ? itsList->GetCount() : 0; }
    std::string LineText(std::int32_t index) const override { return itsList->GetItem(index); }

private:
    const KQListBox* itsList;
};

} // namespace

MainRefWin::MainRefWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                       long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent),
      itsDocument(dynamic_cast<RefDoc*>(document)),
      itsPainter(std::make_unique<EntryPainter>(nullptr, nullptr))
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kMainWindow, 0, &itsIDData);
    const FRM_CRect client = GetFrame();
    float bottom = client.Height();
    // The status bar settles at the bottom only once the window is laid out: the page ends
    // a bar's height above the bottom.
    if (auto* bar = itsIDData.Get<FRM_CStatusBar>(kStatusBarId))
        bottom -= bar->GetFrame().Height();
    // The search notebook: one tab per page, each page on its face.
    itsNotebook = new SearchNotebook(this, FRM_CRect(0, kPageTop, client.Width(), bottom));
    itsNotebook->SetGlue(0xFFFFFFFFul);
    static const char* const kTabTitles[kPageCount] = {"Basic Searches", "Advanced Searches",
                                                       "Browse"};
    for (int i = 0; i < kPageCount; ++i) {
        const auto tab = static_cast<short>(i);
        itsNotebook->AddTab(tab, FRM_CStringRW(kTabTitles[i]), FRM_CImage());
        itsNotebook->AddPage(tab, 0, FRM_CStringRW(kTabTitles[i]));
        static const std::int32_t kPageTypes[kPageCount] = {
            KQedAppFactory::kBasicPage, KQedAppFactory::kAdvancedPage, KQedAppFactory::kBrowsePage};
        SearchPageWin* page = KQedAppFactory::MakePage(kPageTypes[i], itsNotebook, tab, itsDocument,
                                                       itsPainter.get());
        itsNotebook->SetPage(i, page);
        // Each page has its own help: the topic file lists the faces under the string ids of
        // the pages' short names.
        static const std::int32_t kPageHelpIds[kPageCount] = {1194, 1195, 1196};
        if (KQedApp* application = KQedApp::Instance())
            application->GetHelp().AssociateWindow(page->GetVKOWindow(), kPageHelpIds[i]);
    }
    // Tab in the window: the front page's controls, then the dictionary selector and the
    // tabs, and round again.
    FRM_CNavigator* navigator = GetNavigator();
    navigator->ClearTabStops();
    navigator->AppendSubNavigator(itsNotebook->GetNavigator());
    if (auto* selector = itsIDData.Get<FRM_CView>(kSelectorId))
        navigator->AppendTabStop(navigator->ConstructViewTabStop(selector));
    navigator->AppendTabStop(new CNotebkTabStop(itsNotebook, nullptr));
    ShowPage(0);
    FillReferenceSelector();
    // Nothing viewed yet: no history to move through, no word to copy.
    ShowEntryMovesOf(nullptr);
    itsNotebook->ShowMoves();
    if (FRM_CMenuBar* bar = GetMenuBar())
        bar->SetEnabled(menutag::kCopyWord, 0);
    // The menus as things stand: Paste offers text that another program left on the
    // clipboard before this window opened.
    UpdateMenus(GetMenuBar());
    vko_dwin_invalidate_rect(GetVKOWindow(), nullptr);
}

MainRefWin::~MainRefWin() = default;


SearchPageWin* MainRefWin::GetPage(int index) const { return itsNotebook->GetPage(index); }

SearchPageWin* MainRefWin::GetBasicPage() const { return itsNotebook->GetPage(0); }

SearchPageWin* MainRefWin::GetFrontPage() const { return itsNotebook->GetPage(itsFrontPage); }

SearchPageWin* MainRefWin::ShowPage(int index)
{
    if (index < 0 || index >= kPageCount)
        return GetFrontPage();
    if (itsNotebook != nullptr)
        itsNotebook->SetFrontPage(static_cast<short>(index), 0);
    itsFrontPage = index;
    FrontPageChanged();
    return GetFrontPage();
}

void MainRefWin::FrontPageChanged()
{
    if (itsNotebook != nullptr) {
        short tab = 0;
        short page = 0;
        if (itsNotebook->GetFrontPage(&tab, &page) != nullptr && tab >= 0 && tab < kPageCount)
            itsFrontPage = tab;
    }
    SearchPageWin* front = GetFrontPage();
    if (front == nullptr)
        return;
    itsNotebook->FrontPageChanged();
    // The entry shown moves to the front page's pane.
    front->DoCommand(SearchPageWin::kCmdAttachPainter, nullptr);
    front->DoCommand(SearchPageWin::kCmdFocusField, nullptr);
    front->Invalidate(front->GetLocalFrame());
    if (FRM_CMenuBar* bar = GetMenuBar()) {
        const short tags[kPageCount] = {menutag::kBasicSearches, menutag::kAdvancedSearches,
                                        menutag::kBrowseSearches};
        for (int i = 0; i < kPageCount; ++i) {
            bar->SetEnabled(tags[i], i == itsFrontPage ? 0 : 1);
            bar->SetChecked(tags[i], i == itsFrontPage ? 1 : 0);
        }
    }
    UpdatePrintItems();
}

void MainRefWin::FillReferenceSelector()
{
    auto* selector = itsIDData.Get<FRM_NListButton>(kSelectorId);
    KQedApp* application = KQedApp::Instance();
    if (selector == nullptr || application == nullptr)
        return;
    selector->Clear();
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

void MainRefWin::ShowPreferredSearch()
{
    FillReferenceSelector();
    KQedApp* application = KQedApp::Instance();
    if (application == nullptr)
        return;
    const Prefs& prefs = application->GetPrefs();
    const SearchPageWin::SearchChoice choice{prefs.search_mode, prefs.search_type};
    SearchPageWin::CmdChooseSearch::Send(*itsNotebook, choice);
}

void MainRefWin::ShowEntryMoves(bool previous, bool next)
{
    for (const auto& [id, on] : {std::pair<std::int32_t, bool>{kBackButtonId, previous},
                                 {kForwardButtonId, next}}) {
        // A button that changes is drawn again in full: its face shows the new state at once,
        // not only in the part that something uncovers later.
        auto* button = itsIDData.Get<FRM_CButton>(id);
        if (button != nullptr && (button->IsEnabled() != 0) != on)
            button->SetEnabled(on ? 1 : 0, 1);
    }
}

void MainRefWin::SwitchReference(int position)
{
    if (position < 0 || itsDocument == nullptr || position == itsDocument->GetReferencePosition())
        return;
    const long place = position;
    CmdSelectReference::Send(*this, place);
}

void MainRefWin::ShowCount(const std::string& text)
{
    if (auto* count = itsIDData.Get<FRM_NText>(kCountTextId))
        count->SetTitle(FRM_CStringRW(text.c_str()));
}

std::string MainRefWin::GetCountText() const
{
    const auto* count = itsIDData.Get<FRM_NText>(kCountTextId);
    return count != nullptr ? count->GetTitle().data() : std::string();
}

void MainRefWin::ShowHelpLine(const std::string& text)
{
    auto* help = itsIDData.Get<FRM_NText>(kHelpTextId);
    if (help != nullptr && GetHelpLine() != text)
        help->SetTitle(FRM_CStringRW(text.c_str()));
}

void MainRefWin::ShowPrinted(const std::string& file)
{
    if (file.empty())
        return;
    // A file of the working folder is named with the folder's name for it, which fits the
    // line where a full path would run past its end; one elsewhere by its path.
    const std::filesystem::path path(file);
    if (path.is_relative() && !path.has_parent_path())
        ShowHelpLine("Printed to " + file + " in the working folder");
    else
        ShowHelpLine("Printed to " + file);
}

std::string MainRefWin::GetHelpLine() const
{
    const auto* help = itsIDData.Get<FRM_NText>(kHelpTextId);
    return help != nullptr ? help->GetTitle().data() : "";
}

std::string MainRefWin::GetReferenceName() const
{
    auto* selector = itsIDData.Get<FRM_NListButton>(kSelectorId);
    if (selector == nullptr || selector->GetSelectPosition() < 0)
        return {};
    return selector->GetFirstSelectedItem(FRM_CNativeList::kMaxItemLength).data();
}

void MainRefWin::MinimumSize(int* width, int* height) const
{
    *width = 0;
    *height = kMinimumHeight;
    const auto* selector = itsIDData.Get<FRM_CView>(kSelectorId);
    const auto* next = itsIDData.Get<FRM_CView>(kSelectorNextId);
    if (selector != nullptr && next != nullptr)
        *width = static_cast<int>(selector->GetFrame().Right() + next->GetFrame().Width());
}

void MainRefWin::ApplyPreferences()
{
    KQedApp* application = KQedApp::Instance();
    if (application == nullptr)
        return;
    const Prefs& prefs = application->GetPrefs();
    // Preferences closed with nothing changed (cancelled) leave the entry where the reader
    // scrolled it: laid out again it would start from its top.
    const Prefs& shown = itsPainter->settings().prefs;
    if (shown.font_size == prefs.font_size && shown.back_color == prefs.back_color &&
        shown.text_color == prefs.text_color && shown.highlight_color == prefs.highlight_color &&
        shown.audio_color == prefs.audio_color && shown.use_in_results == prefs.use_in_results)
        return;
    itsNotebook->DoCommand(SearchNotebook::kCmdApplyPreferences, nullptr);
    itsPainter->SetColors(prefs);
    itsPainter->DrawEntry();
}

void MainRefWin::ApplyPreferencesEverywhere()
{
    // The preferences are the application's: every window shows them, not only the one
    // whose menu opened the preferences window.
    bool applied = false;
    if (KQedApp* application = KQedApp::Instance()) {
        for (FRM_CWindow* window : application->GetWindowList()) {
            if (auto* main = dynamic_cast<MainRefWin*>(window)) {
                main->ApplyPreferences();
                applied = applied || main == this;
            }
        }
    }
    if (!applied)
        ApplyPreferences();
}

bool MainRefWin::ChooseReference()
{
    const std::string name = GetReferenceName();
    const auto* selector = itsIDData.Get<FRM_NListButton>(kSelectorId);
    if (itsDocument == nullptr || selector == nullptr || selector->GetSelectPosition() < 0)
        return false;
    // The dictionary open already: the pages keep what they show.
    if (itsDocument->GetDescription() != nullptr &&
        itsDocument->GetDescription()->ref_name() == name.c_str())
        return false;
    // A dictionary whose files are not there or do not fit: the user is told, and the
    // selector shows again the dictionary that stays open.
    if (!itsDocument->OpenReference(name)) {
        std::string text = "Unable to find the dictionary file!";
        if (!itsDocument->GetOpenProblem().empty())
            text += "\n" + name + ": " + itsDocument->GetOpenProblem();
        vko_dm_post_error("%s", text.c_str());
        FillReferenceSelector();
        return false;
    }
    SetTitle(FRM_CStringRW(name.c_str()));
    itsNotebook->DoCommand(SearchNotebook::kCmdReferenceChanged, nullptr);
    NameNoEntryInWindowMenu();
    return true;
}

void MainRefWin::CopyText(const std::string& text)
{
    if (text.empty() || !vko_cb_open(TRUE))
        return;
    auto* buffer = static_cast<char*>(vko_cb_alloc(static_cast<std::uint32_t>(text.size() + 1)));
    if (buffer != nullptr) {
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        vko_cb_put_data(CB_TEXT, nullptr, static_cast<std::uint32_t>(text.size()), nullptr);
        vko_cb_free_data();
    }
    vko_cb_close();
    if (FRM_CMenuBar* bar = GetMenuBar())
        bar->SetEnabled(menutag::kPaste, 1);
}

void MainRefWin::CopySelection()
{
    // Pronunciations are in the phonetic font's code page: other programs get the IPA
    // letters as UTF-8, not those bytes read as Windows-1252.
    const std::string text = itsPainter->SelectedTextUtf8();
    if (text.empty() || !vko_cb_open(TRUE))
        return;
    vko_cb_put_text_utf8(text.c_str(), static_cast<std::uint32_t>(text.size()));
    vko_cb_close();
    if (FRM_CMenuBar* bar = GetMenuBar())
        bar->SetEnabled(menutag::kPaste, 1);
}

void MainRefWin::NameNoEntryInWindowMenu()
{
    // No entry is shown: the Window menu names the window alone.
    if (KQedApp* application = KQedApp::Instance()) {
        KQedApp::CmdRetitleWindow::Send(*application, KQedApp::WindowTitle{this, nullptr});
    }
}

void MainRefWin::PasteText()
{
    const std::string pasted = ReadClipboardText(ClipboardTrim::kLineEnds);
    if (pasted.empty())
        return;
    // Pasted text is typed text: the page answers it as it answers keys (the basic page's
    // list looks ahead to it).
    SearchPageWin* page = GetFrontPage();
    page->SetTypedText(pasted);
    page->DoCommand(page->GetField()->GetTextCommand(), nullptr);
}

void MainRefWin::PopUpHistory(bool forward, const FRM_CPoint& point)
{
    // The pop-ups of resource 37, filled with the entry history from the current entry on.
    FRM_CMenuBar popUps(this, menutag::kHistoryMenus);
    const short submenuTag = forward ? menutag::kForward : menutag::kBackward;
    FRM_CSubmenu submenu(FRM_CStringRW(forward ? "Forward" : "Backward"), submenuTag, 0,
                         FRM_CMenu::ENABLED);
    const SearchNotebook::HistoryMenus menus{forward ? nullptr : &submenu,
                                             forward ? &submenu : nullptr};
    SearchNotebook::CmdHistoryMenus::Send(*itsNotebook, menus);
    if (submenu.GetMenus()->entries() == 0)
        return;
    popUps.ReplaceSubmenu(submenuTag, submenu);
    popUps.DoPopup(point, submenuTag, VKO_POPUP_LEFT_ALIGN);
}

// The page's printer buttons stay enabled: with nothing shown they print nothing (no empty
// PDF file).
void MainRefWin::PrintEntry()
{
    if (itsDocument == nullptr || !itsPainter->hasText())
        return;
    PrintView job(itsDocument->GetPrintRecord(), *itsPainter, GetTitle().data());
    if (job.StartPrint(PrintView::kEntry))
        ShowPrinted(job.printedFile());
}

void MainRefWin::PrintResults()
{
    const HitLines lines(GetFrontPage() != nullptr ? GetFrontPage()->GetHitList() : nullptr);
    if (itsDocument == nullptr || lines.LineCount() == 0)
        return;
    PrintView job(itsDocument->GetPrintRecord(), &lines, GetTitle().data());
    if (job.StartPrint(PrintView::kList))
        ShowPrinted(job.printedFile());
}

void MainRefWin::DoMouseDown(FRM_CPoint point, short button, short isShift, short isControl)
{
    for (const std::int32_t id : {kBackButtonId, kForwardButtonId}) {
        auto* historyButton = itsIDData.Get<FRM_CButton>(id);
        if (historyButton != nullptr && historyButton->IsEnabled() &&
            historyButton->GetFrame().IsPointInRect(point)) {
            PopUpHistory(id == kForwardButtonId, point);
            return;
        }
    }
    FRM_CWindow::DoMouseDown(point, button, isShift, isControl);
}

void MainRefWin::DoMouseMove(FRM_CPoint point, short button, short isShift, short isControl)
{
    ShowStatusHelp(point);
    FRM_CWindow::DoMouseMove(point, button, isShift, isControl);
}

void MainRefWin::DoKey(const FRM_CKey& key)
{
    if (!key.IsVirtualKey() && key.GetChar() == 0x1B) {
        GetFrontPage()->DoCommand(SearchPageWin::kCmdClear, nullptr);
        return;
    }
    FRM_CWindow::DoKey(key);
}

void MainRefWin::Draw(const FRM_CRect& area)
{
    FRM_CWindow::Draw(area);
    // An etched line across the top, under the menu bar.
    FRM_CDrawingContext context(this);
    const float right = GetFrame().Width();
    context.GetEnv().SetPen(kDarkGrey, 1, PAT_SOLID, P_SOLID);
    context.DrawLine(FRM_CPoint(0, 0), FRM_CPoint(right, 0));
    context.GetEnv().SetPen(kWhite, 1, PAT_SOLID, P_SOLID);
    context.DrawLine(FRM_CPoint(0, 1), FRM_CPoint(right, 1));
    context.GetEnv().SetPen(kBlack, 1, PAT_SOLID, P_SOLID);
}

void MainRefWin::UpdateMenus(FRM_CMenuBar* menuBar)
{
    FRM_CWindow::UpdateMenus(menuBar);
    if (menuBar == nullptr)
        return;
    menuBar->SetEnabled(menutag::kPaste, vko_cb_has_format(CB_TEXT, nullptr) ? 1 : 0);
    const KQedApp* application = KQedApp::Instance();
    const short online = application != nullptr && application->GetBrowserFound() ? 1 : 0;
    for (const short tag : {menutag::kGoOnlineItems[0], menutag::kGoOnlineItems[1],
                            menutag::kGoOnlineItems[3]})
        menuBar->SetEnabled(tag, online);
    UpdatePrintItems();
}

void MainRefWin::UpdatePrintItems()
{
    FRM_CMenuBar* bar = GetMenuBar();
    if (bar == nullptr)
        return;
    const SearchPageWin* front = GetFrontPage();
    const KQListBox* hits = front != nullptr ? front->GetHitList() : nullptr;
    bar->SetEnabled(menutag::kPrintEntry, itsPainter->hasText() ? 1 : 0);
    bar->SetEnabled(menutag::kPrintResults, hits != nullptr && hits->GetCount() > 0 ? 1 : 0);
    UpdateClearItem();
}

void MainRefWin::UpdateClearItem()
{
    FRM_CMenuBar* bar = GetMenuBar();
    if (bar == nullptr)
        return;
    bool clearable = itsPainter->hasText();
    for (int i = 0; i < kPageCount && !clearable; ++i)
        clearable = GetPage(i) != nullptr && GetPage(i)->HasSomethingToClear();
    bar->SetEnabled(menutag::kClear, clearable ? 1 : 0);
}

void MainRefWin::SizeWindow(int width, int height)
{
    int minimumWidth = 0;
    int minimumHeight = 0;
    MinimumSize(&minimumWidth, &minimumHeight);
    FRM_CWindow::SizeWindow(std::max(width, minimumWidth), std::max(height, minimumHeight));
}

void MainRefWin::DoUpdateModel(long, long command, const FRM_CModel*)
{
    if (command != kNoCommand)
        PostNotHandled(command, *this);
}

short MainRefWin::Close()
{
    vko_app_process_pending_events();
    // The last main window ends the program: bookmarks that cannot be written are asked
    // about while it is still up, and the user may keep it open.
    if (KQedApp* application = KQedApp::Instance()) {
        const std::vector<FRM_CWindow*>& windows = application->GetWindowList();
        if (windows.size() == 1 && windows.front() == this &&
            !application->SaveBookmarksBeforeTheEnd())
            return 0;
    }
    // The document's other windows go first, each once: a window that refuses keeps this
    // one open too.
    if (itsDocument != nullptr) {
        std::vector<FRM_CWindow*> others;
        const RWOrdered& windows = itsDocument->GetWindows();
        for (std::size_t i = 0; i < windows.entries(); ++i)
            if (windows[i] != this)
                others.push_back(static_cast<FRM_CWindow*>(windows[i]));
        bool refused = false;
        for (FRM_CWindow* window : others) {
            // Closing one window may have closed another already.
            const RWOrdered& now = itsDocument->GetWindows();
            bool open = false;
            for (std::size_t i = 0; i < now.entries() && !open; ++i)
                open = now[i] == window;
            if (!open)
                continue;
            if (itsDocument->CloseWindow(window) == 0 || window->Close() == 0)
                refused = true;
        }
        if (refused)
            return 0;
    }
    if (itsDocument != nullptr)
        KQedApp::CmdUnregisterWindow::Send(*itsDocument->GetApplication(), *this);
    return FRM_CWindow::Close();
}

void MainRefWin::ShowEntryMovesOf(const EntryMoves* moves)
{
    const bool previous = moves != nullptr && moves->previous;
    const bool next = moves != nullptr && moves->next;
    ShowEntryMoves(previous, next);
    if (FRM_CMenuBar* bar = GetMenuBar()) {
        bar->SetEnabled(menutag::kPreviousEntry, previous ? 1 : 0);
        bar->SetEnabled(menutag::kNextEntry, next ? 1 : 0);
        if (moves != nullptr)
            bar->SetEnabled(menutag::kHistory, moves->any ? 1 : 0);
    }
}

void MainRefWin::ShowStatusHelp(const FRM_CPoint& point)
{
    int text = 0;
    for (const std::int32_t id : {kBackButtonId, kForwardButtonId, kSelectorId}) {
        const auto* view = itsIDData.Get<FRM_CView>(id);
        if (view != nullptr && view->GetFrame().IsPointInRect(point))
            text = StatusHelpOf(id);
    }
    std::string line = text != 0 ? FRM_CStringRW(text).data() : "";
    // Over the search page, the page's own help for its controls, at the point in the
    // page's own window.
    SearchPageWin* page = GetFrontPage();
    if (line.empty() && page != nullptr) {
        const FRM_CPoint onPage = point.GetTranslated(this, page);
        if (page->GetLocalFrame().IsPointInRect(onPage))
            line = page->HelpAt(onPage);
    }
    if (line.empty())
        line = FRM_CStringRW(1141).data();
    // A line written since (where a print went) stays while the pointer moves within the
    // same part.
    if (line != itsPointerHelp) {
        itsPointerHelp = line;
        ShowHelpLine(line);
    }
}

void MainRefWin::SelectReference(long position)
{
    auto* selector = itsIDData.Get<FRM_NListButton>(kSelectorId);
    if (selector != nullptr && position >= 0 && position < selector->GetNumItems())
        selector->SelectItem(static_cast<int>(position));
    ChooseReference();
}

void MainRefWin::EnableEntryMenus(const std::int32_t* on)
{
    FRM_CMenuBar* bar = GetMenuBar();
    if (bar == nullptr)
        return;
    if (on != nullptr) {
        const short tags[4] = {menutag::kClear, menutag::kCopyWord, menutag::kPrintIllustration,
                               menutag::kPrintTable};
        for (int i = 0; i < 4; ++i)
            bar->SetEnabled(tags[i], on[i] != 0 ? 1 : 0);
    }
    bar->DoUpdate();
}

void MainRefWin::RunRequest(const WindowRequest& request)
{
    // Only a window with entries viewed has anything to go on from.
    std::int16_t viewed = 0;
    if (request.from != nullptr && request.from != this)
        SearchNotebook::CmdHasEntries::Send(*request.from->GetNotebook(), viewed);
    if (viewed != 0)
        SearchNotebook::CmdTakeOver::Send(*itsNotebook, *request.from->GetNotebook());
    if (KQedApp* application = KQedApp::Instance()) {
        const RWOrdered& descriptions = application->GetDescriptions();
        for (std::size_t i = 0; i < descriptions.entries(); ++i)
            if (static_cast<const configDict*>(descriptions[i])->ref_name() ==
                request.reference.c_str())
                SwitchReference(static_cast<int>(i));
    }
    if (!request.text.empty())
        SearchNotebook::CmdLookUp::Send(*itsNotebook, request.text);
}

void MainRefWin::DoCommand(long command, void* data)
{
    // The window's commands, each with what it does; any other but the framework's echoes
    // goes to the base window.
    using Handler = void (*)(MainRefWin&, long, void*);
    static const std::pair<long, Handler> kHandlers[] = {
        {kCmdClose, [](MainRefWin& w, long, void*) { w.Close(); }},
        {kCmdDrawEntry, [](MainRefWin& w, long, void*) { w.itsPainter->DrawEntry(); }},
        {kCmdRedrawEntry, [](MainRefWin& w, long, void*) { w.itsPainter->DrawEntry(); }},
        {kCmdRefreshAll, [](MainRefWin& w, long, void*) {
             w.FillReferenceSelector();
             w.itsPainter->DrawEntry();
         }},
        {CmdEntryMoves::kNumber, [](MainRefWin& w, long, void* data) {
             w.ShowEntryMovesOf(CmdEntryMoves::Read(data));
         }},
        {CmdLookUp::kNumber, [](MainRefWin& w, long, void* data) {
             if (const std::string* text = CmdLookUp::Read(data))
                 SearchNotebook::CmdLookUp::Send(*w.itsNotebook, *text);
         }},
        {CmdStatusHelp::kNumber, [](MainRefWin& w, long, void* data) {
             if (const FRM_CPoint* point = CmdStatusHelp::Read(data))
                 w.ShowStatusHelp(*point);
         }},
        {kCmdPrefsApplied, [](MainRefWin& w, long, void*) { w.ApplyPreferencesEverywhere(); }},
        // Chosen by the user: the pages start afresh. A move through the histories to
        // another dictionary (command 101) keeps what they list.
        {kCmdReferenceChosen, [](MainRefWin& w, long, void*) {
             if (w.ChooseReference())
                 w.itsNotebook->ToAllPages(SearchPageWin::kCmdClearPage, nullptr);
         }},
        {CmdSelectReference::kNumber, [](MainRefWin& w, long, void* data) {
             const long* position = CmdSelectReference::Read(data);
             w.SelectReference(position != nullptr ? *position : -1);
         }},
        {kCmdShowCurrentReference, [](MainRefWin& w, long, void*) { w.ShowPreferredSearch(); }},
        {kCmdEntryMenus, [](MainRefWin& w, long, void* data) {
             const auto* on = CmdEntryMenusOn::Read(data);
             w.EnableEntryMenus(on != nullptr ? *on : nullptr);
         }},
        {CmdRunRequest::kNumber, [](MainRefWin& w, long, void* data) {
             if (const WindowRequest* request = CmdRunRequest::Read(data))
                 w.RunRequest(*request);
         }},
        // The histories' commands, the notebook's of the same numbers.
        {SearchNotebook::CmdAppendEntries::kNumber, &MainRefWin::ToNotebook},
        {SearchNotebook::CmdAppendResults::kNumber, &MainRefWin::ToNotebook},
        {SearchNotebook::CmdEntryPosition::kNumber, &MainRefWin::ToNotebook},
        {SearchNotebook::CmdResultsPosition::kNumber, &MainRefWin::ToNotebook},
        {SearchNotebook::CmdFrontPageNumber::kNumber, &MainRefWin::ToNotebook},
        {kCmdPreviousEntry, &MainRefWin::ToNotebook},
        {kCmdNextEntry, &MainRefWin::ToNotebook},
    };
    for (const auto& [number, handle] : kHandlers) {
        if (number == command) {
            handle(*this, command, data);
            return;
        }
    }
    if (!IsFrameworkEcho(command))
        FRM_CWindow::DoCommand(command, data);
}

void MainRefWin::ToNotebook(MainRefWin& window, long command, void* data)
{
    window.itsNotebook->DoCommand(command, data);
}

void MainRefWin::ClearAll()
{
    itsNotebook->ToAllPages(SearchPageWin::kCmdClearPage, nullptr);
    itsPainter->Reset();
    NameNoEntryInWindowMenu();
    if (FRM_CMenuBar* bar = GetMenuBar())
        for (const short item : {menutag::kClear, menutag::kCopyWord, menutag::kCopy})
            bar->SetEnabled(item, 0);
    UpdatePrintItems();
    DoCommand(kCmdEntryMenus, nullptr);
}

void MainRefWin::CopyCurrentWord()
{
    std::string word;
    SearchNotebook::CmdCurrentWord::Send(*itsNotebook, word);
    if (!word.empty())
        CopyText(word.substr(0, word.find('[')));
}

void MainRefWin::OpenPopUpWordInNewWindow()
{
    // The word of the entry pop-up, looked up in a new window that goes on from this one.
    if (KQedApp* application = KQedApp::Instance()) {
        std::string word;
        SearchPageWin::CmdPopUpWord::Send(*GetFrontPage(), word);
        const WindowRequest request{this, GetReferenceName(), word};
        application->OpenNewWindow(&request);
    }
}

void MainRefWin::OpenPreferences()
{
    // The preferences window tells the front page (and so this window) when a change is
    // applied; what OK applied is taken once it is closed.
    if (KQedApp* application = KQedApp::Instance())
        KQedApp::CmdPreferences::Send(*application, GetFrontPage());
    ApplyPreferencesEverywhere();
}

void MainRefWin::OrganizeBookmarks()
{
    // A bookmark opened in the organiser is shown in this window.
    if (KQedApp* application = KQedApp::Instance())
        if (auto* user = application->GetIDData().Get<UserInfoDoc>(KQedAppFactory::kUserDocument))
            UserInfoDoc::CmdOrganizeBookmarks::Send(*user, *this);
}

void MainRefWin::Exit()
{
    // Bookmarks that cannot be written: the user may keep the program open.
    if (KQedApp* application = KQedApp::Instance();
        application != nullptr && !application->SaveBookmarksBeforeTheEnd())
        return;
    vko_app_destroy_hook();
}

void MainRefWin::SelectAllOfEntry()
{
    itsPainter->SelectAll();
    if (FRM_CMenuBar* bar = GetMenuBar())
        bar->SetEnabled(menutag::kCopy, itsPainter->SelectedText().empty() ? 0 : 1);
}

void MainRefWin::DoMenuCommand(short tag, short shift, short control)
{
    // The history pop-ups' items: an entry so many on or back.
    if (tag >= menutag::kForwardFirst && tag < menutag::kForwardFirst + 10) {
        const std::int32_t offset = tag - menutag::kForwardFirst;
        SearchNotebook::CmdMoveEntries::Send(*itsNotebook, offset);
        return;
    }
    if (tag >= menutag::kBackwardFirst && tag < menutag::kBackwardFirst + 10) {
        const std::int32_t offset = -(tag - menutag::kBackwardFirst);
        SearchNotebook::CmdMoveEntries::Send(*itsNotebook, offset);
        return;
    }
    // The menu items of the window, each with what it does; the bookmarks' items and any
    // other go on.
    using Handler = void (*)(MainRefWin&);
    static const std::pair<short, Handler> kHandlers[] = {
        {menutag::kOpenInNewWindow, [](MainRefWin& w) { w.OpenPopUpWordInNewWindow(); }},
        {menutag::kPreferences, [](MainRefWin& w) { w.OpenPreferences(); }},
        {menutag::kOrganizeBookmarks, [](MainRefWin& w) { w.OrganizeBookmarks(); }},
        {menutag::kPrintEntry, [](MainRefWin& w) { w.PrintEntry(); }},
        {menutag::kPrintResults, [](MainRefWin& w) { w.PrintResults(); }},
        {menutag::kCopy, [](MainRefWin& w) { w.CopySelection(); }},
        {menutag::kCopyAlternative, [](MainRefWin& w) { w.CopySelection(); }},
        {menutag::kCopyWord, [](MainRefWin& w) { w.CopyCurrentWord(); }},
        {menutag::kPaste, [](MainRefWin& w) { w.PasteText(); }},
        {menutag::kSelectAll, [](MainRefWin& w) { w.SelectAllOfEntry(); }},
        {menutag::kClose, [](MainRefWin& w) { w.Close(); }},
        {menutag::kExit, [](MainRefWin& w) { w.Exit(); }},
        {static_cast<short>(kNoCommand), [](MainRefWin&) {}},
        {menutag::kClear, [](MainRefWin& w) { w.ClearAll(); }},
        {menutag::kPreviousEntry, [](MainRefWin& w) {
             w.itsNotebook->DoCommand(SearchNotebook::kCmdPreviousEntry, nullptr);
         }},
        {menutag::kNextEntry, [](MainRefWin& w) {
             w.itsNotebook->DoCommand(SearchNotebook::kCmdNextEntry, nullptr);
         }},
        {menutag::kHistory, [](MainRefWin& w) {
             w.itsNotebook->DoCommand(SearchNotebook::kCmdHistoryWindow, nullptr);
         }},
        {menutag::kPreviousList, [](MainRefWin& w) {
             w.itsNotebook->DoCommand(SearchNotebook::kCmdPreviousList, nullptr);
         }},
        {menutag::kNextList, [](MainRefWin& w) {
             w.itsNotebook->DoCommand(SearchNotebook::kCmdNextList, nullptr);
         }},
        {menutag::kBasicSearches, [](MainRefWin& w) { w.ShowPage(0); }},
        {menutag::kAdvancedSearches, [](MainRefWin& w) { w.ShowPage(1); }},
        {menutag::kBrowseSearches, [](MainRefWin& w) { w.ShowPage(2); }},
        {menutag::kNextWindow, [](MainRefWin& w) {
             if (w.itsDocument != nullptr)
                 KQedApp::CmdNextWindow::Send(*w.itsDocument->GetApplication(), w);
         }},
    };
    for (const auto& [item, handle] : kHandlers) {
        if (item == tag) {
            handle(*this);
            return;
        }
    }
    if (KQedApp* application = KQedApp::Instance();
        application != nullptr && DoBookmarkMenuCommand(this, application->GetBookmarks(), tag))
        return;
    FRM_CWindow::DoMenuCommand(tag, shift, control);
}
