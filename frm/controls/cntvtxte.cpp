// cntvtxte.cpp: the native text edit: creation and placement of the engine's text edit, text
// by whole strings, suspension, keys and change reports.
#include "frm/controls/cntvtxte.h"

#include <algorithm>
#include <string>

#include "frm/core/ccmdnums.h"
#include "frm/views/cnativvw.h"
#include "frm/controls/nlinetxt.h"
#include "frm/core/ctdivalue.h"
#include "frm/core/cunits.h"
#include "frm/core/frmerror.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/runtime/cpafactr.h"
#include "frm/runtime/cswtchbr.h"
#include "frm/views/cclipwin.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cntvtxte";
constexpr long kErrNoTextEdit = 1100;
constexpr e_win_type kTextEditType = 23;
constexpr std::int32_t kAttrTaskWindow = 301;
constexpr char kParentClass[] = "TXParentClassCXO";
constexpr std::uint16_t kToggleKey = 312;
constexpr std::uint16_t kBackspace = 8;
constexpr std::uint16_t kStopKeys[] = {301, 302, 303, 304, 307, 308, 313, 314};

// The engine runs in window mode, where a text edit's handle is its own child window.
WINDOW WindowOf(TXEDIT theTextEdit)
{
    return reinterpret_cast<WINDOW>(theTextEdit);
}

// Set while a key goes through the framework or is handed to the engine by the view: the
// text edit's hook then leaves it to the engine.
bool& KeyInFramework()
{
    static bool inFramework = false;
    return inFramework;
}

