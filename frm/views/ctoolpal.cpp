// ctoolpal.cpp: tool palettes: the tool tree and its one selection, the palette attachments
// with their bars of picture buttons, and the sticky and pop-up roles.
#include "frm/views/ctoolpal.h"

#include <algorithm>
#include <cstdint>
#include <deque>

#include "frm/core/ctypeinfo.h"
#include "frm/interaction/cmouse.h"
#include "frm/views/catchwin.h"
#include "frm/views/cimage.h"
#include "frm/views/ctoolbar.h"
#include "frm/views/cwindow.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kBlack = 0x07000000UL;
constexpr unsigned long kLightGray = 0x0AC0C0C0UL;
constexpr unsigned long kWhite = 0x0BFFFFFFUL;
constexpr unsigned long kGray = 0x09808080UL;
constexpr int kInsetPixels = 4;

void* ToolData(long theId) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(theId)); }

} // namespace

// ---------------------------------------------------------------------------------------------
// Tools

FRM_CTool::FRM_CTool(FRM_CToolPalette* theSubPalette, FRM_CImage* theImage, long theId,
                     short isEnabled, short isDraggable)
    : itsSubPalette(theSubPalette), itsImage(theImage), itsId(static_cast<std::int32_t>(theId)),
      itIsEnabled(isEnabled), itIsDraggable(isDraggable)
{
}

FRM_CTool::FRM_CTool(const FRM_CTool& other)
    : itsImage(other.itsImage != nullptr ? new FRM_CImage(*other.itsImage) : nullptr),
      itsId(other.itsId), itIsEnabled(other.itIsEnabled), itHasSeparator(other.itHasSeparator),
      itIsDraggable(other.itIsDraggable)
{
}

FRM_CTool::~FRM_CTool()
{
    delete itsSubPalette;
    delete itsImage;
}

