// The lunar date box: one line of text and a "..." button at its right end.
#pragma once

#include <windows.h>

#include "app/window_layout.h"
#include "display/civil_date.h"

namespace tz {

class LunarDateBox {
  public:
    static bool RegisterClass(HINSTANCE instance);
    HWND Create(HWND parent, const ControlRecord& record, HINSTANCE instance);

    // Keys the box takes before the main window looks at them.
    bool PreTranslateKey(const MSG& message);

    // Sets the box's date through the range check; false (and no change) for
    // a day outside the supported range.
    bool SetDate(CivilDate date);
    CivilDate date() const { return date_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnPaint();
    void RebuildText();
    void Notify(int code);
    void PostEvent(int code);

    HWND window_ = nullptr;
    HWND button_ = nullptr;
    CivilDate date_{};
    bool hasDate_ = false;
};

}  // namespace tz
