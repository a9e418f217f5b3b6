// cwindow.cpp: the window: creating and completing the toolkit window, building it from a
// window resource, closing and destruction, command routing, queued updates and suspended
// sizing, control ids, fonts and activation.
#include "frm/views/cwindow.h"

#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/drawing/cprntmgr.h"
#include "frm/interaction/cmouse.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cfactory.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/runtime/cresourc.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cscrollr.h"
#include "frm/views/cwinhelp.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cwindow";
constexpr long kErrNotDeletedBySwitchboard = 0;
constexpr long kErrNotCreated = 2601;
constexpr long kErrNullDocument = 2602;
constexpr long kErrNullToolkitWindow = 2603;
constexpr long kErrCopied = 2604;
constexpr long kErrAssigned = 2605;
constexpr long kErrToolkitWindowAlive = 2606;
constexpr long kErrEnclosure = 2607;
constexpr long kErrControlWithoutObject = 2608;
constexpr long kErrNoResource = 2610;
constexpr long kErrUnknownItem = 2611;

constexpr e_win_type kModalType = 9;
constexpr long kAttrSizable = 0x1;
constexpr long kAttrClosable = 0x2;
constexpr long kAttrHScrollBar = 0x4;
constexpr long kAttrVScrollBar = 0x8;
constexpr long kAttrHidden = 0x10;
constexpr long kAttrModalUse = 0x8000;
constexpr int kDefaultMenuBarId = 9001;
constexpr short kFontMenuTag = 32050;
constexpr e_win_type kNativeTextEditType = 23;

// Toolkit attributes read on the null window.
constexpr int kAttrBackgroundColor = 100;
constexpr int kAttrDefaultMenuBar = 104;
constexpr int kAttrScreenWindow = 300;
constexpr int kAttrTaskWindow = 301;
constexpr int kAttrCreationIcon = 10005;
constexpr int kAttrNoTaskFontMenu = 10008;

// The marker an empty update queue holds: no union can keep it.
constexpr s_rct kQueueMarker = {16000, 16000, 0, 0};

constexpr std::int16_t kLastCtlId = 32767;

bool IsQueueMarker(const s_rct& rect)
{
    return rect.top == kQueueMarker.top && rect.left == kQueueMarker.left &&
           rect.bottom == kQueueMarker.bottom && rect.right == kQueueMarker.right;
}

WINDOW AttributeWindow(int theAttribute)
{
    return reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, theAttribute));
}

} // namespace

long FRM_CWindow::itsCreationIcon = 0;

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CWindow::FRM_CWindow(FRM_CDocument* theDocument, const FRM_CRect& theFrame,
                         const FRM_CStringRW& theTitle, long theAttributes, e_win_type theType,
                         int theMenuBarId, WINDOW theParent)
    : FRM_CSubview(nullptr, theFrame), itsDocument(theDocument), itsWindowType(theType),
      itsAttributes(static_cast<std::int32_t>(theAttributes))
{
    itsCWindow = this;
    itsTitle = theTitle;
    TakeDocumentUnits();
    itsMenuBarId = theMenuBarId;
    SettleKindFlags();
    CreateWindow(theParent);
    InitWindow();
}

FRM_CWindow::FRM_CWindow(FRM_CDocument* theDocument, long theResourceId, short buildContents,
                         WINDOW theParent)
    : FRM_CSubview(nullptr, FRM_CRect()), itsDocument(theDocument)
{
    itsCWindow = this;
    TakeDocumentUnits();
    auto* resource = frm_views::WindowResource(theResourceId);
    if (resource == nullptr) {
        FrmError(kErrNoResource, kModule, __LINE__);
        return;
    }
    FRM_CResourceItems items(static_cast<std::int32_t>(theResourceId));
    const long own = items.First();
    items.IObject(own, this);
    SetResourceContainerId(0);
    SetResourceId(static_cast<std::int32_t>(theResourceId));
    SettleKindFlags();
    CreateWindow(theParent);
    InitWindow();
    if (buildContents)
        BuildContents(theResourceId, items);
}

void FRM_CWindow::TakeResourceEntry(const s_win_def& theEntry)
{
    itsWindowType = theEntry.type;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    itsFrame = FRM_CRect(theEntry.rct);
    itsTitle = FRM_CStringRW(theEntry.text != nullptr ? theEntry.text : "");
    itsAttributes = static_cast<std::int32_t>(theEntry.win_flags);
    itsMenuBarId = theEntry.menu_bar_id;
}

