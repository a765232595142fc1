// The status bar: docked at the bottom, one sunken pane ending 300 pixels from its left end.
#pragma once

#include <windows.h>

#include <string_view>

#include "app/window_layout.h"

namespace tz {

HWND CreateStatusBar(HWND parent, const ControlRecord& record, HINSTANCE instance);

// Replaces the text of pane `index`; an index outside the panes does nothing.
void SetPaneText(HWND statusBar, int index, std::string_view text);

}  // namespace tz
