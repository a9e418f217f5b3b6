// cnatlist.cpp: native lists, selection, and the list box and list button.
#include "frm/controls/cnatlist.h"

#include <vector>

#include "frm/core/ccmdnums.h"
#include "frm/core/ctdicntr.h"
#include "frm/core/ctdivalue.h"
#include "frm/core/cunits.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr long kTagNext = 20104;
constexpr long kTagPrevious = 20105;
constexpr long kTagFirst = 20106;
constexpr long kTagLast = 20107;
constexpr std::int32_t kAttrListButtonHeight = 202;

// A list the toolkit handed out, as a collection; the list itself is freed.
FRM_CStringCollection Collect(SLIST theList)
{
    FRM_CStringCollection items(theList);
    if (theList != nullptr)
        vko_slist_destroy(theList);
    return items;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Items

FRM_CNativeList::FRM_CNativeList(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                 e_win_type theType, const FRM_CStringCollection& theItems,
                                 const FRM_CStringRW& theTitle, long theAttributes)
    : FRM_CNativeView(theEnclosure, theFrame, theType, static_cast<std::int32_t>(theAttributes),
                      FRM_CStringRW())
{
    SetTitle(theTitle);
    Insert(theItems, -1);
}

FRM_CNativeList::FRM_CNativeList(const FRM_CNativeList& other)
    : FRM_CNativeView(other), FRM_CValidatorInterface(other)
{
    SetValidator(other.itsValidator);
    Insert(other.GetAllItems(), -1);
}

// Hand-written: the control is made anew and given the source's items and validator.
FRM_CNativeList& FRM_CNativeList::operator=(const FRM_CNativeList& other)
{
    if (this == &other)
        return *this;
    FRM_CNativeView::operator=(other);
    SetValidator(other.itsValidator);
    Insert(other.GetAllItems(), -1);
    return *this;
}

FRM_CNativeList::~FRM_CNativeList()
{
    if (itsVKOWindow != nullptr && vko_vobj_is_valid(itsVKOWindow))
        vko_vobj_set_formatter(itsVKOWindow, 0, 0);
    itsValidator = FRM_CValidator();
}

short FRM_CNativeList::Insert(const FRM_CStringRW& theItem, int thePosition)
{
    const short done = vko_list_add(itsVKOWindow, thePosition, theItem.data()) ? 1 : 0;
    if (done && GetPrimaryController() != nullptr)
        TdiNotifyItems(kTagItemsReplaced, GetAllItems());
    return done;
}

short FRM_CNativeList::Insert(const FRM_CStringCollection& theItems, int thePosition)
{
    SLIST list = theItems;
    short done = 1;
    int at = thePosition;
    for (SLIST_ELT element = list != nullptr ? vko_slist_get_first(list) : nullptr;
         element != nullptr; element = vko_slist_get_next(list, element)) {
        done = vko_list_add(itsVKOWindow, at, vko_slist_get(list, element, nullptr)) ? done : 0;
        if (at >= 0)
            ++at;
    }
    if (GetPrimaryController() != nullptr)
        TdiNotifyItems(kTagItemsAppended, theItems);
    return done;
}

short FRM_CNativeList::Remove(int theIndex)
{
    const short done = vko_list_rem(itsVKOWindow, theIndex) ? 1 : 0;
    if (done && GetPrimaryController() != nullptr)
        TdiNotifyItems(kTagItemsReplaced, GetAllItems());
    return done;
}

short FRM_CNativeList::Clear()
{
    Suspend();
    const short done = vko_list_clear(itsVKOWindow) ? 1 : 0;
    Resume();
    TdiNotify(kTagItemsCleared, "");
    return done;
}

FRM_CStringCollection FRM_CNativeList::GetAllItems() const
{
    return Collect(vko_list_get_all(itsVKOWindow));
}

FRM_CStringRW FRM_CNativeList::GetItem(int theIndex, int theMaxLength) const
{
    std::vector<char> buffer(kMaxItemLength + 1, '\0');
    const int length = theMaxLength > kMaxItemLength - 1 ? kMaxItemLength : theMaxLength;
    vko_list_get_elt(itsVKOWindow, theIndex, buffer.data(), length + 1);
    return FRM_CStringRW(buffer.data());
}

int FRM_CNativeList::GetNumItems() const
{
    return vko_list_count_all(itsVKOWindow);
}

void FRM_CNativeList::Suspend()
{
    vko_list_suspend(itsVKOWindow);
}

void FRM_CNativeList::Resume()
{
    vko_list_resume(itsVKOWindow);
}

void FRM_CNativeList::SetValidator(const FRM_CValidator& theValidator)
{
    itsValidator = theValidator;
    if (itsVKOWindow != nullptr)
        vko_vobj_set_formatter(
            itsVKOWindow,
            itsValidator.IsValid() ? reinterpret_cast<intptr_t>(&FRM_CValidator::FormatList) : 0,
            itsValidator.IsValid() ? reinterpret_cast<intptr_t>(&itsValidator) : 0);
}

void FRM_CNativeList::TdiNotifyItems(long theId, const FRM_CStringCollection& theItems)
{
    if (GetPrimaryController() == nullptr)
        return;
    auto* list = new FRM_CTdiListValue(this, theId);
    SLIST items = theItems;
    for (SLIST_ELT element = items != nullptr ? vko_slist_get_first(items) : nullptr;
         element != nullptr; element = vko_slist_get_next(items, element))
        list->Append(new FRM_CTdiStringValue(FRM_CStringRW(vko_slist_get(items, element, nullptr)),
                                             this, kNoCommand));
    TdiNotify(theId, list);
}

void FRM_CNativeList::InsertValues(FRM_CTdiValue* theValue)
{
    theValue->Reset();
    while (theValue->Next())
        vko_list_add(itsVKOWindow, -1, theValue->ToString().data());
}

void FRM_CNativeList::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    auto* value = const_cast<FRM_CTdiValue*>(FrmCast<const FRM_CTdiValue>(model));
    if (controllerId == 0) {
        switch (command) {
        case kTagItemsCleared:
            Clear();
            return;
        case kTagItemsReplaced:
        case kTagItemsAppended:
            if (value != nullptr) {
                Suspend();
                if (command == kTagItemsReplaced)
                    vko_list_clear(itsVKOWindow);
                InsertValues(value);
                Resume();
            }
            return;
        default:
            break;
        }
    }
    FRM_CNativeView::DoUpdateModel(controllerId, command, model);
}

