// Tests of validators: sharing of implementations by key, their release, formatting with and
// without auto-complete, the formatter callbacks' selection rule, bad data, and long texts.
#include "frm/controls/cvalidtr.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/frm/support/frm_error_capture.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace {

class ValidatorTest : public ::testing::Test {
protected:
    void SetUp() override { vkov_test_reset_all(); }
    CValidatorFactoryDefault itsFactory;
};

TEST_F(ValidatorTest, EqualKeysShareOneImplementation)
{
    FRM_CValidator a = itsFactory.ConstructValidator(FRM_CStringRW("99/99"), 0);
    FRM_CValidator b = itsFactory.ConstructValidator(FRM_CStringRW("99/99"), 0);
    FRM_CValidator c = itsFactory.ConstructValidator(FRM_CStringRW("99/99"), 1);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
    EXPECT_EQ(itsFactory.ImplementationCount(), 2U);
    EXPECT_EQ(a.Implementation()->GetReferenceCount(), 2);
    EXPECT_EQ(std::string(c.Implementation()->GetKey().data()), "99/99__AuTo");

    // Copies and assignments count; the last release removes the implementation.
    {
        FRM_CValidator copy(c);
        EXPECT_EQ(c.Implementation()->GetReferenceCount(), 2);
        copy = a;
        EXPECT_EQ(c.Implementation()->GetReferenceCount(), 1);
        EXPECT_EQ(a.Implementation()->GetReferenceCount(), 3);
    }
    c = FRM_CValidator();
    EXPECT_FALSE(c.IsValid());
    EXPECT_EQ(itsFactory.ImplementationCount(), 1U);
    FRM_CValidator again = itsFactory.ConstructValidator(FRM_CStringRW("99/99"), 1);
    EXPECT_EQ(again.Implementation()->GetReferenceCount(), 1) << "a fresh implementation";
}

TEST_F(ValidatorTest, FormattingAndMatching)
{
    FRM_CValidator plain = itsFactory.ConstructValidator(FRM_CStringRW("99/99"), 0);
    FRM_CValidator completing = itsFactory.ConstructValidator(FRM_CStringRW("99/99"), 1);
    FRM_CValidator none;
    struct Case {
        const char* why;
        const FRM_CValidator* validator;
        const char* text;
        const char* formatted;
        std::int32_t first, last, wantFirst, wantLast;
    };
    const Case cases[] = {
        {"literal put in, the caret stays at the end", &plain, "1234", "12/34", 4, 4, 5, 5},
        {"a caret in the middle follows its character", &plain, "1234", "12/34", 2, 2, 3, 3},
        {"auto-complete adds the next literal and moves the caret", &completing, "12", "12/", 2,
         2, 3, 3},
        {"a character that fits nowhere is dropped", &plain, "1x", "1", 0, 0, 0, 0},
        {"no implementation keeps the text", &none, "abc", "abc", 1, 2, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::int32_t first = c.first;
        std::int32_t last = c.last;
        EXPECT_EQ(std::string(c.validator->FormatString(FRM_CStringRW(c.text), &first, &last).data()),
                  c.formatted);
        EXPECT_EQ(first, c.wantFirst);
        EXPECT_EQ(last, c.wantLast);
    }
    EXPECT_TRUE(plain.TestMatch(FRM_CStringRW("12/34")));
    EXPECT_FALSE(plain.TestMatch(FRM_CStringRW("12/3")));
    EXPECT_FALSE(none.TestMatch(FRM_CStringRW("12/34")));
}

TEST_F(ValidatorTest, CallbacksCollapseTheSelectionAndRefuseOtherData)
{
    FRM_CValidator any = itsFactory.ConstructValidator(FRM_CStringRW("?*"), 0);
    std::int32_t first = 1;
    std::int32_t last = 3;
    EXPECT_STREQ(FRM_CValidator::Format("abcd", &first, &last, &any), "abcd");
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 2);

    // Texts longer than any fixed buffer come back whole.
    const std::string longText(1000, 'q');
    first = last = 0;
    EXPECT_EQ(std::string(FRM_CValidator::Format(longText.c_str(), &first, &last, &any)), longText);

    FRM_CValidator digits = itsFactory.ConstructValidator(FRM_CStringRW("9*"), 0);
    first = last = 0;
    EXPECT_EQ(FRM_CValidator::FormatList("abc", &first, &last, &digits), -1);
    EXPECT_NE(FRM_CValidator::FormatList("12", &first, &last, &digits), -1);

    FrmErrorCapture errors;
    int notAValidator = 7;
    first = 0;
    last = 2;
    EXPECT_STREQ(FRM_CValidator::Format("keep", &first, &last, &notAValidator), "keep");
    ASSERT_EQ(errors.Reports().size(), 1U);
    EXPECT_EQ(errors.Reports()[0].code, 3113);
    EXPECT_EQ(errors.Reports()[0].file, "cvalidtr");
}

} // namespace
