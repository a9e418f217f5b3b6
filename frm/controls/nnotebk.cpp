// nnotebk.cpp: the notebook: tabs, pages and faces over the base library's notebook control,
// its navigator and tab stops, and the key hook on its control.
#include "frm/controls/nnotebk.h"

#include "frm/core/frmerror.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/controls/cfacewin.h"
#include "frm/views/cimage.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "nnotebk";
constexpr long kErrFace = 2680;
constexpr std::uint16_t kTab = 9;
constexpr std::uint16_t kEnter = 13;
constexpr std::uint16_t kBackTabAlias = 14;
constexpr std::uint16_t kBackTab = 315;
constexpr std::int32_t kCharEvents = 0x400;
constexpr std::int32_t kTitleBuffer = 512;

bool Succeeded(FRM_CNavigator* navigator, FRM_CTabStop* tabStop)
{
    return navigator != nullptr && tabStop != nullptr;
}

} // namespace

// ---- FRM_CNotebkNavigator -----------------------------------------------------------------

FRM_CNotebkNavigator::FRM_CNotebkNavigator(FRM_NNotebook* theNotebook)
    : FRM_CNavigator(nullptr), itsNotebook(theNotebook)
{
}

FRM_CNotebkNavigator::~FRM_CNotebkNavigator()
{
    if (FRM_CTabStop* front = GetTabStopAt(0))
        front->ReleaseSubNavigator();
}

bool FRM_CNotebkNavigator::Navigate(const FRM_CCourse& course, const FRM_CKey& key,
                                    FRM_CTabStop* current, FRM_CNavigator*& foundNavigator,
                                    FRM_CTabStop*& foundTabStop)
{
    FRM_CCourse courseCopy = course;
    FRM_CKey keyCopy = key;
    const std::uint16_t character = key.GetChar();
    if (character == kBackTab && course.GetReach() == FRM_CCourse::kReach1) {
        courseCopy.SetDirection(0);
        courseCopy.SetReach(FRM_CCourse::kReach1);
    } else if (character == kTab && course.GetReach() == FRM_CCourse::kReach1) {
        courseCopy.SetDirection(0);
        courseCopy.SetReach(FRM_CCourse::kReach0);
    } else if (character == kBackTabAlias) {
        keyCopy = FRM_CKey(FRM_CKey::kVirtual, kBackTab);
    } else if (FRM_CTabStop* hot = HotKeyTabStopSearch(key)) {
        auto* faceStop = dynamic_cast<CNotebkTabStop*>(hot);
        bool ours = false;
        for (std::size_t i = 0; i < TabStopCount(); ++i)
            ours = ours || GetTabStopAt(i) == hot;
        if (ours && faceStop != nullptr && faceStop->GetFace() != nullptr &&
            itsNotebook != nullptr) {
            short tab = -1;
            short page = -1;
            itsNotebook->GetFacePage(faceStop->GetFace(), &tab, &page);
            itsNotebook->SetFrontPage(tab, page);
            // The page changed as if its tab was picked: the navigator follows it.
            s_ctlinfo info{};
            info.v.notebk.tab_no = tab;
            info.v.notebk.page_no = page;
            itsNotebook->DoHit(info);
            foundNavigator = this;
            foundTabStop = hot;
            return true;
        }
    }
    // Entered from behind (Shift+Tab from the stop after the notebook), the front face is
    // entered at its last control, as Tab leaves it there: the tab strip comes before the face
    // going backward, as it does going forward.
    FRM_CTabStop* front = GetTabStopAt(0);
    if (courseCopy.GetReach() == FRM_CCourse::kReach2 && courseCopy.GetDirection() == 0 &&
        current == nullptr && front != nullptr && front->GetSubNavigator() != nullptr &&
        TestTabStop(front) &&
        front->GetSubNavigator()->Navigate(courseCopy, keyCopy, nullptr, foundNavigator,
                                           foundTabStop)) {
        SetCurrentTabStop(front);
        return true;
    }
    return FRM_CNavigator::Navigate(courseCopy, keyCopy, current, foundNavigator, foundTabStop);
}

// ---- CNotebkTabStop -----------------------------------------------------------------------

CNotebkTabStop::CNotebkTabStop(FRM_NNotebook* theNotebook, FRM_CFaceWindow* theFace)
    : FRM_CTabStop(theNotebook), itsFace(theFace)
{
}

