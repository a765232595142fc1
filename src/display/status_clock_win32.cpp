#include "display/status_clock_win32.h"

#include "display/status_bar_win32.h"

namespace tz {

DateTime CurrentDateTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void WriteStartupStatus(HWND statusBar) {
    SetPaneText(statusBar, 0, StartupStatusText(CurrentDateTime()));
}

// Reads the clock afresh on every tick: a changed system clock shows at once,
// and missed periods cannot make the text run behind.
void WriteClockText(HWND statusBar) { SetPaneText(statusBar, 0, DateTimeText(CurrentDateTime())); }

}  // namespace tz
