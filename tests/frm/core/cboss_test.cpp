// Notifiers and bosses: what TdiNotify hands to a dependent, the creation units, units
// ownership and flow down the tree, broadcasts, and a notifier leaving its controllers.
#include "frm/core/cboss.h"

#include <gtest/gtest.h>
#include <vector>
#include "frm/core/ctdicntr.h"
#include "frm/core/ctdivalue.h"
#include "frm/core/cunits.h"
#include "tests/frm/support/frm_error_capture.h"
#include "vkocoll/ordered.h"

namespace {

// A dependent that writes down what it hears.
struct Heard {
    long command;
    FRM_CTdiValue::Type type;
    FRM_CStringRW text;
};
class Listener : public FRM_CNotifier {
public:
    void DoUpdateModel(long, long command, const FRM_CModel* model) override
    {
        const FRM_CTdiValue* const value = FrmCast<FRM_CTdiValue>(model);
        heard.push_back({command, value != nullptr ? value->GetType() : FRM_CTdiValue::kOther,
                         value != nullptr ? value->ToString() : FRM_CStringRW("none")});
    }
    std::vector<Heard> heard;
};

TEST(Notifier, TdiNotifyWrapsTheValueByItsParameterType)
{
    FRM_CBoss provider;
    Listener listener;
    FRM_CTdiConnection link(&provider, &listener, nullptr, 1);
    provider.TdiNotify(7, "text");
    provider.TdiNotify(8, static_cast<short>(1));
    provider.TdiNotify(9, 42);
    provider.TdiNotify(10, 3.0f);
    provider.TdiNotify(11, 3.5);
    provider.TdiNotify(12, true);
    provider.TdiNotify(13);
    provider.TdiNotify(14, 5000000000L);
    struct Expected {
        long command;
        FRM_CTdiValue::Type type;
        const char* text;
    };
    const Expected expected[] = {
        {7, FRM_CTdiValue::kString, "text"},   {8, FRM_CTdiValue::kBoolean, "TRUE"},
        {9, FRM_CTdiValue::kInteger, "42"},    {10, FRM_CTdiValue::kInteger, "3"},
        {11, FRM_CTdiValue::kFloat, "3.5"},    {12, FRM_CTdiValue::kBoolean, "TRUE"},
        {13, FRM_CTdiValue::kOther, "none"},
        {14, FRM_CTdiValue::kInteger, "2147483647"},
    };
    ASSERT_EQ(listener.heard.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].command);
        EXPECT_EQ(listener.heard[i].command, expected[i].command);
        EXPECT_EQ(listener.heard[i].type, expected[i].type);
        EXPECT_EQ(listener.heard[i].text, expected[i].text);
    }
}

TEST(Boss, CommandsReachTheControllerExceptNoContext)
{
    FRM_CBoss provider;
    Listener listener;
    FRM_CTdiConnection link(&provider, &listener, nullptr, 1);
    provider.DoCommand(20003, nullptr);
    provider.DoCommand(20011, nullptr);
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0].command, 20011);
}

TEST(Notifier, DestroyedNotifierLeavesEveryControllerOnce)
{
    FRM_CBoss provider;
    auto* listener = new Listener;
    FRM_CTdiConnection link(&provider, listener, nullptr, 1);
    EXPECT_EQ(provider.GetPrimaryController()->IsDependent(listener), 1);
    delete listener;
    EXPECT_EQ(provider.GetPrimaryController()->IsDependent(listener), 0);
    provider.TdiNotify(1, 5);   // nobody left to hear it
}

TEST(Boss, CreationUnitsServeOneBossOnly)
{
    FrmErrorCapture capture;
    auto* units = new FRM_CUnits;
    FRM_CBoss::SetCreationUnits(units);
    const FRM_CBoss first;
    const FRM_CBoss second;
    EXPECT_EQ(first.GetUnits(), units);
    EXPECT_EQ(units->GetOwner(), &first);
    EXPECT_EQ(second.GetUnits(), nullptr);
    FRM_CBoss::SetCreationUnits(units);   // already owned
    EXPECT_EQ(capture.Take(), (std::vector<FrmReport>{{0, "cboss", 209}}));
    EXPECT_EQ(FRM_CBoss::GetCreationUnits(), nullptr);
}

