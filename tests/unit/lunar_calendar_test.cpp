#include "display/lunar_calendar.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "display/astronomy.h"
#include "display/lunar_year_builder.h"
#include "display/solar_terms.h"
#include "../common/sequential_format.h"

namespace tz {
namespace {

std::string Iso(CivilDate d) {
    return std::to_string(d.year) + '-' + std::to_string(d.month) + '-' + std::to_string(d.day);
}

TEST(LunarCalendar, DefaultTextOfKnownDays) {
    struct Case {
        CivilDate date;
        const char* text;
    };
    const Case cases[] = {
        {{2018, 12, 5}, "戊戌年(狗)十月廿八 2018-12-5"},
        {{2018, 11, 27}, "戊戌年(狗)十月二十 2018-11-27"},
        // The year name changes on 立春 (2019-02-04), the lunar year at New Year.
        {{2019, 2, 3}, "戊戌年(狗)腊月廿九 2019-2-3"},
        {{2019, 2, 4}, "己亥年(猪)腊月三十 2019-2-4"},
        {{2019, 2, 5}, "己亥年(猪)正月初一 2019-2-5"},
        {{2020, 5, 22}, "庚子年(鼠)四月三十 2020-5-22"},
        {{2020, 5, 23}, "庚子年(鼠)闰四月初一 2020-5-23"},
        {{2020, 6, 21}, "庚子年(鼠)五月初一 2020-6-21"},
        {{2017, 8, 21}, "丁酉年(鸡)闰六月三十 2017-8-21"},
        {{2033, 12, 22}, "癸丑年(牛)闰冬月初一 2033-12-22"},
        {{1901, 2, 19}, "辛丑年(牛)正月初一 1901-2-19"},
        {{2048, 12, 31}, "戊辰年(龙)冬月廿七 2048-12-31"},
        // Before 1929 the months follow Beijing local time: New Year 1916 was
        // on 3 February although the new moon came 5 minutes after midnight at 120° E.
        {{1916, 2, 3}, "乙卯年(兔)正月初一 1916-2-3"},
        // 立春 1916 fell on 5 February, so 4 February is still 乙卯.
        {{1916, 2, 4}, "乙卯年(兔)正月初二 1916-2-4"},
        {{1916, 2, 5}, "丙辰年(龙)正月初三 1916-2-5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLunarText("", c.date), c.text) << Iso(c.date);
        EXPECT_EQ(FormatLunarText(kDefaultLunarFormat, c.date), c.text) << Iso(c.date);
    }
}

TEST(LunarCalendar, RefusesDaysOutsideTheRange) {
    const CivilDate outside[] = {{1901, 2, 18}, {2049, 1, 1},  {1900, 6, 1}, {2100, 1, 1},
                                 {2019, 2, 29}, {2019, 13, 1}, {2019, 4, 0}};
    for (const CivilDate& d : outside) {
        EXPECT_FALSE(IsSupportedDate(d)) << Iso(d);
        EXPECT_EQ(ToLunar(d), std::nullopt) << Iso(d);
        EXPECT_EQ(SexagenaryYear(d), 0) << Iso(d);
        EXPECT_EQ(FormatLunarText("", d), "") << Iso(d);
        EXPECT_EQ(FormatLunarText("no codes", d), "") << Iso(d);
    }
    EXPECT_EQ(ToLunar({1901, 2, 19}), (LunarDate{1901, 1, 1, false}));
    EXPECT_EQ(ToLunar({2048, 12, 31}), (LunarDate{2048, 11, 27, false}));
}

TEST(LunarCalendar, DayAndMonthNames) {
    const std::pair<int, const char*> days[] = {
        {1, "初一"},  {9, "初九"},  {10, "初十"}, {11, "十一"}, {19, "十九"}, {20, "二十"},
        {21, "廿一"}, {29, "廿九"}, {30, "三十"}, {0, ""},      {31, ""},     {-5, ""}};
    for (const auto& [day, name] : days) EXPECT_EQ(LunarDayName(day), name) << day;

    struct Month {
        int month;
        bool leap;
        const char* name;
    };
    const Month months[] = {{1, false, "正月"},   {2, false, "二月"},   {10, false, "十月"},
                            {11, false, "冬月"},  {12, false, "腊月"},  {4, true, "闰四月"},
                            {11, true, "闰冬月"}, {12, true, "闰腊月"}, {0, false, ""},
                            {13, false, ""},      {13, true, ""}};
    for (const Month& m : months) EXPECT_EQ(LunarMonthName(m.month, m.leap), m.name) << m.month;
}

TEST(LunarCalendar, SexagenaryYearChangesOnLichun) {
    struct Case {
        CivilDate date;
        int number;
        const char* name;
        const char* animal;
    };
    const Case cases[] = {
        {{1901, 2, 19}, 38, "辛丑", "牛"}, {{2018, 12, 5}, 35, "戊戌", "狗"},
        {{2019, 2, 3}, 35, "戊戌", "狗"},  {{2019, 2, 4}, 36, "己亥", "猪"},
        {{1984, 2, 3}, 60, "癸亥", "猪"},  {{1984, 2, 4}, 1, "甲子", "鼠"},  // 立春 1984-02-04
        {{2048, 12, 31}, 5, "戊辰", "龙"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SexagenaryYear(c.date), c.number) << Iso(c.date);
        EXPECT_EQ(SexagenaryYearName(c.number), c.name);
        EXPECT_EQ(ZodiacName(c.number), c.animal);
    }
    EXPECT_EQ(SexagenaryYearName(0), "");
    EXPECT_EQ(ZodiacName(61), "");
}

TEST(LunarCalendar, TellingRowsOfTheYearTable) {
    struct Row {
        int year;
        int leap_month;
        CivilDate new_year;
        int days;
    };
    const Row rows[] = {
        {1901, 0, {1901, 2, 19}, 354}, {1903, 5, {1903, 1, 29}, 383},
        {2017, 6, {2017, 1, 28}, 384}, {2018, 0, {2018, 2, 16}, 354},
        {2020, 4, {2020, 1, 25}, 384}, {2033, 11, {2033, 1, 31}, 384},
        {2048, 0, {2048, 2, 14}, 354},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.year);
        EXPECT_EQ(LeapMonthOfYear(r.year), r.leap_month);
        EXPECT_EQ(FromLunar({r.year, 1, 1, false}), r.new_year);
        int days = 0;
        for (int m = 1; m <= 12; ++m) days += DaysInLunarMonth(r.year, m, false);
        days += DaysInLunarMonth(r.year, r.leap_month, true);
        EXPECT_EQ(days, r.days);
    }
    EXPECT_EQ(DaysInLunarMonth(2020, 4, true), 29);
    EXPECT_EQ(DaysInLunarMonth(2020, 5, true), 0);  // no such leap month
    EXPECT_EQ(DaysInLunarMonth(2018, 4, true), 0);
    EXPECT_EQ(DaysInLunarMonth(1900, 1, false), 0);
    EXPECT_EQ(DaysInLunarMonth(2050, 1, false), 0);
    EXPECT_EQ(FromLunar({2020, 4, 30, true}), std::nullopt);  // 闰四月 has 29 days
    EXPECT_EQ(FromLunar({2020, 4, 29, true}), (CivilDate{2020, 6, 20}));
    EXPECT_EQ(FromLunar({2018, 4, 1, true}), std::nullopt);
    EXPECT_EQ(FromLunar({2017, 6, 0, false}), std::nullopt);
}

// Every supported day: FromLunar undoes ToLunar, and consecutive days step
// through the lunar calendar one day at a time.
TEST(LunarCalendar, EveryDayRoundTripsAndAdvances) {
    const int first = DaysFromCivil(kFirstSupportedDate);
    const int last = DaysFromCivil(kLastSupportedDate);
    LunarDate previous = *ToLunar(kFirstSupportedDate);
    for (int day = first + 1; day <= last; ++day) {
        const CivilDate date = CivilFromDays(day);
        const std::optional<LunarDate> lunar = ToLunar(date);
        ASSERT_TRUE(lunar) << Iso(date);
        ASSERT_EQ(FromLunar(*lunar), date);
        if (lunar->day != 1) {
            ASSERT_EQ(lunar->day, previous.day + 1) << Iso(date);
            ASSERT_EQ(lunar->month, previous.month);
            ASSERT_EQ(lunar->leap, previous.leap);
        } else {
            ASSERT_GE(previous.day, 29) << Iso(date);
            ASSERT_EQ(previous.day, DaysInLunarMonth(previous.year, previous.month, previous.leap));
            const bool into_leap = lunar->leap && lunar->month == previous.month && !previous.leap;
            const bool next_month = !lunar->leap && lunar->month == previous.month % 12 + 1;
            ASSERT_TRUE(into_leap || next_month) << Iso(date);
            ASSERT_EQ(lunar->year, previous.year + (next_month && lunar->month == 1 ? 1 : 0));
        }
        previous = *lunar;
    }
}

// The committed table is what our own astronomy produces, bit for bit.
TEST(LunarCalendar, TableMatchesAFreshBuild) {
    const std::vector<LunarYearRow> rows =
        BuildLunarYears(kLunarTableFirstYear, kLunarTableLastYear);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kLunarTableSize));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(PackLunarYear(rows[i]), kLunarYearTable[i]) << rows[i].year;
    }
}

