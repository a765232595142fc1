// Creates a child control of the main window at its record's place, with the
// record's common flags (visible, disabled, tab stop) as window styles.
#pragma once

#include <windows.h>

#include "app/window_layout.h"

namespace tz {

HWND CreateChildControl(HWND parent, const ControlRecord& record, const wchar_t* className,
                        const wchar_t* text, DWORD kindStyle, HINSTANCE instance,
                        void* createParam = nullptr);

}  // namespace tz