// Set while the view hands a Backspace to the engine. Formatting what is left then keeps the
// caret where the Backspace put it: a literal the pattern puts back stays after the caret, and
// the next Backspace goes past it instead of taking it out again.
bool& BackspaceInEngine()
{
    static bool backspacing = false;
    return backspacing;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

FRM_CNativeTextEdit::FRM_CNativeTextEdit(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                         std::uint32_t theAttributes, float theMargin,
                                         int theLimit)
    : FRM_CView(theEnclosure, theFrame, FRM_CStringRW()), itsLimit(theLimit), itsMargin(theMargin),
      itsAttributes(theAttributes)
{
    CreateTextEdit();
}

FRM_CNativeTextEdit::FRM_CNativeTextEdit(const FRM_CNativeTextEdit& other)
    : FRM_CView(other), FRM_CValidatorInterface(other), itsLimit(other.itsLimit),
      itsMargin(other.itsMargin), itsAttributes(other.itsAttributes),
      itsKeyFocusCmd(other.itsKeyFocusCmd), itsKeyFocusLostCmd(other.itsKeyFocusLostCmd),
      itsTextCmd(other.itsTextCmd), itSelectsOnActivate(other.itSelectsOnActivate)
{
    SetVKOWindow(nullptr);
    CreateTextEdit();
}

// Hand-written: the old text edit is destroyed and a new one made with the copied settings.
FRM_CNativeTextEdit& FRM_CNativeTextEdit::operator=(const FRM_CNativeTextEdit& other)
{
    if (this == &other)
        return *this;
    FRM_CView::operator=(other);
    FRM_CValidatorInterface::operator=(other);
    itsLimit = other.itsLimit;
    itsMargin = other.itsMargin;
    itsAttributes = other.itsAttributes;
    itsKeyFocusCmd = other.itsKeyFocusCmd;
    itsKeyFocusLostCmd = other.itsKeyFocusLostCmd;
    itsTextCmd = other.itsTextCmd;
    itSelectsOnActivate = other.itSelectsOnActivate;
    DestroyTextEdit();
    CreateTextEdit();
    return *this;
}

FRM_CNativeTextEdit::~FRM_CNativeTextEdit()
{
    DestroyTextEdit();
}

void FRM_CNativeTextEdit::DestroyTextEdit()
{
    WINDOW window = WindowOf(itsTextEdit);
    if (window != nullptr && vko_vobj_is_valid(window)) {
        vko_tx_set_data(itsTextEdit, 0);
        vko_tx_destroy(itsTextEdit);
    }
    itsTextEdit = 0;
    SetVKOWindow(nullptr);
    delete itsClipWindow;
    itsClipWindow = nullptr;
}

s_rct FRM_CNativeTextEdit::TextEditRect() const
{
    s_rct rect = NativeControlRect(this);
    FrmFixRect(&rect, 3, kTextEditType);
    return rect;
}

void FRM_CNativeTextEdit::CreateTextEdit()
{
    FRM_CWindow* window = GetCWindow();
    if (window == nullptr || window->GetVKOWindow() == nullptr)
        return;
    if ((window->GetAttributes() & kFromWindow) != 0)
        itsAttributes |= kFromWindow;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    WINDOW parent = window->GetVKOWindow();
    s_rct rect = TextEditRect();
    // Inside a subview, while native views clip, a clip window cuts the text edit at the
    // subview's edges.
    if (FRM_CNativeView::ItClips() && itsEnclosure != nullptr && itsEnclosure != window &&
        reinterpret_cast<intptr_t>(parent) != vko_vobj_get_attr(nullptr, kAttrTaskWindow)) {
        delete itsClipWindow;
        itsClipWindow = new FRM_CClipWindow(this, kTextEditType, IsVisible());
        parent = itsClipWindow->GetVKOWindow();
        rect = itsClipWindow->GetOwnerRect();
    }
    // The environment's font when it is mapped already, else the standard one for the
    // creation only.
    const FRM_CEnvironment* environment = GetEnvironment();
    s_fntid* font =
        environment != nullptr ? static_cast<s_fntid*>(environment->GetFont()) : nullptr;
    bool mappedHere = false;
    if (font == nullptr || vko_font_get_win(font) == nullptr ||
        !vko_vobj_is_valid(vko_font_get_win(font))) {
        const FRM_CGlobalClassLib* library = FRM_CObjectRWC::GetG();
        font = library != nullptr ? static_cast<s_fntid*>(library->GetSTDFont()) : font;
        if (font != nullptr) {
            vko_font_map(font, parent);
            mappedHere = true;
        }
    }
    itsTextEdit = vko_tx_create(parent, &rect, static_cast<std::uint16_t>(itsAttributes), font,
                                static_cast<std::int16_t>(MarginPixels(itsMargin)),
                                static_cast<std::uint16_t>(itsLimit));
    if (mappedHere)
        vko_font_unmap(font);
    if (itsTextEdit == 0) {
        FrmError(kErrNoTextEdit, kModule, __LINE__);
        return;
    }
    WINDOW own = WindowOf(itsTextEdit);
    SetVKOWindow(own);
    vko_win_set_handler(own, hookTextEditEventHandler);
    vko_tx_set_data(itsTextEdit, reinterpret_cast<intptr_t>(static_cast<FRM_CObjectRWC*>(this)));
    if (itsClipWindow != nullptr)
        itsClipWindow->UpdateSize(own, TRUE);
    FRM_CView::SetGlue(0xFFFF0000UL);
    SetTabSize(4);
    Activate();
}

short FRM_CNativeTextEdit::INativeTextEdit(std::uint32_t theAttributes, float theMargin,
                                           int theLimit, const FRM_CStringRW& theText,
                                           short selectOnActivate, short isVisible,
                                           unsigned long theGlue)
{
    itsAttributes = theAttributes;
    itsMargin = theMargin;
    itsLimit = theLimit;
    itSelectsOnActivate = selectOnActivate;
    const FRM_CWindow* window = GetCWindow();
    if (window != nullptr && (window->GetAttributes() & kFromWindow) != 0)
        itsAttributes |= kFromWindow;
    if (itsTextEdit != 0) {
        vko_tx_set_attr(itsTextEdit, static_cast<std::uint16_t>(itsAttributes));
        vko_tx_set_margin(itsTextEdit, static_cast<std::int16_t>(MarginPixels(itsMargin)));
        vko_tx_set_limit(itsTextEdit, static_cast<std::uint16_t>(itsLimit));
    }
    if (!theText.isNull())
        SetText(theText);
    return FRM_CView::IView(isVisible, theGlue);
}

int FRM_CNativeTextEdit::MarginPixels(float theMargin) const
{
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->HLogicalToPhysical(theMargin) : static_cast<int>(theMargin);
}

// ---------------------------------------------------------------------------------------------
// Text

void FRM_CNativeTextEdit::SetText(const FRM_CStringRW& theText)
{
    Suspend();
    Clear();
    Append(theText);
    Resume(0);
    TdiNotify(kTagValue, theText);
}

short FRM_CNativeTextEdit::Append(const FRM_CStringRW& theText)
{
    if (theText.isNull() || itsTextEdit == 0)
        return 1;
    Suspend();
    const std::string text = theText.data();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        const std::string piece = text.substr(start, end == std::string::npos ? end : end - start);
        vko_tx_add_par(itsTextEdit, kEnd, piece.c_str());
        TdiNotify(kTagAppend, piece.c_str());
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    Resume(0);
    return 1;
}

FRM_CStringRW FRM_CNativeTextEdit::LineText(std::uint16_t thePar, std::uint16_t theLine) const
{
    std::uint16_t length = 0;
    vko_tx_get_line(itsTextEdit, thePar, 0, theLine, nullptr);
    const char* line = vko_tx_get_line(itsTextEdit, thePar, 1, theLine, &length);
    FRM_CStringRW text = line != nullptr ? FRM_CStringRW(line, length) : FRM_CStringRW();
    vko_tx_get_line(itsTextEdit, thePar, 2, theLine, nullptr);
    return text;
}

// Wrapped lines of a paragraph are joined without separator; paragraphs are joined by "\n".
FRM_CStringRW FRM_CNativeTextEdit::GetRange(std::uint16_t theFirstPar, std::uint16_t theLastPar,
                                            std::uint16_t theFirstLine, std::uint16_t theLastLine,
                                            std::uint16_t theFirstChar,
                                            std::uint16_t theLastChar) const
{
    std::string out;
    if (itsTextEdit == 0)
        return FRM_CStringRW(out.c_str());
    for (std::uint32_t par = theFirstPar; par <= theLastPar; ++par) {
        const auto p = static_cast<std::uint16_t>(par);
        const std::uint16_t lines = vko_tx_get_num_par_lines(itsTextEdit, p);
        if (lines == 0) {
            if (par < theLastPar)
                out += '\n';
            continue;
        }
        const bool isFirst = par == theFirstPar;
        const bool isLast = par == theLastPar;
        const std::uint16_t fromLine = isFirst ? theFirstLine : 0;
        const std::uint16_t toLine = isLast ? std::min<std::uint16_t>(theLastLine, lines - 1)
                                            : static_cast<std::uint16_t>(lines - 1);
        for (std::uint32_t line = fromLine; line <= toLine; ++line) {
            const std::string text = LineText(p, static_cast<std::uint16_t>(line)).data();
            std::size_t from = isFirst && line == fromLine ? theFirstChar : 0;
            std::size_t to = isLast && line == toLine ? theLastChar : text.size();
            to = std::min(to, text.size());
            if (from < to)
                out += text.substr(from, to - from);
        }
        if (!isLast)
            out += '\n';
    }
    return FRM_CStringRW(out.c_str());
}

FRM_CStringRW FRM_CNativeTextEdit::GetText() const
{
    const std::uint16_t pars = itsTextEdit != 0 ? vko_tx_get_num_pars(itsTextEdit) : 0;
    if (pars == 0)
        return FRM_CStringRW("");
    return GetRange(0, static_cast<std::uint16_t>(pars - 1), 0, kEnd, 0, kEnd);
}

std::uint16_t FRM_CNativeTextEdit::GetNCharInText() const
{
    std::uint32_t count = 0;
    const std::uint16_t pars = itsTextEdit != 0 ? vko_tx_get_num_pars(itsTextEdit) : 0;
    for (std::uint16_t par = 0; par < pars; ++par) {
        const std::uint16_t lines = vko_tx_get_num_par_lines(itsTextEdit, par);
        for (std::uint16_t line = 0; line < lines; ++line)
            count += vko_tx_get_num_chars(itsTextEdit, par, line);
    }
    return static_cast<std::uint16_t>(count);
}

void FRM_CNativeTextEdit::SelectText()
{
    if (itsTextEdit == 0)
        return;
    const std::uint16_t pars = vko_tx_get_num_pars(itsTextEdit);
    if (pars == 0) {
        vko_tx_set_sel(itsTextEdit, 0, 0, 0, 0, 0, 0);
        return;
    }
    const auto lastPar = static_cast<std::uint16_t>(pars - 1);
    const std::uint16_t lines = vko_tx_get_num_par_lines(itsTextEdit, lastPar);
    const std::uint16_t lastLine = lines > 0 ? static_cast<std::uint16_t>(lines - 1) : 0;
    vko_tx_set_sel(itsTextEdit, 0, 0, 0, lastPar, lastLine,
                   vko_tx_get_num_chars(itsTextEdit, lastPar, lastLine));
}

FRM_CStringRW FRM_CNativeTextEdit::GetSelectedText() const
{
    std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
    if (itsTextEdit == 0)
        return FRM_CStringRW("");
    vko_tx_get_sel(itsTextEdit, &p0, &l0, &c0, &p1, &l1, &c1);
    if (p0 == p1 && l0 == l1 && c0 == c1)
        return FRM_CStringRW("");
    return GetRange(p0, p1, l0, l1, c0, c1);
}

std::uint16_t FRM_CNativeTextEdit::GetNCharInSelection() const
{
    // Paragraph breaks are not counted.
    const FRM_CStringRW selected = GetSelectedText();
    std::uint32_t count = 0;
    for (const char* c = selected.data(); *c != '\0'; ++c)
        if (*c != '\n')
            ++count;
    return static_cast<std::uint16_t>(count);
}

short FRM_CNativeTextEdit::Clear()
{
    if (itsTextEdit == 0 || !vko_tx_clear(itsTextEdit))
        return 0;
    TdiNotify(kNoCommand, "");
    return 1;
}

short FRM_CNativeTextEdit::IsEmpty() const
{
    return itsTextEdit == 0 || vko_tx_get_num_lines(itsTextEdit) == 0 ? 1 : 0;
}

void FRM_CNativeTextEdit::SetAttribute(std::uint32_t theBits, short isOn)
{
    std::uint32_t current = GetAttributes();
    current = isOn ? (current | theBits) : (current & ~theBits);
    itsAttributes = current;
    if (itsTextEdit != 0)
        vko_tx_set_attr(itsTextEdit, static_cast<std::uint16_t>(current));
}

std::uint32_t FRM_CNativeTextEdit::GetAttributes() const
{
    return itsTextEdit != 0 ? vko_tx_get_attr(itsTextEdit) : itsAttributes;
}

void FRM_CNativeTextEdit::SetLimit(int theLimit)
{
    itsLimit = theLimit;
    if (itsTextEdit != 0)
        vko_tx_set_limit(itsTextEdit, static_cast<std::uint16_t>(theLimit));
}

int FRM_CNativeTextEdit::GetLimit() const
{
    return itsTextEdit != 0 ? vko_tx_get_limit(itsTextEdit) : itsLimit;
}

void FRM_CNativeTextEdit::SetMargin(float theMargin)
{
    itsMargin = theMargin;
    if (itsTextEdit != 0)
        vko_tx_set_margin(itsTextEdit, static_cast<std::int16_t>(MarginPixels(theMargin)));
}

float FRM_CNativeTextEdit::GetMargin() const
{
    if (itsTextEdit == 0)
        return itsMargin;
    const int pixels = vko_tx_get_margin(itsTextEdit);
    const FRM_CUnits* units = GetUnits();
    return units != nullptr ? units->HPhysicalToLogical(pixels) : static_cast<float>(pixels);
}

void FRM_CNativeTextEdit::Reset()
{
    if (itsTextEdit != 0)
        vko_tx_reset(itsTextEdit);
}

void FRM_CNativeTextEdit::Suspend()
{
    if (itsSuspendCount++ == 0 && itsTextEdit != 0)
        vko_tx_suspend(itsTextEdit);
}

void FRM_CNativeTextEdit::Resume(short all)
{
    if (all)
        itsSuspendCount = 0;
    else if (itsSuspendCount > 0)
        --itsSuspendCount;
    if (itsSuspendCount == 0 && itsTextEdit != 0)
        vko_tx_resume(itsTextEdit);
}

void FRM_CNativeTextEdit::SetTabSize(int theSize)
{
    itsTabSize = theSize;
    if (itsTextEdit != 0)
        vko_tx_set_tabstop(itsTextEdit, static_cast<std::uint16_t>(theSize));
}

void FRM_CNativeTextEdit::Truncate(FRM_CStringRW& theText) const
{
    const int room = GetLimit() - GetNCharInText();
    if (static_cast<int>(theText.length()) > room)
        theText = FRM_CStringRW(theText.data(), static_cast<std::size_t>(room > 0 ? room : 0));
}

// ---------------------------------------------------------------------------------------------
// Events

void FRM_CNativeTextEdit::SetFocusCommands(long theKeyFocus, long theKeyFocusLost)
{
    itsKeyFocusCmd = theKeyFocus;
    itsKeyFocusLostCmd = theKeyFocusLost;
}

std::uint16_t FRM_CNativeTextEdit::Validate(const FRM_CKey& theKey)
{
    return theKey.GetChar();
}

void FRM_CNativeTextEdit::PostValidate()
{
    if (!itsValidator.IsValid() || itsTextEdit == 0)
        return;
    std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
    vko_tx_get_sel(itsTextEdit, &p0, &l0, &c0, &p1, &l1, &c1);
    std::int32_t first = c0;
    std::int32_t last = c1;
    const FRM_CStringRW text = GetText();
    const FRM_CStringRW formatted = itsValidator.FormatString(text, &first, &last);
    if (formatted == text)
        return;
    if (BackspaceInEngine()) {
        const auto length = static_cast<std::int32_t>(formatted.length());
        first = std::min<std::int32_t>(c0, length);
        last = std::min<std::int32_t>(c1, length);
    }
    SetText(formatted);
    vko_tx_set_sel(itsTextEdit, p0, l0, static_cast<std::uint16_t>(first), p1, l1,
                   static_cast<std::uint16_t>(last));
}

void FRM_CNativeTextEdit::TdiProcessEvent(EVENT& theEvent)
{
    const bool bound = GetPrimaryController() != nullptr;
    const FRM_CStringRW before = bound ? GetText() : FRM_CStringRW();
    // The window's text-edit parent object hands the event to the focused text edit.
    const FRM_CWindow* window = GetCWindow();
    CXO parent =
        window != nullptr ? vko_win_get_cxo(window->GetVKOWindow(), kParentClass, 0) : nullptr;
    if (VKO_CXO_HANDLER handler = parent != nullptr ? vko_cxo_get_event_handler(parent) : nullptr) {
        vko_scr_set_focus_vobj(GetVKOWindow());
        const bool wasInFramework = KeyInFramework();
        KeyInFramework() = true;
        handler(parent, &theEvent);
        KeyInFramework() = wasInFramework;
    }
    if (!bound)
        return;
    const FRM_CStringRW after = GetText();
    if (after == before)
        return;
    if (after.isNull())
        TdiNotify(kNoCommand, "");
    else
        TdiNotify(kTagValue, after);
}

void FRM_CNativeTextEdit::Key(const FRM_CKey& theKey)
{
    if ((GetAttributes() & (kReadOnly | kLocked)) != 0)
        return;
    const std::uint16_t character = Validate(theKey);
    if (theKey.IsVirtualKey() && theKey.GetChar() == kToggleKey) {
        SetAttribute(kToggledByKey, (GetAttributes() & kToggledByKey) == 0);
        return;
    }
    if (character != 0) {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr = theKey.GetKeyEventChar();
        event.v.chr.ch = character;
        const bool wasBackspacing = BackspaceInEngine();
        BackspaceInEngine() = !theKey.IsVirtualKey() && character == kBackspace;
        TdiProcessEvent(event);
        BackspaceInEngine() = wasBackspacing;
    }
    if (theKey.IsVirtualKey())
        for (std::uint16_t stop : kStopKeys)
            if (theKey.GetChar() == stop)
                return;
    if (character == 10 || character == 13) {
        if (GetCommand() != kNoCommand)
            DoCommand(GetCommand(), this);
        return;
    }
    if (itsEnclosure != nullptr)
        itsEnclosure->Key(theKey);
}

void FRM_CNativeTextEdit::DoHit(const s_ctlinfo& theInfo)
{
    if (theInfo.v.edit.focus_change == 0) {
        PostValidate();
        if (GetPrimaryController() != nullptr)   // the whole text is read only for a binding
            TdiNotify(kTagValue, GetText());
        DoCommand(itsTextCmd, this);
        return;
    }
    if (theInfo.v.edit.active == 0) {
        Deactivate();
        DoCommand(itsKeyFocusLostCmd, this);
        return;
    }
    const short wasInHit = itsInDoHit;
    itsInDoHit = 1;
    Activate();
    itsInDoHit = wasInHit;
    DoCommand(itsKeyFocusCmd, this);
}

void FRM_CNativeTextEdit::DoCommand(long theCommand, void* theData)
{
    if (theCommand == kCommandReportValue && GetPrimaryController() != nullptr) {
        const FRM_CStringRW text = GetText();
        if (text.isNull())
            TdiNotify(kNoCommand, "");
        else
            TdiNotify(kTagValue, text);
    }
    FRM_CView::DoCommand(theCommand, theData);
}

void FRM_CNativeTextEdit::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    const auto* value = FrmCast<const FRM_CTdiValue>(model);
    if (controllerId == 0 && value != nullptr) {
        switch (command) {
        case kTagValue:
            SetText(value->ToString());
            return;
        case kTagAppend:
            Append(value->ToString());
            return;
        case kNoCommand:
            SetText(FRM_CStringRW(""));
            return;
        default:
            break;
        }
    }
    FRM_CView::DoUpdateModel(controllerId, command, model);
}

