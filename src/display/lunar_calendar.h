// The Chinese lunar calendar for the days 1901-02-19 .. 2048-12-31: date
// conversion, the names of years, months and days, and the box's text.
// Texts are UTF-8. Dates are proleptic Gregorian.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "display/civil_date.h"

namespace tz {

struct LunarDate {
    int year;   // lunar year; 正月初一 starts it
    int month;  // 1..12
    int day;    // 1..30
    bool leap;  // the day lies in the year's leap month (which follows `month`)
    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

inline constexpr CivilDate kFirstSupportedDate{1901, 2, 19};  // lunar 1901 正月初一
inline constexpr CivilDate kLastSupportedDate{2048, 12, 31};  // lunar 2048 冬月廿七

// A real calendar day within the supported range.
bool IsSupportedDate(CivilDate date);

// The lunar date of a day, or nullopt outside the supported range.
std::optional<LunarDate> ToLunar(CivilDate date);

// The stem-branch year (1 = 甲子 .. 60 = 癸亥) in force on a day; it changes
// on the day of 立春, not at the lunar New Year. 0 outside the supported range.
int SexagenaryYear(CivilDate date);
std::string SexagenaryYearName(int number);  // "己亥"; empty unless 1..60
std::string ZodiacName(int number);          // "猪"; empty unless 1..60

// "正月" .. "十月", "冬月", "腊月", with "闰" before a leap month; empty
// unless the month is 1..12.
std::string LunarMonthName(int month, bool leap);

// "初一" .. "初十", "十一" .. "十九", "二十", "廿一" .. "廿九", "三十"; empty
// unless the day is 1..30.
std::string LunarDayName(int day);

// The default format of the box: year name, zodiac, lunar month and day,
// then the Gregorian date without leading zeros.
inline constexpr std::string_view kDefaultLunarFormat = "%Y年(%S)%M%D %y-%m-%d";

// Replaces %Y (year name), %S (zodiac), %M (month name), %D (day name), %y,
// %m, %d (Gregorian numbers, no leading zeros) in `format`; an empty format
// means kDefaultLunarFormat. Codes are case-sensitive, anything else is
// copied as it is, and there is no escape for a literal '%'. Returns an
// empty string for a day outside the supported range.
std::string FormatLunarText(std::string_view format, CivilDate date);

// What the month calendar needs, for lunar years 1901..2049 (the table's
// years; note the supported days end inside lunar 2048).
int LeapMonthOfYear(int lunar_year);  // 0 = none, else the month it follows
// 29 or 30; 0 when the year has no such month.
int DaysInLunarMonth(int lunar_year, int month, bool leap);
// The civil date of a lunar day; nullopt when no such day exists in the table.
std::optional<CivilDate> FromLunar(LunarDate date);

}  // namespace tz
