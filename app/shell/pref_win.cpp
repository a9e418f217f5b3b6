// pref_win.cpp: the preferences window and its three pages.
#include "app/shell/pref_win.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/display/not_handled.h"
#include "app/settings/config_dict.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "app/shell/user_info_doc.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nnotebk.h"
#include "frm/core/ccmdnums.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cnav.h"
#include "frm/controls/cfacewin.h"
#include "frm/views/cimage.h"
#include "frm/views/crectshp.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/collstr.h"

namespace {

constexpr unsigned long kPageBack = 0x0BFFFFFF;
constexpr unsigned long kPageFore = 0x07000000;
constexpr unsigned long kPageBlend = 0x0AC0C0C0;
const FRM_CRect kRestoreFrame(160, 175, 275, 205);
// The notebook leaves the window's bottom 40 units to the buttons.
constexpr float kButtonArea = 40;

Prefs DefaultsKeepingReference(const Prefs& current)
{
    Prefs prefs = DefaultPrefs();
    prefs.reference = current.reference;
    return prefs;
}

// The reads of the lists: the selection's text, "" without one.
std::string SelectedText(const FRM_NListButton* list)
{
    const int position = list->GetSelectPosition();
    return position >= 0 ? std::string(list->GetItem(position, 510).data()) : std::string();
}

// The changes of the window are dropped: the user's document also forgets a save that failed.
void Discard(FRM_CDocument* document)
{
    if (auto* user = dynamic_cast<UserInfoDoc*>(document))
        user->SetModified(0);
    else
        document->SetSave(0);
}

void SelectText(FRM_NListButton* list, const std::string& text)
{
    list->DeselectAll();
    for (int i = 0; i < list->GetNumItems(); ++i) {
        if (text == list->GetItem(i, 510).data()) {
            list->SelectItem(i);
            return;
        }
    }
}

} // namespace

// --- PrefPage --------------------------------------------------------------------------

PrefPage::PrefPage(PrefWin* window, FRM_CSubview* enclosure, const FRM_CRect& frame,
                   long restoreCommand)
    : FRM_CSubview(enclosure, frame), itsWindow(window), itsRestoreCommand(restoreCommand)
{
    // The window's font: the controls' rectangles are made for it.
    const FRM_CEnvironment* inForce = window->GetEnvironment();
    FRM_CEnvironment environment(
        kPageBack, kPageFore, FRM_CEnvironment::kWhite, 2, FRM_CEnvironment::kBlack, 2, 1,
        inForce != nullptr ? inForce->GetFont() : FRM_CEnvironment::DefaultFont());
    environment.SetBlendColor(kPageBlend);
    SetEnvironment(environment, 0);
}

void PrefPage::AddRestoreButton()
{
    itsRestore = new FRM_NButton(this, kRestoreFrame, FRM_CStringRW(1065), 0);
    itsRestore->SetCommand(itsRestoreCommand);
}

void PrefPage::DoCommand(long command, void* data)
{
    if (command == PrefWin::kCmdApply) {
        ApplyTo(itsWindow->Working());
        return;
    }
    if (command == kNoCommand)
        return;
    FRM_CSubview::DoCommand(command, data);
}

void PrefPage::Draw(const FRM_CRect& area)
{
    FRM_CDrawingContext context(this);
    context.GetEnv().SetPen(kPageBack, 1, PAT_SOLID, P_SOLID);
    context.GetEnv().SetBrushColor(kPageBack, kPageBack);
    context.DrawRect(GetGlobalFrame()); // drawing is in window coordinates
    FRM_CSubview::Draw(area);
}

void PrefPage::MarkChanged() { itsWindow->MarkChanged(); }

// --- AppearancePage ----------------------------------------------------------------------