void FRM_CNativeList::DoCommand(long theCommand, void* theData)
{
    if (theCommand == kCommandReportValue && GetPrimaryController() != nullptr)
        TdiNotifyItems(kTagItemsAppended, GetAllItems());
    FRM_CNativeView::DoCommand(theCommand, theData);
}

// ---------------------------------------------------------------------------------------------
// Selection

int FRM_CNativeSelectList::GetNumSelectedItems() const
{
    return vko_list_count_sel(itsVKOWindow);
}

FRM_CStringCollection FRM_CNativeSelectList::GetSelectedItems() const
{
    return Collect(vko_list_get_sel(itsVKOWindow));
}

FRM_CStringRW FRM_CNativeSelectList::GetFirstSelectedItem(int theMaxLength) const
{
    std::vector<char> buffer(kMaxItemLength + 1, '\0');
    const int length = theMaxLength > kMaxItemLength - 1 ? kMaxItemLength : theMaxLength;
    vko_list_get_first_sel(itsVKOWindow, buffer.data(), length + 1);
    return FRM_CStringRW(buffer.data());
}

int FRM_CNativeSelectList::GetSelectPosition() const
{
    return vko_list_get_sel_index(itsVKOWindow);
}

short FRM_CNativeSelectList::IsItSelected(int theIndex) const
{
    return vko_list_is_sel(itsVKOWindow, theIndex) ? 1 : 0;
}

short FRM_CNativeSelectList::SelectItem(int theIndex)
{
    if (!vko_list_set_sel(itsVKOWindow, theIndex, TRUE))
        return 0;
    TdiNotifySelections();
    return 1;
}

short FRM_CNativeSelectList::DeselectItem(int theIndex)
{
    if (!vko_list_set_sel(itsVKOWindow, theIndex, FALSE))
        return 0;
    TdiNotifySelections();
    return 1;
}

short FRM_CNativeSelectList::SelectItem(const FRM_CStringRW& theItem)
{
    for (int i = GetNumItems() - 1; i >= 0; --i)
        if (!IsItSelected(i) && GetItem(i, kMaxItemLength) == theItem)
            return SelectItem(i);
    return 0;
}

short FRM_CNativeSelectList::DeselectItem(const FRM_CStringRW& theItem)
{
    for (int i = GetNumItems() - 1; i >= 0; --i)
        if (IsItSelected(i) && GetItem(i, kMaxItemLength) == theItem)
            return DeselectItem(i);
    return 0;
}

short FRM_CNativeSelectList::SelectAll()
{
    if (!vko_list_set_sel(itsVKOWindow, -1, TRUE))
        return 0;
    TdiNotifySelections();
    return 1;
}

short FRM_CNativeSelectList::DeselectAll()
{
    if (!vko_list_set_sel(itsVKOWindow, -1, FALSE))
        return 0;
    TdiNotify(kNoCommand, "");
    return 1;
}

void FRM_CNativeSelectList::TdiNotifySelections()
{
    if (GetPrimaryController() != nullptr)
        TdiNotifyItems(kTagValue, GetSelectedItems());
}

short FRM_CNativeSelectList::SelectElement(const FRM_CTdiValue& theValue)
{
    if (theValue.GetType() == FRM_CTdiValue::kInteger)
        return SelectItem(static_cast<int>(theValue.ToInteger()));
    return SelectItem(theValue.ToString());
}

