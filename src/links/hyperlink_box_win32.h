// The hyperlink box: shows the storefront's host name and opens its home page.
#pragma once

#include <windows.h>

#include "app/window_layout.h"
#include "links/hyperlink_state.h"

namespace tz {

class HyperlinkBox {
  public:
    static bool RegisterClass(HINSTANCE instance);
    HWND Create(HWND parent, const ControlRecord& record, HINSTANCE instance);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnMouseMove(LPARAM lParam);
    void OnButtonDown(MouseButton button, bool doubleClick);
    void OnCaptureChanged(HWND newCapture);

    HWND window_ = nullptr;
    HyperlinkState state_;
};

}  // namespace tz