TEST(LunarCalendar, FormatCodes) {
    const CivilDate date{2020, 5, 23};
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"%y/%m/%d", "2020/5/23"},
        {"%M%D", "闰四月初一"},
        {"%Y%Y %S%S", "庚子庚子 鼠鼠"},
        {"plain text", "plain text"},
        {"%", "%"},
        {"abc%", "abc%"},
        {"%%", "%%"},
        {"%%Y", "%庚子"},
        {"%q%Z%y", "%q%Z2020"},
        {"%s%D%d", "%s初一23"},  // codes are case-sensitive
        {"100%", "100%"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLunarText(c.format, date), c.text) << c.format;
        EXPECT_EQ(test_support::FormatBySequentialReplacement(c.format, date), c.text) << c.format;
    }
}

TEST(LunarCalendar, FormatAgreesWithSequentialReplacementOnRandomFormats) {
    std::mt19937 rng(20181205);
    const char alphabet[] = "%%%%YSMDymdxq- \xe5\xb9\xb4";
    std::uniform_int_distribution<int> pick(0, sizeof alphabet - 2);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> day(DaysFromCivil(kFirstSupportedDate),
                                           DaysFromCivil(kLastSupportedDate));
    for (int i = 0; i < 2000; ++i) {
        std::string format;
        for (int n = length(rng); n > 0; --n) format += alphabet[pick(rng)];
        const CivilDate date = CivilFromDays(day(rng));
        ASSERT_EQ(FormatLunarText(format, date), test_support::FormatBySequentialReplacement(format, date))
            << '"' << format << "\" " << Iso(date);
    }
}