// ---------------------------------------------------------------------------------------------
// Placement and state

void FRM_CNativeTextEdit::PositionTextEdit()
{
    WINDOW own = GetVKOWindow();
    const FRM_CWindow* window = GetCWindow();
    if (itsTextEdit == 0 || window == nullptr)
        return;
    FRM_CUnits::SetGlobalUnits(GetUnits());
    if (itsClipWindow != nullptr) {
        itsClipWindow->FollowOwner(own);
        return;
    }
    const s_rct wanted = TextEditRect();
    s_rct current{};
    vko_vobj_get_client_rect(own, &current);
    s_pnt corners[2] = {{current.top, current.left}, {current.bottom, current.right}};
    vko_vobj_translate_points(own, window->GetVKOWindow(), corners, 2);
    if (corners[0].v != wanted.top || corners[0].h != wanted.left ||
        corners[1].v != wanted.bottom || corners[1].h != wanted.right)
        vko_vobj_move(own, &wanted);
}

void FRM_CNativeTextEdit::Size(const FRM_CRect& theFrame)
{
    FRM_CView::Size(theFrame);
    if (IsVisible())
        PositionTextEdit();
}

void FRM_CNativeTextEdit::SetOrigin(const FRM_CPoint& theDisplacement)
{
    FRM_CView::SetOrigin(theDisplacement);
    if (IsVisible())
        PositionTextEdit();
}

