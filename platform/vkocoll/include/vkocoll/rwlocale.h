// rwlocale.h: RWLocale, conversions between numbers, dates, times and text. global() gives
// the C locale's forms: integers in decimal, doubles as "%.6g" (no forced point), dates as
// mm/dd/yy. A conversion from text answers false and leaves its output alone on failure.
#pragma once
#include <ctime>
#include "vkocoll/cstring.h"
#include "vkocoll/rwzone.h"

class RWLocale {
public:
    virtual ~RWLocale() = default;

    virtual RWCString asString(long value) const;
    virtual RWCString asString(unsigned long value) const;
    // precision significant digits; showpoint keeps the point and trailing zeros.
    virtual RWCString asString(double value, int precision = 6, bool showpoint = false) const;
    // strftime's format letter on the fields.
    virtual RWCString asString(const std::tm* fields, char format) const;

    // The whole text (blanks around it allowed) must be the number.
    virtual bool stringToNum(const RWCString& text, long* value) const;
    virtual bool stringToNum(const RWCString& text, double* value) const;
    // Accepts m/d/y (separators / - or ., a 2-digit year 69-99 is 19xx and 00-68 20xx),
    // yyyy-mm-dd, "Mon d, yyyy" and "d Mon yyyy" (month names in English, any case, full or
    // abbreviated). Sets tm_mday, tm_mon and tm_year.
    virtual bool stringToDate(const RWCString& text, std::tm* fields) const;
    // Accepts h:mm or h:mm:ss, optionally followed by AM or PM. Sets tm_hour, tm_min and
    // tm_sec.
    virtual bool stringToTime(const RWCString& text, std::tm* fields) const;

    // The locale used for conversions: the C forms above unless one was installed.
    static const RWLocale& global();
    // Installs locale (null restores the C forms); answers the one it replaces. The caller
    // keeps ownership and must keep it alive while installed.
    static const RWLocale* global(const RWLocale* locale);
};
