// rwtime.cpp: RWTime; calendar work goes through the zone in seconds since 1970.
#include "vkocoll/rwtime.h"

#include <climits>

#include "vkocoll/rwdate.h"
#include "vkocoll/rwfile.h"
#include "vkocoll/rwlocale.h"
#include "vkocoll/vstream.h"

RWTime::RWTime() { setFromUnix(static_cast<long long>(std::time(nullptr))); }

RWTime::RWTime(unsigned hour, unsigned minute, unsigned second, const RWZone& zone)
    : RWTime(RWDate(RWTime(), zone), hour, minute, second, zone)
{
}

RWTime::RWTime(const RWDate& date, unsigned hour, unsigned minute, unsigned second,
               const RWZone& zone)
{
    if (!date.isValid())
        return;
    std::tm fields{};
    date.extract(&fields);
    fields.tm_hour = static_cast<int>(hour);
    fields.tm_min = static_cast<int>(minute);
    fields.tm_sec = static_cast<int>(second);
    fields.tm_isdst = -1;
    setFromUnix(zone.toUnix(fields));
}

RWTime::RWTime(const std::tm* fields, const RWZone& zone)
{
    if (fields == nullptr)
        return;
    setFromUnix(zone.toUnix(*fields));
}

void RWTime::setFromUnix(long long unix_seconds)
{
    const long long since_1901 = unix_seconds + kUnixEpoch;
    seconds_ = since_1901 > 0 && static_cast<unsigned long long>(since_1901) <= ULONG_MAX
                   ? static_cast<unsigned long>(since_1901)
                   : 0;
}

void RWTime::extract(std::tm* out, const RWZone& zone) const
{
    *out = std::tm{};
    if (isValid())
        zone.toCalendar(unixSeconds(), out);
}

unsigned RWTime::hour(const RWZone& zone) const
{
    std::tm fields{};
    extract(&fields, zone);
    return static_cast<unsigned>(fields.tm_hour);
}

unsigned RWTime::minute(const RWZone& zone) const
{
    std::tm fields{};
    extract(&fields, zone);
    return static_cast<unsigned>(fields.tm_min);
}

unsigned RWTime::second() const { return static_cast<unsigned>(seconds_ % 60); }

RWCString RWTime::asString(char format, const RWZone& zone) const
{
    if (!isValid())
        return RWCString();
    std::tm fields{};
    extract(&fields, zone);
    if (format != '\0')
        return RWLocale::global().asString(&fields, format);
    return RWLocale::global().asString(&fields, 'x') + " " +
           RWLocale::global().asString(&fields, 'X');
}

void RWTime::saveOn(RWvostream& out) const { out.put(seconds_); }
void RWTime::saveOn(RWFile& file) const { file.Write(seconds_); }
void RWTime::restoreFrom(RWvistream& in) { in.get(seconds_); }
void RWTime::restoreFrom(RWFile& file) { file.Read(seconds_); }
