#include "display/drop_down_layout.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

using K = BoxEffectKind;

PixelPoint Centre(PixelRect r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(DropDownLayout, EveryPartAndCellIsInsideAndHitsBackToItself) {
    const PixelRect client{0, 0, kDropDownWidth, kDropDownHeight};
    auto inside = [&](PixelRect r) {
        return r.left >= client.left && r.right <= client.right && r.top >= client.top &&
               r.bottom <= client.bottom && r.left < r.right && r.top < r.bottom;
    };
    for (DropDownPage page : {DropDownPage::Days, DropDownPage::Years, DropDownPage::Months}) {
        SCOPED_TRACE(static_cast<int>(page));
        for (int i = 0; i < CellCount(page); ++i) {
            const PixelRect r = CellRect(page, i);
            ASSERT_TRUE(inside(r)) << "cell " << i;
            // All four corners, so that neighbouring cells neither overlap nor leave gaps.
            for (PixelPoint p :
                 {PixelPoint{r.left, r.top}, PixelPoint{r.right - 1, r.top},
                  PixelPoint{r.left, r.bottom - 1}, PixelPoint{r.right - 1, r.bottom - 1}}) {
                EXPECT_EQ(HitTest(page, p.x, p.y), (DropDownHit{DropDownPart::Cell, i}))
                    << "cell " << i << " at " << p.x << ',' << p.y;
            }
        }
        EXPECT_EQ(CellRect(page, CellCount(page)), (PixelRect{0, 0, 0, 0}));
        for (int p = static_cast<int>(DropDownPart::YearBack);
             p <= static_cast<int>(DropDownPart::MonthForward); ++p) {
            const auto part = static_cast<DropDownPart>(p);
            ASSERT_TRUE(inside(PartRect(part))) << p;
            const PixelPoint c = Centre(PartRect(part));
            EXPECT_EQ(HitTest(page, c.x, c.y).part, part) << p;
        }
        EXPECT_EQ(HitTest(page, -1, -1), DropDownHit{});
        EXPECT_EQ(HitTest(page, kDropDownWidth, kDropDownHeight), DropDownHit{});
        const PixelPoint status = Centre(HoverLineRect());
        EXPECT_EQ(HitTest(page, status.x, status.y), DropDownHit{});
    }
    EXPECT_TRUE(inside(TermLineRect()));
    EXPECT_TRUE(inside(HoverLineRect()));
    EXPECT_EQ(WeekdayRect(6).right, CellRect(DropDownPage::Days, 6).right);
}

TEST(DropDownLayout, PlacementUnderAboveAndRightAligned) {
    const PixelRect work{0, 0, 1920, 1040};
    constexpr int w = kDropDownWidth;
    constexpr int h = kDropDownHeight;
    struct Case {
        const char* name;
        PixelRect box;
        PixelPoint expected;
    };
    const Case cases[] = {
        {"room below", {1053, 477, 1273, 501}, {1053, 501}},
        {"bottom edge: above", {100, 900, 320, 924}, {100, 900 - h}},
        {"right edge: right-aligned", {1800, 100, 1900, 124}, {1900 - w, 124}},
        {"bottom-right corner", {1800, 1000, 1900, 1024}, {1900 - w, 1000 - h}},
        {"exactly fits below", {0, 1040 - h - 24, 220, 1040 - h}, {0, 1040 - h}},
        {"no room either way", {0, 200, 220, 900}, {0, 1040 - h}},
        {"box past the left edge", {-50, 100, 170, 124}, {0, 124}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceDropDown(c.box, w, h, work), c.expected) << c.name;
    }
    // A work area that does not start at 0 (a taskbar on top, a monitor to the left).
    EXPECT_EQ(PlaceDropDown({-1900, 40, -1680, 64}, w, h, {-1920, 30, 0, 1080}),
              (PixelPoint{-1900, 64}));
    EXPECT_EQ(PlaceDropDown({100, 40, 320, 64}, w, 1200, {0, 30, 1920, 1080}),
              (PixelPoint{100, 30}));
}

TEST(DropDownLayout, YearListPagesCoverEveryListedYearOnce) {
    int seen = 0;
    for (int page = 0; page < kYearPageCount; ++page) {
        for (int i = 0; i < kYearsPerPage; ++i) {
            const int year = YearInCell(page, i);
            if (year == 0) continue;
            EXPECT_EQ(year, kFirstListedYear + seen);
            EXPECT_EQ(YearPageOf(year), page);
            ++seen;
        }
    }
    EXPECT_EQ(seen, kLastListedYear - kFirstListedYear + 1);
    EXPECT_EQ(YearInCell(kYearPageCount - 1, kYearsPerPage - 1), 0);
    EXPECT_EQ(YearInCell(0, -1), 0);
}

TEST(DropDownLayout, MonthListPlacesMatchTheMonthList) {
    for (int year = 1900; year <= 2050; ++year) {
        const std::vector<MonthChoice> months = MonthList(year);
        for (int i = 0; i < static_cast<int>(months.size()); ++i) {
            const MonthChoice& m = months[static_cast<std::size_t>(i)];
            const LunarMonthId id{year, m.month, m.leap};
            ASSERT_EQ(MonthAtListIndex(year, i), id) << year << " #" << i;
            ASSERT_EQ(MonthListIndex(id), i) << year << ' ' << m.label;
        }
        EXPECT_EQ(MonthAtListIndex(year, static_cast<int>(months.size())), std::nullopt) << year;
        EXPECT_EQ(MonthAtListIndex(year, -1), std::nullopt) << year;
    }
}

TEST(DropDownLayout, DayInCellMatchesTheMonthView) {
    for (CivilDate date : {CivilDate{2020, 6, 1}, CivilDate{2018, 5, 1}, CivilDate{1901, 2, 19},
                           CivilDate{2048, 12, 31}, CivilDate{2033, 12, 22}}) {
        const std::optional<MonthView> view = BuildMonthView(date, std::nullopt);
        ASSERT_TRUE(view);
        for (int i = 0; i < kMonthCellCount; ++i) {
            ASSERT_EQ(DayInCell(view->month, i), view->cells[static_cast<std::size_t>(i)].date)
                << date.year << '-' << date.month << '-' << date.day << " cell " << i;
        }
    }
}

TEST(DropDownLayout, Texts) {
    EXPECT_EQ(YearLabel(2018), "2018 戊戌");
    EXPECT_EQ(YearLabel(1984), "1984 甲子");
    EXPECT_EQ(YearLabel(1902), "1902 壬寅");
    EXPECT_EQ(YearLabel(2047), "2047 丁卯");
    EXPECT_EQ(TermLine(*BuildMonthView({2018, 12, 5}, std::nullopt)), "节气：小雪 11-22");
    EXPECT_EQ(TermLine(*BuildMonthView({2020, 6, 1}, std::nullopt)), "节气：芒种 6-5");
    EXPECT_EQ(TermLine(*BuildMonthView({2019, 2, 5}, std::nullopt)), "节气：雨水 2-19  惊蛰 3-6");
}

class DropDownPanelTest : public testing::Test {
  protected:
    void SetUp() override {
        box.SetDate({2018, 12, 5});  // 十月廿八
        box.ClickButton();
        panel.Reset();
    }
    BoxEffects Press(DropDownPart part) {
        const PixelPoint c = Centre(PartRect(part));
        return panel.Press(box, c.x, c.y);
    }
    BoxEffects Release(int cell, MouseButton button = MouseButton::Left) {
        const PixelPoint c = Centre(CellRect(panel.page(), cell));
        return panel.Release(box, c.x, c.y, button);
    }
    BoxEffects Move(int cell) {
        const PixelPoint c = Centre(CellRect(panel.page(), cell));
        return panel.Move(box, c.x, c.y);
    }

    LunarBoxState box;
    DropDownPanel panel;
};

const BoxEffects kRedraw = {{K::RedrawDropDown}};

TEST_F(DropDownPanelTest, ArrowsStepTheYearAndTheMonthWithinTheYear) {
    EXPECT_EQ(Press(DropDownPart::YearForward), kRedraw);
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2019, 10, false}));
    EXPECT_EQ(Press(DropDownPart::YearBack), kRedraw);
    EXPECT_EQ(Press(DropDownPart::MonthForward), kRedraw);
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2018, 11, false}));

    // 2020 冬月 back to 四月, then 闰四月 (29 days: 廿八 stays), then to the first month.
    Press(DropDownPart::YearForward);
    Press(DropDownPart::YearForward);
    for (int i = 0; i < 8; ++i) Press(DropDownPart::MonthBack);
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2020, 4, false}));
    EXPECT_EQ(Press(DropDownPart::MonthForward), kRedraw);
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2020, 4, true}));
    EXPECT_EQ(box.Date(), (CivilDate{2020, 6, 19}));
    for (int i = 0; i < 4; ++i) Press(DropDownPart::MonthBack);
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2020, 1, false}));
    EXPECT_EQ(Press(DropDownPart::MonthBack), BoxEffects{});  // no step into the year before
    EXPECT_EQ(box.Text(), "戊戌年(狗)十月廿八 2018-12-5");    // browsing never rebuilds it
}

