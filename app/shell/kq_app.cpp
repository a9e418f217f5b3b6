// kq_app.cpp: the application: start-up, the Window menu, deferred quit, menu items.
#include "app/shell/kq_app.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/display/image_win.h"
#include "app/pages/search_page_win.h"
#include "app/settings/config_dict.h"
#include "app/settings/file_replace.h"
#include "app/settings/settings_files.h"
#include "app/shell/bookmark_menus.h"
#include "app/shell/bookmark_store.h"
#include "app/shell/kq_factory.h"
#include "resources/menu_tags.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/ref_doc.h"
#include "app/shell/splash_win.h"
#include "app/shell/table_win.h"
#include "app/shell/user_info_doc.h"
#include "app/shell/web_launcher.h"
#include "engine/engine.h"
#include "engine/report.h"
#include "frm/core/cobjrwc.h"
#include "frm/core/cstringrw.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/surface_debug.h"
#include "vkobase/vkobase.h"

namespace {
KQedApp* theApplication = nullptr;
// Set while the damaged-dictionary report is up.
bool theDamageReported = false;

// The engine's report of damaged data met after start (a file cut or changed under the
// program): the engine's fatal stays fatal, but first the user's bookmarks and
// preferences are saved, and the user reads which dictionary file is damaged and what was
// being read. The engine ends the process when this returns.
void ReportDamagedDictionary(std::string_view message)
{
    if (theDamageReported)
        return;  // damage met again while the box is up: the engine ends the process now
    theDamageReported = true;
    KQedApp* application = KQedApp::Instance();
    const bool saved = application == nullptr || application->SaveUserData();
    std::string file = failed_read_path();
    if (file.empty())
        file = data_file_path() + " or " + index_file_path();
    const std::string text = "The dictionary file " + file +
                             " is damaged: " + std::string(message) + ".\n" +
                             (saved ? "Your bookmarks and preferences are saved."
                                    : "Your bookmarks or preferences could not be saved.") +
                             " TavlinCD must close.";
    // The engine ends the program once the box is answered: the keys of the word the user
    // is typing must not answer it before it is read.
    vkov_dm_program_ending();
    vko_dm_post_error("%s", text.c_str());
}

constexpr std::int32_t kQuitDelayMs = 100;
// The toolkit attribute that names the image its windows show as their icon on a desktop, and
// the program's own picture for it: the book of the main window's logo.
constexpr std::int32_t kAttrAppIcon = 10030;
constexpr std::int32_t kLogoImage = 1007;
constexpr char kCantOpenBookmarks[] = "Can't open bookmarks file (BookMark.kq).";
constexpr char kBookmarksNotKept[] =
    "Bookmarks made in this session will not be kept: the file is left as it is.";
constexpr char kUnreadBookmarksLostAtTheEnd[] =
    "The bookmarks made in this session are lost if TavlinCD ends now: the bookmarks file "
    "could not be read at start and is left as it is. Cancel keeps TavlinCD open.";
constexpr char kUnusableDescriptions[] =
    "These description files (*.dct) describe no dictionary TavlinCD can use and are not "
    "listed under \"Select a reference:\":";
constexpr char kUnknownDescriptionKeys[] =
    "These lines of the description files (*.dct) hold keys TavlinCD does not know and are "
    "ignored:";
constexpr char kCantSaveBookmarks[] = "Can't save bookmarks file (BookMark.kq).";
constexpr char kBookmarksLostAtTheEnd[] =
    "Your bookmark changes are not saved and are lost if TavlinCD ends now. Cancel keeps "
    "TavlinCD open, so that you can free the folder and exit again.";

// The one message for the lines of the bookmark file that were read apart: those skipped as
// naming no entry and those of folders nested too deep, which both stay in the file and
// which the menus do not show, and those shown at the Main Level because their folder is
// not before them. Each part says how many and the first of them.
std::string BookmarkLinesReadApart(const BookmarkStore& store)
{
    std::string text;
    if (!store.UnreadLines().empty()) {
        const UnreadBookmarkLine& first = store.UnreadLines().front();
        const bool one = store.UnreadLines().size() == 1;
        text = std::to_string(store.UnreadLines().size()) +
               (one ? " line of BookMark.kq was skipped; it stays"
                    : " lines of BookMark.kq were skipped; they stay") +
               " in the file (line " + std::to_string(first.line) + ": " + first.reason + ").";
    }
    if (!store.CutLines().empty()) {
        const bool one = store.CutLines().size() == 1;
        if (!text.empty())
            text += '\n';
        text += std::to_string(store.CutLines().size()) +
                (one ? " line of BookMark.kq is not shown; it stays"
                     : " lines of BookMark.kq are not shown; they stay") +
                " in the file (from line " + std::to_string(store.CutLines().front().line) + ": " +
                store.CutLines().front().reason + ").";
    }
    if (!store.AtMainLevelLines().empty()) {
        const UnreadBookmarkLine& first = store.AtMainLevelLines().front();
        const bool one = store.AtMainLevelLines().size() == 1;
        if (!text.empty())
            text += '\n';
        text += std::to_string(store.AtMainLevelLines().size()) +
                (one ? " line of BookMark.kq is" : " lines of BookMark.kq are") +
                " shown at the Main Level (line " + std::to_string(first.line) + ": " +
                first.reason + ").";
    }
    return text;
}

WINDOW TaskWindow()
{
    return reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
}
} // namespace