bool FRM_CNativeSelectList::NamesItem(const FRM_CTdiValue& theValue) const
{
    const int count = GetNumItems();
    if (theValue.GetType() == FRM_CTdiValue::kInteger) {
        const long position = theValue.ToInteger();
        return position >= 0 && position < count;
    }
    const FRM_CStringRW text = theValue.ToString();
    for (int i = 0; i < count; ++i)
        if (GetItem(i, kMaxItemLength) == text)
            return true;
    return false;
}

void FRM_CNativeSelectList::DoUpdateModel(long controllerId, long command, const FRM_CModel* model)
{
    auto* value = const_cast<FRM_CTdiValue*>(FrmCast<const FRM_CTdiValue>(model));
    if (controllerId != 0) {
        FRM_CNativeList::DoUpdateModel(controllerId, command, model);
        return;
    }
    const int position = GetSelectPosition();
    const int count = GetNumItems();
    auto moveTo = [this](int thePosition) {
        DeselectAll();
        SelectItem(thePosition);
    };
    switch (command) {
    case kTagValue: {
        if (value == nullptr)
            return;
        // The first element that names an item replaces the selection, even when that item
        // is selected already; the others add to it.
        bool any = false;
        value->Reset();
        while (value->Next()) {
            if (!any) {
                if (!NamesItem(*value))
                    continue;
                Suspend();
                DeselectAll();
                any = true;
            }
            SelectElement(*value);
        }
        if (any)
            Resume();
        return;
    }
    case kNoCommand:
        DeselectAll();
        return;
    case kTagAppend:
        if (value == nullptr)
            return;
        Suspend();
        value->Reset();
        while (value->Next())
            SelectElement(*value);
        Resume();
        return;
    case kTagNext:
        if (position < count - 1)
            moveTo(position + 1);
        return;
    case kTagPrevious:
        if (position > 0)
            moveTo(position - 1);
        return;
    case kTagFirst:
        if (count > 0)
            moveTo(0);
        return;
    case kTagLast:
        if (count > 0)
            moveTo(count - 1);
        return;
    default:
        FRM_CNativeList::DoUpdateModel(controllerId, command, model);
    }
}

void FRM_CNativeSelectList::DoCommand(long theCommand, void* theData)
{
    if (theCommand == kCommandReportValue || theCommand == GetCommand() ||
        theCommand == GetDoubleCommand())
        TdiNotifySelections();
    FRM_CNativeView::DoCommand(theCommand, theData);
}

// ---------------------------------------------------------------------------------------------
// List box and list button

FRM_NListBox::FRM_NListBox(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                           const FRM_CStringCollection& theItems, long theAttributes)
    : FRM_CNativeSelectList(theEnclosure, theFrame, WC_LBOX, theItems, FRM_CStringRW(),
                            theAttributes)
{
}

FRM_NListBox::FRM_NListBox(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId)
    : FRM_CNativeSelectList(theEnclosure)
{
    SetType(WC_LBOX);
    BuildFromResource(theContainerId, theResourceId);
}

short FRM_NListBox::IListBox(const FRM_CStringCollection& theItems)
{
    const short cleared = Clear();
    const short inserted = Insert(theItems, -1);
    return cleared && inserted ? 1 : 0;
}

void FRM_NListBox::DoHit(const s_ctlinfo& theInfo)
{
    Activate();
    DoCommand(theInfo.v.lbox.dbl_click ? GetDoubleCommand() : GetCommand(), this);
}

FRM_NListButton::FRM_NListButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                                 const FRM_CStringCollection& theItems, int theSelection,
                                 long theAttributes)
    : FRM_CNativeSelectList(theEnclosure, theFrame, WC_LISTBUTTON, theItems, FRM_CStringRW(),
                            theAttributes)
{
    if (theSelection >= 0 && theSelection < GetNumItems())
        SelectItem(theSelection);
}

FRM_NListButton::FRM_NListButton(FRM_CSubview* theEnclosure, long theContainerId,
                                 long theResourceId)
    : FRM_CNativeSelectList(theEnclosure)
{
    SetType(WC_LISTBUTTON);
    BuildFromResource(theContainerId, theResourceId);
}

short FRM_NListButton::IListButton(const FRM_CStringCollection& theItems, int theSelection)
{
    const short cleared = Clear();
    const short inserted = Insert(theItems, -1);
    if (theSelection >= 0 && theSelection < GetNumItems())
        SelectItem(theSelection);
    return cleared && inserted ? 1 : 0;
}

void FRM_NListButton::DoHit(const s_ctlinfo&)
{
    Activate();
    DoCommand(GetCommand(), this);
}

FRM_CRect FRM_NListButton::GetVisibleFrame() const
{
    FRM_CRect visible = itsFrame;
    const int height = static_cast<int>(vko_vobj_get_attr(nullptr, kAttrListButtonHeight));
    const FRM_CUnits* units = GetUnits();
    visible.Height(units != nullptr ? units->VPhysicalToLogical(height)
                                    : static_cast<float>(height));
    return visible;
}
