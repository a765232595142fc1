#include "display/solar_terms.h"

#include <atomic>
#include <cmath>

#include "display/astronomy.h"

namespace tz {
namespace {

constexpr std::string_view kNames[kSolarTermCount] = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

constexpr double kChinaStandardTime = 8.0;
constexpr int kCacheFirstYear = 1900;
constexpr int kCacheLastYear = 2100;

}  // namespace

std::string_view SolarTermName(int index) {
    if (index < 0 || index >= kSolarTermCount) return {};
    return kNames[index];
}

int SolarTermDay(int year, int index) {
    // 小寒 falls on 5 or 6 January and the terms are 15.22 days apart on
    // average; the solver only needs a start within a few days.
    const double guess = astro::JdOfDay(DaysFromCivil({year, 1, 6})) + 15.2184 * index;
    const double degrees = std::fmod(285.0 + 15.0 * index, 360.0);
    return astro::LocalDayOfJde(astro::SolarLongitudeCrossing(degrees, guess), kChinaStandardTime);
}

std::array<SolarTerm, kSolarTermCount> SolarTermsOfYear(int year) {
    std::array<SolarTerm, kSolarTermCount> terms{};
    for (int i = 0; i < kSolarTermCount; ++i) {
        terms[static_cast<std::size_t>(i)] = {i, CivilFromDays(SolarTermDay(year, i))};
    }
    return terms;
}

int LichunDay(int year) {
    if (year < kCacheFirstYear || year > kCacheLastYear) return SolarTermDay(year, kLichun);
    // Zero means "not yet computed" (1970-01-01 is no 立春). Two threads
    // racing here compute and store the same value, so relaxed order is enough.
    static std::atomic<int> cache[kCacheLastYear - kCacheFirstYear + 1];
    std::atomic<int>& slot = cache[year - kCacheFirstYear];
    int day = slot.load(std::memory_order_relaxed);
    if (day == 0) {
        day = SolarTermDay(year, kLichun);
        slot.store(day, std::memory_order_relaxed);
    }
    return day;
}

}  // namespace tz