AppearancePage::AppearancePage(PrefWin* window, FRM_CSubview* enclosure, const FRM_CRect& frame)
    : PrefPage(window, enclosure, frame, kCmdRestore)
{
    // Two lines beside the swatch: in the system font the label is wider than the room left
    // of the swatch, and one line of it lost its last word.
    new FRM_NText(this, FRM_CRect(5, 4, 187, 36), FRM_CStringRW(1077), 0);
    itsBackSwatch = new FRM_CRectangle(this, FRM_CRect(190, 7, 215, 32));
    itsBackSwatch->SetDoubleCommand(kCmdBackColor);
    auto* changeBack = new FRM_NButton(this, FRM_CRect(220, 7, 275, 32), FRM_CStringRW(1069), 0);
    changeBack->SetCommand(kCmdBackColor);
    new FRM_NText(this, FRM_CRect(5, 39, 170, 57), FRM_CStringRW(1083), 0);
    itsTextSwatch = new FRM_CRectangle(this, FRM_CRect(190, 36, 215, 61));
    itsTextSwatch->SetDoubleCommand(kCmdTextColor);
    auto* changeText = new FRM_NButton(this, FRM_CRect(220, 37, 275, 61), FRM_CStringRW(1073), 0);
    changeText->SetCommand(kCmdTextColor);
    new FRM_NText(this, FRM_CRect(5, 75, 135, 92), FRM_CStringRW(1087), 0);
    itsSizes = new FRM_NListButton(this, FRM_CRect(190, 73, 275, 211),
                                   FRM_CStringCollection(1175, 1182), -1, 0);
    itsSizes->SetCommand(kCmdSize);
    new FRM_NText(this, FRM_CRect(5, 102, 67, 120), FRM_CStringRW(1050), 0);
    itsSample = new FRM_NEditControl(this, FRM_CRect(75, 102, 275, 145), FRM_CStringRW(1143), 0);
    itsInResults = new FRM_NCheckBox(this, FRM_CRect(5, 149, 192, 173), FRM_CStringRW(1137), 0);
    itsInResults->SetSelectCommand(kCmdInResults);
    itsInResults->SetDeselectCommand(kCmdNotInResults);
    AddRestoreButton();
}

void AppearancePage::ShowPrefs(const Prefs& prefs)
{
    char size[16];
    std::snprintf(size, sizeof size, "%d", static_cast<int>(prefs.font_size));
    SelectText(itsSizes, size);
    if (prefs.use_in_results != 0)
        itsInResults->Select();
    else
        itsInResults->Deselect();
    itsBackColor = prefs.back_color;
    itsTextColor = prefs.text_color;
    PaintSwatch(itsBackSwatch, itsBackColor);
    PaintSwatch(itsTextSwatch, itsTextColor);
    UpdateSample();
}

void AppearancePage::ApplyTo(Prefs& prefs) const
{
    // The size is read as a decimal number from its leading digits (0 without any); no
    // selection keeps the size.
    const std::string size = SelectedText(itsSizes);
    if (itsSizes->GetSelectPosition() >= 0)
        prefs.font_size = static_cast<std::int32_t>(std::strtol(size.c_str(), nullptr, 10));
    prefs.back_color = itsBackColor;
    prefs.text_color = itsTextColor;
    prefs.use_in_results = itsInResults->IsSelected() ? 1 : 0;
}

void AppearancePage::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdBackColor:
        ChooseColor(&itsBackColor, itsBackSwatch);
        return;
    case kCmdTextColor:
        ChooseColor(&itsTextColor, itsTextSwatch);
        return;
    case kCmdSize:
        UpdateSample();
        MarkChanged();
        return;
    case kCmdInResults:
    case kCmdNotInResults:
        MarkChanged();
        return;
    case kCmdRestore:
        ShowPrefs(DefaultPrefs());
        MarkChanged();
        return;
    default:
        PrefPage::DoCommand(command, data);
    }
}

void AppearancePage::ChooseColor(std::uint32_t* color, FRM_CRectangle* swatch)
{
    COLOR chosen = *color;
    if (!vko_dm_post_color_sel(&chosen, GetVKOWindow()))
        return;
    *color = chosen;
    PaintSwatch(swatch, *color);
    UpdateSample();
    MarkChanged();
}

void AppearancePage::PaintSwatch(FRM_CRectangle* swatch, std::uint32_t color)
{
    FRM_CEnvironment environment(color, kPageFore);
    environment.SetBrushColor(color, color);
    swatch->SetEnvironment(environment, 0);
    swatch->Invalidate(swatch->GetLocalFrame());
}

void AppearancePage::UpdateSample()
{
    FRM_CEnvironment environment(itsBackColor, itsTextColor);
    FRM_CFont font = environment.GetFont();
    const long size = std::strtol(SelectedText(itsSizes).c_str(), nullptr, 10);
    if (size > 0)
        font.SetSize(size);
    environment.SetFont(font);
    itsSample->SetEnvironment(environment, 0);
    itsSample->Invalidate(itsSample->GetLocalFrame());
}

