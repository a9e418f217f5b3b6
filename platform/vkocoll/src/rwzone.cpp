// rwzone.cpp: the local zone through the C library's local-time calls, and UTC.
#include "vkocoll/rwzone.h"

namespace {

class LocalZone : public RWZone {
public:
    long timeZoneOffset() const override
    {
        ::tzset();
        return ::timezone;
    }
    bool daylightObserved() const override
    {
        ::tzset();
        return ::daylight != 0;
    }
    void toCalendar(std::int64_t unix_seconds, std::tm* out) const override
    {
        const auto t = static_cast<std::time_t>(unix_seconds);
        ::localtime_r(&t, out);
    }
    std::int64_t toUnix(const std::tm& fields) const override
    {
        std::tm copy = fields;
        return static_cast<std::int64_t>(std::mktime(&copy));
    }
};

class UtcZone : public RWZone {
public:
    long timeZoneOffset() const override { return 0; }
    bool daylightObserved() const override { return false; }
    void toCalendar(std::int64_t unix_seconds, std::tm* out) const override
    {
        const auto t = static_cast<std::time_t>(unix_seconds);
        ::gmtime_r(&t, out);
    }
    std::int64_t toUnix(const std::tm& fields) const override
    {
        std::tm copy = fields;
        return static_cast<std::int64_t>(::timegm(&copy));
    }
};

} // namespace

const RWZone& RWZone::local()
{
    static const LocalZone zone;
    return zone;
}

const RWZone& RWZone::utc()
{
    static const UtcZone zone;
    return zone;
}