void FRM_CWindow::BuildContents(long theResourceId, FRM_CResourceItems& theItems)
{
    // The walk names the window's own item twice: once for First, once more for the first
    // Next. Skipping that repeat leaves the controls.
    theItems.Next();
    long item = theItems.Next();
    while (item != 0) {
        const long type = theItems.GetType(item);
        FRM_CView* control = frm_views::ConstructControl(this, type, theResourceId, item);
        if (control == nullptr) {
            FrmError(kErrUnknownItem, kModule, __LINE__);
            return;
        }
        control->SetCommand(item);
        long next = theItems.Next();
        // A radio group takes every radio item that directly follows its first one.
        while (type == frm_views::kRadioItemType && next != 0 &&
               theItems.GetType(next) == frm_views::kRadioItemType)
            next = theItems.Next();
        item = next;
    }
}

FRM_CWindow::FRM_CWindow(FRM_CDocument* theDocument, WINDOW theWindow)
    : FRM_CSubview(nullptr, FRM_CRect()), itsDocument(theDocument)
{
    itsCWindow = this;
    TakeDocumentUnits();
    if (theWindow == nullptr) {
        FrmError(kErrNullToolkitWindow, kModule, __LINE__);
        return;
    }
    itsVKOWindow = theWindow;
    itsWindowType = vko_vobj_get_type(theWindow);
    itsAttributes = static_cast<std::int32_t>(vko_vobj_get_flags(theWindow));
    itsMenuBarId = 0;
    itIsClosable = (itsAttributes & kAttrClosable) != 0;
    itIsSizable = (itsAttributes & kAttrSizable) != 0;
    InitWindow();
}

FRM_CWindow::FRM_CWindow(FRM_CDocument* theDocument, e_win_type theType, long theAttributes)
    : FRM_CSubview(nullptr, FRM_CRect()), itsDocument(theDocument), itsWindowType(theType),
      itsAttributes(static_cast<std::int32_t>(theAttributes))
{
    itsCWindow = this;
    TakeDocumentUnits();
    SettleKindFlags();
}

FRM_CWindow::FRM_CWindow(const FRM_CWindow& other) : FRM_CSubview(other)
{
    itsCWindow = this;
    FrmError(kErrCopied, kModule, __LINE__);
}

// Hand-written: assigning a window is an error; nothing is copied.
FRM_CWindow& FRM_CWindow::operator=(const FRM_CWindow&)
{
    FrmError(kErrAssigned, kModule, __LINE__);
    return *this;
}

void FRM_CWindow::TakeDocumentUnits()
{
    if (itsDocument == nullptr) {
        FrmError(kErrNullDocument, kModule, __LINE__);
        return;
    }
    if (GetUnits() == nullptr && itsDocument->GetUnits() != nullptr)
        FRM_CBoss::UpdateUnits(itsDocument->GetUnits());
    FRM_CUnits::SetGlobalUnits(GetUnits());
}

void FRM_CWindow::SettleKindFlags()
{
    if (itsWindowType == kModalType) {
        itsAttributes |= kAttrModalUse;
        itsMenuBarId = 0;
        itIsClosable = 1;
        itIsSizable = 0;
        return;
    }
    itIsClosable = (itsAttributes & kAttrClosable) != 0;
    itIsSizable = (itsAttributes & kAttrSizable) != 0;
}

FRM_CWindow::~FRM_CWindow()
{
    if (itsVKOWindow != nullptr)
        FrmError(kErrToolkitWindowAlive, kModule, __LINE__);
    if (!FRM_CSwitchBoard::IsCWindowDelete())
        FrmError(kErrNotDeletedBySwitchboard, kModule, __LINE__);
    if (itsChildWindows != nullptr)
        for (std::size_t i = 0; i < itsChildWindows->entries(); ++i)
            static_cast<FRM_CWindow*>((*itsChildWindows)[i])->itsParentWindow = nullptr;
    delete itsChildWindows;
    itsChildWindows = nullptr;
    if (itsParentWindow != nullptr && itsParentWindow->itsChildWindows != nullptr)
        itsParentWindow->itsChildWindows->removeReference(this);
    delete itsMenuBar;
    itsMenuBar = nullptr;
    delete itsEnterLeaveMouseHandler;    // unregisters itself from the manager
    itsEnterLeaveMouseHandler = nullptr;
    delete itsMouseManager;
    itsMouseManager = nullptr;
    delete itsNavigator;
    itsNavigator = nullptr;
    if (itsDocument != nullptr)
        itsDocument->RemoveWindow(this);
}

