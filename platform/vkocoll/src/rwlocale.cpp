// rwlocale.cpp: the C locale's conversions. Formatting and parsing go through a C locale
// object of our own, so a program that calls setlocale does not change stored forms.
#include "vkocoll/rwlocale.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <strings.h>

#include "vkocoll/rwdate.h"

namespace {

constexpr std::size_t kTimeBuf = 256;
constexpr int kMaxPrecision = 17;

const char* const kMonths[12] = {"january", "february", "march",     "april",
                                 "may",     "june",     "july",      "august",
                                 "september", "october", "november", "december"};

struct LocaleState {
    const RWLocale* installed = nullptr;
};

LocaleState& state()
{
    static LocaleState s;
    return s;
}

locale_t cLocale()
{
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A cursor over the text with the small readers the date and time forms need.
struct Reader {
    const char* p;
    const char* end;

    void skipBlanks()
    {
        while (p < end && isBlank(*p))
            ++p;
    }
    bool atEnd()
    {
        skipBlanks();
        return p == end;
    }
    // Reads 1 to max_digits digits; answers the count read (0 when none).
    int number(unsigned& value, int max_digits)
    {
        int n = 0;
        value = 0;
        while (p < end && n < max_digits && *p >= '0' && *p <= '9') {
            value = value * 10 + static_cast<unsigned>(*p - '0');
            ++p;
            ++n;
        }
        return n;
    }
    bool take(char c)
    {
        if (p < end && *p == c) {
            ++p;
            return true;
        }
        return false;
    }
    // An English month name, full or its first three letters; answers 1 to 12, or 0.
    unsigned monthName()
    {
        const char* start = p;
        while (p < end && ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z')))
            ++p;
        const auto len = static_cast<std::size_t>(p - start);
        if (len >= 3) {
            for (unsigned m = 0; m < 12; ++m) {
                if (len <= std::strlen(kMonths[m]) && ::strncasecmp(start, kMonths[m], len) == 0)
                    return m + 1;
            }
        }
        p = start;
        return 0;
    }
};

bool setDate(unsigned day, unsigned month, unsigned year, std::tm* fields)
{
    if (!RWDate(day, month, year).isValid())
        return false;
    fields->tm_mday = static_cast<int>(day);
    fields->tm_mon = static_cast<int>(month) - 1;
    fields->tm_year = static_cast<int>(year) - 1900;
    return true;
}

unsigned fullYear(unsigned year, int digits)
{
    if (digits > 2)
        return year;
    return year < 69 ? 2000 + year : 1900 + year;
}

} // namespace

RWCString RWLocale::asString(long value) const
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%ld", value);
    return RWCString(buf);
}

RWCString RWLocale::asString(unsigned long value) const
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lu", value);
    return RWCString(buf);
}

RWCString RWLocale::asString(double value, int precision, bool showpoint) const
{
    if (precision < 0)
        precision = 6;
    if (precision > kMaxPrecision)
        precision = kMaxPrecision;
    char buf[64];
    const locale_t old = ::uselocale(cLocale());
    std::snprintf(buf, sizeof buf, showpoint ? "%#.*g" : "%.*g", precision, value);
    ::uselocale(old);
    return RWCString(buf);
}

RWCString RWLocale::asString(const std::tm* fields, char format) const
{
    if (fields == nullptr || format == '\0')
        return RWCString();
    const char pattern[3] = {'%', format, '\0'};
    char buf[kTimeBuf];
    const std::size_t n = ::strftime_l(buf, sizeof buf, pattern, fields, cLocale());
    return RWCString(buf, n);
}

bool RWLocale::stringToNum(const RWCString& text, long* value) const
{
    const char* begin = text.data();
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE)
        return false;
    while (isBlank(*end))
        ++end;
    if (end != begin + text.length())
        return false;
    *value = parsed;
    return true;
}

bool RWLocale::stringToNum(const RWCString& text, double* value) const
{
    const char* begin = text.data();
    char* end = nullptr;
    errno = 0;
    const double parsed = ::strtod_l(begin, &end, cLocale());
    if (end == begin || (errno == ERANGE && std::fabs(parsed) == HUGE_VAL))
        return false;
    while (isBlank(*end))
        ++end;
    if (end != begin + text.length())
        return false;
    *value = parsed;
    return true;
}

bool RWLocale::stringToDate(const RWCString& text, std::tm* fields) const
{
    Reader r{text.data(), text.data() + text.length()};
    r.skipBlanks();
    unsigned a = 0;
    unsigned b = 0;
    unsigned c = 0;
    Reader start = r;
    if (const unsigned month = r.monthName(); month != 0) {
        // Mon d, yyyy
        r.skipBlanks();
        if (r.number(b, 2) == 0)
            return false;
        r.take(',');
        r.skipBlanks();
        const int digits = r.number(c, 4);
        if (digits == 0 || !r.atEnd())
            return false;
        return setDate(b, month, fullYear(c, digits), fields);
    }
    r = start;
    const int first_digits = r.number(a, 4);
    if (first_digits == 0)
        return false;
    r.skipBlanks();
    if (const unsigned month = r.monthName(); month != 0) {
        // d Mon yyyy
        r.skipBlanks();
        const int digits = r.number(c, 4);
        if (digits == 0 || !r.atEnd())
            return false;
        return setDate(a, month, fullYear(c, digits), fields);
    }
    char sep = 0;
    for (const char candidate : {'/', '-', '.'}) {
        if (r.take(candidate)) {
            sep = candidate;
            break;
        }
    }
    if (sep == 0 || r.number(b, 2) == 0 || !r.take(sep))
        return false;
    const int last_digits = r.number(c, 4);
    if (last_digits == 0 || !r.atEnd())
        return false;
    if (first_digits > 2)  // yyyy-mm-dd
        return setDate(c, b, a, fields);
    return setDate(b, a, fullYear(c, last_digits), fields);
}

bool RWLocale::stringToTime(const RWCString& text, std::tm* fields) const
{
    Reader r{text.data(), text.data() + text.length()};
    r.skipBlanks();
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    if (r.number(hour, 2) == 0 || !r.take(':') || r.number(minute, 2) != 2)
        return false;
    if (r.take(':') && r.number(second, 2) != 2)
        return false;
    r.skipBlanks();
    if (r.p < r.end) {
        const auto left = static_cast<std::size_t>(r.end - r.p);
        const bool pm = left >= 2 && ::strncasecmp(r.p, "pm", 2) == 0;
        const bool am = left >= 2 && ::strncasecmp(r.p, "am", 2) == 0;
        if (!am && !pm)
            return false;
        r.p += 2;
        if (!r.atEnd() || hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    fields->tm_hour = static_cast<int>(hour);
    fields->tm_min = static_cast<int>(minute);
    fields->tm_sec = static_cast<int>(second);
    return true;
}

const RWLocale& RWLocale::global()
{
    static const RWLocale c_forms;
    const RWLocale* installed = state().installed;
    return installed != nullptr ? *installed : c_forms;
}

const RWLocale* RWLocale::global(const RWLocale* locale)
{
    const RWLocale* old = &global();
    state().installed = locale;
    return old;
}