KQedApp::KQedApp(bool commandLine)
    : itsBookmarks(std::make_unique<BookmarkStore>()), itsCommandLine(commandLine)
{
    theApplication = this;
    KQedAppFactory::Instance().ConstructApplication(this, KQedAppFactory::kApplication);
    vko_vobj_set_attr(nullptr, VKO_ATTR_NO_TASKWIN, 1);
    vko_vobj_set_attr(nullptr, kAttrAppIcon, kLogoImage);
    itsPrefs = DefaultPrefs();
    // Temporary files that a save cut short by a kill left beside the settings files go.
    RemoveStaleTemporaries(kBookmarkFileName);
    RemoveStaleTemporaries(kPrefsFileName);
    itsBookmarks->Load();
    itsBookmarks->onChanged = [this] { DoCommand(kCmdBookmarksChanged, nullptr); };
}

KQedApp::~KQedApp()
{
    engine_set_fatal_hook(nullptr);
    itsDescriptions.clearAndDestroy();
    if (theApplication == this)
        theApplication = nullptr;
}

KQedApp* KQedApp::Instance() { return theApplication; }

void KQedApp::ResetForTests()
{
    theApplication = nullptr;
    theDamageReported = false;
}

const configDict* KQedApp::FindDescription(const std::string& name) const
{
    for (std::size_t i = 0; i < itsDescriptions.entries(); ++i) {
        const auto* description = static_cast<const configDict*>(itsDescriptions[i]);
        if (description->ref_name() == name.c_str())
            return description;
    }
    return nullptr;
}

const configDict* KQedApp::PreferredDescription() const
{
    if (const configDict* named = FindDescription(itsPrefs.reference.data()))
        return named;
    return itsDescriptions.entries() != 0 ? static_cast<const configDict*>(itsDescriptions[0])
                                          : nullptr;
}