short FRM_CWindow::IWindow(short drawsBackground, const FRM_CStringRW& theTitle, short isVisible)
{
    SetTitle(theTitle);
    itDrawsBackground = drawsBackground;
    return IView(isVisible, 0);
}

void FRM_CWindow::CreateWindow(WINDOW theParent)
{
    itsVKOWindow = nullptr;
    if (itsMenuBarId == kDefaultMenuBarId) {
        // The base library keeps the menu-bar id itself in the attribute.
        itsMenuBarId = static_cast<std::int16_t>(vko_vobj_get_attr(nullptr, kAttrDefaultMenuBar));
    }
    if (itsMenuBarId != 0)
        itsMenuBar = frm_views::ConstructMenuBar(this, static_cast<short>(itsMenuBarId));
    if (itsCreationIcon != 0)
        vko_vobj_set_attr(nullptr, kAttrCreationIcon, itsCreationIcon);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    s_rct frame = static_cast<s_rct>(itsFrame);
    itsVKOWindow = vko_win_create(itsWindowType, &frame, itsTitle.data(),
                                  static_cast<int16_t>(itsMenuBarId), theParent, itsAttributes,
                                  -1, hookWinEventHandler, reinterpret_cast<intptr_t>(this));
    if (itsVKOWindow == nullptr)
        FrmError(kErrNotCreated, kModule, __LINE__);
    // The icon serves one window only.
    itsCreationIcon = 0;
    vko_vobj_set_attr(nullptr, kAttrCreationIcon, 0);
    if (itsVKOWindow != nullptr)
        vko_dwin_update(itsVKOWindow);
}

void FRM_CWindow::InitWindow()
{
    if ((itsAttributes & kAttrHidden) != 0)
        itIsVisible = 0;
    s_rct client{};
    vko_vobj_get_client_rect(itsVKOWindow, &client);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    itsFrame = FRM_CRect(client);
    itsMouseManager = nullptr;
    itsNavigator = nullptr;
    itsVScrollBar = nullptr;
    itsHScrollBar = nullptr;
    const WINDOW taskWindow = AttributeWindow(kAttrTaskWindow);
    if (itsVKOWindow != taskWindow) {
        if ((itsAttributes & kAttrHScrollBar) != 0)
            itsHScrollBar = frm_views::ConstructWinScrollBar(this, 1);
        if ((itsAttributes & kAttrVScrollBar) != 0)
            itsVScrollBar = frm_views::ConstructWinScrollBar(this, 0);
    }
    if (itsDocument != nullptr)
        itsDocument->AddWindow(this);
    const WINDOW parent = vko_vobj_get_parent(itsVKOWindow);
    if (parent != nullptr && parent != taskWindow && parent != AttributeWindow(kAttrScreenWindow)) {
        if (FRM_CWindow* owner = frm_views::FindWindowOf(parent)) {
            if (owner->itsChildWindows == nullptr)
                owner->itsChildWindows = new RWOrdered;
            owner->itsChildWindows->append(this);
            itsParentWindow = owner;
        }
    }
    delete itsEnterLeaveMouseHandler;
    itsEnterLeaveMouseHandler = new FRM_CEnterLeaveMouseHandler(this);
    if (FRM_CMouseManager* manager = GetMouseManager())
        manager->RegisterMouseHandler(itsEnterLeaveMouseHandler, 0);
}

// ---------------------------------------------------------------------------------------------
// Geometry and appearance

void FRM_CWindow::Size(const FRM_CRect& theFrame)
{
    FRM_CUnits::SetGlobalUnits(GetUnits());
    s_rct frame = static_cast<s_rct>(theFrame);
    vko_vobj_move(itsVKOWindow, &frame);
}

void FRM_CWindow::SetTitle(const FRM_CStringRW& theTitle)
{
    FRM_CView::SetTitle(theTitle);
    if (itsVKOWindow != nullptr)
        vko_win_set_doc_title(itsVKOWindow, itsTitle.data());
}

void FRM_CWindow::Show()
{
    if (IsVisible())
        return;
    FRM_CView::Show();
    vko_vobj_set_visible(itsVKOWindow, TRUE);
}

