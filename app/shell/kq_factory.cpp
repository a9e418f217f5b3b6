// kq_factory.cpp: the program's factory, and what its registration modules share: making a
// control or a window from its layout record and applying its properties.
#include "app/shell/kq_factory.h"

#include <map>

#include "app/shell/factory_layout.h"
#include "app/shell/kq_app.h"
#include "frm/views/cbutton.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/ctreevw.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nscrlltx.h"
#include "frm/drawing/cfont.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/views/cimage.h"
#include "frm/views/cpicture.h"
#include "frm/views/crectshp.h"
#include "frm/views/cscrollr.h"
#include "frm/views/cstatbar.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr unsigned long kWhite = 0x0BFFFFFFul;
constexpr unsigned long kBlack = 0x07000000ul;
constexpr unsigned long kLightGrey = 0x00C0C0C0ul;
// The scrolling text's text-edit attributes, and the bit it shares with the window's.
constexpr std::uint32_t kScrollTextAttributes = 0x0F1F;
constexpr std::uint32_t kNoMenuBarBit = 0x0800;
// The tree view's type id is the program's own.
constexpr std::int32_t kTreeViewTypeId = 1001;

std::map<std::int32_t, const factory::WindowElement*>& WindowElements()
{
    static std::map<std::int32_t, const factory::WindowElement*> elements;
    return elements;
}

FRM_CStringRW TitleOf(int titleId)
{
    return titleId != 0 ? FRM_CStringRW(titleId) : FRM_CStringRW("");
}

// A picture button: not a toggle, the image inside at its origin, its command on release
// only, sized to the image.
void SetUpPictureButton(FRM_CButton* button, int imageId, long command)
{
    button->SetTogglable(0);
    new FRM_CPicture(button, FRM_CPoint(0, 0), FRM_CImage(static_cast<long>(imageId)));
    button->SetCommands(command, kNoCommand, kNoCommand, kNoCommand);
    button->SizeToFit();
}

// The main status bar: its spacing and colours, then its two texts as its fields.
void SetUpStatusBar(FRM_CStatusBar* bar, const FRM_PAFactory& factory)
{
    bar->IStatusBar(2, 2, 5, 3, 0, 0x0AC0C0C0ul, kWhite, 0x09808080ul);
    bar->AppendField(1, dynamic_cast<FRM_CView*>(factory.GetInstance(1374)), 155, 1);
    bar->AppendField(2, dynamic_cast<FRM_CView*>(factory.GetInstance(1376)),
                     FRM_CStatusBar::kStretch, 1);
}

void SetUpScroller(FRM_CScroller* scroller)
{
    scroller->SetScrollingOrigin(FRM_CPoint(0, 0));
    scroller->SetVirtualFrame(0, 0);
    scroller->IScroller(1, 1, 1, 8, 80, scroller->IsVisible(), scroller->GetGlue());
    scroller->SetVIncrements(8, 80);
}

void SetUpScrollText(FRM_NScrollText* text)
{
    std::uint32_t attributes = kScrollTextAttributes;
    const FRM_CWindow* window = text->GetCWindow();
    if (window != nullptr && (window->GetAttributes() & kNoMenuBarBit) != 0)
        attributes |= kNoMenuBarBit;
    text->INativeTextEdit(attributes, 1000, 1000, FRM_CStringRW(""), 0, text->IsVisible(),
                          text->GetGlue());
    text->SetTabSize(4);
    text->SetVIncrements(1, 10);
}

} // namespace

KQedAppFactory& KQedAppFactory::Instance()
{
    static KQedAppFactory theFactory;
    return theFactory;
}

KQedAppFactory::KQedAppFactory()
{
    factory::RegisterApplication(*this);
    factory::RegisterUserWindows(*this);
    factory::RegisterMainWindow(*this);
    factory::RegisterSearchWindows(*this);
    factory::RegisterImageWindows(*this);
}

void KQedAppFactory::Add(std::int32_t id, std::int32_t classTypeId, std::int32_t kind,
                         CreateFunction create, InitFunction init, std::int32_t parentId,
                         short initiallyCreated, std::uint32_t siblingCount, std::uint32_t order)
{
    Insert(id, classTypeId, kind, create, init, parentId, 0, initiallyCreated, siblingCount, order);
    itsElements.push_back({id, kind, parentId});
}

FRM_CWindow* KQedAppFactory::MakeWindow(FRM_CDocument* document, std::int32_t id)
{
    const factory::WindowElement* element = factory::FindWindowElement(id);
    if (element == nullptr || element->make == nullptr)
        return nullptr;
    FRM_CObjectRWC* object = factory::MakeWindow(*element, document);
    factory::InitWindow(*element, object);
    return dynamic_cast<FRM_CWindow*>(object);
}

