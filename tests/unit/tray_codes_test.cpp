#include <gtest/gtest.h>

#include <string>

#include "app/command_ids.h"
#include "app/window_layout.h"
#include "tray/tray_codes.h"

namespace tz {
namespace {

TEST(TrayCodes, MouseMessagesMapToTypeCodesAndActions) {
    struct Case {
        const char* name;
        unsigned message;
        int code;
        TrayAction action;
    };
    const Case cases[] = {
        {"WM_LBUTTONUP", 0x0202, 1, TrayAction::kNothing},
        {"WM_LBUTTONDBLCLK", 0x0203, 2, TrayAction::kShowWindow},
        {"WM_RBUTTONUP", 0x0205, 3, TrayAction::kOpenMenu},
        {"WM_CONTEXTMENU", 0x007B, 3, TrayAction::kOpenMenu},
        // Everything else raises nothing: moves, presses, other buttons and
        // the newer notifications.
        {"WM_MOUSEMOVE", 0x0200, 0, TrayAction::kNothing},
        {"WM_LBUTTONDOWN", 0x0201, 0, TrayAction::kNothing},
        {"WM_RBUTTONDOWN", 0x0204, 0, TrayAction::kNothing},
        {"WM_RBUTTONDBLCLK", 0x0206, 0, TrayAction::kNothing},
        {"WM_MBUTTONUP", 0x0208, 0, TrayAction::kNothing},
        {"WM_MBUTTONDBLCLK", 0x0209, 0, TrayAction::kNothing},
        {"NIN_SELECT", 0x0400, 0, TrayAction::kNothing},
        {"NIN_KEYSELECT", 0x0401, 0, TrayAction::kNothing},
        {"zero", 0, 0, TrayAction::kNothing},
        // A version 4 style lParam (message in the low word, icon ID above)
        // is not a message of its own.
        {"WM_RBUTTONUP with an ID above", 0x00010205, 0, TrayAction::kNothing},
    };
    for (const Case& c : cases) {
        const int code = TrayTypeCode(c.message);
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_EQ(TrayActionFor(code), c.action) << c.name;
    }
}

TEST(TrayCodes, UnknownCodesDoNothing) {
    for (int code : {-1, 0, 1, 4, 100}) {
        EXPECT_EQ(TrayActionFor(code), TrayAction::kNothing) << code;
    }
}

TEST(TrayMenu, IsThePopupOfTheMenuItemWithItsThreeCommands) {
    const auto items = MainMenuItems();
    const auto index = TrayMenuIndex(items);
    ASSERT_TRUE(index.has_value());
    const auto popup = PopupItemsOf(items, *index);
    ASSERT_EQ(popup.size(), 3u);
    const struct {
        std::string caption;
        int command;
    } expected[] = {{"关于本程序", ids::kAbout}, {"官方网站", ids::kWebsite}, {"退出", ids::kExit}};
    for (std::size_t i = 0; i < popup.size(); ++i) {
        EXPECT_EQ(popup[i].caption, expected[i].caption) << i;
        EXPECT_EQ(popup[i].level, 1) << i;
        EXPECT_EQ(popup[i].command, expected[i].command) << i;
    }
}

TEST(TrayMenu, FindsOnlyALevelZeroItemOfThatCaption) {
    const MenuItemRecord nested[] = {{"文件", 0, 0}, {"菜单", 1, 7}};
    EXPECT_FALSE(TrayMenuIndex(nested).has_value());
    const MenuItemRecord later[] = {{"文件", 0, 0}, {"打开", 1, 7}, {"菜单", 0, 0}, {"退出", 1, 8}};
    EXPECT_EQ(TrayMenuIndex(later), 2u);
    EXPECT_FALSE(TrayMenuIndex({}).has_value());
}

}  // namespace
}  // namespace tz