void FRM_CNativeTextEdit::UpdateUnits(FRM_CUnits* theUnits)
{
    FRM_CBoss::UpdateUnits(theUnits);
    Size(itsFrame);
}

void FRM_CNativeTextEdit::SetFont(const FRM_CFont& theFont, short isShared)
{
    FRM_CView::SetFont(theFont, isShared);
    if (itsTextEdit != 0)
        vko_tx_set_font(itsTextEdit, theFont);
}

void FRM_CNativeTextEdit::SetGlue(unsigned long theGlue)
{
    FRM_CView::SetGlue(theGlue == 0 ? 0xFFFF0000UL : theGlue);
}

void FRM_CNativeTextEdit::Show()
{
    if (IsVisible())
        return;
    FRM_CView::Show();
    if (itsClipWindow != nullptr)
        itsClipWindow->Show();
    if (itsTextEdit != 0) {
        vko_vobj_set_visible(GetVKOWindow(), TRUE);
        if (IsActive())
            vko_scr_set_focus_vobj(GetVKOWindow());
    }
}

void FRM_CNativeTextEdit::Hide()
{
    if (!IsVisible())
        return;
    FRM_CView::Hide();
    if (itsTextEdit != 0)
        vko_vobj_set_visible(GetVKOWindow(), FALSE);
    if (itsClipWindow != nullptr)
        itsClipWindow->Hide();
}

