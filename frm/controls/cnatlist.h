// cnatlist.h: the native lists. FRM_CNativeList keeps the items of a toolkit list control as
// strings and FRM_CNativeSelectList adds the selection; FRM_NListBox and FRM_NListButton are
// the list box and the drop-down list button. The items live in the control; these classes
// forward to the toolkit's list calls and tell the bound value what changed.
#pragma once

#include "frm/views/cnativvw.h"
#include "frm/controls/cvalidtr.h"
#include "frm/core/cstringrw.h"

class FRM_CTdiValue;

class FRM_CNativeList : public FRM_CNativeView, public FRM_CValidatorInterface {
    FRM_TYPE_INFO(CNativeList)
public:
    // The longest item text handed out.
    static constexpr int kMaxItemLength = 510;

    // A copy has a control of its own with the source's items and validator.
    FRM_CNativeList(const FRM_CNativeList& other);
    FRM_CNativeList& operator=(const FRM_CNativeList& other);
    ~FRM_CNativeList() override;

    virtual short Insert(const FRM_CStringRW& theItem, int thePosition);
    // -1 appends.
    virtual short Insert(const FRM_CStringCollection& theItems, int thePosition);
    virtual short Remove(int theIndex);
    virtual short Clear();
    virtual FRM_CStringCollection GetAllItems() const;
    // At most kMaxItemLength characters, whatever length is asked.
    virtual FRM_CStringRW GetItem(int theIndex, int theMaxLength) const;
    virtual int GetNumItems() const;
    // Installs the list formatter with the address of the member validator.
    void SetValidator(const FRM_CValidator& theValidator) override;

    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void DoCommand(long theCommand, void* theData) override;
    short ClassCanGetKeyFocus() const override { return 1; }

protected:
    FRM_CNativeList(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame, e_win_type theType,
                    const FRM_CStringCollection& theItems, const FRM_CStringRW& theTitle,
                    long theAttributes);
    explicit FRM_CNativeList(FRM_CSubview* theEnclosure) : FRM_CNativeView(theEnclosure) {}

    void Suspend();
    void Resume();
    // The items to the bound value, as a list of texts under theId.
    void TdiNotifyItems(long theId, const FRM_CStringCollection& theItems);
    // Inserts every element of the value at the end.
    void InsertValues(FRM_CTdiValue* theValue);
};

class FRM_CNativeSelectList : public FRM_CNativeList {
    FRM_TYPE_INFO(CNativeSelectList)
public:
    virtual int GetNumSelectedItems() const;
    virtual FRM_CStringCollection GetSelectedItems() const;
    virtual FRM_CStringRW GetFirstSelectedItem(int theMaxLength) const;
    virtual int GetSelectPosition() const;
    virtual short IsItSelected(int theIndex) const;
    // The last equal item not yet selected; 0 when there is none.
    virtual short SelectItem(const FRM_CStringRW& theItem);
    virtual short SelectItem(int theIndex);
    virtual short DeselectItem(const FRM_CStringRW& theItem);
    virtual short DeselectItem(int theIndex);
    virtual short SelectAll();
    virtual short DeselectAll();

    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;
    void DoCommand(long theCommand, void* theData) override;

protected:
    using FRM_CNativeList::FRM_CNativeList;
    void TdiNotifySelections();

private:
    // Selects an element of a value: a position for an integer value, else a text.
    short SelectElement(const FRM_CTdiValue& theValue);
    // Whether the element is a position in range or the text of an item.
    bool NamesItem(const FRM_CTdiValue& theValue) const;
};

class FRM_NListBox : public FRM_CNativeSelectList {
    FRM_TYPE_INFO(NListBox)
public:
    FRM_NListBox(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                 const FRM_CStringCollection& theItems, long theAttributes);
    FRM_NListBox(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    short IListBox(const FRM_CStringCollection& theItems);
    // A click sends the command, a double click the double command.
    void DoHit(const s_ctlinfo& theInfo) override;
};

class FRM_NListButton : public FRM_CNativeSelectList {
    FRM_TYPE_INFO(NListButton)
public:
    FRM_NListButton(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame,
                    const FRM_CStringCollection& theItems, int theSelection, long theAttributes);
    FRM_NListButton(FRM_CSubview* theEnclosure, long theContainerId, long theResourceId);
    short IListButton(const FRM_CStringCollection& theItems, int theSelection);
    void DoHit(const s_ctlinfo& theInfo) override;
    // The closed button's height.
    FRM_CRect GetVisibleFrame() const override;
};