void FrmPaintSubPaletteMarker(FRM_CImage& theImage)
{
    const std::int32_t width = theImage.GetWidth();
    const std::int32_t height = theImage.GetHeight();
    const std::int32_t x = width - 1;
    const std::int32_t y = height - 4;
    auto paint = [&](std::int32_t px, std::int32_t py, bool black) {
        if (px < 0 || py < 0 || px >= width || py >= height)
            return;   // a small image gets what fits
        vko_image_set_pixel(theImage, px, py, static_cast<COLOR>(black ? kBlack : kLightGray));
    };
    for (int i = 0; i <= 5; ++i) {
        paint(x - i, y, i <= 3);
        for (int j = 1; j <= 4; ++j) {
            const bool black = i <= 3 && j <= i;
            if (y + j <= height - 1)
                paint(x - i, y + j, black);
            if (y - j >= 0)
                paint(x - i, y - j, black);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The palette

FRM_CToolPalette::FRM_CToolPalette(const FRM_CStringRW& theTitle) : itsTitle(theTitle) {}

FRM_CToolPalette::FRM_CToolPalette(const FRM_CToolPalette& other) { CopyInternals(other); }

// Hand-written: the own tools and attachments are deleted; none are copied.
FRM_CToolPalette& FRM_CToolPalette::operator=(const FRM_CToolPalette& other)
{
    if (this != &other) {
        DeleteInternals();
        CopyInternals(other);
    }
    return *this;
}

FRM_CToolPalette::~FRM_CToolPalette() { DeleteInternals(); }

void FRM_CToolPalette::CopyInternals(const FRM_CToolPalette& other)
{
    itsSelectedTool = other.itsSelectedTool;
    itsParentPalette = other.itsParentPalette;
    itsTitle = other.itsTitle;
    itsDragSource = other.itsDragSource;
    itsEnterCommand = other.itsEnterCommand;
    itsLeaveCommand = other.itsLeaveCommand;
}

void FRM_CToolPalette::DeleteInternals()
{
    // Each attachment tells this palette when it goes: take them off first.
    FRM_CToolPaletteAttachment* popup = itsPopupAttachment;
    FRM_CToolPaletteAttachment* sticky = itsStickyAttachment;
    itsPopupAttachment = nullptr;
    itsStickyAttachment = nullptr;
    delete popup;
    delete sticky;
    itsTools.clear();
    itsSelectedTool = kNoTool;
    itsParentPalette = nullptr;
    itsDragSource = nullptr;
}

FRM_CToolPalette* FRM_CToolPalette::Top()
{
    FRM_CToolPalette* top = this;
    while (top->itsParentPalette != nullptr)
        top = top->itsParentPalette;
    return top;
}

void FRM_CToolPalette::Insert(unsigned theIndex, std::unique_ptr<FRM_CTool> theTool)
{
    const std::size_t at = std::min<std::size_t>(theIndex, itsTools.size());
    itsTools.insert(itsTools.begin() + static_cast<std::ptrdiff_t>(at), std::move(theTool));
}

void FRM_CToolPalette::AppendTool(FRM_CImage* theImage, long theId, short isDraggable,
                                  short isEnabled)
{
    InsertTool(static_cast<unsigned>(itsTools.size()), theImage, theId, isDraggable, isEnabled);
}

void FRM_CToolPalette::InsertTool(unsigned theIndex, FRM_CImage* theImage, long theId,
                                  short isDraggable, short isEnabled)
{
    Insert(theIndex, std::make_unique<FRM_CTool>(nullptr, theImage, theId, isEnabled, isDraggable));
}

void FRM_CToolPalette::AppendTool(FRM_CImage* theImage, long theId,
                                  FRM_CToolPalette* theSubPalette, short isEnabled)
{
    InsertTool(static_cast<unsigned>(itsTools.size()), theImage, theId, theSubPalette, isEnabled);
}

void FRM_CToolPalette::InsertTool(unsigned theIndex, FRM_CImage* theImage, long theId,
                                  FRM_CToolPalette* theSubPalette, short isEnabled)
{
    if (theSubPalette != nullptr)
        theSubPalette->itsParentPalette = this;
    if (theImage != nullptr)
        FrmPaintSubPaletteMarker(*theImage);
    Insert(theIndex, std::make_unique<FRM_CTool>(theSubPalette, theImage, theId, isEnabled, 0));
}

FRM_CTool* FRM_CToolPalette::FindTool(long theId, FRM_CToolPalette** thePalette,
                                      int* theIndex) const
{
    std::deque<const FRM_CToolPalette*> waiting{this};
    while (!waiting.empty()) {
        const FRM_CToolPalette* palette = waiting.front();
        waiting.pop_front();
        for (std::size_t i = 0; i < palette->itsTools.size(); ++i) {
            FRM_CTool* tool = palette->itsTools[i].get();
            if (tool->itsId == theId) {
                if (thePalette != nullptr)
                    *thePalette = const_cast<FRM_CToolPalette*>(palette);
                if (theIndex != nullptr)
                    *theIndex = static_cast<int>(i);
                return tool;
            }
        }
        for (const auto& tool : palette->itsTools)
            if (tool->itsSubPalette != nullptr)
                waiting.push_back(tool->itsSubPalette);
    }
    return nullptr;
}

FRM_CToolPalette* FRM_CToolPalette::RemoveTool(long theId)
{
    FRM_CToolPalette* owner = nullptr;
    int index = 0;
    FRM_CTool* tool = FindTool(theId, &owner, &index);
    if (tool == nullptr)
        return nullptr;
    // The buttons shown for the tool go first: they point at it.
    for (FRM_CToolPaletteAttachment* shown :
         {owner->itsStickyAttachment, owner->itsPopupAttachment})
        if (shown != nullptr)
            shown->RemoveButton(index);
    if (owner->itsSelectedTool == theId)
        owner->itsSelectedTool = kNoTool;
    FRM_CToolPalette* sub = tool->itsSubPalette;
    tool->itsSubPalette = nullptr;
    if (sub != nullptr)
        sub->itsParentPalette = nullptr;
    owner->itsTools.erase(owner->itsTools.begin() + index);
    return sub;
}

void FRM_CToolPalette::AppendSeparator()
{
    if (!itsTools.empty())
        itsTools.back()->itHasSeparator = 1;
}

void FRM_CToolPalette::InsertSeparatorAfter(long theId)
{
    if (FRM_CTool* tool = FindTool(theId, nullptr, nullptr))
        tool->itHasSeparator = 1;
}

void FRM_CToolPalette::RemoveSeparatorAfter(long theId)
{
    if (FRM_CTool* tool = FindTool(theId, nullptr, nullptr))
        tool->itHasSeparator = 0;
}

void FRM_CToolPalette::RemoveAllSeparators(short isDeep)
{
    for (const auto& tool : itsTools) {
        tool->itHasSeparator = 0;
        if (isDeep != 0 && tool->itsSubPalette != nullptr)
            tool->itsSubPalette->RemoveAllSeparators(isDeep);
    }
}

void FRM_CToolPalette::EnableTool(long theId, short isEnabled)
{
    FRM_CToolPalette* owner = nullptr;
    int index = 0;
    FRM_CTool* tool = FindTool(theId, &owner, &index);
    if (tool == nullptr || tool->itIsEnabled == isEnabled)
        return;
    tool->itIsEnabled = isEnabled;
    if (owner->itsStickyAttachment != nullptr)
        owner->itsStickyAttachment->SetEnabled(index, isEnabled);
}

short FRM_CToolPalette::IsToolEnabled(long theId) const
{
    const FRM_CTool* tool = FindTool(theId, nullptr, nullptr);
    return tool != nullptr ? tool->itIsEnabled : 0;
}

void FRM_CToolPalette::SelectTool(long theId)
{
    DeselectAllTools();
    FRM_CToolPalette* owner = nullptr;
    int index = 0;
    if (FindTool(theId, &owner, &index) == nullptr || owner->itsSelectedTool == theId)
        return;
    owner->itsSelectedTool = theId;
    for (FRM_CToolPaletteAttachment* shown :
         {owner->itsStickyAttachment, owner->itsPopupAttachment})
        if (shown != nullptr)
            shown->SelectTool(index);
}

void FRM_CToolPalette::DeselectAllTools() { Top()->DeselectTools(); }

void FRM_CToolPalette::DeselectTools()
{
    DeselectLocalTools();
    for (const auto& tool : itsTools)
        if (tool->itsSubPalette != nullptr)
            tool->itsSubPalette->DeselectTools();
}

void FRM_CToolPalette::DeselectLocalTools()
{
    itsSelectedTool = kNoTool;
    for (FRM_CToolPaletteAttachment* shown : {itsStickyAttachment, itsPopupAttachment})
        if (shown != nullptr)
            shown->DeselectTool();
}

long FRM_CToolPalette::GetSelectedTool() const
{
    if (itsSelectedTool != kNoTool)
        return itsSelectedTool;
    for (const auto& tool : itsTools)
        if (tool->itsSubPalette != nullptr) {
            const long selected = tool->itsSubPalette->GetSelectedTool();
            if (selected != kNoTool)
                return selected;
        }
    return kNoTool;
}

FRM_CImage* FRM_CToolPalette::GetToolImage(long theId) const
{
    const FRM_CTool* tool = FindTool(theId, nullptr, nullptr);
    return tool != nullptr ? tool->itsImage : nullptr;
}

void FRM_CToolPalette::ClosePalettes()
{
    if (itsPopupAttachment != nullptr)
        itsPopupAttachment->Hide();
    for (const auto& tool : itsTools)
        if (tool->itsSubPalette != nullptr)
            tool->itsSubPalette->ClosePalettes();
}

void FRM_CToolPalette::CloseSubPalettes(const FRM_CToolPalette* theKept)
{
    for (const auto& tool : itsTools)
        if (tool->itsSubPalette != nullptr && tool->itsSubPalette != theKept)
            tool->itsSubPalette->ClosePalettes();
}

void FRM_CToolPalette::CloseAllPalettes() { Top()->CloseSubPalettes(nullptr); }

void FRM_CToolPalette::SetTitle(const FRM_CStringRW& theTitle)
{
    itsTitle = theTitle;
    for (FRM_CToolPaletteAttachment* shown : {itsStickyAttachment, itsPopupAttachment})
        if (shown != nullptr)
            shown->SetTitle(theTitle);
}

FRM_CDragSource* FRM_CToolPalette::GetDragSource()
{
    if (itsDragSource == nullptr && itsParentPalette != nullptr)
        itsDragSource = itsParentPalette->GetDragSource();
    return itsDragSource;
}

void FRM_CToolPalette::SetCommands(long theEnterCommand, long theLeaveCommand)
{
    itsEnterCommand = theEnterCommand;
    itsLeaveCommand = theLeaveCommand;
}

long FRM_CToolPalette::GetEnterCommand()
{
    if (itsEnterCommand == kNoCommand && itsParentPalette != nullptr)
        itsEnterCommand = itsParentPalette->GetEnterCommand();
    return itsEnterCommand;
}

long FRM_CToolPalette::GetLeaveCommand()
{
    if (itsLeaveCommand == kNoCommand && itsParentPalette != nullptr)
        itsLeaveCommand = itsParentPalette->GetLeaveCommand();
    return itsLeaveCommand;
}

FRM_CToolPaletteAttachment* FRM_CToolPalette::ConstructAttachment(FRM_CWindow* theWindow,
                                                                  long theCommand)
{
    return new FRM_CToolPaletteAttachment(theWindow, this, theCommand);
}

FRM_CToolPaletteAttachment* FRM_CToolPalette::Popup(FRM_CWindow* theWindow, FRM_CPoint thePoint,
                                                    long theCommand, short hasTitleBar,
                                                    FRM_CAttachmentFrame* theFrame)
{
    return Show(theWindow, thePoint, theCommand, hasTitleBar, theFrame, false);
}

FRM_CToolPaletteAttachment* FRM_CToolPalette::PopupDetached(FRM_CWindow* theWindow,
                                                            FRM_CPoint thePoint, long theCommand,
                                                            short hasTitleBar,
                                                            FRM_CAttachmentFrame* theFrame)
{
    return Show(theWindow, thePoint, theCommand, hasTitleBar, theFrame, true);
}

FRM_CToolPaletteAttachment* FRM_CToolPalette::Show(FRM_CWindow* theWindow, FRM_CPoint thePoint,
                                                   long theCommand, short hasTitleBar,
                                                   FRM_CAttachmentFrame* theFrame, bool isDetached)
{
    if (theWindow == nullptr)
        return nullptr;
    if (itsPopupAttachment == nullptr)
        itsPopupAttachment = ConstructAttachment(theWindow, theCommand);
    FRM_CToolPaletteAttachment* shown = itsPopupAttachment;
    const FRM_CRect outer = shown->GetBorderSize(shown->GetBestSize(), hasTitleBar);
    if (isDetached) {
        if (FRM_CWindow* task = frm_views::TaskWindow())
            thePoint.Translate(theWindow, task);
    } else {
        const FRM_CRect area = theWindow->GetFrame().GetInflatedRect(
            -frm_views::HPixelsToLogical(theWindow, kInsetPixels),
            -frm_views::VPixelsToLogical(theWindow, kInsetPixels));
        thePoint.H(std::min(thePoint.H(), area.Right() - outer.Width()));
        thePoint.V(std::min(thePoint.V(), area.Bottom() - outer.Height()));
        int index = 0;
        if (itsSelectedTool != kNoTool && FindTool(itsSelectedTool, nullptr, &index) != nullptr)
            shown->SelectTool(index);
    }
    shown->Popup(theWindow, hasTitleBar);
    if (isDetached && shown->IsDetachable() != 0)
        shown->Detach(hasTitleBar);
    shown->SetSize(outer + thePoint);
    shown->Show();
    if (theFrame != nullptr)
        shown->RegisterSink(theFrame, 1);
    if (FRM_CMouseManager* manager = theWindow->GetMouseManager())
        manager->RegisterMouseHandler(shown, 0);
    FRM_CWindow* task = frm_views::TaskWindow();
    if (task != nullptr && task != theWindow)
        if (FRM_CMouseManager* manager = task->GetMouseManager())
            manager->RegisterMouseHandler(shown, 0);
    return shown;
}

void FRM_CToolPalette::MakeSticky(FRM_CToolPaletteAttachment* theAttachment)
{
    if (theAttachment != itsPopupAttachment)
        return;
    FRM_CToolPaletteAttachment* old = itsStickyAttachment;
    if (old != nullptr) {
        FRM_CAttachmentFrame* frame = old->GetAttachmentFrame();
        old->Hide();
        old->Popup(old->GetWindow(), 0);
        if (frame != nullptr)
            frame->ArrangeAttachments();
    }
    itsPopupAttachment = old;
    itsStickyAttachment = theAttachment;
}

void FRM_CToolPalette::RemoveAttachment(const FRM_CToolPaletteAttachment* theAttachment)
{
    if (itsPopupAttachment == theAttachment)
        itsPopupAttachment = nullptr;
    if (itsStickyAttachment == theAttachment)
        itsStickyAttachment = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Palette buttons

FRM_CToolPaletteButton::FRM_CToolPaletteButton(FRM_CSubview* theBar, FRM_CToolPalette* thePalette,
                                               FRM_CTool* theTool,
                                               FRM_CToolPaletteAttachment* theAttachment)
    : FRM_CButton(theBar, FRM_CPoint(0, 0), *theTool->itsImage,
                  theTool->itsSubPalette == nullptr ? 1 : 0),
      itsToolPalette(thePalette), itsTool(theTool), itsAttachment(theAttachment)
{
    if (theTool->itIsEnabled == 0)
        Disable();
}

short FRM_CToolPaletteButton::SuppressesDoOut() const
{
    return itsTool->itIsDraggable != 0 && itsTool->itsSubPalette == nullptr ? 1 : 0;
}

void FRM_CToolPaletteButton::SendToolCommand(long theCommand)
{
    if (theCommand != kNoCommand)
        DoCommand(theCommand, ToolData(itsTool->itsId));
}

void FRM_CToolPaletteButton::MouseDown(FRM_CPoint thePoint, short theButton, short isShift,
                                       short isControl)
{
    itReceivedMouseDown = 1;
    itNeedsDoOut = 0;
    FRM_CButton::MouseDown(thePoint, theButton, isShift, isControl);
}

void FRM_CToolPaletteButton::MouseUp(FRM_CPoint thePoint, short theButton, short isShift,
                                     short isControl)
{
    itReceivedMouseDown = 0;
    if (itNeedsDoOut != 0) {
        itNeedsDoOut = 0;
        SendToolCommand(itsToolPalette->GetLeaveCommand());
        FRM_CButton::DoOut();
    }
    FRM_CButton::MouseUp(thePoint, theButton, isShift, isControl);
}

void FRM_CToolPaletteButton::DoIn()
{
    SendToolCommand(itsToolPalette->GetEnterCommand());
    FRM_CButton::DoIn();
}

void FRM_CToolPaletteButton::DoOut()
{
    if (SuppressesDoOut() != 0) {
        itNeedsDoOut = 1;   // the leave waits for the mouse to come up
        return;
    }
    SendToolCommand(itsToolPalette->GetLeaveCommand());
    FRM_CButton::DoOut();
    itReceivedMouseDown = 0;
}

void FRM_CToolPaletteButton::DoUp()
{
    if (IsDown() != 0) {
        if (itsTool->itsSubPalette == nullptr) {
            SetToggleState(kDown);
            itsAttachment->SelectButton(this, itsTool->itsId);
        } else {
            SetToggleState(kUp);
        }
    }
    FRM_CButton::DoUp();
}

void FRM_CToolPaletteButton::DoUpAction()
{
    itsAttachment->itsDragOffButton = nullptr;
    itReceivedMouseDown = 0;
}

void FRM_CToolPaletteButton::DoDownAction()
{
    itsToolPalette->CloseSubPalettes(itsTool->itsSubPalette);
    itsAttachment->itsButtonIsDown = 1;
    itsAttachment->itsDragOffButton = nullptr;
    FRM_CToolPalette* sub = itsTool->itsSubPalette;
    if (sub == nullptr) {
        if (itsTool->itIsDraggable != 0 && itReceivedMouseDown != 0)
            itsAttachment->itsDragOffButton = this;
        return;
    }
    FRM_CWindow* window = itsAttachment->GetWindow();
    FRM_CPoint corner(GetFrame().Right(), GetFrame().Top());
    corner.Globalize(GetEnclosure());
    if (GetCWindow() != nullptr && window != nullptr)
        corner.Translate(GetCWindow(), window);
    FRM_CToolPaletteAttachment* opened =
        itsAttachment->GetState() == FRM_CAttachment::AS_DETACHED
            ? sub->PopupDetached(window, corner, itsAttachment->itsCommand, 0, nullptr)
            : sub->Popup(window, corner, itsAttachment->itsCommand, 0, nullptr);
    if (opened == nullptr)
        return;
    if (itsAttachment->GetState() != FRM_CAttachment::AS_DETACHED)
        opened->itsButtonIsDown = 1;
    static_cast<FRM_CAttachment&>(*opened) = static_cast<const FRM_CAttachment&>(*itsAttachment);
    opened->Show();
    // The sub-palette takes over the pointer.
    MouseUp(FRM_CPoint(0, 0), 1, 0, 0);
}

void FRM_CToolPaletteButton::EndDragOff(FRM_CPoint thePoint, short theButton, short isShift,
                                        short isControl)
{
    if (itWasDraggedOff == 0)
        return;
    itWasDraggedOff = 0;
    SetToggleState(itsToolPalette->itsSelectedTool == itsTool->itsId ? kDown : kUp);
    MouseUp(thePoint, theButton, isShift, isControl);
}

// ---------------------------------------------------------------------------------------------
// Palette attachments

namespace {

FRM_CToolBar* NewBar(FRM_CSubview* theEnclosure, FRM_CToolBar::AutosizeLocation theLocation)
{
    return new FRM_CToolBar(theEnclosure, theLocation);
}

} // namespace

FRM_CToolPaletteAttachment::FRM_CToolPaletteAttachment(FRM_CSubview* theEnclosure,
                                                       FRM_CToolPalette* thePalette,
                                                       long theCommand)
    : FRM_CToolBarAttachment(NewBar(theEnclosure, FRM_CToolBar::AL_NONE)),
      itsToolPalette(thePalette), itsWindow(theEnclosure->GetCWindow()), itsCommand(theCommand)
{
    InitializeToolBar();
    itIsDeletedUponClose = 1;
}

FRM_CToolPaletteAttachment::FRM_CToolPaletteAttachment(FRM_CSubview* theEnclosure,
                                                       FRM_CToolPalette* thePalette,
                                                       const FRM_CRect& theBestSize,
                                                       long theCommand)
    : FRM_CToolBarAttachment(NewBar(theEnclosure, FRM_CToolBar::AL_TOP), theBestSize),
      itsToolPalette(thePalette), itsWindow(theEnclosure->GetCWindow()), itsCommand(theCommand)
{
    InitializeToolBar();
    itIsDeletedUponClose = 1;
}

// Hand-written: only the attachment part is assigned; the palette and buttons stay.
FRM_CToolPaletteAttachment& FRM_CToolPaletteAttachment::operator=(
    const FRM_CToolPaletteAttachment& other)
{
    FRM_CAttachment::operator=(other);
    return *this;
}

FRM_CToolPaletteAttachment::~FRM_CToolPaletteAttachment()
{
    if (itsToolPalette != nullptr)
        itsToolPalette->RemoveAttachment(this);
}

const FRM_CTypeInfo* FRM_CToolPaletteAttachment::GetRunTimeTypeInfo() const
{
    return &frm_type::CToolPaletteAttachment;
}
const FRM_CTypeInfo* FRM_CToolPaletteAttachment::GetStaticTypeInfo()
{
    return &frm_type::CToolPaletteAttachment;
}

void FRM_CToolPaletteAttachment::InitializeToolBar()
{
    FRM_CToolBar* bar = GetToolBar();
    bar->IToolBar(0, 0, kLightGray, kWhite, kGray);
    for (const auto& tool : itsToolPalette->itsTools) {
        if (tool->itsImage == nullptr)
            continue;
        new FRM_CToolPaletteButton(bar, itsToolPalette, tool.get(), this);
        if (tool->itHasSeparator != 0)
            bar->AppendSeparator();
    }
    SetSize(GetBorderSize(GetBestSize(), 0));
    bar->ArrangeSubviews();
    bar->SetTitle(itsToolPalette->GetTitle());
}

FRM_CToolPaletteButton* FRM_CToolPaletteAttachment::ButtonAt(int theIndex) const
{
    const RWOrdered& views = *GetToolBar()->GetSubviews();
    if (theIndex < 0 || static_cast<std::size_t>(theIndex) >= views.entries())
        return nullptr;
    return static_cast<FRM_CToolPaletteButton*>(views[static_cast<std::size_t>(theIndex)]);
}

FRM_CWindow* FRM_CToolPaletteAttachment::GetWindow() const
{
    FRM_CAttachmentWindow* shownIn =
        itsInternalWindow != nullptr ? itsInternalWindow : itsExternalWindow;
    if (shownIn != nullptr)
        if (FRM_CWindow* host = shownIn->GetHostWindow())
            return host;
    return itsWindow;
}

void FRM_CToolPaletteAttachment::SelectButton(FRM_CToolPaletteButton* theButton, long theId)
{
    if (theButton == itsSelectedButton)
        return;
    itsToolPalette->SelectTool(theId);
    itsSelectedButton = theButton;
    if (itsCommand != kNoCommand && itsWindow != nullptr)
        itsWindow->DoCommand(itsCommand, itsToolPalette);
}

void FRM_CToolPaletteAttachment::SelectTool(int theIndex)
{
    DeselectTool();
    itsSelectedButton = ButtonAt(theIndex);
    if (itsSelectedButton != nullptr)
        itsSelectedButton->SetToggleState(FRM_CButton::kDown);
}

void FRM_CToolPaletteAttachment::DeselectTool()
{
    if (itsSelectedButton != nullptr)
        itsSelectedButton->SetToggleState(FRM_CButton::kUp);
    itsSelectedButton = nullptr;
}

void FRM_CToolPaletteAttachment::SetEnabled(int theIndex, short isEnabled)
{
    FRM_CToolPaletteButton* button = ButtonAt(theIndex);
    if (button == nullptr || (button->IsEnabled() != 0) == (isEnabled != 0))
        return;
    if (isEnabled != 0)
        button->Enable();
    else
        button->Disable();
}

void FRM_CToolPaletteAttachment::RemoveButton(int theIndex)
{
    FRM_CToolPaletteButton* button = ButtonAt(theIndex);
    if (button == nullptr)
        return;
    if (itsSelectedButton == button)
        itsSelectedButton = nullptr;
    if (itsDragOffButton == button)
        itsDragOffButton = nullptr;
    delete button;
}

short FRM_CToolPaletteAttachment::TearOff()
{
    if (FRM_CToolBarAttachment::TearOff() != 0)
        return 1;
    FRM_CDragSource* source = itsToolPalette->GetDragSource();
    if (source == nullptr || itsDragOffButton == nullptr || itsButtonIsDown == 0)
        return 0;
    itsDragOffButton->StartDragOff();
    if (FRM_CDragSource* buttonSource = itsDragOffButton->GetToolPalette()->GetDragSource())
        buttonSource->DoDrag(kNoCommand, ToolData(itsDragOffButton->GetToolId()), GetWindow(),
                             kDragCursor);
    return 1;
}

short FRM_CToolPaletteAttachment::DoUp(FRM_CPoint& where, short& button, short& shift,
                                       short& control)
{
    if (itsButtonIsDown != 0) {
        itsButtonIsDown = 0;
        itsToolPalette->CloseAllPalettes();
        if (FRM_CToolPaletteButton* dragged = itsDragOffButton) {
            itsDragOffButton = nullptr;
            dragged->EndDragOff(where, button, shift, control);
        }
    }
    return FRM_CToolBarAttachment::DoUp(where, button, shift, control);
}

void FRM_CToolPaletteAttachment::InternalAttach(FRM_CAttachmentFrame* theFrame,
                                                AttachmentPoint thePoint)
{
    FRM_CToolBarAttachment::InternalAttach(theFrame, thePoint);
    itsToolPalette->MakeSticky(this);
}

void FRM_CToolPaletteAttachment::Detach(short hasTitleBar)
{
    FRM_CToolBarAttachment::Detach(hasTitleBar);
    if (hasTitleBar != 0)
        itsToolPalette->MakeSticky(this);
}

void FRM_CToolPaletteAttachment::Popup(FRM_CWindow* theWindow, short hasTitleBar)
{
    FRM_CToolBarAttachment::Popup(theWindow, hasTitleBar);
    if (hasTitleBar != 0)
        itsToolPalette->MakeSticky(this);
}
