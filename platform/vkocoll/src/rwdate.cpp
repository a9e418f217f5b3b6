// rwdate.cpp: RWDate over Julian day numbers (day 0 of the count is 24 November 4714 BC in
// the proleptic Gregorian calendar, so every date of our era is positive).
#include "vkocoll/rwdate.h"

#include "vkocoll/rwfile.h"
#include "vkocoll/rwlocale.h"
#include "vkocoll/rwtime.h"
#include "vkocoll/vstream.h"

namespace {

constexpr unsigned kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

unsigned long julianOf(unsigned day, unsigned month, unsigned year)
{
    const long a = (14 - static_cast<long>(month)) / 12;
    const long y = static_cast<long>(year) + 4800 - a;
    const long m = static_cast<long>(month) + 12 * a - 3;
    return static_cast<unsigned long>(static_cast<long>(day) + (153 * m + 2) / 5 + 365 * y +
                                      y / 4 - y / 100 + y / 400 - 32045);
}

struct Civil {
    unsigned day;
    unsigned month;
    unsigned year;
};

Civil civilOf(unsigned long julian)
{
    const long a = static_cast<long>(julian) + 32044;
    const long b = (4 * a + 3) / 146097;
    const long c = a - 146097 * b / 4;
    const long d = (4 * c + 3) / 1461;
    const long e = c - 1461 * d / 4;
    const long m = (5 * e + 2) / 153;
    return Civil{static_cast<unsigned>(e - (153 * m + 2) / 5 + 1),
                 static_cast<unsigned>(m + 3 - 12 * (m / 10)),
                 static_cast<unsigned>(100 * b + d - 4800 + m / 10)};
}

} // namespace

bool RWDate::leap(unsigned year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned RWDate::daysInMonthYear(unsigned month, unsigned year)
{
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && leap(year) ? 29 : kDaysInMonth[month - 1];
}

RWDate::RWDate() : RWDate(RWTime::now()) {}

RWDate::RWDate(unsigned day_of_year, unsigned year)
{
    if (year < 1 || day_of_year < 1 || day_of_year > (leap(year) ? 366u : 365u))
        return;
    julian_ = julianOf(1, 1, year) + day_of_year - 1;
}

RWDate::RWDate(unsigned day, unsigned month, unsigned year)
{
    if (year < 1 || day < 1 || day > daysInMonthYear(month, year))
        return;
    julian_ = julianOf(day, month, year);
}

RWDate::RWDate(const std::tm* fields)
{
    if (fields == nullptr || fields->tm_mon < 0 || fields->tm_mday < 1 ||
        fields->tm_year < -1899)
        return;
    *this = RWDate(static_cast<unsigned>(fields->tm_mday),
                   static_cast<unsigned>(fields->tm_mon + 1),
                   static_cast<unsigned>(fields->tm_year + 1900));
}

RWDate::RWDate(const RWTime& time, const RWZone& zone)
{
    if (!time.isValid())
        return;
    std::tm fields{};
    time.extract(&fields, zone);
    *this = RWDate(&fields);
}

RWDate RWDate::fromJulian(unsigned long julian_day)
{
    RWDate date(1u, 1u, 1u);
    date.julian_ = julian_day;
    return date;
}

unsigned RWDate::day() const
{
    if (!isValid())
        return 0;
    return static_cast<unsigned>(julian_ - julianOf(1, 1, year()) + 1);
}

unsigned RWDate::dayOfMonth() const { return isValid() ? civilOf(julian_).day : 0; }
unsigned RWDate::month() const { return isValid() ? civilOf(julian_).month : 0; }
unsigned RWDate::year() const { return isValid() ? civilOf(julian_).year : 0; }
unsigned RWDate::weekDay() const { return isValid() ? static_cast<unsigned>(julian_ % 7) + 1 : 0; }

void RWDate::extract(std::tm* out) const
{
    *out = std::tm{};
    if (!isValid())
        return;
    const Civil c = civilOf(julian_);
    out->tm_mday = static_cast<int>(c.day);
    out->tm_mon = static_cast<int>(c.month) - 1;
    out->tm_year = static_cast<int>(c.year) - 1900;
    out->tm_wday = static_cast<int>(weekDay() % 7);  // tm counts from Sunday
    out->tm_yday = static_cast<int>(day()) - 1;
    out->tm_isdst = -1;
}

RWCString RWDate::asString(char format) const
{
    if (!isValid())
        return RWCString();
    std::tm fields{};
    extract(&fields);
    return RWLocale::global().asString(&fields, format);
}

RWDate RWDate::plus(long days) const
{
    if (!isValid())
        return *this;
    const long moved = static_cast<long>(julian_) + days;
    return fromJulian(moved > 0 ? static_cast<unsigned long>(moved) : 0);
}

void RWDate::saveOn(RWvostream& out) const { out.put(julian_); }
void RWDate::saveOn(RWFile& file) const { file.Write(julian_); }
void RWDate::restoreFrom(RWvistream& in) { in.get(julian_); }
void RWDate::restoreFrom(RWFile& file) { file.Read(julian_); }