// A boss with children, for the walks down the tree.
class Parent : public FRM_CBoss {
public:
    RWOrdered* GetSubObjects() const override { return const_cast<RWOrdered*>(&children); }
    void DoTimer(long timerId) override { timers.push_back(timerId); }
    RWOrdered children;
    std::vector<long> timers;
};

TEST(Boss, UnitsFlowDownUntilABossWithItsOwn)
{
    Parent root;
    Parent middle;
    Parent leaf;
    Parent owning;
    Parent belowOwning;
    root.children.insert(&middle);
    middle.children.insert(&leaf);
    root.children.insert(&owning);
    owning.children.insert(&belowOwning);
    auto* own = new FRM_CUnits;
    owning.SetUnits(own);

    auto* units = new FRM_CUnits;
    root.SetUnits(units);
    EXPECT_EQ(middle.GetUnits(), units);
    EXPECT_EQ(leaf.GetUnits(), units);
    EXPECT_EQ(owning.GetUnits(), own);
    EXPECT_EQ(belowOwning.GetUnits(), own);

    root.SetUnits(units);   // the same units again: nothing happens
    EXPECT_EQ(units->GetOwner(), &root);
}

TEST(Boss, ForeignUnitsAreRefusedAndOldOwnedOnesDeleted)
{
    FrmErrorCapture capture;
    FRM_CBoss owner;
    FRM_CBoss other;
    auto* units = new FRM_CUnits;
    owner.SetUnits(units);
    other.SetUnits(units);
    EXPECT_EQ(capture.Take(), (std::vector<FrmReport>{{0, "cboss", 142}}));
    EXPECT_EQ(other.GetUnits(), nullptr);
    owner.SetUnits(new FRM_CUnits);   // the first units are deleted (ASan would see a leak)
    EXPECT_NE(owner.GetUnits(), units);
}

TEST(Boss, CopiesOwnACopyOfTheUnits)
{
    FRM_CBoss source;
    source.SetUnits(new FRM_CUnits(2, 2, 2, 2, FRM_CUnits::kScreen));
    const FRM_CBoss copy(source);
    ASSERT_NE(copy.GetUnits(), nullptr);
    EXPECT_NE(copy.GetUnits(), source.GetUnits());
    EXPECT_EQ(copy.GetUnits()->GetOwner(), &copy);
    EXPECT_EQ(copy.GetUnits()->HLogicalToPhysical(3), 6);
}

TEST(Boss, BroadcastCallsHandlersOnlyForChildrenOnly)
{
    Parent root;
    Parent child;
    Parent grandchild;
    root.children.insert(&child);
    child.children.insert(&grandchild);
    root.BroadcastTimer(5, 1);
    EXPECT_EQ(child.timers, std::vector<long>{5});
    EXPECT_TRUE(grandchild.timers.empty());
    root.BroadcastTimer(6, 0);   // descends, but a zero flag never calls a handler
    EXPECT_EQ(child.timers, std::vector<long>{5});
    EXPECT_TRUE(grandchild.timers.empty());
    EXPECT_EQ(root.IsBroadcasting(), 0);
}

TEST(Boss, NullLibraryOrUserIsFatal)
{
    FrmErrorCapture capture;
    FRM_CBoss boss;
    EXPECT_EQ(boss.IBoss(static_cast<FRM_CGlobalClassLib*>(nullptr)), 0);
    EXPECT_EQ(boss.IBoss(static_cast<FRM_CGlobalUser*>(nullptr)), 0);
    EXPECT_EQ(capture.Take(), (std::vector<FrmReport>{{100, "cboss", 89}, {101, "cboss", 98}}));
    EXPECT_EQ(FRM_CObjectRWC::GetG(), nullptr);
}

} // namespace
