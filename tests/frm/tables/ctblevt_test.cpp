// Table events: the permit and deny flags, and the delivery protocol of each event style
// with a handler above the sender that watches and may deny.
#include "frm/tables/ctblevt.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "frm/core/crect.h"

namespace {

// Stands for a table: its DoCommand plays the boss chain, recording what passes and
// denying what it is told to.
class Sender : public FRM_CBoss {
public:
    void DoCommand(long theCommand, void* theData) override
    {
        ASSERT_EQ(theCommand, FRM_CTableEvent::kTableEventCommand);
        auto* event = static_cast<FRM_CTableEvent*>(theData);
        itsSeen.push_back(event->IsPermissionEvent() ? "ask" : "tell");
        if (itsDenies && event->IsPermissionEvent())
            event->Deny();
    }
    bool itsDenies = false;
    std::vector<std::string> itsSeen;
};

TEST(TableEvent, PermitAndDenyFlags)
{
    FRM_CTableEvent ask(nullptr, FRM_CTableEvent::DeleteRow, 3, 2, 0);
    EXPECT_TRUE(ask.IsPermissionEvent());
    EXPECT_FALSE(ask.IsDenied());
    ask.Deny();
    EXPECT_TRUE(ask.IsDenied());
    EXPECT_EQ(ask.GetDeleteInsert().itsFirst, 3);
    EXPECT_EQ(ask.GetDeleteInsert().itsCount, 2);
    const FRM_CTableEvent tell = ask.AsNotification();
    EXPECT_FALSE(tell.IsPermissionEvent());
    EXPECT_FALSE(tell.IsDenied());
    EXPECT_EQ(tell.GetType(), FRM_CTableEvent::DeleteRow);

    const FRM_CCell cell(4, 5);
    FRM_CTableEvent focus(nullptr, FRM_CTableEvent::FocusIn, &cell, 1);
    EXPECT_EQ(focus.GetCell().itsCell, &cell);
    FRM_CTableEvent size(nullptr, FRM_CTableEvent::SizeRow, 7, 12.5f, 0);
    EXPECT_EQ(size.GetSize().itsRowColumn, 7);
    EXPECT_EQ(size.GetSize().itsSize, 12.5f);
}

TEST(TableEvent, EachStyleAsksTellsAndStopsAsItShould)
{
    struct Case {
        std::int32_t style;
        bool denies;
        short changed;
        std::vector<std::string> seen;
    };
    const Case cases[] = {
        {EventNone, true, 1, {}},
        {EventPermission, false, 1, {"ask"}},
        {EventPermission, true, 0, {"ask"}},
        {EventNotify, true, 1, {"tell"}},   // a notification cannot be denied
        {EventBoth, false, 1, {"ask", "tell"}},
        {EventBoth, true, 0, {"ask"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " denies " << c.denies);
        Sender sender;
        sender.itsDenies = c.denies;
        int changes = 0;
        const short result = FrmDeliverTableChange(
            sender, c.style, FRM_CTableEvent(nullptr, FRM_CTableEvent::InsertRow, 0, 1, 0),
            [&] { ++changes; });
        EXPECT_EQ(result, c.changed);
        EXPECT_EQ(changes, c.changed);
        EXPECT_EQ(sender.itsSeen, c.seen);
    }
}

}   // namespace
