#include "display/lunar_year_builder.h"

#include <algorithm>
#include <cmath>

#include "display/astronomy.h"
#include "display/civil_date.h"

namespace tz {
namespace {

constexpr double kChinaStandardTime = 8.0;
// Until 1928 the calendar was reckoned in the local time of Beijing
// (116°25' E, UTC+7:45:40); 1929 brought the 120° E standard meridian.
// It matters for the new moons of 1914-11, 1916-02 and 1920-11, which fell
// in the first minutes after midnight at 120° E.
constexpr double kBeijingLocalTime = (116.0 + 25.0 / 60.0) / 15.0;
const int kFirstStandardTimeDay = DaysFromCivil({1929, 1, 1});

// The calendars of the Qing court, to 1911, were computed from 18th-century
// tables whose new moons can be minutes off; where that moved a month's
// first day, the calendar as published wins over our astronomy.
struct PublishedNewMoon {
    CivilDate computed;
    CivilDate published;
};
constexpr PublishedNewMoon kQingCalendarNewMoons[] = {
    // 23:52 Beijing time by modern theory; 四月 began on the 24th.
    {{1906, 4, 23}, {1906, 4, 24}},
};

int CalendarDay(double jde) {
    const int day = astro::LocalDayOfJde(jde, kBeijingLocalTime);
    return day < kFirstStandardTimeDay ? day : astro::LocalDayOfJde(jde, kChinaStandardTime);
}

struct Month {
    int start;  // day number of the first day
    int number;
    bool leap;
};

// Day of the winter solstice (270°) of a Gregorian year.
int WinterSolsticeDay(int year) {
    const double guess = astro::JdOfDay(DaysFromCivil({year, 12, 21}));
    return CalendarDay(astro::SolarLongitudeCrossing(270.0, guess));
}

// Days of the twelve major terms (multiples of 30°) of a Gregorian year.
std::vector<int> MajorTermDays(int year) {
    std::vector<int> days;
    for (int i = 0; i < 12; ++i) {
        // 大寒 (300°) near 20 January, then every 30° about 30.44 days later.
        const double guess = astro::JdOfDay(DaysFromCivil({year, 1, 20})) + 30.4368 * i;
        const double degrees = std::fmod(300.0 + 30.0 * i, 360.0);
        days.push_back(CalendarDay(astro::SolarLongitudeCrossing(degrees, guess)));
    }
    return days;
}

}  // namespace

std::vector<LunarYearRow> BuildLunarYears(int first, int last) {
    // New moons from before the solstice preceding `first` to past the end of `last`.
    const int k_first = static_cast<int>(std::floor((first - 1 - 2000) * 12.3685)) - 2;
    const int k_last = static_cast<int>(std::ceil((last + 2 - 2000) * 12.3685));
    std::vector<int> new_moons;
    for (int k = k_first; k <= k_last; ++k) {
        int day = CalendarDay(astro::NewMoon(k));
        for (const PublishedNewMoon& p : kQingCalendarNewMoons) {
            if (day == DaysFromCivil(p.computed)) day = DaysFromCivil(p.published);
        }
        new_moons.push_back(day);
    }
    std::vector<int> major_terms;
    for (int y = first - 1; y <= last + 1; ++y) {
        const std::vector<int> days = MajorTermDays(y);
        major_terms.insert(major_terms.end(), days.begin(), days.end());
    }
    auto last_new_moon_on_or_before = [&](int day) {
        const auto it = std::upper_bound(new_moons.begin(), new_moons.end(), day);
        return static_cast<int>(it - new_moons.begin()) - 1;
    };
    auto has_major_term = [&](int from, int to) {  // within [from, to)
        const auto it = std::lower_bound(major_terms.begin(), major_terms.end(), from);
        return it != major_terms.end() && *it < to;
    };

    // Months of every solstice-to-solstice span that touches the years.
    std::vector<Month> months;
    for (int y = first; y <= last + 1; ++y) {
        const int a = last_new_moon_on_or_before(WinterSolsticeDay(y - 1));
        const int b = last_new_moon_on_or_before(WinterSolsticeDay(y));
        int leap = -1;
        if (b - a == 13) {
            for (int i = a + 1; i < b; ++i) {
                if (!has_major_term(new_moons[static_cast<std::size_t>(i)],
                                    new_moons[static_cast<std::size_t>(i + 1)])) {
                    leap = i;
                    break;
                }
            }
        }
        int number = 11;
        for (int i = a; i < b; ++i) {
            if (i == leap) {
                months.push_back({new_moons[static_cast<std::size_t>(i)], number, true});
                continue;
            }
            if (i != a) number = number % 12 + 1;
            months.push_back({new_moons[static_cast<std::size_t>(i)], number, false});
        }
    }
    months.push_back({new_moons[static_cast<std::size_t>(
                          last_new_moon_on_or_before(WinterSolsticeDay(last + 1)))],
                      11, false});

    std::vector<LunarYearRow> rows;
    int year = first - 1;
    for (std::size_t i = 0; i + 1 < months.size(); ++i) {
        const Month& m = months[i];
        if (m.number == 1 && !m.leap) {
            ++year;
            if (year > last) break;
            if (year >= first) rows.push_back({year, m.start, 0, {}, 0});
        }
        if (year < first || rows.empty()) continue;
        LunarYearRow& row = rows.back();
        if (m.leap) row.leap_month = m.number;
        row.month_days[row.month_count++] = months[i + 1].start - m.start;
    }
    return rows;
}

std::uint32_t PackLunarYear(const LunarYearRow& row) {
    std::uint32_t bits = 0;
    for (int i = 0; i < row.month_count; ++i) {
        if (row.month_days[i] == 30) bits |= 1u << i;
    }
    bits |= static_cast<std::uint32_t>(row.leap_month) << 13;
    const int day_of_year =
        row.new_year_day - DaysFromCivil({CivilFromDays(row.new_year_day).year, 1, 1});
    bits |= static_cast<std::uint32_t>(day_of_year) << 17;
    return bits;
}

}  // namespace tz
