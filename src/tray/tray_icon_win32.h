// The main window's icon in the notification area and its pop-up menu.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tz {

class TrayIcon {
  public:
    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Puts the owner's icon with its tip into the notification area, or
    // changes icon and tip when it is there already; a null icon removes it.
    // The icon stays owned by the caller and must outlive this object.
    // True when the notification area holds the icon afterwards.
    bool SetTrayIcon(HWND owner, HICON icon, std::string_view tip);

    // Makes sure the notification area still holds the icon, adding it again
    // when it has lost it (the shell restarted, or refused it before).
    bool Restore();

    // Takes the icon out of the notification area (the owner is going away).
    void Remove();

    bool present() const { return present_; }

  private:
    bool Notify(DWORD action) const;

    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    std::wstring tip_;
    bool present_ = false;
};

// Opens the pop-up of the level 0 menu item at `menuItemIndex` of the main
// window's menu items next to the pointer and returns when it has closed. A
// chosen item reaches `window` as a posted WM_COMMAND. Nothing happens when
// that item has no pop-up items.
void PopUpTrayMenu(HWND window, std::size_t menuItemIndex);

// The message the shell broadcasts when it has (re)built the notification
// area; 0 if it could not be registered.
UINT TaskbarCreatedMessage();

}  // namespace tz