void FRM_CNativeTextEdit::Enable()
{
    FRM_CView::Enable();
    if (itsTextEdit != 0)
        vko_vobj_set_enabled(GetVKOWindow(), TRUE);
    if (itsClipWindow != nullptr)
        itsClipWindow->Enable();
}

void FRM_CNativeTextEdit::Disable()
{
    FRM_CView::Disable();
    if (itsTextEdit != 0)
        vko_vobj_set_enabled(GetVKOWindow(), FALSE);
    if (itsClipWindow != nullptr)
        itsClipWindow->Disable();
}

void FRM_CNativeTextEdit::Activate()
{
    if (!IsActive())
        FRM_CView::Activate();
    if (itsEnclosure != nullptr)
        itsEnclosure->SetKeyFocus(this);
    if (itSelectsOnActivate)
        SelectText();
}

void FRM_CNativeTextEdit::Deactivate()
{
    if (IsActive())
        FRM_CView::Deactivate();
}

// ---------------------------------------------------------------------------------------------
// The text edit's event hook


// A cut or a paste on a line text with a validation is asked first as the key it amounts to
// (Backspace for the cut, key 0 for the paste); a refusal consumes the command.
static std::int32_t CheckLineTextCommand(WINDOW theTextEdit, std::int16_t theTag)
{
    constexpr std::int16_t kCut = 32027;
    constexpr std::int16_t kPaste = 32029;
    if (theTag != kCut && theTag != kPaste)
        return 0;
    auto* object = reinterpret_cast<FRM_CObjectRWC*>(vko_vobj_get_data(theTextEdit));
    FRM_NLineText* line = FrmCast<FRM_NLineText>(object);
    if (line == nullptr || !line->HasValidation())
        return 0;
    // A cut without a selection changes nothing.
    std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
    vko_tx_get_sel(line->GetVKOTextEdit(), &p0, &l0, &c0, &p1, &l1, &c1);
    if (theTag == kCut && c0 == c1)
        return 0;
    const FRM_CKey asKey(static_cast<std::uint16_t>(theTag == kCut ? 8 : 0), 0, 0, 0, 0);
    return line->KeyValidateRegX(asKey) != 0 ? 0 : -1;
}

