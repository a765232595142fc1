#include "tray/tray_codes.h"

#include <string_view>

namespace tz {

int TrayTypeCode(unsigned mouseMessage) {
    switch (mouseMessage) {
        case kTrayLeftButtonUp:
            return kTrayLeftUp;
        case kTrayLeftButtonDblClk:
            return kTrayDoubleClick;
        case kTrayRightButtonUp:
        case kTrayContextMenu:
            return kTrayMenu;
        default:
            return kTrayNone;
    }
}

TrayAction TrayActionFor(int typeCode) {
    switch (typeCode) {
        case kTrayDoubleClick:
            return TrayAction::kShowWindow;
        case kTrayMenu:
            return TrayAction::kOpenMenu;
        default:
            return TrayAction::kNothing;
    }
}

std::optional<std::size_t> TrayMenuIndex(std::span<const MenuItemRecord> items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].level == 0 && std::string_view(items[i].caption) == "菜单") return i;
    }
    return std::nullopt;
}

}  // namespace tz
