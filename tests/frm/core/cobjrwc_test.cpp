// The object root: resource ids, class ids, the factory entry and the fatal persistence calls.
#include "frm/core/cobjrwc.h"

#include <gtest/gtest.h>
#include <memory>
#include "tests/frm/support/frm_error_capture.h"
#include "vkocoll/rwfile.h"
#include "vkocoll/vstream.h"

namespace {

TEST(ObjectRoot, ResourceIdsStartAtZeroAndTravelWithCopies)
{
    FRM_CObjectRWC source;
    EXPECT_EQ(source.GetResourceContainerId(), 0);
    EXPECT_EQ(source.GetResourceId(), 0);
    source.SetResourceContainerId(1017);
    source.SetResourceId(3);
    const FRM_CObjectRWC copy(source);
    EXPECT_EQ(copy.GetResourceContainerId(), 1017);
    EXPECT_EQ(copy.GetResourceId(), 3);
    FRM_CObjectRWC assigned;
    assigned = source;
    EXPECT_EQ(assigned.GetResourceId(), 3);
    EXPECT_EQ(FRM_CObjectRWC::GetG(), nullptr);
}

TEST(ObjectRoot, ClassIdsAndFactoryAgree)
{
    const FRM_CObjectRWC root;
    EXPECT_EQ(root.isA(), 20113);
    EXPECT_EQ(FRM_CObjectRWC::classIsA(), 20113);
    EXPECT_EQ(root.GetRunTimeTypeInfo()->GetId(), 20113);
    std::unique_ptr<RWCollectable> made(getRWFactory()->create(20113));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), 20113);
}

TEST(ObjectRoot, PersistenceWithoutOverrideReportsFromItsOwnLine)
{
    FrmErrorCapture capture;
    FRM_CObjectRWC root;
    RWFile file("/dev/null", "rb+");
    EXPECT_EQ(root.binaryStoreSize(), 0u);
    root.restoreGuts(file);
    root.saveGuts(file);
    const std::vector<FrmReport> expected = {
        {6600, "cobjrwc", 64}, {6600, "cobjrwc", 77}, {6600, "cobjrwc", 89}};
    EXPECT_EQ(capture.Reports(), expected);
}

} // namespace
