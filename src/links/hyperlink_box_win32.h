// The hyperlink box: shows the storefront's host name and opens its home page.
#pragma once

#include <windows.h>

#include "app/window_object_win32.h"
#include "app/window_layout.h"
#include "links/hyperlink_state.h"

namespace tz {

class HyperlinkBox : public WindowObject<HyperlinkBox> {
  public:
    static bool RegisterClass(HINSTANCE instance);
    HWND Create(HWND parent, const ControlRecord& record, HINSTANCE instance);

  private:
    friend class WindowObject<HyperlinkBox>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnMouseMove(LPARAM lParam);
    void OnButtonDown(MouseButton button, bool doubleClick);
    void OnCaptureChanged(HWND newCapture);

    HyperlinkState state_;
};

}  // namespace tz
