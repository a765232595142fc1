#include "tray/tray_icon_win32.h"

#include <shellapi.h>

#include <algorithm>

#include "app/command_ids.h"
#include "app/handle_win32.h"
#include "app/wide_text_win32.h"
#include "app/window_layout.h"

namespace tz {
namespace {

// The window has one icon, so it is named by this ID rather than a GUID: a
// GUID would tie the icon to the program file's path.
constexpr UINT kTrayIconId = 1;

// The pop-up opens with its top right corner this far up and left of the
// pointer, so that the pointer rests inside it.
constexpr int kMenuOffset = 5;

}  // namespace

bool TrayIcon::SetTrayIcon(HWND owner, HICON icon, std::string_view tip) {
    if (owner_ != nullptr && owner_ != owner) Remove();
    owner_ = owner;
    icon_ = icon;
    tip_ = Widen(tip);
    if (icon_ == nullptr) {
        Remove();
        return false;
    }
    // Change an icon that is there; add one that is not. An add the shell
    // turns down because it still holds our icon leaves the icon present.
    if (present_ && Notify(NIM_MODIFY)) return true;
    present_ = Notify(NIM_ADD) || Notify(NIM_MODIFY);
    return present_;
}

bool TrayIcon::Restore() {
    if (owner_ == nullptr || icon_ == nullptr) return false;
    // NIM_MODIFY fails for an icon the notification area no longer holds.
    if (present_ && Notify(NIM_MODIFY)) return true;
    present_ = Notify(NIM_ADD) || Notify(NIM_MODIFY);
    return present_;
}

void TrayIcon::Remove() {
    if (present_) Notify(NIM_DELETE);
    present_ = false;
}

bool TrayIcon::Notify(DWORD action) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kTrayIconId;
    if (action != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = ids::kTrayCallbackMessage;
        data.hIcon = icon_;
        const std::size_t length = std::min(tip_.size(), std::size(data.szTip) - 1);
        tip_.copy(data.szTip, length);
        data.szTip[length] = L'\0';
    }
    return Shell_NotifyIconW(action, &data) != FALSE;
}

void PopUpTrayMenu(HWND window, std::size_t menuItemIndex) {
    const auto items = PopupItemsOf(MainMenuItems(), menuItemIndex);
    if (items.empty()) return;

    // Built afresh each time, from the same items and as the menu bar is.
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const MenuItemRecord& item : items) {
        AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.command),
                    Widen(item.caption).c_str());
    }

    POINT pointer{};
    if (!GetCursorPos(&pointer)) return;
    // Without the foreground the menu would not close when the user clicks
    // elsewhere; also needed while the window is hidden.
    SetForegroundWindow(window);
    TrackPopupMenu(menu.get(), TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON,
                   pointer.x - kMenuOffset, pointer.y - kMenuOffset, 0, window, nullptr);
    // Lets the menu close properly the next time it opens.
    PostMessageW(window, WM_NULL, 0, 0);
}

UINT TaskbarCreatedMessage() { return RegisterWindowMessageW(L"TaskbarCreated"); }

}  // namespace tz
