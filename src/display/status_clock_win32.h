// The status bar clock: the start-up status text, then the time every period.
#pragma once

#include <windows.h>

#include "display/date_time_text.h"

namespace tz {

// The local date and time as the system reports it now, milliseconds dropped.
DateTime CurrentDateTime();

// Created handler's status step: the start-up status text into pane 0.
void WriteStartupStatus(HWND statusBar);
// Periodic event of the clock timer: the clock text into pane 0.
void WriteClockText(HWND statusBar);

}  // namespace tz