// A pointer event on the text edit, at its point in the framework window: the window's mouse
// handlers see it as they see any other. One that a handler took is kept from the engine.
static std::int32_t RouteMouse(WINDOW theTextEdit, EVENT& theEvent)
{
    auto* object = reinterpret_cast<FRM_CObjectRWC*>(vko_vobj_get_data(theTextEdit));
    FRM_CNativeTextEdit* view = FrmCast<FRM_CNativeTextEdit>(object);
    FRM_CWindow* window = view != nullptr ? view->GetCWindow() : nullptr;
    if (window == nullptr || window->GetVKOWindow() == nullptr)
        return 0;
    FRM_CUnits::SetGlobalUnits(view->GetUnits());
    s_pnt where = theEvent.v.mouse.where;
    vko_vobj_translate_points(theTextEdit, window->GetVKOWindow(), &where, 1);
    const short taken = FRM_CSwitchBoard::RouteMouse(
        window, theEvent.type, FRM_CPoint(where), theEvent.v.mouse.button,
        theEvent.v.mouse.shift, theEvent.v.mouse.control);
    return taken ? -1 : 0;
}

extern "C" std::int32_t hookTextEditEventHandler(WINDOW theTextEdit, EVENT* theEvent) noexcept
{
    if (theEvent != nullptr && theEvent->type == E_COMMAND)
        return CheckLineTextCommand(theTextEdit, theEvent->v.cmd.tag);
    if (theEvent != nullptr && theEvent->type >= E_MOUSE_DOWN && theEvent->type <= E_MOUSE_DBL)
        return RouteMouse(theTextEdit, *theEvent);
    if (theEvent == nullptr || theEvent->type != E_CHAR || KeyInFramework())
        return 0;
    auto* object = reinterpret_cast<FRM_CObjectRWC*>(vko_vobj_get_data(theTextEdit));
    FRM_CNativeTextEdit* view = FrmCast<FRM_CNativeTextEdit>(object);
    FRM_CWindow* window = view != nullptr ? view->GetCWindow() : nullptr;
    if (window == nullptr)
        return 0;
    const FRM_CKey key(theEvent->v.chr);
    KeyInFramework() = true;
    window->GetNavigator();
    if (!FRM_CNavigator::Manager()->DoKey(key))
        window->DoKey(key);
    KeyInFramework() = false;
    return -1;
}
