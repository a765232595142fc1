#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/join_texts.h"
#include "app/tab_order.h"
#include "app/window_layout.h"

namespace tz {
namespace {

TEST(WindowLayout, MenuBarHasTwoPopupsWithTheirItemsInOrder) {
    const auto popups = BuildMenuBar(MainMenuItems());
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_STREQ(popups[0].title->caption, "菜单");
    ASSERT_EQ(popups[0].items.size(), 3u);
    EXPECT_STREQ(popups[0].items[0].caption, "关于本程序");
    EXPECT_STREQ(popups[0].items[1].caption, "官方网站");
    EXPECT_STREQ(popups[0].items[2].caption, "退出");
    EXPECT_EQ(popups[0].items[2].command, ids::kExit);
    EXPECT_STREQ(popups[1].title->caption, "开通分站");
    ASSERT_EQ(popups[1].items.size(), 2u);
    EXPECT_STREQ(popups[1].items[0].caption, "开通");
    EXPECT_STREQ(popups[1].items[1].caption, "版本介绍");
}

TEST(WindowLayout, PopupItemsOfRefusesWhatIsNoPopup) {
    const MenuItemRecord items[] = {{"a", 0, 0}, {"a1", 1, 1}, {"b", 0, 0}, {"c", 0, 0}};
    EXPECT_EQ(PopupItemsOf(items, 0).size(), 1u);
    EXPECT_TRUE(PopupItemsOf(items, 1).empty());  // a level 1 item
    EXPECT_TRUE(PopupItemsOf(items, 2).empty());  // nothing after it but another level 0
    EXPECT_TRUE(PopupItemsOf(items, 3).empty());  // the last item
    EXPECT_TRUE(PopupItemsOf(items, 9).empty());  // not an item at all
}

TEST(WindowLayout, ControlIdsAreUniqueAndTheTableHasTwentyControls) {
    const auto controls = MainControls();
    EXPECT_EQ(controls.size(), 20u);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_NE(controls[i].id, controls[j].id)
                << controls[i].name << " " << controls[j].name;
        }
    }
}

TEST(WindowLayout, CentringTruncatesTowardZero) {
    EXPECT_EQ(CentredOrigin(1920, 1080, 694, 337), (Point{613, 371}));
    EXPECT_EQ(CentredOrigin(1024, 768, 694, 337), (Point{165, 215}));
    EXPECT_EQ(CentredOrigin(640, 300, 694, 337), (Point{-27, -18}));
}

TEST(TabOrder, RunsFromTheLastRecordToTheFirstAndWraps) {
    const std::vector<int> order = TabOrder(MainControls());
    std::vector<int> expected = {ids::kButtonBase + 1, ids::kCalendarBox};
    for (int n = 2; n <= 12; ++n) expected.push_back(ids::kButtonBase + n);
    ASSERT_EQ(order, expected);

    EXPECT_EQ(NextInTabOrder(order, ids::kButtonBase + 1, true), ids::kCalendarBox);
    EXPECT_EQ(NextInTabOrder(order, ids::kButtonBase + 12, true), ids::kButtonBase + 1);
    EXPECT_EQ(NextInTabOrder(order, ids::kButtonBase + 1, false), ids::kButtonBase + 12);
    EXPECT_EQ(NextInTabOrder(order, ids::kCalendarBox, false), ids::kButtonBase + 1);
    EXPECT_EQ(NextInTabOrder(order, ids::kHyperlink, true), ids::kButtonBase + 1);
    EXPECT_EQ(NextInTabOrder(order, ids::kHyperlink, false), ids::kButtonBase + 12);
    EXPECT_EQ(NextInTabOrder({}, 1, true), 0);
}

TEST(TabOrder, SkipsHiddenDisabledAndNonTabStopControls) {
    const ControlRecord controls[] = {
        {ControlKind::Button, "a", 1, {}, kVisible | kTabStop, "", 0},
        {ControlKind::Button, "b", 2, {}, kVisible | kTabStop | kDisabled, "", 0},
        {ControlKind::Button, "c", 3, {}, kTabStop, "", 0},
        {ControlKind::Label, "d", 4, {}, kVisible, "", 0},
        {ControlKind::Button, "e", 5, {}, kVisible | kTabStop, "", 0},
    };
    EXPECT_EQ(TabOrder(controls), (std::vector<int>{5, 1}));
}

TEST(JoinTexts, NullCountsAsEmpty) {
    EXPECT_EQ(JoinTexts({nullptr, "服务器正常运行中.."}), "服务器正常运行中..");
    EXPECT_EQ(JoinTexts({"", ""}), "");
    EXPECT_EQ(JoinTexts({"2018年12月5日", "服务器正常运行中.."}),
              "2018年12月5日服务器正常运行中..");
    EXPECT_EQ(JoinTexts({nullptr}), "");
}

}  // namespace
}  // namespace tz
