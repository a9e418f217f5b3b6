// Data binding: delivery rules of the data-binding controller, connections and requests,
// and the command translator.
#include "frm/core/ctdicntr.h"

#include <gtest/gtest.h>
#include <vector>
#include "frm/core/ctdivalue.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"

namespace {


// A dependent that writes down what it hears; it may react inside DoUpdateModel.
class Dependent : public FRM_CNotifier {
public:
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override
    {
        ids.push_back(controllerId);
        commands.push_back(command);
        const FRM_CTdiValue* const value = FrmCast<FRM_CTdiValue>(model);
        texts.push_back(value != nullptr ? value->ToString().data() : "none");
        if (react)
            react(this);
    }
    std::vector<long> ids;
    std::vector<long> commands;
    std::vector<std::string> texts;
    std::function<void(Dependent*)> react;
};

FRM_CTdiStringValue Text(const char* text, FRM_CNotifier* originator = nullptr)
{
    return FRM_CTdiStringValue(FRM_CStringRW(text), originator, kNoCommand);
}

TEST(TdiController, DeliversLastAttachedFirstThroughPrototypes)
{
    FRM_CNotifier provider;
    Dependent plain, asInteger, list;
    FRM_CTdiConnection first(&provider, &plain, nullptr, 1);
    FRM_CTdiConnection second(&provider, &asInteger, new FRM_CTdiIntegerValue(0, nullptr, 20006), 1);
    FRM_CTdiConnection third(&provider, &list, new FRM_CTdiStringValue, 1);
    FRM_CTdiController* const controller = provider.GetPrimaryController();
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(controller->GetId(), 0);

    std::vector<const Dependent*> order;
    for (Dependent* d : {&plain, &asInteger, &list})
        d->react = [&order](Dependent* self) { order.push_back(self); };
    const FRM_CTdiStringValue value = Text("word");
    EXPECT_EQ(controller->DoChange(&provider, 20003, &value), 1);
    // The integer prototype cannot copy a string value: that dependent hears nothing.
    EXPECT_EQ(order, (std::vector<const Dependent*>{&list, &plain}));
    EXPECT_EQ(list.texts, std::vector<std::string>{"word"});
    EXPECT_EQ(list.commands, std::vector<long>{20003});   // a prototype without context

    const FRM_CTdiIntegerValue number(5, nullptr, kNoCommand);
    controller->DoChange(&provider, 20003, &number);
    EXPECT_EQ(asInteger.commands, std::vector<long>{20006});   // renamed by its context
    EXPECT_EQ(asInteger.texts, std::vector<std::string>{"5"});

    controller->DoChange(&provider, 20002, static_cast<const FRM_CTdiValue*>(nullptr));
    EXPECT_EQ(asInteger.texts.back(), "none");
    EXPECT_EQ(asInteger.commands.back(), 20006);

    // The one-argument form: the value's originator and its context (20003 when none).
    const FRM_CTdiStringValue fromProvider(FRM_CStringRW("again"), &provider, 20004);
    EXPECT_EQ(controller->DoChange(&fromProvider), 1);
    EXPECT_EQ(plain.commands.back(), 20004);
    EXPECT_EQ(plain.texts.back(), "again");
    EXPECT_EQ(controller->DoChange(static_cast<const FRM_CTdiValue*>(nullptr)), 0);
}

TEST(TdiController, ActiveDependentSuspensionAndEchoes)
{
    FrmErrorCapture capture;
    FRM_CNotifier provider;
    Dependent a, b;
    FRM_CTdiConnection toA(&provider, &a, nullptr, 1);
    FRM_CTdiConnection toB(&provider, &b, nullptr, 1);
    FRM_CTdiController* const controller = provider.GetPrimaryController();
    const FRM_CTdiStringValue value = Text("x");

    controller->SetActiveDependent(&b);
    controller->DoChange(&provider, 1, &value);
    EXPECT_TRUE(a.commands.empty());
    EXPECT_EQ(b.commands.size(), 1u);
    controller->SetActiveDependent(nullptr);

    controller->Suspend();
    controller->Suspend();
    controller->Resume();
    EXPECT_EQ(controller->DoChange(&provider, 2, &value), 0);
    controller->Resume();
    EXPECT_EQ(controller->DoChange(&provider, 3, &value), 1);
    controller->Resume();
    EXPECT_EQ(capture.Take(), (std::vector<FrmReport>{{2850, "ctdicntr", 325}}));
    EXPECT_EQ(controller->DoChange(&provider, 4, &value), 1);   // the count stays at zero

    // A value sent by b (or handed on from b) never comes back to b.
    const std::size_t heard = b.commands.size();
    const FRM_CTdiStringValue fromB = Text("echo", &b);
    controller->DoChange(&provider, 5, &fromB);
    EXPECT_EQ(b.commands.size(), heard);
    EXPECT_EQ(a.commands.back(), 5);
}

TEST(TdiController, DependentsMayLeaveOrJoinDuringANotification)
{
    FRM_CNotifier provider;
    Dependent first, second, late;
    auto* third = new Dependent;
    auto* firstLink = new FRM_CTdiConnection(&provider, &first, nullptr, 1);
    FRM_CTdiConnection secondLink(&provider, &second, nullptr, 1);
    FRM_CTdiConnection thirdLink(&provider, third, nullptr, 1);
    FRM_CTdiConnection lateLink(&provider, &late, nullptr, 0);
    // The last attached hears first: it takes the first dependent out and attaches another.
    third->react = [&](Dependent*) {
        delete firstLink;   // a link's end does not detach its dependent
        firstLink = nullptr;
        provider.GetPrimaryController()->RemoveDependent(&first);
        lateLink.Connect();
    };
    const FRM_CTdiStringValue value = Text("v");
    EXPECT_EQ(provider.GetPrimaryController()->DoChange(&provider, 1, &value), 1);
    EXPECT_EQ(third->commands.size(), 1u);
    EXPECT_EQ(second.commands.size(), 1u);
    EXPECT_TRUE(first.commands.empty());   // left before its turn
    EXPECT_TRUE(late.commands.empty());    // joined after the change began
    third->react = nullptr;
    delete third;   // a dependent destroyed while attached leaves the controller
    EXPECT_EQ(provider.GetPrimaryController()->DoChange(&provider, 2, &value), 1);
    EXPECT_EQ(late.commands.size(), 1u);
}

TEST(TdiController, AtMostOneProviderAndCopiesRefused)
{
    FrmErrorCapture capture;
    FRM_CTdiController controller;
    FRM_CNotifier one, two;
    EXPECT_EQ(controller.AddProvider(&one), 1);
    EXPECT_EQ(controller.AddProvider(&two), 0);
    EXPECT_EQ(controller.GetDependents(), nullptr);
    FRM_CTdiController copy(controller);
    copy = controller;
    EXPECT_EQ(capture.Take(),
              (std::vector<FrmReport>{{2850, "ctdicntr", 121}, {2851, "ctdicntr", 126}}));
    controller.RemoveProvider(&one);
}

// A provider that answers a request by notifying the active dependent.
class Answering : public FRM_CBoss {
public:
    void DoUpdateModel(long, long command, const FRM_CModel*) override
    {
        TdiNotify(command, "answer");
    }
};

TEST(TdiConnection, RequestOnADisconnectedLinkLeavesTheNodesAsTheyWere)
{
    struct Case {
        const char* why;
        bool otherLink;
        bool otherPrototype;
        bool nodeAfter;
    };
    const Case cases[] = {
        {"no other link leaves no node", false, false, false},
        {"another link with a prototype is put back", true, true, true},
        {"another link without a prototype is not", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Answering provider;
        Dependent dependent, bystander;
        FRM_CTdiConnection bystanderLink(&provider, &bystander, nullptr, 1);
        std::unique_ptr<FRM_CTdiConnection> other;
        if (c.otherLink)
            other = std::make_unique<FRM_CTdiConnection>(
                &provider, &dependent, c.otherPrototype ? new FRM_CTdiStringValue : nullptr, 1);
        FRM_CTdiConnection link(&provider, &dependent, nullptr, 0);
        EXPECT_EQ(link.Request(7, nullptr), 1);
        EXPECT_EQ(dependent.texts, std::vector<std::string>{"answer"});
        EXPECT_TRUE(bystander.commands.empty());   // only the requester hears the answer
        EXPECT_EQ(provider.GetPrimaryController()->IsDependent(&dependent), c.nodeAfter ? 1 : 0);
        EXPECT_EQ(link.IsConnected(), 0);
        if (other && c.nodeAfter)
            other->Disconnect();   // the restored node is its prototype's owner again
    }
}

TEST(TdiConnection, PrototypeAndContextFollowTheLink)
{
    FRM_CNotifier provider;
    Dependent dependent;
    FRM_CTdiConnection link(&provider, &dependent, nullptr, 0);
    EXPECT_EQ(link.GetContext(20002), kNoCommand);
    link.SetPrototype(new FRM_CTdiIntegerValue);
    link.SetContext(20007);
    EXPECT_EQ(link.GetContext(20002), 20007);
    EXPECT_EQ(link.Connect(), 1);
    EXPECT_EQ(link.Connect(), 0);
    link.SetPrototype(new FRM_CTdiStringValue);   // the controller's node takes it
    const FRM_CTdiStringValue value = Text("s");
    provider.GetPrimaryController()->DoChange(&provider, 20003, &value);
    EXPECT_EQ(dependent.texts, std::vector<std::string>{"s"});
    EXPECT_EQ(link.Disconnect(), 1);
    EXPECT_EQ(link.Disconnect(), 0);
}

// A table factory that records which operation built the prototype.
class Factory : public FRM_CTdiTableFactory {
public:
    FRM_CTdiValue* CreateRowValue(std::int32_t, long c) override { return Made("row", c); }
    FRM_CTdiValue* CreateColumnValue(std::int32_t, long c) override { return Made("column", c); }
    FRM_CTdiValue* CreateTableValue(long c) override { return Made("table", c); }
    FRM_CTdiValue* CreateCellValue(std::int32_t, const FRM_CStringRW&, long c) override
    {
        return Made("named cell", c);
    }
    FRM_CTdiValue* CreateCellValue(std::int32_t, std::int32_t, long c) override
    {
        return Made("cell", c);
    }
    FRM_CTdiValue* CreateIndexValue(long c) override { return Made("index", c); }

private:
    static FRM_CTdiValue* Made(const char* what, long context)
    {
        return new FRM_CTdiStringValue(FRM_CStringRW(what), nullptr, context);
    }
};

TEST(TdiTableConnection, FactoryOperationFollowsTheColumn)
{
    FRM_CNotifier provider;
    Dependent dependent;
    Factory factory;
    FRM_CTdiTableConnection byIndex(&provider, &dependent, 2, 4, 20006, 0, &factory);
    EXPECT_EQ(byIndex.GetPrototype()->ToString(), "cell");
    EXPECT_EQ(byIndex.GetContext(0), 20006);
    FRM_CTdiTableConnection byName(&provider, &dependent, 0, FRM_CStringRW("Price"), 20006, 0,
                                   &factory);
    EXPECT_EQ(byName.GetColumnIndex(), -1);
    EXPECT_EQ(byName.GetPrototype()->ToString(), "named cell");
    byName.SetColumnName(FRM_CStringRW());
    EXPECT_EQ(byName.GetPrototype()->ToString(), "row");
    byName.SetColumnIndex(3);
    EXPECT_EQ(byName.GetPrototype()->ToString(), "cell");
    FRM_CTdiIndexConnection index(&provider, &dependent, 20008, 0, &factory);
    EXPECT_EQ(index.GetPrototype()->ToString(), "index");
    EXPECT_EQ(index.GetContext(0), 20008);
    FRM_CTdiTableConnection none(&provider, &dependent, 1, 1, 20006, 0, nullptr);
    EXPECT_EQ(none.GetPrototype(), nullptr);
}

class InstalledTableFactory : public frmtest::AppFixture {};

TEST_F(InstalledTableFactory, ConnectionsWithoutAFactoryUseTheInstalledOne)
{
    FRM_CFactoryMgr* const manager = FRM_CObjectRWC::GetG()->GetFactoryMgr();
    FRM_CNotifier provider;
    Dependent dependent;
    CFactory other;   // another kind of factory under the kind is no table factory
    manager->AddFactory(FRM_CTdiTableFactory::kFactoryKind, &other);
    const FRM_CTdiIndexConnection none(&provider, &dependent, 20008, 0, nullptr);
    EXPECT_EQ(none.GetPrototype(), nullptr);
    Factory factory;
    manager->AddFactory(FRM_CTdiTableFactory::kFactoryKind, &factory);
    const FRM_CTdiIndexConnection index(&provider, &dependent, 20008, 0, nullptr);
    ASSERT_NE(index.GetPrototype(), nullptr);
    EXPECT_EQ(index.GetPrototype()->ToString(), "index");
    const FRM_CTdiTableConnection cell(&provider, &dependent, 1, 2, 20006, 0, nullptr);
    EXPECT_EQ(cell.GetPrototype()->ToString(), "cell");
    manager->RemoveFactory(FRM_CTdiTableFactory::kFactoryKind, &factory);
    manager->RemoveFactory(FRM_CTdiTableFactory::kFactoryKind, &other);
}

TEST(TdiCommandTranslator, RenamesOnlyForDataBindingControllers)
{
    Dependent target;
    FRM_CTdiCommandTranslator translator(&target);
    translator.AddListPopulationTranslations();
    translator.DoUpdateModel(0, 20005, nullptr);
    translator.DoUpdateModel(0, 20002, nullptr);
    translator.DoUpdateModel(3, 20002, nullptr);
    EXPECT_EQ(target.commands, (std::vector<long>{20005, 20007, 20002}));
    FRM_CTdiCommandTranslator reverse(&target);
    reverse.AddListSelectionTranslations();
    reverse.DoUpdateModel(0, 20008, nullptr);
    EXPECT_EQ(target.commands.back(), 20004);
}

} // namespace
