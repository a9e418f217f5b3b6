// Type records: the table's ids and bases, the cast test and the walks over the bases.
#include "frm/core/ctypeinfo.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "frm/core/cboss.h"

namespace {

std::vector<std::string> Walk(CTypeBaseIterator& it)
{
    std::vector<std::string> names;
    while (const FRM_CTypeInfo* record = it.Next())
        names.push_back(record->GetName());
    return names;
}

struct RecordCase {
    const FRM_CTypeInfo* record;
    std::int32_t id;
    const char* name;
    std::vector<std::string> bases;
};

TEST(TypeInfo, TableRecordsCarryTheirIdNameAndBases)
{
    const RecordCase cases[] = {
        {&frm_type::CObjectRWC, 20113, "CObjectRWC", {}},
        {&frm_type::CNotifier, 20069, "CNotifier", {"CObjectRWC"}},
        {&frm_type::CApplication, 20000, "CApplication", {"CBoss"}},
        {&frm_type::CAttachmentFrame, 20152, "CAttachmentFrame", {"CSubview", "CDragSink"}},
        {&frm_type::CValidatorFormatterImplementation, 20261,
         "CValidatorFormatterImplementation", {"CValidatoImplementation"}},
        {&frm_type::CRegion, 20193, "CRegion", {}},
        {&frm_type::CLineWF, 30000, "CLineWF", {"CWireFrame"}},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.record->GetId(), c.id);
        EXPECT_STREQ(c.record->GetName(), c.name);
        CTypeBaseIterator shallow(c.record, false);
        EXPECT_EQ(Walk(shallow), c.bases);
    }
}

TEST(TypeInfo, CanCastFollowsTheBaseChain)
{
    struct Case {
        const char* why;
        const FRM_CTypeInfo* record;
        const FRM_CTypeInfo* target;
        bool castable;
    };
    const Case cases[] = {
        {"a record casts to itself", &frm_type::CApplication, &frm_type::CApplication, true},
        {"to a base of a base", &frm_type::CApplication, &frm_type::CNotifier, true},
        {"to the root", &frm_type::CTdiStringValue, &frm_type::CObjectRWC, true},
        {"along the second base", &frm_type::CAttachmentFrame, &frm_type::CDragSink, true},
        {"never to a derived class", &frm_type::CBoss, &frm_type::CApplication, false},
        {"never to an unrelated class", &frm_type::CUnits, &frm_type::CModel, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(c.record->CanCast(c.target), c.castable);
    }
}

TEST(TypeInfo, SameIdOnTwoRecordsIsNotTheSameRecord)
{
    static const FRM_CTypeInfo* const noBases[] = {nullptr};
    const FRM_CTypeInfo twin(frm_type::CBoss.GetId(), "CBoss", noBases);
    EXPECT_FALSE(twin.IsSame(&frm_type::CBoss));
    EXPECT_FALSE(twin.CanCast(&frm_type::CBoss));
    const FRM_CTypeInfo copy(frm_type::CBoss);
    EXPECT_TRUE(copy.HasBase(&frm_type::CNotifier));
}

TEST(TypeInfo, DeepWalkIsPostOrderWithTheRecordLast)
{
    CTypeBaseIterator root(&frm_type::CObjectRWC, true);
    EXPECT_EQ(Walk(root), std::vector<std::string>{"CObjectRWC"});
    EXPECT_EQ(root.Next(), nullptr);

    CTypeBaseIterator deep(&frm_type::CAttachmentFrame, true);
    const std::vector<std::string> expected = {"CObjectRWC", "CNotifier", "CBoss", "CView",
                                               "CSubview", "CDragSink", "CAttachmentFrame"};
    EXPECT_EQ(Walk(deep), expected);
    deep.Reset();
    EXPECT_EQ(Walk(deep), expected);
}

TEST(TypeInfo, FrmCastAnswersNullForAnotherClass)
{
    FRM_CBoss boss;
    FRM_CNotifier* const asNotifier = &boss;
    EXPECT_EQ(FrmCast<FRM_CBoss>(asNotifier), &boss);
    EXPECT_EQ(FrmCast<FRM_CModel>(asNotifier), nullptr);
    EXPECT_EQ(FrmCast<FRM_CBoss>(static_cast<FRM_CNotifier*>(nullptr)), nullptr);
    EXPECT_EQ(boss.GetRunTimeTypeInfo(), FRM_CBoss::GetStaticTypeInfo());
}

} // namespace
