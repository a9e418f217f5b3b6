// cnav.h: keyboard navigation. FRM_CKey is the key value; FRM_CTabStop stands for one
// focusable view or one nested navigator; FRM_CNavigator keeps the ordered tab stops of one
// subview (a window, a page, a radio group) and moves the focus by the courses its keys are
// bound to, or by hot keys taken from "~" in titles. The one FRM_CNavigatorManager maps
// toolkit windows to navigators and gets every key first; while a navigator handles a key,
// keys produced meanwhile are not navigated again. A navigator owns its tab stops, and a tab
// stop its nested navigator; neither owns views.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "frm/core/crect.h"
#include "vkobase/types.h"

class FRM_CNavigator;
class FRM_CSubview;
class FRM_CView;

class FRM_CKey {
public:
    enum VirtualTag { kVirtual };
    // Modifier bits.
    static constexpr std::uint32_t kShift = 2;
    static constexpr std::uint32_t kControl = 4;
    static constexpr std::uint32_t kAlt = 8;
    static constexpr std::uint32_t kMeta = 192;

    FRM_CKey() = default;
    explicit FRM_CKey(const s_char& record);
    FRM_CKey(std::uint16_t character, short shift, short control, short alt, short meta);
    FRM_CKey(VirtualTag, std::uint16_t code);

    std::uint16_t GetChar() const { return itsChar; }
    short IsShifted() const { return (itsModifiers & kShift) != 0 ? 1 : 0; }
    short IsCtrl() const { return (itsModifiers & kControl) != 0 ? 1 : 0; }
    short IsAlt() const { return (itsModifiers & kAlt) != 0 ? 1 : 0; }
    short IsMeta() const { return (itsModifiers & kMeta) != 0 ? 1 : 0; }
    short IsVirtualKey() const { return itsVirtual; }
    std::uint32_t GetModifiers() const { return itsModifiers; }
    // The base library's character record of the key.
    s_char GetKeyEventChar() const;

    // Equality under a 16-bit sensitivity mask: the low bits say which differences of
    // control, alt and meta still count as equal, the others for which common modifiers
    // letter case is ignored.
    bool IsEqual(const FRM_CKey& other, std::uint16_t sensitivity) const;
    bool IsCharEqualSensitive(const FRM_CKey& other) const;
    bool IsCharEqualInsensitive(const FRM_CKey& other) const;
    bool operator==(const FRM_CKey& other) const
    {
        return IsEqual(other, GetDefaultSensitivity());
    }
    bool operator!=(const FRM_CKey& other) const { return !(*this == other); }

    static std::uint16_t GetDefaultSensitivity();
    static void SetDefaultSensitivity(std::uint16_t sensitivity);

private:
    std::uint16_t itsChar = 0;
    std::int16_t itsShift = 0;
    std::int16_t itsControl = 0;
    std::int16_t itsVirtual = 0;
    std::uint32_t itsModifiers = 0;
};

class FRM_CTabStop {
public:
    explicit FRM_CTabStop(FRM_CView* view) : itsView(view) {}
    // Takes the nested navigator.
    explicit FRM_CTabStop(FRM_CNavigator* subNavigator);
    FRM_CTabStop(const FRM_CTabStop& other);
    FRM_CTabStop& operator=(const FRM_CTabStop&) = delete;
    virtual ~FRM_CTabStop();

    virtual short IsActive() const;
    virtual short CanActivate() const;
    // Gives the view the key focus and redraws it.
    virtual void Activate();
    virtual void Deactivate();
    // Presses the view (a hot key also presses a button).
    virtual void DoHit(const s_ctlinfo& info);
    virtual void DoHit();

    void AddHotKey(const FRM_CKey& key);
    short HasHotKey(const FRM_CKey& key) const;
    // The character after the first "~" of the view's title, with alt; false when none.
    bool GetTitleHotKey(FRM_CKey& key) const;

    FRM_CView* GetView() const { return itsView; }
    void SetView(FRM_CView* view) { itsView = view; }
    FRM_CNavigator* GetSubNavigator() const { return itsSubNavigator.get(); }
    // Takes the nested navigator, deleting one held before (unless a view keeps that one).
    void SetSubNavigator(FRM_CNavigator* subNavigator);
    // Gives the nested navigator back to its owner (it is not deleted with this tab stop)
    // and answers it.
    FRM_CNavigator* ReleaseSubNavigator();

private:
    FRM_CView* itsView = nullptr; // not owned
    std::unique_ptr<FRM_CNavigator> itsSubNavigator;
    std::vector<FRM_CKey> itsHotKeys;
};

