// id_data.cpp: the fifteen ID-data records and their type records.
#include "app/shell/id_data.h"

namespace {

const FRM_CTypeInfo* const kBases[] = {&frm_type::CDataMembers, nullptr};

// Each record's type id is its owner's factory id.
const FRM_CTypeInfo kKQedAppType(1002, "KQedAppIDData", kBases);
const FRM_CTypeInfo kTaskWinDocType(1003, "TaskWinDocIDData", kBases);
const FRM_CTypeInfo kCTaskWinType(20044, "CTaskWinIDData", kBases);
const FRM_CTypeInfo kSplashWinType(1015, "SplashWinIDData", kBases);
const FRM_CTypeInfo kUserInfoDocType(1009, "UserInfoDocIDData", kBases);
const FRM_CTypeInfo kPrefWinType(1016, "PrefWinIDData", kBases);
const FRM_CTypeInfo kBookWinType(1017, "BookWinIDData", kBases);
const FRM_CTypeInfo kRefDocType(1010, "RefDocIDData", kBases);
const FRM_CTypeInfo kMainRefWinType(1018, "MainRefWinIDData", kBases);
const FRM_CTypeInfo kMainStatusBarType(1054, "MainStatusBarData", kBases);
const FRM_CTypeInfo kSpHelpWinType(1025, "SpHelpWinIDData", kBases);
const FRM_CTypeInfo kSearchWinType(1026, "SearchWinIDData", kBases);
const FRM_CTypeInfo kImageWinType(1027, "ImageWinIDData", kBases);
const FRM_CTypeInfo kTableWinType(1028, "TableWinIDData", kBases);
const FRM_CTypeInfo kWHistWinType(1029, "WHistWinIDData", kBases);

} // namespace

IDDataRecord::IDDataRecord(const FRM_CTypeInfo& type, std::initializer_list<std::int32_t> ids)
    : itsType(&type), itsIds(ids), itsMembers(ids.size(), nullptr)
{
}

void IDDataRecord::BindMembers(const FRM_PAFactory& factory)
{
    for (std::size_t i = 0; i < itsIds.size(); ++i)
        itsMembers[i] = factory.GetInstance(itsIds[i]);
}

FRM_CObjectRWC* IDDataRecord::Member(std::int32_t id) const
{
    for (std::size_t i = 0; i < itsIds.size(); ++i)
        if (itsIds[i] == id)
            return itsMembers[i];
    return nullptr;
}

KQedAppIDData::KQedAppIDData() : IDDataRecord(kKQedAppType, {1003, 1009, 1010}) {}
TaskWinDocIDData::TaskWinDocIDData() : IDDataRecord(kTaskWinDocType, {1004, 1015}) {}
CTaskWinIDData::CTaskWinIDData() : IDDataRecord(kCTaskWinType, {}) {}
SplashWinIDData::SplashWinIDData() : IDDataRecord(kSplashWinType, {1071}) {}
UserInfoDocIDData::UserInfoDocIDData() : IDDataRecord(kUserInfoDocType, {1016, 1017}) {}
PrefWinIDData::PrefWinIDData() : IDDataRecord(kPrefWinType, {1081, 1083, 1085}) {}
BookWinIDData::BookWinIDData()
    : IDDataRecord(kBookWinType, {1260, 1262, 1264, 1268, 1270, 1272, 1274, 1276, 1278})
{
}
RefDocIDData::RefDocIDData() : IDDataRecord(kRefDocType, {1018, 1025, 1026, 1027, 1028, 1029}) {}
MainRefWinIDData::MainRefWinIDData()
    : IDDataRecord(kMainRefWinType, {1054, 1374, 1376, 1056, 1057, 1059, 1060, 1356})
{
}
MainStatusBarData::MainStatusBarData() : IDDataRecord(kMainStatusBarType, {1374, 1376}) {}
SpHelpWinIDData::SpHelpWinIDData()
    : IDDataRecord(kSpHelpWinType, {1248, 1250, 1252, 1254, 1257})
{
}
SearchWinIDData::SearchWinIDData()
    : IDDataRecord(kSearchWinType, {1235, 1243, 1362, 1364, 1366, 1368, 1370, 1372, 1484})
{
}
ImageWinIDData::ImageWinIDData() : IDDataRecord(kImageWinType, {1399, 1401}) {}
TableWinIDData::TableWinIDData() : IDDataRecord(kTableWinType, {1405, 1406}) {}
WHistWinIDData::WHistWinIDData() : IDDataRecord(kWHistWinType, {1217, 1221, 1223, 1225}) {}
