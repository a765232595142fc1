#include "links/hyperlink_state.h"

namespace tz {

HoverAction HyperlinkState::OnPointerMove(bool inside) {
    if (!hovering_) {
        if (!inside) return HoverAction::None;
        hovering_ = true;
        return HoverAction::StartHover;
    }
    if (!inside) {
        hovering_ = false;
        return HoverAction::EndHover;
    }
    return HoverAction::KeepCapture;
}

PressAction HyperlinkState::OnButtonDown(MouseButton button, bool doubleClick) {
    return button == MouseButton::Left && !doubleClick ? PressAction::Open : PressAction::None;
}

bool HyperlinkState::OnOpened(bool succeeded) {
    visited_ = succeeded;
    return succeeded;
}

std::uint32_t HyperlinkState::TextColour() const {
    if (hovering_) return kLinkHoverColour;
    return visited_ ? kLinkVisitedColour : kLinkNormalColour;
}

}  // namespace tz