void FRM_CWindow::Hide()
{
    if (!IsVisible())
        return;
    FRM_CView::Hide();
    vko_vobj_set_visible(itsVKOWindow, FALSE);
}

void FRM_CWindow::Enable()
{
    FRM_CView::Enable();
    vko_vobj_set_enabled(itsVKOWindow, TRUE);
}

void FRM_CWindow::Disable()
{
    FRM_CView::Disable();
    vko_vobj_set_enabled(itsVKOWindow, FALSE);
}

void FRM_CWindow::DoEnable()
{
    FRM_CSubview::DoEnable();
    if (itsChildWindows != nullptr)
        for (std::size_t i = 0; i < itsChildWindows->entries(); ++i)
            static_cast<FRM_CWindow*>((*itsChildWindows)[i])->Enable();
}

void FRM_CWindow::DoDisable()
{
    FRM_CSubview::DoDisable();
    if (itsChildWindows != nullptr)
        for (std::size_t i = 0; i < itsChildWindows->entries(); ++i)
            static_cast<FRM_CWindow*>((*itsChildWindows)[i])->Disable();
}

void FRM_CWindow::SetEnclosure(FRM_CSubview*)
{
    FrmError(kErrEnclosure, kModule, __LINE__);
}

const FRM_CEnvironment* FRM_CWindow::GetEnvironment() const
{
    if (itsEnvironment != nullptr)
        return itsEnvironment;
    return itsDocument != nullptr ? itsDocument->GetEnvironment() : nullptr;
}

WINDOW FRM_CWindow::GetVKOWindow() const
{
    const WINDOW printWindow = FRM_CPrintMgr::GetPrintWindow();
    if (printWindow != nullptr && !FRM_CSwitchBoard::IsUpdateEvent())
        return printWindow;
    return itsVKOWindow;
}

void FRM_CWindow::Draw(const FRM_CRect&)
{
    const FRM_CEnvironment* environment = GetEnvironment();
    unsigned long color = FRM_CEnvironment::kUnsetColor;
    if (environment != nullptr) {
        if (itDrawsBackground && environment->GetBrushColor() != FRM_CEnvironment::kUnsetColor)
            color = environment->GetBrushColor();
        else
            color = environment->GetBackgroundColor();
    }
    if (color == FRM_CEnvironment::kUnsetColor)
        color = static_cast<unsigned long>(vko_vobj_get_attr(nullptr, kAttrBackgroundColor));
    vko_dwin_clear(GetVKOWindow(), static_cast<COLOR>(color));
}

