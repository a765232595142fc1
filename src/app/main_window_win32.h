// The main window: built from the window description, hides on close, ends
// the program on "退出".
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "app/window_object_win32.h"
#include "app/handle_win32.h"
#include "display/lunar_date_box_win32.h"
#include "links/hyperlink_box_win32.h"
#include "tray/tray_icon_win32.h"

namespace tz {

class MainWindow : public WindowObject<MainWindow> {
  public:
    static bool RegisterClass(HINSTANCE instance);
    // The window class, by which a second start finds the running instance.
    static const wchar_t* ClassName();
    bool Create(HINSTANCE instance);
    void Show();
    HWND handle() const { return window_; }

    // Keys the window examines before the control with the focus gets them.
    bool PreTranslateMessage(MSG& message);

    // Hides or shows the window; shown, it becomes the active window.
    void SetMainWindowVisible(bool visible);
    // Destroys the window; the message loop then ends with `exitCode`.
    void EndProgram(int exitCode);

  private:
    friend class WindowObject<MainWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    void OnCreated();
    void OnTimer(UINT_PTR id);
    void OnCommand(int id, int code, HWND control);
    void OnMenuCommand(int command);
    bool OnCloseQuery();
    void OnActivate(bool active);
    void OnSetFocus();
    void OnDestroy();
    LRESULT OnControlColour(HDC dc);
    void OnTrayNotify(LPARAM mouseMessage);
    std::optional<LRESULT> OnRegisteredMessage(UINT message);

    void SetWindowIcons();
    void InstallTrayIcon();

    void CreateControls();
    HWND CreateControl(const ControlRecord& record);
    void MoveFocus(bool forward);
    int FocusedControlId() const;

    HINSTANCE instance_ = nullptr;
    UniqueMenu menuBar_;
    UniqueIcon icon_;  // small window icon, also the tray icon
    UniqueIcon bigIcon_;
    TrayIcon tray_;  // after the icons: taken out of the tray before they are freed
    UINT taskbarCreated_ = 0;
    UINT showRequest_ = 0;
    HyperlinkBox hyperlink_;
    LunarDateBox dateBox_;
    std::vector<int> tabOrder_;
    HWND savedFocus_ = nullptr;
    int exitCode_ = 0;
};

}  // namespace tz