TEST_F(DropDownPanelTest, YearListPagesAndPick) {
    EXPECT_EQ(Press(DropDownPart::YearLabel), kRedraw);
    EXPECT_EQ(panel.page(), DropDownPage::Years);
    EXPECT_EQ(panel.yearPage(), YearPageOf(2018));
    // The year arrows turn pages here, up to the ends of the list.
    for (int i = 0; i < kYearPageCount; ++i) Press(DropDownPart::YearForward);
    EXPECT_EQ(panel.yearPage(), kYearPageCount - 1);
    EXPECT_EQ(Press(DropDownPart::YearForward), BoxEffects{});
    EXPECT_EQ(box.ShownMonth()->year, 2018);

    const int last = (kLastListedYear - kFirstListedYear) % kYearsPerPage;
    EXPECT_EQ(Release(last + 1), BoxEffects{});  // an empty cell past 2047
    EXPECT_EQ(Release(last, MouseButton::Right), BoxEffects{});
    EXPECT_EQ(Release(last), kRedraw);
    EXPECT_EQ(panel.page(), DropDownPage::Days);
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2047, 10, false}));

    // Choosing the year already shown still goes back to the days.
    Press(DropDownPart::YearLabel);
    EXPECT_EQ(Release(2047 - kFirstListedYear - panel.yearPage() * kYearsPerPage), kRedraw);
    EXPECT_EQ(panel.page(), DropDownPage::Days);
    EXPECT_EQ(Press(DropDownPart::YearLabel), kRedraw);
    EXPECT_EQ(Press(DropDownPart::YearLabel), kRedraw);  // a second click closes the list
    EXPECT_EQ(panel.page(), DropDownPage::Days);
}

