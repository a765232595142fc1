#include "display/civil_date.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

TEST(CivilDate, KnownDayNumbersAndWeekdays) {
    struct Case {
        CivilDate date;
        int days;
        int weekday;  // 0 = Monday
    };
    const Case cases[] = {
        {{1970, 1, 1}, 0, 3},      {{1969, 12, 31}, -1, 2},    {{2000, 3, 1}, 11017, 2},
        {{2000, 2, 29}, 11016, 1}, {{1901, 2, 19}, -25153, 1}, {{2048, 12, 31}, 28854, 3},
        {{2018, 12, 5}, 17870, 2}, {{1600, 1, 1}, -135140, 5}, {{1, 1, 1}, -719162, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << '-' << c.date.month << '-' << c.date.day);
        EXPECT_EQ(DaysFromCivil(c.date), c.days);
        EXPECT_EQ(CivilFromDays(c.days), c.date);
        EXPECT_EQ(Weekday(c.days), c.weekday);
    }
}

// Every day of eight centuries: round trip, each day follows the previous
// one on the calendar, and the weekday advances by one.
TEST(CivilDate, SweepIsConsistent) {
    const int first = DaysFromCivil({1600, 1, 1});
    const int last = DaysFromCivil({2400, 12, 31});
    CivilDate previous = CivilFromDays(first - 1);
    for (int day = first; day <= last; ++day) {
        const CivilDate date = CivilFromDays(day);
        ASSERT_TRUE(IsValidCivilDate(date)) << day;
        ASSERT_EQ(DaysFromCivil(date), day);
        const bool next_in_month = date.year == previous.year && date.month == previous.month &&
                                   date.day == previous.day + 1;
        const bool first_of_month = date.day == 1 &&
                                    previous.day == DaysInMonth(previous.year, previous.month) &&
                                    (date.month == previous.month % 12 + 1) &&
                                    date.year == previous.year + (date.month == 1 ? 1 : 0);
        ASSERT_TRUE(next_in_month || first_of_month)
            << date.year << '-' << date.month << '-' << date.day;
        ASSERT_EQ(Weekday(day), (Weekday(day - 1) + 1) % 7);
        previous = date;
    }
}

TEST(CivilDate, Validity) {
    EXPECT_TRUE(IsValidCivilDate({2000, 2, 29}));
    EXPECT_FALSE(IsValidCivilDate({1900, 2, 29}));
    EXPECT_FALSE(IsValidCivilDate({2019, 2, 29}));
    EXPECT_FALSE(IsValidCivilDate({2019, 4, 31}));
    EXPECT_FALSE(IsValidCivilDate({2019, 0, 1}));
    EXPECT_FALSE(IsValidCivilDate({2019, 13, 1}));
    EXPECT_FALSE(IsValidCivilDate({2019, 1, 0}));
}

}  // namespace
}  // namespace tz