class FRM_CNavigatorManager;

class FRM_CNavigator {
    friend class FRM_CTabStop;
public:
    // What happens at the end of the list: stay, wrap around, or leave to the parent (wrap
    // when there is none).
    enum EndJump : std::int32_t { kEndStay = 0, kEndWrap = 1, kEndToParent = 2 };
    static const FRM_CCourse& NoMovement();

    explicit FRM_CNavigator(FRM_CSubview* enclosure = nullptr);
    // Copies the tab stops, movements and settings (not the parent).
    FRM_CNavigator(const FRM_CNavigator& other);
    FRM_CNavigator& operator=(const FRM_CNavigator& other);
    // Leaves the navigator manager.
    virtual ~FRM_CNavigator();

    // The one navigator manager (owned by the global class library).
    static FRM_CNavigatorManager* Manager();

    virtual FRM_CCourse GetMovement(const FRM_CKey& key) const;
    virtual FRM_CTabStop* CurrentTabStopSearch();
    virtual FRM_CTabStop* HotKeyTabStopSearch(const FRM_CKey& key);
    virtual void DeactivateTabStop(FRM_CTabStop* tabStop);
    virtual void ActivateTabStop(FRM_CTabStop* tabStop);
    // Finds where the course leads from current; out: the navigator and the tab stop found.
    virtual bool Navigate(const FRM_CCourse& course, const FRM_CKey& key, FRM_CTabStop* current,
                          FRM_CNavigator*& foundNavigator, FRM_CTabStop*& foundTabStop);
    virtual FRM_CTabStop* ConstructNavTabStop(FRM_CNavigator* subNavigator);
    virtual FRM_CTabStop* ConstructViewTabStop(FRM_CView* view);
    virtual FRM_CNavigator* ConstructRadioNavigator(FRM_CSubview* radioGroup);
    virtual short TestTabStop(const FRM_CTabStop* tabStop) const;
    virtual FRM_CTabStop* FindTabStop(WINDOW focused);
    virtual FRM_CTabStop* PickTabStop();

    // Binds a key to a course; the no-movement course removes the binding.
    void DefineMovement(const FRM_CKey& key, const FRM_CCourse& course);
    // Null is fatal 6970.
    void InsertTabStop(std::size_t position, FRM_CTabStop* tabStop);
    void AppendTabStop(FRM_CTabStop* tabStop) { InsertTabStop(TabStopCount(), tabStop); }
    void MoveTabStop(std::size_t position, FRM_CTabStop* tabStop);
    // Takes the tab stop out (the caller owns it then); the current tab stop is forgotten.
    FRM_CTabStop* RemoveTabStop(FRM_CTabStop* tabStop);
    void ClearTabStops();
    void InsertSubNavigator(std::size_t position, FRM_CNavigator* subNavigator);
    void AppendSubNavigator(FRM_CNavigator* subNavigator);
    std::size_t TabStopCount() const { return itsTabStops.size(); }
    FRM_CTabStop* GetTabStopAt(std::size_t position) const;
    // A tab stop per subview in order; hot keys of labels pass to the next focusable view.
    void AppendSubviews(FRM_CSubview* subview);
    // Moves the focus to the first tab stop.
    void InitFocus();
    // Moves the focus on from the view's tab stop to the next one that can take it, as Tab
    // does; false when the view has no tab stop here or no other can take the focus.
    bool MoveFocusOnFrom(const FRM_CView* view);
    // Moves the focus for a key; answers whether the key was used.
    virtual short DoKey(const FRM_CKey& key);
    short DoKey(std::uint16_t character, short isVirtual, std::uint32_t modifiers);
    void AddHotKeyToView(FRM_CView* view, const FRM_CKey& key);
    FRM_CTabStop* FindTabStopHavingView(const FRM_CView* view) const;
    // A view that goes takes its tab stops along, and those of navigators it encloses, here
    // and in every nested navigator; a current one is forgotten.
    void ForgetView(const FRM_CView* view);
    // Calls visit on each current tab stop down the nested navigators.
    template <class Visit> void TraverseCurrentTabStops(Visit visit) const;