void KQedApp::StartUp()
{
    FRM_CApplication::StartUp();
    engine_set_fatal_hook(ReportDamagedDictionary);
    KQedAppFactory::Instance().InitializeApplication(this, KQedAppFactory::kApplication);
    // Web pages open only when a browser answers all three kinds of address.
    const WebLauncher browser;
    itsBrowserFound = browser.HasHttpCommand() && browser.HasHttpsCommand() &&
                      browser.HasHtmlFileCommand();
    SettingsFiles files;
    std::string why;
    if (!files.ReadPrefs(&itsPrefs, "", &why))
        vko_dm_post_warning("%s%s", FRM_CStringRW(1188).data(),
                            WhyLine(kPrefsFileName, why).c_str());
    // The store was read when the application was made; a file it could not read is kept
    // as it is, and the user learns why and that the bookmarks of this run will not be saved.
    if (itsBookmarks->ReadFailed())
        vko_dm_post_warning("%s%s\n%s", kCantOpenBookmarks,
                            WhyLine(kBookmarkFileName, itsBookmarks->ReadProblem()).c_str(),
                            kBookmarksNotKept);
    else if (const std::string apart = BookmarkLinesReadApart(*itsBookmarks); !apart.empty())
        vko_dm_post_warning("%s", apart.c_str());
    if (!IsUsableFontSize(itsPrefs.font_size))
        itsPrefs.font_size = kDefaultFontSize;
    // Only the descriptions the program can use are listed; the user reads once which
    // files were left out and what is wrong with each.
    std::vector<std::string> unusable;
    std::vector<std::string> unknownKeys;
    files.ReadDescriptions(&itsDescriptions, "", &unusable, &unknownKeys);
    std::string unusableLines;
    for (const std::string& problem : unusable)
        unusableLines += "\n" + problem;
    if (itsDescriptions.entries() == 0) {
        // No dictionary to open: the program cannot go on.
        if (unusable.empty())
            unusableLines = "\nThe working folder holds no description file (*.dct).";
        vko_dm_post_fatal_exit("%s%s", FRM_CStringRW(1190).data(), unusableLines.c_str());
        return;
    }
    // One warning tells the files left out and the lines not understood in the others.
    std::string descriptionWarning;
    if (!unusable.empty())
        descriptionWarning = kUnusableDescriptions + unusableLines;
    if (!unknownKeys.empty()) {
        descriptionWarning +=
            (descriptionWarning.empty() ? "" : "\n") + std::string(kUnknownDescriptionKeys);
        for (const std::string& line : unknownKeys)
            descriptionWarning += "\n" + line;
    }
    if (!descriptionWarning.empty())
        vko_dm_post_warning("%s", descriptionWarning.c_str());
    itsHelp.InstallHook(TitleWindowTakesEscape);
    // The user's document and the first reference document.
    KQedAppFactory::Instance().DoCreateDocuments(this, KQedAppFactory::kApplication, 0, &itsIDData);
    if (auto* user = itsIDData.Get<FRM_CDocument>(KQedAppFactory::kUserDocument))
        user->DoNew();
    if (!OpenReference(itsIDData.Get<RefDoc>(KQedAppFactory::kReferenceDocument)))
        return;
    itIsStarted = true;
    // Over the main window, until it closes itself.
    ShowSplash();
    if (itsCommandLine)
        DoCommand(kCmdLookUpClipboard, nullptr);
    if (!itsScriptedPng.empty())
        itsScriptTimer = vko_timer_create(TaskWindow(), kQuitDelayMs);
}

void KQedApp::SetScriptedLookUp(const std::string& word, const std::string& png)
{
    itsScriptedWord = word;
    itsScriptedPng = png;
}

void KQedApp::RunScriptedLookUp()
{
    RWOrdered* documents = GetDocuments();
    for (std::size_t i = 0; documents != nullptr && i < documents->entries(); ++i) {
        auto* reference = dynamic_cast<RefDoc*>((*documents)[i]);
        MainRefWin* window = reference != nullptr ? reference->GetMainWindow() : nullptr;
        if (window == nullptr)
            continue;
        window->GetBasicPage()->SearchFor(itsScriptedWord);
        vko_app_process_pending_events();
        vko_dwin_update(window->GetVKOWindow());
        if (vkov_debug_surface_write_png(window->GetVKOWindow(), itsScriptedPng.c_str()))
            std::printf("TavlinCD: the main window after looking up \"%s\" is in %s\n",
                        itsScriptedWord.c_str(), itsScriptedPng.c_str());
        else
            std::printf("TavlinCD: could not write %s\n", itsScriptedPng.c_str());
        break;
    }
    std::fflush(stdout);
    vko_app_destroy_hook();
}

bool KQedApp::SaveBookmarksBeforeTheEnd()
{
    if (itsBookmarks->SaveIfChanged() || itEndsWithoutBookmarks)
        return true;
    // While the windows are still up: the user may keep the program open, make room for
    // the file and end again, which writes it then. Return and Escape keep it open. A file
    // that could not be read at start is never written: what this session added is lost.
    const bool unread = itsBookmarks->ReadFailed();
    const std::string why = WhyLine(kBookmarkFileName, unread ? itsBookmarks->ReadProblem()
                                                             : itsBookmarks->SaveProblem());
    if (vko_dm_post_ask("Cancel", "Exit Anyway", nullptr, "%s%s\n%s", kCantSaveBookmarks,
                        why.c_str(),
                        unread ? kUnreadBookmarksLostAtTheEnd : kBookmarksLostAtTheEnd) != 1)
        return false;
    itEndsWithoutBookmarks = true;
    return true;
}