// --- ReferencePage -----------------------------------------------------------------------

ReferencePage::ReferencePage(PrefWin* window, FRM_CSubview* enclosure, const FRM_CRect& frame)
    : PrefPage(window, enclosure, frame, kCmdRestore)
{
    new FRM_NText(this, FRM_CRect(10, 50, 270, 68), FRM_CStringRW(1101), 0);
    new FRM_NText(this, FRM_CRect(10, 70, 270, 88), FRM_CStringRW(1105), 0);
    itsList =
        new FRM_NListButton(this, FRM_CRect(10, 96, 275, 216), FRM_CStringCollection(), -1, 0);
    itsList->SetCommand(kCmdChosen);
    if (const KQedApp* application = KQedApp::Instance()) {
        const RWOrdered& descriptions = application->GetDescriptions();
        for (std::size_t i = 0; i < descriptions.entries(); ++i)
            itsList->Insert(FRM_CStringRW(
                static_cast<const configDict*>(descriptions[i])->ref_name().data()), -1);
    }
    AddRestoreButton();
}

void ReferencePage::ShowPrefs(const Prefs& prefs) { SelectText(itsList, prefs.reference.data()); }

void ReferencePage::ApplyTo(Prefs& prefs) const
{
    if (itsList->GetSelectPosition() >= 0)
        prefs.reference = SelectedText(itsList).c_str();
}

void ReferencePage::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdChosen:
        MarkChanged();
        return;
    case kCmdRestore:
        ShowPrefs(DefaultPrefs());
        MarkChanged();
        return;
    default:
        PrefPage::DoCommand(command, data);
    }
}

// --- BrowseSearchPage --------------------------------------------------------------------

BrowseSearchPage::BrowseSearchPage(PrefWin* window, FRM_CSubview* enclosure, const FRM_CRect& frame)
    : PrefPage(window, enclosure, frame, kCmdRestore)
{
    new FRM_NText(this, FRM_CRect(10, 12, 270, 30), FRM_CStringRW(1127), 0);
    new FRM_NText(this, FRM_CRect(10, 31, 270, 49), FRM_CStringRW(1129), 0);
    itsModes = new FRM_NListButton(this, FRM_CRect(10, 56, 275, 176),
                                   FRM_CStringCollection(1194, 1196), -1, 0);
    itsModes->SetCommand(kCmdMode);
    new FRM_NText(this, FRM_CRect(10, 97, 270, 115), FRM_CStringRW(1119), 0);
    new FRM_NText(this, FRM_CRect(10, 115, 270, 133), FRM_CStringRW(1121), 0);
    itsTypes =
        new FRM_NListButton(this, FRM_CRect(10, 140, 275, 245), FRM_CStringCollection(), -1, 0);
    itsTypes->SetCommand(kCmdType);
    AddRestoreButton();
}

void BrowseSearchPage::ShowPrefs(const Prefs& prefs)
{
    itsModes->DeselectAll();
    if (prefs.search_mode >= 0 && prefs.search_mode < itsModes->GetNumItems())
        itsModes->SelectItem(prefs.search_mode);
    FillTypes(prefs);
}

void BrowseSearchPage::FillTypes(const Prefs& prefs)
{
    itsTypes->Clear();
    if (prefs.search_mode == 0 || prefs.search_mode == 1) {
        const KQedApp* application = KQedApp::Instance();
        const configDict* description =
            application != nullptr ? application->FindDescription(prefs.reference.data()) : nullptr;
        if (description != nullptr) {
            const RWOrdered& labels = description->SearchLabels();
            for (std::size_t i = 0; i < labels.entries(); ++i)
                itsTypes->Insert(
                    FRM_CStringRW(static_cast<const RWCollectableString*>(labels[i])->data()), -1);
        }
    } else if (prefs.search_mode == 2) {
        itsTypes->Insert(FRM_CStringCollection(1058, 1059), -1);
    }
    const int count = itsTypes->GetNumItems();
    if (count > 0)
        itsTypes->SelectItem(prefs.search_type >= 0 && prefs.search_type < count ? prefs.search_type
                                                                                 : count - 1);
}

void BrowseSearchPage::ApplyTo(Prefs& prefs) const
{
    if (itsModes->GetSelectPosition() >= 0)
        prefs.search_mode = itsModes->GetSelectPosition();
    if (itsTypes->GetSelectPosition() >= 0)
        prefs.search_type = itsTypes->GetSelectPosition();
}

