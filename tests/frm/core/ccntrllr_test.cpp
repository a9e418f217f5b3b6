// Controllers and their manager: who hears a change, the current provider, ids, and lists
// kept in step with the notifiers.
#include "frm/core/ccntrllr.h"

#include <gtest/gtest.h>
#include <vector>
#include "tests/frm/support/frm_error_capture.h"
#include "vkocoll/ordered.h"

namespace {

// A model that accepts or refuses every change.
class SwitchModel : public FRM_CModel {
public:
    explicit SwitchModel(short accept) : itsAccept(accept) {}
    short Change(long, const FRM_CModel*) override { return itsAccept; }

private:
    short itsAccept;
};

// A dependent that writes down the commands it hears and the provider it heard them from.
class Dependent : public FRM_CNotifier {
public:
    explicit Dependent(const FRM_CController** controller) : itsController(controller) {}
    void DoUpdateModel(long, long command, const FRM_CModel*) override
    {
        commands.push_back(command);
        providers.push_back((*itsController)->GetCurrentProvider());
    }
    std::vector<long> commands;
    std::vector<const FRM_CNotifier*> providers;

private:
    const FRM_CController** itsController;
};

// Installs a controller manager for one test.
class ManagerFixture : public testing::Test {
protected:
    ManagerFixture() { FrmSetControllerMgr(manager); }
    ~ManagerFixture() override { delete manager; }
    FRM_CControllerMgr* manager = new FRM_CControllerMgr;
};

TEST_F(ManagerFixture, OnlyAProvidersAcceptedChangeReachesTheDependents)
{
    auto* controller = new FRM_CController(new SwitchModel(1));
    const FRM_CController* current = controller;
    FRM_CNotifier provider, stranger;
    Dependent dependent(&current);
    ASSERT_EQ(controller->AddProvider(&provider), 1);
    ASSERT_EQ(controller->AddDependent(&dependent), 1);
    EXPECT_EQ(controller->AddDependent(&dependent), 0);

    EXPECT_EQ(controller->DoChange(&stranger, 5, nullptr), 0);
    EXPECT_EQ(controller->DoChange(&provider, 6, nullptr), 1);
    EXPECT_EQ(dependent.commands, std::vector<long>{6});
    EXPECT_EQ(dependent.providers, std::vector<const FRM_CNotifier*>{&provider});
    EXPECT_EQ(controller->GetCurrentProvider(), nullptr);

    SwitchModel refused(0);   // a refused model stays the caller's
    EXPECT_EQ(controller->SetModel(&stranger, &refused), 0);
    auto* refusing = new SwitchModel(0);
    EXPECT_EQ(controller->SetModel(&provider, refusing), 1);
    EXPECT_EQ(controller->DoChange(&provider, 7, nullptr), 0);
    EXPECT_EQ(dependent.commands, std::vector<long>{6});
}

TEST_F(ManagerFixture, IdsCountUpAndAreNeverReused)
{
    auto* first = new FRM_CController(new SwitchModel(1));
    auto* second = new FRM_CController(new SwitchModel(1));
    auto* third = new FRM_CController(new SwitchModel(1));
    EXPECT_EQ(first->GetId(), 1);
    EXPECT_EQ(second->GetId(), 2);
    EXPECT_EQ(third->GetId(), 3);
    EXPECT_EQ(manager->Remove(2, 1), 1);
    EXPECT_EQ(manager->Find(2), nullptr);
    auto* fourth = new FRM_CController(new SwitchModel(1));
    EXPECT_EQ(fourth->GetId(), 4);
    EXPECT_EQ(manager->Find(3), third);
    delete third;   // leaves the manager itself
    EXPECT_EQ(manager->Find(3), nullptr);
    EXPECT_EQ(manager->GetControllers()->entries(), 2u);
}

TEST_F(ManagerFixture, DefaultControllerHasNoLists)
{
    FRM_CController plain;
    FRM_CNotifier notifier;
    EXPECT_EQ(plain.GetId(), 0);
    EXPECT_EQ(plain.AddDependent(&notifier), 0);
    EXPECT_EQ(plain.AddProvider(&notifier), 0);
    EXPECT_EQ(manager->Find(0), nullptr);
}

TEST_F(ManagerFixture, ListsStayInStepOnBothSides)
{
    auto* controller = new FRM_CController(new SwitchModel(1));
    {
        FRM_CNotifier notifier;
        controller->AddDependent(&notifier);
        controller->AddProvider(&notifier);
        EXPECT_EQ(notifier.GetDependentControllers()->entries(), 1u);
        EXPECT_EQ(notifier.GetProviderControllers()->entries(), 1u);
        EXPECT_EQ(controller->RemoveDependent(&notifier), 1);
        EXPECT_EQ(controller->RemoveDependent(&notifier), 0);
        EXPECT_EQ(notifier.GetDependentControllers()->entries(), 0u);
    }   // the dying notifier leaves the controller
    EXPECT_EQ(controller->GetProviders()->entries(), 0u);

    FRM_CNotifier survivor;
    controller->AddDependent(&survivor);
    manager->Remove(controller->GetId(), 1);   // the dying controller leaves the notifier
    EXPECT_EQ(survivor.GetDependentControllers()->entries(), 0u);
}

TEST_F(ManagerFixture, ADependentLeavingDuringTheChangeIsSafe)
{
    auto* controller = new FRM_CController(new SwitchModel(1));
    FRM_CNotifier provider;
    controller->AddProvider(&provider);
    // The first dependent deletes the second while it hears the change.
    class Leaver : public FRM_CNotifier {
    public:
        void DoUpdateModel(long, long, const FRM_CModel*) override
        {
            delete victim;
            victim = nullptr;
        }
        FRM_CNotifier* victim = nullptr;
    };
    Leaver leaver;
    leaver.victim = new FRM_CNotifier;
    controller->AddDependent(&leaver);
    controller->AddDependent(leaver.victim);
    EXPECT_EQ(controller->DoChange(&provider, 1, nullptr), 1);
    EXPECT_EQ(leaver.victim, nullptr);
}

TEST(ControllerMgr, DestroysATwiceListedControllerOnce)
{
    auto* manager = new FRM_CControllerMgr;
    auto* controller = new FRM_CController;
    manager->Insert(controller);
    manager->Insert(controller);
    FRM_CControllerMgr other;
    other = *manager;   // changes nothing
    EXPECT_EQ(other.GetControllers()->entries(), 0u);
    delete manager;   // ASan would see a second delete
}

TEST(Controller, CopyingIsRefused)
{
    FrmErrorCapture capture;
    FRM_CController source;
    FRM_CController copy(source);
    copy = source;
    EXPECT_EQ(capture.Take(),
              (std::vector<FrmReport>{{2750, "ccntrllr", 79}, {2755, "ccntrllr", 84}}));
}

} // namespace
