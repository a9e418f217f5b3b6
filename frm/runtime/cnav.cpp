// cnav.cpp: keys, tab stops, navigators and the navigator manager.
#include "frm/runtime/cnav.h"

#include <algorithm>
#include <cstring>

#include "frm/views/cnativvw.h"
#include "frm/controls/cradiogr.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nlistedt.h"
#include "frm/core/cobjrwc.h"
#include "frm/core/frmerror.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/csubview.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cnav";
constexpr long kErrNullTabStop = 6970;
constexpr int kLineNullTabStop = 225;

constexpr std::uint16_t kInitialSensitivity = 0x14;
constexpr std::uint16_t kMovementSensitivity = 0x14;

struct NavigationState {
    std::uint16_t defaultSensitivity = kInitialSensitivity;
    FRM_CNavigatorManager fallbackManager; // used only while no application runs
};
NavigationState& State()
{
    static NavigationState state;
    return state;
}

// Mask bit for a pattern of modifier differences (control, alt, meta).
std::uint16_t DifferenceBit(bool control, bool alt, bool meta)
{
    if (control && alt && meta)
        return 0x2000;
    if (control && alt)
        return 0x0020;
    if (control && meta)
        return 0x0200;
    if (alt && meta)
        return 0x0800;
    if (control)
        return 0x0002;
    if (alt)
        return 0x0008;
    return 0x0080; // meta alone
}

// Mask bit for the modifiers both keys carry.
std::uint16_t CommonBit(bool control, bool alt, bool meta)
{
    if (control && alt && meta)
        return 0x4000;
    if (alt && meta)
        return 0x1000;
    if (control && meta)
        return 0x0400;
    if (meta)
        return 0x0100;
    if (control && alt)
        return 0x0040;
    if (alt)
        return 0x0010;
    if (control)
        return 0x0004;
    return 0x0001;
}

bool IsBackward(const FRM_CCourse& course)
{
    return course.GetDirection() == 180 || course.GetDirection() == 90;
}

} // namespace

// ---- FRM_CKey ----------------------------------------------------------------------------

FRM_CKey::FRM_CKey(const s_char& record)
    : itsChar(record.ch), itsShift(record.shift), itsControl(record.control),
      itsVirtual(record.virt), itsModifiers(record.modifiers)
{
}

FRM_CKey::FRM_CKey(std::uint16_t character, short shift, short control, short alt, short meta)
    : itsChar(character), itsShift(shift), itsControl(control)
{
    if (shift)
        itsModifiers |= kShift;
    if (control)
        itsModifiers |= kControl;
    if (alt)
        itsModifiers |= kAlt;
    if (meta)
        itsModifiers |= kMeta;
}

FRM_CKey::FRM_CKey(VirtualTag, std::uint16_t code) : itsChar(code), itsVirtual(1) {}

s_char FRM_CKey::GetKeyEventChar() const
{
    s_char record{};
    record.ch = itsChar;
    record.shift = itsShift;
    record.control = itsControl;
    record.virt = itsVirtual;
    record.modifiers = itsModifiers;
    return record;
}

bool FRM_CKey::IsCharEqualSensitive(const FRM_CKey& other) const
{
    return itsVirtual == other.itsVirtual && itsChar == other.itsChar;
}

bool FRM_CKey::IsCharEqualInsensitive(const FRM_CKey& other) const
{
    if (itsVirtual != other.itsVirtual)
        return false;
    if (itsVirtual)
        return itsChar == other.itsChar;
    return vko_str_convert_wchar_to_upper(itsChar) == vko_str_convert_wchar_to_upper(other.itsChar);
}

