// ctblevt.h: FRM_CTableEvent, the record a table sends up the boss chain (as the data of the
// table-event command) before a change, to ask permission, and after it, to tell. Any handler
// on the way may deny a permission request; denying a notification changes nothing. The
// pointers inside belong to the sender and live only while the event is delivered.
#pragma once

#include <cstdint>

#include "frm/core/cboss.h"

class FRM_CCell;
class FRM_CKey;
class FRM_CRegion;
class FRM_CTable;
class FRM_CTypeInfo;

class FRM_CTableEvent {
public:
    // The command that carries table events, with the event's address as its data.
    static constexpr long kTableEventCommand = 20007;

    enum Type : std::int32_t {
        DeleteRow = 0,
        DeleteColumn = 1,
        InsertRow = 2,
        InsertColumn = 3,
        SizeRow = 4,
        SizeColumn = 5,
        FocusOut = 6,
        FocusIn = 7,
        Select = 8,
        Key = 9,
        Origin = 10,
    };

    struct DeleteInsertEvent {
        std::int32_t itsFirst;
        std::int32_t itsCount;
    };
    struct SizeEvent {
        std::int32_t itsRowColumn;
        float itsSize;
    };
    struct CellEvent {
        const FRM_CCell* itsCell;
    };
    struct SelectEvent {
        short itsSelect;
        const FRM_CRegion* itsProposedRegion;
    };
    struct KeyEvent {
        const FRM_CCell* itsCell;
        const FRM_CKey* itsKey;
    };
    union Data {
        DeleteInsertEvent itsDeleteInsert;
        SizeEvent itsSizeEvent;
        CellEvent itsCellEvent;
        SelectEvent itsSelectEvent;
        KeyEvent itsKeyEvent;
    };

    FRM_CTableEvent(FRM_CTable* theTable, Type theType, short isNotification);
    FRM_CTableEvent(FRM_CTable* theTable, Type theType, std::int32_t theFirst,
                    std::int32_t theCount, short isNotification);
    FRM_CTableEvent(FRM_CTable* theTable, Type theType, std::int32_t theRowColumn, float theSize,
                    short isNotification);
    FRM_CTableEvent(FRM_CTable* theTable, Type theType, const FRM_CCell* theCell,
                    short isNotification);
    FRM_CTableEvent(FRM_CTable* theTable, Type theType, const FRM_CCell* theCell,
                    const FRM_CKey* theKey, short isNotification);
    FRM_CTableEvent(FRM_CTable* theTable, Type theType, const FRM_CRegion* theRegion,
                    short isSelect, short isNotification);
    FRM_CTableEvent(const FRM_CTableEvent&) = default;
    FRM_CTableEvent& operator=(const FRM_CTableEvent&) = default;
    virtual ~FRM_CTableEvent() = default;
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

    FRM_CTable* GetTable() const { return itsTable; }
    Type GetType() const { return itsType; }
    short IsPermissionEvent() const { return itsNotificationEvent == 0 ? 1 : 0; }
    void Deny() { itsPermitted = 0; }
    short IsDenied() const { return itsPermitted == 0 ? 1 : 0; }

    // The union data; only the form of the event's type is meaningful.
    const DeleteInsertEvent& GetDeleteInsert() const { return itsData.itsDeleteInsert; }
    const SizeEvent& GetSize() const { return itsData.itsSizeEvent; }
    const CellEvent& GetCell() const { return itsData.itsCellEvent; }
    const SelectEvent& GetSelect() const { return itsData.itsSelectEvent; }
    const KeyEvent& GetKey() const { return itsData.itsKeyEvent; }

    // The same event as a notification sent after the change.
    FRM_CTableEvent AsNotification() const;

private:
    Data itsData{};
    Type itsType;
    FRM_CTable* itsTable;
    short itsPermitted = 1;
    short itsNotificationEvent;
};

// Which table events a table sends (its event style).
enum FRM_CTableEventStyle : std::int32_t {
    EventNone = 0,
    EventPermission = 1,
    EventNotify = 2,
    EventBoth = 3,
};

// Sends the permission request (when the style asks for one) to theSender's DoCommand; when
// nobody denied it, makes the change and then sends the notification (when the style asks for
// one). theEvent is built as a permission request. Answers 1 when the change was made.
template <class Change>
short FrmDeliverTableChange(FRM_CBoss& theSender, std::int32_t theStyle, FRM_CTableEvent theEvent,
                            Change&& theChange)
{
    if (theStyle & EventPermission) {
        theSender.DoCommand(FRM_CTableEvent::kTableEventCommand, &theEvent);
        if (theEvent.IsDenied())
            return 0;
    }
    theChange();
    if (theStyle & EventNotify) {
        FRM_CTableEvent notification = theEvent.AsNotification();
        theSender.DoCommand(FRM_CTableEvent::kTableEventCommand, &notification);
    }
    return 1;
}
