// The 24 solar terms: the China Standard Time (UTC+8) day on which the sun's
// apparent longitude reaches each multiple of 15°, computed by our own
// astronomy (astronomy.h), not taken from a table.
#pragma once

#include <array>
#include <string_view>

#include "display/civil_date.h"

namespace tz {

inline constexpr int kSolarTermCount = 24;

// Index 0 is 小寒 (285°), then every 15°: 大寒 立春 雨水 惊蛰 春分 清明 谷雨
// 立夏 小满 芒种 夏至 小暑 大暑 立秋 处暑 白露 秋分 寒露 霜降 立冬 小雪 大雪,
// and 23 is 冬至 (270°). This is also their order within a Gregorian year.
inline constexpr int kLichun = 2;
std::string_view SolarTermName(int index);  // UTF-8; empty outside 0..23

struct SolarTerm {
    int index;  // 0..23, see SolarTermName
    CivilDate date;
};

// The day number (days since 1970-01-01) of one term of a Gregorian year.
// Good for 1800..2100; about 10 µs of arithmetic per call.
int SolarTermDay(int year, int index);

// All 24 terms of a Gregorian year in time order (index order).
std::array<SolarTerm, kSolarTermCount> SolarTermsOfYear(int year);

// The day number of 立春 of a Gregorian year, remembered after the first
// call for the years 1900..2100, since every formatted date needs it.
int LichunDay(int year);

}  // namespace tz