CNotebkTabStop::CNotebkTabStop(FRM_CNavigator* theNavigator) : FRM_CTabStop(theNavigator) {}

void CNotebkTabStop::Activate()
{
    if (GetView() != nullptr)
        vko_scr_set_focus_vobj(GetView()->GetVKOWindow());
}

// ---- FRM_NNotebook: life ------------------------------------------------------------------

FRM_NNotebook::FRM_NNotebook(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
    : FRM_CNativeView(theEnclosure, theFrame, WC_NOTEBK, 0, FRM_CStringRW())
{
    Init();
}

FRM_NNotebook::FRM_NNotebook(const FRM_NNotebook& other) : FRM_CNativeView(other)
{
    Init();
}

FRM_NNotebook::~FRM_NNotebook()
{
    if (vko_vobj_is_valid(GetVKOWindow())) {
        const short count = GetNumTabs();
        AddPlaceholder();
        for (short i = 0; i <= count; ++i)
            RemoveTab(0);
        vko_cxo_destroy(itsKeyHook);
    }
    itsKeyHook = nullptr;
    // Faces still listed outlive the notebook only when its control went first.
    for (std::size_t i = 0; i < itsFaces.entries(); ++i)
        static_cast<FRM_CFaceWindow*>(itsFaces[i])->itsNotebook = nullptr;
    itsFaces.clear();
    delete itsNavigator;
    itsNavigator = nullptr;
}

void FRM_NNotebook::Init()
{
    AddPlaceholder();
    itsNavigator = new FRM_CNotebkNavigator(this);
    itsNavigator->SetKeptByView(true);
    itsNavigator->SetEndJump(FRM_CNavigator::kEndToParent);
    itsNavigator->SetJumpInto(1);
    itsNavigator->InsertTabStop(0, new CNotebkTabStop(this, nullptr));
    itsKeyHook = vko_cxo_create(GetVKOWindow(), 0, 0, KeyHook, kCharEvents, "NotebkCXO", 0);
}

void FRM_NNotebook::AddPlaceholder()
{
    const WINDOW window = GetVKOWindow();
    vko_notebk_add_tab(window, 0, "", nullptr);
    vko_notebk_add_page(window, 0, 0, "", 0);
    vko_notebk_create_face(window, 0, 0, -1, hookWinEventHandler, 0);
    itIsFirstTab = 1;
}

// ---- Tabs and pages -----------------------------------------------------------------------

void FRM_NNotebook::AddTab(short theTab, const FRM_CStringRW& theTitle, const FRM_CImage& theImage)
{
    const WINDOW window = GetVKOWindow();
    if (itIsFirstTab) {
        itIsFirstTab = 0;
        vko_notebk_add_tab(window, 1, theTitle.data(), theImage);
        vko_notebk_rem_tab(window, 0);
        return;
    }
    vko_notebk_add_tab(window, theTab, theTitle.data(), theImage);
}

void FRM_NNotebook::AddPage(short theTab, short thePage, const FRM_CStringRW& theTitle)
{
    vko_notebk_add_page(GetVKOWindow(), theTab, thePage, theTitle.data(), 0);
}

short FRM_NNotebook::GetNumPages(short theTab)
{
    return static_cast<short>(vko_notebk_get_num_pages(GetVKOWindow(), theTab));
}

short FRM_NNotebook::GetNumTabs()
{
    return static_cast<short>(vko_notebk_get_num_tabs(GetVKOWindow()));
}

FRM_CStringRW FRM_NNotebook::GetPageTitle(short theTab, short thePage)
{
    char buffer[kTitleBuffer] = "";
    vko_notebk_get_page_title(GetVKOWindow(), theTab, thePage, buffer, kTitleBuffer - 2);
    return FRM_CStringRW(buffer);
}

FRM_CStringRW FRM_NNotebook::GetTabTitle(short theTab)
{
    char buffer[kTitleBuffer] = "";
    vko_notebk_get_tab_title(GetVKOWindow(), theTab, buffer, kTitleBuffer - 2);
    return FRM_CStringRW(buffer);
}

FRM_CImage FRM_NNotebook::GetTabImage(short theTab)
{
    const IMAGE image = vko_notebk_get_tab_image(GetVKOWindow(), theTab);
    return image != nullptr ? FRM_CImage(image) : FRM_CImage();
}

void FRM_NNotebook::SetPageTitle(short theTab, short thePage, const FRM_CStringRW& theTitle)
{
    vko_notebk_set_page_title(GetVKOWindow(), theTab, thePage, theTitle.data());
}

void FRM_NNotebook::SetFrontPage(short theTab, short thePage)
{
    vko_notebk_set_front_page(GetVKOWindow(), theTab, thePage);
    FollowFrontFace();
}

void FRM_NNotebook::SetTabTitle(short theTab, const FRM_CStringRW& theTitle)
{
    vko_notebk_set_tab_title(GetVKOWindow(), theTab, theTitle.data());
}

void FRM_NNotebook::SetTabImage(short theTab, const FRM_CImage& theImage)
{
    vko_notebk_set_tab_image(GetVKOWindow(), theTab, theImage);
}

void FRM_NNotebook::RemovePage(short theTab, short thePage)
{
    if (FRM_CFaceWindow* face = GetFace(theTab, thePage))
        DropFace(face);
    vko_notebk_rem_page(GetVKOWindow(), theTab, thePage);
}

void FRM_NNotebook::RemoveTab(short theTab)
{
    const short count = GetNumPages(theTab);
    for (short i = 1; i < count; ++i)
        RemovePage(theTab, 0);
    // The last page goes with the tab: its face leaves the list before its window dies.
    if (FRM_CFaceWindow* face = GetFace(theTab, 0))
        DropFace(face);
    vko_notebk_rem_tab(GetVKOWindow(), theTab);
}

// ---- Faces --------------------------------------------------------------------------------

FRM_CFaceWindow* FRM_NNotebook::FaceOfWindow(WINDOW theFace) const
{
    if (theFace == nullptr)
        return nullptr;
    for (std::size_t i = 0; i < itsFaces.entries(); ++i) {
        auto* face = static_cast<FRM_CFaceWindow*>(itsFaces[i]);
        if (face->GetVKOWindow() == theFace)
            return face;
    }
    return nullptr;
}

FRM_CFaceWindow* FRM_NNotebook::GetFace(short theTab, short thePage)
{
    return FaceOfWindow(vko_notebk_get_face(GetVKOWindow(), theTab, thePage));
}

FRM_CFaceWindow* FRM_NNotebook::GetFrontPage(short* theTab, short* thePage)
{
    if (!vko_notebk_get_front_page(GetVKOWindow(), theTab, thePage))
        return nullptr;
    return FaceOfWindow(vko_notebk_get_face(GetVKOWindow(), *theTab, *thePage));
}

void FRM_NNotebook::GetFacePage(FRM_CFaceWindow* theFace, short* theTab, short* thePage)
{
    WINDOW owner = nullptr;
    *theTab = -1;
    *thePage = -1;
    if (theFace != nullptr)
        vko_notebk_get_page_from_face(theFace->GetVKOWindow(), &owner, theTab, thePage);
    if (owner == nullptr || owner != GetVKOWindow()) {
        *theTab = -1;
        *thePage = -1;
        FrmError(kErrFace, kModule, __LINE__);
    }
}

void FRM_NNotebook::SetFace(FRM_CFaceWindow* theFace, short theTab, short thePage,
                            long theResourceId)
{
    if (theFace == nullptr || itsFaces.index(theFace) != RW_NPOS) {
        FrmError(kErrFace, kModule, __LINE__);
        return;
    }
    itsFaces.append(theFace);
    if (theResourceId != 0)
        theFace->CreateFace(this, theTab, thePage, theResourceId);
    else
        theFace->CreateFace(this, theTab, thePage);
    itsNavigator->AppendTabStop(new CNotebkTabStop(this, theFace));
}

void FRM_NNotebook::SetTabHotKey(short theTab, short thePage, const FRM_CKey& theKey)
{
    const std::size_t count = itsNavigator->TabStopCount();
    vko_app_process_pending_events();
    const WINDOW window = vko_notebk_get_face(GetVKOWindow(), theTab, thePage);
    if (window == nullptr)
        return;
    // Position 0 is the notebook or the front face's navigator; faces follow.
    for (std::size_t i = 1; i < count; ++i) {
        auto* tabStop = dynamic_cast<CNotebkTabStop*>(itsNavigator->GetTabStopAt(i));
        FRM_CFaceWindow* face = tabStop != nullptr ? tabStop->GetFace() : nullptr;
        if (face != nullptr && face->GetVKOWindow() == window) {
            tabStop->AddHotKey(theKey);
            return;
        }
    }
}

void FRM_NNotebook::DropFace(FRM_CFaceWindow* theFace)
{
    ForgetFace(theFace);
    theFace->Close();
}

void FRM_NNotebook::ForgetFace(FRM_CFaceWindow* theFace)
{
    if (itsFaces.index(theFace) == RW_NPOS)
        return;
    itsFaces.removeReference(theFace);
    for (std::size_t i = 1; i < itsNavigator->TabStopCount(); ++i) {
        auto* tabStop = dynamic_cast<CNotebkTabStop*>(itsNavigator->GetTabStopAt(i));
        if (tabStop != nullptr && tabStop->GetFace() == theFace) {
            delete itsNavigator->RemoveTabStop(tabStop);
            break;
        }
    }
    // The face's navigator dies with the face: the notebook stands at position 0 again.
    FRM_CTabStop* front = itsNavigator->GetTabStopAt(0);
    if (front != nullptr && front->GetSubNavigator() != nullptr &&
        front->GetSubNavigator() == theFace->itsNavigator) {
        ClearFrontNavigator();
        itsNavigator->InsertTabStop(0, new CNotebkTabStop(this, nullptr));
    }
}

void FRM_NNotebook::ClearFrontNavigator()
{
    FRM_CTabStop* front = itsNavigator->GetTabStopAt(0);
    if (front == nullptr)
        return;
    front->ReleaseSubNavigator();
    delete itsNavigator->RemoveTabStop(front);
}

// ---- Events -------------------------------------------------------------------------------

void FRM_NNotebook::DoHit(const s_ctlinfo&) { FollowFrontFace(); }

void FRM_NNotebook::FollowFrontFace()
{
    short tab = -1;
    short page = -1;
    FRM_CFaceWindow* face = GetFrontPage(&tab, &page);
    ClearFrontNavigator();
    if (face != nullptr)
        itsNavigator->InsertSubNavigator(0, face->GetNavigator());
    else
        itsNavigator->InsertTabStop(0, new CNotebkTabStop(this, nullptr));
}

void FRM_NNotebook::Size(const FRM_CRect& theFrame)
{
    FRM_CNativeView::Size(theFrame);
    for (std::size_t i = 0; i < itsFaces.entries(); ++i)
        static_cast<FRM_CFaceWindow*>(itsFaces[i])->Glue();
}

std::int32_t FRM_NNotebook::KeyHook(CXO theObject, EVENT* theEvent) noexcept
{
    const WINDOW window = vko_cxo_get_win(theObject);
    if (!vko_vobj_is_valid(window))
        return 0;
    auto* notebook =
        FrmCast<FRM_NNotebook>(reinterpret_cast<FRM_CObjectRWC*>(vko_vobj_get_data(window)));
    if (notebook == nullptr)
        return 0;
    FRM_CNavigator* navigator = notebook->GetNavigator();
    if (theEvent != nullptr && theEvent->type == E_CHAR && navigator != nullptr) {
        FRM_CNavigator* foundNavigator = nullptr;
        FRM_CTabStop* foundTabStop = nullptr;
        switch (theEvent->v.chr.ch) {
        case kTab:
            if (navigator->Navigate(FRM_CCourse(180, FRM_CCourse::kReach2),
                                    FRM_CKey(kTab, 0, 0, 0, 0), navigator->GetTabStopAt(0),
                                    foundNavigator, foundTabStop) &&
                Succeeded(foundNavigator, foundTabStop))
                foundNavigator->ActivateTabStop(foundTabStop);
            break;
        case kEnter:
            return 1;
        case kBackTab:
            if (navigator->Navigate(FRM_CCourse(180, FRM_CCourse::kReach1),
                                    FRM_CKey(kBackTabAlias, 0, 0, 0, 0), nullptr,
                                    foundNavigator, foundTabStop) &&
                Succeeded(foundNavigator, foundTabStop))
                foundNavigator->ActivateTabStop(foundTabStop);
            break;
        default:
            break;
        }
    }
    return vko_cxo_call_next(theObject, theEvent);
}