short KQedApp::DoClose()
{
    if (!SaveBookmarksBeforeTheEnd())
        return 0;
    const short closed = FRM_CApplication::DoClose();
    if (closed == 0)
        itEndsWithoutBookmarks = false;  // the program goes on: a later end asks again
    return closed;
}

bool KQedApp::SaveUserData()
{
    bool saved = itsBookmarks->SaveIfChanged() != 0;
    auto* user = itsIDData.Get<UserInfoDoc>(KQedAppFactory::kUserDocument);
    if (user != nullptr && user->NeedsSaving())
        saved = user->DoSave() != 0 && saved;
    return saved;
}

void KQedApp::ShutDown()
{
    for (std::int32_t* timer : {&itsQuitTimer, &itsDeleteTimer, &itsScriptTimer}) {
        if (*timer >= 0)
            vko_timer_destroy(*timer);
        *timer = -1;
    }
    DeleteDeferred();
    // A last try for an end that came without a quit (the session ending at once).
    itsBookmarks->SaveIfChanged();
    itsHelp.Close();
    itsWindows.clear();
    itsCurrentWindow = -1;
    FRM_CApplication::ShutDown();
    itsDescriptions.clearAndDestroy();
    ReleaseEngineBuffers();
}

short KQedApp::DoNew() { return OpenNewWindow(nullptr); }

short KQedApp::DoOpen()
{
    // Only a reference document: the application's own two documents exist once.
    auto* document = dynamic_cast<RefDoc*>(
        KQedAppFactory::Instance().CreateDocument(KQedAppFactory::kReferenceDocument));
    if (document == nullptr)
        return 0;
    if (!document->IsOpen() || document->DoOpen() == 0) {
        delete document;
        return 0;
    }
    return 1;
}

short KQedApp::OpenNewWindow(const WindowRequest* request)
{
    auto* document = dynamic_cast<RefDoc*>(
        KQedAppFactory::Instance().CreateDocument(KQedAppFactory::kReferenceDocument));
    return OpenReference(document, request) ? 1 : 0;
}

bool KQedApp::OpenReference(RefDoc* document, const WindowRequest* request)
{
    // A dictionary that cannot be opened leaves nothing to work with: the program ends,
    // saying which description and which file: the description's folder and name are
    // joined as they stand, so the path shows a missing separator as it is.
    if (document == nullptr || !document->IsOpen()) {
        std::string text = FRM_CStringRW(1200).data();
        if (const configDict* description =
                document != nullptr ? document->GetDescription() : nullptr)
            text += std::string("\n") + description->ref_name().data() +
                    " (base_dir=" + description->base_dir().data() +
                    ", base_name=" + description->base_name().data() + "): " + data_files_problem();
        delete document;
        vko_dm_post_fatal_exit("%s", text.c_str());
        return false;
    }
    document->TellMediaSetProblems();
    if (request != nullptr)
        document->OpenMainWindow(request);
    else
        document->DoNew();
    return true;
}

void KQedApp::DoAboutBox()
{
    ShowSplash();
    // The user asked for it and looks at it: Escape is for it now.
    itIsAboutShown = itsSplash != nullptr;
}

void KQedApp::ShowSplash()
{
    if (itsSplash == nullptr)
        itsSplash = SplashWin::Open();
}

bool KQedApp::TitleWindowTakesEscape(WINDOW window, const EVENT& event)
{
    // The title window takes no keys, so that those typed over it at start-up reach the field
    // with the caret. Shown as the About box it is what the user looks at: Escape is meant
    // for it, not for the main window under it, whose page it would clear. A dialog's
    // Escape stays the dialog's.
    if (event.type != E_CHAR || event.v.chr.virt != 0 || event.v.chr.ch != 27)
        return false;
    KQedApp* application = Instance();
    SplashWin* splash = application != nullptr ? application->itsSplash : nullptr;
    if (splash == nullptr || splash->IsClosing() || !application->itIsAboutShown)
        return false;
    bool forMainWindow = false;
    for (WINDOW w = window; w != nullptr && !forMainWindow; w = w->parent) {
        forMainWindow = w == splash->GetVKOWindow();
        for (const FRM_CWindow* main : application->itsWindows)
            forMainWindow = forMainWindow || w == main->GetVKOWindow();
    }
    if (!forMainWindow)
        return false;
    splash->Close();
    return true;
}