bool FRM_CKey::IsEqual(const FRM_CKey& other, std::uint16_t sensitivity) const
{
    const bool controlDiffers = IsCtrl() != other.IsCtrl();
    const bool altDiffers = IsAlt() != other.IsAlt();
    const bool metaDiffers = IsMeta() != other.IsMeta();
    if ((controlDiffers || altDiffers || metaDiffers) &&
        (sensitivity & DifferenceBit(controlDiffers, altDiffers, metaDiffers)) == 0)
        return false;
    const std::uint16_t common = CommonBit(IsCtrl() && other.IsCtrl(), IsAlt() && other.IsAlt(),
                                           IsMeta() && other.IsMeta());
    return (sensitivity & common) != 0 ? IsCharEqualInsensitive(other)
                                       : IsCharEqualSensitive(other);
}

std::uint16_t FRM_CKey::GetDefaultSensitivity() { return State().defaultSensitivity; }
void FRM_CKey::SetDefaultSensitivity(std::uint16_t sensitivity)
{
    State().defaultSensitivity = sensitivity;
}

// ---- FRM_CTabStop ------------------------------------------------------------------------

FRM_CTabStop::FRM_CTabStop(FRM_CNavigator* subNavigator) : itsSubNavigator(subNavigator) {}

FRM_CTabStop::FRM_CTabStop(const FRM_CTabStop& other)
    : itsView(other.itsView), itsHotKeys(other.itsHotKeys)
{
    if (other.itsSubNavigator)
        itsSubNavigator = std::make_unique<FRM_CNavigator>(*other.itsSubNavigator);
}

FRM_CTabStop::~FRM_CTabStop()
{
    if (itsSubNavigator != nullptr && itsSubNavigator->IsKeptByView())
        ReleaseSubNavigator();
}

void FRM_CTabStop::SetSubNavigator(FRM_CNavigator* subNavigator)
{
    if (itsSubNavigator != nullptr && itsSubNavigator->IsKeptByView())
        ReleaseSubNavigator();
    itsSubNavigator.reset(subNavigator);
}

FRM_CNavigator* FRM_CTabStop::ReleaseSubNavigator()
{
    FRM_CNavigator* released = itsSubNavigator.release();
    if (released != nullptr) {
        released->itsParent = nullptr;
        released->itsParentTabStop = nullptr;
    }
    return released;
}

short FRM_CTabStop::IsActive() const { return itsView != nullptr && itsView->IsActive() ? 1 : 0; }

short FRM_CTabStop::CanActivate() const
{
    return itsView != nullptr && itsView->IsEnabled() && itsView->IsVisible() ? 1 : 0;
}

void FRM_CTabStop::Activate()
{
    if (itsView == nullptr)
        return;
    itsView->Activate();
    // A field reached by navigation is ready to be typed over.
    constexpr int kWholeText = 32767;
    if (auto* edit = FrmCast<FRM_NEditControl>(itsView))
        edit->SetTextSelection(0, kWholeText);
    else if (auto* listEdit = FrmCast<FRM_NListEdit>(itsView))
        listEdit->SetTextSelection(0, kWholeText);
    if (FRM_CSubview* enclosure = itsView->GetEnclosure())
        enclosure->SetKeyFocus(itsView);
    itsView->Invalidate(itsView->GetLocalFrame()); // redraw with or without the focus
}

void FRM_CTabStop::Deactivate()
{
    if (itsView == nullptr)
        return;
    itsView->DoDeactivate();
    if (FRM_CSubview* enclosure = itsView->GetEnclosure())
        enclosure->SetKeyFocus(nullptr);
    itsView->Invalidate(itsView->GetLocalFrame());
}

// A hot key works the control as a click would (a button sends its command, a check box
// toggles); views that are not native controls have nothing to do.
void FRM_CTabStop::DoHit(const s_ctlinfo& info)
{
    if (auto* native = FrmCast<FRM_CNativeView>(itsView))
        native->DoHit(info);
}

void FRM_CTabStop::DoHit()
{
    s_ctlinfo info{};
    DoHit(info);
}

void FRM_CTabStop::AddHotKey(const FRM_CKey& key) { itsHotKeys.push_back(key); }

short FRM_CTabStop::HasHotKey(const FRM_CKey& key) const
{
    for (const FRM_CKey& hotKey : itsHotKeys)
        if (hotKey == key)
            return 1;
    return 0;
}

