// The desktop around the program, for the tray and notice scenarios: the
// icons of Wine's notification area, the tray callback as the shell sends it,
// pop-up menus, screen pixels and screenshots.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"

namespace tz::e2e {

// An icon of the notification area: its tip and its place on the screen.
struct TrayIconInfo {
    std::wstring tip;
    Box box;
    HWND host;        // the shell's window that takes the mouse for the icon
    POINT hostPoint;  // the icon's centre in the host's client coordinates
};

// The icons of the notification area, read from the tooltips of the shell's
// tray window (Wine 8 paints the icons itself and gives each a tool; later
// Wines give each icon a window of its own with its own tooltip).
std::vector<TrayIconInfo> TrayIcons();

// How many icons have `tip`.
int TrayIconCount(const std::wstring& tip);

// Takes out the icons of programs that were ended without removing theirs:
// the shell drops an icon once it finds the owner window gone, which it
// checks when the pointer moves over the icon.
void SweepDeadTrayIcons();

// Asks the main window to close and waits until it has hidden. (A posted
// message is handled after sent ones, so Program::Sync() does not wait for it.)
bool CloseAndWait(const Program& program);

// Sends a mouse message on the program's tray icon the way the notification
// area does (wParam the icon's ID, lParam the mouse message) and waits until
// the program has handled it; returns while a menu it opened is still open.
void SendTrayMouse(const Program& program, UINT mouseMessage);

// The program's visible pop-up menu window (#32768), or nullptr.
HWND PopupMenuOf(const Program& program);

// A copy of part of the screen, read pixel by pixel as 0x00BBGGRR.
class ScreenCapture {
  public:
    explicit ScreenCapture(const Box& box);
    COLORREF At(int x, int y) const;  // screen coordinates inside the box
    const Box& box() const { return box_; }

  private:
    Box box_;
    std::vector<COLORREF> pixels_;
};

// Saves a picture of the whole screen to $TZ_E2E_SHOTS/NAME.png when that
// variable names a (Unix) folder; does nothing otherwise.
void Screenshot(const char* name);

// "click" etc. for Xdo(): the pointer to the centre of `box`, then `action`.
std::string XdoAt(const Box& box, const char* action);

}  // namespace tz::e2e