void KQedApp::SplashGone(const SplashWin* window)
{
    if (itsSplash == window) {
        itsSplash = nullptr;
        itIsAboutShown = false;
    }
}

void KQedApp::DoMenuCommand(short tag, short shift, short control)
{
    for (int i = 0; i < 5; ++i) {
        if (tag == menutag::kGoOnlineItems[i]) {
            OpenWebPage(menutag::kGoOnlineAddresses[i]);
            return;
        }
    }
    if (tag > kWindowItemBase && tag <= kWindowItemBase + static_cast<short>(itsWindows.size())) {
        const long place = tag - kWindowItemBase;
        CmdShowWindow::Send(*this, place);
        return;
    }
    switch (tag) {
    case menutag::kPreferences:
    case menutag::kOrganizeBookmarks:
        // The user's document runs both windows; a bookmark chosen in the organiser then
        // opens in the window that was in front when it was asked for.
        if (auto* user = itsIDData.Get<UserInfoDoc>(KQedAppFactory::kUserDocument)) {
            if (tag == menutag::kPreferences)
                UserInfoDoc::CmdPreferences::Send(*user, nullptr);
            else
                UserInfoDoc::CmdOrganizeBookmarks::Send(*user, nullptr);
        }
        return;
    case menutag::kAbout:
        DoAboutBox();
        return;
    case menutag::kNewWindow:
        DoNew();
        return;
    default:
        FRM_CApplication::DoMenuCommand(tag, shift, control);
    }
}

void KQedApp::DoCommand(long command, void* data)
{
    switch (command) {
    case CmdNextWindow::kNumber: {
        const FRM_CWindow* window = CmdNextWindow::Read(data);
        const std::vector<FRM_CWindow*> ring = NextWindowRing();
        const auto found = std::find(ring.begin(), ring.end(), window);
        if (window != nullptr && found != ring.end())
            BringForward(ring[static_cast<std::size_t>(found - ring.begin() + 1) % ring.size()]);
        return;
    }
    case CmdRegisterWindow::kNumber:
        RegisterWindow(CmdRegisterWindow::Read(data));
        return;
    case kCmdBookmarksChanged:
        for (FRM_CWindow* window : itsWindows)
            RebuildBookmarkMenus(window, *itsBookmarks);
        // The change stays in memory and is written with the next one, or at the end.
        if (itsBookmarks->HasUnsavedChanges())
            vko_dm_post_warning("%s%s", kCantSaveBookmarks,
                                WhyLine(kBookmarkFileName, itsBookmarks->SaveProblem()).c_str());
        return;
    case CmdPreferences::kNumber:
        if (auto* user = itsIDData.Get<UserInfoDoc>(KQedAppFactory::kUserDocument))
            UserInfoDoc::CmdPreferences::Send(*user, CmdPreferences::Read(data));
        return;
    case kCmdRebuildWindowMenus:
        RebuildWindowMenus();
        return;
    case CmdRetitleWindow::kNumber: {
        const WindowTitle* record = CmdRetitleWindow::Read(data);
        if (record == nullptr || record->window == nullptr)
            return;
        const auto found = std::find(itsWindows.begin(), itsWindows.end(), record->window);
        if (found == itsWindows.end())
            return;
        std::string& text = itsItemTexts[static_cast<std::size_t>(found - itsWindows.begin())];
        const std::string wanted = record->text != nullptr ? record->text : "";
        if (text == wanted)
            return;
        text = wanted;
        RebuildWindowMenus();
        return;
    }
    case CmdShowWindow::kNumber:
        // Places outside the list go nowhere.
        if (const long* place = CmdShowWindow::Read(data))
            BringToFront(static_cast<int>(*place) - 1);
        return;
    case kCmdHistoryHelp:
        itsHelp.ShowTopic(1090);
        return;
    case kCmdSpellingHelp:
        itsHelp.ShowTopic(1130);
        return;
    case kCmdBookmarkHelp:
        itsHelp.ShowTopic(1110);
        return;
    case kNoCommand:
        return;
    case CmdUnregisterWindow::kNumber:
        UnregisterWindow(CmdUnregisterWindow::Read(data));
        return;
    case kCmdLookUpClipboard: {
        itsCommandLine = false;
        RWOrdered* documents = GetDocuments();
        for (std::size_t i = 0; documents != nullptr && i < documents->entries(); ++i) {
            if (auto* reference = dynamic_cast<RefDoc*>((*documents)[i])) {
                reference->LookUpClipboard();
                return;
            }
        }
        return;
    }
    case CmdDeferredDelete::kNumber:
        // The document that asked is on the call stack: it goes on the next timer.
        if (FRM_CDocument* document = CmdDeferredDelete::Read(data))
            itsDeferred.push_back(document);
        if (itsDeleteTimer < 0)
            itsDeleteTimer = vko_timer_create(TaskWindow(), kQuitDelayMs);
        return;
    case kCmdDeferredQuit:
        if (itsQuitTimer < 0)
            itsQuitTimer = vko_timer_create(TaskWindow(), kQuitDelayMs);
        return;
    default:
        FRM_CApplication::DoCommand(command, data);
    }
}

