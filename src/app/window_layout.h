// The main window described as data: its own settings, the menu items and
// the control table, in stored order. The Win32 side builds the window from
// these records and from nothing else.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace tz {

struct Rect {
    int left;
    int top;
    int width;
    int height;
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class ControlKind { Timer, StatusBar, Label, HyperLinker, Button, CnCalendar };

// Common flags of every control.
enum ControlFlag : unsigned {
    kVisible = 1u << 0,
    kDisabled = 1u << 1,
    kTabStop = 1u << 2,
};

// Settings of a label of its own kind.
enum LabelSetting : unsigned {
    kLabelSingleLine = 0,
    kLabelBorder = 1u << 0,     // thin single window border
    kLabelMultiLine = 1u << 1,  // breaks at line breaks, wraps, starts at the top
};

struct ControlRecord {
    ControlKind kind;
    const char* name;   // designer name, e.g. "按钮1"
    int id;             // child window ID (timer ID for the timer)
    Rect rect;          // relative to the window's client area
    unsigned flags;     // ControlFlag bits
    const char* text;   // designer text (UTF-8)
    unsigned settings;  // kind-specific: LabelSetting bits for labels
};

struct MenuItemRecord {
    const char* caption;
    int level;    // 0: on the menu bar; 1: in the pop-up of the level 0 item before it
    int command;  // menu command ID; 0 for a level 0 item
};

struct WindowRecord {
    const char* title;
    int width;  // outer size, title bar, menu bar and borders included
    int height;
};

const WindowRecord& MainWindowRecord();
std::span<const MenuItemRecord> MainMenuItems();
std::span<const ControlRecord> MainControls();

// The record with the given child ID, or nullptr.
const ControlRecord* FindControl(int id);

// A pop-up of the menu: a level 0 item and the level 1 items after it.
struct MenuPopup {
    const MenuItemRecord* title;
    std::span<const MenuItemRecord> items;
};

// Menu bar layout: every level 0 item becomes a pop-up holding the level 1
// items that follow it up to the next level 0 item.
std::vector<MenuPopup> BuildMenuBar(std::span<const MenuItemRecord> items);

// The level 1 items after the level 0 item at `index`; empty when `index` is
// out of range, names a level 1 item, or has no level 1 item after it.
std::span<const MenuItemRecord> PopupItemsOf(std::span<const MenuItemRecord> items,
                                             std::size_t index);

// Top-left corner that centres a window of the given outer size on a screen,
// divided with truncation toward zero.
struct Point {
    int x;
    int y;
    friend bool operator==(const Point&, const Point&) = default;
};
Point CentredOrigin(int screenWidth, int screenHeight, int width, int height);

}  // namespace tz
