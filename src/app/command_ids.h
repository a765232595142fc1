// Identifiers the main window answers to: menu commands, child control IDs
// and the tray callback message. The end-to-end test driver includes this
// header too, so that both sides agree on the numbers.
#pragma once

namespace tz::ids {

// Menu commands (WM_COMMAND with a zero notification code).
inline constexpr int kAbout = 101;        // 菜单 > 关于本程序
inline constexpr int kWebsite = 102;      // 菜单 > 官方网站
inline constexpr int kExit = 103;         // 菜单 > 退出
inline constexpr int kOpenSubsite = 104;  // 开通分站 > 开通
inline constexpr int kEditions = 105;     // 开通分站 > 版本介绍

// Child controls.
inline constexpr int kButtonBase = 1000;   // 按钮N is kButtonBase + N (1..12)
inline constexpr int kLabelBase = 1100;    // 标签N is kLabelBase + N (1..4)
inline constexpr int kHyperlink = 1201;    // 超级链接框1
inline constexpr int kStatusBar = 1301;    // 状态条1
inline constexpr int kCalendarBox = 1401;  // 农历日期框1
inline constexpr int kClockTimer = 1501;   // 时钟1 (a timer ID, not a window)

// Events of the lunar date box, sent to its parent as WM_COMMAND
// notification codes (day hovered comes as WM_NOTIFY with the same code).
inline constexpr int kDayPicked = 0x100;
inline constexpr int kDayHovered = 0x101;
inline constexpr int kDropDownOpening = 0x102;
inline constexpr int kDropDownClosed = 0x103;
inline constexpr int kDateChanged = 0x104;

// Private window message the tray icon reports mouse actions with (WM_APP + 1).
inline constexpr unsigned kTrayCallbackMessage = 0x8001;

}  // namespace tz::ids
