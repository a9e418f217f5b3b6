// id_data.h: the ID-data records: for each owner that the window factory fills with children
// (the application, the documents, the windows, the main status bar), a small record of the
// children it uses, each bound to a factory id. The owner hands its record to the factory
// when it asks for its children; when the creation is over the record holds them (none for an
// id under which nothing was created) and the owner reaches its children through it.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "frm/runtime/cpafactr.h"

class IDDataRecord : public FRM_CDataMembers {
public:
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override { return itsType; }
    // Reads every member from the factory's instance cache, in member order.
    void BindMembers(const FRM_PAFactory& factory) override;

    std::size_t Count() const { return itsIds.size(); }
    std::int32_t IdAt(std::size_t index) const { return itsIds[index]; }
    FRM_CObjectRWC* At(std::size_t index) const { return itsMembers[index]; }
    // The member bound to id, as a T; null when unbound, not a member, or not a T.
    template <class T>
    T* Get(std::int32_t id) const
    {
        return dynamic_cast<T*>(Member(id));
    }
    FRM_CObjectRWC* Member(std::int32_t id) const;

protected:
    // type: the record's own type record (its id is the owner's factory id).
    IDDataRecord(const FRM_CTypeInfo& type, std::initializer_list<std::int32_t> ids);

private:
    const FRM_CTypeInfo* itsType;
    std::vector<std::int32_t> itsIds;
    std::vector<FRM_CObjectRWC*> itsMembers;  // not owned: the owner's children
};

// Application: task document 1003, user document 1009, reference document 1010.
struct KQedAppIDData : IDDataRecord { KQedAppIDData(); };
// Task document: 1004 (no element bears it), splash window 1015.
struct TaskWinDocIDData : IDDataRecord { TaskWinDocIDData(); };
// Task window: no members.
struct CTaskWinIDData : IDDataRecord { CTaskWinIDData(); };
struct SplashWinIDData : IDDataRecord { SplashWinIDData(); };
// User document: preferences window 1016, bookmark window 1017.
struct UserInfoDocIDData : IDDataRecord { UserInfoDocIDData(); };
struct PrefWinIDData : IDDataRecord { PrefWinIDData(); };
struct BookWinIDData : IDDataRecord { BookWinIDData(); };
// Reference document: windows 1018 and 1025 to 1029.
struct RefDocIDData : IDDataRecord { RefDocIDData(); };
struct MainRefWinIDData : IDDataRecord { MainRefWinIDData(); };
struct MainStatusBarData : IDDataRecord { MainStatusBarData(); };
struct SpHelpWinIDData : IDDataRecord { SpHelpWinIDData(); };
struct SearchWinIDData : IDDataRecord { SearchWinIDData(); };
struct ImageWinIDData : IDDataRecord { ImageWinIDData(); };
struct TableWinIDData : IDDataRecord { TableWinIDData(); };
struct WHistWinIDData : IDDataRecord { WHistWinIDData(); };
