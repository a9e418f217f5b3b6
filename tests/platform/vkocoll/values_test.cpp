// Tests of the value classes: dates, times, the locale's conversions and bit vectors.
#include "vkocoll/bitvec.h"
#include "vkocoll/rwdate.h"
#include "vkocoll/rwlocale.h"
#include "vkocoll/rwtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

TEST(DateTest, CalendarFieldsAndArithmetic)
{
    struct Case {
        const char* why;
        unsigned day, month, year;
        bool valid;
        unsigned week_day;   // 1 Monday .. 7 Sunday
        unsigned day_of_year;
    };
    const Case cases[] = {
        {"an ordinary day", 9, 12, 2026, true, 3, 343},
        {"leap day", 29, 2, 2024, true, 4, 60},
        {"no leap day in a century year", 29, 2, 1900, false, 0, 0},
        {"leap day in a 400th year", 29, 2, 2000, true, 2, 60},
        {"month 13", 1, 13, 2000, false, 0, 0},
        {"day 0", 0, 1, 2000, false, 0, 0},
        {"1 January 1901", 1, 1, 1901, true, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const RWDate d(c.day, c.month, c.year);
        EXPECT_EQ(d.isValid(), c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(d.dayOfMonth(), c.day);
        EXPECT_EQ(d.month(), c.month);
        EXPECT_EQ(d.year(), c.year);
        EXPECT_EQ(d.weekDay(), c.week_day);
        EXPECT_EQ(d.day(), c.day_of_year);
        EXPECT_EQ(RWDate(c.day_of_year, c.year), d);
    }
    const RWDate end_of_year(31, 12, 2025);
    EXPECT_EQ(end_of_year + 1, RWDate(1, 1, 2026));
    EXPECT_EQ(RWDate(1, 3, 2024) - RWDate(1, 2, 2024), 29);
    EXPECT_EQ(RWDate(9, 12, 2026).asString('x'), "12/09/26");
}

TEST(TimeTest, FromFieldsAndBack)
{
    std::tm fields{};
    fields.tm_year = 2026 - 1900;
    fields.tm_mon = 11;
    fields.tm_mday = 9;
    fields.tm_hour = 20;
    fields.tm_min = 5;
    fields.tm_sec = 7;
    const RWTime t(&fields, RWZone::utc());
    ASSERT_TRUE(t.isValid());
    EXPECT_EQ(t.seconds() - static_cast<unsigned long>(RWTime::kUnixEpoch), 1796846707ul);
    EXPECT_EQ(t.hour(RWZone::utc()), 20u);
    EXPECT_EQ(t.minute(RWZone::utc()), 5u);
    EXPECT_EQ(t.second(), 7u);
    EXPECT_EQ(t.asString('H', RWZone::utc()), "20");
    EXPECT_EQ(t.asString('\0', RWZone::utc()), "12/09/26 20:05:07");
    EXPECT_EQ(RWDate(t, RWZone::utc()), RWDate(9, 12, 2026));
    EXPECT_EQ(RWTime(RWDate(9, 12, 2026), 20, 5, 7, RWZone::utc()), t);

    const RWTime local_noon(RWDate(1, 7, 2020), 12, 0, 0);
    EXPECT_EQ(local_noon.hour(), 12u) << "local fields come back as given";
    EXPECT_FALSE(RWTime(0ul).isValid());
}

TEST(LocaleTest, NumbersToTextAndBack)
{
    const RWLocale& loc = RWLocale::global();
    EXPECT_EQ(loc.asString(-42L), "-42");
    EXPECT_EQ(loc.asString(3.0), "3") << "no forced point";
    EXPECT_EQ(loc.asString(1.0 / 3.0), "0.333333");
    EXPECT_EQ(loc.asString(1234567.0), "1.23457e+06");
    EXPECT_EQ(loc.asString(2.5, 3, true), "2.50");

    struct LongCase {
        const char* why;
        const char* text;
        bool ok;
        long value;
    };
    const LongCase longs[] = {
        {"plain", "123", true, 123},
        {"blanks around", "  -7 ", true, -7},
        {"trailing junk", "12ab", false, 0},
        {"empty", "", false, 0},
        {"overflow", "99999999999999999999999", false, 0},
    };
    for (const LongCase& c : longs) {
        SCOPED_TRACE(c.why);
        long v = -1;
        EXPECT_EQ(loc.stringToNum(RWCString(c.text), &v), c.ok);
        EXPECT_EQ(v, c.ok ? c.value : -1) << "a failure leaves the output alone";
    }
    double d = 0;
    EXPECT_TRUE(loc.stringToNum(RWCString("2.5e3"), &d));
    EXPECT_EQ(d, 2500.0);
    EXPECT_FALSE(loc.stringToNum(RWCString("2,5"), &d));
}

TEST(LocaleTest, DatesAndTimesFromText)
{
    struct DateCase {
        const char* why;
        const char* text;
        bool ok;
        int mday, mon, year;  // mon from 0, year from 1900 as in tm
    };
    const DateCase dates[] = {
        {"C form", "12/09/26", true, 9, 11, 126},
        {"four-digit year", "2/29/2024", true, 29, 1, 124},
        {"69 is 1969", "1/1/69", true, 1, 0, 69},
        {"ISO form", "2026-12-09", true, 9, 11, 126},
        {"month name first", "Dec 9, 2026", true, 9, 11, 126},
        {"day first", "9 december 2026", true, 9, 11, 126},
        {"impossible day", "2/30/2024", false, 0, 0, 0},
        {"mixed separators", "12/09-26", false, 0, 0, 0},
        {"junk after", "12/09/26x", false, 0, 0, 0},
    };
    for (const DateCase& c : dates) {
        SCOPED_TRACE(c.why);
        std::tm fields{};
        EXPECT_EQ(RWLocale::global().stringToDate(RWCString(c.text), &fields), c.ok);
        if (c.ok) {
            EXPECT_EQ(fields.tm_mday, c.mday);
            EXPECT_EQ(fields.tm_mon, c.mon);
            EXPECT_EQ(fields.tm_year, c.year);
        }
    }
    struct TimeCase {
        const char* why;
        const char* text;
        bool ok;
        int hour, min, sec;
    };
    const TimeCase times[] = {
        {"hours and minutes", "9:05", true, 9, 5, 0},
        {"with seconds", "23:59:58", true, 23, 59, 58},
        {"12 PM is noon", "12:30 PM", true, 12, 30, 0},
        {"12 am is midnight", "12:00 am", true, 0, 0, 0},
        {"hour 24", "24:00", false, 0, 0, 0},
        {"one-digit minutes", "9:5", false, 0, 0, 0},
        {"13 PM", "13:00 PM", false, 0, 0, 0},
    };
    for (const TimeCase& c : times) {
        SCOPED_TRACE(c.why);
        std::tm fields{};
        EXPECT_EQ(RWLocale::global().stringToTime(RWCString(c.text), &fields), c.ok);
        if (c.ok) {
            EXPECT_EQ(fields.tm_hour, c.hour);
            EXPECT_EQ(fields.tm_min, c.min);
            EXPECT_EQ(fields.tm_sec, c.sec);
        }
    }
}

TEST(BitVecTest, BitsAcrossWordsAndBounds)
{
    RWBitVec bits(70);
    EXPECT_EQ(bits.firstTrue(), RW_NPOS);
    bits.setBit(0);
    bits[65] = true;
    bits(69) = true;
    EXPECT_TRUE(bits.testBit(65));
    EXPECT_EQ(bits.sum(), 3u);
    EXPECT_EQ(bits.firstFalse(), 1u);
    bits.clearBit(0);
    EXPECT_EQ(bits.firstTrue(), 65u);
    EXPECT_THROW(bits.setBit(70), RWBoundsErr);
    EXPECT_THROW(static_cast<void>(bits[70]), RWBoundsErr);

    const RWBitVec flipped = ~bits;
    EXPECT_EQ(flipped.sum(), 68u) << "bits past the length stay clear";
    EXPECT_EQ((flipped & bits).sum(), 0u);
    EXPECT_EQ((flipped | bits).firstFalse(), RW_NPOS);
    EXPECT_THROW(bits |= RWBitVec(3), RWBoundsErr);

    bits.resize(66);
    bits.resize(70);
    EXPECT_FALSE(bits.testBit(69)) << "regrown bits are clear";
    EXPECT_TRUE(bits.testBit(65));
    EXPECT_EQ(RWBitVec(5, true), ~RWBitVec(5));
}

} // namespace
