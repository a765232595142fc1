// The lunar date box: one line of text and a "..." button at its right end
// that drops down a month calendar. What it does is decided by its
// LunarBoxState; this class carries out the returned effects in order.
#pragma once

#include <windows.h>

#include "app/window_layout.h"
#include "app/window_object_win32.h"
#include "display/drop_down.h"
#include "display/lunar_drop_down_win32.h"

namespace tz {

// "Day hovered" reaches the parent as WM_NOTIFY with code ids::kDayHovered.
struct DayHoveredNotify {
    NMHDR header;
    int lunarYear;
    int lunarMonth;  // 1..12
    int lunarDay;    // 1..30
    BOOL leap;
};

class LunarDateBox : public WindowObject<LunarDateBox> {
  public:
    // Registers the box's window class and its drop-down's.
    static bool RegisterClass(HINSTANCE instance);
    HWND Create(HWND parent, const ControlRecord& record, HINSTANCE instance);

    // Keys the box takes before the main window looks at them: Esc while
    // the drop-down is on screen.
    bool PreTranslateKey(const MSG& message);

    // For the drop-down, which forwards its input here.
    LunarBoxState& state() { return state_; }
    void Apply(const BoxEffects& effects);

  private:
    friend class WindowObject<LunarDateBox>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnPaint();
    void OnQueuedEvent(int code);
    void UpdateText();
    void NotifyExpanded();
    void Notify(int code);
    void NotifyDayHovered(const LunarDate& day);
    void PostEvent(int code);

    HWND button_ = nullptr;
    LunarBoxState state_;
    LunarDropDown dropDown_;
};

}  // namespace tz
