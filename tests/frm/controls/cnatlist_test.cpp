// Tests of the native lists over real list controls: items in and out, the 510-character cap,
// selection by text and by the bound value (positions and texts), the next/previous/first/
// last commands at the ends, clicks that send the command or the double command, and copies
// and assignments that show the source's items.
#include "frm/controls/cnatlist.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frm/controls/nlistedt.h"
#include "frm/core/ctdivalue.h"
#include "tests/frm/controls/controls_fixture.h"

namespace {

class ListTest : public frmtest::ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        itsPanel = new frmtest::CommandPanel(itsWindow);
        itsList = new FRM_NListBox(itsPanel, FRM_CRect(10, 10, 200, 200),
                                   FRM_CStringCollection(FRM_CStringRW("alpha,beta,alpha,gamma")), 0);
    }
    std::vector<int> Selected() const
    {
        std::vector<int> selected;
        for (int i = 0; i < itsList->GetNumItems(); ++i)
            if (itsList->IsItSelected(i))
                selected.push_back(i);
        return selected;
    }
    static std::vector<std::string> Items(const FRM_CNativeList& list)
    {
        std::vector<std::string> items;
        for (int i = 0; i < list.GetNumItems(); ++i)
            items.emplace_back(list.GetItem(i, 100).data());
        return items;
    }
    // A copy of source and target assigned from it each show source's items on a control of
    // their own and take its validator, which formats what is typed into a list edit; the
    // source keeps its control and items.
    template <class List>
    void ExpectCopiesLikeTheSource(List* source, List* target, bool takesTyping)
    {
        FRM_CValidatorFactory* factory = FRM_CValidatorFactory::GetTop();
        ASSERT_NE(factory, nullptr);
        source->SetValidator(factory->ConstructValidator(FRM_CStringRW("99-99"), 1));
        const std::vector<std::string> items = Items(*source);
        WINDOW sourceControl = source->GetVKOWindow();
        auto* copy = new List(*source);
        *target = *source;
        for (List* list : {copy, target}) {
            EXPECT_EQ(Items(*list), items);
            EXPECT_NE(list->GetVKOWindow(), sourceControl);
            EXPECT_TRUE(list->GetValidator() == source->GetValidator());
            if (!takesTyping)
                continue;
            WINDOW control = list->GetVKOWindow();
            vko_scr_set_focus_vobj(control);
            vkok_app_process_pending_events();
            for (char typed : std::string("1234"))
                Key(control, static_cast<std::uint16_t>(typed));
            EXPECT_EQ(std::string(list->GetTitle().data()), "12-34");
        }
        EXPECT_EQ(source->GetVKOWindow(), sourceControl);
        EXPECT_EQ(Items(*source), items) << "the source keeps its items";
        delete copy;
    }
    frmtest::CommandPanel* itsPanel = nullptr;
    FRM_NListBox* itsList = nullptr;
};

TEST_F(ListTest, ItemsAndTheLengthCap)
{
    ASSERT_EQ(itsList->GetNumItems(), 4);
    EXPECT_EQ(std::string(itsList->GetItem(3, 100).data()), "gamma");
    EXPECT_EQ(std::string(itsList->GetItem(3, 2).data()), "ga");
    const std::string longItem(700, 'x');
    itsList->Insert(FRM_CStringRW(longItem.c_str()), -1);
    EXPECT_EQ(itsList->GetItem(4, 5000).length(), 510U);
    itsList->SelectItem(4);
    EXPECT_EQ(itsList->GetFirstSelectedItem(5000).length(), 510U);
    EXPECT_EQ(itsList->Remove(4), 1);
    EXPECT_EQ(itsList->GetAllItems().asOrderedCollection().entries(), 4U);
    itsList->Clear();
    EXPECT_EQ(itsList->GetNumItems(), 0);
}

TEST_F(ListTest, SelectingByTextTakesTheLastUnselectedEqualItem)
{
    EXPECT_EQ(itsList->SelectItem(FRM_CStringRW("alpha")), 1);
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_EQ(itsList->SelectItem(FRM_CStringRW("alpha")), 1);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
    EXPECT_EQ(itsList->SelectItem(FRM_CStringRW("alpha")), 0) << "every alpha is selected";
    EXPECT_EQ(itsList->DeselectItem(FRM_CStringRW("alpha")), 1);
    EXPECT_EQ(Selected(), std::vector<int>{0});
    EXPECT_EQ(itsList->GetNumSelectedItems(), 1);
}

