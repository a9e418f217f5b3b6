// Typed values: the conversion matrix, Copy between classes, contexts and lists.
#include "frm/core/ctdivalue.h"

#include <gtest/gtest.h>
#include <memory>

#include "vkocoll/collect.h"

namespace {

using Type = FRM_CTdiValue::Type;

std::unique_ptr<FRM_CTdiValue> Make(Type type, const char* text, long integer, float number,
                                    short state)
{
    switch (type) {
    case FRM_CTdiValue::kString:
        return std::make_unique<FRM_CTdiStringValue>(FRM_CStringRW(text), nullptr, kNoCommand);
    case FRM_CTdiValue::kInteger:
        return std::make_unique<FRM_CTdiIntegerValue>(static_cast<int>(integer), nullptr,
                                                      kNoCommand);
    case FRM_CTdiValue::kFloat:
        return std::make_unique<FRM_CTdiFloatValue>(FRM_CFloat(number), nullptr, kNoCommand);
    case FRM_CTdiValue::kBoolean:
        return std::make_unique<FRM_CTdiBooleanValue>(state, nullptr, kNoCommand);
    default:
        return std::make_unique<FRM_CTdiTimeValue>();
    }
}

TEST(TdiValue, ConversionsOutOfEachBasicClass)
{
    struct Case {
        const char* why;
        Type type;
        const char* text;
        long integer;
        float number;
        short state;
        const char* toString;
        long toInteger;
        float toFloat;
        short toBoolean;
    };
    const Case cases[] = {
        {"boolean true", FRM_CTdiValue::kBoolean, "", 0, 0, 1, "TRUE", 1, 1.0f, 1},
        {"boolean false", FRM_CTdiValue::kBoolean, "", 0, 0, 0, "FALSE", 0, 0.0f, 0},
        {"string of digits", FRM_CTdiValue::kString, "42", 0, 0, 0, "42", 42, 42.0f, 0},
        {"string of digits and letters", FRM_CTdiValue::kString, "42abc", 0, 0, 0, "42abc", 0,
         0.0f, 0},
        {"string True in mixed case", FRM_CTdiValue::kString, "True", 0, 0, 0, "True", 0, 0.0f,
         1},
        {"integer", FRM_CTdiValue::kInteger, "", -7, 0, 0, "-7", -7, -7.0f, 1},
        {"float truncates toward zero", FRM_CTdiValue::kFloat, "", 0, 2.75f, 0, "2.75", 2, 2.75f,
         1},
        {"negative float too", FRM_CTdiValue::kFloat, "", 0, -2.75f, 0, "-2.75", -2, -2.75f, 1},
        {"huge float clamps", FRM_CTdiValue::kFloat, "", 0, 1e30f, 0, "1e+30",
         std::numeric_limits<long>::max(), 1e30f, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto value = Make(c.type, c.text, c.integer, c.number, c.state);
        EXPECT_EQ(value->GetType(), c.type);
        EXPECT_EQ(value->ToString(), c.toString);
        EXPECT_EQ(value->ToInteger(), c.toInteger);
        EXPECT_EQ(value->ToFloat(), c.toFloat);
        EXPECT_EQ(value->ToBoolean(), c.toBoolean);
        for (int t = FRM_CTdiValue::kString; t <= FRM_CTdiValue::kOther; ++t)
            EXPECT_EQ(value->IsConvertible(Type(t)), t <= FRM_CTdiValue::kBoolean ? 1 : 0);
    }
}

TEST(TdiValue, ConversionsIntoEachClassKeepThePayloadOnFailure)
{
    FRM_CTdiBooleanValue state(1, nullptr, kNoCommand);
    EXPECT_EQ(state.FromString("yes"), 0);
    EXPECT_EQ(state.GetState(), 1);
    EXPECT_EQ(state.FromString("false"), 1);
    EXPECT_EQ(state.GetState(), 0);
    EXPECT_EQ(state.FromString("true"), 1);
    EXPECT_EQ(state.GetState(), 1);
    EXPECT_EQ(state.FromFloat(0.0f), 1);
    EXPECT_EQ(state.GetState(), 0);

    FRM_CTdiIntegerValue number(5, nullptr, kNoCommand);
    EXPECT_EQ(number.FromString("x1"), 0);
    EXPECT_EQ(number.GetInteger(), 5);
    EXPECT_EQ(number.FromFloat(-9.9f), 1);
    EXPECT_EQ(number.GetInteger(), -9);

    FRM_CTdiFloatValue real(FRM_CFloat(1.5f), nullptr, kNoCommand);
    EXPECT_EQ(real.FromString("nonsense"), 0);
    EXPECT_EQ(real.GetFloat(), 1.5f);
    EXPECT_EQ(real.FromString("0.25"), 1);
    EXPECT_EQ(real.GetFloat(), 0.25f);

    FRM_CTdiStringValue text;
    EXPECT_EQ(text.FromInteger(12), 1);
    EXPECT_EQ(text.GetString(), "12");
    EXPECT_EQ(text.FromFloat(0.5f), 1);
    EXPECT_EQ(text.GetString(), "0.5");
    EXPECT_EQ(text.FromBoolean(0), 1);
    EXPECT_EQ(text.GetString(), "FALSE");
}

TEST(TdiValue, TimeAndDateConvertOnlyToText)
{
    FRM_CTdiTimeValue time;
    EXPECT_EQ(time.IsConvertible(FRM_CTdiValue::kInteger), 0);
    EXPECT_EQ(time.ToInteger(), 0);
    EXPECT_EQ(time.FromInteger(5), 0);
    EXPECT_EQ(time.FromString("not a time"), 0);
    EXPECT_EQ(time.FromString("10:30:15"), 1);
    EXPECT_EQ(time.ToString(), "10:30:15");

    FRM_CTdiDateValue date;
    EXPECT_EQ(date.FromString("2024-02-29"), 1);
    EXPECT_EQ(date.ToString(), "02/29/24");
    EXPECT_EQ(date.FromString("2023-02-30"), 0);
    EXPECT_EQ(date.ToString(), "02/29/24");
}

TEST(TdiValue, CopyTakesOnlyItsOwnClassAndKeepsTheContext)
{
    FRM_CNotifier sender;
    FRM_CTdiIntegerValue prototype(0, nullptr, 20006);
    const FRM_CTdiIntegerValue source(9, &sender, 20003);
    EXPECT_EQ(prototype.Copy(source), 1);
    EXPECT_EQ(prototype.GetInteger(), 9);
    EXPECT_EQ(prototype.GetOriginator(), &sender);
    EXPECT_EQ(prototype.GetContext(20003), 20006);
    EXPECT_EQ(source.GetContext(20002), 20002);   // no context of its own

    const FRM_CTdiStringValue text(FRM_CStringRW("9"), nullptr, kNoCommand);
    EXPECT_EQ(prototype.Copy(text), 0);
    EXPECT_EQ(prototype.GetInteger(), 9);
}

TEST(TdiValue, SingleValueIsAListOfOne)
{
    FRM_CTdiIntegerValue value(1, nullptr, kNoCommand);
    EXPECT_EQ(value.Entries(), 1u);
    value.Reset();
    EXPECT_EQ(value.Next(), 1);
    EXPECT_EQ(value.Next(), 0);
    EXPECT_EQ(value.GoTo(1), 0);
    EXPECT_EQ(value.GoTo(0), 1);
    const FRM_CTdiIntegerValue other(4, nullptr, kNoCommand);
    EXPECT_EQ(value.Set(0, const_cast<FRM_CTdiIntegerValue*>(&other)), 1);
    EXPECT_EQ(value.GetInteger(), 4);
    EXPECT_EQ(value.Append(nullptr), 0);
}

TEST(TdiValue, ListAnswersForTheElementAtTheCursorAndCopiesDeeply)
{
    FRM_CTdiListValue list;
    EXPECT_EQ(list.GetType(), FRM_CTdiValue::kOther);
    EXPECT_EQ(list.FromInteger(3), 0);
    list.Append(new FRM_CTdiStringValue(FRM_CStringRW("7"), nullptr, kNoCommand));
    list.Append(new FRM_CTdiBooleanValue(1, nullptr, kNoCommand));
    list.Reset();
    ASSERT_EQ(list.Next(), 1);
    EXPECT_EQ(list.GetType(), FRM_CTdiValue::kString);
    EXPECT_EQ(list.ToInteger(), 7);
    ASSERT_EQ(list.Next(), 1);
    EXPECT_EQ(list.GetType(), FRM_CTdiValue::kBoolean);
    EXPECT_EQ(list.Next(), 0);
    EXPECT_EQ(list.GetType(), FRM_CTdiValue::kOther);

    FRM_CTdiListValue copy;
    ASSERT_EQ(copy.Copy(list), 1);
    ASSERT_EQ(copy.Entries(), 2u);
    copy.GoTo(1);
    EXPECT_EQ(copy.GetType(), FRM_CTdiValue::kBoolean);
    EXPECT_EQ(copy.Set(1, new FRM_CTdiIntegerValue(2, nullptr, kNoCommand)), 1);
    EXPECT_EQ(copy.GetType(), FRM_CTdiValue::kInteger);
    list.GoTo(1);
    EXPECT_EQ(list.GetType(), FRM_CTdiValue::kBoolean);   // the source keeps its own element
    EXPECT_EQ(copy.Clear(), 1);
    EXPECT_EQ(copy.Entries(), 0u);
}

// A stored value is restored by the container library's factory from its class id (or the
// class's name): every typed value class must be there to be made.
TEST(TdiValue, EveryTypedValueClassIsMadeByTheFactory)
{
    const std::unique_ptr<FRM_CTdiValue> values[] = {
        std::make_unique<FRM_CTdiBooleanValue>(), std::make_unique<FRM_CTdiListValue>(),
        std::make_unique<FRM_CTdiStringValue>(),  std::make_unique<FRM_CTdiIntegerValue>(),
        std::make_unique<FRM_CTdiTimeValue>(),    std::make_unique<FRM_CTdiDateValue>(),
        std::make_unique<FRM_CTdiFloatValue>(),
    };
    for (const auto& value : values) {
        const RWClassID id = value->isA();
        SCOPED_TRACE(id);
        const std::unique_ptr<RWCollectable> made(getRWFactory()->create(id));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->isA(), id);
        const char* name = getRWFactory()->stringID(id);
        ASSERT_NE(name, nullptr);
        const std::unique_ptr<RWCollectable> byName(getRWFactory()->create(name));
        ASSERT_NE(byName, nullptr);
        EXPECT_EQ(byName->isA(), id);
    }
}

} // namespace