void BrowseSearchPage::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdMode: {
        Prefs chosen = itsWindow->Working();
        chosen.search_mode = itsModes->GetSelectPosition();
        FillTypes(chosen);
        MarkChanged();
        return;
    }
    case kCmdType:
        MarkChanged();
        return;
    case kCmdRestore:
        ShowPrefs(DefaultsKeepingReference(itsWindow->Working()));
        MarkChanged();
        return;
    default:
        PrefPage::DoCommand(command, data);
    }
}

namespace {

bool IsEscape(const FRM_CKey& key) { return !key.IsVirtualKey() && key.GetChar() == 27; }

// A page's face: its commands already go to the window, and so does Escape from its
// controls, which cancels the window as from the window's own buttons.
class PrefFace : public FRM_CFaceWindow {
public:
    using FRM_CFaceWindow::FRM_CFaceWindow;
    void DoKey(const FRM_CKey& key) override
    {
        if (IsEscape(key))
            DoCommand(PrefWin::kCmdCancel, nullptr);
        else
            FRM_CFaceWindow::DoKey(key);
    }
};

} // namespace

// --- PrefWin -----------------------------------------------------------------------------

PrefWin::PrefWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                 long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent)
{
    if (auto* user = dynamic_cast<UserInfoDoc*>(document))
        itsWorking = &user->GetWorkingPrefs();
    else if (KQedApp* application = KQedApp::Instance())
        itsOwnRecord = application->GetPrefs();
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kPreferencesWindow, 0,
                                             &itsIDData);
    itsOk = itsIDData.Get<FRM_NButton>(1081);
    itsApply = itsIDData.Get<FRM_NButton>(1085);

    // One notebook tab per page, each page filling its tab's face.
    static const char* const kTitles[3] = {"Appearance", "Reference", "Browse Search"};
    itsNotebook =
        new FRM_NNotebook(this, FRM_CRect(0, 0, frame.Width(), frame.Height() - kButtonArea));
    for (int i = 0; i < 3; ++i) {
        const auto tab = static_cast<short>(i);
        itsNotebook->AddTab(tab, FRM_CStringRW(kTitles[i]), FRM_CImage());
        itsNotebook->AddPage(tab, 0, FRM_CStringRW(kTitles[i]));
        auto* face = new PrefFace(document, itsNotebook);
        itsNotebook->SetFace(face, tab, 0, 0);
        // Each page has its own help topic; the topic file lists the faces under their topics.
        static const std::int32_t kPageHelpIds[3] = {1101, 1102, 1103};
        if (KQedApp* application = KQedApp::Instance())
            application->GetHelp().AssociateWindow(face->GetVKOWindow(), kPageHelpIds[i]);
        const FRM_CRect area = face->GetFrame();
        const FRM_CRect pageFrame(0, 0, area.Width(), area.Height());
        if (i == kAppearance)
            itsPages[i] = new AppearancePage(this, face, pageFrame);
        else if (i == kReference)
            itsPages[i] = new ReferencePage(this, face, pageFrame);
        else
            itsPages[i] = new BrowseSearchPage(this, face, pageFrame);
        itsPages[i]->SetGlue(0xFFFFFFFFul);
        itsPages[i]->ShowPrefs(*itsWorking);
        // The face's navigator goes through the page's controls.
        FRM_CNavigator* pageNavigator = face->GetNavigator();
        pageNavigator->ClearTabStops();
        pageNavigator->AppendSubviews(itsPages[i]);
    }
    ShowPage(kAppearance);
    // Tab goes through the buttons as they stand from left to right (OK, Apply, Cancel), the
    // notebook's tab strip and the front page's fields.
    FRM_CNavigator* navigator = GetNavigator();
    navigator->ClearTabStops();
    for (FRM_CView* button : {static_cast<FRM_CView*>(itsOk), static_cast<FRM_CView*>(itsApply),
                              static_cast<FRM_CView*>(GetCancelButton())})
        if (button != nullptr)
            navigator->AppendTabStop(navigator->ConstructViewTabStop(button));
    navigator->AppendTabStop(new CNotebkTabStop(itsNotebook, nullptr));
    navigator->AppendSubNavigator(itsNotebook->GetNavigator());
    EnableApply(0);
    // The keys start on the first control that takes them: OK and Apply wait for a change,
    // and a disabled button would hold the focus without answering Tab, Space or Escape.
    navigator->InitFocus();
    vko_dwin_invalidate_rect(GetVKOWindow(), nullptr);
}

