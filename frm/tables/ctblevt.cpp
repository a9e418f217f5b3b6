// ctblevt.cpp: the table event's constructors, one per form of its data.
#include "frm/tables/ctblevt.h"

#include "frm/core/ctypeinfo.h"

FRM_CTableEvent::FRM_CTableEvent(FRM_CTable* theTable, Type theType, short isNotification)
    : itsType(theType), itsTable(theTable), itsNotificationEvent(isNotification)
{
}

FRM_CTableEvent::FRM_CTableEvent(FRM_CTable* theTable, Type theType, std::int32_t theFirst,
                                 std::int32_t theCount, short isNotification)
    : FRM_CTableEvent(theTable, theType, isNotification)
{
    itsData.itsDeleteInsert = {theFirst, theCount};
}

FRM_CTableEvent::FRM_CTableEvent(FRM_CTable* theTable, Type theType, std::int32_t theRowColumn,
                                 float theSize, short isNotification)
    : FRM_CTableEvent(theTable, theType, isNotification)
{
    itsData.itsSizeEvent = {theRowColumn, theSize};
}

FRM_CTableEvent::FRM_CTableEvent(FRM_CTable* theTable, Type theType, const FRM_CCell* theCell,
                                 short isNotification)
    : FRM_CTableEvent(theTable, theType, isNotification)
{
    itsData.itsCellEvent = {theCell};
}

FRM_CTableEvent::FRM_CTableEvent(FRM_CTable* theTable, Type theType, const FRM_CCell* theCell,
                                 const FRM_CKey* theKey, short isNotification)
    : FRM_CTableEvent(theTable, theType, isNotification)
{
    itsData.itsKeyEvent = {theCell, theKey};
}

FRM_CTableEvent::FRM_CTableEvent(FRM_CTable* theTable, Type theType, const FRM_CRegion* theRegion,
                                 short isSelect, short isNotification)
    : FRM_CTableEvent(theTable, theType, isNotification)
{
    itsData.itsSelectEvent = {isSelect, theRegion};
}

FRM_CTableEvent FRM_CTableEvent::AsNotification() const
{
    FRM_CTableEvent notification(*this);
    notification.itsPermitted = 1;
    notification.itsNotificationEvent = 1;
    return notification;
}

const FRM_CTypeInfo* FRM_CTableEvent::GetRunTimeTypeInfo() const
{
    return &frm_type::CTableEvent;
}

const FRM_CTypeInfo* FRM_CTableEvent::GetStaticTypeInfo()
{
    return &frm_type::CTableEvent;
}
