// user_info_doc.cpp: the user's document.
#include "app/shell/user_info_doc.h"

#include <algorithm>

#include "app/settings/file_replace.h"
#include "app/settings/settings_files.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "app/shell/pref_win.h"
#include "frm/core/ccmdnums.h"
#include "frm/core/cstringrw.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

UserInfoDoc::UserInfoDoc(FRM_CApplication* application, std::int32_t id)
    : FRM_CDocument(application, id)
{
    if (KQedApp* app = KQedApp::Instance())
        itsWorkingPrefs = app->GetPrefs();
}

UserInfoDoc::~UserInfoDoc() = default;

void UserInfoDoc::SetModified(short changed)
{
    SetSave(changed);
    if (changed == 0)
        itsSaveFailed = false;
}

void UserInfoDoc::SetPendingBookmark(short tag)
{
    itHasPendingBookmark = true;
    itsPendingTag = tag;
}

void UserInfoDoc::BuildWindow()
{
    // Neither window is made with the document: both only on demand.
    KQedAppFactory::Instance().DoCreateWindows(this, KQedAppFactory::kUserDocument, 0, &itsIDData);
}

short UserInfoDoc::DoOpen()
{
    if (!AskForFileToOpen(&itsOpenFile))
        return 0;
    BuildWindow();
    return 1;
}

short UserInfoDoc::DoSave()
{
    ApplyOrTell();
    return NeedsSaving() ? 0 : 1;
}

void UserInfoDoc::RemoveWindow(FRM_CWindow* window)
{
    if (window == itsPreferencesWindow)
        itsPreferencesWindow = nullptr;
    if (window == itsBookmarkWindow)
        itsBookmarkWindow = nullptr;
    FRM_CDocument::RemoveWindow(window);
}

FRM_CWindow* UserInfoDoc::MakeWindow(std::int32_t id, FRM_CWindow** slot)
{
    if (*slot != nullptr)
        return nullptr;
    *slot = KQedAppFactory::Instance().CreateWindow(this, id);
    return *slot;
}

FRM_CWindow* UserInfoDoc::FrontWindow()
{
    FRM_CDesktop* desktop = FRM_CObjectRWC::GetG()->GetDesktop();
    return desktop != nullptr ? desktop->GetFrontWindow() : nullptr;
}

bool UserInfoDoc::IsMainWindow(const FRM_CWindow* window)
{
    // A window closed while the organiser ran is no longer in the program's list.
    const KQedApp* app = KQedApp::Instance();
    if (window == nullptr || app == nullptr)
        return false;
    const auto& windows = app->GetWindowList();
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

bool UserInfoDoc::Apply()
{
    SettingsFiles files;
    itsSaveFailed = !files.WritePrefs(itsWorkingPrefs, "", &itsSaveProblem);
    if (itsSaveFailed)
        return false;
    if (KQedApp* app = KQedApp::Instance())
        app->GetPrefs() = itsWorkingPrefs;
    SetModified(0);
    return true;
}

void UserInfoDoc::ApplyOrTell()
{
    if (!Apply())
        vko_dm_post_warning("%s", SaveFailureText().c_str());
}

std::string UserInfoDoc::SaveFailureText() const
{
    return "Can't save preferences file (Pref.kq)." + WhyLine(kPrefsFileName, itsSaveProblem);
}

void UserInfoDoc::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdApply:
        ApplyOrTell();
        return;
    case CmdPreferences::kNumber: {
        if (itsPreferencesWindow != nullptr)
            return;
        if (KQedApp* app = KQedApp::Instance())
            itsWorkingPrefs = app->GetPrefs();
        itsSaveFailed = false;
        auto* window = dynamic_cast<PrefWin*>(MakeWindow(KQedAppFactory::kPreferencesWindow,
                                                         &itsPreferencesWindow));
        if (window == nullptr)
            return;
        window->SetNotifyWindow(CmdPreferences::Read(data));
        vko_win_process_modal(window->GetVKOWindow());
        return;
    }
    case CmdOrganizeBookmarks::kNumber: {
        // The organiser is in front while it runs and is gone when its loop returns, so the
        // window that asked is taken now and the bookmark goes to it afterwards.
        itHasPendingBookmark = false;
        FRM_CWindow* asking = CmdOrganizeBookmarks::Read(data);
        if (asking == nullptr)
            asking = FrontWindow();
        if (FRM_CWindow* window = MakeWindow(KQedAppFactory::kBookmarkWindow, &itsBookmarkWindow))
            vko_win_process_modal(window->GetVKOWindow());
        if (itHasPendingBookmark) {
            itHasPendingBookmark = false;
            if (FRM_CWindow* target = IsMainWindow(asking) ? asking : FrontWindow())
                target->DoMenuCommand(itsPendingTag, 0, 0);
        }
        return;
    }
    case kNoCommand:
        return;
    default:
        FRM_CDocument::DoCommand(command, data);
    }
}

void UserInfoDoc::DoMenuCommand(short tag, short shift, short control)
{
    if (tag == kNoCommand)
        return;
    FRM_CDocument::DoMenuCommand(tag, shift, control);
}