TEST(SolarTerms, KnownDays) {
    struct Case {
        int year;
        int index;
        CivilDate date;
    };
    const Case cases[] = {
        {2018, kLichun, {2018, 2, 4}}, {2019, kLichun, {2019, 2, 4}},
        {1984, kLichun, {1984, 2, 4}}, {2019, 0, {2019, 1, 5}},     // 小寒
        {2019, 11, {2019, 6, 21}},     {2019, 23, {2019, 12, 22}},  // 夏至, 冬至
        {2033, 23, {2033, 12, 21}},    {1916, kLichun, {1916, 2, 5}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CivilFromDays(SolarTermDay(c.year, c.index)), c.date)
            << c.year << ' ' << SolarTermName(c.index);
        EXPECT_EQ(SolarTermsOfYear(c.year)[static_cast<std::size_t>(c.index)].date, c.date);
    }
    EXPECT_EQ(DaysFromCivil({2019, 2, 4}), LichunDay(2019));
    EXPECT_EQ(SolarTermName(0), "小寒");
    EXPECT_EQ(SolarTermName(2), "立春");
    EXPECT_EQ(SolarTermName(23), "冬至");
    EXPECT_EQ(SolarTermName(24), "");
}

TEST(SolarTerms, EveryYearHasTwentyFourTermsInOrder) {
    for (int year = 1901; year <= 2048; ++year) {
        const auto terms = SolarTermsOfYear(year);
        for (int i = 0; i < kSolarTermCount; ++i) {
            const SolarTerm& t = terms[static_cast<std::size_t>(i)];
            ASSERT_EQ(t.index, i);
            ASSERT_EQ(t.date.year, year) << year << ' ' << SolarTermName(i);
            if (i > 0) {
                const int gap = DaysFromCivil(t.date) -
                                DaysFromCivil(terms[static_cast<std::size_t>(i - 1)].date);
                ASSERT_GE(gap, 14) << year << ' ' << SolarTermName(i);
                ASSERT_LE(gap, 16) << year << ' ' << SolarTermName(i);
            }
        }
    }
}

// Worked examples of Meeus, Astronomical Algorithms: the sun on 1992-10-13
// 0h TD (ex. 25.b, 199°54'21.818") and the new moon of 1977 February (ex. 49.a).
TEST(Astronomy, WorkedExamples) {
    const double expected = 199.0 + 54.0 / 60.0 + 21.818 / 3600.0;
    EXPECT_NEAR(astro::ApparentSolarLongitude(2448908.5), expected, 0.5 / 3600.0);
    EXPECT_NEAR(astro::NewMoon(-283), 2443192.65118, 1e-5);
    const double crossing = astro::SolarLongitudeCrossing(315.0, 2458515.0);
    EXPECT_NEAR(astro::ApparentSolarLongitude(crossing), 315.0, 1e-6);
}

}  // namespace
}  // namespace tz