bool FRM_CTabStop::GetTitleHotKey(FRM_CKey& key) const
{
    if (itsView == nullptr)
        return false;
    const FRM_CStringRW title = itsView->GetTitle();
    const char* text = title.data();
    const char* tilde = std::strchr(text, '~');
    if (tilde == nullptr || tilde[1] == '\0')
        return false;
    key = FRM_CKey(static_cast<unsigned char>(tilde[1]), 0, 0, 1, 0);
    return true;
}

// ---- FRM_CNavigator ----------------------------------------------------------------------

const FRM_CCourse& FRM_CNavigator::NoMovement()
{
    static const FRM_CCourse none(0, FRM_CCourse::kReach0);
    return none;
}

FRM_CNavigator::FRM_CNavigator(FRM_CSubview* enclosure) : itsEnclosure(enclosure) {}

FRM_CNavigator::FRM_CNavigator(const FRM_CNavigator& other) { CopyFrom(other); }

// Hand-written: the old tab stops are cleared before the source's are copied in.
FRM_CNavigator& FRM_CNavigator::operator=(const FRM_CNavigator& other)
{
    if (this != &other) {
        ClearTabStops();
        CopyFrom(other);
    }
    return *this;
}

void FRM_CNavigator::CopyFrom(const FRM_CNavigator& other)
{
    for (const auto& tabStop : other.itsTabStops) {
        auto* copy = new FRM_CTabStop(*tabStop); // owned by this navigator
        AppendTabStop(copy);
        if (tabStop.get() == other.itsCurrent)
            itsCurrent = copy;
    }
    itsMovements = other.itsMovements;
    itsEnclosure = other.itsEnclosure;
    itsEndJump = other.itsEndJump;
    itsJumpInto = other.itsJumpInto;
}

FRM_CNavigator::~FRM_CNavigator()
{
    if (itIsKeptByView && itsParentTabStop != nullptr) {
        FRM_CNavigator* parent = itsParent;
        FRM_CTabStop* holder = itsParentTabStop;
        holder->ReleaseSubNavigator();
        delete parent->RemoveTabStop(holder);
    }
    if (FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG())
        g->GetNavigatorManager()->Unregister(this);
    State().fallbackManager.Unregister(this);
}

FRM_CNavigatorManager* FRM_CNavigator::Manager()
{
    if (FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG())
        return g->GetNavigatorManager();
    return &State().fallbackManager;
}

FRM_CCourse FRM_CNavigator::GetMovement(const FRM_CKey& key) const
{
    for (const auto& movement : itsMovements)
        if (movement.first.IsEqual(key, kMovementSensitivity))
            return movement.second;
    return NoMovement();
}

void FRM_CNavigator::DefineMovement(const FRM_CKey& key, const FRM_CCourse& course)
{
    itsMovements.erase(std::remove_if(itsMovements.begin(), itsMovements.end(),
                                      [&](const auto& m) {
                                          return m.first.IsEqual(key, kMovementSensitivity);
                                      }),
                       itsMovements.end());
    if (!(course == NoMovement()))
        itsMovements.emplace_back(key, course);
}

void FRM_CNavigator::InsertTabStop(std::size_t position, FRM_CTabStop* tabStop)
{
    if (tabStop == nullptr) {
        FrmError(kErrNullTabStop, kModule, kLineNullTabStop);
        return;
    }
    position = std::min(position, itsTabStops.size());
    itsTabStops.insert(itsTabStops.begin() + static_cast<std::ptrdiff_t>(position),
                       std::unique_ptr<FRM_CTabStop>(tabStop));
    if (FRM_CNavigator* sub = tabStop->GetSubNavigator()) {
        sub->itsParent = this;
        sub->itsParentTabStop = tabStop;
    }
}

