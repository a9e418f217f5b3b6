// rwtime.h: RWTime, a moment held as whole seconds since 1 January 1901 00:00 UTC; 0 marks
// an invalid time. Calendar fields are read and written in a zone (local by default).
#pragma once
#include <cstddef>
#include <ctime>
#include "vkocoll/cstring.h"
#include "vkocoll/rwzone.h"

class RWDate;

class RWTime {
public:
    // Now.
    RWTime();
    explicit RWTime(unsigned long seconds) : seconds_(seconds) {}
    // Today at the given local time of day.
    RWTime(unsigned hour, unsigned minute, unsigned second = 0,
           const RWZone& zone = RWZone::local());
    RWTime(const RWDate& date, unsigned hour = 0, unsigned minute = 0, unsigned second = 0,
           const RWZone& zone = RWZone::local());
    // The date and time fields of fields (tm_isdst < 0 lets the zone decide); an invalid
    // time when they do not give a moment after 1901.
    explicit RWTime(const std::tm* fields, const RWZone& zone = RWZone::local());
    static RWTime now() { return RWTime(); }

    bool isValid() const { return seconds_ != 0; }
    unsigned long seconds() const { return seconds_; }
    unsigned hour(const RWZone& zone = RWZone::local()) const;
    unsigned minute(const RWZone& zone = RWZone::local()) const;
    unsigned second() const;
    void extract(std::tm* out, const RWZone& zone = RWZone::local()) const;
    // strftime's format letter; '\0' gives the date and the time ("%x %X").
    RWCString asString(char format = '\0', const RWZone& zone = RWZone::local()) const;

    std::size_t binaryStoreSize() const { return 4; }
    void saveOn(RWvostream& out) const;
    void saveOn(RWFile& file) const;
    void restoreFrom(RWvistream& in);
    void restoreFrom(RWFile& file);

    friend bool operator==(const RWTime& a, const RWTime& b) { return a.seconds_ == b.seconds_; }
    friend bool operator!=(const RWTime& a, const RWTime& b) { return a.seconds_ != b.seconds_; }
    friend bool operator<(const RWTime& a, const RWTime& b) { return a.seconds_ < b.seconds_; }
    friend bool operator<=(const RWTime& a, const RWTime& b) { return a.seconds_ <= b.seconds_; }
    friend bool operator>(const RWTime& a, const RWTime& b) { return a.seconds_ > b.seconds_; }
    friend bool operator>=(const RWTime& a, const RWTime& b) { return a.seconds_ >= b.seconds_; }
    friend RWTime operator+(const RWTime& t, unsigned long s) { return RWTime(t.seconds_ + s); }
    friend RWTime operator-(const RWTime& t, unsigned long s) { return RWTime(t.seconds_ - s); }

    // Seconds from 1901 to 1970.
    static constexpr long long kUnixEpoch = 2177452800LL;

private:
    void setFromUnix(long long unix_seconds);
    long long unixSeconds() const { return static_cast<long long>(seconds_) - kUnixEpoch; }
    unsigned long seconds_ = 0;
};
