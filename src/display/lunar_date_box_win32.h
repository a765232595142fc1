// The lunar date box: one line of text and a "..." button at its right end.
#pragma once

#include <windows.h>

#include "app/window_layout.h"

namespace tz {

class LunarDateBox {
  public:
    static bool RegisterClass(HINSTANCE instance);
    HWND Create(HWND parent, const ControlRecord& record, HINSTANCE instance);

    // Keys the box takes before the main window looks at them.
    bool PreTranslateKey(const MSG& message);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnPaint();

    HWND window_ = nullptr;
    HWND button_ = nullptr;
};

}  // namespace tz