TEST_F(ListTest, BoundValuesSelectAndStepThroughTheItems)
{
    FRM_CTdiListValue positions(nullptr, 20002);
    positions.Append(new FRM_CTdiIntegerValue(1, nullptr, 20003));
    positions.Append(new FRM_CTdiIntegerValue(3, nullptr, 20003));
    itsList->DoUpdateModel(0, 20002, &positions);
    EXPECT_EQ(Selected(), (std::vector<int>{1, 3}));

    FRM_CTdiListValue texts(nullptr, 20002);
    texts.Append(new FRM_CTdiStringValue(FRM_CStringRW("gamma"), nullptr, 20003));
    itsList->DoUpdateModel(0, 20002, &texts);
    EXPECT_EQ(Selected(), std::vector<int>{3}) << "the first one replaces the selection";
    FRM_CTdiListValue unknown(nullptr, 20002);
    unknown.Append(new FRM_CTdiStringValue(FRM_CStringRW("delta"), nullptr, 20003));
    itsList->DoUpdateModel(0, 20002, &unknown);
    EXPECT_EQ(Selected(), std::vector<int>{3}) << "no item of that name: nothing changes";

    struct Step {
        const char* why;
        long tag;
        int from;
        int to;
    };
    const Step steps[] = {
        {"next at the last item stays", 20104, 3, 3}, {"previous", 20105, 3, 2},
        {"next", 20104, 1, 2},                         {"previous at the first stays", 20105, 0, 0},
        {"first", 20106, 2, 0},                        {"last", 20107, 1, 3},
    };
    const FRM_CTdiStringValue none(FRM_CStringRW(""), nullptr, 20003);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        itsList->DeselectAll();
        itsList->SelectItem(step.from);
        itsList->DoUpdateModel(0, step.tag, &none);
        EXPECT_EQ(Selected(), std::vector<int>{step.to});
    }
    itsList->DoUpdateModel(0, 20003, &none);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ListTest, ClicksSendTheCommandOrTheDoubleCommand)
{
    itsList->SetCommand(1501);
    itsList->SetDoubleCommand(1502);
    WINDOW handle = itsList->GetVKOWindow();
    Click(handle, s_pnt{5, 10});
    ASSERT_FALSE(itsPanel->commands.empty());
    EXPECT_EQ(itsPanel->commands.back(), 1501);
    EXPECT_EQ(Selected(), std::vector<int>{0});
    Post(handle, E_MOUSE_DBL, s_pnt{5, 10});
    Post(handle, E_MOUSE_UP, s_pnt{5, 10});
    EXPECT_EQ(itsPanel->commands.back(), 1502);

    auto* button = new FRM_NListButton(itsPanel, FRM_CRect(210, 10, 310, 120),
                                       FRM_CStringCollection(FRM_CStringRW("one,two,three")), 1, 0);
    EXPECT_EQ(button->GetSelectPosition(), 1);
    EXPECT_LT(button->GetVisibleFrame().Height(), 110);
}

TEST_F(ListTest, CopiedAndAssignedListsShowTheSourcesItems)
{
    const FRM_CStringCollection fruit(FRM_CStringRW("apple,pear,fig"));
    const FRM_CStringCollection other(FRM_CStringRW("x"));
    {
        SCOPED_TRACE("list box");
        ExpectCopiesLikeTheSource(
            itsList, new FRM_NListBox(itsPanel, FRM_CRect(10, 210, 200, 230), other, 0), false);
    }
    {
        SCOPED_TRACE("list button");
        ExpectCopiesLikeTheSource(
            new FRM_NListButton(itsPanel, FRM_CRect(210, 10, 310, 120), fruit, 1, 0),
            new FRM_NListButton(itsPanel, FRM_CRect(210, 130, 310, 230), other, 0, 0), false);
    }
    {
        SCOPED_TRACE("list edit");
        ExpectCopiesLikeTheSource(
            new FRM_NListEdit(itsPanel, FRM_CRect(10, 10, 200, 120), fruit, FRM_CStringRW("")),
            new FRM_NListEdit(itsPanel, FRM_CRect(10, 130, 200, 230), other, FRM_CStringRW("")),
            true);
    }
}

} // namespace
