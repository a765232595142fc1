// Ties a window to the C++ object that handles its messages: the object is
// passed as CreateWindowExW's lpCreateParams, kept in GWLP_USERDATA from
// WM_NCCREATE, and let go after WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace tz {

// Derived implements `LRESULT HandleMessage(UINT, WPARAM, LPARAM)` and uses
// `window_`; a Derived that keeps HandleMessage private befriends WindowObject.
template <class Derived>
class WindowObject {
  protected:
    // Registers the window class whose windows Derived handles.
    static bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, UINT style = 0,
                                    const wchar_t* cursor = IDC_ARROW,
                                    HBRUSH background = nullptr) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = style;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, cursor);
        wc.hbrBackground = background;
        wc.lpszClassName = name;
        return RegisterClassExW(&wc) != 0;
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            auto* self = static_cast<Derived*>(create->lpCreateParams);
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
        }
        return result;
    }

    HWND window_ = nullptr;
};

}  // namespace tz
