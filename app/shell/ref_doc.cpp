// ref_doc.cpp: the reference document.
#include "app/shell/ref_doc.h"

#include <string>

#include "app/display/image_win.h"
#include "app/display/entry_painter.h"
#include "app/display/print_view.h"
#include "app/pages/search_notebook.h"
#include "app/pages/search_request.h"
#include "app/settings/config_dict.h"
#include "app/shell/clipboard_text.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "app/shell/main_ref_win.h"
#include "resources/menu_tags.h"
#include "app/shell/search_win.h"
#include "app/shell/sp_help_win.h"
#include "app/shell/table_win.h"
#include "app/shell/w_hist_win.h"
#include "engine/engine.h"
#include "frm/core/cobjrwc.h"
#include "frm/core/cstringrw.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cmenubar.h"
#include "vkocoll/collstr.h"
#include "ruk/static/vkoruk.h"

RefDoc::RefDoc(FRM_CApplication* application, std::int32_t id) : FRM_CDocument(application, id)
{
    if (KQedApp* app = KQedApp::Instance())
        itsDescription = app->PreferredDescription();
    itIsOpen = itsDescription != nullptr && itsKeyTable.Matches(itsDescription);
}

RefDoc::~RefDoc()
{
    if (itsMainWindow != nullptr)
        KQedApp::CmdUnregisterWindow::Send(*GetApplication(), *itsMainWindow);
    itsMainWindow = nullptr;
}

void RefDoc::BuildWindow() { OpenMainWindow(nullptr); }

void RefDoc::OpenMainWindow(const WindowRequest* request)
{
    // The main window is the one window made with the document; the others on demand.
    KQedAppFactory::Instance().DoCreateWindows(this, KQedAppFactory::kReferenceDocument, 0,
                                               &itsIDData);
    itsMainWindow = itsIDData.Get<MainRefWin>(KQedAppFactory::kMainWindow);
    if (itsMainWindow == nullptr)
        return;
    itsMainWindow->SetTitle(itsDescription != nullptr
                                ? FRM_CStringRW(itsDescription->ref_name().data())
                                : FRM_CStringRW("TavlinCD"));
    itsMainWindow->DoCommand(MainRefWin::kCmdShowCurrentReference, nullptr);
    itsMainWindow->Show();
    if (request != nullptr)
        MainRefWin::CmdRunRequest::Send(*itsMainWindow, *request);
    KQedApp::CmdRegisterWindow::Send(*GetApplication(), *itsMainWindow);
}

short RefDoc::DoOpen()
{
    if (!AskForFileToOpen(&itsOpenFile))
        return 0;
    BuildWindow();
    return itsMainWindow != nullptr ? 1 : 0;
}

int RefDoc::GetReferencePosition() const
{
    const KQedApp* application = KQedApp::Instance();
    if (application == nullptr || itsDescription == nullptr)
        return -1;
    const RWOrdered& descriptions = application->GetDescriptions();
    for (std::size_t i = 0; i < descriptions.entries(); ++i)
        if (descriptions[i] == itsDescription)
            return static_cast<int>(i);
    return -1;
}

const Prefs* RefDoc::GetPrefs() const
{
    KQedApp* application = KQedApp::Instance();
    return application != nullptr ? &application->GetPrefs() : nullptr;
}

std::vector<std::string> RefDoc::GetReferenceNames() const
{
    std::vector<std::string> names;
    if (const KQedApp* application = KQedApp::Instance()) {
        const RWOrdered& descriptions = application->GetDescriptions();
        for (std::size_t i = 0; i < descriptions.entries(); ++i)
            names.emplace_back(static_cast<const configDict*>(descriptions[i])->ref_name().data());
    }
    return names;
}

void RefDoc::RemoveWindow(FRM_CWindow* window)
{
    std::erase_if(itsReferenceWindows, [window](const auto& open) { return open.first == window; });
    if (window == itsMainWindow) {
        KQedApp::CmdUnregisterWindow::Send(*GetApplication(), *window);
        itsMainWindow = nullptr;
        // The document goes with its window, once this event is over.
        KQedApp::CmdDeferredDelete::Send(*GetApplication(), *this);
    }
    FRM_CDocument::RemoveWindow(window);
}

