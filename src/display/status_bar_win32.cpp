#include "display/status_bar_win32.h"

#include <commctrl.h>

#include "app/child_control_win32.h"
#include "app/wide_text_win32.h"

namespace tz {
namespace {

constexpr int kPaneRightEdges[] = {300};

}  // namespace

HWND CreateStatusBar(HWND parent, const ControlRecord& record, HINSTANCE instance) {
    // No SBARS_SIZEGRIP: the window cannot be resized. The bar docks itself
    // at the bottom (CCS_BOTTOM) with the height its font needs.
    HWND bar = CreateChildControl(parent, record, STATUSCLASSNAMEW, nullptr, CCS_BOTTOM, instance);
    if (bar == nullptr) return nullptr;
    SendMessageW(bar, SB_SETPARTS, ARRAYSIZE(kPaneRightEdges),
                 reinterpret_cast<LPARAM>(kPaneRightEdges));
    SetPaneText(bar, 0, record.text);
    return bar;
}

void SetPaneText(HWND statusBar, int index, std::string_view text) {
    const auto panes = static_cast<int>(SendMessageW(statusBar, SB_GETPARTS, 0, 0));
    if (index < 0 || index >= panes) return;
    // The bar keeps its own copy; style 0 keeps the pane sunken.
    const std::wstring wide = Widen(text);
    SendMessageW(statusBar, SB_SETTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace tz
