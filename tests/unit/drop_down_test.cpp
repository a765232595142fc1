#include "display/drop_down.h"

#include <gtest/gtest.h>

namespace tz {
namespace {

using K = BoxEffectKind;

BoxEffects Kinds(std::initializer_list<K> kinds) {
    BoxEffects effects;
    for (K k : kinds) effects.push_back({k});
    return effects;
}

TEST(DropDownLists, YearList) {
    const std::vector<int> years = YearList();
    ASSERT_EQ(years.size(), 146u);
    EXPECT_EQ(years.front(), 1902);
    EXPECT_EQ(years.back(), 2047);
}

TEST(DropDownLists, MonthListPutsTheLeapMonthAfterItsRegularMonth) {
    auto labels = [](int year) {
        std::string joined;
        for (const MonthChoice& m : MonthList(year)) joined += m.label + ' ';
        return joined;
    };
    EXPECT_EQ(labels(2018), "正月 二月 三月 四月 五月 六月 七月 八月 九月 十月 冬月 腊月 ");
    EXPECT_EQ(labels(2020), "正月 二月 三月 四月 闰四月 五月 六月 七月 八月 九月 十月 冬月 腊月 ");
    EXPECT_EQ(labels(2033), "正月 二月 三月 四月 五月 六月 七月 八月 九月 十月 冬月 闰冬月 腊月 ");
    EXPECT_EQ(MonthList(2020)[4], (MonthChoice{4, true, "闰四月"}));
    EXPECT_TRUE(MonthList(1900).empty());
    EXPECT_TRUE(MonthList(2050).empty());
}

TEST(DropDownLists, MoveToMonthKeepsTheDayAndClampsThirty) {
    struct Case {
        CivilDate from;
        LunarMonthId to;
        std::optional<CivilDate> expected;
    };
    const Case cases[] = {
        {{2020, 5, 22}, {2020, 4, true}, CivilDate{2020, 6, 20}},  // 四月三十 -> 闰四月廿九
        {{2020, 5, 23}, {2020, 5, false}, CivilDate{2020, 6, 21}},  // 闰四月初一 -> 五月初一
        {{2017, 8, 21}, {2018, 6, false}, CivilDate{2018, 8, 10}},  // 闰六月三十 -> 六月廿九
        {{2017, 8, 20}, {2017, 7, false}, CivilDate{2017, 9, 19}},  // 闰六月廿九 -> 七月廿九
        {{2018, 12, 5}, {2018, 4, true}, std::nullopt},             // 2018 has no leap month
        {{2018, 12, 5}, {2049, 11, false}, std::nullopt},           // past the supported days
        {{2049, 1, 1}, {2018, 1, false}, std::nullopt},             // from outside the range
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MoveToMonth(c.from, c.to), c.expected)
            << c.from.year << '-' << c.from.month << '-' << c.from.day;
    }
}

class DropDownState : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(box.SetDate({2018, 12, 5}), Kinds({K::UpdateBoxText, K::QueueDateChanged}));
        ASSERT_EQ(box.Text(), kShown);
    }
    void Open() {
        ASSERT_EQ(box.ClickButton(), Kinds({K::RaiseDropDownOpening, K::ShowDropDown}));
        ASSERT_TRUE(box.IsOpen());
    }

    static constexpr const char* kShown = "戊戌年(狗)十月廿八 2018-12-5";
    LunarBoxState box;
};

TEST_F(DropDownState, PickMakesTheDayTheBoxDateThenClosesAfterTheQueuedEvents) {
    Open();
    EXPECT_EQ(box.ClickButton(), BoxEffects{});  // a second click while open
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2018, 10, false}));

    const BoxEffects hovered = {{K::RedrawDropDown}, {K::RaiseDayHovered, {2018, 10, 20, false}}};
    EXPECT_EQ(box.HoverDay({2018, 11, 27}), hovered);
    EXPECT_EQ(box.HoverLine(), "戊戌年(狗)十月二十 2018-11-27");
    EXPECT_EQ(box.HoverDay({2018, 11, 27}), BoxEffects{});  // still the same day
    EXPECT_EQ(box.HoverDay({2018, 12, 7}), BoxEffects{});   // 冬月初一, not the shown month

    EXPECT_EQ(box.ReleaseOverDay({2018, 11, 27}, MouseButton::Left),
              Kinds({K::UpdateBoxText, K::QueueDateChanged, K::QueueDayPicked, K::QueueClose}));
    EXPECT_EQ(box.Date(), (CivilDate{2018, 11, 27}));
    EXPECT_EQ(box.Text(), "戊戌年(狗)十月二十 2018-11-27");
    EXPECT_TRUE(box.IsDropDownShown());

    // Until the queued close arrives, nothing may undo or repeat the pick.
    EXPECT_EQ(box.PressEscape(), BoxEffects{});
    EXPECT_EQ(box.LoseActivation(), BoxEffects{});
    EXPECT_EQ(box.ClickButton(), BoxEffects{});
    EXPECT_EQ(box.ReleaseOverDay({2018, 11, 28}, MouseButton::Left), BoxEffects{});
    EXPECT_EQ(box.FinishPick(), Kinds({K::HideDropDown, K::RaiseDropDownClosed}));
    EXPECT_FALSE(box.IsDropDownShown());
    EXPECT_EQ(box.FinishPick(), BoxEffects{});
    EXPECT_EQ(box.Date(), (CivilDate{2018, 11, 27}));
}