void KQedApp::DoTimer(long timerId)
{
    if (timerId == itsScriptTimer && itsScriptTimer >= 0) {
        vko_timer_destroy(itsScriptTimer);
        itsScriptTimer = -1;
        RunScriptedLookUp();
        return;
    }
    if (timerId == itsDeleteTimer && itsDeleteTimer >= 0) {
        if (IsSearching())
            return; // the timer fires again
        vko_timer_destroy(itsDeleteTimer);
        itsDeleteTimer = -1;
        DeleteDeferred();
        return;
    }
    if (timerId != itsQuitTimer || itsQuitTimer < 0)
        return;
    // The quit waits while a search runs: its status window and the engine are on the
    // call stack below the event that fired the timer.
    if (IsSearching()) {
        itsQuitPending = true;
        return;
    }
    vko_timer_destroy(itsQuitTimer);
    itsQuitTimer = -1;
    // The last window asked before it closed; with no window left the program can only
    // say what it could not save.
    if (!itsBookmarks->SaveIfChanged() && !itEndsWithoutBookmarks)
        vko_dm_post_warning("%s%s", kCantSaveBookmarks,
                            WhyLine(kBookmarkFileName, itsBookmarks->SaveProblem()).c_str());
    vko_app_destroy_hook();
}

void KQedApp::DeleteDeferred()
{
    std::vector<FRM_CDocument*> documents;
    documents.swap(itsDeferred);
    for (FRM_CDocument* document : documents)
        delete document;
}

void KQedApp::EndSearch()
{
    if (itsSearchDepth > 0)
        --itsSearchDepth;
    if (itsSearchDepth == 0 && itsQuitPending) {
        itsQuitPending = false;
        DoTimer(itsQuitTimer);
    }
}

void KQedApp::RemoveDocument(FRM_CDocument* document)
{
    FRM_CApplication::RemoveDocument(document);
    // A document deleted before its deferred delete came (closing the application deletes
    // every document at once) must not be deleted a second time.
    itsDeferred.erase(std::remove(itsDeferred.begin(), itsDeferred.end(), document),
                      itsDeferred.end());
    // Only the application's own documents left: the last reference document is gone.
    bool referenceLeft = false;
    RWOrdered* documents = GetDocuments();
    for (std::size_t i = 0; documents != nullptr && i < documents->entries(); ++i)
        referenceLeft = referenceLeft || dynamic_cast<RefDoc*>((*documents)[i]) != nullptr;
    if (itIsStarted && !referenceLeft)
        DoCommand(kCmdDeferredQuit, nullptr);
}

void KQedApp::RegisterWindow(FRM_CWindow* window)
{
    if (window == nullptr)
        return;
    itsWindows.push_back(window);
    itsItemTexts.emplace_back();
    itsCurrentWindow = static_cast<int>(itsWindows.size()) - 1;
    RebuildWindowMenus();
    RebuildBookmarkMenus(window, *itsBookmarks);
}