    FRM_CSubview* GetEnclosure() const { return itsEnclosure; }
    void SetEnclosure(FRM_CSubview* enclosure) { itsEnclosure = enclosure; }
    EndJump GetEndJump() const { return itsEndJump; }
    void SetEndJump(EndJump mode) { itsEndJump = mode; }
    short GetJumpInto() const { return itsJumpInto; }
    void SetJumpInto(short mode) { itsJumpInto = mode; }
    FRM_CNavigator* GetParent() const { return itsParent; }
    FRM_CTabStop* GetCurrentTabStop() const { return itsCurrent; }
    // A navigator that a view keeps (a window's, a notebook's) may also be nested in another
    // navigator: the tab stop holding it then never deletes it, and it takes that tab stop
    // out of the other navigator when its view deletes it.
    void SetKeptByView(bool isKept) { itIsKeptByView = isKept; }
    bool IsKeptByView() const { return itIsKeptByView; }

protected:
    void CopyFrom(const FRM_CNavigator& other);
    // The tab stop a navigation through this navigator ended in (one of its own).
    void SetCurrentTabStop(FRM_CTabStop* tabStop) { itsCurrent = tabStop; }
    // The course's step (reach 1) or jump (reach 2) in this navigator's list.
    FRM_CTabStop* Step(const FRM_CCourse& course, FRM_CTabStop* current);
    FRM_CTabStop* Jump(const FRM_CCourse& course);

private:
    std::vector<std::unique_ptr<FRM_CTabStop>> itsTabStops;
    std::vector<std::pair<FRM_CKey, FRM_CCourse>> itsMovements;
    FRM_CTabStop* itsCurrent = nullptr;          // one of itsTabStops, or null
    FRM_CNavigator* itsParent = nullptr;         // not owned
    FRM_CTabStop* itsParentTabStop = nullptr;    // the parent's tab stop holding this one
    FRM_CSubview* itsEnclosure = nullptr;        // not owned
    EndJump itsEndJump = kEndWrap;
    short itsJumpInto = 1;
    bool itIsKeptByView = false;
};

template <class Visit> void FRM_CNavigator::TraverseCurrentTabStops(Visit visit) const
{
    for (const FRM_CNavigator* navigator = this; navigator != nullptr;) {
        FRM_CTabStop* current = navigator->itsCurrent;
        if (current == nullptr)
            return;
        visit(current);
        navigator = current->GetSubNavigator();
    }
}

// The navigator of a radio group: arrows step through the buttons, Home and End jump.
class CRadioNavigator : public FRM_CNavigator {
public:
    explicit CRadioNavigator(FRM_CSubview* radioGroup);
};

// A radio navigator that enters its group at the selected button; moving onto a button
// selects it and sends its command, as a click does.
class NRadioNavigator : public CRadioNavigator {
public:
    using CRadioNavigator::CRadioNavigator;
    FRM_CTabStop* PickTabStop() override;
    void ActivateTabStop(FRM_CTabStop* tabStop) override;
};

class FRM_CNavigatorManager {
public:
    FRM_CNavigatorManager() = default;
    FRM_CNavigatorManager(const FRM_CNavigatorManager&) = delete;
    FRM_CNavigatorManager& operator=(const FRM_CNavigatorManager&) = delete;
    virtual ~FRM_CNavigatorManager() = default;

    // Maps the navigator's enclosure's toolkit window to it; the first becomes the default.
    void Register(FRM_CNavigator* navigator);
    void Unregister(FRM_CNavigator* navigator);
    FRM_CNavigator* Lookup(WINDOW window) const;
    // Every registered navigator forgets the view (see FRM_CNavigator::ForgetView).
    void ForgetView(const FRM_CView* view);
    // Offers the key to the focused object's navigator, the focused top window's, then the
    // default one; false when busy or when nobody used it.
    short DoKey(const FRM_CKey& key);
    FRM_CNavigator* GetDefault() const { return itsDefault; }
    short IsBusy() const { return itIsBusy; }

private:
    short Offer(FRM_CNavigator* navigator, const FRM_CKey& key);

    std::unordered_map<WINDOW, FRM_CNavigator*> itsByWindow;
    std::unordered_map<FRM_CNavigator*, WINDOW> itsByNavigator;
    FRM_CNavigator* itsDefault = nullptr;
    short itIsBusy = 0;
};