FRM_CTabStop* FRM_CNavigator::RemoveTabStop(FRM_CTabStop* tabStop)
{
    for (auto it = itsTabStops.begin(); it != itsTabStops.end(); ++it) {
        if (it->get() != tabStop)
            continue;
        FRM_CTabStop* removed = it->release(); // the caller's now
        itsTabStops.erase(it);
        itsCurrent = nullptr;
        return removed;
    }
    return nullptr;
}

void FRM_CNavigator::MoveTabStop(std::size_t position, FRM_CTabStop* tabStop)
{
    FRM_CTabStop* current = itsCurrent;
    if (RemoveTabStop(tabStop) != nullptr)
        InsertTabStop(position, tabStop);
    itsCurrent = current;
}

void FRM_CNavigator::ClearTabStops()
{
    itsTabStops.clear();
    itsCurrent = nullptr;
}

void FRM_CNavigator::InsertSubNavigator(std::size_t position, FRM_CNavigator* subNavigator)
{
    InsertTabStop(position, ConstructNavTabStop(subNavigator));
}

void FRM_CNavigator::AppendSubNavigator(FRM_CNavigator* subNavigator)
{
    InsertSubNavigator(TabStopCount(), subNavigator);
}

FRM_CTabStop* FRM_CNavigator::GetTabStopAt(std::size_t position) const
{
    return position < itsTabStops.size() ? itsTabStops[position].get() : nullptr;
}

FRM_CTabStop* FRM_CNavigator::ConstructNavTabStop(FRM_CNavigator* subNavigator)
{
    return new FRM_CTabStop(subNavigator);
}

FRM_CTabStop* FRM_CNavigator::ConstructViewTabStop(FRM_CView* view)
{
    return new FRM_CTabStop(view);
}

FRM_CNavigator* FRM_CNavigator::ConstructRadioNavigator(FRM_CSubview* radioGroup)
{
    return new NRadioNavigator(radioGroup);
}

short FRM_CNavigator::TestTabStop(const FRM_CTabStop* tabStop) const
{
    if (tabStop == nullptr)
        return 0;
    if (const FRM_CNavigator* sub = tabStop->GetSubNavigator()) {
        for (const auto& inner : sub->itsTabStops)
            if (sub->TestTabStop(inner.get()))
                return 1;
        return 0;
    }
    return tabStop->CanActivate();
}

void FRM_CNavigator::AppendSubviews(FRM_CSubview* subview)
{
    const RWOrdered* subviews = subview != nullptr ? subview->GetSubviews() : nullptr;
    if (subviews == nullptr)
        return;
    bool pending = false;
    FRM_CKey pendingKey;
    for (std::size_t i = 0; i < subviews->entries(); ++i) {
        auto* view = static_cast<FRM_CView*>((*subviews)[i]);
        if (view->GetRunTimeTypeInfo()->CanCast(&frm_type::CRadioGroup)) {
            auto* group = static_cast<FRM_CSubview*>(view);
            FRM_CNavigator* radio = ConstructRadioNavigator(group);
            AppendTabStop(ConstructNavTabStop(radio));
            pending = false; // a group takes no label's hot key
            continue;
        }
        std::unique_ptr<FRM_CTabStop> tabStop(ConstructViewTabStop(view));
        if (!pending)
            pending = tabStop->GetTitleHotKey(pendingKey);
        // A label keeps its hot key for the next focusable view. A control disabled or
        // hidden now is one all the same: Tab passes over it only while it cannot take the
        // keys, and reaches it once it can.
        if (!view->ClassCanGetKeyFocus())
            continue;
        if (pending) {
            tabStop->AddHotKey(pendingKey);
            pending = false;
        }
        AppendTabStop(tabStop.release());
    }
}

FRM_CTabStop* FRM_CNavigator::FindTabStopHavingView(const FRM_CView* view) const
{
    for (const auto& tabStop : itsTabStops) {
        if (tabStop->GetView() == view)
            return tabStop.get();
        if (const FRM_CNavigator* sub = tabStop->GetSubNavigator())
            if (FRM_CTabStop* inner = sub->FindTabStopHavingView(view))
                return inner;
    }
    return nullptr;
}