TEST_F(DropDownState, EscAndDeactivationRestoreTheSavedDay) {
    for (int deactivate = 0; deactivate < 2; ++deactivate) {
        SCOPED_TRACE(deactivate ? "deactivation" : "Esc");
        Open();
        const BoxEffects closed = deactivate ? box.LoseActivation() : box.PressEscape();
        EXPECT_EQ(closed, Kinds({K::HideDropDown, K::RaiseDropDownClosed, K::UpdateBoxText}));
        EXPECT_FALSE(box.IsDropDownShown());
        EXPECT_EQ(box.Date(), (CivilDate{2018, 12, 5}));
        EXPECT_EQ(box.Text(), kShown);
        EXPECT_EQ(box.PressEscape(), BoxEffects{});  // already closed
    }
}

TEST_F(DropDownState, BrowsingMovesTheDateSilentlyAndEscUndoesIt) {
    Open();
    EXPECT_EQ(box.ChooseYear(2020), Kinds({K::RedrawDropDown}));
    EXPECT_EQ(box.Date(), (CivilDate{2020, 12, 12}));  // 2020 十月廿八
    EXPECT_EQ(box.ChooseMonth(4, true), Kinds({K::RedrawDropDown}));
    EXPECT_EQ(box.Date(), (CivilDate{2020, 6, 19}));  // 闰四月廿八
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2020, 4, true}));
    EXPECT_EQ(box.View()->month_name, "闰四月");
    EXPECT_EQ(box.Text(), kShown);  // not rebuilt while browsing

    EXPECT_EQ(box.ChooseYear(2018), Kinds({K::RedrawDropDown}));  // 2018 has no 闰四月
    EXPECT_EQ(box.ShownMonth(), (LunarMonthId{2018, 4, false}));
    EXPECT_EQ(box.ChooseMonth(4, true), BoxEffects{});  // no such month
    EXPECT_EQ(box.ChooseYear(1901), BoxEffects{});      // not in the list
    EXPECT_EQ(box.ChooseYear(2048), BoxEffects{});

    // The saved day stays marked wherever the browsing goes.
    EXPECT_EQ(box.ChooseYear(2018), BoxEffects{});  // already there
    box.ChooseMonth(10, false);
    int saved = 0;
    const std::optional<MonthView> view = box.View();
    for (const MonthCell& cell : view->cells) saved += cell.saved ? 1 : 0;
    EXPECT_EQ(saved, 1);

    box.PressEscape();
    EXPECT_EQ(box.Date(), (CivilDate{2018, 12, 5}));
    EXPECT_EQ(box.Text(), kShown);
}

TEST_F(DropDownState, ReleasesThatPickNothing) {
    Open();
    EXPECT_EQ(box.ReleaseOverDay({2018, 11, 27}, MouseButton::Right), BoxEffects{});
    EXPECT_EQ(box.ReleaseOverDay({2018, 12, 7}, MouseButton::Left), BoxEffects{});  // next month
    EXPECT_EQ(box.ReleaseOverDay({2019, 6, 1}, MouseButton::Left), BoxEffects{});   // off the grid
    EXPECT_TRUE(box.IsOpen());
    EXPECT_EQ(box.Date(), (CivilDate{2018, 12, 5}));
    EXPECT_EQ(box.Text(), kShown);
}

TEST(DropDownEdges, DaysOutsideTheRange) {
    LunarBoxState box;
    EXPECT_EQ(box.SetDate({2049, 1, 1}), BoxEffects{});
    EXPECT_FALSE(box.HasDate());
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(box.ClickButton(), BoxEffects{});  // nothing to show

    // 2048 冬月 runs into 2049: those days show but cannot be picked.
    ASSERT_FALSE(box.SetDate({2048, 12, 31}).empty());
    EXPECT_EQ(box.SetDate({2049, 1, 1}), BoxEffects{});
    EXPECT_EQ(box.Date(), (CivilDate{2048, 12, 31}));
    box.ClickButton();
    EXPECT_EQ(box.SetDate({2018, 1, 1}), BoxEffects{});  // not while open
    EXPECT_EQ(box.HoverDay({2049, 1, 1}), BoxEffects{});
    EXPECT_EQ(box.ReleaseOverDay({2049, 1, 1}, MouseButton::Left), BoxEffects{});
    EXPECT_FALSE(box.ReleaseOverDay({2048, 12, 30}, MouseButton::Left).empty());
    EXPECT_EQ(box.Text(), "戊辰年(龙)冬月廿六 2048-12-30");
}

}  // namespace
}  // namespace tz