namespace factory {

FRM_CEnvironment MakeEnvironment(int number)
{
    struct Colours {
        unsigned long first, second, third;
        const char* font;
        bool greyParts;       // blend and trough colour light grey
        bool blackBorder;
    };
    static const Colours kEnvironments[] = {
        {kWhite, kBlack, kWhite, "01\\helvetica\\0\\10\\", false, false},
        {kWhite, kBlack, kLightGrey, "01\\helvetica\\0\\10\\", true, false},
        {kWhite, kBlack, kLightGrey, "01\\helvetica\\0\\10\\", true, true},
        {kWhite, kBlack, kWhite, "01\\system\\0\\12\\", false, false},
        {kLightGrey, kBlack, kWhite, "01\\helvetica\\1\\10\\", false, false},
        {kWhite, kBlack, kWhite, "01\\helvetica\\0\\10\\", true, true},
        {kLightGrey, kBlack, kLightGrey, "01\\helvetica\\0\\10\\", true, true},
    };
    const Colours& c = kEnvironments[number >= 1 && number <= 7 ? number - 1 : 0];
    FRM_CFont font;
    font.Deserialize(FRM_CStringRW(c.font));
    FRM_CEnvironment environment(c.first, c.second, c.third, 2, kBlack, 2, 1, font, 0, 0, 0,
                                 kWhite, kBlack, kWhite, kBlack);
    if (c.greyParts) {
        environment.SetBlendColor(kLightGrey);
        environment.SetTroughColor(kLightGrey);
    }
    if (c.blackBorder)
        environment.SetBorderColor(0);
    return environment;
}

std::int32_t TypeIdOf(ViewClass viewClass)
{
    switch (viewClass) {
    case ViewClass::kButton: return frm_type::NButton.GetId();
    case ViewClass::kText: return frm_type::NText.GetId();
    case ViewClass::kListBox: return frm_type::NListBox.GetId();
    case ViewClass::kListButton: return frm_type::NListButton.GetId();
    case ViewClass::kEditField: return frm_type::NEditControl.GetId();
    case ViewClass::kScrollText: return frm_type::NScrollText.GetId();
    case ViewClass::kPictureButton: return frm_type::CButton.GetId();
    case ViewClass::kPicture: return frm_type::CPicture.GetId();
    case ViewClass::kStatusBar: return frm_type::CStatusBar.GetId();
    case ViewClass::kRectangle: return frm_type::CRectangle.GetId();
    case ViewClass::kScroller: return frm_type::CScroller.GetId();
    case ViewClass::kTreeView: return kTreeViewTypeId;
    }
    return 0;
}

namespace {

bool IsOfClass(ViewClass viewClass, FRM_CObjectRWC* object)
{
    switch (viewClass) {
    case ViewClass::kButton: return FrmCast<FRM_NButton>(object) != nullptr;
    case ViewClass::kText: return FrmCast<FRM_NText>(object) != nullptr;
    case ViewClass::kListBox: return FrmCast<FRM_NListBox>(object) != nullptr;
    case ViewClass::kListButton: return FrmCast<FRM_NListButton>(object) != nullptr;
    case ViewClass::kEditField: return FrmCast<FRM_NEditControl>(object) != nullptr;
    case ViewClass::kScrollText: return FrmCast<FRM_NScrollText>(object) != nullptr;
    case ViewClass::kPictureButton: return FrmCast<FRM_CButton>(object) != nullptr;
    case ViewClass::kPicture: return FrmCast<FRM_CPicture>(object) != nullptr;
    case ViewClass::kStatusBar: return FrmCast<FRM_CStatusBar>(object) != nullptr;
    case ViewClass::kRectangle: return FrmCast<FRM_CRectangle>(object) != nullptr;
    case ViewClass::kScroller: return FrmCast<FRM_CScroller>(object) != nullptr;
    case ViewClass::kTreeView: return FrmCast<FRM_CTreeView>(object) != nullptr;
    }
    return false;
}

} // namespace

FRM_CObjectRWC* MakeView(const ViewElement& e, FRM_CObjectRWC* parentObject)
{
    FRM_CSubview* parent = FrmCast<FRM_CSubview>(parentObject);
    const FRM_CRect frame(e.left, e.top, e.right, e.bottom);
    const FRM_CStringRW none("");
    switch (e.viewClass) {
    case ViewClass::kButton: return new FRM_NButton(parent, frame, none, e.controlFlags);
    case ViewClass::kText: return new FRM_NText(parent, frame, none, e.controlFlags);
    case ViewClass::kListBox:
        return new FRM_NListBox(parent, frame, FRM_CStringCollection(), 0);
    case ViewClass::kListButton:
        return new FRM_NListButton(parent, frame, FRM_CStringCollection(), 0, 0);
    case ViewClass::kEditField: return new FRM_NEditControl(parent, frame, none, 0);
    case ViewClass::kScrollText:
        return new FRM_NScrollText(parent, frame, 1, 0, 16, 1000.0F, 1000, 1);
    case ViewClass::kPictureButton: return new FRM_CButton(parent, frame, 0);
    case ViewClass::kPicture:
        return new FRM_CPicture(parent, FRM_CPoint(e.left, e.top),
                                FRM_CImage(static_cast<long>(e.imageId)));
    case ViewClass::kStatusBar: return new FRM_CStatusBar(parent);
    case ViewClass::kRectangle: return new FRM_CRectangle(parent, frame);
    case ViewClass::kScroller: return new FRM_CScroller(parent, frame, 0.0F, 0.0F);
    case ViewClass::kTreeView: return new FRM_CTreeView(parent, frame);
    }
    return nullptr;
}

void InitView(const ViewElement& e, const FRM_PAFactory& factory, FRM_CObjectRWC* object)
{
    if (!IsOfClass(e.viewClass, object))
        return;
    auto* view = static_cast<FRM_CView*>(object);
    view->SetId(e.id);
    IPAFactoryView(view, TitleOf(e.titleId), e.command, e.doubleCommand, 1, e.enabled ? 1 : 0, 0,
                   e.glue, 0, 0);
    if (e.environment != 0)
        view->SetEnvironment(MakeEnvironment(e.environment), 0);
    switch (e.viewClass) {
    case ViewClass::kPictureButton:
        if (auto* button = dynamic_cast<FRM_CButton*>(view))
            SetUpPictureButton(button, e.imageId, e.command);
        break;
    case ViewClass::kPicture:
        view->Size(FRM_CRect(e.left, e.top, e.right, e.bottom));
        break;
    case ViewClass::kStatusBar:
        if (auto* bar = dynamic_cast<FRM_CStatusBar*>(view))
            SetUpStatusBar(bar, factory);
        break;
    case ViewClass::kRectangle:
        if (auto* rectangle = dynamic_cast<FRM_CRectangle*>(view))
            rectangle->SetRoundedCorners(0, 0, 0);
        break;
    case ViewClass::kScroller:
        if (auto* scroller = dynamic_cast<FRM_CScroller*>(view))
            SetUpScroller(scroller);
        break;
    case ViewClass::kScrollText:
        if (auto* text = dynamic_cast<FRM_NScrollText*>(view))
            SetUpScrollText(text);
        break;
    default:
        break;
    }
}

WINDOW ParentWindowOf(const WindowElement& element)
{
    return reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, element.parentAttribute));
}

