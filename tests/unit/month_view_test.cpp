#include "display/month_view.h"

#include <gtest/gtest.h>

#include <string>

namespace tz {
namespace {

std::string Names(const std::vector<SolarTerm>& terms) {
    std::string names;
    for (const SolarTerm& t : terms) names += std::string(SolarTermName(t.index)) + ' ';
    return names;
}

// 2020 闰四月 begins on Saturday 2020-05-23 and has 29 days; as a leap
// month it holds no major term, only 芒种.
TEST(MonthView, LeapMonth) {
    const auto view = BuildMonthView({2020, 6, 1}, CivilDate{2020, 6, 1});
    ASSERT_TRUE(view);
    EXPECT_EQ(view->month, (LunarMonthId{2020, 4, true}));
    EXPECT_EQ(view->month_name, "闰四月");
    EXPECT_EQ(view->first_day, (CivilDate{2020, 5, 23}));
    EXPECT_EQ(view->day_count, 29);
    EXPECT_EQ(Names(view->terms), "芒种 ");

    struct Cell {
        int index;
        CivilDate date;
        const char* label;
        bool in_month;
        const char* term;
    };
    const Cell cells[] = {
        {0, {2020, 5, 18}, "廿六", false, ""},  {2, {2020, 5, 20}, "廿八", false, "小满"},
        {4, {2020, 5, 22}, "三十", false, ""},  {5, {2020, 5, 23}, "闰四月", true, ""},
        {6, {2020, 5, 24}, "初二", true, ""},   {18, {2020, 6, 5}, "十四", true, "芒种"},
        {33, {2020, 6, 20}, "廿九", true, ""},  {34, {2020, 6, 21}, "五月", false, "夏至"},
        {41, {2020, 6, 28}, "初八", false, ""},
    };
    for (const Cell& c : cells) {
        const MonthCell& cell = view->cells[static_cast<std::size_t>(c.index)];
        SCOPED_TRACE(c.index);
        EXPECT_EQ(cell.date, c.date);
        EXPECT_EQ(cell.label, c.label);
        EXPECT_EQ(cell.in_shown_month, c.in_month);
        EXPECT_EQ(cell.pickable, c.in_month);
        EXPECT_EQ(cell.term, c.term);
    }
    int saved = 0;
    for (const MonthCell& cell : view->cells) saved += cell.saved ? 1 : 0;
    EXPECT_EQ(saved, 1);
    EXPECT_TRUE(view->cells[14].saved);  // 2020-06-01
}

TEST(MonthView, MonthStartingOnAMonday) {
    const auto view = BuildMonthView({2018, 5, 1}, std::nullopt);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->month, (LunarMonthId{2018, 3, false}));
    EXPECT_EQ(view->cells[0].date, (CivilDate{2018, 4, 16}));
    EXPECT_EQ(view->cells[0].label, "三月");
    EXPECT_TRUE(view->cells[0].in_shown_month);
    EXPECT_TRUE(view->cells[28].in_shown_month);
    EXPECT_FALSE(view->cells[29].in_shown_month);
    EXPECT_EQ(view->cells[29].label, "四月");
    for (const MonthCell& cell : view->cells) EXPECT_FALSE(cell.saved);
}

// 2018 腊月 runs 2019-01-06..2019-02-04; its grid starts on 2018-12-31 and
// ends on 2019-02-10. 立春 falls on its last day; 小寒 just before its first.
TEST(MonthView, SixWeeksOverThreeGregorianMonths) {
    const auto view = BuildMonthView({2019, 2, 4}, CivilDate{2019, 2, 4});
    ASSERT_TRUE(view);
    EXPECT_EQ(view->month, (LunarMonthId{2018, 12, false}));
    EXPECT_EQ(view->day_count, 30);
    EXPECT_EQ(view->cells[0].date, (CivilDate{2018, 12, 31}));
    EXPECT_EQ(view->cells[41].date, (CivilDate{2019, 2, 10}));
    EXPECT_EQ(Names(view->terms), "大寒 立春 ");
    EXPECT_EQ(view->cells[5].term, "小寒");
    EXPECT_FALSE(view->cells[5].in_shown_month);
    EXPECT_EQ(view->cells[6].label, "腊月");
    EXPECT_EQ(view->cells[35].label, "三十");
    EXPECT_TRUE(view->cells[35].saved);
    EXPECT_EQ(view->cells[36].label, "正月");  // lunar New Year 2019-02-05
}

// At the ends of the range: the first month has no earlier days to name,
// and the last one runs past 2048-12-31, where days show but cannot be picked.
TEST(MonthView, EdgesOfTheRange) {
    const auto first = BuildMonthView({1901, 2, 19}, std::nullopt);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->cells[0].date, (CivilDate{1901, 2, 18}));
    EXPECT_EQ(first->cells[0].label, "");
    EXPECT_EQ(first->cells[1].label, "正月");

    const auto last = BuildMonthView({2048, 12, 31}, std::nullopt);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->month, (LunarMonthId{2048, 11, false}));
    for (const MonthCell& cell : last->cells) {
        if (!cell.in_shown_month) continue;
        EXPECT_FALSE(cell.label.empty());
        EXPECT_EQ(cell.pickable, cell.date.year == 2048);
    }
    EXPECT_EQ(BuildMonthView({2049, 1, 1}, std::nullopt), std::nullopt);
}

TEST(MonthView, HoverTextIsTheDefaultFormat) {
    EXPECT_EQ(HoverText({2020, 5, 23}), "庚子年(鼠)闰四月初一 2020-5-23");
}

}  // namespace
}  // namespace tz