void FRM_CNavigator::ForgetView(const FRM_CView* view)
{
    for (auto it = itsTabStops.begin(); it != itsTabStops.end();) {
        FRM_CTabStop* tabStop = it->get();
        FRM_CNavigator* sub = tabStop->GetSubNavigator();
        if (tabStop->GetView() == view || (sub != nullptr && sub->GetEnclosure() == view)) {
            if (itsCurrent == tabStop)
                itsCurrent = nullptr;
            it = itsTabStops.erase(it);
            continue;
        }
        if (sub != nullptr)
            sub->ForgetView(view);
        ++it;
    }
}

void FRM_CNavigator::AddHotKeyToView(FRM_CView* view, const FRM_CKey& key)
{
    if (FRM_CTabStop* tabStop = FindTabStopHavingView(view))
        tabStop->AddHotKey(key);
}

FRM_CTabStop* FRM_CNavigator::FindTabStop(WINDOW focused)
{
    if (focused == nullptr)
        return nullptr;
    const WINDOW shared = itsEnclosure != nullptr ? itsEnclosure->GetVKOWindow() : nullptr;
    for (const auto& tabStop : itsTabStops) {
        const FRM_CView* view = tabStop->GetView();
        // Only a view with a toolkit window of its own can be the focused object.
        if (view != nullptr && view->GetVKOWindow() == focused && focused != shared)
            return tabStop.get();
        if (FRM_CNavigator* sub = tabStop->GetSubNavigator())
            if (FRM_CTabStop* inner = sub->FindTabStop(focused))
                return inner;
    }
    return nullptr;
}

FRM_CTabStop* FRM_CNavigator::CurrentTabStopSearch()
{
    const WINDOW focused = vko_scr_get_focus_vobj();
    FRM_CTabStop* found = nullptr;
    TraverseCurrentTabStops([&](FRM_CTabStop* tabStop) {
        const FRM_CView* view = tabStop->GetView();
        if (found == nullptr && view != nullptr && focused != nullptr &&
            view->GetVKOWindow() == focused &&
            (itsEnclosure == nullptr || focused != itsEnclosure->GetVKOWindow()))
            found = tabStop;
    });
    if (found == nullptr)
        found = FindTabStop(focused);
    if (found == nullptr && itsEnclosure != nullptr) {
        FRM_CView* deep = itsEnclosure->FindDeepKeyFocus();
        if (deep != nullptr && !deep->GetRunTimeTypeInfo()->CanCast(&frm_type::NGroupBox))
            found = FindTabStopHavingView(deep);
    }
    if (found == nullptr) {
        for (const auto& tabStop : itsTabStops) {
            if (tabStop->IsActive()) {
                found = tabStop.get();
                break;
            }
        }
    }
    return found;
}

FRM_CTabStop* FRM_CNavigator::HotKeyTabStopSearch(const FRM_CKey& key)
{
    for (const auto& tabStop : itsTabStops) {
        if (tabStop->HasHotKey(key) && TestTabStop(tabStop.get()))
            return tabStop.get();
        if (FRM_CNavigator* sub = tabStop->GetSubNavigator())
            if (FRM_CTabStop* inner = sub->HotKeyTabStopSearch(key))
                return inner;
    }
    return nullptr;
}

void FRM_CNavigator::DeactivateTabStop(FRM_CTabStop* tabStop)
{
    if (tabStop != nullptr)
        tabStop->Deactivate();
}

void FRM_CNavigator::ActivateTabStop(FRM_CTabStop* tabStop)
{
    if (tabStop != nullptr)
        tabStop->Activate();
}

