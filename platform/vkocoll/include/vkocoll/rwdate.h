// rwdate.h: RWDate, a calendar day (Gregorian) held as its Julian day number; 0 marks an
// invalid date, which is what impossible day, month or year values give.
#pragma once
#include <cstddef>
#include <ctime>
#include "vkocoll/cstring.h"
#include "vkocoll/rwzone.h"

class RWLocale;
class RWTime;

class RWDate {
public:
    // Today in the local zone.
    RWDate();
    // Day of the year (1 = 1 January).
    RWDate(unsigned day_of_year, unsigned year);
    RWDate(unsigned day, unsigned month, unsigned year);
    // The tm_mday, tm_mon and tm_year fields.
    explicit RWDate(const std::tm* fields);
    explicit RWDate(const RWTime& time, const RWZone& zone = RWZone::local());
    static RWDate fromJulian(unsigned long julian_day);

    bool isValid() const { return julian_ != 0; }
    unsigned long julian() const { return julian_; }
    unsigned day() const;  // day of the year, 1 on 1 January
    unsigned dayOfMonth() const;
    unsigned month() const;  // 1 to 12
    unsigned year() const;
    unsigned weekDay() const;  // 1 Monday to 7 Sunday
    // Fills the date fields of out (time fields 0); all fields 0 for an invalid date.
    void extract(std::tm* out) const;
    // The date through strftime's format letter (default 'x'), in the C locale's forms.
    RWCString asString(char format = 'x') const;

    static bool leap(unsigned year);
    static unsigned daysInMonthYear(unsigned month, unsigned year);

    std::size_t binaryStoreSize() const { return 4; }
    void saveOn(RWvostream& out) const;
    void saveOn(RWFile& file) const;
    void restoreFrom(RWvistream& in);
    void restoreFrom(RWFile& file);

    friend bool operator==(const RWDate& a, const RWDate& b) { return a.julian_ == b.julian_; }
    friend bool operator!=(const RWDate& a, const RWDate& b) { return a.julian_ != b.julian_; }
    friend bool operator<(const RWDate& a, const RWDate& b) { return a.julian_ < b.julian_; }
    friend bool operator<=(const RWDate& a, const RWDate& b) { return a.julian_ <= b.julian_; }
    friend bool operator>(const RWDate& a, const RWDate& b) { return a.julian_ > b.julian_; }
    friend bool operator>=(const RWDate& a, const RWDate& b) { return a.julian_ >= b.julian_; }
    // Days later (earlier); the difference of two dates in days.
    friend RWDate operator+(const RWDate& d, long days) { return d.plus(days); }
    friend RWDate operator-(const RWDate& d, long days) { return d.plus(-days); }
    friend long operator-(const RWDate& a, const RWDate& b)
    {
        return static_cast<long>(a.julian_) - static_cast<long>(b.julian_);
    }

private:
    RWDate plus(long days) const;
    unsigned long julian_ = 0;
};
