// What a mouse action on the tray icon means: the type code of the tray event
// and what the main window does for it. Plain data, tested on the host.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "app/window_layout.h"

namespace tz {

// The tip shown when the pointer rests on the tray icon.
inline constexpr const char* kTrayTip = "托盘图标";

// The mouse messages the notification area reports, by their Windows numbers
// (the core does not see windows.h).
inline constexpr unsigned kTrayLeftButtonUp = 0x0202;      // WM_LBUTTONUP
inline constexpr unsigned kTrayLeftButtonDblClk = 0x0203;  // WM_LBUTTONDBLCLK
inline constexpr unsigned kTrayRightButtonUp = 0x0205;     // WM_RBUTTONUP
inline constexpr unsigned kTrayContextMenu = 0x007B;       // WM_CONTEXTMENU

// Type codes of the tray event; 0 means the message raises none.
inline constexpr int kTrayNone = 0;
inline constexpr int kTrayLeftUp = 1;
inline constexpr int kTrayDoubleClick = 2;
inline constexpr int kTrayMenu = 3;

int TrayTypeCode(unsigned mouseMessage);

enum class TrayAction { kNothing, kShowWindow, kOpenMenu };

// A double click shows the window and a right click opens the tray menu; a
// single left click (code 1, also raised twice around every double click)
// must stay harmless, so it does nothing.
TrayAction TrayActionFor(int typeCode);

// The level 0 item whose pop-up is also the tray menu ("菜单"), or nothing.
std::optional<std::size_t> TrayMenuIndex(std::span<const MenuItemRecord> items);

}  // namespace tz