FRM_CTabStop* FRM_CNavigator::Step(const FRM_CCourse& course, FRM_CTabStop* current)
{
    const auto count = static_cast<std::ptrdiff_t>(itsTabStops.size());
    std::ptrdiff_t at = -1;
    for (std::ptrdiff_t i = 0; i < count; ++i)
        if (itsTabStops[static_cast<std::size_t>(i)].get() == current)
            at = i;
    const std::ptrdiff_t step = IsBackward(course) ? -1 : 1;
    if (at < 0)
        at = step > 0 ? -1 : count;
    for (std::ptrdiff_t i = at + step; i >= 0 && i < count; i += step)
        if (TestTabStop(itsTabStops[static_cast<std::size_t>(i)].get()))
            return itsTabStops[static_cast<std::size_t>(i)].get();
    return nullptr;
}

FRM_CTabStop* FRM_CNavigator::Jump(const FRM_CCourse& course)
{
    if (IsBackward(course)) {
        for (const auto& tabStop : itsTabStops)
            if (TestTabStop(tabStop.get()))
                return tabStop.get();
        return nullptr;
    }
    for (auto it = itsTabStops.rbegin(); it != itsTabStops.rend(); ++it)
        if (TestTabStop(it->get()))
            return it->get();
    return nullptr;
}

FRM_CTabStop* FRM_CNavigator::PickTabStop()
{
    if (itsCurrent != nullptr && TestTabStop(itsCurrent))
        return itsCurrent;
    for (const auto& tabStop : itsTabStops)
        if (TestTabStop(tabStop.get()))
            return tabStop.get();
    return nullptr;
}

bool FRM_CNavigator::Navigate(const FRM_CCourse& course, const FRM_CKey& key,
                              FRM_CTabStop* current, FRM_CNavigator*& foundNavigator,
                              FRM_CTabStop*& foundTabStop)
{
    foundNavigator = nullptr;
    foundTabStop = nullptr;
    FRM_CTabStop* found = nullptr;
    switch (course.GetReach()) {
    case FRM_CCourse::kReach0:
        if (itsParent == nullptr)
            return false;
        return itsParent->Navigate(itsParent->GetMovement(key), key, itsParentTabStop,
                                   foundNavigator, foundTabStop);
    case FRM_CCourse::kReach1:
        found = Step(course, current);
        if (found == nullptr) {
            if (itsEndJump == kEndStay) {
                found = current;
            } else if (itsEndJump == kEndToParent && itsParent != nullptr) {
                return itsParent->Navigate(course, key, itsParentTabStop, foundNavigator,
                                           foundTabStop);
            } else {
                found = Step(course, nullptr); // wrap around
            }
        }
        break;
    case FRM_CCourse::kReach2:
        found = current == nullptr && itsJumpInto == 0 ? PickTabStop() : Jump(course);
        break;
    }
    if (found == nullptr)
        return false;
    itsCurrent = found;
    if (FRM_CNavigator* sub = found->GetSubNavigator())
        return sub->Navigate(course.BorderRollOver(), key, nullptr, foundNavigator, foundTabStop);
    if (found->GetView() == nullptr)
        return false;
    foundNavigator = this;
    foundTabStop = found;
    return true;
}

// The navigator whose list holds the tab stop, searched from this one down.
namespace {
FRM_CNavigator* OwnerOf(FRM_CNavigator* navigator, const FRM_CTabStop* tabStop)
{
    for (std::size_t i = 0; i < navigator->TabStopCount(); ++i) {
        FRM_CTabStop* candidate = navigator->GetTabStopAt(i);
        if (candidate == tabStop)
            return navigator;
        if (FRM_CNavigator* sub = candidate->GetSubNavigator())
            if (FRM_CNavigator* owner = OwnerOf(sub, tabStop))
                return owner;
    }
    return nullptr;
}

// The tab stops of a navigator and of those nested in it.
std::size_t CountTabStops(const FRM_CNavigator* navigator)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < navigator->TabStopCount(); ++i) {
        ++count;
        if (const FRM_CNavigator* sub = navigator->GetTabStopAt(i)->GetSubNavigator())
            count += CountTabStops(sub);
    }
    return count;
}
} // namespace