void RefDoc::DoCommand(long command, void* data)
{
    switch (command) {
    case CmdShowIllustration::kNumber: {
        FRM_CView* opener = CmdShowIllustration::Read(data);
        if (opener == nullptr)
            return;
        // A picture that cannot be read is told, naming its file, in place of an empty window.
        if (const std::string problem = itsKeyTable.ReferenceProblem(); !problem.empty()) {
            vko_dm_post_warning("%s", problem.c_str());
            return;
        }
        if (BringShownReferenceForward())
            return;
        auto* window = dynamic_cast<ImageWin*>(
            KQedAppFactory::Instance().CreateWindow(this, KQedAppFactory::kImageWindow));
        if (window == nullptr)
            return;
        window->SetSources(&itsKeyTable, KQedApp::Instance()->GetPrefs());
        ImageSetUp::Send(*window, *opener);
        window->Show();
        NoteShownReference(*window);
        BringForward(*window);
        return;
    }
    case PrintedFile::kNumber:
        // A print of one of the document's other windows: told in the main window.
        if (const std::string* file = PrintedFile::Read(data);
            itsMainWindow != nullptr && file != nullptr)
            itsMainWindow->ShowPrinted(*file);
        return;
    case CmdLookUp::kNumber:
        // Every main window of the document (it has one) looks the text up.
        if (const std::string* text = CmdLookUp::Read(data))
            for (std::size_t i = 0; i < GetWindows().entries(); ++i)
                if (auto* window = dynamic_cast<MainRefWin*>(GetWindows()[i]))
                    MainRefWin::CmdLookUp::Send(*window, *text);
        return;
    case CmdSearch::kNumber:
        if (SearchRequest* request = CmdSearch::Read(data))
            RunSearch(request);
        return;
    case CmdSearchFound::kNumber:
        // The hits go to the asking page's notebook, which lists them on every page of its
        // window and shows the first hit's entry.
        if (SearchRequest* request = CmdSearchFound::Read(data);
            request != nullptr && request->notebook != nullptr)
            SearchNotebook::CmdEnterResults::Send(*request->notebook, *request);
        return;
    case CmdSpellingHelp::kNumber:
        if (SearchRequest* request = CmdSpellingHelp::Read(data)) {
            request->reference = GetReferencePosition();
            request->text = SpHelpWin::Run(this, request->text, &request->code);
        }
        return;
    case CmdShowEntry::kNumber:
        if (const EntryToShow* shown = CmdShowEntry::Read(data))
            ShowEntry(*shown);
        return;
    case CmdHistoryWindow::kNumber:
        if (HistoryRequest* request = CmdHistoryWindow::Read(data)) {
            if (const long picked = WHistWin::Run(this, request->names))
                request->position = static_cast<std::int32_t>(picked);
        }
        return;
    case CmdShowTable::kNumber:
        if (const std::string problem = itsKeyTable.ReferenceProblem(); !problem.empty()) {
            vko_dm_post_warning("%s", problem.c_str());
            return;
        }
        if (BringShownReferenceForward())
            return;
        if (FRM_CWindow* window =
                KQedAppFactory::Instance().CreateWindow(this, KQedAppFactory::kTableWindow)) {
            TableWin::CmdShowTable::Send(*window);
            NoteShownReference(*window);
            BringForward(*window);
        }
        return;
    default:
        FRM_CDocument::DoCommand(command, data);
    }
}

void RefDoc::BringForward(FRM_CWindow& window)
{
    // In front, it takes the keys (Next Window typed there goes on to the next one), as a
    // window manager gives them to a new window.
    if (FRM_CDesktop* desktop = FRM_CObjectRWC::GetG()->GetDesktop())
        desktop->SetFrontWindow(&window);
}

bool RefDoc::BringShownReferenceForward()
{
    // Asked again for what a window of its own shows, the user gets that window, not a copy.
    const std::string shown = itsKeyTable.ReferenceShown();
    for (const auto& [window, showing] : itsReferenceWindows)
        if (!shown.empty() && showing == shown) {
            BringForward(*window);
            return true;
        }
    return false;
}

void RefDoc::NoteShownReference(FRM_CWindow& window)
{
    itsReferenceWindows.emplace_back(&window, itsKeyTable.ReferenceShown());
}

void RefDoc::RunSearch(SearchRequest* request)
{
    request->reference = GetReferencePosition();
    // Another window's dictionary may be the engine's now.
    if (!itIsOpen || !itsKeyTable.MakeCurrent())
        return;
    SearchWin::Run(this, request);
}

void RefDoc::ShowEntry(const EntryToShow& shown)
{
    if (shown.word == nullptr || shown.painter == nullptr)
        return;
    RWOrdered words;
    if (shown.highlights != nullptr)
        for (const std::string& h : *shown.highlights)
            words.insert(new RWCollectableString(h.c_str()));
    itsKeyTable.FormatEntryText(shown.word, shown.painter, words.entries() != 0 ? &words : nullptr);
    words.clearAndDestroy();
    // An entry is shown: it can be cleared and its word copied; nothing of it is selected.
    if (itsMainWindow == nullptr)
        return;
    const std::int32_t items[4] = {1, 1, 0, 0};
    MainRefWin::CmdEntryMenusOn::Send(*itsMainWindow, items);
    if (FRM_CMenuBar* bar = itsMainWindow->GetMenuBar())
        bar->SetEnabled(menutag::kCopy, 0);
    // The Window menu names the entry after the window's title.
    if (KQedApp* application = KQedApp::Instance()) {
        KQedApp::CmdRetitleWindow::Send(*application,
                                        KQedApp::WindowTitle{itsMainWindow, shown.word->data()});
    }
}

bool RefDoc::OpenReference(const std::string& name)
{
    KQedApp* application = KQedApp::Instance();
    const configDict* wanted =
        application != nullptr ? application->FindDescription(name) : nullptr;
    if (wanted == nullptr)
        return false;
    if (wanted == itsDescription)
        return true;
    itsOpenProblem.clear();
    if (!itsKeyTable.Matches(wanted)) {
        itsOpenProblem = data_files_problem();  // before the open dictionary opens again
        itIsOpen = itsDescription != nullptr && itsKeyTable.Matches(itsDescription);
        return false;
    }
    itsDescription = wanted;
    itIsOpen = true;
    TellMediaSetProblems();
    return true;
}

void RefDoc::TellMediaSetProblems()
{
    KQedApp* application = KQedApp::Instance();
    if (itsDescription == nullptr || application == nullptr ||
        !application->FirstTimeToldOf(itsDescription->ref_name().data()))
        return;
    std::string text;
    for (const std::string& problem : itsKeyTable.MediaSetProblems())
        text += (text.empty() ? "" : "\n") + problem;
    if (!text.empty())
        vko_dm_post_warning("%s", text.c_str());
}

void RefDoc::LookUpClipboard()
{
    if (itsMainWindow == nullptr)
        return;
    std::string word = ReadClipboardText(ClipboardTrim::kLineEndsAndSpaces);
    if (!word.empty())
        CmdLookUp::Send(*this, word);
}