TEST_F(DropDownPanelTest, MonthListOffersTheLeapMonth) {
    Press(DropDownPart::YearForward);
    Press(DropDownPart::YearForward);
    EXPECT_EQ(Press(DropDownPart::MonthLabel), kRedraw);
    EXPECT_EQ(panel.page(), DropDownPage::Months);
    EXPECT_EQ(Release(13), BoxEffects{});  // 2020 lists 13 months
    EXPECT_EQ(Release(4), kRedraw);
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2020, 4, true}));
    EXPECT_EQ(panel.page(), DropDownPage::Days);
}

TEST_F(DropDownPanelTest, HoverAndPickThroughTheCells) {
    // 2018 十月 starts on Thursday 2018-11-08: cell 3 is 初一, cell 15 is 十三.
    EXPECT_EQ(Move(0), BoxEffects{});  // a day of 九月
    const BoxEffects hovered = {{K::RedrawDropDown}, {K::RaiseDayHovered, {2018, 10, 13, false}}};
    EXPECT_EQ(Move(15), hovered);
    EXPECT_EQ(panel.hoveredCell(), 15);
    EXPECT_EQ(Move(15), BoxEffects{});
    Press(DropDownPart::MonthForward);
    EXPECT_EQ(panel.hoveredCell(), -1);  // another month: nothing hovered
    Press(DropDownPart::MonthBack);

    Press(DropDownPart::MonthLabel);
    EXPECT_EQ(Move(15), BoxEffects{});  // not over days
    Press(DropDownPart::MonthLabel);

    EXPECT_EQ(Release(15, MouseButton::Right), BoxEffects{});
    EXPECT_EQ(Release(0), BoxEffects{});
    EXPECT_EQ(Release(15).size(), 4u);
    EXPECT_EQ(box.Text(), "戊戌年(狗)十月十三 2018-11-20");
    // Picked: the panel no longer browses until the drop-down is open again.
    EXPECT_EQ(Press(DropDownPart::YearForward), BoxEffects{});
    EXPECT_EQ(Move(16), BoxEffects{});
}

}  // namespace
}  // namespace tz