short FRM_CNavigator::DoKey(const FRM_CKey& key)
{
    FRM_CTabStop* current = CurrentTabStopSearch();
    if (current == nullptr)
        return 0;
    // A view may stand in two tab stops (a notebook's tab strip in its own navigator and in
    // the window's): a move that lands on the same view goes on from there, so the key never
    // sticks between the two.
    FRM_CTabStop* from = current;
    for (std::size_t moves = 0; moves <= CountTabStops(this); ++moves) {
        FRM_CNavigator* owner = OwnerOf(this, from);
        if (owner == nullptr)
            owner = this;
        FRM_CNavigator* foundNavigator = nullptr;
        FRM_CTabStop* found = nullptr;
        if (!owner->Navigate(owner->GetMovement(key), key, from, foundNavigator, found) ||
            found == from)
            break;
        if (found->GetView() != current->GetView()) {
            DeactivateTabStop(current);
            ActivateTabStop(found);
            vko_app_process_pending_events();
            return 1;
        }
        from = found;
    }
    FRM_CTabStop* hot = HotKeyTabStopSearch(key);
    if (hot != nullptr && hot->GetView() != current->GetView()) {
        DeactivateTabStop(current);
        ActivateTabStop(hot);
        hot->DoHit();
        vko_app_process_pending_events();
        return 1;
    }
    return 0;
}

bool FRM_CNavigator::MoveFocusOnFrom(const FRM_CView* view)
{
    FRM_CTabStop* current = FindTabStopHavingView(view);
    if (current == nullptr)
        return false;
    FRM_CNavigator* owner = OwnerOf(this, current);
    if (owner == nullptr)
        owner = this;
    FRM_CNavigator* foundNavigator = nullptr;
    FRM_CTabStop* found = nullptr;
    if (!owner->Navigate(FRM_CCourse(0, FRM_CCourse::kReach1), FRM_CKey(), current, foundNavigator,
                         found) ||
        found->GetView() == view)
        return false;
    DeactivateTabStop(current);
    ActivateTabStop(found);
    return true;
}

short FRM_CNavigator::DoKey(std::uint16_t character, short isVirtual, std::uint32_t modifiers)
{
    s_char record{};
    record.ch = character;
    record.virt = isVirtual;
    record.modifiers = modifiers;
    record.shift = (modifiers & FRM_CKey::kShift) != 0 ? 1 : 0;
    record.control = (modifiers & FRM_CKey::kControl) != 0 ? 1 : 0;
    return DoKey(FRM_CKey(record));
}

void FRM_CNavigator::InitFocus()
{
    FRM_CTabStop* current = CurrentTabStopSearch();
    if (current != nullptr)
        DeactivateTabStop(current);
    FRM_CNavigator* foundNavigator = nullptr;
    FRM_CTabStop* found = nullptr;
    if (Navigate(FRM_CCourse(180, FRM_CCourse::kReach2), FRM_CKey(), nullptr, foundNavigator,
                 found))
        ActivateTabStop(found);
}

// ---- Radio navigators --------------------------------------------------------------------

CRadioNavigator::CRadioNavigator(FRM_CSubview* radioGroup) : FRM_CNavigator(radioGroup)
{
    DefineMovement(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_UP), FRM_CCourse(90, FRM_CCourse::kReach1));
    DefineMovement(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_DOWN),
                   FRM_CCourse(270, FRM_CCourse::kReach1));
    DefineMovement(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_RIGHT),
                   FRM_CCourse(0, FRM_CCourse::kReach1));
    DefineMovement(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_LEFT),
                   FRM_CCourse(180, FRM_CCourse::kReach1));
    DefineMovement(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_TEXT_START),
                   FRM_CCourse(180, FRM_CCourse::kReach2));
    DefineMovement(FRM_CKey(FRM_CKey::kVirtual, VKO_KEY_TEXT_END),
                   FRM_CCourse(0, FRM_CCourse::kReach2));
    SetEndJump(kEndWrap);
    SetJumpInto(0);
    AppendSubviews(radioGroup); // one tab stop per radio button
}

