// The lunar date box's drop-down month calendar: a pop-up owned by the main
// window that never takes the activation. It draws what the box's
// LunarBoxState and its own DropDownPanel say, and hands mouse input back
// to the box as effects.
//
// Closing on "loss of activation": the pop-up is never active, so it holds
// the mouse capture while it is open, as a combo box's list does. A press
// anywhere outside it (another window, another program, the desktop), the
// capture taken by anyone else (a menu, a drag, another window) or the
// program losing the activation (WM_ACTIVATEAPP) all count as the drop-down
// losing the activation.
#pragma once

#include <windows.h>

#include <optional>

#include "app/handle_win32.h"
#include "app/window_object_win32.h"
#include "display/drop_down_layout.h"

namespace tz {

class LunarDateBox;

class LunarDropDown : public WindowObject<LunarDropDown> {
  public:
    static bool RegisterClass(HINSTANCE instance);

    // Shows the pop-up at the box's edge without activating it; its fonts
    // and drawing surface live until Hide().
    void Show(LunarDateBox& box, HWND boxWindow);
    void Hide();
    void Redraw();
    void Destroy();

  private:
    // GDI objects of one opening, freed when it closes.
    struct Canvas {
        explicit Canvas(HWND window);
        ~Canvas();
        Canvas(const Canvas&) = delete;
        Canvas& operator=(const Canvas&) = delete;

        UniqueMemoryDc dc;
        UniqueBitmap bitmap;
        HGDIOBJ oldBitmap = nullptr;
        UniqueFont font;
        UniqueFont bold;
    };

    friend class WindowObject<LunarDropDown>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool Create(HWND owner);
    void OnPaint();
    void Draw(HDC dc) const;
    void DrawHeader(HDC dc, const MonthView& view) const;
    void DrawDays(HDC dc, const MonthView& view) const;
    // A page of the year list, or the month list.
    void DrawList(HDC dc, LunarMonthId shown) const;
    void OnButtonDown(UINT message, LPARAM lParam);
    void OnButtonUp(UINT message, LPARAM lParam);
    void OnCaptureLost();
    void LoseActivation();

    LunarDateBox* box_ = nullptr;
    HWND boxWindow_ = nullptr;
    DropDownPanel panel_;
    std::optional<Canvas> canvas_;
    bool capturing_ = false;
};

}  // namespace tz