FRM_NButton* PrefWin::GetCancelButton() const { return itsIDData.Get<FRM_NButton>(1083); }

PrefWin::Page PrefWin::GetFrontPage() const
{
    short tab = 0;
    short page = 0;
    if (itsNotebook->GetFrontPage(&tab, &page) == nullptr || tab < 0 || tab > kBrowseSearch)
        return kAppearance;
    return static_cast<Page>(tab);
}

void PrefWin::ShowPage(Page page) { itsNotebook->SetFrontPage(static_cast<short>(page), 0); }

void PrefWin::EnableApply(short on)
{
    for (FRM_NButton* button : {itsOk, itsApply}) {
        if (button == nullptr)
            continue;
        if (on != 0)
            button->DoEnable();
        else
            button->DoDisable();
    }
}

void PrefWin::MarkChanged()
{
    if (FRM_CDocument* document = GetDocument())
        document->SetSave(1);
    EnableApply(1);
}

bool PrefWin::ApplyAll()
{
    for (PrefPage* page : itsPages)
        page->DoCommand(kCmdApply, nullptr);
    FRM_CDocument* document = GetDocument();
    if (document == nullptr)
        return true;
    // The user's document writes quietly: the window tells a failure in its own way.
    auto* user = dynamic_cast<UserInfoDoc*>(document);
    bool saved = true;
    if (user != nullptr)
        saved = user->Apply();
    else
        document->DoCommand(kCmdApply, nullptr);
    EnableApply(document->NeedsSaving());
    return saved;
}

void PrefWin::ApplyOrTell()
{
    const auto* user = dynamic_cast<const UserInfoDoc*>(GetDocument());
    if (!ApplyAll() && user != nullptr)
        vko_dm_post_warning("%s", user->SaveFailureText().c_str());
}

void PrefWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdOk:
        // A failed save is told once, by the question the close then asks.
        ApplyAll();
        itsClose.Ask(this);
        return;
    case kCmdApply:
        ApplyOrTell();
        if (itsNotifyWindow != nullptr)
            itsNotifyWindow->DoCommand(kCmdPrefsApplied, nullptr);
        return;
    case kCmdCancel:
        if (FRM_CDocument* document = GetDocument())
            Discard(document);
        itsClose.Ask(this);
        return;
    default:
        if (!IsFrameworkEcho(command))
            FRM_CWindow::DoCommand(command, data);
    }
}

PrefWin::~PrefWin() = default;

void PrefWin::DoTimer(long timerId)
{
    if (!itsClose.OnTimer(this, timerId))
        FRM_CWindow::DoTimer(timerId);
}

void PrefWin::DoMenuCommand(short tag, short shift, short control)
{
    if (tag != kNoCommand)
        FRM_CWindow::DoMenuCommand(tag, shift, control);
}

void PrefWin::DoUpdateModel(long, long command, const FRM_CModel*)
{
    if (command != kNoCommand)
        PostNotHandled(command, *this);
}

void PrefWin::DoKey(const FRM_CKey& key)
{
    if (IsEscape(key))
        DoCommand(kCmdCancel, nullptr);
    else
        FRM_CWindow::DoKey(key);
}

short PrefWin::Close()
{
    FRM_CDocument* document = GetDocument();
    if (document != nullptr && document->NeedsSaving()) {
        // After a save that failed the user is asked about that failure, not about changes
        // as if none had been saved yet.
        const auto* user = dynamic_cast<const UserInfoDoc*>(document);
        const int answer =
            user != nullptr && user->SaveFailed()
                ? vko_dm_post_ask("Try Again", "Discard", "Cancel", "%s\n%s",
                                  user->SaveFailureText().c_str(),
                                  "Try again, or discard the changes?")
                : vko_dm_post_ask("Save", "Discard", "Cancel",
                                  "Document has changed, save before closing?");
        switch (answer) {
        case 0:
            ApplyOrTell();
            break;
        case 1:
            Discard(document);
            break;
        default:
            return 0;
        }
        // A save that failed keeps the window, and the changes in it.
        if (document->NeedsSaving())
            return 0;
    }
    return FRM_CWindow::Close();
}