FRM_CTabStop* NRadioNavigator::PickTabStop()
{
    // The group's selected button is entered first, else the one that holds its focus.
    if (FRM_CSubview* group = GetEnclosure()) {
        FRM_CView* entered = group->GetKeyFocus();
        if (const auto* radio = FrmCast<FRM_CRadioGroup>(group))
            if (radio->GetSelectedButton() != -1)
                entered = group->FindSubview(radio->GetSelectedButton());
        if (FRM_CTabStop* found = FindTabStopHavingView(entered))
            if (TestTabStop(found))
                return found;
    }
    return FRM_CNavigator::PickTabStop();
}

void NRadioNavigator::ActivateTabStop(FRM_CTabStop* tabStop)
{
    FRM_CView* view = tabStop != nullptr ? tabStop->GetView() : nullptr;
    auto* group = FrmCast<FRM_CRadioGroup>(GetEnclosure());
    if (view != nullptr && group != nullptr)
        group->SetSelectedButton(view->GetId());
    FRM_CNavigator::ActivateTabStop(tabStop);
    if (view != nullptr && group != nullptr)
        view->DoCommand(view->GetCommand(), view);
}

// ---- FRM_CNavigatorManager ---------------------------------------------------------------

void FRM_CNavigatorManager::Register(FRM_CNavigator* navigator)
{
    if (navigator == nullptr || navigator->GetEnclosure() == nullptr)
        return;
    const WINDOW window = navigator->GetEnclosure()->GetVKOWindow();
    if (itsByWindow.empty())
        itsDefault = navigator;
    itsByWindow[window] = navigator;
    itsByNavigator[navigator] = window;
}

void FRM_CNavigatorManager::Unregister(FRM_CNavigator* navigator)
{
    auto it = itsByNavigator.find(navigator);
    if (it != itsByNavigator.end()) {
        auto byWindow = itsByWindow.find(it->second);
        if (byWindow != itsByWindow.end() && byWindow->second == navigator)
            itsByWindow.erase(byWindow);
        itsByNavigator.erase(it);
    }
    if (itsDefault == navigator)
        itsDefault = itsByWindow.empty() ? nullptr : itsByWindow.begin()->second;
}

void FRM_CNavigatorManager::ForgetView(const FRM_CView* view)
{
    // A navigator may go with the tab stops it stood in: walk a copy of the list.
    std::vector<FRM_CNavigator*> navigators;
    for (const auto& entry : itsByNavigator)
        navigators.push_back(entry.first);
    for (FRM_CNavigator* navigator : navigators)
        if (itsByNavigator.count(navigator) != 0)
            navigator->ForgetView(view);
}

FRM_CNavigator* FRM_CNavigatorManager::Lookup(WINDOW window) const
{
    auto it = itsByWindow.find(window);
    return it != itsByWindow.end() ? it->second : nullptr;
}

short FRM_CNavigatorManager::Offer(FRM_CNavigator* navigator, const FRM_CKey& key)
{
    itIsBusy = 1;
    const short used = navigator->DoKey(key);
    itIsBusy = 0;
    return used;
}

short FRM_CNavigatorManager::DoKey(const FRM_CKey& key)
{
    if (itIsBusy)
        return 0;
    // The navigator nearest the focused object: its own, or that of the window holding it
    // (a control on a notebook page finds its page's); then the focused top window's, then
    // the default one.
    const WINDOW topWindow = vko_scr_get_focus_topwin();
    FRM_CNavigator* nearest = nullptr;
    for (WINDOW window = vko_scr_get_focus_vobj();
         window != nullptr && window != topWindow && nearest == nullptr;
         window = vko_vobj_get_parent(window))
        nearest = Lookup(window);
    if (nearest != nullptr && Offer(nearest, key))
        return 1;
    FRM_CNavigator* top = Lookup(topWindow);
    if (top != nullptr && top != nearest && Offer(top, key))
        return 1;
    return itsDefault != nullptr ? Offer(itsDefault, key) : 0;
}
