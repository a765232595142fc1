// What the hyperlink box shows and does, decided without any window.
#pragma once

#include <cstdint>

#include "app/mouse_button.h"

namespace tz {

// Colours as 0x00BBGGRR.
inline constexpr std::uint32_t kLinkNormalColour = 0x00FF0000;   // blue
inline constexpr std::uint32_t kLinkVisitedColour = 0x00000080;  // maroon
inline constexpr std::uint32_t kLinkHoverColour = 0x00FF9933;    // light blue

enum class HoverAction {
    None,
    StartHover,   // repaint and capture the pointer
    EndHover,     // release the capture and repaint
    KeepCapture,  // take the capture again if another window has it
};

enum class PressAction { None, Open };

class HyperlinkState {
  public:
    // The pointer moved; `inside` tells whether it lies in the box's client area.
    HoverAction OnPointerMove(bool inside);
    // The capture was taken away (another window captured the pointer).
    void OnCaptureLost() { hovering_ = false; }
    // A button went down over the box; the second press of a double click
    // arrives as a double click and is not a press.
    static PressAction OnButtonDown(MouseButton button, bool doubleClick);
    // The outcome of an opening; true when the box should repaint now.
    bool OnOpened(bool succeeded);

    std::uint32_t TextColour() const;
    bool hovering() const { return hovering_; }
    bool visited() const { return visited_; }

  private:
    bool hovering_ = false;
    bool visited_ = false;
};

}  // namespace tz