void RememberWindowElement(const WindowElement& element)
{
    WindowElements()[element.id] = &element;
}

const WindowElement* FindWindowElement(std::int32_t id)
{
    const auto found = WindowElements().find(id);
    return found != WindowElements().end() ? found->second : nullptr;
}

FRM_CObjectRWC* MakeWindow(const WindowElement& element, FRM_CObjectRWC* parent)
{
    return element.make(FrmCast<FRM_CDocument>(parent), element);
}

void InitWindow(const WindowElement& element, FRM_CObjectRWC* object)
{
    auto* window = dynamic_cast<FRM_CWindow*>(object);
    if (window == nullptr)
        return;
    IPAFactoryView(window, TitleOf(element.titleId), kNoCommand, kNoCommand,
                   element.visible ? 1 : 0, 1, element.active ? 1 : 0, 0, 0, 0);
    window->SetBackgroundDrawing(0);
    // Its help: the topic file lists each window under its factory id.
    if (KQedApp* application = KQedApp::Instance())
        application->GetHelp().AssociateWindow(window->GetVKOWindow(), element.id,
                                               element.menuBarId);
}

namespace {

// A plain window that builds the controls of its element.
class LaidOutWindow : public FRM_CWindow {
public:
    LaidOutWindow(FRM_CDocument* document, const WindowElement& e)
        : FRM_CWindow(document, FRM_CRect(e.left, e.top, e.right, e.bottom), FRM_CStringRW(""),
                      e.attributes, e.type, e.menuBarId, ParentWindowOf(e))
    {
        KQedAppFactory::Instance().DoCreateViews(this, e.id, 0, nullptr);
    }
};

} // namespace

FRM_CWindow* MakeLaidOutWindow(FRM_CDocument* document, const WindowElement& element)
{
    return new LaidOutWindow(document, element);
}

} // namespace factory
