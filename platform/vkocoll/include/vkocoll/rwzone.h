// rwzone.h: RWZone, a time zone: how a moment (seconds since 1970 UTC) maps to calendar
// fields and back. local() follows the process's TZ setting, daylight saving included.
#pragma once
#include <cstdint>
#include <ctime>

class RWZone {
public:
    virtual ~RWZone() = default;
    // Seconds west of UTC of standard time.
    virtual long timeZoneOffset() const = 0;
    virtual bool daylightObserved() const = 0;
    // The calendar fields of a moment in this zone.
    virtual void toCalendar(std::int64_t unix_seconds, std::tm* out) const = 0;
    // The moment of calendar fields in this zone (tm_isdst < 0: the zone decides); fields out
    // of range are carried over as mktime does.
    virtual std::int64_t toUnix(const std::tm& fields) const = 0;

    static const RWZone& local();
    static const RWZone& utc();
};
