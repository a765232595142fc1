// Builds the lunar year table from first principles: new moons and the
// sun's major terms, by the rules of the present Chinese calendar (the month
// holding the winter solstice is the eleventh; in a solstice-to-solstice
// span of thirteen months the first month without a major term is the leap
// month). tools/lunar_table_gen prints the result as the committed table,
// and a unit test checks that table against a fresh build.
#pragma once

#include <cstdint>
#include <vector>

namespace tz {

struct LunarYearRow {
    int year;            // lunar year
    int new_year_day;    // day number of 正月初一
    int leap_month;      // 0 = none, else the regular month the leap month follows
    int month_days[13];  // lengths in calendar order, leap month in its place
    int month_count;     // 12 or 13
};

// Rows for lunar years first..last (both within 1900..2050), with days
// counted in China Standard Time (UTC+8).
std::vector<LunarYearRow> BuildLunarYears(int first, int last);

// The packed form used by the table:
//   bits 0..12   month i (calendar order, leap month in place) has 30 days
//   bits 13..16  leap month, 0 for none
//   bits 17..22  day of the year (0 = 1 January) of 正月初一
std::uint32_t PackLunarYear(const LunarYearRow& row);

// The committed table (lunar_year_table.cpp), lunar years 1901..2049.
inline constexpr int kLunarTableFirstYear = 1901;
inline constexpr int kLunarTableLastYear = 2049;
inline constexpr int kLunarTableSize = kLunarTableLastYear - kLunarTableFirstYear + 1;
extern const std::uint32_t kLunarYearTable[kLunarTableSize];

}  // namespace tz