void FRM_CWindow::UpdateUnits(FRM_CUnits* units)
{
    FRM_CSubview::UpdateUnits(units);
    FRM_CUnits::SetGlobalUnits(GetUnits());
    s_rct outer{};
    vko_vobj_get_outer_rect(itsVKOWindow, &outer);
    const FRM_CPoint corner(frm_views::HPixelsToLogical(this, outer.left),
                            frm_views::VPixelsToLogical(this, outer.top + 31));
    Size(itsFrame + corner);
    if (!itDrawsBackground) {
        const FRM_CEnvironment* environment = GetEnvironment();
        unsigned long color = environment != nullptr ? environment->GetBackgroundColor()
                                                     : FRM_CEnvironment::kUnsetColor;
        if (color == FRM_CEnvironment::kUnsetColor)
            color = static_cast<unsigned long>(vko_vobj_get_attr(nullptr, kAttrBackgroundColor));
        vko_dwin_clear(itsVKOWindow, static_cast<COLOR>(color));
    }
    vko_dwin_invalidate_rect(itsVKOWindow, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Links

void FRM_CWindow::SetMenuBar(FRM_CMenuBar* theMenuBar, short deleteOld)
{
    if (deleteOld && itsMenuBar != nullptr && itsMenuBar != theMenuBar)
        delete itsMenuBar;
    itsMenuBar = theMenuBar;
}

FRM_CMouseManager* FRM_CWindow::GetMouseManager()
{
    if (itsMouseManager == nullptr)
        itsMouseManager = ConstructMouseManager();
    return itsMouseManager;
}

void FRM_CWindow::SetMouseManager(FRM_CMouseManager* theManager)
{
    if (theManager == itsMouseManager)
        return;
    delete itsMouseManager;
    itsMouseManager = theManager;
}

FRM_CNavigator* FRM_CWindow::GetNavigator()
{
    if (itsNavigator == nullptr) {
        itsNavigator = ConstructNavigator();
        if (itsNavigator != nullptr)
            itsNavigator->SetKeptByView(true);
    }
    return itsNavigator;
}

void FRM_CWindow::SetNavigator(FRM_CNavigator* theNavigator)
{
    if (theNavigator == itsNavigator)
        return;
    delete itsNavigator;
    itsNavigator = theNavigator;
    if (itsNavigator != nullptr)
        itsNavigator->SetKeptByView(true);
}

FRM_CMouseManager* FRM_CWindow::ConstructMouseManager()
{
    return frm_views::ConstructMouseManager(this);
}

FRM_CNavigator* FRM_CWindow::ConstructNavigator()
{
    return frm_views::ConstructNavigator(this);
}

FRM_CView* FRM_CWindow::TrapPointer(FRM_CView* theView)
{
    vko_win_trap_pointer(itsVKOWindow);
    FRM_CView* previous = itsTrappedView;
    itsTrappedView = theView;
    return previous;
}

void FRM_CWindow::ReleasePointer()
{
    itsTrappedView = nullptr;
    vko_win_release_pointer();
}

void FRM_CWindow::RemoveSubview(FRM_CView* theView)
{
    FRM_CSubview::RemoveSubview(theView);
    if (theView != nullptr && theView == itsTrappedView)
        ReleasePointer();
    if (theView != nullptr && theView == itsEnterLeaveView)
        itsEnterLeaveView = nullptr;
}

void FRM_CWindow::DoModal()
{
    if (vko_vobj_get_type(itsVKOWindow) == kModalType)
        vko_win_process_modal(itsVKOWindow);
}

// ---------------------------------------------------------------------------------------------
// Closing

short FRM_CWindow::Close()
{
    frm_views::UnmapWindowFonts(this);
    if (itsDocument != nullptr && !itsDocument->CloseWindow(this))
        return 0;
    if (itsTrappedView != nullptr)
        ReleasePointer();
    if (itsVKOWindow == nullptr)
        return 1;
    frm_views::TellDesktopClosing(this);
    const WINDOW toolkit = itsVKOWindow;
    itsVKOWindow = nullptr;
    // Close the children last-added first. A child that stays open (its document refused)
    // stays listed; the walk goes on with the others rather than asking it again.
    if (itsChildWindows != nullptr) {
        RWOrdered children(*itsChildWindows);
        for (std::size_t i = children.entries(); i-- > 0;) {
            auto* child = static_cast<FRM_CWindow*>(children[i]);
            if (itsChildWindows->index(child) != RW_NPOS)
                child->Close();
        }
    }
    if (itsParentWindow != nullptr && itsParentWindow->itsChildWindows != nullptr)
        itsParentWindow->itsChildWindows->removeReference(this);
    itsParentWindow = nullptr;
    if (toolkit != reinterpret_cast<WINDOW>(-1))
        vko_vobj_destroy(toolkit);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Commands and events

void FRM_CWindow::DoCommand(long command, void* data)
{
    if ((command == kEnterCommand || command == kLeaveCommand) && data != nullptr &&
        static_cast<EnterLeaveEvent*>(data)->itsTarget == this) {
        const auto* event = static_cast<EnterLeaveEvent*>(data);
        if (command == kEnterCommand) {
            FRM_CView* deepest = FindDeepSubview(event->itsLocation);
            if (deepest != nullptr && deepest != this) {
                EnterLeaveEvent forwarded{deepest, event->itsLocation};
                deepest->DoCommand(kEnterCommand, &forwarded);
            }
            itsEnterLeaveView = deepest;
            return;
        }
        FRM_CView* remembered = itsEnterLeaveView;
        itsEnterLeaveView = nullptr;
        if (remembered != nullptr && remembered != this && frm_views::IsInTree(this, remembered)) {
            EnterLeaveEvent forwarded{remembered, event->itsLocation};
            remembered->DoCommand(kLeaveCommand, &forwarded);
        }
        return;
    }
    FRM_CBoss::DoCommand(command, data);
    if (!IsBroadcasting() && itsDocument != nullptr)
        itsDocument->DoCommand(command, data);
}

void FRM_CWindow::DoMenuCommand(short tag, short shift, short control)
{
    if (tag == kNoCommand || IsBroadcasting() || itsDocument == nullptr)
        return;
    itsDocument->DoMenuCommand(tag, shift, control);
}

void FRM_CWindow::UpdateMenus(FRM_CMenuBar* theMenuBar)
{
    if (itsDocument != nullptr)
        itsDocument->UpdateMenus(theMenuBar);
}

void FRM_CWindow::Key(const FRM_CKey& theKey)
{
    if (itsDocument != nullptr)
        itsDocument->DoKey(theKey);
}

void FRM_CWindow::DoTimer(long timerId)
{
    if (IsBroadcasting())
        return;
    if (itsSelectedView != nullptr)
        itsSelectedView->DoTimer(timerId);
    else if (itsDocument != nullptr)
        itsDocument->DoTimer(timerId);
}

void FRM_CWindow::DoUser(long id, void* data)
{
    if (IsBroadcasting())
        return;
    if (itsSelectedView != nullptr)
        itsSelectedView->DoUser(id, data);
    else if (itsDocument != nullptr)
        itsDocument->DoUser(id, data);
}

void FRM_CWindow::ChangeFont(FRM_CFont* font)
{
    if (font == nullptr)
        return;
    vko_menu_set_font_sel(itsVKOWindow, *font);
    if (itsSelectedView != nullptr) {
        itsSelectedView->SetFont(*font, 0);
        const float margin = frm_views::WireFrameMargin();
        const FRM_CRect area = itsSelectedView->GetGlobalFrame().GetInflatedRect(
            frm_views::HPixelsToLogical(this, margin), frm_views::VPixelsToLogical(this, margin));
        FRM_CUnits::SetGlobalUnits(GetUnits());
        s_rct rect = static_cast<s_rct>(area);
        vko_dwin_invalidate_rect(itsVKOWindow, &rect);
        return;
    }
    if (!IsEnvironmentShared()) {
        SetFont(*font, 0);
        vko_dwin_invalidate_rect(itsVKOWindow, nullptr);
        return;
    }
    if (itsDocument != nullptr)
        itsDocument->ChangeFont(font);
}

void FRM_CWindow::SetSelectedView(FRM_CView* theView)
{
    FRM_CSubview::SetSelectedView(theView);
    FRM_CWindow* outer = this;
    while (outer->itsParentWindow != nullptr)
        outer = outer->itsParentWindow;
    FRM_CWindow* marked = outer;
    FRM_CMenuBar* bar = outer->GetMenuBar();
    if (bar == nullptr) {
        if (vko_vobj_get_attr(nullptr, kAttrNoTaskFontMenu) != 0)
            return;
        marked = frm_views::TaskWindow();
        bar = marked != nullptr ? marked->GetMenuBar() : nullptr;
    }
    if (bar == nullptr || bar->FindSubmenu(kFontMenuTag) == nullptr)
        return;
    const FRM_CView* source = theView != nullptr ? theView : this;
    if (const FRM_CEnvironment* environment = source->GetEnvironment())
        vko_menu_set_font_sel(marked->itsVKOWindow, environment->GetFont());
}

void FRM_CWindow::DoActivateWindow()
{
    UpdateMenus(GetMenuBar());
    FRM_CView* focus = GetKeyFocus();
    if (focus == nullptr || !focus->CanGetKeyFocus() || focus->IsActive())
        return;
    WINDOW object = focus->GetVKOWindow();
    if (object != nullptr && object != itsVKOWindow && vko_scr_get_focus_vobj() != object)
        vko_scr_set_focus_vobj(object);
}

void FRM_CWindow::DoDeactivateWindow()
{
    if (itsTrappedView != nullptr)
        ReleasePointer();
}

void FRM_CWindow::DoControl(short, e_win_type theType, WINDOW theControl, std::int32_t theData1,
                            std::int32_t theData2)
{
    auto* object = reinterpret_cast<FRM_CObjectRWC*>(vko_vobj_get_data(theControl));
    if (object == nullptr || reinterpret_cast<intptr_t>(object) == -1) {
        FrmError(kErrControlWithoutObject, kModule, __LINE__);
        return;
    }
    s_ctlinfo info{};
    info.type = theType;
    info.win = theControl;
    info.v.words.data1 = theData1;
    info.v.words.data2 = theData2;
    frm_views::HitControl(object, theType == kNativeTextEditType, info);
}

// A window without bars of its own gets scroll events only from the mouse wheel (the base
// library makes them of it): the innermost scroller under the pointer with such a bar takes
// them, as a click on its bar would.
static FRM_CScroller* ScrollerUnderPointer(FRM_CWindow* window, bool vertical)
{
    FRM_CPoint point;
    if (!FRM_CSwitchBoard::GetLastMousePoint(window, &point))
        return nullptr;
    RWOrdered found;
    window->FindSubviews(point, &found);
    for (std::size_t i = found.entries(); i-- > 0;) {
        auto* scroller = FrmCast<FRM_CScroller>(static_cast<FRM_CView*>(found[i]));
        if (scroller != nullptr && scroller->IsVisible() &&
            (vertical ? scroller->GetVScrollBar() : scroller->GetHScrollBar()) != nullptr)
            return scroller;
    }
    return nullptr;
}

void FRM_CWindow::DoHScroll(e_scroll_ctl theAction, short thePosition)
{
    if (itsHScrollBar != nullptr)
        frm_views::HitWinScrollBar(itsHScrollBar, theAction, thePosition);
    else if (FRM_CScroller* scroller = ScrollerUnderPointer(this, false))
        scroller->HScroll(theAction, thePosition);
}

void FRM_CWindow::DoVScroll(e_scroll_ctl theAction, short thePosition)
{
    if (itsVScrollBar != nullptr)
        frm_views::HitWinScrollBar(itsVScrollBar, theAction, thePosition);
    else if (FRM_CScroller* scroller = ScrollerUnderPointer(this, true))
        scroller->VScroll(theAction, thePosition);
}

// ---------------------------------------------------------------------------------------------
// Sizing and queued updates

void FRM_CWindow::SizeWindow(int theWidth, int theHeight)
{
    if (QueueSize(theWidth, theHeight))
        return;
    QueueUpdates();
    itsFrame = FRM_CRect(0, 0, frm_views::HPixelsToLogical(this, static_cast<float>(theWidth)),
                         frm_views::VPixelsToLogical(this, static_cast<float>(theHeight)));
    ForEachChildTopFirst([](FRM_CView* child) { child->Glue(); });
    vko_dwin_update(itsVKOWindow);
    FlushQueuedUpdates();
}

short FRM_CWindow::QueueSize(int theWidth, int theHeight)
{
    if (itsQueueSize == FRM_CPoint(-1, -1))
        return 0;
    itsQueueSize = FRM_CPoint(static_cast<float>(theWidth), static_cast<float>(theHeight));
    return 1;
}

void FRM_CWindow::ResumeSizing()
{
    if (itsQueueSize == FRM_CPoint(-1, -1))
        return;
    const int width = static_cast<int>(itsQueueSize.H());
    const int height = static_cast<int>(itsQueueSize.V());
    itsQueueSize = FRM_CPoint(-1, -1);
    if (width != 0 || height != 0)
        SizeWindow(width, height);
}

void FRM_CWindow::QueueUpdates()
{
    itIsQueuedUpdate = 1;
    itsQueuedRect = kQueueMarker;
}

void FRM_CWindow::UnionQueuedUpdates(const s_rct& theRect)
{
    itsQueuedRect.top = std::min(itsQueuedRect.top, theRect.top);
    itsQueuedRect.left = std::min(itsQueuedRect.left, theRect.left);
    itsQueuedRect.bottom = std::max(itsQueuedRect.bottom, theRect.bottom);
    itsQueuedRect.right = std::max(itsQueuedRect.right, theRect.right);
}

void FRM_CWindow::FlushQueuedUpdates()
{
    if (!itIsQueuedUpdate)
        return;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    if (!IsQueueMarker(itsQueuedRect))
        vko_dwin_invalidate_rect(itsVKOWindow, &itsQueuedRect);
    itIsQueuedUpdate = 0;
}

// ---------------------------------------------------------------------------------------------
// Control ids

short FRM_CWindow::GetNextCtlId()
{
    if (!itsCtlIdCycled) {
        ++itsCtlIdCount;
        if (itsCtlIdCount == kLastCtlId)
            itsCtlIdCycled = 1;
        return itsCtlIdCount;
    }
    if (itsCtlIdCount == kLastCtlId)
        itsCtlIdCount = 1;
    while (itsCtlIdCount < kLastCtlId && vko_win_get_ctl(itsVKOWindow, itsCtlIdCount) != nullptr)
        ++itsCtlIdCount;
    return itsCtlIdCount;
}