void KQedApp::UnregisterWindow(FRM_CWindow* window)
{
    const auto found = std::find(itsWindows.begin(), itsWindows.end(), window);
    if (found == itsWindows.end())
        return;
    itsItemTexts.erase(itsItemTexts.begin() + (found - itsWindows.begin()));
    itsWindows.erase(found);
    itsCurrentWindow = itsWindows.empty() ? -1 : 0;
    RebuildWindowMenus();
}

void KQedApp::BringToFront(int index)
{
    if (index < 0 || index >= static_cast<int>(itsWindows.size()))
        return;
    itsCurrentWindow = index;
    if (FRM_CDesktop* desktop = FRM_CObjectRWC::GetG()->GetDesktop())
        desktop->SetFrontWindow(itsWindows[static_cast<std::size_t>(index)]);
}

std::vector<FRM_CWindow*> KQedApp::NextWindowRing() const
{
    std::vector<FRM_CWindow*> ring;
    for (FRM_CWindow* window : itsWindows) {
        ring.push_back(window);
        const RWOrdered& others = window->GetDocument()->GetWindows();
        for (std::size_t i = 0; i < others.entries(); ++i) {
            auto* other = static_cast<FRM_CWindow*>(others[i]);
            if (other->IsVisible() && (dynamic_cast<TableWin*>(other) != nullptr ||
                                       dynamic_cast<ImageWin*>(other) != nullptr))
                ring.push_back(other);
        }
    }
    return ring;
}

void KQedApp::BringForward(FRM_CWindow* window)
{
    for (std::size_t n = 0; n < itsWindows.size(); ++n) {
        if (itsWindows[n] == window) {
            BringToFront(static_cast<int>(n));
            return;
        }
        // A table or an illustration: the window of its document stays the current one.
        if (itsWindows[n]->GetDocument() == window->GetDocument())
            itsCurrentWindow = static_cast<int>(n);
    }
    if (FRM_CDesktop* desktop = FRM_CObjectRWC::GetG()->GetDesktop())
        desktop->SetFrontWindow(window);
}

void KQedApp::RebuildWindowMenus()
{
    // The Window menu: "Next Window", then one item per registered window, tag 11500 + n.
    // Each window's menu checks that window's own item: the one the user is in. Two windows
    // on one dictionary showing no entry, or the same one, would read alike: the second and
    // later of them take their number among those alike, " (2)" and on.
    std::vector<std::string> titles;
    for (std::size_t n = 0; n < itsWindows.size(); ++n) {
        std::string title = itsWindows[n]->GetTitle().data();
        if (!itsItemTexts[n].empty())
            title += " - " + itsItemTexts[n];
        titles.push_back(title);
    }
    const std::vector<std::string> plain = titles;
    for (std::size_t n = 0; n < titles.size(); ++n) {
        const auto alike =
            std::count(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(n), plain[n]);
        if (alike > 0)
            titles[n] += " (" + std::to_string(alike + 1) + ")";
    }
    for (std::size_t shown = 0; shown < itsWindows.size(); ++shown) {
        FRM_CMenuBar* bar = itsWindows[shown]->GetMenuBar();
        if (bar == nullptr)
            continue;
        FRM_CSubmenu windowMenu(FRM_CStringRW("&Window"), menutag::kWindow, 'W',
                                FRM_CMenu::ENABLED);
        windowMenu.Append(FRM_CMenuItem(FRM_CStringRW("&Next Window"), menutag::kNextWindow, 'N',
                                        FRM_CMenu::ENABLED));
        for (std::size_t n = 0; n < itsWindows.size(); ++n) {
            const std::string& title = titles[n];
            const long flags =
                FRM_CMenu::ENABLED | FRM_CMenu::CHECKABLE | (n == shown ? FRM_CMenu::CHECKED : 0);
            windowMenu.Append(FRM_CMenuItem(FRM_CStringRW(menutag::Literal(title).c_str()),
                                            static_cast<short>(kWindowItemBase + n + 1), 0, flags));
        }
        bar->ReplaceSubmenu(menutag::kWindow, windowMenu);
        bar->DoUpdate();
    }
}

void KQedApp::OpenWebPage(int addressStringId)
{
    if (!WebLauncher().Open(FRM_CStringRW(addressStringId).data()))
        vko_dm_post_warning("%s", FRM_CStringRW(1151).data());
}
